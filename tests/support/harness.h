// Test harness: a parent window that records every WM_COMMAND it receives, helpers that create
// controls and send them messages as an application would, and pixel capture.
#pragma once

#include "doctest.h"
#include "lumtree/lumtree.h"

#include <functional>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

namespace lt {

inline constexpr DWORD kChildStyle = WS_CHILD | WS_VISIBLE;
inline constexpr DWORD kNotifyStyle = kChildStyle | LUMTREESTYLE_NOTIFY;
using Codes = std::vector<int>;

// One WM_COMMAND as the parent received it: HIWORD(wParam), LOWORD(wParam), lParam.
struct Notification {
    int code, id;
    HWND from;
};

// A visible top-level window that parents the controls under test. It records every
// WM_COMMAND; `onMessage` lets a test answer any message first (return true when handled).
class Parent {
public:
    explicit Parent(int width = 420, int height = 320);
    ~Parent();
    Parent(const Parent &) = delete;
    Parent &operator=(const Parent &) = delete;

    HWND hwnd() const { return window_; }
    // Creates a control of the library's class as a child of this window.
    HWND Tree(DWORD style = kNotifyStyle, int x = 0, int y = 0, int width = 200, int height = 200,
              int id = 100);
    const std::vector<Notification> &Notes() const { return notes_; }
    // The codes received, in order; with a window, only those sent by it.
    std::vector<int> Codes(HWND from = nullptr) const;
    void Clear() { notes_.clear(); }

    std::function<bool(UINT msg, WPARAM wp, LPARAM lp, LRESULT *result)> onMessage;

private:
    static LRESULT CALLBACK Proc(HWND, UINT, WPARAM, LPARAM);
    HWND window_ = nullptr;
    std::vector<Notification> notes_;
};

inline LRESULT Send(HWND w, UINT msg, WPARAM wp = 0, LPARAM lp = 0) {
    return SendMessageA(w, msg, wp, lp);
}
// The result of a private message, whole: on x64 a 32-bit result must arrive sign-extended
// (-1 stays -1, never 0xFFFFFFFF), and a comparison with an int sees the difference.
inline LRESULT SendI(HWND w, UINT msg, WPARAM wp = 0, LPARAM lp = 0) {
    return SendMessageA(w, msg, wp, lp);
}
template <class T> inline LPARAM Ptr(T *p) {
    return reinterpret_cast<LPARAM>(p);
}

// Dispatches every pending message of this thread.
void Pump();
// Appends items given as (text, level); returns their indexes.
std::vector<int> AddItems(HWND tree, std::initializer_list<std::pair<const char *, int>> items);
// Appends n items "Item 0", "Item 1", ... at level 0.
void AddFlat(HWND tree, int n);
// A visible child window placed in the control, as an in-place editor would be.
HWND PlaceEditor(HWND tree);
// The text of every item joined by spaces; with levels, each text is followed by its level and
// hidden items are in brackets; `suffix`, when given, adds its answer for each item.
std::string OutlineOf(HWND tree, bool levels = true, std::string (*suffix)(HWND, int) = nullptr);

// Pixels of a window's client area in COLORREF order (0x00BBGGRR).
struct Pixels {
    int width = 0, height = 0;
    std::vector<COLORREF> bits;
    COLORREF At(int x, int y) const { return bits[static_cast<size_t>(y) * width + x]; }
    // Number of pixels of a colour inside a rectangle.
    int Count(const RECT &rc, COLORREF colour) const {
        int n = 0;
        for (int y = rc.top; y < rc.bottom; ++y) {
            for (int x = rc.left; x < rc.right; ++x) n += At(x, y) == colour;
        }
        return n;
    }
};
// Paints the control into a memory bitmap through WM_PRINTCLIENT.
Pixels PrintClient(HWND w);

// Bytes in use on every heap of the process.
size_t HeapBytesInUse();
// Live GDI objects of the process: handles 1 to 0xFFFF that GetObjectType knows
// (GetGuiResources cannot count them under Wine).
int GdiObjectCount();

// Holds Shift and/or Ctrl down in this thread's keyboard state for its lifetime.
class Modifiers {
public:
    Modifiers(bool shift, bool ctrl);
    ~Modifiers() { SetKeyboardState(saved_); }

private:
    BYTE saved_[256];
};

} // namespace lt

// Code and index lists appear in failure messages as "{6, 5}".
template <> struct doctest::StringMaker<std::vector<int>> {
    static String convert(const std::vector<int> &values) {
        String out = "{";
        for (size_t i = 0; i < values.size(); ++i) out += (i ? ", " : "") + toString(values[i]);
        return out + "}";
    }
};
