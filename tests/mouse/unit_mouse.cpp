// Mouse input as a user makes it: presses on every area with the exact codes the parent gets,
// deferred selection, header, corner and expand buttons, column resizing with its divider line,
// drag selection and drag and drop with the drop marks and autoscroll. Points come from the
// geometry routines; presses are sent messages where only the sequence matters, and real input
// (SendInput on the display) where the capture, the timer and the pointer take part.
#include "../support/harness.h"
#include "lumtree/api/api.h"
#include "lumtree/items/items.h"
#include "lumtree/layout/layout.h"
#include "lumtree/mouse/mouse.h"

#include <algorithm>

using namespace lt;

namespace {

constexpr DWORD kDragStyle = kNotifyStyle | LUMTREESTYLE_DRAGDROP;
constexpr COLORREF kMark = RGB(250, 0, 200);

struct Tree {
    Parent parent{440, 340};
    HWND hwnd;
    TreeCtl *ctl;

    explicit Tree(DWORD style = kNotifyStyle, int width = 240, int height = 200) {
        static const bool registered = LoadLibraryState(GetModuleHandleA(nullptr));
        REQUIRE(registered);
        hwnd = parent.Tree(style, 0, 0, width, height);
        ctl = FindCtl(hwnd);
        SetFocus(hwnd);
        parent.Clear();
    }
    int Get(UINT m, WPARAM w = 0, LPARAM l = 0) const { return SendI(hwnd, m, w, l); }
    void Mouse(UINT msg, POINT p, WPARAM keys = 0) const {
        lt::Send(hwnd, msg, keys, MAKELPARAM(p.x, p.y));
    }
    void Click(POINT p, WPARAM keys = 0) const {
        Mouse(WM_LBUTTONDOWN, p, keys | MK_LBUTTON);
        Mouse(WM_LBUTTONUP, p, keys);
    }
    // A point on item i's text (column 0), and on the row of screen row r at client x.
    POINT Text(int i) const {
        RECT rc;
        REQUIRE(CellRect(ctl, i, 0, &rc));
        return POINT{rc.left + 3, (rc.top + rc.bottom) / 2};
    }
    POINT Row(int r, int x) const {
        return POINT{x, ItemAreaRect(ctl).top + r * ctl->rowHeight + ctl->rowHeight / 2};
    }
    // Codes received since the last call, moves left out.
    Codes Take() {
        Codes codes;
        for (int c : parent.Codes()) {
            if (c != LUMTREEN_MOUSEMOVE) codes.push_back(c);
        }
        parent.Clear();
        return codes;
    }
    bool Captured() const { return GetCapture() == hwnd; }
    // Whether the point is waiting to be repainted.
    bool Invalid(POINT p) const {
        HRGN rgn = CreateRectRgn(0, 0, 0, 0);
        GetUpdateRgn(hwnd, rgn, FALSE);
        const bool in = PtInRegion(rgn, p.x, p.y) != FALSE;
        DeleteObject(rgn);
        return in;
    }
    Codes Selected() const {
        Codes out;
        for (int i = 0; i < ctl->itemCount; ++i) {
            if (Get(LUMTREEM_ISSELECTED, i) == 1) out.push_back(i);
        }
        return out;
    }
    int CountMark(RECT rc) const { return PrintClient(hwnd).Count(rc, kMark); }
    void SetMarkColour() const {
        COLORREF table[LUMTREE_COLORCOUNT];
        lt::Send(hwnd, LUMTREEM_GETCOLORS, 0, Ptr(table));
        table[LUMTREECOLOR_DROPMARK] = kMark;
        lt::Send(hwnd, LUMTREEM_SETCOLORS, 0, Ptr(table));
    }
};

// Pumps until the condition holds (timer ticks come late on a busy machine); false on timeout.
template <class Pred> bool PumpUntil(Pred done, DWORD ms = 3000) {
    const DWORD end = GetTickCount() + ms;
    while (!done()) {
        if (GetTickCount() > end) return false;
        Pump();
        Sleep(2);
    }
    return true;
}
void PumpFor(DWORD ms) {
    PumpUntil([] { return false; }, ms);
}

// Real input: a button change, or a move to a client point of a window.
void RealButton(DWORD flags, LONG x = 0, LONG y = 0) {
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dx = x;
    in.mi.dy = y;
    in.mi.dwFlags = flags;
    SendInput(1, &in, sizeof(in));
    PumpFor(30);
}
void RealMove(HWND w, POINT p) {
    ClientToScreen(w, &p);
    RealButton(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE,
               MulDiv(p.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1),
               MulDiv(p.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1));
}

} // namespace

TEST_CASE("item presses: codes in order, capture while held, double clicks, gating, right button") {
    Tree t;
    AddFlat(t.hwnd, 6);
    t.Get(LUMTREEM_SETSELECTION, 1);
    t.Mouse(WM_LBUTTONDOWN, t.Text(3), MK_LBUTTON);
    CHECK(t.Take() == Codes{LUMTREEN_SELCLEAR, LUMTREEN_CARETCHANGE, LUMTREEN_SELCHANGE, 35});
    CHECK((t.Captured() && t.ctl->buttonDown == 1 && t.Get(LUMTREEM_GETLASTCLICKCOLUMN) == 0));
    t.Mouse(WM_LBUTTONUP, t.Text(3));
    CHECK(t.Take() == Codes{LUMTREEN_LBUTTONUP});
    CHECK((!t.Captured() && t.ctl->buttonDown == 0 && t.Get(LUMTREEM_GETSELECTION) == 3));
    // Below the last item and right of every column: nothing is taken, nothing reported.
    t.Mouse(WM_LBUTTONDOWN, t.Row(8, 20), MK_LBUTTON);
    CHECK((t.Take().empty() && !t.Captured() && t.ctl->buttonDown == 0));
    t.Mouse(WM_LBUTTONDOWN, t.Text(2), MK_LBUTTON);
    t.Mouse(WM_LBUTTONUP, t.Text(2));
    t.Mouse(WM_LBUTTONDBLCLK, t.Text(2), MK_LBUTTON);
    CHECK(t.Take() == Codes{LUMTREEN_SELCLEAR, LUMTREEN_CARETCHANGE, LUMTREEN_SELCHANGE, 35,
                            LUMTREEN_LBUTTONUP, 45});
    CHECK(!t.Captured());
    // A second left press while one is tracked only keeps the focus.
    t.Mouse(WM_LBUTTONDOWN, t.Text(4), MK_LBUTTON);
    t.Take();
    t.Mouse(WM_LBUTTONDOWN, t.Text(5), MK_LBUTTON);
    CHECK((t.Take().empty() && t.Get(LUMTREEM_GETCARET) == 4));
    lt::Send(t.hwnd, WM_CANCELMODE);
    CHECK((!t.Captured() && t.ctl->buttonDown == 0));
    t.Mouse(WM_LBUTTONDOWN, t.Text(5), MK_LBUTTON); // losing the focus ends it too
    SetFocus(t.parent.hwnd());
    CHECK((!t.Captured() && t.ctl->buttonDown == 0 && t.ctl->pressedItem == -1));
    SetFocus(t.hwnd);
    t.Take();
    // Right button: the same selection, code 75, the release reported apart for the header.
    t.Mouse(WM_RBUTTONDOWN, t.Text(1), MK_RBUTTON);
    CHECK(t.Take() == Codes{LUMTREEN_SELCLEAR, LUMTREEN_CARETCHANGE, LUMTREEN_SELCHANGE, 75});
    CHECK((t.Captured() && t.ctl->buttonDown == 3));
    t.Mouse(WM_RBUTTONUP, t.Text(1));
    CHECK((t.Take() == Codes{LUMTREEN_RBUTTONUP} && !t.Captured() && t.ctl->buttonDown == 0));
    // Without the notify style the click codes are gated, the release is not.
    SetWindowLongA(t.hwnd, GWL_STYLE, kChildStyle | LUMTREESTYLE_LEFTBUTTONONLY);
    t.Click(t.Text(0));
    CHECK((t.Take() == Codes{LUMTREEN_LBUTTONUP} && t.Get(LUMTREEM_GETSELECTION) == 0));
    // Left button only: right presses and releases are the default window procedure's.
    t.Mouse(WM_RBUTTONDOWN, t.Text(2), MK_RBUTTON);
    t.Mouse(WM_RBUTTONUP, t.Text(2));
    CHECK((t.Take().empty() && !t.Captured() && t.Get(LUMTREEM_GETSELECTION) == 0));
}

TEST_CASE("expand buttons: 33, drawn pressed until the release; the parent's answer expands") {
    Tree t;
    AddItems(t.hwnd, {{"A", 0}, {"a", 1}, {"x", 2}, {"B", 0}});
    lt::Send(t.hwnd, LUMTREEM_SETSHOWROOTBUTTONS, 1);
    const RECT area = ItemAreaRect(t.ctl);
    auto at = [&](RECT box, int row) {
        return POINT{area.left + box.left + 2, area.top + row * t.ctl->rowHeight + box.top + 2};
    };
    const POINT button = at(IndentButtonBox(t.ctl, 0), 1);
    const RECT boxOnScreen{button.x - 2, button.y - 2, button.x + ButtonWidth(t.ctl) - 2,
                           button.y + ButtonHeight(t.ctl) - 4};
    auto picture = [&] {
        Pixels px = PrintClient(t.hwnd);
        Codes out;
        for (int y = boxOnScreen.top; y < boxOnScreen.bottom; ++y)
            for (int x = boxOnScreen.left; x < boxOnScreen.right; ++x)
                out.push_back(static_cast<int>(px.At(x, y)));
        return out;
    };
    // Selected and the caret already, so that only the button's picture changes.
    t.Get(LUMTREEM_SETSELECTION, 1);
    t.Get(LUMTREEM_SETCARET, 1);
    t.Take();
    const Codes up = picture();
    UpdateWindow(t.hwnd);
    t.Mouse(WM_LBUTTONDOWN, button, MK_LBUTTON);
    CHECK(t.Take() == Codes{33});
    CHECK((t.ctl->pressedButton == 1 && t.Captured() && t.Invalid(button) && picture() != up));
    t.Mouse(WM_MOUSEMOVE, t.Text(3), MK_LBUTTON); // moves change nothing while it is held
    CHECK((t.ctl->pressedButton == 1 && picture() != up && t.Get(LUMTREEM_GETCARET) == 1));
    UpdateWindow(t.hwnd);
    t.Mouse(WM_LBUTTONUP, t.Text(3));
    CHECK((t.Invalid(button) && t.ctl->pressedButton == -1 && !t.Captured() && picture() == up));
    CHECK((t.Take() == Codes{LUMTREEN_LBUTTONUP} && t.Get(LUMTREEM_ISEXPANDED, 1) == 1));
    // The root button of a level-0 item; a double click on it is 43.
    t.Mouse(WM_LBUTTONDOWN, at(RootButtonBox(t.ctl), 0), MK_LBUTTON);
    CHECK((t.Take() == Codes{LUMTREEN_SELCLEAR, LUMTREEN_CARETCHANGE, LUMTREEN_SELCHANGE, 33} &&
           t.ctl->pressedButton == 0));
    t.Mouse(WM_LBUTTONUP, at(RootButtonBox(t.ctl), 0));
    t.Mouse(WM_LBUTTONDBLCLK, at(RootButtonBox(t.ctl), 0), MK_LBUTTON);
    CHECK(t.Take() == Codes{LUMTREEN_LBUTTONUP, 43});
    t.Mouse(WM_LBUTTONUP, at(RootButtonBox(t.ctl), 0));
    t.Take();
    // The indentation of an item without children: 32, no capture.
    t.Mouse(WM_LBUTTONDOWN, POINT{TreePartStart(t.ctl) + 2, button.y + t.ctl->rowHeight});
    CHECK((t.Take() == Codes{LUMTREEN_SELCLEAR, LUMTREEN_CARETCHANGE, LUMTREEN_SELCHANGE, 32} &&
           !t.Captured()));
    // The parent answers the button with LUMTREEM_EXPAND.
    t.parent.onMessage = [&](UINT msg, WPARAM wp, LPARAM, LRESULT *) {
        if (msg == WM_COMMAND && HIWORD(wp) == 33) {
            const int i = t.Get(LUMTREEM_GETCARET);
            lt::Send(t.hwnd, LUMTREEM_EXPAND, i, MAKELPARAM(!t.Get(LUMTREEM_ISEXPANDED, i), 0));
        }
        return false;
    };
    t.Click(button);
    CHECK((t.Get(LUMTREEM_ISEXPANDED, 1) == 0 && t.ctl->shownCount == 3));
}

TEST_CASE("row labels by style, select-on-bitmap-click, and the disabled labels") {
    Tree t;
    AddFlat(t.hwnd, 4);
    lt::Send(t.hwnd, LUMTREEM_SHOWLABELS, 3);
    REQUIRE(t.ctl->labelWidth > 4);
    t.Take();
    const POINT label = t.Row(2, 2);
    t.Mouse(WM_LBUTTONDOWN, label, MK_LBUTTON);
    CHECK(t.Take() == Codes{LUMTREEN_CARETCHANGE, LUMTREEN_SELCHANGE, 38});
    CHECK((!t.Captured() && t.ctl->labelPressed == 0));
    t.Mouse(WM_LBUTTONUP, label);
    lt::Send(t.hwnd, LUMTREEM_SETSELECTONBITMAPCLICK, 7);
    CHECK(t.Get(LUMTREEM_GETSELECTONBITMAPCLICK) == 1);
    t.Take();
    t.Mouse(WM_LBUTTONDOWN, t.Row(1, 2), MK_LBUTTON);
    CHECK((t.Take() == Codes{LUMTREEN_SELCLEAR, LUMTREEN_CARETCHANGE, LUMTREEN_SELCHANGE, 38} &&
           t.Captured() && t.ctl->labelPressed == 1));
    t.Mouse(WM_LBUTTONUP, t.Row(1, 2));
    CHECK((t.ctl->labelPressed == 0 && !t.Captured()));
    // A style that numbers nothing, and disabled labels: the press is only swallowed.
    for (auto [style, flags] : {std::pair{2, 0}, std::pair{3, 0x80}}) {
        lt::Send(t.hwnd, LUMTREEM_SHOWLABELS, style);
        lt::Send(t.hwnd, LUMTREEM_SETLABELFLAGS, 0, flags);
        t.Take();
        t.Mouse(WM_LBUTTONDOWN, label, MK_LBUTTON);
        CHECK((t.Take().empty() && t.Captured() && t.ctl->ignoreMouse));
        t.Mouse(WM_LBUTTONUP, label);
        CHECK((t.Take() == Codes{LUMTREEN_LBUTTONUP} && !t.Captured() && !t.ctl->ignoreMouse));
    }
}

TEST_CASE("multiple selection: pressing a selected item waits for the release") {
    Tree t(kNotifyStyle | LUMTREESTYLE_MULTIPLESEL);
    AddFlat(t.hwnd, 8);
    t.Click(t.Text(1));
    t.Click(t.Text(3), MK_SHIFT);
    REQUIRE(t.Selected() == Codes{1, 2, 3});
    t.Take();
    t.Mouse(WM_LBUTTONDOWN, t.Text(2), MK_LBUTTON);
    CHECK((t.Take() == Codes{LUMTREEN_CARETCHANGE, 35} && t.Selected() == Codes{1, 2, 3}));
    t.Mouse(WM_LBUTTONUP, t.Text(2));
    CHECK((t.Take() == Codes{LUMTREEN_LBUTTONUP, LUMTREEN_SELCHANGE} && t.Selected() == Codes{2}));
    // Dragging with the button held selects the range from the anchor, row by row.
    t.Mouse(WM_LBUTTONDOWN, t.Text(6), MK_LBUTTON);
    t.Mouse(WM_MOUSEMOVE, t.Text(4), MK_LBUTTON);
    CHECK((t.Selected() == Codes{4, 5, 6} && t.Get(LUMTREEM_GETCARET) == 4));
    CHECK(t.Take() == Codes{LUMTREEN_CARETCHANGE, LUMTREEN_SELCHANGE, 35, LUMTREEN_CARETCHANGE,
                            LUMTREEN_SELCHANGE});
    t.Mouse(WM_MOUSEMOVE, t.Row(9, 40), MK_LBUTTON); // below the last item: the last one
    t.Mouse(WM_LBUTTONUP, t.Row(9, 40));
    CHECK((t.Selected() == Codes{6, 7} && !t.Captured() && t.ctl->scrollTimer == 0));
}

TEST_CASE("header bar: divider drag with its line and widths, header buttons, the corner") {
    Tree t(kNotifyStyle, 300, 200);
    TreeColumnInfo cols[3] = {{60, 0, 0, nullptr}, {50, 0, 0, nullptr}, {-1, 0, 0, nullptr}};
    REQUIRE(t.Get(LUMTREEM_SETCOLUMNINFO, 3, Ptr(cols)) == 1);
    AddFlat(t.hwnd, 5);
    lt::Send(t.hwnd, LUMTREEM_SHOWHEADER, 1);
    lt::Send(t.hwnd, LUMTREEM_SETHEADERBUTTONS, 1);
    UpdateWindow(t.hwnd);
    const int tw = t.ctl->treeWidth, y = 3;
    const int divider1 = tw + 110;
    CHECK(DividerAt(t.ctl, 299) == -1); // the stretching column has none
    t.Take();
    t.Mouse(WM_LBUTTONDOWN, POINT{divider1 - 3, y}, MK_LBUTTON);
    CHECK((t.ctl->resizingColumn == 1 && t.Captured() && t.Take().empty()));
    // The line is inverted on the window, two pixels wide, and taken off again.
    const int lineX = tw + 20, rowY = t.Row(8, 0).y; // below the items: plain background
    HDC dc = GetDC(t.hwnd);
    const COLORREF before = GetPixel(dc, lineX - 1, rowY), beside = GetPixel(dc, lineX + 3, rowY);
    t.Mouse(WM_MOUSEMOVE, POINT{lineX, y}, MK_LBUTTON);
    const RECT line = t.ctl->resizeLine;
    CHECK((line.left == lineX - 1 && line.right == lineX + 1 && line.bottom == 200));
    const int inverted =
        (GetPixel(dc, lineX - 1, rowY) != before) + (GetPixel(dc, lineX - 1, rowY + 1) != before);
    CHECK((inverted == 1 && GetPixel(dc, lineX + 3, rowY) == beside));
    // Released left of column 1's own left edge: column 0 shrinks too.
    t.Mouse(WM_LBUTTONUP, POINT{lineX, y});
    UpdateWindow(t.hwnd);
    CHECK(t.Take() == Codes{LUMTREEN_LBUTTONUP, LUMTREEN_COLUMNRESIZE});
    CHECK((t.ctl->columns[0].width == 20 && t.ctl->columns[1].width == 0));
    CHECK((IsRectEmpty(&t.ctl->resizeLine) && !t.Captured()));
    CHECK((GetPixel(dc, lineX - 1, rowY) == before && GetPixel(dc, lineX, rowY) == before));
    ReleaseDC(t.hwnd, dc);
    // Column 0 pulled wider: the rightmost matching divider is column 1's (width 0), so
    // column 0's own divider is reached only when column 1 is wider again.
    t.ctl->columns[1].width = 50;
    t.Mouse(WM_LBUTTONDOWN, POINT{tw + 21, y}, MK_LBUTTON);
    CHECK(t.ctl->resizingColumn == 0);
    t.Mouse(WM_LBUTTONUP, POINT{tw + 100, y});
    CHECK((t.ctl->columns[0].width == 100 && t.Take().back() == LUMTREEN_COLUMNRESIZE));
    t.Click(POINT{tw + 100, y}); // released where it was: no change, no code
    CHECK(t.Take() == Codes{LUMTREEN_LBUTTONUP});

    // Header buttons: 36 on release inside; moving out and back; spring-back; disabled.
    const POINT head1{tw + 120, y};
    t.Mouse(WM_LBUTTONDOWN, head1, MK_LBUTTON);
    CHECK((t.Get(LUMTREEM_GETPRESSEDHEADER) == 1 && t.Get(LUMTREEM_GETLASTCLICKCOLUMN) == 1));
    t.Mouse(WM_MOUSEMOVE, POINT{tw + 50, y}, MK_LBUTTON);
    CHECK(t.Get(LUMTREEM_GETPRESSEDHEADER) == -1);
    t.Mouse(WM_MOUSEMOVE, head1, MK_LBUTTON);
    t.Mouse(WM_LBUTTONUP, head1);
    CHECK((t.Take() == Codes{LUMTREEN_LBUTTONUP, 36} && t.Get(LUMTREEM_GETPRESSEDHEADER) == 1));
    t.Click(head1); // already pressed: swallowed
    CHECK((t.Take() == Codes{LUMTREEN_LBUTTONUP} && t.Get(LUMTREEM_GETPRESSEDHEADER) == 1));
    t.Mouse(WM_LBUTTONDOWN, POINT{tw + 50, y}, MK_LBUTTON);
    t.Mouse(WM_LBUTTONUP, POINT{tw + 50, 150}); // released off the header: back to column 1
    CHECK((t.Take() == Codes{LUMTREEN_LBUTTONUP} && t.Get(LUMTREEM_GETPRESSEDHEADER) == 1));
    t.ctl->columns[0].headerFlags = LUMTREEHEADER_SPRINGBACK;
    t.Click(POINT{tw + 50, y});
    CHECK((t.Take() == Codes{LUMTREEN_LBUTTONUP, 36} && t.Get(LUMTREEM_GETPRESSEDHEADER) == -1));
    t.ctl->columns[0].headerFlags = LUMTREEHEADER_DISABLED;
    t.Click(POINT{tw + 50, y});
    CHECK((t.Take() == Codes{LUMTREEN_LBUTTONUP} && t.Get(LUMTREEM_GETPRESSEDHEADER) == -1));
    // Right presses in the header take nothing; their release is 1003.
    t.Mouse(WM_RBUTTONDOWN, head1, MK_RBUTTON);
    t.Mouse(WM_RBUTTONUP, head1);
    CHECK((t.Take() == Codes{LUMTREEN_RBUTTONUPHEADER} && !t.Captured()));

    // The corner toggles on a completed click (37) and keeps it; a right click reports 77.
    lt::Send(t.hwnd, LUMTREEM_SHOWLABELS, 3);
    const POINT corner{2, 2};
    t.Mouse(WM_LBUTTONDOWN, corner, MK_LBUTTON);
    CHECK((t.Get(LUMTREEM_GETCORNERPRESSED) == 1 && t.Get(LUMTREEM_GETLASTCLICKCOLUMN) == -1));
    t.Mouse(WM_MOUSEMOVE, POINT{2, 150}, MK_LBUTTON);
    CHECK(t.Get(LUMTREEM_GETCORNERPRESSED) == 0);
    t.Mouse(WM_LBUTTONUP, corner);
    CHECK((t.Take() == Codes{LUMTREEN_LBUTTONUP, 37} && t.Get(LUMTREEM_GETCORNERPRESSED) == 1));
    t.Mouse(WM_RBUTTONDOWN, corner, MK_RBUTTON);
    t.Mouse(WM_RBUTTONUP, corner);
    CHECK((t.Take() == Codes{LUMTREEN_RBUTTONUP, 77} && t.Get(LUMTREEM_GETCORNERPRESSED) == 0));
}

TEST_CASE("drag and drop: arming by mode, start rules, refusals, drop marks, other windows") {
    Tree t(kDragStyle, 240, 260);
    AddFlat(t.hwnd, 12);
    t.SetMarkColour();
    CHECK((t.Get(LUMTREEM_GETDRAGMODE) == 0 && t.Get(LUMTREEM_GETDROPTARGET) == -1));
    lt::Send(t.hwnd, LUMTREEM_SETDROPMARKMODE, 0, 1);
    auto *info = reinterpret_cast<TreeDragInfo *>(lt::Send(t.hwnd, LUMTREEM_GETDRAGINFO));
    REQUIRE(info == &t.ctl->dragInfo);
    // Mode 0: an unselected item does not arm; a selected one does, and the drag starts on
    // another row.
    t.Mouse(WM_LBUTTONDOWN, t.Text(2), MK_LBUTTON);
    CHECK(!t.ctl->dragArmed);
    t.Mouse(WM_LBUTTONUP, t.Text(2));
    t.Take();
    t.Mouse(WM_LBUTTONDOWN, t.Text(2), MK_LBUTTON);
    CHECK(t.Take() == Codes{35});
    CHECK(t.ctl->dragArmed);
    t.Mouse(WM_MOUSEMOVE, POINT{t.Text(2).x + 30, t.Text(2).y}, MK_LBUTTON);
    CHECK((t.Take().empty() && !t.ctl->dragging));
    t.Mouse(WM_MOUSEMOVE, t.Text(5), MK_LBUTTON | MK_CONTROL);
    CHECK(t.Take() == Codes{LUMTREEN_BEGINDRAG, LUMTREEN_DRAGOVER});
    CHECK((info->dragTarget == 5 && info->ctrlDown == MK_CONTROL && info->shiftDown == 0 &&
           info->targetWindow == t.hwnd && info->multipleItems == 0));
    CHECK((t.Get(LUMTREEM_GETDROPTARGET) == 5 && GetCursor() == t.ctl->dragCursor));
    RECT row5;
    RowRect(t.ctl, 5, &row5);
    CHECK(t.CountMark(row5) > 0);
    t.Mouse(WM_LBUTTONUP, t.Text(5));
    CHECK((t.Take() == Codes{LUMTREEN_LBUTTONUP, LUMTREEN_DROP} && !t.Captured()));
    CHECK((t.Get(LUMTREEM_GETDROPTARGET) == 5 && t.Get(LUMTREEM_GETSELECTION) == 2));
    UpdateWindow(t.hwnd);
    t.Get(LUMTREEM_SETDROPTARGET, WPARAM(-1));
    CHECK((t.Invalid(POINT{2, row5.top + 1}) && t.Get(LUMTREEM_GETDROPTARGET) == -1 &&
           t.CountMark(row5) == 0));

    // Over another window: no target, the no-drop cursor, DRAGOVER all the same.
    HWND other = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE, 250, 0, 100, 100,
                                 t.parent.hwnd(), nullptr, nullptr, nullptr);
    t.Mouse(WM_LBUTTONDOWN, t.Text(2), MK_LBUTTON);
    t.Mouse(WM_MOUSEMOVE, t.Text(4), MK_LBUTTON);
    t.Take();
    t.Mouse(WM_MOUSEMOVE, POINT{270, 20}, MK_LBUTTON | MK_SHIFT);
    CHECK((t.Take() == Codes{LUMTREEN_DRAGOVER} && info->dragTarget == -1 &&
           info->targetWindow == other && info->shiftDown == MK_SHIFT));
    CHECK((t.Get(LUMTREEM_GETDROPTARGET) == -1 &&
           t.ctl->dragCursor == LoadCursorA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(32600))));
    // Escape cancels.
    lt::Send(t.hwnd, WM_KEYDOWN, VK_ESCAPE);
    CHECK((t.Take() == Codes{LUMTREEN_CANCELDRAG} && !t.Captured() && !t.ctl->dragArmed));
    t.Mouse(WM_LBUTTONUP, t.Text(2));
    DestroyWindow(other);

    // Mode 5 arms unselected items too and starts only outside the drag rectangle.
    t.Get(LUMTREEM_SETDRAGMODE, 5);
    const int cx = GetSystemMetrics(SM_CXDRAG);
    const POINT p = t.Text(7);
    t.Mouse(WM_LBUTTONDOWN, p, MK_LBUTTON);
    t.Take();
    t.Mouse(WM_MOUSEMOVE, POINT{p.x + cx - 1, p.y}, MK_LBUTTON);
    CHECK((t.Take().empty() && t.ctl->dragArmed && !t.ctl->dragging));
    t.Mouse(WM_MOUSEMOVE, POINT{p.x + cx, p.y}, MK_LBUTTON);
    CHECK((t.Take() == Codes{LUMTREEN_BEGINDRAG, LUMTREEN_DRAGOVER} && info->dragTarget == 7));
    lt::Send(t.hwnd, WM_CANCELMODE);
    CHECK((t.Take() == Codes{LUMTREEN_CANCELDRAG} && !t.Captured()));
    t.Mouse(WM_LBUTTONUP, p);
    CHECK(t.Get(LUMTREEM_SETDRAGMODE, 9) == 0);
    CHECK(t.Get(LUMTREEM_GETDRAGMODE) == 0);

    // The parent clears the selection when the drag begins: the control cancels.
    t.parent.onMessage = [&](UINT msg, WPARAM wp, LPARAM, LRESULT *) {
        if (msg == WM_COMMAND && HIWORD(wp) == LUMTREEN_BEGINDRAG) {
            lt::Send(t.hwnd, LUMTREEM_SETSELECTION, WPARAM(-1));
        }
        return false;
    };
    t.Mouse(WM_LBUTTONDOWN, t.Text(7), MK_LBUTTON);
    t.Take();
    t.Mouse(WM_MOUSEMOVE, t.Text(3), MK_LBUTTON);
    CHECK((t.Take() == Codes{LUMTREEN_BEGINDRAG, LUMTREEN_CANCELDRAG} && !t.Captured()));
    t.Mouse(WM_LBUTTONUP, t.Text(3));
    t.parent.onMessage = nullptr;

    // Insertion marks: below the last item the target is the end of the list.
    lt::Send(t.hwnd, LUMTREEM_SETDROPMARKMODE, 0, LUMTREEDROPMARK_INSERT);
    lt::Send(t.hwnd, LUMTREEM_DELETEITEM, 11);
    lt::Send(t.hwnd, LUMTREEM_DELETEITEM, 10);
    t.Get(LUMTREEM_SETSELECTION, 3);
    t.Mouse(WM_LBUTTONDOWN, t.Text(3), MK_LBUTTON);
    t.Mouse(WM_MOUSEMOVE, t.Row(10, 40), MK_LBUTTON);
    CHECK((t.Get(LUMTREEM_GETDROPTARGET) == 10 && info->dragTarget == 10));
    const RECT after{0, t.Row(10, 0).y - t.ctl->rowHeight / 2, 240, 260};
    CHECK(t.CountMark(after) > 0);
    t.Mouse(WM_LBUTTONUP, t.Row(10, 40));
    CHECK(t.Take().back() == LUMTREEN_DROP);
}

TEST_CASE("drop targets set by the application: three mark modes, refusals, pixels") {
    Tree t;
    AddItems(t.hwnd, {{"A", 0}, {"a", 1}, {"B", 0}, {"C", 0}});
    t.SetMarkColour();
    lt::Send(t.hwnd, LUMTREEM_EXPAND, 0, 0); // "a" hidden
    t.Take();
    RECT rows[3];
    for (int r = 0; r < 3; ++r) RowRect(t.ctl, ItemAtScreenRow(t.ctl, r), &rows[r]);
    const RECT below{0, rows[2].bottom, 240, 200};
    // Mode 0: the caret shows the target; nothing is marked.
    CHECK(t.Get(LUMTREEM_SETDROPTARGET, 2) == 0);
    CHECK((t.Get(LUMTREEM_GETCARET) == 2 && t.Get(LUMTREEM_GETDROPTARGET) == -1));
    CHECK(t.Take() == Codes{LUMTREEN_CARETCHANGE});
    // Mode 1: a frame around the row.
    lt::Send(t.hwnd, LUMTREEM_SETDROPMARKMODE, 0, 1);
    CHECK(t.Get(LUMTREEM_SETDROPTARGET, 3) == 0);
    CHECK((t.CountMark(rows[2]) > 2 * (rows[2].bottom - rows[2].top) && t.CountMark(rows[1]) == 0));
    // Mode 2 (3 or more stores 1): the bar over the row; the end of the list below the last row.
    lt::Send(t.hwnd, LUMTREEM_SETDROPMARKMODE, 0, 2);
    CHECK(t.Get(LUMTREEM_GETDROPMARKMODE) == 2);
    CHECK((t.CountMark(rows[2]) == 2 * 240 && t.CountMark(rows[1]) == 0));
    CHECK(t.Get(LUMTREEM_SETDROPTARGET, 4) == 0);
    CHECK((t.CountMark(rows[2]) == 0 && t.CountMark(below) == 2 * 240));
    // Refusals: out of range, hidden; the hidden one leaves no mark.
    CHECK((t.Get(LUMTREEM_SETDROPTARGET, 5) == -1 &&
           t.Get(LUMTREEM_SETDROPTARGET, WPARAM(-2)) == -1));
    CHECK((t.Get(LUMTREEM_SETDROPTARGET, 1) == -1 && t.Get(LUMTREEM_GETDROPTARGET) == -1));
    CHECK(t.CountMark(RECT{0, 0, 240, 200}) == 0);
    lt::Send(t.hwnd, LUMTREEM_SETDROPMARKMODE, 0, 7);
    CHECK(t.Get(LUMTREEM_GETDROPMARKMODE) == 1);
}

TEST_CASE("real input: drag selection, drag and drop-target autoscroll, hot tracking leaving") {
    Tree t(kDragStyle | LUMTREESTYLE_MULTIPLESEL, 240, 200);
    AddFlat(t.hwnd, 60);
    const int full = t.ctl->fullRows;
    // Held below the list, the selection grows one item per tick and the list scrolls.
    RealMove(t.hwnd, t.Text(1));
    RealButton(MOUSEEVENTF_LEFTDOWN);
    REQUIRE(t.Captured());
    RealMove(t.hwnd, POINT{60, 230});
    CHECK(PumpUntil([&] { return t.Get(LUMTREEM_GETCARET) > full + 4; }));
    const int caret = t.Get(LUMTREEM_GETCARET);
    CHECK((caret > full + 2 && t.Get(LUMTREEM_GETTOPINDEX) == caret - full + 1));
    CHECK(t.Get(LUMTREEM_GETSELCOUNT) == caret);
    RealButton(MOUSEEVENTF_LEFTUP);
    CHECK((!t.Captured() && t.ctl->scrollTimer == 0));
    const int settled = t.Get(LUMTREEM_GETCARET);
    PumpFor(50);
    CHECK(t.Get(LUMTREEM_GETCARET) == settled);

    // A drag held in the bottom row moves the drop target and scrolls; Escape ends it.
    lt::Send(t.hwnd, LUMTREEM_SETTOPINDEX, 0);
    lt::Send(t.hwnd, LUMTREEM_SETDROPMARKMODE, 0, 1);
    t.Click(t.Text(2));
    t.Take();
    RealMove(t.hwnd, t.Text(2));
    RealButton(MOUSEEVENTF_LEFTDOWN);
    RealMove(t.hwnd, t.Text(4));
    const Codes begun = t.Take();
    CHECK(begun == Codes{35, LUMTREEN_BEGINDRAG, LUMTREEN_DRAGOVER});
    RealMove(t.hwnd, t.Row(full, 60));
    CHECK(PumpUntil([&] { return t.Get(LUMTREEM_GETDROPTARGET) > full + 4; }));
    CHECK((t.Get(LUMTREEM_GETDROPTARGET) > full + 2 && t.Get(LUMTREEM_GETTOPINDEX) > 2));
    lt::Send(t.hwnd, WM_KEYDOWN, VK_ESCAPE);
    CHECK((t.Take().back() == LUMTREEN_CANCELDRAG && !t.Captured() && t.ctl->scrollTimer == 0));
    RealButton(MOUSEEVENTF_LEFTUP);

    // The hot row follows the pointer and is let go when the pointer leaves the control.
    lt::Send(t.hwnd, LUMTREEM_SETTOPINDEX, 0);
    RealMove(t.hwnd, t.Text(3));
    CHECK((g_lum.trackWindow == t.hwnd && g_lum.trackIndex == 3));
    RealMove(t.hwnd, t.Text(5));
    CHECK(g_lum.trackIndex == 5);
    RealMove(t.hwnd, POINT{300, 100});
    CHECK(PumpUntil([] { return g_lum.trackIndex == -1; }));
    // The pointer is parked where no test program puts a window.
    SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
}

TEST_CASE("bitmap areas: their own codes; selection and drag only with select-on-bitmap-click") {
    Tree t(kDragStyle);
    AddItems(t.hwnd, {{"A", 0}, {"a", 1}});
    lt::Send(t.hwnd, LUMTREEM_SETDRAGMODE, 4);
    t.ctl->showItemBitmaps = t.ctl->showStateBitmaps = t.ctl->showNodeBitmaps = TRUE;
    for (BITMAP *bm : {&t.ctl->itemBitmapInfo, &t.ctl->stateBitmapInfo, &t.ctl->nodeBitmapInfo})
        *bm = BITMAP{0, 16, 8, 0, 1, 1, nullptr};
    RecalcRowHeight(t.ctl);
    t.Take();
    const int item = ItemBitmapAreaWidth(t.ctl);
    const int node = TreePartStart(t.ctl) + IndentOf(t.ctl, 1) + 2;
    const std::pair<int, int> areas[] = {{2, 30}, {item + 2, 31}, {node, 34}};
    for (auto [x, code] : areas) {
        t.Mouse(WM_LBUTTONDOWN, t.Row(1, x), MK_LBUTTON);
        CHECK(t.Take().back() == code);
        CHECK((t.Get(LUMTREEM_GETSELECTION) == 1 && !t.Captured() && !t.ctl->dragArmed));
        t.Get(LUMTREEM_SETSELECTION, 0);
    }
    lt::Send(t.hwnd, LUMTREEM_SETSELECTONBITMAPCLICK, 1);
    t.Take();
    t.Mouse(WM_LBUTTONDOWN, t.Row(1, 2), MK_LBUTTON);
    CHECK(t.Take() == Codes{LUMTREEN_SELCLEAR, LUMTREEN_SELCHANGE, 30});
    CHECK((t.Captured() && t.ctl->dragArmed && t.ctl->pressedItem == 1));
    t.Mouse(WM_LBUTTONUP, t.Row(1, 2));
}

TEST_CASE("timers: the divider drag scrolls sideways, drop targets set with autoscroll") {
    Tree t(kNotifyStyle | LUMTREESTYLE_MULTIPLESEL, 300, 200);
    TreeColumnInfo cols[3] = {{60, 0, 0, nullptr}, {50, 0, 0, nullptr}, {200, 0, 0, nullptr}};
    REQUIRE(t.Get(LUMTREEM_SETCOLUMNINFO, 3, Ptr(cols)) == 1);
    AddFlat(t.hwnd, 60);
    lt::Send(t.hwnd, LUMTREEM_SHOWHEADER, 1);
    REQUIRE(t.Get(LUMTREEM_SETHEXTENT, 900) != 0);
    const int tw = t.ctl->treeWidth;
    t.Take();
    // Held right of the bar: an eighth of the item area per tick, reported; back inside: stop.
    t.Mouse(WM_LBUTTONDOWN, POINT{tw + 110, 3}, MK_LBUTTON);
    t.Mouse(WM_MOUSEMOVE, POINT{320, 3}, MK_LBUTTON);
    CHECK(PumpUntil([&] { return t.Get(LUMTREEM_GETHPOS) > 0; }));
    t.Mouse(WM_MOUSEMOVE, POINT{200, 3}, MK_LBUTTON);
    const int pos = t.Get(LUMTREEM_GETHPOS);
    CHECK((pos > 0 && pos % ((ItemAreaRect(t.ctl).right - ItemAreaRect(t.ctl).left) / 8) == 0));
    CHECK((t.ctl->scrollTimer == 0 && t.Take().back() == LUMTREEN_HSCROLL));
    t.Mouse(WM_LBUTTONUP, POINT{200, 3});
    CHECK((t.ctl->columns[1].width == pos + 200 - tw - 60 && t.Take().back() == 12));
    // Left of the bar it scrolls back to the start and no further.
    t.Mouse(WM_LBUTTONDOWN, POINT{t.ctl->columns[1].width + tw + 60 - pos, 3}, MK_LBUTTON);
    REQUIRE(t.ctl->resizingColumn == 1);
    t.Mouse(WM_MOUSEMOVE, POINT{-5, 3}, MK_LBUTTON);
    CHECK(PumpUntil([&] { return t.Get(LUMTREEM_GETHPOS) == 0; }));
    lt::Send(t.hwnd, WM_CANCELMODE);

    // The drop target in the bottom full row scrolls down one item per tick; the keys then move
    // only the caret; the target at the top scrolls back up; -1 stops.
    lt::Send(t.hwnd, LUMTREEM_SETDROPMARKMODE, 0, 1);
    const int full = t.ctl->fullRows;
    CHECK(t.Get(LUMTREEM_SETDROPTARGET, full - 1, 1) == 0);
    CHECK((t.ctl->dropScrolling && t.ctl->scrollTimer));
    CHECK(PumpUntil([&] { return t.Get(LUMTREEM_GETDROPTARGET) > full + 1; }));
    const int target = t.Get(LUMTREEM_GETDROPTARGET);
    CHECK((target > full + 1 && t.Get(LUMTREEM_GETTOPINDEX) == target - full + 1));
    t.Take();
    lt::Send(t.hwnd, WM_KEYDOWN, VK_DOWN);
    CHECK((t.Take() == Codes{LUMTREEN_TOPCHANGE, LUMTREEN_CARETCHANGE} &&
           t.Get(LUMTREEM_GETSELCOUNT) == 0));
    t.Get(LUMTREEM_SETDROPTARGET, t.Get(LUMTREEM_GETTOPINDEX), 1);
    CHECK((t.ctl->dropScrolling && !t.ctl->scrollDown));
    CHECK(PumpUntil([&] { return t.Get(LUMTREEM_GETTOPINDEX) == 0; }));
    PumpFor(30);
    CHECK((t.Get(LUMTREEM_GETTOPINDEX) == 0 && t.Get(LUMTREEM_GETDROPTARGET) == 0));
    t.Get(LUMTREEM_SETDROPTARGET, WPARAM(-1));
    CHECK((!t.ctl->dropScrolling && t.ctl->scrollTimer == 0));
}

TEST_CASE("several items dragged; arming modes; another window taking the capture") {
    Tree t(kDragStyle | LUMTREESTYLE_MULTIPLESEL);
    AddFlat(t.hwnd, 10);
    t.Click(t.Text(1));
    t.Click(t.Text(3), MK_SHIFT);
    t.Mouse(WM_LBUTTONDOWN, t.Text(2), MK_LBUTTON);
    t.Mouse(WM_MOUSEMOVE, t.Text(6), MK_LBUTTON);
    CHECK(t.ctl->dragInfo.multipleItems == 1);
    t.Mouse(WM_LBUTTONUP, t.Text(6));
    CHECK((t.Take().back() == LUMTREEN_DROP && t.Selected() == Codes{1, 2, 3}));
    // Modes 1 and 3 arm an unselected item only in single-selection mode; 4 always.
    for (auto [mode, armed] : {std::pair{1, false}, std::pair{3, false}, std::pair{4, true}}) {
        lt::Send(t.hwnd, LUMTREEM_SETDRAGMODE, mode);
        t.Click(t.Text(0));
        t.Mouse(WM_LBUTTONDOWN, t.Text(5 + mode), MK_LBUTTON);
        CHECK(bool(t.ctl->dragArmed) == armed);
        t.Mouse(WM_LBUTTONUP, t.Text(5 + mode));
    }
    // A window that takes the capture ends every mode; the next press is tracked again.
    t.Mouse(WM_LBUTTONDOWN, t.Text(2), MK_LBUTTON);
    SetCapture(t.parent.hwnd());
    CHECK((t.ctl->buttonDown == 0 && !t.ctl->dragArmed));
    ReleaseCapture();
    t.Mouse(WM_LBUTTONDOWN, t.Text(4), MK_LBUTTON);
    CHECK((t.Captured() && t.ctl->buttonDown == 1));
    t.Mouse(WM_LBUTTONUP, t.Text(4));
}
