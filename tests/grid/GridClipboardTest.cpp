// Cell texts through the clipboard: copy, cut, paste and the edit commands' state.
#include "GridFixture.h"

namespace {

// A 4 x 4 grid, one fixed row and column; body texts "A1".."C3" (column
// letter, row number).
class GridClipboard : public GridFixture {
protected:
    void SetUp() override {
        GridFixture::SetUp();
        for (int r = 1; r < 4; ++r)
            for (int c = 1; c < 4; ++c)
                grid.SetCellText(r, c, (std::wstring(1, static_cast<wchar_t>(L'A' + c - 1)) + std::to_wstring(r)).c_str());
        host = std::make_unique<GridHost<CGridCtrl>>(grid, 300, 200);
        grid.SetFocus();
    }
    void TearDown() override {
        host.reset();
        GridFixture::TearDown();
    }
    void Key(UINT vk, bool shift = false, bool ctrl = false) {
        vplat::UserInput::Key(vk, shift, ctrl);
        vplat::UserInput::Pump();
    }
    bool Enabled(void (CGridCtrl::*handler)(CCmdUI*)) {
        CCmdUI ui;
        (grid.*handler)(&ui);
        return ui.m_bEnabled;
    }

    CGridCtrl grid{4, 4, 1, 1};
    std::unique_ptr<GridHost<CGridCtrl>> host;
};

}  // namespace

TEST_F(GridClipboard, CopyWritesTheSelectedBlock) {
    grid.SelectSpan(1, 1, 2, 3);
    grid.SetCellState(1, 2, grid.CellState(1, 2) & ~CELL_SELECTED);
    grid.MoveFocus(1, 1);
    grid.editable = 0;  // copying needs no editing
    Key('C', false, true);
    EXPECT_EQ(vplat::Clipboard::Text(), "A1\t\tC1\r\nA2\tB2\tC2");

    // Hidden rows and columns are left out; characters outside the code page become "?".
    grid.SetCellText(3, 1, L"\u20ac\u0142");
    grid.SetWidthOfColumn(2, 0);
    grid.SetRowHeight(2, 0);
    grid.SelectSpan(1, 1, 3, 3);
    grid.OnEditCopy();
    EXPECT_EQ(vplat::Clipboard::Text(), "A1\tC1\r\n\x80?\tC3");
}

TEST_F(GridClipboard, CommandStates) {
    struct Case {
        bool selection, editable, focusReadOnly, clipboardText;
        bool copy, cut, paste;
    } cases[] = {
        {false, true, false, true, false, false, true},
        {true, true, false, true, true, true, true},
        {true, false, false, true, true, false, false},
        {true, true, true, true, true, true, false},
        {true, true, false, false, true, true, false},
    };
    for (const Case& c : cases) {
        grid.ClearSelection();
        grid.editable = c.editable;
        grid.MoveFocus(2, 2);
        if (c.selection) grid.SelectSpan(1, 1, 1, 1);
        grid.SetCellState(2, 2, c.focusReadOnly ? grid.CellState(2, 2) | CELL_READONLY : grid.CellState(2, 2) & ~CELL_READONLY);
        vplat::ResetClipboard();
        if (c.clipboardText) vplat::Clipboard::PutBytes(std::string("x", 2));
        EXPECT_EQ(Enabled(&CGridCtrl::OnUpdateEditCopy), c.copy);
        EXPECT_EQ(Enabled(&CGridCtrl::OnUpdateEditCut), c.cut);
        EXPECT_EQ(Enabled(&CGridCtrl::OnUpdateEditPaste), c.paste);
        EXPECT_TRUE(Enabled(&CGridCtrl::OnUpdateEditSelectAll));
    }
    grid.selectionEnabled = 0;
    EXPECT_FALSE(Enabled(&CGridCtrl::OnUpdateEditSelectAll));
}

TEST_F(GridClipboard, PasteFillsAndSelectsTheBlock) {
    grid.SetCellState(2, 2, grid.CellState(2, 2) | CELL_READONLY);
    vplat::Clipboard::PutBytes(std::string("x, y\n1\t2\t3\t4\n") + std::string(1, '\0'));
    std::vector<std::pair<int, int>> begun;
    host->Top().onNotify = [&](NMHDR* hdr) {
        if (hdr->code == LVN_BEGINLABELEDITW) {
            const int* at = reinterpret_cast<const int*>(hdr + 1);
            begun.emplace_back(at[0], at[1]);
        }
    };
    grid.MoveFocus(1, 1);
    Key('V', false, true);
    EXPECT_EQ(grid.CellText(1, 1), CString(L"x"));
    EXPECT_EQ(grid.CellText(1, 2), CString(L"y"));
    EXPECT_EQ(grid.CellText(1, 3), CString(L"C1"));  // the line had two fields
    EXPECT_EQ(grid.CellText(2, 1), CString(L"1"));
    EXPECT_EQ(grid.CellText(2, 2), CString(L"B2"));  // read-only
    EXPECT_EQ(grid.CellText(2, 3), CString(L"3"));   // the 4 is dropped
    EXPECT_EQ(grid.GetSelectedSpan(), CCellSpan(1, 1, 2, 3));
    EXPECT_EQ(begun, (std::vector<std::pair<int, int>>{{1, 1}, {1, 2}, {2, 1}, {2, 3}}));
}

TEST_F(GridClipboard, CutAndPasteNeedEditing) {
    grid.editable = 0;
    grid.SelectSpan(1, 1, 1, 1);
    grid.MoveFocus(1, 1);
    vplat::Clipboard::PutBytes("zz");
    Key('X', false, true);
    EXPECT_EQ(vplat::Clipboard::Text(), "zz");
    EXPECT_EQ(grid.CellText(1, 1), CString(L"A1"));
    Key(VK_INSERT, true);
    EXPECT_EQ(grid.CellText(1, 1), CString(L"A1"));

    grid.editable = 1;
    Key('X', false, true);
    EXPECT_EQ(vplat::Clipboard::Text(), "A1");
    EXPECT_EQ(grid.CellText(1, 1), CString(L""));
}

// Text placed by another program without a terminator is read up to the block's end.
TEST_F(GridClipboard, UnterminatedTextPastesOnlyItsBytes) {
    vplat::Clipboard::PutBytes(std::string("ab\tcd", 5));
    grid.MoveFocus(3, 1);
    grid.OnEditPaste();
    EXPECT_EQ(grid.CellText(3, 1), CString(L"ab"));
    EXPECT_EQ(grid.CellText(3, 2), CString(L"cd"));
    EXPECT_EQ(grid.CellText(3, 3), CString(L"C3"));
}

TEST_F(GridClipboard, PasteWhileEditingGoesIntoTheEditor) {
    vplat::Clipboard::PutBytes("nuovo");
    grid.MoveFocus(1, 1);
    Key(VK_F2);
    HWND editor = ::GetDlgItem(grid.m_hWnd, IDC_INPLACE_CONTROL);
    ASSERT_TRUE(editor);
    grid.OnEditPaste();
    EXPECT_EQ(Text(editor), L"A1nuovo");
    EXPECT_EQ(grid.CellText(1, 1), CString(L"A1"));
}

TEST_F(GridClipboard, TheTextOutlivesTheGrid) {
    {
        CGridCtrl other(2, 2);
        other.SetCellText(0, 0, L"resta");
        other.SelectSpan(0, 0, 0, 0);
        other.OnEditCopy();
        EXPECT_TRUE(COleDataSource::OwnsClipboard());
    }
    EXPECT_FALSE(COleDataSource::OwnsClipboard());
    EXPECT_EQ(vplat::Clipboard::Text(), "resta");
}
