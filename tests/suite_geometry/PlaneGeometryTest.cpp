#include <gtest/gtest.h>

#include <cmath>

#include "DatiEstesi.h"
#include "GeometriaPiana.h"
#include "ListFixtures.h"

using fixtures::kPi;

namespace {

TEST(AngMin3P, AngleAtTheVertexFromZeroToPi) {
    struct Caso {
        ads_point a, v, b;
        double angolo;
    };
    const Caso casi[] = {
        {{5, 0, 0}, {0, 0, 0}, {0, 3, 0}, kPi / 2},
        {{5, 0, 0}, {0, 0, 0}, {-1, 0, 0}, kPi},
        {{5, 0, 0}, {0, 0, 0}, {2, 0, 0}, 0},
        {{1, 1, 0}, {0, 0, 0}, {1, -1, 0}, kPi / 2},  // the smaller side, whatever the order
        {{2, 2, 0}, {1, 1, 0}, {1, 3, 0}, kPi / 4},
    };
    for (const auto& c : casi) {
        EXPECT_NEAR(AngMin3P(c.a, c.v, c.b), c.angolo, 1e-12);
        EXPECT_NEAR(AngMin3P(c.b, c.v, c.a), c.angolo, 1e-12);
    }
}

TEST(MioInters, UnboundedAndBoundedCrossings) {
    ads_point a = {0, 0, 0}, b = {10, 0, 0}, c = {20, -5, 0}, d = {20, 5, 0}, r;
    ASSERT_EQ(mio_inters(a, b, c, d, 0, r, 0), 1);
    EXPECT_NEAR(r[X], 20, 1e-12);
    EXPECT_NEAR(r[Y], 0, 1e-12);
    EXPECT_EQ(mio_inters(a, b, c, d, 1, r, 0), 0);
    ads_point e = {5, -5, 0}, f = {5, 5, 0};
    ASSERT_EQ(mio_inters(a, b, e, f, 1, r, 0), 1);
    EXPECT_NEAR(r[X], 5, 1e-12);
    ads_point g = {0, 3, 0}, h = {10, 3, 0};
    EXPECT_EQ(mio_inters(a, b, g, h, 0, r, 0), 0);
}

TEST(GlBul2Cir, CircleOfTheArcEitherWay) {
    ads_point p1 = {10, 0, 0}, p2 = {0, 10, 0};
    circ c{};
    ASSERT_EQ(gl_bul2cir(&c, p1, p2, fixtures::BulgeQuarto()), 1);
    EXPECT_NEAR(c.xc, 0, 1e-12);
    EXPECT_NEAR(c.yc, 0, 1e-12);
    EXPECT_NEAR(c.raggio, 10, 1e-12);
    ASSERT_EQ(gl_bul2cir(&c, p1, p2, -fixtures::BulgeQuarto()), 1);
    EXPECT_NEAR(c.xc, 10, 1e-12);
    EXPECT_NEAR(c.yc, 10, 1e-12);
    EXPECT_NEAR(c.raggio, 10, 1e-12);
    // A bulge above 1 is the longer arc: the centre crosses the chord.
    ASSERT_EQ(gl_bul2cir(&c, p1, p2, std::tan(3 * kPi / 8)), 1);
    EXPECT_NEAR(c.xc, 10, 1e-12);
    EXPECT_NEAR(c.yc, 10, 1e-12);
    EXPECT_EQ(gl_bul2cir(&c, p1, p2, 0), 0);
    EXPECT_EQ(gl_bul2cir(&c, p1, p1, 1), 0);
}

TEST(Rototraslazione, FrameFromFourPointsAndBothDirections) {
    // The frame that takes F to the origin and C to (0, d) on the y axis.
    ads_point f = {3, 4, 0}, c = {9, 12, 0}, o = {0, 0, 0}, asse = {0, 10, 0};
    ParametriRototraslazione par;
    ASSERT_TRUE(CalcolaParametriRototraslazionePianada4Punti(f, c, o, asse, par));
    ads_point r;
    RototraslazionePiana(r, c, par);  // result first
    EXPECT_NEAR(r[X], 0, 1e-12);
    EXPECT_NEAR(r[Y], 10, 1e-12);
    RototraslazionePiana(r, f, par);
    EXPECT_NEAR(r[X], 0, 1e-12);
    EXPECT_NEAR(r[Y], 0, 1e-12);
    // A point on the right of F -> C lands on the positive x side.
    ads_point destra = {3 + 8, 4 - 6, 0};
    RototraslazionePiana(r, destra, par);
    EXPECT_NEAR(r[X], 10, 1e-12);
    EXPECT_NEAR(r[Y], 0, 1e-12);
    ads_point locale = {2, 5, 7}, indietro;
    RototraslazionePianaInversa(locale, indietro, par);  // point first
    RototraslazionePiana(r, indietro, par);
    EXPECT_NEAR(r[X], 2, 1e-12);
    EXPECT_NEAR(r[Y], 5, 1e-12);
    EXPECT_EQ(indietro[Z], 7);
    EXPECT_FALSE(CalcolaParametriRototraslazionePianada4Punti(f, f, o, asse, par));
    EXPECT_FALSE(CalcolaParametriRototraslazionePianada4Punti(f, c, o, o, par));
}

TEST(ZylAngle, PlanAngleFromZeroToTwoPi) {
    ads_point o = {1, 1, 0}, est = {5, 1, 0}, sud = {1, -3, 0}, ovest = {0, 1, 9};
    EXPECT_NEAR(Zyl_angle(o, est), 0, 1e-12);
    EXPECT_NEAR(Zyl_angle(o, sud), 3 * kPi / 2, 1e-12);
    EXPECT_NEAR(Zyl_angle(o, ovest), kPi, 1e-12);
}

TEST(MioAssoc, FirstNodeOfTheCodeTheHeadIncluded) {
    resbuf* catena = acutBuildList(1001, L"APP", 1070, 3, 1000, L"primo", 1000, L"secondo", RTNONE);
    ASSERT_NE(catena, nullptr);
    EXPECT_EQ(mio_assoc(catena, 1001), catena);
    resbuf* testo = mio_assoc(catena, 1000);
    ASSERT_NE(testo, nullptr);
    EXPECT_STREQ(testo->resval.rstring, L"primo");
    EXPECT_EQ(mio_assoc(catena, 1040), nullptr);
    EXPECT_EQ(mio_assoc(nullptr, 1000), nullptr);
    acutRelRb(catena);
}

}  // namespace
