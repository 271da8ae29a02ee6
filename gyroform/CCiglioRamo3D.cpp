#include "CCiglioRamo3D.h"

#include <cmath>

#include "CAsseRamo.h"
#include "CPuntiCiglio.h"
#include "CRotatoria3D.h"
#include "DistanzaDirezionale.h"
#include "GyroformCodici.h"
#include "GyroformUtil.h"

namespace {

constexpr double kTol = 1e-6;
constexpr double kDistanzaRicerca = 100.0;
const double kMezzoPi = std::acos(-1.0) / 2.0;

}  // namespace

CCiglioRamo3D::~CCiglioRamo3D() { m_asse = nullptr; }

bool CCiglioRamo3D::IsA(int tipo) const { return tipo == TIPO_CIGLIORAMO3D || tipo == TIPO_CIGLIO_GENERICO; }

int CCiglioRamo3D::GetTipo() const { return TIPO_CIGLIORAMO3D; }

int CCiglioRamo3D::LeggiDato(int id, CDato& dato) const {
    dato.SetId(id);
    switch (id) {
        case DATO_CIGLIO_HANDLE_ASSE:
            if (!m_handleAsse.IsEmpty()) dato = CDato(id, m_handleAsse);
            else if (m_asse) dato = CDato(id, CString(m_asse->getEntita().GetHandle()));
            else return 0;
            return 1;
        case DATO_CIGLIO_NOME_ASSE:
            if (!m_nomeAsse.IsEmpty()) dato = CDato(id, m_nomeAsse);
            else if (m_asse) dato = CDato(id, m_asse->getNome());
            else return 0;
            return 1;
        case DATO_CIGLIO_POSIZIONE_ANELLO:
            if (m_posizioneAnello >= 0.0) dato = CDato(id, m_posizioneAnello);
            else if (m_asse) dato = CDato(id, m_asse->getPosizioneAnello());
            else return 0;
            return 1;
        case DATO_CIGLIO_QUOTA_CENTRI:
            dato = CDato(id, m_asse ? m_asse->getQuotaCentriRotazione() : m_quotaCentri);
            return 1;
        case DATO_CIGLIO_PENDENZA_CENTRI:
            dato = CDato(id, m_asse ? m_asse->getPendenzaLongCentriDiRotazione() : m_pendenzaCentri);
            return 1;
        case DATO_CIGLIO_DIREZIONE:
            dato = CDato(id, m_asse ? (m_asse->getDirezioneTracciato() ? 1 : 0) : m_direzione);
            return 1;
        default: return CCiglio3D::LeggiDato(id, dato);
    }
}

int CCiglioRamo3D::SetDato(const CDato& dato, int modo) {
    switch (dato.GetId()) {
        case DATO_CIGLIO_HANDLE_ASSE: m_handleAsse = dato.GetString(); return 1;
        case DATO_CIGLIO_NOME_ASSE: m_nomeAsse = dato.GetString(); return 1;
        case DATO_CIGLIO_POSIZIONE_ANELLO: m_posizioneAnello = dato.GetDouble(); return 1;
        case DATO_CIGLIO_QUOTA_CENTRI: m_quotaCentri = dato.GetDouble(); return 1;
        case DATO_CIGLIO_PENDENZA_CENTRI: m_pendenzaCentri = dato.GetDouble(); return 1;
        case DATO_CIGLIO_DIREZIONE: m_direzione = static_cast<int>(dato.GetInt()); return 1;
        default: return CCiglio3D::SetDato(dato, modo);
    }
}

int CCiglioRamo3D::GetElencoDati(CDato** dati, int* numero, int /*contesto*/) const {
    std::vector<CDato> voci;
    vociComuni(voci);
    static const int proprie[6][2] = {{CDato::Testo, 13}, {CDato::Testo, 14}, {CDato::Reale, 15},
                                      {CDato::Intero, 21}, {CDato::Reale, 19}, {CDato::Reale, 20}};
    for (const auto& p : proprie) {
        CDato d(p[1]);
        d.SetTipo(p[0]);
        voci.push_back(d);
    }
    return consegnaElenco(voci, dati, numero);
}

CADDatoArray* CCiglioRamo3D::getPuntiAltCiglio(int tipoGruppo) {
    switch (tipoGruppo) {
        case TIPO_PUNTOVERTICE: return &m_rigaProfilo;
        case TIPO_PUNTOROTAZIONE: return &m_rigaRotazione;
        default: return nullptr;
    }
}

// The methods and the hand-over are filled by the elevation methods.
void CCiglioRamo3D::getTipiCalcolo(CADDatoArray& tipiCalcolo) { elencoMetodi(tipiCalcolo, false); }
int CCiglioRamo3D::calcolaProfilo(int, IQvObject_GroupMember*, CDato) { return 0; }
int CCiglioRamo3D::calcolaRotazione(int, IQvObject_GroupMember*, CDato) { return 0; }
int CCiglioRamo3D::adattaPunti(CPuntoNodo*, CPuntoNodo*) { return 0; }
CCiglio3D* CCiglioRamo3D::getSecondoNodo(CPuntoNodo*& /*collegato*/) { return nullptr; }

void CCiglioRamo3D::azzera() {
    CCiglio3D::azzera();
    m_handleAsse.Empty();
    m_nomeAsse.Empty();
    m_posizioneAnello = -1.0;
}

int CCiglioRamo3D::inizializzaCiglio(CRotatoria3D* rotatoria, const wchar_t* codice, CAsseRamo* asse,
                                     datipoli* polilinea, datipoli* ultimo) {
    struct Voce {
        const wchar_t* codice;
        int numero;
        const wchar_t* suffisso;
    };
    static const Voce voci[] = {{L"rCIIn", CIGLIO_INTERNO_DESTRO, L" Interno destro"},
                                {L"rCEIn", CIGLIO_ESTERNO_DESTRO, L" Esterno destro"},
                                {L"rCIOut", CIGLIO_INTERNO_SINISTRO, L" Interno sinistro"},
                                {L"rCEOut", CIGLIO_ESTERNO_SINISTRO, L" Esterno sinistro"}};
    m_asse = asse;
    m_descrizione = asse ? asse->getNomeEsportazione() : CString();
    CString c(codice);
    for (const Voce& v : voci) {
        if (c != v.codice) continue;
        m_codiceEnum = v.numero;
        m_descrizione += gyroform::Traduci(v.suffisso);
        break;
    }
    datipoli* fine = ultimo ? ultimo : gyroform::UltimoNodo(polilinea);
    if (asse && fine) {
        double p[3] = {fine->x, fine->y, fine->z};
        asse->calcolaLunghezza(p);
    }
    CCiglio3D::inizializzaCiglio(rotatoria, codice, asse, polilinea, ultimo);
    return 1;
}

bool CCiglioRamo3D::precede(CCiglio3D* nuovo) {
    if (!nuovo) return false;
    if (nuovo->IsA(TIPO_CIGLIOANELLO3D)) return true;
    CAsseRamo* altro = nuovo->getAsseRamo();
    if (altro != m_asse) return m_asse && m_asse->confrontaPosizione(altro);
    if (m_codiceEnum == nuovo->getCodiceEnum()) {
        mostraMessaggio(m_descrizione + gyroform::Traduci(L": ciglio doppio!"));
        return false;
    }
    return m_codiceEnum > nuovo->getCodiceEnum();
}

int CCiglioRamo3D::getPuntoIniziale(Zyl_GePoint3d& punto) {
    IQvObject_GroupMember* ultimo = m_nodi ? m_nodi->GetLastMember() : nullptr;
    auto* nodo = ultimo ? dynamic_cast<CPuntoCiglio*>(ultimo->GetObject()) : nullptr;
    if (!nodo) return 0;
    punto = Zyl_GePoint3d(nodo->x(), nodo->y(), nodo->z());
    return 1;
}

void CCiglioRamo3D::valoriLato(double& i, double& k, double& w) const {
    bool destro = m_codiceEnum == CIGLIO_INTERNO_DESTRO || m_codiceEnum == CIGLIO_ESTERNO_DESTRO;
    i = destro ? m_asse->getValoreA() : m_asse->getValoreB();
    k = destro ? m_asse->getGradienteA() : m_asse->getGradienteB();
    w = destro ? m_asse->getSecondoA() : m_asse->getSecondoB();
}

void CCiglioRamo3D::sostituisciFine(datipoli* taglio) {
    if (!taglio || !m_ultimo) {
        LiberaDATIPOLI(&taglio);
        return;
    }
    m_ultimo->x = taglio->x;
    m_ultimo->y = taglio->y;
    m_ultimo->z = taglio->z;
    m_ultimo->bulge = taglio->bulge;
    m_ultimo->next = taglio->next;
    taglio->next = nullptr;
    LiberaDATIPOLI(&taglio);
    ProgDATIPOLI(m_polilinea, 0.0, &m_lunghezza);
    m_ultimo = gyroform::UltimoNodo(m_polilinea);
}

int CCiglioRamo3D::calcolaGeometria(CPuntoNodo* incontro, CPuntoNodo** nodoSinistro) {
    CCiglio3D* anello = m_rotatoria ? m_rotatoria->getAnelloEsterno() : nullptr;
    const CString fuoriAnello = m_descrizione + gyroform::Traduci(L": Il primo punto deve trovarsi sull'anello esterno.");
    if (!m_polilinea || !m_ultimo || !m_asse) return 0;
    if (!anello || !anello->getPolilinea()) {
        mostraMessaggio(fuoriAnello);
        return 0;
    }
    const double t[3] = {m_ultimo->x, m_ultimo->y, 0.0};

    if (m_nodi) m_nodi->Empty();

    // The first vertex on the outer ring: the first node.
    ads_point primo = {m_polilinea->x, m_polilinea->y, 0.0};
    double scarto = 0.0, progAnello = 0.0;
    double lunghezzaAnello = anello->getLunghezza();
    if (!DistPPoly(anello->getPolilinea(), primo, &scarto, nullptr, &progAnello, nullptr, nullptr, nullptr, 1) ||
        scarto > kTol || lunghezzaAnello <= 0.0) {
        mostraMessaggio(fuoriAnello);
        return 0;
    }
    if (std::fabs(progAnello - lunghezzaAnello) <= kTol) progAnello = 0.0;
    creaPuntoNodo(progAnello / lunghezzaAnello, 0.0, 1, primo);

    // The axis end, and the axis seen across from the edge's end.
    datipoli* asse = m_asse->getPolilinea();
    double lunghezzaAsse = m_asse->getLunghezzaAsse();
    ads_point fineAsse = {0, 0, 0}, fineCiglio, piede = {0, 0, 0};
    double direzione = 0.0, d = 0.0, progPiede = 0.0;
    if (asse) XYdaProgsuDatiPoli(asse, lunghezzaAsse, fineAsse, nullptr);
    XYdaProgsuDatiPoli(m_polilinea, m_lunghezza, fineCiglio, &direzione);
    ads_point da = {t[0], t[1], 0.0};
    bool incontrato = asse && DistPPolyDir(asse, da, direzione + kMezzoPi, kDistanzaRicerca, &d, piede, &progPiede,
                                           nullptr) == 1;
    double zc = m_asse->getQuotaCentriRotazione(), sc = m_asse->getPendenzaLongCentriDiRotazione();
    double i = 0.0, k = 0.0, w = 0.0;
    valoriLato(i, k, w);
    bool esterno = m_codiceEnum == CIGLIO_ESTERNO_DESTRO || m_codiceEnum == CIGLIO_ESTERNO_SINISTRO;

    // The edge ends at or beyond the axis end: its end is the last node.
    if (!incontrato || progPiede >= lunghezzaAsse - kTol) {
        CPuntoNodo* nodo = creaPuntoNodo(1.0, 1.0, 2, t);
        if (nodo) {
            nodo->setQuota(esterno ? (std::fabs(d) - w) * i + zc : zc);
            nodo->setPendenza(esterno ? std::fabs(d) * k + sc : sc);
        }
        return 1;
    }

    // Along the alignment's edge of this side up to the axis end.
    if (datipoli* lato = m_asse->getPolilineaCiglio(m_codiceEnum)) {
        double p1 = lato->prog, p2 = gyroform::UltimoNodo(lato)->prog, o = 0.0;
        ads_point f1, f2 = {fineAsse[0], fineAsse[1], 0.0};
        if (!DistPPoly(lato, piede, nullptr, f1, &p1, nullptr, nullptr, nullptr, 1))
            mostraMessaggio(m_descrizione + gyroform::Traduci(L": Errore proiezione punto finale sul ciglio tracciato"));
        if (!DistPPoly(lato, fineAsse, &o, f2, &p2, nullptr, nullptr, nullptr, 1))
            mostraMessaggio(m_descrizione +
                            gyroform::Traduci(L": Errore proiezione punto finale asse sul ciglio tracciato"));
        datipoli* taglio = nullptr;
        if (estraiCopiaDATIPOLI(lato, &p1, &p2, &taglio) == 1) sostituisciFine(taglio);
        if (CPuntoNodo* nodo = creaPuntoNodo(1.0, 1.0, 2, f2)) {
            nodo->setQuota((std::fabs(o) - w) * i + zc);
            nodo->setPendenza(std::fabs(o) * k + sc);
            nodo->setGrigio(true);
        }
        return 1;
    }

    if (esterno) {
        mostraMessaggio(m_asse->getNome() + gyroform::Traduci(L": Ciglio esterno non trovato"));
        return 0;
    }

    // An island edge: along the axis from where it faces it to the axis end.
    datipoli* taglio = nullptr;
    double q = lunghezzaAsse > 0.0 ? progPiede / lunghezzaAsse : 0.0;
    double g[3] = {piede[0], piede[1], 0.0};
    if (estraiCopiaDATIPOLI(asse, &progPiede, &lunghezzaAsse, &taglio) == 1) {
        g[0] = taglio->x;
        g[1] = taglio->y;
        sostituisciFine(taglio);
    }
    if (m_codiceEnum == CIGLIO_INTERNO_SINISTRO && incontro) {
        incontro->imposta(this, q, 0.0, 2, g);
    } else if (m_codiceEnum == CIGLIO_INTERNO_DESTRO && incontro) {
        CCiglio3D* sinistro = incontro->getProprietario();
        if (sinistro && sinistro->getAsseRamo() == m_asse) {
            double m[3] = {g[0], g[1], 0.0};
            if (incontro->getValoreRif() > q) {
                q = incontro->getValoreRif();
                incontro->getPunto(m);
                m[2] = 0.0;
            }
            auto posizioneSu = [&m](CCiglio3D* ciglio) {
                double prog = 0.0;
                ads_point p = {m[0], m[1], 0.0};
                if (!DistPPoly(ciglio->getPolilinea(), p, nullptr, nullptr, &prog, nullptr, nullptr, nullptr, 1))
                    DistPPoly(ciglio->getPolilinea(), p, nullptr, nullptr, &prog, nullptr, nullptr, nullptr, 0);
                return ciglio->getLunghezza() > 0.0 ? prog / ciglio->getLunghezza() : 0.0;
            };
            CPuntoNodo* mio = creaPuntoNodo(q, posizioneSu(this), 2, m);
            CPuntoNodo* suo = sinistro->creaPuntoNodo(q, posizioneSu(sinistro), 2, m);
            if (mio && suo) {
                mio->setCollegato(suo);
                suo->setCollegato(mio);
            }
        }
        const double zero[3] = {0.0, 0.0, 0.0};
        incontro->imposta(nullptr, 0.0, 0.0, 0, zero);
    }

    CPuntoNodo* fine = creaPuntoNodo(1.0, 1.0, 2, fineAsse);
    if (fine) {
        fine->setQuota(zc);
        fine->setPendenza(sc);
        fine->setGrigio(true);
    }
    if (m_codiceEnum == CIGLIO_INTERNO_SINISTRO && nodoSinistro) {
        *nodoSinistro = fine;
    } else if (m_codiceEnum == CIGLIO_INTERNO_DESTRO && nodoSinistro && *nodoSinistro) {
        CCiglio3D* sinistro = (*nodoSinistro)->getProprietario();
        if (fine && sinistro && sinistro->getAsseRamo() == m_asse) {
            fine->setCollegato(*nodoSinistro);
            (*nodoSinistro)->setCollegato(fine);
        }
        *nodoSinistro = nullptr;
    }
    return 1;
}
