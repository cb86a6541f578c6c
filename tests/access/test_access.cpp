// Accessibility: the control as a client sees it through AccessibleObjectFromWindow, checked
// against the control's own messages on random trees; the actions an automation client takes.
#include "../support/query.h"

#include <oleacc.h>

#include <cstdlib>
#include <string>

using namespace lt;

namespace {

constexpr IID kIidAccessible = {
    0x618736e0, 0x3c3d, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};
const HRESULT g_com = CoInitialize(nullptr);
constexpr DWORD kMulti = kNotifyStyle | LUMTREESTYLE_MULTIPLESEL;
constexpr int kButton = LUMTREEN_LBUTTONDOWN + LUMTREEHIT_BUTTON;

VARIANT Id(LONG id) {
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_I4;
    v.lVal = id;
    return v;
}

std::string Narrow(BSTR text) {
    char out[512] = "";
    if (text) WideCharToMultiByte(CP_ACP, 0, text, -1, out, sizeof(out), nullptr, nullptr);
    SysFreeString(text);
    return out;
}

// The accessible object of a window, as a client gets it.
struct Acc {
    IAccessible *p = nullptr;
    explicit Acc(HWND w) {
        REQUIRE(AccessibleObjectFromWindow(w, OBJID_CLIENT, kIidAccessible,
                                           reinterpret_cast<void **>(&p)) == S_OK);
    }
    explicit Acc(IDispatch *d) {
        REQUIRE(d);
        REQUIRE(d->QueryInterface(kIidAccessible, reinterpret_cast<void **>(&p)) == S_OK);
        d->Release();
    }
    ~Acc() { p->Release(); }

    std::string Text(HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, BSTR *), LONG id) {
        BSTR s = nullptr;
        (p->*get)(Id(id), &s);
        return Narrow(s);
    }
    std::string Name(LONG id) { return Text(&IAccessible::get_accName, id); }
    std::string Value(LONG id) { return Text(&IAccessible::get_accValue, id); }
    std::string Action(LONG id) { return Text(&IAccessible::get_accDefaultAction, id); }
    LONG Get(HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, VARIANT *), LONG id) {
        VARIANT v;
        REQUIRE((p->*get)(Id(id), &v) == S_OK);
        return v.lVal;
    }
    LONG Role(LONG id) { return Get(&IAccessible::get_accRole, id); }
    LONG State(LONG id) { return Get(&IAccessible::get_accState, id); }
    LONG Count() {
        LONG n = -1;
        REQUIRE(p->get_accChildCount(&n) == S_OK);
        return n;
    }
    LONG Navigate(LONG id, LONG dir) {
        VARIANT end;
        return p->accNavigate(dir, Id(id), &end) == S_OK && end.vt == VT_I4 ? end.lVal : 0;
    }
    // Location in client coordinates of w; empty when the object reports none.
    RECT Location(HWND w, LONG id) {
        LONG x, y, cx, cy;
        if (p->accLocation(&x, &y, &cx, &cy, Id(id)) != S_OK) return RECT{};
        RECT r{x, y, x + cx, y + cy};
        MapWindowPoints(nullptr, w, reinterpret_cast<POINT *>(&r), 2);
        return r;
    }
    VARIANT HitTest(HWND w, int x, int y) {
        POINT pt{x, y};
        ClientToScreen(w, &pt);
        VARIANT v;
        VariantInit(&v);
        p->accHitTest(pt.x, pt.y, &v);
        return v;
    }
    IDispatch *Child(LONG id) {
        IDispatch *d = nullptr;
        p->get_accChild(Id(id), &d);
        return d;
    }
};

bool SameRect(const RECT &a, const RECT &b) {
    return EqualRect(&a, &b) != 0 || (IsRectEmpty(&a) && IsRectEmpty(&b));
}

// A random tree of n items: levels that go at most one deeper, some subtrees collapsed, some
// items disabled, some selected, the view scrolled somewhere.
void RandomTree(HWND tree, int n, unsigned seed, bool multi) {
    srand(seed);
    int level = 0;
    char text[32];
    for (int i = 0; i < n; ++i) {
        wsprintfA(text, "Node %d-%u", i, seed);
        Send(tree, LUMTREEM_ADDITEM, 0, Ptr(text));
        level = i == 0 ? 0 : rand() % (level + 2);
        Send(tree, LUMTREEM_SETLEVEL, WPARAM(i), level);
    }
    for (int k = 0; k < n / 6; ++k) Send(tree, LUMTREEM_EXPAND, WPARAM(rand() % n), 0);
    for (int k = 0; k < n / 8; ++k) Send(tree, LUMTREEM_ENABLEITEM, WPARAM(rand() % n), 0);
    for (int k = 0, r; k < (multi ? n / 5 : 1); ++k) {
        r = rand() % n;
        Send(tree, multi ? LUMTREEM_SELECTITEM : LUMTREEM_SETSELECTION, multi ? 1 : WPARAM(r), r);
    }
    Send(tree, LUMTREEM_SETCARET, WPARAM(rand() % n));
    Send(tree, LUMTREEM_SETTOPINDEX, WPARAM(rand() % n));
}

// The shown item after (step 1) or before (step -1) i, by the shown flags; -1 for none.
int ShownNeighbour(HWND tree, int i, int step) {
    const int n = SendI(tree, LUMTREEM_GETCOUNT);
    for (int j = i + step; j >= 0 && j < n; j += step)
        if (SendI(tree, LUMTREEM_ISSHOWN, WPARAM(j))) return j;
    return -1;
}

} // namespace

TEST_CASE("items read through the accessible object agree with the control's messages") {
    REQUIRE(SUCCEEDED(g_com));
    for (unsigned seed : {1u, 2u, 3u, 4u}) {
        CAPTURE(seed);
        const bool multi = seed % 2 == 0;
        Parent parent(300, 340);
        HWND tree = parent.Tree(multi ? kMulti : kNotifyStyle, 0, 0, 240, 300);
        const int n = 70;
        RandomTree(tree, n, seed, multi);
        if (seed == 3) SetFocus(tree);
        Send(tree, LUMTREEM_SHOWHEADER, seed % 2);
        Send(tree, LUMTREEM_SHOWLABELS, 5);
        Acc acc(tree);
        // The header bar and the row labels follow the items, one label per item.
        Acc header(acc.Child(n + 1)), labels(acc.Child(n + 2));
        RECT bar{};
        Send(tree, LUMTREEM_GETCOLUMNHEADERRECT, WPARAM(-1), Ptr(&bar));
        CHECK(SameRect(header.Location(tree, CHILDID_SELF), seed % 2 ? bar : RECT{}));
        CHECK(((header.State(CHILDID_SELF) & STATE_SYSTEM_INVISIBLE) != 0) == (seed % 2 == 0));
        CHECK((labels.Count() == n && labels.Role(2) == ROLE_SYSTEM_ROWHEADER));
        CHECK((acc.Role(CHILDID_SELF) == ROLE_SYSTEM_OUTLINE && acc.Count() == n + 2));
        const LONG self = acc.State(CHILDID_SELF);
        CHECK(((self & STATE_SYSTEM_MULTISELECTABLE) != 0) == multi);
        CHECK(((self & STATE_SYSTEM_FOCUSED) != 0) == (seed == 3));

        const bool focused = GetFocus() == tree;
        const int caret = SendI(tree, LUMTREEM_GETCARET);
        auto ask = [&](UINT msg, int i, LPARAM lp = 0) { return SendI(tree, msg, WPARAM(i), lp); };
        for (int i = 0; i < n; ++i) {
            CAPTURE(i);
            const LONG id = i + 1, state = acc.State(id);
            CHECK(acc.Name(id) + "|" + acc.Value(id) ==
                  TextOf(tree, i) + "|" + std::to_string(ask(LUMTREEM_GETLEVEL, i)));
            CHECK(acc.Role(id) == ROLE_SYSTEM_OUTLINEITEM);
            const bool shown = ask(LUMTREEM_ISSHOWN, i) == 1;
            const RECT row = RowRect(tree, i);
            const int firstChild = ask(LUMTREEM_GETCHILD, i, 1);
            const bool expanded = ask(LUMTREEM_ISEXPANDED, i) == 1;
            // Each state bit against what the messages say.
            const std::pair<LONG, bool> bits[] = {
                {STATE_SYSTEM_INVISIBLE, !shown},
                {STATE_SYSTEM_OFFSCREEN, shown && IsRectEmpty(&row)},
                {STATE_SYSTEM_SELECTED, ask(LUMTREEM_ISSELECTED, i) == 1},
                {STATE_SYSTEM_UNAVAILABLE, ask(LUMTREEM_ISENABLED, i) == 0},
                {STATE_SYSTEM_EXPANDED, expanded},
                {STATE_SYSTEM_COLLAPSED, firstChild >= 0 && !expanded},
                {STATE_SYSTEM_FOCUSED, focused && i == caret},
                {STATE_SYSTEM_MULTISELECTABLE, multi},
                {STATE_SYSTEM_SELECTABLE, true}};
            for (const auto &bit : bits) {
                CAPTURE(bit.first);
                CHECK(((state & bit.first) != 0) == bit.second);
            }
            CHECK(SameRect(acc.Location(tree, id), row));
            RECT label{};
            Send(tree, LUMTREEM_GETLABELRECT, WPARAM(i), Ptr(&label));
            CHECK(SameRect(labels.Location(tree, id), label));
            if (!IsRectEmpty(&row)) {
                VARIANT hit = acc.HitTest(tree, row.left + 1, row.bottom - 1);
                CHECK((hit.vt == VT_I4 && hit.lVal == id));
            }
            const int lastChild = firstChild < 0 ? -1 : ask(LUMTREEM_GETSIBLING, firstChild, 2);
            const std::pair<LONG, int> moves[] = {{NAVDIR_LEFT, ask(LUMTREEM_GETPARENT, i)},
                                                  {NAVDIR_FIRSTCHILD, firstChild},
                                                  {NAVDIR_LASTCHILD, lastChild},
                                                  {NAVDIR_NEXT, ask(LUMTREEM_GETSIBLING, i, 4)},
                                                  {NAVDIR_PREVIOUS, ask(LUMTREEM_GETSIBLING, i, 3)},
                                                  {NAVDIR_DOWN, ShownNeighbour(tree, i, 1)},
                                                  {NAVDIR_UP, ShownNeighbour(tree, i, -1)}};
            for (const auto &move : moves) {
                CAPTURE(move.first);
                CHECK(acc.Navigate(id, move.first) == move.second + 1);
            }
        }
        CHECK(acc.Navigate(CHILDID_SELF, NAVDIR_FIRSTCHILD) == 1);
        CHECK(acc.Navigate(CHILDID_SELF, NAVDIR_LASTCHILD) == ShownNeighbour(tree, n, -1) + 1);

        // The focus and the selection.
        VARIANT v;
        REQUIRE(SUCCEEDED(acc.p->get_accFocus(&v)));
        CHECK((focused ? v.vt == VT_I4 && v.lVal == caret + 1 : v.vt == VT_EMPTY));
        REQUIRE(SUCCEEDED(acc.p->get_accSelection(&v)));
        std::vector<int> seen, want;
        for (int i = 0; i < n; ++i)
            if (SendI(tree, LUMTREEM_ISSELECTED, WPARAM(i)) == 1) want.push_back(i + 1);
        if (v.vt == VT_I4) seen.push_back(v.lVal);
        if (v.vt == VT_UNKNOWN) {
            IEnumVARIANT *list = nullptr;
            REQUIRE(v.punkVal->QueryInterface(IID_IEnumVARIANT, (void **)&list) == S_OK);
            v.punkVal->Release();
            VARIANT one;
            ULONG got = 0;
            while (list->Next(1, &one, &got) == S_OK && got == 1) seen.push_back(one.lVal);
            list->Release();
        }
        CHECK(seen == want);
        CHECK(acc.p->get_accRole(Id(n + 3), &v) == E_INVALIDARG); // beyond the list
    }
}

TEST_CASE("default actions and selection flags go through the control's own steps") {
    Parent parent;
    HWND tree = parent.Tree(kNotifyStyle);
    AddItems(tree, {{"a", 0}, {"a1", 1}, {"a2", 1}, {"b", 0}, {"b1", 1}});
    Send(tree, LUMTREEM_EXPAND, 0, 0);
    // The parent answers a button press by expanding or collapsing the caret item.
    parent.onMessage = [&](UINT msg, WPARAM wp, LPARAM, LRESULT *) {
        if (msg == WM_COMMAND && HIWORD(wp) == kButton) {
            int caret = SendI(tree, LUMTREEM_GETCARET);
            Send(tree, LUMTREEM_EXPAND, WPARAM(caret), !SendI(tree, LUMTREEM_ISEXPANDED, caret));
        }
        return false;
    };
    Acc acc(tree);
    CHECK(acc.Action(1) + "|" + acc.Action(4) + "|" + acc.Action(5) == "Expand|Collapse|Select");
    // clang-format off
    const struct { LONG id; Codes codes; int expanded; } actions[] = {
        {4, {LUMTREEN_CARETCHANGE, LUMTREEN_SELCHANGE, kButton}, 0},
        {1, {LUMTREEN_SELCLEAR, LUMTREEN_CARETCHANGE, LUMTREEN_SELCHANGE, kButton}, 1},
        {3, {LUMTREEN_SELCLEAR, LUMTREEN_CARETCHANGE, LUMTREEN_SELCHANGE}, 1}};
    // clang-format on
    for (const auto &action : actions) {
        CAPTURE(action.id);
        parent.Clear();
        REQUIRE(acc.p->accDoDefaultAction(Id(action.id)) == S_OK);
        CHECK(parent.Codes(tree) == action.codes);
        CHECK(SendI(tree, LUMTREEM_ISEXPANDED, WPARAM(action.id > 3 ? 3 : 0)) == action.expanded);
    }
    CHECK(SendI(tree, LUMTREEM_GETSELECTION) == 2);
    // Without the notify style the button press is still reported, as the keys report it.
    SetWindowLongA(tree, GWL_STYLE, GetWindowLongA(tree, GWL_STYLE) & ~LUMTREESTYLE_NOTIFY);
    parent.Clear();
    REQUIRE(acc.p->accDoDefaultAction(Id(1)) == S_OK);
    CHECK((parent.Codes(tree) == Codes{kButton} && SendI(tree, LUMTREEM_ISEXPANDED, 0) == 0));

    // Single selection: taking the selection and the focus; removing is refused.
    CHECK(acc.p->accSelect(SELFLAG_TAKESELECTION, Id(4)) == S_OK);
    CHECK(acc.p->accSelect(SELFLAG_REMOVESELECTION, Id(4)) == E_INVALIDARG);
    CHECK(acc.p->accSelect(SELFLAG_TAKEFOCUS, Id(1)) == S_OK);
    CHECK((GetFocus() == tree && SendI(tree, LUMTREEM_GETCARET) == 0));
    CHECK(SendI(tree, LUMTREEM_GETSELECTION) == 3);

    // Multiple selection: adding, removing and extending from the anchor.
    HWND multi = parent.Tree(kMulti, 200, 0, 200, 200, 101);
    AddFlat(multi, 8);
    Acc m(multi);
    // clang-format off
    const struct { LONG flags, id; Codes after; } steps[] = {
        {SELFLAG_TAKESELECTION, 2, {1}}, {SELFLAG_ADDSELECTION, 5, {1, 4}},
        {SELFLAG_EXTENDSELECTION | SELFLAG_ADDSELECTION, 7, {1, 4, 5, 6}},
        {SELFLAG_REMOVESELECTION, 6, {1, 4, 6}}, {SELFLAG_TAKESELECTION, 8, {7}}};
    // clang-format on
    for (const auto &step : steps) {
        CHECK(m.p->accSelect(step.flags, Id(step.id)) == S_OK);
        Codes selected;
        for (int i = 0; i < 8; ++i)
            if (SendI(multi, LUMTREEM_ISSELECTED, WPARAM(i)) == 1) selected.push_back(i);
        CHECK(selected == step.after);
    }
    CHECK(SendI(multi, LUMTREEM_GETCARET) == 7);
}

TEST_CASE("null pointers and unknown flags are refused; a control that is gone gives errors") {
    Parent parent;
    HWND tree = parent.Tree();
    AddItems(tree, {{"a", 0}, {"b", 1}});
    Acc acc(tree);
    IAccessible *p = acc.p;
    LONG x;
    VARIANT v;
    CHECK(p->get_accName(Id(1), nullptr) == E_POINTER);
    CHECK(p->accLocation(nullptr, &x, &x, &x, Id(1)) == E_POINTER);
    CHECK((p->accNavigate(99, Id(1), &v) == S_FALSE && v.vt == VT_EMPTY));
    CHECK(p->accSelect(0x100, Id(2)) == E_INVALIDARG);
    Acc header(acc.Child(3));
    DestroyWindow(tree);
    CHECK(header.p->get_accChildCount(&x) == CO_E_OBJNOTCONNECTED);
    CHECK(p->get_accState(Id(1), &v) == CO_E_OBJNOTCONNECTED);
    CHECK(p->accDoDefaultAction(Id(1)) == CO_E_OBJNOTCONNECTED);
}
