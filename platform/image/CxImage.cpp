#include "CxImage.h"

#include "FreeImageBridge.h"
#include "HostText.h"

namespace {

// Either separator; FreeImage reads UTF-8 names here.
std::string FileName(LPCWSTR fileName) {
    std::wstring path(fileName);
    for (wchar_t& c : path)
        if (c == L'\\') c = L'/';
    return vplat::WideToUtf8(path);
}

}  // namespace

bool CxImage::ReadSize(LPCWSTR fileName, DWORD imageType, DWORD& width, DWORD& height) {
    if (!fileName) return false;
    int w = 0, h = 0;
    if (!vplat::image::Size(FileName(fileName), static_cast<int>(imageType), w, h)) return false;
    width = static_cast<DWORD>(w);
    height = static_cast<DWORD>(h);
    return true;
}

CxImage::CxImage(LPCWSTR fileName, DWORD imageType) {
    if (!fileName) return;
    vplat::image::Pixels pixels;
    if (!vplat::image::Load(FileName(fileName), static_cast<int>(imageType), kLatoMassimo, pixels)) return;
    m_width = pixels.width;
    m_height = pixels.height;
    m_pixels = std::move(pixels.argb);
}

bool CxImage::Resample(long newx, long newy, int mode, CxImage* iDst) {
    if (!IsValid() || mode != 1 || newx <= 0 || newy <= 0 || newx > kLatoMassimo || newy > kLatoMassimo) return false;
    vplat::image::Pixels in{m_width, m_height, m_pixels}, out;
    if (!vplat::image::Rescale(in, static_cast<int>(newx), static_cast<int>(newy), out)) return false;
    CxImage& target = iDst ? *iDst : *this;
    target.m_width = out.width;
    target.m_height = out.height;
    target.m_pixels = std::move(out.argb);
    return true;
}

HBITMAP CxImage::MakeBitmap(HDC) const {
    if (!IsValid()) return nullptr;
    return CreateBitmap(m_width, m_height, 1, 32, m_pixels.data());
}
