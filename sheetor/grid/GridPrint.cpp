// Printing the grid: the whole grid at the width of the page (or, with
// wysiwygPrinting, at screen size across as many pages as it takes), the fixed
// rows repeated on every page, a title at the top and the page number and
// date at the bottom of each page.
#include <WinClock.h>

#include <algorithm>
#include <ctime>
#include <cwchar>

#include "GridCtrl.h"

namespace {

// The virtual clock counts milliseconds from midnight, 1 January 2026 (UTC),
// so a printout's date is the same on every run.
constexpr std::time_t kClockEpoch = 1767225600;

CString FooterDate() {
    std::time_t when = kClockEpoch + static_cast<std::time_t>(vplat::Clock::Get().Now() / 1000);
    std::tm parts{};
    gmtime_r(&when, &parts);
    wchar_t text[64] = L"";
    std::wcsftime(text, 64, L"%c", &parts);  // the C locale: the program never sets another
    return CString(text);
}

// The title of the first window up the parent chain that has one.
CString AncestorTitle(const CWnd* grid) {
    for (CWnd* w = grid->GetParent(); w && w->GetSafeHwnd(); w = w->GetParent()) {
        CString title;
        w->GetWindowText(title);
        if (!title.IsEmpty()) return title;
    }
    return CString();
}

// Selects a bold copy of the printer font for black text; answers the font it replaced.
CFont* SelectBoldBlack(CDC* dc, const CFont& printerFont, CFont& bold) {
    LOGFONTW lf{};
    printerFont.GetLogFont(&lf);
    lf.lfWeight = FW_BOLD;
    bold.CreateFontIndirect(&lf);
    dc->SetBkMode(TRANSPARENT);
    dc->SetTextColor(RGB(0, 0, 0));
    return dc->SelectObject(&bold);
}

void Rule(CDC* dc, int left, int right, int y) {
    dc->MoveTo(left, y);
    dc->LineTo(right, y);
}

// Body rows (or columns) grouped into pages: each group as long as fits in
// `room`, but never empty, so a row taller than the page gets a page of its
// own and the job always ends.
std::vector<int> Paginate(int first, int count, int room, int (*size)(const CGridCtrl&, int), const CGridCtrl& grid) {
    std::vector<int> starts;
    int at = first;
    while (at < count) {
        starts.push_back(at);
        int used = 0;
        bool any = false;
        while (at < count) {
            int s = size(grid, at);
            if (any && used + s > room) break;
            used += s;
            any = any || s > 0;
            ++at;
        }
    }
    if (starts.empty()) starts.push_back(first);
    return starts;
}

}  // namespace

BOOL CGridCtrl::PrintAll(CDC* printer) {
    CDC owned;
    if (!printer) {
        CPrintDialog dlg(FALSE,
                         PD_ALLPAGES | PD_USEDEVMODECOPIES | PD_NOPAGENUMS | PD_HIDEPRINTTOFILE | PD_NOSELECTION |
                             PD_RETURNDC,
                         this);
        bool confirmed = dlg.DoModal() == IDOK;
        if (dlg.m_pd.hDevMode) GlobalFree(dlg.m_pd.hDevMode);
        if (dlg.m_pd.hDevNames) GlobalFree(dlg.m_pd.hDevNames);
        if (!confirmed || !dlg.m_pd.hDC) {
            if (dlg.m_pd.hDC) ::DeleteDC(dlg.m_pd.hDC);
            return FALSE;
        }
        owned.Attach(dlg.m_pd.hDC);
        printer = &owned;
    }
    printer->m_bPrinting = TRUE;

    CString title;
    if (!title.LoadString(AFX_IDS_APP_TITLE)) title = AncestorTitle(this);
    DOCINFOW doc{};
    doc.cbSize = sizeof doc;
    doc.lpszDocName = title;
    if (::StartDocW(printer->GetSafeHdc(), &doc) <= 0) {
        printer->m_bPrinting = FALSE;
        return FALSE;
    }
    CPrintInfo info;
    PrintStart(printer, &info);
    bool failed = false;
    for (UINT page = info.GetMinPage(); page <= info.GetMaxPage() && !failed; ++page) {
        info.m_nCurPage = page;
        if (::StartPage(printer->GetSafeHdc()) <= 0) {
            failed = true;
            break;
        }
        PrintPage(printer, &info);
        failed = ::EndPage(printer->GetSafeHdc()) <= 0;
    }
    PrintFinish(printer, &info);
    if (failed)
        ::AbortDoc(printer->GetSafeHdc());
    else
        failed = ::EndDoc(printer->GetSafeHdc()) <= 0;
    printer->m_bPrinting = FALSE;
    return failed ? FALSE : TRUE;
}

void CGridCtrl::PrintStart(CDC* dc, void* infoPtr) {
    auto* info = static_cast<CPrintInfo*>(infoPtr);
    PrintLayout& p = m_print;
    m_PrinterFont.DeleteObject();
    LOGFONTW lf{};
    lf.lfHeight = -10;
    lf.lfWeight = FW_NORMAL;
    lf.lfCharSet = DEFAULT_CHARSET;
    std::wcscpy(lf.lfFaceName, L"Arial");
    m_PrinterFont.CreateFontIndirect(&lf);
    CFont* old = dc->SelectObject(&m_PrinterFont);
    static const wchar_t kLetters[] = L"abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSATUVWXYZ";
    CSize letters = dc->GetTextExtent(kLetters, 52);
    dc->SelectObject(old);
    p.charSize = CSize(std::max<LONG>(1, letters.cx / 52), std::max<LONG>(1, letters.cy));

    p.paper = CSize(dc->GetDeviceCaps(HORZRES), dc->GetDeviceCaps(VERTRES));
    if (p.paper.cx <= 0 || p.paper.cy <= 0) p.paper = CSize(1, 1);
    int sideMargins = (m_nLeftMargin + m_nRightMargin) * p.charSize.cx;
    if (wysiwygPrinting) {
        CDC* screen = GetDC();
        int screenX = screen ? screen->GetDeviceCaps(LOGPIXELSX) : 96, screenY = screen ? screen->GetDeviceCaps(LOGPIXELSY) : 96;
        if (screen) ReleaseDC(screen);
        int printerX = std::max(1, dc->GetDeviceCaps(LOGPIXELSX)), printerY = std::max(1, dc->GetDeviceCaps(LOGPIXELSY));
        p.page = CSize(MulDiv(p.paper.cx, screenX, printerX) * 3 / 4, MulDiv(p.paper.cy, screenY, printerY) * 3 / 4);
    } else {
        long long wide = TotalWidth() + sideMargins;
        p.page.cx = static_cast<LONG>(std::clamp<long long>(wide, 1, 1 << 28));
        p.page.cy = MulDiv(p.page.cx, p.paper.cy, p.paper.cx);
    }
    p.bodyHeight = p.page.cy - (m_nHeaderHeight + m_nFooterHeight + m_nTopMargin + m_nBottomMargin + m_nGap) * p.charSize.cy -
                   HeaderRowsHeight();
    p.bodyWidth = p.page.cx - sideMargins - HeaderColumnsWidth();
    p.rowStarts = Paginate(m_nFixedRows, m_nRows, p.bodyHeight,
                           [](const CGridCtrl& g, int row) { return g.GetRowHeight(row); }, *this);
    if (wysiwygPrinting)
        p.colStarts = Paginate(m_nFixedCols, m_nCols, p.bodyWidth,
                               [](const CGridCtrl& g, int col) { return g.GetColumnWidth(col); }, *this);
    else
        p.colStarts = {m_nFixedCols};
    p.pages = static_cast<int>(p.rowStarts.size() * p.colStarts.size());
    info->SetMaxPage(static_cast<UINT>(p.pages));
    info->m_nNumPages = static_cast<UINT>(p.pages);
}

void CGridCtrl::PrintPage(CDC* dc, void* infoPtr) {
    auto* info = static_cast<CPrintInfo*>(infoPtr);
    PrintLayout& p = m_print;
    int page = static_cast<int>(info->m_nCurPage) - 1;
    if (page < 0 || page >= p.pages) return;
    int saved = dc->SaveDC();
    dc->SetMapMode(MM_ANISOTROPIC);
    dc->SetWindowExt(p.page.cx, p.page.cy);
    dc->SetViewportExt(p.paper.cx, p.paper.cy);
    dc->SelectObject(&m_PrinterFont);
    info->m_rectDraw = CRect(0, 0, p.page.cx, p.page.cy);

    PrintPageTop(dc, info);

    size_t colPage = static_cast<size_t>(page) % p.colStarts.size();
    size_t rowPage = static_cast<size_t>(page) / p.colStarts.size();
    p.firstCol = p.colStarts[colPage];
    p.lastCol = colPage + 1 < p.colStarts.size() ? p.colStarts[colPage + 1] - 1 : m_nCols - 1;
    int left = m_nLeftMargin * p.charSize.cx;
    int top = (m_nTopMargin + m_nHeaderHeight + m_nGap) * p.charSize.cy;
    p.x = left;
    p.y = top;
    PrintHeaderRows(dc, info);

    int firstRow = p.rowStarts[rowPage];
    int lastRow = rowPage + 1 < p.rowStarts.size() ? p.rowStarts[rowPage + 1] - 1 : m_nRows - 1;
    int bodyTop = p.y;
    CPen pen(PS_SOLID, 0, m_crGridLines);
    for (int row = firstRow; row <= lastRow; ++row) {
        p.row = row;
        PrintRowHeaders(dc, info);
        PrintBodyRows(dc, info);
        p.y += GetRowHeight(row);
    }

    // Grid lines over the page's body cells, by the grid-lines mode.
    int bodyLeft = left + HeaderColumnsWidth(), right = bodyLeft;
    for (int col = p.firstCol; col <= p.lastCol; ++col) right += GetColumnWidth(col);
    CPen* oldPen = dc->SelectObject(&pen);
    if (m_nGridLines == 2 || m_nGridLines == 3)
        for (int col = p.firstCol, x = bodyLeft; col <= p.lastCol; ++col) {
            int width = GetColumnWidth(col);
            if (width <= 0) continue;
            x += width;
            Rule(dc, x - 1, x - 1, bodyTop);
            dc->LineTo(x - 1, p.y);
        }
    if (m_nGridLines == 1 || m_nGridLines == 3)
        for (int row = firstRow, y = bodyTop; row <= lastRow; ++row) {
            int height = GetRowHeight(row);
            if (height <= 0) continue;
            y += height;
            Rule(dc, bodyLeft, right, y - 1);
        }
    dc->SelectObject(oldPen);

    PrintPageBottom(dc, info);
    dc->RestoreDC(saved);
}

void CGridCtrl::PrintFinish(CDC*, void*) {
    m_PrinterFont.DeleteObject();
    m_print.rowStarts.clear();
    m_print.colStarts.clear();
    m_print.pages = 0;
}

// Prints one cell at (x, y) when it has a size; returns its width.
static int PrintOneCell(CGridCtrl& grid, CDC* dc, int row, int col, int x, int y) {
    int width = grid.GetColumnWidth(col), height = grid.GetRowHeight(row);
    if (width <= 0 || height <= 0) return std::max(0, width);
    if (CGridCellBase* cell = grid.CellAt(row, col))
        cell->PrintContent(dc, row, col, CRect(x, y, x + width - 1, y + height - 1));
    return width;
}

void CGridCtrl::PrintHeaderRows(CDC* dc, void*) {
    PrintLayout& p = m_print;
    for (int row = 0; row < m_nFixedRows; ++row) {
        int x = p.x;
        for (int col = 0; col < m_nFixedCols; ++col) x += PrintOneCell(*this, dc, row, col, x, p.y);
        for (int col = p.firstCol; col <= p.lastCol; ++col) x += PrintOneCell(*this, dc, row, col, x, p.y);
        p.y += GetRowHeight(row);
    }
}

void CGridCtrl::PrintRowHeaders(CDC* dc, void*) {
    PrintLayout& p = m_print;
    int x = p.x;
    for (int col = 0; col < m_nFixedCols; ++col) x += PrintOneCell(*this, dc, p.row, col, x, p.y);
}

void CGridCtrl::PrintBodyRows(CDC* dc, void*) {
    PrintLayout& p = m_print;
    int x = p.x + HeaderColumnsWidth();
    for (int col = p.firstCol; col <= p.lastCol; ++col) x += PrintOneCell(*this, dc, p.row, col, x, p.y);
}

void CGridCtrl::PrintPageTop(CDC* dc, void*) {
    PrintLayout& p = m_print;
    CFont bold;
    CFont* old = SelectBoldBlack(dc, m_PrinterFont, bold);
    CRect band(m_nLeftMargin * p.charSize.cx, m_nTopMargin * p.charSize.cy, p.page.cx - m_nRightMargin * p.charSize.cx,
               (m_nTopMargin + m_nHeaderHeight) * p.charSize.cy);
    CString windowTitle = AncestorTitle(this), appTitle;
    if (!appTitle.LoadString(AFX_IDS_APP_TITLE)) appTitle = CString();
    dc->DrawText(windowTitle, band, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    dc->DrawText(appTitle, band, DT_RIGHT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    Rule(dc, band.left, band.right, band.bottom);
    dc->SelectObject(old);
}

void CGridCtrl::PrintPageBottom(CDC* dc, void* infoPtr) {
    auto* info = static_cast<CPrintInfo*>(infoPtr);
    PrintLayout& p = m_print;
    CFont bold;
    CFont* old = SelectBoldBlack(dc, m_PrinterFont, bold);
    CRect band(m_nLeftMargin * p.charSize.cx, p.page.cy - (m_nBottomMargin + m_nFooterHeight) * p.charSize.cy,
               p.page.cx - m_nRightMargin * p.charSize.cx, p.page.cy - m_nBottomMargin * p.charSize.cy);
    Rule(dc, band.left, band.right, band.top);
    CString number;
    number.Format(L"Page %d of %d", static_cast<int>(info->m_nCurPage), static_cast<int>(info->GetMaxPage()));
    dc->DrawText(number, band, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    dc->DrawText(FooterDate(), band, DT_RIGHT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    dc->SelectObject(old);
}
