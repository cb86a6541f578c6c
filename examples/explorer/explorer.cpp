// LumTree explorer: a folder of the file system in one tree control, using the control the way
// an application does, through the typed helpers of lumtree/lumtreex.h.
//   - The folder is the root item; a folder's children are read from the disk when it is first
//     opened: an unread folder holds one blank placeholder child so that it gets an expand
//     button, and the expand-button report (a click, or the numeric-pad + and -) is answered by
//     reading the folder and expanding it (LumTree_ExpandButtonItem, LUMTREEM_EXPAND).
//   - Name, Size, Type and Modified columns; a header click sorts every folder's children by
//     that column (folders first), a second click on the same header reverses the order.
//   - Row labels carry the kind of each row; folder, document and source pictures are node
//     bitmaps drawn in code.
//   - Multiple selection with clicks, Shift and Ctrl; the selected rows dragged onto a folder
//     move there with their subtrees (LumTree_MoveSubtree). Only the tree changes, never the
//     disk.
//   - F2, or a slow second click on the caret item, renames it in an EDIT over its name: Enter,
//     Tab or a click elsewhere keeps the new name, Escape cancels (the hooks installed by
//     LumTree_RegisterApp2 report Tab, Escape and clicks as LUMTREEN_QUERYENDEDIT and
//     LUMTREEN_ENDEDIT). Renaming changes the tree's text only.
//   - Hot tracking follows the pointer; the wheel scrolls; the status bar names the
//     notifications as they arrive.
//
//   lumtree_explorer.exe [FOLDER]                 shows FOLDER (default: the current directory)
//   lumtree_explorer.exe --script [--screenshot DIR] [--outline FILE] [FOLDER]
//       plays a short session with the mouse and keys (expand a folder, select two files,
//       rename one, cancel a rename, drag the two onto another folder, close the first folder,
//       widen the Size column and sort by it), writes the screen's picture of the window at four
//       moments to DIR\explorer-1.png ... DIR\explorer-4.png, and the final tree as text (one
//       line per row) to FILE and to the standard output. Exit code 0 when every step did what
//       it should, 1 when one did not (it is named on the standard error) or FOLDER is not a
//       folder.
#include "../screen.h"
#include "lumtree/lumtreex.h"
#include "pictures.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <deque>
#include <string>
#include <vector>

namespace {

using explorer::Pictures;

constexpr int kTreeId = 1;
constexpr int kStatusId = 2;
constexpr UINT_PTR kRenameTimer = 1;
enum Column { kName, kSize, kType, kModified, kColumnCount };

// ---- The file system: one record per item (the item's data), never freed before exit ----
struct Entry {
    std::string path; // full path on disk
    std::string name; // the name on disk (the tree's text may have been renamed)
    bool folder = false;
    bool read = false; // a folder's children are in the tree
    ULONGLONG size = 0;
    FILETIME modified{};
};
std::deque<Entry> g_entries; // stable addresses

std::string Extension(const std::string &name) {
    const size_t dot = name.rfind('.');
    return dot == std::string::npos || dot == 0 ? std::string() : name.substr(dot + 1);
}
std::string Upper(std::string s) {
    if (!s.empty()) CharUpperBuffA(s.data(), static_cast<DWORD>(s.size()));
    return s;
}
bool IsSource(const Entry &e) {
    const std::string ext = Upper(Extension(e.name));
    return ext == "C" || ext == "CPP" || ext == "H" || ext == "DEF" || ext == "RC";
}
std::string TypeText(const Entry &e) {
    if (e.folder) return "Folder";
    const std::string ext = Upper(Extension(e.name));
    return ext.empty() ? "File" : ext + " file";
}
std::string SizeText(const Entry &e) {
    if (e.folder) return "";
    char text[32];
    if (e.size < 1024) {
        std::snprintf(text, sizeof(text), "%llu B", e.size);
    } else {
        std::snprintf(text, sizeof(text), "%llu KB", (e.size + 1023) / 1024);
    }
    return text;
}
std::string TimeText(const FILETIME &t) {
    FILETIME local;
    SYSTEMTIME s;
    if (!FileTimeToLocalFileTime(&t, &local) || !FileTimeToSystemTime(&local, &s)) return "";
    char text[32];
    std::snprintf(text, sizeof(text), "%04u-%02u-%02u %02u:%02u", s.wYear, s.wMonth, s.wDay,
                  s.wHour, s.wMinute);
    return text;
}

// Folders first, then by name regardless of case.
bool DiskOrder(const Entry &a, const Entry &b) {
    if (a.folder != b.folder) return a.folder;
    return lstrcmpiA(a.name.c_str(), b.name.c_str()) < 0;
}

// The entries of a folder in disk order ("." and ".." left out); `limit` stops early.
std::vector<Entry> ReadFolder(const std::string &path, size_t limit = SIZE_MAX) {
    std::vector<Entry> entries;
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA((path + "\\*").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE) return entries;
    do {
        if (!std::strcmp(found.cFileName, ".") || !std::strcmp(found.cFileName, "..")) continue;
        Entry e;
        e.name = found.cFileName;
        e.path = path + "\\" + e.name;
        e.folder = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        e.size = (static_cast<ULONGLONG>(found.nFileSizeHigh) << 32) | found.nFileSizeLow;
        e.modified = found.ftLastWriteTime;
        entries.push_back(std::move(e));
    } while (entries.size() < limit && FindNextFileA(find, &found));
    FindClose(find);
    std::sort(entries.begin(), entries.end(), DiskOrder);
    return entries;
}

// ---- The window and its state ----
HWND g_frame = nullptr;
lumtree::Tree g_tree;
HWND g_status = nullptr;
Pictures g_pictures{};
int g_sortColumn = -1;
bool g_sortDescending = false;
// Renaming: the editor over the name cell, the item it renames.
HWND g_editor = nullptr;
int g_renamed = -1;
// A slow second click: the item of the last click on an item text and when it was.
int g_lastClicked = -1;
DWORD g_lastClickTime = 0;
int g_lastPress = -1; // the last mouse-press code reported

Entry *EntryOf(int item) {
    return reinterpret_cast<Entry *>(g_tree.Data(item));
}

// Appends (position -1 or past the end) or inserts one row for an entry; a folder that is not
// empty gets a placeholder child and is collapsed. Returns the position after the row.
int AddRow(int position, int level, Entry &e) {
    const int item = g_tree.Insert(position, e.name.c_str(), level);
    if (item < 0) return position;
    g_tree.SetData(item, reinterpret_cast<DWORD_PTR>(&e));
    g_tree.SetCellText(item, kSize, SizeText(e).c_str());
    g_tree.SetCellText(item, kType, TypeText(e).c_str());
    g_tree.SetCellText(item, kModified, TimeText(e.modified).c_str());
    const std::string ext = Upper(Extension(e.name));
    LumTree_SetLabelText(g_tree, item, e.folder ? "DIR" : ext.empty() ? "-" : ext.c_str());
    if (!e.folder && IsSource(e)) LumTree_SetNodeBitmap(g_tree, item, g_pictures.source);
    if (e.folder && !ReadFolder(e.path, 1).empty()) {
        g_tree.Insert(item + 1, "", level + 1); // placeholder: gives the folder its button
        g_tree.Collapse(item);
        return item + 2;
    }
    return item + 1;
}

// Replaces the placeholder of an unread folder by its entries (they come expanded, since a
// child's level opens its parent).
void ReadChildren(int item) {
    Entry *folder = EntryOf(item);
    if (!folder || !folder->folder || folder->read) return;
    folder->read = true;
    SendMessageA(g_tree, WM_SETREDRAW, FALSE, 0);
    g_tree.DeleteChildren(item);
    int position = item + 1;
    const int level = g_tree.Level(item) + 1;
    for (Entry &e : ReadFolder(folder->path)) {
        g_entries.push_back(std::move(e));
        position = AddRow(position, level, g_entries.back());
    }
    SendMessageA(g_tree, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(g_tree, nullptr, FALSE);
}

// Opens a folder, reading it first when it has not been read, or closes it.
void OpenOrClose(int item) {
    const Entry *e = EntryOf(item);
    if (e && e->folder && !e->read) {
        ReadChildren(item);
        g_tree.Expand(item);
    } else {
        g_tree.Toggle(item);
    }
}

// ---- Sorting by a column: folders first, then by the column, then by name ----
INT CALLBACK CompareRows(HWND, LPCSTR name1, LPCSTR name2, DWORD_PTR data1, DWORD_PTR data2) {
    const auto *a = reinterpret_cast<const Entry *>(data1);
    const auto *b = reinterpret_cast<const Entry *>(data2);
    if (!a || !b) return 0;
    if (a->folder != b->folder) return a->folder ? -1 : 1;
    int order = 0;
    switch (g_sortColumn) {
    case kSize: order = a->size < b->size ? -1 : a->size > b->size ? 1 : 0; break;
    case kType: order = lstrcmpiA(TypeText(*a).c_str(), TypeText(*b).c_str()); break;
    case kModified: order = CompareFileTime(&a->modified, &b->modified); break;
    default: break;
    }
    if (order == 0) order = lstrcmpiA(name1 ? name1 : "", name2 ? name2 : "");
    return g_sortDescending ? -order : order;
}

// Sorting a folder reorders only the rows after it, so one pass from the top sorts them all.
void SortBy(int column) {
    if (column < 0 || column >= kColumnCount) return;
    g_sortDescending = column == g_sortColumn && !g_sortDescending;
    g_sortColumn = column;
    // Rows move but the caret stays at its index: it is put back on its row afterwards.
    const DWORD_PTR caret = g_tree.Data(g_tree.Caret());
    SendMessageA(g_tree, WM_SETREDRAW, FALSE, 0);
    for (int i = 0; i < g_tree.Count(); ++i) {
        if (g_tree.ChildCount(i) > 1) LumTree_SortChildrenCB(g_tree, i, CompareRows);
    }
    if (caret) g_tree.SetCaret(LumTree_FindData(g_tree, 0, caret));
    SendMessageA(g_tree, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(g_tree, nullptr, FALSE);
}

// ---- Drag and drop: the selected rows move under the folder they were dropped on ----
bool HasSelectedAncestor(int item) {
    for (int p = g_tree.Parent(item); p >= 0; p = g_tree.Parent(p)) {
        if (g_tree.IsSelected(p) == 1) return true;
    }
    return false;
}

// Moving expands the moved subtree; unread folders in it close again over their placeholder.
void CloseUnreadFolders(int first) {
    const int end = first + 1 + g_tree.ChildCount(first, true);
    for (int i = first; i < end; ++i) {
        const Entry *e = EntryOf(i);
        if (e && e->folder && !e->read) g_tree.Collapse(i);
    }
}

void Drop() {
    int target = LumTree_GetDropTarget(g_tree);
    LumTree_SetDropTarget(g_tree, -1, FALSE);
    const Entry *onto = EntryOf(target);
    if (onto && !onto->folder) target = g_tree.Parent(target); // onto a file: into its folder
    Entry *folder = EntryOf(target);
    if (!folder) return;
    ReadChildren(target);
    // The moved rows are found again by their data, since every move shifts the indexes.
    std::vector<INT> selected(static_cast<size_t>(std::max(g_tree.SelCount(), 0)));
    selected.resize(static_cast<size_t>(
        std::max(g_tree.SelItems(selected.data(), static_cast<int>(selected.size())), 0)));
    std::vector<DWORD_PTR> moving;
    for (INT i : selected) {
        if (!HasSelectedAncestor(i) && g_tree.Data(i)) moving.push_back(g_tree.Data(i));
    }
    SendMessageA(g_tree, WM_SETREDRAW, FALSE, 0);
    bool refused = false;
    for (DWORD_PTR data : moving) {
        const int source = LumTree_FindData(g_tree, 0, data);
        const int t = LumTree_FindData(g_tree, 0, reinterpret_cast<DWORD_PTR>(folder));
        const int end = t + 1 + g_tree.ChildCount(t, true);
        const int moved = g_tree.MoveSubtree(source, end, g_tree.Level(t) + 1);
        if (moved < 0) {
            refused = true; // onto itself or into its own subtree
            continue;
        }
        CloseUnreadFolders(moved);
    }
    g_tree.Expand(LumTree_FindData(g_tree, 0, reinterpret_cast<DWORD_PTR>(folder)));
    // The moved rows stay selected where they landed, the caret on the first of them.
    g_tree.SelectItem(-1, false);
    for (DWORD_PTR data : moving) g_tree.SelectItem(LumTree_FindData(g_tree, 0, data));
    if (!moving.empty()) g_tree.SetCaret(LumTree_FindData(g_tree, 0, moving.front()));
    SendMessageA(g_tree, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(g_tree, nullptr, FALSE);
    if (refused) MessageBeep(MB_ICONWARNING);
}

// ---- Renaming in place ----
void EndRename(bool keep) {
    if (!g_editor) return;
    HWND editor = g_editor;
    g_editor = nullptr; // first: the new text must not end the editing again
    char name[MAX_PATH];
    GetWindowTextA(editor, name, sizeof(name));
    DestroyWindow(editor);
    if (keep && name[0]) g_tree.SetText(g_renamed, name);
    SetFocus(g_tree);
}

void BeginRename(int item) {
    EndRename(true);
    if (!EntryOf(item)) return;
    g_tree.EnsureVisible(item);
    RECT cell;
    if (!LumTree_GetCellRect(g_tree, item, kName, &cell)) return;
    g_renamed = item;
    g_editor = CreateWindowExA(0, "EDIT", g_tree.Text(item).c_str(),
                               WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, cell.left,
                               cell.top, cell.right - cell.left, cell.bottom - cell.top, g_tree,
                               nullptr, GetModuleHandleA(nullptr), nullptr);
    SendMessageA(g_editor, WM_SETFONT, SendMessageA(g_tree, WM_GETFONT, 0, 0), FALSE);
    SendMessageA(g_editor, EM_SETSEL, 0, -1);
    SetFocus(g_editor);
}

// A press on the text of the item that was already the caret, longer than a double-click
// after the previous press on it, renames it once a double-click time has passed without a
// double-click or a drag, if it is still the caret then. Ctrl and Shift presses select only.
void OnItemPress() {
    const int caret =
        GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_SHIFT) < 0 ? -1 : g_tree.Caret();
    const DWORD now = GetTickCount();
    if (caret == g_lastClicked && now - g_lastClickTime > GetDoubleClickTime()) {
        SetTimer(g_frame, kRenameTimer, GetDoubleClickTime(), nullptr);
    }
    g_lastClicked = caret;
    g_lastClickTime = now;
}

// ---- The status line ----
const char *const kHitNames[] = {"BITMAP", "STATEBITMAP", "INDENT", "BUTTON", "NODEBITMAP",
                                 "ITEM",   "HEADER",      "CORNER", "LABEL"};

// The name of a notification code; a mouse code is its base and the area hit.
std::string NotificationName(int code) {
    struct Named {
        int code;
        const char *name;
        bool mouse; // a base to which a LUMTREEHIT_* area is added
    };
    static const Named kNames[] = {
        {LUMTREEN_KILLFOCUS, "KILLFOCUS", false},
        {LUMTREEN_SETFOCUS, "SETFOCUS", false},
        {LUMTREEN_SELCLEAR, "SELCLEAR", false},
        {LUMTREEN_SELCHANGE, "SELCHANGE", false},
        {LUMTREEN_CARETCHANGE, "CARETCHANGE", false},
        {LUMTREEN_TOPCHANGE, "TOPCHANGE", false},
        {LUMTREEN_BEGINDRAG, "BEGINDRAG", false},
        {LUMTREEN_DRAGOVER, "DRAGOVER", false},
        {LUMTREEN_DROP, "DROP", false},
        {LUMTREEN_CANCELDRAG, "CANCELDRAG", false},
        {LUMTREEN_COLUMNRESIZE, "COLUMNRESIZE", false},
        {LUMTREEN_ENDEDIT, "ENDEDIT", false},
        {LUMTREEN_QUERYENDEDIT, "QUERYENDEDIT", false},
        {LUMTREEN_HSCROLL, "HSCROLL", false},
        {LUMTREEN_MOUSEMOVE, "MOUSEMOVE", false},
        {LUMTREEN_TREEWIDTHCHANGE, "TREEWIDTHCHANGE", false},
        {LUMTREEN_LBUTTONUP, "LBUTTONUP", false},
        {LUMTREEN_RBUTTONUP, "RBUTTONUP", false},
        {LUMTREEN_RBUTTONUPHEADER, "RBUTTONUPHEADER", false},
        {LUMTREEN_LBUTTONDOWN, "LBUTTONDOWN", true},
        {LUMTREEN_LBUTTONDBLCLK, "LBUTTONDBLCLK", true},
        {LUMTREEN_RBUTTONDOWN, "RBUTTONDOWN", true},
        {LUMTREEN_RBUTTONDBLCLK, "RBUTTONDBLCLK", true},
    };
    for (const Named &n : kNames) {
        const int hit = code - n.code;
        if (!n.mouse && hit == 0) return n.name;
        if (n.mouse && hit >= 0 && hit < static_cast<int>(std::size(kHitNames))) {
            return std::string(n.name) + "+" + kHitNames[hit];
        }
    }
    return "code " + std::to_string(code);
}

// The newest notifications, oldest first; a run of the same one is counted, not repeated.
struct NoteRun {
    std::string name;
    int times;
};
std::deque<NoteRun> g_notes;

void Note(int code) {
    std::string name = NotificationName(code);
    if (!g_notes.empty() && g_notes.back().name == name) {
        ++g_notes.back().times;
    } else {
        g_notes.push_back(NoteRun{std::move(name), 1});
        if (g_notes.size() > 5) g_notes.pop_front();
    }
    std::string line;
    for (const NoteRun &run : g_notes) {
        if (!line.empty()) line += "  >  ";
        line += run.name;
        if (run.times > 1) line += " x" + std::to_string(run.times);
    }
    SetWindowTextA(g_status, line.c_str());
}

// ---- What the application does with the control's reports ----
void OnTreeCommand(WPARAM wp, LPARAM lp) {
    const int code = HIWORD(wp);
    Note(code);
    if (code >= LUMTREEN_LBUTTONDOWN && code < LUMTREEN_LBUTTONUP) g_lastPress = code;
    // Tab and clicks elsewhere ask: keep the name. Escape orders the end while the key is
    // down: cancel. Any other order comes before a change of the control: keep.
    if (code == LUMTREEN_QUERYENDEDIT) EndRename(true);
    if (code == LUMTREEN_ENDEDIT) EndRename(!(GetAsyncKeyState(VK_ESCAPE) & 0x8000));

    const int expand = LumTree_ExpandButtonItem(wp, lp);
    if (expand >= 0) {
        OpenOrClose(expand);
        return;
    }
    switch (code) {
    case LUMTREEN_LBUTTONDOWN + LUMTREEHIT_ITEM: OnItemPress(); break;
    case LUMTREEN_LBUTTONDBLCLK + LUMTREEHIT_ITEM: // opens a folder, never renames
        KillTimer(g_frame, kRenameTimer);
        OpenOrClose(g_tree.Caret());
        break;
    case LUMTREEN_BEGINDRAG: KillTimer(g_frame, kRenameTimer); break;
    case LUMTREEN_LBUTTONDOWN + LUMTREEHIT_HEADER:
        SortBy(LumTree_GetLastClickColumn(g_tree));
        break;
    case LUMTREEN_DROP: Drop(); break;
    case LUMTREEN_CANCELDRAG: LumTree_SetDropTarget(g_tree, -1, FALSE); break;
    default: break;
    }
}

// Keys the application handles before the control or the editor sees them: F2 renames, Enter
// in the editor keeps the name, Escape cancels (the hooks take Escape first when they are
// installed). True when handled.
bool PreTranslate(const MSG &msg) {
    if (msg.message != WM_KEYDOWN) return false;
    if (msg.hwnd == g_tree && msg.wParam == VK_F2) {
        BeginRename(g_tree.Caret());
        return true;
    }
    if (msg.hwnd == g_editor && g_editor && (msg.wParam == VK_RETURN || msg.wParam == VK_ESCAPE)) {
        EndRename(msg.wParam == VK_RETURN);
        return true;
    }
    return false;
}

void CreateTree(HWND frame) {
    g_tree = CreateWindowExA(WS_EX_CLIENTEDGE, LUMTREE_CLASSNAME, "",
                             WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | LUMTREESTYLE_NOTIFY |
                                 LUMTREESTYLE_MULTIPLESEL | LUMTREESTYLE_DRAGDROP,
                             0, 0, 0, 0, frame, reinterpret_cast<HMENU>(kTreeId),
                             GetModuleHandleA(nullptr), nullptr);
    g_status = CreateWindowExA(0, STATUSCLASSNAMEA, "", WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, 0,
                               0, 0, 0, frame, reinterpret_cast<HMENU>(kStatusId),
                               GetModuleHandleA(nullptr), nullptr);
}

void SetUpTree(HFONT font) {
    SendMessageA(g_tree, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    LumTree_SetHeaderFont(g_tree, font, FALSE);
    LumTree_SetLabelFont(g_tree, font, FALSE);
    TreeColumn columns[kColumnCount];
    LumTree_InitColumn(&columns[kName], "Name", 150, LUMTREEFORMAT_LEFT);
    LumTree_InitColumn(&columns[kSize], "Size", 56, LUMTREEFORMAT_RIGHT);
    LumTree_InitColumn(&columns[kType], "Type", 64, LUMTREEFORMAT_LEFT);
    LumTree_InitColumn(&columns[kModified], "Modified", LUMTREE_STRETCH, LUMTREEFORMAT_LEFT);
    g_tree.SetColumns(columns, kColumnCount);
    g_tree.ShowHeader(true);
    LumTree_SetHeaderButtons(g_tree, TRUE);
    LumTree_ShowLabels(g_tree, 1); // buttons carrying the text of each row (its kind)
    LumTree_SetCornerText(g_tree, "Kind");
    LumTree_SetShowRootButtons(g_tree, TRUE);
    LumTree_SetNodeBitmaps(g_tree, g_pictures.folder, g_pictures.openFolder, g_pictures.document);
    // Any row can be dragged once the pointer leaves the drag rectangle; the row under the
    // pointer carries the drop mark.
    LumTree_SetDragMode(g_tree, 5);
    LumTree_SetDropMarkMode(g_tree, LUMTREEDROPMARK_ITEM);
    LumTreeEx_SetItemTrack(g_tree, TRUE); // hot tracking
    LumTreeEx_SetItemTrackGlobal(TRUE);
}

// The root item is the folder itself, read and expanded.
bool FillTree(const std::string &folder) {
    char full[MAX_PATH];
    const DWORD n = GetFullPathNameA(folder.c_str(), sizeof(full), full, nullptr);
    if (n == 0 || n >= sizeof(full)) return false;
    std::string path = full;
    while (path.size() > 3 && (path.back() == '\\' || path.back() == '/')) path.pop_back();
    WIN32_FILE_ATTRIBUTE_DATA attributes;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &attributes) ||
        !(attributes.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return false;
    Entry root;
    root.path = path;
    const size_t slash = path.find_last_of("\\/");
    root.name =
        slash == std::string::npos || slash + 1 == path.size() ? path : path.substr(slash + 1);
    root.folder = true;
    root.modified = attributes.ftLastWriteTime;
    g_entries.push_back(root);
    SendMessageA(g_tree, WM_SETREDRAW, FALSE, 0);
    AddRow(-1, 0, g_entries.back());
    ReadChildren(0);
    g_tree.Expand(0);
    LumTree_SetLabelWidth(g_tree, -1);
    SendMessageA(g_tree, WM_SETREDRAW, TRUE, 0);
    g_tree.Select(0);
    g_tree.SetCaret(0);
    return true;
}

LRESULT CALLBACK FrameProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_CREATE: CreateTree(w); return g_tree && g_status ? 0 : -1;
    case WM_SIZE: {
        SendMessageA(g_status, WM_SIZE, 0, 0);
        RECT bar;
        GetWindowRect(g_status, &bar);
        MoveWindow(g_tree, 0, 0, LOWORD(lp), HIWORD(lp) - (bar.bottom - bar.top), TRUE);
        return 0;
    }
    case WM_SETFOCUS: SetFocus(g_editor ? g_editor : g_tree.hwnd()); return 0;
    case WM_TIMER:
        if (wp == kRenameTimer) {
            KillTimer(w, kRenameTimer);
            if (g_tree.Caret() == g_lastClicked) BeginRename(g_lastClicked);
        }
        return 0;
    case WM_COMMAND:
        if (reinterpret_cast<HWND>(lp) == g_tree.hwnd()) OnTreeCommand(wp, lp);
        return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    default: return DefWindowProcA(w, msg, wp, lp);
    }
}

// ---- The scripted session: the mouse and key messages of a hand, sent to the control ----
struct ScriptOptions {
    bool script = false;
    std::string screenshots; // folder of the PNG files, or empty
    std::string outline;     // file of the final tree as text, or empty
    std::string folder = ".";
};

ScriptOptions ParseCommandLine() {
    ScriptOptions o;
    for (int i = 1; i < __argc; ++i) {
        const std::string arg = __argv[i];
        if (arg == "--script") {
            o.script = true;
        } else if (arg == "--screenshot" && i + 1 < __argc) {
            o.script = true;
            o.screenshots = __argv[++i];
        } else if (arg == "--outline" && i + 1 < __argc) {
            o.outline = __argv[++i];
        } else {
            o.folder = arg;
        }
    }
    return o;
}

// Runs the message loop for a while, as a user's pause would.
void Pump(DWORD milliseconds) {
    const DWORD start = GetTickCount();
    do {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (PreTranslate(msg)) continue;
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        Sleep(10);
    } while (GetTickCount() - start < milliseconds);
}

void Mouse(UINT msg, POINT p, WPARAM keys = 0) {
    SendMessageA(g_tree, msg, keys, MAKELPARAM(p.x, p.y));
}
void Click(POINT p, WPARAM keys = 0) {
    Mouse(WM_LBUTTONDOWN, p, keys | MK_LBUTTON);
    Mouse(WM_LBUTTONUP, p, keys);
}
// The pointer really goes there too, so that the hot row is not cleared by a leave report.
void Hover(POINT p) {
    POINT screen = p;
    ClientToScreen(g_tree, &screen);
    SetCursorPos(screen.x, screen.y);
    Mouse(WM_MOUSEMOVE, p);
    Pump(100);
}
// A key pressed or released on the keyboard, as the display reports it, and the messages it
// brings handled.
void RealKey(WORD key, bool down) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = key;
    in.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
    SendInput(1, &in, sizeof(in));
    Pump(50);
}
// A point on the name of a shown row.
POINT NamePoint(int item) {
    RECT cell{};
    LumTree_GetCellRect(g_tree, item, kName, &cell);
    return POINT{cell.left + 8, (cell.top + cell.bottom) / 2};
}

// Presses a row's expand button as a hand finds it: moving left from the name until a press is
// reported as a press on the button.
bool PressExpandButton(int item) {
    RECT row{}, cell{};
    g_tree.ItemRect(item, &row);
    LumTree_GetCellRect(g_tree, item, kName, &cell);
    const int y = (row.top + row.bottom) / 2;
    for (int x = cell.left - 1; x > row.left; x -= 2) {
        g_lastPress = -1;
        Click(POINT{x, y});
        if (g_lastPress == LUMTREEN_LBUTTONDOWN + LUMTREEHIT_BUTTON) return true;
    }
    return false;
}

void Screenshot(const ScriptOptions &o, int number) {
    if (o.screenshots.empty()) return;
    const std::string path = o.screenshots + "\\explorer-" + std::to_string(number) + ".png";
    if (!screen::CaptureWindow(g_frame, path.c_str())) {
        std::fprintf(stderr, "Could not write %s\n", path.c_str());
    }
}

// The children of an item that are folders (files: false) or files (true).
std::vector<int> Children(int item, bool files) {
    std::vector<int> found;
    for (int c = g_tree.FirstChild(item); c >= 0; c = g_tree.NextSibling(c)) {
        const Entry *e = EntryOf(c);
        if (e && e->folder != files) found.push_back(c);
    }
    return found;
}
int ItemOf(const Entry *e) {
    return LumTree_FindData(g_tree, 0, reinterpret_cast<DWORD_PTR>(e));
}

// Every row, one a line, hidden ones too: indentation by level, the name (a folder's with a
// slash; "(unread)" for the placeholder of a folder not read yet), the size, "+" on a closed
// folder with children, "*" on a selected row.
std::string Outline() {
    std::string text;
    for (int i = 0; i < g_tree.Count(); ++i) {
        const Entry *e = EntryOf(i);
        text += std::string(static_cast<size_t>(g_tree.Level(i)) * 2, ' ');
        text += e ? g_tree.Text(i) : "(unread)";
        if (e && e->folder) text += "/";
        const std::string size = g_tree.CellText(i, kSize);
        if (!size.empty()) text += "  " + size;
        if (g_tree.ChildCount(i) > 0 && !g_tree.IsExpanded(i)) text += "  +";
        if (g_tree.IsSelected(i) == 1) text += "  *";
        text += "\n";
    }
    return text;
}

#define SCRIPT_CHECK(condition, step)                                                              \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "explorer session: %s failed\n", step);                           \
            return 1;                                                                              \
        }                                                                                          \
    } while (0)

// Expands the first folder that holds two files, selects them, renames one with a slow second
// click (kept) and the other with F2 (cancelled), drags both onto the next folder, closes the
// first folder with the numeric-pad minus, widens the Size column and sorts by it. Returns 0 when
// every step did what it should.
int RunScript(const ScriptOptions &o) {
    // The pointer is moved for hot tracking; it goes back where it was when the session ends.
    struct PointerBack {
        POINT at{};
        PointerBack() { GetCursorPos(&at); }
        ~PointerBack() { SetCursorPos(at.x, at.y); }
    } pointerBack;
    Pump(100);
    const std::vector<int> folders = Children(0, false);
    const Entry *opened = nullptr, *target = nullptr;
    for (int f : folders) {
        const Entry *e = EntryOf(f);
        const std::vector<Entry> inside = ReadFolder(e->path);
        const auto files =
            std::count_if(inside.begin(), inside.end(), [](const Entry &x) { return !x.folder; });
        if (!opened && files >= 2) {
            opened = e;
        } else if (!target) {
            target = e;
        }
    }
    SCRIPT_CHECK(opened && target, "finding a folder with two files and another folder");

    // 1. Open the folder by its expand button: its files are read now.
    SCRIPT_CHECK(PressExpandButton(ItemOf(opened)) && g_tree.IsExpanded(ItemOf(opened)),
                 "expanding a folder by its button");
    std::vector<int> files = Children(ItemOf(opened), true);
    SCRIPT_CHECK(files.size() >= 2, "reading the folder");
    const Entry *first = EntryOf(files[0]), *second = EntryOf(files[1]);

    // 2. Click one file, Ctrl-click the next: two selected; the pointer rests on a folder.
    Click(NamePoint(ItemOf(first)));
    Click(NamePoint(ItemOf(second)), MK_CONTROL);
    SCRIPT_CHECK(g_tree.SelCount() == 2 && g_tree.Caret() == ItemOf(second), "selecting two files");
    Hover(NamePoint(ItemOf(target)));
    Screenshot(o, 1);

    // 3. A double-click on the caret item does not rename it; a slow second click does, and
    // Enter keeps the new name.
    Pump(GetDoubleClickTime() + 100);
    Click(NamePoint(ItemOf(second)));
    Mouse(WM_LBUTTONDBLCLK, NamePoint(ItemOf(second)), MK_LBUTTON);
    Mouse(WM_LBUTTONUP, NamePoint(ItemOf(second)));
    Pump(GetDoubleClickTime() + 300);
    SCRIPT_CHECK(!g_editor, "double-clicking without renaming");
    Click(NamePoint(ItemOf(second)));
    Pump(GetDoubleClickTime() + 300);
    SCRIPT_CHECK(g_editor && g_renamed == ItemOf(second), "renaming by a slow second click");
    const std::string newName = "renamed-" + second->name;
    SetWindowTextA(g_editor, newName.c_str());
    SendMessageA(g_editor, EM_SETSEL, static_cast<WPARAM>(-1), -1);
    Screenshot(o, 2);
    PostMessageA(g_editor, WM_KEYDOWN, VK_RETURN, 0);
    Pump(50);
    SCRIPT_CHECK(!g_editor && g_tree.Text(ItemOf(second)) == newName, "keeping the new name");

    // F2 on the other file, then Escape pressed on the keyboard (the hooks report it while it is
    // held): the name stays.
    Click(NamePoint(ItemOf(first)));
    PostMessageA(g_tree, WM_KEYDOWN, VK_F2, 0);
    Pump(50);
    SCRIPT_CHECK(g_editor && g_renamed == ItemOf(first), "renaming with F2");
    SetWindowTextA(g_editor, "not kept");
    RealKey(VK_ESCAPE, true);
    RealKey(VK_ESCAPE, false);
    SCRIPT_CHECK(!g_editor && g_tree.Text(ItemOf(first)) == first->name, "cancelling with Escape");

    // 4. Shift-click extends to the renamed file; both are dragged onto the other folder.
    Click(NamePoint(ItemOf(second)), MK_SHIFT);
    SCRIPT_CHECK(g_tree.SelCount() == 2, "extending the selection");
    const POINT from = NamePoint(ItemOf(first)), onto = NamePoint(ItemOf(target));
    Mouse(WM_LBUTTONDOWN, from, MK_LBUTTON);
    Mouse(WM_MOUSEMOVE, POINT{from.x + 12, from.y + 6}, MK_LBUTTON);
    Mouse(WM_MOUSEMOVE, onto, MK_LBUTTON);
    SCRIPT_CHECK(LumTree_GetDropTarget(g_tree) == ItemOf(target), "dragging onto a folder");
    Screenshot(o, 3);
    Mouse(WM_LBUTTONUP, onto);
    Pump(50);
    SCRIPT_CHECK(g_tree.Parent(ItemOf(first)) == ItemOf(target) &&
                     g_tree.Parent(ItemOf(second)) == ItemOf(target),
                 "moving the files into the folder");

    // The numeric-pad minus on the folder they came from closes it (reported like a press on
    // its expand button).
    g_tree.SetCaret(ItemOf(opened));
    SendMessageA(g_tree, WM_KEYDOWN, VK_SUBTRACT, 0);
    SCRIPT_CHECK(!g_tree.IsExpanded(ItemOf(opened)), "closing a folder with the numeric-pad minus");

    // 5. The Size column pulled wider by its divider, then sorted by a click on its header.
    RECT size{};
    SendMessageA(g_tree, LUMTREEM_GETCOLUMNHEADERRECT, kSize, reinterpret_cast<LPARAM>(&size));
    const int y = (size.top + size.bottom) / 2, before = size.right - size.left;
    Mouse(WM_LBUTTONDOWN, POINT{size.right - 1, y}, MK_LBUTTON);
    Mouse(WM_MOUSEMOVE, POINT{size.right + 20, y}, MK_LBUTTON);
    Mouse(WM_LBUTTONUP, POINT{size.right + 20, y});
    SendMessageA(g_tree, LUMTREEM_GETCOLUMNHEADERRECT, kSize, reinterpret_cast<LPARAM>(&size));
    SCRIPT_CHECK(size.right - size.left >= before + 20, "widening the Size column");
    Click(POINT{(size.left + size.right) / 2, y});
    SCRIPT_CHECK(g_sortColumn == kSize && !g_sortDescending, "sorting by size");
    // The wheel scrolls a notch down and back.
    POINT centre{size.left, size.bottom + 40};
    ClientToScreen(g_tree, &centre);
    SendMessageA(g_tree, WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA),
                 MAKELPARAM(centre.x, centre.y));
    SendMessageA(g_tree, WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), MAKELPARAM(centre.x, centre.y));
    Hover(NamePoint(ItemOf(first)));
    Screenshot(o, 4);

    const std::string outline = Outline();
    if (!o.outline.empty()) {
        FILE *f = std::fopen(o.outline.c_str(), "wb");
        SCRIPT_CHECK(f != nullptr, "writing the outline");
        std::fputs(outline.c_str(), f);
        std::fclose(f);
    }
    std::fputs(outline.c_str(), stdout);
    return 0;
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
    LumTree_RegisterApp2(instance); // the hooks that end renaming on Tab, Escape and clicks
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_BAR_CLASSES};
    InitCommonControlsEx(&icc);
    const ScriptOptions options = ParseCommandLine();

    WNDCLASSA wc{};
    wc.lpfnWndProc = FrameProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = "LumTreeExplorer";
    RegisterClassA(&wc);
    g_frame = CreateWindowExA(0, wc.lpszClassName, "LumTree explorer", WS_OVERLAPPEDWINDOW, 40, 40,
                              620, 440, nullptr, nullptr, instance, nullptr);
    if (!g_frame) return 1;
    HFONT font = CreateFontA(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0,
                             CLEARTYPE_QUALITY, 0, "Tahoma");
    SendMessageA(g_status, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    g_pictures = explorer::MakePictures();
    SetUpTree(font);
    // Shown first, so that the tree has its size when the caret is scrolled into view.
    ShowWindow(g_frame, options.script ? SW_SHOWNORMAL : show);
    int result = 0;
    if (!FillTree(options.folder)) {
        std::fprintf(stderr, "Not a folder: %s\n", options.folder.c_str());
        result = 1;
    } else {
        UpdateWindow(g_frame);
        SetFocus(g_tree);
        if (options.script) {
            result = RunScript(options);
        } else {
            MSG msg;
            while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
                if (PreTranslate(msg)) continue;
                TranslateMessage(&msg);
                DispatchMessageA(&msg);
            }
        }
    }
    if (IsWindow(g_frame)) DestroyWindow(g_frame);
    LumTree_UnregisterApp2(instance);
    DeleteObject(font);
    explorer::DeletePictures(g_pictures);
    return result;
}
