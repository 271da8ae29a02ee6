#include "HostTranscript.h"

#include "HostText.h"

namespace vplat {

Transcript& Transcript::Get() {
    static Transcript instance;
    return instance;
}

void Transcript::Emit(const std::string& utf8) {
    if (utf8.empty()) return;
    m_rendered += utf8;
    m_atLineStart = utf8.back() == '\n';
    if (m_sink) m_sink(utf8);
}

void Transcript::CommandLine(const std::wstring& text) {
    if (text.empty()) return;
    m_entries.push_back({"cmd", text});
    m_afterBlank = text.back() == L' ' || text.back() == L'\n' || text.back() == L'\t' || text.back() == L'\r';
    Emit(WideToUtf8(text));
}

void Transcript::Answer(const std::wstring& text) {
    CommandLine((text.empty() || m_afterBlank ? L"" : L" ") + text + L"\n");
}

bool Transcript::IsTracing(const std::string& kind) {
    return kind == "module" || kind == "linker" || kind == "translator" || kind == "commands" || kind == "lorvent" ||
           kind == "debug";
}

void Transcript::Event(const std::string& kind, const std::wstring& text) {
    m_entries.push_back({kind, text});
    if (!m_tracing && IsTracing(kind)) return;
    std::string line = m_atLineStart ? "" : "\n";
    line += "[" + kind + "] " + WideToUtf8(text) + "\n";
    Emit(line);
}

std::wstring Transcript::CommandLineText() const {
    std::wstring out;
    for (const auto& e : m_entries)
        if (e.kind == "cmd") out += e.text;
    return out;
}

std::vector<std::wstring> Transcript::Events(const std::string& kind) const {
    std::vector<std::wstring> out;
    for (const auto& e : m_entries)
        if (e.kind == kind) out.push_back(e.text);
    return out;
}

std::string Transcript::Render() const { return m_rendered; }

void Transcript::Clear() {
    m_entries.clear();
    m_rendered.clear();
    m_atLineStart = true;
    m_afterBlank = true;
}

}  // namespace vplat
