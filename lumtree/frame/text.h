// Texts in the control's own width. An ANSI control holds and exchanges char strings exactly as
// the classic interface does; a wide control (TreeCtl::wideText) holds and exchanges UTF-16
// strings. The stored pointers keep the type char * in both cases (item texts, labels, titles,
// the corner text): for a wide control they point at wchar_t strings, and only the routines
// below read through them. So the ANSI control pays nothing, and every other subsystem handles
// a text as an opaque pointer with a length counted in characters of the control's width.
#pragma once

#include "frame.h"

#include <cstddef>

// An empty text of either width (two zero bytes, suitably aligned).
inline constexpr wchar_t kEmptyTextStorage[1] = {0};
inline const char *EmptyText() {
    return reinterpret_cast<const char *>(kEmptyTextStorage);
}

// Null or "" in the control's width.
bool TextEmpty(const TreeCtl *ctl, const char *text);
// Length in characters of the control's width; 0 for null.
size_t TextLength(const TreeCtl *ctl, const char *text);
// Bytes of a text with its terminator (0 for null).
size_t TextBytes(const TreeCtl *ctl, const char *text);
// A heap copy (LumAlloc) of a text in the control's width; null on failure or for null.
char *TextDup(const TreeCtl *ctl, const char *text);
// Copies a text whole with its terminator into an application buffer; returns the length.
INT TextCopyWhole(const TreeCtl *ctl, void *buffer, const char *text);
// Copies at most size - 1 characters and a terminator; returns the characters copied. A null
// text copies an empty one; size < 1 copies nothing and returns 0.
INT TextCopyOut(const TreeCtl *ctl, void *buffer, INT size, const char *text);
// Empties an application buffer (one terminator of the control's width).
void TextClear(const TreeCtl *ctl, void *buffer);

// Internal ASCII texts (label numbers, sample items) in the control's width: the result points
// at `ascii` itself for an ANSI control, at `wide` (which must hold strlen(ascii) + 1
// characters) for a wide one.
const char *TextFromAscii(const TreeCtl *ctl, const char *ascii, wchar_t *wide);
// A text handed in by a caller of a given width, as a heap copy in the control's width
// (converted when the widths differ); null on failure or for null.
char *TextDupFrom(const TreeCtl *ctl, const void *text, bool textIsWide);
// A text as UTF-16 for the platform's accessibility strings: writes at most room characters
// with the terminator into out when it is given and returns the length needed without the
// terminator (0 for null).
INT TextToUtf16(const TreeCtl *ctl, const char *text, wchar_t *out, INT room);
// Converts a stored text to the other width: a new heap block, null on failure or for null.
char *TextConvert(const char *text, bool fromWide);

// Case-insensitive comparison of a stored text with a searched one, the whole text or (prefix)
// its first TextLength(searched) characters. Case is folded by the platform for every script.
bool TextMatches(const TreeCtl *ctl, const char *stored, const char *searched, bool prefix);

// GDI text output and measurement with the control's width; lengths in characters.
int TextDraw(const TreeCtl *ctl, HDC dc, const char *text, int length, RECT *rect, UINT format);
SIZE TextExtent(const TreeCtl *ctl, HDC dc, const char *text, int length);
// The characters of text that fit in maxWidth pixels.
int TextFit(const TreeCtl *ctl, HDC dc, const char *text, int length, int maxWidth);
void TextOutAt(const TreeCtl *ctl, HDC dc, int x, int y, const char *text, int length);
// The width a new control takes: UTF-16 when its window is a Unicode window or its parent
// answers WM_NOTIFYFORMAT with NFR_UNICODE (the parent of a UNICODE application, registered
// with RegisterClassW), ANSI otherwise. The class is registered with RegisterClassA, so every
// control window is an ANSI window for the system, whichever CreateWindowEx made it, and the
// parent is what tells a wide application: that is also how the platform's common controls
// choose the form of their notifications.
bool CreatorWantsWideText(HWND window);
// Switches the control to the other width, converting every text it holds (item, label,
// column and corner texts) through the ANSI code page. A text whose copy cannot be allocated
// is dropped. The description buffer of LUMTREEM_GETCOLUMNINFO must be asked for again.
void SetTextWidth(TreeCtl *ctl, bool wide);
// Whether a text contains a carriage return or line feed within its first length characters.
bool TextHasLineBreak(const TreeCtl *ctl, const char *text, int length);
