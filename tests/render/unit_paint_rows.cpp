// The looks of painted rows: selection with and without the focus, disabled items, the focus
// rectangle, grid lines, the 3-D look, drop marks, cells with their own attributes, fonts of
// the caret and of the hot-tracked row, and the draw callback.
#include "render_support.h"

#include <cstring>

using rt::Tree;

namespace {

constexpr COLORREF kVertGrid = RGB(0, 200, 200);
constexpr COLORREF kHorzGrid = RGB(200, 0, 200);

// Pixels of a colour in the part of a row left of its text, and in its text cell.
int InTreePart(const Tree &t, const lt::Pixels &px, INT i, COLORREF c) {
    const RECT row = t.Row(i), cell = t.Cell(i, 0);
    return px.Count(RECT{row.left, row.top, cell.left, row.bottom}, c);
}
int InCell(const Tree &t, const lt::Pixels &px, INT i, INT column, COLORREF c) {
    return px.Count(t.Cell(i, column), c);
}
int Area(const RECT &r) {
    return (r.right - r.left) * (r.bottom - r.top);
}

void Focus(const Tree &t) {
    SetFocus(t.hwnd);
    REQUIRE(GetFocus() == t.hwnd);
}

// Pixels of the top edge of a rectangle that differ from a colour.
int ChangedOnTop(const lt::Pixels &px, RECT r, COLORREF c) {
    int n = 0;
    for (int x = r.left; x < r.right; ++x) n += px.At(x, r.top) != c;
    return n;
}

} // namespace

TEST_CASE("a selected row with the focus is highlighted over the whole row or from its text") {
    Tree t;
    lt::AddFlat(t.hwnd, 4);
    lt::Send(t.hwnd, LUMTREEM_SETSELECTION, 1);
    Focus(t);
    lt::Pixels px = t.Paint("selected");
    const RECT row = t.Row(1);
    CHECK(InTreePart(t, px, 1, rt::kSelBack) ==
          Area(RECT{row.left, row.top, t.Cell(1, 0).left, row.bottom}));
    CHECK(InCell(t, px, 1, 0, rt::kSelText) > 10);
    CHECK(InCell(t, px, 1, 0, rt::kText) == 0);
    CHECK(px.Count(t.Row(2), rt::kSelBack) == 0);
    CHECK(px.At(row.right - 1, row.top + 2) == rt::kSelBack);

    for (bool look3D : {false, true}) {
        INFO("look3D " << look3D);
        t.Send(LUMTREEM_SETTEXTONLYSELECTION, !look3D);
        t.Send(LUMTREEM_SETLOOK3D, look3D);
        px = t.Paint();
        CHECK(InTreePart(t, px, 1, rt::kSelBack) == 0);
        const RECT cell = t.Cell(1, 0);
        CHECK(px.At(cell.left + 3, (cell.top + cell.bottom) / 2) == rt::kSelBack);
        CHECK(InCell(t, px, 1, 0, rt::kSelText) > 10);
    }
}

TEST_CASE("a selected row without the focus follows the inactive selection style") {
    Tree t;
    lt::AddFlat(t.hwnd, 4);
    lt::Send(t.hwnd, LUMTREEM_SETSELECTION, 1);
    const RECT row = t.Row(1);
    const int mid = (row.top + row.bottom) / 2;

    t.Send(LUMTREEM_SETINACTIVESELSTYLE, 0);
    lt::Pixels px = t.Paint();
    CHECK(px.At(row.left + 1, mid) == rt::kSelBack);

    t.Send(LUMTREEM_SETINACTIVESELSTYLE, 1); // normal colours in a frame
    px = t.Paint("inactive1");
    CHECK(px.At(row.left, row.top) == rt::kSelBack);
    CHECK(px.At(row.right - 1, row.bottom - 1) == rt::kSelBack);
    CHECK(px.At(row.left, mid) == rt::kSelBack);
    CHECK(px.At(row.left + 1, mid) == rt::kBack);
    CHECK(InCell(t, px, 1, 0, rt::kText) > 10);
    t.Send(LUMTREEM_SETTEXTONLYSELECTION, TRUE);
    px = t.Paint();
    CHECK(px.At(row.left, row.top) == rt::kBack);
    CHECK(px.At(t.Cell(1, 0).left, row.top) == rt::kSelBack);
    t.Send(LUMTREEM_SETTEXTONLYSELECTION, FALSE);

    t.Send(LUMTREEM_SETINACTIVESELSTYLE, 2); // no mark at all
    px = t.Paint();
    CHECK(px.Count(row, rt::kSelBack) == 0);
    CHECK(InCell(t, px, 1, 0, rt::kText) > 10);

    t.Send(LUMTREEM_SETINACTIVESELSTYLE, 3); // a light cell background
    px = t.Paint();
    CHECK(px.At(row.left + 1, mid) == rt::kBack);
    CHECK(px.At(t.Cell(1, 0).left + 1, mid) == GetSysColor(COLOR_3DLIGHT));
    CHECK(InCell(t, px, 1, 0, rt::kText) > 10);

    Focus(t); // with the focus every style highlights
    px = t.Paint();
    CHECK(px.At(row.left + 1, mid) == rt::kSelBack);
}

TEST_CASE("a disabled item is grey and never highlighted") {
    Tree t;
    lt::AddFlat(t.hwnd, 3);
    lt::Send(t.hwnd, LUMTREEM_SETSELECTION, 1);
    REQUIRE(t.Send(LUMTREEM_ENABLEITEM, 1, FALSE) == 1);
    Focus(t);
    lt::Pixels px = t.Paint();
    CHECK(px.Count(t.Row(1), rt::kSelBack) == 0);
    CHECK(InCell(t, px, 1, 0, rt::kGray) > 10);
    CHECK(InCell(t, px, 1, 0, rt::kText) == 0);
    SetFocus(t.parent.hwnd());
    t.Send(LUMTREEM_SETINACTIVESELSTYLE, 1);
    px = t.Paint();
    CHECK(px.Count(t.Row(1), rt::kSelBack) == 0);
}

TEST_CASE("the focus rectangle marks the caret row while the control has the focus") {
    Tree t;
    lt::AddFlat(t.hwnd, 4);
    lt::Send(t.hwnd, LUMTREEM_SETCARET, 2);
    lt::Pixels px = t.Paint();
    const RECT row = t.Row(2);
    CHECK(ChangedOnTop(px, row, rt::kBack) == 0);

    Focus(t);
    px = t.Paint("focus");
    CHECK(ChangedOnTop(px, row, rt::kBack) >= (row.right - row.left) / 2 - 1);
    CHECK(ChangedOnTop(px, t.Row(1), rt::kBack) == 0);
    CHECK(px.At(row.left + 1, row.top + 1) == rt::kBack);

    t.Send(LUMTREEM_SETTEXTONLYSELECTION, TRUE);
    px = t.Paint();
    const int textX = t.Cell(2, 0).left;
    CHECK(ChangedOnTop(px, RECT{row.left, row.top, textX, row.bottom}, rt::kBack) == 0);
    CHECK(ChangedOnTop(px, RECT{textX, row.top, row.right, row.bottom}, rt::kBack) > 0);

    SUBCASE("an empty list has it on its first row, over the background") {
        lt::Send(t.hwnd, LUMTREEM_DELETEALL);
        px = t.Paint();
        const RECT first = t.Row(0); // not a row any more: empty
        CHECK(IsRectEmpty(&first));
        RECT area = ItemAreaRect(t.ctl);
        CHECK(ChangedOnTop(px, area, rt::kBack) >= (area.right - area.left) / 2 - 1);
        CHECK(px.Count(RECT{0, t.ctl->rowHeight, px.width, px.height}, rt::kBack) ==
              px.width * (px.height - t.ctl->rowHeight));
    }
}

TEST_CASE("grid lines: vertical between columns, horizontal under rows, by style") {
    Tree t(lt::kChildStyle, 320, 200);
    t.Columns({{60, 0}, {80, 0}, {LUMTREE_STRETCH, 0}});
    lt::AddFlat(t.hwnd, 3);
    t.SetColor(LUMTREECOLOR_GRIDVERT, kVertGrid);
    t.SetColor(LUMTREECOLOR_GRIDHORZ, kHorzGrid);
    t.Send(LUMTREEM_SETGRIDLINES, TRUE);
    for (int style : {0, 1, 2}) {
        INFO("style " << style);
        t.Send(LUMTREEM_SETGRIDSTYLE, static_cast<WPARAM>(style));
        lt::Pixels px = t.Paint(style == 2 ? "grid" : nullptr);
        const bool vertical = style != 1, horizontal = style != 0;
        for (INT i = 0; i < 3; ++i) {
            const RECT row = t.Row(i);
            for (INT c = 0; c < 2; ++c) {
                const RECT cell = t.Cell(i, c);
                CHECK((px.At(cell.right - 1, row.top + 1) == kVertGrid) == vertical);
            }
            CHECK((px.At(row.left + 5, row.bottom - 1) == kHorzGrid) == horizontal);
            CHECK(px.Count(RECT{row.left, row.top, row.right, row.bottom - 1}, kHorzGrid) == 0);
        }
    }
}

TEST_CASE("the 3-D look frames rows from the text, raised when selected") {
    Tree t;
    lt::AddFlat(t.hwnd, 3);
    const COLORREF shadow = RGB(50, 50, 50), light = RGB(240, 240, 255);
    t.SetColor(LUMTREECOLOR_SHADOW, shadow);
    t.SetColor(LUMTREECOLOR_LIGHT, light);
    t.Send(LUMTREEM_SETLOOK3D, TRUE);
    lt::Send(t.hwnd, LUMTREEM_SETSELECTION, 2);
    Focus(t);
    lt::Send(t.hwnd, LUMTREEM_SETCARET, 2);
    lt::Pixels px = t.Paint("look3d");
    const int x = t.Row(1).left + TextX(t.ctl, 0);
    RECT row = t.Row(1);
    CHECK(px.At(x, row.top) == shadow);
    CHECK(px.At(x + 1, row.top + 1) == shadow);
    CHECK(px.At(x + 5, row.bottom - 1) == light);
    CHECK(px.At(x + 5, row.bottom - 2) == light);
    CHECK(px.At(x - 1, row.top) == rt::kBack);
    CHECK(px.At(row.right - 1, row.top + 5) != shadow); // no right edge
    row = t.Row(2);
    CHECK(px.At(x + 5, row.top) == light);
    CHECK(px.At(x + 5, row.bottom - 1) == shadow);
    // The focus rectangle is inset by 2 from the text: it changes pixel row 2, not row 1.
    SetFocus(t.parent.hwnd());
    lt::Pixels unfocused = t.Paint();
    auto changed = [&](int y) {
        int n = 0;
        for (int xx = row.left; xx < row.right; ++xx) n += px.At(xx, y) != unfocused.At(xx, y);
        return n;
    };
    CHECK(changed(row.top + 1) == 0);
    CHECK(changed(row.top + 2) > 10);
}

TEST_CASE("drop marks: a bar above the target, a frame around it, or a bar after the last item") {
    Tree t;
    lt::AddFlat(t.hwnd, 3);
    t.ctl->dropTarget = 1;
    t.ctl->dropMarkMode = LUMTREEDROPMARK_INSERT;
    lt::Pixels px = t.Paint();
    RECT row = t.Row(1);
    CHECK(px.At(row.left + 1, row.top) == rt::kSelBack);
    CHECK(px.At(row.right - 1, row.top + 1) == rt::kSelBack);
    CHECK(px.At(row.left + 1, row.top + 2) == rt::kBack);

    t.ctl->dropMarkMode = LUMTREEDROPMARK_ITEM;
    t.SetColor(LUMTREECOLOR_DROPMARK, RGB(0, 90, 0));
    px = t.Paint();
    CHECK(px.At(row.left, (row.top + row.bottom) / 2) == RGB(0, 90, 0));
    CHECK(px.At(row.right - 1, row.bottom - 1) == RGB(0, 90, 0));
    CHECK(px.At(row.left + 1, row.top + 2) == rt::kBack);

    t.ctl->dropMarkMode = LUMTREEDROPMARK_CARET; // mode 0 draws no mark
    px = t.Paint();
    CHECK(px.Count(row, RGB(0, 90, 0)) == 0);

    t.ctl->dropTarget = 3; // after the last item
    t.ctl->dropMarkMode = LUMTREEDROPMARK_INSERT;
    px = t.Paint();
    const int top = t.Row(2).bottom;
    CHECK(px.At(3, top) == RGB(0, 90, 0));
    CHECK(px.At(3, top + 1) == RGB(0, 90, 0));
    CHECK(px.At(3, top + 2) == rt::kBack);
}

TEST_CASE("cells: texts per column, own colours and bitmaps, alignment, several lines") {
    Tree t(lt::kChildStyle, 320, 200);
    t.Columns({{60, 0}, {90, LUMTREEFORMAT_RIGHT}, {LUMTREE_STRETCH, 0}});
    lt::AddFlat(t.hwnd, 3);
    for (INT i = 0; i < 3; ++i) {
        t.Text(i, 1, "12 kB");
        t.Text(i, 2, "Folder");
    }
    const COLORREF cellBack = RGB(255, 220, 220), cellText = RGB(120, 0, 0);
    const COLORREF selCellBack = RGB(0, 0, 90), lastBack = RGB(230, 230, 0);
    t.CellAttr(1, 1, rt::CellColours(cellBack, cellText, selCellBack));
    HBITMAP square = rt::SquareBitmap(8, 8, RGB(0, 150, 0));
    TreeCellAttr withBitmap = rt::CellColours(lastBack);
    withBitmap.bitmap = square;
    t.CellAttr(1, 2, withBitmap);
    t.CellAttr(-1, 0, withBitmap); // the size of cell bitmaps

    lt::Pixels px = t.Paint("cells");
    const RECT c1 = t.Cell(1, 1);
    CHECK(px.At(c1.left + 1, c1.top + 1) == cellBack);
    CHECK(InCell(t, px, 1, 1, cellText) > 5);
    CHECK(InCell(t, px, 0, 1, rt::kText) > 5);
    CHECK(px.At(t.Cell(0, 1).left + 1, c1.top - 2) == rt::kBack);
    // Right-aligned: the text ends at the cell's right margin.
    const int last = rt::LastX(px, c1, cellText);
    CHECK(last <= c1.right - t.ctl->avgCharWidth / 2 - 1);
    CHECK(last >= c1.right - t.ctl->avgCharWidth / 2 - 4);
    CHECK(InCell(t, px, 1, 2, RGB(0, 150, 0)) == 36);
    CHECK(InCell(t, px, 0, 2, RGB(0, 150, 0)) == 0);

    lt::Send(t.hwnd, LUMTREEM_SETSELECTION, 1);
    Focus(t);
    px = t.Paint();
    CHECK(px.At(c1.left + 1, c1.top + 1) == selCellBack);
    CHECK(InCell(t, px, 1, 1, rt::kSelText) > 5); // no selected text colour of its own
    CHECK(px.At(t.Cell(1, 2).left + 1, c1.top + 1) == rt::kSelBack);

    SUBCASE("a column of fixed width leaves the rest of the row in the row's cell background") {
        lt::Send(t.hwnd, LUMTREEM_SETSELECTION, static_cast<WPARAM>(-1));
        const RECT row = t.Row(1);
        px = t.Paint();
        CHECK(px.At(row.right - 2, row.top + 1) == lastBack);
        t.LiveColumns()[2].width = 50;
        px = t.Paint();
        CHECK(px.At(row.right - 2, row.top + 1) == rt::kBack);
        CHECK(px.At(t.Cell(1, 2).left + 1, row.top + 1) == lastBack);
    }
    SUBCASE("texts too wide for their cells end in dots when asked to") {
        t.Text(0, 0, "Averyverylongnamewithoutanyspaces");
        const RECT c = t.Cell(0, 0);
        const int margin = t.ctl->avgCharWidth / 2;
        px = t.Paint();
        CHECK(rt::LastX(px, c, rt::kText) >= c.right - margin); // runs on under the next cell
        t.Send(LUMTREEM_SETCELLELLIPSIS, TRUE);
        px = t.Paint();
        CHECK(rt::LastX(px, c, rt::kText) < c.right - margin);
    }
    SUBCASE("several lines per row with the multi-line format") {
        lt::Send(t.hwnd, LUMTREEM_SETSELECTION, static_cast<WPARAM>(-1));
        t.Send(LUMTREEM_SETLINESPERITEM, 2);
        t.LiveColumns()[2].format = LUMTREEFORMAT_MULTILINE;
        t.Text(0, 2, "First\nSecond");
        px = t.Paint("multiline");
        RECT cell = t.Cell(0, 2);
        const int half = (cell.top + cell.bottom) / 2;
        CHECK(px.Count(RECT{cell.left, cell.top, cell.right, half}, rt::kText) > 5);
        CHECK(px.Count(RECT{cell.left, half, cell.right, cell.bottom}, rt::kText) > 5);
    }
    DeleteObject(square);
}

TEST_CASE("the caret can be bold and the hot-tracked row underlined") {
    Tree t;
    HFONT tahoma =
        CreateFontA(-13, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Tahoma");
    lt::Send(t.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(tahoma), 0);
    for (int i = 0; i < 3; ++i) lt::Send(t.hwnd, LUMTREEM_ADDITEM, 0, lt::Ptr("Same text"));
    lt::Pixels px = t.Paint();
    const int plain = InCell(t, px, 1, 0, rt::kText);
    CHECK(InCell(t, px, 0, 0, rt::kText) == plain);

    lt::Send(t.hwnd, LUMTREEM_SETCARET, 1);
    t.ctl->caretFontOn = TRUE;
    px = t.Paint("bold_caret");
    const int bold = InCell(t, px, 1, 0, rt::kText);
    CHECK(bold > plain);
    CHECK(InCell(t, px, 0, 0, rt::kText) == plain);

    g_lum.trackWindow = t.hwnd;
    g_lum.trackIndex = 2;
    g_lum.keyboardMode = FALSE;
    g_lum.globalItemTrack = TRUE;
    t.ctl->itemTrack = FALSE;
    px = t.Paint();
    CHECK(InCell(t, px, 2, 0, rt::kText) == plain); // the control does not track
    t.ctl->itemTrack = TRUE;
    px = t.Paint("hot");
    const int underlined = InCell(t, px, 2, 0, rt::kText);
    CHECK(underlined > plain);
    g_lum.keyboardMode = TRUE; // keys were used since the mouse moved
    px = t.Paint();
    CHECK(InCell(t, px, 2, 0, rt::kText) == plain);
    g_lum.keyboardMode = FALSE;
    g_lum.trackIndex = 1; // hot and the bold caret at once
    px = t.Paint();
    CHECK(InCell(t, px, 1, 0, rt::kText) > bold);
    g_lum.trackWindow = nullptr;
    g_lum.trackIndex = -1;
    g_lum.globalItemTrack = FALSE;
    DestroyWindow(t.hwnd);
    DeleteObject(tahoma);
}

namespace {

struct Seen {
    RowDrawInfo info;
    int calls = 0;
};
char g_replacement[] = "Replaced";
LPSTR g_texts[1] = {g_replacement};

INT CALLBACK Recolour(HWND, RowDrawInfo *info, DWORD_PTR data) {
    auto *seen = reinterpret_cast<Seen *>(data);
    ++seen->calls;
    if (info->index == 1) {
        seen->info = *info;
        info->backColor = RGB(0, 60, 0);
        info->cellBackColor = RGB(0, 0, 60);
        info->cellTextColor = RGB(255, 255, 255);
        info->texts = g_texts;
        info->enabled = 0;
    }
    return 0;
}

} // namespace

TEST_CASE("the draw callback sees every painted row and may recolour it") {
    Tree t;
    lt::AddItems(t.hwnd, {{"Parent", 0}, {"Child", 1}, {"Grandchild", 2}, {"Other", 0}});
    t.Labels(3);
    const COLORREF labelGrey = RGB(10, 200, 10);
    t.SetColor(LUMTREECOLOR_LABELGRAYTEXT, labelGrey);
    t.Send(LUMTREEM_SETDATA, 1, 77);
    Seen seen;
    TreeDrawCallback callback{Recolour, reinterpret_cast<DWORD_PTR>(&seen)};
    REQUIRE(t.Send(LUMTREEM_SETDRAWCALLBACK, 0, lt::Ptr(&callback)) == 1);
    lt::Pixels px = t.Paint("callback");
    t.Send(LUMTREEM_SETDRAWCALLBACK, 0, 0);

    CHECK(seen.calls == 4);
    CHECK(seen.info.window == t.hwnd);
    CHECK(seen.info.controlId == lt::kTreeId);
    CHECK(seen.info.index == 1);
    CHECK(seen.info.hasChildren == 1);
    CHECK(seen.info.expanded == 1);
    CHECK(seen.info.columnCount == 1);
    CHECK(seen.info.caret == 0);
    CHECK(seen.info.enabled == 1);
    CHECK(seen.info.data == 77);
    CHECK(seen.info.textColor == rt::kText);
    CHECK(seen.info.backColor == rt::kBack);
    CHECK(std::strcmp(seen.info.texts[0], "Child") == 0);

    const RECT row = t.Row(1), cell = t.Cell(1, 0);
    CHECK(px.At(row.left + 1, row.top + 1) == RGB(0, 60, 0));
    CHECK(px.At(cell.right - 2, row.top + 1) == RGB(0, 0, 60));
    CHECK(InCell(t, px, 1, 0, RGB(255, 255, 255)) > 10);
    // The row was drawn disabled, so its label is too.
    RECT label{};
    LabelRect(t.ctl, 1, &label);
    CHECK(px.Count(label, labelGrey) > 0);
    RECT label0{};
    LabelRect(t.ctl, 0, &label0);
    CHECK(px.Count(label0, labelGrey) == 0);
}
