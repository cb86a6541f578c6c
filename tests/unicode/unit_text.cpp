// The text module on its own: a wide control's texts are cut for an ellipsis only between whole
// characters, and converting between the widths keeps every character the code page has.
#include "../support/harness.h"
#include "lumtree/frame/text.h"

#include <cwchar>

TEST_CASE("an ellipsis never keeps half of a surrogate pair") {
    TreeCtl ctl{};
    ctl.wideText = TRUE;
    const wchar_t *text = L"a\U0001D400b\U0001F600\U0001F601cd";
    const auto *t = reinterpret_cast<const char *>(text);
    const int length = static_cast<int>(std::wcslen(text));
    HDC dc = GetDC(nullptr);
    const int full = TextExtent(&ctl, dc, t, length).cx;
    int previous = 0;
    for (int width = 0; width <= full + 2; ++width) {
        const int kept = TextFit(&ctl, dc, t, length, width);
        CAPTURE(width);
        CHECK(kept >= previous); // more room never keeps fewer characters
        CHECK((kept == 0 || !IS_HIGH_SURROGATE(text[kept - 1])));
        previous = kept;
    }
    CHECK(previous == length);
    ReleaseDC(nullptr, dc);
}

TEST_CASE("texts convert between the widths and compare by the control's width") {
    TreeCtl ansi{}, wide{};
    wide.wideText = TRUE;
    char *w = TextDupFrom(&wide, "Caf\xe9 \xc0", false);
    REQUIRE(w != nullptr);
    CHECK(std::wcscmp(reinterpret_cast<const wchar_t *>(w), L"Café À") == 0);
    CHECK(TextLength(&wide, w) == 6);
    CHECK(TextBytes(&wide, w) == 14);
    char *a = TextDupFrom(&ansi, w, true);
    REQUIRE(a != nullptr);
    CHECK(std::string(a) == "Caf\xe9 \xc0");
    CHECK(TextMatches(&wide, w, reinterpret_cast<const char *>(L"CAFÉ"), true));
    CHECK_FALSE(TextMatches(&wide, w, reinterpret_cast<const char *>(L"CAFÉ"), false));
    CHECK(TextMatches(&ansi, a, "CAF", true));
    LumFree(w);
    LumFree(a);
    CHECK(TextEmpty(&wide, EmptyText()));
    CHECK(TextEmpty(&ansi, EmptyText()));
    CHECK_FALSE(TextEmpty(&wide, reinterpret_cast<const char *>(L"\x0100")));
}
