// Selection and caret.
#include "selection.h"

#include "../items/items.h"
#include "../layout/layout.h"

namespace {

bool HasFocus(const TreeCtl *ctl) {
    return GetFocus() == ctl->window;
}

void SetSelectedFlag(TreeCtl *ctl, INT i, bool selected) {
    TreeItem *item = ItemAt(ctl, i);
    item->flags = selected ? (item->flags | kItemSelected) : (item->flags & ~kItemSelected);
    InvalidateRows(ctl, i, false, true, true);
}

} // namespace

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
    EnsureVisible(ctl, n);
    bool focus = HasFocus(ctl);
    if (focus && ctl->caret >= 0) InvalidateRows(ctl, ctl->caret, false, false, true);
    ctl->caret = n;
    if (focus) InvalidateRows(ctl, n, false, false, true);
    return 0;
}

void CaretStep(TreeCtl *ctl, INT n) {
    if (n == ctl->caret) return;
    SetCaret(ctl, n);
    Notify(ctl, LUMTREEN_CARETCHANGE);
}

void InvalidateSelectedRowsInView(TreeCtl *ctl) {
    if (!DrawingLive(ctl) || ctl->itemCount == 0) return;
    INT i = ctl->topIndex;
    if (!ItemShown(ctl, i)) i = NextShown(ctl, i);
    for (INT rows = 0; i >= 0 && rows <= ctl->pageRows; ++rows, i = NextShown(ctl, i)) {
        if (ItemAt(ctl, i)->flags & kItemSelected) InvalidateRows(ctl, i, false, false, true);
    }
}

bool SelectionMessage(TreeCtl *, UINT, WPARAM, LPARAM, LRESULT *) {
    return false;
}
