// Internal layout routines that no message exposes directly: bitmap validation, the expand
// button boxes and the repaint and end-edit behaviour of the creation-time setters.
#include "layout_support.h"
#include "lumtree/api/api.h"
#include "lumtree/layout/layout.h"

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
