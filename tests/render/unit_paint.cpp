// Painted controls, switch by switch: the colours that must be (and must not be) at the places
// the geometry routines name, in the tree part, the rows, the cells, the header bar, the corner
// and the labels; then the fonts and the draw callback.
#include "render_support.h"

#include <cstring>

using namespace rt;

namespace {

const COLORREF kDot = GetSysColor(COLOR_BTNSHADOW), k3DLight = GetSysColor(COLOR_3DLIGHT);
constexpr COLORREF kBoxGrey = RGB(128, 128, 128), kGreen = RGB(0, 90, 0), kInk = RGB(0, 150, 0);
constexpr COLORREF kOwnBack = RGB(255, 220, 220), kOwnText = RGB(120, 0, 0),
                   kOwnSel = RGB(0, 0, 90);
constexpr COLORREF kHText = Entry(LUMTREECOLOR_HEADERTEXT), kLText = Entry(LUMTREECOLOR_LABELTEXT);
constexpr COLORREF kCText = Entry(LUMTREECOLOR_CORNERTEXT), kLight = Entry(LUMTREECOLOR_LIGHT);
constexpr COLORREF kVGrid = Entry(LUMTREECOLOR_GRIDVERT), kHGrid = Entry(LUMTREECOLOR_GRIDHORZ);

// An 8 x 8 picture: kInk inside a transparent border.
HBITMAP Square() {
    static const HBITMAP square = SquareBitmap(8, 8, kInk);
    return square;
}

// Switches on a fresh control (`fill` gives it its items): `run` sets them, then says what
// must be where.
using Case = std::pair<const char *, Probes (*)(Tree &t)>;
void Run(std::initializer_list<Case> cases, void (*fill)(Tree &)) {
    for (auto [name, run] : cases) {
        Tree t;
        fill(t);
        const Probes probes = run(t);
        Check(t.Paint(), probes, name);
    }
}
Probes operator+(Probes a, const Probes &b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}
const auto Top = [](RECT r) { return RECT{r.left, r.top, r.right, r.top + 1}; };
const auto Column = [](int x, int top, int bottom) { return RECT{x, top, x + 1, bottom}; };
// n pixels of a dotted line from (x, y), down or across: every other one lit.
Probe Dots(int x, int y, int n, bool across = false) {
    return {RECT{x, y, x + (across ? n : 1), y + (across ? 1 : n)}, kDot, (n + 1) / 2, (n + 1) / 2};
}

// ---- The tree part: Documents / Reports / 2025 / 2026 / Letters / Pictures ----
void Sample(Tree &t) {
    lt::AddItems(t.hwnd, {{"Documents", 0},
                          {"Reports", 1},
                          {"2025", 2},
                          {"2026", 2},
                          {"Letters", 1},
                          {"Pictures", 0}});
}
// In client coordinates of row i: the column of the line of level k; the pixel row of the
// horizontal lines (the middle, made even); an expand button of the default strip, + or -.
int LineX(const Tree &t, INT i, INT k) {
    return t.Row(i).left - t.ctl->horizontalPos + TreeLineX(t.ctl, k);
}
int HalfY(const Tree &t, INT i) {
    return t.Row(i).top + t.ctl->rowHeight / 2 + t.ctl->rowHeight / 2 % 2;
}
Probes Button(const Tree &t, INT i, RECT box, bool plus) {
    const int x = t.Row(i).left - t.ctl->horizontalPos + box.left, y = t.Row(i).top + box.top;
    return {At(x, y, kBack), At(x + 2, y + 1, kBoxGrey), At(x + 6, y + 5, kBlack),
            At(x + 6, y + 3, kBlack, plus), At(x + 4, y + 3, kBack)};
}
// Where a picture starts in row i: nothing of its colour before x, some in column x.
Probes From(const Tree &t, INT i, int x, COLORREF c) {
    const RECT r = t.Row(i);
    return {None(RECT{r.left, r.top, x, r.bottom}, c), {Column(x, r.top, r.bottom), c, 1, 99}};
}
// Item, state (no leaf picture) and node pictures on the sample.
void Pictures(Tree &t) {
    static HBITMAP item = SquareBitmap(10, 10, kInk), state = SquareBitmap(8, 8, kOwnText),
                   node = SquareBitmap(12, 12, kOwnSel);
    HBITMAP states[3] = {state, state, nullptr}, nodes[3] = {node, node, node};
    Sample(t);
    t.Send(LUMTREEM_SETBITMAP, static_cast<WPARAM>(-1), lt::Ptr(item));
    t.Send(LUMTREEM_SETBITMAP, 1, lt::Ptr(item));
    t.Send(LUMTREEM_SETSTATEBITMAPS, 0, lt::Ptr(states));
    t.Send(LUMTREEM_SETNODEBITMAPS, 0, lt::Ptr(nodes));
}

} // namespace

// clang-format off
TEST_CASE("tree part: dotted lines, expand buttons, texts and pictures") {
    Run({{"expanded: T, L and ancestors' lines, minus buttons, nothing at level 0", [](Tree &t) {
             const int h = t.ctl->rowHeight, w = IndentWidth(t.ctl), mid = HalfY(t, 0) - t.Row(0).top;
             const int y1 = t.Row(1).top, y2 = t.Row(2).top, y3 = t.Row(3).top, x3 = LineX(t, 3, 1);
             const RECT box = IndentButtonBox(t.ctl, 0);
             Probes p = Button(t, 1, box, false) + Probes{Dots(LineX(t, 1, 0), y1, box.top),
                 Dots(LineX(t, 2, 0), y2, h), Dots(LineX(t, 2, 1), y2, h), // a T and an ancestor
                 Dots(LineX(t, 2, 1), y2 + mid, w - w / 2, true), Dots(LineX(t, 3, 0), y3, h),
                 Dots(x3, y3, mid + 1), None(Column(x3, y3 + mid + 1, y3 + h), kDot), // an L
                 Dots(LineX(t, 4, 0), t.Row(4).top, mid + 1), None(t.Row(2), kBoxGrey),
                 All(t.Part(0), kBack), All(t.Part(5), kBack)};
             for (INT i = 0; i < 6; ++i) p = p + Probes{Some(t.Cell(i, 0), kText), None(t.Part(i), kText)};
             return p; }},
         {"collapsed, root buttons, scrolled right: a plus, a root minus, all moved", [](Tree &t) {
             t.Send(LUMTREEM_SETSHOWROOTBUTTONS, TRUE); t.Send(LUMTREEM_SETHEXTENT, 1000);
             t.Send(LUMTREEM_SETHPOS, 7); t.Send(LUMTREEM_EXPAND, 1, MAKELPARAM(0, 0));
             return Button(t, 1, IndentButtonBox(t.ctl, 0), true) + Button(t, 0, RootButtonBox(t.ctl), false) +
                    Probes{Dots(LineX(t, 4, 0), t.Row(4).top, HalfY(t, 4) - t.Row(4).top + 1),
                           None(t.Row(5), kBoxGrey)}; }},
         {"a pressed button: checkered", [](Tree &t) {
             t.ctl->pressedButton = 1;
             const RECT r = t.Row(1), box = IndentButtonBox(t.ctl, 0);
             return Probes{At(r.left + box.left + 4, r.top + box.top + 2, RGB(192, 192, 192))}; }},
         {"an application's strip: its images instead of the boxes", [](Tree &t) {
             static const HBITMAP strip = SquareBitmap(40, 10, kInk); // image 1 without a border
             REQUIRE(t.Send(LUMTREEM_SETBUTTONSTRIP, 0, lt::Ptr(strip)) == 1);
             return Probes{{t.Row(1), kInk, 80, 80}, None(t.Row(1), kBoxGrey)}; }},
         {"no lines: neither dots nor indentation buttons", [](Tree &t) {
             t.Send(LUMTREEM_SETSHOWLINES, FALSE);
             return Probes{None(ClientRect(t.ctl), kDot), None(ClientRect(t.ctl), kBoxGrey)}; }},
         {"no buttons: the line runs through", [](Tree &t) {
             t.Send(LUMTREEM_SETSHOWBUTTONS, FALSE);
             return Probes{None(t.Row(1), kBoxGrey), Dots(LineX(t, 1, 0), t.Row(1).top, t.ctl->rowHeight)}; }},
         {"an item two levels below its parent: a line through the missing level", [](Tree &t) {
             t.Send(LUMTREEM_DELETEALL); lt::AddItems(t.hwnd, {{"Top", 0}, {"Deep", 2}});
             const int w = IndentWidth(t.ctl), x = TreePartStart(t.ctl) + t.ctl->avgCharWidth + w;
             return Probes{Dots(t.Row(1).left + x, HalfY(t, 1), w, true)}; }}},
        Sample);
    Run({{"item, state and node pictures in their areas, a stub below an expanded node", [](Tree &t) {
             const int g = t.ctl->avgCharWidth, x = t.Row(1).left, tree = x + TreePartStart(t.ctl);
             return From(t, 1, x + g + 1, kInk) + From(t, 1, x + ItemBitmapAreaWidth(t.ctl) + g + 1, kOwnText) +
                    From(t, 1, tree + IndentOf(t.ctl, 1) + 1, kOwnSel) +
                    From(t, 2, tree + IndentOf(t.ctl, 2) + 1, kOwnSel) + Probes{None(t.Row(2), kOwnText),
                    At(x + TreeLineX(t.ctl, 1), t.Row(1).bottom - 2, kDot)}; }},
         {"a disabled item: only its node picture embossed", [](Tree &t) {
             t.Send(LUMTREEM_ENABLEITEM, 1, FALSE);
             return From(t, 1, t.Row(1).left + t.ctl->avgCharWidth + 1, kInk) +
                    Probes{None(t.Row(1), kOwnSel), Some(t.Row(1), kDot)}; }},
         {"a disabled window: every picture embossed, every text grey", [](Tree &t) {
             EnableWindow(t.hwnd, FALSE);
             return Probes{None(t.Row(1), kInk), None(t.Row(1), kOwnText), None(t.Row(1), kOwnSel),
                           Some(t.Cell(1, 0), kGray), None(t.Cell(1, 0), kText)}; }}},
        Pictures);
}
// clang-format on

namespace {

// ---- Rows: four items in a tree column, a right-aligned size and a kind ----
void Table(Tree &t) {
    t.Columns({{110, 0}, {80, LUMTREEFORMAT_RIGHT}, {LUMTREE_STRETCH, 0}});
    lt::AddFlat(t.hwnd, 4);
    for (INT i = 0; i < 4; ++i) t.Text(i, 1, "12 kB"), t.Text(i, 2, "Folder");
}
// The switches of a row look, and the colours they give row 1: inside its tree part and its
// text cell, at its top-left corner and at the top of its text cell; and its text's colour.
enum : unsigned { kSel = 1, kFocus = 2, kTextOnly = 4, k3D = 8, kOff = 16 };
struct Look {
    unsigned on, inactiveStyle;
    COLORREF part, cell, corner, textTop, text;
};
// clang-format off
const Look kLooks[] = {
    {0, 0, kBack, kBack, kBack, kBack, kText},
    {kSel | kFocus, 0, kSelBack, kSelBack, kSelBack, kSelBack, kSelText},
    {kSel | kFocus | kTextOnly, 0, kBack, kSelBack, kBack, kSelBack, kSelText},
    {kSel | kFocus | k3D, 0, kBack, kSelBack, kBack, kLight, kSelText},
    {kSel, 0, kSelBack, kSelBack, kSelBack, kSelBack, kSelText}, // inactive: highlighted
    {kSel, 1, kBack, kBack, kSelBack, kSelBack, kText},          // a frame, normal colours
    {kSel | kTextOnly, 1, kBack, kBack, kBack, kSelBack, kText},
    {kSel, 2, kBack, kBack, kBack, kBack, kText},                // no mark
    {kSel, 3, kBack, k3DLight, kBack, k3DLight, kText},          // a light cell
    {kSel | kFocus, 3, kSelBack, kSelBack, kSelBack, kSelBack, kSelText},
    {kSel | kFocus | kOff, 0, kBack, kBack, kBack, kBack, kGray}, // disabled: never marked
    {kSel | kOff, 1, kBack, kBack, kBack, kBack, kGray},
};
// clang-format on
// A top edge at most half in a colour: the dots of a focus rectangle are on it.
Probe Dotted(RECT r, COLORREF under = kBack) {
    return {Top(r), under, 0, (r.right - r.left) / 2 + 1};
}
Probes Grid(Tree &t, int style) {
    t.Send(LUMTREEM_SETGRIDLINES, TRUE);
    t.Send(LUMTREEM_SETGRIDSTYLE, static_cast<WPARAM>(style));
    Probes p;
    for (INT i : {0, 2, 3}) { // row 1 is left to the drop marks
        const RECT r = t.Row(i);
        p = p + Probes{At(t.Cell(i, 0).right - 1, r.top + 1, kVGrid, style != 1),
                       At(t.Cell(i, 1).right - 1, r.top + 1, kVGrid, style != 1),
                       At(r.left + 5, r.bottom - 1, kHGrid, style != 0),
                       None(RECT{r.left, r.top, r.right, r.bottom - 1}, kHGrid)};
    }
    return p;
}
// A drop mark on item 1 (or after the last item), in a colour of its own or automatic.
Probes Drop(Tree &t, INT target, UINT mode, COLORREF c = kGreen) {
    t.ctl->dropTarget = target;
    t.ctl->dropMarkMode = mode;
    t.SetColor(LUMTREECOLOR_DROPMARK, c == kSelBack ? kAuto : c);
    const RECT r = t.Row(1);
    const int y = t.Row(3).bottom, top = mode == LUMTREEDROPMARK_ITEM ? t.Mid(1) : r.top;
    if (mode == LUMTREEDROPMARK_CARET) return {None(ItemAreaRect(t.ctl), c)};
    if (target == 4) return {At(3, y, c), At(3, y + 1, c), At(3, y + 2, kBack)};
    return {At(r.left, top, c), At(r.right - 1, top + 1, c), At(r.left + 1, r.top + 2, kBack)};
}

} // namespace

TEST_CASE("row looks: selection with and without the focus, inactive styles, disabled items") {
    for (const Look &l : kLooks) {
        Tree t;
        Table(t);
        if (l.on & kSel) t.Send(LUMTREEM_SETSELECTION, 1);
        if (l.on & kOff) t.Send(LUMTREEM_ENABLEITEM, 1, FALSE);
        t.Send(LUMTREEM_SETINACTIVESELSTYLE, l.inactiveStyle);
        t.Send(LUMTREEM_SETTEXTONLYSELECTION, (l.on & kTextOnly) != 0);
        t.Send(LUMTREEM_SETLOOK3D, (l.on & k3D) != 0);
        if (l.on & kFocus) t.Focus();
        const RECT r = t.Row(1), c = t.Cell(1, 0);
        Probes p{At(r.left + 1, t.Mid(1), l.part), At(c.left + 3, t.Mid(1), l.cell),
                 At(r.left, r.top, l.corner), At(c.left, r.top, l.textTop),
                 None(t.Row(2), kSelBack)};
        for (COLORREF ink : {kText, kSelText, kGray})
            p.push_back({c, ink, ink == l.text ? 3 : 0, ink == l.text ? INT_MAX : 0});
        Check(t.Paint(), p, std::to_string(l.on) + " style " + std::to_string(l.inactiveStyle));
    }
}

// clang-format off
TEST_CASE("rows: focus frame, grid lines, 3-D frames, drop marks") {
    Run({{"no focus: no frame; no grid lines; drop mode 0: no mark; texts in every cell", [](Tree &t) {
             t.Send(LUMTREEM_SETCARET, 2);
             const RECT a = ItemAreaRect(t.ctl);
             return Drop(t, 1, LUMTREEDROPMARK_CARET, kSelBack) + Probes{All(Top(t.Row(2)), kBack),
                    Some(t.Cell(3, 1), kText), Some(t.Cell(3, 2), kText), None(a, kVGrid), None(a, kHGrid)}; }},
         {"a focus frame on the caret's row; vertical grid lines; a mark after the last item", [](Tree &t) {
             t.Send(LUMTREEM_SETCARET, 2); t.Focus();
             return Grid(t, 0) + Drop(t, 4, LUMTREEDROPMARK_INSERT) + Probes{Dotted(t.Row(2)),
                    All(Top(t.Part(1)), kBack), At(t.Row(2).left + 1, t.Row(2).top + 1, kBack)}; }},
         {"the focus frame from the text; horizontal grid lines; a bar at the target's top", [](Tree &t) {
             t.Send(LUMTREEM_SETCARET, 2); t.Send(LUMTREEM_SETTEXTONLYSELECTION, TRUE); t.Focus();
             const RECT r = t.Row(2);
             return Grid(t, 1) + Drop(t, 1, LUMTREEDROPMARK_INSERT, kSelBack) + Probes{All(Top(t.Part(2)), kBack),
                    Dotted(RECT{t.Cell(2, 0).left, r.top, r.right, r.bottom})}; }},
         {"both grid lines; a frame around the drop target", [](Tree &t) {
             return Grid(t, 2) + Drop(t, 1, LUMTREEDROPMARK_ITEM); }},
         {"the focus frame of an empty list: on its first row", [](Tree &t) {
             t.Focus(); t.Send(LUMTREEM_DELETEALL);
             const RECT a = ItemAreaRect(t.ctl);
             return Probes{Dotted(a), All(RECT{a.left, a.top + t.ctl->rowHeight, a.right, a.bottom}, kBack)}; }},
         {"3-D look: sunken frames from the text, raised when selected, focus inset by 2", [](Tree &t) {
             t.Send(LUMTREEM_SETLOOK3D, TRUE); t.Send(LUMTREEM_SETCARET, 2);
             t.Send(LUMTREEM_SETSELECTION, 2); t.Focus();
             const COLORREF dark = Entry(LUMTREECOLOR_SHADOW);
             const RECT r = t.Row(1), s = t.Row(2);
             const int x = r.left + TextX(t.ctl, 0);
             return Probes{At(x, r.top, dark), At(x + 1, r.top + 1, dark), At(x + 5, r.bottom - 2, kLight),
                           At(x + 5, r.bottom - 1, kLight), At(x - 1, r.top, kBack),
                           At(r.right - 1, r.top + 5, dark, false), At(x + 5, s.top, kLight),
                           At(x + 5, s.bottom - 1, dark), All(RECT{x + 3, s.top + 1, x + 40, s.top + 2}, kLight),
                           Dotted(RECT{x + 3, s.top + 2, x + 40, s.bottom}, kSelBack)}; }}},
        Table);
}
// clang-format on

namespace {

// Row 1's size cell has colours of its own, its kind cell a picture and a background.
void Cells(Tree &t) {
    Table(t);
    t.CellAttr(1, 1, TreeCellAttr{kOwnBack, kOwnText, kOwnSel, kAuto, nullptr, nullptr, 0});
    const TreeCellAttr picture{kGreen, kAuto, kAuto, kAuto, nullptr, Square(), 0};
    t.CellAttr(1, 2, picture);
    t.CellAttr(-1, 0, picture); // the size of cell pictures
}
// A margin (left: side -1, right: 1) of a cell given a text too long for it.
RECT Margin(const Tree &t, INT i, INT column, int side) {
    t.Text(i, column, "WWWWWWWWWWWWWWWWWWWWWWWWWWWWWW");
    const RECT c = t.Cell(i, column);
    const int x = side < 0 ? c.left : c.right - t.ctl->avgCharWidth / 2;
    return RECT{x, c.top, x + t.ctl->avgCharWidth / 2, c.bottom};
}

} // namespace

// clang-format off
TEST_CASE("cells: own colours and pictures, alignment, fixed widths, dots, several lines") {
    Run({{"own colours, right-aligned text, a picture, the last cell's background to the end", [](Tree &t) {
             const RECT c = t.Cell(1, 1);
             const int m = c.right - t.ctl->avgCharWidth / 2;
             return Probes{At(c.left + 1, c.top + 1, kOwnBack), Some(c, kOwnText), Some(t.Cell(0, 1), kText),
                           None(RECT{m, c.top, c.right, c.bottom}, kOwnText),
                           Some(RECT{m - 4, c.top, m, c.bottom}, kOwnText), {t.Cell(1, 2), kInk, 36, 36},
                           None(t.Cell(0, 2), kInk), At(t.Row(1).right - 2, c.top + 1, kGreen)}; }},
         {"selected: the cell's own selected background, the row's selected text", [](Tree &t) {
             t.Send(LUMTREEM_SETSELECTION, 1); t.Focus();
             const RECT c = t.Cell(1, 1);
             return Probes{At(c.left + 1, c.top + 1, kOwnSel), Some(c, kSelText),
                           At(t.Cell(1, 2).left + 1, c.top + 1, kSelBack)}; }},
         {"a last column of fixed width: the row's own background after it", [](Tree &t) {
             t.LiveColumns()[2].width = 50;
             return Probes{At(t.Row(1).right - 2, t.Mid(1), kBack), At(t.Cell(1, 2).left + 1, t.Mid(1), kGreen)}; }},
         {"a text too wide for its cell runs on into the margin", [](Tree &t) {
             return Probes{{Margin(t, 0, 0, 1), kText, 1, INT_MAX}}; }},
         {"with the ellipsis switch it ends in dots inside both margins, right-aligned too", [](Tree &t) {
             t.Send(LUMTREEM_SETCELLELLIPSIS, TRUE);
             return Probes{None(Margin(t, 0, 0, 1), kText), None(Margin(t, 2, 1, 1), kText),
                           None(Margin(t, 2, 1, -1), kText), Some(t.Cell(2, 1), kText)}; }},
         {"two lines per row with the multi-line format", [](Tree &t) {
             t.Send(LUMTREEM_SETLINESPERITEM, 2); t.Text(0, 2, "First\nSecond");
             t.LiveColumns()[2].format = LUMTREEFORMAT_MULTILINE;
             const RECT c = t.Cell(0, 2);
             return Probes{Some(RECT{c.left, c.top, c.right, t.Mid(0)}, kText),
                           Some(RECT{c.left, t.Mid(0), c.right, c.bottom}, kText)}; }}},
        Cells);
}
// clang-format on

namespace {

// ---- Header bar, corner and labels: a picture before the first title, a centred second ----
void Bars(Tree &t) {
    static char name[] = "Name", size[] = "Size", kind[] = "Kind";
    TreeColumn columns[3] = {{0, 0, 70, 0, 0, name, nullptr, Square(), 0},
                             {0, 0, 60, 0, LUMTREEFORMAT_CENTER, size, nullptr, nullptr, 0},
                             {0, 0, LUMTREE_STRETCH, 0, 0, kind, nullptr, nullptr, 0}};
    REQUIRE(t.Send(LUMTREEM_SETCOLUMNS, 3, lt::Ptr(columns)) == 1);
    t.Send(LUMTREEM_SHOWHEADER, TRUE);
    lt::AddFlat(t.hwnd, 4);
    t.Labels(5);
    t.Send(LUMTREEM_SETCORNERTEXT, 0, lt::Ptr("#"));
}
// The top and bottom edges of header cell c (c >= 0), the corner (-1) or label i (c = i - 10),
// light on top when raised; the colour table holds each piece's shadow just before its light.
Probes Edges(const Tree &t, int c, bool raised) {
    const RECT r = c >= 0    ? ColumnHeaderRect(t.ctl, c)
                   : c == -1 ? CornerRect(t.ctl)
                             : t.Label(c + 10);
    const int bottom = c >= 0 ? HeaderHeight(t.ctl) : r.bottom;
    const int light = c >= 0    ? LUMTREECOLOR_HEADERLIGHT
                      : c == -1 ? LUMTREECOLOR_CORNERLIGHT
                                : LUMTREECOLOR_LABELLIGHT;
    return {At(r.left + 5, r.top, Entry(raised ? light : light - 1)),
            At(r.left + 5, bottom - 2, Entry(raised ? light - 1 : light))};
}
// Label 0 in a style: raised or flat, its number drawn as style 3 draws item `as`'s (-1: none).
Probes LabelStyle(Tree &t, UINT style, bool raised, int as) {
    t.Labels(3);
    const int ink = as < 0 ? 0 : t.Paint().Count(t.Label(as), kLText);
    t.Labels(style);
    return Edges(t, -10, raised) + Probes{{t.Label(0), kLText, ink, ink}};
}
} // namespace

// clang-format off
TEST_CASE("header bar, corner and labels: titles, pictures, edges, pressed and disabled looks") {
    Run({{"sunken header cells with titles and dividers; a raised corner and raised labels", [](Tree &t) {
             const int hh = HeaderHeight(t.ctl);
             const RECT first = ColumnHeaderRect(t.ctl, 0), second = ColumnHeaderRect(t.ctl, 1);
             const int mid = (second.left + second.right) / 2;
             Probes p = Edges(t, -1, true) + Probes{All(RECT{0, hh - 1, 320, hh}, kBlack),
                 All(Column(39, 0, 200), kBlack), Some(CornerRect(t.ctl), kCText), {first, kInk, 36, 36},
                 None(RECT{first.left, 0, first.left + 12, hh}, kHText), // the title after the picture
                 None(RECT{second.left, 0, mid - 16, hh}, kHText), None(RECT{mid + 16, 0, second.right, hh}, kHText),
                 All(RECT{0, t.Label(3).bottom, 39, 200}, Entry(LUMTREECOLOR_LABELBACK))};
             for (INT c = 0; c < 3; ++c) p = p + Edges(t, c, false) + Probes{Some(ColumnHeaderRect(t.ctl, c), kHText),
                 All(Column(ColumnHeaderRect(t.ctl, c).right - 1, 0, hh - 1), kBlack)};
             for (INT i = 0; i < 4; ++i) p = p + Edges(t, i - 10, true) + Probes{Some(t.Label(i), kLText),
                 All(RECT{0, t.Label(i).bottom - 1, 39, t.Label(i).bottom}, kBlack)};
             return p; }},
         {"pressed: a header (with header buttons), the corner, a selected item's label", [](Tree &t) {
             t.Send(LUMTREEM_SETHEADERBUTTONS, TRUE); t.Send(LUMTREEM_SETPRESSEDHEADER, 1);
             t.Send(LUMTREEM_SETCORNERPRESSED, TRUE); t.Send(LUMTREEM_SETSELECTION, 1);
             return Edges(t, 1, false) + Edges(t, 0, true) + Edges(t, -1, false) + Edges(t, -9, false) +
                    Probes{At(t.Label(1).left + 2, t.Label(1).top + 2, Entry(LUMTREECOLOR_LABELSELBACK))}; }},
         {"a selected item's label with the flag against it: not pressed", [](Tree &t) {
             t.Send(LUMTREEM_SETSELECTION, 1); t.Send(LUMTREEM_SETLABELFLAGS, 0, LUMTREELABEL_NOPRESSED);
             return Edges(t, -9, true); }},
         {"a disabled header, corner and labels: grey texts", [](Tree &t) {
             t.LiveColumns()[1].headerFlags |= LUMTREEHEADER_DISABLED;
             t.Send(LUMTREEM_SETCORNERFLAGS, 0, LUMTREECORNER_DISABLED);
             t.Send(LUMTREEM_SETLABELFLAGS, 0, LUMTREELABEL_DISABLED);
             const RECT r = ColumnHeaderRect(t.ctl, 1), corner = CornerRect(t.ctl), l = t.Label(2);
             return Probes{None(r, kHText), Some(r, Entry(LUMTREECOLOR_HEADERGRAYTEXT)),
                           Some(ColumnHeaderRect(t.ctl, 2), kHText), None(corner, kCText),
                           Some(corner, Entry(LUMTREECOLOR_CORNERGRAYTEXT)), None(l, kLText),
                           Some(l, Entry(LUMTREECOLOR_LABELGRAYTEXT))}; }},
         {"the corner no button, with a picture alone: a sunken frame and the picture", [](Tree &t) {
             t.Send(LUMTREEM_SETCORNERBUTTON, FALSE); t.Send(LUMTREEM_SETCORNERBITMAP, 0, lt::Ptr(Square()));
             t.Send(LUMTREEM_SETCORNERBITMAPFLAGS, 0, LUMTREEBITMAP_ALONE);
             return Edges(t, -1, false) + Probes{{CornerRect(t.ctl), kInk, 36, 36}, None(CornerRect(t.ctl), kCText)}; }},
         {"label style 2: flat, no number", [](Tree &t) { return LabelStyle(t, 2, false, -1); }},
         {"label style 4: flat, numbered from 0", [](Tree &t) { return LabelStyle(t, 4, false, 0); }},
         {"label style 6: flat, numbered from 1", [](Tree &t) { return LabelStyle(t, 6, false, 1); }}},
        Bars);
}
// clang-format on

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

namespace {

RowDrawInfo g_seen;
int g_calls = 0;
char g_replacement[] = "Replaced";
LPSTR g_texts[1] = {g_replacement};

// Counts the rows (checking the callback's value), recolours row 1, replaces its text and
// draws it disabled.
INT CALLBACK Recolour(HWND, RowDrawInfo *info, DWORD_PTR data) {
    g_calls += data == 7;
    if (info->index != 1) return 0;
    g_seen = *info;
    info->backColor = kGreen;
    info->cellBackColor = kOwnSel;
    info->cellTextColor = kWhite;
    info->texts = g_texts;
    info->enabled = 0;
    return 0;
}

} // namespace

TEST_CASE("the draw callback sees every painted row and may recolour it") {
    Tree t;
    lt::AddItems(t.hwnd, {{"Parent", 0}, {"Child", 1}, {"Grandchild", 2}, {"Other", 0}});
    t.Labels(3);
    t.Send(LUMTREEM_SETDATA, 1, 77);
    TreeDrawCallback callback{Recolour, 7};
    REQUIRE(t.Send(LUMTREEM_SETDRAWCALLBACK, 0, lt::Ptr(&callback)) == 1);
    const lt::Pixels px = t.Paint();
    t.Send(LUMTREEM_SETDRAWCALLBACK, 0, 0);
    const RowDrawInfo &s = g_seen;
    CHECK(g_calls == 4);
    CHECK((s.window == t.hwnd && s.controlId == lt::kTreeId && s.index == 1 && s.data == 77));
    CHECK((s.hasChildren == 1 && s.expanded == 1 && s.columnCount == 1 && s.caret == 0));
    CHECK((s.enabled == 1 && s.textColor == kText && s.backColor == kBack));
    CHECK(std::strcmp(s.texts[0], "Child") == 0);
    const RECT r = t.Row(1), c = t.Cell(1, 0);
    const COLORREF grey = Entry(LUMTREECOLOR_LABELGRAYTEXT); // drawn disabled, label included
    Check(px, {At(r.left + 1, r.top + 1, kGreen), At(c.right - 2, r.top + 1, kOwnSel),
               Some(c, kWhite), Some(t.Label(1), grey), None(t.Label(0), grey)});
    CHECK(t.Paint().Count(c, kWhite) == 0); // the callback is gone
}
