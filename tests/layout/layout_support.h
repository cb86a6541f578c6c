// Helpers of the layout tests: fonts and bitmaps of known size, the record of a control, the
// update region and the scroll bars read back from the window.
#pragma once

#include "../support/harness.h"
#include "lumtree/frame/frame.h"

#include <algorithm>
#include <vector>

namespace lt {

inline TreeCtl *Record(HWND tree) {
    return reinterpret_cast<TreeCtl *>(GetWindowLongPtrA(tree, 0));
}

// GDI objects made by a test, deleted when it ends.
class GdiObjects {
public:
    GdiObjects() = default;
    GdiObjects(const GdiObjects &) = delete;
    GdiObjects &operator=(const GdiObjects &) = delete;
    ~GdiObjects() {
        for (HGDIOBJ object : objects_) DeleteObject(object);
    }
    HFONT Font(int height, int weight = FW_NORMAL) {
        return Keep(CreateFontA(height, 0, 0, 0, weight, FALSE, FALSE, FALSE, ANSI_CHARSET,
                                OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                DEFAULT_PITCH | FF_SWISS, "Tahoma"));
    }
    HBITMAP Bitmap(int width, int height) {
        return Keep(CreateBitmap(width, height, 1, 1, nullptr));
    }

private:
    template <class T> T Keep(T object) {
        REQUIRE(object != nullptr);
        objects_.push_back(object);
        return object;
    }
    std::vector<HGDIOBJ> objects_;
};

// The row height of a control with the creation defaults.
inline int RowHeightOfNewControl(Parent &parent) {
    HWND probe = parent.Tree(kChildStyle, 0, 0, 100, 100, 99);
    int rh = static_cast<int>(SendMessageA(probe, LUMTREEM_GETROWHEIGHT, 0, 0));
    DestroyWindow(probe);
    return rh;
}

inline TEXTMETRICA Metrics(HFONT font) {
    TEXTMETRICA tm{};
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font);
    GetTextMetricsA(dc, &tm);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    return tm;
}

// Width of a single-line text as the control measures it.
inline int TextWidthOf(HFONT font, const char *text, UINT format = DT_SINGLELINE) {
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font);
    RECT rc{};
    DrawTextA(dc, text, -1, &rc, DT_CALCRECT | DT_NOPREFIX | format);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    return rc.right - rc.left;
}

inline int Even(int h) {
    return h + h % 2;
}

inline RECT Client(HWND w) {
    RECT rc;
    GetClientRect(w, &rc);
    return rc;
}

// Paints what is pending and validates the rest, so that the next update region shows only
// what the following messages invalidate.
inline void Settle(HWND w) {
    Pump();
    UpdateWindow(w);
    ValidateRect(w, nullptr);
}

// The window's update region.
class UpdateRegion {
public:
    explicit UpdateRegion(HWND w) : rgn_(CreateRectRgn(0, 0, 0, 0)) {
        GetUpdateRgn(w, rgn_, FALSE);
    }
    ~UpdateRegion() { DeleteObject(rgn_); }
    UpdateRegion(const UpdateRegion &) = delete;
    UpdateRegion &operator=(const UpdateRegion &) = delete;
    bool Empty() const {
        RECT box;
        return GetRgnBox(rgn_, &box) == NULLREGION;
    }
    RECT Box() const {
        RECT box{};
        GetRgnBox(rgn_, &box);
        return box;
    }
    bool Has(int x, int y) const { return PtInRegion(rgn_, x, y) != FALSE; }
    // True when the region is exactly the union of the rectangles.
    bool Is(std::initializer_list<RECT> rects) const {
        HRGN expected = CreateRectRgn(0, 0, 0, 0);
        for (const RECT &rc : rects) {
            HRGN part = CreateRectRgnIndirect(&rc);
            CombineRgn(expected, expected, part, RGN_OR);
            DeleteObject(part);
        }
        bool same = EqualRgn(expected, rgn_) != FALSE;
        DeleteObject(expected);
        return same;
    }

private:
    HRGN rgn_;
};

inline SCROLLINFO Bar(HWND w, int bar) {
    SCROLLINFO si{};
    si.cbSize = sizeof(si);
    si.fMask = SIF_ALL;
    if (!GetScrollInfo(w, bar, &si)) si = SCROLLINFO{};
    return si;
}

inline bool BarVisible(HWND w, int bar) {
    LONG style = GetWindowLongA(w, GWL_STYLE);
    return (style & (bar == SB_VERT ? WS_VSCROLL : WS_HSCROLL)) != 0;
}

inline bool BarDisabled(HWND w, int bar) {
    SCROLLBARINFO info{};
    info.cbSize = sizeof(info);
    GetScrollBarInfo(w, bar == SB_VERT ? OBJID_VSCROLL : OBJID_HSCROLL, &info);
    return (info.rgstate[0] & STATE_SYSTEM_UNAVAILABLE) != 0;
}

inline int Count(const std::vector<int> &codes, int code) {
    return static_cast<int>(std::count(codes.begin(), codes.end(), code));
}

// A child window inside the control, as an in-place editor would be: the control then asks
// its parent to end editing before changes.
inline HWND AddEditor(HWND tree) {
    return CreateWindowExA(0, "EDIT", "", WS_CHILD, 0, 0, 10, 10, tree, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
}

inline RECT HeaderRect(HWND tree, int column) {
    RECT rc{-1, -1, -1, -1};
    Send(tree, LUMTREEM_GETCOLUMNHEADERRECT, static_cast<WPARAM>(column), Ptr(&rc));
    return rc;
}

inline RECT LabelRectOf(HWND tree, int item) {
    RECT rc{-1, -1, -1, -1};
    Send(tree, LUMTREEM_GETLABELRECT, static_cast<WPARAM>(item), Ptr(&rc));
    return rc;
}

// The cell rectangle, or all -1 when the control refuses it.
inline RECT CellRectOf(HWND tree, int item, int column) {
    auto *rc = reinterpret_cast<const RECT *>(
        Send(tree, LUMTREEM_GETCELLRECT, static_cast<WPARAM>(item), Ptr(&column)));
    return rc ? *rc : RECT{-1, -1, -1, -1};
}

} // namespace lt

// Rectangles compare by their four edges (global, so that the test framework finds it).
inline bool operator==(const RECT &a, const RECT &b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

namespace doctest {
template <> struct StringMaker<RECT> {
    static String convert(const RECT &rc) {
        char text[64];
        wsprintfA(text, "{%ld, %ld, %ld, %ld}", rc.left, rc.top, rc.right, rc.bottom);
        return text;
    }
};
} // namespace doctest
