// Scrolling: the top item (vertical, whole rows) and the horizontal position (pixels), the two
// scroll bars that mirror them, and the WM_VSCROLL, WM_HSCROLL and WM_SIZE requests.
#include "layout.h"

#include "../items/items.h"
#include "../render/render.h"

#include <algorithm>
#include <cstdlib>
#include <iterator>

namespace {

bool BarUpdatesAllowed(const TreeCtl *ctl, bool vertical) {
    if (!DrawingLive(ctl)) return false;
    return vertical ? (ctl->vertBarManaged && !ctl->vertBarUpdateOff)
                    : (ctl->horzBarManaged && !ctl->horzBarUpdateOff);
}

// inScrollRequest holds one bit per bar (1 << SB_HORZ, 1 << SB_VERT): a request on one bar
// freezes only that bar's range, so a parent that changes the list while the user drags the
// horizontal thumb still gets a right vertical range.
bool InScrollRequest(const TreeCtl *ctl, int bar) {
    return (ctl->inScrollRequest & (1 << bar)) != 0;
}

// What the platform draws of a standard scroll bar: its place, the thumb's extent and the
// state of its parts. Two equal readings draw the same pixels.
SCROLLBARINFO BarLook(HWND window, int bar) {
    SCROLLBARINFO info{};
    info.cbSize = sizeof(info);
    if (!GetScrollBarInfo(window, bar == SB_VERT ? OBJID_VSCROLL : OBJID_HSCROLL, &info)) {
        info.rgstate[0] = STATE_SYSTEM_INVISIBLE;
    }
    return info;
}

bool SameLook(const SCROLLBARINFO &a, const SCROLLBARINFO &b) {
    return EqualRect(&a.rcScrollBar, &b.rcScrollBar) && a.xyThumbTop == b.xyThumbTop &&
           a.xyThumbBottom == b.xyThumbBottom && a.dxyLineButton == b.dxyLineButton &&
           std::equal(std::begin(a.rgstate), std::end(a.rgstate), std::begin(b.rgstate));
}

// Marks the part of the window frame that a standard scroll bar covers for repainting, so the
// window's next frame paint draws the bar with the values stored in it. Nothing happens while
// the bar is not on the window.
void InvalidateBarFrame(HWND window, const SCROLLBARINFO &look) {
    if (look.rgstate[0] & STATE_SYSTEM_INVISIBLE) return;
    RECT rc = look.rcScrollBar;
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT *>(&rc), 2);
    RedrawWindow(window, &rc, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_NOERASE | RDW_NOCHILDREN);
}

// Range, page and position reach the bar at once (GetScrollInfo reads them back right away),
// but the bar is not painted here: a synchronous repaint of the bar costs milliseconds on some
// hosts, and a burst of changes (a fill, a run of expansions) would pay it for every message.
// The bar's strip of the frame is invalidated instead and painted with the window's next frame
// paint. Showing or hiding the bar still changes the frame at once, as the platform does that
// whatever the redraw flag says.
void SetBarInfo(TreeCtl *ctl, int bar, INT max, INT page, INT pos) {
    SCROLLINFO si{};
    si.cbSize = sizeof(si);
    si.fMask = SIF_PAGE | SIF_POS;
    if (HasStyle(ctl, LUMTREESTYLE_DISABLENOSCROLL)) si.fMask |= SIF_DISABLENOSCROLL;
    if (!InScrollRequest(ctl, bar)) si.fMask |= SIF_RANGE;
    si.nMin = 0;
    si.nMax = max;
    si.nPage = static_cast<UINT>(page);
    si.nPos = pos;
    // Most changes of a long list leave the thumb's pixels where they were (a thumb at its
    // smallest size at the top while items are appended): the frame is then left alone.
    const SCROLLBARINFO before = BarLook(ctl->window, bar);
    ctl->setScrollInfoFn(ctl->window, bar, &si, FALSE);
    const SCROLLBARINFO after = BarLook(ctl->window, bar);
    if (!SameLook(before, after)) InvalidateBarFrame(ctl->window, after);
    // The platform tells accessibility clients about a bar's new value only when it repaints
    // the bar; they still hear of it here.
    const DWORD shown = bar == SB_VERT ? WS_VSCROLL : WS_HSCROLL;
    if (WindowStyle(ctl) & shown) {
        ForgetChildCheck(); // in-context hooks run here
        NotifyWinEvent(EVENT_OBJECT_VALUECHANGE, ctl->window,
                       bar == SB_VERT ? OBJID_VSCROLL : OBJID_HSCROLL, CHILDID_SELF);
    }
}

// The scroll bar through the range and position functions, for hosts without SetScrollInfo.
void SetBarRange(TreeCtl *ctl, int bar, BOOL *shown, INT max, INT pos, bool disableWhenEmpty) {
    HWND w = ctl->window;
    if (disableWhenEmpty) {
        if (!*shown) return;
        if (!InScrollRequest(ctl, bar)) {
            EnableScrollBar(w, bar, ESB_DISABLE_BOTH);
            SetScrollRange(w, bar, 0, 1, FALSE);
            *shown = FALSE;
        }
        SetScrollPos(w, bar, 0, TRUE);
        return;
    }
    if (*shown) {
        INT curMin = 0, curMax = 0;
        GetScrollRange(w, bar, &curMin, &curMax);
        INT curPos = GetScrollPos(w, bar);
        if (curMax != max) {
            if (pos == curPos) {
                SetScrollRange(w, bar, 0, max, TRUE);
                return;
            }
            if (!InScrollRequest(ctl, bar)) SetScrollRange(w, bar, 0, max, FALSE);
        } else if (pos == curPos) {
            return;
        }
        SetScrollPos(w, bar, pos, TRUE);
        return;
    }
    if (!InScrollRequest(ctl, bar)) {
        EnableScrollBar(w, bar, ESB_ENABLE_BOTH);
        SetScrollRange(w, bar, 0, max, FALSE);
        *shown = TRUE;
    }
    SetScrollPos(w, bar, pos, TRUE);
}

INT ItemAreaWidth(const TreeCtl *ctl) {
    RECT area = ItemAreaRect(ctl);
    return area.right - area.left;
}

} // namespace

void UpdateVScrollBar(TreeCtl *ctl) {
    if (!BarUpdatesAllowed(ctl, true)) return;
    INT pos = ctl->itemCount ? ShownRowOf(ctl, ctl->topIndex) : 0;
    if (ctl->setScrollInfoFn) {
        SetBarInfo(ctl, SB_VERT, std::max(pos + ctl->fullRows - 1, ctl->shownCount - 1),
                   ctl->fullRows, pos);
        return;
    }
    INT max =
        pos > ctl->shownCount - ctl->fullRows ? pos : std::max(0, ctl->shownCount - ctl->fullRows);
    bool disable = max == 0 && HasStyle(ctl, LUMTREESTYLE_DISABLENOSCROLL);
    SetBarRange(ctl, SB_VERT, &ctl->vertBarShown, max, pos, disable);
}

void UpdateHScrollBar(TreeCtl *ctl) {
    if (!BarUpdatesAllowed(ctl, false)) return;
    INT w = ItemAreaWidth(ctl);
    if (ctl->setScrollInfoFn) {
        INT page = w / 3;
        SetBarInfo(ctl, SB_HORZ, (ctl->horizontalExtent - w) + page - 1, page, ctl->horizontalPos);
        return;
    }
    INT max = std::max(0, ctl->horizontalExtent - w);
    bool disable = w >= ctl->horizontalExtent && HasStyle(ctl, LUMTREESTYLE_DISABLENOSCROLL);
    SetBarRange(ctl, SB_HORZ, &ctl->horzBarShown, max, ctl->horizontalPos, disable);
}

INT SetTopIndex(TreeCtl *ctl, INT i) {
    if (!ValidIndex(ctl, i)) return -1;
    EndEditRequest(ctl);
    if (!ShowItem(ctl, i, true)) return -1;
    INT r = std::max(0, std::min(ShownRowOf(ctl, i), ctl->shownCount - ctl->fullRows));
    INT old = ShownRowOf(ctl, ctl->topIndex);
    if (r == old) return 0;
    INT top = ItemAtRow(ctl, r);
    if (std::abs(r - old) >= ctl->pageRows) {
        InvalidateItemArea(ctl, true);
    } else if (DrawingLive(ctl)) {
        // The rows that are about to move are brought up to date first; a pending repaint of
        // the scroll bars is left to the next paint of the window.
        PaintPendingRows(ctl);
        // Row labels move with their rows, so the scrolled band starts at x = 0.
        RECT rc = ItemAreaRect(ctl);
        rc.left = 0;
        ScrollWindow(ctl->window, 0, (old - r) * ctl->rowHeight, &rc, &rc);
    }
    ctl->topIndex = top;
    UpdateVScrollBar(ctl);
    return 0;
}

void ScrollToTop(TreeCtl *ctl, INT i) {
    if (i == ctl->topIndex) return;
    SetTopIndex(ctl, i);
    Notify(ctl, LUMTREEN_TOPCHANGE);
}

bool SetHorizontalPos(TreeCtl *ctl, INT pos) {
    if (pos < -1) return false;
    EndEditRequest(ctl);
    INT limit = ctl->horizontalExtent - ItemAreaWidth(ctl);
    if (limit < 1) limit = 0;
    if (pos == -1 || pos > limit) pos = limit;
    if (pos == ctl->horizontalPos) return true;
    InvalidateHeaderBar(ctl);
    InvalidateItemArea(ctl, true);
    ctl->horizontalPos = pos;
    UpdateHScrollBar(ctl);
    return true;
}

bool ScrollToX(TreeCtl *ctl, INT pos) {
    INT old = ctl->horizontalPos;
    if (!SetHorizontalPos(ctl, pos) || ctl->horizontalPos == old) return false;
    Notify(ctl, LUMTREEN_HSCROLL);
    return true;
}

bool SetHorizontalExtent(TreeCtl *ctl, INT extent) {
    if (extent < 0) return false;
    EndEditRequest(ctl);
    // The stored widths as they stand: a stretching column counts -1.
    int64_t columns = 0;
    for (INT c = 0; c < ctl->columnCount; ++c) columns += ctl->columns[c].width;
    if (extent < columns) return false;
    if (extent == ctl->horizontalExtent) return true;
    // The position is not limited here; the next horizontal scroll or WM_SIZE does that.
    ctl->horizontalExtent = extent;
    UpdateHScrollBar(ctl);
    return true;
}

void FitHorizontalExtent(TreeCtl *ctl) {
    const INT last = ctl->columnCount - 1;
    INT extent;
    if (ctl->columns[last].width == LUMTREE_STRETCH) {
        INT w = AutoColumnWidth(ctl, last);
        if (w < 0) return;
        extent =
            Saturate(int64_t{w} + ColumnLeft(ctl, last, kNone) + (last == 0 ? ctl->treeWidth : 0));
    } else {
        ApplyDeepestLevel(ctl, DeepestLevel(ctl));
        int64_t sum = ctl->treeWidth;
        for (INT c = 0; c <= last; ++c) sum += ctl->columns[c].width;
        extent = Saturate(sum);
    }
    SetHorizontalExtent(ctl, extent);
    ScrollToX(ctl, ctl->horizontalPos);
}

void EnsureColumnVisible(TreeCtl *ctl, INT column) {
    EndEditRequest(ctl);
    if (column < 0 || column >= ctl->columnCount) return;
    INT target = 0;
    if (ctl->itemCount > 0) {
        RECT cell, row;
        if (!CellRect(ctl, ctl->topIndex, column, &cell)) return;
        if (column == 0) {
            target = 0;
        } else if (column == ctl->columnCount - 1) {
            target = -1; // far right
        } else {
            RowRect(ctl, ctl->topIndex, &row);
            target = ctl->horizontalPos;
            if (cell.left < row.left) {
                target += cell.left - row.left;
            } else if (cell.right > row.right) {
                target += cell.right - row.right;
            }
        }
    }
    ScrollToX(ctl, target);
}

void SetDisableNoScroll(TreeCtl *ctl, bool on) {
    EndEditRequest(ctl);
    DWORD style = WindowStyle(ctl);
    DWORD changed = on ? (style | LUMTREESTYLE_DISABLENOSCROLL)
                       : (style & ~static_cast<DWORD>(LUMTREESTYLE_DISABLENOSCROLL));
    if (changed == style) return;
    SetWindowLongA(ctl->window, GWL_STYLE, static_cast<LONG>(changed));
    UpdateVScrollBar(ctl);
    UpdateHScrollBar(ctl);
}

void OnSize(TreeCtl *ctl, WPARAM wp, LPARAM lp) {
    if (wp == SIZE_MINIMIZED) return;
    INT width = static_cast<int16_t>(LOWORD(lp));
    if (ctl->caret != kNone) InvalidateRows(ctl, ctl->caret, false, false, true);
    RecalcPageRows(ctl);
    InvalidateHeaderBar(ctl);
    ScrollToX(ctl, ctl->horizontalPos);
    UpdateVScrollBar(ctl);
    UpdateHScrollBar(ctl);
    RECT area = ItemAreaRect(ctl);
    INT last = ctl->columnCount - 1;
    if (DrawingLive(ctl) && ctl->columns[last].width == LUMTREE_STRETCH) {
        INT base = std::max<INT>(ctl->horizontalExtent, area.right - area.left);
        INT covered = base - ColumnLeft(ctl, last, 0);
        if (covered > 0) {
            RECT rc{area.right - covered, area.top, area.right, area.bottom};
            InvalidateRect(ctl->window, &rc, FALSE);
        }
    }
    if (DrawingLive(ctl) && ctl->lastClientWidth >= 0) {
        RECT rc = ClientRect(ctl);
        rc.left = ctl->lastClientWidth >= width ? rc.right - 1 : ctl->lastClientWidth - 1;
        InvalidateRect(ctl->window, &rc, FALSE);
    }
    ctl->lastClientWidth = width;
}

void OnVScroll(TreeCtl *ctl, WPARAM wp, LPARAM lp) {
    if (lp != 0) return;
    ClearHotTrack();
    INT code = LOWORD(wp);
    if (code == SB_ENDSCROLL) {
        UpdateVScrollBar(ctl);
        return;
    }
    if (ctl->shownCount <= 0 || code > SB_ENDSCROLL) return;
    INT r = ShownRowOf(ctl, ctl->topIndex);
    INT last = std::max(0, ctl->shownCount - ctl->fullRows);
    INT row = r;
    switch (code) {
    case SB_LINEUP: row = std::max(r - 1, 0); break;
    case SB_LINEDOWN: row = std::min(r + 1, last); break;
    case SB_PAGEUP: row = std::max(r - ctl->fullRows, 0); break;
    case SB_PAGEDOWN: row = std::min(r + ctl->fullRows, last); break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK:
        // The message carries a signed 16-bit position, too small for long lists: the bar's
        // 32-bit track position is read instead wherever the scroll-info functions exist.
        if (ctl->getScrollInfoFn) {
            SCROLLINFO si{};
            si.cbSize = sizeof(si);
            si.fMask = SIF_TRACKPOS;
            GetScrollInfo(ctl->window, SB_VERT, &si);
            row = si.nTrackPos;
        } else {
            row = static_cast<int16_t>(HIWORD(wp));
        }
        break;
    case SB_TOP: row = 0; break;
    case SB_BOTTOM: row = last; break;
    }
    INT top = ItemAtRow(ctl, row);
    if (top == ctl->topIndex) return;
    ctl->inScrollRequest |= 1 << SB_VERT;
    ScrollToTop(ctl, top);
    UpdateWindow(ctl->window);
    ctl->inScrollRequest &= ~(1 << SB_VERT);
}

void OnHScroll(TreeCtl *ctl, WPARAM wp, LPARAM lp) {
    if (lp != 0) return;
    INT w = ItemAreaWidth(ctl);
    if (w >= ctl->horizontalExtent) return;
    INT p = ctl->horizontalPos;
    switch (LOWORD(wp)) {
    case SB_LINELEFT: p -= ctl->maxCharWidth; break;
    case SB_LINERIGHT: p += ctl->maxCharWidth; break;
    case SB_PAGELEFT: p -= w / 2; break;
    case SB_PAGERIGHT: p += w / 2; break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: p = static_cast<int16_t>(HIWORD(wp)); break;
    case SB_LEFT: p = 0; break;
    case SB_RIGHT: p = ctl->horizontalExtent - w; break;
    case SB_ENDSCROLL: UpdateHScrollBar(ctl); break;
    default: return;
    }
    p = std::max(0, std::min(p, ctl->horizontalExtent - w));
    if (p == ctl->horizontalPos) return;
    ctl->inScrollRequest |= 1 << SB_HORZ;
    ScrollToX(ctl, p);
    UpdateWindow(ctl->window);
    ctl->inScrollRequest &= ~(1 << SB_HORZ);
}
