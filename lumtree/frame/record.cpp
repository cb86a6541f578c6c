// The control record: the one-entry lookup cache, allocation on the first creation message,
// the creation defaults, destruction and freeing.
#include "frame.h"
#include "gdi.h"

#include "../access/access.h"
#include "../design/design.h"
#include "../items/items.h"
#include "../layout/layout.h"
#include "../mouse/mouse.h"
#include "../render/render.h"

#include <new>

LumProcess g_lum = [] {
    LumProcess p{};
    p.trackIndex = kNone;
    p.lastMouse = POINT{-1, -1};
    return p;
}();

namespace {

constexpr char kControlProp[] = "MarvikTree32";
constexpr char kTabProp[] = "TabOK";
constexpr WORD kButtonStripResource = 32600;
constexpr WORD kResizeCursorResource = 32602;

// After WM_NCDESTROY extra word 0 holds -1: no record any more.
const auto kFreedRecord = reinterpret_cast<TreeCtl *>(static_cast<LONG_PTR>(-1));

} // namespace

TreeCtl *FindCtl(HWND window) {
    if (window && window == g_lum.cachedWindow && g_lum.cacheValid) return g_lum.cachedCtl;
    auto *ctl = reinterpret_cast<TreeCtl *>(GetWindowLongPtrA(window, 0));
    if (ctl == kFreedRecord) return nullptr;
    if (ctl) {
        g_lum.cachedWindow = window;
        g_lum.cachedCtl = ctl;
    }
    return ctl;
}

TreeCtl *AllocateRecord(HWND window) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(TreeCtl));
    if (!block) return nullptr;
    void *memory = GlobalLock(block);
    if (!memory) {
        GlobalFree(block);
        return nullptr;
    }
    auto *ctl = new (memory) TreeCtl{};
    ctl->window = window;
    ctl->showLines = TRUE;
    SetWindowLongPtrA(window, 0, reinterpret_cast<LONG_PTR>(ctl));
    return ctl;
}

void FreeRecord(TreeCtl *ctl) {
    HWND window = ctl->window;
    if (g_lum.cachedCtl == ctl) {
        g_lum.cachedWindow = nullptr;
        g_lum.cachedCtl = nullptr;
    }
    HGLOBAL block = GlobalHandle(ctl);
    GlobalUnlock(block);
    GlobalFree(block);
    SetWindowLongPtrA(window, 0, reinterpret_cast<LONG_PTR>(kFreedRecord));
}

void RebuildDerivedFonts(TreeCtl *ctl) {
    LOGFONTA lf{};
    GetObjectA(ctl->itemFont, sizeof(lf), &lf);
    ctl->caretLogFont = lf;
    ctl->caretLogFont.lfWeight = FW_BOLD;
    ctl->trackLogFont = lf;
    ctl->trackLogFont.lfUnderline = 1;
    ctl->trackCaretLogFont = ctl->trackLogFont;
    ctl->trackCaretLogFont.lfWeight = FW_BOLD;
}

void ApplyItemFont(TreeCtl *ctl, HFONT font) {
    ctl->itemFont = font;
    ReadFontMetrics(ctl, font, &ctl->fontMetrics);
    const TEXTMETRICA &tm = ctl->fontMetrics;
    ctl->baselineShift = (tm.tmAscent - (3 * tm.tmInternalLeading) / 4) / 2;
    RebuildDerivedFonts(ctl);
    ctl->avgCharWidth = tm.tmAveCharWidth;
    ctl->maxCharWidth = tm.tmMaxCharWidth;
    RecalcRowHeight(ctl);
    RecalcPageRows(ctl);
}

// Creation defaults. Current hosts always have SetScrollInfo and the version-4 look, so
// shortIndexes and oldLook stay 0 and the scroll-info functions are looked up unconditionally;
// a failed lookup still falls back to the range functions.
bool OnCreate(TreeCtl *ctl, const CREATESTRUCTA *cs) {
    HWND w = ctl->window;
    SetPropA(w, kControlProp, reinterpret_cast<HANDLE>(1));

    ctl->windowShown = (cs->style & WS_VISIBLE) != 0;
    ctl->redrawEnabled = TRUE;
    ctl->forwardToParent = TRUE;
    ctl->extraIndent = TRUE;
    ctl->pageRows = ctl->fullRows = 1;
    ctl->selection = ctl->anchor = kNone;
    ctl->showLines = TRUE;
    ctl->gridStyle = 2;
    ctl->linesPerItem = 1;
    for (COLORREF &colour : ctl->colorTable) colour = LUMTREE_AUTOCOLOR;
    ctl->pressedItem = ctl->pressedButton = ctl->dropTarget = kNone;
    ctl->dragInfo.dragTarget = kNone;
    ctl->columnResizeOn = TRUE;
    ctl->pressedHeader = ctl->trackedHeader = ctl->resizingColumn = kNone;
    ctl->cornerButtonOn = TRUE;
    ctl->labelStyle = 3;
    ctl->lastClientWidth = -1;

    auto systemFont = static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
    SendSelf(ctl, WM_SETFONT, reinterpret_cast<WPARAM>(systemFont), 0);
    SetHeaderFont(ctl, systemFont, false);
    SetLabelFont(ctl, systemFont, false);
    if (!SetColumnInfo(ctl, 0, nullptr)) return false;

    HMODULE user32 = GetModuleHandleA("USER32.DLL");
    ctl->setScrollInfoFn = reinterpret_cast<decltype(&SetScrollInfo)>(
        reinterpret_cast<void *>(GetProcAddress(user32, "SetScrollInfo")));
    ctl->getScrollInfoFn = reinterpret_cast<decltype(&GetScrollInfo)>(
        reinterpret_cast<void *>(GetProcAddress(user32, "GetScrollInfo")));
    ctl->shortIndexes = 0;
    ctl->oldLook = FALSE;

    ctl->defaultBitmap = static_cast<HBITMAP>(
        gdi::AdmitObject(LoadBitmapA(g_lum.module, MAKEINTRESOURCEA(kButtonStripResource))));
    if (ctl->defaultBitmap) {
        SetButtonStrip(ctl, ctl->defaultBitmap);
        SetShowButtons(ctl, true);
    }
    ctl->resizeCursor = LoadCursorA(g_lum.module, MAKEINTRESOURCEA(kResizeCursorResource));

    DWORD style = WindowStyle(ctl);
    ctl->vertBarShown = (style & WS_VSCROLL) != 0;
    ctl->horzBarShown = (style & WS_HSCROLL) != 0;
    if (style & LUMTREESTYLE_SCROLL) {
        ctl->extraIndent = FALSE;
        ctl->vertBarManaged = ctl->vertBarShown;
        ctl->horzBarManaged = ctl->horzBarShown;
    } else {
        ctl->vertBarManaged = ctl->horzBarManaged = TRUE;
    }

    DeleteAllItems(ctl, false);
    EndTracking(ctl);
    UpdateColors(ctl, nullptr);
    if (InDialogEditor(w)) AddSampleItems(ctl);

    RECT rc;
    GetWindowRect(w, &rc);
    ctl->creationHeight = rc.bottom - rc.top;
    if (style & LUMTREESTYLE_INTEGRALHEIGHT) FitHeight(ctl, 0);

    g_lum.cacheValid = TRUE;
    ctl->itemTrack = ctl->horzBarUpdateOff = ctl->vertBarUpdateOff = FALSE;
    return true;
}

void OnDestroy(TreeCtl *ctl) {
    HWND w = ctl->window;
    SetWindowLongA(w, GWL_STYLE, GetWindowLongA(w, GWL_STYLE) & ~LUMTREESTYLE_NOTIFY);
    DeleteAllItems(ctl, false);
    AccessDisconnect(ctl);
    if (ctl->defaultBitmap) DeleteObject(ctl->defaultBitmap);
    ctl->defaultBitmap = ctl->buttonStrip = nullptr;
    if (ctl->backBrush) {
        if (!ctl->backBrushBorrowed) DeleteObject(ctl->backBrush);
        ctl->backBrush = nullptr;
    }
    FreeColumns(ctl);
    ReleasePaintBuffer(ctl);
    LumFree(ctl->cornerText);
    ctl->cornerText = nullptr;
    RemovePropA(w, kControlProp);
    if (GetPropA(w, kTabProp)) RemovePropA(w, kTabProp);
    if (g_lum.trackWindow == w) {
        g_lum.trackWindow = nullptr;
        g_lum.trackIndex = kNone;
    }
    g_lum.cacheValid = FALSE;
}
