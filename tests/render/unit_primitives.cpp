// Drawing primitives on memory canvases: masked and embossed pictures, 3-D edges, grid
// lines, text cut with "...", cell placement, and the grey rule.
#include "render_support.h"

#include <cstring>

using rt::Canvas;

namespace {

// A record with what the primitives read: the system font's metrics on the canvas.
struct Primitives {
    TreeCtl ctl{};
    Canvas canvas;
    HDC scratch1, scratch2;
    WorkDCs work;
    explicit Primitives(int w = 200, int h = 40) : canvas(w, h) {
        for (COLORREF &c : ctl.colorTable) c = LUMTREE_AUTOCOLOR;
        TEXTMETRICA tm{};
        GetTextMetricsA(canvas.dc, &tm);
        ctl.avgCharWidth = tm.tmAveCharWidth;
        ctl.baselineShift = (tm.tmAscent - 3 * tm.tmInternalLeading / 4) / 2;
        scratch1 = CreateCompatibleDC(canvas.dc);
        scratch2 = CreateCompatibleDC(scratch1);
        work = WorkDCs{scratch1, scratch2};
        SetBkMode(canvas.dc, TRANSPARENT);
        SetTextColor(canvas.dc, rt::kText);
    }
    ~Primitives() {
        DeleteDC(scratch2);
        DeleteDC(scratch1);
    }
    int TextWidth(const char *text) const {
        SIZE s{};
        GetTextExtentPoint32A(canvas.dc, text, static_cast<int>(std::strlen(text)), &s);
        return s.cx;
    }
};

BITMAP InfoOf(HBITMAP bmp) {
    BITMAP bm{};
    GetObjectA(bmp, sizeof(bm), &bm);
    return bm;
}

} // namespace

TEST_CASE("pictures are drawn with their top-left colour replaced, or embossed when disabled") {
    Primitives p;
    HBITMAP square = rt::SquareBitmap(8, 8, RGB(0, 128, 0));
    BITMAP info = InfoOf(square);
    const COLORREF fill = RGB(10, 200, 250);
    const COLORREF textBefore = GetTextColor(p.canvas.dc), backBefore = GetBkColor(p.canvas.dc);
    const int live = gdi::liveObjects;

    DrawMaskedBitmap(p.work, p.canvas.dc, square, 0, 8, POINT{4, 4}, info, fill, true);
    CHECK(p.canvas.At(4, 4) == fill); // the magenta border
    CHECK(p.canvas.At(11, 11) == fill);
    CHECK(p.canvas.At(5, 5) == RGB(0, 128, 0)); // the ink
    CHECK(p.canvas.At(3, 3) == RGB(255, 255, 255));
    CHECK(p.canvas.At(12, 12) == RGB(255, 255, 255));

    DrawMaskedBitmap(p.work, p.canvas.dc, square, 0, 8, POINT{20, 4}, info, fill, false);
    CHECK(p.canvas.At(21, 5) == GetSysColor(COLOR_BTNSHADOW)); // ink becomes the shadow
    CHECK(p.canvas.At(26, 10) == GetSysColor(COLOR_BTNSHADOW));
    CHECK(p.canvas.At(27, 11) == GetSysColor(COLOR_BTNHIGHLIGHT)); // the highlight copy
    CHECK(p.canvas.At(20, 4) == fill);

    // Only a part of a strip: the picture from x = 4 takes its own top-left pixel.
    DrawMaskedBitmap(p.work, p.canvas.dc, square, 4, 4, POINT{40, 4}, info, fill, true);
    CHECK(p.canvas.At(40, 4) == fill);
    CHECK(p.canvas.At(40, 5) == RGB(0, 128, 0));
    CHECK(p.canvas.At(43, 5) == fill);

    CHECK(GetTextColor(p.canvas.dc) == textBefore);
    CHECK(GetBkColor(p.canvas.dc) == backBefore);
    CHECK(gdi::liveObjects == live);
    DeleteObject(square);
}

TEST_CASE("the default button strip shows its boxes on the fill colour") {
    rt::RegisterClassOnce();
    Primitives p;
    HBITMAP strip = LoadBitmapA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(32600));
    REQUIRE(strip);
    BITMAP info = InfoOf(strip);
    CHECK(info.bmWidth == 48);
    CHECK(info.bmHeight == 11);
    const COLORREF fill = RGB(1, 2, 3);
    for (int image = 0; image < 4; ++image) {
        DrawMaskedBitmap(p.work, p.canvas.dc, strip, image * 12, 12, POINT{image * 20, 0}, info,
                         fill, true);
    }
    for (int image = 0; image < 4; ++image) {
        const int x = image * 20;
        INFO("image " << image);
        CHECK(p.canvas.At(x, 0) == fill);
        CHECK(p.canvas.At(x + 2, 1) == RGB(128, 128, 128)); // box outline
        CHECK(p.canvas.At(x + 6, 5) == RGB(0, 0, 0));       // centre of plus or minus
        // The plus has a vertical bar, the minus none.
        const bool collapsed = image % 2 == 0;
        CHECK((p.canvas.At(x + 6, 3) == RGB(0, 0, 0)) == collapsed);
    }
    // No dark magenta is left anywhere.
    CHECK(rt::Count(p.canvas, RECT{0, 0, 80, 11}, rt::kMagenta) == 0);
    DeleteObject(strip);
}

TEST_CASE("grey text on button faces never vanishes") {
    CHECK(GreyFor(RGB(1, 2, 3), RGB(200, 200, 200)) == RGB(1, 2, 3));
    CHECK(GreyFor(RGB(0xC0, 0xC0, 0xC0), RGB(0xC0, 0xC0, 0xC0)) == RGB(0x80, 0x80, 0x80));
    CHECK(GreyFor(RGB(0x80, 0x80, 0x80), RGB(0x80, 0x80, 0x80)) == RGB(0xC0, 0xC0, 0xC0));
    CHECK(GreyOr(RGB(9, 9, 9)) == RGB(9, 9, 9));
}

TEST_CASE("text too wide for its rectangle ends in dots inside the rectangle") {
    Primitives p(300, 40);
    const char *text = "Quarterly figures for the northern region";
    const int full = p.TextWidth(text);
    const int dots = p.TextWidth("...");
    RECT wide{10, 0, 10 + full + 5, 20};
    DrawTextEllipsis(p.canvas.dc, text, static_cast<int>(std::strlen(text)), &wide,
                     DT_NOPREFIX | DT_SINGLELINE | DT_VCENTER | DT_CENTER, 0);
    CHECK(rt::FirstX(p.canvas, wide, rt::kText) >= 10);

    for (UINT align : {0u, static_cast<UINT>(DT_CENTER), static_cast<UINT>(DT_RIGHT)}) {
        Canvas &c = p.canvas;
        RECT clear{0, 0, 300, 40};
        FillRect(c.dc, &clear, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        RECT narrow{10, 0, 10 + full / 2, 20};
        DrawTextEllipsis(c.dc, text, static_cast<int>(std::strlen(text)), &narrow,
                         DT_NOPREFIX | DT_SINGLELINE | DT_VCENTER | align, 0);
        INFO("alignment " << align);
        RECT row{0, 0, 300, 20};
        CHECK(rt::LastX(c, row, rt::kText) < narrow.right);
        CHECK(rt::LastX(c, row, rt::kText) >= narrow.right - dots - p.TextWidth("W"));
        CHECK(rt::FirstX(c, row, rt::kText) >= narrow.left);
    }

    // Nothing fits beside the dots: the dots alone, exactly as drawn on their own.
    Canvas alone(60, 20), dotsOnly(60, 20);
    for (Canvas *c : {&alone, &dotsOnly}) {
        SetBkMode(c->dc, TRANSPARENT);
        SetTextColor(c->dc, rt::kText);
    }
    RECT tiny{0, 0, dots + 1, 20};
    DrawTextEllipsis(alone.dc, "WWWW", 4, &tiny, DT_NOPREFIX | DT_SINGLELINE, 0);
    DrawTextA(dotsOnly.dc, "...", 3, &tiny, DT_NOPREFIX | DT_SINGLELINE);
    CHECK(rt::Count(alone, RECT{0, 0, 60, 20}, rt::kText) > 0);
    CHECK(std::memcmp(alone.bits, dotsOnly.bits, 60 * 20 * 4) == 0);

    // A line break keeps the text whole: drawn as DrawText draws it.
    Canvas broken(120, 40), plain(120, 40);
    for (Canvas *c : {&broken, &plain}) {
        SetBkMode(c->dc, TRANSPARENT);
        SetTextColor(c->dc, rt::kText);
    }
    RECT box{0, 0, 30, 40};
    DrawTextEllipsis(broken.dc, "Long line\nmore", 14, &box, DT_NOPREFIX, 0);
    DrawTextA(plain.dc, "Long line\nmore", 14, &box, DT_NOPREFIX);
    CHECK(std::memcmp(broken.bits, plain.bits, 120 * 40 * 4) == 0);
}

TEST_CASE("cell text and bitmaps are placed by their margins") {
    Primitives p(300, 30);
    HBITMAP square = rt::SquareBitmap(10, 10, RGB(0, 128, 0));
    BITMAP info = InfoOf(square);
    const int g = p.ctl.avgCharWidth;
    auto draw = [&](RECT rc, CellContent cell) {
        RECT clear{0, 0, 300, 30};
        FillRect(p.canvas.dc, &clear, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        cell.back = RGB(255, 255, 255);
        DrawCell(&p.ctl, p.canvas.dc, p.work, rc, cell);
    };
    const RECT all{0, 0, 300, 30};

    SUBCASE("right-aligned text never starts left of the margin") {
        CellContent cell;
        cell.text = "A rather long text";
        cell.format = LUMTREEFORMAT_RIGHT;
        draw(RECT{50, 0, 80, 30}, cell);
        CHECK(rt::FirstX(p.canvas, all, rt::kText) >= 50 + g / 2);
        draw(RECT{50, 0, 250, 30}, cell);
        CHECK(rt::LastX(p.canvas, all, rt::kText) <= 250 - g / 2 - 1);
        CHECK(rt::LastX(p.canvas, all, rt::kText) >= 250 - g / 2 - 4);
    }
    SUBCASE("a bitmap alone is centred and the text is left out") {
        CellContent cell;
        cell.text = "Hidden";
        cell.bitmap = square;
        cell.info = &info;
        cell.bitmapFlags = LUMTREEBITMAP_ALONE;
        draw(RECT{100, 0, 200, 30}, cell);
        CHECK(rt::Count(p.canvas, all, rt::kText) == 0);
        const int left = rt::FirstX(p.canvas, all, RGB(0, 128, 0));
        CHECK(left == 100 + g / 2 + (100 - g - 10) / 2 + 1);
    }
    SUBCASE("a bitmap goes before the text, or after it with the right flag") {
        CellContent cell;
        cell.text = "Text";
        cell.bitmap = square;
        cell.info = &info;
        draw(RECT{10, 0, 200, 30}, cell);
        CHECK(rt::FirstX(p.canvas, all, RGB(0, 128, 0)) == 10 + g / 2 + 1);
        CHECK(rt::FirstX(p.canvas, all, rt::kText) >= 10 + g / 2 + 10 + g / 2);
        cell.bitmapFlags = LUMTREEBITMAP_RIGHT | LUMTREEBITMAP_ALONE; // right wins
        draw(RECT{10, 0, 200, 30}, cell);
        CHECK(rt::FirstX(p.canvas, all, RGB(0, 128, 0)) ==
              10 + g / 2 + p.TextWidth("Text") + g / 2 + 1);
        CHECK(rt::FirstX(p.canvas, all, rt::kText) < rt::FirstX(p.canvas, all, RGB(0, 128, 0)));
    }
    SUBCASE("a pressed piece moves right, and down only on the old look") {
        CellContent cell;
        cell.text = "Title";
        draw(RECT{10, 0, 200, 30}, cell);
        Canvas &c = p.canvas;
        const int x0 = rt::FirstX(c, all, rt::kText), top0 = rt::FirstY(c, all, rt::kText);
        cell.pressed = 1;
        for (BOOL old : {FALSE, TRUE}) {
            p.ctl.oldLook = old;
            draw(RECT{10, 0, 200, 30}, cell);
            CHECK(rt::FirstX(c, all, rt::kText) == x0 + 1);
            CHECK(rt::FirstY(c, all, rt::kText) == top0 + (old ? 1 : 0));
        }
    }
    SUBCASE("cut with dots when the switch is on") {
        CellContent cell;
        cell.text = "Quarterly figures for the northern region";
        p.ctl.cellEllipsis = TRUE;
        draw(RECT{10, 0, 80, 30}, cell);
        CHECK(rt::LastX(p.canvas, all, rt::kText) < 80);
        p.ctl.cellEllipsis = FALSE;
        draw(RECT{10, 0, 80, 30}, cell);
        CHECK(rt::LastX(p.canvas, all, rt::kText) > 80); // single-line text runs on
    }
    DeleteObject(square);
}
