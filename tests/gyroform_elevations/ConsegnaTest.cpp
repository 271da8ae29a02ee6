// The hand-over of elevations between the two island edges of a branch.
#include "ModelFixture.h"

using namespace modello;

namespace {

std::vector<double> Progressive(IQvObject_Group* g) {
    std::vector<double> out;
    for (IQvObject* o : Membri(g)) out.push_back(static_cast<CPuntoCiglio*>(o)->getProgressiva());
    return out;
}

CPuntoCiglio* Punto(CCiglio3D* c, int tipo, double prog) {
    auto* p = static_cast<CPuntoCiglio*>(GyroformMain::getConstructor()->Alloca(tipo));
    p->impostaDaProgressiva(c, prog);
    c->getPunti(tipo == 29004 ? 8 : 7)->Append(p);
    return p;
}

TEST_F(ModelTest, TheInnerRightEdgeHandsItsProfileOverToTheInnerLeft) {
    ASSERT_EQ(Costruisci(TreRami()), 1);
    auto* destro = static_cast<CCiglioRamo3D*>(Ciglio(5000, L"SP 1"));
    auto* sinistro = static_cast<CCiglioRamo3D*>(Ciglio(4000, L"SP 1"));
    destro->SetDato(CDato(3, 8));
    sinistro->SetDato(CDato(3, 8));
    std::vector<CPuntoNodo*> d = Nodi(destro), s = Nodi(sinistro);
    const double incontro = s[1]->getProgressiva();
    // Points of the receiving edge beyond the meeting node, and one before it.
    for (double prog : {5.0, incontro + 5.0, incontro + 10.0}) {
        Punto(sinistro, 29004, prog);
        Punto(sinistro, 29006, prog);
    }
    ASSERT_EQ(destro->calcolaProfilo(0, nullptr, CDato()), 1);

    EXPECT_EQ(d[1]->getUlteriore(), 1);
    EXPECT_EQ(d[2]->getUlteriore(), 1);
    EXPECT_EQ(s[1]->getUlteriore(), 0);
    EXPECT_EQ(s[2]->getUlteriore(), 0);
    EXPECT_EQ(s[1]->getQuota(), d[1]->getQuota());
    EXPECT_EQ(s[1]->getPendenza(), d[1]->getPendenza());
    for (int gruppo : {8, 7}) {
        std::vector<double> p = Progressive(sinistro->getPunti(gruppo));
        ASSERT_FALSE(p.empty());
        for (double x : p) EXPECT_LE(x, incontro + 1e-9) << gruppo;
        EXPECT_NEAR(p.back(), incontro, 1e-9) << gruppo;
    }
    // Beyond its last vertex the left edge follows the right one.
    double zs = 0.0, zd = 0.0;
    ASSERT_EQ(sinistro->getQuotaDaProg(zs, incontro + 5.0, -1), 1);
    ASSERT_EQ(destro->getQuotaDaProg(zd, d[1]->getProgressiva() + 5.0, -1), 1);
    EXPECT_DOUBLE_EQ(zs, zd);
    // The right edge's meeting node takes its own profile's elevation there.
    double z2 = 0.0;
    ASSERT_EQ(destro->getQuotaDaProg(z2, d[1]->getProgressiva(), -1), 1);
    EXPECT_DOUBLE_EQ(d[1]->getQuota(), z2);
}

TEST_F(ModelTest, EdgesHandingOverToEachOtherDoNotLoop) {
    ASSERT_EQ(Costruisci(TreRami()), 1);
    auto* destro = static_cast<CCiglioRamo3D*>(Ciglio(5000, L"SP 1"));
    auto* sinistro = static_cast<CCiglioRamo3D*>(Ciglio(4000, L"SP 1"));
    for (CCiglioRamo3D* c : {destro, sinistro}) {
        c->SetDato(CDato(3, 8));
        Punto(c, 29004, 0.0);
        Nodi(c)[1]->setUlteriore(1);
    }
    double z = 0.0;
    EXPECT_EQ(sinistro->getQuotaDaProg(z, 25.0, -1), 0);
    EXPECT_EQ(destro->getQuotaDaProg(z, 25.0, -1), 0);
    // A node without partner hands nothing over.
    Nodi(destro)[1]->setCollegato(nullptr);
    EXPECT_EQ(destro->adattaPunti(Nodi(destro)[1], Nodi(destro)[2]), 0);
    CPuntoNodo* collegato = reinterpret_cast<CPuntoNodo*>(1);
    EXPECT_EQ(destro->getSecondoNodo(collegato), nullptr);
    EXPECT_EQ(collegato, nullptr);
    EXPECT_EQ(sinistro->getSecondoNodo(collegato), destro);
}

}  // namespace
