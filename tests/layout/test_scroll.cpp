// Scrolling by message and by the scroll bars, read back from the real bars; moved pixels
// versus full repaints; the horizontal extent and position; WM_SIZE.
#include "layout_support.h"

#include <string>

using namespace lt;

namespace {

// A control whose item area holds 4 whole rows and half of one more, with n items.
HWND TreeWithRows(Parent &parent, int n, DWORD style = kNotifyStyle) {
    int rh = RowHeightOfNewControl(parent);
    HWND tree = parent.Tree(style, 0, 0, 200, 4 * rh + rh / 2);
    Send(tree, WM_SETREDRAW, n < 1000); // long lists are filled without drawing
    AddFlat(tree, n);
    Send(tree, WM_SETREDRAW, TRUE);
    return tree;
}

// A scroll bar as GetScrollInfo reads it: "min..max page n pos p".
std::string BarOf(HWND tree, int bar = SB_VERT) {
    SCROLLINFO si{sizeof(si), SIF_ALL, 0, 0, 0, 0, 0};
    GetScrollInfo(tree, bar, &si);
    return std::to_string(si.nMin) + ".." + std::to_string(si.nMax) + " page " +
           std::to_string(si.nPage) + " pos " + std::to_string(si.nPos);
}

// Sends a bar request; checks the position after it and that it notifies exactly on a move.
void Request(Parent &parent, HWND tree, UINT msg, int code, int pos, int thumb = 0) {
    const UINT get = msg == WM_VSCROLL ? LUMTREEM_GETTOPINDEX : LUMTREEM_GETHPOS;
    const int notify = msg == WM_VSCROLL ? LUMTREEN_TOPCHANGE : LUMTREEN_HSCROLL;
    const bool moves = SendI(tree, get) != pos;
    parent.Clear();
    Send(tree, msg, MAKEWPARAM(code, static_cast<WORD>(thumb)), 0);
    CHECK(SendI(tree, get) == pos);
    CHECK(parent.Codes(tree) == (moves ? std::vector<int>{notify} : std::vector<int>{}));
}

} // namespace

TEST_CASE("the vertical bar counts shown rows; each request moves the top row by its rule") {
    Parent parent;
    HWND tree = TreeWithRows(parent, 10);
    CHECK(BarOf(tree) == "0..9 page 4 pos 0");
    parent.Clear();
    CHECK(SendI(tree, LUMTREEM_SETTOPINDEX, 9) == 0); // clamped to the last page
    CHECK(BarOf(tree) == "0..9 page 4 pos 6");
    CHECK(parent.Codes(tree).empty()); // the message never notifies
    const std::pair<int, int> steps[] = {{SB_LINEDOWN, 6}, {SB_LINEUP, 5},   {SB_PAGEUP, 1},
                                         {SB_PAGEUP, 0},   {SB_PAGEDOWN, 4}, {SB_PAGEDOWN, 6},
                                         {SB_TOP, 0},      {SB_BOTTOM, 6},   {9, 6}}; // 9: none
    for (auto [code, top] : steps) {
        CAPTURE(code);
        Request(parent, tree, WM_VSCROLL, code, top);
        CHECK(BarOf(tree) == "0..9 page 4 pos " + std::to_string(top));
    }
    // The thumb position is read from the bar, not from the message; the end of a request
    // brings the bar back to the top row; a scroll-bar control's message is not ours.
    SetScrollPos(tree, SB_VERT, 3, FALSE);
    Request(parent, tree, WM_VSCROLL, SB_THUMBPOSITION, 3, 1234);
    SetScrollPos(tree, SB_VERT, 5, FALSE);
    Send(tree, WM_VSCROLL, SB_ENDSCROLL, 0);
    Send(tree, WM_VSCROLL, SB_LINEDOWN, Ptr(tree));
    CHECK(BarOf(tree) == "0..9 page 4 pos 3");
}

TEST_CASE("the thumb reaches rows beyond 16 bits") {
    Parent parent;
    HWND tree = TreeWithRows(parent, 100000);
    SetScrollPos(tree, SB_VERT, 70000, FALSE);
    Request(parent, tree, WM_VSCROLL, SB_THUMBTRACK, 70000, 70000);
    Request(parent, tree, WM_VSCROLL, SB_BOTTOM, 99996);
    CHECK(BarOf(tree) == "0..99999 page 4 pos 99996");
    // Without the scroll-info functions only the message's 16 bits are there: they wrap.
    Record(tree)->getScrollInfoFn = nullptr;
    Request(parent, tree, WM_VSCROLL, SB_THUMBPOSITION, 70000 - 65536, 70000);
}

TEST_CASE("small moves shift the painted rows, large ones repaint; the corner never moves") {
    Parent parent;
    HWND tree = TreeWithRows(parent, 20);
    Send(tree, LUMTREEM_SHOWHEADER, 1);
    Send(tree, LUMTREEM_SHOWLABELS, 3);
    const int rh = SendI(tree, LUMTREEM_GETROWHEIGHT), pages = SendI(tree, LUMTREEM_GETPAGEROWS);
    const int top = HeaderRect(tree, -1).bottom, W = Client(tree).right, H = Client(tree).bottom;
    // The rows that came into view, labels included.
    const std::pair<int, RECT> moves[] = {{1, {0, H - rh, W, H}},
                                          {3, {0, H - 2 * rh, W, H}},
                                          {1, {0, top, W, top + 2 * rh}},
                                          {1 + pages, {0, top, W, H}}};
    for (auto [index, expected] : moves) {
        Settle(tree);
        Send(tree, LUMTREEM_SETTOPINDEX, static_cast<WPARAM>(index));
        CHECK(Repainted(tree, {expected}));
    }
    Send(tree, LUMTREEM_SETHEXTENT, 900);
    Settle(tree);
    Send(tree, LUMTREEM_SETHPOS, 10);
    CHECK(Repainted(tree, {HeaderRect(tree, -1), RECT{0, top, W, Client(tree).bottom}}));
}

TEST_CASE(
    "the horizontal position stays within the extent, fitted to the columns; columns into view") {
    Parent parent;
    HWND tree = parent.Tree(kNotifyStyle, 0, 0, 300, 200);
    TreeColumnInfo columns[3] = {{100, 0, 0, nullptr}, {200, 0, 0, nullptr}, {50, 0, 0, nullptr}};
    REQUIRE(SendI(tree, LUMTREEM_SETCOLUMNINFO, 3, Ptr(columns)) == 1);
    AddItems(tree, {{"a", 0}, {"b", 1}, {"c", 2}});
    const int W = Client(tree).right, end = 600 - W;
    const int maxw = Metrics(HFONT(GetStockObject(SYSTEM_FONT))).tmMaxCharWidth;
    Request(parent, tree, WM_HSCROLL, SB_LINERIGHT, 0); // no extent: nothing to scroll
    REQUIRE(SendI(tree, LUMTREEM_SETHEXTENT, 600) == 1);
    // A page of a third of the width; the range ends a page past the last position.
    const std::string bar =
        "0.." + std::to_string(end + W / 3 - 1) + " page " + std::to_string(W / 3) + " pos ";
    CHECK(BarOf(tree, SB_HORZ) == bar + "0");
    CHECK(SendI(tree, LUMTREEM_SETHPOS, 100000) == 1); // never notifies
    CHECK(BarOf(tree, SB_HORZ) == bar + std::to_string(end));
    CHECK(parent.Codes(tree).empty());
    const std::pair<int, int> steps[] = {
        {SB_LEFT, 0},          {SB_LINERIGHT, maxw}, {SB_LINELEFT, 0}, {SB_LINELEFT, 0},
        {SB_PAGERIGHT, W / 2}, {SB_THUMBTRACK, 40},  {SB_RIGHT, end},  {9, end}};
    for (auto [code, pos] : steps) {
        CAPTURE(code);
        Request(parent, tree, WM_HSCROLL, code, pos, 40);
        CHECK(BarOf(tree, SB_HORZ) == bar + std::to_string(pos));
    }
    // A column into view: one starting left of the view to the left edge, one ending right of
    // it to the right edge, the last to the end; one in view stays; 3 is no column.
    const int tw = SendI(tree, LUMTREEM_GETTREEWIDTH);
    const std::pair<int, int> columnsInView[] = {{1, tw + 100},     {0, 0},   {1, tw + 300 - W},
                                                 {1, tw + 300 - W}, {2, end}, {3, end}};
    for (auto [column, pos] : columnsInView) {
        Send(tree, LUMTREEM_ENSURECOLUMNVISIBLE, static_cast<WPARAM>(column));
        CHECK(SendI(tree, LUMTREEM_GETHPOS) == pos);
    }
    // A smaller extent does not move the position; the end of the next request does.
    REQUIRE(SendI(tree, LUMTREEM_SETHEXTENT, 400) == 1);
    Request(parent, tree, WM_HSCROLL, SB_ENDSCROLL, 400 - W);
    // Fitting measures the deepest level anew (the tree part is a high-water mark) and pulls
    // the position back.
    Send(tree, LUMTREEM_DELETEITEM, 2);
    parent.Clear();
    Send(tree, LUMTREEM_FITHEXTENT);
    CHECK(SendI(tree, LUMTREEM_GETHEXTENT) == SendI(tree, LUMTREEM_GETTREEWIDTH) + 350);
    CHECK(SendI(tree, LUMTREEM_GETTREEWIDTH) < tw);
    CHECK(SendI(tree, LUMTREEM_GETHPOS) == SendI(tree, LUMTREEM_GETHEXTENT) - W);
    CHECK(parent.Codes(tree) == std::vector<int>{LUMTREEN_TREEWIDTHCHANGE, LUMTREEN_HSCROLL});
}

TEST_CASE("bars that stay disabled, ranges held during a request, WM_SIZE, the resize cursor") {
    Parent parent;
    // Nothing to scroll: without the style the bar goes, with it the bar stays, disabled.
    HWND plain = TreeWithRows(parent, 2, kNotifyStyle | WS_VSCROLL);
    HWND kept = TreeWithRows(parent, 2, kNotifyStyle | WS_VSCROLL | LUMTREESTYLE_DISABLENOSCROLL);
    CHECK((GetWindowLongA(plain, GWL_STYLE) & WS_VSCROLL) == 0);
    CHECK((GetWindowLongA(kept, GWL_STYLE) & WS_VSCROLL) != 0);
    CHECK_FALSE(EnableScrollBar(kept, SB_VERT, ESB_DISABLE_BOTH)); // already disabled
    DestroyWindow(plain);
    DestroyWindow(kept);

    // Items added while a request is applied move the position only; the range follows later.
    HWND tree = TreeWithRows(parent, 10);
    parent.onMessage = [&](UINT msg, WPARAM wp, LPARAM, LRESULT *) {
        if (msg == WM_COMMAND && HIWORD(wp) == LUMTREEN_TOPCHANGE) AddFlat(tree, 5);
        return false;
    };
    Request(parent, tree, WM_VSCROLL, SB_LINEDOWN, 1);
    CHECK(BarOf(tree) == "0..9 page 4 pos 1");
    parent.onMessage = nullptr;
    Send(tree, WM_VSCROLL, SB_ENDSCROLL, 0);
    CHECK(BarOf(tree) == "0..14 page 4 pos 1");

    // A taller window holds more rows; a wider one pulls the horizontal position back.
    const int rh = SendI(tree, LUMTREEM_GETROWHEIGHT);
    REQUIRE(SendI(tree, LUMTREEM_SETHEXTENT, 400) == 1);
    Send(tree, LUMTREEM_SETHPOS, static_cast<WPARAM>(-1));
    parent.Clear();
    MoveWindow(tree, 0, 0, 300, 8 * rh + GetSystemMetrics(SM_CYHSCROLL), TRUE);
    CHECK(SendI(tree, LUMTREEM_GETFULLROWS) == 8);
    CHECK(BarOf(tree) == "0..14 page 8 pos 1");
    CHECK(SendI(tree, LUMTREEM_GETHPOS) == 400 - 300 + GetSystemMetrics(SM_CXVSCROLL));
    CHECK(parent.Codes(tree) == std::vector<int>{LUMTREEN_HSCROLL});

    // The resize cursor from 4 pixels left of a divider up to 3 pixels right of it.
    TreeColumnInfo columns[2] = {{60, 0, 0, nullptr}, {50, 0, 0, nullptr}};
    Send(tree, LUMTREEM_DELETEALL);
    REQUIRE(SendI(tree, LUMTREEM_SETCOLUMNINFO, 2, Ptr(columns)) == 1);
    Send(tree, LUMTREEM_SHOWHEADER, 1);
    const int divider = SendI(tree, LUMTREEM_GETTREEWIDTH) + 60;
    for (auto [dx, resize] : {std::pair{-5, false}, {-4, true}, {3, true}, {4, false}}) {
        POINT pt{divider + dx, 2};
        ClientToScreen(tree, &pt);
        SetCursorPos(pt.x, pt.y);
        SetCursor(nullptr);
        CAPTURE(dx);
        CHECK((Send(tree, WM_SETCURSOR, reinterpret_cast<WPARAM>(tree), HTCLIENT) == 1) == resize);
        CHECK((GetCursor() == Record(tree)->resizeCursor) == resize);
    }
}
