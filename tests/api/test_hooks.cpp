// The in-place editing hooks with real input: an EDIT child placed over an item and focused,
// the application registered (thread hooks installed), and clicks and keys injected as the
// user makes them. The parent either keeps its editor when asked to end, or destroys it.
#include "../support/harness.h"

using namespace lt;

namespace {

// Presses and keys that reached a window, recorded by subclassing it. Presses and key
// presses are swallowed after recording, so no window's own handling of them runs.
struct Received {
    std::vector<int> presses; // WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_NCLBUTTONDOWN
    std::vector<int> keys;    // WM_KEYDOWN and WM_SYSKEYDOWN
};

LRESULT CALLBACK Recording(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    auto *rec = static_cast<Received *>(GetPropA(w, "rec"));
    auto old = reinterpret_cast<WNDPROC>(GetPropA(w, "old"));
    switch (msg) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_NCLBUTTONDOWN: rec->presses.push_back(static_cast<int>(msg)); return 0;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: rec->keys.push_back(static_cast<int>(wp)); return 0;
    default: return CallWindowProcA(old, w, msg, wp, lp);
    }
}

void Record(HWND w, Received *rec) {
    SetPropA(w, "rec", rec);
    SetPropA(w, "old", reinterpret_cast<HANDLE>(GetWindowLongPtrA(w, GWLP_WNDPROC)));
    SetWindowLongPtrA(w, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Recording));
}

// Lets injected input arrive and be dispatched.
void Settle() {
    for (int k = 0; k < 5; ++k) {
        Sleep(10);
        Pump();
    }
}

void Click(HWND w, int x, int y, bool right = false) {
    POINT pt{x, y};
    ClientToScreen(w, &pt);
    SetCursorPos(pt.x, pt.y);
    Settle();
    mouse_event(right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
    mouse_event(right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
    Settle();
}

void Key(BYTE vk) {
    keybd_event(vk, 0, 0, 0);
    keybd_event(vk, 0, KEYEVENTF_KEYUP, 0);
    Settle();
}

// A parent with a control (items, notify style), a window beside the control and an editor
// over item 1 that holds the focus.
struct Scene {
    Parent parent{420, 240};
    HWND tree, beside, editor = nullptr;
    Received atTree, atBeside, atEditor;
    bool destroyOnQuery = false;

    explicit Scene(DWORD style = kNotifyStyle) {
        REQUIRE(LumTree_RegisterApp2(GetModuleHandleA(nullptr)));
        tree = parent.Tree(style | WS_VSCROLL, 10, 10, 200, 200);
        AddFlat(tree, 40);
        beside = CreateWindowA("STATIC", "beside", WS_CHILD | WS_VISIBLE | SS_NOTIFY, 260, 40, 80,
                               40, parent.hwnd(), nullptr, nullptr, nullptr);
        Record(tree, &atTree);
        Record(beside, &atBeside);
        parent.onMessage = [this](UINT msg, WPARAM wp, LPARAM, LRESULT *) {
            if (msg == WM_COMMAND && HIWORD(wp) == LUMTREEN_QUERYENDEDIT && destroyOnQuery) {
                DestroyWindow(editor);
            }
            return false;
        };
        SetForegroundWindow(parent.hwnd());
    }
    ~Scene() { LumTree_UnregisterApp2(GetModuleHandleA(nullptr)); }

    HWND Open(HWND owner = nullptr) {
        RECT row{};
        Send(tree, LUMTREEM_GETITEMRECT, 1, Ptr(&row));
        editor = CreateWindowA("EDIT", "text", WS_CHILD | WS_VISIBLE | WS_BORDER, row.left + 20,
                               row.top, 100, row.bottom - row.top, owner ? owner : tree, nullptr,
                               nullptr, nullptr);
        atEditor = {};
        Record(editor, &atEditor);
        SetFocus(editor);
        Settle();
        parent.Clear();
        atTree = atBeside = {};
        return editor;
    }
    bool EditorAlive() const { return IsWindow(editor); }
};

// The end-edit codes the parent received from the control (focus changes left out: destroying
// a focused editor moves the focus, which is the control's own business).
Codes EditCodes(const Parent &parent) {
    Codes out;
    for (int code : parent.Codes()) {
        if (code == LUMTREEN_ENDEDIT || code == LUMTREEN_QUERYENDEDIT) out.push_back(code);
    }
    return out;
}

using Presses = std::vector<int>;
using Keys = std::vector<int>;

} // namespace

TEST_CASE("a press elsewhere asks the parent; the press is lost while the editor survives") {
    for (bool destroy : {false, true}) {
        CAPTURE(destroy);
        Scene s;
        s.destroyOnQuery = destroy;
        const Presses lost{}, passed{WM_LBUTTONDOWN};

        // A press on another window of the application.
        s.Open();
        Click(s.beside, 10, 10);
        CHECK(EditCodes(s.parent) == Codes{LUMTREEN_QUERYENDEDIT});
        CHECK(s.atBeside.presses == (destroy ? passed : lost));
        CHECK(s.EditorAlive() == !destroy);

        // A press on the control's own rows, away from the editor.
        s.Open();
        Click(s.tree, 20, 150, true);
        CHECK(EditCodes(s.parent) == Codes{LUMTREEN_QUERYENDEDIT});
        CHECK(s.atTree.presses == (destroy ? Presses{WM_RBUTTONDOWN} : lost));

        // A press on the control's scroll bar (its non-client area).
        s.Open();
        RECT client;
        GetClientRect(s.tree, &client);
        Click(s.tree, client.right + 4, client.bottom - 4);
        CHECK(EditCodes(s.parent) == Codes{LUMTREEN_QUERYENDEDIT});
        CHECK(s.atTree.presses == (destroy ? Presses{WM_NCLBUTTONDOWN} : lost));

        // A press inside the editor is the editor's own business.
        s.Open();
        Click(s.editor, 5, 5);
        CHECK(EditCodes(s.parent) == Codes{});
        CHECK(s.atEditor.presses == passed);
        CHECK(s.EditorAlive());
    }
}

TEST_CASE("Tab and Alt ask the parent, Escape orders the end; all are swallowed") {
    for (bool destroy : {false, true}) {
        CAPTURE(destroy);
        Scene s;
        s.destroyOnQuery = destroy;
        for (BYTE vk : {VK_TAB, VK_MENU}) {
            s.Open();
            Key(vk);
            CHECK(EditCodes(s.parent) == Codes{LUMTREEN_QUERYENDEDIT});
            CHECK(s.atEditor.keys == Keys{});
            CHECK(s.EditorAlive() == !destroy);
        }
        s.Open();
        Key(VK_ESCAPE);
        CHECK(EditCodes(s.parent) == Codes{LUMTREEN_ENDEDIT});
        CHECK(s.atEditor.keys == Keys{});
        // Other keys reach the editor.
        Key('A');
        CHECK(s.atEditor.keys == Keys{'A'});
    }
}

TEST_CASE("\"TabOK\", no notify style, and an editor too deep inside the control") {
    SUBCASE("with \"TabOK\" Tab reaches the editor; Escape is still taken") {
        Scene s;
        Send(s.tree, LUMTREEM_SETTABINTERCEPT, 0);
        s.Open();
        Key(VK_TAB);
        CHECK(EditCodes(s.parent) == Codes{});
        CHECK(s.atEditor.keys == Keys{VK_TAB});
        Key(VK_ESCAPE);
        CHECK(EditCodes(s.parent) == Codes{LUMTREEN_ENDEDIT});
        CHECK(s.atEditor.keys == Keys{VK_TAB});
    }
    SUBCASE("without the notify style nothing is sent: presses pass, Tab and Escape do not") {
        Scene s(kChildStyle);
        s.Open();
        Key(VK_TAB);
        Key(VK_ESCAPE);
        Click(s.beside, 10, 10);
        CHECK(EditCodes(s.parent) == Codes{});
        CHECK(s.atEditor.keys == Keys{});
        CHECK(s.atBeside.presses == Presses{WM_LBUTTONDOWN});
    }
    SUBCASE("an editor two levels down is served, three levels down is not") {
        Scene s;
        HWND panel = CreateWindowA("STATIC", "", WS_CHILD | WS_VISIBLE, 0, 0, 190, 190, s.tree,
                                   nullptr, nullptr, nullptr);
        s.Open(panel);
        Key(VK_TAB);
        CHECK(EditCodes(s.parent) == Codes{LUMTREEN_QUERYENDEDIT});
        CHECK(s.atEditor.keys == Keys{});
        HWND inner = CreateWindowA("STATIC", "", WS_CHILD | WS_VISIBLE, 0, 0, 180, 180, panel,
                                   nullptr, nullptr, nullptr);
        s.Open(inner);
        Key(VK_TAB);
        CHECK(EditCodes(s.parent) == Codes{});
        CHECK(s.atEditor.keys == Keys{VK_TAB});
    }
}

TEST_CASE("the exported routines called directly: order, window checks, unregistering") {
    Scene s;
    s.Open();
    // The order form sends LUMTREEN_ENDEDIT and lets the press through.
    CHECK(LumTree_ProcessMouseMessage(s.beside, TRUE, 8) == FALSE);
    CHECK(EditCodes(s.parent) == Codes{LUMTREEN_ENDEDIT});
    // The focus window itself, a window inside the control, a top-level popup with hit code 2,
    // a window between the focus and the control: nothing asked.
    HWND popup =
        CreateWindowA("STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    s.parent.Clear();
    CHECK(LumTree_ProcessMouseMessage(s.editor, FALSE, 8) == FALSE);
    CHECK(LumTree_ProcessMouseMessage(s.tree, FALSE, 8) == TRUE);
    CHECK(LumTree_ProcessMouseMessage(popup, FALSE, 2) == FALSE);
    CHECK(LumTree_ProcessMouseMessage(popup, FALSE, 8) == TRUE);
    CHECK(EditCodes(s.parent) == Codes(2, LUMTREEN_QUERYENDEDIT));
    DestroyWindow(popup);
    // The keyboard form answers as the hook would.
    s.parent.Clear();
    CHECK(LumTree_ProcessKeyboardMessage(FALSE, FALSE) == TRUE); // editing goes on
    CHECK(LumTree_ProcessKeyboardMessage(TRUE, FALSE) == TRUE);
    CHECK(EditCodes(s.parent) == Codes{LUMTREEN_QUERYENDEDIT, LUMTREEN_ENDEDIT});
    s.destroyOnQuery = true;
    CHECK(LumTree_ProcessKeyboardMessage(FALSE, FALSE) == FALSE); // ended: the key passes
    // Without the hooks, presses and keys pass untouched.
    LumTree_UnregisterApp2(nullptr);
    s.destroyOnQuery = false;
    s.Open();
    Key(VK_TAB);
    Click(s.beside, 10, 10);
    CHECK(EditCodes(s.parent) == Codes{});
    CHECK(s.atEditor.keys == Keys{VK_TAB});
    CHECK(s.atBeside.presses == Presses{WM_LBUTTONDOWN});
    // The private class was registered for the application, and makes controls.
    WNDCLASSA wc;
    CHECK(GetClassInfoA(GetModuleHandleA(nullptr), LUMTREE_PRIVATECLASSNAME, &wc));
    CHECK(wc.style == CS_DBLCLKS);
    HWND own = CreateWindowA(LUMTREE_PRIVATECLASSNAME, "", WS_CHILD, 0, 0, 50, 50, s.parent.hwnd(),
                             nullptr, GetModuleHandleA(nullptr), nullptr);
    CHECK(SendI(own, LUMTREEM_ADDITEM, 0, Ptr("x")) == 0);
    DestroyWindow(own);
}
