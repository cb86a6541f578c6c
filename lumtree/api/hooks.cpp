// Application registration and the in-place editing hooks. An application that places a child
// window inside a control (an editor over an item) keeps the keyboard focus there; the control
// then sees neither the clicks elsewhere nor Tab, Alt and Escape. The per-thread mouse and
// keyboard hooks installed by LumTree_RegisterApp2 see them and ask the control's parent to end
// the editing (LUMTREEN_QUERYENDEDIT, LUMTREEN_ENDEDIT).
#include "api.h"

namespace {

// One pair of hooks per process, on the thread that registered the application.
HHOOK mouseHook = nullptr;
HHOOK keyboardHook = nullptr;

// The first child of a control that may end its editing: the control needs the notify style
// and a parent; null when the parent is not to be asked.
HWND EditorOf(HWND control, HWND *parent) {
    *parent = GetParent(control);
    if (!*parent || !(GetWindowLongA(control, GWL_STYLE) & LUMTREESTYLE_NOTIFY)) return nullptr;
    return GetWindow(control, GW_CHILD);
}

void SendCode(HWND control, HWND parent, int code) {
    WORD id = static_cast<WORD>(GetDlgCtrlID(control));
    SendMessageA(parent, WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(control));
}

// Orders the end of editing (LUMTREEN_ENDEDIT) when there is an editor to end.
void OrderEndEdit(HWND control) {
    HWND parent;
    if (EditorOf(control, &parent)) SendCode(control, parent, LUMTREEN_ENDEDIT);
}

// Asks the parent whether editing may end (LUMTREEN_QUERYENDEDIT). True when editing goes on:
// the question was asked and the editor is still a window with a parent afterwards. Without
// the notify style, a parent or an editor, editing counts as ended.
bool EditingGoesOn(HWND control) {
    HWND parent;
    HWND editor = EditorOf(control, &parent);
    if (!editor) return false;
    SendCode(control, parent, LUMTREEN_QUERYENDEDIT);
    return IsWindow(editor) && GetParent(editor);
}

bool IsControl(HWND window) {
    return GetPropA(window, kControlProp) != nullptr;
}

LRESULT CALLBACK MouseHookProc(int code, WPARAM wp, LPARAM lp) {
    if (code < 0) return CallNextHookEx(mouseHook, code, wp, lp);
    if (code == HC_ACTION) {
        switch (wp) {
        case WM_NCLBUTTONDOWN:
        case WM_NCRBUTTONDOWN:
        case WM_NCMBUTTONDOWN:
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN: {
            HWND target = reinterpret_cast<const MOUSEHOOKSTRUCT *>(lp)->hwnd;
            if (LumTree_ProcessMouseMessage(target, FALSE, 8)) return 1; // the press is lost
            break;
        }
        default: break;
        }
    }
    return CallNextHookEx(mouseHook, code, wp, lp);
}

LRESULT CALLBACK KeyboardHookProc(int code, WPARAM key, LPARAM flags) {
    if (code < 0) return CallNextHookEx(keyboardHook, code, key, flags);
    LRESULT r = CallNextHookEx(keyboardHook, code, key, flags);
    if (HIWORD(flags) & KF_MENUMODE) return 0; // a menu is tracking: hands off
    if (r != 0 || code != HC_ACTION || (flags & 0x80000000)) return r;
    switch (key) {
    case VK_TAB:
    case VK_MENU: return LumTree_ProcessKeyboardMessage(FALSE, TRUE);
    case VK_ESCAPE: return LumTree_ProcessKeyboardMessage(TRUE, FALSE);
    default: return r;
    }
}

void Unhook(HHOOK *hook) {
    if (*hook) UnhookWindowsHookEx(*hook);
    *hook = nullptr;
}

} // namespace

// Registers the private class for the application and hooks the calling thread. A second call
// keeps the hooks already installed rather than installing another pair.
extern "C" BOOL WINAPI LumTree_RegisterApp2(HINSTANCE instance) {
    WNDCLASSA wc{};
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = LumTree_WndProc;
    wc.cbWndExtra = sizeof(TreeCtl *);
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.lpszClassName = LUMTREE_PRIVATECLASSNAMEA;
    WNDCLASSA existing;
    ATOM atom = RegisterClassA(&wc);
    if (!atom)
        atom = static_cast<ATOM>(GetClassInfoA(instance, LUMTREE_PRIVATECLASSNAMEA, &existing));
    if (!atom) {
        Trace("lumtree", __LINE__, "MarvikTreeControl32 (private) could not be registered");
        return FALSE;
    }
    NoteControlClass(atom, true);
    const DWORD thread = GetCurrentThreadId();
    if (!mouseHook && !(mouseHook = SetWindowsHookExA(WH_MOUSE, MouseHookProc, instance, thread))) {
        Trace("lumtree", __LINE__, "WH_MOUSE hook cannot be installed\r\n");
        return FALSE;
    }
    if (!keyboardHook &&
        !(keyboardHook = SetWindowsHookExA(WH_KEYBOARD, KeyboardHookProc, instance, thread))) {
        // The mouse hook stays; LumTree_UnregisterApp2 removes it.
        Trace("lumtree", __LINE__, "WH_KEYBOARD hook cannot be installed\r\n");
        return FALSE;
    }
    return TRUE;
}

// Removes the hooks; the private class stays registered until the process ends.
extern "C" void WINAPI LumTree_UnregisterApp2(HINSTANCE) {
    Unhook(&mouseHook);
    Unhook(&keyboardHook);
}

// A press on `window` while the focus is in a child of a control: 1 discards the press. The
// press passes when the focus is not inside a control, when it lands on the control's own
// children (the editor itself included), or on a window between the focus and the control.
extern "C" BOOL WINAPI LumTree_ProcessMouseMessage(HWND window, BOOL endEdit, INT hitCode) {
    HWND focus = GetFocus();
    if (!focus || focus == window) return FALSE;
    const LONG style = GetWindowLongA(window, GWL_STYLE);
    if (hitCode == 2) {
        if (style & WS_POPUP) return FALSE;
    } else if ((style & WS_CHILD) && GetParent(window) == GetDesktopWindow()) {
        return FALSE;
    }
    HWND control = GetParent(focus);
    for (; control && !IsControl(control); control = GetParent(control)) {
        if (control == window) return FALSE;
    }
    if (!control || IsChild(control, window)) return FALSE;
    if (endEdit) {
        OrderEndEdit(control);
        return FALSE;
    }
    return EditingGoesOn(control);
}

// Tab, Alt (tabOrAlt set) or Escape (endEdit set) while the focus is in a child or grandchild
// of a control: 1 discards the key. Tab and Alt pass when the control carries "TabOK"; they are
// discarded whether or not the editing ended, Escape always.
extern "C" BOOL WINAPI LumTree_ProcessKeyboardMessage(BOOL endEdit, BOOL tabOrAlt) {
    HWND focus = GetFocus();
    HWND control = focus ? GetParent(focus) : nullptr;
    if (!control) return FALSE;
    if (!IsControl(control)) {
        control = GetParent(control);
        if (!control || !IsControl(control)) return FALSE;
    }
    if (tabOrAlt && GetPropA(control, kTabOkProp)) return FALSE;
    if (endEdit) {
        OrderEndEdit(control);
        return TRUE;
    }
    return EditingGoesOn(control) || tabOrAlt;
}
