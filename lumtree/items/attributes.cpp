// Item attributes: the text of the text column, the item and node bitmaps, the enabled flag,
// the application data and the row rectangle. A bad index changes nothing and gives the
// message's failure value; so does a null buffer where one is needed.
#include "items.h"

#include "../access/access.h"
#include "../layout/layout.h"

#include <cstring>

namespace {

// The one-row repaints: the item columns only, or the whole row with its label.
void RepaintItemColumns(TreeCtl *ctl, INT i) {
    InvalidateRows(ctl, i, false, false, true);
}
void RepaintWholeRow(TreeCtl *ctl, INT i) {
    InvalidateRows(ctl, i, false, true, true);
}

} // namespace

INT GetItemTextCopy(const TreeCtl *ctl, INT i, void *buffer) {
    if (!buffer) return kNone;
    TextClear(ctl, buffer);
    if (!ValidIndex(ctl, i)) return kNone;
    const char *text = ItemAt(ctl, i)->texts[ctl->textColumn];
    return text ? TextCopyWhole(ctl, buffer, text) : 0;
}

INT GetItemTextLength(const TreeCtl *ctl, INT i) {
    if (!ValidIndex(ctl, i)) return kNone;
    return static_cast<INT>(TextLength(ctl, ItemAt(ctl, i)->texts[ctl->textColumn]));
}

INT GetTextColumnTitleLength(const TreeCtl *ctl) {
    if (!ctl->columns || ctl->textColumn >= ctl->columnCount) return 0;
    return static_cast<INT>(TextLength(ctl, ctl->columns[ctl->textColumn].title));
}

INT SetItemBitmap(TreeCtl *ctl, INT i, HBITMAP bitmap) {
    if (i < kNone || i >= ctl->itemCount) return 0;
    EndEditRequest(ctl);
    if (i >= ctl->itemCount) return 0; // the parent shortened the list while answering
    // A new bitmap size or switching the item bitmaps changes the row height and the tree part:
    // the layout is recomputed once for both.
    bool relayout = false;
    if (bitmap) {
        BITMAP bm;
        if (!ReadBitmapInfo(bitmap, &bm)) return 0;
        // Every bitmap given here sizes the item-bitmap area of all rows.
        relayout = bm.bmWidth != ctl->itemBitmapInfo.bmWidth ||
                   bm.bmHeight != ctl->itemBitmapInfo.bmHeight;
        ctl->itemBitmapInfo = bm;
    }
    if (i == kNone) {
        const BOOL on = bitmap != nullptr;
        relayout |= on != ctl->showItemBitmaps;
        ctl->showItemBitmaps = on;
    } else {
        ItemAt(ctl, i)->bitmap = bitmap;
        RepaintItemColumns(ctl, i);
    }
    if (relayout) {
        RecalcRowHeight(ctl);
        InvalidateAll(ctl);
    }
    return 1;
}

INT SetItemNodeBitmap(TreeCtl *ctl, INT i, HBITMAP bitmap) {
    if (!ValidIndex(ctl, i)) return 0;
    EndEditRequest(ctl);
    if (!ValidIndex(ctl, i)) return 0;
    if (bitmap) {
        BITMAP bm;
        if (!ReadBitmapInfo(bitmap, &bm)) return 0;
        // The size is noted for the node-bitmap area; the layout is not recomputed here.
        ctl->nodeBitmapInfo = bm;
    }
    ItemAt(ctl, i)->nodeBitmap = bitmap;
    RepaintItemColumns(ctl, i);
    return 1;
}

INT EnableItem(TreeCtl *ctl, INT i, bool enable) {
    if (!ValidIndex(ctl, i)) return 0;
    TreeItem *item = ItemAt(ctl, i);
    if (((item->flags & kItemEnabled) != 0) == enable) return 1;
    item->flags = enable ? (item->flags | kItemEnabled) : (item->flags & ~kItemEnabled);
    RepaintWholeRow(ctl, i);
    AccessEvent(ctl, EVENT_OBJECT_STATECHANGE, i);
    return 1;
}

INT GetItemRect(const TreeCtl *ctl, INT i, RECT *rect) {
    if (!rect) return kNone;
    return RowRect(ctl, i, rect) ? 0 : kNone;
}
