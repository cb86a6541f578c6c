// Registration, hooks, wheel and extension functions: what the library does when it is loaded
// and unloaded, and the exported functions besides the window procedure.
#pragma once

#include "../frame/frame.h"

// Registers the global class and the lost-cursor message; false when the class cannot be
// registered (the load then fails).
bool LoadLibraryState(HINSTANCE module);
