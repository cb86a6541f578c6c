// The end-edit request before every change: a parent that ends its in-place editing by writing
// the editor's text back to the edited item must find the list as it was, and a parent that
// changes the list while answering must not break the change that asked.
#include "../support/harness.h"

using namespace lt;

namespace {

std::string Texts(HWND tree) {
    return OutlineOf(tree, false);
}

// An application that edits item `edited` in place: on LUMTREEN_ENDEDIT it writes the
// editor's text back to that item and destroys the editor.
struct Editing {
    Parent &parent;
    HWND tree;
    int edited = -1;
    std::vector<int> countsAsked; // item count at each request
    HWND editor = nullptr;

    Editing(Parent &p, HWND t) : parent(p), tree(t) {
        parent.onMessage = [this](UINT msg, WPARAM wp, LPARAM, LRESULT *) {
            if (msg != WM_COMMAND || HIWORD(wp) != LUMTREEN_ENDEDIT) return false;
            countsAsked.push_back(SendI(tree, LUMTREEM_GETCOUNT));
            if (editor) {
                char text[64];
                GetWindowTextA(editor, text, sizeof(text));
                Send(tree, LUMTREEM_SETTEXT, static_cast<WPARAM>(edited), Ptr(text));
                DestroyWindow(editor);
                editor = nullptr;
            }
            return false;
        };
    }
    void Open(int item) {
        edited = item;
        editor = CreateWindowExA(0, "EDIT", "new", WS_CHILD | WS_VISIBLE, 0, 0, 60, 16, tree,
                                 nullptr, nullptr, nullptr);
        countsAsked.clear();
    }
};

} // namespace

TEST_CASE("the editor is asked to end while the list is still as it was") {
    Parent parent;
    HWND tree = parent.Tree();
    Editing app(parent, tree);
    const struct {
        const char *name;
        UINT msg;
        WPARAM wp;
        LPARAM lp;
        bool collapse;
        const char *after;
    } cases[] = {// The edited item is e (index 4); each change removes or moves items before it.
                 {"delete an expanded item", LUMTREEM_DELETEITEM, 0, 0, false, "b c d new f"},
                 {"delete a collapsed subtree", LUMTREEM_DELETEITEM, 0, 0, true, "new f"},
                 {"delete children", LUMTREEM_DELETECHILDREN, 0, 0, false, "a new f"},
                 {"move an item", LUMTREEM_MOVEITEM, 3, 6, false, "a b c new f d"},
                 {"insert an item", LUMTREEM_INSERTITEM, 0, Ptr("x"), false, "x a b c d new f"},
                 {"delete everything", LUMTREEM_DELETEALL, 0, 0, false, ""}};
    for (const auto &c : cases) {
        const std::string name = c.name;
        CAPTURE(name);
        Send(tree, LUMTREEM_DELETEALL);
        AddItems(tree, {{"a", 0}, {"b", 1}, {"c", 2}, {"d", 1}, {"e", 0}, {"f", 1}});
        if (c.collapse) Send(tree, LUMTREEM_EXPAND, 0, 0);
        app.Open(4);
        Send(tree, c.msg, c.wp, c.lp);
        REQUIRE(!app.countsAsked.empty());
        CHECK(app.countsAsked.front() == 6);
        CHECK(Texts(tree) == c.after);
    }
}

namespace {

bool HeapsValid() {
    HANDLE heaps[64];
    DWORD n = GetProcessHeaps(64, heaps);
    for (DWORD h = 0; h < n && h < 64; ++h) {
        if (!HeapValidate(heaps[h], 0, nullptr)) return false;
    }
    return true;
}

// Every index answers, every parent comes before its child, the count matches the outline.
bool Consistent(HWND tree) {
    const int n = SendI(tree, LUMTREEM_GETCOUNT);
    for (int i = 0; i < n; ++i) {
        const int level = SendI(tree, LUMTREEM_GETLEVEL, static_cast<WPARAM>(i));
        const int parent = SendI(tree, LUMTREEM_GETPARENT, static_cast<WPARAM>(i));
        if (level < 0 || level > 64 || parent >= i) return false;
    }
    return SendI(tree, LUMTREEM_GETLEVEL, static_cast<WPARAM>(n)) == -1;
}

HWND victim = nullptr;
INT CALLBACK DeleteFirstToo(HWND, INT, DWORD_PTR, DWORD_PTR) {
    if (SendI(victim, LUMTREEM_GETCOUNT) > 0) Send(victim, LUMTREEM_DELETEITEM, 0);
    return 0;
}

} // namespace

TEST_CASE("a parent that changes the list while answering does not break the change") {
    Parent parent;
    HWND tree = parent.Tree();
    HBITMAP bm = CreateBitmap(8, 8, 1, 1, nullptr);
    // The parent keeps its editor open and answers the first request with a change of its own.
    enum Answer { DeleteAll, DeleteFirst, AddOne, Collapse };
    Answer answer = DeleteAll;
    bool answered = false;
    parent.onMessage = [&](UINT msg, WPARAM wp, LPARAM, LRESULT *) {
        if (msg != WM_COMMAND || HIWORD(wp) != LUMTREEN_ENDEDIT || answered) return false;
        answered = true;
        switch (answer) {
        case DeleteAll: Send(tree, LUMTREEM_DELETEALL); break;
        case DeleteFirst: Send(tree, LUMTREEM_DELETEITEM, 0); break;
        case AddOne: Send(tree, LUMTREEM_ADDITEM, 0, Ptr("late")); break;
        case Collapse: Send(tree, LUMTREEM_EXPAND, 0, 0); break;
        }
        return false;
    };
    const struct {
        UINT msg;
        WPARAM wp;
        LPARAM lp;
    } changes[] = {{LUMTREEM_DELETEITEM, 5, 0},
                   {LUMTREEM_DELETEITEM, 0, 0},
                   {LUMTREEM_DELETECHILDREN, 4, 0},
                   {LUMTREEM_DELETECHILDREN, 0, 0},
                   {LUMTREEM_INSERTITEM, 5, 0},
                   {LUMTREEM_SETLEVEL, 5, 3},
                   {LUMTREEM_EXPAND, 4, 1},
                   {LUMTREEM_SHOWITEM, 2, 1},
                   {LUMTREEM_COPYITEM, 5, 1},
                   {LUMTREEM_MOVEITEM, 0, 6},
                   {LUMTREEM_MOVEITEM, 5, 0},
                   {LUMTREEM_SETBITMAP, 5, Ptr(bm)},
                   {LUMTREEM_SETNODEBITMAP, 5, Ptr(bm)},
                   {LUMTREEM_SORTCHILDREN, 0, 0},
                   {LUMTREEM_ENSUREVISIBLE, 5, 0}};
    for (Answer a : {DeleteAll, DeleteFirst, AddOne, Collapse}) {
        for (const auto &c : changes) {
            CAPTURE(a);
            CAPTURE(c.msg);
            Send(tree, LUMTREEM_DELETEALL);
            AddItems(tree, {{"a", 0}, {"b", 1}, {"c", 2}, {"d", 1}, {"e", 0}, {"f", 1}});
            Send(tree, LUMTREEM_EXPAND, 4, 0);
            PlaceEditor(tree);
            answer = a;
            answered = false;
            Send(tree, c.msg, c.wp, c.lp);
            DestroyWindow(GetWindow(tree, GW_CHILD));
            CHECK(answered);
            CHECK(Consistent(tree));
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
    CHECK(HeapsValid());
    DeleteObject(bm);
}
