// Design-time support as a dialog editor meets it: the control description, the "Styles" dialog
// driven for real (a second thread reads and clicks its boxes while the style function runs the
// dialog's modal loop) and the sample tree of a control placed inside an editor's window.
#include "driver.h"

#include <cstdlib>

using namespace lt;
using namespace design;

namespace {

// Each check box and the bit it shows (extended: the extended style word).
struct Box {
    int id;
    DWORD bit;
    bool extended;
    const char *text;
};
// clang-format off
const Box kBoxes[] = {
    {110, WS_BORDER, false, "&Border"},
    {112, LUMTREESTYLE_NOTIFY, false, "&Notify Parent"},
    {111, WS_VSCROLL, false, "V&ertical Scroll Bar"},
    {107, WS_HSCROLL, false, "H&orizontal Scroll Bar"},
    {101, LUMTREESTYLE_DISABLENOSCROLL, false, "Disable No-&Scroll"},
    {137, LUMTREESTYLE_SCROLL, false, "Don't &Add Scroll Bars Automatically"},
    {109, LUMTREESTYLE_WANTKEYBOARDINPUT, false, "&Want Keyboard Input"},
    {113, LUMTREESTYLE_MULTIPLESEL, false, "&Multiple Selection"},
    {114, LUMTREESTYLE_DRAGDROP, false, "D&rag && Drop"},
    {136, LUMTREESTYLE_LEFTBUTTONONLY, false, "&Left Button Only"},
    {103, WS_VISIBLE, false, "&Visible"},
    {104, WS_DISABLED, false, "&Disabled"},
    {115, WS_GROUP, false, "&Group"},
    {116, WS_TABSTOP, false, "&Tab Stop"},
    {131, WS_EX_CLIENTEDGE, true, "&Client Edge"},
};
// clang-format on

// Every box shows its bit of the record's words.
void CheckBoxesShow(HWND dialog, DWORD style, DWORD extStyle) {
    for (const Box &box : kBoxes) {
        const bool on = ((box.extended ? extStyle : style) & box.bit) != 0;
        EXPECT_FOR(Checked(dialog, box.id) == on, box.text);
    }
}

} // namespace

TEST_CASE("CustomControlInfoA describes one control type with its seven style flags") {
    CHECK(CustomControlInfoA(nullptr) == 1);
    const CCINFOA info = Description();
    CHECK(std::string(info.szClass) == "MarvikTreeControl32");
    CHECK(std::string(info.szDesc) == "LumTree/DLL");
    CHECK((info.flOptions == 0 && info.cxDefault == 60 && info.cyDefault == 80));
    CHECK(info.flStyleDefault == kEditorStyle);
    CHECK((info.flExtStyleDefault == 0 && info.flCtrlTypeMask == 0 && info.szTextDefault[0] == 0));
    CHECK((info.dwReserved1 == 0 && info.dwReserved2 == 0));
    const std::pair<DWORD, const char *> flags[] = {
        {0x01, "LUMTREESTYLE_DISABLENOSCROLL"}, {0x02, "LUMTREESTYLE_WANTKEYBOARDINPUT"},
        {0x04, "LUMTREESTYLE_NOTIFY"},          {0x08, "LUMTREESTYLE_MULTIPLESEL"},
        {0x10, "LUMTREESTYLE_DRAGDROP"},        {0x20, "LUMTREESTYLE_LEFTBUTTONONLY"},
        {0x40, "LUMTREESTYLE_SCROLL"}};
    REQUIRE(info.cStyleFlags == 7);
    for (int i = 0; i < 7; ++i) {
        const CCSTYLEFLAGA &flag = info.aStyleFlags[i];
        CHECK((flag.flStyle == flags[i].first && flag.flStyleMask == 0));
        CHECK(std::string(flag.pszStyle) == flags[i].second);
    }
    char text[] = "Item";
    CHECK(info.lpfnSizeToText(kEditorStyle, WS_EX_CLIENTEDGE, nullptr, text) == -1);
    // Without a record to edit there is nothing to show: no dialog, "not changed".
    CHECK(info.lpfnStyle(nullptr, nullptr) == FALSE);
}

TEST_CASE("Styles dialog: the boxes show the record, scroll-bar boxes drive Disable No-Scroll, "
          "OK writes the boxes back") {
    Parent owner;
    // Bits no box shows (integral height, WS_CHILD, WS_EX_NOPARENTNOTIFY) must survive.
    const DWORD style = kEditorStyle | LUMTREESTYLE_DISABLENOSCROLL | LUMTREESTYLE_INTEGRALHEIGHT;
    const DWORD extStyle = WS_EX_NOPARENTNOTIFY;
    CCSTYLEA record = Record(style, extStyle);
    const BOOL result = RunStyles(owner.hwnd(), &record, [&](HWND dialog) {
        // The caption comes back through default processing and DWLP_MSGRESULT.
        EXPECT(Text(dialog) == kTitle);
        EXPECT(SendMessageA(dialog, WM_GETTEXTLENGTH, 0, 0) == LRESULT(std::strlen(kTitle)));
        for (const Box &box : kBoxes)
            EXPECT_FOR(Text(GetDlgItem(dialog, box.id)) == box.text, box.text);
        const std::pair<int, const char *> others[] = {
            {IDOK, "OK"},
            {IDCANCEL, "Cancel"},
            {108, "&Help"},
            {132, "Des&ign..."},
            {133, "Extended Styles"},
            {134, "WS_EX_CLIENTEDGE is only supported by Windows 95 and Windows NT 4.0 and up.  "
                  "Earlier Windows releases require the use of Ctl3dv2.dll or Ctl3d32.dll."}};
        for (auto [id, text] : others) EXPECT_FOR(Text(GetDlgItem(dialog, id)) == text, text);
        EXPECT((GetWindowLongA(GetDlgItem(dialog, IDOK), GWL_STYLE) & 0xF) == BS_DEFPUSHBUTTON);
        // A modal frame with caption and system menu, 237 x 186 dialog units inside.
        const DWORD frame = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
        EXPECT((DWORD(GetWindowLongA(dialog, GWL_STYLE)) & frame) == frame);
        RECT units{0, 0, 237, 186}, client;
        MapDialogRect(dialog, &units);
        GetClientRect(dialog, &client);
        EXPECT((client.right == units.right && client.bottom == units.bottom));
        // Created disabled, enabled by the dialog.
        for (int id : {131, 133, 134, 101}) EXPECT_FOR(Enabled(dialog, id), std::to_string(id));
        CheckBoxesShow(dialog, style, extStyle);

        Click(dialog, IDC_STYLE_VSCROLL); // no scroll bar left: cleared and disabled at once
        EXPECT((!Checked(dialog, 101) && !Enabled(dialog, 101)));
        Click(dialog, IDC_STYLE_HSCROLL); // one again: enabled, still clear
        EXPECT((!Checked(dialog, 101) && Enabled(dialog, 101)));
        Click(dialog, IDC_STYLE_LEFTBUTTONONLY);
        Click(dialog, IDC_STYLE_VISIBLE);
        Click(dialog, IDC_STYLE_CLIENTEDGE);
        MouseClick(dialog, IDC_STYLE_MULTIPLESEL);
        for (int waited = 0; waited < 1000 && !Checked(dialog, 113); waited += 10) Sleep(10);
        EXPECT(Checked(dialog, 113));
        Click(dialog, IDOK);
    });
    CHECK(result == TRUE);
    const DWORD cleared =
        WS_VSCROLL | LUMTREESTYLE_DISABLENOSCROLL | LUMTREESTYLE_LEFTBUTTONONLY | WS_VISIBLE;
    CHECK(record.flStyle == ((style & ~cleared) | WS_HSCROLL | LUMTREESTYLE_MULTIPLESEL));
    CHECK(record.flExtStyle == (extStyle | WS_EX_CLIENTEDGE));
    CHECK(std::string(record.szText) == "kept");
    CHECK(IsWindowEnabled(owner.hwnd())); // the modal loop gave the owner back
}

TEST_CASE("Styles dialog: Cancel and the close box leave the record as it was") {
    Parent owner;
    // No scroll bar: Disable No-Scroll shows cleared and disabled, but the record keeps it.
    const DWORD style = WS_CHILD | LUMTREESTYLE_DISABLENOSCROLL | LUMTREESTYLE_NOTIFY;
    CCSTYLEA record = Record(style, WS_EX_CLIENTEDGE);
    BOOL result = RunStyles(owner.hwnd(), &record, [&](HWND dialog) {
        CheckBoxesShow(dialog, style & ~LUMTREESTYLE_DISABLENOSCROLL, WS_EX_CLIENTEDGE);
        EXPECT(!Enabled(dialog, 101));
        Click(dialog, IDC_STYLE_VSCROLL);
        EXPECT((Enabled(dialog, 101) && !Checked(dialog, 101)));
        for (int id : {101, 110, 112, 131, 116}) Click(dialog, id);
        EXPECT((Checked(dialog, 101) && !Checked(dialog, 131)));
        Click(dialog, IDCANCEL);
    });
    CHECK((result == FALSE && record.flStyle == style && record.flExtStyle == WS_EX_CLIENTEDGE));
    // The close box asks the dialog to cancel, with the Cancel button as the sender.
    result = RunStyles(owner.hwnd(), &record, [&](HWND dialog) {
        Click(dialog, IDC_STYLE_BORDER);
        PostMessageA(dialog, WM_CLOSE, 0, 0);
    });
    CHECK((result == FALSE && record.flStyle == style && record.flExtStyle == WS_EX_CLIENTEDGE));
}

TEST_CASE("Styles dialog: centred over its owner, kept on the screen, button-face backgrounds") {
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    struct Case {
        int x, y;
        bool clipped;
    };
    for (Case c : {Case{200, 150, false}, Case{screenWidth - 150, screenHeight - 100, true}}) {
        Parent owner(420, 320);
        SetWindowPos(owner.hwnd(), nullptr, c.x, c.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        RECT o, d{};
        GetWindowRect(owner.hwnd(), &o);
        CCSTYLEA record = Record(kEditorStyle, 0);
        RunStyles(owner.hwnd(), &record, [&](HWND dialog) {
            GetWindowRect(dialog, &d);
            if (!c.clipped) {
                // The dialog's colour answers come straight back from the procedure.
                HDC dc = CreateCompatibleDC(nullptr);
                auto brush = reinterpret_cast<HBRUSH>(SendMessageA(
                    dialog, WM_CTLCOLORSTATIC, WPARAM(dc), LPARAM(GetDlgItem(dialog, 134))));
                LOGBRUSH lb{};
                EXPECT(GetObjectA(brush, sizeof(lb), &lb) == sizeof(lb));
                EXPECT((lb.lbColor == GetSysColor(COLOR_BTNFACE) &&
                        GetBkColor(dc) == GetSysColor(COLOR_BTNFACE)));
                DeleteDC(dc);
            }
            Click(dialog, IDCANCEL);
        });
        if (c.clipped) {
            CHECK((d.right == screenWidth && d.bottom == screenHeight));
        } else {
            CHECK(std::abs((d.left + d.right) - (o.left + o.right)) <= 1);
            CHECK(std::abs((d.top + d.bottom) - (o.top + o.bottom)) <= 1);
        }
    }
}

namespace {

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
    const auto *cds = reinterpret_cast<const COPYDATASTRUCT *>(lp);
    const auto *request = static_cast<const Request *>(cds->lpData);
    const char *file =
        request->fileOffset ? reinterpret_cast<const char *>(request) + request->fileOffset : "";
    g_help.push_back({request->command, request->data, file});
    return 1;
}

std::string LibraryFolder() {
    char path[MAX_PATH];
    GetModuleFileNameA(GetModuleHandleA("RyTree32.dll"), path, MAX_PATH);
    std::string folder = path;
    return folder.substr(0, folder.find_last_of("\\/") + 1);
}

} // namespace

TEST_CASE("Help opens LUMTREE.HLP beside the library at context 1000; closing quits help") {
    WNDCLASSA wc{};
    wc.lpfnWndProc = HelpViewerProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "MS_WINHELP";
    RegisterClassA(&wc);
    HWND viewer = CreateWindowExA(0, "MS_WINHELP", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                  wc.hInstance, nullptr);
    REQUIRE(viewer);
    g_help.clear();
    Parent owner;
    CCSTYLEA record = Record(kEditorStyle, 0);
    std::vector<HelpRequest> beforeClose;
    RunStyles(owner.hwnd(), &record, [&](HWND dialog) {
        Click(dialog, IDC_STYLES_HELP);
        beforeClose = g_help; // the request was sent on the dialog's thread and has returned
        Click(dialog, IDCANCEL);
    });
    DestroyWindow(viewer);
    REQUIRE(beforeClose.size() == 1);
    CHECK((beforeClose[0].command == HELP_CONTEXT && beforeClose[0].data == 1000));
    CHECK(lstrcmpiA(beforeClose[0].file.c_str(), (LibraryFolder() + "LUMTREE.HLP").c_str()) == 0);
    REQUIRE(g_help.size() == 2);
    CHECK(g_help[1].command == HELP_QUIT);
}

TEST_CASE("Design starts WIZARD.EXE beside the library; without it a task-modal box says so") {
    const std::string wizard = LibraryFolder() + "WIZARD.EXE";
    DeleteFileA(wizard.c_str());
    Parent owner;
    CCSTYLEA record = Record(kEditorStyle, 0);
    const DWORD thread = GetCurrentThreadId();
    std::string boxText;
    HWND boxOwner = HWND(1);
    bool dialogDisabled = false;
    RunStyles(owner.hwnd(), &record, [&](HWND dialog) {
        // Posted: the box's own modal loop runs inside the click.
        PostMessageA(GetDlgItem(dialog, IDC_STYLES_DESIGN), BM_CLICK, 0, 0);
        HWND box = WaitForWindow([&] { return ThreadWindow(thread, "#32770", nullptr, dialog); });
        EXPECT(box != nullptr);
        if (!box) return;
        EnumChildWindows(
            box,
            [](HWND child, LPARAM lp) -> BOOL {
                *reinterpret_cast<std::string *>(lp) += Text(child) + "|";
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&boxText));
        boxOwner = GetWindow(box, GW_OWNER);
        dialogDisabled = !IsWindowEnabled(dialog);
        SendMessageA(box, WM_COMMAND, IDOK, 0);
        for (int waited = 0; waited < 1000 && !IsWindowEnabled(dialog); waited += 10) Sleep(10);
        Click(dialog, IDCANCEL);
    });
    CHECK(boxText.find("WIZARD.EXE") != std::string::npos);
    CHECK(boxText.find("not installed") != std::string::npos);
    CHECK((boxOwner == nullptr && dialogDisabled));

    // Any program will do as the design application: one that ends at once.
    char program[MAX_PATH];
    GetSystemDirectoryA(program, MAX_PATH);
    lstrcatA(program, "\\hostname.exe");
    REQUIRE(CopyFileA(program, wizard.c_str(), FALSE));
    HWND box = HWND(1);
    RunStyles(owner.hwnd(), &record, [&](HWND dialog) {
        PostMessageA(GetDlgItem(dialog, IDC_STYLES_DESIGN), BM_CLICK, 0, 0);
        box = WaitForWindow([&] { return ThreadWindow(thread, "#32770", nullptr, dialog); }, 500);
        if (box) SendMessageA(box, WM_COMMAND, IDOK, 0);
        Click(dialog, IDCANCEL);
    });
    CHECK(box == nullptr);
    DeleteFileA(wizard.c_str());
}

namespace {

struct Sample {
    const char *text;
    int level;
};
const Sample kSample[] = {{"Item One", 0},  {"Item Two", 1}, {"Item Three", 2}, {"Item Four", 3},
                          {"Item Five", 4}, {"Item Six", 3}, {"Item Seven", 2}, {"Item Eight", 2},
                          {"Item Nine", 1}, {"Item Ten", 1}};

// A top-level window of the given class holding a child "dialog" with a control in it; the
// control's item count is the answer.
HWND EditorWindow(const char *className) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = className;
    RegisterClassA(&wc);
    HWND editor = CreateWindowExA(0, className, "editor", WS_POPUP | WS_VISIBLE, 10, 10, 400, 300,
                                  nullptr, nullptr, wc.hInstance, nullptr);
    REQUIRE(editor);
    return editor;
}

HWND ControlIn(HWND parent) {
    HWND tree = CreateWindowExA(0, LUMTREE_CLASSNAME, "", kEditorStyle, 10, 10, 200, 220, parent,
                                HMENU(1), GetModuleHandleA(nullptr), nullptr);
    REQUIRE(tree);
    return tree;
}

} // namespace

TEST_CASE("inside a dialog editor's window the control shows the sample tree, elsewhere not") {
    for (const char *editorClass : {"DlgEdit", "MarvikDlgEdit", "RWSWnd"}) {
        CAPTURE(editorClass);
        HWND editor = EditorWindow(editorClass);
        HWND form = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 5, 5, 300, 260, editor,
                                    nullptr, nullptr, nullptr);
        for (HWND tree : {ControlIn(form), ControlIn(editor)}) {
            REQUIRE(SendI(tree, LUMTREEM_GETCOUNT) == 10);
            for (int i = 0; i < 10; ++i) {
                char text[32] = "";
                Send(tree, LUMTREEM_GETTEXT, WPARAM(i), Ptr(text));
                CHECK(std::string(text) == kSample[i].text);
                CHECK(SendI(tree, LUMTREEM_GETLEVEL, WPARAM(i)) == kSample[i].level);
            }
            CHECK((SendI(tree, LUMTREEM_GETSHOWBUTTONS) == 0 &&
                   SendI(tree, LUMTREEM_GETSHOWLINES) == 1));
            // Every item is shown, its text indented by its level: the first text pixel of
            // each row moves one step right per level.
            const Pixels px = PrintClient(tree);
            int textX[10], step = 0;
            for (int i = 0; i < 10; ++i) {
                RECT rc{};
                CHECK(SendI(tree, LUMTREEM_GETITEMRECT, WPARAM(i), Ptr(&rc)) == 0);
                textX[i] = px.width;
                for (int y = rc.top; y < rc.bottom && y < px.height; ++y) {
                    for (int x = 0; x < textX[i]; ++x) {
                        if (px.At(x, y) == GetSysColor(COLOR_WINDOWTEXT)) textX[i] = x;
                    }
                }
                if (i == 1) step = textX[1] - textX[0];
                CHECK(textX[i] == textX[0] + kSample[i].level * step);
            }
            CHECK(step > 4);
        }
        DestroyWindow(editor);
        UnregisterClassA(editorClass, GetModuleHandleA(nullptr)); // class names ignore case
    }
    // Other top-level classes (the comparison is case-sensitive), and a control without a
    // parent, start empty.
    for (const char *other : {"dlgedit", "DlgEdit2", "RWS"}) {
        CAPTURE(other);
        HWND editor = EditorWindow(other);
        CHECK(SendI(ControlIn(editor), LUMTREEM_GETCOUNT) == 0);
        DestroyWindow(editor);
        UnregisterClassA(other, GetModuleHandleA(nullptr));
    }
    Parent plain;
    CHECK(SendI(plain.Tree(kEditorStyle), LUMTREEM_GETCOUNT) == 0);
    HWND alone = CreateWindowExA(0, LUMTREE_CLASSNAME, "", WS_POPUP, 0, 0, 100, 100, nullptr,
                                 nullptr, nullptr, nullptr);
    CHECK(SendI(alone, LUMTREEM_GETCOUNT) == 0);
    DestroyWindow(alone);
}
