// Support for the rendering tests: a control with known colours, a memory canvas, pixel probes
// placed by the geometry routines, and a test picture.
#pragma once

#include "../support/harness.h"
#include "lumtree/api/api.h"
#include "lumtree/items/items.h"
#include "lumtree/layout/layout.h"
#include "lumtree/render/gdi.h"
#include "lumtree/render/render.h"

#include <climits>
#include <string>
#include <utility>
#include <vector>

namespace rt {

// Every entry of the colour table gets a colour no system colour uses, so that every pixel
// says who painted it.
constexpr COLORREF Entry(int k) {
    return RGB(20 + 9 * k, 200 - 7 * k, 60 + 5 * k);
}
inline constexpr COLORREF kBack = Entry(LUMTREECOLOR_BACK), kText = Entry(LUMTREECOLOR_TEXT);
inline constexpr COLORREF kGray = Entry(LUMTREECOLOR_GRAYTEXT), kAuto = LUMTREE_AUTOCOLOR;
inline constexpr COLORREF kSelBack = Entry(LUMTREECOLOR_SELBACK);
inline constexpr COLORREF kSelText = Entry(LUMTREECOLOR_SELTEXT);
inline constexpr COLORREF kBlack = 0, kWhite = RGB(255, 255, 255), kMagenta = RGB(128, 0, 128);

inline void RegisterClassOnce() {
    static const bool done = LoadLibraryState(GetModuleHandleA(nullptr));
    REQUIRE(done);
}

// A 32-bit top-down DIB section filled with one colour, selected into a memory DC.
struct Canvas {
    int width, height;
    HDC dc = CreateCompatibleDC(nullptr);
    DWORD *bits = nullptr;
    HBITMAP bitmap;
    HGDIOBJ old;
    Canvas(int w, int h, COLORREF fill = kWhite) : width(w), height(h) {
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
    // The picture, no longer the canvas's.
    HBITMAP Take() {
        SelectObject(dc, old);
        return std::exchange(bitmap, nullptr);
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
inline HBITMAP SquareBitmap(int w, int h, COLORREF ink) {
    Canvas c(w, h, kMagenta);
    RECT inner{1, 1, w - 1, h - 1};
    FillRect(c.dc, &inner, gdi::SolidBrush(ink).get());
    return c.Take();
}

// An expectation on a picture: between lo and hi pixels of a colour inside a rectangle.
struct Probe {
    RECT at;
    COLORREF colour;
    int lo, hi;
};
using Probes = std::vector<Probe>;
inline const auto Area = [](RECT r) { return (r.right - r.left) * (r.bottom - r.top); };
inline const auto At = [](int x, int y, COLORREF c, bool there = true) {
    return Probe{RECT{x, y, x + 1, y + 1}, c, there, there};
};
inline const auto None = [](RECT r, COLORREF c) { return Probe{r, c, 0, 0}; };
inline const auto Some = [](RECT r, COLORREF c) { return Probe{r, c, 3, INT_MAX}; }; // a stroke
inline const auto All = [](RECT r, COLORREF c) { return Probe{r, c, Area(r), Area(r)}; };
inline void Check(const lt::Pixels &px, const Probes &probes, const std::string &what = "") {
    for (const Probe &p : probes) {
        const int n = px.Count(p.at, p.colour);
        INFO(what << ": " << p.colour << " at " << p.at.left << "," << p.at.top << ": " << n);
        CHECK((n >= p.lo && n <= p.hi));
    }
}

// A control with known colours (all but the drop mark) in a parent window.
struct Tree {
    lt::Parent parent{440, 340};
    HWND hwnd;
    TreeCtl *ctl;
    COLORREF table[LUMTREE_COLORCOUNT];

    explicit Tree(int width = 320, int height = 200) {
        RegisterClassOnce();
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
    // Columns of the given widths and formats, with titles; only while the list is empty.
    void Columns(std::initializer_list<std::pair<int, DWORD>> widths,
                 std::initializer_list<const char *> titles = {}) const {
        std::vector<TreeColumnInfo> info;
        for (auto [width, format] : widths) info.push_back({width, format, 0, nullptr});
        REQUIRE(Send(LUMTREEM_SETCOLUMNINFO, info.size(), lt::Ptr(info.data())) == 1);
        int c = 0;
        for (const char *title : titles) Text(-1, c++, title);
    }
    // A cell's text (item -1: the column's title), set through the text column.
    void Text(INT item, INT column, const char *text) const {
        Send(LUMTREEM_SETTEXTCOLUMN, column);
        Send(item < 0 ? LUMTREEM_SETCOLUMNTITLE : LUMTREEM_SETTEXT, item < 0 ? 0 : item,
             lt::Ptr(text));
        Send(LUMTREEM_SETTEXTCOLUMN, 0);
    }
    // The control's own column records, which an application may change in place.
    TreeColumn *LiveColumns() const {
        TreeColumn *columns = nullptr;
        Send(LUMTREEM_GETCOLUMNS, 0, lt::Ptr(&columns));
        return columns;
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
    // The part of a row left of its text, and the row's middle pixel row.
    RECT Part(INT i) const {
        const RECT r = Row(i);
        return {r.left, r.top, Cell(i, 0).left, r.bottom};
    }
    int Mid(INT i) const { return (Row(i).top + Row(i).bottom) / 2; }
};

// The process's hot-track state: the mouse over row i of a window (none: null), tracking on.
inline void Track(HWND window, INT i) {
    g_lum.trackWindow = window;
    g_lum.trackIndex = i;
    g_lum.keyboardMode = FALSE;
    g_lum.globalItemTrack = window != nullptr;
}

} // namespace rt
