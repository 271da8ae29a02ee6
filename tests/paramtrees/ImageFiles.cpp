#include "ImageFiles.h"

#include <FreeImage.h>

#include <map>

namespace image_test {

bool WriteImage(const std::string& path, int format, int bits, int w, int h,
                const std::function<uint32_t(int x, int y)>& argb) {
    FREE_IMAGE_FORMAT fif = format == 1 ? FIF_BMP : format == 3 ? FIF_JPEG : format == 4 ? FIF_PNG : FIF_TIFF;
    FIBITMAP* dib = bits == 16 ? FreeImage_AllocateT(FIT_UINT16, w, h, 16) : FreeImage_Allocate(w, h, bits);
    if (!dib) return false;
    std::map<uint32_t, BYTE> palette;
    for (int y = 0; y < h; ++y) {
        BYTE* row = FreeImage_GetScanLine(dib, h - 1 - y);
        for (int x = 0; x < w; ++x) {
            const uint32_t c = argb(x, y);
            if (bits == 16) {
                reinterpret_cast<uint16_t*>(row)[x] = static_cast<uint16_t>((c & 0xFF) * 257);
            } else if (bits == 8) {
                auto it = palette.emplace(c, static_cast<BYTE>(palette.size())).first;
                RGBQUAD* pal = FreeImage_GetPalette(dib);
                pal[it->second] = {static_cast<BYTE>(c & 0xFF), static_cast<BYTE>((c >> 8) & 0xFF),
                                   static_cast<BYTE>((c >> 16) & 0xFF), 0};
                row[x] = it->second;
            } else {
                BYTE* p = row + x * (bits / 8);
                p[FI_RGBA_BLUE] = static_cast<BYTE>(c & 0xFF);
                p[FI_RGBA_GREEN] = static_cast<BYTE>((c >> 8) & 0xFF);
                p[FI_RGBA_RED] = static_cast<BYTE>((c >> 16) & 0xFF);
                if (bits == 32) p[FI_RGBA_ALPHA] = static_cast<BYTE>(c >> 24);
            }
        }
    }
    const BOOL ok = FreeImage_Save(fif, dib, path.c_str(), fif == FIF_JPEG ? JPEG_QUALITYSUPERB : 0);
    FreeImage_Unload(dib);
    return ok != FALSE;
}

bool HeaderSize(const std::string& path, int& w, int& h) {
    FIBITMAP* dib = FreeImage_Load(FIF_PNG, path.c_str(), FIF_LOAD_NOPIXELS);
    if (!dib) return false;
    w = static_cast<int>(FreeImage_GetWidth(dib));
    h = static_cast<int>(FreeImage_GetHeight(dib));
    FreeImage_Unload(dib);
    return true;
}

}  // namespace image_test
