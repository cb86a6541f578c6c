// Shapes that the other tests rarely build: long lists edited in the middle, the last partly
// visible row, the last items hidden under a collapsed parent, automatic colours under the
// selection, and all of it at more than one row height.
#include "../support/harness.h"

#include <vector>

using namespace lt;

namespace {

// Every shown item from the top down fills the next row: what ITEMORENDFROMPOINT names there
// and the top of its GETITEMRECT, against the shown flags read one by one.
void CheckRows(HWND tree) {
    const LRESULT n = Send(tree, LUMTREEM_GETCOUNT), h = Send(tree, LUMTREEM_GETROWHEIGHT);
    LRESULT item = Send(tree, LUMTREEM_GETTOPINDEX);
    REQUIRE(Send(tree, LUMTREEM_ISSHOWN, static_cast<WPARAM>(item)) == 1);
    for (LRESULT row = 0; row < Send(tree, LUMTREEM_GETPAGEROWS); ++row) {
        CAPTURE(row);
        POINT pt{5, static_cast<LONG>(row * h)};
        CHECK(Send(tree, LUMTREEM_ITEMORENDFROMPOINT, 0, Ptr(&pt)) == std::min(item, n));
        RECT rc{};
        if (item < n)
            CHECK(
                (Send(tree, LUMTREEM_GETITEMRECT, WPARAM(item), Ptr(&rc)) == 0 && rc.top == pt.y));
        do ++item;
        while (item < n && Send(tree, LUMTREEM_ISSHOWN, static_cast<WPARAM>(item)) == 0);
    }
}

// A control 200 pixels wide whose item font is `pixels` high: the tests run at two row heights.
struct AtHeight {
    Parent parent;
    HWND tree;
    AtHeight(int pixels, DWORD style, int height) : tree(parent.Tree(style, 0, 0, 200, height)) {
        static HFONT fonts[64]; // one per height, for the life of the process
        HFONT &font = fonts[pixels];
        if (!font)
            font = CreateFontA(-pixels, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0,
                               "Arial");
        Send(tree, WM_SETFONT, reinterpret_cast<WPARAM>(font), 0);
    }
};

} // namespace

TEST_CASE("a long list edited in the middle keeps its rows") {
    Parent parent;
    HWND tree = parent.Tree(kNotifyStyle | WS_VSCROLL, 0, 0, 220, 250);
    Send(tree, WM_SETREDRAW, 0);
    AddFlat(tree, 3000);
    // Subtrees spread over the list, across the blocks of the row index; most of them
    // collapsed, so that hidden runs sit across the blocks too.
    std::vector<WPARAM> parents;
    for (WPARAM i = 5; i < 2900; i += 37) {
        parents.push_back(i);
        for (WPARAM k = 1; k <= 5; ++k) Send(tree, LUMTREEM_SETLEVEL, i + k, 1 + k % 2);
        const size_t k = parents.size() - 1;
        if (k % 4 == 0) Send(tree, LUMTREEM_EXPAND, i + 1, 0);
        if (k % 4 < 2) Send(tree, LUMTREEM_EXPAND, i, 0);
    }
    Send(tree, WM_SETREDRAW, 1);
    unsigned r = 12345;
    auto next = [&r](size_t n) { return (r = r * 1103515245u + 12345u) / 65536u % n; };
    for (int step = 0; step < 60; ++step) {
        CAPTURE(step);
        const LRESULT n = Send(tree, LUMTREEM_GETCOUNT);
        const auto middle = static_cast<WPARAM>(n / 4 + next(static_cast<size_t>(n / 2)));
        switch (step % 6) {
        case 0: Send(tree, LUMTREEM_EXPAND, parents[next(parents.size())], 0); break;
        case 1: Send(tree, LUMTREEM_EXPAND, parents[next(parents.size())], MAKELPARAM(1, 1)); break;
        case 2: Send(tree, LUMTREEM_INSERTITEM, middle, Ptr("inserted")); break;
        case 3: Send(tree, LUMTREEM_DELETEITEM, middle); break;
        case 4: Send(tree, LUMTREEM_SETTOPINDEX, middle); break;
        default: Send(tree, LUMTREEM_MOVEITEM, middle, static_cast<LPARAM>(n / 2)); break;
        }
        // The rows just above the edit, and far below it, where the index must have moved too.
        if (step % 6 != 4) Send(tree, LUMTREEM_SETTOPINDEX, middle - 3);
        CheckRows(tree);
        Send(tree, LUMTREEM_SETTOPINDEX, middle + 200 + next(600));
        CheckRows(tree);
    }
}

TEST_CASE("the last partly visible row is repainted and drawn, at two row heights") {
    for (int pixels : {13, 22}) {
        CAPTURE(pixels);
        AtHeight at(pixels, kNotifyStyle | WS_VSCROLL, 100);
        HWND tree = at.tree;
        AddFlat(tree, 30);
        // A height whose last row shows only a few pixels.
        const LRESULT h = Send(tree, LUMTREEM_GETROWHEIGHT);
        SetWindowPos(tree, nullptr, 0, 0, 200, int(5 * h + 3), SWP_NOMOVE | SWP_NOZORDER);
        REQUIRE((Send(tree, LUMTREEM_GETFULLROWS) == 5 && Send(tree, LUMTREEM_GETPAGEROWS) == 6));
        COLORREF table[LUMTREE_COLORCOUNT];
        for (COLORREF &c : table) c = LUMTREE_AUTOCOLOR;
        table[LUMTREECOLOR_SELBACK] = RGB(0, 0, 200);
        Send(tree, LUMTREEM_SETCOLORS, 0, Ptr(table));
        UpdateWindow(tree);
        // Selecting, changing the text of and deleting before the partly visible item each
        // repaint the partly visible row down to its last pixel; then the item that moved up
        // into it is selected.
        const LONG y = static_cast<LONG>(5 * h + 1);
        const struct {
            UINT msg;
            WPARAM wp;
            LPARAM lp;
        } edits[] = {{LUMTREEM_SETSELECTION, 5, 0},
                     {LUMTREEM_SETTEXT, 5, Ptr("changed")},
                     {LUMTREEM_DELETEITEM, 2, 0},
                     {LUMTREEM_SETSELECTION, 5, 0}};
        for (const auto &e : edits) {
            ValidateRect(tree, nullptr);
            Send(tree, e.msg, e.wp, e.lp);
            HRGN rgn = CreateRectRgn(0, 0, 0, 0);
            GetUpdateRgn(tree, rgn, FALSE);
            CHECK_MESSAGE(PtInRegion(rgn, 100, y + 1), e.msg); // its last pixel line
            DeleteObject(rgn);
        }
        const Pixels px = PrintClient(tree);
        CHECK((px.At(px.width - 3, y) == RGB(0, 0, 200) &&
               px.At(px.width - 3, y + 1) == RGB(0, 0, 200)));
    }
}

TEST_CASE("keys and scrolling when the last items are hidden under a collapsed parent") {
    for (int pixels : {12, 19}) {
        CAPTURE(pixels);
        AtHeight at(pixels, kNotifyStyle | WS_VSCROLL, 120);
        HWND tree = at.tree;
        AddFlat(tree, 30);
        for (WPARAM i = 25; i < 30; ++i) Send(tree, LUMTREEM_SETLEVEL, i, 1);
        Send(tree, LUMTREEM_EXPAND, 24, 0); // the last five items hidden
        SetFocus(tree);
        const LRESULT lastTop = 25 - Send(tree, LUMTREEM_GETFULLROWS);
        for (WPARAM key : {VK_END, VK_DOWN, VK_NEXT}) {
            Send(tree, WM_KEYDOWN, key, 1);
            CHECK((Send(tree, LUMTREEM_GETCARET) == 24 &&
                   Send(tree, LUMTREEM_GETTOPINDEX) == lastTop));
        }
        CheckRows(tree);
        // Scrolling to the bottom, or past it, leaves the last shown item on the last whole row.
        for (WPARAM code : {SB_TOP, SB_BOTTOM, SB_LINEDOWN, SB_LINEDOWN, SB_PAGEDOWN, SB_ENDSCROLL})
            Send(tree, WM_VSCROLL, code, 0);
        CHECK(Send(tree, LUMTREEM_GETTOPINDEX) == lastTop);
        CheckRows(tree);
        Send(tree, WM_KEYDOWN, VK_HOME, 1);
        Send(tree, WM_KEYDOWN, VK_UP, 1);
        CHECK((Send(tree, LUMTREEM_GETCARET) == 0 && Send(tree, LUMTREEM_GETTOPINDEX) == 0));
    }
}

TEST_CASE("automatic colours under the selection, with and without the focus") {
    for (int pixels : {14, 21}) {
        CAPTURE(pixels);
        AtHeight at(pixels, kNotifyStyle, 120);
        HWND tree = at.tree;
        AddItems(tree, {{"WWWWWWWW", 0}, {"WWWWWWWW", 0}});
        Send(tree, LUMTREEM_SETSELECTION, 1);
        const int h = static_cast<int>(Send(tree, LUMTREEM_GETROWHEIGHT));
        RECT text{};
        Send(tree, LUMTREEM_GETITEMRECT, 1, Ptr(&text));
        SetFocus(tree);
        PrintClient(tree);
        Pixels px = PrintClient(tree);
        // Selected: the highlight behind its text in the highlight text colour; above it the
        // unselected row in window colours.
        CHECK(px.At(px.width - 3, h + h / 2) == GetSysColor(COLOR_HIGHLIGHT));
        CHECK(px.Count(text, GetSysColor(COLOR_HIGHLIGHTTEXT)) > 10);
        CHECK(px.Count(text, GetSysColor(COLOR_WINDOWTEXT)) == 0);
        CHECK(px.At(px.width - 3, h / 2) == GetSysColor(COLOR_WINDOW));
        // Without the focus, inactive style 3: a light face behind window text.
        Send(tree, LUMTREEM_SETINACTIVESELSTYLE, 3);
        SetFocus(at.parent.hwnd());
        px = PrintClient(tree);
        CHECK(px.At(px.width - 3, h + h / 2) == GetSysColor(COLOR_3DLIGHT));
        CHECK(px.Count(text, GetSysColor(COLOR_WINDOWTEXT)) > 10);
    }
}

// Regression: an insertion or deletion above the top row used to leave a hidden item on top.
TEST_CASE("an item inserted or deleted above the top row next to hidden items keeps a shown "
          "item on top") {
    Parent parent;
    HWND tree = parent.Tree(kNotifyStyle | WS_VSCROLL, 0, 0, 200, 80);
    AddFlat(tree, 20);
    for (WPARAM i = 3; i < 6; ++i) Send(tree, LUMTREEM_SETLEVEL, i, 1);
    Send(tree, LUMTREEM_EXPAND, 2, 0); // items 3 to 5 hidden under item 2
    REQUIRE(Send(tree, LUMTREEM_SETTOPINDEX, 6) == 0);
    // Inserting before the hidden run: the item at the top index's position is then hidden.
    REQUIRE(Send(tree, LUMTREEM_INSERTITEM, 1, Ptr("new")) == 1);
    CheckRows(tree);
    // The collapsed parent on top, an item above it deleted: its hidden child moves up into
    // the top's place.
    REQUIRE(Send(tree, LUMTREEM_SETTOPINDEX, 3) == 0);
    Send(tree, LUMTREEM_DELETEITEM, 0);
    CHECK(Send(tree, LUMTREEM_GETTOPINDEX) == 2);
    CheckRows(tree);
}
