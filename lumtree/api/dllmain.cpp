// Loading and unloading: the module handle, the global window class, the registered
// lost-cursor message and the wheel setting. Hooks are installed per application thread by
// LumTree_RegisterApp2 on every supported host (the system-wide hooks that very old hosts
// installed at load are not kept), so unloading has nothing to remove.
#include "api.h"

bool LoadLibraryState(HINSTANCE module) {
    g_lum.module = module;
    WNDCLASSA wc{};
    wc.style = CS_GLOBALCLASS | CS_DBLCLKS;
    wc.lpfnWndProc = LumTree_WndProc;
    wc.cbWndExtra = sizeof(TreeCtl *);
    wc.hInstance = module;
    wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.lpszClassName = LUMTREE_CLASSNAME;
    if (!RegisterClassA(&wc)) {
        WNDCLASSA existing;
        if (!GetClassInfoA(nullptr, LUMTREE_CLASSNAME, &existing)) {
            Trace("lumtree", __LINE__, "MarvikTreeControl32 could not be registered");
            return false;
        }
    }
    g_lum.lostCursorMsg = RegisterWindowMessageA(LUMTREE_LOSTCURSORMSG);
    SetupWheel();
    return true;
}

extern "C" BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) return LoadLibraryState(module) ? TRUE : FALSE;
    return TRUE;
}

// Applications that only send messages call this to make sure the library is loaded (its
// import keeps the library in the application's import table); it does nothing else.
extern "C" void WINAPI LumTree_RegisterApp(HINSTANCE) {}
