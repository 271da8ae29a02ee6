// Sorting the grid's rows by a column.
#include "GridCtrl.h"

#include <cwchar>

namespace {

// The order of a code point's UTF-16 form: code points from 0x10000 on are
// written with surrogates (0xD800..0xDFFF), so they come after 0xD7FF and
// before 0xE000..0xFFFF.
long long Utf16Rank(wchar_t c) {
    long long cp = static_cast<long long>(static_cast<unsigned long>(c));
    if (cp < 0xD800) return cp;
    if (cp >= 0x10000) return 0xD800 + (cp - 0x10000);
    if (cp < 0xE000) return 0xD800 + (cp - 0xD800) * 0x400;  // a lone surrogate
    return cp + 0x200000;
}

}  // namespace

int CompareCellText(const CGridCellBase* a, const CGridCellBase* b, LPARAM) {
    if (!a || !b) return 0;
    const wchar_t* s = a->GetText();
    const wchar_t* t = b->GetText();
    while (*s && *s == *t) {
        ++s;
        ++t;
    }
    if (*s == *t) return 0;
    long long x = Utf16Rank(*s), y = Utf16Rank(*t);
    if (x == y) return *s < *t ? -1 : 1;
    return x < y ? -1 : 1;
}

int CompareCellNumbers(const CGridCellBase* a, const CGridCellBase* b, LPARAM) {
    if (!a || !b) return 0;
    long x = std::wcstol(a->GetText(), nullptr, 10);
    long y = std::wcstol(b->GetText(), nullptr, 10);
    return x < y ? -1 : x > y ? 1 : 0;
}

void CGridCtrl::SetSortColumn(int col) {
    if (m_nSortColumn >= 0) InvalidateCell(0, m_nSortColumn);
    m_nSortColumn = col;
    if (col >= 0) InvalidateCell(0, col);
}

// A column outside the count sorts nothing and leaves the sort state, the
// selection and the focus as they were.
BOOL CGridCtrl::SortRows(GridCompareFunc compare, int col, BOOL ascending, LPARAM user) {
    if (col < 0 || col >= m_nCols) return FALSE;
    SetSortColumn(col);
    m_bAscending = ascending;
    ClearSelection();
    MoveFocus(-1, -1);
    return SortRowsRange(compare, col, ascending, user, m_nFixedRows, -1);
}

BOOL CGridCtrl::SortByColumn(int col, BOOL ascending, LPARAM user) {
    return SortRows(m_pfnCompare ? m_pfnCompare : CompareCellText, col, ascending, user);
}

BOOL CGridCtrl::SortRowsByText(int col, BOOL ascending, LPARAM user) {
    return SortRows(CompareCellText, col, ascending, user);
}

// A quick sort on rows around the middle row's cell; the cells and heights
// travel with their rows. It recurses into the smaller part and loops on the
// larger one, so the depth stays logarithmic; the order is that of recursing
// into both.
BOOL CGridCtrl::SortRowsRange(GridCompareFunc compare, int col, BOOL ascending, LPARAM user, int low, int high) {
    if (col < 0 || col >= m_nCols || !compare) return FALSE;
    if (high == -1) high = m_nRows - 1;
    if (low >= high) return FALSE;
    int sign = ascending ? 1 : -1;
    auto cellAt = [&](int row) { return CellAt(row, col); };
    while (low < high) {
        CGridCellBase* pivot = cellAt((low + high) / 2);
        int i = low, j = high;
        while (i <= j) {
            while (i < high && sign * compare(cellAt(i), pivot, user) < 0) ++i;
            while (j > low && sign * compare(cellAt(j), pivot, user) > 0) --j;
            if (i <= j) {
                if (compare(cellAt(i), cellAt(j), user) != 0) {
                    if (!m_bVirtualMode) {
                        std::swap(m_RowData[static_cast<size_t>(i)], m_RowData[static_cast<size_t>(j)]);
                        for (int c = 0; c < m_nCols; ++c) {
                            if (CGridCellBase* cell = StoredCell(i, c)) cell->SetPosition(i, c);
                            if (CGridCellBase* cell = StoredCell(j, c)) cell->SetPosition(j, c);
                        }
                    }
                    m_arRowHeights.Swap(i, j);
                }
                ++i;
                --j;
            }
        }
        if (j - low < high - i) {
            if (low < j) SortRowsRange(compare, col, ascending, user, low, j);
            low = i;
        } else {
            if (i < high) SortRowsRange(compare, col, ascending, user, i, high);
            high = j;
        }
    }
    return TRUE;
}
