// Row heights, where texts start, the rectangles of header, corner, labels, rows and cells,
// and points to items, checked against layouts computed by hand from font metrics and bitmap
// sizes.
#include "layout_support.h"

using namespace lt;

TEST_CASE("the row height follows fonts, lines per item, bitmaps and switches") {
    Parent parent;
    Gdi gdi;
    HWND tree = parent.Tree(kPlain, 0, 0, 300, 300);
    // A font with an even text line, so that one-pixel additions survive rounding to even.
    HFONT font = nullptr;
    TEXTMETRICA tm{};
    for (int h = 14; !font || (tm.tmHeight + tm.tmDescent / 2) % 2; ++h)
        tm = Metrics(font = gdi.Font(h));
    const int line = tm.tmHeight + tm.tmDescent / 2;
    SetFont(tree, font);
    HFONT big = gdi.Font(tm.tmHeight * 2);
    const int label = Metrics(big).tmHeight;
    SetFont(tree, big, LUMTREEM_SETLABELFONT);
    TreeCellAttrRequest cell{LUMTREE_ATTRVERSION, -1, 0, {}};
    cell.attr.bitmap = gdi.Bitmap(3, line + 20);
    HBITMAP node[3] = {nullptr, gdi.Bitmap(8, line + 5), nullptr};
    HBITMAP state[3] = {gdi.Bitmap(8, 1), gdi.Bitmap(8, line + 11), nullptr};
    const std::tuple<UINT, WPARAM, LPARAM, int> steps[] = {
        {LUMTREEM_SETBUTTONSTRIP, 0, Ptr(gdi.Bitmap(4 * 9, 9)), line},
        {LUMTREEM_SETSHOWBUTTONS, 0, 0, line},
        {LUMTREEM_SHOWLABELS, 3, 0, Even(label + 3)}, // the label font and a margin of 3
        {LUMTREEM_SHOWLABELS, 0, 0, line},
        {LUMTREEM_SETLINESPERITEM, 0, 0, line}, // ignored
        {LUMTREEM_SETLINESPERITEM, 2, 0, Even(2 * tm.tmHeight + tm.tmDescent / 2)},
        {LUMTREEM_SETLINESPERITEM, 1, 0, line},
        {LUMTREEM_SETGRIDLINES, 1, 0, line + 2}, // a pixel for horizontal lines
        {LUMTREEM_SETGRIDSTYLE, 0, 0, line},
        {LUMTREEM_SETGRIDSTYLE, 1, 0, line + 2},
        {LUMTREEM_SETLOOK3D, 1, 0, line + 4}, // four pixels, and no grid pixel
        {LUMTREEM_SETLOOK3D, 0, 0, line + 2},
        {LUMTREEM_SETGRIDLINES, 0, 0, line},
        {LUMTREEM_SETNODEBITMAPS, 0, Ptr(node), Even(line + 6)}, // one pixel more
        {LUMTREEM_SETSTATEBITMAPS, 0, Ptr(state), Even(line + 11)},
        {LUMTREEM_SETCELLATTR, 0, Ptr(&cell), line + 20},
        // The button height counts only while some expand buttons are shown.
        {LUMTREEM_SETBUTTONSTRIP, 0, Ptr(gdi.Bitmap(4 * 9, line + 30)), line + 20},
        {LUMTREEM_SETSHOWROOTBUTTONS, 1, 0, line + 30},
        {LUMTREEM_SETSHOWROOTBUTTONS, 0, 0, line + 20},
    };
    for (auto [msg, wp, lp, height] : steps) {
        CAPTURE(msg);
        Send(tree, msg, wp, lp);
        CHECK(SendI(tree, LUMTREEM_GETROWHEIGHT) == height);
    }
}

TEST_CASE("the text of each level starts after the areas that are switched on") {
    Parent parent;
    Gdi gdi;
    HWND tree = parent.Tree(kNotifyStyle, 0, 0, 400, 300);
    HFONT font = gdi.Font(16);
    const int avg = Metrics(font).tmAveCharWidth, maxw = Metrics(font).tmMaxCharWidth;
    SetFont(tree, font);
    AddItems(tree, {{"root", 0}, {"child", 1}, {"grandchild", 2}});
    HBITMAP node[3] = {nullptr, gdi.Bitmap(20, 5), nullptr}, s16 = gdi.Bitmap(16, 5);
    HBITMAP state[3] = {s16, s16, nullptr};
    const int button = maxw + 7;
    // Per step: the indentation per level and where level 0 starts.
    const std::tuple<UINT, WPARAM, LPARAM, int, int> steps[] = {
        {LUMTREEM_SETBUTTONSTRIP, 0, Ptr(gdi.Bitmap(4 * 9, 9)), std::max(maxw, 9), avg},
        {LUMTREEM_SETNODEBITMAPS, 0, Ptr(node), 20, 20 + avg + avg},
        {LUMTREEM_SETSHOWLINES, 0, 0, 10, 20 + avg + avg}, // half a node bitmap
        {LUMTREEM_SETNODEBITMAPS, 0, 0, maxw, avg},        // the gap stays (extra indent)
        {LUMTREEM_SETSHOWLINES, 1, 0, std::max(maxw, 9), avg},
        {LUMTREEM_SETBUTTONSTRIP, 0, Ptr(gdi.Bitmap(4 * button, 9)), button, avg},
        {LUMTREEM_SETSTATEBITMAPS, 0, Ptr(state), button, (16 + avg) + avg},
        {LUMTREEM_SETSHOWROOTBUTTONS, 1, 0, button, (16 + avg) + (button + avg) + avg},
        {LUMTREEM_SETSTATEBITMAPS, 0, 0, button, (button + avg) + avg},
    };
    for (auto [msg, wp, lp, indent, start] : steps) {
        CAPTURE(msg);
        const int before = SendI(tree, LUMTREEM_GETTREEWIDTH);
        parent.Clear();
        Send(tree, msg, wp, lp);
        for (int level = 0; level <= 2; ++level) {
            CHECK(CellRectOf(tree, level, 0).left == start + indent * level);
        }
        CHECK(SendI(tree, LUMTREEM_GETTREEWIDTH) == start + indent * 2);
        CHECK(parent.Codes(tree).size() == (before != start + indent * 2)); // a width change
    }
}

TEST_CASE("header bar, corner, labels, rows and cells divide the client area") {
    Parent parent;
    Gdi gdi;
    HWND tree = parent.Tree(kPlain, 0, 0, 360, 240);
    HFONT font = gdi.Font(16), headerFont = gdi.Font(22);
    const int avg = Metrics(font).tmAveCharWidth,
              indent = std::max<int>(Metrics(font).tmMaxCharWidth, 11);
    SetFont(tree, font);
    SetFont(tree, headerFont, LUMTREEM_SETHEADERFONT);
    TreeColumnInfo columns[3] = {{50, 0, 0, nullptr}, {60, 0, 0, nullptr}, {-1, 0, 0, nullptr}};
    REQUIRE(SendI(tree, LUMTREEM_SETCOLUMNINFO, 3, Ptr(columns)) == 1);
    AddItems(tree, {{"a", 0}, {"b", 1}, {"c", 0}});
    const int W = Client(tree).right, H = Client(tree).bottom, tw = indent + avg;
    const int rh0 = SendI(tree, LUMTREEM_GETROWHEIGHT);
    CHECK(CellRectOf(tree, 1, 0) == RECT{tw, rh0, tw + 50, 2 * rh0}); // at the text
    Send(tree, LUMTREEM_SHOWHEADER, 1);
    Send(tree, LUMTREEM_SHOWLABELS, 3);
    const int hh = Metrics(headerFont).tmHeight + 3, lw = 4 * avg;
    const int rh =
        Even(std::max<int>(rh0, Metrics(HFONT(GetStockObject(SYSTEM_FONT))).tmHeight + 3));
    REQUIRE(SendI(tree, LUMTREEM_GETROWHEIGHT) == rh);
    CHECK(RectOf(tree, LUMTREEM_GETCORNERRECT) == RECT{0, 0, lw, hh});
    CHECK(HeaderRect(tree, -1) == RECT{lw, 0, W, hh});
    CHECK(HeaderRect(tree, 0) == RECT{lw, 0, lw + tw + 50, hh});
    CHECK(HeaderRect(tree, 1) == RECT{lw + tw + 50, 0, lw + tw + 110, hh});
    CHECK(HeaderRect(tree, 2) == RECT{lw + tw + 110, 0, W, hh}); // stretches to the edge
    CHECK(RectOf(tree, LUMTREEM_GETLABELRECT, -1) == RECT{0, hh, lw, H});
    CHECK(RectOf(tree, LUMTREEM_GETLABELRECT, 1) == RECT{0, hh + rh, lw, hh + 2 * rh});
    CHECK(CellRectOf(tree, 0, 0) == RECT{lw + avg, hh, lw + tw + 50, hh + rh});
    CHECK(CellRectOf(tree, 1, 0) == RECT{lw + tw, hh + rh, lw + tw + 50, hh + 2 * rh});
    CHECK(CellRectOf(tree, 2, 2) == RECT{lw + tw + 110, hh + 2 * rh, W, hh + 3 * rh});
    CHECK(CellRectOf(tree, -1, -1) == CellRectOf(tree, 0, 0)); // the caret; the last press
    CHECK(SendI(tree, LUMTREEM_GETFULLROWS) == (H - hh) / rh);
    // A wider content: the stretching column reaches the extent; scrolling moves header and
    // cells, never the corner or the labels.
    REQUIRE(SendI(tree, LUMTREEM_SETHEXTENT, static_cast<WPARAM>(W - lw + 300)) == 1);
    REQUIRE(SendI(tree, LUMTREEM_SETHPOS, 100) == 1);
    CHECK(HeaderRect(tree, 0) == RECT{lw - 100, 0, lw - 100 + tw + 50, hh});
    CHECK(HeaderRect(tree, 2).right == W + 200);
    CHECK(HeaderRect(tree, -1) == RECT{lw, 0, W, hh});
    CHECK(RectOf(tree, LUMTREEM_GETLABELRECT, 1) == RECT{0, hh + rh, lw, hh + 2 * rh});
    // A corner bitmap counts in the header height while labels are shown.
    Send(tree, LUMTREEM_SETCORNERBITMAP, 0, Ptr(gdi.Bitmap(5, hh + 10)));
    CHECK(RectOf(tree, LUMTREEM_GETCORNERRECT) == RECT{0, 0, lw, hh + 13});
}

TEST_CASE("points map to items by their row, clamped or up to the end") {
    Parent parent;
    const int rh = RowHeightOfNewControl(parent);
    HWND tree = parent.Tree(kPlain, 0, 0, 200, 4 * rh + rh / 2);
    const auto at = [&](UINT msg, int y) {
        POINT pt{10, y};
        return SendI(tree, msg, 0, Ptr(&pt));
    };
    constexpr UINT clamped = LUMTREEM_ITEMFROMPOINT, toEnd = LUMTREEM_ITEMORENDFROMPOINT;
    CHECK(at(clamped, 0) == 0); // an empty list gives 0, not -1
    AddFlat(tree, 2);
    CHECK(at(clamped, 3 * rh) == 1); // empty row: the last item
    CHECK(at(toEnd, 3 * rh) == 2);   // empty row: one past the last
    AddFlat(tree, 8);
    const std::tuple<UINT, int, int> points[] = {
        {clamped, rh - 1, 0},  {clamped, 3 * rh + 1, 3},
        {clamped, 4 * rh, -1},                                   // partly shown
        {toEnd, 4 * rh, 4},    {toEnd, Client(tree).bottom, -1}, // no row
        {toEnd, -1, -1}};
    for (auto [msg, y, item] : points) CHECK(at(msg, y) == item);
    Send(tree, LUMTREEM_SETTOPINDEX, 3);
    CHECK(at(clamped, rh) == 4);
    Send(tree, LUMTREEM_SHOWHEADER, 1);
    CHECK(at(toEnd, 1) == -1); // the header bar
}
