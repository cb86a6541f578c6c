/*
 * lumtree.h - public interface of RyTree32.dll, the LumTree tree-list control.
 *
 * An application links with the import library (or loads RyTree32.dll itself), which registers
 * the window class "MarvikTreeControl32" for the whole process. Controls are child windows of
 * that class, created from code or from a dialog template, and are driven with the LUMTREEM_*
 * messages below. They report to their parent with WM_COMMAND: LOWORD(wParam) is the control
 * identifier, HIWORD(wParam) one of the LUMTREEN_* codes and lParam the control's window.
 *
 * Usable from C and C++; every exported function is WINAPI (__stdcall on x86) with C linkage.
 *
 * Record layouts on the two targets
 *   x86: every record below has the classic size and offsets; the library proves them at build
 *        time (TreeColumn 34 bytes packed, cell attributes 26, cell request 38, label attributes
 *        22, label request 30, column description 16, RowDrawInfo 80, drag information 28).
 *   x64: every field that holds a handle, a pointer, a function address or an application value
 *        (item data, callback data, userValue1/userValue2, RowDrawInfo.data) is pointer-sized, so
 *        an x64 application can keep a pointer in an item's data. Every other field keeps its 32-
 *        or 16-bit size. Records marked packed stay packed to 1 byte; the others use natural
 *        alignment.
 *   Private messages return a 32-bit value sign-extended into LRESULT (-1 stays -1), except the
 *   messages that return a handle, an address or an item's data value, which return it whole.
 *
 * Application callbacks are CALLBACK (__stdcall on x86); their results are described with each
 * typedef.
 */
#ifndef LUMTREE_H
#define LUMTREE_H

/* The tables below are aligned by hand so that numbers and comments read as columns. */
/* clang-format off */

#include <windows.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Texts and the character width of a control
   Every name below that carries text comes in an ...A form (char, the control's classic ANSI
   interface) and a ...W form (UTF-16, wchar_t); the plain name follows UNICODE, as the
   platform's own headers do. A control keeps its texts in one width, chosen at creation:
   UTF-16 when its window is a Unicode window or its parent answers WM_NOTIFYFORMAT with
   NFR_UNICODE (the parent of a UNICODE application, registered with RegisterClassW), ANSI
   otherwise. LUMTREEM_SETUNICODEFORMAT changes it later. Every message, record and callback
   that carries text (item, column, label and corner texts, titles, searches, sort callbacks,
   RowDrawInfo.texts) then uses that width; lengths count characters of that width. */
#define LUMTREE_CLASSNAMEA        "MarvikTreeControl32" /* global class, registered at load */
#define LUMTREE_CLASSNAMEW        L"MarvikTreeControl32"
#define LUMTREE_PRIVATECLASSNAMEA "MarvikTreeControl"   /* per application, LumTree_RegisterApp2 */
#define LUMTREE_PRIVATECLASSNAMEW L"MarvikTreeControl"
#define LUMTREE_LOSTCURSORMSGA    "halvo_idMsgLostCursor" /* RegisterWindowMessage name */
#define LUMTREE_LOSTCURSORMSGW    L"halvo_idMsgLostCursor"
#ifdef UNICODE
#define LUMTREE_CLASSNAME        LUMTREE_CLASSNAMEW
#define LUMTREE_PRIVATECLASSNAME LUMTREE_PRIVATECLASSNAMEW
#define LUMTREE_LOSTCURSORMSG    LUMTREE_LOSTCURSORMSGW
#else
#define LUMTREE_CLASSNAME        LUMTREE_CLASSNAMEA
#define LUMTREE_PRIVATECLASSNAME LUMTREE_PRIVATECLASSNAMEA
#define LUMTREE_LOSTCURSORMSG    LUMTREE_LOSTCURSORMSGA
#endif

/* ---- Window styles (low 16 bits of the window style) ------------------------------------- */
#define LUMTREESTYLE_DISABLENOSCROLL   0x0001 /* keep the vertical bar, disabled, when nothing scrolls */
#define LUMTREESTYLE_WANTKEYBOARDINPUT 0x0002 /* offer every key to the parent with WM_VKEYTOITEM */
#define LUMTREESTYLE_NOTIFY            0x0004 /* send the style-gated notifications */
#define LUMTREESTYLE_MULTIPLESEL       0x0008 /* multiple selection */
#define LUMTREESTYLE_DRAGDROP          0x0010 /* left-button drag of the selection */
#define LUMTREESTYLE_LEFTBUTTONONLY    0x0020 /* right-button messages are left to default processing */
#define LUMTREESTYLE_SCROLL            0x0040 /* maintain only the scroll bars of the creation style */
#define LUMTREESTYLE_INTEGRALHEIGHT    0x8000 /* fit the height to whole rows at creation */

/* ---- Notification codes (HIWORD of the WM_COMMAND wParam) ------------------------------- */
#define LUMTREEN_KILLFOCUS        2
#define LUMTREEN_SETFOCUS         3
#define LUMTREEN_SELCLEAR         4
#define LUMTREEN_SELCHANGE        5
#define LUMTREEN_CARETCHANGE      6
#define LUMTREEN_TOPCHANGE        7
#define LUMTREEN_BEGINDRAG        8
#define LUMTREEN_DRAGOVER         9
#define LUMTREEN_DROP             10
#define LUMTREEN_CANCELDRAG       11
#define LUMTREEN_COLUMNRESIZE     12
#define LUMTREEN_ENDEDIT          14
#define LUMTREEN_QUERYENDEDIT     15
#define LUMTREEN_HSCROLL          16
#define LUMTREEN_MOUSEMOVE        17
#define LUMTREEN_TREEWIDTHCHANGE  18
/* Mouse codes are a base plus a LUMTREEHIT_* area. */
#define LUMTREEN_LBUTTONDOWN      30
#define LUMTREEN_LBUTTONDBLCLK    40
#define LUMTREEN_RBUTTONDOWN      70
#define LUMTREEN_RBUTTONDBLCLK    80
#define LUMTREEN_LBUTTONUP        1000
#define LUMTREEN_RBUTTONUP        1002
#define LUMTREEN_RBUTTONUPHEADER  1003

/* ---- Hit areas (added to the mouse notification bases) ---------------------------------- */
#define LUMTREEHIT_BITMAP         0
#define LUMTREEHIT_STATEBITMAP    1
#define LUMTREEHIT_INDENT         2
#define LUMTREEHIT_BUTTON         3
#define LUMTREEHIT_NODEBITMAP     4
#define LUMTREEHIT_ITEM           5
#define LUMTREEHIT_HEADER         6
#define LUMTREEHIT_CORNER         7
#define LUMTREEHIT_LABEL          8

/* ---- Private messages (WM_USER + 5 ... WM_USER + 190) ----------------------------------- */
#define LUMTREEM_ADDITEM                      (WM_USER + 5) /* 1029 */
#define LUMTREEM_INSERTITEM                   (WM_USER + 7) /* 1031 */
#define LUMTREEM_GETTEXT                      (WM_USER + 9) /* 1033 */
#define LUMTREEM_SETTEXT                      (WM_USER + 11) /* 1035 */
#define LUMTREEM_SETCOLUMNTITLE               (WM_USER + 13) /* 1037 */
#define LUMTREEM_GETCOLUMNTITLE               (WM_USER + 15) /* 1039 */
#define LUMTREEM_DELETEITEM                   (WM_USER + 20) /* 1044 */
#define LUMTREEM_GETLEVEL                     (WM_USER + 21) /* 1045 */
#define LUMTREEM_SETLEVEL                     (WM_USER + 22) /* 1046 */
#define LUMTREEM_ISSHOWN                      (WM_USER + 23) /* 1047 */
#define LUMTREEM_SHOWITEM                     (WM_USER + 24) /* 1048 */
#define LUMTREEM_GETBITMAP                    (WM_USER + 25) /* 1049 */
#define LUMTREEM_SETBITMAP                    (WM_USER + 26) /* 1050 */
#define LUMTREEM_GETNODEBITMAP                (WM_USER + 27) /* 1051 */
#define LUMTREEM_SETNODEBITMAP                (WM_USER + 28) /* 1052 */
#define LUMTREEM_ISEXPANDED                   (WM_USER + 29) /* 1053 */
#define LUMTREEM_EXPAND                       (WM_USER + 30) /* 1054 */
#define LUMTREEM_ISENABLED                    (WM_USER + 31) /* 1055 */
#define LUMTREEM_ENABLEITEM                   (WM_USER + 32) /* 1056 */
#define LUMTREEM_GETCARET                     (WM_USER + 33) /* 1057 */
#define LUMTREEM_SETCARET                     (WM_USER + 34) /* 1058 */
#define LUMTREEM_GETCOUNT                     (WM_USER + 35) /* 1059 */
#define LUMTREEM_GETSELECTION                 (WM_USER + 36) /* 1060 */
#define LUMTREEM_SETSELECTION                 (WM_USER + 37) /* 1061 */
#define LUMTREEM_GETDATA                      (WM_USER + 38) /* 1062 */
#define LUMTREEM_SETDATA                      (WM_USER + 39) /* 1063 */
#define LUMTREEM_GETROWHEIGHT                 (WM_USER + 40) /* 1064 */
#define LUMTREEM_GETITEMRECT                  (WM_USER + 41) /* 1065 */
#define LUMTREEM_ISSELECTED                   (WM_USER + 42) /* 1066 */
#define LUMTREEM_SELECTITEM                   (WM_USER + 43) /* 1067 */
#define LUMTREEM_GETSELCOUNT                  (WM_USER + 44) /* 1068 */
#define LUMTREEM_GETSELITEMS                  (WM_USER + 45) /* 1069 */
#define LUMTREEM_GETTEXTLENGTH                (WM_USER + 46) /* 1070 */
#define LUMTREEM_GETTEXTCOLUMNTITLELENGTH     (WM_USER + 47) /* 1071 */
#define LUMTREEM_GETTOPINDEX                  (WM_USER + 48) /* 1072 */
#define LUMTREEM_SETTOPINDEX                  (WM_USER + 49) /* 1073 */
#define LUMTREEM_DELETEALL                    (WM_USER + 50) /* 1074 */
#define LUMTREEM_SELECTRANGE                  (WM_USER + 51) /* 1075 */
#define LUMTREEM_GETPARENT                    (WM_USER + 52) /* 1076 */
#define LUMTREEM_GETROOT                      (WM_USER + 53) /* 1077 */
#define LUMTREEM_GETSIBLING                   (WM_USER + 54) /* 1078 */
#define LUMTREEM_GETCHILDCOUNT                (WM_USER + 55) /* 1079 */
#define LUMTREEM_GETCHILD                     (WM_USER + 56) /* 1080 */
#define LUMTREEM_ITEMFROMPOINT                (WM_USER + 57) /* 1081 */
#define LUMTREEM_GETSHOWITEMBITMAPS           (WM_USER + 58) /* 1082 */
#define LUMTREEM_GETSHOWSTATEBITMAPS          (WM_USER + 59) /* 1083 */
#define LUMTREEM_SETSTATEBITMAPS              (WM_USER + 60) /* 1084 */
#define LUMTREEM_GETSHOWLINES                 (WM_USER + 61) /* 1085 */
#define LUMTREEM_SETSHOWLINES                 (WM_USER + 62) /* 1086 */
#define LUMTREEM_SETNODEBITMAPS               (WM_USER + 63) /* 1087 */
#define LUMTREEM_GETSHOWNODEBITMAPS           (WM_USER + 64) /* 1088 */
#define LUMTREEM_SETTEXTONLYSELECTION         (WM_USER + 65) /* 1089 */
#define LUMTREEM_GETTEXTONLYSELECTION         (WM_USER + 66) /* 1090 */
#define LUMTREEM_GETDRAGINFO                  (WM_USER + 67) /* 1091 */
#define LUMTREEM_SETDISABLENOSCROLL           (WM_USER + 68) /* 1092 */
#define LUMTREEM_GETCOLUMNINFO                (WM_USER + 69) /* 1093 */
#define LUMTREEM_SETCOLUMNINFO                (WM_USER + 70) /* 1094 */
#define LUMTREEM_SETBUTTONSTRIP               (WM_USER + 71) /* 1095 */
#define LUMTREEM_GETSHOWBUTTONS               (WM_USER + 72) /* 1096 */
#define LUMTREEM_SETSHOWBUTTONS               (WM_USER + 73) /* 1097 */
#define LUMTREEM_GETSHOWROOTBUTTONS           (WM_USER + 74) /* 1098 */
#define LUMTREEM_SETSHOWROOTBUTTONS           (WM_USER + 75) /* 1099 */
#define LUMTREEM_GETHEXTENT                   (WM_USER + 80) /* 1104 */
#define LUMTREEM_SETHEXTENT                   (WM_USER + 81) /* 1105 */
#define LUMTREEM_FITHEXTENT                   (WM_USER + 82) /* 1106 */
#define LUMTREEM_GETHPOS                      (WM_USER + 83) /* 1107 */
#define LUMTREEM_SETHPOS                      (WM_USER + 84) /* 1108 */
#define LUMTREEM_SETLINESPERITEM              (WM_USER + 85) /* 1109 */
#define LUMTREEM_GETLINESPERITEM              (WM_USER + 86) /* 1110 */
#define LUMTREEM_GETTEXTCOLUMN                (WM_USER + 87) /* 1111 */
#define LUMTREEM_SETTEXTCOLUMN                (WM_USER + 88) /* 1112 */
#define LUMTREEM_SETHEADERFONT                (WM_USER + 89) /* 1113 */
#define LUMTREEM_GETHEADERFONT                (WM_USER + 90) /* 1114 */
#define LUMTREEM_SHOWHEADER                   (WM_USER + 91) /* 1115 */
#define LUMTREEM_ISHEADERSHOWN                (WM_USER + 92) /* 1116 */
#define LUMTREEM_SETLOOK3D                    (WM_USER + 93) /* 1117 */
#define LUMTREEM_GETLOOK3D                    (WM_USER + 94) /* 1118 */
#define LUMTREEM_SETGRIDLINES                 (WM_USER + 95) /* 1119 */
#define LUMTREEM_GETGRIDLINES                 (WM_USER + 96) /* 1120 */
#define LUMTREEM_SORTCHILDREN                 (WM_USER + 97) /* 1121 */
#define LUMTREEM_SETDRAWCALLBACK              (WM_USER + 98) /* 1122 */
#define LUMTREEM_SETHEADERBUTTONS             (WM_USER + 99) /* 1123 */
#define LUMTREEM_GETHEADERBUTTONS             (WM_USER + 100) /* 1124 */
#define LUMTREEM_SETPRESSEDHEADER             (WM_USER + 101) /* 1125 */
#define LUMTREEM_GETPRESSEDHEADER             (WM_USER + 102) /* 1126 */
#define LUMTREEM_SETCOLUMNRESIZE              (WM_USER + 103) /* 1127 */
#define LUMTREEM_GETCOLUMNRESIZE              (WM_USER + 104) /* 1128 */
#define LUMTREEM_GETCELLRECT                  (WM_USER + 105) /* 1129 */
#define LUMTREEM_GETGRIDSTYLE                 (WM_USER + 110) /* 1134 */
#define LUMTREEM_SETGRIDSTYLE                 (WM_USER + 111) /* 1135 */
#define LUMTREEM_SETDELETECALLBACK            (WM_USER + 112) /* 1136 */
#define LUMTREEM_SORTCHILDRENCB               (WM_USER + 113) /* 1137 */
#define LUMTREEM_DELETECHILDREN               (WM_USER + 114) /* 1138 */
#define LUMTREEM_SETCELLELLIPSIS              (WM_USER + 115) /* 1139 */
#define LUMTREEM_GETCELLELLIPSIS              (WM_USER + 116) /* 1140 */
#define LUMTREEM_SETCELLATTR                  (WM_USER + 117) /* 1141 */
#define LUMTREEM_GETCELLATTR                  (WM_USER + 118) /* 1142 */
#define LUMTREEM_GETLASTCLICKCOLUMN           (WM_USER + 119) /* 1143 */
#define LUMTREEM_FITHEIGHT                    (WM_USER + 120) /* 1144 */
#define LUMTREEM_GETCOLORS                    (WM_USER + 121) /* 1145 */
#define LUMTREEM_SETCOLORS                    (WM_USER + 122) /* 1146 */
#define LUMTREEM_GETSELECTONBITMAPCLICK       (WM_USER + 123) /* 1147 */
#define LUMTREEM_SETSELECTONBITMAPCLICK       (WM_USER + 124) /* 1148 */
#define LUMTREEM_GETDRAGMODE                  (WM_USER + 125) /* 1149 */
#define LUMTREEM_SETDRAGMODE                  (WM_USER + 126) /* 1150 */
#define LUMTREEM_GETPAGEROWS                  (WM_USER + 127) /* 1151 */
#define LUMTREEM_GETFULLROWS                  (WM_USER + 128) /* 1152 */
#define LUMTREEM_GETINACTIVESELSTYLE          (WM_USER + 129) /* 1153 */
#define LUMTREEM_SETINACTIVESELSTYLE          (WM_USER + 130) /* 1154 */
#define LUMTREEM_FINDDATA                     (WM_USER + 131) /* 1155 */
#define LUMTREEM_FINDPREFIX                   (WM_USER + 133) /* 1157 */
#define LUMTREEM_FINDTEXT                     (WM_USER + 135) /* 1159 */
#define LUMTREEM_CALCCOLUMNWIDTH              (WM_USER + 136) /* 1160 */
#define LUMTREEM_AUTOSIZECOLUMN               (WM_USER + 137) /* 1161 */
#define LUMTREEM_GETCOLUMNS                   (WM_USER + 138) /* 1162 */
#define LUMTREEM_SETCOLUMNS                   (WM_USER + 139) /* 1163 */
#define LUMTREEM_GETCORNERBUTTON              (WM_USER + 142) /* 1166 */
#define LUMTREEM_SETCORNERBUTTON              (WM_USER + 143) /* 1167 */
#define LUMTREEM_GETCORNERBITMAP              (WM_USER + 144) /* 1168 */
#define LUMTREEM_SETCORNERBITMAP              (WM_USER + 145) /* 1169 */
#define LUMTREEM_GETCORNERBITMAPFLAGS         (WM_USER + 146) /* 1170 */
#define LUMTREEM_SETCORNERBITMAPFLAGS         (WM_USER + 147) /* 1171 */
#define LUMTREEM_SETCORNERTEXT                (WM_USER + 148) /* 1172 */
#define LUMTREEM_GETCORNERTEXT                (WM_USER + 150) /* 1174 */
#define LUMTREEM_GETCORNERTEXTLENGTH          (WM_USER + 152) /* 1176 */
#define LUMTREEM_GETCORNERFLAGS               (WM_USER + 153) /* 1177 */
#define LUMTREEM_SETCORNERFLAGS               (WM_USER + 154) /* 1178 */
#define LUMTREEM_GETCORNERRECT                (WM_USER + 155) /* 1179 */
#define LUMTREEM_GETCOLUMNHEADERRECT          (WM_USER + 156) /* 1180 */
#define LUMTREEM_GETLABELRECT                 (WM_USER + 157) /* 1181 */
#define LUMTREEM_GETCORNERPRESSED             (WM_USER + 158) /* 1182 */
#define LUMTREEM_SETCORNERPRESSED             (WM_USER + 159) /* 1183 */
#define LUMTREEM_GETDROPTARGET                (WM_USER + 160) /* 1184 */
#define LUMTREEM_SETDROPTARGET                (WM_USER + 161) /* 1185 */
#define LUMTREEM_GETDROPMARKMODE              (WM_USER + 162) /* 1186 */
#define LUMTREEM_SETDROPMARKMODE              (WM_USER + 163) /* 1187 */
#define LUMTREEM_GETFORWARDTOPARENT           (WM_USER + 164) /* 1188 */
#define LUMTREEM_SETFORWARDTOPARENT           (WM_USER + 165) /* 1189 */
#define LUMTREEM_ENSUREVISIBLE                (WM_USER + 166) /* 1190 */
#define LUMTREEM_ENSURECOLUMNVISIBLE          (WM_USER + 167) /* 1191 */
#define LUMTREEM_SETLABELATTR                 (WM_USER + 168) /* 1192 */
#define LUMTREEM_GETLABELATTR                 (WM_USER + 169) /* 1193 */
#define LUMTREEM_GETLABELSTYLE                (WM_USER + 170) /* 1194 */
#define LUMTREEM_SHOWLABELS                   (WM_USER + 171) /* 1195 */
#define LUMTREEM_GETLABELFLAGS                (WM_USER + 172) /* 1196 */
#define LUMTREEM_SETLABELFLAGS                (WM_USER + 173) /* 1197 */
#define LUMTREEM_GETLABELTEXTLENGTH           (WM_USER + 174) /* 1198 */
#define LUMTREEM_GETLABELTEXT                 (WM_USER + 175) /* 1199 */
#define LUMTREEM_SETLABELTEXT                 (WM_USER + 177) /* 1201 */
#define LUMTREEM_SETLABELFONT                 (WM_USER + 180) /* 1204 */
#define LUMTREEM_GETLABELFONT                 (WM_USER + 181) /* 1205 */
#define LUMTREEM_CALCLABELWIDTH               (WM_USER + 182) /* 1206 */
#define LUMTREEM_SETLABELWIDTH                (WM_USER + 183) /* 1207 */
#define LUMTREEM_GETLABELWIDTH                (WM_USER + 184) /* 1208 */
#define LUMTREEM_COPYITEM                     (WM_USER + 185) /* 1209 */
#define LUMTREEM_MOVEITEM                     (WM_USER + 186) /* 1210 */
#define LUMTREEM_GETTREEWIDTH                 (WM_USER + 187) /* 1211 */
#define LUMTREEM_ITEMORENDFROMPOINT           (WM_USER + 188) /* 1212 */
#define LUMTREEM_GETTABINTERCEPT              (WM_USER + 189) /* 1213 */
#define LUMTREEM_SETTABINTERCEPT              (WM_USER + 190) /* 1214 */
/* Character width of the control's texts (the common controls' Unicode-format messages):
   SET with wParam nonzero makes the control UTF-16, zero ANSI, converting the texts it holds,
   and returns the previous setting (1 UTF-16, 0 ANSI); GET returns the current one. */
#define LUMTREEM_SETUNICODEFORMAT             0x2005 /* = CCM_SETUNICODEFORMAT */
#define LUMTREEM_GETUNICODEFORMAT             0x2006 /* = CCM_GETUNICODEFORMAT */

/* ---- Parameter values -------------------------------------------------------------------- */
/* LUMTREEM_GETSIBLING codes */
#define LUMTREESIBLING_FIRST      1
#define LUMTREESIBLING_LAST       2
#define LUMTREESIBLING_PREVIOUS   3
#define LUMTREESIBLING_NEXT       4
/* LUMTREEM_GETCHILD codes */
#define LUMTREECHILD_FIRST        1
#define LUMTREECHILD_LASTDESCENDANT 2
/* Text formats of columns, labels and the corner (TreeColumn.format, label and corner flags) */
#define LUMTREEFORMAT_LEFT        0x0
#define LUMTREEFORMAT_CENTER      0x1
#define LUMTREEFORMAT_RIGHT       0x2
#define LUMTREEFORMAT_MULTILINE   0x4
#define LUMTREEFORMAT_DEFAULT     0x800 /* format of the default column */
/* TreeColumn.headerFlags, label flags and corner flags */
#define LUMTREEHEADER_SPRINGBACK  0x40  /* header button springs back after a click */
#define LUMTREEHEADER_DISABLED    0x80  /* drawn grey, a press beeps */
#define LUMTREELABEL_NOPRESSED    0x40  /* labels of selected items are not drawn pressed */
#define LUMTREELABEL_DISABLED     0x80
#define LUMTREECORNER_SPRINGBACK  0x40
#define LUMTREECORNER_DISABLED    0x80
/* Bitmap placement flags of header, cell, label and corner bitmaps */
#define LUMTREEBITMAP_ALONE       0x1   /* the bitmap alone, no text */
#define LUMTREEBITMAP_RIGHT       0x2   /* the bitmap right of the text */
/* LUMTREEM_SETDROPMARKMODE */
#define LUMTREEDROPMARK_CARET     0
#define LUMTREEDROPMARK_ITEM      1
#define LUMTREEDROPMARK_INSERT    2
/* Version field of the cell and label attribute requests */
#define LUMTREE_ATTRVERSION       2
/* Width of a last column that stretches to the right edge */
#define LUMTREE_STRETCH           (-1)

/* ---- Colour table (LUMTREEM_GETCOLORS / LUMTREEM_SETCOLORS), -1 = automatic -------------- */
#define LUMTREE_COLORCOUNT            27
#define LUMTREE_AUTOCOLOR             ((COLORREF)0xFFFFFFFF)
#define LUMTREECOLOR_BACK             0
#define LUMTREECOLOR_TEXT             1
#define LUMTREECOLOR_GRAYTEXT         2
#define LUMTREECOLOR_SELBACK          3
#define LUMTREECOLOR_SELTEXT          4
#define LUMTREECOLOR_SHADOW           5
#define LUMTREECOLOR_LIGHT            6
#define LUMTREECOLOR_HEADERBACK       7
#define LUMTREECOLOR_HEADERTEXT       8
#define LUMTREECOLOR_HEADERGRAYTEXT   9
#define LUMTREECOLOR_HEADERSHADOW     10
#define LUMTREECOLOR_HEADERLIGHT      11
#define LUMTREECOLOR_LABELBACK        12
#define LUMTREECOLOR_LABELTEXT        13
#define LUMTREECOLOR_LABELSELBACK     14
#define LUMTREECOLOR_LABELSELTEXT     15
#define LUMTREECOLOR_LABELGRAYTEXT    16
#define LUMTREECOLOR_LABELSHADOW      17
#define LUMTREECOLOR_LABELLIGHT       18
#define LUMTREECOLOR_CORNERBACK       19
#define LUMTREECOLOR_CORNERTEXT       20
#define LUMTREECOLOR_CORNERGRAYTEXT   21
#define LUMTREECOLOR_CORNERSHADOW     22
#define LUMTREECOLOR_CORNERLIGHT      23
#define LUMTREECOLOR_GRIDVERT         24
#define LUMTREECOLOR_GRIDHORZ         25
#define LUMTREECOLOR_DROPMARK         26
typedef COLORREF TreeColorTable[LUMTREE_COLORCOUNT];

/* ---- Records exchanged with applications ------------------------------------------------- */
/* The ANSI records keep their classic tags (struct TreeColumn, ...) in ANSI builds. */
#ifdef UNICODE
#define LUMTREE_ANSITAG(name) name##A
#else
#define LUMTREE_ANSITAG(name) name
#endif

#pragma pack(push, 1)

/* One column (LUMTREEM_SETCOLUMNS, LUMTREEM_GETCOLUMNS). Packed: 34 bytes on x86. */
typedef struct LUMTREE_ANSITAG(TreeColumn) {
    DWORD_PTR userValue1;     /* stored and handed back, never interpreted */
    DWORD_PTR userValue2;
    INT       width;          /* pixels of the column's own part; LUMTREE_STRETCH on the last */
    DWORD     format;         /* LUMTREEFORMAT_* alignment and multi-line bit */
    DWORD     headerFlags;    /* title alignment, LUMTREEHEADER_SPRINGBACK, LUMTREEHEADER_DISABLED */
    LPSTR     title;          /* title text, or NULL */
    LPSTR     titleBuffer;    /* the control's own copy of the title */
    HBITMAP   headerBitmap;   /* drawn in the header cell; not owned */
    WORD      headerBitmapFlags; /* LUMTREEBITMAP_ALONE, LUMTREEBITMAP_RIGHT */
} TreeColumnA;
typedef struct TreeColumnW {  /* the same record with UTF-16 titles */
    DWORD_PTR userValue1;
    DWORD_PTR userValue2;
    INT       width;
    DWORD     format;
    DWORD     headerFlags;
    LPWSTR    title;
    LPWSTR    titleBuffer;
    HBITMAP   headerBitmap;
    WORD      headerBitmapFlags;
} TreeColumnW;

/* Attributes of one cell (item, column). Packed: 26 bytes on x86. Colours -1 = normal. */
typedef struct TreeCellAttr {
    COLORREF backColor;
    COLORREF textColor;
    COLORREF selBackColor;
    COLORREF selTextColor;
    HFONT    font;            /* 0 = the item font; not owned */
    HBITMAP  bitmap;          /* 0 = none; not owned */
    WORD     flags;           /* LUMTREEBITMAP_ALONE, LUMTREEBITMAP_RIGHT */
} TreeCellAttr;

/* Request of LUMTREEM_SETCELLATTR / LUMTREEM_GETCELLATTR. Packed: 38 bytes on x86. */
typedef struct TreeCellAttrRequest {
    DWORD        version;     /* LUMTREE_ATTRVERSION */
    INT          item;        /* item index; -1 = control-wide cell bitmap size (set only) */
    INT          column;
    TreeCellAttr attr;
} TreeCellAttrRequest;

/* Attributes of one row label. Packed: 22 bytes on x86. Colours -1 = normal. */
typedef struct TreeLabelAttr {
    COLORREF selBackColor;
    COLORREF selTextColor;
    COLORREF backColor;
    COLORREF textColor;
    HBITMAP  bitmap;          /* 0 = none; not owned */
    WORD     flags;           /* LUMTREEBITMAP_ALONE, LUMTREEBITMAP_RIGHT */
} TreeLabelAttr;

/* Request of LUMTREEM_SETLABELATTR / LUMTREEM_GETLABELATTR. Packed: 30 bytes on x86. */
typedef struct TreeLabelAttrRequest {
    DWORD         version;    /* LUMTREE_ATTRVERSION */
    INT           item;       /* item index; -1 = control-wide label bitmap size (set only) */
    TreeLabelAttr attr;
} TreeLabelAttrRequest;

#pragma pack(pop)

/* Column description of LUMTREEM_GETCOLUMNINFO / LUMTREEM_SETCOLUMNINFO. 16 bytes on x86. */
typedef struct LUMTREE_ANSITAG(TreeColumnInfo) {
    INT   width;
    DWORD format;
    DWORD headerFlags;
    LPSTR title;              /* filled by GETCOLUMNINFO, ignored by SETCOLUMNINFO */
} TreeColumnInfoA;
typedef struct TreeColumnInfoW {
    INT    width;
    DWORD  format;
    DWORD  headerFlags;
    LPWSTR title;
} TreeColumnInfoW;

/* Drag information; LUMTREEM_GETDRAGINFO returns its address. 28 bytes on x86. */
typedef struct TreeDragInfo {
    INT  cursorX;             /* pointer in screen coordinates at the last drag move */
    INT  cursorY;
    HWND targetWindow;        /* window under the pointer */
    INT  dragTarget;          /* item of this control under the pointer, -1 none */
    INT  multipleItems;       /* 1 when more than one item is dragged */
    INT  ctrlDown;            /* MK_CONTROL bit of the last move, or 0 */
    INT  shiftDown;           /* MK_SHIFT bit of the last move, or 0 */
} TreeDragInfo;

/* Record handed to the row-drawing callback for every painted row. 80 bytes on x86.
   The callback may change the fields marked "in/out"; the others are for reading. */
typedef struct LUMTREE_ANSITAG(RowDrawInfo) {
    INT      controlId;
    HWND     window;
    INT      index;
    INT      selected;
    INT      hasChildren;
    INT      expanded;
    INT      columnCount;
    INT      caret;
    COLORREF textColor;
    COLORREF backColor;       /* in/out: tree part background and bitmap fill colour */
    COLORREF cellTextColor;   /* in/out */
    COLORREF cellBackColor;   /* in/out */
    HFONT    font;            /* in/out: font of the cell texts (not owned by the control) */
    HBITMAP  itemBitmap;      /* in/out */
    HBITMAP  stateBitmap;     /* in/out */
    HBITMAP  nodeBitmap;      /* in/out */
    HPEN     linePen;         /* in/out: pen for the tree lines, 0 = default */
    INT      enabled;         /* in/out */
    DWORD_PTR data;
    LPSTR   *texts;           /* in/out: one text pointer per column */
} RowDrawInfoA;
typedef struct RowDrawInfoW { /* the same record with UTF-16 texts */
    INT      controlId;
    HWND     window;
    INT      index;
    INT      selected;
    INT      hasChildren;
    INT      expanded;
    INT      columnCount;
    INT      caret;
    COLORREF textColor;
    COLORREF backColor;
    COLORREF cellTextColor;
    COLORREF cellBackColor;
    HFONT    font;
    HBITMAP  itemBitmap;
    HBITMAP  stateBitmap;
    HBITMAP  nodeBitmap;
    HPEN     linePen;
    INT      enabled;
    DWORD_PTR data;
    LPWSTR  *texts;
} RowDrawInfoW;

#ifdef UNICODE
typedef TreeColumnW     TreeColumn;
typedef TreeColumnInfoW TreeColumnInfo;
typedef RowDrawInfoW    RowDrawInfo;
#else
typedef TreeColumnA     TreeColumn;
typedef TreeColumnInfoA TreeColumnInfo;
typedef RowDrawInfoA    RowDrawInfo;
#endif

/* ---- Application callbacks ----------------------------------------------------------------- */
/* Called just before an item is deleted; the result is ignored. */
typedef INT (CALLBACK *LUMTREEDELETEPROC)(HWND window, INT index, DWORD_PTR data,
                                          DWORD_PTR callbackData);
/* Sort by text: a result above 0 puts the first item after the second. */
typedef INT (CALLBACK *LUMTREETEXTCOMPAREPROCA)(HWND window, LPCSTR text1, LPCSTR text2);
typedef INT (CALLBACK *LUMTREETEXTCOMPAREPROCW)(HWND window, LPCWSTR text1, LPCWSTR text2);
/* Sort by item: texts may be NULL. A result above 0 puts the first item after the second. */
typedef INT (CALLBACK *LUMTREEITEMCOMPAREPROCA)(HWND window, LPCSTR text1, LPCSTR text2,
                                                DWORD_PTR data1, DWORD_PTR data2);
typedef INT (CALLBACK *LUMTREEITEMCOMPAREPROCW)(HWND window, LPCWSTR text1, LPCWSTR text2,
                                                DWORD_PTR data1, DWORD_PTR data2);
/* Called for every painted row before it is drawn; the result is ignored. */
typedef INT (CALLBACK *LUMTREEDRAWPROCA)(HWND window, RowDrawInfoA *info, DWORD_PTR callbackData);
typedef INT (CALLBACK *LUMTREEDRAWPROCW)(HWND window, RowDrawInfoW *info, DWORD_PTR callbackData);
#ifdef UNICODE
typedef LUMTREETEXTCOMPAREPROCW LUMTREETEXTCOMPAREPROC;
typedef LUMTREEITEMCOMPAREPROCW LUMTREEITEMCOMPAREPROC;
typedef LUMTREEDRAWPROCW        LUMTREEDRAWPROC;
#else
typedef LUMTREETEXTCOMPAREPROCA LUMTREETEXTCOMPAREPROC;
typedef LUMTREEITEMCOMPAREPROCA LUMTREEITEMCOMPAREPROC;
typedef LUMTREEDRAWPROCA        LUMTREEDRAWPROC;
#endif

/* lParam of LUMTREEM_SETDELETECALLBACK. */
typedef struct TreeDeleteCallback {
    LUMTREEDELETEPROC callback;
    DWORD_PTR         data;
} TreeDeleteCallback;

/* lParam of LUMTREEM_SETDRAWCALLBACK. */
typedef struct LUMTREE_ANSITAG(TreeDrawCallback) {
    LUMTREEDRAWPROCA callback;
    DWORD_PTR        data;
} TreeDrawCallbackA;
typedef struct TreeDrawCallbackW {
    LUMTREEDRAWPROCW callback;
    DWORD_PTR        data;
} TreeDrawCallbackW;
#ifdef UNICODE
typedef TreeDrawCallbackW TreeDrawCallback;
#else
typedef TreeDrawCallbackA TreeDrawCallback;
#endif

/* ---- Exported functions -------------------------------------------------------------------- */
LRESULT WINAPI LumTree_WndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

/* Application registration and the in-place editing hooks. The instance argument of
   LumTree_RegisterApp is not used; the function does nothing. */
void WINAPI LumTree_RegisterApp(HINSTANCE instance);
BOOL WINAPI LumTree_RegisterApp2(HINSTANCE instance);
void WINAPI LumTree_UnregisterApp2(HINSTANCE instance);
BOOL WINAPI LumTree_ProcessMouseMessage(HWND window, BOOL endEdit, INT hitCode);
BOOL WINAPI LumTree_ProcessKeyboardMessage(BOOL endEdit, BOOL tabOrAlt);

/* Extension functions: direct calls on a control given its window. */
INT   WINAPI LumTreeEx_InsertItem_DLL(HWND window, INT index, INT level, LPCSTR text,
                                      DWORD_PTR data, DWORD kind);
/* The text forms of the insertion: either one converts the text to the control's own width.
   LumTreeEx_InsertItem_DLL is the ANSI export; in the source of a UNICODE application the
   plain name stands for the W form. */
INT   WINAPI LumTreeEx_InsertItemA_DLL(HWND window, INT index, INT level, LPCSTR text,
                                       DWORD_PTR data, DWORD kind);
INT   WINAPI LumTreeEx_InsertItemW_DLL(HWND window, INT index, INT level, LPCWSTR text,
                                       DWORD_PTR data, DWORD kind);
#ifdef UNICODE
#define LumTreeEx_InsertItem_DLL LumTreeEx_InsertItemW_DLL
#endif
void  WINAPI LumTreeEx_DeleteAllItems_DLL(HWND window);
void  WINAPI LumTreeEx_SetItemTrack(HWND window, BOOL track);
void  WINAPI LumTreeEx_SetItemTrackGlobal(BOOL track);
BOOL  WINAPI LumTreeEx_GetItemTrack(HWND window);
void  WINAPI LumTreeEx_SetBoldCaretFont(HWND window, BOOL bold, BOOL redraw);
DWORD WINAPI LumTreeEx_GetItemKind(HWND window, INT index);
void  WINAPI LumTreeEx_SetItemKind(HWND window, INT index, DWORD kind);
void  WINAPI LumTreeEx_EnableScrollBarUpdate(HWND window, INT bar, BOOL enable);
INT   WINAPI LumTreeEx_GetItemsEx(HWND window, BOOL selectedOnly, BOOL withDescendants,
                                  INT *indexes, DWORD_PTR *datas);

/* Dialog-editor interface; the record type comes from <custcntl.h>. */
struct tagCCINFOA;
UINT CALLBACK CustomControlInfoA(struct tagCCINFOA *info);

#ifdef __cplusplus
}
#endif

/* clang-format on */

#endif /* LUMTREE_H */
