// Drawing primitives: transparent and embossed pictures, 3-D edges, grid lines, text cut with
// "...", and the cell painter that places text and bitmap inside a cell, header, label or
// corner.
#include "render.h"

#include "../frame/gdi.h"
#include "../frame/text.h"
#include "../layout/layout.h"

#include <algorithm>
#include <cstring>

namespace {

// Raster operations of the masked blits (monochrome mask as source, brush as pattern).
constexpr DWORD kMaskToBrush = 0xE20746;   // mask ? brush : destination
constexpr DWORD kMaskKeepsDest = 0xB8074A; // mask ? destination : brush

constexpr char kDots[] = "...";
constexpr int kDotsLength = 3;

int Width(const RECT &r) {
    return r.right - r.left;
}
int Height(const RECT &r) {
    return r.bottom - r.top;
}

} // namespace

// The transparent colour is the picture's own top-left pixel, so any bitmap works without a
// separate mask: the picture is copied as it is, a mask of the pixels of that colour is made
// from the copy, and those pixels are painted over with the fill colour.
void DrawMaskedBitmap(const WorkDCs &work, HDC dc, HBITMAP bitmap, int srcX, int width, POINT dest,
                      const BITMAP &info, COLORREF fill, bool enabled) {
    int height = info.bmHeight;
    if (!bitmap || width <= 0 || height <= 0) return;
    // Only the part that can show (the DC's clip box) is copied and masked: a picture may be
    // far larger than the screen, and the mask is as large as what is drawn.
    RECT box, part;
    const RECT whole{dest.x, dest.y, dest.x + width, dest.y + height};
    if (GetClipBox(dc, &box) <= NULLREGION || !IntersectRect(&part, &whole, &box)) return;
    COLORREF transparent;
    {
        gdi::Select picture(work.work1, bitmap);
        transparent = GetPixel(work.work1, srcX, 0);
        srcX += part.left - dest.x;
        const int srcY = part.top - dest.y;
        dest = POINT{part.left, part.top};
        width = Width(part);
        height = Height(part);
        BitBlt(dc, dest.x, dest.y, width, height, work.work1, srcX, srcY, SRCCOPY);
    }
    gdi::Bitmap mask(CreateBitmap(width, height, 1, 1, nullptr));
    if (!mask) return; // the picture stays opaque
    gdi::Select selectMask(work.work2, mask.get());
    gdi::KeepTextColor keepText(dc);
    {
        gdi::KeepBkColor keepBack(dc, transparent);
        BitBlt(work.work2, 0, 0, width, height, dc, dest.x, dest.y, SRCCOPY);
    }
    gdi::KeepBkColor keepBack(dc, RGB(255, 255, 255));
    SetTextColor(dc, RGB(0, 0, 0));
    {
        gdi::Brush brush = gdi::SolidBrush(fill);
        gdi::Select selectBrush(dc, brush.get());
        BitBlt(dc, dest.x, dest.y, width, height, work.work2, 0, 0, kMaskToBrush);
    }
    if (enabled) return;
    // Embossed: every opaque pixel in the shadow colour over a highlight copy one pixel down
    // and to the right.
    {
        gdi::Brush light = gdi::SolidBrush(GetSysColor(COLOR_BTNHIGHLIGHT));
        gdi::Select selectBrush(dc, light.get());
        BitBlt(dc, dest.x + 1, dest.y + 1, width - 1, height - 1, work.work2, 0, 0, kMaskKeepsDest);
    }
    gdi::Brush shadow = gdi::SolidBrush(GetSysColor(COLOR_BTNSHADOW));
    gdi::Select selectBrush(dc, shadow.get());
    BitBlt(dc, dest.x, dest.y, width, height, work.work2, 0, 0, kMaskKeepsDest);
}

void Draw3DFrame(HDC dc, RECT r, bool raised, COLORREF light, COLORREF shadow) {
    gdi::Brush lightBrush = gdi::SolidBrush(ColorOr(light, COLOR_BTNHIGHLIGHT));
    gdi::Brush shadowBrush = gdi::SolidBrush(ColorOr(shadow, COLOR_BTNSHADOW));
    HBRUSH topLeft = raised ? lightBrush.get() : shadowBrush.get();
    HBRUSH bottomRight = raised ? shadowBrush.get() : lightBrush.get();
    const RECT top{r.left, r.top, r.right, r.top + 1};
    const RECT left{r.left, r.top, r.left + 1, r.bottom};
    const RECT bottom{r.left, r.bottom - 1, r.right, r.bottom};
    const RECT right{r.right - 1, r.top, r.right, r.bottom};
    FillRect(dc, &top, topLeft);
    FillRect(dc, &left, topLeft);
    FillRect(dc, &bottom, bottomRight);
    FillRect(dc, &right, bottomRight);
}

void DrawInsertBar(HDC dc, const RECT &row, COLORREF colour) {
    gdi::Brush mark = gdi::SolidBrush(colour);
    const RECT bar{row.left, row.top, row.right, std::min(row.top + 2, row.bottom)};
    FrameRect(dc, &bar, mark.get());
}

gdi::Brush GridBrush(const TreeCtl *ctl, bool vertical) {
    const COLORREF colour = vertical ? ctl->gridVertColor : ctl->gridHorzColor;
    return gdi::SolidBrush(ColorOr(colour, COLOR_BTNSHADOW));
}

// Single-line text that is too wide keeps as many leading characters as fit beside "..."; the
// dots follow the kept characters (drawn with the current position), whatever the alignment.
// Text that is several lines long on purpose is never cut.
void DrawTextEllipsis(const TreeCtl *ctl, HDC dc, const char *text, int length, const RECT *rect,
                      UINT flags, int shift) {
    if (!text || length < 1 || !rect) return;
    RECT r = *rect;
    constexpr UINT kPlainLine = DT_NOPREFIX | DT_SINGLELINE | DT_VCENTER;
    if (flags == kPlainLine) {
        TextDraw(ctl, dc, text, length, &r, flags | DT_WORD_ELLIPSIS);
        return;
    }
    int dy = 0;
    if (flags & DT_VCENTER) {
        RECT measured = r;
        TextDraw(ctl, dc, text, length, &measured, DT_CALCRECT | (flags & DT_SINGLELINE));
        dy = (Height(r) - Height(measured)) / 2;
    }
    const bool lineBreaks = TextHasLineBreak(ctl, text, length);
    if (((flags & DT_WORDBREAK) && !(flags & DT_SINGLELINE)) || lineBreaks) {
        if (flags & DT_VCENTER) r.top += dy;
        r.left += shift;
        r.top += shift;
        TextDraw(ctl, dc, text, length, &r, flags & ~DT_VCENTER);
        return;
    }
    const UINT f = (flags & ~(DT_WORDBREAK | DT_NOCLIP)) | DT_SINGLELINE;
    RECT measured = r;
    TextDraw(ctl, dc, text, length, &measured, f | DT_CALCRECT);
    const int width = Width(r);
    r.left += shift;
    r.top += shift;
    if (Width(measured) <= width) {
        TextDraw(ctl, dc, text, length, &r, f);
        return;
    }
    wchar_t wideDots[kDotsLength + 1];
    const char *dotsText = TextFromAscii(ctl, kDots, wideDots);
    const SIZE dots = TextExtent(ctl, dc, dotsText, kDotsLength);
    int kept = 0;
    SIZE keptSize{};
    if (width - dots.cx > 0) {
        kept = TextFit(ctl, dc, text, length, width - dots.cx);
        keptSize = TextExtent(ctl, dc, text, kept);
    }
    if (kept == 0) {
        TextDraw(ctl, dc, dotsText, kDotsLength, &r, f);
        return;
    }
    gdi::KeepTextAlign keepAlign(dc, TA_UPDATECP);
    if (flags & DT_VCENTER) r.top += dy;
    int x = r.left;
    if (flags & DT_RIGHT) {
        x = r.right - dots.cx - keptSize.cx;
    } else if (flags & DT_CENTER) {
        x = r.left + (width - dots.cx - keptSize.cx) / 2;
    }
    POINT oldPosition;
    MoveToEx(dc, x, r.top, &oldPosition);
    TextDraw(ctl, dc, text, kept, &r, f);
    TextDraw(ctl, dc, dotsText, kDotsLength, &r, f);
    MoveToEx(dc, oldPosition.x, oldPosition.y, nullptr);
}

namespace {

// Where the text and the bitmap of a cell go. textX < 0 means no text is drawn, bitmapX < 0
// no bitmap.
struct CellPlacement {
    int textX = -1;
    int textWidth = 0;
    int bitmapX = -1;
};

CellPlacement PlaceCell(const RECT &rect, int g, UINT align, bool hasText, int textWidth,
                        bool hasBitmap, int bw, UINT bitmapFlags) {
    CellPlacement p;
    const int half = g / 2;
    const int minX = rect.left + half;
    const bool centre = align == LUMTREEFORMAT_CENTER;
    const bool right = align == LUMTREEFORMAT_RIGHT;
    const bool bitmapRight = (bitmapFlags & LUMTREEBITMAP_RIGHT) != 0;
    const bool bitmapAlone = !bitmapRight && (bitmapFlags & LUMTREEBITMAP_ALONE) != 0;
    if (!hasBitmap) {
        if (!hasText) return p;
        const int avail = Width(rect) - g;
        p.textWidth = std::min<int>(textWidth, avail);
        p.textX = minX;
        if (centre) p.textX = minX + std::max<int>(0, (avail - p.textWidth) / 2);
        if (right) p.textX = std::max<int>(minX, rect.right - half - p.textWidth - 1);
        return p;
    }
    if (!hasText) {
        int x = minX;
        if (bitmapRight) {
            x = rect.right - half - bw - 1;
        } else if (bitmapAlone) {
            x = rect.left + (Width(rect) - bw) / 2;
        }
        p.bitmapX = std::max<int>(x, minX);
        return p;
    }
    const int avail = Width(rect) - (3 * g) / 2 - bw;
    p.textWidth = std::min<int>(textWidth, avail);
    if (bitmapRight) {
        p.textX = minX;
        if (centre) p.textX = minX + std::max<int>(0, (avail - p.textWidth) / 2);
        if (right) p.textX = std::max<int>(minX, rect.right - 2 * half - bw - p.textWidth - 1);
        p.bitmapX = std::max<int>(minX, p.textX + half + p.textWidth);
    } else if (bitmapAlone) {
        p.bitmapX = minX + std::max<int>(0, (Width(rect) - g - bw) / 2);
        p.textX = -1;
    } else {
        p.bitmapX = minX;
        if (centre) p.bitmapX = minX + std::max<int>(0, (avail - p.textWidth) / 2);
        if (right) p.bitmapX = std::max<int>(minX, rect.right - 2 * half - bw - p.textWidth - 1);
        p.textX = std::max<int>(minX, p.bitmapX + half + bw);
    }
    return p;
}

} // namespace

void DrawCell(const TreeCtl *ctl, HDC dc, const WorkDCs &work, const RECT &rect,
              const CellContent &cell) {
    const int p = cell.pressed;
    const int s = ctl->oldLook ? p : 0;

    if (cell.back == LUMTREE_AUTOCOLOR) {
        FillRect(dc, &rect, cell.brush);
    } else {
        gdi::Brush back = gdi::SolidBrush(cell.back);
        FillRect(dc, &rect, back.get());
    }
    gdi::Select selectFont(dc, cell.font);

    const bool hasText = !TextEmpty(ctl, cell.text);
    const int length = hasText ? static_cast<int>(TextLength(ctl, cell.text)) : 0;
    UINT f = (cell.format & LUMTREEFORMAT_MULTILINE) ? 0 : DT_SINGLELINE;
    const UINT align = cell.format & 3;
    if (align == LUMTREEFORMAT_CENTER) f |= DT_CENTER;
    if (align == LUMTREEFORMAT_RIGHT) f |= DT_RIGHT;
    int textWidth = 0;
    if (hasText) {
        if (f == DT_SINGLELINE) {
            textWidth = TextExtent(ctl, dc, cell.text, length).cx;
        } else {
            textWidth = TextWidth(ctl, dc, cell.text, f);
        }
    }
    const int bw = cell.info ? cell.info->bmWidth : 0;
    const bool hasBitmap = cell.bitmap && bw > 0;
    const CellPlacement place = PlaceCell(rect, ctl->avgCharWidth, align, hasText, textWidth,
                                          hasBitmap, bw, cell.bitmapFlags);

    if (hasText && place.textX >= 0) {
        gdi::KeepTextColor keepText(dc);
        if (cell.textColor != LUMTREE_AUTOCOLOR) SetTextColor(dc, cell.textColor);
        RECT tr{place.textX + p, rect.top + s, place.textX + place.textWidth + p, rect.bottom + s};
        if (ctl->cellEllipsis) {
            DrawTextEllipsis(ctl, dc, cell.text, length, &tr, f | DT_NOPREFIX | DT_VCENTER, 0);
        } else if (f != DT_SINGLELINE) {
            RECT measured = tr;
            TextDraw(ctl, dc, cell.text, length, &measured, f | DT_CALCRECT | DT_NOPREFIX);
            tr.top += (Height(tr) - Height(measured)) / 2;
            TextDraw(ctl, dc, cell.text, length, &tr, f | DT_NOPREFIX);
        } else {
            // The common case: one extent and one TextOut on the baseline. TextOut does not
            // clip; what follows paints over a text that runs on.
            gdi::KeepTextAlign keepAlign(dc, TA_BASELINE);
            TextOutAt(ctl, dc, tr.left, tr.top + Height(tr) / 2 + ctl->baselineShift, cell.text,
                      length);
        }
    }
    if (hasBitmap && place.bitmapX >= 0) {
        const int y = rect.top + std::max<int>(0, (Height(rect) - cell.info->bmHeight) / 2);
        const COLORREF fill = cell.back == LUMTREE_AUTOCOLOR ? GetBkColor(dc) : cell.back;
        DrawMaskedBitmap(work, dc, cell.bitmap, 0, bw, POINT{place.bitmapX + p, y + s}, *cell.info,
                         fill, cell.enabled);
    }
}
