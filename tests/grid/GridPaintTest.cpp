// Painting, read from the log of what was drawn.
#include "GridFixture.h"

#include <algorithm>
#include <cstdio>

namespace {

class GridPaint : public GridFixture {};

// Texts of the DrawText entries, in order.
std::vector<std::string> TextsDrawn(const std::vector<std::string>& log) {
    std::vector<std::string> out;
    for (const std::string& e : log) {
        size_t at = e.find("DrawText (");
        if (at == std::string::npos) continue;
        std::string text = e.substr(e.find('"', at) + 1);
        text.pop_back();
        if (!text.empty()) out.push_back(text);
    }
    return out;
}

// A grid whose every cell shows its position ("r,c").
void Label(CGridCtrl& grid) {
    for (int r = 0; r < grid.GetRowCount(); ++r)
        for (int c = 0; c < grid.GetColumnCount(); ++c)
            grid.SetCellText(r, c, (std::to_wstring(r) + L"," + std::to_wstring(c)).c_str());
}

}  // namespace

TEST_F(GridPaint, PassesGoCornerFixedColumnsFixedRowsBody) {
    CGridCtrl grid(3, 3, 1, 1);
    GridHost host(grid, 400, 200);
    Label(grid);
    std::vector<std::string> log = Paint(grid, host);
    EXPECT_EQ(TextsDrawn(log), (std::vector<std::string>{"0,0", "1,0", "2,0", "0,1", "0,2", "1,1", "1,2", "2,1", "2,2"}));
    // Painted off-screen over the clip box, then copied at once.
    EXPECT_FALSE(Drawn("bitmap 400x200: DrawText").empty());
    EXPECT_EQ(Drawn(": BitBlt (0,0,400,200)").size(), 1u);
}

TEST_F(GridPaint, ZeroSizeRowsAndColumnsTakeNoSpace) {
    CGridCtrl grid(4, 4, 1, 1);
    GridHost host(grid, 400, 200);
    grid.doubleBuffer = 0;
    Label(grid);
    grid.SetRowHeight(2, 0);
    grid.SetWidthOfColumn(1, 0);
    std::vector<std::string> log = Paint(grid, host);
    std::vector<std::string> texts = TextsDrawn(log);
    for (const std::string& t : texts) {
        EXPECT_NE(t.substr(0, 2), "2,") << t;
        EXPECT_NE(t.substr(t.size() - 2), ",1") << t;
    }
    EXPECT_EQ(texts.size(), 9u);
    // Row 3 starts where row 2 would have.
    CRect r1, r3;
    grid.CellBounds(1, 2, &r1);
    grid.CellBounds(3, 2, &r3);
    EXPECT_EQ(r3.top, r1.bottom + 1);
}

TEST_F(GridPaint, AClipBoxOverOneRowDrawsOnlyThatRow) {
    CGridCtrl grid(5, 3, 1, 1);
    GridHost host(grid, 400, 200);
    Label(grid);
    CRect row2;
    grid.CellBounds(2, 1, &row2);
    CRect area(row2.left, row2.top, 400, row2.bottom + 1);
    std::vector<std::string> texts = TextsDrawn(Paint(grid, host, &area));
    EXPECT_EQ(texts, (std::vector<std::string>{"2,1", "2,2"}));
}

// Grid lines at W + widths - 1 and H + heights - 1, over the body only.
TEST_F(GridPaint, GridLinesLandOnTheLastPixelOfEachCell) {
    CGridCtrl grid(3, 3, 1, 1);
    GridHost host(grid, 400, 200);
    grid.doubleBuffer = 0;
    for (int c = 0; c < 3; ++c) grid.SetWidthOfColumn(c, 40 + 10 * c);  // 40, 50, 60
    for (int r = 0; r < 3; ++r) grid.SetRowHeight(r, 20 + r);            // 20, 21, 22
    std::vector<std::string> log = Paint(grid, host);
    std::vector<std::string> lines;
    for (const std::string& e : log)
        if (e.find("LineTo") != std::string::npos && e.find("window") == 0) lines.push_back(e.substr(e.find("LineTo")));
    // Vertical lines down to the visible bottom (20 + 21 + 22), then horizontal ones.
    std::vector<std::string> grid_lines(lines.end() - 4, lines.end());
    EXPECT_EQ(grid_lines, (std::vector<std::string>{"LineTo (89,20)-(89,63)", "LineTo (149,20)-(149,63)",
                                                    "LineTo (40,40)-(150,40)", "LineTo (40,62)-(150,62)"}));
    grid.SetLineMode(0);
    log = Paint(grid, host);
    EXPECT_TRUE(std::none_of(log.begin(), log.end(), [](const std::string& e) { return e.find("(89,20)") != std::string::npos; }));
}

// The background fills go fixed-both, fixed-column, fixed-row, body, then the
// area right of and below the cells.
TEST_F(GridPaint, BackgroundFillsInOrder) {
    CGridCtrl grid(3, 3, 1, 1);
    GridHost host(grid, 400, 200);
    grid.doubleBuffer = 0;
    for (int c = 0; c < 3; ++c) grid.SetWidthOfColumn(c, 50);
    for (int r = 0; r < 3; ++r) grid.SetRowHeight(r, 20);
    vplat::GdiLog::Clear();
    CClientDC dc(&grid);
    grid.PaintBackground(&dc);
    std::vector<std::string> fills;
    for (const std::string& e : vplat::GdiLog::Entries()) fills.push_back(e.substr(e.find("FillRect")));
    EXPECT_EQ(fills, (std::vector<std::string>{"FillRect (0,0,50,20) #F0F0F0", "FillRect (0,0,50,60) #F0F0F0",
                                               "FillRect (49,0,150,20) #F0F0F0", "FillRect (50,20,150,60) #FFFFFF",
                                               "FillRect (150,0,400,200) #A0A0A0",
                                               "FillRect (0,60,150,200) #A0A0A0"}));
}

// The header of the sort column carries an arrow (two outlines of three
// sides); a row too low for one gets none, and nothing is drawn outside the cell.
// Rows of 22 as the title-block dialog makes them: the text of fixed and of
// body cells has room for a whole line, descenders included (13 at the
// dialog font); a lower row lends the text its margins, never more than
// the row.
TEST_F(GridPaint, TextKeepsALineWholeInLowRows) {
    for (int height : {22, 18, 15, 8}) {
        SCOPED_TRACE(height);
        CGridCtrl grid(3, 3, 1, 1);
        GridHost host(grid, 400, 200);
        for (int r = 0; r < 3; ++r) grid.SetRowHeight(r, height);
        grid.SetCellText(1, 0, L"Progetto");
        grid.SetCellText(1, 1, L"gggg");
        std::vector<std::string> log = Paint(grid, host);
        int drawn = 0;
        for (const std::string& e : log) {
            if (e.find("\"Progetto\"") == std::string::npos && e.find("\"gggg\"") == std::string::npos) continue;
            int l, t, r, b;
            ASSERT_EQ(std::sscanf(e.c_str() + e.find("DrawText ("), "DrawText (%d,%d,%d,%d)", &l, &t, &r, &b), 4) << e;
            if (height >= 15) {
                EXPECT_GE(b - t, 13) << e;
            }
            EXPECT_GE(t, height) << e;  // row 1 runs from y = height
            EXPECT_LE(b, 2 * height) << e;
            ++drawn;
        }
        EXPECT_EQ(drawn, 2);
    }
}

TEST_F(GridPaint, SortArrowOnlyWhereItFits) {
    CGridCtrl grid(3, 3, 1, 0);
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    CBitmap bitmap;
    bitmap.CreateCompatibleBitmap(&dc, 200, 60);
    CBitmap* old = dc.SelectObject(&bitmap);
    grid.SetSortColumn(1);
    struct Case {
        BOOL ascending;
        int height;
        size_t lines;  // the raised edge's four, and six for an arrow
    } cases[] = {{TRUE, 22, 10}, {FALSE, 22, 10}, {TRUE, 3, 4}, {FALSE, 3, 4}, {TRUE, 8, 4}};
    for (const Case& c : cases) {
        grid.SortRowsByText(1, c.ascending);
        CRect rect(10, 10, 109, 10 + c.height - 1);
        vplat::GdiLog::Clear();
        grid.CellAt(0, 1)->Draw(&dc, 0, 1, rect, TRUE);
        std::vector<std::string> lines = Drawn("LineTo");
        EXPECT_EQ(lines.size(), c.lines) << c.height << " " << c.ascending;
        EXPECT_TRUE(Drawn("Polygon").empty());
        for (const std::string& e : lines) {
            int x[2], y[2];
            ASSERT_EQ(std::sscanf(e.c_str() + e.find("LineTo"), "LineTo (%d,%d)-(%d,%d)", &x[0], &y[0], &x[1], &y[1]), 4);
            for (int i : {0, 1}) {
                EXPECT_GE(x[i], rect.left) << e;
                EXPECT_LE(x[i], rect.right + 1) << e;
                EXPECT_GE(y[i], rect.top) << e;
                EXPECT_LE(y[i], rect.bottom + 1) << e;
            }
        }
    }
    dc.SelectObject(old);
}

TEST_F(GridPaint, FixedCellsOfTheFocusRowAndColumnLookSunken) {
    CGridCtrl grid(3, 3, 1, 1);
    GridHost host(grid, 400, 200);
    grid.doubleBuffer = 0;
    grid.MoveFocus(2, 2);
    Paint(grid, host);
    std::vector<std::string> edges = Drawn("DrawEdge");
    ASSERT_EQ(edges.size(), 2u);  // the fixed-row cell of column 2 and the fixed-column cell of row 2
    CRect rowHeader, colHeader;
    grid.CellBounds(0, 2, &rowHeader);
    grid.CellBounds(2, 0, &colHeader);
    auto rect = [](const CRect& r) {
        return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right + 1) + "," +
               std::to_string(r.bottom + 1) + ")";
    };
    EXPECT_NE(edges[0].find(rect(colHeader)), std::string::npos) << edges[0];
    EXPECT_NE(edges[1].find(rect(rowHeader)), std::string::npos) << edges[1];
    // The focus cell gets a frame in its text colour.
    EXPECT_EQ(Drawn("FrameRect").size(), 1u);
}

// A change of the colour scheme reaches only colours that are still the system's.
TEST_F(GridPaint, SystemColourChangeFollowsOnlySystemColours) {
    CGridCtrl grid(3, 3, 1, 1);
    GridHost host(grid, 300, 100);
    grid.DefaultCellFor(TRUE, FALSE)->SetBackColour(RGB(10, 20, 30));
    grid.SetCellBackColour(1, 1, GetSysColor(COLOR_WINDOW));
    vplat::SysColors::Change(COLOR_WINDOW, RGB(250, 250, 200));
    vplat::SysColors::Change(COLOR_3DFACE, RGB(200, 200, 250));
    vplat::SysColors::Change(COLOR_WINDOWTEXT, RGB(0, 0, 90));
    grid.SendMessage(WM_SYSCOLORCHANGE);
    EXPECT_EQ(grid.DefaultCellFor(FALSE, FALSE)->BackColour(), RGB(250, 250, 200));
    EXPECT_EQ(grid.DefaultCellFor(FALSE, TRUE)->BackColour(), RGB(200, 200, 250));
    EXPECT_EQ(grid.DefaultCellFor(TRUE, TRUE)->BackColour(), RGB(200, 200, 250));
    EXPECT_EQ(grid.DefaultCellFor(TRUE, FALSE)->BackColour(), RGB(10, 20, 30));  // the owner's colour stays
    EXPECT_EQ(grid.DefaultCellFor(TRUE, FALSE)->TextColour(), RGB(0, 0, 90));
    EXPECT_EQ(grid.GetCellBackColour(1, 1), RGB(255, 255, 255));                // a cell's own colour stays
    EXPECT_EQ(grid.GetBackgroundColour(), RGB(160, 160, 160));
    // A second change follows from the colours read at the first.
    vplat::SysColors::Change(COLOR_WINDOW, RGB(1, 1, 1));
    grid.SendMessage(WM_SYSCOLORCHANGE);
    EXPECT_EQ(grid.DefaultCellFor(FALSE, FALSE)->BackColour(), RGB(1, 1, 1));
}

TEST_F(GridPaint, NothingIsDrawnWhileDrawingIsOff) {
    CGridCtrl grid(3, 3, 1, 1);
    GridHost host(grid, 300, 100);
    grid.EnableDrawing(FALSE);
    vplat::GdiLog::Clear();
    CClientDC dc(&grid);
    grid.PaintGrid(&dc);
    EXPECT_FALSE(grid.RepaintCell(1, 1));
    EXPECT_FALSE(grid.InvalidateCell(1, 1));
    EXPECT_TRUE(vplat::GdiLog::Entries().empty());
    grid.EnableDrawing(TRUE);
    EXPECT_TRUE(grid.RepaintCell(1, 1));
    EXPECT_FALSE(Drawn("DrawText").empty());
}
