// Tree relations read off the levels, and the show/expand changes of the shown flags.
#include "items.h"

#include "../access/access.h"
#include "../layout/layout.h"

namespace {

// Neighbouring shown items are usually close; past this many hidden items the row index is
// cheaper than walking on.
constexpr INT kShortWalk = 64;

} // namespace

INT ParentOf(const TreeCtl *ctl, INT i) {
    return PrevAtMost(ctl, i, LevelOf(ctl, i) - 1);
}

bool HasChildren(const TreeCtl *ctl, INT i) {
    return i >= 0 && i + 1 < ctl->itemCount && LevelOf(ctl, i + 1) > LevelOf(ctl, i);
}

bool IsExpanded(const TreeCtl *ctl, INT i) {
    return ItemShown(ctl, i) && HasChildren(ctl, i) && ItemShown(ctl, i + 1);
}

INT NextShown(const TreeCtl *ctl, INT i) {
    INT stop = i + 1 + kShortWalk < ctl->itemCount ? i + 1 + kShortWalk : ctl->itemCount;
    for (INT j = i + 1; j < stop; ++j) {
        if (ItemShown(ctl, j)) return j;
    }
    if (stop == ctl->itemCount) return kNone;
    return ItemAtShownRow(ctl, ShownRowOf(ctl, stop));
}

INT PrevShown(const TreeCtl *ctl, INT i) {
    if (i >= ctl->itemCount) return kNone;
    INT stop = i - kShortWalk > 0 ? i - kShortWalk : 0;
    for (INT j = i - 1; j >= stop; --j) {
        if (ItemShown(ctl, j)) return j;
    }
    if (stop == 0) return kNone;
    INT row = ShownRowOf(ctl, stop);
    return row > 0 ? ItemAtShownRow(ctl, row - 1) : kNone;
}

// A sibling is the nearest item of the same level before a lower level intervenes, so the
// nearest item at or below the level decides: it is the sibling when its level is equal.
INT PrevSibling(const TreeCtl *ctl, INT i) {
    INT level = LevelOf(ctl, i);
    INT j = PrevAtMost(ctl, i, level);
    return j >= 0 && LevelOf(ctl, j) == level ? j : kNone;
}

INT NextSibling(const TreeCtl *ctl, INT i) {
    INT level = LevelOf(ctl, i);
    INT j = NextAtMost(ctl, i, level);
    return j >= 0 && LevelOf(ctl, j) == level ? j : kNone;
}

INT FirstSibling(const TreeCtl *ctl, INT i) {
    INT level = LevelOf(ctl, i);
    // Everything between the parent (or the start) and i is at least as deep as i.
    return NextAtMost(ctl, PrevAtMost(ctl, i, level - 1), level);
}

INT LastSibling(const TreeCtl *ctl, INT i) {
    INT level = LevelOf(ctl, i);
    INT end = NextAtMost(ctl, i, level - 1);
    return PrevAtMost(ctl, end < 0 ? ctl->itemCount : end, level);
}

INT SubtreeEnd(const TreeCtl *ctl, INT i) {
    INT j = NextAtMost(ctl, i, LevelOf(ctl, i));
    return j < 0 ? ctl->itemCount : j;
}

INT RootOf(const TreeCtl *ctl, INT i) {
    INT level = LevelOf(ctl, i);
    if (level == 0) return kNone;
    // Walking back, the scan stops at the first level-0 item; without one, the earliest item
    // with a lower level is the last one it passed.
    INT root = PrevAtMost(ctl, i, 0);
    if (root >= 0) return root;
    INT first = NextAtMost(ctl, kNone, level - 1);
    return first >= 0 && first < i ? first : kNone;
}

INT ChildCount(const TreeCtl *ctl, INT i, bool all) {
    INT end = SubtreeEnd(ctl, i);
    if (all) return end - i - 1;
    // Every item of the subtree is at least one level deeper: hop from child to child.
    INT level = LevelOf(ctl, i) + 1, count = 0;
    for (INT j = NextAtMost(ctl, i, level); j >= 0 && j < end; j = NextAtMost(ctl, j, level)) {
        ++count;
    }
    return count;
}

INT LastShown(const TreeCtl *ctl) {
    return ItemAtShownRow(ctl, ctl->shownCount - 1);
}

// The index is checked again after the end-edit request: the parent may change the list while
// answering it.
bool ShowItem(TreeCtl *ctl, INT i, bool show) {
    if (!ValidIndex(ctl, i)) return false;
    EndEditRequest(ctl);
    if (!ValidIndex(ctl, i)) return false;
    if (ItemShown(ctl, i) == show) return true;
    if (LevelOf(ctl, i) == 0) return false;
    INT parent = ParentOf(ctl, i);
    if (parent < 0) return false;
    if (show) return ShowItem(ctl, parent, true) && ExpandItem(ctl, parent, true, false);
    return ExpandItem(ctl, parent, false, false);
}

namespace {

// Where the caret or the top item goes when its row is collapsed away.
INT NearestShown(const TreeCtl *ctl, INT j) {
    INT k = PrevShown(ctl, j);
    if (k < 0) k = NextShown(ctl, j);
    return k < 0 ? 0 : k;
}

} // namespace

bool ExpandItem(TreeCtl *ctl, INT i, bool expand, bool allLevels) {
    if (!ValidIndex(ctl, i)) return false;
    EndEditRequest(ctl);
    if (!ValidIndex(ctl, i)) return false;
    if (!ItemShown(ctl, i) || !HasChildren(ctl, i)) return false;
    if (IsExpanded(ctl, i) == expand) return true;
    INT limit = LevelOf(ctl, i + 1);
    bool hop = expand && !allLevels;
    INT end = SubtreeEnd(ctl, i);
    for (INT j = i + 1; j < end; j = hop ? NextAtMost(ctl, j, limit) : j + 1) {
        // Expanding one level passes over the items deeper than the limit; they stay hidden.
        if (j < 0) break;
        INT lj = LevelOf(ctl, j);
        if (ItemShown(ctl, j) != expand) {
            if (!expand) {
                if (j == ctl->caret) {
                    ctl->caret = NearestShown(ctl, j);
                    InvalidateRows(ctl, j, false, true, true);
                    InvalidateRows(ctl, ctl->caret, false, true, true);
                    AccessEvent(ctl, EVENT_OBJECT_FOCUS, ctl->caret);
                }
                if (j == ctl->topIndex) {
                    ctl->topIndex = NearestShown(ctl, j);
                    if (DrawingLive(ctl)) InvalidateRect(ctl->window, nullptr, FALSE);
                }
            }
            SetItemShown(ctl, j, expand);
        }
        if (expand && lj < limit && HasChildren(ctl, j)) limit = lj;
    }
    InvalidateRows(ctl, i, true, true, true);
    UpdateVScrollBar(ctl);
    AccessEvent(ctl, EVENT_OBJECT_STATECHANGE, i);
    return true;
}

void EnsureVisible(TreeCtl *ctl, INT i) {
    EndEditRequest(ctl);
    if (!ValidIndex(ctl, i) || !ShowItem(ctl, i, true)) return;
    INT target = ctl->topIndex;
    if (i >= ctl->topIndex) {
        INT row = ShownRowOf(ctl, i);
        if (row - ShownRowOf(ctl, ctl->topIndex) >= ctl->fullRows) {
            INT top = row - ctl->fullRows + 1;
            target = ItemAtRow(ctl, top > 0 ? top : 0);
        }
    } else {
        target = i;
    }
    if (target != ctl->topIndex) ScrollToTop(ctl, target);
}
