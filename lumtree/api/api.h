// Registration, hooks, wheel and extension functions: what the library does when it is loaded
// and unloaded, and the exported functions besides the window procedure.
#pragma once

#include "../frame/frame.h"

// Registers the global class and the lost-cursor message and reads the wheel setting; false
// when the class cannot be registered (the load then fails).
bool LoadLibraryState(HINSTANCE module);

// ---- Mouse wheel (api/wheel.cpp) ----
// Reads how many rows one wheel notch scrolls. Run once at load; tests run it again after
// changing the system setting.
void SetupWheel();
// WM_MOUSEWHEEL: turns the wheel distance into WM_VSCROLL line (or page) scrolls sent to the
// control. False when the message is declined (a key or mouse button is held): the window
// procedure then gives it default processing, which passes it on to the parent.
bool OnMouseWheel(TreeCtl *ctl, WPARAM wp);

// Window properties: the one every control carries, and the one that lets Tab and Alt pass
// while an editor is open (LUMTREEM_SETTABINTERCEPT).
inline constexpr char kControlProp[] = "MarvikTree32";
inline constexpr char kTabOkProp[] = "TabOK";

// ---- Telling controls from other windows (api/dllmain.cpp) ----
// Notes the atom of the global class (at load) or of the application's private class.
void NoteControlClass(ATOM atom, bool isPrivate);
// The record of a window that is a control of this library, or null for any other window
// (also one whose extra bytes hold something else, such as a dialog's).
TreeCtl *ControlOf(HWND window);
