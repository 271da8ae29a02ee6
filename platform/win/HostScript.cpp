#include "HostScript.h"

#include <fstream>
#include <sstream>

#include "HostText.h"
#include "HostTranscript.h"

namespace vplat {

Script& Script::Get() {
    static Script instance;
    return instance;
}

void Script::Clear() {
    m_lines.clear();
    m_next = 0;
    m_mismatches.clear();
}

bool Script::Load(const std::wstring& text, std::wstring* error) {
    Clear();
    int number = 0;
    // Lines end at LF, CR LF or a lone CR (old Mac text), as in a file of managed calls.
    for (size_t from = 0; from < text.size();) {
        size_t to = text.find_first_of(L"\r\n", from);
        if (to == std::wstring::npos) to = text.size();
        std::wstring line = text.substr(from, to - from);
        from = to + (text.compare(to, 2, L"\r\n") == 0 ? 2 : 1);
        ++number;
        size_t start = line.find_first_not_of(L" \t");
        if (start == std::wstring::npos || line[start] == L'#') continue;
        size_t end = line.find_first_of(L" \t", start);
        ScriptLine sl;
        sl.number = number;
        sl.kind = line.substr(start, end == std::wstring::npos ? std::wstring::npos : end - start);
        if (end != std::wstring::npos) sl.answer = line.substr(end + 1);
        m_lines.push_back(sl);
    }
    (void)error;
    return true;
}

bool Script::LoadFile(const std::string& path, std::wstring* error) {
    std::ifstream f(path, std::ios::binary);
    if (!f) {
        if (error) *error = L"cannot open the script " + Utf8ToWide(path);
        return false;
    }
    std::stringstream ss;
    ss << f.rdbuf();
    std::string bytes = ss.str();
    if (bytes.size() >= 3 && bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) bytes.erase(0, 3);
    return Load(Utf8ToWide(bytes), error);
}

void Script::RegisterDirective(const std::wstring& kind, Directive run) {
    m_directives[kind] = std::move(run);
}

void Script::RunDirectives() {
    while (m_next < m_lines.size()) {
        auto it = m_directives.find(m_lines[m_next].kind);
        if (it == m_directives.end()) return;
        const ScriptLine& line = m_lines[m_next++];
        std::wstring error;
        if (!it->second(line.answer, &error))
            Mismatch(L"line " + std::to_wstring(line.number) + L": " + error);
    }
}

std::optional<std::wstring> Script::Take(const std::wstring& kind, const std::wstring& request) {
    RunDirectives();
    if (m_next >= m_lines.size()) {
        Mismatch(L"no script line answers the " + kind + L" request \"" + request + L"\"");
        return std::nullopt;
    }
    const ScriptLine& line = m_lines[m_next];
    if (line.kind != kind) {
        Mismatch(L"line " + std::to_wstring(line.number) + L" (" + line.kind +
                 L") does not answer the " + kind + L" request \"" + request + L"\"");
        return std::nullopt;
    }
    ++m_next;
    return line.answer;
}

std::optional<std::wstring> Script::TakeIf(const std::wstring& kind) {
    RunDirectives();
    if (m_next >= m_lines.size() || m_lines[m_next].kind != kind) return std::nullopt;
    return m_lines[m_next++].answer;
}

void Script::Mismatch(const std::wstring& what) {
    m_mismatches.push_back(what);
    Transcript::Get().Event("script", L"mismatch: " + what);
}

std::vector<ScriptLine> Script::Remaining() {
    RunDirectives();
    return std::vector<ScriptLine>(m_lines.begin() + static_cast<long>(m_next), m_lines.end());
}

}  // namespace vplat
