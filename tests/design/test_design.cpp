// Design-time support as a dialog editor meets it: the control description, the "Styles" dialog
// driven for real (a second thread reads and clicks its boxes while the style function runs the
// dialog's modal loop) and the sample tree of a control placed inside an editor's window.
#include "../support/input.h"
#include "driver.h"

using namespace lt;
using namespace design;

namespace {

// Each check box of the style word and its bit; Client Edge (131) shows WS_EX_CLIENTEDGE.
// clang-format off
const std::pair<int, DWORD> kBoxes[] = {
    {110, WS_BORDER}, {112, LUMTREESTYLE_NOTIFY}, {111, WS_VSCROLL}, {107, WS_HSCROLL},
    {101, LUMTREESTYLE_DISABLENOSCROLL}, {137, LUMTREESTYLE_SCROLL},
    {109, LUMTREESTYLE_WANTKEYBOARDINPUT}, {113, LUMTREESTYLE_MULTIPLESEL},
    {114, LUMTREESTYLE_DRAGDROP}, {136, LUMTREESTYLE_LEFTBUTTONONLY}, {103, WS_VISIBLE},
    {104, WS_DISABLED}, {115, WS_GROUP}, {116, WS_TABSTOP}};
// clang-format on

// Every box shows its bit of the record's words.
void CheckBoxesShow(HWND dialog, DWORD style, DWORD extStyle) {
    for (auto [id, bit] : kBoxes)
        EXPECT_FOR(Checked(dialog, id) == ((style & bit) != 0), std::to_string(id));
    EXPECT(Checked(dialog, 131) == ((extStyle & WS_EX_CLIENTEDGE) != 0));
}

// Stands in for the help viewer: WinHelpA hands every request to the window of this class.
struct HelpRequest {
    UINT command;
    LONG data;
    std::string file;
};
std::vector<HelpRequest> g_help;

LRESULT CALLBACK HelpViewerProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg != WM_COPYDATA) return DefWindowProcA(w, msg, wp, lp);
    struct Request { // the viewer's request layout
        WORD size, command;
        LONG data, reserved;
        WORD fileOffset, dataOffset;
    };
    const auto *r = static_cast<const Request *>(reinterpret_cast<COPYDATASTRUCT *>(lp)->lpData);
    g_help.push_back({r->command, r->data, r->fileOffset ? (const char *)r + r->fileOffset : ""});
    return 1;
}

std::string LibraryFolder() {
    char path[MAX_PATH];
    GetModuleFileNameA(GetModuleHandleA("RyTree32.dll"), path, MAX_PATH);
    const std::string folder = path;
    return folder.substr(0, folder.find_last_of("\\/") + 1);
}

} // namespace

TEST_CASE("CustomControlInfoA describes one control type with its seven style flags") {
    CHECK(CustomControlInfoA(nullptr) == 1);
    const CCINFOA info = Description();
    CHECK((std::string(info.szClass) == LUMTREE_CLASSNAME && info.flStyleDefault == kEditorStyle));
    REQUIRE(info.cStyleFlags == 7);
    for (int i = 0; i < 7; ++i) CHECK(info.aStyleFlags[i].flStyle == 1u << i);
    CHECK(std::string(info.aStyleFlags[6].pszStyle) == "LUMTREESTYLE_SCROLL");
    CHECK(info.lpfnStyle(nullptr, nullptr) == FALSE); // nothing to edit: no dialog
}

TEST_CASE("Styles dialog: the boxes show the record, scroll-bar boxes drive Disable No-Scroll, "
          "OK writes the boxes back") {
    Parent owner;
    // Bits no box shows (integral height, WS_CHILD, WS_EX_NOPARENTNOTIFY) must survive.
    const DWORD style = kEditorStyle | LUMTREESTYLE_DISABLENOSCROLL | LUMTREESTYLE_INTEGRALHEIGHT;
    CCSTYLEA record = Record(style, WS_EX_NOPARENTNOTIFY);
    const BOOL result = RunStyles(owner.hwnd(), &record, [&](HWND dialog) {
        EXPECT((Enabled(dialog, 131) && Enabled(dialog, 101))); // created disabled
        CheckBoxesShow(dialog, style, WS_EX_NOPARENTNOTIFY);
        Click(dialog, IDC_STYLE_VSCROLL); // no scroll bar left: cleared and disabled at once
        EXPECT((!Checked(dialog, 101) && !Enabled(dialog, 101)));
        Click(dialog, IDC_STYLE_HSCROLL); // one again: enabled, still clear
        EXPECT((!Checked(dialog, 101) && Enabled(dialog, 101)));
        for (int id : {IDC_STYLE_LEFTBUTTONONLY, IDC_STYLE_VISIBLE, IDC_STYLE_CLIENTEDGE})
            Click(dialog, id);
        HWND multi = GetDlgItem(dialog, IDC_STYLE_MULTIPLESEL);
        RECT box;
        GetClientRect(multi, &box);
        RealClick(multi, box.right / 2, box.bottom / 2);
        for (int waited = 0; waited < 1000 && !Checked(dialog, 113); waited += 10) Sleep(10);
        EXPECT(Checked(dialog, 113));
        Click(dialog, IDOK);
    });
    CHECK(result == TRUE);
    const DWORD cleared =
        WS_VSCROLL | LUMTREESTYLE_DISABLENOSCROLL | LUMTREESTYLE_LEFTBUTTONONLY | WS_VISIBLE;
    CHECK(record.flStyle == ((style & ~cleared) | WS_HSCROLL | LUMTREESTYLE_MULTIPLESEL));
    CHECK(record.flExtStyle == (WS_EX_NOPARENTNOTIFY | WS_EX_CLIENTEDGE));
    CHECK((std::string(record.szText) == "kept" && IsWindowEnabled(owner.hwnd())));
}

TEST_CASE("Styles dialog: Cancel keeps the record; Help") {
    WNDCLASSA wc{};
    wc.lpfnWndProc = HelpViewerProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "MS_WINHELP";
    RegisterClassA(&wc);
    HWND viewer = CreateWindowExA(0, "MS_WINHELP", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                  wc.hInstance, nullptr);
    g_help.clear();
    Parent owner;
    // No scroll bar: Disable No-Scroll shows cleared and disabled, but the record keeps it.
    const DWORD style = WS_CHILD | LUMTREESTYLE_DISABLENOSCROLL | LUMTREESTYLE_NOTIFY;
    CCSTYLEA record = Record(style, WS_EX_CLIENTEDGE);
    size_t helpBeforeClose = 0;
    BOOL result = RunStyles(owner.hwnd(), &record, [&](HWND dialog) {
        CheckBoxesShow(dialog, style & ~LUMTREESTYLE_DISABLENOSCROLL, WS_EX_CLIENTEDGE);
        EXPECT(!Enabled(dialog, 101));
        Click(dialog, IDC_STYLE_VSCROLL);
        EXPECT((Enabled(dialog, 101) && !Checked(dialog, 101)));
        for (int id : {101, 110, 112, 131, 116}) Click(dialog, id);
        EXPECT((Checked(dialog, 101) && !Checked(dialog, 131)));
        Click(dialog, IDC_STYLES_HELP); // sent on the dialog's thread, and returned
        helpBeforeClose = g_help.size();
        Click(dialog, IDCANCEL);
    });
    CHECK((result == FALSE && record.flStyle == style && record.flExtStyle == WS_EX_CLIENTEDGE));
    // Help opens LUMTREE.HLP beside the library at context 1000; closing quits help.
    DestroyWindow(viewer);
    REQUIRE((helpBeforeClose == 1 && g_help.size() == 2));
    CHECK((g_help[0].command == HELP_CONTEXT && g_help[0].data == 1000));
    CHECK((lstrcmpiA(g_help[0].file.c_str(), (LibraryFolder() + "LUMTREE.HLP").c_str()) == 0 &&
           g_help[1].command == HELP_QUIT));
}

TEST_CASE("Design starts WIZARD.EXE beside the library; without it a task-modal box says so") {
    const std::string wizard = LibraryFolder() + "WIZARD.EXE";
    Parent owner;
    CCSTYLEA record = Record(kEditorStyle, 0);
    const DWORD thread = GetCurrentThreadId();
    for (bool installed : {false, true}) {
        CAPTURE(installed);
        // Any program will do as the design application: one that ends at once.
        char program[MAX_PATH];
        GetSystemDirectoryA(program, MAX_PATH);
        lstrcatA(program, "\\hostname.exe");
        DeleteFileA(wizard.c_str());
        if (installed) REQUIRE(CopyFileA(program, wizard.c_str(), FALSE));
        std::string boxText;
        HWND boxOwner = HWND(1), box = nullptr;
        RunStyles(owner.hwnd(), &record, [&](HWND dialog) {
            // Posted: the box's own modal loop runs inside the click.
            PostMessageA(GetDlgItem(dialog, IDC_STYLES_DESIGN), BM_CLICK, 0, 0);
            box = WaitForWindow(thread, nullptr, dialog, installed ? 500 : 3000);
            if (box) {
                boxText = WindowText(GetDlgItem(box, 0xFFFF)); // the message of a message box
                boxOwner = GetWindow(box, GW_OWNER);
                SendMessageA(box, WM_COMMAND, IDOK, 0);
            }
            for (int waited = 0; waited < 1000 && !IsWindowEnabled(dialog); waited += 10) Sleep(10);
            Click(dialog, IDCANCEL);
        });
        CHECK((box == nullptr) == installed);
        if (!installed)
            CHECK((boxText.find("WIZARD.EXE") != std::string::npos && boxOwner == nullptr));
    }
    DeleteFileA(wizard.c_str());
}

TEST_CASE("inside a dialog editor's window the control shows the sample tree, elsewhere not") {
    // Editor classes (the comparison is case-sensitive) and others; the control is placed in
    // the top-level window and in a child of it.
    const std::pair<const char *, bool> classes[] = {{"DlgEdit", true},   {"MarvikDlgEdit", true},
                                                     {"RWSWnd", true},    {"dlgedit", false},
                                                     {"DlgEdit2", false}, {"RWS", false}};
    for (auto [cls, editorClass] : classes) {
        CAPTURE(cls);
        WNDCLASSA wc{};
        wc.lpfnWndProc = DefWindowProcA;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = cls;
        RegisterClassA(&wc);
        HWND editor = CreateWindowExA(0, cls, "editor", WS_POPUP | WS_VISIBLE, 10, 10, 400, 300,
                                      nullptr, nullptr, wc.hInstance, nullptr);
        HWND form = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 5, 5, 300, 260, editor,
                                    nullptr, nullptr, nullptr);
        for (HWND parent : {form, editor}) {
            HWND tree = CreateWindowExA(0, LUMTREE_CLASSNAME, "", kEditorStyle, 10, 10, 200, 220,
                                        parent, HMENU(1), wc.hInstance, nullptr);
            CHECK(OutlineOf(tree) ==
                  (editorClass ? "Item One0 Item Two1 Item Three2 Item Four3 Item Five4 Item Six3 "
                                 "Item Seven2 Item Eight2 Item Nine1 Item Ten1"
                               : ""));
            if (editorClass) CHECK(SendI(tree, LUMTREEM_GETSHOWBUTTONS) == 0);
        }
        DestroyWindow(editor);
        UnregisterClassA(cls, wc.hInstance); // class names ignore case
    }
}
