// An off-screen context for painting without flicker: everything drawn on it
// lands in a bitmap of the target's clip box, copied to the target when it
// goes. On a printer it passes the target's handles through.
#pragma once

#include <afxwin.h>

class CMemDC : public CDC {
public:
    explicit CMemDC(CDC* dc);
    ~CMemDC() override;
    CMemDC(const CMemDC&) = delete;
    CMemDC& operator=(const CMemDC&) = delete;

private:
    CBitmap m_bitmap;
    CBitmap* m_oldBitmap = nullptr;
    CDC* m_pDC;
    CRect m_rect;
    BOOL m_bMemDC;
};
