// The grid's scroll bars: their ranges, line, page and wheel scrolling, and
// bringing a cell into view. Positions are pixels of the non-fixed area.
#include "GridCtrl.h"

#include <cwchar>

void CGridCtrl::UpdateScrollBars() {
    m_idTopLeftCell = CCellID();
    if (!allowDraw || !m_hWnd) return;
    CRect rect;
    GetClientRect(&rect);
    if (rect.IsRectEmpty()) return;
    // The client area as if no bar were shown.
    if (m_nBarState & 2) rect.right += GetSystemMetrics(SM_CXVSCROLL) + GetSystemMetrics(SM_CXBORDER);
    if (m_nBarState & 1) rect.bottom += GetSystemMetrics(SM_CYHSCROLL) + GetSystemMetrics(SM_CYBORDER);
    rect.left += HeaderColumnsWidth();
    rect.top += HeaderRowsHeight();
    if (rect.Width() <= 0 || rect.Height() <= 0) {
        ShowScrollBars(SB_BOTH, FALSE);
        return;
    }
    long long bodyHeight = TotalHeight() - HeaderRowsHeight();
    long long bodyWidth = TotalWidth() - HeaderColumnsWidth();
    int width = rect.Width(), height = rect.Height();
    if (height < bodyHeight) width -= GetSystemMetrics(SM_CXVSCROLL);
    bool horizontal = width < bodyWidth;
    if (horizontal) height -= GetSystemMetrics(SM_CYHSCROLL);
    bool vertical = height < bodyHeight;
    ShowScrollBars(SB_VERT, vertical);
    m_nVScrollMax = vertical ? static_cast<int>(bodyHeight - 1) : 0;
    ShowScrollBars(SB_HORZ, horizontal);
    m_nHScrollMax = horizontal ? static_cast<int>(bodyWidth - 1) : 0;
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_PAGE;
    info.nMin = 0;
    info.nMax = m_nHScrollMax;
    info.nPage = m_nHScrollMax > 0 ? static_cast<UINT>(width) : 0;
    SetScrollInfo(SB_HORZ, &info, TRUE);
    info.fMask |= SIF_DISABLENOSCROLL;
    info.nMax = m_nVScrollMax;
    info.nPage = m_nVScrollMax > 0 ? static_cast<UINT>(height) : 0;
    SetScrollInfo(SB_VERT, &info, TRUE);
}

void CGridCtrl::ShowScrollBars(UINT bar, BOOL show) {
    auto apply = [&](int which, int bit) {
        if (((m_nBarState & bit) != 0) == (show != 0)) return;
        if (m_hWnd) ShowScrollBar(static_cast<UINT>(which), show);
        m_nBarState = show ? m_nBarState | bit : m_nBarState & ~bit;
    };
    if (bar == SB_HORZ || bar == SB_BOTH) apply(SB_HORZ, 1);
    if (bar == SB_VERT || bar == SB_BOTH) apply(SB_VERT, 2);
}

int CGridCtrl::ReadScrollPos(int bar, BOOL track) {
    if (!m_hWnd) return 0;
    SCROLLINFO info{};
    if (!GetScrollInfo(bar, &info, track ? SIF_TRACKPOS : SIF_POS)) return 0;
    return track ? info.nTrackPos : info.nPos;
}

BOOL CGridCtrl::WriteScrollPos(int bar, int pos, BOOL redraw) {
    m_idTopLeftCell = CCellID();
    if (!m_hWnd) return FALSE;
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_POS;
    info.nPos = pos;
    return SetScrollInfo(bar, &info, redraw);
}

// The first index from `from` on with a size (up to the last), or -1.
int CGridCtrl::NextSized(const CGridSizeLine& line, int from) const {
    int k = line.LowerBound(line.Prefix(from) + 1);
    return k - 1 < line.Count() ? k - 1 : -1;
}

// The nearest index before `before`, not before `limit`, with a size, or -1.
int CGridCtrl::PreviousSized(const CGridSizeLine& line, int before, int limit) const {
    long long upTo = line.Prefix(before);
    if (upTo <= line.Prefix(limit)) return -1;
    return line.LowerBound(upTo) - 1;
}

// One scroll step on either bar; both bars scroll the same way along their own axis.
void CGridCtrl::ScrollLine(int bar, bool forward) { SendMessage(bar == SB_VERT ? WM_VSCROLL : WM_HSCROLL, forward ? SB_LINEDOWN : SB_LINEUP); }

void CGridCtrl::OnHScroll(UINT code, UINT, CScrollBar*) { ScrollAxis(SB_HORZ, code); }

void CGridCtrl::OnVScroll(UINT code, UINT, CScrollBar*) { ScrollAxis(SB_VERT, code); }

// The codes of both bars have the same values (SB_LINELEFT is SB_LINEUP ...);
// each bar moves along its own axis.
void CGridCtrl::ScrollAxis(int bar, UINT code) {
    FinishOpenEdit();
    m_TitleTip.Hide();
    if (code > SB_ENDSCROLL) return;
    bool vertical = bar == SB_VERT;
    CRect client;
    GetClientRect(&client);
    CCellID topLeft = FirstScrolledCell();
    const CGridSizeLine& sizes = vertical ? m_arRowHeights : m_arColWidths;
    int fixedCount = vertical ? m_nFixedRows : m_nFixedCols;
    int fixedSize = vertical ? HeaderRowsHeight() : HeaderColumnsWidth();
    int first = vertical ? topLeft.row : topLeft.col;
    int max = vertical ? m_nVScrollMax : m_nHScrollMax;
    int page = (vertical ? client.bottom : client.right) - fixedSize;
    int pos = ReadScrollPos(bar);
    switch (code) {
    case SB_LINEUP: {
        if (pos < 1 || first <= fixedCount) return;
        int previous = PreviousSized(sizes, first, fixedCount);
        WriteScrollPos(bar, std::max(0, pos - (previous < 0 ? 0 : sizes.Get(previous))));
        break;
    }
    case SB_LINEDOWN: {
        if (pos >= max) return;
        int next = NextSized(sizes, first);
        WriteScrollPos(bar, pos + (next < 0 ? 0 : sizes.Get(next)));
        if (ReadScrollPos(bar) == pos) return;
        break;
    }
    case SB_PAGEUP:
        if (pos < 1) return;
        WriteScrollPos(bar, std::max(0, pos - page));
        break;
    case SB_PAGEDOWN:
        if (pos >= max) return;
        WriteScrollPos(bar, std::min(max, pos + page));
        break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK:
        WriteScrollPos(bar, ReadScrollPos(bar, TRUE));
        if (FirstScrolledCell() == topLeft) return;
        break;
    case SB_TOP:
        if (pos < 1) return;
        WriteScrollPos(bar, 0);
        Invalidate();
        return;
    case SB_BOTTOM:
        if (pos >= max) return;
        WriteScrollPos(bar, max);
        Invalidate();
        return;
    default:
        return;
    }
    CRect area = vertical ? CRect(0, fixedSize, client.right, client.bottom)
                          : CRect(fixedSize, 0, client.right, client.bottom);
    InvalidateRect(area, TRUE);
}

BOOL CGridCtrl::OnMouseWheel(UINT flags, short delta, CPoint point) {
    if (m_nWheelLines == -1) {
        int notches = delta / WHEEL_DELTA;
        for (int i = 0; i < std::abs(notches); ++i) PostMessage(WM_VSCROLL, notches > 0 ? SB_PAGEUP : SB_PAGEDOWN);
    } else {
        int lines = m_nWheelLines * delta / WHEEL_DELTA;
        for (int i = 0; i < std::abs(lines); ++i) PostMessage(WM_VSCROLL, lines > 0 ? SB_LINEUP : SB_LINEDOWN);
    }
    return CWnd::OnMouseWheel(flags, delta, point);
}

int CGridCtrl::ReadWheelLines() {
    int lines = 3;
    OSVERSIONINFOW version{};
    version.dwOSVersionInfoSize = sizeof version;
    bool oldest = !GetVersionExW(&version) || (version.dwPlatformId == 1 && version.dwMinorVersion == 0);
    if (!oldest) {
        UINT value = 0;
        if (SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &value, 0)) lines = static_cast<int>(value);
        return lines;
    }
    // The oldest family keeps the setting only in the user's desktop settings.
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return lines;
    wchar_t text[16] = {};
    DWORD size = sizeof text - sizeof(wchar_t);
    DWORD type = REG_NONE;
    if (RegQueryValueExW(key, L"WheelScrollLines", nullptr, &type, reinterpret_cast<BYTE*>(text), &size) ==
            ERROR_SUCCESS &&
        type == REG_SZ)
        lines = static_cast<int>(std::wcstol(text, nullptr, 10));
    RegCloseKey(key);
    return lines;
}

void CGridCtrl::ScrollIntoView(int row, int col) {
    if (!allowDraw || !m_hWnd) return;
    HWND focus = ::GetFocus();
    CCellSpan visible = ShownBodySpan();
    for (int c = visible.maxCol + 1; c <= col; ++c)
        if (GetColumnWidth(c) > 0) ScrollLine(SB_HORZ, true);
    for (int c = col; c >= 0 && c < visible.minCol; ++c)
        if (GetColumnWidth(c) > 0) ScrollLine(SB_HORZ, false);
    for (int r = visible.maxRow + 1; r <= row; ++r)
        if (GetRowHeight(r) > 0) ScrollLine(SB_VERT, true);
    for (int r = row; r >= 0 && r < visible.minRow; ++r)
        if (GetRowHeight(r) > 0) ScrollLine(SB_VERT, false);
    // Further steps while the cell still sticks out; a step that cannot move
    // (the bar's range is stale or already at its end) ends them.
    CRect client;
    GetClientRect(&client);
    CRect rect;
    auto sticksOut = [&](bool vertical) {
        if (!CellBounds(row, col, &rect)) return false;
        if (vertical)
            return rect.bottom >= client.bottom && rect.top > HeaderRowsHeight() && (m_nBarState & 2);
        return rect.right >= client.right && rect.left > HeaderColumnsWidth() && (m_nBarState & 1);
    };
    for (int bar : {SB_HORZ, SB_VERT})
        while (sticksOut(bar == SB_VERT)) {
            int before = ReadScrollPos(bar);
            ScrollLine(bar, true);
            if (ReadScrollPos(bar) == before) break;
        }
    if (focus && ::IsWindow(focus) && ::GetFocus() != focus) ::SetFocus(focus);
}
