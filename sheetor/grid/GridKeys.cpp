// The keys the grid answers: moving the focus, extending the selection with
// Shift, the edit commands with Ctrl, and keys that start an edit.
#include "GridCtrl.h"

#include <algorithm>

UINT CGridCtrl::OnGetDlgCode() {
    UINT code = DLGC_WANTARROWS | DLGC_WANTCHARS;
    if (handleTabKey && GetKeyState(VK_CONTROL) >= 0) code |= DLGC_WANTTAB;
    return code;
}

void CGridCtrl::OnChar(UINT ch, UINT, UINT) {
    if (GetKeyState(VK_CONTROL) >= 0 && m_MouseMode == MOUSE_NOTHING && ch != VK_ESCAPE &&
        !(ch == VK_TAB && handleTabKey))
        OpenCellEditor(m_idFocus.row, m_idFocus.col, CPoint(-1, -1), ch);
    Default();
}

LRESULT CGridCtrl::OnImeChar(WPARAM wParam, LPARAM) {
    UINT ch = static_cast<UINT>(wParam);
    if (GetKeyState(VK_CONTROL) >= 0 && m_MouseMode == MOUSE_NOTHING && ch != VK_ESCAPE)
        OpenCellEditor(m_idFocus.row, m_idFocus.col, CPoint(-1, -1), ch);
    return 0;
}

void CGridCtrl::OnSysKeyDown(UINT, UINT, UINT) { Default(); }

// The cell the key moves the focus to. `handled` is false for keys the grid
// leaves to the default processing.
CCellID CGridCtrl::NextFocusFor(UINT key, bool shift, bool ctrl, bool* wrapped, bool* handled) {
    CCellID next = m_idFocus;
    *wrapped = false;
    *handled = true;
    const int lastRow = m_nRows - 1, lastCol = m_nCols - 1;
    switch (key) {
    case VK_DELETE: ClearSelectionText(); break;
    case VK_DOWN: {
        int r = next.row + 1 <= lastRow ? NextSized(m_arRowHeights, next.row + 1) : -1;
        if (r >= 0) next.row = r;
        break;
    }
    case VK_UP: {
        int r = PreviousSized(m_arRowHeights, next.row, m_nFixedRows);
        if (r >= 0) next.row = r;
        break;
    }
    case VK_RIGHT:
    case VK_RETURN:
    case VK_TAB:
        if (key == VK_TAB && shift) {
            // Shift+Tab goes left, wrapping to the end of the row above.
            int c = next.col - 1;
            if (c < m_nFixedCols) {
                int r = next.row > m_nFixedRows ? PreviousSized(m_arRowHeights, next.row, m_nFixedRows) : -1;
                if (r >= 0) {
                    next.row = r;
                    c = lastCol;
                    *wrapped = true;
                } else {
                    Default();
                }
            }
            if (c >= m_nFixedCols) {
                int p = GetColumnWidth(c) > 0 ? c : PreviousSized(m_arColWidths, c, m_nFixedCols);
                if (p >= 0) next.col = p;
            }
            break;
        }
        {
            int c = next.col + 1;
            if (c > lastCol && key != VK_RIGHT) {
                int r = next.row < lastRow ? NextSized(m_arRowHeights, next.row + 1) : -1;
                if (r >= 0) {
                    next.row = r;
                    c = m_nFixedCols;
                    *wrapped = true;
                } else {
                    Default();
                }
            }
            int n = c <= lastCol ? NextSized(m_arColWidths, c) : -1;
            if (n >= 0) next.col = n;
        }
        break;
    case VK_LEFT: {
        int c = next.col - 1;
        int p = c < m_nFixedCols ? -1 : GetColumnWidth(c) > 0 ? c : PreviousSized(m_arColWidths, c, m_nFixedCols);
        if (p >= 0) next.col = p;
        break;
    }
    case VK_NEXT:
    case VK_PRIOR: {
        bool down = key == VK_NEXT;
        int before = FirstScrolledCell().row;
        SendMessage(WM_VSCROLL, down ? SB_PAGEDOWN : SB_PAGEUP);
        int moved = FirstScrolledCell().row - before;
        if (down)
            next.row = moved > 0 ? std::min(next.row + moved, lastRow) : lastRow;
        else
            next.row = moved < 0 ? std::max(next.row + moved, m_nFixedRows) : m_nFixedRows;
        break;
    }
    case VK_HOME: {
        if (ctrl) {
            SendMessage(WM_VSCROLL, SB_TOP);
            next.row = m_nFixedRows;
        }
        SendMessage(WM_HSCROLL, SB_LEFT);
        int c = m_nFixedCols <= lastCol ? NextSized(m_arColWidths, m_nFixedCols) : -1;
        next.col = c >= 0 ? c : std::min(m_nFixedCols, lastCol);
        int r = next.row <= lastRow ? NextSized(m_arRowHeights, next.row) : -1;
        if (r >= 0) next.row = r;
        break;
    }
    case VK_END: {
        if (ctrl) {
            SendMessage(WM_VSCROLL, SB_BOTTOM);
            next.row = lastRow;
        }
        SendMessage(WM_HSCROLL, SB_RIGHT);
        int c = PreviousSized(m_arColWidths, m_nCols, m_nFixedCols + 1);
        next.col = c >= 0 ? c : std::min(lastCol, m_nFixedCols + 1);
        if (GetRowHeight(next.row) == 0) {
            int r = PreviousSized(m_arRowHeights, next.row, m_nFixedRows + 1);
            next.row = r >= 0 ? r : std::min(next.row, m_nFixedRows + 1);
        }
        break;
    }
    case VK_F2: OpenCellEditor(m_idFocus.row, m_idFocus.col, CPoint(-1, -1), VK_LBUTTON); break;
    default: *handled = false; break;
    }
    return next;
}

void CGridCtrl::OnKeyDown(UINT key, UINT, UINT) {
    if (!IsInside(m_idFocus)) {
        Default();
        return;
    }
    bool shift = GetKeyState(VK_SHIFT) < 0;
    bool ctrl = GetKeyState(VK_CONTROL) < 0;
    if (ctrl) {
        switch (key) {
        case VK_INSERT:
        case 'C': OnEditCopy(); break;
        case 'A': OnEditSelectAll(); break;
        case 'V': OnEditPaste(); break;
        case 'X': OnEditCut(); break;
        default: break;
        }
    }
    if (shift && key == VK_INSERT) {
        OnEditPaste();
        Default();
        return;
    }
    bool wrapped = false, handled = true;
    CCellID next = NextFocusFor(key, shift, ctrl, &wrapped, &handled);
    if (!handled) {
        Default();
        return;
    }
    if (next == m_idFocus) return;
    if (m_MouseMode == MOUSE_NOTHING) {
        m_PrevSelectedCellMap.clear();
        m_MouseMode = listMode ? MOUSE_SELECT_ROWS : MOUSE_SELECT_CELLS;
        if (!shift || key == VK_TAB) m_SelectionStartCell = next;
        NotifyOwner(next.row, next.col, LVN_ITEMCHANGING);
        ExtendSelection(next);
        NotifyOwner(next.row, next.col, LVN_ITEMCHANGED);
        m_MouseMode = MOUSE_NOTHING;
    }
    MoveFocus(next);
    ScrollAfterKey(key, next, wrapped, shift);
}

void CGridCtrl::ScrollAfterKey(UINT key, const CCellID& next, bool wrapped, bool shift) {
    bool horizontal = key == VK_LEFT || key == VK_RIGHT || key == VK_TAB || key == VK_RETURN || key == VK_HOME ||
                      key == VK_END;
    bool vertical = key == VK_UP || key == VK_DOWN || key == VK_PRIOR || key == VK_NEXT || wrapped ||
                    ((key == VK_HOME || key == VK_END) && GetKeyState(VK_CONTROL) < 0);
    if (!IsCellShown(next.row, next.col)) {
        switch (key) {
        case VK_TAB:
        case VK_RETURN:
            if (wrapped) {
                ScrollLine(SB_VERT, !shift);
                SendMessage(WM_HSCROLL, shift ? SB_RIGHT : SB_LEFT);
            } else {
                ScrollLine(SB_HORZ, !shift || key == VK_RETURN);
            }
            break;
        case VK_LEFT: ScrollLine(SB_HORZ, false); break;
        case VK_RIGHT: ScrollLine(SB_HORZ, true); break;
        case VK_UP: ScrollLine(SB_VERT, false); break;
        case VK_DOWN: ScrollLine(SB_VERT, true); break;
        default: break;
        }
        ScrollIntoView(next);
        Invalidate();
    }
    ScrollIntoView(next);
    if (horizontal) SendMessage(WM_HSCROLL, SB_ENDSCROLL);
    if (vertical) SendMessage(WM_VSCROLL, SB_ENDSCROLL);
}

CCellID CGridCtrl::FindNextCell(const CCellID& cell, int flags) const {
    auto matches = [&](int r, int c) {
        int state = CellState(r, c);
        return (state & flags & (CELL_FOCUSED | CELL_SELECTED | CELL_DROPHILITED | CELL_READONLY | CELL_FIXED)) != 0 ||
               ((flags & 0x20) && (state & CELL_MODIFIED));
    };
    int direction = flags & 0xF00;
    if (direction == 0xE00 || direction == 0xA00) {
        int firstRow = cell.row <= 0 ? m_nFixedRows : cell.row;
        int firstCol = cell.col <= 0 ? m_nFixedCols : cell.col + 1;
        for (int r = firstRow; r < m_nRows; ++r) {
            int from = (direction == 0xA00 || r == firstRow) ? firstCol : m_nFixedCols;
            for (int c = from; c < m_nCols; ++c)
                if (matches(r, c)) return CCellID(r, c);
        }
        return CCellID();
    }
    if (!IsInside(cell)) return CCellID();
    if (flags & 0x100)
        for (int r = cell.row - 1; r >= m_nFixedRows; --r)
            if (matches(r, cell.col)) return CCellID(r, cell.col);
    if (flags & 0x200)
        for (int r = cell.row + 1; r < m_nRows; ++r)
            if (matches(r, cell.col)) return CCellID(r, cell.col);
    if (flags & 0x400)
        for (int c = cell.col - 1; c >= m_nFixedCols; --c)
            if (matches(cell.row, c)) return CCellID(cell.row, c);
    if (flags & 0x800)
        for (int c = cell.col + 1; c < m_nCols; ++c)
            if (matches(cell.row, c)) return CCellID(cell.row, c);
    return CCellID();
}
