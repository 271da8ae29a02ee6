// Text conversions between the platform's wide strings and the UTF-8 and
// POSIX paths of the machine underneath.
#pragma once

#include <string>

namespace vplat {

std::wstring Utf8ToWide(const std::string& s);
std::string WideToUtf8(const std::wstring& s);

// Paths handed to the modules use backslashes; files are opened with slashes.
std::wstring ToWindowsPath(const std::string& posixPath);
std::string ToPosixPath(const std::wstring& windowsPath);

// Case-insensitive comparison of names (modules, symbol tables, keywords).
bool EqualNoCase(const std::wstring& a, const std::wstring& b);

}  // namespace vplat
