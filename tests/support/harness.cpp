#include "harness.h"

#include <cstring>

namespace lt {

Parent::Parent(int width, int height) {
    static const char *const kClass = [] {
        WNDCLASSA wc{};
        wc.lpfnWndProc = &Parent::Proc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        wc.lpszClassName = "LumTreeTestParent";
        RegisterClassA(&wc);
        return wc.lpszClassName;
    }();
    LumTree_RegisterApp(GetModuleHandleA(nullptr));
    window_ =
        CreateWindowExA(0, kClass, "LumTree test", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 20, 20,
                        width, height, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
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
    if (m == WM_COMMAND) self->notes_.push_back({HIWORD(wp), LOWORD(wp), HWND(lp)});
    LRESULT result = 0;
    if (self->onMessage && self->onMessage(m, wp, lp, &result)) return result;
    return m == WM_COMMAND ? 0 : DefWindowProcA(w, m, wp, lp);
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

HWND PlaceEditor(HWND tree) {
    return CreateWindowExA(0, "STATIC", "editor", WS_CHILD | WS_VISIBLE, 0, 0, 40, 12, tree,
                           reinterpret_cast<HMENU>(77), nullptr, nullptr);
}

std::string OutlineOf(HWND tree, bool levels, std::string (*suffix)(HWND, int)) {
    std::string out;
    for (int i = 0, n = SendI(tree, LUMTREEM_GETCOUNT); i < n; ++i) {
        char text[64] = "";
        SendI(tree, LUMTREEM_GETTEXT, static_cast<WPARAM>(i), Ptr(text));
        const bool shown = !levels || SendI(tree, LUMTREEM_ISSHOWN, static_cast<WPARAM>(i)) == 1;
        out.append(i ? " " : "").append(shown ? "" : "[").append(text);
        if (levels) out.append(std::to_string(SendI(tree, LUMTREEM_GETLEVEL, i)));
        if (suffix) out.append(suffix(tree, i));
        out.append(shown ? "" : "]");
    }
    return out;
}

// The control paints into a memory DC holding a 32-bit top-down DIB of its client size.
Pixels PrintClient(HWND w) {
    RECT rc;
    GetClientRect(w, &rc);
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof(bi.bmiHeader), rc.right, -rc.bottom, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    HDC dc = CreateCompatibleDC(nullptr);
    void *p = nullptr;
    HBITMAP bitmap = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &p, nullptr, 0);
    HGDIOBJ old = SelectObject(dc, bitmap);
    SendMessageA(w, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    GdiFlush();
    Pixels px{rc.right, rc.bottom, std::vector<COLORREF>(size_t(rc.right) * rc.bottom)};
    const auto *bits = static_cast<const DWORD *>(p);
    for (size_t i = 0; i < px.bits.size(); ++i) {
        px.bits[i] = RGB((bits[i] >> 16) & 0xFF, (bits[i] >> 8) & 0xFF, bits[i] & 0xFF);
    }
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    return px;
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

int GdiObjectCount() {
    int n = 0;
    for (uintptr_t h = 1; h <= 0xFFFF; ++h) n += GetObjectType(reinterpret_cast<HGDIOBJ>(h)) != 0;
    return n;
}

Modifiers::Modifiers(bool shift, bool ctrl) {
    GetKeyboardState(saved_);
    BYTE state[256];
    std::memcpy(state, saved_, sizeof(state));
    state[VK_SHIFT] = shift ? 0x80 : 0;
    state[VK_CONTROL] = ctrl ? 0x80 : 0;
    SetKeyboardState(state);
}

} // namespace lt
