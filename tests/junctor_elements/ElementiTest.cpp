// Road elements opened from generated road drawings: their polylines, log
// lines, distances and half widths.
#include <cmath>

#include "CPrincipaleJunctor.h"
#include "CSecondariaJunctor.h"
#include "RoadDrawing.h"

namespace {

class ElementiTest : public RoadDrawingTest {
protected:
    static void NomeDi(AcDbObjectId id, ads_name n) { acdbGetAdsName(n, id); }
};

TEST_F(ElementiTest, MainRoadOnACurveStartingAtChainage1000) {
    roads::Strada s = roads::Curva(L"SS 9", {-220, 0, 0}, 220, 400, std::acos(-1.0) / 6, 150);
    s.progIniziale = 1000;
    s.banchinaDx = 1.25;
    s.banchinaSx = 2.0;
    auto ids = Disegna(s);
    ads_name asse;
    NomeDi(ids[0], asse);
    CPrincipaleJunctor p(L"SS 9", asse);
    ads_point incrocio = {0, 0, 0};
    ASSERT_TRUE(p.CercaElementi(incrocio));
    ASSERT_TRUE(p.Apri());
    EXPECT_TRUE(p.Valida());
    EXPECT_TRUE(p.GetLog().IsEmpty());
    EXPECT_FALSE(p.GetNomeInterno().IsEmpty());
    ASSERT_TRUE(p.CalcolaLarghezze());
    EXPECT_NEAR(p.GetDistanzaBanchinaDx(), 1.25, 1e-6);
    EXPECT_NEAR(p.GetDistanzaBanchinaSx(), 2.0, 1e-6);
    ads_point sulRettifilo = {-100, 7, 0};
    EXPECT_NEAR(p.GetProgressiva(sulRettifilo), 1120, 1e-6);
    ads_name dx, sx;
    p.GetAdsNameCigli(dx, sx);
    AcDbObjectId idDx, idSx;
    acdbGetObjectId(idDx, dx);
    acdbGetObjectId(idSx, sx);
    EXPECT_EQ(idDx, ids[1]);
    EXPECT_EQ(idSx, ids[2]);
    // No island: its slots stay closed.
    EXPECT_EQ(p.GetEntita(CElemJunctor::kCiglioIsolaDx), nullptr);
    EXPECT_EQ(p.GetDatiPoliCiglioIsolaSx(), nullptr);
    p.Chiudi();
    EXPECT_EQ(p.GetDatiPoliAsse(), nullptr);
    EXPECT_EQ(p.GetEntita(CElemJunctor::kBanchinaSx), nullptr);
}

TEST_F(ElementiTest, DividedRoadOpensItsIslandEdgesAndASecondOpenDoesNothing) {
    roads::Strada s = roads::Rettilineo(L"SS 1", {-200, 0, 0}, {200, 0, 0});
    s.semiIsola = 1.0;
    s.semiDx = s.semiSx = 5;
    auto ids = Disegna(s);
    ads_name asse;
    NomeDi(ids[0], asse);
    CPrincipaleJunctor p(L"SS 1", asse);
    ads_point incrocio = {0, 0, 0};
    ASSERT_TRUE(p.CercaElementi(incrocio));
    ASSERT_TRUE(p.Apri());
    ASSERT_NE(p.GetDatiPoliCiglioIsolaDx(), nullptr);
    ASSERT_NE(p.GetEntita(CElemJunctor::kCiglioIsolaSx), nullptr);
    datipoli* prima = p.GetDatiPoliAsse();
    EXPECT_TRUE(p.Apri());
    EXPECT_EQ(p.GetDatiPoliAsse(), prima);
    EXPECT_EQ(vplat::OpenObjects(m_db.get()).size(), 7u);
}

TEST_F(ElementiTest, ValidationStopsAtTheFirstMissingPolyline) {
    auto ids = Disegna(roads::Rettilineo(L"SP 5", {0, -150, 0}, {0, 0, 0}));
    ads_name asse, niente = {0, 0};
    NomeDi(ids[0], asse);
    struct Caso {
        const char* nome;
        bool asseValido;
        const wchar_t* riga;
    } casi[] = {
        {"bad axis", false, L" - Asse non valido!\r\n "},
        // Nothing searched: every polyline is missing, the right edge is reported.
        {"no polylines", true, L" - Ciglio destro non valido!\r\n "},
    };
    for (const Caso& c : casi) {
        CSecondariaJunctor l(L"SP 5", c.asseValido ? asse : niente, CSecondariaJunctor::kIn, 0);
        EXPECT_FALSE(l.Apri()) << c.nome;
        EXPECT_TRUE(l.Apri()) << c.nome << ": a failed attempt stays opened";
        EXPECT_FALSE(l.Valida()) << c.nome;
        EXPECT_STREQ(static_cast<LPCWSTR>(l.GetLog()), c.riga) << c.nome;
        l.Chiudi();
    }
}

TEST_F(ElementiTest, MissingKindFailsTheSearchAndLeavesTheElementAlone) {
    auto ids = Disegna(roads::Rettilineo(L"SP 5", {0, -150, 0}, {0, 0, 0}));
    ASSERT_EQ(EraseEntityDaId(ids[3], m_db.get()), Acad::eOk);  // the right shoulder
    ads_name asse;
    NomeDi(ids[0], asse);
    CSecondariaJunctor l(L"SP 5", asse, CSecondariaJunctor::kIn, 0);
    ads_point incrocio = {0, 0, 0};
    EXPECT_FALSE(l.CercaElementi(incrocio));
    EXPECT_EQ(l.GetTrovato(CElemJunctor::kCiglioDx), 0);
    EXPECT_TRUE(l.GetLog().IsEmpty());
}

TEST_F(ElementiTest, HalfWidthsAreAbsoluteWhateverTheAxisDirection) {
    roads::Strada s = roads::Rettilineo(L"SP 5", {0, -150, 0}, {0, 0, 0});
    s.semiDx = 3;
    s.semiSx = 4;
    auto ids = Disegna(s);
    // The same road's axis drawn backwards; its own edges are removed so the
    // lookup finds the first road's.
    roads::Strada inversa = roads::Rettilineo(L"SP 5", {0, 0, 0}, {0, -150, 0});
    auto inv = Disegna(inversa);
    for (size_t i = 1; i < inv.size(); ++i) ASSERT_EQ(EraseEntityDaId(inv[i], m_db.get()), Acad::eOk);
    for (AcDbObjectId axisId : {ids[0], inv[0]}) {
        ads_name asse;
        NomeDi(axisId, asse);
        CSecondariaJunctor l(L"SP 5", asse, CSecondariaJunctor::kIn, 0);
        ads_point incrocio = {0, 0, 0};
        ASSERT_TRUE(l.CercaElementi(incrocio));
        ASSERT_TRUE(l.Apri());
        ASSERT_TRUE(l.Valida());
        ASSERT_TRUE(l.CalcolaLarghezze());
        EXPECT_NEAR(l.GetSemiLarghezzaDx(), 3, 1e-6);
        EXPECT_NEAR(l.GetSemiLarghezzaSx(), 4, 1e-6);
        EXPECT_NEAR(l.GetLarghezza(), 7, 1e-6);
        EXPECT_NEAR(l.GetDistanzaBanchinaDx(), 1.5, 1e-6);
    }
}

TEST_F(ElementiTest, ShoulderDistanceFromEitherStartOrFails) {
    struct Caso {
        const char* nome;
        roads::Vertex banchinaInizio, banchinaFine;
        bool riesce;
        double distanza;
    } casi[] = {
        {"shoulder start has a foot", {2, -5, 0}, {10, -5, 0}, true, 2},
        {"only the edge start has a foot", {-5, -5.5, 0}, {10, -5.5, 0}, true, 2.5},
        {"neither start has a foot", {20, -5, 0}, {30, -5, 0}, false, 0},
    };
    for (const Caso& c : casi) {
        SCOPED_TRACE(c.nome);
        TearDown();
        SetUp();
        AcDbObjectId asseId = Polilinea({{0, 0, 0}, {10, 0, 0}}, nullptr);
        Polilinea({{0, -3, 0}, {10, -3, 0}}, Etichetta(L"CDX", L"Strada"));
        Polilinea({{0, 3, 0}, {10, 3, 0}}, Etichetta(L"CSX", L"Strada"));
        Polilinea({c.banchinaInizio, c.banchinaFine}, Etichetta(L"BDX", L"Strada"));
        Polilinea({{0, 4, 0}, {10, 4, 0}}, Etichetta(L"BSX", L"Strada"));
        ads_name asse;
        NomeDi(asseId, asse);
        CPrincipaleJunctor p(L"Strada", asse);
        ads_point rif = {0, 0, 0};
        ASSERT_TRUE(p.CercaElementi(rif));
        ASSERT_TRUE(p.Apri());
        EXPECT_EQ(p.CalcolaLarghezze(), c.riesce);
        if (c.riesce) {
            EXPECT_NEAR(p.GetDistanzaBanchinaDx(), c.distanza, 1e-9);
            EXPECT_NEAR(p.GetDistanzaBanchinaSx(), 1, 1e-9);
        }
        p.Chiudi();
    }
}

TEST(SecondariaTest, DirectionTextAndOwnParameters) {
    ads_name n = {0, 0};
    struct Caso {
        int verso;
        const wchar_t* testo;
    } casi[] = {{1, L"In"}, {0, L"Out"}, {2, L""}};
    for (const Caso& c : casi) {
        CSecondariaJunctor l(L"SP", n, c.verso, 2);
        EXPECT_STREQ(static_cast<LPCWSTR>(l.GetVersoTesto()), c.testo);
        EXPECT_EQ(l.GetSelezionata(), 1);
        EXPECT_NE(l.GetParametri(), nullptr);
    }
}

}  // namespace
