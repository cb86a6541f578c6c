// The window procedure: finds the record, handles the messages that come before everything
// else, the standard messages, the private messages (each subsystem answers its own), the
// messages passed on to the parent, and default processing.
#include "frame.h"

#include "../access/access.h"
#include "../api/api.h"
#include "../items/items.h"
#include "../layout/layout.h"
#include "../mouse/mouse.h"
#include "../render/render.h"
#include "../selection/selection.h"

namespace {

constexpr UINT kFirstPrivate = WM_USER + 5;
constexpr UINT kLastPrivate = WM_USER + 190;
constexpr char kTabProp[] = "TabOK";
// WM_CTLCOLOR of 16-bit child windows; the 32-bit headers no longer name it.
constexpr UINT kWmCtlColor = 0x0019;

bool IsPassedToParent(UINT msg) {
    switch (msg) {
    case kWmCtlColor:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_DELETEITEM:
    case WM_VKEYTOITEM:
    case WM_COMPAREITEM:
    case WM_NOTIFY:
    case WM_COMMAND:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC: return true;
    default: return false;
    }
}

// Messages of the frame itself: the item count, passing messages on to the parent and the
// interception of Tab and Alt by the keyboard hook.
bool FrameMessage(TreeCtl *ctl, UINT msg, WPARAM wp, LRESULT *result) {
    switch (msg) {
    case LUMTREEM_GETCOUNT: *result = ctl->itemCount; return true;
    case LUMTREEM_GETFORWARDTOPARENT: *result = ctl->forwardToParent; return true;
    case LUMTREEM_SETFORWARDTOPARENT:
        ctl->forwardToParent = wp != 0;
        *result = 0;
        return true;
    case LUMTREEM_GETTABINTERCEPT: *result = GetPropA(ctl->window, kTabProp) ? 0 : 1; return true;
    case LUMTREEM_SETTABINTERCEPT:
        if (wp == 0) {
            SetPropA(ctl->window, kTabProp, reinterpret_cast<HANDLE>(1));
        } else {
            RemovePropA(ctl->window, kTabProp);
        }
        *result = 0;
        return true;
    default: return false;
    }
}

bool PrivateMessage(TreeCtl *ctl, UINT msg, WPARAM wp, LPARAM lp, LRESULT *result) {
    return FrameMessage(ctl, msg, wp, result) || ItemsMessage(ctl, msg, wp, lp, result) ||
           SelectionMessage(ctl, msg, wp, lp, result) || LayoutMessage(ctl, msg, wp, lp, result) ||
           RenderMessage(ctl, msg, wp, lp, result) || MouseMessage(ctl, msg, wp, lp, result);
}

// The rows that show the focus differently: the caret row always, and the selected rows in
// view when the selection looks different without the focus.
void InvalidateFocusRows(TreeCtl *ctl) {
    if (ctl->caret != kNone) InvalidateRows(ctl, ctl->caret, false, false, true);
    if (ctl->inactiveSelectionStyle >= 1 && ctl->inactiveSelectionStyle <= 3) {
        InvalidateSelectedRowsInView(ctl);
    }
}

void OnSetFocus(TreeCtl *ctl) {
    if (HWND child = GetWindow(ctl->window, GW_CHILD)) SetFocus(child);
    InvalidateFocusRows(ctl);
    if (ctl->itemCount > 0) AccessEvent(ctl, EVENT_OBJECT_FOCUS, ctl->caret);
    NotifyAlways(ctl, LUMTREEN_SETFOCUS);
}

void OnKillFocus(TreeCtl *ctl) {
    EndTracking(ctl);
    InvalidateFocusRows(ctl);
    NotifyAlways(ctl, LUMTREEN_KILLFOCUS);
}

// The resize cursor over a column divider in the header bar.
bool OnSetCursor(TreeCtl *ctl) {
    POINT pt;
    GetCursorPos(&pt);
    ScreenToClient(ctl->window, &pt);
    if (!ctl->showHeader || !ctl->columnResizeOn) return false;
    RECT bar = HeaderBarRect(ctl);
    if (!PtInRect(&bar, pt) || DividerAt(ctl, pt.x) == kNone) return false;
    SetCursor(ctl->resizeCursor);
    return true;
}

void OnMouseMoveHotTrack(TreeCtl *ctl, LPARAM lp) {
    POINT pt{static_cast<int16_t>(LOWORD(lp)), static_cast<int16_t>(HIWORD(lp))};
    if (pt.x == g_lum.lastMouse.x && pt.y == g_lum.lastMouse.y) return;
    g_lum.lastMouse = pt;
    g_lum.keyboardMode = FALSE;
    INT item = static_cast<INT>(
        SendSelf(ctl, LUMTREEM_ITEMORENDFROMPOINT, 0, reinterpret_cast<LPARAM>(&pt)));
    if (g_lum.trackWindow == ctl->window && g_lum.trackIndex == item) return;
    ClearHotTrack();
    SetHotTrack(ctl, item);
    // The highlight leaves with the pointer: WM_MOUSELEAVE clears it.
    TRACKMOUSEEVENT leave{sizeof(leave), TME_LEAVE, ctl->window, 0};
    TrackMouseEvent(&leave);
}

// The pointer left the client area: no row stays highlighted, and the next move anywhere
// counts as a new position.
void OnMouseLeave(TreeCtl *ctl) {
    if (g_lum.trackWindow != ctl->window) return;
    ClearHotTrack();
    g_lum.lastMouse = POINT{-1, -1};
}

void OnPaint(TreeCtl *ctl, WPARAM wp) {
    if (wp) {
        PaintControl(ctl, reinterpret_cast<HDC>(wp), nullptr);
        return;
    }
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(ctl->window, &ps);
    PaintControl(ctl, dc, &ps.rcPaint);
    EndPaint(ctl->window, &ps);
}

// Standard messages the control handles itself; false leaves the message to what follows.
bool StandardMessage(TreeCtl *ctl, UINT msg, WPARAM wp, LPARAM lp, LRESULT *result) {
    *result = 0;
    switch (msg) {
    case WM_CREATE:
        ctl->wideText = CreatorWantsWideText(ctl->window);
        if (!OnCreate(ctl, reinterpret_cast<const CREATESTRUCTA *>(lp))) *result = -1;
        return true;
    // The text width: the common controls' Unicode-format messages, and the parent's request
    // to ask it again for the form it wants.
    case LUMTREEM_SETUNICODEFORMAT:
        *result = ctl->wideText;
        SetTextWidth(ctl, wp != 0);
        return true;
    case LUMTREEM_GETUNICODEFORMAT: *result = ctl->wideText; return true;
    case WM_NOTIFYFORMAT:
        if (lp == NF_REQUERY) SetTextWidth(ctl, CreatorWantsWideText(ctl->window));
        *result = ctl->wideText ? NFR_UNICODE : NFR_ANSI;
        return true;
    case WM_DESTROY: OnDestroy(ctl); return true;
    case WM_SIZE: OnSize(ctl, wp, lp); return true;
    case WM_SETFOCUS: OnSetFocus(ctl); return true;
    case WM_KILLFOCUS: OnKillFocus(ctl); return true;
    case WM_ENABLE:
        EndEditRequest(ctl);
        InvalidateAll(ctl);
        return true;
    case WM_SETREDRAW:
        EndEditRequest(ctl);
        ctl->redrawEnabled = wp != 0;
        if (wp) {
            UpdateVScrollBar(ctl);
            UpdateHScrollBar(ctl);
        }
        return true;
    case WM_PAINT:
    case WM_PRINTCLIENT: OnPaint(ctl, wp); return true;
    case WM_CLOSE:
        if (HWND parent = GetParent(ctl->window)) SendMessageA(parent, WM_COMMAND, IDCANCEL, 0);
        return true;
    case WM_SHOWWINDOW:
        EndEditRequest(ctl);
        ctl->windowShown = wp != 0;
        if (wp) {
            UpdateVScrollBar(ctl);
            UpdateHScrollBar(ctl);
        }
        return true;
    case WM_CANCELMODE: EndTracking(ctl); return true;
    case WM_GETOBJECT: return AccessGetObject(ctl, wp, lp, result);
    case WM_SETCURSOR:
        if (!OnSetCursor(ctl)) return false;
        *result = 1;
        return true;
    case WM_SETFONT:
        ApplyItemFont(ctl, reinterpret_cast<HFONT>(wp));
        if (lp) InvalidateAll(ctl);
        return true;
    case WM_GETFONT: *result = reinterpret_cast<LRESULT>(ctl->itemFont); return true;
    case WM_GETDLGCODE: *result = OnGetDlgCode(ctl, reinterpret_cast<const MSG *>(lp)); return true;
    case WM_KEYDOWN: OnKeyDown(ctl, wp); return true;
    case WM_CHAR: return true;
    case WM_HSCROLL: OnHScroll(ctl, wp, lp); return true;
    case WM_VSCROLL: OnVScroll(ctl, wp, lp); return true;
    case WM_MOUSEMOVE: OnMouseMoveHotTrack(ctl, lp); return OnMouseInput(ctl, msg, wp, lp);
    case WM_MOUSELEAVE: OnMouseLeave(ctl); return true;
    case WM_CAPTURECHANGED: return OnMouseInput(ctl, msg, wp, lp);
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK: return OnMouseInput(ctl, msg, wp, lp);
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK: return OnMouseInput(ctl, msg, wp, lp);
    case WM_MOUSEWHEEL: return OnMouseWheel(ctl, wp);
    default: return false;
    }
}

} // namespace

LRESULT SendSelf(TreeCtl *ctl, UINT msg, WPARAM wp, LPARAM lp) {
    return LumTree_WndProc(ctl->window, msg, wp, lp);
}

void ClearHotTrack() {
    if (g_lum.trackWindow && IsWindow(g_lum.trackWindow)) {
        g_lum.trackIndex = kNone;
        InvalidateRect(g_lum.trackWindow, &g_lum.trackRect, TRUE);
    }
    g_lum.trackIndex = kNone;
}

void SetHotTrack(TreeCtl *ctl, INT index) {
    g_lum.trackWindow = ctl->window;
    g_lum.trackIndex = index;
    g_lum.trackRect = RECT{};
    SendSelf(ctl, LUMTREEM_GETITEMRECT, static_cast<WPARAM>(index),
             reinterpret_cast<LPARAM>(&g_lum.trackRect));
    InvalidateRect(ctl->window, &g_lum.trackRect, TRUE);
}

extern "C" LRESULT WINAPI LumTree_WndProc(HWND window, UINT msg, WPARAM wp, LPARAM lp) {
    TreeCtl *ctl = FindCtl(window);
    if (!ctl) {
        if (msg != WM_NCCREATE && msg != WM_GETMINMAXINFO) return 0;
        if (!AllocateRecord(window)) return 0;
        return DefWindowProcA(window, msg, wp, lp);
    }
    if ((msg == g_lum.lostCursorMsg && msg != 0) || msg == WM_NCMOUSEMOVE) {
        ClearHotTrack();
        return 0;
    }
    if (msg == WM_ERASEBKGND) return 1;

    LRESULT result = 0;
    if (StandardMessage(ctl, msg, wp, lp, &result)) return result;
    if (msg >= kFirstPrivate && msg <= kLastPrivate) {
        // The end-edit request's answer is kept for the length of this message only.
        struct ChildCheckScope {
            ChildCheckScope() {
                ForgetChildCheck();
                ++g_lum.childCheckDepth;
            }
            ~ChildCheckScope() {
                ForgetChildCheck();
                --g_lum.childCheckDepth;
            }
        } scope;
        if (PrivateMessage(ctl, msg, wp, lp, &result)) return result;
        return DefWindowProcA(window, msg, wp, lp);
    }
    if (IsPassedToParent(msg)) {
        HWND parent = GetParent(window);
        if (ctl->forwardToParent && parent) {
            ForgetChildCheck();
            return SendMessageA(parent, msg, wp, lp);
        }
        return DefWindowProcA(window, msg, wp, lp);
    }
    if (msg == WM_NCDESTROY) FreeRecord(ctl);
    return DefWindowProcA(window, msg, wp, lp);
}
