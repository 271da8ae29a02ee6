#include "DxfCursor.h"

#include <cerrno>
#include <cmath>
#include <charconv>
#include <cstring>

#include <unistd.h>

#include "DxfFile.h"
#include "HostText.h"

namespace vplat {

namespace {
constexpr size_t kPieceSize = size_t(1) << 20;
size_t g_pieceSize = kPieceSize;
}  // namespace

void SetDxfReadPieceSize(size_t bytes) { g_pieceSize = bytes > 0 ? bytes : kPieceSize; }

namespace dxfread {

size_t PieceSize() { return g_pieceSize; }

void Fail(int line, const std::wstring& what) {
    throw ReadError{L"line " + std::to_wstring(line) + L": " + what};
}

void FailChanged() { throw ReadError{L"the file changed while it was read"}; }

std::wstring Quote(std::string_view s) {
    if (s.size() > 40) s = s.substr(0, 40);
    return L"\"" + Utf8ToWide(std::string(s)) + L"\"";
}

double Real(const Tok& t) {
    std::string_view s = Trim(t.value);
    double v = 0;
    auto r = std::from_chars(s.data(), s.data() + s.size(), v);
    if (s.empty() || r.ec != std::errc() || r.ptr != s.data() + s.size() || !std::isfinite(v))
        Fail(t.line + 1, L"malformed number " + Quote(s) + L" for group code " + std::to_wstring(t.code));
    return v;
}

namespace {

// The largest value an integer group holds: 16 bits for most codes, 32 for
// counts, colours and long extended data.
int64_t IntLimit(int code) {
    if ((code >= 90 && code <= 99) || (code >= 420 && code <= 459) || code == 1071) return INT32_MAX;
    if ((code >= 60 && code <= 79) || (code >= 170 && code <= 179) || (code >= 270 && code <= 289) ||
        (code >= 370 && code <= 409) || (code >= 1060 && code <= 1070))
        return INT16_MAX;
    return INT64_MAX;
}

}  // namespace

int64_t Int(const Tok& t) {
    std::string_view s = Trim(t.value);
    int64_t v = 0;
    bool tooBig = false;
    auto r = std::from_chars(s.data(), s.data() + s.size(), v);
    if (s.empty() || r.ec != std::errc() || r.ptr != s.data() + s.size()) {
        // Some writers put a real where an integer belongs: a whole one is taken.
        double d = 0;
        auto rd = std::from_chars(s.data(), s.data() + s.size(), d);
        bool whole = !s.empty() && rd.ec == std::errc() && rd.ptr == s.data() + s.size() && d == std::trunc(d);
        if (!whole) Fail(t.line + 1, L"malformed number " + Quote(s) + L" for group code " + std::to_wstring(t.code));
        tooBig = std::fabs(d) >= 9e18;
        if (!tooBig) v = static_cast<int64_t>(d);
    }
    int64_t limit = IntLimit(t.code);
    if (tooBig || v > limit || v < -limit - 1)
        Fail(t.line + 1, L"the value " + Quote(s) + L" is out of range for group code " + std::to_wstring(t.code));
    return v;
}

// Hexadecimal digits only; anything else, or a value beyond 64 bits, is the null handle.
uint64_t Hex(const Tok& t) {
    uint64_t v = 0;
    for (char c : Trim(t.value)) {
        int d;
        if (c >= '0' && c <= '9') d = c - '0';
        else if (c >= 'a' && c <= 'f') d = c - 'a' + 10;
        else if (c >= 'A' && c <= 'F') d = c - 'A' + 10;
        else return 0;
        if (v >> 60) return 0;
        v = v * 16 + static_cast<uint64_t>(d);
    }
    return v;
}

TagCursor::TagCursor(const DxfSource& source, bool checked) : m_checked(checked) {
    if (source.fd >= 0) {
        m_fd = source.fd;
        m_end = false;
        m_piece = PieceSize();
        // Room for a piece after a held part of up to another piece.
        m_capacity = 2 * m_piece;
        m_buffer.reset(new char[m_capacity]);
        m_data = m_buffer.get();
        // Enough of the start to tell what the file is.
        while (m_size < 18 && Refill()) {
        }
    } else {
        m_data = source.text.data();
        m_size = source.text.size();
    }
    std::string_view start(m_data, m_size);
    if (start.substr(0, 18) == "AutoCAD Binary DXF") Fail(1, L"not a DXF text file (binary DXF is not read)");
    if (start.substr(0, 3) == "\xEF\xBB\xBF") m_pos = 3;
}

bool TagCursor::NextObject(std::vector<Tok>& groups) {
    groups.clear();
    if (!m_haveAhead) {
        m_keep = m_pos;
        if (!ReadGroup(m_ahead)) return false;
    }
    // The object's groups stay held from its 0 on, however long it is.
    m_keep = m_groupAt;
    groups.push_back(m_ahead);
    m_haveAhead = false;
    m_held = &groups;
    Tok t{};
    while (ReadGroup(t)) {
        if (t.code == 0) {
            m_ahead = t;
            m_haveAhead = true;
            break;
        }
        groups.push_back(t);
    }
    m_held = nullptr;
    return true;
}

int TagCursor::CheckedCode(std::string_view codeLine) const {
    std::string_view c = Trim(codeLine);
    int code = 0;
    auto r = std::from_chars(c.data(), c.data() + c.size(), code);
    if (c.empty() || r.ec != std::errc() || r.ptr != c.data() + c.size()) {
        if (m_checked) FailChanged();
        if (m_count == 0) Fail(m_line, L"not a DXF file: a group code was expected, found " + Quote(c));
        Fail(m_line, L"a group code was expected, found " + Quote(c));
    }
    if (code < 0 || code > 1071) {
        if (m_checked) FailChanged();
        Fail(m_line, L"group code " + std::to_wstring(code) + L" is not a DXF group code");
    }
    return code;
}

void TagCursor::EndsInsideGroup(int line, int code) const {
    if (m_checked) FailChanged();
    Fail(line, L"the file ends inside a group (group code " + std::to_wstring(code) + L"): truncated");
}

void TagCursor::TooLong(bool value) const {
    if (m_checked) FailChanged();
    const int line = m_line + 1;
    if (value)
        Fail(line, L"the value of group code " + std::to_wstring(m_code) + L" is longer than " +
                       std::to_wstring(kLongestValueLine) + L" bytes: no group holds that much");
    if (m_count == 0)
        Fail(line, L"not a DXF file: its first line is longer than " + std::to_wstring(kLongestCodeLine) +
                       L" bytes, where a group code was expected");
    Fail(line, L"a line longer than " + std::to_wstring(kLongestCodeLine) + L" bytes where a group code was expected");
}

bool TagCursor::LongLine(std::string_view& out, bool value) {
    // A line may end in CR LF: the CR is not counted.
    const size_t limit = (value ? kLongestValueLine : kLongestCodeLine) + 1;
    const char* nl = nullptr;
    size_t scanned = 0;  // bytes after m_pos known to hold no end of line
    for (;;) {
        size_t from = m_pos + scanned;
        if (from < m_size && (nl = static_cast<const char*>(std::memchr(m_data + from, '\n', m_size - from)))) break;
        scanned = m_size > m_pos ? m_size - m_pos : 0;
        // Nothing more is read into a line already too long.
        if (scanned > limit) TooLong(value);
        if (!Refill()) break;
    }
    if (m_pos >= m_size) return false;
    size_t e = nl ? static_cast<size_t>(nl - m_data) : m_size;
    if (e - m_pos > limit || (e - m_pos == limit && m_data[e - 1] != '\r')) TooLong(value);
    out = std::string_view(m_data + m_pos, e - m_pos);
    if (!out.empty() && out.back() == '\r') out.remove_suffix(1);
    m_pos = e + 1;
    ++m_line;
    return true;
}

// Drops what is no longer held, makes room for a piece (the buffer grows
// while one object fills it) and reads the piece after what is held. The
// values of the held groups follow their bytes.
bool TagCursor::Refill() {
    if (m_end) return false;
    const size_t drop = m_keep, kept = m_size - m_keep;
    const char* old = m_data;
    if (m_capacity - kept < m_piece) {
        size_t capacity = m_capacity;
        while (capacity - kept < m_piece) capacity *= 2;
        std::unique_ptr<char[]> grown(new char[capacity]);
        std::memcpy(grown.get(), old + drop, kept);
        m_buffer = std::move(grown);
        m_capacity = capacity;
    } else if (drop > 0) {
        std::memmove(m_buffer.get(), old + drop, kept);
    }
    m_data = m_buffer.get();
    if (m_held)
        for (Tok& t : *m_held) t.value = std::string_view(m_data + (t.value.data() - old) - drop, t.value.size());
    m_size = kept;
    m_pos -= drop;
    m_groupAt = m_groupAt >= drop ? m_groupAt - drop : 0;
    m_keep = 0;
    m_base += drop;
    ssize_t n;
    do n = ::pread(m_fd, m_buffer.get() + m_size, m_piece, static_cast<off_t>(m_readAt));
    while (n < 0 && errno == EINTR);
    if (n < 0) throw FileError{};
    if (n == 0) {
        m_end = true;
        return false;
    }
    m_size += static_cast<size_t>(n);
    m_readAt += static_cast<uint64_t>(n);
    return true;
}

}  // namespace dxfread
}  // namespace vplat
