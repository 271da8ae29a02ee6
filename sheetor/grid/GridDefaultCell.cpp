#include "GridCell.h"

IMPLEMENT_DYNCREATE(CGridDefaultCell, CGridCell)

namespace {

// The system's message font, from the non-client metrics (a shorter record
// before Windows 6).
bool MessageFont(LOGFONTW* font) {
    NONCLIENTMETRICSW metrics{};
    OSVERSIONINFOW version{};
    version.dwOSVersionInfoSize = sizeof version;
    metrics.cbSize = sizeof metrics;
    if (GetVersionExW(&version) && version.dwMajorVersion < 6) metrics.cbSize -= sizeof(int);
    if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0)) return false;
    *font = metrics.lfMessageFont;
    return true;
}

}  // namespace

CGridDefaultCell::CGridDefaultCell() : m_Size(30, 10) {
    m_nFormat = DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS;
    LOGFONTW font;
    if (MessageFont(&font)) SetFont(&font);
}

CGridDefaultCell::~CGridDefaultCell() = default;

void CGridDefaultCell::SetFont(const LOGFONTW* font) {
    if (!font) return;
    CGridCell::SetFont(font);
    m_Font.DeleteObject();
    m_Font.CreateFontIndirect(font);
    // The margin is a blank and the default size a dozen capitals between
    // blanks, one and a half lines high.
    HDC screen = ::GetDC(nullptr);
    if (!screen) {
        m_nMargin = 3;
        m_Size = CSize(40, 16);
        return;
    }
    HGDIOBJ old = ::SelectObject(screen, m_Font.m_hObject);
    SIZE blank{}, sample{};
    ::GetTextExtentPoint32W(screen, L" ", 1, &blank);
    ::GetTextExtentPoint32W(screen, L" XXXXXXXXXXXX ", 14, &sample);
    ::SelectObject(screen, old);
    ::ReleaseDC(nullptr, screen);
    m_nMargin = blank.cx;
    m_Size = CSize(sample.cx, sample.cy * 3 / 2);
}
