// The "Styles" dialog that a dialog editor shows for a placed control: one check box per style
// bit, OK and Cancel, and buttons that open the library's help file and start the separate
// design application, both expected next to the library.
//
// The dialog procedure forwards every message to a handler and returns the handler's result
// the way dialog procedures must (through DWLP_MSGRESULT, or directly for the messages whose
// result the dialog manager takes from the procedure itself). Messages the handler leaves
// alone get default processing from DefDlgProcA, called here; DefDlgProcA calls this
// procedure once more, and that nested call must return at once so that nothing runs twice.
#include "design.h"

#include "../../resources/design_ids.h"

#include <cstring>
#include <initializer_list>

namespace {

// One open dialog: the editor's record, the style words being edited and the brush of the
// dialog's backgrounds. Kept in the dialog's DWLP_USER word; allocated zero-filled from the
// library heap on the first WM_SETFONT or WM_INITDIALOG, freed on WM_NCDESTROY.
struct StylesDialog {
    HWND dialog;
    LPCCSTYLEA record;
    DWORD style;
    DWORD extStyle;
    HBRUSH faceBrush;
};

// The check boxes and the bit each one stands for (in the extended style word for "Client
// Edge"). Bits that no box shows are never changed by the dialog.
struct StyleBox {
    int id;
    DWORD bit;
    bool extended;
};
constexpr StyleBox kStyleBoxes[] = {
    {IDC_STYLE_BORDER, WS_BORDER, false},
    {IDC_STYLE_NOTIFY, LUMTREESTYLE_NOTIFY, false},
    {IDC_STYLE_VSCROLL, WS_VSCROLL, false},
    {IDC_STYLE_HSCROLL, WS_HSCROLL, false},
    {IDC_STYLE_DISABLENOSCROLL, LUMTREESTYLE_DISABLENOSCROLL, false},
    {IDC_STYLE_SCROLL, LUMTREESTYLE_SCROLL, false},
    {IDC_STYLE_WANTKEYBOARD, LUMTREESTYLE_WANTKEYBOARDINPUT, false},
    {IDC_STYLE_MULTIPLESEL, LUMTREESTYLE_MULTIPLESEL, false},
    {IDC_STYLE_DRAGDROP, LUMTREESTYLE_DRAGDROP, false},
    {IDC_STYLE_LEFTBUTTONONLY, LUMTREESTYLE_LEFTBUTTONONLY, false},
    {IDC_STYLE_VISIBLE, WS_VISIBLE, false},
    {IDC_STYLE_DISABLED, WS_DISABLED, false},
    {IDC_STYLE_GROUP, WS_GROUP, false},
    {IDC_STYLE_TABSTOP, WS_TABSTOP, false},
    {IDC_STYLE_CLIENTEDGE, WS_EX_CLIENTEDGE, true},
};

constexpr UINT kHelpContext = 1000;
constexpr char kHelpFile[] = "LUMTREE.HLP";
constexpr char kDesignApp[] = "WIZARD.EXE";
constexpr char kNoDesignApp[] = "The LumTree design application (WIZARD.EXE) is not installed "
                                "in the folder of RyTree32.dll.";

// Set just before the dialog procedure hands a message to DefDlgProcA: the nested call that
// DefDlgProcA makes returns 0 at once and clears it. Process-wide; dialogs run on one thread.
bool g_defaultPending = false;

StylesDialog *StateOf(HWND dialog) {
    return reinterpret_cast<StylesDialog *>(GetWindowLongPtrA(dialog, DWLP_USER));
}

DWORD &WordOf(StylesDialog *st, const StyleBox &box) {
    return box.extended ? st->extStyle : st->style;
}

// Shows the working words in the boxes. "Disable No-Scroll" means something only with a
// scroll bar: without either scroll-bar style it is cleared and its box disabled.
void SetChecks(StylesDialog *st) {
    const bool anyBar = (st->style & (WS_HSCROLL | WS_VSCROLL)) != 0;
    if (!anyBar) st->style &= ~static_cast<DWORD>(LUMTREESTYLE_DISABLENOSCROLL);
    EnableWindow(GetDlgItem(st->dialog, IDC_STYLE_DISABLENOSCROLL), anyBar);
    for (const StyleBox &box : kStyleBoxes) {
        const bool on = (WordOf(st, box) & box.bit) != 0;
        SendDlgItemMessageA(st->dialog, box.id, BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
    }
}

void ReadChecks(StylesDialog *st) {
    for (const StyleBox &box : kStyleBoxes) {
        DWORD &word = WordOf(st, box);
        word &= ~box.bit;
        if (SendDlgItemMessageA(st->dialog, box.id, BM_GETCHECK, 0, 0) == BST_CHECKED) {
            word |= box.bit;
        }
    }
}

// Centres the dialog over its owner (the desktop without one), then moves it back onto the
// screen where it would overhang an edge.
void CentreOverOwner(HWND dialog) {
    HWND owner = GetWindow(dialog, GW_OWNER);
    if (!owner) owner = GetDesktopWindow();
    RECT o, d;
    GetWindowRect(owner, &o);
    GetWindowRect(dialog, &d);
    const int width = d.right - d.left, height = d.bottom - d.top;
    int x = o.left + (o.right - o.left - width) / 2;
    int y = o.top + (o.bottom - o.top - height) / 2;
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    if (x + width > screenWidth) x = screenWidth - width;
    if (y + height > screenHeight) y = screenHeight - height;
    if (x < 0) x = 0;
    if (y < 0) y = 0;
    SetWindowPos(dialog, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void OpenHelp(HWND dialog) {
    char path[MAX_PATH];
    if (LibrarySiblingPath(kHelpFile, path)) WinHelpA(dialog, path, HELP_CONTEXT, kHelpContext);
}

// Starts the design application; without it the user is told so in a task-modal box.
void StartDesignApp() {
    char path[MAX_PATH];
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (LibrarySiblingPath(kDesignApp, path) &&
        CreateProcessA(path, nullptr, nullptr, nullptr, FALSE,
                       CREATE_DEFAULT_ERROR_MODE | NORMAL_PRIORITY_CLASS, nullptr, nullptr,
                       &startup, &process)) {
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
        return;
    }
    MessageBoxA(nullptr, kNoDesignApp, "LumTree/DLL", MB_OK | MB_TASKMODAL | MB_ICONHAND);
}

LRESULT OnCommand(StylesDialog *st, WPARAM wp, LPARAM lp) {
    const int id = LOWORD(wp);
    if (lp) {
        // A control's notification: the push buttons come back as bare commands; a click on
        // a scroll-bar box re-reads the boxes so that "Disable No-Scroll" follows at once.
        if (HIWORD(wp) != BN_CLICKED) return 0;
        switch (id) {
        case IDOK:
        case IDCANCEL:
        case IDC_STYLES_HELP:
        case IDC_STYLES_DESIGN: SendMessageA(st->dialog, WM_COMMAND, id, 0); break;
        case IDC_STYLE_HSCROLL:
        case IDC_STYLE_VSCROLL:
            ReadChecks(st);
            SetChecks(st);
            break;
        default: break;
        }
        return 0;
    }
    switch (id) {
    case IDOK:
        ReadChecks(st);
        if (st->record) {
            st->record->flStyle = st->style;
            st->record->flExtStyle = st->extStyle;
        }
        EndDialog(st->dialog, 1);
        break;
    case IDCANCEL: EndDialog(st->dialog, 0); break;
    case IDC_STYLES_HELP: OpenHelp(st->dialog); break;
    case IDC_STYLES_DESIGN: StartDesignApp(); break;
    default: break;
    }
    return 0;
}

// The handler: true when it handled the message, with the message's result in *result.
bool HandleMessage(StylesDialog *st, UINT msg, WPARAM wp, LPARAM lp, LRESULT *result) {
    HWND dialog = st->dialog;
    *result = 0;
    switch (msg) {
    case WM_INITDIALOG:
        st->record = reinterpret_cast<LPCCSTYLEA>(lp);
        if (st->record) {
            st->style = st->record->flStyle;
            st->extStyle = st->record->flExtStyle;
        }
        for (int id : {IDC_EXTENDED_GROUP, IDC_STYLE_CLIENTEDGE, IDC_EXTENDED_NOTE}) {
            EnableWindow(GetDlgItem(dialog, id), TRUE);
        }
        SetChecks(st);
        st->faceBrush = CreateSolidBrush(GetSysColor(COLOR_BTNFACE));
        CentreOverOwner(dialog);
        *result = 1;
        return true;
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
        SetBkColor(reinterpret_cast<HDC>(wp), GetSysColor(COLOR_BTNFACE));
        *result = reinterpret_cast<LRESULT>(st->faceBrush);
        return true;
    case WM_COMMAND: *result = OnCommand(st, wp, lp); return true;
    case WM_DESTROY:
        if (st->faceBrush) DeleteObject(st->faceBrush);
        st->faceBrush = nullptr;
        WinHelpA(dialog, "", HELP_QUIT, 0);
        return true;
    case WM_NCDESTROY:
        LumFree(st);
        SetWindowLongPtrA(dialog, DWLP_USER, 0);
        return false;
    default: return false;
    }
}

// Messages whose result the dialog manager takes from the dialog procedure's return value.
bool ReturnsDirectly(UINT msg) {
    return msg == WM_INITDIALOG || (msg >= WM_CTLCOLORMSGBOX && msg <= WM_CTLCOLORSTATIC) ||
           msg == WM_COMPAREITEM || msg == WM_VKEYTOITEM || msg == WM_CHARTOITEM ||
           msg == WM_QUERYDRAGICON;
}

INT_PTR CALLBACK StylesDialogProc(HWND dialog, UINT msg, WPARAM wp, LPARAM lp) {
    if (g_defaultPending) {
        g_defaultPending = false;
        return FALSE;
    }
    StylesDialog *st = StateOf(dialog);
    if (!st && (msg == WM_SETFONT || msg == WM_INITDIALOG)) {
        st = static_cast<StylesDialog *>(LumAllocZero(sizeof(StylesDialog)));
        if (st) {
            st->dialog = dialog;
            SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(st));
        }
    }
    // Without its state (before the font arrives, or when it could not be allocated) the
    // dialog answers 0 to everything and shows the template's defaults.
    if (!st) return FALSE;
    LRESULT result;
    if (!HandleMessage(st, msg, wp, lp, &result)) {
        g_defaultPending = true;
        result = DefDlgProcA(dialog, msg, wp, lp);
        g_defaultPending = false; // in case DefDlgProcA did not call back
    }
    if (ReturnsDirectly(msg)) return result;
    if (IsWindow(dialog)) SetWindowLongPtrA(dialog, DWLP_MSGRESULT, result);
    return TRUE;
}

} // namespace

bool LibrarySiblingPath(const char *fileName, char (&path)[MAX_PATH]) {
    const DWORD length = GetModuleFileNameA(g_lum.module, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return false;
    size_t dirEnd = length;
    while (dirEnd > 0 && path[dirEnd - 1] != '\\' && path[dirEnd - 1] != '/' &&
           path[dirEnd - 1] != ':') {
        --dirEnd;
    }
    const size_t nameLength = std::strlen(fileName);
    if (dirEnd + nameLength >= MAX_PATH) return false;
    std::memcpy(path + dirEnd, fileName, nameLength + 1);
    return true;
}

// A failed dialog (-1) counts as "Cancel": the editor keeps its record.
BOOL CALLBACK ShowStylesDialog(HWND parent, LPCCSTYLEA style) {
    if (!style) return FALSE;
    const INT_PTR result =
        DialogBoxParamA(g_lum.module, MAKEINTRESOURCEA(IDD_LUMTREE_STYLES), parent,
                        StylesDialogProc, reinterpret_cast<LPARAM>(style));
    return result == 1;
}
