// Registration, creation defaults, the record lookup, the standard messages of the frame and
// destruction, seen as an application sees them.
#include "../support/harness.h"
#include "lumtree/frame/frame.h"

#include <vector>

using namespace lt;

namespace {

TreeCtl *Record(HWND tree) {
    return reinterpret_cast<TreeCtl *>(GetWindowLongPtrA(tree, 0));
}

TEXTMETRICA SystemFontMetrics() {
    TEXTMETRICA tm{};
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, GetStockObject(SYSTEM_FONT));
    GetTextMetricsA(dc, &tm);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    return tm;
}

struct Deleted {
    HWND window;
    int index;
    DWORD_PTR data;
    LONG style;
};
std::vector<Deleted> g_deleted;

INT CALLBACK RecordDeletion(HWND window, INT index, DWORD_PTR data, DWORD_PTR callbackData) {
    CHECK(callbackData == 0xC0FFEE);
    g_deleted.push_back({window, index, data, GetWindowLongA(window, GWL_STYLE)});
    return 0;
}

} // namespace

TEST_CASE("the library registers its global class and the lost-cursor message at load") {
    Parent parent;
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof(wc);
    REQUIRE(GetClassInfoExA(nullptr, LUMTREE_CLASSNAME, &wc));
    CHECK(wc.style == (CS_GLOBALCLASS | CS_DBLCLKS));
    CHECK(wc.cbWndExtra == static_cast<int>(sizeof(void *)));
    CHECK(wc.hbrBackground == nullptr);

    HWND tree = parent.Tree();
    UINT lost = RegisterWindowMessageA(LUMTREE_LOSTCURSORMSG);
    CHECK(lost != 0);
    CHECK(Send(tree, lost) == 0);
    CHECK(GetPropA(tree, "MarvikTree32") == reinterpret_cast<HANDLE>(1));
}

TEST_CASE("a new control answers with its creation defaults") {
    Parent parent;
    HWND tree = parent.Tree(kNotifyStyle, 0, 0, 200, 200);
    TEXTMETRICA tm = SystemFontMetrics();

    CHECK(SendI(tree, LUMTREEM_GETCOUNT) == 0);
    CHECK(SendI(tree, LUMTREEM_GETTOPINDEX) == 0);
    CHECK(Send(tree, WM_GETFONT) == reinterpret_cast<LRESULT>(GetStockObject(SYSTEM_FONT)));
    CHECK(SendI(tree, LUMTREEM_GETFORWARDTOPARENT) == 1);
    CHECK(SendI(tree, LUMTREEM_GETTABINTERCEPT) == 1);

    // Text height plus half the descent, at least the 11-pixel default button, made even.
    int rowHeight = tm.tmHeight + tm.tmDescent / 2;
    if (rowHeight < 11) rowHeight = 11;
    rowHeight += rowHeight % 2;
    CHECK(SendI(tree, LUMTREEM_GETROWHEIGHT) == rowHeight);
    CHECK(SendI(tree, LUMTREEM_GETPAGEROWS) == (200 + rowHeight - 1) / rowHeight);
    CHECK(SendI(tree, LUMTREEM_GETFULLROWS) == 200 / rowHeight);
    // Creation ends by emptying the list, which zeroes the tree-part width; the next layout
    // change measures it again.
    CHECK(SendI(tree, LUMTREEM_GETTREEWIDTH) == 0);

    const TreeCtl *ctl = Record(tree);
    CHECK(ctl->selection == -1);
    CHECK(ctl->anchor == -1);
    CHECK(ctl->caret == 0);
    CHECK(ctl->showLines == 1);
    CHECK(ctl->showButtons == 1);
    CHECK(ctl->buttonStrip == ctl->defaultBitmap);
    CHECK(ctl->buttonBitmapInfo.bmWidth == 48); // four 12 x 11 images
    CHECK(ctl->columnCount == 1);
    CHECK(ctl->columns[0].width == -1);
    CHECK(ctl->columns[0].format == 0x800);
    CHECK(ctl->gridStyle == 2);
    CHECK(ctl->labelStyle == 3);
    CHECK(ctl->extraIndent == 1);
    CHECK(ctl->pressedHeader == -1);
    CHECK(ctl->dropTarget == -1);
    CHECK(ctl->lastClientWidth == 200); // WM_SIZE arrived when the window was shown
    for (COLORREF c : ctl->colorTable) CHECK(c == LUMTREE_AUTOCOLOR);
    CHECK(ctl->creationHeight == 200);
    CHECK(ctl->resizeCursor != nullptr);
}

TEST_CASE("the scroll bars the control maintains depend on LUMTREESTYLE_SCROLL") {
    Parent parent;
    HWND managed = parent.Tree(kNotifyStyle, 0, 0, 150, 100, 1);
    HWND fixed = parent.Tree(kNotifyStyle | LUMTREESTYLE_SCROLL, 200, 0, 150, 100, 2);
    CHECK((GetWindowLongA(managed, GWL_STYLE) & WS_VSCROLL) == 0);
    AddFlat(managed, 40);
    AddFlat(fixed, 40);
    // Without the style a bar is added as soon as there is something to scroll.
    CHECK((GetWindowLongA(managed, GWL_STYLE) & WS_VSCROLL) != 0);
    SCROLLINFO si{};
    si.cbSize = sizeof(si);
    si.fMask = SIF_ALL;
    REQUIRE(GetScrollInfo(managed, SB_VERT, &si));
    CHECK(si.nMax == 39);
    CHECK(si.nPage == static_cast<UINT>(SendI(managed, LUMTREEM_GETFULLROWS)));
    // With it, a bar the window was not created with is never touched.
    CHECK((GetWindowLongA(fixed, GWL_STYLE) & (WS_VSCROLL | WS_HSCROLL)) == 0);
    CHECK(Record(fixed)->extraIndent == 0);
}

TEST_CASE("two controls used alternately each find their own record") {
    Parent parent;
    HWND a = parent.Tree(kChildStyle, 0, 0, 100, 100, 1);
    HWND b = parent.Tree(kChildStyle, 100, 0, 100, 100, 2);
    for (int round = 1; round <= 3; ++round) {
        Send(a, LUMTREEM_ADDITEM, 0, Ptr("a"));
        Send(b, LUMTREEM_ADDITEM, 0, Ptr("b"));
        Send(b, LUMTREEM_ADDITEM, 0, Ptr("b"));
        CHECK(SendI(a, LUMTREEM_GETCOUNT) == round);
        CHECK(SendI(b, LUMTREEM_GETCOUNT) == 2 * round);
    }
    // After a destruction every lookup reads the window again; the survivor is unaffected and a
    // new control gets a record of its own.
    DestroyWindow(a);
    CHECK(SendI(b, LUMTREEM_GETCOUNT) == 6);
    HWND c = parent.Tree(kChildStyle, 0, 0, 100, 100, 3);
    CHECK(SendI(c, LUMTREEM_GETCOUNT) == 0);
    Send(c, LUMTREEM_ADDITEM, 0, Ptr("c"));
    CHECK(SendI(b, LUMTREEM_GETCOUNT) == 6);
    CHECK(SendI(c, LUMTREEM_GETCOUNT) == 1);
    CHECK(Record(b) != Record(c));
}

TEST_CASE("a top-level control gets its record on WM_GETMINMAXINFO") {
    Parent parent;
    HWND tree = CreateWindowExA(0, LUMTREE_CLASSNAME, "top", WS_OVERLAPPEDWINDOW, 10, 10, 200, 150,
                                nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    REQUIRE(tree != nullptr);
    CHECK(SendI(tree, LUMTREEM_ADDITEM, 0, Ptr("x")) == 0);
    CHECK(SendI(tree, LUMTREEM_GETCOUNT) == 1);
    DestroyWindow(tree);
}

TEST_CASE("standard messages the control answers itself") {
    Parent parent;
    HWND tree = parent.Tree();
    AddFlat(tree, 3);
    parent.Clear();

    SUBCASE("WM_CLOSE asks the parent to cancel and leaves the control alive") {
        CHECK(Send(tree, WM_CLOSE) == 0);
        CHECK(IsWindow(tree));
        REQUIRE(parent.Notes().size() == 1);
        CHECK(parent.Notes()[0].code == 0);
        CHECK(parent.Notes()[0].id == IDCANCEL);
        CHECK(parent.Notes()[0].from == nullptr);
    }
    SUBCASE("WM_ERASEBKGND returns 1 and paints nothing") {
        HDC screen = GetDC(nullptr);
        HDC dc = CreateCompatibleDC(screen);
        HBITMAP bmp = CreateCompatibleBitmap(screen, 8, 8);
        HGDIOBJ old = SelectObject(dc, bmp);
        RECT rc{0, 0, 8, 8};
        HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
        FillRect(dc, &rc, red);
        CHECK(Send(tree, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc)) == 1);
        CHECK(GetPixel(dc, 3, 3) == RGB(255, 0, 0));
        SelectObject(dc, old);
        DeleteObject(red);
        DeleteObject(bmp);
        DeleteDC(dc);
        ReleaseDC(nullptr, screen);
    }
    SUBCASE("WM_CHAR does nothing") {
        for (WPARAM ch : {WPARAM('a'), WPARAM('+'), WPARAM('\r'), WPARAM(' ')}) {
            CHECK(Send(tree, WM_CHAR, ch) == 0);
        }
        CHECK(SendI(tree, LUMTREEM_GETCOUNT) == 3);
        CHECK(parent.Notes().empty());
    }
    SUBCASE("a minimised WM_SIZE changes nothing, not even the remembered width") {
        TreeCtl *ctl = Record(tree);
        int pageRows = ctl->pageRows, width = ctl->lastClientWidth;
        Send(tree, WM_SIZE, SIZE_MINIMIZED, MAKELPARAM(0, 0));
        CHECK(ctl->pageRows == pageRows);
        CHECK(ctl->lastClientWidth == width);
        Send(tree, WM_SIZE, SIZE_RESTORED, MAKELPARAM(120, 400));
        CHECK(ctl->lastClientWidth == 120);
    }
    SUBCASE("WM_SETFONT measures the new font and rebuilds the derived fonts") {
        HFONT font = CreateFontA(-20, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Arial");
        Send(tree, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
        CHECK(Send(tree, WM_GETFONT) == reinterpret_cast<LRESULT>(font));
        const TreeCtl *ctl = Record(tree);
        CHECK(ctl->fontMetrics.tmHeight >= 20);
        CHECK(ctl->caretLogFont.lfWeight == FW_BOLD);
        CHECK(ctl->trackLogFont.lfUnderline == 1);
        CHECK(ctl->trackCaretLogFont.lfWeight == FW_BOLD);
        CHECK(ctl->trackCaretLogFont.lfUnderline == 1);
        CHECK(ctl->caretLogFont.lfHeight == -20);
        int rh = SendI(tree, LUMTREEM_GETROWHEIGHT);
        CHECK(rh % 2 == 0);
        CHECK(rh >= ctl->fontMetrics.tmHeight);
        Send(tree, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(SYSTEM_FONT)), 0);
        DeleteObject(font);
    }
}

TEST_CASE("destruction notifies nothing and calls the deletion callback once per item") {
    Parent parent;
    HWND tree = parent.Tree(kNotifyStyle);
    // A child window makes every change send LUMTREEN_ENDEDIT under the notify style.
    CreateWindowExA(0, "STATIC", "editor", WS_CHILD | WS_VISIBLE, 0, 0, 50, 10, tree, nullptr,
                    nullptr, nullptr);
    AddFlat(tree, 4);
    TreeDeleteCallback cb{RecordDeletion, 0xC0FFEE};
    CHECK(SendI(tree, LUMTREEM_SETDELETECALLBACK, 0, Ptr(&cb)) == 1);
    parent.Clear();
    g_deleted.clear();

    // Some hosts hide a child before destroying it, and hiding asks to end the editing; from
    // WM_DESTROY on nothing reaches the parent, because the notify style is cleared first.
    DestroyWindow(tree);
    for (const Notification &n : parent.Notes()) CHECK(n.code == LUMTREEN_ENDEDIT);
    CHECK(parent.Notes().size() <= 1);
    REQUIRE(g_deleted.size() == 4);
    for (int i = 0; i < 4; ++i) {
        CHECK(g_deleted[i].window == tree);
        CHECK(g_deleted[i].index == i);
        CHECK((g_deleted[i].style & LUMTREESTYLE_NOTIFY) == 0);
    }
    // The window is gone and its record with it: direct calls find nothing.
    CHECK(LumTree_WndProc(tree, LUMTREEM_GETCOUNT, 0, 0) == 0);
}

TEST_CASE("bad input: no record, unknown numbers and null pointers") {
    Parent parent;
    HWND tree = parent.Tree();
    // Windows without a record get 0 for every message but the two creation messages.
    CHECK(LumTree_WndProc(parent.hwnd(), LUMTREEM_GETCOUNT, 0, 0) == 0);
    CHECK(LumTree_WndProc(nullptr, LUMTREEM_ADDITEM, 0, Ptr("x")) == 0);
    // Numbers in the private range without an entry get default processing.
    for (UINT msg : {WM_USER + 5 + 1, WM_USER + 14, WM_USER + 76, WM_USER + 191}) {
        CHECK(Send(tree, msg, 1, 1) == 0);
    }
    CHECK(SendI(tree, LUMTREEM_GETCOUNT) == 0);
    // Null pointers where a record or text is expected never crash.
    CHECK(SendI(tree, LUMTREEM_ADDITEM, 0, 0) == 0);
    CHECK(SendI(tree, LUMTREEM_INSERTITEM, 0, 0) == 0);
    CHECK(SendI(tree, LUMTREEM_SETDELETECALLBACK, 0, 0) == 1);
    CHECK(SendI(tree, LUMTREEM_ITEMFROMPOINT, 0, 0) == -1);
    CHECK(SendI(tree, LUMTREEM_ITEMORENDFROMPOINT, 0, 0) == -1);
    CHECK(Send(tree, WM_GETDLGCODE, 0, 0) == DLGC_WANTARROWS);
    CHECK(SendI(tree, LUMTREEM_GETCOUNT) == 2);
}
