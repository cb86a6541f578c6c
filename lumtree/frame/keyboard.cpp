// Keyboard input: which keys the control asks a dialog for, and the keys it acts on. Keys move
// the caret through the shown items with the selection steps; Enter and the numeric-pad plus
// and minus only report to the parent, which decides what to do.
#include "frame.h"

#include "../items/items.h"
#include "../mouse/mouse.h"
#include "../selection/selection.h"

#include <algorithm>

namespace {

bool KeyHeld(int key) {
    return (GetKeyState(key) & 0x8000) != 0;
}

// Keys suppress the hot-track highlight until the mouse moves again. The highlighted row of
// this control is repainted at once, so the highlight does not linger under a moving caret.
void EnterKeyboardMode(TreeCtl *ctl) {
    bool wasMouseMode = !g_lum.keyboardMode;
    g_lum.keyboardMode = TRUE;
    if (wasMouseMode && g_lum.trackWindow == ctl->window && g_lum.trackIndex != kNone) {
        InvalidateRect(ctl->window, &g_lum.trackRect, TRUE);
    }
}

// With LUMTREESTYLE_WANTKEYBOARDINPUT the parent sees every key first (WM_VKEYTOITEM). Returns
// the item the plus and minus keys test, or -1 when the parent took the key or answered with
// something that is neither -1 nor an item.
INT AskParentForKey(TreeCtl *ctl, WPARAM key) {
    HWND parent = GetParent(ctl->window);
    if (!HasStyle(ctl, LUMTREESTYLE_WANTKEYBOARDINPUT) || !parent) return ctl->caret;
    WPARAM wp = MAKEWPARAM(LOWORD(key), LOWORD(ctl->caret));
    ForgetChildCheck();
    auto answer = static_cast<INT>(
        SendMessageA(parent, WM_VKEYTOITEM, wp, reinterpret_cast<LPARAM>(ctl->window)));
    if (answer == -1) return ctl->caret;
    return ValidIndex(ctl, answer) ? answer : kNone;
}

// The item a movement key goes to, from the caret's position among the shown items; -1 for
// keys that do not move and for a list without shown items.
INT MoveTarget(const TreeCtl *ctl, WPARAM key) {
    if (ctl->shownCount < 1) return kNone;
    const INT pos = ShownRowOf(ctl, ctl->caret);
    const INT last = ctl->shownCount - 1;
    switch (key) {
    case VK_PRIOR: return ItemAtRow(ctl, std::max(0, pos - ctl->fullRows));
    case VK_NEXT: return ItemAtRow(ctl, std::min(pos + ctl->fullRows, last));
    case VK_END: return ItemAtRow(ctl, last);
    case VK_HOME: return ItemAtRow(ctl, 0);
    case VK_LEFT:
    case VK_UP: return ItemAtRow(ctl, std::max(0, pos - 1));
    case VK_RIGHT:
    case VK_DOWN: return ItemAtRow(ctl, std::min(pos + 1, last));
    default: return kNone;
    }
}

void MoveByKey(TreeCtl *ctl, INT target) {
    if (ctl->dragArmed || ctl->dropScrolling) {
        // While a drag is being prepared or the drop target scrolls, only the caret follows.
        CaretStep(ctl, target);
        return;
    }
    if (target == ctl->caret) return;
    SelectionStepByMode(ctl, target, true, KeyHeld(VK_SHIFT), KeyHeld(VK_CONTROL));
}

// Plus asks the parent to expand a collapsed key item, minus to collapse an expanded one, with
// the notification of a click on the expand button.
void AskExpand(TreeCtl *ctl, INT keyItem, bool expand) {
    if (ctl->itemCount < 1 || !ValidIndex(ctl, keyItem)) return;
    if (IsExpanded(ctl, keyItem) != expand)
        NotifyAlways(ctl, LUMTREEN_LBUTTONDOWN + LUMTREEHIT_BUTTON);
}

} // namespace

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

void OnKeyDown(TreeCtl *ctl, WPARAM key) {
    EnterKeyboardMode(ctl);
    if (ctl->caret == kNone) return;
    const INT keyItem = AskParentForKey(ctl, key);
    if (keyItem == kNone) return;
    switch (key) {
    case VK_RETURN: NotifyAlways(ctl, LUMTREEN_LBUTTONDBLCLK + LUMTREEHIT_ITEM); break;
    case VK_ESCAPE:
        if (ctl->dragArmed || ctl->dropScrolling) EndTracking(ctl);
        break;
    case VK_ADD: AskExpand(ctl, keyItem, true); break;
    case VK_SUBTRACT: AskExpand(ctl, keyItem, false); break;
    default:
        if (INT target = MoveTarget(ctl, key); target != kNone) MoveByKey(ctl, target);
        break;
    }
    // The rows the key invalidated are painted before the message returns.
    UpdateWindow(ctl->window);
}
