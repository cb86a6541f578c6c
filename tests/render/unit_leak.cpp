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
    TreeColumnInfo cols[3] = {{90, 0, 0, nullptr},
                              {70, LUMTREEFORMAT_RIGHT, 0, nullptr},
                              {-1, LUMTREEFORMAT_CENTER, 0, nullptr}};
    REQUIRE(SetColumns(ctl, 3, cols, nullptr));
    SetColumnTitle(ctl, 0, "Name");
    SetColumnTitle(ctl, 1, "Size");
    SetColumnTitle(ctl, 2, "Kind");
    ctl->showHeader = ctl->headerButtonsOn = TRUE;
    ctl->showLabels = TRUE;
    ctl->labelStyle = 5;
    ctl->labelWidth = 36;
    ctl->cornerText = LumStrDup("#");
    HBITMAP item = rt::SquareBitmap(10, 10, RGB(0, 150, 0));
    HBITMAP node = rt::SquareBitmap(12, 12, RGB(200, 120, 0));
    ReadBitmapInfo(item, &ctl->itemBitmapInfo);
    ReadBitmapInfo(node, &ctl->nodeBitmapInfo);
    ReadBitmapInfo(item, &ctl->cellBitmapInfo);
    ctl->showItemBitmaps = ctl->showNodeBitmaps = TRUE;
    ctl->nodeBitmapCollapsed = ctl->nodeBitmapExpanded = ctl->nodeBitmapLeaf = node;
    ctl->showRootButtons = TRUE;
    ctl->gridLines = TRUE;
    ctl->cellEllipsis = TRUE;
    ctl->caretFontOn = TRUE;
    ctl->inactiveSelectionStyle = 1;
    ctl->dropTarget = 6;
    ctl->dropMarkMode = LUMTREEDROPMARK_ITEM;
    ctl->drawCallback = Tint;
    for (int i = 0; i < 30; ++i) {
        char text[32];
        wsprintfA(text, "Entry number %d with a long name", i);
        int index = lt::SendI(t.hwnd, LUMTREEM_ADDITEM, 0, lt::Ptr(text));
        if (i % 4) lt::Send(t.hwnd, LUMTREEM_SETLEVEL, static_cast<WPARAM>(index), i % 4);
        SetItemText(ctl, index, 1, "1,234 kB");
        SetItemText(ctl, index, 2, "Document");
        ctl->items[index]->bitmap = item;
    }
    auto *attrs = static_cast<TreeCellAttr *>(LumAllocZero(3 * sizeof(TreeCellAttr)));
    attrs[2] = TreeCellAttr{
        RGB(255, 230, 230), RGB(120, 0, 0), LUMTREE_AUTOCOLOR, LUMTREE_AUTOCOLOR, nullptr, item, 0};
    attrs[0].backColor = attrs[0].textColor = attrs[0].selBackColor = attrs[0].selTextColor =
        LUMTREE_AUTOCOLOR;
    attrs[1] = attrs[0];
    ctl->items[2]->cellAttributes = attrs;
    lt::Send(t.hwnd, LUMTREEM_SETSELECTION, 3);
    lt::Send(t.hwnd, LUMTREEM_SETCARET, 2);
    g_lum.trackWindow = t.hwnd;
    g_lum.trackIndex = 1;
    g_lum.globalItemTrack = TRUE;
    ctl->itemTrack = TRUE;
    t.Relayout();

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
