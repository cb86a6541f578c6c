// Driving the "Styles" dialog as a user would: the style function runs the dialog's modal loop
// on the test's thread while a second thread waits for the dialog, reads and clicks its
// controls and ends it.
#pragma once

#include "../support/query.h"
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

// A visible dialog of `thread` other than `except`, with the given title when one is given;
// waits up to `ms` for it.
inline HWND WaitForWindow(DWORD thread, const char *title, HWND except = nullptr, int ms = 3000) {
    struct Search {
        const char *title;
        HWND except, found;
    } search{title, except, nullptr};
    auto match = [](HWND w, LPARAM lp) -> BOOL {
        auto *s = reinterpret_cast<Search *>(lp);
        char cls[64];
        GetClassNameA(w, cls, sizeof(cls));
        if (w != s->except && !lstrcmpA(cls, "#32770") && IsWindowVisible(w) &&
            (!s->title || lt::WindowText(w) == s->title))
            s->found = w;
        return !s->found;
    };
    for (int waited = 0; waited < ms && !search.found; waited += 10) {
        Sleep(10);
        EnumThreadWindows(thread, match, reinterpret_cast<LPARAM>(&search));
    }
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

// Opens the "Styles" dialog for `record` through the description's style function, owned by
// `owner`, and runs `script` on a second thread once the dialog shows. The script ends the
// dialog; one that leaves it open fails, and the dialog is then ended so the run goes on.
inline BOOL RunStyles(HWND owner, CCSTYLEA *record,
                      const std::function<void(HWND dialog)> &script) {
    const DWORD thread = GetCurrentThreadId();
    std::thread driver([&] {
        HWND dialog = WaitForWindow(thread, kTitle);
        EXPECT(dialog != nullptr);
        if (!dialog) return;
        script(dialog);
        for (int waited = 0; waited < 3000 && IsWindow(dialog); waited += 10) Sleep(10);
        EXPECT(!IsWindow(dialog) || !"the script left the dialog open");
        if (IsWindow(dialog)) EndDialog(dialog, 0); // ends the modal loop from here too
    });
    const BOOL result = Description().lpfnStyle(owner, record);
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

} // namespace design
