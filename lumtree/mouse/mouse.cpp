// Mouse tracking state.
#include "mouse.h"

#include "../layout/layout.h"

namespace {

constexpr UINT_PTR kAutoscrollTimer = 1;

void StopAutoscroll(TreeCtl *ctl) {
    if (!ctl->scrollTimer) return;
    KillTimer(ctl->window, kAutoscrollTimer);
    ctl->scrollTimer = 0;
}

} // namespace

void EndTracking(TreeCtl *ctl) {
    if (GetCapture() == ctl->window) ReleaseCapture();
    ctl->ignoreMouse = 0;
    StopAutoscroll(ctl);
    if (ctl->cornerTracking) {
        if (ctl->cornerPressed != ctl->cornerSavedPressed) {
            ctl->cornerPressed = ctl->cornerSavedPressed;
            InvalidateCorner(ctl);
        }
        ctl->cornerTracking = FALSE;
    }
    if (ctl->trackedHeader != kNone) {
        ctl->trackedHeader = kNone;
        if (ctl->pressedHeader != ctl->savedPressedHeader) {
            ctl->pressedHeader = ctl->savedPressedHeader;
            InvalidateHeaderBar(ctl);
        }
    }
    if (ctl->pressedButton != kNone) {
        InvalidateRows(ctl, ctl->pressedButton, false, false, true);
        ctl->pressedButton = kNone;
    }
    if (ctl->resizingColumn != kNone) {
        ctl->resizingColumn = kNone;
        if (!IsRectEmpty(&ctl->resizeLine)) {
            HDC dc = GetDC(ctl->window);
            DrawFocusRect(dc, &ctl->resizeLine);
            ReleaseDC(ctl->window, dc);
            SetRectEmpty(&ctl->resizeLine);
        }
    }
    if (ctl->dragArmed) {
        ctl->dragArmed = 0;
        if (ctl->dragging) {
            ctl->dragging = 0;
            Notify(ctl, LUMTREEN_CANCELDRAG);
        }
    }
    ctl->pressedItem = kNone;
    ctl->dropScrolling = 0;
    ctl->buttonDown = 0;
    ctl->labelPressed = 0;
}

// Presses, releases and moves are not interpreted yet: the control takes no capture, arms no
// drag and sends no click codes, and the messages get default processing. The hot tracking of
// WM_MOUSEMOVE is done by the window procedure before it gets here.
bool OnMouseInput(TreeCtl *, UINT, WPARAM, LPARAM) {
    return false;
}

// The drag and press settings (drag mode, drop target, drop-mark mode, drag information,
// select-on-bitmap-click) have no messages yet; their numbers get default processing.
bool MouseMessage(TreeCtl *, UINT, WPARAM, LPARAM, LRESULT *) {
    return false;
}
