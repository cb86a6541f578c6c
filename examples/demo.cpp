// LumTree sample application: a project browser in one tree control, with three columns under
// a header bar, numbered row labels, folder and document pictures, a selected and a disabled
// item. It is used with the mouse: the control reports, the application acts.
//   - an expand button asks to open or close its folder (LUMTREEM_EXPAND);
//   - clicks, Shift-clicks and Ctrl-clicks select (multiple selection);
//   - a row dragged onto another moves there with its subtree, as the last child of the row it
//     was dropped on (LUMTREEM_MOVEITEM item by item, LUMTREEM_SETLEVEL for the new levels);
//   - a click on a column header sorts every folder's children by that column;
//   - the dividers in the header bar resize the columns.
// F2 renames the caret item in place (Enter or Tab or a click elsewhere keeps the new
// name, Escape cancels); the wheel scrolls.
//
//   --screenshot shows a resized column and a drag in progress, made with the same mouse
//   messages a user's hand makes.
//   lumtree_demo.exe                          shows the window until it is closed
//   lumtree_demo.exe --screenshot F           shows the window, writes what the screen shows of
//                                             it (frame included) to the PNG file F
//   lumtree_demo.exe --platform-screenshot F  the same items in the platform's own tree view
//                                             (SysTreeView32), for comparing the two
// lumtree_demo_w.exe is the same program built with UNICODE: its windows are wide, so its
// control keeps UTF-16 texts, and its folders and files carry Greek, Cyrillic, Arabic and
// Chinese names.
#include "lumtree/lumtree.h"
#include "screen.h"

#include <commctrl.h>
#include <objbase.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr int kTreeId = 1;
constexpr int kIcon = 16;
constexpr COLORREF kTransparent = RGB(128, 0, 128); // the pictures' top-left colour

HWND g_tree = nullptr;
bool g_platform = false;
int g_dragSource = -1; // the row being dragged, from LUMTREEN_BEGINDRAG to the drop
HWND g_editor = nullptr; // the in-place editor while an item is being renamed
int g_edited = -1;

// One row of the sample: name, level, size, date; the disabled and selected ones are marked.
struct Row {
    const TCHAR *name;
    int level;
    const TCHAR *size;
    const TCHAR *modified;
};
#ifdef UNICODE
const Row kRows[] = {
    {L"Έργα", 0, L"", L"2026-03-02 09:12"},
    {L"LumTree", 1, L"", L"2026-03-02 09:12"},
    {L"исходники", 2, L"", L"2026-03-01 18:40"},
    {L"ζωγραφική.cpp", 3, L"7 kB", L"2026-03-01 18:40"},
    {L"строка.cpp", 3, L"11 kB", L"2026-03-01 17:05"},
    {L"primitives.cpp", 3, L"10 kB", L"2026-02-28 11:30"},
    {L"тесты", 2, L"", L"2026-02-27 16:22"},
    {L"unit_paint.cpp", 3, L"14 kB", L"2026-02-27 16:22"},
    {L"ΔΙΑΒΑΣΕ.md", 2, L"5 kB", L"2026-02-26 10:02"},
    {L"موقع", 1, L"", L"2026-01-19 08:45"},
    {L"index.html", 2, L"3 kB", L"2026-01-19 08:45"},
    {L"文档.css", 2, L"2 kB", L"2025-12-30 14:10"},
    {L"Αρχείο", 0, L"", L"2025-11-03 12:00"},
    {L"2024", 1, L"", L"2025-01-02 09:00"},
    {L"2023", 1, L"", L"2024-01-03 09:00"},
    {L"Заметки.txt", 0, L"1 kB", L"2026-03-02 08:55"},
};
#else
const Row kRows[] = {
    {"Projects", 0, "", "2026-03-02 09:12"},
    {"LumTree", 1, "", "2026-03-02 09:12"},
    {"lumtree", 2, "", "2026-03-01 18:40"},
    {"paint.cpp", 3, "7 kB", "2026-03-01 18:40"},
    {"row.cpp", 3, "11 kB", "2026-03-01 17:05"},
    {"primitives.cpp", 3, "10 kB", "2026-02-28 11:30"},
    {"tests", 2, "", "2026-02-27 16:22"},
    {"unit_paint.cpp", 3, "14 kB", "2026-02-27 16:22"},
    {"README.md", 2, "5 kB", "2026-02-26 10:02"},
    {"Website", 1, "", "2026-01-19 08:45"},
    {"index.html", 2, "3 kB", "2026-01-19 08:45"},
    {"style.css", 2, "2 kB", "2025-12-30 14:10"},
    {"Archive", 0, "", "2025-11-03 12:00"},
    {"2024", 1, "", "2025-01-02 09:00"},
    {"2023", 1, "", "2024-01-03 09:00"},
    {"Notes.txt", 0, "1 kB", "2026-03-02 08:55"},
};
#endif
constexpr int kSelected = 4;   // row.cpp
constexpr int kDisabled = 11;  // style.css
constexpr int kCollapsed = 12; // Archive

bool IsFolder(int i) {
    return i + 1 < static_cast<int>(std::size(kRows)) && kRows[i + 1].level > kRows[i].level;
}

// ---- Pictures, drawn at start on dark magenta ----
struct Pictures {
    HBITMAP closed, open, document;
};

HBITMAP Picture(void (*draw)(HDC)) {
    HDC screen = GetDC(nullptr);
    HBITMAP bmp = CreateCompatibleBitmap(screen, kIcon, kIcon);
    HDC dc = CreateCompatibleDC(screen);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(dc, bmp);
    RECT all{0, 0, kIcon, kIcon};
    HBRUSH back = CreateSolidBrush(kTransparent);
    FillRect(dc, &all, back);
    DeleteObject(back);
    draw(dc);
    SelectObject(dc, old);
    DeleteDC(dc);
    return bmp;
}

void Box(HDC dc, int l, int t, int r, int b, COLORREF fill, COLORREF edge) {
    HBRUSH brush = CreateSolidBrush(fill);
    HPEN pen = CreatePen(PS_SOLID, 1, edge);
    HGDIOBJ oldBrush = SelectObject(dc, brush), oldPen = SelectObject(dc, pen);
    Rectangle(dc, l, t, r, b);
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
    DeleteObject(brush);
    DeleteObject(pen);
}

void DrawClosedFolder(HDC dc) {
    Box(dc, 1, 3, 8, 6, RGB(230, 190, 80), RGB(150, 110, 20));
    Box(dc, 1, 5, 15, 14, RGB(245, 205, 90), RGB(150, 110, 20));
}
void DrawOpenFolder(HDC dc) {
    Box(dc, 1, 3, 8, 6, RGB(230, 190, 80), RGB(150, 110, 20));
    Box(dc, 1, 5, 13, 14, RGB(225, 180, 70), RGB(150, 110, 20));
    POINT lid[] = {{3, 8}, {15, 8}, {13, 13}, {1, 13}};
    HBRUSH brush = CreateSolidBrush(RGB(250, 220, 120));
    HPEN pen = CreatePen(PS_SOLID, 1, RGB(150, 110, 20));
    HGDIOBJ oldBrush = SelectObject(dc, brush), oldPen = SelectObject(dc, pen);
    Polygon(dc, lid, 4);
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
    DeleteObject(brush);
    DeleteObject(pen);
}
void DrawDocument(HDC dc) {
    Box(dc, 3, 1, 13, 15, RGB(255, 255, 255), RGB(90, 90, 110));
    for (int y = 4; y < 13; y += 2)
        Box(dc, 5, y, 11, y + 1, RGB(120, 140, 200), RGB(120, 140, 200));
}

Pictures MakePictures() {
    return Pictures{Picture(DrawClosedFolder), Picture(DrawOpenFolder), Picture(DrawDocument)};
}

// ---- The control ----
void SetCellText(HWND tree, int item, int column, const TCHAR *text) {
    SendMessageA(tree, LUMTREEM_SETTEXTCOLUMN, static_cast<WPARAM>(column), 0);
    SendMessageA(tree, LUMTREEM_SETTEXT, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(text));
}

void FillTree(HWND tree, HFONT font, const Pictures &pictures) {
    SendMessageA(tree, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    SendMessageA(tree, LUMTREEM_SETHEADERFONT, reinterpret_cast<WPARAM>(font), FALSE);
    SendMessageA(tree, LUMTREEM_SETLABELFONT, reinterpret_cast<WPARAM>(font), FALSE);

    TCHAR name[] = TEXT("Name"), size[] = TEXT("Size"), modified[] = TEXT("Modified");
    TreeColumn columns[3] = {};
    columns[0].width = 150;
    columns[0].title = name;
    columns[1].width = 64;
    columns[1].format = LUMTREEFORMAT_RIGHT;
    columns[1].headerFlags = LUMTREEFORMAT_RIGHT;
    columns[1].title = size;
    columns[2].width = LUMTREE_STRETCH;
    columns[2].title = modified;
    SendMessageA(tree, LUMTREEM_SETCOLUMNS, 3, reinterpret_cast<LPARAM>(columns));
    SendMessageA(tree, LUMTREEM_SHOWHEADER, TRUE, 0);
    SendMessageA(tree, LUMTREEM_SETHEADERBUTTONS, TRUE, 0);
    SendMessageA(tree, LUMTREEM_SHOWLABELS, 5, 0); // numbered from 1, 3-D
    SendMessageA(tree, LUMTREEM_SETSHOWROOTBUTTONS, TRUE, 0);
    HBITMAP nodes[3] = {pictures.closed, pictures.open, pictures.document};
    SendMessageA(tree, LUMTREEM_SETNODEBITMAPS, 0, reinterpret_cast<LPARAM>(nodes));

    SendMessageA(tree, WM_SETREDRAW, FALSE, 0);
    for (const Row &row : kRows) {
        auto i = static_cast<int>(
            SendMessageA(tree, LUMTREEM_ADDITEM, 0, reinterpret_cast<LPARAM>(row.name)));
        if (row.level) SendMessageA(tree, LUMTREEM_SETLEVEL, static_cast<WPARAM>(i), row.level);
        SetCellText(tree, i, 1, row.size);
        SetCellText(tree, i, 2, row.modified);
    }
    // A closed folder with enough rows to scroll with the wheel, appended on the direct path
    // that LumTreeEx_InsertItem_DLL takes while drawing is off.
    const int logs = LumTreeEx_InsertItem_DLL(tree, -1, 0, TEXT("Logs"), 0, 0);
    for (int k = 1; k <= 40; ++k) {
        TCHAR log[32];
        wsprintf(log, TEXT("Log %02d.txt"), k);
        LumTreeEx_InsertItem_DLL(tree, -1, 1, log, 0, 0);
    }
    SendMessageA(tree, LUMTREEM_EXPAND, static_cast<WPARAM>(logs), MAKELPARAM(FALSE, FALSE));
    SendMessageA(tree, LUMTREEM_SETTEXTCOLUMN, 0, 0);
    SendMessageA(tree, LUMTREEM_SETLABELWIDTH, static_cast<WPARAM>(-1), 0); // fit the numbers
    SendMessageA(tree, LUMTREEM_EXPAND, kCollapsed, MAKELPARAM(FALSE, FALSE));
    SendMessageA(tree, LUMTREEM_ENABLEITEM, kDisabled, FALSE);
    SendMessageA(tree, LUMTREEM_SELECTITEM, TRUE, kSelected);
    SendMessageA(tree, LUMTREEM_SETCARET, kSelected, 0);
    // Any row can be dragged once the pointer leaves the drag rectangle; the row under the
    // pointer gets the drop mark.
    SendMessageA(tree, LUMTREEM_SETDRAGMODE, 5, 0);
    SendMessageA(tree, LUMTREEM_SETDROPMARKMODE, 0, LUMTREEDROPMARK_ITEM);
    SendMessageA(tree, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(tree, nullptr, TRUE);
}

// ---- The platform's tree view with the same items (names only: it has no columns) ----
void FillPlatformTree(HWND tree, HFONT font, const Pictures &pictures) {
    SendMessageA(tree, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    HIMAGELIST images = ImageList_Create(kIcon, kIcon, ILC_COLOR24 | ILC_MASK, 3, 0);
    ImageList_AddMasked(images, pictures.closed, kTransparent);
    ImageList_AddMasked(images, pictures.open, kTransparent);
    ImageList_AddMasked(images, pictures.document, kTransparent);
    SendMessageA(tree, TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(images));
    HTREEITEM parents[8] = {TVI_ROOT};
    HTREEITEM items[std::size(kRows)] = {};
    for (size_t i = 0; i < std::size(kRows); ++i) {
        const Row &row = kRows[i];
        TVINSERTSTRUCT ins{};
        ins.hParent = parents[row.level];
        ins.hInsertAfter = TVI_LAST;
        ins.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
        ins.item.pszText = const_cast<TCHAR *>(row.name);
        const bool folder = IsFolder(static_cast<int>(i));
        ins.item.iImage = folder ? 0 : 2;
        ins.item.iSelectedImage = folder ? 1 : 2;
        items[i] = reinterpret_cast<HTREEITEM>(
            SendMessage(tree, TVM_INSERTITEM, 0, reinterpret_cast<LPARAM>(&ins)));
        parents[row.level + 1] = items[i];
    }
    for (size_t i = 0; i < std::size(kRows); ++i) {
        if (IsFolder(static_cast<int>(i)) && static_cast<int>(i) != kCollapsed) {
            SendMessageA(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(items[i]));
        }
    }
    SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(items[kSelected]));
}

// ---- What the application does with the control's reports ----
int Send(UINT msg, WPARAM wp = 0, LPARAM lp = 0) {
    return static_cast<int>(SendMessageA(g_tree, msg, wp, lp));
}
int LevelOf(int i) {
    return Send(LUMTREEM_GETLEVEL, static_cast<WPARAM>(i));
}
// One past the last descendant of item i.
int SubtreeEnd(int i) {
    const int count = Send(LUMTREEM_GETCOUNT);
    int end = i + 1;
    while (end < count && LevelOf(end) > LevelOf(i)) ++end;
    return end;
}

void ToggleFolder(int i) {
    const bool open = Send(LUMTREEM_ISEXPANDED, static_cast<WPARAM>(i)) != 0;
    Send(LUMTREEM_EXPAND, static_cast<WPARAM>(i), MAKELPARAM(!open, FALSE));
}

// Moves item s with its subtree to the end of target t's children. The control's move takes
// one item (and any hidden descendants), so the subtree is opened first and moved item by item.
void MoveSubtree(int s, int t) {
    const int end = SubtreeEnd(s);
    if (s < 0 || t < 0 || (t >= s && t < end)) return; // onto itself or its own subtree
    Send(LUMTREEM_EXPAND, static_cast<WPARAM>(s), MAKELPARAM(TRUE, TRUE));
    const int shift = LevelOf(t) + 1 - LevelOf(s);
    const int targetEnd = SubtreeEnd(t), n = end - s;
    SendMessageA(g_tree, WM_SETREDRAW, FALSE, 0);
    for (int k = 0; k < n; ++k) {
        // Moving up, the sources stay in place after the moved ones; moving down, every move
        // takes an item out before the destination.
        const int from = t < s ? s + k : s;
        const int to = t < s ? targetEnd + k : targetEnd;
        const int level = LevelOf(from) + shift;
        const int moved = Send(LUMTREEM_MOVEITEM, static_cast<WPARAM>(from), to);
        if (moved < 0) break;
        Send(LUMTREEM_SETLEVEL, static_cast<WPARAM>(moved), level);
    }
    const int target = t < s ? t : t - n;
    Send(LUMTREEM_EXPAND, static_cast<WPARAM>(target), MAKELPARAM(TRUE, FALSE));
    SendMessageA(g_tree, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(g_tree, nullptr, FALSE);
}

// Sorts the children of every folder by the texts of one column. Sorting a folder reorders only
// the rows after it, so one pass from the top reaches every folder once.
void SortByColumn(int column) {
    if (column < 0) return;
    SendMessageA(g_tree, WM_SETREDRAW, FALSE, 0);
    Send(LUMTREEM_SETTEXTCOLUMN, static_cast<WPARAM>(column));
    Send(LUMTREEM_SORTCHILDREN, static_cast<WPARAM>(-1));
    for (int i = 0; i < Send(LUMTREEM_GETCOUNT); ++i) {
        if (SubtreeEnd(i) > i + 1) Send(LUMTREEM_SORTCHILDREN, static_cast<WPARAM>(i));
    }
    Send(LUMTREEM_SETTEXTCOLUMN, 0);
    SendMessageA(g_tree, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(g_tree, nullptr, FALSE);
}

void OnTreeNotification(int code) {
    switch (code) {
    case LUMTREEN_LBUTTONDOWN + LUMTREEHIT_BUTTON: ToggleFolder(Send(LUMTREEM_GETCARET)); break;
    case LUMTREEN_LBUTTONDOWN + LUMTREEHIT_HEADER:
        // The header stays pressed: it shows the column the rows are sorted by.
        SortByColumn(Send(LUMTREEM_GETLASTCLICKCOLUMN));
        break;
    case LUMTREEN_BEGINDRAG: g_dragSource = Send(LUMTREEM_GETCARET); break;
    case LUMTREEN_DROP: {
        const int target = Send(LUMTREEM_GETDROPTARGET);
        Send(LUMTREEM_SETDROPTARGET, static_cast<WPARAM>(-1));
        MoveSubtree(g_dragSource, target);
        g_dragSource = -1;
        break;
    }
    case LUMTREEN_CANCELDRAG:
        Send(LUMTREEM_SETDROPTARGET, static_cast<WPARAM>(-1));
        g_dragSource = -1;
        break;
    default: break;
    }
}

// The mouse messages of a hand on the control, at client points.
void Mouse(UINT msg, POINT p, WPARAM keys) {
    SendMessageA(g_tree, msg, keys, MAKELPARAM(p.x, p.y));
}
POINT RowPoint(int i) {
    RECT rc{};
    Send(LUMTREEM_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&rc));
    return POINT{rc.right - 60, (rc.top + rc.bottom) / 2}; // on the date
}

// For the screenshot: the Size column pulled wider by its divider, then "README.md" dragged
// over "Website" and held there.
void ShowMouseAtWork() {
    RECT size{};
    Send(LUMTREEM_GETCOLUMNHEADERRECT, 1, reinterpret_cast<LPARAM>(&size));
    const int y = (size.top + size.bottom) / 2;
    Mouse(WM_LBUTTONDOWN, POINT{size.right - 1, y}, MK_LBUTTON);
    Mouse(WM_MOUSEMOVE, POINT{size.right + 24, y}, MK_LBUTTON);
    Mouse(WM_LBUTTONUP, POINT{size.right + 24, y}, 0);
    const POINT from = RowPoint(8), over = RowPoint(9);
    Mouse(WM_LBUTTONDOWN, from, MK_LBUTTON);
    Mouse(WM_MOUSEMOVE, POINT{from.x + 12, from.y + 6}, MK_LBUTTON);
    Mouse(WM_MOUSEMOVE, over, MK_LBUTTON);
}

// ---- Renaming in place: an EDIT over the name cell of the caret item. The library's hooks
// (LumTree_RegisterApp2) turn Tab, Escape and clicks elsewhere into LUMTREEN_QUERYENDEDIT and
// LUMTREEN_ENDEDIT; the control sends LUMTREEN_ENDEDIT before any change of its own. ----
void EndRename(bool keep) {
    if (!g_editor) return;
    HWND editor = g_editor;
    g_editor = nullptr;
    TCHAR name[256];
    GetWindowText(editor, name, static_cast<int>(std::size(name)));
    if (keep && name[0]) {
        SendMessageA(g_tree, LUMTREEM_SETTEXT, static_cast<WPARAM>(g_edited),
                     reinterpret_cast<LPARAM>(name));
    }
    DestroyWindow(editor);
    SetFocus(g_tree);
}

void BeginRename() {
    EndRename(true);
    int column = 0;
    auto *cell = reinterpret_cast<const RECT *>(SendMessageA(
        g_tree, LUMTREEM_GETCELLRECT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&column)));
    if (!cell) return;
    g_edited = static_cast<int>(SendMessageA(g_tree, LUMTREEM_GETCARET, 0, 0));
    TCHAR name[256] = {};
    SendMessageA(g_tree, LUMTREEM_GETTEXT, static_cast<WPARAM>(g_edited),
                 reinterpret_cast<LPARAM>(name));
    g_editor =
        CreateWindowEx(0, TEXT("EDIT"), name, WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL,
                       cell->left, cell->top, cell->right - cell->left, cell->bottom - cell->top,
                       g_tree, nullptr, nullptr, nullptr);
    SendMessageA(g_editor, WM_SETFONT, SendMessageA(g_tree, WM_GETFONT, 0, 0), FALSE);
    SendMessageA(g_editor, EM_SETSEL, 0, -1);
    SetFocus(g_editor);
}

LRESULT CALLBACK FrameProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_CREATE:
        if (g_platform) {
            g_tree = CreateWindowEx(WS_EX_CLIENTEDGE, WC_TREEVIEW, TEXT(""),
                                    WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | TVS_HASLINES |
                                        TVS_HASBUTTONS | TVS_LINESATROOT | TVS_SHOWSELALWAYS,
                                    0, 0, 0, 0, w, reinterpret_cast<HMENU>(kTreeId),
                                    GetModuleHandleA(nullptr), nullptr);
        } else {
            g_tree = CreateWindowEx(WS_EX_CLIENTEDGE, LUMTREE_CLASSNAME, TEXT(""),
                                    WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP |
                                        LUMTREESTYLE_NOTIFY | LUMTREESTYLE_MULTIPLESEL |
                                        LUMTREESTYLE_DRAGDROP,
                                    0, 0, 0, 0, w, reinterpret_cast<HMENU>(kTreeId),
                                    GetModuleHandleA(nullptr), nullptr);
        }
        return g_tree ? 0 : -1;
    case WM_SIZE: MoveWindow(g_tree, 8, 8, LOWORD(lp) - 16, HIWORD(lp) - 16, TRUE); return 0;
    case WM_SETFOCUS: SetFocus(g_tree); return 0;
    case WM_COMMAND:
        if (!g_platform && reinterpret_cast<HWND>(lp) == g_tree) {
            const int code = HIWORD(wp);
            // The hooks ask on Tab and clicks elsewhere: keep the name. Escape orders the end
            // while the key is down: cancel. Any other request comes before a change: keep.
            if (code == LUMTREEN_QUERYENDEDIT) EndRename(true);
            if (code == LUMTREEN_ENDEDIT) EndRename(!(GetAsyncKeyState(VK_ESCAPE) & 0x8000));
            OnTreeNotification(code);
        }
        return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    default: return DefWindowProc(w, msg, wp, lp);
    }
}

const char *Option(const std::string &args, const char *name) {
    const size_t n = std::strlen(name);
    if (args.compare(0, n, name) != 0 || args.size() <= n + 1) return nullptr;
    return args.c_str() + n + 1;
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR cmdLine, int show) {
    LumTree_RegisterApp2(instance); // the hooks that end renaming on Tab, Escape and clicks
    // The controls hand screen readers their accessible object only on a thread with COM.
    CoInitialize(nullptr);
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_TREEVIEW_CLASSES};
    InitCommonControlsEx(&icc);
    const std::string args = cmdLine ? cmdLine : "";
    const char *screenshot = Option(args, "--screenshot");
    if (const char *platform = Option(args, "--platform-screenshot")) {
        screenshot = platform;
        g_platform = true;
    }

    WNDCLASS wc{};
    wc.lpfnWndProc = FrameProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = TEXT("LumTreeDemo");
    RegisterClass(&wc);
    const TCHAR *title =
        g_platform ? TEXT("SysTreeView32, the same items") : TEXT("LumTree sample");
    HWND frame = CreateWindowEx(0, wc.lpszClassName, title, WS_OVERLAPPEDWINDOW, 40, 40,
                                g_platform ? 300 : 520, 400, nullptr, nullptr, instance, nullptr);
    if (!frame) return 1;
    HFONT font = CreateFont(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0,
                            CLEARTYPE_QUALITY, 0, TEXT("Tahoma"));
    const Pictures pictures = MakePictures();
    // Shown first, so that the tree has its size when the caret is scrolled into view.
    ShowWindow(frame, screenshot ? SW_SHOWNORMAL : show);
    if (g_platform) {
        FillPlatformTree(g_tree, font, pictures);
    } else {
        FillTree(g_tree, font, pictures);
    }
    UpdateWindow(frame);
    SetFocus(g_tree);

    int result = 0;
    if (screenshot) {
        if (!g_platform) ShowMouseAtWork();
        bool ok = screen::CaptureWindow(frame, screenshot);
        DestroyWindow(frame);
        std::printf("%s %s\n", ok ? "Screenshot written to" : "Could not write", screenshot);
        result = ok ? 0 : 1;
    } else {
        MSG msg;
        while (GetMessage(&msg, nullptr, 0, 0) > 0) {
            if (msg.message == WM_KEYDOWN && msg.wParam == VK_F2 && msg.hwnd == g_tree &&
                !g_platform) {
                BeginRename();
                continue;
            }
            if (msg.message == WM_KEYDOWN && msg.wParam == VK_RETURN && msg.hwnd == g_editor) {
                EndRename(true);
                continue;
            }
            TranslateMessage(&msg);
            DispatchMessage(&msg);
        }
    }
    LumTree_UnregisterApp2(instance);
    DeleteObject(font);
    for (HBITMAP b : {pictures.closed, pictures.open, pictures.document}) DeleteObject(b);
    return result;
}
