// Paint pipeline: the header bar, the corner, every row with its label, the focus rectangle,
// the empty area and the insertion mark after the last item. Rows and header pieces are drawn
// into a bitmap one row high and copied to the screen with one blit each, so nothing is ever
// erased and drawn over on the screen; when that bitmap cannot be made the same drawing goes
// straight to the target under a clip region. The bitmap and the DCs of a paint are kept for
// the next one (see TakePaintBuffer).
#include "render.h"

#include "../frame/gdi.h"
#include "../items/items.h"
#include "../layout/layout.h"

#include <algorithm>

namespace {

int Width(const RECT &r) {
    return r.right - r.left;
}
int Height(const RECT &r) {
    return r.bottom - r.top;
}

bool Meets(const RECT &a, const RECT &b, RECT *common) {
    return IntersectRect(common, &a, &b) != FALSE;
}

// Where one piece is drawn: into the row bitmap at the origin and copied to `place`, or
// straight into the target under a clip to the part that needs painting.
struct Target {
    HDC dc;     // the paint DC
    HDC buffer; // the row bitmap's DC, or dc itself in direct mode
    bool Buffered() const { return buffer != dc; }
};

// Draws one piece that meets the update rectangle: `draw(hdc, rect)` paints it into `rect` of
// `hdc`. Buffered, the piece is drawn into `local` at the buffer's origin and the size of
// `place` is copied.
template <class Draw>
void DrawPiece(const Target &t, const RECT &place, const RECT &local, const RECT &update,
               Draw draw) {
    RECT common;
    if (!Meets(update, place, &common)) return;
    if (t.Buffered()) {
        // Only the part that needs painting is copied: a row may be far higher than the view
        // and the buffer.
        draw(t.buffer, local);
        BitBlt(t.dc, common.left, common.top, Width(common), Height(common), t.buffer,
               common.left - place.left, common.top - place.top, SRCCOPY);
    } else {
        gdi::ClipTo clip(t.dc, common);
        draw(t.dc, place);
    }
}

bool ItemEnabled(const TreeItem *item) {
    return (item->flags & kItemEnabled) != 0;
}

// The screen format a row bitmap is made in: planes and bits per pixel of the target.
int FormatOf(HDC dc) {
    return GetDeviceCaps(dc, PLANES) << 8 | GetDeviceCaps(dc, BITSPIXEL);
}

// The DCs of one paint, taken from the buffer that paints keep between them. Making DCs and a
// bitmap costs more than drawing a row on some hosts, and a paint is often one row (a
// selection change, an append), so the buffer is made on first use and kept: the bitmap is
// remade only when the row size or the screen format changes. The work DCs are always there
// unless they cannot be made; `buffer` is null when the bitmap or its DC cannot be made, or
// when the paint is not buffered. False when nothing can be drawn.
bool TakePaintBuffer(TreeCtl *ctl, HDC dc, int width, int height, bool buffered, WorkDCs *work,
                     HDC *buffer) {
    *buffer = nullptr;
    if (!ctl->paintWork1) ctl->paintWork1 = CreateCompatibleDC(dc);
    if (!ctl->paintWork1) return false;
    if (!ctl->paintWork2) ctl->paintWork2 = CreateCompatibleDC(ctl->paintWork1);
    if (!ctl->paintWork2) return false;
    *work = WorkDCs{ctl->paintWork1, ctl->paintWork2};
    if (!buffered || width <= 0 || height <= 0) return true;

    const int format = FormatOf(dc);
    if (ctl->paintBitmap &&
        (ctl->paintWidth != width || ctl->paintHeight != height || ctl->paintFormat != format)) {
        SelectObject(ctl->paintBufferDC, ctl->paintOldBitmap);
        DeleteObject(ctl->paintBitmap);
        ctl->paintBitmap = nullptr;
    }
    if (!ctl->paintBitmap) {
        HBITMAP bitmap = CreateBitmap(width, height, static_cast<UINT>(GetDeviceCaps(dc, PLANES)),
                                      static_cast<UINT>(GetDeviceCaps(dc, BITSPIXEL)), nullptr);
        if (!bitmap) return true; // direct mode
        if (!ctl->paintBufferDC) ctl->paintBufferDC = CreateCompatibleDC(dc);
        if (!ctl->paintBufferDC) {
            DeleteObject(bitmap);
            return false;
        }
        ctl->paintOldBitmap = SelectObject(ctl->paintBufferDC, bitmap);
        ctl->paintBitmap = bitmap;
        ctl->paintWidth = width;
        ctl->paintHeight = height;
        ctl->paintFormat = format;
    }
    *buffer = ctl->paintBufferDC;
    return true;
}

} // namespace

void ReleasePaintBuffer(TreeCtl *ctl) {
    if (ctl->paintBitmap) {
        SelectObject(ctl->paintBufferDC, ctl->paintOldBitmap);
        DeleteObject(ctl->paintBitmap);
    }
    for (HDC dc : {ctl->paintBufferDC, ctl->paintWork2, ctl->paintWork1}) {
        if (dc) DeleteDC(dc);
    }
    ctl->paintBitmap = nullptr;
    ctl->paintOldBitmap = nullptr;
    ctl->paintBufferDC = ctl->paintWork1 = ctl->paintWork2 = nullptr;
}

void DrawFocusFrame(const TreeCtl *ctl, HDC dc, const RECT &rowRect) {
    // The caret's row gets the extent of the item frame; the first empty row (the caret of an
    // empty list, or after the last item) the plain row.
    RECT r = rowRect;
    if (ValidIndex(ctl, ctl->caret)) {
        r = ItemFrameRect(ctl, rowRect, rowRect.left - ctl->horizontalPos,
                          LevelOf(ctl, ctl->caret));
    }
    DrawFocusRect(dc, &r);
}

void PaintControl(TreeCtl *ctl, HDC dc, const RECT *updateRect, bool buffered) {
    const WindowState window = WindowStateOf(ctl);
    const bool hasFocus = window.focus;
    if (!UpdateColors(ctl, dc)) return;

    const RECT client = ClientRect(ctl);
    RECT update = client;
    if (updateRect && !IntersectRect(&update, updateRect, &client)) return;
    const RECT itemArea = ItemAreaRect(ctl);
    // The header bar and the label column without their last pixel row and column, which
    // hold the black separator lines.
    RECT headerRect = HeaderBarRect(ctl);
    headerRect.bottom -= 1;
    RECT labelRect = LabelColumnRect(ctl);
    labelRect.right -= 1;
    RECT cornerRect = CornerRect(ctl);
    cornerRect.right -= 1;
    cornerRect.bottom -= 1;

    // The row bitmap: one row high (or one header bar high), as wide as the item area (or the
    // label column), in the target's format.
    // Never larger than the client area: what lies beyond it is never copied.
    int bufferWidth = Width(itemArea);
    if (ctl->showLabels) bufferWidth = std::max<int>(bufferWidth, Width(labelRect));
    bufferWidth = std::min<int>(bufferWidth, Width(client));
    int bufferHeight = std::min<int>(ctl->rowHeight, Height(itemArea));
    if (ctl->showHeader) bufferHeight = std::max<int>(bufferHeight, Height(headerRect));
    WorkDCs work{};
    HDC buffer = nullptr;
    if (!TakePaintBuffer(ctl, dc, bufferWidth, bufferHeight, buffered, &work, &buffer)) return;
    const Target t{dc, buffer ? buffer : dc};

    HGDIOBJ blackPen = GetStockObject(BLACK_PEN);
    gdi::Select penOnTarget(dc, blackPen);
    gdi::Select penOnBuffer(t.Buffered() ? t.buffer : nullptr, t.Buffered() ? blackPen : nullptr);

    if (ctl->showHeader) {
        MoveToEx(dc, client.left, headerRect.bottom, nullptr);
        LineTo(dc, client.right, headerRect.bottom);
        const RECT local{0, 0, Width(headerRect), Height(headerRect)};
        DrawPiece(t, headerRect, local, update,
                  [&](HDC hdc, const RECT &rc) { DrawHeaderBar(ctl, hdc, work, rc); });
    }
    if (ctl->showLabels) {
        MoveToEx(dc, labelRect.right, client.top, nullptr);
        LineTo(dc, labelRect.right, client.bottom);
        if (ctl->showHeader) {
            const RECT local{0, 0, Width(cornerRect), Height(cornerRect)};
            DrawPiece(t, cornerRect, local, update,
                      [&](HDC hdc, const RECT &rc) { DrawCorner(ctl, hdc, work, rc); });
        }
    }

    // Rows, from the top item down, at most pageRows + 1 of them.
    RECT rowRect{itemArea.left, itemArea.top, itemArea.right,
                 std::min<LONG>(itemArea.top + ctl->rowHeight, itemArea.bottom)};
    RECT labelRowRect{labelRect.left, labelRect.top, labelRect.right,
                      std::min<LONG>(labelRect.top + ctl->rowHeight, labelRect.bottom)};
    const RECT localRow{0, 0, Width(itemArea), ctl->rowHeight};
    const RECT localLabel{0, 0, Width(labelRect), ctl->rowHeight};
    INT index = kNone;
    if (ctl->itemCount > 0 && ValidIndex(ctl, ctl->topIndex)) {
        index = ItemShown(ctl, ctl->topIndex) ? ctl->topIndex : NextShown(ctl, ctl->topIndex);
    }
    bool pageFull = false;
    for (INT painted = 0; index >= 0; index = NextShown(ctl, index)) {
        const TreeItem *item = ItemAt(ctl, index);
        RECT common;
        bool rowEnabled = window.enabled && ItemEnabled(item);
        if (Meets(update, rowRect, &common)) {
            DrawPiece(t, rowRect, localRow, update, [&](HDC hdc, const RECT &rc) {
                rowEnabled = PaintRow(ctl, hdc, work, item, index, rc, window);
            });
            if (hasFocus && index == ctl->caret) DrawFocusFrame(ctl, dc, rowRect);
        }
        if (ctl->showLabels) {
            DrawPiece(t, labelRowRect, localLabel, update, [&](HDC hdc, const RECT &rc) {
                DrawRowLabel(ctl, hdc, work, item, index, rc, rowEnabled);
            });
        }
        rowRect.top += ctl->rowHeight;
        rowRect.bottom = rowRect.top + ctl->rowHeight;
        labelRowRect.top += ctl->rowHeight;
        labelRowRect.bottom = labelRowRect.top + ctl->rowHeight;
        if (++painted > ctl->pageRows) {
            pageFull = true;
            break;
        }
    }
    if (pageFull) return;

    // The list ended above the bottom edge.
    const RECT empty{rowRect.left, rowRect.top, rowRect.right, itemArea.bottom};
    if (!IsRectEmpty(&empty)) FillRect(dc, &empty, ctl->backBrush);
    if (hasFocus && ctl->caret == ctl->itemCount) DrawFocusFrame(ctl, dc, rowRect);
    if (ctl->dropTarget >= ctl->itemCount && ctl->dropMarkMode == LUMTREEDROPMARK_INSERT) {
        const COLORREF colour = ctl->dropMarkColor != LUMTREE_AUTOCOLOR
                                    ? ctl->dropMarkColor
                                    : ColorOr(ctl->selBackColor, COLOR_HIGHLIGHT);
        DrawInsertBar(dc, rowRect, colour);
    }
    if (ctl->showLabels) {
        gdi::Brush labelBack = gdi::SolidBrush(ColorOr(ctl->labelBackColor, COLOR_BTNFACE));
        const RECT rest{labelRowRect.left, labelRowRect.top, labelRowRect.right, labelRect.bottom};
        if (!IsRectEmpty(&rest)) FillRect(dc, &rest, labelBack.get());
    }
}

void PaintPendingRows(TreeCtl *ctl) {
    const HWND w = ctl->window;
    gdi::Region pending(CreateRectRgn(0, 0, 0, 0));
    // Without erasing, reading the update region leaves a pending frame pending.
    if (!pending || GetUpdateRgn(w, pending.get(), FALSE) <= NULLREGION) return;
    const RECT client = ClientRect(ctl);
    RECT box, update;
    GetRgnBox(pending.get(), &box);
    if (IntersectRect(&update, &box, &client)) {
        gdi::WindowDC dc(w);
        if (dc.get()) {
            SelectClipRgn(dc.get(), pending.get());
            PaintControl(ctl, dc.get(), &update);
        }
    }
    ValidateRgn(w, pending.get());
}
