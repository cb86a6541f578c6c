// Shapes that the other tests rarely build: long lists edited in the middle, the last partly
// visible row, the last items hidden under a collapsed parent, automatic colours under the
// selection, and all of it at more than one row height.
#include "../support/harness.h"

#include <string>
#include <vector>

using namespace lt;

namespace {

// The rows as the control answers them: for each screen row from the top item, the item that
// ITEMORENDFROMPOINT names there and the top of its GETITEMRECT.
struct View {
    LONG areaTop;
    LRESULT rowHeight, pageRows, fullRows;
};
View ViewOf(HWND tree) {
    RECT bar{};
    Send(tree, LUMTREEM_GETCOLUMNHEADERRECT, static_cast<WPARAM>(-1), Ptr(&bar));
    return {Send(tree, LUMTREEM_ISHEADERSHOWN) ? bar.bottom : 0, Send(tree, LUMTREEM_GETROWHEIGHT),
            Send(tree, LUMTREEM_GETPAGEROWS), Send(tree, LUMTREEM_GETFULLROWS)};
}

// Every shown item from the top down fills the next row, whatever the list's length: the
// answers of the row messages against the shown flags read one by one.
void CheckRows(HWND tree) {
    const LRESULT n = Send(tree, LUMTREEM_GETCOUNT);
    const View v = ViewOf(tree);
    LRESULT item = Send(tree, LUMTREEM_GETTOPINDEX);
    REQUIRE(Send(tree, LUMTREEM_ISSHOWN, static_cast<WPARAM>(item)) == 1);
    for (LRESULT row = 0; row < v.pageRows; ++row) {
        CAPTURE(row);
        POINT pt{5, static_cast<LONG>(v.areaTop + row * v.rowHeight)};
        CHECK(Send(tree, LUMTREEM_ITEMORENDFROMPOINT, 0, Ptr(&pt)) == (item < n ? item : n));
        if (item < n) {
            RECT rc{};
            CHECK(Send(tree, LUMTREEM_GETITEMRECT, static_cast<WPARAM>(item), Ptr(&rc)) == 0);
            CHECK(rc.top == v.areaTop + row * v.rowHeight);
        }
        do ++item;
        while (item < n && Send(tree, LUMTREEM_ISSHOWN, static_cast<WPARAM>(item)) == 0);
    }
    // The bar counts the shown rows.
    LRESULT shown = 0, topRow = 0;
    const LRESULT top = Send(tree, LUMTREEM_GETTOPINDEX);
    for (LRESULT i = 0; i < n; ++i) {
        const LRESULT s = Send(tree, LUMTREEM_ISSHOWN, static_cast<WPARAM>(i));
        shown += s;
        if (i < top) topRow += s;
    }
    SCROLLINFO si{sizeof si, SIF_ALL, 0, 0, 0, 0, 0};
    REQUIRE(GetScrollInfo(tree, SB_VERT, &si));
    CHECK(si.nPos == topRow);
    CHECK(si.nMax == std::max<LRESULT>(topRow + v.fullRows - 1, shown - 1));
}

// A control, 200 pixels wide, whose item font is `pixels` high: the tests below run at two row
// heights each.
struct AtHeight {
    Parent parent;
    HWND tree;
    HFONT font;
    AtHeight(int pixels, DWORD style, int height)
        : tree(parent.Tree(style, 0, 0, 200, height)),
          font(CreateFontA(-pixels, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0,
                           "Arial")) {
        Send(tree, WM_SETFONT, reinterpret_cast<WPARAM>(font), 0);
    }
    ~AtHeight() {}
};

} // namespace

TEST_CASE("a long list edited in the middle keeps its rows") {
    Parent parent;
    HWND tree = parent.Tree(kNotifyStyle | WS_VSCROLL, 0, 0, 220, 250);
    Send(tree, WM_SETREDRAW, 0);
    AddFlat(tree, 3000);
    // Subtrees spread over the list, across the blocks of the row index.
    for (WPARAM i = 5; i < 3000; i += 37) {
        for (WPARAM k = 1; k <= 5; ++k) Send(tree, LUMTREEM_SETLEVEL, i + k, 1 + k % 2);
    }
    std::vector<int> parents;
    for (int i = 5; i < 2900; i += 37) parents.push_back(i);
    // Most subtrees start collapsed: hidden runs sit across the blocks of the index.
    for (size_t k = 0; k < parents.size(); k += 4) {
        Send(tree, LUMTREEM_EXPAND, static_cast<WPARAM>(parents[k]), 0);
        Send(tree, LUMTREEM_EXPAND, static_cast<WPARAM>(parents[k] + 1), 0);
        if (k + 1 < parents.size())
            Send(tree, LUMTREEM_EXPAND, static_cast<WPARAM>(parents[k + 1]), 0);
    }
    Send(tree, WM_SETREDRAW, 1);
    unsigned r = 12345;
    auto next = [&r](unsigned n) { return (r = r * 1103515245u + 12345u) / 65536u % n; };
    for (int step = 0; step < 60; ++step) {
        CAPTURE(step);
        const LRESULT n = Send(tree, LUMTREEM_GETCOUNT);
        const auto middle = static_cast<WPARAM>(n / 4 + next(static_cast<unsigned>(n / 2)));
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
        SetWindowPos(tree, nullptr, 0, 0, 200, static_cast<int>(5 * h + 3),
                     SWP_NOMOVE | SWP_NOZORDER);
        REQUIRE(Send(tree, LUMTREEM_GETFULLROWS) == 5);
        REQUIRE(Send(tree, LUMTREEM_GETPAGEROWS) == 6);
        COLORREF table[LUMTREE_COLORCOUNT];
        for (COLORREF &c : table) c = LUMTREE_AUTOCOLOR;
        table[LUMTREECOLOR_SELBACK] = RGB(0, 0, 200);
        Send(tree, LUMTREEM_SETCOLORS, 0, Ptr(table));
        UpdateWindow(tree);
        // Selecting, changing the text of and deleting before the partly visible item each
        // repaint the partly visible row.
        const LONG y = static_cast<LONG>(5 * h + 1);
        auto repaintsLastRow = [&](UINT msg, WPARAM wp, LPARAM lp) {
            ValidateRect(tree, nullptr);
            Send(tree, msg, wp, lp);
            HRGN rgn = CreateRectRgn(0, 0, 0, 0);
            GetUpdateRgn(tree, rgn, FALSE);
            const bool inside = PtInRegion(rgn, 100, y) != 0;
            DeleteObject(rgn);
            return inside;
        };
        CHECK(repaintsLastRow(LUMTREEM_SETSELECTION, 5, 0));
        CHECK(repaintsLastRow(LUMTREEM_SETTEXT, 5, Ptr("changed")));
        CHECK(repaintsLastRow(LUMTREEM_DELETEITEM, 2, 0));
        CHECK(repaintsLastRow(LUMTREEM_SETSELECTION, 5, 0)); // the item that moved up into it
        const Pixels px = PrintClient(tree);
        CHECK(px.At(px.width - 3, y) == RGB(0, 0, 200));
        CHECK(px.At(px.width - 3, y + 1) == RGB(0, 0, 200));
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
        const LRESULT full = Send(tree, LUMTREEM_GETFULLROWS);
        Send(tree, WM_KEYDOWN, VK_END, 1);
        CHECK(Send(tree, LUMTREEM_GETCARET) == 24);
        CHECK(Send(tree, LUMTREEM_GETTOPINDEX) == 25 - full);
        Send(tree, WM_KEYDOWN, VK_DOWN, 1);
        Send(tree, WM_KEYDOWN, VK_NEXT, 1);
        CHECK(Send(tree, LUMTREEM_GETCARET) == 24);
        CheckRows(tree);
        // Scrolling to the bottom leaves the last shown item on the last whole row.
        Send(tree, WM_VSCROLL, SB_TOP, 0);
        Send(tree, WM_VSCROLL, SB_BOTTOM, 0);
        Send(tree, WM_VSCROLL, SB_ENDSCROLL, 0);
        CHECK(Send(tree, LUMTREEM_GETTOPINDEX) == 25 - full);
        for (int k = 0; k < 3; ++k) Send(tree, WM_VSCROLL, SB_LINEDOWN, 0);
        Send(tree, WM_VSCROLL, SB_PAGEDOWN, 0);
        Send(tree, WM_VSCROLL, SB_ENDSCROLL, 0);
        CHECK(Send(tree, LUMTREEM_GETTOPINDEX) == 25 - full);
        CheckRows(tree);
        // Home and up from the top.
        Send(tree, WM_KEYDOWN, VK_HOME, 1);
        Send(tree, WM_KEYDOWN, VK_UP, 1);
        CHECK(Send(tree, LUMTREEM_GETCARET) == 0);
        CHECK(Send(tree, LUMTREEM_GETTOPINDEX) == 0);
    }
}

TEST_CASE("automatic colours under the selection, with and without the focus") {
    for (int pixels : {14, 21}) {
        CAPTURE(pixels);
        AtHeight at(pixels, kNotifyStyle, 120);
        HWND tree = at.tree;
        AddItems(tree, {{"WWWWWWWW", 0}, {"WWWWWWWW", 0}});
        Send(tree, LUMTREEM_SETSELECTION, 1);
        const LRESULT h = Send(tree, LUMTREEM_GETROWHEIGHT);
        RECT text{};
        Send(tree, LUMTREEM_GETITEMRECT, 1, Ptr(&text));
        auto count = [&](const Pixels &px, COLORREF c) { return px.Count(text, c); };
        SetFocus(tree);
        PrintClient(tree);
        Pixels px = PrintClient(tree);
        const COLORREF back = GetSysColor(COLOR_HIGHLIGHT), ink = GetSysColor(COLOR_HIGHLIGHTTEXT);
        // The selected row: the highlight behind, its text in the highlight text colour.
        CHECK(px.At(px.width - 3, static_cast<int>(h + h / 2)) == back);
        CHECK(count(px, ink) > 10);
        CHECK(count(px, GetSysColor(COLOR_WINDOWTEXT)) == 0);
        // The unselected row above: window colours.
        CHECK(px.At(px.width - 3, static_cast<int>(h / 2)) == GetSysColor(COLOR_WINDOW));
        // Without the focus, inactive style 3: a light face behind window text.
        Send(tree, LUMTREEM_SETINACTIVESELSTYLE, 3);
        SetFocus(at.parent.hwnd());
        px = PrintClient(tree);
        CHECK(px.At(px.width - 3, static_cast<int>(h + h / 2)) == GetSysColor(COLOR_3DLIGHT));
        CHECK(count(px, GetSysColor(COLOR_WINDOWTEXT)) > 10);
    }
}

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
    const LRESULT top = Send(tree, LUMTREEM_GETTOPINDEX);
    CHECK(Send(tree, LUMTREEM_ISSHOWN, static_cast<WPARAM>(top)) == 1);
    CheckRows(tree);
    // The collapsed parent on top, an item above it deleted: its hidden child moves up into
    // the top's place.
    REQUIRE(Send(tree, LUMTREEM_SETTOPINDEX, 3) == 0);
    REQUIRE(Send(tree, LUMTREEM_ISEXPANDED, 3) == 0);
    REQUIRE(Send(tree, LUMTREEM_GETCHILDCOUNT, 3, 0) == 3);
    Send(tree, LUMTREEM_DELETEITEM, 0);
    CHECK(Send(tree, LUMTREEM_GETTOPINDEX) == 2);
    CheckRows(tree);
}
