#include "TestoDatiEstesi.h"

namespace {
constexpr int kByteMassimi = 255;
}

CString TestoDatiEstesi(const CString& testo) {
    int byte = 0;
    const int n = testo.GetLength();
    for (int i = 0; i < n; ++i) {
        const auto c = static_cast<unsigned long>(testo[i]);
        // A pair of 16-bit halves is one character of four bytes.
        const bool coppia = c >= 0xD800 && c <= 0xDBFF && i + 1 < n;
        const int lunghezza = c < 0x80 ? 1 : c < 0x800 ? 2 : (coppia || c >= 0x10000) ? 4 : 3;
        if (byte + lunghezza > kByteMassimi) return testo.Left(i);
        byte += lunghezza;
        if (coppia) ++i;
    }
    return testo;
}
