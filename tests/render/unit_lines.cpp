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
    int LevelOf(int i) const { return i >= 0 ? level[i] : 0; }
    bool LaterSibling(int i, int parentLevel) const {
        for (int j = i + 1; j < ctl.itemCount && level[j] > parentLevel; ++j)
            if (level[j] <= level[i]) return true;
        return false;
    }
    // Checks the row's lines against the rule: {parent level, later sibling, ancestors' lines}.
    void Check(int i) const {
        const int p = level[i] == 0 ? -1 : Parent(i);
        uint64_t ancestors = 0;
        for (int a = p; a >= 0 && level[a] != 0; a = Parent(a))
            if (LaterSibling(a, LevelOf(Parent(a)))) ancestors |= uint64_t{1} << LevelOf(Parent(a));
        const RowLines got = LinesOfRow(&ctl, i);
        INFO("row " << i);
        CHECK(got.parentLevel == LevelOf(p));
        CHECK(got.laterSibling == (level[i] >= 1 && LaterSibling(i, LevelOf(p))));
        CHECK(got.ancestorColumns == ancestors);
    }
};

} // namespace

TEST_CASE("every row's lines agree with the literal rule on random trees") {
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
        for (int i = 0; i < t.ctl.itemCount; ++i) t.Check(i);
    }
}
