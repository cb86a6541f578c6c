/* A C program built with UNICODE drives a control through lumtree.h and lumtreex.h without a
   cast on any text: TEXT() literals, TCHAR buffers and the plain record and callback names.
   Returns 0 when every step gave what it should, else the number of the first failed step. */
#ifndef UNICODE
#define UNICODE
#endif
#ifndef _UNICODE
#define _UNICODE
#endif
#include "lumtree/lumtreex.h"

static INT CALLBACK by_length(HWND window, LPCTSTR text1, LPCTSTR text2) {
    (void)window;
    return lstrlen(text1) - lstrlen(text2);
}

int lumtree_wide_c_program(HWND parent) {
    TCHAR title[] = TEXT("Όνομα");
    TCHAR buffer[32];
    TreeColumn column = {0};
    TreeColumn *columns = NULL;
    HWND tree = CreateWindowEx(0, LUMTREE_CLASSNAME, TEXT(""), WS_CHILD | WS_VISIBLE, 0, 0, 200,
                               100, parent, NULL, NULL, NULL);
    int result = 0;
    if (!tree) return 1;
    column.width = LUMTREE_STRETCH;
    column.title = title;
    if (!LumTree_GetUnicodeFormat(tree))
        result = 2;
    else if (!LumTree_SetColumns(tree, &column, 1))
        result = 3;
    else if (LumTree_AddItem(tree, TEXT("Μακρύ κείμενο")) != 0)
        result = 4;
    else if (LumTree_AddItem(tree, TEXT("Кот")) != 1)
        result = 5;
    else if (LumTreeEx_InsertItem_DLL(tree, -1, 0, TEXT("Ёж"), 0, 0) != 2)
        result = 6;
    else if (!LumTree_SortChildren(tree, -1, by_length))
        result = 7;
    else if (LumTree_GetText(tree, 0, buffer, 32) != 2 || lstrcmp(buffer, TEXT("Ёж")) != 0)
        result = 8;
    else if (LumTree_FindText(tree, 0, TEXT("КОТ")) != 1)
        result = 9;
    else if (LumTree_GetColumns(tree, &columns) != 1 || lstrcmp(columns[0].title, title) != 0)
        result = 10;
    DestroyWindow(tree);
    return result;
}
