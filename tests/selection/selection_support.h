// Helpers of the selection tests: a focused control of flat items, key presses with modifiers,
// the selection as a list, and a spy that lists the rows the control repainted.
#pragma once

#include "../support/harness.h"

#include <algorithm>

namespace lt {

using Codes = std::vector<int>;
constexpr int X = LUMTREEN_SELCLEAR, S = LUMTREEN_SELCHANGE, C = LUMTREEN_CARETCHANGE,
              T = LUMTREEN_TOPCHANGE, E = LUMTREEN_ENDEDIT;

struct Keyed {
    Parent parent;
    HWND tree;
    explicit Keyed(DWORD style, int n = 12, int height = 200)
        : tree(parent.Tree(style, 0, 0, 200, height)) {
        AddFlat(tree, n);
        SetFocus(tree);
    }
    // The notifications of one key press; WM_KEYDOWN reads Shift and Ctrl with GetKeyState.
    Codes Press(WPARAM key, bool shift = false, bool ctrl = false) {
        Modifiers held(shift, ctrl);
        parent.Clear();
        Send(tree, WM_KEYDOWN, key, 1);
        return parent.Codes(tree);
    }
    int Caret() const { return SendI(tree, LUMTREEM_GETCARET); }
    Codes Selected() const {
        Codes out;
        for (int i = 0, n = SendI(tree, LUMTREEM_GETCOUNT); i < n; ++i) {
            if (SendI(tree, LUMTREEM_ISSELECTED, static_cast<WPARAM>(i)) == 1) out.push_back(i);
        }
        return out;
    }
};

// Collects the update regions of one control's WM_PAINTs (one spy at a time).
struct PaintSpy {
    HWND tree;
    static inline HRGN painted = CreateRectRgn(0, 0, 0, 0);
    static inline WNDPROC old = nullptr;
    explicit PaintSpy(HWND w) : tree(w) {
        old = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(w, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Proc)));
        Reset();
    }
    ~PaintSpy() { SetWindowLongPtrA(tree, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(old)); }
    void Reset() {
        UpdateWindow(tree);
        SetRectRgn(painted, 0, 0, 0, 0);
    }
    // The screen rows wholly repainted since Reset, after pending paints; -1 at the end when
    // anything else was painted too.
    Codes Rows() const {
        UpdateWindow(tree);
        RECT rc, box;
        GetClientRect(tree, &rc);
        const int h = SendI(tree, LUMTREEM_GETROWHEIGHT);
        HRGN rest = CreateRectRgn(0, 0, 0, 0), row = CreateRectRgn(0, 0, 0, 0),
             left = CreateRectRgn(0, 0, 0, 0);
        CombineRgn(rest, painted, nullptr, RGN_COPY);
        Codes rows;
        for (int r = 0; r * h < rc.bottom; ++r) {
            SetRectRgn(row, 0, r * h, rc.right, std::min<int>((r + 1) * h, rc.bottom));
            if (CombineRgn(left, row, painted, RGN_DIFF) != NULLREGION) continue;
            rows.push_back(r);
            CombineRgn(rest, rest, row, RGN_DIFF);
        }
        if (GetRgnBox(rest, &box) != NULLREGION) rows.push_back(-1);
        for (HRGN rgn : {rest, row, left}) DeleteObject(rgn);
        return rows;
    }
    static LRESULT CALLBACK Proc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
        if (msg == WM_PAINT && wp == 0) {
            HRGN update = CreateRectRgn(0, 0, 0, 0);
            GetUpdateRgn(w, update, FALSE);
            CombineRgn(painted, painted, update, RGN_OR);
            DeleteObject(update);
        }
        return CallWindowProcA(old, w, msg, wp, lp);
    }
};

} // namespace lt

// Code and index lists appear in failure messages as "{6, 5}".
template <> struct doctest::StringMaker<std::vector<int>> {
    static String convert(const std::vector<int> &values) {
        String out = "{";
        for (size_t i = 0; i < values.size(); ++i) out += (i ? ", " : "") + toString(values[i]);
        return out + "}";
    }
};
