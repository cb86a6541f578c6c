// The typed helpers of lumtree/lumtreex.h against the DLL: the C functions compiled as C89
// (helpers_c.c), the C++ wrapper class, and the usual answer to an expand-button notification.
#include "../support/harness.h"
#include "lumtree/lumtreex.h"

extern "C" int lumtreex_c_smoke(HWND tree);

using namespace lt;

TEST_CASE("the C helpers and the C++ wrapper send each message with its parameters in place") {
    Parent parent;
    CHECK(lumtreex_c_smoke(parent.Tree(kNotifyStyle | LUMTREESTYLE_MULTIPLESEL, 0, 0, 300, 200)) ==
          0);

    lumtree::Tree tree(parent.Tree(kNotifyStyle, 0, 0, 300, 200, 2));
    CHECK((tree.Add("root") == 0 && tree.Add("child", 1) == 1 && tree.Add("grandchild", 2) == 2));
    CHECK((tree.Insert(1, "first", 1) == 1 && tree.Parent(3) == 2 && tree.Text(99).empty()));
    CHECK((tree.Collapse(0) && !tree.IsShown(1) && tree.Expand(0, true) && tree.IsShown(3)));
    CHECK((tree.Collapse(2) && tree.Select(3) && tree.Selection() == 3 && tree.IsShown(3)));
    CHECK((tree.MoveSubtree(2, 0, 0) == 0 && tree.Text(1) == "grandchild" && tree.Level(1) == 1));
}

TEST_CASE("the expand-button answer toggles the item the keys and the button report") {
    Parent parent;
    HWND tree = parent.Tree(kChildStyle, 0, 0, 300, 200); // the keys notify without the style
    int answered = 0;
    parent.onMessage = [&](UINT msg, WPARAM wp, LPARAM lp, LRESULT *result) {
        if (msg != WM_COMMAND || !lumtree::Tree::OnExpandButton(wp, lp)) return false;
        ++answered;
        *result = 0;
        return true;
    };
    AddItems(tree, {{"folder", 0}, {"file", 1}, {"other", 0}, {"file", 1}});
    LumTree_Expand(tree, 2, FALSE, FALSE);
    SetFocus(tree);
    LumTree_SetCaret(tree, 2);
    Send(tree, WM_KEYDOWN, VK_ADD);
    CHECK((answered == 1 && LumTree_IsExpanded(tree, 2) && LumTree_IsExpanded(tree, 0)));
    const WPARAM dblclk = MAKEWPARAM(100, LUMTREEN_LBUTTONDBLCLK + LUMTREEHIT_BUTTON);
    CHECK(LumTree_ExpandButtonItem(MAKEWPARAM(100, LUMTREEN_LBUTTONDOWN + LUMTREEHIT_ITEM),
                                   Ptr(tree)) == -1);
    CHECK((LumTree_ExpandButtonItem(dblclk, 0) == -1 && LumTree_OnExpandButton(dblclk, Ptr(tree)) &&
           !LumTree_IsExpanded(tree, 2)));
}
