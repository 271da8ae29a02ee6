// A text cell with a check box at its left.
#pragma once

#include "GridCell.h"

class CGridCellCheck : public CGridCell {
    DECLARE_DYNCREATE(CGridCellCheck)

public:
    CGridCellCheck() = default;

    int GetCheck() const { return m_bChecked; }
    // The previous state.
    int SetCheck(int checked);

    BOOL Draw(CDC* dc, int row, int col, CRect rect, BOOL eraseBkgnd = TRUE) override;
    BOOL TextArea(LPRECT rect) override;
    CSize NeededSize(CDC* dc = nullptr) override;
    void OnClick(CPoint pointInCell) override;

    // The box, in grid client coordinates, from where the cell was last drawn.
    CRect GetCheckPlacement() const;

protected:
    int BoxSize() const;

    int m_bChecked = 0;
    CRect m_Rect;
};
