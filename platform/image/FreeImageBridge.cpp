#include "FreeImageBridge.h"

#include <FreeImage.h>
#include <tiffio.h>

#include <algorithm>
#include <climits>
#include <cstring>

namespace vplat::image {

namespace {

void Silenzio(FREE_IMAGE_FORMAT, const char*) {}

// FreeImage's and the codecs' messages are not the modules' output. libtiff
// reports the tags it does not know (FreeImage's EXIF tags among them) through
// its own handlers, not FreeImage's.
struct Avvio {
    Avvio() {
        FreeImage_SetOutputMessage(Silenzio);
        TIFFSetErrorHandler(nullptr);
        TIFFSetWarningHandler(nullptr);
    }
};
const Avvio s_avvio;

FREE_IMAGE_FORMAT Formato(int code) {
    switch (code) {
    case 1: return FIF_BMP;
    case 3: return FIF_JPEG;
    case 4: return FIF_PNG;
    case 6: return FIF_TIFF;
    default: return FIF_UNKNOWN;
    }
}

class Dib {
public:
    explicit Dib(FIBITMAP* dib = nullptr) : m_dib(dib) {}
    ~Dib() {
        if (m_dib) FreeImage_Unload(m_dib);
    }
    Dib(const Dib&) = delete;
    Dib& operator=(const Dib&) = delete;
    void Reset(FIBITMAP* dib) {
        if (m_dib && m_dib != dib) FreeImage_Unload(m_dib);
        m_dib = dib;
    }
    FIBITMAP* get() const { return m_dib; }

private:
    FIBITMAP* m_dib;
};

// Copies a 32-bit FreeImage bitmap (rows bottom-up) into top-down pixels.
void Copia(FIBITMAP* dib, Pixels& out) {
    out.width = static_cast<int>(FreeImage_GetWidth(dib));
    out.height = static_cast<int>(FreeImage_GetHeight(dib));
    out.argb.assign(static_cast<size_t>(out.width) * static_cast<size_t>(out.height), 0);
    for (int y = 0; y < out.height; ++y) {
        const BYTE* row = FreeImage_GetScanLine(dib, out.height - 1 - y);
        std::memcpy(&out.argb[static_cast<size_t>(y) * static_cast<size_t>(out.width)], row,
                    static_cast<size_t>(out.width) * 4);
    }
}

}  // namespace

bool Load(const std::string& fileName, int formatCode, int maxSide, Pixels& out) {
    const FREE_IMAGE_FORMAT fif = Formato(formatCode);
    if (fif == FIF_UNKNOWN || !FreeImage_FIFSupportsReading(fif)) return false;
    // The header first, where the reader can give it alone: a huge image is
    // refused before its pixels are allocated.
    if (FreeImage_FIFSupportsNoPixels(fif)) {
        Dib header(FreeImage_Load(fif, fileName.c_str(), FIF_LOAD_NOPIXELS));
        if (!header.get()) return false;
        if (FreeImage_GetWidth(header.get()) > static_cast<unsigned>(maxSide) ||
            FreeImage_GetHeight(header.get()) > static_cast<unsigned>(maxSide))
            return false;
    }
    Dib dib(FreeImage_Load(fif, fileName.c_str(), 0));
    if (!dib.get() || !FreeImage_HasPixels(dib.get())) return false;
    const unsigned w = FreeImage_GetWidth(dib.get()), h = FreeImage_GetHeight(dib.get());
    if (w == 0 || h == 0 || w > static_cast<unsigned>(maxSide) || h > static_cast<unsigned>(maxSide)) return false;
    // 16-bit and floating-point images become 8-bit ones first.
    if (FreeImage_GetImageType(dib.get()) != FIT_BITMAP) {
        dib.Reset(FreeImage_ConvertToStandardType(dib.get(), TRUE));
        if (!dib.get()) return false;
    }
    Dib dib32(FreeImage_ConvertTo32Bits(dib.get()));
    if (!dib32.get() || !FreeImage_PreMultiplyWithAlpha(dib32.get())) return false;
    Copia(dib32.get(), out);
    return true;
}

bool Size(const std::string& fileName, int formatCode, int& width, int& height) {
    const FREE_IMAGE_FORMAT fif = Formato(formatCode);
    if (fif == FIF_UNKNOWN || !FreeImage_FIFSupportsReading(fif) || !FreeImage_FIFSupportsNoPixels(fif)) return false;
    Dib header(FreeImage_Load(fif, fileName.c_str(), FIF_LOAD_NOPIXELS));
    if (!header.get()) return false;
    width = static_cast<int>(std::min<unsigned>(FreeImage_GetWidth(header.get()), INT_MAX));
    height = static_cast<int>(std::min<unsigned>(FreeImage_GetHeight(header.get()), INT_MAX));
    return width > 0 && height > 0;
}

bool Rescale(const Pixels& in, int width, int height, Pixels& out) {
    if (in.width <= 0 || in.height <= 0 || width <= 0 || height <= 0) return false;
    Dib src(FreeImage_Allocate(in.width, in.height, 32, FI_RGBA_RED_MASK, FI_RGBA_GREEN_MASK, FI_RGBA_BLUE_MASK));
    if (!src.get()) return false;
    for (int y = 0; y < in.height; ++y)
        std::memcpy(FreeImage_GetScanLine(src.get(), in.height - 1 - y),
                    &in.argb[static_cast<size_t>(y) * static_cast<size_t>(in.width)], static_cast<size_t>(in.width) * 4);
    Dib dst(FreeImage_Rescale(src.get(), width, height, FILTER_BILINEAR));
    if (!dst.get()) return false;
    Copia(dst.get(), out);
    return true;
}

}  // namespace vplat::image
