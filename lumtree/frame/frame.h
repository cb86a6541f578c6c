// Control frame: the per-window control record, the process-wide values, finding a window's
// record, and the small services that every other subsystem uses (drawing-live test, the
// end-edit request, window-style reads, heap and trace).
#pragma once

#include "../lumtree.h"

#include <cstddef>
#include <cstdint>

struct TreeItem;

// Item flag bits (TreeItem::flags).
inline constexpr DWORD kItemShown = 0x1;
inline constexpr DWORD kItemSelected = 0x2;
inline constexpr DWORD kItemEnabled = 0x4;

inline constexpr int kMaxLevel = 64;

// Every index that names "no item".
inline constexpr int kNone = -1;

// The control record: one zero-initialised block per control window, kept in window extra
// word 0. Fields are in record order; the comment after a field gives its default after
// WM_CREATE when that is not zero. Booleans hold 0 or 1.
struct TreeCtl {
    HWND window;
    INT topIndex;
    INT pageRows;  // rows at least partly visible, >= 1
    INT fullRows;  // rows wholly visible, >= 1
    INT selection; // single-selection mode: selected item, -1
    INT anchor;    // -1
    // Items whose selected flag is set: kept by the selection flag setters and the deletion
    // cores, so that clearing and counting the selection need not read the whole list.
    INT selectedCount;
    INT rowHeight; // even
    INT caret;     // 0 when the list is empty; -1 transiently
    INT shownCount;
    INT itemCount;
    INT spareSlots;
    BOOL textOnlySelection;
    INT inactiveSelectionStyle;
    BOOL showLines; // 1
    BOOL showItemBitmaps;
    BOOL showNodeBitmaps;
    BOOL showStateBitmaps;
    BOOL look3D;
    BOOL gridLines;
    INT gridStyle; // 2
    BOOL showRootButtons;
    BOOL showButtons; // 1 once the default strip is installed
    BOOL cellEllipsis;
    TreeItem **items;
    BOOL windowShown;
    BOOL redrawEnabled; // 1
    INT maxLevel;
    INT columnCount; // 1
    TreeColumn *columns;
    TreeColumnInfo *columnInfoBuffer;
    INT textColumn;
    INT treeWidth;
    LUMTREEDRAWPROC drawCallback;
    DWORD_PTR drawCallbackData;
    COLORREF textColor;
    COLORREF backColor;
    COLORREF itemTextColor;
    COLORREF itemBackColor;
    HBRUSH backBrush;
    BOOL backBrushBorrowed;
    HFONT itemFont;
    LOGFONTA caretLogFont;
    LOGFONTA trackLogFont;
    LOGFONTA trackCaretLogFont;
    BOOL caretFontOn;
    TEXTMETRICA fontMetrics;
    INT linesPerItem; // 1
    INT avgCharWidth;
    INT maxCharWidth;
    // The 27 application colours, -1 automatic, in the order of the exchanged colour table.
    union {
        COLORREF colorTable[LUMTREE_COLORCOUNT];
        struct {
            COLORREF userBackColor;
            COLORREF userTextColor;
            COLORREF grayTextColor;
            COLORREF selBackColor;
            COLORREF selTextColor;
            COLORREF shadowColor;
            COLORREF lightColor;
            COLORREF headerBackColor;
            COLORREF headerTextColor;
            COLORREF headerGrayTextColor;
            COLORREF headerShadowColor;
            COLORREF headerLightColor;
            COLORREF labelBackColor;
            COLORREF labelTextColor;
            COLORREF labelSelBackColor;
            COLORREF labelSelTextColor;
            COLORREF labelGrayTextColor;
            COLORREF labelShadowColor;
            COLORREF labelLightColor;
            COLORREF cornerBackColor;
            COLORREF cornerTextColor;
            COLORREF cornerGrayTextColor;
            COLORREF cornerShadowColor;
            COLORREF cornerLightColor;
            COLORREF gridVertColor;
            COLORREF gridHorzColor;
            COLORREF dropMarkColor;
        };
    };
    BITMAP itemBitmapInfo;
    HBITMAP stateBitmapCollapsed;
    HBITMAP stateBitmapExpanded;
    HBITMAP stateBitmapLeaf;
    BITMAP stateBitmapInfo;
    HBITMAP nodeBitmapCollapsed;
    HBITMAP nodeBitmapExpanded;
    HBITMAP nodeBitmapLeaf;
    BITMAP nodeBitmapInfo;
    HBITMAP buttonStrip;
    BITMAP buttonBitmapInfo;
    HBITMAP defaultBitmap;
    BITMAP cellBitmapInfo;
    BITMAP headerBitmapInfo;
    BITMAP labelBitmapInfo;
    BITMAP cornerBitmapInfo;
    BOOL inScrollRequest; // one bit per bar, 1 << SB_HORZ and 1 << SB_VERT
    BOOL vertBarManaged;
    BOOL vertBarShown;
    BOOL horzBarManaged;
    BOOL horzBarShown;
    INT horizontalExtent;
    INT horizontalPos;
    decltype(&SetScrollInfo) setScrollInfoFn;
    decltype(&GetScrollInfo) getScrollInfoFn;
    BOOL scrollDown;
    BOOL scrollLeft;
    UINT_PTR scrollTimer;
    UINT ignoreMouse;
    BOOL selectOnBitmapClick;
    POINT pressPoint;
    UINT dragMode;
    UINT dragArmed;
    UINT dragging;
    INT pressedItem; // -1
    UINT pressedSelected;
    UINT labelPressed;
    TreeDragInfo dragInfo; // dragInfo.dragTarget: -1
    UINT buttonDown;
    HCURSOR dragCursor;
    UINT dropScrolling;
    INT dropTarget; // -1
    UINT dropMarkMode;
    INT pressedButton; // -1
    RECT cellRect;
    INT lastClickColumn;
    HFONT headerFont;
    TEXTMETRICA headerFontMetrics;
    BOOL showHeader;
    BOOL columnResizeOn; // 1
    BOOL headerButtonsOn;
    INT pressedHeader; // -1
    INT trackedHeader; // -1
    INT savedPressedHeader;
    HCURSOR resizeCursor;
    INT resizingColumn; // -1
    RECT resizeLine;
    BOOL cornerButtonOn; // 1
    BOOL cornerPressed;
    HBITMAP cornerBitmap;
    UINT cornerFlags;
    UINT cornerBitmapFlags;
    char *cornerText;
    BOOL cornerTracking;
    BOOL cornerSavedPressed;
    HFONT labelFont;
    TEXTMETRICA labelFontMetrics;
    BOOL showLabels;
    INT labelWidth;
    UINT labelStyle; // 3
    UINT labelFlags;
    LUMTREEDELETEPROC deleteCallback;
    DWORD_PTR deleteCallbackData;
    INT creationHeight;
    INT lastClientWidth; // -1
    UINT shortIndexes;
    BOOL forwardToParent; // 1
    BOOL oldLook;
    BOOL extraIndent; // 1; 0 with LUMTREESTYLE_SCROLL
    INT baselineShift;
    BOOL itemTrack;
    BOOL horzBarUpdateOff;
    BOOL vertBarUpdateOff;

    // ---- Implementation fields (not part of the classic record) ----
    // The position index beside the item array, owned by the item store (items/item_array.cpp):
    // one byte per position (level and shown flag) as the leaves of a tree of lowest levels,
    // shown-item counts per block of positions and a Fenwick tree over those counts. Parent,
    // sibling and row queries are answered from it without walking the list. One allocation,
    // held by levelTree; indexLeaves is its number of leaves (0 while there is none).
    BYTE *levelTree;
    INT *rowCounts;
    INT *rowTree;
    INT indexLeaves;
    // Counts every change of the item list's order or membership, so that a path that hands
    // control to the application (a notification, a comparison routine) can tell afterwards
    // whether the list it was working on is still the same.
    UINT listVersion;
    // The accessible object handed to accessibility clients, made on their first request and
    // disconnected at WM_DESTROY (access/object.cpp).
    struct AccessObject *access;
    // Width of every text the control holds and exchanges: 0 ANSI (char), 1 UTF-16 (wchar_t).
    // Only the text module (frame/text.cpp) reads through the text pointers knowing it.
    BOOL wideText;
    // The one-row paint buffer, kept between paints by the renderer (render/paint.cpp): the DC
    // holding the row bitmap, the bitmap it displaced, the two scratch DCs, and the size and
    // screen format the bitmap was made for. Released with the window (ReleasePaintBuffer).
    HDC paintBufferDC;
    HBITMAP paintBitmap;
    HGDIOBJ paintOldBitmap;
    HDC paintWork1;
    HDC paintWork2;
    INT paintWidth;
    INT paintHeight;
    INT paintFormat;
};

// The colour table shares storage with the 27 named colour fields; the order of the table
// exchanged with applications is the field order.
static_assert(offsetof(TreeCtl, dropMarkColor) - offsetof(TreeCtl, userBackColor) ==
              (LUMTREE_COLORCOUNT - 1) * sizeof(COLORREF));
static_assert(sizeof(LOGFONTA) == 60);

// ---- Process-wide values (one copy per process, used on the thread that owns the windows) ----
struct LumProcess {
    HINSTANCE module;   // the library module, set at load
    UINT lostCursorMsg; // RegisterWindowMessage("halvo_idMsgLostCursor")
    HWND cachedWindow;  // one-entry record cache
    TreeCtl *cachedCtl;
    BOOL cacheValid;
    HWND trackWindow; // hot-track state: window, row rectangle, item
    RECT trackRect;
    INT trackIndex;  // -1
    POINT lastMouse; // (-1, -1)
    BOOL keyboardMode;
    BOOL globalItemTrack;
    // The end-edit request asks the platform whether the control has a child window, a round
    // trip to the window server on some hosts, and one message can make several requests. The
    // answer "none" is kept for the window named here while a private message is dispatched
    // (childCheckDepth > 0) and forgotten whenever the control calls out to application code,
    // which may create a child (ForgetChildCheck).
    HWND noChildWindow;
    INT childCheckDepth;
};
extern LumProcess g_lum;

// Called before the control hands control to application code (a notification, a callback, a
// message to the parent): a child window may exist afterwards.
inline void ForgetChildCheck() {
    g_lum.noChildWindow = nullptr;
}

// ---- Finding the record ----
// The record of a window, or null. Uses and refreshes the one-entry cache.
TreeCtl *FindCtl(HWND window);

// ---- Services for every subsystem ----
inline DWORD WindowStyle(const TreeCtl *ctl) {
    return static_cast<DWORD>(GetWindowLongA(ctl->window, GWL_STYLE));
}
inline bool HasStyle(const TreeCtl *ctl, DWORD style) {
    return (WindowStyle(ctl) & style) != 0;
}
inline bool IsMultiSel(const TreeCtl *ctl) {
    return HasStyle(ctl, LUMTREESTYLE_MULTIPLESEL);
}
// Painting-related work and the end-edit request run only while the window is shown and
// redrawing is on.
inline bool DrawingLive(const TreeCtl *ctl) {
    return ctl->windowShown && ctl->redrawEnabled;
}
inline bool ValidIndex(const TreeCtl *ctl, INT i) {
    return i >= 0 && i < ctl->itemCount;
}
// wParam index as the short-index hosts read it (sign-extended from 16 bits there).
inline INT IndexParam(const TreeCtl *ctl, WPARAM wp) {
    return ctl->shortIndexes ? static_cast<INT>(static_cast<int16_t>(LOWORD(wp)))
                             : static_cast<INT>(wp);
}

// Asks the parent to end in-place editing (LUMTREEN_ENDEDIT) when drawing is live, the
// window has LUMTREESTYLE_NOTIFY, a parent and a child window (selection/notify.cpp). True
// when the request was sent.
bool EndEditRequest(TreeCtl *ctl);

// Sends a notification to the parent; the codes that are gated by the notify style are sent
// only while the window has LUMTREESTYLE_NOTIFY (selection/notify.cpp).
void Notify(TreeCtl *ctl, int code);
// Sends a code whatever the style (the keyboard's equivalents of mouse codes).
void NotifyAlways(TreeCtl *ctl, int code);

// Sends a message to the control through its own window procedure.
LRESULT SendSelf(TreeCtl *ctl, UINT msg, WPARAM wp, LPARAM lp);

// Heap for records and strings. Allocation failures return null; the library the tests link
// (built with LUMTREE_FAULT_INJECTION) can make the n-th following allocation, or the n-th GDI
// object or memory DC made through frame/gdi.h, fail to reach the out-of-memory paths.
void *LumAlloc(size_t bytes);
void *LumAllocZero(size_t bytes);
void *LumRealloc(void *block, size_t bytes);
void LumFree(void *block);
char *LumStrDup(const char *text); // copy of length + 1 bytes, null on failure
#ifdef LUMTREE_FAULT_INJECTION
void LumFailAllocAfter(int count); // -1 disables failure injection
void LumFailGdiAfter(int count);   // the same for GDI objects and memory DCs
int LumInjectedFailures();         // failures injected so far
#endif

// Trace routine for set-up failures; it does nothing in the delivered build.
void Trace(const char *file, int line, const char *message);

// Hot-track state (process-wide).
void ClearHotTrack();
void SetHotTrack(TreeCtl *ctl, INT index);

// Creation and destruction steps (frame/record.cpp).
TreeCtl *AllocateRecord(HWND window);
// False when the control cannot hold its default column (out of memory): the creation then
// fails, since every item needs at least one text slot.
bool OnCreate(TreeCtl *ctl, const CREATESTRUCTA *cs);
void OnDestroy(TreeCtl *ctl);
void FreeRecord(TreeCtl *ctl);
// WM_SETFONT: item font, its metrics, the derived font descriptions and the row height.
void ApplyItemFont(TreeCtl *ctl, HFONT font);
// Rebuilds caretLogFont, trackLogFont and trackCaretLogFont from the item font.
void RebuildDerivedFonts(TreeCtl *ctl);

// Keyboard (frame/keyboard.cpp).
LRESULT OnGetDlgCode(TreeCtl *ctl, const MSG *msg);
void OnKeyDown(TreeCtl *ctl, WPARAM key);
