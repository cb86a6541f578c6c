// Row labels, the corner and the display switches: what each message stores, recomputes and
// repaints.
#include "layout_support.h"

#include <cstring>
#include <string>

using namespace lt;

namespace {

int LabelWidth(HWND tree) {
    return SendI(tree, LUMTREEM_GETLABELWIDTH);
}

TreeLabelAttrRequest LabelRequest(int item) {
    TreeLabelAttrRequest request{};
    request.version = LUMTREE_ATTRVERSION;
    request.item = item;
    return request;
}

std::string LabelText(HWND tree, int item) {
    char buffer[128] = "junk";
    int n = SendI(tree, LUMTREEM_GETLABELTEXT, static_cast<WPARAM>(item), Ptr(buffer));
    CHECK(n == static_cast<int>(std::strlen(buffer)));
    return buffer;
}

// A control with header and labels shown, its item font known.
struct Layout {
    HWND tree;
    int avg, W, H, hh, lw;
    RECT client, itemArea, rowsWithLabels, headerBar, corner, labels;
    Layout(Parent &parent, HFONT font) {
        tree = parent.Tree(kNotifyStyle, 0, 0, 320, 240);
        AddEditor(tree);
        Send(tree, WM_SETFONT, reinterpret_cast<WPARAM>(font), 0);
        avg = Metrics(font).tmAveCharWidth;
        AddFlat(tree, 4);
        Send(tree, LUMTREEM_SHOWHEADER, 1);
        Send(tree, LUMTREEM_SHOWLABELS, 3);
        Measure();
    }
    void Measure() {
        client = Client(tree);
        W = client.right;
        H = client.bottom;
        hh = HeaderRect(tree, -1).bottom;
        lw = LabelWidth(tree);
        itemArea = RECT{lw, hh, W, H};
        rowsWithLabels = RECT{0, hh, W, H};
        headerBar = RECT{lw, 0, W, hh};
        corner = RECT{0, 0, lw, hh};
        labels = RECT{0, hh, lw, H};
    }
};

INT CALLBACK DrawNothing(HWND, RowDrawInfo *, DWORD_PTR) {
    return 0;
}

} // namespace

TEST_CASE("labels are switched on with a style and off with 0 or a width of 0") {
    Parent parent;
    GdiObjects gdi;
    HFONT font = gdi.Font(16);
    const int avg = Metrics(font).tmAveCharWidth;
    HWND tree = parent.Tree(kNotifyStyle, 0, 0, 300, 200);
    AddEditor(tree);
    Send(tree, WM_SETFONT, reinterpret_cast<WPARAM>(font), 0);
    CHECK(SendI(tree, LUMTREEM_GETLABELSTYLE) == 3);
    CHECK(LabelWidth(tree) == 0);

    Settle(tree);
    parent.Clear();
    Send(tree, LUMTREEM_SHOWLABELS, 3);
    CHECK(LabelWidth(tree) == 4 * avg);
    CHECK(UpdateRegion(tree).Is({Client(tree)}));
    CHECK(Count(parent.Codes(tree), LUMTREEN_ENDEDIT) >= 1);
    Settle(tree);
    Send(tree, LUMTREEM_SHOWLABELS, 3);
    Send(tree, LUMTREEM_SHOWLABELS, 7); // not a style
    CHECK(UpdateRegion(tree).Empty());
    CHECK(SendI(tree, LUMTREEM_GETLABELSTYLE) == 3);
    Send(tree, LUMTREEM_SHOWLABELS, 6);
    CHECK(SendI(tree, LUMTREEM_GETLABELSTYLE) == 6);
    CHECK(LabelWidth(tree) == 4 * avg);

    Send(tree, LUMTREEM_SHOWLABELS, 0);
    CHECK(LabelWidth(tree) == 0);
    CHECK(SendI(tree, LUMTREEM_GETLABELSTYLE) == 0);
    CHECK(LabelRectOf(tree, -1) == RECT{});
    // A width brings them back; the style stays 0.
    Send(tree, LUMTREEM_SETLABELWIDTH, 40);
    CHECK(LabelWidth(tree) == 40);
    CHECK(LabelRectOf(tree, -1).right == 40);
    CHECK(SendI(tree, LUMTREEM_GETLABELSTYLE) == 0);
    Settle(tree);
    Send(tree, LUMTREEM_SETLABELWIDTH, 40);
    CHECK(UpdateRegion(tree).Empty());
    Send(tree, LUMTREEM_SETLABELWIDTH, 55);
    CHECK(UpdateRegion(tree).Is({Client(tree)}));
    Send(tree, LUMTREEM_SETLABELWIDTH, 0);
    CHECK(LabelWidth(tree) == 0);
    CHECK(LabelRectOf(tree, -1) == RECT{});
    // Measuring while labels are off gives 0, which is the width already.
    Settle(tree);
    Send(tree, LUMTREEM_SETLABELWIDTH, static_cast<WPARAM>(-1));
    CHECK(LabelWidth(tree) == 0);
    CHECK(UpdateRegion(tree).Empty());
}

TEST_CASE("the label width needed: numbers, texts, bitmaps and the corner text") {
    Parent parent;
    GdiObjects gdi;
    HFONT itemFont = gdi.Font(14), labelFont = gdi.Font(21), headerFont = gdi.Font(25);
    const int avg = Metrics(itemFont).tmAveCharWidth;
    HWND tree = parent.Tree(kNotifyStyle, 0, 0, 300, 200);
    Send(tree, WM_SETFONT, reinterpret_cast<WPARAM>(itemFont), 0);
    Send(tree, LUMTREEM_SETLABELFONT, reinterpret_cast<WPARAM>(labelFont), 0);
    Send(tree, LUMTREEM_SETHEADERFONT, reinterpret_cast<WPARAM>(headerFont), 0);
    CHECK(Send(tree, LUMTREEM_GETLABELFONT) == reinterpret_cast<LRESULT>(labelFont));
    AddFlat(tree, 12);
    CHECK(SendI(tree, LUMTREEM_CALCLABELWIDTH) == 0); // labels off
    const auto widest = [&](int from, int to) {
        int best = 0;
        for (int n = from; n <= to; ++n) {
            best = std::max(best, TextWidthOf(labelFont, std::to_string(n).c_str()));
        }
        return best;
    };
    Send(tree, LUMTREEM_SHOWLABELS, 3);
    CHECK(SendI(tree, LUMTREEM_CALCLABELWIDTH) == widest(0, 11) + avg + 3);
    Send(tree, LUMTREEM_SHOWLABELS, 5);
    CHECK(SendI(tree, LUMTREEM_CALCLABELWIDTH) == widest(1, 12) + avg + 3);
    Send(tree, LUMTREEM_SHOWLABELS, 2); // no numbers
    CHECK(SendI(tree, LUMTREEM_CALCLABELWIDTH) == avg + 3);

    // Label texts count, of hidden items too.
    const char *text = "a label of some length";
    Send(tree, LUMTREEM_SETLEVEL, 5, 1);
    Send(tree, LUMTREEM_SETLABELTEXT, 5, Ptr(text));
    Send(tree, LUMTREEM_EXPAND, 4, 0);
    REQUIRE(SendI(tree, LUMTREEM_ISSHOWN, 5) == 0);
    const int textWidth = TextWidthOf(labelFont, text);
    CHECK(SendI(tree, LUMTREEM_CALCLABELWIDTH) == textWidth + avg + 3);

    // A bitmap alone counts its width; beside a text half a character more.
    TreeLabelAttrRequest wide = LabelRequest(-1);
    wide.attr.bitmap = gdi.Bitmap(textWidth + 30, 4);
    REQUIRE(SendI(tree, LUMTREEM_SETLABELATTR, 0, Ptr(&wide)) == 1);
    TreeLabelAttrRequest alone = LabelRequest(2);
    alone.attr.bitmap = gdi.Bitmap(5, 5);
    alone.attr.flags = LUMTREEBITMAP_ALONE;
    REQUIRE(SendI(tree, LUMTREEM_SETLABELATTR, 0, Ptr(&alone)) == 1);
    CHECK(SendI(tree, LUMTREEM_CALCLABELWIDTH) == textWidth + 30 + avg + 3);
    TreeLabelAttrRequest beside = LabelRequest(5);
    beside.attr.bitmap = alone.attr.bitmap;
    REQUIRE(SendI(tree, LUMTREEM_SETLABELATTR, 0, Ptr(&beside)) == 1);
    const int labels = textWidth + avg / 2 + textWidth + 30 + avg + 3;
    CHECK(SendI(tree, LUMTREEM_CALCLABELWIDTH) == labels);

    // The corner text counts while the header bar is shown.
    const char *cornerText =
        "a corner text that is much wider than every label of this control can ever be";
    REQUIRE(SendI(tree, LUMTREEM_SETCORNERTEXT, 0, Ptr(cornerText)) == 1);
    CHECK(SendI(tree, LUMTREEM_CALCLABELWIDTH) == labels);
    Send(tree, LUMTREEM_SHOWHEADER, 1);
    const int corner = avg + 6 + TextWidthOf(headerFont, cornerText);
    REQUIRE(corner > labels);
    CHECK(SendI(tree, LUMTREEM_CALCLABELWIDTH) == corner);
    Send(tree, LUMTREEM_SETLABELWIDTH, static_cast<WPARAM>(-1));
    CHECK(LabelWidth(tree) == corner);
}

TEST_CASE("label texts, attributes and flags") {
    Parent parent;
    GdiObjects gdi;
    Layout l(parent, gdi.Font(16));
    HWND tree = l.tree;
    const int rh = SendI(tree, LUMTREEM_GETROWHEIGHT);

    CHECK(SendI(tree, LUMTREEM_GETLABELTEXTLENGTH, 1) == 0);
    CHECK(LabelText(tree, 1).empty());
    Settle(tree);
    CHECK(SendI(tree, LUMTREEM_SETLABELTEXT, 1, Ptr("First")) == 1);
    CHECK(UpdateRegion(tree).Is({RECT{0, l.hh + rh, l.lw, l.hh + 2 * rh}}));
    CHECK(SendI(tree, LUMTREEM_GETLABELTEXTLENGTH, 1) == 5);
    CHECK(LabelText(tree, 1) == "First");
    CHECK(SendI(tree, LUMTREEM_SETLABELTEXT, 4, Ptr("x")) == 0);
    CHECK(SendI(tree, LUMTREEM_GETLABELTEXTLENGTH, 4) == -1);
    CHECK(SendI(tree, LUMTREEM_GETLABELTEXT, 4, Ptr("")) == -1);
    CHECK(SendI(tree, LUMTREEM_GETLABELTEXT, 1, 0) == -1);
    CHECK(SendI(tree, LUMTREEM_SETLABELTEXT, 1, 0) == 1); // removes it
    CHECK(SendI(tree, LUMTREEM_GETLABELTEXTLENGTH, 1) == 0);

    TreeLabelAttrRequest get = LabelRequest(2);
    REQUIRE(SendI(tree, LUMTREEM_GETLABELATTR, 0, Ptr(&get)) == 1);
    CHECK(get.attr.backColor == LUMTREE_AUTOCOLOR);
    CHECK(get.attr.selTextColor == LUMTREE_AUTOCOLOR);
    CHECK(get.attr.bitmap == nullptr);
    TreeLabelAttrRequest set = LabelRequest(2);
    set.attr = {RGB(1, 1, 1),      RGB(2, 2, 2),     RGB(3, 3, 3),
                LUMTREE_AUTOCOLOR, gdi.Bitmap(3, 3), LUMTREEBITMAP_RIGHT};
    Settle(tree);
    CHECK(SendI(tree, LUMTREEM_SETLABELATTR, 0, Ptr(&set)) == 1);
    CHECK(UpdateRegion(tree).Is({RECT{0, l.hh + 2 * rh, l.W, l.hh + 3 * rh}}));
    REQUIRE(SendI(tree, LUMTREEM_GETLABELATTR, 0, Ptr(&get)) == 1);
    CHECK(std::memcmp(&get.attr, &set.attr, sizeof(TreeLabelAttr)) == 0);
    for (int item : {4, -2}) {
        TreeLabelAttrRequest bad = LabelRequest(item);
        CHECK(SendI(tree, LUMTREEM_SETLABELATTR, 0, Ptr(&bad)) == 0);
        CHECK(SendI(tree, LUMTREEM_GETLABELATTR, 0, Ptr(&bad)) == 0);
    }
    TreeLabelAttrRequest badVersion = set;
    badVersion.version = 3;
    badVersion.attr.textColor = 0;
    CHECK(SendI(tree, LUMTREEM_SETLABELATTR, 0, Ptr(&badVersion)) == 0);
    CHECK(SendI(tree, LUMTREEM_GETLABELATTR, 0, Ptr(&badVersion)) == 0);
    TreeLabelAttrRequest notBitmap = set;
    notBitmap.attr.bitmap = reinterpret_cast<HBITMAP>(GetStockObject(WHITE_BRUSH));
    notBitmap.attr.textColor = 0;
    CHECK(SendI(tree, LUMTREEM_SETLABELATTR, 0, Ptr(&notBitmap)) == 0);
    CHECK(SendI(tree, LUMTREEM_SETLABELATTR, 0, 0) == 0);
    CHECK(SendI(tree, LUMTREEM_GETLABELATTR, 0, 0) == 0);
    REQUIRE(SendI(tree, LUMTREEM_GETLABELATTR, 0, Ptr(&get)) == 1);
    CHECK(get.attr.textColor == LUMTREE_AUTOCOLOR);

    // The control-wide bitmap reserves row height with the label margin.
    TreeLabelAttrRequest tall = LabelRequest(-1);
    tall.attr.bitmap = gdi.Bitmap(2, rh + 10);
    Settle(tree);
    CHECK(SendI(tree, LUMTREEM_SETLABELATTR, 0, Ptr(&tall)) == 1);
    CHECK(SendI(tree, LUMTREEM_GETROWHEIGHT) == Even(rh + 13));
    CHECK(UpdateRegion(tree).Is({l.rowsWithLabels}));

    Settle(tree);
    Send(tree, LUMTREEM_SETLABELFLAGS, 0, LUMTREELABEL_DISABLED | LUMTREEFORMAT_CENTER);
    CHECK(SendI(tree, LUMTREEM_GETLABELFLAGS) == (LUMTREELABEL_DISABLED | LUMTREEFORMAT_CENTER));
    CHECK(UpdateRegion(tree).Is({l.labels}));
}

TEST_CASE("the corner: text, bitmap, flags and button state repaint the corner") {
    Parent parent;
    GdiObjects gdi;
    Layout l(parent, gdi.Font(16));
    HWND tree = l.tree;

    CHECK(SendI(tree, LUMTREEM_GETCORNERTEXTLENGTH) == 0);
    Settle(tree);
    CHECK(SendI(tree, LUMTREEM_SETCORNERTEXT, 0, Ptr("Rows")) == 1);
    CHECK(UpdateRegion(tree).Is({l.corner}));
    CHECK(SendI(tree, LUMTREEM_SETCORNERTEXT, 0, 0) == 0);
    CHECK(SendI(tree, LUMTREEM_GETCORNERTEXTLENGTH) == 4);
    char buffer[8] = "zzzzzzz";
    CHECK(SendI(tree, LUMTREEM_GETCORNERTEXT, 3, Ptr(buffer)) == 2);
    CHECK(std::string(buffer) == "Ro");
    CHECK(SendI(tree, LUMTREEM_GETCORNERTEXT, 8, Ptr(buffer)) == 4);
    CHECK(std::string(buffer) == "Rows");
    CHECK(SendI(tree, LUMTREEM_GETCORNERTEXT, 8, 0) == 0);

    // Bitmap: a new height changes the layout, the same height only the corner.
    HBITMAP tall = gdi.Bitmap(6, l.hh + 4), sameHeight = gdi.Bitmap(9, l.hh + 4);
    Settle(tree);
    Send(tree, LUMTREEM_SETCORNERBITMAP, 0, Ptr(tall));
    CHECK(Send(tree, LUMTREEM_GETCORNERBITMAP) == reinterpret_cast<LRESULT>(tall));
    CHECK(HeaderRect(tree, -1).bottom == l.hh + 7);
    CHECK(UpdateRegion(tree).Is({l.client}));
    Settle(tree);
    Send(tree, LUMTREEM_SETCORNERBITMAP, 0, Ptr(sameHeight));
    l.Measure();
    CHECK(UpdateRegion(tree).Is({l.corner}));
    Send(tree, LUMTREEM_SETCORNERBITMAP, 0, Ptr(GetStockObject(SYSTEM_FONT)));
    CHECK(Send(tree, LUMTREEM_GETCORNERBITMAP) == 0); // an invalid handle is stored as none
    CHECK(HeaderRect(tree, -1).bottom < l.hh);

    l.Measure();
    parent.Clear();
    Settle(tree);
    Send(tree, LUMTREEM_SETCORNERBITMAPFLAGS, 0, LUMTREEBITMAP_ALONE);
    CHECK(SendI(tree, LUMTREEM_GETCORNERBITMAPFLAGS) == LUMTREEBITMAP_ALONE);
    CHECK(UpdateRegion(tree).Is({l.corner}));
    Settle(tree);
    Send(tree, LUMTREEM_SETCORNERFLAGS, 0, LUMTREECORNER_DISABLED);
    CHECK(SendI(tree, LUMTREEM_GETCORNERFLAGS) == LUMTREECORNER_DISABLED);
    CHECK(UpdateRegion(tree).Is({l.corner}));
    CHECK(Count(parent.Codes(tree), LUMTREEN_ENDEDIT) == 2);

    CHECK(SendI(tree, LUMTREEM_GETCORNERBUTTON) == 1);
    CHECK(SendI(tree, LUMTREEM_GETCORNERPRESSED) == 0);
    Settle(tree);
    Send(tree, LUMTREEM_SETCORNERBUTTON, 1);
    Send(tree, LUMTREEM_SETCORNERPRESSED, 0);
    CHECK(UpdateRegion(tree).Empty());
    Send(tree, LUMTREEM_SETCORNERPRESSED, 3);
    CHECK(SendI(tree, LUMTREEM_GETCORNERPRESSED) == 1);
    CHECK(UpdateRegion(tree).Is({l.corner}));
    Send(tree, LUMTREEM_SETCORNERBUTTON, 0);
    CHECK(SendI(tree, LUMTREEM_GETCORNERBUTTON) == 0);
}

TEST_CASE("each display switch recomputes and repaints exactly what it affects") {
    Parent parent;
    GdiObjects gdi;
    Layout l(parent, gdi.Font(16));
    HWND tree = l.tree;
    struct Case {
        const char *name;
        UINT get, set;
        int initial;
        bool endEdit;
        std::vector<RECT> region;
    };
    const std::vector<Case> cases = {
        {"tree lines",
         LUMTREEM_GETSHOWLINES,
         LUMTREEM_SETSHOWLINES,
         1,
         true,
         {l.itemArea, l.headerBar}},
        {"text-only selection",
         LUMTREEM_GETTEXTONLYSELECTION,
         LUMTREEM_SETTEXTONLYSELECTION,
         0,
         false,
         {l.itemArea}},
        {"buttons", LUMTREEM_GETSHOWBUTTONS, LUMTREEM_SETSHOWBUTTONS, 1, true, {l.client}},
        {"root buttons",
         LUMTREEM_GETSHOWROOTBUTTONS,
         LUMTREEM_SETSHOWROOTBUTTONS,
         0,
         true,
         {l.rowsWithLabels}},
        {"3-D look", LUMTREEM_GETLOOK3D, LUMTREEM_SETLOOK3D, 0, true, {l.rowsWithLabels}},
        {"grid lines", LUMTREEM_GETGRIDLINES, LUMTREEM_SETGRIDLINES, 0, true, {l.rowsWithLabels}},
        {"cell ellipsis",
         LUMTREEM_GETCELLELLIPSIS,
         LUMTREEM_SETCELLELLIPSIS,
         0,
         true,
         {l.itemArea}},
    };
    for (const Case &c : cases) {
        CAPTURE(c.name);
        CHECK(SendI(tree, c.get) == c.initial);
        Settle(tree);
        parent.Clear();
        Send(tree, c.set, static_cast<WPARAM>(c.initial ? 0 : 5));
        CHECK(SendI(tree, c.get) == !c.initial);
        CHECK((Count(parent.Codes(tree), LUMTREEN_ENDEDIT) > 0) == c.endEdit);
        UpdateRegion region(tree);
        if (c.region.size() == 1) {
            CHECK(region.Is({c.region[0]}));
        } else {
            CHECK(region.Is({c.region[0], c.region[1]}));
        }
        // The same value again: nothing at all.
        Settle(tree);
        parent.Clear();
        Send(tree, c.set, static_cast<WPARAM>(c.initial ? 0 : 1));
        CHECK(parent.Codes(tree).empty());
        CHECK(UpdateRegion(tree).Empty());
        Send(tree, c.set, static_cast<WPARAM>(c.initial));
    }
}

TEST_CASE("grid style and inactive selection style take their values") {
    Parent parent;
    HWND tree = parent.Tree(kNotifyStyle, 0, 0, 300, 200);
    AddFlat(tree, 4);
    const int rh = SendI(tree, LUMTREEM_GETROWHEIGHT);
    CHECK(SendI(tree, LUMTREEM_GETGRIDSTYLE) == 2);
    Send(tree, LUMTREEM_SETGRIDSTYLE, 1);
    CHECK(SendI(tree, LUMTREEM_GETGRIDSTYLE) == 1);
    Settle(tree);
    Send(tree, LUMTREEM_SETGRIDSTYLE, 7); // stored as 2; no grid lines: nothing recomputed
    CHECK(SendI(tree, LUMTREEM_GETGRIDSTYLE) == 2);
    CHECK(UpdateRegion(tree).Empty());
    Send(tree, LUMTREEM_SETGRIDLINES, 1);
    const TEXTMETRICA tm = Metrics(static_cast<HFONT>(GetStockObject(SYSTEM_FONT)));
    const int line = std::max<int>(tm.tmHeight + tm.tmDescent / 2, 11); // at least a button
    CHECK(SendI(tree, LUMTREEM_GETROWHEIGHT) == Even(line + 1));
    Send(tree, LUMTREEM_SETGRIDSTYLE, 0);
    CHECK(SendI(tree, LUMTREEM_GETROWHEIGHT) == rh);

    CHECK(SendI(tree, LUMTREEM_GETINACTIVESELSTYLE) == 0);
    Send(tree, LUMTREEM_SETINACTIVESELSTYLE, 3);
    CHECK(SendI(tree, LUMTREEM_GETINACTIVESELSTYLE) == 3);
    Send(tree, LUMTREEM_SETINACTIVESELSTYLE, 4);
    CHECK(SendI(tree, LUMTREEM_GETINACTIVESELSTYLE) == 0);
}

TEST_CASE("bitmap sets are checked before anything changes") {
    Parent parent;
    GdiObjects gdi;
    HWND tree = parent.Tree(kNotifyStyle, 0, 0, 300, 200);
    HBITMAP good = gdi.Bitmap(10, 30), other = gdi.Bitmap(12, 8);
    const auto notBitmap = reinterpret_cast<HBITMAP>(GetStockObject(SYSTEM_FONT));
    const int rh = SendI(tree, LUMTREEM_GETROWHEIGHT);

    HBITMAP missingSecond[3] = {good, nullptr, good};
    HBITMAP fontFirst[3] = {notBitmap, good, good};
    CHECK(SendI(tree, LUMTREEM_SETSTATEBITMAPS, 0, Ptr(missingSecond)) == 0);
    CHECK(SendI(tree, LUMTREEM_SETSTATEBITMAPS, 0, Ptr(fontFirst)) == 0);
    CHECK(SendI(tree, LUMTREEM_GETSHOWSTATEBITMAPS) == 0);
    CHECK(SendI(tree, LUMTREEM_GETROWHEIGHT) == rh);
    HBITMAP state[3] = {other, good, nullptr};
    CHECK(SendI(tree, LUMTREEM_SETSTATEBITMAPS, 0, Ptr(state)) == 1);
    CHECK(SendI(tree, LUMTREEM_GETSHOWSTATEBITMAPS) == 1);
    CHECK(SendI(tree, LUMTREEM_GETROWHEIGHT) == std::max(rh, 30));
    CHECK(SendI(tree, LUMTREEM_SETSTATEBITMAPS, 0, Ptr(missingSecond)) == 0);
    CHECK(Record(tree)->stateBitmapExpanded == good);

    // Node bitmaps check only the second handle.
    CHECK(SendI(tree, LUMTREEM_SETNODEBITMAPS, 0, Ptr(missingSecond)) == 0);
    CHECK(SendI(tree, LUMTREEM_SETNODEBITMAPS, 0, Ptr(fontFirst)) == 1);
    CHECK(SendI(tree, LUMTREEM_GETSHOWNODEBITMAPS) == 1);
    CHECK(SendI(tree, LUMTREEM_SETNODEBITMAPS, 0, 0) == 1);
    CHECK(SendI(tree, LUMTREEM_GETSHOWNODEBITMAPS) == 0);
    CHECK(Record(tree)->nodeBitmapCollapsed == nullptr);

    // The button strip; 0 restores the library's own and switches the buttons on.
    CHECK(SendI(tree, LUMTREEM_SETBUTTONSTRIP, 0, Ptr(notBitmap)) == 0);
    const HBITMAP library = Record(tree)->buttonStrip;
    CHECK(SendI(tree, LUMTREEM_SETBUTTONSTRIP, 0, Ptr(other)) == 1);
    CHECK(Record(tree)->buttonStrip == other);
    Send(tree, LUMTREEM_SETSHOWBUTTONS, 0);
    CHECK(SendI(tree, LUMTREEM_SETBUTTONSTRIP, 0, 0) == 1);
    CHECK(Record(tree)->buttonStrip == library);
    CHECK(SendI(tree, LUMTREEM_GETSHOWBUTTONS) == 1);
}

TEST_CASE("the draw callback is stored with its value") {
    Parent parent;
    HWND tree = parent.Tree();
    TreeDrawCallback pair{DrawNothing, 77};
    CHECK(SendI(tree, LUMTREEM_SETDRAWCALLBACK, 0, Ptr(&pair)) == 1);
    CHECK((Record(tree)->drawCallback == &DrawNothing));
    CHECK(Record(tree)->drawCallbackData == 77);
    CHECK(SendI(tree, LUMTREEM_SETDRAWCALLBACK, 0, 0) == 1);
    CHECK((Record(tree)->drawCallback == nullptr));
    CHECK(Record(tree)->drawCallbackData == 0);
}
