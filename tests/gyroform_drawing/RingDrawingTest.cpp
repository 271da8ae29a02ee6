// The ring drawn into the model's block: rows, faces, section lines, 3D
// polylines, the block reference and repeated runs.
#include <cmath>
#include <limits>

#include "DrawingFixture.h"

namespace disegno3d {
namespace {

double Raggio(const std::vector<double>& p) { return std::hypot(p[0], p[1]); }

using RingDrawing = DrawingTest;

TEST_F(RingDrawing, FlatRingRowsFacesAndSections) {
    AnelloPiatto();
    EXPECT_EQ(m_rotatoria->disegna3D(nullptr), 1);

    // Stations at most one step apart on the outer ring; both rows pair up.
    auto esterno = Riga(m_esterno), interno = Riga(m_interno);
    ASSERT_EQ(esterno.size(), 161u);
    ASSERT_EQ(interno.size(), esterno.size());
    const CADDatoArray& chiavi = *m_esterno->getPunti3DCiglio();
    for (size_t i = 0; i < esterno.size(); ++i) {
        EXPECT_EQ(chiavi[static_cast<int>(i)].GetCodice(), static_cast<int>(i) + 1);
        EXPECT_NEAR(esterno[i][2], 52.0, 1e-6);
        EXPECT_NEAR(interno[i][2], 51.85, 1e-6);
        EXPECT_NEAR(Raggio(esterno[i]), 25.0, 1e-6);
        EXPECT_NEAR(Raggio(interno[i]), 15.0, 1e-6);
        // Inner and outer station of one index lie on one ray from the centre.
        EXPECT_NEAR(std::atan2(esterno[i][1], esterno[i][0]), std::atan2(interno[i][1], interno[i][0]), 1e-6);
        if (i > 0) {
            double passo = std::hypot(esterno[i][0] - esterno[i - 1][0], esterno[i][1] - esterno[i - 1][1]);
            EXPECT_LE(passo, 1.0 + 1e-9) << i;
        }
    }

    // Faces: two corners on the outer ring at 52.0, two on the inner at 51.85.
    std::vector<Ent> facce = Entita(L"3DFACE");
    EXPECT_EQ(facce.size(), 160u);
    for (const Ent& f : facce) {
        EXPECT_EQ(f.layer, L"ROT1-QVRO3D-3DFACE");
        ASSERT_EQ(f.punti.size(), 4u);
        for (int k = 0; k < 4; ++k) {
            EXPECT_NEAR(Raggio(f.punti[k]), k < 2 ? 25.0 : 15.0, 1e-6);
            EXPECT_NEAR(f.punti[k][2], k < 2 ? 52.0 : 51.85, 1e-6);
        }
    }

    // A section line and a barb per section, colour 3, and a label 1.500 %.
    std::vector<Ent> linee = Entita(L"LINE"), testi = Entita(L"TEXT");
    EXPECT_EQ(linee.size(), 16u);
    for (const Ent& l : linee) {
        EXPECT_EQ(l.layer, L"ROT1-QVRO3D-SEZ");
        EXPECT_EQ(l.colore, 3);
    }
    ASSERT_EQ(testi.size(), 8u);
    for (const Ent& t : testi) {
        EXPECT_EQ(t.testo, L"1.500 %");
        EXPECT_NEAR(t.altezza, 0.4, 1e-9);
        EXPECT_EQ(t.layer, L"ROT1-QVRO3D-TESTO");
    }

    // Both rings have their 3D polyline through their row.
    std::vector<Ent> polilinee = Entita(L"POLYLINE");
    int tridimensionali = 0;
    for (const Ent& p : polilinee) {
        if (p.layer != L"ROT1-QVRO3D-CIGLI3D") continue;
        ++tridimensionali;
        ASSERT_EQ(p.punti.size(), 161u);
        double z = Raggio(p.punti[0]) > 20 ? 52.0 : 51.85;
        for (const auto& v : p.punti) EXPECT_NEAR(v[2], z, 1e-6);
    }
    EXPECT_EQ(tridimensionali, 2);
}

// When the rest after the last section point is shorter than the step, that
// point makes no station of its own and the next station is the ring's end.
TEST_F(RingDrawing, ShortTailEndsAtTheEdgeEnd) {
    AnelloSolo();
    ProfiloPiatto(m_esterno, 52.0, 0.0, m_esterno->getLunghezza());
    ProfiloPiatto(m_interno, 51.85, 0.0, m_interno->getLunghezza());
    double ultima = 1.0 - 0.5 / m_esterno->getLunghezza();  // 0.5 before the end
    SezioniAnello({0.0, 0.5, ultima});
    m_rotatoria->disegna3D(nullptr);
    auto riga = Riga(m_esterno);
    ASSERT_GE(riga.size(), 3u);
    double a = 2 * kPi * ultima;
    for (const auto& p : riga)
        EXPECT_GT(std::hypot(p[0] - 25 * std::cos(a), p[1] - 25 * std::sin(a)), 1e-3) << "a station at the last section";
    EXPECT_NEAR(riga.back()[0], 25.0, 1e-9);
    EXPECT_NEAR(riga.back()[1], 0.0, 1e-9);
    // The station before the end lies before the last section point.
    double prima = std::atan2(riga[riga.size() - 2][1], riga[riga.size() - 2][0]) + 2 * kPi;
    EXPECT_LT(prima, a);
}

// The inner ring has elevations on its first half only: its row is shorter,
// and no face or ring face reads past either row.
TEST_F(RingDrawing, InnerRingPartlyWithoutElevations) {
    AnelloSolo();
    ProfiloPiatto(m_esterno, 52.0, 0.0, m_esterno->getLunghezza());
    ProfiloPiatto(m_interno, 51.85, 0.0, m_interno->getLunghezza() / 2);
    SezioniAnello(Frazioni(8));
    m_rotatoria->disegna3D(nullptr);
    auto esterno = Riga(m_esterno), interno = Riga(m_interno);
    EXPECT_EQ(esterno.size(), 161u);
    EXPECT_LT(interno.size(), esterno.size());
    for (const Ent& f : Entita(L"3DFACE")) {
        ASSERT_EQ(f.punti.size(), 4u);
        for (int k = 0; k < 4; ++k) {
            EXPECT_NEAR(Raggio(f.punti[k]), k < 2 ? 25.0 : 15.0, 1e-6);
            EXPECT_NEAR(f.punti[k][2], k < 2 ? 52.0 : 51.85, 1e-6);
        }
    }
    // Sections whose inner end has no elevation (fractions 5/8 to 7/8) get no
    // line, barb or label.
    EXPECT_EQ(Entita(L"LINE").size(), 10u);
    EXPECT_EQ(Entita(L"TEXT").size(), 5u);
}

// A model without any elevation draws no rows, no faces and no lines, and the
// 3D polylines of an earlier run go.
TEST_F(RingDrawing, EdgeWithoutPointsLosesItsPolyline) {
    AnelloPiatto();
    m_rotatoria->disegna3D(nullptr);
    ASSERT_TRUE(m_esterno->getEntita3D().IsVivo());
    ZylPolylineID prima = m_esterno->getEntita3D();
    m_esterno->SetDato(CDato(3, 0));
    m_interno->SetDato(CDato(3, 0));
    m_rotatoria->disegna3D(nullptr);
    EXPECT_EQ(Riga(m_esterno).size(), 0u);
    EXPECT_FALSE(prima.IsVivo());
    EXPECT_TRUE(m_esterno->getEntita3D().IsNull());
    EXPECT_TRUE(Entita(L"3DFACE").empty());
    EXPECT_TRUE(Entita(L"LINE").empty());
    for (const Ent& p : Entita(L"POLYLINE")) EXPECT_EQ(p.layer, L"ROT1-QVRO3D-PLAN");
}

TEST_F(RingDrawing, RunsAgainWithTheSameEntities) {
    AnelloPiatto();
    m_rotatoria->disegna3D(nullptr);
    auto conteggi = Conteggi();
    std::vector<std::wstring> maniglie;
    for (const Ent& p : Entita(L"POLYLINE")) maniglie.push_back(p.handle);
    ASSERT_EQ(maniglie.size(), 4u);  // two plan polylines, two 3D polylines

    m_rotatoria->disegna3D(nullptr);
    EXPECT_EQ(Conteggi(), conteggi);
    std::vector<std::wstring> dopo;
    for (const Ent& p : Entita(L"POLYLINE")) dopo.push_back(p.handle);
    EXPECT_EQ(dopo, maniglie);
    EXPECT_EQ(Riferimenti().size(), 1u);
}

TEST_F(RingDrawing, BlockReferenceCarriesTheSettings) {
    AnelloPiatto();
    vplat::Transcript::Get().Clear();
    ASSERT_EQ(m_rotatoria->disegna3D(nullptr), 1);
    EXPECT_EQ(vplat::Transcript::Get().Events("lorvent"),
              (std::vector<std::wstring>{L"disegno 1 QVRO3D", L"disegno 0 QVRO3D"}));

    auto leggi = [&](ZylBlockRefID& r, double centro[3]) {
        CADDatoArray d;
        d.AddRichiesta(10);
        d.AddRichiesta(-3);
        EXPECT_EQ(r.GetDati(d), 1);
        d[0].GetPunto(centro);
        return *d[1].GetArray();
    };
    std::vector<ZylBlockRefID> rif = Riferimenti();
    ASSERT_EQ(rif.size(), 1u);
    EXPECT_EQ(rif[0].GetBlocco().GetObjectId(), m_rotatoria->getBlocco().GetObjectId());
    double c[3];
    CADDatoArray dati = leggi(rif[0], c);
    EXPECT_NEAR(c[0], 100.0, 1e-12);
    EXPECT_NEAR(c[1], 200.0, 1e-12);
    struct Voce {
        int codice;
        double valore;
        const wchar_t* testo;
    } const attese[] = {{1001, 0, L"QV-VORTANA-INTERS-ROT_3D"}, {1071, 1, nullptr}, {1071, 2, nullptr},
                        {1000, 0, L"P1"}, {1071, 1, nullptr}, {1000, 0, L"ROT1"}, {1071, 3, nullptr},
                        {1040, 5.0, nullptr}, {1071, 4, nullptr}, {1040, 1.0, nullptr}, {1071, 7, nullptr},
                        {1040, 0.0, nullptr}, {1071, 9, nullptr}, {1040, 0.03, nullptr}, {1071, 8, nullptr},
                        {1040, 0.01, nullptr}, {1071, 10, nullptr}, {1071, 1, nullptr}};
    ASSERT_EQ(dati.GetCount(), 18);
    for (int i = 0; i < 18; ++i) {
        EXPECT_EQ(dati[i].GetCodice(), attese[i].codice) << i;
        if (attese[i].testo) EXPECT_EQ(std::wstring(dati[i].GetStringa()), attese[i].testo) << i;
        else EXPECT_DOUBLE_EQ(dati[i].GetDouble(), attese[i].valore) << i;
    }

    // A changed setting reaches the one reference.
    m_rotatoria->setPassoSezioni(4.0);
    m_rotatoria->disegna3D(nullptr);
    rif = Riferimenti();
    ASSERT_EQ(rif.size(), 1u);
    dati = leggi(rif[0], c);
    ASSERT_EQ(dati.GetCount(), 18);
    EXPECT_DOUBLE_EQ(dati[7].GetDouble(), 4.0);
}

// Without a block nothing is drawn, and the project manager still hears
// both calls.
TEST_F(RingDrawing, ModelWithoutBlockStillBracketsTheDrawing) {
    vplat::Transcript::Get().Clear();
    EXPECT_EQ(m_rotatoria->disegna3D(nullptr), 0);
    EXPECT_EQ(vplat::Transcript::Get().Events("lorvent"),
              (std::vector<std::wstring>{L"disegno 1 QVRO3D", L"disegno 0 QVRO3D"}));
    EXPECT_TRUE(Riferimenti().empty());
}

TEST_F(RingDrawing, UnusableSurfaceStepsAreRefused) {
    AnelloPiatto();
    m_rotatoria->disegna3D(nullptr);
    auto conteggi = Conteggi();
    const double passi[] = {0.0, -1.0, std::numeric_limits<double>::quiet_NaN(),
                            std::numeric_limits<double>::infinity(), 1e-9, 0.0099};
    for (double passo : passi) {
        m_rotatoria->setPassoDiscr(passo);
        EXPECT_EQ(m_rotatoria->getPassoDiscr(), 1.0) << passo;
        EXPECT_EQ(m_rotatoria->SetDato(CDato(DATO_ROTATORIA_PASSO_DISCR, passo)), 0) << passo;
        EXPECT_EQ(m_rotatoria->getPassoDiscr(), 1.0) << passo;
    }
    m_rotatoria->disegna3D(nullptr);
    EXPECT_EQ(Conteggi(), conteggi);
    EXPECT_EQ(m_rotatoria->SetDato(CDato(DATO_ROTATORIA_PASSO_DISCR, 0.01)), 1);
    EXPECT_EQ(m_rotatoria->getPassoDiscr(), 0.01);
}

// A saved 3D handle that names an entity outside the model's block (a
// model copied into another drawing, an edited file) binds nothing.
TEST_F(RingDrawing, SavedHandleOfAnotherEntityIsNotBound) {
    AnelloPiatto();
    CADDatoArray linea;
    linea.Add(10, 0.0, 0.0, 0.0);
    linea.Add(11, 10.0, 0.0, 0.0);
    ASSERT_EQ(Ombrix::GetEntityUtils()->CreaEntita(ZYL_LINEA, linea, ZylBlockID()), 1);
    CADDatoArray sel, filtro;
    filtro.Add(5020, L"LINE");
    Ombrix::GetEntityUtils()->Seleziona(sel, L"X", filtro);
    ASSERT_EQ(sel.GetCount(), 1);
    ZylEntityID estranea = sel[0].GetEntityID();
    ASSERT_EQ(m_esterno->SetDato(CDato(DATO_CIGLIO_HANDLE_3D, estranea.GetHandle().c_str())), 1);

    m_rotatoria->disegna3D(nullptr);
    ASSERT_TRUE(estranea.IsVivo());
    EXPECT_EQ(estranea.GetTipo(), ZYL_LINEA);
    CADDatoArray punti;
    punti.AddRichiesta(10);
    punti.AddRichiesta(11);
    estranea.GetDati(punti);
    EXPECT_EQ(P(punti[0]), (std::vector<double>{0, 0, 0}));
    EXPECT_EQ(P(punti[1]), (std::vector<double>{10, 0, 0}));
    const ZylPolylineID& propria = m_esterno->getEntita3D();
    ASSERT_TRUE(propria.IsVivo());
    EXPECT_NE(propria.GetHandle(), estranea.GetHandle());
    EXPECT_EQ(propria.GetTipo(), ZYL_POLILINEA_3D);
    EXPECT_EQ(propria.GetProprietario().GetObjectId(), m_rotatoria->getBlocco().GetObjectId());
}

}  // namespace
}  // namespace disegno3d

namespace disegno3d {
namespace {

// A reference left on another block (a model whose block was made again)
// is pointed back at the model's block, which holds the drawing.
TEST_F(RingDrawing, ReferenceOnAnotherBlockIsPointedAtTheModel) {
    AnelloPiatto();
    m_rotatoria->disegna3D(nullptr);
    ZylTableRecordID altro;
    ASSERT_EQ(Ombrix::GetTableUtils()->CreaRecord(ZYL_TABELLA_BLOCCHI, L"*X", CADDatoArray(), altro), 1);
    ZylBlockRefID rif = Riferimenti().at(0);
    ASSERT_EQ(rif.SetBlocco(ZylBlockID(altro.GetObjectId())), 1);
    m_rotatoria->disegna3D(nullptr);
    std::vector<ZylBlockRefID> dopo = Riferimenti();
    ASSERT_EQ(dopo.size(), 1u);
    EXPECT_EQ(dopo[0].GetBlocco().GetObjectId(), m_rotatoria->getBlocco().GetObjectId());
    EXPECT_EQ(EntitaIn(dopo[0].GetBlocco(), L"3DFACE").size(), 160u);
}

}  // namespace
}  // namespace disegno3d
