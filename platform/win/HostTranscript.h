// What the host shows a person: the command line, prompts with their answers,
// message boxes, help calls and module events, in the order they happened.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace vplat {

struct TranscriptEntry {
    std::string kind;   // "cmd" for command-line text, else the event's kind
    std::wstring text;
};

class Transcript {
public:
    static Transcript& Get();

    // Text printed on the command line (prompts and answers included), as it stands.
    void CommandLine(const std::wstring& text);
    // The answer to the prompt just printed, as a command line shows it: after
    // a space (none when the prompt ends in a blank or a line end), then the
    // line end. An empty answer (Enter) ends the line only.
    void Answer(const std::wstring& text);
    // An event on a line of its own: "[kind] text". The host's own tracing
    // (kinds "module", "linker", "translator", "commands", "lorvent",
    // "debug") is kept in the entries but shown only while tracing is on.
    void Event(const std::string& kind, const std::wstring& text);
    static bool IsTracing(const std::string& kind);
    void SetTracing(bool on) { m_tracing = on; }
    bool Tracing() const { return m_tracing; }

    const std::vector<TranscriptEntry>& Entries() const { return m_entries; }
    // Everything printed on the command line, joined.
    std::wstring CommandLineText() const;
    // The events of one kind, in order.
    std::vector<std::wstring> Events(const std::string& kind) const;
    // The whole transcript as a person reads it (UTF-8).
    std::string Render() const;
    void Clear();

    // Receives the rendered text as it is produced (the host streams it).
    void SetSink(std::function<void(const std::string&)> sink) { m_sink = std::move(sink); }

private:
    void Emit(const std::string& utf8);

    std::vector<TranscriptEntry> m_entries;
    std::function<void(const std::string&)> m_sink;
    bool m_tracing = false;
    bool m_atLineStart = true;
    bool m_afterBlank = true;  // the command line's text ends in a blank or a line end
    std::string m_rendered;
};

}  // namespace vplat
