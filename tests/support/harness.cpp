#include "harness.h"

#include <cstring>

namespace lt {

namespace {

constexpr char kParentClass[] = "LumTreeTestParent";

void RegisterParentClass() {
    static bool done = false;
    if (done) return;
    WNDCLASSA wc{};
    wc.lpfnWndProc = &Parent::Proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = kParentClass;
    RegisterClassA(&wc);
    done = true;
}

} // namespace

Parent::Parent(int width, int height) {
    LumTree_RegisterApp(GetModuleHandleA(nullptr));
    RegisterParentClass();
    window_ = CreateWindowExA(0, kParentClass, "LumTree test",
                              WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 20, 20, width, height,
                              nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    REQUIRE(window_ != nullptr);
    SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetForegroundWindow(window_);
    SetFocus(window_);
    Pump();
}

Parent::~Parent() {
    SetWindowLongPtrA(window_, GWLP_USERDATA, 0);
    DestroyWindow(window_);
    Pump();
}

HWND Parent::Tree(DWORD style, int x, int y, int width, int height, int id) {
    HWND tree = CreateWindowExA(0, LUMTREE_CLASSNAME, "", style, x, y, width, height, window_,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                GetModuleHandleA(nullptr), nullptr);
    REQUIRE(tree != nullptr);
    return tree;
}

std::vector<int> Parent::Codes(HWND from) const {
    std::vector<int> codes;
    for (const Notification &n : notes_) {
        if (!from || n.from == from) codes.push_back(n.code);
    }
    return codes;
}

LRESULT CALLBACK Parent::Proc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    auto *self = reinterpret_cast<Parent *>(GetWindowLongPtrA(w, GWLP_USERDATA));
    if (!self) return DefWindowProcA(w, m, wp, lp);
    if (m == WM_COMMAND) {
        self->notes_.push_back({HIWORD(wp), LOWORD(wp), reinterpret_cast<HWND>(lp)});
    }
    if (self->onMessage) {
        LRESULT result = 0;
        if (self->onMessage(m, wp, lp, &result)) return result;
    }
    if (m == WM_COMMAND) return 0;
    return DefWindowProcA(w, m, wp, lp);
}

void Pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

std::vector<int> AddItems(HWND tree, std::initializer_list<std::pair<const char *, int>> items) {
    std::vector<int> indexes;
    for (const auto &[text, level] : items) {
        int i = SendI(tree, LUMTREEM_ADDITEM, 0, Ptr(text));
        if (level) Send(tree, LUMTREEM_SETLEVEL, static_cast<WPARAM>(i), level);
        indexes.push_back(i);
    }
    return indexes;
}

void AddFlat(HWND tree, int n) {
    char text[32];
    for (int i = 0; i < n; ++i) {
        wsprintfA(text, "Item %d", i);
        Send(tree, LUMTREEM_ADDITEM, 0, Ptr(text));
    }
}

int Pixels::Count(const RECT &rc, COLORREF colour) const {
    int n = 0;
    for (int y = rc.top; y < rc.bottom; ++y) {
        for (int x = rc.left; x < rc.right; ++x) n += At(x, y) == colour;
    }
    return n;
}

namespace {

// A 32-bit top-down DIB section selected into a memory DC.
struct MemoryBitmap {
    HDC dc = nullptr;
    HBITMAP bitmap = nullptr;
    HGDIOBJ old = nullptr;
    DWORD *bits = nullptr;
    MemoryBitmap(int width, int height) {
        BITMAPINFO bi{};
        bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
        bi.bmiHeader.biWidth = width;
        bi.bmiHeader.biHeight = -height;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        bi.bmiHeader.biCompression = BI_RGB;
        dc = CreateCompatibleDC(nullptr);
        void *p = nullptr;
        bitmap = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &p, nullptr, 0);
        bits = static_cast<DWORD *>(p);
        old = SelectObject(dc, bitmap);
    }
    ~MemoryBitmap() {
        SelectObject(dc, old);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
    Pixels Read(int width, int height) const {
        GdiFlush();
        Pixels px;
        px.width = width;
        px.height = height;
        px.bits.resize(static_cast<size_t>(width) * height);
        for (size_t i = 0; i < px.bits.size(); ++i) {
            DWORD v = bits[i];
            px.bits[i] = RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
        }
        return px;
    }
};

} // namespace

Pixels PrintClient(HWND w) {
    RECT rc;
    GetClientRect(w, &rc);
    MemoryBitmap mem(rc.right, rc.bottom);
    SendMessageA(w, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(mem.dc), PRF_CLIENT);
    return mem.Read(rc.right, rc.bottom);
}

Pixels Screen(HWND w) {
    UpdateWindow(w);
    Pump();
    RECT rc;
    GetClientRect(w, &rc);
    MemoryBitmap mem(rc.right, rc.bottom);
    HDC dc = GetDC(w);
    BitBlt(mem.dc, 0, 0, rc.right, rc.bottom, dc, 0, 0, SRCCOPY);
    ReleaseDC(w, dc);
    return mem.Read(rc.right, rc.bottom);
}

size_t HeapBytesInUse() {
    HANDLE heaps[64];
    DWORD n = GetProcessHeaps(64, heaps);
    size_t total = 0;
    for (DWORD h = 0; h < n && h < 64; ++h) {
        PROCESS_HEAP_ENTRY entry{};
        HeapLock(heaps[h]);
        while (HeapWalk(heaps[h], &entry)) {
            if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) total += entry.cbData;
        }
        HeapUnlock(heaps[h]);
    }
    return total;
}

Modifiers::Modifiers(bool shift, bool ctrl) {
    GetKeyboardState(saved_);
    BYTE state[256];
    std::memcpy(state, saved_, sizeof(state));
    state[VK_SHIFT] = shift ? 0x80 : 0;
    state[VK_CONTROL] = ctrl ? 0x80 : 0;
    SetKeyboardState(state);
}

Modifiers::~Modifiers() {
    SetKeyboardState(saved_);
}

} // namespace lt
