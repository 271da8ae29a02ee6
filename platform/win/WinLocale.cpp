#include "WinLocale.h"

#include <locale.h>
#include <wchar.h>

#include <cstdarg>
#include <string>

#include "WinFormat.h"

namespace vplat {

struct CrtLocale {
    locale_t handle;
};

}  // namespace vplat

namespace {

int MaskOf(int category) {
    switch (category) {
    case LC_ALL: return LC_ALL_MASK;
    case LC_COLLATE: return LC_COLLATE_MASK;
    case LC_CTYPE: return LC_CTYPE_MASK;
    case LC_MONETARY: return LC_MONETARY_MASK;
    case LC_NUMERIC: return LC_NUMERIC_MASK;
    case LC_TIME: return LC_TIME_MASK;
    default: return 0;
    }
}

// Runs f with the locale current on this thread, then restores the previous one.
template <typename F>
auto WithLocale(_locale_t locale, F f) {
    if (!locale) return f();
    locale_t previous = uselocale(locale->handle);
    auto result = f();
    uselocale(previous);
    return result;
}

}  // namespace

extern "C" {

_locale_t _create_locale(int category, const char* name) {
    int mask = MaskOf(category);
    if (!mask || !name) return nullptr;
    locale_t handle = newlocale(mask, name, static_cast<locale_t>(0));
    if (!handle) return nullptr;
    return new vplat::CrtLocale{handle};
}

void _free_locale(_locale_t locale) {
    if (!locale) return;
    freelocale(locale->handle);
    delete locale;
}

double _wcstod_l(const wchar_t* text, wchar_t** end, _locale_t locale) {
    if (!locale) return wcstod(text, end);
    return wcstod_l(text, end, locale->handle);
}

int _swprintf_s_l(wchar_t* buffer, size_t count, const wchar_t* format, _locale_t locale, ...) {
    if (!buffer || count == 0) return -1;
    va_list args;
    va_start(args, locale);
    std::wstring text = WithLocale(locale, [&] { return vplat::FormatV(format, args); });
    va_end(args);
    if (text.size() >= count) {
        buffer[0] = 0;
        return -1;
    }
    wmemcpy(buffer, text.c_str(), text.size() + 1);
    return static_cast<int>(text.size());
}

}  // extern "C"
