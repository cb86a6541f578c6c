// The extension functions: direct calls on a control given its window, for bulk loading,
// reading the selection in one call, and the display features that have no message (hot
// tracking, the bold caret row, per-item kinds, suspended scroll-bar updates). Each does nothing
// and returns its failure value for a window that is not a control.
#include "api.h"

#include "../items/items.h"

namespace {

LRESULT Send(HWND window, UINT msg, WPARAM wp, LPARAM lp) {
    return SendMessageA(window, msg, wp, lp);
}

WPARAM IndexArg(INT index) {
    return static_cast<WPARAM>(static_cast<INT_PTR>(index));
}

// Drawing off: the item is built directly, without repaint or scroll-bar work; the application
// turns drawing back on with WM_SETREDRAW, which brings the bars up to date.
INT InsertDirect(TreeCtl *ctl, INT index, INT level, const char *text, DWORD_PTR data, DWORD kind) {
    level = level < 0 ? 0 : (level > kMaxLevel ? kMaxLevel : level);
    INT pos = index;
    if (pos < 0 || pos >= ctl->itemCount) {
        pos = ctl->itemCount;
    } else if (!ShowItem(ctl, pos, true)) {
        return kNone;
    }
    ItemTemplate tmpl;
    tmpl.level = static_cast<WORD>(level);
    tmpl.kind = kind;
    INT r = InsertItemCore(ctl, tmpl, pos, text, data);
    if (r < 0) return kNone;
    NoteLevel(ctl, level);
    return r;
}

// The insertion itself, with a text in the control's width.
INT InsertItemIn(HWND window, TreeCtl *ctl, INT index, INT level, const char *text, DWORD_PTR data,
                 DWORD kind) {
    if (!ctl->redrawEnabled) return InsertDirect(ctl, index, level, text, data, kind);
    // Drawing on: the messages, so that the result is exactly that of the message path.
    auto r = static_cast<INT>(
        Send(window, LUMTREEM_INSERTITEM, IndexArg(index), reinterpret_cast<LPARAM>(text)));
    if (r == kNone) return kNone;
    if (!Send(window, LUMTREEM_SETLEVEL, IndexArg(r), level)) {
        Send(window, LUMTREEM_DELETEITEM, IndexArg(r), 0);
        return kNone;
    }
    Send(window, LUMTREEM_SETDATA, IndexArg(r), static_cast<LPARAM>(data));
    // The parent may have answered a notification by changing the list: look again.
    ctl = ControlOf(window);
    if (ctl && ValidIndex(ctl, r)) ItemAt(ctl, r)->kind = kind;
    return r;
}

// The insertion of every text form: a text of the other width than the control's is converted
// first (a conversion that cannot be allocated fails the insertion).
INT InsertItemOfWidth(HWND window, INT index, INT level, const void *caller, bool callerWide,
                      DWORD_PTR data, DWORD kind) {
    TreeCtl *ctl = ControlOf(window);
    if (!ctl) return kNone;
    const char *text = static_cast<const char *>(caller);
    char *converted = nullptr;
    if (text && callerWide != (ctl->wideText != 0)) {
        if (!(converted = TextDupFrom(ctl, text, callerWide))) return kNone;
        text = converted;
    }
    INT r = InsertItemIn(window, ctl, index, level, text, data, kind);
    LumFree(converted);
    return r;
}

} // namespace

extern "C" INT WINAPI LumTreeEx_InsertItem_DLL(HWND window, INT index, INT level, LPCSTR text,
                                               DWORD_PTR data, DWORD kind) {
    return InsertItemOfWidth(window, index, level, text, false, data, kind);
}

extern "C" INT WINAPI LumTreeEx_InsertItemA_DLL(HWND window, INT index, INT level, LPCSTR text,
                                                DWORD_PTR data, DWORD kind) {
    return InsertItemOfWidth(window, index, level, text, false, data, kind);
}

extern "C" INT WINAPI LumTreeEx_InsertItemW_DLL(HWND window, INT index, INT level, LPCWSTR text,
                                                DWORD_PTR data, DWORD kind) {
    return InsertItemOfWidth(window, index, level, text, true, data, kind);
}

extern "C" void WINAPI LumTreeEx_DeleteAllItems_DLL(HWND window) {
    TreeCtl *ctl = ControlOf(window);
    if (!ctl) return;
    ctl->showLines = TRUE;
    DeleteAllItems(ctl, true);
}

extern "C" void WINAPI LumTreeEx_SetItemTrack(HWND window, BOOL track) {
    if (TreeCtl *ctl = ControlOf(window)) ctl->itemTrack = track != 0;
}

extern "C" void WINAPI LumTreeEx_SetItemTrackGlobal(BOOL track) {
    g_lum.globalItemTrack = track != 0;
}

extern "C" BOOL WINAPI LumTreeEx_GetItemTrack(HWND window) {
    TreeCtl *ctl = ControlOf(window);
    return ctl ? ctl->itemTrack : FALSE;
}

extern "C" void WINAPI LumTreeEx_SetBoldCaretFont(HWND window, BOOL bold, BOOL redraw) {
    TreeCtl *ctl = ControlOf(window);
    if (!ctl) return;
    ctl->caretFontOn = bold != 0;
    RebuildDerivedFonts(ctl);
    if (redraw) InvalidateRect(window, nullptr, FALSE);
}

extern "C" DWORD WINAPI LumTreeEx_GetItemKind(HWND window, INT index) {
    TreeCtl *ctl = ControlOf(window);
    return ctl && ValidIndex(ctl, index) ? ItemAt(ctl, index)->kind : 0;
}

extern "C" void WINAPI LumTreeEx_SetItemKind(HWND window, INT index, DWORD kind) {
    TreeCtl *ctl = ControlOf(window);
    if (ctl && ValidIndex(ctl, index)) ItemAt(ctl, index)->kind = kind;
}

// The bars are not brought up to date here: the next update after re-enabling does it.
extern "C" void WINAPI LumTreeEx_EnableScrollBarUpdate(HWND window, INT bar, BOOL enable) {
    TreeCtl *ctl = ControlOf(window);
    if (!ctl) return;
    const BOOL off = enable == 0;
    if (bar == SB_HORZ || bar == SB_BOTH) ctl->horzBarUpdateOff = off;
    if (bar == SB_VERT || bar == SB_BOTH) ctl->vertBarUpdateOff = off;
}

// Each buffer, when given, must hold itemCount entries; at most that many are written.
extern "C" INT WINAPI LumTreeEx_GetItemsEx(HWND window, BOOL selectedOnly, BOOL withDescendants,
                                           INT *indexes, DWORD_PTR *datas) {
    TreeCtl *ctl = ControlOf(window);
    if (!ctl) return kNone;
    INT n = 0;
    auto take = [&](INT i) {
        if (indexes) indexes[n] = i;
        if (datas) datas[n] = ItemAt(ctl, i)->data;
        ++n;
    };
    for (INT i = 0; i < ctl->itemCount; ++i) {
        if (selectedOnly && !(ItemAt(ctl, i)->flags & kItemSelected)) continue;
        take(i);
        if (!withDescendants) continue;
        // A taken item brings all its descendants, selected or not.
        for (INT end = SubtreeEnd(ctl, i); i + 1 < end;) take(++i);
    }
    return n;
}
