// Layout messages: metrics, rows and rectangles, scrolling, columns, labels and switches.
#include "layout.h"

#include "../items/items.h"

bool LayoutMessage(TreeCtl *ctl, UINT msg, WPARAM wp, LPARAM lp, LRESULT *result) {
    switch (msg) {
    case LUMTREEM_GETROWHEIGHT: *result = ctl->rowHeight; return true;
    case LUMTREEM_GETPAGEROWS: *result = ctl->pageRows; return true;
    case LUMTREEM_GETFULLROWS: *result = ctl->fullRows; return true;
    case LUMTREEM_GETTREEWIDTH: *result = ctl->treeWidth; return true;
    case LUMTREEM_GETTOPINDEX: *result = ctl->topIndex; return true;
    case LUMTREEM_SETTOPINDEX: *result = SetTopIndex(ctl, static_cast<INT>(wp)); return true;
    case LUMTREEM_ITEMFROMPOINT:
    case LUMTREEM_ITEMORENDFROMPOINT: {
        auto *pt = reinterpret_cast<const POINT *>(lp);
        if (!pt) {
            *result = kNone;
        } else {
            *result = msg == LUMTREEM_ITEMFROMPOINT ? ItemFromPoint(ctl, *pt)
                                                    : ItemOrEndFromPoint(ctl, *pt);
        }
        return true;
    }
    default: return false;
    }
}
