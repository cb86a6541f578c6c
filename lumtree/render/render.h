// Rendering: the colour table and the derived colours, the paint pipeline, row drawing and
// the drawing primitives. Nothing outside this subsystem draws (except the divider line of a
// column resize).
#pragma once

#include "../frame/frame.h"
#include "../frame/gdi.h"

#include <cstdint>

// ---- Offered to the other subsystems ----

// Derives the effective item-area colours and the background brush. Returns 0 when the
// colours changed during a paint (the window has then been invalidated), else 1.
int UpdateColors(TreeCtl *ctl, HDC dc);

// Paints the control for an update rectangle in client coordinates (null: everything).
// Unbuffered, it draws straight into dc under clip regions, as it does whenever the one-row
// bitmap cannot be made.
void PaintControl(TreeCtl *ctl, HDC dc, const RECT *updateRect, bool buffered = true);

// Paints what is pending in the client area at once, as UpdateWindow does for it, but not
// through BeginPaint, which would first paint a pending frame too (the scroll bars, whose
// repaint waits for the next paint of the window; see layout/scroll.cpp). Used before pixels
// are moved, so that what moves is up to date.
void PaintPendingRows(TreeCtl *ctl);

// Deletes the paint buffer that paints keep for the next one (the window is going away).
void ReleasePaintBuffer(TreeCtl *ctl);

bool RenderMessage(TreeCtl *ctl, UINT msg, WPARAM wp, LPARAM lp, LRESULT *result);

// ---- Inside the subsystem (and its unit tests) ----

// Colours (colors.cpp).
// An application colour, or the system colour when it is automatic (-1).
COLORREF ColorOr(COLORREF colour, int sysColor);
// Grey text on button faces: COLOR_GRAYTEXT, unless it equals the button face, where it would
// vanish; then 0x808080 on a 0xC0C0C0 face and 0xC0C0C0 on any other.
COLORREF GreyFor(COLORREF grayText, COLORREF buttonFace);
// An application colour, or the grey of GreyFor when it is automatic.
COLORREF GreyOr(COLORREF colour);

// The two scratch DCs that the painters share: work1 holds a picture, work2 its mask.
struct WorkDCs {
    HDC work1;
    HDC work2;
};

// Primitives (primitives.cpp).
// One picture of `width` pixels from x = srcX of `bitmap` (height info.bmHeight), drawn at dest
// with its top-left pixel's colour replaced by `fill`; an embossed grey silhouette when not
// enabled.
void DrawMaskedBitmap(const WorkDCs &work, HDC dc, HBITMAP bitmap, int srcX, int width, POINT dest,
                      const BITMAP &info, COLORREF fill, bool enabled);
// A one-pixel 3-D edge around {left, top, right, bottom}; -1 colours are the button colours.
void Draw3DFrame(HDC dc, RECT rect, bool raised, COLORREF light, COLORREF shadow);
// The insertion mark: a 2-pixel bar along the top of a row.
void DrawInsertBar(HDC dc, const RECT &row, COLORREF colour);
// The brush of the vertical or the horizontal grid lines.
gdi::Brush GridBrush(const TreeCtl *ctl, bool vertical);
// Text cut to the rectangle with a trailing "..." (see primitives.cpp for the rules).
void DrawTextEllipsis(const TreeCtl *ctl, HDC dc, const char *text, int length, const RECT *rect,
                      UINT flags, int shift);

// What DrawCell draws in one cell, header, label or corner.
struct CellContent {
    bool enabled = true;          // the bitmap is embossed when false
    HBITMAP bitmap = nullptr;     // 0: none
    const BITMAP *info = nullptr; // size of that kind of bitmap
    UINT bitmapFlags = 0;         // LUMTREEBITMAP_ALONE, LUMTREEBITMAP_RIGHT
    const char *text = nullptr;   // in the control's width
    UINT format = 0;              // alignment bits 0-1, LUMTREEFORMAT_MULTILINE
    int pressed = 0;              // 1: text and bitmap shifted as a pressed button
    HBRUSH brush = nullptr;       // background when back is -1
    COLORREF back = LUMTREE_AUTOCOLOR;
    COLORREF textColor = LUMTREE_AUTOCOLOR; // -1: keep the DC's
    HFONT font = nullptr;                   // 0: keep the DC's
};
void DrawCell(const TreeCtl *ctl, HDC dc, const WorkDCs &work, const RECT &rect,
              const CellContent &cell);

// Header bar, corner and row labels (bars.cpp).
void DrawHeaderBar(const TreeCtl *ctl, HDC dc, const WorkDCs &work, const RECT &rect);
// The header, the corner and a label are drawn into their rectangles without the separator
// row and column that the paint draws black.
void DrawCorner(const TreeCtl *ctl, HDC dc, const WorkDCs &work, const RECT &rect);
void DrawRowLabel(const TreeCtl *ctl, HDC dc, const WorkDCs &work, const TreeItem *item, INT index,
                  const RECT &rect, bool enabled);

// Tree lines (lines.cpp): which dotted lines a row shows, read off the levels around it.
struct RowLines {
    INT parentLevel = 0;          // level of the nearest earlier item with a smaller level
    bool laterSibling = false;    // the item has a later sibling
    uint64_t ancestorColumns = 0; // bit k: a full-height line at the column of level k
};
RowLines LinesOfRow(const TreeCtl *ctl, INT index);

// What every row of one paint reads from the window: taken once per paint.
struct WindowState {
    bool enabled;  // IsWindowEnabled
    bool focus;    // the control has the keyboard focus
    INT controlId; // GetDlgCtrlID
};
WindowState WindowStateOf(const TreeCtl *ctl);

// Row drawing (row.cpp). Draws item `index` into `rect` (dc coordinates) with the window state
// read once for the paint, and returns whether it was drawn enabled.
bool PaintRow(const TreeCtl *ctl, HDC dc, const WorkDCs &work, const TreeItem *item, INT index,
              const RECT &rect, const WindowState &window);

// The caret's focus rectangle (an XOR drawing) over a row already on the screen.
void DrawFocusFrame(const TreeCtl *ctl, HDC dc, const RECT &rowRect);
