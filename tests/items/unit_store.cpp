// Random edits against a model that knows which item each stored index names; the item array's
// growth and shrink steps; sorting against a literal model of the bubble passes on random trees.
#include "../support/harness.h"
#include "lumtree/api/api.h"
#include "lumtree/items/items.h"

#include <algorithm>
#include <cstdlib>

using namespace lt;

namespace {

// The data value of the item at each index, and the item that selection, anchor and drop
// target name (0: none): every stored index must keep naming its item through insertions,
// moves and deletions.
struct Fixture {
    Parent parent;
    HWND tree;
    TreeCtl *ctl;
    std::vector<DWORD_PTR> ids;
    DWORD_PTR nextId = 1, named[3] = {};
    Fixture() {
        LoadLibraryState(GetModuleHandleA(nullptr));
        tree = parent.Tree(kNotifyStyle | WS_VSCROLL, 0, 0, 200, 150);
        ctl = FindCtl(tree);
    }
    int Count() const { return ctl->itemCount; }
    INT *Stored(int k) const {
        return k == 0 ? &ctl->selection : k == 1 ? &ctl->anchor : &ctl->dropTarget;
    }
    int IndexOf(DWORD_PTR id) const {
        auto it = std::find(ids.begin(), ids.end(), id);
        return id == 0 || it == ids.end() ? -1 : static_cast<int>(it - ids.begin());
    }
    void Deleted(int i, int count) { ids.erase(ids.begin() + i, ids.begin() + i + count); }
    void Label(int i) { ItemAt(ctl, i)->data = ids[static_cast<size_t>(i)] = nextId++; }
    void Scatter() {
        for (int k = 0; k < 3; ++k) {
            *Stored(k) = std::rand() % (Count() + 1) - 1;
            named[k] = *Stored(k) < 0 ? 0 : ids[static_cast<size_t>(*Stored(k))];
        }
    }
    void Check() {
        const int n = Count();
        REQUIRE(n == static_cast<int>(ids.size()));
        REQUIRE(CheckItemIndex(ctl));
        bool same = true;
        for (int i = 0; i < n; ++i)
            same = same && ItemAt(ctl, i)->data == ids[static_cast<size_t>(i)];
        REQUIRE(same);
        CHECK(Codes{*Stored(0), *Stored(1), *Stored(2)} ==
              Codes{IndexOf(named[0]), IndexOf(named[1]), IndexOf(named[2])});
    }
};

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

TEST_CASE("random edits keep the list, the row index and the stored indexes on their items") {
    Fixture f;
    std::srand(99);
    for (int step = 0; step < 900; ++step) {
        const int n = f.Count(), op = std::rand() % 12;
        INFO("step ", step, " op ", op);
        if (step % 7 == 0 && n > 0) f.Scatter();
        if (op < 3 || n < 4) {
            int pos = std::rand() % (n + 3) - 1;
            int i = SendI(f.tree, LUMTREEM_INSERTITEM, static_cast<WPARAM>(pos), Ptr("x"));
            REQUIRE(i == (pos < 0 || pos >= n ? n : pos));
            f.ids.insert(f.ids.begin() + i, 0);
            f.Label(i);
        } else if (op < 5) {
            Send(f.tree, LUMTREEM_SETLEVEL, std::rand() % n, std::rand() % 5);
        } else if (op < 6) {
            int i = std::rand() % n; // a collapsed item takes its subtree
            int gone = SendI(f.tree, LUMTREEM_ISEXPANDED, i)
                           ? 1
                           : 1 + SendI(f.tree, LUMTREEM_GETCHILDCOUNT, i, 1);
            REQUIRE(SendI(f.tree, LUMTREEM_DELETEITEM, i) == n - gone);
            f.Deleted(i, gone);
        } else if (op < 7) {
            int i = std::rand() % n, gone = SendI(f.tree, LUMTREEM_GETCHILDCOUNT, i, 1);
            SendI(f.tree, LUMTREEM_DELETECHILDREN, i);
            f.Deleted(i + 1, gone);
        } else if (op < 9) {
            const int i = std::rand() % n, expand = std::rand() % 2, all = std::rand() % 2;
            Send(f.tree, LUMTREEM_EXPAND, i, MAKELPARAM(expand, all));
        } else if (op < 11) {
            // A copy comes in at the destination, then the source leaves (with its subtree when
            // collapsed). The result is the copy's index, also when hidden descendants went.
            int s = std::rand() % n, p = std::rand() % (n + 2) - 1;
            int r = SendI(f.tree, LUMTREEM_MOVEITEM, static_cast<WPARAM>(s), p);
            int c = p < 0 || p >= n ? n : p, source = s >= c ? s + 1 : s;
            f.ids.insert(f.ids.begin() + c, 0);
            int gone = static_cast<int>(f.ids.size()) - f.Count();
            REQUIRE(gone >= 1);
            CHECK(r == (c > source ? c - gone : c));
            f.Deleted(source, gone);
            f.Label(r);
        } else {
            Send(f.tree, LUMTREEM_SHOWITEM, std::rand() % n, std::rand() % 2);
        }
        f.Check();
        if (step % 300 == 299) {
            Send(f.tree, LUMTREEM_DELETEALL);
            f.ids.clear();
            f.Check();
        }
    }
}

TEST_CASE("the array grows by 256 slots, shrinks past 512 free ones; a run as one at a time") {
    Fixture f;
    Send(f.tree, WM_SETREDRAW, 0);
    AddFlat(f.tree, 256); // no spare slot left
    LumFailAllocAfter(2); // the item and its text are made, the growth fails: nothing changes
    CHECK(SendI(f.tree, LUMTREEM_ADDITEM, 0, Ptr("x")) == -1);
    LumFailAllocAfter(-1);
    CHECK((f.Count() == 256 && f.ctl->spareSlots == 0 && CheckItemIndex(f.ctl)));
    AddFlat(f.tree, 744);
    // Deleting down to 511 items leaves 513 spare, the first shrink, back to 256 spare.
    while (f.Count() > 512) Send(f.tree, LUMTREEM_DELETEITEM, 0);
    CHECK(f.ctl->spareSlots == 512);
    Send(f.tree, LUMTREEM_DELETEITEM, 0);
    CHECK(f.ctl->spareSlots == 256);
    // Item 10 with run - 1 children goes alone when expanded, as one run when collapsed.
    for (int run : {513, 1100}) {
        int spare[2];
        for (int collapsed = 0; collapsed < 2; ++collapsed) {
            Send(f.tree, LUMTREEM_DELETEALL);
            AddFlat(f.tree, 1500);
            for (int i = 11; i < 10 + run; ++i) Send(f.tree, LUMTREEM_SETLEVEL, i, 1);
            Send(f.tree, LUMTREEM_EXPAND, 10, collapsed ? 0 : 1);
            for (int k = 0; k < (collapsed ? 1 : run); ++k) Send(f.tree, LUMTREEM_DELETEITEM, 10);
            CHECK((f.Count() == 1500 - run && CheckItemIndex(f.ctl)));
            spare[collapsed] = f.ctl->spareSlots;
        }
        CHECK(spare[0] == spare[1]);
    }
}

TEST_CASE("sorting gives the order of the bubble passes on random trees; the rows stay") {
    Fixture f;
    const auto [tree, ctl] = std::pair{f.tree, f.ctl};
    std::srand(1234);
    for (int round = 0; round < 150; ++round) {
        // Multiple selection: every third item selected, flags travel; single: the sort deselects.
        const bool textMode = round % 2 == 0, multi = round % 3 != 0;
        const int n = 2 + std::rand() % 60, keys = 1 + std::rand() % 6;
        const LONG style = GetWindowLongA(tree, GWL_STYLE) & ~LUMTREESTYLE_MULTIPLESEL;
        SetWindowLongA(tree, GWL_STYLE, style | (multi ? LUMTREESTYLE_MULTIPLESEL : 0));
        Send(tree, WM_SETREDRAW, 0);
        Send(tree, LUMTREEM_DELETEALL);
        std::vector<ModelItem> items;
        for (int id = 0, level = 0; id < n; ++id) {
            level = id == 0 ? std::rand() % 2 : std::max(0, level + std::rand() % 4 - 2);
            const ModelItem &m = items.emplace_back(
                ModelItem{level, std::rand() % keys, textMode && std::rand() % 5 == 0, id});
            char text[16];
            wsprintfA(text, "k%d", 100 + m.key);
            Send(tree, LUMTREEM_ADDITEM, 0, m.noText ? 0 : Ptr(text));
            Send(tree, LUMTREEM_SETLEVEL, id, level);
            Send(tree, LUMTREEM_SETDATA, id, m.key * 1000 + id);
            if (multi && id % 3 == 0) {
                ItemAt(ctl, id)->flags |= kItemSelected;
                ++ctl->selectedCount;
            }
        }
        Send(tree, WM_SETREDRAW, 1);
        for (int k = 0; k < 3; ++k) Send(tree, LUMTREEM_EXPAND, std::rand() % n, 0);
        // A group of one is left alone (the anchor too): sort groups of two or more.
        int parent = std::rand() % n;
        while (parent >= 0 && SendI(tree, LUMTREEM_GETCHILDCOUNT, parent, 0) < 2) --parent;
        if (parent < 0 && SendI(tree, LUMTREEM_GETSIBLING, 0, LUMTREESIBLING_NEXT) < 0) continue;
        Send(tree, LUMTREEM_SETTOPINDEX, ItemAtRow(ctl, std::rand() % ctl->shownCount));
        const INT top = ctl->topIndex, topRow = ShownRowOf(ctl, top);
        const INT caret = ctl->caret =
            ItemAtRow(ctl, std::min(ctl->shownCount - 1, topRow + std::rand() % ctl->fullRows));
        const INT caretRow = ShownRowOf(ctl, caret);
        if (!multi) {
            ItemAt(ctl, ctl->selection = std::rand() % n)->flags |= kItemSelected;
            ctl->selectedCount = 1;
        }
        ctl->anchor = std::rand() % n;
        CAPTURE(round);
        f.parent.Clear();
        const auto wp = static_cast<WPARAM>(parent);
        CHECK(1 == (textMode ? SendI(tree, LUMTREEM_SORTCHILDREN, wp, 0)
                             : SendI(tree, LUMTREEM_SORTCHILDRENCB, wp, Ptr(&CompareKeys))));
        std::vector<int> ids; // negative where the selected flag is wrong
        for (INT i = 0; i < n; ++i) {
            const int id = static_cast<int>(ItemAt(ctl, i)->data % 1000);
            const bool selected = ItemAt(ctl, i)->flags & kItemSelected;
            ids.push_back(selected == (multi && id % 3 == 0) ? id : -1 - id);
        }
        CHECK(ids == BubbleModel(items, parent, textMode));
        REQUIRE(CheckItemIndex(ctl));
        CHECK(
            (ShownRowOf(ctl, ctl->topIndex) == topRow && ShownRowOf(ctl, ctl->caret) == caretRow));
        CHECK((ctl->anchor == -1 && (multi || ctl->selection == -1)));
        Codes expected; // a new top item, and the caret when another item is now on its row
        if (ctl->topIndex != top) expected.push_back(LUMTREEN_TOPCHANGE);
        if (ctl->caret != caret) expected.push_back(LUMTREEN_CARETCHANGE);
        CHECK(f.parent.Codes() == expected);
    }
    Send(tree, LUMTREEM_DELETEALL);
    AddItems(tree, {{"c", 0}, {"b", 0}, {"a", 0}});
    LumFailAllocAfter(0); // no room for the merge buffer: 0 and nothing moves
    CHECK(SendI(tree, LUMTREEM_SORTCHILDREN, static_cast<WPARAM>(-1), 0) == 0);
    LumFailAllocAfter(-1);
    CHECK(SendI(tree, LUMTREEM_FINDTEXT, 0, Ptr("a")) == 2);
}

TEST_CASE("texts replaced, copied and removed in every column: read back right, heap back") {
    Fixture f;
    static char a[] = "A", b[] = "B";
    TreeColumn columns[2] = {{0, 0, 80, 0, 0, a, nullptr, nullptr, 0},
                             {0, 0, LUMTREE_STRETCH, 0, 0, b, nullptr, nullptr, 0}};
    REQUIRE(SendI(f.tree, LUMTREEM_SETCOLUMNS, 2, Ptr(columns)) == 1);
    Send(f.tree, WM_SETREDRAW, 0);
    auto set = [&](int i, int column, const char *value) {
        Send(f.tree, LUMTREEM_SETTEXTCOLUMN, static_cast<WPARAM>(column));
        Send(f.tree, LUMTREEM_SETTEXT, static_cast<WPARAM>(i), Ptr(value));
    };
    auto text = [&](int i, int column) {
        Send(f.tree, LUMTREEM_SETTEXTCOLUMN, static_cast<WPARAM>(column));
        char buffer[64] = "?";
        Send(f.tree, LUMTREEM_GETTEXT, static_cast<WPARAM>(i), Ptr(buffer));
        return std::string(buffer);
    };
    const size_t heap = HeapBytesInUse();
    for (int round = 0; round < 3; ++round) {
        AddFlat(f.tree, 300);
        for (int i = 0; i < 300; i += 3) set(i, i % 2, "replaced");
        for (int n = 0; n < 30; ++n) // texts set over set texts
            for (int i = 5; i < 300; i += 3) set(i, n % 2, "again");
        set(1, 0, nullptr); // a null text is an empty one
        // The text an item came with stays in the other column.
        CHECK((text(3, 1) == "replaced" && text(3, 0) == "Item 3" && text(1, 0).empty()));
        CHECK(SendI(f.tree, LUMTREEM_COPYITEM, 2, 300) == 300);
        set(2, 0, "changed"); // the copy keeps its own text
        CHECK(text(300, 0) == "Item 2");
        Send(f.tree, LUMTREEM_DELETEALL);
    }
    CHECK(HeapBytesInUse() < heap + 16 * 1024);
}
