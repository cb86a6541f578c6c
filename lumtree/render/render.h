// Rendering: the colour table and the derived colours, the paint pipeline, row drawing and
// the drawing primitives. Nothing outside this subsystem draws (except the divider line of a
// column resize).
#pragma once

#include "../frame/frame.h"

// Derives the effective item-area colours and the background brush. Returns 0 when the
// colours changed during a paint (the window has then been invalidated), else 1.
int UpdateColors(TreeCtl *ctl, HDC dc);

// Paints the control for an update rectangle in client coordinates (null: everything).
void PaintControl(TreeCtl *ctl, HDC dc, const RECT *updateRect);

bool RenderMessage(TreeCtl *ctl, UINT msg, WPARAM wp, LPARAM lp, LRESULT *result);
