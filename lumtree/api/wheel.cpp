// The mouse wheel: every WM_MOUSEWHEEL that reaches a control becomes the matching number of
// WM_VSCROLL line scrolls sent to that control, so that the wheel scrolls exactly as the arrows
// of the scroll bar do (and notifies only when the top item really moves).
#include "api.h"

#include <zmouse.h>

#include <climits>
#include <cstdint>

namespace {

constexpr int kNotch = WHEEL_DELTA; // 120 wheel units

// Process-wide wheel state: rows per notch (read once at load), the control that received the
// previous wheel message and its units not yet turned into rows (-119 ... 119).
UINT linesPerNotch = 3;
HWND lastWheelWindow = nullptr;
int wheelRemainder = 0;

// Whether the platform reports the wheel itself (every current one does); older platforms
// leave it to a wheel driver with its own message interface.
bool NativeWheel() {
    OSVERSIONINFOA info{};
    info.dwOSVersionInfoSize = sizeof(info);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    if (!GetVersionExA(&info)) return false;
#pragma GCC diagnostic pop
    switch (info.dwPlatformId) {
    case VER_PLATFORM_WIN32_WINDOWS:
        return info.dwMajorVersion > 4 || (info.dwMajorVersion == 4 && info.dwMinorVersion != 0);
    case VER_PLATFORM_WIN32_NT: return info.dwMajorVersion >= 4;
    default: return info.dwMajorVersion > 4;
    }
}

} // namespace

void SetupWheel() {
    if (NativeWheel()) {
        UINT lines = 3;
        if (SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &lines, 0)) linesPerNotch = lines;
        return;
    }
    // The wheel driver's window ("MouseZ", "Magellan MSWHEEL") answers its registered
    // "MSH_SCROLL_LINES_MSG"; without the driver the answer is 0 and the wheel never scrolls.
    // Its own roll message is not handled: controls scroll only on WM_MOUSEWHEEL.
    HWND driver = FindWindowA("MouseZ", "Magellan MSWHEEL");
    UINT msg = RegisterWindowMessageA("MSH_SCROLL_LINES_MSG");
    linesPerNotch = msg ? static_cast<UINT>(SendMessageA(driver, msg, 0, 0)) : 3;
}

// The page-scroll setting (WHEEL_PAGESCROLL, "one screen per notch") scrolls one page per
// notch: each whole notch sends SB_PAGEUP or SB_PAGEDOWN instead of that many line scrolls,
// with the same remainder rules. Every other value counts rows (0: the wheel does nothing).
bool OnMouseWheel(TreeCtl *ctl, WPARAM wp) {
    if (LOWORD(wp) != 0) return false; // Ctrl, Shift or a mouse button held: the parent's
    HWND window = ctl->window;
    int carried = 0;
    if (window == lastWheelWindow) {
        carried = wheelRemainder;
    } else {
        lastWheelWindow = window;
    }
    // The sum is taken on 16 bits, as the distance itself is.
    const auto d = static_cast<int16_t>(static_cast<int16_t>(HIWORD(wp)) + carried);
    wheelRemainder = d % kNotch;
    const int notches = d / kNotch;
    const bool pages = linesPerNotch == WHEEL_PAGESCROLL;
    const int n = pages ? notches : notches * static_cast<int>(linesPerNotch);
    const WPARAM up = pages ? SB_PAGEUP : SB_LINEUP, down = pages ? SB_PAGEDOWN : SB_LINEDOWN;
    // The control may be destroyed by a notification of one of the scrolls.
    for (int k = 0; k < (n < 0 ? -n : n) && IsWindow(window); ++k) {
        SendMessageA(window, WM_VSCROLL, n > 0 ? up : down, 0);
    }
    return true;
}
