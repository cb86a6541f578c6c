// The mouse wheel: notches and fine steps turned into line scrolls, the remainder kept per
// control, the decline on keys and buttons, and the lines-per-notch setting.
#include "../support/harness.h"
#include "lumtree/api/api.h"

#include <algorithm>
#include <cstdlib>

using namespace lt;

namespace {

const bool loaded = LoadLibraryState(GetModuleHandleA(nullptr));

std::vector<int> scrolls; // wParam of each WM_VSCROLL control a received
WNDPROC original = nullptr;
LRESULT CALLBACK RecordScrolls(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_VSCROLL) scrolls.push_back(static_cast<int>(wp));
    return CallWindowProcA(original, w, msg, wp, lp);
}

void UseLines(UINT lines) {
    SystemParametersInfoA(SPI_SETWHEELSCROLLLINES, lines, nullptr, 0);
    SetupWheel();
}

constexpr int Up = SB_LINEUP, Down = SB_LINEDOWN;

} // namespace

TEST_CASE("wheel: notches, fine steps, the remainder per control, declines, pages, notices") {
    REQUIRE(loaded);
    UINT saved = 3;
    SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &saved, 0);
    UseLines(3);
    Parent parent;
    HWND a = parent.Tree(kNotifyStyle | WS_VSCROLL, 0, 0, 150, 150, 1);
    HWND b = parent.Tree(kNotifyStyle | WS_VSCROLL, 200, 0, 150, 150, 2);
    AddFlat(a, 60);
    AddFlat(b, 60);
    original = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(a, GWLP_WNDPROC));
    // Both controls report their scrolls: a remainder carried over to the other one shows.
    for (HWND w : {a, b})
        SetWindowLongPtrA(w, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&RecordScrolls));
    int parentWheels = 0;
    parent.onMessage = [&](UINT msg, WPARAM, LPARAM, LRESULT *) {
        parentWheels += msg == WM_MOUSEWHEEL;
        return false;
    };
    auto wheel = [&](HWND w, int delta, WORD keys = 0) {
        scrolls.clear();
        CHECK(Send(w, WM_MOUSEWHEEL, MAKEWPARAM(keys, static_cast<WORD>(delta))) == 0);
        return scrolls;
    };
    Send(a, LUMTREEM_SETTOPINDEX, 20);
    // lines > 0 scroll up, < 0 down. A fine wheel's remainder keeps the sign of the sum; a
    // message to another control drops it, a declined one (keys held) keeps it.
    // clang-format off
    const struct { HWND w; int delta; WORD keys; int lines; } steps[] = {
        {a, 120, 0, 3}, {a, -240, 0, -6}, {a, 40, 0, 0}, {a, 40, 0, 0}, {a, 40, 0, 3},
        {a, -40, 0, 0}, {a, 200, 0, 3}, {a, 80, 0, 3}, {a, 80, 0, 0}, {b, 40, 0, 0},
        {a, 40, 0, 0}, {b, 120, MK_SHIFT, 0}, {a, 120, MK_CONTROL, 0}, {a, 80, 0, 3}};
    // clang-format on
    for (const auto &s : steps) {
        CAPTURE(s.delta);
        CHECK(wheel(s.w, s.delta, s.keys) == Codes(std::abs(s.lines), s.lines > 0 ? Up : Down));
    }
    CHECK(SendI(a, LUMTREEM_GETTOPINDEX) == 11);
    CHECK(parentWheels == 2);

    UseLines(0); // handled, nothing scrolls
    CHECK(wheel(a, 360) == Codes{});
    UseLines(WHEEL_PAGESCROLL);
    CHECK(wheel(a, -240) == Codes{SB_PAGEDOWN, SB_PAGEDOWN});
    CHECK(SendI(a, LUMTREEM_GETTOPINDEX) == 11 + 2 * SendI(a, LUMTREEM_GETFULLROWS));

    // The control notifies only when its top item really moves.
    UseLines(3);
    PlaceEditor(a);
    Send(a, LUMTREEM_SETTOPINDEX, 0);
    parent.Clear();
    wheel(a, 120); // at the top already
    CHECK(parent.Codes(a) == Codes{});
    parent.Clear();
    wheel(a, -120);
    const Codes codes = parent.Codes(a);
    CHECK((std::count(codes.begin(), codes.end(), LUMTREEN_TOPCHANGE) == 3 && parentWheels == 2));
    UseLines(saved);
}
