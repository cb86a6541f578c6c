// Item store messages: structure, navigation, attributes, search and sort.
#include "items.h"

#include "../layout/layout.h"

namespace {

INT Sibling(const TreeCtl *ctl, INT i, LPARAM code) {
    switch (code) {
    case LUMTREESIBLING_FIRST: return FirstSibling(ctl, i);
    case LUMTREESIBLING_LAST: return LastSibling(ctl, i);
    case LUMTREESIBLING_PREVIOUS: return PrevSibling(ctl, i);
    case LUMTREESIBLING_NEXT: return NextSibling(ctl, i);
    default: return kNone;
    }
}

INT Child(const TreeCtl *ctl, INT i, LPARAM code) {
    switch (code) {
    case LUMTREECHILD_FIRST: return HasChildren(ctl, i) ? i + 1 : kNone;
    case LUMTREECHILD_LASTDESCENDANT: {
        INT last = SubtreeEnd(ctl, i) - 1;
        return last > i ? last : kNone;
    }
    default: return kNone;
    }
}

// Structure: insertion, deletion, copy and move, levels, showing and expanding.
bool StructureMessage(TreeCtl *ctl, UINT msg, WPARAM wp, LPARAM lp, LRESULT *result) {
    const auto text = reinterpret_cast<const char *>(lp);
    const auto i = static_cast<INT>(wp);
    const bool valid = ValidIndex(ctl, i);
    switch (msg) {
    case LUMTREEM_ADDITEM: *result = AddItem(ctl, ctl->itemCount, text); return true;
    case LUMTREEM_INSERTITEM: *result = InsertItem(ctl, IndexParam(ctl, wp), text); return true;
    case LUMTREEM_DELETEITEM: *result = valid ? DeleteItem(ctl, i) : -1; return true;
    case LUMTREEM_DELETECHILDREN: *result = valid ? DeleteChildren(ctl, i) : -1; return true;
    case LUMTREEM_COPYITEM:
        *result = CopyItem(ctl, IndexParam(ctl, wp), static_cast<INT>(lp));
        return true;
    case LUMTREEM_MOVEITEM:
        *result = MoveItem(ctl, IndexParam(ctl, wp), static_cast<INT>(lp));
        return true;
    case LUMTREEM_SETLEVEL: *result = SetItemLevel(ctl, i, static_cast<INT>(lp)); return true;
    case LUMTREEM_SHOWITEM: *result = ShowItem(ctl, i, lp != 0); return true;
    case LUMTREEM_EXPAND:
        *result = ExpandItem(ctl, i, LOWORD(lp) != 0, HIWORD(lp) != 0);
        return true;
    case LUMTREEM_ENSUREVISIBLE:
        EnsureVisible(ctl, i);
        *result = 0;
        return true;
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

// Queries of the tree relations.
bool QueryMessage(TreeCtl *ctl, UINT msg, WPARAM wp, LPARAM lp, LRESULT *result) {
    const auto i = static_cast<INT>(wp);
    const bool valid = ValidIndex(ctl, i);
    switch (msg) {
    case LUMTREEM_GETLEVEL: *result = valid ? LevelOf(ctl, i) : -1; return true;
    case LUMTREEM_ISSHOWN: *result = valid && ItemShown(ctl, i); return true;
    case LUMTREEM_ISEXPANDED: *result = valid && IsExpanded(ctl, i); return true;
    case LUMTREEM_GETPARENT: *result = valid ? ParentOf(ctl, i) : -1; return true;
    case LUMTREEM_GETROOT: *result = valid ? RootOf(ctl, i) : -1; return true;
    case LUMTREEM_GETSIBLING: *result = valid ? Sibling(ctl, i, lp) : -1; return true;
    case LUMTREEM_GETCHILDCOUNT: *result = valid ? ChildCount(ctl, i, lp != 0) : -1; return true;
    case LUMTREEM_GETCHILD: *result = valid ? Child(ctl, i, lp) : -1; return true;
    default: return false;
    }
}

// Attributes, search and sort. Handles and data values are returned whole.
bool AttributeMessage(TreeCtl *ctl, UINT msg, WPARAM wp, LPARAM lp, LRESULT *result) {
    const auto text = reinterpret_cast<const char *>(lp);
    const auto bitmap = reinterpret_cast<HBITMAP>(lp);
    const auto i = static_cast<INT>(wp);
    const bool valid = ValidIndex(ctl, i);
    switch (msg) {
    case LUMTREEM_GETTEXT:
        *result = GetItemTextCopy(ctl, i, reinterpret_cast<void *>(lp));
        return true;
    case LUMTREEM_SETTEXT: *result = valid && SetTextColumnText(ctl, i, text); return true;
    case LUMTREEM_GETTEXTLENGTH: *result = GetItemTextLength(ctl, i); return true;
    case LUMTREEM_GETTEXTCOLUMNTITLELENGTH: *result = GetTextColumnTitleLength(ctl); return true;
    case LUMTREEM_GETBITMAP:
        *result = valid ? reinterpret_cast<LRESULT>(ItemAt(ctl, i)->bitmap) : 0;
        return true;
    case LUMTREEM_SETBITMAP: *result = SetItemBitmap(ctl, IndexParam(ctl, wp), bitmap); return true;
    case LUMTREEM_GETNODEBITMAP:
        *result = valid ? reinterpret_cast<LRESULT>(ItemAt(ctl, i)->nodeBitmap) : 0;
        return true;
    case LUMTREEM_SETNODEBITMAP: *result = SetItemNodeBitmap(ctl, i, bitmap); return true;
    case LUMTREEM_ISENABLED:
        *result = valid && (ItemAt(ctl, i)->flags & kItemEnabled) != 0;
        return true;
    case LUMTREEM_ENABLEITEM: *result = EnableItem(ctl, i, lp != 0); return true;
    case LUMTREEM_GETDATA:
        *result = valid ? static_cast<LRESULT>(ItemAt(ctl, i)->data) : -1;
        return true;
    case LUMTREEM_SETDATA:
        if (valid) ItemAt(ctl, i)->data = static_cast<DWORD_PTR>(lp);
        *result = valid ? 0 : -1;
        return true;
    case LUMTREEM_GETITEMRECT:
        *result = GetItemRect(ctl, i, reinterpret_cast<RECT *>(lp));
        return true;
    case LUMTREEM_FINDDATA: *result = FindItemData(ctl, i, static_cast<DWORD_PTR>(lp)); return true;
    case LUMTREEM_FINDPREFIX: *result = FindItemText(ctl, i, text, true); return true;
    case LUMTREEM_FINDTEXT: *result = FindItemText(ctl, i, text, false); return true;
    case LUMTREEM_SORTCHILDREN:
        *result = SortChildren(ctl, IndexParam(ctl, wp),
                               reinterpret_cast<LUMTREETEXTCOMPAREPROC>(lp), nullptr);
        return true;
    case LUMTREEM_SORTCHILDRENCB:
        *result = SortChildren(ctl, IndexParam(ctl, wp), nullptr,
                               reinterpret_cast<LUMTREEITEMCOMPAREPROC>(lp));
        return true;
    default: return false;
    }
}

} // namespace

bool ItemsMessage(TreeCtl *ctl, UINT msg, WPARAM wp, LPARAM lp, LRESULT *result) {
    return StructureMessage(ctl, msg, wp, lp, result) || QueryMessage(ctl, msg, wp, lp, result) ||
           AttributeMessage(ctl, msg, wp, lp, result);
}
