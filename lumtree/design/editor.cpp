// What a dialog editor learns about the control: the control-type description returned by
// CustomControlInfoA, the size-to-text function, the editor test made at creation and the
// sample items a control shows inside an editor.
#include "design.h"

#include "../frame/text.h"

#include <array>
#include <utility>

namespace {

// The style bits an editor lists by name, lowest bit first. The names live in writable arrays
// because the record's name field is a plain LPSTR.
char g_styleNames[][32] = {"LUMTREESTYLE_DISABLENOSCROLL", "LUMTREESTYLE_WANTKEYBOARDINPUT",
                           "LUMTREESTYLE_NOTIFY",          "LUMTREESTYLE_MULTIPLESEL",
                           "LUMTREESTYLE_DRAGDROP",        "LUMTREESTYLE_LEFTBUTTONONLY",
                           "LUMTREESTYLE_SCROLL"};
CCSTYLEFLAGA g_styleFlags[] = {
    {LUMTREESTYLE_DISABLENOSCROLL, 0, g_styleNames[0]},
    {LUMTREESTYLE_WANTKEYBOARDINPUT, 0, g_styleNames[1]},
    {LUMTREESTYLE_NOTIFY, 0, g_styleNames[2]},
    {LUMTREESTYLE_MULTIPLESEL, 0, g_styleNames[3]},
    {LUMTREESTYLE_DRAGDROP, 0, g_styleNames[4]},
    {LUMTREESTYLE_LEFTBUTTONONLY, 0, g_styleNames[5]},
    {LUMTREESTYLE_SCROLL, 0, g_styleNames[6]},
};
static_assert(std::size(g_styleNames) == std::size(g_styleFlags));

// The style an editor gives a newly placed control.
constexpr DWORD kDefaultStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | WS_TABSTOP |
                                LUMTREESTYLE_SCROLL | LUMTREESTYLE_LEFTBUTTONONLY |
                                LUMTREESTYLE_NOTIFY;
static_assert(kDefaultStyle == 0x50A10064);

// The control cannot size itself to a text.
INT CALLBACK SizeToText(DWORD, DWORD, HFONT, LPSTR) {
    return -1;
}

// Main window classes of the dialog editors that host custom controls.
constexpr std::array<const char *, 3> kEditorClasses = {"DlgEdit", "MarvikDlgEdit", "RWSWnd"};

// The sample tree: texts and levels in list order.
constexpr std::pair<const char *, int> kSampleItems[] = {
    {"Item One", 0}, {"Item Two", 1},   {"Item Three", 2}, {"Item Four", 3}, {"Item Five", 4},
    {"Item Six", 3}, {"Item Seven", 2}, {"Item Eight", 2}, {"Item Nine", 1}, {"Item Ten", 1}};

} // namespace

// The library offers one control type: a null array only asks for that count.
extern "C" UINT CALLBACK CustomControlInfoA(LPCCINFOA info) {
    if (!info) return 1;
    *info = CCINFOA{};
    lstrcpynA(info->szClass, LUMTREE_CLASSNAMEA, CCHCCCLASS);
    info->flOptions = 0;
    lstrcpynA(info->szDesc, "LumTree/DLL", CCHCCDESC);
    info->cxDefault = 60;
    info->cyDefault = 80;
    info->flStyleDefault = kDefaultStyle;
    info->flExtStyleDefault = 0;
    info->flCtrlTypeMask = 0;
    info->szTextDefault[0] = '\0';
    info->cStyleFlags = static_cast<INT>(std::size(g_styleFlags));
    info->aStyleFlags = g_styleFlags;
    info->lpfnStyle = ShowStylesDialog;
    info->lpfnSizeToText = SizeToText;
    info->dwReserved1 = info->dwReserved2 = 0;
    return 1;
}

bool InDialogEditor(HWND window) {
    HWND top = GetParent(window);
    if (!top) return false;
    while (HWND up = GetParent(top)) top = up;
    char className[40];
    if (!GetClassNameA(top, className, static_cast<int>(std::size(className)))) return false;
    for (const char *editor : kEditorClasses) {
        if (lstrcmpA(className, editor) == 0) return true;
    }
    return false;
}

void AddSampleItems(TreeCtl *ctl) {
    SendSelf(ctl, LUMTREEM_SETSHOWBUTTONS, 0, 0);
    for (const auto &[text, level] : kSampleItems) {
        // The sample texts are ASCII: a wide control takes them widened.
        wchar_t wide[16];
        const char *own = TextFromAscii(ctl, text, wide);
        LRESULT index = SendSelf(ctl, LUMTREEM_ADDITEM, 0, reinterpret_cast<LPARAM>(own));
        SendSelf(ctl, LUMTREEM_SETLEVEL, static_cast<WPARAM>(index), level);
    }
}
