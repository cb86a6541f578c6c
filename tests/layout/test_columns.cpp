// Column sets in both forms, titles, the live column array and cell attributes as an
// application uses them; and the bad requests of the layout messages.
#include "layout_support.h"

#include <cstring>
#include <deque>
#include <string>

using namespace lt;

namespace {

template <class T> std::string Bytes(const T &value) {
    return std::string(reinterpret_cast<const char *>(&value), sizeof value);
}

std::string Title(HWND tree, int size = 64) {
    std::string buffer(static_cast<size_t>(size), 'x');
    const int n =
        SendI(tree, LUMTREEM_GETCOLUMNTITLE, static_cast<WPARAM>(size), Ptr(buffer.data()));
    CHECK(n == static_cast<int>(std::strlen(buffer.c_str())));
    return buffer.c_str();
}

} // namespace

TEST_CASE("both forms copy the columns; the array handed out is the control's own") {
    Parent parent;
    Gdi gdi;
    HWND tree = parent.Tree();
    char name[] = "Name", ignored[] = "ignored";
    TreeColumn records[3] = {{11, 22, 120, 0, 0, name, nullptr, nullptr, 0},
                             {0, 0, 80, LUMTREEFORMAT_RIGHT, LUMTREEHEADER_SPRINGBACK, nullptr,
                              nullptr, gdi.Bitmap(6, 4), LUMTREEBITMAP_RIGHT},
                             {0, 0, -1, 0, 0, nullptr, nullptr, nullptr, 0}};
    REQUIRE(SendI(tree, LUMTREEM_SETCOLUMNS, 3, Ptr(records)) == 1);
    std::strcpy(name, "XXXX");
    TreeColumn *live = nullptr;
    REQUIRE(SendI(tree, LUMTREEM_GETCOLUMNS, 0, Ptr(&live)) == 3);
    CHECK(std::string(live[0].title) == "Name");
    records[0].title = records[0].titleBuffer = live[0].title; // the control's own copy
    CHECK(Bytes(records) == std::string(reinterpret_cast<const char *>(live), sizeof records));
    Send(tree, LUMTREEM_SHOWHEADER, 1);
    live[1].width = 30; // a width changed in place is the width
    CHECK(HeaderRect(tree, 1).right - HeaderRect(tree, 1).left == 30);

    // The simple form takes no titles; titles belong to the text column.
    TreeColumnInfo in[3] = {{70, LUMTREEFORMAT_CENTER, LUMTREEHEADER_SPRINGBACK, ignored},
                            {50, 0, 0, nullptr},
                            {-1, LUMTREEFORMAT_MULTILINE, 0, nullptr}};
    REQUIRE(SendI(tree, LUMTREEM_SETCOLUMNINFO, 3, Ptr(in)) == 1);
    CHECK(Title(tree).empty());
    REQUIRE(SendI(tree, LUMTREEM_SETTEXTCOLUMN, 2) == 0); // the previous text column
    REQUIRE(SendI(tree, LUMTREEM_SETCOLUMNTITLE, 0, Ptr("Modified")) == 1);
    CHECK(Title(tree, 4) == "Mod"); // at most size - 1 characters
    TreeColumnInfo *out = nullptr;
    REQUIRE(SendI(tree, LUMTREEM_GETCOLUMNINFO, 0, Ptr(&out)) == 3);
    for (int c = 0; c < 3; ++c) {
        CHECK(std::tuple(out[c].width, out[c].format, out[c].headerFlags) ==
              std::tuple(in[c].width, in[c].format, in[c].headerFlags));
    }
    CHECK((out[0].title == nullptr && std::string(out[2].title) == "Modified"));
    // Each request hands out a new buffer and frees the previous one.
    const size_t heap = HeapBytesInUse();
    for (int i = 0; i < 50; ++i) REQUIRE(SendI(tree, LUMTREEM_GETCOLUMNINFO, 0, Ptr(&out)) == 3);
    CHECK(HeapBytesInUse() < heap + 1024);
    // A smaller set leaves no text column beyond its end; the same count is fine with items;
    // count 0 is one stretching column.
    REQUIRE(SendI(tree, LUMTREEM_SETCOLUMNINFO, 2, Ptr(in)) == 1);
    CHECK(SendI(tree, LUMTREEM_GETTEXTCOLUMN) == 0);
    AddFlat(tree, 3);
    CHECK(SendI(tree, LUMTREEM_SETCOLUMNINFO, 2, Ptr(in)) == 1);
    Send(tree, LUMTREEM_DELETEALL);
    REQUIRE(SendI(tree, LUMTREEM_SETCOLUMNS, 0, 0) == 1);
    CHECK(SendI(tree, LUMTREEM_GETCOLUMNS, 0, Ptr(&live)) == 1);
    CHECK((live[0].width == -1 && live[0].title == nullptr));
}

TEST_CASE("cell attributes are per cell; defaults elsewhere") {
    Parent parent;
    Gdi gdi;
    HWND tree = parent.Tree();
    TreeColumnInfo in[2] = {{80, 0, 0, nullptr}, {-1, 0, 0, nullptr}};
    REQUIRE(SendI(tree, LUMTREEM_SETCOLUMNINFO, 2, Ptr(in)) == 1);
    AddFlat(tree, 3);
    const auto attrOf = [&](int item, int column) {
        TreeCellAttrRequest get{LUMTREE_ATTRVERSION, item, column, {}};
        REQUIRE(SendI(tree, LUMTREEM_GETCELLATTR, 0, Ptr(&get)) == 1);
        return Bytes(get.attr);
    };
    const std::string defaults =
        Bytes(TreeCellAttr{LUMTREE_AUTOCOLOR, LUMTREE_AUTOCOLOR, LUMTREE_AUTOCOLOR,
                           LUMTREE_AUTOCOLOR, nullptr, nullptr, 0});
    CHECK(attrOf(1, 1) == defaults);
    TreeCellAttrRequest set{LUMTREE_ATTRVERSION,
                            1,
                            1,
                            {RGB(1, 2, 3), RGB(4, 5, 6), LUMTREE_AUTOCOLOR, RGB(7, 8, 9), nullptr,
                             gdi.Bitmap(8, 8), LUMTREEBITMAP_ALONE}};
    REQUIRE(SendI(tree, LUMTREEM_SETCELLATTR, 0, Ptr(&set)) == 1);
    set.item = -1; // the control-wide bitmap size goes to no cell
    REQUIRE(SendI(tree, LUMTREEM_SETCELLATTR, 0, Ptr(&set)) == 1);
    CHECK(attrOf(1, 1) == Bytes(set.attr));
    CHECK(attrOf(1, 0) == defaults);
    CHECK(attrOf(2, 1) == defaults);
}

TEST_CASE("bad columns, items, versions and handles return the failure value, change nothing") {
    Parent parent;
    Gdi gdi;
    HWND tree = parent.Tree(kNotifyStyle, 0, 0, 300, 150);
    AddEditor(tree);
    TreeColumnInfo in[2] = {{50, 0, 0, nullptr}, {-1, 0, 0, nullptr}};
    REQUIRE(SendI(tree, LUMTREEM_SETCOLUMNINFO, 2, Ptr(in)) == 1);
    AddItems(tree, {{"a", 0}, {"hidden", 1}, {"c", 0}});
    AddFlat(tree, 30);
    Send(tree, LUMTREEM_EXPAND, 0, 0);
    Send(tree, LUMTREEM_SHOWHEADER, 1);
    Send(tree, LUMTREEM_SHOWLABELS, 3);
    Send(tree, LUMTREEM_SETLABELTEXT, 2, Ptr("label"));
    HBITMAP good = gdi.Bitmap(10, 8), font = HBITMAP(GetStockObject(SYSTEM_FONT));
    HBITMAP goodSet[3] = {good, good, good}, noSecond[3] = {good, nullptr, good},
            fontFirst[3] = {font, good, good};
    REQUIRE(SendI(tree, LUMTREEM_SETSTATEBITMAPS, 0, Ptr(goodSet)) == 1);
    REQUIRE(SendI(tree, LUMTREEM_SETNODEBITMAPS, 0, Ptr(goodSet)) == 1);
    // The record, every label and every cell.
    const auto state = [&] {
        std::string s = Bytes(*Record(tree));
        for (int i = 0; i < SendI(tree, LUMTREEM_GETCOUNT); ++i) {
            TreeLabelAttrRequest label{LUMTREE_ATTRVERSION, i, {}};
            Send(tree, LUMTREEM_GETLABELATTR, 0, Ptr(&label));
            s += Bytes(label) + std::to_string(SendI(tree, LUMTREEM_GETLABELTEXTLENGTH, i));
            for (int c = 0; c < 2; ++c) {
                TreeCellAttrRequest cell{LUMTREE_ATTRVERSION, i, c, {}};
                Send(tree, LUMTREEM_GETCELLATTR, 0, Ptr(&cell));
                s += Bytes(cell);
            }
        }
        return s;
    };
    std::deque<TreeCellAttrRequest> cells; // stable addresses for the table
    std::deque<TreeLabelAttrRequest> labels;
    const auto cell = [&](int item, int column, DWORD version = 2, HBITMAP bitmap = nullptr) {
        cells.push_back({version, item, column, {0, RGB(9, 9, 9), 0, 0, nullptr, bitmap, 0}});
        return Ptr(&cells.back());
    };
    const auto label = [&](int item, DWORD version = 2, HBITMAP bitmap = nullptr) {
        labels.push_back({version, item, {0, 0, 0, RGB(9, 9, 9), bitmap, 0}});
        return Ptr(&labels.back());
    };
    int column0 = 0, column2 = 2;
    char buffer[16] = "";
    const int n = SendI(tree, LUMTREEM_GETCOUNT);
    const auto past = static_cast<WPARAM>(n), minus1 = static_cast<WPARAM>(-1);
    const std::tuple<UINT, WPARAM, LPARAM, LRESULT> cases[] = {
        {LUMTREEM_SETCOLUMNINFO, 1, Ptr(in), 0}, // another count while there are items
        {LUMTREEM_SETCOLUMNINFO, minus1, Ptr(in), 0},
        {LUMTREEM_SETCOLUMNS, 2, 0, 0},
        {LUMTREEM_SETTEXTCOLUMN, 2, 0, -1},
        {LUMTREEM_SETCOLUMNTITLE, 0, 0, 0},
        {LUMTREEM_GETCOLUMNTITLE, 10, 0, 0},
        {LUMTREEM_CALCCOLUMNWIDTH, 2, 0, -1},
        {LUMTREEM_AUTOSIZECOLUMN, 2, 0, 0},
        {LUMTREEM_SETPRESSEDHEADER, 2, 0, 0},
        {LUMTREEM_ENSURECOLUMNVISIBLE, 4, 0, 0},
        {LUMTREEM_GETCELLRECT, 0, 0, 0},
        {LUMTREEM_GETCELLRECT, 0, Ptr(&column2), 0},
        {LUMTREEM_GETCELLRECT, past, Ptr(&column0), 0},
        {LUMTREEM_GETCELLRECT, 1, Ptr(&column0), 0},  // hidden
        {LUMTREEM_GETCELLRECT, 20, Ptr(&column0), 0}, // below the page
        {LUMTREEM_SETCELLATTR, 0, cell(n, 0), 0},
        {LUMTREEM_SETCELLATTR, 0, cell(-2, 0), 0},
        {LUMTREEM_SETCELLATTR, 0, cell(0, 2), 0},
        {LUMTREEM_SETCELLATTR, 0, cell(0, 1, 1), 0}, // version
        {LUMTREEM_SETCELLATTR, 0, cell(0, 1, 2, font), 0},
        {LUMTREEM_SETCELLATTR, 0, cell(-1, 0, 2, font), 0},
        {LUMTREEM_SETCELLATTR, 0, 0, 0},
        {LUMTREEM_GETCELLATTR, 0, cell(-1, 0), 0},
        {LUMTREEM_GETCELLATTR, 0, cell(0, 0, 1), 0},
        {LUMTREEM_SETLABELTEXT, past, Ptr("x"), 0},
        {LUMTREEM_GETLABELTEXTLENGTH, past, 0, -1},
        {LUMTREEM_GETLABELTEXT, past, Ptr(buffer), -1},
        {LUMTREEM_GETLABELTEXT, 2, 0, -1},
        {LUMTREEM_SETLABELATTR, 0, label(n), 0},
        {LUMTREEM_SETLABELATTR, 0, label(-2), 0},
        {LUMTREEM_SETLABELATTR, 0, label(0, 3), 0},
        {LUMTREEM_SETLABELATTR, 0, label(0, 2, font), 0},
        {LUMTREEM_SETLABELATTR, 0, label(-1, 2, font), 0},
        {LUMTREEM_GETLABELATTR, 0, label(-1), 0},
        {LUMTREEM_SETCORNERTEXT, 0, 0, 0},
        {LUMTREEM_SETTOPINDEX, past, 0, -1},
        {LUMTREEM_SETTOPINDEX, minus1, 0, -1},
        {LUMTREEM_SETHEXTENT, minus1, 0, 0},
        {LUMTREEM_SETHEXTENT, 48, 0, 0}, // below the widths' sum, 50 - 1
        {LUMTREEM_SETHPOS, static_cast<WPARAM>(-2), 0, 0},
        {LUMTREEM_ITEMFROMPOINT, 0, 0, -1},
        {LUMTREEM_SETSTATEBITMAPS, 0, Ptr(noSecond), 0},
        {LUMTREEM_SETSTATEBITMAPS, 0, Ptr(fontFirst), 0},
        {LUMTREEM_SETNODEBITMAPS, 0, Ptr(noSecond), 0},
        {LUMTREEM_SETBUTTONSTRIP, 0, Ptr(font), 0},
        {LUMTREEM_SETLINESPERITEM, 0, 0, 0},
        {LUMTREEM_SHOWLABELS, 7, 0, 0},
    };
    for (auto [msg, wp, lp, result] : cases) {
        CAPTURE(msg);
        CAPTURE(wp);
        Settle(tree);
        const std::string before = state();
        parent.Clear();
        CHECK(Send(tree, msg, wp, lp) == result);
        CHECK(state() == before);
        CHECK(Repainted(tree, {}));
        CHECK(Count(parent.Codes(tree), LUMTREEN_ENDEDIT) == int(parent.Codes(tree).size()));
    }
}
