// The groups of a DXF text one after the other, for the reader alone: from a
// text in memory, or from an open file read a piece at a time.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace vplat::dxfread {

struct Tok {
    int code;
    int line;  // line of the group code, from 1
    std::string_view value;
};

struct ReadError {
    std::wstring message;
};

// The file could not be read at all (a read that fails, a folder).
struct FileError {};

[[noreturn]] void Fail(int line, const std::wstring& what);
// The file is not the one the first pass read.
[[noreturn]] void FailChanged();

inline std::string_view Trim(std::string_view s) {
    while (!s.empty() && (s.back() == '\r' || s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    return s;
}
std::wstring Quote(std::string_view s);

// A group's value as a finite real, an integer within its code's range, or
// a handle (0 for anything but hexadecimal digits within 64 bits); a value
// that is no such number stops the reading, naming its line.
double Real(const Tok& t);
int64_t Int(const Tok& t);
uint64_t Hex(const Tok& t);

// What the groups come from: `text` in memory, or the open file `fd` (read
// from its start with positioned reads, so two cursors share it).
struct DxfSource {
    std::string_view text;
    int fd = -1;
};

// The size of the pieces a file is read in, and the setting of it for tests.
size_t PieceSize();

// The longest lines a group can have, line ends apart: a code is a few
// digits, however aligned; no value (a text, a chunk of binary data) comes
// near a megabyte. A longer line stops the reading as soon as it is seen,
// so a file that is no DXF costs no more than these.
constexpr size_t kLongestCodeLine = 255;
constexpr size_t kLongestValueLine = size_t(1) << 20;

class TagCursor {
public:
    // `checked`: a pass over a text already checked whole, where a failure of
    // the syntax can only mean that the file changed since.
    TagCursor(const DxfSource& source, bool checked);
    TagCursor(const TagCursor&) = delete;
    TagCursor& operator=(const TagCursor&) = delete;

    // The next group, false after 0 EOF or at the end of the text. Its value
    // stays valid up to the next call.
    bool Next(Tok& tok) {
        m_keep = m_pos;
        return ReadGroup(tok);
    }
    // The next object: its 0 group and the groups up to the next 0, or false
    // at the end. Their values stay valid up to the next call; one cursor
    // reads either by groups or by objects.
    bool NextObject(std::vector<Tok>& groups);

    // The lines read so far.
    int Line() const { return m_line; }
    // Whether 0 EOF was read, and the offset just past the last line read.
    bool Done() const { return m_done; }
    uint64_t Offset() const { return m_base + m_pos; }

private:
    bool ReadGroup(Tok& tok) {
        std::string_view codeLine, valueLine;
        if (m_done || !NextLine(codeLine, false)) return false;
        m_groupAt = static_cast<size_t>(codeLine.data() - m_data);
        // Codes are mostly a few digits, aligned to the right with spaces.
        const char* p = codeLine.data();
        const char* const e = p + codeLine.size();
        while (p < e && *p == ' ') ++p;
        int code = p == e || e - p > 4 ? -1 : 0;
        for (; code >= 0 && p < e; ++p)
            code = *p >= '0' && *p <= '9' ? code * 10 + (*p - '0') : -1;
        if (code < 0 || code > 1071) code = CheckedCode(codeLine);
        const int codeAt = m_line;
        m_code = code;
        if (!NextLine(valueLine, true)) EndsInsideGroup(codeAt, code);
        tok = {code, codeAt, valueLine};
        ++m_count;
        if (code == 0 && Trim(valueLine) == "EOF") m_done = true;
        return true;
    }

    // The next line without its end, a group's code or its value; short
    // lines are looked for here.
    bool NextLine(std::string_view& out, bool value) {
        if (m_pos < m_size) {
            const char* p = m_data + m_pos;
            const char* stop = p + std::min<size_t>(m_size - m_pos, 32);
            for (const char* q = p; q < stop; ++q)
                if (*q == '\n') {
                    out = std::string_view(p, static_cast<size_t>(q - p));
                    if (!out.empty() && out.back() == '\r') out.remove_suffix(1);
                    m_pos += static_cast<size_t>(q - p) + 1;
                    ++m_line;
                    return true;
                }
        }
        return LongLine(out, value);
    }

    // The group code of a line that is not a few digits, or the failure.
    int CheckedCode(std::string_view codeLine) const;
    [[noreturn]] void EndsInsideGroup(int line, int code) const;
    bool LongLine(std::string_view& out, bool value);
    [[noreturn]] void TooLong(bool value) const;
    bool Refill();

    const char* m_data = nullptr;  // the text, or the part of the file held
    size_t m_size = 0;
    size_t m_pos = 0;       // the next line
    size_t m_keep = 0;      // the start of what must stay held: the group or object being read
    size_t m_groupAt = 0;   // the start of the last group read
    uint64_t m_base = 0;    // offset in the text of m_data[0]
    int m_line = 0;
    size_t m_count = 0;
    int m_code = 0;         // the code of the group whose value is read
    bool m_done = false;
    bool m_checked = false;

    // Reading a file: its pieces go into the buffer after what is held.
    int m_fd = -1;
    bool m_end = true;      // nothing more to read
    uint64_t m_readAt = 0;
    size_t m_piece = 0;
    size_t m_capacity = 0;
    std::unique_ptr<char[]> m_buffer;
    std::vector<Tok>* m_held = nullptr;  // groups whose values move with the buffer

    Tok m_ahead{};          // the 0 group that starts the next object, the last read
    bool m_haveAhead = false;
};

}  // namespace vplat::dxfread
