// Display switches of the rows and the bitmap sets (state bitmaps, node bitmaps, button strip).
// Every switch compares with its stored value and does nothing when it is equal; on a change
// it runs exactly the recomputation and the repaint that its layout inputs need.
#include "layout.h"

#include "../selection/selection.h"

namespace {

enum class Recalc {
    None,
    TreeWidth,           // the tree part's areas changed width
    RowHeight,           // RecalcRowHeight (page rows, tree width and scroll bars follow)
    RowHeightAndPageRows // the same, then the page rows once more
};

enum class Repaint {
    Window,        // the whole client area
    Rows,          // every row of the item area
    RowsAndHeader, // every row of the item area and the header bar
    RowsAndLabels  // every row with its label
};

// A Boolean display switch: its messages, field and what a change needs.
struct Switch {
    UINT getMsg;
    UINT setMsg;
    BOOL TreeCtl::*field;
    bool endEdit;
    Recalc recalc;
    Repaint repaint;
};

constexpr Switch kSwitches[] = {
    {LUMTREEM_GETSHOWLINES, LUMTREEM_SETSHOWLINES, &TreeCtl::showLines, true, Recalc::TreeWidth,
     Repaint::RowsAndHeader},
    {LUMTREEM_GETTEXTONLYSELECTION, LUMTREEM_SETTEXTONLYSELECTION, &TreeCtl::textOnlySelection,
     false, Recalc::None, Repaint::Rows},
    {LUMTREEM_GETSHOWBUTTONS, LUMTREEM_SETSHOWBUTTONS, &TreeCtl::showButtons, true,
     Recalc::RowHeight, Repaint::Window},
    {LUMTREEM_GETSHOWROOTBUTTONS, LUMTREEM_SETSHOWROOTBUTTONS, &TreeCtl::showRootButtons, true,
     Recalc::RowHeight, Repaint::RowsAndLabels},
    {LUMTREEM_GETLOOK3D, LUMTREEM_SETLOOK3D, &TreeCtl::look3D, true, Recalc::RowHeightAndPageRows,
     Repaint::RowsAndLabels},
    {LUMTREEM_GETGRIDLINES, LUMTREEM_SETGRIDLINES, &TreeCtl::gridLines, true,
     Recalc::RowHeightAndPageRows, Repaint::RowsAndLabels},
    {LUMTREEM_GETCELLELLIPSIS, LUMTREEM_SETCELLELLIPSIS, &TreeCtl::cellEllipsis, true, Recalc::None,
     Repaint::Rows},
};

constexpr const Switch &kShowButtons = kSwitches[2];
static_assert(kShowButtons.field == &TreeCtl::showButtons);

void Recompute(TreeCtl *ctl, Recalc recalc) {
    switch (recalc) {
    case Recalc::None: break;
    case Recalc::TreeWidth: RecalcTreeWidth(ctl); break;
    case Recalc::RowHeight: RecalcRowHeight(ctl); break;
    case Recalc::RowHeightAndPageRows:
        RecalcRowHeight(ctl);
        RecalcPageRows(ctl);
        break;
    }
}

void Invalidate(TreeCtl *ctl, Repaint repaint) {
    switch (repaint) {
    case Repaint::Window: InvalidateAll(ctl); break;
    case Repaint::Rows: InvalidateItemArea(ctl, false); break;
    case Repaint::RowsAndHeader:
        InvalidateItemArea(ctl, false);
        InvalidateHeaderBar(ctl);
        break;
    case Repaint::RowsAndLabels: InvalidateItemArea(ctl, true); break;
    }
}

void ApplySwitch(TreeCtl *ctl, const Switch &sw, bool on) {
    BOOL value = on;
    if (ctl->*sw.field == value) return;
    if (sw.endEdit) EndEditRequest(ctl);
    ctl->*sw.field = value;
    Recompute(ctl, sw.recalc);
    Invalidate(ctl, sw.repaint);
}

// LUMTREEM_SETGRIDSTYLE: 0 vertical, 1 horizontal, anything else both. The row height depends
// on the style only while grid lines are on.
void SetGridStyle(TreeCtl *ctl, WPARAM wp) {
    INT style = wp == 0 ? 0 : (wp == 1 ? 1 : 2);
    if (style == ctl->gridStyle) return;
    EndEditRequest(ctl);
    ctl->gridStyle = style;
    if (!ctl->gridLines) return;
    Recompute(ctl, Recalc::RowHeightAndPageRows);
    Invalidate(ctl, Repaint::RowsAndLabels);
}

// LUMTREEM_SETINACTIVESELSTYLE: 0 to 3, anything else 0.
void SetInactiveSelectionStyle(TreeCtl *ctl, WPARAM wp) {
    INT style = wp <= 3 ? static_cast<INT>(wp) : 0;
    if (style == ctl->inactiveSelectionStyle) return;
    ctl->inactiveSelectionStyle = style;
    InvalidateSelectedRowsInView(ctl);
}

// The three bitmaps of a set (collapsed, expanded, leaf) and the size the layout reserves for
// them, which is taken from the second.
struct BitmapSet {
    HBITMAP TreeCtl::*collapsed;
    HBITMAP TreeCtl::*expanded;
    HBITMAP TreeCtl::*leaf;
    BITMAP TreeCtl::*info;
    BOOL TreeCtl::*shown;
    bool checkFirst; // the state set also validates its first bitmap
};

constexpr BitmapSet kStateBitmaps{&TreeCtl::stateBitmapCollapsed, &TreeCtl::stateBitmapExpanded,
                                  &TreeCtl::stateBitmapLeaf,      &TreeCtl::stateBitmapInfo,
                                  &TreeCtl::showStateBitmaps,     true};
constexpr BitmapSet kNodeBitmaps{&TreeCtl::nodeBitmapCollapsed, &TreeCtl::nodeBitmapExpanded,
                                 &TreeCtl::nodeBitmapLeaf,      &TreeCtl::nodeBitmapInfo,
                                 &TreeCtl::showNodeBitmaps,     false};

// LUMTREEM_SETSTATEBITMAPS / LUMTREEM_SETNODEBITMAPS: three handles switch the area on, null
// switches it off. Invalid bitmaps change nothing.
bool SetBitmapSet(TreeCtl *ctl, const BitmapSet &set, const HBITMAP *handles) {
    EndEditRequest(ctl);
    if (handles) {
        BITMAP first, second;
        if (set.checkFirst && !ReadBitmapInfo(handles[0], &first)) return false;
        if (!ReadBitmapInfo(handles[1], &second)) return false;
        ctl->*set.info = second;
        ctl->*set.collapsed = handles[0];
        ctl->*set.expanded = handles[1];
        ctl->*set.leaf = handles[2];
        ctl->*set.shown = TRUE;
    } else {
        ctl->*set.collapsed = ctl->*set.expanded = ctl->*set.leaf = nullptr;
        ctl->*set.shown = FALSE;
    }
    RecalcRowHeight(ctl);
    InvalidateAll(ctl);
    return true;
}

// LUMTREEM_SETDRAWCALLBACK: the routine is only stored here; painting calls it.
void SetDrawCallback(TreeCtl *ctl, const TreeDrawCallback *pair) {
    ctl->drawCallback = nullptr;
    ctl->drawCallbackData = 0;
    if (pair) {
        ctl->drawCallback = pair->callback;
        ctl->drawCallbackData = pair->data;
    }
    EndEditRequest(ctl);
}

} // namespace

bool SetButtonStrip(TreeCtl *ctl, HBITMAP strip) {
    EndEditRequest(ctl);
    if (strip) {
        BITMAP bm;
        if (!ReadBitmapInfo(strip, &bm)) return false;
        ctl->buttonBitmapInfo = bm;
        ctl->buttonStrip = strip;
    } else if (ctl->defaultBitmap) {
        ReadBitmapInfo(ctl->defaultBitmap, &ctl->buttonBitmapInfo);
        ctl->buttonStrip = ctl->defaultBitmap;
        ctl->showButtons = TRUE;
    }
    RecalcRowHeight(ctl);
    InvalidateAll(ctl);
    return true;
}

void SetShowButtons(TreeCtl *ctl, bool show) {
    ApplySwitch(ctl, kShowButtons, show);
}

bool OptionMessage(TreeCtl *ctl, UINT msg, WPARAM wp, LPARAM lp, LRESULT *result) {
    *result = 0;
    for (const Switch &sw : kSwitches) {
        if (msg == sw.getMsg) {
            *result = ctl->*sw.field;
            return true;
        }
        if (msg == sw.setMsg) {
            ApplySwitch(ctl, sw, wp != 0);
            return true;
        }
    }
    switch (msg) {
    case LUMTREEM_GETSHOWITEMBITMAPS: *result = ctl->showItemBitmaps; return true;
    case LUMTREEM_GETSHOWSTATEBITMAPS: *result = ctl->showStateBitmaps; return true;
    case LUMTREEM_GETSHOWNODEBITMAPS: *result = ctl->showNodeBitmaps; return true;
    case LUMTREEM_SETSTATEBITMAPS:
        *result = SetBitmapSet(ctl, kStateBitmaps, reinterpret_cast<const HBITMAP *>(lp));
        return true;
    case LUMTREEM_SETNODEBITMAPS:
        *result = SetBitmapSet(ctl, kNodeBitmaps, reinterpret_cast<const HBITMAP *>(lp));
        return true;
    case LUMTREEM_SETBUTTONSTRIP:
        *result = SetButtonStrip(ctl, reinterpret_cast<HBITMAP>(lp));
        return true;
    case LUMTREEM_GETGRIDSTYLE: *result = ctl->gridStyle; return true;
    case LUMTREEM_SETGRIDSTYLE: SetGridStyle(ctl, wp); return true;
    case LUMTREEM_GETINACTIVESELSTYLE: *result = ctl->inactiveSelectionStyle; return true;
    case LUMTREEM_SETINACTIVESELSTYLE: SetInactiveSelectionStyle(ctl, wp); return true;
    case LUMTREEM_SETDRAWCALLBACK:
        SetDrawCallback(ctl, reinterpret_cast<const TreeDrawCallback *>(lp));
        *result = 1;
        return true;
    default: return false;
    }
}
