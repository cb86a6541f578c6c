// Screenshots of the samples, read back from the screen: what a user sees of a window, frame,
// borders and caption included, once it has been shown and painted.
#pragma once

#include "png.h"

#include <windows.h>

#include <cstdint>
#include <vector>

namespace screen {

// Brings the window to the front, lets it and the display server finish painting, and writes
// the screen's pixels under the window rectangle to a PNG file.
inline bool CaptureWindow(HWND w, const char *path) {
    SetForegroundWindow(w);
    RedrawWindow(w, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
    MSG msg;
    for (int n = 0; n < 10; ++n) { // let the display server show what was painted
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
        Sleep(20);
    }
    RECT rc;
    GetWindowRect(w, &rc);
    int width = rc.right - rc.left, height = rc.bottom - rc.top;
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = -height;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    HDC dc = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(dc);
    void *bits = nullptr;
    HBITMAP bmp = CreateDIBSection(mem, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(mem, bmp);
    const bool copied = BitBlt(mem, 0, 0, width, height, dc, rc.left, rc.top, SRCCOPY) != 0;
    GdiFlush();
    std::vector<uint32_t> pixels(static_cast<const uint32_t *>(bits),
                                 static_cast<const uint32_t *>(bits) +
                                     static_cast<size_t>(width) * height);
    SelectObject(mem, old);
    DeleteObject(bmp);
    DeleteDC(mem);
    ReleaseDC(nullptr, dc);
    return copied && png::WritePng(path, width, height, pixels);
}

} // namespace screen
