#include "WinImageList.h"

#include <algorithm>
#include <vector>

struct _IMAGELIST {
    int cx;
    int cy;
    UINT flags;
    // All images side by side in one bitmap, and each image's mask colour.
    HBITMAP strip = nullptr;
    int capacity = 0;
    int grow;
    std::vector<COLORREF> masks;
};

namespace {

// A memory context on a bitmap, for copying.
class BitmapDc {
public:
    explicit BitmapDc(HBITMAP b) : m_dc(CreateCompatibleDC(nullptr)), m_old(SelectObject(m_dc, b)) {}
    ~BitmapDc() {
        SelectObject(m_dc, m_old);
        DeleteDC(m_dc);
    }
    operator HDC() const { return m_dc; }

private:
    HDC m_dc;
    HGDIOBJ m_old;
};

bool Grow(HIMAGELIST list, int need) {
    if (need <= list->capacity) return true;
    int capacity = std::max(need, list->capacity + std::max(1, list->grow));
    HBITMAP strip = CreateBitmap(capacity * list->cx, list->cy, 1, 32, nullptr);
    if (!strip) return false;
    if (list->strip) {
        BitmapDc to(strip), from(list->strip);
        BitBlt(to, 0, 0, list->capacity * list->cx, list->cy, from, 0, 0, SRCCOPY);
        DeleteObject(list->strip);
    }
    list->strip = strip;
    list->capacity = capacity;
    return true;
}

}  // namespace

extern "C" {

HIMAGELIST ImageList_Create(int cx, int cy, UINT flags, int initial, int grow) {
    if (cx <= 0 || cy <= 0 || initial < 0) return nullptr;
    auto* list = new _IMAGELIST{cx, cy, flags, nullptr, 0, grow, {}};
    if (initial > 0 && !Grow(list, initial)) {
        delete list;
        return nullptr;
    }
    return list;
}

BOOL ImageList_Destroy(HIMAGELIST list) {
    if (!list) return FALSE;
    if (list->strip) DeleteObject(list->strip);
    delete list;
    return TRUE;
}

int ImageList_AddMasked(HIMAGELIST list, HBITMAP bitmap, COLORREF mask) {
    BITMAP bm{};
    if (!list || !GetObjectW(bitmap, sizeof bm, &bm) || bm.bmWidth < list->cx || bm.bmHeight < list->cy) return -1;
    int first = static_cast<int>(list->masks.size());
    int n = bm.bmWidth / list->cx;
    if (!Grow(list, first + n)) return -1;
    BitmapDc to(list->strip), from(bitmap);
    BitBlt(to, first * list->cx, 0, n * list->cx, list->cy, from, 0, 0, SRCCOPY);
    list->masks.insert(list->masks.end(), n, (list->flags & ILC_MASK) ? mask : CLR_INVALID);
    return first;
}

int ImageList_GetImageCount(HIMAGELIST list) { return list ? static_cast<int>(list->masks.size()) : 0; }

BOOL ImageList_GetImageInfo(HIMAGELIST list, int index, IMAGEINFO* info) {
    if (!list || !info || index < 0 || index >= ImageList_GetImageCount(list)) return FALSE;
    info->hbmImage = list->strip;
    info->hbmMask = nullptr;
    info->rcImage = RECT{index * list->cx, 0, (index + 1) * list->cx, list->cy};
    return TRUE;
}

BOOL ImageList_GetIconSize(HIMAGELIST list, int* cx, int* cy) {
    if (!list || !cx || !cy) return FALSE;
    *cx = list->cx;
    *cy = list->cy;
    return TRUE;
}

BOOL ImageList_Draw(HIMAGELIST list, int index, HDC hdc, int x, int y, UINT) {
    if (!list || index < 0 || index >= ImageList_GetImageCount(list)) return FALSE;
    BitmapDc from(list->strip);
    int sx = index * list->cx;
    COLORREF mask = list->masks[static_cast<size_t>(index)];
    if (mask == CLR_INVALID) return BitBlt(hdc, x, y, list->cx, list->cy, from, sx, 0, SRCCOPY);
    // Each row is copied in runs of pixels that are not the mask colour.
    for (int row = 0; row < list->cy; ++row) {
        int col = 0;
        while (col < list->cx) {
            while (col < list->cx && GetPixel(from, sx + col, row) == mask) ++col;
            int start = col;
            while (col < list->cx && GetPixel(from, sx + col, row) != mask) ++col;
            if (col > start) BitBlt(hdc, x + start, y + row, col - start, 1, from, sx + start, row, SRCCOPY);
        }
    }
    return TRUE;
}
}
