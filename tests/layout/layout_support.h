// Helpers of the layout tests: fonts and bitmaps of known size, the control's record, the
// update region and the rectangles read back from the window.
#pragma once

#include "../support/harness.h"
#include "lumtree/frame/frame.h"

#include <algorithm>
#include <tuple>
#include <vector>

namespace lt {

inline constexpr DWORD kPlain = WS_CHILD | WS_VISIBLE;

inline TreeCtl *Record(HWND tree) {
    return reinterpret_cast<TreeCtl *>(GetWindowLongPtrA(tree, 0));
}

// GDI objects made by a test, deleted when it ends.
struct Gdi {
    std::vector<HGDIOBJ> made;
    ~Gdi() {
        for (HGDIOBJ object : made) DeleteObject(object);
    }
    template <class T> T Keep(T object) {
        made.push_back(object);
        return object;
    }
    HFONT Font(int height) {
        return Keep(CreateFontA(height, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0,
                                FF_SWISS, "Tahoma"));
    }
    HBITMAP Bitmap(int width, int height) {
        return Keep(CreateBitmap(width, height, 1, 1, nullptr));
    }
};

inline void SetFont(HWND tree, HFONT font, UINT msg = WM_SETFONT) {
    Send(tree, msg, reinterpret_cast<WPARAM>(font), 0);
}

// The font's metrics, and the width of a text as the control measures it.
inline TEXTMETRICA Metrics(HFONT font, const char *text = nullptr, int *width = nullptr,
                           UINT format = DT_SINGLELINE) {
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font);
    TEXTMETRICA tm{};
    GetTextMetricsA(dc, &tm);
    RECT rc{};
    if (text) DrawTextA(dc, text, -1, &rc, DT_CALCRECT | DT_NOPREFIX | format);
    if (width) *width = rc.right;
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    return tm;
}

inline int TextWidthOf(HFONT font, const char *text, UINT format = DT_SINGLELINE) {
    int width = 0;
    Metrics(font, text, &width, format);
    return width;
}

inline int Even(int h) {
    return h + h % 2;
}

inline int RowHeightOfNewControl(Parent &parent) {
    HWND probe = parent.Tree(kChildStyle, 0, 0, 100, 100, 99);
    int rh = SendI(probe, LUMTREEM_GETROWHEIGHT);
    DestroyWindow(probe);
    return rh;
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

// A child window as an in-place editor: the control then asks its parent to end editing.
inline HWND AddEditor(HWND tree) {
    return CreateWindowExA(0, "EDIT", "", WS_CHILD, 0, 0, 10, 10, tree, nullptr, nullptr, nullptr);
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
