// Column sets in both forms, titles, the live column array, the header bar switches and
// cell attributes, as an application uses them.
#include "layout_support.h"

#include <cstring>

using namespace lt;

namespace {

std::string Title(HWND tree, int size = 64) {
    std::vector<char> buffer(static_cast<size_t>(size) + 1, 'x');
    int n = SendI(tree, LUMTREEM_GETCOLUMNTITLE, static_cast<WPARAM>(size), Ptr(buffer.data()));
    CHECK(n == static_cast<int>(std::strlen(buffer.data())));
    return buffer.data();
}

TreeCellAttrRequest CellRequest(int item, int column) {
    TreeCellAttrRequest request{};
    request.version = LUMTREE_ATTRVERSION;
    request.item = item;
    request.column = column;
    return request;
}

} // namespace

TEST_CASE("the full form copies records and titles, the caller keeps its own") {
    Parent parent;
    GdiObjects gdi;
    HWND tree = parent.Tree();
    char first[] = "Name", third[] = "Size";
    TreeColumn records[3] = {};
    records[0].width = 120;
    records[0].title = first;
    records[0].userValue1 = 11;
    records[1].width = 80;
    records[1].format = LUMTREEFORMAT_RIGHT;
    records[1].headerBitmap = gdi.Bitmap(6, 4);
    records[1].headerBitmapFlags = LUMTREEBITMAP_RIGHT;
    records[2].width = -1;
    records[2].title = third;
    records[2].userValue2 = 22;
    Send(tree, LUMTREEM_SETTEXTCOLUMN, 0);
    REQUIRE(SendI(tree, LUMTREEM_SETCOLUMNS, 3, Ptr(records)) == 1);
    std::strcpy(first, "XXXX");

    TreeColumn *live = nullptr;
    CHECK(SendI(tree, LUMTREEM_GETCOLUMNS, 0, Ptr(&live)) == 3);
    REQUIRE(live != nullptr);
    CHECK(SendI(tree, LUMTREEM_GETCOLUMNS) == 3);
    CHECK(std::strcmp(live[0].title, "Name") == 0);
    CHECK(live[0].title != first);
    CHECK(live[0].titleBuffer == live[0].title);
    CHECK(live[0].userValue1 == 11);
    CHECK(live[1].title == nullptr);
    CHECK(live[1].format == LUMTREEFORMAT_RIGHT);
    CHECK(live[1].headerBitmap == records[1].headerBitmap);
    CHECK(live[1].headerBitmapFlags == LUMTREEBITMAP_RIGHT);
    CHECK(std::strcmp(live[2].title, "Size") == 0);
    CHECK(live[2].userValue2 == 22);
    CHECK(SendI(tree, LUMTREEM_GETTEXTCOLUMN) == 0); // back where it was

    // The array is the control's own: a width changed in place is the width.
    Send(tree, LUMTREEM_SHOWHEADER, 1);
    const RECT before = HeaderRect(tree, 1);
    live[1].width = 30;
    CHECK(HeaderRect(tree, 1).right == before.left + 30);

    // Count 0 gives one stretching column without a title.
    REQUIRE(SendI(tree, LUMTREEM_SETCOLUMNS, 0, 0) == 1);
    CHECK(SendI(tree, LUMTREEM_GETCOLUMNS, 0, Ptr(&live)) == 1);
    CHECK(live[0].width == -1);
    CHECK(live[0].format == LUMTREEFORMAT_DEFAULT);
    CHECK(live[0].title == nullptr);
    CHECK(Title(tree).empty());
}

TEST_CASE("the simple form and the descriptions handed out") {
    Parent parent;
    HWND tree = parent.Tree();
    TreeColumnInfo in[2] = {{70, LUMTREEFORMAT_CENTER, LUMTREEHEADER_SPRINGBACK, nullptr},
                            {-1, LUMTREEFORMAT_MULTILINE, 0, nullptr}};
    char ignored[] = "ignored";
    in[0].title = ignored;
    REQUIRE(SendI(tree, LUMTREEM_SETCOLUMNINFO, 2, Ptr(in)) == 1);
    TreeColumnInfo *out = nullptr;
    REQUIRE(SendI(tree, LUMTREEM_GETCOLUMNINFO, 0, Ptr(&out)) == 2);
    CHECK(out[0].title == nullptr); // the simple form takes no titles
    Send(tree, LUMTREEM_SETTEXTCOLUMN, 1);
    Send(tree, LUMTREEM_SETCOLUMNTITLE, 0, Ptr("Second"));

    REQUIRE(SendI(tree, LUMTREEM_GETCOLUMNINFO, 0, Ptr(&out)) == 2);
    CHECK(out[0].width == 70);
    CHECK(out[0].format == LUMTREEFORMAT_CENTER);
    CHECK(out[0].headerFlags == LUMTREEHEADER_SPRINGBACK);
    CHECK(out[0].title == nullptr);
    CHECK(out[1].width == -1);
    CHECK(out[1].format == LUMTREEFORMAT_MULTILINE);
    CHECK(std::strcmp(out[1].title, "Second") == 0);
    // Each request hands out a new buffer and frees the previous one.
    const size_t heap = HeapBytesInUse();
    TreeColumnInfo *again = nullptr;
    for (int i = 0; i < 50; ++i) REQUIRE(SendI(tree, LUMTREEM_GETCOLUMNINFO, 0, Ptr(&again)) == 2);
    CHECK(HeapBytesInUse() < heap + 1024);
    CHECK(SendI(tree, LUMTREEM_GETCOLUMNINFO, 0, 0) == 2);
}

TEST_CASE("titles belong to the text column") {
    Parent parent;
    HWND tree = parent.Tree();
    TreeColumnInfo in[3] = {{50, 0, 0, nullptr}, {50, 0, 0, nullptr}, {-1, 0, 0, nullptr}};
    REQUIRE(SendI(tree, LUMTREEM_SETCOLUMNINFO, 3, Ptr(in)) == 1);
    CHECK(Title(tree).empty());
    CHECK(SendI(tree, LUMTREEM_SETTEXTCOLUMN, 2) == 0);
    CHECK(SendI(tree, LUMTREEM_SETTEXTCOLUMN, 3) == -1);
    CHECK(SendI(tree, LUMTREEM_SETTEXTCOLUMN, static_cast<WPARAM>(-1)) == -1);
    CHECK(SendI(tree, LUMTREEM_GETTEXTCOLUMN) == 2);
    CHECK(SendI(tree, LUMTREEM_SETCOLUMNTITLE, 0, Ptr("Modified")) == 1);
    CHECK(SendI(tree, LUMTREEM_SETCOLUMNTITLE, 0, 0) == 0); // no text: refused, kept
    CHECK(Title(tree) == "Modified");
    CHECK(Title(tree, 4) == "Mod"); // at most size - 1 characters
    char untouched = 'u';
    CHECK(SendI(tree, LUMTREEM_GETCOLUMNTITLE, 0, Ptr(&untouched)) == 0);
    CHECK(untouched == 'u');
    CHECK(SendI(tree, LUMTREEM_GETCOLUMNTITLE, 10, 0) == 0);
    CHECK(SendI(tree, LUMTREEM_SETTEXTCOLUMN, 0) == 2);
    CHECK(Title(tree).empty());
    TreeColumn *live = nullptr;
    Send(tree, LUMTREEM_GETCOLUMNS, 0, Ptr(&live));
    CHECK(live[1].title == nullptr);

    // A smaller set leaves no text column beyond its end.
    Send(tree, LUMTREEM_SETTEXTCOLUMN, 2);
    REQUIRE(SendI(tree, LUMTREEM_SETCOLUMNINFO, 2, Ptr(in)) == 1);
    CHECK(SendI(tree, LUMTREEM_GETTEXTCOLUMN) == 0);
}

TEST_CASE("a bad column set changes nothing") {
    Parent parent;
    HWND tree = parent.Tree();
    TreeColumnInfo in[2] = {{50, 0, 0, nullptr}, {-1, 0, 0, nullptr}};
    REQUIRE(SendI(tree, LUMTREEM_SETCOLUMNINFO, 2, Ptr(in)) == 1);
    AddFlat(tree, 3);
    TreeColumn *live = nullptr;
    Send(tree, LUMTREEM_GETCOLUMNS, 0, Ptr(&live));
    CHECK(SendI(tree, LUMTREEM_SETCOLUMNINFO, 1, Ptr(in)) == 0); // other count with items
    CHECK(SendI(tree, LUMTREEM_SETCOLUMNINFO, 0, 0) == 0);
    CHECK(SendI(tree, LUMTREEM_SETCOLUMNINFO, static_cast<WPARAM>(-1), Ptr(in)) == 0);
    CHECK(SendI(tree, LUMTREEM_SETCOLUMNS, 2, 0) == 0);
    TreeColumn *same = nullptr;
    CHECK(SendI(tree, LUMTREEM_GETCOLUMNS, 0, Ptr(&same)) == 2);
    CHECK(same == live);
    // The same count is fine with items.
    in[0].width = 90;
    CHECK(SendI(tree, LUMTREEM_SETCOLUMNINFO, 2, Ptr(in)) == 1);
    Send(tree, LUMTREEM_GETCOLUMNS, 0, Ptr(&live));
    CHECK(live[0].width == 90);
}

TEST_CASE("header bar: shown, font, buttons, pressed header and the resize switch") {
    Parent parent;
    GdiObjects gdi;
    HWND tree = parent.Tree(kNotifyStyle, 0, 0, 300, 200);
    AddEditor(tree);
    const int fullRows = SendI(tree, LUMTREEM_GETFULLROWS);
    HFONT font = gdi.Font(30);
    const int hh = Metrics(font).tmHeight + 3;
    Send(tree, LUMTREEM_SETHEADERFONT, reinterpret_cast<WPARAM>(font), 0);
    CHECK(Send(tree, LUMTREEM_GETHEADERFONT) == reinterpret_cast<LRESULT>(font));
    CHECK(SendI(tree, LUMTREEM_ISHEADERSHOWN) == 0);
    parent.Clear();
    Settle(tree);
    Send(tree, LUMTREEM_SHOWHEADER, 5);
    CHECK(SendI(tree, LUMTREEM_ISHEADERSHOWN) == 1);
    CHECK(Count(parent.Codes(tree), LUMTREEN_ENDEDIT) >= 1);
    CHECK(UpdateRegion(tree).Is({Client(tree)}));
    const int rh = SendI(tree, LUMTREEM_GETROWHEIGHT);
    CHECK(SendI(tree, LUMTREEM_GETFULLROWS) == (Client(tree).bottom - hh) / rh);
    CHECK(SendI(tree, LUMTREEM_GETFULLROWS) < fullRows);
    CHECK(HeaderRect(tree, -1).bottom == hh);
    // Setting the font again with the repaint flag repaints everything.
    Settle(tree);
    Send(tree, LUMTREEM_SETHEADERFONT, reinterpret_cast<WPARAM>(font), MAKELPARAM(1, 0));
    CHECK(UpdateRegion(tree).Is({Client(tree)}));

    Settle(tree);
    Send(tree, LUMTREEM_SHOWLABELS, 3);
    Settle(tree);
    parent.Clear();
    Send(tree, LUMTREEM_SETHEADERBUTTONS, 1);
    CHECK(SendI(tree, LUMTREEM_GETHEADERBUTTONS) == 1);
    CHECK(UpdateRegion(tree).Is({RECT{0, 0, Client(tree).right, hh}})); // corner and bar
    Settle(tree);
    Send(tree, LUMTREEM_SETHEADERBUTTONS, 1);
    CHECK(UpdateRegion(tree).Empty());
    CHECK(Count(parent.Codes(tree), LUMTREEN_ENDEDIT) == 2); // sent even without a change

    CHECK(SendI(tree, LUMTREEM_GETPRESSEDHEADER) == -1);
    parent.Clear();
    Send(tree, LUMTREEM_SETPRESSEDHEADER, 0);
    CHECK(SendI(tree, LUMTREEM_GETPRESSEDHEADER) == 0);
    CHECK(UpdateRegion(tree).Is({HeaderRect(tree, -1)}));
    CHECK(parent.Codes(tree).empty());
    Send(tree, LUMTREEM_SETPRESSEDHEADER, 1); // only one column
    Send(tree, LUMTREEM_SETPRESSEDHEADER, static_cast<WPARAM>(-2));
    CHECK(SendI(tree, LUMTREEM_GETPRESSEDHEADER) == 0);
    Send(tree, LUMTREEM_SETPRESSEDHEADER, static_cast<WPARAM>(-1));
    CHECK(SendI(tree, LUMTREEM_GETPRESSEDHEADER) == -1);

    CHECK(SendI(tree, LUMTREEM_GETCOLUMNRESIZE) == 1);
    Send(tree, LUMTREEM_SETCOLUMNRESIZE, 0);
    CHECK(SendI(tree, LUMTREEM_GETCOLUMNRESIZE) == 0);
    Send(tree, LUMTREEM_SETCOLUMNRESIZE, 9);
    CHECK(SendI(tree, LUMTREEM_GETCOLUMNRESIZE) == 1);
    CHECK(SendI(tree, LUMTREEM_GETLASTCLICKCOLUMN) == 0);
}

TEST_CASE("cell attributes: per cell, and a control-wide bitmap height") {
    Parent parent;
    GdiObjects gdi;
    HWND tree = parent.Tree(kNotifyStyle, 0, 0, 300, 200);
    TreeColumnInfo in[2] = {{80, 0, 0, nullptr}, {-1, 0, 0, nullptr}};
    REQUIRE(SendI(tree, LUMTREEM_SETCOLUMNINFO, 2, Ptr(in)) == 1);
    AddFlat(tree, 3);

    TreeCellAttrRequest get = CellRequest(1, 1);
    REQUIRE(SendI(tree, LUMTREEM_GETCELLATTR, 0, Ptr(&get)) == 1);
    CHECK(get.attr.backColor == LUMTREE_AUTOCOLOR);
    CHECK(get.attr.selTextColor == LUMTREE_AUTOCOLOR);
    CHECK(get.attr.font == nullptr);
    CHECK(get.attr.flags == 0);

    TreeCellAttrRequest set = CellRequest(1, 1);
    set.attr = {RGB(1, 2, 3), RGB(4, 5, 6),     LUMTREE_AUTOCOLOR,  RGB(7, 8, 9),
                nullptr,      gdi.Bitmap(8, 8), LUMTREEBITMAP_ALONE};
    Settle(tree);
    CHECK(SendI(tree, LUMTREEM_SETCELLATTR, 0, Ptr(&set)) == 1);
    {
        UpdateRegion region(tree);
        const int rh = SendI(tree, LUMTREEM_GETROWHEIGHT);
        CHECK(region.Is({RECT{0, rh, Client(tree).right, 2 * rh}}));
    }
    get = CellRequest(1, 1);
    REQUIRE(SendI(tree, LUMTREEM_GETCELLATTR, 0, Ptr(&get)) == 1);
    CHECK(std::memcmp(&get.attr, &set.attr, sizeof(TreeCellAttr)) == 0);
    get = CellRequest(1, 0); // the other cells of the item keep the defaults
    REQUIRE(SendI(tree, LUMTREEM_GETCELLATTR, 0, Ptr(&get)) == 1);
    CHECK(get.attr.textColor == LUMTREE_AUTOCOLOR);
    CHECK(get.attr.bitmap == nullptr);

    // Bad requests fail and change nothing.
    for (TreeCellAttrRequest bad :
         {CellRequest(3, 0), CellRequest(-2, 0), CellRequest(0, 2), CellRequest(0, -1)}) {
        bad.attr.textColor = RGB(9, 9, 9);
        CHECK(SendI(tree, LUMTREEM_SETCELLATTR, 0, Ptr(&bad)) == 0);
        CHECK(SendI(tree, LUMTREEM_GETCELLATTR, 0, Ptr(&bad)) == 0);
    }
    TreeCellAttrRequest badVersion = set;
    badVersion.version = 1;
    badVersion.attr.textColor = 0;
    CHECK(SendI(tree, LUMTREEM_SETCELLATTR, 0, Ptr(&badVersion)) == 0);
    CHECK(SendI(tree, LUMTREEM_GETCELLATTR, 0, Ptr(&badVersion)) == 0);
    TreeCellAttrRequest notBitmap = CellRequest(0, 0);
    notBitmap.attr.bitmap = reinterpret_cast<HBITMAP>(GetStockObject(SYSTEM_FONT));
    CHECK(SendI(tree, LUMTREEM_SETCELLATTR, 0, Ptr(&notBitmap)) == 0);
    CHECK(SendI(tree, LUMTREEM_SETCELLATTR, 0, 0) == 0);
    CHECK(SendI(tree, LUMTREEM_GETCELLATTR, 0, 0) == 0);
    get = CellRequest(1, 1);
    SendI(tree, LUMTREEM_GETCELLATTR, 0, Ptr(&get));
    CHECK(get.attr.textColor == RGB(4, 5, 6));
    get = CellRequest(0, 0);
    SendI(tree, LUMTREEM_GETCELLATTR, 0, Ptr(&get));
    CHECK(get.attr.bitmap == nullptr);

    // Item -1: every row at least as high as the bitmap, no cell gets it.
    const int rh = SendI(tree, LUMTREEM_GETROWHEIGHT);
    TreeCellAttrRequest wide = CellRequest(-1, 99);
    wide.attr.bitmap = gdi.Bitmap(4, rh + 9);
    Settle(tree);
    CHECK(SendI(tree, LUMTREEM_SETCELLATTR, 0, Ptr(&wide)) == 1);
    CHECK(SendI(tree, LUMTREEM_GETROWHEIGHT) == Even(rh + 9));
    CHECK(UpdateRegion(tree).Is({Client(tree)}));
    get = CellRequest(2, 1);
    SendI(tree, LUMTREEM_GETCELLATTR, 0, Ptr(&get));
    CHECK(get.attr.bitmap == nullptr);
    TreeCellAttrRequest cleared = CellRequest(-1, 0);
    CHECK(SendI(tree, LUMTREEM_SETCELLATTR, 0, Ptr(&cleared)) == 1);
    CHECK(SendI(tree, LUMTREEM_GETROWHEIGHT) == rh);
}

TEST_CASE("the resize cursor shows from 4 pixels left of a divider to 3 right of it") {
    Parent parent;
    HWND tree = parent.Tree(kNotifyStyle, 0, 0, 300, 200);
    TreeColumnInfo in[3] = {{80, 0, 0, nullptr}, {60, 0, 0, nullptr}, {-1, 0, 0, nullptr}};
    REQUIRE(SendI(tree, LUMTREEM_SETCOLUMNINFO, 3, Ptr(in)) == 1);
    Send(tree, LUMTREEM_SHOWHEADER, 1);
    Send(tree, LUMTREEM_SHOWLABELS, 3);
    Send(tree, LUMTREEM_SETHEXTENT, 1000);
    Send(tree, LUMTREEM_SETHPOS, 20);
    const int divider = HeaderRect(tree, 1).right; // the second column's right edge
    const auto cursorAt = [&](int x, int y) {
        POINT pt{x, y};
        ClientToScreen(tree, &pt);
        SetCursorPos(pt.x, pt.y);
        return SendI(tree, WM_SETCURSOR, reinterpret_cast<WPARAM>(tree),
                     MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    };
    POINT probe{};
    SetCursorPos(10, 10);
    GetCursorPos(&probe);
    if (probe.x != 10 || probe.y != 10) {
        MESSAGE("the display does not move the pointer; skipped");
        return;
    }
    CHECK(cursorAt(divider - 4, 2) == 1);
    CHECK(GetCursor() == Record(tree)->resizeCursor);
    CHECK(cursorAt(divider + 3, 2) == 1);
    CHECK(cursorAt(divider - 5, 2) == 0);
    CHECK(cursorAt(divider + 4, 2) == 0);
    CHECK(cursorAt(divider, HeaderRect(tree, -1).bottom + 2) == 0); // below the header bar
    Send(tree, LUMTREEM_SETCOLUMNRESIZE, 0);
    CHECK(cursorAt(divider, 2) == 0);
}
