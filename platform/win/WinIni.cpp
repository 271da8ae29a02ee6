#include "WinIni.h"

#include <fstream>
#include <iterator>
#include <optional>
#include <sstream>
#include <string>

#include "HostText.h"

namespace {

std::optional<std::wstring> ReadText(LPCWSTR fileName) {
    if (!fileName || !fileName[0]) return std::nullopt;
    std::ifstream in(vplat::ToPosixPath(fileName), std::ios::binary);
    if (!in) return std::nullopt;
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
        static_cast<unsigned char>(bytes[1]) == 0xFE) {
        std::wstring text;
        for (size_t i = 2; i + 1 < bytes.size(); i += 2)
            text.push_back(static_cast<wchar_t>(static_cast<unsigned char>(bytes[i]) |
                                                (static_cast<unsigned char>(bytes[i + 1]) << 8)));
        return text;
    }
    if (bytes.size() >= 3 && bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) bytes.erase(0, 3);
    return vplat::Utf8ToWide(bytes);
}

std::wstring Trim(const std::wstring& s) {
    const wchar_t* blanks = L" \t\r";
    size_t a = s.find_first_not_of(blanks);
    if (a == std::wstring::npos) return std::wstring();
    size_t b = s.find_last_not_of(blanks);
    return s.substr(a, b - a + 1);
}

std::optional<std::wstring> FindValue(const std::wstring& text, const std::wstring& section, const std::wstring& key) {
    std::wistringstream lines(text);
    std::wstring line;
    bool inSection = false;
    while (std::getline(lines, line)) {
        std::wstring t = Trim(line);
        if (t.empty() || t[0] == L';') continue;
        if (t[0] == L'[') {
            size_t close = t.find(L']');
            inSection = close != std::wstring::npos && vplat::EqualNoCase(Trim(t.substr(1, close - 1)), section);
            continue;
        }
        if (!inSection) continue;
        size_t eq = t.find(L'=');
        if (eq == std::wstring::npos) continue;
        if (!vplat::EqualNoCase(Trim(t.substr(0, eq)), key)) continue;
        std::wstring value = Trim(t.substr(eq + 1));
        if (value.size() >= 2 && (value.front() == L'"' || value.front() == L'\'') && value.back() == value.front())
            value = value.substr(1, value.size() - 2);
        return value;
    }
    return std::nullopt;
}

}  // namespace

DWORD GetPrivateProfileStringW(LPCWSTR section, LPCWSTR key, LPCWSTR defaultValue, LPWSTR buffer, DWORD size,
                               LPCWSTR fileName) {
    if (!buffer || size == 0) return 0;
    std::wstring value = defaultValue ? Trim(defaultValue) : std::wstring();
    if (section && key) {
        if (auto text = ReadText(fileName))
            if (auto found = FindValue(*text, section, key)) value = *found;
    }
    size_t n = value.size() < size - 1 ? value.size() : size - 1;
    value.copy(buffer, n);
    buffer[n] = 0;
    return static_cast<DWORD>(n);
}
