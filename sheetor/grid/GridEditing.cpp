// Editing cell texts: the in-place editor's life from opening to its end
// notification, and the programmatic edits that go through the same checks.
#include "GridCtrl.h"
#include "GridInPlaceEdit.h"

void CGridCtrl::OpenCellEditor(int row, int col, CPoint point, UINT ch) {
    m_TitleTip.Hide();
    if (!IsInside(row, col) || !CanEditCell(row, col)) return;
    ScrollIntoView(row, col);
    CRect rect;
    if (!IsCellShown(row, col) || !CellBounds(row, col, &rect)) return;
    if (NotifyOwner(row, col, LVN_BEGINLABELEDITW) < 0) return;
    // The owner may have changed the grid while it answered.
    CGridCellBase* cell = CellAt(row, col);
    if (!cell) return;
    if (cell->IsKindOf(RUNTIME_CLASS(CGridCell)) && !cell->IsEditing())
        static_cast<CGridCell*>(cell)->EditWith(row, col, rect, IDC_INPLACE_CONTROL, ch, m_bEditorKeyStart);
    else
        cell->Edit(row, col, rect, point, IDC_INPLACE_CONTROL, ch);
}

bool CGridCtrl::CommitCellText(int row, int col, LPCWSTR text) {
    CString old = CellText(row, col);
    if (old == text) return true;
    SetCellText(row, col, text);
    bool accepted = CheckCellEdit(row, col, text) && NotifyOwner(row, col, LVN_ENDLABELEDITW) >= 0;
    if (!CellAt(row, col)) return false;
    if (accepted) {
        MarkModified(TRUE, row, col);
        RepaintCell(row, col);
    } else {
        SetCellText(row, col, old);
    }
    return accepted;
}

void CGridCtrl::CloseCellEditor(int row, int col, LPCWSTR text) {
    if (!CellAt(row, col)) return;
    CommitCellText(row, col, text);
    if (CGridCellBase* cell = CellAt(row, col)) cell->EditFinished();
}

void CGridCtrl::ApplyCellEdit(int row, int col, LPCWSTR text) {
    if (!IsInside(row, col) || !CanEditCell(row, col)) return;
    if (NotifyOwner(row, col, LVN_BEGINLABELEDITW) < 0) return;
    if (!CellAt(row, col)) return;
    CommitCellText(row, col, text);
}

BOOL CGridCtrl::CheckCellEdit(int row, int col, LPCWSTR text) {
    CGridCellBase* cell = CellAt(row, col);
    return cell ? cell->CheckEdit(text) : TRUE;
}

void CGridCtrl::ClearSelectionText() {
    if (!editable) return;
    std::vector<CCellID> cells;
    cells.reserve(m_SelectedCellMap.size());
    for (const auto& entry : m_SelectedCellMap) cells.push_back(entry.first);
    for (const CCellID& cell : cells)
        if (IsSelected(cell)) ApplyCellEdit(cell.row, cell.col, L"");
}

void CGridCtrl::ClearSpanText(const CCellSpan& span) {
    if (IsInside(span))
        for (int r = span.minRow; r <= span.maxRow; ++r)
            for (int c = span.minCol; c <= span.maxCol; ++c)
                if (GetRowHeight(r) > 0 && GetColumnWidth(c) > 0) ApplyCellEdit(r, c, L"");
    InvalidateAll();
}

void CGridCtrl::InPlaceEditClosed(NMHDR* hdr, LRESULT* result) {
    *result = 0;
    if (!m_hWnd) return;
    auto* info = reinterpret_cast<GridDispInfo*>(hdr);
    const int row = info->item.row, col = info->item.col;
    if (info->item.mask == ITEM_IMAGE) {
        if (CGridCellBase* cell = CellAt(row, col)) {
            cell->SetImage(info->item.iImage);
            cell->EditFinished();
        }
    } else {
        CloseCellEditor(row, col, info->item.strText);
    }
    UINT key = static_cast<UINT>(info->item.lParam);
    switch (key) {
    case VK_TAB:
    case VK_RETURN:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_END:
    case VK_HOME:
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN:
        OnKeyDown(key, 0, 0);
        m_bEditorKeyStart = true;
        OpenCellEditor(m_idFocus.row, m_idFocus.col, CPoint(-1, -1), key);
        m_bEditorKeyStart = false;
        break;
    default: break;
    }
}
