// The C run-time's locale objects, as far as the modules call them: numbers
// formatted and read under a locale named by the caller instead of the
// process's current one (files keep the C numeric rules whatever the user's
// language).
#pragma once

#include <clocale>
#include <cstddef>

#include "WinTypes.h"

namespace vplat {
struct CrtLocale;
}

typedef vplat::CrtLocale* _locale_t;

extern "C" {
// A locale for one category (LC_NUMERIC ...) or LC_ALL; the other categories
// follow "C". Null when the category or the name is unknown.
_locale_t _create_locale(int category, const char* locale);
void _free_locale(_locale_t locale);
// wcstod under the given locale (null: the current one).
double _wcstod_l(const wchar_t* text, wchar_t** end, _locale_t locale);
// Wide printf into a buffer of count characters under the given locale (null:
// the current one), with the platform's conversions. A result that does not fit
// empties the buffer and gives -1.
int _swprintf_s_l(wchar_t* buffer, size_t count, const wchar_t* format, _locale_t locale, ...);
}
