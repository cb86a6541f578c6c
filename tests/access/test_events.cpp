// WinEvents of the control, recorded by an out-of-context hook in this process while keys,
// clicks and messages change the control: the exact sequence of (event, child id) per action.
#include "../support/harness.h"

#include <algorithm>
#include <utility>

using namespace lt;

namespace {

constexpr DWORD kMulti = kNotifyStyle | LUMTREESTYLE_MULTIPLESEL;
constexpr DWORD kFocus = EVENT_OBJECT_FOCUS, kSel = EVENT_OBJECT_SELECTION,
                kAdd = EVENT_OBJECT_SELECTIONADD, kRemove = EVENT_OBJECT_SELECTIONREMOVE,
                kWithin = EVENT_OBJECT_SELECTIONWITHIN, kState = EVENT_OBJECT_STATECHANGE,
                kReorder = EVENT_OBJECT_REORDER, kName = EVENT_OBJECT_NAMECHANGE,
                kDescription = EVENT_OBJECT_DESCRIPTIONCHANGE, kDestroy = EVENT_OBJECT_DESTROY;

using Events = std::vector<std::pair<DWORD, LONG>>;
HWND g_watched;
Events g_events;

void CALLBACK Record(HWINEVENTHOOK, DWORD event, HWND w, LONG object, LONG child, DWORD, DWORD) {
    if (w == g_watched && object == OBJID_CLIENT) g_events.emplace_back(event, child);
}

// Records the client-object events of one window while it lives.
struct Recorder {
    HWINEVENTHOOK hook;
    explicit Recorder(HWND w)
        : hook(SetWinEventHook(EVENT_OBJECT_CREATE, EVENT_OBJECT_VALUECHANGE, nullptr, &Record,
                               GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT)) {
        REQUIRE(hook);
        g_watched = w;
        Take();
    }
    ~Recorder() { UnhookWinEvent(hook); }
    // The events since the last call, after the pending ones are delivered.
    Events Take() {
        Pump();
        Events out;
        out.swap(g_events);
        return out;
    }
};

void Key(HWND w, WPARAM key) {
    Send(w, WM_KEYDOWN, key, 1);
}

} // namespace

template <> struct doctest::StringMaker<Events> {
    static String convert(const Events &events) {
        String out = "{";
        for (const auto &[event, child] : events) {
            char one[32];
            wsprintfA(one, "(%X, %ld) ", static_cast<unsigned>(event & 0xFFF), child);
            out += one;
        }
        return out + "}";
    }
};

TEST_CASE("keys, clicks and messages report focus, selection, state, order and text") {
    Parent parent;
    HWND tree = parent.Tree();
    AddItems(tree, {{"c", 0}, {"c1", 1}, {"c2", 1}, {"a", 0}, {"b", 0}});
    SetFocus(tree);
    Recorder rec(tree);

    // Keys in single-selection mode: the caret (focus) and the selection move together.
    Key(tree, VK_DOWN);
    CHECK(rec.Take() == Events{{kFocus, 2}, {kSel, 2}});
    Key(tree, VK_DOWN);
    CHECK(rec.Take() == Events{{kRemove, 2}, {kFocus, 3}, {kSel, 3}});
    // Collapsing the parent of the caret moves the focus to it; expanding reports the state.
    Send(tree, LUMTREEM_SETCARET, 2);
    rec.Take();
    Send(tree, LUMTREEM_EXPAND, 0, 0);
    CHECK(rec.Take() == Events{{kFocus, 1}, {kState, 1}});
    Send(tree, LUMTREEM_EXPAND, 0, 1);
    CHECK(rec.Take() == Events{{kState, 1}});
    Send(tree, LUMTREEM_EXPAND, 0, 1); // already expanded: nothing changes
    Send(tree, LUMTREEM_ENABLEITEM, 3, 0);
    CHECK(rec.Take() == Events{{kState, 4}});

    // Texts: column 0 is the name, the other columns the description.
    Send(tree, LUMTREEM_SETTEXT, 3, Ptr("renamed"));
    CHECK(rec.Take() == Events{{kName, 4}});
    TreeColumnInfo columns[2] = {{90, 0, 0, nullptr}, {-1, 0, 0, nullptr}};
    HWND wide = parent.Tree(kNotifyStyle, 200, 0, 200, 200, 101);
    REQUIRE(SendI(wide, LUMTREEM_SETCOLUMNINFO, 2, Ptr(columns)) == 1);
    AddFlat(wide, 2);
    Send(wide, LUMTREEM_SETTEXTCOLUMN, 1);
    rec.Take();
    g_watched = wide;
    Send(wide, LUMTREEM_SETTEXT, 1, Ptr("cell"));
    CHECK(rec.Take() == Events{{kDescription, 2}});
    g_watched = tree;

    // Structure: sorting, moving, inserting and deleting reorder the children.
    Send(tree, LUMTREEM_SETCARET, 0);
    rec.Take();
    Send(tree, LUMTREEM_SORTCHILDREN, WPARAM(-1), 0);
    Events sorted = rec.Take();
    REQUIRE(!sorted.empty());
    CHECK(sorted.back() == std::pair<DWORD, LONG>{kReorder, CHILDID_SELF});
    Send(tree, LUMTREEM_DELETEITEM, 4);
    CHECK(rec.Take() == Events{{kReorder, CHILDID_SELF}});
    Send(tree, LUMTREEM_ADDITEM, 0, Ptr("new"));
    CHECK(rec.Take() == Events{{kReorder, CHILDID_SELF}});

    // Without the focus the caret moves silently.
    SetFocus(parent.hwnd());
    rec.Take();
    Send(tree, LUMTREEM_SETCARET, 3);
    CHECK(rec.Take() == Events{});
    // The focus coming back names the caret item.
    SetFocus(tree);
    Events back = rec.Take();
    CHECK(std::count(back.begin(), back.end(), std::pair<DWORD, LONG>{kFocus, 4}) == 1);

    // Out-of-context events of a window that is gone are dropped: the destruction is recorded
    // by a hook called in context.
    HWINEVENTHOOK inContext =
        SetWinEventHook(kDestroy, kDestroy, GetModuleHandleA(nullptr), &Record,
                        GetCurrentProcessId(), 0, WINEVENT_INCONTEXT);
    REQUIRE(inContext);
    DestroyWindow(tree);
    UnhookWinEvent(inContext);
    CHECK(rec.Take() == Events{{kDestroy, CHILDID_SELF}});
}

TEST_CASE("multiple selection: changes one by one, long ranges as one change within") {
    Parent parent;
    HWND tree = parent.Tree(kMulti);
    AddFlat(tree, 40);
    SetFocus(tree);
    Recorder rec(tree);
    Send(tree, LUMTREEM_SELECTITEM, 1, 2);
    CHECK(rec.Take() == Events{{kAdd, 3}});
    Send(tree, LUMTREEM_SELECTRANGE, 1, MAKELPARAM(4, 6));
    CHECK(rec.Take() == Events{{kAdd, 5}, {kAdd, 6}, {kAdd, 7}});
    Send(tree, LUMTREEM_SELECTITEM, 0, 5);
    CHECK(rec.Take() == Events{{kRemove, 6}});
    // Shift+Down without an anchor: the new caret item alone is selected, the rest cleared.
    {
        Modifiers shift(true, false);
        Key(tree, VK_DOWN);
    }
    CHECK(rec.Take() == Events{{kRemove, 3}, {kRemove, 5}, {kRemove, 7}, {kFocus, 2}, {kAdd, 2}});
    Send(tree, LUMTREEM_SELECTITEM, 1, -1);
    CHECK(rec.Take() == Events{{kWithin, CHILDID_SELF}});
}
