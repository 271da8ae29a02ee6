// The grid's cells and their attributes, the modified flags, and the
// notifications to the owner.
#include "GridCtrl.h"

CGridCellBase* CGridCtrl::StoredCell(int row, int col) const {
    if (m_bVirtualMode || !IsInside(row, col)) return nullptr;
    return m_RowData[static_cast<size_t>(row)][static_cast<size_t>(col)];
}

CGridDefaultCell* CGridCtrl::DefaultCellFor(BOOL fixedRow, BOOL fixedCol) const {
    const CGridDefaultCell* def = &m_cellDefault;
    if (fixedRow && fixedCol)
        def = &m_cellFixedRowColDef;
    else if (fixedRow)
        def = &m_cellFixedRowDef;
    else if (fixedCol)
        def = &m_cellFixedColDef;
    return const_cast<CGridDefaultCell*>(def);
}

CGridCellBase* CGridCtrl::CellAt(int row, int col) const {
    if (!IsInside(row, col)) return nullptr;
    if (!m_bVirtualMode) return m_RowData[static_cast<size_t>(row)][static_cast<size_t>(col)];
    return VirtualCell(row, col);
}

// In virtual mode one request record and one cell serve every grid of the
// process: the returned cell holds the last position asked for.
CGridCellBase* CGridCtrl::VirtualCell(int row, int col) const {
    static GridDispInfo info;
    static CGridCell cell;
    bool fixedRow = row < m_nFixedRows, fixedCol = col < m_nFixedCols;
    CGridDefaultCell* def = DefaultCellFor(fixedRow, fixedCol);
    info.hdr = NMHDR{};
    GridItemRecord& item = info.item;
    item.row = row;
    item.col = col;
    item.mask = -1;
    item.nState = 0;
    item.nFormat = def->GetFormat();
    item.iImage = def->GetImage();
    item.crBkClr = def->BackColour();
    item.crFgClr = def->TextColour();
    item.lParam = def->GetData();
    item.lfFont = def->GetFont() ? *def->GetFont() : LOGFONTW{};
    item.nMargin = def->GetMargin();
    item.strText.Empty();
    if (IsSelected(row, col)) item.nState |= CELL_SELECTED;
    if (fixedRow) item.nState |= CELL_FIXED | CELL_FIXEDROW;
    if (fixedCol) item.nState |= CELL_FIXED | CELL_FIXEDCOL;
    if (CCellID(row, col) == m_idFocus) item.nState |= CELL_FOCUSED;
    if (m_pfnCallback)
        m_pfnCallback(&info, m_lParamCallback);
    else
        RequestCellData(&info);
    cell.SetState(item.nState);
    cell.SetFormat(item.nFormat);
    cell.SetImage(item.iImage);
    cell.SetBackColour(item.crBkClr);
    cell.SetTextColour(item.crFgClr);
    cell.SetData(item.lParam);
    cell.SetFont(&item.lfFont);
    cell.SetMargin(item.nMargin);
    cell.SetText(item.strText);
    cell.AttachGrid(const_cast<CGridCtrl*>(this));
    return &cell;
}

CString CGridCtrl::CellText(int row, int col) const {
    CGridCellBase* cell = CellAt(row, col);
    return cell ? CString(cell->GetText()) : CString();
}

BOOL CGridCtrl::SetCellText(int row, int col, LPCWSTR text) {
    return WriteCell(row, col, true, [&](CGridCellBase* c) { c->SetText(text); });
}

int CGridCtrl::CellState(int row, int col) const {
    CGridCellBase* cell = CellAt(row, col);
    return cell ? cell->GetState() : 0;
}

BOOL CGridCtrl::SetCellState(int row, int col, int state) {
    if (!IsInside(row, col)) return FALSE;
    CCellID id(row, col);
    CGridCellBase* cell = StoredCell(row, col);
    // The selection map follows bit 0x02 of the stored state.
    bool selectedNow = m_bVirtualMode ? m_SelectedCellMap.count(id) > 0 : cell && (cell->GetState() & CELL_SELECTED);
    if (selectedNow && !(state & CELL_SELECTED))
        m_SelectedCellMap.erase(id);
    else if (!selectedNow && (state & CELL_SELECTED))
        m_SelectedCellMap[id] = id;
    if (!cell) return FALSE;
    cell->SetState(state);
    return TRUE;
}

BOOL CGridCtrl::ReadItem(GridItemRecord* item) {
    if (!item) return FALSE;
    CGridCellBase* cell = CellAt(item->row, item->col);
    if (!cell) return FALSE;
    if (item->mask & ITEM_TEXT) item->strText = CellText(item->row, item->col);
    cell = CellAt(item->row, item->col);
    if (item->mask & ITEM_DATA) item->lParam = cell->GetData();
    if (item->mask & ITEM_IMAGE) item->iImage = cell->GetImage();
    if (item->mask & ITEM_STATE) item->nState = cell->GetState();
    if (item->mask & ITEM_FORMAT) item->nFormat = cell->GetFormat();
    if (item->mask & ITEM_BKCLR) item->crBkClr = cell->BackColour();
    if (item->mask & ITEM_FGCLR) item->crFgClr = cell->TextColour();
    if ((item->mask & ITEM_FONT) && cell->GetFont()) item->lfFont = *cell->GetFont();
    if (item->mask & ITEM_MARGIN) item->nMargin = cell->GetMargin();
    return TRUE;
}

BOOL CGridCtrl::WriteItem(const GridItemRecord* item) {
    if (!item) return FALSE;
    CGridCellBase* cell = StoredCell(item->row, item->col);
    if (!cell) return FALSE;
    MarkModified(TRUE, item->row, item->col);
    if (item->mask & ITEM_TEXT) cell->SetText(item->strText);
    if (item->mask & ITEM_DATA) cell->SetData(item->lParam);
    if (item->mask & ITEM_IMAGE) cell->SetImage(item->iImage);
    if (item->mask & ITEM_STATE) SetCellState(item->row, item->col, item->nState);
    if (item->mask & ITEM_FORMAT) cell->SetFormat(item->nFormat);
    if (item->mask & ITEM_BKCLR) cell->SetBackColour(item->crBkClr);
    if (item->mask & ITEM_FGCLR) cell->SetTextColour(item->crFgClr);
    if (item->mask & ITEM_FONT) cell->SetFont(&item->lfFont);
    if (item->mask & ITEM_MARGIN) cell->SetMargin(item->nMargin);
    return TRUE;
}

// The attribute accessors: a getter answers `none` without a cell; a setter
// fails in virtual mode or without a cell, and marks the cell modified when asked.
template <class T, class Get>
T CGridCtrl::ReadCell(int row, int col, T none, Get get) const {
    CGridCellBase* cell = CellAt(row, col);
    return cell ? get(cell) : none;
}

template <class Set>
BOOL CGridCtrl::WriteCell(int row, int col, bool marks, Set set) {
    CGridCellBase* cell = StoredCell(row, col);
    if (!cell) return FALSE;
    set(cell);
    if (marks) MarkModified(TRUE, row, col);
    return TRUE;
}

COLORREF CGridCtrl::GetCellBackColour(int row, int col) const {
    return ReadCell<COLORREF>(row, col, 0, [](CGridCellBase* c) { return c->BackColour(); });
}

BOOL CGridCtrl::SetCellBackColour(int row, int col, COLORREF colour) {
    return WriteCell(row, col, false, [&](CGridCellBase* c) { c->SetBackColour(colour); });
}

COLORREF CGridCtrl::GetCellTextColour(int row, int col) const {
    return ReadCell<COLORREF>(row, col, 0, [](CGridCellBase* c) { return c->TextColour(); });
}

BOOL CGridCtrl::SetCellTextColour(int row, int col, COLORREF colour) {
    return WriteCell(row, col, false, [&](CGridCellBase* c) { c->SetTextColour(colour); });
}

LPARAM CGridCtrl::GetCellData(int row, int col) const {
    return ReadCell<LPARAM>(row, col, 0, [](CGridCellBase* c) { return c->GetData(); });
}

BOOL CGridCtrl::SetCellData(int row, int col, LPARAM data) {
    return WriteCell(row, col, true, [&](CGridCellBase* c) { c->SetData(data); });
}

int CGridCtrl::GetCellImage(int row, int col) const {
    return ReadCell<int>(row, col, -1, [](CGridCellBase* c) { return c->GetImage(); });
}

BOOL CGridCtrl::SetCellImage(int row, int col, int image) {
    return WriteCell(row, col, true, [&](CGridCellBase* c) { c->SetImage(image); });
}

int CGridCtrl::GetCellFormat(int row, int col) const {
    return ReadCell<int>(row, col, 0, [](CGridCellBase* c) { return c->GetFormat(); });
}

BOOL CGridCtrl::SetCellFormat(int row, int col, int format) {
    return WriteCell(row, col, false, [&](CGridCellBase* c) { c->SetFormat(format); });
}

const LOGFONTW* CGridCtrl::GetCellFont(int row, int col) const {
    const LOGFONTW* fallback = DefaultCellFor(row < m_nFixedRows, col < m_nFixedCols)->GetFont();
    return ReadCell<const LOGFONTW*>(row, col, fallback, [](CGridCellBase* c) { return c->GetFont(); });
}

BOOL CGridCtrl::SetCellFont(int row, int col, const LOGFONTW* font) {
    return WriteCell(row, col, false, [&](CGridCellBase* c) { c->SetFont(font); });
}

BOOL CGridCtrl::FormatCellText(int row, int col, LPCWSTR format, ...) {
    if (!format) return FALSE;
    va_list args;
    va_start(args, format);
    CString text;
    text.FormatV(format, args);
    va_end(args);
    return WriteCell(row, col, true, [&](CGridCellBase* c) { c->SetText(text); });
}

BOOL CGridCtrl::FormatCellTextFromResource(int row, int col, UINT id, ...) {
    wchar_t format[1024];
    if (::LoadStringW(AfxGetResourceHandle(), id, format, 1024) <= 0) return FALSE;
    va_list args;
    va_start(args, id);
    CString text;
    text.FormatV(format, args);
    va_end(args);
    return WriteCell(row, col, true, [&](CGridCellBase* c) { c->SetText(text); });
}

void CGridCtrl::MarkModified(BOOL modified, int row, int col) {
    if (col < 0 || col == m_nSortColumn) SetSortColumn(-1);
    BOOL value = modified;
    if (row < 0 || col < 0) {
        m_bModified = modified;
    } else if (CGridCellBase* cell = StoredCell(row, col)) {
        if (modified) {
            cell->SetState(cell->GetState() | CELL_MODIFIED);
            m_bModified = TRUE;
        } else {
            cell->SetState(cell->GetState() & ~CELL_MODIFIED);
            value = m_bModified;
        }
    }
    if (value || m_bVirtualMode) return;
    for (GridRow& cells : m_RowData)
        for (CGridCellBase* cell : cells)
            if (cell) cell->SetState(cell->GetState() & ~CELL_MODIFIED);
}

BOOL CGridCtrl::IsModified(int row, int col) const {
    if (row < 0 || col < 0) return m_bModified;
    return (CellState(row, col) & CELL_MODIFIED) != 0;
}

BOOL CGridCtrl::IsInside(const CCellSpan& span) const {
    return span.IsValid() && span.maxRow < m_nRows && span.maxCol < m_nCols;
}

// --- Notifications ---------------------------------------------------------

CWnd* CGridCtrl::NotifyTarget() const {
    if (!m_hWnd) return nullptr;
    HWND owner = ::GetWindow(m_hWnd, GW_OWNER);
    if (!owner) owner = ::GetParent(m_hWnd);
    return owner && ::IsWindow(owner) ? CWnd::FromHandle(owner) : nullptr;
}

LRESULT CGridCtrl::NotifyOwner(int row, int col, UINT code) const {
    CWnd* owner = NotifyTarget();
    if (!owner) return 0;
    GridCellNotify notify{};
    notify.hdr.hwndFrom = m_hWnd;
    notify.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID());
    notify.hdr.code = code;
    notify.iRow = row;
    notify.iColumn = col;
    return owner->SendMessage(WM_NOTIFY, notify.hdr.idFrom, reinterpret_cast<LPARAM>(&notify));
}

LRESULT CGridCtrl::RequestCellData(GridDispInfo* info) const {
    CWnd* owner = NotifyTarget();
    if (!owner || !info) return 0;
    info->hdr.hwndFrom = m_hWnd;
    info->hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID());
    info->hdr.code = LVN_GETDISPINFOW;
    return owner->SendMessage(WM_NOTIFY, info->hdr.idFrom, reinterpret_cast<LPARAM>(info));
}

LRESULT CGridCtrl::SendCacheHint(const CCellSpan& span) const {
    CWnd* owner = NotifyTarget();
    if (!owner) return 0;
    GridCacheHint hint;
    hint.hdr = NMHDR{};
    hint.hdr.hwndFrom = m_hWnd;
    hint.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID());
    hint.hdr.code = LVN_ODCACHEHINT;
    hint.range = span;
    return owner->SendMessage(WM_NOTIFY, hint.hdr.idFrom, reinterpret_cast<LPARAM>(&hint));
}
