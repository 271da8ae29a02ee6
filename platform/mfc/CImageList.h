// The framework's image list over the platform's.
#pragma once

#include <windows.h>

#include "CDC.h"

class CImageList : public CObject {
public:
    CImageList() = default;
    ~CImageList() override { DeleteImageList(); }
    HIMAGELIST m_hImageList = nullptr;
    operator HIMAGELIST() const { return m_hImageList; }

    BOOL Create(int cx, int cy, UINT flags, int initial, int grow);
    BOOL DeleteImageList();
    // The index of the bitmap's first image, or -1.
    int Add(CBitmap* bitmap, COLORREF mask);
    BOOL Draw(CDC* dc, int image, POINT point, UINT style);
    BOOL GetImageInfo(int image, IMAGEINFO* info) const { return ImageList_GetImageInfo(m_hImageList, image, info); }
    int GetImageCount() const { return ImageList_GetImageCount(m_hImageList); }
};
