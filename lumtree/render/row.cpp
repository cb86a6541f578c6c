// Row drawing: the row draw record and the application's draw callback, the tree part with
// its bitmaps, buttons and dotted lines, the cells, grid lines and 3-D frames, and the marks.
#include "render.h"

#include "../frame/gdi.h"
#include "../items/items.h"
#include "../layout/layout.h"

#include <algorithm>

namespace {

int Height(const RECT &r) {
    return r.bottom - r.top;
}

// Top of a picture of height h centred in the row (integer division toward zero).
int CentredTop(const RECT &r, int h) {
    return r.top + (Height(r) - h) / 2;
}

bool IsHotTracked(const TreeCtl *ctl, INT index) {
    return g_lum.trackWindow == ctl->window && g_lum.trackIndex == index && !g_lum.keyboardMode &&
           ctl->itemTrack && g_lum.globalItemTrack;
}

// The colours of a row before the callback sees them, and the colour of its marks.
struct RowColours {
    COLORREF text, back, cellText, cellBack, mark;
    bool enabled;
};

RowColours ColoursOfRow(const TreeCtl *ctl, const TreeItem *item, bool windowEnabled, bool focus) {
    RowColours c{};
    if (!windowEnabled) {
        c.enabled = false;
        c.text = c.cellText = ColorOr(ctl->grayTextColor, COLOR_GRAYTEXT);
        c.back = c.cellBack = c.mark = ctl->itemBackColor;
        return c;
    }
    const COLORREF selBack = ColorOr(ctl->selBackColor, COLOR_HIGHLIGHT);
    c.enabled = (item->flags & kItemEnabled) != 0;
    c.text = ctl->textColor;
    c.cellText = ctl->itemTextColor;
    c.back = ctl->backColor;
    c.cellBack = ctl->itemBackColor;
    c.mark = selBack;
    const bool selected = (item->flags & kItemSelected) != 0;
    if (!c.enabled) {
        c.cellText = ColorOr(ctl->grayTextColor, COLOR_GRAYTEXT);
        c.mark = ctl->itemBackColor;
        return c;
    }
    if (!selected) return c;
    if (ctl->inactiveSelectionStyle != 0 && !focus) {
        if (ctl->inactiveSelectionStyle == 3) c.cellBack = c.mark = GetSysColor(COLOR_3DLIGHT);
        return c;
    }
    c.cellText = ColorOr(ctl->selTextColor, COLOR_HIGHLIGHTTEXT);
    c.cellBack = selBack;
    if (!ctl->look3D && !ctl->textOnlySelection) {
        c.text = c.cellText;
        c.back = c.cellBack;
    }
    return c;
}

// The state and default node pictures follow the row's expanded state.
HBITMAP ByState(bool hasChildren, bool expanded, HBITMAP collapsed, HBITMAP open, HBITMAP leaf) {
    if (expanded) return open;
    return hasChildren ? collapsed : leaf;
}

// The font of the row: bold for the caret when asked for, underlined when hot-tracked. A font
// made here is the row's own and goes with it.
gdi::Font RowFont(const TreeCtl *ctl, INT index) {
    const bool hot = IsHotTracked(ctl, index);
    if (index == ctl->caret && ctl->caretFontOn) {
        return gdi::Font(CreateFontIndirectA(hot ? &ctl->trackCaretLogFont : &ctl->caretLogFont));
    }
    if (hot) return gdi::Font(CreateFontIndirectA(&ctl->trackLogFont));
    return gdi::Font();
}

// Dotted lines: the first pixel of a segment and every other one after it. Only the dots
// inside `box` (the part of the DC that can show, from GetClipBox) are set: a row or an
// indentation may be far larger than the screen, and the dots cost one call each.
struct Dots {
    HDC dc;
    RECT box;
    COLORREF colour;
    // The dots k = first, first + 2, ... below `length` whose position start + k lies in
    // [low, high).
    template <class Put> void Run(int start, int length, LONG low, LONG high, Put put) const {
        int64_t k = std::max<int64_t>(0, int64_t{low} - start);
        k += k % 2;
        const int64_t end = std::min<int64_t>(length, int64_t{high} - start);
        for (; k < end; k += 2) put(static_cast<int>(start + k));
    }
    void Down(int x, int top, int length) const {
        if (x < box.left || x >= box.right) return;
        Run(top, length, box.top, box.bottom, [&](int y) { SetPixel(dc, x, y, colour); });
    }
    void Across(int left, int y, int length) const {
        if (y < box.top || y >= box.bottom) return;
        Run(left, length, box.left, box.right, [&](int x) { SetPixel(dc, x, y, colour); });
    }
};

// One expand button from the strip, in its box (relative to the row, as the layout gives it):
// collapsed or expanded, pressed while the mouse holds it.
void DrawButton(const TreeCtl *ctl, HDC dc, const WorkDCs &work, INT index, bool expanded,
                const RECT &box, const RECT &r, COLORREF fill, bool windowEnabled) {
    const int stripWidth = ctl->buttonBitmapInfo.bmWidth;
    const int srcX =
        (index == ctl->pressedButton ? stripWidth / 2 : 0) + (expanded ? stripWidth / 4 : 0);
    const POINT at{r.left + box.left, r.top + box.top};
    DrawMaskedBitmap(work, dc, ctl->buttonStrip, srcX, ButtonWidth(ctl), at, ctl->buttonBitmapInfo,
                     fill, windowEnabled);
}

void DrawTreeLines(const TreeCtl *ctl, HDC dc, const WorkDCs &work, const RowDrawInfo &info,
                   INT level, const RECT &r, bool windowEnabled) {
    const RowLines lines = LinesOfRow(ctl, info.index);
    gdi::Pen ownPen(info.linePen ? nullptr : CreatePen(PS_SOLID, 0, GetSysColor(COLOR_BTNSHADOW)));
    gdi::Select selectPen(dc, info.linePen ? static_cast<HGDIOBJ>(info.linePen) : ownPen.get());
    Dots dots{dc, {}, GetSysColor(COLOR_BTNSHADOW)};
    if (GetClipBox(dc, &dots.box) <= NULLREGION) dots.box = RECT{};
    const INT w = IndentWidth(ctl);
    const int height = Height(r);
    // The horizontal line sits on an even pixel row counted from the row's top, so a row drawn
    // straight to the window (at any y) looks as it does in the one-row bitmap (at y = 0).
    int half = height / 2;
    if (half % 2) ++half;
    const int midY = r.top + half;
    auto column = [&](INT k) { return r.left + TreeLineX(ctl, k); };

    const INT pl = lines.parentLevel;
    if (level >= 1) {
        dots.Down(column(pl), r.top, lines.laterSibling ? height : midY - r.top);
        dots.Across(column(pl), midY, w - w / 2);
        if (level > pl + 1) {
            // The item skips levels: the line runs on through the missing ones.
            dots.Across(column(pl) + w - w / 2, midY, Saturate(int64_t{w} * (level - pl - 1)));
        }
        if (ctl->showButtons && info.hasChildren) {
            DrawButton(ctl, dc, work, info.index, info.expanded != 0, IndentButtonBox(ctl, pl), r,
                       info.backColor, windowEnabled);
        }
    }
    if (info.hasChildren && info.expanded && ctl->showNodeBitmaps) {
        dots.Down(column(level), midY, r.bottom - midY);
    }
    for (INT k = 0; k < kMaxLevel; ++k) {
        if (lines.ancestorColumns & (uint64_t{1} << k)) dots.Down(column(k), r.top, height);
    }
}

} // namespace

WindowState WindowStateOf(const TreeCtl *ctl) {
    return WindowState{IsWindowEnabled(ctl->window) != FALSE, GetFocus() == ctl->window,
                       GetDlgCtrlID(ctl->window)};
}

bool PaintRow(const TreeCtl *ctl, HDC dc, const WorkDCs &work, const TreeItem *item, INT index,
              const RECT &rect, const WindowState &window) {
    const bool windowEnabled = window.enabled;
    const bool hasChildren = HasChildren(ctl, index);
    const bool expanded = hasChildren && IsExpanded(ctl, index);
    const RowColours colours = ColoursOfRow(ctl, item, windowEnabled, window.focus);
    gdi::Font rowFont = RowFont(ctl, index);

    RowDrawInfo info{};
    info.controlId = window.controlId;
    info.window = ctl->window;
    info.index = index;
    info.selected = (item->flags & kItemSelected) ? 1 : 0;
    info.hasChildren = hasChildren ? 1 : 0;
    info.expanded = expanded ? 1 : 0;
    info.columnCount = ctl->columnCount;
    info.caret = ctl->caret;
    info.textColor = colours.text;
    info.backColor = colours.back;
    info.cellTextColor = colours.cellText;
    info.cellBackColor = colours.cellBack;
    info.font = rowFont ? rowFont.get() : ctl->itemFont;
    info.itemBitmap = item->bitmap;
    info.stateBitmap = ByState(hasChildren, expanded, ctl->stateBitmapCollapsed,
                               ctl->stateBitmapExpanded, ctl->stateBitmapLeaf);
    info.nodeBitmap = item->nodeBitmap ? item->nodeBitmap
                                       : ByState(hasChildren, expanded, ctl->nodeBitmapCollapsed,
                                                 ctl->nodeBitmapExpanded, ctl->nodeBitmapLeaf);
    info.linePen = nullptr;
    info.enabled = colours.enabled ? 1 : 0;
    info.data = item->data;
    info.texts = const_cast<LPSTR *>(item->texts);
    if (ctl->drawCallback) {
        ForgetChildCheck();
        ctl->drawCallback(ctl->window, &info, ctl->drawCallbackData);
    }
    const bool enabled = windowEnabled && info.enabled != 0;

    gdi::Select selectFont(dc, info.font);
    gdi::Brush treeBrush = gdi::SolidBrush(info.backColor);
    gdi::Brush cellBrush = gdi::SolidBrush(info.cellBackColor);

    // R: the row moved left by the horizontal scroll position.
    RECT r = rect;
    r.left -= ctl->horizontalPos;
    const INT level = item->level;
    const int g = ctl->avgCharWidth;

    const RECT treePart{r.left, r.top, r.left + TextX(ctl, level), r.bottom};
    FillRect(dc, &treePart, treeBrush.get());

    if (ctl->showItemBitmaps && info.itemBitmap) {
        const BITMAP &bm = ctl->itemBitmapInfo;
        DrawMaskedBitmap(work, dc, info.itemBitmap, 0, bm.bmWidth,
                         POINT{r.left + g, CentredTop(r, bm.bmHeight)}, bm, info.backColor,
                         windowEnabled);
    }
    if (ctl->showStateBitmaps && info.stateBitmap) {
        const BITMAP &bm = ctl->stateBitmapInfo;
        DrawMaskedBitmap(work, dc, info.stateBitmap, 0, bm.bmWidth,
                         POINT{r.left + ItemBitmapAreaWidth(ctl) + g, CentredTop(r, bm.bmHeight)},
                         bm, info.backColor, windowEnabled);
    }
    if (ctl->showRootButtons && level == 0 && hasChildren) {
        DrawButton(ctl, dc, work, index, expanded, RootButtonBox(ctl), r, info.backColor,
                   windowEnabled);
    }
    if (ctl->showLines) DrawTreeLines(ctl, dc, work, info, level, r, windowEnabled);
    if (ctl->showNodeBitmaps && info.nodeBitmap) {
        const BITMAP &bm = ctl->nodeBitmapInfo;
        const int x = r.left + TreePartStart(ctl) + IndentOf(ctl, level);
        DrawMaskedBitmap(work, dc, info.nodeBitmap, 0, bm.bmWidth,
                         POINT{x, CentredTop(r, bm.bmHeight)}, bm, info.backColor, enabled);
    }

    // Cells.
    {
        gdi::KeepBkColor keepBack(dc, info.cellBackColor);
        gdi::KeepTextColor keepText(dc, info.cellTextColor);
        gdi::KeepBkMode keepMode(dc, TRANSPARENT);
        const bool selected = (item->flags & kItemSelected) != 0;
        const bool verticalGrid =
            ctl->gridLines && ctl->columnCount > 1 && (ctl->gridStyle == 0 || ctl->gridStyle == 2);
        // One brush for the vertical lines of every column of the row.
        const gdi::Brush gridBrush = verticalGrid ? GridBrush(ctl, true) : gdi::Brush{};
        for (INT c = 0; c < ctl->columnCount; ++c) {
            const int left = r.left + ColumnLeft(ctl, c, level);
            const int right = left + ColumnWidth(ctl, c, level);
            if (left >= right) continue;
            if (left >= rect.right) break;
            if (right <= rect.left) continue;
            const TreeCellAttr *attr = item->cellAttributes ? &item->cellAttributes[c] : nullptr;
            CellContent cell;
            cell.enabled = enabled;
            cell.back = info.cellBackColor;
            if (attr) {
                const COLORREF back = selected ? attr->selBackColor : attr->backColor;
                const COLORREF text = selected ? attr->selTextColor : attr->textColor;
                if (back != LUMTREE_AUTOCOLOR) cell.back = back;
                cell.textColor = text;
                cell.font = attr->font;
                cell.bitmap = attr->bitmap;
                cell.bitmapFlags = attr->flags;
            }
            // The row's own cell colour is what brush B holds already.
            if (cell.back == info.cellBackColor) cell.back = LUMTREE_AUTOCOLOR;
            cell.brush = cellBrush.get();
            cell.info = &ctl->cellBitmapInfo;
            cell.text = info.texts ? info.texts[c] : nullptr;
            cell.format = ctl->columns[c].format;
            DrawCell(ctl, dc, work, RECT{left, r.top, right, r.bottom}, cell);
            if (verticalGrid) {
                const RECT line{right - 1, r.top, right, r.bottom};
                FillRect(dc, &line, gridBrush.get());
            }
        }

        const INT last = ctl->columnCount - 1;
        if (ctl->columns[last].width != LUMTREE_STRETCH) {
            const RECT after{r.left + ColumnLeft(ctl, last, kNone) + ColumnWidth(ctl, last, kNone),
                             r.top, rect.right + 1, r.bottom};
            FillRect(dc, &after, cellBrush.get());
        }
        if (ctl->look3D) {
            for (int k = 0; k < 2; ++k) {
                const RECT frame{r.left + TextX(ctl, level) + k, r.top + k, rect.right + 1,
                                 r.bottom - k};
                Draw3DFrame(dc, frame, selected, ctl->lightColor, ctl->shadowColor);
            }
        } else if (ctl->gridLines && (ctl->gridStyle == 1 || ctl->gridStyle == 2)) {
            const RECT line{r.left, r.bottom - 1, rect.right, r.bottom};
            FillRect(dc, &line, GridBrush(ctl, false).get());
        }
    }

    // Marks: the drop mark, else the frame of a selection without the focus.
    const RECT frame = ItemFrameRect(ctl, r, r.left, level);
    if (ctl->dropTarget == index && ctl->dropMarkMode != LUMTREEDROPMARK_CARET) {
        const COLORREF colour =
            ctl->dropMarkColor != LUMTREE_AUTOCOLOR ? ctl->dropMarkColor : colours.mark;
        if (ctl->dropMarkMode == LUMTREEDROPMARK_INSERT) {
            DrawInsertBar(dc, r, colour);
        } else {
            gdi::Brush mark = gdi::SolidBrush(colour);
            FrameRect(dc, &frame, mark.get());
        }
    } else if (windowEnabled && enabled && (item->flags & kItemSelected) &&
               ctl->inactiveSelectionStyle == 1 && !window.focus) {
        gdi::Brush mark = gdi::SolidBrush(colours.mark);
        FrameRect(dc, &frame, mark.get());
    }
    return enabled;
}
