// Layout against values computed by hand, scroll bars read back, bad requests changing nothing.
#include "../support/harness.h"
#include "lumtree/api/api.h"
#include "lumtree/frame/frame.h"
#include "lumtree/layout/layout.h"

#include <algorithm>
#include <cstring>
#include <set>
#include <tuple>

using namespace lt;

inline bool operator==(const RECT &a, const RECT &b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

namespace {

TreeCtl *Record(HWND tree) {
    return reinterpret_cast<TreeCtl *>(GetWindowLongPtrA(tree, 0));
}

// Registers the class; holds fonts and bitmaps of known size until the program ends.
struct Made {
    Made() { LoadLibraryState(GetModuleHandleA(nullptr)); }
    std::vector<HGDIOBJ> objects;
    ~Made() {
        for (HGDIOBJ object : objects) DeleteObject(object);
    }
} g_made;

HFONT Font(int height) {
    g_made.objects.push_back(CreateFontA(height, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0,
                                         FF_SWISS, "Tahoma"));
    return static_cast<HFONT>(g_made.objects.back());
}

HBITMAP Bitmap(int width, int height) {
    g_made.objects.push_back(CreateBitmap(width, height, 1, 1, nullptr));
    return static_cast<HBITMAP>(g_made.objects.back());
}

// The font's metrics, and the width of a single-line text as the control measures it.
TEXTMETRICA Metrics(HFONT font, const std::string &text = {}, int *width = nullptr) {
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font);
    TEXTMETRICA tm{};
    GetTextMetricsA(dc, &tm);
    RECT rc{};
    DrawTextA(dc, text.c_str(), -1, &rc, DT_CALCRECT | DT_NOPREFIX | DT_SINGLELINE);
    if (width) *width = rc.right;
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    return tm;
}

RECT Client(HWND w) {
    RECT rc;
    GetClientRect(w, &rc);
    return rc;
}

// Paints what is pending and validates the rest, so that the update region shows what follows.
void Settle(HWND w) {
    Pump();
    UpdateWindow(w);
    ValidateRect(w, nullptr);
}

// True when the window's update region is exactly the union of the rectangles.
bool Repainted(HWND w, const std::vector<RECT> &rects) {
    HRGN update = CreateRectRgn(0, 0, 0, 0), expected = CreateRectRgn(0, 0, 0, 0);
    GetUpdateRgn(w, update, FALSE);
    for (const RECT &rc : rects) {
        HRGN part = CreateRectRgnIndirect(&rc);
        CombineRgn(expected, expected, part, RGN_OR);
        DeleteObject(part);
    }
    const bool same = EqualRgn(expected, update);
    for (HRGN rgn : {expected, update}) DeleteObject(rgn);
    return same;
}

// A rectangle the control writes to lParam: header (wParam column), label (item) or corner.
RECT RectOf(HWND tree, UINT msg, int index = 0) {
    RECT rc{-1, -1, -1, -1};
    Send(tree, msg, static_cast<WPARAM>(index), Ptr(&rc));
    return rc;
}
RECT HeaderRect(HWND tree, int column) {
    return RectOf(tree, LUMTREEM_GETCOLUMNHEADERRECT, column);
}

// The cell rectangle, or all -1 when the control refuses it.
RECT CellRectOf(HWND tree, int item, int column) {
    auto *rc = reinterpret_cast<const RECT *>(
        Send(tree, LUMTREEM_GETCELLRECT, static_cast<WPARAM>(item), Ptr(&column)));
    return rc ? *rc : RECT{-1, -1, -1, -1};
}

template <class T> std::string Bytes(const T &value, size_t size = sizeof(T)) {
    return std::string(reinterpret_cast<const char *>(&value), size);
}

// A control whose item area holds 4 whole rows and half of one more, with n items.
HWND TreeWithRows(Parent &parent, int n, DWORD style = kNotifyStyle) {
    HWND tree = parent.Tree(style);
    const int rh = SendI(tree, LUMTREEM_GETROWHEIGHT);
    MoveWindow(tree, 0, 0, 200, 4 * rh + rh / 2, TRUE);
    Send(tree, WM_SETREDRAW, n < 1000); // long lists are filled without drawing
    AddFlat(tree, n);
    Send(tree, WM_SETREDRAW, TRUE);
    return tree;
}

// A scroll bar as GetScrollInfo reads it: "min..max page n pos p".
std::string BarOf(HWND tree, int bar = SB_VERT) {
    SCROLLINFO si{sizeof(si), SIF_ALL, 0, 0, 0, 0, 0};
    GetScrollInfo(tree, bar, &si);
    return std::to_string(si.nMin) + ".." + std::to_string(si.nMax) + " page " +
           std::to_string(si.nPage) + " pos " + std::to_string(si.nPos);
}

// Sends a bar request; checks the position after it and that it notifies exactly on a move.
void Request(Parent &parent, HWND tree, UINT msg, int code, int pos, int thumb = 0) {
    const UINT get = msg == WM_VSCROLL ? LUMTREEM_GETTOPINDEX : LUMTREEM_GETHPOS;
    const int notify = msg == WM_VSCROLL ? LUMTREEN_TOPCHANGE : LUMTREEN_HSCROLL;
    const bool moves = SendI(tree, get) != pos;
    parent.Clear();
    Send(tree, msg, MAKEWPARAM(code, static_cast<WORD>(thumb)), 0);
    CHECK(SendI(tree, get) == pos);
    CHECK(parent.Codes(tree) == (moves ? std::vector<int>{notify} : std::vector<int>{}));
}

} // namespace

TEST_CASE("texts and expand buttons of each level start after the areas that are switched on") {
    Parent parent;
    HWND tree = parent.Tree(kNotifyStyle, 0, 0, 400, 300);
    HFONT font = Font(16);
    const int avg = Metrics(font).tmAveCharWidth, maxw = Metrics(font).tmMaxCharWidth;
    Send(tree, WM_SETFONT, WPARAM(font));
    AddItems(tree, {{"root", 0}, {"child", 1}, {"grandchild", 2}});
    HBITMAP s16 = Bitmap(16, 5), node[3] = {nullptr, Bitmap(20, 5)}, state[3] = {s16, s16};
    const int button = maxw + 7;
    // Per step: the indentation per level and where level 0 starts.
    const std::tuple<UINT, WPARAM, LPARAM, int, int> steps[] = {
        {LUMTREEM_SETBUTTONSTRIP, 0, Ptr(Bitmap(4 * 9, 9)), std::max(maxw, 9), avg},
        {LUMTREEM_SETNODEBITMAPS, 0, Ptr(node), 20, 20 + avg + avg},
        {LUMTREEM_SETSHOWLINES, 0, 0, 10, 20 + avg + avg}, // half a node bitmap
        {LUMTREEM_SETNODEBITMAPS, 0, 0, maxw, avg},        // the gap stays (extra indent)
        {LUMTREEM_SETSHOWLINES, 1, 0, std::max(maxw, 9), avg},
        {LUMTREEM_SETBUTTONSTRIP, 0, Ptr(Bitmap(4 * button, 9)), button, avg},
        {LUMTREEM_SETSTATEBITMAPS, 0, Ptr(state), button, (16 + avg) + avg},
        {LUMTREEM_SETSHOWROOTBUTTONS, 1, 0, button, (16 + avg) + (button + avg) + avg},
        {LUMTREEM_SETSTATEBITMAPS, 0, 0, button, (button + avg) + avg},
    };
    for (auto [msg, wp, lp, indent, start] : steps) {
        CAPTURE(msg);
        const int before = SendI(tree, LUMTREEM_GETTREEWIDTH);
        parent.Clear();
        Send(tree, msg, wp, lp);
        for (int level = 0; level <= 2; ++level)
            CHECK(CellRectOf(tree, level, 0).left == start + indent * level);
        CHECK(SendI(tree, LUMTREEM_GETTREEWIDTH) == start + indent * 2);
        CHECK(parent.Codes(tree).size() == (before != start + indent * 2)); // a width change
    }
    // Expand buttons centred in the row, in each step of node bitmaps taller than the row.
    HBITMAP tallNode[3] = {nullptr, Bitmap(20, 40), nullptr};
    Send(tree, LUMTREEM_SETSTATEBITMAPS, 0, Ptr(state));
    Send(tree, LUMTREEM_SETBUTTONSTRIP, 0, Ptr(Bitmap(4 * 9, 7)));
    Send(tree, LUMTREEM_SETNODEBITMAPS, 0, Ptr(tallNode));
    const int rh = SendI(tree, LUMTREEM_GETROWHEIGHT), gap = (rh - 7) / 2, root = 16 + 2 * avg;
    CHECK(RootButtonBox(Record(tree)) == RECT{root, gap, root + 9, rh - gap});
    const int x = root + 9 + avg + 2 * 20 + 5;
    CHECK(IndentButtonBox(Record(tree), 2) == RECT{x, gap, x + 9, rh - gap});
}

TEST_CASE("header bar, corner, labels, rows and cells divide the client area; label widths") {
    Parent parent;
    HWND tree = parent.Tree(kChildStyle, 0, 0, 360, 240);
    HFONT font = Font(16), headerFont = Font(22), labelFont = Font(21);
    const int avg = Metrics(font).tmAveCharWidth,
              indent = std::max<int>(Metrics(font).tmMaxCharWidth, 11);
    Send(tree, WM_SETFONT, WPARAM(font));
    Send(tree, LUMTREEM_SETHEADERFONT, WPARAM(headerFont));
    Send(tree, LUMTREEM_SETLABELFONT, WPARAM(labelFont));
    TreeColumnInfo columns[3] = {{50, 0, 0, nullptr}, {60, 0, 0, nullptr}, {-1, 0, 0, nullptr}};
    REQUIRE(SendI(tree, LUMTREEM_SETCOLUMNINFO, 3, Ptr(columns)) == 1);
    AddItems(tree, {{"a", 0}, {"b", 1}, {"c", 0}});
    const int W = Client(tree).right, H = Client(tree).bottom, tw = indent + avg;
    const int rh0 = SendI(tree, LUMTREEM_GETROWHEIGHT);
    Send(tree, LUMTREEM_SHOWHEADER, 1);
    Send(tree, LUMTREEM_SHOWLABELS, 3);
    const int hh = Metrics(headerFont).tmHeight + 3, lw = 4 * avg;
    const int rh = std::max<int>(rh0, (Metrics(labelFont).tmHeight + 4) / 2 * 2);
    REQUIRE(SendI(tree, LUMTREEM_GETROWHEIGHT) == rh);
    CHECK(RectOf(tree, LUMTREEM_GETCORNERRECT) == RECT{0, 0, lw, hh});
    CHECK(HeaderRect(tree, -1) == RECT{lw, 0, W, hh});
    CHECK(HeaderRect(tree, 0) == RECT{lw, 0, lw + tw + 50, hh});
    CHECK(HeaderRect(tree, 2) == RECT{lw + tw + 110, 0, W, hh}); // stretches to the edge
    CHECK(RectOf(tree, LUMTREEM_GETLABELRECT, -1) == RECT{0, hh, lw, H});
    CHECK(RectOf(tree, LUMTREEM_GETLABELRECT, 1) == RECT{0, hh + rh, lw, hh + 2 * rh});
    CHECK(CellRectOf(tree, 0, 0) == RECT{lw + avg, hh, lw + tw + 50, hh + rh});
    CHECK(CellRectOf(tree, 1, 0) == RECT{lw + tw, hh + rh, lw + tw + 50, hh + 2 * rh});
    CHECK(CellRectOf(tree, 2, 2) == RECT{lw + tw + 110, hh + 2 * rh, W, hh + 3 * rh});
    CHECK(CellRectOf(tree, -1, -1) == CellRectOf(tree, 0, 0)); // the caret; the last press
    // Scrolled: bar and rows repainted, the stretching column reaches the extent, labels stay.
    REQUIRE(SendI(tree, LUMTREEM_SETHEXTENT, static_cast<WPARAM>(W - lw + 300)) == 1);
    Settle(tree);
    REQUIRE(SendI(tree, LUMTREEM_SETHPOS, 100) == 1);
    CHECK(Repainted(tree, {RECT{lw, 0, W, hh}, RECT{0, hh, W, Client(tree).bottom}}));
    CHECK(HeaderRect(tree, 2).right == W + 200);
    CHECK(RectOf(tree, LUMTREEM_GETLABELRECT, 1) == RECT{0, hh + rh, lw, hh + 2 * rh});

    // The label width needed: numbers 0..9, 1..10 or none; texts of hidden items; the corner.
    AddFlat(tree, 7);
    const auto width = [](HFONT f, const std::string &text) {
        int w = 0;
        Metrics(f, text, &w);
        return w;
    };
    const auto widest = [&](int from) {
        int best = 0;
        for (int n = from; n < from + 10; ++n)
            best = std::max(best, width(labelFont, std::to_string(n)));
        return best;
    };
    for (auto [style, numbers] : {std::pair{3, widest(0)}, {5, widest(1)}, {2, 0}}) {
        Send(tree, LUMTREEM_SHOWLABELS, static_cast<WPARAM>(style));
        CHECK(SendI(tree, LUMTREEM_CALCLABELWIDTH) == numbers + avg + 3);
    }
    const char *text = "a label of some length";
    Send(tree, LUMTREEM_SETLEVEL, 5, 1);
    Send(tree, LUMTREEM_SETLABELTEXT, 5, Ptr(text));
    Send(tree, LUMTREEM_EXPAND, 4, 0);
    CHECK(SendI(tree, LUMTREEM_CALCLABELWIDTH) == width(labelFont, text) + avg + 3);
    const char *cornerText = "a corner text much wider than every label of this control";
    REQUIRE(SendI(tree, LUMTREEM_SETCORNERTEXT, 0, Ptr(cornerText)) == 1);
    CHECK(SendI(tree, LUMTREEM_CALCLABELWIDTH) == avg + 6 + width(headerFont, cornerText));
}

TEST_CASE("each display message recomputes the row height and repaints what it names") {
    Parent parent;
    // A text line of even height, so that one-pixel additions survive the rounding to even.
    HFONT font = nullptr;
    TEXTMETRICA tm{};
    for (int h = 24; !font || (tm.tmHeight + tm.tmDescent / 2) % 2; ++h)
        tm = Metrics(font = Font(h));
    const int rh = tm.tmHeight + tm.tmDescent / 2;
    HFONT bigLabels = Font(2 * tm.tmHeight);
    const int bigRow = (Metrics(bigLabels).tmHeight + 4) / 2 * 2;
    HWND tree = parent.Tree(kNotifyStyle, 0, 0, 320, 300);
    PlaceEditor(tree);
    Send(tree, WM_SETFONT, WPARAM(font));
    AddFlat(tree, 4);
    Send(tree, LUMTREEM_SHOWHEADER, 1);
    Send(tree, LUMTREEM_SHOWLABELS, 3);
    Send(tree, LUMTREEM_SETSELECTION, 1);
    const int W = Client(tree).right, H = Client(tree).bottom, hh = HeaderRect(tree, -1).bottom;
    const int lw = SendI(tree, LUMTREEM_GETLABELWIDTH);
    REQUIRE(SendI(tree, LUMTREEM_GETROWHEIGHT) == rh);
    const RECT all = Client(tree), items{lw, hh, W, H}, rows{0, hh, W, H}, bar{lw, 0, W, hh},
               corner{0, 0, lw, hh}, labels{0, hh, lw, H}, label1{0, hh + rh, lw, hh + 2 * rh},
               row2{0, hh + 2 * rh, W, hh + 3 * rh}, sel1{lw, hh + rh, W, hh + 2 * rh},
               tallCorner{0, 0, lw, hh + 7};
    HBITMAP tall = Bitmap(12, rh + 10), strip = Bitmap(4 * 9, rh + 15);
    HBITMAP three[3] = {tall, tall, tall}, font1 = HBITMAP(GetStockObject(SYSTEM_FONT));
    TreeLabelAttrRequest attr{2, 2, {1, 2, 3, 4, nullptr, 0}};
    TreeLabelAttrRequest labelBitmap{2, -1, {0, 0, 0, 0, Bitmap(2, rh + 20), 0}};
    TreeCellAttrRequest cellBitmap{2, -1, 0, {0, 0, 0, 0, nullptr, Bitmap(2, rh + 30), 0}};
    const auto labelFont = static_cast<WPARAM>(Send(tree, LUMTREEM_GETLABELFONT));
    enum Again { Never, Silent, NoRepaint }; // what the same request once more does
    constexpr int E = LUMTREEN_ENDEDIT, T = LUMTREEN_TREEWIDTHCHANGE;
    const std::tuple<UINT, WPARAM, LPARAM, std::set<int>, std::vector<RECT>, int, Again> cases[] = {
        {LUMTREEM_SETLABELTEXT, 1, Ptr("First"), {}, {label1}, rh, Never},
        {LUMTREEM_SETLABELATTR, 0, Ptr(&attr), {E}, {row2}, rh, Never},
        {LUMTREEM_SETLABELFLAGS, 0, 0x80, {E}, {labels}, rh, Never},
        {LUMTREEM_SETCORNERTEXT, 0, Ptr("Rows"), {}, {corner}, rh, Never},
        {LUMTREEM_SETCORNERBITMAP, 0, Ptr(font1), {E}, {corner}, rh, Never}, // as none
        {LUMTREEM_SETHEADERBUTTONS, 1, 0, {E}, {corner, bar}, rh, NoRepaint},
        {LUMTREEM_SETPRESSEDHEADER, 0, 0, {}, {bar}, rh, Never},
        {LUMTREEM_SETLABELFONT, WPARAM(bigLabels), 1, {E}, {all}, bigRow, Never},
        {LUMTREEM_SETLABELFONT, labelFont, 1, {E}, {all}, rh, Never},
        {LUMTREEM_SETLINESPERITEM, 0, 0, {}, {}, rh, Never}, // ignored
        {LUMTREEM_SETLINESPERITEM, 2, 0, {E}, {rows}, (rh + tm.tmHeight + 1) / 2 * 2, NoRepaint},
        {LUMTREEM_SETLINESPERITEM, 1, 0, {E}, {rows}, rh, Never},
        {LUMTREEM_SETSHOWLINES, 0, 0, {E}, {items, bar}, rh, Silent},
        {LUMTREEM_SETTEXTONLYSELECTION, 5, 0, {}, {items}, rh, Silent},
        {LUMTREEM_SETSHOWBUTTONS, 0, 0, {E}, {all}, rh, Silent},
        {LUMTREEM_SETSHOWROOTBUTTONS, 1, 0, {E, T}, {rows}, rh, Silent},
        {LUMTREEM_SETINACTIVESELSTYLE, 2, 0, {}, {sel1}, rh, Silent}, // rows only
        {LUMTREEM_SETGRIDLINES, 1, 0, {E}, {rows}, rh + 2, Silent},   // a pixel for the lines
        {LUMTREEM_SETLOOK3D, 1, 0, {E}, {rows}, rh + 4, Silent},      // and no grid pixel
        {LUMTREEM_SETSTATEBITMAPS, 0, Ptr(three), {E, T}, {all}, rh + 10, Never},
        {LUMTREEM_SETNODEBITMAPS, 0, Ptr(three), {E, T}, {all}, rh + 12, Never}, // 1 more
        // The buttons' height counts only while some of them are shown.
        {LUMTREEM_SETBUTTONSTRIP, 0, Ptr(strip), {E, T}, {all}, rh + 16, Never},
        {LUMTREEM_SETSHOWROOTBUTTONS, 0, 0, {E, T}, {rows}, rh + 12, Silent},
        {LUMTREEM_SETLABELATTR, 0, Ptr(&labelBitmap), {E}, {rows}, rh + 24, Never},
        // The cell bitmap is the text line's minimum; the 3-D look adds its 4 pixels to it.
        {LUMTREEM_SETCELLATTR, 0, Ptr(&cellBitmap), {E}, {all}, rh + 34, Never},
        {LUMTREEM_SETCORNERBITMAP, 0, Ptr(Bitmap(6, hh + 4)), {E}, {all}, rh + 34, Never},
        {LUMTREEM_SETCORNERBITMAP, 0, Ptr(Bitmap(9, hh + 4)), {E}, {tallCorner}, rh + 34, Never},
    };
    for (const auto &[msg, wp, lp, codes, region, height, again] : cases) {
        CAPTURE(msg);
        Settle(tree);
        parent.Clear();
        Send(tree, msg, wp, lp);
        const std::vector<int> sent = parent.Codes(tree);
        CHECK(std::set<int>(sent.begin(), sent.end()) == codes);
        CHECK(Repainted(tree, region));
        CHECK(SendI(tree, LUMTREEM_GETROWHEIGHT) == height);
        CHECK(SendI(tree, LUMTREEM_GETFULLROWS) == (H - HeaderRect(tree, -1).bottom) / height);
        if (again == Never) continue;
        Settle(tree);
        parent.Clear();
        Send(tree, msg, wp, lp);
        CHECK(Repainted(tree, {}));
        if (again == Silent) CHECK(parent.Codes(tree).empty());
    }
}

TEST_CASE("points to items; the vertical bar read back: requests, 32-bit thumb, ranges, WM_SIZE") {
    Parent parent;
    HWND tree = TreeWithRows(parent, 0);
    const int rh = SendI(tree, LUMTREEM_GETROWHEIGHT);
    const auto at = [&](UINT msg, int y) {
        POINT pt{10, y};
        return SendI(tree, msg, 0, Ptr(&pt));
    };
    constexpr UINT clamped = LUMTREEM_ITEMFROMPOINT, toEnd = LUMTREEM_ITEMORENDFROMPOINT;
    CHECK(at(clamped, 0) == 0); // an empty list gives 0, not -1
    AddFlat(tree, 2);
    CHECK(at(clamped, 3 * rh) == 1); // empty row: the last item
    CHECK(at(toEnd, 3 * rh) == 2);   // empty row: one past the last
    AddFlat(tree, 8);
    const std::tuple<UINT, int, int> points[] = {
        {clamped, rh - 1, 0},  {clamped, 3 * rh + 1, 3},
        {clamped, 4 * rh, -1},                                   // partly shown
        {toEnd, 4 * rh, 4},    {toEnd, Client(tree).bottom, -1}, // no row
        {toEnd, -1, -1}};
    for (auto [msg, y, item] : points) CHECK(at(msg, y) == item);

    parent.Clear();
    CHECK(SendI(tree, LUMTREEM_SETTOPINDEX, 9) == 0); // clamped to the last page
    CHECK(BarOf(tree) == "0..9 page 4 pos 6");
    CHECK(parent.Codes(tree).empty()); // the message never notifies
    CHECK(at(clamped, rh) == 7);
    const std::pair<int, int> steps[] = {{SB_LINEDOWN, 6}, {SB_LINEUP, 5},   {SB_PAGEUP, 1},
                                         {SB_PAGEUP, 0},   {SB_PAGEDOWN, 4}, {SB_PAGEDOWN, 6},
                                         {SB_TOP, 0},      {SB_BOTTOM, 6},   {9, 6}}; // 9: none
    for (auto [code, top] : steps) {
        CAPTURE(code);
        Request(parent, tree, WM_VSCROLL, code, top);
    }
    // The end of a request resets the bar; a scroll-bar control's message is not ours.
    SetScrollPos(tree, SB_VERT, 5, FALSE);
    Send(tree, WM_VSCROLL, SB_ENDSCROLL, 0);
    Send(tree, WM_VSCROLL, SB_LINEDOWN, Ptr(tree));
    CHECK(BarOf(tree) == "0..9 page 4 pos 6");
    Send(tree, LUMTREEM_SHOWHEADER, 1);
    Send(tree, LUMTREEM_SHOWLABELS, 3);
    CHECK(at(toEnd, 1) == -1); // the header bar
    // Small moves shift the painted rows, large ones repaint them.
    const int pages = SendI(tree, LUMTREEM_GETPAGEROWS), top = HeaderRect(tree, -1).bottom,
              W = Client(tree).right, H = Client(tree).bottom,
              r = SendI(tree, LUMTREEM_GETROWHEIGHT);
    const std::pair<int, RECT> moves[] = {
        {2, {0, H - 2 * r, W, H}}, {1, {0, top, W, top + r}}, {1 + pages, {0, top, W, H}}};
    Send(tree, LUMTREEM_SETTOPINDEX, 0);
    for (auto [index, expected] : moves) {
        Settle(tree);
        Send(tree, LUMTREEM_SETTOPINDEX, static_cast<WPARAM>(index));
        CHECK(Repainted(tree, {expected}));
    }

    // A thumb beyond 16 bits.
    HWND big = TreeWithRows(parent, 100000);
    SetScrollPos(big, SB_VERT, 70000, FALSE);
    Request(parent, big, WM_VSCROLL, SB_THUMBTRACK, 70000, 70000);
    Request(parent, big, WM_VSCROLL, SB_BOTTOM, 99996);
    CHECK(BarOf(big) == "0..99999 page 4 pos 99996");
    // Without the scroll-info functions only the message's 16 bits are there: they wrap.
    Record(big)->getScrollInfoFn = nullptr;
    Request(parent, big, WM_VSCROLL, SB_THUMBPOSITION, 70000 - 65536, 70000);
    // Nothing to scroll: without the style the bar goes, with it the bar stays, disabled.
    HWND plain = TreeWithRows(parent, 2, kNotifyStyle | WS_VSCROLL);
    HWND kept = TreeWithRows(parent, 2, kNotifyStyle | WS_VSCROLL | LUMTREESTYLE_DISABLENOSCROLL);
    CHECK((GetWindowLongA(plain, GWL_STYLE) & WS_VSCROLL) == 0);
    CHECK((GetWindowLongA(kept, GWL_STYLE) & WS_VSCROLL) != 0);
    CHECK_FALSE(EnableScrollBar(kept, SB_VERT, ESB_DISABLE_BOTH)); // already disabled

    // Items added while a request is applied move the position only; the range follows later.
    HWND held = TreeWithRows(parent, 10);
    parent.onMessage = [&](UINT msg, WPARAM wp, LPARAM, LRESULT *) {
        if (msg == WM_COMMAND && HIWORD(wp) == LUMTREEN_TOPCHANGE) AddFlat(held, 5);
        return false;
    };
    Request(parent, held, WM_VSCROLL, SB_LINEDOWN, 1);
    CHECK(BarOf(held) == "0..9 page 4 pos 1");
    parent.onMessage = nullptr;
    Send(held, WM_VSCROLL, SB_ENDSCROLL, 0);
    CHECK(BarOf(held) == "0..14 page 4 pos 1");

    // A taller window holds more rows; a wider one pulls the horizontal position back.
    REQUIRE(SendI(held, LUMTREEM_SETHEXTENT, 400) == 1);
    Send(held, LUMTREEM_SETHPOS, static_cast<WPARAM>(-1));
    parent.Clear();
    MoveWindow(held, 0, 0, 300, 8 * rh + GetSystemMetrics(SM_CYHSCROLL), TRUE);
    CHECK(SendI(held, LUMTREEM_GETFULLROWS) == 8);
    CHECK(BarOf(held) == "0..14 page 8 pos 1");
    CHECK(SendI(held, LUMTREEM_GETHPOS) == 400 - 300 + GetSystemMetrics(SM_CXVSCROLL));
    CHECK(parent.Codes(held) == std::vector<int>{LUMTREEN_HSCROLL});
}

// A rectangle of what a window DC shows (its frame with GetWindowDC, its client area with
// GetDC), in the order of PrintClient.
Pixels Grab(HWND w, bool frame, const RECT &rc) {
    const int width = rc.right - rc.left, height = rc.bottom - rc.top;
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof(bi.bmiHeader), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    HDC screen = frame ? GetWindowDC(w) : GetDC(w), memory = CreateCompatibleDC(screen);
    void *bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(memory, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, rc.left, rc.top, SRCCOPY);
    GdiFlush();
    Pixels px{width, height, std::vector<COLORREF>(size_t(width) * height)};
    const auto *p = static_cast<const DWORD *>(bits);
    for (size_t i = 0; i < px.bits.size(); ++i) {
        px.bits[i] = RGB((p[i] >> 16) & 0xFF, (p[i] >> 8) & 0xFF, p[i] & 0xFF);
    }
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(w, screen);
    return px;
}

// The pixels of a window's vertical scroll bar as they are on the screen.
std::vector<COLORREF> BarPixels(HWND w) {
    SCROLLBARINFO info{};
    info.cbSize = sizeof(info);
    if (!GetScrollBarInfo(w, OBJID_VSCROLL, &info)) return {};
    RECT window;
    GetWindowRect(w, &window);
    RECT bar = info.rcScrollBar;
    OffsetRect(&bar, -window.left, -window.top);
    return Grab(w, true, bar).bits;
}

// The client area as it is on the screen.
Pixels ScreenPixels(HWND w) {
    return Grab(w, false, Client(w));
}

TEST_CASE("a log view shows a full repaint after each append; a burst paints the bar later") {
    Parent parent;
    // Rows 4.5 high, so the last one is cut; grid lines show every row's edge.
    HWND tree = TreeWithRows(parent, 0);
    Send(tree, LUMTREEM_SETGRIDLINES, TRUE);
    Send(tree, LUMTREEM_SHOWLABELS, 1);
    Settle(tree);
    const std::vector<COLORREF> bar = BarPixels(tree);
    for (int i = 0; i < 36; ++i) {
        CAPTURE(i);
        const int item = SendI(tree, LUMTREEM_ADDITEM, 0, Ptr(i % 7 ? "entry" : "group"));
        if (i % 7) Send(tree, LUMTREEM_SETLEVEL, static_cast<WPARAM>(item), 1 + (i % 7 == 3));
        Send(tree, LUMTREEM_ENSUREVISIBLE, static_cast<WPARAM>(item));
        if (i % 3 == 0) continue; // some steps are painted only with the next one
        UpdateWindow(tree);
        CHECK(ScreenPixels(tree).bits == PrintClient(tree).bits);
    }
    CHECK(SendI(tree, LUMTREEM_GETTOPINDEX) == 36 - 4);
    const std::vector<COLORREF> before = BarPixels(tree);
    CHECK(before != bar);
    // 1,000 appends, nothing pumped: the values are in the bar at once, the pixels not yet;
    // the next frame paint draws what a full repaint of the frame draws.
    for (int i = 0; i < 1000; ++i) Send(tree, LUMTREEM_ADDITEM, 0, Ptr("more"));
    CHECK(BarOf(tree) == "0..1035 page 4 pos 32");
    CHECK(BarPixels(tree) == before);
    UpdateWindow(tree);
    const std::vector<COLORREF> after = BarPixels(tree);
    CHECK(after != before); // the thumb moved up and shrank
    RedrawWindow(tree, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    CHECK(BarPixels(tree) == after);
    // Accessibility clients hear of the bar's new values as they did when it was painted at once.
    static int heard = 0;
    HWINEVENTHOOK hook = SetWinEventHook(
        EVENT_OBJECT_VALUECHANGE, EVENT_OBJECT_VALUECHANGE, nullptr,
        [](HWINEVENTHOOK, DWORD, HWND w, LONG object, LONG, DWORD, DWORD) {
            heard += object == OBJID_VSCROLL && GetWindowLongPtrA(w, 0) != 0;
        },
        GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
    REQUIRE(hook);
    Send(tree, LUMTREEM_ADDITEM, 0, Ptr("heard"));
    Pump();
    CHECK(heard == 1);
    UnhookWinEvent(hook);
    // A request that moves the thumb is painted by the same path.
    Send(tree, WM_VSCROLL, SB_BOTTOM, 0);
    Settle(tree);
    const std::vector<COLORREF> bottom = BarPixels(tree);
    CHECK(bottom != after);
    RedrawWindow(tree, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    CHECK(BarPixels(tree) == bottom);
}

TEST_CASE("columns handed out, the resize zone, the horizontal position, columns into view") {
    Parent parent;
    HWND tree = parent.Tree(kNotifyStyle, 0, 0, 300, 200);
    char name[] = "Name";
    TreeColumn records[3] = {{11, 22, 100, 0, 0, name, nullptr, nullptr, 0},
                             {0, 0, 200, LUMTREEFORMAT_RIGHT, LUMTREEHEADER_SPRINGBACK, nullptr,
                              nullptr, Bitmap(6, 4), LUMTREEBITMAP_RIGHT},
                             {0, 0, 50, 0, 0, nullptr, nullptr, nullptr, 0}};
    REQUIRE(SendI(tree, LUMTREEM_SETCOLUMNS, 3, Ptr(records)) == 1);
    std::strcpy(name, "XXXX");
    TreeColumn *live = nullptr;
    REQUIRE(SendI(tree, LUMTREEM_GETCOLUMNS, 0, Ptr(&live)) == 3);
    CHECK(std::string(live[0].title) == "Name");
    AddItems(tree, {{"a", 0}, {"b", 1}, {"c", 2}});
    Send(tree, LUMTREEM_SHOWHEADER, 1);
    const int W = Client(tree).right, end = 600 - W, tw = SendI(tree, LUMTREEM_GETTREEWIDTH);
    // The resize cursor from 4 pixels left of a divider up to 3 pixels right of it.
    for (auto [dx, resize] : {std::pair{-5, false}, {-4, true}, {3, true}, {4, false}}) {
        POINT pt{tw + 100 + dx, 2};
        ClientToScreen(tree, &pt);
        SetCursorPos(pt.x, pt.y);
        SetCursor(nullptr);
        CAPTURE(dx);
        CHECK((Send(tree, WM_SETCURSOR, reinterpret_cast<WPARAM>(tree), HTCLIENT) == 1) == resize);
        CHECK((GetCursor() == Record(tree)->resizeCursor) == resize);
    }
    const int maxw = Metrics(HFONT(GetStockObject(SYSTEM_FONT))).tmMaxCharWidth;
    Request(parent, tree, WM_HSCROLL, SB_LINERIGHT, 0); // no extent: nothing to scroll
    REQUIRE(SendI(tree, LUMTREEM_SETHEXTENT, 600) == 1);
    // A page of a third of the width; the range ends a page past the last position.
    const std::string bar =
        "0.." + std::to_string(end + W / 3 - 1) + " page " + std::to_string(W / 3) + " pos ";
    CHECK(SendI(tree, LUMTREEM_SETHPOS, 100000) == 1); // never notifies
    CHECK(BarOf(tree, SB_HORZ) == bar + std::to_string(end));
    CHECK(parent.Codes(tree).empty());
    const std::pair<int, int> steps[] = {
        {SB_LEFT, 0},          {SB_LINERIGHT, maxw}, {SB_LINELEFT, 0}, {SB_LINELEFT, 0},
        {SB_PAGERIGHT, W / 2}, {SB_THUMBTRACK, 40},  {SB_RIGHT, end},  {9, end}};
    for (auto [code, pos] : steps) {
        CAPTURE(code);
        Request(parent, tree, WM_HSCROLL, code, pos, 40);
        CHECK(BarOf(tree, SB_HORZ) == bar + std::to_string(pos));
    }
    // Left of the view to the left edge, right of it to the right edge; 3 is no column.
    const std::pair<int, int> columnsInView[] = {{1, tw + 100},     {0, 0},   {1, tw + 300 - W},
                                                 {1, tw + 300 - W}, {2, end}, {3, end}};
    for (auto [column, pos] : columnsInView) {
        Send(tree, LUMTREEM_ENSURECOLUMNVISIBLE, static_cast<WPARAM>(column));
        CHECK(SendI(tree, LUMTREEM_GETHPOS) == pos);
    }
    // A smaller extent moves the position only at the end of the next request.
    REQUIRE(SendI(tree, LUMTREEM_SETHEXTENT, 400) == 1);
    Request(parent, tree, WM_HSCROLL, SB_ENDSCROLL, 400 - W);
    // Fitting measures the deepest level anew and pulls the position back.
    Send(tree, LUMTREEM_DELETEITEM, 2);
    parent.Clear();
    Send(tree, LUMTREEM_FITHEXTENT);
    CHECK(SendI(tree, LUMTREEM_GETHEXTENT) == SendI(tree, LUMTREEM_GETTREEWIDTH) + 350);
    CHECK(SendI(tree, LUMTREEM_GETHPOS) == SendI(tree, LUMTREEM_GETHEXTENT) - W);
    CHECK(parent.Codes(tree) == std::vector<int>{LUMTREEN_TREEWIDTHCHANGE, LUMTREEN_HSCROLL});
    live[1].width = 30; // a width changed in place is the width
    CHECK(HeaderRect(tree, 1).right - HeaderRect(tree, 1).left == 30);
}

TEST_CASE("bad columns, items, versions, handles and failed allocations change nothing") {
    Parent parent;
    HWND tree = parent.Tree(kNotifyStyle, 0, 0, 300, 150);
    PlaceEditor(tree);
    // Count 0 in the full form keeps the descriptions handed out; only the simple form frees them.
    TreeColumnInfo in[2] = {{50, 0, 0, nullptr}, {-1, 0, 0, nullptr}}, *info = nullptr;
    REQUIRE(SendI(tree, LUMTREEM_GETCOLUMNINFO, 0, Ptr(&info)) == 1);
    REQUIRE(SendI(tree, LUMTREEM_SETCOLUMNS, 0, 0) == 1);
    CHECK(Record(tree)->columnInfoBuffer == info);
    REQUIRE(SendI(tree, LUMTREEM_SETCOLUMNINFO, 2, Ptr(in)) == 1);
    CHECK(Record(tree)->columnInfoBuffer == nullptr);
    AddItems(tree, {{"a", 0}, {"hidden", 1}, {"c", 0}});
    AddFlat(tree, 30);
    Send(tree, LUMTREEM_EXPAND, 0, 0);
    Send(tree, LUMTREEM_SHOWLABELS, 3);
    Send(tree, LUMTREEM_SETLABELTEXT, 2, Ptr("label"));
    Send(tree, LUMTREEM_SETCORNERTEXT, 0, Ptr("corner"));
    HBITMAP good = Bitmap(10, 8), font = HBITMAP(GetStockObject(SYSTEM_FONT));
    HBITMAP goodSet[3] = {good, good, good}, noSecond[3] = {good, nullptr, good};
    REQUIRE(SendI(tree, LUMTREEM_SETSTATEBITMAPS, 0, Ptr(goodSet)) == 1);
    // The record, every label and every cell.
    const auto state = [&] {
        std::string s = Bytes(*Record(tree)) + Record(tree)->cornerText;
        for (int i = 0; i < SendI(tree, LUMTREEM_GETCOUNT); ++i) {
            TreeLabelAttrRequest label{2, i, {}};
            TreeCellAttrRequest cells[2] = {{2, i, 0, {}}, {2, i, 1, {}}};
            Send(tree, LUMTREEM_GETLABELATTR, 0, Ptr(&label));
            for (auto &cell : cells) Send(tree, LUMTREEM_GETCELLATTR, 0, Ptr(&cell));
            s += Bytes(label) + Bytes(cells) +
                 std::to_string(SendI(tree, LUMTREEM_GETLABELTEXTLENGTH, i));
        }
        return s;
    };
    int column0 = 0;
    const int n = SendI(tree, LUMTREEM_GETCOUNT);
    const TreeCellAttr paint{0, RGB(9, 9, 9), 0, 0, nullptr, nullptr, 0};
    TreeCellAttrRequest cell[4] = {
        {1, 0, 1, paint}, {2, 0, 1, paint}, {2, 0, 1, paint}, {2, -1, 0, paint}};
    cell[1].attr.bitmap = font;
    TreeLabelAttrRequest label{2, 0, {0, 0, 0, RGB(9, 9, 9), nullptr, 0}};
    constexpr bool OOM = true; // the request's first allocation fails
    const std::tuple<UINT, WPARAM, LPARAM, LRESULT, bool> cases[] = {
        {LUMTREEM_SETCOLUMNINFO, 1, Ptr(in), 0, false}, // another count while there are items
        {LUMTREEM_SETCOLUMNINFO, 2, Ptr(in), 0, OOM},
        {LUMTREEM_SETTEXTCOLUMN, 2, 0, -1, false},
        {LUMTREEM_SETCOLUMNTITLE, 0, Ptr("new"), 0, OOM},
        {LUMTREEM_GETCOLUMNINFO, 0, Ptr(&info), 0, OOM},
        {LUMTREEM_GETCELLRECT, 1, Ptr(&column0), 0, false},  // hidden
        {LUMTREEM_GETCELLRECT, 20, Ptr(&column0), 0, false}, // below the page
        {LUMTREEM_SETCELLATTR, 0, Ptr(&cell[0]), 0, false},  // version
        {LUMTREEM_SETCELLATTR, 0, Ptr(&cell[1]), 0, false},  // a font as the bitmap
        {LUMTREEM_SETCELLATTR, 0, Ptr(&cell[2]), 0, OOM},
        {LUMTREEM_GETCELLATTR, 0, Ptr(&cell[3]), 0, false},
        {LUMTREEM_SETLABELTEXT, WPARAM(n), Ptr("x"), 0, false},
        {LUMTREEM_SETLABELTEXT, 2, Ptr("new"), 0, OOM},
        {LUMTREEM_SETLABELATTR, 0, Ptr(&label), 0, OOM},
        {LUMTREEM_SETCORNERTEXT, 0, 0, 0, false},
        {LUMTREEM_SETCORNERTEXT, 0, Ptr("new"), 0, OOM},
        {LUMTREEM_SETTOPINDEX, WPARAM(n), 0, -1, false},
        {LUMTREEM_SETHEXTENT, 48, 0, 0, false}, // below the widths' sum, 50 - 1
        {LUMTREEM_SETHPOS, static_cast<WPARAM>(-2), 0, 0, false},
        {LUMTREEM_SETSTATEBITMAPS, 0, Ptr(noSecond), 0, false},
        {LUMTREEM_SETBUTTONSTRIP, 0, Ptr(font), 0, false},
        {LUMTREEM_SHOWLABELS, 7, 0, 0, false},
    };
    for (auto [msg, wp, lp, result, oom] : cases) {
        CAPTURE(msg);
        Settle(tree);
        const std::string before = state();
        parent.Clear();
        LumFailAllocAfter(oom ? 0 : -1);
        CHECK(Send(tree, msg, wp, lp) == result);
        LumFailAllocAfter(-1);
        CHECK(state() == before);
        CHECK(Repainted(tree, {}));
        for (int code : parent.Codes(tree)) CHECK(code == LUMTREEN_ENDEDIT);
    }
    CHECK(info == nullptr); // never the freed old buffer
}
