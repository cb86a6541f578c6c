/* Identifiers of the "Styles" dialogs: shared by the resource script (styles.dlg), the dialog
   procedure (lumtree/design/) and the tests. Plain defines, so that windres can read them. */
#ifndef LUMTREE_DESIGN_IDS_H
#define LUMTREE_DESIGN_IDS_H

#define IDD_LUMTREE_STYLES        100 /* the dialog the style function shows */
#define IDD_LUMTREE_STYLES_ID     200 /* the same with a "Control ID" group; never shown */

#define IDC_STYLE_DISABLENOSCROLL 101
#define IDC_STYLE_VISIBLE         103
#define IDC_STYLE_DISABLED        104
#define IDC_CONTROL_ID            105
#define IDC_CONTROL_ID_LABEL      106
#define IDC_STYLE_HSCROLL         107
#define IDC_STYLES_HELP           108
#define IDC_STYLE_WANTKEYBOARD    109
#define IDC_STYLE_BORDER          110
#define IDC_STYLE_VSCROLL         111
#define IDC_STYLE_NOTIFY          112
#define IDC_STYLE_MULTIPLESEL     113
#define IDC_STYLE_DRAGDROP        114
#define IDC_STYLE_GROUP           115
#define IDC_STYLE_TABSTOP         116
#define IDC_STYLE_CLIENTEDGE      131
#define IDC_STYLES_DESIGN         132
#define IDC_EXTENDED_GROUP        133
#define IDC_EXTENDED_NOTE         134
#define IDC_STYLE_LEFTBUTTONONLY  136
#define IDC_STYLE_SCROLL          137

#endif
