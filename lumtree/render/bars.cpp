// The painters outside the item rows: the column header bar, the corner button above the row
// labels, and the label of one row. Each leaves the DC as it found it.
#include "render.h"

#include "../frame/gdi.h"
#include "../items/items.h"
#include "../layout/layout.h"

namespace {

// The one or two edges of a header button, the corner or a 3-D label: raised unless pressed,
// doubled on the old-platform look.
void ButtonEdges(const TreeCtl *ctl, HDC dc, RECT edge, bool pressed, COLORREF light,
                 COLORREF shadow) {
    Draw3DFrame(dc, edge, !pressed, light, shadow);
    if (ctl->oldLook) {
        RECT inner{edge.left + 1, edge.top + 1, edge.right - 1, edge.bottom - 1};
        Draw3DFrame(dc, inner, !pressed, light, shadow);
    }
}

// A line with the DC's current pen (black during a paint), end point left out.
void PenLine(HDC dc, int x1, int y1, int x2, int y2) {
    MoveToEx(dc, x1, y1, nullptr);
    LineTo(dc, x2, y2);
}

} // namespace

void DrawHeaderBar(const TreeCtl *ctl, HDC dc, const WorkDCs &work, const RECT &rect) {
    const COLORREF back = ColorOr(ctl->headerBackColor, COLOR_BTNFACE);
    gdi::KeepBkColor keepBack(dc, back);
    gdi::Brush brush = gdi::SolidBrush(back);
    gdi::KeepBkMode keepMode(dc, TRANSPARENT);
    gdi::Select selectFont(dc, ctl->headerFont);
    const bool windowEnabled = IsWindowEnabled(ctl->window) != FALSE;
    const int x0 = rect.left - ctl->horizontalPos;

    for (INT c = 0; c < ctl->columnCount; ++c) {
        const INT w = ColumnWidth(ctl, c, kNone);
        if (w <= 0) continue;
        const TreeColumn &column = ctl->columns[c];
        const int x = x0 + ColumnLeft(ctl, c, kNone);
        const int right = x + w;
        if (x > rect.right) break;
        if (right < rect.left) continue;
        const bool pressed = c == ctl->pressedHeader;
        const int inset = ctl->headerButtonsOn && ctl->oldLook ? 2 : 1;
        const RECT textRect{x + inset, rect.top + inset, right - inset, rect.bottom - inset};
        const bool enabled = windowEnabled && !(column.headerFlags & LUMTREEHEADER_DISABLED);

        CellContent cell;
        cell.enabled = enabled;
        cell.bitmap = column.headerBitmap;
        cell.info = &ctl->headerBitmapInfo;
        cell.bitmapFlags = column.headerBitmapFlags;
        cell.text = column.title;
        cell.format = column.headerFlags & 3; // titles are one line
        cell.pressed = pressed ? 1 : 0;
        cell.brush = brush.get();
        cell.back = back;
        cell.textColor = enabled ? ColorOr(ctl->headerTextColor, COLOR_BTNTEXT)
                                 : GreyOr(ctl->headerGrayTextColor);
        DrawCell(ctl, dc, work, textRect, cell);

        const RECT edge{x, rect.top, right - 1, rect.bottom};
        if (ctl->headerButtonsOn) {
            ButtonEdges(ctl, dc, edge, pressed, ctl->headerLightColor, ctl->headerShadowColor);
        } else {
            Draw3DFrame(dc, edge, false, ctl->headerLightColor, ctl->headerShadowColor);
        }
        PenLine(dc, right - 1, rect.top, right - 1, rect.bottom);
    }

    const INT last = ctl->columnCount - 1;
    if (ctl->columns[last].width != LUMTREE_STRETCH) {
        const RECT after{x0 + ColumnLeft(ctl, last, kNone) + ColumnWidth(ctl, last, kNone),
                         rect.top, rect.right + 1, rect.bottom};
        FillRect(dc, &after, brush.get());
    }
}

void DrawCorner(const TreeCtl *ctl, HDC dc, const WorkDCs &work, const RECT &r) {
    const COLORREF back = ColorOr(ctl->cornerBackColor, COLOR_BTNFACE);
    gdi::KeepBkColor keepBack(dc, back);
    gdi::Brush brush = gdi::SolidBrush(back);
    const bool enabled =
        !(ctl->cornerFlags & LUMTREECORNER_DISABLED) && IsWindowEnabled(ctl->window);
    const COLORREF text =
        enabled ? ColorOr(ctl->cornerTextColor, COLOR_BTNTEXT) : GreyOr(ctl->cornerGrayTextColor);
    gdi::KeepTextColor keepText(dc, text);
    gdi::Select selectFont(dc, ctl->headerFont);

    const int inset = ctl->cornerButtonOn && ctl->oldLook ? 2 : 1;
    const RECT textRect{r.left + inset, r.top + inset, r.right + 1 - inset, r.bottom - inset};
    CellContent cell;
    cell.enabled = enabled;
    cell.bitmap = ctl->cornerBitmap;
    cell.info = &ctl->cornerBitmapInfo;
    cell.bitmapFlags = ctl->cornerBitmapFlags;
    cell.text = ctl->cornerText;
    cell.format = ctl->cornerFlags;
    cell.pressed = ctl->cornerPressed ? 1 : 0;
    cell.brush = brush.get();
    cell.back = back;
    cell.textColor = text;
    DrawCell(ctl, dc, work, textRect, cell);

    if (ctl->cornerButtonOn) {
        ButtonEdges(ctl, dc, r, ctl->cornerPressed != FALSE, ctl->cornerLightColor,
                    ctl->cornerShadowColor);
    } else {
        Draw3DFrame(dc, r, false, ctl->cornerLightColor, ctl->cornerShadowColor);
    }
}

void DrawRowLabel(const TreeCtl *ctl, HDC dc, const WorkDCs &work, const TreeItem *item, INT index,
                  const RECT &rect, bool enabled) {
    const bool flat = IsFlatLabelStyle(ctl);
    const bool selected = (item->flags & kItemSelected) != 0;
    const int inset = !flat && ctl->oldLook ? 2 : 1;
    const RECT textRect{rect.left + inset, rect.top + inset, rect.right - inset,
                        rect.bottom - inset - 1};
    const bool pressed = !flat && selected && !(ctl->labelFlags & LUMTREELABEL_NOPRESSED);
    if (ctl->labelFlags & LUMTREELABEL_DISABLED) enabled = false;

    PenLine(dc, rect.left, rect.bottom - 1, rect.right, rect.bottom - 1);

    const TreeLabelAttr *attr = item->labelAttributes;
    COLORREF back = ColorOr(selected ? ctl->labelSelBackColor : ctl->labelBackColor, COLOR_BTNFACE);
    COLORREF text =
        enabled ? ColorOr(selected ? ctl->labelSelTextColor : ctl->labelTextColor, COLOR_BTNTEXT)
                : GreyOr(ctl->labelGrayTextColor);
    if (attr) {
        const COLORREF attrBack = selected ? attr->selBackColor : attr->backColor;
        const COLORREF attrText = selected ? attr->selTextColor : attr->textColor;
        if (attrBack != LUMTREE_AUTOCOLOR) back = attrBack;
        if (attrText != LUMTREE_AUTOCOLOR) text = attrText;
    }
    gdi::KeepBkColor keepBack(dc, back);
    gdi::Brush brush = gdi::SolidBrush(back);
    gdi::KeepTextColor keepText(dc);
    gdi::Select selectFont(dc, ctl->labelFont);

    LabelNumberText number;
    const char *label = LabelText(ctl, index, number);

    CellContent cell;
    cell.enabled = enabled;
    cell.bitmap = attr ? attr->bitmap : nullptr;
    cell.info = &ctl->labelBitmapInfo;
    cell.bitmapFlags = attr ? (attr->flags & 0xFF) : 0;
    cell.text = label;
    cell.format = ctl->labelFlags;
    cell.pressed = pressed ? 1 : 0;
    cell.brush = brush.get();
    cell.back = back;
    cell.textColor = text;
    DrawCell(ctl, dc, work, textRect, cell);

    const RECT edge{rect.left, rect.top, rect.right, rect.bottom - 1};
    if (flat) {
        Draw3DFrame(dc, edge, false, ctl->labelLightColor, ctl->labelShadowColor);
    } else {
        ButtonEdges(ctl, dc, edge, pressed, ctl->labelLightColor, ctl->labelShadowColor);
    }
}
