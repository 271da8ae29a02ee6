// The leg builder's shared settings: layer names from the module folder's
// settings file.
#pragma once

#include <afx.h>

class CConstrJunctor {
public:
    // The name under section "LAYER" of "DEFAULTSETTINGS.INI" in the module
    // folder; the default when the file or the key is missing.
    static CString GetNomeLayer(const wchar_t* chiave, const wchar_t* predefinito);
    // The same from the settings file of a given folder (ending in a backslash).
    static CString GetNomeLayerIn(const wchar_t* cartella, const wchar_t* chiave, const wchar_t* predefinito);
};
