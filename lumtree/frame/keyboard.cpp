// Keyboard input: which keys the control asks a dialog for, and the keys it acts on.
#include "frame.h"

LRESULT OnGetDlgCode(TreeCtl *ctl, const MSG *msg) {
    constexpr LRESULT kArrows = DLGC_WANTARROWS;
    constexpr LRESULT kAll = DLGC_WANTARROWS | DLGC_WANTALLKEYS;
    if (!msg) return kArrows;
    if (msg->message == WM_KEYDOWN) {
        WPARAM key = msg->wParam;
        if (key == VK_RETURN || (key >= VK_PRIOR && key <= VK_SELECT) || key == VK_ADD ||
            key == VK_SUBTRACT) {
            return kAll;
        }
        if (key == VK_ESCAPE) return (ctl->dragArmed || ctl->dropScrolling) ? kAll : kArrows;
    } else if (msg->message == WM_CHAR) {
        WPARAM ch = msg->wParam;
        if (ch == '\n' || ch == '\r' || ch == '+' || ch == '-') return kAll;
    }
    return kArrows;
}

void OnKeyDown(TreeCtl *, WPARAM) {
    g_lum.keyboardMode = TRUE;
}
