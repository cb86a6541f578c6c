// Random sequences of inserts, deletes, level changes, moves and expands against a model that
// knows which item each stored index names: the list order, the shown count, the position
// index and the stored indexes must agree with it after every step.
#include "../support/harness.h"
#include "lumtree/api/api.h"
#include "lumtree/items/items.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

using namespace lt;

namespace {

struct Model {
    std::vector<int> ids; // data value of the item at each index
    int nextId = 1;
    // Selection, anchor and drop target name items (ids, 0 for none); caret and top index are
    // positions that follow the store's own rules.
    int selection = 0, anchor = 0, dropTarget = 0;
    int caret = 0, top = 0;

    int IndexOf(int id) const {
        if (id == 0) return -1;
        auto it = std::find(ids.begin(), ids.end(), id);
        return it == ids.end() ? -1 : static_cast<int>(it - ids.begin());
    }
    void Inserted(int pos, int id) {
        bool wasEmpty = ids.empty();
        ids.insert(ids.begin() + pos, id);
        if (!wasEmpty && pos <= caret) ++caret;
    }
    // count items deleted one at a time at index i.
    void Deleted(int i, int count) {
        for (int k = 0; k < count; ++k) {
            int n = static_cast<int>(ids.size());
            if (top >= n - 1) top = std::max(top - 1, 0);
            if (i <= caret) caret = std::max(caret - 1, 0);
            for (int *stored : {&selection, &anchor, &dropTarget}) {
                if (*stored == ids[i]) *stored = 0;
            }
            ids.erase(ids.begin() + i);
        }
    }
};

struct Harness {
    Parent parent;
    HWND tree;
    TreeCtl *ctl;
    Model model;
    Harness() {
        LoadLibraryState(GetModuleHandleA(nullptr));
        tree = parent.Tree(kNotifyStyle | WS_VSCROLL, 0, 0, 200, 150);
        ctl = FindCtl(tree);
    }
    int Count() const { return ctl->itemCount; }
    bool Shown(int i) const { return SendI(tree, LUMTREEM_ISSHOWN, i) == 1; }
    int Level(int i) const { return SendI(tree, LUMTREEM_GETLEVEL, i); }
    int SubtreeSize(int i) const { return SendI(tree, LUMTREEM_GETCHILDCOUNT, i, 1); }
    bool Collapsed(int i) const {
        return SubtreeSize(i) > 0 && SendI(tree, LUMTREEM_ISEXPANDED, i) == 0;
    }
    // Where a collapse sends the caret or top item when its row is hidden.
    int NearestShown(int j) const {
        for (int k = j - 1; k >= 0; --k) {
            if (Shown(k)) return k;
        }
        for (int k = j + 1; k < Count(); ++k) {
            if (Shown(k)) return k;
        }
        return 0;
    }
    void Label(int i) {
        Send(tree, LUMTREEM_SETDATA, static_cast<WPARAM>(i), model.nextId);
        model.Inserted(i, model.nextId++);
    }
    // Points the stored indexes at random items (the caret and top item at shown ones).
    void Scatter() {
        int n = Count();
        if (n == 0) return;
        auto pick = [&] { return std::rand() % (n + 1) - 1; };
        ctl->selection = pick();
        ctl->anchor = pick();
        ctl->dropTarget = pick();
        ctl->caret = ItemAtRow(ctl, std::rand() % ctl->shownCount);
        ctl->topIndex = ItemAtRow(ctl, std::rand() % ctl->shownCount);
        model.selection = ctl->selection < 0 ? 0 : model.ids[ctl->selection];
        model.anchor = ctl->anchor < 0 ? 0 : model.ids[ctl->anchor];
        model.dropTarget = ctl->dropTarget < 0 ? 0 : model.ids[ctl->dropTarget];
        model.caret = ctl->caret;
        model.top = ctl->topIndex;
    }
    void Check() {
        REQUIRE(Count() == static_cast<int>(model.ids.size()));
        bool same = true;
        for (int i = 0; i < Count(); ++i)
            same = same && Send(tree, LUMTREEM_GETDATA, i) == model.ids[i];
        REQUIRE(same);
        REQUIRE(CheckItemIndex(ctl));
        int shown = 0;
        for (int i = 0; i < Count(); ++i) {
            shown += Shown(i);
            if (Level(i) == 0) CHECK(Shown(i));
            int parent = SendI(tree, LUMTREEM_GETPARENT, i);
            if (parent >= 0 && Shown(i)) CHECK(Shown(parent));
        }
        CHECK(shown == ctl->shownCount);
        CHECK(ctl->selection == model.IndexOf(model.selection));
        CHECK(ctl->anchor == model.IndexOf(model.anchor));
        CHECK(ctl->dropTarget == model.IndexOf(model.dropTarget));
        CHECK(ctl->caret == model.caret);
        CHECK(ctl->topIndex == model.top);
        if (Count() == 0) CHECK((ctl->caret == 0 && ctl->topIndex == 0));
    }
};

} // namespace

TEST_CASE("random edits keep the list, the row counts and the stored indexes consistent") {
    Harness h;
    std::srand(99);
    for (int step = 0; step < 1500; ++step) {
        int n = h.Count();
        int op = std::rand() % 12;
        CAPTURE(step);
        CAPTURE(op);
        if (step % 7 == 0) h.Scatter();
        if (op < 3 || n < 4) {
            // Insert (or append) and label the new item.
            int pos = std::rand() % (n + 3) - 1;
            int i = SendI(h.tree, LUMTREEM_INSERTITEM, static_cast<WPARAM>(pos), Ptr("x"));
            REQUIRE(i == (pos < 0 || pos >= n ? n : pos));
            h.Label(i);
        } else if (op < 5) {
            int i = std::rand() % n;
            Send(h.tree, LUMTREEM_SETLEVEL, i, std::rand() % 5);
        } else if (op < 6) {
            int i = std::rand() % n;
            int gone = h.Collapsed(i) ? 1 + h.SubtreeSize(i) : 1;
            REQUIRE(SendI(h.tree, LUMTREEM_DELETEITEM, i) == n - gone);
            h.model.Deleted(i, gone);
        } else if (op < 7) {
            int i = std::rand() % n;
            int gone = h.SubtreeSize(i);
            SendI(h.tree, LUMTREEM_DELETECHILDREN, i);
            h.model.Deleted(i + 1, gone);
        } else if (op < 9) {
            // Collapse or expand; the caret and top item leave rows that are hidden.
            int i = std::rand() % n;
            bool expand = std::rand() % 2 == 0;
            Send(h.tree, LUMTREEM_EXPAND, i, MAKELPARAM(expand, std::rand() % 2));
            if (!expand) {
                if (h.model.caret < n && !h.Shown(h.model.caret)) {
                    h.model.caret = h.NearestShown(h.model.caret);
                }
                if (h.model.top < n && !h.Shown(h.model.top)) {
                    h.model.top = h.NearestShown(h.model.top);
                }
            }
        } else if (op < 11) {
            // Move: a copy comes in at the destination, then the source (with its subtree when
            // that is collapsed) leaves. Which items left is read off the list.
            int s = std::rand() % n, p = std::rand() % (n + 2) - 1;
            int r = SendI(h.tree, LUMTREEM_MOVEITEM, static_cast<WPARAM>(s), p);
            REQUIRE(r >= 0);
            int c = p < 0 || p >= n ? n : p;
            int source = s >= c ? s + 1 : s;
            Model &m = h.model;
            m.Inserted(c, -1);
            int gone = static_cast<int>(m.ids.size()) - h.Count();
            REQUIRE(gone >= 1);
            // The result is where the copy ended up, also when hidden descendants went along.
            CHECK(r == (c > source ? c - gone : c));
            m.Deleted(source, gone);
            Send(h.tree, LUMTREEM_SETDATA, static_cast<WPARAM>(r), m.nextId);
            m.ids[r] = m.nextId++;
        } else {
            int i = std::rand() % n;
            Send(h.tree, LUMTREEM_SHOWITEM, i, std::rand() % 2);
            // Hiding an item collapses its parent, which may move the caret and top item.
            if (h.model.caret < n && !h.Shown(h.model.caret)) {
                h.model.caret = h.NearestShown(h.model.caret);
            }
            if (h.model.top < n && !h.Shown(h.model.top)) h.model.top = h.NearestShown(h.model.top);
        }
        h.Check();
        if (step % 300 == 299) {
            // Occasionally start again from an empty list.
            Send(h.tree, LUMTREEM_DELETEALL);
            h.model = Model{};
            h.Check();
        }
    }
}
