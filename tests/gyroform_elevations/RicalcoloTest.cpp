// The recompute after an edit: what it reaches, and the models on which it
// must still end.
#include <cmath>

#include "Elevazioni.h"
#include "Ombrix.h"
#include "Sorveglianza.h"

using namespace modello;

namespace {

class RicalcoloTest : public ModelTest {
protected:
    void Campione(rotatorie::Rotatoria pianta = TreRami()) {
        ASSERT_EQ(Costruisci(pianta, {true}), 1);
        ASSERT_EQ(m_rotatoria->inizializzaCalcolo(), 1);
        for (CAsseRamo* a : Assi(*m_rotatoria)) m_media += a->getQuotaCentriRotazione() / Assi(*m_rotatoria).size();
    }
    static CPuntoRotazione* PrimaRotazione(CCiglio3D* c) {
        IQvObject_Group* g = c->getPunti(7);
        return g && g->GetFirstMember() ? static_cast<CPuntoRotazione*>(g->GetFirstMember()->GetObject()) : nullptr;
    }
    static CPuntoVertice* Vertice(CCiglio3D* c, int i) {
        return static_cast<CPuntoVertice*>(Membri(c->getPunti(8)).at(static_cast<size_t>(i)));
    }
    static double Z(CCiglio3D* c, double prog) { return elevazioni::Quota(c, prog); }
    // Every elevation of every edge is asked once (results not looked at).
    void ChiediOgniQuota() {
        for (CCiglio3D* c : Cigli(*m_rotatoria)) {
            for (int i = 0; i <= 20; ++i) {
                double z = 0.0;
                c->getQuotaDaProg(z, c->getLunghezza() * i / 20.0, -1);
                EXPECT_TRUE(std::isfinite(z));
            }
        }
    }
    double m_media = 0.0;
};

TEST_F(RicalcoloTest, ABranchEdgesProfileRecomputesItsAxisOnly) {
    Campione();
    // Edits that only a recompute undoes: a vertex without its curve, a first slope changed.
    for (const wchar_t* asse : {L"SP 1", L"SP 2"}) {
        Vertice(Ciglio(4000, asse), 1)->setRaggio(0.0);
        for (int codice : {3000, 6000}) PrimaRotazione(Ciglio(codice, asse))->setPendenza(0.5);
    }
    CCiglio3D* sp1 = Ciglio(4000, L"SP 1");
    CCiglio3D* sp2 = Ciglio(4000, L"SP 2");
    const double zSp2 = Z(sp2, Vertice(sp2, 1)->getProgressiva());
    ASSERT_GT(std::fabs(zSp2 - Vertice(sp2, 1)->getQuota()), 1e-6);  // on its curve

    EXPECT_EQ(m_rotatoria->ricalcola(sp1, 0, 29004, nullptr, CDato()), 1);
    // SP 1's island edge lost its curve there, SP 2's profile is the old one.
    EXPECT_NEAR(Z(sp1, Vertice(sp1, 1)->getProgressiva()), Vertice(sp1, 1)->getQuota(), 1e-9);
    EXPECT_EQ(Z(sp2, Vertice(sp2, 1)->getProgressiva()), zSp2);
    for (int codice : {3000, 6000}) {
        EXPECT_NEAR(PrimaRotazione(Ciglio(codice, L"SP 1"))->getPendenza(), 0.015, 1e-9) << codice;
        EXPECT_EQ(PrimaRotazione(Ciglio(codice, L"SP 2"))->getPendenza(), 0.5) << codice;
    }
}

TEST_F(RicalcoloTest, TheOuterRingsPlaneReachesEveryBranch) {
    Campione();
    CCiglio3D* esterno = Ciglio(2000, nullptr);
    CCiglio3D* interno = Ciglio(1000, nullptr);
    interno->setUsaPianoParallelo(1);
    interno->setDiffQuotaPiani(-0.2);
    interno->setTipoCalcolo(5);
    auto alza = [&] {
        for (IQvObject* o : Membri(esterno->getPunti(5))) {
            auto* p = static_cast<CPuntoPiano*>(o);
            p->setQuota(p->getQuota() + 1.0);
        }
    };
    alza();
    PrimaRotazione(Ciglio(3000, L"SP 3"))->setPendenza(0.5);
    EXPECT_EQ(m_rotatoria->ricalcola(esterno, 0, 29005, nullptr, CDato()), 1);
    const double z = m_media + 1.0;
    EXPECT_NEAR(Z(esterno, 30.0), z, 1e-9);
    EXPECT_NEAR(Z(interno, 30.0), z - 0.2, 1e-9);
    for (CCiglio3D* c : Cigli(*m_rotatoria)) {
        if (!c->getAsseRamo()) continue;
        EXPECT_NEAR(Nodi(c).front()->getQuota(), z, 1e-9) << c->getDescrizione().GetString();
        EXPECT_NEAR(Z(c, 0.0), z, 1e-9) << c->getDescrizione().GetString();
    }
    // The outer branch edges start with the new cross slope of the ring.
    EXPECT_NEAR(PrimaRotazione(Ciglio(3000, L"SP 3"))->getPendenza(), 0.02, 1e-9);

    // Profile points edited on a ring computed by its plane: no propagation.
    alza();
    EXPECT_EQ(m_rotatoria->ricalcola(esterno, 0, 29004, nullptr, CDato()), 1);
    for (CCiglio3D* c : Cigli(*m_rotatoria)) {
        if (c->getAsseRamo()) {
            EXPECT_NEAR(Nodi(c).front()->getQuota(), z, 1e-9);
        }
    }
}

// The first node of every branch edge takes the ring's slope there, from
// the ring's section at the node (a branch edge has no section of its own at
// its first node): on a tilted ring no branch leaves it level.
TEST_F(RicalcoloTest, OnATiltedRingEveryBranchStartsWithTheRingsSlope) {
    Campione();
    CCiglio3D* esterno = Ciglio(2000, nullptr);
    for (IQvObject* o : Membri(esterno->getPunti(5))) {
        auto* p = static_cast<CPuntoPiano*>(o);
        p->setQuota(m_media + 0.02 * p->x() + 0.01 * p->y());
    }
    EXPECT_EQ(m_rotatoria->ricalcola(esterno, 0, 29005, nullptr, CDato()), 1);
    auto piano = [&](double prog) {
        if (prog < 0.0) prog += esterno->getLunghezza();
        Zyl_GePoint3d p;
        EXPECT_EQ(esterno->getPuntoDaProg(prog, p), 1);
        return m_media + 0.02 * p.x + 0.01 * p.y;
    };
    int rami = 0;
    for (CCiglio3D* c : Cigli(*m_rotatoria)) {
        if (!c->getAsseRamo()) continue;
        SCOPED_TRACE(c->getDescrizione().GetString());
        CPuntoNodo* n = Nodi(c).front();
        IQvObject_GroupMember* m = esterno->trovaPuntoRiferimento(10, 1, n->getValoreRif());
        ASSERT_TRUE(m);
        double atteso = 0.0;
        ASSERT_EQ(CPuntoSezione::calcolaPendenza(n, atteso, static_cast<CPuntoSezione*>(m->GetObject())), 1);
        EXPECT_NEAR(n->getPendenza(), atteso, 1e-12);
        EXPECT_GT(std::fabs(n->getPendenza()), 1e-4);
        // On an outer edge, whose ring section goes no further, that is the
        // ring's grade there, in the edge's direction round the ring.
        if (c->getCodiceEnum() == 3000 || c->getCodiceEnum() == 6000) {
            const double prog = esterno->getLunghezza() * n->getValoreRif();
            const double passo = c->getCodiceEnum() == 3000 ? -0.01 : 0.01;
            EXPECT_NEAR(n->getPendenza(), (piano(prog) - piano(prog + passo)) / 0.01, 1e-6);
        }
        ++rami;
    }
    EXPECT_EQ(rami, 12);
}

TEST_F(RicalcoloTest, IslandEdgesReferringToEachOtherEnd) {
    Sorveglianza sorveglianza("island edges referring to each other");
    ASSERT_EQ(Costruisci(TreRami(), {true}), 1);
    CCiglio3D* sinistro = Ciglio(4000, L"SP 1");
    CCiglio3D* destro = Ciglio(5000, L"SP 1");
    // Their stored codes name each other; both hang from the other.
    sinistro->SetDato(CDato(18, CString(L"rCIIn")));
    destro->SetDato(CDato(18, CString(L"rCIOut")));
    sinistro->SetDato(CDato(3, 7));
    destro->SetDato(CDato(3, 7));
    // The second reference would close the loop: it is not taken, and every
    // recompute names the edge left without one.
    ASSERT_EQ(m_rotatoria->inizializzaCalcolo(), 1);
    ASSERT_EQ(sinistro->getCiglioRif(), destro);
    ASSERT_EQ(destro->getCiglioRif(), nullptr);
    // A hand-over pending at the left edge's meeting node.
    Nodi(sinistro)[1]->setUlteriore(1);
    vplat::MessageBoxes::Clear();
    EXPECT_EQ(m_rotatoria->ricalcola(destro, 0, 29004, nullptr, CDato()), 0);
    EXPECT_EQ(m_rotatoria->ricalcola(sinistro, 0, 29006, nullptr, CDato()), 0);
    const std::wstring motivo =
        (destro->getDescrizione() + L": calcolo per rotazione senza ciglio di riferimento.").GetString();
    EXPECT_EQ(Messaggi(), (std::vector<std::wstring>{motivo, motivo}));
    ChiediOgniQuota();
}

TEST_F(RicalcoloTest, AOneWayHandOverGivesTheNodesTheProfilesElevation) {
    Campione();
    CCiglio3D* sinistro = Ciglio(4000, L"SP 1");
    CCiglio3D* destro = Ciglio(5000, L"SP 1");
    destro->setTipoCalcolo(7);
    destro->setProfRif(4000);
    // The right edge hands its meeting node over: the hand-over passes to the left edge.
    Nodi(destro)[1]->setUlteriore(1);
    EXPECT_EQ(m_rotatoria->ricalcola(destro, 0, 29006, nullptr, CDato()), 1);
    std::vector<CPuntoNodo*> s = Nodi(sinistro), d = Nodi(destro);
    EXPECT_EQ(s[1]->getUlteriore(), 1);
    EXPECT_EQ(s[2]->getUlteriore(), 1);
    EXPECT_EQ(d[1]->getUlteriore(), 0);
    EXPECT_EQ(d[2]->getUlteriore(), 0);
    const double c = s[1]->getProgressiva();
    const double z = Z(sinistro, c);
    EXPECT_NEAR(s[1]->getQuota(), z, 1e-9);
    EXPECT_NEAR(s[1]->getPendenza(), (Z(sinistro, c + 0.0001) - z) / 0.0001, 1e-9);
    EXPECT_EQ(d[1]->getQuota(), s[1]->getQuota());
    EXPECT_EQ(d[1]->getPendenza(), s[1]->getPendenza());
    // Beyond the meeting node the right edge follows the left one.
    EXPECT_NEAR(Z(destro, d[1]->getProgressiva() + 5.0), Z(sinistro, c + 5.0), 1e-9);
}

TEST_F(RicalcoloTest, EdgesAndArgumentsThatGiveNothingToCompute) {
    Campione();
    EXPECT_EQ(m_rotatoria->ricalcola(nullptr, 0, 29005, nullptr, CDato()), 1);
    // A branch edge whose saved data lacked its nodes is left out.
    CCiglio3D* senzaNodi = Ciglio(3000, L"SP 2");
    senzaNodi->getPunti(9)->Empty();
    EXPECT_EQ(senzaNodi->calcolaProfilo(0, nullptr, CDato()), 0);
    EXPECT_EQ(senzaNodi->calcolaRotazione(-1, nullptr, CDato()), 0);
    EXPECT_EQ(m_rotatoria->ricalcola(Ciglio(2000, nullptr), 0, 29005, nullptr, CDato()), 1);
    EXPECT_EQ(m_rotatoria->calcolaNodiESezioni(), 1);
    EXPECT_TRUE(Membri(senzaNodi->getPunti(10)).empty() ||
                static_cast<CPuntoSezione*>(Membri(senzaNodi->getPunti(10)).back())->getValoreRif() < 1.0);
    ChiediOgniQuota();
    // A model without edges.
    m_rotatoria = Nuovo<CRotatoria3D>(29000);
    EXPECT_EQ(m_rotatoria->inizializzaCalcolo(), 1);
    EXPECT_EQ(m_rotatoria->calcolaNodiESezioni(), 1);
}

TEST_F(RicalcoloTest, OneBranchSectionsEndAndStayApart) {
    Sorveglianza sorveglianza("sections of a one-branch model");
    rotatorie::Rotatoria pianta = TreRami();
    pianta.rami.resize(1);
    Campione(pianta);
    for (double passo : {5.0, 2.0}) {
        m_rotatoria->setPassoSezioni(passo);
        CCiglio3D* esterno = Ciglio(2000, nullptr);
        std::vector<IQvObject*> anello = Membri(Ciglio(1000, nullptr)->getPunti(10));
        ASSERT_GE(anello.size(), 2u);
        for (size_t i = 0; i < anello.size(); ++i) {
            double a = static_cast<CPuntoSezione*>(anello[i])->getValoreRif();
            double b = static_cast<CPuntoSezione*>(anello[(i + 1) % anello.size()])->getValoreRif();
            EXPECT_LE((b >= a ? b - a : 1.0 - a + b) * esterno->getLunghezza(), passo + 1e-9) << passo << " " << i;
        }
        for (CCiglio3D* c : Cigli(*m_rotatoria)) {
            std::vector<IQvObject*> s = Membri(c->getPunti(10));
            for (size_t i = 1; i < s.size(); ++i) {
                auto* p = static_cast<CPuntoSezione*>(s[i - 1]);
                auto* q = static_cast<CPuntoSezione*>(s[i]);
                EXPECT_LE(p->getProgressiva(), q->getProgressiva());
                EXPECT_GT(std::hypot(q->x() - p->x(), q->y() - p->y()), 1e-6) << c->getDescrizione().GetString();
            }
        }
    }
}

TEST_F(RicalcoloTest, AllBranchesErasedTheRingsStillAnswer) {
    rotatorie::Rotatoria pianta = TreRami();
    std::vector<AcDbObjectId> ids = rotatorie::Disegna(pianta, m_db.get());
    ZylEntityID primo(ids[2]);
    ASSERT_EQ(m_rotatoria->disegna(primo), 1);
    std::vector<rotatorie::Entita> entita = rotatorie::EntitaDi(pianta);
    for (size_t i = 0; i < entita.size(); ++i)
        if (entita[i].ramo >= 0 && entita[i].kind.rfind(L"rC", 0) == 0)
            Ombrix::GetEntityUtils()->Cancella(ZylEntityID(ids[i]));
    vplat::MessageBoxes::Clear();
    EXPECT_EQ(m_rotatoria->aggiorna(), 0);
    EXPECT_EQ(Messaggi(), std::vector<std::wstring>{L"La rotatoria deve avere almeno un ramo"});
    ASSERT_EQ(Cigli(*m_rotatoria).size(), 2u);
    for (CCiglio3D* c : Cigli(*m_rotatoria)) {
        EXPECT_EQ(Membri(c->getPunti(10)).size(), 0u);
        EXPECT_EQ(c->getCiglioRif() == nullptr, c->getCodiceEnum() == 2000);
    }
    ChiediOgniQuota();
    m_rotatoria->disegna3D(nullptr);
    EXPECT_EQ(m_rotatoria->inizializzaCalcolo(), 1);
    for (CCiglio3D* c : Cigli(*m_rotatoria)) Z(c, 10.0);
}

}  // namespace
