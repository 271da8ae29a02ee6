// Where the generator puts a plan roundabout's entities: the plan edges start
// on the outer ring and lie on the sides their codes name, the road edges lie
// right and left of their alignment's travel, the alignment has one end at
// the centre, and the switches change only what they name.
#include <functional>

#include "DatiPoli.h"
#include "GeometryChecker.h"
#include "PlanChecks.h"
#include "PlanFixtures.h"
#include "TracciatoDatiEstesi.h"

using piano::DalCentro;
using piano::Trova;
using rotatorie::Entita;
using rotatorie::Rotatoria;

namespace {

struct Asse {
    double cx, cy, ux, uy;
    // Along the branch from the centre, and to its left (counter-clockwise).
    double U(const roads::Vertex& p) const { return (p.x - cx) * ux + (p.y - cy) * uy; }
    double V(const roads::Vertex& p) const { return ux * (p.y - cy) - uy * (p.x - cx); }
};

Asse AsseDi(const Rotatoria& r, const rotatorie::Ramo& ramo) {
    return {r.centro.x, r.centro.y, std::cos(ramo.angolo), std::sin(ramo.angolo)};
}

// Seen from the branch towards the ring, rCEOut and rCIOut lie on the left,
// that is clockwise of the axis; the alignment's right edge lies on the
// rCEOut side when it runs away from the ring and on the rCEIn side when it
// runs towards it.
TEST(PlanGeometry, PlanAndRoadEdgesLieOnTheSidesTheirCodesName) {
    Rotatoria r = piano::DueRami();
    auto entita = rotatorie::EntitaDi(r);
    ASSERT_EQ(entita.size(), 16u);
    struct Caso {
        int ramo;
        const wchar_t* latoCDX;  // the plan edge whose side CDX shares
    };
    const Caso casi[] = {{0, L"rCEOut"}, {1, L"rCEIn"}};
    const double re = r.raggioEsterno;
    for (const Caso& c : casi) {
        const auto& ramo = r.rami[c.ramo];
        SCOPED_TRACE(ramo.nome);
        Asse a = AsseDi(r, ramo);
        struct Bordo {
            const wchar_t* codice;
            double vAnello, vFine, uFine;
        };
        const Bordo bordi[] = {{L"rCEOut", -6, -6, re + 35},
                               {L"rCIOut", -2, -0.5, re + 20},
                               {L"rCIIn", 2, 0.5, re + 20},
                               {L"rCEIn", 6, 6, re + 35}};
        for (const Bordo& b : bordi) {
            SCOPED_TRACE(b.codice);
            const Entita* e = Trova(entita, c.ramo, b.codice);
            ASSERT_NE(e, nullptr);
            ASSERT_EQ(e->vertici.size(), 2u);
            EXPECT_EQ(e->layer, rotatorie::kLayerRotatoria);
            EXPECT_NEAR(DalCentro(r, e->vertici[0]), re, 1e-9) << "first vertex on the outer ring";
            EXPECT_NEAR(a.V(e->vertici[0]), b.vAnello, 1e-9);
            EXPECT_NEAR(a.V(e->vertici[1]), b.vFine, 1e-9);
            EXPECT_NEAR(a.U(e->vertici[1]), b.uFine, 1e-9);
        }
        const Entita* tracciato = Trova(entita, c.ramo, L"");
        ASSERT_NE(tracciato, nullptr);
        ASSERT_EQ(tracciato->vertici.size(), 2u);
        // One end at the centre: the first vertex running outwards, the last running inwards.
        const auto& alCentro = ramo.versoUscente ? tracciato->vertici.front() : tracciato->vertici.back();
        EXPECT_NEAR(DalCentro(r, alCentro), 0, 1e-9);
        geomcheck::GeometryChecker viaggio(tracciato->vertici);
        EXPECT_NEAR(viaggio.Length(), 90, 1e-9);

        const Entita* cdx = Trova(entita, c.ramo, L"CDX");
        const Entita* csx = Trova(entita, c.ramo, L"CSX");
        ASSERT_TRUE(cdx && csx);
        const Entita* lato = Trova(entita, c.ramo, c.latoCDX);
        EXPECT_GT(a.V(cdx->vertici[0]) * a.V(lato->vertici[0]), 0) << "CDX on the side of " << c.latoCDX;
        for (const Entita* e : {cdx, csx}) {
            SCOPED_TRACE(e->kind);
            EXPECT_EQ(e->layer, roads::kLayerCigli);
            EXPECT_FALSE(e->tridimensionale);
            geomcheck::GeometryChecker ciglio(e->vertici);
            for (auto p : ciglio.Samples(4))
                EXPECT_NEAR(viaggio.SignedOffset(p), e == cdx ? 6 : -6, 1e-9) << "right is positive";
            // Along the alignment's travel, from the outer ring to the far end.
            EXPECT_LT(geomcheck::GeometryChecker::AngleBetween(ciglio.TangentOut(0), viaggio.TangentOut(0)), 1e-9);
            const auto& anello = ramo.versoUscente ? e->vertici.front() : e->vertici.back();
            const auto& fine = ramo.versoUscente ? e->vertici.back() : e->vertici.front();
            EXPECT_NEAR(DalCentro(r, anello), re, 1e-9);
            EXPECT_NEAR(a.U(fine), 90, 1e-9);
        }
    }
}

// Each switch changes what it names and nothing else: the other entities
// stay as the unswitched roundabout draws them.
TEST(PlanGeometry, SwitchesChangeOnlyWhatTheyName) {
    const Rotatoria base = piano::DueRami();
    const auto normali = rotatorie::EntitaDi(base);
    struct Caso {
        const char* nome;
        std::function<void(Rotatoria&)> cambia;
        int differenza;  // entities more (or fewer) than without the switch
        std::function<void(const Rotatoria&, const std::vector<Entita>&)> verifica;
    };
    const Caso casi[] = {
        {"no inner circle", [](Rotatoria& r) { r.senzaAnelloInterno = true; }, -1,
         [](const Rotatoria&, const std::vector<Entita>& e) {
             EXPECT_EQ(Trova(e, -1, L"aCInt"), nullptr);
             EXPECT_NE(Trova(e, -1, L"aCExt"), nullptr);
         }},
        {"no outer circle", [](Rotatoria& r) { r.senzaAnelloEsterno = true; }, -1,
         [](const Rotatoria&, const std::vector<Entita>& e) {
             EXPECT_NE(Trova(e, -1, L"aCInt"), nullptr);
             EXPECT_EQ(Trova(e, -1, L"aCExt"), nullptr);
         }},
        {"no rCIIn on SP 2", [](Rotatoria& r) { r.rami[1].senzaBordo = rotatorie::Bordo::rCIIn; }, -1,
         [](const Rotatoria&, const std::vector<Entita>& e) {
             EXPECT_EQ(Trova(e, 1, L"rCIIn"), nullptr);
             EXPECT_NE(Trova(e, 0, L"rCIIn"), nullptr);
         }},
        {"rCEOut of SP 1 starts 0.5 outside the ring",
         [](Rotatoria& r) {
             r.rami[0].bordoStaccato = rotatorie::Bordo::rCEOut;
             r.rami[0].distacco = 0.5;
         },
         0,
         [](const Rotatoria& r, const std::vector<Entita>& e) {
             EXPECT_NEAR(DalCentro(r, Trova(e, 0, L"rCEOut")->vertici[0]), 25.5, 1e-9);
             EXPECT_NEAR(AsseDi(r, r.rami[0]).V(Trova(e, 0, L"rCEOut")->vertici[0]), -6, 1e-9);
         }},
        {"rCIIn of SP 2 starts 0.25 inside the ring",
         [](Rotatoria& r) {
             r.rami[1].bordoStaccato = rotatorie::Bordo::rCIIn;
             r.rami[1].distacco = -0.25;
         },
         0,
         [](const Rotatoria& r, const std::vector<Entita>& e) {
             EXPECT_NEAR(DalCentro(r, Trova(e, 1, L"rCIIn")->vertici[0]), 24.75, 1e-9);
         }},
        {"CSX of SP 2 drawn as a 3D polyline", [](Rotatoria& r) { r.rami[1].ciglio3D = L"CSX"; }, 0,
         [](const Rotatoria&, const std::vector<Entita>& e) {
             for (const auto& x : e) EXPECT_EQ(x.tridimensionale, x.ramo == 1 && x.kind == L"CSX") << x.kind;
         }},
        {"SP 1 without road edges", [](Rotatoria& r) { r.rami[0].senzaCigliStrada = true; }, -2,
         [](const Rotatoria&, const std::vector<Entita>& e) {
             EXPECT_EQ(Trova(e, 0, L"CDX"), nullptr);
             EXPECT_EQ(Trova(e, 0, L"CSX"), nullptr);
             EXPECT_NE(Trova(e, 1, L"CDX"), nullptr);
         }},
        {"SP 2 divided, island edges at 1.5", [](Rotatoria& r) { r.rami[1].divisa = 1.5; }, 2,
         [](const Rotatoria&, const std::vector<Entita>& e) {
             geomcheck::GeometryChecker viaggio(Trova(e, 1, L"")->vertici);
             for (auto [kind, offset] : {std::pair{L"CIDX", 1.5}, std::pair{L"CISX", -1.5}}) {
                 const Entita* x = Trova(e, 1, kind);
                 ASSERT_NE(x, nullptr) << kind;
                 EXPECT_EQ(x->layer, roads::kLayerCigli);
                 for (auto p : geomcheck::GeometryChecker(x->vertici).Samples(2))
                     EXPECT_NEAR(viaggio.SignedOffset(p), offset, 1e-9) << kind;
             }
         }},
    };
    for (const Caso& c : casi) {
        SCOPED_TRACE(c.nome);
        Rotatoria r = base;
        c.cambia(r);
        auto entita = rotatorie::EntitaDi(r);
        ASSERT_EQ(static_cast<int>(entita.size()), static_cast<int>(normali.size()) + c.differenza);
        c.verifica(r, entita);
        // Every entity the switch did not move is where it was.
        for (const auto& e : entita) {
            const Entita* prima = Trova(normali, e.ramo, e.kind);
            const auto& staccato = e.ramo >= 0 ? r.rami[e.ramo].bordoStaccato : std::nullopt;
            if (!prima || (staccato && e.kind == rotatorie::Codice(*staccato))) continue;
            ASSERT_EQ(e.vertici.size(), prima->vertici.size());
            for (std::size_t k = 0; k < e.vertici.size(); ++k) {
                EXPECT_EQ(e.vertici[k].x, prima->vertici[k].x) << e.kind << " of branch " << e.ramo;
                EXPECT_EQ(e.vertici[k].y, prima->vertici[k].y) << e.kind << " of branch " << e.ramo;
            }
        }
    }
}

// The alignment's chain decodes into the alignment asked for: names, start
// chainage, length, the profile under its name and both lists' records.
TEST(PlanAlignment, DecodesWithItsProfileAndBothLists) {
    Rotatoria r = piano::DueRami();
    rotatorie::Ramo altro = r.rami[0];
    altro.nome = L"SP 3";
    altro.nomeInterno = L"TR00000003";
    altro.angolo = piano::Gradi(270);
    altro.progIniziale = 1000;
    altro.nomeProfilo = L"ALTERNATIVO";
    altro.lista1505.clear();
    r.rami.push_back(altro);
    auto entita = rotatorie::EntitaDi(r);
    for (int i = 0; i < 3; ++i) {
        const auto& ramo = r.rami[i];
        SCOPED_TRACE(ramo.nome);
        const Entita* e = Trova(entita, i, L"");
        ASSERT_NE(e, nullptr);
        piano::VerificaTracciato(ramo, *e);
    }
}

// The model reads a branch's profile and lists at the branch end, 1 beyond
// its plan edges' farthest end (61 from the centre here), and 0.1 further.
// With one end of the alignment at the centre and start chainage 0, its rule
// (S + L running outwards, S + E - L running inwards, the ring crossing
// added to L) lands there in both directions. A profile cut at the branch
// end answers there and not 0.1 further; an uncut one answers at both.
TEST(PlanAlignment, BranchEndIsWhereTheModelReadsTheProfile) {
    struct Caso {
        bool uscente;
        double progIniziale;
        bool taglia;
    };
    const Caso casi[] = {{true, 0, false}, {false, 0, false}, {true, 0, true},
                         {false, 0, true}, {true, 1000, true}, {false, 1000, true}};
    const double fineRamo = 25 + 35 + 1;
    for (const Caso& c : casi) {
        SCOPED_TRACE(testing::Message() << (c.uscente ? "outwards" : "inwards") << ", start chainage "
                                        << c.progIniziale << (c.taglia ? ", profile cut" : ""));
        Rotatoria r = piano::DueRami();
        r.rami.resize(1);
        auto& ramo = r.rami[0];
        ramo.versoUscente = c.uscente;
        ramo.progIniziale = c.progIniziale;
        ramo.profilo = {{c.progIniziale, 50.0}, {c.progIniziale + 30, 50.9}, {c.progIniziale + 90, 52.7}};
        ramo.profiloFinoAFineRamo = c.taglia;
        auto entita = rotatorie::EntitaDi(r);
        const Entita* e = Trova(entita, 0, L"");
        datipoli* l = roads::ListaDi(e->vertici);
        ICTRACCIATO* t = vplat::DecodificaTracciato(e->datiEstesi.get(), l, nullptr);
        LiberaDATIPOLI(&l);
        ASSERT_NE(t, nullptr);

        double p = rotatorie::ProgFineRamo(r, ramo);
        double s = t->GetDato(QV_DATO_PROG_INIZIALE).GetDouble();
        double lunghezza = t->GetDato(QV_DATO_LUNGHEZZA).GetDouble();
        if (c.progIniziale == 0) {
            EXPECT_NEAR(p, c.uscente ? s + fineRamo : s + lunghezza - fineRamo, 1e-9);
        }
        ads_point punto;
        ASSERT_EQ(XYdaProgsuDatiPoli(t->getDatiPoli(), p, punto, nullptr), 0);
        EXPECT_NEAR(DalCentro(r, {punto[0], punto[1], 0}), fineRamo, 1e-9);
        EXPECT_NEAR(AsseDi(r, ramo).V({punto[0], punto[1], 0}), 0, 1e-9);

        const ICPROFILO* profilo = t->getProfilo(0);
        double quota = 0;
        ASSERT_EQ(profilo->getQuota(p, &quota), 1);
        // 50.0 rising 3 % all along.
        EXPECT_NEAR(quota, 50.0 + 0.03 * (p - c.progIniziale), 1e-9);
        if (c.taglia) {
            const auto& v = profilo->getVertici();
            EXPECT_NEAR(c.uscente ? v.back().prog : v.front().prog, p, 1e-9);
        }
        double oltre = c.uscente ? p + 0.1 : p - 0.1;
        EXPECT_EQ(profilo->getQuota(oltre, &quota), c.taglia ? 0 : 1);
        ICTRACCIATO_Costructor::Libera(&t, 1);
    }
}

}  // namespace
