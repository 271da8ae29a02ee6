#include "GridMemDC.h"

CMemDC::CMemDC(CDC* dc) : m_pDC(dc), m_bMemDC(!dc->IsPrinting()) {
    if (!m_bMemDC) {
        m_bPrinting = dc->m_bPrinting;
        m_hDC = dc->m_hDC;
        m_hAttribDC = dc->m_hAttribDC;
        return;
    }
    dc->GetClipBox(&m_rect);
    CreateCompatibleDC(dc);
    m_bitmap.CreateCompatibleBitmap(dc, m_rect.Width(), m_rect.Height());
    m_oldBitmap = SelectObject(&m_bitmap);
    SetWindowOrg(m_rect.left, m_rect.top);
    FillSolidRect(&m_rect, dc->GetBkColor());
}

CMemDC::~CMemDC() {
    if (!m_bMemDC) {
        m_hDC = m_hAttribDC = nullptr;
        return;
    }
    m_pDC->BitBlt(m_rect.left, m_rect.top, m_rect.Width(), m_rect.Height(), this, m_rect.left, m_rect.top, SRCCOPY);
    SelectObject(m_oldBitmap);
    DeleteDC();
}
