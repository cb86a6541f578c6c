// Selection, caret and keyboard: messages, key and mouse selection steps (exact notifications,
// caret, anchor, selection), WM_VKEYTOITEM, drags, the rows repainted, focus and a real dialog.
#include "../support/harness.h"
#include "lumtree/api/api.h"
#include "lumtree/items/items.h"
#include "lumtree/selection/selection.h"

#include <algorithm>

using namespace lt;

namespace {

const bool g_loaded = LoadLibraryState(GetModuleHandleA(nullptr));
constexpr DWORD kMulti = kNotifyStyle | LUMTREESTYLE_MULTIPLESEL;
constexpr int X = LUMTREEN_SELCLEAR, S = LUMTREEN_SELCHANGE, C = LUMTREEN_CARETCHANGE,
              T = LUMTREEN_TOPCHANGE, E = LUMTREEN_ENDEDIT,
              kEnter = LUMTREEN_LBUTTONDBLCLK + LUMTREEHIT_ITEM,
              kButton = LUMTREEN_LBUTTONDOWN + LUMTREEHIT_BUTTON;
// Press also takes the mouse's selection steps on item n: multiple (kClick + n), its deferred
// deselecting release (kRelease + n) and single (kSingle + n).
constexpr WPARAM kClick = 0x10000, kRelease = 0x20000, kSingle = 0x30000;

WNDPROC g_classProc;
// Collects the update regions of a control's WM_PAINTs into its "painted" property.
LRESULT CALLBACK Spy(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_PAINT && wp == 0) {
        HRGN update = CreateRectRgn(0, 0, 0, 0), painted = HRGN(GetPropA(w, "painted"));
        GetUpdateRgn(w, update, FALSE);
        CombineRgn(painted, painted, update, RGN_OR);
        DeleteObject(update);
    }
    return CallWindowProcA(g_classProc, w, msg, wp, lp);
}

// A focused control of flat items with its record at hand and its paints collected.
struct Fixture {
    Parent parent;
    HWND tree;
    TreeCtl *ctl;
    HRGN painted = CreateRectRgn(0, 0, 0, 0);
    explicit Fixture(DWORD style, int n = 12, int height = 200)
        : tree(parent.Tree(style, 0, 0, 200, height)), ctl(FindCtl(tree)) {
        g_classProc = WNDPROC(SetWindowLongPtrA(tree, GWLP_WNDPROC, LONG_PTR(&Spy)));
        SetPropA(tree, "painted", painted);
        AddFlat(tree, n);
        SetFocus(tree);
    }
    ~Fixture() { RemovePropA(tree, "painted"), DeleteObject(painted); }
    // The notifications of one key press or mouse step.
    Codes Press(WPARAM key, bool shift = false, bool ctrl = false) {
        Modifiers held(shift, ctrl);
        parent.Clear();
        const int n = static_cast<int>(key & 0xFFFF);
        if (key < kClick) Send(tree, WM_KEYDOWN, key, 1);
        if (key >= kClick && key < kSingle)
            MultipleSelectionStep(ctl, n, key < kRelease, shift, ctrl);
        if (key >= kSingle) SingleSelectionStep(ctl, n, shift, ctrl);
        return parent.Codes(tree);
    }
    int Caret() const { return SendI(tree, LUMTREEM_GETCARET); }
    Codes Selected() const {
        Codes out;
        for (int i = 0, n = SendI(tree, LUMTREEM_GETCOUNT); i < n; ++i)
            if (SendI(tree, LUMTREEM_ISSELECTED, WPARAM(i)) == 1) out.push_back(i);
        return out;
    }
    void Reset() { UpdateWindow(tree), SetRectRgn(painted, 0, 0, 0, 0); }
    // The screen rows repainted since Reset, after pending paints; -1 for a row painted in part.
    Codes Painted() const {
        UpdateWindow(tree);
        RECT rc;
        GetClientRect(tree, &rc);
        HRGN row = CreateRectRgn(0, 0, 0, 0), left = CreateRectRgn(0, 0, 0, 0);
        Codes rows;
        for (int r = 0, h = ctl->rowHeight; r * h < rc.bottom; ++r) {
            SetRectRgn(row, 0, r * h, rc.right, std::min<int>((r + 1) * h, rc.bottom));
            const int rest = CombineRgn(left, row, painted, RGN_DIFF);
            if (rest != SIMPLEREGION || !EqualRgn(left, row))
                rows.push_back(rest == NULLREGION ? r : -1);
        }
        DeleteObject(row), DeleteObject(left);
        return rows;
    }
};

// Key presses or mouse steps, each with what it must send and the caret and selection after it.
struct Step {
    WPARAM key;
    bool shift, ctrl;
    Codes codes;
    int caret;
    Codes selected;
};
void Play(Fixture &f, std::initializer_list<Step> steps) {
    int step = 0;
    for (const Step &s : steps) {
        CAPTURE(++step);
        CHECK(f.Press(s.key, s.shift, s.ctrl) == s.codes);
        CHECK((f.Caret() == s.caret && f.Selected() == s.selected));
    }
}

} // namespace

TEST_CASE("keys and mouse steps in both selection modes: notifications, caret, anchor, selection") {
    REQUIRE(g_loaded);
    Fixture single(kNotifyStyle, 6);
    Play(single, {{VK_DOWN, 0, 0, {C, S}, 1, {1}},     // nothing was selected: no SELCLEAR
                  {VK_RIGHT, 1, 1, {X, C, S}, 2, {2}}, // like down; Shift and Ctrl change nothing
                  {VK_LEFT, 0, 1, {X, C, S}, 1, {1}},  // like up
                  {VK_END, 0, 0, {X, C, S}, 5, {5}},
                  {VK_DOWN, 0, 0, {}, 5, {5}}, // at the end: nothing at all
                  {VK_HOME, 0, 0, {X, C, S}, 0, {0}},
                  {VK_PRIOR, 0, 0, {}, 0, {0}},
                  {kSingle + 0, 0, 0, {}, 0, {0}}, // onto the caret and the selection
                  {kClick + 4, 0, 0, {}, 0, {0}},  // the multiple step is inert here
                  {kSingle + 3, 0, 0, {X, C, S}, 3, {3}},
                  {kSingle + 5, 1, 0, {X, C, S}, 5, {5}}}); // Shift keeps the anchor
    CHECK(single.ctl->anchor == 3);
    Send(single.tree, LUMTREEM_SETSELECTION, 4); // onto the selected item: only the caret moves
    Play(single, {{VK_UP, 0, 0, {C}, 4, {4}}});

    Fixture multi(kMulti, 12, 260); // every row in view: nothing scrolls
    Send(multi.tree, LUMTREEM_SELECTITEM, 1, 0);
    Play(multi, {{kClick + 6, 1, 0, {C, S}, 6, {6}}, // Shift without an anchor: 6 alone
                 {VK_DOWN, 0, 0, {C, S}, 7, {7}},
                 {VK_DOWN, 1, 0, {C, S}, 8, {7, 8}}, // Shift: the range from the anchor
                 {VK_DOWN, 1, 0, {C, S}, 9, {7, 8, 9}},
                 {VK_UP, 1, 0, {C, S}, 8, {7, 8}},          // ... and nothing else
                 {VK_END, 0, 1, {C, S}, 11, {7, 8, 11}},    // Ctrl: adds the target, anchors
                 {VK_UP, 1, 1, {C, S}, 10, {7, 8, 10, 11}}, // Ctrl+Shift: adds the range
                 {kClick + 2, 1, 1, {C, S}, 2, {2, 3, 4, 5, 6, 7, 8, 9, 10, 11}},
                 {kRelease + 4, 0, 1, {C, S}, 4, {2, 3, 5, 6, 7, 8, 9, 10, 11}},
                 {kRelease + 4, 0, 1, {S}, 4, {2, 3, 5, 6, 7, 8, 9, 10, 11}}, // still reported
                 {kSingle + 8, 1, 0, {C}, 8, {2, 3, 5, 6, 7, 8, 9, 10, 11}},  // caret and anchor
                 {VK_DOWN, 1, 0, {C, S}, 9, {4, 5, 6, 7, 8, 9}},
                 {kSingle + 0, 0, 0, {C}, 0, {4, 5, 6, 7, 8, 9}},
                 {VK_DOWN, 1, 0, {C, S}, 1, {0, 1}},
                 {VK_UP, 0, 0, {C, S}, 0, {0}},
                 {VK_UP, 1, 0, {}, 0, {0}}}); // at the start: not even SELCHANGE
}

TEST_CASE("page keys, Home and End go by the rows in view over shown items and scroll") {
    Fixture k(kNotifyStyle, 0, 100);
    AddItems(k.tree, {{"a", 0}, {"a1", 1}, {"a11", 2}, {"a2", 1}});
    AddFlat(k.tree, 30);
    Send(k.tree, LUMTREEM_EXPAND, 1, MAKELPARAM(0, 0));                // a11 hidden: 33 shown items
    const int full = SendI(k.tree, LUMTREEM_GETFULLROWS), last = full; // on shown row full - 1
    Play(k, {{VK_DOWN, 0, 0, {C, S}, 1, {1}}, {VK_DOWN, 0, 0, {X, C, S}, 3, {3}}});
    Send(k.tree, LUMTREEM_SETCARET, last - 1);
    Play(k, {{VK_DOWN, 0, 0, {X, C, S}, last, {last}},            // the last whole row
             {VK_DOWN, 0, 0, {X, T, C, S}, last + 1, {last + 1}}, // one past it scrolls
             {VK_PRIOR, 0, 0, {X, T, C, S}, 0, {0}},
             {VK_NEXT, 0, 0, {X, T, C, S}, full + 1, {full + 1}},
             {VK_END, 0, 0, {X, T, C, S}, 33, {33}},
             {VK_NEXT, 0, 0, {}, 33, {33}}});
    CHECK(SendI(k.tree, LUMTREEM_GETTOPINDEX) == 34 - full);
    // Page Down from fullRows - 1 before the end: onto the last item, already selected.
    Send(k.tree, LUMTREEM_SETCARET, 33 - (full - 1));
    Play(k, {{VK_NEXT, 0, 0, {C}, 33, {33}}, {VK_HOME, 0, 0, {X, T, C, S}, 0, {0}}});
}

TEST_CASE("Enter, plus and minus report whatever the style; WM_VKEYTOITEM lets the parent act") {
    Fixture k(kChildStyle | LUMTREESTYLE_WANTKEYBOARDINPUT, 0);
    LRESULT answer = -1;
    std::vector<std::pair<WPARAM, LPARAM>> asked;
    k.parent.onMessage = [&](UINT msg, WPARAM wp, LPARAM lp, LRESULT *result) {
        if (msg == WM_VKEYTOITEM) asked.emplace_back(wp, lp);
        *result = answer;
        return msg == WM_VKEYTOITEM;
    };
    CHECK((k.Press(VK_RETURN) == Codes{kEnter} && k.Press(VK_ADD).empty())); // an empty list
    CHECK(asked.at(0) == std::pair<WPARAM, LPARAM>{MAKEWPARAM(VK_RETURN, 0), Ptr(k.tree)});
    AddItems(k.tree, {{"a", 0}, {"a1", 1}, {"b", 0}, {"b1", 1}, {"leaf", 0}});
    Send(k.tree, LUMTREEM_EXPAND, 2, MAKELPARAM(0, 0));
    for (auto [caret, plus, minus] : {std::tuple{0, Codes{}, Codes{kButton}},
                                      {2, Codes{kButton}, Codes{}},
                                      {4, Codes{kButton}, Codes{}}}) {
        Send(k.tree, LUMTREEM_SETCARET, static_cast<WPARAM>(caret));
        CHECK((k.Press(VK_ADD) == plus && k.Press(VK_SUBTRACT) == minus));
    }
    CHECK(SendI(k.tree, LUMTREEM_ISEXPANDED, 0) == 1); // reported, not done
    for (int key : {VK_TAB, VK_SPACE, VK_F2, int{'A'}, VK_OEM_PLUS})
        CHECK(k.Press(WPARAM(key)).empty());
    SetWindowLongA(k.tree, GWL_STYLE, kNotifyStyle | LUMTREESTYLE_WANTKEYBOARDINPUT);
    Send(k.tree, LUMTREEM_SETCARET, 2);
    // -2 (handled) and anything that is not -1 or an item: nothing.
    for (LRESULT ignored : {-2, -3, 5}) {
        answer = ignored;
        CHECK((k.Press(VK_DOWN).empty() && k.Press(VK_RETURN).empty()));
    }
    answer = 0; // plus and minus act on item 0 (expanded), arrows still start at the caret
    CHECK((k.Press(VK_SUBTRACT) == Codes{kButton} && k.Press(VK_ADD).empty()));
    CHECK(k.Press(VK_DOWN) == Codes{C, S});
    answer = -1;
    CHECK((k.Press(VK_UP) == Codes{X, C, S} && k.Caret() == 2));
}

TEST_CASE("the caret is -1 during a step only with the focus; editors are asked to end") {
    Fixture f(kNotifyStyle, 40, 100);
    std::vector<std::pair<int, int>> seen; // (code, caret at that moment)
    f.parent.onMessage = [&](UINT msg, WPARAM wp, LPARAM, LRESULT *) {
        if (msg == WM_COMMAND) seen.emplace_back(HIWORD(wp), f.Caret());
        return false;
    };
    f.Press(kSingle + 1);
    seen.clear();
    f.Press(kSingle + 30);
    CHECK(seen == decltype(seen){{X, 1}, {T, -1}, {C, 30}, {S, 30}});
    SetFocus(nullptr);
    seen.clear();
    f.Press(kSingle + 2);
    CHECK(seen == decltype(seen){{X, 30}, {T, 30}, {C, 2}, {S, 2}});
    SetFocus(f.tree);
    // With an editor child window each changing step asks for the end of editing: the caret
    // is shown and scrolled into view, then the selected item is shown.
    Send(f.tree, LUMTREEM_SETCARET, 0);
    Send(f.tree, LUMTREEM_SETSELECTION, 0);
    PlaceEditor(f.tree);
    CHECK(f.Press(VK_DOWN) == Codes{X, E, E, E, C, E, S});
    Send(f.tree, LUMTREEM_SETCARET, WPARAM(SendI(f.tree, LUMTREEM_GETFULLROWS) - 1));
    CHECK(f.Press(VK_DOWN) == Codes{X, E, E, E, E, E, T, C, E, S});
}

TEST_CASE("keys while a drag is prepared move only the caret; Escape cancels the drag") {
    Fixture f(kMulti, 40, 100);
    Send(f.tree, LUMTREEM_SELECTITEM, 1, 0);
    Send(f.tree, LUMTREEM_SELECTITEM, 1, 1);
    MSG escape{f.tree, WM_KEYDOWN, VK_ESCAPE, 0, 0, {}};
    CHECK(Send(f.tree, WM_GETDLGCODE, 0, Ptr(&escape)) == DLGC_WANTARROWS);
    for (bool armed : {true, false}) {
        CAPTURE(armed);
        f.ctl->dragArmed = f.ctl->dragging = armed;
        f.ctl->dropScrolling = !armed;
        CHECK(Send(f.tree, WM_GETDLGCODE, 0, Ptr(&escape)) == (DLGC_WANTARROWS | DLGC_WANTALLKEYS));
        CHECK((f.Press(VK_DOWN, true) == Codes{C} && f.Press(VK_END, true) == Codes{T, C}));
        CHECK((f.Press(VK_END, true).empty() && f.Caret() == 39));
        Send(f.tree, LUMTREEM_SETCARET, 0);
        CHECK(f.Press(VK_ESCAPE) == (armed ? Codes{LUMTREEN_CANCELDRAG} : Codes{}));
        CHECK(((f.ctl->dragArmed | f.ctl->dropScrolling) == 0 && f.Selected() == Codes{0, 1}));
    }
}

TEST_CASE("focus changes repaint the caret row (and the selection if shown inactive); keys too") {
    Fixture f(kMulti, 30, 100);
    Send(f.tree, LUMTREEM_SETCARET, 1);
    for (int i : {3, 4}) Send(f.tree, LUMTREEM_SELECTITEM, 1, i);
    SetFocus(nullptr);
    for (int style = 0; style <= 3; ++style) {
        for (bool gain : {true, false}) {
            CAPTURE(style);
            f.ctl->inactiveSelectionStyle = style;
            f.Reset(), f.parent.Clear();
            SetFocus(gain ? f.tree : nullptr);
            CHECK(f.Painted() == (style ? Codes{1, 3, 4} : Codes{1}));
            CHECK(f.parent.Codes(f.tree) == Codes{gain ? LUMTREEN_SETFOCUS : LUMTREEN_KILLFOCUS});
        }
    }
    // The first key after mouse movement repaints the hot-tracked row, the next one nothing.
    SetFocus(f.tree);
    g_lum.keyboardMode = FALSE, g_lum.trackWindow = f.tree, g_lum.trackIndex = 2;
    g_lum.trackRect = RECT{0, 2 * f.ctl->rowHeight, 200, 3 * f.ctl->rowHeight};
    for (Codes rows : {Codes{2}, Codes{}}) {
        f.Reset(), f.Press(VK_F5);
        CHECK((g_lum.keyboardMode && f.Painted() == rows));
    }
    g_lum.trackIndex = -1;
    f.Reset(); // a key paints the rows it changed before WM_KEYDOWN returns
    Send(f.tree, WM_KEYDOWN, VK_DOWN, 1);
    CHECK_FALSE(GetUpdateRect(f.tree, nullptr, FALSE));
    CHECK(f.Painted() == Codes{1, 2, 3, 4});
}

TEST_CASE("selection and caret messages in both modes: results, refusals, showing, repaints") {
    Fixture s(kNotifyStyle, 0, 100), m(kMulti, 0);
    SetFocus(nullptr);
    int buffer[8] = {-5, -5, -5, -5, -5, -5, -5, -5};
    // The empty list: the caret may be 0, select all succeeds, no items are listed.
    CHECK((SendI(s.tree, LUMTREEM_SETCARET, 0) == 0 && SendI(s.tree, LUMTREEM_SETCARET, 1) == -1));
    CHECK(SendI(m.tree, LUMTREEM_SELECTITEM, 1, -1) == 0);
    CHECK(SendI(m.tree, LUMTREEM_GETSELITEMS, 2, Ptr(buffer)) == 0);
    AddItems(s.tree, {{"a", 0}, {"a1", 1}, {"a11", 2}});
    AddFlat(s.tree, 30);
    Send(s.tree, LUMTREEM_EXPAND, 0, MAKELPARAM(0, 0));
    AddFlat(m.tree, 12);
    s.Reset();
    s.parent.Clear(), m.parent.Clear();
    // clang-format off
    const struct { Fixture *f; UINT msg; WPARAM wp; LPARAM lp; int result; } cases[] = {
        {&s, LUMTREEM_SETSELECTION, WPARAM(-1), 0, 0}, {&s, LUMTREEM_SETSELECTION, 3, 0, 0},
        {&s, LUMTREEM_SETSELECTION, 33, 0, -1}, {&s, LUMTREEM_SETCARET, WPARAM(-1), 0, -1},
        {&s, LUMTREEM_SELECTITEM, 1, 2, -1}, {&s, LUMTREEM_SELECTRANGE, 1, MAKELPARAM(1, 2), -1},
        {&s, LUMTREEM_GETSELCOUNT, 0, 0, -1}, {&s, LUMTREEM_GETSELITEMS, 4, Ptr(buffer), -1},
        {&s, LUMTREEM_SETCARET, 4, 0, 0}, {&m, LUMTREEM_GETSELECTION, 0, 0, -1},
        {&m, LUMTREEM_SETSELECTION, 4, 0, -1}, {&m, LUMTREEM_GETSELITEMS, 0, Ptr(buffer), -1},
        {&m, LUMTREEM_GETSELITEMS, 8, 0, -1}, {&m, LUMTREEM_SELECTITEM, 1, -2, -1},
        {&m, LUMTREEM_SELECTRANGE, 1, MAKELPARAM(4, 2), 0}, // first above last: nothing
        {&m, LUMTREEM_SELECTRANGE, 1, MAKELPARAM(8, 12), -1},
        {&m, LUMTREEM_ISSELECTED, 12, 0, -1}, {&m, LUMTREEM_GETSELCOUNT, 0, 0, 0}};
    // clang-format on
    for (const auto &c : cases) CHECK(SendI(c.f->tree, c.msg, c.wp, c.lp) == c.result);
    CHECK(s.Painted() == Codes{1}); // the selection moved; no caret row without the focus
    // A hidden item: its ancestors are expanded; the caret does not follow, nothing scrolls.
    CHECK(SendI(s.tree, LUMTREEM_SETSELECTION, 2) == 0);
    CHECK((SendI(s.tree, LUMTREEM_ISEXPANDED, 1) == 1 && s.Selected() == Codes{2}));
    CHECK((s.Caret() == 4 && SendI(s.tree, LUMTREEM_GETTOPINDEX) == 0));
    CHECK(s.parent.Codes(s.tree).empty());
    SetFocus(s.tree); // with the focus the old and new caret rows are repainted
    s.Reset();
    CHECK((SendI(s.tree, LUMTREEM_SETCARET, 2) == 0 && s.Painted() == Codes{2, 4}));
    // Multiple mode: lists cut at the buffer's size, ranges repaint only what changed, nothing
    // notifies.
    for (int i : {9, 1, 7, 3, 11}) CHECK(SendI(m.tree, LUMTREEM_SELECTITEM, 5, i) == 0);
    CHECK(SendI(m.tree, LUMTREEM_GETSELITEMS, 2, Ptr(buffer)) == 2);
    CHECK(Codes(buffer, buffer + 3) == Codes{1, 3, -5});
    m.Reset();
    CHECK(SendI(m.tree, LUMTREEM_SELECTRANGE, 1, MAKELPARAM(2, 4)) == 0);
    CHECK((m.Selected() == Codes{1, 2, 3, 4, 7, 9, 11} && m.Painted() == Codes{2, 4}));
    CHECK((m.Caret() == 0 && m.parent.Codes(m.tree).empty()));
}

namespace {

std::vector<std::pair<int, int>> g_commands; // (id, code) the dialog received

INT_PTR CALLBACK DialogProc(HWND, UINT msg, WPARAM wp, LPARAM) {
    if (msg == WM_COMMAND) g_commands.emplace_back(LOWORD(wp), HIWORD(wp));
    return msg == WM_VKEYTOITEM ? -1 : msg == WM_COMMAND || msg == WM_INITDIALOG;
}

// Posts a key to the focus window and runs the dialog's message loop.
void Type(HWND dlg, WPARAM key) {
    PostMessageA(GetFocus(), WM_KEYDOWN, key, 1);
    PostMessageA(GetFocus(), WM_KEYUP, key, 0xC0000001);
    for (MSG msg; PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE);) {
        if (IsDialogMessageA(dlg, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

} // namespace

TEST_CASE("in a dialog the control gets arrows, Enter and page keys; Tab moves the focus on") {
    struct alignas(4) {
        DLGTEMPLATE dlg;
        WORD menu, windowClass, title;
    } tmpl{{WS_POPUP | WS_VISIBLE, 0, 0, 0, 0, 160, 120}, 0, 0, 0};
    HWND dlg = CreateDialogIndirectParamA(nullptr, &tmpl.dlg, nullptr, &DialogProc, 0);
    REQUIRE(dlg != nullptr);
    const DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP;
    HWND tree = CreateWindowExA(0, LUMTREE_CLASSNAME, "", style | LUMTREESTYLE_NOTIFY, 4, 4, 150,
                                150, dlg, HMENU(101), nullptr, nullptr);
    HWND ok = CreateWindowExA(0, "BUTTON", "OK", style | BS_DEFPUSHBUTTON, 160, 4, 60, 20, dlg,
                              HMENU(IDOK), nullptr, nullptr);
    AddFlat(tree, 40);
    const int full = SendI(tree, LUMTREEM_GETFULLROWS);
    SetForegroundWindow(dlg);
    SetFocus(tree);
    for (WPARAM key : {VK_DOWN, VK_DOWN, VK_NEXT, VK_END, VK_PRIOR}) Type(dlg, key);
    CHECK(SendI(tree, LUMTREEM_GETSELECTION) == 39 - full);
    g_commands.clear();
    Type(dlg, VK_RETURN); // to the control, not to the default button
    CHECK(g_commands == std::vector<std::pair<int, int>>{{101, kEnter}});
    Type(dlg, VK_TAB);
    CHECK(GetFocus() == ok);
    DestroyWindow(dlg);
}
