// Tree lines against the rule read literally (parent = nearest earlier item with a smaller
// level; a later sibling comes before anything at the parent's level or above; ancestors
// likewise), on random trees with skipped levels and hidden runs.
#include "../support/harness.h"
#include "lumtree/items/items.h"
#include "lumtree/render/render.h"

#include <algorithm>
#include <cstdlib>
#include <random>
#include <vector>

namespace {

struct Levels {
    TreeCtl ctl{};
    std::vector<int> level;
    Levels(const std::vector<int> &levels, const std::vector<bool> &shown) : level(levels) {
        ctl.columnCount = 1;
        for (size_t i = 0; i < levels.size(); ++i) {
            auto *item = static_cast<TreeItem *>(std::calloc(1, sizeof(TreeItem) + sizeof(char *)));
            item->level = static_cast<WORD>(levels[i]);
            item->flags = kItemEnabled | (shown[i] ? kItemShown : 0);
            REQUIRE(ItemArrayInsert(&ctl, ctl.itemCount, item));
        }
    }
    ~Levels() {
        while (ctl.itemCount) std::free(ItemArrayRemove(&ctl, ctl.itemCount - 1));
    }
    int Parent(int i) const {
        for (int j = i - 1; j >= 0; --j)
            if (level[j] < level[i]) return j;
        return -1;
    }
    bool LaterSibling(int i, int parentLevel) const {
        for (int j = i + 1; j < static_cast<int>(level.size()) && level[j] > parentLevel; ++j)
            if (level[j] <= level[i]) return true;
        return false;
    }
    // {parent level, later sibling, ancestor columns} as the rule reads.
    RowLines Literal(int i) const {
        const int p = level[i] == 0 ? -1 : Parent(i);
        RowLines r{p >= 0 ? level[p] : 0, false, 0};
        r.laterSibling = level[i] >= 1 && LaterSibling(i, r.parentLevel);
        for (int a = p; a >= 0 && level[a] != 0; a = Parent(a)) {
            const int gl = Parent(a) >= 0 ? level[Parent(a)] : 0;
            if (LaterSibling(a, gl)) r.ancestorColumns |= uint64_t{1} << gl;
        }
        return r;
    }
};

bool Same(const RowLines &a, const RowLines &b) {
    return a.parentLevel == b.parentLevel && a.laterSibling == b.laterSibling &&
           a.ancestorColumns == b.ancestorColumns;
}

} // namespace

TEST_CASE("every row's lines agree with the literal rule, itself checked on a known tree") {
    // root, a, a1, a2, b, b1, root2, c (two levels below root2)
    const Levels known({0, 1, 2, 2, 1, 2, 0, 3}, std::vector<bool>(8, true));
    const RowLines want[] = {{0, false, 0}, {0, true, 0},  {1, true, 1},  {1, false, 1},
                             {0, false, 0}, {1, false, 0}, {0, false, 0}, {0, false, 0}};
    for (INT i = 0; i < 8; ++i) {
        CHECK(Same(known.Literal(i), want[i]));
        CHECK(Same(LinesOfRow(&known.ctl, i), want[i]));
    }
    std::mt19937 rng(1234);
    for (int round = 0; round < 200; ++round) {
        std::vector<int> levels;
        std::vector<bool> shown;
        for (int i = 0, n = 1 + static_cast<int>(rng() % 120), prev = 0; i < n; ++i) {
            prev = std::min(static_cast<int>(rng() % static_cast<unsigned>(prev + 4)), kMaxLevel);
            levels.push_back(prev);
            shown.push_back(rng() % 4 != 0);
        }
        const Levels t(levels, shown);
        for (INT i = 0; i < t.ctl.itemCount; ++i) {
            INFO("round " << round << " row " << i);
            CHECK(Same(LinesOfRow(&t.ctl, i), t.Literal(i)));
        }
    }
}
