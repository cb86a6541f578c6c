// Row labels, the corner and the display switches: what each message recomputes and repaints.
#include "layout_support.h"

#include <set>
#include <string>

using namespace lt;

namespace {

INT CALLBACK DrawNothing(HWND, RowDrawInfo *, DWORD_PTR) {
    return 0;
}

} // namespace

TEST_CASE("the label width needed: numbers, texts and the corner text") {
    Parent parent;
    Gdi gdi;
    HFONT itemFont = gdi.Font(14), labelFont = gdi.Font(21), headerFont = gdi.Font(25);
    const int avg = Metrics(itemFont).tmAveCharWidth;
    HWND tree = parent.Tree(kNotifyStyle, 0, 0, 300, 200);
    SetFont(tree, itemFont);
    SetFont(tree, labelFont, LUMTREEM_SETLABELFONT);
    SetFont(tree, headerFont, LUMTREEM_SETHEADERFONT);
    AddFlat(tree, 12);
    const auto calc = [&] { return SendI(tree, LUMTREEM_CALCLABELWIDTH); };
    const auto widest = [&](int from) {
        int best = 0;
        for (int n = from; n < from + 12; ++n)
            best = std::max(best, TextWidthOf(labelFont, std::to_string(n).c_str()));
        return best;
    };
    CHECK(calc() == 0); // labels off
    const std::pair<int, int> styles[] = {{3, widest(0)}, {5, widest(1)}, {2, 0}};
    for (auto [style, numbers] : styles) {
        Send(tree, LUMTREEM_SHOWLABELS, static_cast<WPARAM>(style));
        CHECK(calc() == numbers + avg + 3);
    }
    // Label texts count, of hidden items too.
    const char *text = "a label of some length";
    Send(tree, LUMTREEM_SETLEVEL, 5, 1);
    Send(tree, LUMTREEM_SETLABELTEXT, 5, Ptr(text));
    Send(tree, LUMTREEM_EXPAND, 4, 0);
    CHECK(calc() == TextWidthOf(labelFont, text) + avg + 3);
    // The corner text counts while the header bar is shown.
    const char *cornerText = "a corner text much wider than every label of this control";
    REQUIRE(SendI(tree, LUMTREEM_SETCORNERTEXT, 0, Ptr(cornerText)) == 1);
    Send(tree, LUMTREEM_SHOWHEADER, 1);
    CHECK(calc() == avg + 6 + TextWidthOf(headerFont, cornerText));
}

TEST_CASE("each label, corner and display message recomputes and repaints what it names") {
    Parent parent;
    Gdi gdi;
    HFONT font = gdi.Font(24); // its line is taller than the labels and the buttons
    const TEXTMETRICA tm = Metrics(font);
    const int line = tm.tmHeight + tm.tmDescent / 2, even = Even(line), odd = Even(line + 1);
    HWND tree = parent.Tree(kNotifyStyle, 0, 0, 320, 300);
    AddEditor(tree);
    SetFont(tree, font);
    AddFlat(tree, 4);
    Send(tree, LUMTREEM_SHOWHEADER, 1);
    Send(tree, LUMTREEM_SHOWLABELS, 3);
    Send(tree, LUMTREEM_SETSELECTION, 1);
    const int W = Client(tree).right, H = Client(tree).bottom, hh = HeaderRect(tree, -1).bottom;
    const int lw = SendI(tree, LUMTREEM_GETLABELWIDTH), rh = even;
    REQUIRE(SendI(tree, LUMTREEM_GETROWHEIGHT) == rh);
    const RECT all = Client(tree), items{lw, hh, W, H}, rows{0, hh, W, H}, bar{lw, 0, W, hh},
               corner{0, 0, lw, hh}, labels{0, hh, lw, H}, label1{0, hh + rh, lw, hh + 2 * rh},
               row1{0, hh + rh, W, hh + 2 * rh}, row2{0, hh + 2 * rh, W, hh + 3 * rh},
               sel1{lw, hh + rh, W, hh + 2 * rh};
    HBITMAP tall = gdi.Bitmap(12, line + 10), strip = gdi.Bitmap(4 * 9, 9);
    HBITMAP three[3] = {tall, tall, tall}, font1 = HBITMAP(GetStockObject(SYSTEM_FONT));
    TreeDrawCallback callback{DrawNothing, 7};
    HBITMAP corners[2] = {gdi.Bitmap(6, hh + 4), gdi.Bitmap(9, hh + 4)};
    const RECT tallCorner{0, 0, lw, hh + 7};
    TreeLabelAttrRequest attr{2, 2, {1, 2, 3, 4, nullptr, 0}};
    TreeLabelAttrRequest labelBitmap{2, -1, {0, 0, 0, 0, gdi.Bitmap(2, line + 20), 0}};
    TreeCellAttrRequest cell{2, 1, 0, {1, 2, 3, 4, nullptr, nullptr, 0}};
    TreeCellAttrRequest cellBitmap{2, -1, 0, {0, 0, 0, 0, nullptr, gdi.Bitmap(2, line + 30), 0}};
    const auto headerFont = static_cast<WPARAM>(Send(tree, LUMTREEM_GETHEADERFONT));
    const auto labelFont = static_cast<WPARAM>(Send(tree, LUMTREEM_GETLABELFONT));
    enum Again { Never, Silent, NoRepaint }; // what the same request once more does
    constexpr int E = LUMTREEN_ENDEDIT, T = LUMTREEN_TREEWIDTHCHANGE;
    struct Case {
        UINT msg;
        WPARAM wp;
        LPARAM lp;
        std::set<int> codes;
        std::vector<RECT> region;
        int rowHeight;
        Again again;
    };
    const Case cases[] = {
        {LUMTREEM_SETLABELTEXT, 1, Ptr("First"), {}, {label1}, even, Never},
        {LUMTREEM_SETLABELATTR, 0, Ptr(&attr), {E}, {row2}, even, Never},
        {LUMTREEM_SETLABELFLAGS, 0, 0x80, {E}, {labels}, even, Never},
        {LUMTREEM_SETCELLATTR, 0, Ptr(&cell), {E}, {row1}, even, Never},
        {LUMTREEM_SETCORNERTEXT, 0, Ptr("Rows"), {}, {corner}, even, Never},
        {LUMTREEM_SETCORNERBITMAP, 0, Ptr(font1), {E}, {corner}, even, Never}, // as none
        {LUMTREEM_SETCORNERBITMAPFLAGS, 0, 1, {E}, {corner}, even, Never},
        {LUMTREEM_SETCORNERFLAGS, 0, 0x80, {E}, {corner}, even, Never},
        {LUMTREEM_SETCORNERPRESSED, 3, 0, {E}, {corner}, even, NoRepaint},
        {LUMTREEM_SETCORNERBUTTON, 0, 0, {E}, {corner}, even, NoRepaint},
        {LUMTREEM_SETHEADERBUTTONS, 1, 0, {E}, {corner, bar}, even, NoRepaint},
        {LUMTREEM_SETPRESSEDHEADER, 0, 0, {}, {bar}, even, Never},
        {LUMTREEM_SETHEADERFONT, headerFont, 1, {E}, {all}, even, Never},
        {LUMTREEM_SETLABELFONT, labelFont, 1, {E}, {all}, even, Never},
        {LUMTREEM_SHOWLABELS, 5, 0, {E}, {all}, even, NoRepaint},
        {LUMTREEM_SETLABELWIDTH, 55, 0, {E}, {all}, even, NoRepaint},
        {LUMTREEM_SETLABELWIDTH, static_cast<WPARAM>(lw), 0, {E}, {all}, even, NoRepaint},
        {LUMTREEM_SETSHOWLINES, 0, 0, {E}, {items, bar}, even, Silent},
        {LUMTREEM_SETTEXTONLYSELECTION, 5, 0, {}, {items}, even, Silent},
        {LUMTREEM_SETSHOWBUTTONS, 0, 0, {E}, {all}, even, Silent},
        {LUMTREEM_SETSHOWROOTBUTTONS, 1, 0, {E, T}, {rows}, even, Silent},
        {LUMTREEM_SETINACTIVESELSTYLE, 2, 0, {}, {sel1}, even, Silent}, // rows only
        {LUMTREEM_SETCELLELLIPSIS, 1, 0, {E}, {items}, even, Silent},
        {LUMTREEM_SETDRAWCALLBACK, 0, Ptr(&callback), {E}, {}, even, Never},
        {LUMTREEM_SETGRIDLINES, 1, 0, {E}, {rows}, odd, Silent},
        {LUMTREEM_SETGRIDSTYLE, 0, 0, {E}, {rows}, even, Silent},
        {LUMTREEM_SETGRIDSTYLE, 7, 0, {E}, {rows}, odd, Silent}, // stored as 2
        {LUMTREEM_SETLOOK3D, 1, 0, {E}, {rows}, Even(line + 4), Silent},
        {LUMTREEM_SETSTATEBITMAPS, 0, Ptr(three), {E, T}, {all}, Even(line + 10), Never},
        {LUMTREEM_SETNODEBITMAPS, 0, Ptr(three), {E, T}, {all}, Even(line + 11), Never},
        {LUMTREEM_SETBUTTONSTRIP, 0, Ptr(strip), {E, T}, {all}, Even(line + 11), Never},
        {LUMTREEM_SETLABELATTR, 0, Ptr(&labelBitmap), {E}, {rows}, Even(line + 23), Never},
        // The cell bitmap is the text line's minimum; the 3-D look adds its 4 pixels to it.
        {LUMTREEM_SETCELLATTR, 0, Ptr(&cellBitmap), {E}, {all}, Even(line + 34), Never},
        // A corner bitmap of a new height changes the layout, of the same height the corner.
        {LUMTREEM_SETCORNERBITMAP, 0, Ptr(corners[0]), {E}, {all}, Even(line + 34), Never},
        {LUMTREEM_SETCORNERBITMAP, 0, Ptr(corners[1]), {E}, {tallCorner}, Even(line + 34), Never},
    };
    for (const Case &c : cases) {
        CAPTURE(c.msg);
        Settle(tree);
        parent.Clear();
        Send(tree, c.msg, c.wp, c.lp);
        const std::vector<int> codes = parent.Codes(tree);
        CHECK(std::set<int>(codes.begin(), codes.end()) == c.codes);
        CHECK(Repainted(tree, c.region));
        CHECK(SendI(tree, LUMTREEM_GETROWHEIGHT) == c.rowHeight);
        CHECK(SendI(tree, LUMTREEM_GETFULLROWS) == (H - HeaderRect(tree, -1).bottom) / c.rowHeight);
        if (c.again == Never) continue;
        Settle(tree);
        parent.Clear();
        Send(tree, c.msg, c.wp, c.lp);
        CHECK(Repainted(tree, {}));
        if (c.again == Silent) CHECK(parent.Codes(tree).empty());
    }
    CHECK((Record(tree)->drawCallback == &DrawNothing && Record(tree)->drawCallbackData == 7));
}
