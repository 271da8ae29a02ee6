#include "CADDatoArrayMgd.h"

#include <cstdio>

namespace {

std::wstring Numero(double v) {
    char testo[40];
    std::snprintf(testo, sizeof testo, "%.10g", v);
    return std::wstring(testo, testo + std::char_traits<char>::length(testo));
}

}  // namespace

std::wstring CADDatoArrayMgd::ToString() const {
    std::wstring out;
    for (const Voce& v : m_voci) {
        if (!out.empty()) out += L' ';
        out += L'(' + std::to_wstring(v.codice);
        switch (v.tipo) {
            case Intero: out += L' ' + std::to_wstring(v.intero); break;
            case Reale: out += L' ' + Numero(v.reale); break;
            case Testo: out += L" \"" + v.testo + L'"'; break;
            case Punto: out += L' ' + Numero(v.punto.x) + L',' + Numero(v.punto.y) + L',' + Numero(v.punto.z); break;
            case Array: out += L" [" + (v.array ? v.array->ToString() : std::wstring()) + L']'; break;
            case Richiesta: break;
        }
        out += L')';
    }
    return out;
}
