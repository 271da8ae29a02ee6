// Fitting and stretching rows and columns, and sorting rows.
#include "GridFixture.h"

#include <random>

namespace {

class GridSizing : public GridFixture {};
class GridSort : public GridFixture {};

std::vector<int> Widths(CGridCtrl& grid) {
    std::vector<int> out;
    for (int c = 0; c < grid.GetColumnCount(); ++c) out.push_back(grid.GetColumnWidth(c));
    return out;
}

}  // namespace

// The difference is shared out by D / k (towards zero) and the remainder one
// pixel a column from the first; a stretched column never drops below 1.
TEST_F(GridSizing, StretchingColumnsOverTheClient) {
    struct Case {
        std::vector<int> widths;
        int client;
        BOOL includeFixed;
        std::vector<int> stretched;
    } cases[] = {
        {{50, 60, 70}, 175, TRUE, {48, 58, 69}},
        {{50, 0, 60, 70}, 175, TRUE, {48, 0, 59, 69}},  // a hidden column uses up its step and stays hidden
        {{10, 200}, 100, TRUE, {1, 145}},
        {{50, 60, 70}, 200, TRUE, {57, 67, 76}},
        {{40, 50, 60}, 200, FALSE, {40, 75, 85}},
    };
    for (const Case& c : cases) {
        CGridCtrl grid(2, static_cast<int>(c.widths.size()), 0, 1);
        GridHost host(grid, c.client, 100);
        for (size_t i = 0; i < c.widths.size(); ++i) grid.SetWidthOfColumn(static_cast<int>(i), c.widths[i]);
        host.Resize(c.client, 100);
        grid.StretchColumns(c.includeFixed);
        EXPECT_EQ(Widths(grid), c.stretched) << c.client;
    }
}

TEST_F(GridSizing, StretchingRowsAndTheLastColumn) {
    CGridCtrl grid(4, 3, 1, 1);
    GridHost host(grid, 300, 100);
    for (int c = 0; c < 3; ++c) grid.SetWidthOfColumn(c, 50);
    grid.SetWidthOfColumn(2, 0);
    grid.StretchLastColumn();  // the last visible one
    CRect client;
    grid.GetClientRect(&client);
    EXPECT_EQ(grid.GetColumnWidth(1), 50 + client.Width() - 100);
    EXPECT_EQ(grid.GetColumnWidth(2), 0);
    grid.StretchRows(TRUE);
    grid.GetClientRect(&client);
    EXPECT_EQ(grid.TotalHeight(), client.Height());
}

// A default cell 0 wide counts as 1 wide when the client is filled.
TEST_F(GridSizing, FillingTheClientWithCells) {
    CGridCtrl grid;
    GridHost host(grid, 300, 200);
    grid.DefaultCellFor(FALSE, FALSE)->SetWidth(0);
    grid.FillClientWithCells();
    EXPECT_EQ(grid.GetColumnCount(), 301);
    EXPECT_EQ(grid.GetRowCount(), 200 / grid.DefaultCellFor(FALSE, FALSE)->GetHeight() + 1);
    EXPECT_EQ(grid.GetHeaderRowCount(), 1);
    EXPECT_EQ(grid.GetHeaderColumnCount(), 1);
}

TEST_F(GridSizing, FittingColumnsToTheirCells) {
    CGridCtrl grid(4, 3, 1, 1);
    GridHost host(grid, 400, 200);
    grid.SetCellText(0, 1, L"Una intestazione lunga");
    grid.SetCellText(2, 1, L"breve");
    CClientDC dc(&grid);
    auto needed = [&](int row, int col) { return grid.CellAt(row, col)->NeededSize(&dc); };
    ASSERT_TRUE(grid.FitColumnToCells(1, 3));
    EXPECT_EQ(grid.GetColumnWidth(1), needed(0, 1).cx);
    ASSERT_TRUE(grid.FitColumnToCells(1, 2));
    EXPECT_EQ(grid.GetColumnWidth(1), needed(2, 1).cx);
    grid.autoSizeScope = 1;
    ASSERT_TRUE(grid.FitColumnToCells(1));  // scope 0: the grid's
    EXPECT_EQ(grid.GetColumnWidth(1), needed(0, 1).cx);
    grid.SetWidthOfColumn(2, 0);
    EXPECT_FALSE(grid.FitColumnToCells(2));
    EXPECT_FALSE(grid.FitColumnToCells(3));
    ASSERT_TRUE(grid.FitRowToCells(2));  // the fixed column's cell is one higher
    EXPECT_EQ(grid.GetRowHeight(2), needed(2, 0).cy);
    EXPECT_EQ(grid.GetRowHeight(2), needed(2, 1).cy + 1);
}

TEST_F(GridSizing, FittingEverythingLeavesHiddenColumnsHidden) {
    CGridCtrl grid(4, 4, 1, 1);
    GridHost host(grid, 400, 200);
    grid.SetCellText(1, 2, L"testo");
    grid.SetWidthOfColumn(3, 0);
    grid.SetRowHeight(2, 0);
    grid.FitAllToCells();
    CClientDC dc(&grid);
    EXPECT_EQ(grid.GetColumnWidth(3), 0);
    EXPECT_EQ(grid.GetRowHeight(2), 0);
    EXPECT_EQ(grid.GetColumnWidth(2), grid.CellAt(1, 2)->NeededSize(&dc).cx);
    EXPECT_EQ(grid.GetRowHeight(1), grid.CellAt(1, 0)->NeededSize(&dc).cy);
}

TEST_F(GridSort, SortingKeepsFixedRowsAndMovesHeightsWithRows) {
    CGridCtrl grid(1001, 2, 1, 0);
    std::mt19937 random(12);
    grid.SetCellText(0, 0, L"Intestazione");
    for (int r = 1; r <= 1000; ++r) {
        wchar_t text[16];
        std::swprintf(text, 16, L"%06d", static_cast<int>(random() % 1000000));
        grid.SetCellText(r, 0, text);
        grid.SetCellData(r, 1, r);
        grid.SetRowHeight(r, 10 + r % 17);
    }
    std::vector<std::pair<std::wstring, int>> before;
    for (int r = 1; r <= 1000; ++r) before.emplace_back(grid.CellText(r, 0).str(), grid.GetRowHeight(r));
    ASSERT_TRUE(grid.SortByColumn(0, TRUE));
    EXPECT_EQ(grid.CellText(0, 0), L"Intestazione");
    std::vector<std::wstring> ascending;
    for (int r = 1; r <= 1000; ++r) {
        ascending.push_back(grid.CellText(r, 0).str());
        int original = static_cast<int>(grid.GetCellData(r, 1));
        EXPECT_EQ(grid.GetRowHeight(r), 10 + original % 17);  // the height went with its row
        EXPECT_EQ(grid.CellText(r, 0).str(), before[static_cast<size_t>(original - 1)].first);
    }
    EXPECT_TRUE(std::is_sorted(ascending.begin(), ascending.end()));
    EXPECT_EQ(grid.GetSortColumn(), 0);
    ASSERT_TRUE(grid.SortByColumn(0, FALSE));
    std::vector<std::wstring> descending;
    for (int r = 1; r <= 1000; ++r) descending.push_back(grid.CellText(r, 0).str());
    EXPECT_TRUE(std::equal(descending.begin(), descending.end(), ascending.rbegin()));
    EXPECT_FALSE(grid.GetSortAscending());
}

TEST_F(GridSort, AColumnOutsideTheGridChangesNothing) {
    CGridCtrl grid(4, 2, 1, 0);
    grid.SetCellText(1, 0, L"b");
    grid.SetCellText(2, 0, L"a");
    grid.SetSortColumn(1);
    grid.MoveFocus(2, 1);
    EXPECT_FALSE(grid.SortByColumn(2, TRUE));
    EXPECT_FALSE(grid.SortByColumn(-1, TRUE));
    EXPECT_EQ(grid.CellText(1, 0), L"b");
    EXPECT_EQ(grid.GetSortColumn(), 1);
    EXPECT_EQ(grid.GetFocusCell(), CCellID(2, 1));
    EXPECT_FALSE(grid.SortRowsRange(CompareCellText, 0, TRUE, 0, 2, 2));  // low == high
}

TEST_F(GridSort, CompareFunctions) {
    CGridCtrl grid(1, 2);
    CGridCellBase* a = grid.CellAt(0, 0);
    CGridCellBase* b = grid.CellAt(0, 1);
    struct Case {
        int (*compare)(const CGridCellBase*, const CGridCellBase*, LPARAM);
        const wchar_t* first;
        const wchar_t* second;
        int expected;
    } cases[] = {
        {CompareCellText, L"B", L"a", -1},          // code units, not letters
        {CompareCellText, L"abc", L"abc", 0},
        {CompareCellText, L"ab", L"abc", -1},
        {CompareCellText, L"\U0001F600", L"\uFF21", -1},  // a surrogate pair comes before U+FF21
        {CompareCellNumbers, L"9", L"10", -1},
        {CompareCellNumbers, L"12abc", L"12", 0},
        {CompareCellNumbers, L"-3", L"x", -1},
    };
    for (const Case& c : cases) {
        a->SetText(c.first);
        b->SetText(c.second);
        EXPECT_EQ(c.compare(a, b, 0), c.expected);
        EXPECT_EQ(c.compare(b, a, 0), -c.expected);
    }
    EXPECT_EQ(CompareCellText(a, nullptr, 0), 0);
    EXPECT_EQ(CompareCellNumbers(nullptr, b, 0), 0);
}

// A sort of already sorted rows keeps the stack shallow: the larger part is
// looped on, not recursed into.
TEST_F(GridSort, LargeSortedInputSortsWithoutDeepRecursion) {
    CGridCtrl grid(100001, 1, 1, 0);
    for (int r = 1; r <= 100000; ++r) grid.CellAt(r, 0)->SetText((std::to_wstring(100000 + r)).c_str());
    grid.SetCompareFunction(CompareCellNumbers);
    ASSERT_TRUE(grid.SortByColumn(0, FALSE));
    EXPECT_EQ(grid.CellText(1, 0), L"200000");
    EXPECT_EQ(grid.CellText(100000, 0), L"100001");
}
