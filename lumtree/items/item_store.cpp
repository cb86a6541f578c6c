// Item records, the insertion core, single-item deletion and delete-all.
#include "items.h"

#include "../layout/layout.h"

#include <initializer_list>

void FreeItem(const TreeCtl *ctl, TreeItem *item) {
    for (INT c = 0; c < ctl->columnCount; ++c) LumFree(item->texts[c]);
    LumFree(item->labelText);
    LumFree(item->cellAttributes);
    LumFree(item->labelAttributes);
    LumFree(item);
}

void NoteLevel(TreeCtl *ctl, INT level) {
    if (level <= ctl->maxLevel) return;
    ctl->maxLevel = level;
    RecalcTreeWidth(ctl);
}

bool SetItemText(TreeCtl *ctl, INT i, INT column, const char *text) {
    char *copy = nullptr;
    if (text && *text) {
        copy = LumStrDup(text);
        if (!copy) return false;
    }
    TreeItem *item = ctl->items[i];
    LumFree(item->texts[column]);
    item->texts[column] = copy;
    return true;
}

INT InsertItemCore(TreeCtl *ctl, const ItemTemplate &tmpl, INT pos, const char *text,
                   DWORD_PTR data) {
    EndEditRequest(ctl);
    size_t bytes = offsetof(TreeItem, texts) + sizeof(char *) * ctl->columnCount;
    auto *item = static_cast<TreeItem *>(LumAllocZero(bytes));
    if (!item) return kNone;
    item->level = tmpl.level;
    item->flags = tmpl.flags;
    item->bitmap = tmpl.bitmap;
    item->nodeBitmap = tmpl.nodeBitmap;
    item->labelAttributes = tmpl.labelAttributes;
    item->labelText = tmpl.labelText;
    item->cellAttributes = tmpl.cellAttributes;
    item->kind = tmpl.kind;
    item->data = data;
    if (text && *text && !(item->texts[0] = LumStrDup(text))) {
        LumFree(item);
        return kNone;
    }
    // Short-index hosts hold fewer than 32000 items.
    if ((ctl->shortIndexes && ctl->itemCount >= 32000) || !ItemArrayInsert(ctl, pos, item)) {
        LumFree(item->texts[0]);
        LumFree(item);
        return kNone;
    }
    for (INT *stored : {&ctl->selection, &ctl->dropTarget, &ctl->anchor}) {
        if (*stored >= 0 && *stored >= pos) ++*stored;
    }
    if (ctl->itemCount > 1 && pos <= ctl->caret) ++ctl->caret;
    return pos;
}

void DeleteOneItem(TreeCtl *ctl, INT i) {
    EndEditRequest(ctl);
    TreeItem *item = ctl->items[i];
    if (ctl->deleteCallback)
        ctl->deleteCallback(ctl->window, i, item->data, ctl->deleteCallbackData);
    if (ctl->topIndex >= ctl->itemCount - 1)
        ctl->topIndex = ctl->topIndex > 0 ? ctl->topIndex - 1 : 0;
    for (INT *stored : {&ctl->selection, &ctl->dropTarget, &ctl->anchor}) {
        if (*stored == i) {
            *stored = kNone;
        } else if (*stored > i) {
            --*stored;
        }
    }
    if (i <= ctl->caret) ctl->caret = ctl->caret > 0 ? ctl->caret - 1 : 0;
    ItemArrayRemove(ctl, i);
    FreeItem(ctl, item);
}

void DeleteAllItems(TreeCtl *ctl, bool keepTreeWidth) {
    EndEditRequest(ctl);
    // The list is detached before the deletion callbacks run, so a callback that queries the
    // control sees an empty list instead of records that are already freed. Each callback still
    // gets the index its item had when the deletion began.
    TreeItem **items = ctl->items;
    INT count = ctl->itemCount;
    ctl->items = nullptr;
    ctl->itemCount = 0;
    LumFree(ctl->rowBlocks);
    ctl->rowBlocks = nullptr;
    ctl->rowBlockCapacity = 0;
    ctl->selection = ctl->anchor = ctl->dropTarget = kNone;
    ctl->topIndex = ctl->caret = ctl->shownCount = ctl->spareSlots = 0;
    ctl->maxLevel = ctl->horizontalPos = ctl->textColumn = 0;
    if (!keepTreeWidth) ctl->treeWidth = 0;
    for (INT i = 0; i < count; ++i) {
        TreeItem *item = items[i];
        if (ctl->deleteCallback)
            ctl->deleteCallback(ctl->window, i, item->data, ctl->deleteCallbackData);
        FreeItem(ctl, item);
    }
    LumFree(items);
    if (DrawingLive(ctl)) InvalidateRect(ctl->window, nullptr, FALSE);
    UpdateVScrollBar(ctl);
    UpdateHScrollBar(ctl);
}
