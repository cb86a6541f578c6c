// Scrolling by message and by the scroll bars, read back from the real bars; moved pixels
// versus full repaints; the horizontal extent and position; WM_SIZE.
#include "layout_support.h"

using namespace lt;

namespace {

// A control whose item area holds `rows` whole rows and half of one more.
HWND TreeWithRows(Parent &parent, int rows, DWORD style = kNotifyStyle, int width = 200) {
    int rh = RowHeightOfNewControl(parent);
    HWND tree = parent.Tree(style, 0, 0, width, rows * rh + rh / 2);
    REQUIRE(SendI(tree, LUMTREEM_GETFULLROWS) == rows);
    return tree;
}

int Top(HWND tree) {
    return SendI(tree, LUMTREEM_GETTOPINDEX);
}

void VScroll(HWND tree, int code, int pos = 0) {
    Send(tree, WM_VSCROLL, MAKEWPARAM(code, static_cast<WORD>(pos)), 0);
}

void HScroll(HWND tree, int code, int pos = 0) {
    Send(tree, WM_HSCROLL, MAKEWPARAM(code, static_cast<WORD>(pos)), 0);
}

int HPos(HWND tree) {
    return SendI(tree, LUMTREEM_GETHPOS);
}

} // namespace

TEST_CASE("the vertical bar counts shown rows, a page being the whole rows") {
    Parent parent;
    HWND tree = TreeWithRows(parent, 4);
    AddFlat(tree, 10);
    SCROLLINFO si = Bar(tree, SB_VERT);
    CHECK(si.nMin == 0);
    CHECK(si.nMax == 9);
    CHECK(si.nPage == 4u);
    CHECK(si.nPos == 0);

    parent.Clear();
    CHECK(SendI(tree, LUMTREEM_SETTOPINDEX, 9) == 0); // clamped to the last page
    CHECK(Top(tree) == 6);
    CHECK(Bar(tree, SB_VERT).nPos == 6);
    CHECK(SendI(tree, LUMTREEM_SETTOPINDEX, 3) == 0);
    CHECK(Bar(tree, SB_VERT).nPos == 3);
    CHECK(SendI(tree, LUMTREEM_SETTOPINDEX, 10) == -1);
    CHECK(SendI(tree, LUMTREEM_SETTOPINDEX, static_cast<WPARAM>(-1)) == -1);
    CHECK(Top(tree) == 3);
    CHECK(parent.Codes(tree).empty()); // the message never notifies

    // Rows count shown items only: a hidden item made the top row is shown first.
    Send(tree, LUMTREEM_SETTOPINDEX, 0);
    Send(tree, LUMTREEM_SETLEVEL, 4, 1);
    Send(tree, LUMTREEM_SETLEVEL, 5, 1);
    Send(tree, LUMTREEM_EXPAND, 3, 0);
    CHECK(Bar(tree, SB_VERT).nMax == 7);
    CHECK(SendI(tree, LUMTREEM_SETTOPINDEX, 5) == 0);
    CHECK(SendI(tree, LUMTREEM_ISSHOWN, 5) == 1);
    CHECK(Top(tree) == 5);
    CHECK(Bar(tree, SB_VERT).nMax == 9);
}

TEST_CASE("every scroll-bar request moves the top row by its rule") {
    Parent parent;
    HWND tree = TreeWithRows(parent, 4);
    AddFlat(tree, 10);
    parent.Clear();

    VScroll(tree, SB_BOTTOM);
    CHECK(Top(tree) == 6);
    CHECK(parent.Codes(tree) == std::vector<int>{LUMTREEN_TOPCHANGE});
    parent.Clear();
    VScroll(tree, SB_LINEDOWN); // already at the last page
    CHECK(Top(tree) == 6);
    CHECK(parent.Codes(tree).empty());
    VScroll(tree, SB_LINEUP);
    CHECK(Top(tree) == 5);
    VScroll(tree, SB_PAGEUP);
    CHECK(Top(tree) == 1);
    VScroll(tree, SB_PAGEUP);
    CHECK(Top(tree) == 0);
    VScroll(tree, SB_PAGEDOWN);
    CHECK(Top(tree) == 4);
    VScroll(tree, SB_PAGEDOWN);
    CHECK(Top(tree) == 6);
    VScroll(tree, SB_TOP);
    CHECK(Top(tree) == 0);
    // The thumb position is read from the bar (a 32-bit track position).
    SetScrollPos(tree, SB_VERT, 3, FALSE);
    VScroll(tree, SB_THUMBPOSITION, 1234);
    CHECK(Top(tree) == 3);
    // The end of a request brings the bar back to the top row.
    SetScrollPos(tree, SB_VERT, 5, FALSE);
    VScroll(tree, SB_ENDSCROLL);
    CHECK(Bar(tree, SB_VERT).nPos == 3);
    parent.Clear();
    VScroll(tree, 9);
    Send(tree, WM_VSCROLL, SB_LINEDOWN, Ptr(tree)); // from a scroll-bar control
    CHECK(Top(tree) == 3);
    CHECK(parent.Codes(tree).empty());
    // Without the scroll-info functions the position comes in the message.
    Record(tree)->getScrollInfoFn = nullptr;
    VScroll(tree, SB_THUMBTRACK, 2);
    CHECK(Top(tree) == 2);
}

TEST_CASE("the thumb reaches rows beyond 16 bits") {
    Parent parent;
    HWND tree = TreeWithRows(parent, 4, kChildStyle);
    Send(tree, WM_SETREDRAW, FALSE);
    AddFlat(tree, 100000);
    Send(tree, WM_SETREDRAW, TRUE);
    CHECK(Bar(tree, SB_VERT).nMax == 99999);
    SetScrollPos(tree, SB_VERT, 70000, FALSE);
    VScroll(tree, SB_THUMBTRACK, 70000);
    CHECK(Top(tree) == 70000);
    VScroll(tree, SB_BOTTOM);
    CHECK(Top(tree) == 99996);
    CHECK(Bar(tree, SB_VERT).nPos == 99996);
    // The 16-bit position of the message alone wraps.
    Record(tree)->getScrollInfoFn = nullptr;
    VScroll(tree, SB_THUMBPOSITION, 70000);
    CHECK(Top(tree) == 70000 - 65536);
}

TEST_CASE("while a scroll request runs the bar's range stays as it was") {
    Parent parent;
    HWND tree = TreeWithRows(parent, 4);
    AddFlat(tree, 10);
    int maxDuringRequest = -1;
    parent.onMessage = [&](UINT msg, WPARAM wp, LPARAM, LRESULT *) {
        if (msg == WM_COMMAND && HIWORD(wp) == LUMTREEN_TOPCHANGE && maxDuringRequest < 0) {
            AddFlat(tree, 10);
            maxDuringRequest = Bar(tree, SB_VERT).nMax;
        }
        return false;
    };
    VScroll(tree, SB_LINEDOWN);
    CHECK(maxDuringRequest == 9);
    SCROLLINFO si = Bar(tree, SB_VERT);
    CHECK(si.nMax == 9);
    CHECK(si.nPos == 1);
    VScroll(tree, SB_ENDSCROLL);
    CHECK(Bar(tree, SB_VERT).nMax == 19);
}

TEST_CASE("with LUMTREESTYLE_DISABLENOSCROLL a bar with nothing to scroll stays, disabled") {
    Parent parent;
    HWND tree = TreeWithRows(parent, 4, kNotifyStyle | WS_VSCROLL | LUMTREESTYLE_DISABLENOSCROLL);
    AddFlat(tree, 3);
    CHECK(BarVisible(tree, SB_VERT));
    CHECK(BarDisabled(tree, SB_VERT));
    Send(tree, LUMTREEM_SETDISABLENOSCROLL, 0);
    CHECK((GetWindowLongA(tree, GWL_STYLE) & LUMTREESTYLE_DISABLENOSCROLL) == 0);
    Send(tree, LUMTREEM_SETDISABLENOSCROLL, 7);
    CHECK((GetWindowLongA(tree, GWL_STYLE) & LUMTREESTYLE_DISABLENOSCROLL) != 0);
    AddFlat(tree, 5);
    CHECK(BarVisible(tree, SB_VERT));
    CHECK_FALSE(BarDisabled(tree, SB_VERT));
    CHECK(Bar(tree, SB_VERT).nMax == 7);
    for (int i = 0; i < 5; ++i) Send(tree, LUMTREEM_DELETEITEM, 0);
    CHECK(BarVisible(tree, SB_VERT));
    CHECK(BarDisabled(tree, SB_VERT));
}

TEST_CASE("without the scroll-info functions the bar's range is the last top row") {
    Parent parent;
    int rh = RowHeightOfNewControl(parent);
    HWND plain = parent.Tree(kChildStyle, 0, 0, 150, 4 * rh + rh / 2, 1);
    HWND keep =
        parent.Tree(kChildStyle | LUMTREESTYLE_DISABLENOSCROLL, 160, 0, 150, 4 * rh + rh / 2, 2);
    const auto range = [](HWND w) {
        INT low = -1, high = -1;
        GetScrollRange(w, SB_VERT, &low, &high);
        return std::pair{low, high};
    };
    for (HWND tree : {plain, keep}) {
        // As on a host without the functions: creation set a page size, which such a host
        // never has.
        Record(tree)->setScrollInfoFn = nullptr;
        SCROLLINFO noPage{sizeof(SCROLLINFO), SIF_PAGE, 0, 0, 0, 0, 0};
        SetScrollInfo(tree, SB_VERT, &noPage, FALSE);
        AddFlat(tree, 10);
        CHECK(range(tree) == std::pair{0, 6});
        VScroll(tree, SB_BOTTOM);
        CHECK(GetScrollPos(tree, SB_VERT) == 6);
        Send(tree, LUMTREEM_DELETEALL);
        AddFlat(tree, 3);
    }
    CHECK(range(plain) == std::pair{0, 0});
    CHECK_FALSE(BarVisible(plain, SB_VERT));
    // Disabled, then given the range 0 to 1 (Wine's SetScrollRange enables it again).
    CHECK(range(keep) == std::pair{0, 1});
    CHECK(BarVisible(keep, SB_VERT));
    // Changing the style brings the bars up to date at once.
    Send(keep, LUMTREEM_SETDISABLENOSCROLL, 0);
    CHECK(range(keep) == std::pair{0, 0});
    CHECK_FALSE(BarVisible(keep, SB_VERT));
    Send(plain, LUMTREEM_SETDISABLENOSCROLL, 1);
    CHECK(range(plain) == std::pair{0, 1});
    CHECK(BarVisible(plain, SB_VERT));
}

TEST_CASE("with LUMTREESTYLE_SCROLL only the bars of the creation style are maintained") {
    Parent parent;
    HWND tree = TreeWithRows(parent, 4, kNotifyStyle | WS_VSCROLL | LUMTREESTYLE_SCROLL);
    AddFlat(tree, 10);
    CHECK(Bar(tree, SB_VERT).nMax == 9);
    Send(tree, LUMTREEM_SETHEXTENT, 2000);
    CHECK_FALSE(BarVisible(tree, SB_HORZ));
    HWND none = parent.Tree(kNotifyStyle | LUMTREESTYLE_SCROLL, 210, 0, 100, 60, 2);
    AddFlat(none, 30);
    CHECK_FALSE(BarVisible(none, SB_VERT));
}

TEST_CASE("small vertical moves shift the painted rows, large ones repaint them") {
    Parent parent;
    HWND tree = TreeWithRows(parent, 4);
    AddFlat(tree, 20);
    Send(tree, LUMTREEM_SHOWHEADER, 1);
    Send(tree, LUMTREEM_SHOWLABELS, 3);
    const int rh = SendI(tree, LUMTREEM_GETROWHEIGHT);
    const int pageRows = SendI(tree, LUMTREEM_GETPAGEROWS);
    const RECT client = Client(tree);
    const int top = HeaderRect(tree, -1).bottom;
    const int W = client.right, H = client.bottom;

    Settle(tree);
    Send(tree, LUMTREEM_SETTOPINDEX, 1);
    {
        UpdateRegion region(tree); // the row strip that came into view, labels included
        CHECK(region.Is({RECT{0, H - rh, W, H}}));
    }
    Settle(tree);
    Send(tree, LUMTREEM_SETTOPINDEX, 3);
    CHECK(UpdateRegion(tree).Is({RECT{0, H - 2 * rh, W, H}}));
    Settle(tree);
    Send(tree, LUMTREEM_SETTOPINDEX, 1);
    CHECK(UpdateRegion(tree).Is({RECT{0, top, W, top + 2 * rh}}));
    Settle(tree);
    Send(tree, LUMTREEM_SETTOPINDEX, static_cast<WPARAM>(1 + pageRows));
    CHECK(UpdateRegion(tree).Is({RECT{0, top, W, H}}));
}

TEST_CASE("the horizontal position stays within the extent") {
    Parent parent;
    HWND tree = parent.Tree(kNotifyStyle, 0, 0, 300, 200);
    TreeColumnInfo columns[3] = {{100, 0, 0, nullptr}, {200, 0, 0, nullptr}, {50, 0, 0, nullptr}};
    REQUIRE(SendI(tree, LUMTREEM_SETCOLUMNINFO, 3, Ptr(columns)) == 1);
    AddFlat(tree, 3);
    const int W = Client(tree).right;
    const int maxw = Metrics(static_cast<HFONT>(GetStockObject(SYSTEM_FONT))).tmMaxCharWidth;

    CHECK(SendI(tree, LUMTREEM_SETHPOS, static_cast<WPARAM>(-1)) == 1); // no extent: 0
    CHECK(HPos(tree) == 0);
    CHECK(SendI(tree, LUMTREEM_SETHEXTENT, static_cast<WPARAM>(-1)) == 0);
    CHECK(SendI(tree, LUMTREEM_SETHEXTENT, 349) == 0); // narrower than the columns
    CHECK(SendI(tree, LUMTREEM_GETHEXTENT) == 0);
    HScroll(tree, SB_LINERIGHT); // nothing to scroll
    CHECK(HPos(tree) == 0);
    REQUIRE(SendI(tree, LUMTREEM_SETHEXTENT, 600) == 1);
    CHECK(SendI(tree, LUMTREEM_GETHEXTENT) == 600);
    SCROLLINFO si = Bar(tree, SB_HORZ);
    CHECK(si.nMax == (600 - W) + W / 3 - 1);
    CHECK(si.nPage == static_cast<UINT>(W / 3));

    parent.Clear();
    CHECK(SendI(tree, LUMTREEM_SETHPOS, static_cast<WPARAM>(-1)) == 1);
    CHECK(HPos(tree) == 600 - W);
    CHECK(Bar(tree, SB_HORZ).nPos == 600 - W);
    CHECK(SendI(tree, LUMTREEM_SETHPOS, static_cast<WPARAM>(-2)) == 0);
    CHECK(SendI(tree, LUMTREEM_SETHPOS, 100000) == 1);
    CHECK(HPos(tree) == 600 - W);
    CHECK(parent.Codes(tree).empty()); // the message never notifies

    HScroll(tree, SB_LEFT);
    CHECK(HPos(tree) == 0);
    CHECK(parent.Codes(tree) == std::vector<int>{LUMTREEN_HSCROLL});
    HScroll(tree, SB_LINERIGHT);
    CHECK(HPos(tree) == maxw);
    HScroll(tree, SB_LINELEFT);
    HScroll(tree, SB_LINELEFT);
    CHECK(HPos(tree) == 0);
    HScroll(tree, SB_PAGERIGHT);
    CHECK(HPos(tree) == W / 2);
    HScroll(tree, SB_THUMBTRACK, 40);
    CHECK(HPos(tree) == 40);
    HScroll(tree, SB_RIGHT);
    CHECK(HPos(tree) == 600 - W);
    HScroll(tree, 9);
    CHECK(HPos(tree) == 600 - W);

    // A smaller extent does not move the position; the end of the next request does.
    REQUIRE(SendI(tree, LUMTREEM_SETHEXTENT, 400) == 1);
    CHECK(HPos(tree) == 600 - W);
    HScroll(tree, SB_ENDSCROLL);
    CHECK(HPos(tree) == 400 - W);
}

TEST_CASE("horizontal scrolling repaints header and rows, never the corner") {
    Parent parent;
    HWND tree = parent.Tree(kNotifyStyle, 0, 0, 300, 200);
    AddFlat(tree, 3);
    Send(tree, LUMTREEM_SHOWHEADER, 1);
    Send(tree, LUMTREEM_SHOWLABELS, 5);
    Send(tree, LUMTREEM_SETHEXTENT, 900);
    Settle(tree);
    Send(tree, LUMTREEM_SETHPOS, 10);
    UpdateRegion region(tree);
    RECT corner{};
    Send(tree, LUMTREEM_GETCORNERRECT, 0, Ptr(&corner));
    const RECT client = Client(tree);
    CHECK(region.Is({HeaderRect(tree, -1), RECT{0, corner.bottom, client.right, client.bottom}}));
    CHECK_FALSE(region.Has(1, 1));
}

TEST_CASE("the extent can be fitted to the columns") {
    Parent parent;
    GdiObjects gdi;
    HWND tree = parent.Tree(kNotifyStyle, 0, 0, 300, 200);
    HFONT font = gdi.Font(16);
    const TEXTMETRICA tm = Metrics(font);
    const int avg = tm.tmAveCharWidth, indent = std::max<int>(tm.tmMaxCharWidth, 11);
    Send(tree, WM_SETFONT, reinterpret_cast<WPARAM>(font), 0);

    SUBCASE("fixed columns: the tree part and every width; the deepest level is measured anew") {
        TreeColumnInfo columns[2] = {{100, 0, 0, nullptr}, {60, 0, 0, nullptr}};
        REQUIRE(SendI(tree, LUMTREEM_SETCOLUMNINFO, 2, Ptr(columns)) == 1);
        AddItems(tree, {{"a", 0}, {"b", 1}, {"c", 2}});
        CHECK(SendI(tree, LUMTREEM_GETTREEWIDTH) == avg + 2 * indent);
        Send(tree, LUMTREEM_DELETEITEM, 2);
        CHECK(SendI(tree, LUMTREEM_GETTREEWIDTH) == avg + 2 * indent); // a high-water mark
        parent.Clear();
        Send(tree, LUMTREEM_FITHEXTENT);
        CHECK(SendI(tree, LUMTREEM_GETTREEWIDTH) == avg + indent);
        CHECK(Count(parent.Codes(tree), LUMTREEN_TREEWIDTHCHANGE) == 1);
        CHECK(SendI(tree, LUMTREEM_GETHEXTENT) == avg + indent + 160);
    }
    SUBCASE("a single stretching column: the widest text from the row start") {
        AddItems(tree, {{"short", 0}, {"a rather longer text", 1}});
        Send(tree, LUMTREEM_FITHEXTENT);
        CHECK(SendI(tree, LUMTREEM_GETHEXTENT) ==
              avg + TextWidthOf(font, "a rather longer text") + avg + indent);
    }
    SUBCASE("the position is pulled back into the fitted extent") {
        TreeColumnInfo columns[2] = {{500, 0, 0, nullptr}, {-1, 0, 0, nullptr}};
        REQUIRE(SendI(tree, LUMTREEM_SETCOLUMNINFO, 2, Ptr(columns)) == 1);
        AddFlat(tree, 2);
        const int tw = SendI(tree, LUMTREEM_GETTREEWIDTH);
        REQUIRE(SendI(tree, LUMTREEM_SETHEXTENT, 2000) == 1);
        Send(tree, LUMTREEM_SETHPOS, static_cast<WPARAM>(-1));
        parent.Clear();
        Send(tree, LUMTREEM_FITHEXTENT); // column 1 holds no texts: one character
        CHECK(SendI(tree, LUMTREEM_GETHEXTENT) == avg + tw + 500);
        CHECK(HPos(tree) == avg + tw + 500 - Client(tree).right);
        CHECK(Count(parent.Codes(tree), LUMTREEN_HSCROLL) == 1);
    }
}

TEST_CASE("a column is scrolled into view: the first to the left, the last to the right") {
    Parent parent;
    HWND tree = parent.Tree(kNotifyStyle, 0, 0, 300, 200);
    TreeColumnInfo columns[4] = {
        {100, 0, 0, nullptr}, {150, 0, 0, nullptr}, {150, 0, 0, nullptr}, {120, 0, 0, nullptr}};
    REQUIRE(SendI(tree, LUMTREEM_SETCOLUMNINFO, 4, Ptr(columns)) == 1);
    Send(tree, LUMTREEM_SETHEXTENT, 2000);
    Send(tree, LUMTREEM_SETHPOS, 50);
    Send(tree, LUMTREEM_ENSURECOLUMNVISIBLE, 2); // empty list: position 0
    CHECK(HPos(tree) == 0);
    AddFlat(tree, 3);
    Send(tree, LUMTREEM_FITHEXTENT);
    const int tw = SendI(tree, LUMTREEM_GETTREEWIDTH);
    const int W = Client(tree).right;
    REQUIRE(SendI(tree, LUMTREEM_GETHEXTENT) == tw + 520);

    parent.Clear();
    Send(tree, LUMTREEM_ENSURECOLUMNVISIBLE, 3);
    CHECK(HPos(tree) == tw + 520 - W);
    CHECK(parent.Codes(tree) == std::vector<int>{LUMTREEN_HSCROLL});
    Send(tree, LUMTREEM_ENSURECOLUMNVISIBLE, 1); // starts left of the view
    CHECK(HPos(tree) == tw + 100);
    Send(tree, LUMTREEM_ENSURECOLUMNVISIBLE, 0);
    CHECK(HPos(tree) == 0);
    Send(tree, LUMTREEM_ENSURECOLUMNVISIBLE, 2); // ends right of the view
    CHECK(HPos(tree) == tw + 400 - W);
    Send(tree, LUMTREEM_ENSURECOLUMNVISIBLE, 2); // in view now: stays
    CHECK(HPos(tree) == tw + 400 - W);
    Send(tree, LUMTREEM_ENSURECOLUMNVISIBLE, 4);
    CHECK(HPos(tree) == tw + 400 - W);
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
    const int W = Client(tree).right;
    REQUIRE(HPos(tree) == 500 - W);

    parent.Clear();
    MoveWindow(tree, 0, 0, 400, 6 * rh + 2, FALSE);
    const RECT client = Client(tree);
    CHECK(SendI(tree, LUMTREEM_GETFULLROWS) == client.bottom / rh);
    CHECK(SendI(tree, LUMTREEM_GETPAGEROWS) == (client.bottom + rh - 1) / rh);
    CHECK(HPos(tree) == 500 - client.right);
    CHECK(Count(parent.Codes(tree), LUMTREEN_HSCROLL) == 1);
    CHECK(Record(tree)->lastClientWidth == client.right);

    Send(tree, WM_SIZE, SIZE_MINIMIZED, MAKELPARAM(1, 1));
    CHECK(Record(tree)->lastClientWidth == client.right);
    CHECK(SendI(tree, LUMTREEM_GETFULLROWS) == client.bottom / rh);

    // Narrower: the rightmost pixel column, the caret row and the stretching column.
    REQUIRE(SendI(tree, LUMTREEM_SETHEXTENT, 100) == 1); // not below the widths' sum, 99
    Send(tree, LUMTREEM_SETHPOS, 0);
    const int tw = SendI(tree, LUMTREEM_GETTREEWIDTH);
    Settle(tree);
    MoveWindow(tree, 0, 0, 350, 6 * rh + 2, FALSE);
    const int narrow = Client(tree).right;
    {
        UpdateRegion region(tree);
        const int y = 3 * rh + 1; // not the caret row
        CHECK(region.Has(narrow - 1, y));
        CHECK(region.Has(tw + 100 + 2, y));
        CHECK_FALSE(region.Has(tw + 100 - 2, y));
        CHECK(region.Has(5, 1)); // the caret row
    }
    // Wider with fixed columns: from the old last pixel column to the new edge.
    Send(tree, LUMTREEM_DELETEALL);
    columns[1].width = 50;
    REQUIRE(SendI(tree, LUMTREEM_SETCOLUMNINFO, 2, Ptr(columns)) == 1);
    AddFlat(tree, 5);
    Settle(tree);
    MoveWindow(tree, 0, 0, 380, 6 * rh + 2, FALSE);
    {
        UpdateRegion region(tree);
        const int y = 3 * rh + 1;
        CHECK(region.Has(narrow - 1, y));
        CHECK_FALSE(region.Has(narrow - 2, y));
    }
}
