// A dialog from a resource script with a LumTree control in it (examples/dialog.rc), and the
// "Styles" dialog a dialog editor shows for the control.
//
//   lumtree_dialog.exe                        runs the dialog until it is closed
//   lumtree_dialog.exe --screenshot F         writes a PNG picture of the dialog to F
//   lumtree_dialog.exe --styles-screenshot F  the same of the "Styles" dialog
#include "lumtree/lumtree.h"
#include "screen.h"

#include <custcntl.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr int kDialog = 100;
constexpr int kTree = 101;

// The folders shown: name and level.
const std::pair<const char *, int> kFolders[] = {
    {"C:\\", 0},   {"Program Files", 1}, {"LumTree", 2}, {"bin", 3},  {"docs", 3},   {"Users", 1},
    {"Public", 2}, {"Documents", 3},     {"Windows", 1}, {"D:\\", 0}, {"Backup", 1},
};

void FillTree(HWND tree) {
    for (const auto &[name, level] : kFolders) {
        auto index = SendMessageA(tree, LUMTREEM_ADDITEM, 0, reinterpret_cast<LPARAM>(name));
        SendMessageA(tree, LUMTREEM_SETLEVEL, static_cast<WPARAM>(index), level);
    }
    SendMessageA(tree, LUMTREEM_SETCARET, 2, 0);
    SendMessageA(tree, LUMTREEM_SETSELECTION, 2, 0);
}

INT_PTR CALLBACK FoldersProc(HWND dialog, UINT msg, WPARAM wp, LPARAM) {
    switch (msg) {
    case WM_INITDIALOG: FillTree(GetDlgItem(dialog, kTree)); return TRUE;
    case WM_COMMAND:
        // A click on an expand button: the application opens or closes the item.
        if (LOWORD(wp) == kTree && HIWORD(wp) == LUMTREEN_LBUTTONDOWN + LUMTREEHIT_BUTTON) {
            HWND tree = GetDlgItem(dialog, kTree);
            auto caret = SendMessageA(tree, LUMTREEM_GETCARET, 0, 0);
            bool open = SendMessageA(tree, LUMTREEM_ISEXPANDED, static_cast<WPARAM>(caret), 0);
            SendMessageA(tree, LUMTREEM_EXPAND, static_cast<WPARAM>(caret),
                         MAKELPARAM(!open, FALSE));
        } else if (LOWORD(wp) == IDOK || LOWORD(wp) == IDCANCEL) {
            EndDialog(dialog, LOWORD(wp));
        }
        return TRUE;
    default: return FALSE;
    }
}

void Settle() {
    for (int i = 0; i < 20; ++i) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
        Sleep(10);
    }
}

// The "Styles" dialog runs its own modal loop: a timer of this thread photographs it there
// and cancels it.
std::string g_stylesPath;
bool g_stylesWritten = false;
void CALLBACK ShootStyles(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND dialog = FindWindowA("#32770", "LumTree/DLL Styles");
    if (!dialog) return;
    KillTimer(nullptr, timer);
    Settle();
    g_stylesWritten = screen::CaptureWindow(dialog, g_stylesPath.c_str());
    PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
}

bool StylesScreenshot(const char *path) {
    CCINFOA info{};
    CustomControlInfoA(&info);
    CCSTYLEA record{};
    record.flStyle = info.flStyleDefault;
    g_stylesPath = path;
    SetTimer(nullptr, 0, 100, ShootStyles);
    info.lpfnStyle(nullptr, &record);
    return g_stylesWritten;
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR cmdLine, int) {
    LumTree_RegisterApp(instance);
    const std::string args = cmdLine ? cmdLine : "";
    const auto option = [&](const char *name) -> const char * {
        const size_t n = std::strlen(name);
        return args.compare(0, n, name) == 0 && args.size() > n + 1 ? args.c_str() + n + 1
                                                                    : nullptr;
    };
    if (const char *path = option("--styles-screenshot")) {
        const bool ok = StylesScreenshot(path);
        std::printf("%s %s\n", ok ? "Screenshot written to" : "Could not write", path);
        return ok ? 0 : 1;
    }
    if (const char *path = option("--screenshot")) {
        HWND dialog =
            CreateDialogParamA(instance, MAKEINTRESOURCEA(kDialog), nullptr, FoldersProc, 0);
        if (!dialog) return 1;
        SetWindowPos(dialog, nullptr, 40, 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        SetForegroundWindow(dialog);
        SetFocus(GetDlgItem(dialog, kTree));
        Settle();
        const bool ok = screen::CaptureWindow(dialog, path);
        DestroyWindow(dialog);
        std::printf("%s %s\n", ok ? "Screenshot written to" : "Could not write", path);
        return ok ? 0 : 1;
    }
    return DialogBoxParamA(instance, MAKEINTRESOURCEA(kDialog), nullptr, FoldersProc, 0) == IDOK
               ? 0
               : 1;
}
