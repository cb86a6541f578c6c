// Metrics and geometry: the division of the client area, the areas of a row, rows and points,
// the recomputation of row height, page size and tree width, and invalidation of those areas.
// All divisions truncate toward zero.
#include "layout.h"

#include "../frame/gdi.h"
#include "../items/items.h"

#include <algorithm>
#include <cstdint>

// Sizes are the application's to choose (lines per item, bitmaps, fonts, column widths), so
// their sums and products are taken in 64 bits and saturate at kMaxCoordinate: far beyond any
// screen, still far inside 32 bits, so that a row or an x position plus a screen's worth of
// pixels cannot wrap.
INT Saturate(int64_t value) {
    return static_cast<INT>(std::clamp<int64_t>(value, -kMaxCoordinate, kMaxCoordinate));
}

INT ItemBitmapAreaWidth(const TreeCtl *ctl) {
    return ctl->showItemBitmaps ? ctl->itemBitmapInfo.bmWidth + ctl->avgCharWidth : 0;
}
INT StateBitmapAreaWidth(const TreeCtl *ctl) {
    return ctl->showStateBitmaps ? ctl->stateBitmapInfo.bmWidth + ctl->avgCharWidth : 0;
}
INT RootButtonAreaWidth(const TreeCtl *ctl) {
    return ctl->showRootButtons ? ButtonWidth(ctl) + ctl->avgCharWidth : 0;
}
INT NodeBitmapAreaWidth(const TreeCtl *ctl) {
    return ctl->showNodeBitmaps ? ctl->nodeBitmapInfo.bmWidth + ctl->avgCharWidth : 0;
}
INT TreePartStart(const TreeCtl *ctl) {
    return ItemBitmapAreaWidth(ctl) + StateBitmapAreaWidth(ctl) + RootButtonAreaWidth(ctl);
}

INT HeaderHeight(const TreeCtl *ctl) {
    INT m = Margin(ctl);
    INT h = std::max<INT>(ctl->headerFontMetrics.tmHeight + m, ctl->headerBitmapInfo.bmHeight + m);
    if (ctl->showLabels) h = std::max<INT>(h, ctl->cornerBitmapInfo.bmHeight + m);
    return h;
}

INT IndentWidth(const TreeCtl *ctl) {
    if (ctl->showLines) {
        INT w = ctl->showNodeBitmaps ? ctl->nodeBitmapInfo.bmWidth : ctl->maxCharWidth;
        return ctl->showButtons ? std::max(w, ButtonWidth(ctl)) : w;
    }
    return ctl->showNodeBitmaps ? ctl->nodeBitmapInfo.bmWidth / 2 : ctl->maxCharWidth;
}

INT IndentOf(const TreeCtl *ctl, INT level) {
    INT gap = (ctl->showLines || ctl->extraIndent) ? ctl->avgCharWidth : 0;
    return Saturate(int64_t{IndentWidth(ctl)} * level + gap);
}

INT TextX(const TreeCtl *ctl, INT level) {
    return Saturate(int64_t{TreePartStart(ctl)} + NodeBitmapAreaWidth(ctl) + IndentOf(ctl, level));
}

INT ColumnLeft(const TreeCtl *ctl, INT column, INT level) {
    if (column == 0) return level < 0 ? 0 : TextX(ctl, level);
    int64_t x = ctl->treeWidth;
    for (INT c = 0; c < column; ++c) x += ctl->columns[c].width;
    return Saturate(x);
}

INT ColumnWidth(const TreeCtl *ctl, INT column, INT level) {
    INT last = ctl->columnCount - 1;
    if (column != last) return ColumnLeft(ctl, column + 1, level) - ColumnLeft(ctl, column, level);
    INT width = ctl->columns[column].width;
    if (width == LUMTREE_STRETCH) {
        RECT area = ItemAreaRect(ctl);
        INT a = area.right - area.left;
        INT right = ctl->horizontalExtent > a ? ctl->horizontalExtent : a;
        return Saturate(int64_t{right} - ColumnLeft(ctl, column, level));
    }
    return column > 0 ? width : Saturate(int64_t{ctl->treeWidth} + width);
}

RECT ClientRect(const TreeCtl *ctl) {
    RECT rc;
    GetClientRect(ctl->window, &rc);
    return rc;
}

RECT ItemAreaRect(const TreeCtl *ctl) {
    RECT rc = ClientRect(ctl);
    if (ctl->showHeader) rc.top += HeaderHeight(ctl);
    if (ctl->showLabels) rc.left += ctl->labelWidth;
    return rc;
}

RECT HeaderBarRect(const TreeCtl *ctl) {
    if (!ctl->showHeader) return RECT{};
    RECT rc = ClientRect(ctl);
    rc.bottom = rc.top + HeaderHeight(ctl);
    rc.left += ctl->labelWidth;
    return rc;
}

RECT LabelColumnRect(const TreeCtl *ctl) {
    RECT rc = ClientRect(ctl);
    if (ctl->showHeader) rc.top += HeaderHeight(ctl);
    rc.right = rc.left + ctl->labelWidth;
    return rc;
}

RECT CornerRect(const TreeCtl *ctl) {
    if (!ctl->showHeader || !ctl->showLabels) return RECT{};
    RECT rc = ClientRect(ctl);
    rc.bottom = rc.top + HeaderHeight(ctl);
    rc.right = rc.left + ctl->labelWidth;
    return rc;
}

INT ScreenRowOf(const TreeCtl *ctl, INT i) {
    INT s = ShownRowOf(ctl, i) - ShownRowOf(ctl, ctl->topIndex);
    return (s < 0 || s >= ctl->pageRows) ? kNone : s;
}

INT ItemAtScreenRow(const TreeCtl *ctl, INT r) {
    if (r < 0 || ctl->itemCount == 0) return kNone;
    return ItemAtShownRow(ctl, ShownRowOf(ctl, ctl->topIndex) + r);
}

namespace {

// The row of a shown item in view, cut out of a column of the client area.
bool RowIn(const TreeCtl *ctl, INT i, RECT area, RECT *rect) {
    *rect = RECT{};
    if (!ValidIndex(ctl, i) || !ItemShown(ctl, i)) return false;
    INT s = ScreenRowOf(ctl, i);
    if (s < 0) return false;
    area.top += s * ctl->rowHeight;
    area.bottom = std::min(area.bottom, area.top + ctl->rowHeight);
    *rect = area;
    return true;
}

} // namespace

bool RowRect(const TreeCtl *ctl, INT i, RECT *rect) {
    return RowIn(ctl, i, ItemAreaRect(ctl), rect);
}

bool LabelRect(const TreeCtl *ctl, INT i, RECT *rect) {
    if (i == kNone) {
        *rect = LabelColumnRect(ctl);
        return true;
    }
    return RowIn(ctl, i, LabelColumnRect(ctl), rect);
}

bool CellRect(const TreeCtl *ctl, INT i, INT column, RECT *rect) {
    if (!RowRect(ctl, i, rect)) return false;
    INT level = LevelOf(ctl, i);
    rect->left = ctl->labelWidth - ctl->horizontalPos + ColumnLeft(ctl, column, level);
    rect->right = rect->left + ColumnWidth(ctl, column, level);
    return true;
}

RECT ColumnHeaderRect(const TreeCtl *ctl, INT column) {
    RECT bar = HeaderBarRect(ctl);
    if (column == kNone) return bar;
    if (column < 0 || column >= ctl->columnCount || IsRectEmpty(&bar)) return RECT{};
    RECT rc = bar;
    rc.left = bar.left - ctl->horizontalPos + ColumnLeft(ctl, column, kNone);
    rc.right = rc.left + ColumnWidth(ctl, column, kNone);
    return rc;
}

namespace {

RECT ButtonBoxAt(const TreeCtl *ctl, INT x) {
    INT gap = (ctl->rowHeight - ButtonHeight(ctl)) / 2;
    return RECT{x, gap, x + ButtonWidth(ctl), ctl->rowHeight - gap};
}

} // namespace

RECT RootButtonBox(const TreeCtl *ctl) {
    return ButtonBoxAt(ctl,
                       ItemBitmapAreaWidth(ctl) + StateBitmapAreaWidth(ctl) + ctl->avgCharWidth);
}

RECT IndentButtonBox(const TreeCtl *ctl, INT parentLevel) {
    INT w = IndentWidth(ctl);
    return ButtonBoxAt(ctl, TreePartStart(ctl) + (w - ButtonWidth(ctl)) / 2 + w * parentLevel +
                                ctl->avgCharWidth);
}

INT TreeLineX(const TreeCtl *ctl, INT level) {
    INT w = IndentWidth(ctl);
    return Saturate(int64_t{TreePartStart(ctl)} + ctl->avgCharWidth + int64_t{w} * level + w / 2);
}

RECT ItemFrameRect(const TreeCtl *ctl, RECT row, INT contentLeft, INT level) {
    if (ctl->look3D) {
        row.left = contentLeft + TextX(ctl, level) + 2;
        row.top += 2;
        row.bottom -= 2;
        return row;
    }
    if (ctl->textOnlySelection) row.left = contentLeft + TextX(ctl, level);
    if (ctl->gridLines && (ctl->gridStyle == 1 || ctl->gridStyle == 2)) row.bottom -= 1;
    return row;
}

namespace {

// Screen row under a client y, or -1 outside the item area or at or below `rows` rows.
INT RowAtY(const TreeCtl *ctl, INT y, INT rows) {
    RECT area = ItemAreaRect(ctl);
    if (y < area.top || y >= area.bottom || ctl->rowHeight < 1) return kNone;
    INT r = (y - area.top) / ctl->rowHeight;
    return r >= rows ? kNone : r;
}

} // namespace

INT ItemFromPoint(const TreeCtl *ctl, POINT pt) {
    INT r = RowAtY(ctl, pt.y, ctl->fullRows);
    if (r < 0) return kNone;
    INT i = ItemAtScreenRow(ctl, r);
    if (i >= 0) return i;
    return ctl->itemCount > 0 ? ctl->itemCount - 1 : 0;
}

INT ItemOrEndFromPoint(const TreeCtl *ctl, POINT pt) {
    INT r = RowAtY(ctl, pt.y, ctl->pageRows);
    if (r < 0) return kNone;
    INT i = ItemAtScreenRow(ctl, r);
    return i >= 0 ? i : ctl->itemCount;
}

void ReadFontMetrics(const TreeCtl *ctl, HFONT font, TEXTMETRICA *tm) {
    gdi::WindowDC dc(ctl->window);
    gdi::Select selected(dc.get(), font);
    GetTextMetricsA(dc.get(), tm);
}

void RecalcRowHeight(TreeCtl *ctl) {
    const TEXTMETRICA &tm = ctl->fontMetrics;
    INT m = Margin(ctl);
    // Lines per item, font and bitmap heights are all the application's: the sum is taken in
    // 64 bits and a row stops at kMaxRowHeight, already thousands of screens.
    int64_t h = int64_t{ctl->linesPerItem} * tm.tmHeight + tm.tmDescent / 2;
    h = std::max<int64_t>(h, ctl->cellBitmapInfo.bmHeight);
    if (ctl->look3D) h += 4;
    if (ctl->showLabels) {
        INT k = IsFlatLabelStyle(ctl) ? 3 : m;
        h = std::max<int64_t>({h, int64_t{ctl->labelFontMetrics.tmHeight} + k,
                               int64_t{ctl->labelBitmapInfo.bmHeight} + k});
    }
    if (ctl->showItemBitmaps) h = std::max<int64_t>(h, ctl->itemBitmapInfo.bmHeight);
    if (ctl->showStateBitmaps) h = std::max<int64_t>(h, ctl->stateBitmapInfo.bmHeight);
    if (ctl->showNodeBitmaps) h = std::max<int64_t>(h, int64_t{ctl->nodeBitmapInfo.bmHeight} + 1);
    if (ctl->showButtons || ctl->showRootButtons) h = std::max<int64_t>(h, ButtonHeight(ctl));
    if (ctl->gridLines && !ctl->look3D && (ctl->gridStyle == 1 || ctl->gridStyle == 2)) h += 1;
    if (h % 2) h += 1;
    ctl->rowHeight = static_cast<INT>(std::min<int64_t>(h, kMaxRowHeight));
    RecalcPageRows(ctl);
    RecalcTreeWidth(ctl);
    UpdateVScrollBar(ctl);
    UpdateHScrollBar(ctl);
}

bool StoreBitmapSize(TreeCtl *ctl, BITMAP *info, const BITMAP &size) {
    const bool taller = size.bmHeight != info->bmHeight;
    *info = size;
    RecalcRowHeight(ctl);
    return taller;
}

void RecalcPageRows(TreeCtl *ctl) {
    RECT area = ItemAreaRect(ctl);
    INT h = area.bottom - area.top;
    if (ctl->rowHeight < 1) {
        ctl->pageRows = ctl->fullRows = 1;
    } else {
        ctl->pageRows = std::max(1, (h + ctl->rowHeight - 1) / ctl->rowHeight);
        ctl->fullRows = std::max(1, h / ctl->rowHeight);
    }
    EndEditRequest(ctl);
}

void RecalcTreeWidth(TreeCtl *ctl) {
    INT width = TextX(ctl, ctl->maxLevel);
    if (width == ctl->treeWidth) return;
    ctl->treeWidth = width;
    Notify(ctl, LUMTREEN_TREEWIDTHCHANGE);
}

void FitHeight(TreeCtl *ctl, INT height) {
    EndEditRequest(ctl);
    if (height < 0 || ctl->rowHeight < 1) return;
    if (height == 0) height = ctl->creationHeight;
    RECT window, area = ItemAreaRect(ctl);
    GetWindowRect(ctl->window, &window);
    INT rows = (area.bottom - area.top) - (window.bottom - window.top) + height;
    INT rest = rows % ctl->rowHeight;
    if (rest > 0) {
        SetWindowPos(ctl->window, nullptr, 0, 0, window.right - window.left, height - rest,
                     SWP_NOMOVE | SWP_NOZORDER);
    }
}

void InvalidateRows(TreeCtl *ctl, INT i, bool toEnd, bool withLabel, bool withItems) {
    if (!DrawingLive(ctl)) return;
    RECT rc = ItemAreaRect(ctl);
    if (withLabel) {
        rc.left = ClientRect(ctl).left;
        if (!withItems) rc.right = rc.left + ctl->labelWidth;
    }
    if (i == 0 && toEnd) {
        // The whole rectangle.
    } else if (i >= ctl->itemCount || (i == 0 && ctl->itemCount == 0)) {
        rc.bottom = std::min<LONG>(rc.bottom, rc.top + ctl->rowHeight);
    } else if (i < ctl->topIndex) {
        if (!toEnd) return;
    } else {
        if (!ItemShown(ctl, i)) return;
        INT s = ScreenRowOf(ctl, i);
        if (s < 0) return;
        rc.top += s * ctl->rowHeight;
        if (!toEnd) rc.bottom = std::min<LONG>(rc.bottom, rc.top + ctl->rowHeight);
    }
    InvalidateRect(ctl->window, &rc, FALSE);
}

void InvalidateIndexRange(TreeCtl *ctl, INT first, INT last) {
    if (!DrawingLive(ctl) || ctl->itemCount == 0) return;
    first = std::max(first, 0);
    last = std::min(last, ctl->itemCount - 1);
    if (first > last) return;
    INT top = ShownRowOf(ctl, ctl->topIndex);
    // Screen rows of the first and the last shown item of the range.
    INT from = ShownRowOf(ctl, first) - top;
    INT to = ShownRowOf(ctl, last) - top - (ItemShown(ctl, last) ? 0 : 1);
    from = std::max(from, 0);
    to = std::min(to, ctl->pageRows - 1);
    if (from > to) return;
    RECT rc = ItemAreaRect(ctl);
    LONG bottom = rc.top + (to + 1) * ctl->rowHeight;
    rc.top += from * ctl->rowHeight;
    rc.bottom = std::min(rc.bottom, bottom);
    InvalidateRect(ctl->window, &rc, FALSE);
}

void InvalidateAll(TreeCtl *ctl, bool erase) {
    if (DrawingLive(ctl)) InvalidateRect(ctl->window, nullptr, erase);
}

void InvalidateHeaderBar(TreeCtl *ctl) {
    RECT rc = HeaderBarRect(ctl);
    if (DrawingLive(ctl) && !IsRectEmpty(&rc)) InvalidateRect(ctl->window, &rc, FALSE);
}

void InvalidateCorner(TreeCtl *ctl) {
    RECT rc = CornerRect(ctl);
    if (DrawingLive(ctl) && !IsRectEmpty(&rc)) InvalidateRect(ctl->window, &rc, FALSE);
}

void InvalidateItemArea(TreeCtl *ctl, bool withLabels) {
    if (!DrawingLive(ctl)) return;
    RECT rc = ItemAreaRect(ctl);
    if (withLabels) rc.left = ClientRect(ctl).left;
    InvalidateRect(ctl->window, &rc, FALSE);
}
