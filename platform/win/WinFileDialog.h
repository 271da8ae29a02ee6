// The open-file dialog, answered by the input script's "openfile" lines.
#pragma once

#include "WinTypes.h"

#define OFN_READONLY 0x00000001
#define OFN_OVERWRITEPROMPT 0x00000002
#define OFN_HIDEREADONLY 0x00000004
#define OFN_NOCHANGEDIR 0x00000008
#define OFN_PATHMUSTEXIST 0x00000800
#define OFN_FILEMUSTEXIST 0x00001000
#define OFN_EXPLORER 0x00080000

#define FNERR_BUFFERTOOSMALL 0x3003

struct OPENFILENAMEW {
    DWORD lStructSize = 0;
    HWND hwndOwner = nullptr;
    HINSTANCE hInstance = nullptr;
    LPCWSTR lpstrFilter = nullptr;
    LPWSTR lpstrCustomFilter = nullptr;
    DWORD nMaxCustFilter = 0;
    DWORD nFilterIndex = 0;
    LPWSTR lpstrFile = nullptr;
    DWORD nMaxFile = 0;
    LPWSTR lpstrFileTitle = nullptr;
    DWORD nMaxFileTitle = 0;
    LPCWSTR lpstrInitialDir = nullptr;
    LPCWSTR lpstrTitle = nullptr;
    DWORD Flags = 0;
    WORD nFileOffset = 0;
    WORD nFileExtension = 0;
    LPCWSTR lpstrDefExt = nullptr;
};
typedef OPENFILENAMEW* LPOPENFILENAMEW;

extern "C" {
// The person names a file: the script's next "openfile PATH" line, or
// "openfile <cancel>" (FALSE, no error). The title goes to the transcript.
// An answer without extension gets the default extension; with
// OFN_FILEMUSTEXIST a missing file is reported and the next "openfile" line
// is taken, as the person tries again. The path comes back with
// backslashes; FALSE with FNERR_BUFFERTOOSMALL when it does not fit nMaxFile.
BOOL GetOpenFileNameW(LPOPENFILENAMEW ofn);
// The error of the last failed common dialog (file or print); 0 after a cancel.
DWORD CommDlgExtendedError();
}

namespace vplat {
// What CommDlgExtendedError answers next (the common dialogs set it).
void SetCommonDialogError(DWORD error);
}  // namespace vplat

#define GetOpenFileName GetOpenFileNameW
#define OPENFILENAME OPENFILENAMEW
