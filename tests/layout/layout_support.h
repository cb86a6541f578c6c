// Helpers of the layout tests: fonts and bitmaps of known size, the control's record, the
// update region and the rectangles the control hands out.
#pragma once

#include "../support/harness.h"
#include "lumtree/frame/frame.h"

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

namespace lt {

inline TreeCtl *Record(HWND tree) {
    return reinterpret_cast<TreeCtl *>(GetWindowLongPtrA(tree, 0));
}

// GDI objects made by a test, deleted when it ends.
struct Gdi {
    std::vector<HGDIOBJ> made;
    ~Gdi() {
        for (HGDIOBJ object : made) DeleteObject(object);
    }
    HFONT Font(int height) {
        made.push_back(CreateFontA(height, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0,
                                   FF_SWISS, "Tahoma"));
        return static_cast<HFONT>(made.back());
    }
    HBITMAP Bitmap(int width, int height) {
        made.push_back(CreateBitmap(width, height, 1, 1, nullptr));
        return static_cast<HBITMAP>(made.back());
    }
};

inline void SetFont(HWND tree, HFONT font, UINT msg = WM_SETFONT) {
    Send(tree, msg, reinterpret_cast<WPARAM>(font), 0);
}

// The font's metrics, and the width of a single-line text as the control measures it.
inline TEXTMETRICA Metrics(HFONT font, const std::string &text = {}, int *width = nullptr) {
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

inline int Even(int h) {
    return h + h % 2;
}

inline RECT Client(HWND w) {
    RECT rc;
    GetClientRect(w, &rc);
    return rc;
}

// Paints what is pending and validates the rest, so that the update region shows what follows.
inline void Settle(HWND w) {
    Pump();
    UpdateWindow(w);
    ValidateRect(w, nullptr);
}

// True when the window's update region is exactly the union of the rectangles.
inline bool Repainted(HWND w, const std::vector<RECT> &rects) {
    HRGN update = CreateRectRgn(0, 0, 0, 0), expected = CreateRectRgn(0, 0, 0, 0);
    GetUpdateRgn(w, update, FALSE);
    for (const RECT &rc : rects) {
        HRGN part = CreateRectRgnIndirect(&rc);
        CombineRgn(expected, expected, part, RGN_OR);
        DeleteObject(part);
    }
    bool same = EqualRgn(expected, update) != FALSE;
    DeleteObject(expected);
    DeleteObject(update);
    return same;
}

// A rectangle the control writes to lParam: header (wParam column), label (item) or corner.
inline RECT RectOf(HWND tree, UINT msg, int index = 0) {
    RECT rc{-1, -1, -1, -1};
    Send(tree, msg, static_cast<WPARAM>(index), Ptr(&rc));
    return rc;
}
inline RECT HeaderRect(HWND tree, int column) {
    return RectOf(tree, LUMTREEM_GETCOLUMNHEADERRECT, column);
}

// The cell rectangle, or all -1 when the control refuses it.
inline RECT CellRectOf(HWND tree, int item, int column) {
    auto *rc = reinterpret_cast<const RECT *>(
        Send(tree, LUMTREEM_GETCELLRECT, static_cast<WPARAM>(item), Ptr(&column)));
    return rc ? *rc : RECT{-1, -1, -1, -1};
}

} // namespace lt

inline bool operator==(const RECT &a, const RECT &b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}
