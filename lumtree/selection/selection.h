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

// The selection steps of the mouse and the keyboard; n must be a valid item (anything else is
// ignored). extend is Shift held, keep is Ctrl held.
//
// Single step: the anchor moves to n unless extending from an existing anchor; in single-
// selection mode the old selection is cleared (LUMTREEN_SELCLEAR), the caret moves to n
// (LUMTREEN_CARETCHANGE) and n becomes the selection (LUMTREEN_SELCHANGE). In multiple-selection
// mode only the anchor and the caret move (clicks on bitmaps, row labels and expand buttons).
// keep has no effect.
void SingleSelectionStep(TreeCtl *ctl, INT n, bool extend, bool keep);
// Multiple step (multiple-selection mode only): n, or with extend the range from the anchor to
// n, gets the select flag; without keep every other item is deselected. The caret moves to n
// (LUMTREEN_CARETCHANGE) and LUMTREEN_SELCHANGE follows whether anything changed or not.
void MultipleSelectionStep(TreeCtl *ctl, INT n, bool select, bool extend, bool keep);
// The multiple step with the select flag in multiple-selection mode, else the single step.
void SelectionStepByMode(TreeCtl *ctl, INT n, bool select, bool extend, bool keep);

// Invalidates the rows of the selected items among the first pageRows + 1 shown rows from
// topIndex (focus changes with an inactive-selection style of 1 to 3).
void InvalidateSelectedRowsInView(TreeCtl *ctl);

// The application's selection and caret messages (messages.cpp).
bool SelectionMessage(TreeCtl *ctl, UINT msg, WPARAM wp, LPARAM lp, LRESULT *result);

// ---- Selected flags (selection.cpp), shared with the messages ----
// Gives the items first..last (clamped to the list) the selected flag `selected`, repainting
// the rows (labels included) whose flag changed and that are in view. Linear in the range; the
// repaint work is bounded by the rows in view.
void SetSelectedFlags(TreeCtl *ctl, INT first, INT last, bool selected);
