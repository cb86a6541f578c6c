// Columns in the full form, the expand button boxes, and every bad request of the layout
// messages, out-of-memory ones included.
#include "layout_support.h"
#include "lumtree/api/api.h"
#include "lumtree/layout/layout.h"

#include <cstring>
#include <deque>
#include <string>

using namespace lt;

namespace {

struct Library {
    Library() { LoadLibraryState(GetModuleHandleA(nullptr)); }
} g_library;

template <class T> std::string Bytes(const T &value, size_t size = sizeof(T)) {
    return std::string(reinterpret_cast<const char *>(&value), size);
}

} // namespace

TEST_CASE("the full form copies the columns; the array handed out is the control's own") {
    Parent parent;
    Gdi gdi;
    HWND tree = parent.Tree();
    // Count 0 sets the default column and keeps the handed-out descriptions: only the simple
    // form frees them.
    TreeColumnInfo *info = nullptr;
    REQUIRE(SendI(tree, LUMTREEM_GETCOLUMNINFO, 0, Ptr(&info)) == 1);
    REQUIRE(SendI(tree, LUMTREEM_SETCOLUMNS, 0, 0) == 1);
    CHECK(Record(tree)->columnInfoBuffer == info);
    char name[] = "Name";
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
    CHECK(Bytes(records) == Bytes(*live, sizeof records));
    Send(tree, LUMTREEM_SHOWHEADER, 1);
    live[1].width = 30; // a width changed in place is the width
    CHECK(HeaderRect(tree, 1).right - HeaderRect(tree, 1).left == 30);
}

TEST_CASE("bad columns, items, versions, handles and failed allocations change nothing") {
    Parent parent;
    Gdi gdi;
    HWND tree = parent.Tree(kNotifyStyle, 0, 0, 300, 150);
    PlaceEditor(tree);
    TreeColumnInfo in[2] = {{50, 0, 0, nullptr}, {-1, 0, 0, nullptr}}, *info = nullptr;
    REQUIRE(SendI(tree, LUMTREEM_SETCOLUMNINFO, 2, Ptr(in)) == 1);
    AddItems(tree, {{"a", 0}, {"hidden", 1}, {"c", 0}});
    AddFlat(tree, 30);
    Send(tree, LUMTREEM_EXPAND, 0, 0);
    Send(tree, LUMTREEM_SHOWHEADER, 1);
    Send(tree, LUMTREEM_SHOWLABELS, 3);
    Send(tree, LUMTREEM_SETLABELTEXT, 2, Ptr("label"));
    Send(tree, LUMTREEM_SETCORNERTEXT, 0, Ptr("corner"));
    HBITMAP good = gdi.Bitmap(10, 8), font = HBITMAP(GetStockObject(SYSTEM_FONT));
    HBITMAP goodSet[3] = {good, good, good}, noSecond[3] = {good, nullptr, good};
    REQUIRE(SendI(tree, LUMTREEM_SETSTATEBITMAPS, 0, Ptr(goodSet)) == 1);
    // The record, every label and every cell.
    const auto state = [&] {
        std::string s = Bytes(*Record(tree)) + Record(tree)->cornerText;
        for (int i = 0; i < SendI(tree, LUMTREEM_GETCOUNT); ++i) {
            TreeLabelAttrRequest label{2, i, {}};
            TreeCellAttrRequest cells[2] = {{2, i, 0, {}}, {2, i, 1, {}}};
            Send(tree, LUMTREEM_GETLABELATTR, 0, Ptr(&label));
            for (auto &cell : cells) Send(tree, LUMTREEM_GETCELLATTR, 0, Ptr(&cell));
            s += Bytes(label) + Bytes(cells) +
                 std::to_string(SendI(tree, LUMTREEM_GETLABELTEXTLENGTH, i));
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
    int column0 = 0;
    const int n = SendI(tree, LUMTREEM_GETCOUNT);
    const auto past = static_cast<WPARAM>(n);
    constexpr bool OOM = true; // the request's first allocation fails
    const std::tuple<UINT, WPARAM, LPARAM, LRESULT, bool> cases[] = {
        {LUMTREEM_SETCOLUMNINFO, 1, Ptr(in), 0, false}, // another count while there are items
        {LUMTREEM_SETCOLUMNINFO, 2, Ptr(in), 0, OOM},
        {LUMTREEM_SETTEXTCOLUMN, 2, 0, -1, false},
        {LUMTREEM_SETCOLUMNTITLE, 0, Ptr("new"), 0, OOM},
        {LUMTREEM_GETCOLUMNINFO, 0, Ptr(&info), 0, OOM},
        {LUMTREEM_GETCELLRECT, 1, Ptr(&column0), 0, false},  // hidden
        {LUMTREEM_GETCELLRECT, 20, Ptr(&column0), 0, false}, // below the page
        {LUMTREEM_SETCELLATTR, 0, cell(n, 0), 0, false},
        {LUMTREEM_SETCELLATTR, 0, cell(0, 1, 1), 0, false}, // version
        {LUMTREEM_SETCELLATTR, 0, cell(0, 1, 2, font), 0, false},
        {LUMTREEM_SETCELLATTR, 0, cell(0, 1), 0, OOM},
        {LUMTREEM_GETCELLATTR, 0, cell(-1, 0), 0, false},
        {LUMTREEM_SETLABELTEXT, past, Ptr("x"), 0, false},
        {LUMTREEM_SETLABELTEXT, 2, Ptr("new"), 0, OOM},
        {LUMTREEM_GETLABELTEXTLENGTH, past, 0, -1, false},
        {LUMTREEM_SETLABELATTR, 0, label(0, 3), 0, false},
        {LUMTREEM_SETLABELATTR, 0, label(-1, 2, font), 0, false},
        {LUMTREEM_SETLABELATTR, 0, label(0), 0, OOM},
        {LUMTREEM_SETCORNERTEXT, 0, 0, 0, false},
        {LUMTREEM_SETCORNERTEXT, 0, Ptr("new"), 0, OOM},
        {LUMTREEM_SETTOPINDEX, past, 0, -1, false},
        {LUMTREEM_SETHEXTENT, 48, 0, 0, false}, // below the widths' sum, 50 - 1
        {LUMTREEM_SETHPOS, static_cast<WPARAM>(-2), 0, 0, false},
        {LUMTREEM_SETSTATEBITMAPS, 0, Ptr(noSecond), 0, false},
        {LUMTREEM_SETNODEBITMAPS, 0, Ptr(noSecond), 0, false},
        {LUMTREEM_SETBUTTONSTRIP, 0, Ptr(font), 0, false},
        {LUMTREEM_SHOWLABELS, 7, 0, 0, false},
    };
    for (auto [msg, wp, lp, result, oom] : cases) {
        CAPTURE(msg);
        CAPTURE(wp);
        Settle(tree);
        const std::string before = state();
        parent.Clear();
        LumFailAllocAfter(oom ? 0 : -1);
        CHECK(Send(tree, msg, wp, lp) == result);
        LumFailAllocAfter(-1);
        CHECK(state() == before);
        CHECK(Repainted(tree, {}));
        for (int code : parent.Codes(tree)) CHECK(code == LUMTREEN_ENDEDIT);
    }
    CHECK(info == nullptr); // never the freed old buffer
}

TEST_CASE("expand buttons are centred in their row, root buttons before the indentation") {
    Parent parent;
    Gdi gdi;
    HWND tree = parent.Tree();
    TreeCtl *ctl = Record(tree);
    HFONT font = gdi.Font(17);
    const int avg = Metrics(font).tmAveCharWidth,
              indent = std::max<int>(Metrics(font).tmMaxCharWidth, 9);
    SetFont(tree, font);
    REQUIRE(SendI(tree, LUMTREEM_SETBUTTONSTRIP, 0, Ptr(gdi.Bitmap(4 * 9, 7))) == 1);
    HBITMAP state[3] = {gdi.Bitmap(16, 4), gdi.Bitmap(16, 4), nullptr};
    REQUIRE(SendI(tree, LUMTREEM_SETSTATEBITMAPS, 0, Ptr(state)) == 1);
    Send(tree, LUMTREEM_SETSHOWROOTBUTTONS, 1);
    int rh = ctl->rowHeight, gap = (rh - 7) / 2;
    const int start = (16 + avg) + (9 + avg) + avg; // state bitmap and root button areas, gap
    CHECK(RootButtonBox(ctl) == RECT{16 + 2 * avg, gap, 16 + 2 * avg + 9, rh - gap});
    const int x = start + (indent - 9) / 2;
    CHECK(IndentButtonBox(ctl, 0) == RECT{x, gap, x + 9, rh - gap});
    // With node bitmaps 20 wide the step is 20: the button sits 5 pixels into each step.
    HBITMAP node[3] = {nullptr, gdi.Bitmap(20, rh + 3), nullptr};
    REQUIRE(SendI(tree, LUMTREEM_SETNODEBITMAPS, 0, Ptr(node)) == 1);
    REQUIRE(ctl->rowHeight == Even(rh + 4));
    rh = ctl->rowHeight, gap = (rh - 7) / 2;
    CHECK(IndentButtonBox(ctl, 2) == RECT{start + 45, gap, start + 54, rh - gap});
}
