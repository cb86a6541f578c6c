// Helpers shared by the item store tests: reading the list back through messages.
#pragma once

#include "../support/harness.h"

#include <string>
#include <vector>

namespace lt {

inline std::string TextOf(HWND tree, int i) {
    char buffer[256];
    SendI(tree, LUMTREEM_GETTEXT, static_cast<WPARAM>(i), Ptr(buffer));
    return buffer;
}

// The texts of all items, joined by spaces; hidden items in brackets.
inline std::string Outline(HWND tree) {
    std::string out;
    int n = SendI(tree, LUMTREEM_GETCOUNT);
    for (int i = 0; i < n; ++i) {
        if (!out.empty()) out += ' ';
        bool shown = SendI(tree, LUMTREEM_ISSHOWN, static_cast<WPARAM>(i)) == 1;
        if (!shown) out += '[';
        out.append(TextOf(tree, i));
        if (!shown) out += ']';
    }
    return out;
}

inline std::vector<int> LevelsOf(HWND tree) {
    std::vector<int> levels;
    int n = SendI(tree, LUMTREEM_GETCOUNT);
    for (int i = 0; i < n; ++i) levels.push_back(SendI(tree, LUMTREEM_GETLEVEL, i));
    return levels;
}

// Counts LUMTREEN_ENDEDIT among the parent's notifications.
inline int EndEdits(const Parent &parent) {
    int n = 0;
    for (int code : parent.Codes()) n += code == LUMTREEN_ENDEDIT;
    return n;
}

// A child window placed in the control, as an in-place editor would be.
inline HWND PlaceEditor(HWND tree) {
    return CreateWindowExA(0, "STATIC", "editor", WS_CHILD | WS_VISIBLE, 0, 0, 40, 12, tree,
                           nullptr, nullptr, nullptr);
}

} // namespace lt
