// Popup menus tracked with the script's "popup" answers.
#include <algorithm>

#include "UiFixture.h"

namespace {

struct Heard {
    std::vector<HMENU> initPopup;
    std::vector<UINT> commands;
    std::vector<POINT> contextMenus;
};
Heard g_heard;

LRESULT CALLBACK OwnerProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_INITMENUPOPUP: g_heard.initPopup.push_back(reinterpret_cast<HMENU>(wParam)); return 0;
    case WM_COMMAND: g_heard.commands.push_back(LOWORD(wParam)); return 0;
    case WM_CONTEXTMENU:
        g_heard.contextMenus.push_back(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        return 0;
    default: return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
}

// The edit menu as a text field offers it: Paste greyed.
class PopupMenu : public UiFixture {
protected:
    void SetUp() override {
        UiFixture::SetUp();
        g_heard = Heard{};
        WNDCLASSW wc{};
        wc.lpfnWndProc = OwnerProc;
        wc.lpszClassName = L"MenuOwner";
        RegisterClassW(&wc);
        owner = Keep(CreateWindowExW(0, L"MenuOwner", L"owner", WS_POPUP | WS_VISIBLE, 100, 100, 300, 200, nullptr,
                                     nullptr, nullptr, nullptr));
        menu.CreatePopupMenu();
        menu.AppendMenu(MF_STRING, 10, L"&Undo");
        menu.AppendMenu(MF_SEPARATOR);
        menu.AppendMenu(MF_STRING, 11, L"Cu&t");
        menu.AppendMenu(MF_STRING, 12, L"&Copy");
        menu.AppendMenu(MF_STRING | MF_GRAYED, 13, L"&Paste");
    }
    UINT Track(UINT flags = TPM_RETURNCMD) {
        return static_cast<UINT>(::TrackPopupMenu(menu, flags, 0, 0, 0, owner, nullptr));
    }
    HWND owner = nullptr;
    CMenu menu;
};

}  // namespace

TEST_F(PopupMenu, ScriptAnswersChooseCancelOrMismatch) {
    struct Case {
        const wchar_t* script;
        UINT result;
        bool mismatch;
        const wchar_t* transcript;
    };
    const wchar_t* listing = L"Undo | - | Cut | Copy | [Paste]";
    const Case cases[] = {
        {L"popup Copy", 12, false, L"Copy"},
        {L"popup cut", 11, false, L"Cut"},           // without regard to case
        {L"popup <cancel>", 0, false, L"<cancel>"},
        {L"popup Paste", 0, true, L"<cancel>"},      // greyed
        {L"popup Redo", 0, true, L"<cancel>"},       // no such entry
        {L"", 0, true, L"<cancel>"},                 // no answer in the script
        {L"dialog 7000 click 1", 0, true, L"<cancel>"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.script);
        Script(c.script);
        vplat::Transcript::Get().Clear();
        g_heard = Heard{};
        EXPECT_EQ(Track(), c.result);
        EXPECT_EQ(!Mismatches().empty(), c.mismatch);
        EXPECT_EQ(g_heard.initPopup, std::vector<HMENU>{menu.m_hMenu});
        EXPECT_EQ(vplat::Transcript::Get().Events("popup"),
                  std::vector<std::wstring>{std::wstring(listing) + L" -> " + c.transcript});
        vplat::UserInput::Pump();
        EXPECT_TRUE(g_heard.commands.empty());  // the command was returned, not posted
    }
}

TEST_F(PopupMenu, WithoutReturnCommandTheChoiceIsPostedToTheOwner) {
    Script(L"popup Undo\npopup <cancel>");
    EXPECT_TRUE(Track(TPM_RIGHTBUTTON));
    EXPECT_TRUE(g_heard.commands.empty());
    vplat::UserInput::Pump();
    EXPECT_EQ(g_heard.commands, std::vector<UINT>{10});
    EXPECT_TRUE(Track(TPM_RIGHTBUTTON));  // cancelled, yet no failure
    vplat::UserInput::Pump();
    EXPECT_EQ(g_heard.commands, std::vector<UINT>{10});
    EXPECT_TRUE(Mismatches().empty());
}

TEST_F(PopupMenu, EntriesEnabledReadAndNestedByCommand) {
    EXPECT_EQ(menu.EnableMenuItem(13, MF_ENABLED), MF_GRAYED);
    EXPECT_EQ(menu.EnableMenuItem(11, MF_BYCOMMAND | MF_GRAYED), MF_ENABLED);
    EXPECT_EQ(menu.EnableMenuItem(1, MF_BYPOSITION | MF_DISABLED), MF_ENABLED);  // the separator
    EXPECT_EQ(menu.EnableMenuItem(99, MF_GRAYED), static_cast<UINT>(-1));
    Script(L"popup Paste\npopup Cut");
    EXPECT_EQ(Track(), 13u);
    EXPECT_EQ(Track(), 0u);
    EXPECT_EQ(Mismatches().size(), 1u);

    CMenu sub;
    sub.CreatePopupMenu();
    sub.AppendMenu(MF_STRING, 20, L"&Inner");
    HMENU subHandle = sub.Detach();  // the outer menu owns it from here
    ASSERT_TRUE(menu.AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(subHandle), L"&More"));
    EXPECT_EQ(menu.GetMenuItemCount(), 6u);
    EXPECT_EQ(menu.GetMenuItemID(1), 0u);
    EXPECT_EQ(menu.GetMenuItemID(5), static_cast<UINT>(-1));
    EXPECT_EQ(menu.GetMenuItemID(6), static_cast<UINT>(-1));
    ASSERT_NE(menu.GetSubMenu(5), nullptr);
    EXPECT_EQ(menu.GetSubMenu(5)->m_hMenu, subHandle);
    EXPECT_EQ(menu.GetSubMenu(0), nullptr);
    CString text;
    EXPECT_EQ(menu.GetMenuString(20, text, MF_BYCOMMAND), 6);  // found in the sub-menu
    EXPECT_EQ(text, CString(L"&Inner"));
    wchar_t small[4];
    EXPECT_EQ(GetMenuStringW(menu, 2, small, 4, MF_BYPOSITION), 3);
    EXPECT_EQ(std::wstring(small), L"Cu&");
    EXPECT_EQ(menu.EnableMenuItem(20, MF_GRAYED), MF_ENABLED);
    menu.DestroyMenu();
    EXPECT_EQ(GetMenuItemCount(subHandle), -1);  // destroyed with its menu
}

TEST_F(PopupMenu, RightButtonReleaseAsksTheWindowForItsContextMenu) {
    vplat::UserInput::Click(owner, POINT{30, 40}, true);
    vplat::UserInput::Pump();
    ASSERT_EQ(g_heard.contextMenus.size(), 1u);
    EXPECT_EQ(g_heard.contextMenus[0].x, 130);
    EXPECT_EQ(g_heard.contextMenus[0].y, 140);
}
