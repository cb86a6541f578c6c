// The colour scheme: the parent's list-box answer for automatic colours, the 3-D look's button
// face, application colours and the colour table, and grey text that never vanishes.
#include "render_support.h"

#include <algorithm>

namespace {

constexpr COLORREF kParentText = RGB(200, 0, 0), kParentBack = RGB(0, 0, 80);

// A tree of a few items whose parent colours list boxes with a pair of colours (or answers
// with no brush) and counts the questions.
struct ColouringParent {
    lt::Parent parent{400, 300};
    COLORREF text = kParentText, back = kParentBack;
    HBRUSH brush = CreateSolidBrush(kParentBack);
    bool answer = true;
    int asked = 0;
    HWND tree;
    TreeCtl *ctl;
    explicit ColouringParent(bool look3D = false) {
        rt::RegisterClassOnce();
        parent.onMessage = [this](UINT msg, WPARAM wp, LPARAM, LRESULT *result) {
            if (msg != WM_CTLCOLORLISTBOX) return false;
            ++asked;
            SetTextColor(reinterpret_cast<HDC>(wp), text);
            SetBkColor(reinterpret_cast<HDC>(wp), back);
            *result = answer ? reinterpret_cast<LRESULT>(brush) : 0;
            return true;
        };
        tree = parent.Tree(lt::kChildStyle, 0, 0, 200, 150);
        ctl = FindCtl(tree);
        lt::AddFlat(tree, 3);
        lt::Send(tree, LUMTREEM_SETLOOK3D, look3D);
        lt::PrintClient(tree); // colours that changed throw this paint away
    }
    ~ColouringParent() {
        parent.onMessage = nullptr;
        DeleteObject(brush);
    }
    void Recolour(COLORREF t, COLORREF b) {
        DeleteObject(brush);
        brush = CreateSolidBrush(b);
        text = t;
        back = b;
    }
    // A paint in these colours: the rows' background and text, and the empty area.
    void Looks(COLORREF t, COLORREF b) const {
        RECT cell{};
        CellRect(ctl, 1, 0, &cell);
        rt::Check(lt::PrintClient(tree), {rt::At(1, 1, b), rt::Some(cell, t), rt::At(199, 149, b)});
    }
};

} // namespace

TEST_CASE("automatic colours come from the parent's list-box answer, brush included") {
    ColouringParent p;
    p.Looks(kParentText, kParentBack);
    CHECK((p.ctl->backBrushBorrowed && p.ctl->backBrush == p.brush));

    SUBCASE("new parent colours: one paint that draws nothing, then everything in them") {
        lt::Pump();
        ValidateRect(p.tree, nullptr);
        p.Recolour(rt::kWhite, RGB(0, 90, 0));
        const lt::Pixels px = lt::PrintClient(p.tree);
        CHECK(px.Count(RECT{0, 0, 200, 150}, rt::kBlack) == 200 * 150);
        RECT update{};
        CHECK(GetUpdateRect(p.tree, &update, FALSE));
        p.Looks(rt::kWhite, RGB(0, 90, 0));
    }
    SUBCASE("a parent that answers with no brush gives the defaults and an own brush") {
        p.answer = false;
        lt::PrintClient(p.tree);
        p.Looks(GetSysColor(COLOR_WINDOWTEXT), GetSysColor(COLOR_WINDOW));
        CHECK_FALSE(p.ctl->backBrushBorrowed);
    }
    SUBCASE("an open editor keeps the colours as they are and the parent is not asked") {
        HWND editor = CreateWindowExA(0, "EDIT", "", WS_CHILD, 0, 0, 10, 10, p.tree, nullptr,
                                      GetModuleHandleA(nullptr), nullptr);
        const int asked = p.asked;
        p.Recolour(RGB(1, 1, 1), RGB(2, 2, 2));
        p.Looks(kParentText, kParentBack);
        CHECK(p.asked == asked);
        DestroyWindow(editor);
    }
}

TEST_CASE("the 3-D look: the button face, unless the parent colours the control") {
    ColouringParent p(true);
    p.Looks(kParentText, kParentBack);
    // A parent answering with the window's own colours does not colour it.
    p.Recolour(GetSysColor(COLOR_WINDOWTEXT), GetSysColor(COLOR_WINDOW));
    lt::PrintClient(p.tree);
    p.Looks(GetSysColor(COLOR_BTNTEXT), GetSysColor(COLOR_BTNFACE));
}

TEST_CASE("application colours: kept as given, -1 included; the parent not asked") {
    ColouringParent p(true);
    COLORREF table[LUMTREE_COLORCOUNT], back[LUMTREE_COLORCOUNT] = {};
    CHECK(lt::SendI(p.tree, LUMTREEM_GETCOLORS, 0, lt::Ptr(table)) == 0);
    CHECK(std::count(table, table + LUMTREE_COLORCOUNT, rt::kAuto) == LUMTREE_COLORCOUNT);
    for (int i = 0; i < LUMTREE_COLORCOUNT; ++i)
        table[i] = i % 3 ? RGB(i, 2 * i, 3 * i) : rt::kAuto;
    lt::Pump();
    ValidateRect(p.tree, nullptr);
    CHECK(lt::SendI(p.tree, LUMTREEM_SETCOLORS, 0, lt::Ptr(table)) == 0);
    RECT update{}, client{};
    GetUpdateRect(p.tree, &update, FALSE);
    GetClientRect(p.tree, &client);
    CHECK(EqualRect(&update, &client));
    CHECK(lt::SendI(p.tree, LUMTREEM_SETCOLORS, 0, 0) == 0); // no table: nothing happens
    CHECK(lt::SendI(p.tree, LUMTREEM_GETCOLORS, 0, 0) == 0);
    lt::Send(p.tree, LUMTREEM_GETCOLORS, 0, lt::Ptr(back));
    CHECK(std::equal(table, table + LUMTREE_COLORCOUNT, back));

    // Only the text colour of the two is given: the window's background, even on the 3-D look.
    const int asked = p.asked;
    p.Looks(table[LUMTREECOLOR_TEXT], GetSysColor(COLOR_WINDOW));
    CHECK(p.asked == asked);
    CHECK_FALSE(p.ctl->backBrushBorrowed);
}

TEST_CASE("grey text stays visible where the grey text colour is the button face") {
    CHECK(GreyFor(RGB(1, 2, 3), RGB(200, 200, 200)) == RGB(1, 2, 3));
    CHECK(GreyFor(RGB(0xC0, 0xC0, 0xC0), RGB(0xC0, 0xC0, 0xC0)) == RGB(0x80, 0x80, 0x80));
    CHECK(GreyFor(RGB(0x80, 0x80, 0x80), RGB(0x80, 0x80, 0x80)) == RGB(0xC0, 0xC0, 0xC0));
    CHECK(GreyOr(RGB(9, 9, 9)) == RGB(9, 9, 9));
    // Disabled header, corner and label texts with automatic grey in such a scheme.
    const INT elements[2] = {COLOR_GRAYTEXT, COLOR_BTNFACE};
    const COLORREF saved[2] = {GetSysColor(COLOR_GRAYTEXT), GetSysColor(COLOR_BTNFACE)};
    const COLORREF silver[2] = {RGB(0xC0, 0xC0, 0xC0), RGB(0xC0, 0xC0, 0xC0)};
    REQUIRE(SetSysColors(2, elements, silver));
    {
        rt::Tree t;
        for (int e :
             {LUMTREECOLOR_HEADERGRAYTEXT, LUMTREECOLOR_LABELGRAYTEXT, LUMTREECOLOR_CORNERGRAYTEXT})
            t.table[e] = rt::kAuto;
        t.SetColor(LUMTREECOLOR_HEADERGRAYTEXT, rt::kAuto);
        t.Columns({{70, 0}, {LUMTREE_STRETCH, 0}}, {"Name", "Size"});
        t.Send(LUMTREEM_SHOWHEADER, TRUE);
        lt::AddFlat(t.hwnd, 2);
        t.Labels(3);
        t.Send(LUMTREEM_SETCORNERTEXT, 0, lt::Ptr("#"));
        t.LiveColumns()[0].headerFlags |= LUMTREEHEADER_DISABLED;
        t.Send(LUMTREEM_SETCORNERFLAGS, 0, LUMTREECORNER_DISABLED);
        t.Send(LUMTREEM_SETLABELFLAGS, 0, LUMTREELABEL_DISABLED);
        // Inside the edges, which are in the button shadow colour.
        auto in = [](RECT r) { return RECT{r.left + 2, r.top + 2, r.right - 2, r.bottom - 2}; };
        const COLORREF grey = RGB(0x80, 0x80, 0x80);
        rt::Check(t.Paint(),
                  {rt::Some(in(ColumnHeaderRect(t.ctl, 0)), grey),
                   rt::Some(in(CornerRect(t.ctl)), grey), rt::Some(in(t.Label(1)), grey)});
    }
    SetSysColors(2, elements, saved);
}
