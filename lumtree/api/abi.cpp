// Build-time proof of the layout of every record exchanged with applications. On x86 the
// records keep their classic sizes and offsets; on x64 handles, pointers, function addresses
// and application values are pointer-sized and the packed records stay packed.
#include "../lumtree.h"

#include <cstddef>

#define LUMTREE_FIELD(type, field, x86, x64)                                                       \
    static_assert(offsetof(type, field) == (sizeof(void *) == 4 ? (x86) : (x64)), #type "." #field)
#define LUMTREE_SIZE(type, x86, x64)                                                               \
    static_assert(sizeof(type) == (sizeof(void *) == 4 ? (x86) : (x64)), "size of " #type)

LUMTREE_SIZE(TreeColumn, 34, 54);
LUMTREE_FIELD(TreeColumn, userValue1, 0, 0);
LUMTREE_FIELD(TreeColumn, userValue2, 4, 8);
LUMTREE_FIELD(TreeColumn, width, 8, 16);
LUMTREE_FIELD(TreeColumn, format, 12, 20);
LUMTREE_FIELD(TreeColumn, headerFlags, 16, 24);
LUMTREE_FIELD(TreeColumn, title, 20, 28);
LUMTREE_FIELD(TreeColumn, titleBuffer, 24, 36);
LUMTREE_FIELD(TreeColumn, headerBitmap, 28, 44);
LUMTREE_FIELD(TreeColumn, headerBitmapFlags, 32, 52);

LUMTREE_SIZE(TreeColumnInfo, 16, 24);
LUMTREE_FIELD(TreeColumnInfo, width, 0, 0);
LUMTREE_FIELD(TreeColumnInfo, format, 4, 4);
LUMTREE_FIELD(TreeColumnInfo, headerFlags, 8, 8);
LUMTREE_FIELD(TreeColumnInfo, title, 12, 16);

LUMTREE_SIZE(TreeCellAttr, 26, 34);
LUMTREE_FIELD(TreeCellAttr, backColor, 0, 0);
LUMTREE_FIELD(TreeCellAttr, textColor, 4, 4);
LUMTREE_FIELD(TreeCellAttr, selBackColor, 8, 8);
LUMTREE_FIELD(TreeCellAttr, selTextColor, 12, 12);
LUMTREE_FIELD(TreeCellAttr, font, 16, 16);
LUMTREE_FIELD(TreeCellAttr, bitmap, 20, 24);
LUMTREE_FIELD(TreeCellAttr, flags, 24, 32);

LUMTREE_SIZE(TreeCellAttrRequest, 38, 46);
LUMTREE_FIELD(TreeCellAttrRequest, version, 0, 0);
LUMTREE_FIELD(TreeCellAttrRequest, item, 4, 4);
LUMTREE_FIELD(TreeCellAttrRequest, column, 8, 8);
LUMTREE_FIELD(TreeCellAttrRequest, attr, 12, 12);

LUMTREE_SIZE(TreeLabelAttr, 22, 26);
LUMTREE_FIELD(TreeLabelAttr, selBackColor, 0, 0);
LUMTREE_FIELD(TreeLabelAttr, selTextColor, 4, 4);
LUMTREE_FIELD(TreeLabelAttr, backColor, 8, 8);
LUMTREE_FIELD(TreeLabelAttr, textColor, 12, 12);
LUMTREE_FIELD(TreeLabelAttr, bitmap, 16, 16);
LUMTREE_FIELD(TreeLabelAttr, flags, 20, 24);

LUMTREE_SIZE(TreeLabelAttrRequest, 30, 34);
LUMTREE_FIELD(TreeLabelAttrRequest, version, 0, 0);
LUMTREE_FIELD(TreeLabelAttrRequest, item, 4, 4);
LUMTREE_FIELD(TreeLabelAttrRequest, attr, 8, 8);

LUMTREE_SIZE(TreeDragInfo, 28, 32);
LUMTREE_FIELD(TreeDragInfo, cursorX, 0, 0);
LUMTREE_FIELD(TreeDragInfo, cursorY, 4, 4);
LUMTREE_FIELD(TreeDragInfo, targetWindow, 8, 8);
LUMTREE_FIELD(TreeDragInfo, dragTarget, 12, 16);
LUMTREE_FIELD(TreeDragInfo, multipleItems, 16, 20);
LUMTREE_FIELD(TreeDragInfo, ctrlDown, 20, 24);
LUMTREE_FIELD(TreeDragInfo, shiftDown, 24, 28);

LUMTREE_SIZE(RowDrawInfo, 80, 120);
LUMTREE_FIELD(RowDrawInfo, controlId, 0, 0);
LUMTREE_FIELD(RowDrawInfo, window, 4, 8);
LUMTREE_FIELD(RowDrawInfo, index, 8, 16);
LUMTREE_FIELD(RowDrawInfo, selected, 12, 20);
LUMTREE_FIELD(RowDrawInfo, hasChildren, 16, 24);
LUMTREE_FIELD(RowDrawInfo, expanded, 20, 28);
LUMTREE_FIELD(RowDrawInfo, columnCount, 24, 32);
LUMTREE_FIELD(RowDrawInfo, caret, 28, 36);
LUMTREE_FIELD(RowDrawInfo, textColor, 32, 40);
LUMTREE_FIELD(RowDrawInfo, backColor, 36, 44);
LUMTREE_FIELD(RowDrawInfo, cellTextColor, 40, 48);
LUMTREE_FIELD(RowDrawInfo, cellBackColor, 44, 52);
LUMTREE_FIELD(RowDrawInfo, font, 48, 56);
LUMTREE_FIELD(RowDrawInfo, itemBitmap, 52, 64);
LUMTREE_FIELD(RowDrawInfo, stateBitmap, 56, 72);
LUMTREE_FIELD(RowDrawInfo, nodeBitmap, 60, 80);
LUMTREE_FIELD(RowDrawInfo, linePen, 64, 88);
LUMTREE_FIELD(RowDrawInfo, enabled, 68, 96);
LUMTREE_FIELD(RowDrawInfo, data, 72, 104);
LUMTREE_FIELD(RowDrawInfo, texts, 76, 112);

LUMTREE_SIZE(TreeDeleteCallback, 8, 16);
LUMTREE_SIZE(TreeDrawCallback, 8, 16);
LUMTREE_SIZE(TreeColorTable, 108, 108);

// The UTF-16 forms share every offset with the ANSI forms: a wide control hands its own texts
// through the same records, read by the library through the ANSI declarations.
#define LUMTREE_SAME_FORM(type, field)                                                             \
    static_assert(offsetof(type##A, field) == offsetof(type##W, field), #type "W." #field)
#define LUMTREE_SAME_SIZE(type) static_assert(sizeof(type##A) == sizeof(type##W), #type "W")
LUMTREE_SAME_SIZE(TreeColumn);
LUMTREE_SAME_FORM(TreeColumn, title);
LUMTREE_SAME_FORM(TreeColumn, titleBuffer);
LUMTREE_SAME_FORM(TreeColumn, headerBitmap);
LUMTREE_SAME_FORM(TreeColumn, headerBitmapFlags);
LUMTREE_SAME_SIZE(TreeColumnInfo);
LUMTREE_SAME_FORM(TreeColumnInfo, title);
LUMTREE_SAME_SIZE(RowDrawInfo);
LUMTREE_SAME_FORM(RowDrawInfo, data);
LUMTREE_SAME_FORM(RowDrawInfo, texts);
LUMTREE_SAME_SIZE(TreeDrawCallback);

// Private-message results are 32-bit values sign-extended into LRESULT.
static_assert(sizeof(LRESULT) == sizeof(void *));
