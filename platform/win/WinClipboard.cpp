// The clipboard and global memory. CF_TEXT holds single-byte text in the
// Latin-1 code page: characters beyond it become '?' when made from CF_UNICODETEXT.
#include "WinClipboard.h"

#include <cstring>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

struct Block {
    std::vector<char> bytes;
    int locks = 0;
};

std::set<Block*>& Blocks() {
    static std::set<Block*> blocks;
    return blocks;
}

Block* B(HGLOBAL h) {
    auto* b = static_cast<Block*>(h);
    return Blocks().count(b) ? b : nullptr;
}

struct Board {
    bool open = false;
    HWND owner = nullptr;
    std::map<UINT, HGLOBAL> data;
};

Board& C() {
    static Board b;
    return b;
}

void FreeAll() {
    for (auto& [format, h] : C().data) GlobalFree(h);
    C().data.clear();
}

HGLOBAL Copy(const void* bytes, size_t size) {
    HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, size);
    std::memcpy(B(h)->bytes.data(), bytes, size);
    return h;
}

// The text of a block up to its terminator (or its end).
template <typename Char>
std::basic_string<Char> Text(HGLOBAL h) {
    Block* b = B(h);
    const auto* p = reinterpret_cast<const Char*>(b->bytes.data());
    size_t n = b->bytes.size() / sizeof(Char), len = 0;
    while (len < n && p[len]) ++len;
    return std::basic_string<Char>(p, len);
}

// Makes one text format from the other, kept by the clipboard.
HGLOBAL Convert(UINT format) {
    auto& d = C().data;
    if (format == CF_UNICODETEXT && d.count(CF_TEXT)) {
        std::string a = Text<char>(d[CF_TEXT]);
        std::wstring w(a.size(), L' ');
        for (size_t i = 0; i < a.size(); ++i) w[i] = static_cast<wchar_t>(static_cast<unsigned char>(a[i]));
        return d[format] = Copy(w.c_str(), (w.size() + 1) * sizeof(wchar_t));
    }
    if (format == CF_TEXT && d.count(CF_UNICODETEXT)) {
        std::wstring w = Text<wchar_t>(d[CF_UNICODETEXT]);
        std::string a;
        for (wchar_t c : w) a.push_back(c < 256 ? static_cast<char>(c) : '?');
        return d[format] = Copy(a.c_str(), a.size() + 1);
    }
    return nullptr;
}

}  // namespace

extern "C" {

HGLOBAL GlobalAlloc(UINT, SIZE_T bytes) {
    auto* b = new Block;
    b->bytes.assign(bytes, 0);  // always zeroed: nothing reads what was there before
    Blocks().insert(b);
    return b;
}

LPVOID GlobalLock(HGLOBAL block) {
    Block* b = B(block);
    if (!b) return nullptr;
    ++b->locks;
    return b->bytes.data();
}

BOOL GlobalUnlock(HGLOBAL block) {
    Block* b = B(block);
    if (!b || b->locks == 0) return FALSE;
    return --b->locks > 0;
}

SIZE_T GlobalSize(HGLOBAL block) {
    Block* b = B(block);
    return b ? b->bytes.size() : 0;
}

HGLOBAL GlobalFree(HGLOBAL block) {
    Block* b = B(block);
    if (!b) return block;
    Blocks().erase(b);
    delete b;
    return nullptr;
}

BOOL OpenClipboard(HWND owner) {
    if (C().open) return FALSE;
    C().open = true;
    C().owner = owner;
    return TRUE;
}

BOOL CloseClipboard() {
    if (!C().open) return FALSE;
    C().open = false;
    return TRUE;
}

BOOL EmptyClipboard() {
    if (!C().open) return FALSE;
    FreeAll();
    return TRUE;
}

HANDLE SetClipboardData(UINT format, HANDLE data) {
    if (!C().open || !B(data)) return nullptr;
    auto& d = C().data;
    auto it = d.find(format);
    if (it != d.end() && it->second != data) GlobalFree(it->second);
    // A text set anew replaces the other text format made from the old one.
    if (format == CF_TEXT || format == CF_UNICODETEXT) {
        UINT other = format == CF_TEXT ? CF_UNICODETEXT : CF_TEXT;
        if (d.count(other)) {
            GlobalFree(d[other]);
            d.erase(other);
        }
    }
    d[format] = data;
    return data;
}

HANDLE GetClipboardData(UINT format) {
    if (!C().open) return nullptr;
    auto it = C().data.find(format);
    if (it != C().data.end()) return it->second;
    return Convert(format);
}

BOOL IsClipboardFormatAvailable(UINT format) {
    auto& d = C().data;
    if (d.count(format)) return TRUE;
    return (format == CF_TEXT || format == CF_UNICODETEXT) && (d.count(CF_TEXT) || d.count(CF_UNICODETEXT));
}

}  // extern "C"

namespace vplat {

void ResetClipboard() {
    FreeAll();
    C().open = false;
    C().owner = nullptr;
}

size_t LiveGlobalBlocks() { return Blocks().size(); }

}  // namespace vplat
