// Messages passed on to the parent, and which notifications the notify style gates.
#include "../support/harness.h"

#include <vector>

using namespace lt;

namespace {

HWND AddChild(HWND tree) {
    return CreateWindowExA(0, "STATIC", "editor", WS_CHILD | WS_VISIBLE, 0, 0, 60, 12, tree,
                           reinterpret_cast<HMENU>(77), nullptr, nullptr);
}

} // namespace

TEST_CASE("messages from child windows reach the parent unless forwarding is off") {
    Parent parent;
    HWND tree = parent.Tree(kChildStyle);
    HWND child = AddChild(tree);
    std::vector<UINT> seen;
    parent.onMessage = [&](UINT msg, WPARAM, LPARAM, LRESULT *result) {
        if (msg == WM_CTLCOLORSTATIC || msg == WM_NOTIFY || msg == WM_DRAWITEM) {
            seen.push_back(msg);
            *result = 0x1234;
            return true;
        }
        return false;
    };

    Send(tree, WM_COMMAND, MAKEWPARAM(77, EN_CHANGE), Ptr(child));
    CHECK(Send(tree, WM_CTLCOLORSTATIC, 0, Ptr(child)) == 0x1234); // the parent's answer
    NMHDR hdr{child, 77, 0};
    Send(tree, WM_NOTIFY, 77, Ptr(&hdr));
    REQUIRE(parent.Notes().size() == 1);
    CHECK(parent.Notes()[0].code == EN_CHANGE);
    CHECK(parent.Notes()[0].id == 77);
    CHECK(parent.Notes()[0].from == child);
    CHECK(seen == std::vector<UINT>{WM_CTLCOLORSTATIC, WM_NOTIFY});

    CHECK(SendI(tree, LUMTREEM_SETFORWARDTOPARENT, 5) == 0);
    CHECK(SendI(tree, LUMTREEM_GETFORWARDTOPARENT) == 1); // any nonzero value stores 1
    CHECK(SendI(tree, LUMTREEM_SETFORWARDTOPARENT, 0) == 0);
    CHECK(SendI(tree, LUMTREEM_GETFORWARDTOPARENT) == 0);
    parent.Clear();
    seen.clear();
    Send(tree, WM_COMMAND, MAKEWPARAM(77, EN_CHANGE), Ptr(child));
    CHECK(Send(tree, WM_CTLCOLORSTATIC, 0, Ptr(child)) != 0x1234);
    Send(tree, WM_NOTIFY, 77, Ptr(&hdr));
    CHECK(parent.Notes().empty());
    CHECK(seen.empty());
    // Messages that are not on the list are never passed on.
    Send(tree, LUMTREEM_SETFORWARDTOPARENT, 1);
    Send(tree, WM_CTLCOLORDLG, 0, Ptr(child));
    Send(tree, WM_CTLCOLORMSGBOX, 0, Ptr(child));
    CHECK(seen.empty());
}

TEST_CASE("the end-edit request needs the notify style, a child window and live drawing") {
    Parent parent;
    auto endEdits = [&] {
        int n = 0;
        for (int code : parent.Codes()) n += code == LUMTREEN_ENDEDIT;
        return n;
    };

    SUBCASE("all conditions met: every change asks once per changing step") {
        HWND tree = parent.Tree(kNotifyStyle);
        AddChild(tree);
        parent.Clear();
        Send(tree, LUMTREEM_ADDITEM, 0, Ptr("a"));
        CHECK(endEdits() >= 1);
        CHECK(parent.Notes().back().from == tree);
        CHECK(parent.Notes().back().id == kTreeId);
    }
    SUBCASE("without the notify style") {
        HWND tree = parent.Tree(kChildStyle);
        AddChild(tree);
        parent.Clear();
        Send(tree, LUMTREEM_ADDITEM, 0, Ptr("a"));
        Send(tree, LUMTREEM_DELETEALL);
        CHECK(parent.Notes().empty());
    }
    SUBCASE("without a child window") {
        HWND tree = parent.Tree(kNotifyStyle);
        parent.Clear();
        Send(tree, LUMTREEM_ADDITEM, 0, Ptr("a"));
        CHECK(parent.Notes().empty());
    }
    SUBCASE("with redrawing off, judged with the state before WM_SETREDRAW") {
        HWND tree = parent.Tree(kNotifyStyle);
        AddChild(tree);
        parent.Clear();
        Send(tree, WM_SETREDRAW, FALSE);
        CHECK(parent.Codes() == std::vector<int>{LUMTREEN_ENDEDIT});
        parent.Clear();
        Send(tree, LUMTREEM_ADDITEM, 0, Ptr("a"));
        Send(tree, WM_SETREDRAW, TRUE);
        CHECK(parent.Notes().empty());
    }
    SUBCASE("while hidden") {
        HWND tree = parent.Tree(WS_CHILD | LUMTREESTYLE_NOTIFY);
        AddChild(tree);
        parent.Clear();
        Send(tree, LUMTREEM_ADDITEM, 0, Ptr("a"));
        CHECK(parent.Notes().empty());
        ShowWindow(tree, SW_SHOW);
        parent.Clear();
        Send(tree, LUMTREEM_ADDITEM, 0, Ptr("b"));
        CHECK(endEdits() >= 1);
    }
}

TEST_CASE("focus changes are reported whatever the style") {
    Parent parent;
    HWND plain = parent.Tree(kChildStyle, 0, 0, 100, 100, 5);
    parent.Clear();
    SetFocus(plain);
    SetFocus(parent.hwnd());
    CHECK(parent.Codes(plain) == std::vector<int>{LUMTREEN_SETFOCUS, LUMTREEN_KILLFOCUS});
    CHECK(parent.Notes()[0].id == 5);
}

TEST_CASE("the focus goes on to the control's child window") {
    Parent parent;
    HWND tree = parent.Tree(kChildStyle);
    HWND edit = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE, 0, 0, 60, 20, tree, nullptr,
                                nullptr, nullptr);
    parent.Clear();
    SetFocus(tree);
    CHECK(GetFocus() == edit);
    // The focus moves on before the control reports that it received it.
    CHECK(parent.Codes(tree) == std::vector<int>{LUMTREEN_KILLFOCUS, LUMTREEN_SETFOCUS});
}
