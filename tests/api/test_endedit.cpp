// The end-edit request before every change: the parent finds the list as it was, and a parent
// that changes the list while answering does not break the change that asked.
#include "../support/harness.h"

using namespace lt;

namespace {

void Reset(HWND tree) {
    Send(tree, LUMTREEM_DELETEALL);
    AddItems(tree, {{"a", 0}, {"b", 1}, {"c", 2}, {"d", 1}, {"e", 0}, {"f", 1}});
}

// Every index answers, every parent comes before its child, the count matches the outline.
bool Consistent(HWND tree) {
    const int n = SendI(tree, LUMTREEM_GETCOUNT);
    for (int i = 0; i < n; ++i) {
        const int level = SendI(tree, LUMTREEM_GETLEVEL, static_cast<WPARAM>(i));
        if (level < 0 || level > 64 || SendI(tree, LUMTREEM_GETPARENT, WPARAM(i)) >= i)
            return false;
    }
    return SendI(tree, LUMTREEM_GETLEVEL, static_cast<WPARAM>(n)) == -1;
}

HWND victim = nullptr;
INT CALLBACK DeleteFirstToo(HWND, INT, DWORD_PTR, DWORD_PTR) {
    if (SendI(victim, LUMTREEM_GETCOUNT) > 0) Send(victim, LUMTREEM_DELETEITEM, 0);
    return 0;
}

} // namespace

TEST_CASE("the editor is asked to end while the list is still as it was") {
    Parent parent;
    HWND tree = parent.Tree(), editor = nullptr;
    int countAsked = -1;
    // The application writes its editor's text back to item 4 (e) and destroys the editor.
    parent.onMessage = [&](UINT msg, WPARAM wp, LPARAM, LRESULT *) {
        if (msg == WM_COMMAND && HIWORD(wp) == LUMTREEN_ENDEDIT && editor) {
            countAsked = SendI(tree, LUMTREEM_GETCOUNT);
            Send(tree, LUMTREEM_SETTEXT, 4, Ptr("new"));
            DestroyWindow(editor);
            editor = nullptr;
        }
        return false;
    };
    // clang-format off
    const struct { UINT msg; WPARAM wp; LPARAM lp; bool collapse; const char *after; } cases[] = {
        {LUMTREEM_DELETEITEM, 0, 0, false, "b c d new f"}, {LUMTREEM_DELETEALL, 0, 0, false, ""},
        {LUMTREEM_DELETEITEM, 0, 0, true, "new f"}, {LUMTREEM_DELETECHILDREN, 0, 0, false, "a new f"},
        {LUMTREEM_MOVEITEM, 3, 6, false, "a b c new f d"},
        {LUMTREEM_INSERTITEM, 0, Ptr("x"), false, "x a b c d new f"}};
    // clang-format on
    for (const auto &c : cases) {
        CAPTURE(c.after);
        Reset(tree);
        if (c.collapse) Send(tree, LUMTREEM_EXPAND, 0, 0);
        editor = PlaceEditor(tree);
        countAsked = -1;
        Send(tree, c.msg, c.wp, c.lp);
        CHECK((countAsked == 6 && OutlineOf(tree, false) == c.after));
    }
}

TEST_CASE("a parent that changes the list while answering does not break the change") {
    Parent parent;
    HWND tree = parent.Tree();
    HBITMAP bm = CreateBitmap(8, 8, 1, 1, nullptr);
    // The parent keeps its editor open and answers the first request with a change of its own.
    // clang-format off
    const struct { UINT msg; WPARAM wp; LPARAM lp; } answers[] = {
        {LUMTREEM_DELETEALL, 0, 0}, {LUMTREEM_ADDITEM, 0, Ptr("late")}, {LUMTREEM_EXPAND, 0, 0}},
    changes[] = {
        {LUMTREEM_DELETEITEM, 5, 0}, {LUMTREEM_DELETEITEM, 0, 0}, {LUMTREEM_DELETECHILDREN, 4, 0},
        {LUMTREEM_DELETECHILDREN, 0, 0}, {LUMTREEM_INSERTITEM, 5, 0}, {LUMTREEM_SETLEVEL, 5, 3},
        {LUMTREEM_EXPAND, 4, 1}, {LUMTREEM_SHOWITEM, 2, 1}, {LUMTREEM_COPYITEM, 5, 1},
        {LUMTREEM_MOVEITEM, 0, 6}, {LUMTREEM_MOVEITEM, 5, 0}, {LUMTREEM_SETBITMAP, 5, Ptr(bm)},
        {LUMTREEM_SETNODEBITMAP, 5, Ptr(bm)}, {LUMTREEM_SORTCHILDREN, 0, 0},
        {LUMTREEM_ENSUREVISIBLE, 5, 0}};
    // clang-format on
    for (const auto &a : answers) {
        for (const auto &c : changes) {
            CAPTURE(a.msg * 1000 + c.msg);
            Reset(tree);
            Send(tree, LUMTREEM_EXPAND, 4, 0);
            PlaceEditor(tree);
            bool answered = false;
            parent.onMessage = [&](UINT msg, WPARAM wp, LPARAM, LRESULT *) {
                if (msg == WM_COMMAND && HIWORD(wp) == LUMTREEN_ENDEDIT && !answered) {
                    answered = true;
                    Send(tree, a.msg, a.wp, a.lp);
                }
                return false;
            };
            Send(tree, c.msg, c.wp, c.lp);
            DestroyWindow(GetWindow(tree, GW_CHILD));
            CHECK((answered && Consistent(tree)));
            PrintClient(tree);
        }
    }
    // A deletion callback that deletes another item while a run is being deleted.
    victim = tree;
    parent.onMessage = nullptr;
    Send(tree, LUMTREEM_DELETEALL);
    AddItems(tree, {{"a", 0}, {"b", 0}, {"c", 1}, {"d", 1}, {"e", 0}});
    Send(tree, LUMTREEM_EXPAND, 1, 0);
    TreeDeleteCallback cb{DeleteFirstToo, 0};
    Send(tree, LUMTREEM_SETDELETECALLBACK, 0, Ptr(&cb));
    Send(tree, LUMTREEM_DELETEITEM, 1);
    CHECK(Consistent(tree));
    Send(tree, LUMTREEM_SETDELETECALLBACK, 0, 0);
    HANDLE heaps[64];
    const DWORD n = GetProcessHeaps(64, heaps);
    for (DWORD h = 0; h < n && h < 64; ++h) CHECK(HeapValidate(heaps[h], 0, nullptr));
    DeleteObject(bm);
}
