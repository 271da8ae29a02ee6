#include "QvConvertMgd.h"

#include <cwchar>

CDato QvConvertMgd::ToCDato(const std::shared_ptr<DatoMgd>& dato) {
    if (!dato) return CDato();
    int id = dato->Id();
    switch (dato->GetTipo()) {
        case DatoMgd::Bool: return CDato(id, dato->GetBool());
        case DatoMgd::Intero: return CDato(id, static_cast<int>(dato->GetInt()));
        case DatoMgd::Reale: return CDato(id, dato->GetDouble());
        case DatoMgd::Testo: return CDato(id, dato->GetString().c_str());
        case DatoMgd::Punto: {
            double p[3] = {dato->GetPunto().x, dato->GetPunto().y, dato->GetPunto().z};
            return CDato(id, p);
        }
        default: return CDato(id);
    }
}

std::shared_ptr<DatoMgd> QvConvertMgd::ToDatoMgd(const CDato& dato) {
    int id = dato.GetId();
    switch (dato.GetTipo()) {
        case CDato::Bool: return std::make_shared<DatoMgd>(id, dato.GetBool());
        case CDato::Intero: return std::make_shared<DatoMgd>(id, static_cast<int>(dato.GetInt()));
        case CDato::Reale:
        case CDato::Angolo: return std::make_shared<DatoMgd>(id, dato.GetDouble());
        case CDato::Testo: return std::make_shared<DatoMgd>(id, std::wstring(dato.GetString().GetString()));
        case CDato::Punto: {
            double p[3];
            dato.GetPunto(p);
            return std::make_shared<DatoMgd>(id, Point3DMgd(p[0], p[1], p[2]));
        }
        default: return std::make_shared<DatoMgd>();
    }
}

wchar_t* QvConvertMgd::StringToUnmanaged(const std::wstring& testo) {
    auto* copia = new wchar_t[testo.size() + 1];
    std::wmemcpy(copia, testo.c_str(), testo.size() + 1);
    return copia;
}

void QvConvertMgd::FreeUnmanaged(wchar_t* testo) { delete[] testo; }
