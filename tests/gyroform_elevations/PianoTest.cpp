// The ring's plane: fitted through its plane points, copied from the other
// ring, evaluated at a chainage.
#include <cmath>

#include "Elevazioni.h"

using namespace modello;

namespace {

class PianoTest : public ModelTest {
protected:
    // A ring of radius r about the origin, starting at (r, 0), counter-clockwise.
    CCiglioAnello3D* Anello(const wchar_t* codice, double raggio) {
        return elevazioni::AnelloSenzaPiano(*m_rotatoria, codice, raggio);
    }
    // A plane point at a fraction of the ring, with its elevation.
    CPuntoPiano* Punto(CCiglioAnello3D* anello, double posizione, double quota) {
        auto* p = static_cast<CPuntoPiano*>(GyroformMain::getConstructor()->Alloca(29005));
        p->impostaDaProgressiva(anello, posizione * anello->getLunghezza());
        p->setQuota(quota);
        anello->getPunti(5)->Append(p);
        return p;
    }
    static std::vector<double> Piano(CCiglioAnello3D* a) {
        double pa, pb, pc;
        a->getPiano(pa, pb, pc);
        return {pa, pb, pc};
    }
};

void Vicini(const std::vector<double>& a, const std::vector<double>& b, double tol) {
    ASSERT_EQ(a.size(), b.size());
    for (size_t i = 0; i < a.size(); ++i) EXPECT_NEAR(a[i], b[i], tol) << i;
}

TEST_F(PianoTest, ThreeAndFourPoints) {
    CCiglioAnello3D* a = Anello(L"aCExt", 10);
    Punto(a, 0.0, 101);
    Punto(a, 0.25, 102);
    Punto(a, 0.5, 100);
    ASSERT_EQ(a->calcolaPiano(), 1);
    Vicini(Piano(a), {0.05, 0.15, 100.5}, 1e-12);
    Punto(a, 0.75, 100.2);
    ASSERT_EQ(a->calcolaPiano(), 1);
    Vicini(Piano(a), {0.05, 0.09, 100.8}, 1e-9);
    // The plane points keep their elevations; residuals +-0.3.
    std::vector<double> quote;
    for (IQvObject* o : Membri(a->getPunti(5))) quote.push_back(static_cast<CPuntoPiano*>(o)->getQuota());
    EXPECT_EQ(quote, (std::vector<double>{101, 102, 100, 100.2}));
    double z = 0.0;
    a->SetDato(CDato(3, 5));
    ASSERT_EQ(a->getQuotaDaProg(z, 0.0, -1), 1);
    EXPECT_NEAR(std::fabs(101 - z), 0.3, 1e-9);
    // The ring's length is its start.
    double zFine = 0.0;
    ASSERT_EQ(a->getQuotaDaProg(zFine, a->getLunghezza(), 5), 1);
    EXPECT_DOUBLE_EQ(zFine, z);
    // Method 0 means the edge's own; a method without its data: not available.
    EXPECT_EQ(a->getQuotaDaProg(z, 1.0, 0), 1);
    EXPECT_EQ(a->getQuotaDaProg(z, 1.0, 8), 0);
}

TEST_F(PianoTest, PointsThatGiveNoPlaneAreReplaced) {
    struct Caso {
        const char* nome;
        std::vector<std::pair<double, double>> punti;  // (position, elevation)
        bool sostituiti;
        std::vector<double> piano;
    };
    const Caso casi[] = {
        {"none", {}, true, {0, 0, 100}},
        {"two", {{0.0, 101}, {0.25, 102}}, true, {0, 0, 100}},
        // A flat plane through elevation 0 at the centre spans the plan: kept.
        {"flat at 0", {{0.0, 0}, {0.25, 0}, {0.5, 0}}, false, {0, 0, 0}},
        // Two at one place in plan: replaced.
        {"coincident", {{0.0, 101}, {0.0, 102}, {0.25, 100}}, true, {0, 0, 100}},
    };
    for (const Caso& c : casi) {
        m_rotatoria = Nuovo<CRotatoria3D>(29000);
        m_rotatoria->SetDato(CDato(7, 100.0));
        CCiglioAnello3D* a = Anello(L"aCExt", 10);
        for (auto [pos, z] : c.punti) Punto(a, pos, z);
        std::vector<IQvObject*> prima = Membri(a->getPunti(5));
        ASSERT_EQ(a->calcolaPiano(), 1) << c.nome;
        std::vector<IQvObject*> dopo = Membri(a->getPunti(5));
        ASSERT_EQ(dopo.size(), 3u) << c.nome;
        if (!c.sostituiti) {
            EXPECT_EQ(dopo, prima) << c.nome;
        } else {
            for (size_t i = 0; i < 3; ++i) {
                auto* p = static_cast<CPuntoPiano*>(dopo[i]);
                EXPECT_NEAR(p->getProgressiva(), a->getLunghezza() * i / 3.0, 1e-9) << c.nome;
                EXPECT_EQ(p->getQuota(), 100.0) << c.nome;
            }
        }
        Vicini(Piano(a), c.piano, 1e-9);
    }
}

TEST_F(PianoTest, PointsInOneLineInPlanKeepThePreviousPlane) {
    CCiglioAnello3D* a = Anello(L"aCExt", 10);
    Punto(a, 0.0, 101);
    Punto(a, 0.25, 102);
    Punto(a, 0.5, 100);
    ASSERT_EQ(a->calcolaPiano(), 1);
    // Their stored places span the plan, but all lie at the ring's start.
    const double luoghi[3][3] = {{10, 0, 0}, {0, 10, 0}, {-10, 0, 0}};
    int i = 0;
    for (IQvObject* o : Membri(a->getPunti(5))) {
        auto* p = static_cast<CPuntoPiano*>(o);
        p->SetDato(CDato(2, 0.0));
        p->SetDato(CDato(3, luoghi[i++]));
    }
    EXPECT_EQ(a->calcolaPiano(), 0);
    Vicini(Piano(a), {0.05, 0.15, 100.5}, 1e-12);
}

TEST_F(PianoTest, TheParallelPlane) {
    CCiglioAnello3D* esterno = Anello(L"aCExt", 10);
    Punto(esterno, 0.0, 101);
    Punto(esterno, 0.25, 102);
    Punto(esterno, 0.5, 100);
    ASSERT_EQ(esterno->calcolaPiano(), 1);
    // Alone, a ring has no plane to copy: its plane stays.
    esterno->setUsaPianoParallelo(1);
    EXPECT_EQ(esterno->calcolaPiano(), 0);
    Vicini(Piano(esterno), {0.05, 0.15, 100.5}, 1e-12);
    esterno->setUsaPianoParallelo(0);

    CCiglioAnello3D* interno = Anello(L"aCInt", 6);
    interno->setUsaPianoParallelo(1);
    interno->setDiffQuotaPiani(-0.5);
    ASSERT_EQ(interno->calcolaPiano(), 1);
    EXPECT_EQ(interno->getCiglioRif(), esterno);
    EXPECT_EQ(interno->getCodiceRif(), L"aCExt");
    Vicini(Piano(interno), {0.05, 0.15, 100.0}, 1e-12);
    for (IQvObject* o : Membri(interno->getPunti(5))) {
        auto* p = static_cast<CPuntoPiano*>(o);
        EXPECT_NEAR(p->getQuota(), 0.05 * p->x() + 0.15 * p->y() + 100.0, 1e-12);
    }
    // An edge never takes itself as reference, nor a code that matches
    // nothing: both are refused and the reference stays.
    EXPECT_EQ(interno->setProfRif(1000), 0);
    EXPECT_EQ(interno->setProfRif(3000), 0);
    EXPECT_EQ(interno->getCiglioRif(), esterno);
    EXPECT_EQ(interno->getCodiceRif(), L"aCExt");
}

TEST_F(PianoTest, TheReferenceElevationIsTheMeanOfTheAxes) {
    CCiglioAnello3D* a = Anello(L"aCExt", 10);
    EXPECT_EQ(a->adattaPunti(), 0);  // no axis: nothing changes
    m_rotatoria->SetDato(CDato(7, 42.0));
    for (double q : {100.0, 101.0, 102.0}) {
        CAsseRamo* asse = m_rotatoria->trovaOCreaAsse(std::to_wstring(q).c_str(), L"", false, true, -1.0);
        asse->setQuotaCentriRotazione(q);
    }
    EXPECT_EQ(a->adattaPunti(), 1);
    EXPECT_DOUBLE_EQ(m_rotatoria->getQuotaRiferimento(), 101.0);
}

}  // namespace
