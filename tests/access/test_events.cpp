// WinEvents of the control, recorded by an out-of-context hook in this process while keys,
// clicks and messages change the control: the exact sequence of (event, child id) per action.
#include "../support/harness.h"

#include <algorithm>
#include <functional>
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
    TreeColumnInfo columns[2] = {{90, 0, 0, nullptr}, {-1, 0, 0, nullptr}};
    REQUIRE(SendI(tree, LUMTREEM_SETCOLUMNINFO, 2, Ptr(columns)) == 1);
    AddItems(tree, {{"c", 0}, {"c1", 1}, {"c2", 1}, {"a", 0}, {"b", 0}});
    SetFocus(tree);
    Recorder rec(tree);
    const Events reorder{{kReorder, CHILDID_SELF}};
    // Each step after the one before; a caret (focus) item collapsed away moves to its parent.
    const struct {
        std::function<void()> act;
        Events events;
    } steps[] = {
        {[&] { Key(tree, VK_DOWN); }, {{kFocus, 2}, {kSel, 2}}},
        {[&] { Key(tree, VK_DOWN); }, {{kRemove, 2}, {kFocus, 3}, {kSel, 3}}},
        {[&] { Send(tree, LUMTREEM_EXPAND, 0, 0); }, {{kFocus, 1}, {kState, 1}}},
        {[&] { Send(tree, LUMTREEM_EXPAND, 0, 1); }, {{kState, 1}}},
        {[&] { Send(tree, LUMTREEM_EXPAND, 0, 1); }, {}}, // already expanded
        {[&] { Send(tree, LUMTREEM_ENABLEITEM, 3, 0); }, {{kState, 4}}},
        // Column 0 is the name, the other columns the description.
        {[&] { Send(tree, LUMTREEM_SETTEXT, 3, Ptr("renamed")); }, {{kName, 4}}},
        {[&] { Send(tree, LUMTREEM_SETTEXTCOLUMN, 1); }, {}},
        {[&] { Send(tree, LUMTREEM_SETTEXT, 1, Ptr("cell")); }, {{kDescription, 2}}},
        {[&] { Send(tree, LUMTREEM_DELETEITEM, 4); }, reorder},
        {[&] { Send(tree, LUMTREEM_ADDITEM, 0, Ptr("new")); }, reorder},
        // Without the focus the caret moves silently.
        {[&] { SetFocus(parent.hwnd()), rec.Take(), Send(tree, LUMTREEM_SETCARET, 3); }, {}}};
    for (size_t i = 0; i < std::size(steps); ++i) {
        CAPTURE(i);
        steps[i].act();
        CHECK(rec.Take() == steps[i].events);
    }
    Send(tree, LUMTREEM_SORTCHILDREN, WPARAM(-1), 0);
    Events sorted = rec.Take();
    CHECK((!sorted.empty() && sorted.back() == reorder[0]));
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
