// A clean window system for every grid test, and small helpers to read what
// a grid drew.
#pragma once

#include <GridCtrl.h>

#include <string>
#include <vector>

#include "GridHost.h"
#include "../ui/UiFixture.h"

class GridFixture : public UiFixture {
protected:
    void SetUp() override {
        UiFixture::SetUp();
        vplat::SysColors::Reset();
    }
    void TearDown() override {
        vplat::SysColors::Reset();
        UiFixture::TearDown();
    }

    // Log entries drawn since the last clear whose text holds a fragment.
    static std::vector<std::string> Drawn(const std::string& fragment) { return vplat::GdiLog::Matching(fragment); }
    // Paints the grid now and returns what was drawn.
    template <class Host>
    static std::vector<std::string> Paint(CGridCtrl& grid, Host&, const RECT* area = nullptr) {
        vplat::GdiLog::Clear();
        grid.RedrawWindow(area, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        return vplat::GdiLog::Entries();
    }
};

// The title-block dialog's set-up: 4 rows, 3 columns, one fixed row and
// column, every default cell 22 high, widths 130, 70, 55.
inline void SetUpLikeTitleBlock(CGridCtrl& grid) {
    grid.SetCallbackMode(FALSE);
    grid.editable = 1;
    grid.rowResize = 0;
    grid.hiddenColumnDragUnhide = 0;
    grid.autoSizeScope = 3;
    grid.fixedColumnClickSelects = 1;
    for (auto [fixedRow, fixedCol] : {std::pair{FALSE, FALSE}, {FALSE, TRUE}, {TRUE, FALSE}, {TRUE, TRUE}})
        grid.DefaultCellFor(fixedRow, fixedCol)->SetHeight(22);
    grid.SetRows(4);
    grid.SetColumns(3);
    grid.SetHeaderRows(1);
    grid.SetHeaderColumns(1);
    grid.ClearSelection();
    grid.selectionEnabled = 0;
    grid.ClearSelection();
    grid.SetWidthOfColumn(0, 130);
    grid.SetWidthOfColumn(1, 70);
    grid.SetWidthOfColumn(2, 55);
}
