// The ANSI code page of the thread (1252) and conversions to and from it.
#pragma once

#include "WinTypes.h"

#define CP_ACP 0u
#define CP_UTF8 65001u

extern "C" {
UINT GetACP();
// CP_ACP and 1252 only. A source length of -1 takes the text up to and
// including its terminator; a destination size of 0 asks for the size needed.
// Characters outside the code page become '?'.
int WideCharToMultiByte(UINT codePage, DWORD flags, LPCWSTR src, int srcLength, LPSTR dst, int dstSize,
                        LPCSTR defaultChar, BOOL* usedDefault);
int MultiByteToWideChar(UINT codePage, DWORD flags, LPCSTR src, int srcLength, LPWSTR dst, int dstSize);
}
