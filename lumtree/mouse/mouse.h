// Mouse interaction and drag and drop: presses, releases and moves, the tracking modes and
// their end, column resizing, drag selection, drag and drop with its drop-target feedback, and
// the autoscroll timer that serves them all.
#pragma once

#include "../frame/frame.h"

// Ends every mouse mode: capture released, autoscroll timer stopped, corner, header, button
// and divider tracking ended, a drag disarmed (LUMTREEN_CANCELDRAG when it had started).
void EndTracking(TreeCtl *ctl);

// Button and move messages and WM_CAPTURECHANGED; false leaves the message to default
// processing.
bool OnMouseInput(TreeCtl *ctl, UINT msg, WPARAM wp, LPARAM lp);

// The column whose right divider lies within 4 pixels of client x in the header bar (the
// rightmost such column), or -1. A last column that stretches to the edge has no divider.
INT DividerAt(const TreeCtl *ctl, INT x);

// LUMTREEM_SETDROPTARGET: marks item n (-1 none; itemCount after the last item in the
// insertion-mark mode) and, with autoscroll, scrolls while the target sits in the top or bottom
// row. 0 done, -1 for a bad or hidden item.
INT SetDropTarget(TreeCtl *ctl, INT n, bool autoscroll);

bool MouseMessage(TreeCtl *ctl, UINT msg, WPARAM wp, LPARAM lp, LRESULT *result);
