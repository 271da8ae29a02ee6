// The scripted user's control paths, pointer actions at points, the wheel,
// typing, and the windows a person cannot reach.
#include <algorithm>

#include "UiFixture.h"

namespace {

constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;

// A template button and edit; at run time a panel 7013 with a pad 30000 that
// records the pointer, and a disabled panel 7020 and a hidden panel 7021, each
// holding an enabled, visible edit 1000.
const DLGITEMTEMPLATE kItems[] = {
    {kChild | BS_PUSHBUTTON | WS_TABSTOP, 0, 7, 7, 50, 14, 7013, L"BUTTON", L"Tasto"},
    {kChild | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 0, 7, 24, 50, 12, 100, L"EDIT", L""},
};
const DLGTEMPLATE kTemplate = {WS_POPUP | WS_CAPTION | DS_MODALFRAME | DS_SETFONT, 0, 0, 0, 300, 200, L"Percorsi",
                               L"MS Shell Dlg", 8, kItems, static_cast<int>(std::size(kItems)), 9002};

std::vector<std::wstring> g_heard;

std::wstring At(LPARAM l) { return std::to_wstring(GET_X_LPARAM(l)) + L"," + std::to_wstring(GET_Y_LPARAM(l)); }

LRESULT CALLBACK PadProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_LBUTTONDOWN:
        SetCapture(hwnd);
        SetFocus(hwnd);
        g_heard.push_back(L"down " + At(lParam));
        return 0;
    case WM_MOUSEMOVE: g_heard.push_back(L"move " + At(lParam)); return 0;
    case WM_LBUTTONUP:
        g_heard.push_back(L"up " + At(lParam));
        ReleaseCapture();
        return 0;
    case WM_CONTEXTMENU: g_heard.push_back(L"context"); return 0;
    case WM_MOUSEWHEEL: g_heard.push_back(L"wheel " + std::to_wstring(GET_WHEEL_DELTA_WPARAM(wParam))); return 0;
    case WM_CHAR: g_heard.push_back(L"char " + std::wstring(1, static_cast<wchar_t>(wParam))); return 0;
    default: return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
}

HWND Child(HWND parent, const wchar_t* cls, int id, DWORD style, RECT r) {
    return CreateWindowExW(0, cls, L"", style, r.left, r.top, r.right - r.left, r.bottom - r.top, parent,
                           reinterpret_cast<HMENU>(static_cast<intptr_t>(id)), nullptr, nullptr);
}

INT_PTR Proc(HWND dlg, UINT msg, WPARAM wParam, LPARAM) {
    if (msg == WM_INITDIALOG) {
        HWND panel = Child(dlg, L"ScriptPanel", 7013, kChild, RECT{100, 0, 400, 200});
        Child(panel, L"ScriptPad", 30000, kChild, RECT{0, 0, 263, 100});
        HWND off = Child(dlg, L"ScriptPanel", 7020, kChild | WS_DISABLED, RECT{0, 220, 90, 250});
        Child(off, L"EDIT", 1000, kChild, RECT{0, 0, 90, 20});
        HWND hidden = Child(dlg, L"ScriptPanel", 7021, WS_CHILD, RECT{0, 260, 90, 290});
        Child(hidden, L"EDIT", 1000, kChild, RECT{0, 0, 90, 20});
        return TRUE;
    }
    if (msg == WM_COMMAND) {
        g_heard.push_back(L"command " + std::to_wstring(LOWORD(wParam)));
        if (LOWORD(wParam) == IDCANCEL) EndDialog(dlg, IDCANCEL);
        return TRUE;
    }
    return FALSE;
}

class ScriptedUser : public UiFixture {
protected:
    void SetUp() override {
        UiFixture::SetUp();
        g_heard.clear();
        WNDCLASSW wc{};
        wc.lpfnWndProc = PadProc;
        wc.lpszClassName = L"ScriptPad";
        RegisterClassW(&wc);
        wc.lpfnWndProc = DefWindowProcW;
        wc.lpszClassName = L"ScriptPanel";
        RegisterClassW(&wc);
    }
    // Runs the dialog with the actions given, then closes it; what the edits
    // of the panels hold at the end goes to `edits`.
    void Run(const std::wstring& actions) {
        Script(actions + L"dialog 9002 close\n");
        vplat::ModalLoop::SetIdleHook([this](HWND d, int) {
            edits = Text(GetDlgItem(GetDlgItem(d, 7020), 1000)) + L"|" + Text(GetDlgItem(GetDlgItem(d, 7021), 1000)) +
                    L"|" + Text(GetDlgItem(d, 100));
        });
        DialogBoxIndirectParamW(nullptr, &kTemplate, nullptr, Proc, 0);
    }
    static std::vector<std::wstring> Heard(const wchar_t* prefix) {
        std::vector<std::wstring> out;
        for (const auto& h : g_heard)
            if (h.rfind(prefix, 0) == 0) out.push_back(h);
        return out;
    }
    std::wstring edits;
};

}  // namespace

TEST_F(ScriptedUser, PathsTakeTheFirstChildTheRestCanFollow) {
    Run(L"dialog 9002 click 7013\n"
        L"dialog 9002 click 7013/30000 at 200,31\n");
    EXPECT_TRUE(Mismatches().empty());
    EXPECT_EQ(Heard(L"command 7013"), std::vector<std::wstring>{L"command 7013"});
    EXPECT_EQ(Heard(L"down"), std::vector<std::wstring>{L"down 200,31"});
    EXPECT_EQ(Heard(L"up"), std::vector<std::wstring>{L"up 200,31"});
}

TEST_F(ScriptedUser, UnreachableOrMalformedTargetsAreMismatchesThatDoNothing) {
    const wchar_t* lines[] = {
        L"dialog 9002 click 7013/999",            // no such child
        L"dialog 9002 click 7013/30000/5",        // the path goes on past a window without children
        L"dialog 9002 click 70x3",                // no path
        L"dialog 9002 click 7013/30000 at 5",     // no point
        L"dialog 9002 set 7020/1000 5",           // under a disabled panel
        L"dialog 9002 set 7021/1000 5",           // under a hidden panel
        L"dialog 9002 click 7013/30000 twice",    // a pointer action takes only a point
        L"dialog 9002 move 7013/30000",           // move needs its point
        L"dialog 9002 wheel 7013/30000 sideways",
        L"dialog 9002 set 100 at 3,3",              // a point for a typing action
    };
    for (const wchar_t* line : lines) {
        SCOPED_TRACE(line);
        g_heard.clear();
        Run(std::wstring(line) + L"\n");
        EXPECT_EQ(Mismatches().size(), 1u);
        EXPECT_TRUE(Heard(L"down").empty());
        EXPECT_EQ(edits, L"||");
    }
}

TEST_F(ScriptedUser, PressMoveReleaseFollowTheCapture) {
    Run(L"dialog 9002 press 7013/30000 at 10,10\n"
        L"dialog 9002 move 7013/30000 at 290,150\n"
        L"dialog 9002 release 7013/30000 at 290,150\n");
    EXPECT_TRUE(Mismatches().empty());
    // The pad holds the capture: the pointer outside it still reaches it.
    EXPECT_EQ(Heard(L"down"), std::vector<std::wstring>{L"down 10,10"});
    EXPECT_EQ(Heard(L"up"), std::vector<std::wstring>{L"up 290,150"});
    EXPECT_EQ(Heard(L"move").back(), L"move 290,150");
}

TEST_F(ScriptedUser, WheelTypeAndRightClickGoWhereThePlatformSendsThem) {
    Run(L"dialog 9002 click 7013/30000\n"
        L"dialog 9002 wheel 7013/30000 down 2\n"
        L"dialog 9002 wheel 7013/30000 up\n"
        L"dialog 9002 type 7,5\n"
        L"dialog 9002 rclick 7013/30000 at 4,4\n"
        L"dialog 9002 focus 100\n"
        L"dialog 9002 type 2.5\n");
    EXPECT_TRUE(Mismatches().empty());
    EXPECT_EQ(Heard(L"wheel"), (std::vector<std::wstring>{L"wheel -120", L"wheel -120", L"wheel 120"}));
    EXPECT_EQ(Heard(L"char"), (std::vector<std::wstring>{L"char 7", L"char ,", L"char 5"}));
    EXPECT_EQ(Heard(L"context"), std::vector<std::wstring>{L"context"});
    EXPECT_EQ(edits, L"||2.5");
}

TEST_F(ScriptedUser, PopupLineWithoutAPopupIsAMismatch) {
    Run(L"dialog 9002 click 7013\npopup Copy\n");
    ASSERT_FALSE(Mismatches().empty());
    EXPECT_NE(Mismatches().front().find(L"popup"), std::wstring::npos);
}
