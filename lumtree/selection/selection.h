// Selection, caret and notifications: the selection model with its two selection steps, the
// caret, and the notification sender with its style gating (notify.cpp).
#pragma once

#include "../frame/frame.h"

// Invalidates the rows of the selected items among the first pageRows + 1 shown rows from
// topIndex (focus changes with an inactive-selection style of 1 to 3).
void InvalidateSelectedRowsInView(TreeCtl *ctl);

bool SelectionMessage(TreeCtl *ctl, UINT msg, WPARAM wp, LPARAM lp, LRESULT *result);
