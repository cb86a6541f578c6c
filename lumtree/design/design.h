// Design-time support: what dialog editors see of the control. The exported CustomControlInfoA
// describes the control type and points the editor at the "Styles" dialog; a control created
// inside an editor's window fills itself with sample items so that the designer sees a tree.
#pragma once

#include "../frame/frame.h"

#include <custcntl.h>

// Whether the window sits inside a dialog editor: the class of its top-level ancestor (through
// GetParent) is one of the editors' main window classes. A window without a parent is not.
bool InDialogEditor(HWND window);

// Creation inside a dialog editor: expand buttons off and the ten sample items, levels
// 0-1-2-3-4-3-2-2-1-1, added through the control's own messages.
void AddSampleItems(TreeCtl *ctl);

// The style function of the control description: shows the "Styles" dialog for the editor's
// record; true after "OK" (the record's style words have been rewritten), false after "Cancel".
BOOL CALLBACK ShowStylesDialog(HWND parent, LPCCSTYLEA style);

// Builds the path of a file that lives next to the library ("LUMTREE.HLP", "WIZARD.EXE"): the
// library's drive and directory followed by the name. False when the path does not fit.
bool LibrarySiblingPath(const char *fileName, char (&path)[MAX_PATH]);
