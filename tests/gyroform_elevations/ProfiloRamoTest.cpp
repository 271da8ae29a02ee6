// A branch edge's vertical profile from its first and end nodes.
#include <cmath>

#include "Elevazioni.h"

using namespace modello;

namespace {

class ProfiloRamoTest : public ModelTest {
protected:
    void TearDown() override {
        m_ciglio.reset();
        ModelTest::TearDown();
    }
    // A straight branch edge 40 long, with nodes at its start and end.
    CCiglio3D* Ramo(double z1, double s1, double zE, double sE, double lunghezza = 40.0) {
        m_ciglio = Nuovo<CCiglio3D>(29002);
        m_ciglio->inizializzaCiglio(m_rotatoria.get(), L"rCEIn", nullptr, Retta(0, 0, lunghezza, 0), nullptr);
        m_ciglio->creaGruppiPunti();
        m_ciglio->SetDato(CDato(3, 8));
        const double a[2] = {0, 0}, b[2] = {lunghezza, 0};
        CPuntoNodo* n1 = m_ciglio->creaPuntoNodo(0.0, 0.0, 1, a);
        CPuntoNodo* nE = m_ciglio->creaPuntoNodo(1.0, 1.0, 2, b);
        n1->setQuota(z1);
        n1->setPendenza(s1);
        nE->setQuota(zE);
        nE->setPendenza(sE);
        return m_ciglio.get();
    }
    static std::vector<CPuntoVertice*> Vertici(CCiglio3D* c) { return elevazioni::Punti<CPuntoVertice>(c, 8); }
    static double Z(CCiglio3D* c, double prog) { return elevazioni::Quota(c, prog); }
    Ptr<CCiglio3D> m_ciglio;
};

TEST_F(ProfiloRamoTest, GradeLinesThatCrossGiveOneMiddleVertex) {
    CCiglio3D* c = Ramo(100, 0.02, 100, -0.02);
    ASSERT_EQ(c->calcolaProfilo(0, nullptr, CDato()), 1);
    std::vector<CPuntoVertice*> v = Vertici(c);
    ASSERT_EQ(v.size(), 3u);
    EXPECT_NEAR(v[1]->getProgressiva(), 20.0, 1e-9);
    EXPECT_NEAR(v[1]->getQuota(), 100.4, 1e-9);
    EXPECT_DOUBLE_EQ(v[1]->getRaggio(), 200.0);
    EXPECT_EQ(v[1]->getTipoRaccordo(), 3114);
    EXPECT_EQ(v[0]->getRaggio(), 0.0);
    EXPECT_EQ(v[2]->getRaggio(), 0.0);
    EXPECT_TRUE(v[0]->isGrigio() && v[0]->isQuotaGrigia());
    EXPECT_TRUE(v[2]->isGrigio() && v[2]->isQuotaGrigia());
    EXPECT_TRUE(v[1]->isQuotaGrigia());
    EXPECT_NEAR(v[1]->getPendenza(), 0.02, 1e-12);
    EXPECT_NEAR(v[2]->getPendenza(), -0.02, 1e-12);
    EXPECT_NEAR(Z(c, 20), 100.36, 1e-9);
    EXPECT_NEAR(Z(c, 10), 100.2, 1e-9);
    EXPECT_NEAR(Z(c, 30), 100.2, 1e-9);
}

TEST_F(ProfiloRamoTest, ParallelGradesGiveTwoMiddleVerticesWithCurvesThatFit) {
    CCiglio3D* c = Ramo(100, 0.01, 100.9, 0.01, 30.0);
    ASSERT_EQ(c->calcolaProfilo(0, nullptr, CDato()), 1);
    std::vector<CPuntoVertice*> v = Vertici(c);
    ASSERT_EQ(v.size(), 4u);
    EXPECT_NEAR(v[1]->getProgressiva(), 10.0, 1e-9);
    EXPECT_NEAR(v[1]->getQuota(), 100.1, 1e-9);
    EXPECT_NEAR(v[2]->getProgressiva(), 20.0, 1e-9);
    EXPECT_NEAR(v[2]->getQuota(), 100.8, 1e-9);
    EXPECT_NEAR(v[1]->getRaggio(), 166.67, 0.005);
    EXPECT_NEAR(v[2]->getRaggio(), 166.67, 0.005);
    // Computed again, the points stay where they are.
    ASSERT_EQ(c->calcolaProfilo(0, nullptr, CDato()), 1);
    EXPECT_EQ(Vertici(c), v);
    EXPECT_NEAR(v[1]->getQuota(), 100.1, 1e-9);
}

TEST_F(ProfiloRamoTest, TwoVertexPointsAtOneChainageMakeNoGrade) {
    CCiglio3D* c = Ramo(100, 0.02, 100, -0.02);
    ASSERT_EQ(c->calcolaProfilo(0, nullptr, CDato()), 1);
    auto* doppio = static_cast<CPuntoVertice*>(GyroformMain::getConstructor()->Alloca(29004));
    doppio->impostaDaProgressiva(c, 20.0);
    doppio->setQuota(101.0);
    c->getPunti(8)->Append(doppio);
    ASSERT_EQ(c->calcolaProfilo(0, nullptr, CDato()), 1);
    for (CPuntoVertice* v : Vertici(c)) EXPECT_TRUE(std::isfinite(v->getPendenza()));
    EXPECT_EQ(doppio->getPendenza(), 0.0);
    double z = 0.0;
    EXPECT_EQ(c->getQuotaDaProg(z, 10.0, -1), 0);  // the profile refuses two vertices at one chainage
}

TEST_F(ProfiloRamoTest, WithoutTwoNodesNothingChanges) {
    m_ciglio = Nuovo<CCiglio3D>(29002);
    m_ciglio->inizializzaCiglio(m_rotatoria.get(), L"rCEIn", nullptr, Retta(0, 0, 40, 0), nullptr);
    m_ciglio->creaGruppiPunti();
    EXPECT_EQ(m_ciglio->calcolaProfilo(0, nullptr, CDato()), 0);
    EXPECT_EQ(m_ciglio->getPunti(8)->GetMemberCount(), 0);
    EXPECT_EQ(m_ciglio->getProfiloAltimetrico(), nullptr);
}

TEST_F(ProfiloRamoTest, AtItsEndAnEdgeWithoutProfileHasItsEndNodesElevation) {
    CCiglio3D* c = Ramo(100, 0.02, 99.5, -0.02);
    double z = 0.0;
    EXPECT_EQ(c->getQuotaDaProg(z, 20.0, -1), 0);
    ASSERT_EQ(c->getQuotaDaProg(z, 40.0, -1), 1);
    EXPECT_EQ(z, 99.5);
    EXPECT_EQ(c->getQuotaDaProg(z, 40.0, 5), 0);  // not for another method
    c->SetDato(CDato(3, 0));
    EXPECT_EQ(c->getQuotaDaProg(z, 40.0, -1), 0);
}

// On the sample: the model's branch edges get their profiles from their nodes.
TEST_F(ModelTest, BranchProfilesOnTheSample) {
    ASSERT_EQ(Costruisci(TreRami()), 1);
    CCiglio3D* c = Ciglio(6000, L"SP 1");
    c->SetDato(CDato(3, 8));
    ASSERT_EQ(c->calcolaProfilo(0, nullptr, CDato()), 1);
    double z = 0.0;
    ASSERT_EQ(c->getQuotaDaProg(z, c->getLunghezza(), -1), 1);
    EXPECT_NEAR(z, 51.07, 1e-9);
}

}  // namespace
