// Accessibility: the accessible object that WM_GETOBJECT hands to screen readers and UI
// automation clients, and the WinEvents that tell them about changes.
//
// The object model follows the platform's own tree view:
// - The control's client object has the role ROLE_SYSTEM_OUTLINE. Its children are addressed
//   by child id = item index + 1 for every item of the list, hidden ones included (they carry
//   STATE_SYSTEM_INVISIBLE), so an id is found and answered without counting rows. Ids change
//   when items are inserted or deleted before them; EVENT_OBJECT_REORDER says so.
// - Child id itemCount + 1 is the column header bar and itemCount + 2 the row-label column,
//   each a child object of its own (ROLE_SYSTEM_LIST, invisible while switched off). The
//   header bar's children are the columns (id = column + 1, ROLE_SYSTEM_COLUMNHEADER, named by
//   their titles); the label column's children are the row labels (id = item index + 1,
//   ROLE_SYSTEM_ROWHEADER, named by the label text or the automatic number).
// - An item is ROLE_SYSTEM_OUTLINEITEM. Name: its text in column 0. Value: its level as a
//   decimal number. Description: the other columns as "title: text" pairs joined by ", " (the
//   text alone when a column has no title). States: selectable and focusable, selected,
//   focused (the caret while the control has the focus), expanded or collapsed (items with
//   children), multi- and extend-selectable under LUMTREESTYLE_MULTIPLESEL, unavailable for a
//   disabled item or window, offscreen for a shown row outside the view and invisible for a
//   hidden item. Location: its row rectangle (the item area part, as LUMTREEM_GETITEMRECT
//   gives it) in screen coordinates; none for a row that is not in view.
// - Navigation from an item: NAVDIR_DOWN / NAVDIR_UP the next / previous shown row,
//   NAVDIR_NEXT / NAVDIR_PREVIOUS the next / previous sibling, NAVDIR_FIRSTCHILD /
//   NAVDIR_LASTCHILD its first / last child, NAVDIR_LEFT its parent and NAVDIR_RIGHT its first
//   child (as the arrow keys of a tree view go). From the control, NAVDIR_FIRSTCHILD and
//   NAVDIR_LASTCHILD give the first and last shown rows.
// - Default action: "Expand" or "Collapse" for an item with children, which does what a click
//   on its expand button does: the single selection step moves the caret (and in single-
//   selection mode the selection) to the item, then the parent gets LUMTREEN_LBUTTONDOWN +
//   LUMTREEHIT_BUTTON, whatever the notify style (like the keyboard's plus and minus keys), and
//   decides with LUMTREEM_EXPAND. "Select" for an item without children: the selection step
//   of the mode, as a plain click.
// - accSelect runs the selection steps, so a selecting flag also moves the caret to the item:
//   SELFLAG_TAKEFOCUS gives the window the focus and moves the caret; SELFLAG_TAKESELECTION
//   selects the item alone; SELFLAG_ADDSELECTION / SELFLAG_REMOVESELECTION (multiple-selection
//   mode) change it alone or, with SELFLAG_EXTENDSELECTION, the range from the anchor;
//   SELFLAG_EXTENDSELECTION alone gives the range the anchor's state. Removing and extending
//   are refused (E_INVALIDARG) in single-selection mode.
// After WM_DESTROY the object is disconnected: every call answers CO_E_OBJNOTCONNECTED.
#pragma once

#include "../frame/frame.h"

// WM_GETOBJECT: answers OBJID_CLIENT with the control's accessible object (created on the
// first request); false leaves every other request to default processing.
bool AccessGetObject(TreeCtl *ctl, WPARAM wp, LPARAM lp, LRESULT *result);
// WM_DESTROY: disconnects the object from the control and reports its destruction.
void AccessDisconnect(TreeCtl *ctl);

// ---- WinEvents (access/events.cpp) ----
// Every routine does nothing unless a client listens for the event
// (IsWinEventHookInstalled), so a control without listeners pays one call.
//
// Reports an event for item i (kNone: the control itself). EVENT_OBJECT_FOCUS is reported
// only while the control has the keyboard focus.
void AccessEvent(TreeCtl *ctl, DWORD event, INT i);
// The selected flag of item i changed: selection add or remove (the single-selection mode's
// new selection as EVENT_OBJECT_SELECTION).
void AccessSelectionEvent(TreeCtl *ctl, INT i, bool selected);
// The same for an item of the range first..last whose flag a bulk change set: reported one by
// one for a short range; a long one is reported once by AccessSelectionRangeEnd, after the
// change, as EVENT_OBJECT_SELECTIONWITHIN.
void AccessSelectionRangeEvent(TreeCtl *ctl, INT i, bool selected, INT first, INT last);
void AccessSelectionRangeEnd(TreeCtl *ctl, INT first, INT last);
// The text of item i in a column changed: its name (column 0) or its description.
void AccessTextEvent(TreeCtl *ctl, INT i, INT column);
