#include "Dictionary.h"

#include <fstream>

#include "HostText.h"

namespace {

// \n, \t and \\ stand for a line feed, a tab and a backslash.
std::wstring Unescape(const std::wstring& s) {
    std::wstring out;
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == L'\\' && i + 1 < s.size()) {
            wchar_t c = s[++i];
            out.push_back(c == L'n' ? L'\n' : c == L't' ? L'\t' : c == L'r' ? L'\r' : c);
        } else {
            out.push_back(s[i]);
        }
    }
    return out;
}

}  // namespace

void Dictionary::Clear() {
    m_entries.clear();
    m_language = L"it";
    m_mark = false;
}

bool Dictionary::Load(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::string raw;
    bool first = true;
    while (std::getline(in, raw)) {
        if (first && raw.size() >= 3 && raw.compare(0, 3, "\xEF\xBB\xBF") == 0) raw.erase(0, 3);
        first = false;
        if (!raw.empty() && raw.back() == '\r') raw.pop_back();
        std::wstring line = vplat::Utf8ToWide(raw);
        if (line.empty() || line[0] == L'#') continue;
        if (line.rfind(L"@language ", 0) == 0) {
            m_language = line.substr(10);
            continue;
        }
        if (line == L"@mark") {
            m_mark = true;
            continue;
        }
        size_t tab = line.find(L'\t');
        if (tab == std::wstring::npos) continue;
        m_entries[Unescape(line.substr(0, tab))] = Unescape(line.substr(tab + 1));
    }
    return true;
}

const std::wstring* Dictionary::Find(const std::wstring& text) const {
    auto it = m_entries.find(text);
    return it == m_entries.end() ? nullptr : &it->second;
}
