// The paint pipeline as a whole, on a control that uses every drawing path: drawing straight
// to the target gives the picture of the one-row bitmap, a partial update paints only its
// rectangle (besides the separator lines), and 20,000 paints leak neither heap nor GDI objects.
#include "render_support.h"

#include <algorithm>

namespace {

INT CALLBACK Tint(HWND, RowDrawInfo *info, DWORD_PTR) {
    if (info->index % 5 == 4) info->cellBackColor = RGB(240, 240, 200);
    return 0;
}

// A busy control: header with buttons, labels and corner, three columns with texts, item,
// node and cell pictures, root buttons, grid lines, ellipsis, a draw callback, a selection, a
// bold caret, a hot-tracked row, a disabled item and a drop mark. Five rows are in view.
struct Busy {
    rt::Tree t{lt::kChildStyle, 360, 120};
    HBITMAP item = rt::SquareBitmap(10, 10, RGB(0, 150, 0));
    HBITMAP node = rt::SquareBitmap(12, 12, RGB(200, 120, 0));
    RECT client{};

    Busy() {
        t.Columns({{90, 0}, {70, LUMTREEFORMAT_RIGHT}, {LUMTREE_STRETCH, LUMTREEFORMAT_CENTER}},
                  {"Name", "Size", "Kind"});
        t.Send(LUMTREEM_SHOWHEADER, TRUE);
        t.Send(LUMTREEM_SETHEADERBUTTONS, TRUE);
        t.Labels(5);
        t.Send(LUMTREEM_SETCORNERTEXT, 0, lt::Ptr("#"));
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
        for (int i = 0; i < 30; ++i) {
            char text[32];
            wsprintfA(text, "Entry number %d with a long name", i);
            int index = lt::SendI(t.hwnd, LUMTREEM_ADDITEM, 0, lt::Ptr(text));
            if (i % 4) t.Send(LUMTREEM_SETLEVEL, static_cast<WPARAM>(index), i % 4);
            t.Text(index, 1, "1,234 kB");
            t.Text(index, 2, "Document");
            t.Send(LUMTREEM_SETBITMAP, static_cast<WPARAM>(index), lt::Ptr(item));
        }
        TreeCellAttr cell = rt::CellColours(RGB(255, 230, 230), RGB(120, 0, 0));
        cell.bitmap = item;
        t.CellAttr(2, 2, cell);
        t.CellAttr(-1, 0, cell);
        t.Send(LUMTREEM_ENABLEITEM, 4, FALSE);
        t.Send(LUMTREEM_SETSELECTION, 3);
        t.Send(LUMTREEM_SETCARET, 2);
        t.ctl->caretFontOn = TRUE;
        t.ctl->dropTarget = 1;
        t.ctl->dropMarkMode = LUMTREEDROPMARK_ITEM;
        t.ctl->itemTrack = TRUE;
        g_lum.trackWindow = t.hwnd;
        g_lum.trackIndex = 0;
        g_lum.globalItemTrack = TRUE;
        GetClientRect(t.hwnd, &client);
    }
    ~Busy() {
        g_lum.trackWindow = nullptr;
        g_lum.trackIndex = -1;
        g_lum.globalItemTrack = FALSE;
        DestroyWindow(t.hwnd);
        DeleteObject(item);
        DeleteObject(node);
    }
    std::vector<DWORD> Paint(rt::Canvas &canvas, const RECT *update, bool buffered) const {
        PaintControl(t.ctl, canvas.dc, update, buffered);
        GdiFlush();
        return std::vector<DWORD>(canvas.bits, canvas.bits + client.right * client.bottom);
    }
};

} // namespace

TEST_CASE("drawing straight to the target under clip regions gives the same picture") {
    Busy busy;
    rt::Canvas buffered(busy.client.right, busy.client.bottom);
    rt::Canvas direct(busy.client.right, busy.client.bottom);
    CHECK(busy.Paint(buffered, nullptr, true) == busy.Paint(direct, nullptr, false));
}

TEST_CASE("a partial update paints its rectangle as the full paint does, and nothing else") {
    Busy busy;
    const int w = busy.client.right, h = busy.client.bottom;
    rt::Canvas full(w, h);
    const std::vector<DWORD> all = busy.Paint(full, nullptr, true);
    const RECT update{20, 30, 200, 70};
    // As BeginPaint hands it over (clipped to the update rectangle), and as an application may
    // hand a clipped DC over with WM_PRINTCLIENT (no update rectangle).
    for (auto [buffered, rect] : {std::pair{true, &update}, std::pair{false, &update},
                                  std::pair{true, static_cast<const RECT *>(nullptr)},
                                  std::pair{false, static_cast<const RECT *>(nullptr)}}) {
        INFO("buffered " << buffered << ", update rectangle " << (rect != nullptr));
        const COLORREF marker = RGB(1, 2, 3);
        rt::Canvas part(w, h, marker);
        gdi::Region clip(CreateRectRgnIndirect(&update));
        SelectClipRgn(part.dc, clip.get());
        const std::vector<DWORD> got = busy.Paint(part, rect, buffered);
        int wrong = 0;
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                const bool inside = PtInRect(&update, POINT{x, y});
                const size_t k = static_cast<size_t>(y) * w + x;
                wrong += inside ? got[k] != all[k] : part.At(x, y) != marker;
            }
        }
        CHECK(wrong == 0);
    }
}

TEST_CASE("labels painted without their rows take the rows' enabled state") {
    Busy busy;
    RECT labels{}, disabled{};
    LabelRect(busy.t.ctl, -1, &labels);
    LabelRect(busy.t.ctl, 4, &disabled);
    rt::Canvas full(busy.client.right, busy.client.bottom);
    rt::Canvas part(busy.client.right, busy.client.bottom);
    const std::vector<DWORD> all = busy.Paint(full, nullptr, true);
    busy.Paint(part, &labels, true);
    CHECK(std::equal(full.bits, full.bits + all.size(), part.bits) == false); // rows left out
    for (int y = disabled.top; y < disabled.bottom; ++y) {
        for (int x = disabled.left; x < disabled.right - 1; ++x) {
            CHECK(part.At(x, y) == full.At(x, y));
        }
    }
    CHECK(rt::Count(part, disabled, GreyOr(LUMTREE_AUTOCOLOR)) > 0);
}

TEST_CASE("20,000 paints of a busy control leak neither heap nor GDI objects") {
    Busy busy;
    rt::Canvas canvas(busy.client.right, busy.client.bottom);
    const std::vector<DWORD> first = busy.Paint(canvas, nullptr, true);
    const int live = gdi::liveObjects;
    const size_t heap = lt::HeapBytesInUse();

    for (int n = 0; n < 20000; ++n) PaintControl(busy.t.ctl, canvas.dc, nullptr);

    const size_t now = lt::HeapBytesInUse();
    CHECK(now < heap + 64 * 1024);
    CHECK(gdi::liveObjects == live);
    RECT all = busy.client;
    FillRect(canvas.dc, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    CHECK(busy.Paint(canvas, nullptr, true) == first);
}

TEST_CASE("a window lower than one row shows the top of its first row") {
    rt::Tree t(lt::kChildStyle, 200, 7);
    lt::AddFlat(t.hwnd, 3);
    t.Send(LUMTREEM_SETSELECTION, 0);
    SetFocus(t.hwnd);
    lt::Pixels px = t.Paint();
    REQUIRE(t.ctl->rowHeight > 7);
    CHECK(px.Count(RECT{0, 0, 200, 7}, rt::kSelBack) > 200 * 7 / 2);
}
