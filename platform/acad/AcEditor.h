// The command line: printing, and editor input answered from the input script.
#pragma once

#include <cstddef>
#include <string>

#include "AdsDef.h"
#include "WinTypes.h"

// The host's main window (the owner of its dialogs); null when the host
// has none.
HWND adsw_acadMainWnd();

// acedInitGet control bits; they govern the next input call only.
#define RSG_NONULL 0x0001
#define RSG_NOZERO 0x0002
#define RSG_NONEG 0x0004
#define RSG_NOLIM 0x0008
#define RSG_GETZ 0x0010
#define RSG_DASH 0x0020
#define RSG_2D 0x0040
#define RSG_OTHER 0x0080

int acutPrintf(const ACHAR* format, ...);

int acedInitGet(int flags, const ACHAR* keywords);
int acedGetString(int crOnly, const ACHAR* prompt, ACHAR* result, size_t bufLen);
// The older form: the result holds at most 132 characters and the terminator.
int acedGetString(int crOnly, const ACHAR* prompt, ACHAR* result);
int acedGetInt(const ACHAR* prompt, int* result);
int acedGetReal(const ACHAR* prompt, ads_real* result);
int acedGetPoint(const ads_point base, const ACHAR* prompt, ads_point result);
int acedGetKword(const ACHAR* prompt, ACHAR* result, size_t bufLen);
int acedGetKword(const ACHAR* prompt, ACHAR* result);
// The keyword of the last input that answered RTKWORD.
int acedGetInput(ACHAR* result, size_t bufLen);
int acedGetInput(ACHAR* result);

template <size_t N>
inline int acedGetString(int crOnly, const ACHAR* prompt, ACHAR (&result)[N]) {
    return acedGetString(crOnly, prompt, result, N);
}
template <size_t N>
inline int acedGetKword(const ACHAR* prompt, ACHAR (&result)[N]) {
    return acedGetKword(prompt, result, N);
}
template <size_t N>
inline int acedGetInput(ACHAR (&result)[N]) {
    return acedGetInput(result, N);
}

namespace vplat {
// Flags and keywords of the pending acedInitGet, for tests.
struct PendingInitGet {
    int flags;
    std::wstring keywords;
    bool pending;
};
PendingInitGet PendingInput();
}  // namespace vplat
