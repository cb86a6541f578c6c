// The selection steps driven as a mouse press drives them (Shift and Ctrl from the button
// message), the transient caret, keys while a drag is prepared, and the focus repaints.
#include "selection_support.h"

#include "lumtree/api/api.h"
#include "lumtree/items/items.h"
#include "lumtree/selection/selection.h"

using namespace lt;

namespace {

constexpr DWORD kMulti = kNotifyStyle | LUMTREESTYLE_MULTIPLESEL;
constexpr int X = LUMTREEN_SELCLEAR, S = LUMTREEN_SELCHANGE, C = LUMTREEN_CARETCHANGE,
              T = LUMTREEN_TOPCHANGE;

// A focused control of n flat items in a parent, with its record at hand.
struct Fixture {
    Parent parent;
    HWND tree;
    TreeCtl *ctl;
    explicit Fixture(DWORD style, int n = 12, int height = 200) {
        static const bool loaded = LoadLibraryState(GetModuleHandleA(nullptr));
        REQUIRE(loaded);
        tree = parent.Tree(style, 0, 0, 200, height);
        ctl = FindCtl(tree);
        AddFlat(tree, n);
        SetFocus(tree);
    }
    Codes Multi(int n, bool select, bool shift, bool ctrl) {
        parent.Clear();
        MultipleSelectionStep(ctl, n, select, shift, ctrl);
        return parent.Codes(tree);
    }
    Codes Single(int n, bool shift, bool ctrl) {
        parent.Clear();
        SingleSelectionStep(ctl, n, shift, ctrl);
        return parent.Codes(tree);
    }
};

} // namespace

TEST_CASE("multiple step: clicks with Shift, Ctrl+Shift and Ctrl from an anchor") {
    Fixture f(kMulti);
    Send(f.tree, LUMTREEM_SELECTITEM, 1, 0);
    CHECK(f.Multi(6, true, true, false) == Codes{C, S}); // Shift without an anchor: 6 alone
    CHECK(SelectedOf(f.tree) == Items{6});
    CHECK(f.Multi(2, true, false, false) == Codes{C, S});
    Send(f.tree, LUMTREEM_SELECTITEM, 1, 10);
    CHECK(f.Multi(5, true, true, false) == Codes{C, S});
    CHECK(SelectedOf(f.tree) == Items{2, 3, 4, 5});
    Send(f.tree, LUMTREEM_SELECTITEM, 1, 10);
    CHECK(f.Multi(7, true, true, true) == Codes{C, S});
    CHECK(SelectedOf(f.tree) == Items{2, 3, 4, 5, 6, 7, 10});
    CHECK(f.ctl->anchor == 2);
    CHECK(f.Multi(9, true, false, true) == Codes{C, S});
    CHECK(f.ctl->anchor == 9);
    // The deferred release under Ctrl deselects; a step that changes nothing still reports.
    CHECK(f.Multi(4, false, false, true) == Codes{C, S});
    CHECK(f.Multi(4, false, false, true) == Codes{S});
    CHECK(SelectedOf(f.tree) == Items{2, 3, 5, 6, 7, 9, 10});
    CHECK(f.ctl->caret == 4);
    // The single step (bitmap, label, button clicks) moves only caret and anchor here.
    CHECK(f.Single(8, true, false) == Codes{C});
    CHECK(f.ctl->anchor == 4);
    CHECK(f.Single(0, false, false) == Codes{C});
    CHECK(f.ctl->anchor == 0);
    CHECK(SelectedOf(f.tree) == Items{2, 3, 5, 6, 7, 9, 10});
}

TEST_CASE("single step: Shift keeps the anchor; the multiple step does nothing here") {
    Fixture f(kNotifyStyle);
    CHECK(f.Single(3, false, false) == Codes{C, S});
    CHECK(f.Single(6, true, false) == Codes{X, C, S});
    CHECK(f.ctl->anchor == 3);
    CHECK(f.Single(1, false, true) == Codes{X, C, S});
    CHECK(f.ctl->anchor == 1);
    CHECK(f.Single(1, false, false).empty());
    CHECK(f.Multi(4, true, false, false).empty());
    CHECK(f.ctl->selection == 1);
    CHECK(SelectedOf(f.tree) == Items{1});
}

TEST_CASE("the caret is -1 during a step only with the focus, and never after it") {
    Fixture f(kNotifyStyle, 40, 100);
    std::vector<std::pair<int, int>> seen; // (code, caret at that moment)
    f.parent.onMessage = [&](UINT msg, WPARAM wp, LPARAM, LRESULT *) {
        if (msg == WM_COMMAND) seen.emplace_back(HIWORD(wp), Caret(f.tree));
        return false;
    };
    f.Single(1, false, false);
    seen.clear();
    f.Single(30, false, false);
    CHECK(seen == decltype(seen){{X, 1}, {T, -1}, {C, 30}, {S, 30}});
    SetFocus(nullptr);
    seen.clear();
    f.Single(2, false, false);
    CHECK(seen == decltype(seen){{X, 30}, {T, 30}, {C, 2}, {S, 2}});

    // A move that is refused (a hidden level-0 item cannot be shown) keeps the old caret.
    SetFocus(f.tree);
    SetItemShown(f.ctl, 8, false);
    CHECK(f.Single(8, false, false) == Codes{X, C});
    CHECK(f.ctl->caret == 2);
    CHECK(f.ctl->selection == -1);
    SetItemShown(f.ctl, 8, true);
}

TEST_CASE("keys while a drag is prepared move only the caret; Escape cancels the drag") {
    Fixture f(kMulti, 40, 100);
    Send(f.tree, LUMTREEM_SELECTITEM, 1, 0);
    Send(f.tree, LUMTREEM_SELECTITEM, 1, 1);
    MSG escape{f.tree, WM_KEYDOWN, VK_ESCAPE, 0, 0, {}};
    CHECK(SendI(f.tree, WM_GETDLGCODE, 0, Ptr(&escape)) == DLGC_WANTARROWS);
    for (bool armed : {true, false}) {
        CAPTURE(armed);
        f.ctl->dragArmed = f.ctl->dragging = armed;
        f.ctl->dropScrolling = !armed;
        CHECK(SendI(f.tree, WM_GETDLGCODE, 0, Ptr(&escape)) == 5);
        f.parent.Clear();
        for (WPARAM key : {VK_DOWN, VK_END, VK_END}) Key(f.tree, key, true);
        CHECK(f.parent.Codes(f.tree) == Codes{C, T, C});
        CHECK(f.ctl->caret == 39);
        Send(f.tree, LUMTREEM_SETCARET, 0);
        f.parent.Clear();
        Key(f.tree, VK_ESCAPE);
        CHECK(f.parent.Codes(f.tree) == (armed ? Codes{LUMTREEN_CANCELDRAG} : Codes{}));
        CHECK((f.ctl->dragArmed | f.ctl->dropScrolling) == 0);
        CHECK(SelectedOf(f.tree) == Items{0, 1});
    }
    f.ctl->caret = -1; // a caret of -1 makes every key do nothing
    f.parent.Clear();
    for (WPARAM key : {VK_DOWN, VK_RETURN, VK_ADD}) Key(f.tree, key);
    CHECK(f.parent.Codes(f.tree).empty());
    f.ctl->caret = 0;
}

TEST_CASE("focus changes repaint the caret row, and the selected rows for inactive styles") {
    Fixture f(kMulti, 30, 100);
    Send(f.tree, LUMTREEM_SETCARET, 1);
    for (int i : {3, 4}) Send(f.tree, LUMTREEM_SELECTITEM, 1, i);
    SetFocus(nullptr);
    PaintSpy spy(f.tree);
    for (int style = 0; style <= 3; ++style) {
        for (bool gain : {true, false}) {
            CAPTURE(style);
            CAPTURE(gain);
            f.ctl->inactiveSelectionStyle = style;
            spy.Reset();
            f.parent.Clear();
            SetFocus(gain ? f.tree : nullptr);
            CHECK(spy.Row(1));
            CHECK(spy.Row(3) == (style != 0));
            CHECK(spy.Row(4) == (style != 0));
            CHECK_FALSE(spy.Row(2, false));
            CHECK(f.parent.Codes(f.tree) == Codes{gain ? LUMTREEN_SETFOCUS : LUMTREEN_KILLFOCUS});
        }
    }
}

TEST_CASE("the first key after mouse movement repaints the hot-tracked row") {
    Fixture f(kNotifyStyle);
    PaintSpy spy(f.tree);
    g_lum.keyboardMode = FALSE;
    g_lum.trackWindow = f.tree;
    g_lum.trackIndex = 2;
    int h = SendI(f.tree, LUMTREEM_GETROWHEIGHT);
    g_lum.trackRect = RECT{0, 2 * h, 200, 3 * h};
    Key(f.tree, VK_F5);
    CHECK(g_lum.keyboardMode);
    CHECK(spy.Row(2));
    spy.Reset();
    Key(f.tree, VK_F5);
    CHECK(spy.Nothing());
    g_lum.trackIndex = -1;
}
