/*
 * lumtreex.h - typed helpers for the LumTree control, in the manner of the platform's
 * common-control macros (TreeView_InsertItem, ListView_SetItemText, ...).
 *
 * Each helper sends one message (a few send two or three, said where they do) and converts the
 * parameters and the result to their types, so that the wParam/lParam order, the packing of
 * two values into one parameter and the failure value of each message need not be remembered:
 *
 *   int  results: an item index, count or width as the message returns it; -1 means a bad index
 *                 or no item, exactly as the message says.
 *   BOOL results: TRUE when the message did what was asked (or it was already so), whatever
 *                 success value (1 or 0) the message itself uses; FALSE on its failure value.
 *
 * Usable from C89 and C++ (header only; the functions are static inline in C, inline in C++).
 * Texts are TCHAR: char in an ANSI build, UTF-16 in a UNICODE build, whose controls are wide
 * (lumtree.h, "Texts and the character width of a control").
 * In C++ the class lumtree::Tree below wraps the same helpers around a window handle.
 *
 *   #include "lumtree/lumtreex.h"
 *   int docs = LumTree_AddItem(tree, "Documents");
 *   int reports = LumTree_AddItemAtLevel(tree, "Reports", 1);
 *   LumTree_Expand(tree, docs, FALSE, FALSE);              (collapse)
 *
 * and in the parent's WM_COMMAND:
 *
 *   case ID_TREE:
 *       if (LumTree_OnExpandButton(wParam, lParam)) return 0;   (toggles the clicked item)
 */
#ifndef LUMTREEX_H
#define LUMTREEX_H

#include "lumtree.h"

#ifdef __cplusplus
#define LUMTREEX_INLINE inline
#else
#define LUMTREEX_INLINE static __inline
#endif

#define LUMTREEX_SEND(w, m, wp, lp) SendMessageA((w), (m), (WPARAM)(wp), (LPARAM)(lp))
#define LUMTREEX_INT(w, m, wp, lp) ((int)LUMTREEX_SEND(w, m, wp, lp))

#ifdef __cplusplus
extern "C" {
#endif

/* ---- Text width ------------------------------------------------------------------------ */

/* Makes the control's texts UTF-16 (TRUE) or ANSI (FALSE), converting what it holds. Returns
   the previous setting. */
LUMTREEX_INLINE BOOL LumTree_SetUnicodeFormat(HWND tree, BOOL wide) {
    return LUMTREEX_INT(tree, LUMTREEM_SETUNICODEFORMAT, wide, 0) != 0;
}
/* TRUE when the control's texts are UTF-16. */
LUMTREEX_INLINE BOOL LumTree_GetUnicodeFormat(HWND tree) {
    return LUMTREEX_INT(tree, LUMTREEM_GETUNICODEFORMAT, 0, 0) != 0;
}

/* ---- Items ----------------------------------------------------------------------------- */

/* Appends a level-0 item; its text goes into column 0. Index of the new item or -1. */
LUMTREEX_INLINE int LumTree_AddItem(HWND tree, LPCTSTR text) {
    return LUMTREEX_INT(tree, LUMTREEM_ADDITEM, 0, text);
}
/* Appends an item and gives it a level (which shows and expands its new parent). Sends two
   messages. Index of the new item, or -1 (nothing is added then). */
LUMTREEX_INLINE int LumTree_AddItemAtLevel(HWND tree, LPCTSTR text, int level) {
    int index = LumTree_AddItem(tree, text);
    if (index >= 0 && level != 0 && !LUMTREEX_INT(tree, LUMTREEM_SETLEVEL, index, level)) {
        LUMTREEX_SEND(tree, LUMTREEM_DELETEITEM, index, 0);
        return -1;
    }
    return index;
}
/* Inserts a level-0 item before position (below 0 or past the end: appends). Index or -1. */
LUMTREEX_INLINE int LumTree_InsertItem(HWND tree, int position, LPCTSTR text) {
    return LUMTREEX_INT(tree, LUMTREEM_INSERTITEM, position, text);
}
/* Inserts an item before position and gives it a level. Sends two messages. Index or -1. */
LUMTREEX_INLINE int LumTree_InsertItemAtLevel(HWND tree, int position, LPCTSTR text, int level) {
    int index = LumTree_InsertItem(tree, position, text);
    if (index >= 0 && level != 0 && !LUMTREEX_INT(tree, LUMTREEM_SETLEVEL, index, level)) {
        LUMTREEX_SEND(tree, LUMTREEM_DELETEITEM, index, 0);
        return -1;
    }
    return index;
}
/* Deletes an item (with its subtree when it is collapsed). New item count, or -1. */
LUMTREEX_INLINE int LumTree_DeleteItem(HWND tree, int index) {
    return LUMTREEX_INT(tree, LUMTREEM_DELETEITEM, index, 0);
}
/* Deletes every descendant of an item. New item count, or -1. */
LUMTREEX_INLINE int LumTree_DeleteChildren(HWND tree, int index) {
    return LUMTREEX_INT(tree, LUMTREEM_DELETECHILDREN, index, 0);
}
LUMTREEX_INLINE void LumTree_DeleteAll(HWND tree) {
    LUMTREEX_SEND(tree, LUMTREEM_DELETEALL, 0, 0);
}
/* Copies an item (texts, bitmaps, data, attributes; not its children) before position. */
LUMTREEX_INLINE int LumTree_CopyItem(HWND tree, int source, int position) {
    return LUMTREEX_INT(tree, LUMTREEM_COPYITEM, source, position);
}
/* Moves an item before position. Its final index, or -1. */
LUMTREEX_INLINE int LumTree_MoveItem(HWND tree, int source, int position) {
    return LUMTREEX_INT(tree, LUMTREEM_MOVEITEM, source, position);
}
/* Moves an item with its whole subtree before position (-1 or the count: to the end) and gives
   it level (-1 keeps it; its descendants shift by the same amount). The subtree is expanded
   fully first, since a moved item takes no hidden descendants along, and its items are then
   moved one by one with LUMTREEM_MOVEITEM (no deletion callback is called). Result: the new
   index of the item; -1 for a bad index or a position inside the subtree itself. */
LUMTREEX_INLINE int LumTree_MoveSubtree(HWND tree, int source, int position, int level) {
    int count, first, delta, k;
    int total = LUMTREEX_INT(tree, LUMTREEM_GETCOUNT, 0, 0);
    if (source < 0 || source >= total) return -1;
    if (position < 0 || position > total) position = total;
    count = 1 + LUMTREEX_INT(tree, LUMTREEM_GETCHILDCOUNT, source, 1);
    if (position > source && position < source + count) return -1;
    delta = level < 0 ? 0 : level - LUMTREEX_INT(tree, LUMTREEM_GETLEVEL, source, 0);
    if (count > 1) {
        LUMTREEX_SEND(tree, LUMTREEM_SHOWITEM, source, 1);
        LUMTREEX_SEND(tree, LUMTREEM_EXPAND, source, MAKELPARAM(0, 0));
        LUMTREEX_SEND(tree, LUMTREEM_EXPAND, source, MAKELPARAM(1, 1));
    }
    if (position == source || position == source + count) {
        first = source;
    } else if (position > source) {
        first = position - count;
        for (k = 0; k < count; ++k) LUMTREEX_SEND(tree, LUMTREEM_MOVEITEM, source, position);
    } else {
        first = position;
        for (k = 0; k < count; ++k)
            LUMTREEX_SEND(tree, LUMTREEM_MOVEITEM, source + k, position + k);
    }
    for (k = 0; delta != 0 && k < count; ++k) {
        int now = LUMTREEX_INT(tree, LUMTREEM_GETLEVEL, first + k, 0);
        LUMTREEX_SEND(tree, LUMTREEM_SETLEVEL, first + k, now + delta);
    }
    return first;
}
LUMTREEX_INLINE int LumTree_GetCount(HWND tree) {
    return LUMTREEX_INT(tree, LUMTREEM_GETCOUNT, 0, 0);
}
LUMTREEX_INLINE int LumTree_GetLevel(HWND tree, int index) {
    return LUMTREEX_INT(tree, LUMTREEM_GETLEVEL, index, 0);
}
/* Level 0..64 (clamped). */
LUMTREEX_INLINE BOOL LumTree_SetLevel(HWND tree, int index, int level) {
    return LUMTREEX_INT(tree, LUMTREEM_SETLEVEL, index, level) != 0;
}

/* ---- Texts ----------------------------------------------------------------------------- */
/* The item-text messages address the text column (0 unless changed with
   LumTree_SetTextColumn); the cell helpers below address any column. */

/* Length of the item's text, 0 for none, -1 for a bad index. */
LUMTREEX_INLINE int LumTree_GetTextLength(HWND tree, int index) {
    return LUMTREEX_INT(tree, LUMTREEM_GETTEXTLENGTH, index, 0);
}
/* Copies the item's text into a buffer of size characters (size >= 1), cut to fit; the buffer
   is always terminated. Length of the whole text (may be size or more), or -1 for a bad index
   (buffer empty). */
LUMTREEX_INLINE int LumTree_GetText(HWND tree, int index, LPTSTR buffer, int size) {
    int length;
    LPTSTR whole;
    if (buffer == NULL || size < 1) return -1;
    buffer[0] = 0;
    length = LumTree_GetTextLength(tree, index);
    if (length < size) return LUMTREEX_INT(tree, LUMTREEM_GETTEXT, index, buffer);
    whole = (LPTSTR)HeapAlloc(GetProcessHeap(), 0, ((SIZE_T)length + 1) * sizeof(TCHAR));
    if (whole == NULL) return -1;
    LUMTREEX_SEND(tree, LUMTREEM_GETTEXT, index, whole);
    lstrcpyn(buffer, whole, size);
    HeapFree(GetProcessHeap(), 0, whole);
    return length;
}
/* Replaces the item's text (NULL removes it). */
LUMTREEX_INLINE BOOL LumTree_SetText(HWND tree, int index, LPCTSTR text) {
    return LUMTREEX_INT(tree, LUMTREEM_SETTEXT, index, text) != 0;
}
LUMTREEX_INLINE int LumTree_GetTextColumn(HWND tree) {
    return LUMTREEX_INT(tree, LUMTREEM_GETTEXTCOLUMN, 0, 0);
}
/* Chooses the column the text and title messages address. Previous column, or -1. */
LUMTREEX_INLINE int LumTree_SetTextColumn(HWND tree, int column) {
    return LUMTREEX_INT(tree, LUMTREEM_SETTEXTCOLUMN, column, 0);
}
/* Text of one cell: selects the column, reads, selects the previous column again. */
LUMTREEX_INLINE int LumTree_GetCellText(HWND tree, int index, int column, LPTSTR buffer, int size) {
    int result, previous = LumTree_SetTextColumn(tree, column);
    if (previous < 0) {
        if (buffer != NULL && size > 0) buffer[0] = 0;
        return -1;
    }
    result = LumTree_GetText(tree, index, buffer, size);
    LumTree_SetTextColumn(tree, previous);
    return result;
}
LUMTREEX_INLINE BOOL LumTree_SetCellText(HWND tree, int index, int column, LPCTSTR text) {
    BOOL done;
    int previous = LumTree_SetTextColumn(tree, column);
    if (previous < 0) return FALSE;
    done = LumTree_SetText(tree, index, text);
    LumTree_SetTextColumn(tree, previous);
    return done;
}

/* ---- Tree structure -------------------------------------------------------------------- */

/* Parent index, -1 for a top-level item or a bad index. */
LUMTREEX_INLINE int LumTree_GetParentItem(HWND tree, int index) {
    return LUMTREEX_INT(tree, LUMTREEM_GETPARENT, index, 0);
}
LUMTREEX_INLINE int LumTree_GetRootItem(HWND tree, int index) {
    return LUMTREEX_INT(tree, LUMTREEM_GETROOT, index, 0);
}
/* which: LUMTREESIBLING_FIRST, _LAST, _PREVIOUS or _NEXT. */
LUMTREEX_INLINE int LumTree_GetSibling(HWND tree, int index, int which) {
    return LUMTREEX_INT(tree, LUMTREEM_GETSIBLING, index, which);
}
LUMTREEX_INLINE int LumTree_GetNextSibling(HWND tree, int index) {
    return LumTree_GetSibling(tree, index, LUMTREESIBLING_NEXT);
}
LUMTREEX_INLINE int LumTree_GetPrevSibling(HWND tree, int index) {
    return LumTree_GetSibling(tree, index, LUMTREESIBLING_PREVIOUS);
}
LUMTREEX_INLINE int LumTree_GetFirstChild(HWND tree, int index) {
    return LUMTREEX_INT(tree, LUMTREEM_GETCHILD, index, LUMTREECHILD_FIRST);
}
LUMTREEX_INLINE int LumTree_GetLastDescendant(HWND tree, int index) {
    return LUMTREEX_INT(tree, LUMTREEM_GETCHILD, index, LUMTREECHILD_LASTDESCENDANT);
}
/* Children one level deeper, or every descendant with allDescendants. -1 for a bad index. */
LUMTREEX_INLINE int LumTree_GetChildCount(HWND tree, int index, BOOL allDescendants) {
    return LUMTREEX_INT(tree, LUMTREEM_GETCHILDCOUNT, index, allDescendants != 0);
}

/* ---- Expanding and showing ------------------------------------------------------------- */

/* Expands (expand TRUE) or collapses an item, one level or with allLevels every level. */
LUMTREEX_INLINE BOOL LumTree_Expand(HWND tree, int index, BOOL expand, BOOL allLevels) {
    return LUMTREEX_INT(tree, LUMTREEM_EXPAND, index, MAKELPARAM(expand != 0, allLevels != 0)) != 0;
}
LUMTREEX_INLINE BOOL LumTree_IsExpanded(HWND tree, int index) {
    return LUMTREEX_INT(tree, LUMTREEM_ISEXPANDED, index, 0) == 1;
}
/* Collapses an expanded item and expands a collapsed one (one level). FALSE for an item without
   children, a hidden item or a bad index. */
LUMTREEX_INLINE BOOL LumTree_ToggleItem(HWND tree, int index) {
    return LumTree_Expand(tree, index, !LumTree_IsExpanded(tree, index), FALSE);
}
LUMTREEX_INLINE BOOL LumTree_IsShown(HWND tree, int index) {
    return LUMTREEX_INT(tree, LUMTREEM_ISSHOWN, index, 0) == 1;
}
/* Shows an item (expanding its ancestors) or hides it (collapsing its parent). */
LUMTREEX_INLINE BOOL LumTree_ShowItem(HWND tree, int index, BOOL show) {
    return LUMTREEX_INT(tree, LUMTREEM_SHOWITEM, index, show != 0) != 0;
}
/* Expands the ancestors and scrolls the item into view. */
LUMTREEX_INLINE void LumTree_EnsureVisible(HWND tree, int index) {
    LUMTREEX_SEND(tree, LUMTREEM_ENSUREVISIBLE, index, 0);
}

/* The item whose expand button a WM_COMMAND reports, or -1 when it reports something else.
   A click or double-click on an expand button, and the numeric-pad plus and minus keys, make
   the clicked item the caret and then send LUMTREEN_LBUTTONDOWN + LUMTREEHIT_BUTTON (or
   LUMTREEN_LBUTTONDBLCLK + LUMTREEHIT_BUTTON); the control expands nothing by itself. An
   application that fills folders on demand adds the children of this item before expanding. */
LUMTREEX_INLINE int LumTree_ExpandButtonItem(WPARAM wParam, LPARAM lParam) {
    int code = HIWORD(wParam);
    if (lParam == 0 || (code != LUMTREEN_LBUTTONDOWN + LUMTREEHIT_BUTTON &&
                        code != LUMTREEN_LBUTTONDBLCLK + LUMTREEHIT_BUTTON))
        return -1;
    return LUMTREEX_INT((HWND)lParam, LUMTREEM_GETCARET, 0, 0);
}
/* The usual answer to an expand-button notification: toggles the item one level. Call it with
   the parameters of any WM_COMMAND from the control; TRUE when it was such a notification. */
LUMTREEX_INLINE BOOL LumTree_OnExpandButton(WPARAM wParam, LPARAM lParam) {
    int index = LumTree_ExpandButtonItem(wParam, lParam);
    if (index < 0) return FALSE;
    LumTree_ToggleItem((HWND)lParam, index);
    return TRUE;
}

/* ---- Item attributes ------------------------------------------------------------------- */

LUMTREEX_INLINE DWORD_PTR LumTree_GetData(HWND tree, int index) {
    return (DWORD_PTR)LUMTREEX_SEND(tree, LUMTREEM_GETDATA, index, 0);
}
LUMTREEX_INLINE BOOL LumTree_SetData(HWND tree, int index, DWORD_PTR data) {
    return LUMTREEX_INT(tree, LUMTREEM_SETDATA, index, data) == 0;
}
LUMTREEX_INLINE BOOL LumTree_IsEnabled(HWND tree, int index) {
    return LUMTREEX_INT(tree, LUMTREEM_ISENABLED, index, 0) == 1;
}
LUMTREEX_INLINE BOOL LumTree_EnableItem(HWND tree, int index, BOOL enable) {
    return LUMTREEX_INT(tree, LUMTREEM_ENABLEITEM, index, enable != 0) != 0;
}
LUMTREEX_INLINE HBITMAP LumTree_GetBitmap(HWND tree, int index) {
    return (HBITMAP)LUMTREEX_SEND(tree, LUMTREEM_GETBITMAP, index, 0);
}
/* index -1 switches the item-bitmap area of the whole control on (bitmap) or off (NULL). */
LUMTREEX_INLINE BOOL LumTree_SetBitmap(HWND tree, int index, HBITMAP bitmap) {
    return LUMTREEX_INT(tree, LUMTREEM_SETBITMAP, index, bitmap) != 0;
}
LUMTREEX_INLINE HBITMAP LumTree_GetNodeBitmap(HWND tree, int index) {
    return (HBITMAP)LUMTREEX_SEND(tree, LUMTREEM_GETNODEBITMAP, index, 0);
}
LUMTREEX_INLINE BOOL LumTree_SetNodeBitmap(HWND tree, int index, HBITMAP bitmap) {
    return LUMTREEX_INT(tree, LUMTREEM_SETNODEBITMAP, index, bitmap) != 0;
}
/* The default node bitmaps: collapsed, expanded, leaf (or NULL to remove them). */
LUMTREEX_INLINE BOOL LumTree_SetNodeBitmaps(HWND tree, HBITMAP collapsed, HBITMAP expanded,
                                            HBITMAP leaf) {
    HBITMAP three[3];
    three[0] = collapsed;
    three[1] = expanded;
    three[2] = leaf;
    return LUMTREEX_INT(tree, LUMTREEM_SETNODEBITMAPS, 0, collapsed ? three : NULL) != 0;
}
/* Row rectangle of a shown item in view; FALSE (and an empty rectangle) otherwise. */
LUMTREEX_INLINE BOOL LumTree_GetItemRect(HWND tree, int index, RECT *rect) {
    return LUMTREEX_INT(tree, LUMTREEM_GETITEMRECT, index, rect) == 0;
}
/* Rectangle of one cell (index -1: the caret item). */
LUMTREEX_INLINE BOOL LumTree_GetCellRect(HWND tree, int index, int column, RECT *rect) {
    INT c = column;
    const RECT *cell = (const RECT *)LUMTREEX_SEND(tree, LUMTREEM_GETCELLRECT, index, &c);
    if (cell == NULL) {
        SetRectEmpty(rect);
        return FALSE;
    }
    *rect = *cell;
    return TRUE;
}

/* ---- Selection and caret --------------------------------------------------------------- */

LUMTREEX_INLINE int LumTree_GetCaret(HWND tree) {
    return LUMTREEX_INT(tree, LUMTREEM_GETCARET, 0, 0);
}
/* Moves the caret (shows and scrolls it into view); sends no notification. */
LUMTREEX_INLINE BOOL LumTree_SetCaret(HWND tree, int index) {
    return LUMTREEX_INT(tree, LUMTREEM_SETCARET, index, 0) == 0;
}
/* Single selection: the selected item or -1. */
LUMTREEX_INLINE int LumTree_GetSelection(HWND tree) {
    return LUMTREEX_INT(tree, LUMTREEM_GETSELECTION, 0, 0);
}
/* Single selection: selects index (-1: none); sends no notification. */
LUMTREEX_INLINE BOOL LumTree_SetSelection(HWND tree, int index) {
    return LUMTREEX_INT(tree, LUMTREEM_SETSELECTION, index, 0) == 0;
}
/* 1 selected, 0 not, -1 bad index. */
LUMTREEX_INLINE int LumTree_IsSelected(HWND tree, int index) {
    return LUMTREEX_INT(tree, LUMTREEM_ISSELECTED, index, 0);
}
/* Multiple selection: selects or deselects one item (index -1: every item). */
LUMTREEX_INLINE BOOL LumTree_SelectItem(HWND tree, int index, BOOL select) {
    return LUMTREEX_INT(tree, LUMTREEM_SELECTITEM, select != 0, index) == 0;
}
/* Multiple selection: selects or deselects first..last (indexes below 65536). */
LUMTREEX_INLINE BOOL LumTree_SelectRange(HWND tree, int first, int last, BOOL select) {
    return LUMTREEX_INT(tree, LUMTREEM_SELECTRANGE, select != 0, MAKELPARAM(first, last)) == 0;
}
/* Multiple selection: number of selected items, -1 in single-selection mode. */
LUMTREEX_INLINE int LumTree_GetSelCount(HWND tree) {
    return LUMTREEX_INT(tree, LUMTREEM_GETSELCOUNT, 0, 0);
}
/* Multiple selection: writes at most capacity selected indexes, ascending. Count or -1. */
LUMTREEX_INLINE int LumTree_GetSelItems(HWND tree, INT *indexes, int capacity) {
    return LUMTREEX_INT(tree, LUMTREEM_GETSELITEMS, capacity, indexes);
}

/* ---- Scrolling and geometry ------------------------------------------------------------ */

LUMTREEX_INLINE int LumTree_GetTopIndex(HWND tree) {
    return LUMTREEX_INT(tree, LUMTREEM_GETTOPINDEX, 0, 0);
}
LUMTREEX_INLINE BOOL LumTree_SetTopIndex(HWND tree, int index) {
    return LUMTREEX_INT(tree, LUMTREEM_SETTOPINDEX, index, 0) == 0;
}
LUMTREEX_INLINE int LumTree_GetRowHeight(HWND tree) {
    return LUMTREEX_INT(tree, LUMTREEM_GETROWHEIGHT, 0, 0);
}
/* Rows at least partly (page) or wholly (full) visible. */
LUMTREEX_INLINE int LumTree_GetPageRows(HWND tree) {
    return LUMTREEX_INT(tree, LUMTREEM_GETPAGEROWS, 0, 0);
}
LUMTREEX_INLINE int LumTree_GetFullRows(HWND tree) {
    return LUMTREEX_INT(tree, LUMTREEM_GETFULLROWS, 0, 0);
}
/* Item at a client point, -1 outside the item area. */
LUMTREEX_INLINE int LumTree_ItemFromPoint(HWND tree, int x, int y) {
    POINT point;
    point.x = x;
    point.y = y;
    return LUMTREEX_INT(tree, LUMTREEM_ITEMFROMPOINT, 0, &point);
}
LUMTREEX_INLINE int LumTree_GetHPos(HWND tree) {
    return LUMTREEX_INT(tree, LUMTREEM_GETHPOS, 0, 0);
}
LUMTREEX_INLINE BOOL LumTree_SetHPos(HWND tree, int position) {
    return LUMTREEX_INT(tree, LUMTREEM_SETHPOS, position, 0) != 0;
}

/* ---- Columns --------------------------------------------------------------------------- */

/* Fills a column record: title (copied by LumTree_SetColumns), width in pixels (column 0: the
   part right of the tree; LUMTREE_STRETCH on the last column), LUMTREEFORMAT_* format. */
LUMTREEX_INLINE void LumTree_InitColumn(TreeColumn *column, LPCTSTR title, int width,
                                        DWORD format) {
    ZeroMemory(column, sizeof *column);
    column->title = (LPTSTR)title;
    column->width = width;
    column->format = format;
    column->headerFlags = format & (LUMTREEFORMAT_CENTER | LUMTREEFORMAT_RIGHT);
}
/* Replaces the columns (the list must be empty to change their number; 0 = one default
   column). */
LUMTREEX_INLINE BOOL LumTree_SetColumns(HWND tree, const TreeColumn *columns, int count) {
    return LUMTREEX_INT(tree, LUMTREEM_SETCOLUMNS, count, columns) != 0;
}
/* Number of columns; with columns not NULL also the address of the control's own records. */
LUMTREEX_INLINE int LumTree_GetColumns(HWND tree, TreeColumn **columns) {
    return LUMTREEX_INT(tree, LUMTREEM_GETCOLUMNS, 0, columns);
}
LUMTREEX_INLINE int LumTree_GetColumnCount(HWND tree) {
    return LumTree_GetColumns(tree, NULL);
}
/* Sets a column's title: selects the column, sets, selects the previous column again. */
LUMTREEX_INLINE BOOL LumTree_SetColumnTitle(HWND tree, int column, LPCTSTR title) {
    BOOL done;
    int previous = LumTree_SetTextColumn(tree, column);
    if (previous < 0) return FALSE;
    done = LUMTREEX_INT(tree, LUMTREEM_SETCOLUMNTITLE, 0, title) != 0;
    LumTree_SetTextColumn(tree, previous);
    return done;
}
LUMTREEX_INLINE void LumTree_ShowHeader(HWND tree, BOOL show) {
    LUMTREEX_SEND(tree, LUMTREEM_SHOWHEADER, show != 0, 0);
}
LUMTREEX_INLINE BOOL LumTree_IsHeaderShown(HWND tree) {
    return LUMTREEX_INT(tree, LUMTREEM_ISHEADERSHOWN, 0, 0) != 0;
}
/* Fonts of the header bar and of the row labels (not owned; the system font at creation). */
LUMTREEX_INLINE void LumTree_SetHeaderFont(HWND tree, HFONT font, BOOL redraw) {
    LUMTREEX_SEND(tree, LUMTREEM_SETHEADERFONT, font, MAKELPARAM(redraw != 0, 0));
}
LUMTREEX_INLINE void LumTree_SetLabelFont(HWND tree, HFONT font, BOOL redraw) {
    LUMTREEX_SEND(tree, LUMTREEM_SETLABELFONT, font, MAKELPARAM(redraw != 0, 0));
}
/* Width a column needs for its texts, cell bitmaps and title; -1 for a bad column. */
LUMTREEX_INLINE int LumTree_CalcColumnWidth(HWND tree, int column) {
    return LUMTREEX_INT(tree, LUMTREEM_CALCCOLUMNWIDTH, column, 0);
}
/* Gives fixed-width columns their needed width (column -1: all of them). */
LUMTREEX_INLINE void LumTree_AutoSizeColumn(HWND tree, int column) {
    LUMTREEX_SEND(tree, LUMTREEM_AUTOSIZECOLUMN, column, 0);
}
LUMTREEX_INLINE void LumTree_SetColumnResize(HWND tree, BOOL allow) {
    LUMTREEX_SEND(tree, LUMTREEM_SETCOLUMNRESIZE, allow != 0, 0);
}
LUMTREEX_INLINE void LumTree_SetHeaderButtons(HWND tree, BOOL buttons) {
    LUMTREEX_SEND(tree, LUMTREEM_SETHEADERBUTTONS, buttons != 0, 0);
}
/* Column of the last mouse press (a header click is LUMTREEN_LBUTTONDOWN + LUMTREEHIT_HEADER). */
LUMTREEX_INLINE int LumTree_GetLastClickColumn(HWND tree) {
    return LUMTREEX_INT(tree, LUMTREEM_GETLASTCLICKCOLUMN, 0, 0);
}

/* ---- Colours --------------------------------------------------------------------------- */

LUMTREEX_INLINE void LumTree_GetColors(HWND tree, COLORREF *table) {
    LUMTREEX_SEND(tree, LUMTREEM_GETCOLORS, 0, table);
}
LUMTREEX_INLINE void LumTree_SetColors(HWND tree, const COLORREF *table) {
    LUMTREEX_SEND(tree, LUMTREEM_SETCOLORS, 0, table);
}
/* One entry of the colour table (LUMTREECOLOR_*); LUMTREE_AUTOCOLOR when automatic. */
LUMTREEX_INLINE COLORREF LumTree_GetColor(HWND tree, int which) {
    TreeColorTable table;
    if (which < 0 || which >= LUMTREE_COLORCOUNT) return LUMTREE_AUTOCOLOR;
    LumTree_GetColors(tree, table);
    return table[which];
}
/* Changes one entry (reads the table, changes it, sets it back: one repaint). */
LUMTREEX_INLINE BOOL LumTree_SetColor(HWND tree, int which, COLORREF color) {
    TreeColorTable table;
    if (which < 0 || which >= LUMTREE_COLORCOUNT) return FALSE;
    LumTree_GetColors(tree, table);
    table[which] = color;
    LumTree_SetColors(tree, table);
    return TRUE;
}

/* ---- Display options ------------------------------------------------------------------- */

LUMTREEX_INLINE void LumTree_SetShowLines(HWND tree, BOOL show) {
    LUMTREEX_SEND(tree, LUMTREEM_SETSHOWLINES, show != 0, 0);
}
LUMTREEX_INLINE void LumTree_SetShowButtons(HWND tree, BOOL show) {
    LUMTREEX_SEND(tree, LUMTREEM_SETSHOWBUTTONS, show != 0, 0);
}
LUMTREEX_INLINE void LumTree_SetShowRootButtons(HWND tree, BOOL show) {
    LUMTREEX_SEND(tree, LUMTREEM_SETSHOWROOTBUTTONS, show != 0, 0);
}
LUMTREEX_INLINE void LumTree_SetGridLines(HWND tree, BOOL show) {
    LUMTREEX_SEND(tree, LUMTREEM_SETGRIDLINES, show != 0, 0);
}
/* 0 vertical lines, 1 horizontal, 2 both. */
LUMTREEX_INLINE void LumTree_SetGridStyle(HWND tree, int style) {
    LUMTREEX_SEND(tree, LUMTREEM_SETGRIDSTYLE, style, 0);
}
LUMTREEX_INLINE void LumTree_SetLook3D(HWND tree, BOOL look3D) {
    LUMTREEX_SEND(tree, LUMTREEM_SETLOOK3D, look3D != 0, 0);
}
LUMTREEX_INLINE void LumTree_SetTextOnlySelection(HWND tree, BOOL textOnly) {
    LUMTREEX_SEND(tree, LUMTREEM_SETTEXTONLYSELECTION, textOnly != 0, 0);
}
LUMTREEX_INLINE void LumTree_SetCellEllipsis(HWND tree, BOOL ellipsis) {
    LUMTREEX_SEND(tree, LUMTREEM_SETCELLELLIPSIS, ellipsis != 0, 0);
}
LUMTREEX_INLINE void LumTree_SetLinesPerItem(HWND tree, int lines) {
    LUMTREEX_SEND(tree, LUMTREEM_SETLINESPERITEM, lines, 0);
}
/* Row labels: 0 off, 1..6 a label style. */
LUMTREEX_INLINE void LumTree_ShowLabels(HWND tree, int style) {
    LUMTREEX_SEND(tree, LUMTREEM_SHOWLABELS, style, 0);
}
LUMTREEX_INLINE BOOL LumTree_SetLabelText(HWND tree, int index, LPCTSTR text) {
    return LUMTREEX_INT(tree, LUMTREEM_SETLABELTEXT, index, text) != 0;
}
/* Width of the label column (0 off, -1 measured). */
LUMTREEX_INLINE void LumTree_SetLabelWidth(HWND tree, int width) {
    LUMTREEX_SEND(tree, LUMTREEM_SETLABELWIDTH, width, 0);
}
LUMTREEX_INLINE BOOL LumTree_SetCornerText(HWND tree, LPCTSTR text) {
    return LUMTREEX_INT(tree, LUMTREEM_SETCORNERTEXT, 0, text) != 0;
}

/* ---- Callbacks, search and sort -------------------------------------------------------- */

LUMTREEX_INLINE void LumTree_SetDeleteCallback(HWND tree, LUMTREEDELETEPROC callback,
                                               DWORD_PTR data) {
    TreeDeleteCallback record;
    record.callback = callback;
    record.data = data;
    LUMTREEX_SEND(tree, LUMTREEM_SETDELETECALLBACK, 0, callback ? &record : NULL);
}
LUMTREEX_INLINE void LumTree_SetDrawCallback(HWND tree, LUMTREEDRAWPROC callback, DWORD_PTR data) {
    TreeDrawCallback record;
    record.callback = callback;
    record.data = data;
    LUMTREEX_SEND(tree, LUMTREEM_SETDRAWCALLBACK, 0, callback ? &record : NULL);
}
/* Sorts the children of parent (-1: the top-level items) by text; compare NULL = lstrcmpA
   (lstrcmpW in a wide control). */
LUMTREEX_INLINE BOOL LumTree_SortChildren(HWND tree, int parent, LUMTREETEXTCOMPAREPROC compare) {
    return LUMTREEX_INT(tree, LUMTREEM_SORTCHILDREN, parent, compare) != 0;
}
LUMTREEX_INLINE BOOL LumTree_SortChildrenCB(HWND tree, int parent, LUMTREEITEMCOMPAREPROC compare) {
    return LUMTREEX_INT(tree, LUMTREEM_SORTCHILDRENCB, parent, compare) != 0;
}
/* First item at or after start with the data value / text (case-insensitive) / text prefix. */
LUMTREEX_INLINE int LumTree_FindData(HWND tree, int start, DWORD_PTR data) {
    return LUMTREEX_INT(tree, LUMTREEM_FINDDATA, start, data);
}
LUMTREEX_INLINE int LumTree_FindText(HWND tree, int start, LPCTSTR text) {
    return LUMTREEX_INT(tree, LUMTREEM_FINDTEXT, start, text);
}
LUMTREEX_INLINE int LumTree_FindPrefix(HWND tree, int start, LPCTSTR prefix) {
    return LUMTREEX_INT(tree, LUMTREEM_FINDPREFIX, start, prefix);
}

/* ---- Drag and drop --------------------------------------------------------------------- */

LUMTREEX_INLINE const TreeDragInfo *LumTree_GetDragInfo(HWND tree) {
    return (const TreeDragInfo *)LUMTREEX_SEND(tree, LUMTREEM_GETDRAGINFO, 0, 0);
}
LUMTREEX_INLINE void LumTree_SetDragMode(HWND tree, int mode) {
    LUMTREEX_SEND(tree, LUMTREEM_SETDRAGMODE, mode, 0);
}
LUMTREEX_INLINE int LumTree_GetDropTarget(HWND tree) {
    return LUMTREEX_INT(tree, LUMTREEM_GETDROPTARGET, 0, 0);
}
/* Drop-target feedback on an item (-1: none), scrolling it into view with autoscroll. */
LUMTREEX_INLINE BOOL LumTree_SetDropTarget(HWND tree, int index, BOOL autoscroll) {
    return LUMTREEX_INT(tree, LUMTREEM_SETDROPTARGET, index, autoscroll != 0) == 0;
}
/* LUMTREEDROPMARK_CARET, _ITEM or _INSERT. */
LUMTREEX_INLINE void LumTree_SetDropMarkMode(HWND tree, int mode) {
    LUMTREEX_SEND(tree, LUMTREEM_SETDROPMARKMODE, 0, mode);
}

#ifdef __cplusplus
} /* extern "C" */

#include <string>

namespace lumtree {

/* A thin handle-sized wrapper: a Tree is a window handle with the helpers as members. It owns
   nothing; copying it copies the handle. */
class Tree {
public:
    Tree(HWND window = NULL) : window_(window) {}
    HWND hwnd() const { return window_; }
    operator HWND() const { return window_; }

    int Add(const TCHAR *text, int level = 0) const {
        return LumTree_AddItemAtLevel(window_, text, level);
    }
    int Insert(int position, const TCHAR *text, int level = 0) const {
        return LumTree_InsertItemAtLevel(window_, position, text, level);
    }
    int Delete(int index) const { return LumTree_DeleteItem(window_, index); }
    int DeleteChildren(int index) const { return LumTree_DeleteChildren(window_, index); }
    void DeleteAll() const { LumTree_DeleteAll(window_); }
    int Copy(int source, int position) const { return LumTree_CopyItem(window_, source, position); }
    int Move(int source, int position) const { return LumTree_MoveItem(window_, source, position); }
    int MoveSubtree(int source, int position, int level = -1) const {
        return LumTree_MoveSubtree(window_, source, position, level);
    }
    int Count() const { return LumTree_GetCount(window_); }
    int Level(int index) const { return LumTree_GetLevel(window_, index); }
    bool SetLevel(int index, int level) const {
        return LumTree_SetLevel(window_, index, level) != 0;
    }

    // The text of the text column, or of one column; empty for a bad index.
    std::string Text(int index) const { return CellText(index, -1); }
    std::string CellText(int index, int column) const {
        int previous = column >= 0 ? LumTree_SetTextColumn(window_, column) : -1;
        if (column >= 0 && previous < 0) return std::string();
        std::string text;
        int length = LumTree_GetTextLength(window_, index);
        if (length > 0) {
            text.resize(static_cast<size_t>(length) + 1);
            LUMTREEX_SEND(window_, LUMTREEM_GETTEXT, index, &text[0]);
            text.resize(static_cast<size_t>(length));
        }
        if (previous >= 0) LumTree_SetTextColumn(window_, previous);
        return text;
    }
    bool SetText(int index, const TCHAR *text) const {
        return LumTree_SetText(window_, index, text) != 0;
    }
    bool SetCellText(int index, int column, const TCHAR *text) const {
        return LumTree_SetCellText(window_, index, column, text) != 0;
    }

    int Parent(int index) const { return LumTree_GetParentItem(window_, index); }
    int Root(int index) const { return LumTree_GetRootItem(window_, index); }
    int NextSibling(int index) const { return LumTree_GetNextSibling(window_, index); }
    int PrevSibling(int index) const { return LumTree_GetPrevSibling(window_, index); }
    int FirstChild(int index) const { return LumTree_GetFirstChild(window_, index); }
    int LastDescendant(int index) const { return LumTree_GetLastDescendant(window_, index); }
    int ChildCount(int index, bool all = false) const {
        return LumTree_GetChildCount(window_, index, all);
    }

    bool Expand(int index, bool allLevels = false) const {
        return LumTree_Expand(window_, index, TRUE, allLevels) != 0;
    }
    bool Collapse(int index) const { return LumTree_Expand(window_, index, FALSE, FALSE) != 0; }
    bool Toggle(int index) const { return LumTree_ToggleItem(window_, index) != 0; }
    bool IsExpanded(int index) const { return LumTree_IsExpanded(window_, index) != 0; }
    bool IsShown(int index) const { return LumTree_IsShown(window_, index) != 0; }
    void EnsureVisible(int index) const { LumTree_EnsureVisible(window_, index); }

    DWORD_PTR Data(int index) const { return LumTree_GetData(window_, index); }
    bool SetData(int index, DWORD_PTR data) const {
        return LumTree_SetData(window_, index, data) != 0;
    }
    bool Enable(int index, bool enable = true) const {
        return LumTree_EnableItem(window_, index, enable) != 0;
    }
    bool IsEnabled(int index) const { return LumTree_IsEnabled(window_, index) != 0; }
    bool SetBitmap(int index, HBITMAP bitmap) const {
        return LumTree_SetBitmap(window_, index, bitmap) != 0;
    }
    bool ItemRect(int index, RECT *rect) const {
        return LumTree_GetItemRect(window_, index, rect) != 0;
    }

    int Caret() const { return LumTree_GetCaret(window_); }
    bool SetCaret(int index) const { return LumTree_SetCaret(window_, index) != 0; }
    int Selection() const { return LumTree_GetSelection(window_); }
    bool Select(int index) const { return LumTree_SetSelection(window_, index) != 0; }
    bool SelectItem(int index, bool select = true) const {
        return LumTree_SelectItem(window_, index, select) != 0;
    }
    bool SelectRange(int first, int last, bool select = true) const {
        return LumTree_SelectRange(window_, first, last, select) != 0;
    }
    int IsSelected(int index) const { return LumTree_IsSelected(window_, index); }
    int SelCount() const { return LumTree_GetSelCount(window_); }
    int SelItems(INT *indexes, int capacity) const {
        return LumTree_GetSelItems(window_, indexes, capacity);
    }

    int TopIndex() const { return LumTree_GetTopIndex(window_); }
    bool SetTopIndex(int index) const { return LumTree_SetTopIndex(window_, index) != 0; }
    int ItemFromPoint(int x, int y) const { return LumTree_ItemFromPoint(window_, x, y); }

    bool SetColumns(const TreeColumn *columns, int count) const {
        return LumTree_SetColumns(window_, columns, count) != 0;
    }
    int ColumnCount() const { return LumTree_GetColumnCount(window_); }
    bool SetColumnTitle(int column, const TCHAR *title) const {
        return LumTree_SetColumnTitle(window_, column, title) != 0;
    }
    void ShowHeader(bool show = true) const { LumTree_ShowHeader(window_, show); }

    COLORREF Color(int which) const { return LumTree_GetColor(window_, which); }
    bool SetColor(int which, COLORREF color) const {
        return LumTree_SetColor(window_, which, color) != 0;
    }

    // The usual answer to an expand-button notification; see LumTree_OnExpandButton.
    static bool OnExpandButton(WPARAM wParam, LPARAM lParam) {
        return LumTree_OnExpandButton(wParam, lParam) != 0;
    }

private:
    HWND window_;
};

} // namespace lumtree
#endif /* __cplusplus */

#endif /* LUMTREEX_H */
