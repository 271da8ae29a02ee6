// Text conversions between the platform's wide strings and the UTF-8 and
// POSIX paths of the machine underneath.
#pragma once

#include <string>
#include <string_view>

namespace vplat {

std::wstring Utf8ToWide(const std::string& s);
std::string WideToUtf8(const std::wstring& s);
// The same conversions appended to a string that is being built.
void AppendWide(std::wstring& out, std::string_view utf8);
void AppendUtf8(std::string& out, std::wstring_view wide);

// Paths handed to the modules use backslashes; files are opened with slashes.
std::wstring ToWindowsPath(const std::string& posixPath);
std::string ToPosixPath(const std::wstring& windowsPath);

// Case-insensitive comparison of names (modules, symbol tables, keywords).
bool EqualNoCase(const std::wstring& a, const std::wstring& b);

}  // namespace vplat
