/* The typed helpers of lumtreex.h used from C89 against the DLL. Each scenario returns 0, or the
   line of the first expectation that failed (the C++ test program reports it). */
#include "lumtree/lumtreex.h"

#include <string.h>

#define EXPECT(condition)                                                                          \
    do {                                                                                           \
        if (!(condition)) return __LINE__;                                                         \
    } while (0)

/* Single selection on a visible control where 2 columns fit: Documents > (Drafts, Reports > Q1),
   Music. Helpers that compute something are all exercised, plain one-message helpers once. */
int lumtreex_c_single(HWND tree) {
    TreeColumn columns[2];
    TreeColumn *own = NULL;
    char text[16];
    RECT row, cell;
    HFONT big = CreateFontA(-40, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "");

    LumTree_InitColumn(&columns[0], "Name", 120, LUMTREEFORMAT_LEFT);
    LumTree_InitColumn(&columns[1], "Size", LUMTREE_STRETCH, LUMTREEFORMAT_RIGHT);
    EXPECT(LumTree_SetColumns(tree, columns, 2) && LumTree_GetColumns(tree, &own) == 2);
    EXPECT(own != NULL && own[0].width == 120 && own[1].format == LUMTREEFORMAT_RIGHT);
    EXPECT(!LumTree_SetColumns(tree, columns, -1) && LumTree_GetColumnCount(tree) == 2);
    EXPECT(LumTree_AddItem(tree, "Documents") == 0);
    EXPECT(LumTree_AddItemAtLevel(tree, "Reports", 1) == 1);
    EXPECT(LumTree_AddItemAtLevel(tree, "Q1", 2) == 2 && LumTree_AddItem(tree, "Music") == 3);
    EXPECT(LumTree_InsertItemAtLevel(tree, 1, "Drafts", 1) == 1 && LumTree_GetLevel(tree, 3) == 2);
    EXPECT(LumTree_SetLevel(tree, 4, 0) && !LumTree_SetLevel(tree, 5, 1));
    EXPECT(LumTree_GetParentItem(tree, 3) == 2 && LumTree_GetRootItem(tree, 3) == 0);
    EXPECT(LumTree_GetNextSibling(tree, 1) == 2 && LumTree_GetPrevSibling(tree, 2) == 1);
    EXPECT(LumTree_GetSibling(tree, 2, LUMTREESIBLING_FIRST) == 1);
    EXPECT(LumTree_GetFirstChild(tree, 0) == 1 && LumTree_GetLastDescendant(tree, 0) == 3);
    EXPECT(LumTree_GetChildCount(tree, 0, FALSE) == 2 && LumTree_GetChildCount(tree, 0, TRUE) == 3);

    /* Collapse, expand one level (Q1 stays hidden), expand every level, toggle, show. */
    EXPECT(LumTree_Expand(tree, 0, FALSE, FALSE) && !LumTree_IsShown(tree, 1));
    EXPECT(LumTree_Expand(tree, 0, TRUE, FALSE) && LumTree_IsExpanded(tree, 0));
    EXPECT(LumTree_IsShown(tree, 2) && !LumTree_IsShown(tree, 3) && !LumTree_IsExpanded(tree, 2));
    EXPECT(LumTree_Expand(tree, 0, FALSE, FALSE) && LumTree_Expand(tree, 0, TRUE, TRUE));
    EXPECT(LumTree_IsShown(tree, 3) && LumTree_ToggleItem(tree, 2) && !LumTree_IsShown(tree, 3));
    EXPECT(LumTree_ShowItem(tree, 3, FALSE) && !LumTree_IsExpanded(tree, 2));

    /* Texts cut to the buffer with the whole length returned; cells of another column. */
    EXPECT(LumTree_GetText(tree, 0, text, 4) == 9 && strcmp(text, "Doc") == 0);
    EXPECT(LumTree_GetText(tree, 99, text, sizeof text) == -1 && text[0] == '\0');
    EXPECT(LumTree_GetTextLength(tree, 4) == 5 && LumTree_SetText(tree, 4, "Songs"));
    EXPECT(LumTree_SetCellText(tree, 0, 1, "12 kB") && LumTree_GetTextColumn(tree) == 0);
    EXPECT(LumTree_GetCellText(tree, 0, 1, text, sizeof text) == 5 && !strcmp(text, "12 kB"));
    EXPECT(LumTree_GetCellText(tree, 0, 7, text, sizeof text) == -1 && text[0] == '\0');
    EXPECT(!LumTree_SetCellText(tree, 0, 7, "x") && LumTree_GetTextColumn(tree) == 0);
    EXPECT(LumTree_SetColumnTitle(tree, 1, "Bytes") && LumTree_SetTextColumn(tree, 1) == 0);
    EXPECT(SendMessageA(tree, LUMTREEM_GETCOLUMNTITLE, sizeof text, (LPARAM)text) == 5);
    EXPECT(strcmp(text, "Bytes") == 0 && LumTree_SetTextColumn(tree, 0) == 1);

    /* Fonts, data, search, enabling, selection, caret, colours, rectangles, deletion. */
    LumTree_SetHeaderFont(tree, big, TRUE);
    LumTree_SetLabelFont(tree, big, FALSE);
    EXPECT((HFONT)SendMessageA(tree, LUMTREEM_GETHEADERFONT, 0, 0) == big);
    EXPECT((HFONT)SendMessageA(tree, LUMTREEM_GETLABELFONT, 0, 0) == big);
    LumTree_ShowHeader(tree, TRUE);
    EXPECT(LumTree_IsHeaderShown(tree) && LumTree_SetData(tree, 3, 0x1234));
    EXPECT(LumTree_GetData(tree, 3) == 0x1234 && LumTree_GetData(tree, 99) == (DWORD_PTR)-1);
    EXPECT(LumTree_FindData(tree, 0, 0x1234) == 3 && LumTree_FindData(tree, 4, 0x1234) == -1);
    EXPECT(LumTree_FindText(tree, 0, "songs") == 4 && LumTree_FindPrefix(tree, 0, "RE") == 2);
    EXPECT(LumTree_EnableItem(tree, 1, FALSE) && !LumTree_IsEnabled(tree, 1));
    EXPECT(LumTree_SetSelection(tree, 2) && LumTree_GetSelection(tree) == 2);
    EXPECT(LumTree_IsSelected(tree, 2) == 1 && LumTree_IsSelected(tree, 99) == -1);
    EXPECT(LumTree_GetSelCount(tree) == -1 && !LumTree_SelectRange(tree, 0, 1, TRUE));
    EXPECT(LumTree_SetCaret(tree, 4) && LumTree_GetCaret(tree) == 4 && !LumTree_SetCaret(tree, 9));
    EXPECT(LumTree_SetColor(tree, LUMTREECOLOR_SELBACK, 5) && !LumTree_SetColor(tree, -1, 0));
    EXPECT(LumTree_GetColor(tree, LUMTREECOLOR_SELBACK) == 5 &&
           !LumTree_SetColor(tree, LUMTREE_COLORCOUNT, 0));
    EXPECT(LumTree_GetColor(tree, LUMTREECOLOR_BACK) == LUMTREE_AUTOCOLOR);
    EXPECT(LumTree_SetTopIndex(tree, 0) && LumTree_GetTopIndex(tree) == 0);
    EXPECT(LumTree_GetItemRect(tree, 1, &row) &&
           row.bottom - row.top == LumTree_GetRowHeight(tree));
    EXPECT(LumTree_ItemFromPoint(tree, row.left + 5, row.top + 1) == 1);
    EXPECT(LumTree_GetCellRect(tree, 1, 1, &cell) && cell.top == row.top && cell.left > row.left);
    EXPECT(!LumTree_GetCellRect(tree, 1, 5, &cell) && IsRectEmpty(&cell));
    EXPECT(LumTree_DeleteChildren(tree, 2) == 4 && LumTree_DeleteItem(tree, 3) == 3);
    LumTree_ShowHeader(tree, FALSE);
    LumTree_SetHeaderFont(tree, (HFONT)GetStockObject(SYSTEM_FONT), FALSE);
    LumTree_SetLabelFont(tree, (HFONT)GetStockObject(SYSTEM_FONT), FALSE);
    DeleteObject(big);
    LumTree_DeleteAll(tree);
    EXPECT(LumTree_GetCount(tree) == 0);
    return 0;
}

static int Levels(HWND tree, const char *expected) {
    char text[32], got[64];
    int i, n = LumTree_GetCount(tree), at = 0;
    for (i = 0; i < n && at < 60; ++i) {
        LumTree_GetText(tree, i, text, sizeof text);
        got[at++] = text[0];
        got[at++] = (char)('0' + LumTree_GetLevel(tree, i));
    }
    got[at] = '\0';
    return strcmp(got, expected) == 0;
}

/* Multiple selection: items and ranges, the selected indexes, copying and moving. */
int lumtreex_c_multiple(HWND tree) {
    INT selected[4];
    char text[8];
    EXPECT(LumTree_AddItem(tree, "a") == 0 && LumTree_AddItem(tree, "b") == 1);
    EXPECT(LumTree_AddItem(tree, "c") == 2 && LumTree_AddItem(tree, "d") == 3);
    EXPECT(LumTree_AddItem(tree, "e") == 4 && LumTree_AddItem(tree, "f") == 5);
    EXPECT(LumTree_GetSelection(tree) == -1 && !LumTree_SetSelection(tree, 1));
    EXPECT(LumTree_SelectRange(tree, 1, 3, TRUE) && LumTree_GetSelCount(tree) == 3);
    EXPECT(LumTree_SelectItem(tree, 5, TRUE) && LumTree_SelectItem(tree, 2, FALSE));
    EXPECT(LumTree_GetSelItems(tree, selected, 2) == 2 && selected[0] == 1 && selected[1] == 3);
    EXPECT(LumTree_GetSelItems(tree, selected, 4) == 3 && selected[2] == 5);
    EXPECT(!LumTree_SelectRange(tree, 1, 9, TRUE) && !LumTree_SelectItem(tree, 6, TRUE));
    EXPECT(LumTree_SelectItem(tree, -1, FALSE) && LumTree_GetSelCount(tree) == 0);
    EXPECT(LumTree_CopyItem(tree, 0, 6) == 6 && LumTree_GetText(tree, 6, text, 8) == 1);
    EXPECT(text[0] == 'a' && LumTree_MoveItem(tree, 6, 0) == 0 && LumTree_GetCount(tree) == 7);
    EXPECT(LumTree_MoveItem(tree, 99, 0) == -1 && LumTree_CopyItem(tree, -2, 0) == -1);
    return 0;
}

/* Subtrees move whole, down and up, with their hidden items, at a new level. */
int lumtreex_c_subtree(HWND tree) {
    EXPECT(LumTree_AddItem(tree, "a") == 0 && LumTree_AddItemAtLevel(tree, "b", 1) == 1);
    EXPECT(LumTree_AddItemAtLevel(tree, "c", 2) == 2 && LumTree_AddItemAtLevel(tree, "d", 1) == 3);
    EXPECT(LumTree_AddItem(tree, "e") == 4 && LumTree_AddItemAtLevel(tree, "f", 1) == 5);
    EXPECT(LumTree_Expand(tree, 1, FALSE, FALSE) && !LumTree_IsShown(tree, 2));
    EXPECT(LumTree_MoveSubtree(tree, 1, 2, -1) == -1 && LumTree_MoveSubtree(tree, 9, 0, 0) == -1);
    EXPECT(LumTree_MoveSubtree(tree, 1, 3, -1) == 1 && Levels(tree, "a0b1c2d1e0f1"));
    EXPECT(LumTree_MoveSubtree(tree, 1, -1, 2) == 4 && Levels(tree, "a0d1e0f1b2c3"));
    EXPECT(LumTree_MoveSubtree(tree, 4, 0, 0) == 0 && Levels(tree, "b0c1a0d1e0f1"));
    EXPECT(LumTree_MoveSubtree(tree, 0, 2, 1) == 0 && Levels(tree, "b1c2a0d1e0f1"));
    EXPECT(LumTree_GetCount(tree) == 6 && LumTree_IsShown(tree, 1));
    return 0;
}
