// Sizes that are legal but absurd: a row a million pixels high, columns and labels as wide as
// a 32-bit value allows, fonts and bitmaps of extreme sizes, the deepest indentation. Each one
// must paint in about the time of an ordinary paint, with what is on the screen drawn right.
#include "../support/harness.h"

#include <climits>

using namespace lt;

namespace {

constexpr COLORREF kBack = RGB(250, 240, 200), kSel = RGB(10, 60, 160), kAny = CLR_INVALID;

// Far above an ordinary paint on a loaded machine, far below a paint that walks a row of a
// million pixels or a bitmap as wide as the indentation of 64 levels.
constexpr double kPaintBound = 1.5;

HBITMAP Bitmap(int w, int h) { // lives as long as the process
    HBITMAP b = CreateBitmap(w, h, 1, 1, nullptr);
    REQUIRE(b != nullptr);
    return b;
}
LPARAM Bitmaps(int w, int h) {
    static HBITMAP three[3];
    for (HBITMAP &b : three) b = Bitmap(w, h);
    return Ptr(three);
}

// The selected root with two levels under it, then a last root item.
HWND Make(Parent &parent) {
    HWND tree = parent.Tree(kChildStyle | WS_VSCROLL | WS_HSCROLL, 0, 0, 300, 200);
    COLORREF table[LUMTREE_COLORCOUNT];
    for (COLORREF &c : table) c = LUMTREE_AUTOCOLOR;
    table[LUMTREECOLOR_BACK] = kBack;
    table[LUMTREECOLOR_SELBACK] = kSel;
    Send(tree, LUMTREEM_SETCOLORS, 0, Ptr(table));
    AddItems(tree, {{"root", 0}, {"child", 1}, {"grandchild", 2}, {"child 2", 1}, {"next", 0}});
    Send(tree, LUMTREEM_SETSELECTION, 0);
    Send(tree, LUMTREEM_SETSHOWROOTBUTTONS, 1);
    Send(tree, LUMTREEM_SETLEVEL, 2, 64);
    return tree;
}

// Seconds of a synchronous paint of the whole window, and the picture.
double Paint(HWND tree, Pixels &px) {
    LARGE_INTEGER f, a, b;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&a);
    InvalidateRect(tree, nullptr, FALSE);
    UpdateWindow(tree);
    px = PrintClient(tree);
    QueryPerformanceCounter(&b);
    return double(b.QuadPart - a.QuadPart) / double(f.QuadPart);
}

} // namespace

TEST_CASE("absurd sizes paint in ordinary time, what is in view drawn right") {
    constexpr COLORREF A = LUMTREE_AUTOCOLOR;
    // clang-format off
    const struct { const char *name; void (*set)(HWND); COLORREF corner; } cases[] = {
        {"65,535 lines: the selected row fills the view", [](HWND t) {
             const LRESULT h1 = Send(t, LUMTREEM_GETROWHEIGHT);
             Send(t, LUMTREEM_SETLINESPERITEM, 65535);
             CHECK(Send(t, LUMTREEM_GETROWHEIGHT) > 65535 * (h1 / 2));
             CHECK(Send(t, LUMTREEM_GETPAGEROWS) == 1); }, kSel},
        {"65,535 lines, a child on top: lines the whole height, grid lines", [](HWND t) {
             Send(t, LUMTREEM_SETLINESPERITEM, 65535); Send(t, LUMTREEM_SETTOPINDEX, 2);
             Send(t, LUMTREEM_SETGRIDLINES, 1); }, kAny},
        {"65,535 lines, the last item on top", [](HWND t) {
             Send(t, LUMTREEM_SETLINESPERITEM, 65535); Send(t, LUMTREEM_SETTOPINDEX, 4); }, kBack},
        {"a font 30,000 high times INT_MAX lines: a row never wraps", [](HWND t) {
             static const HFONT big = CreateFontA(-30000, 0, 0, 0, FW_NORMAL, 0, 0, 0,
                                                  ANSI_CHARSET, 0, 0, 0, 0, "Arial");
             Send(t, WM_SETFONT, reinterpret_cast<WPARAM>(big), 1);
             for (WPARAM lines : {0xFFFFu, unsigned(INT_MAX)}) {
                 Send(t, LUMTREEM_SETLINESPERITEM, lines);
                 const LRESULT h = Send(t, LUMTREEM_GETROWHEIGHT);
                 CHECK((h > 0 && h <= INT_MAX && Send(t, LUMTREEM_GETPAGEROWS) >= 1));
             } }, kSel},
        {"columns of INT_MAX under a header, scrolled to the end", [](HWND t) {
             TreeColumn cols[3]{};
             cols[0].width = INT_MAX / 2, cols[1].width = cols[2].width = INT_MAX;
             Send(t, LUMTREEM_SETCOLUMNS, 3, Ptr(cols)); Send(t, LUMTREEM_SHOWHEADER, 1);
             Send(t, LUMTREEM_FITHEXTENT); CHECK(Send(t, LUMTREEM_GETHEXTENT) >= 0);
             Send(t, LUMTREEM_SETHPOS, WPARAM(-1)); CHECK(Send(t, LUMTREEM_GETHPOS) >= 0); }, kAny},
        {"labels of INT_MAX under a header", [](HWND t) {
             Send(t, LUMTREEM_SHOWLABELS, 3); Send(t, LUMTREEM_SETLABELWIDTH, INT_MAX);
             Send(t, LUMTREEM_SHOWHEADER, 1); }, kAny},
        {"node bitmaps 60,000 high", [](HWND t) {
             CHECK(Send(t, LUMTREEM_SETNODEBITMAPS, 0, Bitmaps(16, 60000)) == 1);
             CHECK(Send(t, LUMTREEM_GETROWHEIGHT) > 60000); }, kSel},
        {"node bitmaps 2,000,000 wide at level 64, scrolled to the end", [](HWND t) {
             CHECK(Send(t, LUMTREEM_SETNODEBITMAPS, 0, Bitmaps(2000000, 2)) == 1);
             CHECK(Send(t, LUMTREEM_GETTREEWIDTH) > 0);
             Send(t, LUMTREEM_SETHPOS, WPARAM(-1)); }, kAny},
        {"state, cell and label bitmaps of extreme sizes", [](HWND t) {
             CHECK(Send(t, LUMTREEM_SETSTATEBITMAPS, 0, Bitmaps(3000000, 3)) == 1);
             TreeCellAttrRequest cell{LUMTREE_ATTRVERSION, 0, 0, {A, A, A, A, nullptr, nullptr, 0}};
             cell.attr.bitmap = Bitmap(8, 200000);
             for (INT item : {0, -1}) {
                 cell.item = item;
                 CHECK(Send(t, LUMTREEM_SETCELLATTR, 0, Ptr(&cell)) == 1);
             }
             Send(t, LUMTREEM_SHOWLABELS, 3);
             TreeLabelAttrRequest label{LUMTREE_ATTRVERSION, 1, {A, A, A, A, Bitmap(64, 100000), 0}};
             for (INT item : {1, -1}) {
                 label.item = item;
                 CHECK(Send(t, LUMTREEM_SETLABELATTR, 0, Ptr(&label)) == 1);
             } }, kAny},
    };
    // clang-format on
    for (const auto &c : cases) {
        CAPTURE(c.name);
        Parent parent;
        HWND tree = Make(parent);
        c.set(tree);
        Pixels px;
        CHECK(Paint(tree, px) < kPaintBound);
        if (c.corner != kAny) CHECK(px.At(px.width - 2, px.height - 2) == c.corner);
        Send(tree, WM_SETFONT, 0, 0);
    }
}
