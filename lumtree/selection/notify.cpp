// Notifications to the parent: WM_COMMAND with the control identifier and the code in wParam
// and the control's window in lParam, sent synchronously to the parent of the moment.
#include "selection.h"

#include <initializer_list>

namespace {

// Codes sent only while the window has LUMTREESTYLE_NOTIFY; focus changes, mouse moves,
// releases, drags and column resizing are always reported.
bool IsGated(int code) {
    switch (code) {
    case LUMTREEN_SELCLEAR:
    case LUMTREEN_SELCHANGE:
    case LUMTREEN_CARETCHANGE:
    case LUMTREEN_TOPCHANGE:
    case LUMTREEN_ENDEDIT:
    case LUMTREEN_QUERYENDEDIT:
    case LUMTREEN_HSCROLL:
    case LUMTREEN_TREEWIDTHCHANGE: return true;
    default: break;
    }
    for (int base : {LUMTREEN_LBUTTONDOWN, LUMTREEN_LBUTTONDBLCLK, LUMTREEN_RBUTTONDOWN,
                     LUMTREEN_RBUTTONDBLCLK}) {
        if (code >= base && code <= base + LUMTREEHIT_LABEL) return true;
    }
    return false;
}

} // namespace

void NotifyAlways(TreeCtl *ctl, int code) {
    HWND parent = GetParent(ctl->window);
    if (!parent) return;
    ForgetChildCheck();
    WORD id = static_cast<WORD>(GetDlgCtrlID(ctl->window));
    SendMessageA(parent, WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(ctl->window));
}

void Notify(TreeCtl *ctl, int code) {
    if (IsGated(code) && !HasStyle(ctl, LUMTREESTYLE_NOTIFY)) return;
    NotifyAlways(ctl, code);
}

bool EndEditRequest(TreeCtl *ctl) {
    if (!DrawingLive(ctl) || !HasStyle(ctl, LUMTREESTYLE_NOTIFY) || !GetParent(ctl->window)) {
        return false;
    }
    // Within one message, a window found without a child keeps none until the control calls
    // out to application code (see LumProcess::noChildWindow).
    if (g_lum.childCheckDepth > 0 && g_lum.noChildWindow == ctl->window) return false;
    if (!GetWindow(ctl->window, GW_CHILD)) {
        if (g_lum.childCheckDepth > 0) g_lum.noChildWindow = ctl->window;
        return false;
    }
    NotifyAlways(ctl, LUMTREEN_ENDEDIT);
    return true;
}
