// Conversions between managed and native values of the object framework.
#pragma once

#include <memory>
#include <string>

#include "CDato.h"
#include "DatoMgd.h"

class QvConvertMgd {
public:
    // The native value of a managed one (an empty value for null).
    static CDato ToCDato(const std::shared_ptr<DatoMgd>& dato);
    static std::shared_ptr<DatoMgd> ToDatoMgd(const CDato& dato);
    // A native copy of the string, freed with FreeUnmanaged.
    static wchar_t* StringToUnmanaged(const std::wstring& testo);
    static void FreeUnmanaged(wchar_t* testo);
};
