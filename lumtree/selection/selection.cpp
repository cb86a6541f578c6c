// Selection and caret.
#include "selection.h"

#include "../items/items.h"
#include "../layout/layout.h"

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
