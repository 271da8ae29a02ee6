// The grid under the mouse: selecting, sizing rows and columns by their
// borders, the title tip, and clicks that start an edit.
#include "GridCtrl.h"

#include <algorithm>

// --- Selection by the mouse ------------------------------------------------

void CGridCtrl::SelectToCell(const CCellID& cell, BOOL repaintNow, BOOL select) {
    if (!selectionEnabled || !IsInside(cell) || IsHeaderCell(cell.row, cell.col)) return;
    SelectSpan(std::min(m_SelectionStartCell.row, cell.row), std::min(m_SelectionStartCell.col, cell.col),
               std::max(m_SelectionStartCell.row, cell.row), std::max(m_SelectionStartCell.col, cell.col), repaintNow,
               select);
}

void CGridCtrl::SelectToColumn(const CCellID& cell, BOOL repaintNow, BOOL select) {
    if (!selectionEnabled || cell.col < m_nFixedCols || cell.col >= m_nCols) return;
    int first = singleColumnSelection ? cell.col : std::min(m_SelectionStartCell.col, cell.col);
    int last = singleColumnSelection ? cell.col : std::max(m_SelectionStartCell.col, cell.col);
    SelectSpan(m_nFixedRows, first, m_nRows - 1, last, repaintNow, select);
}

void CGridCtrl::SelectToRow(const CCellID& cell, BOOL repaintNow, BOOL select) {
    if (!selectionEnabled || cell.row < m_nFixedRows || cell.row >= m_nRows) return;
    bool single = listMode && singleRowSelection;
    int first = single ? cell.row : std::min(m_SelectionStartCell.row, cell.row);
    int last = single ? cell.row : std::max(m_SelectionStartCell.row, cell.row);
    SelectSpan(first, m_nFixedCols, last, m_nCols - 1, repaintNow, select);
}

void CGridCtrl::ExtendSelection(const CCellID& cell) {
    if (!selectionEnabled) return;
    switch (m_MouseMode) {
    case MOUSE_SELECT_ALL: SelectEverything(); break;
    case MOUSE_SELECT_COLUMNS: SelectToColumn(cell, FALSE, TRUE); break;
    case MOUSE_SELECT_ROWS: SelectToRow(cell, FALSE, TRUE); break;
    case MOUSE_SELECT_CELLS: SelectToCell(cell, FALSE, TRUE); break;
    default: break;
    }
}

void CGridCtrl::HeaderColumnClicked(const CCellID& cell) {
    if (!fixedColumnClickSelects || !IsInside(cell)) return;
    m_MouseMode = cell.row < m_nFixedRows ? MOUSE_SELECT_ALL : MOUSE_SELECT_ROWS;
    ExtendSelection(cell);
}

void CGridCtrl::HeaderRowClicked(const CCellID& cell) {
    if (!IsInside(cell)) return;
    if (headerSort) {
        CWaitCursor wait;
        bool ascending = !(cell.col == m_nSortColumn && m_bAscending);
        SortByColumn(cell.col, ascending);
        Invalidate();
    }
    if (fixedRowClickSelects) {
        m_MouseMode = cell.col < m_nFixedCols ? MOUSE_SELECT_ALL : MOUSE_SELECT_COLUMNS;
        ExtendSelection(cell);
    }
}

// --- Borders -----------------------------------------------------------------

BOOL CGridCtrl::IsOverColumnBorder(CPoint point) {
    if (point.y >= HeaderRowsHeight()) return FALSE;
    CCellID cell = HitTestCell(point, TRUE);
    CPoint start;
    if (!IsInside(cell) || !CellTopLeft(cell.row, cell.col, &start)) return FALSE;
    int end = start.x + GetColumnWidth(cell.col);
    return (point.x - start.x < m_nResizeCaptureRange && cell.col != 0) || end - point.x < m_nResizeCaptureRange;
}

BOOL CGridCtrl::IsOverRowBorder(CPoint point) {
    if (point.x >= HeaderColumnsWidth()) return FALSE;
    CCellID cell = HitTestCell(point, TRUE);
    CPoint start;
    if (!IsInside(cell) || !CellTopLeft(cell.row, cell.col, &start)) return FALSE;
    int end = start.y + GetRowHeight(cell.row);
    return (point.y - start.y < m_nResizeCaptureRange && cell.row != 0) || end - point.y < m_nResizeCaptureRange;
}

void CGridCtrl::InvertTrackingLine(int at, bool vertical) {
    CRect client;
    GetClientRect(&client);
    CDC* dc = GetDC();
    if (!dc) return;
    CRect line = vertical ? CRect(at, client.top, at + 2, client.bottom) : CRect(client.left, at, client.right, at + 2);
    dc->InvertRect(&line);
    ReleaseDC(dc);
}

// A press over a border: steps for mode 8 (columns) or 6 (rows). False when
// no line is left to size; the press then ends.
bool CGridCtrl::StartBorderDrag(CPoint point) {
    bool columns = m_MouseMode == MOUSE_OVER_COLUMN_BORDER;
    m_MouseMode = columns ? MOUSE_SIZING_COLUMN : MOUSE_SIZING_ROW;
    const int count = columns ? m_nCols : m_nRows;
    auto size = [&](int i) { return columns ? GetColumnWidth(i) : GetRowHeight(i); };
    int& index = columns ? m_LeftClickDownCell.col : m_LeftClickDownCell.row;
    auto along = [&](CPoint p) { return columns ? p.x : p.y; };
    CRect visible;
    ShownBodySpan(&visible);
    if (count > 0 && size(count - 1) < m_nResizeCaptureRange &&
        std::abs(along(point) - (columns ? visible.right : visible.bottom)) < m_nResizeCaptureRange)
        index = count - 1;
    CPoint start;
    auto edge = [&](int i, int* at) {
        if (!CellTopLeft(columns ? m_LeftClickDownCell.row : i, columns ? i : m_LeftClickDownCell.col, &start))
            return false;
        *at = along(start);
        return true;
    };
    int x0 = 0;
    if (!edge(index, &x0)) return false;
    bool nearStart = along(point) - x0 < m_nResizeCaptureRange;
    bool unhide = columns ? hiddenColumnDragUnhide : hiddenRowDragUnhide;
    if (!unhide && (nearStart || index != count - 1 || index < 0)) {
        // A hidden line is not dragged open: the line sized is the nearest one
        // at or before it that has a size.
        int sized = nearStart ? index - 1 : index;
        while (sized >= 0 && size(sized) == 0) --sized;
        if (sized < 0) return false;
        index = nearStart ? sized + 1 : sized;
        if (!edge(index, &x0)) return false;
    }
    InvertTrackingLine(along(point), columns);
    if (nearStart && (index != count - 1 || size(count - 1) >= m_nResizeCaptureRange)) {
        --index;
        if (index < 0 || !edge(index, &x0)) return false;
    }
    CRect client;
    GetClientRect(&client);
    CRect confine = client;
    if (columns) {
        confine.left = x0 + 1;
        confine.right = x0 + 1 + (client.Width() - HeaderColumnsWidth());
    } else {
        confine.top = x0 + 1;
        confine.bottom = x0 + 1 + (client.Height() - HeaderRowsHeight());
    }
    ClientToScreen(&confine);
    ::ClipCursor(&confine);
    return true;
}

// Ends a press or a sizing drag completely: no capture, the pointer free, mode 0.
void CGridCtrl::EndSizing() {
    if (m_MouseMode == MOUSE_SIZING_COLUMN) InvertTrackingLine(m_LastMousePoint.x, true);
    if (m_MouseMode == MOUSE_SIZING_ROW) InvertTrackingLine(m_LastMousePoint.y, false);
    ::ClipCursor(nullptr);
    if (GetCapture() == this) ReleaseCapture();
    m_MouseMode = MOUSE_NOTHING;
}

// --- Handlers ------------------------------------------------------------------

bool CGridCtrl::OnCellText(const CCellID& cell, CPoint point) {
    CRect text;
    return CellAt(cell.row, cell.col) && CellTextBounds(cell.row, cell.col, &text) && text.PtInRect(point);
}

void CGridCtrl::OnLButtonDown(UINT, CPoint point) {
    bool shift = GetKeyState(VK_SHIFT) < 0;
    bool ctrl = GetKeyState(VK_CONTROL) < 0;
    SetFocus();
    m_bLMouseButtonDown = TRUE;
    m_LeftClickDownPoint = point;
    m_LeftClickDownCell = HitTestCell(point, TRUE);
    if (!IsInside(m_LeftClickDownCell)) return;
    if (!shift)
        m_SelectionStartCell = m_LeftClickDownCell;
    else if (!IsInside(m_SelectionStartCell))
        m_SelectionStartCell = m_idFocus;
    FinishOpenEdit();
    CCellID down = m_LeftClickDownCell;
    if (CGridCellBase* cell = CellAt(down.row, down.col)) cell->PressDown(PointInCell(down.row, down.col, point));
    bool onText = OnCellText(down, point);
    if (down == m_idFocus && !ctrl && onText && CanEditCell(down)) {
        m_MouseMode = MOUSE_PREPARE_EDIT;
        return;
    }
    if (!IsSelected(down)) {
        if (m_MouseMode != MOUSE_OVER_ROW_BORDER && m_MouseMode != MOUSE_OVER_COLUMN_BORDER) {
            if (IsHeaderCell(down.row, down.col))
                MoveFocus(-1, -1);
            else
                MoveFocus(down);
        }
    } else {
        MoveFocus(down);
        if (ctrl) {
            if (listMode)
                SelectToRow(down, TRUE, FALSE);
            else
                SelectToCell(down, TRUE, FALSE);
            return;
        }
        if (dragAndDrop) m_MouseMode = MOUSE_PREPARE_DRAG;
    }
    SetCapture();
    if (m_MouseMode == MOUSE_NOTHING) {
        if (columnResize && IsOverColumnBorder(point)) {
            SetCursor(::LoadCursorW(nullptr, IDC_SIZEWE));
            m_MouseMode = MOUSE_OVER_COLUMN_BORDER;
        } else if (rowResize && IsOverRowBorder(point)) {
            SetCursor(::LoadCursorW(nullptr, IDC_SIZENS));
            m_MouseMode = MOUSE_OVER_ROW_BORDER;
        }
    }
    if (m_MouseMode == MOUSE_OVER_COLUMN_BORDER || m_MouseMode == MOUSE_OVER_ROW_BORDER) {
        if (!StartBorderDrag(point)) {
            m_MouseMode = MOUSE_NOTHING;
            EndSizing();
            return;
        }
    } else if (m_MouseMode != MOUSE_PREPARE_DRAG) {
        NotifyOwner(down.row, down.col, LVN_ITEMCHANGING);
        m_PrevSelectedCellMap.clear();
        if (ctrl) m_PrevSelectedCellMap = m_SelectedCellMap;
        if (down.row < m_nFixedRows) {
            HeaderRowClicked(down);
        } else if (down.col < m_nFixedCols) {
            HeaderColumnClicked(down);
        } else {
            m_MouseMode = listMode ? MOUSE_SELECT_ROWS : MOUSE_SELECT_CELLS;
            ExtendSelection(down);
            m_nTimerID = SetTimer(GRID_AUTOSCROLL_TIMER, static_cast<UINT>(m_nTimerInterval), nullptr);
        }
    }
    m_LastMousePoint = point;
}

void CGridCtrl::ShowTitleTipFor(const CCellID& cell) {
    CGridCellBase* c = CellAt(cell.row, cell.col);
    if (!c) return;
    LPCWSTR tip = c->TitleTipText();
    CRect text, hover;
    if (!tip || !*tip || c->IsEditing() || !CellBounds(cell.row, cell.col, &hover)) return;
    text = hover;
    if (!c->TitleTipArea(&text)) return;
    m_TitleTip.Show(text, tip, 0, &hover, c->GetFont(), m_crTTipTextClr, m_crTTipBackClr);
}

void CGridCtrl::OnMouseMove(UINT, CPoint point) {
    CRect client;
    GetClientRect(&client);
    if (m_MouseMode != MOUSE_DRAGGING && !client.PtInRect(point)) return;
    if (!m_bLMouseButtonDown || m_MouseMode == MOUSE_NOTHING) {
        if (columnResize && IsOverColumnBorder(point)) {
            SetCursor(::LoadCursorW(nullptr, IDC_SIZEWE));
            m_MouseMode = MOUSE_OVER_COLUMN_BORDER;
        } else if (rowResize && IsOverRowBorder(point)) {
            SetCursor(::LoadCursorW(nullptr, IDC_SIZENS));
            m_MouseMode = MOUSE_OVER_ROW_BORDER;
        } else if (m_MouseMode != MOUSE_NOTHING) {
            SetCursor(::LoadCursorW(nullptr, IDC_ARROW));
            m_MouseMode = MOUSE_NOTHING;
        }
        if (m_MouseMode == MOUSE_NOTHING && (!m_bVirtualMode || titleTips)) {
            CCellID cell = HitTestCell(point, TRUE);
            if (CGridCellBase* c = CellAt(cell.row, cell.col)) {
                c->HoverEnter();
                if (titleTips) ShowTitleTipFor(cell);
            }
        }
        m_LastMousePoint = point;
        return;
    }
    if (!IsInside(m_LeftClickDownCell)) {
        m_LastMousePoint = point;
        return;
    }
    switch (m_MouseMode) {
    case MOUSE_SELECT_COLUMNS:
    case MOUSE_SELECT_ROWS:
    case MOUSE_SELECT_CELLS: {
        CCellID cell = HitTestCell(point, TRUE);
        if (!IsInside(cell) || cell == m_idFocus) break;
        ExtendSelection(cell);
        if (!IsHeaderCell(cell.row, cell.col) || m_MouseMode != MOUSE_SELECT_CELLS) MoveFocus(cell);
        break;
    }
    case MOUSE_SIZING_ROW:
        InvertTrackingLine(m_LastMousePoint.y, false);
        InvertTrackingLine(point.y, false);
        break;
    case MOUSE_SIZING_COLUMN:
        InvertTrackingLine(m_LastMousePoint.x, true);
        InvertTrackingLine(point.x, true);
        break;
    case MOUSE_PREPARE_EDIT:
    case MOUSE_PREPARE_DRAG:
        // Without drag and drop no drag can start: the press still ends in an edit.
        if (!dragAndDrop) break;
        m_MouseMode = MOUSE_PREPARE_DRAG;
        StartDragOut();
        break;
    default: break;
    }
    m_LastMousePoint = point;
}

void CGridCtrl::OnTimer(UINT_PTR id) {
    if (id != GRID_AUTOSCROLL_TIMER) return;
    CPoint pt;
    ::GetCursorPos(&pt);
    ScreenToClient(&pt);
    CRect client;
    GetClientRect(&client);
    int fixedHeight = HeaderRowsHeight();
    int fixedWidth = HeaderColumnsWidth();
    auto clampX = [&] { pt.x = std::clamp(static_cast<int>(pt.x), static_cast<int>(client.left), static_cast<int>(client.right)); };
    auto clampY = [&] { pt.y = std::clamp(static_cast<int>(pt.y), static_cast<int>(client.top), static_cast<int>(client.bottom)); };
    if (pt.y > client.bottom) {
        SendMessage(WM_KEYDOWN, VK_DOWN, 0);
        pt.y = client.bottom;
        clampX();
        ExtendSelection(HitTestCell(pt, TRUE));
    } else if (pt.y < fixedHeight) {
        SendMessage(WM_KEYDOWN, VK_UP, 0);
        pt.y = fixedHeight + 1;
        clampX();
        ExtendSelection(HitTestCell(pt, TRUE));
    }
    if (pt.x > client.right) {
        SendMessage(WM_KEYDOWN, VK_RIGHT, 0);
        pt.x = client.right;
    } else if (pt.x < fixedWidth) {
        SendMessage(WM_KEYDOWN, VK_LEFT, 0);
        pt.x = fixedWidth + 1;
    } else {
        return;
    }
    clampY();
    ExtendSelection(HitTestCell(pt, TRUE));
}

void CGridCtrl::OnLButtonUp(UINT, CPoint point) {
    Default();
    m_bLMouseButtonDown = FALSE;
    ::ClipCursor(nullptr);
    if (GetCapture() == this) {
        ReleaseCapture();
        KillTimer(m_nTimerID);
        m_nTimerID = 0;
    }
    CPoint inFocus = PointInCell(m_idFocus.row, m_idFocus.col, point);
    CCellID down = m_LeftClickDownCell;
    switch (m_MouseMode) {
    case MOUSE_PREPARE_EDIT:
        OpenCellEditor(m_idFocus.row, m_idFocus.col, inFocus, VK_LBUTTON);
        break;
    case MOUSE_PREPARE_DRAG: {
        if (CGridCellBase* cell = CellAt(m_idFocus.row, m_idFocus.col)) cell->OnClick(inFocus);
        NotifyOwner(down.row, down.col, NM_CLICK);
        NotifyOwner(down.row, down.col, LVN_ITEMCHANGING);
        ClearSelection();
        NotifyOwner(m_idFocus.row, m_idFocus.col, LVN_ITEMCHANGED);
        break;
    }
    case MOUSE_SIZING_COLUMN:
    case MOUSE_SIZING_ROW: {
        bool columns = m_MouseMode == MOUSE_SIZING_COLUMN;
        InvertTrackingLine(columns ? m_LastMousePoint.x : m_LastMousePoint.y, columns);
        if (point != m_LeftClickDownPoint && !(point.x == 0 && point.y == 0)) {
            CPoint start;
            if (CellTopLeft(down.row, down.col, &start)) {
                int floor = (columns ? columnsShrinkToZero : rowsShrinkToZero) ? 0 : 1;
                int size = std::max(static_cast<int>(columns ? point.x - start.x : point.y - start.y), floor);
                if (columns)
                    SetWidthOfColumn(down.col, size);
                else
                    SetRowHeight(down.row, size);
                UpdateScrollBars();
                Invalidate();
            }
        }
        break;
    }
    default:
        NotifyOwner(m_idFocus.row, m_idFocus.col, LVN_ITEMCHANGED);
        if (CGridCellBase* cell = CellAt(m_idFocus.row, m_idFocus.col)) cell->OnClick(inFocus);
        NotifyOwner(down.row, down.col, NM_CLICK);
        break;
    }
    m_MouseMode = MOUSE_NOTHING;
    SetCursor(::LoadCursorW(nullptr, IDC_ARROW));
    if (IsInside(down))
        if (CWnd* owner = GetOwner())
            owner->PostMessage(WM_COMMAND, static_cast<WPARAM>(GetDlgCtrlID()), reinterpret_cast<LPARAM>(m_hWnd));
}

void CGridCtrl::OnLButtonDblClk(UINT, CPoint point) {
    CCellID cell = HitTestCell(point, TRUE);
    if (IsInside(cell)) {
        if (m_MouseMode == MOUSE_OVER_COLUMN_BORDER || m_MouseMode == MOUSE_OVER_ROW_BORDER) {
            bool columns = m_MouseMode == MOUSE_OVER_COLUMN_BORDER;
            CPoint start;
            int index = columns ? cell.col : cell.row;
            if (CellTopLeft(cell.row, cell.col, &start) &&
                (columns ? point.x - start.x : point.y - start.y) < m_nResizeCaptureRange)
                --index;
            while (index >= 0 && (columns ? GetColumnWidth(index) : GetRowHeight(index)) == 0) --index;
            if (index >= 0) {
                if (columns)
                    FitColumnToCells(index, static_cast<UINT>(autoSizeScope));
                else
                    FitRowToCells(index);
                Invalidate();
            }
        } else if (m_MouseMode == MOUSE_NOTHING) {
            CPoint inCell = PointInCell(cell.row, cell.col, point);
            bool body = !IsHeaderCell(cell.row, cell.col);
            bool onText = OnCellText(cell, point);
            if (body && onText && (IsInside(m_LeftClickDownCell) || listMode))
                OpenCellEditor(cell.row, cell.col, inCell, VK_LBUTTON);
            if (CGridCellBase* c = CellAt(cell.row, cell.col)) c->OnDblClick(inCell);
            NotifyOwner(cell.row, cell.col, NM_DBLCLK);
        }
    }
    Default();
}

void CGridCtrl::OnRButtonUp(UINT, CPoint point) {
    Default();
    CCellID cell = HitTestCell(point, TRUE);
    FinishOpenEdit();
    if (!IsInside(cell)) {
        NotifyOwner(-1, -1, NM_RCLICK);
        return;
    }
    MoveFocus(-1, -1);
    MoveFocus(cell);
    if (CGridCellBase* c = CellAt(cell.row, cell.col)) c->RightClick(PointInCell(cell.row, cell.col, point));
    NotifyOwner(cell.row, cell.col, NM_RCLICK);
}

BOOL CGridCtrl::OnSetCursor(CWnd* wnd, UINT hitTest, UINT message) {
    if (hitTest != HTCLIENT) return CWnd::OnSetCursor(wnd, hitTest, message);
    switch (m_MouseMode) {
    case MOUSE_OVER_ROW_BORDER: SetCursor(::LoadCursorW(nullptr, IDC_SIZENS)); return TRUE;
    case MOUSE_OVER_COLUMN_BORDER: SetCursor(::LoadCursorW(nullptr, IDC_SIZEWE)); return TRUE;
    case MOUSE_DRAGGING: return TRUE;
    default: break;
    }
    if (!m_bVirtualMode) {
        DWORD pos = ::GetMessagePos();
        CPoint point(static_cast<short>(LOWORD(pos)), static_cast<short>(HIWORD(pos)));
        ScreenToClient(&point);
        CCellID cell = HitTestCell(point, TRUE);
        if (CGridCellBase* c = CellAt(cell.row, cell.col)) return c->OnSetCursor();
    }
    SetCursor(::LoadCursorW(nullptr, IDC_ARROW));
    return TRUE;
}

void CGridCtrl::OnCaptureChanged(CWnd* wnd) {
    if (wnd == this) return;
    if (m_nTimerID) KillTimer(m_nTimerID);
    m_nTimerID = 0;
    if (m_MouseMode == MOUSE_DRAGGING) m_MouseMode = MOUSE_NOTHING;
    // A sizing drag that lost the mouse to another window must not leave the
    // pointer confined. (The grid's own release comes with the button up.)
    if (m_bLMouseButtonDown && (m_MouseMode == MOUSE_SIZING_COLUMN || m_MouseMode == MOUSE_SIZING_ROW)) {
        if (m_MouseMode == MOUSE_SIZING_COLUMN) InvertTrackingLine(m_LastMousePoint.x, true);
        else InvertTrackingLine(m_LastMousePoint.y, false);
        ::ClipCursor(nullptr);
        m_MouseMode = MOUSE_NOTHING;
    }
}
