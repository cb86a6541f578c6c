// Mouse interaction and drag and drop: presses, releases and moves, the tracking modes and
// their end.
#pragma once

#include "../frame/frame.h"

// Ends every mouse mode: capture released, autoscroll timer stopped, corner, header, button
// and divider tracking ended, a drag disarmed (LUMTREEN_CANCELDRAG when it had started).
void EndTracking(TreeCtl *ctl);

// Button and move messages; false leaves the message to default processing.
bool OnMouseInput(TreeCtl *ctl, UINT msg, WPARAM wp, LPARAM lp);

bool MouseMessage(TreeCtl *ctl, UINT msg, WPARAM wp, LPARAM lp, LRESULT *result);
