// Painted controls: a table of switches and of the colours due at the places the geometry
// routines name; tree lines against their rule; fonts; automatic colours; the paint pipeline.
#include "../support/harness.h"
#include "lumtree/api/api.h"
#include "lumtree/frame/gdi.h"
#include "lumtree/items/items.h"
#include "lumtree/layout/layout.h"
#include "lumtree/render/render.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <random>

namespace {

// Each colour-table entry gets a colour no system colour uses: every pixel says who painted it.
constexpr auto Entry = [](int k) { return RGB(20 + 9 * k, 200 - 7 * k, 60 + 5 * k); };
constexpr COLORREF B = Entry(LUMTREECOLOR_BACK), T = Entry(LUMTREECOLOR_TEXT);
constexpr COLORREF S = Entry(LUMTREECOLOR_SELBACK), ST = Entry(LUMTREECOLOR_SELTEXT);
constexpr COLORREF kGray = Entry(LUMTREECOLOR_GRAYTEXT), kLight = Entry(LUMTREECOLOR_LIGHT);
constexpr COLORREF kHText = Entry(LUMTREECOLOR_HEADERTEXT), kLText = Entry(LUMTREECOLOR_LABELTEXT);
constexpr COLORREF kCText = Entry(LUMTREECOLOR_CORNERTEXT), kShadow = Entry(LUMTREECOLOR_SHADOW);
constexpr COLORREF kVGrid = Entry(LUMTREECOLOR_GRIDVERT), kHGrid = Entry(LUMTREECOLOR_GRIDHORZ);
constexpr COLORREF kLGrey = Entry(LUMTREECOLOR_LABELGRAYTEXT), kAuto = LUMTREE_AUTOCOLOR;
constexpr COLORREF K = 0, kWhite = RGB(255, 255, 255);
constexpr COLORREF X = RGB(128, 128, 128), G = RGB(0, 90, 0), kInk = RGB(0, 150, 0);
constexpr COLORREF kOwn = RGB(255, 220, 220), kOwnText = RGB(120, 0, 0), kOwnSel = RGB(0, 0, 90);
const COLORREF D = GetSysColor(COLOR_BTNSHADOW), k3DLight = GetSysColor(COLOR_3DLIGHT);

// A w x h picture: dark magenta (transparent) everywhere, `ink` inside a one-pixel border.
HBITMAP SquareBitmap(int w, int h, COLORREF ink) {
    std::vector<DWORD> px(static_cast<size_t>(w * h), 0x800080);
    for (int y = 1; y < h - 1; ++y)
        std::fill_n(&px[y * w + 1], w - 2, RGB(GetBValue(ink), GetGValue(ink), GetRValue(ink)));
    return CreateBitmap(w, h, 1, 32, px.data());
}
const HBITMAP kSquare = SquareBitmap(8, 8, kInk);

constexpr auto Area = [](RECT r) { return (r.right - r.left) * (r.bottom - r.top); };
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
    lt::Pixels Paint() const { return lt::PrintClient(hwnd); }
    template <class F, class... A> RECT Get(F of, A... a) const {
        RECT rc{};
        return of(ctl, a..., &rc), rc;
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

// The scene: six folders at levels 0 1 2 2 1 0, a right-aligned size and a kind; a picture
// before the first title, the second centred; labels numbered from 1, 40 wide; a corner "#".
void Scene(Tree &t) {
    static char name[] = "Name", size[] = "Size", kind[] = "Kind";
    TreeColumn columns[3] = {{0, 0, 80, 0, 0, name, nullptr, kSquare, 0},
                             {0, 0, 60, LUMTREEFORMAT_RIGHT, LUMTREEFORMAT_CENTER, size, 0, 0, 0},
                             {0, 0, LUMTREE_STRETCH, 0, 0, kind, nullptr, nullptr, 0}};
    REQUIRE(t.Send(LUMTREEM_SETCOLUMNS, 3, lt::Ptr(columns)) == 1);
    for (int level : {0, 1, 2, 2, 1, 0}) lt::AddItems(t.hwnd, {{"Folder", level}});
    for (INT i = 0; i < 6; ++i) t.Text(i, 1, "12 kB"), t.Text(i, 2, "Folder");
    t.Send(LUMTREEM_SHOWHEADER, TRUE);
    t.Send(LUMTREEM_SHOWLABELS, 5);
    t.Send(LUMTREEM_SETLABELWIDTH, 40);
    t.Send(LUMTREEM_SETCORNERTEXT, 0, lt::Ptr("#"));
}

// Places in the scene, for row i and k: a column, a tree level, the parent level of a button
// (-1: the root button) or a piece of the bars (a header column; -1 the corner, -2 label i).
// clang-format off
enum Spot {
    PartIn, CellIn, RowCorner, RowEnd, TextTop, TextBottom, TextLine,
    FrameRight, Bar, After, BoxCorner, BoxEdge, BoxMid, BoxBar, BoxIn, BoxPressed, GridV, GridH,
    PicBefore, PicAt, Stub, Missing, EdgeTop, EdgeBottom, Part, Row, Cell, Label, Piece, Items,
    Client, Top, BelowFirst, Line, LineTop, LineBelow, Across,
    RightMargin, LeftMargin, BeforeMargin, HeadStart, HeadLeftOf, HeadRightOf,
    HeadLine, Divider, LabelLine, LabelSep, BelowLabels};
// What must be there: none of the colour, all of it, some (a stroke of text, any, or exactly
// n pixels), dots (every other pixel), or at most half (the dots of a focus rectangle).
enum Expect { No, Is, Some, Any, Dots, Few, Exactly };
struct Probe { Spot spot; INT i; COLORREF colour; Expect expect; int k = 0, n = 0; };
constexpr auto Pt = [](int x, int y) { return RECT{x, y, x + 1, y + 1}; };
RECT Where(const Tree &t, Spot s, INT i, int k) {
    const TreeCtl *ctl = t.ctl;
    const RECT r = t.Row(i), c = t.Cell(i, std::max(k, 0)), text = t.Cell(i, 0);
    const RECT a = ItemAreaRect(ctl); // the item area
    const int mid = (r.top + r.bottom) / 2, half = r.top + (ctl->rowHeight / 2 + 1) / 2 * 2;
    const int hh = HeaderHeight(ctl), w = IndentWidth(ctl), g = ctl->avgCharWidth, m = g / 2;
    const int line = r.left - ctl->horizontalPos + TreeLineX(ctl, std::max(k, 0));
    const RECT box = k < 0 ? RootButtonBox(ctl) : IndentButtonBox(ctl, k);
    const int bx = r.left - ctl->horizontalPos + box.left, by = r.top + box.top;
    const int level = i < ctl->itemCount ? LevelOf(ctl, i) : 0, tree = r.left + TreePartStart(ctl);
    const int pic[3] = {r.left + g + 1, r.left + ItemBitmapAreaWidth(ctl) + g + 1,
                        tree + IndentOf(ctl, level) + 1}; // item, state and node pictures
    const RECT p = k >= 0 ? ColumnHeaderRect(ctl, k) : k == -1 ? CornerRect(ctl) : t.Label(i);
    const int pmid = (p.left + p.right) / 2, pb = k >= 0 ? hh : p.bottom;
    switch (s) { // points...
    case PartIn: return Pt(r.left + 1, mid);             case CellIn: return Pt(c.left + 1, mid);
    case RowCorner: return Pt(r.left, r.top);            case TextTop: return Pt(text.left, r.top);
    case RowEnd: return Pt(r.right - 2, r.top + 1);      case Bar: return Pt(r.left + 1, r.top + k);
    case BoxCorner: return Pt(bx, by);                   case BoxEdge: return Pt(bx + 2, by + 1);
    case BoxMid: return Pt(bx + 6, by + 5);              case BoxBar: return Pt(bx + 6, by + 3);
    case BoxIn: return Pt(bx + 4, by + 3);               case BoxPressed: return Pt(bx + 4, by + 2);
    case EdgeTop: return Pt(p.left + 5, p.top);   case EdgeBottom: return Pt(p.left + 5, pb - 2);
    case GridV: return Pt(c.right - 1, r.top + 1); case GridH: return Pt(r.left + 5, r.bottom - 1);
    case FrameRight: return Pt(r.right - 1, mid);
    case After: return Pt(a.left + 3, t.Row(5).bottom + k);
    case TextBottom: return Pt(text.left + 5, r.bottom - 1);
    case Stub: return Pt(r.left + TreeLineX(ctl, 1), r.bottom - 2);
    // ...and rectangles
    case Row: return r; case Cell: return c; case Label: return t.Label(i); case Piece: return p;
    case Items: return a;                                case Client: return ClientRect(ctl);
    case Part: return RECT{r.left, r.top, text.left, r.bottom};
    case Top: // the row's top line; 1: before the text, 2: from the text
        return RECT{k == 2 ? text.left : r.left, r.top, k == 1 ? text.left : r.right, r.top + 1};
    case TextLine: return RECT{text.left + 3, r.top + k, text.left + 40, r.top + k + 1};
    case BelowFirst: return RECT{a.left, a.top + ctl->rowHeight, a.right, a.bottom};
    case PicBefore: return RECT{r.left, r.top, pic[k], r.bottom};
    case PicAt: return RECT{pic[k], r.top, pic[k] + 1, r.bottom};
    case Missing: return RECT{tree + g + w, half, tree + g + 2 * w, half + 1}; // a skipped level
    case Line: return RECT{line, r.top, line + 1, r.bottom};
    case LineTop: return RECT{line, r.top, line + 1, half + 1};
    case LineBelow: return RECT{line, half + 1, line + 1, r.bottom};
    case Across: return RECT{line, half, line + w - w / 2, half + 1};
    case RightMargin: return RECT{c.right - m, c.top, c.right, c.bottom};
    case LeftMargin: return RECT{c.left, c.top, c.left + m, c.bottom};
    case BeforeMargin: return RECT{c.right - m - 4, c.top, c.right - m, c.bottom};
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
// One case of the table: switches set on a fresh scene, then what must be where.
struct Case { const char *name; void (*set)(Tree &t); std::initializer_list<Probe> probes; };
void Run(std::initializer_list<Case> cases) {
    for (const Case &c : cases) {
        Tree t;
        Scene(t);
        c.set(t);
        const lt::Pixels px = t.Paint();
        for (const Probe &s : c.probes) {
            const RECT r = Where(t, s.spot, s.i, s.k);
            const int n = Area(r), got = px.Count(r, s.colour),
                      lo[] = {0, n, 3, 1, (n + 1) / 2, 0, s.n};
            const int hi[] = {0, n, INT_MAX, INT_MAX, (n + 1) / 2, n / 2 + 1, s.n};
            INFO(doctest::String(c.name)
                 << ": " << s.colour << " at " << r.left << "," << r.top << ": " << got);
            CHECK((got >= lo[s.expect] && got <= hi[s.expect]));
        }
    }
}

// Setups: item i (1 unless given) selected, with the focus or without under an inactive style.
void Select(Tree &t, UINT inactiveStyle, bool focus, INT i = 1) {
    t.Send(LUMTREEM_SETSELECTION, static_cast<WPARAM>(i));
    t.Send(LUMTREEM_SETINACTIVESELSTYLE, inactiveStyle);
    if (focus) SetFocus(t.hwnd);
}
void Drop(Tree &t, INT target, UINT mode, COLORREF colour = G) {
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
    const TreeCellAttr own{kOwn, kOwnText, kOwnSel, kAuto, nullptr, nullptr, 0},
        picture{G, kAuto, kAuto, kAuto, nullptr, kSquare, 0};
    for (TreeCellAttrRequest r : {TreeCellAttrRequest{LUMTREE_ATTRVERSION, 1, 1, own},
                                  {LUMTREE_ATTRVERSION, 1, 2, picture},
                                  {LUMTREE_ATTRVERSION, -1, 0, picture}}) // the size of pictures
        REQUIRE(t.Send(LUMTREEM_SETCELLATTR, 0, lt::Ptr(&r)) == 1);
}
// A draw callback: the row of item data 77 recoloured, drawn disabled.
INT CALLBACK Recolour(HWND, RowDrawInfo *info, DWORD_PTR colour) {
    if (info->data != 77) return 0;
    info->backColor = info->cellBackColor = static_cast<COLORREF>(colour);
    info->enabled = 0;
    return 0;
}

} // namespace

TEST_CASE("every switch that changes the picture, at the places the geometry names") {
    constexpr COLORREF HS = Entry(LUMTREECOLOR_HEADERSHADOW), HL = Entry(LUMTREECOLOR_HEADERLIGHT);
    constexpr COLORREF CS = Entry(LUMTREECOLOR_CORNERSHADOW), CL = Entry(LUMTREECOLOR_CORNERLIGHT);
    constexpr COLORREF LS = Entry(LUMTREECOLOR_LABELSHADOW), LL = Entry(LUMTREECOLOR_LABELLIGHT);
    constexpr COLORREF LB = Entry(LUMTREECOLOR_LABELBACK), HG = Entry(LUMTREECOLOR_HEADERGRAYTEXT);
    Run({
        {"defaults: T and L lines, minus buttons, texts; sunken header, raised corner and labels",
         [](Tree &) {},
         {{Line, 2, D, Dots}, {Line, 2, D, Dots, 1}, {Across, 2, D, Dots, 1}, {LineTop, 4, D, Dots},
          {LineTop, 3, D, Dots, 1}, {LineBelow, 3, D, No, 1}, {Row, 2, X, No}, {Top, 0, B, Is},
          {BoxCorner, 1, B, Is}, {BoxEdge, 1, X, Is}, {BoxMid, 1, K, Is}, {BoxBar, 1, K, No},
          {BoxIn, 1, B, Is}, {Part, 0, B, Is}, {Part, 2, T, No}, {Cell, 0, T, Some},
          {Cell, 5, T, Some, 1}, {Cell, 3, T, Some, 2}, {Items, 0, S, No}, {Items, 0, kVGrid, No},
          {Items, 0, kHGrid, No}, {EdgeTop, 0, HS, Is, 1}, {EdgeBottom, 0, HL, Is, 1},
          {Piece, 0, kHText, Some, 2}, {Piece, 0, kInk, Exactly, 0, 36}, {HeadStart, 0, kHText, No},
          {HeadLine, 0, K, Is}, {HeadLeftOf, 0, kHText, No, 1}, {HeadRightOf, 0, kHText, No, 1},
          {Divider, 0, K, Is, 1}, {EdgeTop, 0, CL, Is, -1}, {EdgeBottom, 0, CS, Is, -1},
          {Piece, 0, kCText, Some, -1}, {LabelLine, 0, K, Is}, {EdgeTop, 1, LL, Is, -2},
          {EdgeBottom, 1, LS, Is, -2}, {LabelSep, 1, K, Is, -2}, {Label, 1, kLText, Some},
          {BelowLabels, 0, LB, Is}}},
        {"collapsed, root buttons, scrolled right: a plus, a pressed root minus", [](Tree &t) {
             t.Send(LUMTREEM_SETSHOWROOTBUTTONS, TRUE); t.Send(LUMTREEM_SETHEXTENT, 1000);
             t.Send(LUMTREEM_SETHPOS, 7); t.Send(LUMTREEM_EXPAND, 1, MAKELPARAM(0, 0));
             t.ctl->pressedButton = 0; },
         {{BoxEdge, 1, X, Is}, {BoxMid, 1, K, Is}, {BoxBar, 1, K, Is}, {BoxEdge, 0, X, Is, -1},
          {BoxBar, 0, K, No, -1}, {BoxPressed, 0, RGB(192, 192, 192), Is, -1},
          {LineTop, 4, D, Dots}, {Row, 5, X, No}}},
        {"no lines: no dots, no buttons; drop mode 0: no mark; label style 1: no numbers",
         [](Tree &t) { t.Send(LUMTREEM_SETSHOWLINES, FALSE); Drop(t, 1, LUMTREEDROPMARK_CARET);
                       t.Send(LUMTREEM_SHOWLABELS, 1); },
         {{Client, 0, D, No}, {Client, 0, X, No}, {Items, 0, G, No}, {Label, 1, kLText, No}}},
        {"an item two levels below its parent: a line through the missing level", [](Tree &t) {
             t.Send(LUMTREEM_DELETEALL); lt::AddItems(t.hwnd, {{"Top", 0}, {"Deep", 2}}); },
         {{Missing, 1, D, Dots}}},
        {"item, state and node pictures in their areas, a stub below an expanded node; a "
         "disabled item, selected: only its node picture embossed, grey, unmarked", [](Tree &t) {
             Pictures(t); Select(t, 0, true); t.Send(LUMTREEM_ENABLEITEM, 1, FALSE); },
         {{PicBefore, 1, kInk, No}, {PicAt, 1, kInk, Any}, {PicBefore, 1, kOwnText, No, 1},
          {PicAt, 1, kOwnText, Any, 1}, {Row, 1, kOwnSel, No}, {PicBefore, 2, kOwnSel, No, 2},
          {PicAt, 2, kOwnSel, Any, 2}, {Row, 2, kOwnText, No}, {Stub, 1, D, Is}, {Row, 1, S, No},
          {Cell, 1, kGray, Some}, {Cell, 1, T, No}}},
        {"a disabled window: every picture embossed, every text grey", [](Tree &t) {
             Pictures(t); EnableWindow(t.hwnd, FALSE); },
         {{Row, 1, kInk, No}, {Row, 1, kOwnSel, No}, {Cell, 1, kGray, Some}, {Cell, 1, T, No},
          {Piece, 0, HG, Some, 2}, {Piece, 0, kHText, No, 2}}},
        {"selected with the focus: the whole row, but a cell's own selected back", [](Tree &t) {
             Attrs(t); Select(t, 0, true); },
         {{PartIn, 1, S, Is}, {CellIn, 1, S, Is}, {RowCorner, 1, S, Is}, {Cell, 1, ST, Some},
          {Cell, 1, T, No}, {Row, 2, S, No}, {CellIn, 1, kOwnSel, Is, 1}, {Cell, 1, ST, Some, 1},
          {CellIn, 1, S, Is, 2}}},
        {"unfocused, inactive style 0: highlighted; its label raised by a flag", [](Tree &t) {
             Select(t, 0, false); t.Send(LUMTREEM_SETLABELFLAGS, 0, LUMTREELABEL_NOPRESSED); },
         {{PartIn, 1, S, Is}, {Cell, 1, ST, Some}, {EdgeTop, 1, LL, Is, -2}}},
        {"inactive style 1: normal colours in a frame", [](Tree &t) { Select(t, 1, false); },
         {{PartIn, 1, B, Is}, {CellIn, 1, B, Is}, {RowCorner, 1, S, Is}, {Cell, 1, T, Some}}},
        {"inactive style 2: no mark; no buttons: the line runs through", [](Tree &t) {
             Select(t, 2, false); t.Send(LUMTREEM_SETSHOWBUTTONS, 0); },
         {{Row, 1, S, No}, {Cell, 1, T, Some}, {Row, 1, X, No}, {Line, 1, D, Dots}}},
        {"inactive style 3: a light text cell; a draw callback recolours a row found by its data, "
         "draws it disabled, its label too", [](Tree &t) {
             static TreeDrawCallback callback{Recolour, G};
             Select(t, 3, false); t.Send(LUMTREEM_SETDATA, 4, 77);
             t.Send(LUMTREEM_SETDRAWCALLBACK, 0, lt::Ptr(&callback)); },
         {{PartIn, 1, B, Is}, {CellIn, 1, k3DLight, Is}, {Cell, 1, T, Some}, {PartIn, 4, G, Is},
          {Row, 5, G, No}, {Label, 4, kLGrey, Some}, {Label, 5, kLGrey, No}}},
        {"a focus frame on the caret; vertical grid lines; a mark after the end", [](Tree &t) {
             t.Send(LUMTREEM_SETCARET, 5); SetFocus(t.hwnd); Grid(t, 0);
             Drop(t, 6, LUMTREEDROPMARK_INSERT); },
         {{Top, 5, B, Few}, {Top, 0, B, Is, 1}, {GridV, 0, kVGrid, Is}, {GridV, 3, kVGrid, Is, 1},
          {GridH, 3, kHGrid, No}, {After, 0, G, Is}, {After, 0, G, Is, 1}, {After, 0, B, Is, 2}}},
        {"a focus frame from the text; horizontal grid lines; a bar on the target", [](Tree &t) {
             t.Send(LUMTREEM_SETCARET, 5); t.Send(LUMTREEM_SETTEXTONLYSELECTION, TRUE);
             Grid(t, 1); Drop(t, 1, LUMTREEDROPMARK_INSERT, kAuto); SetFocus(t.hwnd); },
         {{Top, 5, B, Is, 1}, {Top, 5, B, Few, 2}, {GridV, 3, kVGrid, No}, {GridH, 3, kHGrid, Is},
          {Top, 3, kHGrid, No}, {Bar, 1, S, Is}, {Bar, 1, S, Is, 1}, {Bar, 1, B, Is, 2}}},
        {"both grid lines; text only: a frame from the text around the drop target, the "
         "selection from the text", [](Tree &t) {
             Grid(t, 2); Drop(t, 1, LUMTREEDROPMARK_ITEM); Select(t, 0, true, 3);
             t.Send(LUMTREEM_SETTEXTONLYSELECTION, TRUE); },
         {{GridV, 3, kVGrid, Is}, {GridH, 3, kHGrid, Is}, {RowCorner, 1, B, Is},
          {TextTop, 1, G, Is}, {FrameRight, 1, G, Is}, {Bar, 1, B, Is, 2}, {PartIn, 3, B, Is},
          {RowCorner, 3, B, Is}, {CellIn, 3, S, Is}, {TextTop, 3, S, Is}}},
        {"the focus frame of an empty list: on its first row", [](Tree &t) {
             SetFocus(t.hwnd); t.Send(LUMTREEM_DELETEALL); },
         {{Top, 0, B, Few}, {BelowFirst, 0, B, Is}}},
        {"3-D look: sunken frames from the text, raised when selected, focus inset", [](Tree &t) {
             t.Send(LUMTREEM_SETLOOK3D, 1); t.Send(LUMTREEM_SETCARET, 2); Select(t, 0, true, 2); },
         {{TextTop, 1, kShadow, Is}, {TextBottom, 1, kLight, Is}, {TextTop, 2, kLight, Is},
          {TextBottom, 2, kShadow, Is}, {TextLine, 2, kLight, Is, 1}, {TextLine, 2, S, Few, 2},
          {PartIn, 2, B, Is}, {Cell, 2, ST, Some}}},
        {"cells: own colours, right-aligned text, a picture, the last one's background; with the "
         "ellipsis switch long texts end in dots inside both margins", [](Tree &t) {
             Attrs(t); t.Send(LUMTREEM_SETCELLELLIPSIS, TRUE); t.Text(0, 1, "WWWWWWWWWWWWWWW");
             t.Text(0, 2, "WWWWWWWWWWWWWWWWWWWWWWWWWWW"); },
         {{CellIn, 1, kOwn, Is, 1}, {Cell, 1, kOwnText, Some, 1}, {RightMargin, 1, kOwnText, No, 1},
          {BeforeMargin, 1, kOwnText, Some, 1}, {Cell, 1, kInk, Exactly, 2, 36},
          {Cell, 0, kInk, No, 2}, {RowEnd, 1, G, Is}, {RightMargin, 0, T, No, 1},
          {LeftMargin, 0, T, No, 1}, {Cell, 0, T, Some, 1}, {RightMargin, 0, T, No, 2}}},
        {"a last column of fixed width: background after it; a long text runs on", [](Tree &t) {
             Attrs(t); t.ctl->columns[2].width = 50; t.Text(0, 2, "WWWWWWWWWWWWWWW"); },
         {{RowEnd, 1, B, Is}, {CellIn, 1, G, Is, 2}, {RightMargin, 0, T, Any, 2}}},
        {"pressed: a header (with buttons), the corner, a selected item's label", [](Tree &t) {
             t.Send(LUMTREEM_SETHEADERBUTTONS, TRUE); t.Send(LUMTREEM_SETPRESSEDHEADER, 1);
             t.Send(LUMTREEM_SETCORNERPRESSED, TRUE); Select(t, 0, false); },
         {{EdgeTop, 0, HS, Is, 1}, {EdgeTop, 0, HL, Is}, {EdgeBottom, 0, HS, Is},
          {EdgeTop, 0, CS, Is, -1}, {EdgeTop, 1, LS, Is, -2}, {EdgeBottom, 1, LL, Is, -2},
          {Label, 1, Entry(LUMTREECOLOR_LABELSELBACK), Some}}},
        {"a disabled header (the size column's), corner and labels: grey texts", [](Tree &t) {
             t.ctl->columns[1].headerFlags |= LUMTREEHEADER_DISABLED;
             t.Send(LUMTREEM_SETCORNERFLAGS, 0, LUMTREECORNER_DISABLED);
             t.Send(LUMTREEM_SETLABELFLAGS, 0, LUMTREELABEL_DISABLED); },
         {{Piece, 0, kHText, No, 1}, {Piece, 0, HG, Some, 1}, {Piece, 0, kHText, Some, 2},
          {Piece, 0, kCText, No, -1}, {Piece, 0, Entry(LUMTREECOLOR_CORNERGRAYTEXT), Some, -1},
          {Label, 1, kLText, No}, {Label, 1, kLGrey, Some}}},
        {"flat: label style 4, the corner no button, with a picture alone", [](Tree &t) {
             t.Send(LUMTREEM_SHOWLABELS, 4); t.Send(LUMTREEM_SETCORNERBUTTON, 0);
             t.Send(LUMTREEM_SETCORNERBITMAP, 0, lt::Ptr(kSquare));
             t.Send(LUMTREEM_SETCORNERBITMAPFLAGS, 0, LUMTREEBITMAP_ALONE); },
         {{EdgeTop, 1, LS, Is, -2}, {EdgeBottom, 1, LL, Is, -2}, {EdgeTop, 0, CS, Is, -1},
          {Piece, 0, kInk, Exactly, -1, 36}, {Piece, 0, kCText, No, -1}}},
    });
}
// clang-format on

TEST_CASE("labels numbered from 1 or 0; a bold caret, an underlined hot row, not after keys") {
    Tree t;
    Scene(t);
    auto label = [&t](INT i) { return t.Paint().Count(t.Label(i), kLText); };
    const int one = label(0), two = label(1);
    t.Send(LUMTREEM_SHOWLABELS, 4);
    CHECK((label(1) == one && label(2) == two && label(0) != one));
    static const HFONT tahoma = CreateFontA(-13, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, "Tahoma");
    t.Send(WM_SETFONT, reinterpret_cast<WPARAM>(tahoma), 0);
    auto ink = [&t](INT i) { return t.Paint().Count(t.Cell(i, 0), T); }; // rows 1 and 4 alike
    const int plain = ink(1);
    t.Send(LUMTREEM_SETCARET, 4);
    t.ctl->caretFontOn = TRUE;
    Track(t.hwnd, 1);
    const int bold = ink(4), untracked = ink(1); // the control itself does not track
    t.ctl->itemTrack = TRUE;
    const int hot = ink(1);
    g_lum.keyboardMode = TRUE; // keys were used since the mouse moved
    CHECK((bold > plain && untracked == plain && hot > plain && ink(1) == plain));
    Track(nullptr, -1);
}

TEST_CASE("automatic colours: the parent's list-box answer, else the defaults or the button face") {
    COLORREF text = RGB(200, 0, 0), back = RGB(0, 0, 80);
    static const HBRUSH brush = CreateSolidBrush(back);
    HBRUSH answer = brush;
    Tree t(200, 150); // after what its parent's answers use, so that they outlive it
    for (int k = 0; k < LUMTREE_COLORCOUNT; ++k) t.SetColor(k, kAuto);
    lt::AddFlat(t.hwnd, 3);
    t.parent.onMessage = [&](UINT msg, WPARAM wp, LPARAM, LRESULT *result) {
        if (msg != WM_CTLCOLORLISTBOX) return false;
        SetTextColor(reinterpret_cast<HDC>(wp), text);
        SetBkColor(reinterpret_cast<HDC>(wp), back);
        *result = reinterpret_cast<LRESULT>(answer);
        return true;
    };
    auto looks = [&t](COLORREF ink, COLORREF paper) { // the paint after the one that sees a change
        t.Paint();
        const lt::Pixels p = t.Paint(); // a row, the empty area below the rows, row 1's text
        CHECK((p.At(1, 1) == paper && p.At(199, 149) == paper && p.Count(t.Cell(1, 0), ink) > 2));
    };
    looks(text, back);
    lt::Pump(); // new colours: the paint that sees them draws nothing and asks for another
    ValidateRect(t.hwnd, nullptr);
    text = kWhite;
    CHECK(t.Paint().Count(RECT{0, 0, 200, 150}, K) == 200 * 150);
    CHECK(GetUpdateRect(t.hwnd, nullptr, FALSE));
    answer = nullptr; // no brush in the answer: the defaults, in a brush of the control's own
    looks(GetSysColor(COLOR_WINDOWTEXT), GetSysColor(COLOR_WINDOW));
    answer = brush; // the 3-D look: the parent's colours, the button face instead of the window's
    t.Send(LUMTREEM_SETLOOK3D, TRUE);
    looks(text, back);
    text = GetSysColor(COLOR_WINDOWTEXT), back = GetSysColor(COLOR_WINDOW);
    looks(GetSysColor(COLOR_BTNTEXT), GetSysColor(COLOR_BTNFACE));
    t.SetColor(LUMTREECOLOR_TEXT, RGB(0, 120, 0)); // an application colour: the other is default
    looks(RGB(0, 120, 0), GetSysColor(COLOR_WINDOW));
}

TEST_CASE("one picture straight or through the row bitmap, whole or in part, at any row and "
          "window size; repeated paints leak neither heap nor GDI objects") {
    // Every drawing path in two rows: row 0 selected, the bold caret, hot and the drop target.
    Tree t{360, 200};
    Scene(t);
    Pictures(t);
    Attrs(t);
    for (UINT msg : {LUMTREEM_SETHEADERBUTTONS, LUMTREEM_SETSHOWROOTBUTTONS, LUMTREEM_SETGRIDLINES,
                     LUMTREEM_SETCELLELLIPSIS})
        t.Send(msg, TRUE);
    static TreeDrawCallback callback{Recolour, RGB(240, 240, 200)};
    t.Send(LUMTREEM_SETDATA, 1, 77);
    t.Send(LUMTREEM_SETDRAWCALLBACK, 0, lt::Ptr(&callback));
    t.Send(LUMTREEM_ENABLEITEM, 1, FALSE);
    Select(t, 1, false, 0);
    t.Send(LUMTREEM_SETCARET, 0);
    t.ctl->caretFontOn = t.ctl->itemTrack = TRUE;
    Drop(t, 0, LUMTREEDROPMARK_ITEM);
    Track(t.hwnd, 0);
    SetWindowPos(t.hwnd, nullptr, 0, 0, 360, HeaderHeight(t.ctl) + 2 * t.ctl->rowHeight,
                 SWP_NOMOVE | SWP_NOZORDER);
    const RECT client = ClientRect(t.ctl); // less a scroll bar
    // Over a fill colour, under a clip region if given, in the parent's capture (at its origin).
    auto paint = [&](const RECT *update, bool buffered, const RECT *clip = nullptr,
                     COLORREF fill = kWhite) {
        t.parent.onMessage = [=, &t](UINT msg, WPARAM wp, LPARAM, LRESULT *) {
            const auto dc = reinterpret_cast<HDC>(wp);
            if (msg != WM_PRINTCLIENT) return false;
            FillRect(dc, &client, gdi::SolidBrush(fill).get());
            gdi::Region region(clip ? CreateRectRgnIndirect(clip) : nullptr);
            SelectClipRgn(dc, region.get());
            PaintControl(t.ctl, dc, update, buffered);
            return true;
        };
        return lt::PrintClient(t.parent.hwnd());
    };
    const lt::Pixels all = paint(nullptr, true);
    CHECK(paint(nullptr, false).bits == all.bits);
    auto same = [&all](const lt::Pixels &got, RECT r) { // inside r, as in the whole picture
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                if (got.At(x, y) != all.At(x, y)) return false;
        return true;
    };
    // Clipped to the update rectangle (BeginPaint) or to none (WM_PRINTCLIENT): outside, the fill.
    const RECT update{20, 10, 200, 45};
    for (const RECT *rect : {&update, static_cast<const RECT *>(nullptr)})
        for (bool buffered : {true, false}) {
            const lt::Pixels got = paint(rect, buffered, &update, RGB(1, 2, 3));
            CHECK(same(got, update));
            CHECK(got.Count(client, RGB(1, 2, 3)) == Area(client) - Area(update));
        }
    // Labels alone take the rows' enabled state; the separator at their right belongs to the rows.
    const RECT labels = t.Label(-1), off = t.Label(1);
    const lt::Pixels got = paint(&labels, true);
    CHECK((got.bits != all.bits && same(got, RECT{off.left, off.top, off.right - 1, off.bottom})));
    CHECK(got.Count(off, kLGrey) > 0);

    gdi::WindowDC dc(t.hwnd);
    const int live = gdi::liveObjects;
    const size_t heap = lt::HeapBytesInUse();
    const HBRUSH brush = t.ctl->backBrush;  // the one object a paint leaves for the next
    for (int n = 0; n < 200; ++n) {         // buffered or not; row 0 (the bold caret) hot or row 1
        g_lum.trackIndex = (n + 2) / 2 % 2; // ending with row 0, as at the start
        PaintControl(t.ctl, dc.get(), nullptr, n % 2 == 0);
    }
    CHECK(lt::HeapBytesInUse() < heap + 16 * 1024);
    CHECK((gdi::liveObjects == live && GetObjectType(brush) == 0));
    CHECK(paint(nullptr, true, nullptr, K).bits == all.bits);
    // The row bitmap kept between paints is made again for taller rows and a wider window.
    static const HFONT big = CreateFontA(30, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, FF_SWISS, "Tahoma");
    const int rowHeight = t.ctl->rowHeight;
    t.Send(WM_SETFONT, reinterpret_cast<WPARAM>(big), TRUE);
    REQUIRE(t.ctl->rowHeight > rowHeight);
    for (int width : {360, 420}) {
        MoveWindow(t.hwnd, 0, 0, width, 300, TRUE);
        CHECK(paint(nullptr, true).bits == paint(nullptr, false).bits);
    }
    Track(nullptr, -1);
}

TEST_CASE("every row's lines agree with the literal rule on random trees") {
    std::mt19937 rng(1234);
    for (int round = 0; round < 200; ++round) {
        TreeCtl ctl{};
        // The parent is the nearest earlier smaller level; a later sibling comes before the
        // parent's level comes back; an ancestor's line runs on while it has a later sibling.
        std::vector<int> level(1 + rng() % 120), parent(level.size());
        for (int i = 0, prev = 0; i < static_cast<int>(level.size()); ++i) {
            level[i] = prev = std::min(static_cast<int>(rng() % (prev + 4u)), kMaxLevel);
            for (parent[i] = i - 1; parent[i] >= 0 && level[parent[i]] >= prev;) --parent[i];
            auto *item = static_cast<TreeItem *>(std::calloc(1, sizeof(TreeItem) + sizeof(char *)));
            item->level = static_cast<WORD>(prev);
            item->flags = kItemEnabled | (rng() % 4 != 0 ? kItemShown : 0);
            REQUIRE(ItemArrayInsert(&ctl, i, item));
        }
        auto parentLevel = [&](int i) { return parent[i] >= 0 ? level[parent[i]] : 0; };
        auto laterSibling = [&](int i) {
            for (int j = i + 1, stop = parentLevel(i); j < ctl.itemCount && level[j] > stop; ++j)
                if (level[j] <= level[i]) return true;
            return false;
        };
        for (int i = 0; i < ctl.itemCount; ++i) {
            uint64_t ancestors = 0;
            for (int a = parent[i]; a >= 0 && level[a] != 0; a = parent[a])
                if (laterSibling(a)) ancestors |= uint64_t{1} << parentLevel(a);
            const RowLines got = LinesOfRow(&ctl, i);
            INFO("row " << i);
            CHECK((got.parentLevel == parentLevel(i) && got.ancestorColumns == ancestors &&
                   got.laterSibling == (level[i] >= 1 && laterSibling(i))));
        }
        while (ctl.itemCount) std::free(ItemArrayRemove(&ctl, ctl.itemCount - 1));
    }
}

TEST_CASE("automatic grey text never vanishes on the button face; a grey that differs is kept") {
    const COLORREF colours[] = {0x000000, 0x808080, 0xC0C0C0, 0xF0F0F0, 0xFFFFFF, 0x6D6D6D};
    for (COLORREF face : colours)
        for (COLORREF grey : colours)
            CHECK_MESSAGE(
                (GreyFor(grey, face) != face && (grey == face || GreyFor(grey, face) == grey)),
                face << " " << grey);
}
