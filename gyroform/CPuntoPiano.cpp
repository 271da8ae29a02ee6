#include "CPuntoPiano.h"

#include "GyroformCodici.h"
#include "GyroformUtil.h"

int CPuntoPiano::GetTipo() const { return TIPO_PUNTOPIANO; }

int CPuntoPiano::LeggiDato(int id, CDato& dato) const {
    if (id != DATO_PUNTO_QUOTA) return CPuntoCiglio::LeggiDato(id, dato);
    dato = CDato(id, m_quota);
    return 1;
}

int CPuntoPiano::SetDato(const CDato& dato, int modo) {
    if (!gyroform::DatoAmmesso(dato)) return 0;
    if (dato.GetId() != DATO_PUNTO_QUOTA) return CPuntoCiglio::SetDato(dato, modo);
    m_quota = dato.GetDouble();
    return 1;
}

int CPuntoPiano::inizializza(ICCiglio3D* proprietario, bool setDefault) {
    attaccaConQuota(proprietario, setDefault, &m_quota);
    return 1;
}

int CPuntoPiano::getDescrittoreDato(int id, CString& lungo, CString& corto, CString& unita, int* decimali) const {
    if (id != DATO_PUNTO_QUOTA) return CPuntoCiglio::getDescrittoreDato(id, lungo, corto, unita, decimali);
    lungo = gyroform::Traduci(L"Quota");
    corto = gyroform::Traduci(L"Quota");
    unita = L" [m]";
    if (decimali) *decimali = 3;
    return CDato::Reale;
}

void CPuntoPiano::vociProprie(std::vector<CDato>& voci, int /*contesto*/) const {
    aggiungiVoce(voci, CDato::Reale, DATO_PUNTO_QUOTA);
}
