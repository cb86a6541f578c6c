/* The public header in a C program compiled with UNICODE: the plain names are the UTF-16 forms
   and an application uses them without casts. */
#ifndef UNICODE
#define UNICODE
#endif
#include "lumtree/lumtree.h"

static INT CALLBACK compare_texts(HWND window, LPCWSTR text1, LPCWSTR text2) {
    (void)window;
    return lstrcmpW(text1, text2);
}
static INT CALLBACK draw_row(HWND window, RowDrawInfo *info, DWORD_PTR data) {
    (void)window;
    (void)data;
    return info->texts[0][0] == L'x';
}

int lumtree_header_check_w(HWND parent) {
    static WCHAR name[] = L"Name";
    TreeColumn column = {0};
    TreeColumnInfoW *described = NULL;
    TreeDrawCallback drawing = {draw_row, 0};
    LUMTREETEXTCOMPAREPROC compare = compare_texts;
    LPCWSTR class_name = LUMTREE_CLASSNAME;
    HWND tree =
        CreateWindowEx(0, class_name, TEXT(""), WS_CHILD, 0, 0, 10, 10, parent, NULL, NULL, NULL);
    column.title = name;
    column.width = LUMTREE_STRETCH;
    SendMessage(tree, LUMTREEM_SETCOLUMNS, 1, (LPARAM)&column);
    SendMessage(tree, LUMTREEM_ADDITEM, 0, (LPARAM)TEXT("Ελληνικά"));
    SendMessage(tree, LUMTREEM_SETDRAWCALLBACK, 0, (LPARAM)&drawing);
    SendMessage(tree, LUMTREEM_SORTCHILDREN, (WPARAM)-1, (LPARAM)compare);
    SendMessage(tree, LUMTREEM_GETCOLUMNINFO, 0, (LPARAM)&described);
    return LumTreeEx_InsertItem_DLL(tree, -1, 0, L"Κ", 0, 0) +
           (described && described->title == column.title);
}
