// Tree lines: for each painted row, the level of its parent, whether it has a later sibling,
// and which ancestors continue past it (a full-height line at their parent's column).
//
// Read off the levels alone, each of these is a scan: the parent is the nearest earlier item
// with a smaller level, and an item has a later sibling when the first item after its subtree
// lies deeper than its parent. Done row by row that costs a walk over every sibling above a
// row and over every subtree below it, again for every ancestor. The walker instead keeps the
// chain of open ancestors while the rows come down the page, and answers "first item after
// row k with a level of at most l" from one forward scan per level that later rows reuse.
#include "render.h"

#include "../items/items.h"

namespace {

// Takes item i into the chain: the entries at its level or deeper are closed by it.
void Push(LineWalker *w, const TreeCtl *ctl, INT i) {
    const INT level = LevelOf(ctl, i);
    while (w->depth > 0 && LevelOf(ctl, w->chain[w->depth - 1]) >= level) --w->depth;
    w->chain[w->depth++] = i;
}

// First index after k whose level is at most `level`, or itemCount.
INT FirstAtOrAbove(LineWalker *w, const TreeCtl *ctl, INT k, INT level) {
    if (w->scanFrom[level] <= k && k < w->scanHit[level]) return w->scanHit[level];
    INT j = k + 1;
    while (j < ctl->itemCount && LevelOf(ctl, j) > level) ++j;
    w->scanFrom[level] = k;
    w->scanHit[level] = j;
    return j;
}

// Whether an item whose subtree ends where row k's scan finds the next item at its level or
// above has a later sibling under a parent of level parentLevel.
bool HasLaterSibling(LineWalker *w, const TreeCtl *ctl, INT k, INT level, INT parentLevel) {
    const INT j = FirstAtOrAbove(w, ctl, k, level);
    return j < ctl->itemCount && LevelOf(ctl, j) > parentLevel;
}

} // namespace

void LineWalkerStart(LineWalker *w, const TreeCtl *ctl, INT first) {
    *w = LineWalker{};
    for (INT l = 0; l <= kMaxLevel; ++l) w->scanFrom[l] = w->scanHit[l] = -1;
    w->next = first;
    if (first <= 0 || first > ctl->itemCount) return;
    // The chain of the item before the first row: that item and its ancestors, found by one
    // walk back to a level-0 item.
    INT found[kMaxLevel + 2];
    INT n = 0;
    INT level = kMaxLevel + 1;
    for (INT j = first - 1; j >= 0 && level > 0; --j) {
        const INT l = LevelOf(ctl, j);
        if (l < level) {
            found[n++] = j;
            level = l;
        }
    }
    for (INT k = n - 1; k >= 0; --k) w->chain[w->depth++] = found[k];
}

RowLines LineWalkerRow(LineWalker *w, const TreeCtl *ctl, INT index) {
    for (INT j = w->next; j < index; ++j) Push(w, ctl, j);
    const INT level = LevelOf(ctl, index);
    while (w->depth > 0 && LevelOf(ctl, w->chain[w->depth - 1]) >= level) --w->depth;

    RowLines lines;
    if (w->depth > 0) lines.parentLevel = LevelOf(ctl, w->chain[w->depth - 1]);
    if (level >= 1) {
        lines.laterSibling = HasLaterSibling(w, ctl, index, level, lines.parentLevel);
    }
    // Ancestors from the parent up to the first one at level 0.
    for (INT a = w->depth - 1; a >= 0; --a) {
        const INT ancestorLevel = LevelOf(ctl, w->chain[a]);
        if (ancestorLevel == 0) break;
        const INT grandLevel = a > 0 ? LevelOf(ctl, w->chain[a - 1]) : 0;
        if (HasLaterSibling(w, ctl, index, ancestorLevel, grandLevel)) {
            lines.ancestorColumns |= uint64_t{1} << grandLevel;
        }
    }
    w->chain[w->depth++] = index;
    w->next = index + 1;
    return lines;
}

RowLines LinesOfRow(const TreeCtl *ctl, INT index) {
    LineWalker walker;
    LineWalkerStart(&walker, ctl, index);
    return LineWalkerRow(&walker, ctl, index);
}
