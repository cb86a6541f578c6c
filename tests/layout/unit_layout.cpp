// Internal layout routines that no message exposes directly: bitmap validation, the expand
// button boxes and the repaint and end-edit behaviour of the creation-time setters.
#include "../support/harness.h"
#include "lumtree/api/api.h"
#include "lumtree/layout/layout.h"

using namespace lt;

namespace {

TreeCtl *Record(HWND tree) {
    return reinterpret_cast<TreeCtl *>(GetWindowLongPtrA(tree, 0));
}

struct Library {
    Library() { LoadLibraryState(GetModuleHandleA(nullptr)); }
} g_library;

// A child window inside the control: the control then asks its parent to end editing.
HWND AddEditor(HWND tree) {
    return CreateWindowExA(0, "EDIT", "", WS_CHILD, 0, 0, 10, 10, tree, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
}

int Count(const std::vector<int> &codes, int code) {
    int n = 0;
    for (int c : codes) n += c == code;
    return n;
}

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
