// Sorting children must give the order of bubble passes that move whole subtrees: checked
// against a literal model of those passes on random trees. Top and caret rows stay.
#include "../support/harness.h"
#include "lumtree/api/api.h"
#include "lumtree/items/items.h"

#include <algorithm>
#include <cstdlib>

using namespace lt;

namespace {

struct ModelItem {
    int level, key;
    bool noText;
    int id;
};

// The bubble passes, written out step by step: the bound shrinks by one list index per pass.
std::vector<int> BubbleModel(std::vector<ModelItem> v, int parent, bool textMode) {
    const int n = static_cast<int>(v.size());
    auto nextSibling = [&](int i) {
        for (int j = i + 1; j < n && v[j].level >= v[i].level; ++j) {
            if (v[j].level == v[i].level) return j;
        }
        return -1;
    };
    int f = parent + 1;
    if (f < n && (parent < 0 || v[f].level > v[parent].level)) {
        int bound = f;
        for (int j = nextSibling(f); j >= 0; j = nextSibling(j)) bound = j;
        for (bool swapped = true; swapped && bound > f; --bound) {
            swapped = false;
            for (int i = f, j; i < bound && (j = nextSibling(i)) >= 0 && j <= bound;) {
                if (v[i].key <= v[j].key || (textMode && (v[i].noText || v[j].noText))) {
                    i = j;
                    continue;
                }
                int end = j + 1;
                while (end < n && v[end].level > v[j].level) ++end;
                std::rotate(v.begin() + i, v.begin() + j, v.begin() + end);
                i += end - j;
                swapped = true;
            }
        }
    }
    std::vector<int> ids;
    for (const ModelItem &m : v) ids.push_back(m.id);
    return ids;
}

INT CALLBACK CompareKeys(HWND, LPCSTR, LPCSTR, DWORD_PTR a, DWORD_PTR b) {
    return static_cast<INT>(a / 1000) - static_cast<INT>(b / 1000);
}

struct Fixture {
    Parent parent;
    HWND tree;
    TreeCtl *ctl;
    const bool marks; // multiple selection: every third item selected
    explicit Fixture(DWORD style) : marks(style & LUMTREESTYLE_MULTIPLESEL) {
        LoadLibraryState(GetModuleHandleA(nullptr));
        tree = parent.Tree(style, 0, 0, 200, 160);
        ctl = FindCtl(tree);
    }
    // Fills the control from the model: texts "k<key>" (none for noText), data key*1000+id.
    void Load(const std::vector<ModelItem> &items) {
        Send(tree, WM_SETREDRAW, 0);
        Send(tree, LUMTREEM_DELETEALL);
        for (const ModelItem &m : items) {
            char text[16];
            wsprintfA(text, "k%d", 100 + m.key);
            int i = SendI(tree, LUMTREEM_ADDITEM, 0, m.noText ? 0 : Ptr(text));
            Send(tree, LUMTREEM_SETLEVEL, i, m.level);
            Send(tree, LUMTREEM_SETDATA, i, m.key * 1000 + m.id);
            if (marks && m.id % 3 == 0) ItemAt(ctl, i)->flags |= kItemSelected;
        }
        Send(tree, WM_SETREDRAW, 1);
    }
    // The ids in list order; a selected flag not on its item turns the id negative.
    std::vector<int> Ids() const {
        std::vector<int> ids;
        for (INT i = 0; i < ctl->itemCount; ++i) {
            int id = static_cast<int>(ItemAt(ctl, i)->data % 1000);
            bool selected = ItemAt(ctl, i)->flags & kItemSelected;
            ids.push_back(!marks || selected == (id % 3 == 0) ? id : -1 - id);
        }
        return ids;
    }
};

} // namespace

TEST_CASE("sorting gives the order of the bubble passes on random trees") {
    Fixture fx(kNotifyStyle | LUMTREESTYLE_MULTIPLESEL); // selected flags travel with items
    std::srand(1234);
    for (int round = 0; round < 300; ++round) {
        const bool textMode = round % 2 == 0;
        const int n = 2 + std::rand() % 60, keys = 1 + std::rand() % 6;
        std::vector<ModelItem> items;
        for (int id = 0, level = 0; id < n; ++id) {
            level = id == 0 ? std::rand() % 2 : std::max(0, level + std::rand() % 4 - 2);
            items.push_back({level, std::rand() % keys, textMode && std::rand() % 5 == 0, id});
        }
        fx.Load(items);
        // Collapse a few items so that hidden subtrees travel too.
        for (int k = 0; k < 3; ++k) Send(fx.tree, LUMTREEM_EXPAND, std::rand() % n, 0);
        std::vector<int> parents{-1};
        for (int i = 0; i < n; ++i) {
            if (SendI(fx.tree, LUMTREEM_GETCHILDCOUNT, i, 0) > 1) parents.push_back(i);
        }
        const int parent = parents[std::rand() % parents.size()];
        CAPTURE(round);
        CAPTURE(parent);
        const auto wp = static_cast<WPARAM>(parent);
        CHECK(1 == (textMode ? SendI(fx.tree, LUMTREEM_SORTCHILDREN, wp, 0)
                             : SendI(fx.tree, LUMTREEM_SORTCHILDRENCB, wp, Ptr(&CompareKeys))));
        CHECK(fx.Ids() == BubbleModel(items, parent, textMode));
        REQUIRE(CheckItemIndex(fx.ctl));
    }
    // No room for the merge buffer: 0 and the order unchanged.
    fx.Load({{0, 3, false, 0}, {0, 2, false, 1}, {0, 1, false, 2}});
    LumFailAllocAfter(0);
    CHECK(SendI(fx.tree, LUMTREEM_SORTCHILDREN, static_cast<WPARAM>(-1), 0) == 0);
    LumFailAllocAfter(-1);
    CHECK(fx.Ids() == std::vector<int>{0, 1, 2});
}

TEST_CASE("after a sort the top and caret rows are the same, the single selection is gone") {
    Fixture fx(kNotifyStyle | WS_VSCROLL);
    std::vector<ModelItem> items;
    for (int id = 0; id < 60; ++id) items.push_back({id % 3 == 0 ? 0 : 1, 59 - id, false, id});
    fx.Load(items);
    // Every other root collapsed: after the sort other indexes stand at the same rows.
    for (int root = 0; root < 60; root += 6) Send(fx.tree, LUMTREEM_EXPAND, root, 0);
    Send(fx.tree, LUMTREEM_SETTOPINDEX, 9);
    fx.ctl->caret = 13;
    fx.ctl->anchor = 4;
    fx.ctl->selection = 7;
    ItemAt(fx.ctl, 7)->flags |= kItemSelected;
    const INT top = fx.ctl->topIndex;
    const INT topRow = ShownRowOf(fx.ctl, top), caretRow = ShownRowOf(fx.ctl, 13);
    fx.parent.Clear();
    CHECK(SendI(fx.tree, LUMTREEM_SORTCHILDREN, static_cast<WPARAM>(-1), 0) == 1);
    CHECK(fx.ctl->topIndex != top);
    CHECK(ShownRowOf(fx.ctl, fx.ctl->topIndex) == topRow);
    CHECK(ShownRowOf(fx.ctl, fx.ctl->caret) == caretRow);
    CHECK((fx.ctl->anchor == -1 && fx.ctl->selection == -1));
    bool none = true;
    for (INT i = 0; i < fx.ctl->itemCount; ++i) none &= !(ItemAt(fx.ctl, i)->flags & kItemSelected);
    CHECK(none);
    // The parent hears of the new top item, and of the caret when another item is now there.
    std::vector<int> expected{LUMTREEN_TOPCHANGE};
    if (fx.ctl->caret != 13) expected.push_back(LUMTREEN_CARETCHANGE);
    CHECK(fx.parent.Codes() == expected);
}
