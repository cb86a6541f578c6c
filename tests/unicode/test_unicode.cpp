// Wide controls, as a UNICODE application uses them: this file is compiled with UNICODE, so the
// plain names of the header (LUMTREE_CLASSNAME, TreeColumn, RowDrawInfo, the callback types)
// are the UTF-16 forms. Texts in several scripts, code points outside the ANSI code page and
// surrogate pairs go in and come back exactly, sort and search as the platform orders and folds
// them, are measured and drawn with the wide GDI calls; ANSI controls stay as they were.
#ifndef UNICODE
#define UNICODE
#endif
#ifndef _UNICODE
#define _UNICODE
#endif
#include "../support/harness.h"
#include "lumtree/lumtreex.h"

#include <oleacc.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

using lt::Ptr;

// Greek, Cyrillic, Chinese, Arabic, Latin letters outside cp1252, and a surrogate pair.
const wchar_t *const kGreek = L"Ελληνικά";
const wchar_t *const kCyrillic = L"Кириллица";
const wchar_t *const kChinese = L"中文字符";
const wchar_t *const kArabic = L"العربية";
const wchar_t *const kAccents = L"Őrült ű ň";
const wchar_t *const kSurrogates = L"𝐀𝐁 \U0001F600";

LRESULT W(HWND w, UINT msg, WPARAM wp = 0, LPARAM lp = 0) {
    return SendMessageW(w, msg, wp, lp);
}
int WI(HWND w, UINT msg, WPARAM wp = 0, LPARAM lp = 0) {
    return static_cast<int>(SendMessageW(w, msg, wp, lp));
}

// A top-level window of a UNICODE application: registered with RegisterClassW, so its
// default procedure answers WM_NOTIFYFORMAT with NFR_UNICODE.
class WideParent {
public:
    WideParent() {
        static const wchar_t *const kClass = [] {
            WNDCLASSW wc{};
            wc.lpfnWndProc = DefWindowProcW;
            wc.hInstance = GetModuleHandleW(nullptr);
            wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
            wc.lpszClassName = L"LumTreeWideParent";
            RegisterClassW(&wc);
            return wc.lpszClassName;
        }();
        window_ = CreateWindowExW(0, kClass, L"Ωμέγα", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 20,
                                  20, 420, 320, nullptr, nullptr, nullptr, nullptr);
        REQUIRE(window_ != nullptr);
    }
    ~WideParent() { DestroyWindow(window_); }
    WideParent(const WideParent &) = delete;
    WideParent &operator=(const WideParent &) = delete;
    HWND hwnd() const { return window_; }
    HWND Tree(DWORD style = lt::kChildStyle, int width = 240, int height = 200) const {
        HWND tree = CreateWindowExW(0, LUMTREE_CLASSNAME, L"", style, 0, 0, width, height, window_,
                                    reinterpret_cast<HMENU>(100), nullptr, nullptr);
        REQUIRE(tree != nullptr);
        return tree;
    }

private:
    HWND window_ = nullptr;
};

std::wstring TextOf(HWND tree, int i) {
    const int n = WI(tree, LUMTREEM_GETTEXTLENGTH, static_cast<WPARAM>(i));
    std::wstring text(static_cast<size_t>(n < 0 ? 0 : n) + 1, L'#');
    CHECK(WI(tree, LUMTREEM_GETTEXT, static_cast<WPARAM>(i), Ptr(text.data())) == n);
    CHECK(text[static_cast<size_t>(n)] == 0);
    text.resize(static_cast<size_t>(n));
    return text;
}

std::vector<std::wstring> Texts(HWND tree) {
    std::vector<std::wstring> out;
    for (int i = 0; i < WI(tree, LUMTREEM_GETCOUNT); ++i) out.push_back(TextOf(tree, i));
    return out;
}

const std::vector<const wchar_t *> kScripts = {kGreek,  kCyrillic, kChinese,
                                               kArabic, kAccents,  kSurrogates};

void AddAll(HWND tree, const std::vector<const wchar_t *> &texts) {
    for (const wchar_t *t : texts) REQUIRE(WI(tree, LUMTREEM_ADDITEM, 0, Ptr(t)) >= 0);
}

} // namespace

TEST_CASE("the text width follows the application: a wide parent, the window, the format message") {
    WideParent wide;
    HWND w = wide.Tree();
    CHECK(W(w, LUMTREEM_GETUNICODEFORMAT) == 1);

    lt::Parent ansi;
    HWND a = ansi.Tree(lt::kChildStyle, 0, 0, 200, 200, 1);
    CHECK(lt::Send(a, LUMTREEM_GETUNICODEFORMAT) == 0);
    // Created with the wide class name under an ANSI parent, the control stays ANSI until the
    // application asks for UTF-16.
    HWND b = CreateWindowExW(0, LUMTREE_CLASSNAMEW, L"", lt::kChildStyle, 0, 0, 100, 100,
                             ansi.hwnd(), reinterpret_cast<HMENU>(2), nullptr, nullptr);
    REQUIRE(b != nullptr);
    CHECK(W(b, LUMTREEM_GETUNICODEFORMAT) == 0);
    CHECK(W(b, LUMTREEM_SETUNICODEFORMAT, 1) == 0);
    CHECK(W(b, LUMTREEM_SETUNICODEFORMAT, 1) == 1);
    CHECK(W(b, LUMTREEM_GETUNICODEFORMAT) == 1);
    CHECK(W(b, WM_NOTIFYFORMAT, reinterpret_cast<WPARAM>(ansi.hwnd()), NF_QUERY) == NFR_UNICODE);
    // The parent's request to ask again brings the ANSI answer back.
    CHECK(W(b, WM_NOTIFYFORMAT, reinterpret_cast<WPARAM>(ansi.hwnd()), NF_REQUERY) == NFR_ANSI);
    CHECK(W(b, LUMTREEM_GETUNICODEFORMAT) == 0);
}

TEST_CASE("texts of every script go in and come back exactly") {
    WideParent parent;
    HWND tree = parent.Tree();
    AddAll(tree, kScripts);
    CHECK(WI(tree, LUMTREEM_GETTEXTLENGTH, 5) == 7); // lengths count UTF-16 units
    std::vector<std::wstring> want(kScripts.begin(), kScripts.end());
    CHECK(Texts(tree) == want);

    // Inserting, replacing, the text column, labels, titles and the corner.
    CHECK(WI(tree, LUMTREEM_INSERTITEM, 1, Ptr(L"Ζ")) == 1);
    CHECK(WI(tree, LUMTREEM_SETTEXT, 1, Ptr(L"Жж")) == 1);
    CHECK(TextOf(tree, 1) == L"Жж");
    CHECK(WI(tree, LUMTREEM_SETLABELTEXT, 2, Ptr(kArabic)) == 1);
    CHECK(WI(tree, LUMTREEM_GETLABELTEXTLENGTH, 2) == 7);
    wchar_t label[16];
    CHECK(WI(tree, LUMTREEM_GETLABELTEXT, 2, Ptr(label)) == 7);
    CHECK(std::wstring(label) == kArabic);
    CHECK(WI(tree, LUMTREEM_SETCORNERTEXT, 0, Ptr(kChinese)) == 1);
    CHECK(WI(tree, LUMTREEM_GETCORNERTEXTLENGTH) == 4);
    wchar_t corner[3] = {L'#', L'#', L'#'};
    CHECK(WI(tree, LUMTREEM_GETCORNERTEXT, 3, Ptr(corner)) == 2); // cut to size - 1
    CHECK(std::wstring(corner) == L"中文");
    // A copy carries the texts and the label in the same width.
    const int copy = WI(tree, LUMTREEM_COPYITEM, 2, 0);
    REQUIRE(copy == 0);
    CHECK(TextOf(tree, 0) == kCyrillic);
    CHECK(WI(tree, LUMTREEM_GETLABELTEXT, 0, Ptr(label)) == 7);
    CHECK(std::wstring(label) == kArabic);

    TreeColumn columns[2]{};
    columns[0].width = 120;
    columns[0].title = const_cast<LPWSTR>(kGreek);
    columns[1].width = LUMTREE_STRETCH;
    columns[1].title = const_cast<LPWSTR>(kSurrogates);
    WI(tree, LUMTREEM_DELETEALL);
    REQUIRE(WI(tree, LUMTREEM_SETCOLUMNS, 2, Ptr(columns)) == 1);
    TreeColumn *stored = nullptr;
    CHECK(WI(tree, LUMTREEM_GETCOLUMNS, 0, Ptr(&stored)) == 2);
    REQUIRE(stored != nullptr);
    CHECK(std::wstring(stored[1].title) == kSurrogates);
    TreeColumnInfo *info = nullptr;
    CHECK(WI(tree, LUMTREEM_GETCOLUMNINFO, 0, Ptr(&info)) == 2);
    CHECK(std::wstring(info[0].title) == kGreek);
    CHECK(WI(tree, LUMTREEM_SETTEXTCOLUMN, 1) != -1);
    CHECK(WI(tree, LUMTREEM_GETTEXTCOLUMNTITLELENGTH) == 7);
    wchar_t title[32];
    CHECK(WI(tree, LUMTREEM_GETCOLUMNTITLE, 32, Ptr(title)) == 7);
    CHECK(std::wstring(title) == kSurrogates);
    CHECK(WI(tree, LUMTREEM_SETCOLUMNTITLE, 0, Ptr(kCyrillic)) == 1);
    CHECK(WI(tree, LUMTREEM_GETCOLUMNTITLE, 32, Ptr(title)) == 9);
    CHECK(std::wstring(title) == kCyrillic);
}

TEST_CASE("the extension functions and the format switch convert between the widths") {
    WideParent wide;
    lt::Parent ansi;
    HWND w = wide.Tree();
    HWND a = ansi.Tree(lt::kChildStyle, 0, 0, 200, 200, 1);
    CHECK(LumTreeEx_InsertItemA_DLL(w, -1, 1, "Caf\xe9", 7, 0) == 0);
    CHECK(LumTreeEx_InsertItem_DLL(w, -1, 0, kGreek, 8, 0) == 1); // the W form under UNICODE
    CHECK(Texts(w) == std::vector<std::wstring>{L"Café", kGreek});
    CHECK(W(w, LUMTREEM_GETLEVEL, 0) == 1);
    CHECK(LumTreeEx_InsertItemW_DLL(a, -1, 0, L"Café", 0, 0) == 0);
    char ansiText[8] = "";
    CHECK(lt::SendI(a, LUMTREEM_GETTEXT, 0, Ptr(ansiText)) == 4);
    CHECK(std::string(ansiText) == "Caf\xe9");

    // Switching converts what the control holds: items, labels, titles, the corner.
    lt::Send(a, LUMTREEM_SETLABELTEXT, 0, Ptr("\xc9t\xe9"));
    lt::Send(a, LUMTREEM_SETCORNERTEXT, 0, Ptr("Co\xefn"));
    lt::Send(a, LUMTREEM_SETCOLUMNTITLE, 0, Ptr("T\xeete"));
    CHECK(lt::Send(a, LUMTREEM_SETUNICODEFORMAT, 1) == 0);
    CHECK(TextOf(a, 0) == L"Café");
    wchar_t buffer[16];
    W(a, LUMTREEM_GETLABELTEXT, 0, Ptr(buffer));
    CHECK(std::wstring(buffer) == L"Été");
    W(a, LUMTREEM_GETCORNERTEXT, 16, Ptr(buffer));
    CHECK(std::wstring(buffer) == L"Coïn");
    W(a, LUMTREEM_GETCOLUMNTITLE, 16, Ptr(buffer));
    CHECK(std::wstring(buffer) == L"Tîte");
    CHECK(W(a, LUMTREEM_SETUNICODEFORMAT, 0) == 1);
    CHECK(lt::SendI(a, LUMTREEM_GETTEXT, 0, Ptr(ansiText)) == 4);
    CHECK(std::string(ansiText) == "Caf\xe9");
}

namespace {

std::vector<std::wstring> seenByCallback;
INT CALLBACK ReverseCompare(HWND, LPCWSTR first, LPCWSTR second) {
    seenByCallback.emplace_back(first);
    return lstrcmpW(second, first);
}
// By length of the text, then by data: the texts arrive as UTF-16.
INT CALLBACK LengthCompare(HWND, LPCWSTR first, LPCWSTR second, DWORD_PTR d1, DWORD_PTR d2) {
    const int n1 = first ? lstrlenW(first) : 0, n2 = second ? lstrlenW(second) : 0;
    return n1 != n2 ? n1 - n2 : static_cast<int>(d1) - static_cast<int>(d2);
}

} // namespace

TEST_CASE("wide texts sort in the platform's order and search without regard to case") {
    WideParent parent;
    HWND tree = parent.Tree();
    const std::vector<const wchar_t *> words = {L"яблоко", L"Äpfel", L"éclair", L"Ωmega",
                                                L"apple",  L"Zebra", L"ábaco",  L"βήτα",
                                                kChinese,  L"Ёлка",  L"Eclair", kSurrogates};
    AddAll(tree, words);
    std::vector<std::wstring> want(words.begin(), words.end());
    std::stable_sort(want.begin(), want.end(), [](const std::wstring &x, const std::wstring &y) {
        return lstrcmpW(x.c_str(), y.c_str()) < 0;
    });
    CHECK(WI(tree, LUMTREEM_SORTCHILDREN, static_cast<WPARAM>(-1), 0) == 1);
    CHECK(Texts(tree) == want);
    // In the platform's order accented letters sit beside their base letters, not after 'z'.
    CHECK(std::find(want.begin(), want.end(), L"ábaco") <
          std::find(want.begin(), want.end(), L"Zebra"));

    LUMTREETEXTCOMPAREPROC reverse = ReverseCompare;
    CHECK(WI(tree, LUMTREEM_SORTCHILDREN, static_cast<WPARAM>(-1), Ptr(reverse)) == 1);
    std::reverse(want.begin(), want.end());
    CHECK(Texts(tree) == want);
    CHECK(std::find(seenByCallback.begin(), seenByCallback.end(), L"βήτα") != seenByCallback.end());

    LUMTREEITEMCOMPAREPROC byLength = LengthCompare;
    CHECK(WI(tree, LUMTREEM_SORTCHILDRENCB, static_cast<WPARAM>(-1), Ptr(byLength)) == 1);
    std::vector<std::wstring> byUnits = want;
    std::stable_sort(
        byUnits.begin(), byUnits.end(),
        [](const std::wstring &x, const std::wstring &y) { return x.size() < y.size(); });
    CHECK(Texts(tree) == byUnits);
    CHECK(byUnits.back() == kSurrogates); // 7 units: the pairs count twice
    CHECK(WI(tree, LUMTREEM_SORTCHILDREN, static_cast<WPARAM>(-1), Ptr(reverse)) == 1);

    auto find = [&](UINT msg, const wchar_t *text, int start = 0) {
        return WI(tree, msg, static_cast<WPARAM>(start), Ptr(text));
    };
    auto at = [&](const wchar_t *text) {
        return static_cast<int>(std::find(want.begin(), want.end(), text) - want.begin());
    };
    CHECK(find(LUMTREEM_FINDTEXT, L"ΩMEGA") == at(L"Ωmega"));
    CHECK(find(LUMTREEM_FINDTEXT, L"ΒΉΤΑ") == at(L"βήτα"));
    CHECK(find(LUMTREEM_FINDTEXT, L"ЁЛКА") == at(L"Ёлка"));
    CHECK(find(LUMTREEM_FINDTEXT, L"ÄPFEL") == at(L"Äpfel"));
    CHECK(find(LUMTREEM_FINDTEXT, L"ЯБЛОК") == -1); // whole texts only
    CHECK(find(LUMTREEM_FINDPREFIX, L"ЯБЛОК") == at(L"яблоко"));
    CHECK(find(LUMTREEM_FINDPREFIX, L"ÉCL") == at(L"éclair"));
    CHECK(find(LUMTREEM_FINDPREFIX, L"𝐀") == at(kSurrogates));
    CHECK(find(LUMTREEM_FINDPREFIX, L"中文字符X") == -1); // longer than the text
    CHECK(find(LUMTREEM_FINDPREFIX, L"", 3) == 3);
    CHECK(find(LUMTREEM_FINDPREFIX, L"Ωm", at(L"Ωmega") + 1) == -1);
}

namespace {

// Ink pixels: those different from the background colour inside a rectangle.
int Ink(const lt::Pixels &px, const RECT &rc, COLORREF back) {
    return (rc.right - rc.left) * (rc.bottom - rc.top) - px.Count(rc, back);
}

// The ink of a text drawn by the platform alone with the same font and colours.
int ReferenceInk(HFONT font, const wchar_t *text) {
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 400, 40);
    ReleaseDC(nullptr, screen);
    HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
    HGDIOBJ oldFont = SelectObject(dc, font);
    RECT all{0, 0, 400, 40};
    HBRUSH white = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    FillRect(dc, &all, white);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(0, 0, 0));
    TextOutW(dc, 2, 2, text, lstrlenW(text));
    int ink = 0;
    for (int y = 0; y < 40; ++y) {
        for (int x = 0; x < 400; ++x) ink += GetPixel(dc, x, y) != RGB(255, 255, 255);
    }
    SelectObject(dc, oldFont);
    SelectObject(dc, oldBitmap);
    DeleteObject(bitmap);
    DeleteDC(dc);
    return ink;
}

} // namespace

TEST_CASE("wide texts are measured and drawn with the wide calls") {
    WideParent parent;
    HWND tree = parent.Tree(lt::kChildStyle, 380, 200);
    COLORREF colours[LUMTREE_COLORCOUNT];
    std::fill(std::begin(colours), std::end(colours), LUMTREE_AUTOCOLOR);
    colours[LUMTREECOLOR_BACK] = RGB(255, 255, 255);
    colours[LUMTREECOLOR_TEXT] = RGB(0, 0, 0);
    W(tree, LUMTREEM_SETCOLORS, 0, Ptr(colours));
    W(tree, LUMTREEM_SETSHOWLINES, 0);
    const auto font = reinterpret_cast<HFONT>(W(tree, WM_GETFONT));

    // Scripts the display font has glyphs for here: each row shows the platform's own drawing
    // of the whole text (a narrow interface would draw one character, or question marks).
    const std::vector<const wchar_t *> drawn = {kGreek, kCyrillic, kArabic, kAccents};
    for (const wchar_t *text : drawn) {
        WI(tree, LUMTREEM_DELETEALL);
        AddAll(tree, {text});
        RECT row{};
        W(tree, LUMTREEM_GETITEMRECT, 0, Ptr(&row));
        const lt::Pixels px = lt::PrintClient(tree);
        const int ink = Ink(px, row, RGB(255, 255, 255));
        const int reference = ReferenceInk(font, text);
        CAPTURE(reference);
        CHECK(reference > 20);
        CHECK(ink >= reference * 9 / 10);
        CHECK(ink <= reference * 11 / 10 + 4);
    }

    // The automatic width grows by what DrawTextW measures for the longer text.
    auto measure = [&](const wchar_t *text) {
        HDC dc = GetDC(tree);
        HGDIOBJ old = SelectObject(dc, font);
        RECT rc{};
        DrawTextW(dc, text, -1, &rc, DT_CALCRECT | DT_NOPREFIX | DT_SINGLELINE);
        SelectObject(dc, old);
        ReleaseDC(tree, dc);
        return rc.right;
    };
    WI(tree, LUMTREEM_DELETEALL);
    AddAll(tree, {L"Ж"});
    const int narrow = WI(tree, LUMTREEM_CALCCOLUMNWIDTH, 0);
    AddAll(tree, {L"Ελληνικά Κυριλλικά Ελληνικά"});
    const int wide = WI(tree, LUMTREEM_CALCCOLUMNWIDTH, 0);
    CHECK(wide - narrow == measure(L"Ελληνικά Κυριλλικά Ελληνικά") - measure(L"Ж"));

    // A multi-line cell breaks a wide text at its line feed: ink in both halves of the row.
    TreeColumn lines{};
    lines.width = LUMTREE_STRETCH;
    lines.format = LUMTREEFORMAT_MULTILINE;
    WI(tree, LUMTREEM_DELETEALL);
    REQUIRE(WI(tree, LUMTREEM_SETCOLUMNS, 1, Ptr(&lines)) == 1);
    W(tree, LUMTREEM_SETLINESPERITEM, 2);
    AddAll(tree, {L"Ωωωωω\nЖжжжж"});
    {
        RECT twoLines{};
        W(tree, LUMTREEM_GETITEMRECT, 0, Ptr(&twoLines));
        const lt::Pixels px = lt::PrintClient(tree);
        RECT top = twoLines, bottom = twoLines;
        top.bottom = bottom.top = (twoLines.top + twoLines.bottom) / 2;
        CHECK(Ink(px, top, RGB(255, 255, 255)) > 20);
        CHECK(Ink(px, bottom, RGB(255, 255, 255)) > 20);
    }
    W(tree, LUMTREEM_SETLINESPERITEM, 1);

    // Too narrow a column with ellipsis: the text is cut, never half of a surrogate pair, and
    // dots follow what is kept.
    TreeColumn column{};
    column.width = 60;
    WI(tree, LUMTREEM_DELETEALL);
    REQUIRE(WI(tree, LUMTREEM_SETCOLUMNS, 1, Ptr(&column)) == 1);
    W(tree, LUMTREEM_SETCELLELLIPSIS, 1);
    AddAll(tree, {L"Ελληνικά Ελληνικά Ελληνικά"});
    RECT row{};
    W(tree, LUMTREEM_GETITEMRECT, 0, Ptr(&row));
    // The cell of column 0 begins after the tree part; its text is cut at the cell's end.
    INT cellColumn = 0;
    const auto *cell =
        reinterpret_cast<const RECT *>(W(tree, LUMTREEM_GETCELLRECT, 0, Ptr(&cellColumn)));
    REQUIRE(cell != nullptr);
    const LONG cellRight = cell->right;
    const lt::Pixels px = lt::PrintClient(tree);
    RECT inside = row, beyond = row;
    inside.right = cellRight;
    beyond.left = cellRight;
    CHECK(Ink(px, inside, RGB(255, 255, 255)) > 20);
    CHECK(Ink(px, beyond, RGB(255, 255, 255)) == 0);
}

namespace {

std::vector<std::wstring> drawnTexts;
INT CALLBACK RecordRow(HWND, RowDrawInfo *info, DWORD_PTR) {
    if (info->texts && info->texts[0]) drawnTexts.emplace_back(info->texts[0]);
    return 0;
}

} // namespace

TEST_CASE("the row-drawing callback reads UTF-16 texts") {
    WideParent parent;
    HWND tree = parent.Tree();
    AddAll(tree, {kGreek, kSurrogates});
    TreeDrawCallback callback{RecordRow, 0};
    W(tree, LUMTREEM_SETDRAWCALLBACK, 0, Ptr(&callback));
    drawnTexts.clear();
    lt::PrintClient(tree);
    CHECK(drawnTexts == std::vector<std::wstring>{kGreek, kSurrogates});
}

extern "C" int lumtree_wide_c_program(HWND parent);

TEST_CASE("a C program built with UNICODE uses the control without casts") {
    WideParent parent;
    CHECK(lumtree_wide_c_program(parent.hwnd()) == 0);
}

TEST_CASE("the typed helpers take TCHAR texts in a UNICODE build") {
    WideParent parent;
    lumtree::Tree tree(parent.Tree());
    CHECK(LumTree_GetUnicodeFormat(tree.hwnd()));
    const int root = tree.Add(kCyrillic);
    CHECK(tree.Add(kGreek, 1) == root + 1);
    wchar_t cut[5];
    CHECK(LumTree_GetText(tree.hwnd(), root, cut, 5) == 9); // the whole length, cut to fit
    CHECK(std::wstring(cut) == L"Кири");
    CHECK(LumTree_FindPrefix(tree.hwnd(), 0, L"ΕΛΛ") == root + 1);
    CHECK(LumTree_SetUnicodeFormat(tree.hwnd(), FALSE));
    CHECK_FALSE(LumTree_GetUnicodeFormat(tree.hwnd()));
}

TEST_CASE("accessibility clients read a wide control's texts whole") {
    static const HRESULT com = CoInitialize(nullptr);
    (void)com;
    constexpr IID kIidAccessible = {
        0x618736e0, 0x3c3d, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};
    WideParent parent;
    HWND tree = parent.Tree();
    TreeColumn columns[2]{};
    columns[0].width = 100;
    columns[1].width = LUMTREE_STRETCH;
    columns[1].title = const_cast<LPWSTR>(kCyrillic);
    REQUIRE(WI(tree, LUMTREEM_SETCOLUMNS, 2, Ptr(columns)) == 1);
    AddAll(tree, {kGreek});
    W(tree, LUMTREEM_SETTEXTCOLUMN, 1);
    W(tree, LUMTREEM_SETTEXT, 0, Ptr(kSurrogates));
    IAccessible *acc = nullptr;
    REQUIRE(AccessibleObjectFromWindow(tree, OBJID_CLIENT, kIidAccessible,
                                       reinterpret_cast<void **>(&acc)) == S_OK);
    VARIANT item;
    VariantInit(&item);
    item.vt = VT_I4;
    item.lVal = 1;
    BSTR name = nullptr, description = nullptr;
    CHECK(acc->get_accName(item, &name) == S_OK);
    CHECK(acc->get_accDescription(item, &description) == S_OK);
    CHECK(std::wstring(name ? name : L"") == kGreek);
    CHECK(std::wstring(description ? description : L"") ==
          std::wstring(kCyrillic) + L": " + kSurrogates);
    SysFreeString(name);
    SysFreeString(description);
    acc->Release();
}
