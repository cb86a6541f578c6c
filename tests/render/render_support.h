// Support for the rendering tests: a 32-bit canvas to draw into, the control's record for the
// tests that set fields the messages do not reach, known colours, test bitmaps, and a PNG dump
// of what was drawn (LUMTREE_DUMP=dir) for looking at a failure.
#pragma once

#include "../support/harness.h"
#include "examples/png.h"
#include "lumtree/api/api.h"
#include "lumtree/items/items.h"
#include "lumtree/layout/layout.h"
#include "lumtree/frame/gdi.h"
#include "lumtree/render/render.h"

#include <cstdlib>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

namespace rt {

inline void RegisterClassOnce() {
    static const bool done = LoadLibraryState(GetModuleHandleA(nullptr));
    REQUIRE(done);
}

inline TreeCtl *Ctl(HWND tree) {
    TreeCtl *ctl = FindCtl(tree);
    REQUIRE(ctl != nullptr);
    return ctl;
}

// Colours no system colour uses, so that every pixel says who painted it.
inline constexpr COLORREF kBack = RGB(250, 250, 235);
inline constexpr COLORREF kText = RGB(0, 0, 150);
inline constexpr COLORREF kSelBack = RGB(190, 20, 20);
inline constexpr COLORREF kSelText = RGB(255, 255, 0);
inline constexpr COLORREF kGray = RGB(130, 120, 110);
inline constexpr COLORREF kMagenta = RGB(128, 0, 128);

// A 32-bit top-down canvas selected into a memory DC.
struct Canvas {
    int width, height;
    HDC dc = nullptr;
    HBITMAP bitmap = nullptr;
    HGDIOBJ old = nullptr;
    DWORD *bits = nullptr;
    Canvas(int w, int h, COLORREF fill = RGB(255, 255, 255)) : width(w), height(h) {
        BITMAPINFO bi{};
        bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
        bi.bmiHeader.biWidth = w;
        bi.bmiHeader.biHeight = -h;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        dc = CreateCompatibleDC(nullptr);
        void *p = nullptr;
        bitmap = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &p, nullptr, 0);
        bits = static_cast<DWORD *>(p);
        old = SelectObject(dc, bitmap);
        RECT all{0, 0, w, h};
        HBRUSH b = CreateSolidBrush(fill);
        FillRect(dc, &all, b);
        DeleteObject(b);
    }
    ~Canvas() {
        SelectObject(dc, old);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
    Canvas(const Canvas &) = delete;
    Canvas &operator=(const Canvas &) = delete;
    COLORREF At(int x, int y) const {
        GdiFlush();
        DWORD v = bits[static_cast<size_t>(y) * width + x];
        return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
    }
};

// Where a colour first and last appears inside a rectangle of a picture (a canvas or captured
// pixels): the leftmost and rightmost column, the top row; -1 when it does not appear.
template <class Image> int Count(const Image &img, const RECT &rc, COLORREF c) {
    int n = 0;
    for (int y = rc.top; y < rc.bottom; ++y) {
        for (int x = rc.left; x < rc.right; ++x) n += img.At(x, y) == c;
    }
    return n;
}
template <class Image> int FirstX(const Image &img, const RECT &rc, COLORREF c) {
    for (int x = rc.left; x < rc.right; ++x) {
        if (Count(img, RECT{x, rc.top, x + 1, rc.bottom}, c)) return x;
    }
    return -1;
}
template <class Image> int LastX(const Image &img, const RECT &rc, COLORREF c) {
    for (int x = rc.right - 1; x >= rc.left; --x) {
        if (Count(img, RECT{x, rc.top, x + 1, rc.bottom}, c)) return x;
    }
    return -1;
}
template <class Image> int FirstY(const Image &img, const RECT &rc, COLORREF c) {
    for (int y = rc.top; y < rc.bottom; ++y) {
        if (Count(img, RECT{rc.left, y, rc.right, y + 1}, c)) return y;
    }
    return -1;
}

// Writes pixels to $LUMTREE_DUMP/<name>.png when that variable is set.
inline void Dump(const lt::Pixels &px, const char *name) {
    const char *dir = std::getenv("LUMTREE_DUMP");
    if (!dir) return;
    std::vector<uint32_t> argb;
    for (COLORREF c : px.bits)
        argb.push_back((GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c));
    png::WritePng((std::string(dir) + "/" + name + ".png").c_str(), px.width, px.height, argb);
}

// A w x h bitmap in the screen's format: dark magenta everywhere, a solid square of `ink`
// from (1, 1) to (w - 2, h - 2).
inline HBITMAP SquareBitmap(int w, int h, COLORREF ink) {
    HDC screen = GetDC(nullptr);
    HBITMAP bmp = CreateCompatibleBitmap(screen, w, h);
    ReleaseDC(nullptr, screen);
    HDC mem = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(mem, bmp);
    RECT all{0, 0, w, h}, inner{1, 1, w - 1, h - 1};
    HBRUSH m = CreateSolidBrush(kMagenta), i = CreateSolidBrush(ink);
    FillRect(mem, &all, m);
    FillRect(mem, &inner, i);
    DeleteObject(m);
    DeleteObject(i);
    SelectObject(mem, old);
    DeleteDC(mem);
    return bmp;
}

} // namespace rt

namespace rt {

// A control with known colours in a parent window, for painting tests that reach the record
// directly where no message sets a field.
struct Tree {
    lt::Parent parent{440, 340};
    HWND hwnd = nullptr;
    TreeCtl *ctl = nullptr;
    COLORREF table[LUMTREE_COLORCOUNT];

    explicit Tree(DWORD style = lt::kChildStyle, int width = 300, int height = 200) {
        RegisterClassOnce();
        hwnd = parent.Tree(style, 0, 0, width, height);
        ctl = Ctl(hwnd);
        for (COLORREF &c : table) c = LUMTREE_AUTOCOLOR;
        table[LUMTREECOLOR_BACK] = kBack;
        table[LUMTREECOLOR_TEXT] = kText;
        table[LUMTREECOLOR_GRAYTEXT] = kGray;
        table[LUMTREECOLOR_SELBACK] = kSelBack;
        table[LUMTREECOLOR_SELTEXT] = kSelText;
        SetColors();
    }
    void SetColor(int entry, COLORREF c) {
        table[entry] = c;
        SetColors();
    }
    void SetColors() { lt::Send(hwnd, LUMTREEM_SETCOLORS, 0, lt::Ptr(table)); }
    LRESULT Send(UINT msg, WPARAM wp = 0, LPARAM lp = 0) const {
        return lt::Send(hwnd, msg, wp, lp);
    }
    // Columns of the given widths and formats, with titles; only while the list is empty.
    void Columns(std::initializer_list<std::pair<int, DWORD>> widths,
                 std::initializer_list<const char *> titles = {}) {
        std::vector<TreeColumnInfo> info;
        for (auto [width, format] : widths) info.push_back({width, format, 0, nullptr});
        REQUIRE(Send(LUMTREEM_SETCOLUMNINFO, info.size(), lt::Ptr(info.data())) == 1);
        int c = 0;
        for (const char *title : titles) {
            Send(LUMTREEM_SETTEXTCOLUMN, c++);
            Send(LUMTREEM_SETCOLUMNTITLE, 0, lt::Ptr(title));
        }
        Send(LUMTREEM_SETTEXTCOLUMN, 0);
    }
    // Text of an item in a column, through the text column as an application sets it.
    void Text(INT item, INT column, const char *text) const {
        Send(LUMTREEM_SETTEXTCOLUMN, column);
        REQUIRE(Send(LUMTREEM_SETTEXT, item, lt::Ptr(text)) == 1);
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
    void LabelAttr(INT item, const TreeLabelAttr &attr) const {
        TreeLabelAttrRequest request{LUMTREE_ATTRVERSION, item, attr};
        REQUIRE(Send(LUMTREEM_SETLABELATTR, 0, lt::Ptr(&request)) == 1);
    }
    // Labels of a style in a column 40 pixels wide.
    void Labels(UINT style) const {
        Send(LUMTREEM_SHOWLABELS, style);
        Send(LUMTREEM_SETLABELWIDTH, 40);
    }
    lt::Pixels Paint(const char *dumpName = nullptr) const {
        lt::Pixels px = lt::PrintClient(hwnd);
        if (dumpName) Dump(px, dumpName);
        return px;
    }
    RECT Row(INT i) const {
        RECT rc{};
        RowRect(ctl, i, &rc);
        return rc;
    }
    RECT Cell(INT i, INT column) const {
        RECT rc{};
        CellRect(ctl, i, column, &rc);
        return rc;
    }
    // y of the dotted horizontal line inside a row: the middle, made even.
    int MidY() const {
        int m = ctl->rowHeight / 2;
        return m + m % 2;
    }
};

inline constexpr COLORREF kAuto = LUMTREE_AUTOCOLOR;
// Cell and label attributes with only some colours given.
inline TreeCellAttr CellColours(COLORREF back, COLORREF text = kAuto, COLORREF selBack = kAuto,
                                COLORREF selText = kAuto) {
    return TreeCellAttr{back, text, selBack, selText, nullptr, nullptr, 0};
}

inline RECT Inset(RECT rc, int dx, int dy) {
    return RECT{rc.left + dx, rc.top + dy, rc.right - dx, rc.bottom - dy};
}

} // namespace rt
