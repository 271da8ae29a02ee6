// File attributes: whether a path names a file or a folder.
#pragma once

#include "WinTypes.h"

#define INVALID_FILE_ATTRIBUTES ((DWORD)-1)
#define FILE_ATTRIBUTE_DIRECTORY 0x00000010
#define FILE_ATTRIBUTE_NORMAL 0x00000080

extern "C" {
// FILE_ATTRIBUTE_NORMAL for a file, FILE_ATTRIBUTE_DIRECTORY for a folder,
// INVALID_FILE_ATTRIBUTES when nothing is there; either separator.
DWORD GetFileAttributesW(LPCWSTR fileName);
}
#define GetFileAttributes GetFileAttributesW
