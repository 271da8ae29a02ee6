#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>

#include "DatiEstesi.h"
#include "IntersezioniDatiPoli.h"
#include "ListFixtures.h"
#include "RoadGenerator.h"
#include "RoadScenarios.h"
#include "TracciatoDatiEstesi.h"

using fixtures::kPi;
using geomcheck::GeometryChecker;

namespace {

using roads::ListaDi;

TEST(RoadGenerator, EdgesAndShouldersRunAtTheirOffsetsAlongStraightsAndCurves) {
    for (double angolo : {kPi / 3, -kPi / 4}) {
        SCOPED_TRACE(angolo);
        roads::Strada s = roads::Curva(L"SP 12", {0, 0, 0}, 80, 120, angolo, 60);
        s.semiIsola = 1.0;
        s.progIniziale = 500;
        auto pl = roads::PolilineeDi(s);
        ASSERT_EQ(pl.size(), 7u);
        GeometryChecker asse(pl[0].vertici);
        const std::pair<const wchar_t*, double> attesi[] = {{L"CDX", 3.75}, {L"CSX", -3.75}, {L"BDX", 5.25},
                                                            {L"BSX", -5.25}, {L"CIDX", 1.0}, {L"CISX", -1.0}};
        for (std::size_t k = 0; k < 6; ++k) {
            const auto& p = pl[k + 1];
            EXPECT_EQ(p.kind, attesi[k].first);
            EXPECT_EQ(p.layer, p.kind[0] == L'B' ? roads::kLayerBanchine : roads::kLayerCigli);
            GeometryChecker bordo(p.vertici);
            for (auto q : bordo.Samples(12)) EXPECT_NEAR(asse.SignedOffset(q), attesi[k].second, 1e-9);
            for (std::size_t i = 1; i + 1 < bordo.Size(); ++i) EXPECT_TRUE(bordo.Tangential(i)) << i;
            // The curve is concentric with the axis's.
            EXPECT_NEAR(bordo.Segment(1).centre.x, asse.Segment(1).centre.x, 1e-9);
            EXPECT_NEAR(bordo.Segment(1).centre.y, asse.Segment(1).centre.y, 1e-9);
        }
    }
}

TEST(RoadGenerator, ExtendedDataAsTheSuiteWritesThem) {
    roads::Strada s = roads::Rettilineo(L"Via Roma", {0, 0, 0}, {100, 0, 0});
    s.progIniziale = 1250;
    auto pl = roads::PolilineeDi(s);
    // Edges: the application, one item of another kind, the kind, the owner.
    for (std::size_t k = 1; k < pl.size(); ++k) {
        resbuf* rb = pl[k].datiEstesi.get();
        ASSERT_NE(rb, nullptr);
        EXPECT_EQ(rb->restype, 1001);
        EXPECT_STREQ(rb->resval.rstring, roads::kAppPolilinee);
        ASSERT_NE(rb->rbnext, nullptr);
        EXPECT_NE(rb->rbnext->restype, 1000);
        resbuf* kind = mio_assoc(rb, 1000);
        ASSERT_EQ(kind, rb->rbnext->rbnext);
        EXPECT_EQ(kind->resval.rstring, pl[k].kind);
        ASSERT_NE(kind->rbnext, nullptr);
        EXPECT_STREQ(kind->rbnext->resval.rstring, L"Via Roma");
    }
    // The axis carries the alignment, with its name and start chainage.
    datipoli* l = ListaDi(pl[0].vertici);
    std::wstring errore;
    ICTRACCIATO* t = vplat::DecodificaTracciato(pl[0].datiEstesi.get(), l, &errore);
    LiberaDATIPOLI(&l);
    ASSERT_NE(t, nullptr);
    EXPECT_STREQ(t->GetDato(QV_DATO_NOME_TRACCIATO).GetString(), L"Via Roma");
    EXPECT_EQ(t->GetDato(QV_DATO_PROG_INIZIALE).GetDouble(), 1250);
    ICTRACCIATO_Costructor::Libera(&t, 1);
    s.proprietarioVuoto = true;
    auto anonimi = roads::PolilineeDi(s);
    EXPECT_STREQ(mio_assoc(anonimi[1].datiEstesi.get(), 1000)->rbnext->resval.rstring, L"");
}

// A secondary road that ends at the main road meets one of its edges, one
// that crosses it meets both, one that stops short meets none; only the last
// needs the secondary axis prolonged to meet the main axis.
TEST(RoadGenerator, SecondaryRoadsEndAtCrossOrStopShortOfTheMainRoad) {
    auto principale = roads::PolilineeDi(roads::Curva(L"Principale", {-150, 0, 0}, 150, 300, kPi / 6, 100));
    struct Caso {
        const char* nome;
        double y0, y1;
        std::size_t cigli;
        bool reale;
    };
    const Caso casi[] = {
        {"ends at the main axis", -120, 0, 1, true},
        {"crosses the main road", -120, 120, 2, true},
        {"stops short of it", -120, -20, 0, false},
    };
    datipoli* asse = ListaDi(principale[0].vertici);
    datipoli* cdx = ListaDi(principale[1].vertici);
    datipoli* csx = ListaDi(principale[2].vertici);
    for (const auto& c : casi) {
        SCOPED_TRACE(c.nome);
        auto sec = roads::PolilineeDi(roads::Rettilineo(L"Secondaria", {0, c.y0, 0}, {0, c.y1, 0}));
        datipoli* s = ListaDi(sec[0].vertici);
        std::size_t n = vplat::IntersezioniDatiPoli(cdx, s, 0, 0).size() + vplat::IntersezioniDatiPoli(csx, s, 0, 0).size();
        EXPECT_EQ(n, c.cigli);
        EXPECT_EQ(!vplat::IntersezioniDatiPoli(asse, s, 0, 0).empty(), c.reale);
        auto apparenti = vplat::IntersezioniDatiPoli(asse, s, 0, 1000);
        ASSERT_EQ(apparenti.size(), 1u);
        EXPECT_NEAR(apparenti[0].x, 0, 1e-9);
        EXPECT_NEAR(apparenti[0].y, 0, 1e-9);
        LiberaDATIPOLI(&s);
    }
    LiberaDATIPOLI(&asse);
    LiberaDATIPOLI(&cdx);
    LiberaDATIPOLI(&csx);
}

TEST(RoadGenerator, RefusesWhatItCannotDraw) {
    roads::Strada spezzata;
    spezzata.nome = L"Spezzata";
    spezzata.asse = {{0, 0, 0}, {10, 0, 0}, {10, 10, 0}};
    EXPECT_THROW(roads::PolilineeDi(spezzata), std::invalid_argument);
    roads::Strada stretta = roads::Curva(L"Stretta", {0, 0, 0}, 10, 3, kPi / 2, 10);
    EXPECT_THROW(roads::PolilineeDi(stretta), std::invalid_argument);
    roads::Strada lista = roads::Rettilineo(L"Lista", {0, 0, 0}, {10, 0, 0});
    lista.records = {{1234, 0.0, {{22004, 1.0}}}};
    EXPECT_THROW(roads::PolilineeDi(lista), std::invalid_argument);
}

}  // namespace

namespace {

// The shared scenarios (and so the sample drawings) are what they say.
TEST(RoadScenarios, EachSecondaryRoadMeetsTheMainEdgesAsDescribed) {
    auto scenari = roads::Scenari();
    ASSERT_EQ(scenari.size(), 3u);
    const std::size_t cigliAttesi[] = {1, 2, 0};
    const double progAttese[] = {0, 1000, 250};
    const std::size_t polilineeAttese[] = {5, 5, 7};
    for (std::size_t i = 0; i < scenari.size(); ++i) {
        SCOPED_TRACE(scenari[i].file);
        ASSERT_EQ(scenari[i].strade.size(), 2u);
        EXPECT_EQ(scenari[i].strade[0].progIniziale, progAttese[i]);
        auto principale = roads::PolilineeDi(scenari[i].strade[0]);
        auto secondaria = roads::PolilineeDi(scenari[i].strade[1]);
        EXPECT_EQ(principale.size(), polilineeAttese[i]);
        datipoli* s = ListaDi(secondaria[0].vertici);
        std::size_t n = 0;
        for (std::size_t k = 1; k <= 2; ++k) {
            datipoli* ciglio = ListaDi(principale[k].vertici);
            n += vplat::IntersezioniDatiPoli(ciglio, s, 0, 0).size();
            LiberaDATIPOLI(&ciglio);
        }
        EXPECT_EQ(n, cigliAttesi[i]);
        datipoli* asse = ListaDi(principale[0].vertici);
        EXPECT_EQ(vplat::IntersezioniDatiPoli(asse, s, 0, 1000).size(), 1u);
        LiberaDATIPOLI(&asse);
        LiberaDATIPOLI(&s);
    }
}

}  // namespace
