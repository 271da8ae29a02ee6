// The groups of a DXF text one after the other, for the reader alone: from a
// text in memory, or from an open file read a piece at a time.
#pragma once

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

std::string_view Trim(std::string_view s);
std::wstring Quote(std::string_view s);

// What the groups come from: `text` in memory, or the open file `fd` (read
// from its start with positioned reads, so two cursors share it).
struct DxfSource {
    std::string_view text;
    int fd = -1;
};

// The size of the pieces a file is read in, and the setting of it for tests.
size_t PieceSize();

class TagCursor {
public:
    // `checked`: a pass over a text already checked whole, where a failure of
    // the syntax can only mean that the file changed since.
    TagCursor(const DxfSource& source, bool checked);
    TagCursor(const TagCursor&) = delete;
    TagCursor& operator=(const TagCursor&) = delete;

    // The next group, false after 0 EOF or at the end of the text. Its value
    // stays valid up to the next call.
    bool Next(Tok& tok);
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
    bool ReadGroup(Tok& tok);
    bool NextLine(std::string_view& out);
    bool Refill();

    const char* m_data = nullptr;  // the text, or the part of the file held
    size_t m_size = 0;
    size_t m_pos = 0;       // the next line
    size_t m_keep = 0;      // the start of what must stay held: the group or object being read
    size_t m_groupAt = 0;   // the start of the last group read
    uint64_t m_base = 0;    // offset in the text of m_data[0]
    int m_line = 0;
    size_t m_count = 0;
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
