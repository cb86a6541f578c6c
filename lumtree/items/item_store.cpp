// Item records, the insertion core, single-item deletion and delete-all.
#include "items.h"

#include "../access/access.h"
#include "../layout/layout.h"

#include <algorithm>
#include <cstring>
#include <initializer_list>
#include <utility>

namespace {

// The text an item is inserted with lives in the record's own block, after its `columns` text
// slots, so that an item costs one heap block, not two (a list of short texts halves its heap
// blocks and saves their overhead). A text set later gets a block of its own. The inline place
// always holds at least one byte, so no other block can start there.
char *InlineText(TreeItem *item, INT columns) {
    return reinterpret_cast<char *>(item->texts + columns);
}

void FreeText(TreeItem *item, INT columns, INT column) {
    if (item->texts[column] != InlineText(item, columns)) LumFree(item->texts[column]);
}

// Frees an item allocated with `columns` text slots. The deletion paths take the count before
// any callback runs: a callback on an emptied list may replace the columns.
void FreeItemWithColumns(TreeItem *item, INT columns) {
    for (INT c = 0; c < columns; ++c) FreeText(item, columns, c);
    LumFree(item->labelText);
    LumFree(item->cellAttributes);
    LumFree(item->labelAttributes);
    LumFree(item);
}

// The end-edit requests of deleting `count` items: one per item, as deleting them one at a
// time asks, but all before the first item leaves, so that a parent that ends its editing by
// writing the editor's text back to the edited item finds the list as it was. The requests
// stop as soon as one is not sent (the editor is gone) or the parent changed the list while
// answering; the caller then reads the list again before deleting anything.
void EndEditBeforeDeletion(TreeCtl *ctl, INT count) {
    const UINT version = ctl->listVersion;
    for (INT k = 0; k < count && ctl->listVersion == version; ++k) {
        if (!EndEditRequest(ctl)) break;
    }
}

// The items that deleting item i takes: a collapsed item goes with its whole subtree,
// displayed children stay in the list.
INT DeletionSize(const TreeCtl *ctl, INT i) {
    const bool collapsed = HasChildren(ctl, i) && !IsExpanded(ctl, i);
    return collapsed ? SubtreeEnd(ctl, i) - i : 1;
}

} // namespace

void FreeItem(const TreeCtl *ctl, TreeItem *item) {
    FreeItemWithColumns(item, ctl->columnCount);
}

void NoteLevel(TreeCtl *ctl, INT level) {
    if (level <= ctl->maxLevel) return;
    ctl->maxLevel = level;
    RecalcTreeWidth(ctl);
}

bool SetItemText(TreeCtl *ctl, INT i, INT column, const char *text) {
    char *copy = nullptr;
    if (!TextEmpty(ctl, text)) {
        copy = TextDup(ctl, text);
        if (!copy) return false;
    }
    TreeItem *item = ctl->items[i];
    FreeText(item, ctl->columnCount, column);
    item->texts[column] = copy;
    return true;
}

TreeItem *MakeItem(const TreeCtl *ctl, const ItemTemplate &tmpl, const char *text, DWORD_PTR data) {
    // The inline text in the control's width, with its terminator; an empty place still holds
    // one byte.
    const size_t textBytes = TextEmpty(ctl, text) ? 0 : TextBytes(ctl, text);
    size_t bytes =
        offsetof(TreeItem, texts) + sizeof(char *) * ctl->columnCount + (textBytes ? textBytes : 1);
    auto *item = static_cast<TreeItem *>(LumAllocZero(bytes));
    if (!item) return nullptr;
    item->level = tmpl.level;
    item->flags = tmpl.flags;
    item->bitmap = tmpl.bitmap;
    item->nodeBitmap = tmpl.nodeBitmap;
    item->labelAttributes = tmpl.labelAttributes;
    item->labelText = tmpl.labelText;
    item->cellAttributes = tmpl.cellAttributes;
    item->kind = tmpl.kind;
    item->data = data;
    if (textBytes)
        item->texts[0] =
            static_cast<char *>(std::memcpy(InlineText(item, ctl->columnCount), text, textBytes));
    return item;
}

INT PlaceItem(TreeCtl *ctl, TreeItem *item, INT pos) {
    // Short-index hosts hold fewer than 32000 items.
    if ((ctl->shortIndexes && ctl->itemCount >= 32000) || !ItemArrayInsert(ctl, pos, item)) {
        LumFree(item);
        return kNone;
    }
    for (INT *stored : {&ctl->selection, &ctl->dropTarget, &ctl->anchor}) {
        if (*stored >= 0 && *stored >= pos) ++*stored;
    }
    if (ctl->itemCount > 1 && pos <= ctl->caret) ++ctl->caret;
    // The top index stays where it is, so the view keeps its place. When the item that moved
    // into that place is hidden (an insertion before a collapsed subtree), the top index
    // follows its own item instead: the top row always shows a shown item.
    if (pos < ctl->topIndex && !ItemShown(ctl, ctl->topIndex)) ++ctl->topIndex;
    AccessEvent(ctl, EVENT_OBJECT_REORDER, kNone);
    return pos;
}

INT InsertItemCore(TreeCtl *ctl, const ItemTemplate &tmpl, INT pos, const char *text,
                   DWORD_PTR data) {
    EndEditRequest(ctl);
    // A parent that answered by deleting items may have moved the end of the list.
    if (pos > ctl->itemCount) pos = ctl->itemCount;
    TreeItem *item = MakeItem(ctl, tmpl, text, data);
    return item ? PlaceItem(ctl, item, pos) : kNone;
}

bool SetItemLabelText(TreeCtl *ctl, INT i, const char *text) {
    char *copy = nullptr;
    if (text && !(copy = TextDup(ctl, text))) return false;
    TreeItem *item = ctl->items[i];
    LumFree(item->labelText);
    item->labelText = copy;
    return true;
}

void DeleteOneItem(TreeCtl *ctl, INT i) {
    EndEditBeforeDeletion(ctl, 1);
    if (ValidIndex(ctl, i)) DeleteRun(ctl, i, 1);
}

// Deleting the item at i `count` times: each deletion calls the callback with index i, moves
// the top item back only while it is the last item, turns stored indexes of the deleted item
// into -1 and shifts later ones down, and moves a caret at or after i back by one (not below
// 0). The run is taken out of the array before the callbacks run, so a callback that queries
// or changes the control never meets a record that is already freed. The end-edit requests
// are the caller's, sent before the run is chosen.
void DeleteRun(TreeCtl *ctl, INT i, INT count) {
    if (count <= 0) return;
    TreeItem *single[1];
    TreeItem **run = single;
    if (count > 1 && !(run = static_cast<TreeItem **>(LumAlloc(sizeof(TreeItem *) * count)))) {
        // No room to hold the run: delete one item at a time.
        for (INT k = 0; k < count; ++k) DeleteRun(ctl, i, 1);
        return;
    }
    INT end = i + count;
    const INT oldTop = ctl->topIndex;
    for (INT n = ctl->itemCount; n > ctl->itemCount - count; --n) {
        if (ctl->topIndex >= n - 1) ctl->topIndex = ctl->topIndex > 0 ? ctl->topIndex - 1 : 0;
    }
    for (INT *stored : {&ctl->selection, &ctl->dropTarget, &ctl->anchor}) {
        if (*stored >= end) {
            *stored -= count;
        } else if (*stored >= i) {
            *stored = kNone;
        }
    }
    if (ctl->caret >= end) {
        ctl->caret -= count;
    } else if (ctl->caret >= i) {
        ctl->caret = i > 0 ? i - 1 : 0;
    }
    std::memcpy(run, ctl->items + i, sizeof(TreeItem *) * count);
    for (INT k = 0; k < count; ++k) ctl->selectedCount -= (run[k]->flags & kItemSelected) != 0;
    ItemArrayRemoveRun(ctl, i, count);
    const INT columns = ctl->columnCount;
    // The top index keeps its place, as above. When a hidden item moved into that place (a
    // deletion before a collapsed subtree), the top follows its own item when it is left, or
    // else goes to the nearest shown item: the top row always shows a shown item.
    if (ctl->itemCount > 0 && !ItemShown(ctl, ctl->topIndex)) {
        INT k = oldTop >= end ? oldTop - count : PrevShown(ctl, ctl->topIndex);
        if (k < 0) k = NextShown(ctl, ctl->topIndex);
        ctl->topIndex = k < 0 ? 0 : k;
    }
    for (INT k = 0; k < count; ++k) {
        if (ctl->deleteCallback) {
            ForgetChildCheck();
            ctl->deleteCallback(ctl->window, i, run[k]->data, ctl->deleteCallbackData);
        }
        FreeItemWithColumns(run[k], columns);
    }
    if (run != single) LumFree(run);
    AccessEvent(ctl, EVENT_OBJECT_REORDER, kNone);
}

namespace {

// The repaint and the scroll bar of a new item at i (or nothing for -1).
INT FinishAdd(TreeCtl *ctl, INT i) {
    if (i < 0) return kNone;
    if (DrawingLive(ctl)) {
        INT from = PrevSibling(ctl, i);
        InvalidateRows(ctl, from >= 0 ? from : i, true, true, true);
    }
    UpdateVScrollBar(ctl);
    return i;
}

} // namespace

INT AddItem(TreeCtl *ctl, INT pos, const char *text) {
    return FinishAdd(ctl, InsertItemCore(ctl, ItemTemplate{}, pos, text, 0));
}

INT InsertItem(TreeCtl *ctl, INT pos, const char *text) {
    if (pos < 0 || pos >= ctl->itemCount) return AddItem(ctl, ctl->itemCount, text);
    if (ItemShown(ctl, pos)) return ShowItem(ctl, pos, true) ? AddItem(ctl, pos, text) : kNone;
    // Showing the item there expands its ancestors. The new record is made and room for it
    // reserved first, so that running out of memory changes nothing.
    TreeItem *item = MakeItem(ctl, ItemTemplate{}, text, 0);
    if (!item) return kNone;
    if (!ItemArrayReserve(ctl) || !ShowItem(ctl, pos, true)) {
        FreeItem(ctl, item);
        return kNone;
    }
    EndEditRequest(ctl);
    // A parent may have changed the list while the item was being shown.
    return FinishAdd(ctl, PlaceItem(ctl, item, std::min(pos, ctl->itemCount)));
}

INT DeleteChildren(TreeCtl *ctl, INT i) {
    EndEditBeforeDeletion(ctl, SubtreeEnd(ctl, i) - i - 1);
    if (!ValidIndex(ctl, i)) return kNone; // the parent took the item away while answering
    DeleteRun(ctl, i + 1, SubtreeEnd(ctl, i) - i - 1);
    InvalidateRows(ctl, i, true, true, true);
    UpdateVScrollBar(ctl);
    return ctl->itemCount;
}

INT DeleteItem(TreeCtl *ctl, INT i) {
    EndEditBeforeDeletion(ctl, DeletionSize(ctl, i));
    if (!ValidIndex(ctl, i)) return kNone; // the parent took the item away while answering
    INT parent = ParentOf(ctl, i);
    DeleteRun(ctl, i, DeletionSize(ctl, i));
    InvalidateRows(ctl, parent >= 0 ? parent : 0, true, true, true);
    UpdateVScrollBar(ctl);
    return ctl->itemCount;
}

bool SetItemLevel(TreeCtl *ctl, INT i, INT level) {
    level = level < 0 ? 0 : (level > kMaxLevel ? kMaxLevel : level);
    if (!ValidIndex(ctl, i)) return false;
    EndEditRequest(ctl);
    // Each step below may send the end-edit request again; i is checked after each, since the
    // parent may change the list while answering.
    if (!ShowItem(ctl, i, true)) return false;
    if (HasChildren(ctl, i) && !IsExpanded(ctl, i) && !ExpandItem(ctl, i, true, false)) {
        return false;
    }
    if (!ValidIndex(ctl, i)) return false;
    INT old = LevelOf(ctl, i);
    if (level > old) {
        // The new parent: the nearest earlier item with a lower level than the new one.
        INT p = PrevAtMost(ctl, i, level - 1);
        if (p >= 0) {
            if (!ShowItem(ctl, p, true)) return false;
            if (HasChildren(ctl, p) && !ExpandItem(ctl, p, true, false)) return false;
            if (!ValidIndex(ctl, i)) return false;
        }
    }
    if (level == old) return true;
    StoreItemLevel(ctl, i, level);
    AccessEvent(ctl, EVENT_OBJECT_REORDER, kNone);
    if (level > ctl->maxLevel) {
        NoteLevel(ctl, level);
        InvalidateHeaderBar(ctl);
        if (ctl->columnCount > 1) InvalidateItemArea(ctl, false);
    }
    if (!DrawingLive(ctl)) return true;
    // The rows whose tree lines change: the item's, the earlier ones down to the level that
    // bounds the change, and the later ones deeper than it.
    // Backwards the run ends after an item at level m or before one above it; forwards it
    // ends before the first item not deeper than m.
    INT m = level <= old ? level : old;
    INT before = PrevAtMost(ctl, i, m);
    INT first = before < 0 ? 0 : (LevelOf(ctl, before) == m ? before : before + 1);
    INT after = NextAtMost(ctl, i, m);
    INT last = after < 0 ? ctl->itemCount - 1 : after - 1;
    InvalidateIndexRange(ctl, first, last);
    return true;
}

void DeleteAllItems(TreeCtl *ctl, bool keepTreeWidth) {
    EndEditRequest(ctl);
    // The list is detached before the deletion callbacks run, so a callback that queries the
    // control sees an empty list instead of records that are already freed. Each callback still
    // gets the index its item had when the deletion began.
    TreeItem **items = ctl->items;
    INT count = ctl->itemCount;
    ++ctl->listVersion;
    ctl->items = nullptr;
    ctl->itemCount = 0;
    LumFree(ctl->levelTree);
    ctl->levelTree = nullptr;
    ctl->rowCounts = ctl->rowTree = nullptr;
    ctl->indexLeaves = 0;
    ctl->selection = ctl->anchor = ctl->dropTarget = kNone;
    ctl->topIndex = ctl->caret = ctl->shownCount = ctl->spareSlots = ctl->selectedCount = 0;
    ctl->maxLevel = ctl->horizontalPos = ctl->textColumn = 0;
    if (!keepTreeWidth) ctl->treeWidth = 0;
    const INT columns = ctl->columnCount;
    for (INT i = 0; i < count; ++i) {
        TreeItem *item = items[i];
        if (ctl->deleteCallback) {
            ForgetChildCheck();
            ctl->deleteCallback(ctl->window, i, item->data, ctl->deleteCallbackData);
        }
        FreeItemWithColumns(item, columns);
    }
    LumFree(items);
    AccessEvent(ctl, EVENT_OBJECT_REORDER, kNone);
    if (DrawingLive(ctl)) InvalidateRect(ctl->window, nullptr, FALSE);
    UpdateVScrollBar(ctl);
    UpdateHScrollBar(ctl);
}

bool SetTextColumnText(TreeCtl *ctl, INT i, const char *text) {
    if (!SetItemText(ctl, i, ctl->textColumn, text)) return false;
    AccessTextEvent(ctl, i, ctl->textColumn);
    InvalidateRows(ctl, i, false, false, true);
    return true;
}

namespace {

// Copies of an item's strings and attribute records, all made before the copy is inserted so
// that running out of memory changes nothing. Whatever is not handed to the copy is freed.
struct ItemCopies {
    const TreeCtl *ctl;
    TreeLabelAttr *labelAttributes = nullptr;
    char *labelText = nullptr;
    TreeCellAttr *cellAttributes = nullptr;
    char **texts = nullptr;

    template <class T> static bool Dup(const T *from, size_t bytes, T **to) {
        if (!from) return true;
        *to = static_cast<T *>(LumAlloc(bytes));
        if (*to) std::memcpy(*to, from, bytes);
        return *to != nullptr;
    }
    bool Make(const TreeItem *src) {
        const auto columns = static_cast<size_t>(ctl->columnCount);
        texts = static_cast<char **>(LumAllocZero(sizeof(char *) * columns));
        if (!texts) return false;
        for (size_t c = 0; c < columns; ++c) {
            if (src->texts[c] && !(texts[c] = TextDup(ctl, src->texts[c]))) return false;
        }
        return Dup(src->labelAttributes, sizeof(TreeLabelAttr), &labelAttributes) &&
               (!src->labelText || (labelText = TextDup(ctl, src->labelText))) &&
               Dup(src->cellAttributes, sizeof(TreeCellAttr) * columns, &cellAttributes);
    }
    // Hands every copy to the item (whose strings and records are all empty).
    void GiveTo(TreeItem *item) {
        item->labelAttributes = std::exchange(labelAttributes, nullptr);
        item->labelText = std::exchange(labelText, nullptr);
        item->cellAttributes = std::exchange(cellAttributes, nullptr);
        for (INT c = 0; c < ctl->columnCount; ++c)
            item->texts[c] = std::exchange(texts[c], nullptr);
    }
    ~ItemCopies() {
        LumFree(labelAttributes);
        LumFree(labelText);
        LumFree(cellAttributes);
        for (INT c = 0; texts && c < ctl->columnCount; ++c) LumFree(texts[c]);
        LumFree(texts);
    }
};

} // namespace

// The copy is built step by step through the same paths the messages use. Those paths may send
// LUMTREEN_ENDEDIT, and a parent that answers by changing the list could free the source
// record: when the list changed in any way but the copy's own insertion, the copy stays as far
// as it got and the source is not read again. The copies of the strings and records are made
// first, so that out of memory nothing changes.
INT CopyItem(TreeCtl *ctl, INT s, INT p) {
    if (!ValidIndex(ctl, s)) return kNone;
    const TreeItem *src = ctl->items[s];
    ItemCopies copies{ctl};
    if (!copies.Make(src)) return kNone;
    UINT version = ctl->listVersion;
    INT c = InsertItem(ctl, p, nullptr);
    if (c < 0) return kNone;
    if (ctl->listVersion != version + 1) return c;
    SetItemLevel(ctl, c, src->level);
    if (ctl->listVersion != version + 1 || !ValidIndex(ctl, c)) return c;

    TreeItem *copy = ctl->items[c];
    copy->flags = (copy->flags & ~(kItemSelected | kItemEnabled)) | (src->flags & kItemEnabled);
    copy->bitmap = src->bitmap;
    copy->nodeBitmap = src->nodeBitmap;
    copy->data = src->data;
    copies.GiveTo(copy);
    InvalidateRows(ctl, c, false, true, true);
    return c;
}

// A move is a copy followed by the deletion of the source without the deletion callback: the
// item's data lives on in the copy. Hidden descendants of the source go with it; displayed
// children stay where they are.
INT MoveItem(TreeCtl *ctl, INT s, INT p) {
    UINT version = ctl->listVersion;
    INT c = CopyItem(ctl, s, p);
    if (c < 0) return c;
    // The list changed under a notification: the source is no longer known for sure.
    if (ctl->listVersion != version + 1) return c;
    INT source = s >= c ? s + 1 : s;
    LUMTREEDELETEPROC callback = ctl->deleteCallback;
    ctl->deleteCallback = nullptr;
    INT before = ctl->itemCount;
    DeleteItem(ctl, source);
    ctl->deleteCallback = callback;
    // The copy moves up by every item deleted before it: one for the source, more when the
    // source was collapsed and its hidden descendants went too, so the result is always the
    // copy's final index (c - 1 for a source without hidden descendants).
    return c > source ? c - (before - ctl->itemCount) : c;
}
