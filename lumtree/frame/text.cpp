// Texts in the control's own width (see text.h). Every routine takes the control first and
// branches once on its width; the ANSI branch is the classic code path.
#include "text.h"

#include "../items/items.h"
#include "../layout/layout.h"

#include <cstring>
#include <cwchar>

namespace {

const wchar_t *Wide(const char *text) {
    return reinterpret_cast<const wchar_t *>(text);
}

// A heap copy of `bytes` bytes.
char *CopyBytes(const void *text, size_t bytes) {
    auto *copy = static_cast<char *>(LumAlloc(bytes));
    if (copy) std::memcpy(copy, text, bytes);
    return copy;
}

} // namespace

bool TextEmpty(const TreeCtl *ctl, const char *text) {
    if (!text) return true;
    return ctl->wideText ? Wide(text)[0] == 0 : text[0] == 0;
}

size_t TextLength(const TreeCtl *ctl, const char *text) {
    if (!text) return 0;
    return ctl->wideText ? std::wcslen(Wide(text)) : std::strlen(text);
}

size_t TextBytes(const TreeCtl *ctl, const char *text) {
    if (!text) return 0;
    return (TextLength(ctl, text) + 1) * (ctl->wideText ? sizeof(wchar_t) : 1);
}

char *TextDup(const TreeCtl *ctl, const char *text) {
    return text ? CopyBytes(text, TextBytes(ctl, text)) : nullptr;
}

INT TextCopyWhole(const TreeCtl *ctl, void *buffer, const char *text) {
    if (!text) text = EmptyText();
    std::memcpy(buffer, text, TextBytes(ctl, text));
    return static_cast<INT>(TextLength(ctl, text));
}

INT TextCopyOut(const TreeCtl *ctl, void *buffer, INT size, const char *text) {
    if (!buffer || size < 1) return 0;
    const size_t length = TextLength(ctl, text);
    const INT n = static_cast<INT>(length < static_cast<size_t>(size - 1) ? length : size - 1);
    if (ctl->wideText) {
        auto *out = static_cast<wchar_t *>(buffer);
        if (n) std::memcpy(out, text, sizeof(wchar_t) * static_cast<size_t>(n));
        out[n] = 0;
    } else {
        auto *out = static_cast<char *>(buffer);
        if (n) std::memcpy(out, text, static_cast<size_t>(n));
        out[n] = 0;
    }
    return n;
}

void TextClear(const TreeCtl *ctl, void *buffer) {
    if (ctl->wideText) {
        *static_cast<wchar_t *>(buffer) = 0;
    } else {
        *static_cast<char *>(buffer) = 0;
    }
}

const char *TextFromAscii(const TreeCtl *ctl, const char *ascii, wchar_t *wide) {
    if (!ctl->wideText) return ascii;
    size_t k = 0;
    for (; ascii[k]; ++k) wide[k] = static_cast<unsigned char>(ascii[k]);
    wide[k] = 0;
    return reinterpret_cast<const char *>(wide);
}

INT TextToUtf16(const TreeCtl *ctl, const char *text, wchar_t *out, INT room) {
    if (!text) return 0;
    if (ctl->wideText) {
        const auto length = static_cast<INT>(std::wcslen(Wide(text)));
        if (out && room > length) std::memcpy(out, text, sizeof(wchar_t) * (length + 1));
        return length;
    }
    const INT length = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0) - 1;
    if (out && length >= 0 && room > length) MultiByteToWideChar(CP_ACP, 0, text, -1, out, room);
    return length < 0 ? 0 : length;
}

char *TextConvert(const char *text, bool fromWide) {
    if (!text) return nullptr;
    if (fromWide) {
        const int bytes =
            WideCharToMultiByte(CP_ACP, 0, Wide(text), -1, nullptr, 0, nullptr, nullptr);
        auto *out = bytes > 0 ? static_cast<char *>(LumAlloc(static_cast<size_t>(bytes))) : nullptr;
        if (out) WideCharToMultiByte(CP_ACP, 0, Wide(text), -1, out, bytes, nullptr, nullptr);
        return out;
    }
    const int chars = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    auto *out = chars > 0
                    ? static_cast<wchar_t *>(LumAlloc(sizeof(wchar_t) * static_cast<size_t>(chars)))
                    : nullptr;
    if (out) MultiByteToWideChar(CP_ACP, 0, text, -1, out, chars);
    return reinterpret_cast<char *>(out);
}

char *TextDupFrom(const TreeCtl *ctl, const void *text, bool textIsWide) {
    if (!text) return nullptr;
    const auto *t = static_cast<const char *>(text);
    if (textIsWide == (ctl->wideText != 0)) return TextDup(ctl, t);
    return TextConvert(t, textIsWide);
}

bool TextMatches(const TreeCtl *ctl, const char *stored, const char *searched, bool prefix) {
    if (!ctl->wideText) {
        const size_t length = std::strlen(searched);
        return prefix ? _strnicmp(stored, searched, length) == 0 : _stricmp(stored, searched) == 0;
    }
    // The platform folds case in every script (Greek, Cyrillic, accented Latin...); a prefix
    // is compared over the searched text's length in UTF-16 units.
    const wchar_t *s = Wide(stored);
    const wchar_t *w = Wide(searched);
    const int wanted = static_cast<int>(std::wcslen(w));
    int have = static_cast<int>(std::wcslen(s));
    if (prefix) {
        if (have < wanted) return false;
        have = wanted;
    }
    return CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, s, have, w, wanted) == CSTR_EQUAL;
}

int TextDraw(const TreeCtl *ctl, HDC dc, const char *text, int length, RECT *rect, UINT format) {
    if (ctl->wideText) return DrawTextW(dc, Wide(text), length, rect, format);
    return DrawTextA(dc, text, length, rect, format);
}

SIZE TextExtent(const TreeCtl *ctl, HDC dc, const char *text, int length) {
    SIZE size{};
    if (ctl->wideText) {
        GetTextExtentPoint32W(dc, Wide(text), length, &size);
    } else {
        GetTextExtentPoint32A(dc, text, length, &size);
    }
    return size;
}

int TextFit(const TreeCtl *ctl, HDC dc, const char *text, int length, int maxWidth) {
    int kept = 0;
    SIZE size{};
    if (ctl->wideText) {
        GetTextExtentExPointW(dc, Wide(text), length, maxWidth, &kept, nullptr, &size);
        // A surrogate pair is one character: never keep half of it.
        if (kept > 0 && kept < length && IS_HIGH_SURROGATE(Wide(text)[kept - 1])) --kept;
    } else {
        GetTextExtentExPointA(dc, text, length, maxWidth, &kept, nullptr, &size);
    }
    return kept < 0 ? 0 : (kept > length ? length : kept);
}

void TextOutAt(const TreeCtl *ctl, HDC dc, int x, int y, const char *text, int length) {
    if (ctl->wideText) {
        TextOutW(dc, x, y, Wide(text), length);
    } else {
        TextOutA(dc, x, y, text, length);
    }
}

bool TextHasLineBreak(const TreeCtl *ctl, const char *text, int length) {
    const auto n = static_cast<size_t>(length);
    if (ctl->wideText)
        return std::wmemchr(Wide(text), L'\r', n) || std::wmemchr(Wide(text), L'\n', n);
    return std::memchr(text, '\r', n) || std::memchr(text, '\n', n);
}

bool CreatorWantsWideText(HWND window) {
    if (IsWindowUnicode(window)) return true;
    HWND parent = GetParent(window);
    return parent && SendMessageA(parent, WM_NOTIFYFORMAT, reinterpret_cast<WPARAM>(window),
                                  NF_QUERY) == NFR_UNICODE;
}

void SetTextWidth(TreeCtl *ctl, bool wide) {
    if ((ctl->wideText != 0) == wide) return;
    const bool fromWide = ctl->wideText != 0;
    ctl->wideText = wide;
    // Each text goes through the store's own setters, which copy it in the new width.
    for (INT i = 0; i < ctl->itemCount; ++i) {
        TreeItem *item = ItemAt(ctl, i);
        for (INT c = 0; c < ctl->columnCount; ++c) {
            if (!item->texts[c]) continue;
            char *converted = TextConvert(item->texts[c], fromWide);
            if (!converted || !SetItemText(ctl, i, c, converted)) SetItemText(ctl, i, c, nullptr);
            LumFree(converted);
        }
        if (item->labelText) {
            char *converted = TextConvert(item->labelText, fromWide);
            if (!converted || !SetItemLabelText(ctl, i, converted))
                SetItemLabelText(ctl, i, nullptr);
            LumFree(converted);
        }
    }
    for (INT c = 0; c < ctl->columnCount; ++c) {
        TreeColumn &col = ctl->columns[c];
        if (!col.title) continue;
        char *converted = TextConvert(col.title, fromWide);
        LumFree(col.titleBuffer);
        col.title = col.titleBuffer = converted;
    }
    if (ctl->cornerText) {
        char *converted = TextConvert(ctl->cornerText, fromWide);
        LumFree(ctl->cornerText);
        ctl->cornerText = converted;
    }
    InvalidateAll(ctl, true);
}
