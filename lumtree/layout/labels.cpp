// Row labels and the corner: switching the label column on and off, its width, the labels'
// texts, attributes, flags and font, and the corner's text, bitmap, flags and button state.
#include "layout.h"

#include "../frame/gdi.h"

#include "../items/items.h"

#include <algorithm>
#include <cstring>

namespace {

// Flat styles keep a 3-pixel frame margin; the 3-D styles use the margin of the platform look.
INT LabelMargin(const TreeCtl *ctl) {
    return IsFlatLabelStyle(ctl) ? 3 : Margin(ctl);
}

TreeLabelAttr DefaultLabel() {
    TreeLabelAttr label{};
    label.selBackColor = label.selTextColor = label.backColor = label.textColor = LUMTREE_AUTOCOLOR;
    return label;
}

// LUMTREEM_SETLABELATTR.
bool SetLabelAttributes(TreeCtl *ctl, const TreeLabelAttrRequest *request) {
    if (!request) return false;
    const INT item = request->item;
    if (item < kNone || item >= ctl->itemCount) return false;
    BITMAP bm;
    if (!AcceptAttrRequest(ctl, request->version, request->attr.bitmap, &bm)) return false;
    if (item == kNone) {
        // Control-wide: the size reserves row height and label width.
        if (StoreBitmapSize(ctl, &ctl->labelBitmapInfo, bm)) InvalidateItemArea(ctl, true);
        return true;
    }
    TreeItem *record = ItemAt(ctl, item);
    if (!record->labelAttributes) {
        auto *label = static_cast<TreeLabelAttr *>(LumAlloc(sizeof(TreeLabelAttr)));
        if (!label) return false;
        *label = DefaultLabel();
        record->labelAttributes = label;
    }
    std::memcpy(record->labelAttributes, &request->attr, sizeof(TreeLabelAttr));
    InvalidateRows(ctl, item, false, true, true);
    return true;
}

// LUMTREEM_GETLABELATTR.
bool GetLabelAttributes(const TreeCtl *ctl, TreeLabelAttrRequest *request) {
    if (!request || !ValidIndex(ctl, request->item) || request->version != LUMTREE_ATTRVERSION) {
        return false;
    }
    const TreeItem *item = ItemAt(ctl, request->item);
    TreeLabelAttr label = item->labelAttributes ? *item->labelAttributes : DefaultLabel();
    std::memcpy(&request->attr, &label, sizeof(TreeLabelAttr));
    return true;
}

INT LabelTextLength(const TreeCtl *ctl, INT i) {
    if (!ValidIndex(ctl, i)) return -1;
    return static_cast<INT>(TextLength(ctl, ItemAt(ctl, i)->labelText));
}

// LUMTREEM_GETLABELTEXT: the caller's buffer holds at least length + 1 characters.
INT GetLabelText(const TreeCtl *ctl, INT i, void *buffer) {
    if (!ValidIndex(ctl, i) || !buffer) return -1;
    return TextCopyWhole(ctl, buffer, ItemAt(ctl, i)->labelText);
}

bool SetLabelText(TreeCtl *ctl, INT i, const char *text) {
    if (!ValidIndex(ctl, i) || !SetItemLabelText(ctl, i, text)) return false;
    InvalidateRows(ctl, i, false, true, false);
    return true;
}

bool SetCornerText(TreeCtl *ctl, const char *text) {
    if (!text) return false;
    char *copy = TextDup(ctl, text);
    if (!copy) return false;
    LumFree(ctl->cornerText);
    ctl->cornerText = copy;
    InvalidateCorner(ctl);
    return true;
}

// LUMTREEM_SETCORNERBITMAP: an invalid handle is stored as no bitmap.
void SetCornerBitmap(TreeCtl *ctl, HBITMAP bitmap) {
    EndEditRequest(ctl);
    BITMAP bm{};
    if (!ReadBitmapInfo(bitmap, &bm)) bitmap = nullptr;
    LONG oldHeight = ctl->cornerBitmapInfo.bmHeight;
    ctl->cornerBitmapInfo = bm;
    ctl->cornerBitmap = bitmap;
    if (bm.bmHeight != oldHeight) {
        RecalcRowHeight(ctl);
        RecalcPageRows(ctl);
        InvalidateAll(ctl);
    } else {
        InvalidateCorner(ctl);
    }
}

// Setters of a corner value that repaint the corner: the end-edit request, then the value.
void SetCornerValue(TreeCtl *ctl, UINT *field, UINT value) {
    EndEditRequest(ctl);
    *field = value;
    InvalidateCorner(ctl);
}

// Setters of a corner switch: the end-edit request; the corner is repainted when it changed.
void SetCornerSwitch(TreeCtl *ctl, BOOL *field, WPARAM wp) {
    EndEditRequest(ctl);
    BOOL value = wp != 0;
    if (*field == value) return;
    *field = value;
    InvalidateCorner(ctl);
}

} // namespace

const char *LabelNumber(const TreeCtl *ctl, INT i, LabelNumberText &text) {
    switch (ctl->labelStyle) {
    case 3:
    case 4: wsprintfA(text.ascii, "%d", i); break;
    case 5:
    case 6: wsprintfA(text.ascii, "%d", i + 1); break;
    default: return nullptr;
    }
    return TextFromAscii(ctl, text.ascii, text.wide);
}

const char *LabelText(const TreeCtl *ctl, INT i, LabelNumberText &number) {
    const char *text = ItemAt(ctl, i)->labelText;
    return text ? text : LabelNumber(ctl, i, number);
}

void SetLabelFont(TreeCtl *ctl, HFONT font, bool repaint) {
    SetLayoutFont(ctl, &ctl->labelFont, &ctl->labelFontMetrics, font, repaint);
}

void ShowLabels(TreeCtl *ctl, INT style) {
    if (style < 0 || style > 6) return;
    EndEditRequest(ctl);
    const BOOL on = style != 0;
    if (on == ctl->showLabels && static_cast<UINT>(style) == ctl->labelStyle) return;
    ctl->showLabels = on;
    if (!on) {
        ctl->labelWidth = 0;
    } else if (ctl->labelWidth < 1) {
        ctl->labelWidth = 4 * ctl->avgCharWidth;
    }
    ctl->labelStyle = static_cast<UINT>(style);
    RecalcRowHeight(ctl);
    RecalcPageRows(ctl);
    InvalidateAll(ctl, true);
}

INT CalcLabelWidth(TreeCtl *ctl) {
    if (!ctl->showLabels) return 0;
    const INT avg = ctl->avgCharWidth;
    const LONG bitmapWidth = ctl->labelBitmapInfo.bmWidth;
    gdi::WindowDC windowDC(ctl->window);
    const HDC dc = windowDC.get();
    INT best = 0;
    {
        gdi::Select labelFont(dc, ctl->labelFont);
        // Every item counts, hidden ones too: a label must fit once its row is shown.
        for (INT i = 0; i < ctl->itemCount; ++i) {
            const TreeItem *item = ItemAt(ctl, i);
            LabelNumberText number;
            const char *text = LabelText(ctl, i, number);
            const TreeLabelAttr *attr = item->labelAttributes;
            const bool hasBitmap = attr && attr->bitmap;
            const bool alone = hasBitmap && (attr->flags & LUMTREEBITMAP_ALONE);
            best = std::max(best, TextAndBitmapWidth(ctl, dc, text, hasBitmap, alone, bitmapWidth,
                                                     DT_SINGLELINE));
        }
    }
    INT result = best + avg + LabelMargin(ctl);
    if (ctl->showHeader && ctl->cornerText) {
        gdi::Select headerFont(dc, ctl->headerFont);
        INT c = avg + 6 +
                TextAndBitmapWidth(ctl, dc, ctl->cornerText, ctl->cornerBitmap != nullptr,
                                   (ctl->cornerBitmapFlags & LUMTREEBITMAP_ALONE) != 0,
                                   ctl->cornerBitmapInfo.bmWidth, DT_SINGLELINE);
        result = std::max(result, c);
    }
    return result;
}

void SetLabelWidth(TreeCtl *ctl, INT width) {
    EndEditRequest(ctl);
    if (width == 0) {
        ctl->labelWidth = 0;
        if (!ctl->showLabels) return;
        ctl->showLabels = FALSE;
    } else {
        if (width < 0) width = CalcLabelWidth(ctl);
        // Positions right of the label column stay inside 32 bits.
        width = std::min(width, kMaxCoordinate);
        if (width == ctl->labelWidth) return;
        ctl->labelWidth = width;
        // The label style stays as it is, so labels switched off with style 0 come back
        // numbered from 0.
        const BOOL on = width > 0;
        if (ctl->showLabels == on) {
            InvalidateAll(ctl);
            return;
        }
        ctl->showLabels = on;
    }
    RecalcRowHeight(ctl);
    RecalcPageRows(ctl);
    InvalidateAll(ctl);
}

bool LabelMessage(TreeCtl *ctl, UINT msg, WPARAM wp, LPARAM lp, LRESULT *result) {
    *result = 0;
    const INT i = static_cast<INT>(wp);
    switch (msg) {
    // ---- Labels ----
    case LUMTREEM_SETLABELATTR:
        *result = SetLabelAttributes(ctl, reinterpret_cast<const TreeLabelAttrRequest *>(lp));
        return true;
    case LUMTREEM_GETLABELATTR:
        *result = GetLabelAttributes(ctl, reinterpret_cast<TreeLabelAttrRequest *>(lp));
        return true;
    case LUMTREEM_GETLABELSTYLE: *result = static_cast<LRESULT>(ctl->labelStyle); return true;
    case LUMTREEM_SHOWLABELS: ShowLabels(ctl, i); return true;
    case LUMTREEM_GETLABELFLAGS: *result = static_cast<LRESULT>(ctl->labelFlags); return true;
    case LUMTREEM_SETLABELFLAGS:
        EndEditRequest(ctl);
        ctl->labelFlags = static_cast<UINT>(lp);
        InvalidateRows(ctl, 0, true, true, false);
        return true;
    case LUMTREEM_GETLABELTEXTLENGTH: *result = LabelTextLength(ctl, i); return true;
    case LUMTREEM_GETLABELTEXT:
        *result = GetLabelText(ctl, i, reinterpret_cast<void *>(lp));
        return true;
    case LUMTREEM_SETLABELTEXT:
        *result = SetLabelText(ctl, i, reinterpret_cast<const char *>(lp));
        return true;
    case LUMTREEM_SETLABELFONT:
        SetLabelFont(ctl, reinterpret_cast<HFONT>(wp), LOWORD(lp) != 0);
        return true;
    case LUMTREEM_GETLABELFONT: *result = reinterpret_cast<LRESULT>(ctl->labelFont); return true;
    case LUMTREEM_CALCLABELWIDTH: *result = CalcLabelWidth(ctl); return true;
    case LUMTREEM_SETLABELWIDTH: SetLabelWidth(ctl, i); return true;
    case LUMTREEM_GETLABELWIDTH: *result = ctl->labelWidth; return true;
    // ---- Corner ----
    case LUMTREEM_GETCORNERBUTTON: *result = ctl->cornerButtonOn; return true;
    case LUMTREEM_SETCORNERBUTTON: SetCornerSwitch(ctl, &ctl->cornerButtonOn, wp); return true;
    case LUMTREEM_GETCORNERPRESSED: *result = ctl->cornerPressed; return true;
    case LUMTREEM_SETCORNERPRESSED: SetCornerSwitch(ctl, &ctl->cornerPressed, wp); return true;
    case LUMTREEM_GETCORNERBITMAP:
        *result = reinterpret_cast<LRESULT>(ctl->cornerBitmap);
        return true;
    case LUMTREEM_SETCORNERBITMAP: SetCornerBitmap(ctl, reinterpret_cast<HBITMAP>(lp)); return true;
    case LUMTREEM_GETCORNERBITMAPFLAGS:
        *result = static_cast<LRESULT>(ctl->cornerBitmapFlags);
        return true;
    case LUMTREEM_SETCORNERBITMAPFLAGS:
        SetCornerValue(ctl, &ctl->cornerBitmapFlags, static_cast<UINT>(lp));
        return true;
    case LUMTREEM_GETCORNERFLAGS: *result = static_cast<LRESULT>(ctl->cornerFlags); return true;
    case LUMTREEM_SETCORNERFLAGS:
        SetCornerValue(ctl, &ctl->cornerFlags, static_cast<UINT>(lp));
        return true;
    case LUMTREEM_SETCORNERTEXT:
        *result = SetCornerText(ctl, reinterpret_cast<const char *>(lp));
        return true;
    case LUMTREEM_GETCORNERTEXT:
        *result = TextCopyOut(ctl, reinterpret_cast<void *>(lp), i, ctl->cornerText);
        return true;
    case LUMTREEM_GETCORNERTEXTLENGTH:
        *result = static_cast<INT>(TextLength(ctl, ctl->cornerText));
        return true;
    default: return false;
    }
}
