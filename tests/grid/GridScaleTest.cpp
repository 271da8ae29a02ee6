// A paint costs the same for 100 rows as for 100 000: only the shown rows are
// visited, at the top as at the bottom.
#include "GridFixture.h"

namespace {

class GridScale : public GridFixture {};

struct PaintCount {
    size_t entries;
    size_t cells;
    bool operator==(const PaintCount& o) const { return entries == o.entries && cells == o.cells; }
};

PaintCount CountPaint(int rows, bool bottom) {
    CGridCtrl grid(rows + 1, 5, 1, 1);
    GridHost host(grid, 600, 400);
    for (int r = 1; r <= rows; ++r) grid.CellAt(r, 1)->SetText(L"riga");
    if (bottom) grid.SendMessage(WM_VSCROLL, SB_BOTTOM);
    GridHost<CGridCtrl>::Pump();
    vplat::GdiLog::Clear();
    grid.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    return PaintCount{vplat::GdiLog::Entries().size(), vplat::GdiLog::Matching("DrawText").size()};
}

}  // namespace

TEST_F(GridScale, OnePaintIsTheSameForFewAndManyRows) {
    for (bool bottom : {false, true}) {
        PaintCount few = CountPaint(100, bottom), many = CountPaint(100000, bottom);
        EXPECT_GT(few.cells, 20u);
        EXPECT_EQ(few.entries, many.entries) << bottom;
        EXPECT_EQ(few.cells, many.cells) << bottom;
    }
}
