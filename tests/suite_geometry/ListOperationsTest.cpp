#include <gtest/gtest.h>

#include <cmath>

#include "ListFixtures.h"

using fixtures::kPi;
using fixtures::Lista;

namespace {

TEST(Aggpunto, CompletesTheSegmentItCloses) {
    Lista l{{10, 0, fixtures::BulgeQuarto()}, {0, 10, 0}, {-10, 10, 0}};
    ASSERT_EQ(l.Conta(), 3);
    const datipoli* arco = l.Nodo(0);
    EXPECT_NEAR(arco->raggio, 10, 1e-12);
    EXPECT_NEAR(arco->xc, 0, 1e-12);
    EXPECT_NEAR(arco->yc, 0, 1e-12);
    // The straight has no centre; chainages follow the arc.
    EXPECT_EQ(l.Nodo(1)->raggio, 0);
    EXPECT_NEAR(l.Nodo(1)->prog, 5 * kPi, 1e-12);
    EXPECT_NEAR(l.Nodo(2)->prog, 5 * kPi + 10, 1e-12);
    EXPECT_EQ(l.Ultimo()->next, nullptr);
}

TEST(Aggpunto, FindsTheTailWhenOnlyTheHeadIsGiven) {
    Lista l{{0, 0, 0}, {3, 4, 0}};
    datipoli* coda = nullptr;
    ads_point p = {3, 10, 0};
    ASSERT_EQ(AggpuntoDATIPOLI(p, 0, l.indirizzo(), &coda), 1);
    EXPECT_EQ(coda, l.Nodo(2));
    EXPECT_NEAR(coda->prog, 11, 1e-12);
}

TEST(Libera, ClearsTheHeadAndAcceptsNull) {
    datipoli* testa = nullptr;
    datipoli* coda = nullptr;
    ads_point p = {1, 2, 3};
    AggpuntoDATIPOLI(p, 0, &testa, &coda);
    LiberaDATIPOLI(&testa);
    EXPECT_EQ(testa, nullptr);
    LiberaDATIPOLI(&testa);
    LiberaDATIPOLI(nullptr);
}

TEST(ProgDatiPoli, ChainagesFollowArcsFromTheStartChainage) {
    // Half circle of radius 5 clockwise, then a straight, then a quarter of
    // radius 2 counter-clockwise.
    Lista l{{0, 0, -1}, {10, 0, 0}, {10, -4, fixtures::BulgeQuarto()}, {12, -6, 0}};
    double lunghezza = 0;
    ASSERT_EQ(ProgDATIPOLI(l.get(), 250.0, &lunghezza), 1);
    const double attese[] = {250, 250 + 5 * kPi, 254 + 5 * kPi, 254 + 6 * kPi};
    for (int i = 0; i < 4; ++i) EXPECT_NEAR(l.Nodo(i)->prog, attese[i], 1e-9) << i;
    EXPECT_NEAR(lunghezza, 4 + 6 * kPi, 1e-9);
    EXPECT_EQ(ProgDATIPOLI(nullptr, 0, &lunghezza), 0);
}

struct CasoProgressiva {
    const char* nome;
    double prog;
    int risultato;
    double x, y, direzione;
};

TEST(XYdaProgsuDatiPoli, PointsAndDirectionsAlongArcsAndAtBothEnds) {
    Lista l({{10, 0, fixtures::BulgeQuarto()}, {0, 10, 0}, {-10, 10, 0}}, 100.0);
    const double r2 = 10 / std::sqrt(2.0);
    const double fine = 110 + 5 * kPi;
    const CasoProgressiva casi[] = {
        {"start", 100, 0, 10, 0, kPi / 2},
        {"just before the start, within tolerance", 100 - 1e-10, 0, 10, 0, kPi / 2},
        {"middle of the arc", 100 + 2.5 * kPi, 0, r2, r2, 3 * kPi / 4},
        {"vertex between arc and straight", 100 + 5 * kPi, 0, 0, 10, kPi},
        {"end", fine, 0, -10, 10, kPi},
        {"just past the end, within tolerance", fine + 1e-10, 0, -10, 10, kPi},
        {"before the start", 100 - 1e-6, 1, 0, 0, 0},
        {"past the end", fine + 1e-6, 1, 0, 0, 0},
    };
    for (const auto& c : casi) {
        SCOPED_TRACE(c.nome);
        ads_point p = {0, 0, 0};
        double dir = -1;
        ASSERT_EQ(XYdaProgsuDatiPoli(l.get(), c.prog, p, &dir), c.risultato);
        if (c.risultato != 0) continue;
        EXPECT_NEAR(p[X], c.x, 1e-9);
        EXPECT_NEAR(p[Y], c.y, 1e-9);
        EXPECT_NEAR(dir, c.direzione, 1e-9);
    }
    ads_point p;
    EXPECT_EQ(XYdaProgsuDatiPoli(nullptr, 0, p, nullptr), 1);
}

TEST(AllocaDatiPoli, CopiesEveryNode) {
    Lista l({{10, 0, fixtures::BulgeQuarto()}, {0, 10, 0}}, 7.0);
    Lista copia(allocaDATIPOLI(l.get()));
    ASSERT_EQ(copia.Conta(), 2);
    EXPECT_NE(copia.get(), l.get());
    EXPECT_EQ(copia.Nodo(0)->bulge, l.Nodo(0)->bulge);
    EXPECT_EQ(copia.Nodo(1)->prog, l.Nodo(1)->prog);
    EXPECT_EQ(allocaDATIPOLI(nullptr), nullptr);
}

TEST(CircleList, ClosedCounterClockwiseAroundTheCentre) {
    ads_point centro = {3, 4, 0};
    Lista c(allocaDATIPOLI_Da_Cerchio(centro, 5));
    ASSERT_NE(c.get(), nullptr);
    auto g = CheckerOf(c.get());
    EXPECT_TRUE(g.Closed());
    for (std::size_t i = 0; i + 1 < g.Size(); ++i) {
        auto s = g.Segment(i);
        EXPECT_TRUE(s.isArc);
        EXPECT_GT(s.sweep, 0);
        EXPECT_NEAR(s.centre.x, 3, 1e-12);
        EXPECT_NEAR(s.centre.y, 4, 1e-12);
        EXPECT_NEAR(s.radius, 5, 1e-12);
    }
    // Smooth all round, the closing vertex included.
    EXPECT_TRUE(g.Tangential(1));
    EXPECT_LT(geomcheck::GeometryChecker::AngleBetween(g.TangentIn(g.Size() - 1), g.TangentOut(0)), 1e-9);
    ads_point p;
    ASSERT_EQ(XYdaProgsuDatiPoli(c.get(), 2.5 * kPi, p, nullptr), 0);
    EXPECT_NEAR(p[X], 3, 1e-9);
    EXPECT_NEAR(p[Y], 9, 1e-9);
    EXPECT_NEAR(c.Ultimo()->prog, 10 * kPi, 1e-9);
    EXPECT_EQ(allocaDATIPOLI_Da_Cerchio(centro, 0), nullptr);
}

}  // namespace
