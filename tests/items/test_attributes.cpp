// Item attributes and searches: text, bitmaps, enabled flag, data, row rectangle, the repaint
// each setter asks for, and finding items by data and text.
#include "items_support.h"

using namespace lt;

namespace {

// The update region of the control after one message, with everything painted before.
RECT UpdateAfter(HWND tree, UINT msg, WPARAM wp, LPARAM lp) {
    UpdateWindow(tree);
    ValidateRect(tree, nullptr);
    Send(tree, msg, wp, lp);
    RECT rc{};
    GetUpdateRect(tree, &rc, FALSE);
    return rc;
}

RECT RowOf(HWND tree, int i) {
    RECT rc{};
    Send(tree, LUMTREEM_GETITEMRECT, static_cast<WPARAM>(i), Ptr(&rc));
    return rc;
}

} // namespace

TEST_CASE("text of the text column") {
    Parent parent;
    HWND tree = parent.Tree();
    AddItems(tree, {{"alpha", 0}, {"beta", 0}});
    char buffer[16] = "junk";
    CHECK(SendI(tree, LUMTREEM_GETTEXT, 1, Ptr(buffer)) == 4);
    CHECK(std::string(buffer) == "beta");
    CHECK(SendI(tree, LUMTREEM_GETTEXTLENGTH, 0) == 5);
    CHECK(SendI(tree, LUMTREEM_SETTEXT, 0, Ptr("a much longer text")) == 1);
    CHECK(SendI(tree, LUMTREEM_GETTEXTLENGTH, 0) == 18);
    CHECK(SendI(tree, LUMTREEM_SETTEXT, 0, Ptr("")) == 1); // no text: the slot is empty
    CHECK(SendI(tree, LUMTREEM_GETTEXT, 0, Ptr(buffer)) == 0);
    CHECK(buffer[0] == '\0');
    CHECK(SendI(tree, LUMTREEM_SETTEXT, 1, 0) == 1);
    CHECK(SendI(tree, LUMTREEM_GETTEXTLENGTH, 1) == 0);
    CHECK(SendI(tree, LUMTREEM_GETTEXTCOLUMNTITLELENGTH) == 0);
}

TEST_CASE("setters repaint exactly what they change") {
    Parent parent;
    HWND tree = parent.Tree();
    AddFlat(tree, 5);
    RECT row2 = RowOf(tree, 2), none{};
    RECT rc = UpdateAfter(tree, LUMTREEM_SETTEXT, 2, Ptr("x"));
    CHECK(EqualRect(&rc, &row2));
    rc = UpdateAfter(tree, LUMTREEM_ENABLEITEM, 2, 0);
    CHECK(EqualRect(&rc, &row2));
    rc = UpdateAfter(tree, LUMTREEM_ENABLEITEM, 2, 0); // already disabled
    CHECK(EqualRect(&rc, &none));
    CHECK(SendI(tree, LUMTREEM_ISENABLED, 2) == 0);
    rc = UpdateAfter(tree, LUMTREEM_SETDATA, 2, 9);
    CHECK(EqualRect(&rc, &none));
    rc = UpdateAfter(tree, LUMTREEM_SETNODEBITMAP, 2, 0);
    CHECK(EqualRect(&rc, &row2));
    // Appending repaints from the previous sibling's row down.
    RECT row4 = RowOf(tree, 4);
    rc = UpdateAfter(tree, LUMTREEM_ADDITEM, 0, Ptr("new"));
    CHECK(rc.top == row4.top);
}

TEST_CASE("item bitmaps size the item-bitmap area of every row") {
    Parent parent;
    HWND tree = parent.Tree();
    AddFlat(tree, 3);
    HBITMAP small = CreateBitmap(16, 16, 1, 1, nullptr);
    HBITMAP tall = CreateBitmap(20, 40, 1, 1, nullptr);
    HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
    int width0 = SendI(tree, LUMTREEM_GETTREEWIDTH);
    int height0 = SendI(tree, LUMTREEM_GETROWHEIGHT);

    CHECK(SendI(tree, LUMTREEM_SETBITMAP, static_cast<WPARAM>(-1), Ptr(small)) == 1);
    int width16 = SendI(tree, LUMTREEM_GETTREEWIDTH);
    CHECK(width16 >= width0 + 16); // the area and its gap
    CHECK(SendI(tree, LUMTREEM_SETBITMAP, 1, Ptr(tall)) == 1);
    CHECK(Send(tree, LUMTREEM_GETBITMAP, 1) == Ptr(tall));
    CHECK(Send(tree, LUMTREEM_GETBITMAP, 0) == 0);
    CHECK(SendI(tree, LUMTREEM_GETTREEWIDTH) == width16 + 4);
    CHECK(SendI(tree, LUMTREEM_GETROWHEIGHT) == 40);
    // Not a bitmap: refused, nothing changes.
    CHECK(SendI(tree, LUMTREEM_SETBITMAP, 0, Ptr(brush)) == 0);
    CHECK(SendI(tree, LUMTREEM_SETNODEBITMAP, 0, Ptr(brush)) == 0);
    CHECK(Send(tree, LUMTREEM_GETBITMAP, 0) == 0);
    CHECK(SendI(tree, LUMTREEM_GETROWHEIGHT) == 40);
    // -1 with 0 turns the area off again.
    CHECK(SendI(tree, LUMTREEM_SETBITMAP, static_cast<WPARAM>(-1), 0) == 1);
    CHECK(SendI(tree, LUMTREEM_GETTREEWIDTH) <= width16 + 4 - 20);
    CHECK(SendI(tree, LUMTREEM_GETROWHEIGHT) == height0);
    CHECK(SendI(tree, LUMTREEM_SETNODEBITMAP, 2, Ptr(small)) == 1);
    CHECK(Send(tree, LUMTREEM_GETNODEBITMAP, 2) == Ptr(small));
    DeleteObject(small);
    DeleteObject(tall);
    DeleteObject(brush);
}

TEST_CASE("data values are pointer-sized") {
    Parent parent;
    HWND tree = parent.Tree();
    AddFlat(tree, 3);
    const auto big = static_cast<DWORD_PTR>(0x123456789AULL);
    CHECK(SendI(tree, LUMTREEM_SETDATA, 1, static_cast<LPARAM>(big)) == 0);
    CHECK(static_cast<DWORD_PTR>(Send(tree, LUMTREEM_GETDATA, 1)) == big);
    CHECK(Send(tree, LUMTREEM_GETDATA, 0) == 0);
    CHECK(SendI(tree, LUMTREEM_FINDDATA, 0, static_cast<LPARAM>(big)) == 1);
    // Only the low half equal is not a match.
    CHECK(SendI(tree, LUMTREEM_FINDDATA, 0, 0x3456789A) == -1);
    CHECK(SendI(tree, LUMTREEM_FINDDATA, 2, static_cast<LPARAM>(big)) == -1); // past the match
    Send(tree, LUMTREEM_SETDATA, 2, -1);
    CHECK(Send(tree, LUMTREEM_GETDATA, 2) == -1); // indistinguishable from a bad index
}

TEST_CASE("item rectangles of rows in view") {
    Parent parent;
    HWND tree = parent.Tree(kNotifyStyle, 0, 0, 200, 100);
    AddItems(tree, {{"root", 0}});
    AddFlat(tree, 20);
    for (int i = 1; i <= 3; ++i) Send(tree, LUMTREEM_SETLEVEL, i, 1);
    int h = SendI(tree, LUMTREEM_GETROWHEIGHT);
    int pageRows = SendI(tree, LUMTREEM_GETPAGEROWS);
    RECT rc{};
    CHECK(SendI(tree, LUMTREEM_GETITEMRECT, 2, Ptr(&rc)) == 0);
    CHECK(rc.top == 2 * h);
    CHECK(rc.bottom == 3 * h);
    // The last, partly visible row is cut at the bottom of the item area.
    CHECK(SendI(tree, LUMTREEM_GETITEMRECT, pageRows - 1, Ptr(&rc)) == 0);
    RECT client;
    GetClientRect(tree, &client);
    CHECK(rc.bottom == client.bottom);
    CHECK(SendI(tree, LUMTREEM_GETITEMRECT, pageRows, Ptr(&rc)) == -1);
    CHECK(IsRectEmpty(&rc));
    Send(tree, LUMTREEM_EXPAND, 0, 0);
    CHECK(SendI(tree, LUMTREEM_GETITEMRECT, 1, Ptr(&rc)) == -1); // hidden
    CHECK(SendI(tree, LUMTREEM_GETITEMRECT, 4, Ptr(&rc)) == 0);  // now in row 1
    CHECK(rc.top == h);
}

TEST_CASE("finding items by text, without regard to case") {
    Parent parent;
    HWND tree = parent.Tree();
    AddItems(tree, {{"ABC", 0}, {"abd", 1}, {"AB", 0}, {"x", 0}});
    Send(tree, LUMTREEM_SETTEXT, 3, 0);
    Send(tree, LUMTREEM_EXPAND, 0, 0); // hidden items are searched too
    CHECK(SendI(tree, LUMTREEM_FINDPREFIX, 0, Ptr("ab")) == 0);
    CHECK(SendI(tree, LUMTREEM_FINDPREFIX, 1, Ptr("ab")) == 1);
    CHECK(SendI(tree, LUMTREEM_FINDTEXT, 0, Ptr("ab")) == 2);
    CHECK(SendI(tree, LUMTREEM_FINDTEXT, 0, Ptr("aBd")) == 1);
    CHECK(SendI(tree, LUMTREEM_FINDTEXT, 3, Ptr("ab")) == -1); // no wrap-around
    CHECK(SendI(tree, LUMTREEM_FINDPREFIX, 2, Ptr("")) == 2);  // the first item with a text
    CHECK(SendI(tree, LUMTREEM_FINDPREFIX, 3, Ptr("")) == -1); // item 3 has none
    CHECK(SendI(tree, LUMTREEM_FINDTEXT, 0, Ptr("")) == -1);
    CHECK(SendI(tree, LUMTREEM_FINDPREFIX, 0, Ptr("abcd")) == -1);
}
