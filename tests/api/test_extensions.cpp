// The extension functions, called as an application calls them, and on windows that are not
// controls.
#include "../support/query.h"

#include <algorithm>

using namespace lt;

namespace {

// The outline with each item's kind after a colon when it has one.
std::string Outline(HWND tree) {
    return OutlineOf(tree, true, [](HWND t, int i) {
        std::string out;
        if (const DWORD kind = LumTreeEx_GetItemKind(t, i))
            out.append(":").append(std::to_string(kind));
        return out;
    });
}

int deletions = 0;
INT CALLBACK CountDeletion(HWND, INT, DWORD_PTR, DWORD_PTR) {
    return ++deletions;
}

constexpr DWORD_PTR kData = static_cast<DWORD_PTR>(0x1234567890ABCDEFull);

} // namespace

TEST_CASE("insertion and delete-all through the export, kinds, reading items with their data") {
    Parent parent;
    HWND tree = parent.Tree(kNotifyStyle | WS_VSCROLL | LUMTREESTYLE_MULTIPLESEL);
    PlaceEditor(tree);
    // Drawing on: the message path (the editor asked to end), levels clamped, kind and data.
    CHECK(LumTreeEx_InsertItem_DLL(tree, -1, 0, "a", 1, 7) == 0);
    CHECK(LumTreeEx_InsertItem_DLL(tree, 99, 70, "b", kData, 8) == 1);
    Send(tree, LUMTREEM_EXPAND, 0, 0); // inserting at a hidden item shows it first
    CHECK(LumTreeEx_InsertItem_DLL(tree, 1, 1, "c", 3, 9) == 1);
    CHECK(
        (Outline(tree) == "a0:7 c1:9 b64:8" && Send(tree, LUMTREEM_GETDATA, 2) == LRESULT(kData)));
    Codes codes = parent.Codes(tree);
    CHECK(std::count(codes.begin(), codes.end(), LUMTREEN_ENDEDIT) >= 3);
    // Drawing off: built directly, nothing painted or asked, the bar waits for drawing.
    DestroyWindow(GetWindow(tree, GW_CHILD));
    UpdateWindow(tree);
    SCROLLINFO before{sizeof(SCROLLINFO), SIF_ALL, 0, 0, 0, 0, 0}, after = before;
    GetScrollInfo(tree, SB_VERT, &before);
    Send(tree, WM_SETREDRAW, 0);
    parent.Clear();
    CHECK(LumTreeEx_InsertItem_DLL(tree, 1, 1, "d", kData, 5) == 1); // shows c first
    for (int i = 0; i < 40; ++i) CHECK(LumTreeEx_InsertItem_DLL(tree, -1, 0, "x", 0, 0) > 0);
    RECT update{};
    CHECK((parent.Codes(tree) == Codes{} && !GetUpdateRect(tree, &update, 0)));
    GetScrollInfo(tree, SB_VERT, &after);
    CHECK(after.nMax == before.nMax);
    CHECK(Outline(tree).rfind("a0:7 d1:5 c1:9 b64:8 x0", 0) == 0);
    Send(tree, WM_SETREDRAW, 1);
    GetScrollInfo(tree, SB_VERT, &after);
    CHECK(after.nMax > before.nMax);
    Send(tree, LUMTREEM_DELETEALL);

    AddItems(tree, {{"a", 0}, {"b", 1}, {"c", 2}, {"d", 1}, {"e", 0}, {"f", 1}});
    // Kinds: 0 for items made by messages, kept per item, not copied, bad indexes refused.
    LumTreeEx_SetItemKind(tree, 2, 0xFFFFFFFF);
    LumTreeEx_SetItemKind(tree, 6, 5);
    CHECK(Outline(tree) == "a0 b1 c2:4294967295 d1 e0 f1");
    CHECK((SendI(tree, LUMTREEM_COPYITEM, 2, 6) == 6 && LumTreeEx_GetItemKind(tree, 6) == 0));
    Send(tree, LUMTREEM_DELETEITEM, 6);
    // Data values keep all their bits on x64. A selected parent brings all its descendants; a
    // selected child of an unselected parent comes alone.
    for (int i = 0; i < 6; ++i) Send(tree, LUMTREEM_SETDATA, WPARAM(i), LPARAM(kData + i));
    Send(tree, LUMTREEM_SELECTITEM, 1, 1);
    Send(tree, LUMTREEM_SELECTITEM, 1, 5);
    INT indexes[6];
    DWORD_PTR datas[6];
    // clang-format off
    const struct { BOOL selected, descendants; std::vector<int> expect; } cases[] = {
        {TRUE, TRUE, {1, 2, 5}}, {TRUE, FALSE, {1, 5}}, {FALSE, FALSE, {0, 1, 2, 3, 4, 5}}};
    // clang-format on
    for (const auto &c : cases) {
        CAPTURE(c.expect);
        const int n = LumTreeEx_GetItemsEx(tree, c.selected, c.descendants, indexes, datas);
        CHECK(std::vector<int>(indexes, indexes + (n > 0 ? n : 0)) == c.expect);
        for (int k = 0; k < n; ++k) CHECK(datas[k] == kData + static_cast<DWORD_PTR>(indexes[k]));
        CHECK(LumTreeEx_GetItemsEx(tree, c.selected, c.descendants, nullptr, nullptr) == n);
    }
    // Delete-all: lines switched on, the tree width kept (the message resets it), every item
    // handed to the deletion callback, the editor asked first.
    TreeDeleteCallback cb{CountDeletion, 0};
    Send(tree, LUMTREEM_SETDELETECALLBACK, 0, Ptr(&cb));
    Send(tree, LUMTREEM_SETSHOWLINES, 0);
    const int width = SendI(tree, LUMTREEM_GETTREEWIDTH);
    PlaceEditor(tree);
    parent.Clear();
    LumTreeEx_DeleteAllItems_DLL(tree);
    CHECK((deletions == 6 && parent.Codes(tree) == Codes{LUMTREEN_ENDEDIT}));
    CHECK((SendI(tree, LUMTREEM_GETCOUNT) == 0 && SendI(tree, LUMTREEM_GETSHOWLINES) == 1));
    CHECK(SendI(tree, LUMTREEM_GETTREEWIDTH) == width);
}

TEST_CASE("item tracking, the bold caret row and suspended scroll-bar updates") {
    Parent parent;
    HWND tree = parent.Tree(kNotifyStyle | WS_VSCROLL, 0, 0, 200, 120);
    // A regular-weight font (the system font is bold already).
    HFONT font = CreateFontA(-13, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0,
                             NONANTIALIASED_QUALITY, 0, "Tahoma");
    Send(tree, WM_SETFONT, reinterpret_cast<WPARAM>(font));
    AddItems(tree, {{"WWWW", 0}, {"WWWW", 0}, {"WWWW", 0}});
    const RECT row0 = RowRect(tree, 0), row1 = RowRect(tree, 1), row2 = RowRect(tree, 2);
    Pixels px;
    auto ink = [&](const RECT &row) { return px.Count(row, GetSysColor(COLOR_WINDOWTEXT)); };
    // The caret row (item 0) in bold, repainted only when asked.
    UpdateWindow(tree);
    RECT update{};
    LumTreeEx_SetBoldCaretFont(tree, TRUE, FALSE);
    CHECK(!GetUpdateRect(tree, &update, FALSE));
    px = PrintClient(tree);
    CHECK(ink(row0) > ink(row1));
    LumTreeEx_SetBoldCaretFont(tree, FALSE, TRUE);
    px = PrintClient(tree);
    CHECK((GetUpdateRect(tree, &update, FALSE) && ink(row0) == ink(row1)));
    // The row under the mouse is drawn hot (underlined) only with both flags on.
    Send(tree, WM_MOUSEMOVE, 0, MAKELPARAM(20, (row2.top + row2.bottom) / 2));
    const struct { BOOL global, own; } tracks[] = {{TRUE, FALSE}, {FALSE, TRUE}, {TRUE, TRUE}};
    for (const auto &t : tracks) {
        LumTreeEx_SetItemTrackGlobal(t.global);
        LumTreeEx_SetItemTrack(tree, t.own ? 5 : 0);
        CHECK(LumTreeEx_GetItemTrack(tree) == t.own);
        px = PrintClient(tree);
        CHECK((ink(row2) > ink(row1)) == (t.global && t.own));
    }
    LumTreeEx_SetItemTrackGlobal(FALSE);
    // Vertical updates off: the bar keeps its range until an update after re-enabling.
    SCROLLINFO si{sizeof(SCROLLINFO), SIF_RANGE, 0, 0, 0, 0, 0};
    auto range = [&] {
        GetScrollInfo(tree, SB_VERT, &si);
        return si.nMax;
    };
    AddFlat(tree, 20);
    const int before = range();
    LumTreeEx_EnableScrollBarUpdate(tree, 2, FALSE); // not a bar: nothing
    LumTreeEx_EnableScrollBarUpdate(tree, SB_HORZ, FALSE);
    AddFlat(tree, 1);
    CHECK(range() > before);
    LumTreeEx_EnableScrollBarUpdate(tree, SB_BOTH, FALSE);
    const int held = range();
    AddFlat(tree, 20);
    LumTreeEx_EnableScrollBarUpdate(tree, SB_VERT, TRUE);
    CHECK(range() == held);
    AddFlat(tree, 1);
    CHECK(range() == held + 21);
    DestroyWindow(tree);
    DeleteObject(font);
}

TEST_CASE("every function fails quietly on a window that is not a control") {
    Parent parent;
    // A window whose extra word 0 holds something else (as a dialog's does).
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.cbWndExtra = sizeof(void *);
    wc.lpszClassName = "LumTreeTestExtra";
    RegisterClassA(&wc);
    HWND other = CreateWindowA("LumTreeTestExtra", "", WS_CHILD, 0, 0, 10, 10, parent.hwnd(),
                               nullptr, nullptr, nullptr);
    SetWindowLongPtrA(other, 0, 0x1234);
    HWND gone = parent.Tree();
    DestroyWindow(gone);
    INT index = 7;
    for (HWND w : {other, gone, HWND{}}) {
        CHECK(LumTreeEx_InsertItem_DLL(w, 0, 0, "x", 0, 0) == -1);
        CHECK(LumTreeEx_GetItemsEx(w, FALSE, FALSE, &index, nullptr) == -1);
        LumTreeEx_SetItemKind(w, 0, 1);
        LumTreeEx_SetBoldCaretFont(w, TRUE, TRUE);
        LumTreeEx_DeleteAllItems_DLL(w);
    }
    CHECK((index == 7 && GetWindowLongPtrA(other, 0) == 0x1234));
    // A control of an application's own class built on the library's (a superclass) is one.
    WNDCLASSA super;
    REQUIRE(GetClassInfoA(nullptr, LUMTREE_CLASSNAME, &super));
    super.hInstance = GetModuleHandleA(nullptr);
    super.lpszClassName = "LumTreeTestSuper";
    RegisterClassA(&super);
    HWND own = CreateWindowA("LumTreeTestSuper", "", kChildStyle, 0, 0, 100, 100, parent.hwnd(),
                             nullptr, nullptr, nullptr);
    CHECK((LumTreeEx_InsertItem_DLL(own, -1, 2, "x", 0, 3) == 0 &&
           LumTreeEx_GetItemKind(own, 0) == 3));
}
