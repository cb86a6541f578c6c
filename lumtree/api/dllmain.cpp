// Loading and unloading: the module handle, the global window class, the registered
// lost-cursor message and the wheel setting. Hooks are installed per application thread by
// LumTree_RegisterApp2 on every supported host (the system-wide hooks that very old hosts
// installed at load are not kept).
#include "api.h"

namespace {

// The atoms of the two classes, for telling controls from other windows cheaply.
ATOM globalClassAtom = 0;
ATOM privateClassAtom = 0;

} // namespace

void NoteControlClass(ATOM atom, bool isPrivate) {
    (isPrivate ? privateClassAtom : globalClassAtom) = atom;
}

// A window of either class always holds its record (or none yet, or none any more) in extra
// word 0. Any other window (a superclass, a subclassed control) is a control only when it
// carries the control property, which costs a round trip to the window server under Wine.
TreeCtl *ControlOf(HWND window) {
    if (!window) return nullptr;
    const auto atom = static_cast<ATOM>(GetClassLongPtrA(window, GCW_ATOM));
    if (atom == 0) return nullptr; // not a window
    if (atom != globalClassAtom && atom != privateClassAtom && !GetPropA(window, kControlProp)) {
        return nullptr;
    }
    return FindCtl(window);
}

bool LoadLibraryState(HINSTANCE module) {
    g_lum.module = module;
    WNDCLASSA wc{};
    wc.style = CS_GLOBALCLASS | CS_DBLCLKS;
    wc.lpfnWndProc = LumTree_WndProc;
    wc.cbWndExtra = sizeof(TreeCtl *);
    wc.hInstance = module;
    wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.lpszClassName = LUMTREE_CLASSNAMEA;
    // Registered once, with the ANSI form: every control window is an ANSI window for the
    // system (under Wine as under Windows, CreateWindowExW of this class makes one too, and the
    // same name cannot be registered again with RegisterClassW). A control learns that its
    // application is wide from its parent at creation (frame/text.h, CreatorWantsWideText).
    ATOM atom = RegisterClassA(&wc);
    if (!atom) {
        WNDCLASSA existing;
        atom = static_cast<ATOM>(GetClassInfoA(nullptr, LUMTREE_CLASSNAMEA, &existing));
        if (!atom) {
            Trace("lumtree", __LINE__, "MarvikTreeControl32 could not be registered");
            return false;
        }
    }
    NoteControlClass(atom, false);
    g_lum.lostCursorMsg = RegisterWindowMessageA(LUMTREE_LOSTCURSORMSGA);
    SetupWheel();
    return true;
}

// Unloading by FreeLibrary while an application's hooks are still installed would leave hook
// procedures that no longer exist: they are removed. At process exit nothing is released.
extern "C" BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID reserved) {
    if (reason == DLL_PROCESS_ATTACH) return LoadLibraryState(module) ? TRUE : FALSE;
    if (reason == DLL_PROCESS_DETACH && !reserved) LumTree_UnregisterApp2(nullptr);
    return TRUE;
}

// Applications that only send messages call this to make sure the library is loaded (its
// import keeps the library in the application's import table); it does nothing else.
extern "C" void WINAPI LumTree_RegisterApp(HINSTANCE) {}
