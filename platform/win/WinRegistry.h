// The registry, as far as the modules read it: a fixed set of keys of the
// machine this stand-in describes (docs/ui-layer.md); every other key is absent.
#pragma once

#include "WinTypes.h"

struct HKEY__;
typedef HKEY__* HKEY;
typedef HKEY* PHKEY;
typedef DWORD REGSAM;
typedef DWORD* LPDWORD;

#define HKEY_CLASSES_ROOT (reinterpret_cast<HKEY>(static_cast<uintptr_t>(0x80000000u)))
#define HKEY_CURRENT_USER (reinterpret_cast<HKEY>(static_cast<uintptr_t>(0x80000001u)))
#define HKEY_LOCAL_MACHINE (reinterpret_cast<HKEY>(static_cast<uintptr_t>(0x80000002u)))

#define KEY_QUERY_VALUE 0x0001u
#define KEY_READ 0x20019u
#define REG_NONE 0u
#define REG_SZ 1u
#define ERROR_MORE_DATA 234

extern "C" {
LONG RegOpenKeyExW(HKEY key, LPCWSTR subKey, DWORD options, REGSAM desired, PHKEY result);
LONG RegQueryValueExW(HKEY key, LPCWSTR valueName, LPDWORD reserved, LPDWORD type, BYTE* data, LPDWORD size);
LONG RegCloseKey(HKEY key);
}

#define RegOpenKeyEx RegOpenKeyExW
#define RegQueryValueEx RegQueryValueExW
