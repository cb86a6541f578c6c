// Tree relations read off the levels, and the show/expand changes of the shown flags.
#include "items.h"

#include "../layout/layout.h"

namespace {

// Neighbouring shown items are usually close; past this many hidden items the row index is
// cheaper than walking on.
constexpr INT kShortWalk = 64;

} // namespace

INT ParentOf(const TreeCtl *ctl, INT i) {
    INT level = LevelOf(ctl, i);
    if (level == 0) return kNone;
    for (INT j = i - 1; j >= 0; --j) {
        if (LevelOf(ctl, j) < level) return j;
    }
    return kNone;
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

INT PrevSibling(const TreeCtl *ctl, INT i) {
    INT level = LevelOf(ctl, i);
    for (INT j = i - 1; j >= 0; --j) {
        INT l = LevelOf(ctl, j);
        if (l == level) return j;
        if (l < level) break;
    }
    return kNone;
}

INT NextSibling(const TreeCtl *ctl, INT i) {
    INT level = LevelOf(ctl, i);
    for (INT j = i + 1; j < ctl->itemCount; ++j) {
        INT l = LevelOf(ctl, j);
        if (l == level) return j;
        if (l < level) break;
    }
    return kNone;
}

INT SubtreeEnd(const TreeCtl *ctl, INT i) {
    INT level = LevelOf(ctl, i), j = i + 1;
    while (j < ctl->itemCount && LevelOf(ctl, j) > level) ++j;
    return j;
}

INT LastShown(const TreeCtl *ctl) {
    return ItemAtShownRow(ctl, ctl->shownCount - 1);
}

bool ShowItem(TreeCtl *ctl, INT i, bool show) {
    if (!ValidIndex(ctl, i)) return false;
    EndEditRequest(ctl);
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
    if (!ItemShown(ctl, i) || !HasChildren(ctl, i)) return false;
    if (IsExpanded(ctl, i) == expand) return true;
    INT level = LevelOf(ctl, i);
    INT limit = LevelOf(ctl, i + 1);
    for (INT j = i + 1; j < ctl->itemCount && LevelOf(ctl, j) > level; ++j) {
        INT lj = LevelOf(ctl, j);
        if (expand && !allLevels && lj > limit) continue;
        if (ItemShown(ctl, j) != expand) {
            if (!expand) {
                if (j == ctl->caret) {
                    ctl->caret = NearestShown(ctl, j);
                    InvalidateRows(ctl, j, false, true, true);
                    InvalidateRows(ctl, ctl->caret, false, true, true);
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
