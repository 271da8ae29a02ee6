// A person at a dialog holding a tree: control paths into the tree, held
// buttons, context menus answered by the script.
#include "OptionTreeFixture.h"

namespace {

constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;
const DLGITEMTEMPLATE kItems[] = {
    {kChild | BS_PUSHBUTTON | WS_TABSTOP, 0, 190, 7, 50, 14, 7013, L"BUTTON", L"Tasto"},
};
const DLGTEMPLATE kTemplate = {WS_POPUP | WS_CAPTION | DS_MODALFRAME | DS_SETFONT, 0, 0, 0, 250, 260, L"Albero",
                               L"MS Shell Dlg", 8, kItems, static_cast<int>(std::size(kItems)), 9100};

// The tree 7013 made at run time: a group (id 1) with spinner rows 2 and 3;
// the spinner of row 3 is disabled.
struct Dialog {
    COptionTree* tree = nullptr;
    std::vector<COptionTreeItemSpinnerDec*> rows;
    std::vector<int> commands;
    double value2 = 0, value3 = 0;
};
Dialog g_dialog;

INT_PTR Proc(HWND dlg, UINT msg, WPARAM wParam, LPARAM) {
    if (msg == WM_INITDIALOG) {
        g_dialog.tree = new COptionTree;
        g_dialog.tree->Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 263, 344), CWnd::FromHandle(dlg), OTS_INFOPANE, 7013);
        COptionTreeItem* group = g_dialog.tree->InsertItem(new COptionTreeItem);
        for (int i = 0; i < 2; ++i) {
            auto* row = new CMyOptionTreeItemSpinnerDec;
            g_dialog.tree->InsertItem(row, group);
            row->SetLabel(L"r");
            row->CreateSpinner(OTSB_EDITABLE, 2.5, 0, 100, 0.5, 3, 1);
            g_dialog.rows.push_back(row);
        }
        g_dialog.rows[1]->EnableWindow(FALSE);
        g_dialog.tree->ExpandAllItems();
        g_dialog.tree->SetColumn(167);  // spinners 91 x 20
        return TRUE;
    }
    if (msg == WM_COMMAND) {
        g_dialog.commands.push_back(LOWORD(wParam));
        if (LOWORD(wParam) == IDCANCEL) EndDialog(dlg, IDCANCEL);
        return TRUE;
    }
    if (msg == WM_DESTROY) {
        g_dialog.tree->DestroyWindow();
        delete g_dialog.tree;
        g_dialog.tree = nullptr;
    }
    return FALSE;
}

class ScriptedTree : public UiFixture {
protected:
    void SetUp() override {
        UiFixture::SetUp();
        g_dialog = Dialog{};
    }
    void Run(const std::wstring& actions) {
        g_dialog = Dialog{};
        Script(actions + L"dialog 9100 close\n");
        vplat::ModalLoop::SetIdleHook([](HWND, int) {
            if (!g_dialog.tree) return;
            g_dialog.value2 = g_dialog.rows[0]->GetValue();
            g_dialog.value3 = g_dialog.rows[1]->GetValue();
        });
        DialogBoxIndirectParamW(nullptr, &kTemplate, nullptr, Proc, 0);
    }
    static void PutOnClipboard(const wchar_t* text) {
        OpenClipboard(nullptr);
        EmptyClipboard();
        size_t n = std::wcslen(text) + 1;
        HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, n * sizeof(wchar_t));
        std::wmemcpy(static_cast<wchar_t*>(GlobalLock(h)), text, n);
        GlobalUnlock(h);
        SetClipboardData(CF_UNICODETEXT, h);
        CloseClipboard();
    }
};

}  // namespace

TEST_F(ScriptedTree, PathsReachTheTemplateButtonOrTheRunTimeTree) {
    int focused = 0;  // the focused row's id
    vplat::ModalLoop::SetIdleHook([&](HWND, int) {
        if (g_dialog.tree && g_dialog.tree->GetFocusedItem()) focused = g_dialog.tree->GetFocusedItem()->GetId();
    });
    Script(L"dialog 9100 click 7013\n"
           L"dialog 9100 click 7013/30000 at 200,31\n"
           L"dialog 9100 idle\n"
           L"dialog 9100 close\n");
    DialogBoxIndirectParamW(nullptr, &kTemplate, nullptr, Proc, 0);
    EXPECT_TRUE(Mismatches().empty());
    EXPECT_EQ(g_dialog.commands, (std::vector<int>{7013, IDCANCEL}));  // the button, then the close
    EXPECT_EQ(focused, 2);
}

TEST_F(ScriptedTree, EditUnderADisabledSpinnerCannotBeReached) {
    Run(L"dialog 9100 click 7013/30000 at 60,52\n"
        L"dialog 9100 set 7013/30000/3/1000 5\n"
        L"dialog 9100 idle\n");
    ASSERT_EQ(Mismatches().size(), 1u);
    EXPECT_NE(Mismatches()[0].find(L"hidden or disabled"), std::wstring::npos);
    EXPECT_EQ(g_dialog.value3, 2.5);
}

// The release comes outside the spinner: the spinner holds the mouse, hears it
// and stops stepping.
TEST_F(ScriptedTree, HeldButtonReleasedOutsideStopsStepping) {
    Run(L"dialog 9100 click 7013/30000 at 60,31\n"
        L"dialog 9100 press 7013/30000/2 at 80,5\n"
        L"dialog 9100 move 7013/30000 at 10,200\n"
        L"dialog 9100 release 7013/30000 at 10,200\n"
        L"clock advance 28\n"
        L"dialog 9100 idle\n"
        L"clock advance 28\n"
        L"dialog 9100 idle\n"
        L"clock advance 28\n"
        L"dialog 9100 idle\n");
    EXPECT_TRUE(Mismatches().empty());
    EXPECT_EQ(g_dialog.value2, 3.0);
}

TEST_F(ScriptedTree, ContextMenuPastesOrRefusesAGreyEntry) {
    const std::wstring paste = L"dialog 9100 click 7013/30000 at 60,31\n"
                               L"dialog 9100 focus 7013/30000/2/1000\n"
                               L"dialog 9100 rclick 7013/30000/2/1000\n"
                               L"popup Paste\n"
                               L"dialog 9100 idle\n";
    PutOnClipboard(L"7.5");
    Run(paste);
    EXPECT_TRUE(Mismatches().empty());
    EXPECT_EQ(g_dialog.value2, 7.5);

    vplat::ResetClipboard();  // Paste is grey now
    Run(paste);
    ASSERT_EQ(Mismatches().size(), 1u);
    EXPECT_NE(Mismatches()[0].find(L"disabled"), std::wstring::npos);
    EXPECT_EQ(g_dialog.value2, 2.5);
}
