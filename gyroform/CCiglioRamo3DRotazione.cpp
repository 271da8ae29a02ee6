// The rotation points of a branch edge: where they stand and the cross
// slopes they take from the ring, the reference edge and the nodes where
// the edges meet.
#include <cmath>
#include <vector>

#include "CAsseRamo.h"
#include "CCiglioRamo3D.h"
#include "CPuntiCiglio.h"
#include "CRotatoria3D.h"
#include "DistanzaDirezionale.h"
#include "GyroformCodici.h"

namespace {

constexpr double kTol = 1e-6;
constexpr double kDistanzaRicerca = 100.0;
const double kMezzoPi = std::acos(-1.0) / 2.0;

bool IsInterno(int codice) { return codice == CIGLIO_INTERNO_SINISTRO || codice == CIGLIO_INTERNO_DESTRO; }
bool IsEsterno(int codice) { return codice == CIGLIO_ESTERNO_SINISTRO || codice == CIGLIO_ESTERNO_DESTRO; }

// Plan distance between the stored coordinates of two points.
double Distanza(const CPuntoCiglio* a, const CPuntoCiglio* b) { return std::hypot(a->x() - b->x(), a->y() - b->y()); }

std::vector<CPuntoNodo*> NodiDi(CCiglio3D* ciglio) {
    return gyroform::Oggetti<CPuntoNodo>(ciglio ? ciglio->getPunti(GRUPPO_NODO) : nullptr);
}

// The elevation of an edge at a chainage by its own method.
bool Quota(CCiglio3D* ciglio, double prog, double& z) { return ciglio && ciglio->getQuotaDaProg(z, prog, -1) == 1; }

// True when a point of the group lies at the chainage.
bool PuntoA(IQvObject_Group* gruppo, double prog) {
    for (CPuntoCiglio* p : PuntiInOrdine<CPuntoCiglio>(gruppo))
        if (std::fabs(p->getProgressiva() - prog) <= kTol) return true;
    return false;
}

// Sets a slope with its grey flag, or, without one, leaves the slope and clears the flag.
void ImpostaPendenza(CPuntoRotazione* punto, bool valida, double pendenza) {
    if (!punto) return;
    if (valida) punto->setPendenza(pendenza);
    punto->setPendenzaGrigia(valida);
}

}  // namespace

CPuntoRotazione* CCiglioRamo3D::puntoRotazione(CPuntoRotazione* punto, double prog) {
    if (!punto) return nuovoPuntoRotazione(prog);
    punto->impostaDaProgressiva(this, prog);
    return punto;
}

int CCiglioRamo3D::calcolaRotazione(int tipoEvento, IQvObject_GroupMember*, CDato) {
    CCiglio3D* rif = m_ciglioRif;
    std::vector<CPuntoNodo*> nodi = NodiDi(this);
    // Without a reference, or without a first and an end node, nothing is computed.
    if (!rif || nodi.size() < 2) return 0;
    std::vector<CPuntoNodo*> nodiRif = NodiDi(rif);
    CPuntoNodo* n1 = nodi[0];
    CPuntoNodo* n2 = nodi.size() >= 3 ? nodi[1] : nullptr;
    CPuntoNodo* t = nodi.size() >= 3 ? nodi[2] : nodi[1];
    CPuntoNodo* m1 = nodiRif.empty() ? nullptr : nodiRif[0];
    CPuntoNodo* m2 = nodiRif.size() >= 3 ? nodiRif[1] : nullptr;
    CPuntoNodo* u = nodiRif.size() >= 3 ? nodiRif[2] : (nodiRif.size() == 2 ? nodiRif[1] : nullptr);
    CPuntoNodo* fine = t;
    CPuntoNodo* fineRif = u;
    bool consegna = false;

    // The end node, and whether this edge hands its elevation over at its second node.
    if (n2 && !IsInterno(rif->getCodiceEnum())) {
        std::vector<CPuntoRotazione*> punti = puntiRotazione();
        if (punti.empty()) {
            consegna = true;
        } else if (!n2->getUlteriore()) {
            double ultimo = punti.back()->getProgressiva();
            if (ultimo > n2->getProgressiva()) {
                consegna = true;
                if (ultimo < t->getProgressiva()) nuovoPuntoRotazione(t->getProgressiva());
            } else {
                fine = n2;
                if (IsInterno(m_codiceEnum)) fineRif = m2;
            }
        }
    }
    for (CPuntoRotazione* p : puntiRotazione()) {
        p->setGrigio(false);
        p->setPendenzaGrigia(false);
    }

    if (IsEsterno(m_codiceEnum)) rotazioneEsterno(tipoEvento, n1, m1, fine, fineRif);
    else if (IsInterno(m_codiceEnum) && IsEsterno(rif->getCodiceEnum())) rotazioneSuEsterno(nodiRif, n1, fine, fineRif);
    else if (IsInterno(m_codiceEnum)) rotazioneSuInterno(n1, n2, t, m1, m2, u, fine, fineRif);

    if (consegna) consegnaSecondoNodo(n2, t);
    return 1;
}

// The slope of the last rotation point from the end node and the reference end node.
void CCiglioRamo3D::pendenzaFinale(CPuntoRotazione* ultimo, CPuntoNodo* fine, CPuntoNodo* fineRif) {
    double d = fineRif ? Distanza(fineRif, fine) : 0.0;
    ImpostaPendenza(ultimo, fineRif && d > kTol, fineRif && d > kTol ? (fine->getQuota() - fineRif->getQuota()) / d : 0.0);
}

void CCiglioRamo3D::rotazioneEsterno(int tipoEvento, CPuntoNodo* n1, CPuntoNodo* m1, CPuntoNodo* fine,
                                     CPuntoNodo* fineRif) {
    CCiglio3D* anello = m_rotatoria ? m_rotatoria->getAnelloEsterno() : nullptr;
    const bool propagato = m_rotatoria && m_rotatoria->getRicalcolaPendenzeRami() == 1 && tipoEvento == -1;
    if (propagato && m_rotazione) m_rotazione->Empty();
    auto sezioneAnello = [anello](const CPuntoNodo* nodo) -> CPuntoSezione* {
        IQvObject_GroupMember* m =
            anello && nodo ? anello->trovaPuntoRiferimento(GRUPPO_CIGLIO, 1, nodo->getValoreRif()) : nullptr;
        return m ? dynamic_cast<CPuntoSezione*>(m->GetObject()) : nullptr;
    };

    // The first slope continues the ring's cross slope where the edge leaves it.
    bool valida = false;
    double s1 = 0.0;
    CPuntoSezione* s = sezioneAnello(n1);
    CPuntoSezione* p = s ? s->getPrecedente() : nullptr;
    if (p && p->getProprietario()) {
        double zS = 0.0, zP = 0.0, d = Distanza(s, p);
        valida = d > kTol && Quota(anello, s->getProgressiva(), zS) && Quota(p->getProprietario(), p->getProgressiva(), zP);
        if (valida) s1 = (zS - zP) / d;
    }
    std::vector<CPuntoRotazione*> punti = puntiRotazione();
    CPuntoRotazione* primo = puntoRotazione(punti.empty() ? nullptr : punti.front(), n1->getProgressiva());
    if (primo) primo->setGrigio(true);
    ImpostaPendenza(primo, valida, s1);

    // Propagated: the ring's cross slope carried out to where the reference edge leaves the ring.
    CPuntoRotazione* intermedio = nullptr;
    CPuntoSezione* s2 = propagato ? sezioneAnello(m1) : nullptr;
    CPuntoSezione* a = s2 ? s2->getSuccessivo() : nullptr;
    CPuntoSezione* b = s2 ? s2->getPrecedente() : nullptr;
    if (a && b && b->getProprietario() && b->getProprietario()->getPolilinea() && anello->getPolilinea()) {
        ads_point pa = {a->x(), a->y(), 0.0}, piede, piedeB;
        double scarto = 0.0, progAnello = 0.0, direzione = 0.0, distB = 0.0, progB = 0.0, zO = 0.0, zB = 0.0;
        double dA = Distanza(s2, a);
        if (DistPPoly(anello->getPolilinea(), pa, &scarto, piede, &progAnello, &direzione, nullptr, nullptr, 1) &&
            DistPPolyDir(b->getProprietario()->getPolilinea(), piede, direzione + kMezzoPi, kDistanzaRicerca, &distB,
                         piedeB, &progB, nullptr) == 1 &&
            std::fabs(distB) > kTol && dA > kTol && Quota(anello, progAnello, zO) &&
            Quota(b->getProprietario(), progB, zB)) {
            double zA = zB + (zO - zB) / distB * (scarto + distB);
            intermedio = nuovoPuntoRotazione(a->getProgressiva());
            if (intermedio) intermedio->setPendenza((zA - m1->getQuota()) / dA);
        }
    }

    // The last point, at the end node; never the first one nor the one just placed.
    punti = puntiRotazione();
    CPuntoRotazione* ultimo = punti.size() >= 2 && punti.back() != intermedio ? punti.back() : nullptr;
    ultimo = puntoRotazione(ultimo, fine->getProgressiva());
    if (ultimo) ultimo->setGrigio(true);
    pendenzaFinale(ultimo, fine, fineRif);
}

void CCiglioRamo3D::rotazioneSuEsterno(const std::vector<CPuntoNodo*>& nodiRif, CPuntoNodo* n1, CPuntoNodo* fine,
                                       CPuntoNodo* fineRif) {
    CCiglio3D* rif = m_ciglioRif;
    std::vector<CPuntoRotazione*> punti = puntiRotazione();
    CPuntoRotazione* primo = puntoRotazione(punti.empty() ? nullptr : punti.front(), n1->getProgressiva());
    if (primo) primo->setGrigio(true);
    const double q1[3] = {n1->x(), n1->y(), 0.0};
    double scarto = 0.0, progRif = 0.0, zRif = 0.0, piede[3];
    bool valida = rif->proiettaSuCiglio(q1, 0.0, &scarto, piede, &progRif, nullptr) == 1 &&
                  std::fabs(scarto) > kTol && Quota(rif, progRif, zRif);
    ImpostaPendenza(primo, valida, valida ? (n1->getQuota() - zRif) / std::fabs(scarto) : 0.0);

    punti = puntiRotazione();
    CPuntoRotazione* ultimo = puntoRotazione(punti.size() >= 2 ? punti.back() : nullptr, fine->getProgressiva());
    if (!ultimo) return;
    ultimo->setGrigio(true);
    if (!nodiRif.empty()) {
        if (!fineRif) return ImpostaPendenza(ultimo, false, 0.0);
        double d = Distanza(fineRif, fine);
        return ImpostaPendenza(ultimo, true, d > 0.0 ? (fine->getQuota() - fineRif->getQuota()) / d : 0.0);
    }
    // The reference edge has no nodes: its nearest point to the end node.
    const double qE[3] = {fine->x(), fine->y(), 0.0};
    double zR = 0.0, d = 0.0;
    bool trovato = rif->proiettaSuCiglio(qE, 0.0, &d, piede, &progRif, nullptr) == 1 && Quota(rif, progRif, zR);
    d = std::fabs(d);
    ImpostaPendenza(ultimo, trovato, trovato && d > 0.0 ? (fine->getQuota() - zR) / d : 0.0);
}

void CCiglioRamo3D::rotazioneSuInterno(CPuntoNodo* n1, CPuntoNodo* n2, CPuntoNodo* t, CPuntoNodo* m1, CPuntoNodo* m2,
                                       CPuntoNodo* u, CPuntoNodo* fine, CPuntoNodo* fineRif) {
    CCiglio3D* rif = m_ciglioRif;
    CCiglio3D* anello = m_rotatoria ? m_rotatoria->getAnelloEsterno() : nullptr;
    // Across the branch: the axis direction where the reference edge leaves the ring.
    double direzione = m_asse ? m_asse->getDirezione() : 0.0;
    if (m1 && m_asse && m_asse->getPolilinea()) {
        ads_point q = {m1->x(), m1->y(), 0.0};
        double dirAsse = 0.0;
        if (DistPPoly(m_asse->getPolilinea(), q, nullptr, nullptr, nullptr, &dirAsse, nullptr, nullptr, 1))
            direzione = dirAsse;
    }
    bool valida = false;
    double pendenza = 0.0, prog = 0.0, d1 = 0.0, piede[3];
    ads_point qM1 = {m1 ? m1->x() : 0.0, m1 ? m1->y() : 0.0, 0.0};
    if (m1 && DistPPolyDir(m_polilinea, qM1, direzione + kMezzoPi, kDistanzaRicerca, &d1, piede, &prog, nullptr) == 1) {
        double d2 = 0.0, progAnello = 0.0, zO = 0.0, piedeAnello[3];
        valida = anello && anello->getPolilinea() &&
                 DistPPolyDir(anello->getPolilinea(), piede, direzione + kMezzoPi, kDistanzaRicerca, &d2, piedeAnello,
                              &progAnello, nullptr) == 1 &&
                 std::fabs(d1 - d2) > kTol && Quota(anello, progAnello, zO);
        if (valida) pendenza = (zO - m1->getQuota()) / std::fabs(d1 - d2);
    } else if (rif->getPolilinea()) {
        ads_point qN1 = {n1->x(), n1->y(), 0.0};
        double d = 0.0, progRif = 0.0, zR = 0.0;
        prog = 0.0;
        valida = DistPPolyDir(rif->getPolilinea(), qN1, direzione + kMezzoPi, kDistanzaRicerca, &d, piede, &progRif,
                              nullptr) == 1 &&
                 std::fabs(d) > kTol && Quota(rif, progRif, zR);
        if (valida) pendenza = (n1->getQuota() - zR) / std::fabs(d);
    }
    std::vector<CPuntoRotazione*> punti = puntiRotazione();
    if (valida) {
        CPuntoRotazione* primo = puntoRotazione(punti.empty() ? nullptr : punti.front(), prog);
        if (primo) primo->setGrigio(true);
        ImpostaPendenza(primo, true, pendenza);
    }
    punti = puntiRotazione();
    CPuntoRotazione* ultimo = puntoRotazione(punti.size() >= 2 ? punti.back() : nullptr, fine->getProgressiva());
    if (ultimo) ultimo->setGrigio(true);
    double d = fineRif ? Distanza(fineRif, fine) : 0.0;
    if (ultimo && fineRif && d > kTol) ImpostaPendenza(ultimo, true, (fine->getQuota() - fineRif->getQuota()) / d);

    // The hand-over at the second node passes to the reference edge.
    if (!n2 || n2->getUlteriore() != 1 || !m2 || !u) return;
    Annidamento annidamento;
    if (!annidamento.consentito()) return;
    n2->setUlteriore(0);
    t->setUlteriore(0);
    m2->setUlteriore(1);
    u->setUlteriore(1);
    // A second point at one chainage would make the profile unusable: none is added where one lies.
    const double cU = u->getProgressiva();
    if (!PuntoA(rif->getPunti(GRUPPO_VERTICE), cU)) rif->nuovoPuntoVertice(cU);
    if (!PuntoA(rif->getPunti(GRUPPO_ROTAZIONE), cU)) rif->nuovoPuntoRotazione(cU);
    rif->calcolaProfilo(0, nullptr, CDato());
    rif->calcolaRotazione(0, nullptr, CDato());
}
