// The paint pipeline as a whole, on a control that uses every drawing path: drawing straight
// to the target gives the picture of the one-row bitmap, a partial update paints only its
// rectangle, and 20,000 paints leak neither heap nor GDI objects.
#include "render_support.h"

namespace {

INT CALLBACK Tint(HWND, RowDrawInfo *info, DWORD_PTR) {
    if (info->index == 1) info->cellBackColor = RGB(240, 240, 200);
    return 0;
}

// A busy control: header with buttons, labels and corner, three columns with texts, item,
// node and cell pictures, root buttons, grid lines, ellipsis and a draw callback. Row 0 is
// selected (inactive style 1), the bold caret, hot-tracked, the drop target and has a cell of
// its own; row 1 is disabled and tinted by the callback. `rows` rows are in view.
struct Busy {
    rt::Tree t{360, 200};
    HBITMAP item = rt::SquareBitmap(10, 10, RGB(0, 150, 0));
    HBITMAP node = rt::SquareBitmap(12, 12, RGB(200, 120, 0));
    RECT client{};

    explicit Busy(int rows) {
        t.Columns({{90, 0}, {70, LUMTREEFORMAT_RIGHT}, {LUMTREE_STRETCH, LUMTREEFORMAT_CENTER}},
                  {"Name", "Size", "Kind"});
        t.Labels(5);
        t.Send(LUMTREEM_SETCORNERTEXT, 0, lt::Ptr("#"));
        HBITMAP nodes[3] = {node, node, node};
        t.Send(LUMTREEM_SETNODEBITMAPS, 0, lt::Ptr(nodes));
        for (UINT msg :
             {LUMTREEM_SHOWHEADER, LUMTREEM_SETHEADERBUTTONS, LUMTREEM_SETSHOWROOTBUTTONS,
              LUMTREEM_SETGRIDLINES, LUMTREEM_SETCELLELLIPSIS, LUMTREEM_SETINACTIVESELSTYLE})
            t.Send(msg, TRUE);
        TreeDrawCallback callback{Tint, 0};
        t.Send(LUMTREEM_SETDRAWCALLBACK, 0, lt::Ptr(&callback));
        t.Send(LUMTREEM_SETBITMAP, static_cast<WPARAM>(-1), lt::Ptr(item));
        for (int i = 0; i < 30; ++i) {
            char text[40];
            wsprintfA(text, "Entry number %d with a long name", i);
            const int index = lt::SendI(t.hwnd, LUMTREEM_ADDITEM, 0, lt::Ptr(text));
            t.Send(LUMTREEM_SETLEVEL, static_cast<WPARAM>(index), i % 4);
            t.Text(index, 1, "1,234 kB");
            t.Text(index, 2, "Document");
            t.Send(LUMTREEM_SETBITMAP, static_cast<WPARAM>(index), lt::Ptr(item));
        }
        const TreeCellAttr cell{
            RGB(255, 230, 230), RGB(120, 0, 0), rt::kAuto, rt::kAuto, nullptr, item, 0};
        t.CellAttr(0, 2, cell);
        t.CellAttr(-1, 0, cell);
        t.Send(LUMTREEM_ENABLEITEM, 1, FALSE);
        t.Send(LUMTREEM_SETSELECTION, 0);
        t.Send(LUMTREEM_SETCARET, 0);
        t.ctl->caretFontOn = t.ctl->itemTrack = TRUE;
        t.ctl->dropTarget = 0;
        t.ctl->dropMarkMode = LUMTREEDROPMARK_ITEM;
        rt::Track(t.hwnd, 0);
        SetWindowPos(t.hwnd, nullptr, 0, 0, 360, HeaderHeight(t.ctl) + rows * t.ctl->rowHeight,
                     SWP_NOMOVE | SWP_NOZORDER);
        GetClientRect(t.hwnd, &client);
    }
    ~Busy() {
        rt::Track(nullptr, -1);
        DestroyWindow(t.hwnd);
        DeleteObject(item);
        DeleteObject(node);
    }
    lt::Pixels Paint(rt::Canvas &canvas, const RECT *update, bool buffered) const {
        PaintControl(t.ctl, canvas.dc, update, buffered);
        return canvas.Read();
    }
};

// Pixels of a rectangle that differ between two pictures.
int Differ(const lt::Pixels &a, const lt::Pixels &b, const RECT &r) {
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) n += a.At(x, y) != b.At(x, y);
    return n;
}

} // namespace

TEST_CASE("straight to the target or through the row bitmap, whole or in part: one picture") {
    Busy busy(5);
    const int w = busy.client.right, h = busy.client.bottom;
    rt::Canvas whole(w, h), direct(w, h);
    const lt::Pixels all = busy.Paint(whole, nullptr, true);
    CHECK(busy.Paint(direct, nullptr, false).bits == all.bits);

    // A DC clipped to the update rectangle, as BeginPaint hands it over, and as an application
    // may hand it over with WM_PRINTCLIENT (no update rectangle): the rest keeps its marker.
    const RECT update{20, 30, 200, 70};
    for (const RECT *rect : {&update, static_cast<const RECT *>(nullptr)}) {
        for (bool buffered : {true, false}) {
            INFO("buffered " << buffered << ", update rectangle " << (rect != nullptr));
            rt::Canvas part(w, h, RGB(1, 2, 3));
            gdi::Region clip(CreateRectRgnIndirect(&update));
            SelectClipRgn(part.dc, clip.get());
            const lt::Pixels got = busy.Paint(part, rect, buffered);
            CHECK(Differ(got, all, update) == 0);
            CHECK(got.Count(busy.client, RGB(1, 2, 3)) == w * h - rt::Area(update));
        }
    }
    SUBCASE("labels painted without their rows take the rows' enabled state") {
        const RECT labels = busy.t.Label(-1), disabled = busy.t.Label(1);
        rt::Canvas part(w, h);
        const lt::Pixels got = busy.Paint(part, &labels, true);
        CHECK(got.bits != all.bits);
        // The label itself, without the separator line that is drawn with the rows.
        CHECK(Differ(got, all,
                     RECT{disabled.left, disabled.top, disabled.right - 1, disabled.bottom}) == 0);
        CHECK(got.Count(disabled, rt::Entry(LUMTREECOLOR_LABELGRAYTEXT)) > 0);
    }
}

TEST_CASE("20,000 paints of a busy control leak neither heap nor GDI objects") {
    Busy busy(2); // every drawing path in two rows: the paints stay cheap
    rt::Canvas canvas(busy.client.right, busy.client.bottom);
    const lt::Pixels first = busy.Paint(canvas, nullptr, true);
    const int live = gdi::liveObjects;
    const size_t heap = lt::HeapBytesInUse();

    for (int n = 0; n < 20000; ++n) PaintControl(busy.t.ctl, canvas.dc, nullptr, n % 2 == 0);

    CHECK(lt::HeapBytesInUse() < heap + 64 * 1024);
    CHECK(gdi::liveObjects == live);
    rt::Canvas again(busy.client.right, busy.client.bottom, rt::kBlack);
    CHECK(busy.Paint(again, nullptr, true).bits == first.bits);
}

TEST_CASE("a window lower than one row shows the top of its first row") {
    rt::Tree t(200, 7);
    lt::AddFlat(t.hwnd, 3);
    t.Send(LUMTREEM_SETSELECTION, 0);
    t.Focus();
    REQUIRE(t.ctl->rowHeight > 7);
    CHECK(t.Paint().Count(RECT{0, 0, 200, 7}, rt::kSelBack) > 200 * 7 / 2);
}
