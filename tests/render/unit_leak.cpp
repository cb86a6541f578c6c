// Painting keeps nothing: 20,000 paints of a control that uses every drawing path leave the
// process heap and the count of GDI objects made by the painters where they were, and the
// control still paints the same picture.
#include "render_support.h"

namespace {

INT CALLBACK Tint(HWND, RowDrawInfo *info, DWORD_PTR) {
    if (info->index % 5 == 4) info->cellBackColor = RGB(240, 240, 200);
    return 0;
}

} // namespace

TEST_CASE("20,000 paints of a busy control leak neither heap nor GDI objects") {
    rt::Tree t(lt::kChildStyle, 360, 120); // header and five rows: every path, quickly
    TreeCtl *ctl = t.ctl;
    t.Columns({{90, 0}, {70, LUMTREEFORMAT_RIGHT}, {LUMTREE_STRETCH, LUMTREEFORMAT_CENTER}},
              {"Name", "Size", "Kind"});
    t.Send(LUMTREEM_SHOWHEADER, TRUE);
    t.Send(LUMTREEM_SETHEADERBUTTONS, TRUE);
    t.Labels(5);
    t.Send(LUMTREEM_SETCORNERTEXT, 0, lt::Ptr("#"));
    HBITMAP item = rt::SquareBitmap(10, 10, RGB(0, 150, 0));
    HBITMAP node = rt::SquareBitmap(12, 12, RGB(200, 120, 0));
    HBITMAP nodes[3] = {node, node, node};
    t.Send(LUMTREEM_SETNODEBITMAPS, 0, lt::Ptr(nodes));
    for (UINT msg :
         {LUMTREEM_SETSHOWROOTBUTTONS, LUMTREEM_SETGRIDLINES, LUMTREEM_SETCELLELLIPSIS}) {
        t.Send(msg, TRUE);
    }
    t.Send(LUMTREEM_SETINACTIVESELSTYLE, 1);
    TreeDrawCallback callback{Tint, 0};
    t.Send(LUMTREEM_SETDRAWCALLBACK, 0, lt::Ptr(&callback));
    t.Send(LUMTREEM_SETBITMAP, static_cast<WPARAM>(-1), lt::Ptr(item));
    ctl->caretFontOn = TRUE;
    ctl->dropTarget = 6;
    ctl->dropMarkMode = LUMTREEDROPMARK_ITEM;
    for (int i = 0; i < 30; ++i) {
        char text[32];
        wsprintfA(text, "Entry number %d with a long name", i);
        int index = lt::SendI(t.hwnd, LUMTREEM_ADDITEM, 0, lt::Ptr(text));
        if (i % 4) lt::Send(t.hwnd, LUMTREEM_SETLEVEL, static_cast<WPARAM>(index), i % 4);
        t.Text(index, 1, "1,234 kB");
        t.Text(index, 2, "Document");
        t.Send(LUMTREEM_SETBITMAP, static_cast<WPARAM>(index), lt::Ptr(item));
    }
    TreeCellAttr cell = rt::CellColours(RGB(255, 230, 230), RGB(120, 0, 0));
    cell.bitmap = item;
    t.CellAttr(2, 2, cell);
    t.CellAttr(-1, 0, cell);
    lt::Send(t.hwnd, LUMTREEM_SETSELECTION, 3);
    lt::Send(t.hwnd, LUMTREEM_SETCARET, 2);
    g_lum.trackWindow = t.hwnd;
    g_lum.trackIndex = 1;
    g_lum.globalItemTrack = TRUE;
    ctl->itemTrack = TRUE;
    RecalcRowHeight(ctl);

    RECT client;
    GetClientRect(t.hwnd, &client);
    rt::Canvas canvas(client.right, client.bottom);
    PaintControl(ctl, canvas.dc, nullptr);
    std::vector<DWORD> first(canvas.bits, canvas.bits + client.right * client.bottom);
    const int live = gdi::liveObjects;
    const size_t heap = lt::HeapBytesInUse();

    for (int n = 0; n < 20000; ++n) PaintControl(ctl, canvas.dc, nullptr);

    const size_t grown = lt::HeapBytesInUse() > heap ? lt::HeapBytesInUse() - heap : 0;
    CHECK(grown < 64 * 1024);
    CHECK(gdi::liveObjects == live);
    RECT all = client;
    FillRect(canvas.dc, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    PaintControl(ctl, canvas.dc, nullptr);
    GdiFlush();
    CHECK(std::equal(first.begin(), first.end(), canvas.bits));

    g_lum.trackWindow = nullptr;
    g_lum.trackIndex = -1;
    g_lum.globalItemTrack = FALSE;
    DestroyWindow(t.hwnd);
    DeleteObject(item);
    DeleteObject(node);
}
