// Drawing the 3D model: the block reference that carries the roundabout's
// settings, the stations of the carriageway strips, and every edge's drawing.
#include <cmath>
#include <utility>

#include "CCiglio3D.h"
#include "CPuntiCiglio.h"
#include "CRotatoria3D.h"
#include "DistanzaDirezionale.h"
#include "GyroformCodici.h"
#include "ICQvLorvent.h"
#include "Ombrix.h"

namespace {

constexpr double kTolProg = 1e-9;
// More stations than this between two sections is no span of a roundabout
// (and more than any integer should count).
constexpr double kStazioniMassime = 1e9;
constexpr double kDistanzaRicerca = 100.0;
const double kMezzoPi = std::acos(-1.0) / 2.0;

// The rows of one edge that a station fills: its 3D points, then the
// (chainage, elevation, 0) rows of the methods by profile, by rotation and,
// for ring edges, by plane.
struct Righe {
    explicit Righe(CCiglio3D* c) : ciglio(c), anello(c->getAsseRamo() == nullptr) {}

    void svuota() {
        ciglio->getPunti3DCiglio()->Clear();
        ciglio->svuotaInterruzioni();
        for (int tipo : {TIPO_PUNTOVERTICE, TIPO_PUNTOROTAZIONE})
            if (CADDatoArray* r = ciglio->getPuntiAltCiglio(tipo)) r->Clear();
    }

    void aggiungiMetodi(double prog, int indice) {
        static const int metodi[3][2] = {{8, TIPO_PUNTOVERTICE}, {7, TIPO_PUNTOROTAZIONE}, {5, TIPO_PUNTOPIANO}};
        for (const auto& m : metodi) {
            if (m[0] == 5 && !anello) continue;
            double z = 0.0;
            CADDatoArray* riga = ciglio->getPuntiAltCiglio(m[1]);
            if (riga && ciglio->getQuotaDaProg(z, prog, m[0])) riga->Add(indice, prog, z, 0.0);
        }
    }

    CCiglio3D* ciglio;
    bool anello;
};

// The stations of one strip: E with its section points, O across it.
class Striscia {
public:
    Striscia(CCiglio3D* e, CCiglio3D* o, double passo) : m_e(e), m_o(o), m_passo(passo) {}

    void campiona() {
        if (m_e.anello && m_o.anello) {
            for (CCiglio3D* c : {m_e.ciglio, m_o.ciglio})
                if (CADDatoArray* r = c->getPuntiAltCiglio(TIPO_PUNTOPIANO)) r->Clear();
        }
        m_e.svuota();
        m_o.svuota();
        CPuntoSezione* q = nullptr;
        IQvObject_Group* gruppo = m_e.ciglio->getPunti(GRUPPO_CIGLIO);
        for (IQvObject_GroupMember* m = gruppo ? gruppo->GetFirstMember() : nullptr; m; m = m->GetNext()) {
            auto* p = dynamic_cast<CPuntoSezione*>(m->GetObject());
            if (!p) continue;
            double progP = p->getProgressiva();
            if (std::fabs(progP) <= kTolProg) {
                q = p;
                continue;
            }
            CPuntoSezione* l = Collegato(p);
            if (l && l->getProprietario() == m_o.ciglio) {
                sezioneTraICigli(q, p, l);
            } else if (l && l->getProprietario()) {
                versoAltroCiglio(q, p, l);
            } else {
                p->setIndice(m_indice);
            }
            q = p;
        }
        coda(q);
    }

private:
    // The section point's link across the strip: the previous neighbour, or
    // the next one when it has none.
    static CPuntoSezione* Collegato(CPuntoSezione* p) {
        if (!p) return nullptr;
        return p->getPrecedente() ? p->getPrecedente() : p->getSuccessivo();
    }

    // Both edges cut by one cross-section: stations at most one step apart
    // on the longer of the two spans.
    void sezioneTraICigli(CPuntoSezione* q, CPuntoSezione* p, CPuntoSezione* l) {
        double progQ = q ? q->getProgressiva() : 0.0;
        CPuntoSezione* ql = Collegato(q);
        double spanE = p->getProgressiva() - progQ;
        double spanO = ql && ql->getProprietario() == m_o.ciglio ? l->getProgressiva() - ql->getProgressiva()
                                                                 : l->getProgressiva();
        double span = std::max(spanE, spanO);
        // Section points out of chainage order make no stations.
        if (std::isfinite(span) && spanE >= 0.0 && span / m_passo < kStazioniMassime) {
            long long n = static_cast<long long>(span / m_passo);
            double passo = n > 0 ? spanE / static_cast<double>(n + 1) : 0.0;
            for (long long k = 0; k <= n; ++k) stazione(progQ + static_cast<double>(k) * passo, false, true);
        }
        p->setIndice(m_indice);
        l->setIndice(m_indice - m_indiceAltro);
    }

    // A branch edge's stretch along the outer ring: the ring's 3D points
    // between the two cross-sections, each at its foot on E.
    void versoAltroCiglio(CPuntoSezione* q, CPuntoSezione* p, CPuntoSezione* l) {
        CCiglio3D* altro = l->getProprietario();
        const CADDatoArray& riga = *altro->getPunti3DCiglio();
        int m = riga.GetCount();
        CPuntoSezione* rif = Collegato(q);
        if (!rif) {
            IQvObject_Group* nodi = m_e.ciglio->getPunti(GRUPPO_NODO);
            IQvObject_GroupMember* primo = nodi ? nodi->GetFirstMember() : nullptr;
            auto* nodo = primo ? dynamic_cast<CPuntoCiglio*>(primo->GetObject()) : nullptr;
            IQvObject_GroupMember* trovato =
                nodo ? altro->trovaPuntoRiferimento(GRUPPO_CIGLIO, 1, nodo->getValoreRif()) : nullptr;
            rif = trovato ? dynamic_cast<CPuntoSezione*>(trovato->GetObject()) : nullptr;
        }
        bool destro = m_e.ciglio->getCodiceEnum() == CIGLIO_ESTERNO_DESTRO;
        long long n = 0;
        if (rif && m > 0) {
            long long a = destro ? l->getIndice() : rif->getIndice();
            long long b = destro ? rif->getIndice() : l->getIndice();
            n = (b - a) - 1;
            if (b < a) n += m;
        }
        for (long long j = 0; j <= n; ++j) {
            if (m_primaStazione) {
                stazione(0.0, false, false);
                continue;
            }
            // Without the ring's points there is nothing to take.
            if (m == 0) continue;
            long long posizione = destro ? l->getIndice() + (n + 1) - j : l->getIndice() + (j - 1) - n;
            double punto[3];
            riga[static_cast<int>(((posizione % m) + m) % m)].GetPunto(punto);
            ads_point pt = {punto[0], punto[1], 0.0};
            double prog = 0.0;
            if (DistPPoly(m_e.ciglio->getPolilinea(), pt, nullptr, nullptr, &prog, nullptr, nullptr, nullptr, 1))
                stazione(prog, false, false);
        }
        m_indiceAltro = m_indice;
        p->setIndice(m_indice);
    }

    // After the last section point: stations one step apart at most, then
    // the end of the edge.
    void coda(CPuntoSezione* r) {
        double progR = r ? r->getProgressiva() : 0.0;
        double resto = m_e.ciglio->getLunghezza() - progR;
        if (resto >= m_passo && resto / m_passo < kStazioniMassime) {
            long long n = static_cast<long long>(resto / m_passo);
            double passo = resto / static_cast<double>(n + 1);
            for (long long k = 0; k <= n; ++k) stazione(progR + static_cast<double>(k) * passo, false, true);
        }
        stazione(m_e.ciglio->getLunghezza(), true, true);
    }

    // One station: E's point, elevation and method rows; across the strip
    // O's point with the same index.
    void stazione(double prog, bool fine, bool conAltro) {
        CCiglio3D* e = m_e.ciglio;
        ads_point pt = {0, 0, 0};
        double direzione = 0.0;
        if (fine) {
            Zyl_GePoint3d inizio;
            if (!e->getPuntoIniziale(inizio)) return;
            pt[0] = inizio.x, pt[1] = inizio.y;
        } else if (XYdaProgsuDatiPoli(e->getPolilinea(), prog, pt, &direzione) != 0) {
            return;
        }
        m_primaStazione = false;
        double z = 0.0;
        bool conQuota = e->getQuotaDaProg(z, prog, 0) != 0;
        if (conQuota) {
            // After stations left out the next one is no neighbour of the last.
            if (m_saltate && m_indice > 0) {
                e->segnaInterruzione(m_indice);
                m_o.ciglio->segnaInterruzione(m_indice);
            }
            m_saltate = false;
            e->getPunti3DCiglio()->Add(++m_indice, pt[0], pt[1], z);
        } else {
            m_saltate = true;
        }
        m_e.aggiungiMetodi(prog, m_indice);
        // A station that E cannot place in height does not exist on O either:
        // the rows of both edges pair by index.
        if (!conAltro || !conQuota) return;

        CCiglio3D* o = m_o.ciglio;
        ads_point piede = {0, 0, 0};
        double progO = 0.0;
        bool inizioO = false;
        if (fine) {
            Zyl_GePoint3d inizio;
            if (!o->getPuntoIniziale(inizio)) return;
            piede[0] = inizio.x, piede[1] = inizio.y;
            progO = o->getLunghezza();
        } else if (m_e.anello && m_o.anello && std::fabs(prog) <= kTolProg) {
            inizioO = true;
        } else if (!DistPPolyDir(o->getPolilinea(), pt, direzione + kMezzoPi, kDistanzaRicerca, nullptr, piede,
                                 &progO, nullptr)) {
            if (std::fabs(prog) > kTolProg) return;
            inizioO = true;
        }
        if (inizioO) {
            progO = 0.0;
            if (XYdaProgsuDatiPoli(o->getPolilinea(), 0.0, piede, nullptr) != 0) return;
        }
        double zO = 0.0;
        if (o->getQuotaDaProg(zO, progO, 0)) o->getPunti3DCiglio()->Add(m_indice, piede[0], piede[1], zO);
        m_o.aggiungiMetodi(progO, m_indice);
    }

    Righe m_e, m_o;
    double m_passo;
    int m_indice = 0;
    int m_indiceAltro = 0;  // the index reached at the last stretch along another edge
    bool m_primaStazione = true;
    bool m_saltate = false;  // stations left out since the last index
};

CADDatoArray Filtro(const wchar_t* tipo) {
    CADDatoArray f;
    f.Add(5020, tipo);
    return f;
}

}  // namespace

bool CRotatoria3D::passoValido(double passo) {
    return std::isfinite(passo) && passo >= kPassoMinimo && passo <= kPassoMassimo;
}

int CRotatoria3D::setPassoDiscr(double passoDiscr) {
    if (!passoValido(passoDiscr)) {
        rifiutaPasso(L"Passo di discretizzazione non ammesso: ", passoDiscr);
        return 0;
    }
    m_passoDiscr = passoDiscr;
    return 1;
}

void CRotatoria3D::calcolaSuperfici() {
    if (!m_cigli || !passoValido(m_passoDiscr)) return;
    for (IQvObject_GroupMember* m = m_cigli->GetFirstMember(); m; m = m->GetNext()) {
        auto* e = static_cast<CCiglio3D*>(m->GetObject());
        IQvObject_GroupMember* altro = nullptr;
        int atteso = 0;
        switch (e->getCodiceEnum()) {
            case CIGLIO_ANELLO_ESTERNO: altro = m->GetPrevious(), atteso = CIGLIO_ANELLO_INTERNO; break;
            case CIGLIO_ESTERNO_DESTRO: altro = m->GetPrevious(), atteso = CIGLIO_INTERNO_DESTRO; break;
            case CIGLIO_ESTERNO_SINISTRO: altro = m->GetNext(), atteso = CIGLIO_INTERNO_SINISTRO; break;
            default: continue;
        }
        auto* o = altro ? static_cast<CCiglio3D*>(altro->GetObject()) : nullptr;
        // A strip whose other edge is missing is not sampled (it would run
        // across the island or the ring to whatever edge comes next).
        if (!o || o->getCodiceEnum() != atteso || o->getAsseRamo() != e->getAsseRamo()) continue;
        Striscia(e, o, m_passoDiscr).campiona();
    }
}

CADDatoArray CRotatoria3D::datiRiferimento() const {
    CADDatoArray estesi;
    estesi.Add(1001, APP_ROTATORIA_3D);
    estesi.Add(1071, 1);
    estesi.Add(1071, DATO_ROTATORIA_PIANTA);
    estesi.Add(1000, m_nomePianta.GetString());
    estesi.Add(1071, DATO_ROTATORIA_NOME);
    estesi.Add(1000, m_nome.GetString());
    // Maximum slope before minimum slope: the order the reader has always met.
    const std::pair<int, double> reali[] = {{DATO_ROTATORIA_PASSO_SEZIONI, m_passoSezioni},
                                            {DATO_ROTATORIA_PASSO_DISCR, m_passoDiscr},
                                            {DATO_ROTATORIA_QUOTA_RIF, m_quotaRiferimento},
                                            {DATO_ROTATORIA_PEND_MAX, m_pendMax},
                                            {DATO_ROTATORIA_PEND_MIN, m_pendMin}};
    for (const auto& [chiave, valore] : reali) {
        estesi.Add(1071, chiave);
        estesi.Add(1040, valore);
    }
    estesi.Add(1071, DATO_ROTATORIA_RICALCOLA_PENDENZE);
    estesi.Add(1071, m_ricalcolaPendenzeRami);
    CADDatoArray proprieta;
    proprieta.Add(10, m_centro);
    proprieta.Add(-3, estesi);
    return proprieta;
}

int CRotatoria3D::disegna3D(ICCiglio3D* /*ciglioChanged*/) {
    ICQvLorvent* lorvent = getLorvent();
    lorvent->DisegnoLayer(true, m_prefissoLayer.GetString());
    int esito = disegnaNelBlocco();
    lorvent->DisegnoLayer(false, m_prefissoLayer.GetString());
    return esito;
}

int CRotatoria3D::disegnaNelBlocco() {
    IEntityUtils* utils = Ombrix::GetEntityUtils();
    CADDatoArray proprieta = datiRiferimento();
    int esito = 0;
    if (!m_riferimento.IsVivo()) {
        esito = utils->InserisciBlocco(m_riferimento, m_blocco, proprieta);
    } else {
        esito = m_riferimento.SetDati(proprieta);
        // A model read again may have a block the reference does not show.
        if (m_blocco.Esiste() && m_riferimento.GetBlocco().GetObjectId() != m_blocco.GetObjectId())
            m_riferimento.SetBlocco(m_blocco);
    }
    if (!m_blocco.Esiste()) return esito;

    for (const wchar_t* tipo : {L"LINE", L"TEXT", L"3DFACE"}) {
        CADDatoArray entita;
        utils->Seleziona(entita, L"X", Filtro(tipo), m_blocco);
        for (int i = 0; i < entita.GetCount(); ++i) utils->Cancella(entita[i].GetEntityID());
    }
    calcolaSuperfici();
    if (!m_cigli || !m_cigli->GetFirstMember()) return esito;
    for (IQvObject_GroupMember* m = m_cigli->GetFirstMember(); m; m = m->GetNext()) {
        auto* c = static_cast<CCiglio3D*>(m->GetObject());
        c->disegnaCiglio();
        esito = c->aggiornaDatiEstesi();
    }
    // A model with an edge that could not be computed is drawn without that
    // edge's surfaces: not a success.
    return segnalaCigliNonCalcolati() ? 0 : esito;
}
