// Wide-character printf with the platform's rules, where they differ from the
// C library underneath: in a wide format %s and %c take wide arguments, %S and
// %C narrow ones (%hs, %ls, %ws as usual); the 'l' size keeps an integer at
// 32 bits (LONG, DWORD); I64 and I32 name the size explicitly.
// Numbers follow the current C locale, as the platform's run-time does.
#pragma once

#include <cstdarg>
#include <string>

namespace vplat {

std::wstring FormatV(const wchar_t* format, va_list args);
std::wstring Format(const wchar_t* format, ...);

}  // namespace vplat
