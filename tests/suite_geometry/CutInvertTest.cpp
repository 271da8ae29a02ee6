#include <gtest/gtest.h>

#include <cmath>

#include "GeometriaPiana.h"
#include "ListFixtures.h"

using fixtures::kPi;
using fixtures::Lista;

namespace {

// Every point of the part lies on the whole.
void GiaceSu(const datipoli* parte, const datipoli* tutto) {
    auto intero = CheckerOf(tutto);
    for (auto p : CheckerOf(parte).Samples(16)) EXPECT_LT(intero.DistanceTo(p), 1e-9) << p.x << " " << p.y;
}

struct CasoTaglio {
    const char* nome;
    double da, a;
    std::vector<fixtures::V> attesi;
};

TEST(EstraiCopia, CutsInsideArcsWithTheirBulges) {
    // Half circle of radius 10 counter-clockwise from (10, 0) to (-10, 0),
    // then south 10; chainages from 40.
    Lista l({{10, 0, 1}, {-10, 0, 0}, {-10, -10, 0}}, 40.0);
    const double r2 = 10 / std::sqrt(2.0);
    const CasoTaglio casi[] = {
        {"from inside the arc to inside the straight",
         40 + 2.5 * kPi,
         40 + 10 * kPi + 5,
         {{r2, r2, std::tan(0.75 * kPi / 4)}, {-10, 0, 0}, {-10, -5, 0}}},
        {"wholly inside the arc",
         40 + kPi,
         40 + 2 * kPi,
         {{10 * std::cos(0.1 * kPi), 10 * std::sin(0.1 * kPi), std::tan(0.1 * kPi / 4)},
          {10 * std::cos(0.2 * kPi), 10 * std::sin(0.2 * kPi), 0}}},
        {"starting on the vertex", 40 + 10 * kPi, 40 + 10 * kPi + 10, {{-10, 0, 0}, {-10, -10, 0}}},
        {"the whole list", 40, 40 + 10 * kPi + 10, {{10, 0, 1}, {-10, 0, 0}, {-10, -10, 0}}},
    };
    for (const auto& c : casi) {
        SCOPED_TRACE(c.nome);
        datipoli* out = nullptr;
        ASSERT_EQ(estraiCopiaDATIPOLI(l.get(), &c.da, &c.a, &out), 1);
        Lista parte(out);
        ASSERT_EQ(parte.Conta(), static_cast<int>(c.attesi.size()));
        for (int i = 0; i < parte.Conta(); ++i) {
            EXPECT_NEAR(parte.Nodo(i)->x, c.attesi[i].x, 1e-9) << i;
            EXPECT_NEAR(parte.Nodo(i)->y, c.attesi[i].y, 1e-9) << i;
            EXPECT_NEAR(parte.Nodo(i)->bulge, c.attesi[i].bulge, 1e-12) << i;
        }
        // Chainages start again from 0 and measure the part.
        EXPECT_EQ(parte.get()->prog, 0);
        EXPECT_NEAR(parte.Ultimo()->prog, c.a - c.da, 1e-9);
        GiaceSu(parte.get(), l.get());
        auto g = CheckerOf(parte.get());
        if (g.Segment(0).isArc) {
            EXPECT_NEAR(g.Segment(0).centre.x, 0, 1e-9);
            EXPECT_NEAR(g.Segment(0).radius, 10, 1e-9);
        }
    }
}

TEST(EstraiCopia, ClockwiseArcsKeepTheirSense) {
    Lista l{{-10, 0, -1}, {10, 0, 0}};  // over the top, clockwise
    double da = 5 * kPi, a = 7.5 * kPi;
    datipoli* out = nullptr;
    ASSERT_EQ(estraiCopiaDATIPOLI(l.get(), &da, &a, &out), 1);
    Lista parte(out);
    ASSERT_EQ(parte.Conta(), 2);
    EXPECT_NEAR(parte.Nodo(0)->x, 0, 1e-9);
    EXPECT_NEAR(parte.Nodo(0)->y, 10, 1e-9);
    EXPECT_NEAR(parte.Nodo(0)->bulge, -std::tan(kPi / 16), 1e-12);
    GiaceSu(parte.get(), l.get());
}

TEST(EstraiCopia, OpenEndsAndRefusals) {
    Lista l{{0, 0, 0}, {10, 0, 0}, {10, 10, 0}};
    double cinque = 5, quindici = 15;
    datipoli* out = nullptr;
    ASSERT_EQ(estraiCopiaDATIPOLI(l.get(), nullptr, &quindici, &out), 1);
    Lista inizio(out);
    EXPECT_EQ(inizio.Conta(), 3);
    EXPECT_NEAR(inizio.Ultimo()->y, 5, 1e-12);
    out = nullptr;
    ASSERT_EQ(estraiCopiaDATIPOLI(l.get(), &cinque, nullptr, &out), 1);
    Lista fine(out);
    EXPECT_NEAR(fine.Nodo(0)->x, 5, 1e-12);
    EXPECT_NEAR(fine.Ultimo()->y, 10, 1e-12);
    EXPECT_NEAR(fine.Ultimo()->prog, 15, 1e-12);
    // Beyond the end the part stops at the end.
    double oltre = 20.1;
    out = nullptr;
    ASSERT_EQ(estraiCopiaDATIPOLI(l.get(), &cinque, &oltre, &out), 1);
    Lista tronca(out);
    EXPECT_NEAR(tronca.Ultimo()->prog, 15, 1e-12);
    out = nullptr;
    EXPECT_EQ(estraiCopiaDATIPOLI(l.get(), &quindici, &cinque, &out), 0);
    EXPECT_EQ(out, nullptr);
    EXPECT_EQ(estraiCopiaDATIPOLI(nullptr, nullptr, nullptr, &out), 0);
}

TEST(InvertiDatiPoli, ReversesWithEachBulgeOnItsSegment) {
    Lista l({{0, 0, 0}, {10, 0, fixtures::BulgeQuarto()}, {20, 10, -0.5}, {30, 10, 0}}, 3.0);
    auto prima = CheckerOf(l.get());
    datipoli* testa = allocaDATIPOLI(l.get());
    InvertiDatiPoli(&testa);
    Lista inv(testa);
    ASSERT_EQ(inv.Conta(), 4);
    const double bulgeAttesi[] = {0.5, -fixtures::BulgeQuarto(), 0, 0};
    auto dopo = CheckerOf(inv.get());
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(inv.Nodo(i)->x, l.Nodo(3 - i)->x);
        EXPECT_EQ(inv.Nodo(i)->bulge, bulgeAttesi[i]) << i;
    }
    // The same curve run backwards: every segment keeps its centre and
    // radius, every tangent turns round.
    for (std::size_t i = 0; i < 3; ++i) {
        auto s = dopo.Segment(i), o = prima.Segment(2 - i);
        EXPECT_EQ(s.isArc, o.isArc);
        EXPECT_NEAR(s.centre.x, o.centre.x, 1e-9);
        EXPECT_NEAR(s.centre.y, o.centre.y, 1e-9);
        EXPECT_NEAR(s.radius, o.radius, 1e-9);
        EXPECT_NEAR(geomcheck::GeometryChecker::AngleBetween(dopo.TangentOut(i), prima.TangentIn(3 - i) + kPi), 0,
                    1e-9);
    }
    EXPECT_EQ(inv.get()->prog, 3.0);
    EXPECT_NEAR(inv.Ultimo()->prog, 3.0 + prima.Length(), 1e-9);
    // Twice gives the list back.
    InvertiDatiPoli(inv.indirizzo());
    for (int i = 0; i < 4; ++i) EXPECT_EQ(inv.Nodo(i)->bulge, l.Nodo(i)->bulge);
    datipoli* vuota = nullptr;
    InvertiDatiPoli(&vuota);
    EXPECT_EQ(vuota, nullptr);
}

TEST(RototraslaDatiPoli, MovesVerticesAndCentresAndMirrorsBulges) {
    Lista l{{10, 0, fixtures::BulgeQuarto()}, {0, 10, 0}};
    // A quarter turn then a move by (5, -2).
    ads_matrix giro = {{0, -1, 0, 5}, {1, 0, 0, -2}, {0, 0, 1, 0}, {0, 0, 0, 1}};
    RototraslaDATIPOLI(l.get(), giro);
    EXPECT_NEAR(l.Nodo(0)->x, 5, 1e-12);
    EXPECT_NEAR(l.Nodo(0)->y, 8, 1e-12);
    EXPECT_NEAR(l.Nodo(0)->xc, 5, 1e-12);
    EXPECT_NEAR(l.Nodo(0)->yc, -2, 1e-12);
    EXPECT_GT(l.Nodo(0)->bulge, 0);
    // A mirror in x: the arc now runs clockwise about the mirrored centre.
    ads_matrix specchio = {{-1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}};
    RototraslaDATIPOLI(l.get(), specchio);
    auto g = CheckerOf(l.get());
    EXPECT_LT(g.Segment(0).sweep, 0);
    EXPECT_NEAR(g.Segment(0).centre.x, -5, 1e-12);
    EXPECT_NEAR(g.Segment(0).centre.y, -2, 1e-12);
    EXPECT_NEAR(l.Ultimo()->prog, 5 * kPi, 1e-9);
}

}  // namespace
