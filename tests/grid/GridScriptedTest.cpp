// A person at a dialog holding a grid, acting through the input script.
#include "GridFixture.h"

namespace {

constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;
const DLGITEMTEMPLATE kItems[] = {
    {kChild | BS_DEFPUSHBUTTON | WS_TABSTOP, 0, 130, 200, 50, 14, IDOK, L"BUTTON", L"OK"},
    {kChild | BS_PUSHBUTTON | WS_TABSTOP, 0, 190, 200, 50, 14, IDCANCEL, L"BUTTON", L"Annulla"},
};
const DLGTEMPLATE kTemplate = {WS_POPUP | WS_CAPTION | DS_MODALFRAME | DS_SETFONT, 0, 0, 0, 250, 220, L"Griglia",
                               L"MS Shell Dlg", 8, kItems, static_cast<int>(std::size(kItems)), 9200};

// The grid 7013 made at run time: 8 x 4 cells, one fixed row and column,
// columns 60 wide and rows 20 high in a 300 x 100 client.
struct Dialog {
    CGridCtrl* grid = nullptr;
    bool titleBlock = false;
    std::vector<UINT> codes;
    int downKeys = 0;
    CCellSpan selected = CCellSpan();
    CCellID focus = CCellID();
    CString edited;
};
Dialog g_dialog;

INT_PTR Proc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_INITDIALOG) {
        CGridCtrl* grid = g_dialog.grid = new CGridCtrl(8, 4, 1, 1);
        grid->Create(CRect(0, 0, 300, 100), CWnd::FromHandle(dlg), 7013, WS_CHILD | WS_VISIBLE | WS_TABSTOP);
        if (g_dialog.titleBlock) SetUpLikeTitleBlock(*grid);
        for (int c = 0; c < grid->GetColumnCount(); ++c) grid->SetWidthOfColumn(c, 60);
        for (int r = 0; r < grid->GetRowCount(); ++r) {
            grid->SetRowHeight(r, 20);
            for (int c = 0; c < grid->GetColumnCount(); ++c)
                grid->SetCellText(r, c, (std::to_wstring(r) + L"." + std::to_wstring(c)).c_str());
        }
        grid->UpdateScrollBars();
        return TRUE;
    }
    if (msg == WM_NOTIFY) {
        g_dialog.codes.push_back(reinterpret_cast<NMHDR*>(lParam)->code);
        return TRUE;
    }
    if (msg == WM_COMMAND) {
        if (LOWORD(wParam) == IDCANCEL || LOWORD(wParam) == IDOK) EndDialog(dlg, LOWORD(wParam));
        return TRUE;
    }
    if (msg == WM_DESTROY) {
        g_dialog.grid->DestroyWindow();
        delete g_dialog.grid;
        g_dialog.grid = nullptr;
    }
    return FALSE;
}

class GridScripted : public GridFixture {
protected:
    // Runs the dialog through the actions; the idle hook keeps what the grid
    // showed before the last action, and moves the clock on by one timer step.
    void Run(const std::wstring& actions, bool titleBlock = false) {
        g_dialog = Dialog{};
        g_dialog.titleBlock = titleBlock;
        Script(actions + L"dialog 9200 close\n");
        vplat::ModalLoop::SetIdleHook([](HWND, int) {
            if (!g_dialog.grid) return;
            g_dialog.selected = g_dialog.grid->GetSelectedSpan();
            g_dialog.focus = g_dialog.grid->GetFocusCell();
            if (HWND editor = ::GetDlgItem(g_dialog.grid->m_hWnd, IDC_INPLACE_CONTROL)) g_dialog.edited = Text(editor);
            vplat::Clock::Get().Advance(25);
        });
        DialogBoxIndirectParamW(nullptr, &kTemplate, nullptr, Proc, 0);
        vplat::ModalLoop::SetIdleHook(nullptr);
    }
};

}  // namespace

TEST_F(GridScripted, ShiftPressAndDragSelectBlocks) {
    Run(L"dialog 9200 click 7013 at 90,30\n"
        L"dialog 9200 SHIFT+press 7013 at 150,70\n"
        L"dialog 9200 release 7013 at 150,70\n"
        L"dialog 9200 idle\n");
    EXPECT_EQ(g_dialog.selected, CCellSpan(1, 1, 3, 2));
    EXPECT_TRUE(Mismatches().empty());

    Run(L"dialog 9200 drag 7013 from 90,30 to 150,70\n"
        L"dialog 9200 idle\n");
    EXPECT_EQ(g_dialog.selected, CCellSpan(1, 1, 3, 2));
    EXPECT_EQ(g_dialog.focus, CCellID(3, 2));
    EXPECT_TRUE(Mismatches().empty());
}

TEST_F(GridScripted, APointOutsideTheControlIsAMismatch) {
    Run(L"dialog 9200 click 7013 at 400,30\n");
    ASSERT_EQ(Mismatches().size(), 1u);
    EXPECT_NE(Mismatches()[0].find(L"outside"), std::wstring::npos);
}

// Held below the client, the timer steps the focus down and the selection follows.
TEST_F(GridScripted, DraggingBelowTheClientScrollsDown) {
    Run(L"dialog 9200 press 7013 at 90,30\n"
        L"dialog 9200 move 7013 at 90,140\n"
        L"dialog 9200 idle\n"
        L"dialog 9200 idle\n"
        L"dialog 9200 idle\n"
        L"dialog 9200 idle\n"
        L"dialog 9200 release 7013 at 90,140\n");
    EXPECT_EQ(g_dialog.selected.minRow, 1);
    EXPECT_GE(g_dialog.selected.maxRow, 5);
    EXPECT_EQ(g_dialog.selected.minCol, 1);
}

// The title-block set-up: selection off, the label column read-only.
TEST_F(GridScripted, TitleBlockEditingThroughTheScript) {
    Run(L"dialog 9200 click 7013 at 90,30\n"
        L"dialog 9200 press 7013 at 90,30\n"
        L"dialog 9200 move 7013 at 93,30\n"
        L"dialog 9200 release 7013 at 93,30\n"
        L"dialog 9200 type Nuovo\n"
        L"dialog 9200 idle\n",
        true);
    EXPECT_EQ(g_dialog.edited, L"1.1Nuovo");
    EXPECT_EQ(g_dialog.focus, CCellID(1, 1));
    EXPECT_FALSE(g_dialog.selected.IsValid());  // selection off: nothing is ever selected
    std::vector<UINT> firstClick(g_dialog.codes.begin(), g_dialog.codes.begin() + 3);
    EXPECT_EQ(firstClick, (std::vector<UINT>{LVN_ITEMCHANGING, LVN_ITEMCHANGED, NM_CLICK}));
    EXPECT_NE(std::find(g_dialog.codes.begin(), g_dialog.codes.end(), LVN_BEGINLABELEDITW), g_dialog.codes.end());
}
