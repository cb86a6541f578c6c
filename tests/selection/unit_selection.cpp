// The selection and caret messages in both modes (results, state, repaints, no notifications),
// and the selection steps as a mouse press drives them: Shift and Ctrl from the button message,
// the transient caret, keys while a drag is prepared, and the focus repaints.
#include "selection_support.h"

#include "lumtree/api/api.h"
#include "lumtree/items/items.h"
#include "lumtree/selection/selection.h"

using namespace lt;

namespace {

const bool g_loaded = LoadLibraryState(GetModuleHandleA(nullptr));
constexpr DWORD kMulti = kNotifyStyle | LUMTREESTYLE_MULTIPLESEL;

// A focused control of flat items with its record at hand, driven through the steps.
struct Stepped : Keyed {
    TreeCtl *ctl;
    explicit Stepped(DWORD style, int n = 12, int height = 200)
        : Keyed(style, n, height), ctl(FindCtl(tree)) {}
    Codes Step(int n, bool select, bool shift, bool ctrl, bool multi = true) {
        parent.Clear();
        if (multi)
            MultipleSelectionStep(ctl, n, select, shift, ctrl);
        else
            SingleSelectionStep(ctl, n, shift, ctrl);
        return parent.Codes(tree);
    }
};

} // namespace

TEST_CASE("selection and caret messages: results, refusals, showing, scrolling, repaints") {
    REQUIRE(g_loaded);
    Stepped f(kNotifyStyle, 0, 100);
    SetFocus(nullptr);
    CHECK((SendI(f.tree, LUMTREEM_SETCARET, 0) == 0 && SendI(f.tree, LUMTREEM_SETCARET, 1) == -1));
    AddItems(f.tree, {{"a", 0}, {"a1", 1}, {"a11", 2}});
    AddFlat(f.tree, 30);
    Send(f.tree, LUMTREEM_EXPAND, 0, MAKELPARAM(0, 0));
    PaintSpy spy(f.tree);
    f.parent.Clear();
    int buffer[4] = {};
    // clang-format off
    const struct { UINT msg; WPARAM wp; LPARAM lp; int result; } cases[] = {
        {LUMTREEM_SETSELECTION, WPARAM(-1), 0, 0}, {LUMTREEM_SETSELECTION, 3, 0, 0},
        {LUMTREEM_SETSELECTION, 3, 0, 0}, {LUMTREEM_SETSELECTION, 33, 0, -1},
        {LUMTREEM_SETSELECTION, WPARAM(-2), 0, -1}, {LUMTREEM_SETCARET, 33, 0, -1},
        {LUMTREEM_SETCARET, WPARAM(-1), 0, -1}, {LUMTREEM_SELECTITEM, 1, 2, -1}, // multiple only
        {LUMTREEM_SELECTRANGE, 1, MAKELPARAM(1, 2), -1}, {LUMTREEM_GETSELCOUNT, 0, 0, -1},
        {LUMTREEM_GETSELITEMS, 4, Ptr(buffer), -1}, {LUMTREEM_SETCARET, 4, 0, 0}};
    // clang-format on
    for (const auto &c : cases) CHECK(SendI(f.tree, c.msg, c.wp, c.lp) == c.result);
    CHECK(spy.Rows() == Codes{1}); // the selection moved; no caret row without the focus
    // A hidden item: its ancestors are expanded; the caret does not follow, nothing scrolls.
    CHECK(SendI(f.tree, LUMTREEM_SETSELECTION, 2) == 0);
    CHECK((SendI(f.tree, LUMTREEM_ISEXPANDED, 1) == 1 && f.Selected() == Codes{2}));
    CHECK((f.Caret() == 4 && SendI(f.tree, LUMTREEM_GETTOPINDEX) == 0));
    // The caret is shown and scrolled onto the last whole row, or becomes the top.
    const int full = SendI(f.tree, LUMTREEM_GETFULLROWS);
    CHECK(SendI(f.tree, LUMTREEM_SETCARET, 32) == 0);
    CHECK(SendI(f.tree, LUMTREEM_GETTOPINDEX) == 33 - full);
    CHECK(SendI(f.tree, LUMTREEM_SETCARET, 4) == 0);
    CHECK(SendI(f.tree, LUMTREEM_GETTOPINDEX) == 4);
    CHECK(f.parent.Codes(f.tree) == Codes{T, T});
    SetFocus(f.tree);
    spy.Reset();
    CHECK(SendI(f.tree, LUMTREEM_SETCARET, 6) == 0);
    CHECK(spy.Rows() == Codes{0, 2});
    SetWindowLongA(f.tree, GWL_STYLE, GetWindowLongA(f.tree, GWL_STYLE) | LUMTREESTYLE_MULTIPLESEL);
    CHECK((SendI(f.tree, LUMTREEM_GETSELECTION) == -1 &&
           SendI(f.tree, LUMTREEM_SETSELECTION, 4) == -1));
    CHECK(f.Selected() == Codes{2});
}

TEST_CASE("multiple mode: select one, all and ranges; count and list; repaint what changed") {
    Stepped f(kMulti, 0);
    int buffer[8] = {-5, -5, -5, -5, -5, -5, -5, -5};
    CHECK(SendI(f.tree, LUMTREEM_SELECTITEM, 1, -1) == 0); // the empty list
    CHECK(SendI(f.tree, LUMTREEM_GETSELITEMS, 2, Ptr(buffer)) == 0);
    AddFlat(f.tree, 12);
    PaintSpy spy(f.tree);
    f.parent.Clear();
    for (int i : {9, 1, 7, 3, 11}) CHECK(SendI(f.tree, LUMTREEM_SELECTITEM, 5, i) == 0);
    CHECK(SendI(f.tree, LUMTREEM_GETSELCOUNT) == 5);
    CHECK(SendI(f.tree, LUMTREEM_GETSELITEMS, 2, Ptr(buffer)) == 2);
    CHECK(Codes(buffer, buffer + 3) == Codes{1, 3, -5});
    CHECK(SendI(f.tree, LUMTREEM_GETSELITEMS, 8, Ptr(buffer)) == 5);
    CHECK(Codes(buffer, buffer + 6) == Codes{1, 3, 7, 9, 11, -5});
    spy.Reset();
    CHECK(SendI(f.tree, LUMTREEM_SELECTRANGE, 1, MAKELPARAM(2, 4)) == 0);
    CHECK((f.Selected() == Codes{1, 2, 3, 4, 7, 9, 11} && spy.Rows() == Codes{2, 4}));
    // clang-format off
    const struct { UINT msg; WPARAM wp; LPARAM lp; int result; } cases[] = {
        {LUMTREEM_GETSELITEMS, 0, Ptr(buffer), -1}, {LUMTREEM_GETSELITEMS, 8, 0, -1},
        {LUMTREEM_GETSELITEMS, WPARAM(-1), Ptr(buffer), -1},
        {LUMTREEM_SELECTRANGE, 0, MAKELPARAM(4, 2), 0}, // first above last
        {LUMTREEM_SELECTRANGE, 1, MAKELPARAM(8, 12), -1},
        {LUMTREEM_SELECTRANGE, 1, MAKELPARAM(0xFFFF, 3), -1}, {LUMTREEM_SELECTITEM, 0, 3, 0},
        {LUMTREEM_SELECTITEM, 1, 12, -1}, {LUMTREEM_SELECTITEM, 1, -2, -1},
        {LUMTREEM_ISSELECTED, 3, 0, 0}, {LUMTREEM_ISSELECTED, 4, 0, 1},
        {LUMTREEM_ISSELECTED, 12, 0, -1}, {LUMTREEM_SELECTITEM, 0, -1, 0},
        {LUMTREEM_GETSELCOUNT, 0, 0, 0}};
    // clang-format on
    for (const auto &c : cases) CHECK(SendI(f.tree, c.msg, c.wp, c.lp) == c.result);
    CHECK((f.Caret() == 0 && f.parent.Codes(f.tree).empty()));
}

TEST_CASE("the steps: anchors, Shift, Ctrl+Shift and Ctrl, and the single step in both modes") {
    Stepped f(kMulti);
    Send(f.tree, LUMTREEM_SELECTITEM, 1, 0);
    // clang-format off
    const struct { bool with10; int n; bool select, shift, ctrl; Codes codes, chosen; } steps[] = {
        {0, 6, 1, 1, 0, {C, S}, {6}}, // Shift without an anchor: 6 alone
        {0, 2, 1, 0, 0, {C, S}, {2}},
        {1, 5, 1, 1, 0, {C, S}, {2, 3, 4, 5}}, // Shift: the range from the anchor, nothing else
        {1, 7, 1, 1, 1, {C, S}, {2, 3, 4, 5, 6, 7, 10}}, // Ctrl+Shift: the range added
        {0, 9, 1, 0, 1, {C, S}, {2, 3, 4, 5, 6, 7, 9, 10}}, // Ctrl: added, anchored there
        {0, 4, 0, 0, 1, {C, S}, {2, 3, 5, 6, 7, 9, 10}}, // the deferred release deselects
        {0, 4, 0, 0, 1, {S}, {2, 3, 5, 6, 7, 9, 10}}}; // nothing changes, still reported
    // clang-format on
    for (const auto &s : steps) {
        CAPTURE(s.n);
        if (s.with10) Send(f.tree, LUMTREEM_SELECTITEM, 1, 10);
        CHECK(f.Step(s.n, s.select, s.shift, s.ctrl) == s.codes);
        CHECK((f.Selected() == s.chosen && f.Caret() == s.n));
        if (s.n == 7 || s.n == 9) CHECK(f.ctl->anchor == (s.n == 7 ? 2 : 9));
    }
    // The single step (bitmap, label, button clicks) moves only the caret and anchor here.
    CHECK((f.Step(8, true, true, false, false) == Codes{C} && f.ctl->anchor == 4));
    CHECK((f.Step(0, true, false, false, false) == Codes{C} && f.ctl->anchor == 0));
    CHECK(f.Selected() == Codes{2, 3, 5, 6, 7, 9, 10});

    Stepped g(kNotifyStyle); // single mode: Shift keeps the anchor; the multiple step is inert
    CHECK(g.Step(3, true, false, false, false) == Codes{C, S});
    CHECK((g.Step(6, true, true, false, false) == Codes{X, C, S} && g.ctl->anchor == 3));
    CHECK((g.Step(1, true, false, true, false) == Codes{X, C, S} && g.ctl->anchor == 1));
    CHECK(g.Step(1, true, false, false, false).empty());
    CHECK((g.Step(4, true, false, false).empty() && g.Selected() == Codes{1}));
}

TEST_CASE("the caret is -1 during a step only with the focus, and never after it") {
    Stepped f(kNotifyStyle, 40, 100);
    std::vector<std::pair<int, int>> seen; // (code, caret at that moment)
    f.parent.onMessage = [&](UINT msg, WPARAM wp, LPARAM, LRESULT *) {
        if (msg == WM_COMMAND) seen.emplace_back(HIWORD(wp), f.Caret());
        return false;
    };
    f.Step(1, true, false, false, false);
    seen.clear();
    f.Step(30, true, false, false, false);
    CHECK(seen == decltype(seen){{X, 1}, {T, -1}, {C, 30}, {S, 30}});
    SetFocus(nullptr);
    seen.clear();
    f.Step(2, true, false, false, false);
    CHECK(seen == decltype(seen){{X, 30}, {T, 30}, {C, 2}, {S, 2}});
    // A move that is refused (a hidden level-0 item cannot be shown) keeps the old caret.
    SetFocus(f.tree);
    SetItemShown(f.ctl, 8, false);
    CHECK(f.Step(8, true, false, false, false) == Codes{X, C});
    CHECK((f.ctl->caret == 2 && f.ctl->selection == -1));
    SetItemShown(f.ctl, 8, true);
}

TEST_CASE("keys while a drag is prepared move only the caret; Escape cancels the drag") {
    Stepped f(kMulti, 40, 100);
    Send(f.tree, LUMTREEM_SELECTITEM, 1, 0);
    Send(f.tree, LUMTREEM_SELECTITEM, 1, 1);
    MSG escape{f.tree, WM_KEYDOWN, VK_ESCAPE, 0, 0, {}};
    CHECK(SendI(f.tree, WM_GETDLGCODE, 0, Ptr(&escape)) == DLGC_WANTARROWS);
    for (bool armed : {true, false}) {
        CAPTURE(armed);
        f.ctl->dragArmed = f.ctl->dragging = armed;
        f.ctl->dropScrolling = !armed;
        CHECK(SendI(f.tree, WM_GETDLGCODE, 0, Ptr(&escape)) ==
              (DLGC_WANTARROWS | DLGC_WANTALLKEYS));
        CHECK((f.Press(VK_DOWN, true) == Codes{C} && f.Press(VK_END, true) == Codes{T, C}));
        CHECK((f.Press(VK_END, true).empty() && f.Caret() == 39));
        Send(f.tree, LUMTREEM_SETCARET, 0);
        CHECK(f.Press(VK_ESCAPE) == (armed ? Codes{LUMTREEN_CANCELDRAG} : Codes{}));
        CHECK(((f.ctl->dragArmed | f.ctl->dropScrolling) == 0 && f.Selected() == Codes{0, 1}));
    }
    f.ctl->caret = -1; // a caret of -1 makes every key do nothing
    for (WPARAM key : {VK_DOWN, VK_RETURN, VK_ADD}) CHECK(f.Press(key).empty());
    f.ctl->caret = 0;
}

TEST_CASE("focus changes repaint the caret row, and the selected rows for inactive styles") {
    Stepped f(kMulti, 30, 100);
    Send(f.tree, LUMTREEM_SETCARET, 1);
    for (int i : {3, 4}) Send(f.tree, LUMTREEM_SELECTITEM, 1, i);
    SetFocus(nullptr);
    PaintSpy spy(f.tree);
    for (int style = 0; style <= 3; ++style) {
        for (bool gain : {true, false}) {
            CAPTURE(style);
            f.ctl->inactiveSelectionStyle = style;
            spy.Reset();
            f.parent.Clear();
            SetFocus(gain ? f.tree : nullptr);
            CHECK(spy.Rows() == (style ? Codes{1, 3, 4} : Codes{1}));
            CHECK(f.parent.Codes(f.tree) == Codes{gain ? LUMTREEN_SETFOCUS : LUMTREEN_KILLFOCUS});
        }
    }
    // The first key after mouse movement repaints the hot-tracked row, the next one nothing.
    SetFocus(f.tree);
    g_lum.keyboardMode = FALSE;
    g_lum.trackWindow = f.tree;
    g_lum.trackIndex = 2;
    g_lum.trackRect = RECT{0, 2 * f.ctl->rowHeight, 200, 3 * f.ctl->rowHeight};
    spy.Reset();
    f.Press(VK_F5);
    CHECK((g_lum.keyboardMode && spy.Rows() == Codes{2}));
    spy.Reset();
    f.Press(VK_F5);
    CHECK(spy.Rows().empty());
    g_lum.trackIndex = -1;
}
