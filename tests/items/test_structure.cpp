// Inserting, deleting, copying and moving items; levels; tree queries; showing, expanding and
// collapsing; the end-edit request before changes. Driven through messages.
#include "items_support.h"

using namespace lt;

namespace {

// a0 b1 c2 d1 e0 f1: two roots, the first with a grandchild.
void Sample(HWND tree) {
    AddItems(tree, {{"a", 0}, {"b", 1}, {"c", 2}, {"d", 1}, {"e", 0}, {"f", 1}});
}

std::vector<std::pair<int, DWORD_PTR>> deleted;
INT CALLBACK RecordDeletion(HWND, INT index, DWORD_PTR data, DWORD_PTR callbackData) {
    deleted.push_back({index, data + callbackData});
    return 0;
}

} // namespace

TEST_CASE("insertion: results, positions and levels") {
    Parent parent;
    HWND tree = parent.Tree();
    CHECK(SendI(tree, LUMTREEM_ADDITEM, 0, Ptr("a")) == 0);
    CHECK(SendI(tree, LUMTREEM_ADDITEM, 0, 0) == 1); // no text
    CHECK(TextOf(tree, 1).empty());
    CHECK(SendI(tree, LUMTREEM_GETTEXTLENGTH, 1) == 0);
    CHECK(SendI(tree, LUMTREEM_INSERTITEM, static_cast<WPARAM>(-1), Ptr("end")) == 2);
    CHECK(SendI(tree, LUMTREEM_INSERTITEM, 99, Ptr("end2")) == 3);
    CHECK(SendI(tree, LUMTREEM_INSERTITEM, 1, Ptr("mid")) == 1);
    CHECK(Outline(tree) == "a mid  end end2");

    SUBCASE("an item inserted between a parent and its children is level 0 and takes them over") {
        Send(tree, LUMTREEM_SETLEVEL, 2, 1); // the untitled item becomes a child of "mid"
        CHECK(SendI(tree, LUMTREEM_INSERTITEM, 2, Ptr("new")) == 2);
        CHECK(LevelsOf(tree) == std::vector<int>{0, 0, 0, 1, 0, 0});
        CHECK(SendI(tree, LUMTREEM_GETPARENT, 3) == 2);
    }
    SUBCASE("inserting at a hidden item first expands its ancestors") {
        Send(tree, LUMTREEM_SETLEVEL, 2, 1);
        Send(tree, LUMTREEM_EXPAND, 1, MAKELPARAM(0, 0));
        CHECK(SendI(tree, LUMTREEM_ISSHOWN, 2) == 0);
        CHECK(SendI(tree, LUMTREEM_INSERTITEM, 2, Ptr("x")) == 2);
        CHECK(Outline(tree) == "a mid x  end end2");
    }
}

TEST_CASE("deletion: a collapsed item takes its subtree, displayed children stay") {
    Parent parent;
    HWND tree = parent.Tree();
    Sample(tree);
    TreeDeleteCallback cb{RecordDeletion, 1000};
    CHECK(SendI(tree, LUMTREEM_SETDELETECALLBACK, 0, Ptr(&cb)) == 1);
    for (int i = 0; i < 6; ++i) Send(tree, LUMTREEM_SETDATA, i, 10 + i);
    deleted.clear();

    SUBCASE("expanded: the children move up to the item before") {
        CHECK(SendI(tree, LUMTREEM_DELETEITEM, 1) == 5);
        CHECK(Outline(tree) == "a c d e f");
        CHECK(deleted == decltype(deleted){{1, 1011}});
    }
    SUBCASE("collapsed: the whole subtree goes, each item announced at the same index") {
        Send(tree, LUMTREEM_EXPAND, 0, MAKELPARAM(0, 0));
        CHECK(SendI(tree, LUMTREEM_DELETEITEM, 0) == 2);
        CHECK(Outline(tree) == "e f");
        CHECK(deleted == decltype(deleted){{0, 1010}, {0, 1011}, {0, 1012}, {0, 1013}});
    }
    SUBCASE("children of one item, then the item") {
        CHECK(SendI(tree, LUMTREEM_DELETECHILDREN, 0) == 3);
        CHECK(SendI(tree, LUMTREEM_DELETECHILDREN, 2) == 3); // f has none: nothing
        CHECK(SendI(tree, LUMTREEM_DELETECHILDREN, 1) == 2); // e's child f
        CHECK(Outline(tree) == "a e");
    }
    SUBCASE("delete all announces every item in index order") {
        CHECK(SendI(tree, LUMTREEM_DELETEALL) == 0);
        CHECK(SendI(tree, LUMTREEM_GETCOUNT) == 0);
        REQUIRE(deleted.size() == 6);
        for (int i = 0; i < 6; ++i) CHECK(deleted[i] == std::pair<int, DWORD_PTR>{i, 1010u + i});
    }
    SUBCASE("removing the callback") {
        Send(tree, LUMTREEM_SETDELETECALLBACK, 0, 0);
        Send(tree, LUMTREEM_DELETEALL);
        CHECK(deleted.empty());
    }
}

TEST_CASE("set level: clamping, the new parent expanded, repairs nothing") {
    Parent parent;
    HWND tree = parent.Tree();
    AddItems(tree, {{"a", 0}, {"b", 0}, {"c", 0}});
    CHECK(SendI(tree, LUMTREEM_SETLEVEL, 1, 100) == 1);
    CHECK(SendI(tree, LUMTREEM_GETLEVEL, 1) == 64);
    CHECK(SendI(tree, LUMTREEM_SETLEVEL, 1, -5) == 1);
    CHECK(SendI(tree, LUMTREEM_GETLEVEL, 1) == 0);
    CHECK(SendI(tree, LUMTREEM_SETLEVEL, 3, 1) == 0); // bad index

    // b becomes a child of a; a collapsed a is expanded again when c joins it.
    Send(tree, LUMTREEM_SETLEVEL, 1, 1);
    Send(tree, LUMTREEM_EXPAND, 0, MAKELPARAM(0, 0));
    CHECK(Outline(tree) == "a [b] c");
    CHECK(SendI(tree, LUMTREEM_SETLEVEL, 2, 3) == 1);
    CHECK(Outline(tree) == "a b c");
    CHECK(SendI(tree, LUMTREEM_GETPARENT, 2) == 1); // a level jump of two is kept as is
    CHECK(SendI(tree, LUMTREEM_GETTREEWIDTH) > 0);
}

TEST_CASE("copy and move") {
    Parent parent;
    HWND tree = parent.Tree();
    Sample(tree);
    HBITMAP bm = CreateBitmap(8, 8, 1, 1, nullptr);
    Send(tree, LUMTREEM_SETDATA, 2, 77);
    Send(tree, LUMTREEM_ENABLEITEM, 2, 0);
    Send(tree, LUMTREEM_SETNODEBITMAP, 2, Ptr(bm));

    SUBCASE("a copy has the source's level, enabled flag, bitmaps, data and text") {
        CHECK(SendI(tree, LUMTREEM_COPYITEM, 2, 5) == 5);
        CHECK(Outline(tree) == "a b c d e c f");
        CHECK(SendI(tree, LUMTREEM_GETLEVEL, 5) == 2);
        CHECK(SendI(tree, LUMTREEM_ISENABLED, 5) == 0);
        CHECK(Send(tree, LUMTREEM_GETDATA, 5) == 77);
        CHECK(Send(tree, LUMTREEM_GETNODEBITMAP, 5) == Ptr(bm));
        CHECK(SendI(tree, LUMTREEM_COPYITEM, 6, -1) == 7);    // appended
        CHECK(SendI(tree, LUMTREEM_COPYITEM, 7, 0) == 8 - 8); // at the front
        CHECK(SendI(tree, LUMTREEM_COPYITEM, 99, 0) == -1);
        CHECK(SendI(tree, LUMTREEM_COPYITEM, static_cast<WPARAM>(-1), 0) == -1);
    }
    SUBCASE("moving down returns p - 1, moving up returns p, without the deletion callback") {
        TreeDeleteCallback cb{RecordDeletion, 0};
        Send(tree, LUMTREEM_SETDELETECALLBACK, 0, Ptr(&cb));
        deleted.clear();
        CHECK(SendI(tree, LUMTREEM_MOVEITEM, 2, 5) == 4);
        CHECK(Outline(tree) == "a b d e c f");
        CHECK(Send(tree, LUMTREEM_GETDATA, 4) == 77);
        CHECK(SendI(tree, LUMTREEM_MOVEITEM, 4, 0) == 0);
        CHECK(Outline(tree) == "c a b d e f");
        CHECK(deleted.empty());
        CHECK(SendI(tree, LUMTREEM_MOVEITEM, 6, 0) == -1);
        CHECK(Outline(tree) == "c a b d e f");
    }
    SUBCASE("a collapsed source leaves with its hidden descendants; the result is the copy") {
        Send(tree, LUMTREEM_EXPAND, 0, 0); // a's subtree b c d is hidden
        CHECK(SendI(tree, LUMTREEM_MOVEITEM, 0, 5) == 1);
        CHECK(Outline(tree) == "e a f");
        CHECK(TextOf(tree, 1) == "a");
    }
    DeleteObject(bm);
}

TEST_CASE("tree queries follow the levels") {
    Parent parent;
    HWND tree = parent.Tree();
    // 0:a0 1:b2 2:c1 3:d2 4:e2 5:f0 6:g1
    AddItems(tree, {{"a", 0}, {"b", 2}, {"c", 1}, {"d", 2}, {"e", 2}, {"f", 0}, {"g", 1}});
    CHECK(SendI(tree, LUMTREEM_GETPARENT, 1) == 0);
    CHECK(SendI(tree, LUMTREEM_GETPARENT, 4) == 2);
    CHECK(SendI(tree, LUMTREEM_GETPARENT, 5) == -1);
    CHECK(SendI(tree, LUMTREEM_GETROOT, 4) == 0);
    CHECK(SendI(tree, LUMTREEM_GETROOT, 6) == 5);
    CHECK(SendI(tree, LUMTREEM_GETROOT, 5) == -1);
    CHECK(SendI(tree, LUMTREEM_GETSIBLING, 4, LUMTREESIBLING_FIRST) == 3);
    CHECK(SendI(tree, LUMTREEM_GETSIBLING, 3, LUMTREESIBLING_FIRST) == 3);
    CHECK(SendI(tree, LUMTREEM_GETSIBLING, 3, LUMTREESIBLING_LAST) == 4);
    CHECK(SendI(tree, LUMTREEM_GETSIBLING, 0, LUMTREESIBLING_LAST) == 5);
    CHECK(SendI(tree, LUMTREEM_GETSIBLING, 3, LUMTREESIBLING_PREVIOUS) == -1);
    CHECK(SendI(tree, LUMTREEM_GETSIBLING, 5, LUMTREESIBLING_PREVIOUS) == 0);
    CHECK(SendI(tree, LUMTREEM_GETSIBLING, 0, LUMTREESIBLING_NEXT) == 5);
    CHECK(SendI(tree, LUMTREEM_GETSIBLING, 4, LUMTREESIBLING_NEXT) == -1);
    CHECK(SendI(tree, LUMTREEM_GETSIBLING, 1, 5) == -1);
    CHECK(SendI(tree, LUMTREEM_GETSIBLING, 1, 0) == -1);
    CHECK(SendI(tree, LUMTREEM_GETCHILDCOUNT, 0, 1) == 4);
    CHECK(SendI(tree, LUMTREEM_GETCHILDCOUNT, 0, 0) == 1); // only c is exactly one level deeper
    CHECK(SendI(tree, LUMTREEM_GETCHILDCOUNT, 2, 0) == 2);
    CHECK(SendI(tree, LUMTREEM_GETCHILDCOUNT, 6, 1) == 0);
    CHECK(SendI(tree, LUMTREEM_GETCHILD, 0, LUMTREECHILD_FIRST) == 1);
    CHECK(SendI(tree, LUMTREEM_GETCHILD, 0, LUMTREECHILD_LASTDESCENDANT) == 4);
    CHECK(SendI(tree, LUMTREEM_GETCHILD, 4, LUMTREECHILD_FIRST) == -1);
    CHECK(SendI(tree, LUMTREEM_GETCHILD, 6, LUMTREECHILD_LASTDESCENDANT) == -1);
    CHECK(SendI(tree, LUMTREEM_GETCHILD, 0, 3) == -1);
    for (UINT msg : {LUMTREEM_GETPARENT, LUMTREEM_GETROOT, LUMTREEM_GETSIBLING,
                     LUMTREEM_GETCHILDCOUNT, LUMTREEM_GETCHILD, LUMTREEM_GETLEVEL}) {
        CHECK(SendI(tree, msg, 7, 1) == -1);
        CHECK(SendI(tree, msg, static_cast<WPARAM>(-1), 1) == -1);
    }

    SUBCASE("a list that starts below level 0") {
        Send(tree, LUMTREEM_DELETEALL);
        AddItems(tree, {{"a", 3}, {"b", 4}, {"c", 2}, {"d", 4}});
        CHECK(SendI(tree, LUMTREEM_GETPARENT, 0) == -1);
        CHECK(SendI(tree, LUMTREEM_ISSHOWN, 0) == 1);
        // Without a level-0 item the root is the earliest item with a lower level.
        CHECK(SendI(tree, LUMTREEM_GETROOT, 3) == 0);
        CHECK(SendI(tree, LUMTREEM_GETROOT, 1) == 0);
        CHECK(SendI(tree, LUMTREEM_GETROOT, 2) == -1);
    }
}

TEST_CASE("expanding and collapsing") {
    Parent parent;
    HWND tree = parent.Tree();

    SUBCASE("one level shows the children only, also across level jumps") {
        AddItems(tree, {{"a", 0}, {"b", 2}, {"c", 1}, {"d", 2}});
        Send(tree, LUMTREEM_EXPAND, 0, MAKELPARAM(0, 0));
        CHECK(Outline(tree) == "a [b] [c] [d]");
        CHECK(SendI(tree, LUMTREEM_ISEXPANDED, 0) == 0);
        CHECK(SendI(tree, LUMTREEM_EXPAND, 0, MAKELPARAM(1, 0)) == 1);
        CHECK(Outline(tree) == "a b c [d]");
        CHECK(SendI(tree, LUMTREEM_ISEXPANDED, 0) == 1);
        CHECK(SendI(tree, LUMTREEM_ISEXPANDED, 2) == 0);
    }
    SUBCASE("all levels opens the subtree only after a collapse") {
        AddItems(tree, {{"a", 0}, {"b", 1}, {"c", 2}, {"d", 3}});
        Send(tree, LUMTREEM_EXPAND, 1, MAKELPARAM(0, 0));
        CHECK(Outline(tree) == "a b [c] [d]");
        CHECK(SendI(tree, LUMTREEM_EXPAND, 0, MAKELPARAM(1, 1)) == 1); // already expanded
        CHECK(Outline(tree) == "a b [c] [d]");
        Send(tree, LUMTREEM_EXPAND, 0, MAKELPARAM(0, 0));
        CHECK(Outline(tree) == "a [b] [c] [d]");
        CHECK(SendI(tree, LUMTREEM_EXPAND, 1, MAKELPARAM(1, 0)) == 0); // hidden
        CHECK(SendI(tree, LUMTREEM_EXPAND, 0, MAKELPARAM(1, 1)) == 1);
        CHECK(Outline(tree) == "a b c d");
        CHECK(SendI(tree, LUMTREEM_EXPAND, 3, MAKELPARAM(1, 0)) == 0); // no children
        CHECK(SendI(tree, LUMTREEM_EXPAND, 4, MAKELPARAM(1, 0)) == 0);
    }
    SUBCASE("show and hide") {
        Sample(tree);
        CHECK(SendI(tree, LUMTREEM_SHOWITEM, 0, 0) == 0); // level 0 cannot hide
        CHECK(SendI(tree, LUMTREEM_SHOWITEM, 1, 1) == 1); // already shown
        CHECK(SendI(tree, LUMTREEM_SHOWITEM, 2, 0) == 1); // hides c by collapsing b
        CHECK(Outline(tree) == "a b [c] d e f");
        CHECK(SendI(tree, LUMTREEM_SHOWITEM, 3, 0) == 1); // hides all of a's children
        CHECK(Outline(tree) == "a [b] [c] [d] e f");
        CHECK(SendI(tree, LUMTREEM_SHOWITEM, 2, 1) == 1);
        CHECK(Outline(tree) == "a b c d e f");
        CHECK(SendI(tree, LUMTREEM_SHOWITEM, 6, 1) == 0);
    }
    SUBCASE("ensure visible expands the ancestors and scrolls") {
        AddItems(tree, {{"root", 0}});
        AddFlat(tree, 40);
        for (int i = 1; i <= 40; ++i) Send(tree, LUMTREEM_SETLEVEL, i, 1);
        Send(tree, LUMTREEM_EXPAND, 0, MAKELPARAM(0, 0));
        parent.Clear();
        CHECK(SendI(tree, LUMTREEM_ENSUREVISIBLE, 30) == 0);
        CHECK(SendI(tree, LUMTREEM_ISSHOWN, 30) == 1);
        int full = SendI(tree, LUMTREEM_GETFULLROWS);
        CHECK(SendI(tree, LUMTREEM_GETTOPINDEX) == 30 - full + 1);
        CHECK(parent.Codes() == std::vector<int>{LUMTREEN_TOPCHANGE});
        SendI(tree, LUMTREEM_ENSUREVISIBLE, 2);
        CHECK(SendI(tree, LUMTREEM_GETTOPINDEX) == 2);
    }
}

TEST_CASE("the vertical scroll bar follows insertion, collapse and deletion") {
    Parent parent;
    HWND tree = parent.Tree(kNotifyStyle | WS_VSCROLL);
    AddItems(tree, {{"root", 0}});
    AddFlat(tree, 60);
    auto range = [&] {
        SCROLLINFO si{};
        si.cbSize = sizeof(si);
        si.fMask = SIF_ALL;
        GetScrollInfo(tree, SB_VERT, &si);
        return si.nMax;
    };
    CHECK(range() == 60);
    for (int i = 1; i <= 60; ++i) Send(tree, LUMTREEM_SETLEVEL, i, 1);
    Send(tree, LUMTREEM_EXPAND, 0, MAKELPARAM(0, 0));
    int full = SendI(tree, LUMTREEM_GETFULLROWS);
    CHECK(range() == full - 1); // one row left, the page keeps the range
    Send(tree, LUMTREEM_EXPAND, 0, MAKELPARAM(1, 0));
    CHECK(range() == 60);
    Send(tree, LUMTREEM_DELETECHILDREN, 0);
    CHECK(range() == full - 1);
}

TEST_CASE("LUMTREEN_ENDEDIT precedes each change while an editor is in the control") {
    Parent parent;
    HWND tree = parent.Tree();
    Sample(tree);
    PlaceEditor(tree);
    HBITMAP bm = CreateBitmap(8, 8, 1, 1, nullptr);
    char buffer[32];
    auto count = [&](UINT msg, WPARAM wp, LPARAM lp) {
        parent.Clear();
        Send(tree, msg, wp, lp);
        return EndEdits(parent);
    };
    // Changes: one request per changing step of the path.
    CHECK(count(LUMTREEM_ADDITEM, 0, Ptr("x")) == 1);
    CHECK(count(LUMTREEM_INSERTITEM, 1, Ptr("y")) == 2); // show the item there, then insert
    CHECK(count(LUMTREEM_DELETEITEM, 1, 0) == 1);
    CHECK(count(LUMTREEM_EXPAND, 0, MAKELPARAM(0, 0)) == 1);
    CHECK(count(LUMTREEM_DELETEITEM, 0, 0) == 4); // a collapsed item and its three descendants
    // A bitmap of a new size recomputes the row height, which asks again.
    CHECK(count(LUMTREEM_SETBITMAP, 0, Ptr(bm)) == 2);
    CHECK(count(LUMTREEM_SETBITMAP, 1, Ptr(bm)) == 1);
    CHECK(count(LUMTREEM_SETBITMAP, static_cast<WPARAM>(-1), 0) == 1);
    CHECK(count(LUMTREEM_SETNODEBITMAP, 0, Ptr(bm)) == 1);
    CHECK(count(LUMTREEM_SORTCHILDREN, 99, 0) == 1); // sent before the parent is checked
    CHECK(count(LUMTREEM_SETDELETECALLBACK, 0, 0) == 1);
    CHECK(count(LUMTREEM_DELETEALL, 0, 0) == 1);
    Sample(tree);
    // Attribute setters without a structural change, queries and searches send nothing.
    CHECK(count(LUMTREEM_SETTEXT, 0, Ptr("t")) == 0);
    CHECK(count(LUMTREEM_SETDATA, 0, 5) == 0);
    CHECK(count(LUMTREEM_ENABLEITEM, 0, 0) == 0);
    CHECK(count(LUMTREEM_SETBITMAP, 9, Ptr(bm)) == 0);
    CHECK(count(LUMTREEM_SETNODEBITMAP, 9, Ptr(bm)) == 0);
    CHECK(count(LUMTREEM_GETTEXT, 0, Ptr(buffer)) == 0);
    CHECK(count(LUMTREEM_FINDTEXT, 0, Ptr("t")) == 0);
    CHECK(count(LUMTREEM_GETCHILDCOUNT, 0, 1) == 0);
    CHECK(count(LUMTREEM_DELETECHILDREN, 5, 0) == 0); // no children: nothing is deleted
    // Copy and move run through the insert, set-level and delete paths, each asking first.
    CHECK(count(LUMTREEM_COPYITEM, 2, 0) >= 2);
    CHECK(count(LUMTREEM_MOVEITEM, 0, 3) >= 3);
    CHECK(parent.Codes().front() == LUMTREEN_ENDEDIT);
    // Not while drawing is off.
    Send(tree, WM_SETREDRAW, 0);
    CHECK(count(LUMTREEM_ADDITEM, 0, Ptr("z")) == 0);
    CHECK(count(LUMTREEM_SORTCHILDREN, static_cast<WPARAM>(-1), 0) == 0);
    Send(tree, WM_SETREDRAW, 1);
    DeleteObject(bm);
}

TEST_CASE("bad indexes return the failure value and change nothing") {
    Parent parent;
    HWND tree = parent.Tree();
    Sample(tree);
    std::string before = Outline(tree);
    char buffer[16] = "junk";
    RECT rc{1, 2, 3, 4};
    for (WPARAM bad : {static_cast<WPARAM>(6), static_cast<WPARAM>(-1), static_cast<WPARAM>(-7)}) {
        CHECK(SendI(tree, LUMTREEM_DELETEITEM, bad) == -1);
        CHECK(SendI(tree, LUMTREEM_DELETECHILDREN, bad) == -1);
        CHECK(SendI(tree, LUMTREEM_SETLEVEL, bad, 1) == 0);
        CHECK(SendI(tree, LUMTREEM_SHOWITEM, bad, 0) == 0);
        CHECK(SendI(tree, LUMTREEM_EXPAND, bad, 1) == 0);
        CHECK(SendI(tree, LUMTREEM_ISSHOWN, bad) == 0);
        CHECK(SendI(tree, LUMTREEM_ISEXPANDED, bad) == 0);
        CHECK(SendI(tree, LUMTREEM_ENSUREVISIBLE, bad) == 0);
        CHECK(SendI(tree, LUMTREEM_MOVEITEM, bad, 0) == -1);
        CHECK(SendI(tree, LUMTREEM_GETTEXT, bad, Ptr(buffer)) == -1);
        CHECK(buffer[0] == '\0');
        CHECK(SendI(tree, LUMTREEM_SETTEXT, bad, Ptr("x")) == 0);
        CHECK(SendI(tree, LUMTREEM_GETTEXTLENGTH, bad) == -1);
        CHECK(Send(tree, LUMTREEM_GETBITMAP, bad) == 0);
        CHECK(Send(tree, LUMTREEM_GETNODEBITMAP, bad) == 0);
        CHECK(SendI(tree, LUMTREEM_SETNODEBITMAP, bad, 0) == 0);
        CHECK(SendI(tree, LUMTREEM_ISENABLED, bad) == 0);
        CHECK(SendI(tree, LUMTREEM_ENABLEITEM, bad, 1) == 0);
        CHECK(Send(tree, LUMTREEM_GETDATA, bad) == -1);
        CHECK(SendI(tree, LUMTREEM_SETDATA, bad, 5) == -1);
        CHECK(SendI(tree, LUMTREEM_GETITEMRECT, bad, Ptr(&rc)) == -1);
        CHECK(IsRectEmpty(&rc));
        CHECK(SendI(tree, LUMTREEM_FINDDATA, bad, 0) == -1);
        CHECK(SendI(tree, LUMTREEM_FINDPREFIX, bad, Ptr("")) == -1);
        CHECK(SendI(tree, LUMTREEM_FINDTEXT, bad, Ptr("a")) == -1);
    }
    CHECK(SendI(tree, LUMTREEM_SETBITMAP, static_cast<WPARAM>(-2), 0) == 0);
    CHECK(SendI(tree, LUMTREEM_SETBITMAP, 6, 0) == 0);
    CHECK(SendI(tree, LUMTREEM_SORTCHILDREN, static_cast<WPARAM>(-2), 0) == 0);
    CHECK(SendI(tree, LUMTREEM_SORTCHILDRENCB, 6, 0) == 0);
    CHECK(Outline(tree) == before);
    // Null buffers and texts never crash.
    CHECK(SendI(tree, LUMTREEM_GETTEXT, 0, 0) == -1);
    CHECK(SendI(tree, LUMTREEM_GETITEMRECT, 0, 0) == -1);
    CHECK(SendI(tree, LUMTREEM_FINDPREFIX, 0, 0) == -1);
    CHECK(SendI(tree, LUMTREEM_FINDTEXT, 0, 0) == -1);
    CHECK(SendI(tree, LUMTREEM_SETTEXT, 0, 0) == 1);
    CHECK(SendI(tree, LUMTREEM_GETTEXTLENGTH, 0) == 0);
    CHECK(SendI(tree, LUMTREEM_INSERTITEM, 0, 0) == 0);
}
