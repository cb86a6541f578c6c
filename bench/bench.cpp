// Benchmark of the item store against the platform's tree view (SysTreeView32 of comctl32).
//
// Every case runs the same work on a LumTree control and on a tree view in this process and
// prints both times and their ratio (LumTree / tree view). Cases are entries of kCases: each
// benchmark (item store, painting, scrolling) adds its functions there. Memory is measured in child
// processes of this program, so that each peak belongs to one control and one size only.
//
//   lumtree_bench.exe            all cases for N = 10,000, 100,000 and 1,000,000
//   lumtree_bench.exe 10000 ...  the given sizes only
//   lumtree_bench.exe --skip-slow [sizes]   without the flat appends with drawing on and a
//                                scroll bar, which take the tree view minutes under Wine
//   lumtree_bench.exe --only TEXT [sizes]   the cases whose name contains TEXT, no memory
//                                ("--only memory": the memory rows only, always with 200,000)
//   lumtree_bench.exe --lumtree-only ...   any of the above without the tree view
//   lumtree_bench.exe --memory lumtree|treeview N   (internal: one memory measurement)
#include "clock.h"
#include "lumtree/lumtree.h"

#include <commctrl.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr int kWidth = 400, kHeight = 600;
// The platform side of a case is skipped at a size whose estimate (the time at the previous
// size, scaled by the growth in N) exceeds this many seconds.
constexpr double kPlatformBudget = 60.0;
constexpr double kSkipped = -1.0;

using bench::Now;
using bench::Pump;

HWND g_host;
bool g_lumTreeOnly = false;

HWND CreateHost() {
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "LumTreeBenchHost";
    RegisterClassA(&wc);
    return CreateWindowExA(0, wc.lpszClassName, "bench", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0,
                           0, kWidth, kHeight, nullptr, nullptr, wc.hInstance, nullptr);
}

// ---- The two controls behind one small interface ----------------------------------------

struct Control {
    virtual ~Control() = default;
    HWND window = nullptr;
    virtual void Redraw(bool on) { SendMessageA(window, WM_SETREDRAW, on, 0); }
    virtual void Append(const char *text) = 0;
    // A tree of n items: roots with 9 children of 10 grandchildren each (100 items a root),
    // collapsed. Built with drawing off; not timed.
    virtual void BuildTree(int n) = 0;
    virtual void ExpandAll() = 0;
    virtual void CollapseAll() = 0;
    virtual void DeleteAll() = 0;
    // count siblings at the top level with random texts, each with two children.
    virtual void BuildSiblings(int count) = 0;
    virtual void SortTop() = 0;
    // Keeps the last item in view (a log-style list).
    virtual void ShowLast() = 0;
    // Appends item i of a tree with one root per 10 items (items 10k are roots, the others
    // their children), every root open, so each item is shown as it arrives.
    virtual void AddGrouped(const char *text, int i) = 0;
    // n items of that shape with every root closed, built with drawing off; not timed.
    virtual void BuildClosedGroups(int n) = 0;
    // Opens the roots of BuildClosedGroups one message each.
    virtual void ExpandGroup(int k) = 0;
    // Invalidates the row of the item shown first.
    virtual void InvalidateTopRow() = 0;
};

void RandomText(char *text, int i) {
    wsprintfA(text, "%c%c%c item %d", 'a' + std::rand() % 26, 'a' + std::rand() % 26,
              'a' + std::rand() % 26, i);
}

struct LumTreeControl : Control {
    std::vector<int> roots;
    // Without a scroll bar the control keeps no bar up to date (LUMTREESTYLE_SCROLL).
    explicit LumTreeControl(bool scrollBar = true) {
        DWORD style = WS_CHILD | WS_VISIBLE | (scrollBar ? WS_VSCROLL : LUMTREESTYLE_SCROLL);
        window = CreateWindowExA(0, LUMTREE_CLASSNAME, "", style, 0, 0, kWidth, kHeight, g_host,
                                 nullptr, nullptr, nullptr);
    }
    ~LumTreeControl() override { DestroyWindow(window); }
    int Count() { return static_cast<int>(SendMessageA(window, LUMTREEM_GETCOUNT, 0, 0)); }
    void Append(const char *text) override {
        SendMessageA(window, LUMTREEM_ADDITEM, 0, reinterpret_cast<LPARAM>(text));
    }
    void Add(const char *text, int level) {
        auto i = static_cast<WPARAM>(
            SendMessageA(window, LUMTREEM_ADDITEM, 0, reinterpret_cast<LPARAM>(text)));
        if (level) SendMessageA(window, LUMTREEM_SETLEVEL, i, level);
    }
    void BuildTree(int n) override {
        Redraw(false);
        roots.clear();
        for (int i = 0; i < n; ++i) {
            int k = i % 100;
            if (k == 0) roots.push_back(i);
            Add("node", k == 0 ? 0 : ((k - 1) % 11 == 0 ? 1 : 2));
        }
        CollapseAll();
        Redraw(true);
    }
    void ExpandAll() override {
        for (int r : roots) SendMessageA(window, LUMTREEM_EXPAND, r, MAKELPARAM(1, 1));
    }
    void CollapseAll() override {
        for (int r : roots) SendMessageA(window, LUMTREEM_EXPAND, r, MAKELPARAM(0, 0));
    }
    void DeleteAll() override { SendMessageA(window, LUMTREEM_DELETEALL, 0, 0); }
    void BuildSiblings(int count) override {
        Redraw(false);
        char text[64];
        for (int i = 0; i < count; ++i) {
            RandomText(text, i);
            Add(text, 0);
            Add("child", 1);
            Add("child", 1);
        }
        Redraw(true);
    }
    void SortTop() override {
        SendMessageA(window, LUMTREEM_SORTCHILDREN, static_cast<WPARAM>(-1), 0);
    }
    void ShowLast() override { SendMessageA(window, LUMTREEM_ENSUREVISIBLE, Count() - 1, 0); }
    void AddGrouped(const char *text, int i) override { Add(text, i % 10 ? 1 : 0); }
    void BuildClosedGroups(int n) override {
        Redraw(false);
        roots.clear();
        for (int i = 0; i < n; ++i) {
            if (i % 10 == 0) roots.push_back(i);
            AddGrouped("node", i);
        }
        CollapseAll();
        Redraw(true);
    }
    void ExpandGroup(int k) override {
        SendMessageA(window, LUMTREEM_EXPAND, static_cast<WPARAM>(roots[k]), MAKELPARAM(1, 0));
    }
    void InvalidateTopRow() override {
        RECT rc{};
        SendMessageA(window, LUMTREEM_GETITEMRECT, SendMessageA(window, LUMTREEM_GETTOPINDEX, 0, 0),
                     reinterpret_cast<LPARAM>(&rc));
        InvalidateRect(window, &rc, FALSE);
    }
};

struct TreeViewControl : Control {
    std::vector<HTREEITEM> parents; // every item with children
    std::vector<HTREEITEM> roots;
    HTREEITEM last = nullptr;
    explicit TreeViewControl(bool scrollBar = true) {
        DWORD style = WS_CHILD | WS_VISIBLE | TVS_HASLINES | TVS_HASBUTTONS | TVS_LINESATROOT |
                      (scrollBar ? 0 : TVS_NOSCROLL);
        window = CreateWindowExA(0, WC_TREEVIEWA, "", style, 0, 0, kWidth, kHeight, g_host, nullptr,
                                 nullptr, nullptr);
    }
    ~TreeViewControl() override { DestroyWindow(window); }
    HTREEITEM Insert(HTREEITEM parent, const char *text) {
        TVINSERTSTRUCTA tvi{};
        tvi.hParent = parent;
        tvi.hInsertAfter = TVI_LAST;
        tvi.item.mask = TVIF_TEXT;
        tvi.item.pszText = const_cast<char *>(text);
        return reinterpret_cast<HTREEITEM>(
            SendMessageA(window, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&tvi)));
    }
    void Append(const char *text) override { last = Insert(TVI_ROOT, text); }
    void BuildTree(int n) override {
        Redraw(false);
        parents.clear();
        roots.clear();
        HTREEITEM root = nullptr, child = nullptr;
        for (int i = 0; i < n; ++i) {
            int k = i % 100;
            if (k == 0) {
                root = Insert(TVI_ROOT, "node");
                roots.push_back(root);
                parents.push_back(root);
            } else if ((k - 1) % 11 == 0) {
                child = Insert(root, "node");
                parents.push_back(child);
            } else {
                Insert(child, "node");
            }
        }
        Redraw(true);
    }
    void ExpandAll() override {
        // The tree view opens one level per call: every item with children is expanded.
        for (HTREEITEM h : parents) {
            SendMessageA(window, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(h));
        }
    }
    void CollapseAll() override {
        for (HTREEITEM h : roots) {
            SendMessageA(window, TVM_EXPAND, TVE_COLLAPSE, reinterpret_cast<LPARAM>(h));
        }
    }
    void DeleteAll() override {
        SendMessageA(window, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
    }
    void BuildSiblings(int count) override {
        Redraw(false);
        char text[64];
        for (int i = 0; i < count; ++i) {
            RandomText(text, i);
            HTREEITEM h = Insert(TVI_ROOT, text);
            Insert(h, "child");
            Insert(h, "child");
        }
        Redraw(true);
    }
    void SortTop() override {
        SendMessageA(window, TVM_SORTCHILDREN, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
    }
    void ShowLast() override {
        SendMessageA(window, TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(last));
    }
    // Roots are inserted open (TVIS_EXPANDED), so their children are shown as they arrive.
    void AddGrouped(const char *text, int i) override {
        if (i % 10) {
            last = Insert(roots.back(), text);
            return;
        }
        TVINSERTSTRUCTA tvi{};
        tvi.hParent = TVI_ROOT;
        tvi.hInsertAfter = TVI_LAST;
        tvi.item.mask = TVIF_TEXT | TVIF_STATE;
        tvi.item.state = tvi.item.stateMask = TVIS_EXPANDED;
        tvi.item.pszText = const_cast<char *>(text);
        last = reinterpret_cast<HTREEITEM>(
            SendMessageA(window, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&tvi)));
        roots.push_back(last);
    }
    void BuildClosedGroups(int n) override {
        Redraw(false);
        roots.clear();
        for (int i = 0; i < n; ++i) {
            if (i % 10 == 0)
                roots.push_back(Insert(TVI_ROOT, "node"));
            else
                Insert(roots.back(), "node");
        }
        Redraw(true);
    }
    void ExpandGroup(int k) override {
        SendMessageA(window, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(roots[k]));
    }
    void InvalidateTopRow() override {
        RECT rc{};
        auto first = reinterpret_cast<HTREEITEM>(
            SendMessageA(window, TVM_GETNEXTITEM, TVGN_FIRSTVISIBLE, 0));
        std::memcpy(&rc, &first, sizeof first); // the item goes in, its rectangle comes back
        SendMessageA(window, TVM_GETITEMRECT, FALSE, reinterpret_cast<LPARAM>(&rc));
        InvalidateRect(window, &rc, FALSE);
    }
};

// ---- Cases --------------------------------------------------------------------------------

// A case prepares a fresh control, runs the timed work and returns its seconds; `note` may
// carry a remark for the output line.
using CaseFn = double (*)(Control &c, int n, std::string &note);

double AppendDrawingOff(Control &c, int n, std::string &) {
    char text[32];
    double t0 = Now();
    c.Redraw(false);
    for (int i = 0; i < n; ++i) {
        wsprintfA(text, "Item %d", i);
        c.Append(text);
    }
    c.Redraw(true);
    return Now() - t0;
}

// Appends one message at a time with drawing on; the note compares the cost of the last tenth
// with the first (near 1 when appending does not slow down as the list grows).
double AppendWith(Control &c, int n, std::string &note, bool followEnd) {
    char text[32];
    double t0 = Now(), tenthStart = t0, first = 0;
    for (int i = 0; i < n; ++i) {
        wsprintfA(text, "Item %d", i);
        c.Append(text);
        if (followEnd) c.ShowLast();
        if (i + 1 == n / 10) first = Now() - t0;
        if (i + 1 == n - n / 10) tenthStart = Now();
    }
    double total = Now() - t0;
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "last/first tenth %.2f",
                  first > 0 ? (Now() - tenthStart) / first : 0.0);
    note = buffer;
    Pump();
    return total;
}

double AppendDrawingOn(Control &c, int n, std::string &note) {
    return AppendWith(c, n, note, false);
}

double AppendFollowingEnd(Control &c, int n, std::string &note) {
    return AppendWith(c, n, note, true);
}

double ExpandAll(Control &c, int n, std::string &) {
    c.BuildTree(n);
    double t0 = Now();
    c.ExpandAll();
    return Now() - t0;
}

double CollapseAll(Control &c, int n, std::string &) {
    c.BuildTree(n);
    c.ExpandAll();
    double t0 = Now();
    c.CollapseAll();
    return Now() - t0;
}

double DeleteAll(Control &c, int n, std::string &) {
    c.BuildTree(n);
    c.ExpandAll();
    double t0 = Now();
    c.DeleteAll();
    return Now() - t0;
}

double SortSiblings(Control &c, int n, std::string &note) {
    std::srand(7);
    c.BuildSiblings(n);
    note = std::to_string(n) + " siblings with 2 children each";
    double t0 = Now();
    c.SortTop();
    return Now() - t0;
}

// ---- Painting: the control on the screen, every page painted as a user would see it ---------

constexpr int kRepaints = 100;
constexpr int kLineScrolls = 1000;

// An expanded tree of n items with the view at its top or at its end, painted once.
void ExpandedInView(Control &c, int n, int scrollCode) {
    c.BuildTree(n);
    c.ExpandAll();
    SendMessageA(c.window, WM_VSCROLL, static_cast<WPARAM>(scrollCode), 0);
    UpdateWindow(c.window);
    Pump();
}

// One full repaint of the page in view (invalidate everything, paint), the mean of kRepaints.
double RepaintPage(Control &c, int n, std::string &note, int scrollCode) {
    ExpandedInView(c, n, scrollCode);
    double t0 = Now();
    for (int k = 0; k < kRepaints; ++k) {
        InvalidateRect(c.window, nullptr, TRUE);
        UpdateWindow(c.window);
    }
    note = "one page of the expanded tree, mean of 100 repaints";
    return (Now() - t0) / kRepaints;
}

double RepaintTop(Control &c, int n, std::string &note) {
    return RepaintPage(c, n, note, SB_TOP);
}

double RepaintEnd(Control &c, int n, std::string &note) {
    return RepaintPage(c, n, note, SB_BOTTOM);
}

// kLineScrolls scrolls of one row down from the top, each painted before the next.
double LineScrolls(Control &c, int n, std::string &note) {
    ExpandedInView(c, n, SB_TOP);
    double t0 = Now();
    for (int k = 0; k < kLineScrolls; ++k) {
        SendMessageA(c.window, WM_VSCROLL, SB_LINEDOWN, 0);
        UpdateWindow(c.window);
    }
    note = "1,000 rows down, each painted";
    return Now() - t0;
}

// ---- Scrolling: the cost of one request against the length of the list, drawing off ---------

constexpr int kThumbJumps = 2000;
constexpr int kLineSteps = 2000;

// A flat list of n rows; thumb jumps between the top and the end (the bar's position set as a
// dragged thumb leaves it, then SB_THUMBTRACK), then line steps up and down at the end, where a
// row count has the whole list before it. With drawing off what is left is the control's own
// work of finding rows and items; the note gives the cost of one request of each kind.
double ScrollRequests(Control &c, int n, std::string &note) {
    AppendDrawingOff(c, n, note);
    HWND w = c.window;
    SCROLLINFO si{sizeof(si), SIF_RANGE | SIF_PAGE, 0, 0, 0, 0, 0};
    GetScrollInfo(w, SB_VERT, &si);
    const int last = si.nMax - static_cast<int>(si.nPage) + 1;
    c.Redraw(false);
    double t0 = Now();
    for (int k = 0; k < kThumbJumps; ++k) {
        const int target = k % 2 ? 0 : last;
        SetScrollPos(w, SB_VERT, target, FALSE);
        // The message holds 16 bits of the position: the tree view, which reads it there,
        // lands on the position modulo 65,536 in longer lists.
        SendMessageA(w, WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, static_cast<WORD>(target)), 0);
    }
    const double jumps = Now() - t0;
    SendMessageA(w, WM_VSCROLL, SB_BOTTOM, 0);
    t0 = Now();
    for (int k = 0; k < kLineSteps; ++k) {
        SendMessageA(w, WM_VSCROLL, k % 2 ? SB_LINEDOWN : SB_LINEUP, 0);
    }
    const double steps = Now() - t0;
    c.Redraw(true);
    char buffer[96];
    std::snprintf(buffer, sizeof buffer, "thumb jump %.1f us, line step %.1f us",
                  jumps / kThumbJumps * 1e6, steps / kLineSteps * 1e6);
    note = buffer;
    return jumps + steps;
}

// ---- Keys: caret moves by page and to the ends of a long list, each painted --------------

constexpr int kKeyPresses = 400;

// A flat focused list of n rows, the caret walked by Page Down, End, Page Up and Home, each
// key painted before the next; the note gives the cost of one key.
double PageKeys(Control &c, int n, std::string &note) {
    AppendDrawingOff(c, n, note);
    SetFocus(c.window);
    SendMessageA(c.window, WM_KEYDOWN, VK_HOME, 1);
    UpdateWindow(c.window);
    constexpr WPARAM keys[] = {VK_NEXT, VK_END, VK_PRIOR, VK_HOME};
    double t0 = Now();
    for (int k = 0; k < kKeyPresses; ++k) {
        SendMessageA(c.window, WM_KEYDOWN, keys[k % 4], 1);
        UpdateWindow(c.window);
    }
    const double total = Now() - t0;
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "one key %.2f ms", total / kKeyPresses * 1e3);
    note = buffer;
    return total;
}

// ---- Mouse: the autoscroll of a drag held at the bottom edge -----------------------------

constexpr int kTicks = 200;

// A flat focused list of n rows and the left button held below its last full row, with a drag
// under way (the drop target moves one row a tick) or as a drag selection (the caret and the
// selection move one row a tick); the list scrolls with it and each tick paints. The result is
// the mean time of one tick: the timer message dispatched, its scroll and paint included. The
// tree view has no such mode to compare with.
double HeldAtBottom(Control &c, int n, std::string &note, bool drag) {
    if (!dynamic_cast<LumTreeControl *>(&c)) return kSkipped;
    AppendDrawingOff(c, n, note);
    HWND w = c.window;
    if (drag) {
        SetWindowLongA(w, GWL_STYLE, GetWindowLongA(w, GWL_STYLE) | LUMTREESTYLE_DRAGDROP);
        SendMessageA(w, LUMTREEM_SETDROPMARKMODE, 0, LUMTREEDROPMARK_ITEM);
        SendMessageA(w, LUMTREEM_SETSELECTION, 0, 0);
    }
    SetFocus(w);
    UpdateWindow(w);
    const auto row = static_cast<int>(SendMessageA(w, LUMTREEM_GETROWHEIGHT, 0, 0));
    const auto full = static_cast<int>(SendMessageA(w, LUMTREEM_GETFULLROWS, 0, 0));
    auto mouse = [w](UINT msg, int y) { SendMessageA(w, msg, MK_LBUTTON, MAKELPARAM(40, y)); };
    mouse(WM_LBUTTONDOWN, row / 2);
    mouse(WM_MOUSEMOVE, row + row / 2);
    mouse(WM_MOUSEMOVE, full * row + row / 2);
    int ticks = 0;
    double busy = 0;
    const double t0 = Now();
    MSG msg;
    while (ticks < kTicks && GetMessageA(&msg, nullptr, 0, 0) > 0) {
        const double start = Now();
        DispatchMessageA(&msg);
        if (msg.message == WM_TIMER) {
            busy += Now() - start;
            ++ticks;
        }
    }
    const double wall = Now() - t0;
    const auto reached =
        static_cast<int>(SendMessageA(w, drag ? LUMTREEM_GETDROPTARGET : LUMTREEM_GETCARET, 0, 0));
    SendMessageA(w, WM_CANCELMODE, 0, 0);
    char buffer[96];
    std::snprintf(buffer, sizeof buffer, "%d ticks in %.2f s, %s at item %d, %.0f us a tick", ticks,
                  wall, drag ? "drop target" : "caret", reached, busy / ticks * 1e6);
    note = buffer;
    return busy / ticks;
}

double DragAtBottom(Control &c, int n, std::string &note) {
    return HeldAtBottom(c, n, note, true);
}

double DragSelectionAtBottom(Control &c, int n, std::string &note) {
    return HeldAtBottom(c, n, note, false);
}

// ---- A visible tree with a scroll bar, drawing on: what users meet first ---------------------
//
// Both controls 400 x 600 with a vertical scroll bar, one root per 10 items, items appended in
// order, the message loop pumped every 1,000 items and the window painted at the end.

constexpr int kPumpEvery = 1000;

// The vertical bar's maximum, to show that both controls ended with the same rows.
std::string BarNote(HWND w) {
    SCROLLINFO si{sizeof(si), SIF_RANGE, 0, 0, 0, 0, 0};
    GetScrollInfo(w, SB_VERT, &si);
    return "bar max " + std::to_string(si.nMax);
}

double FillGroups(Control &c, int n, std::string &note, bool followEnd) {
    char text[32];
    double t0 = Now();
    for (int i = 0; i < n; ++i) {
        wsprintfA(text, "Item %d", i);
        c.AddGrouped(text, i);
        if (followEnd) c.ShowLast();
        if ((i + 1) % kPumpEvery == 0) Pump();
    }
    Pump();
    UpdateWindow(c.window);
    double total = Now() - t0;
    note = BarNote(c.window);
    return total;
}

double FillVisible(Control &c, int n, std::string &note) {
    return FillGroups(c, n, note, false);
}

// The log view: every append followed by making the new item visible.
double LogView(Control &c, int n, std::string &note) {
    return FillGroups(c, n, note, true);
}

// n / 10 closed roots opened one message each, pumped every 100 roots (1,000 items).
double ExpandRoots(Control &c, int n, std::string &note) {
    c.BuildClosedGroups(n);
    UpdateWindow(c.window);
    Pump();
    double t0 = Now();
    for (int k = 0; k < n / 10; ++k) {
        c.ExpandGroup(k);
        if ((k + 1) % (kPumpEvery / 10) == 0) Pump();
    }
    Pump();
    UpdateWindow(c.window);
    double total = Now() - t0;
    note = BarNote(c.window);
    return total;
}

// The same tree built with drawing off (the children placed by a second message in LumTree).
double FillGroupsDrawingOff(Control &c, int n, std::string &) {
    char text[32];
    double t0 = Now();
    c.Redraw(false);
    for (int i = 0; i < n; ++i) {
        wsprintfA(text, "Item %d", i);
        c.AddGrouped(text, i);
    }
    c.Redraw(true);
    return Now() - t0;
}

constexpr int kRowBatches = 20, kRowsPerBatch = 50;

// One row invalidated and painted, in a page of the visible tree: the fastest of 20 batches of
// 50 (the least disturbed by other work on the machine); the note gives the mean of all.
double RepaintOneRow(Control &c, int n, std::string &note) {
    FillGroupsDrawingOff(c, n, note);
    UpdateWindow(c.window);
    Pump();
    double best = 1e9, total = 0;
    for (int b = 0; b < kRowBatches; ++b) {
        double t0 = Now();
        for (int k = 0; k < kRowsPerBatch; ++k) {
            c.InvalidateTopRow();
            UpdateWindow(c.window);
        }
        const double batch = (Now() - t0) / kRowsPerBatch;
        best = std::min(best, batch);
        total += batch;
    }
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "best batch %.0f us, mean %.0f us", best * 1e6,
                  total / kRowBatches * 1e6);
    note = buffer;
    return best;
}

struct Case {
    const char *name;
    CaseFn fn;
    int maxN;       // largest N the case runs at
    int fixedN;     // when not 0, the case runs once at this N
    bool scrollBar; // the controls have a vertical scroll bar
};

// Under Wine a scroll-bar update with redraw costs milliseconds, and the tree view makes one on
// each insertion, so the appends with drawing on and a bar stop at 10,000; the same appends
// without a bar show the controls' own cost up to 100,000.
const Case kCases[] = {
    {"append, drawing off", AppendDrawingOff, 1000000, 0, true},
    {"append, drawing on", AppendDrawingOn, 10000, 0, true},
    {"append, drawing on, view at end", AppendFollowingEnd, 10000, 0, true},
    {"append, drawing on, no scroll bar", AppendDrawingOn, 100000, 0, false},
    {"append, on, view at end, no bar", AppendFollowingEnd, 100000, 0, false},
    {"expand all", ExpandAll, 1000000, 0, true},
    {"collapse all", CollapseAll, 1000000, 0, true},
    {"delete all", DeleteAll, 1000000, 0, true},
    {"sort siblings", SortSiblings, 0, 20000, true},
    {"full repaint of a page, at the top", RepaintTop, 100000, 100000, true},
    {"full repaint of a page, at the end", RepaintEnd, 100000, 100000, true},
    {"1,000 line scrolls with painting", LineScrolls, 100000, 100000, true},
    {"scroll, 2,000 jumps + 2,000 lines", ScrollRequests, 100000, 0, true},
    {"400 page/end keys with painting", PageKeys, 100000, 0, true},
    {"autoscroll tick, drag held at bottom", DragAtBottom, 1000000, 0, true},
    {"autoscroll tick, drag selection", DragSelectionAtBottom, 1000000, 0, true},
    {"visible: fill, root per 10", FillVisible, 0, 10000, true},
    {"visible: expand 1,000 roots", ExpandRoots, 0, 10000, true},
    {"visible: log view, append + show", LogView, 0, 2000, true},
    {"visible: one-row repaint", RepaintOneRow, 0, 10000, true},
    {"root per 10, drawing off", FillGroupsDrawingOff, 1000000, 0, true},
};

// ---- Memory: peak working set of a child process that holds one filled control ----------

SIZE_T PeakWorkingSet() {
    PROCESS_MEMORY_COUNTERS pmc{};
    pmc.cb = sizeof(pmc);
    GetProcessMemoryInfo(GetCurrentProcess(), &pmc, sizeof(pmc));
    return pmc.PeakWorkingSetSize;
}

int MemoryChild(const char *which, int n) {
    Control *c = std::strcmp(which, "lumtree") == 0 ? static_cast<Control *>(new LumTreeControl)
                                                    : new TreeViewControl;
    std::string note;
    AppendDrawingOff(*c, n, note);
    std::printf("%llu\n", static_cast<unsigned long long>(PeakWorkingSet()));
    delete c;
    return 0;
}

double ChildPeak(const char *which, int n) {
    char exe[MAX_PATH], cmd[MAX_PATH + 64];
    GetModuleFileNameA(nullptr, exe, MAX_PATH);
    std::snprintf(cmd, sizeof cmd, "\"%s\" --memory %s %d", exe, which, n);
    SECURITY_ATTRIBUTES sa{sizeof(sa), nullptr, TRUE};
    HANDLE readEnd, writeEnd;
    if (!CreatePipe(&readEnd, &writeEnd, &sa, 0)) return 0;
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOA si{};
    si.cb = sizeof(si);
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdOutput = writeEnd;
    si.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    PROCESS_INFORMATION pi{};
    if (!CreateProcessA(nullptr, cmd, nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi)) {
        CloseHandle(readEnd);
        CloseHandle(writeEnd);
        return 0;
    }
    CloseHandle(writeEnd);
    std::string out;
    char buffer[128];
    DWORD got;
    while (ReadFile(readEnd, buffer, sizeof buffer, &got, nullptr) && got) out.append(buffer, got);
    WaitForSingleObject(pi.hProcess, INFINITE);
    CloseHandle(pi.hProcess);
    CloseHandle(pi.hThread);
    CloseHandle(readEnd);
    return std::atof(out.c_str());
}

// ---- Output -------------------------------------------------------------------------------

void PrintRow(const char *name, int n, double ours, double theirs, const char *unit,
              const std::string &note) {
    char t[32] = "skipped", r[32] = "-";
    if (theirs != kSkipped) std::snprintf(t, sizeof t, "%10.4f", theirs);
    if (theirs > 0 && ours >= 0) std::snprintf(r, sizeof r, "%6.2f", ours / theirs);
    std::printf("%-34s %8d %10.4f %10s %7s %s  %s\n", name, n, ours, t, r, unit, note.c_str());
    std::fflush(stdout);
}

// With skipSlow the appends with drawing on and a scroll bar (minutes under Wine) are left out;
// with only, the cases whose name does not contain it and the memory measurement.
void RunSizes(const std::vector<int> &sizes, bool skipSlow, const char *only) {
    std::printf("%-34s %8s %10s %10s %7s\n", "case", "N", "LumTree", "TreeView", "ratio");
    for (const Case &cs : kCases) {
        if (skipSlow && cs.scrollBar && !cs.fixedN && cs.maxN <= 10000) continue;
        if (only && !std::strstr(cs.name, only)) continue;
        double lastTheirs = 0;
        int lastN = 0;
        std::vector<int> ns = cs.fixedN ? std::vector<int>{cs.fixedN} : sizes;
        for (int n : ns) {
            if (!cs.fixedN && n > cs.maxN) continue;
            std::string note, theirsNote;
            double ours, theirs = kSkipped;
            {
                LumTreeControl c(cs.scrollBar);
                ours = cs.fn(c, n, note);
            }
            Pump();
            double estimate = lastN ? lastTheirs * n / lastN : 0;
            if (!g_lumTreeOnly && lastTheirs != kSkipped && estimate < kPlatformBudget) {
                TreeViewControl c(cs.scrollBar);
                theirs = cs.fn(c, n, theirsNote);
                if (!theirsNote.empty() && theirsNote != note) note += "; tree view " + theirsNote;
            }
            Pump();
            lastTheirs = theirs;
            lastN = n;
            PrintRow(cs.name, n, ours, theirs, "s", note);
        }
    }
    if (only && std::strcmp(only, "memory") != 0) return;
    double base[2] = {ChildPeak("lumtree", 0), ChildPeak("treeview", 0)};
    std::vector<int> memorySizes = sizes;
    if (std::find(sizes.begin(), sizes.end(), 200000) == sizes.end()) {
        memorySizes.push_back(200000);
        std::sort(memorySizes.begin(), memorySizes.end());
    }
    for (int n : memorySizes) {
        double ours = (ChildPeak("lumtree", n) - base[0]) / n;
        double theirs = (ChildPeak("treeview", n) - base[1]) / n;
        PrintRow("peak memory per item (bytes)", n, ours, theirs, "B",
                 "flat list, texts \"Item n\"");
    }
}

} // namespace

int main(int argc, char **argv) {
    // --lumtree-only first: the tree view is left out (quick runs while working on LumTree).
    if (argc >= 2 && std::strcmp(argv[1], "--lumtree-only") == 0) {
        g_lumTreeOnly = true;
        --argc;
        ++argv;
    }
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_TREEVIEW_CLASSES};
    InitCommonControlsEx(&icc);
    LumTree_RegisterApp(GetModuleHandleA(nullptr));
    g_host = CreateHost();
    if (argc == 4 && std::strcmp(argv[1], "--memory") == 0) {
        return MemoryChild(argv[2], std::atoi(argv[3]));
    }
    std::vector<int> sizes{10000, 100000, 1000000};
    const bool skipSlow = argc >= 2 && std::strcmp(argv[1], "--skip-slow") == 0;
    const char *only = argc >= 3 && std::strcmp(argv[1], "--only") == 0 ? argv[2] : nullptr;
    const int first = only ? 3 : 1 + skipSlow;
    if (argc > first) {
        sizes.clear();
        for (int a = first; a < argc; ++a) sizes.push_back(std::atoi(argv[a]));
    }
    std::printf("LumTree against SysTreeView32: seconds (ratio = LumTree / tree view).\n"
                "Wall-clock times on a shared machine: expect noise of tens of percent.\n\n");
    RunSizes(sizes, skipSlow, only);
    DestroyWindow(g_host);
    return 0;
}
