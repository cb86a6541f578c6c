// The mouse wheel: notches and fine steps turned into line scrolls, the remainder kept per
// control, the decline on keys and buttons, the system's lines-per-notch setting (read again
// here after changing it for this process) and the page-scroll setting.
#include "../support/harness.h"
#include "lumtree/api/api.h"

#include <algorithm>

using namespace lt;

namespace {

const bool loaded = LoadLibraryState(GetModuleHandleA(nullptr));

std::vector<int> scrolls; // wParam of each WM_VSCROLL the control received
WNDPROC original = nullptr;
LRESULT CALLBACK RecordScrolls(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_VSCROLL) scrolls.push_back(static_cast<int>(wp));
    return CallWindowProcA(original, w, msg, wp, lp);
}

void UseLines(UINT lines) {
    SystemParametersInfoA(SPI_SETWHEELSCROLLLINES, lines, nullptr, 0);
    SetupWheel();
}

struct Scene {
    Parent parent;
    HWND a, b;
    int parentWheels = 0;
    Scene() {
        REQUIRE(loaded);
        a = parent.Tree(kNotifyStyle | WS_VSCROLL, 0, 0, 150, 150, 1);
        b = parent.Tree(kNotifyStyle | WS_VSCROLL, 200, 0, 150, 150, 2);
        AddFlat(a, 60);
        AddFlat(b, 60);
        original = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(a, GWLP_WNDPROC));
        SetWindowLongPtrA(a, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&RecordScrolls));
        parent.onMessage = [this](UINT msg, WPARAM, LPARAM, LRESULT *) {
            parentWheels += msg == WM_MOUSEWHEEL;
            return false;
        };
        Send(a, LUMTREEM_SETTOPINDEX, 20);
        scrolls.clear();
        parent.Clear();
    }
    // One wheel message to w; the WM_VSCROLL codes it caused.
    std::vector<int> Wheel(HWND w, int delta, WORD keys = 0) {
        scrolls.clear();
        LRESULT r = Send(w, WM_MOUSEWHEEL, MAKEWPARAM(keys, static_cast<WORD>(delta)), 0);
        CHECK(r == 0);
        return scrolls;
    }
    int Top() const { return SendI(a, LUMTREEM_GETTOPINDEX); }
};

constexpr int Up = SB_LINEUP, Down = SB_LINEDOWN;

} // namespace

TEST_CASE("notches, fine steps and the remainder of each control") {
    UINT saved = 3;
    SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &saved, 0);
    UseLines(3);
    Scene s;
    CHECK(s.Wheel(s.a, 120) == Codes{Up, Up, Up});
    CHECK(s.Top() == 17);
    CHECK(s.Wheel(s.a, -240) == Codes(6, Down));
    CHECK(s.Top() == 23);
    // A fine wheel of 40 units scrolls on every third message; the sign of the remainder
    // follows the sum.
    CHECK(s.Wheel(s.a, 40) == Codes{});
    CHECK(s.Wheel(s.a, 40) == Codes{});
    CHECK(s.Wheel(s.a, 40) == Codes{Up, Up, Up});
    CHECK(s.Wheel(s.a, -40) == Codes{});
    CHECK(s.Wheel(s.a, 200) == Codes{Up, Up, Up}); // -40 + 200 = 160: one notch, 40 kept
    CHECK(s.Wheel(s.a, 80) == Codes{Up, Up, Up});
    // Another control drops the remainder: A 80, B, A 40 scrolls nothing.
    CHECK(s.Wheel(s.a, 80) == Codes{});
    s.Wheel(s.b, 40);
    CHECK(s.Wheel(s.a, 40) == Codes{});
    // Keys or buttons held: declined, the parent gets the wheel, and nothing changes: A keeps
    // its 40 even across a declined message to B.
    CHECK(s.Wheel(s.b, 120, MK_SHIFT) == Codes{});
    CHECK(s.Wheel(s.a, 120, MK_CONTROL) == Codes{});
    CHECK(s.parentWheels == 2);
    CHECK(s.Wheel(s.a, 80) == Codes{Up, Up, Up});
    CHECK(s.parentWheels == 2);

    // Zero lines per notch: handled, nothing scrolls. Page scrolling: a page per notch.
    UseLines(0);
    CHECK(s.Wheel(s.a, 360) == Codes{});
    UseLines(WHEEL_PAGESCROLL);
    const int top = s.Top();
    CHECK(s.Wheel(s.a, -240) == Codes{SB_PAGEDOWN, SB_PAGEDOWN});
    CHECK(s.Top() == top + 2 * SendI(s.a, LUMTREEM_GETFULLROWS));
    CHECK(s.parentWheels == 2);
    UseLines(saved);
}

TEST_CASE("the wheel notifies only when the top item really moves") {
    UseLines(3);
    Scene s;
    PlaceEditor(s.a);
    Send(s.a, LUMTREEM_SETTOPINDEX, 0);
    s.parent.Clear();
    s.Wheel(s.a, 120); // at the top already
    CHECK(s.parent.Codes(s.a) == Codes{});
    s.Wheel(s.a, -120);
    CHECK(s.Top() == 3);
    const Codes codes = s.parent.Codes(s.a);
    CHECK(std::count(codes.begin(), codes.end(), LUMTREEN_TOPCHANGE) == 3);
    Send(s.a, LUMTREEM_SETTOPINDEX, 59);
    const int last = s.Top();
    s.parent.Clear();
    s.Wheel(s.a, -120); // at the bottom already
    CHECK(s.parent.Codes(s.a) == Codes{});
    CHECK(s.Top() == last);
}
