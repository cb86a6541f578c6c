// Parents that change the list while the control is telling them about a change (two faults
// the fuzzer found): every stored index must still name an item afterwards, and the vertical
// range must count the rows that are left.
#include "../support/harness.h"

using namespace lt;

namespace {

void CheckIndexes(HWND tree) {
    const LRESULT n = Send(tree, LUMTREEM_GETCOUNT), sel = Send(tree, LUMTREEM_GETSELECTION);
    const LRESULT caret = Send(tree, LUMTREEM_GETCARET), top = Send(tree, LUMTREEM_GETTOPINDEX);
    INFO("count ", n, " caret ", caret, " top ", top, " selection ", sel);
    CHECK((caret >= 0 && caret < std::max<LRESULT>(n, 1)));
    CHECK((top >= 0 && top < std::max<LRESULT>(n, 1)));
    CHECK((sel >= -1 && sel < n));
}

} // namespace

TEST_CASE("a parent that deletes items when the view scrolls under a moving caret") {
    Parent parent;
    HWND tree = parent.Tree(kNotifyStyle, 0, 0, 200, 100);
    AddFlat(tree, 40);
    SetFocus(tree);
    // The first item goes whenever the top row changes; in one case every item does.
    bool all = false;
    int depth = 0;
    parent.onMessage = [&](UINT m, WPARAM wp, LPARAM, LRESULT *) {
        if (m == WM_COMMAND && HIWORD(wp) == LUMTREEN_TOPCHANGE && (all || depth == 0)) {
            ++depth;
            Send(tree, all ? LUMTREEM_DELETEALL : LUMTREEM_DELETEITEM, 0);
            --depth;
        }
        return false;
    };
    SUBCASE("End") {
        Send(tree, WM_KEYDOWN, VK_END, 1);
    }
    SUBCASE("Page Down, then the caret set by the application") {
        Send(tree, WM_KEYDOWN, VK_NEXT, 1);
        CheckIndexes(tree);
        Send(tree, LUMTREEM_SETCARET, static_cast<WPARAM>(Send(tree, LUMTREEM_GETCOUNT) - 1));
    }
    SUBCASE("every item deleted") {
        all = true;
        Send(tree, WM_KEYDOWN, VK_END, 1);
        CHECK(Send(tree, LUMTREEM_GETCOUNT) == 0);
    }
    CheckIndexes(tree);
    parent.onMessage = nullptr;
}

TEST_CASE("a parent that deletes items while the user scrolls sideways: the vertical range") {
    Parent parent;
    HWND tree = parent.Tree(kNotifyStyle | WS_VSCROLL | WS_HSCROLL, 0, 0, 200, 100);
    AddFlat(tree, 30);
    REQUIRE(Send(tree, LUMTREEM_SETHEXTENT, 1000) == 1);
    parent.onMessage = [&](UINT m, WPARAM wp, LPARAM, LRESULT *) {
        for (int k = 0; m == WM_COMMAND && HIWORD(wp) == LUMTREEN_HSCROLL && k < 10; ++k) {
            Send(tree, LUMTREEM_DELETEITEM, 0);
        }
        return false;
    };
    Send(tree, WM_HSCROLL, SB_LINERIGHT, 0);
    parent.onMessage = nullptr;
    REQUIRE(Send(tree, LUMTREEM_GETCOUNT) == 20);
    SCROLLINFO si{sizeof si, SIF_ALL, 0, 0, 0, 0, 0};
    REQUIRE(GetScrollInfo(tree, SB_VERT, &si));
    CHECK(si.nMax == 19); // the 20 rows that are left
    CHECK(si.nPos == 0);
}
