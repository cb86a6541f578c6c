// Sorting children: the order must be the one of the bubble passes that move whole subtrees,
// checked against a literal model of those passes on random trees; the top and caret rows stay.
#include "../support/harness.h"
#include "items_support.h"
#include "lumtree/api/api.h"
#include "lumtree/items/items.h"

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

using namespace lt;

namespace {

struct ModelItem {
    int level;
    int key;
    bool noText;
    int id;
};

// The bubble passes, written out step by step: bound shrinks by one list index per pass.
std::vector<int> BubbleModel(std::vector<ModelItem> v, int parent, bool textMode) {
    int n = static_cast<int>(v.size());
    auto nextSibling = [&](int i) {
        for (int j = i + 1; j < n; ++j) {
            if (v[j].level == v[i].level) return j;
            if (v[j].level < v[i].level) return -1;
        }
        return -1;
    };
    auto subtreeEnd = [&](int i) {
        int j = i + 1;
        while (j < n && v[j].level > v[i].level) ++j;
        return j;
    };
    int f = parent + 1;
    std::vector<int> ids;
    if (f < n && (parent < 0 || v[f].level > v[parent].level)) {
        int l = f;
        for (int j = nextSibling(f); j >= 0; j = nextSibling(j)) l = j;
        int bound = l;
        while (l > f) {
            bool swapped = false;
            int i = f;
            while (i < bound) {
                int j = nextSibling(i);
                if (j < 0 || j > bound) break;
                if (textMode && (v[i].noText || v[j].noText)) {
                    i = j;
                    continue;
                }
                if (v[i].key > v[j].key) {
                    int endJ = subtreeEnd(j);
                    std::rotate(v.begin() + i, v.begin() + j, v.begin() + endJ);
                    i += endJ - j;
                    swapped = true;
                } else {
                    i = j;
                }
            }
            --bound;
            if (!swapped || bound <= f) break;
        }
    }
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
    explicit Fixture(DWORD style = kNotifyStyle) {
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
        }
        Send(tree, WM_SETREDRAW, 1);
    }
    std::vector<int> Ids() const {
        std::vector<int> ids;
        for (INT i = 0; i < ctl->itemCount; ++i) ids.push_back(ItemAt(ctl, i)->data % 1000);
        return ids;
    }
};

std::vector<ModelItem> RandomTree(int n, int keys, int nullPercent) {
    std::vector<ModelItem> items;
    int level = 0;
    for (int id = 0; id < n; ++id) {
        level = id == 0 ? std::rand() % 2 : std::max(0, level + std::rand() % 4 - 2);
        items.push_back({level, std::rand() % keys, std::rand() % 100 < nullPercent, id});
    }
    return items;
}

} // namespace

TEST_CASE("sorting gives the order of the bubble passes on random trees") {
    Fixture fx;
    std::srand(1234);
    for (int round = 0; round < 300; ++round) {
        bool textMode = round % 2 == 0;
        int n = 2 + std::rand() % 40;
        auto items = RandomTree(n, 1 + std::rand() % 6, textMode ? 20 : 0);
        fx.Load(items);
        // Collapse a few items so that hidden subtrees travel too.
        for (int k = 0; k < 3; ++k) Send(fx.tree, LUMTREEM_EXPAND, std::rand() % n, 0);
        std::vector<int> parents{-1};
        for (int i = 0; i < n; ++i) {
            if (SendI(fx.tree, LUMTREEM_GETCHILDCOUNT, i, 0) > 1) parents.push_back(i);
        }
        int parent = parents[std::rand() % parents.size()];
        CAPTURE(round);
        CAPTURE(parent);
        int r = textMode ? SendI(fx.tree, LUMTREEM_SORTCHILDREN, static_cast<WPARAM>(parent), 0)
                         : SendI(fx.tree, LUMTREEM_SORTCHILDRENCB, static_cast<WPARAM>(parent),
                                 reinterpret_cast<LPARAM>(&CompareKeys));
        CHECK(r == 1);
        CHECK(fx.Ids() == BubbleModel(items, parent, textMode));
        REQUIRE(CheckItemIndex(fx.ctl));
    }
}

TEST_CASE("sort: groups, subtrees and what stays in place") {
    Fixture fx;
    SUBCASE("children with their own children keep them") {
        fx.Load({{0, 0, false, 0},
                 {1, 3, false, 1},
                 {2, 0, false, 2},
                 {1, 1, false, 3},
                 {2, 9, false, 4},
                 {3, 0, false, 5},
                 {1, 2, false, 6}});
        CHECK(SendI(fx.tree, LUMTREEM_SORTCHILDREN, 0, 0) == 1);
        CHECK(fx.Ids() == std::vector<int>{0, 3, 4, 5, 6, 1, 2});
    }
    SUBCASE("the top level of a list whose first item is deeper than 0") {
        fx.Load({{2, 5, false, 0},
                 {2, 1, false, 1},
                 {3, 0, false, 2},
                 {2, 3, false, 3},
                 {1, 0, false, 4},
                 {2, 0, false, 5}});
        CHECK(SendI(fx.tree, LUMTREEM_SORTCHILDREN, static_cast<WPARAM>(-1), 0) == 1);
        CHECK(fx.Ids() == std::vector<int>{1, 2, 3, 0, 4, 5});
    }
    SUBCASE("a sibling without text never moves and nothing passes it") {
        fx.Load({{0, 4, false, 0},
                 {0, 2, false, 1},
                 {0, 0, true, 2},
                 {0, 1, false, 3},
                 {0, 0, false, 4}});
        CHECK(SendI(fx.tree, LUMTREEM_SORTCHILDREN, static_cast<WPARAM>(-1), 0) == 1);
        CHECK(fx.Ids() == std::vector<int>{1, 0, 2, 4, 3});
    }
    SUBCASE("equal keys keep their order; nothing to sort is success") {
        fx.Load({{0, 1, false, 0}, {0, 1, false, 1}, {1, 0, false, 2}, {0, 1, false, 3}});
        CHECK(SendI(fx.tree, LUMTREEM_SORTCHILDRENCB, static_cast<WPARAM>(-1),
                    reinterpret_cast<LPARAM>(&CompareKeys)) == 1);
        CHECK(fx.Ids() == std::vector<int>{0, 1, 2, 3});
        CHECK(SendI(fx.tree, LUMTREEM_SORTCHILDREN, 1, 0) == 1); // a single child
        CHECK(SendI(fx.tree, LUMTREEM_SORTCHILDREN, 2, 0) == 1); // no children
        Send(fx.tree, LUMTREEM_DELETEALL);
        CHECK(SendI(fx.tree, LUMTREEM_SORTCHILDREN, static_cast<WPARAM>(-1), 0) == 1);
    }
    SUBCASE("no room for the buffer: 0 and the order unchanged") {
        fx.Load({{0, 3, false, 0}, {0, 2, false, 1}, {0, 1, false, 2}});
        LumFailAllocAfter(0);
        CHECK(SendI(fx.tree, LUMTREEM_SORTCHILDREN, static_cast<WPARAM>(-1), 0) == 0);
        LumFailAllocAfter(-1);
        CHECK(fx.Ids() == std::vector<int>{0, 1, 2});
    }
}

TEST_CASE("after a sort the top and caret rows are the same, the anchor is gone") {
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
    INT topRow = ShownRowOf(fx.ctl, fx.ctl->topIndex);
    INT caretRow = ShownRowOf(fx.ctl, 13);
    INT top = fx.ctl->topIndex;
    fx.parent.Clear();
    CHECK(SendI(fx.tree, LUMTREEM_SORTCHILDREN, static_cast<WPARAM>(-1), 0) == 1);
    CHECK(ShownRowOf(fx.ctl, fx.ctl->topIndex) == topRow);
    CHECK(ShownRowOf(fx.ctl, fx.ctl->caret) == caretRow);
    CHECK(fx.ctl->anchor == -1);
    CHECK(fx.ctl->selection == -1); // single selection: cleared
    for (INT i = 0; i < fx.ctl->itemCount; ++i)
        CHECK((ItemAt(fx.ctl, i)->flags & kItemSelected) == 0);
    CHECK(fx.ctl->topIndex != top);
    // The parent hears of the new top item, and of the caret when another item is now there.
    std::vector<int> expected{LUMTREEN_TOPCHANGE};
    if (fx.ctl->caret != 13) expected.push_back(LUMTREEN_CARETCHANGE);
    CHECK(fx.parent.Codes() == expected);
}

TEST_CASE("in multiple-selection mode the selected flags travel with their items") {
    Fixture fx(kNotifyStyle | LUMTREESTYLE_MULTIPLESEL);
    fx.Load({{0, 3, false, 0}, {0, 2, false, 1}, {0, 1, false, 2}});
    ItemAt(fx.ctl, 0)->flags |= kItemSelected;
    CHECK(SendI(fx.tree, LUMTREEM_SORTCHILDREN, static_cast<WPARAM>(-1), 0) == 1);
    CHECK(fx.Ids() == std::vector<int>{2, 1, 0});
    CHECK((ItemAt(fx.ctl, 2)->flags & kItemSelected) != 0);
    CHECK((ItemAt(fx.ctl, 0)->flags & kItemSelected) == 0);
}

TEST_CASE("twenty thousand siblings with subtrees sort into the stable order") {
    Fixture fx;
    std::vector<ModelItem> items;
    int id = 0;
    for (int s = 0; s < 20000; ++s) {
        items.push_back({0, std::rand() % 500, false, id++ % 1000});
        for (int c = 0; c < s % 3; ++c) items.push_back({1, 0, false, id++ % 1000});
    }
    fx.Load(items);
    std::vector<std::pair<int, size_t>> roots; // key, position in the model
    for (size_t i = 0; i < items.size(); ++i) {
        if (items[i].level == 0) roots.push_back({items[i].key, i});
    }
    std::stable_sort(roots.begin(), roots.end(),
                     [](const auto &a, const auto &b) { return a.first < b.first; });
    CHECK(SendI(fx.tree, LUMTREEM_SORTCHILDREN, static_cast<WPARAM>(-1), 0) == 1);
    INT i = 0;
    bool same = true;
    for (const auto &[key, at] : roots) {
        for (size_t k = at; k < items.size() && (k == at || items[k].level > 0); ++k, ++i) {
            same = same && static_cast<int>(ItemAt(fx.ctl, i)->data % 1000) == items[k].id;
        }
    }
    CHECK(same);
    CHECK(CheckItemIndex(fx.ctl));
}
