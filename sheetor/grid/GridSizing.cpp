// Fitting rows and columns to their cells and stretching them over the window.
#include "GridCtrl.h"

// The rows automatic sizing measures: [first, last).
bool CGridCtrl::MeasuredRows(UINT scope, int* first, int* last) const {
    if (scope == 0) scope = static_cast<UINT>(autoSizeScope);
    *first = (scope & 1) ? 0 : m_nFixedRows;
    *last = (scope & 2) ? m_nRows : m_nFixedRows;
    return *first < *last;
}

namespace {

// The grid window's context, or the screen's before the window exists.
class MeasureDC : public CDC {
public:
    explicit MeasureDC(HWND window) : m_window(window) { Attach(::GetDC(window)); }
    ~MeasureDC() override {
        if (m_hDC) ::ReleaseDC(m_window, Detach());
    }

private:
    HWND m_window;
};

}  // namespace

BOOL CGridCtrl::FitColumnToCells(int col, UINT scope, BOOL resetScrollBars) {
    if (col < 0 || col >= m_nCols || m_arColWidths.Get(col) <= 0) return FALSE;
    MeasureDC dc(m_hWnd);
    if (!dc.m_hDC) return FALSE;
    int first = 0, last = 0;
    MeasuredRows(scope, &first, &last);
    if (m_bVirtualMode) SendCacheHint(CCellSpan(first, col, last - 1, col));
    int width = 0;
    for (int row = first; row < last; ++row)
        if (CGridCellBase* cell = CellAt(row, col)) width = std::max(width, static_cast<int>(cell->NeededSize(&dc).cx));
    m_arColWidths.Set(col, width);
    if (m_bVirtualMode) SendCacheHint(CCellSpan());
    if (resetScrollBars) UpdateScrollBars();
    return TRUE;
}

void CGridCtrl::FitColumnsToCells(UINT scope) {
    for (int col = 0; col < m_nCols; ++col)
        if (m_arColWidths.Get(col) > 0) FitColumnToCells(col, scope, FALSE);
    UpdateScrollBars();
}

BOOL CGridCtrl::FitRowToCells(int row, BOOL resetScrollBars) {
    if (row < 0 || row >= m_nRows || m_arRowHeights.Get(row) <= 0) return FALSE;
    MeasureDC dc(m_hWnd);
    if (!dc.m_hDC) return FALSE;
    if (m_bVirtualMode) SendCacheHint(CCellSpan(row, 0, row, m_nCols - 1));
    int height = 0;
    for (int col = 0; col < m_nCols; ++col)
        if (CGridCellBase* cell = CellAt(row, col)) height = std::max(height, static_cast<int>(cell->NeededSize(&dc).cy));
    m_arRowHeights.Set(row, height);
    if (m_bVirtualMode) SendCacheHint(CCellSpan());
    if (resetScrollBars) UpdateScrollBars();
    return TRUE;
}

void CGridCtrl::FitRowsToCells() {
    for (int row = 0; row < m_nRows; ++row)
        if (m_arRowHeights.Get(row) > 0) FitRowToCells(row, FALSE);
    UpdateScrollBars();
}

// Hidden rows and columns (size 0) stay hidden.
void CGridCtrl::FitAllToCells(UINT scope) {
    MeasureDC dc(m_hWnd);
    if (!dc.m_hDC) return;
    int first = 0, last = 0;
    MeasuredRows(scope, &first, &last);
    if (m_bVirtualMode) SendCacheHint(CCellSpan(first, 0, last - 1, m_nCols - 1));
    for (int row = first; row < last; ++row)
        if (m_arRowHeights.Get(row) > 0) m_arRowHeights.Set(row, 1);
    for (int col = 0; col < m_nCols; ++col) {
        if (m_arColWidths.Get(col) <= 0) continue;
        int width = 0;
        for (int row = first; row < last; ++row) {
            if (m_arRowHeights.Get(row) <= 0) continue;
            CGridCellBase* cell = CellAt(row, col);
            if (!cell) continue;
            CSize size = cell->NeededSize(&dc);
            width = std::max(width, static_cast<int>(size.cx));
            if (size.cy > m_arRowHeights.Get(row)) m_arRowHeights.Set(row, size.cy);
        }
        m_arColWidths.Set(col, width);
    }
    if (m_bVirtualMode) SendCacheHint(CCellSpan());
    UpdateScrollBars();
    InvalidateAll();
}

// Spreads the difference between the client size and the summed sizes over
// the visible rows or columns. A stretched row or column never becomes less
// than 1 (a client much smaller than the cells would make sizes negative).
void CGridCtrl::StretchLine(bool columns, BOOL includeFixed) {
    CGridSizeLine& sizes = columns ? m_arColWidths : m_arRowHeights;
    int count = columns ? m_nCols : m_nRows;
    int fixed = columns ? m_nFixedCols : m_nFixedRows;
    if (!m_hWnd || (includeFixed ? count == 0 : count <= fixed)) return;
    ShowScrollBars(columns ? SB_HORZ : SB_VERT, FALSE);
    int first = includeFixed ? 0 : fixed;
    int shown = 0;
    for (int i = first; i < count; ++i)
        if (sizes.Get(i) > 0) ++shown;
    if (shown == 0) return;
    CRect client;
    GetClientRect(&client);
    long long total = sizes.Total();
    long long difference = (columns ? client.Width() : client.Height()) - total;
    long long share = difference / shown;
    long long rest = (difference > 0 ? difference : -difference) % shown;
    int unit = difference > 0 ? 1 : -1;
    for (int i = first; i < count; ++i) {
        int size = sizes.Get(i);
        if (size <= 0) {
            if (rest > 0) --rest;
            continue;
        }
        long long stretched = size + share;
        if (rest > 0) {
            stretched += unit;
            --rest;
        }
        sizes.Set(i, static_cast<int>(std::max<long long>(stretched, 1)));
    }
    InvalidateAll();
    UpdateScrollBars();
}

void CGridCtrl::StretchColumns(BOOL includeFixed) { StretchLine(true, includeFixed); }

void CGridCtrl::StretchRows(BOOL includeFixed) { StretchLine(false, includeFixed); }

void CGridCtrl::StretchToClient(BOOL includeFixed) {
    StretchColumns(includeFixed);
    StretchRows(includeFixed);
    // The vertical bar may have gone with the rows' stretch.
    StretchColumns(includeFixed);
    InvalidateAll();
}

void CGridCtrl::StretchLastColumn() {
    int last = m_nCols - 1;
    while (last >= 0 && m_arColWidths.Get(last) <= 0) --last;
    if (last <= 0 || !m_hWnd) return;
    ShowScrollBars(SB_HORZ, FALSE);
    CRect client;
    GetClientRect(&client);
    long long difference = client.Width() - TotalWidth();
    if (difference > 0) {
        m_arColWidths.Set(last, m_arColWidths.Get(last) + static_cast<int>(difference));
        InvalidateAll();
    }
    UpdateScrollBars();
}

// A default cell the owner made 0 wide or high counts as 1, so the division stays defined.
void CGridCtrl::FillClientWithCells() {
    if (!m_hWnd) return;
    CRect client;
    GetClientRect(&client);
    int width = std::max(1, m_cellDefault.GetWidth()), height = std::max(1, m_cellDefault.GetHeight());
    SetColumns(client.Width() / width + 1);
    SetRows(client.Height() / height + 1);
    SetHeaderRows(1);
    SetHeaderColumns(1);
    StretchToClient(TRUE);
}
