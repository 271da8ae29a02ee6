// The translation service's dictionary: Italian text to translated text.
// Format in docs/translator.md.
#pragma once

#include <map>
#include <string>

class Dictionary {
public:
    // Reads a dictionary file; false when it cannot be opened.
    bool Load(const std::string& path);
    void Clear();
    // The translation of a text, or null when the dictionary has none.
    const std::wstring* Find(const std::wstring& text) const;
    const std::wstring& Language() const { return m_language; }
    bool Marking() const { return m_mark; }
    void SetMarking(bool mark) { m_mark = mark; }

private:
    std::map<std::wstring, std::wstring> m_entries;
    std::wstring m_language = L"it";
    bool m_mark = false;
};
