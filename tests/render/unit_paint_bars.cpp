// The column header bar, the corner and the row labels: backgrounds, edges, separator lines,
// titles and numbers, pressed and disabled looks.
#include "render_support.h"

#include <cstdlib>

using rt::Tree;

namespace {

constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kHeaderBack = RGB(210, 230, 250), kHeaderText = RGB(90, 0, 90);
constexpr COLORREF kHeaderGrey = RGB(150, 150, 0), kHeaderShadow = RGB(60, 60, 60);
constexpr COLORREF kHeaderLight = RGB(255, 250, 240);
constexpr COLORREF kLabelBack = RGB(220, 240, 220), kLabelText = RGB(0, 80, 0);
constexpr COLORREF kLabelSelBack = RGB(240, 220, 200), kLabelGrey = RGB(0, 180, 180);
constexpr COLORREF kLabelShadow = RGB(70, 70, 80), kLabelLight = RGB(250, 255, 250);
constexpr COLORREF kCornerBack = RGB(200, 200, 255), kCornerText = RGB(128, 0, 0);
constexpr COLORREF kCornerShadow = RGB(40, 40, 90), kCornerLight = RGB(255, 255, 200);

void HeaderColours(Tree &t) {
    t.table[LUMTREECOLOR_HEADERBACK] = kHeaderBack;
    t.table[LUMTREECOLOR_HEADERTEXT] = kHeaderText;
    t.table[LUMTREECOLOR_HEADERGRAYTEXT] = kHeaderGrey;
    t.table[LUMTREECOLOR_HEADERSHADOW] = kHeaderShadow;
    t.table[LUMTREECOLOR_HEADERLIGHT] = kHeaderLight;
    t.table[LUMTREECOLOR_LABELBACK] = kLabelBack;
    t.table[LUMTREECOLOR_LABELTEXT] = kLabelText;
    t.table[LUMTREECOLOR_LABELSELBACK] = kLabelSelBack;
    t.table[LUMTREECOLOR_LABELGRAYTEXT] = kLabelGrey;
    t.table[LUMTREECOLOR_LABELSHADOW] = kLabelShadow;
    t.table[LUMTREECOLOR_LABELLIGHT] = kLabelLight;
    t.table[LUMTREECOLOR_CORNERBACK] = kCornerBack;
    t.table[LUMTREECOLOR_CORNERTEXT] = kCornerText;
    t.table[LUMTREECOLOR_CORNERSHADOW] = kCornerShadow;
    t.table[LUMTREECOLOR_CORNERLIGHT] = kCornerLight;
    t.SetColors();
}

void WithHeader(Tree &t) {
    t.Columns({{70, 0}, {60, 0}, {LUMTREE_STRETCH, 0}}, {"Name", "Size", "Kind"});
    t.Send(LUMTREEM_SHOWHEADER, TRUE);
}

RECT Label(const Tree &t, INT i) {
    RECT rc{};
    LabelRect(t.ctl, i, &rc);
    return rc;
}

// The pixels of one rectangle as a list, to compare two pictures of it.
std::vector<COLORREF> Block(const lt::Pixels &px, const RECT &rc) {
    std::vector<COLORREF> out;
    for (int y = rc.top; y < rc.bottom; ++y) {
        for (int x = rc.left; x < rc.right; ++x) out.push_back(px.At(x, y));
    }
    return out;
}

} // namespace

TEST_CASE("the header bar: one cell per column with its title, edges and divider") {
    Tree t(lt::kChildStyle, 300, 160);
    HeaderColours(t);
    WithHeader(t);
    lt::AddFlat(t.hwnd, 3);
    lt::Pixels px = t.Paint("header");
    const int hh = HeaderHeight(t.ctl);
    for (int x = 0; x < px.width; ++x) CHECK(px.At(x, hh - 1) == kBlack);
    CHECK(ItemAreaRect(t.ctl).top == hh);
    CHECK(t.Row(0).top == hh);

    for (INT c = 0; c < 3; ++c) {
        const RECT cell = ColumnHeaderRect(t.ctl, c);
        INFO("column " << c);
        CHECK(px.Count(cell, kHeaderText) > 5);
        CHECK(px.At(cell.left + 2, cell.top + 2) == kHeaderBack);
        if (c < 2) {
            for (int y = 0; y < hh - 1; ++y) CHECK(px.At(cell.right - 1, y) == kBlack);
        }
        // Without header buttons each cell is sunken.
        CHECK(px.At(cell.left + 3, 0) == kHeaderShadow);
        CHECK(px.At(cell.left, 3) == kHeaderShadow);
        CHECK(px.At(cell.left + 3, hh - 2) == kHeaderLight);
    }

    t.Send(LUMTREEM_SETHEADERBUTTONS, TRUE);
    px = t.Paint();
    const RECT size = ColumnHeaderRect(t.ctl, 1);
    CHECK(px.At(size.left + 3, 0) == kHeaderLight);
    CHECK(px.At(size.left + 3, hh - 2) == kHeaderShadow);
    const int titleX = rt::FirstX(px, size, kHeaderText);

    t.Send(LUMTREEM_SETPRESSEDHEADER, 1);
    px = t.Paint();
    CHECK(px.At(size.left + 3, 0) == kHeaderShadow);
    CHECK(rt::FirstX(px, size, kHeaderText) == titleX + 1);
    CHECK(px.At(ColumnHeaderRect(t.ctl, 0).left + 3, 0) == kHeaderLight);

    t.LiveColumns()[1].headerFlags |= LUMTREEHEADER_DISABLED;
    px = t.Paint();
    CHECK(px.Count(size, kHeaderText) == 0);
    CHECK(px.Count(size, kHeaderGrey) > 5);
    CHECK(px.Count(ColumnHeaderRect(t.ctl, 0), kHeaderText) > 5);

    SUBCASE("the bar scrolls with the rows") {
        t.Send(LUMTREEM_SETHEXTENT, 1000);
        t.Send(LUMTREEM_SETHPOS, 20);
        px = t.Paint();
        CHECK(ColumnHeaderRect(t.ctl, 1).left == size.left - 20);
        CHECK(px.At(ColumnHeaderRect(t.ctl, 0).right - 1, 2) == kBlack);
    }
    SUBCASE("a last column of fixed width leaves header background after it") {
        t.LiveColumns()[2].width = 40;
        px = t.Paint();
        const RECT last = ColumnHeaderRect(t.ctl, 2);
        CHECK(px.At(last.right - 1, 2) == kBlack);
        CHECK(px.At(last.right + 5, 2) == kHeaderBack);
        CHECK(px.At(px.width - 1, 2) == kHeaderBack);
    }
}

TEST_CASE("row labels: numbers by style, separators, pressed when selected") {
    Tree t(lt::kChildStyle, 300, 160);
    HeaderColours(t);
    lt::AddFlat(t.hwnd, 4);
    t.Labels(5);
    lt::Pixels px = t.Paint("labels");
    for (int y = 0; y < px.height; ++y) CHECK(px.At(39, y) == kBlack);
    for (INT i = 0; i < 4; ++i) {
        const RECT label = Label(t, i);
        INFO("label " << i);
        CHECK(px.At(label.left + 3, label.bottom - 1) == kBlack);
        CHECK(px.At(label.left + 2, label.top + 2) == kLabelBack);
        CHECK(px.Count(label, kLabelText) > 3);
        CHECK(px.At(label.left + 5, label.top) == kLabelLight); // raised
    }
    // Below the last label the column keeps the label background.
    const RECT below{0, Label(t, 3).bottom, 39, px.height};
    CHECK(px.Count(below, kLabelBack) == (below.right - below.left) * (below.bottom - below.top));

    // Style 5 numbers from 1, style 3 from 0: label 0 now looks like label 1 did.
    const RECT first = Label(t, 0), second = Label(t, 1);
    RECT firstText{first.left + 2, first.top + 2, first.right - 3, first.bottom - 3};
    RECT secondText{second.left + 2, second.top + 2, second.right - 3, second.bottom - 3};
    std::vector<COLORREF> one = Block(px, firstText);
    t.Labels(3);
    px = t.Paint();
    CHECK(Block(px, secondText) == one);
    CHECK(Block(px, firstText) != one);
    t.Send(LUMTREEM_SETLABELTEXT, 1, lt::Ptr(""));
    px = t.Paint();
    CHECK(px.Count(second, kLabelText) == 0); // a label text replaces the number

    SUBCASE("a selected item's label is pressed unless the flag says otherwise") {
        lt::Send(t.hwnd, LUMTREEM_SETSELECTION, 2);
        px = t.Paint();
        const RECT label = Label(t, 2);
        CHECK(px.At(label.left + 2, label.top + 2) == kLabelSelBack);
        CHECK(px.At(label.left + 5, label.top) == kLabelShadow);
        t.Send(LUMTREEM_SETLABELFLAGS, 0, LUMTREELABEL_NOPRESSED);
        px = t.Paint();
        CHECK(px.At(label.left + 5, label.top) == kLabelLight);
    }
    SUBCASE("odd styles are 3-D buttons, even ones flat; styles 1 and 2 show no number") {
        for (UINT style = 1; style <= 6; ++style) {
            INFO("style " << style);
            t.Labels(style);
            px = t.Paint();
            const RECT label = Label(t, 2);
            CHECK(px.At(label.left + 5, label.top) == (style % 2 ? kLabelLight : kLabelShadow));
            CHECK((px.Count(label, kLabelText) > 0) == (style >= 3));
        }
    }
    SUBCASE("labels drawn disabled, and attributes that recolour one label or give a picture") {
        t.Send(LUMTREEM_SETLABELFLAGS, 0, LUMTREELABEL_DISABLED);
        t.LabelAttr(3,
                    TreeLabelAttr{rt::kAuto, rt::kAuto, RGB(255, 200, 0), rt::kAuto, nullptr, 0});
        HBITMAP square = rt::SquareBitmap(8, 8, RGB(0, 0, 255));
        TreeLabelAttr picture{rt::kAuto, rt::kAuto, rt::kAuto, rt::kAuto, square, 0};
        t.LabelAttr(-1, picture);
        t.LabelAttr(1, picture);
        px = t.Paint();
        CHECK(px.Count(Label(t, 1), GetSysColor(COLOR_BTNSHADOW)) > 20); // embossed
        t.Send(LUMTREEM_SETLABELFLAGS, 0, 0);
        CHECK(t.Paint().Count(Label(t, 1), RGB(0, 0, 255)) == 36);
        t.Send(LUMTREEM_SETLABELFLAGS, 0, LUMTREELABEL_DISABLED);
        px = t.Paint();
        DeleteObject(square);
        CHECK(px.Count(Label(t, 2), kLabelGrey) > 3);
        CHECK(px.Count(Label(t, 2), kLabelText) == 0);
        CHECK(px.At(Label(t, 3).left + 2, Label(t, 3).top + 2) == RGB(255, 200, 0));
        CHECK(px.Count(Label(t, 3), kLabelGrey) > 3); // its text colour stays automatic
    }
}

TEST_CASE("the corner above the labels, as a button or pressed") {
    Tree t(lt::kChildStyle, 300, 160);
    HeaderColours(t);
    WithHeader(t);
    lt::AddFlat(t.hwnd, 2);
    t.Labels(3);
    t.Send(LUMTREEM_SETCORNERTEXT, 0, lt::Ptr("#"));
    lt::Pixels px = t.Paint("corner");
    const RECT corner = CornerRect(t.ctl);
    const int hh = HeaderHeight(t.ctl);
    CHECK(corner.right == 40);
    CHECK(corner.bottom == hh);
    CHECK(px.At(39, 2) == kBlack);      // label separator through the corner
    CHECK(px.At(10, hh - 1) == kBlack); // header separator under it
    CHECK(px.At(5, 0) == kCornerLight);
    CHECK(px.At(5, hh - 2) == kCornerShadow);
    CHECK(px.At(2, 2) == kCornerBack);
    CHECK(px.Count(corner, kCornerText) > 2);
    CHECK(ColumnHeaderRect(t.ctl, 0).left == 40);

    t.Send(LUMTREEM_SETCORNERPRESSED, TRUE);
    px = t.Paint();
    CHECK(px.At(5, 0) == kCornerShadow);

    t.Send(LUMTREEM_SETCORNERFLAGS, 0, LUMTREECORNER_DISABLED);
    t.SetColor(LUMTREECOLOR_CORNERGRAYTEXT, RGB(100, 200, 100));
    px = t.Paint();
    CHECK(px.Count(corner, kCornerText) == 0);
    CHECK(px.Count(corner, RGB(100, 200, 100)) > 2);

    // Not a button: a sunken frame. A picture alone instead of the text.
    t.Send(LUMTREEM_SETCORNERFLAGS, 0, 0);
    t.Send(LUMTREEM_SETCORNERPRESSED, FALSE);
    t.Send(LUMTREEM_SETCORNERBUTTON, FALSE);
    HBITMAP square = rt::SquareBitmap(8, 8, RGB(0, 0, 255));
    t.Send(LUMTREEM_SETCORNERBITMAP, 0, lt::Ptr(square));
    t.Send(LUMTREEM_SETCORNERBITMAPFLAGS, 0, LUMTREEBITMAP_ALONE);
    px = t.Paint();
    CHECK(px.At(5, 0) == kCornerShadow);
    CHECK(px.Count(corner, RGB(0, 0, 255)) == 36);
    CHECK(px.Count(corner, kCornerText) == 0);
    DeleteObject(square);
}

TEST_CASE("header titles follow their alignment and share the cell with a picture") {
    Tree t(lt::kChildStyle, 300, 120);
    HeaderColours(t);
    HBITMAP square = rt::SquareBitmap(8, 8, RGB(0, 0, 255));
    char name[] = "Name", size[] = "Size";
    TreeColumn columns[2] = {};
    columns[0].width = 80;
    columns[0].title = name;
    columns[0].headerBitmap = square;
    columns[1].width = LUMTREE_STRETCH;
    columns[1].headerFlags = LUMTREEFORMAT_CENTER;
    columns[1].title = size;
    REQUIRE(t.Send(LUMTREEM_SETCOLUMNS, 2, lt::Ptr(columns)) == 1);
    t.Send(LUMTREEM_SHOWHEADER, TRUE);
    lt::Pixels px = t.Paint("header_picture");
    const RECT first = ColumnHeaderRect(t.ctl, 0), second = ColumnHeaderRect(t.ctl, 1);
    const int ink = rt::FirstX(px, first, RGB(0, 0, 255));
    CHECK(ink >= 0);
    CHECK(rt::FirstX(px, first, kHeaderText) > ink + 6); // the title after the picture
    const int middle =
        (rt::FirstX(px, second, kHeaderText) + rt::LastX(px, second, kHeaderText)) / 2;
    CHECK(std::abs(middle - (second.left + second.right) / 2) <= 3);
    DeleteObject(square);
}

TEST_CASE("disabled header text stays visible when the grey text colour is the button face") {
    const INT elements[2] = {COLOR_GRAYTEXT, COLOR_BTNFACE};
    const COLORREF saved[2] = {GetSysColor(COLOR_GRAYTEXT), GetSysColor(COLOR_BTNFACE)};
    const COLORREF silver[2] = {RGB(0xC0, 0xC0, 0xC0), RGB(0xC0, 0xC0, 0xC0)};
    REQUIRE(SetSysColors(2, elements, silver));
    {
        Tree t(lt::kChildStyle, 300, 120);
        WithHeader(t);
        t.LiveColumns()[0].headerFlags |= LUMTREEHEADER_DISABLED;
        lt::Pixels px = t.Paint();
        // Inside the edges (which are in the button shadow colour).
        CHECK(px.Count(rt::Inset(ColumnHeaderRect(t.ctl, 0), 2, 2), RGB(0x80, 0x80, 0x80)) > 5);
    }
    SetSysColors(2, elements, saved);
}
