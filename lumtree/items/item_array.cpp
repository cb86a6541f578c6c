// The item pointer array and the position index kept beside it.
//
// The array grows in steps of 256 slots and shrinks only when more than 512 slots are free, so
// runs of insertions or deletions do not reallocate on every call.
//
// The position index answers the structural questions without walking the list:
// - One byte per position holds the item's level (low seven bits) and its shown flag (top bit).
//   These bytes are the leaves of a complete binary tree whose inner nodes hold the lowest level
//   below them, so "the nearest item before (after) i whose level is at most x" costs O(log n).
//   Parent, sibling and subtree-end queries are such questions. Slots past the end hold
//   kEmptyLeaf, which is above every level and not shown.
// - Shown items are counted per block of kBlock positions, and a Fenwick tree over the block
//   counts gives the rows before a block in O(log n): the row of an item and the item at a row
//   cost O(log n + kBlock).
// Appending touches one leaf path and one block. Inserting or removing inside the list moves
// the leaf bytes behind the position and rebuilds what covers them, which costs about as much
// as moving the item pointers does. The number of leaves is a power of two at least as large as
// the array's capacity; it doubles when the array outgrows it, so rebuilding the whole index is
// amortised over the insertions that led to it. The pointer array is allocated with the same
// number of slots; itemCount + spareSlots is the capacity the growth and shrink rules count.
#include "items.h"

#include <cstring>

namespace {

// The leaf layout that ItemShown and LevelOf (items.h) read.
constexpr BYTE kShownBit = 0x80;
constexpr BYTE kLevelBits = 0x7F;
constexpr BYTE kEmptyLeaf = 0x7F;
constexpr INT kBlock = 64;
constexpr INT kMinLeaves = 256;

BYTE LeafFor(const TreeItem *item) {
    return static_cast<BYTE>(item->level | ((item->flags & kItemShown) ? kShownBit : 0));
}

BYTE *Leaves(const TreeCtl *ctl) {
    return ctl->levelTree + ctl->indexLeaves;
}

INT BlockCount(const TreeCtl *ctl) {
    return ctl->indexLeaves / kBlock;
}

// Level of a tree node: inner nodes hold it whole, leaves carry the shown bit beside it.
BYTE NodeLevel(const TreeCtl *ctl, INT v) {
    BYTE b = ctl->levelTree[v];
    return v >= ctl->indexLeaves ? static_cast<BYTE>(b & kLevelBits) : b;
}

void Pull(TreeCtl *ctl, INT v) {
    BYTE a = NodeLevel(ctl, 2 * v), b = NodeLevel(ctl, 2 * v + 1);
    ctl->levelTree[v] = a < b ? a : b;
}

// Refreshes the inner nodes above one leaf; stops where a node keeps its value.
void FixPath(TreeCtl *ctl, INT pos) {
    for (INT v = (ctl->indexLeaves + pos) >> 1; v >= 1; v >>= 1) {
        BYTE old = ctl->levelTree[v];
        Pull(ctl, v);
        if (ctl->levelTree[v] == old) break;
    }
}

// Refreshes the inner nodes above the leaves [from, to).
void FixRange(TreeCtl *ctl, INT from, INT to) {
    if (from >= to) return;
    INT lo = ctl->indexLeaves + from, hi = ctl->indexLeaves + to - 1;
    while (lo > 1) {
        lo >>= 1;
        hi >>= 1;
        for (INT v = lo; v <= hi; ++v) Pull(ctl, v);
    }
}

INT CountShownLeaves(const TreeCtl *ctl, INT from, INT to) {
    const BYTE *leaf = Leaves(ctl);
    INT n = 0;
    for (INT i = from; i < to; ++i) n += leaf[i] >> 7;
    return n;
}

void FenwickAdd(TreeCtl *ctl, INT block, INT delta) {
    INT blocks = BlockCount(ctl);
    for (INT k = block + 1; k <= blocks; k += k & -k) ctl->rowTree[k] += delta;
}

// Shown items in the blocks before `block`.
INT FenwickPrefix(const TreeCtl *ctl, INT block) {
    INT sum = 0;
    for (INT k = block; k > 0; k -= k & -k) sum += ctl->rowTree[k];
    return sum;
}

void FenwickBuild(TreeCtl *ctl) {
    INT blocks = BlockCount(ctl);
    for (INT k = 1; k <= blocks; ++k) ctl->rowTree[k] = ctl->rowCounts[k - 1];
    for (INT k = 1; k <= blocks; ++k) {
        INT parent = k + (k & -k);
        if (parent <= blocks) ctl->rowTree[parent] += ctl->rowTree[k];
    }
}

// Recounts the blocks [first, last] after their leaves changed. Few blocks are corrected in
// the Fenwick tree one by one; many make rebuilding it whole the cheaper way.
void RecountBlocks(TreeCtl *ctl, INT first, INT last) {
    INT blocks = BlockCount(ctl);
    if (last >= blocks) last = blocks - 1;
    if (first > last) return;
    INT depth = 1;
    while ((1 << depth) < blocks) ++depth;
    bool rebuild = (last - first + 1) * depth > 2 * blocks;
    for (INT b = first; b <= last; ++b) {
        INT count = CountShownLeaves(ctl, b * kBlock, (b + 1) * kBlock);
        INT delta = count - ctl->rowCounts[b];
        if (delta == 0) continue;
        ctl->rowCounts[b] = count;
        if (!rebuild) FenwickAdd(ctl, b, delta);
    }
    if (rebuild) FenwickBuild(ctl);
}

// Replaces the index with one of at least `slots` leaves, filled from the old index (or, when
// there is none, from the records). False when it cannot be allocated; the old one stays.
bool RebuildIndex(TreeCtl *ctl, INT slots) {
    INT leaves = kMinLeaves;
    while (leaves < slots) leaves *= 2;
    INT blocks = leaves / kBlock;
    size_t bytes = 2 * static_cast<size_t>(leaves) + sizeof(INT) * (2 * blocks + 1);
    auto *tree = static_cast<BYTE *>(LumAlloc(bytes));
    if (!tree) return false;
    BYTE *leaf = tree + leaves;
    INT n = ctl->itemCount;
    if (ctl->levelTree) {
        std::memcpy(leaf, Leaves(ctl), static_cast<size_t>(n));
    } else {
        for (INT i = 0; i < n; ++i) leaf[i] = LeafFor(ctl->items[i]);
    }
    std::memset(leaf + n, kEmptyLeaf, static_cast<size_t>(leaves - n));
    LumFree(ctl->levelTree);
    ctl->levelTree = tree;
    ctl->indexLeaves = leaves;
    ctl->rowCounts = reinterpret_cast<INT *>(tree + 2 * static_cast<size_t>(leaves));
    ctl->rowTree = ctl->rowCounts + blocks;
    tree[0] = kEmptyLeaf;
    for (INT v = leaves - 1; v >= 1; --v) Pull(ctl, v);
    for (INT b = 0; b < blocks; ++b) {
        ctl->rowCounts[b] = CountShownLeaves(ctl, b * kBlock, (b + 1) * kBlock);
    }
    FenwickBuild(ctl);
    return true;
}

// Spare slots after `count` single deletions starting with `spare`: each adds one, and on
// reaching kShrinkAt the array is cut back to kArrayStep spare slots.
INT SpareAfterDeletions(INT spare, INT count) {
    if (spare + count < kShrinkAt) return spare + count;
    INT first = spare + 1 >= kShrinkAt ? 1 : kShrinkAt - spare;
    return kArrayStep + (count - first) % (kShrinkAt - kArrayStep);
}

} // namespace

namespace {

// Grows the pointer array and the index to at least `slots` slots. The array's allocation
// follows the index's power-of-two size, not the 256-slot steps of spareSlots, so that a long
// run of appends copies the array only O(log n) times; it is never smaller than the index.
bool ReserveSlots(TreeCtl *ctl, INT slots) {
    if (ctl->items && slots <= ctl->indexLeaves) return true;
    INT leaves = ctl->indexLeaves ? ctl->indexLeaves : kMinLeaves;
    while (leaves < slots) leaves *= 2;
    auto *array = static_cast<TreeItem **>(LumRealloc(ctl->items, sizeof(TreeItem *) * leaves));
    if (!array) return false;
    ctl->items = array;
    return RebuildIndex(ctl, leaves);
}

} // namespace

bool ItemArrayReserve(TreeCtl *ctl) {
    if (!ctl->items || ctl->spareSlots == 0) {
        bool first = !ctl->items;
        if (!ReserveSlots(ctl, ctl->itemCount + kArrayStep)) {
            if (first) ItemArrayRelease(ctl);
            return false;
        }
        ctl->spareSlots = kArrayStep;
    }
    return true;
}

bool ItemArrayInsert(TreeCtl *ctl, INT pos, TreeItem *item) {
    if (!ItemArrayReserve(ctl)) return false;
    ++ctl->listVersion;
    INT oldCount = ctl->itemCount;
    size_t tail = static_cast<size_t>(oldCount - pos);
    std::memmove(ctl->items + pos + 1, ctl->items + pos, sizeof(TreeItem *) * tail);
    ctl->items[pos] = item;
    ++ctl->itemCount;
    --ctl->spareSlots;
    if (item->flags & kItemShown) ++ctl->shownCount;

    BYTE *leaf = Leaves(ctl);
    std::memmove(leaf + pos + 1, leaf + pos, tail);
    leaf[pos] = LeafFor(item);
    if (pos == oldCount) {
        FixPath(ctl, pos);
    } else {
        FixRange(ctl, pos, oldCount + 1);
    }
    RecountBlocks(ctl, pos / kBlock, oldCount / kBlock);
    return true;
}

TreeItem *ItemArrayRemove(TreeCtl *ctl, INT pos) {
    TreeItem *item = ctl->items[pos];
    ItemArrayRemoveRun(ctl, pos, 1);
    return item;
}

void ItemArrayRemoveRun(TreeCtl *ctl, INT pos, INT count) {
    if (count <= 0) return;
    ++ctl->listVersion;
    INT oldCount = ctl->itemCount;
    size_t tail = static_cast<size_t>(oldCount - pos - count);
    BYTE *leaf = Leaves(ctl);
    ctl->shownCount -= CountShownLeaves(ctl, pos, pos + count);
    std::memmove(ctl->items + pos, ctl->items + pos + count, sizeof(TreeItem *) * tail);
    std::memmove(leaf + pos, leaf + pos + count, tail);
    std::memset(leaf + oldCount - count, kEmptyLeaf, static_cast<size_t>(count));
    ctl->itemCount -= count;
    const INT oldSpare = ctl->spareSlots;
    if (ctl->itemCount == 0) {
        ItemArrayRelease(ctl);
        return;
    }
    FixRange(ctl, pos, oldCount);
    RecountBlocks(ctl, pos / kBlock, (oldCount - 1) / kBlock);

    // The spare slots end as deleting one item at a time would leave them.
    ctl->spareSlots = SpareAfterDeletions(oldSpare, count);
    // A much smaller list gets a smaller index and array; when either allocation fails the
    // larger one still serves.
    INT slots = ctl->itemCount + ctl->spareSlots;
    if (ctl->indexLeaves > kMinLeaves && slots * 4 <= ctl->indexLeaves &&
        RebuildIndex(ctl, slots)) {
        auto *array =
            static_cast<TreeItem **>(LumRealloc(ctl->items, sizeof(TreeItem *) * ctl->indexLeaves));
        if (array) ctl->items = array;
    }
}

void ItemArrayRelease(TreeCtl *ctl) {
    LumFree(ctl->items);
    LumFree(ctl->levelTree);
    ctl->items = nullptr;
    ctl->levelTree = nullptr;
    ctl->rowCounts = ctl->rowTree = nullptr;
    ctl->indexLeaves = 0;
    ctl->spareSlots = 0;
}

void SetItemShown(TreeCtl *ctl, INT i, bool shown) {
    TreeItem *item = ctl->items[i];
    if (((item->flags & kItemShown) != 0) == shown) return;
    INT delta = shown ? 1 : -1;
    item->flags = shown ? (item->flags | kItemShown) : (item->flags & ~kItemShown);
    BYTE &leaf = Leaves(ctl)[i];
    leaf = static_cast<BYTE>(shown ? (leaf | kShownBit) : (leaf & kLevelBits));
    ctl->shownCount += delta;
    ctl->rowCounts[i / kBlock] += delta;
    FenwickAdd(ctl, i / kBlock, delta);
}

void StoreItemLevel(TreeCtl *ctl, INT i, INT level) {
    ctl->items[i]->level = static_cast<WORD>(level);
    BYTE &leaf = Leaves(ctl)[i];
    leaf = static_cast<BYTE>((leaf & kShownBit) | level);
    FixPath(ctl, i);
}

void ReindexItems(TreeCtl *ctl, INT first, INT end) {
    if (first < 0) first = 0;
    if (end > ctl->itemCount) end = ctl->itemCount;
    if (first >= end) return;
    ++ctl->listVersion;
    BYTE *leaf = Leaves(ctl);
    for (INT i = first; i < end; ++i) leaf[i] = LeafFor(ctl->items[i]);
    FixRange(ctl, first, end);
    RecountBlocks(ctl, first / kBlock, (end - 1) / kBlock);
}

INT PrevAtMost(const TreeCtl *ctl, INT i, INT level) {
    if (i > ctl->itemCount) i = ctl->itemCount;
    if (i <= 0 || level < 0) return kNone;
    INT v = ctl->indexLeaves + i - 1;
    for (;;) {
        if (NodeLevel(ctl, v) <= level) {
            while (v < ctl->indexLeaves) v = NodeLevel(ctl, 2 * v + 1) <= level ? 2 * v + 1 : 2 * v;
            return v - ctl->indexLeaves;
        }
        // Step to the subtree just left of v.
        while ((v & 1) == 0) v >>= 1;
        if (v == 1) return kNone;
        --v;
    }
}

INT NextAtMost(const TreeCtl *ctl, INT i, INT level) {
    INT j = i < 0 ? 0 : i + 1;
    if (j >= ctl->itemCount || level < 0) return kNone;
    INT v = ctl->indexLeaves + j;
    for (;;) {
        if (NodeLevel(ctl, v) <= level) {
            while (v < ctl->indexLeaves) v = NodeLevel(ctl, 2 * v) <= level ? 2 * v : 2 * v + 1;
            return v - ctl->indexLeaves;
        }
        // Step to the subtree just right of v.
        while (v & 1) v >>= 1;
        if (v == 0) return kNone;
        ++v;
    }
}

INT ShownRowOf(const TreeCtl *ctl, INT i) {
    if (i < 0 || i >= ctl->itemCount) return 0;
    INT block = i / kBlock;
    return FenwickPrefix(ctl, block) + CountShownLeaves(ctl, block * kBlock, i);
}

INT ItemAtShownRow(const TreeCtl *ctl, INT r) {
    if (r < 0 || r >= ctl->shownCount) return kNone;
    INT blocks = BlockCount(ctl), block = 0, step = 1;
    while (step * 2 <= blocks) step *= 2;
    for (; step > 0; step >>= 1) {
        if (block + step <= blocks && ctl->rowTree[block + step] <= r) {
            block += step;
            r -= ctl->rowTree[block];
        }
    }
    const BYTE *leaf = Leaves(ctl);
    for (INT i = block * kBlock;; ++i) {
        if ((leaf[i] & kShownBit) && r-- == 0) return i;
    }
}

bool CheckItemIndex(const TreeCtl *ctl) {
    if (ctl->itemCount == 0) {
        return ctl->levelTree == nullptr && ctl->shownCount == 0 && ctl->selectedCount == 0;
    }
    if (!ctl->levelTree || ctl->indexLeaves < ctl->itemCount + ctl->spareSlots) return false;
    const BYTE *leaf = Leaves(ctl);
    INT shown = 0;
    for (INT i = 0; i < ctl->indexLeaves; ++i) {
        BYTE want = i < ctl->itemCount ? LeafFor(ctl->items[i]) : kEmptyLeaf;
        if (leaf[i] != want) return false;
        shown += leaf[i] >> 7;
    }
    if (shown != ctl->shownCount) return false;
    INT selected = 0;
    for (INT i = 0; i < ctl->itemCount; ++i)
        selected += (ctl->items[i]->flags & kItemSelected) != 0;
    if (selected != ctl->selectedCount) return false;
    for (INT v = 1; v < ctl->indexLeaves; ++v) {
        BYTE a = NodeLevel(ctl, 2 * v), b = NodeLevel(ctl, 2 * v + 1);
        if (ctl->levelTree[v] != (a < b ? a : b)) return false;
    }
    for (INT b = 0; b < BlockCount(ctl); ++b) {
        if (ctl->rowCounts[b] != CountShownLeaves(ctl, b * kBlock, (b + 1) * kBlock)) return false;
        if (FenwickPrefix(ctl, b + 1) - FenwickPrefix(ctl, b) != ctl->rowCounts[b]) return false;
    }
    return true;
}
