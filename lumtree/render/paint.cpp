// Paint pipeline.
#include "render.h"

int UpdateColors(TreeCtl *ctl, HDC) {
    ctl->textColor = ctl->itemTextColor = GetSysColor(COLOR_WINDOWTEXT);
    ctl->backColor = ctl->itemBackColor = GetSysColor(COLOR_WINDOW);
    if (ctl->backBrush && !ctl->backBrushBorrowed) DeleteObject(ctl->backBrush);
    ctl->backBrush = CreateSolidBrush(ctl->itemBackColor);
    ctl->backBrushBorrowed = FALSE;
    return 1;
}

void PaintControl(TreeCtl *ctl, HDC dc, const RECT *updateRect) {
    RECT rc;
    if (updateRect) {
        rc = *updateRect;
    } else {
        GetClientRect(ctl->window, &rc);
    }
    FillRect(dc, &rc, ctl->backBrush);
}

bool RenderMessage(TreeCtl *, UINT, WPARAM, LPARAM, LRESULT *) {
    return false;
}
