// Reading of INI files with the platform's rules: sections and keys compared
// without regard to case, the default when the file, section or key is
// missing, the value cut to the caller's buffer. UTF-8 files (with or without
// a byte-order mark) and UTF-16 files with their mark are read; LF and CRLF
// line ends alike.
#pragma once

#include "WinTypes.h"

// Copies the value (blanks around it removed, one pair of enclosing quotes
// dropped) or the default into the buffer, cut to size - 1 characters and
// terminated; answers the number of characters copied. A null default counts
// as empty.
DWORD GetPrivateProfileStringW(LPCWSTR section, LPCWSTR key, LPCWSTR defaultValue, LPWSTR buffer, DWORD size,
                               LPCWSTR fileName);
