// The ring's vertical profile: closed around the ring through its vertex points.
#include <cmath>

#include "ModelFixture.h"

using namespace modello;

namespace {

class ProfiloAnelloTest : public ModelTest {
protected:
    // A ring 100 long.
    CCiglio3D* Anello() {
        CCiglio3D* anello = CreaAnello(*m_rotatoria, L"aCExt", 100.0 / (2 * std::acos(-1.0)));
        anello->creaGruppiPunti();
        return anello;
    }
    static std::vector<double> Vertici(CCiglio3D* c) {
        auto* p = dynamic_cast<ICPROFILO_STRADALE*>(c->getProfiloAltimetrico());
        std::vector<double> out;
        for (ICVERTICE_PROFILO* v = p ? p->primoVertice() : nullptr; v; v = p->successivo(v)) out.push_back(v->prog);
        return out;
    }
    CPuntoVertice* Vertice(CCiglio3D* c, double prog, double quota, double raggio) {
        auto* v = static_cast<CPuntoVertice*>(GyroformMain::getConstructor()->Alloca(29004));
        v->impostaDaProgressiva(c, prog);
        v->setQuota(quota);
        v->setRaggio(raggio);
        c->getPunti(8)->Append(v);
        return v;
    }
};

TEST_F(ProfiloAnelloTest, WithoutVertexPointsOneAtTheStart) {
    m_rotatoria->SetDato(CDato(7, 50.0));
    CCiglio3D* c = Anello();
    ASSERT_NEAR(c->getLunghezza(), 100.0, 1e-9);
    double z = 0.0;
    EXPECT_EQ(c->getQuotaDaProg(z, 10.0, 8), 0);  // no profile yet
    EXPECT_EQ(c->calcolaProfilo(0, nullptr, CDato()), 1);
    std::vector<IQvObject*> punti = Membri(c->getPunti(8));
    ASSERT_EQ(punti.size(), 1u);
    EXPECT_EQ(static_cast<CPuntoVertice*>(punti[0])->getQuota(), 50.0);
    std::vector<double> v = Vertici(c);
    ASSERT_EQ(v.size(), 3u);
    EXPECT_NEAR(v[0], -100.0, 1e-9);
    EXPECT_NEAR(v[1], 0.0, 1e-9);
    EXPECT_NEAR(v[2], 100.0, 1e-9);
    ASSERT_EQ(c->getQuotaDaProg(z, 37.0, 8), 1);
    EXPECT_NEAR(z, 50.0, 1e-9);
}

TEST_F(ProfiloAnelloTest, TheProfileRunsALapBeforeAndAfter) {
    CCiglio3D* c = Anello();
    CPuntoVertice* primo = Vertice(c, 10, 100.0, 0.0);
    CPuntoVertice* secondo = Vertice(c, 30, 101.0, 500.0);
    primo->setRaggio(300.0);
    ASSERT_EQ(c->calcolaProfilo(0, nullptr, CDato()), 1);
    std::vector<double> v = Vertici(c);
    ASSERT_EQ(v.size(), 5u);
    const double attesi[] = {-70, 10, 30, 110, 130};
    for (size_t i = 0; i < 5; ++i) EXPECT_NEAR(v[i], attesi[i], 1e-9) << i;
    // Grades +5 % from 10 to 30, -1/80 from 30 to 110; the curves fit their grades.
    double z = 0.0;
    ASSERT_EQ(c->getQuotaDaProg(z, 20.0, 8), 1);
    EXPECT_NEAR(z, 100.5, 1e-9);
    EXPECT_LT(secondo->getRaggio(), 500.0);  // reduced to fit, read back
    EXPECT_GT(secondo->getRaggio(), 0.0);
    // The ring's length is its start: the same elevation.
    double z0 = 0.0, zL = 0.0;
    ASSERT_EQ(c->getQuotaDaProg(z0, 0.0, 8), 1);
    ASSERT_EQ(c->getQuotaDaProg(zL, 100.0, 8), 1);
    EXPECT_DOUBLE_EQ(z0, zL);
    // A new computation replaces the profile.
    ASSERT_EQ(c->calcolaProfilo(0, nullptr, CDato()), 1);
    EXPECT_EQ(Vertici(c).size(), 5u);
}

}  // namespace
