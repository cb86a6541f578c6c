// Guards for GDI objects and device-context state. Every object a routine creates is owned by
// one of these guards, so it is deleted on every way out of the routine, and every selection or
// colour change of a DC is undone in reverse order of the guards' construction.
#pragma once

#include <windows.h>

#include <utility>

namespace gdi {

// Every GDI object and memory DC the control makes passes through one of these (frame/heap.cpp):
// the delivered library hands it back unchanged; the library the tests link can make the n-th
// one fail (deleting it and answering null) to reach the paths of a full GDI heap.
HGDIOBJ AdmitObject(HGDIOBJ made);
HDC AdmitDC(HDC made);

// Objects and DCs made through these guards and not yet deleted. Only the tests read it: a
// paint must leave it where it found it.
inline int liveObjects = 0;

// An owned GDI object (brush, pen, font, bitmap, region), deleted at the end of its scope.
template <class Handle> class Owned {
public:
    Owned() = default;
    explicit Owned(Handle handle) : handle_(static_cast<Handle>(AdmitObject(handle))) {
        if (handle_) ++liveObjects;
    }
    Owned(const Owned &) = delete;
    Owned &operator=(const Owned &) = delete;
    Owned(Owned &&other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
    Owned &operator=(Owned &&other) noexcept {
        if (this != &other) {
            Reset();
            handle_ = std::exchange(other.handle_, nullptr);
        }
        return *this;
    }
    ~Owned() { Reset(); }

    void Reset() {
        if (!handle_) return;
        DeleteObject(handle_);
        --liveObjects;
        handle_ = nullptr;
    }
    Handle get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }

private:
    Handle handle_ = nullptr;
};

using Brush = Owned<HBRUSH>;
using Pen = Owned<HPEN>;
using Font = Owned<HFONT>;
using Bitmap = Owned<HBITMAP>;
using Region = Owned<HRGN>;

inline Brush SolidBrush(COLORREF colour) {
    return Brush(CreateSolidBrush(colour));
}

// A memory DC made with CreateCompatibleDC, deleted at the end of its scope.
class MemoryDC {
public:
    explicit MemoryDC(HDC compatibleWith) : dc_(AdmitDC(CreateCompatibleDC(compatibleWith))) {
        if (dc_) ++liveObjects;
    }
    MemoryDC(const MemoryDC &) = delete;
    MemoryDC &operator=(const MemoryDC &) = delete;
    ~MemoryDC() {
        if (!dc_) return;
        DeleteDC(dc_);
        --liveObjects;
    }
    HDC get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }

private:
    HDC dc_;
};

// GetDC of a window, released at the end of its scope; a null window gets no DC.
class WindowDC {
public:
    explicit WindowDC(HWND window) : window_(window), dc_(window ? GetDC(window) : nullptr) {}
    WindowDC(const WindowDC &) = delete;
    WindowDC &operator=(const WindowDC &) = delete;
    ~WindowDC() {
        if (dc_) ReleaseDC(window_, dc_);
    }
    HDC get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

// Selects an object into a DC and selects the previous one back at the end of its scope.
// A null object selects nothing.
class Select {
public:
    Select(HDC dc, HGDIOBJ object) : dc_(dc), old_(object ? SelectObject(dc, object) : nullptr) {}
    Select(const Select &) = delete;
    Select &operator=(const Select &) = delete;
    ~Select() {
        if (old_) SelectObject(dc_, old_);
    }

private:
    HDC dc_;
    HGDIOBJ old_;
};

// Sets a piece of DC state and restores the previous value at the end of its scope.
template <class Value, Value (*Get)(HDC), Value(WINAPI *Set)(HDC, Value)> class Keep {
public:
    explicit Keep(HDC dc) : dc_(dc), old_(Get(dc)) {}
    Keep(HDC dc, Value value) : dc_(dc), old_(Set(dc, value)) {}
    Keep(const Keep &) = delete;
    Keep &operator=(const Keep &) = delete;
    ~Keep() { Set(dc_, old_); }

private:
    HDC dc_;
    Value old_;
};

inline COLORREF TextColorOf(HDC dc) {
    return GetTextColor(dc);
}
inline COLORREF BkColorOf(HDC dc) {
    return GetBkColor(dc);
}
inline int BkModeOf(HDC dc) {
    return GetBkMode(dc);
}
inline UINT TextAlignOf(HDC dc) {
    return GetTextAlign(dc);
}

using KeepTextColor = Keep<COLORREF, TextColorOf, SetTextColor>;
using KeepBkColor = Keep<COLORREF, BkColorOf, SetBkColor>;
using KeepBkMode = Keep<int, BkModeOf, SetBkMode>;
using KeepTextAlign = Keep<UINT, TextAlignOf, SetTextAlign>;

// Clips a DC further to one rectangle (inside whatever clip region it has); the DC's own clip
// region (or none) is put back at the end of the scope.
class ClipTo {
public:
    ClipTo(HDC dc, const RECT &rect) : dc_(dc), saved_(CreateRectRgn(0, 0, 0, 0)) {
        if (saved_ && GetClipRgn(dc_, saved_.get()) != 1) saved_.Reset();
        Region clip(CreateRectRgnIndirect(&rect));
        ExtSelectClipRgn(dc_, clip.get(), RGN_AND);
    }
    ClipTo(const ClipTo &) = delete;
    ClipTo &operator=(const ClipTo &) = delete;
    ~ClipTo() { SelectClipRgn(dc_, saved_.get()); }

private:
    HDC dc_;
    Region saved_;
};

} // namespace gdi
