#include "GridTitleTip.h"

CTitleTip::~CTitleTip() {
    if (m_hWnd) DestroyWindow();
}

void CTitleTip::Hide() {
    if (!m_hWnd) return;
    if (GetCapture() == this) ReleaseCapture();
    ShowWindow(SW_HIDE);
}

BOOL CTitleTip::DestroyWindow() {
    m_bCreated = FALSE;
    return CWnd::DestroyWindow();
}
