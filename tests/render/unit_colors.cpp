// Colours: the parent's list-box colours for automatic item colours, the 3-D look's button
// face, application colours, the colour-table messages, and a changed scheme throwing one
// paint away.
#include "render_support.h"

#include <algorithm>

namespace {

constexpr COLORREF kParentText = RGB(200, 0, 0), kParentBack = RGB(0, 0, 80);

// A parent that colours list boxes with a given pair and counts the questions.
struct ColouringParent {
    lt::Parent parent{400, 300};
    COLORREF text = kParentText, back = kParentBack;
    HBRUSH brush = CreateSolidBrush(kParentBack);
    bool answer = true;
    int asked = 0;
    ColouringParent() {
        rt::RegisterClassOnce();
        parent.onMessage = [this](UINT msg, WPARAM wp, LPARAM, LRESULT *result) {
            if (msg != WM_CTLCOLORLISTBOX) return false;
            ++asked;
            if (!answer) {
                *result = 0;
                return true;
            }
            SetTextColor(reinterpret_cast<HDC>(wp), text);
            SetBkColor(reinterpret_cast<HDC>(wp), back);
            *result = reinterpret_cast<LRESULT>(brush);
            return true;
        };
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
};

bool HasUpdate(HWND w) {
    RECT rc;
    return GetUpdateRect(w, &rc, FALSE) != FALSE;
}

int CellInk(HWND tree, const lt::Pixels &px, INT i, COLORREF c) {
    RECT rc{};
    CellRect(rt::Ctl(tree), i, 0, &rc);
    return px.Count(rc, c);
}

} // namespace

TEST_CASE("automatic colours come from the parent's list-box answer, brush included") {
    ColouringParent p;
    HWND tree = p.parent.Tree(lt::kChildStyle, 0, 0, 200, 150);
    lt::AddFlat(tree, 3);
    lt::Pump();
    lt::Pixels px = lt::PrintClient(tree);
    const RECT area{0, 0, px.width, px.height};
    CHECK(CellInk(tree, px, 0, kParentText) > 10);
    CHECK(px.At(1, 1) == kParentBack);
    CHECK(px.At(px.width - 1, px.height - 1) == kParentBack); // the empty area: the brush
    CHECK(rt::Ctl(tree)->backBrushBorrowed);
    CHECK(rt::Ctl(tree)->backBrush == p.brush);

    SUBCASE("new parent colours: one paint that draws nothing, then everything in them") {
        ValidateRect(tree, nullptr);
        const COLORREF green = RGB(0, 90, 0), white = RGB(255, 255, 255);
        p.Recolour(white, green);
        px = lt::PrintClient(tree);
        CHECK(px.Count(area, 0) == px.width * px.height); // nothing drawn
        CHECK(HasUpdate(tree));
        px = lt::PrintClient(tree);
        CHECK(px.At(1, 1) == green);
        CHECK(CellInk(tree, px, 1, white) > 10);
    }
    SUBCASE("a parent that answers with no brush gives the defaults and an own brush") {
        p.answer = false;
        px = lt::PrintClient(tree);
        px = lt::PrintClient(tree);
        CHECK(px.At(1, 1) == GetSysColor(COLOR_WINDOW));
        CHECK_FALSE(rt::Ctl(tree)->backBrushBorrowed);
    }
    SUBCASE("an open editor keeps the colours as they are and the parent is not asked") {
        HWND editor = CreateWindowExA(0, "EDIT", "", WS_CHILD, 0, 0, 10, 10, tree, nullptr,
                                      GetModuleHandleA(nullptr), nullptr);
        const int before = p.asked;
        p.Recolour(RGB(1, 1, 1), RGB(2, 2, 2));
        px = lt::PrintClient(tree);
        CHECK(p.asked == before);
        CHECK(px.At(1, 1) == kParentBack);
        DestroyWindow(editor);
    }
}

TEST_CASE("the 3-D look uses the button face unless the parent colours the control") {
    rt::RegisterClassOnce();
    lt::Parent plain;
    HWND tree = plain.Tree(lt::kChildStyle, 0, 0, 200, 150);
    lt::AddFlat(tree, 2);
    rt::Ctl(tree)->look3D = TRUE;
    lt::PrintClient(tree); // the colours change: this paint is thrown away
    lt::Pixels px = lt::PrintClient(tree);
    CHECK(px.At(1, 1) == GetSysColor(COLOR_BTNFACE));
    CHECK(CellInk(tree, px, 0, GetSysColor(COLOR_BTNTEXT)) > 10);

    ColouringParent p;
    HWND coloured = p.parent.Tree(lt::kChildStyle, 0, 0, 200, 150);
    lt::AddFlat(coloured, 2);
    rt::Ctl(coloured)->look3D = TRUE;
    lt::PrintClient(coloured);
    px = lt::PrintClient(coloured);
    CHECK(px.At(1, 1) == kParentBack);
}

TEST_CASE("application colours: the parent is not asked, the missing one is the window's") {
    ColouringParent p;
    HWND tree = p.parent.Tree(lt::kChildStyle, 0, 0, 200, 150);
    lt::AddFlat(tree, 2);
    rt::Ctl(tree)->look3D = TRUE;
    COLORREF table[LUMTREE_COLORCOUNT];
    std::fill(std::begin(table), std::end(table), LUMTREE_AUTOCOLOR);
    table[LUMTREECOLOR_TEXT] = RGB(0, 120, 0);
    lt::Send(tree, LUMTREEM_SETCOLORS, 0, lt::Ptr(table));
    const int asked = p.asked;
    lt::Pixels px = lt::PrintClient(tree);
    CHECK(p.asked == asked);
    CHECK(px.At(1, 1) == GetSysColor(COLOR_WINDOW));
    CHECK(CellInk(tree, px, 0, RGB(0, 120, 0)) > 10);
    CHECK(px.At(px.width - 1, px.height - 1) == GetSysColor(COLOR_WINDOW));
    CHECK_FALSE(rt::Ctl(tree)->backBrushBorrowed);
}

TEST_CASE("the colour table is handed out as stored, -1 included, and setting it repaints") {
    rt::RegisterClassOnce();
    lt::Parent parent;
    HWND tree = parent.Tree(lt::kChildStyle, 0, 0, 200, 150);
    COLORREF table[LUMTREE_COLORCOUNT];
    CHECK(lt::SendI(tree, LUMTREEM_GETCOLORS, 0, lt::Ptr(table)) == 0);
    CHECK(std::all_of(std::begin(table), std::end(table),
                      [](COLORREF c) { return c == LUMTREE_AUTOCOLOR; }));
    for (int i = 0; i < LUMTREE_COLORCOUNT; ++i) {
        table[i] = i % 3 == 0 ? LUMTREE_AUTOCOLOR : RGB(i, 2 * i, 3 * i);
    }
    lt::Pump();
    ValidateRect(tree, nullptr);
    CHECK(lt::SendI(tree, LUMTREEM_SETCOLORS, 0, lt::Ptr(table)) == 0);
    RECT update{}, client{};
    GetUpdateRect(tree, &update, FALSE);
    GetClientRect(tree, &client);
    CHECK(EqualRect(&update, &client));
    COLORREF back[LUMTREE_COLORCOUNT] = {};
    lt::Send(tree, LUMTREEM_GETCOLORS, 0, lt::Ptr(back));
    CHECK(std::equal(std::begin(table), std::end(table), std::begin(back)));
    // No table: nothing happens.
    CHECK(lt::SendI(tree, LUMTREEM_GETCOLORS, 0, 0) == 0);
    CHECK(lt::SendI(tree, LUMTREEM_SETCOLORS, 0, 0) == 0);
    lt::Send(tree, LUMTREEM_GETCOLORS, 0, lt::Ptr(back));
    CHECK(std::equal(std::begin(table), std::end(table), std::begin(back)));
}
