// Sizes that are legal but absurd: a row a million pixels high, columns and labels as wide as
// a 32-bit value allows, fonts and bitmaps of extreme sizes, the deepest indentation. Each one
// must paint in about the time of an ordinary paint, with what is on the screen drawn right.
#include "../support/harness.h"

#include <climits>
#include <vector>

using namespace lt;

namespace {

constexpr COLORREF kBack = RGB(250, 240, 200), kSel = RGB(10, 60, 160);

// Seconds taken by a synchronous paint through the window (WM_PAINT of the invalidated client
// area) and through WM_PRINTCLIENT; the pixels come from the latter.
struct Painted {
    double seconds;
    Pixels px;
};
Painted PaintBoth(HWND tree) {
    LARGE_INTEGER f, a, b;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&a);
    InvalidateRect(tree, nullptr, FALSE);
    UpdateWindow(tree);
    Pixels px = PrintClient(tree);
    QueryPerformanceCounter(&b);
    return {double(b.QuadPart - a.QuadPart) / double(f.QuadPart), std::move(px)};
}

// A paint of an extreme shape may take a few times an ordinary one, never seconds: the bound
// is far above an ordinary paint on a loaded machine and far below a paint that walks a row of
// a million pixels.
constexpr double kPaintBound = 1.5;

struct Fixture {
    Parent parent;
    HWND tree;
    explicit Fixture(DWORD style = kChildStyle | WS_VSCROLL | WS_HSCROLL) {
        tree = parent.Tree(style, 0, 0, 300, 200);
        COLORREF table[LUMTREE_COLORCOUNT];
        for (COLORREF &c : table) c = LUMTREE_AUTOCOLOR;
        table[LUMTREECOLOR_BACK] = kBack;
        table[LUMTREECOLOR_SELBACK] = kSel;
        Send(tree, LUMTREEM_SETCOLORS, 0, Ptr(table));
        // Two levels under the first item, so that lines, buttons and indentation are drawn.
        AddItems(tree, {{"root", 0}, {"child", 1}, {"grandchild", 2}, {"child 2", 1}, {"next", 0}});
        Send(tree, LUMTREEM_EXPAND, 0, MAKELPARAM(1, 1));
        Send(tree, LUMTREEM_SETCARET, 0);
        Send(tree, LUMTREEM_SETSELECTION, 0);
        Send(tree, LUMTREEM_SETSHOWROOTBUTTONS, 1);
    }
    ~Fixture() { DeleteObjects(); }
    HBITMAP Bitmap(int w, int h) {
        HBITMAP b = CreateBitmap(w, h, 1, 1, nullptr);
        REQUIRE(b != nullptr);
        owned.push_back(b);
        return b;
    }
    void DeleteObjects() {
        for (HGDIOBJ o : owned) DeleteObject(o);
        owned.clear();
    }
    std::vector<HGDIOBJ> owned;
};

} // namespace

TEST_CASE("a row of 65,535 lines paints its visible part only, in ordinary time") {
    Fixture f;
    Painted before = PaintBoth(f.tree);
    const double ordinary = before.seconds;
    CHECK(SendI(f.tree, LUMTREEM_ISSELECTED, 0) == 1);
    CHECK(before.px.At(before.px.width - 2, 3) == kSel);
    const int h1 = SendI(f.tree, LUMTREEM_GETROWHEIGHT);
    Send(f.tree, LUMTREEM_SETLINESPERITEM, 65535);
    CHECK(SendI(f.tree, LUMTREEM_GETLINESPERITEM) == 65535);
    const int h = SendI(f.tree, LUMTREEM_GETROWHEIGHT);
    CHECK(h > 65535 * (h1 / 2));
    Painted p = PaintBoth(f.tree);
    CAPTURE(ordinary);
    CHECK(p.seconds < kPaintBound);
    // The selected first row covers the whole view: selection colour at the right edge and at
    // the bottom, with nothing of the second row in sight.
    CHECK(SendI(f.tree, LUMTREEM_GETPAGEROWS) == 1);
    CHECK(p.px.At(p.px.width - 2, p.px.height - 2) == kSel);
    CHECK(p.px.At(p.px.width / 2, p.px.height / 2) == kSel);
    // The rows under the root carry dotted lines the whole height of the row.
    for (WPARAM top : {1, 2}) {
        Send(f.tree, LUMTREEM_SETTOPINDEX, top);
        CHECK(PaintBoth(f.tree).seconds < kPaintBound);
    }
    Send(f.tree, LUMTREEM_SETSHOWLINES, 0);
    Send(f.tree, LUMTREEM_SETGRIDLINES, 1);
    CHECK(PaintBoth(f.tree).seconds < kPaintBound);
    // Scrolled to the last item, which is as high as the first.
    Send(f.tree, LUMTREEM_SETTOPINDEX, 4);
    p = PaintBoth(f.tree);
    CHECK(p.seconds < kPaintBound);
    CHECK(p.px.At(p.px.width - 2, p.px.height - 2) == kBack);
}

TEST_CASE("a font so high that lines times height passes 32 bits") {
    Fixture f;
    HFONT big = CreateFontA(-30000, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Arial");
    f.owned.push_back(big);
    Send(f.tree, WM_SETFONT, reinterpret_cast<WPARAM>(big), 1);
    Send(f.tree, LUMTREEM_SETLINESPERITEM, 0xFFFF);
    // A row may be huge, but never wraps to zero or below.
    const LRESULT h = Send(f.tree, LUMTREEM_GETROWHEIGHT);
    CAPTURE(h);
    CHECK(h > 0);
    CHECK(h <= INT_MAX);
    CHECK(SendI(f.tree, LUMTREEM_GETPAGEROWS) >= 1);
    Send(f.tree, LUMTREEM_SETLINESPERITEM, INT_MAX);
    CHECK(Send(f.tree, LUMTREEM_GETROWHEIGHT) >= h);
    CHECK(Send(f.tree, LUMTREEM_GETROWHEIGHT) <= INT_MAX);
    Painted p = PaintBoth(f.tree);
    CHECK(p.seconds < kPaintBound);
    CHECK(p.px.At(p.px.width - 2, p.px.height - 2) == kSel);
    Send(f.tree, WM_SETFONT, 0, 0);
}

TEST_CASE("columns, labels and extents at the edge of 32 bits") {
    Fixture f;
    SUBCASE("columns") {
        TreeColumn cols[3]{};
        cols[0].width = INT_MAX / 2;
        cols[1].width = INT_MAX;
        cols[2].width = INT_MAX;
        Send(f.tree, LUMTREEM_SETCOLUMNS, 3, Ptr(cols));
        Send(f.tree, LUMTREEM_SHOWHEADER, 1);
        Send(f.tree, LUMTREEM_FITHEXTENT);
        CHECK(Send(f.tree, LUMTREEM_GETHEXTENT) >= 0);
        Send(f.tree, LUMTREEM_SETHPOS, static_cast<WPARAM>(-1));
        CHECK(Send(f.tree, LUMTREEM_GETHPOS) >= 0);
        CHECK(PaintBoth(f.tree).seconds < kPaintBound);
        Send(f.tree, LUMTREEM_SETHPOS, 0);
        Painted p = PaintBoth(f.tree);
        CHECK(p.seconds < kPaintBound);
        CHECK(p.px.At(p.px.width - 2, p.px.height - 2) == kBack);
    }
    SUBCASE("labels") {
        Send(f.tree, LUMTREEM_SHOWLABELS, 3);
        Send(f.tree, LUMTREEM_SETLABELWIDTH, INT_MAX);
        CHECK(PaintBoth(f.tree).seconds < kPaintBound);
        Send(f.tree, LUMTREEM_SHOWHEADER, 1);
        CHECK(PaintBoth(f.tree).seconds < kPaintBound);
    }
}

TEST_CASE("bitmaps and indentation of extreme sizes") {
    Fixture f;
    Send(f.tree, LUMTREEM_SETLEVEL, 2, 64);
    SUBCASE("tall node bitmaps") {
        HBITMAP node[3] = {f.Bitmap(16, 60000), f.Bitmap(16, 60000), f.Bitmap(16, 60000)};
        CHECK(SendI(f.tree, LUMTREEM_SETNODEBITMAPS, 0, Ptr(node)) == 1);
        CHECK(SendI(f.tree, LUMTREEM_GETROWHEIGHT) > 60000);
        Painted p = PaintBoth(f.tree);
        CHECK(p.seconds < kPaintBound);
        CHECK(p.px.At(p.px.width - 2, p.px.height - 2) == kSel);
    }
    SUBCASE("wide node bitmaps: 64 levels of a huge indentation") {
        HBITMAP node[3] = {f.Bitmap(2000000, 2), f.Bitmap(2000000, 2), f.Bitmap(2000000, 2)};
        CHECK(SendI(f.tree, LUMTREEM_SETNODEBITMAPS, 0, Ptr(node)) == 1);
        CHECK(Send(f.tree, LUMTREEM_GETTREEWIDTH) > 0);
        CHECK(PaintBoth(f.tree).seconds < kPaintBound);
        Send(f.tree, LUMTREEM_SETHPOS, static_cast<WPARAM>(-1));
        CHECK(PaintBoth(f.tree).seconds < kPaintBound);
    }
    SUBCASE("state and item bitmaps, cell and label bitmaps") {
        HBITMAP state[3] = {f.Bitmap(3000000, 3), f.Bitmap(3000000, 3), f.Bitmap(3000000, 3)};
        CHECK(SendI(f.tree, LUMTREEM_SETSTATEBITMAPS, 0, Ptr(state)) == 1);
        CHECK(PaintBoth(f.tree).seconds < kPaintBound);
        constexpr COLORREF A = LUMTREE_AUTOCOLOR;
        TreeCellAttrRequest cell{LUMTREE_ATTRVERSION, 0, 0, {A, A, A, A, nullptr, nullptr, 0}};
        cell.attr.bitmap = f.Bitmap(8, 200000);
        CHECK(SendI(f.tree, LUMTREEM_SETCELLATTR, 0, Ptr(&cell)) == 1);
        cell.item = -1;
        CHECK(SendI(f.tree, LUMTREEM_SETCELLATTR, 0, Ptr(&cell)) == 1);
        CHECK(PaintBoth(f.tree).seconds < kPaintBound);
        Send(f.tree, LUMTREEM_SHOWLABELS, 3);
        TreeLabelAttrRequest label{LUMTREE_ATTRVERSION, 1, {A, A, A, A, f.Bitmap(64, 100000), 0}};
        CHECK(SendI(f.tree, LUMTREEM_SETLABELATTR, 0, Ptr(&label)) == 1);
        label.item = -1;
        CHECK(SendI(f.tree, LUMTREEM_SETLABELATTR, 0, Ptr(&label)) == 1);
        CHECK(PaintBoth(f.tree).seconds < kPaintBound);
    }
}
