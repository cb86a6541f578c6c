// Keys in both modes with and without Shift and Ctrl: the exact notifications and the state
// after each press, page keys and scrolling, Enter and the numeric-pad plus and minus, the
// parent's WM_VKEYTOITEM answers, the repaint before WM_KEYDOWN returns, and a real dialog.
#include "selection_support.h"

using namespace lt;

namespace {

constexpr int kEnter = LUMTREEN_LBUTTONDBLCLK + LUMTREEHIT_ITEM,
              kButton = LUMTREEN_LBUTTONDOWN + LUMTREEHIT_BUTTON;

// Key presses, each with what it must send and the caret and selection it must leave.
struct Step {
    WPARAM key;
    bool shift, ctrl;
    Codes codes;
    int caret;
    Codes selected;
};
void Play(Keyed &k, std::initializer_list<Step> steps) {
    int step = 0;
    for (const Step &s : steps) {
        CAPTURE(++step);
        CHECK(k.Press(s.key, s.shift, s.ctrl) == s.codes);
        CHECK((k.Caret() == s.caret && k.Selected() == s.selected));
    }
}

} // namespace

TEST_CASE("movement keys in both selection modes") {
    Keyed single(kNotifyStyle, 6);
    Play(single, {{VK_DOWN, 0, 0, {C, S}, 1, {1}}, // nothing was selected: no SELCLEAR
                  {VK_DOWN, 0, 0, {X, C, S}, 2, {2}},
                  {VK_DOWN, 1, 0, {X, C, S}, 3, {3}},  // Shift and Ctrl change nothing here
                  {VK_RIGHT, 1, 1, {X, C, S}, 4, {4}}, // right and left move like down and up
                  {VK_LEFT, 0, 1, {X, C, S}, 3, {3}},
                  {VK_END, 0, 0, {X, C, S}, 5, {5}},
                  {VK_DOWN, 0, 0, {}, 5, {5}}, // at the end: nothing at all
                  {VK_HOME, 0, 0, {X, C, S}, 0, {0}},
                  {VK_UP, 0, 0, {}, 0, {0}},
                  {VK_PRIOR, 0, 0, {}, 0, {0}}});
    Send(single.tree, LUMTREEM_SETSELECTION, 1); // onto the selected item: only the caret moves
    Play(single, {{VK_DOWN, 0, 0, {C}, 1, {1}}});

    Keyed multi(kNotifyStyle | LUMTREESTYLE_MULTIPLESEL, 8);
    Play(multi, {{VK_DOWN, 0, 0, {C, S}, 1, {1}},
                 {VK_DOWN, 1, 0, {C, S}, 2, {1, 2}}, // Shift: the range from the anchor
                 {VK_DOWN, 1, 0, {C, S}, 3, {1, 2, 3}},
                 {VK_UP, 1, 0, {C, S}, 2, {1, 2}},       // ... and nothing else
                 {VK_END, 0, 1, {C, S}, 7, {1, 2, 7}},   // Ctrl: adds the target, anchors there
                 {VK_UP, 1, 1, {C, S}, 6, {1, 2, 6, 7}}, // Ctrl+Shift: adds the range
                 {VK_UP, 0, 0, {C, S}, 5, {5}},          // no modifier: the target alone
                 {VK_HOME, 1, 0, {C, S}, 0, {0, 1, 2, 3, 4, 5}},
                 {VK_UP, 1, 0, {}, 0, {0, 1, 2, 3, 4, 5}}}); // at the start: not even SELCHANGE
}

TEST_CASE("page keys, Home and End go by the rows in view over shown items and scroll") {
    Keyed k(kNotifyStyle, 0, 100);
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
    CHECK(SendI(k.tree, LUMTREEM_ISEXPANDED, 1) == 0); // keys never expand
}

TEST_CASE("Enter, plus and minus report whatever the style; other keys do nothing") {
    Keyed k(kChildStyle, 0);
    CHECK((k.Press(VK_RETURN) == Codes{kEnter} && k.Press(VK_ADD).empty())); // an empty list
    AddItems(k.tree, {{"a", 0}, {"a1", 1}, {"b", 0}, {"b1", 1}, {"leaf", 0}});
    Send(k.tree, LUMTREEM_EXPAND, 2, MAKELPARAM(0, 0));
    for (auto [caret, plus, minus] : {std::tuple{0, Codes{}, Codes{kButton}},
                                      {2, Codes{kButton}, Codes{}},
                                      {4, Codes{kButton}, Codes{}}}) {
        Send(k.tree, LUMTREEM_SETCARET, static_cast<WPARAM>(caret));
        CHECK((k.Press(VK_ADD) == plus && k.Press(VK_SUBTRACT) == minus));
    }
    CHECK(SendI(k.tree, LUMTREEM_ISEXPANDED, 0) == 1); // reported, not done
    for (int key : {VK_TAB, VK_SPACE, VK_F2, int{'A'}, VK_OEM_PLUS, VK_ESCAPE}) {
        CHECK(k.Press(static_cast<WPARAM>(key)).empty());
    }
    CHECK(k.Caret() == 4);
}

TEST_CASE("WM_VKEYTOITEM: the parent takes the key, lets it act, or names the key item") {
    Keyed k(kNotifyStyle | LUMTREESTYLE_WANTKEYBOARDINPUT, 0);
    AddItems(k.tree, {{"a", 0}, {"a1", 1}, {"b", 0}, {"c", 0}});
    Send(k.tree, LUMTREEM_SETCARET, 2);
    LRESULT answer = -1;
    std::vector<std::pair<WPARAM, LPARAM>> asked;
    k.parent.onMessage = [&](UINT msg, WPARAM wp, LPARAM lp, LRESULT *result) {
        if (msg == WM_VKEYTOITEM) asked.emplace_back(wp, lp);
        *result = answer;
        return msg == WM_VKEYTOITEM;
    };
    // -2 (handled) and anything that is not -1 or an item: nothing, not even the repaint.
    for (LRESULT ignored : {-2, -3, 4}) {
        answer = ignored;
        InvalidateRect(k.tree, nullptr, FALSE);
        CHECK((k.Press(VK_DOWN).empty() && k.Press(VK_RETURN).empty()));
        CHECK(GetUpdateRect(k.tree, nullptr, FALSE));
    }
    CHECK(asked.at(0) == std::pair<WPARAM, LPARAM>{MAKEWPARAM(VK_DOWN, 2), Ptr(k.tree)});
    answer = 0; // plus and minus act on item 0 (expanded), arrows still start at the caret
    CHECK((k.Press(VK_SUBTRACT) == Codes{kButton} && k.Press(VK_ADD).empty()));
    CHECK(k.Press(VK_DOWN) == Codes{C, S});
    answer = -1;
    CHECK((k.Press(VK_UP) == Codes{X, C, S} && k.Caret() == 2));
}

TEST_CASE("a key paints the rows it changed before WM_KEYDOWN returns; editors are asked") {
    Keyed k(kNotifyStyle | LUMTREESTYLE_MULTIPLESEL, 20);
    Send(k.tree, LUMTREEM_SELECTITEM, 1, 6);
    PaintSpy spy(k.tree);
    Send(k.tree, WM_KEYDOWN, VK_DOWN, 1); // caret 0 -> 1; 6 deselected, 1 selected
    CHECK_FALSE(GetUpdateRect(k.tree, nullptr, FALSE));
    CHECK(spy.Rows() == Codes{0, 1, 6});
    // With an editor child window each changing step asks for the end of editing: the caret
    // is shown and scrolled into view, then the selected item is shown.
    Keyed single(kNotifyStyle, 30, 100);
    PlaceEditor(single.tree);
    Send(single.tree, LUMTREEM_SETSELECTION, 0);
    CHECK(single.Press(VK_DOWN) == Codes{X, E, E, E, C, E, S});
    Send(single.tree, LUMTREEM_SETCARET, WPARAM(SendI(single.tree, LUMTREEM_GETFULLROWS) - 1));
    CHECK(single.Press(VK_DOWN) == Codes{X, E, E, E, E, E, T, C, E, S});
}

namespace {

std::vector<std::pair<int, int>> g_commands; // (id, code) the dialog received
std::vector<WPARAM> g_offered;               // keys offered with WM_VKEYTOITEM

INT_PTR CALLBACK DialogProc(HWND, UINT msg, WPARAM wp, LPARAM) {
    if (msg == WM_COMMAND) g_commands.emplace_back(LOWORD(wp), HIWORD(wp));
    if (msg == WM_VKEYTOITEM) g_offered.push_back(LOWORD(wp));
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
    LumTree_RegisterApp(GetModuleHandleA(nullptr));
    struct alignas(4) {
        DLGTEMPLATE dlg;
        WORD menu, windowClass, title;
    } tmpl{{WS_POPUP | WS_VISIBLE, 0, 0, 0, 0, 160, 120}, 0, 0, 0};
    HWND dlg = CreateDialogIndirectParamA(nullptr, &tmpl.dlg, nullptr, &DialogProc, 0);
    REQUIRE(dlg != nullptr);
    const DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP;
    HWND tree = CreateWindowExA(0, LUMTREE_CLASSNAME, "",
                                style | LUMTREESTYLE_NOTIFY | LUMTREESTYLE_WANTKEYBOARDINPUT, 4, 4,
                                150, 150, dlg, HMENU(101), nullptr, nullptr);
    HWND ok = CreateWindowExA(0, "BUTTON", "OK", style | BS_DEFPUSHBUTTON, 160, 4, 60, 20, dlg,
                              HMENU(IDOK), nullptr, nullptr);
    AddFlat(tree, 40);
    const int full = SendI(tree, LUMTREEM_GETFULLROWS);
    SetForegroundWindow(dlg);
    SetFocus(tree);
    for (WPARAM key : {VK_DOWN, VK_DOWN, VK_NEXT, VK_END, VK_PRIOR}) Type(dlg, key);
    CHECK((SendI(tree, LUMTREEM_GETCARET) == 39 - full &&
           SendI(tree, LUMTREEM_GETSELECTION) == 39 - full));
    g_commands.clear();
    Type(dlg, VK_RETURN); // to the control, not to the default button
    CHECK(g_commands == std::vector<std::pair<int, int>>{{101, kEnter}});
    Type(dlg, VK_TAB);
    CHECK(GetFocus() == ok);
    CHECK(g_offered == std::vector<WPARAM>{VK_DOWN, VK_DOWN, VK_NEXT, VK_END, VK_PRIOR, VK_RETURN});
    DestroyWindow(dlg);
}
