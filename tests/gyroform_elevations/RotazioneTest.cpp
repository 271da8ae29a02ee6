// Elevations hung from a reference edge: the cross slope of the rotation
// points, the facing point, and the rotation points an edge places itself.
#include <cmath>

#include "Elevazioni.h"
#include "Sorveglianza.h"

using namespace modello;

namespace {

const double kPi = std::acos(-1.0);

class RotazioneTest : public ModelTest {
protected:
    // A ring about the origin through the roundabout, with its groups and no plane points.
    CCiglioAnello3D* Anello(const wchar_t* codice, double raggio) {
        return elevazioni::AnelloSenzaPiano(*m_rotatoria, codice, raggio);
    }
    // A flat plane at an elevation (method 5).
    void Piatto(CCiglioAnello3D* anello, double quota) {
        m_rotatoria->SetDato(CDato(7, quota));
        anello->getPunti(5)->Empty();
        ASSERT_EQ(anello->calcolaPiano(), 1);
        anello->SetDato(CDato(3, 5));
    }
    // A straight edge of the roundabout without axis, with its groups.
    CCiglio3D* Retto(const wchar_t* codice, double x0, double y0, double x1, double y1) {
        CADDatoArray v, b;
        v.Add(0, x0, y0, 0.0);
        v.Add(1, x1, y1, 0.0);
        b.Add(0, 0.0);
        b.Add(1, 0.0);
        IQvObject* c = GyroformMain::getConstructor()->Alloca(29002);
        if (!m_rotatoria->creaCiglio(&c, codice, nullptr, v, b)) return nullptr;
        auto* ciglio = static_cast<CCiglio3D*>(c);
        ciglio->creaGruppiPunti();
        return ciglio;
    }
    static CPuntoNodo* Nodo(CCiglio3D* c, double x, double y, double quota) {
        const double p[2] = {x, y};
        CPuntoNodo* n = c->creaPuntoNodo(0.0, x / c->getLunghezza(), 2, p);
        n->setQuota(quota);
        return n;
    }
    static CPuntoRotazione* Rotazione(CCiglio3D* c, double prog, double pendenza) {
        auto* p = static_cast<CPuntoRotazione*>(GyroformMain::getConstructor()->Alloca(29006));
        p->impostaDaProgressiva(c, prog);
        p->setPendenza(pendenza);
        c->getPunti(7)->Append(p);
        return p;
    }
    static std::vector<CPuntoRotazione*> Rotazioni(CCiglio3D* c) { return elevazioni::Punti<CPuntoRotazione>(c, 7); }
    static double Z(CCiglio3D* c, double prog) { return elevazioni::Quota(c, prog); }
};

TEST_F(RotazioneTest, TheRingStartsWithOneRotationPointAndSlopesAroundIt) {
    CCiglioAnello3D* esterno = Anello(L"aCExt", 100.0 / (2 * kPi));
    CCiglioAnello3D* interno = Anello(L"aCInt", 10.0);
    for (auto [anello, pendenza] : {std::pair{esterno, 0.015}, std::pair{interno, -0.015}}) {
        ASSERT_EQ(anello->calcolaRotazione(0, nullptr, CDato()), 1);
        std::vector<CPuntoRotazione*> r = Rotazioni(anello);
        ASSERT_EQ(r.size(), 1u);
        EXPECT_EQ(r[0]->getProgressiva(), 0.0);
        EXPECT_EQ(r[0]->getPendenza(), pendenza);
        EXPECT_EQ(r[0]->getTipoRif(), 1);
        // A ring that has a rotation point keeps it untouched.
        r[0]->setPendenza(0.05);
        ASSERT_EQ(anello->calcolaRotazione(0, nullptr, CDato()), 1);
        EXPECT_EQ(Rotazioni(anello), r);
        EXPECT_EQ(r[0]->getPendenza(), 0.05);
        EXPECT_EQ(anello->getPendenzaDaProg(3.0), 0.05);
    }

    ASSERT_NEAR(esterno->getLunghezza(), 100.0, 1e-9);
    esterno->getPunti(7)->Empty();
    Rotazione(esterno, 20, 0.02);
    Rotazione(esterno, 70, 0.04);
    const std::pair<double, double> casi[] = {{95, 0.03}, {10, 0.024}, {45, 0.03}, {20, 0.02}, {70, 0.04}, {0, 0.028}};
    for (auto [prog, pendenza] : casi) EXPECT_NEAR(esterno->getPendenzaDaProg(prog), pendenza, 1e-12) << prog;

    // Points at the ring's start and at its length leave no lap between them.
    esterno->getPunti(7)->Empty();
    Rotazione(esterno, 0, 0.01);
    Rotazione(esterno, 100, 0.05);
    EXPECT_NEAR(esterno->getPendenzaDaProg(50), 0.03, 1e-12);
    EXPECT_EQ(esterno->getPendenzaDaProg(100), 0.05);
}

TEST_F(RotazioneTest, ABranchEdgeSlopesBetweenItsPoints) {
    CCiglio3D* c = Retto(L"rCEIn", 0, 0, 40, 0);
    EXPECT_EQ(c->getPendenzaDaProg(10), 0.0);
    Rotazione(c, 5, 0.02);
    Rotazione(c, 25, 0.04);
    const std::pair<double, double> casi[] = {{0, 0.02}, {5, 0.02}, {15, 0.03}, {25, 0.04}, {40, 0.04}};
    for (auto [prog, pendenza] : casi) EXPECT_NEAR(c->getPendenzaDaProg(prog), pendenza, 1e-12) << prog;
}

TEST_F(RotazioneTest, TheInnerRingHangsFromTheOuterRing) {
    CCiglioAnello3D* esterno = Anello(L"aCExt", 20);
    CCiglioAnello3D* interno = Anello(L"aCInt", 12);
    Piatto(esterno, 100.0);
    interno->SetDato(CDato(3, 7));
    interno->setProfRif(2000);
    double z = 0.0;
    EXPECT_EQ(interno->getQuotaDaProg(z, 5.0, -1), 1);  // no rotation point: slope 0
    EXPECT_NEAR(z, 100.0, 1e-9);
    ASSERT_EQ(interno->calcolaRotazione(0, nullptr, CDato()), 1);
    for (double prog : {0.0, 7.0, 40.0, interno->getLunghezza()}) EXPECT_NEAR(Z(interno, prog), 99.88, 1e-9) << prog;

    // On a plane z = a x + b y + c, concentric rings of radii r1 < r2.
    m_rotatoria = Nuovo<CRotatoria3D>(29000);
    const double r1 = 6.0, r2 = 10.0;
    esterno = Anello(L"aCExt", r2);
    interno = Anello(L"aCInt", r1);
    for (auto [pos, quota] : {std::pair{0.0, 101.0}, std::pair{0.25, 102.0}, std::pair{0.5, 100.0}}) {
        auto* p = static_cast<CPuntoPiano*>(GyroformMain::getConstructor()->Alloca(29005));
        p->impostaDaProgressiva(esterno, pos * esterno->getLunghezza());
        p->setQuota(quota);
        esterno->getPunti(5)->Append(p);
    }
    ASSERT_EQ(esterno->calcolaPiano(), 1);
    esterno->SetDato(CDato(3, 5));
    interno->SetDato(CDato(3, 7));
    interno->setProfRif(2000);
    interno->calcolaRotazione(0, nullptr, CDato());
    for (double t : {0.3, 1.7, 4.0, 6.0}) {
        double atteso = 0.05 * r2 * std::cos(t) + 0.15 * r2 * std::sin(t) + 100.5 + (r2 - r1) * -0.015;
        EXPECT_NEAR(Z(interno, r1 * t), atteso, 1e-9) << t;
    }
}

TEST_F(RotazioneTest, TheFacingPointOrTheOuterRingInstead) {
    // An edge across the ring's north, hung from the inner ring (radius 5,
    // elevation 90) with slope 0.1; the outer ring (radius 10) lies at 100.
    struct Caso {
        double y;
        int esito;
        double quota;
    };
    const Caso casi[] = {
        {50.0, 1, 90.0 + 45.0 * 0.1},    // the inner ring is met
        {107.0, 1, 100.0 + 97.0 * 0.1},  // too far from it: the outer ring stands in
        {115.0, 0, 0.0},                 // neither is met
    };
    for (const Caso& c : casi) {
        m_rotatoria = Nuovo<CRotatoria3D>(29000);
        CCiglio3D* ciglio = Retto(L"rCEOut", -30, c.y, 30, c.y);
        CCiglioAnello3D* interno = Anello(L"aCInt", 5);
        CCiglioAnello3D* esterno = Anello(L"aCExt", 10);
        Piatto(interno, 90.0);
        Piatto(esterno, 100.0);
        ciglio->SetDato(CDato(3, 7));
        ciglio->setProfRif(1000);
        ASSERT_EQ(ciglio->getCiglioRif(), interno);
        Rotazione(ciglio, 0, 0.1);
        double z = -1.0;
        EXPECT_EQ(ciglio->getQuotaDaProg(z, 30.0, -1), c.esito) << c.y;
        EXPECT_NEAR(z, c.esito ? c.quota : -1.0, 1e-9) << c.y;
    }
}

TEST_F(RotazioneTest, RingsHungFromEachOtherAnswerAtOnce) {
    Sorveglianza sorveglianza("rings hung from each other");
    CCiglioAnello3D* esterno = Anello(L"aCExt", 20);
    CCiglioAnello3D* interno = Anello(L"aCInt", 12);
    for (CCiglioAnello3D* a : {esterno, interno}) {
        a->SetDato(CDato(3, 7));
        a->calcolaRotazione(0, nullptr, CDato());
    }
    // The second reference would hang the rings from each other: refused.
    EXPECT_EQ(interno->setProfRif(2000), 1);
    EXPECT_EQ(esterno->setProfRif(1000), 0);
    ASSERT_EQ(interno->getCiglioRif(), esterno);
    ASSERT_EQ(esterno->getCiglioRif(), nullptr);
    // Without a reference edge the rotation gives nothing, nor does the
    // ring hung from it.
    double z = -1.0;
    EXPECT_EQ(esterno->getQuotaDaProg(z, 10.0, -1), 0);
    EXPECT_EQ(interno->getQuotaDaProg(z, 10.0, -1), 0);
    EXPECT_EQ(z, -1.0);
}

TEST_F(RotazioneTest, AnIslandEdgeHungFromTheOuterEdgeOfItsSide) {
    // The island edge 4 m inside the outer edge, which lies flat at 100.
    struct Caso {
        const char* nome;
        bool riferimentoSenzaNodi, fineSullaFine, inizioSulRiferimento;
        double primo;
        bool primoGrigio;
        double ultimo;
    };
    const Caso casi[] = {
        {"from the nodes", false, false, false, 0.05, true, 0.15},
        {"reference without nodes", true, false, false, 0.05, true, 0.15},
        {"end nodes at one place", false, true, false, 0.05, true, 0.0},
        {"first node on the reference", false, false, true, 0.07, false, 0.15},
    };
    for (const Caso& c : casi) {
        m_rotatoria = Nuovo<CRotatoria3D>(29000);
        CCiglio3D* esterno = Retto(L"rCEOut", 0, 0, 40, 0);
        CCiglio3D* isola = Retto(L"rCIOut", 0, 4, 40, 4);
        Nodo(esterno, 0, 0, 100.0);
        CPuntoNodo* u = Nodo(esterno, 40, 0, 100.0);
        esterno->SetDato(CDato(3, 8));
        ASSERT_EQ(esterno->calcolaProfilo(0, nullptr, CDato()), 1);
        CPuntoNodo* n1 = Nodo(isola, 0, 4, 100.2);
        Nodo(isola, 40, 4, 100.6);
        isola->SetDato(CDato(3, 7));
        isola->setProfRif(3000);
        if (c.riferimentoSenzaNodi) esterno->getPunti(9)->Empty();
        if (c.fineSullaFine) u->setPunto(40, 4, 0);
        if (c.inizioSulRiferimento) n1->setPunto(0, 0, 0);
        Rotazione(isola, 0, 0.07);

        ASSERT_EQ(isola->calcolaRotazione(0, nullptr, CDato()), 1) << c.nome;
        std::vector<CPuntoRotazione*> r = Rotazioni(isola);
        ASSERT_EQ(r.size(), 2u) << c.nome;
        EXPECT_NEAR(r[0]->getProgressiva(), 0.0, 1e-12) << c.nome;
        EXPECT_NEAR(r[0]->getPendenza(), c.primo, 1e-12) << c.nome;
        EXPECT_EQ(r[0]->isPendenzaGrigia(), c.primoGrigio) << c.nome;
        EXPECT_TRUE(r[0]->isGrigio() && r[1]->isGrigio()) << c.nome;
        EXPECT_NEAR(r[1]->getProgressiva(), 40.0, 1e-12) << c.nome;
        EXPECT_NEAR(r[1]->getPendenza(), c.ultimo, 1e-12) << c.nome;
        EXPECT_TRUE(r[1]->isPendenzaGrigia()) << c.nome;
        if (!c.riferimentoSenzaNodi && !c.fineSullaFine && !c.inizioSulRiferimento) {
            EXPECT_NEAR(Z(isola, 20.0), 100.4, 1e-9);
        }
    }
}

TEST_F(RotazioneTest, ABranchEdgeWithoutReferenceOrNodesComputesNothing) {
    CCiglio3D* esterno = Retto(L"rCEOut", 0, 0, 40, 0);
    CCiglio3D* isola = Retto(L"rCIOut", 0, 4, 40, 4);
    CPuntoRotazione* p = Rotazione(isola, 10, 0.07);
    Nodo(isola, 0, 4, 100.2);
    EXPECT_EQ(isola->calcolaRotazione(0, nullptr, CDato()), 0);  // no reference
    isola->setProfRif(3000);
    ASSERT_EQ(isola->getCiglioRif(), esterno);
    EXPECT_EQ(isola->calcolaRotazione(0, nullptr, CDato()), 0);  // one node
    EXPECT_EQ(Rotazioni(isola), std::vector<CPuntoRotazione*>{p});
    EXPECT_EQ(p->getProgressiva(), 10.0);
    EXPECT_EQ(p->getPendenza(), 0.07);
}

}  // namespace
