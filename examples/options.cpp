// The display options side by side: one window holding eight controls with the same small tree,
// each with one option changed, written to a PNG file read back from the screen.
//
//   lumtree_options.exe F      shows the window, writes it to the PNG file F and ends
//   lumtree_options.exe        shows the window until it is closed
#include "lumtree/lumtreex.h"
#include "screen.h"

#include <cstdio>
#include <string>

namespace {

constexpr int kWidth = 220, kHeight = 168, kCaption = 18, kGap = 8, kPerRow = 4;

// Projects > (src > (tree.cpp, paint.cpp), docs > guide.md), notes.txt
void Fill(HWND tree) {
    const struct {
        const char *name, *size;
        int level;
    } rows[] = {{"Projects", "", 0},      {"src", "", 1},     {"tree.cpp", "12 kB", 2},
                {"paint.cpp", "9 kB", 2}, {"docs", "", 1},    {"guide.md", "6 kB", 2},
                {"notes.txt", "1 kB", 0}, {"archive", "", 0}, {"2025", "", 1}};
    for (const auto &row : rows) {
        int i = LumTree_AddItemAtLevel(tree, row.name, row.level);
        LumTree_SetCellText(tree, i, 1, row.size);
    }
    LumTree_Expand(tree, 7, FALSE, FALSE);
    LumTree_EnableItem(tree, 5, FALSE);
    LumTree_SetSelection(tree, 3);
    LumTree_SetCaret(tree, 3);
}

struct Option {
    const char *title;
    DWORD style;
    void (*apply)(HWND tree);
};

const Option kOptions[] = {
    {"default", 0, [](HWND) {}},
    {"no tree lines", 0, [](HWND t) { LumTree_SetShowLines(t, FALSE); }},
    {"root buttons", 0, [](HWND t) { LumTree_SetShowRootButtons(t, TRUE); }},
    {"header bar, row labels 1..n", 0,
     [](HWND t) {
         LumTree_ShowHeader(t, TRUE);
         LumTree_ShowLabels(t, 5);
         LumTree_SetCornerText(t, "#");
     }},
    {"grid lines", 0, [](HWND t) { LumTree_SetGridLines(t, TRUE); }},
    {"3-D look", 0, [](HWND t) { LumTree_SetLook3D(t, TRUE); }},
    {"text-only selection", 0, [](HWND t) { LumTree_SetTextOnlySelection(t, TRUE); }},
    {"multiple selection", LUMTREESTYLE_MULTIPLESEL,
     [](HWND t) {
         LumTree_SelectRange(t, 1, 3, TRUE);
         LumTree_SelectItem(t, 6, TRUE);
     }},
};

LRESULT CALLBACK FrameProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_DESTROY) PostQuitMessage(0);
    return DefWindowProcA(w, msg, wp, lp);
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR cmdLine, int show) {
    LumTree_RegisterApp(instance);
    const std::string path = cmdLine ? cmdLine : "";
    WNDCLASSA wc{};
    wc.lpfnWndProc = FrameProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = "LumTreeOptions";
    RegisterClassA(&wc);
    const int count = static_cast<int>(std::size(kOptions));
    const int rows = (count + kPerRow - 1) / kPerRow;
    RECT frameRect{0, 0, kPerRow * (kWidth + kGap) + kGap,
                   rows * (kHeight + kCaption + kGap) + kGap};
    AdjustWindowRect(&frameRect, WS_OVERLAPPEDWINDOW, FALSE);
    HWND frame =
        CreateWindowExA(0, wc.lpszClassName, "LumTree display options", WS_OVERLAPPEDWINDOW, 20, 20,
                        frameRect.right - frameRect.left, frameRect.bottom - frameRect.top, nullptr,
                        nullptr, instance, nullptr);
    if (!frame) return 1;
    HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    HWND last = nullptr;
    for (int k = 0; k < count; ++k) {
        const int x = kGap + (k % kPerRow) * (kWidth + kGap);
        const int y = kGap + (k / kPerRow) * (kHeight + kCaption + kGap);
        HWND label = CreateWindowExA(0, "STATIC", kOptions[k].title, WS_CHILD | WS_VISIBLE, x, y,
                                     kWidth, kCaption, frame, nullptr, instance, nullptr);
        SendMessageA(label, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        HWND tree = CreateWindowExA(
            WS_EX_CLIENTEDGE, LUMTREE_CLASSNAME, "", WS_CHILD | WS_VISIBLE | kOptions[k].style, x,
            y + kCaption, kWidth, kHeight, frame,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(100 + k)), instance, nullptr);
        SendMessageA(tree, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        LumTree_SetHeaderFont(tree, font, FALSE);
        LumTree_SetLabelFont(tree, font, FALSE);
        TreeColumn columns[2];
        LumTree_InitColumn(&columns[0], "Name", 80, LUMTREEFORMAT_LEFT);
        LumTree_InitColumn(&columns[1], "Size", LUMTREE_STRETCH, LUMTREEFORMAT_RIGHT);
        LumTree_SetColumns(tree, columns, 2);
        Fill(tree);
        kOptions[k].apply(tree);
        last = tree;
    }
    ShowWindow(frame, path.empty() ? show : SW_SHOWNORMAL);
    UpdateWindow(frame);
    SetFocus(last);
    if (!path.empty()) {
        const bool ok = screen::CaptureWindow(frame, path.c_str());
        DestroyWindow(frame);
        std::printf("%s %s\n", ok ? "Screenshot written to" : "Could not write", path.c_str());
        return ok ? 0 : 1;
    }
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}
