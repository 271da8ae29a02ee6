// How the grid paints itself and follows colour and font changes.
#include "GridCtrl.h"
#include "GridMemDC.h"

void CGridCtrl::OnPaint() {
    CPaintDC dc(this);
    if (doubleBuffer) {
        CMemDC memory(&dc);
        PaintGrid(&memory);
    } else {
        PaintGrid(&dc);
    }
}

BOOL CGridCtrl::OnEraseBkgnd(CDC*) { return TRUE; }

// Draws the cells of rows [row0, row1] from y0 against columns [col0, col1]
// from x0; rows and columns of no size take no space, and the pass stops at
// the first row (a row at the first column) beyond the clip box.
void CGridCtrl::DrawPass(CDC* dc, const CRect& clip, int row0, int row1, int y0, int col0, int col1, int x0) {
    int y = y0;
    for (int row = row0; row <= row1; ++row) {
        int height = m_arRowHeights.Get(row);
        if (height <= 0) continue;
        if (y >= clip.bottom) break;
        if (y + height - 1 < clip.top) {
            y += height;
            continue;
        }
        int x = x0;
        for (int col = col0; col <= col1; ++col) {
            int width = m_arColWidths.Get(col);
            if (width <= 0) continue;
            if (x >= clip.right) break;
            if (x + width - 1 >= clip.left) {
                if (CGridCellBase* cell = CellAt(row, col)) {
                    cell->SetPosition(row, col);
                    cell->Draw(dc, row, col, CRect(x, y, x + width - 1, y + height - 1), FALSE);
                }
            }
            x += width;
        }
        y += height;
    }
}

void CGridCtrl::DrawGridLines(CDC* dc, const CCellSpan& visible, const CRect& visibleRect) {
    int fixedWidth = HeaderColumnsWidth(), fixedHeight = HeaderRowsHeight();
    if (m_nGridLines == 2 || m_nGridLines == 3) {
        int x = fixedWidth;
        for (int col = visible.minCol; col <= visible.maxCol; ++col) {
            int width = m_arColWidths.Get(col);
            if (width <= 0) continue;
            x += width;
            dc->MoveTo(x - 1, fixedHeight);
            dc->LineTo(x - 1, visibleRect.bottom);
        }
    }
    if (m_nGridLines == 1 || m_nGridLines == 3) {
        int y = fixedHeight;
        for (int row = visible.minRow; row <= visible.maxRow; ++row) {
            int height = m_arRowHeights.Get(row);
            if (height <= 0) continue;
            y += height;
            dc->MoveTo(fixedWidth, y - 1);
            dc->LineTo(visibleRect.right, y - 1);
        }
    }
}

void CGridCtrl::PaintGrid(CDC* dc) {
    CRect clip;
    if (!allowDraw || !dc || dc->GetClipBox(&clip) == ERROR) return;
    PaintBackground(dc);
    int fixedWidth = HeaderColumnsWidth(), fixedHeight = HeaderRowsHeight();
    CCellID topLeft = FirstScrolledCell();
    CRect visibleRect;
    CCellSpan visible = ShownBodySpan(&visibleRect);
    if (m_bVirtualMode) SendCacheHint(visible);
    DrawPass(dc, clip, 0, m_nFixedRows - 1, 0, 0, m_nFixedCols - 1, 0);
    DrawPass(dc, clip, topLeft.row, visible.maxRow, fixedHeight, 0, m_nFixedCols - 1, 0);
    DrawPass(dc, clip, 0, m_nFixedRows - 1, 0, topLeft.col, visible.maxCol, fixedWidth);
    DrawPass(dc, clip, topLeft.row, visible.maxRow, fixedHeight, topLeft.col, visible.maxCol, fixedWidth);
    // The body's grid lines; fixed cells draw their own edges.
    CPen pen(PS_SOLID, 0, m_crGridLines);
    dc->SelectObject(&pen);
    DrawGridLines(dc, visible, visibleRect);
    dc->SelectStockObject(NULL_PEN);
    pen.DeleteObject();
    if (m_bVirtualMode) SendCacheHint(CCellSpan());
}

void CGridCtrl::PaintBackground(CDC* dc) {
    CRect clip;
    dc->GetClipBox(&clip);
    CRect visible;
    ShownBodySpan(&visible);
    int fixedWidth = HeaderColumnsWidth(), fixedHeight = HeaderRowsHeight();
    CBrush fixedBoth(m_cellFixedRowColDef.BackColour()), fixedRow(m_cellFixedRowDef.BackColour()),
        fixedCol(m_cellFixedColDef.BackColour()), normal(m_cellDefault.BackColour()), background(m_crBackground);
    if (clip.left < fixedWidth && clip.top < fixedHeight)
        dc->FillRect(CRect(clip.left, clip.top, fixedWidth, fixedHeight), &fixedBoth);
    if (clip.left < fixedWidth && clip.top < visible.bottom)
        dc->FillRect(CRect(clip.left, clip.top, fixedWidth, visible.bottom), &fixedCol);
    if (clip.top < fixedHeight && clip.right > fixedWidth && clip.left < visible.right)
        dc->FillRect(CRect(fixedWidth - 1, clip.top, visible.right, fixedHeight), &fixedRow);
    CRect body;
    if (body.IntersectRect(&visible, &clip)) {
        body.left = std::max(body.left, static_cast<LONG>(fixedWidth));
        body.top = std::max(body.top, static_cast<LONG>(fixedHeight));
        dc->FillRect(body, &normal);
    }
    if (visible.right < clip.right) dc->FillRect(CRect(visible.right, clip.top, clip.right, clip.bottom), &background);
    if (visible.bottom < clip.bottom && clip.left < visible.right)
        dc->FillRect(CRect(clip.left, visible.bottom, visible.right, clip.bottom), &background);
}

BOOL CGridCtrl::RepaintCell(int row, int col, CDC* dc) {
    if (!allowDraw || !IsCellShown(row, col)) return FALSE;
    CRect rect;
    if (!CellBounds(row, col, &rect)) return FALSE;
    HDC own = nullptr;
    CDC owned;
    if (!dc) {
        own = ::GetDC(m_hWnd);
        if (!own) {
            InvalidateRect(InclusiveToExclusive(rect), TRUE);
            return TRUE;
        }
        owned.Attach(own);
        dc = &owned;
    }
    BOOL result = TRUE;
    if (CGridCellBase* cell = CellAt(row, col)) {
        cell->SetPosition(row, col);
        result = cell->Draw(dc, row, col, rect, TRUE);
    }
    if (!IsHeaderCell(row, col)) {
        CPen pen(PS_SOLID, 0, m_crGridLines);
        CPen* old = dc->SelectObject(&pen);
        if (m_nGridLines == 1 || m_nGridLines == 3) {
            dc->MoveTo(rect.left, rect.bottom);
            dc->LineTo(rect.right + 1, rect.bottom);
        }
        if (m_nGridLines == 2 || m_nGridLines == 3) {
            dc->MoveTo(rect.right, rect.top);
            dc->LineTo(rect.right, rect.bottom + 1);
        }
        dc->SelectObject(old);
    }
    if (own) ::ReleaseDC(m_hWnd, owned.Detach());
    return result;
}

BOOL CGridCtrl::RepaintRow(int row) {
    CClientDC dc(this);
    BOOL all = TRUE;
    for (int col = 0; col < m_nCols; ++col) all = RepaintCell(row, col, &dc) && all;
    return all;
}

BOOL CGridCtrl::RepaintColumn(int col) {
    CClientDC dc(this);
    BOOL all = TRUE;
    for (int row = 0; row < m_nRows; ++row) all = RepaintCell(row, col, &dc) && all;
    return all;
}

BOOL CGridCtrl::InvalidateCell(int row, int col) {
    if (!m_hWnd || !allowDraw || !IsInside(row, col) || !IsCellShown(row, col)) return FALSE;
    CRect rect;
    if (!CellBounds(row, col, &rect)) return FALSE;
    InvalidateRect(InclusiveToExclusive(rect), TRUE);
    return TRUE;
}

BOOL CGridCtrl::InvalidateSpan(const CCellSpan& span) {
    if (!m_hWnd || !allowDraw) return FALSE;
    CCellSpan visible = ShownBodySpan();
    CCellSpan clipped(std::max(span.minRow, visible.minRow), std::max(span.minCol, visible.minCol),
                      std::min(span.maxRow, visible.maxRow), std::min(span.maxCol, visible.maxCol));
    CRect rect;
    if (!IsInside(clipped) || !SpanBounds(clipped, &rect)) return FALSE;
    InvalidateRect(InclusiveToExclusive(rect), TRUE);
    return TRUE;
}

void CGridCtrl::InvalidateAll() {
    if (m_hWnd && allowDraw) Invalidate(TRUE);
}

void CGridCtrl::EnableDrawing(BOOL allow, BOOL resetScrollBars) {
    if (allow && !allowDraw && m_hWnd) Invalidate(TRUE);
    allowDraw = allow;
    if (resetScrollBars) UpdateScrollBars();
}

void CGridCtrl::SetLineMode(int mode) {
    m_nGridLines = mode;
    InvalidateAll();
}

void CGridCtrl::OnSysColorChange() {
    CWnd::OnSysColorChange();
    COLORREF windowText = GetSysColor(COLOR_WINDOWTEXT), window = GetSysColor(COLOR_WINDOW),
             face = GetSysColor(COLOR_3DFACE), shadow = GetSysColor(COLOR_3DSHADOW);
    // Only colours that are still the system's follow the change.
    CGridDefaultCell* defaults[] = {&m_cellDefault, &m_cellFixedColDef, &m_cellFixedRowDef, &m_cellFixedRowColDef};
    for (CGridDefaultCell* def : defaults) {
        if (def->TextColour() == m_crWindowText) def->SetTextColour(windowText);
        if (def == &m_cellDefault) {
            if (def->BackColour() == m_crWindowColour) def->SetBackColour(window);
        } else if (def->BackColour() == m_cr3DFace) {
            def->SetBackColour(face);
        }
    }
    if (m_crBackground == m_crShadow) m_crBackground = shadow;
    m_crWindowText = windowText;
    m_crWindowColour = window;
    m_cr3DFace = face;
    m_crShadow = shadow;
}

LRESULT CGridCtrl::OnSetFont(WPARAM wParam, LPARAM) {
    LRESULT result = Default();
    LOGFONTW font;
    HGDIOBJ handle = reinterpret_cast<HGDIOBJ>(wParam);
    if (!handle || !::GetObjectW(handle, sizeof font, &font)) return result;
    m_cellDefault.SetFont(&font);
    m_cellFixedColDef.SetFont(&font);
    m_cellFixedRowDef.SetFont(&font);
    m_cellFixedRowColDef.SetFont(&font);
    InvalidateAll();
    return result;
}

LRESULT CGridCtrl::OnGetFont(WPARAM, LPARAM) {
    return reinterpret_cast<LRESULT>(m_cellDefault.FontHandle()->m_hObject);
}

void CGridCtrl::OnSize(UINT type, int cx, int cy) {
    // One guard for the process, as for the set-up.
    static bool sizing = false;
    if (sizing) return;
    sizing = true;
    if (m_hWnd) {
        // The drop target joins here once the grid takes part in drag and drop.
        FinishOpenEdit();
        CWnd::OnSize(type, cx, cy);
        UpdateScrollBars();
    }
    sizing = false;
}
