// The input script: every answer a person would give, one request per line.
// The format is described in docs/input-script.md.
#pragma once

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace vplat {

struct ScriptLine {
    int number = 0;       // line number in the script, from 1
    std::wstring kind;    // first word
    std::wstring answer;  // the rest of the line after one blank
};

class Script {
public:
    static Script& Get();

    // Replaces the script. Returns false with a reason for a malformed line.
    bool Load(const std::wstring& text, std::wstring* error = nullptr);
    bool LoadFile(const std::string& path, std::wstring* error = nullptr);
    void Clear();

    // Takes the next line when it answers a request of this kind. When the next
    // line is of another kind, or there is none, the mismatch is recorded, the
    // line stays for a later request and nothing is returned: the caller answers
    // as a cancel would.
    std::optional<std::wstring> Take(const std::wstring& kind, const std::wstring& request);
    // Takes the next line only when it is of this kind; otherwise nothing is
    // recorded (for requests that have a default answer, such as message boxes).
    std::optional<std::wstring> TakeIf(const std::wstring& kind);
    // Records a mismatch found by the caller (an answer the request cannot take).
    void Mismatch(const std::wstring& what);

    // Directives are lines run when the script reaches them, between requests.
    using Directive = std::function<bool(const std::wstring& args, std::wstring* error)>;
    void RegisterDirective(const std::wstring& kind, Directive run);

    const std::vector<std::wstring>& Mismatches() const { return m_mismatches; }
    // Lines no request has taken (directives still waiting are run first).
    std::vector<ScriptLine> Remaining();

private:
    void RunDirectives();

    std::vector<ScriptLine> m_lines;
    size_t m_next = 0;
    std::vector<std::wstring> m_mismatches;
    std::map<std::wstring, Directive> m_directives;
};

}  // namespace vplat
