// The grid under the user's hands: clicks, drags, keys, the title tip and the
// in-place editor, driven through the input queue as a person gives them.
#include <chrono>

#include "GridFixture.h"

namespace {

// A 6 x 4 grid with one fixed row and column; every column 60 wide and every
// row 20 high, so cell (r, c) has its top-left corner at (60 c, 20 r).
class GridInput : public GridFixture {
protected:
    void SetUp() override {
        GridFixture::SetUp();
        for (int r = 0; r < 6; ++r)
            for (int c = 0; c < 4; ++c) grid.SetCellText(r, c, (L"R" + std::to_wstring(r) + L"C" + std::to_wstring(c)).c_str());
        host = std::make_unique<GridHost<CGridCtrl>>(grid, 400, 300);
        for (int c = 0; c < 4; ++c) grid.SetWidthOfColumn(c, 60);
        for (int r = 0; r < 6; ++r) grid.SetRowHeight(r, 20);
        grid.UpdateScrollBars();
        grid.SetFocus();
        Pump();
        host->Top().notices.clear();
    }
    void TearDown() override {
        host.reset();
        GridFixture::TearDown();
    }
    static CPoint At(int row, int col) { return CPoint(60 * col + 30, 20 * row + 10); }
    static void Pump() { vplat::UserInput::Pump(); }
    void Click(CPoint p) {
        vplat::UserInput::Click(grid.m_hWnd, p);
        Pump();
    }
    void Key(UINT vk, bool shift = false, bool ctrl = false) {
        vplat::UserInput::Key(vk, shift, ctrl);
        Pump();
    }
    void Type(const std::wstring& text) {
        vplat::UserInput::Type(text);
        Pump();
    }
    HWND Editor() const { return ::GetDlgItem(grid.m_hWnd, IDC_INPLACE_CONTROL); }
    std::pair<int, int> EditorSelection() const {
        DWORD a = 0, b = 0;
        ::SendMessageW(Editor(), EM_GETSEL, reinterpret_cast<WPARAM>(&a), reinterpret_cast<LPARAM>(&b));
        return {static_cast<int>(a), static_cast<int>(b)};
    }
    std::vector<UINT> Codes() const {
        std::vector<UINT> codes;
        for (const auto& n : host->Top().notices) codes.push_back(n.code);
        return codes;
    }

    CGridCtrl grid{6, 4, 1, 1};
    std::unique_ptr<GridHost<CGridCtrl>> host;
};

}  // namespace

TEST_F(GridInput, AClickTellsTheOwnerInOrder) {
    Click(At(2, 2));
    EXPECT_EQ(grid.GetFocusCell(), CCellID(2, 2));
    EXPECT_TRUE(grid.IsSelected(2, 2));
    EXPECT_EQ(Codes(), (std::vector<UINT>{LVN_ITEMCHANGING, LVN_ITEMCHANGED, NM_CLICK}));
    EXPECT_EQ(host->Top().commands, std::vector<UINT>{1003});

    host->Top().notices.clear();
    vplat::UserInput::Click(grid.m_hWnd, CPoint(300, 200), true);
    Pump();
    ASSERT_EQ(Codes(), std::vector<UINT>{static_cast<UINT>(NM_RCLICK)});
    EXPECT_EQ(host->Top().notices[0].row, -1);
    EXPECT_EQ(host->Top().notices[0].col, -1);
}

TEST_F(GridInput, DraggingSelectsTheBlock) {
    vplat::UserInput::ButtonDown(grid.m_hWnd, At(1, 1));
    vplat::UserInput::MoveMouse([&] { CPoint p = At(3, 2); grid.ClientToScreen(&p); return p; }());
    vplat::UserInput::ButtonUp(grid.m_hWnd, At(3, 2));
    Pump();
    EXPECT_EQ(grid.GetSelectedSpan(), CCellSpan(1, 1, 3, 2));
    EXPECT_EQ(grid.SelectionMapSize(), 6u);
    for (int r = 1; r <= 3; ++r)
        for (int c = 1; c <= 2; ++c) EXPECT_TRUE(grid.CellState(r, c) & CELL_SELECTED) << r << "," << c;
    EXPECT_FALSE(grid.CellState(4, 1) & CELL_SELECTED);
    EXPECT_EQ(grid.GetFocusCell(), CCellID(3, 2));
}

// Keys from a focus cell, with row 3 and column 2 hidden.
TEST_F(GridInput, KeysMoveTheFocus) {
    grid.SetRowHeight(3, 0);
    grid.SetWidthOfColumn(2, 0);
    struct Case {
        CCellID from;
        UINT key;
        bool shift;
        CCellID to;
    } cases[] = {
        {CCellID(2, 1), VK_DOWN, false, CCellID(4, 1)},   // skips the hidden row
        {CCellID(4, 1), VK_UP, false, CCellID(2, 1)},
        {CCellID(1, 1), VK_UP, false, CCellID(1, 1)},     // never into the fixed row
        {CCellID(1, 1), VK_RIGHT, false, CCellID(1, 3)},  // skips the hidden column
        {CCellID(1, 3), VK_RIGHT, false, CCellID(1, 3)},
        {CCellID(1, 3), VK_LEFT, false, CCellID(1, 1)},
        {CCellID(1, 3), VK_TAB, false, CCellID(2, 1)},    // wraps to the next row
        {CCellID(2, 3), VK_TAB, false, CCellID(4, 1)},    // past the hidden row
        {CCellID(4, 1), VK_TAB, true, CCellID(2, 3)},     // Shift+Tab wraps up
        {CCellID(1, 1), VK_TAB, true, CCellID(1, 1)},     // not above the first body row
        {CCellID(5, 3), VK_TAB, false, CCellID(5, 3)},    // no later row: no wrap
        {CCellID(5, 3), VK_RETURN, false, CCellID(5, 3)},
        {CCellID(2, 3), VK_HOME, false, CCellID(2, 1)},
        {CCellID(2, 1), VK_END, false, CCellID(2, 3)},
    };
    for (const Case& c : cases) {
        grid.MoveFocus(c.from);
        grid.SetFocus();
        Key(c.key, c.shift);
        // Return and Space open an editor as the Part's keys do; close it again.
        if (Editor()) grid.FinishOpenEdit(), Pump();
        EXPECT_EQ(grid.GetFocusCell(), c.to) << c.from.row << "," << c.from.col << " key " << c.key;
    }
}

TEST_F(GridInput, PageDownMovesByTheRowsScrolled) {
    CGridCtrl big(200, 3, 1, 1);
    GridHost<CGridCtrl> bigHost(big, 200, 100);
    big.MoveFocus(1, 1);
    big.SetFocus();
    int before = big.FirstScrolledCell().row;
    Key(VK_NEXT);
    int moved = big.FirstScrolledCell().row - before;
    ASSERT_GT(moved, 0);
    EXPECT_EQ(big.GetFocusCell(), CCellID(1 + moved, 1));
    big.MoveFocus(199, 1);
    Key(VK_NEXT);  // the view cannot move: the last row
    EXPECT_EQ(big.GetFocusCell(), CCellID(199, 1));
    Key(VK_PRIOR);
    EXPECT_LT(big.GetFocusCell().row, 199);
}

TEST_F(GridInput, CtrlHomeAndEndReachTheEndsOfManyRowsQuickly) {
    CGridCtrl big(100000, 3, 1, 1);
    GridHost<CGridCtrl> bigHost(big, 200, 100);
    big.MoveFocus(500, 1);
    big.SetFocus();
    auto start = std::chrono::steady_clock::now();
    Key(VK_END, false, true);
    EXPECT_EQ(big.GetFocusCell().row, 99999);
    EXPECT_TRUE(big.IsCellShown(99999, big.GetFocusCell().col));
    Key(VK_HOME, false, true);
    EXPECT_EQ(big.GetFocusCell(), CCellID(1, 1));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
}

TEST_F(GridInput, ColumnBorderDrags) {
    auto drag = [&](CPoint from, CPoint to) {
        vplat::Clock::Get().Advance(5000);  // never a double click
        vplat::UserInput::MoveMouse([&] { CPoint p = from; grid.ClientToScreen(&p); return p; }());
        Pump();
        vplat::UserInput::ButtonDown(grid.m_hWnd, from);
        vplat::UserInput::ButtonUp(grid.m_hWnd, to);
        Pump();
    };
    // The border between columns 1 and 2 lies at x = 120, in the fixed row.
    drag(CPoint(120, 10), CPoint(150, 10));
    EXPECT_EQ(grid.GetColumnWidth(1), 90);
    EXPECT_EQ(grid.GetMouseMode(), MOUSE_NOTHING);
    RECT clip;
    GetClipCursor(&clip);
    EXPECT_EQ(clip.right, GetSystemMetrics(SM_CXSCREEN));  // the pointer is free again
    EXPECT_EQ(GetCapture(), nullptr);

    drag(CPoint(150, 10), CPoint(150, 10));  // released where pressed
    EXPECT_EQ(grid.GetColumnWidth(1), 90);

    grid.columnsShrinkToZero = 0;
    drag(CPoint(150, 10), CPoint(40, 10));  // left of the column's left edge
    EXPECT_EQ(grid.GetColumnWidth(1), 1);
    grid.columnsShrinkToZero = 1;
    drag(CPoint(61, 10), CPoint(40, 10));
    EXPECT_EQ(grid.GetColumnWidth(1), 0);
}

TEST_F(GridInput, DoubleClickingABorderFitsTheColumnLeftOfIt) {
    grid.SetCellText(0, 1, L"a long heading for column one");
    grid.SetCellText(2, 1, L"a longer text");
    CPoint border(120, 10);
    for (int scope : {3, 2}) {
        grid.autoSizeScope = scope;
        grid.SetWidthOfColumn(1, 60);
        vplat::Clock::Get().Advance(5000);
        CPoint s = border;
        grid.ClientToScreen(&s);
        vplat::UserInput::MoveMouse(s);
        Pump();
        vplat::UserInput::Click(grid.m_hWnd, border);
        Pump();
        // The platform sends a move after the capture goes; the pointer is over the border again.
        vplat::UserInput::MoveMouse(s);
        vplat::UserInput::Click(grid.m_hWnd, border);
        Pump();
        CGridCtrl reference(6, 4, 1, 1);
        for (int r = 0; r < 6; ++r) reference.SetCellText(r, 1, grid.CellText(r, 1));
        reference.FitColumnToCells(1, static_cast<UINT>(scope));
        EXPECT_EQ(grid.GetColumnWidth(1), reference.GetColumnWidth(1)) << scope;
    }
}

TEST_F(GridInput, AHiddenColumnIsNotDraggedOpenWithoutUnhide) {
    grid.hiddenColumnDragUnhide = 0;
    grid.SetWidthOfColumn(2, 0);  // columns 1 and 2 now both end at x = 120
    CPoint border(121, 10);
    CPoint s = border;
    grid.ClientToScreen(&s);
    vplat::UserInput::MoveMouse(s);
    Pump();
    vplat::UserInput::ButtonDown(grid.m_hWnd, border);
    vplat::UserInput::ButtonUp(grid.m_hWnd, CPoint(151, 10));
    Pump();
    EXPECT_EQ(grid.GetColumnWidth(2), 0);  // the visible column left of it was sized
    EXPECT_EQ(grid.GetColumnWidth(1), 91);
}

TEST_F(GridInput, LosingTheMouseWhileSizingFreesThePointer) {
    CPoint s(119, 10);
    grid.ClientToScreen(&s);
    vplat::UserInput::MoveMouse(s);
    Pump();
    vplat::UserInput::ButtonDown(grid.m_hWnd, CPoint(119, 10));
    Pump();
    ASSERT_EQ(grid.GetMouseMode(), MOUSE_SIZING_COLUMN);
    RECT clip;
    GetClipCursor(&clip);
    EXPECT_LT(clip.right, GetSystemMetrics(SM_CXSCREEN));
    host->Top().SetCapture();
    EXPECT_EQ(grid.GetMouseMode(), MOUSE_NOTHING);
    GetClipCursor(&clip);
    EXPECT_EQ(clip.right, GetSystemMetrics(SM_CXSCREEN));
    ReleaseCapture();
}

// --- The in-place editor ------------------------------------------------------

TEST_F(GridInput, F2OpensWithTheCaretAtTheEnd) {
    grid.MoveFocus(1, 1);
    Key(VK_F2);
    ASSERT_TRUE(Editor());
    EXPECT_EQ(Text(Editor()), L"R1C1");
    EXPECT_EQ(EditorSelection(), (std::pair{4, 4}));
    Key(VK_LEFT);  // opened by F2: the arrows move the caret
    EXPECT_TRUE(Editor());
    EXPECT_EQ(EditorSelection(), (std::pair{3, 3}));
}

// "(" is also the code of the Down key: typed, it replaces the text like any character.
TEST_F(GridInput, TypedCharactersReplaceTheText) {
    grid.SetCellText(1, 1, L"abc");
    grid.MoveFocus(1, 1);
    Type(L"(x)");
    ASSERT_TRUE(Editor());
    EXPECT_EQ(Text(Editor()), L"(x)");
    Key(VK_RETURN);
    EXPECT_EQ(grid.CellText(1, 1), L"(x)");
    EXPECT_TRUE(grid.IsModified(1, 1));
}

TEST_F(GridInput, KeysThatEndAnEditOpenTheNextCell) {
    grid.MoveFocus(1, 1);
    Type(L"z");
    Key(VK_RETURN);  // Return: the next cell's editor, caret at the end
    EXPECT_EQ(grid.CellText(1, 1), L"z");
    EXPECT_EQ(grid.GetFocusCell(), CCellID(1, 2));
    ASSERT_TRUE(Editor());
    EXPECT_EQ(Text(Editor()), L"R1C2");
    EXPECT_EQ(EditorSelection(), (std::pair{4, 4}));
    grid.FinishOpenEdit();
    Pump();

    Type(L"q");  // opened by typing: Right ends the edit and selects the next text whole
    Key(VK_RIGHT);
    EXPECT_EQ(grid.CellText(1, 2), L"q");
    EXPECT_EQ(grid.GetFocusCell(), CCellID(1, 3));
    ASSERT_TRUE(Editor());
    EXPECT_EQ(Text(Editor()), L"R1C3");
    EXPECT_EQ(EditorSelection(), (std::pair{0, 4}));
    Key(VK_ESCAPE);
    EXPECT_FALSE(Editor());
    EXPECT_EQ(grid.CellText(1, 3), L"R1C3");

    grid.MoveFocus(5, 3);  // Return in the last cell reopens the same cell
    Type(L"w");
    Key(VK_RETURN);
    EXPECT_EQ(grid.CellText(5, 3), L"w");
    EXPECT_EQ(grid.GetFocusCell(), CCellID(5, 3));
    EXPECT_TRUE(Editor());
}

TEST_F(GridInput, RefusedEditsLeaveTheOldText) {
    struct Case {
        UINT refused;  // notification answered -1, 0 for none
        bool check;    // the cell refuses the text
        bool opens;
    } cases[] = {{LVN_BEGINLABELEDITW, false, false}, {LVN_ENDLABELEDITW, false, true}, {0, true, true}};
    struct Refusing : CGridCell {
        bool refuse = false;
        BOOL CheckEdit(LPCWSTR) override { return !refuse; }
    };
    for (const Case& c : cases) {
        auto* cell = new Refusing;
        cell->refuse = c.check;
        delete grid.CellAt(1, 1);  // PutCell leaves the replaced cell to its caller
        grid.PutCell(1, 1, cell);
        cell->AttachGrid(&grid);
        grid.SetCellText(1, 1, L"old");
        host->Top().answer = [&](NMHDR* hdr) -> LRESULT { return hdr->code == c.refused ? -1 : 0; };
        grid.MoveFocus(1, 1);
        grid.SetFocus();
        Type(L"n");
        EXPECT_EQ(Editor() != nullptr, c.opens);
        if (Editor()) grid.FinishOpenEdit();
        Pump();
        EXPECT_FALSE(Editor());
        EXPECT_EQ(grid.CellText(1, 1), L"old") << c.refused;
        EXPECT_FALSE(grid.IsCellEditing(1, 1));
        host->Top().answer = nullptr;
        grid.FinishOpenEdit();
        Pump();
    }
}

TEST_F(GridInput, TheEditorGrowsToTheGridsEdgeAndNeverShrinks) {
    grid.SetWidthOfColumn(3, 60);
    grid.MoveFocus(1, 3);  // the last column: x 180..239 of a 400-wide client
    Key(VK_F2);
    ASSERT_TRUE(Editor());
    auto width = [&] {
        RECT r;
        GetWindowRect(Editor(), &r);
        return static_cast<int>(r.right - r.left);
    };
    int first = width();
    Type(std::wstring(10, L'm'));
    int grown = width();
    EXPECT_GT(grown, first);
    Type(std::wstring(200, L'm'));
    RECT r, client;
    GetWindowRect(Editor(), &r);
    grid.GetClientRect(&client);
    POINT right{r.right, 0};
    ScreenToClient(grid.m_hWnd, &right);
    EXPECT_EQ(right.x, client.right);
    for (int i = 0; i < 150; ++i) Key(VK_BACK);
    EXPECT_EQ(width(), static_cast<int>(r.right - r.left));
}

// Without drag and drop a small motion after pressing on the focus cell's
// text still ends in an edit.
TEST_F(GridInput, APressOnTheFocusTextThatMovesStillEdits) {
    SetUpLikeTitleBlock(grid);
    for (int c = 0; c < 3; ++c) grid.SetWidthOfColumn(c, c == 0 ? 130 : 70);
    grid.SetCellText(1, 1, L"Valore");
    grid.MoveFocus(1, 1);
    CPoint p(160, 32);
    vplat::UserInput::ButtonDown(grid.m_hWnd, p);
    CPoint s(163, 32);
    grid.ClientToScreen(&s);
    vplat::UserInput::MoveMouse(s);
    vplat::UserInput::ButtonUp(grid.m_hWnd, CPoint(163, 32));
    Pump();
    ASSERT_TRUE(Editor());
    EXPECT_EQ(Text(Editor()), L"Valore");
    EXPECT_EQ(grid.GetFocusCell(), CCellID(1, 1));
    EXPECT_TRUE(grid.IsCellEditing(1, 1));
}

// --- The title tip ---------------------------------------------------------------

TEST_F(GridInput, TheTitleTipShowsOnlyACutOffText) {
    grid.SetCellText(1, 1, L"a text far too long for a cell sixty pixels wide");
    CPoint s = At(1, 1);
    grid.ClientToScreen(&s);
    vplat::UserInput::MoveMouse(s);
    Pump();
    CTitleTip& tip = grid.TitleTip();
    ASSERT_TRUE(tip.GetSafeHwnd());
    ASSERT_TRUE(tip.IsWindowVisible());
    RECT tipRect, cell;
    tip.GetWindowRect(&tipRect);
    grid.CellBounds(1, 1, &cell);
    CPoint topLeft(cell.left, cell.top);
    grid.ClientToScreen(&topLeft);
    EXPECT_EQ(tipRect.left, topLeft.x);
    EXPECT_EQ(tipRect.top, topLeft.y);
    EXPECT_GT(tipRect.right - tipRect.left, 60);
    EXPECT_EQ(GetCapture(), tip.m_hWnd);

    // Leaving the cell hides it.
    CPoint away = At(3, 3);
    grid.ClientToScreen(&away);
    vplat::UserInput::MoveMouse(away);
    Pump();
    EXPECT_FALSE(tip.IsWindowVisible());
    EXPECT_NE(GetCapture(), tip.m_hWnd);

    // A short text shows none.
    CPoint shortText = At(2, 2);
    grid.ClientToScreen(&shortText);
    vplat::UserInput::MoveMouse(shortText);
    Pump();
    EXPECT_FALSE(tip.IsWindowVisible());
}

TEST_F(GridInput, TheTipHandsAPressBackToTheGrid) {
    grid.SetCellText(2, 1, L"a text far too long for a cell sixty pixels wide");
    CPoint s = At(2, 1);
    grid.ClientToScreen(&s);
    vplat::UserInput::MoveMouse(s);
    Pump();
    CTitleTip& tip = grid.TitleTip();
    ASSERT_TRUE(tip.IsWindowVisible());
    CPoint inTip = s;
    tip.ScreenToClient(&inTip);
    MSG msg{tip.m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(inTip.x, inTip.y), 0, {}};
    EXPECT_TRUE(tip.PreTranslateMessage(&msg));
    EXPECT_FALSE(tip.IsWindowVisible());
    Pump();
    EXPECT_EQ(grid.GetFocusCell(), CCellID(2, 1));
}

// A tip shown before tips were switched off goes with the grid.
TEST_F(GridInput, TheTipGoesWithTheGridEvenWhenTipsWereSwitchedOff) {
    HWND tipWindow = nullptr;
    {
        CGridCtrl other(3, 3, 1, 1);
        GridHost<CGridCtrl> otherHost(other, 200, 100);
        other.SetCellText(1, 1, L"a text far too long for a cell sixty pixels wide");
        other.SetFocus();
        CPoint s(other.GetColumnWidth(0) + 5, other.GetRowHeight(0) + 5);
        other.ClientToScreen(&s);
        vplat::UserInput::MoveMouse(s);
        Pump();
        ASSERT_TRUE(other.TitleTip().IsWindowVisible());
        tipWindow = other.TitleTip().m_hWnd;
        other.titleTips = 0;
    }
    EXPECT_FALSE(IsWindow(tipWindow));
    EXPECT_EQ(GetCapture(), nullptr);
}

// With selection off (the title-block dialog) clicks and keys move the focus,
// nothing is ever selected, and Delete clears no text.
TEST_F(GridInput, WithoutSelectionOnlyTheFocusMoves) {
    grid.selectionEnabled = 0;
    Click(At(2, 2));
    EXPECT_EQ(grid.GetFocusCell(), CCellID(2, 2));
    vplat::UserInput::ButtonDown(grid.m_hWnd, At(1, 1));
    CPoint s = At(3, 3);
    grid.ClientToScreen(&s);
    vplat::UserInput::MoveMouse(s);
    vplat::UserInput::ButtonUp(grid.m_hWnd, At(3, 3));
    Pump();
    Key(VK_DOWN, true);
    Key(VK_DELETE);
    EXPECT_EQ(grid.SelectionMapSize(), 0u);
    for (int r = 1; r < 6; ++r)
        for (int c = 1; c < 4; ++c) EXPECT_FALSE(grid.CellState(r, c) & CELL_SELECTED);
    EXPECT_EQ(grid.CellText(4, 3), L"R4C3");

    grid.selectionEnabled = 1;  // the same Delete with a selection clears it
    Click(At(5, 1));
    vplat::Clock::Get().Advance(5000);
    Click(At(4, 3));
    Key(VK_DELETE);
    EXPECT_EQ(grid.CellText(4, 3), CString(L""));
}

TEST_F(GridInput, ACheckBoxTogglesOnTheFirstClick) {
    grid.selectionEnabled = 0;
    grid.SetCellKind(2, 1, RUNTIME_CLASS(CGridCellCheck));
    grid.SetCellText(2, 1, L"");
    grid.RedrawWindow();
    Pump();
    auto* cell = static_cast<CGridCellCheck*>(grid.CellAt(2, 1));
    CRect box = cell->GetCheckPlacement();
    grid.MarkModified(FALSE);
    host->Top().notices.clear();
    Click(box.CenterPoint());
    EXPECT_EQ(cell->GetCheck(), 1);
    EXPECT_FALSE(grid.IsModified());
    Click(box.CenterPoint());  // the second click does not open an editor: it toggles back
    EXPECT_EQ(cell->GetCheck(), 0);
}

// The tip shows only when the padded text is wider than the rectangle.
TEST_F(GridInput, ATextThatFitsExactlyShowsNoTip) {
    const wchar_t* text = L"misura";
    CTitleTip& tip = grid.TitleTip();
    tip.Create(&grid);
    CSize extent;
    {
        CClientDC dc(&tip);
        CFont* old = dc.SelectObject(CFont::FromHandle(reinterpret_cast<HFONT>(grid.SendMessage(WM_GETFONT))));
        extent = dc.GetTextExtent(CString(L" ") + text + L" ");
        TEXTMETRICW tm{};
        dc.GetTextMetrics(&tm);
        extent.cx += tm.tmOverhang;
        dc.SelectObject(old);
    }
    for (int offset : {0, 3}) {
        tip.Show(CRect(10, 20, 10 + extent.cx + 3 * offset, 40), text, offset);
        EXPECT_FALSE(tip.IsWindowVisible()) << offset;
        tip.Show(CRect(10, 20, 10 + extent.cx + 3 * offset - 1, 40), text, offset);
        ASSERT_TRUE(tip.IsWindowVisible()) << offset;
        RECT shown;
        tip.GetWindowRect(&shown);
        CPoint origin(10 + offset, 20);
        grid.ClientToScreen(&origin);
        EXPECT_EQ(shown.left, origin.x);
        EXPECT_EQ(shown.top, origin.y);
        EXPECT_EQ(shown.right - shown.left, offset + extent.cx);
        EXPECT_EQ(shown.bottom - shown.top, 20);
        tip.Show(CRect(10, 20, 11, 40), L"other", offset);  // already visible: nothing changes
        tip.GetWindowRect(&shown);
        EXPECT_EQ(shown.right - shown.left, offset + extent.cx);
        tip.Hide();
    }
}
