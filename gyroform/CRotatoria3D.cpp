#include "CRotatoria3D.h"

#include <cmath>

#include "CAsseRamo.h"
#include "CCiglio3D.h"
#include "CercaTracciati.h"
#include "GyroformCodici.h"
#include "GyroformConstructor.h"
#include "GyroformUtil.h"
#include "IQvObject_DisplaySettings.h"
#include "QvEngineeringConstructor.h"

namespace {

constexpr double kTolAnello = 1e-6;
bool IsCodiceAnello(const wchar_t* codice) {
    CString c(codice);
    return c == L"aCInt" || c == L"aCExt";
}

}  // namespace

CRotatoria3D::~CRotatoria3D() { liberaGruppi(); }

void CRotatoria3D::liberaGruppi() {
    IQvObject* cigli = m_cigli;
    IQvObject* assi = m_assi;
    QvEngineeringConstructor::Libera(&cigli, 1);
    QvEngineeringConstructor::Libera(&assi, 1);
    m_cigli = nullptr;
    m_assi = nullptr;
}

int CRotatoria3D::GetTipo() const { return TIPO_ROTATORIA3D; }

CDato CRotatoria3D::GetDato(int id, bool* ok) const { return gyroform::DatoLetto(*this, id, ok); }

int CRotatoria3D::LeggiDato(int id, CDato& dato) const {
    dato.SetId(id);
    switch (id) {
        case DATO_ROTATORIA_NOME: dato = CDato(id, m_nome); return 1;
        case DATO_ROTATORIA_PIANTA: dato = CDato(id, m_nomePianta); return 1;
        case DATO_ROTATORIA_PASSO_SEZIONI: dato = CDato(id, m_passoSezioni); return 1;
        case DATO_ROTATORIA_PASSO_DISCR: dato = CDato(id, m_passoDiscr); return 1;
        case DATO_ROTATORIA_QUOTA_RIF: dato = CDato(id, m_quotaRiferimento); return 1;
        case DATO_ROTATORIA_PEND_MIN: dato = CDato(id, m_pendMin); return 1;
        case DATO_ROTATORIA_PEND_MAX: dato = CDato(id, m_pendMax); return 1;
        case DATO_ROTATORIA_RICALCOLA_PENDENZE: dato = CDato(id, m_ricalcolaPendenzeRami); return 1;
        default: return 0;
    }
}

int CRotatoria3D::SetDato(const CDato& dato, int /*modo*/) {
    if (!gyroform::DatoAmmesso(dato)) return 0;
    switch (dato.GetId()) {
        case DATO_ROTATORIA_NOME: m_nome = dato.GetString(); return 1;
        case DATO_ROTATORIA_PIANTA: m_nomePianta = dato.GetString(); return 1;
        case DATO_ROTATORIA_PASSO_SEZIONI:
            if (!passoValido(dato.GetDouble())) return 0;
            m_passoSezioni = dato.GetDouble();
            return 1;
        case DATO_ROTATORIA_PASSO_DISCR:
            if (!passoValido(dato.GetDouble())) return 0;
            m_passoDiscr = dato.GetDouble();
            return 1;
        case DATO_ROTATORIA_QUOTA_RIF: m_quotaRiferimento = dato.GetDouble(); return 1;
        case DATO_ROTATORIA_PEND_MIN: m_pendMin = dato.GetDouble(); return 1;
        case DATO_ROTATORIA_PEND_MAX: m_pendMax = dato.GetDouble(); return 1;
        case DATO_ROTATORIA_RICALCOLA_PENDENZE: m_ricalcolaPendenzeRami = static_cast<int>(dato.GetInt()); return 1;
        default: return 0;
    }
}

CString CRotatoria3D::GetNomeTipo() const { return gyroform::Traduci(L"Rotatoria3D"); }

int CRotatoria3D::GetElencoDati(CDato** dati, int* numero, int /*contesto*/) const {
    static const int voci[8][2] = {{CDato::Testo, 1}, {CDato::Testo, 2}, {CDato::Reale, 3}, {CDato::Reale, 4},
                                   {CDato::Reale, 7}, {CDato::Reale, 8}, {CDato::Reale, 9}, {CDato::Intero, 10}};
    if (!dati || !numero) return 0;
    *dati = CDato::AllocaArrayCDato(8);
    *numero = 8;
    for (int i = 0; i < 8; ++i) {
        CDato& d = (*dati)[i];
        d.SetId(voci[i][1]);
        d.SetTipo(voci[i][0]);
        d.SetEtichetta(GetDatoStringa(voci[i][1], 3, 999999999));
    }
    return 1;
}

int CRotatoria3D::setPassoSezioni(double passoSezioni) {
    if (!passoValido(passoSezioni)) {
        rifiutaPasso(L"Passo delle sezioni non ammesso: ", passoSezioni);
        return 0;
    }
    if (passoSezioni == m_passoSezioni) return 1;
    m_passoSezioni = passoSezioni;
    calcolaNodiESezioni();
    return 1;
}

void CRotatoria3D::rifiutaPasso(const wchar_t* testo, double passo) {
    CString valore, intervallo;
    valore.Format(L"%g", passo);
    intervallo.Format(L" (%g - %g)", kPassoMinimo, kPassoMassimo);
    gyroform::Messaggio(gyroform::Traduci(testo) + valore + intervallo);
}

void CRotatoria3D::getCentro(double centro[3]) const {
    for (int i = 0; i < 3; ++i) centro[i] = m_centro[i];
}

void CRotatoria3D::setCentro(const double centro[3]) {
    for (int i = 0; i < 3; ++i) m_centro[i] = centro[i];
}

IQvObject_Group* CRotatoria3D::gruppoAssi() {
    if (!m_assi) {
        m_assi = static_cast<IQvObject_Group*>(QvEngineeringConstructor::Alloca(TIPO_GRUPPO, nullptr));
        if (m_assi) m_assi->SetConstructor(GyroformMain::getConstructor());
    }
    return m_assi;
}

IQvObject_Group* CRotatoria3D::gruppoCigli() {
    if (!m_cigli) {
        m_cigli = static_cast<IQvObject_Group*>(QvEngineeringConstructor::Alloca(TIPO_GRUPPO, nullptr));
        if (m_cigli) m_cigli->SetConstructor(GyroformMain::getConstructor());
    }
    return m_cigli;
}

CCiglio3D* CRotatoria3D::getAnelloEsterno() const {
    return trovaCiglio(CIGLIO_ANELLO_ESTERNO, nullptr);
}

CCiglio3D* CRotatoria3D::trovaCiglio(int codice, const CAsseRamo* asse) const {
    if (!m_cigli) return nullptr;
    for (IQvObject_GroupMember* m = m_cigli->GetFirstMember(); m; m = m->GetNext()) {
        auto* c = static_cast<CCiglio3D*>(m->GetObject());
        if (c->getCodiceEnum() == codice && c->getAsseRamo() == asse) return c;
    }
    return nullptr;
}

CAsseRamo* CRotatoria3D::trovaOCreaAsse(const wchar_t* nomeAsse, const wchar_t* riferimento, bool daTracciato,
                                        bool direzione, double posizioneAnello) {
    CString nome(nomeAsse);
    CAsseRamo* trovato = nullptr;
    if (!nome.IsEmpty() && gruppoAssi()) {
        for (IQvObject_GroupMember* m = m_assi->GetFirstMember(); m; m = m->GetNext()) {
            auto* a = static_cast<CAsseRamo*>(m->GetObject());
            if (a->getNome() == nome && a->getDirezioneTracciato() == direzione) {
                trovato = a;
                break;
            }
        }
        if (trovato && !trovato->isNonTrovato()) return trovato;
    }

    datipoli* polilinea = nullptr;
    ICTRACCIATO* tracciato = nullptr;
    if (daTracciato) {
        if (GetTracciatoByNomeInterno(&tracciato, riferimento, nullptr) && tracciato) {
            polilinea = allocaDATIPOLI(tracciato->getDatiPoli());
            if (!direzione) InvertiDatiPoli(&polilinea);
        }
    } else {
        ZylPolylineID entita(ZylEntityID(riferimento, m_riferimento.GetDatabase()));
        CADDatoArray vertici, bulge;
        if (entita.GetVertici(vertici, bulge)) polilinea = gyroform::PolilineaDaArray(vertici, bulge, nullptr);
    }

    if (trovato) {
        trovato->inizializzaAsse(this, nome, polilinea, direzione, tracciato, posizioneAnello);
        trovato->intersecaAnello(false);
        return trovato;
    }
    GyroformConstructor* costruttore = GyroformMain::getConstructor();
    auto* asse = costruttore ? static_cast<CAsseRamo*>(costruttore->Alloca(TIPO_ASSERAMO)) : nullptr;
    if (!asse) {
        LiberaDATIPOLI(&polilinea);
        IQvObject* t = tracciato;
        QvEngineeringConstructor::Libera(&t, 1);
        return nullptr;
    }
    asse->inizializzaAsse(this, nome, polilinea, direzione, tracciato, posizioneAnello);
    asse->intersecaAnello(false);
    bool secondo = false;
    if (gruppoAssi()) {
        for (IQvObject_GroupMember* m = m_assi->GetFirstMember(); m && !secondo; m = m->GetNext())
            secondo = static_cast<CAsseRamo*>(m->GetObject())->getNome() == nome;
    }
    asse->impostaNomeEsportazione(secondo);
    inserisciAsse(asse);
    return asse;
}

void CRotatoria3D::inserisciAsse(CAsseRamo* asse) {
    IQvObject_Group* g = gruppoAssi();
    for (IQvObject_GroupMember* m = g->GetFirstMember(); m; m = m->GetNext()) {
        if (static_cast<CAsseRamo*>(m->GetObject())->confrontaPosizione(asse)) {
            g->InsertBefore(m, asse);
            return;
        }
    }
    g->Append(asse);
}

void CRotatoria3D::inserisciCiglio(CCiglio3D* ciglio) {
    IQvObject_Group* g = gruppoCigli();
    for (IQvObject_GroupMember* m = g->GetFirstMember(); m; m = m->GetNext()) {
        if (static_cast<CCiglio3D*>(m->GetObject())->precede(ciglio)) {
            g->InsertBefore(m, ciglio);
            return;
        }
    }
    g->Append(ciglio);
}

int CRotatoria3D::creaCiglio(IQvObject** ciglio, const wchar_t* codice, CAsseRamo* asse, const CADDatoArray& vertici,
                             const CADDatoArray& bulge) {
    IQvObject* dato = ciglio ? *ciglio : nullptr;
    auto rifiuta = [&](datipoli*& polilinea) {
        LiberaDATIPOLI(&polilinea);
        if (dato) {
            gyroform::Libera(dato);
            *ciglio = nullptr;
        }
        return 0;
    };

    datipoli* ultimo = nullptr;
    datipoli* polilinea = gyroform::PolilineaDaArray(vertici, bulge, &ultimo);

    // A branch edge must start on the outer ring, not outside it.
    CCiglio3D* esterno = getAnelloEsterno();
    if (!IsCodiceAnello(codice) && esterno && polilinea) {
        double distanza = 1.0;
        ads_point primo = {polilinea->x, polilinea->y, 0.0};
        if (DistPPoly(esterno->getPolilinea(), primo, &distanza, nullptr, nullptr, nullptr, nullptr, nullptr, 1) &&
            distanza > kTolAnello)
            return rifiuta(polilinea);
    }

    CCiglio3D* riusato = nullptr;
    CString testoCodice(codice);
    if (m_cigli) {
        for (IQvObject_GroupMember* m = m_cigli->GetFirstMember(); m; m = m->GetNext()) {
            auto* c = static_cast<CCiglio3D*>(m->GetObject());
            if (c->getCodice() != testoCodice || c->getAsseRamo() != asse) continue;
            if (!c->isNonTrovato()) {
                gyroform::Messaggio(c->getDescrizione() + gyroform::Traduci(L": ciglio doppio!"));
                return rifiuta(polilinea);
            }
            riusato = c;
            break;
        }
    }

    CCiglio3D* nuovo = riusato;
    if (riusato) {
        if (dato) {
            gyroform::Libera(dato);
            dato = nullptr;
        }
    } else if (dato) {
        nuovo = dynamic_cast<CCiglio3D*>(dato);
        if (!nuovo) return rifiuta(polilinea);
    } else {
        GyroformConstructor* costruttore = GyroformMain::getConstructor();
        IQvObject* o = costruttore ? costruttore->Alloca(asse ? TIPO_CIGLIORAMO3D : TIPO_CIGLIOANELLO3D) : nullptr;
        nuovo = static_cast<CCiglio3D*>(o);
        if (!nuovo) return rifiuta(polilinea);
    }

    nuovo->inizializzaCiglio(this, codice, asse, polilinea, ultimo);
    if (!riusato) inserisciCiglio(nuovo);
    if (ciglio) *ciglio = nuovo;
    return 1;
}

IQvObject* CRotatoria3D::creaImpostazioniGruppo() {
    auto* impostazioni =
        static_cast<IQvObject_DisplaySettings*>(QvEngineeringConstructor::Alloca(TIPO_IMPOSTAZIONI_GRUPPO, nullptr));
    if (!impostazioni) return nullptr;
    impostazioni->Imposta(0, 0);
    impostazioni->Imposta(4, 1);
    impostazioni->Imposta(3, 1);
    impostazioni->Imposta(5, 1);
    return impostazioni;
}
