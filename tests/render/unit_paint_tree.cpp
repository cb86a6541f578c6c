// The tree part of painted rows: dotted lines, expand buttons, the pictures of the bitmap
// areas and the texts, checked at the positions the geometry routines give.
#include "render_support.h"

using rt::Tree;

namespace {

const COLORREF kDot = GetSysColor(COLOR_BTNSHADOW);
constexpr COLORREF kBoxGrey = RGB(128, 128, 128);
constexpr COLORREF kBlack = RGB(0, 0, 0);

// Documents / Reports / 2025 / 2026 / Letters / Pictures
Tree &Sample(Tree &t) {
    lt::AddItems(t.hwnd, {{"Documents", 0},
                          {"Reports", 1},
                          {"2025", 2},
                          {"2026", 2},
                          {"Letters", 1},
                          {"Pictures", 0}});
    return t;
}

// Column of the dotted line of level k in the row of item i.
int LineX(const Tree &t, INT i, INT k) {
    return t.Row(i).left - t.ctl->horizontalPos + TreeLineX(t.ctl, k);
}

// Dots down a column from the row top: every other pixel lit, the ones between not.
void CheckDotsDown(const lt::Pixels &px, int x, int top, int length) {
    for (int k = 0; k < length; ++k) {
        INFO("x " << x << " y " << top + k);
        CHECK((px.At(x, top + k) == kDot) == (k % 2 == 0));
    }
}

} // namespace

TEST_CASE("middle children get a T, last children an L, and level 0 no lines") {
    Tree t;
    Sample(t);
    lt::Pixels px = t.Paint("tree_lines");
    const int mid = t.MidY();
    const RECT box = IndentButtonBox(t.ctl, 0);
    const int w = IndentWidth(t.ctl);

    // Reports: a later sibling (Letters): the line runs above its button down to the bottom.
    RECT reports = t.Row(1);
    CheckDotsDown(px, LineX(t, 1, 0), reports.top, box.top);
    CheckDotsDown(px, LineX(t, 1, 0), reports.top + box.bottom + (box.bottom % 2),
                  t.ctl->rowHeight - box.bottom - (box.bottom % 2));
    // 2025: its own T at level 1 and its ancestor Reports' line at level 0.
    RECT y2025 = t.Row(2);
    CheckDotsDown(px, LineX(t, 2, 0), y2025.top, t.ctl->rowHeight);
    CheckDotsDown(px, LineX(t, 2, 1), y2025.top, t.ctl->rowHeight);
    for (int k = 0; k < w - w / 2; ++k) {
        CHECK((px.At(LineX(t, 2, 1) + k, y2025.top + mid) == kDot) == (k % 2 == 0));
    }
    // 2026: the last child: down to the middle only.
    RECT y2026 = t.Row(3);
    CheckDotsDown(px, LineX(t, 3, 1), y2026.top, mid);
    CHECK(px.Count(RECT{LineX(t, 3, 1), y2026.top + mid + 1, LineX(t, 3, 1) + 1, y2026.bottom},
                   kDot) == 0);
    // Letters: the last child of Documents, and no ancestor line.
    RECT letters = t.Row(4);
    CheckDotsDown(px, LineX(t, 4, 0), letters.top, mid);
    // Level 0 rows: nothing in the tree part.
    for (INT i : {0, 5}) {
        RECT row = t.Row(i);
        RECT treePart{row.left, row.top, row.left + TextX(t.ctl, 0), row.bottom};
        INFO("row " << i);
        CHECK(px.Count(treePart, kDot) == 0);
        CHECK(px.Count(treePart, kBoxGrey) == 0);
        CHECK(px.Count(treePart, rt::kBack) == (treePart.right - treePart.left) * t.ctl->rowHeight);
    }
    // The texts start at their text position in the text colour.
    for (INT i = 0; i < 6; ++i) {
        RECT cell = t.Cell(i, 0);
        INFO("row " << i);
        CHECK(px.Count(cell, rt::kText) > 10);
        CHECK(px.Count(RECT{t.Row(i).left, cell.top, cell.left, cell.bottom}, rt::kText) == 0);
    }
}

TEST_CASE("an item two levels below its parent gets a line through the missing level") {
    Tree t;
    lt::AddItems(t.hwnd, {{"Top", 0}, {"Deep", 2}});
    lt::Pixels px = t.Paint();
    const RECT row = t.Row(1);
    const int y = row.top + t.MidY();
    const int w = IndentWidth(t.ctl);
    const int second = row.left + TreePartStart(t.ctl) + t.ctl->avgCharWidth + w;
    for (int k = 0; k < w; ++k) CHECK((px.At(second + k, y) == kDot) == (k % 2 == 0));
}

TEST_CASE("expand buttons come from the strip, plus when collapsed, minus when expanded") {
    Tree t;
    Sample(t);
    auto checkButton = [&](const lt::Pixels &px, INT i, RECT box, bool collapsed) {
        const RECT row = t.Row(i);
        const int x = row.left + box.left, y = row.top + box.top;
        INFO("row " << i);
        CHECK(px.At(x, y) == rt::kBack); // transparent corner
        CHECK(px.At(x + 2, y + 1) == kBoxGrey);
        CHECK(px.At(x + 6, y + 5) == kBlack);
        CHECK((px.At(x + 6, y + 3) == kBlack) == collapsed);
        CHECK(px.At(x + 4, y + 3) == rt::kBack); // inside the box
    };
    lt::Pixels px = t.Paint("buttons");
    checkButton(px, 1, IndentButtonBox(t.ctl, 0), false);
    CHECK(px.Count(t.Row(2), kBoxGrey) == 0); // leaves have none

    lt::Send(t.hwnd, LUMTREEM_EXPAND, 1, MAKELPARAM(0, 0));
    px = t.Paint();
    checkButton(px, 1, IndentButtonBox(t.ctl, 0), true);

    SUBCASE("root buttons for level-0 parents only when switched on") {
        CHECK(px.Count(t.Row(0), kBoxGrey) == 0);
        t.Send(LUMTREEM_SETSHOWROOTBUTTONS, TRUE);
        px = t.Paint("root_buttons");
        checkButton(px, 0, RootButtonBox(t.ctl), false);
        CHECK(px.Count(t.Row(2), kBoxGrey) == 0); // Letters: no children
    }
    SUBCASE("a pressed button shows the checkered picture") {
        t.ctl->pressedButton = 1;
        px = t.Paint();
        const RECT row = t.Row(1), box = IndentButtonBox(t.ctl, 0);
        CHECK(px.At(row.left + box.left + 4, row.top + box.top + 2) == RGB(192, 192, 192));
    }
    SUBCASE("without lines there are neither dots nor indentation buttons") {
        t.Send(LUMTREEM_SETSHOWLINES, FALSE);
        px = t.Paint();
        CHECK(px.Count(RECT{0, 0, px.width, px.height}, kDot) == 0);
        CHECK(px.Count(RECT{0, 0, px.width, px.height}, kBoxGrey) == 0);
    }
    SUBCASE("an application's strip: collapsed, expanded, and both pressed, side by side") {
        const COLORREF inks[4] = {RGB(200, 0, 0), RGB(0, 200, 0), RGB(0, 0, 200), RGB(200, 200, 0)};
        HBITMAP strip = rt::SquareBitmap(40, 10, rt::kMagenta);
        HDC mem = CreateCompatibleDC(nullptr);
        HGDIOBJ old = SelectObject(mem, strip);
        for (int k = 0; k < 4; ++k) {
            RECT ink{10 * k + 2, 2, 10 * k + 8, 8};
            gdi::Brush brush = gdi::SolidBrush(inks[k]);
            FillRect(mem, &ink, brush.get());
        }
        SelectObject(mem, old);
        DeleteDC(mem);
        REQUIRE(t.Send(LUMTREEM_SETBUTTONSTRIP, 0, lt::Ptr(strip)) == 1);
        const RECT row = t.Row(1);
        for (int image = 0; image < 4; ++image) {
            INFO("image " << image);
            lt::Send(t.hwnd, LUMTREEM_EXPAND, 1, MAKELPARAM(image % 2, 0));
            t.ctl->pressedButton = image >= 2 ? 1 : -1;
            px = t.Paint();
            for (int k = 0; k < 4; ++k) CHECK((px.Count(row, inks[k]) == 36) == (k == image));
        }
        t.ctl->pressedButton = -1;
        t.Send(LUMTREEM_SETBUTTONSTRIP, 0, 0); // back to the default strip
        DeleteObject(strip);
    }
    SUBCASE("without buttons the line runs through") {
        lt::Send(t.hwnd, LUMTREEM_EXPAND, 1, MAKELPARAM(1, 0));
        t.Send(LUMTREEM_SETSHOWBUTTONS, FALSE);
        px = t.Paint();
        CHECK(px.Count(t.Row(1), kBoxGrey) == 0);
        CheckDotsDown(px, LineX(t, 1, 0), t.Row(1).top, t.ctl->rowHeight);
    }
}

TEST_CASE("item, state and node pictures sit in their areas; disabled ones are embossed") {
    Tree t;
    Sample(t);
    const COLORREF itemInk = RGB(0, 160, 0), stateInk = RGB(0, 0, 220), nodeInk = RGB(220, 120, 0);
    HBITMAP itemBmp = rt::SquareBitmap(10, 10, itemInk);
    HBITMAP stateC = rt::SquareBitmap(8, 8, stateInk), stateE = rt::SquareBitmap(8, 8, stateInk);
    HBITMAP nodeC = rt::SquareBitmap(12, 12, nodeInk), nodeE = rt::SquareBitmap(12, 12, nodeInk),
            nodeL = rt::SquareBitmap(12, 12, nodeInk);
    TreeCtl *ctl = t.ctl;
    REQUIRE(t.Send(LUMTREEM_SETBITMAP, static_cast<WPARAM>(-1), lt::Ptr(itemBmp)) == 1);
    REQUIRE(t.Send(LUMTREEM_SETBITMAP, 1, lt::Ptr(itemBmp)) == 1);
    HBITMAP states[3] = {stateC, stateE, nullptr};
    REQUIRE(t.Send(LUMTREEM_SETSTATEBITMAPS, 0, lt::Ptr(states)) == 1);
    HBITMAP nodes[3] = {nodeC, nodeE, nodeL};
    REQUIRE(t.Send(LUMTREEM_SETNODEBITMAPS, 0, lt::Ptr(nodes)) == 1);

    auto firstInkX = [&](const lt::Pixels &px, INT i, COLORREF ink) {
        return rt::FirstX(px, t.Row(i), ink);
    };
    lt::Pixels px = t.Paint("pictures");
    const int g = ctl->avgCharWidth;
    const RECT row1 = t.Row(1);
    CHECK(firstInkX(px, 1, itemInk) == row1.left + g + 1);
    CHECK(firstInkX(px, 1, stateInk) == row1.left + ItemBitmapAreaWidth(ctl) + g + 1);
    CHECK(firstInkX(px, 1, nodeInk) == row1.left + TreePartStart(ctl) + IndentOf(ctl, 1) + 1);
    CHECK(firstInkX(px, 2, stateInk) == -1); // a leaf has no leaf state picture here
    CHECK(firstInkX(px, 2, nodeInk) == t.Row(2).left + TreePartStart(ctl) + IndentOf(ctl, 2) + 1);
    // An expanded parent with node pictures gets a stub from its picture down to its children.
    const int stub = row1.left + TreeLineX(ctl, 1);
    REQUIRE(ctl->rowHeight - 2 >= (ctl->rowHeight - 12) / 2 + 12); // below the picture
    CHECK(px.At(stub, row1.bottom - 2) == kDot);

    SUBCASE("a disabled item embosses only its node picture") {
        REQUIRE(t.Send(LUMTREEM_ENABLEITEM, 1, FALSE) == 1);
        px = t.Paint();
        CHECK(firstInkX(px, 1, itemInk) == row1.left + g + 1);
        CHECK(firstInkX(px, 1, nodeInk) == -1);
        CHECK(firstInkX(px, 1, GetSysColor(COLOR_BTNSHADOW)) >= 0);
    }
    SUBCASE("a disabled window embosses every picture and greys the texts") {
        EnableWindow(t.hwnd, FALSE);
        px = t.Paint("disabled_window");
        CHECK(firstInkX(px, 1, itemInk) == -1);
        CHECK(firstInkX(px, 1, stateInk) == -1);
        CHECK(firstInkX(px, 1, nodeInk) == -1);
        CHECK(px.Count(t.Cell(1, 0), rt::kGray) > 10);
        CHECK(px.Count(t.Cell(1, 0), rt::kText) == 0);
    }
    for (HBITMAP b : {itemBmp, stateC, stateE, nodeC, nodeE, nodeL}) DeleteObject(b);
}

TEST_CASE("horizontal scrolling moves the tree part and the texts left") {
    Tree t;
    Sample(t);
    t.Send(LUMTREEM_SETHEXTENT, 1000);
    lt::Pixels before = t.Paint();
    REQUIRE(t.Send(LUMTREEM_SETHPOS, 7) == 1);
    REQUIRE(t.ctl->horizontalPos == 7);
    lt::Pixels after = t.Paint();
    RECT row = t.Row(2);
    for (int x = row.left; x < row.right - 7; ++x) {
        for (int y = row.top; y < row.bottom; ++y) {
            if (after.At(x, y) != before.At(x + 7, y)) {
                FAIL_CHECK("pixel " << x << "," << y << " did not move with the scroll");
                return;
            }
        }
    }
}
