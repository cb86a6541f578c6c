// Driving the "Styles" dialog as a user would: the style function runs the dialog's modal loop
// on the test's thread while a second thread waits for the dialog, reads and clicks its
// controls and ends it.
#pragma once

#include "../support/harness.h"
#include "resources/design_ids.h"

#include <custcntl.h>

#include <cstring>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace design {

inline constexpr char kTitle[] = "LumTree/DLL Styles";
inline constexpr DWORD kEditorStyle = 0x50A10064; // the style the description proposes

inline CCINFOA Description() {
    CCINFOA info;
    std::memset(&info, 0xCC, sizeof(info));
    CHECK(CustomControlInfoA(&info) == 1);
    return info;
}

inline CCSTYLEA Record(DWORD style, DWORD extStyle) {
    CCSTYLEA record{};
    record.flStyle = style;
    record.flExtStyle = extStyle;
    lstrcpyA(record.szText, "kept");
    return record;
}

// A top-level window of `thread` with the given class ("#32770" for dialogs), other than
// `except`, and with the given title when one is given.
inline HWND ThreadWindow(DWORD thread, const char *className, const char *title,
                         HWND except = nullptr) {
    struct Search {
        const char *className, *title;
        HWND except, found;
    } search{className, title, except, nullptr};
    EnumThreadWindows(
        thread,
        [](HWND w, LPARAM lp) -> BOOL {
            auto *s = reinterpret_cast<Search *>(lp);
            char cls[64], text[128];
            GetClassNameA(w, cls, sizeof(cls));
            GetWindowTextA(w, text, sizeof(text));
            if (w == s->except || lstrcmpA(cls, s->className) != 0 || !IsWindowVisible(w) ||
                (s->title && lstrcmpA(text, s->title) != 0)) {
                return TRUE;
            }
            s->found = w;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// The driver thread must not use the test framework's assertions (their per-thread state is
// torn down badly at thread exit here): it records failures, and RunStyles reports them.
inline std::vector<std::string> g_driverFailures;
#define EXPECT(condition) Expect((condition), #condition, __LINE__)
#define EXPECT_FOR(condition, about) Expect((condition), #condition, __LINE__, about)
inline void Expect(bool ok, const char *what, int line, const std::string &about = "") {
    if (!ok) g_driverFailures.push_back("line " + std::to_string(line) + ": " + what + " " + about);
}

inline HWND WaitForWindow(const std::function<HWND()> &find, int milliseconds = 3000) {
    for (int waited = 0; waited < milliseconds; waited += 10) {
        if (HWND w = find()) return w;
        Sleep(10);
    }
    return nullptr;
}

// Opens the "Styles" dialog for `record` through the description's style function, owned by
// `owner`, and runs `script` on a second thread once the dialog shows. The script ends the
// dialog; one that leaves it open fails, and the dialog is then ended so the run goes on.
// Returns the style function's result.
inline BOOL RunStyles(HWND owner, CCSTYLEA *record,
                      const std::function<void(HWND dialog)> &script) {
    const CCINFOA info = Description();
    const DWORD thread = GetCurrentThreadId();
    std::thread driver([&] {
        HWND dialog = WaitForWindow([&] { return ThreadWindow(thread, "#32770", kTitle); });
        EXPECT(dialog != nullptr);
        if (!dialog) return;
        script(dialog);
        for (int waited = 0; waited < 3000 && IsWindow(dialog); waited += 10) Sleep(10);
        if (IsWindow(dialog)) {
            EXPECT(!"the script left the dialog open");
            EndDialog(dialog, 0); // works from another thread too: ends the modal loop
        }
    });
    const BOOL result = info.lpfnStyle(owner, record);
    driver.join();
    for (const std::string &failure : g_driverFailures) FAIL_CHECK(failure);
    g_driverFailures.clear();
    return result;
}

// What the driver thread does to the dialog's controls (the messages cross to the dialog's
// thread, as a user's clicks would).
inline bool Checked(HWND dialog, int id) {
    return SendDlgItemMessageA(dialog, id, BM_GETCHECK, 0, 0) == BST_CHECKED;
}
inline bool Enabled(HWND dialog, int id) {
    return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE;
}
inline void Click(HWND dialog, int id) {
    SendDlgItemMessageA(dialog, id, BM_CLICK, 0, 0);
}
// A real mouse click in the middle of a control.
inline void MouseClick(HWND dialog, int id) {
    RECT rc;
    GetWindowRect(GetDlgItem(dialog, id), &rc);
    SetCursorPos((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
    INPUT input[2]{};
    input[0].type = input[1].type = INPUT_MOUSE;
    input[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    input[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, input, sizeof(INPUT));
}
inline std::string Text(HWND w) {
    char text[256] = "";
    GetWindowTextA(w, text, sizeof(text));
    return text;
}

} // namespace design
