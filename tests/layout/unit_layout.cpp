// Internal layout routines no message exposes directly: the expand button boxes, the
// automatic column width, and failed allocations.
#include "layout_support.h"
#include "lumtree/api/api.h"
#include "lumtree/items/items.h"
#include "lumtree/layout/layout.h"

#include <string>
#include <tuple>

using namespace lt;

namespace {

struct Library {
    Library() { LoadLibraryState(GetModuleHandleA(nullptr)); }
} g_library;

} // namespace

TEST_CASE("expand buttons are centred in their row, root buttons before the indentation") {
    Parent parent;
    Gdi gdi;
    HWND tree = parent.Tree();
    TreeCtl *ctl = Record(tree);
    HFONT font = gdi.Font(17);
    const TEXTMETRICA tm = Metrics(font);
    const int avg = tm.tmAveCharWidth, indent = std::max<int>(tm.tmMaxCharWidth, 9);
    SetFont(tree, font);
    REQUIRE(SendI(tree, LUMTREEM_SETBUTTONSTRIP, 0, Ptr(gdi.Bitmap(4 * 9, 7))) == 1);
    HBITMAP state[3] = {gdi.Bitmap(16, 4), gdi.Bitmap(16, 4), nullptr};
    REQUIRE(SendI(tree, LUMTREEM_SETSTATEBITMAPS, 0, Ptr(state)) == 1);
    Send(tree, LUMTREEM_SETSHOWROOTBUTTONS, 1);
    int rh = ctl->rowHeight, gap = (rh - 7) / 2;
    const int start = (16 + avg) + (9 + avg) + avg; // state bitmap and root button areas, gap
    CHECK(RootButtonBox(ctl) == RECT{16 + 2 * avg, gap, 16 + 2 * avg + 9, rh - gap});
    const int x = start + (indent - 9) / 2;
    CHECK(IndentButtonBox(ctl, 0) == RECT{x, gap, x + 9, rh - gap});
    // With node bitmaps 20 wide the step is 20: the button sits 5 pixels into each step.
    HBITMAP node[3] = {nullptr, gdi.Bitmap(20, rh + 3), nullptr};
    REQUIRE(SendI(tree, LUMTREEM_SETNODEBITMAPS, 0, Ptr(node)) == 1);
    REQUIRE(ctl->rowHeight == Even(rh + 4));
    rh = ctl->rowHeight, gap = (rh - 7) / 2;
    CHECK(IndentButtonBox(ctl, 2) == RECT{start + 45, gap, start + 54, rh - gap});
}

TEST_CASE("the automatic column width measures texts, cell fonts, bitmaps and the title") {
    Parent parent;
    Gdi gdi;
    HWND tree = parent.Tree(kNotifyStyle, 0, 0, 300, 200);
    TreeCtl *ctl = Record(tree);
    HFONT font = gdi.Font(15), big = gdi.Font(30), headerFont = gdi.Font(20);
    SetFont(tree, font);
    SetFont(tree, headerFont, LUMTREEM_SETHEADERFONT);
    const int avg = Metrics(font).tmAveCharWidth;
    TreeColumnInfo columns[3] = {{60, 0, 0, nullptr}, {80, 0, 0, nullptr}, {-1, 0, 0, nullptr}};
    REQUIRE(SendI(tree, LUMTREEM_SETCOLUMNINFO, 3, Ptr(columns)) == 1);
    AddItems(tree, {{"alpha", 0}, {"beta gamma", 1}, {"d", 2}});
    REQUIRE(SetItemText(ctl, 0, 1, "one"));
    REQUIRE(SetItemText(ctl, 1, 1, "two\nlines, the second longer"));
    const auto width = [&](WPARAM column) { return SendI(tree, LUMTREEM_CALCCOLUMNWIDTH, column); };
    CHECK(width(1) == avg + TextWidthOf(font, "two\nlines, the second longer"));
    ctl->columns[1].format = LUMTREEFORMAT_MULTILINE;
    CHECK(width(1) == avg + TextWidthOf(font, "lines, the second longer", 0));
    ctl->columns[1].format = 0;
    // Column 0 measures from the row start and leaves out the tree part.
    const int tw = SendI(tree, LUMTREEM_GETTREEWIDTH);
    int best = 0, i = 0;
    for (const char *text : {"alpha", "beta gamma", "d"}) {
        best = std::max<int>(best, avg + TextWidthOf(font, text) + CellRectOf(tree, i++, 0).left);
    }
    CHECK(width(0) == best - tw);
    // A bitmap alone, or beside a text in a font of the cell's own.
    TreeCellAttrRequest wide{LUMTREE_ATTRVERSION, -1, 0, {}}, cell{LUMTREE_ATTRVERSION, 2, 1, {}};
    wide.attr.bitmap = gdi.Bitmap(300, 4);
    cell.attr = {0, 0, 0, 0, nullptr, gdi.Bitmap(5, 5), LUMTREEBITMAP_ALONE};
    REQUIRE(SendI(tree, LUMTREEM_SETCELLATTR, 0, Ptr(&wide)) == 1);
    REQUIRE(SendI(tree, LUMTREEM_SETCELLATTR, 0, Ptr(&cell)) == 1);
    CHECK(width(1) == avg + 300);
    cell.item = 0;
    cell.attr = {0, 0, 0, 0, big, cell.attr.bitmap, 0};
    REQUIRE(SendI(tree, LUMTREEM_SETCELLATTR, 0, Ptr(&cell)) == 1);
    CHECK(width(1) == avg + TextWidthOf(big, "one") + avg / 2 + 300);
    // The title counts while the header bar is shown.
    const char *title = "a title much wider than anything the cells of this column hold";
    Send(tree, LUMTREEM_SETTEXTCOLUMN, 1);
    Send(tree, LUMTREEM_SETCOLUMNTITLE, 0, Ptr(title));
    Send(tree, LUMTREEM_SHOWHEADER, 1);
    CHECK(width(1) == avg + 6 + TextWidthOf(headerFont, title));
    // Autosizing stores the widths of fixed columns only and repaints header bar and rows.
    Settle(tree);
    Send(tree, LUMTREEM_AUTOSIZECOLUMN, static_cast<WPARAM>(-1));
    CHECK(ctl->columns[0].width == best - tw);
    CHECK(ctl->columns[1].width == width(1));
    CHECK(ctl->columns[2].width == -1);
    CHECK(Repainted(tree, {Client(tree)}));
    // Measuring finds the deepest level again: the tree part shrinks after deletions.
    parent.Clear();
    Send(tree, LUMTREEM_DELETEITEM, 2);
    width(2);
    CHECK(SendI(tree, LUMTREEM_GETTREEWIDTH) < tw);
    CHECK(parent.Codes(tree) == std::vector<int>{LUMTREEN_TREEWIDTHCHANGE});
    // An empty column-0 text contributes no tree part: the width can be negative.
    Send(tree, LUMTREEM_DELETEALL);
    AddItems(tree, {{"", 0}, {"", 2}});
    CHECK(width(0) == avg - SendI(tree, LUMTREEM_GETTREEWIDTH));
}

TEST_CASE("out of memory the old texts, columns and attributes stay") {
    Parent parent;
    HWND tree = parent.Tree();
    TreeCtl *ctl = Record(tree);
    AddFlat(tree, 2);
    REQUIRE(SendI(tree, LUMTREEM_SETCORNERTEXT, 0, Ptr("old")) == 1);
    REQUIRE(SendI(tree, LUMTREEM_SETLABELTEXT, 1, Ptr("old")) == 1);
    TreeColumn *before = ctl->columns;
    TreeColumnInfo one{40, 0, 0, nullptr}, *info = &one;
    TreeCellAttrRequest cell{LUMTREE_ATTRVERSION, 1, 0, {}};
    TreeLabelAttrRequest label{LUMTREE_ATTRVERSION, 1, {}};
    const std::tuple<UINT, WPARAM, LPARAM> requests[] = {
        {LUMTREEM_SETCORNERTEXT, 0, Ptr("new")},  {LUMTREEM_SETLABELTEXT, 1, Ptr("new")},
        {LUMTREEM_SETCOLUMNTITLE, 0, Ptr("new")}, {LUMTREEM_SETCOLUMNINFO, 1, Ptr(&one)},
        {LUMTREEM_SETCELLATTR, 0, Ptr(&cell)},    {LUMTREEM_SETLABELATTR, 0, Ptr(&label)},
        {LUMTREEM_GETCOLUMNINFO, 0, Ptr(&info)}};
    for (auto [msg, wp, lp] : requests) {
        LumFailAllocAfter(0);
        CHECK(Send(tree, msg, wp, lp) == 0);
    }
    LumFailAllocAfter(-1);
    CHECK(std::string(ctl->cornerText) == "old");
    CHECK(SendI(tree, LUMTREEM_GETLABELTEXTLENGTH, 1) == 3);
    CHECK((ctl->columns == before && ctl->columns[0].title == nullptr));
    CHECK(info == nullptr); // never the freed old buffer
    // A title whose copy fails is skipped; the set itself is installed.
    Send(tree, LUMTREEM_DELETEALL);
    char first[] = "first", second[] = "second";
    TreeColumn records[2] = {{0, 0, 50, 0, 0, first, nullptr, nullptr, 0},
                             {0, 0, -1, 0, 0, second, nullptr, nullptr, 0}};
    LumFailAllocAfter(1);
    CHECK(SendI(tree, LUMTREEM_SETCOLUMNS, 2, Ptr(records)) == 1);
    LumFailAllocAfter(-1);
    CHECK(ctl->columns[0].title == nullptr);
    CHECK(std::string(ctl->columns[1].title) == "second");
}
