// Leaks: controls created, filled, painted in every look and destroyed over and over, and long
// runs of paints, must leave the process heap and the GDI object count where they found them.
#include "../support/harness.h"

#include <string>

using namespace lt;

namespace {

// One life of a control with every owned string, record and drawing object in use.
void Cycle(Parent &parent, int round) {
    HWND tree = parent.Tree(kNotifyStyle | LUMTREESTYLE_MULTIPLESEL | WS_VSCROLL | WS_HSCROLL, 0, 0,
                            260, 180);
    TreeColumn cols[3]{};
    char a[] = "Name", b[] = "Size", c[] = "Kind";
    cols[0] = {0, 0, 90, 0, 0, a, nullptr, nullptr, 0};
    cols[1] = {0, 0, 60, LUMTREEFORMAT_RIGHT, 0, b, nullptr, nullptr, 0};
    cols[2] = {0, 0, LUMTREE_STRETCH, 0, 0, c, nullptr, nullptr, 0};
    REQUIRE(Send(tree, LUMTREEM_SETCOLUMNS, 3, Ptr(cols)) == 1);
    Send(tree, LUMTREEM_SHOWHEADER, 1);
    Send(tree, LUMTREEM_SHOWLABELS, 5);
    Send(tree, LUMTREEM_SETCORNERTEXT, 0, Ptr("#"));
    for (int i = 0; i < 120; ++i) {
        const std::string text = "item " + std::to_string(i) + std::string(i % 7 * 10, 'x');
        const LRESULT at = Send(tree, LUMTREEM_ADDITEM, 0, Ptr(text.c_str()));
        Send(tree, LUMTREEM_SETLEVEL, static_cast<WPARAM>(at), i % 4);
        if (i % 5 == 0) Send(tree, LUMTREEM_SETLABELTEXT, static_cast<WPARAM>(at), Ptr("L"));
        if (i % 3 == 0) {
            TreeCellAttrRequest q{LUMTREE_ATTRVERSION,
                                  static_cast<INT>(at),
                                  1,
                                  {RGB(200, 220, 240), LUMTREE_AUTOCOLOR, LUMTREE_AUTOCOLOR,
                                   LUMTREE_AUTOCOLOR, nullptr, nullptr, 0}};
            Send(tree, LUMTREEM_SETCELLATTR, 0, Ptr(&q));
            TreeLabelAttrRequest l{LUMTREE_ATTRVERSION,
                                   static_cast<INT>(at),
                                   {RGB(1, 2, 3), LUMTREE_AUTOCOLOR, LUMTREE_AUTOCOLOR,
                                    LUMTREE_AUTOCOLOR, nullptr, 0}};
            Send(tree, LUMTREEM_SETLABELATTR, 0, Ptr(&l));
        }
    }
    Send(tree, LUMTREEM_SELECTRANGE, 1, MAKELPARAM(3, 40));
    Send(tree, LUMTREEM_COPYITEM, 4, 50);
    Send(tree, LUMTREEM_MOVEITEM, 9, 2);
    Send(tree, LUMTREEM_SORTCHILDREN, static_cast<WPARAM>(-1), 0);
    TreeColumnInfo *info = nullptr;
    Send(tree, LUMTREEM_GETCOLUMNINFO, 0, Ptr(&info));
    SetFocus(tree);
    Send(tree, LUMTREEM_SETLOOK3D, round % 2);
    Send(tree, LUMTREEM_SETGRIDLINES, 1);
    UpdateWindow(tree);
    PrintClient(tree);
    Send(tree, WM_VSCROLL, SB_PAGEDOWN, 0);
    Send(tree, WM_KEYDOWN, VK_DOWN, 1);
    PrintClient(tree);
    for (int k = 0; k < 30; ++k) Send(tree, LUMTREEM_DELETEITEM, 7);
    DestroyWindow(tree);
    Pump();
}

} // namespace

TEST_CASE("create, fill, paint, destroy: the heap and the GDI objects come back") {
    Parent parent;
    Cycle(parent, 0); // the first life makes what the process keeps (classes, caches)
    Cycle(parent, 1);
    const size_t heap = HeapBytesInUse();
    const int objects = GdiObjectCount();
    for (int round = 0; round < 6; ++round) Cycle(parent, round);
    CHECK(GdiObjectCount() == objects);
    // A leaked item of one life is about 100 bytes; 6 lives of 120 items would leak far more
    // than the heap's own bookkeeping moves.
    const auto grown = static_cast<long long>(HeapBytesInUse()) - static_cast<long long>(heap);
    CHECK(grown < 4096);
}

TEST_CASE("long runs of paints in every look keep the GDI count and the heap") {
    Parent parent;
    HWND tree = parent.Tree(kNotifyStyle | WS_VSCROLL, 0, 0, 240, 160);
    for (int i = 0; i < 40; ++i) {
        Send(tree, LUMTREEM_ADDITEM, 0, Ptr("a row with text"));
        Send(tree, LUMTREEM_SETLEVEL, static_cast<WPARAM>(i), i % 3);
    }
    Send(tree, LUMTREEM_SHOWLABELS, 3);
    Send(tree, LUMTREEM_SHOWHEADER, 1);
    Send(tree, LUMTREEM_SETSHOWROOTBUTTONS, 1);
    SetFocus(tree);
    auto paintAll = [&](int k) {
        Send(tree, LUMTREEM_SETLOOK3D, k % 2);
        Send(tree, LUMTREEM_SETGRIDLINES, k / 2 % 2);
        Send(tree, LUMTREEM_SETINACTIVESELSTYLE, k % 4);
        Send(tree, LUMTREEM_SETCARET, static_cast<WPARAM>(k % 40));
        Send(tree, LUMTREEM_SETSELECTION, static_cast<WPARAM>(k % 40));
        Send(tree, LUMTREEM_SETDROPMARKMODE, 0, k % 3);
        Send(tree, LUMTREEM_SETDROPTARGET, static_cast<WPARAM>(k % 40), 0);
        Send(tree, WM_MOUSEMOVE, 0, MAKELPARAM(30, 20 + k % 100)); // hot tracking
        SetFocus(k % 3 ? tree : parent.hwnd());
        InvalidateRect(tree, nullptr, FALSE);
        UpdateWindow(tree);
        PrintClient(tree);
    };
    for (int k = 0; k < 8; ++k) paintAll(k);
    const size_t heap = HeapBytesInUse();
    const int objects = GdiObjectCount();
    for (int k = 0; k < 150; ++k) paintAll(k);
    CHECK(GdiObjectCount() == objects);
    const auto grown = static_cast<long long>(HeapBytesInUse()) - static_cast<long long>(heap);
    CHECK(grown < 4096);
}
