// Paint benchmark: the time of a full repaint of one page and of 1,000 line scrolls with
// painting, for a tree of 100,000 items, in LumTree and in the platform's tree view
// (SysTreeView32) in the same run. Prints milliseconds and the ratio; it checks nothing.
//
//   lumtree_paint_bench.exe [items]     (default 100000; run it through scripts/wine-run.sh)
#include "lumtree/lumtree.h"

#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

constexpr int kWidth = 420, kHeight = 600; // about 35 rows of the default font
constexpr int kRepaints = 200;
constexpr int kScrolls = 1000;

double Now() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

void Pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
}

// The tree: folders of ten subfolders of nine files each (100 items a folder), all expanded.
int LevelOf(int i) {
    const int k = i % 100;
    if (k == 0) return 0;
    return (k - 1) % 10 == 0 ? 1 : 2;
}

void Name(char *text, int i) {
    wsprintfA(text, LevelOf(i) == 2 ? "Document %d.txt" : "Folder %d", i);
}

struct Timings {
    double fill = 0, repaint = 0, repaintAtEnd = 0, scrolls = 0;
};

// A full repaint of the page in view, averaged over kRepaints.
double Repaint(HWND w) {
    const double start = Now();
    for (int n = 0; n < kRepaints; ++n) {
        InvalidateRect(w, nullptr, TRUE);
        UpdateWindow(w);
    }
    return (Now() - start) / kRepaints;
}

// kScrolls line scrolls from the top, each painted before the next.
double Scrolls(HWND w) {
    SendMessageA(w, WM_VSCROLL, SB_TOP, 0);
    UpdateWindow(w);
    const double start = Now();
    for (int n = 0; n < kScrolls; ++n) {
        SendMessageA(w, WM_VSCROLL, SB_LINEDOWN, 0);
        UpdateWindow(w);
    }
    return Now() - start;
}

// The repaints and scrolls of a filled tree, which is destroyed afterwards.
Timings Measure(HWND tree, double fill) {
    Timings t;
    t.fill = fill;
    UpdateWindow(tree);
    Pump();
    t.repaint = Repaint(tree);
    t.scrolls = Scrolls(tree);
    SendMessageA(tree, WM_VSCROLL, SB_BOTTOM, 0);
    t.repaintAtEnd = Repaint(tree);
    DestroyWindow(tree);
    Pump();
    return t;
}

Timings RunLumTree(HWND parent, int count) {
    HWND tree =
        CreateWindowExA(0, LUMTREE_CLASSNAME, "", WS_CHILD | WS_VISIBLE | WS_VSCROLL, 0, 0, kWidth,
                        kHeight, parent, nullptr, GetModuleHandleA(nullptr), nullptr);
    char text[64];
    double start = Now();
    SendMessageA(tree, WM_SETREDRAW, FALSE, 0);
    for (int i = 0; i < count; ++i) {
        Name(text, i);
        SendMessageA(tree, LUMTREEM_ADDITEM, 0, reinterpret_cast<LPARAM>(text));
        if (LevelOf(i)) SendMessageA(tree, LUMTREEM_SETLEVEL, static_cast<WPARAM>(i), LevelOf(i));
    }
    SendMessageA(tree, WM_SETREDRAW, TRUE, 0);
    SendMessageA(tree, LUMTREEM_SETCARET, 0, 0);
    return Measure(tree, Now() - start);
}

Timings RunPlatformTree(HWND parent, int count) {
    HWND tree = CreateWindowExA(
        0, WC_TREEVIEWA, "",
        WS_CHILD | WS_VISIBLE | WS_VSCROLL | TVS_HASLINES | TVS_HASBUTTONS | TVS_LINESATROOT, 0, 0,
        kWidth, kHeight, parent, nullptr, GetModuleHandleA(nullptr), nullptr);
    char text[64];
    double start = Now();
    SendMessageA(tree, WM_SETREDRAW, FALSE, 0);
    HTREEITEM parents[3] = {TVI_ROOT, nullptr, nullptr};
    std::vector<HTREEITEM> folders;
    for (int i = 0; i < count; ++i) {
        Name(text, i);
        TVINSERTSTRUCTA ins{};
        ins.hParent = parents[LevelOf(i)];
        ins.hInsertAfter = TVI_LAST;
        ins.item.mask = TVIF_TEXT;
        ins.item.pszText = text;
        auto item = reinterpret_cast<HTREEITEM>(
            SendMessageA(tree, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&ins)));
        if (LevelOf(i) < 2) {
            parents[LevelOf(i) + 1] = item;
            folders.push_back(item);
        }
    }
    for (HTREEITEM folder : folders) {
        SendMessageA(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(folder));
    }
    SendMessageA(tree, WM_SETREDRAW, TRUE, 0);
    return Measure(tree, Now() - start);
}

} // namespace

int main(int argc, char **argv) {
    const int count = argc > 1 ? std::atoi(argv[1]) : 100000;
    LumTree_RegisterApp(GetModuleHandleA(nullptr));
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_TREEVIEW_CLASSES};
    InitCommonControlsEx(&icc);
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = "LumTreePaintBench";
    RegisterClassA(&wc);
    HWND parent = CreateWindowExA(0, wc.lpszClassName, "paint benchmark",
                                  WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, kWidth, kHeight,
                                  nullptr, nullptr, wc.hInstance, nullptr);
    Pump();

    const Timings ours = RunLumTree(parent, count);
    const Timings platform = RunPlatformTree(parent, count);
    std::printf("Paint benchmark: %d items, %dx%d window, 3 levels, all expanded\n", count, kWidth,
                kHeight);
    std::printf("%-34s %12s %14s %8s\n", "", "LumTree", "SysTreeView32", "ratio");
    auto line = [](const char *what, double a, double b) {
        std::printf("%-34s %9.3f ms %11.3f ms %8.2f\n", what, a, b, b > 0 ? a / b : 0.0);
    };
    line("full repaint of a page (top)", ours.repaint, platform.repaint);
    line("full repaint of a page (end)", ours.repaintAtEnd, platform.repaintAtEnd);
    line("1,000 line scrolls with painting", ours.scrolls, platform.scrolls);
    line("filling (for reference)", ours.fill, platform.fill);
    DestroyWindow(parent);
    return 0;
}
