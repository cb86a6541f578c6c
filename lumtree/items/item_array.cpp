// The item pointer array and its row index.
//
// The array grows in steps of 256 slots and shrinks only when more than 512 slots are free, so
// runs of insertions or deletions do not reallocate on every call. Beside it the store keeps the
// number of shown items in every block of kRowBlock consecutive positions: the row of an item
// and the item at a row then cost one pass over the block counts plus one block, instead of a
// walk over the whole list, and an insertion or deletion adjusts one count per following block.
#include "items.h"

#include <cstring>

namespace {

inline INT BlocksFor(INT slots) {
    return (slots + kRowBlock - 1) / kRowBlock;
}

inline INT ShownBit(const TreeItem *item) {
    return (item->flags & kItemShown) ? 1 : 0;
}

// Makes the row index cover at least `slots` positions; new blocks start at 0.
bool ReserveRowBlocks(TreeCtl *ctl, INT slots) {
    INT need = BlocksFor(slots);
    if (need <= ctl->rowBlockCapacity) return true;
    auto *blocks = static_cast<INT *>(LumRealloc(ctl->rowBlocks, sizeof(INT) * need));
    if (!blocks) return false;
    std::memset(blocks + ctl->rowBlockCapacity, 0,
                sizeof(INT) * static_cast<size_t>(need - ctl->rowBlockCapacity));
    ctl->rowBlocks = blocks;
    ctl->rowBlockCapacity = need;
    return true;
}

// Shown items among positions [from, to).
INT CountShown(const TreeCtl *ctl, INT from, INT to) {
    INT n = 0;
    for (INT i = from; i < to; ++i) n += ShownBit(ctl->items[i]);
    return n;
}

} // namespace

bool ItemArrayInsert(TreeCtl *ctl, INT pos, TreeItem *item) {
    if (!ctl->items) {
        auto *array = static_cast<TreeItem **>(LumAlloc(sizeof(TreeItem *) * kArrayStep));
        if (!array) return false;
        if (!ReserveRowBlocks(ctl, kArrayStep)) {
            LumFree(array);
            return false;
        }
        ctl->items = array;
        ctl->spareSlots = kArrayStep;
    } else if (ctl->spareSlots == 0) {
        INT slots = ctl->itemCount + kArrayStep;
        if (!ReserveRowBlocks(ctl, slots)) return false;
        auto *array = static_cast<TreeItem **>(LumRealloc(ctl->items, sizeof(TreeItem *) * slots));
        if (!array) return false;
        ctl->items = array;
        ctl->spareSlots = kArrayStep;
    }
    std::memmove(ctl->items + pos + 1, ctl->items + pos,
                 sizeof(TreeItem *) * static_cast<size_t>(ctl->itemCount - pos));
    ctl->items[pos] = item;
    ++ctl->itemCount;
    --ctl->spareSlots;
    ctl->shownCount += ShownBit(item);

    // Every block from pos on gains the item that now starts it (the new item in pos's own
    // block) and loses the one pushed across its end.
    for (INT b = pos / kRowBlock; b * kRowBlock < ctl->itemCount; ++b) {
        INT start = b * kRowBlock, next = start + kRowBlock;
        INT gain = ShownBit(ctl->items[b == pos / kRowBlock ? pos : start]);
        INT loss = next < ctl->itemCount ? ShownBit(ctl->items[next]) : 0;
        ctl->rowBlocks[b] += gain - loss;
    }
    return true;
}

TreeItem *ItemArrayRemove(TreeCtl *ctl, INT pos) {
    TreeItem *item = ctl->items[pos];
    INT oldCount = ctl->itemCount;
    std::memmove(ctl->items + pos, ctl->items + pos + 1,
                 sizeof(TreeItem *) * static_cast<size_t>(oldCount - pos - 1));
    --ctl->itemCount;
    ++ctl->spareSlots;
    ctl->shownCount -= ShownBit(item);

    // Every block from pos on loses its first old item (the removed one in pos's own block) and
    // gains the one pulled in from the next block.
    for (INT b = pos / kRowBlock; b * kRowBlock < oldCount; ++b) {
        INT start = b * kRowBlock, last = start + kRowBlock - 1;
        INT loss = b == pos / kRowBlock ? ShownBit(item) : ShownBit(ctl->items[start - 1]);
        INT gain = last < ctl->itemCount ? ShownBit(ctl->items[last]) : 0;
        ctl->rowBlocks[b] += gain - loss;
    }

    if (ctl->itemCount == 0) {
        ItemArrayRelease(ctl);
    } else if (ctl->spareSlots >= kShrinkAt) {
        auto *array = static_cast<TreeItem **>(
            LumRealloc(ctl->items, sizeof(TreeItem *) * (ctl->itemCount + kArrayStep)));
        if (array) {
            ctl->items = array;
            ctl->spareSlots = kArrayStep;
        }
    }
    return item;
}

void ItemArrayRemoveRun(TreeCtl *ctl, INT pos, INT count) {
    if (count == 1) {
        ItemArrayRemove(ctl, pos);
        return;
    }
    INT shown = CountShown(ctl, pos, pos + count);
    std::memmove(ctl->items + pos, ctl->items + pos + count,
                 sizeof(TreeItem *) * static_cast<size_t>(ctl->itemCount - pos - count));
    ctl->itemCount -= count;
    ctl->spareSlots += count;
    ctl->shownCount -= shown;
    if (ctl->itemCount == 0) {
        ItemArrayRelease(ctl);
        return;
    }
    RecountRows(ctl, pos);
    if (ctl->spareSlots >= kShrinkAt) {
        auto *array = static_cast<TreeItem **>(
            LumRealloc(ctl->items, sizeof(TreeItem *) * (ctl->itemCount + kArrayStep)));
        if (array) {
            ctl->items = array;
            ctl->spareSlots = kArrayStep;
        }
    }
}

void ItemArrayRelease(TreeCtl *ctl) {
    LumFree(ctl->items);
    LumFree(ctl->rowBlocks);
    ctl->items = nullptr;
    ctl->rowBlocks = nullptr;
    ctl->rowBlockCapacity = 0;
    ctl->spareSlots = 0;
}

void SetItemShown(TreeCtl *ctl, INT i, bool shown) {
    TreeItem *item = ctl->items[i];
    if (((item->flags & kItemShown) != 0) == shown) return;
    INT delta = shown ? 1 : -1;
    item->flags = shown ? (item->flags | kItemShown) : (item->flags & ~kItemShown);
    ctl->shownCount += delta;
    ctl->rowBlocks[i / kRowBlock] += delta;
}

void RecountRows(TreeCtl *ctl, INT first) {
    INT b = first / kRowBlock;
    for (; b * kRowBlock < ctl->itemCount; ++b) {
        INT start = b * kRowBlock;
        INT end = start + kRowBlock < ctl->itemCount ? start + kRowBlock : ctl->itemCount;
        ctl->rowBlocks[b] = CountShown(ctl, start, end);
    }
    // Blocks past the end hold no items.
    for (; b < ctl->rowBlockCapacity; ++b) ctl->rowBlocks[b] = 0;
}

INT ShownRowOf(const TreeCtl *ctl, INT i) {
    if (i < 0 || i >= ctl->itemCount) return 0;
    INT block = i / kRowBlock, row = 0;
    for (INT b = 0; b < block; ++b) row += ctl->rowBlocks[b];
    return row + CountShown(ctl, block * kRowBlock, i);
}

INT ItemAtShownRow(const TreeCtl *ctl, INT r) {
    if (r < 0 || r >= ctl->shownCount) return kNone;
    INT b = 0;
    while (r >= ctl->rowBlocks[b]) r -= ctl->rowBlocks[b++];
    for (INT i = b * kRowBlock;; ++i) {
        if (ShownBit(ctl->items[i]) && r-- == 0) return i;
    }
}
