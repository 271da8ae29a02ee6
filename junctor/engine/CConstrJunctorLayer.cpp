#include "CConstrJunctor.h"

#include <windows.h>

#include "ArxAppContext.h"

CString CConstrJunctor::GetNomeLayer(const wchar_t* chiave, const wchar_t* predefinito) {
    CArxAppContext* contesto = GetArxAppContext();
    return GetNomeLayerIn(contesto ? contesto->GetAppDir() : nullptr, chiave, predefinito);
}

CString CConstrJunctor::GetNomeLayerIn(const wchar_t* cartella, const wchar_t* chiave, const wchar_t* predefinito) {
    wchar_t nome[256];
    if (!cartella || !cartella[0]) {
        // No module folder: no settings file to read.
        GetPrivateProfileStringW(L"LAYER", chiave, predefinito, nome, 256, nullptr);
        return CString(nome);
    }
    CString file = CString(cartella) + L"DEFAULTSETTINGS.INI";
    GetPrivateProfileStringW(L"LAYER", chiave, predefinito, nome, 256, file);
    return CString(nome);
}
