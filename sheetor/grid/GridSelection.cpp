// The grid's focus cell and selection.
#include "GridCtrl.h"

CCellID CGridCtrl::MoveFocus(int row, int col) {
    CCellID previous = m_idFocus;
    CCellID cell(row, col);
    if (cell == m_idFocus) return previous;
    // The focus never rests in the fixed rows or columns.
    if (cell.row != -1 && cell.row < m_nFixedRows) cell.row = m_nFixedRows;
    if (cell.col != -1 && cell.col < m_nFixedCols) cell.col = m_nFixedCols;
    m_idFocus = cell;
    auto repaintHeaders = [this](const CCellID& at, const CCellID& other) {
        if (!trackFocusInHeaders) return;
        if (at.col != other.col)
            for (int r = 0; r < m_nFixedRows; ++r) RepaintCell(r, at.col);
        if (at.row != other.row)
            for (int c = 0; c < m_nFixedCols; ++c) RepaintCell(at.row, c);
    };
    if (IsInside(previous)) {
        if (CGridCellBase* old = StoredCell(previous.row, previous.col))
            old->SetState(old->GetState() & ~CELL_FOCUSED);
        RepaintCell(previous.row, previous.col);
        repaintHeaders(previous, m_idFocus);
    }
    if (IsInside(m_idFocus)) {
        if (CGridCellBase* now = StoredCell(m_idFocus.row, m_idFocus.col))
            now->SetState(now->GetState() | CELL_FOCUSED);
        RepaintCell(m_idFocus.row, m_idFocus.col);
        repaintHeaders(m_idFocus, previous);
    }
    return previous;
}

BOOL CGridCtrl::IsSelected(int row, int col) const {
    if (!selectionEnabled) return FALSE;
    if (m_bVirtualMode) return m_SelectedCellMap.count(CCellID(row, col)) > 0;
    return (CellState(row, col) & CELL_SELECTED) != 0;
}

void CGridCtrl::SelectSpan(const CCellSpan& span, BOOL repaintNow, BOOL select) {
    SelectSpan(span.minRow, span.minCol, span.maxRow, span.maxCol, repaintNow, select);
}

void CGridCtrl::SelectSpan(int minRow, int minCol, int maxRow, int maxCol, BOOL repaintNow, BOOL select) {
    if (!selectionEnabled) return;
    CWaitCursor wait;
    CDC* dc = repaintNow && m_hWnd ? GetDC() : nullptr;
    CCellSpan visible = m_hWnd ? ShownBodySpan() : CCellSpan();
    if (minRow >= 0 && minRow < m_nFixedRows) minRow = m_nFixedRows;
    if (maxRow >= 0 && maxRow < m_nFixedRows) maxRow = m_nFixedRows;
    if (minCol >= 0 && minCol < m_nFixedCols) minCol = m_nFixedCols;
    if (maxCol >= 0 && maxCol < m_nFixedCols) maxCol = m_nFixedCols;
    CCellSpan block(minRow, minCol, maxRow, maxCol);
    auto show = [&](const CCellID& cell) {
        if (!visible.Contains(cell.row, cell.col)) return;
        if (dc)
            RepaintCell(cell.row, cell.col, dc);
        else
            InvalidateCell(cell.row, cell.col);
    };
    auto stateOf = [this](const CCellID& cell) {
        int state = CellState(cell.row, cell.col);
        if (m_bVirtualMode) state = m_SelectedCellMap.count(cell) ? state | CELL_SELECTED : state & ~CELL_SELECTED;
        return state;
    };
    bool done = false;
    if (select) {
        std::vector<CCellID> current;
        current.reserve(m_SelectedCellMap.size());
        for (const auto& entry : m_SelectedCellMap) current.push_back(entry.first);
        for (const CCellID& cell : current) {
            if (!IsInside(cell)) {
                m_SelectedCellMap.erase(cell);
                continue;
            }
            SetCellState(cell.row, cell.col, stateOf(cell) & ~CELL_SELECTED);
            if (!block.Contains(cell.row, cell.col)) show(cell);
        }
        if (!(listMode && singleRowSelection)) {
            if (minRow < 0) {
                done = true;
            } else if (minCol >= 0 && maxRow >= 0 && maxCol >= 0) {
                for (const auto& entry : m_PrevSelectedCellMap) {
                    const CCellID& cell = entry.first;
                    if (!IsInside(cell)) continue;
                    SetCellState(cell.row, cell.col, stateOf(cell) | CELL_SELECTED);
                    show(cell);
                }
            }
        }
    }
    if (!done && IsInside(block))
        for (int r = block.minRow; r <= block.maxRow; ++r)
            for (int c = block.minCol; c <= block.maxCol; ++c) {
                CCellID cell(r, c);
                int state = stateOf(cell);
                if (((state & CELL_SELECTED) != 0) == (select != 0)) continue;
                SetCellState(r, c, select ? state | CELL_SELECTED : state & ~CELL_SELECTED);
                show(cell);
            }
    if (dc) ReleaseDC(dc);
}

void CGridCtrl::ClearSelection() {
    m_PrevSelectedCellMap.clear();
    SelectSpan(-1, -1, -1, -1, FALSE, TRUE);
    MoveFocus(-1, -1);
}

CCellSpan CGridCtrl::GetSelectedSpan() const {
    CCellSpan span(m_nRows, m_nCols, -1, -1);
    for (const auto& entry : m_SelectedCellMap) {
        const CCellID& cell = entry.first;
        span.minRow = std::min(span.minRow, cell.row);
        span.minCol = std::min(span.minCol, cell.col);
        span.maxRow = std::max(span.maxRow, cell.row);
        span.maxCol = std::max(span.maxCol, cell.col);
    }
    return span;
}

void CGridCtrl::SelectEverything() {
    if (selectionEnabled) SelectSpan(m_nFixedRows, m_nFixedCols, m_nRows - 1, m_nCols - 1, FALSE, TRUE);
}

BOOL CGridCtrl::CanEditCell(int row, int col) const {
    return editable && !(CellState(row, col) & CELL_READONLY);
}

BOOL CGridCtrl::IsCellEditing(int row, int col) const {
    CGridCellBase* cell = CellAt(row, col);
    return cell && cell->IsEditing();
}

void CGridCtrl::FinishOpenEdit() {
    if (!IsInside(m_idFocus)) return;
    if (CGridCellBase* cell = CellAt(m_idFocus.row, m_idFocus.col)) cell->EndEdit();
}
