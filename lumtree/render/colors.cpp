// Colours: the automatic values of the colour table, the derived item-area colours with the
// parent's list-box colours, the background brush, and the colour-table messages.
#include "render.h"

#include "../frame/gdi.h"
#include "../layout/layout.h"

#include <algorithm>
#include <iterator>

COLORREF ColorOr(COLORREF colour, int sysColor) {
    return colour == LUMTREE_AUTOCOLOR ? GetSysColor(sysColor) : colour;
}

COLORREF GreyFor(COLORREF grayText, COLORREF buttonFace) {
    if (grayText != buttonFace) return grayText;
    return buttonFace == RGB(0xC0, 0xC0, 0xC0) ? RGB(0x80, 0x80, 0x80) : RGB(0xC0, 0xC0, 0xC0);
}

COLORREF GreyOr(COLORREF colour) {
    if (colour != LUMTREE_AUTOCOLOR) return colour;
    return GreyFor(GetSysColor(COLOR_GRAYTEXT), GetSysColor(COLOR_BTNFACE));
}

namespace {

// The control's own background brush (kept in the record, not in a guard).
HBRUSH MakeBackBrush(COLORREF colour) {
    return static_cast<HBRUSH>(gdi::AdmitObject(CreateSolidBrush(colour)));
}

void ReplaceBackBrush(TreeCtl *ctl, HBRUSH brush, bool borrowed) {
    if (ctl->backBrush && !ctl->backBrushBorrowed) DeleteObject(ctl->backBrush);
    ctl->backBrush = brush;
    ctl->backBrushBorrowed = borrowed;
}

} // namespace

// The background brush lives from one call to the next (it paints the empty item area), so it
// is kept in the record rather than in a guard; it is replaced on every call.
int UpdateColors(TreeCtl *ctl, HDC dc) {
    // Colours given by the application: the parent is not asked and nothing is reported.
    if (ctl->userTextColor != LUMTREE_AUTOCOLOR || ctl->userBackColor != LUMTREE_AUTOCOLOR) {
        ctl->textColor = ctl->itemTextColor = ColorOr(ctl->userTextColor, COLOR_WINDOWTEXT);
        ctl->backColor = ctl->itemBackColor = ColorOr(ctl->userBackColor, COLOR_WINDOW);
        ReplaceBackBrush(ctl, MakeBackBrush(ctl->itemBackColor), false);
        return 1;
    }

    gdi::WindowDC own(dc ? nullptr : ctl->window);
    HDC target = dc ? dc : own.get();

    const COLORREF defaultText = GetSysColor(ctl->look3D ? COLOR_BTNTEXT : COLOR_WINDOWTEXT);
    const COLORREF defaultBack = GetSysColor(ctl->look3D ? COLOR_BTNFACE : COLOR_WINDOW);
    COLORREF text = ctl->textColor, back = ctl->backColor;
    HBRUSH parentBrush = nullptr;

    HWND parent = GetParent(ctl->window);
    if (parent && !GetWindow(ctl->window, GW_CHILD)) {
        text = defaultText;
        back = defaultBack;
        ForgetChildCheck();
        auto answer = reinterpret_cast<HBRUSH>(SendMessageA(parent, WM_CTLCOLORLISTBOX,
                                                            reinterpret_cast<WPARAM>(target),
                                                            reinterpret_cast<LPARAM>(ctl->window)));
        if (answer && target) {
            COLORREF dcText = GetTextColor(target), dcBack = GetBkColor(target);
            // A parent that does not colour its controls answers with the window colours; the
            // 3-D look keeps its button face then.
            bool plainAnswer =
                dcText == GetSysColor(COLOR_WINDOWTEXT) && dcBack == GetSysColor(COLOR_WINDOW);
            if (!(ctl->look3D && plainAnswer)) {
                text = dcText;
                back = dcBack;
                parentBrush = answer;
            }
        }
    } else if (!ctl->backBrush) {
        text = defaultText;
        back = defaultBack;
    }

    int result = 1;
    if (text != ctl->textColor || text != ctl->itemTextColor || back != ctl->backColor ||
        back != ctl->itemBackColor) {
        ctl->textColor = ctl->itemTextColor = text;
        ctl->backColor = ctl->itemBackColor = back;
        if (dc) {
            InvalidateRect(ctl->window, nullptr, TRUE);
            Trace("lumtree", __LINE__, "Redraw all due to color change");
            result = 0;
        }
    }
    if (parentBrush) {
        ReplaceBackBrush(ctl, parentBrush, true);
    } else {
        ReplaceBackBrush(ctl, MakeBackBrush(ctl->itemBackColor), false);
    }
    return result;
}

bool RenderMessage(TreeCtl *ctl, UINT msg, WPARAM, LPARAM lp, LRESULT *result) {
    switch (msg) {
    case LUMTREEM_GETCOLORS:
        if (auto *table = reinterpret_cast<COLORREF *>(lp)) {
            std::copy(std::begin(ctl->colorTable), std::end(ctl->colorTable), table);
        }
        *result = 0;
        return true;
    case LUMTREEM_SETCOLORS:
        if (auto *table = reinterpret_cast<const COLORREF *>(lp)) {
            EndEditRequest(ctl);
            std::copy(table, table + LUMTREE_COLORCOUNT, std::begin(ctl->colorTable));
            InvalidateAll(ctl, true);
        }
        *result = 0;
        return true;
    default: return false;
    }
}
