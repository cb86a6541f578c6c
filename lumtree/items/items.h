// Item store: the item record, the flat item array with its row index, the insertion and
// deletion cores, the level-based navigation queries, showing and expanding, and the item
// messages. Stored indexes (selection, anchor, caret, drop target, top index) are shifted only
// here.
#pragma once

#include "../frame/frame.h"
#include "../frame/text.h"

// One item of the flat list. The record is allocated with exactly columnCount text slots,
// followed in the same block by the text the item was inserted with (items/item_store.cpp).
struct TreeItem {
    WORD level;         // 0..64
    DWORD flags;        // kItemShown | kItemSelected | kItemEnabled
    HBITMAP bitmap;     // not owned
    HBITMAP nodeBitmap; // not owned; 0 = the control's default node bitmap for the state
    DWORD_PTR data;
    TreeLabelAttr *labelAttributes; // owned, created on first use
    char *labelText;                // owned
    TreeCellAttr *cellAttributes;   // owned, columnCount records, created on first use
    DWORD kind;
    char *texts[]; // owned, columnCount slots, null = no text
};

// The first nine fields of an item: what the insertion core copies into a new record.
struct ItemTemplate {
    WORD level = 0;
    DWORD flags = kItemShown | kItemEnabled;
    HBITMAP bitmap = nullptr;
    HBITMAP nodeBitmap = nullptr;
    DWORD_PTR data = 0;
    TreeLabelAttr *labelAttributes = nullptr;
    char *labelText = nullptr;
    TreeCellAttr *cellAttributes = nullptr;
    DWORD kind = 0;
};

inline TreeItem *ItemAt(const TreeCtl *ctl, INT i) {
    return ctl->items[i];
}
// Level and shown flag of item i, read from the position index (a mirror of the records that
// only the item store writes: through StoreItemLevel, SetItemShown and the array routines).
inline bool ItemShown(const TreeCtl *ctl, INT i) {
    return (ctl->levelTree[ctl->indexLeaves + i] & 0x80) != 0;
}
inline INT LevelOf(const TreeCtl *ctl, INT i) {
    return ctl->levelTree[ctl->indexLeaves + i] & 0x7F;
}
// The text of the item in the given column, an empty text (of either width) when it has none.
inline const char *ItemText(const TreeItem *item, INT column) {
    return item->texts[column] ? item->texts[column] : EmptyText();
}

// ---- Item array and position index (items/item_array.cpp) ----
// Array growth: steps of kArrayStep slots; shrinking waits for kShrinkAt free slots.
inline constexpr INT kArrayStep = 256;
inline constexpr INT kShrinkAt = 513;

// Puts an item at pos (0..itemCount), moving the following pointers up. Grows the array by
// the growth rule; keeps itemCount, spareSlots, shownCount and the position index. False when
// the array cannot grow (nothing changed then).
bool ItemArrayInsert(TreeCtl *ctl, INT pos, TreeItem *item);
// Makes sure the next ItemArrayInsert needs no memory; false when it cannot.
bool ItemArrayReserve(TreeCtl *ctl);
// Takes the item at pos out of the array (the record is not freed), applying the shrink rule.
TreeItem *ItemArrayRemove(TreeCtl *ctl, INT pos);
// Takes count items from pos on out of the array at once (the records are not freed); the
// array ends with the spare slots that count single removals would leave.
void ItemArrayRemoveRun(TreeCtl *ctl, INT pos, INT count);
// Frees the pointer array and the index; the records must have been freed already.
void ItemArrayRelease(TreeCtl *ctl);
// Sets or clears the shown flag of item i, keeping shownCount and the index.
void SetItemShown(TreeCtl *ctl, INT i, bool shown);
// Stores a level (0..64) in item i's record and in the index.
void StoreItemLevel(TreeCtl *ctl, INT i, INT level);
// Re-reads the records at positions [first, end) into the index after they were reordered.
void ReindexItems(TreeCtl *ctl, INT first, INT end);
// The nearest item before i (after i) whose level is at most `level`; -1 if none. PrevAtMost
// accepts i = itemCount (search the whole list), NextAtMost i = -1 (search from item 0).
INT PrevAtMost(const TreeCtl *ctl, INT i, INT level);
INT NextAtMost(const TreeCtl *ctl, INT i, INT level);
// Number of shown items before item i; 0 for an i outside the list.
INT ShownRowOf(const TreeCtl *ctl, INT i);
// Index of the shown item at shown row r (counted from the start of the list); -1 if none.
INT ItemAtShownRow(const TreeCtl *ctl, INT r);
// The same with the classic fallback: 0 when there is no such item.
inline INT ItemAtRow(const TreeCtl *ctl, INT r) {
    INT i = ItemAtShownRow(ctl, r);
    return i < 0 ? 0 : i;
}
// Full consistency check of the index and the selected count against the records (for tests).
bool CheckItemIndex(const TreeCtl *ctl);

// ---- Records and the insertion and deletion cores (items/item_store.cpp) ----
// Frees the strings and attribute records of an item and the record itself.
void FreeItem(const TreeCtl *ctl, TreeItem *item);
// Inserts a new item built from the template at pos with text in column 0 and the data value.
// Sends the end-edit request first. Returns pos, or -1 with the list unchanged.
INT InsertItemCore(TreeCtl *ctl, const ItemTemplate &tmpl, INT pos, const char *text,
                   DWORD_PTR data);
// The two halves of the insertion core without the end-edit request: a new record from the
// template with its text and data (null out of memory), and putting a made record into the
// list at pos with the index shifts (-1, the record freed, when the array cannot grow).
TreeItem *MakeItem(const TreeCtl *ctl, const ItemTemplate &tmpl, const char *text, DWORD_PTR data);
INT PlaceItem(TreeCtl *ctl, TreeItem *item, INT pos);
// Deletes item i: deletion callback, free, shift stored indexes. No repaint.
void DeleteOneItem(TreeCtl *ctl, INT i);
// Deletes the count items from i on, with the same callbacks and index shifts as deleting
// the item at i count times, but moving the array only once. No repaint.
void DeleteRun(TreeCtl *ctl, INT i, INT count);
// LUMTREEM_ADDITEM at pos (0..itemCount): insertion core with the default template, repaint
// from the previous sibling (or the new item) to the end, vertical bar. New index or -1.
INT AddItem(TreeCtl *ctl, INT pos, const char *text);
// LUMTREEM_INSERTITEM: a position outside the list appends; an existing item at the position
// is made shown first. New index or -1.
INT InsertItem(TreeCtl *ctl, INT pos, const char *text);
// LUMTREEM_DELETECHILDREN for a valid i; returns the new count.
INT DeleteChildren(TreeCtl *ctl, INT i);
// LUMTREEM_COPYITEM and LUMTREEM_MOVEITEM: index of the copy / final index of the moved item,
// -1 on failure.
INT CopyItem(TreeCtl *ctl, INT s, INT p);
INT MoveItem(TreeCtl *ctl, INT s, INT p);
// LUMTREEM_SETTEXT for a valid i: text of column textColumn, repainting the item columns.
bool SetTextColumnText(TreeCtl *ctl, INT i, const char *text);
// Deletes item i as LUMTREEM_DELETEITEM does: a collapsed item takes its subtree along,
// displayed children stay. Repaints and updates the vertical bar. Returns the new count.
INT DeleteItem(TreeCtl *ctl, INT i);
// Sets the level of item i (clamped to 0..64) as LUMTREEM_SETLEVEL does; false on failure.
bool SetItemLevel(TreeCtl *ctl, INT i, INT level);
// Replaces the row-label text of item i with a private copy (null removes it).
bool SetItemLabelText(TreeCtl *ctl, INT i, const char *text);
// Empties the list, calling the deletion callback for every item in index order. With
// keepTreeWidth the tree-part width stays as it is.
void DeleteAllItems(TreeCtl *ctl, bool keepTreeWidth);
// Raises maxLevel to level if needed and recomputes the tree width.
void NoteLevel(TreeCtl *ctl, INT level);
// Replaces the text of item i in a column with a private copy (null removes it).
bool SetItemText(TreeCtl *ctl, INT i, INT column, const char *text);

// ---- Navigation queries (items/navigation.cpp); i must be a valid index ----
INT ParentOf(const TreeCtl *ctl, INT i);     // -1 for none
bool HasChildren(const TreeCtl *ctl, INT i); // false for i < 0
bool IsExpanded(const TreeCtl *ctl, INT i);  // shown, has children, first child shown
INT NextShown(const TreeCtl *ctl, INT i);    // first shown item after i, -1
INT PrevShown(const TreeCtl *ctl, INT i);    // last shown item before i, -1
INT PrevSibling(const TreeCtl *ctl, INT i);  // -1 when a lower level comes first
INT NextSibling(const TreeCtl *ctl, INT i);  // -1 when a lower level comes first
INT FirstSibling(const TreeCtl *ctl, INT i); // earliest sibling, i itself when it is the first
INT LastSibling(const TreeCtl *ctl, INT i);  // latest sibling, i itself when it is the last
INT SubtreeEnd(const TreeCtl *ctl, INT i);   // one past the last descendant of i
INT RootOf(const TreeCtl *ctl, INT i);       // top-level ancestor as LUMTREEM_GETROOT finds it
INT ChildCount(const TreeCtl *ctl, INT i, bool all); // all descendants, or level + 1 only
INT LastShown(const TreeCtl *ctl);                   // last shown item, -1 for an empty list

// ---- Showing and expanding (items/navigation.cpp) ----
// Show path: makes item i shown (expanding ancestors) or hidden (collapsing its parent).
bool ShowItem(TreeCtl *ctl, INT i, bool show);
// Expands (one level or all) or collapses item i; moves caret and top item off hidden rows.
bool ExpandItem(TreeCtl *ctl, INT i, bool expand, bool allLevels);
// Shows item i and scrolls it into view with the notifying top-item step.
void EnsureVisible(TreeCtl *ctl, INT i);

// ---- Attributes (items/attributes.cpp); a bad index gives each message's failure value ----
// LUMTREEM_GETTEXT: empties the buffer, then copies the text of column textColumn whole;
// its length, -1 for a bad index or a null buffer. Texts in the control's width.
INT GetItemTextCopy(const TreeCtl *ctl, INT i, void *buffer);
INT GetItemTextLength(const TreeCtl *ctl, INT i);
INT GetTextColumnTitleLength(const TreeCtl *ctl);
// LUMTREEM_SETBITMAP (i = -1: the control-wide item-bitmap option) and
// LUMTREEM_SETNODEBITMAP: 1, or 0 for a bad index or a handle that is not a bitmap.
INT SetItemBitmap(TreeCtl *ctl, INT i, HBITMAP bitmap);
INT SetItemNodeBitmap(TreeCtl *ctl, INT i, HBITMAP bitmap);
INT EnableItem(TreeCtl *ctl, INT i, bool enable);
// LUMTREEM_GETITEMRECT: 0 with the row rectangle, -1 with an empty one.
INT GetItemRect(const TreeCtl *ctl, INT i, RECT *rect);

// ---- Search and sort (items/search_sort.cpp) ----
INT FindItemData(const TreeCtl *ctl, INT start, DWORD_PTR data);
// Case-insensitive: the whole text, or with prefix its first strlen(text) characters.
INT FindItemText(const TreeCtl *ctl, INT start, const char *text, bool prefix);
// Sorts the children of parent (-1: the top-level siblings of item 0) by a text comparison or
// an item comparison (neither: lstrcmpA, or lstrcmpW in a wide control, on the texts). 1, or 0 for
// a bad parent.
INT SortChildren(TreeCtl *ctl, INT parent, LUMTREETEXTCOMPAREPROC textCompare,
                 LUMTREEITEMCOMPAREPROC itemCompare);

// ---- Messages ----
bool ItemsMessage(TreeCtl *ctl, UINT msg, WPARAM wp, LPARAM lp, LRESULT *result);
