// Layout: every position the control draws at or hit-tests against (the geometry routines),
// row invalidation, the scroll state with its scroll bars, columns, row labels, the corner and
// the display switches. Nothing else computes geometry.
#pragma once

#include "../frame/frame.h"

// ---- Metrics and geometry (layout/geometry.cpp) ----
// Frame margin around header, corner and label texts.
inline INT Margin(const TreeCtl *ctl) {
    return ctl->oldLook ? 5 : 3;
}
inline INT ButtonWidth(const TreeCtl *ctl) {
    return ctl->buttonBitmapInfo.bmWidth / 4;
}
inline INT ButtonHeight(const TreeCtl *ctl) {
    return ctl->buttonBitmapInfo.bmHeight;
}
// Widths of the fixed areas at the start of column 0 (item bitmap, state bitmap, root button)
// and of the node-bitmap area; 0 when the area is absent.
INT ItemBitmapAreaWidth(const TreeCtl *ctl);
INT StateBitmapAreaWidth(const TreeCtl *ctl);
INT RootButtonAreaWidth(const TreeCtl *ctl);
INT NodeBitmapAreaWidth(const TreeCtl *ctl);
// Areas 1 to 3 together: where the indentation starts.
INT TreePartStart(const TreeCtl *ctl);

INT HeaderHeight(const TreeCtl *ctl);
INT IndentWidth(const TreeCtl *ctl);
INT IndentOf(const TreeCtl *ctl, INT level);
INT TextX(const TreeCtl *ctl, INT level);
INT ColumnLeft(const TreeCtl *ctl, INT column, INT level);
INT ColumnWidth(const TreeCtl *ctl, INT column, INT level);

RECT ClientRect(const TreeCtl *ctl);
RECT ItemAreaRect(const TreeCtl *ctl);
RECT HeaderBarRect(const TreeCtl *ctl);
RECT LabelColumnRect(const TreeCtl *ctl);
RECT CornerRect(const TreeCtl *ctl);

// Row of item i counted from topIndex; -1 when above it or not among the first pageRows rows.
INT ScreenRowOf(const TreeCtl *ctl, INT i);
// The r-th shown item from topIndex; -1 when the list ends first.
INT ItemAtScreenRow(const TreeCtl *ctl, INT r);
// Row rectangle of a shown item in view (item area only); false and empty otherwise.
bool RowRect(const TreeCtl *ctl, INT i, RECT *rect);
// Label cell beside row i; -1 the whole label column.
bool LabelRect(const TreeCtl *ctl, INT i, RECT *rect);
bool CellRect(const TreeCtl *ctl, INT i, INT column, RECT *rect);
// Header cell of a column; -1 the whole bar; empty for a column out of range.
RECT ColumnHeaderRect(const TreeCtl *ctl, INT column);
// Expand button boxes in content coordinates of column 0 (x) and row coordinates (y).
RECT RootButtonBox(const TreeCtl *ctl);
RECT IndentButtonBox(const TreeCtl *ctl, INT parentLevel);
// x of the dotted vertical line of tree level k, in content coordinates of column 0: the
// middle of that level's indentation step.
INT TreeLineX(const TreeCtl *ctl, INT level);
// The frame drawn around an item (selection frame, drop mark, focus rectangle): `row` with its
// left edge moved to the text when the selection starts there (3-D look or text-only
// selection), inset for the 3-D look, and kept above a horizontal grid line. contentLeft is
// where column 0 starts in the coordinates of `row`.
RECT ItemFrameRect(const TreeCtl *ctl, RECT row, INT contentLeft, INT level);
// Point to item, using only y: the clamped form (-1 outside, last item for an empty row) and
// the end-inclusive form (itemCount below the last row).
INT ItemFromPoint(const TreeCtl *ctl, POINT pt);
INT ItemOrEndFromPoint(const TreeCtl *ctl, POINT pt);

void ReadFontMetrics(const TreeCtl *ctl, HFONT font, TEXTMETRICA *tm);
void RecalcRowHeight(TreeCtl *ctl);
void RecalcPageRows(TreeCtl *ctl);
void RecalcTreeWidth(TreeCtl *ctl);
void FitHeight(TreeCtl *ctl, INT height);

// ---- Invalidation (layout/geometry.cpp); nothing happens unless drawing is live ----
// Row invalidation from item i: that row, or down to the end of the area with toEnd. withLabel
// includes the row-label column; withLabel without withItems is the label column alone.
void InvalidateRows(TreeCtl *ctl, INT i, bool toEnd, bool withLabel, bool withItems);
// The rows (item area) of the shown items with an index from first to last that are in view.
void InvalidateIndexRange(TreeCtl *ctl, INT first, INT last);
void InvalidateAll(TreeCtl *ctl, bool erase = false);
void InvalidateHeaderBar(TreeCtl *ctl);
void InvalidateCorner(TreeCtl *ctl);
void InvalidateItemArea(TreeCtl *ctl, bool withLabels);

// ---- Scrolling (layout/scroll.cpp) ----
void UpdateVScrollBar(TreeCtl *ctl);
void UpdateHScrollBar(TreeCtl *ctl);
// Scrolls so that item i is the top row (clamped to the last page); -1 for a bad index.
INT SetTopIndex(TreeCtl *ctl, INT i);
// SetTopIndex, then LUMTREEN_TOPCHANGE when i differed from topIndex.
void ScrollToTop(TreeCtl *ctl, INT i);
// Sets the horizontal position (-1 far right); false for a position below -1.
bool SetHorizontalPos(TreeCtl *ctl, INT pos);
// SetHorizontalPos, then LUMTREEN_HSCROLL when the position changed.
bool ScrollToX(TreeCtl *ctl, INT pos);

void OnSize(TreeCtl *ctl, WPARAM wp, LPARAM lp);
void OnVScroll(TreeCtl *ctl, WPARAM wp, LPARAM lp);
void OnHScroll(TreeCtl *ctl, WPARAM wp, LPARAM lp);

// ---- Columns, labels and switches (layout/columns.cpp, layout/labels.cpp) ----
// Replaces the column set; simple form from 16-byte descriptions, full form from TreeColumn
// records. A count of 0 installs one stretching default column.
bool SetColumns(TreeCtl *ctl, INT count, const TreeColumnInfo *simple, const TreeColumn *full);
void FreeColumns(TreeCtl *ctl);
// Gives a column a private copy of the title and repaints the header bar.
bool SetColumnTitle(TreeCtl *ctl, INT column, const char *title);
// Size of a bitmap; false when the handle is not a bitmap.
bool ReadBitmapInfo(HBITMAP bitmap, BITMAP *info);
void SetHeaderFont(TreeCtl *ctl, HFONT font, bool repaint);
void SetLabelFont(TreeCtl *ctl, HFONT font, bool repaint);
bool SetButtonStrip(TreeCtl *ctl, HBITMAP strip);
void SetShowButtons(TreeCtl *ctl, bool show);

bool LayoutMessage(TreeCtl *ctl, UINT msg, WPARAM wp, LPARAM lp, LRESULT *result);
