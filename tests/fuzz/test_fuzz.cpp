// Random sequences of every private and standard message and the extension functions, with edge
// parameters, on controls of random styles, under a parent that changes the list when notified
// and callbacks that call back into the control. Every few operations the structure is checked
// through the public interface; a broken check prints the seed and the shortest failing sequence.
//
// CI runs a bounded number of seeds. A long run by hand:
//   scripts/wine-run.sh build/x64/bin/fuzz_test_fuzz.exe --fuzz-seeds=1-2000 --fuzz-ops=500
// (--fuzz-seeds=A-B runs seeds A to B, --fuzz-ops=N operations per seed, --fuzz-trace prints
// every operation of the shortest failing sequence with what the control then reports).
#include "../support/harness.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <type_traits>
#include <vector>

using namespace lt;

namespace {

// splitmix64: the same numbers on every build.
struct Rng {
    uint64_t s;
    uint64_t Next() {
        uint64_t z = (s += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    uint64_t Below(uint64_t n) { return n ? Next() % n : 0; }
    int Int(int n) { return static_cast<int>(Below(static_cast<uint64_t>(n > 0 ? n : 0))); }
    bool Chance(int percent) { return Below(100) < static_cast<uint64_t>(percent); }
    template <class T, size_t N> const T &Pick(const T (&a)[N]) { return a[Below(N)]; }
};

template <class T> std::string Piece(const T &v) {
    if constexpr (std::is_arithmetic_v<T>) {
        return std::to_string(v);
    } else {
        return std::string(v);
    }
}
template <class... A> std::string Cat(const A &...a) {
    std::string s;
    ((s += Piece(a)), ...);
    return s;
}

// Kinds of operation: a private message number (or one next to the range), items added at random
// levels, keys under modifiers, mouse, wheel, scroll requests, sizes, fonts, redraw, focus, timers,
// paints, hide/disable, other standard messages, the LumTreeEx_* functions.
// clang-format off
enum Kind : uint16_t { kPrivate, kGrow, kKey, kMouse, kWheel, kScroll, kSize, kFont, kRedraw, kFocus,
                       kTimer, kPaint, kShow, kStandard, kExtension, kKindCount };
const char *const kKindNames[kKindCount] = {"private", "grow", "key", "mouse", "wheel", "scroll",
    "size", "font", "redraw", "focus", "timer", "paint", "show", "standard", "extension"};
const int kWeights[kKindCount] = {50, 10, 8, 6, 2, 4, 2, 2, 2, 2, 1, 4, 2, 3, 4};
// The values operations pick from.
const DWORD kStyles[] = {0, LUMTREESTYLE_NOTIFY, LUMTREESTYLE_MULTIPLESEL | LUMTREESTYLE_NOTIFY,
    LUMTREESTYLE_MULTIPLESEL, LUMTREESTYLE_WANTKEYBOARDINPUT | LUMTREESTYLE_NOTIFY,
    LUMTREESTYLE_DISABLENOSCROLL | WS_VSCROLL | WS_HSCROLL, LUMTREESTYLE_SCROLL | WS_VSCROLL,
    LUMTREESTYLE_DRAGDROP | LUMTREESTYLE_NOTIFY, LUMTREESTYLE_LEFTBUTTONONLY | LUMTREESTYLE_MULTIPLESEL};
const WPARAM kKeys[] = {VK_UP, VK_DOWN, VK_LEFT, VK_RIGHT, VK_HOME, VK_END, VK_PRIOR, VK_NEXT,
    VK_SPACE, VK_ADD, VK_SUBTRACT, VK_MULTIPLY, VK_RETURN, VK_TAB, VK_ESCAPE, VK_F8, 'A', VK_DELETE};
const UINT kButtons[] = {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_RBUTTONDOWN,
    WM_RBUTTONUP, WM_RBUTTONDBLCLK, WM_MOUSEMOVE, WM_MOUSEMOVE, WM_MBUTTONDOWN};
const int kDeltas[] = {120, -120, 240, -360, 1, -1, 32767, -32768, 0};
const int kSizes[] = {0, 1, 2, 7, 13, 31, 50, 99, 200, 333, 640, 3000};
const INT kBars[] = {SB_HORZ, SB_VERT, SB_BOTH, SB_CTL, 7};
const LRESULT kVKeyAnswers[] = {-1, -1, -2, 0, 1, 5, INT_MAX};
const int64_t kCapacity[] = {-1, 0, 1, 2, INT_MIN};
struct Answer { const char *name; UINT msg; LPARAM lp; int expected; };
// clang-format on

// One operation draws only from its own words, so any subsequence replays on its own.
struct Op {
    Kind kind;
    uint64_t a, b, c;
};

// Values at the edges, resolved against the item count at the time of the operation.
int64_t EdgeValue(uint64_t pick, int count) {
    const int64_t any = count > 0 ? static_cast<int64_t>((pick >> 8) % count) : 0;
    const int64_t r = static_cast<int64_t>((pick >> 8) % 100000);
    // clang-format off
    const int64_t table[] = {0, 1, 2, -1, -2, count - 1, count, count + 1, any, any, any, any,
                             63 + r % 4, 0x7FFF, 0x8000, 0xFFFF, 0x10000 + any /* 16-bit wrap */,
                             INT_MAX, INT_MIN, UINT_MAX, (int64_t{1} << 32) + any, -r, r, r % 8};
    // clang-format on
    return table[pick % 24];
}

// Texts: empty, long, several lines, short.
std::string TextFor(uint64_t pick) {
    const char letter = static_cast<char>('a' + (pick >> 8) % 26);
    switch (pick % 8) {
    case 0: return "";
    case 1: return std::string(2000 + pick % 3000, letter);
    case 2: return "line one\r\nline two\nthree";
    case 3: return std::string(1, static_cast<char>(letter - 'a' + 'A'));
    default: return letter + std::to_string((pick >> 16) % 1000);
    }
}

// Bitmaps of ordinary and extreme sizes, fonts, and handles that are not bitmaps or not objects
// (kept for the life of the program).
struct Objects {
    HBITMAP bitmaps[5] = {CreateBitmap(16, 16, 1, 32, nullptr), CreateBitmap(48, 12, 1, 1, nullptr),
                          CreateBitmap(1, 3000, 1, 1, nullptr),
                          CreateBitmap(5000, 1, 1, 1, nullptr), CreateBitmap(1, 1, 1, 1, nullptr)};
    HFONT fonts[5] = {static_cast<HFONT>(GetStockObject(SYSTEM_FONT)), Font(-1, 0, "Arial"),
                      Font(-60, FW_BOLD, "Arial"), Font(-3000, 0, "Arial"),
                      Font(-13, 0, "Courier New")};
    HPEN pen = CreatePen(PS_DOT, 1, RGB(200, 0, 0));
    HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
    static HFONT Font(int height, int weight, const char *face) {
        return CreateFontA(height, 0, 0, 0, weight, weight != 0, weight != 0, 0, 0, 0, 0, 0, 0,
                           face);
    }
    HBITMAP Bitmap(uint64_t pick) const {
        switch (pick % 9) {
        case 5: return nullptr;
        case 6: return reinterpret_cast<HBITMAP>(fonts[2]);
        case 7: return reinterpret_cast<HBITMAP>(uintptr_t{0x1234});
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

// A buffer with a guard after its end: the control must not write past what it was given.
template <class T> struct Guarded {
    std::vector<T> items;
    size_t size;
    explicit Guarded(size_t n) : items(n + 4, T(0x5A)), size(n) {}
    T *data() { return items.data(); }
    bool Intact() const {
        return std::all_of(items.begin() + static_cast<ptrdiff_t>(size), items.end(),
                           [](T v) { return v == T(0x5A); });
    }
};

// The checks query through this routine, so that a test can make the control seem to lie.
using Query = LRESULT (*)(HWND, UINT, WPARAM, LPARAM);
LRESULT RealQuery(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    return SendMessageA(w, m, wp, lp);
}

struct Run;
Run *g_run = nullptr; // the run the callbacks belong to

// How a private message takes its arguments; numbers not listed take plain values.
// clang-format off
enum Shape { kPlain, kText, kGetText, kRecord, kSelItems, kBitmapSet, kBitmap, kFontArg, kGetArray,
             kSetColumns, kCallback, kSort, kCellAttr, kLabelAttr, kColors, kDragInfo, kDeleteAll };
const struct { UINT msg; Shape shape; } kShapes[] = {
    {LUMTREEM_ADDITEM, kText}, {LUMTREEM_INSERTITEM, kText}, {LUMTREEM_SETTEXT, kText},
    {LUMTREEM_SETCOLUMNTITLE, kText}, {LUMTREEM_FINDPREFIX, kText}, {LUMTREEM_FINDTEXT, kText},
    {LUMTREEM_SETCORNERTEXT, kText}, {LUMTREEM_SETLABELTEXT, kText},
    {LUMTREEM_GETTEXT, kGetText}, {LUMTREEM_GETLABELTEXT, kGetText},
    {LUMTREEM_GETCOLUMNTITLE, kGetText}, {LUMTREEM_GETCORNERTEXT, kGetText},
    {LUMTREEM_GETITEMRECT, kRecord}, {LUMTREEM_GETCORNERRECT, kRecord},
    {LUMTREEM_GETCOLUMNHEADERRECT, kRecord}, {LUMTREEM_GETLABELRECT, kRecord},
    {LUMTREEM_GETSELITEMS, kSelItems},
    {LUMTREEM_SETSTATEBITMAPS, kBitmapSet}, {LUMTREEM_SETNODEBITMAPS, kBitmapSet},
    {LUMTREEM_SETBITMAP, kBitmap}, {LUMTREEM_SETNODEBITMAP, kBitmap},
    {LUMTREEM_SETBUTTONSTRIP, kBitmap}, {LUMTREEM_SETCORNERBITMAP, kBitmap},
    {LUMTREEM_SETHEADERFONT, kFontArg}, {LUMTREEM_SETLABELFONT, kFontArg},
    {LUMTREEM_GETCOLUMNINFO, kGetArray}, {LUMTREEM_GETCOLUMNS, kGetArray},
    {LUMTREEM_SETCOLUMNINFO, kSetColumns}, {LUMTREEM_SETCOLUMNS, kSetColumns},
    {LUMTREEM_SETDRAWCALLBACK, kCallback}, {LUMTREEM_SETDELETECALLBACK, kCallback},
    {LUMTREEM_SORTCHILDREN, kSort}, {LUMTREEM_SORTCHILDRENCB, kSort},
    {LUMTREEM_SETCELLATTR, kCellAttr}, {LUMTREEM_GETCELLATTR, kCellAttr},
    {LUMTREEM_SETLABELATTR, kLabelAttr}, {LUMTREEM_GETLABELATTR, kLabelAttr},
    {LUMTREEM_GETCOLORS, kColors}, {LUMTREEM_SETCOLORS, kColors},
    {LUMTREEM_GETCELLRECT, kRecord}, {LUMTREEM_ITEMFROMPOINT, kRecord},
    {LUMTREEM_ITEMORENDFROMPOINT, kRecord}, {LUMTREEM_GETDRAGINFO, kDragInfo},
    {LUMTREEM_DELETEALL, kDeleteAll}};
// clang-format on
Shape ShapeOf(UINT msg) {
    for (const auto &s : kShapes) {
        if (s.msg == msg) return s.shape;
    }
    return kPlain;
}
UINT PrivateMessage(const Op &op) {
    return static_cast<UINT>(WM_USER + 4 + op.a % 188);
}

COLORREF AnyColour(Rng &r) {
    return r.Chance(50) ? LUMTREE_AUTOCOLOR : static_cast<COLORREF>(r.Next());
}
template <class Request> void FillAttr(Request &q, Rng &r, int n) {
    q.version = r.Chance(80) ? LUMTREE_ATTRVERSION : static_cast<DWORD>(r.Below(4));
    q.item = static_cast<INT>(EdgeValue(r.Next(), n));
    q.attr.backColor = AnyColour(r);
    q.attr.textColor = AnyColour(r);
    q.attr.selBackColor = AnyColour(r);
    q.attr.selTextColor = AnyColour(r);
    q.attr.bitmap = Pool().Bitmap(r.Next());
    q.attr.flags = static_cast<WORD>(r.Below(8));
    if constexpr (std::is_same_v<Request, TreeCellAttrRequest>) {
        q.column = static_cast<INT>(EdgeValue(r.Next(), 3));
        q.attr.font = Pool().Font(r.Next());
    }
}

struct Run {
    uint64_t seed;
    Query query;
    Parent parent{460, 360};
    HWND tree = nullptr;
    DWORD style = 0;
    Rng react;     // the parent's and the callbacks' own choices
    int depth = 0; // reactions inside reactions
    bool redraw = true;
    bool rangeMayLag = false; // a vertical range not yet brought up to date (see Apply)
    bool vertBarOff = false;  // vertical bar updates suspended by the application
    std::string failure;

    Run(uint64_t seed_, Query q) : seed(seed_), query(q), react{seed_ * 7919 + 1} {
        Rng r{seed};
        style = kChildStyle | r.Pick(kStyles);
        if (r.Chance(50)) style |= r.Pick(kStyles);
        tree = parent.Tree(style, 5, 5, 100 + r.Int(300), 20 + r.Int(300));
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
    int Count() const { return static_cast<int>(Send(tree, LUMTREEM_GETCOUNT)); }
    LRESULT Q(UINT m, WPARAM wp = 0, LPARAM lp = 0) const { return query(tree, m, wp, lp); }
    template <class... A> void Fail(const A &...a) {
        if (failure.empty()) failure = Cat(a...);
    }
    template <class... A> bool Want(bool ok, const A &...a) {
        if (!ok) Fail(a...);
        return ok;
    }

    // The parent changes the list when it is told about changes.
    bool OnParent(UINT m, WPARAM wp, LPARAM lp, LRESULT *result) {
        if (m == WM_VKEYTOITEM) {
            *result = react.Pick(kVKeyAnswers);
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
        const auto any = static_cast<WPARAM>(react.Int(n));
        switch (react.Below(9)) {
        case 0: Send(tree, LUMTREEM_DELETEITEM, Send(tree, LUMTREEM_GETCARET)); break;
        case 1: Send(tree, LUMTREEM_DELETEITEM, any); break;
        case 2: Send(tree, LUMTREEM_MOVEITEM, any, react.Int(n + 2)); break;
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

    // Callbacks that call back into the control.
    static INT CALLBACK DeleteCallback(HWND w, INT index, DWORD_PTR, DWORD_PTR) {
        static char text[8192];
        const auto i = static_cast<WPARAM>(index);
        Send(w, LUMTREEM_GETCOUNT);
        Send(w, LUMTREEM_GETLEVEL, i);
        const LRESULT length = Send(w, LUMTREEM_GETTEXTLENGTH, i);
        if (length >= 0 && length < LRESULT{sizeof text}) Send(w, LUMTREEM_GETTEXT, i, Ptr(text));
        Send(w, LUMTREEM_ISSELECTED, i);
        return 0;
    }
    static INT CALLBACK DrawCallback(HWND w, RowDrawInfo *info, DWORD_PTR) {
        RECT rc;
        Send(w, LUMTREEM_GETITEMRECT, static_cast<WPARAM>(info->index), Ptr(&rc));
        Send(w, LUMTREEM_GETTEXTLENGTH, static_cast<WPARAM>(info->index));
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
        Send(w, LUMTREEM_GETCOUNT);
        if (g_run && g_run->react.Chance(2)) Send(w, LUMTREEM_DELETEITEM, 0); // under the sort
        if (g_run && g_run->react.Chance(10)) return static_cast<INT>(g_run->react.Below(3)) - 1;
        return lstrcmpA(a ? a : "", b ? b : "");
    }
    static INT CALLBACK ItemCompare(HWND w, LPCSTR a, LPCSTR b, DWORD_PTR d1, DWORD_PTR d2) {
        return d1 != d2 ? (d1 < d2 ? -1 : 1) : TextCompare(w, a, b);
    }

    void Apply(const Op &op);
    void ApplyPrivate(const Op &op);
    void ApplyStandard(Rng &r);
    void ApplyExtension(Rng &r);
    void Check();
};

void Run::ApplyPrivate(const Op &op) {
    const int n = Count();
    const UINT msg = PrivateMessage(op);
    const auto wp = static_cast<WPARAM>(EdgeValue(op.b, n));
    const int64_t lv = EdgeValue(op.c, n);
    const bool nullPointer = (op.c >> 40) % 8 == 0;
    const uint64_t extra = op.c >> 20;
    const std::string text = TextFor(op.c >> 12), name = Cat("message ", msg);
    auto send = [&](LPARAM p, int64_t w) {
        return Send(tree, msg, static_cast<WPARAM>(w), nullPointer ? 0 : p);
    };
    Rng r{extra};
    auto sendAttr = [&](auto q) {
        FillAttr(q, r, n);
        return send(Ptr(&q), 0);
    };
    switch (ShapeOf(msg)) {
    case kPlain: Send(tree, msg, wp, static_cast<LPARAM>(lv)); break;
    case kText: send(Ptr(text.c_str()), wp); break;
    case kBitmap: Send(tree, msg, wp, reinterpret_cast<LPARAM>(Pool().Bitmap(extra))); break;
    case kFontArg: Send(tree, msg, reinterpret_cast<WPARAM>(Pool().Font(extra)), lv & 1); break;
    case kDeleteAll:
        if (extra % 8 == 0) Send(tree, msg); // rare, or the lists would stay short
        break;
    case kRecord: {
        // A RECT out, or a POINT / column number in.
        LONG record[4] = {static_cast<LONG>(EdgeValue(extra, 400)), static_cast<LONG>(lv), 0, 0};
        if (msg == LUMTREEM_GETCELLRECT) record[0] = static_cast<LONG>(EdgeValue(extra, 3));
        send(Ptr(record), wp);
        break;
    }
    case kGetText: {
        // Exactly length + 1 bytes where the messages require it, short buffers elsewhere.
        const UINT lengthMsg = msg == LUMTREEM_GETTEXT        ? LUMTREEM_GETTEXTLENGTH
                               : msg == LUMTREEM_GETLABELTEXT ? LUMTREEM_GETLABELTEXTLENGTH
                                                              : 0;
        const LRESULT length = lengthMsg ? Send(tree, lengthMsg, wp) : -1;
        Guarded<char> buffer(lengthMsg ? static_cast<size_t>(std::max<LRESULT>(length + 1, 1))
                                       : extra % 40);
        const LRESULT got = send(Ptr(buffer.data()), lengthMsg ? wp : buffer.size);
        if (!buffer.Intact()) Fail(name, " wrote past the buffer");
        if (!nullPointer && length >= 0 && got != length) {
            Fail(name, " returned ", got, " for a text of length ", length);
        }
        break;
    }
    case kSelItems: {
        // A capacity at or below the n + 1 entries given.
        const int64_t capacity =
            extra % 3 ? static_cast<int64_t>(extra % (n + 2)) : kCapacity[extra % 5];
        Guarded<INT> out(static_cast<size_t>(n) + 1);
        const LRESULT got = send(Ptr(out.data()), capacity);
        if (got > 0 && (got > capacity || !out.Intact())) {
            Fail("GETSELITEMS wrote ", got, " entries for a capacity of ", capacity);
        }
        break;
    }
    case kBitmapSet: {
        HBITMAP set[3] = {Pool().Bitmap(extra), Pool().Bitmap(extra >> 4),
                          Pool().Bitmap(extra >> 8)};
        send(Ptr(set), 0);
        break;
    }
    case kGetArray: {
        // Every record handed out is read.
        void *array = nullptr;
        const LRESULT count = send(Ptr(&array), 0);
        int sum = 0;
        for (LRESULT c = 0; array && c < count; ++c) {
            sum += msg == LUMTREEM_GETCOLUMNS ? static_cast<TreeColumn *>(array)[c].width
                                              : static_cast<TreeColumnInfo *>(array)[c].width;
        }
        if (sum == 0x7FFFFFF) Send(tree, LUMTREEM_GETCOUNT);
        break;
    }
    case kSetColumns: {
        int count = r.Chance(5) ? 40 : r.Int(6);
        if (r.Chance(5)) count = -1 - r.Int(3);
        const size_t size = static_cast<size_t>(std::max(count, 1));
        std::vector<TreeColumnInfo> simple(size);
        std::vector<TreeColumn> full(size);
        std::vector<std::string> titles(size);
        for (size_t c = 0; c < size; ++c) {
            const int width = static_cast<int>(EdgeValue(r.Next(), 200));
            const auto format = static_cast<DWORD>(r.Below(16));
            titles[c] = TextFor(r.Next());
            simple[c] = {width, format, static_cast<DWORD>(r.Next()), nullptr};
            const auto flags = static_cast<DWORD>(r.Below(256));
            LPSTR title = r.Chance(20) ? nullptr : titles[c].data();
            LPSTR buffer = reinterpret_cast<LPSTR>(r.Next()); // the control's own, never read
            full[c] = {0, 0, width, format, flags, title, buffer, Pool().Bitmap(r.Next()), 3};
        }
        send(msg == LUMTREEM_SETCOLUMNS ? Ptr(full.data()) : Ptr(simple.data()), count);
        break;
    }
    case kCallback: {
        TreeDrawCallback draw{extra % 2 ? &DrawCallback : nullptr, extra};
        TreeDeleteCallback erase{extra % 2 ? &DeleteCallback : nullptr, extra};
        send(msg == LUMTREEM_SETDRAWCALLBACK ? Ptr(&draw) : Ptr(&erase), 0);
        break;
    }
    case kSort:
        Send(tree, msg, wp,
             extra % 2 == 0                 ? 0
             : msg == LUMTREEM_SORTCHILDREN ? reinterpret_cast<LPARAM>(&TextCompare)
                                            : reinterpret_cast<LPARAM>(&ItemCompare));
        break;
    case kCellAttr: sendAttr(TreeCellAttrRequest{}); break;
    case kLabelAttr: sendAttr(TreeLabelAttrRequest{}); break;
    case kColors: {
        Guarded<COLORREF> table(LUMTREE_COLORCOUNT);
        for (size_t c = 0; c < table.size; ++c)
            table.items[c] = r.Chance(40) ? LUMTREE_AUTOCOLOR : (r.Next() & 0xFFFFFF);
        send(Ptr(table.data()), 0);
        if (!table.Intact()) Fail("GETCOLORS wrote past the table");
        break;
    }
    case kDragInfo:
        if (auto *info = reinterpret_cast<const TreeDragInfo *>(Send(tree, msg))) {
            volatile INT x = info->cursorX + info->dragTarget;
            (void)x;
        }
        break;
    }
}

void Run::ApplyStandard(Rng &r) {
    static const UINT kPlainMsgs[] = {WM_CANCELMODE, WM_CAPTURECHANGED, WM_GETFONT,
                                      WM_SYSCOLORCHANGE,
                                      RegisterWindowMessageA(LUMTREE_LOSTCURSORMSG)};
    static const WPARAM kKeys[] = {VK_TAB, VK_RETURN, 'A'};
    MSG m{tree, WM_KEYDOWN, r.Pick(kKeys), 0, 0, {}};
    HDC dc = GetDC(tree);
    switch (r.Below(9)) {
    case 0: Send(tree, WM_GETDLGCODE, m.wParam, r.Chance(50) ? Ptr(&m) : 0); break;
    case 1: Send(tree, WM_SETCURSOR, reinterpret_cast<WPARAM>(tree), HTCLIENT); break;
    case 2: Send(tree, WM_NCMOUSEMOVE, HTCLIENT, 0); break;
    case 3: Send(tree, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc)); break;
    case 4: Send(tree, WM_ENABLE, r.Below(2)); break;
    case 5: Send(tree, WM_COMMAND, MAKEWPARAM(77, 1), 0); break; // passed on to the parent
    case 6: Send(tree, WM_CHAR, r.Below(256), 1); break;
    default: Send(tree, r.Pick(kPlainMsgs)); break;
    }
    ReleaseDC(tree, dc);
}

// The extension functions, with the same edge values as the messages.
void Run::ApplyExtension(Rng &r) {
    const int n = Count();
    const auto index = static_cast<INT>(EdgeValue(r.Next(), n));
    const std::string text = TextFor(r.Next());
    const bool flag = r.Chance(50), other = r.Chance(50);
    const INT bar = r.Pick(kBars);
    switch (r.Below(7)) {
    case 0:
        LumTreeEx_InsertItem_DLL(
            tree, index, r.Chance(10) ? static_cast<INT>(EdgeValue(r.Next(), 70)) : r.Int(5),
            r.Chance(10) ? nullptr : text.c_str(), r.Below(4), static_cast<DWORD>(r.Next()));
        break;
    case 1:
        if (r.Chance(10)) LumTreeEx_DeleteAllItems_DLL(tree);
        break;
    case 2: LumTreeEx_SetItemKind(tree, index, static_cast<DWORD>(r.Next())); break;
    case 3: LumTreeEx_SetBoldCaretFont(tree, flag, other); break;
    case 4: LumTreeEx_SetItemTrack(tree, flag); break;
    case 5:
        LumTreeEx_EnableScrollBarUpdate(tree, bar, flag);
        // Suspended, the bar stands still; taken up again, it catches up at the next update.
        if (bar == SB_VERT || bar == SB_BOTH) {
            rangeMayLag |= vertBarOff && flag;
            vertBarOff = !flag;
        }
        break;
    default: {
        // Buffers of exactly the item count, or none; the count against the selection.
        Guarded<INT> indexes(static_cast<size_t>(n));
        Guarded<DWORD_PTR> datas(static_cast<size_t>(n));
        const bool withIndexes = r.Chance(80);
        const INT got =
            LumTreeEx_GetItemsEx(tree, flag, other, withIndexes ? indexes.data() : nullptr,
                                 r.Chance(50) ? datas.data() : nullptr);
        const LRESULT selCount = Send(tree, LUMTREEM_GETSELCOUNT);
        const LRESULT expected = !flag           ? n
                                 : selCount >= 0 ? selCount
                                                 : Send(tree, LUMTREEM_GETSELECTION) >= 0;
        const auto end = indexes.items.begin() + std::clamp(got, 0, n);
        if (got < 0 || got > n || !indexes.Intact() || !datas.Intact() ||
            (!other && got != expected) ||
            (withIndexes &&
             std::adjacent_find(indexes.items.begin(), end, std::greater_equal<INT>()) != end)) {
            Fail("GetItemsEx gave ", got, " of ", n, " items (", expected,
                 " expected), out of order or past a buffer");
        }
        break;
    }
    }
}

void Run::Apply(const Op &op) {
    Rng r{op.a ^ op.b};
    switch (op.kind) {
    case kPrivate: ApplyPrivate(op); break;
    case kGrow:
        for (int i = 0, k = 1 + r.Int(12); i < k; ++i) {
            const std::string text = TextFor(r.Next());
            const bool append = r.Chance(70);
            const LRESULT at =
                Send(tree, append ? LUMTREEM_ADDITEM : LUMTREEM_INSERTITEM,
                     append ? 0 : static_cast<WPARAM>(r.Int(Count() + 1)), Ptr(text.c_str()));
            if (at < 0) continue;
            Send(tree, LUMTREEM_SETLEVEL, static_cast<WPARAM>(at),
                 r.Chance(5) ? 70 + r.Int(100) : r.Int(5));
            if (r.Chance(20)) Send(tree, LUMTREEM_SETDATA, static_cast<WPARAM>(at), r.Int(4));
        }
        break;
    case kKey: {
        Modifiers held(r.Chance(30), r.Chance(30));
        const WPARAM key = r.Pick(kKeys);
        Send(tree, WM_KEYDOWN, key, 1);
        if (r.Chance(30)) Send(tree, WM_KEYUP, key, 0xC0000001);
        break;
    }
    case kMouse: {
        const auto x = static_cast<int16_t>(r.Chance(80) ? r.Below(420) : r.Next());
        const auto y = static_cast<int16_t>(r.Chance(80) ? r.Below(340) : r.Next());
        Send(tree, r.Pick(kButtons),
             r.Below(32) & (MK_LBUTTON | MK_RBUTTON | MK_SHIFT | MK_CONTROL), MAKELPARAM(x, y));
        break;
    }
    case kWheel: {
        const WPARAM keys = r.Below(2) ? MK_CONTROL : 0;
        Send(tree, WM_MOUSEWHEEL, MAKEWPARAM(keys, r.Pick(kDeltas)), MAKELPARAM(50, 50));
        // Line scrolls that no SB_ENDSCROLL follows: a parent that changed the list meanwhile
        // leaves the vertical range behind until the next change.
        rangeMayLag |= !keys;
        break;
    }
    case kScroll: {
        const UINT m = r.Chance(60) ? WM_VSCROLL : WM_HSCROLL;
        const auto pos = static_cast<WORD>(r.Chance(50) ? r.Below(Count() + 2) : r.Next());
        Send(tree, m, MAKEWPARAM(r.Below(10), pos), 0);
        // A bar ends every drag with SB_ENDSCROLL, which brings the range up to date.
        const bool ended = r.Chance(80);
        if (ended) Send(tree, m, SB_ENDSCROLL, 0);
        if (m == WM_VSCROLL) rangeMayLag = !ended;
        break;
    }
    case kSize:
        SetWindowPos(tree, nullptr, 0, 0, r.Pick(kSizes), r.Pick(kSizes),
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        break;
    case kFont:
        Send(tree, WM_SETFONT, reinterpret_cast<WPARAM>(Pool().Font(r.Next())), r.Below(2));
        break;
    case kRedraw: Send(tree, WM_SETREDRAW, redraw = r.Chance(60)); break;
    case kFocus: SetFocus(r.Chance(60) ? tree : parent.hwnd()); break;
    case kTimer: Send(tree, WM_TIMER, r.Chance(80) ? 1 : r.Next(), 0); break;
    case kPaint:
        if (r.Chance(50)) {
            RECT rc{r.Int(300), r.Int(300), 0, 0};
            rc.right = rc.left + r.Int(300);
            rc.bottom = rc.top + r.Int(300);
            InvalidateRect(tree, r.Chance(30) ? nullptr : &rc, FALSE);
            UpdateWindow(tree);
        } else {
            // Into a small bitmap whatever the window's size.
            HDC dc = CreateCompatibleDC(nullptr);
            HBITMAP bitmap = CreateBitmap(64, 48, 1, 32, nullptr);
            HGDIOBJ old = SelectObject(dc, bitmap);
            Send(tree, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
            DeleteObject(SelectObject(dc, old));
            DeleteDC(dc);
        }
        break;
    case kShow:
        if (r.Chance(50))
            ShowWindow(tree, r.Chance(70) ? SW_SHOW : SW_HIDE);
        else
            EnableWindow(tree, r.Chance(70));
        break;
    case kStandard: ApplyStandard(r); break;
    default: ApplyExtension(r); break;
    }
}

// ---- The structure, seen through the public messages ----
void Run::Check() {
    const int n = static_cast<int>(Q(LUMTREEM_GETCOUNT));
    const std::string where = Cat(" (count ", n, ")");
    std::vector<int> level(static_cast<size_t>(std::max(n, 0))), shown(level), selected;
    auto L = [&](int i) { return level[static_cast<size_t>(i)]; };
    auto S = [&](int i) { return shown[static_cast<size_t>(i)]; };
    int shownCount = 0;
    for (int i = 0; i < n && failure.empty(); ++i) {
        const auto w = static_cast<WPARAM>(i);
        level[w] = static_cast<int>(Q(LUMTREEM_GETLEVEL, w));
        shown[w] = static_cast<int>(Q(LUMTREEM_ISSHOWN, w));
        const LRESULT isSelected = Q(LUMTREEM_ISSELECTED, w);
        if (isSelected == 1) selected.push_back(i);
        Want(L(i) >= 0 && L(i) <= 64 && (S(i) == 1 || (S(i) == 0 && L(i) > 0)) &&
                 (isSelected == 0 || isSelected == 1),
             "item ", i, ": level ", L(i), ", shown ", S(i), ", selected ", isSelected, where);
        shownCount += S(i);
    }
    // Navigation against the flat list of levels. (A shown item under a hidden parent is not
    // checked: deleting an expanded item leaves its shown children behind the hidden items of
    // a collapsed earlier subtree; seed 1175 with 500 operations builds that.)
    for (int i = 0; i < n && failure.empty(); ++i) {
        const auto w = static_cast<WPARAM>(i);
        const int li = L(i);
        int parent = -1, next = -1, prev = -1, children = 0, descendants = 0, last = -1;
        for (int j = i - 1; j >= 0 && li > 0 && parent < 0; --j) parent = L(j) < li ? j : -1;
        for (int j = i + 1; j < n && L(j) >= li && next < 0; ++j) next = L(j) == li ? j : -1;
        for (int j = i - 1; j >= 0 && L(j) >= li && prev < 0; --j) prev = L(j) == li ? j : -1;
        for (int j = i + 1; j < n && L(j) > li; ++j, ++descendants) {
            children += L(j) == li + 1;
            last = j;
        }
        const int firstChild = i + 1 < n && L(i + 1) > li ? i + 1 : -1;
        const Answer answers[] = {
            {"GETPARENT", LUMTREEM_GETPARENT, 0, parent},
            {"GETSIBLING next", LUMTREEM_GETSIBLING, LUMTREESIBLING_NEXT, next},
            {"GETSIBLING previous", LUMTREEM_GETSIBLING, LUMTREESIBLING_PREVIOUS, prev},
            {"GETCHILD first", LUMTREEM_GETCHILD, LUMTREECHILD_FIRST, firstChild},
            {"GETCHILD last descendant", LUMTREEM_GETCHILD, LUMTREECHILD_LASTDESCENDANT, last},
            {"GETCHILDCOUNT", LUMTREEM_GETCHILDCOUNT, 0, children},
            {"GETCHILDCOUNT all", LUMTREEM_GETCHILDCOUNT, 1, descendants},
            {"ISEXPANDED", LUMTREEM_ISEXPANDED, 0, S(i) && firstChild >= 0 && S(i + 1)},
        };
        for (const Answer &a : answers) {
            const LRESULT got = Q(a.msg, w, a.lp);
            Want(got == a.expected, a.name, " of item ", i, " is ", got, ", the levels say ",
                 a.expected, where);
        }
        // The length and the text agree, and an exact buffer is enough.
        const LRESULT length = Q(LUMTREEM_GETTEXTLENGTH, w);
        Guarded<char> buffer(static_cast<size_t>(std::max<LRESULT>(length, 0)) + 1);
        Want(length >= 0 && Q(LUMTREEM_GETTEXT, w, Ptr(buffer.data())) == length &&
                 buffer.Intact() && std::strlen(buffer.data()) == static_cast<size_t>(length),
             "GETTEXT of item ", i, " disagrees with its length ", length);
    }
    for (WPARAM bad : {static_cast<WPARAM>(n), static_cast<WPARAM>(-1), WPARAM{0x7FFFFFFF}}) {
        for (UINT m :
             {LUMTREEM_GETLEVEL, LUMTREEM_GETPARENT, LUMTREEM_ISSELECTED, LUMTREEM_GETTEXTLENGTH}) {
            Want(Q(m, bad) == -1, "a bad index ", static_cast<INT>(bad), " got an answer", where);
        }
    }
    if (!failure.empty()) return;

    // Selection against the flags; stored indexes in range.
    const LRESULT selCount = Q(LUMTREEM_GETSELCOUNT), sel = Q(LUMTREEM_GETSELECTION);
    if (GetWindowLongA(tree, GWL_STYLE) & LUMTREESTYLE_MULTIPLESEL) {
        std::vector<int> out(selected.size() + 1, -7);
        out.resize(static_cast<size_t>(
            std::max<LRESULT>(Q(LUMTREEM_GETSELITEMS, out.size(), Ptr(out.data())), 0)));
        Want(selCount == static_cast<LRESULT>(selected.size()) && sel == -1 &&
                 (selected.empty() || out == selected),
             "GETSELCOUNT ", selCount, ", GETSELITEMS ", out.size(), ", GETSELECTION ", sel,
             " but ", selected.size(), " items are selected", where);
    } else {
        Want(selCount == -1 && selected == (sel >= 0 ? std::vector<int>{static_cast<int>(sel)}
                                                     : std::vector<int>{}),
             selected.size(), " items selected, selection ", sel, where);
    }
    const LRESULT caret = Q(LUMTREEM_GETCARET), top = Q(LUMTREEM_GETTOPINDEX);
    const LRESULT drop = Q(LUMTREEM_GETDROPTARGET);
    Want(n == 0 ? caret == 0 : (caret >= 0 && caret < n), "caret ", caret, where);
    Want(n == 0 ? top == 0 : (top >= 0 && top < n && S(static_cast<int>(top))), "top index ", top,
         " is not a shown item", where);
    Want(drop >= -1 && drop <= n, "drop target ", drop, where);
    TreeColumn *columns = nullptr;
    const LRESULT columnCount = Q(LUMTREEM_GETCOLUMNS, 0, Ptr(&columns));
    const LRESULT textColumn = Q(LUMTREEM_GETTEXTCOLUMN);
    Want(columnCount >= 1 && columns && textColumn >= 0 && textColumn < columnCount, "text column ",
         textColumn, " of ", columnCount, " columns");

    // Page sizes against the item area, the rows in view against the shown items.
    const LRESULT rowHeight = Q(LUMTREEM_GETROWHEIGHT);
    const LRESULT pageRows = Q(LUMTREEM_GETPAGEROWS), fullRows = Q(LUMTREEM_GETFULLROWS);
    if (!Want(rowHeight >= 1 && rowHeight % 2 == 0, "row height ", rowHeight)) return;
    RECT client, bar{}, rc{};
    GetClientRect(tree, &client);
    Q(LUMTREEM_GETCOLUMNHEADERRECT, static_cast<WPARAM>(-1), Ptr(&bar));
    const LONG areaTop = Q(LUMTREEM_ISHEADERSHOWN) ? bar.bottom : client.top;
    const LONG height = std::max<LONG>(client.bottom - areaTop, 0);
    Want(fullRows == std::max<LRESULT>(height / rowHeight, 1) &&
             pageRows == std::max<LRESULT>((height + rowHeight - 1) / rowHeight, 1),
         "page rows ", pageRows, "/", fullRows, " for an item area ", height, " high with rows of ",
         rowHeight);
    if (!failure.empty()) return;
    int topRow = 0;
    for (int i = 0; i < top && i < n; ++i) topRow += S(i);
    if (n > 0 && height > 0) {
        Want(Q(LUMTREEM_GETITEMRECT, static_cast<WPARAM>(top), Ptr(&rc)) == 0 && rc.top == areaTop,
             "the top item's rectangle starts at ", rc.top, ", the item area at ", areaTop);
        int item = static_cast<int>(top);
        for (LRESULT k = 0; k < pageRows && areaTop + k * rowHeight < client.bottom; ++k) {
            POINT pt{0, static_cast<LONG>(areaTop + k * rowHeight)};
            const LRESULT got = Q(LUMTREEM_ITEMORENDFROMPOINT, 0, Ptr(&pt));
            Want(got == std::min(item, n), "row ", k, " shows item ", got, ", the shown flags say ",
                 std::min(item, n), where);
            do ++item;
            while (item < n && !S(item));
        }
    }

    // The vertical bar against the shown rows, while the control maintains it.
    const bool managed = !(style & LUMTREESTYLE_SCROLL) || (style & WS_VSCROLL);
    SCROLLINFO si{sizeof si, SIF_ALL, 0, 0, 0, 0, 0};
    if (managed && redraw && !rangeMayLag && !vertBarOff && IsWindowVisible(tree) &&
        GetScrollInfo(tree, SB_VERT, &si)) {
        const int pos = n ? topRow : 0;
        const int max = std::max<int>(pos + static_cast<int>(fullRows) - 1, shownCount - 1);
        Want(si.nPos == pos && si.nMax == max && si.nPage == static_cast<UINT>(fullRows),
             "vertical bar ", si.nPos, "/", si.nMax, " page ", si.nPage, ", the rows say ", pos,
             "/", max, " page ", fullRows, where);
    }
}

// ---- Sequences, running, shrinking and reports ----
std::vector<Op> MakeSequence(uint64_t seed, int length) {
    Rng r{seed ^ 0xA5A5A5A5ull};
    int total = 0;
    for (int w : kWeights) total += w;
    std::vector<Op> ops;
    for (int k = 0; k < length; ++k) {
        int pick = r.Int(total), kind = 0;
        while (pick >= kWeights[kind]) pick -= kWeights[kind++];
        ops.push_back(Op{static_cast<Kind>(kind), r.Next(), r.Next(), r.Next()});
    }
    return ops;
}

std::string Describe(const Op &op) {
    char line[160];
    const std::string kind =
        op.kind == kPrivate ? Cat("message ", PrivateMessage(op)) : kKindNames[op.kind];
    std::snprintf(line, sizeof line, "%s {0x%llx, 0x%llx, 0x%llx}", kind.c_str(),
                  static_cast<unsigned long long>(op.a), static_cast<unsigned long long>(op.b),
                  static_cast<unsigned long long>(op.c));
    return line;
}

bool g_trace = false, g_traceWanted = false;
void TraceStep(Run &run, const Op &op) {
    SCROLLINFO si{sizeof si, SIF_ALL, 0, 0, 0, 0, 0};
    GetScrollInfo(run.tree, SB_VERT, &si);
    RECT rc;
    GetClientRect(run.tree, &rc);
    auto q = [&](UINT m) { return static_cast<int>(Send(run.tree, m)); };
    std::printf("%-70s count %d top %d caret %d rows %d/%d bar %d/%d page %u client %ldx%ld\n",
                Describe(op).c_str(), run.Count(), q(LUMTREEM_GETTOPINDEX), q(LUMTREEM_GETCARET),
                q(LUMTREEM_GETFULLROWS), q(LUMTREEM_GETPAGEROWS), si.nPos, si.nMax, si.nPage,
                rc.right, rc.bottom);
}

struct Outcome {
    std::string failure;
    size_t failedAfter = 0; // operations applied when the check broke
};

// Replays a sequence on a new control, checking after every `every` operations and at the end.
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

// Cut after the failing operation, then drop chunks of halving size while the failure stays.
std::vector<Op> Shrink(uint64_t seed, std::vector<Op> ops, Query query) {
    const Outcome first = Replay(seed, ops, 1, query);
    if (first.failure.empty()) return ops;
    ops.resize(first.failedAfter);
    for (size_t before = 0; before != ops.size();) {
        before = ops.size();
        for (size_t chunk = std::max<size_t>(ops.size() / 2, 1); chunk >= 1; chunk /= 2) {
            for (size_t start = 0; start + chunk <= ops.size();) {
                std::vector<Op> candidate(ops);
                const auto from = candidate.begin() + static_cast<ptrdiff_t>(start);
                candidate.erase(from, from + static_cast<ptrdiff_t>(chunk));
                const Outcome o = Replay(seed, candidate, 1, query);
                if (o.failure.empty()) {
                    start += chunk;
                    continue;
                }
                candidate.resize(o.failedAfter);
                ops = candidate;
            }
        }
    }
    return ops;
}

// Runs seeds [first, last]; returns the report of the first failure (seed, message and the
// shrunk sequence), or an empty string.
std::string Fuzz(uint64_t first, uint64_t last, int length, Query query = RealQuery) {
    for (uint64_t seed = first; seed <= last; ++seed) {
        const std::vector<Op> ops = MakeSequence(seed, length);
        const Outcome o = Replay(seed, ops, 7, query);
        if (o.failure.empty()) continue;
        const std::vector<Op> shortest = Shrink(seed, ops, query);
        g_trace = g_traceWanted;
        const Outcome again = Replay(seed, shortest, 1, query);
        g_trace = false;
        std::string report = Cat("seed ", seed, ": ", o.failure, "\nshortest sequence (",
                                 shortest.size(), " operations): ", again.failure, "\n");
        for (const Op &op : shortest) report += "  " + Describe(op) + "\n";
        return report;
    }
    return {};
}

struct Options {
    unsigned long long first = 1, last = 16;
    int ops = 150;
    bool byHand = false;
};
Options ReadOptions() {
    Options o;
    for (int k = 1; k < __argc; ++k) {
        int n = 0;
        if (std::sscanf(__argv[k], "--fuzz-seeds=%llu-%llu", &o.first, &o.last) == 2) {
            o.byHand = true;
        } else if (std::strcmp(__argv[k], "--fuzz-trace") == 0) {
            g_traceWanted = true;
        } else if (std::sscanf(__argv[k], "--fuzz-ops=%d", &n) == 1 && n > 0) {
            o.ops = n;
            o.byHand = true;
        }
    }
    return o;
}

// A control that answers one navigation query wrongly once the list has five items.
LRESULT LyingQuery(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    const LRESULT real = SendMessageA(w, m, wp, lp);
    const bool lie =
        m == LUMTREEM_GETPARENT && wp == 4 && SendMessageA(w, LUMTREEM_GETCOUNT, 0, 0) >= 5;
    return real + lie;
}

} // namespace

TEST_CASE("random messages keep the structure whole") {
    const Options o = ReadOptions();
    const DWORD start = GetTickCount();
    const std::string report = Fuzz(o.first, o.last, o.ops);
    if (o.byHand) {
        std::printf("fuzz: seeds %llu-%llu, %d operations each, %.1f s\n", o.first, o.last, o.ops,
                    (GetTickCount() - start) / 1000.0);
    }
    INFO(report);
    CHECK(report.empty());
}

TEST_CASE("the checks fail on a wrong answer, and the failing sequence shrinks") {
    const std::string report = Fuzz(1, 40, 120, LyingQuery);
    REQUIRE(!report.empty());
    CHECK(report.find("GETPARENT of item 4") != std::string::npos);
    // Five items are enough to show the fault; the shrunk sequence keeps little more.
    CHECK(std::count(report.begin(), report.end(), '\n') - 2 <= 6);
}
