// Small types of the grid control: cell ids, spans, cell state bits and the
// records the grid exchanges with its owner.
#pragma once

#include <afxwin.h>

#include <functional>

// Cell state bits.
enum : int {
    CELL_FOCUSED = 0x01,
    CELL_SELECTED = 0x02,
    CELL_DROPHILITED = 0x04,
    CELL_READONLY = 0x08,
    CELL_FIXED = 0x10,
    CELL_FIXEDROW = 0x20,
    CELL_FIXEDCOL = 0x40,
    CELL_MODIFIED = 0x80,
};

// Mask bits of a GridItemRecord.
enum : int {
    ITEM_TEXT = 0x001,
    ITEM_IMAGE = 0x002,
    ITEM_DATA = 0x004,
    ITEM_STATE = 0x008,
    ITEM_BKCLR = 0x010,
    ITEM_FGCLR = 0x020,
    ITEM_FORMAT = 0x040,
    ITEM_FONT = 0x080,
    ITEM_MARGIN = 0x100,
};

// A cell position; (-1, -1) is no cell.
class CCellID {
public:
    int row;
    int col;
    explicit CCellID(int r = -1, int c = -1) : row(r), col(c) {}
    // Both parts non-negative (the grid checks them against its counts).
    bool IsValid() const { return row >= 0 && col >= 0; }
    bool operator==(const CCellID& o) const { return row == o.row && col == o.col; }
    bool operator!=(const CCellID& o) const { return !(*this == o); }
};

struct CCellIDHash {
    size_t operator()(const CCellID& c) const {
        return std::hash<long long>()((static_cast<long long>(c.row) << 32) ^ static_cast<unsigned>(c.col));
    }
};

// A block of cells; all -1 is none.
class CCellSpan {
public:
    int minRow;
    int minCol;
    int maxRow;
    int maxCol;
    explicit CCellSpan(int r0 = -1, int c0 = -1, int r1 = -1, int c1 = -1)
        : minRow(r0), minCol(c0), maxRow(r1), maxCol(c1) {}
    bool IsValid() const {
        return minRow >= 0 && minCol >= 0 && maxRow >= 0 && maxCol >= 0 && minRow <= maxRow && minCol <= maxCol;
    }
    bool Contains(int r, int c) const { return IsValid() && r >= minRow && r <= maxRow && c >= minCol && c <= maxCol; }
    CCellID TopLeft() const { return CCellID(minRow, minCol); }
    CCellID BottomRight() const { return CCellID(maxRow, maxCol); }
    bool operator==(const CCellSpan& o) const {
        return minRow == o.minRow && minCol == o.minCol && maxRow == o.maxRow && maxCol == o.maxCol;
    }
};

// The record of every cell notification.
struct GridCellNotify {
    NMHDR hdr;
    int iRow;
    int iColumn;
};

// One cell's attributes, as read, written or asked for in virtual mode.
struct GridItemRecord {
    int row;
    int col;
    int mask;
    int nState;
    int nFormat;
    int iImage;
    COLORREF crBkClr;
    COLORREF crFgClr;
    LPARAM lParam;
    LOGFONTW lfFont;
    int nMargin;
    CString strText;
};

struct GridDispInfo {
    NMHDR hdr;
    GridItemRecord item;
};

struct GridCacheHint {
    NMHDR hdr;
    CCellSpan range;
};

// Cell rectangles are inclusive (right = left + width - 1); fills, frames and
// invalidation take exclusive ones.
inline CRect InclusiveToExclusive(const RECT& r) { return CRect(r.left, r.top, r.right + 1, r.bottom + 1); }
