// The lookup of a road's edges and shoulders on generated road drawings.
#include "CCigliBanchineMgr.h"
#include "RoadDrawing.h"

namespace {

using Mgr = CCigliBanchineMgr;

class CigliBanchineTest : public RoadDrawingTest {
protected:
    bool Cerca(const wchar_t* nome, ads_point rif = nullptr) {
        ads_point zero = {0, 0, 0};
        m_mgr.Inizializza(nome, 0, 2, rif ? rif : zero);
        return m_mgr.CercaEScegli();
    }
    AcDbObjectId Scelto(int tipo) {
        EXPECT_GE(m_mgr.Scelto(tipo), 0) << Mgr::CodiceTipo(tipo);
        if (m_mgr.Scelto(tipo) < 0) return AcDbObjectId();
        return IdDi(m_mgr.Candidati(tipo)[m_mgr.Scelto(tipo)].nome);
    }
    Mgr m_mgr;
};

TEST_F(CigliBanchineTest, RoadWithoutIslandFindsItsFourPolylines) {
    auto ids = Disegna(roads::Rettilineo(L"Principale", {0, 0, 0}, {100, 0, 0}));
    ASSERT_TRUE(Cerca(L"Principale"));
    for (int k = Mgr::kCDX; k <= Mgr::kBSX; ++k) {
        EXPECT_EQ(m_mgr.Candidati(k).GetSize(), 1);
        EXPECT_EQ(Scelto(k), ids[1 + k]) << Mgr::CodiceTipo(k);
    }
    EXPECT_EQ(m_mgr.Scelto(Mgr::kCIDX), -1);
    EXPECT_EQ(m_mgr.Scelto(Mgr::kCISX), -1);

    ads_name n[6];
    for (auto& x : n) x[0] = x[1] = 7;
    BYTE f[6];
    m_mgr.GetRisultati(n[0], f[0], n[1], f[1], n[2], f[2], n[3], f[3], n[4], f[4], n[5], f[5]);
    for (int k = 0; k < 4; ++k) EXPECT_EQ(f[k], 1);
    EXPECT_EQ(IdDi(n[2]), ids[3]);
    // A kind without a candidate leaves its name alone.
    EXPECT_EQ(f[4], 0);
    EXPECT_EQ(n[4][0], 7);
}

TEST_F(CigliBanchineTest, DividedRoadFindsItsIslandEdges) {
    roads::Strada s = roads::Rettilineo(L"Divisa", {0, 0, 0}, {100, 0, 0});
    s.semiIsola = 1.0;
    s.semiDx = s.semiSx = 5;
    auto ids = Disegna(s);
    ASSERT_TRUE(Cerca(L"Divisa"));
    EXPECT_EQ(Scelto(Mgr::kCIDX), ids[5]);
    EXPECT_EQ(Scelto(Mgr::kCISX), ids[6]);
}

TEST_F(CigliBanchineTest, OwnerMatchedExactlyKindWithoutRegardToCase) {
    Disegna(roads::Rettilineo(L"Principale", {0, 0, 0}, {100, 0, 0}));
    auto altra = Disegna(roads::Rettilineo(L"Secondaria", {50, 10, 0}, {50, 100, 0}));
    AcDbObjectId minuscolo = Polilinea({{0, 50, 0}, {10, 50, 0}}, Etichetta(L"bdx", L"Principale"));
    AcDbObjectId senzaProprietario = Polilinea({{0, 60, 0}, {10, 60, 0}}, Etichetta(L"BDX", L""));
    Polilinea({{0, 70, 0}, {10, 70, 0}}, Etichetta(L"BDX", L"principale"));
    Polilinea({{0, 80, 0}, {10, 80, 0}}, Etichetta(L"XDX", L"Principale"));
    ASSERT_TRUE(Cerca(L"Principale"));
    const auto& bdx = m_mgr.Candidati(Mgr::kBDX);
    ASSERT_EQ(bdx.GetSize(), 3);
    EXPECT_EQ(IdDi(bdx[1].nome), minuscolo);
    EXPECT_EQ(IdDi(bdx[2].nome), senzaProprietario);
    for (int k = 0; k < Mgr::kNumTipi; ++k)
        for (INT_PTR i = 0; i < m_mgr.Candidati(k).GetSize(); ++i)
            for (auto id : altra) EXPECT_NE(IdDi(m_mgr.Candidati(k)[i].nome), id);
}

TEST_F(CigliBanchineTest, NearestEndOfSeveralCandidatesWins) {
    Disegna(roads::Rettilineo(L"Principale", {0, 0, 0}, {100, 0, 0}));
    // Three more right shoulders: ends at 30, 5 (last vertex) and 5 again
    // from the reference point (200, 0).
    Polilinea({{170, -5, 0}, {150, -5, 0}}, Etichetta(L"BDX", L"Principale"));
    AcDbObjectId vicino = Polilinea({{150, -10, 0}, {195, 0, 0}}, Etichetta(L"BDX", L"Principale"));
    Polilinea({{205, 0, 0}, {250, 0, 0}}, Etichetta(L"BDX", L"Principale"));
    ads_point rif = {200, 0, 0};
    ASSERT_TRUE(Cerca(L"Principale", rif));
    ASSERT_EQ(m_mgr.Candidati(Mgr::kBDX).GetSize(), 4);
    EXPECT_EQ(Scelto(Mgr::kBDX), vicino) << "a tie keeps the earlier candidate";
}

TEST_F(CigliBanchineTest, ThreeDimensionalPolylineWithTheTagIsSkippedByTheChoice) {
    auto ids = Disegna(roads::Rettilineo(L"Principale", {0, 0, 0}, {100, 0, 0}));
    Polilinea({{0, 0, 0}, {1, 0, 0}}, Etichetta(L"CDX", L"Principale"), true);
    ads_point rif = {0, 0, 0};
    ASSERT_TRUE(Cerca(L"Principale", rif));
    EXPECT_EQ(m_mgr.Candidati(Mgr::kCDX).GetSize(), 2);
    EXPECT_EQ(Scelto(Mgr::kCDX), ids[1]);
}

TEST_F(CigliBanchineTest, SearchFailures) {
    struct Caso {
        const char* nome;
        bool senzaBanchinaSx;
        bool senzaTesto;
        const wchar_t* cercata;
    } casi[] = {
        {"empty drawing", false, false, nullptr},
        {"missing left shoulder", true, false, L"Principale"},
        {"a tag without text item", false, true, L"Principale"},
        {"another road's name", false, false, L"Nessuna"},
    };
    for (const Caso& c : casi) {
        SCOPED_TRACE(c.nome);
        TearDown();
        SetUp();
        if (c.cercata) {
            auto ids = Disegna(roads::Rettilineo(L"Principale", {0, 0, 0}, {100, 0, 0}));
            if (c.senzaBanchinaSx) {
                ASSERT_EQ(EraseEntityDaId(ids[4], m_db.get()), Acad::eOk);
            }
            if (c.senzaTesto)
                Polilinea({{0, 50, 0}, {10, 50, 0}}, acutBuildList(1001, roads::kAppPolilinee, 1070, 1, RTNONE));
        }
        Mgr mgr;
        ads_point zero = {0, 0, 0};
        mgr.Inizializza(c.cercata ? c.cercata : L"Principale", 0, 2, zero);
        EXPECT_FALSE(mgr.CercaEScegli());
    }
}

}  // namespace
