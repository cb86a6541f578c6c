// Benchmark of the accessible object on large trees: what a client pays per question, and what
// the control pays for its WinEvents with and without a listening client.
//
//   lumtree_bench_access.exe            N = 10,000, 100,000 and 1,000,000
//   lumtree_bench_access.exe 1000000    the given sizes only
#include "clock.h"
#include "lumtree/lumtree.h"

#include <oleacc.h>

#include <cstdio>
#include <cstdlib>
#include <initializer_list>

namespace {

constexpr IID kIidAccessible = {
    0x618736e0, 0x3c3d, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};

using bench::Now;
using bench::Pump;

VARIANT Id(LONG id) {
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_I4;
    v.lVal = id;
    return v;
}

LONG g_events;
void CALLBACK Count(HWINEVENTHOOK, DWORD, HWND, LONG, LONG, DWORD, DWORD) {
    ++g_events;
}

// Microseconds per call of f, over `rounds` calls.
template <class F> double PerCall(int rounds, F f) {
    double t = Now();
    for (int k = 0; k < rounds; ++k) f(k);
    return (Now() - t) * 1e6 / rounds;
}

void Run(HWND host, int n) {
    HWND tree = CreateWindowExA(0, LUMTREE_CLASSNAME, "", WS_CHILD | WS_VISIBLE | WS_VSCROLL, 0, 0,
                                400, 600, host, nullptr, GetModuleHandleA(nullptr), nullptr);
    SendMessageA(tree, WM_SETREDRAW, 0, 0);
    srand(7);
    int level = 0;
    for (int i = 0; i < n; ++i) {
        SendMessageA(tree, LUMTREEM_ADDITEM, 0, reinterpret_cast<LPARAM>("item"));
        level = i == 0 ? 0 : rand() % (level + 2);
        if (level > 12) level = 12;
        if (level) SendMessageA(tree, LUMTREEM_SETLEVEL, static_cast<WPARAM>(i), level);
    }
    SendMessageA(tree, WM_SETREDRAW, 1, 0);
    SendMessageA(tree, LUMTREEM_SETCARET, static_cast<WPARAM>(n / 2), 0);
    SetFocus(tree);
    UpdateWindow(tree);

    double t = Now();
    IAccessible *acc = nullptr;
    AccessibleObjectFromWindow(tree, OBJID_CLIENT, kIidAccessible, reinterpret_cast<void **>(&acc));
    double first = (Now() - t) * 1e3;
    if (!acc) {
        std::printf("N=%d: no accessible object\n", n);
        return;
    }
    const int rounds = 2000;
    LONG count = 0;
    VARIANT v;
    BSTR s;
    LONG x, y, w, h;
    double childCount = PerCall(rounds, [&](int) { acc->get_accChildCount(&count); });
    double state = PerCall(rounds, [&](int k) { acc->get_accState(Id(1 + (k * 7919) % n), &v); });
    double name = PerCall(rounds, [&](int k) {
        acc->get_accName(Id(1 + (k * 7919) % n), &s);
        SysFreeString(s);
    });
    double location =
        PerCall(rounds, [&](int k) { acc->accLocation(&x, &y, &w, &h, Id(1 + (k * 7919) % n)); });
    double navigate = PerCall(rounds, [&](int k) {
        acc->accNavigate(k % 2 ? NAVDIR_DOWN : NAVDIR_NEXT, Id(1 + (k * 7919) % n), &v);
    });
    double parent =
        PerCall(rounds, [&](int k) { acc->accNavigate(NAVDIR_LEFT, Id(1 + (k * 7919) % n), &v); });
    RECT rc;
    GetClientRect(tree, &rc);
    POINT mid{rc.right / 2, rc.bottom / 2};
    ClientToScreen(tree, &mid);
    double hit = PerCall(rounds, [&](int) { acc->accHitTest(mid.x, mid.y, &v); });
    acc->Release();

    // Keys with and without a client listening for events.
    auto keys = [&] {
        return PerCall(200, [&](int k) {
            SendMessageA(tree, WM_KEYDOWN, k % 2 ? VK_DOWN : VK_UP, 1);
            Pump();
        });
    };
    double quiet = keys();
    HWINEVENTHOOK hook = SetWinEventHook(EVENT_MIN, EVENT_MAX, nullptr, &Count,
                                         GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
    g_events = 0;
    double heard = keys();
    UnhookWinEvent(hook);

    std::printf("N=%d: first object %.2f ms; per call (us): count %.2f, state %.2f, name %.2f, "
                "location %.2f, navigate %.2f, parent %.2f, hit test %.2f; arrow key %.0f us "
                "unheard, %.0f us heard (%ld events)\n",
                n, first, childCount, state, name, location, navigate, parent, hit, quiet, heard,
                g_events);
    DestroyWindow(tree);
}

} // namespace

int main(int argc, char **argv) {
    CoInitialize(nullptr);
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "LumTreeAccessBenchHost";
    RegisterClassA(&wc);
    HWND host = CreateWindowExA(0, wc.lpszClassName, "bench", WS_POPUP | WS_VISIBLE, 0, 0, 420, 620,
                                nullptr, nullptr, wc.hInstance, nullptr);
    LumTree_RegisterApp(GetModuleHandleA(nullptr));
    if (argc > 1) {
        for (int a = 1; a < argc; ++a) Run(host, std::atoi(argv[a]));
    } else {
        for (int n : {10000, 100000, 1000000}) Run(host, n);
    }
    DestroyWindow(host);
    CoUninitialize();
    return 0;
}
