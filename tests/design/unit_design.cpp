// The "Styles" dialog with the library's code linked in, so that its state allocation can be
// made to fail.
#include "driver.h"
#include "lumtree/api/api.h"

using namespace lt;
using namespace design;

TEST_CASE("a state that cannot be made at WM_SETFONT is made at WM_INITDIALOG") {
    REQUIRE(LoadLibraryState(GetModuleHandleA(nullptr)));
    Parent owner;
    const DWORD style = kEditorStyle | LUMTREESTYLE_MULTIPLESEL;
    CCSTYLEA record = Record(style, 0);
    LumFailAllocAfter(0); // the first allocation, at WM_SETFONT, fails
    const BOOL result = RunStyles(owner.hwnd(), &record, [&](HWND dialog) {
        EXPECT((Checked(dialog, IDC_STYLE_MULTIPLESEL) && Checked(dialog, IDC_STYLE_BORDER)));
        EXPECT(Enabled(dialog, IDC_STYLE_CLIENTEDGE));
        Click(dialog, IDC_STYLE_CLIENTEDGE);
        Click(dialog, IDOK);
    });
    LumFailAllocAfter(-1);
    CHECK((result == TRUE && record.flStyle == style && record.flExtStyle == WS_EX_CLIENTEDGE));
}
