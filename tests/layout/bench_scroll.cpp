// Benchmark: the cost of vertical scrolling against the length of the list. Prints the time
// per request for thumb jumps between the top and the end and for a page of line steps, on
// lists of 10,000 and 100,000 rows, flat and with every other item a collapsed child. The
// "drawing" pass includes the platform's scrolling and painting; the "no redraw" pass has
// redrawing switched off, which leaves the control's own work: finding rows and items.
//
// Not part of the test suite (it measures, it does not judge). Build and run it with the x64
// build in place:
//   x86_64-w64-mingw32-g++-posix -O2 -std=c++20 -I. tests/layout/bench_scroll.cpp \
//       -o build/x64/bin/bench_scroll.exe build/x64/lib/libRyTree32.dll.a -luser32 -lgdi32 -static
//   scripts/wine-up.sh build/x64/wine; scripts/wine-run.sh build/x64/bin/bench_scroll.exe
#include "lumtree/lumtree.h"

#include <cstdio>
#include <initializer_list>

namespace {

double Now() {
    LARGE_INTEGER count, frequency;
    QueryPerformanceCounter(&count);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(count.QuadPart) / static_cast<double>(frequency.QuadPart);
}

LRESULT Send(HWND w, UINT msg, WPARAM wp = 0, LPARAM lp = 0) {
    return SendMessageA(w, msg, wp, lp);
}

HWND MakeTree(HWND parent, int items, bool withHiddenChildren) {
    HWND tree = CreateWindowExA(0, LUMTREE_CLASSNAME, "", WS_CHILD | WS_VISIBLE, 0, 0, 300, 400,
                                parent, nullptr, GetModuleHandleA(nullptr), nullptr);
    Send(tree, WM_SETREDRAW, FALSE);
    for (int i = 0; i < items; ++i) {
        Send(tree, LUMTREEM_ADDITEM, 0, reinterpret_cast<LPARAM>("item"));
        if (withHiddenChildren && i % 2) Send(tree, LUMTREEM_SETLEVEL, static_cast<WPARAM>(i), 1);
    }
    if (withHiddenChildren) {
        for (int i = 0; i < items; i += 2) Send(tree, LUMTREEM_EXPAND, static_cast<WPARAM>(i), 0);
    }
    Send(tree, WM_SETREDRAW, TRUE);
    return tree;
}

void Measure(HWND parent, int items, bool withHiddenChildren, bool redraw) {
    HWND tree = MakeTree(parent, items, withHiddenChildren);
    const int fullRows = static_cast<int>(Send(tree, LUMTREEM_GETFULLROWS));
    SCROLLINFO si{};
    si.cbSize = sizeof(si);
    si.fMask = SIF_RANGE;
    GetScrollInfo(tree, SB_VERT, &si);
    const int last = si.nMax - fullRows + 1;
    if (!redraw) Send(tree, WM_SETREDRAW, FALSE);

    // Thumb jumps: top to end and back, reading the 32-bit track position from the bar.
    const int kJumps = redraw ? 400 : 20000;
    double start = Now();
    for (int k = 0; k < kJumps; ++k) {
        int target = (k % 2) ? 0 : last;
        SetScrollPos(tree, SB_VERT, target, FALSE);
        Send(tree, WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, static_cast<WORD>(target)), 0);
    }
    const double jump = (Now() - start) / kJumps;

    // Line steps: one page of them near the end of the list, where a row count has the most
    // of the list before it.
    const int kPages = redraw ? 40 : 2000;
    start = Now();
    for (int k = 0; k < kPages; ++k) {
        SetScrollPos(tree, SB_VERT, last - fullRows, FALSE);
        Send(tree, WM_VSCROLL, SB_THUMBTRACK, 0);
        for (int line = 0; line < fullRows; ++line) Send(tree, WM_VSCROLL, SB_LINEDOWN, 0);
    }
    const double step = (Now() - start) / (kPages * (fullRows + 1));

    std::printf("%-10s %7d items %-22s top %6d: thumb jump %8.2f us, line step %8.2f us\n",
                redraw ? "drawing" : "no redraw", items,
                withHiddenChildren ? "(half hidden children)" : "(flat)",
                static_cast<int>(Send(tree, LUMTREEM_GETTOPINDEX)), jump * 1e6, step * 1e6);
    DestroyWindow(tree);
}

} // namespace

int main() {
    LumTree_RegisterApp(GetModuleHandleA(nullptr));
    HWND parent = CreateWindowExA(0, "STATIC", "bench", WS_POPUP | WS_VISIBLE, 0, 0, 320, 420,
                                  nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    for (bool redraw : {false, true}) {
        for (bool hidden : {false, true}) {
            for (int items : {10000, 100000}) Measure(parent, items, hidden, redraw);
        }
    }
    DestroyWindow(parent);
    return 0;
}
