#include "CPuntoVerifica.h"

#include <cmath>

#include "CCiglio3D.h"
#include "GyroformCodici.h"
#include "GyroformUtil.h"

CPuntoVerifica::CPuntoVerifica() : m_coloreDelta(nuovoColore()) {}

CPuntoVerifica::~CPuntoVerifica() { liberaOggetto(m_coloreDelta); }

int CPuntoVerifica::GetTipo() const { return TIPO_PUNTOVERIFICA; }

int CPuntoVerifica::LeggiDato(int id, CDato& dato) const {
    switch (id) {
        case DATO_PUNTO_QUOTA: dato = CDato(id, m_quotaRif); return 1;
        case DATO_PUNTO_DELTA: {
            double quota = 0.0;
            if (!m_proprietario || !m_proprietario->getQuotaDaProg(quota, getProgressiva(), -1)) quota = 0.0;
            double delta = m_quotaRif - quota;
            dato = CDato(id, delta);
            if (m_coloreDelta) {
                if (std::fabs(delta) <= m_deltaMax) m_coloreDelta->SetColore(255, 0, 230, 0);
                else m_coloreDelta->SetColore(255, 230, 0, 0);
            }
            dato.SetAllegato(m_coloreDelta);
            return 1;
        }
        case DATO_PUNTO_DELTA_MAX: dato = CDato(id, m_deltaMax); return 1;
        default: return CPuntoCiglio::LeggiDato(id, dato);
    }
}

int CPuntoVerifica::SetDato(const CDato& dato, int modo) {
    if (!gyroform::DatoAmmesso(dato)) return 0;
    switch (dato.GetId()) {
        case DATO_PUNTO_QUOTA: m_quotaRif = dato.GetDouble(); return 1;
        case DATO_PUNTO_DELTA: return 0;
        case DATO_PUNTO_DELTA_MAX: m_deltaMax = std::fabs(dato.GetDouble()); return 1;
        default: return CPuntoCiglio::SetDato(dato, modo);
    }
}

int CPuntoVerifica::inizializza(ICCiglio3D* proprietario, bool setDefault) {
    attaccaConQuota(proprietario, setDefault, &m_quotaRif);
    return 1;
}

int CPuntoVerifica::getDescrittoreDato(int id, CString& lungo, CString& corto, CString& unita, int* decimali) const {
    switch (id) {
        case DATO_PUNTO_QUOTA:
            lungo = gyroform::Traduci(L"Quota di riferimento");
            corto = gyroform::Traduci(L"Quota Rif.");
            unita = L" [m]";
            break;
        case DATO_PUNTO_DELTA:
            lungo = gyroform::Traduci(L"Delta quota");
            corto = gyroform::Traduci(L"\u2206 Quota");
            unita = L" [m]";
            break;
        case DATO_PUNTO_DELTA_MAX:
            lungo = gyroform::Traduci(L"Delta quota massima");
            corto = gyroform::Traduci(L"\u2206 Quota Max");
            unita = L" [\u00b1m]";
            break;
        default: return CPuntoCiglio::getDescrittoreDato(id, lungo, corto, unita, decimali);
    }
    if (decimali) *decimali = 3;
    return CDato::Reale;
}

void CPuntoVerifica::vociProprie(std::vector<CDato>& voci, int /*contesto*/) const {
    aggiungiVoce(voci, CDato::Reale, DATO_PUNTO_QUOTA);
    aggiungiVoce(voci, CDato::Reale, DATO_PUNTO_DELTA);
    voci.back().SetFlag(true);
    aggiungiVoce(voci, CDato::Reale, DATO_PUNTO_DELTA_MAX);
}
