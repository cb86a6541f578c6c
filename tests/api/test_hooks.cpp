// The in-place editing hooks with real input: an EDIT child over an item holds the focus, the
// application is registered, and clicks and keys are injected as the user makes them.
#include "../support/input.h"

#include <map>

using namespace lt;

namespace {

// Presses and key presses that reached each recorded window; they are swallowed after
// recording, so no window's own handling of them runs.
std::map<HWND, Codes> presses, keys;

LRESULT CALLBACK Recording(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_NCLBUTTONDOWN: presses[w].push_back(static_cast<int>(msg)); return 0;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: keys[w].push_back(static_cast<int>(wp)); return 0;
    default: return CallWindowProcA(reinterpret_cast<WNDPROC>(GetPropA(w, "old")), w, msg, wp, lp);
    }
}

void Record(HWND w) {
    SetPropA(w, "old", reinterpret_cast<HANDLE>(GetWindowLongPtrA(w, GWLP_WNDPROC)));
    SetWindowLongPtrA(w, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Recording));
}

// A parent with a control of 40 items, a window beside it and an editor over item 1.
struct Scene {
    Parent parent{420, 240};
    HWND tree, beside, editor = nullptr;
    bool destroyOnQuery = false;

    explicit Scene(DWORD style = kNotifyStyle) {
        REQUIRE(LumTree_RegisterApp2(GetModuleHandleA(nullptr)));
        tree = parent.Tree(style | WS_VSCROLL, 10, 10, 200, 200);
        AddFlat(tree, 40);
        beside = CreateWindowA("STATIC", "beside", WS_CHILD | WS_VISIBLE | SS_NOTIFY, 260, 40, 80,
                               40, parent.hwnd(), nullptr, nullptr, nullptr);
        Record(tree);
        Record(beside);
        parent.onMessage = [this](UINT msg, WPARAM wp, LPARAM, LRESULT *) {
            if (msg == WM_COMMAND && HIWORD(wp) == LUMTREEN_QUERYENDEDIT && destroyOnQuery) {
                DestroyWindow(editor);
            }
            return false;
        };
        SetForegroundWindow(parent.hwnd());
    }
    ~Scene() { LumTree_UnregisterApp2(GetModuleHandleA(nullptr)); }

    // Opens a new editor (a child of `owner`, the control by default) and clears the records.
    void Open(HWND owner = nullptr) {
        if (IsWindow(editor)) DestroyWindow(editor);
        RECT row{};
        Send(tree, LUMTREEM_GETITEMRECT, 1, Ptr(&row));
        editor = CreateWindowA("EDIT", "text", WS_CHILD | WS_VISIBLE | WS_BORDER, row.left + 20,
                               row.top, 100, row.bottom - row.top, owner ? owner : tree, nullptr,
                               nullptr, nullptr);
        Record(editor);
        SetFocus(editor);
        Settle();
        parent.Clear();
        presses.clear();
        keys.clear();
    }
    // The end-edit codes received (focus changes left out).
    Codes EditCodes() const {
        Codes out;
        for (int code : parent.Codes()) {
            if (code == LUMTREEN_ENDEDIT || code == LUMTREEN_QUERYENDEDIT) out.push_back(code);
        }
        return out;
    }
};

const Codes kQuery{LUMTREEN_QUERYENDEDIT}, kEnd{LUMTREEN_ENDEDIT}, kNone{};

} // namespace

TEST_CASE("presses elsewhere, Tab and Alt ask the parent, Escape orders the end") {
    for (bool destroy : {false, true}) {
        CAPTURE(destroy);
        Scene s;
        s.destroyOnQuery = destroy;
        RECT client;
        GetClientRect(s.tree, &client);
        // Another window, the control's rows, its scroll bar: the press is lost while the
        // editor survives; inside the editor it is the editor's own business.
        // clang-format off
        const struct { HWND w; int x, y; bool right; int press; } clicks[] = {
            {s.beside, 10, 10, false, WM_LBUTTONDOWN}, {s.tree, 20, 150, true, WM_RBUTTONDOWN},
            {s.tree, client.right + 4, client.bottom - 4, false, WM_NCLBUTTONDOWN}};
        // clang-format on
        for (const auto &c : clicks) {
            CAPTURE(c.press);
            s.Open();
            RealClick(c.w, c.x, c.y, c.right);
            CHECK((s.EditCodes() == kQuery && IsWindow(s.editor) == !destroy));
            CHECK(presses[c.w] == (destroy ? Codes{c.press} : kNone));
        }
        s.Open();
        RealClick(s.editor, 5, 5);
        CHECK((s.EditCodes() == kNone && presses[s.editor] == Codes{WM_LBUTTONDOWN}));
        for (BYTE vk : {VK_TAB, VK_MENU}) {
            s.Open();
            RealKey(vk);
            CHECK((s.EditCodes() == kQuery && keys[s.editor] == kNone));
            CHECK(IsWindow(s.editor) == !destroy);
        }
        s.Open();
        RealKey(VK_ESCAPE);
        RealKey('A');
        CHECK((s.EditCodes() == kEnd && keys[s.editor] == Codes{'A'}));
    }
}

TEST_CASE("\"TabOK\", an editor too deep inside the control, no notify style") {
    {
        Scene s;
        Send(s.tree, LUMTREEM_SETTABINTERCEPT, 0); // Tab reaches the editor; Escape is taken
        s.Open();
        RealKey(VK_TAB);
        RealKey(VK_ESCAPE);
        CHECK((s.EditCodes() == kEnd && keys[s.editor] == Codes{VK_TAB}));
        Send(s.tree, LUMTREEM_SETTABINTERCEPT, 1);
        // An editor two levels down is served, three levels down is not.
        HWND panel = CreateWindowA("STATIC", "", WS_CHILD | WS_VISIBLE, 0, 0, 190, 190, s.tree,
                                   nullptr, nullptr, nullptr);
        s.Open(CreateWindowA("STATIC", "", WS_CHILD | WS_VISIBLE, 0, 0, 180, 180, panel, nullptr,
                             nullptr, nullptr));
        RealKey(VK_TAB);
        CHECK((s.EditCodes() == kNone && keys[s.editor] == Codes{VK_TAB}));
    }
    // Without the notify style nothing is sent: presses pass, Tab and Escape do not.
    Scene s(kChildStyle);
    s.Open();
    RealKey(VK_TAB);
    RealKey(VK_ESCAPE);
    RealClick(s.beside, 10, 10);
    CHECK((s.EditCodes() == kNone && keys[s.editor] == kNone));
    CHECK(presses[s.beside] == Codes{WM_LBUTTONDOWN});
}

TEST_CASE("the exported routines called directly: order, window checks, unregistering") {
    Scene s;
    s.Open();
    // The order form sends LUMTREEN_ENDEDIT and lets the press through.
    CHECK((LumTree_ProcessMouseMessage(s.beside, TRUE, 8) == FALSE && s.EditCodes() == kEnd));
    // Nothing is asked about the focus window itself, or a top-level popup with hit code 2.
    HWND popup =
        CreateWindowA("STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    s.parent.Clear();
    CHECK(LumTree_ProcessMouseMessage(s.editor, FALSE, 8) == FALSE);
    CHECK(LumTree_ProcessMouseMessage(s.tree, FALSE, 8) == TRUE);
    CHECK(LumTree_ProcessMouseMessage(popup, FALSE, 2) == FALSE);
    CHECK(LumTree_ProcessMouseMessage(popup, FALSE, 8) == TRUE);
    CHECK(s.EditCodes() == Codes(2, LUMTREEN_QUERYENDEDIT));
    DestroyWindow(popup);
    s.parent.Clear();
    CHECK(LumTree_ProcessKeyboardMessage(FALSE, FALSE) == TRUE); // editing goes on
    CHECK(LumTree_ProcessKeyboardMessage(TRUE, FALSE) == TRUE);
    CHECK(s.EditCodes() == Codes{LUMTREEN_QUERYENDEDIT, LUMTREEN_ENDEDIT});
    s.destroyOnQuery = true;
    CHECK(LumTree_ProcessKeyboardMessage(FALSE, FALSE) == FALSE); // ended: the key passes
    // Without the hooks, keys pass untouched; the private class was registered for the
    // application.
    LumTree_UnregisterApp2(nullptr);
    s.destroyOnQuery = false;
    s.Open();
    RealKey(VK_TAB);
    CHECK((s.EditCodes() == kNone && keys[s.editor] == Codes{VK_TAB}));
    CHECK(CreateWindowA(LUMTREE_PRIVATECLASSNAME, "", WS_CHILD, 0, 0, 50, 50, s.parent.hwnd(),
                        nullptr, GetModuleHandleA(nullptr), nullptr));
}
