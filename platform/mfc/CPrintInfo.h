// What a print job tells the code that lays out its pages.
#pragma once

#include "CRect.h"

class CPrintInfo {
public:
    void SetMinPage(UINT page) { m_nMinPage = page; }
    void SetMaxPage(UINT page) { m_nMaxPage = page; }
    UINT GetMinPage() const { return m_nMinPage; }
    UINT GetMaxPage() const { return m_nMaxPage; }

    UINT m_nCurPage = 1;
    UINT m_nNumPages = 0;
    CRect m_rectDraw;

private:
    UINT m_nMinPage = 1;
    UINT m_nMaxPage = 0xFFFF;
};
