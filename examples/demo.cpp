// LumTree sample application: a project browser in one tree control, with three columns under
// a header bar, numbered row labels, folder and document pictures, a selected and a disabled
// item. F2 renames the caret item in place (Enter or Tab or a click elsewhere keeps the new
// name, Escape cancels); the wheel scrolls.
//
//   lumtree_demo.exe                          shows the window until it is closed
//   lumtree_demo.exe --screenshot F           paints the window, writes it to the PNG file F
//   lumtree_demo.exe --platform-screenshot F  the same items in the platform's own tree view
//                                             (SysTreeView32), for comparing the two
#include "lumtree/lumtree.h"
#include "png.h"

#include <commctrl.h>

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
HWND g_editor = nullptr; // the in-place editor while an item is being renamed
int g_edited = -1;

// One row of the sample: name, level, size, date; the disabled and selected ones are marked.
struct Row {
    const char *name;
    int level;
    const char *size;
    const char *modified;
};
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
void SetCellText(HWND tree, int item, int column, const char *text) {
    SendMessageA(tree, LUMTREEM_SETTEXTCOLUMN, static_cast<WPARAM>(column), 0);
    SendMessageA(tree, LUMTREEM_SETTEXT, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(text));
}

void FillTree(HWND tree, HFONT font, const Pictures &pictures) {
    SendMessageA(tree, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    SendMessageA(tree, LUMTREEM_SETHEADERFONT, reinterpret_cast<WPARAM>(font), FALSE);
    SendMessageA(tree, LUMTREEM_SETLABELFONT, reinterpret_cast<WPARAM>(font), FALSE);

    char name[] = "Name", size[] = "Size", modified[] = "Modified";
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
    const int logs = LumTreeEx_InsertItem_DLL(tree, -1, 0, "Logs", 0, 0);
    for (int k = 1; k <= 40; ++k) {
        char log[32];
        std::snprintf(log, sizeof(log), "Log %02d.txt", k);
        LumTreeEx_InsertItem_DLL(tree, -1, 1, log, 0, 0);
    }
    SendMessageA(tree, LUMTREEM_EXPAND, static_cast<WPARAM>(logs), MAKELPARAM(FALSE, FALSE));
    SendMessageA(tree, LUMTREEM_SETTEXTCOLUMN, 0, 0);
    SendMessageA(tree, LUMTREEM_SETLABELWIDTH, static_cast<WPARAM>(-1), 0); // fit the numbers
    SendMessageA(tree, LUMTREEM_EXPAND, kCollapsed, MAKELPARAM(FALSE, FALSE));
    SendMessageA(tree, LUMTREEM_ENABLEITEM, kDisabled, FALSE);
    SendMessageA(tree, LUMTREEM_SETSELECTION, kSelected, 0);
    SendMessageA(tree, LUMTREEM_SETCARET, kSelected, 0);
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
        TVINSERTSTRUCTA ins{};
        ins.hParent = parents[row.level];
        ins.hInsertAfter = TVI_LAST;
        ins.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
        ins.item.pszText = const_cast<char *>(row.name);
        const bool folder = IsFolder(static_cast<int>(i));
        ins.item.iImage = folder ? 0 : 2;
        ins.item.iSelectedImage = folder ? 1 : 2;
        items[i] = reinterpret_cast<HTREEITEM>(
            SendMessageA(tree, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&ins)));
        parents[row.level + 1] = items[i];
    }
    for (size_t i = 0; i < std::size(kRows); ++i) {
        if (IsFolder(static_cast<int>(i)) && static_cast<int>(i) != kCollapsed) {
            SendMessageA(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(items[i]));
        }
    }
    SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(items[kSelected]));
}

// ---- Renaming in place: an EDIT over the name cell of the caret item. The library's hooks
// (LumTree_RegisterApp2) turn Tab, Escape and clicks elsewhere into LUMTREEN_QUERYENDEDIT and
// LUMTREEN_ENDEDIT; the control sends LUMTREEN_ENDEDIT before any change of its own. ----
void EndRename(bool keep) {
    if (!g_editor) return;
    HWND editor = g_editor;
    g_editor = nullptr;
    char name[256];
    GetWindowTextA(editor, name, sizeof(name));
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
    char name[256] = "";
    SendMessageA(g_tree, LUMTREEM_GETTEXT, static_cast<WPARAM>(g_edited),
                 reinterpret_cast<LPARAM>(name));
    g_editor = CreateWindowExA(0, "EDIT", name, WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL,
                               cell->left, cell->top, cell->right - cell->left,
                               cell->bottom - cell->top, g_tree, nullptr, nullptr, nullptr);
    SendMessageA(g_editor, WM_SETFONT, SendMessageA(g_tree, WM_GETFONT, 0, 0), FALSE);
    SendMessageA(g_editor, EM_SETSEL, 0, -1);
    SetFocus(g_editor);
}

LRESULT CALLBACK FrameProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_CREATE:
        if (g_platform) {
            g_tree =
                CreateWindowExA(WS_EX_CLIENTEDGE, WC_TREEVIEWA, "",
                                WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | TVS_HASLINES |
                                    TVS_HASBUTTONS | TVS_LINESATROOT | TVS_SHOWSELALWAYS,
                                0, 0, 0, 0, w, reinterpret_cast<HMENU>(kTreeId),
                                GetModuleHandleA(nullptr), nullptr);
        } else {
            g_tree = CreateWindowExA(
                WS_EX_CLIENTEDGE, LUMTREE_CLASSNAME, "",
                WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | LUMTREESTYLE_NOTIFY, 0, 0, 0, 0,
                w, reinterpret_cast<HMENU>(kTreeId), GetModuleHandleA(nullptr), nullptr);
        }
        return g_tree ? 0 : -1;
    case WM_SIZE: MoveWindow(g_tree, 8, 8, LOWORD(lp) - 16, HIWORD(lp) - 16, TRUE); return 0;
    case WM_SETFOCUS: SetFocus(g_tree); return 0;
    case WM_COMMAND:
        // A click on an expand button asks the application to open or close the item.
        if (!g_platform && reinterpret_cast<HWND>(lp) == g_tree) {
            const int code = HIWORD(wp);
            // The hooks ask on Tab and clicks elsewhere: keep the name. Escape orders the end
            // while the key is down: cancel. Any other request comes before a change: keep.
            if (code == LUMTREEN_QUERYENDEDIT) EndRename(true);
            if (code == LUMTREEN_ENDEDIT) EndRename(!(GetAsyncKeyState(VK_ESCAPE) & 0x8000));
            if (code == LUMTREEN_LBUTTONDOWN + LUMTREEHIT_BUTTON) {
                auto caret = SendMessageA(g_tree, LUMTREEM_GETCARET, 0, 0);
                bool open =
                    SendMessageA(g_tree, LUMTREEM_ISEXPANDED, static_cast<WPARAM>(caret), 0);
                SendMessageA(g_tree, LUMTREEM_EXPAND, static_cast<WPARAM>(caret),
                             MAKELPARAM(!open, FALSE));
            }
        }
        return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    default: return DefWindowProcA(w, msg, wp, lp);
    }
}

// Captures the window: its frame as it is on the screen, and the tree as it draws itself into
// the picture (WM_PRINT), so that the tree does not depend on when the screen was last brought
// up to date.
bool Screenshot(HWND w, HWND tree, const char *path) {
    RedrawWindow(w, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
    RECT rc, treeRect;
    GetWindowRect(w, &rc);
    GetWindowRect(tree, &treeRect);
    int width = rc.right - rc.left, height = rc.bottom - rc.top;
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = -height;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    HDC screen = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    void *bits = nullptr;
    HBITMAP bmp = CreateDIBSection(mem, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(mem, bmp);
    BitBlt(mem, 0, 0, width, height, screen, rc.left, rc.top, SRCCOPY);
    SetViewportOrgEx(mem, treeRect.left - rc.left, treeRect.top - rc.top, nullptr);
    SendMessageA(tree, WM_PRINT, reinterpret_cast<WPARAM>(mem),
                 PRF_NONCLIENT | PRF_CLIENT | PRF_ERASEBKGND);
    SetViewportOrgEx(mem, 0, 0, nullptr);
    GdiFlush();
    std::vector<uint32_t> pixels(static_cast<const uint32_t *>(bits),
                                 static_cast<const uint32_t *>(bits) +
                                     static_cast<size_t>(width) * height);
    SelectObject(mem, old);
    DeleteObject(bmp);
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);
    return png::WritePng(path, width, height, pixels);
}

const char *Option(const std::string &args, const char *name) {
    const size_t n = std::strlen(name);
    if (args.compare(0, n, name) != 0 || args.size() <= n + 1) return nullptr;
    return args.c_str() + n + 1;
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR cmdLine, int show) {
    LumTree_RegisterApp2(instance); // the hooks that end renaming on Tab, Escape and clicks
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_TREEVIEW_CLASSES};
    InitCommonControlsEx(&icc);
    const std::string args = cmdLine ? cmdLine : "";
    const char *screenshot = Option(args, "--screenshot");
    if (const char *platform = Option(args, "--platform-screenshot")) {
        screenshot = platform;
        g_platform = true;
    }

    WNDCLASSA wc{};
    wc.lpfnWndProc = FrameProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = "LumTreeDemo";
    RegisterClassA(&wc);
    const char *title = g_platform ? "SysTreeView32, the same items" : "LumTree sample";
    HWND frame = CreateWindowExA(0, wc.lpszClassName, title, WS_OVERLAPPEDWINDOW, 40, 40,
                                 g_platform ? 300 : 520, 400, nullptr, nullptr, instance, nullptr);
    if (!frame) return 1;
    HFONT font = CreateFontA(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0,
                             CLEARTYPE_QUALITY, 0, "Tahoma");
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
        MSG msg;
        for (int n = 0; n < 10; ++n) { // let the frame reach the screen
            while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
            Sleep(20);
        }
        bool ok = Screenshot(frame, g_tree, screenshot);
        DestroyWindow(frame);
        std::printf("%s %s\n", ok ? "Screenshot written to" : "Could not write", screenshot);
        result = ok ? 0 : 1;
    } else {
        MSG msg;
        while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
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
            DispatchMessageA(&msg);
        }
    }
    LumTree_UnregisterApp2(instance);
    DeleteObject(font);
    for (HBITMAP b : {pictures.closed, pictures.open, pictures.document}) DeleteObject(b);
    return result;
}
