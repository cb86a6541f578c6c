// WinEvents: the notices that tell accessibility clients what changed. Each one is reported
// only when the platform says some client listens for it.
#include "access.h"

#include "../items/items.h"

void AccessEvent(TreeCtl *ctl, DWORD event, INT i) {
    if (!IsWinEventHookInstalled(event)) return;
    if (event == EVENT_OBJECT_FOCUS && GetFocus() != ctl->window) return;
    NotifyWinEvent(event, ctl->window, OBJID_CLIENT, i < 0 ? CHILDID_SELF : i + 1);
}

void AccessSelectionEvent(TreeCtl *ctl, INT i, bool selected) {
    DWORD event = EVENT_OBJECT_SELECTIONREMOVE;
    if (selected) event = IsMultiSel(ctl) ? EVENT_OBJECT_SELECTIONADD : EVENT_OBJECT_SELECTION;
    AccessEvent(ctl, event, i);
}

namespace {

// Ranges longer than this are reported as one change within the selection.
constexpr INT kEventsPerRange = 16;

} // namespace

void AccessSelectionRangeEvent(TreeCtl *ctl, INT i, bool selected, INT first, INT last) {
    if (last - first < kEventsPerRange) AccessSelectionEvent(ctl, i, selected);
}

void AccessSelectionRangeEnd(TreeCtl *ctl, INT first, INT last) {
    if (last - first >= kEventsPerRange) AccessEvent(ctl, EVENT_OBJECT_SELECTIONWITHIN, kNone);
}

void AccessTextEvent(TreeCtl *ctl, INT i, INT column) {
    AccessEvent(ctl, column == 0 ? EVENT_OBJECT_NAMECHANGE : EVENT_OBJECT_DESCRIPTIONCHANGE, i);
}
