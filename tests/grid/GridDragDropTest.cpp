// Cells dragged and dropped within the grid through the queued input.
#include <cstring>
#include <memory>

#include "GridFixture.h"

namespace {

// A 5 x 4 grid, one fixed row and column, columns 60 wide and rows 20 high;
// body texts "A1".."C4".
class GridDragDrop : public GridFixture {
protected:
    void SetUp() override {
        GridFixture::SetUp();
        for (int r = 1; r < 5; ++r)
            for (int c = 1; c < 4; ++c)
                grid.SetCellText(r, c, (std::wstring(1, static_cast<wchar_t>(L'A' + c - 1)) + std::to_wstring(r)).c_str());
        grid.dragAndDrop = 1;
        host = std::make_unique<GridHost<CGridCtrl>>(grid, 300, 200);
        for (int c = 0; c < 4; ++c) grid.SetWidthOfColumn(c, 60);
        for (int r = 0; r < 5; ++r) grid.SetRowHeight(r, 20);
        grid.SetFocus();
    }
    void TearDown() override {
        vplat::UserInput::HoldKeys(false, false);
        host.reset();
        GridFixture::TearDown();
    }
    static CPoint At(int row, int col) { return CPoint(60 * col + 30, 20 * row + 10); }
    // Presses on `from`, moves a little, then to `to` (with Ctrl when asked) and releases.
    void Drag(CPoint from, CPoint to, bool ctrl = false) {
        vplat::Clock::Get().Advance(5000);
        vplat::UserInput::ButtonDown(grid.m_hWnd, from);
        vplat::UserInput::HoldKeys(false, ctrl);
        CPoint step(from.x + 3, from.y), s = to;
        grid.ClientToScreen(&step);
        grid.ClientToScreen(&s);
        vplat::UserInput::MoveMouse(step);
        vplat::UserInput::MoveMouse(s);
        vplat::UserInput::ButtonUp(grid.m_hWnd, to);
        vplat::UserInput::HoldKeys(false, false);
        vplat::UserInput::Pump();
    }
    CString T(int r, int c) { return grid.CellText(r, c); }

    CGridCtrl grid{5, 4, 1, 1};
    std::unique_ptr<GridHost<CGridCtrl>> host;
};

}  // namespace

TEST_F(GridDragDrop, AMoveClearsTheSourceAndACopyKeepsIt) {
    grid.SelectSpan(1, 1, 1, 2);
    Drag(At(1, 1), At(3, 1));
    EXPECT_EQ(T(3, 1), CString(L"A1"));
    EXPECT_EQ(T(3, 2), CString(L"B1"));
    EXPECT_EQ(T(1, 1), CString(L""));
    EXPECT_EQ(T(1, 2), CString(L""));
    EXPECT_EQ(grid.GetMouseMode(), MOUSE_NOTHING);

    grid.SelectSpan(3, 1, 3, 2);
    Drag(At(3, 1), At(4, 2), true);
    EXPECT_EQ(T(4, 2), CString(L"A1"));
    EXPECT_EQ(T(4, 3), CString(L"B1"));
    EXPECT_EQ(T(3, 1), CString(L"A1"));  // copied: the source stays
}

// The drop pastes with the selection cleared; the move still clears what it
// did not overwrite.
TEST_F(GridDragDrop, AMoveOntoItsOwnBlock) {
    grid.SelectSpan(1, 1, 1, 2);
    Drag(At(1, 1), At(1, 2));
    EXPECT_EQ(T(1, 1), CString(L""));
    EXPECT_EQ(T(1, 2), CString(L"A1"));
    EXPECT_EQ(T(1, 3), CString(L"B1"));
}

// Two cells selected apart: the move clears those two, not the cells of
// their block that were left unselected.
TEST_F(GridDragDrop, AMoveClearsOnlyTheSelectedCells) {
    grid.SetCellState(1, 1, grid.CellState(1, 1) | CELL_SELECTED);
    grid.SetCellState(2, 2, grid.CellState(2, 2) | CELL_SELECTED);
    Drag(At(1, 1), At(3, 1));
    EXPECT_EQ(T(3, 1), CString(L"A1"));
    EXPECT_EQ(T(4, 2), CString(L"B2"));
    EXPECT_EQ(T(1, 1), CString(L""));
    EXPECT_EQ(T(2, 2), CString(L""));
    EXPECT_EQ(T(1, 2), CString(L"B1"));
    EXPECT_EQ(T(2, 1), CString(L"A2"));
}

TEST_F(GridDragDrop, WhereNothingMayBeDropped) {
    COleDataSource source;
    HGLOBAL text = GlobalAlloc(GMEM_MOVEABLE, 3);
    std::memcpy(GlobalLock(text), "xy", 3);
    GlobalUnlock(text);
    source.CacheGlobalData(CF_TEXT, text);
    COleDataObject data;
    data.Attach(&source);

    grid.SetCellState(2, 2, grid.CellState(2, 2) | CELL_READONLY);
    EXPECT_EQ(grid.OnDragEnter(&data, 0, At(2, 1)), DROPEFFECT_MOVE);
    EXPECT_TRUE(grid.CellState(2, 1) & CELL_DROPHILITED);
    EXPECT_EQ(grid.OnDragOver(&data, MK_CONTROL, At(3, 1)), DROPEFFECT_COPY);
    EXPECT_FALSE(grid.CellState(2, 1) & CELL_DROPHILITED);
    EXPECT_EQ(grid.OnDragOver(&data, 0, At(2, 2)), DROPEFFECT_NONE);  // read-only
    EXPECT_EQ(grid.OnDragOver(&data, 0, At(0, 2)), DROPEFFECT_NONE);  // a header
    grid.OnDragLeave();

    grid.dragAndDrop = 0;
    EXPECT_EQ(grid.OnDragEnter(&data, 0, At(3, 1)), DROPEFFECT_NONE);
    EXPECT_EQ(grid.OnDragOver(&data, 0, At(3, 1)), DROPEFFECT_NONE);
    EXPECT_FALSE(grid.OnDrop(&data, DROPEFFECT_MOVE, At(3, 1)));
    EXPECT_EQ(T(3, 1), CString(L"A3"));
    grid.SelectSpan(1, 1, 1, 2);
    Drag(At(1, 1), At(3, 1));  // no drag starts: the press ends as a click
    EXPECT_EQ(T(3, 1), CString(L"A3"));
    EXPECT_EQ(T(1, 1), CString(L"A1"));
}

// The drag picture is the focus cell, its default back colour see-through.
TEST_F(GridDragDrop, ThePictureIsTheFocusCell) {
    CPoint hot(-1, -1);
    grid.MoveFocus(-1, -1);
    EXPECT_EQ(grid.BuildDragPicture(&hot), nullptr);
    grid.MoveFocus(2, 1);
    std::unique_ptr<CImageList> picture(grid.BuildDragPicture(&hot));
    ASSERT_NE(picture, nullptr);
    ASSERT_EQ(picture->GetImageCount(), 1);
    IMAGEINFO info{};
    ASSERT_TRUE(picture->GetImageInfo(0, &info));
    EXPECT_EQ(CRect(info.rcImage).Size(), CSize(60, 20));
    EXPECT_GE(hot.x, 0);
    EXPECT_LT(hot.x, 60);
    EXPECT_GE(hot.y, 0);
    EXPECT_LT(hot.y, 20);
    // Drawn over red, the back colour lets the red through and the text does not.
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    CBitmap target;
    target.CreateBitmap(60, 20, 1, 32, nullptr);
    CBitmap* old = dc.SelectObject(&target);
    dc.FillSolidRect(0, 0, 60, 20, RGB(255, 0, 0));
    picture->Draw(&dc, 0, CPoint(0, 0), ILD_TRANSPARENT);
    EXPECT_EQ(dc.GetPixel(45, 10), RGB(255, 0, 0));
    int dark = 0;
    for (int x = 0; x < 30; ++x)
        for (int y = 3; y < 17; ++y) dark += dc.GetPixel(x, y) == RGB(0, 0, 0) ? 1 : 0;
    EXPECT_GT(dark, 0);  // "A2"
    dc.SelectObject(old);
}
