// Column sets, column titles, the header and label fonts and the button strip: the layout
// inputs that creation installs and the column and display messages change.
#include "layout.h"

#include "../items/items.h"

namespace {

// Size of a bitmap, or false when the handle is not a bitmap.
bool BitmapSize(HBITMAP bitmap, BITMAP *info) {
    BITMAP bm{};
    if (!bitmap || GetObjectA(bitmap, sizeof(bm), &bm) != sizeof(bm)) return false;
    *info = bm;
    return true;
}

void FreeColumnArray(TreeColumn *columns, INT count) {
    if (!columns) return;
    for (INT c = 0; c < count; ++c) LumFree(columns[c].titleBuffer);
    LumFree(columns);
}

} // namespace

bool ReadBitmapInfo(HBITMAP bitmap, BITMAP *info) {
    return BitmapSize(bitmap, info);
}

bool SetColumnTitle(TreeCtl *ctl, INT column, const char *title) {
    char *copy = LumStrDup(title ? title : "");
    if (!copy) return false;
    TreeColumn &col = ctl->columns[column];
    LumFree(col.titleBuffer);
    col.titleBuffer = copy;
    col.title = copy;
    InvalidateHeaderBar(ctl);
    return true;
}

bool SetColumns(TreeCtl *ctl, INT count, const TreeColumnInfo *simple, const TreeColumn *full) {
    if (count < 0) return false;
    EndEditRequest(ctl);
    bool useDefault = count == 0;
    if (useDefault) {
        count = 1;
    } else if (!simple && !full) {
        return false;
    }
    if (count != ctl->columnCount && ctl->itemCount > 0) return false;
    auto *columns = static_cast<TreeColumn *>(LumAllocZero(sizeof(TreeColumn) * count));
    if (!columns) return false;

    if (useDefault) {
        columns[0].width = LUMTREE_STRETCH;
        columns[0].format = LUMTREEFORMAT_DEFAULT;
        ctl->headerBitmapInfo = BITMAP{};
    } else if (simple) {
        for (INT c = 0; c < count; ++c) {
            columns[c].width = simple[c].width;
            columns[c].format = simple[c].format;
            columns[c].headerFlags = simple[c].headerFlags;
        }
        ctl->headerBitmapInfo = BITMAP{};
    } else {
        ctl->headerBitmapInfo = BITMAP{};
        for (INT c = 0; c < count; ++c) {
            columns[c] = full[c];
            columns[c].title = nullptr;
            columns[c].titleBuffer = nullptr;
            BITMAP bm;
            if (BitmapSize(full[c].headerBitmap, &bm)) ctl->headerBitmapInfo = bm;
        }
    }

    FreeColumnArray(ctl->columns, ctl->columnCount);
    ctl->columns = columns;
    ctl->columnCount = count;
    INT textColumn = ctl->textColumn < count ? ctl->textColumn : 0;
    if (full && !useDefault) {
        for (INT c = 0; c < count; ++c) {
            if (full[c].title) SetColumnTitle(ctl, c, full[c].title);
        }
    } else {
        LumFree(ctl->columnInfoBuffer);
        ctl->columnInfoBuffer = nullptr;
    }
    ctl->textColumn = textColumn;
    RecalcRowHeight(ctl);
    RecalcPageRows(ctl);
    InvalidateAll(ctl);
    return true;
}

void FreeColumns(TreeCtl *ctl) {
    FreeColumnArray(ctl->columns, ctl->columnCount);
    ctl->columns = nullptr;
    LumFree(ctl->columnInfoBuffer);
    ctl->columnInfoBuffer = nullptr;
}

void SetHeaderFont(TreeCtl *ctl, HFONT font, bool repaint) {
    EndEditRequest(ctl);
    ctl->headerFont = font;
    ReadFontMetrics(ctl, font, &ctl->headerFontMetrics);
    RecalcRowHeight(ctl);
    RecalcPageRows(ctl);
    if (repaint) InvalidateAll(ctl);
}

void SetLabelFont(TreeCtl *ctl, HFONT font, bool repaint) {
    EndEditRequest(ctl);
    ctl->labelFont = font;
    ReadFontMetrics(ctl, font, &ctl->labelFontMetrics);
    RecalcRowHeight(ctl);
    RecalcPageRows(ctl);
    if (repaint) InvalidateAll(ctl);
}

bool SetButtonStrip(TreeCtl *ctl, HBITMAP strip) {
    EndEditRequest(ctl);
    if (strip) {
        BITMAP bm;
        if (!BitmapSize(strip, &bm)) return false;
        ctl->buttonBitmapInfo = bm;
        ctl->buttonStrip = strip;
    } else if (ctl->defaultBitmap) {
        BitmapSize(ctl->defaultBitmap, &ctl->buttonBitmapInfo);
        ctl->buttonStrip = ctl->defaultBitmap;
        ctl->showButtons = TRUE;
    }
    RecalcRowHeight(ctl);
    InvalidateAll(ctl);
    return true;
}

void SetShowButtons(TreeCtl *ctl, bool show) {
    EndEditRequest(ctl);
    if (ctl->showButtons == static_cast<BOOL>(show)) return;
    ctl->showButtons = show;
    RecalcRowHeight(ctl);
    InvalidateAll(ctl);
}
