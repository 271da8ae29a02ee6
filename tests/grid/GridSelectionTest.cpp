// The focus cell and the selection.
#include "GridFixture.h"

namespace {

class GridSelection : public GridFixture {};

void Select(CGridCtrl& grid, int row, int col, bool on) {
    int state = grid.CellState(row, col);
    grid.SetCellState(row, col, on ? state | CELL_SELECTED : state & ~CELL_SELECTED);
}

}  // namespace

// Rows 65 536 apart and columns past 32 767 are cells of their own in the
// selection map.
TEST_F(GridSelection, DistantCellsKeepTheirOwnSelection) {
    CGridCtrl grid(70000, 3);
    Select(grid, 1, 1, true);
    Select(grid, 65537, 1, true);
    EXPECT_TRUE(grid.IsSelected(1, 1));
    EXPECT_TRUE(grid.IsSelected(65537, 1));
    EXPECT_EQ(grid.SelectionMapSize(), 2u);
    EXPECT_EQ(grid.GetSelectedSpan(), CCellSpan(1, 1, 65537, 1));
    Select(grid, 65537, 1, false);
    EXPECT_TRUE(grid.IsSelected(1, 1));
    EXPECT_EQ(grid.SelectionMapSize(), 1u);
    EXPECT_EQ(grid.GetSelectedSpan(), CCellSpan(1, 1, 1, 1));

    CGridCtrl wide(2, 40000);
    Select(wide, 1, 32768, true);
    Select(wide, 1, 0, true);
    EXPECT_EQ(wide.GetSelectedSpan(), CCellSpan(1, 0, 1, 32768));
}

TEST_F(GridSelection, SelectingABlockReplacesTheSelection) {
    CGridCtrl grid(6, 5, 1, 1);
    grid.SelectSpan(0, 0, 2, 2);  // fixed rows and columns are raised to the body
    EXPECT_EQ(grid.GetSelectedSpan(), CCellSpan(1, 1, 2, 2));
    EXPECT_FALSE(grid.IsSelected(0, 0));
    grid.SelectSpan(3, 3, 4, 4);
    EXPECT_FALSE(grid.IsSelected(1, 1));
    EXPECT_EQ(grid.GetSelectedSpan(), CCellSpan(3, 3, 4, 4));
    grid.SelectSpan(4, 4, 4, 4, FALSE, FALSE);  // deselecting touches only the block
    EXPECT_TRUE(grid.IsSelected(3, 3));
    EXPECT_FALSE(grid.IsSelected(4, 4));
    grid.SelectEverything();
    EXPECT_EQ(grid.GetSelectedSpan(), CCellSpan(1, 1, 5, 4));
    EXPECT_EQ(grid.SelectionMapSize(), 20u);

    grid.MoveFocus(2, 2);
    grid.ClearSelection();
    EXPECT_EQ(grid.SelectionMapSize(), 0u);
    EXPECT_FALSE(grid.GetSelectedSpan().IsValid());
    EXPECT_EQ(grid.GetFocusCell(), CCellID());
    EXPECT_FALSE(grid.CellState(2, 2) & CELL_FOCUSED);
}

TEST_F(GridSelection, NothingIsSelectedWhileSelectionIsOff) {
    CGridCtrl grid(4, 4, 1, 1);
    grid.selectionEnabled = 0;
    grid.SelectSpan(1, 1, 3, 3);
    grid.SelectEverything();
    EXPECT_EQ(grid.SelectionMapSize(), 0u);
    Select(grid, 2, 2, true);
    EXPECT_FALSE(grid.IsSelected(2, 2));
}

TEST_F(GridSelection, FocusStaysInTheBodyAndRepaintsTheHeaders) {
    CGridCtrl grid(5, 4, 1, 1);
    GridHost host(grid, 400, 200);
    GridHost<CGridCtrl>::Pump();
    EXPECT_EQ(grid.MoveFocus(0, 0), CCellID());
    EXPECT_EQ(grid.GetFocusCell(), CCellID(1, 1));
    EXPECT_TRUE(grid.CellState(1, 1) & CELL_FOCUSED);

    // From (1, 1) to (3, 1): the old and new focus, and the fixed column's
    // cells of both rows; the column did not change, so no fixed-row cell.
    grid.SetCellText(0, 1, L"col1");
    grid.SetCellText(1, 0, L"row1");
    grid.SetCellText(3, 0, L"row3");
    grid.SetCellText(1, 1, L"old");
    grid.SetCellText(3, 1, L"new");
    vplat::GdiLog::Clear();
    grid.MoveFocus(3, 1);
    EXPECT_FALSE(grid.CellState(1, 1) & CELL_FOCUSED);
    std::vector<std::string> texts;
    for (const std::string& e : Drawn("DrawText")) texts.push_back(e.substr(e.find('"')));
    EXPECT_EQ(texts, (std::vector<std::string>{"\"old\"", "\"row1\"", "\"new\"", "\"row3\""}));

    grid.trackFocusInHeaders = 0;
    vplat::GdiLog::Clear();
    grid.MoveFocus(1, 1);
    EXPECT_EQ(Drawn("DrawText").size(), 2u);
}

TEST_F(GridSelection, EditingNeedsAnEditableGridAndAWritableCell) {
    CGridCtrl grid(3, 3, 1, 1);
    EXPECT_TRUE(grid.CanEditCell(1, 1));
    grid.SetCellState(1, 1, CELL_READONLY);
    EXPECT_FALSE(grid.CanEditCell(1, 1));
    grid.editable = 0;
    EXPECT_FALSE(grid.CanEditCell(2, 2));
    EXPECT_FALSE(grid.IsCellEditing(2, 2));
    grid.MoveFocus(2, 2);
    grid.FinishOpenEdit();  // no editor open: nothing happens
}
