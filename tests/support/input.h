// Real input for tests: the pointer moved and buttons and keys pressed through the system's
// input queue, as a user makes them, then let through to the windows.
#pragma once

#include "harness.h"

namespace lt {

// Lets injected input arrive and be dispatched on this thread.
inline void Settle() {
    for (int k = 0; k < 5; ++k) Sleep(10), Pump();
}

// A click at a point in a window's client area (left or right button).
inline void RealClick(HWND w, int x, int y, bool right = false) {
    POINT pt{x, y};
    ClientToScreen(w, &pt);
    SetCursorPos(pt.x, pt.y);
    Settle();
    mouse_event(right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
    mouse_event(right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
    Settle();
}

inline void RealKey(BYTE vk) {
    keybd_event(vk, 0, 0, 0);
    keybd_event(vk, 0, KEYEVENTF_KEYUP, 0);
    Settle();
}

} // namespace lt
