// The item store through its messages: played structural changes with the outline after each,
// queries, searches, the repaint and end-edit requests of each change, bad input.
#include "../support/harness.h"

#include <tuple>

using namespace lt;

namespace {

// Text and level of every item, joined by spaces; hidden items in brackets.
std::string Outline(HWND tree) {
    std::string out;
    for (int i = 0, n = SendI(tree, LUMTREEM_GETCOUNT); i < n; ++i) {
        char text[64] = "";
        SendI(tree, LUMTREEM_GETTEXT, static_cast<WPARAM>(i), Ptr(text));
        bool shown = SendI(tree, LUMTREEM_ISSHOWN, static_cast<WPARAM>(i)) == 1;
        out.append(i ? " " : "").append(shown ? "" : "[").append(text);
        out.append(std::to_string(SendI(tree, LUMTREEM_GETLEVEL, i))).append(shown ? "" : "]");
    }
    return out;
}

// Sends each message; checks its result and the outline after it.
using Step = std::tuple<UINT, WPARAM, LPARAM, int, const char *>;
void Play(HWND tree, std::initializer_list<Step> steps) {
    for (auto [msg, wp, lp, result, outline] : steps) {
        CAPTURE(outline);
        CHECK(SendI(tree, msg, wp, lp) == result);
        CHECK(Outline(tree) == outline);
    }
}

std::vector<std::pair<int, LPARAM>> deleted; // (index, data) for each deletion callback
INT CALLBACK RecordDeletion(HWND, INT index, DWORD_PTR data, DWORD_PTR callbackData) {
    deleted.push_back({index, static_cast<LPARAM>(data + callbackData)});
    return 0;
}

} // namespace

TEST_CASE("expanding, showing, inserting, levels, copying, moving, deleting; the scroll bar") {
    Parent parent;
    HWND tree = parent.Tree(kNotifyStyle | WS_VSCROLL);
    constexpr UINT E = LUMTREEM_EXPAND, S = LUMTREEM_SHOWITEM, L = LUMTREEM_SETLEVEL,
                   C = LUMTREEM_COPYITEM, M = LUMTREEM_MOVEITEM, D = LUMTREEM_DELETEITEM;
    constexpr LPARAM All = MAKELPARAM(1, 1);
    // One level shows the children only, also across level jumps; all levels stops where the first
    // child is shown. Level 0 cannot hide; hiding collapses the parent, showing expands ancestors.
    AddItems(tree, {{"a", 0}, {"b", 2}, {"c", 1}, {"d", 2}, {"e", 3}});
    // clang-format off
    Play(tree, {{E, 0, 0, 1, "a0 [b2] [c1] [d2] [e3]"}, {E, 0, 1, 1, "a0 b2 c1 [d2] [e3]"},
                {E, 0, All, 1, "a0 b2 c1 [d2] [e3]"}, {E, 3, 1, 0, "a0 b2 c1 [d2] [e3]"},
                {E, 0, 0, 1, "a0 [b2] [c1] [d2] [e3]"}, {E, 0, All, 1, "a0 b2 c1 d2 e3"},
                {S, 0, 0, 0, "a0 b2 c1 d2 e3"}, {S, 4, 0, 1, "a0 b2 c1 d2 [e3]"},
                {S, 2, 0, 1, "a0 [b2] [c1] [d2] [e3]"}, {S, 4, 1, 1, "a0 b2 c1 d2 e3"}});
    // Inserting at a hidden item shows it first; the new level-0 item takes over the children of
    // the one before it. Levels are clamped; a collapsed parent expands when an item joins it.
    Send(tree, LUMTREEM_DELETEALL);
    AddItems(tree, {{"a", 0}, {nullptr, 1}, {"end", 0}});
    Play(tree, {{E, 0, 0, 1, "a0 [1] end0"}, {LUMTREEM_INSERTITEM, 1, Ptr("x"), 1, "a0 x0 1 end0"},
                {L, 3, 100, 1, "a0 x0 1 end64"}, {L, 3, -5, 1, "a0 x0 1 end0"},
                {E, 1, 0, 1, "a0 x0 [1] end0"}, {L, 3, 3, 1, "a0 x0 1 end3"}});
    Send(tree, LUMTREEM_DELETEALL);
    AddItems(tree, {{"a", 0}, {"b", 1}, {"c", 2}, {"d", 1}, {"e", 0}, {"f", 1}});
    TreeDeleteCallback cb{RecordDeletion, 1000};
    CHECK(SendI(tree, LUMTREEM_SETDELETECALLBACK, 0, Ptr(&cb)) == 1);
    for (int i = 0; i < 6; ++i) Send(tree, LUMTREEM_SETDATA, i, 10 + i);
    HBITMAP bm = CreateBitmap(8, 8, 1, 1, nullptr);
    Send(tree, LUMTREEM_ENABLEITEM, 2, 0);
    Send(tree, LUMTREEM_SETNODEBITMAP, 2, Ptr(bm));
    // Moving down returns p - 1, up p. An expanded item is deleted alone, a collapsed one with
    // its subtree, each item announced at the same index; a move announces nothing.
    Play(tree, {{C, 2, 5, 5, "a0 b1 c2 d1 e0 c2 f1"}, {C, 0, -1, 7, "a0 b1 c2 d1 e0 c2 f1 a0"},
                {M, 2, 6, 5, "a0 b1 d1 e0 c2 c2 f1 a0"}, {M, 5, 0, 0, "c2 a0 b1 d1 e0 c2 f1 a0"},
                {D, 2, 0, 7, "c2 a0 d1 e0 c2 f1 a0"}, {E, 1, 0, 1, "c2 a0 [d1] e0 c2 f1 a0"},
                {D, 1, 0, 5, "c2 e0 c2 f1 a0"}, {LUMTREEM_DELETECHILDREN, 1, 0, 3, "c2 e0 a0"}});
    // Item 0 is a copy of a copy of c: its enabled flag and node bitmap came along.
    CHECK((SendI(tree, LUMTREEM_ISENABLED, 0) == 0 &&
           Send(tree, LUMTREEM_GETNODEBITMAP, 0) == Ptr(bm)));
    Send(tree, LUMTREEM_DELETEALL); // every item, in index order
    // A collapsed source leaves with its hidden descendants; the result is the copy's index.
    AddItems(tree, {{"a", 0}, {"b", 1}, {"c", 2}, {"d", 1}, {"e", 0}, {"f", 1}});
    Play(tree, {{E, 0, 0, 1, "a0 [b1] [c2] [d1] e0 f1"}, {M, 0, 5, 1, "e0 a0 f1"}});
    CHECK(deleted == decltype(deleted){{2, 1011}, {1, 1010}, {1, 1013}, {2, 1012}, {2, 1015},
                                       {0, 1012}, {1, 1014}, {2, 1010}});
    // clang-format on
    DeleteObject(bm);

    // A run deleted just before the top item lets a hidden item into the top's place: the top
    // follows its own item. A caret in the run goes to the item before it.
    Send(tree, LUMTREEM_DELETEALL);
    AddItems(tree, {{"a", 0}, {"p", 0}, {"q", 1}, {"t", 0}, {"u", 0}, {"v", 1}});
    AddFlat(tree, 60);
    Send(tree, LUMTREEM_EXPAND, 1, 0);
    Send(tree, LUMTREEM_EXPAND, 4, 0);
    Send(tree, LUMTREEM_SETCARET, 1);
    Send(tree, LUMTREEM_SETTOPINDEX, 3);
    CHECK(SendI(tree, LUMTREEM_DELETEITEM, 1) == 64);
    CHECK((SendI(tree, LUMTREEM_GETTOPINDEX) == 1 && SendI(tree, LUMTREEM_GETCARET) == 0));
    Send(tree, LUMTREEM_DELETEALL);
    AddFlat(tree, 61);
    for (int i = 1; i <= 60; ++i) Send(tree, LUMTREEM_SETLEVEL, i, 1);
    Send(tree, LUMTREEM_EXPAND, 0, 0);
    CHECK(SendI(tree, LUMTREEM_ENSUREVISIBLE, 50) == 0); // expands 0; onto the last whole row
    SCROLLINFO si{sizeof(si), SIF_ALL, 0, 0, 0, 0, 0};
    CHECK((GetScrollInfo(tree, SB_VERT, &si) && si.nMax == 60 &&
           SendI(tree, LUMTREEM_GETTOPINDEX) == 51 - SendI(tree, LUMTREEM_GETFULLROWS)));
}

TEST_CASE("tree queries, searches, item rectangles; bad indexes return failure, change nothing") {
    Parent parent;
    HWND tree = parent.Tree(kNotifyStyle, 0, 0, 200, 100);
    // 0:ABC0 1:abd2 2:AB1 3:(none)2 4:e2 5:f0 6:g1, then 20 items at level 0.
    AddItems(tree, {{"ABC", 0}, {"abd", 2}, {"AB", 1}, {nullptr, 2}, {"e", 2}, {"f", 0}, {"g", 1}});
    AddFlat(tree, 20);
    Send(tree, LUMTREEM_EXPAND, 0, 0);
    const auto big = static_cast<LPARAM>(0x123456789AULL);
    Send(tree, LUMTREEM_SETDATA, 1, big);
    // Parents, siblings and children of random trees are the fuzzer's; roots and bad kinds here.
    constexpr UINT P = LUMTREEM_GETPARENT, R = LUMTREEM_GETROOT, S = LUMTREEM_GETSIBLING,
                   C = LUMTREEM_GETCHILD, Pre = LUMTREEM_FINDPREFIX, T = LUMTREEM_FINDTEXT,
                   D = LUMTREEM_FINDDATA;
    constexpr int First = LUMTREESIBLING_FIRST, Last = LUMTREESIBLING_LAST;
    // Searches ignore case, include hidden items, skip items without text, never wrap around.
    // clang-format off
    const struct { UINT msg; int item; LPARAM arg; int expected; } cases[] = {
        {R, 4, 0, 0}, {R, 6, 0, 5}, {R, 5, 0, -1}, {S, 4, First, 3}, {S, 3, Last, 4},
        {S, 0, Last, 26}, {S, 1, 5, -1}, {C, 0, 3, -1},
        {Pre, 0, Ptr("ab"), 0}, {Pre, 1, Ptr("ab"), 1}, {T, 0, Ptr("ab"), 2}, {T, 3, Ptr("ab"), -1},
        {Pre, 3, Ptr(""), 4}, {T, 0, Ptr(""), -1}, {Pre, 0, Ptr("abcd"), -1}, {D, 0, big, 1},
        {D, 2, big, -1}, {D, 0, 0x3456789A, -1}};
    // clang-format on
    for (const auto &c : cases) {
        INFO(c.msg, " at ", c.item);
        CHECK(SendI(tree, c.msg, static_cast<WPARAM>(c.item), c.arg) == c.expected);
    }
    // Row r > 0 shows item r + 4; the last, partly shown row is cut at the client bottom.
    const int pageRows = SendI(tree, LUMTREEM_GETPAGEROWS);
    RECT rc{};
    CHECK(SendI(tree, LUMTREEM_GETITEMRECT, 1, Ptr(&rc)) == -1); // hidden
    CHECK((SendI(tree, LUMTREEM_GETITEMRECT, pageRows + 3, Ptr(&rc)) == 0 && rc.bottom == 100));
    CHECK((SendI(tree, LUMTREEM_GETITEMRECT, pageRows + 4, Ptr(&rc)) == -1 && IsRectEmpty(&rc)));
    // Without a level-0 item the root is the earliest item with a lower level.
    Send(tree, LUMTREEM_DELETEALL);
    AddItems(tree, {{"a", 3}, {"b", 4}, {"c", 2}, {"d", 4}});
    CHECK((SendI(tree, P, 0) == -1 && SendI(tree, LUMTREEM_ISSHOWN, 0) == 1));
    CHECK((SendI(tree, R, 3) == 0 && SendI(tree, R, 1) == 0 && SendI(tree, R, 2) == -1));
    // Bad indexes: the failure value, and nothing changes.
    const std::string before = Outline(tree);
    char buffer[16] = "junk";
    rc = {1, 2, 3, 4};
    // clang-format off
    const struct { UINT msg; LPARAM lp; LRESULT failure; } failures[] = {
        {LUMTREEM_DELETEITEM, 0, -1}, {LUMTREEM_DELETECHILDREN, 0, -1}, {LUMTREEM_SETLEVEL, 1, 0},
        {LUMTREEM_SHOWITEM, 0, 0}, {LUMTREEM_EXPAND, 1, 0}, {LUMTREEM_ISSHOWN, 0, 0},
        {LUMTREEM_ISEXPANDED, 0, 0}, {LUMTREEM_ENSUREVISIBLE, 0, 0}, {LUMTREEM_MOVEITEM, 0, -1},
        {LUMTREEM_COPYITEM, 0, -1}, {LUMTREEM_GETTEXT, Ptr(buffer), -1},
        {LUMTREEM_SETTEXT, Ptr("x"), 0},
        {LUMTREEM_GETBITMAP, 0, 0}, {LUMTREEM_GETNODEBITMAP, 0, 0}, {LUMTREEM_SETBITMAP, 0, 0},
        {LUMTREEM_SETNODEBITMAP, 0, 0}, {LUMTREEM_ISENABLED, 0, 0}, {LUMTREEM_ENABLEITEM, 1, 0},
        {LUMTREEM_GETDATA, 0, -1}, {LUMTREEM_SETDATA, 5, -1}, {LUMTREEM_GETITEMRECT, Ptr(&rc), -1},
        {LUMTREEM_FINDDATA, 0, -1}, {LUMTREEM_FINDPREFIX, Ptr(""), -1},
        {LUMTREEM_FINDTEXT, Ptr("a"), -1}, {LUMTREEM_SORTCHILDREN, 0, 0},
        {LUMTREEM_SORTCHILDRENCB, 0, 0}, {LUMTREEM_GETROOT, 1, -1}, {LUMTREEM_GETSIBLING, 1, -1},
        {LUMTREEM_GETCHILDCOUNT, 1, -1}, {LUMTREEM_GETCHILD, 1, -1}};
    // clang-format on
    for (const auto &c : failures) {
        // -1 names all items or the top level for these.
        const bool all = c.msg == LUMTREEM_SETBITMAP || c.msg == LUMTREEM_SORTCHILDREN ||
                         c.msg == LUMTREEM_SORTCHILDRENCB;
        for (WPARAM bad : {WPARAM(4), WPARAM(-7), all ? WPARAM(-2) : WPARAM(-1)}) {
            INFO(c.msg, " at ", bad);
            CHECK(Send(tree, c.msg, bad, c.lp) == c.failure);
        }
    }
    CHECK((buffer[0] == '\0' && IsRectEmpty(&rc) && Outline(tree) == before));
}

TEST_CASE("each change asks an editor to end first; setters repaint the row; null texts") {
    Parent parent;
    HWND tree = parent.Tree();
    AddItems(tree, {{"a", 0}, {"b", 1}, {"c", 2}, {"d", 1}, {"e", 0}, {"f", 1}});
    PlaceEditor(tree);
    HBITMAP bm = CreateBitmap(8, 8, 1, 1, nullptr);
    HBRUSH brush = CreateSolidBrush(0);
    // Row: exactly the row of item wp; Down: from that row to the bottom.
    enum Repaint { Skip, None, Row, Down };
    // clang-format off
    const struct { UINT msg; WPARAM wp; LPARAM lp; int result, asks; Repaint repaint; } cases[] = {
        {LUMTREEM_ADDITEM, 4, Ptr("x"), 6, 1, Down}, // from the previous sibling's row
        {LUMTREEM_INSERTITEM, 1, Ptr("y"), 1, 2, Skip}, // show, insert
        {LUMTREEM_DELETEITEM, 1, 0, 7, 1, Skip}, {LUMTREEM_EXPAND, 0, MAKELPARAM(0, 0), 1, 1, Skip},
        {LUMTREEM_DELETEITEM, 0, 0, 3, 4, Skip},      // with its 3 descendants: e f x
        {LUMTREEM_SETBITMAP, 0, Ptr(bm), 1, 2, Skip}, // a new size: the row height too
        {LUMTREEM_SETBITMAP, 1, Ptr(bm), 1, 1, Row}, {LUMTREEM_SETBITMAP, WPARAM(-1), 0, 1, 1, Skip},
        {LUMTREEM_SETDELETECALLBACK, 0, 0, 1, 1, None},
        {LUMTREEM_SORTCHILDREN, 99, 0, 0, 1, None},   // asked before the parent is checked
        {LUMTREEM_COPYITEM, 0, 2, 2, 4, Skip}, {LUMTREEM_MOVEITEM, 0, 3, 2, 5, Skip}, // f e e x
        {LUMTREEM_SETNODEBITMAP, 1, Ptr(brush), 0, 1, None}, // not a bitmap: asked, refused
        {LUMTREEM_SETBITMAP, 1, Ptr(brush), 0, 1, None},
        // Setters without a structural change, queries and searches ask nothing.
        {LUMTREEM_SETTEXT, 0, Ptr("t"), 1, 0, Row}, {LUMTREEM_SETDATA, 0, 5, 0, 0, None},
        // A null text is an empty one; null buffers are refused.
        {LUMTREEM_SETTEXT, 0, 0, 1, 0, Row}, {LUMTREEM_GETTEXTLENGTH, 0, 0, 0, 0, None},
        {LUMTREEM_GETTEXT, 0, 0, -1, 0, None}, {LUMTREEM_GETITEMRECT, 0, 0, -1, 0, None},
        {LUMTREEM_FINDTEXT, 0, 0, -1, 0, None}, {LUMTREEM_SETBITMAP, 9, Ptr(bm), 0, 0, None},
        {LUMTREEM_ENABLEITEM, 0, 0, 1, 0, Row}, {LUMTREEM_ENABLEITEM, 0, 0, 1, 0, None},
        {LUMTREEM_DELETECHILDREN, 1, 0, 4, 0, Skip}, {LUMTREEM_DELETEALL, 0, 0, 0, 1, Skip},
        {LUMTREEM_INSERTITEM, 0, 0, 0, 1, Skip}, {LUMTREEM_ADDITEM, 0, 0, 1, 1, Skip},
        // Turning drawing off asks (judged before); then nothing asks or repaints.
        {WM_SETREDRAW, 0, 0, 0, 1, None}, {LUMTREEM_ADDITEM, 0, Ptr("z"), 2, 0, None},
        {LUMTREEM_SORTCHILDREN, WPARAM(-1), 0, 1, 0, None}};
    // clang-format on
    for (const auto &c : cases) {
        CAPTURE(c.msg);
        RECT row{}, rc{}, client{};
        Send(tree, LUMTREEM_GETITEMRECT, c.wp, Ptr(&row));
        GetClientRect(tree, &client);
        UpdateWindow(tree);
        parent.Clear();
        CHECK(SendI(tree, c.msg, c.wp, c.lp) == c.result);
        CHECK(parent.Codes(tree) == Codes(c.asks, LUMTREEN_ENDEDIT));
        GetUpdateRect(tree, &rc, FALSE);
        if (c.repaint == Down) row.bottom = client.bottom;
        if (c.repaint == Row || c.repaint == Down) CHECK(EqualRect(&rc, &row));
        if (c.repaint == None) CHECK(IsRectEmpty(&rc));
    }
    DeleteObject(bm);
    DeleteObject(brush);
}

TEST_CASE("an editor placed by application code in the middle of a change is asked to end") {
    Parent parent;
    HWND tree = parent.Tree(kNotifyStyle);
    // A collapsed item with two children goes with them: three deletions, three callbacks.
    AddItems(tree, {{"a", 0}, {"b", 1}, {"c", 1}, {"d", 0}});
    Send(tree, LUMTREEM_EXPAND, 0, MAKELPARAM(0, 0));
    static HWND editor = nullptr, control = nullptr;
    control = tree;
    TreeDeleteCallback callback{[](HWND, INT, DWORD_PTR, DWORD_PTR) -> INT {
                                    if (!editor) editor = PlaceEditor(control);
                                    return 0;
                                },
                                0};
    Send(tree, LUMTREEM_SETDELETECALLBACK, 0, Ptr(&callback));
    parent.Clear();
    CHECK(SendI(tree, LUMTREEM_DELETEITEM, 0) == 1);
    // The requests all come before the first item leaves, when there was no editor yet; the
    // next change finds the editor the callback placed.
    CHECK(parent.Codes(tree).empty());
    Send(tree, LUMTREEM_ADDITEM, 0, Ptr("e"));
    CHECK(parent.Codes(tree) == Codes{LUMTREEN_ENDEDIT});
    // The same through a notification: the parent places the editor when the top row moves.
    DestroyWindow(editor);
    editor = nullptr;
    Send(tree, LUMTREEM_SETDELETECALLBACK, 0, 0);
    AddFlat(tree, 40);
    parent.onMessage = [&](UINT msg, WPARAM wp, LPARAM, LRESULT *) {
        if (msg == WM_COMMAND && HIWORD(wp) == LUMTREEN_TOPCHANGE && !editor) {
            editor = PlaceEditor(tree);
        }
        return false;
    };
    parent.Clear();
    Send(tree, LUMTREEM_ENSUREVISIBLE, 30); // scrolls, notifies
    Send(tree, LUMTREEM_ADDITEM, 0, Ptr("next"));
    CHECK(parent.Codes(tree) == Codes{LUMTREEN_TOPCHANGE, LUMTREEN_ENDEDIT});
    parent.onMessage = nullptr;
    DestroyWindow(editor);
}
