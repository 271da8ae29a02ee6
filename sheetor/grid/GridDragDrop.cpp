// Cells dragged out of the grid and dropped onto it, as CF_TEXT.
#include <algorithm>

#include "GridCtrl.h"

// --- The drop target ---------------------------------------------------------

BOOL CGridDropTarget::Register(CGridCtrl* grid) {
    // One registration at a time in the process.
    static bool registering = false;
    if (m_bRegistered || registering || !grid || !grid->IsKindOf(RUNTIME_CLASS(CGridCtrl))) return FALSE;
    registering = true;
    m_pGridCtrl = grid;
    m_bRegistered = COleDropTarget::Register(grid);
    registering = false;
    return m_bRegistered;
}

void CGridDropTarget::Revoke() {
    m_bRegistered = FALSE;
    COleDropTarget::Revoke();
}

bool CGridDropTarget::Serves(CWnd* wnd) const {
    return m_pGridCtrl && wnd && wnd->GetSafeHwnd() && wnd->m_hWnd == m_pGridCtrl->GetSafeHwnd();
}

DWORD CGridDropTarget::OnDragEnter(CWnd* wnd, COleDataObject* data, DWORD keyState, CPoint point) {
    return Serves(wnd) ? m_pGridCtrl->OnDragEnter(data, keyState, point) : DROPEFFECT_NONE;
}

DWORD CGridDropTarget::OnDragOver(CWnd* wnd, COleDataObject* data, DWORD keyState, CPoint point) {
    return Serves(wnd) ? m_pGridCtrl->OnDragOver(data, keyState, point) : DROPEFFECT_NONE;
}

BOOL CGridDropTarget::OnDrop(CWnd* wnd, COleDataObject* data, DWORD dropEffect, CPoint point) {
    return Serves(wnd) ? m_pGridCtrl->OnDrop(data, dropEffect, point) : FALSE;
}

void CGridDropTarget::OnDragLeave(CWnd* wnd) {
    if (Serves(wnd)) m_pGridCtrl->OnDragLeave();
}

DWORD CGridDropTarget::OnDragScroll(CWnd* wnd, DWORD keyState, CPoint) {
    if (!Serves(wnd)) return DROPEFFECT_NONE;
    return (keyState & MK_CONTROL) ? DROPEFFECT_COPY : DROPEFFECT_MOVE;
}

// --- The grid's side -----------------------------------------------------------

void CGridCtrl::StartDragOut() {
    if (!dragAndDrop) return;
    COleDataSource* source = BuildClipboardSource();
    if (!source) return;
    // The cells dragged are the selected ones, not every cell of their block.
    std::vector<CCellID> dragged;
    dragged.reserve(m_SelectedCellMap.size());
    for (const auto& entry : m_SelectedCellMap) dragged.push_back(entry.first);
    std::sort(dragged.begin(), dragged.end(),
              [](const CCellID& a, const CCellID& b) { return a.row != b.row ? a.row < b.row : a.col < b.col; });
    CCellSpan block = GetSelectedSpan();
    NotifyOwner(block.minRow, block.minCol, LVN_BEGINDRAG);
    m_MouseMode = MOUSE_DRAGGING;
    m_bLMouseButtonDown = FALSE;
    m_bDroppedHere = false;
    m_bDragging = true;
    DWORD effect = source->DoDragDrop(DROPEFFECT_COPY | DROPEFFECT_MOVE);
    m_bDragging = false;
    if (effect & DROPEFFECT_MOVE) {
        // A drop here pasted with select off, which cleared the selection:
        // the dragged cells are cleared where the drop did not just fill
        // them. Hidden rows and columns carried nothing and keep their text.
        CCellSpan filled = m_bDroppedHere ? m_lastPasted : CCellSpan();
        for (const CCellID& cell : dragged)
            if (IsInside(cell) && !filled.Contains(cell.row, cell.col) && GetRowHeight(cell.row) > 0 &&
                GetColumnWidth(cell.col) > 0)
                ApplyCellEdit(cell.row, cell.col, L"");
        InvalidateAll();
    }
    m_MouseMode = MOUSE_NOTHING;
    delete source;
}

DWORD CGridCtrl::OnDragEnter(COleDataObject* data, DWORD keys, CPoint point) {
    if (!dragAndDrop || !data || !data->IsDataAvailable(CF_TEXT)) return DROPEFFECT_NONE;
    m_idDropCell = HitTestCell(point, FALSE);
    if (!IsInside(m_idDropCell) || !CanEditCell(m_idDropCell)) return DROPEFFECT_NONE;
    SetCellState(m_idDropCell.row, m_idDropCell.col, CellState(m_idDropCell.row, m_idDropCell.col) | CELL_DROPHILITED);
    RepaintCell(m_idDropCell.row, m_idDropCell.col);
    return (keys & MK_CONTROL) ? DROPEFFECT_COPY : DROPEFFECT_MOVE;
}

DWORD CGridCtrl::OnDragOver(COleDataObject* data, DWORD keys, CPoint point) {
    if (!dragAndDrop || !editable || !data || !data->IsDataAvailable(CF_TEXT)) return DROPEFFECT_NONE;
    CCellID cell = HitTestCell(point, FALSE);
    if (!IsInside(cell) || IsHeaderCell(cell.row, cell.col)) {
        OnDragLeave();
        m_idDropCell = CCellID();
        return DROPEFFECT_NONE;
    }
    if (!CanEditCell(cell)) return DROPEFFECT_NONE;
    if (cell != m_idDropCell) {
        if (IsInside(m_idDropCell)) {
            SetCellState(m_idDropCell.row, m_idDropCell.col,
                         CellState(m_idDropCell.row, m_idDropCell.col) & ~CELL_DROPHILITED);
            RepaintCell(m_idDropCell.row, m_idDropCell.col);
        }
        m_idDropCell = cell;
        SetCellState(cell.row, cell.col, CellState(cell.row, cell.col) | CELL_DROPHILITED);
        RepaintCell(cell.row, cell.col);
    }
    return (keys & MK_CONTROL) ? DROPEFFECT_COPY : DROPEFFECT_MOVE;
}

void CGridCtrl::OnDragLeave() {
    if (!IsInside(m_idDropCell)) return;
    SetCellState(m_idDropCell.row, m_idDropCell.col, CellState(m_idDropCell.row, m_idDropCell.col) & ~CELL_DROPHILITED);
    RepaintCell(m_idDropCell.row, m_idDropCell.col);
}

BOOL CGridCtrl::OnDrop(COleDataObject* data, DWORD, CPoint) {
    m_MouseMode = MOUSE_NOTHING;
    if (!dragAndDrop || !IsInside(m_idDropCell) || !CanEditCell(m_idDropCell)) return FALSE;
    OnDragLeave();
    BOOL pasted = PasteClipboardRows(m_idDropCell, data, FALSE);
    if (pasted && m_bDragging) m_bDroppedHere = true;
    return pasted;
}

// The picture a drag shows: the focus cell as drawn, in a one-image list whose
// mask is the default cell's back colour. The hot spot is where the pointer
// last was inside the cell. Null without a shown focus cell; the caller
// deletes the list.
CImageList* CGridCtrl::BuildDragPicture(CPoint* hotSpot) {
    CCellID focus = GetFocusCell();
    CRect bounds;
    CGridCellBase* cell = IsInside(focus) ? CellAt(focus.row, focus.col) : nullptr;
    if (!cell || !CellBounds(focus.row, focus.col, &bounds)) return nullptr;
    int width = bounds.Width() + 1, height = bounds.Height() + 1;
    if (width <= 0 || height <= 0) return nullptr;

    CDC* screen = GetDC();
    CDC memory;
    memory.CreateCompatibleDC(screen);
    CBitmap picture;
    picture.CreateCompatibleBitmap(screen, width, height);
    ReleaseDC(screen);
    CBitmap* old = memory.SelectObject(&picture);
    COLORREF mask = m_cellDefault.BackColour();
    memory.FillSolidRect(0, 0, width, height, mask);
    cell->Draw(&memory, focus.row, focus.col, CRect(0, 0, width - 1, height - 1), FALSE);
    memory.SelectObject(old);

    auto* list = new CImageList;
    if (!list->Create(width, height, ILC_COLOR24 | ILC_MASK, 1, 1) || list->Add(&picture, mask) < 0) {
        delete list;
        return nullptr;
    }
    if (hotSpot) {
        CPoint at = m_LastMousePoint - bounds.TopLeft();
        *hotSpot = CPoint(std::clamp<LONG>(at.x, 0, width - 1), std::clamp<LONG>(at.y, 0, height - 1));
    }
    return list;
}
