// Painted controls. One table of switches and of the colours that must be (and must not be) at
// the places the geometry routines name, on one scene with a tree, three columns, a header bar,
// a corner and row labels; the row looks; fonts; the automatic colours; and the pipeline:
// drawing straight to the target matches the one-row bitmap, partial updates stay inside their
// rectangle, and 20,000 paints leak neither heap nor GDI objects.
#include "../support/harness.h"
#include "lumtree/api/api.h"
#include "lumtree/items/items.h"
#include "lumtree/layout/layout.h"
#include "lumtree/render/gdi.h"
#include "lumtree/render/render.h"

#include <algorithm>
#include <climits>
#include <string>
#include <utility>
#include <vector>

namespace {

// Every entry of the colour table gets a colour no system colour uses, so that every pixel
// says who painted it (the drop mark stays automatic).
constexpr COLORREF Entry(int k) {
    return RGB(20 + 9 * k, 200 - 7 * k, 60 + 5 * k);
}
constexpr COLORREF kBack = Entry(LUMTREECOLOR_BACK), kText = Entry(LUMTREECOLOR_TEXT);
constexpr COLORREF kSelBack = Entry(LUMTREECOLOR_SELBACK), kSelText = Entry(LUMTREECOLOR_SELTEXT);
constexpr COLORREF kGray = Entry(LUMTREECOLOR_GRAYTEXT), kLight = Entry(LUMTREECOLOR_LIGHT);
constexpr COLORREF kHText = Entry(LUMTREECOLOR_HEADERTEXT), kLText = Entry(LUMTREECOLOR_LABELTEXT);
constexpr COLORREF kCText = Entry(LUMTREECOLOR_CORNERTEXT), kShadow = Entry(LUMTREECOLOR_SHADOW);
constexpr COLORREF kVGrid = Entry(LUMTREECOLOR_GRIDVERT), kHGrid = Entry(LUMTREECOLOR_GRIDHORZ);
constexpr COLORREF kLGrey = Entry(LUMTREECOLOR_LABELGRAYTEXT), kAuto = LUMTREE_AUTOCOLOR;
constexpr COLORREF kBlack = 0, kWhite = RGB(255, 255, 255), kMagenta = RGB(128, 0, 128);
constexpr COLORREF kBoxGrey = RGB(128, 128, 128), kGreen = RGB(0, 90, 0), kInk = RGB(0, 150, 0);
constexpr COLORREF kOwn = RGB(255, 220, 220), kOwnText = RGB(120, 0, 0), kOwnSel = RGB(0, 0, 90);
const COLORREF kDot = GetSysColor(COLOR_BTNSHADOW), k3DLight = GetSysColor(COLOR_3DLIGHT);

// A 32-bit top-down DIB section filled with one colour, selected into a memory DC.
struct Canvas {
    int width, height;
    HDC dc = CreateCompatibleDC(nullptr);
    DWORD *bits = nullptr;
    HBITMAP bitmap;
    HGDIOBJ old;
    Canvas(int w, int h, COLORREF fill) : width(w), height(h) {
        BITMAPINFO bi{{sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0}, {}};
        bitmap = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, reinterpret_cast<void **>(&bits), 0, 0);
        old = SelectObject(dc, bitmap);
        RECT all{0, 0, w, h};
        FillRect(dc, &all, gdi::SolidBrush(fill).get());
    }
    ~Canvas() {
        SelectObject(dc, old);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
    lt::Pixels Read() const {
        GdiFlush();
        lt::Pixels px{width, height, {}};
        for (int k = 0; k < width * height; ++k)
            px.bits.push_back(RGB(bits[k] >> 16 & 0xFF, bits[k] >> 8 & 0xFF, bits[k] & 0xFF));
        return px;
    }
};

// A w x h picture: dark magenta (transparent) everywhere, `ink` inside a one-pixel border.
HBITMAP SquareBitmap(int w, int h, COLORREF ink) {
    Canvas c(w, h, kMagenta);
    RECT inner{1, 1, w - 1, h - 1};
    FillRect(c.dc, &inner, gdi::SolidBrush(ink).get());
    SelectObject(c.dc, c.old);
    return std::exchange(c.bitmap, nullptr);
}
HBITMAP Square() {
    static const HBITMAP square = SquareBitmap(8, 8, kInk);
    return square;
}

// An expectation on a picture: between lo and hi pixels of a colour inside a rectangle.
struct Probe {
    RECT at;
    COLORREF colour;
    int lo, hi;
};
using Probes = std::vector<Probe>;
int Area(RECT r) {
    return (r.right - r.left) * (r.bottom - r.top);
}
void Check(const lt::Pixels &px, const Probes &probes, const std::string &what) {
    for (const Probe &p : probes) {
        const int n = px.Count(p.at, p.colour);
        INFO(what << ": " << p.colour << " at " << p.at.left << "," << p.at.top << ": " << n);
        CHECK((n >= p.lo && n <= p.hi));
    }
}

// A control with known colours in a parent window.
struct Tree {
    lt::Parent parent{440, 340};
    HWND hwnd;
    TreeCtl *ctl;
    COLORREF table[LUMTREE_COLORCOUNT];

    explicit Tree(int width = 320, int height = 200) {
        static const bool registered = LoadLibraryState(GetModuleHandleA(nullptr));
        REQUIRE(registered);
        hwnd = parent.Tree(lt::kChildStyle, 0, 0, width, height);
        ctl = FindCtl(hwnd);
        for (int k = 0; k < LUMTREE_COLORCOUNT; ++k) table[k] = Entry(k);
        SetColor(LUMTREECOLOR_DROPMARK, kAuto);
    }
    void SetColor(int entry, COLORREF c) {
        table[entry] = c;
        Send(LUMTREEM_SETCOLORS, 0, lt::Ptr(table));
    }
    LRESULT Send(UINT m, WPARAM w = 0, LPARAM l = 0) const { return lt::Send(hwnd, m, w, l); }
    void Text(INT item, INT column, const char *text) const {
        Send(LUMTREEM_SETTEXTCOLUMN, column);
        REQUIRE(Send(LUMTREEM_SETTEXT, item, lt::Ptr(text)) == 1);
        Send(LUMTREEM_SETTEXTCOLUMN, 0);
    }
    void CellAttr(INT item, INT column, const TreeCellAttr &attr) const {
        TreeCellAttrRequest request{LUMTREE_ATTRVERSION, item, column, attr};
        REQUIRE(Send(LUMTREEM_SETCELLATTR, 0, lt::Ptr(&request)) == 1);
    }
    // Labels of a style in a column 40 pixels wide.
    void Labels(UINT style) const {
        Send(LUMTREEM_SHOWLABELS, style);
        Send(LUMTREEM_SETLABELWIDTH, 40);
    }
    void Focus() const {
        SetFocus(hwnd);
        REQUIRE(GetFocus() == hwnd);
    }
    lt::Pixels Paint() const { return lt::PrintClient(hwnd); }
    template <class F, class... A> RECT Get(F of, A... a) const {
        RECT rc{};
        of(ctl, a..., &rc);
        return rc;
    }
    RECT Row(INT i) const { return Get(RowRect, i); }
    RECT Cell(INT i, INT column) const { return Get(CellRect, i, column); }
    RECT Label(INT i) const { return Get(LabelRect, i); }
};

// The process's hot-track state: the mouse over row i of a window (none: null), tracking on.
void Track(HWND window, INT i) {
    g_lum.trackWindow = window;
    g_lum.trackIndex = i;
    g_lum.keyboardMode = FALSE;
    g_lum.globalItemTrack = window != nullptr;
}

// The scene: six folders at levels 0 1 2 2 1 0 in a tree column, a right-aligned size and a
// kind; a picture before the first title, the second centred; labels numbered from 1 in a
// column 40 wide, and a corner "#".
void Scene(Tree &t) {
    static char name[] = "Name", size[] = "Size", kind[] = "Kind";
    TreeColumn columns[3] = {{0, 0, 80, 0, 0, name, nullptr, Square(), 0},
                             {0, 0, 60, LUMTREEFORMAT_RIGHT, LUMTREEFORMAT_CENTER, size, 0, 0, 0},
                             {0, 0, LUMTREE_STRETCH, 0, 0, kind, nullptr, nullptr, 0}};
    REQUIRE(t.Send(LUMTREEM_SETCOLUMNS, 3, lt::Ptr(columns)) == 1);
    for (int level : {0, 1, 2, 2, 1, 0}) lt::AddItems(t.hwnd, {{"Folder", level}});
    for (INT i = 0; i < 6; ++i) t.Text(i, 1, "12 kB"), t.Text(i, 2, "Folder");
    t.Send(LUMTREEM_SHOWHEADER, TRUE);
    t.Labels(5);
    t.Send(LUMTREEM_SETCORNERTEXT, 0, lt::Ptr("#"));
}

// Places in the scene, for row i and k: a column, a tree level, the parent level of a button
// (-1: the root button) or a piece of the bars (a header column; -1 the corner, -2 label i).
// clang-format off
enum Spot {
    PartIn, CellIn, CellCorner, RowCorner, RowEnd, TextTop, TextBottom, TextLeft, TextLine, FrameLeft,
    FrameRight, Bar, After, BoxCorner, BoxEdge, BoxMid, BoxBar, BoxIn, BoxPressed, GridV, GridH,
    PicBefore, PicAt, Stub, Missing, EdgeTop, EdgeBottom, LabelIn, Part, Row, Cell, Label, Piece,
    Items, Client, Top, PartTop, TopFromText, BelowFirst, Line, LineTop, LineBelow, Across, RightMargin,
    LeftMargin, BeforeMargin, RowAbove, UpperHalf, LowerHalf, HeadStart, HeadLeftOf, HeadRightOf,
    HeadLine, Divider, LabelLine, LabelSep, BelowLabels};
// clang-format on
// What must be there: none of the colour, all of it, some (a stroke of text, any, or exactly
// n pixels), dots (every other pixel), or at most half (the dots of a focus rectangle).
enum Expect { No, Is, Some, Any, Dots, Few, Exactly };
struct Spec {
    Spot spot;
    INT i;
    int k;
    COLORREF colour;
    Expect expect;
    int n = 0;
};

RECT Pt(int x, int y) {
    return RECT{x, y, x + 1, y + 1};
}
// clang-format off
RECT Where(const Tree &t, Spot s, INT i, int k) {
    const TreeCtl *ctl = t.ctl;
    const RECT r = t.Row(i), c = t.Cell(i, std::max(k, 0)), text = t.Cell(i, 0), a = ItemAreaRect(ctl);
    const int mid = (r.top + r.bottom) / 2, half = r.top + ctl->rowHeight / 2 + ctl->rowHeight / 2 % 2;
    const int hh = HeaderHeight(ctl), w = IndentWidth(ctl), g = ctl->avgCharWidth, m = g / 2;
    const int line = r.left - ctl->horizontalPos + TreeLineX(ctl, std::max(k, 0));
    const RECT box = k < 0 ? RootButtonBox(ctl) : IndentButtonBox(ctl, k);
    const int bx = r.left - ctl->horizontalPos + box.left, by = r.top + box.top;
    const int pic[3] = {r.left + g + 1, r.left + ItemBitmapAreaWidth(ctl) + g + 1,
                        r.left + TreePartStart(ctl) + IndentOf(ctl, i < ctl->itemCount ? LevelOf(ctl, i) : 0) + 1};
    const int skip = r.left + TreePartStart(ctl) + g + w; // the level an item skipped
    const RECT p = k >= 0 ? ColumnHeaderRect(ctl, k) : k == -1 ? CornerRect(ctl) : t.Label(i);
    const int pmid = (p.left + p.right) / 2, pbottom = k >= 0 ? hh : p.bottom;
    switch (s) { // points...
    case PartIn: return Pt(r.left + 1, mid);                 case CellIn: return Pt(c.left + 1, mid);
    case CellCorner: return Pt(c.left + 1, c.top + 1);       case RowCorner: return Pt(r.left, r.top);
    case RowEnd: return Pt(r.right - 2, r.top + 1);          case TextTop: return Pt(text.left, r.top);
    case TextBottom: return Pt(text.left + 5, r.bottom - 1); case TextLeft: return Pt(text.left - 1, r.top);
    case FrameLeft: return Pt(r.left, mid);                  case FrameRight: return Pt(r.right - 1, mid);
    case Bar: return Pt(r.left + 1, r.top + k);              case After: return Pt(a.left + 3, t.Row(5).bottom + k);
    case BoxCorner: return Pt(bx, by);                       case BoxEdge: return Pt(bx + 2, by + 1);
    case BoxMid: return Pt(bx + 6, by + 5);                  case BoxBar: return Pt(bx + 6, by + 3);
    case BoxIn: return Pt(bx + 4, by + 3);                   case BoxPressed: return Pt(bx + 4, by + 2);
    case GridV: return Pt(c.right - 1, r.top + 1);           case GridH: return Pt(r.left + 5, r.bottom - 1);
    case EdgeTop: return Pt(p.left + 5, p.top);              case EdgeBottom: return Pt(p.left + 5, pbottom - 2);
    case LabelIn: return Pt(p.left + 2, p.top + 2);          case Stub: return Pt(r.left + TreeLineX(ctl, 1), r.bottom - 2);
    // ...and rectangles
    case Part: return RECT{r.left, r.top, text.left, r.bottom};   case Row: return r;
    case Cell: return c;                                          case Label: return t.Label(i);
    case Piece: return p;                                         case Items: return a;
    case Client: return ClientRect(ctl);                          case Top: return RECT{r.left, r.top, r.right, r.top + 1};
    case PartTop: return RECT{r.left, r.top, text.left, r.top + 1};
    case TopFromText: return RECT{text.left, r.top, r.right, r.top + 1};
    case TextLine: return RECT{text.left + 3, r.top + k, text.left + 40, r.top + k + 1};
    case BelowFirst: return RECT{a.left, a.top + ctl->rowHeight, a.right, a.bottom};
    case PicBefore: return RECT{r.left, r.top, pic[k], r.bottom};
    case PicAt: return RECT{pic[k], r.top, pic[k] + 1, r.bottom};
    case Missing: return RECT{skip, half, skip + w, half + 1};
    case Line: return RECT{line, r.top, line + 1, r.bottom};
    case LineTop: return RECT{line, r.top, line + 1, half + 1};
    case LineBelow: return RECT{line, half + 1, line + 1, r.bottom};
    case Across: return RECT{line, half, line + w - w / 2, half + 1};
    case RightMargin: return RECT{c.right - m, c.top, c.right, c.bottom};
    case LeftMargin: return RECT{c.left, c.top, c.left + m, c.bottom};
    case BeforeMargin: return RECT{c.right - m - 4, c.top, c.right - m, c.bottom};
    case RowAbove: return RECT{r.left, r.top, r.right, r.bottom - 1};
    case UpperHalf: return RECT{c.left, c.top, c.right, mid};
    case LowerHalf: return RECT{c.left, mid, c.right, c.bottom};
    case HeadStart: return RECT{p.left, 0, p.left + 12, hh};
    case HeadLeftOf: return RECT{p.left, 0, pmid - 16, hh};
    case HeadRightOf: return RECT{pmid + 16, 0, p.right, hh};
    case HeadLine: return RECT{0, hh - 1, a.right, hh};
    case Divider: return RECT{p.right - 1, 0, p.right, hh - 1};
    case LabelLine: return RECT{39, 0, 40, a.bottom};
    case LabelSep: return RECT{0, p.bottom - 1, 39, p.bottom};
    case BelowLabels: return RECT{0, t.Label(5).bottom, 39, a.bottom};
    }
    return RECT{};
}
// clang-format on

// One case of the table: switches set on a fresh scene, then what must be where.
struct Case {
    const char *name;
    void (*set)(Tree &t);
    std::initializer_list<Spec> specs;
};
void Run(std::initializer_list<Case> cases) {
    for (const Case &c : cases) {
        Tree t;
        Scene(t);
        c.set(t);
        Probes probes;
        for (const Spec &s : c.specs) {
            const RECT r = Where(t, s.spot, s.i, s.k);
            const int n = Area(r), lo[] = {0, n, 3, 1, (n + 1) / 2, 0, s.n};
            const int hi[] = {0, n, INT_MAX, INT_MAX, (n + 1) / 2, n / 2 + 1, s.n};
            probes.push_back({r, s.colour, lo[s.expect], hi[s.expect]});
        }
        Check(t.Paint(), probes, c.name);
        Track(nullptr, -1);
    }
}

// Setups.
void Drop(Tree &t, INT target, UINT mode, COLORREF colour = kGreen) {
    t.ctl->dropTarget = target;
    t.ctl->dropMarkMode = mode;
    t.SetColor(LUMTREECOLOR_DROPMARK, colour);
}
void Grid(Tree &t, int style) {
    t.Send(LUMTREEM_SETGRIDLINES, TRUE);
    t.Send(LUMTREEM_SETGRIDSTYLE, static_cast<WPARAM>(style));
}
// Item pictures (and one for row 1), state pictures without a leaf one, node pictures.
void Pictures(Tree &t) {
    static HBITMAP item = SquareBitmap(10, 10, kInk), state = SquareBitmap(8, 8, kOwnText),
                   node = SquareBitmap(12, 12, kOwnSel);
    HBITMAP states[3] = {state, state, nullptr}, nodes[3] = {node, node, node};
    t.Send(LUMTREEM_SETBITMAP, static_cast<WPARAM>(-1), lt::Ptr(item));
    t.Send(LUMTREEM_SETBITMAP, 1, lt::Ptr(item));
    t.Send(LUMTREEM_SETSTATEBITMAPS, 0, lt::Ptr(states));
    t.Send(LUMTREEM_SETNODEBITMAPS, 0, lt::Ptr(nodes));
}
// Row 1's size cell with colours of its own, its kind cell with a picture and a background.
void Attrs(Tree &t) {
    t.CellAttr(1, 1, TreeCellAttr{kOwn, kOwnText, kOwnSel, kAuto, nullptr, nullptr, 0});
    const TreeCellAttr picture{kGreen, kAuto, kAuto, kAuto, nullptr, Square(), 0};
    t.CellAttr(1, 2, picture);
    t.CellAttr(-1, 0, picture); // the size of cell pictures
}
// Row 1 recoloured through a draw callback that finds it by its item data, and drawn disabled.
INT CALLBACK Recolour(HWND, RowDrawInfo *info, DWORD_PTR colour) {
    if (info->data != 77) return 0;
    info->backColor = info->cellBackColor = static_cast<COLORREF>(colour);
    info->enabled = 0;
    return 0;
}

} // namespace

// clang-format off
TEST_CASE("every switch that changes the picture, at the places the geometry names") {
    constexpr COLORREF HS = Entry(LUMTREECOLOR_HEADERSHADOW), HL = Entry(LUMTREECOLOR_HEADERLIGHT);
    constexpr COLORREF CS = Entry(LUMTREECOLOR_CORNERSHADOW), CL = Entry(LUMTREECOLOR_CORNERLIGHT);
    constexpr COLORREF LS = Entry(LUMTREECOLOR_LABELSHADOW), LL = Entry(LUMTREECOLOR_LABELLIGHT);
    const COLORREF K = kBlack, G = kGreen, D = kDot, B = kBack, X = kBoxGrey; // short, for the table
    Run({
        {"defaults: T and L lines, minus buttons, texts; sunken header cells, raised corner and labels",
         [](Tree &) {},
         {{Line, 2, 0, D, Dots}, {Line, 2, 1, D, Dots}, {Across, 2, 1, D, Dots}, {Line, 3, 0, D, Dots},
          {LineTop, 3, 1, D, Dots}, {LineBelow, 3, 1, D, No}, {LineTop, 4, 0, D, Dots}, {Row, 2, 0, X, No},
          {BoxCorner, 1, 0, B, Is}, {BoxEdge, 1, 0, X, Is}, {BoxMid, 1, 0, K, Is}, {BoxBar, 1, 0, K, No},
          {BoxIn, 1, 0, B, Is}, {Part, 0, 0, B, Is}, {Part, 5, 0, B, Is}, {Part, 2, 0, kText, No},
          {Cell, 0, 0, kText, Some}, {Cell, 5, 1, kText, Some}, {Cell, 3, 2, kText, Some},
          {Items, 0, 0, kSelBack, No}, {Items, 0, 0, kVGrid, No}, {Items, 0, 0, kHGrid, No}, {Top, 0, 0, B, Is},
          {EdgeTop, 0, 1, HS, Is}, {EdgeBottom, 0, 1, HL, Is}, {Piece, 0, 0, kHText, Some},
          {Piece, 0, 2, kHText, Some}, {Piece, 0, 0, kInk, Exactly, 36}, {HeadStart, 0, 0, kHText, No},
          {HeadLeftOf, 0, 1, kHText, No}, {HeadRightOf, 0, 1, kHText, No}, {HeadLine, 0, 0, K, Is},
          {Divider, 0, 0, K, Is}, {Divider, 0, 1, K, Is}, {EdgeTop, 0, -1, CL, Is}, {EdgeBottom, 0, -1, CS, Is},
          {Piece, 0, -1, kCText, Some}, {LabelLine, 0, 0, K, Is}, {EdgeTop, 1, -2, LL, Is},
          {EdgeBottom, 1, -2, LS, Is}, {LabelSep, 1, -2, K, Is}, {Label, 1, 0, kLText, Some},
          {BelowLabels, 0, 0, Entry(LUMTREECOLOR_LABELBACK), Is}}},
        {"collapsed, root buttons, scrolled right: a plus, a root minus, everything moved left", [](Tree &t) {
             t.Send(LUMTREEM_SETSHOWROOTBUTTONS, TRUE); t.Send(LUMTREEM_SETHEXTENT, 1000);
             t.Send(LUMTREEM_SETHPOS, 7); t.Send(LUMTREEM_EXPAND, 1, MAKELPARAM(0, 0)); },
         {{BoxCorner, 1, 0, B, Is}, {BoxEdge, 1, 0, X, Is}, {BoxMid, 1, 0, K, Is}, {BoxBar, 1, 0, K, Is},
          {BoxIn, 1, 0, B, Is}, {BoxEdge, 0, -1, X, Is}, {BoxBar, 0, -1, K, No}, {LineTop, 4, 0, D, Dots},
          {Row, 5, 0, X, No}}},
        {"a pressed button: checkered", [](Tree &t) { t.ctl->pressedButton = 1; },
         {{BoxPressed, 1, 0, RGB(192, 192, 192), Is}}},
        {"an application's button strip: its image instead of the box", [](Tree &t) {
             static const HBITMAP strip = SquareBitmap(40, 10, kInk); // image 1: no border
             t.Send(LUMTREEM_SETBUTTONSTRIP, 0, lt::Ptr(strip)); },
         {{Row, 1, 0, kInk, Exactly, 80}, {Row, 1, 0, X, No}}},
        {"no lines: neither dots nor indentation buttons", [](Tree &t) { t.Send(LUMTREEM_SETSHOWLINES, FALSE); },
         {{Client, 0, 0, D, No}, {Client, 0, 0, X, No}}},
        {"no buttons: the line runs through", [](Tree &t) { t.Send(LUMTREEM_SETSHOWBUTTONS, FALSE); },
         {{Row, 1, 0, X, No}, {Line, 1, 0, D, Dots}}},
        {"an item two levels below its parent: a line through the missing level", [](Tree &t) {
             t.Send(LUMTREEM_DELETEALL); lt::AddItems(t.hwnd, {{"Top", 0}, {"Deep", 2}}); },
         {{Missing, 1, 0, D, Dots}}},
        {"item, state and node pictures in their areas, a stub below an expanded node", Pictures,
         {{PicBefore, 1, 0, kInk, No}, {PicAt, 1, 0, kInk, Any}, {PicBefore, 1, 1, kOwnText, No},
          {PicAt, 1, 1, kOwnText, Any}, {PicBefore, 1, 2, kOwnSel, No}, {PicAt, 1, 2, kOwnSel, Any},
          {PicBefore, 2, 2, kOwnSel, No}, {PicAt, 2, 2, kOwnSel, Any}, {Row, 2, 0, kOwnText, No}, {Stub, 1, 0, D, Is}}},
        {"a disabled item: only its node picture embossed", [](Tree &t) {
             Pictures(t); t.Send(LUMTREEM_ENABLEITEM, 1, FALSE); },
         {{PicAt, 1, 0, kInk, Any}, {Row, 1, 0, kOwnSel, No}, {Row, 1, 0, D, Some}}},
        {"a disabled window: every picture embossed, every text grey", [](Tree &t) {
             Pictures(t); EnableWindow(t.hwnd, FALSE); },
         {{Row, 1, 0, kInk, No}, {Row, 1, 0, kOwnSel, No}, {Cell, 1, 0, kGray, Some}, {Cell, 1, 0, kText, No},
          {Piece, 0, 2, Entry(LUMTREECOLOR_HEADERGRAYTEXT), Some}, {Piece, 0, 2, kHText, No}}},
        {"a focus frame on the caret's row; vertical grid lines; an insertion mark after the last", [](Tree &t) {
             t.Send(LUMTREEM_SETCARET, 5); t.Focus(); Grid(t, 0); Drop(t, 6, LUMTREEDROPMARK_INSERT); },
         {{Top, 5, 0, B, Few}, {PartTop, 0, 0, B, Is}, {GridV, 0, 0, kVGrid, Is}, {GridV, 3, 1, kVGrid, Is},
          {GridH, 3, 0, kHGrid, No}, {After, 0, 0, G, Is}, {After, 0, 1, G, Is}, {After, 0, 2, B, Is}}},
        {"the focus frame from the text; horizontal grid lines; a bar at the drop target's top", [](Tree &t) {
             t.Send(LUMTREEM_SETCARET, 5); t.Send(LUMTREEM_SETTEXTONLYSELECTION, TRUE); t.Focus(); Grid(t, 1);
             Drop(t, 1, LUMTREEDROPMARK_INSERT, kAuto); },
         {{PartTop, 5, 0, B, Is}, {TopFromText, 5, 0, B, Few}, {GridV, 3, 0, kVGrid, No}, {GridH, 3, 0, kHGrid, Is},
          {RowAbove, 3, 0, kHGrid, No}, {Bar, 1, 0, kSelBack, Is}, {Bar, 1, 1, kSelBack, Is}, {Bar, 1, 2, B, Is}}},
        {"both grid lines; a frame around the drop target; drop mode 0 draws none", [](Tree &t) {
             Grid(t, 2); Drop(t, 1, LUMTREEDROPMARK_ITEM); },
         {{GridV, 3, 0, kVGrid, Is}, {GridH, 3, 0, kHGrid, Is}, {FrameLeft, 1, 0, G, Is}, {FrameRight, 1, 0, G, Is},
          {Bar, 1, 2, B, Is}}},
        {"drop mode 0: no mark", [](Tree &t) { Drop(t, 1, LUMTREEDROPMARK_CARET); }, {{Items, 0, 0, G, No}}},
        {"the focus frame of an empty list: on its first row", [](Tree &t) { t.Focus(); t.Send(LUMTREEM_DELETEALL); },
         {{Top, 0, 0, B, Few}, {BelowFirst, 0, 0, B, Is}}},
        {"3-D look: sunken frames from the text, raised when selected, the focus inset by 2", [](Tree &t) {
             t.Send(LUMTREEM_SETLOOK3D, TRUE); t.Send(LUMTREEM_SETCARET, 2); t.Send(LUMTREEM_SETSELECTION, 2); t.Focus(); },
         {{TextTop, 1, 0, kShadow, Is}, {TextBottom, 1, 0, kLight, Is}, {TextLeft, 1, 0, B, Is},
          {TextTop, 2, 0, kLight, Is}, {TextBottom, 2, 0, kShadow, Is}, {TextLine, 2, 1, kLight, Is},
          {TextLine, 2, 2, kSelBack, Few}}},
        {"a draw callback recolours a row by its item data and draws it disabled, label too", [](Tree &t) {
             static TreeDrawCallback callback{Recolour, kGreen};
             t.Send(LUMTREEM_SETDATA, 1, 77); t.Send(LUMTREEM_SETDRAWCALLBACK, 0, lt::Ptr(&callback)); },
         {{PartIn, 1, 0, G, Is}, {Row, 2, 0, G, No}, {Label, 1, 0, kLGrey, Some}, {Label, 2, 0, kLGrey, No}}},
        {"cells: own colours, right-aligned text, a picture, the last cell's background to the end", Attrs,
         {{CellCorner, 1, 1, kOwn, Is}, {Cell, 1, 1, kOwnText, Some}, {RightMargin, 1, 1, kOwnText, No},
          {BeforeMargin, 1, 1, kOwnText, Some}, {Cell, 1, 2, kInk, Exactly, 36}, {Cell, 0, 2, kInk, No}, {RowEnd, 1, 0, G, Is}}},
        {"a selected row: a cell's own selected background, the row's selected text", [](Tree &t) {
             Attrs(t); t.Send(LUMTREEM_SETSELECTION, 1); t.Focus(); },
         {{CellCorner, 1, 1, kOwnSel, Is}, {Cell, 1, 1, kSelText, Some}, {CellCorner, 1, 2, kSelBack, Is}}},
        {"a last column of fixed width: the row's own background after it", [](Tree &t) {
             Attrs(t); t.ctl->columns[2].width = 50; },
         {{RowEnd, 1, 0, B, Is}, {CellCorner, 1, 2, G, Is}}},
        {"a text too wide for its cell runs on into the margin", [](Tree &t) { t.Text(0, 2, "WWWWWWWWWWWWWWW"); },
         {{RightMargin, 0, 2, kText, Any}}},
        {"with the ellipsis switch it ends in dots inside both margins", [](Tree &t) {
             t.Send(LUMTREEM_SETCELLELLIPSIS, TRUE); t.Text(0, 1, "WWWWWWWWWWWWWWW"); t.Text(0, 2, "WWWWWWWWWWWWWWWWWWWWWWWWWWW"); },
         {{RightMargin, 0, 1, kText, No}, {LeftMargin, 0, 1, kText, No}, {Cell, 0, 1, kText, Some}, {RightMargin, 0, 2, kText, No}}},
        {"two lines per row with the multi-line format", [](Tree &t) {
             t.Send(LUMTREEM_SETLINESPERITEM, 2); t.Text(0, 2, "First\nSecond"); t.ctl->columns[2].format = LUMTREEFORMAT_MULTILINE; },
         {{UpperHalf, 0, 2, kText, Some}, {LowerHalf, 0, 2, kText, Some}}},
        {"pressed: a header (with header buttons), the corner, a selected item's label", [](Tree &t) {
             t.Send(LUMTREEM_SETHEADERBUTTONS, TRUE); t.Send(LUMTREEM_SETPRESSEDHEADER, 1);
             t.Send(LUMTREEM_SETCORNERPRESSED, TRUE); t.Send(LUMTREEM_SETSELECTION, 1); },
         {{EdgeTop, 0, 1, HS, Is}, {EdgeTop, 0, 0, HL, Is}, {EdgeBottom, 0, 0, HS, Is}, {EdgeTop, 0, -1, CS, Is},
          {EdgeTop, 1, -2, LS, Is}, {EdgeBottom, 1, -2, LL, Is}, {LabelIn, 1, -2, Entry(LUMTREECOLOR_LABELSELBACK), Is}}},
        {"a selected item's label with the flag against it: raised", [](Tree &t) {
             t.Send(LUMTREEM_SETSELECTION, 1); t.Send(LUMTREEM_SETLABELFLAGS, 0, LUMTREELABEL_NOPRESSED); },
         {{EdgeTop, 1, -2, LL, Is}}},
        {"label style 4: flat", [](Tree &t) { t.Labels(4); }, {{EdgeTop, 1, -2, LS, Is}, {EdgeBottom, 1, -2, LL, Is}}},
        {"label style 1: no numbers", [](Tree &t) { t.Labels(1); }, {{Label, 1, 0, kLText, No}}},
        {"a label text replaces the number", [](Tree &t) { t.Send(LUMTREEM_SETLABELTEXT, 1, lt::Ptr("")); },
         {{Label, 1, 0, kLText, No}, {Label, 2, 0, kLText, Some}}},
        {"a disabled header, corner and labels: grey texts", [](Tree &t) {
             t.ctl->columns[1].headerFlags |= LUMTREEHEADER_DISABLED;
             t.Send(LUMTREEM_SETCORNERFLAGS, 0, LUMTREECORNER_DISABLED); t.Send(LUMTREEM_SETLABELFLAGS, 0, LUMTREELABEL_DISABLED); },
         {{Piece, 0, 1, kHText, No}, {Piece, 0, 1, Entry(LUMTREECOLOR_HEADERGRAYTEXT), Some}, {Piece, 0, 2, kHText, Some},
          {Piece, 0, -1, kCText, No}, {Piece, 0, -1, Entry(LUMTREECOLOR_CORNERGRAYTEXT), Some}, {Label, 1, 0, kLText, No},
          {Label, 1, 0, kLGrey, Some}}},
        {"the corner no button, with a picture alone: a sunken frame and the picture", [](Tree &t) {
             t.Send(LUMTREEM_SETCORNERBUTTON, FALSE); t.Send(LUMTREEM_SETCORNERBITMAP, 0, lt::Ptr(Square()));
             t.Send(LUMTREEM_SETCORNERBITMAPFLAGS, 0, LUMTREEBITMAP_ALONE); },
         {{EdgeTop, 0, -1, CS, Is}, {Piece, 0, -1, kInk, Exactly, 36}, {Piece, 0, -1, kCText, No}}},
    });
}
// clang-format on

TEST_CASE("row looks: selection with and without the focus, inactive styles, disabled items") {
    // The switches, and the colours they give row 1: inside its tree part and its text cell, at
    // its top-left corner and at the top of its text cell; and its text's colour.
    enum : unsigned { Sel = 1, Focus = 2, TextOnly = 4, Look3D = 8, Off = 16 };
    const COLORREF B = kBack, S = kSelBack, L = k3DLight, T = kText, ST = kSelText;
    // clang-format off
    const struct { unsigned on, inactiveStyle; COLORREF part, cell, corner, textTop, text; } looks[] = {
        {0, 0, B, B, B, B, T},                      {Sel | Focus, 0, S, S, S, S, ST},
        {Sel | Focus | TextOnly, 0, B, S, B, S, ST}, {Sel | Focus | Look3D, 0, B, kLight, B, kLight, ST},
        {Sel, 0, S, S, S, S, ST},  /* unfocused */   {Sel, 1, B, B, S, S, T},  /* a frame */
        {Sel | TextOnly, 1, B, B, B, S, T},          {Sel, 2, B, B, B, B, T},  /* no mark */
        {Sel, 3, B, L, B, L, T},   /* a light cell */ {Sel | Focus, 3, S, S, S, S, ST},
        {Sel | Focus | Off, 0, B, B, B, B, kGray},   {Sel | Off, 1, B, B, B, B, kGray}}; // never marked
    // clang-format on
    for (const auto &l : looks) {
        Tree t;
        Scene(t);
        if (l.on & Sel) t.Send(LUMTREEM_SETSELECTION, 1);
        if (l.on & Off) t.Send(LUMTREEM_ENABLEITEM, 1, FALSE);
        t.Send(LUMTREEM_SETINACTIVESELSTYLE, l.inactiveStyle);
        t.Send(LUMTREEM_SETTEXTONLYSELECTION, (l.on & TextOnly) != 0);
        t.Send(LUMTREEM_SETLOOK3D, (l.on & Look3D) != 0);
        if (l.on & Focus) t.Focus();
        Probes p{{Where(t, PartIn, 1, 0), l.part, 1, 1},
                 {Where(t, CellIn, 1, 0), l.cell, 1, 1},
                 {Where(t, RowCorner, 1, 0), l.corner, 1, 1},
                 {Where(t, TextTop, 1, 0), l.textTop, 1, 1},
                 {t.Row(2), kSelBack, 0, 0}};
        for (COLORREF ink : {kText, kSelText, kGray})
            p.push_back({t.Cell(1, 0), ink, ink == l.text ? 3 : 0, ink == l.text ? INT_MAX : 0});
        Check(t.Paint(), p, std::to_string(l.on) + " style " + std::to_string(l.inactiveStyle));
    }
}

TEST_CASE("labels numbered from 0 in styles 3 and 4, from 1 in 5 and 6") {
    Tree t;
    Scene(t);
    auto ink = [&t](INT i) { return t.Paint().Count(t.Label(i), kLText); };
    const int one = ink(0); // style 5
    for (UINT style : {3u, 4u}) {
        t.Labels(style);
        CHECK((ink(1) == one && ink(0) != one));
    }
    t.Labels(6);
    CHECK(ink(0) == one);
}

TEST_CASE("the caret can be bold and the hot-tracked row underlined") {
    Tree t;
    HFONT tahoma = CreateFontA(-13, 0, 0, 0, 0, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Tahoma");
    t.Send(WM_SETFONT, reinterpret_cast<WPARAM>(tahoma), 0);
    for (int i = 0; i < 3; ++i) t.Send(LUMTREEM_ADDITEM, 0, lt::Ptr("Same text"));
    auto ink = [&t](INT i) { return t.Paint().Count(t.Cell(i, 0), kText); };
    const int plain = ink(0);
    t.Send(LUMTREEM_SETCARET, 1);
    t.ctl->caretFontOn = TRUE;
    const int bold = ink(1);
    Track(t.hwnd, 2);
    const int untracked = ink(2); // the control itself does not track
    t.ctl->itemTrack = TRUE;
    const int hot = ink(2);
    g_lum.keyboardMode = TRUE; // keys were used since the mouse moved
    CHECK(
        (bold > plain && ink(0) == plain && untracked == plain && hot > plain && ink(2) == plain));
    Track(t.hwnd, 1); // hot and the bold caret at once
    CHECK(ink(1) > bold);
    Track(nullptr, -1);
    DestroyWindow(t.hwnd);
    DeleteObject(tahoma);
}

TEST_CASE("automatic colours: the parent's list-box answer, else the defaults or the button face") {
    Tree t(200, 150);
    for (int k = 0; k < LUMTREE_COLORCOUNT; ++k) t.SetColor(k, kAuto);
    lt::AddFlat(t.hwnd, 3);
    COLORREF text = RGB(200, 0, 0), back = RGB(0, 0, 80);
    HBRUSH brush = CreateSolidBrush(back), answer = brush;
    int asked = 0;
    t.parent.onMessage = [&](UINT msg, WPARAM wp, LPARAM, LRESULT *result) {
        if (msg != WM_CTLCOLORLISTBOX) return false;
        ++asked;
        SetTextColor(reinterpret_cast<HDC>(wp), text);
        SetBkColor(reinterpret_cast<HDC>(wp), back);
        *result = reinterpret_cast<LRESULT>(answer);
        return true;
    };
    // After the paint that a change of colours throws away: the rows' background, text in row 1
    // and the empty area in these colours.
    auto looks = [&t](COLORREF ink, COLORREF paper) {
        t.Paint();
        Check(
            t.Paint(),
            {{Pt(1, 1), paper, 1, 1}, {t.Cell(1, 0), ink, 3, INT_MAX}, {Pt(199, 149), paper, 1, 1}},
            "colours");
    };
    looks(text, back);
    CHECK((t.ctl->backBrushBorrowed && t.ctl->backBrush == brush));
    // New colours: one paint that draws nothing and asks for another.
    lt::Pump();
    ValidateRect(t.hwnd, nullptr);
    text = kWhite;
    CHECK(t.Paint().Count(RECT{0, 0, 200, 150}, kBlack) == 200 * 150);
    CHECK(GetUpdateRect(t.hwnd, nullptr, FALSE));
    looks(kWhite, back);
    // While an editor is open the parent is not asked.
    HWND editor = CreateWindowExA(0, "EDIT", "", WS_CHILD, 0, 0, 9, 9, t.hwnd, 0, 0, 0);
    const int before = asked;
    text = RGB(1, 1, 1);
    looks(kWhite, back);
    CHECK(asked == before);
    DestroyWindow(editor);
    // No brush in the answer: the defaults, with a brush of the control's own.
    answer = nullptr;
    looks(GetSysColor(COLOR_WINDOWTEXT), GetSysColor(COLOR_WINDOW));
    CHECK_FALSE(t.ctl->backBrushBorrowed);
    // The 3-D look: the parent's colours, unless they are the window's own: then the button face.
    answer = brush;
    t.Send(LUMTREEM_SETLOOK3D, TRUE);
    looks(text, back);
    text = GetSysColor(COLOR_WINDOWTEXT);
    back = GetSysColor(COLOR_WINDOW);
    looks(GetSysColor(COLOR_BTNTEXT), GetSysColor(COLOR_BTNFACE));
    // An application colour: the parent is not asked, the other one is the window's own.
    const int now = asked;
    t.SetColor(LUMTREECOLOR_TEXT, RGB(0, 120, 0));
    looks(RGB(0, 120, 0), GetSysColor(COLOR_WINDOW));
    CHECK(asked == now);
    t.parent.onMessage = nullptr;
    DeleteObject(brush);
}

TEST_CASE("disabled header, corner and label texts stay visible on a grey button face") {
    const INT elements[2] = {COLOR_GRAYTEXT, COLOR_BTNFACE};
    const COLORREF saved[2] = {GetSysColor(COLOR_GRAYTEXT), GetSysColor(COLOR_BTNFACE)};
    const COLORREF silver[2] = {RGB(0xC0, 0xC0, 0xC0), RGB(0xC0, 0xC0, 0xC0)};
    REQUIRE(SetSysColors(2, elements, silver));
    {
        Tree t;
        Scene(t);
        for (int e :
             {LUMTREECOLOR_HEADERGRAYTEXT, LUMTREECOLOR_LABELGRAYTEXT, LUMTREECOLOR_CORNERGRAYTEXT})
            t.SetColor(e, kAuto);
        t.ctl->columns[1].headerFlags |= LUMTREEHEADER_DISABLED;
        t.Send(LUMTREEM_SETCORNERFLAGS, 0, LUMTREECORNER_DISABLED);
        t.Send(LUMTREEM_SETLABELFLAGS, 0, LUMTREELABEL_DISABLED);
        auto in = [](RECT r) { return RECT{r.left + 2, r.top + 2, r.right - 2, r.bottom - 2}; };
        const COLORREF grey = RGB(0x80, 0x80, 0x80); // inside the edges (the button shadow)
        const lt::Pixels px = t.Paint();
        for (RECT r : {ColumnHeaderRect(t.ctl, 1), CornerRect(t.ctl), t.Label(1)})
            CHECK(px.Count(in(r), grey) > 2);
    }
    SetSysColors(2, elements, saved);
    CHECK(GreyFor(RGB(0x80, 0x80, 0x80), RGB(0x80, 0x80, 0x80)) == RGB(0xC0, 0xC0, 0xC0));
}

namespace {

// The scene with every drawing path in use: header buttons, root buttons, grid lines, ellipsis,
// pictures, cell attributes, a draw callback; row 0 selected (inactive style 1), the bold caret,
// hot-tracked and the drop target; row 1 disabled. `rows` rows are in view.
struct Busy {
    Tree t{360, 200};
    int w, h;
    explicit Busy(int rows) {
        Scene(t);
        Pictures(t);
        Attrs(t);
        for (UINT msg :
             {LUMTREEM_SETHEADERBUTTONS, LUMTREEM_SETSHOWROOTBUTTONS, LUMTREEM_SETGRIDLINES,
              LUMTREEM_SETCELLELLIPSIS, LUMTREEM_SETINACTIVESELSTYLE})
            t.Send(msg, TRUE);
        static TreeDrawCallback callback{Recolour, RGB(240, 240, 200)};
        t.Send(LUMTREEM_SETDATA, 1, 77);
        t.Send(LUMTREEM_SETDRAWCALLBACK, 0, lt::Ptr(&callback));
        t.Send(LUMTREEM_ENABLEITEM, 1, FALSE);
        t.Send(LUMTREEM_SETSELECTION, 0);
        t.Send(LUMTREEM_SETCARET, 0);
        t.ctl->caretFontOn = t.ctl->itemTrack = TRUE;
        Drop(t, 0, LUMTREEDROPMARK_ITEM);
        Track(t.hwnd, 0);
        RECT client{0, 0, 360, HeaderHeight(t.ctl) + rows * t.ctl->rowHeight};
        SetWindowPos(t.hwnd, nullptr, 0, 0, client.right, client.bottom, SWP_NOMOVE | SWP_NOZORDER);
        GetClientRect(t.hwnd, &client); // less a scroll bar
        w = client.right;
        h = client.bottom;
    }
    ~Busy() { Track(nullptr, -1); }
    // Painted on a canvas of a colour, under a clip region when given one.
    lt::Pixels Paint(const RECT *update, bool buffered, const RECT *clip = nullptr,
                     COLORREF fill = kWhite) const {
        Canvas canvas(w, h, fill);
        gdi::Region region(clip ? CreateRectRgnIndirect(clip) : nullptr);
        SelectClipRgn(canvas.dc, region.get());
        PaintControl(t.ctl, canvas.dc, update, buffered);
        return canvas.Read();
    }
};

} // namespace

TEST_CASE("straight to the target or through the row bitmap, whole or in part: one picture") {
    Busy busy(5);
    const lt::Pixels all = busy.Paint(nullptr, true);
    CHECK(busy.Paint(nullptr, false).bits == all.bits);
    // A DC clipped to the update rectangle, as BeginPaint hands it over, and as an application
    // may hand it over with WM_PRINTCLIENT (no update rectangle): outside it the marker stays.
    const RECT update{20, 30, 200, 70};
    for (const RECT *rect : {&update, static_cast<const RECT *>(nullptr)}) {
        for (bool buffered : {true, false}) {
            const lt::Pixels got = busy.Paint(rect, buffered, &update, RGB(1, 2, 3));
            int wrong = 0;
            for (int y = 0; y < busy.h; ++y)
                for (int x = 0; x < busy.w; ++x)
                    wrong +=
                        got.At(x, y) != (PtInRect(&update, {x, y}) ? all.At(x, y) : RGB(1, 2, 3));
            CHECK_MESSAGE(wrong == 0, "buffered " << buffered << ", update rectangle " << !!rect);
        }
    }
    // Labels painted without their rows take the rows' enabled state: row 1's is disabled.
    const RECT labels = busy.t.Label(-1), off = busy.t.Label(1);
    const lt::Pixels got = busy.Paint(&labels, true);
    CHECK(got.bits != all.bits);
    int same = 0; // the separator line on the right is drawn with the rows
    for (int y = off.top; y < off.bottom; ++y)
        for (int x = off.left; x < off.right - 1; ++x) same += got.At(x, y) == all.At(x, y);
    CHECK(same == (off.right - 1 - off.left) * (off.bottom - off.top));
    CHECK(got.Count(off, kLGrey) > 0);
}

TEST_CASE("20,000 paints of a busy control leak neither heap nor GDI objects") {
    Busy busy(2); // every drawing path in two rows: the paints stay cheap
    Canvas canvas(busy.w, busy.h, kWhite);
    const lt::Pixels first = busy.Paint(nullptr, true);
    const int live = gdi::liveObjects;
    const size_t heap = lt::HeapBytesInUse();

    for (int n = 0; n < 20000; ++n) PaintControl(busy.t.ctl, canvas.dc, nullptr, n % 2 == 0);

    CHECK(lt::HeapBytesInUse() < heap + 64 * 1024);
    CHECK(gdi::liveObjects == live);
    CHECK(busy.Paint(nullptr, true, nullptr, kBlack).bits == first.bits);
}
