// Keys: movement with and without Shift and Ctrl in both modes with the exact notifications,
// page keys and scrolling, Enter and the numeric-pad plus and minus, the parent's
// WM_VKEYTOITEM answers, the repaint before WM_KEYDOWN returns, and the control in a dialog.
#include "selection_support.h"

#include <string_view>

using namespace lt;

namespace {

constexpr int X = LUMTREEN_SELCLEAR, S = LUMTREEN_SELCHANGE, C = LUMTREEN_CARETCHANGE,
              T = LUMTREEN_TOPCHANGE, kEnter = LUMTREEN_LBUTTONDBLCLK + LUMTREEHIT_ITEM,
              kButton = LUMTREEN_LBUTTONDOWN + LUMTREEHIT_BUTTON;

Codes Press(Parent &parent, HWND tree, WPARAM key, bool shift = false, bool ctrl = false) {
    parent.Clear();
    Key(tree, key, shift, ctrl);
    return parent.Codes(tree);
}

// One key press and what it must send and leave.
struct Step {
    WPARAM key;
    bool shift, ctrl;
    Codes codes;
    int caret;
    Items selected;
};

void Play(Parent &parent, HWND tree, std::initializer_list<Step> steps) {
    int n = 0;
    for (const Step &s : steps) {
        const int step = ++n;
        CAPTURE(step);
        CHECK(Press(parent, tree, s.key, s.shift, s.ctrl) == s.codes);
        CHECK(Caret(tree) == s.caret);
        CHECK(SelectedOf(tree) == s.selected);
    }
}

} // namespace

TEST_CASE("movement keys in single-selection mode") {
    Parent parent;
    HWND tree = parent.Tree();
    AddFlat(tree, 6);
    SetFocus(tree);
    Play(parent, tree,
         {{VK_DOWN, 0, 0, {C, S}, 1, {1}}, // nothing was selected: no SELCLEAR
          {VK_DOWN, 0, 0, {X, C, S}, 2, {2}},
          {VK_DOWN, 1, 0, {X, C, S}, 3, {3}},  // Shift and Ctrl change nothing here
          {VK_RIGHT, 1, 1, {X, C, S}, 4, {4}}, // right and left move like down and up
          {VK_LEFT, 0, 1, {X, C, S}, 3, {3}},
          {VK_END, 0, 0, {X, C, S}, 5, {5}},
          {VK_DOWN, 0, 0, {}, 5, {5}}, // at the end: nothing at all
          {VK_HOME, 0, 0, {X, C, S}, 0, {0}},
          {VK_UP, 0, 0, {}, 0, {0}},
          {VK_PRIOR, 0, 0, {}, 0, {0}}});
    // Onto the selected item from elsewhere: only the caret moves.
    Send(tree, LUMTREEM_SETSELECTION, 1);
    Play(parent, tree, {{VK_DOWN, 0, 0, {C}, 1, {1}}});
}

TEST_CASE("movement keys in multiple-selection mode") {
    Parent parent;
    HWND tree = parent.Tree(kNotifyStyle | LUMTREESTYLE_MULTIPLESEL);
    AddFlat(tree, 8);
    SetFocus(tree);
    Play(parent, tree,
         {{VK_DOWN, 0, 0, {C, S}, 1, {1}},
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
    Parent parent;
    HWND tree = parent.Tree(kNotifyStyle, 0, 0, 200, 100);
    AddItems(tree, {{"a", 0}, {"a1", 1}, {"a11", 2}, {"a2", 1}});
    AddFlat(tree, 30);
    Send(tree, LUMTREEM_EXPAND, 1, MAKELPARAM(0, 0)); // a11 hidden: 33 shown items
    int full = SendI(tree, LUMTREEM_GETFULLROWS);
    REQUIRE(full >= 3);
    auto top = [&] { return SendI(tree, LUMTREEM_GETTOPINDEX); };

    Play(parent, tree, {{VK_DOWN, 0, 0, {C, S}, 1, {1}}, {VK_DOWN, 0, 0, {X, C, S}, 3, {3}}});
    // The item on the last whole row (shown row full - 1) and one past it, which scrolls.
    int last = full; // index of shown row full - 1, one hidden item before it
    Send(tree, LUMTREEM_SETCARET, last - 1);
    Play(parent, tree, {{VK_DOWN, 0, 0, {X, C, S}, last, {last}}});
    CHECK(top() == 0);
    Play(parent, tree, {{VK_DOWN, 0, 0, {X, T, C, S}, last + 1, {last + 1}}});
    CHECK(top() == 1);
    Play(parent, tree,
         {{VK_PRIOR, 0, 0, {X, T, C, S}, 0, {0}}, // shown row full - full
          {VK_NEXT, 0, 0, {X, T, C, S}, full + 1, {full + 1}},
          {VK_END, 0, 0, {X, T, C, S}, 33, {33}},
          {VK_NEXT, 0, 0, {}, 33, {33}}});
    CHECK(top() == 34 - full);
    // Page Down from fullRows - 1 before the end: onto the last item, already selected.
    Send(tree, LUMTREEM_SETCARET, 33 - (full - 1));
    Play(parent, tree, {{VK_NEXT, 0, 0, {C}, 33, {33}}, {VK_HOME, 0, 0, {X, T, C, S}, 0, {0}}});
    CHECK(SendI(tree, LUMTREEM_ISEXPANDED, 1) == 0); // keys never expand
}

TEST_CASE("Enter, plus and minus report whatever the style; other keys do nothing") {
    Parent parent;
    HWND tree = parent.Tree(kChildStyle);
    CHECK(Press(parent, tree, VK_RETURN) == Codes{kEnter}); // even when the list is empty
    CHECK(Press(parent, tree, VK_ADD).empty());
    AddItems(tree, {{"a", 0}, {"a1", 1}, {"b", 0}, {"b1", 1}, {"leaf", 0}});
    Send(tree, LUMTREEM_EXPAND, 2, MAKELPARAM(0, 0));
    struct {
        int caret;
        Codes plus, minus;
    } cases[] = {{0, {}, {kButton}}, {2, {kButton}, {}}, {4, {kButton}, {}}};
    for (const auto &c : cases) {
        CAPTURE(c.caret);
        Send(tree, LUMTREEM_SETCARET, static_cast<WPARAM>(c.caret));
        CHECK(Press(parent, tree, VK_ADD) == c.plus);
        CHECK(Press(parent, tree, VK_SUBTRACT) == c.minus);
    }
    CHECK(SendI(tree, LUMTREEM_ISEXPANDED, 0) == 1);
    for (int key : {VK_TAB, VK_SPACE, VK_F2, int{'A'}, VK_OEM_PLUS, VK_ESCAPE}) {
        CHECK(Press(parent, tree, static_cast<WPARAM>(key)).empty());
    }
    CHECK(SendI(tree, WM_CHAR, '+') == 0);
    CHECK(Caret(tree) == 4);
    CHECK(parent.Codes(tree).empty());
}

TEST_CASE("WM_VKEYTOITEM: the parent takes the key, lets it act, or names the key item") {
    Parent parent;
    HWND tree = parent.Tree(kNotifyStyle | LUMTREESTYLE_WANTKEYBOARDINPUT);
    AddItems(tree, {{"a", 0}, {"a1", 1}, {"b", 0}, {"c", 0}});
    Send(tree, LUMTREEM_SETCARET, 2);
    LRESULT answer = -1;
    std::vector<std::pair<WPARAM, LPARAM>> asked;
    parent.onMessage = [&](UINT msg, WPARAM wp, LPARAM lp, LRESULT *result) {
        if (msg != WM_VKEYTOITEM) return false;
        asked.emplace_back(wp, lp);
        *result = answer;
        return true;
    };
    // -2 (handled) and anything that is not -1 or an item: nothing, not even the repaint.
    for (LRESULT ignored : {LRESULT{-2}, LRESULT{-3}, LRESULT{4}}) {
        answer = ignored;
        InvalidateRect(tree, nullptr, FALSE);
        CHECK(Press(parent, tree, VK_DOWN).empty());
        CHECK(Press(parent, tree, VK_RETURN).empty());
        RECT pending;
        CHECK(GetUpdateRect(tree, &pending, FALSE));
    }
    CHECK(asked.at(0) == std::pair<WPARAM, LPARAM>{MAKEWPARAM(VK_DOWN, 2), Ptr(tree)});
    answer = 0; // plus and minus test item 0 (expanded), arrows still start at the caret
    CHECK(Press(parent, tree, VK_SUBTRACT) == Codes{kButton});
    CHECK(Press(parent, tree, VK_ADD).empty());
    CHECK(Press(parent, tree, VK_DOWN) == Codes{C, S});
    answer = -1;
    CHECK(Press(parent, tree, VK_UP) == Codes{X, C, S});
    CHECK(Caret(tree) == 2);
}

TEST_CASE("a key paints the rows it changed before WM_KEYDOWN returns") {
    Parent parent;
    HWND tree = parent.Tree(kNotifyStyle | LUMTREESTYLE_MULTIPLESEL);
    AddFlat(tree, 20);
    Send(tree, LUMTREEM_SELECTITEM, 1, 6);
    SetFocus(tree);
    PaintSpy spy(tree);
    Key(tree, VK_DOWN); // caret 0 -> 1; 6 deselected, 1 selected
    RECT pending;
    CHECK_FALSE(GetUpdateRect(tree, &pending, FALSE));
    CHECK(spy.Row(0));
    CHECK(spy.Row(1));
    CHECK(spy.Row(6));
    CHECK_FALSE(spy.Row(3, false));
}

TEST_CASE("with an editor child window each changing step asks for the end of editing") {
    Parent parent;
    HWND tree = parent.Tree(kNotifyStyle, 0, 0, 200, 100);
    AddFlat(tree, 30);
    CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 40, 10, tree, nullptr, nullptr, nullptr);
    Send(tree, LUMTREEM_SETSELECTION, 0);
    constexpr int E = LUMTREEN_ENDEDIT;
    // The caret is shown and scrolled into view, then the selected item is shown.
    CHECK(Press(parent, tree, VK_DOWN) == Codes{X, E, E, E, C, E, S});
    Send(tree, LUMTREEM_SETCARET, static_cast<WPARAM>(SendI(tree, LUMTREEM_GETFULLROWS) - 1));
    CHECK(Press(parent, tree, VK_DOWN) == Codes{X, E, E, E, E, E, T, C, E, S});
}

namespace {

// A dialog template holding the control and a default OK button.
std::vector<WORD> DialogTemplate() {
    std::vector<WORD> t;
    auto add = [&](const void *p, size_t bytes) {
        auto *w = static_cast<const WORD *>(p);
        t.insert(t.end(), w, w + bytes / 2);
    };
    auto text = [&](std::string_view s) {
        for (char c : s) t.push_back(static_cast<WORD>(c));
        t.push_back(0);
    };
    DLGTEMPLATE dlg{WS_POPUP | WS_VISIBLE, 0, 2, 0, 0, 160, 120};
    add(&dlg, sizeof dlg);
    t.insert(t.end(), {0, 0, 0}); // no menu, standard class, no title
    const DWORD treeStyle =
        WS_CHILD | WS_VISIBLE | WS_TABSTOP | LUMTREESTYLE_NOTIFY | LUMTREESTYLE_WANTKEYBOARDINPUT;
    for (auto [style, x, id] :
         {std::tuple{treeStyle, 4, 101},
          std::tuple{DWORD{WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON}, 110, IDOK}}) {
        if (t.size() % 2) t.push_back(0); // items start on DWORD boundaries
        DLGITEMTEMPLATE item{style, 0, static_cast<short>(x), 4, 100, 90, static_cast<WORD>(id)};
        add(&item, sizeof item);
        if (id == IDOK) {
            t.insert(t.end(), {0xFFFF, 0x0080}); // the button class
            text("OK");
        } else {
            text(LUMTREE_CLASSNAME);
            text("");
        }
        t.push_back(0); // no creation data
    }
    return t;
}

struct DialogLog {
    std::vector<std::pair<int, int>> commands; // (id, code)
    std::vector<WPARAM> offered;               // keys offered with WM_VKEYTOITEM
};

INT_PTR CALLBACK DialogProc(HWND dlg, UINT msg, WPARAM wp, LPARAM lp) {
    auto *log = reinterpret_cast<DialogLog *>(GetWindowLongPtrA(dlg, DWLP_USER));
    switch (msg) {
    case WM_INITDIALOG: SetWindowLongPtrA(dlg, DWLP_USER, lp); return TRUE;
    case WM_COMMAND: log->commands.emplace_back(LOWORD(wp), HIWORD(wp)); return TRUE;
    case WM_VKEYTOITEM: log->offered.push_back(LOWORD(wp)); return -1;
    default: return FALSE;
    }
}

// Posts a key to the focus window and runs the dialog's message loop.
void Type(HWND dlg, WPARAM key) {
    PostMessageA(GetFocus(), WM_KEYDOWN, key, 1);
    PostMessageA(GetFocus(), WM_KEYUP, key, 0xC0000001);
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (IsDialogMessageA(dlg, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

} // namespace

TEST_CASE("in a dialog the control gets arrows, Enter and page keys; Tab moves the focus on") {
    LumTree_RegisterApp(GetModuleHandleA(nullptr));
    std::vector<WORD> tmpl = DialogTemplate();
    DialogLog log;
    HWND dlg = CreateDialogIndirectParamA(GetModuleHandleA(nullptr),
                                          reinterpret_cast<DLGTEMPLATE *>(tmpl.data()), nullptr,
                                          &DialogProc, Ptr(&log));
    REQUIRE(dlg != nullptr);
    HWND tree = GetDlgItem(dlg, 101);
    AddFlat(tree, 40);
    int full = SendI(tree, LUMTREEM_GETFULLROWS);
    SetForegroundWindow(dlg);
    SetFocus(tree);
    for (WPARAM key : {VK_DOWN, VK_DOWN, VK_NEXT, VK_END, VK_PRIOR}) Type(dlg, key);
    CHECK(Caret(tree) == 39 - full);
    CHECK(SendI(tree, LUMTREEM_GETSELECTION) == 39 - full);
    log.commands.clear();
    Type(dlg, VK_RETURN); // to the control, not to the default button
    CHECK(log.commands == std::vector<std::pair<int, int>>{{101, kEnter}});
    Type(dlg, VK_TAB);
    CHECK(GetFocus() == GetDlgItem(dlg, IDOK));
    CHECK(log.offered ==
          std::vector<WPARAM>{VK_DOWN, VK_DOWN, VK_NEXT, VK_END, VK_PRIOR, VK_RETURN});
    DestroyWindow(dlg);
}
