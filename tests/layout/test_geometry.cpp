// Row heights, where texts start, the rectangles of header, corner, labels, rows and cells,
// and points to items, checked against layouts computed by hand from font metrics and bitmap
// sizes.
#include "layout_support.h"

using namespace lt;

namespace {

// Style of a control without the notify style: the geometry is the same either way.
constexpr DWORD kPlain = WS_CHILD | WS_VISIBLE;

// A font whose text line (tmHeight + tmDescent / 2) has the wanted parity, so that the
// one-pixel additions of the row height are visible after rounding to even.
HFONT FontWithLineParity(GdiObjects &gdi, int parity) {
    for (int height = 14; height < 40; ++height) {
        HFONT font = gdi.Font(height);
        TEXTMETRICA tm = Metrics(font);
        if ((tm.tmHeight + tm.tmDescent / 2) % 2 == parity) return font;
    }
    FAIL("no font of that parity");
    return nullptr;
}

void SetFont(HWND tree, HFONT font) {
    Send(tree, WM_SETFONT, reinterpret_cast<WPARAM>(font), 0);
}

int RowHeight(HWND tree) {
    return SendI(tree, LUMTREEM_GETROWHEIGHT);
}

void SetNodeBitmaps(HWND tree, HBITMAP bitmap) {
    HBITMAP three[3] = {bitmap, bitmap, bitmap};
    REQUIRE(SendI(tree, LUMTREEM_SETNODEBITMAPS, 0, Ptr(three)) == 1);
}

void SetStateBitmaps(HWND tree, HBITMAP bitmap) {
    HBITMAP three[3] = {bitmap, bitmap, bitmap};
    REQUIRE(SendI(tree, LUMTREEM_SETSTATEBITMAPS, 0, Ptr(three)) == 1);
}

// The item font's measures as the layout uses them.
struct ItemFont {
    int avg, maxw;
    explicit ItemFont(HFONT font) {
        TEXTMETRICA tm = Metrics(font);
        avg = tm.tmAveCharWidth;
        maxw = tm.tmMaxCharWidth;
    }
};

// Left edge of column 0's cell of an item, i.e. where its text starts (no labels, no scroll).
int TextStart(HWND tree, int item) {
    return CellRectOf(tree, item, 0).left;
}

} // namespace

TEST_CASE("the row height follows fonts, lines per item, bitmaps and switches") {
    Parent parent;
    GdiObjects gdi;
    HWND tree = parent.Tree(kPlain, 0, 0, 300, 300);
    HFONT font = FontWithLineParity(gdi, 0);
    const TEXTMETRICA tm = Metrics(font);
    SetFont(tree, font);
    REQUIRE(SendI(tree, LUMTREEM_SETBUTTONSTRIP, 0, Ptr(gdi.Bitmap(4 * 9, 9))) == 1);
    Send(tree, LUMTREEM_SETSHOWBUTTONS, 0);
    const int line = tm.tmHeight + tm.tmDescent / 2; // even
    CHECK(RowHeight(tree) == line);

    CHECK(SendI(tree, LUMTREEM_GETLINESPERITEM) == 1);
    Send(tree, LUMTREEM_SETLINESPERITEM, 0); // ignored
    CHECK(SendI(tree, LUMTREEM_GETLINESPERITEM) == 1);
    Send(tree, LUMTREEM_SETLINESPERITEM, 2);
    const int two = 2 * tm.tmHeight + tm.tmDescent / 2;
    CHECK(RowHeight(tree) == Even(two));
    Send(tree, LUMTREEM_SETLINESPERITEM, 1);

    // Grid lines with horizontal lines add a pixel, the 3-D look four and cancels that pixel.
    Send(tree, LUMTREEM_SETGRIDLINES, 1);
    CHECK(RowHeight(tree) == line + 2);
    Send(tree, LUMTREEM_SETGRIDSTYLE, 0);
    CHECK(RowHeight(tree) == line);
    Send(tree, LUMTREEM_SETGRIDSTYLE, 1);
    CHECK(RowHeight(tree) == line + 2);
    Send(tree, LUMTREEM_SETLOOK3D, 1);
    CHECK(RowHeight(tree) == line + 4);
    Send(tree, LUMTREEM_SETLOOK3D, 0);
    Send(tree, LUMTREEM_SETGRIDLINES, 0);

    // Labels reserve their font's height plus the frame margin: 3 on current hosts, 5 with
    // the older look for the 3-D styles.
    HFONT big = gdi.Font(tm.tmHeight * 2);
    const int bigHeight = Metrics(big).tmHeight;
    Send(tree, LUMTREEM_SETLABELFONT, reinterpret_cast<WPARAM>(big), 0);
    CHECK(RowHeight(tree) == line);
    Send(tree, LUMTREEM_SHOWLABELS, 3);
    CHECK(RowHeight(tree) == Even(bigHeight + 3));
    Record(tree)->oldLook = TRUE;
    Send(tree, LUMTREEM_SETLABELFONT, reinterpret_cast<WPARAM>(big), 0);
    CHECK(RowHeight(tree) == Even(bigHeight + 5));
    Send(tree, LUMTREEM_SHOWLABELS, 4);
    CHECK(RowHeight(tree) == Even(bigHeight + 3));
    Record(tree)->oldLook = FALSE;
    Send(tree, LUMTREEM_SHOWLABELS, 0);
    CHECK(RowHeight(tree) == line);

    // Bitmaps reserve their height; node bitmaps one pixel more.
    SetNodeBitmaps(tree, gdi.Bitmap(8, line + 5));
    CHECK(RowHeight(tree) == Even(line + 6));
    SetStateBitmaps(tree, gdi.Bitmap(8, line + 11));
    CHECK(RowHeight(tree) == Even(line + 11));
    TreeCellAttrRequest cell{};
    cell.version = LUMTREE_ATTRVERSION;
    cell.item = -1;
    cell.attr.bitmap = gdi.Bitmap(3, line + 20);
    REQUIRE(SendI(tree, LUMTREEM_SETCELLATTR, 0, Ptr(&cell)) == 1);
    CHECK(RowHeight(tree) == line + 20);
    // The button height counts only while some expand buttons are shown.
    REQUIRE(SendI(tree, LUMTREEM_SETBUTTONSTRIP, 0, Ptr(gdi.Bitmap(4 * 9, line + 30))) == 1);
    CHECK(RowHeight(tree) == line + 20);
    Send(tree, LUMTREEM_SETSHOWROOTBUTTONS, 1);
    CHECK(RowHeight(tree) == line + 30);
}

TEST_CASE("the text of each level starts after the areas that are switched on") {
    Parent parent;
    GdiObjects gdi;
    HWND tree = parent.Tree(kNotifyStyle, 0, 0, 400, 300);
    HFONT font = gdi.Font(16);
    const ItemFont f(font);
    SetFont(tree, font);
    REQUIRE(SendI(tree, LUMTREEM_SETBUTTONSTRIP, 0, Ptr(gdi.Bitmap(4 * 9, 9))) == 1);
    AddItems(tree, {{"root", 0}, {"child", 1}, {"grandchild", 2}});
    const auto expectTextX = [&](int indent, int fixed) {
        for (int level = 0; level <= 2; ++level) {
            CAPTURE(level);
            CHECK(TextStart(tree, level) == fixed + indent * level);
        }
        CHECK(SendI(tree, LUMTREEM_GETTREEWIDTH) == fixed + indent * 2);
    };

    SUBCASE("tree lines and buttons: the wider of a character and a button per level") {
        expectTextX(std::max(f.maxw, 9), f.avg);
        REQUIRE(SendI(tree, LUMTREEM_SETBUTTONSTRIP, 0, Ptr(gdi.Bitmap(4 * (f.maxw + 7), 9))));
        expectTextX(f.maxw + 7, f.avg);
        Send(tree, LUMTREEM_SETSHOWBUTTONS, 0);
        expectTextX(f.maxw, f.avg);
    }
    SUBCASE("without tree lines the gap stays while the control has its extra indent") {
        parent.Clear();
        Send(tree, LUMTREEM_SETSHOWLINES, 0);
        expectTextX(f.maxw, f.avg);
        CHECK(SendI(tree, LUMTREEM_GETSHOWLINES) == 0);
    }
    SUBCASE("a node bitmap 20 wide steps by 20 with tree lines and by 10 without") {
        SetNodeBitmaps(tree, gdi.Bitmap(20, 5));
        expectTextX(20, 20 + f.avg + f.avg);
        parent.Clear();
        Send(tree, LUMTREEM_SETSHOWLINES, 0);
        expectTextX(10, 20 + f.avg + f.avg);
        CHECK(Count(parent.Codes(tree), LUMTREEN_TREEWIDTHCHANGE) == 1);
    }
    SUBCASE("state bitmaps and root buttons come before the indentation") {
        SetStateBitmaps(tree, gdi.Bitmap(16, 5));
        Send(tree, LUMTREEM_SETSHOWROOTBUTTONS, 1);
        const int indent = std::max(f.maxw, 9);
        expectTextX(indent, (16 + f.avg) + (9 + f.avg) + f.avg);
        // Switching the state bitmaps off again gives their area back.
        REQUIRE(SendI(tree, LUMTREEM_SETSTATEBITMAPS, 0, 0) == 1);
        CHECK(SendI(tree, LUMTREEM_GETSHOWSTATEBITMAPS) == 0);
        expectTextX(indent, (9 + f.avg) + f.avg);
    }
}

TEST_CASE("without the extra indent level-0 text starts at the left edge") {
    Parent parent;
    GdiObjects gdi;
    HWND tree = parent.Tree(kPlain | LUMTREESTYLE_SCROLL, 0, 0, 300, 200);
    HFONT font = gdi.Font(16);
    const ItemFont f(font);
    SetFont(tree, font);
    AddItems(tree, {{"root", 0}, {"child", 1}});
    CHECK(TextStart(tree, 0) == f.avg); // tree lines keep the gap
    Send(tree, LUMTREEM_SETSHOWLINES, 0);
    CHECK(TextStart(tree, 0) == 0);
    CHECK(TextStart(tree, 1) == f.maxw);
}

TEST_CASE("header bar, corner, labels, rows and cells divide the client area") {
    Parent parent;
    GdiObjects gdi;
    HWND tree = parent.Tree(kPlain, 0, 0, 360, 240);
    HFONT font = gdi.Font(16);
    const ItemFont f(font);
    SetFont(tree, font);
    HFONT headerFont = gdi.Font(22);
    Send(tree, LUMTREEM_SETHEADERFONT, reinterpret_cast<WPARAM>(headerFont), 0);
    TreeColumnInfo columns[3] = {{50, 0, 0, nullptr}, {60, 0, 0, nullptr}, {-1, 0, 0, nullptr}};
    REQUIRE(SendI(tree, LUMTREEM_SETCOLUMNINFO, 3, Ptr(columns)) == 1);
    AddItems(tree, {{"a", 0}, {"b", 1}, {"c", 0}});
    const RECT client = Client(tree);
    const int W = client.right, H = client.bottom;
    int rh = RowHeight(tree);
    const int tw = SendI(tree, LUMTREEM_GETTREEWIDTH);
    REQUIRE(tw == std::max(f.maxw, 11) + f.avg);

    // Nothing but rows while header and labels are off.
    CHECK(HeaderRect(tree, -1) == RECT{});
    CHECK(HeaderRect(tree, 0) == RECT{});
    CHECK(LabelRectOf(tree, -1) == RECT{});
    CHECK(CellRectOf(tree, 1, 0) == RECT{f.avg + std::max(f.maxw, 11), rh, tw + 50, 2 * rh});

    Send(tree, LUMTREEM_SHOWHEADER, 1);
    Send(tree, LUMTREEM_SHOWLABELS, 3);
    const int hh = Metrics(headerFont).tmHeight + 3;
    const int lw = SendI(tree, LUMTREEM_GETLABELWIDTH);
    REQUIRE(lw == 4 * f.avg);
    // The labels' own font and margin may need taller rows.
    rh = Even(std::max(
        rh,
        static_cast<int>(Metrics(static_cast<HFONT>(GetStockObject(SYSTEM_FONT))).tmHeight) + 3));
    REQUIRE(RowHeight(tree) == rh);
    RECT corner{};
    Send(tree, LUMTREEM_GETCORNERRECT, 0, Ptr(&corner));
    CHECK(corner == RECT{0, 0, lw, hh});
    CHECK(HeaderRect(tree, -1) == RECT{lw, 0, W, hh});
    CHECK(HeaderRect(tree, 0) == RECT{lw, 0, lw + tw + 50, hh});
    CHECK(HeaderRect(tree, 1) == RECT{lw + tw + 50, 0, lw + tw + 110, hh});
    CHECK(HeaderRect(tree, 2) == RECT{lw + tw + 110, 0, W, hh}); // stretches to the edge
    CHECK(HeaderRect(tree, 3) == RECT{});
    CHECK(HeaderRect(tree, -2) == RECT{});
    CHECK(LabelRectOf(tree, -1) == RECT{0, hh, lw, H});
    CHECK(LabelRectOf(tree, 1) == RECT{0, hh + rh, lw, hh + 2 * rh});
    CHECK(LabelRectOf(tree, 3) == RECT{});
    CHECK(CellRectOf(tree, 1, 0) == RECT{lw + tw, hh + rh, lw + tw + 50, hh + 2 * rh});
    CHECK(CellRectOf(tree, 0, 0) ==
          RECT{lw + f.avg, hh, lw + tw + 50, hh + rh}); // column 0 starts at the text
    CHECK(CellRectOf(tree, 2, 2) == RECT{lw + tw + 110, hh + 2 * rh, W, hh + 3 * rh});
    CHECK(SendI(tree, LUMTREEM_GETFULLROWS) == (H - hh) / rh);

    // A wider content: the stretching column reaches the extent; scrolling moves header and
    // cells, never the corner or the labels.
    const int area = W - lw;
    REQUIRE(SendI(tree, LUMTREEM_SETHEXTENT, static_cast<WPARAM>(area + 300)) == 1);
    CHECK(HeaderRect(tree, 2).right == lw + area + 300);
    REQUIRE(SendI(tree, LUMTREEM_SETHPOS, 100) == 1);
    CHECK(HeaderRect(tree, 0) == RECT{lw - 100, 0, lw - 100 + tw + 50, hh});
    CHECK(HeaderRect(tree, -1) == RECT{lw, 0, W, hh});
    CHECK(CellRectOf(tree, 2, 1).left == lw - 100 + tw + 50);
    CHECK(LabelRectOf(tree, 1) == RECT{0, hh + rh, lw, hh + 2 * rh});
    Send(tree, LUMTREEM_GETCORNERRECT, 0, Ptr(&corner));
    CHECK(corner == RECT{0, 0, lw, hh});

    // A corner bitmap counts in the header height only while labels are shown; a header
    // bitmap always does.
    Send(tree, LUMTREEM_SETCORNERBITMAP, 0, Ptr(gdi.Bitmap(5, hh + 10)));
    CHECK(HeaderRect(tree, -1).bottom == hh + 13);
    Send(tree, LUMTREEM_SHOWLABELS, 0);
    CHECK(HeaderRect(tree, -1) == RECT{0, 0, W, hh});
    CHECK(LabelRectOf(tree, -1) == RECT{});
    TreeColumn records[3] = {};
    for (int c = 0; c < 3; ++c) records[c].width = columns[c].width;
    records[1].headerBitmap = gdi.Bitmap(5, hh + 20);
    REQUIRE(SendI(tree, LUMTREEM_SETCOLUMNS, 3, Ptr(records)) == 1);
    CHECK(HeaderRect(tree, -1).bottom == hh + 23);
}

TEST_CASE("a single column of fixed width spans the tree part at every level") {
    Parent parent;
    GdiObjects gdi;
    HWND tree = parent.Tree(kPlain, 0, 0, 300, 200);
    HFONT font = gdi.Font(16);
    const ItemFont f(font);
    SetFont(tree, font);
    TreeColumnInfo one{100, 0, 0, nullptr};
    REQUIRE(SendI(tree, LUMTREEM_SETCOLUMNINFO, 1, Ptr(&one)) == 1);
    AddItems(tree, {{"a", 0}, {"b", 1}});
    const int tw = SendI(tree, LUMTREEM_GETTREEWIDTH);
    const int indent = std::max(f.maxw, 11);
    CHECK(CellRectOf(tree, 0, 0).right - CellRectOf(tree, 0, 0).left == tw + 100);
    CHECK(CellRectOf(tree, 1, 0).left == f.avg + indent);
    CHECK(CellRectOf(tree, 1, 0).right == f.avg + indent + tw + 100);
}

TEST_CASE("the cell message refuses what has no cell on screen") {
    Parent parent;
    HWND tree = parent.Tree(kPlain, 0, 0, 300, 100);
    AddItems(tree, {{"a", 0}, {"b", 1}, {"c", 0}});
    AddFlat(tree, 30);
    TreeColumnInfo two[2] = {{40, 0, 0, nullptr}, {-1, 0, 0, nullptr}};
    CHECK(SendI(tree, LUMTREEM_SETCOLUMNINFO, 2, Ptr(two)) == 0); // items exist
    CHECK(SendI(tree, LUMTREEM_GETCELLRECT, 0, 0) == 0);          // no column record
    int column = 1;
    CHECK(SendI(tree, LUMTREEM_GETCELLRECT, 0, Ptr(&column)) == 0);
    column = -1; // the column of the last press: 0 after creation
    CHECK(Send(tree, LUMTREEM_GETCELLRECT, 0, Ptr(&column)) ==
          reinterpret_cast<LRESULT>(&Record(tree)->cellRect));
    CHECK(column == 0);
    CHECK(SendI(tree, LUMTREEM_GETCELLRECT, 40, Ptr(&column)) == 0);
    CHECK(SendI(tree, LUMTREEM_GETCELLRECT, 32, Ptr(&column)) == 0); // below the page
    Send(tree, LUMTREEM_EXPAND, 0, 0);
    CHECK(SendI(tree, LUMTREEM_GETCELLRECT, 1, Ptr(&column)) == 0); // hidden
    // Below 0: the caret item.
    const RECT caretCell = CellRectOf(tree, -1, 0);
    CHECK(caretCell == CellRectOf(tree, 0, 0));
    Record(tree)->caret = -1;
    CHECK(SendI(tree, LUMTREEM_GETCELLRECT, static_cast<WPARAM>(-1), Ptr(&column)) == 0);
    Record(tree)->caret = 0;
}

TEST_CASE("points map to items by their row, clamped or up to the end") {
    Parent parent;
    const int rh = RowHeightOfNewControl(parent);
    HWND tree = parent.Tree(kPlain, 0, 0, 200, 4 * rh + rh / 2);
    REQUIRE(SendI(tree, LUMTREEM_GETPAGEROWS) == 5);
    REQUIRE(SendI(tree, LUMTREEM_GETFULLROWS) == 4);
    const auto at = [&](UINT msg, int y) {
        POINT pt{10, y};
        return SendI(tree, msg, 0, Ptr(&pt));
    };
    constexpr UINT clamped = LUMTREEM_ITEMFROMPOINT, toEnd = LUMTREEM_ITEMORENDFROMPOINT;

    CHECK(at(clamped, 0) == 0); // an empty list gives 0, not -1
    CHECK(at(toEnd, 0) == 0);
    AddFlat(tree, 2);
    CHECK(at(clamped, 3 * rh) == 1); // empty row: the last item
    CHECK(at(toEnd, 3 * rh) == 2);   // empty row: one past the last
    AddFlat(tree, 8);
    CHECK(at(clamped, rh - 1) == 0);
    CHECK(at(clamped, 3 * rh + 1) == 3);
    CHECK(at(clamped, 4 * rh) == -1); // the partly visible row
    CHECK(at(toEnd, 4 * rh) == 4);
    const int bottom = Client(tree).bottom;
    CHECK(at(toEnd, bottom) == -1); // the bottom edge belongs to no row
    CHECK(at(toEnd, -1) == -1);
    Send(tree, LUMTREEM_SETTOPINDEX, 3);
    CHECK(at(clamped, rh) == 4);
    CHECK(SendI(tree, LUMTREEM_ITEMFROMPOINT, 0, 0) == -1);
    Send(tree, LUMTREEM_SHOWHEADER, 1);
    CHECK(at(toEnd, 1) == -1); // the header bar
}

TEST_CASE("fitting the height leaves whole rows in the item area") {
    Parent parent;
    const int rh = RowHeightOfNewControl(parent);
    const auto height = [](HWND w) {
        RECT rc;
        GetWindowRect(w, &rc);
        return static_cast<int>(rc.bottom - rc.top);
    };

    HWND tree = parent.Tree(kPlain | WS_BORDER, 0, 0, 200, 4 * rh + 7);
    const int frame = height(tree) - Client(tree).bottom; // 2 for the border
    Send(tree, LUMTREEM_FITHEIGHT, 0);                    // the creation height
    CHECK(height(tree) == 4 * rh + frame);
    Send(tree, LUMTREEM_FITHEIGHT, static_cast<WPARAM>(-5));
    CHECK(height(tree) == 4 * rh + frame);
    // A height that already leaves whole rows changes nothing, even a different one.
    Send(tree, LUMTREEM_FITHEIGHT, static_cast<WPARAM>(2 * rh + frame));
    CHECK(height(tree) == 4 * rh + frame);
    Send(tree, LUMTREEM_FITHEIGHT, static_cast<WPARAM>(2 * rh + frame + 3));
    CHECK(height(tree) == 2 * rh + frame);

    HWND integral = parent.Tree(kPlain | LUMTREESTYLE_INTEGRALHEIGHT, 210, 0, 100, 3 * rh + 5, 2);
    CHECK(height(integral) == 3 * rh);
}
