// Virtual mode: no cells of its own; the owner fills each cell on request.
#include "GridFixture.h"

namespace {

class GridVirtual : public GridFixture {};

struct Seen {
    int row, col, mask, state, format, margin;
    COLORREF back, text;
    LONG fontHeight;
};

std::vector<Seen> g_seen;

BOOL Fill(GridDispInfo* info, LPARAM user) {
    GridItemRecord& item = info->item;
    g_seen.push_back(Seen{item.row, item.col, item.mask, item.nState, item.nFormat, item.nMargin, item.crBkClr,
                          item.crFgClr, item.lfFont.lfHeight});
    item.strText.Format(L"%d:%d/%d", item.row, item.col, static_cast<int>(user));
    return TRUE;
}

}  // namespace

TEST_F(GridVirtual, TheCallbackSeesTheDefaultsAndTheStateBits) {
    CGridCtrl grid;
    grid.SetCallbackMode(TRUE);
    EXPECT_EQ(grid.autoSizeScope, 1);
    EXPECT_FALSE(grid.editable);
    grid.SetCallbackFunc(Fill, 7);
    grid.SetRows(5);
    grid.SetColumns(4);
    grid.SetHeaderRows(1);
    grid.SetHeaderColumns(1);
    grid.MoveFocus(2, 2);
    grid.SelectSpan(3, 1, 3, 1);
    g_seen.clear();
    struct Case {
        int row, col, state;
    } cases[] = {{0, 0, 0x70}, {0, 2, 0x30}, {2, 0, 0x50}, {2, 2, 0x01}, {3, 1, 0x02}, {4, 3, 0x00}};
    for (const Case& c : cases) {
        CGridCellBase* cell = grid.CellAt(c.row, c.col);
        ASSERT_NE(cell, nullptr);
        EXPECT_EQ(cell->GetState(), c.state) << c.row << "," << c.col;
        EXPECT_EQ(std::wstring(cell->GetText()), std::to_wstring(c.row) + L":" + std::to_wstring(c.col) + L"/7");
        const Seen& seen = g_seen.back();
        EXPECT_EQ(seen.mask, -1);
        EXPECT_EQ(seen.state, c.state);
        CGridDefaultCell* def = grid.DefaultCellFor(c.row < 1, c.col < 1);
        EXPECT_EQ(seen.format, def->GetFormat());
        EXPECT_EQ(seen.back, def->BackColour());
        EXPECT_EQ(seen.text, def->TextColour());
        EXPECT_EQ(seen.margin, def->GetMargin());
        EXPECT_EQ(seen.fontHeight, def->GetFont()->lfHeight);
    }
    EXPECT_EQ(grid.CellAt(5, 0), nullptr);
    EXPECT_FALSE(grid.SetCellText(1, 1, L"x"));  // nothing to store
    EXPECT_EQ(grid.SelectionMapSize(), 1u);
}

TEST_F(GridVirtual, OneSharedCellServesEveryRequest) {
    CGridCtrl grid;
    grid.SetCallbackMode(TRUE);
    grid.SetCallbackFunc(Fill, 0);
    grid.SetRows(3);
    grid.SetColumns(3);
    CGridCellBase* first = grid.CellAt(1, 1);
    CGridCellBase* second = grid.CellAt(2, 2);
    EXPECT_EQ(first, second);
    EXPECT_EQ(std::wstring(first->GetText()), L"2:2/0");  // the first result shows the second cell
}

// Without a callback the owner fills the record from LVN_GETDISPINFOW; a
// paint announces the shown span first and ends with an all -1 hint.
TEST_F(GridVirtual, TheOwnerIsAskedAndToldWhatIsPainted) {
    CGridCtrl grid;
    GridHost host(grid, 300, 100);
    grid.SetCallbackMode(TRUE);
    grid.SetRows(50);
    grid.SetColumns(3);
    grid.SetHeaderRows(1);
    grid.SetHeaderColumns(1);
    host.Top().onNotify = [](NMHDR* hdr) {
        if (hdr->code != LVN_GETDISPINFOW) return;
        auto* info = reinterpret_cast<GridDispInfo*>(hdr);
        info->item.strText.Format(L"v%d", info->item.row);
    };
    EXPECT_EQ(grid.CellText(4, 1), L"v4");
    host.Top().notices.clear();
    Paint(grid, host);
    const auto& notices = host.Top().notices;
    ASSERT_GE(notices.size(), 3u);
    CCellSpan shown = grid.ShownBodySpan();
    EXPECT_EQ(notices.front().code, LVN_ODCACHEHINT);
    EXPECT_EQ(CCellSpan(notices.front().spanMinRow, notices.front().spanMinCol, notices.front().spanMaxRow,
                        notices.front().spanMaxCol),
              shown);
    EXPECT_EQ(notices.back().code, LVN_ODCACHEHINT);
    EXPECT_EQ(notices.back().spanMinRow, -1);
    EXPECT_EQ(notices.back().spanMaxCol, -1);
    size_t asked = 0;
    for (const auto& n : notices) asked += n.code == LVN_GETDISPINFOW;
    EXPECT_EQ(asked, static_cast<size_t>((shown.maxRow + 1) * 3));  // the shown body and its fixed cells
    EXPECT_FALSE(Drawn("\"v1\"").empty());
}
