// Internal layout routines that no message exposes directly: bitmap validation, the expand
// button boxes and the repaint and end-edit behaviour of the creation-time setters.
#include "layout_support.h"
#include "lumtree/api/api.h"
#include "lumtree/items/items.h"
#include "lumtree/layout/layout.h"

#include <string>

using namespace lt;

namespace {

struct Library {
    Library() { LoadLibraryState(GetModuleHandleA(nullptr)); }
} g_library;

} // namespace

TEST_CASE("only bitmap handles pass the bitmap validation") {
    HBITMAP bitmap = CreateBitmap(12, 7, 1, 1, nullptr);
    BITMAP bm{};
    CHECK(ReadBitmapInfo(bitmap, &bm));
    CHECK(bm.bmWidth == 12);
    CHECK(bm.bmHeight == 7);
    // A font fills a BITMAP-sized buffer completely, so the size alone proves nothing.
    BITMAP untouched{};
    CHECK_FALSE(ReadBitmapInfo(reinterpret_cast<HBITMAP>(GetStockObject(SYSTEM_FONT)), &untouched));
    CHECK_FALSE(ReadBitmapInfo(reinterpret_cast<HBITMAP>(GetStockObject(BLACK_BRUSH)), &untouched));
    CHECK_FALSE(ReadBitmapInfo(nullptr, &untouched));
    CHECK(untouched.bmWidth == 0);
    DeleteObject(bitmap);
}

TEST_CASE("switching the expand buttons to the value they have does nothing at all") {
    Parent parent;
    HWND tree = parent.Tree();
    AddEditor(tree);
    TreeCtl *ctl = Record(tree);
    REQUIRE(ctl->showButtons == 1);
    parent.Clear();
    SetShowButtons(ctl, true);
    CHECK(parent.Codes(tree).empty());
    SetShowButtons(ctl, false);
    CHECK(Count(parent.Codes(tree), LUMTREEN_ENDEDIT) >= 1);
    CHECK(ctl->showButtons == 0);
}

TEST_CASE("the full form with count 0 keeps the buffer of column descriptions") {
    Parent parent;
    HWND tree = parent.Tree();
    TreeCtl *ctl = Record(tree);
    TreeColumnInfo *info = nullptr;
    REQUIRE(SendI(tree, LUMTREEM_GETCOLUMNINFO, 0, Ptr(&info)) == 1);
    REQUIRE(info == ctl->columnInfoBuffer);
    REQUIRE(SendI(tree, LUMTREEM_SETCOLUMNS, 0, 0) == 1);
    // Only the simple form and the next description request free the buffer.
    CHECK(ctl->columnInfoBuffer == info);
    CHECK(SendI(tree, LUMTREEM_SETCOLUMNINFO, 0, 0) == 1);
    CHECK(ctl->columnInfoBuffer == nullptr);
}

TEST_CASE("expand buttons are centred in their row, root buttons before the indentation") {
    Parent parent;
    GdiObjects gdi;
    HWND tree = parent.Tree();
    TreeCtl *ctl = Record(tree);
    HFONT font = gdi.Font(17);
    const TEXTMETRICA tm = Metrics(font);
    const int avg = tm.tmAveCharWidth;
    Send(tree, WM_SETFONT, reinterpret_cast<WPARAM>(font), 0);
    REQUIRE(SendI(tree, LUMTREEM_SETBUTTONSTRIP, 0, Ptr(gdi.Bitmap(4 * 9, 7))) == 1);
    HBITMAP state[3] = {gdi.Bitmap(16, 4), gdi.Bitmap(16, 4), nullptr};
    REQUIRE(SendI(tree, LUMTREEM_SETSTATEBITMAPS, 0, Ptr(state)) == 1);
    Send(tree, LUMTREEM_SETSHOWROOTBUTTONS, 1);
    const int rh = ctl->rowHeight;
    const int gap = (rh - 7) / 2;

    CHECK(RootButtonBox(ctl) == RECT{16 + avg + avg, gap, 16 + 2 * avg + 9, rh - gap});
    const int indent = std::max<int>(tm.tmMaxCharWidth, 9);
    const int start = (16 + avg) + (9 + avg);
    CHECK(IndentButtonBox(ctl, 0) ==
          RECT{start + (indent - 9) / 2 + avg, gap, start + (indent - 9) / 2 + avg + 9, rh - gap});
    // With node bitmaps 20 wide the step is 20: the button sits 5 pixels into each step.
    HBITMAP node[3] = {nullptr, gdi.Bitmap(20, rh + 3), nullptr};
    REQUIRE(SendI(tree, LUMTREEM_SETNODEBITMAPS, 0, Ptr(node)) == 1);
    const int tall = ctl->rowHeight;
    REQUIRE(tall == Even(rh + 4));
    const int tallGap = (tall - 7) / 2;
    CHECK(IndentButtonBox(ctl, 2) ==
          RECT{start + 5 + 40 + avg, tallGap, start + 5 + 40 + avg + 9, tall - tallGap});
}

TEST_CASE("the automatic column width measures texts, cell fonts, bitmaps and the title") {
    Parent parent;
    GdiObjects gdi;
    HWND tree = parent.Tree(kNotifyStyle, 0, 0, 300, 200);
    TreeCtl *ctl = Record(tree);
    HFONT font = gdi.Font(15), big = gdi.Font(30), headerFont = gdi.Font(20);
    Send(tree, WM_SETFONT, reinterpret_cast<WPARAM>(font), 0);
    Send(tree, LUMTREEM_SETHEADERFONT, reinterpret_cast<WPARAM>(headerFont), 0);
    const int avg = Metrics(font).tmAveCharWidth;
    TreeColumnInfo columns[3] = {{60, 0, 0, nullptr}, {80, 0, 0, nullptr}, {-1, 0, 0, nullptr}};
    REQUIRE(SendI(tree, LUMTREEM_SETCOLUMNINFO, 3, Ptr(columns)) == 1);
    AddItems(tree, {{"alpha", 0}, {"beta gamma", 1}, {"d", 2}});
    REQUIRE(SetItemText(ctl, 0, 1, "one"));
    REQUIRE(SetItemText(ctl, 1, 1, "two\nlines, the second longer"));
    const auto width = [&](int column) {
        return SendI(tree, LUMTREEM_CALCCOLUMNWIDTH, static_cast<WPARAM>(column));
    };

    CHECK(width(3) == -1);
    CHECK(width(-1) == -1);
    CHECK(width(1) == avg + TextWidthOf(font, "two\nlines, the second longer"));
    ctl->columns[1].format = LUMTREEFORMAT_MULTILINE;
    CHECK(width(1) == avg + TextWidthOf(font, "lines, the second longer", 0));
    ctl->columns[1].format = 0;
    // Column 0 measures from the row start and leaves out the tree part.
    const int tw = SendI(tree, LUMTREEM_GETTREEWIDTH);
    int best = 0;
    for (int i = 0; i < 3; ++i) {
        RECT cell = CellRectOf(tree, i, 0);
        const char *texts[] = {"alpha", "beta gamma", "d"};
        best = std::max(best, avg + TextWidthOf(font, texts[i]) + static_cast<int>(cell.left));
    }
    CHECK(width(0) == best - tw);

    // Cell attributes: a font of its own, a bitmap alone or beside the text.
    TreeCellAttrRequest wide{LUMTREE_ATTRVERSION, -1, 0, {}};
    wide.attr.bitmap = gdi.Bitmap(300, 4);
    REQUIRE(SendI(tree, LUMTREEM_SETCELLATTR, 0, Ptr(&wide)) == 1);
    TreeCellAttrRequest cell{LUMTREE_ATTRVERSION, 2, 1, {}};
    cell.attr.bitmap = gdi.Bitmap(5, 5);
    cell.attr.flags = LUMTREEBITMAP_ALONE;
    REQUIRE(SendI(tree, LUMTREEM_SETCELLATTR, 0, Ptr(&cell)) == 1);
    CHECK(width(1) == avg + 300);
    cell.item = 0;
    cell.attr.flags = 0;
    cell.attr.font = big;
    REQUIRE(SendI(tree, LUMTREEM_SETCELLATTR, 0, Ptr(&cell)) == 1);
    CHECK(width(1) == avg + TextWidthOf(big, "one") + avg / 2 + 300);

    // The title counts while the header bar is shown.
    Send(tree, LUMTREEM_SETTEXTCOLUMN, 1);
    const char *title = "a title much wider than anything the cells of this column hold";
    Send(tree, LUMTREEM_SETCOLUMNTITLE, 0, Ptr(title));
    CHECK(width(1) == avg + TextWidthOf(big, "one") + avg / 2 + 300);
    Send(tree, LUMTREEM_SHOWHEADER, 1);
    CHECK(width(1) == avg + 6 + TextWidthOf(headerFont, title));

    // Autosizing stores the widths of fixed columns only.
    Settle(tree);
    Send(tree, LUMTREEM_AUTOSIZECOLUMN, static_cast<WPARAM>(-1));
    CHECK(ctl->columns[0].width == best - tw);
    CHECK(ctl->columns[1].width == width(1));
    CHECK(ctl->columns[2].width == -1);
    {
        UpdateRegion region(tree);
        CHECK(region.Is({Client(tree)})); // the header bar and every row
    }
    Send(tree, LUMTREEM_AUTOSIZECOLUMN, 3);
    Send(tree, LUMTREEM_AUTOSIZECOLUMN, static_cast<WPARAM>(-2));
    CHECK(ctl->columns[1].width == width(1));

    // Measuring finds the deepest level again: the tree part shrinks after deletions.
    parent.Clear();
    Send(tree, LUMTREEM_DELETEITEM, 2);
    CHECK(SendI(tree, LUMTREEM_GETTREEWIDTH) == tw);
    width(2);
    CHECK(SendI(tree, LUMTREEM_GETTREEWIDTH) < tw);
    CHECK(Count(parent.Codes(tree), LUMTREEN_TREEWIDTHCHANGE) == 1);
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

    LumFailAllocAfter(0);
    CHECK(SendI(tree, LUMTREEM_SETCORNERTEXT, 0, Ptr("new")) == 0);
    CHECK(std::string(ctl->cornerText) == "old");
    LumFailAllocAfter(0);
    CHECK(SendI(tree, LUMTREEM_SETLABELTEXT, 1, Ptr("new")) == 0);
    CHECK(SendI(tree, LUMTREEM_GETLABELTEXTLENGTH, 1) == 3);
    LumFailAllocAfter(0);
    CHECK(SendI(tree, LUMTREEM_SETCOLUMNTITLE, 0, Ptr("title")) == 0);
    CHECK(ctl->columns[0].title == nullptr);

    TreeColumn *before = ctl->columns;
    TreeColumnInfo one{40, 0, 0, nullptr};
    LumFailAllocAfter(0);
    CHECK(SendI(tree, LUMTREEM_SETCOLUMNINFO, 1, Ptr(&one)) == 0);
    CHECK(ctl->columns == before);
    CHECK(ctl->columns[0].width == -1);

    TreeCellAttrRequest cell{LUMTREE_ATTRVERSION, 1, 0, {}};
    cell.attr.textColor = RGB(1, 2, 3);
    LumFailAllocAfter(0);
    CHECK(SendI(tree, LUMTREEM_SETCELLATTR, 0, Ptr(&cell)) == 0);
    TreeLabelAttrRequest label{LUMTREE_ATTRVERSION, 1, {}};
    LumFailAllocAfter(0);
    CHECK(SendI(tree, LUMTREEM_SETLABELATTR, 0, Ptr(&label)) == 0);
    CHECK(ctl->items[1] != nullptr);

    TreeColumnInfo *info = reinterpret_cast<TreeColumnInfo *>(&cell);
    LumFailAllocAfter(0);
    CHECK(SendI(tree, LUMTREEM_GETCOLUMNINFO, 0, Ptr(&info)) == 0);
    CHECK(info == nullptr);

    // A title whose copy fails is skipped; the set itself is installed.
    Send(tree, LUMTREEM_DELETEALL);
    char titles[2][8] = {"first", "second"};
    TreeColumn records[2] = {};
    records[0].width = 50;
    records[0].title = titles[0];
    records[1].width = -1;
    records[1].title = titles[1];
    LumFailAllocAfter(1);
    CHECK(SendI(tree, LUMTREEM_SETCOLUMNS, 2, Ptr(records)) == 1);
    CHECK(ctl->columns[0].title == nullptr);
    CHECK(std::string(ctl->columns[1].title) == "second");
    LumFailAllocAfter(-1);
}
