// Layout messages: metrics, rows and rectangles, and scrolling here; columns, labels with the
// corner, and the display switches in their own files.
#include "layout.h"

#include "../items/items.h"

namespace {

// Writes a rectangle into the caller's record; a null record is ignored.
LRESULT StoreRect(LPARAM lp, const RECT &rect) {
    if (auto *out = reinterpret_cast<RECT *>(lp)) *out = rect;
    return 0;
}

// LUMTREEM_GETCELLRECT: the cell of item wp (below 0: the caret) in the column *lp (below 0:
// the column of the last mouse press, written back). The result is the address of cellRect.
LRESULT GetCellRect(TreeCtl *ctl, WPARAM wp, LPARAM lp) {
    auto *column = reinterpret_cast<INT *>(lp);
    if (!column) return 0;
    if (*column < 0) *column = ctl->lastClickColumn;
    INT i = static_cast<INT>(wp);
    if (i < 0) i = ctl->caret;
    const INT c = *column;
    if (!ValidIndex(ctl, i) || c < 0 || c >= ctl->columnCount) return 0;
    RECT rect;
    if (!CellRect(ctl, i, c, &rect)) return 0;
    ctl->cellRect = rect;
    return reinterpret_cast<LRESULT>(&ctl->cellRect);
}

// LUMTREEM_GETLABELRECT: empty while labels are off and for items that are not on screen.
RECT LabelRectOf(const TreeCtl *ctl, INT i) {
    RECT rect{};
    if (ctl->showLabels && (i == kNone || ValidIndex(ctl, i))) LabelRect(ctl, i, &rect);
    return rect;
}

void SetLinesPerItem(TreeCtl *ctl, INT lines) {
    if (lines < 1) return;
    EndEditRequest(ctl);
    if (lines == ctl->linesPerItem) return;
    ctl->linesPerItem = lines;
    RecalcRowHeight(ctl);
    InvalidateItemArea(ctl, true);
}

bool GeometryMessage(TreeCtl *ctl, UINT msg, WPARAM wp, LPARAM lp, LRESULT *result) {
    *result = 0;
    switch (msg) {
    case LUMTREEM_GETROWHEIGHT: *result = ctl->rowHeight; return true;
    case LUMTREEM_GETPAGEROWS: *result = ctl->pageRows; return true;
    case LUMTREEM_GETFULLROWS: *result = ctl->fullRows; return true;
    case LUMTREEM_GETTREEWIDTH: *result = ctl->treeWidth; return true;
    case LUMTREEM_SETLINESPERITEM: SetLinesPerItem(ctl, static_cast<INT>(wp)); return true;
    case LUMTREEM_GETLINESPERITEM: *result = ctl->linesPerItem; return true;
    case LUMTREEM_GETCELLRECT: *result = GetCellRect(ctl, wp, lp); return true;
    case LUMTREEM_FITHEIGHT: FitHeight(ctl, static_cast<INT>(wp)); return true;
    case LUMTREEM_GETCORNERRECT: *result = StoreRect(lp, CornerRect(ctl)); return true;
    case LUMTREEM_GETCOLUMNHEADERRECT:
        *result = StoreRect(lp, ColumnHeaderRect(ctl, IndexParam(ctl, wp)));
        return true;
    case LUMTREEM_GETLABELRECT:
        *result = StoreRect(lp, LabelRectOf(ctl, IndexParam(ctl, wp)));
        return true;
    case LUMTREEM_ITEMFROMPOINT:
    case LUMTREEM_ITEMORENDFROMPOINT: {
        auto *pt = reinterpret_cast<const POINT *>(lp);
        if (!pt) {
            *result = kNone;
        } else {
            *result = msg == LUMTREEM_ITEMFROMPOINT ? ItemFromPoint(ctl, *pt)
                                                    : ItemOrEndFromPoint(ctl, *pt);
        }
        return true;
    }
    default: return false;
    }
}

bool ScrollMessage(TreeCtl *ctl, UINT msg, WPARAM wp, LPARAM, LRESULT *result) {
    *result = 0;
    switch (msg) {
    case LUMTREEM_GETTOPINDEX: *result = ctl->topIndex; return true;
    case LUMTREEM_SETTOPINDEX: *result = SetTopIndex(ctl, static_cast<INT>(wp)); return true;
    case LUMTREEM_SETDISABLENOSCROLL: SetDisableNoScroll(ctl, wp != 0); return true;
    case LUMTREEM_GETHEXTENT: *result = ctl->horizontalExtent; return true;
    case LUMTREEM_SETHEXTENT: *result = SetHorizontalExtent(ctl, static_cast<INT>(wp)); return true;
    case LUMTREEM_FITHEXTENT: FitHorizontalExtent(ctl); return true;
    case LUMTREEM_GETHPOS: *result = ctl->horizontalPos; return true;
    case LUMTREEM_SETHPOS: *result = SetHorizontalPos(ctl, IndexParam(ctl, wp)); return true;
    case LUMTREEM_ENSURECOLUMNVISIBLE: EnsureColumnVisible(ctl, static_cast<INT>(wp)); return true;
    default: return false;
    }
}

} // namespace

bool LayoutMessage(TreeCtl *ctl, UINT msg, WPARAM wp, LPARAM lp, LRESULT *result) {
    return GeometryMessage(ctl, msg, wp, lp, result) || ScrollMessage(ctl, msg, wp, lp, result) ||
           ColumnMessage(ctl, msg, wp, lp, result) || LabelMessage(ctl, msg, wp, lp, result) ||
           OptionMessage(ctl, msg, wp, lp, result);
}
