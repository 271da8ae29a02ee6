// The roundabout's computation of elevations: the first full computation
// after a read, the recompute after an edit with its propagation from the
// ring to the branches, and the cross-sections the methods read.
#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "CAsseRamo.h"
#include "CCiglio3D.h"
#include "CPuntiCiglio.h"
#include "CRotatoria3D.h"
#include "DistanzaDirezionale.h"
#include "GyroformCodici.h"
#include "GyroformUtil.h"
#include "LeggiDatiPoli.h"

namespace {

const double kMezzoPi = 1.5707963267948966;
constexpr double kTolRiferimento = 1e-6;
// Consecutive section points this close in reference value get nothing between them.
constexpr double kScartoSezioni = 0.01;

bool IsAnello(CCiglio3D* c) {
    return c->getCodiceEnum() == CIGLIO_ANELLO_INTERNO || c->getCodiceEnum() == CIGLIO_ANELLO_ESTERNO;
}

// The default method of an edge whose method is still 0.
int MetodoDefault(int codice) {
    switch (codice) {
        case CIGLIO_ANELLO_ESTERNO: return 5;
        case CIGLIO_INTERNO_SINISTRO:
        case CIGLIO_INTERNO_DESTRO: return 8;
        default: return 7;
    }
}

// The default reference of an edge: its code, or 0 to leave the reference as it is.
int RiferimentoDefault(CCiglio3D* c, int metodo) {
    const CString rif = c->getCodiceRif();
    switch (c->getCodiceEnum()) {
        case CIGLIO_ANELLO_INTERNO: return metodo == 7 ? CIGLIO_ANELLO_ESTERNO : 0;
        case CIGLIO_ANELLO_ESTERNO: return metodo == 7 ? CIGLIO_ANELLO_INTERNO : 0;
        case CIGLIO_ESTERNO_SINISTRO: return metodo == 7 ? CIGLIO_INTERNO_SINISTRO : 0;
        case CIGLIO_ESTERNO_DESTRO: return metodo == 7 ? CIGLIO_INTERNO_DESTRO : 0;
        // The island edges keep the reference their stored code names, whatever the method.
        case CIGLIO_INTERNO_SINISTRO:
            return rif == L"rCIIn" ? CIGLIO_INTERNO_DESTRO : rif == L"rCEOut" ? CIGLIO_ESTERNO_SINISTRO : 0;
        case CIGLIO_INTERNO_DESTRO:
            return rif == L"rCIOut" ? CIGLIO_INTERNO_SINISTRO : rif == L"rCEIn" ? CIGLIO_ESTERNO_DESTRO : 0;
        default: return 0;
    }
}

// True when the segment from a to b crosses the polyline.
bool Attraversa(const double a[3], const double b[3], const datipoli* polilinea) {
    datipoli *testa = nullptr, *coda = nullptr;
    ads_point pa = {a[0], a[1], 0.0}, pb = {b[0], b[1], 0.0};
    AggpuntoDATIPOLI(pa, 0, &testa, &coda);
    AggpuntoDATIPOLI(pb, 0, &testa, &coda);
    CADDatoArray incroci;
    int n = Inters_2_DATIPOLI_2D(testa, polilinea, incroci, 1e-6, 1e-6, 0);
    LiberaDATIPOLI(&testa);
    return n > 0;
}

}  // namespace

int CRotatoria3D::inizializzaCalcolo() {
    if (!m_cigli) return 1;
    std::vector<CCiglio3D*> cigli = gyroform::Oggetti<CCiglio3D>(m_cigli);
    for (CCiglio3D* c : cigli) {
        if (!IsAnello(c)) continue;
        c->calcolaPiano();
        c->calcolaProfilo(0, nullptr, CDato());
    }
    for (CCiglio3D* c : cigli)
        if (IsAnello(c)) c->calcolaRotazione(0, nullptr, CDato());
    for (CCiglio3D* c : cigli) {
        int metodo = c->getTipoCalcolo();
        if (metodo == 0) metodo = MetodoDefault(c->getCodiceEnum());
        // What cannot be applied is told by the recompute, naming the edge.
        c->impostaMetodo(metodo, false);
        if (int rif = RiferimentoDefault(c, metodo)) c->impostaRiferimento(rif, false);
    }
    calcolaNodiESezioni();

    CCiglio3D* esterno = getAnelloEsterno();
    if (!esterno) {
        riordinaPunti();
        return 1;
    }
    int gruppo = 0;
    switch (esterno->getTipoCalcolo()) {
        case 5: gruppo = TIPO_PUNTOPIANO; break;
        case 7: gruppo = TIPO_PUNTOROTAZIONE; break;
        case 8: gruppo = TIPO_PUNTOVERTICE; break;
        default: riordinaPunti(); return 1;
    }
    ricalcola(esterno, 2, gruppo, nullptr, CDato());
    return 1;
}

int CRotatoria3D::ricalcola(ICCiglio3D* ciglio, int tipoEvento, int tipoGruppoPunti, IQvObject_GroupMember* punto,
                            CDato dato) {
    // The recomputes a recompute starts answer to it; the first one tells
    // the user which profiles could not be computed, and fails with them.
    if (m_ricalcoli > 0) return ricalcolaCiglio(ciglio, tipoEvento, tipoGruppoPunti, punto, dato);
    ++m_ricalcoli;
    ricalcolaCiglio(ciglio, tipoEvento, tipoGruppoPunti, punto, dato);
    --m_ricalcoli;
    riordinaPunti();
    return segnalaCigliNonCalcolati() ? 0 : 1;
}

void CRotatoria3D::riordinaPunti() {
    // The computations move points that are already in their groups.
    for (CCiglio3D* c : gyroform::Oggetti<CCiglio3D>(m_cigli))
        for (int tipo : {GRUPPO_PIANO, GRUPPO_VERIFICA, GRUPPO_ROTAZIONE, GRUPPO_VERTICE})
            if (IQvObject_Group* gruppo = c->getPunti(tipo)) gruppo->Riordina();
}

std::vector<CCiglio3D*> CRotatoria3D::cigliNonCalcolati() const {
    std::vector<CCiglio3D*> cigli;
    for (CCiglio3D* c : gyroform::Oggetti<CCiglio3D>(m_cigli))
        if (!c->motivoNonCalcolato().IsEmpty()) cigli.push_back(c);
    return cigli;
}

bool CRotatoria3D::segnalaCigliNonCalcolati() const {
    const std::vector<CCiglio3D*> cigli = cigliNonCalcolati();
    for (CCiglio3D* c : cigli) gyroform::Messaggio(c->getDescrizione() + c->motivoNonCalcolato());
    return !cigli.empty();
}

int CRotatoria3D::ricalcolaCiglio(ICCiglio3D* ciglio, int tipoEvento, int tipoGruppoPunti,
                                  IQvObject_GroupMember* punto, CDato dato) {
    auto* c = dynamic_cast<CCiglio3D*>(ciglio);
    if (!c || !m_cigli) return 1;
    int atteso = 0;
    switch (tipoGruppoPunti) {
        case TIPO_PUNTOPIANO:
            atteso = 5;
            if (IsAnello(c)) c->calcolaPiano();
            break;
        case TIPO_PUNTOVERTICE:
            atteso = 8;
            c->calcolaProfilo(tipoEvento, punto, dato);
            for (CCiglio3D* altro : gyroform::Oggetti<CCiglio3D>(m_cigli))
                if (altro->getAsseRamo() == c->getAsseRamo())
                    ricalcolaCiglio(altro, -1, TIPO_PUNTOROTAZIONE, nullptr, dato);
            break;
        case TIPO_PUNTOROTAZIONE:
            atteso = 7;
            c->calcolaRotazione(tipoEvento, punto, dato);
            break;
        default: break;
    }
    // A propagation starts only from a ring edge with the method of the points edited.
    if (c->getTipoCalcolo() != atteso || !IsAnello(c)) return 1;

    std::vector<CCiglio3D*> cigli = gyroform::Oggetti<CCiglio3D>(m_cigli);
    CCiglio3D* esterno = nullptr;
    for (CCiglio3D* e : cigli) {
        if (IsAnello(e)) {
            if (e->getUsaPianoParallelo()) e->calcolaPiano();
            if (e->getCodiceEnum() == CIGLIO_ANELLO_ESTERNO) esterno = e;
            continue;
        }
        // The first node of every branch edge takes the ring's elevation and slope there.
        IQvObject_Group* nodi = e->getPunti(GRUPPO_NODO);
        auto* n = nodi && nodi->GetFirstMember() ? static_cast<CPuntoNodo*>(nodi->GetFirstMember()->GetObject()) : nullptr;
        if (!n || !esterno) continue;
        double z = 0.0;
        if (esterno->getQuotaDaProg(z, esterno->getLunghezza() * n->getValoreRif(), 0)) n->setQuota(z);
        // The ring's section at the node is the outer ring's (the branch
        // edge's own points across the ring stand at other branches' nodes).
        double pendenza = 0.0;
        IQvObject_GroupMember* m = esterno->trovaPuntoRiferimento(GRUPPO_CIGLIO, 1, n->getValoreRif());
        CPuntoSezione::calcolaPendenza(n, pendenza, m ? dynamic_cast<CPuntoSezione*>(m->GetObject()) : nullptr);
        n->setPendenza(pendenza);
    }
    for (int gruppo : {TIPO_PUNTOVERTICE, TIPO_PUNTOROTAZIONE})
        for (CCiglio3D* e : cigli)
            if (!IsAnello(e)) ricalcolaCiglio(e, -1, gruppo, nullptr, CDato());
    return 1;
}

int CRotatoria3D::calcolaNodiESezioni() {
    if (!m_cigli) return 1;
    std::vector<CCiglio3D*> cigli = gyroform::Oggetti<CCiglio3D>(m_cigli);
    for (CCiglio3D* c : cigli) c->svuotaPuntiSezione();
    CCiglio3D* esterno = getAnelloEsterno();
    CCiglio3D* interno = trovaCiglio(CIGLIO_ANELLO_INTERNO, nullptr);

    // Across the ring where each branch edge leaves it.
    for (CCiglio3D* c : cigli) {
        IQvObject_Group* nodi = c->getPunti(GRUPPO_NODO);
        auto* n = !IsAnello(c) && nodi && nodi->GetFirstMember()
                      ? static_cast<CPuntoNodo*>(nodi->GetFirstMember()->GetObject())
                      : nullptr;
        if (!n || !esterno || !esterno->getPolilinea()) continue;
        ads_point p = {n->x(), n->y(), 0.0};
        if (DistPPoly(esterno->getPolilinea(), p, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, 1) != 1) continue;
        CCiglio3D* vicino = nullptr;
        if (c->getCodiceEnum() == CIGLIO_INTERNO_DESTRO) vicino = trovaCiglio(CIGLIO_ESTERNO_DESTRO, c->getAsseRamo());
        if (c->getCodiceEnum() == CIGLIO_INTERNO_SINISTRO) vicino = trovaCiglio(CIGLIO_ESTERNO_SINISTRO, c->getAsseRamo());
        creaSezione(n->getValoreRif(), nullptr, nullptr, interno, esterno, vicino);
    }

    // The branch ends, and across each branch where its island edges meet.
    static const int codici[4] = {CIGLIO_ESTERNO_SINISTRO, CIGLIO_INTERNO_SINISTRO, CIGLIO_INTERNO_DESTRO,
                                  CIGLIO_ESTERNO_DESTRO};
    for (CAsseRamo* asse : gyroform::Oggetti<CAsseRamo>(m_assi)) {
        CCiglio3D* lati[4];
        CPuntoSezione* fini[4] = {nullptr, nullptr, nullptr, nullptr};
        for (int i = 0; i < 4; ++i) {
            lati[i] = trovaCiglio(codici[i], asse);
            IQvObject_Group* nodi = lati[i] ? lati[i]->getPunti(GRUPPO_NODO) : nullptr;
            IQvObject_GroupMember* ultimo = nodi ? nodi->GetLastMember() : nullptr;
            if (!ultimo) continue;
            auto* n = static_cast<CPuntoNodo*>(ultimo->GetObject());
            const double p[2] = {n->x(), n->y()};
            fini[i] = lati[i]->creaPuntoSezione(1.0, 1.0, 2, p);
        }
        for (int i = 0; i + 1 < 4; ++i) {
            if (!fini[i] || !fini[i + 1]) continue;
            fini[i]->setSuccessivo(fini[i + 1]);
            fini[i + 1]->setPrecedente(fini[i]);
        }
        CPuntoNodo* incontro = nullptr;
        for (CCiglio3D* isola : {lati[1], lati[2]}) {
            std::vector<CPuntoNodo*> nodi = gyroform::Oggetti<CPuntoNodo>(isola ? isola->getPunti(GRUPPO_NODO) : nullptr);
            if (nodi.size() >= 3) incontro = nodi[nodi.size() - 2];
        }
        if (incontro) creaSezione(incontro->getValoreRif(), asse, lati[0], lati[1], lati[2], lati[3]);
    }

    // Between consecutive sections further apart than the spacing. Each walk
    // visits the points its edge held when it started, in chainage order.
    for (CCiglio3D* c : cigli) {
        if (IsAnello(c) && c->getCodiceEnum() != CIGLIO_ANELLO_INTERNO) continue;
        std::vector<CPuntoSezione*> sezioni = SezioniInOrdine(c->getPunti(GRUPPO_CIGLIO));
        const bool chiuso = IsAnello(c);
        for (size_t i = 0; i < sezioni.size(); ++i) {
            CPuntoSezione* prima = i > 0 ? sezioni[i - 1] : (chiuso ? sezioni.back() : nullptr);
            double valorePrima = prima ? prima->getValoreRif() : 0.0;
            if (std::fabs(sezioni[i]->getValoreRif() - valorePrima) >= kScartoSezioni) creaSezioniTra(prima, sezioni[i]);
        }
    }
    return 1;
}

int CRotatoria3D::creaSezione(double valoreRif, CAsseRamo* asse, CCiglio3D* a, CCiglio3D* b, CCiglio3D* c,
                              CCiglio3D* d) {
    CCiglio3D* esterno = getAnelloEsterno();
    datipoli* base = asse ? asse->getPolilinea() : (esterno ? esterno->getPolilinea() : nullptr);
    double lunghezza = asse ? asse->getLunghezzaAsse() : (esterno ? esterno->getLunghezza() : 0.0);
    const int tipo = asse ? 2 : 1;
    ads_point p;
    double tangente = 0.0;
    if (!base || XYdaProgsuDatiPoli(base, valoreRif * lunghezza, p, &tangente) != 0) return 0;
    const double direzione = tangente + kMezzoPi;
    const double origine[3] = {p[0], p[1], 0.0};

    // The section point of an edge facing a point; null when none.
    auto punto = [&](CCiglio3D* ciglio, const double da[3], bool controllaAnello) -> CPuntoSezione* {
        double piede[3], prog = 0.0;
        if (!ciglio || ciglio->proiettaSuCiglio(da, direzione, nullptr, piede, &prog, nullptr) != 1) return nullptr;
        if (controllaAnello && asse && esterno && esterno->getPolilinea() && Attraversa(da, piede, esterno->getPolilinea()))
            return nullptr;
        double l = ciglio->getLunghezza();
        return ciglio->creaPuntoSezione(valoreRif, l > 0.0 ? prog / l : 0.0, tipo, piede);
    };
    auto luogo = [](const CPuntoSezione* s, double q[3]) {
        q[0] = s->x();
        q[1] = s->y();
        q[2] = 0.0;
    };
    double q[3];
    CPuntoSezione* pb = punto(b, origine, true);
    CPuntoSezione* pa = pb ? (luogo(pb, q), punto(a, q, false)) : nullptr;
    CPuntoSezione* pc = punto(c, origine, true);
    CPuntoSezione* pd = pc ? (luogo(pc, q), punto(d, q, false)) : nullptr;
    if (pa) pa->imposta(nullptr, nullptr, pb);
    if (pb) pb->imposta(nullptr, pa, pc);
    if (pc) pc->imposta(nullptr, pb, pd);
    if (pd) pd->imposta(nullptr, pc, nullptr);
    return 1;
}

int CRotatoria3D::creaSezioniTra(CPuntoSezione* p1, CPuntoSezione* p2) {
    CPuntoSezione* noto = p1 ? p1 : p2;
    CCiglio3D* ciglio = noto ? noto->getProprietario() : nullptr;
    if (!ciglio) return 0;
    const bool anello = IsAnello(ciglio);
    CCiglio3D* esterno = getAnelloEsterno();
    CAsseRamo* asse = anello ? nullptr : ciglio->getAsseRamo();
    if (anello ? !esterno : !asse) return 0;
    const double lunghezza = anello ? esterno->getLunghezza() : asse->getLunghezzaAsse();
    const int tipo = anello ? 1 : 2;
    if (p1 && p1->getTipoRif() != tipo) p1 = nullptr;
    if (p2 && p2->getTipoRif() != tipo) p2 = nullptr;
    if (!p1 && !p2) return 0;

    // The edges of the new sections, from the points' edges onwards along their links.
    CCiglio3D* lati[4] = {nullptr, nullptr, nullptr, nullptr};
    auto catena = [&](CPuntoSezione* s, CPuntoSezione* altro) {
        if (!s || !s->getProprietario()) return;
        int primo = -1;
        switch (s->getProprietario()->getCodiceEnum()) {
            case CIGLIO_ESTERNO_SINISTRO: primo = 0; break;
            case CIGLIO_INTERNO_SINISTRO:
            case CIGLIO_ANELLO_INTERNO: primo = 1; break;
            case CIGLIO_INTERNO_DESTRO: primo = 2; break;
            case CIGLIO_ESTERNO_DESTRO: primo = 3; break;
            default: return;
        }
        const bool daAnello = s->getProprietario()->getCodiceEnum() == CIGLIO_ANELLO_INTERNO;
        for (int i = primo; s && i < 4; ++i, s = s->getSuccessivo()) {
            CCiglio3D* e = s->getProprietario();
            if (daAnello && i == 3) {
                // The branch edge after the ring only where it leaves the ring at the other end.
                IQvObject_Group* nodi = e ? e->getPunti(GRUPPO_NODO) : nullptr;
                auto* n = nodi && nodi->GetFirstMember() ? static_cast<CPuntoNodo*>(nodi->GetFirstMember()->GetObject())
                                                         : nullptr;
                if (!n || !altro || n->getValoreRif() != altro->getValoreRif()) continue;
            }
            if (e) lati[i] = e;
        }
    };
    catena(p1, p2);
    CCiglio3D* daP1[4] = {lati[0], lati[1], lati[2], lati[3]};
    for (CCiglio3D*& l : lati) l = nullptr;
    catena(p2, p1);
    for (int i = 0; i < 4; ++i)
        if (!lati[i]) lati[i] = daP1[i];

    const double s = p1 ? lunghezza * p1->getValoreRif() : 0.0;
    const double t = p2 ? lunghezza * p2->getValoreRif() : lunghezza;
    double campata = t - s;
    if (campata <= 0.0) {
        // Around the ring; along a branch there is nothing between them.
        if (!anello) return 1;
        campata = lunghezza - s + t;
    }
    if (!(m_passoSezioni > 0.0) || lunghezza <= 0.0) return 1;
    // A span no int can count sections of is no span of a roundabout.
    const double quante = campata / m_passoSezioni;
    if (!(quante < static_cast<double>(std::numeric_limits<int>::max()))) return 1;
    const int n = static_cast<int>(quante);
    const double passo = campata / (n + 1);
    for (int k = 1; k <= n; ++k) {
        double x = s + k * passo;
        if (x > lunghezza) x -= lunghezza;
        creaSezione(x / lunghezza, asse, lati[0], lati[1], lati[2], lati[3]);
    }
    return 1;
}
