// Tree lines: for a painted row, the level of its parent, whether it has a later sibling, and
// which ancestors continue past it (a full-height line at their parent's column).
//
// All of it is read off the levels: the parent is the nearest earlier item with a smaller
// level, and an item has a later sibling when the first item after its subtree (the next item
// at its level or above) lies deeper than its parent. The level index of the item store
// answers both questions without walking over siblings or subtrees, so a row costs a few
// queries per ancestor whatever the shape of the list.
#include "render.h"

#include "../items/items.h"

namespace {

bool HasLaterSibling(const TreeCtl *ctl, INT i, INT parentLevel) {
    const INT next = NextAtMost(ctl, i, LevelOf(ctl, i));
    return next >= 0 && LevelOf(ctl, next) > parentLevel;
}

// The parent of item i (nearest earlier item with a smaller level), -1 for none.
INT ParentAbove(const TreeCtl *ctl, INT i) {
    const INT level = LevelOf(ctl, i);
    return level == 0 ? kNone : PrevAtMost(ctl, i, level - 1);
}

} // namespace

RowLines LinesOfRow(const TreeCtl *ctl, INT index) {
    RowLines lines;
    if (LevelOf(ctl, index) == 0) return lines;
    const INT parent = ParentAbove(ctl, index);
    lines.parentLevel = parent >= 0 ? LevelOf(ctl, parent) : 0;
    lines.laterSibling = HasLaterSibling(ctl, index, lines.parentLevel);
    // Ancestors from the parent up to the first one at level 0.
    for (INT a = parent; a >= 0 && LevelOf(ctl, a) != 0;) {
        const INT grand = ParentAbove(ctl, a);
        const INT grandLevel = grand >= 0 ? LevelOf(ctl, grand) : 0;
        if (HasLaterSibling(ctl, a, grandLevel)) lines.ancestorColumns |= uint64_t{1} << grandLevel;
        a = grand;
    }
    return lines;
}
