// The clipboard (one per process) and the global memory blocks it carries.
#pragma once

#include "WinUser.h"


#define GMEM_FIXED 0x0000u
#define GMEM_MOVEABLE 0x0002u
#define GMEM_ZEROINIT 0x0040u
#define GHND (GMEM_MOVEABLE | GMEM_ZEROINIT)
#define GPTR (GMEM_FIXED | GMEM_ZEROINIT)

#define CF_TEXT 1u
#define CF_UNICODETEXT 13u

extern "C" {
HGLOBAL GlobalAlloc(UINT flags, SIZE_T bytes);
LPVOID GlobalLock(HGLOBAL block);
// FALSE once the block is no longer locked.
BOOL GlobalUnlock(HGLOBAL block);
SIZE_T GlobalSize(HGLOBAL block);
// Null when freed; the block itself for a handle that is no block.
HGLOBAL GlobalFree(HGLOBAL block);

// Fails while the clipboard is open.
BOOL OpenClipboard(HWND owner);
BOOL CloseClipboard();
// Only while open: frees every format held.
BOOL EmptyClipboard();
// Only while open: the clipboard takes the block (and frees the one it held for
// the format); the result is the block, null on failure.
HANDLE SetClipboardData(UINT format, HANDLE data);
// Only while open: the block stays the clipboard's. CF_TEXT and CF_UNICODETEXT
// are each made from the other when only one was set.
HANDLE GetClipboardData(UINT format);
BOOL IsClipboardFormatAvailable(UINT format);
}

namespace vplat {
// Closes and empties the clipboard (tests start from an empty one).
void ResetClipboard();
// Global memory blocks allocated and not yet freed (tests look for leaks).
size_t LiveGlobalBlocks();
}  // namespace vplat
