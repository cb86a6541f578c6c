// Tree lines against the rule read literally (parent = nearest earlier item with a smaller
// level; a later sibling comes before anything at the parent's level or above; ancestors
// likewise), on random trees, including levels that skip and hidden runs.
#include "../support/harness.h"
#include "lumtree/items/items.h"
#include "lumtree/render/render.h"

#include <cstdlib>
#include <random>
#include <vector>

namespace {

// A bare record holding items with given levels and shown flags.
struct Levels {
    TreeCtl ctl{};
    explicit Levels(const std::vector<int> &levels, const std::vector<bool> &shown = {}) {
        ctl.columnCount = 1;
        for (size_t i = 0; i < levels.size(); ++i) {
            auto *item = static_cast<TreeItem *>(std::calloc(1, sizeof(TreeItem) + sizeof(char *)));
            item->level = static_cast<WORD>(levels[i]);
            item->flags = kItemEnabled | (shown.empty() || shown[i] ? kItemShown : 0);
            REQUIRE(ItemArrayInsert(&ctl, ctl.itemCount, item));
        }
    }
    ~Levels() {
        while (ctl.itemCount) std::free(ItemArrayRemove(&ctl, ctl.itemCount - 1));
    }
};

INT Level(const TreeCtl &ctl, INT i) {
    return ctl.items[i]->level;
}

INT NearestAbove(const TreeCtl &ctl, INT i) {
    for (INT j = i - 1; j >= 0; --j) {
        if (Level(ctl, j) < Level(ctl, i)) return j;
    }
    return -1;
}

bool LaterSibling(const TreeCtl &ctl, INT i, INT parentLevel) {
    for (INT j = i + 1; j < ctl.itemCount; ++j) {
        INT l = Level(ctl, j);
        if (l <= parentLevel) return false;
        if (l <= Level(ctl, i)) return true;
    }
    return false;
}

RowLines Literal(const TreeCtl &ctl, INT i) {
    RowLines r;
    INT p = Level(ctl, i) == 0 ? -1 : NearestAbove(ctl, i);
    r.parentLevel = p >= 0 ? Level(ctl, p) : 0;
    if (Level(ctl, i) >= 1) r.laterSibling = LaterSibling(ctl, i, r.parentLevel);
    for (INT a = p; a >= 0 && Level(ctl, a) != 0;) {
        INT ga = NearestAbove(ctl, a);
        INT gl = ga >= 0 ? Level(ctl, ga) : 0;
        if (LaterSibling(ctl, a, gl)) r.ancestorColumns |= uint64_t{1} << gl;
        a = ga;
    }
    return r;
}

void CheckSame(const RowLines &got, const RowLines &want, INT i) {
    INFO("row " << i);
    CHECK(got.parentLevel == want.parentLevel);
    CHECK(got.laterSibling == want.laterSibling);
    CHECK(got.ancestorColumns == want.ancestorColumns);
}

} // namespace

TEST_CASE("middle children get a T, last children an L, ancestors carry on past them") {
    // 0 root, 1 a, 2 a1, 3 a2, 4 b, 5 b1, 6 root2, 7 c (skips to level 3)
    Levels t({0, 1, 2, 2, 1, 2, 0, 3});
    CheckSame(LinesOfRow(&t.ctl, 0), RowLines{0, false, 0}, 0);
    CheckSame(LinesOfRow(&t.ctl, 1), RowLines{0, true, 0}, 1);
    CheckSame(LinesOfRow(&t.ctl, 2), RowLines{1, true, 1u << 0}, 2);
    CheckSame(LinesOfRow(&t.ctl, 3), RowLines{1, false, 1u << 0}, 3);
    CheckSame(LinesOfRow(&t.ctl, 4), RowLines{0, false, 0}, 4);
    CheckSame(LinesOfRow(&t.ctl, 5), RowLines{1, false, 0}, 5);
    CheckSame(LinesOfRow(&t.ctl, 7), RowLines{0, false, 0}, 7);
}

TEST_CASE("rows agree with the literal rule on random trees, hidden runs and skipped levels") {
    std::mt19937 rng(1234);
    for (int round = 0; round < 200; ++round) {
        int n = 1 + static_cast<int>(rng() % 120);
        std::vector<int> levels;
        std::vector<bool> shown;
        int prev = 0;
        for (int i = 0; i < n; ++i) {
            int l = static_cast<int>(rng() % static_cast<unsigned>(prev + 4));
            if (l > kMaxLevel) l = kMaxLevel;
            levels.push_back(l);
            shown.push_back(rng() % 4 != 0);
            prev = l;
        }
        Levels t(levels, shown);
        for (INT i = 0; i < n; ++i) CheckSame(LinesOfRow(&t.ctl, i), Literal(t.ctl, i), i);
    }
}
