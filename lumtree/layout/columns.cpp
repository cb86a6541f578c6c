// Columns: replacing the column set, titles, the header bar switches and font, cell attributes
// and the automatic column width. Also the text measurement shared with the row labels.
#include "layout.h"

#include "../frame/gdi.h"

#include "../items/items.h"

#include <algorithm>
#include <cstring>

namespace {

void FreeColumnArray(TreeColumn *columns, INT count) {
    if (!columns) return;
    for (INT c = 0; c < count; ++c) LumFree(columns[c].titleBuffer);
    LumFree(columns);
}

void FreeColumnInfoBuffer(TreeCtl *ctl) {
    LumFree(ctl->columnInfoBuffer);
    ctl->columnInfoBuffer = nullptr;
}

bool ValidColumn(const TreeCtl *ctl, INT column) {
    return column >= 0 && column < ctl->columnCount;
}

enum class ColumnForm { Simple, Full };

// The one routine behind both forms of replacing the columns: `records` holds count column
// descriptions (simple form) or TreeColumn records (full form); it is not read for count 0.
bool ReplaceColumns(TreeCtl *ctl, ColumnForm form, INT count, const void *records) {
    if (count < 0) return false;
    EndEditRequest(ctl);
    const bool useDefault = count == 0;
    if (useDefault) {
        count = 1;
    } else if (!records) {
        return false;
    }
    if (count != ctl->columnCount && ctl->itemCount > 0) return false;
    auto *columns = static_cast<TreeColumn *>(LumAllocZero(sizeof(TreeColumn) * count));
    if (!columns) return false;

    const auto *simple = static_cast<const TreeColumnInfo *>(records);
    const auto *full = static_cast<const TreeColumn *>(records);
    BITMAP headerBitmap{};
    if (useDefault) {
        columns[0].width = LUMTREE_STRETCH;
        columns[0].format = LUMTREEFORMAT_DEFAULT;
    } else if (form == ColumnForm::Simple) {
        for (INT c = 0; c < count; ++c) {
            columns[c].width = simple[c].width;
            columns[c].format = simple[c].format;
            columns[c].headerFlags = simple[c].headerFlags;
        }
    } else {
        // The caller's title pointers are never kept: the titles are copied.
        for (INT c = 0; c < count; ++c) {
            columns[c] = full[c];
            columns[c].title = nullptr;
            columns[c].titleBuffer = nullptr;
            // The titles are copied before anything changes: out of memory, the old set stays.
            if (full[c].title && !(columns[c].titleBuffer = TextDup(ctl, full[c].title))) {
                FreeColumnArray(columns, count);
                return false;
            }
            columns[c].title = columns[c].titleBuffer;
            BITMAP bm;
            if (ReadBitmapInfo(full[c].headerBitmap, &bm)) headerBitmap = bm;
        }
    }

    ctl->headerBitmapInfo = headerBitmap;
    FreeColumnArray(ctl->columns, ctl->columnCount);
    ctl->columns = columns;
    ctl->columnCount = count;
    // A new set with fewer columns than textColumn + 1 would leave the text messages pointing
    // past the array: textColumn then goes back to 0, so it always names a column.
    if (!ValidColumn(ctl, ctl->textColumn)) ctl->textColumn = 0;
    if (form == ColumnForm::Simple) FreeColumnInfoBuffer(ctl);
    RecalcRowHeight(ctl);
    RecalcPageRows(ctl);
    InvalidateAll(ctl);
    return true;
}

// LUMTREEM_GETCOLUMNINFO: a fresh buffer of column descriptions, valid until the next call.
// When it cannot be allocated the caller gets a null pointer, never the freed old buffer.
INT GetColumnInfo(TreeCtl *ctl, TreeColumnInfo **out) {
    FreeColumnInfoBuffer(ctl);
    if (!out) return ctl->columnCount;
    auto *info = static_cast<TreeColumnInfo *>(
        LumAllocZero(sizeof(TreeColumnInfo) * static_cast<size_t>(ctl->columnCount)));
    *out = info;
    if (!info) return 0;
    for (INT c = 0; c < ctl->columnCount; ++c) {
        const TreeColumn &col = ctl->columns[c];
        info[c].width = col.width;
        info[c].format = col.format;
        info[c].headerFlags = col.headerFlags;
        info[c].title = col.title;
    }
    ctl->columnInfoBuffer = info;
    return ctl->columnCount;
}

// Cell attributes of every column with the colours automatic, the rest 0.
TreeCellAttr DefaultCell() {
    TreeCellAttr cell{};
    cell.backColor = cell.textColor = cell.selBackColor = cell.selTextColor = LUMTREE_AUTOCOLOR;
    return cell;
}

// LUMTREEM_SETCELLATTR.
bool SetCellAttributes(TreeCtl *ctl, const TreeCellAttrRequest *request) {
    if (!request) return false;
    const INT item = request->item;
    const INT column = request->column;
    if (item < kNone || item >= ctl->itemCount || (item >= 0 && !ValidColumn(ctl, column))) {
        return false;
    }
    BITMAP bm;
    if (!AcceptAttrRequest(ctl, request->version, request->attr.bitmap, &bm)) return false;
    if (item == kNone) {
        // Control-wide: reserves row height for cell bitmaps, attaches nothing to any cell.
        if (StoreBitmapSize(ctl, &ctl->cellBitmapInfo, bm)) InvalidateAll(ctl);
        return true;
    }
    TreeItem *record = ItemAt(ctl, item);
    if (!record->cellAttributes) {
        auto *cells = static_cast<TreeCellAttr *>(
            LumAlloc(sizeof(TreeCellAttr) * static_cast<size_t>(ctl->columnCount)));
        if (!cells) return false;
        std::fill_n(cells, ctl->columnCount, DefaultCell());
        record->cellAttributes = cells;
    }
    std::memcpy(&record->cellAttributes[column], &request->attr, sizeof(TreeCellAttr));
    InvalidateRows(ctl, item, false, true, true);
    return true;
}

// LUMTREEM_GETCELLATTR.
bool GetCellAttributes(const TreeCtl *ctl, TreeCellAttrRequest *request) {
    if (!request || !ValidIndex(ctl, request->item) || !ValidColumn(ctl, request->column) ||
        request->version != LUMTREE_ATTRVERSION) {
        return false;
    }
    const TreeItem *item = ItemAt(ctl, request->item);
    TreeCellAttr cell =
        item->cellAttributes ? item->cellAttributes[request->column] : DefaultCell();
    std::memcpy(&request->attr, &cell, sizeof(TreeCellAttr));
    return true;
}

} // namespace

bool AcceptAttrRequest(TreeCtl *ctl, DWORD version, HBITMAP bitmap, BITMAP *size) {
    EndEditRequest(ctl);
    *size = BITMAP{};
    return version == LUMTREE_ATTRVERSION && (!bitmap || ReadBitmapInfo(bitmap, size));
}

INT TextWidth(const TreeCtl *ctl, HDC dc, const char *text, UINT format) {
    RECT rc{};
    TextDraw(ctl, dc, text, -1, &rc, DT_CALCRECT | DT_NOPREFIX | format);
    return rc.right - rc.left;
}

INT TextAndBitmapWidth(const TreeCtl *ctl, HDC dc, const char *text, bool hasBitmap,
                       bool bitmapAlone, LONG bitmapWidth, UINT format) {
    if (hasBitmap && bitmapAlone) return bitmapWidth;
    INT w = !TextEmpty(ctl, text) ? TextWidth(ctl, dc, text, format) : 0;
    if (hasBitmap && bitmapWidth > 0) w += ctl->avgCharWidth / 2 + bitmapWidth;
    return w;
}

bool ReadBitmapInfo(HBITMAP bitmap, BITMAP *info) {
    // GetObject alone would also fill a BITMAP-sized buffer from a font.
    BITMAP bm{};
    if (!bitmap || GetObjectType(bitmap) != OBJ_BITMAP ||
        GetObjectA(bitmap, sizeof(bm), &bm) != sizeof(bm)) {
        return false;
    }
    *info = bm;
    return true;
}

bool SetColumnTitle(TreeCtl *ctl, INT column, const char *title) {
    // A null title is refused like a failed copy; an empty text gives an empty title.
    if (!title) return false;
    char *copy = TextDup(ctl, title);
    if (!copy) return false;
    TreeColumn &col = ctl->columns[column];
    LumFree(col.titleBuffer);
    col.titleBuffer = copy;
    col.title = copy;
    InvalidateHeaderBar(ctl);
    return true;
}

bool SetColumnInfo(TreeCtl *ctl, INT count, const TreeColumnInfo *descriptions) {
    return ReplaceColumns(ctl, ColumnForm::Simple, count, descriptions);
}

bool SetColumnRecords(TreeCtl *ctl, INT count, const TreeColumn *records) {
    return ReplaceColumns(ctl, ColumnForm::Full, count, records);
}

void FreeColumns(TreeCtl *ctl) {
    FreeColumnArray(ctl->columns, ctl->columnCount);
    ctl->columns = nullptr;
    FreeColumnInfoBuffer(ctl);
}

void SetLayoutFont(TreeCtl *ctl, HFONT *field, TEXTMETRICA *metrics, HFONT font, bool repaint) {
    EndEditRequest(ctl);
    *field = font;
    ReadFontMetrics(ctl, font, metrics);
    RecalcRowHeight(ctl);
    RecalcPageRows(ctl);
    if (repaint) InvalidateAll(ctl);
}

void SetHeaderFont(TreeCtl *ctl, HFONT font, bool repaint) {
    SetLayoutFont(ctl, &ctl->headerFont, &ctl->headerFontMetrics, font, repaint);
}

INT DeepestLevel(const TreeCtl *ctl) {
    INT deepest = 0;
    for (INT i = 0; i < ctl->itemCount; ++i) deepest = std::max(deepest, LevelOf(ctl, i));
    return deepest;
}

void ApplyDeepestLevel(TreeCtl *ctl, INT deepest) {
    if (deepest == ctl->maxLevel) return;
    ctl->maxLevel = deepest;
    RecalcTreeWidth(ctl);
    InvalidateHeaderBar(ctl);
    if (ctl->columnCount > 1) InvalidateItemArea(ctl, false);
}

INT AutoColumnWidth(TreeCtl *ctl, INT column) {
    if (!ValidColumn(ctl, column)) return -1;
    const TreeColumn &col = ctl->columns[column];
    const INT avg = ctl->avgCharWidth;
    const LONG cellBitmapWidth = ctl->cellBitmapInfo.bmWidth;
    const UINT cellFormat = (col.format & LUMTREEFORMAT_MULTILINE) ? 0 : DT_SINGLELINE;
    gdi::WindowDC windowDC(ctl->window);
    const HDC dc = windowDC.get();
    INT best = avg, deepest = 0;
    {
        gdi::Select itemFont(dc, ctl->itemFont);
        for (INT i = 0; i < ctl->itemCount; ++i) {
            const TreeItem *item = ItemAt(ctl, i);
            deepest = std::max<INT>(deepest, item->level);
            const TreeCellAttr *cell =
                item->cellAttributes ? &item->cellAttributes[column] : nullptr;
            const bool hasBitmap = cell && cell->bitmap;
            const bool alone = hasBitmap && (cell->flags & LUMTREEBITMAP_ALONE);
            const char *text = ItemText(item, column);
            gdi::Select cellFont(dc, cell ? cell->font : nullptr);
            INT w = avg + TextAndBitmapWidth(ctl, dc, text, hasBitmap, alone, cellBitmapWidth,
                                             cellFormat);
            // Column 0 measures from the row start: the tree part of the item's level comes
            // on top of a text, none without one.
            if (column == 0 && !alone && !TextEmpty(ctl, text)) w += TextX(ctl, item->level);
            best = std::max(best, w);
        }
    }
    if (ctl->showHeader && col.title) {
        gdi::Select headerFont(dc, ctl->headerFont);
        INT h = avg + 6 +
                TextAndBitmapWidth(ctl, dc, col.title, col.headerBitmap != nullptr,
                                   (col.headerBitmapFlags & LUMTREEBITMAP_ALONE) != 0,
                                   ctl->headerBitmapInfo.bmWidth, DT_SINGLELINE);
        best = std::max(best, h);
    }
    ApplyDeepestLevel(ctl, deepest);
    // The stored width of column 0 leaves out the tree part; an item whose column-0 text is
    // empty contributes no tree part, so this can be negative.
    return column == 0 ? best - ctl->treeWidth : best;
}

void AutoSizeColumn(TreeCtl *ctl, INT column) {
    if (column < kNone || column >= ctl->columnCount) return;
    EndEditRequest(ctl);
    const INT first = column == kNone ? 0 : column;
    const INT last = column == kNone ? ctl->columnCount - 1 : column;
    for (INT c = first; c <= last; ++c) {
        if (ctl->columns[c].width == LUMTREE_STRETCH) continue;
        INT w = AutoColumnWidth(ctl, c);
        if (w < 0 || w == ctl->columns[c].width) continue;
        ctl->columns[c].width = w;
        InvalidateItemArea(ctl, false);
        InvalidateHeaderBar(ctl);
    }
}

namespace {

// Stores a 0/1 switch; true when the stored value changed.
bool StoreFlag(BOOL *field, WPARAM wp) {
    BOOL value = wp != 0;
    if (*field == value) return false;
    *field = value;
    return true;
}

} // namespace

bool ColumnMessage(TreeCtl *ctl, UINT msg, WPARAM wp, LPARAM lp, LRESULT *result) {
    *result = 0;
    switch (msg) {
    case LUMTREEM_SETCOLUMNTITLE:
        *result = SetColumnTitle(ctl, ctl->textColumn, reinterpret_cast<const char *>(lp));
        return true;
    case LUMTREEM_GETCOLUMNTITLE:
        *result = TextCopyOut(ctl, reinterpret_cast<void *>(lp), static_cast<INT>(wp),
                              ctl->columns[ctl->textColumn].title);
        return true;
    case LUMTREEM_GETCOLUMNINFO:
        *result = GetColumnInfo(ctl, reinterpret_cast<TreeColumnInfo **>(lp));
        return true;
    case LUMTREEM_SETCOLUMNINFO:
        *result =
            SetColumnInfo(ctl, static_cast<INT>(wp), reinterpret_cast<const TreeColumnInfo *>(lp));
        return true;
    case LUMTREEM_GETCOLUMNS:
        if (auto *out = reinterpret_cast<TreeColumn **>(lp)) *out = ctl->columns;
        *result = ctl->columnCount;
        return true;
    case LUMTREEM_SETCOLUMNS:
        *result =
            SetColumnRecords(ctl, static_cast<INT>(wp), reinterpret_cast<const TreeColumn *>(lp));
        return true;
    case LUMTREEM_GETTEXTCOLUMN: *result = ctl->textColumn; return true;
    case LUMTREEM_SETTEXTCOLUMN: {
        INT column = static_cast<INT>(wp);
        if (!ValidColumn(ctl, column)) {
            *result = -1;
        } else {
            *result = ctl->textColumn;
            ctl->textColumn = column;
        }
        return true;
    }
    case LUMTREEM_SETHEADERFONT:
        SetHeaderFont(ctl, reinterpret_cast<HFONT>(wp), LOWORD(lp) != 0);
        return true;
    case LUMTREEM_GETHEADERFONT: *result = reinterpret_cast<LRESULT>(ctl->headerFont); return true;
    case LUMTREEM_SHOWHEADER:
        EndEditRequest(ctl);
        if (StoreFlag(&ctl->showHeader, wp)) {
            RecalcRowHeight(ctl);
            RecalcPageRows(ctl);
            InvalidateAll(ctl);
        }
        return true;
    case LUMTREEM_ISHEADERSHOWN: *result = ctl->showHeader; return true;
    case LUMTREEM_SETHEADERBUTTONS:
        EndEditRequest(ctl);
        if (StoreFlag(&ctl->headerButtonsOn, wp)) {
            InvalidateCorner(ctl);
            InvalidateHeaderBar(ctl);
        }
        return true;
    case LUMTREEM_GETHEADERBUTTONS: *result = ctl->headerButtonsOn; return true;
    case LUMTREEM_SETPRESSEDHEADER: {
        INT column = IndexParam(ctl, wp);
        if (column >= kNone && column < ctl->columnCount && column != ctl->pressedHeader) {
            ctl->pressedHeader = column;
            InvalidateHeaderBar(ctl);
        }
        return true;
    }
    case LUMTREEM_GETPRESSEDHEADER: *result = ctl->pressedHeader; return true;
    case LUMTREEM_SETCOLUMNRESIZE:
        EndEditRequest(ctl);
        ctl->columnResizeOn = wp != 0;
        return true;
    case LUMTREEM_GETCOLUMNRESIZE: *result = ctl->columnResizeOn; return true;
    case LUMTREEM_SETCELLATTR:
        *result = SetCellAttributes(ctl, reinterpret_cast<const TreeCellAttrRequest *>(lp));
        return true;
    case LUMTREEM_GETCELLATTR:
        *result = GetCellAttributes(ctl, reinterpret_cast<TreeCellAttrRequest *>(lp));
        return true;
    case LUMTREEM_GETLASTCLICKCOLUMN: *result = ctl->lastClickColumn; return true;
    case LUMTREEM_CALCCOLUMNWIDTH:
        *result = AutoColumnWidth(ctl, static_cast<INT>(wp));
        return true;
    case LUMTREEM_AUTOSIZECOLUMN: AutoSizeColumn(ctl, IndexParam(ctl, wp)); return true;
    default: return false;
    }
}
