// Menu bars from menu resources, chosen by the script's "menu" action, and the
// "resize" action with the window's tracking sizes.
#include <iterator>

#include "JunctorUiFixture.h"

namespace {

const MENUITEMTEMPLATE kFile[] = {
    {MF_STRING, 101, L"&Apri"},
    {MF_SEPARATOR, 0, nullptr},
    {MF_STRING | MF_GRAYED, 102, L"Salva"},
};
const MENUITEMTEMPLATE kHelp[] = {{MF_STRING, 201, L"Guida"}};
const MENUPOPUPTEMPLATE kPopups[] = {{L"&File", kFile, static_cast<int>(std::size(kFile))},
                                     {L"?", kHelp, static_cast<int>(std::size(kHelp))}};
const MENUTEMPLATE kMenu = {kPopups, static_cast<int>(std::size(kPopups))};
const vplat::ResourceEntry kEntries[] = {{RT_MENU, 300, &kMenu}};
const vplat::ResourceTable kTable = {L"MenuBarTest.dll", kEntries, static_cast<int>(std::size(kEntries))};

const DLGITEMTEMPLATE kItems[] = {{WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 0, 7, 7, 50, 14, IDOK, L"Button", L"OK"}};
DLGTEMPLATE Template(DWORD style) {
    return DLGTEMPLATE{static_cast<DWORD>(style | WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_SETFONT), 0, 0, 0, 200, 100, L"Barra",
                       L"MS Shell Dlg", 8, kItems, 1, 0};
}

// A dialog with the menu bar, hearing the menu messages and limiting its size.
class MenuDialog : public CDialog {
public:
    std::vector<std::wstring> heard;
    POINT minimum{0, 0};

protected:
    BOOL OnInitDialog() override {
        CDialog::OnInitDialog();
        CMenu menu;
        menu.LoadMenu(300);
        SetMenu(&menu);
        menu.Detach();
        return TRUE;
    }
    BOOL OnWndMsg(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) override {
        if (msg == WM_INITMENU) heard.push_back(L"WM_INITMENU");
        if (msg == WM_INITMENUPOPUP) heard.push_back(L"WM_INITMENUPOPUP " + std::to_wstring(LOWORD(lParam)));
        if (msg == WM_COMMAND && LOWORD(wParam) >= 100) {
            heard.push_back(L"WM_COMMAND " + std::to_wstring(LOWORD(wParam)));
            return TRUE;
        }
        if (msg == WM_GETMINMAXINFO && minimum.x) reinterpret_cast<MINMAXINFO*>(lParam)->ptMinTrackSize = minimum;
        return CDialog::OnWndMsg(msg, wParam, lParam, result);
    }
};

class MenuBar : public ResourceFixture {
protected:
    MenuBar() : ResourceFixture(reinterpret_cast<HMODULE>(0x4C00), &kTable) {}
};

}  // namespace

TEST_F(MenuBar, TakesItsHeightFromTheClientAreaAndGoesWithTheWindow) {
    DLGTEMPLATE t = Template(0);
    MenuDialog dlg;
    dlg.InitModalIndirect(&t);
    HMENU menu = nullptr;
    RECT client{}, window{};
    vplat::ModalLoop::SetIdleHook([&](HWND h, int) {
        menu = GetMenu(h);
        GetClientRect(h, &client);
        GetWindowRect(h, &window);
    });
    Script(L"dialog 0 close\n");
    dlg.DoModal();
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(GetSystemMetrics(SM_CYMENU), 20);
    // 200 x 100 units are 300 x 163 pixels of client; the bar takes 20 of them.
    EXPECT_EQ(client.right, 300);
    EXPECT_EQ(client.bottom, 163 - 20);
    EXPECT_EQ(window.bottom - window.top, 163 + 23 + 2 * 3);
    EXPECT_EQ(GetMenuItemCount(menu), -1) << "destroyed with its window";
    EXPECT_TRUE(Mismatches().empty());
}

TEST_F(MenuBar, ChoosingAnEntryAsAPersonWould) {
    struct Case {
        const wchar_t* action;
        std::vector<std::wstring> heard;
        bool mismatch;
    } cases[] = {
        {L"menu File/Apri", {L"WM_INITMENU", L"WM_INITMENUPOPUP 0", L"WM_COMMAND 101"}, false},
        {L"menu file/apri", {L"WM_INITMENU", L"WM_INITMENUPOPUP 0", L"WM_COMMAND 101"}, false},
        {L"menu ?/Guida", {L"WM_INITMENU", L"WM_INITMENUPOPUP 1", L"WM_COMMAND 201"}, false},
        {L"menu File/Salva", {L"WM_INITMENU", L"WM_INITMENUPOPUP 0"}, true},   // greyed
        {L"menu File/Chiudi", {L"WM_INITMENU", L"WM_INITMENUPOPUP 0"}, true},  // no such entry
        {L"menu Modifica/Apri", {L"WM_INITMENU"}, true},                        // no such popup
        {L"menu File", {}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.action);
        DLGTEMPLATE t = Template(0);
        MenuDialog dlg;
        dlg.InitModalIndirect(&t);
        Script(std::wstring(L"dialog 0 ") + c.action + L"\ndialog 0 close\n");
        dlg.DoModal();
        EXPECT_EQ(dlg.heard, c.heard);
        EXPECT_EQ(Mismatches().size(), c.mismatch ? 1u : 0u) << (Mismatches().empty() ? L"" : Mismatches()[0]);
    }
}

TEST_F(MenuBar, ResizeHoldsTheTrackingSizesAndNeedsASizingBorder) {
    struct Case {
        DWORD style;
        POINT minimum;
        const wchar_t* action;
        SIZE size;
        bool mismatch;
    } cases[] = {
        {WS_THICKFRAME, {0, 0}, L"resize 500 400", {500, 400}, false},
        {WS_THICKFRAME, {0, 0}, L"resize 10 10", {136, 39}, false},  // the platform's smallest window
        {WS_THICKFRAME, {400, 300}, L"resize 350 350", {400, 350}, false},
        {WS_THICKFRAME, {0, 0}, L"resize 5000 5000", {1928, 1088}, false},
        {WS_THICKFRAME, {0, 0}, L"resize 500", {308, 194}, true},
        {0, {0, 0}, L"resize 500 400", {306, 192}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.action);
        DLGTEMPLATE t = Template(c.style);
        MenuDialog dlg;
        dlg.minimum = c.minimum;
        dlg.InitModalIndirect(&t);
        SIZE size{};
        vplat::ModalLoop::SetIdleHook([&](HWND h, int) {
            RECT r;
            GetWindowRect(h, &r);
            size = SIZE{r.right - r.left, r.bottom - r.top};
        });
        Script(std::wstring(L"dialog 0 ") + c.action + L"\ndialog 0 close\n");
        dlg.DoModal();
        EXPECT_EQ(size.cx, c.size.cx);
        EXPECT_EQ(size.cy, c.size.cy);
        EXPECT_EQ(Mismatches().size(), c.mismatch ? 1u : 0u);
    }
}
