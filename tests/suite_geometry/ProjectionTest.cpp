#include <gtest/gtest.h>

#include <cmath>

#include "DistanzaDirezionale.h"
#include "ListFixtures.h"

using fixtures::kPi;
using fixtures::Lista;

namespace {

struct CasoOffset {
    const char* nome;
    double px, py;
    double offset, piedeX, piedeY, prog, direzione;
};

void Verifica(const datipoli* l, const CasoOffset& c, int modo) {
    SCOPED_TRACE(c.nome);
    ads_point p = {c.px, c.py, 0}, piede, centro;
    double d = 0, s = 0, dir = 0, valore = 0;
    ASSERT_EQ(DistPPoly(l, p, &d, piede, &s, &dir, centro, &valore, modo), 1);
    EXPECT_NEAR(d, c.offset, 1e-9);
    EXPECT_NEAR(valore, std::fabs(c.offset), 1e-9);
    EXPECT_NEAR(piede[X], c.piedeX, 1e-9);
    EXPECT_NEAR(piede[Y], c.piedeY, 1e-9);
    EXPECT_NEAR(s, c.prog, 1e-9);
    EXPECT_NEAR(dir, c.direzione, 1e-9);
    // The checker agrees on the side and the size.
    EXPECT_NEAR(CheckerOf(l).SignedOffset({c.px, c.py}), c.offset, 1e-9);
}

TEST(DistPPoly, SignedOffsetOnBothSidesOfAStraight) {
    Lista l{{0, 0, 0}, {10, 0, 0}};
    const CasoOffset casi[] = {
        {"right", 4, -2, 2, 4, 0, 4, 0},
        {"left", 6, 3, -3, 6, 0, 6, 0},
        {"on the line", 2.5, 0, 0, 2.5, 0, 2.5, 0},
    };
    for (const auto& c : casi) {
        Verifica(l.get(), c, 1);
        Verifica(l.get(), c, 0);
    }
}

TEST(DistPPoly, SignedOffsetOnBothSidesOfArcsEitherWay) {
    const double r2 = 1 / std::sqrt(2.0);
    // Counter-clockwise quarter about the origin: the outside is on the right.
    Lista ccw({{10, 0, fixtures::BulgeQuarto()}, {0, 10, 0}}, 20.0);
    const CasoOffset casiCcw[] = {
        {"outside", 12 * r2, 12 * r2, 2, 10 * r2, 10 * r2, 20 + 2.5 * kPi, 3 * kPi / 4},
        {"inside", 7 * r2, 7 * r2, -3, 10 * r2, 10 * r2, 20 + 2.5 * kPi, 3 * kPi / 4},
    };
    for (const auto& c : casiCcw) Verifica(ccw.get(), c, 1);
    // The same arc run clockwise: the outside is on the left.
    Lista cw{{0, 10, -fixtures::BulgeQuarto()}, {10, 0, 0}};
    const CasoOffset casiCw[] = {
        {"outside", 12 * r2, 12 * r2, -2, 10 * r2, 10 * r2, 2.5 * kPi, 7 * kPi / 4},
        {"inside", 7 * r2, 7 * r2, 3, 10 * r2, 10 * r2, 2.5 * kPi, 7 * kPi / 4},
    };
    for (const auto& c : casiCw) Verifica(cw.get(), c, 1);
}

TEST(DistPPoly, ModeOneHasNoFootBeyondTheEndsModeZeroTakesTheEnd) {
    Lista l{{0, 0, 0}, {10, 0, 0}};
    ads_point p = {-3, 1, 0}, piede;
    double d = 0, s = 0;
    EXPECT_EQ(DistPPoly(l.get(), p, &d, piede, &s, nullptr, nullptr, nullptr, 1), 0);
    ASSERT_EQ(DistPPoly(l.get(), p, &d, piede, &s, nullptr, nullptr, nullptr, 0), 1);
    EXPECT_NEAR(d, -std::sqrt(10.0), 1e-12);
    EXPECT_EQ(piede[X], 0);
    EXPECT_EQ(s, 0);
    ads_point oltre = {13, -4, 0};
    EXPECT_EQ(DistPPoly(l.get(), oltre, &d, piede, &s, nullptr, nullptr, nullptr, 1), 0);
    ASSERT_EQ(DistPPoly(l.get(), oltre, &d, piede, &s, nullptr, nullptr, nullptr, 0), 1);
    EXPECT_NEAR(d, 5, 1e-12);
    EXPECT_EQ(s, 10);
    EXPECT_EQ(DistPPoly(nullptr, p, &d, piede, &s, nullptr, nullptr, nullptr, 0), 0);
}

TEST(DistPPoly, AnInnerCornerVertexIsAFoot) {
    // East, then north: the point lies in the corner's outer wedge.
    Lista l{{0, 0, 0}, {10, 0, 0}, {10, 10, 0}};
    ads_point p = {12, -2, 0}, piede;
    double d = 0, s = 0;
    ASSERT_EQ(DistPPoly(l.get(), p, &d, piede, &s, nullptr, nullptr, nullptr, 1), 1);
    EXPECT_NEAR(d, std::sqrt(8.0), 1e-12);
    EXPECT_EQ(piede[X], 10);
    EXPECT_EQ(piede[Y], 0);
    EXPECT_NEAR(s, 10, 1e-12);
}

TEST(DistPPoly, GivesTheArcCentreOfTheSegmentHoldingTheFoot) {
    Lista l{{-10, 0, 0}, {10, 0, 1}, {-10, 0, 0}};
    ads_point p = {0, 15, 0}, piede, centro;
    double d = 0;
    ASSERT_EQ(DistPPoly(l.get(), p, &d, piede, nullptr, nullptr, centro, nullptr, 0), 1);
    EXPECT_NEAR(piede[Y], 10, 1e-9);
    EXPECT_NEAR(centro[X], 0, 1e-12);
    EXPECT_NEAR(centro[Y], 0, 1e-12);
    ads_point sulRettilineo = {-3, -1, 0};
    ASSERT_EQ(DistPPoly(l.get(), sulRettilineo, &d, piede, nullptr, nullptr, centro, nullptr, 0), 1);
    EXPECT_EQ(centro[X], 0);
    EXPECT_EQ(centro[Y], 0);
}

TEST(DistPPolyDir, SearchesBothWaysAndTakesTheNearest) {
    // Two parallel runs, y = 5 eastwards and y = -3 westwards.
    Lista l{{0, 5, 0}, {20, 5, 0}, {20, -3, 0}, {0, -3, 0}};
    ads_point p = {10, 0, 0}, piede;
    double d = 0, s = 0, dir = 0;
    ASSERT_EQ(DistPPolyDir(l.get(), p, kPi / 2, 100, &d, piede, &s, &dir), 1);
    EXPECT_NEAR(d, -3, 1e-12);  // behind the point
    EXPECT_NEAR(piede[Y], -3, 1e-12);
    EXPECT_NEAR(s, 38, 1e-12);
    EXPECT_NEAR(dir, kPi, 1e-12);
    // Turned round, the same meeting lies ahead.
    ASSERT_EQ(DistPPolyDir(l.get(), p, -kPi / 2, 100, &d, piede, &s, nullptr), 1);
    EXPECT_NEAR(d, 3, 1e-12);
    // Nearer to the northern run.
    ads_point nord = {10, 2, 0};
    ASSERT_EQ(DistPPolyDir(l.get(), nord, kPi / 2, 100, &d, piede, &s, nullptr), 1);
    EXPECT_NEAR(d, 3, 1e-12);
    EXPECT_NEAR(s, 10, 1e-12);
    // Nothing within the distance, or along a parallel line.
    EXPECT_EQ(DistPPolyDir(l.get(), p, kPi / 2, 2.9, &d, piede, &s, nullptr), 0);
    ads_point fuori = {30, 0, 0};
    EXPECT_EQ(DistPPolyDir(l.get(), fuori, kPi / 2, 100, &d, piede, &s, nullptr), 0);
}

TEST(DistPPolyDir, MeetsArcs) {
    ads_point centro = {0, 0, 0};
    Lista c(allocaDATIPOLI_Da_Cerchio(centro, 10));
    ads_point p = {0, 4, 0}, piede;
    double d = 0, s = 0;
    ASSERT_EQ(DistPPolyDir(c.get(), p, 0.0, 100, &d, piede, &s, nullptr), 1);
    EXPECT_NEAR(piede[X], std::sqrt(84.0), 1e-9);
    EXPECT_NEAR(d, std::sqrt(84.0), 1e-9);
    EXPECT_NEAR(s, 10 * std::asin(0.4), 1e-9);
}

}  // namespace
