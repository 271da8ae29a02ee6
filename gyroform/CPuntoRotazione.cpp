#include "CPuntoRotazione.h"

#include "GyroformCodici.h"
#include "GyroformUtil.h"

CPuntoRotazione::CPuntoRotazione() : m_colorePendenza(nuovoColore()) {}

CPuntoRotazione::~CPuntoRotazione() { liberaOggetto(m_colorePendenza); }

int CPuntoRotazione::GetTipo() const { return TIPO_PUNTOROTAZIONE; }

int CPuntoRotazione::LeggiDato(int id, CDato& dato) const {
    if (id != DATO_PUNTO_PENDENZA_ROTAZIONE) return CPuntoCiglio::LeggiDato(id, dato);
    dato = CDato(id, m_pendenza * 100.0);
    impostaGrigio(m_colorePendenza, m_grigioPendenza);
    dato.SetAllegato(m_colorePendenza);
    return 1;
}

int CPuntoRotazione::SetDato(const CDato& dato, int modo) {
    if (!gyroform::DatoAmmesso(dato)) return 0;
    if (dato.GetId() != DATO_PUNTO_PENDENZA_ROTAZIONE) return CPuntoCiglio::SetDato(dato, modo);
    m_pendenza = dato.GetDouble() / 100.0;
    return 1;
}

int CPuntoRotazione::getDescrittoreDato(int id, CString& lungo, CString& corto, CString& unita, int* decimali) const {
    if (id != DATO_PUNTO_PENDENZA_ROTAZIONE) return CPuntoCiglio::getDescrittoreDato(id, lungo, corto, unita, decimali);
    lungo = gyroform::Traduci(L"Pendenza sul ciglio di riferimento");
    corto = gyroform::Traduci(L"Pend. ");
    unita = L" [%]";
    if (decimali) *decimali = 3;
    return CDato::Reale;
}

void CPuntoRotazione::vociProprie(std::vector<CDato>& voci, int /*contesto*/) const {
    aggiungiVoce(voci, CDato::Reale, DATO_PUNTO_PENDENZA_ROTAZIONE);
}
