// The clipboard and global memory. CF_TEXT holds single-byte text in the
// ANSI code page (1252): characters beyond it become '?' when made from CF_UNICODETEXT.
#include "WinClipboard.h"

#include "HostScript.h"
#include "WinCodePage.h"

#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

struct Block {
    std::vector<char> bytes;
    int locks = 0;
};

// Every live block, owned here: what a process still holds when it ends
// (the clipboard's own data included) goes with the table.
std::map<Block*, std::unique_ptr<Block>>& Blocks() {
    static std::map<Block*, std::unique_ptr<Block>> blocks;
    return blocks;
}

Block* B(HGLOBAL h) {
    auto* b = static_cast<Block*>(h);
    return Blocks().count(b) ? b : nullptr;
}

struct Board {
    bool open = false;
    HWND owner = nullptr;
    HWND emptiedBy = nullptr;
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
        if (!a.empty()) MultiByteToWideChar(CP_ACP, 0, a.data(), static_cast<int>(a.size()), w.data(), static_cast<int>(w.size()));
        return d[format] = Copy(w.c_str(), (w.size() + 1) * sizeof(wchar_t));
    }
    if (format == CF_TEXT && d.count(CF_UNICODETEXT)) {
        std::wstring w = Text<wchar_t>(d[CF_UNICODETEXT]);
        std::string a(w.size(), ' ');
        if (!w.empty())
            WideCharToMultiByte(CP_ACP, 0, w.data(), static_cast<int>(w.size()), a.data(), static_cast<int>(a.size()),
                                nullptr, nullptr);
        return d[format] = Copy(a.c_str(), a.size() + 1);
    }
    return nullptr;
}

}  // namespace

extern "C" {

HGLOBAL GlobalAlloc(UINT, SIZE_T bytes) {
    auto block = std::make_unique<Block>();
    block->bytes.assign(bytes, 0);  // always zeroed: nothing reads what was there before
    Block* b = block.get();
    Blocks().emplace(b, std::move(block));
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

HGLOBAL GlobalReAlloc(HGLOBAL block, SIZE_T bytes, UINT) {
    Block* b = B(block);
    if (!b) return nullptr;
    b->bytes.resize(bytes, 0);
    b->bytes.shrink_to_fit();
    return block;
}

SIZE_T GlobalSize(HGLOBAL block) {
    Block* b = B(block);
    return b ? b->bytes.size() : 0;
}

HGLOBAL GlobalFree(HGLOBAL block) {
    Block* b = B(block);
    if (!b) return block;
    Blocks().erase(b);
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
    C().emptiedBy = C().owner;
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

HWND GetClipboardOwner() {
    HWND h = C().emptiedBy;
    return h && IsWindow(h) ? h : nullptr;
}

}  // extern "C"

namespace vplat {

void ResetClipboard() {
    FreeAll();
    C().open = false;
    C().owner = nullptr;
    C().emptiedBy = nullptr;
}

std::string Clipboard::Text() {
    auto it = C().data.find(CF_TEXT);
    HGLOBAL h = it != C().data.end() ? it->second : nullptr;
    if (!h) {
        bool wasOpen = C().open;
        C().open = true;
        h = Convert(CF_TEXT);
        C().open = wasOpen;
    }
    return h ? ::Text<char>(h) : std::string();
}

void Clipboard::PutBytes(const std::string& bytes) {
    OpenClipboard(nullptr);
    EmptyClipboard();
    HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    if (!bytes.empty()) std::memcpy(GlobalLock(h), bytes.data(), bytes.size());
    GlobalUnlock(h);
    SetClipboardData(CF_TEXT, h);
    CloseClipboard();
}

size_t LiveGlobalBlocks() { return Blocks().size(); }

}  // namespace vplat

namespace {

// "clipboard TEXT" in the input script puts TEXT on the clipboard as CF_TEXT,
// with \t, \n, \r and \\ standing for tab, line feed, carriage return and backslash.
const bool kClipboardDirective = [] {
    vplat::Script::Get().RegisterDirective(L"clipboard", [](const std::wstring& args, std::wstring* error) {
        std::wstring text;
        for (size_t i = 0; i < args.size(); ++i) {
            if (args[i] != L'\\') {
                text += args[i];
                continue;
            }
            wchar_t next = i + 1 < args.size() ? args[i + 1] : 0;
            switch (next) {
            case L't': text += L'\t'; break;
            case L'n': text += L'\n'; break;
            case L'r': text += L'\r'; break;
            case L'\\': text += L'\\'; break;
            default: *error = L"clipboard knows the escapes \\t, \\n, \\r and \\\\ only"; return false;
            }
            ++i;
        }
        std::string bytes(text.size(), '\0');
        if (!text.empty())
            WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), bytes.data(),
                                static_cast<int>(bytes.size()), nullptr, nullptr);
        vplat::Clipboard::PutBytes(bytes + '\0');
        return true;
    });
    return true;
}();

}  // namespace
