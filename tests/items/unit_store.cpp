// Random edits against a model that knows which item each stored index names, then the item
// array's growth and shrink steps.
#include "../support/harness.h"
#include "lumtree/api/api.h"
#include "lumtree/items/items.h"

#include <algorithm>
#include <cstdlib>

using namespace lt;

namespace {

// The data value of the item at each index; selection, anchor and drop target by item (0 for
// none); caret and top index as positions, moved by the store's own rules.
struct Model {
    std::vector<DWORD_PTR> ids;
    DWORD_PTR nextId = 1, selection = 0, anchor = 0, dropTarget = 0;
    int caret = 0, top = 0;

    int IndexOf(DWORD_PTR id) const {
        auto it = std::find(ids.begin(), ids.end(), id);
        return id == 0 || it == ids.end() ? -1 : static_cast<int>(it - ids.begin());
    }
    void Inserted(int pos, DWORD_PTR id) {
        if (!ids.empty() && pos <= caret) ++caret;
        ids.insert(ids.begin() + pos, id);
    }
    // count items deleted one at a time at index i.
    void Deleted(int i, int count) {
        while (count--) {
            if (top >= static_cast<int>(ids.size()) - 1) top = std::max(top - 1, 0);
            if (i <= caret) caret = std::max(caret - 1, 0);
            for (DWORD_PTR *stored : {&selection, &anchor, &dropTarget})
                *stored = *stored == ids[i] ? 0 : *stored;
            ids.erase(ids.begin() + i);
        }
    }
};

struct Fixture {
    Parent parent;
    HWND tree;
    TreeCtl *ctl;
    Model m;
    Fixture() {
        LoadLibraryState(GetModuleHandleA(nullptr));
        tree = parent.Tree(kNotifyStyle | WS_VSCROLL, 0, 0, 200, 150);
        ctl = FindCtl(tree);
    }
    int Count() const { return ctl->itemCount; }
    int SubtreeSize(int i) const { return SendI(tree, LUMTREEM_GETCHILDCOUNT, i, 1); }
    // A collapse moves the caret and the top item off the rows it hides: to the nearest shown
    // item before, else after. One that stood on a hidden row already stays there.
    template <class Op> void Collapsing(Op op) {
        const bool was[2] = {ItemShown(ctl, m.caret), ItemShown(ctl, m.top)};
        op();
        for (int k = 0; k < 2; ++k) {
            int &j = k ? m.top : m.caret, i = j;
            if (!was[k] || ItemShown(ctl, j)) continue;
            while (i >= 0 && !ItemShown(ctl, i)) --i;
            for (i = i >= 0 ? i : j; i < Count() && !ItemShown(ctl, i);) ++i;
            j = i < Count() ? i : 0;
        }
    }
    void Label(int i) { ItemAt(ctl, i)->data = m.nextId++; }
    // Points the stored indexes at random items (the caret and top item at shown ones).
    void Scatter() {
        for (auto [stored, id] : {std::pair{&ctl->selection, &m.selection},
                                  {&ctl->anchor, &m.anchor},
                                  {&ctl->dropTarget, &m.dropTarget}}) {
            *stored = std::rand() % (Count() + 1) - 1;
            *id = *stored < 0 ? 0 : m.ids[*stored];
        }
        m.caret = ctl->caret = ItemAtRow(ctl, std::rand() % ctl->shownCount);
        m.top = ctl->topIndex = ItemAtRow(ctl, std::rand() % ctl->shownCount);
    }
    void Check() {
        const int n = Count();
        REQUIRE(n == static_cast<int>(m.ids.size()));
        REQUIRE(CheckItemIndex(ctl));
        int rows = 0;
        bool same = true;
        for (int i = 0; i < n; ++i) {
            same = same && ItemAt(ctl, i)->data == m.ids[i] && ShownRowOf(ctl, i) == rows;
            if (ItemShown(ctl, i)) same = same && ItemAtShownRow(ctl, rows++) == i;
            same = same && (LevelOf(ctl, i) > 0 || ItemShown(ctl, i));
        }
        // The level searches against walking the list.
        for (int level = 0; level < 5; ++level) {
            for (int i = 0, last = -1; i < n; last = LevelOf(ctl, i) <= level ? i : last, ++i)
                same = same && PrevAtMost(ctl, i, level) == last;
            for (int i = n - 1, next = -1; i >= 0; next = LevelOf(ctl, i) <= level ? i : next, --i)
                same = same && NextAtMost(ctl, i, level) == next;
        }
        REQUIRE(same);
        CHECK((rows == ctl->shownCount && ItemAtShownRow(ctl, rows) == -1));
        CHECK(Codes{ctl->selection, ctl->anchor, ctl->dropTarget, ctl->caret, ctl->topIndex} ==
              Codes{m.IndexOf(m.selection), m.IndexOf(m.anchor), m.IndexOf(m.dropTarget), m.caret,
                    m.top});
    }
};

} // namespace

TEST_CASE("random edits keep the list, the row index and the stored indexes consistent") {
    Fixture f;
    std::srand(99);
    for (int step = 0; step < 1500; ++step) {
        const int n = f.Count(), op = std::rand() % 12;
        CAPTURE(step);
        CAPTURE(op);
        if (step % 7 == 0 && n > 0) f.Scatter();
        if (op < 3 || n < 4) {
            int pos = std::rand() % (n + 3) - 1;
            int i = SendI(f.tree, LUMTREEM_INSERTITEM, static_cast<WPARAM>(pos), Ptr("x"));
            REQUIRE(i == (pos < 0 || pos >= n ? n : pos));
            f.m.Inserted(i, f.m.nextId);
            f.Label(i);
        } else if (op < 5) {
            Send(f.tree, LUMTREEM_SETLEVEL, std::rand() % n, std::rand() % 5);
        } else if (op < 6) {
            int i = std::rand() % n; // a collapsed item takes its subtree
            int gone = SendI(f.tree, LUMTREEM_ISEXPANDED, i) ? 1 : 1 + f.SubtreeSize(i);
            REQUIRE(SendI(f.tree, LUMTREEM_DELETEITEM, i) == n - gone);
            f.m.Deleted(i, gone);
        } else if (op < 7) {
            int i = std::rand() % n, gone = f.SubtreeSize(i);
            SendI(f.tree, LUMTREEM_DELETECHILDREN, i);
            f.m.Deleted(i + 1, gone);
        } else if (op < 9) {
            const int i = std::rand() % n, expand = std::rand() % 2, all = std::rand() % 2;
            f.Collapsing([&] { Send(f.tree, LUMTREEM_EXPAND, i, MAKELPARAM(expand, all)); });
        } else if (op < 11) {
            // A copy comes in at the destination, then the source leaves (with its subtree when
            // collapsed). The result is the copy's index, also when hidden descendants went.
            int s = std::rand() % n, p = std::rand() % (n + 2) - 1;
            int r = SendI(f.tree, LUMTREEM_MOVEITEM, static_cast<WPARAM>(s), p);
            int c = p < 0 || p >= n ? n : p, source = s >= c ? s + 1 : s;
            f.m.Inserted(c, 0);
            int gone = static_cast<int>(f.m.ids.size()) - f.Count();
            REQUIRE(gone >= 1);
            CHECK(r == (c > source ? c - gone : c));
            f.m.Deleted(source, gone);
            f.m.ids[r] = f.m.nextId;
            f.Label(r);
        } else {
            const int i = std::rand() % n, show = std::rand() % 2; // hiding collapses the parent
            f.Collapsing([&] { Send(f.tree, LUMTREEM_SHOWITEM, i, show); });
        }
        f.Check();
        if (step % 300 == 299) {
            Send(f.tree, LUMTREEM_DELETEALL);
            f.m = Model{};
            f.Check();
        }
    }
}

TEST_CASE("the array grows by 256 slots, shrinks past 512 free ones; a run as one at a time") {
    Fixture f;
    Send(f.tree, WM_SETREDRAW, 0);
    AddFlat(f.tree, 256);
    CHECK(f.ctl->spareSlots == 0);
    LumFailAllocAfter(2); // the item and its text are made, the growth fails: nothing changes
    CHECK(SendI(f.tree, LUMTREEM_ADDITEM, 0, Ptr("x")) == -1);
    LumFailAllocAfter(-1);
    CHECK((f.Count() == 256 && f.ctl->spareSlots == 0 && CheckItemIndex(f.ctl)));
    AddFlat(f.tree, 1); // the 257th
    CHECK(f.ctl->spareSlots == 255);
    AddFlat(f.tree, 743);
    CHECK(f.Count() + f.ctl->spareSlots == 1024);
    // Deleting down to 511 items leaves 513 spare, the first shrink, back to 256 spare.
    while (f.Count() > 512) Send(f.tree, LUMTREEM_DELETEITEM, 0);
    CHECK(f.ctl->spareSlots == 512);
    Send(f.tree, LUMTREEM_DELETEITEM, 0);
    CHECK(f.ctl->spareSlots == 256);
    while (f.Count() > 1) Send(f.tree, LUMTREEM_DELETEITEM, 0);
    CHECK(f.ctl->items != nullptr);
    Send(f.tree, LUMTREEM_DELETEITEM, 0);
    CHECK((f.ctl->items == nullptr && f.ctl->spareSlots == 0 && f.ctl->shownCount == 0));
    // Item 10 with run - 1 children goes alone when expanded, as one run when collapsed.
    for (int run : {100, 513, 600, 770, 1100}) {
        int spare[2];
        for (int collapsed = 0; collapsed < 2; ++collapsed) {
            AddFlat(f.tree, 1500);
            for (int i = 11; i < 10 + run; ++i) Send(f.tree, LUMTREEM_SETLEVEL, i, 1);
            Send(f.tree, LUMTREEM_EXPAND, 10, collapsed ? 0 : 1);
            for (int k = 0; k < (collapsed ? 1 : run); ++k) Send(f.tree, LUMTREEM_DELETEITEM, 10);
            CHECK((f.Count() == 1500 - run && CheckItemIndex(f.ctl)));
            spare[collapsed] = f.ctl->spareSlots;
            Send(f.tree, LUMTREEM_DELETEALL);
        }
        CAPTURE(run);
        CHECK(spare[0] == spare[1]);
    }
}
