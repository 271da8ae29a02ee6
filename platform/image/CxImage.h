// The image library the picture panel uses: an image read from a file in a
// given format, its size, a resampling, and a device-dependent bitmap of it.
#pragma once

#include <cstdint>
#include <vector>

#include <windows.h>

// Format codes of the image files.
#define CXIMAGE_FORMAT_UNKNOWN 0
#define CXIMAGE_FORMAT_BMP 1
#define CXIMAGE_FORMAT_JPG 3
#define CXIMAGE_FORMAT_PNG 4
#define CXIMAGE_FORMAT_TIF 6

class CxImage {
public:
    // Images larger than this on either side are not loaded.
    static constexpr int kLatoMassimo = 16384;

    CxImage() = default;
    // Reads the file with the reader of that format only; the image is not
    // valid when the file is missing, damaged, of another format or too large.
    CxImage(LPCWSTR fileName, DWORD imageType);
    CxImage(const CxImage&) = default;
    CxImage& operator=(const CxImage&) = default;

    // The size the file's header gives, read with the reader of that format
    // without decoding the pixels; false when the header cannot be read so.
    static bool ReadSize(LPCWSTR fileName, DWORD imageType, DWORD& width, DWORD& height);

    bool IsValid() const { return m_width > 0 && m_height > 0; }
    DWORD GetWidth() const { return static_cast<DWORD>(m_width); }
    DWORD GetHeight() const { return static_cast<DWORD>(m_height); }
    // Mode 1: bilinear. A size of 0 or less, another mode or an invalid image
    // fails and changes nothing. The result goes into iDst when given, else
    // replaces this image.
    bool Resample(long newx, long newy, int mode = 1, CxImage* iDst = nullptr);
    // A new 32-bit bitmap of the image, the caller's to delete; null when the
    // image is not valid.
    HBITMAP MakeBitmap(HDC hdc = nullptr) const;

private:
    int m_width = 0;
    int m_height = 0;
    // Rows top-down, 0xAARRGGBB with the colours premultiplied by alpha.
    std::vector<uint32_t> m_pixels;
};
