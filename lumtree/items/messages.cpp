// Item store messages.
#include "items.h"

#include "../layout/layout.h"

namespace {

// Appends or inserts a default item: insertion core, repaint from the previous sibling (or the
// new item) to the end, vertical scroll bar.
INT AddItem(TreeCtl *ctl, INT pos, const char *text) {
    INT i = InsertItemCore(ctl, ItemTemplate{}, pos, text, 0);
    if (i < 0) return kNone;
    if (DrawingLive(ctl)) {
        INT from = PrevSibling(ctl, i);
        InvalidateRows(ctl, from >= 0 ? from : i, true, true, true);
    }
    UpdateVScrollBar(ctl);
    return i;
}

INT InsertItem(TreeCtl *ctl, INT pos, const char *text) {
    if (pos < 0 || pos >= ctl->itemCount) {
        pos = ctl->itemCount;
    } else if (!ShowItem(ctl, pos, true)) {
        return kNone;
    }
    return AddItem(ctl, pos, text);
}

INT DeleteChildren(TreeCtl *ctl, INT i) {
    DeleteRun(ctl, i + 1, SubtreeEnd(ctl, i) - i - 1);
    InvalidateRows(ctl, i, true, true, true);
    UpdateVScrollBar(ctl);
    return ctl->itemCount;
}

} // namespace

bool ItemsMessage(TreeCtl *ctl, UINT msg, WPARAM wp, LPARAM lp, LRESULT *result) {
    const auto text = reinterpret_cast<const char *>(lp);
    const auto i = static_cast<INT>(wp);
    const bool valid = ValidIndex(ctl, i);
    switch (msg) {
    case LUMTREEM_ADDITEM: *result = AddItem(ctl, ctl->itemCount, text); return true;
    case LUMTREEM_INSERTITEM: *result = InsertItem(ctl, IndexParam(ctl, wp), text); return true;
    case LUMTREEM_DELETEITEM: *result = valid ? DeleteItem(ctl, i) : -1; return true;
    case LUMTREEM_DELETECHILDREN: *result = valid ? DeleteChildren(ctl, i) : -1; return true;
    case LUMTREEM_SETLEVEL: *result = SetItemLevel(ctl, i, static_cast<INT>(lp)); return true;
    case LUMTREEM_GETLEVEL: *result = valid ? LevelOf(ctl, i) : -1; return true;
    case LUMTREEM_ISSHOWN: *result = valid && ItemShown(ctl, i); return true;
    case LUMTREEM_ISEXPANDED: *result = valid && IsExpanded(ctl, i); return true;
    case LUMTREEM_SHOWITEM: *result = ShowItem(ctl, i, lp != 0); return true;
    case LUMTREEM_EXPAND:
        *result = ExpandItem(ctl, i, LOWORD(lp) != 0, HIWORD(lp) != 0);
        return true;
    case LUMTREEM_ENSUREVISIBLE:
        EnsureVisible(ctl, i);
        *result = 0;
        return true;
    case LUMTREEM_GETPARENT: *result = valid ? ParentOf(ctl, i) : -1; return true;
    case LUMTREEM_DELETEALL:
        DeleteAllItems(ctl, false);
        *result = 0;
        return true;
    case LUMTREEM_SETDELETECALLBACK: {
        ctl->deleteCallback = nullptr;
        ctl->deleteCallbackData = 0;
        EndEditRequest(ctl);
        if (auto *cb = reinterpret_cast<const TreeDeleteCallback *>(lp)) {
            ctl->deleteCallback = cb->callback;
            ctl->deleteCallbackData = cb->data;
        }
        *result = 1;
        return true;
    }
    default: return false;
    }
}
