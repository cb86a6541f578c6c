// Mouse input: a press is classified against the areas of the client (corner, column divider,
// header button, row label, the areas of an item row) and selects, presses a button, starts a
// column resize or arms a drag; while the control holds the capture, moves and the release are
// read by the tracking state. Drags report every move to the parent, mark the drop target and
// scroll while the pointer is held at the top or bottom edge. The control never expands,
// collapses or moves items by itself: it reports, and the parent answers with messages.
#include "mouse.h"

#include "../items/items.h"
#include "../layout/layout.h"
#include "../selection/selection.h"

#include <algorithm>
#include <cstdlib>

namespace {

constexpr UINT_PTR kAutoscrollTimer = 1;
constexpr WORD kNoDropCursor = 32600;
constexpr WORD kDropCursor = 32601;
// Hit margin on each side of a column divider.
constexpr INT kDividerSlack = 4;

POINT PointOf(LPARAM lp) {
    return POINT{static_cast<int16_t>(LOWORD(lp)), static_cast<int16_t>(HIWORD(lp))};
}

bool Inside(const RECT &rc, POINT pt) {
    return PtInRect(&rc, pt) != FALSE;
}

bool HasCapture(const TreeCtl *ctl) {
    return GetCapture() == ctl->window;
}

void TakeCapture(TreeCtl *ctl) {
    if (!HasCapture(ctl)) SetCapture(ctl->window);
}

// A press that the control takes only so that its move and release go nowhere else.
void Swallow(TreeCtl *ctl, bool beep = false) {
    if (beep) MessageBeep(0);
    TakeCapture(ctl);
    ctl->ignoreMouse = 1;
}

void StopAutoscroll(TreeCtl *ctl) {
    if (!ctl->scrollTimer) return;
    KillTimer(ctl->window, kAutoscrollTimer);
    ctl->scrollTimer = 0;
}

void StartAutoscroll(TreeCtl *ctl, TIMERPROC tick) {
    if (ctl->scrollTimer) return;
    // Interval 0: as fast as the system delivers timer ticks.
    ctl->scrollTimer = SetTimer(ctl->window, kAutoscrollTimer, 0, tick) ? kAutoscrollTimer : 0;
}

// ---- The divider line of a column resize: the only drawing outside the renderer ----
// The line is a dotted focus rectangle two pixels wide (x - 1 and x) across the whole client
// height, drawn and erased by XOR.
void ToggleResizeLine(TreeCtl *ctl) {
    if (IsRectEmpty(&ctl->resizeLine)) return;
    HDC dc = GetDC(ctl->window);
    DrawFocusRect(dc, &ctl->resizeLine);
    ReleaseDC(ctl->window, dc);
}

void EraseResizeLine(TreeCtl *ctl) {
    ToggleResizeLine(ctl);
    SetRectEmpty(&ctl->resizeLine);
}

// ---- Drop-target feedback ----
// The row that shows the mark of the current drop target, down to the end of the item area
// when the target is the place after the last item.
void InvalidateDropMark(TreeCtl *ctl) {
    if (ctl->dropTarget == kNone || ctl->itemCount == 0) return;
    const INT last = LastShown(ctl);
    if (last < 0) return;
    InvalidateRows(ctl, std::min(ctl->dropTarget, last), ctl->dropTarget >= ctl->itemCount, false,
                   true);
}

// The vertical autoscroll tick, shared by drag selection, drags and drop-target scrolling: one
// item further in the scroll direction, from the caret or (marking a drop target) the target.
// Its cost is that of a few row-index queries and the repaint of the rows that moved, whatever
// the length of the list.
void CALLBACK AutoscrollTick(HWND window, UINT, UINT_PTR, DWORD) {
    TreeCtl *ctl = FindCtl(window);
    if (!ctl || ctl->itemCount == 0) return;
    const bool dropMode = ctl->dragArmed || ctl->dropScrolling;
    INT from = ctl->caret;
    if (dropMode && ctl->dropMarkMode != LUMTREEDROPMARK_CARET) from = ctl->dropTarget;
    if (from < 0 || from > ctl->itemCount) return;
    INT next;
    if (ctl->scrollDown) {
        next = from < ctl->itemCount ? NextShown(ctl, from) : kNone;
        if (next == kNone) {
            if (!dropMode || ctl->dropMarkMode != LUMTREEDROPMARK_INSERT) return;
            next = ctl->itemCount;
        }
    } else {
        next = from < ctl->itemCount ? PrevShown(ctl, from) : LastShown(ctl);
        if (next == kNone) return;
    }
    if (dropMode) {
        const INT top = ctl->topIndex;
        SetDropTarget(ctl, next, false);
        if (ctl->topIndex == top) return;
    } else if (next != ctl->caret) {
        SelectionStepByMode(ctl, next, true, true, true);
    }
    UpdateWindow(window);
}

// The horizontal autoscroll tick of a divider drag: an eighth of the item area per tick. The
// row labels do not scroll, so their width takes no part in the position: the new position is
// the current one plus or minus the step, and scrolling left never moves right. The divider
// line is taken off while the window repaints and drawn again at the same place.
void CALLBACK HorizontalTick(HWND window, UINT, UINT_PTR, DWORD) {
    TreeCtl *ctl = FindCtl(window);
    if (!ctl) return;
    const RECT area = ItemAreaRect(ctl);
    const INT step = (area.right - area.left) / 8;
    const INT pos = ctl->horizontalPos + (ctl->scrollLeft ? -step : step);
    const RECT line = ctl->resizeLine;
    EraseResizeLine(ctl);
    ScrollToX(ctl, std::max(pos, 0));
    UpdateWindow(window);
    ctl->resizeLine = line;
    ToggleResizeLine(ctl);
}

// ---- Presses ----

// The column under client x (any press, anywhere), -1 right of every column.
INT ColumnAtX(const TreeCtl *ctl, INT x) {
    const INT content = x + ctl->horizontalPos;
    for (INT c = 0; c < ctl->columnCount; ++c) {
        if (content < ctl->labelWidth + ColumnLeft(ctl, c, kNone) + ColumnWidth(ctl, c, kNone)) {
            return c;
        }
    }
    return kNone;
}

// Arms a drag on the pressed item.
void ArmDrag(TreeCtl *ctl, INT item, POINT pt, bool wasSelected) {
    ctl->pressPoint = pt;
    ctl->dragging = 0;
    ctl->dragArmed = 1;
    ctl->pressedItem = ctl->dragInfo.dragTarget = item;
    ctl->pressedSelected = wasSelected ? 1 : 0;
}

// Whether a press on an unselected item arms a drag in this drag mode.
bool ModeArmsUnselected(const TreeCtl *ctl) {
    switch (ctl->dragMode) {
    case 1:
    case 3: return !IsMultiSel(ctl);
    case 4:
    case 5: return true;
    default: return false;
    }
}

// A press on an expand button: drawn pressed until the release; the parent decides.
void PressExpandButton(TreeCtl *ctl, INT item, bool shift, bool ctrl, int base) {
    ctl->pressedButton = item;
    InvalidateRows(ctl, item, false, false, true);
    TakeCapture(ctl);
    SingleSelectionStep(ctl, item, shift, ctrl);
    Notify(ctl, base + LUMTREEHIT_BUTTON);
}

// Corner and header bar; true when the press was theirs.
bool PressHeaderParts(TreeCtl *ctl, POINT pt, int base) {
    if (ctl->showHeader && ctl->showLabels && Inside(CornerRect(ctl), pt)) {
        if (!ctl->cornerButtonOn || (ctl->cornerFlags & LUMTREEHEADER_DISABLED)) {
            Swallow(ctl, ctl->cornerButtonOn != FALSE);
            return true;
        }
        ctl->cornerSavedPressed = ctl->cornerPressed;
        ctl->cornerPressed = !ctl->cornerPressed;
        ctl->cornerTracking = TRUE;
        TakeCapture(ctl);
        InvalidateCorner(ctl);
        return true;
    }
    ctl->lastClickColumn = ColumnAtX(ctl, pt.x);
    if (!ctl->showHeader || !Inside(HeaderBarRect(ctl), pt)) return false;
    if (base != LUMTREEN_LBUTTONDOWN && base != LUMTREEN_LBUTTONDBLCLK) return true;
    if (ctl->columnResizeOn) {
        if (INT c = DividerAt(ctl, pt.x); c != kNone) {
            ctl->resizingColumn = c;
            SetRectEmpty(&ctl->resizeLine);
            TakeCapture(ctl);
            return true;
        }
    }
    const INT c = ctl->lastClickColumn;
    if (!ctl->headerButtonsOn || c == kNone || c == ctl->pressedHeader) {
        Swallow(ctl);
        return true;
    }
    if (ctl->columns[c].headerFlags & LUMTREEHEADER_DISABLED) {
        Swallow(ctl, true);
        return true;
    }
    ctl->savedPressedHeader = ctl->pressedHeader;
    ctl->pressedHeader = ctl->trackedHeader = c;
    TakeCapture(ctl);
    InvalidateHeaderBar(ctl);
    return true;
}

// The press routine. base is LUMTREEN_LBUTTONDOWN or LUMTREEN_RBUTTONDOWN; a double click adds
// 10 to the codes of the row areas.
void Press(TreeCtl *ctl, POINT pt, bool dbl, WPARAM keys, int base, bool dragAllowed) {
    const bool shift = (keys & MK_SHIFT) != 0, ctrl = (keys & MK_CONTROL) != 0;
    ctl->lastClickColumn = kNone;
    if (PressHeaderParts(ctl, pt, dbl ? base + 10 : base)) return;

    const RECT area = ItemAreaRect(ctl);
    if (pt.y < area.top || ctl->rowHeight < 1) return;
    const INT r = (pt.y - area.top) / ctl->rowHeight;
    if (r >= ctl->pageRows) return;
    const INT item = ItemAtScreenRow(ctl, r);
    if (item == kNone) return;
    const INT level = LevelOf(ctl, item);
    const INT xr = pt.x - ctl->labelWidth;
    const INT xt = xr + ctl->horizontalPos;
    const POINT inRow{xt, pt.y - area.top - r * ctl->rowHeight};
    if (dbl) base += 10;
    bool handled = false;

    if (ctl->showLabels && xr < 0) {
        if (ctl->labelStyle != 1 && ctl->labelStyle != 3 && ctl->labelStyle != 4) {
            Swallow(ctl);
            return;
        }
        if (ctl->labelFlags & LUMTREEHEADER_DISABLED) {
            Swallow(ctl, true);
            return;
        }
        SingleSelectionStep(ctl, item, shift, ctrl);
        Notify(ctl, base + LUMTREEHIT_LABEL);
        ctl->labelPressed = 1;
        handled = true;
    }
    if (!handled) {
        const INT itemBitmaps = ItemBitmapAreaWidth(ctl);
        const INT bitmaps = itemBitmaps + StateBitmapAreaWidth(ctl);
        const INT indentEnd = TreePartStart(ctl) + IndentOf(ctl, level);
        if (ctl->showItemBitmaps && xt < itemBitmaps) {
            SingleSelectionStep(ctl, item, shift, ctrl);
            Notify(ctl, base + LUMTREEHIT_BITMAP);
            handled = true;
        } else if (ctl->showStateBitmaps && xt < bitmaps) {
            SingleSelectionStep(ctl, item, shift, ctrl);
            Notify(ctl, base + LUMTREEHIT_STATEBITMAP);
            return;
        } else if (ctl->showRootButtons && level == 0 && HasChildren(ctl, item) &&
                   Inside(RootButtonBox(ctl), inRow)) {
            PressExpandButton(ctl, item, shift, ctrl, base);
            return;
        } else if (ctl->showLines && xt < indentEnd) {
            const INT parent = level >= 1 ? ParentOf(ctl, item) : kNone;
            if (ctl->showButtons && parent != kNone && HasChildren(ctl, item) &&
                Inside(IndentButtonBox(ctl, LevelOf(ctl, parent)), inRow)) {
                PressExpandButton(ctl, item, shift, ctrl, base);
            } else {
                SingleSelectionStep(ctl, item, shift, ctrl);
                Notify(ctl, base + LUMTREEHIT_INDENT);
            }
            return;
        } else if (ctl->showNodeBitmaps && xt < indentEnd + NodeBitmapAreaWidth(ctl)) {
            SingleSelectionStep(ctl, item, shift, ctrl);
            Notify(ctl, base + LUMTREEHIT_NODEBITMAP);
            handled = true;
        }
    }

    if (!dbl && (!handled || ctl->selectOnBitmapClick)) {
        TakeCapture(ctl);
        if (ItemAt(ctl, item)->flags & kItemSelected) {
            // The selection stays until the release, so that the selected items can be dragged.
            ctl->pressedItem = ctl->dragInfo.dragTarget = item;
            ctl->pressedSelected = 1;
            CaretStep(ctl, item);
            if (dragAllowed) ArmDrag(ctl, item, pt, true);
        } else {
            SelectionStepByMode(ctl, item, true, shift, ctrl);
            ctl->pressedItem = ctl->dragInfo.dragTarget = kNone;
            if (dragAllowed && ModeArmsUnselected(ctl)) ArmDrag(ctl, item, pt, false);
        }
    }
    if (!handled) Notify(ctl, base + LUMTREEHIT_ITEM);
}

// ---- Moves ----

// Drag selection: the button is held without a drag; the selection follows the pointer and the
// timer extends it above and below the rows.
void DragSelectionStep(TreeCtl *ctl, POINT pt, WPARAM keys) {
    const RECT area = ItemAreaRect(ctl);
    INT target;
    if (pt.y < area.top) {
        ctl->scrollDown = 0;
        StartAutoscroll(ctl, AutoscrollTick);
        target = ctl->topIndex;
    } else if (const INT r = (pt.y - area.top) / ctl->rowHeight; r < ctl->fullRows) {
        StopAutoscroll(ctl);
        target = ItemAtScreenRow(ctl, r);
        if (target == kNone) target = LastShown(ctl);
    } else {
        ctl->scrollDown = 1;
        StartAutoscroll(ctl, AutoscrollTick);
        target = ItemAtShownRow(
            ctl, std::min(ShownRowOf(ctl, ctl->topIndex) + ctl->fullRows, ctl->shownCount - 1));
    }
    if (target == kNone) return;
    if (target != ctl->caret)
        SelectionStepByMode(ctl, target, true, true, (keys & MK_CONTROL) != 0);
    ctl->dragInfo.dragTarget = target;
}

// The start rule of the drag modes: reaching another item (0, 1, 4) or leaving the system's
// drag rectangle around the press point (2, 3, 5). Every system the library runs on reports a
// version of 4 or more, so the rectangle is always the system's (SM_CXDRAG, SM_CYDRAG), never
// the font-sized one of the oldest systems.
bool DragStarts(const TreeCtl *ctl, POINT pt, INT target, bool pastEnd) {
    if (ctl->dragMode == 2 || ctl->dragMode == 3 || ctl->dragMode == 5) {
        return std::abs(pt.x - ctl->pressPoint.x) >= GetSystemMetrics(SM_CXDRAG) ||
               std::abs(pt.y - ctl->pressPoint.y) >= GetSystemMetrics(SM_CYDRAG);
    }
    return target != ctl->pressedItem || pastEnd;
}

// One move of an armed drag.
void DragStep(TreeCtl *ctl, POINT pt, WPARAM keys) {
    const RECT area = ItemAreaRect(ctl);
    const INT h = ctl->rowHeight;
    const INT r = pt.y >= area.top ? (pt.y - area.top) / h : -1;
    bool outside = false, zone = false, pastEnd = false;
    const bool insertMarks = ctl->dropMarkMode == LUMTREEDROPMARK_INSERT;
    INT candidate;
    if (pt.x < 0 || pt.x >= area.right || pt.y < area.top - h || pt.y >= area.bottom + h) {
        StopAutoscroll(ctl);
        candidate = ctl->dropMarkMode != LUMTREEDROPMARK_CARET ? ctl->dropTarget : ctl->caret;
        outside = true;
    } else if (pt.y < area.top) {
        ctl->scrollDown = 0;
        StartAutoscroll(ctl, AutoscrollTick);
        zone = true;
        candidate = ctl->topIndex;
    } else if (r < ctl->fullRows) {
        StopAutoscroll(ctl);
        candidate = ItemAtScreenRow(ctl, r);
        if (candidate == kNone) {
            candidate = insertMarks ? ctl->itemCount : LastShown(ctl);
            pastEnd = true;
        }
    } else {
        ctl->scrollDown = 1;
        candidate = ctl->topIndex;
        if (ctl->shownCount > 0) {
            zone = true;
            const INT row = ShownRowOf(ctl, ctl->topIndex) + ctl->fullRows;
            if (row > ctl->shownCount - 1) {
                pastEnd = true;
                StopAutoscroll(ctl);
                candidate = insertMarks ? ctl->itemCount : LastShown(ctl);
            } else {
                StartAutoscroll(ctl, AutoscrollTick);
                candidate = ItemAtShownRow(ctl, row);
            }
        }
    }

    TreeDragInfo &info = ctl->dragInfo;
    POINT screen = pt;
    ClientToScreen(ctl->window, &screen);
    info.cursorX = screen.x;
    info.cursorY = screen.y;
    info.ctrlDown = static_cast<INT>(keys & MK_CONTROL);
    info.shiftDown = static_cast<INT>(keys & MK_SHIFT);
    info.targetWindow = WindowFromPoint(screen);
    const bool noDrop = !zone && (outside || info.targetWindow != ctl->window);
    const INT target = noDrop ? kNone : candidate;
    info.dragTarget = target;
    ctl->dragCursor =
        LoadCursorA(g_lum.module, MAKEINTRESOURCEA(noDrop ? kNoDropCursor : kDropCursor));
    if (ctl->dragging) SetDropTarget(ctl, target, false);

    HWND parent = GetParent(ctl->window);
    if (info.targetWindow && parent) {
        if (!ctl->dragging) {
            if (!DragStarts(ctl, pt, target, pastEnd)) return;
            const bool multi = IsMultiSel(ctl);
            ctl->dragging = 1;
            info.multipleItems = multi && ctl->selectedCount > 1;
            Notify(ctl, LUMTREEN_BEGINDRAG);
            // The parent may have cancelled, cleared the selection or switched the mode.
            if (!ctl->dragArmed) return;
            if (multi ? ctl->selectedCount == 0 : (IsMultiSel(ctl) || ctl->selection == kNone)) {
                EndTracking(ctl);
                return;
            }
            info.multipleItems = multi && ctl->selectedCount > 1;
            SetDropTarget(ctl, target, false);
            SetCursor(ctl->dragCursor);
        }
        Notify(ctl, LUMTREEN_DRAGOVER);
        if (!ctl->dragArmed) return;
    }
    SetCursor(ctl->dragCursor);
}

void DividerDragStep(TreeCtl *ctl, POINT pt) {
    const RECT bar = HeaderBarRect(ctl);
    if (pt.x < bar.left) {
        ctl->scrollLeft = 1;
        StartAutoscroll(ctl, HorizontalTick);
    } else if (pt.x < bar.right) {
        StopAutoscroll(ctl);
    } else {
        ctl->scrollLeft = 0;
        StartAutoscroll(ctl, HorizontalTick);
    }
    ToggleResizeLine(ctl);
    const RECT client = ClientRect(ctl);
    ctl->resizeLine = RECT{pt.x - 1, client.top, pt.x + 1, client.bottom};
    ToggleResizeLine(ctl);
}

void Move(TreeCtl *ctl, POINT pt, WPARAM keys) {
    if (!HasCapture(ctl) || ctl->ignoreMouse || ctl->rowHeight < 1) return;
    if (ctl->cornerTracking) {
        const BOOL pressed =
            Inside(CornerRect(ctl), pt) ? !ctl->cornerSavedPressed : ctl->cornerSavedPressed;
        if (pressed != ctl->cornerPressed) {
            ctl->cornerPressed = pressed;
            InvalidateCorner(ctl);
        }
    } else if (ctl->trackedHeader != kNone) {
        const INT pressed = Inside(ColumnHeaderRect(ctl, ctl->trackedHeader), pt)
                                ? ctl->trackedHeader
                                : ctl->savedPressedHeader;
        if (pressed != ctl->pressedHeader) {
            ctl->pressedHeader = pressed;
            InvalidateHeaderBar(ctl);
        }
    } else if (ctl->resizingColumn != kNone) {
        DividerDragStep(ctl, pt);
    } else if (ctl->pressedButton != kNone) {
        // The button stays drawn pressed until the release.
    } else if (ctl->dragArmed) {
        DragStep(ctl, pt, keys);
    } else if (ctl->itemCount > 0) {
        DragSelectionStep(ctl, pt, keys);
    }
}

// ---- Releases ----

// Column c's divider released at client x: the columns up to c share the room from the tree
// part to the divider in order, so a divider pulled left of its column shrinks earlier ones.
void ApplyDivider(TreeCtl *ctl, INT c, INT x) {
    INT remaining = std::max(ctl->horizontalPos - ctl->labelWidth + x - ctl->treeWidth, 0);
    bool changed = false;
    for (INT k = 0; k <= c; ++k) {
        const INT width = std::min(ctl->columns[k].width, remaining);
        changed |= width != ctl->columns[k].width;
        ctl->columns[k].width = width;
        remaining -= width;
    }
    if (remaining > 0) {
        ctl->columns[c].width += remaining;
        changed = true;
    }
    if (!changed) return;
    if (ctl->horizontalExtent != 0) FitHorizontalExtent(ctl);
    InvalidateHeaderBar(ctl);
    InvalidateItemArea(ctl, false);
    Notify(ctl, LUMTREEN_COLUMNRESIZE);
}

// A completed click on the corner button: it keeps the toggled state (or springs back).
void CommitCorner(TreeCtl *ctl, int base) {
    if (ctl->cornerPressed == ctl->cornerSavedPressed) {
        ctl->cornerPressed = !ctl->cornerPressed;
        InvalidateCorner(ctl);
    }
    ctl->cornerSavedPressed = ctl->cornerPressed;
    Notify(ctl, base + LUMTREEHIT_CORNER);
    if (ctl->cornerFlags & LUMTREEHEADER_SPRINGBACK) {
        UpdateWindow(ctl->window);
        ctl->cornerPressed = ctl->cornerSavedPressed = FALSE;
        InvalidateCorner(ctl);
    }
}

void Drop(TreeCtl *ctl) {
    ctl->pressedItem = kNone;
    ctl->dragArmed = 0;
    ctl->dragging = 0;
    EndTracking(ctl);
    Notify(ctl, LUMTREEN_DROP);
}

// The release routine. For the right button (decided here, the classic control leaves it
// open): a right press that took the capture is tracked like a left one (buttonDown 3) and its
// release ends the tracking; a completed corner click reports 77. The deferred selection is a
// left-button affair: a right click on one of several selected items keeps them all selected,
// ready for a context menu.
void Release(TreeCtl *ctl, POINT pt, WPARAM keys, bool right) {
    if (!HasCapture(ctl) || ctl->ignoreMouse) {
        EndTracking(ctl);
        return;
    }
    const int base = right ? LUMTREEN_RBUTTONDOWN : LUMTREEN_LBUTTONDOWN;
    if (ctl->cornerTracking) {
        if (Inside(CornerRect(ctl), pt)) CommitCorner(ctl, base);
    } else if (ctl->resizingColumn != kNone) {
        const INT c = ctl->resizingColumn;
        // The line goes before the columns repaint at their new widths.
        EraseResizeLine(ctl);
        ApplyDivider(ctl, c, pt.x);
    } else if (ctl->trackedHeader != kNone) {
        const INT c = ctl->trackedHeader;
        if (Inside(ColumnHeaderRect(ctl, c), pt)) {
            if (ctl->pressedHeader != c) {
                ctl->pressedHeader = c;
                InvalidateHeaderBar(ctl);
            }
            ctl->trackedHeader = kNone;
            Notify(ctl, base + LUMTREEHIT_HEADER);
            if (ctl->columns[c].headerFlags & LUMTREEHEADER_SPRINGBACK) {
                UpdateWindow(ctl->window);
                ctl->pressedHeader = kNone;
                InvalidateHeaderBar(ctl);
            }
        }
    } else if (ctl->pressedButton == kNone && !right) {
        if (ctl->dragArmed && ctl->dragging) {
            Drop(ctl);
            return;
        }
        const INT item = ctl->pressedItem;
        if (!ctl->labelPressed && item != kNone && item == ctl->dragInfo.dragTarget &&
            ValidIndex(ctl, item)) {
            const bool ctrl = (keys & MK_CONTROL) != 0;
            const bool select = !ctrl || (ctl->dragMode >= 4 && !ctl->pressedSelected);
            SelectionStepByMode(ctl, item, select, (keys & MK_SHIFT) != 0, ctrl);
            ctl->pressedItem = kNone;
        }
    }
    EndTracking(ctl);
}

// LUMTREEM_SETDROPMARKMODE.
void SetDropMarkMode(TreeCtl *ctl, LPARAM lp) {
    EndEditRequest(ctl);
    const UINT mode = lp < 0 || lp >= 3 ? LUMTREEDROPMARK_ITEM : static_cast<UINT>(lp);
    if (mode == ctl->dropMarkMode) return;
    ctl->dropMarkMode = mode;
    InvalidateDropMark(ctl);
}

} // namespace

INT DividerAt(const TreeCtl *ctl, INT x) {
    INT last = ctl->columnCount - 1;
    if (last >= 0 && ctl->columns[last].width == LUMTREE_STRETCH) --last;
    const INT content = x + ctl->horizontalPos;
    for (INT c = last; c >= 0; --c) {
        const INT divider =
            ctl->labelWidth + ColumnLeft(ctl, c, kNone) + ColumnWidth(ctl, c, kNone);
        if (content >= divider - kDividerSlack && content < divider + kDividerSlack) return c;
    }
    return kNone;
}

void EndTracking(TreeCtl *ctl) {
    if (HasCapture(ctl)) ReleaseCapture();
    ctl->ignoreMouse = 0;
    StopAutoscroll(ctl);
    if (ctl->cornerTracking) {
        if (ctl->cornerPressed != ctl->cornerSavedPressed) {
            ctl->cornerPressed = ctl->cornerSavedPressed;
            InvalidateCorner(ctl);
        }
        ctl->cornerTracking = FALSE;
    }
    if (ctl->trackedHeader != kNone) {
        ctl->trackedHeader = kNone;
        if (ctl->pressedHeader != ctl->savedPressedHeader) {
            ctl->pressedHeader = ctl->savedPressedHeader;
            InvalidateHeaderBar(ctl);
        }
    }
    if (ctl->pressedButton != kNone) {
        InvalidateRows(ctl, ctl->pressedButton, false, false, true);
        ctl->pressedButton = kNone;
    }
    if (ctl->resizingColumn != kNone) {
        ctl->resizingColumn = kNone;
        EraseResizeLine(ctl);
    }
    if (ctl->dragArmed) {
        ctl->dragArmed = 0;
        if (ctl->dragging) {
            ctl->dragging = 0;
            Notify(ctl, LUMTREEN_CANCELDRAG);
        }
    }
    ctl->pressedItem = kNone;
    ctl->dropScrolling = 0;
    ctl->buttonDown = 0;
    ctl->labelPressed = 0;
}

INT SetDropTarget(TreeCtl *ctl, INT n, bool autoscroll) {
    if (n < kNone || n > ctl->itemCount) return -1;
    if (n == ctl->dropTarget) {
        // In the caret mode the target is always -1: a request for no target still ends the
        // drop-target scrolling it may have started.
        if (n == kNone && ctl->dropScrolling) {
            StopAutoscroll(ctl);
            ctl->dropScrolling = 0;
        }
        return 0;
    }
    InvalidateDropMark(ctl);
    ctl->dropTarget = kNone;
    if (n >= 0 && ctl->itemCount > 0) {
        const INT last = LastShown(ctl);
        const INT m = std::min(n, last);
        if (m < 0 || !ItemShown(ctl, m)) return -1;
        if (ctl->dropMarkMode == LUMTREEDROPMARK_CARET) {
            CaretStep(ctl, m);
        } else {
            EnsureVisible(ctl, m);
            ctl->dropTarget = ctl->dropMarkMode == LUMTREEDROPMARK_INSERT ? n : m;
            InvalidateDropMark(ctl);
        }
        if (!autoscroll) return 0;
        const INT row = ShownRowOf(ctl, m) - ShownRowOf(ctl, ctl->topIndex);
        if (row == 0 || (row >= ctl->fullRows - 1 && m < last)) {
            ctl->dropScrolling = 1;
            ctl->scrollDown = row != 0;
            StartAutoscroll(ctl, AutoscrollTick);
            return 0;
        }
    }
    StopAutoscroll(ctl);
    ctl->dropScrolling = 0;
    return 0;
}

bool OnMouseInput(TreeCtl *ctl, UINT msg, WPARAM wp, LPARAM lp) {
    const POINT pt = PointOf(lp);
    switch (msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        SetFocus(ctl->window);
        if (ctl->buttonDown) return true;
        ctl->buttonDown = 1;
        Press(ctl, pt, msg == WM_LBUTTONDBLCLK, wp, LUMTREEN_LBUTTONDOWN,
              HasStyle(ctl, LUMTREESTYLE_DRAGDROP));
        // A press that took no capture is over: its release may happen anywhere, and a lost
        // release must not swallow the next press.
        if (!HasCapture(ctl)) EndTracking(ctl);
        return true;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
        // A right press during a tracked left press (or the other way round) only moves the
        // focus; a right press that takes the capture is tracked as state 3 (see Release).
        if (HasStyle(ctl, LUMTREESTYLE_LEFTBUTTONONLY)) return false;
        SetFocus(ctl->window);
        if (ctl->buttonDown) return true;
        Press(ctl, pt, msg == WM_RBUTTONDBLCLK, wp, LUMTREEN_RBUTTONDOWN, false);
        if (HasCapture(ctl)) {
            ctl->buttonDown = 3;
        } else {
            EndTracking(ctl);
        }
        return true;
    case WM_LBUTTONUP:
        Notify(ctl, LUMTREEN_LBUTTONUP);
        if (ctl->buttonDown == 1) Release(ctl, pt, wp, false);
        return true;
    case WM_RBUTTONUP:
        if (HasStyle(ctl, LUMTREESTYLE_LEFTBUTTONONLY)) return false;
        Notify(ctl, ctl->showHeader && Inside(HeaderBarRect(ctl), pt) ? LUMTREEN_RBUTTONUPHEADER
                                                                      : LUMTREEN_RBUTTONUP);
        if (ctl->buttonDown == 3) Release(ctl, pt, wp, true);
        return true;
    case WM_MOUSEMOVE:
        Notify(ctl, LUMTREEN_MOUSEMOVE);
        Move(ctl, pt, wp);
        return true;
    case WM_CAPTURECHANGED:
        // Another window took the capture (a menu, a message box): every mouse mode ends.
        if (lp && reinterpret_cast<HWND>(lp) != ctl->window) EndTracking(ctl);
        return false;
    default: return false;
    }
}

bool MouseMessage(TreeCtl *ctl, UINT msg, WPARAM wp, LPARAM lp, LRESULT *result) {
    *result = 0;
    switch (msg) {
    case LUMTREEM_GETSELECTONBITMAPCLICK: *result = ctl->selectOnBitmapClick; return true;
    case LUMTREEM_SETSELECTONBITMAPCLICK:
        EndEditRequest(ctl);
        ctl->selectOnBitmapClick = wp != 0;
        return true;
    case LUMTREEM_GETDRAGINFO: *result = reinterpret_cast<LRESULT>(&ctl->dragInfo); return true;
    case LUMTREEM_GETDRAGMODE: *result = ctl->dragMode; return true;
    case LUMTREEM_SETDRAGMODE:
        EndEditRequest(ctl);
        ctl->dragMode = wp <= 5 ? static_cast<UINT>(wp) : 0;
        return true;
    case LUMTREEM_GETDROPTARGET: *result = ctl->dropTarget; return true;
    case LUMTREEM_SETDROPTARGET:
        *result = SetDropTarget(ctl, IndexParam(ctl, wp), lp != 0);
        return true;
    case LUMTREEM_GETDROPMARKMODE: *result = ctl->dropMarkMode; return true;
    case LUMTREEM_SETDROPMARKMODE: SetDropMarkMode(ctl, lp); return true;
    default: return false;
    }
}
