#include "WinCodePage.h"

#include <cstring>
#include <cwchar>

namespace {

// 0x80..0x9F of code page 1252; the five unassigned bytes stand for themselves.
const wchar_t kHigh[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
                           0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
                           0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

wchar_t Widen(unsigned char c) { return c >= 0x80 && c < 0xA0 ? kHigh[c - 0x80] : static_cast<wchar_t>(c); }

bool Narrow(wchar_t w, char* out) {
    if (w < 0x80 || (w >= 0xA0 && w <= 0xFF)) {
        *out = static_cast<char>(w);
        return true;
    }
    for (int i = 0; i < 32; ++i)
        if (kHigh[i] == w) {
            *out = static_cast<char>(0x80 + i);
            return true;
        }
    return false;
}

bool Supported(UINT codePage) { return codePage == CP_ACP || codePage == 1252; }

}  // namespace

extern "C" {

UINT GetACP() { return 1252; }

int WideCharToMultiByte(UINT codePage, DWORD, LPCWSTR src, int srcLength, LPSTR dst, int dstSize,
                        LPCSTR defaultChar, BOOL* usedDefault) {
    if (!Supported(codePage) || !src || srcLength < -1 || dstSize < 0) return 0;
    size_t n = srcLength == -1 ? std::wcslen(src) + 1 : static_cast<size_t>(srcLength);
    if (usedDefault) *usedDefault = FALSE;
    if (dstSize == 0) return static_cast<int>(n);
    if (static_cast<size_t>(dstSize) < n) return 0;
    for (size_t i = 0; i < n; ++i)
        if (!Narrow(src[i], &dst[i])) {
            dst[i] = defaultChar ? *defaultChar : '?';
            if (usedDefault) *usedDefault = TRUE;
        }
    return static_cast<int>(n);
}

int MultiByteToWideChar(UINT codePage, DWORD, LPCSTR src, int srcLength, LPWSTR dst, int dstSize) {
    if (!Supported(codePage) || !src || srcLength < -1 || dstSize < 0) return 0;
    size_t n = srcLength == -1 ? std::strlen(src) + 1 : static_cast<size_t>(srcLength);
    if (dstSize == 0) return static_cast<int>(n);
    if (static_cast<size_t>(dstSize) < n) return 0;
    for (size_t i = 0; i < n; ++i) dst[i] = Widen(static_cast<unsigned char>(src[i]));
    return static_cast<int>(n);
}
}
