#include "CPuntoNodo.h"

#include "GyroformCodici.h"
#include "GyroformUtil.h"

int CPuntoNodo::GetTipo() const { return TIPO_PUNTONODO; }

int CPuntoNodo::LeggiDato(int id, CDato& dato) const {
    switch (id) {
        case DATO_PUNTO_QUOTA: dato = CDato(id, m_quota); return 1;
        case DATO_PUNTO_PENDENZA: dato = CDato(id, m_pendenza); return 1;
        default: return CPuntoCiglio::LeggiDato(id, dato);
    }
}

int CPuntoNodo::SetDato(const CDato& dato, int modo) {
    if (!gyroform::DatoAmmesso(dato)) return 0;
    switch (dato.GetId()) {
        case DATO_PUNTO_QUOTA: m_quota = dato.GetDouble(); return 1;
        case DATO_PUNTO_PENDENZA: m_pendenza = dato.GetDouble(); return 1;
        default: return CPuntoCiglio::SetDato(dato, modo);
    }
}

int CPuntoNodo::getDescrittoreDato(int id, CString& lungo, CString& corto, CString& unita, int* decimali) const {
    switch (id) {
        case DATO_PUNTO_QUOTA:
            lungo = gyroform::Traduci(L"Quota");
            corto = gyroform::Traduci(L"Quota");
            break;
        case DATO_PUNTO_PENDENZA:
            lungo = gyroform::Traduci(L"Pendenza longitudinale");
            corto = gyroform::Traduci(L"Pend.");
            break;
        default: return CPuntoCiglio::getDescrittoreDato(id, lungo, corto, unita, decimali);
    }
    unita = L" [m]";
    if (decimali) *decimali = 3;
    return CDato::Reale;
}

void CPuntoNodo::vociProprie(std::vector<CDato>& voci, int /*contesto*/) const {
    aggiungiVoce(voci, CDato::Reale, DATO_PUNTO_QUOTA);
    aggiungiVoce(voci, CDato::Reale, DATO_PUNTO_PENDENZA);
}
