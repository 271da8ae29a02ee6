#include "CPuntoVertice.h"

#include "GyroformCodici.h"
#include "GyroformUtil.h"
#include "QvEngineeringConstructor.h"

CPuntoVertice::CPuntoVertice()
    : m_coloreQuota(nuovoColore()),
      m_raccordi(static_cast<IQvObject_CodeList*>(QvEngineeringConstructor::Alloca(TIPO_LISTA_SCELTE, nullptr))),
      m_colorePendenza(nuovoColore()) {
    if (m_raccordi) {
        m_raccordi->Aggiungi(RACCORDO_CIRCOLARE, gyroform::Traduci(L"Circolare"));
        m_raccordi->Aggiungi(RACCORDO_PARABOLICO, gyroform::Traduci(L"Parabolico"));
    }
    impostaGrigio(m_colorePendenza, true);
}

CPuntoVertice::~CPuntoVertice() {
    liberaOggetto(m_coloreQuota);
    liberaOggetto(m_raccordi);
    liberaOggetto(m_colorePendenza);
}

int CPuntoVertice::GetTipo() const { return TIPO_PUNTOVERTICE; }

int CPuntoVertice::LeggiDato(int id, CDato& dato) const {
    switch (id) {
        case DATO_PUNTO_QUOTA:
            dato = CDato(id, m_quota);
            impostaGrigio(m_coloreQuota, m_quotaGrigia);
            dato.SetAllegato(m_coloreQuota);
            return 1;
        case DATO_PUNTO_RAGGIO:
            dato = CDato(id, m_raggio);
            impostaGrigio(m_coloreQuota, m_grigio);
            dato.SetAllegato(m_coloreQuota);
            return 1;
        case DATO_PUNTO_PENDENZA:
            dato = CDato(id, m_pendenza * 100.0);
            dato.SetAllegato(m_colorePendenza);
            return 1;
        case DATO_PUNTO_TIPO_RACCORDO:
            dato = CDato(id, m_raccordi ? m_raccordi->GetTesto(m_tipoRaccordo) : CString());
            dato.SetAllegato(m_raccordi);
            return 1;
        default: return CPuntoCiglio::LeggiDato(id, dato);
    }
}

int CPuntoVertice::SetDato(const CDato& dato, int modo) {
    if (!gyroform::DatoAmmesso(dato)) return 0;
    switch (dato.GetId()) {
        case DATO_PUNTO_QUOTA: m_quota = dato.GetDouble(); return 1;
        case DATO_PUNTO_RAGGIO: m_raggio = dato.GetDouble(); return 1;
        case DATO_PUNTO_PENDENZA: return 1;  // computed from the grades
        case DATO_PUNTO_TIPO_RACCORDO: {
            int codice = 0;
            if (!m_raccordi || !m_raccordi->GetCodice(dato.GetString(), &codice)) return 0;
            m_tipoRaccordo = codice;
            return 1;
        }
        default: return CPuntoCiglio::SetDato(dato, modo);
    }
}

int CPuntoVertice::inizializza(ICCiglio3D* proprietario, bool setDefault) {
    attaccaConQuota(proprietario, setDefault, &m_quota);
    return 1;
}

int CPuntoVertice::getDescrittoreDato(int id, CString& lungo, CString& corto, CString& unita, int* decimali) const {
    int tipo = CDato::Reale;
    switch (id) {
        case DATO_PUNTO_QUOTA:
            lungo = gyroform::Traduci(L"Quota");
            corto = gyroform::Traduci(L"Quota");
            unita = L" [m]";
            break;
        case DATO_PUNTO_RAGGIO:
            lungo = gyroform::Traduci(L"Raggio");
            corto = gyroform::Traduci(L"Raggio");
            unita = L" [m]";
            break;
        case DATO_PUNTO_PENDENZA:
            lungo = gyroform::Traduci(L"Pendenza longitudinale livelletta precedente");
            corto = gyroform::Traduci(L"Pend. Long.");
            unita = L" [%]";
            break;
        case DATO_PUNTO_TIPO_RACCORDO:
            lungo = gyroform::Traduci(L"Tipo Raccordo");
            corto = gyroform::Traduci(L"Tipo Racc.");
            unita = L"";
            if (decimali) *decimali = 0;
            return CDato::Testo;
        default: return CPuntoCiglio::getDescrittoreDato(id, lungo, corto, unita, decimali);
    }
    if (decimali) *decimali = 3;
    return tipo;
}

void CPuntoVertice::vociProprie(std::vector<CDato>& voci, int contesto) const {
    aggiungiVoce(voci, CDato::Reale, DATO_PUNTO_QUOTA);
    aggiungiVoce(voci, CDato::Reale, DATO_PUNTO_RAGGIO);
    aggiungiVoce(voci, CDato::Testo, DATO_PUNTO_TIPO_RACCORDO);
    voci.back().SetAllegato(m_raccordi);
    if (contesto != 7005) aggiungiVoce(voci, CDato::Reale, DATO_PUNTO_PENDENZA);
}
