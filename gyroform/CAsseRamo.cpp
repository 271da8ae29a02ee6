#include "CAsseRamo.h"

#include <cmath>

#include "CCiglio3D.h"
#include "CRotatoria3D.h"
#include "GyroformCodici.h"
#include "GyroformUtil.h"
#include "IntersezioniDatiPoli.h"
#include "LeggiDatiPoli.h"
#include "Ombrix.h"
#include "QvEngineeringConstructor.h"

namespace {

constexpr double kPassoGradiente = 0.1;
constexpr double kTolAnello = 1e-6;
constexpr int kListaPendenze = 1500;
constexpr int kListaSecondi = 1505;

double Reale(const IQvObject* o, int id) {
    CDato d;
    return o->LeggiDato(id, d) ? d.GetDouble() : 0.0;
}

// The record of a list at a chainage, the caller's; null without one.
IQvObject* ElementoA(ICTRACCIATO* tracciato, int lista, double prog) {
    ICLISTADATI* l = tracciato->getListaDati(lista);
    return l ? l->elementoDaProg(prog) : nullptr;
}

}  // namespace

CAsseRamo::~CAsseRamo() {
    LiberaDATIPOLI(&m_polilinea);
    for (datipoli*& c : m_cigli) LiberaDATIPOLI(&c);
    IQvObject* t = m_tracciato;
    QvEngineeringConstructor::Libera(&t, 1);
    m_tracciato = nullptr;
}

int CAsseRamo::GetTipo() const { return TIPO_ASSERAMO; }

CDato CAsseRamo::GetDato(int id, bool* ok) const { return gyroform::DatoLetto(*this, id, ok); }

int CAsseRamo::LeggiDato(int id, CDato& dato) const {
    dato.SetId(id);
    return 0;
}

CString CAsseRamo::GetNomeTipo() const { return gyroform::Traduci(L"AsseRamo"); }

int CAsseRamo::GetElencoDati(CDato** /*dati*/, int* numero, int /*contesto*/) const {
    if (numero) *numero = 0;
    return 1;
}

int CAsseRamo::getProfili(CADDatoArray& profili) {
    if (!m_tracciato) return 0;
    profili.Clear();
    for (int i = 0; i < m_tracciato->getNumeroProfili(); ++i) {
        CDato nome;
        m_tracciato->getProfilo(i)->LeggiDato(QV_DATO_NOME_PROFILO, nome);
        profili.Add(i, nome.GetString().GetString());
    }
    return 1;
}

int CAsseRamo::setProfilo(const wchar_t* layerName) {
    m_profilo = layerName;
    return 1;
}

int CAsseRamo::inizializzaAsse(CRotatoria3D* rotatoria, const wchar_t* nome, datipoli* polilinea, bool direzione,
                               ICTRACCIATO* tracciato, double posizioneAnello) {
    m_rotatoria = rotatoria;
    m_nome = nome;
    if (!m_tracciato) {
        m_tracciato = tracciato;
    } else if (tracciato != m_tracciato) {
        // The axis keeps the alignment it has: the new copy is not needed.
        IQvObject* t = tracciato;
        QvEngineeringConstructor::Libera(&t, 1);
    }
    if (polilinea != m_polilinea) LiberaDATIPOLI(&m_polilinea);
    m_polilinea = polilinea;
    m_direzione = direzione;
    m_posizioneAnello = posizioneAnello;
    m_nonTrovato = false;
    return 1;
}

void CAsseRamo::intersecaAnello(bool forza) {
    if (m_posizioneAnello != -1.0 && !forza) return;
    CCiglio3D* anello = m_rotatoria ? m_rotatoria->getAnelloEsterno() : nullptr;
    if (!anello || !anello->getPolilinea() || !m_polilinea) return;

    CADDatoArray incroci;
    Inters_2_DATIPOLI_2D(m_polilinea, anello->getPolilinea(), incroci, 1e-6, 1e-6, 0);
    bool trovato = false;
    double progAsse = 0.0, direzione = 0.0;
    ads_point incrocio = {0, 0, 0};
    for (int i = 0; i < incroci.GetCount(); ++i) {
        ads_point p, piede;
        incroci[i].GetPunto(p);
        double prog = 0.0, dir = 0.0;
        if (!DistPPoly(m_polilinea, p, nullptr, piede, &prog, &dir, nullptr, nullptr, 1)) continue;
        if (!trovato || prog > progAsse) {
            trovato = true;
            progAsse = prog;
            direzione = dir;
            for (int k = 0; k < 3; ++k) incrocio[k] = p[k];
        }
    }
    if (!trovato) return;

    m_progIncrocio = progAsse;
    m_direzioneIncrocio = direzione;
    datipoli* parte = nullptr;
    if (estraiCopiaDATIPOLI(m_polilinea, &progAsse, nullptr, &parte) == 1) {
        LiberaDATIPOLI(&m_polilinea);
        m_polilinea = parte;
    }
    double progAnello = 0.0;
    double lunghezzaAnello = anello->getLunghezza();
    if (DistPPoly(anello->getPolilinea(), incrocio, nullptr, nullptr, &progAnello, nullptr, nullptr, nullptr, 1) &&
        lunghezzaAnello > 0.0) {
        // The ring's closing point is its start.
        if (std::fabs(progAnello - lunghezzaAnello) <= kTolAnello) progAnello = 0.0;
        m_posizioneAnello = progAnello / lunghezzaAnello;
    }
}

int CAsseRamo::calcolaLunghezza(const double punto[3]) {
    double prog = 0.0;
    ads_point p = {punto[0], punto[1], punto[2]};
    if (!m_polilinea || !DistPPoly(m_polilinea, p, nullptr, nullptr, &prog, nullptr, nullptr, nullptr, 1)) {
        gyroform::Messaggio(m_nome + gyroform::Traduci(L": Errore calcolo lunghezza asse ramo."));
        return 0;
    }
    if (m_tracciato) prog += 1.0;
    if (prog > m_lunghezza) m_lunghezza = prog;
    return 1;
}

int CAsseRamo::leggiDatiProfilo() {
    double fine = m_lunghezza + kPassoGradiente;
    datipoli* parte = nullptr;
    int esito = estraiCopiaDATIPOLI(m_polilinea, nullptr, &fine, &parte);
    if (esito == 1) {
        LiberaDATIPOLI(&m_polilinea);
        m_polilinea = parte;
    }
    if (!m_tracciato) return 0;

    double inizio = Reale(m_tracciato, QV_DATO_PROG_INIZIALE);
    double lunghezzaTracciato = Reale(m_tracciato, QV_DATO_LUNGHEZZA);
    double l = m_lunghezza + (inizio == 0.0 ? m_progIncrocio : 0.0);
    double p = m_direzione ? inizio + l : inizio + lunghezzaTracciato - l;
    double p2 = m_direzione ? p + kPassoGradiente : p - kPassoGradiente;
    m_progFine = p;

    // A: the alignment's first value when it runs away from the ring, else its second.
    auto coppia = [this](IQvObject* el, int idPrimo, int idSecondo, double scala, double& a, double& b) {
        double primo = Reale(el, idPrimo) / scala, secondo = Reale(el, idSecondo) / scala;
        a = m_direzione ? primo : secondo;
        b = m_direzione ? secondo : primo;
    };
    // A list without a record there leaves the values as they are.
    bool pendenzeInP = false;
    if (IQvObject* el = ElementoA(m_tracciato, kListaPendenze, p)) {
        coppia(el, 22004, 22005, 100.0, m_valoreA, m_valoreB);
        pendenzeInP = true;
        QvEngineeringConstructor::Libera(&el, 1);
    }
    if (IQvObject* el = ElementoA(m_tracciato, kListaSecondi, p)) {
        coppia(el, 22022, 22023, 1.0, m_secondoA, m_secondoB);
        QvEngineeringConstructor::Libera(&el, 1);
    }
    if (IQvObject* el = ElementoA(m_tracciato, kListaPendenze, p2)) {
        double a2 = 0.0, b2 = 0.0;
        coppia(el, 22004, 22005, 100.0, a2, b2);
        if (pendenzeInP) {
            m_gradienteA = (m_valoreA - a2) / kPassoGradiente;
            m_gradienteB = (m_valoreB - b2) / kPassoGradiente;
        }
        QvEngineeringConstructor::Libera(&el, 1);
    }

    m_quotaCentriRotazione = 0.0;
    bool trovato = false;
    for (int i = 0; i < m_tracciato->getNumeroProfili(); ++i) {
        ICPROFILO* profilo = m_tracciato->getProfilo(i);
        CDato nome;
        profilo->LeggiDato(QV_DATO_NOME_PROFILO, nome);
        if (nome.GetString() != m_profilo) continue;
        trovato = true;
        double z = 0.0, z2 = 0.0;
        bool inP = profilo->getQuota(p, &z) == 1;
        if (inP) {
            setQuotaCentriRotazione(z);
            m_quotaNP = false;
        }
        esito = profilo->getQuota(p2, &z2);
        // The slope needs both elevations; without one it stays as it is.
        if (inP && esito == 1) m_pendenzaLongCentriDiRotazione = (z2 - m_quotaCentriRotazione) / kPassoGradiente;
    }
    // No profile of that name (say "NESSUNO"): the branch end lies flat at 0.0.
    if (!trovato) m_pendenzaLongCentriDiRotazione = 0.0;
    return esito;
}

int CAsseRamo::indiceCiglio(int codice) {
    switch (codice) {
        case CIGLIO_ESTERNO_DESTRO: return 0;
        case CIGLIO_ESTERNO_SINISTRO: return 1;
        case CIGLIO_INTERNO_DESTRO: return 2;
        case CIGLIO_INTERNO_SINISTRO: return 3;
        default: return -1;
    }
}

int CAsseRamo::assegnaCiglioTracciato(const wchar_t* lato, datipoli* polilinea) {
    CString l(lato);
    int codice = 0;
    if (l == L"CDX") codice = m_direzione ? CIGLIO_ESTERNO_SINISTRO : CIGLIO_ESTERNO_DESTRO;
    else if (l == L"CSX") codice = m_direzione ? CIGLIO_ESTERNO_DESTRO : CIGLIO_ESTERNO_SINISTRO;
    else if (l == L"CIDX") codice = m_direzione ? CIGLIO_INTERNO_SINISTRO : CIGLIO_INTERNO_DESTRO;
    else if (l == L"CISX") codice = m_direzione ? CIGLIO_INTERNO_DESTRO : CIGLIO_INTERNO_SINISTRO;
    if (codice == 0) return 1;
    if (!m_direzione) InvertiDatiPoli(&polilinea);
    datipoli*& posto = m_cigli[indiceCiglio(codice)];
    if (posto != polilinea) LiberaDATIPOLI(&posto);
    posto = polilinea;
    return 1;
}

datipoli* CAsseRamo::getPolilineaCiglio(int codice) const {
    int i = indiceCiglio(codice);
    return i < 0 ? nullptr : m_cigli[i];
}

int CAsseRamo::scriviPolilinea(const ZylBlockID& blocco) {
    CADDatoArray vertici, bulge, proprieta;
    gyroform::ArrayDaPolilinea(m_polilinea, vertici, bulge);
    proprieta.Add(10, vertici);
    proprieta.Add(42, bulge);
    IEntityUtils* utils = Ombrix::GetEntityUtils();
    if (m_entita.IsVivo()) {
        utils->ModificaVertici(m_entita, proprieta);
        return 1;
    }
    CADDatoArray nuova;
    nuova.Add(8, m_rotatoria ? m_rotatoria->getLayerPianta().GetString() : L"");
    nuova.Add(10, vertici);
    nuova.Add(42, bulge);
    ZylPolylineID entita;
    if (utils->CreaPolilinea(ZYL_POLILINEA_2D, nuova, entita, blocco)) m_entita = entita;
    return 1;
}

int CAsseRamo::cancellaPolilinea() {
    int esito = m_entita.IsNull() ? 0 : Ombrix::GetEntityUtils()->Cancella(m_entita);
    m_entita = ZylPolylineID();
    return esito;
}

void CAsseRamo::traslaPolilinea(const Zyl_GeMatrix3d& matrice) {
    if (!m_polilinea) return;
    ads_matrix m;
    matrice.getMatrix(m);
    RototraslaDATIPOLI(m_polilinea, m);
}

double CAsseRamo::getDirezione() {
    if (m_direzioneIncrocio != 0.0) return m_direzioneIncrocio;
    ads_point p;
    double direzione = 0.0;
    if (m_polilinea && XYdaProgsuDatiPoli(m_polilinea, m_polilinea->prog, p, &direzione) == 0)
        m_direzioneIncrocio = direzione;
    return m_direzioneIncrocio;
}

void CAsseRamo::impostaNomeEsportazione(bool secondo) {
    m_nomeEsportazione = m_nome;
    if (secondo) m_nomeEsportazione += L"(2)";
}

bool CAsseRamo::confrontaPosizione(const CAsseRamo* altro) const {
    return altro && m_posizioneAnello > altro->m_posizioneAnello;
}

void CAsseRamo::azzera() {
    m_nonTrovato = true;
    m_posizioneAnello = -1.0;
    m_entita = ZylPolylineID();
    m_lunghezza = 0.0;
    // The alignment's edges are assigned again at every reading: one erased
    // since the last reading must not shape the branch any more.
    for (datipoli*& c : m_cigli) LiberaDATIPOLI(&c);
}
