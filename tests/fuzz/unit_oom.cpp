// Out of memory: every message that allocates is run with the first, the second, ... allocation
// failing (and every paint with the n-th GDI object failing) until it runs through. Each time
// the message either gives its failure value and leaves the control as it was, or does the
// whole job; either way the control keeps working.
#include "../support/harness.h"
#include "lumtree/api/api.h"
#include "lumtree/frame/frame.h"
#include "lumtree/frame/gdi.h"

#include <string>

using namespace lt;

namespace {

constexpr COLORREF kBack = RGB(250, 250, 240);

// Everything an application can read back that an allocating message could change.
std::string State(HWND tree) {
    std::string s;
    auto add = [&s](LRESULT v) { s += std::to_string(v) + ","; };
    const LRESULT n = Send(tree, LUMTREEM_GETCOUNT);
    add(n);
    static char text[8192], label[8192];
    for (LRESULT i = 0; i < n; ++i) {
        const auto w = static_cast<WPARAM>(i);
        for (UINT m :
             {LUMTREEM_GETLEVEL, LUMTREEM_ISSHOWN, LUMTREEM_ISSELECTED, LUMTREEM_GETDATA}) {
            add(Send(tree, m, w));
        }
        label[0] = 0;
        Send(tree, LUMTREEM_GETTEXT, w, Ptr(text));
        if (Send(tree, LUMTREEM_GETLABELTEXTLENGTH, w) > 0) {
            Send(tree, LUMTREEM_GETLABELTEXT, w, Ptr(label));
        }
        s += std::string(text) + "|" + label;
        TreeCellAttrRequest q{LUMTREE_ATTRVERSION, static_cast<INT>(i), 1, {}};
        add(Send(tree, LUMTREEM_GETCELLATTR, 0, Ptr(&q)));
        add(q.attr.backColor);
    }
    for (UINT m : {LUMTREEM_GETCARET, LUMTREEM_GETTOPINDEX, LUMTREEM_GETSELECTION,
                   LUMTREEM_GETROWHEIGHT, LUMTREEM_GETTREEWIDTH, LUMTREEM_GETHEXTENT}) {
        add(Send(tree, m));
    }
    TreeColumn *columns = nullptr;
    const LRESULT count = Send(tree, LUMTREEM_GETCOLUMNS, 0, Ptr(&columns));
    add(count);
    for (LRESULT c = 0; c < count; ++c) {
        add(columns[c].width);
        s += columns[c].title ? columns[c].title : "-";
    }
    Send(tree, LUMTREEM_GETCORNERTEXT, sizeof text, Ptr(text));
    s += text;
    return s;
}

// A parent with a control holding a small tree in two columns, labels and cell attributes.
struct Fixture {
    Parent parent;
    HWND tree;
    Fixture() {
        static const bool loaded = LoadLibraryState(GetModuleHandleA(nullptr));
        REQUIRE(loaded);
        tree = parent.Tree(kNotifyStyle | WS_VSCROLL, 0, 0, 220, 120);
        char a[] = "Name", b[] = "Size";
        TreeColumn cols[2] = {{0, 0, 80, 0, 0, a, nullptr, nullptr, 0},
                              {0, 0, LUMTREE_STRETCH, 0, 0, b, nullptr, nullptr, 0}};
        REQUIRE(Send(tree, LUMTREEM_SETCOLUMNS, 2, Ptr(cols)) == 1);
        Send(tree, LUMTREEM_SHOWHEADER, 1);
        Send(tree, LUMTREEM_SHOWLABELS, 3);
        AddItems(tree, {{"delta", 0}, {"alpha", 1}, {"charlie", 1}, {"bravo", 0}, {"echo", 2}});
        Send(tree, LUMTREEM_EXPAND, 3, 0); // bravo's child hidden
        Send(tree, LUMTREEM_SETSELECTION, 2);
        Send(tree, LUMTREEM_SETCARET, 2);
        Send(tree, LUMTREEM_SETLABELTEXT, 0, Ptr("first"));
        TreeCellAttrRequest q{LUMTREE_ATTRVERSION, 0, 1, {kBack, 0, 0, 0, nullptr, nullptr, 0}};
        Send(tree, LUMTREEM_SETCELLATTR, 0, Ptr(&q));
        UpdateWindow(tree);
    }
};

// A message and its failure value.
struct Case {
    const char *name;
    UINT msg;
    WPARAM wp;
    LPARAM lp;
    LRESULT failure;
};

// After a failure the control still takes items, paints and answers.
void StillWorks(HWND tree) {
    const LRESULT n = Send(tree, LUMTREEM_GETCOUNT);
    CHECK(Send(tree, LUMTREEM_ADDITEM, 0, Ptr("after")) == n);
    CHECK(Send(tree, LUMTREEM_GETTEXTLENGTH, static_cast<WPARAM>(n)) == 5);
    InvalidateRect(tree, nullptr, FALSE);
    UpdateWindow(tree);
}

} // namespace

TEST_CASE("every allocating message under a failing allocator") {
    TreeColumnInfo simple[2] = {{90, 0, 0, nullptr}, {LUMTREE_STRETCH, 0, 0, nullptr}};
    char t1[] = "One", t2[] = "Two";
    TreeColumn full[2] = {{0, 0, 70, 0, 0, t1, nullptr, nullptr, 0},
                          {0, 0, 60, 0, 0, t2, nullptr, nullptr, 0}};
    TreeColumnInfo *handedOut = nullptr;
    TreeCellAttrRequest cell{
        LUMTREE_ATTRVERSION, 3, 1, {RGB(1, 2, 3), 0, 0, 0, nullptr, nullptr, 0}};
    TreeLabelAttrRequest label{LUMTREE_ATTRVERSION, 4, {RGB(4, 5, 6), 0, 0, 0, nullptr, 0}};
    const std::string longText(3000, 'x');
    const Case cases[] = {
        {"add", LUMTREEM_ADDITEM, 0, Ptr("new item"), -1},
        {"insert", LUMTREEM_INSERTITEM, 1, Ptr("new item"), -1},
        {"insert at a hidden item", LUMTREEM_INSERTITEM, 4, Ptr("new"), -1},
        {"set text", LUMTREEM_SETTEXT, 1, Ptr(longText.c_str()), 0},
        {"column title", LUMTREEM_SETCOLUMNTITLE, 0, Ptr("title"), 0},
        {"copy", LUMTREEM_COPYITEM, 0, 4, -1},
        {"move", LUMTREEM_MOVEITEM, 0, 5, -1},
        {"columns", LUMTREEM_SETCOLUMNS, 2, Ptr(full), 0},
        {"column descriptions", LUMTREEM_SETCOLUMNINFO, 2, Ptr(simple), 0},
        {"column descriptions handed out", LUMTREEM_GETCOLUMNINFO, 0, Ptr(&handedOut), 0},
        {"cell attributes", LUMTREEM_SETCELLATTR, 0, Ptr(&cell), 0},
        {"label attributes", LUMTREEM_SETLABELATTR, 0, Ptr(&label), 0},
        {"label text", LUMTREEM_SETLABELTEXT, 1, Ptr("label"), 0},
        {"corner text", LUMTREEM_SETCORNERTEXT, 0, Ptr("corner"), 0},
        {"sort", LUMTREEM_SORTCHILDREN, static_cast<WPARAM>(-1), 0, 0},
        {"sort children", LUMTREEM_SORTCHILDRENCB, 0, 0, 0},
        {"level", LUMTREEM_SETLEVEL, 1, 3, 0},
        {"delete a subtree", LUMTREEM_DELETEITEM, 3, 0, -1},
        {"delete children", LUMTREEM_DELETECHILDREN, 0, 0, -1},
    };
    for (const Case &c : cases) {
        const std::string name = c.name;
        CAPTURE(name);
        // What the message does when memory suffices.
        auto done = [&c] {
            Fixture f;
            const LRESULT result = Send(f.tree, c.msg, c.wp, c.lp);
            return std::make_pair(result, State(f.tree));
        }();
        for (int n = 0;; ++n) {
            CAPTURE(n);
            Fixture f;
            const std::string before = State(f.tree);
            const int injected = LumInjectedFailures();
            LumFailAllocAfter(n); // the n-th allocation fails
            const LRESULT result = Send(f.tree, c.msg, c.wp, c.lp);
            LumFailAllocAfter(-1);
            const std::string after = State(f.tree);
            // Nothing changed on failure; otherwise the whole job done (in spite of a failure,
            // another way was found).
            const bool gaveUp = result == c.failure && result != done.first;
            CHECK(after == (gaveUp ? before : done.second));
            CHECK((gaveUp || result == done.first));
            StillWorks(f.tree);
            if (LumInjectedFailures() == injected) break;
            REQUIRE(n < 50);
        }
    }
}

TEST_CASE("creation under a failing allocator or GDI: no window, or a window that works") {
    Parent parent;
    LoadLibraryState(GetModuleHandleA(nullptr));
    for (int gdi = 0; gdi < 2; ++gdi) {
        for (int n = 0;; ++n) {
            INFO("gdi ", gdi, " n ", n);
            const int before = LumInjectedFailures();
            (gdi ? LumFailGdiAfter : LumFailAllocAfter)(n);
            HWND tree = CreateWindowExA(0, LUMTREE_CLASSNAME, "", kNotifyStyle, 0, 0, 150, 100,
                                        parent.hwnd(), nullptr, GetModuleHandleA(nullptr), nullptr);
            LumFailAllocAfter(-1);
            LumFailGdiAfter(-1);
            const bool failed = LumInjectedFailures() != before;
            if (tree) {
                StillWorks(tree);
                DestroyWindow(tree);
            }
            CHECK((failed || tree != nullptr));
            if (!failed) break;
            REQUIRE(n < 50);
        }
    }
}

TEST_CASE("paints with the n-th GDI object failing leave nothing behind and draw right after") {
    Fixture f;
    Send(f.tree, LUMTREEM_SETLOOK3D, 1);
    Send(f.tree, LUMTREEM_SETGRIDLINES, 1);
    Send(f.tree, LUMTREEM_SETSHOWROOTBUTTONS, 1);
    SetFocus(f.tree);
    PrintClient(f.tree); // the first paint takes up the colours and asks for another
    const Pixels reference = PrintClient(f.tree);
    const int live = gdi::liveObjects;
    for (int n = 0;; ++n) {
        CAPTURE(n);
        const int before = LumInjectedFailures();
        LumFailGdiAfter(n);
        PrintClient(f.tree);
        InvalidateRect(f.tree, nullptr, FALSE);
        UpdateWindow(f.tree);
        LumFailGdiAfter(-1);
        CHECK(gdi::liveObjects == live);
        CHECK(PrintClient(f.tree).bits == reference.bits);
        if (LumInjectedFailures() == before) break;
        REQUIRE(n < 400);
    }
}
