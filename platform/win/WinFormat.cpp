#include "WinFormat.h"

#include <cstdint>
#include <cstdio>
#include <cwchar>
#include <vector>

#include "HostText.h"

namespace vplat {

namespace {

// Formats one conversion, given a spec already rewritten for the C library.
template <typename T>
void Put(std::wstring& out, const std::wstring& spec, T value) {
    std::vector<wchar_t> buf(256);
    for (;;) {
        int n = std::swprintf(buf.data(), buf.size(), spec.c_str(), value);
        if (n >= 0 && static_cast<size_t>(n) < buf.size()) {
            out.append(buf.data(), static_cast<size_t>(n));
            return;
        }
        if (buf.size() > (1u << 24)) return;
        buf.resize(buf.size() * 4);
    }
}

}  // namespace

std::wstring FormatV(const wchar_t* format, va_list argsIn) {
    std::wstring out;
    if (!format) return out;
    va_list args;
    va_copy(args, argsIn);
    const wchar_t* p = format;
    while (*p) {
        if (*p != L'%') {
            out.push_back(*p++);
            continue;
        }
        const wchar_t* start = p++;
        if (*p == L'%') {
            out.push_back(L'%');
            ++p;
            continue;
        }
        std::wstring spec = L"%";
        while (*p && std::wcschr(L"-+ #0", *p)) spec.push_back(*p++);
        // Width and precision, '*' taken from the arguments.
        if (*p == L'*') {
            spec += std::to_wstring(va_arg(args, int));
            ++p;
        } else {
            while (*p >= L'0' && *p <= L'9') spec.push_back(*p++);
        }
        if (*p == L'.') {
            spec.push_back(*p++);
            if (*p == L'*') {
                spec += std::to_wstring(va_arg(args, int));
                ++p;
            } else {
                while (*p >= L'0' && *p <= L'9') spec.push_back(*p++);
            }
        }
        enum Size { None, Short, Char, Long, LongLong, Size64, SizeT, LongDouble, Wide, Narrow } size = None;
        if (p[0] == L'I' && p[1] == L'6' && p[2] == L'4') {
            size = Size64;
            p += 3;
        } else if (p[0] == L'I' && p[1] == L'3' && p[2] == L'2') {
            size = None;
            p += 3;
        } else if (p[0] == L'I') {
            size = SizeT;
            ++p;
        } else if (p[0] == L'h' && p[1] == L'h') {
            size = Char;
            p += 2;
        } else if (p[0] == L'h') {
            size = Short;
            ++p;
        } else if (p[0] == L'l' && p[1] == L'l') {
            size = LongLong;
            p += 2;
        } else if (p[0] == L'l') {
            size = Long;
            ++p;
        } else if (p[0] == L'w') {
            size = Wide;
            ++p;
        } else if (p[0] == L'L') {
            size = LongDouble;
            ++p;
        } else if (p[0] == L'z' || p[0] == L't' || p[0] == L'j') {
            size = SizeT;
            ++p;
        }
        wchar_t conv = *p;
        if (!conv) {
            out.append(start);
            break;
        }
        ++p;
        switch (conv) {
        case L'd':
        case L'i':
        case L'u':
        case L'x':
        case L'X':
        case L'o': {
            bool isSigned = conv == L'd' || conv == L'i';
            if (size == Size64 || size == LongLong || size == SizeT) {
                spec += L"ll";
                spec.push_back(conv);
                if (isSigned)
                    Put(out, spec, static_cast<long long>(va_arg(args, long long)));
                else
                    Put(out, spec, static_cast<unsigned long long>(va_arg(args, unsigned long long)));
            } else {
                if (size == Short) spec += L"h";
                if (size == Char) spec += L"hh";
                spec.push_back(conv);
                if (isSigned)
                    Put(out, spec, va_arg(args, int));
                else
                    Put(out, spec, va_arg(args, unsigned int));
            }
            break;
        }
        case L'f':
        case L'F':
        case L'e':
        case L'E':
        case L'g':
        case L'G':
        case L'a':
        case L'A':
            spec.push_back(conv);
            Put(out, spec, va_arg(args, double));
            break;
        case L'c':
        case L'C': {
            bool narrow = (conv == L'C' && size != Long && size != Wide) || size == Short;
            int v = va_arg(args, int);
            spec += L"lc";
            Put(out, spec, static_cast<wint_t>(narrow ? static_cast<unsigned char>(v) : static_cast<wchar_t>(v)));
            break;
        }
        case L's':
        case L'S': {
            bool narrow = (conv == L'S' && size != Long && size != Wide) || size == Short;
            spec += L"ls";
            if (narrow) {
                const char* s = va_arg(args, const char*);
                std::wstring w = s ? Utf8ToWide(s) : L"(null)";
                Put(out, spec, w.c_str());
            } else {
                const wchar_t* s = va_arg(args, const wchar_t*);
                Put(out, spec, s ? s : L"(null)");
            }
            break;
        }
        case L'p':
            spec.push_back(L'p');
            Put(out, spec, va_arg(args, void*));
            break;
        case L'n':
            // Not supported, as on the platform by default: the argument is skipped.
            (void)va_arg(args, int*);
            break;
        default:
            out.append(start, p);
            break;
        }
    }
    va_end(args);
    return out;
}

std::wstring Format(const wchar_t* format, ...) {
    va_list args;
    va_start(args, format);
    std::wstring s = FormatV(format, args);
    va_end(args);
    return s;
}

}  // namespace vplat
