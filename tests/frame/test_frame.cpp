// The control's spine as an application sees it: registration, creation defaults, the record
// lookup, the frame's own messages, forwarding, notification gating and destruction.
#include "../support/harness.h"
#include "lumtree/frame/frame.h"

using namespace lt;

namespace {

Codes g_deleted; // indexes the deletion callback saw, -1 while the notify style was still set
INT CALLBACK RecordDeletion(HWND window, INT index, DWORD_PTR, DWORD_PTR) {
    g_deleted.push_back(GetWindowLongA(window, GWL_STYLE) & LUMTREESTYLE_NOTIFY ? -1 : index);
    return 0;
}

} // namespace

TEST_CASE("registration, defaults, bad input, WM_CHAR, WM_CLOSE, WM_ERASEBKGND, WM_SIZE") {
    Parent parent;
    WNDCLASSA wc{};
    REQUIRE(GetClassInfoA(nullptr, LUMTREE_CLASSNAME, &wc));
    CHECK((wc.style == (CS_GLOBALCLASS | CS_DBLCLKS) && wc.cbWndExtra == sizeof(void *)));
    HWND tree = parent.Tree();
    CHECK(GetPropA(tree, "MarvikTree32") == HANDLE(1));
    CHECK(Send(tree, WM_GETFONT) == reinterpret_cast<LRESULT>(GetStockObject(SYSTEM_FONT)));
    // clang-format off
    const std::pair<UINT, int> defaults[] = {
        {LUMTREEM_GETCOUNT, 0}, {LUMTREEM_GETTOPINDEX, 0}, {LUMTREEM_GETCARET, 0},
        {LUMTREEM_GETSELECTION, -1}, {LUMTREEM_GETFORWARDTOPARENT, 1},
        {LUMTREEM_GETTABINTERCEPT, 1}, {LUMTREEM_GETSHOWLINES, 1}, {LUMTREEM_GETSHOWBUTTONS, 1},
        {LUMTREEM_GETGRIDSTYLE, 2}, {LUMTREEM_GETLABELSTYLE, 3}, {LUMTREEM_GETPRESSEDHEADER, -1}};
    // clang-format on
    for (auto [msg, value] : defaults) CHECK_MESSAGE(Send(tree, msg) == value, msg);
    // Bad input: no record, private numbers without an entry, null pointers.
    CHECK(LumTree_WndProc(parent.hwnd(), LUMTREEM_GETCOUNT, 0, 0) == 0);
    CHECK(LumTree_WndProc(nullptr, LUMTREEM_ADDITEM, 0, Ptr("x")) == 0);
    for (UINT msg : {WM_USER + 6, WM_USER + 76, WM_USER + 191}) CHECK(Send(tree, msg, 1, 1) == 0);
    CHECK(SendI(tree, LUMTREEM_SETDELETECALLBACK, 0, 0) == 1);
    CHECK(Send(tree, WM_GETDLGCODE, 0, 0) == DLGC_WANTARROWS);
    AddFlat(tree, 3);
    parent.Clear();
    for (WPARAM ch : {'a', '+', '\r', ' '}) CHECK(Send(tree, WM_CHAR, ch) == 0);
    // WM_CLOSE asks the parent to cancel and leaves the control alive.
    CHECK(Send(tree, WM_CLOSE) == 0);
    REQUIRE(parent.Notes().size() == 1);
    const Notification n = parent.Notes()[0];
    CHECK((n.code == 0 && n.id == IDCANCEL && n.from == nullptr && IsWindow(tree)));
    // WM_ERASEBKGND returns 1 and paints nothing.
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, CreateBitmap(8, 8, 1, 32, nullptr));
    SetPixel(dc, 3, 3, RGB(255, 0, 0));
    CHECK((Send(tree, WM_ERASEBKGND, WPARAM(dc)) == 1 && GetPixel(dc, 3, 3) == RGB(255, 0, 0)));
    DeleteObject(SelectObject(dc, old)), DeleteDC(dc);
    // A minimised WM_SIZE (a client of nothing) changes nothing.
    const LRESULT pageRows = Send(tree, LUMTREEM_GETPAGEROWS);
    Send(tree, WM_SIZE, SIZE_MINIMIZED, 0);
    CHECK(Send(tree, LUMTREEM_GETPAGEROWS) == pageRows);
}

TEST_CASE("controls used alternately each find their own record; top-level ones too") {
    Parent parent;
    HWND a = parent.Tree(kChildStyle, 0, 0, 100, 100, 1), b = parent.Tree(kChildStyle);
    for (int round = 1; round <= 3; ++round) {
        AddItems(a, {{"a", 0}});
        AddItems(b, {{"b", 0}, {"b", 0}});
        CHECK((SendI(a, LUMTREEM_GETCOUNT) == round && SendI(b, LUMTREEM_GETCOUNT) == 2 * round));
    }
    DestroyWindow(a); // the survivor is unaffected, a new control gets a record of its own
    HWND c = parent.Tree(kChildStyle, 0, 0, 100, 100, 3);
    AddItems(c, {{"c", 0}});
    CHECK((SendI(b, LUMTREEM_GETCOUNT) == 6 && SendI(c, LUMTREEM_GETCOUNT) == 1));
    // Without a parent the record is made on WM_GETMINMAXINFO, before WM_NCCREATE.
    HWND top = CreateWindowExA(0, LUMTREE_CLASSNAME, "", WS_OVERLAPPEDWINDOW, 0, 0, 200, 150,
                               nullptr, nullptr, nullptr, nullptr);
    CHECK((SendI(top, LUMTREEM_ADDITEM, 0, Ptr("x")) == 0 && SendI(top, LUMTREEM_GETCOUNT) == 1));
    DestroyWindow(top);
}

TEST_CASE("messages from child windows reach the parent unless forwarding is off") {
    Parent parent;
    HWND tree = parent.Tree(kChildStyle), child = PlaceEditor(tree);
    std::vector<UINT> seen;
    parent.onMessage = [&](UINT msg, WPARAM, LPARAM, LRESULT *result) {
        if (msg != WM_CTLCOLORSTATIC && msg != WM_NOTIFY && msg != WM_CTLCOLORDLG) return false;
        seen.push_back(msg);
        *result = 0x1234;
        return true;
    };
    SetFocus(tree);
    CHECK(GetFocus() == child); // the focus goes on to the child window
    NMHDR hdr{child, 77, 0};
    for (WPARAM on : {5, 0}) {
        CHECK(SendI(tree, LUMTREEM_SETFORWARDTOPARENT, on) == 0);
        parent.Clear();
        seen.clear();
        Send(tree, WM_COMMAND, MAKEWPARAM(77, EN_CHANGE), Ptr(child));
        CHECK((Send(tree, WM_CTLCOLORSTATIC, 0, Ptr(child)) == 0x1234) == (on != 0));
        Send(tree, WM_NOTIFY, 77, Ptr(&hdr));
        Send(tree, WM_CTLCOLORDLG, 0, Ptr(child)); // never on the list
        CHECK(seen == (on ? std::vector<UINT>{WM_CTLCOLORSTATIC, WM_NOTIFY} : std::vector<UINT>{}));
        CHECK(parent.Codes(child) == (on ? Codes{EN_CHANGE} : Codes{}));
    }
}

TEST_CASE("the end-edit request needs the notify style, a child window, live drawing, a view") {
    Parent parent;
    // clang-format off
    const struct { DWORD style; bool child, redrawOff, asks; } cases[] = {
        {kNotifyStyle, true, false, true}, {kChildStyle, true, false, false},
        {kNotifyStyle, false, false, false}, {kNotifyStyle, true, true, false},
        {WS_CHILD | LUMTREESTYLE_NOTIFY, true, false, false}};
    // clang-format on
    for (const auto &c : cases) {
        HWND tree = parent.Tree(c.style);
        if (c.child) PlaceEditor(tree);
        parent.Clear();
        // Turning drawing off is judged with the state before it.
        if (c.redrawOff) Send(tree, WM_SETREDRAW, FALSE);
        CHECK(parent.Codes(tree) == (c.redrawOff ? Codes{LUMTREEN_ENDEDIT} : Codes{}));
        parent.Clear();
        AddFlat(tree, 4);
        CHECK(parent.Codes(tree) == (c.asks ? Codes(4, LUMTREEN_ENDEDIT) : Codes{}));
        TreeDeleteCallback cb{RecordDeletion, 0};
        Send(tree, LUMTREEM_SETDELETECALLBACK, 0, Ptr(&cb));
        parent.Clear(), g_deleted.clear();
        // Destruction calls back for every item and notifies nothing (Wine's hiding of a
        // visible child may ask once to end the editing).
        DestroyWindow(tree);
        CHECK((parent.Codes() == Codes{} || parent.Codes() == Codes{LUMTREEN_ENDEDIT}));
        CHECK(g_deleted == Codes{0, 1, 2, 3});
        CHECK(LumTree_WndProc(tree, LUMTREEM_GETCOUNT, 0, 0) == 0); // the record went with it
    }
}
