// The print dialog, answered by the input script's `print` lines.
#include <algorithm>
#include <cstring>
#include <string>

#include "HostScript.h"
#include "HostTranscript.h"
#include "WinClipboard.h"
#include "WinFileDialog.h"
#include "WinPrint.h"

namespace {

DWORD g_lastError = 0;

// DEVNAMES followed by its three texts.
HGLOBAL MakeDevNames(const std::wstring& output) {
    const std::wstring texts[] = {L"winspool", VPLAT_PDF_PRINTER, output};
    size_t chars = sizeof(DEVNAMES) / sizeof(wchar_t);
    size_t total = chars;
    for (const auto& t : texts) total += t.size() + 1;
    HGLOBAL block = GlobalAlloc(GHND, total * sizeof(wchar_t));
    auto* names = static_cast<DEVNAMES*>(GlobalLock(block));
    auto* text = reinterpret_cast<wchar_t*>(names);
    WORD* offsets[] = {&names->wDriverOffset, &names->wDeviceOffset, &names->wOutputOffset};
    size_t at = chars;
    for (int i = 0; i < 3; ++i) {
        *offsets[i] = static_cast<WORD>(at);
        std::copy(texts[i].begin(), texts[i].end(), text + at);
        at += texts[i].size() + 1;
    }
    names->wDefault = 1;
    GlobalUnlock(block);
    return block;
}

HGLOBAL MakeDevMode() {
    HGLOBAL block = GlobalAlloc(GHND, sizeof(DEVMODEW));
    auto* dm = static_cast<DEVMODEW*>(GlobalLock(block));
    std::wstring name = VPLAT_PDF_PRINTER;
    std::copy(name.begin(), name.end(), dm->dmDeviceName);
    dm->dmSize = sizeof(DEVMODEW);
    dm->dmFields = DM_ORIENTATION | DM_PAPERSIZE | DM_COPIES | DM_COLLATE;
    dm->dmOrientation = DMORIENT_PORTRAIT;
    dm->dmPaperSize = DMPAPER_A4;
    dm->dmCopies = 1;
    dm->dmCollate = DMCOLLATE_FALSE;
    std::wstring form = L"A4";
    std::copy(form.begin(), form.end(), dm->dmFormName);
    GlobalUnlock(block);
    return block;
}

}  // namespace

extern "C" {

BOOL PrintDlgW(LPPRINTDLGW pd) {
    g_lastError = 0;
    if (!pd || pd->lStructSize != sizeof(PRINTDLGW)) {
        g_lastError = 1;  // the structure's size is wrong
        return FALSE;
    }
    std::optional<std::wstring> answer = vplat::Script::Get().Take(L"print", L"print dialog");
    if (!answer || *answer == L"<cancel>" || answer->empty()) {
        vplat::Transcript::Get().Event("print", L"dialog: cancelled");
        return FALSE;
    }
    vplat::Transcript::Get().Event("print", L"dialog: \"" + *answer + L"\"");
    if (pd->hDevNames) GlobalFree(pd->hDevNames);
    pd->hDevNames = MakeDevNames(*answer);
    if (!pd->hDevMode) pd->hDevMode = MakeDevMode();
    pd->nCopies = 1;
    pd->hDC = nullptr;
    if (pd->Flags & PD_RETURNDC) {
        auto* dm = static_cast<DEVMODEW*>(GlobalLock(pd->hDevMode));
        pd->hDC = CreateDCW(L"winspool", VPLAT_PDF_PRINTER, answer->c_str(), dm);
        GlobalUnlock(pd->hDevMode);
    }
    return TRUE;
}

DWORD CommDlgExtendedError() { return g_lastError; }

}  // extern "C"

namespace vplat {
void SetCommonDialogError(DWORD error) { g_lastError = error; }
}  // namespace vplat
