// The application's selection and caret messages in both modes: results, the state they leave,
// the rows they repaint, and that they do not notify.
#include "selection_support.h"

using namespace lt;

TEST_CASE("single mode: the selection by message, and the refusals of each mode") {
    Parent parent;
    HWND tree = parent.Tree();
    AddItems(tree, {{"a", 0}, {"a1", 1}, {"a11", 2}});
    AddFlat(tree, 5);
    Send(tree, LUMTREEM_EXPAND, 0, MAKELPARAM(0, 0));
    PaintSpy spy(tree);
    parent.Clear();

    CHECK(SendI(tree, LUMTREEM_SETSELECTION, static_cast<WPARAM>(-1)) == 0); // none, and none
    CHECK(SendI(tree, LUMTREEM_SETSELECTION, 3) == 0);
    CHECK(SendI(tree, LUMTREEM_SETSELECTION, 3) == 0);
    spy.Reset();
    // A hidden item: its ancestors are expanded; the caret does not follow, nothing scrolls.
    CHECK(SendI(tree, LUMTREEM_SETSELECTION, 2) == 0);
    CHECK(SendI(tree, LUMTREEM_ISEXPANDED, 1) == 1);
    CHECK(spy.Row(1));
    CHECK(SendI(tree, LUMTREEM_GETSELECTION) == 2);
    CHECK(SelectedOf(tree) == Items{2});
    CHECK(Caret(tree) == 0);
    for (WPARAM bad : {WPARAM{8}, static_cast<WPARAM>(-2)}) {
        CHECK(SendI(tree, LUMTREEM_SETSELECTION, bad) == -1);
    }
    CHECK(SendI(tree, LUMTREEM_GETSELECTION) == 2);
    CHECK(SendI(tree, LUMTREEM_SELECTITEM, 1, 2) == -1);
    CHECK(SendI(tree, LUMTREEM_SELECTRANGE, 1, MAKELPARAM(1, 2)) == -1);
    CHECK(SendI(tree, LUMTREEM_GETSELCOUNT) == -1);
    int buffer[4] = {};
    CHECK(SendI(tree, LUMTREEM_GETSELITEMS, 4, Ptr(buffer)) == -1);
    CHECK(parent.Codes(tree).empty());

    SetWindowLongA(tree, GWL_STYLE, GetWindowLongA(tree, GWL_STYLE) | LUMTREESTYLE_MULTIPLESEL);
    CHECK(SendI(tree, LUMTREEM_GETSELECTION) == -1);
    CHECK(SendI(tree, LUMTREEM_SETSELECTION, 4) == -1);
    CHECK(SelectedOf(tree) == Items{2});
}

TEST_CASE("the caret by message: bad indexes, the empty list, showing, scrolling, repainting") {
    Parent parent;
    HWND tree = parent.Tree(kNotifyStyle, 0, 0, 200, 100);
    CHECK(SendI(tree, LUMTREEM_SETCARET, 0) == 0); // the empty list accepts 0 only
    CHECK(SendI(tree, LUMTREEM_SETCARET, 1) == -1);
    AddFlat(tree, 30);
    AddItems(tree, {{"p", 0}, {"c", 1}, {"g", 2}});
    Send(tree, LUMTREEM_EXPAND, 30, MAKELPARAM(0, 0));
    int full = SendI(tree, LUMTREEM_GETFULLROWS);
    PaintSpy spy(tree);
    parent.Clear();

    CHECK(SendI(tree, LUMTREEM_SETCARET, 33) == -1);
    CHECK(SendI(tree, LUMTREEM_SETCARET, static_cast<WPARAM>(-1)) == -1);
    CHECK(SendI(tree, LUMTREEM_SETCARET, 1) == 0);
    CHECK(spy.Nothing()); // without the focus no caret row is repainted
    CHECK(SendI(tree, LUMTREEM_SETCARET, 32) == 0);
    CHECK(SendI(tree, LUMTREEM_ISSHOWN, 32) == 1);
    CHECK(SendI(tree, LUMTREEM_GETTOPINDEX) == 33 - full); // on the last whole row
    CHECK(SendI(tree, LUMTREEM_SETCARET, 2) == 0);
    CHECK(SendI(tree, LUMTREEM_GETTOPINDEX) == 2); // above the top: it becomes the top
    CHECK(parent.Codes(tree) == Codes{LUMTREEN_TOPCHANGE, LUMTREEN_TOPCHANGE});
    CHECK(SelectedOf(tree).empty());

    SetFocus(tree);
    spy.Reset();
    CHECK(SendI(tree, LUMTREEM_SETCARET, 4) == 0);
    CHECK(spy.Row(0));
    CHECK(spy.Row(2));
    CHECK_FALSE(spy.Row(1, false));
}

TEST_CASE("multiple mode: select one, all and ranges; count and list; repaint what changed") {
    Parent parent;
    HWND tree = parent.Tree(kNotifyStyle | LUMTREESTYLE_MULTIPLESEL);
    int buffer[8] = {-5, -5, -5, -5, -5, -5, -5, -5};
    CHECK(SendI(tree, LUMTREEM_SELECTITEM, 1, -1) == 0); // the empty list
    CHECK(SendI(tree, LUMTREEM_GETSELITEMS, 2, Ptr(buffer)) == 0);
    AddFlat(tree, 12);
    PaintSpy spy(tree);
    parent.Clear();

    for (int i : {9, 1, 7, 3, 11}) CHECK(SendI(tree, LUMTREEM_SELECTITEM, 5, i) == 0);
    CHECK(SendI(tree, LUMTREEM_GETSELCOUNT) == 5);
    CHECK(SendI(tree, LUMTREEM_GETSELITEMS, 2, Ptr(buffer)) == 2);
    CHECK(Items(buffer, buffer + 3) == Items{1, 3, -5});
    CHECK(SendI(tree, LUMTREEM_GETSELITEMS, 8, Ptr(buffer)) == 5);
    CHECK(Items(buffer, buffer + 6) == Items{1, 3, 7, 9, 11, -5});
    for (WPARAM bad : {WPARAM{0}, static_cast<WPARAM>(-1)}) {
        CHECK(SendI(tree, LUMTREEM_GETSELITEMS, bad, Ptr(buffer)) == -1);
    }
    CHECK(SendI(tree, LUMTREEM_GETSELITEMS, 8, 0) == -1);

    spy.Reset();
    CHECK(SendI(tree, LUMTREEM_SELECTRANGE, 1, MAKELPARAM(2, 4)) == 0);
    CHECK(SelectedOf(tree) == Items{1, 2, 3, 4, 7, 9, 11});
    CHECK(spy.Row(2));
    CHECK(spy.Row(4));
    CHECK_FALSE(spy.Row(3, false)); // already selected
    CHECK_FALSE(spy.Row(5, false));
    CHECK(SendI(tree, LUMTREEM_SELECTRANGE, 0, MAKELPARAM(4, 2)) == 0); // first above last
    CHECK(SendI(tree, LUMTREEM_SELECTRANGE, 1, MAKELPARAM(8, 12)) == -1);
    CHECK(SendI(tree, LUMTREEM_SELECTRANGE, 1, MAKELPARAM(0xFFFF, 3)) == -1);
    CHECK(SendI(tree, LUMTREEM_SELECTITEM, 0, 3) == 0);
    CHECK(SendI(tree, LUMTREEM_SELECTITEM, 1, 12) == -1);
    CHECK(SendI(tree, LUMTREEM_SELECTITEM, 1, -2) == -1);
    CHECK(SendI(tree, LUMTREEM_ISSELECTED, 3) == 0);
    CHECK(SendI(tree, LUMTREEM_ISSELECTED, 4) == 1);
    CHECK(SendI(tree, LUMTREEM_ISSELECTED, 12) == -1);
    CHECK(SendI(tree, LUMTREEM_SELECTITEM, 0, -1) == 0);
    CHECK(SendI(tree, LUMTREEM_GETSELCOUNT) == 0);
    CHECK(Caret(tree) == 0);
    CHECK(parent.Codes(tree).empty());
}
