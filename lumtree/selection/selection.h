// Selection, caret and notifications: the selection model with its two selection steps, the
// caret, and the notification sender with its style gating (notify.cpp).
#pragma once

#include "../frame/frame.h"

// LUMTREEM_SETSELECTION (single-selection mode): selects n (-1 none) without notification;
// expands n's ancestors, does not move the caret or scroll. 0 done, -1 refused.
INT SetSelection(TreeCtl *ctl, INT n);
// LUMTREEM_SETCARET: moves the caret to n (n == itemCount only for an empty list), showing and
// scrolling it into view; no notification. 0 done, -1 refused.
INT SetCaret(TreeCtl *ctl, INT n);
// The caret step with notification: when n differs from the caret, SetCaret and then
// LUMTREEN_CARETCHANGE (under the notify style), even when the move was refused.
void CaretStep(TreeCtl *ctl, INT n);

// Invalidates the rows of the selected items among the first pageRows + 1 shown rows from
// topIndex (focus changes with an inactive-selection style of 1 to 3).
void InvalidateSelectedRowsInView(TreeCtl *ctl);

bool SelectionMessage(TreeCtl *ctl, UINT msg, WPARAM wp, LPARAM lp, LRESULT *result);
