// LumTree sample application: a top-level window with one tree control.
//
//   lumtree_demo.exe                 shows the window until it is closed
//   lumtree_demo.exe --screenshot F  paints the window, writes it to the PNG file F and exits
#include "lumtree/lumtree.h"
#include "png.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr int kTreeId = 1;
HWND g_tree = nullptr;

LRESULT CALLBACK FrameProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_CREATE:
        g_tree = CreateWindowExA(
            WS_EX_CLIENTEDGE, LUMTREE_CLASSNAME, "",
            WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | LUMTREESTYLE_NOTIFY, 0, 0, 0, 0, w,
            reinterpret_cast<HMENU>(kTreeId), GetModuleHandleA(nullptr), nullptr);
        return g_tree ? 0 : -1;
    case WM_SIZE: MoveWindow(g_tree, 8, 8, LOWORD(lp) - 16, HIWORD(lp) - 16, TRUE); return 0;
    case WM_SETFOCUS: SetFocus(g_tree); return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    default: return DefWindowProcA(w, msg, wp, lp);
    }
}

void FillTree(HWND tree) {
    struct Row {
        const char *text;
        int level;
    };
    static const Row rows[] = {
        {"Documents", 0}, {"Reports", 1},  {"2025", 2},     {"2026", 2},
        {"Letters", 1},   {"Pictures", 0}, {"Holidays", 1}, {"Music", 0},
    };
    HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    SendMessageA(tree, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    for (const Row &row : rows) {
        LRESULT i = SendMessageA(tree, LUMTREEM_ADDITEM, 0, reinterpret_cast<LPARAM>(row.text));
        if (row.level) SendMessageA(tree, LUMTREEM_SETLEVEL, static_cast<WPARAM>(i), row.level);
    }
}

// Captures the whole window (frame included) as it is on the screen.
bool Screenshot(HWND w, const char *path) {
    RedrawWindow(w, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
    RECT rc;
    GetWindowRect(w, &rc);
    int width = rc.right - rc.left, height = rc.bottom - rc.top;
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = -height;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    HDC screen = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    void *bits = nullptr;
    HBITMAP bmp = CreateDIBSection(mem, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(mem, bmp);
    BitBlt(mem, 0, 0, width, height, screen, rc.left, rc.top, SRCCOPY);
    GdiFlush();
    std::vector<uint32_t> pixels(static_cast<const uint32_t *>(bits),
                                 static_cast<const uint32_t *>(bits) +
                                     static_cast<size_t>(width) * height);
    SelectObject(mem, old);
    DeleteObject(bmp);
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);
    return png::WritePng(path, width, height, pixels);
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR cmdLine, int show) {
    LumTree_RegisterApp(instance);
    const char *screenshot = nullptr;
    std::string args = cmdLine ? cmdLine : "";
    if (args.rfind("--screenshot ", 0) == 0)
        screenshot = args.c_str() + std::strlen("--screenshot ");

    WNDCLASSA wc{};
    wc.lpfnWndProc = FrameProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = "LumTreeDemo";
    RegisterClassA(&wc);
    HWND frame = CreateWindowExA(0, wc.lpszClassName, "LumTree sample", WS_OVERLAPPEDWINDOW, 40, 40,
                                 520, 380, nullptr, nullptr, instance, nullptr);
    if (!frame) return 1;
    FillTree(g_tree);
    ShowWindow(frame, screenshot ? SW_SHOWNORMAL : show);
    UpdateWindow(frame);

    if (screenshot) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
        bool ok = Screenshot(frame, screenshot);
        DestroyWindow(frame);
        std::printf("%s %s\n", ok ? "Screenshot written to" : "Could not write", screenshot);
        return ok ? 0 : 1;
    }
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}
