// The edge points: properties, descriptors and texts of each kind, their
// owner and default elevation, and their place found from a chainage.
#include "ModelFixture.h"

using namespace modello;

namespace {

// A branch edge whose elevation is fixed, for the points that read it.
class CiglioAQuota : public CCiglioRamo3D {
public:
    double quota = 0.0;
    int getQuotaDaProg(double& q, double, int) override {
        q = quota;
        return 1;
    }
};

void Colore(const CDato& d, int& a, int& r, int& g, int& b) {
    auto* c = dynamic_cast<IQvObject_Colour*>(d.GetAllegato());
    ASSERT_NE(c, nullptr);
    c->GetColore(a, r, g, b);
}

TEST_F(ModelTest, VerificationDeltaAndItsColour) {
    auto p = Nuovo<CPuntoVerifica>(29007);
    EXPECT_DOUBLE_EQ(p->GetDato(13).GetDouble(), 0.001);
    EXPECT_EQ(p->SetDato(CDato(13, -0.05)), 1);
    EXPECT_DOUBLE_EQ(p->GetDato(13).GetDouble(), 0.05);
    EXPECT_EQ(p->SetDato(CDato(12, 1.0)), 0);
    p->SetDato(CDato(13, 0.001));
    p->SetDato(CDato(5, 10.0));
    // Without owner the edge's elevation counts as 0.
    EXPECT_DOUBLE_EQ(p->GetDato(12).GetDouble(), 10.0);

    CiglioAQuota ciglio;
    p->inizializza(&ciglio, false);
    struct Caso {
        double quota, delta;
        int r, g;
    };
    for (const Caso& c : {Caso{10.0008, -0.0008, 0, 230}, Caso{10.002, -0.002, 230, 0}}) {
        ciglio.quota = c.quota;
        CDato d = p->GetDato(12);
        EXPECT_NEAR(d.GetDouble(), c.delta, 1e-12);
        int a, r, g, b;
        Colore(d, a, r, g, b);
        EXPECT_EQ((std::vector<int>{a, r, g, b}), (std::vector<int>{255, c.r, c.g, 0}));
    }
}

TEST_F(ModelTest, SectionSlopeAcrossToThePreviousNeighbour) {
    CiglioAQuota e, a, b;
    e.quota = 10.0;
    a.quota = 9.9;
    auto s = Nuovo<CPuntoSezione>(29010);
    auto pa = Nuovo<CPuntoSezione>(29010);
    auto pb = Nuovo<CPuntoSezione>(29010);
    const double os[3] = {0, 0, 0}, oa[3] = {0, -5, 0}, ob[3] = {5, 0, 0};
    s->CPuntoCiglio::imposta(&e, 0, 0, 2, os);
    pa->CPuntoCiglio::imposta(&a, 0, 0, 2, oa);
    pb->CPuntoCiglio::imposta(&b, 0, 0, 2, ob);
    double pendenza = -1.0;
    EXPECT_EQ(CPuntoSezione::calcolaPendenza(s.get(), pendenza, s.get()), 0);  // no previous neighbour
    EXPECT_EQ(CPuntoSezione::calcolaPendenza(s.get(), pendenza, nullptr), 0);
    EXPECT_EQ(pendenza, -1.0);
    EXPECT_EQ(s->imposta(nullptr, pa.get(), nullptr), 1);
    EXPECT_EQ(s->getProprietario(), &e);
    ASSERT_EQ(CPuntoSezione::calcolaPendenza(s.get(), pendenza, s.get()), 1);
    EXPECT_DOUBLE_EQ(pendenza, 0.0);  // only the edge's own grade, flat here
    // With the next neighbour at a right angle: the whole cross fall to A.
    s->imposta(nullptr, pa.get(), pb.get());
    ASSERT_EQ(CPuntoSezione::calcolaPendenza(s.get(), pendenza, s.get()), 1);
    EXPECT_NEAR(pendenza, 0.1 / 5.0, 1e-12);
}

TEST_F(ModelTest, RotationSlopeIsShownInPercent) {
    auto p = Nuovo<CPuntoRotazione>(29006);
    p->setPendenza(0.025);
    EXPECT_DOUBLE_EQ(p->GetDato(7).GetDouble(), 2.5);
    EXPECT_EQ(p->SetDato(CDato(7, 4.0)), 1);
    EXPECT_DOUBLE_EQ(p->getPendenza(), 0.04);
    p->setPendenzaGrigia(true);
    int a, r, g, b;
    Colore(p->GetDato(7), a, r, g, b);
    EXPECT_EQ((std::vector<int>{a, r, g, b}), (std::vector<int>{255, 200, 200, 200}));
    EXPECT_EQ(p->SetDato(CDato(5, 1.0)), 0);
}

TEST_F(ModelTest, VertexCurveTypeSlopeAndChainage) {
    auto p = Nuovo<CPuntoVertice>(29004);
    EXPECT_EQ(p->GetDato(10).GetString(), L"Parabolico");
    EXPECT_EQ(p->SetDato(CDato(10, L"Circolare")), 1);
    EXPECT_EQ(p->getTipoRaccordo(), 3113);
    // A text that is in no list: refused, the type kept.
    EXPECT_EQ(p->SetDato(CDato(10, L"Clotoide")), 0);
    EXPECT_EQ(p->getTipoRaccordo(), 3113);
    p->setPendenza(-0.015);
    EXPECT_DOUBLE_EQ(p->GetDato(8).GetDouble(), -1.5);
    EXPECT_EQ(p->SetDato(CDato(8, 7.0)), 1);
    EXPECT_DOUBLE_EQ(p->getPendenza(), -0.015);
    // Property 4: the position without owner, grey or black.
    p->SetDato(CDato(2, 0.4));
    p->setGrigio(true);
    CDato d = p->GetDato(4);
    EXPECT_DOUBLE_EQ(d.GetDouble(), 0.4);
    int a, r, g, b;
    Colore(d, a, r, g, b);
    EXPECT_EQ(r, 200);
    p->setGrigio(false);
    Colore(p->GetDato(4), a, r, g, b);
    EXPECT_EQ(r, 0);
}

TEST_F(ModelTest, PropertyTexts) {
    auto vertice = Nuovo<CPuntoVertice>(29004);
    auto nodo = Nuovo<CPuntoNodo>(29008);
    auto rotazione = Nuovo<CPuntoRotazione>(29006);
    auto verifica = Nuovo<CPuntoVerifica>(29007);
    auto sezione = Nuovo<CPuntoSezione>(29010);
    vertice->SetDato(CDato(2, 0.1234567));
    const double punto[3] = {1, 2.5, -3};
    vertice->SetDato(CDato(3, punto));
    struct Caso {
        CPuntoCiglio* p;
        int id, modo, decimali;
        const wchar_t* testo;
    };
    const int D = 999999999;
    const Caso casi[] = {
        {vertice.get(), 4, 0, D, L"Progressiva  [m]"},
        {vertice.get(), 2, 5, D, L"0.123"},
        {vertice.get(), 2, 5, 1, L"0.1"},
        // Decimals are kept within what a double holds: none below 0, 17 at most.
        {vertice.get(), 2, 5, -3, L"0"},
        {vertice.get(), 2, 6, 2000000000, L"%.17lf"},
        {vertice.get(), 2, 5, 2000000000, L"0.12345670000000000"},
        {vertice.get(), 2, 6, D, L"%.3lf"},
        {vertice.get(), 4, 7, 2, L"%.2lf  [m]"},
        {vertice.get(), 4, 8, 1, L"3"},
        {vertice.get(), 4, 4, D, L" [m]"},
        {vertice.get(), 10, 5, D, L"Parabolico"},
        {vertice.get(), 10, 1, D, L"Tipo Raccordo"},
        {vertice.get(), 8, 3, D, L"Pend. Long.  [%]"},
        {vertice.get(), 3, 5, D, L""},  // no descriptor for the coordinates
        {vertice.get(), 4, 9, D, L""},
        {nodo.get(), 8, 3, D, L"Pend.  [m]"},
        {nodo.get(), 5, 1, D, L"Quota"},
        {rotazione.get(), 7, 2, D, L"Pend. "},
        {verifica.get(), 12, 2, D, L"\u2206 Quota"},
        {verifica.get(), 13, 4, D, L" [\u00b1m]"},
        {verifica.get(), 5, 1, D, L"Quota di riferimento"},
        {sezione.get(), 4, 0, D, L""},
        {sezione.get(), 2, 5, D, L""},
    };
    for (const Caso& c : casi) EXPECT_EQ(c.p->GetDatoStringa(c.id, c.modo, c.decimali), c.testo) << c.id << "/" << c.modo;
}

TEST_F(ModelTest, PropertyListsByContext) {
    struct Caso {
        int tipo, contesto;
        std::vector<int> ids;
    };
    const Caso casi[] = {{29004, 7005, {2, 1, 9, 3, 5, 6, 10}}, {29004, 0, {4, 5, 6, 10, 8}},
                         {29007, 0, {4, 5, 12, 13}},             {29008, 7005, {2, 1, 9, 3, 5, 8}},
                         {29005, 0, {4, 5}},                     {29006, 0, {4, 7}},
                         {29010, 7005, {2, 1, 9, 3}},            {29003, 0, {4}}};
    for (const Caso& c : casi) {
        Ptr<CPuntoCiglio> p = Nuovo<CPuntoCiglio>(c.tipo);
        CDato* dati = nullptr;
        int n = 0;
        ASSERT_EQ(p->GetElencoDati(&dati, &n, c.contesto), 1);
        std::vector<int> ids;
        for (int i = 0; i < n; ++i) ids.push_back(dati[i].GetId());
        EXPECT_EQ(ids, c.ids) << c.tipo << "/" << c.contesto;
        if (c.tipo == 29007) {
            EXPECT_TRUE(dati[2].GetFlag());
            EXPECT_EQ(dati[0].GetEtichetta(), L"Prog  [m]");
            EXPECT_NE(dati[0].GetAllegato(), nullptr);
        }
        CDato::LiberaArrayCDato(dati);
    }
}

TEST_F(ModelTest, KindsAnswerIsA) {
    for (int tipo : {29003, 29004, 29005, 29006, 29007, 29008, 29010}) {
        Ptr<IQvObject> p(GyroformMain::getConstructor()->Alloca(tipo));
        EXPECT_TRUE(p->IsA(tipo));
        EXPECT_TRUE(p->IsA(29003));
        EXPECT_TRUE(p->IsA(0));
        EXPECT_EQ(p->IsA(29004), tipo == 29004) << tipo;
        EXPECT_EQ(p->GetNomeTipo(), L"Rotatoria3D");
    }
}

TEST_F(ModelTest, AttachingGivesTheReferenceElevationOnlyOnce) {
    m_rotatoria->SetDato(CDato(7, 12.5));
    CiglioAQuota primo, secondo;
    primo.inizializzaCiglio(m_rotatoria.get(), L"rCEIn", nullptr, nullptr, nullptr);
    auto vertice = Nuovo<CPuntoVertice>(29004);
    auto piano = Nuovo<CPuntoPiano>(29005);
    auto verifica = Nuovo<CPuntoVerifica>(29007);
    auto nodo = Nuovo<CPuntoNodo>(29008);
    EXPECT_EQ(vertice->inizializza(&primo, true), 1);
    piano->inizializza(&primo, true);
    verifica->inizializza(&primo, true);
    nodo->inizializza(&primo, true);
    EXPECT_DOUBLE_EQ(vertice->getQuota(), 12.5);
    EXPECT_DOUBLE_EQ(piano->getQuota(), 12.5);
    EXPECT_DOUBLE_EQ(verifica->getQuotaRif(), 12.5);
    EXPECT_DOUBLE_EQ(nodo->getQuota(), 0.0);
    m_rotatoria->SetDato(CDato(7, 30.0));
    vertice->inizializza(&secondo, true);
    EXPECT_DOUBLE_EQ(vertice->getQuota(), 12.5);
    EXPECT_EQ(vertice->getProprietario(), &secondo);
    vertice->inizializza(nullptr, true);
    EXPECT_EQ(vertice->getProprietario(), &secondo);
}

TEST_F(ModelTest, PlacingAPointByChainageFindsItsReference) {
    rotatorie::Rotatoria pianta = TreRami();
    pianta.rami[0].senzaBordo = rotatorie::Bordo::rCIOut;  // SP 1's outer left has no inner edge
    ASSERT_EQ(Costruisci(pianta), 1);
    struct Caso {
        int codice;
        const wchar_t* asse;
        int tipoRif;
        double prog;
    };
    // Without its inner edge, an outer edge measures along its normal on
    // the ring, which it meets only near the ring.
    const Caso casi[] = {{1000, nullptr, 2, 10.0}, {5000, L"SP 1", 2, 10.0}, {6000, L"SP 1", 2, 10.0},
                         {3000, L"SP 1", 1, 0.3},   {3000, L"SP 2", 2, 10.0}};
    for (const Caso& c : casi) {
        CCiglio3D* ciglio = Ciglio(c.codice, c.asse);
        ASSERT_NE(ciglio, nullptr) << c.codice;
        auto p = Nuovo<CPuntoVertice>(29004);
        ASSERT_EQ(p->impostaDaProgressiva(ciglio, c.prog), 1) << c.codice;
        EXPECT_EQ(p->getTipoRif(), c.tipoRif) << c.codice;
        EXPECT_NEAR(p->getProgressiva(), c.prog, 1e-9);
        EXPECT_GT(p->getValoreRif(), 0.0);
        EXPECT_LT(p->getValoreRif(), 1.0);
        Zyl_GePoint3d q;
        ciglio->getPuntoDaProg(c.prog, q);
        EXPECT_NEAR(p->x(), q.x, 1e-9);
        EXPECT_EQ(p->z(), 0.0);
    }
    CCiglio3D* sinistro = Ciglio(3000, L"SP 1");
    auto lontano = Nuovo<CPuntoVertice>(29004);
    EXPECT_EQ(lontano->impostaDaProgressiva(sinistro, 10.0), 0);  // far from the ring: no reference line
    auto senza = Nuovo<CPuntoVertice>(29004);
    EXPECT_EQ(senza->impostaDaProgressiva(nullptr, 5.0), 0);
    EXPECT_EQ(senza->SetDato(CDato(4, 5.0)), 0);
    CCiglio3D* anello = Ciglio(2000, nullptr);
    EXPECT_EQ(senza->impostaDaProgressiva(anello, anello->getLunghezza() + 1.0), 0);
    EXPECT_EQ(senza->SetDato(CDato(4, 20.0)), 1);
    EXPECT_NEAR(senza->GetDato(4).GetDouble(), 20.0, 1e-9);
}

}  // namespace
