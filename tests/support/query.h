// Reading a control's items and a window's text as an application does, for checks.
#pragma once

#include "harness.h"

#include <string>

namespace lt {

inline std::string TextOf(HWND tree, int i) {
    char text[256] = "";
    Send(tree, LUMTREEM_GETTEXT, static_cast<WPARAM>(i), Ptr(text));
    return text;
}

// The item's row in client coordinates; empty when the row is not in the view.
inline RECT RowRect(HWND tree, int i) {
    RECT rc{};
    return SendI(tree, LUMTREEM_GETITEMRECT, static_cast<WPARAM>(i), Ptr(&rc)) == 0 ? rc : RECT{};
}

inline std::string WindowText(HWND w) {
    char text[256] = "";
    GetWindowTextA(w, text, sizeof(text));
    return text;
}

} // namespace lt
