#include "HostText.h"

#include <cwctype>

namespace vplat {

std::wstring Utf8ToWide(const std::string& s) {
    std::wstring out;
    AppendWide(out, s);
    return out;
}

void AppendWide(std::wstring& out, std::string_view s) {
    out.reserve(out.size() + s.size());
    for (size_t i = 0; i < s.size();) {
        // Runs of ASCII, most of a drawing's text, go over in one step.
        size_t run = i;
        while (run < s.size() && static_cast<unsigned char>(s[run]) < 0x80) ++run;
        if (run > i) {
            size_t at = out.size();
            out.resize(at + (run - i));
            for (size_t k = i; k < run; ++k) out[at + k - i] = static_cast<unsigned char>(s[k]);
            i = run;
            continue;
        }
        unsigned char c = static_cast<unsigned char>(s[i]);
        unsigned cp = 0;
        int extra = 0;
        if (c < 0x80) {
            cp = c;
        } else if ((c & 0xE0) == 0xC0) {
            cp = c & 0x1F;
            extra = 1;
        } else if ((c & 0xF0) == 0xE0) {
            cp = c & 0x0F;
            extra = 2;
        } else if ((c & 0xF8) == 0xF0) {
            cp = c & 0x07;
            extra = 3;
        } else {
            out.push_back(0xFFFD);
            ++i;
            continue;
        }
        bool ok = true;
        for (int k = 1; k <= extra; ++k) {
            if (i + k >= s.size() || (static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) {
                ok = false;
                break;
            }
            cp = (cp << 6) | (static_cast<unsigned char>(s[i + k]) & 0x3F);
        }
        // Overlong forms (C0 AF for "/"), UTF-16 surrogates and code points
        // beyond U+10FFFF are not characters: each becomes U+FFFD.
        static const unsigned kLeast[4] = {0, 0x80, 0x800, 0x10000};
        if (ok && (cp < kLeast[extra] || (cp >= 0xD800 && cp <= 0xDFFF) || cp > 0x10FFFF)) {
            out.push_back(0xFFFD);
            i += extra + 1;
            continue;
        }
        if (!ok) {
            out.push_back(0xFFFD);
            ++i;
            continue;
        }
        out.push_back(static_cast<wchar_t>(cp));
        i += extra + 1;
    }
}

std::string WideToUtf8(const std::wstring& s) {
    std::string out;
    AppendUtf8(out, s);
    return out;
}

void AppendUtf8(std::string& out, std::wstring_view s) {
    out.reserve(out.size() + s.size());
    for (wchar_t wc : s) {
        unsigned cp = static_cast<unsigned>(wc);
        if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) cp = 0xFFFD;
        if (cp < 0x80) {
            out.push_back(static_cast<char>(cp));
        } else if (cp < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else if (cp < 0x10000) {
            out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        }
    }
}

std::wstring ToWindowsPath(const std::string& posixPath) {
    std::wstring w = Utf8ToWide(posixPath);
    for (auto& c : w)
        if (c == L'/') c = L'\\';
    return w;
}

std::string ToPosixPath(const std::wstring& windowsPath) {
    std::wstring w = windowsPath;
    for (auto& c : w)
        if (c == L'\\') c = L'/';
    return WideToUtf8(w);
}

bool EqualNoCase(const std::wstring& a, const std::wstring& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::towlower(a[i]) != std::towlower(b[i])) return false;
    return true;
}

}  // namespace vplat
