// Counts, the cell store, cell attributes and the modified flags.
#include "GridFixture.h"

namespace {

class GridStructure : public GridFixture {};

// A cell class whose constructor runs out of memory on its k-th construction.
class CFailingCell : public CGridCell {
    DECLARE_DYNCREATE(CFailingCell)

public:
    CFailingCell() {
        if (++made == failAt) AfxThrowMemoryException();
    }
    static int made;
    static int failAt;
};
int CFailingCell::made = 0;
int CFailingCell::failAt = 0;
IMPLEMENT_DYNCREATE(CFailingCell, CGridCell)

// A cell class that is no grid cell.
class CNotACell : public CObject {
    DECLARE_DYNCREATE(CNotACell)
};
IMPLEMENT_DYNCREATE(CNotACell, CObject)

}  // namespace

TEST_F(GridStructure, TitleBlockSetUpGivesItsRowsBoundsHitsAndStates) {
    CGridCtrl grid;
    GridHost host(grid, 300, 200);
    SetUpLikeTitleBlock(grid);
    for (int r = 0; r < 4; ++r) EXPECT_EQ(grid.GetRowHeight(r), 22) << r;
    CRect bounds;
    ASSERT_TRUE(grid.CellBounds(2, 2, &bounds));
    EXPECT_EQ(bounds, CRect(200, 44, 254, 65));
    EXPECT_EQ(grid.HitTestCell(CPoint(212, 55)), CCellID(2, 2));
    EXPECT_EQ(grid.HitTestCell(CPoint(300, 10)).col, -1);
    EXPECT_EQ(grid.CellState(0, 0), 0x70);
    for (int c = 1; c < 3; ++c) EXPECT_EQ(grid.CellState(0, c), 0x30) << c;
    for (int r = 1; r < 4; ++r) EXPECT_EQ(grid.CellState(r, 0), 0x50) << r;
    EXPECT_EQ(grid.CellState(2, 2), 0);
}

TEST_F(GridStructure, RowCountsAndFixedRows) {
    CGridCtrl grid(5, 3, 2, 1);
    grid.MarkModified(FALSE);
    CGridCellBase* kept = grid.CellAt(4, 2);
    EXPECT_TRUE(grid.SetRows(5));  // the current count changes nothing
    EXPECT_EQ(grid.CellAt(4, 2), kept);
    EXPECT_FALSE(grid.IsModified());
    EXPECT_TRUE(grid.SetRows(1));  // below the fixed rows: they follow
    EXPECT_EQ(grid.GetHeaderRowCount(), 1);
    EXPECT_TRUE(grid.IsModified());
    EXPECT_TRUE(grid.SetRows(3));
    EXPECT_EQ(grid.CellState(2, 2), 0);      // new rows are body rows
    EXPECT_EQ(grid.CellState(2, 0), 0x50);   // in the fixed column
    EXPECT_FALSE(grid.SetRows(-1));
    EXPECT_EQ(grid.GetRowCount(), 3);
}

TEST_F(GridStructure, HeaderRowsAndColumnsMarkTheirCells) {
    CGridCtrl grid(4, 4);
    grid.SetCellBackColour(1, 2, RGB(1, 2, 3));
    ASSERT_TRUE(grid.SetHeaderRows(2));
    EXPECT_EQ(grid.CellState(1, 2), 0x30);
    EXPECT_EQ(grid.GetCellBackColour(1, 2), CLR_DEFAULT);
    ASSERT_TRUE(grid.SetHeaderColumns(1));
    EXPECT_EQ(grid.CellState(1, 0), 0x70);
    ASSERT_TRUE(grid.SetHeaderRows(1));  // row 1 leaves the fixed rows
    EXPECT_EQ(grid.CellState(1, 0), 0x50);
    EXPECT_EQ(grid.CellState(1, 2), 0);
    ASSERT_TRUE(grid.SetHeaderColumns(6));  // raises the column count first
    EXPECT_EQ(grid.GetColumnCount(), 6);
}

TEST_F(GridStructure, InsertingColumnsAndRows) {
    CGridCtrl grid(3, 2, 1, 0);
    GridHost host(grid, 400, 200);
    int col = grid.InsertColumnAt(L"Valore", DT_LEFT, grid.GetColumnCount());
    EXPECT_EQ(col, 2);  // the count appends
    EXPECT_EQ(grid.CellText(0, 2), L"Valore");
    EXPECT_EQ(grid.GetCellFormat(1, 2), static_cast<int>(DT_LEFT));
    EXPECT_EQ(grid.GetColumnWidth(2), grid.CellAt(0, 2)->TextSize(L"Valore").cx);
    EXPECT_EQ(grid.InsertColumnAt(L"x", DT_LEFT, 4), -1);
    EXPECT_EQ(grid.InsertRowAt(L"", grid.GetRowCount()), -1);  // only -1 appends a row
    EXPECT_EQ(grid.InsertRowAt(L"", 0), -1);                    // inside the fixed rows
    EXPECT_EQ(grid.InsertRowAt(L"Ultima"), 3);
    EXPECT_EQ(grid.GetRowHeight(3), grid.CellAt(3, 0)->TextSize(L"Ultima").cy);
    EXPECT_EQ(grid.InsertRowAt(L"", 1), 1);
    EXPECT_EQ(grid.GetRowHeight(1), grid.DefaultCellFor(TRUE, FALSE)->GetHeight());
    EXPECT_EQ(grid.CellText(4, 0), L"Ultima");
}

TEST_F(GridStructure, RemovingRowsKeepsTheFocusWithItsCell) {
    CGridCtrl grid(6, 3, 1, 1);
    GridHost host(grid, 300, 200);
    grid.SetCellText(4, 1, L"focus");
    grid.MoveFocus(4, 1);
    ASSERT_TRUE(grid.RemoveRow(2));
    EXPECT_EQ(grid.GetFocusCell(), CCellID(3, 1));
    EXPECT_EQ(grid.CellText(3, 1), L"focus");
    EXPECT_TRUE(grid.CellState(3, 1) & CELL_FOCUSED);

    GridHost<CGridCtrl>::Pump();
    vplat::GdiLog::Clear();
    ASSERT_TRUE(grid.RemoveRow(3));
    EXPECT_EQ(grid.GetFocusCell(), CCellID());
    EXPECT_TRUE(vplat::GdiLog::Entries().empty());  // nothing repainted at once
    EXPECT_FALSE(grid.RemoveRow(grid.GetRowCount()));
    ASSERT_TRUE(grid.RemoveColumn(0));
    EXPECT_EQ(grid.GetHeaderColumnCount(), 0);
}

TEST_F(GridStructure, OutOfMemoryKeepsWhatWasBuilt) {
    CGridCtrl grid(2, 3);
    ASSERT_TRUE(grid.SetCellClass(RUNTIME_CLASS(CFailingCell)));
    CFailingCell::made = 0;
    CFailingCell::failAt = 5 * 3 + 2;  // the second cell of the 6th new row
    EXPECT_FALSE(grid.SetRows(12));
    EXPECT_EQ(grid.GetRowCount(), 7);
    EXPECT_EQ(grid.GetRowHeight(6), grid.DefaultCellFor(FALSE, FALSE)->GetHeight());
    EXPECT_EQ(grid.GetRowHeight(7), -1);
    ASSERT_EQ(vplat::MessageBoxes::All().size(), 1u);
    EXPECT_EQ(vplat::MessageBoxes::All()[0].text, L"Out of memory.");
    for (int r = 0; r < 7; ++r)
        for (int c = 0; c < 3; ++c) EXPECT_NE(grid.CellAt(r, c), nullptr);

    // Columns and inserted rows the same way.
    CFailingCell::made = 0;
    CFailingCell::failAt = 7 + 3;  // in the second new column
    EXPECT_FALSE(grid.SetColumns(6));
    EXPECT_EQ(grid.GetColumnCount(), 4);
    EXPECT_EQ(grid.GetColumnWidth(4), -1);
    CFailingCell::made = 0;
    CFailingCell::failAt = 2;
    EXPECT_EQ(grid.InsertRowAt(L"x"), -1);
    EXPECT_EQ(grid.GetRowCount(), 7);
    EXPECT_EQ(vplat::MessageBoxes::All().size(), 3u);
}

TEST_F(GridStructure, CellKindsAndClasses) {
    CGridCtrl grid(3, 3, 1, 0);
    grid.SetCellText(1, 2, L"sì");
    grid.SetCellBackColour(1, 2, RGB(9, 9, 9));
    ASSERT_TRUE(grid.SetCellKind(1, 2, RUNTIME_CLASS(CGridCellCheck)));
    CGridCellBase* check = grid.CellAt(1, 2);
    EXPECT_TRUE(check->IsKindOf(RUNTIME_CLASS(CGridCellCheck)));
    EXPECT_EQ(grid.CellText(1, 2), L"sì");
    EXPECT_EQ(grid.GetCellBackColour(1, 2), RGB(9, 9, 9));
    EXPECT_EQ(check->OwnerGrid(), &grid);
    EXPECT_FALSE(grid.SetCellKind(1, 2, RUNTIME_CLASS(CNotACell)));
    EXPECT_FALSE(grid.SetCellKind(3, 0, RUNTIME_CLASS(CGridCell)));
    EXPECT_FALSE(grid.SetCellClass(RUNTIME_CLASS(CNotACell)));

    // PutCell stores without deleting the cell it replaces.
    CGridCellBase* old = grid.CellAt(2, 0);
    auto* replacement = new CGridCell;
    replacement->AttachGrid(&grid);
    ASSERT_TRUE(grid.PutCell(2, 0, replacement));
    EXPECT_EQ(grid.CellAt(2, 0), replacement);
    delete old;
}

TEST_F(GridStructure, ReadAndWriteItems) {
    CGridCtrl grid(3, 3);
    grid.MarkModified(FALSE);
    GridItemRecord item{};
    item.row = 1;
    item.col = 1;
    item.mask = ITEM_TEXT | ITEM_DATA | ITEM_STATE | ITEM_BKCLR | ITEM_MARGIN;
    item.strText = L"testo";
    item.lParam = 42;
    item.nState = CELL_READONLY;
    item.crBkClr = RGB(1, 2, 3);
    item.nMargin = 7;
    ASSERT_TRUE(grid.WriteItem(&item));
    EXPECT_TRUE(grid.IsModified());
    // The cell's modified bit, set first, is replaced by the state written after it.
    EXPECT_FALSE(grid.IsModified(1, 1));
    EXPECT_EQ(grid.CellState(1, 1), CELL_READONLY);
    GridItemRecord back{};
    back.row = 1;
    back.col = 1;
    back.mask = ITEM_TEXT | ITEM_DATA | ITEM_BKCLR | ITEM_MARGIN | ITEM_IMAGE;
    ASSERT_TRUE(grid.ReadItem(&back));
    EXPECT_EQ(back.strText, L"testo");
    EXPECT_EQ(back.lParam, 42);
    EXPECT_EQ(back.crBkClr, RGB(1, 2, 3));
    EXPECT_EQ(back.nMargin, 7);
    EXPECT_EQ(back.iImage, -1);
    back.row = 3;
    EXPECT_FALSE(grid.ReadItem(&back));
    EXPECT_FALSE(grid.ReadItem(nullptr));
}

// Which accessors mark the cell modified, and what they answer outside the grid.
TEST_F(GridStructure, AccessorsAndTheModifiedFlag) {
    CGridCtrl grid(3, 3);
    struct Case {
        const char* name;
        std::function<BOOL()> set;
        bool marks;
    } cases[] = {
        {"text", [&] { return grid.SetCellText(1, 1, L"a"); }, true},
        {"data", [&] { return grid.SetCellData(1, 1, 5); }, true},
        {"image", [&] { return grid.SetCellImage(1, 1, 0); }, true},
        {"format", [&] { return grid.FormatCellText(1, 1, L"%d-%ls", 7, L"b"); }, true},
        {"back colour", [&] { return grid.SetCellBackColour(1, 1, 0); }, false},
        {"text colour", [&] { return grid.SetCellTextColour(1, 1, 0); }, false},
        {"format flags", [&] { return grid.SetCellFormat(1, 1, DT_RIGHT); }, false},
        {"font", [&] { return grid.SetCellFont(1, 1, grid.GetCellFont(0, 0)); }, false},
    };
    for (const Case& c : cases) {
        grid.MarkModified(FALSE);
        EXPECT_TRUE(c.set()) << c.name;
        EXPECT_EQ(grid.IsModified(1, 1) != 0, c.marks) << c.name;
        EXPECT_EQ(grid.IsModified() != 0, c.marks) << c.name;
    }
    EXPECT_EQ(grid.CellText(1, 1), L"7-b");
    EXPECT_EQ(grid.CellText(5, 5), L"");
    EXPECT_EQ(grid.GetCellImage(5, 5), -1);
    EXPECT_EQ(grid.GetCellData(-1, 0), 0);
    EXPECT_EQ(grid.GetCellFont(9, 9), grid.DefaultCellFor(FALSE, FALSE)->GetFont());
    EXPECT_FALSE(grid.SetCellText(3, 0, L"x"));
}

TEST_F(GridStructure, ClearingTheModifiedFlags) {
    CGridCtrl grid(3, 3, 1, 0);
    grid.SetCellText(1, 1, L"a");
    grid.SetCellText(2, 2, L"b");
    grid.MarkModified(FALSE, 1, 1);  // the grid's flag stays set: (2, 2) keeps its bit
    EXPECT_FALSE(grid.IsModified(1, 1));
    EXPECT_TRUE(grid.IsModified(2, 2));
    grid.MarkModified(FALSE, -1, -1);
    EXPECT_FALSE(grid.IsModified(2, 2));
    grid.CellAt(2, 1)->SetState(CELL_MODIFIED);
    grid.MarkModified(FALSE, 1, 2);  // on an unmodified grid every cell loses the bit
    EXPECT_FALSE(grid.IsModified(2, 1));

    grid.SetSortColumn(2);
    grid.SetCellText(1, 1, L"x");
    EXPECT_EQ(grid.GetSortColumn(), 2);
    grid.SetCellText(1, 2, L"y");  // the sort column's cell clears the sort column
    EXPECT_EQ(grid.GetSortColumn(), -1);
}

TEST_F(GridStructure, DestroyingAGridLeavesNoWindowAndNoCell) {
    HWND window = nullptr;
    {
        auto grid = std::make_unique<CGridCtrl>(3, 3, 1, 1);
        GridHost host(*grid, 200, 100);
        window = grid->GetSafeHwnd();
        EXPECT_TRUE(::GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
        grid.reset();
        EXPECT_FALSE(::IsWindow(window));
    }
    WNDCLASSW wc;
    EXPECT_TRUE(::GetClassInfoW(AfxGetResourceHandle(), L"MFCGridCtrl", &wc));
    EXPECT_EQ(wc.style, static_cast<UINT>(CS_DBLCLKS | CS_VREDRAW | CS_HREDRAW));
}

TEST_F(GridStructure, FailedOleStartIsShownOncePerGrid) {
    vplat::Ole::FailInit(true);
    { CGridCtrl first; }
    { CGridCtrl second(2, 2); }
    vplat::Ole::FailInit(false);
    ASSERT_EQ(vplat::MessageBoxes::All().size(), 2u);
    EXPECT_EQ(vplat::MessageBoxes::All()[0].text,
              L"OLE initialization failed. Make sure that the OLE libraries are the correct version");
    { CGridCtrl third; }
    EXPECT_EQ(vplat::MessageBoxes::All().size(), 2u);
}
