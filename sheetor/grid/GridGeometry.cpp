// Where rows, columns and cells lie in the grid's window. The running sums of
// the sizes answer every position in logarithmic time; the results are those
// of walking the sizes from the first row or column.
#include "GridCtrl.h"

int CGridCtrl::GetColumnWidth(int col) const { return col < 0 || col >= m_nCols ? -1 : m_arColWidths.Get(col); }

int CGridCtrl::GetRowHeight(int row) const { return row < 0 || row >= m_nRows ? -1 : m_arRowHeights.Get(row); }

BOOL CGridCtrl::SetWidthOfColumn(int col, int width) {
    if (col < 0 || col >= m_nCols || width < 0) return FALSE;
    m_arColWidths.Set(col, width);
    UpdateScrollBars();
    return TRUE;
}

BOOL CGridCtrl::SetRowHeight(int row, int height) {
    if (row < 0 || row >= m_nRows || height < 0) return FALSE;
    m_arRowHeights.Set(row, height);
    UpdateScrollBars();
    return TRUE;
}

int CGridCtrl::HeaderColumnsWidth() const { return static_cast<int>(m_arColWidths.Prefix(m_nFixedCols)); }

int CGridCtrl::HeaderRowsHeight() const { return static_cast<int>(m_arRowHeights.Prefix(m_nFixedRows)); }

namespace {

// The first index from `fixed` on whose sizes before it (from `fixed`) reach
// the scroll position, no further than the last index.
int FirstScrolled(const CGridSizeLine& line, int fixed, int count, int pos) {
    int last = count - 1;
    if (pos <= 0 || fixed >= last) return fixed;
    int k = line.LowerBound(line.Prefix(fixed) + pos);
    return std::min(std::max(k, fixed), last);
}

// The index at a coordinate: within the fixed part (below `fixedSize`) the
// fixed index it falls in, beyond it the index counted from `first`; -1 past
// the last or, without fixed cells allowed, inside the fixed part.
int HitIndex(const CGridSizeLine& line, int count, int fixedSize, int first, int at, bool allowFixed) {
    if (at < 0) return -1;
    if (at < fixedSize) return allowFixed ? line.LowerBound(static_cast<long long>(at) + 1) - 1 : -1;
    int k = line.LowerBound(static_cast<long long>(at) - fixedSize + line.Prefix(first) + 1);
    return k - 1 >= count ? -1 : k - 1;
}

// The last index from `first` whose start lies before `end`, cut to the last
// index; first - 1 when none does.
int LastStarting(const CGridSizeLine& line, int count, int fixedSize, int first, int end) {
    int k = line.LowerBound(static_cast<long long>(end) - fixedSize + line.Prefix(first));
    return std::max(std::min(k - 1, count - 1), first - 1);
}

}  // namespace

CCellID CGridCtrl::FirstScrolledCell(BOOL recalculate) {
    if (!recalculate && m_idTopLeftCell.row >= 0 && m_idTopLeftCell.col >= 0) return m_idTopLeftCell;
    m_idTopLeftCell.col = FirstScrolled(m_arColWidths, m_nFixedCols, m_nCols, ReadScrollPos(SB_HORZ));
    m_idTopLeftCell.row = FirstScrolled(m_arRowHeights, m_nFixedRows, m_nRows, ReadScrollPos(SB_VERT));
    return m_idTopLeftCell;
}

BOOL CGridCtrl::CellTopLeft(int row, int col, LPPOINT point) {
    if (!point || !IsInside(row, col)) return FALSE;
    CCellID topLeft = FirstScrolledCell();
    if ((row >= m_nFixedRows && row < topLeft.row) || (col >= m_nFixedCols && col < topLeft.col)) return FALSE;
    long long x = col < m_nFixedCols ? m_arColWidths.Prefix(col)
                                     : HeaderColumnsWidth() + m_arColWidths.Prefix(col) - m_arColWidths.Prefix(topLeft.col);
    long long y = row < m_nFixedRows ? m_arRowHeights.Prefix(row)
                                     : HeaderRowsHeight() + m_arRowHeights.Prefix(row) - m_arRowHeights.Prefix(topLeft.row);
    point->x = static_cast<LONG>(x);
    point->y = static_cast<LONG>(y);
    return TRUE;
}

BOOL CGridCtrl::CellBounds(int row, int col, LPRECT rect) {
    CPoint origin;
    if (!rect || !CellTopLeft(row, col, &origin)) return FALSE;
    rect->left = origin.x;
    rect->top = origin.y;
    rect->right = origin.x + GetColumnWidth(col) - 1;
    rect->bottom = origin.y + GetRowHeight(row) - 1;
    return TRUE;
}

BOOL CGridCtrl::SpanBounds(const CCellSpan& span, LPRECT rect) {
    CPoint first, last;
    if (!rect || !CellTopLeft(span.minRow, span.minCol, &first) || !CellTopLeft(span.maxRow, span.maxCol, &last))
        return FALSE;
    rect->left = first.x;
    rect->top = first.y;
    rect->right = last.x + GetColumnWidth(span.maxCol) - 1;
    rect->bottom = last.y + GetRowHeight(span.maxRow) - 1;
    return TRUE;
}

BOOL CGridCtrl::CellTextBounds(int row, int col, LPRECT rect) {
    CGridCellBase* cell = CellAt(row, col);
    if (!cell || !CellBounds(row, col, rect)) return FALSE;
    return cell->TextArea(rect);
}

CSize CGridCtrl::CellTextSize(int row, int col, LPCWSTR text) {
    CGridCellBase* cell = CellAt(row, col);
    return cell ? cell->TextSize(text) : CSize(0, 0);
}

CPoint CGridCtrl::PointInCell(int row, int col, CPoint point) {
    CPoint origin;
    if (!CellTopLeft(row, col, &origin)) return CPoint(0, 0);
    return CPoint(point.x - origin.x, point.y - origin.y);
}

CCellID CGridCtrl::HitTestCell(CPoint point, BOOL allowFixed) {
    CCellID topLeft = FirstScrolledCell();
    if (!allowFixed && !topLeft.IsValid()) return CCellID();
    CCellID cell;
    cell.col = HitIndex(m_arColWidths, m_nCols, HeaderColumnsWidth(), topLeft.col, point.x, allowFixed);
    cell.row = HitIndex(m_arRowHeights, m_nRows, HeaderRowsHeight(), topLeft.row, point.y, allowFixed);
    return cell;
}

CCellSpan CGridCtrl::BodySpan(LPRECT rect, bool wholly) {
    CCellID topLeft = FirstScrolledCell();
    CRect client;
    if (m_hWnd) GetClientRect(&client);
    int fixedWidth = HeaderColumnsWidth(), fixedHeight = HeaderRowsHeight();
    int lastRow = LastStarting(m_arRowHeights, m_nRows, fixedHeight, topLeft.row, client.bottom);
    int lastCol = LastStarting(m_arColWidths, m_nCols, fixedWidth, topLeft.col, client.right);
    auto end = [](const CGridSizeLine& line, int fixedSize, int first, int last) {
        return fixedSize + line.Prefix(last + 1) - line.Prefix(first);
    };
    if (wholly) {
        if (lastRow >= topLeft.row && end(m_arRowHeights, fixedHeight, topLeft.row, lastRow) > client.bottom) --lastRow;
        if (lastCol >= topLeft.col && end(m_arColWidths, fixedWidth, topLeft.col, lastCol) > client.right) --lastCol;
    }
    if (rect) {
        rect->left = rect->top = 0;
        rect->right = static_cast<LONG>(
            std::min<long long>(client.right, end(m_arColWidths, fixedWidth, topLeft.col, lastCol)));
        rect->bottom = static_cast<LONG>(
            std::min<long long>(client.bottom, end(m_arRowHeights, fixedHeight, topLeft.row, lastRow)));
    }
    return CCellSpan(topLeft.row, topLeft.col, lastRow, lastCol);
}

CCellSpan CGridCtrl::ShownBodySpan(LPRECT rect, BOOL recalculate) {
    if (recalculate) FirstScrolledCell(TRUE);
    return BodySpan(rect, false);
}

CCellSpan CGridCtrl::WhollyShownBodySpan(BOOL recalculate) {
    if (recalculate) FirstScrolledCell(TRUE);
    return BodySpan(nullptr, true);
}

BOOL CGridCtrl::IsCellShown(int row, int col) {
    if (!m_hWnd || !IsInside(row, col)) return FALSE;
    CPoint origin;
    if (!CellTopLeft(row, col, &origin)) return FALSE;
    CRect client;
    GetClientRect(&client);
    // Starts grow from the first column counted, so the cell's own start decides.
    return origin.x < client.right && origin.y < client.bottom;
}
