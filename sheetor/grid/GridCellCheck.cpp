#include "GridCellCheck.h"

#include "GridCtrl.h"

IMPLEMENT_DYNCREATE(CGridCellCheck, CGridCell)

int CGridCellCheck::BoxSize() const { return GetSystemMetrics(SM_CXHSCROLL); }

int CGridCellCheck::SetCheck(int checked) {
    int previous = m_bChecked;
    m_bChecked = checked;
    if (!m_Rect.IsRectEmpty() && m_pGrid && m_pGrid->GetSafeHwnd())
        m_pGrid->InvalidateRect(InclusiveToExclusive(m_Rect));
    return previous;
}

BOOL CGridCellCheck::Draw(CDC* dc, int row, int col, CRect rect, BOOL eraseBkgnd) {
    m_Rect = rect;
    BOOL result = CGridCell::Draw(dc, row, col, rect, eraseBkgnd);
    if (dc) {
        CRect box = GetCheckPlacement();
        dc->DrawFrameControl(box, DFC_BUTTON, DFCS_BUTTONCHECK | (m_bChecked ? DFCS_CHECKED : 0));
    }
    return result;
}

CRect CGridCellCheck::GetCheckPlacement() const {
    int size = BoxSize();
    int margin = GetMargin();
    CRect place(m_Rect.left + margin, m_Rect.top + margin, m_Rect.left + margin + size, m_Rect.top + margin + size);
    if (m_Rect.Height() < size + 2 * margin) {
        place.top = m_Rect.top + (m_Rect.Height() - size) / 2;
        place.bottom = place.top + size;
    }
    return place;
}

BOOL CGridCellCheck::TextArea(LPRECT rect) {
    BOOL result = CGridCell::TextArea(rect);
    rect->left = std::min(rect->left + BoxSize() + 2 * GetMargin(), rect->right);
    return result;
}

CSize CGridCellCheck::NeededSize(CDC* dc) {
    CSize size = CGridCell::NeededSize(dc);
    int box = BoxSize() + 2 * GetMargin();
    size.cx += box;
    size.cy = std::max(static_cast<int>(size.cy), box);
    return size;
}

void CGridCellCheck::OnClick(CPoint pointInCell) {
    if (!m_pGrid) return;
    CPoint point(pointInCell.x + m_Rect.left, pointInCell.y + m_Rect.top);
    CCellID cell = m_pGrid->HitTestCell(point, TRUE);
    if (!m_pGrid->CanEditCell(cell) || !GetCheckPlacement().PtInRect(point)) return;
    m_bChecked = !m_bChecked;
    if (m_pGrid->GetSafeHwnd()) m_pGrid->InvalidateRect(InclusiveToExclusive(m_Rect));
}
