/* The helpers of lumtreex.h most easily got wrong (parameter order, buffer sizes), used from C89
   on a multiple-selection control. Returns 0, or the line of the first failed expectation. */
#include "lumtree/lumtreex.h"

#include <string.h>

#define EXPECT(condition)                                                                          \
    do {                                                                                           \
        if (!(condition)) return __LINE__;                                                         \
    } while (0)

/* Documents > (Drafts, Reports > Q1), Music; a second column. */
int lumtreex_c_smoke(HWND tree) {
    TreeColumn columns[2];
    INT selected[4];
    char text[16];
    RECT row, cell;
    LumTree_InitColumn(&columns[0], "Name", 120, LUMTREEFORMAT_LEFT);
    LumTree_InitColumn(&columns[1], "Size", LUMTREE_STRETCH, LUMTREEFORMAT_RIGHT);
    EXPECT(LumTree_SetColumns(tree, columns, 2) && LumTree_GetColumnCount(tree) == 2);
    EXPECT(LumTree_AddItem(tree, "Documents") == 0 && LumTree_AddItemAtLevel(tree, "Reports", 1));
    EXPECT(LumTree_AddItemAtLevel(tree, "Q1", 2) == 2 && LumTree_AddItem(tree, "Music") == 3);
    EXPECT(LumTree_InsertItemAtLevel(tree, 1, "Drafts", 1) == 1 && LumTree_GetParentItem(tree, 3));

    /* expand, then allLevels: one level leaves Q1 hidden, every level shows it. */
    EXPECT(LumTree_Expand(tree, 0, FALSE, FALSE) && !LumTree_IsShown(tree, 1));
    EXPECT(LumTree_Expand(tree, 0, TRUE, FALSE) && LumTree_IsShown(tree, 2));
    EXPECT(!LumTree_IsShown(tree, 3) && LumTree_Expand(tree, 0, FALSE, FALSE));
    EXPECT(LumTree_Expand(tree, 0, TRUE, TRUE));
    EXPECT(LumTree_IsShown(tree, 3) && LumTree_ToggleItem(tree, 2) && !LumTree_IsShown(tree, 3));

    /* Texts cut to the buffer (terminator included) with the whole length returned. */
    EXPECT(LumTree_GetText(tree, 0, text, 4) == 9 && strcmp(text, "Doc") == 0);
    EXPECT(LumTree_GetText(tree, 99, text, sizeof text) == -1 && text[0] == '\0');
    EXPECT(LumTree_SetCellText(tree, 0, 1, "12 kB") && LumTree_GetTextColumn(tree) == 0);
    EXPECT(LumTree_GetCellText(tree, 0, 1, text, 3) == 5 && !strcmp(text, "12"));
    EXPECT(LumTree_GetCellText(tree, 0, 7, text, sizeof text) == -1 && text[0] == '\0');
    EXPECT(LumTree_GetTextColumn(tree) == 0);

    /* select comes after the index; GetSelItems stops at its capacity. */
    EXPECT(LumTree_SelectRange(tree, 1, 3, TRUE) && LumTree_SelectItem(tree, 2, FALSE));
    EXPECT(LumTree_SelectItem(tree, 4, TRUE) && LumTree_GetSelCount(tree) == 3);
    EXPECT(LumTree_GetSelItems(tree, selected, 2) == 2 && selected[0] == 1 && selected[1] == 3);
    EXPECT(LumTree_GetSelItems(tree, selected, 4) == 3 && selected[2] == 4);
    EXPECT(!LumTree_SelectRange(tree, 1, 9, TRUE) && LumTree_GetSelCount(tree) == 3);

    EXPECT(LumTree_GetItemRect(tree, 1, &row) &&
           row.bottom - row.top == LumTree_GetRowHeight(tree));
    EXPECT(LumTree_GetCellRect(tree, 1, 1, &cell) && cell.top == row.top && cell.left > row.left);
    EXPECT(!LumTree_GetCellRect(tree, 1, 5, &cell) && IsRectEmpty(&cell));

    /* MoveSubtree(source, position, level): Reports and Q1 to the end, under Music. */
    EXPECT(LumTree_MoveSubtree(tree, 2, -1, 1) == 3 && LumTree_GetLevel(tree, 4) == 2);
    EXPECT(LumTree_GetText(tree, 4, text, sizeof text) == 2 && LumTree_GetParentItem(tree, 3) == 2);
    return 0;
}
