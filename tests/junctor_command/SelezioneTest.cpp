// Road selection and leg preparation: which legs a pair of roads gives, on
// which side, the failure lines of the log, and what survives a failure or a
// new selection.
#include "ComandoTest.h"

namespace {

using comando::Principale;
using comando::Secondaria;
using comando::U8;

const std::wstring kTesta = L"Selezione dei tracciati: \r\n";

class SelezioneTest : public ComandoTest {
protected:
    // Runs a selection by prompts on a command with its own sets.
    void Seleziona(CCmdJunctor& c, const std::wstring& script) {
        Script(script);
        c.SetParametriPropri(&m_parametri, &m_corsie, &m_settings);
        c.PreparaElementi(L"", nullptr, L"", nullptr, &m_settings, m_parametri, m_corsie);
    }
    void SetUp() override {
        ComandoTest::SetUp();
        m_settings.SetParametri(&m_parametri);
        m_settings.SetParCorsie(&m_corsie);
    }

    CConstrPars m_parametri;
    CLanePars m_corsie;
    CJunctorSettings m_settings;
};

struct CasoLegs {
    const char* nome;
    roads::Vertex da, a;
    int latoIn;   // -1: no In leg
    int latoOut;  // -1: no Out leg
};

class LegsTest : public SelezioneTest, public ::testing::WithParamInterface<CasoLegs> {};

TEST_P(LegsTest, LegsAndSides) {
    const CasoLegs& caso = GetParam();
    Disegna(Principale());
    Disegna(Secondaria(caso.da, caso.a));
    CCmdJunctor c;
    Seleziona(c, L"tracciato SS 1\ntracciato SP 2\n");
    EXPECT_TRUE(Messaggi().empty()) << U8(std::wstring(c.GetLog()));
    ASSERT_NE(c.GetPrincipale(), nullptr);
    EXPECT_EQ(c.GetIn() ? c.GetIn()->GetLato() : -1, caso.latoIn);
    EXPECT_EQ(c.GetOut() ? c.GetOut()->GetLato() : -1, caso.latoOut);
    // The settings show the last prepared leg.
    CSecondariaJunctor* ultimo = c.GetOut() ? c.GetOut() : c.GetIn();
    EXPECT_EQ(m_settings.GetParametri(), ultimo->GetParametri());
    EXPECT_EQ(m_settings.GetParCorsie(), ultimo->GetParametriCorsie());
    EXPECT_EQ(c.GetPrincipale()->GetTipo(), 1);
}

INSTANTIATE_TEST_SUITE_P(Incroci, LegsTest,
                         ::testing::Values(CasoLegs{"crossing", {0, -150, 0}, {0, 150, 0}, 0, 1},
                                           CasoLegs{"reversed", {0, 150, 0}, {0, -150, 0}, 1, 0},
                                           CasoLegs{"T", {0, -150, 0}, {0, 0, 0}, 0, -1},
                                           CasoLegs{"T_from_the_main_road", {0, 0, 0}, {0, 150, 0}, -1, 1},
                                           // Apparent: ends 25 from the axis; side from the
                                           // edge offsets 21.25 (right) and 28.75 (left).
                                           CasoLegs{"apparent", {0, -160, 0}, {0, -25, 0}, 0, -1}),
                         [](const auto& info) { return std::string(info.param.nome); });

struct CasoErrore {
    const char* nome;
    roads::Vertex da, a;
    const wchar_t* riga;
};

class ErroriTest : public SelezioneTest, public ::testing::WithParamInterface<CasoErrore> {};

// A failure shows the whole log in one box and keeps the previous roads.
TEST_P(ErroriTest, LogShownAndPreviousRoadsKept) {
    const CasoErrore& caso = GetParam();
    Disegna(Principale());
    Disegna(Secondaria({0, -150, 0}, {0, 150, 0}));
    Disegna(Secondaria(caso.da, caso.a, L"SP 9"));
    CCmdJunctor c;
    Seleziona(c, L"tracciato SS 1\ntracciato SP 2\n");
    ASSERT_TRUE(c.GetIn() && c.GetOut());
    CSecondariaJunctor* in = c.GetIn();
    vplat::MessageBoxes::Clear();

    Seleziona(c, L"tracciato SS 1\ntracciato SP 9\n");
    ASSERT_EQ(Messaggi().size(), 1u);
    EXPECT_EQ(Messaggi()[0].text, kTesta + caso.riga);
    EXPECT_EQ(c.GetIn(), in);
    EXPECT_EQ(c.GetIn()->GetNome(), L"SP 2");
    ads_point p;
    c.GetPuntoIntersezione(p);
    EXPECT_NEAR(p[0], 0, 1e-9);
    EXPECT_NEAR(p[1], 0, 1e-9);
    EXPECT_TRUE(Mismatches().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Strade, ErroriTest,
    ::testing::Values(
        // Crosses the axis but neither edge.
        CasoErrore{"no_edge", {20, -2, 0}, {20, 2, 0},
                   L"Errore nella ricerca degli elementi associati al tracciato secondario. \r\n"},
        CasoErrore{"parallel", {-100, 50, 0}, {100, 50, 0},
                   L"Nessuna intersezione (reale o apparente) tra i tracciati selezionati. \r\n"}),
    [](const auto& info) { return std::string(info.param.nome); });

TEST_F(SelezioneTest, CancelledPromptShowsTheFirstLineOnly) {
    Disegna(Principale());
    Disegna(Secondaria({0, -150, 0}, {0, 150, 0}));
    for (const wchar_t* script : {L"tracciato <cancel>\n", L"tracciato SS 1\ntracciato <cancel>\n"}) {
        vplat::MessageBoxes::Clear();
        CCmdJunctor c;
        Seleziona(c, script);
        ASSERT_EQ(Messaggi().size(), 1u);
        EXPECT_EQ(Messaggi()[0].text, kTesta);
        EXPECT_EQ(c.GetPrincipale(), nullptr);
    }
}

// A new selection of the same roads keeps each surviving slot's style set;
// its dimensions are sized again.
TEST_F(SelezioneTest, ReselectionKeepsEachSlotsStyleSet) {
    Disegna(Principale());
    Disegna(Secondaria({0, -150, 0}, {0, 150, 0}));
    CCmdJunctor c;
    Seleziona(c, L"tracciato SS 1\ntracciato SP 2\n");
    ASSERT_TRUE(c.GetOut());
    c.GetOut()->GetParametri()->Lbis.SetValore(0.8);
    c.GetOut()->GetParametri()->SetNome(L"Prova");
    const double h = c.GetOut()->GetParametri()->h.GetValore();
    c.GetOut()->GetParametri()->h.SetValore(h + 7);
    Seleziona(c, L"tracciato SS 1\ntracciato SP 2\n");
    ASSERT_TRUE(c.GetOut());
    EXPECT_DOUBLE_EQ(c.GetOut()->GetParametri()->Lbis.GetValore(), 0.8);
    EXPECT_EQ(c.GetOut()->GetParametri()->GetNome(), L"Prova");
    EXPECT_DOUBLE_EQ(c.GetOut()->GetParametri()->h.GetValore(), h);
    EXPECT_NE(c.GetIn()->GetParametri()->GetNome(), L"Prova");
}

// A new leg that cannot be opened leaves the settings on the command's own
// sets, never on the sets of the legs the selection replaced.
TEST_F(SelezioneTest, SettingsNeverPointAtReplacedLegs) {
    Disegna(Principale());
    Disegna(Secondaria({0, -150, 0}, {0, 150, 0}));
    roads::Strada vuota = Secondaria({30, -150, 0}, {30, 150, 0}, L"SP 3");
    std::vector<AcDbObjectId> id = Disegna(vuota);
    // Its left shoulder ("BSX", the fifth polyline) loses every vertex.
    {
        AcDb2dPolyline* bsx = nullptr;
        ASSERT_EQ(acdbOpenObject(bsx, id[4], AcDb::kForWrite), Acad::eOk);
        std::vector<AcDbObjectId> vertici;
        AcDbObjectIterator* it = bsx->vertexIterator();
        for (it->start(); !it->done(); it->step()) vertici.push_back(it->objectId());
        delete it;
        bsx->close();
        for (const AcDbObjectId& v : vertici) {
            AcDbObject* o = nullptr;
            ASSERT_EQ(acdbOpenObject(o, v, AcDb::kForWrite), Acad::eOk);
            o->erase();
            o->close();
        }
    }
    CCmdJunctor c;
    Seleziona(c, L"tracciato SS 1\ntracciato SP 2\n");
    ASSERT_EQ(m_settings.GetParametri(), c.GetOut()->GetParametri());
    Seleziona(c, L"tracciato SS 1\ntracciato SP 3\n");
    EXPECT_EQ(c.GetIn()->GetNome(), L"SP 3");
    EXPECT_EQ(c.GetIn()->GetDatiPoliBanchinaSx(), nullptr);
    EXPECT_EQ(c.GetOut()->GetDatiPoliBanchinaSx(), nullptr);
    EXPECT_EQ(m_settings.GetParametri(), &m_parametri);
    EXPECT_EQ(m_settings.GetParCorsie(), &m_corsie);
}

}  // namespace
