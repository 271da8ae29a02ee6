// The branch edges' geometry on generated plans: node points, their
// elevations and partners, the edge's end along the alignment's edge or the
// axis, and plans that lack a ring or a road edge.
#include <cmath>

#include "ModelFixture.h"

using namespace modello;

namespace {

TEST_F(ModelTest, NodePointsOfTheThreeBranchSample) {
    ASSERT_EQ(Costruisci(TreRami()), 1);
    EXPECT_TRUE(Messaggi().empty());
    std::vector<CCiglio3D*> cigli = Cigli(*m_rotatoria);
    ASSERT_EQ(cigli.size(), 14u);
    struct Caso {
        int codice;
        const wchar_t* asse;
        size_t nodi;
        double quotaFine, pendenzaFine;
    };
    // Outer edges end along the road edge: (|o| - w) i + zc with o = 6;
    // island edges of an undivided road end at the axis end with zc.
    const Caso casi[] = {
        {3000, L"SP 1", 2, 51.07, 0.02}, {4000, L"SP 1", 3, 51.22, 0.02}, {5000, L"SP 1", 3, 51.22, 0.02},
        {6000, L"SP 1", 2, 51.07, 0.02}, {3000, L"SP 2", 2, 54.01, 0.03}, {6000, L"SP 2", 2, 53.95, 0.03},
        {4000, L"SP 2", 3, 54.13, 0.03}, {4000, L"SP 3", 2, 49.95, 0.0},  {6000, L"SP 3", 2, 49.85, 0.0},
    };
    for (const Caso& c : casi) {
        CCiglio3D* ciglio = Ciglio(c.codice, c.asse);
        ASSERT_NE(ciglio, nullptr);
        std::vector<CPuntoNodo*> nodi = Nodi(ciglio);
        ASSERT_EQ(nodi.size(), c.nodi) << c.codice << " " << c.asse;
        CPuntoNodo* primo = nodi.front();
        CPuntoNodo* fine = nodi.back();
        EXPECT_EQ(primo->getTipoRif(), 1);
        EXPECT_EQ(primo->getPosizione(), 0.0);
        EXPECT_NEAR(std::hypot(primo->x(), primo->y()), 25.0, 1e-9);
        EXPECT_EQ(fine->getTipoRif(), 2);
        EXPECT_EQ(fine->getPosizione(), 1.0);
        EXPECT_EQ(fine->getValoreRif(), 1.0);
        EXPECT_TRUE(fine->isGrigio());
        EXPECT_NEAR(fine->getQuota(), c.quotaFine, 1e-9) << c.codice << " " << c.asse;
        EXPECT_NEAR(fine->getPendenza(), c.pendenzaFine, 1e-9) << c.codice << " " << c.asse;
        // The edge ends at its end node, which starts the edge's point.
        Zyl_GePoint3d fineCiglio;
        ASSERT_EQ(ciglio->getPuntoIniziale(fineCiglio), 1);
        EXPECT_NEAR(fineCiglio.x, ciglio->getUltimo()->x, 1e-9);
        EXPECT_NEAR(fineCiglio.y, ciglio->getUltimo()->y, 1e-9);
    }
}

TEST_F(ModelTest, IslandEdgesMeetOnTheAxisAndArePaired) {
    ASSERT_EQ(Costruisci(TreRami()), 1);
    for (const wchar_t* asse : {L"SP 1", L"SP 2"}) {
        std::vector<CPuntoNodo*> s = Nodi(Ciglio(4000, asse)), d = Nodi(Ciglio(5000, asse));
        ASSERT_EQ(s.size(), 3u);
        ASSERT_EQ(d.size(), 3u);
        EXPECT_NEAR(s[1]->x(), d[1]->x(), 1e-9);
        EXPECT_NEAR(s[1]->y(), d[1]->y(), 1e-9);
        EXPECT_EQ(s[1]->getCollegato(), d[1]);
        EXPECT_EQ(d[1]->getCollegato(), s[1]);
        EXPECT_EQ(s[2]->getCollegato(), d[2]);
        EXPECT_EQ(d[2]->getCollegato(), s[2]);
        EXPECT_EQ(s[0]->getCollegato(), nullptr);
        // The meeting node lies on the axis where the normal at the island's
        // tip (u = 45, v = 0.5) meets it; the island edge starts at v = 2 on the ring.
        CAsseRamo* a = Ciglio(4000, asse)->getAsseRamo();
        double u = 45.0 - 0.5 * 1.5 / (45.0 - std::sqrt(625.0 - 4.0));
        EXPECT_NEAR(std::hypot(s[1]->x(), s[1]->y()), u, 1e-9);
        EXPECT_NEAR(s[1]->getValoreRif(), (u - 25.0) / a->getLunghezzaAsse(), 1e-9);
        // Island edges end at the axis end.
        EXPECT_NEAR(s[2]->x(), d[2]->x(), 1e-9);
        EXPECT_NEAR(std::hypot(s[2]->x(), s[2]->y()), 25.0 + a->getLunghezzaAsse(), 1e-9);
    }
}

TEST_F(ModelTest, AnOuterEdgeEndsOnTheAlignmentEdgeWithItsCrossSlope) {
    rotatorie::Rotatoria pianta = TreRami();
    pianta.rami.resize(1);
    rotatorie::Ramo& r = pianta.rami[0];
    r.semiEsterno = 3.5;
    r.profilo = {{0.0, 99.39}, {90.0, 100.29}};  // 100 at the branch end (61), slope 0.01
    r.lista1500 = {{0.0, -2.5, -2.5}};
    r.lista1505 = {{0.0, 0.0, 0.0}};
    ASSERT_EQ(Costruisci(pianta), 1);
    CPuntoNodo* fine = Nodi(Ciglio(6000, L"SP 1")).back();
    EXPECT_NEAR(fine->getQuota(), 99.9125, 1e-9);
    EXPECT_NEAR(fine->getPendenza(), 0.01, 1e-9);
    // It ends across from the axis end.
    CAsseRamo* a = Ciglio(6000, L"SP 1")->getAsseRamo();
    Zyl_GePoint3d e;
    EXPECT_NEAR(std::hypot(fine->x(), fine->y()), std::hypot(25.0 + a->getLunghezzaAsse(), 3.5), 1e-9);
    ASSERT_EQ(Ciglio(6000, L"SP 1")->getPuntoDaProg(Ciglio(6000, L"SP 1")->getLunghezza(), e), 1);
    EXPECT_NEAR(e.x, fine->x(), 1e-9);
}

TEST_F(ModelTest, RestartedRingsMakeTheFirstNodeStartTheRing) {
    ASSERT_EQ(Costruisci(TreRami(), {true}), 1);
    CCiglio3D* esterno = Ciglio(2000, nullptr);
    Zyl_GePoint3d p;
    ASSERT_EQ(esterno->getPuntoDaProg(0.0, p), 1);
    EXPECT_NEAR(p.x, 21.403643, 1e-6);
    EXPECT_NEAR(p.y, 12.918362, 1e-6);
    ASSERT_EQ(Ciglio(1000, nullptr)->getPuntoDaProg(0.0, p), 1);
    EXPECT_NEAR(p.x, 12.842186, 1e-6);
    EXPECT_NEAR(p.y, 7.751017, 1e-6);
    EXPECT_NEAR(esterno->getLunghezza(), 2 * std::acos(-1.0) * 25.0, 1e-9);
    // At the ring's closing point: 0, not 1.
    EXPECT_EQ(Nodi(Ciglio(3000, L"SP 1")).front()->getValoreRif(), 0.0);
}

TEST_F(ModelTest, PlansThatLackARingOrARoadEdge) {
    struct Caso {
        const char* nome;
        void (*cambia)(rotatorie::Rotatoria&);
        int esito;
        size_t cigli;
        int primo;
        std::vector<std::wstring> messaggi;
    };
    const Caso casi[] = {
        // No inner circle: the outer ring comes first and still measures the branches.
        {"no inner ring", [](rotatorie::Rotatoria& r) { r.senzaAnelloInterno = true; }, 1, 13, 2000, {}},
        // No outer circle: nothing to start on; the first branch edge says so.
        {"no outer ring", [](rotatorie::Rotatoria& r) { r.senzaAnelloEsterno = true; }, 0, 13, 1000,
         {L"SP 1 Esterno sinistro: Il primo punto deve trovarsi sull'anello esterno."}},
        // A plan edge 0.5 outside the ring is left out without a word.
        {"edge off the ring",
         [](rotatorie::Rotatoria& r) {
             r.rami[0].bordoStaccato = rotatorie::Bordo::rCEIn;
             r.rami[0].distacco = 0.5;
         },
         1, 13, 1000, {}},
        // An outer edge without its road edge.
        {"no road edges", [](rotatorie::Rotatoria& r) { r.rami[1].senzaCigliStrada = true; }, 0, 14, 1000,
         {L"SP 2: Ciglio esterno non trovato"}},
    };
    for (const Caso& c : casi) {
        rotatorie::Rotatoria pianta = TreRami();
        c.cambia(pianta);
        vplat::MessageBoxes::Clear();
        auto r = Nuovo<CRotatoria3D>(29000);
        m_db = std::make_unique<AcDbDatabase>();
        acdbHostApplicationServices()->setWorkingDatabase(m_db.get());
        rotatorie::Disegna(pianta, m_db.get());
        EXPECT_EQ(rotatorie::CostruisciModello(*r, pianta), c.esito) << c.nome;
        std::vector<CCiglio3D*> cigli = Cigli(*r);
        EXPECT_EQ(cigli.size(), c.cigli) << c.nome;
        ASSERT_FALSE(cigli.empty());
        EXPECT_EQ(cigli.front()->getCodiceEnum(), c.primo) << c.nome;
        EXPECT_EQ(Messaggi(), c.messaggi) << c.nome;
        if (pianta.senzaAnelloInterno) {
            double centro[3];
            r->getCentro(centro);
            EXPECT_EQ((std::vector<double>{centro[0], centro[1], centro[2]}), (std::vector<double>{0, 0, 0}));
            EXPECT_EQ(r->getAnelloEsterno(), cigli.front());
        }
        if (pianta.senzaAnelloEsterno) {
            EXPECT_EQ(r->getAnelloEsterno(), nullptr);
            EXPECT_EQ(Assi(*r).front()->getPosizioneAnello(), -1.0);
        }
    }
}

}  // namespace
