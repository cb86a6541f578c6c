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
    TreeItem *Make(bool shown) {
        auto *item = static_cast<TreeItem *>(std::calloc(1, sizeof(TreeItem) + sizeof(char *)));
        item->flags = kItemEnabled | (shown ? kItemShown : 0);
        return item;
    }
    void Insert(INT pos, bool shown = true) { REQUIRE(ItemArrayInsert(&ctl, pos, Make(shown))); }
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
        }
    }
    CHECK(s.ctl.itemCount > 1000);
}
