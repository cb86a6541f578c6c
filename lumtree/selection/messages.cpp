// The application's selection and caret messages. None of them notifies the parent (the show
// path of LUMTREEM_SETSELECTION and LUMTREEM_SETCARET may still ask for the end of editing),
// and none moves the caret or the anchor except LUMTREEM_SETCARET.
#include "selection.h"

#include "../items/items.h"

#include <algorithm>

namespace {

bool Selected(const TreeCtl *ctl, INT i) {
    return (ItemAt(ctl, i)->flags & kItemSelected) != 0;
}

// LUMTREEM_SELECTITEM: one item, or every item for -1.
INT SelectItem(TreeCtl *ctl, INT i, bool select) {
    if (!IsMultiSel(ctl) || i < kNone || i >= ctl->itemCount) return -1;
    if (i == kNone) {
        SetSelectedFlags(ctl, 0, ctl->itemCount - 1, select);
    } else {
        SetSelectedFlags(ctl, i, i, select);
    }
    return 0;
}

// LUMTREEM_SELECTRANGE: first and last are unsigned 16-bit indexes; a first above the last
// changes nothing.
INT SelectRange(TreeCtl *ctl, LPARAM lp, bool select) {
    INT first = LOWORD(lp), last = HIWORD(lp);
    if (!IsMultiSel(ctl) || !ValidIndex(ctl, first) || !ValidIndex(ctl, last)) return -1;
    SetSelectedFlags(ctl, first, last, select);
    return 0;
}

INT SelectedCount(const TreeCtl *ctl) {
    return IsMultiSel(ctl) ? ctl->selectedCount : -1;
}

// LUMTREEM_GETSELITEMS: the lowest selected indexes, ascending, at most capacity of them.
INT SelectedItems(const TreeCtl *ctl, INT capacity, INT *out) {
    if (!IsMultiSel(ctl) || capacity < 1 || !out) return -1;
    INT n = 0;
    const INT wanted = std::min(capacity, ctl->selectedCount);
    for (INT i = 0; i < ctl->itemCount && n < wanted; ++i) {
        if (Selected(ctl, i)) out[n++] = i;
    }
    return n;
}

} // namespace

bool SelectionMessage(TreeCtl *ctl, UINT msg, WPARAM wp, LPARAM lp, LRESULT *result) {
    const auto i = static_cast<INT>(wp);
    switch (msg) {
    case LUMTREEM_GETCARET: *result = ctl->caret; return true;
    case LUMTREEM_SETCARET: *result = SetCaret(ctl, i); return true;
    case LUMTREEM_GETSELECTION: *result = IsMultiSel(ctl) ? kNone : ctl->selection; return true;
    case LUMTREEM_SETSELECTION: *result = SetSelection(ctl, IndexParam(ctl, wp)); return true;
    case LUMTREEM_ISSELECTED: *result = ValidIndex(ctl, i) ? Selected(ctl, i) : -1; return true;
    case LUMTREEM_SELECTITEM: *result = SelectItem(ctl, static_cast<INT>(lp), wp != 0); return true;
    case LUMTREEM_GETSELCOUNT: *result = SelectedCount(ctl); return true;
    case LUMTREEM_GETSELITEMS:
        *result = SelectedItems(ctl, i, reinterpret_cast<INT *>(lp));
        return true;
    case LUMTREEM_SELECTRANGE: *result = SelectRange(ctl, lp, wp != 0); return true;
    default: return false;
    }
}
