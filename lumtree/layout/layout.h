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

// Bounds of every computed position and of the row height (see geometry.cpp).
inline constexpr INT kMaxCoordinate = 0x3FFFFFFF;
inline constexpr INT kMaxRowHeight = 0x1000000;
// A 64-bit sum or product of sizes, clamped to +-kMaxCoordinate.
INT Saturate(int64_t value);

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
// Stores the size of a control-wide bitmap that reserves row height (cells, labels) and
// recomputes the row height; true when the bitmap's height changed.
bool StoreBitmapSize(TreeCtl *ctl, BITMAP *info, const BITMAP &size);
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
// The scrollable content width; false when negative or narrower than the stored column widths.
bool SetHorizontalExtent(TreeCtl *ctl, INT extent);
// Sets the extent from the columns and pulls the position back inside it.
void FitHorizontalExtent(TreeCtl *ctl);
// Scrolls horizontally so that a column is in view (column 0: far left, last: far right).
void EnsureColumnVisible(TreeCtl *ctl, INT column);
// Sets or clears LUMTREESTYLE_DISABLENOSCROLL and brings both bars up to date if it changed.
void SetDisableNoScroll(TreeCtl *ctl, bool on);

void OnSize(TreeCtl *ctl, WPARAM wp, LPARAM lp);
void OnVScroll(TreeCtl *ctl, WPARAM wp, LPARAM lp);
void OnHScroll(TreeCtl *ctl, WPARAM wp, LPARAM lp);

// ---- Measuring text (layout/columns.cpp) ----
// Width of a text (in the control's width) as DrawText measures it with DT_CALCRECT |
// DT_NOPREFIX and extra format bits.
INT TextWidth(const TreeCtl *ctl, HDC dc, const char *text, UINT format);
// Width of a text with an optional bitmap in a header cell, the corner, a label or a cell: the
// bitmap alone, or the text (measured with the format bits) and, with a bitmap of some width,
// half a character and the bitmap beside it.
INT TextAndBitmapWidth(const TreeCtl *ctl, HDC dc, const char *text, bool hasBitmap,
                       bool bitmapAlone, LONG bitmapWidth, UINT format);

// ---- Columns (layout/columns.cpp) ----
// Replaces the column set, simple form from 16-byte descriptions (the creation default with
// count 0) or full form from TreeColumn records; 0 installs one stretching default column.
bool SetColumnInfo(TreeCtl *ctl, INT count, const TreeColumnInfo *descriptions);
bool SetColumnRecords(TreeCtl *ctl, INT count, const TreeColumn *records);
void FreeColumns(TreeCtl *ctl);
// Gives a column a private copy of the title and repaints the header bar.
bool SetColumnTitle(TreeCtl *ctl, INT column, const char *title);
// Size of a bitmap; false when the handle is not a bitmap.
bool ReadBitmapInfo(HBITMAP bitmap, BITMAP *info);
// The common step of the cell and label attribute setters, after the index checks: the
// end-edit request, then false for a version other than 2 or a handle that is not a bitmap.
// The bitmap's size (all 0 without one) goes to *size.
bool AcceptAttrRequest(TreeCtl *ctl, DWORD version, HBITMAP bitmap, BITMAP *size);
// The header and label fonts: stored with their metrics, then the row height and page rows;
// everything repainted with the repaint flag.
void SetLayoutFont(TreeCtl *ctl, HFONT *field, TEXTMETRICA *metrics, HFONT font, bool repaint);
void SetHeaderFont(TreeCtl *ctl, HFONT font, bool repaint);
// Width a column needs for its texts, cell bitmaps and title; -1 for a bad column. Refreshes
// maxLevel (and with it the tree width) from the whole list.
INT AutoColumnWidth(TreeCtl *ctl, INT column);
// Stores AutoColumnWidth as the width of one column, or of every column for -1; stretching
// columns are left alone.
void AutoSizeColumn(TreeCtl *ctl, INT column);
// Highest level of any item, 0 for an empty list.
INT DeepestLevel(const TreeCtl *ctl);
// Makes maxLevel the given deepest level; when it changes, the tree width follows and the
// header bar (and, with several columns, every row) is repainted.
void ApplyDeepestLevel(TreeCtl *ctl, INT deepest);
bool ColumnMessage(TreeCtl *ctl, UINT msg, WPARAM wp, LPARAM lp, LRESULT *result);

// ---- Row labels and the corner (layout/labels.cpp) ----
void SetLabelFont(TreeCtl *ctl, HFONT font, bool repaint);
// Labels off (0) or on with a style of 1 to 6; other values are ignored.
void ShowLabels(TreeCtl *ctl, INT style);
// Width the labels and the corner text need; 0 while labels are off.
INT CalcLabelWidth(TreeCtl *ctl);
// Label column width: 0 switches labels off, below 0 measures, above 0 switches them on.
void SetLabelWidth(TreeCtl *ctl, INT width);
// Label styles 2, 4 and 6 are flat (a 3-pixel frame margin); 1, 3 and 5 are raised.
inline bool IsFlatLabelStyle(const TreeCtl *ctl) {
    return ctl->labelStyle == 2 || ctl->labelStyle == 4 || ctl->labelStyle == 6;
}
// Room for an automatic label number in either text width.
struct LabelNumberText {
    char ascii[16];
    wchar_t wide[16];
};
// The automatic label of item i without label text, in the control's width: its index from 0
// (styles 3, 4) or from 1 (styles 5, 6); null for the styles that number nothing.
const char *LabelNumber(const TreeCtl *ctl, INT i, LabelNumberText &text);
// The text a row label shows: its own text, or the automatic number (null for none).
const char *LabelText(const TreeCtl *ctl, INT i, LabelNumberText &number);
bool LabelMessage(TreeCtl *ctl, UINT msg, WPARAM wp, LPARAM lp, LRESULT *result);

// ---- Display switches and bitmap sets (layout/options.cpp) ----
bool SetButtonStrip(TreeCtl *ctl, HBITMAP strip);
void SetShowButtons(TreeCtl *ctl, bool show);
bool OptionMessage(TreeCtl *ctl, UINT msg, WPARAM wp, LPARAM lp, LRESULT *result);

// All layout messages: geometry, scrolling, columns, labels, corner and switches.
bool LayoutMessage(TreeCtl *ctl, UINT msg, WPARAM wp, LPARAM lp, LRESULT *result);
