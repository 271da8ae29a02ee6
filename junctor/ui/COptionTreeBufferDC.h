// Double-buffered painting of the option tree's windows: drawing goes to a
// bitmap of the client area, copied to the window when the buffer goes.
#pragma once

#include "OptionTreeDef.h"

class COptionTreeBufferDC : public CDC {
public:
    COptionTreeBufferDC(CDC* target, const CRect& rc) : m_target(target), m_rc(rc) {
        CreateCompatibleDC(target);
        m_bitmap.CreateCompatibleBitmap(target, rc.Width(), rc.Height());
        m_old = SelectObject(&m_bitmap);
    }
    ~COptionTreeBufferDC() override {
        m_target->BitBlt(0, 0, m_rc.Width(), m_rc.Height(), this, 0, 0, SRCCOPY);
        SelectObject(m_old);
        DeleteDC();
    }

private:
    CDC* m_target;
    CRect m_rc;
    CBitmap m_bitmap;
    CBitmap* m_old = nullptr;
};
