// Sorting children gives the order of bubble passes that move whole subtrees, checked against a
// literal model of those passes on random trees; the top and caret rows stay.
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

// The bound shrinks by one list index per pass. In text mode a sibling without text never moves
// and nothing crosses it.
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

} // namespace

TEST_CASE("sorting gives the order of the bubble passes on random trees; the rows stay") {
    LoadLibraryState(GetModuleHandleA(nullptr));
    Parent window;
    HWND tree = window.Tree(kNotifyStyle | WS_VSCROLL, 0, 0, 200, 160);
    TreeCtl *ctl = FindCtl(tree);
    // Multiple selection: every third item selected, the flags must travel with their items.
    // Single selection: the one selected item is deselected by the sort.
    bool multi = false;
    int chosen = -1;
    auto load = [&](const std::vector<ModelItem> &items) {
        const LONG style = GetWindowLongA(tree, GWL_STYLE) & ~LUMTREESTYLE_MULTIPLESEL;
        SetWindowLongA(tree, GWL_STYLE, style | (multi ? LUMTREESTYLE_MULTIPLESEL : 0));
        Send(tree, WM_SETREDRAW, 0);
        Send(tree, LUMTREEM_DELETEALL);
        for (const ModelItem &m : items) {
            char text[16];
            wsprintfA(text, "k%d", 100 + m.key);
            int i = SendI(tree, LUMTREEM_ADDITEM, 0, m.noText ? 0 : Ptr(text));
            Send(tree, LUMTREEM_SETLEVEL, i, m.level);
            Send(tree, LUMTREEM_SETDATA, i, m.key * 1000 + m.id);
            if (multi && m.id % 3 == 0) ItemAt(ctl, i)->flags |= kItemSelected;
        }
        Send(tree, WM_SETREDRAW, 1);
    };
    // The ids in list order, negative where the selected flag is wrong.
    auto ids = [&] {
        std::vector<int> out;
        for (INT i = 0; i < ctl->itemCount; ++i) {
            int id = static_cast<int>(ItemAt(ctl, i)->data % 1000);
            bool selected = ItemAt(ctl, i)->flags & kItemSelected;
            out.push_back(selected == (multi ? id % 3 == 0 : id == chosen) ? id : -1 - id);
        }
        return out;
    };
    std::srand(1234);
    for (int round = 0; round < 300; ++round) {
        const bool textMode = round % 2 == 0;
        const int n = 2 + std::rand() % 60, keys = 1 + std::rand() % 6;
        std::vector<ModelItem> items;
        for (int id = 0, level = 0; id < n; ++id) {
            level = id == 0 ? std::rand() % 2 : std::max(0, level + std::rand() % 4 - 2);
            items.push_back({level, std::rand() % keys, textMode && std::rand() % 5 == 0, id});
        }
        multi = round % 3 != 0;
        load(items);
        for (int k = 0; k < 3; ++k) Send(tree, LUMTREEM_EXPAND, std::rand() % n, 0);
        // A group of one is left alone (the anchor too): sort groups of two or more.
        std::vector<int> parents;
        if (SendI(tree, LUMTREEM_GETSIBLING, 0, LUMTREESIBLING_NEXT) >= 0) parents.push_back(-1);
        for (int i = 0; i < n; ++i)
            if (SendI(tree, LUMTREEM_GETCHILDCOUNT, i, 0) > 1) parents.push_back(i);
        if (parents.empty()) continue;
        const int parent = parents[std::rand() % parents.size()];
        Send(tree, LUMTREEM_SETTOPINDEX, ItemAtRow(ctl, std::rand() % ctl->shownCount));
        const INT top = ctl->topIndex, topRow = ShownRowOf(ctl, top);
        const INT caret = ctl->caret =
            ItemAtRow(ctl, std::min(ctl->shownCount - 1, topRow + std::rand() % ctl->fullRows));
        const INT caretRow = ShownRowOf(ctl, caret);
        if (!multi) ItemAt(ctl, ctl->selection = chosen = std::rand() % n)->flags |= kItemSelected;
        ctl->anchor = std::rand() % n;
        CAPTURE(round);
        window.Clear();
        const auto wp = static_cast<WPARAM>(parent);
        CHECK(1 == (textMode ? SendI(tree, LUMTREEM_SORTCHILDREN, wp, 0)
                             : SendI(tree, LUMTREEM_SORTCHILDRENCB, wp, Ptr(&CompareKeys))));
        chosen = -1;
        CHECK(ids() == BubbleModel(items, parent, textMode));
        REQUIRE(CheckItemIndex(ctl));
        CHECK(
            (ShownRowOf(ctl, ctl->topIndex) == topRow && ShownRowOf(ctl, ctl->caret) == caretRow));
        CHECK((ctl->anchor == -1 && (multi || ctl->selection == -1)));
        // The parent hears of a new top item, and of the caret when another item is now there.
        Codes expected;
        if (ctl->topIndex != top) expected.push_back(LUMTREEN_TOPCHANGE);
        if (ctl->caret != caret) expected.push_back(LUMTREEN_CARETCHANGE);
        CHECK(window.Codes() == expected);
    }
    // No room for the merge buffer: 0 and the order unchanged.
    load({{0, 3, false, 0}, {0, 2, false, 1}, {0, 1, false, 2}});
    LumFailAllocAfter(0);
    CHECK(SendI(tree, LUMTREEM_SORTCHILDREN, static_cast<WPARAM>(-1), 0) == 0);
    LumFailAllocAfter(-1);
    CHECK(ids() == std::vector<int>{0, 1, 2});
}
