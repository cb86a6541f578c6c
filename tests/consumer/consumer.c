/* A small application built against an installed LumTree package (CMake package or pkg-config):
   it checks the DLL's version resource, creates a control in a window, fills a small tree
   through plain messages and the typed helpers, and prints "consumer ok" when every answer is
   the expected one. Written in C89, as the oldest code that includes the headers would be. */
#include "lumtree/lumtreex.h"

#include <stdio.h>
#include <string.h>

static int failures = 0;

static void Check(int ok, const char *what) {
    if (!ok) {
        printf("FAILED: %s\n", what);
        ++failures;
    }
}

/* The product version of the loaded RyTree32.dll as "a.b.c", from its version resource. */
static void DllVersion(char *out, size_t size) {
    char path[MAX_PATH];
    DWORD handle = 0, length;
    static char block[4096];
    VS_FIXEDFILEINFO *info = NULL;
    UINT infoLength = 0;
    out[0] = '\0';
    if (!GetModuleFileNameA(GetModuleHandleA("RyTree32.dll"), path, sizeof path)) return;
    length = GetFileVersionInfoSizeA(path, &handle);
    if (length == 0 || length > sizeof block || !GetFileVersionInfoA(path, 0, length, block))
        return;
    if (!VerQueryValueA(block, "\\", (void **)&info, &infoLength) || infoLength < sizeof *info)
        return;
    _snprintf(out, size, "%u.%u.%u", (unsigned)HIWORD(info->dwProductVersionMS),
              (unsigned)LOWORD(info->dwProductVersionMS),
              (unsigned)HIWORD(info->dwProductVersionLS));
}

int main(void) {
    HINSTANCE instance = GetModuleHandleA(NULL);
    HWND parent, tree;
    char version[32], text[64];
    int root, child;

    LumTree_RegisterApp(instance);
    DllVersion(version, sizeof version);
#ifdef LUMTREE_EXPECTED_VERSION
    Check(strcmp(version, LUMTREE_EXPECTED_VERSION) == 0, "version resource = package version");
#else
    Check(version[0] != '\0', "version resource present");
#endif

    parent = CreateWindowExA(0, "STATIC", "consumer", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, NULL,
                             NULL, instance, NULL);
    tree = CreateWindowExA(0, LUMTREE_CLASSNAME, "", WS_CHILD | WS_VISIBLE | LUMTREESTYLE_NOTIFY, 0,
                           0, 280, 160, parent, (HMENU)100, instance, NULL);
    Check(tree != NULL, "control created");

    root = (int)SendMessageA(tree, LUMTREEM_ADDITEM, 0, (LPARAM) "Documents");
    child = LumTree_AddItemAtLevel(tree, "Reports", 1);
    Check(root == 0 && child == 1, "items appended");
    Check(SendMessageA(tree, LUMTREEM_GETLEVEL, 1, 0) == 1, "level set");
    Check(LumTree_GetText(tree, 1, text, sizeof text) == 7 && !strcmp(text, "Reports"),
          "text read back");
    Check(LumTree_GetText(tree, 5, text, sizeof text) == -1, "bad index refused");
    Check(LumTree_Expand(tree, root, FALSE, FALSE) && !LumTree_IsShown(tree, child), "collapsed");

    DestroyWindow(parent);
    if (failures) return 1;
    printf("consumer ok (RyTree32.dll %s)\n", version);
    return 0;
}
