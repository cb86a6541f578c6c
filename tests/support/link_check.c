/* Links against the import library with every exported function of the public header, so that
   a missing export or, on x86, a wrong __stdcall decoration in the .def file fails the build. */
#include "lumtree/lumtree.h"

#include <stdio.h>

int main(void) {
    const void *functions[] = {
        (const void *)LumTree_WndProc, (const void *)LumTree_RegisterApp,
        (const void *)LumTree_RegisterApp2, (const void *)LumTree_UnregisterApp2,
        (const void *)LumTree_ProcessMouseMessage, (const void *)LumTree_ProcessKeyboardMessage,
        (const void *)LumTreeEx_InsertItem_DLL, (const void *)LumTreeEx_InsertItemA_DLL,
        (const void *)LumTreeEx_InsertItemW_DLL, (const void *)LumTreeEx_DeleteAllItems_DLL,
        (const void *)LumTreeEx_SetItemTrack, (const void *)LumTreeEx_SetItemTrackGlobal,
        (const void *)LumTreeEx_GetItemTrack, (const void *)LumTreeEx_SetBoldCaretFont,
        (const void *)LumTreeEx_GetItemKind, (const void *)LumTreeEx_SetItemKind,
        (const void *)LumTreeEx_EnableScrollBarUpdate, (const void *)LumTreeEx_GetItemsEx};
    unsigned found = 0;
    for (unsigned i = 0; i < sizeof(functions) / sizeof(functions[0]); ++i) found += !!functions[i];
    printf("%u exported functions linked\n", found);
    return 0;
}
