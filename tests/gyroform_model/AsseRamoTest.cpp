// The branch axis: its road edges by side, its cut at the ring, its length
// and the alignment's values it reads at the branch end.
#include <functional>

#include "ModelFixture.h"

using namespace modello;

namespace {

TEST_F(ModelTest, ANewAxis) {
    auto a = Nuovo<CAsseRamo>(29009);
    EXPECT_EQ(a->getProfilo(), L"PROGETTO");
    EXPECT_EQ(a->isQuotaCentriRotazioneNP(), 1);
    EXPECT_EQ(a->getPosizioneAnello(), -1.0);
    EXPECT_FALSE(a->IsA(29009));
    EXPECT_EQ(a->GetNomeTipo(), L"AsseRamo");
    CDato d;
    EXPECT_EQ(a->LeggiDato(1, d), 0);
    int n = -1;
    EXPECT_EQ(a->GetElencoDati(nullptr, &n), 1);
    EXPECT_EQ(n, 0);
    CADDatoArray profili;
    EXPECT_EQ(a->getProfili(profili), 0);  // no alignment
    a->impostaNomeEsportazione(true);
    EXPECT_EQ(a->getNomeEsportazione(), L"(2)");
}

TEST_F(ModelTest, RoadEdgesAreStoredBySideAndDirection) {
    struct Caso {
        bool direzione;
        const wchar_t* lato;
        int codice;
    };
    const Caso casi[] = {{false, L"CDX", 6000}, {false, L"CSX", 3000}, {false, L"CIDX", 5000}, {false, L"CISX", 4000},
                         {true, L"CDX", 3000},  {true, L"CSX", 6000},  {true, L"CIDX", 4000},  {true, L"CISX", 5000}};
    for (const Caso& c : casi) {
        auto a = Nuovo<CAsseRamo>(29009);
        a->inizializzaAsse(m_rotatoria.get(), L"A1", nullptr, c.direzione, nullptr, -1.0);
        EXPECT_EQ(a->assegnaCiglioTracciato(c.lato, Retta(0, 0, 10, 0)), 1);
        datipoli* p = a->getPolilineaCiglio(c.codice);
        ASSERT_NE(p, nullptr) << c.lato << c.direzione;
        // Towards the ring the alignment's polylines are reversed.
        EXPECT_EQ(p->x, c.direzione ? 0.0 : 10.0) << c.lato << c.direzione;
        int altri = 0;
        for (int codice : {3000, 4000, 5000, 6000}) altri += a->getPolilineaCiglio(codice) != nullptr;
        EXPECT_EQ(altri, 1);
    }
}

TEST_F(ModelTest, ASecondRoadEdgeReplacesTheFirstAndAzzeraDropsThemAll) {
    auto a = Nuovo<CAsseRamo>(29009);
    a->inizializzaAsse(m_rotatoria.get(), L"A1", Retta(0, 0, 50, 0), true, nullptr, -1.0);
    a->assegnaCiglioTracciato(L"CDX", Retta(0, -3, 50, -3));
    a->assegnaCiglioTracciato(L"CDX", Retta(0, -4, 50, -4));
    a->assegnaCiglioTracciato(L"CSX", Retta(0, 3, 50, 3));
    ASSERT_NE(a->getPolilineaCiglio(3000), nullptr);
    EXPECT_EQ(a->getPolilineaCiglio(3000)->y, -4.0);
    EXPECT_EQ(a->getPolilineaCiglio(1000), nullptr);
    // A side code the axis does not keep leaves the list to the caller.
    datipoli* spalla = Retta(0, 5, 50, 5);
    EXPECT_EQ(a->assegnaCiglioTracciato(L"BDX", spalla), 1);
    EXPECT_EQ(spalla->x, 0.0);
    LiberaDATIPOLI(&spalla);

    a->azzera();
    for (int codice : {3000, 4000, 5000, 6000}) EXPECT_EQ(a->getPolilineaCiglio(codice), nullptr) << codice;
    EXPECT_TRUE(a->isNonTrovato());
    EXPECT_EQ(a->getPosizioneAnello(), -1.0);
}

TEST_F(ModelTest, TheAxisIsCutAtItsFartherCrossingWithTheOuterRing) {
    CRotatoria3D& r = *m_rotatoria;
    CADDatoArray v, b;
    v.Add(0, 25.0, 0.0, 0.0);
    v.Add(1, -25.0, 0.0, 0.0);
    v.Add(2, 25.0, 0.0, 0.0);
    for (int i = 0; i < 3; ++i) b.Add(i, i < 2 ? 1.0 : 0.0);
    ASSERT_EQ(r.creaCiglio(nullptr, L"aCExt", nullptr, v, b), 1);
    auto a = Nuovo<CAsseRamo>(29009);
    a->inizializzaAsse(&r, L"A1", Retta(-40, 0, 40, 0), true, nullptr, -1.0);
    a->intersecaAnello(false);
    ASSERT_NE(a->getPolilinea(), nullptr);
    EXPECT_NEAR(a->getPolilinea()->x, 25.0, 1e-9);
    // At the ring's closing point: its start, not its end.
    EXPECT_EQ(a->getPosizioneAnello(), 0.0);
    EXPECT_NEAR(a->getDirezione(), 0.0, 1e-12);

    // Known already: not cut again unless forced.
    a->inizializzaAsse(&r, L"A1", Retta(0, -40, 0, 40), true, nullptr, 0.6);
    a->intersecaAnello(false);
    EXPECT_EQ(a->getPolilinea()->y, -40.0);
    a->intersecaAnello(true);
    EXPECT_NEAR(a->getPolilinea()->y, 25.0, 1e-9);
    EXPECT_NEAR(a->getPosizioneAnello(), 0.25, 1e-9);

    auto altro = Nuovo<CAsseRamo>(29009);
    altro->inizializzaAsse(&r, L"A2", nullptr, true, nullptr, 0.25);
    EXPECT_FALSE(a->confrontaPosizione(altro.get()));
    EXPECT_FALSE(altro->confrontaPosizione(a.get()));
}

TEST_F(ModelTest, TheBranchLengthFollowsItsEdgesEnds) {
    auto a = Nuovo<CAsseRamo>(29009);
    a->inizializzaAsse(m_rotatoria.get(), L"A1", Retta(0, 0, 50, 0), true, nullptr, -1.0);
    const double fine[3] = {30, 4, 0}, prima[3] = {20, -4, 0}, oltre[3] = {60, 0, 0};
    EXPECT_EQ(a->calcolaLunghezza(fine), 1);
    EXPECT_EQ(a->calcolaLunghezza(prima), 1);
    EXPECT_DOUBLE_EQ(a->getLunghezzaAsse(), 30.0);  // no alignment: no metre more
    EXPECT_TRUE(Messaggi().empty());
    EXPECT_EQ(a->calcolaLunghezza(oltre), 0);
    EXPECT_EQ(Messaggi(), std::vector<std::wstring>{L"A1: Errore calcolo lunghezza asse ramo."});
    EXPECT_DOUBLE_EQ(a->getLunghezzaAsse(), 30.0);
}

// The values read at the branch end, on generated plans.
TEST_F(ModelTest, ValuesAtTheBranchEnd) {
    struct Caso {
        const char* nome;
        std::function<void(rotatorie::Ramo&)> cambia;
        double zc, sc, a, b, ka, kb;
        int np;
    };
    using rotatorie::Ramo;
    const Caso casi[] = {
        {"sample", [](Ramo&) {}, 51.22, 0.02, -0.025, -0.025, 0.0, 0.0, 0},
        // Cross values changing along the alignment: their gradients.
        {"gradients", [](Ramo& r) { r.lista1500 = {{0, -2.0, -2.0}, {100, -3.0, -4.0}}; },
         51.22, 0.02, -0.0261, -0.0322, 0.0001, 0.0002, 0},
        // No record in the lists (the road generator's alignments): values stay 0.
        {"no records", [](Ramo& r) { r.lista1500.clear(); r.lista1505.clear(); }, 51.22, 0.02, 0, 0, 0, 0, 0},
        // The profile ends at the branch end: elevation there, no slope.
        {"profile to the end", [](Ramo& r) { r.profiloFinoAFineRamo = true; }, 51.22, 0.0, -0.025, -0.025, 0, 0, 0},
        // A profile of another name: nothing from the profile.
        {"other profile", [](Ramo& r) { r.nomeProfilo = L"ESISTENTE"; }, 0.0, 0.0, -0.025, -0.025, 0, 0, 1},
    };
    for (const Caso& c : casi) {
        rotatorie::Rotatoria pianta = TreRami();
        c.cambia(pianta.rami[0]);
        auto r = Nuovo<CRotatoria3D>(29000);
        m_db = std::make_unique<AcDbDatabase>();
        acdbHostApplicationServices()->setWorkingDatabase(m_db.get());
        rotatorie::Disegna(pianta, m_db.get());
        ASSERT_EQ(rotatorie::CostruisciModello(*r, pianta), 1) << c.nome;
        CAsseRamo* a = Assi(*r)[0];
        EXPECT_NEAR(a->getProgFineRamo(), 61.0, 1e-9) << c.nome;
        EXPECT_NEAR(a->getQuotaCentriRotazione(), c.zc, 1e-9) << c.nome;
        EXPECT_NEAR(a->getPendenzaLongCentriDiRotazione(), c.sc, 1e-9) << c.nome;
        EXPECT_NEAR(a->getValoreA(), c.a, 1e-9) << c.nome;
        EXPECT_NEAR(a->getValoreB(), c.b, 1e-9) << c.nome;
        EXPECT_NEAR(a->getGradienteA(), c.ka, 1e-9) << c.nome;
        EXPECT_NEAR(a->getGradienteB(), c.kb, 1e-9) << c.nome;
        EXPECT_EQ(a->isQuotaCentriRotazioneNP(), c.np) << c.nome;
    }
}

// A profile name that matches none (as "NESSUNO" does) read again: the
// branch end lies at 0.0 with no slope, not with the slope read before.
TEST_F(ModelTest, NoProfileOfThatNameTheBranchEndLiesFlatAtZero) {
    rotatorie::Rotatoria pianta = TreRami();
    rotatorie::Disegna(pianta, m_db.get());
    ASSERT_EQ(rotatorie::CostruisciModello(*m_rotatoria, pianta), 1);
    CAsseRamo* a = Assi(*m_rotatoria)[0];
    ASSERT_NEAR(a->getPendenzaLongCentriDiRotazione(), 0.02, 1e-9);
    ASSERT_EQ(a->setProfilo(L"NESSUNO"), 1);
    a->leggiDatiProfilo();
    EXPECT_EQ(a->getQuotaCentriRotazione(), 0.0);
    EXPECT_EQ(a->getPendenzaLongCentriDiRotazione(), 0.0);
}

TEST_F(ModelTest, TowardsTheRingTheAlignmentsSecondValueIsTheBranchsRight) {
    ASSERT_EQ(Costruisci(TreRami()), 1);
    CAsseRamo* sp2 = Assi(*m_rotatoria)[1];
    // SP 2: 22004 -2 %, 22005 -3 %, running towards the ring; end chainage 90 - 61.
    EXPECT_NEAR(sp2->getProgFineRamo(), 29.0, 1e-9);
    EXPECT_NEAR(sp2->getValoreA(), -0.03, 1e-12);
    EXPECT_NEAR(sp2->getValoreB(), -0.02, 1e-12);
    EXPECT_NEAR(sp2->getQuotaCentriRotazione(), 54.13, 1e-9);
    EXPECT_NEAR(sp2->getPendenzaLongCentriDiRotazione(), 0.03, 1e-9);
    CADDatoArray profili;
    ASSERT_EQ(sp2->getProfili(profili), 1);
    ASSERT_EQ(profili.GetCount(), 1);
    EXPECT_EQ(profili[0].GetCodice(), 0);
    EXPECT_STREQ(profili[0].GetStringa(), L"PROGETTO");
}

}  // namespace
