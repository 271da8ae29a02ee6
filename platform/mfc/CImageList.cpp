#include "CImageList.h"

BOOL CImageList::Create(int cx, int cy, UINT flags, int initial, int grow) {
    DeleteImageList();
    m_hImageList = ImageList_Create(cx, cy, flags, initial, grow);
    return m_hImageList != nullptr;
}

BOOL CImageList::DeleteImageList() {
    if (!m_hImageList) return FALSE;
    ImageList_Destroy(m_hImageList);
    m_hImageList = nullptr;
    return TRUE;
}

int CImageList::Add(CBitmap* bitmap, COLORREF mask) {
    return bitmap ? ImageList_AddMasked(m_hImageList, *bitmap, mask) : -1;
}

BOOL CImageList::Draw(CDC* dc, int image, POINT point, UINT style) {
    return dc && ImageList_Draw(m_hImageList, image, dc->m_hDC, point.x, point.y, style);
}
