// Selection and caret: the selected flags, the caret, and the two selection steps through
// which the mouse and the keyboard change them with notifications.
#include "selection.h"

#include "../access/access.h"
#include "../items/items.h"
#include "../layout/layout.h"

#include <algorithm>

namespace {

bool HasFocus(const TreeCtl *ctl) {
    return GetFocus() == ctl->window;
}

// Sets or clears the selected flag of one item and repaints its row, labels included.
void SetSelectedFlag(TreeCtl *ctl, INT i, bool selected) {
    TreeItem *item = ItemAt(ctl, i);
    if (((item->flags & kItemSelected) != 0) != selected) {
        item->flags ^= kItemSelected;
        ctl->selectedCount += selected ? 1 : -1;
        AccessSelectionEvent(ctl, i, selected);
    }
    InvalidateRows(ctl, i, false, true, true);
}

// The caret step of a selection step. Before the caret moves elsewhere, the focus rectangle is
// taken off the old caret row and the caret is set to -1, so that the caret step always moves
// (and reports). -1 is a caret value only inside the step: should the move be refused (an item
// that cannot be shown), the caret goes back to where it was.
void MoveCaretInStep(TreeCtl *ctl, INT n) {
    const INT oldCaret = ctl->caret;
    if (oldCaret >= 0 && oldCaret != n && HasFocus(ctl)) {
        InvalidateRows(ctl, oldCaret, false, false, true);
        ctl->caret = kNone;
    }
    CaretStep(ctl, n);
    if (ctl->caret == kNone && oldCaret >= 0) {
        // Items the parent deleted meanwhile did not move a caret of -1: the old caret is kept
        // inside the list.
        ctl->caret = std::min(oldCaret, std::max(ctl->itemCount - 1, 0));
        InvalidateRows(ctl, ctl->caret, false, false, true);
    }
}

// Clears the selected flag of every item outside [lo, hi]. The selected items outside are
// searched for from the range outwards in both directions at once, and the search stops once
// the count says none are left: a step beside a small selection does not read the whole list.
void ClearSelectionOutside(TreeCtl *ctl, INT lo, INT hi) {
    auto selected = [ctl](INT i) { return (ItemAt(ctl, i)->flags & kItemSelected) != 0; };
    INT left = ctl->selectedCount;
    for (INT i = lo; i <= hi; ++i) left -= selected(i);
    INT first = lo, last = hi;
    while (left > 0 && (first > 0 || last < ctl->itemCount - 1)) {
        if (first > 0) left -= selected(--first);
        if (left > 0 && last < ctl->itemCount - 1) left -= selected(++last);
    }
    SetSelectedFlags(ctl, first, lo - 1, false);
    SetSelectedFlags(ctl, hi + 1, last, false);
}

} // namespace

void SetSelectedFlags(TreeCtl *ctl, INT first, INT last, bool selected) {
    first = std::max(first, 0);
    last = std::min(last, ctl->itemCount - 1);
    if (first > last) return;
    // Only the items from the top row to the last row in view can be on the screen; asking the
    // row invalidation about them alone keeps a step over a long list linear.
    INT viewFirst = ctl->topIndex, viewLast = kNone;
    if (DrawingLive(ctl)) {
        viewLast = ItemAtScreenRow(ctl, ctl->pageRows - 1);
        if (viewLast < 0) viewLast = ctl->itemCount - 1;
    }
    const DWORD want = selected ? kItemSelected : 0;
    for (INT i = first; i <= last; ++i) {
        TreeItem *item = ItemAt(ctl, i);
        if ((item->flags & kItemSelected) == want) continue;
        item->flags ^= kItemSelected;
        ctl->selectedCount += selected ? 1 : -1;
        AccessSelectionRangeEvent(ctl, i, selected, first, last);
        if (i >= viewFirst && i <= viewLast) InvalidateRows(ctl, i, false, true, true);
    }
    AccessSelectionRangeEnd(ctl, first, last);
}

INT SetSelection(TreeCtl *ctl, INT n) {
    if (IsMultiSel(ctl) || n < kNone || n >= ctl->itemCount) return -1;
    if (n == ctl->selection) return 0;
    if (ctl->selection != kNone) {
        SetSelectedFlag(ctl, ctl->selection, false);
        ctl->selection = kNone;
    }
    if (n == kNone) return 0;
    if (!ShowItem(ctl, n, true)) return -1;
    ctl->selection = n;
    SetSelectedFlag(ctl, n, true);
    return 0;
}

INT SetCaret(TreeCtl *ctl, INT n) {
    if (n < 0 || n > ctl->itemCount || (n == ctl->itemCount && n != 0)) return -1;
    if (n < ctl->itemCount && !ShowItem(ctl, n, true)) return -1;
    if (n == ctl->caret) return 0;
    // Scrolling n into view notifies the parent, which may change the list: n may then name
    // another item or none, and the move is refused.
    const UINT version = ctl->listVersion;
    EnsureVisible(ctl, n);
    if (ctl->listVersion != version) return -1;
    bool focus = HasFocus(ctl);
    if (focus && ctl->caret >= 0) InvalidateRows(ctl, ctl->caret, false, false, true);
    ctl->caret = n;
    if (focus) InvalidateRows(ctl, n, false, false, true);
    if (n < ctl->itemCount) AccessEvent(ctl, EVENT_OBJECT_FOCUS, n);
    return 0;
}

void CaretStep(TreeCtl *ctl, INT n) {
    if (n == ctl->caret) return;
    SetCaret(ctl, n);
    Notify(ctl, LUMTREEN_CARETCHANGE);
}

void SingleSelectionStep(TreeCtl *ctl, INT n, bool extend, bool /*keep*/) {
    if (!ValidIndex(ctl, n)) return;
    if (ctl->anchor < 0 || !extend) ctl->anchor = n;
    if (!IsMultiSel(ctl) && n != ctl->selection && ctl->selection != kNone) {
        SetSelection(ctl, kNone);
        Notify(ctl, LUMTREEN_SELCLEAR);
    }
    MoveCaretInStep(ctl, n);
    // The parent may have changed the mode or the selection while handling the notifications,
    // so both are read again.
    if (!IsMultiSel(ctl) && n != ctl->selection && SetSelection(ctl, n) == 0) {
        Notify(ctl, LUMTREEN_SELCHANGE);
    }
}

void MultipleSelectionStep(TreeCtl *ctl, INT n, bool select, bool extend, bool keep) {
    if (!IsMultiSel(ctl) || !ValidIndex(ctl, n)) return;
    INT lo = n, hi = n;
    bool clearOthers = true;
    if (extend && ctl->anchor >= 0 && ctl->caret >= 0) {
        lo = std::min(n, ctl->anchor);
        hi = std::max(n, ctl->anchor);
        clearOthers = !keep;
    } else if (keep && !extend) {
        clearOthers = false;
    }
    if (ctl->anchor < 0 || !extend) ctl->anchor = n;
    if (clearOthers) ClearSelectionOutside(ctl, lo, hi);
    MoveCaretInStep(ctl, n);
    SetSelectedFlags(ctl, lo, hi, select);
    Notify(ctl, LUMTREEN_SELCHANGE);
}

void SelectionStepByMode(TreeCtl *ctl, INT n, bool select, bool extend, bool keep) {
    if (IsMultiSel(ctl)) {
        MultipleSelectionStep(ctl, n, select, extend, keep);
    } else {
        SingleSelectionStep(ctl, n, extend, keep);
    }
}

void InvalidateSelectedRowsInView(TreeCtl *ctl) {
    if (!DrawingLive(ctl) || ctl->itemCount == 0) return;
    INT i = ctl->topIndex;
    if (!ItemShown(ctl, i)) i = NextShown(ctl, i);
    for (INT rows = 0; i >= 0 && rows <= ctl->pageRows; ++rows, i = NextShown(ctl, i)) {
        if (ItemAt(ctl, i)->flags & kItemSelected) InvalidateRows(ctl, i, false, false, true);
    }
}
