// Scrolling by message and by the scroll bars, read back from the real bars; moved pixels
// versus full repaints; the horizontal extent and position; WM_SIZE.
#include "layout_support.h"

#include <string>

using namespace lt;

namespace {

// A control whose item area holds `rows` whole rows and half of one more, with n items.
HWND TreeWithRows(Parent &parent, int rows, int n, DWORD style = kNotifyStyle) {
    int rh = RowHeightOfNewControl(parent);
    HWND tree = parent.Tree(style, 0, 0, 200, rows * rh + rh / 2);
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

void Scroll(HWND tree, UINT msg, int code, int pos = 0) {
    Send(tree, msg, MAKEWPARAM(code, static_cast<WORD>(pos)), 0);
}

} // namespace

TEST_CASE("the vertical bar counts shown rows; each request moves the top row by its rule") {
    Parent parent;
    HWND tree = TreeWithRows(parent, 4, 10);
    CHECK(BarOf(tree) == "0..9 page 4 pos 0");
    parent.Clear();
    CHECK(SendI(tree, LUMTREEM_SETTOPINDEX, 9) == 0); // clamped to the last page
    CHECK(BarOf(tree) == "0..9 page 4 pos 6");
    CHECK(SendI(tree, LUMTREEM_SETTOPINDEX, 3) == 0);
    CHECK(BarOf(tree) == "0..9 page 4 pos 3");
    CHECK(parent.Codes(tree).empty()); // the message never notifies
    // Each bar request notifies exactly when the top row moves; code 9 is none.
    const std::pair<int, int> steps[] = {{SB_BOTTOM, 6},   {SB_LINEDOWN, 6}, {SB_LINEUP, 5},
                                         {SB_PAGEUP, 1},   {SB_PAGEUP, 0},   {SB_PAGEDOWN, 4},
                                         {SB_PAGEDOWN, 6}, {SB_TOP, 0},      {9, 0}};
    for (auto [code, top] : steps) {
        CAPTURE(code);
        const bool moves = top != SendI(tree, LUMTREEM_GETTOPINDEX);
        parent.Clear();
        Scroll(tree, WM_VSCROLL, code);
        CHECK(BarOf(tree) == "0..9 page 4 pos " + std::to_string(top));
        CHECK(SendI(tree, LUMTREEM_GETTOPINDEX) == top);
        CHECK(parent.Codes(tree) ==
              (moves ? std::vector<int>{LUMTREEN_TOPCHANGE} : std::vector<int>{}));
    }
    // The thumb position is read from the bar (32 bits), not from the message; the end of a
    // request brings the bar back to the top row; a scroll-bar control's message is not ours.
    SetScrollPos(tree, SB_VERT, 3, FALSE);
    Scroll(tree, WM_VSCROLL, SB_THUMBPOSITION, 1234);
    SetScrollPos(tree, SB_VERT, 5, FALSE);
    Scroll(tree, WM_VSCROLL, SB_ENDSCROLL);
    Send(tree, WM_VSCROLL, SB_LINEDOWN, Ptr(tree));
    CHECK(BarOf(tree) == "0..9 page 4 pos 3");
    CHECK(SendI(tree, LUMTREEM_GETTOPINDEX) == 3);
    // Rows count shown items only: a hidden item made the top row is shown first.
    Send(tree, LUMTREEM_SETLEVEL, 4, 1);
    Send(tree, LUMTREEM_SETLEVEL, 5, 1);
    Send(tree, LUMTREEM_EXPAND, 3, 0);
    CHECK(BarOf(tree) == "0..7 page 4 pos 3");
    CHECK(SendI(tree, LUMTREEM_SETTOPINDEX, 5) == 0);
    CHECK(SendI(tree, LUMTREEM_GETTOPINDEX) == 5);
    CHECK(BarOf(tree) == "0..9 page 4 pos 5");
}

TEST_CASE("the thumb reaches rows beyond 16 bits") {
    Parent parent;
    HWND tree = TreeWithRows(parent, 4, 100000, kChildStyle);
    SetScrollPos(tree, SB_VERT, 70000, FALSE);
    Scroll(tree, WM_VSCROLL, SB_THUMBTRACK, 70000);
    CHECK(SendI(tree, LUMTREEM_GETTOPINDEX) == 70000);
    Scroll(tree, WM_VSCROLL, SB_BOTTOM);
    CHECK(BarOf(tree) == "0..99999 page 4 pos 99996");
    // Without the scroll-info functions only the message's 16 bits are there: they wrap.
    Record(tree)->getScrollInfoFn = nullptr;
    Scroll(tree, WM_VSCROLL, SB_THUMBPOSITION, 70000);
    CHECK(SendI(tree, LUMTREEM_GETTOPINDEX) == 70000 - 65536);
}

TEST_CASE("while a scroll request runs the bar's range stays as it was") {
    Parent parent;
    HWND tree = TreeWithRows(parent, 4, 10);
    std::string during;
    parent.onMessage = [&](UINT msg, WPARAM wp, LPARAM, LRESULT *) {
        if (msg == WM_COMMAND && HIWORD(wp) == LUMTREEN_TOPCHANGE && during.empty()) {
            AddFlat(tree, 10);
            during = BarOf(tree);
        }
        return false;
    };
    Scroll(tree, WM_VSCROLL, SB_LINEDOWN);
    CHECK(during == "0..9 page 4 pos 1"); // the position moves, the range waits
    CHECK(BarOf(tree) == "0..9 page 4 pos 1");
    Scroll(tree, WM_VSCROLL, SB_ENDSCROLL);
    CHECK(BarOf(tree) == "0..19 page 4 pos 1");
}

TEST_CASE("a bar with nothing to scroll is hidden, or disabled with DISABLENOSCROLL") {
    Parent parent;
    HWND tree =
        TreeWithRows(parent, 4, 3, kNotifyStyle | WS_VSCROLL | LUMTREESTYLE_DISABLENOSCROLL);
    const auto bar = [&] {
        SCROLLBARINFO info{};
        info.cbSize = sizeof(info);
        GetScrollBarInfo(tree, OBJID_VSCROLL, &info);
        const bool shown = (GetWindowLongA(tree, GWL_STYLE) & WS_VSCROLL) != 0;
        return !shown ? "hidden" : (info.rgstate[0] & STATE_SYSTEM_UNAVAILABLE) ? "disabled" : "on";
    };
    CHECK(bar() == std::string("disabled"));
    AddFlat(tree, 5);
    CHECK(bar() == std::string("on"));
    for (int i = 0; i < 5; ++i) Send(tree, LUMTREEM_DELETEITEM, 0);
    CHECK(bar() == std::string("disabled"));
    // With LUMTREESTYLE_SCROLL only the bars of the creation style are maintained.
    HWND own = parent.Tree(kNotifyStyle | LUMTREESTYLE_SCROLL, 210, 0, 100, 60, 2);
    AddFlat(own, 30);
    Send(own, LUMTREEM_SETHEXTENT, 2000);
    CHECK((GetWindowLongA(own, GWL_STYLE) & (WS_VSCROLL | WS_HSCROLL)) == 0);
}

TEST_CASE("small moves shift the painted rows, large ones repaint; the corner never moves") {
    Parent parent;
    HWND tree = TreeWithRows(parent, 4, 20);
    Send(tree, LUMTREEM_SHOWHEADER, 1);
    Send(tree, LUMTREEM_SHOWLABELS, 3);
    const int rh = SendI(tree, LUMTREEM_GETROWHEIGHT), pageRows = SendI(tree, LUMTREEM_GETPAGEROWS);
    const int top = HeaderRect(tree, -1).bottom, W = Client(tree).right, H = Client(tree).bottom;
    // The rows that came into view, labels included.
    const std::pair<int, RECT> moves[] = {{1, {0, H - rh, W, H}},
                                          {3, {0, H - 2 * rh, W, H}},
                                          {1, {0, top, W, top + 2 * rh}},
                                          {1 + pageRows, {0, top, W, H}}};
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

TEST_CASE("the horizontal position stays within the extent") {
    Parent parent;
    HWND tree = parent.Tree(kNotifyStyle, 0, 0, 300, 200);
    TreeColumnInfo columns[3] = {{100, 0, 0, nullptr}, {200, 0, 0, nullptr}, {50, 0, 0, nullptr}};
    REQUIRE(SendI(tree, LUMTREEM_SETCOLUMNINFO, 3, Ptr(columns)) == 1);
    AddFlat(tree, 3);
    const int W = Client(tree).right, end = 600 - W;
    const int maxw = Metrics(HFONT(GetStockObject(SYSTEM_FONT))).tmMaxCharWidth;
    Scroll(tree, WM_HSCROLL, SB_LINERIGHT); // no extent: nothing to scroll
    CHECK(SendI(tree, LUMTREEM_GETHPOS) == 0);
    REQUIRE(SendI(tree, LUMTREEM_SETHEXTENT, 600) == 1);
    // A page of a third of the width; the range ends a page past the last position.
    const std::string bar =
        "0.." + std::to_string(end + W / 3 - 1) + " page " + std::to_string(W / 3) + " pos ";
    CHECK(BarOf(tree, SB_HORZ) == bar + "0");
    parent.Clear();
    CHECK(SendI(tree, LUMTREEM_SETHPOS, 100000) == 1);
    CHECK(BarOf(tree, SB_HORZ) == bar + std::to_string(end));
    CHECK(parent.Codes(tree).empty()); // the message never notifies
    const std::pair<int, int> steps[] = {
        {SB_LEFT, 0},          {SB_LINERIGHT, maxw}, {SB_LINELEFT, 0}, {SB_LINELEFT, 0},
        {SB_PAGERIGHT, W / 2}, {SB_THUMBTRACK, 40},  {SB_RIGHT, end},  {9, end}};
    for (auto [code, pos] : steps) {
        CAPTURE(code);
        const bool moves = pos != SendI(tree, LUMTREEM_GETHPOS);
        parent.Clear();
        Scroll(tree, WM_HSCROLL, code, 40);
        CHECK(SendI(tree, LUMTREEM_GETHPOS) == pos);
        CHECK(BarOf(tree, SB_HORZ) == bar + std::to_string(pos));
        CHECK(parent.Codes(tree) ==
              (moves ? std::vector<int>{LUMTREEN_HSCROLL} : std::vector<int>{}));
    }
    // A smaller extent does not move the position; the end of the next request does.
    REQUIRE(SendI(tree, LUMTREEM_SETHEXTENT, 400) == 1);
    CHECK(SendI(tree, LUMTREEM_GETHPOS) == end);
    Scroll(tree, WM_HSCROLL, SB_ENDSCROLL);
    CHECK(SendI(tree, LUMTREEM_GETHPOS) == 400 - W);
}

TEST_CASE("the extent fitted to the columns, and a column scrolled into view") {
    Parent parent;
    Gdi gdi;
    HWND tree = parent.Tree(kNotifyStyle, 0, 0, 300, 200);
    HFONT font = gdi.Font(16);
    const int avg = Metrics(font).tmAveCharWidth,
              indent = std::max<int>(Metrics(font).tmMaxCharWidth, 11);
    const int W = Client(tree).right;
    SetFont(tree, font);
    const auto fit = [&](std::vector<int> codes) {
        parent.Clear();
        Send(tree, LUMTREEM_FITHEXTENT);
        CHECK(parent.Codes(tree) == codes);
        return SendI(tree, LUMTREEM_GETHEXTENT);
    };
    // One stretching column: the widest text from the row start.
    AddItems(tree, {{"a", 0}, {"a rather longer text", 1}, {"c", 2}});
    Send(tree, LUMTREEM_DELETEITEM, 2);
    CHECK(SendI(tree, LUMTREEM_GETTREEWIDTH) == avg + 2 * indent); // a high-water mark
    CHECK(fit({LUMTREEN_TREEWIDTHCHANGE}) ==
          avg + TextWidthOf(font, "a rather longer text") + avg + indent);
    // Fixed columns: the tree part and every width, the position pulled back into it.
    Send(tree, LUMTREEM_DELETEALL);
    TreeColumnInfo columns[4] = {
        {100, 0, 0, nullptr}, {150, 0, 0, nullptr}, {150, 0, 0, nullptr}, {120, 0, 0, nullptr}};
    REQUIRE(SendI(tree, LUMTREEM_SETCOLUMNINFO, 4, Ptr(columns)) == 1);
    Send(tree, LUMTREEM_SETHEXTENT, 2000);
    Send(tree, LUMTREEM_SETHPOS, 50);
    Send(tree, LUMTREEM_ENSURECOLUMNVISIBLE, 2); // empty list: position 0
    CHECK(SendI(tree, LUMTREEM_GETHPOS) == 0);
    AddFlat(tree, 3);
    Send(tree, LUMTREEM_FITHEXTENT); // level 0 alone: the tree part shrinks
    const int tw = SendI(tree, LUMTREEM_GETTREEWIDTH);
    REQUIRE(tw == avg);
    Send(tree, LUMTREEM_SETHEXTENT, 2000);
    Send(tree, LUMTREEM_SETHPOS, 1500);
    CHECK(fit({LUMTREEN_HSCROLL}) == tw + 520);
    CHECK(SendI(tree, LUMTREEM_GETHPOS) == tw + 520 - W);
    // Into view: 1 starts left of the view, 2 ends right of it; in view it stays; 4 is none.
    const std::pair<int, int> steps[] = {
        {1, tw + 100}, {0, 0}, {2, tw + 400 - W}, {2, tw + 400 - W}, {4, tw + 400 - W}};
    for (auto [column, pos] : steps) {
        Send(tree, LUMTREEM_ENSURECOLUMNVISIBLE, static_cast<WPARAM>(column));
        CHECK(SendI(tree, LUMTREEM_GETHPOS) == pos);
    }
}

TEST_CASE("resizing recomputes the page, pulls the position back and repaints the edges") {
    Parent parent(600, 400);
    int rh = RowHeightOfNewControl(parent);
    HWND tree = parent.Tree(kNotifyStyle, 0, 0, 300, 10 * rh);
    TreeColumnInfo columns[2] = {{100, 0, 0, nullptr}, {-1, 0, 0, nullptr}};
    REQUIRE(SendI(tree, LUMTREEM_SETCOLUMNINFO, 2, Ptr(columns)) == 1);
    AddFlat(tree, 5);
    Send(tree, LUMTREEM_SETHEXTENT, 500);
    Send(tree, LUMTREEM_SETHPOS, static_cast<WPARAM>(-1));
    parent.Clear();
    MoveWindow(tree, 0, 0, 400, 6 * rh + 2, FALSE);
    CHECK(SendI(tree, LUMTREEM_GETFULLROWS) == Client(tree).bottom / rh);
    CHECK(SendI(tree, LUMTREEM_GETPAGEROWS) == (Client(tree).bottom + rh - 1) / rh);
    CHECK(SendI(tree, LUMTREEM_GETHPOS) == 500 - Client(tree).right);
    CHECK(parent.Codes(tree) == std::vector<int>{LUMTREEN_HSCROLL});
    Send(tree, WM_SIZE, SIZE_MINIMIZED, MAKELPARAM(1, 1)); // ignored
    CHECK(SendI(tree, LUMTREEM_GETFULLROWS) == Client(tree).bottom / rh);
    const auto repainted = [&](int x, int y) {
        HRGN update = CreateRectRgn(0, 0, 0, 0);
        GetUpdateRgn(tree, update, FALSE);
        bool in = PtInRegion(update, x, y) != FALSE;
        DeleteObject(update);
        return in;
    };
    // Narrower: the rightmost pixel column, the caret row and the stretching column.
    REQUIRE(SendI(tree, LUMTREEM_SETHEXTENT, 100) == 1); // not below the widths' sum, 99
    Send(tree, LUMTREEM_SETHPOS, 0);
    const int tw = SendI(tree, LUMTREEM_GETTREEWIDTH), y = 3 * rh + 1; // not the caret row
    Settle(tree);
    MoveWindow(tree, 0, 0, 350, 6 * rh + 2, FALSE);
    const int narrow = Client(tree).right;
    CHECK((repainted(narrow - 1, y) && repainted(tw + 102, y) && repainted(5, 1)));
    CHECK_FALSE(repainted(tw + 98, y));
    // Wider with fixed columns: from the old last pixel column to the new edge.
    columns[1].width = 50;
    Send(tree, LUMTREEM_DELETEALL);
    REQUIRE(SendI(tree, LUMTREEM_SETCOLUMNINFO, 2, Ptr(columns)) == 1);
    AddFlat(tree, 5);
    Settle(tree);
    MoveWindow(tree, 0, 0, 380, 6 * rh + 2, FALSE);
    CHECK(repainted(narrow - 1, y));
    CHECK_FALSE(repainted(narrow - 2, y));
}
