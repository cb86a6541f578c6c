// Helpers of the selection and keyboard tests: keys with modifiers, the selection as a list,
// and a spy that records which rows the control repainted.
#pragma once

#include "../support/harness.h"

#include <vector>

namespace lt {

using Codes = std::vector<int>;
using Items = std::vector<int>;

// Presses a key with the given modifiers held (WM_KEYDOWN reads them with GetKeyState).
inline void Key(HWND tree, WPARAM key, bool shift = false, bool ctrl = false) {
    Modifiers held(shift, ctrl);
    Send(tree, WM_KEYDOWN, key, 1);
}

// Every item whose selected flag is set, ascending.
inline Items SelectedOf(HWND tree) {
    Items out;
    for (int i = 0, n = SendI(tree, LUMTREEM_GETCOUNT); i < n; ++i) {
        if (SendI(tree, LUMTREEM_ISSELECTED, static_cast<WPARAM>(i)) == 1) out.push_back(i);
    }
    return out;
}

inline int Caret(HWND tree) {
    return SendI(tree, LUMTREEM_GETCARET);
}

// Subclasses a control (without header bar and row labels) and collects the update region of
// every WM_PAINT it gets.
class PaintSpy {
public:
    explicit PaintSpy(HWND tree) : tree_(tree), painted_(CreateRectRgn(0, 0, 0, 0)) {
        SetPropA(tree, kProp, this);
        old_ = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(tree, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Proc)));
        Reset();
    }
    ~PaintSpy() {
        SetWindowLongPtrA(tree_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(old_));
        RemovePropA(tree_, kProp);
        DeleteObject(painted_);
    }
    // Paints what is pending, then forgets what was painted.
    void Reset() {
        UpdateWindow(tree_);
        SetRectRgn(painted_, 0, 0, 0, 0);
    }
    // Whether screen row r was repainted after pending paints are done: wholly, or in part.
    bool Row(int r, bool wholly = true) const {
        UpdateWindow(tree_);
        RECT rc;
        GetClientRect(tree_, &rc);
        int h = SendI(tree_, LUMTREEM_GETROWHEIGHT);
        rc.top = r * h;
        rc.bottom = rc.top + h;
        if (!wholly) return RectInRegion(painted_, &rc) != 0;
        HRGN piece = CreateRectRgnIndirect(&rc);
        bool covered = CombineRgn(piece, piece, painted_, RGN_DIFF) == NULLREGION;
        DeleteObject(piece);
        return covered;
    }
    bool Nothing() const { return Painted() == NULLREGION; }

private:
    static constexpr char kProp[] = "LumTreeTestPaintSpy";
    int Painted() const {
        UpdateWindow(tree_);
        RECT box;
        return GetRgnBox(painted_, &box);
    }
    static LRESULT CALLBACK Proc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
        auto *self = static_cast<PaintSpy *>(GetPropA(w, kProp));
        if (msg == WM_PAINT && wp == 0) {
            HRGN update = CreateRectRgn(0, 0, 0, 0);
            GetUpdateRgn(w, update, FALSE);
            CombineRgn(self->painted_, self->painted_, update, RGN_OR);
            DeleteObject(update);
        }
        return CallWindowProcA(self->old_, w, msg, wp, lp);
    }
    HWND tree_;
    HRGN painted_;
    WNDPROC old_ = nullptr;
};

} // namespace lt

// Code and index lists appear in failure messages as "{6, 5}".
namespace doctest {
template <> struct StringMaker<std::vector<int>> {
    static String convert(const std::vector<int> &values) {
        String out = "{";
        for (size_t i = 0; i < values.size(); ++i) out += (i ? ", " : "") + toString(values[i]);
        return out + "}";
    }
};
} // namespace doctest
