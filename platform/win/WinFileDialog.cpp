#include "WinFileDialog.h"

#include <filesystem>
#include <string>

#include "HostScript.h"
#include "HostText.h"
#include "HostTranscript.h"

namespace {

// The answer with the default extension added when its file name has none.
std::wstring ConEstensione(std::wstring path, LPCWSTR defExt) {
    size_t nome = path.find_last_of(L"\\/");
    nome = nome == std::wstring::npos ? 0 : nome + 1;
    if (defExt && *defExt && path.find(L'.', nome) == std::wstring::npos) path += std::wstring(L".") + defExt;
    return path;
}

}  // namespace

extern "C" {

BOOL GetOpenFileNameW(LPOPENFILENAMEW ofn) {
    vplat::SetCommonDialogError(0);
    if (!ofn || !ofn->lpstrFile) return FALSE;
    vplat::Transcript& tr = vplat::Transcript::Get();
    std::wstring title = ofn->lpstrTitle ? ofn->lpstrTitle : L"Open";
    tr.Event("file dialog", title);
    std::optional<std::wstring> line = vplat::Script::Get().Take(L"openfile", title);
    for (;;) {
        if (!line || *line == L"<cancel>" || line->empty()) {
            tr.Event("file dialog", L"cancelled");
            return FALSE;
        }
        std::wstring path = vplat::ToWindowsPath(vplat::WideToUtf8(ConEstensione(*line, ofn->lpstrDefExt)));
        std::error_code ec;
        if (!(ofn->Flags & OFN_FILEMUSTEXIST) || std::filesystem::is_regular_file(vplat::ToPosixPath(path), ec)) {
            if (path.size() + 1 > ofn->nMaxFile) {
                vplat::SetCommonDialogError(FNERR_BUFFERTOOSMALL);
                tr.Event("file dialog", L"the path does not fit the caller's buffer");
                return FALSE;
            }
            std::copy(path.begin(), path.end(), ofn->lpstrFile);
            ofn->lpstrFile[path.size()] = L'\0';
            size_t nome = path.find_last_of(L'\\');
            ofn->nFileOffset = static_cast<WORD>(nome == std::wstring::npos ? 0 : nome + 1);
            size_t punto = path.find_last_of(L'.');
            ofn->nFileExtension =
                static_cast<WORD>(punto == std::wstring::npos || punto < ofn->nFileOffset ? path.size() : punto + 1);
            tr.Event("file dialog", path);
            return TRUE;
        }
        tr.Event("file dialog", path + L": file not found; check the file name");
        line = vplat::Script::Get().TakeIf(L"openfile");
    }
}

}  // extern "C"
