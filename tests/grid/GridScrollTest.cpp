// Scroll bars, line, page and wheel scrolling, bringing cells into view.
#include "GridFixture.h"

namespace {

class GridScroll : public GridFixture {
protected:
    void TearDown() override {
        vplat::SystemSettings::Reset();
        GridFixture::TearDown();
    }
};

// The codes of the WM_VSCROLL messages waiting for the grid.
std::vector<UINT> PostedScrolls(CGridCtrl& grid) {
    std::vector<UINT> out;
    MSG msg;
    while (PeekMessageW(&msg, grid.GetSafeHwnd(), WM_VSCROLL, WM_VSCROLL, PM_REMOVE))
        out.push_back(LOWORD(msg.wParam));
    return out;
}

}  // namespace

TEST_F(GridScroll, ColumnsThatFitNeedNoHorizontalBar) {
    CGridCtrl grid(5, 3, 1, 1);
    GridHost host(grid, 400, 300);
    EXPECT_FALSE(grid.GetScrollBarState() & 1);
    EXPECT_EQ(grid.GetScrollMax(SB_HORZ), 0);
    grid.SendMessage(WM_HSCROLL, SB_LINERIGHT);
    EXPECT_EQ(grid.ReadScrollPos(SB_HORZ), 0);
    EXPECT_EQ(grid.FirstScrolledCell().col, 1);

    // Wider columns: the bar appears with the body width - 1 as its maximum.
    for (int c = 0; c < 3; ++c) grid.SetWidthOfColumn(c, 300);
    EXPECT_TRUE(grid.GetScrollBarState() & 1);
    EXPECT_EQ(grid.GetScrollMax(SB_HORZ), 599);
    grid.SendMessage(WM_HSCROLL, SB_LINERIGHT);
    EXPECT_EQ(grid.ReadScrollPos(SB_HORZ), 300);
    EXPECT_EQ(grid.FirstScrolledCell().col, 2);
    grid.SendMessage(WM_HSCROLL, SB_LEFT);
    EXPECT_EQ(grid.ReadScrollPos(SB_HORZ), 0);
}

// The horizontal bar is drawn in its strip below the cells: its arrows at
// either end and the track between them, as the vertical one is.
TEST_F(GridScroll, BothBarsArePaintedInTheirStrips) {
    CGridCtrl grid(50, 3, 1, 1);
    GridHost host(grid, 400, 300);
    for (int c = 0; c < 3; ++c) grid.SetWidthOfColumn(c, 300);
    ASSERT_EQ(grid.GetScrollBarState() & 3, 3);
    GridHost<CGridCtrl>::Pump();
    CRect window, client;
    grid.GetWindowRect(&window);
    grid.GetClientRect(&client);
    CPoint origin(0, 0);
    grid.ClientToScreen(&origin);
    origin -= window.TopLeft();  // the client's corner in window coordinates
    const int a = GetSystemMetrics(SM_CYHSCROLL), b = origin.y + client.bottom + a / 2;
    const int v = origin.x + client.right + GetSystemMetrics(SM_CXVSCROLL) / 2;
    const COLORREF track = GetSysColor(COLOR_SCROLLBAR), face = GetSysColor(COLOR_BTNFACE);
    // Track near the far end of each bar (the thumbs stand at the start).
    EXPECT_EQ(vplat::SnapshotPixel(grid.m_hWnd, origin.x + client.right - a - 3, b), track);
    EXPECT_EQ(vplat::SnapshotPixel(grid.m_hWnd, v, origin.y + client.bottom - a - 3), track);
    // The arrows' faces and the corner where the bars meet.
    EXPECT_EQ(vplat::SnapshotPixel(grid.m_hWnd, origin.x + 2, b), face);
    EXPECT_EQ(vplat::SnapshotPixel(grid.m_hWnd, v, origin.y + client.bottom + a / 2), face);
}

// A line step over a hidden column moves by the next visible column's width.
TEST_F(GridScroll, LineStepsSkipHiddenRowsAndColumns) {
    CGridCtrl grid(30, 6, 1, 1);
    GridHost host(grid, 300, 200);
    for (int c = 0; c < 6; ++c) grid.SetWidthOfColumn(c, 100);
    grid.SetWidthOfColumn(1, 0);
    grid.SetWidthOfColumn(2, 70);
    grid.SendMessage(WM_HSCROLL, SB_LINERIGHT);
    EXPECT_EQ(grid.ReadScrollPos(SB_HORZ), 70);
    EXPECT_EQ(grid.FirstScrolledCell().col, 3);
    grid.SendMessage(WM_HSCROLL, SB_LINELEFT);
    EXPECT_EQ(grid.ReadScrollPos(SB_HORZ), 0);

    for (int r = 0; r < 30; ++r) grid.SetRowHeight(r, 20);
    grid.SetRowHeight(1, 0);
    grid.SetRowHeight(2, 0);
    grid.SendMessage(WM_VSCROLL, SB_LINEDOWN);
    EXPECT_EQ(grid.ReadScrollPos(SB_VERT), 20);
    EXPECT_EQ(grid.FirstScrolledCell().row, 4);
    grid.SendMessage(WM_VSCROLL, SB_PAGEDOWN);
    CRect client;
    grid.GetClientRect(&client);
    EXPECT_EQ(grid.ReadScrollPos(SB_VERT), 20 + client.bottom - 20);
    grid.SendMessage(WM_VSCROLL, SB_BOTTOM);
    EXPECT_EQ(grid.ShownBodySpan().maxRow, 29);
    int bottom = grid.ReadScrollPos(SB_VERT);
    grid.SendMessage(WM_VSCROLL, SB_LINEDOWN);
    EXPECT_EQ(grid.ReadScrollPos(SB_VERT), bottom);
    grid.SendMessage(WM_VSCROLL, SB_TOP);
    EXPECT_EQ(grid.ReadScrollPos(SB_VERT), 0);
    grid.SendMessage(WM_VSCROLL, SB_LINEUP);  // already at the top
    EXPECT_EQ(grid.ReadScrollPos(SB_VERT), 0);
}

TEST_F(GridScroll, TheWheelPostsLinesOrPages) {
    struct Case {
        UINT systemLines;
        short delta;
        std::vector<UINT> posted;
    } cases[] = {{3, -120, {SB_LINEDOWN, SB_LINEDOWN, SB_LINEDOWN}},
                 {3, 240, std::vector<UINT>(6, SB_LINEUP)},
                 {WHEEL_PAGESCROLL, -120, {SB_PAGEDOWN}},
                 {WHEEL_PAGESCROLL, 100, {}}};
    for (const Case& c : cases) {
        vplat::SystemSettings::SetWheelLines(c.systemLines);
        CGridCtrl grid(40, 3, 1, 1);
        GridHost host(grid, 300, 200);
        EXPECT_EQ(grid.GetWheelLines(), static_cast<int>(c.systemLines));
        grid.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(c.delta)), 0);
        EXPECT_EQ(PostedScrolls(grid), c.posted) << c.delta;
    }
}

// On the oldest family of systems the setting is read from the registry.
TEST_F(GridScroll, WheelLinesOfOldSystemsComeFromTheRegistry) {
    vplat::SystemSettings::SetWheelLines(7);
    EXPECT_EQ(CGridCtrl().GetWheelLines(), 7);
    vplat::SystemSettings::ForceVersion(4, 0, 1);
    EXPECT_EQ(CGridCtrl().GetWheelLines(), 3);  // "WheelScrollLines" = "3"
    vplat::SystemSettings::ForceVersion(4, 10, 1);
    EXPECT_EQ(CGridCtrl().GetWheelLines(), 7);
}

// A line step that cannot move (the bar's range was not updated after a
// column grew) ends the scrolling instead of repeating for ever.
TEST_F(GridScroll, ScrollIntoViewStopsWhenAStepCannotMove) {
    CGridCtrl grid(3, 4, 1, 1);
    GridHost host(grid, 290, 100);
    grid.SetWidthOfColumn(0, 40);
    for (int c = 1; c < 4; ++c) grid.SetWidthOfColumn(c, 100);
    host.Resize(290, 100);
    grid.UpdateScrollBars();
    CRect client;
    grid.GetClientRect(&client);
    ASSERT_EQ(client.Width(), 290);
    grid.SendMessage(WM_HSCROLL, SB_RIGHT);
    ASSERT_EQ(grid.ReadScrollPos(SB_HORZ), 50);
    grid.SendMessage(WM_HSCROLL, SB_LEFT);

    grid.EnableDrawing(FALSE);
    grid.SetWidthOfColumn(3, 400);
    grid.EnableDrawing(TRUE, FALSE);
    grid.ScrollIntoView(1, 3);
    EXPECT_EQ(grid.ReadScrollPos(SB_HORZ), 50);
}

TEST_F(GridScroll, ScrollIntoViewBringsAFarCellIn) {
    CGridCtrl grid(200, 4, 1, 1);
    GridHost host(grid, 300, 200);
    HWND before = ::SetFocus(host.Top().GetSafeHwnd());
    (void)before;
    grid.ScrollIntoView(150, 2);
    EXPECT_TRUE(grid.IsCellShown(150, 2));
    CRect cell, client;
    grid.CellBounds(150, 2, &cell);
    grid.GetClientRect(&client);
    EXPECT_LT(cell.bottom, client.bottom);
    EXPECT_EQ(::GetFocus(), host.Top().GetSafeHwnd());
    grid.ScrollIntoView(1, 1);
    EXPECT_EQ(grid.FirstScrolledCell().row, 1);
}
