// Finding items by data or text, and sorting the children of an item.
#include "items.h"

#include "../access/access.h"
#include "../layout/layout.h"
#include "../selection/selection.h"

#include <cstring>

// ---- Searches: forward from a start index to the end of the list, hidden items included ----

INT FindItemData(const TreeCtl *ctl, INT start, DWORD_PTR data) {
    if (!ValidIndex(ctl, start)) return kNone;
    for (INT i = start; i < ctl->itemCount; ++i) {
        if (ItemAt(ctl, i)->data == data) return i;
    }
    return kNone;
}

// Texts are compared without regard to case: in an ANSI control by the C runtime (ASCII
// letters are folded, and the runtime's locale folding applies when the application made a
// locale active), in a wide control by the platform, which folds every script.
INT FindItemText(const TreeCtl *ctl, INT start, const char *text, bool prefix) {
    if (!ValidIndex(ctl, start) || !text) return kNone;
    for (INT i = start; i < ctl->itemCount; ++i) {
        const char *t = ItemAt(ctl, i)->texts[ctl->textColumn];
        if (t && TextMatches(ctl, t, text, prefix)) return i;
    }
    return kNone;
}

// ---- Sort ----
//
// The order produced is the one of repeated bubble passes over the siblings, where each pass
// compares neighbouring siblings (the earlier one first) and swaps their subtrees when the
// result is above 0. For any consistent comparison that is the stable sorted order. With a
// text comparison a pair is skipped when either text is null, so a sibling without text never
// moves and no sibling passes it: the runs between such siblings are sorted each on its own.
// The siblings are merge sorted here, which gives the same order with O(k log k) comparisons,
// calling the routine with the earlier sibling first as the passes do; then every subtree is
// moved once to its new place. The comparison routine must not change the list; if it does,
// the sort stops and leaves the order as it was.

namespace {

INT CALLBACK DefaultTextCompare(HWND, LPCSTR first, LPCSTR second) {
    return lstrcmpA(first, second);
}
// The wide control's default: the texts are UTF-16 behind the ANSI callback type.
INT CALLBACK DefaultTextCompareWide(HWND, LPCSTR first, LPCSTR second) {
    return lstrcmpW(reinterpret_cast<LPCWSTR>(first), reinterpret_cast<LPCWSTR>(second));
}

struct SortJob {
    TreeCtl *ctl;
    LUMTREETEXTCOMPAREPROC textCompare;
    LUMTREEITEMCOMPAREPROC itemCompare;
    const INT *starts; // list index of each sibling; starts[k] is the end of the group
    UINT version;      // listVersion while the sort runs
    bool broken;       // the list changed during a comparison

    // True when sibling a (earlier) belongs after sibling b.
    bool After(INT a, INT b) {
        if (broken) return false;
        const TreeItem *x = ItemAt(ctl, starts[a]);
        const TreeItem *y = ItemAt(ctl, starts[b]);
        const char *tx = x->texts[ctl->textColumn];
        const char *ty = y->texts[ctl->textColumn];
        ForgetChildCheck();
        INT r = itemCompare ? itemCompare(ctl->window, tx, ty, x->data, y->data)
                            : textCompare(ctl->window, tx, ty);
        if (ctl->listVersion != version) broken = true;
        return !broken && r > 0;
    }

    // Stable bottom-up merge sort of order[0, n) with scratch space of n entries.
    void Sort(INT *order, INT *scratch, INT n) {
        INT *from = order, *to = scratch;
        for (INT width = 1; width < n; width *= 2) {
            for (INT lo = 0; lo < n; lo += 2 * width) {
                INT mid = lo + width < n ? lo + width : n;
                INT hi = lo + 2 * width < n ? lo + 2 * width : n;
                INT i = lo, j = mid, k = lo;
                // Runs already in order are copied without comparing every pair.
                if (mid < hi && !After(from[mid - 1], from[mid])) {
                    std::memcpy(to + lo, from + lo, sizeof(INT) * static_cast<size_t>(hi - lo));
                    continue;
                }
                while (i < mid && j < hi) to[k++] = After(from[i], from[j]) ? from[j++] : from[i++];
                while (i < mid) to[k++] = from[i++];
                while (j < hi) to[k++] = from[j++];
            }
            INT *t = from;
            from = to;
            to = t;
        }
        if (from != order) std::memcpy(order, from, sizeof(INT) * static_cast<size_t>(n));
    }
};

} // namespace

INT SortChildren(TreeCtl *ctl, INT parent, LUMTREETEXTCOMPAREPROC textCompare,
                 LUMTREEITEMCOMPAREPROC itemCompare) {
    EndEditRequest(ctl);
    if (parent < kNone || parent >= ctl->itemCount) return 0;
    // The group: the top-level siblings of item 0, or the children of parent.
    INT first;
    if (parent == kNone) {
        if (ctl->itemCount == 0) return 1;
        first = 0;
    } else {
        if (!HasChildren(ctl, parent)) return 1;
        first = parent + 1;
    }
    INT last = LastSibling(ctl, first);
    if (last <= first) return 1;
    if (!textCompare && !itemCompare)
        textCompare = ctl->wideText ? DefaultTextCompareWide : DefaultTextCompare;

    INT topRow = ShownRowOf(ctl, ctl->topIndex);
    INT caretRow = ShownRowOf(ctl, ctl->caret);

    INT count = 0;
    for (INT i = first; i >= 0 && i <= last; i = NextSibling(ctl, i)) ++count;
    INT end = SubtreeEnd(ctl, last);
    INT span = end - first;
    // One block: sibling starts (+ the end), the order, merge scratch, the moved pointers.
    size_t ints = 3 * static_cast<size_t>(count) + 1;
    auto *memory = static_cast<BYTE *>(
        LumAlloc(sizeof(INT) * ints + sizeof(TreeItem *) * static_cast<size_t>(span)));
    if (!memory) return 0;
    // Only now, with the memory in hand, does anything change.
    if (!IsMultiSel(ctl)) SetSelection(ctl, kNone);
    auto *moved = reinterpret_cast<TreeItem **>(memory);
    auto *starts = reinterpret_cast<INT *>(memory + sizeof(TreeItem *) * span);
    INT *order = starts + count + 1;
    INT *scratch = order + count;
    INT k = 0;
    for (INT i = first; i >= 0 && i <= last; i = NextSibling(ctl, i)) starts[k++] = i;
    starts[count] = end;
    for (k = 0; k < count; ++k) order[k] = k;

    SortJob job{ctl, textCompare, itemCompare, starts, ctl->listVersion, false};
    if (itemCompare) {
        job.Sort(order, scratch, count);
    } else {
        // Siblings without text stay where they are and split the group into runs.
        for (INT lo = 0; lo < count;) {
            auto hasText = [&](INT s) { return ItemAt(ctl, starts[s])->texts[ctl->textColumn]; };
            if (!hasText(lo)) {
                ++lo;
                continue;
            }
            INT hi = lo;
            while (hi < count && hasText(hi)) ++hi;
            job.Sort(order + lo, scratch + lo, hi - lo);
            lo = hi;
        }
    }
    if (!job.broken) {
        TreeItem **out = moved;
        for (k = 0; k < count; ++k) {
            INT s = order[k];
            size_t n = static_cast<size_t>(starts[s + 1] - starts[s]);
            std::memcpy(out, ctl->items + starts[s], sizeof(TreeItem *) * n);
            out += n;
        }
        std::memcpy(ctl->items + first, moved, sizeof(TreeItem *) * static_cast<size_t>(span));
        ReindexItems(ctl, first, end);
    }
    LumFree(memory);
    if (job.broken) return 0;

    // The top row and the caret row stay where they were, showing the items now there.
    ctl->anchor = kNone;
    ScrollToTop(ctl, ItemAtRow(ctl, topRow));
    CaretStep(ctl, ItemAtRow(ctl, caretRow));
    InvalidateRows(ctl, first, true, true, true);
    AccessEvent(ctl, EVENT_OBJECT_REORDER, kNone);
    return 1;
}
