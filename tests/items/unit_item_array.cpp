// The item pointer array: growth and shrink steps, and the row index kept beside it.
#include "../support/harness.h"
#include "lumtree/items/items.h"

#include <cstdlib>
#include <vector>

namespace {

// A bare record: enough for the array routines, which touch no window.
struct Store {
    TreeCtl ctl{};
    std::vector<TreeItem *> owned;
    Store() { ctl.columnCount = 1; }
    ~Store() {
        while (ctl.itemCount) std::free(ItemArrayRemove(&ctl, 0));
    }
    TreeItem *Make(bool shown, WORD level = 0) {
        auto *item = static_cast<TreeItem *>(std::calloc(1, sizeof(TreeItem) + sizeof(char *)));
        item->flags = kItemEnabled | (shown ? kItemShown : 0);
        item->level = level;
        return item;
    }
    void Insert(INT pos, bool shown = true, WORD level = 0) {
        REQUIRE(ItemArrayInsert(&ctl, pos, Make(shown, level)));
    }
    void Remove(INT pos) { std::free(ItemArrayRemove(&ctl, pos)); }
    INT Capacity() const { return ctl.itemCount + ctl.spareSlots; }
};

INT BruteRowOf(const TreeCtl &ctl, INT i) {
    INT n = 0;
    for (INT j = 0; j < i; ++j) n += (ctl.items[j]->flags & kItemShown) != 0;
    return n;
}

} // namespace

TEST_CASE("the array grows in steps of 256 slots") {
    Store s;
    s.Insert(0);
    CHECK(s.ctl.spareSlots == 255);
    CHECK(s.Capacity() == 256);
    for (int i = 1; i < 256; ++i) s.Insert(s.ctl.itemCount);
    CHECK(s.ctl.spareSlots == 0);
    s.Insert(s.ctl.itemCount); // the 257th
    CHECK(s.ctl.itemCount == 257);
    CHECK(s.ctl.spareSlots == 255);
    CHECK(s.Capacity() == 512);
}

TEST_CASE("the array shrinks only past 512 free slots, and is freed when empty") {
    Store s;
    for (int i = 0; i < 1000; ++i) s.Insert(0);
    CHECK(s.Capacity() == 1024);
    // 1000 items, 24 spare: deleting down to 511 items leaves 513 spare, the first shrink.
    while (s.ctl.itemCount > 512) s.Remove(s.ctl.itemCount - 1);
    CHECK(s.ctl.spareSlots == 512);
    s.Remove(0);
    CHECK(s.ctl.itemCount == 511);
    CHECK(s.ctl.spareSlots == 256);
    CHECK(s.Capacity() == 767);
    while (s.ctl.itemCount > 1) s.Remove(0);
    CHECK(s.ctl.items != nullptr);
    s.Remove(0);
    CHECK(s.ctl.items == nullptr);
    CHECK(s.ctl.spareSlots == 0);
    CHECK(s.ctl.shownCount == 0);
}

TEST_CASE("a failed growth leaves the list unchanged") {
    Store s;
    for (int i = 0; i < 256; ++i) s.Insert(0);
    TreeItem *extra = s.Make(true);
    LumFailAllocAfter(0);
    CHECK_FALSE(ItemArrayInsert(&s.ctl, 3, extra));
    LumFailAllocAfter(-1);
    CHECK(s.ctl.itemCount == 256);
    CHECK(s.ctl.spareSlots == 0);
    CHECK(s.ctl.shownCount == 256);
    std::free(extra);
}

TEST_CASE("the row index agrees with counting, through random edits across many blocks") {
    Store s;
    std::srand(7);
    for (int step = 0; step < 6000; ++step) {
        int op = std::rand() % 10;
        INT n = s.ctl.itemCount;
        if (op < 5 || n < 10) {
            s.Insert(std::rand() % (n + 1), std::rand() % 3 != 0);
        } else if (op < 8) {
            s.Remove(std::rand() % n);
        } else {
            INT i = std::rand() % n;
            SetItemShown(&s.ctl, i, std::rand() % 2 == 0);
        }
        if (step % 500 == 0 || step == 5999) {
            INT shown = 0;
            for (INT i = 0; i < s.ctl.itemCount; ++i) {
                CHECK(ShownRowOf(&s.ctl, i) == BruteRowOf(s.ctl, i));
                if (s.ctl.items[i]->flags & kItemShown) {
                    CHECK(ItemAtShownRow(&s.ctl, shown) == i);
                    ++shown;
                }
            }
            CHECK(s.ctl.shownCount == shown);
            CHECK(ItemAtShownRow(&s.ctl, shown) == -1);
            CHECK(CheckItemIndex(&s.ctl));
        }
    }
    CHECK(s.ctl.itemCount > 1000);
}

TEST_CASE("removing a run leaves the spare slots that removing it one item at a time would") {
    // Each single removal adds a spare slot and shrinks the array back to 256 spare slots when
    // 513 are free; a run must end in the same state.
    for (INT run : {100, 513, 600, 770, 1100}) {
        Store one, batch;
        for (int i = 0; i < 1500; ++i) {
            one.Insert(0);
            batch.Insert(0);
        }
        for (INT k = 0; k < run; ++k) one.Remove(10);
        for (INT k = 0; k < run; ++k) std::free(batch.ctl.items[10 + k]);
        ItemArrayRemoveRun(&batch.ctl, 10, run);
        CHECK(batch.ctl.itemCount == one.ctl.itemCount);
        CHECK(batch.ctl.spareSlots == one.ctl.spareSlots);
    }
}

TEST_CASE("level searches agree with walking the list, through inserts, removals and runs") {
    Store s;
    std::srand(11);
    auto prevBrute = [&](INT i, INT level) {
        for (INT j = i - 1; j >= 0; --j) {
            if (s.ctl.items[j]->level <= level) return j;
        }
        return -1;
    };
    auto nextBrute = [&](INT i, INT level) {
        for (INT j = i + 1; j < s.ctl.itemCount; ++j) {
            if (s.ctl.items[j]->level <= level) return j;
        }
        return -1;
    };
    for (int step = 0; step < 4000; ++step) {
        INT n = s.ctl.itemCount;
        int op = std::rand() % 10;
        if (op < 6 || n < 20) {
            s.Insert(std::rand() % (n + 1), true, static_cast<WORD>(std::rand() % 8));
        } else if (op < 8) {
            s.Remove(std::rand() % n);
        } else if (op < 9) {
            INT pos = std::rand() % n, count = 1 + std::rand() % (n - pos);
            if (count > 50) count = 50;
            for (INT k = 0; k < count; ++k) std::free(s.ctl.items[pos + k]);
            ItemArrayRemoveRun(&s.ctl, pos, count);
        } else {
            StoreItemLevel(&s.ctl, std::rand() % n, std::rand() % 8);
        }
        if (step % 400 == 0) {
            REQUIRE(CheckItemIndex(&s.ctl));
            for (INT i = -1; i <= s.ctl.itemCount; ++i) {
                for (INT level = 0; level < 8; level += 3) {
                    if (i >= 0) CHECK(PrevAtMost(&s.ctl, i, level) == prevBrute(i, level));
                    if (i < s.ctl.itemCount)
                        CHECK(NextAtMost(&s.ctl, i, level) == nextBrute(i, level));
                }
            }
        }
    }
}
