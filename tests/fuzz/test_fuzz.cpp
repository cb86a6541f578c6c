// Random sequences of every private and standard message, with edge parameters, on controls of
// random styles, under a parent that changes the list when it is notified and callbacks that
// call back into the control. Every few operations the structure is checked through the
// public messages alone; a broken check prints the seed and the shortest sequence found that
// still breaks it.
//
// CI runs a bounded number of seeds. A long run by hand:
//   scripts/wine-run.sh build/x64/bin/fuzz_test_fuzz.exe --fuzz-seeds=1-2000 --fuzz-ops=500
// (--fuzz-seeds=A-B runs seeds A to B, --fuzz-ops=N operations per seed).
#include "../support/harness.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

using namespace lt;

namespace {

// ---- Deterministic randomness (splitmix64: the same numbers on every build) -----------------
struct Rng {
    uint64_t s;
    uint64_t Next() {
        uint64_t z = (s += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    uint64_t Below(uint64_t n) { return n ? Next() % n : 0; }
    bool Chance(int percent) { return Below(100) < static_cast<uint64_t>(percent); }
    template <class T, size_t N> const T &Pick(const T (&a)[N]) { return a[Below(N)]; }
};

// ---- Operations ----------------------------------------------------------------------------
enum Kind : uint16_t {
    kPrivate,  // a private message (or a number next to the range)
    kGrow,     // several items at random levels, as applications fill a list
    kKey,      // WM_KEYDOWN / WM_CHAR under a modifier state
    kMouse,    // presses, releases, double clicks and moves
    kWheel,    // WM_MOUSEWHEEL
    kScroll,   // WM_VSCROLL / WM_HSCROLL
    kSize,     // the window resized
    kFont,     // WM_SETFONT
    kRedraw,   // WM_SETREDRAW
    kFocus,    // focus to the control or away
    kTimer,    // WM_TIMER
    kPaint,    // WM_PAINT of a random part, or WM_PRINTCLIENT
    kShow,     // hidden/shown, disabled/enabled
    kStandard, // the other standard messages the control answers
    kKindCount
};

// One operation: its kind and words drawn when the sequence was made. Applying it draws only
// from its own words, so any subsequence replays on its own (the shrinker relies on it).
struct Op {
    Kind kind;
    uint64_t a, b, c;
};

// Values at the edges: resolved against the item count at the time of the operation.
int64_t EdgeValue(uint64_t pick, int count) {
    const uint64_t r = pick >> 8;
    switch (pick % 24) {
    case 0: return 0;
    case 1: return 1;
    case 2: return 2;
    case 3: return -1;
    case 4: return -2;
    case 5: return count - 1;
    case 6: return count;
    case 7: return count + 1;
    case 8:
    case 9:
    case 10:
    case 11: return count > 0 ? static_cast<int64_t>(r % static_cast<uint64_t>(count)) : 0;
    case 12: return 63 + static_cast<int64_t>(r % 4);
    case 13: return 0x7FFF;
    case 14: return 0x8000;
    case 15: return 0xFFFF;
    case 16: return 0x10000 + (count > 0 ? static_cast<int64_t>(r % count) : 0); // 16-bit wrap
    case 17: return INT_MAX;
    case 18: return INT_MIN;
    case 19: return UINT_MAX;
    case 20: return (int64_t{1} << 32) + (count > 0 ? static_cast<int64_t>(r % count) : 0);
    case 21: return -static_cast<int64_t>(r % 100000);
    case 22: return static_cast<int64_t>(r % 100000);
    default: return static_cast<int64_t>(r % 8);
    }
}

// Texts: null, empty, short, long, several lines.
std::string TextFor(uint64_t pick) {
    switch (pick % 8) {
    case 0: return "";
    case 1: return std::string(2000 + pick % 3000, static_cast<char>('a' + (pick >> 8) % 26));
    case 2: return "line one\r\nline two\nthree";
    case 3: return std::string(1, static_cast<char>('A' + (pick >> 8) % 26));
    default: {
        char text[32];
        std::snprintf(text, sizeof text, "%c%u", static_cast<char>('a' + (pick >> 8) % 26),
                      static_cast<unsigned>((pick >> 16) % 1000));
        return text;
    }
    }
}

// GDI objects the operations hand in: bitmaps of ordinary and extreme sizes, fonts, and
// handles that are not bitmaps or not objects at all.
struct Objects {
    HBITMAP bitmaps[5];
    HFONT fonts[5];
    HPEN pen;
    HBRUSH brush;
    Objects() {
        bitmaps[0] = CreateBitmap(16, 16, 1, 32, nullptr);
        bitmaps[1] = CreateBitmap(48, 12, 1, 1, nullptr);
        bitmaps[2] = CreateBitmap(1, 3000, 1, 1, nullptr);
        bitmaps[3] = CreateBitmap(5000, 1, 1, 1, nullptr);
        bitmaps[4] = CreateBitmap(1, 1, 1, 1, nullptr);
        fonts[0] = static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
        fonts[1] = CreateFontA(-1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, "Arial");
        fonts[2] = CreateFontA(-60, 0, 0, 0, FW_BOLD, 1, 1, 0, 0, 0, 0, 0, 0, "Arial");
        fonts[3] = CreateFontA(-3000, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, "Arial");
        fonts[4] = CreateFontA(-13, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, "Courier New");
        pen = CreatePen(PS_DOT, 1, RGB(200, 0, 0));
        brush = CreateSolidBrush(RGB(1, 2, 3));
    }
    ~Objects() {
        for (HBITMAP b : bitmaps) DeleteObject(b);
        for (int k = 1; k < 5; ++k) DeleteObject(fonts[k]);
        DeleteObject(pen);
        DeleteObject(brush);
    }
    HBITMAP Bitmap(uint64_t pick) const {
        switch (pick % 9) {
        case 5: return nullptr;
        case 6: return reinterpret_cast<HBITMAP>(fonts[2]);          // an object, not a bitmap
        case 7: return reinterpret_cast<HBITMAP>(uintptr_t{0x1234}); // not an object
        case 8: return bitmaps[pick / 9 % 5];
        default: return bitmaps[pick % 5];
        }
    }
    HFONT Font(uint64_t pick) const {
        if (pick % 7 == 5) return nullptr;
        if (pick % 7 == 6) return reinterpret_cast<HFONT>(bitmaps[0]);
        return fonts[pick % 7 % 5];
    }
};
const Objects &Pool() {
    static Objects objects;
    return objects;
}

// ---- The run of one sequence ------------------------------------------------------------------
// The messages a check sends go through a query routine, so that a test can make the control
// seem to answer wrongly and see the checks fail.
using Query = LRESULT (*)(HWND, UINT, WPARAM, LPARAM);
LRESULT RealQuery(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    return SendMessageA(w, m, wp, lp);
}

struct Run;
Run *g_run = nullptr; // the run the callbacks belong to

struct Run {
    uint64_t seed;
    Query query;
    Parent parent{460, 360};
    HWND tree = nullptr;
    DWORD style = 0;
    Rng react;     // the parent's and the callbacks' own choices
    int depth = 0; // reactions inside reactions
    bool redraw = true;
    bool rangeMayLag = false; // a vertical scroll request not yet ended with SB_ENDSCROLL
    std::string failure;

    Run(uint64_t seed_, Query q) : seed(seed_), query(q), react{seed_ * 7919 + 1} {
        Rng r{seed};
        static const DWORD kStyles[] = {0,
                                        LUMTREESTYLE_NOTIFY,
                                        LUMTREESTYLE_MULTIPLESEL | LUMTREESTYLE_NOTIFY,
                                        LUMTREESTYLE_MULTIPLESEL,
                                        LUMTREESTYLE_WANTKEYBOARDINPUT | LUMTREESTYLE_NOTIFY,
                                        LUMTREESTYLE_DISABLENOSCROLL | WS_VSCROLL | WS_HSCROLL,
                                        LUMTREESTYLE_SCROLL | WS_VSCROLL,
                                        LUMTREESTYLE_DRAGDROP | LUMTREESTYLE_NOTIFY,
                                        LUMTREESTYLE_LEFTBUTTONONLY | LUMTREESTYLE_MULTIPLESEL};
        style = kChildStyle | r.Pick(kStyles);
        if (r.Chance(50)) style |= r.Pick(kStyles);
        tree = parent.Tree(style, 5, 5, 100 + static_cast<int>(r.Below(300)),
                           20 + static_cast<int>(r.Below(300)));
        g_run = this;
        parent.onMessage = [this](UINT m, WPARAM wp, LPARAM lp, LRESULT *result) {
            return OnParent(m, wp, lp, result);
        };
        if (r.Chance(70)) {
            TreeDeleteCallback d{&DeleteCallback, 5};
            Send(tree, LUMTREEM_SETDELETECALLBACK, 0, Ptr(&d));
        }
        if (r.Chance(50)) {
            TreeDrawCallback d{&DrawCallback, 7};
            Send(tree, LUMTREEM_SETDRAWCALLBACK, 0, Ptr(&d));
        }
    }
    ~Run() {
        parent.onMessage = nullptr;
        DestroyWindow(tree);
        g_run = nullptr;
    }

    int Count() const { return static_cast<int>(SendMessageA(tree, LUMTREEM_GETCOUNT, 0, 0)); }

    // ---- The parent: it changes the list when it is told about changes ----
    bool OnParent(UINT m, WPARAM wp, LPARAM lp, LRESULT *result) {
        if (m == WM_VKEYTOITEM) {
            static const LRESULT kAnswers[] = {-1, -1, -2, 0, 1, 5, INT_MAX};
            *result = react.Pick(kAnswers);
            return true;
        }
        if (m == WM_CTLCOLORLISTBOX && react.Chance(30)) {
            *result = react.Chance(50) ? reinterpret_cast<LRESULT>(Pool().brush) : 0x4321;
            return true;
        }
        if (m != WM_COMMAND || reinterpret_cast<HWND>(lp) != tree || depth > 1) return false;
        const int code = HIWORD(wp);
        if (code == LUMTREEN_ENDEDIT || code == LUMTREEN_QUERYENDEDIT || !react.Chance(12)) {
            return false;
        }
        ++depth;
        const int n = Count();
        const WPARAM any = static_cast<WPARAM>(n > 0 ? react.Below(n) : 0);
        switch (react.Below(9)) {
        case 0: Send(tree, LUMTREEM_DELETEITEM, Send(tree, LUMTREEM_GETCARET)); break;
        case 1: Send(tree, LUMTREEM_DELETEITEM, any); break;
        case 2: Send(tree, LUMTREEM_MOVEITEM, any, static_cast<LPARAM>(react.Below(n + 2))); break;
        case 3: Send(tree, LUMTREEM_SETSELECTION, any); break;
        case 4: Send(tree, LUMTREEM_SELECTITEM, 1, static_cast<LPARAM>(any)); break;
        case 5:
            if (react.Chance(25)) Send(tree, LUMTREEM_DELETEALL);
            break;
        case 6: Send(tree, LUMTREEM_EXPAND, any, MAKELPARAM(react.Below(2), react.Below(2))); break;
        case 7: Send(tree, LUMTREEM_SETTOPINDEX, any); break;
        default: Send(tree, LUMTREEM_ADDITEM, 0, Ptr("from the parent")); break;
        }
        --depth;
        return false;
    }

    // ---- Callbacks that call back into the control ----
    static INT CALLBACK DeleteCallback(HWND w, INT index, DWORD_PTR, DWORD_PTR) {
        static char text[8192];
        SendMessageA(w, LUMTREEM_GETCOUNT, 0, 0);
        SendMessageA(w, LUMTREEM_GETLEVEL, static_cast<WPARAM>(index), 0);
        const LRESULT length =
            SendMessageA(w, LUMTREEM_GETTEXTLENGTH, static_cast<WPARAM>(index), 0);
        if (length >= 0 && length < LRESULT{sizeof text}) {
            SendMessageA(w, LUMTREEM_GETTEXT, static_cast<WPARAM>(index), Ptr(text));
        }
        SendMessageA(w, LUMTREEM_ISSELECTED, static_cast<WPARAM>(index), 0);
        return 0;
    }
    static INT CALLBACK DrawCallback(HWND w, RowDrawInfo *info, DWORD_PTR) {
        RECT rc;
        SendMessageA(w, LUMTREEM_GETITEMRECT, static_cast<WPARAM>(info->index), Ptr(&rc));
        SendMessageA(w, LUMTREEM_GETTEXTLENGTH, static_cast<WPARAM>(info->index), 0);
        if (!g_run) return 0;
        Rng &r = g_run->react;
        static LPSTR texts[64];
        static char other[] = "drawn by the callback";
        switch (r.Below(8)) {
        case 0: info->font = Pool().Font(r.Next()); break;
        case 1: info->itemBitmap = info->nodeBitmap = Pool().Bitmap(r.Next()); break;
        case 2: info->linePen = r.Chance(50) ? Pool().pen : reinterpret_cast<HPEN>(0x77); break;
        case 3: info->enabled = !info->enabled; break;
        case 4:
            if (info->columnCount <= 64) {
                for (int c = 0; c < info->columnCount; ++c) texts[c] = c % 2 ? nullptr : other;
                info->texts = texts;
            }
            break;
        case 5: info->backColor = info->cellBackColor = static_cast<COLORREF>(r.Next()); break;
        default: break;
        }
        return 0;
    }
    static INT CALLBACK TextCompare(HWND w, LPCSTR a, LPCSTR b) {
        SendMessageA(w, LUMTREEM_GETCOUNT, 0, 0);
        if (g_run && g_run->react.Chance(2)) {
            SendMessageA(w, LUMTREEM_DELETEITEM, 0, 0); // the list changes under the sort
        }
        if (g_run && g_run->react.Chance(10)) return static_cast<INT>(g_run->react.Below(3)) - 1;
        return lstrcmpA(a ? a : "", b ? b : "");
    }
    static INT CALLBACK ItemCompare(HWND w, LPCSTR a, LPCSTR b, DWORD_PTR d1, DWORD_PTR d2) {
        if (d1 != d2) return d1 < d2 ? -1 : 1;
        return TextCompare(w, a, b);
    }

    // ---- Applying operations ----
    void Apply(const Op &op);
    void ApplyPrivate(const Op &op);
    void ApplyStandard(const Op &op);

    // ---- The checks ----
    LRESULT Q(UINT m, WPARAM wp = 0, LPARAM lp = 0) const { return query(tree, m, wp, lp); }
    void Fail(const std::string &what) {
        if (failure.empty()) failure = what;
    }
    void Check();
};

// Fields of attribute requests: a colour or automatic; the version or another number.
COLORREF AnyColour(Rng &r) {
    return r.Chance(50) ? LUMTREE_AUTOCOLOR : static_cast<COLORREF>(r.Next());
}
DWORD AnyVersion(Rng &r) {
    return r.Chance(80) ? LUMTREE_ATTRVERSION : static_cast<DWORD>(r.Below(4));
}

// A buffer with a guard after its end: the control must not write past what it was given.
struct Guarded {
    std::vector<char> bytes;
    size_t size;
    explicit Guarded(size_t n) : bytes(n + 16, '\x5A'), size(n) {}
    char *data() { return bytes.data(); }
    bool Intact() const {
        for (size_t k = size; k < bytes.size(); ++k) {
            if (bytes[k] != '\x5A') return false;
        }
        return true;
    }
};

void Run::ApplyPrivate(const Op &op) {
    const int n = Count();
    // Message numbers: the private range and one number on each side of it.
    const UINT msg = static_cast<UINT>(WM_USER + 4 + op.a % 188);
    const int64_t wv = EdgeValue(op.b, n), lv = EdgeValue(op.c, n);
    const auto wp = static_cast<WPARAM>(wv);
    const auto lpValue = static_cast<LPARAM>(lv);
    const bool nullPointer = (op.c >> 40) % 8 == 0;
    const uint64_t extra = op.c >> 20;
    std::string text = TextFor(op.c >> 12);
    auto textOrNull = [&]() { return nullPointer ? 0 : Ptr(text.c_str()); };

    switch (msg) {
    case LUMTREEM_ADDITEM:
    case LUMTREEM_INSERTITEM:
    case LUMTREEM_SETTEXT:
    case LUMTREEM_SETCOLUMNTITLE:
    case LUMTREEM_FINDPREFIX:
    case LUMTREEM_FINDTEXT:
    case LUMTREEM_SETCORNERTEXT:
    case LUMTREEM_SETLABELTEXT: Send(tree, msg, wp, textOrNull()); return;
    case LUMTREEM_GETTEXT:
    case LUMTREEM_GETLABELTEXT: {
        // Exactly length + 1 bytes, as the messages require.
        const UINT lengthMsg =
            msg == LUMTREEM_GETTEXT ? LUMTREEM_GETTEXTLENGTH : LUMTREEM_GETLABELTEXTLENGTH;
        const LRESULT length = Send(tree, lengthMsg, wp);
        Guarded buffer(static_cast<size_t>(length > 0 ? length + 1 : 1));
        const LRESULT got = Send(tree, msg, wp, nullPointer ? 0 : Ptr(buffer.data()));
        if (!buffer.Intact()) Fail("message " + std::to_string(msg) + " wrote past the buffer");
        if (!nullPointer && length >= 0 && got != length) {
            Fail("message " + std::to_string(msg) + " returned " + std::to_string(got) +
                 " for a text of length " + std::to_string(length));
        }
        return;
    }
    case LUMTREEM_GETCOLUMNTITLE:
    case LUMTREEM_GETCORNERTEXT: {
        // Short, exact and long buffers, or none.
        const size_t size = static_cast<size_t>(extra % 40);
        Guarded buffer(size);
        Send(tree, msg, size, nullPointer ? 0 : Ptr(buffer.data()));
        if (!buffer.Intact()) Fail("message " + std::to_string(msg) + " wrote past the buffer");
        return;
    }
    case LUMTREEM_GETITEMRECT:
    case LUMTREEM_GETCORNERRECT:
    case LUMTREEM_GETCOLUMNHEADERRECT:
    case LUMTREEM_GETLABELRECT: {
        RECT rc;
        Send(tree, msg, wp, nullPointer ? 0 : Ptr(&rc));
        return;
    }
    case LUMTREEM_GETSELITEMS: {
        // A buffer of n + 1 entries and a capacity at or below it.
        std::vector<INT> out(static_cast<size_t>(n) + 1 + 4, 0x5A5A5A5A);
        static const int64_t kCapacity[] = {-1, 0, 1, 2, INT_MIN};
        int64_t capacity = extra % 3 ? static_cast<int64_t>(extra % (n + 2)) : kCapacity[extra % 5];
        const LRESULT got =
            Send(tree, msg, static_cast<WPARAM>(capacity), nullPointer ? 0 : Ptr(out.data()));
        if (got > 0 && (got > capacity || out[static_cast<size_t>(n) + 1] != 0x5A5A5A5A)) {
            Fail("GETSELITEMS wrote " + std::to_string(got) + " entries for a capacity of " +
                 std::to_string(capacity));
        }
        return;
    }
    case LUMTREEM_SETSTATEBITMAPS:
    case LUMTREEM_SETNODEBITMAPS: {
        HBITMAP set[3] = {Pool().Bitmap(extra), Pool().Bitmap(extra >> 4),
                          Pool().Bitmap(extra >> 8)};
        Send(tree, msg, 0, nullPointer ? 0 : Ptr(set));
        return;
    }
    case LUMTREEM_SETBITMAP:
    case LUMTREEM_SETNODEBITMAP:
    case LUMTREEM_SETBUTTONSTRIP:
    case LUMTREEM_SETCORNERBITMAP:
        Send(tree, msg, wp, reinterpret_cast<LPARAM>(Pool().Bitmap(extra)));
        return;
    case LUMTREEM_SETHEADERFONT:
    case LUMTREEM_SETLABELFONT:
        Send(tree, msg, reinterpret_cast<WPARAM>(Pool().Font(extra)), lpValue & 1);
        return;
    case LUMTREEM_GETCOLUMNINFO:
    case LUMTREEM_GETCOLUMNS: {
        void *array = nullptr;
        const LRESULT count = Send(tree, msg, 0, nullPointer ? 0 : Ptr(&array));
        if (!array || count <= 0) return;
        // Read every record handed out.
        int sum = 0;
        for (LRESULT c = 0; c < count; ++c) {
            sum += msg == LUMTREEM_GETCOLUMNS ? static_cast<TreeColumn *>(array)[c].width
                                              : static_cast<TreeColumnInfo *>(array)[c].width;
        }
        if (sum == 0x7FFFFFF) Send(tree, LUMTREEM_GETCOUNT);
        return;
    }
    case LUMTREEM_SETCOLUMNINFO:
    case LUMTREEM_SETCOLUMNS: {
        Rng r{extra};
        int count = static_cast<int>(r.Below(6));
        if (r.Chance(5)) count = 40;
        if (r.Chance(5)) count = -1 - static_cast<int>(r.Below(3));
        std::vector<TreeColumnInfo> simple(static_cast<size_t>(count > 0 ? count : 1));
        std::vector<TreeColumn> full(simple.size());
        std::vector<std::string> titles(simple.size());
        for (size_t c = 0; c < simple.size(); ++c) {
            const int width = static_cast<int>(EdgeValue(r.Next(), 200));
            titles[c] = TextFor(r.Next());
            simple[c] = {width, static_cast<DWORD>(r.Below(16)), static_cast<DWORD>(r.Next()),
                         nullptr};
            full[c] = TreeColumn{};
            full[c].width = width;
            full[c].format = static_cast<DWORD>(r.Below(16));
            full[c].headerFlags = static_cast<DWORD>(r.Below(256));
            full[c].title = r.Chance(20) ? nullptr : titles[c].data();
            full[c].titleBuffer = reinterpret_cast<LPSTR>(r.Next()); // never read
            full[c].headerBitmap = Pool().Bitmap(r.Next());
            full[c].headerBitmapFlags = static_cast<WORD>(r.Below(4));
        }
        const LPARAM records = nullPointer                  ? 0
                               : msg == LUMTREEM_SETCOLUMNS ? Ptr(full.data())
                                                            : Ptr(simple.data());
        Send(tree, msg, static_cast<WPARAM>(count), records);
        return;
    }
    case LUMTREEM_SETDRAWCALLBACK: {
        TreeDrawCallback d{extra % 2 ? &DrawCallback : nullptr, extra};
        Send(tree, msg, 0, nullPointer ? 0 : Ptr(&d));
        return;
    }
    case LUMTREEM_SETDELETECALLBACK: {
        TreeDeleteCallback d{extra % 2 ? &DeleteCallback : nullptr, extra};
        Send(tree, msg, 0, nullPointer ? 0 : Ptr(&d));
        return;
    }
    case LUMTREEM_SORTCHILDREN:
        Send(tree, msg, wp, extra % 2 ? reinterpret_cast<LPARAM>(&TextCompare) : 0);
        return;
    case LUMTREEM_SORTCHILDRENCB:
        Send(tree, msg, wp, extra % 2 ? reinterpret_cast<LPARAM>(&ItemCompare) : 0);
        return;
    case LUMTREEM_SETCELLATTR:
    case LUMTREEM_GETCELLATTR: {
        Rng r{extra};
        TreeCellAttrRequest q{AnyVersion(r),
                              static_cast<INT>(EdgeValue(r.Next(), n)),
                              static_cast<INT>(EdgeValue(r.Next(), 3)),
                              {}};
        q.attr = {AnyColour(r),
                  AnyColour(r),
                  AnyColour(r),
                  AnyColour(r),
                  Pool().Font(r.Next()),
                  Pool().Bitmap(r.Next()),
                  static_cast<WORD>(r.Below(8))};
        Send(tree, msg, 0, nullPointer ? 0 : Ptr(&q));
        return;
    }
    case LUMTREEM_SETLABELATTR:
    case LUMTREEM_GETLABELATTR: {
        Rng r{extra};
        TreeLabelAttrRequest q{AnyVersion(r), static_cast<INT>(EdgeValue(r.Next(), n)), {}};
        q.attr = {AnyColour(r),
                  AnyColour(r),
                  AnyColour(r),
                  AnyColour(r),
                  Pool().Bitmap(r.Next()),
                  static_cast<WORD>(r.Below(8))};
        Send(tree, msg, 0, nullPointer ? 0 : Ptr(&q));
        return;
    }
    case LUMTREEM_GETCOLORS:
    case LUMTREEM_SETCOLORS: {
        Rng r{extra};
        COLORREF table[LUMTREE_COLORCOUNT + 1];
        for (COLORREF &c : table) c = r.Chance(40) ? LUMTREE_AUTOCOLOR : (r.Next() & 0xFFFFFF);
        table[LUMTREE_COLORCOUNT] = 0x5A5A5A5A;
        Send(tree, msg, 0, nullPointer ? 0 : Ptr(table));
        if (table[LUMTREE_COLORCOUNT] != 0x5A5A5A5A) Fail("GETCOLORS wrote past the table");
        return;
    }
    case LUMTREEM_GETCELLRECT: {
        INT column = static_cast<INT>(EdgeValue(extra, 3));
        Send(tree, msg, wp, nullPointer ? 0 : Ptr(&column));
        return;
    }
    case LUMTREEM_ITEMFROMPOINT:
    case LUMTREEM_ITEMORENDFROMPOINT: {
        POINT pt{static_cast<LONG>(EdgeValue(extra, 400)), static_cast<LONG>(lv)};
        Send(tree, msg, 0, nullPointer ? 0 : Ptr(&pt));
        return;
    }
    case LUMTREEM_GETDRAGINFO: {
        auto *info = reinterpret_cast<const TreeDragInfo *>(Send(tree, msg));
        if (info) {
            volatile INT x = info->cursorX + info->dragTarget;
            (void)x;
        }
        return;
    }
    case LUMTREEM_DELETEALL:
        // Rare, or the lists would stay short.
        if (extra % 8 == 0) Send(tree, msg);
        return;
    default:
        // Every other number takes plain values.
        Send(tree, msg, wp, lpValue);
        return;
    }
}

void Run::ApplyStandard(const Op &op) {
    Rng r{op.a};
    switch (r.Below(12)) {
    case 0: Send(tree, WM_CANCELMODE); break;
    case 1: Send(tree, WM_CAPTURECHANGED, 0, 0); break;
    case 2: {
        static const WPARAM kKeys[] = {VK_TAB, VK_RETURN, 'A'};
        MSG m{tree, WM_KEYDOWN, r.Pick(kKeys), 0, 0, {}};
        Send(tree, WM_GETDLGCODE, m.wParam, r.Chance(50) ? Ptr(&m) : 0);
        break;
    }
    case 3:
        Send(tree, WM_SETCURSOR, reinterpret_cast<WPARAM>(tree), MAKELPARAM(HTCLIENT, 0));
        break;
    case 4: Send(tree, WM_NCMOUSEMOVE, HTCLIENT, 0); break;
    case 5: Send(tree, RegisterWindowMessageA(LUMTREE_LOSTCURSORMSG)); break;
    case 6: Send(tree, WM_GETFONT); break;
    case 7: {
        HDC dc = GetDC(tree);
        Send(tree, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc));
        ReleaseDC(tree, dc);
        break;
    }
    case 8: Send(tree, WM_SYSCOLORCHANGE); break;
    case 9: Send(tree, WM_ENABLE, r.Below(2)); break;
    case 10: Send(tree, WM_COMMAND, MAKEWPARAM(77, 1), 0); break; // passed on to the parent
    default: Send(tree, WM_CHAR, static_cast<WPARAM>(r.Below(256)), 1); break;
    }
}

void Run::Apply(const Op &op) {
    Rng r{op.a ^ op.b};
    switch (op.kind) {
    case kPrivate: ApplyPrivate(op); break;
    case kGrow: {
        const int k = 1 + static_cast<int>(r.Below(12));
        for (int i = 0; i < k; ++i) {
            std::string text = TextFor(r.Next());
            const LRESULT at =
                r.Chance(70) ? Send(tree, LUMTREEM_ADDITEM, 0, Ptr(text.c_str()))
                             : Send(tree, LUMTREEM_INSERTITEM,
                                    static_cast<WPARAM>(r.Below(Count() + 1)), Ptr(text.c_str()));
            if (at < 0) continue;
            const LPARAM level = r.Chance(5) ? 70 + static_cast<LPARAM>(r.Below(100))
                                             : static_cast<LPARAM>(r.Below(5));
            Send(tree, LUMTREEM_SETLEVEL, static_cast<WPARAM>(at), level);
            if (r.Chance(20)) Send(tree, LUMTREEM_SETDATA, static_cast<WPARAM>(at), r.Below(4));
        }
        break;
    }
    case kKey: {
        static const WPARAM kKeys[] = {VK_UP,       VK_DOWN,     VK_LEFT,   VK_RIGHT, VK_HOME,
                                       VK_END,      VK_PRIOR,    VK_NEXT,   VK_SPACE, VK_ADD,
                                       VK_SUBTRACT, VK_MULTIPLY, VK_RETURN, VK_TAB,   VK_ESCAPE,
                                       VK_F8,       'A',         VK_DELETE};
        Modifiers held(r.Chance(30), r.Chance(30));
        const WPARAM key = r.Pick(kKeys);
        Send(tree, WM_KEYDOWN, key, 1);
        if (r.Chance(30)) Send(tree, WM_KEYUP, key, 0xC0000001);
        break;
    }
    case kMouse: {
        static const UINT kMsgs[] = {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK,
                                     WM_RBUTTONDOWN, WM_RBUTTONUP, WM_RBUTTONDBLCLK,
                                     WM_MOUSEMOVE,   WM_MOUSEMOVE, WM_MBUTTONDOWN};
        const UINT m = r.Pick(kMsgs);
        const auto x = static_cast<int16_t>(r.Chance(80) ? r.Below(420) : r.Next());
        const auto y = static_cast<int16_t>(r.Chance(80) ? r.Below(340) : r.Next());
        const WPARAM keys = r.Below(32) & (MK_LBUTTON | MK_RBUTTON | MK_SHIFT | MK_CONTROL);
        Send(tree, m, keys, MAKELPARAM(x, y));
        break;
    }
    case kWheel: {
        static const int kDeltas[] = {120, -120, 240, -360, 1, -1, 32767, -32768, 0};
        const WPARAM keys = r.Below(2) ? MK_CONTROL : 0;
        Send(tree, WM_MOUSEWHEEL, MAKEWPARAM(keys, r.Pick(kDeltas)), MAKELPARAM(50, 50));
        // The wheel scrolls by line requests that no SB_ENDSCROLL follows: a parent that
        // changed the list while one ran leaves the range behind until the next change.
        if (!keys) rangeMayLag = true;
        break;
    }
    case kScroll: {
        const UINT m = r.Chance(60) ? WM_VSCROLL : WM_HSCROLL;
        const WORD code = static_cast<WORD>(r.Below(10));
        const WORD pos = static_cast<WORD>(r.Chance(50) ? r.Below(Count() + 2) : r.Next());
        Send(tree, m, MAKEWPARAM(code, pos), 0);
        // A scroll bar ends every drag with SB_ENDSCROLL, which brings its range up to date;
        // until then the range may lag behind.
        const bool ended = r.Chance(80);
        if (ended) Send(tree, m, SB_ENDSCROLL, 0);
        if (m == WM_VSCROLL) rangeMayLag = !ended;
        break;
    }
    case kSize: {
        static const int kSizes[] = {0, 1, 2, 7, 13, 31, 50, 99, 200, 333, 640, 3000};
        SetWindowPos(tree, nullptr, 0, 0, r.Pick(kSizes), r.Pick(kSizes),
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        break;
    }
    case kFont:
        Send(tree, WM_SETFONT, reinterpret_cast<WPARAM>(Pool().Font(r.Next())), r.Below(2));
        break;
    case kRedraw:
        redraw = r.Chance(60);
        Send(tree, WM_SETREDRAW, redraw);
        break;
    case kFocus: SetFocus(r.Chance(60) ? tree : parent.hwnd()); break;
    case kTimer: Send(tree, WM_TIMER, r.Chance(80) ? 1 : static_cast<WPARAM>(r.Next()), 0); break;
    case kPaint:
        if (r.Chance(50)) {
            RECT rc{static_cast<LONG>(r.Below(300)), static_cast<LONG>(r.Below(300)), 0, 0};
            rc.right = rc.left + static_cast<LONG>(r.Below(300));
            rc.bottom = rc.top + static_cast<LONG>(r.Below(300));
            InvalidateRect(tree, r.Chance(30) ? nullptr : &rc, FALSE);
            UpdateWindow(tree);
        } else {
            // Into a small bitmap whatever the window's size.
            HDC dc = CreateCompatibleDC(nullptr);
            HBITMAP bitmap = CreateBitmap(64, 48, 1, 32, nullptr);
            HGDIOBJ old = SelectObject(dc, bitmap);
            Send(tree, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
            SelectObject(dc, old);
            DeleteObject(bitmap);
            DeleteDC(dc);
        }
        break;
    case kShow:
        if (r.Chance(50)) {
            ShowWindow(tree, r.Chance(70) ? SW_SHOW : SW_HIDE);
        } else {
            EnableWindow(tree, r.Chance(70));
        }
        break;
    default: ApplyStandard(op); break;
    }
}

// ---- The structure, seen through the public messages ----
void Run::Check() {
    const int n = static_cast<int>(Q(LUMTREEM_GETCOUNT));
    if (n < 0) return Fail("negative count");
    std::vector<int> level(static_cast<size_t>(n)), shown(static_cast<size_t>(n));
    auto at = [](std::vector<int> &v, int i) -> int & { return v[static_cast<size_t>(i)]; };
    const std::string where = " (count " + std::to_string(n) + ")";
    int shownCount = 0;
    for (int i = 0; i < n; ++i) {
        const auto w = static_cast<WPARAM>(i);
        at(level, i) = static_cast<int>(Q(LUMTREEM_GETLEVEL, w));
        at(shown, i) = static_cast<int>(Q(LUMTREEM_ISSHOWN, w));
        if (at(level, i) < 0 || at(level, i) > 64) {
            return Fail("item " + std::to_string(i) + " has level " + std::to_string(at(level, i)));
        }
        if (at(shown, i) != 0 && at(shown, i) != 1) return Fail("ISSHOWN not 0 or 1");
        if (at(level, i) == 0 && !at(shown, i)) {
            return Fail("level-0 item " + std::to_string(i) + " is hidden" + where);
        }
        shownCount += at(shown, i);
    }
    // Navigation answers against the flat list of levels.
    for (int i = 0; i < n; ++i) {
        const auto w = static_cast<WPARAM>(i);
        const int li = at(level, i);
        int parent = -1;
        for (int j = i - 1; j >= 0 && li > 0; --j) {
            if (at(level, j) < li) {
                parent = j;
                break;
            }
        }
        int next = -1, prev = -1, children = 0, descendants = 0, lastDescendant = -1;
        for (int j = i + 1; j < n && at(level, j) >= li; ++j) {
            if (at(level, j) == li) {
                next = j;
                break;
            }
        }
        for (int j = i - 1; j >= 0 && at(level, j) >= li; --j) {
            if (at(level, j) == li) {
                prev = j;
                break;
            }
        }
        for (int j = i + 1; j < n && at(level, j) > li; ++j) {
            ++descendants;
            children += at(level, j) == li + 1;
            lastDescendant = j;
        }
        const int firstChild = i + 1 < n && at(level, i + 1) > li ? i + 1 : -1;
        const bool expanded = at(shown, i) && firstChild >= 0 && at(shown, i + 1);
        struct Answer {
            const char *name;
            UINT msg;
            LPARAM lp;
            int expected;
        } answers[] = {
            {"GETPARENT", LUMTREEM_GETPARENT, 0, parent},
            {"GETSIBLING next", LUMTREEM_GETSIBLING, LUMTREESIBLING_NEXT, next},
            {"GETSIBLING previous", LUMTREEM_GETSIBLING, LUMTREESIBLING_PREVIOUS, prev},
            {"GETCHILD first", LUMTREEM_GETCHILD, LUMTREECHILD_FIRST, firstChild},
            {"GETCHILD last descendant", LUMTREEM_GETCHILD, LUMTREECHILD_LASTDESCENDANT,
             lastDescendant},
            {"GETCHILDCOUNT", LUMTREEM_GETCHILDCOUNT, 0, children},
            {"GETCHILDCOUNT all", LUMTREEM_GETCHILDCOUNT, 1, descendants},
            {"ISEXPANDED", LUMTREEM_ISEXPANDED, 0, expanded ? 1 : 0},
        };
        for (const Answer &a : answers) {
            const LRESULT got = Q(a.msg, w, a.lp);
            if (got != a.expected) {
                return Fail(std::string(a.name) + " of item " + std::to_string(i) + " is " +
                            std::to_string(got) + ", the levels say " + std::to_string(a.expected) +
                            where);
            }
        }
        // A shown item under a hidden parent is not checked: deleting an expanded item leaves
        // its displayed children in the list, and they may then follow the hidden items of a
        // collapsed earlier subtree (seed 1175 with 500 operations builds that).
        // Texts: the length and the text agree, and an exact buffer is enough.
        const LRESULT length = Q(LUMTREEM_GETTEXTLENGTH, w);
        if (length < 0) return Fail("GETTEXTLENGTH of a valid item is negative");
        Guarded buffer(static_cast<size_t>(length) + 1);
        if (Q(LUMTREEM_GETTEXT, w, Ptr(buffer.data())) != length || !buffer.Intact() ||
            std::strlen(buffer.data()) != static_cast<size_t>(length)) {
            return Fail("GETTEXT of item " + std::to_string(i) + " disagrees with its length");
        }
    }
    // Bad indexes answer with their failure values.
    for (WPARAM bad : {static_cast<WPARAM>(n), static_cast<WPARAM>(-1), WPARAM{0x7FFFFFFF}}) {
        if (Q(LUMTREEM_GETLEVEL, bad) != -1 || Q(LUMTREEM_GETPARENT, bad) != -1 ||
            Q(LUMTREEM_ISSELECTED, bad) != -1 || Q(LUMTREEM_GETTEXTLENGTH, bad) != -1) {
            return Fail("a bad index " + std::to_string(static_cast<INT>(bad)) + " got an answer" +
                        where);
        }
    }

    // Selection against the flags.
    const bool multi = (GetWindowLongA(tree, GWL_STYLE) & LUMTREESTYLE_MULTIPLESEL) != 0;
    std::vector<INT> selected;
    for (int i = 0; i < n; ++i) {
        const LRESULT s = Q(LUMTREEM_ISSELECTED, static_cast<WPARAM>(i));
        if (s != 0 && s != 1) return Fail("ISSELECTED not 0 or 1");
        if (s) selected.push_back(i);
    }
    if (multi) {
        if (Q(LUMTREEM_GETSELCOUNT) != static_cast<LRESULT>(selected.size())) {
            return Fail("GETSELCOUNT " + std::to_string(Q(LUMTREEM_GETSELCOUNT)) + " but " +
                        std::to_string(selected.size()) + " items are selected" + where);
        }
        std::vector<INT> out(selected.size() + 1, -7);
        const LRESULT got = Q(LUMTREEM_GETSELITEMS, out.size(), Ptr(out.data()));
        out.resize(static_cast<size_t>(got > 0 ? got : 0));
        if (!selected.empty() && out != selected)
            return Fail("GETSELITEMS disagrees with ISSELECTED");
        if (Q(LUMTREEM_GETSELECTION) != -1) return Fail("GETSELECTION in multiple selection");
    } else {
        const LRESULT sel = Q(LUMTREEM_GETSELECTION);
        if (sel < -1 || sel >= n) return Fail("selection " + std::to_string(sel) + where);
        const std::vector<INT> expected =
            sel >= 0 ? std::vector<INT>{static_cast<INT>(sel)} : std::vector<INT>{};
        if (selected != expected) {
            return Fail(std::to_string(selected.size()) + " items selected, selection " +
                        std::to_string(sel) + where);
        }
        if (Q(LUMTREEM_GETSELCOUNT) != -1) return Fail("GETSELCOUNT in single selection");
    }

    // Stored indexes in range.
    const LRESULT caret = Q(LUMTREEM_GETCARET), top = Q(LUMTREEM_GETTOPINDEX);
    if (n == 0 ? caret != 0 : (caret < 0 || caret >= n)) {
        return Fail("caret " + std::to_string(caret) + where);
    }
    if (n == 0 ? top != 0 : (top < 0 || top >= n || !at(shown, static_cast<int>(top)))) {
        return Fail("top index " + std::to_string(top) + " is not a shown item" + where);
    }
    const LRESULT drop = Q(LUMTREEM_GETDROPTARGET);
    if (drop < -1 || drop > n) return Fail("drop target " + std::to_string(drop) + where);
    TreeColumn *columns = nullptr;
    const LRESULT columnCount = Q(LUMTREEM_GETCOLUMNS, 0, Ptr(&columns));
    const LRESULT textColumn = Q(LUMTREEM_GETTEXTCOLUMN);
    if (columnCount < 1 || !columns || textColumn < 0 || textColumn >= columnCount) {
        return Fail("text column " + std::to_string(textColumn) + " of " +
                    std::to_string(columnCount) + " columns");
    }

    // Rows: page sizes against the item area, the rows in view against the shown items.
    const LRESULT rowHeight = Q(LUMTREEM_GETROWHEIGHT);
    const LRESULT pageRows = Q(LUMTREEM_GETPAGEROWS), fullRows = Q(LUMTREEM_GETFULLROWS);
    if (rowHeight < 1 || rowHeight % 2) return Fail("row height " + std::to_string(rowHeight));
    RECT client, bar{};
    GetClientRect(tree, &client);
    Q(LUMTREEM_GETCOLUMNHEADERRECT, static_cast<WPARAM>(-1), Ptr(&bar));
    const LONG areaTop = Q(LUMTREEM_ISHEADERSHOWN) ? bar.bottom : client.top;
    const LONG height = client.bottom - areaTop;
    const LRESULT wholeRows = height > 0 ? height / rowHeight : 0;
    const LRESULT partRows = height > 0 ? (height + rowHeight - 1) / rowHeight : 0;
    if (fullRows != (wholeRows > 1 ? wholeRows : 1) || pageRows != (partRows > 1 ? partRows : 1)) {
        return Fail("page rows " + std::to_string(pageRows) + "/" + std::to_string(fullRows) +
                    " for an item area " + std::to_string(height) + " high with rows of " +
                    std::to_string(rowHeight));
    }
    int topRow = 0;
    for (int i = 0; i < top && i < n; ++i) topRow += at(shown, i);
    if (n > 0 && height > 0) {
        RECT rc{};
        if (Q(LUMTREEM_GETITEMRECT, static_cast<WPARAM>(top), Ptr(&rc)) != 0 || rc.top != areaTop) {
            return Fail("the top item's rectangle starts at " + std::to_string(rc.top) +
                        ", the item area at " + std::to_string(areaTop));
        }
        int item = static_cast<int>(top);
        for (LRESULT k = 0; k < pageRows && areaTop + k * rowHeight < client.bottom; ++k) {
            POINT pt{0, static_cast<LONG>(areaTop + k * rowHeight)};
            const LRESULT got = Q(LUMTREEM_ITEMORENDFROMPOINT, 0, Ptr(&pt));
            if (got != (item < n ? item : n)) {
                return Fail("row " + std::to_string(k) + " shows item " + std::to_string(got) +
                            ", the shown flags say " + std::to_string(item < n ? item : n) + where);
            }
            do ++item;
            while (item < n && !at(shown, item));
        }
    }

    // The vertical scroll bar against the shown rows, while the control maintains it.
    const bool managed = !(style & LUMTREESTYLE_SCROLL) || (style & WS_VSCROLL);
    if (managed && redraw && !rangeMayLag && IsWindowVisible(tree)) {
        SCROLLINFO si{sizeof si, SIF_ALL, 0, 0, 0, 0, 0};
        if (GetScrollInfo(tree, SB_VERT, &si)) {
            const int pos = n ? topRow : 0;
            const int max = std::max<int>(pos + static_cast<int>(fullRows) - 1, shownCount - 1);
            if (si.nPos != pos || si.nMax != max || si.nPage != static_cast<UINT>(fullRows)) {
                return Fail("vertical bar " + std::to_string(si.nPos) + "/" +
                            std::to_string(si.nMax) + " page " + std::to_string(si.nPage) +
                            ", the rows say " + std::to_string(pos) + "/" + std::to_string(max) +
                            " page " + std::to_string(fullRows) + where);
            }
        }
    }
}

// ---- Sequences, running and shrinking ----------------------------------------------------------
std::vector<Op> MakeSequence(uint64_t seed, int length) {
    Rng r{seed ^ 0xA5A5A5A5ull};
    // Weights: private messages most, then filling, keys, the rest.
    static const int kWeights[kKindCount] = {50, 10, 8, 6, 2, 4, 2, 2, 2, 2, 1, 4, 2, 3};
    int total = 0;
    for (int w : kWeights) total += w;
    std::vector<Op> ops;
    for (int k = 0; k < length; ++k) {
        int pick = static_cast<int>(r.Below(static_cast<uint64_t>(total)));
        int kind = 0;
        while (pick >= kWeights[kind]) pick -= kWeights[kind++];
        ops.push_back(Op{static_cast<Kind>(kind), r.Next(), r.Next(), r.Next()});
    }
    return ops;
}

std::string Describe(const Op &op);

// --fuzz-trace: the replay of the shortest sequence prints every operation with what the
// control then reports.
bool g_trace = false;
bool g_traceWanted = false;
void TraceStep(Run &run, const Op &op) {
    SCROLLINFO si{sizeof si, SIF_ALL, 0, 0, 0, 0, 0};
    GetScrollInfo(run.tree, SB_VERT, &si);
    RECT rc;
    GetClientRect(run.tree, &rc);
    std::printf("%-70s count %d top %d caret %d rows %d/%d bar %d/%d page %u client %ldx%ld\n",
                Describe(op).c_str(), run.Count(),
                static_cast<int>(Send(run.tree, LUMTREEM_GETTOPINDEX)),
                static_cast<int>(Send(run.tree, LUMTREEM_GETCARET)),
                static_cast<int>(Send(run.tree, LUMTREEM_GETFULLROWS)),
                static_cast<int>(Send(run.tree, LUMTREEM_GETPAGEROWS)), si.nPos, si.nMax, si.nPage,
                rc.right, rc.bottom);
}

struct Outcome {
    std::string failure;
    size_t failedAfter = 0; // operations applied when the check broke
};

// Replays a sequence on a new control; checks after every `every` operations and at the end.
Outcome Replay(uint64_t seed, const std::vector<Op> &ops, int every, Query query) {
    Run run(seed, query);
    for (size_t k = 0; k < ops.size(); ++k) {
        run.Apply(ops[k]);
        if (g_trace) TraceStep(run, ops[k]);
        if (run.failure.empty() &&
            ((k + 1) % static_cast<size_t>(every) == 0 || k + 1 == ops.size())) {
            run.Check();
        }
        if (!run.failure.empty()) return {run.failure, k + 1};
    }
    return {};
}

// The shortest sequence found that still fails: cut after the failing operation, then drop
// chunks of halving size while the failure stays.
std::vector<Op> Shrink(uint64_t seed, std::vector<Op> ops, Query query) {
    Outcome first = Replay(seed, ops, 1, query);
    if (first.failure.empty()) return ops;
    ops.resize(first.failedAfter);
    for (size_t before = 0; before != ops.size();) {
        before = ops.size();
        for (size_t chunk = std::max<size_t>(ops.size() / 2, 1); chunk >= 1; chunk /= 2) {
            for (size_t start = 0; start + chunk <= ops.size();) {
                std::vector<Op> candidate(ops.begin(), ops.begin() + static_cast<ptrdiff_t>(start));
                candidate.insert(candidate.end(),
                                 ops.begin() + static_cast<ptrdiff_t>(start + chunk), ops.end());
                Outcome o = Replay(seed, candidate, 1, query);
                if (!o.failure.empty()) {
                    candidate.resize(o.failedAfter);
                    ops = candidate;
                } else {
                    start += chunk;
                }
            }
        }
    }
    return ops;
}

const char *const kKindNames[kKindCount] = {"private", "grow",  "key",  "mouse",   "wheel",
                                            "scroll",  "size",  "font", "redraw",  "focus",
                                            "timer",   "paint", "show", "standard"};

std::string Describe(const Op &op) {
    char line[160];
    if (op.kind == kPrivate) {
        std::snprintf(line, sizeof line, "message %u {0x%llx, 0x%llx, 0x%llx}",
                      static_cast<unsigned>(WM_USER + 4 + op.a % 188),
                      static_cast<unsigned long long>(op.a), static_cast<unsigned long long>(op.b),
                      static_cast<unsigned long long>(op.c));
    } else {
        std::snprintf(line, sizeof line, "%s {0x%llx, 0x%llx, 0x%llx}", kKindNames[op.kind],
                      static_cast<unsigned long long>(op.a), static_cast<unsigned long long>(op.b),
                      static_cast<unsigned long long>(op.c));
    }
    return line;
}

// Runs seeds [first, last] with `length` operations each; returns the report of the first
// failure (seed, message and the shrunk sequence), or an empty string.
std::string Fuzz(uint64_t first, uint64_t last, int length, Query query = RealQuery) {
    for (uint64_t seed = first; seed <= last; ++seed) {
        std::vector<Op> ops = MakeSequence(seed, length);
        Outcome o = Replay(seed, ops, 7, query);
        if (o.failure.empty()) continue;
        std::vector<Op> shortest = Shrink(seed, ops, query);
        g_trace = g_traceWanted;
        const Outcome again = Replay(seed, shortest, 1, query);
        g_trace = false;
        std::string report = "seed " + std::to_string(seed) + ": " + o.failure + "\n" +
                             "shortest sequence (" + std::to_string(shortest.size()) +
                             " operations): " + again.failure + "\n";
        for (const Op &op : shortest) report += "  " + Describe(op) + "\n";
        return report;
    }
    return {};
}

// --fuzz-seeds=A-B and --fuzz-ops=N from the command line.
struct Options {
    uint64_t first = 1, last = 16;
    int ops = 150;
    bool byHand = false;
};
Options ReadOptions() {
    Options o;
    for (int k = 1; k < __argc; ++k) {
        const char *arg = __argv[k];
        unsigned long long a = 0, b = 0;
        int n = 0;
        if (std::sscanf(arg, "--fuzz-seeds=%llu-%llu", &a, &b) == 2) {
            o.first = a;
            o.last = b;
            o.byHand = true;
        } else if (std::strcmp(arg, "--fuzz-trace") == 0) {
            g_traceWanted = true;
        } else if (std::sscanf(arg, "--fuzz-ops=%d", &n) == 1 && n > 0) {
            o.ops = n;
            o.byHand = true;
        }
    }
    return o;
}

// A control that answers one navigation query wrongly once the list has five items.
LRESULT LyingQuery(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    const LRESULT real = SendMessageA(w, m, wp, lp);
    if (m == LUMTREEM_GETPARENT && wp == 4 && SendMessageA(w, LUMTREEM_GETCOUNT, 0, 0) >= 5) {
        return real + 1;
    }
    return real;
}

} // namespace

TEST_CASE("random messages keep the structure whole") {
    const Options o = ReadOptions();
    LARGE_INTEGER f, a, b;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&a);
    const std::string report = Fuzz(o.first, o.last, o.ops);
    QueryPerformanceCounter(&b);
    if (o.byHand) {
        std::printf("fuzz: seeds %llu-%llu, %d operations each, %.1f s\n",
                    static_cast<unsigned long long>(o.first),
                    static_cast<unsigned long long>(o.last), o.ops,
                    double(b.QuadPart - a.QuadPart) / double(f.QuadPart));
    }
    INFO(report);
    CHECK(report.empty());
}

TEST_CASE("the checks fail on a wrong answer, and the failing sequence shrinks") {
    const std::string report = Fuzz(1, 40, 120, LyingQuery);
    REQUIRE(!report.empty());
    CHECK(report.find("GETPARENT of item 4") != std::string::npos);
    // Five items are enough to show the fault; the shrunk sequence keeps little more.
    const size_t lines = static_cast<size_t>(std::count(report.begin(), report.end(), '\n'));
    CHECK(lines - 2 <= 6);
}
