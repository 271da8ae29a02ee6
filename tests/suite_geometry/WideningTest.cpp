#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "Allargamenti.h"
#include "GeometriaPiana.h"
#include "ListFixtures.h"

using fixtures::kPi;
using fixtures::Lista;

namespace {

TEST(CalcAllargamentiCnr, FullAtTheStartNoneAtTheEndSmoothBetween) {
    struct Caso {
        double inizio, fine, prog, atteso;
    };
    const double w = 4.0;
    const Caso casi[] = {
        {100, 140, 100, 4.0},  {100, 140, 110, 3.5},  {100, 140, 120, 2.0}, {100, 140, 130, 0.5},
        {100, 140, 140, 0.0},  {100, 140, 90, 4.0},   {100, 140, 150, 0.0},
        // Running against the chainage: the start is the greater one.
        {140, 100, 130, 3.5},  {140, 100, 100, 0.0},  {140, 100, 145, 4.0},
        // No length: the full widening.
        {100, 100, 100, 4.0},
    };
    for (const auto& c : casi) {
        double out = -1;
        double r = CalcAllargamentiCNR_V2(w, 0.0, c.inizio, c.fine, c.prog, &out, 1, 0.0, 0.0, 0.0);
        EXPECT_NEAR(out, c.atteso, 1e-12) << c.inizio << " " << c.fine << " " << c.prog;
        EXPECT_EQ(r, out);
    }
}

// The left-turn lane's edge on a straight main road: along the lane offset
// up to w1, then the widened points back onto the edge line by w2, laid out
// the way the lane builder lays them (31 steps, each point of the edge line
// moved by the widening to its right).
TEST(CalcAllargamentiCnr, LaneEdgeIsContinuousAndTangentAtBothEnds) {
    const double larghezza = 3.5, w1 = 60, w2 = 90;
    Lista linea{{0, 0, 0}, {200, 0, 0}};            // the edge line
    Lista corsia{{0, -larghezza, 0}, {200, -larghezza, 0}};  // the lane offset, to its right
    std::vector<geomcheck::Vertex> bordo;
    ads_point p;
    ASSERT_EQ(XYdaProgsuDatiPoli(corsia.get(), 30, p, nullptr), 0);
    bordo.push_back({p[X], p[Y], 0});
    ASSERT_EQ(XYdaProgsuDatiPoli(corsia.get(), w1, p, nullptr), 0);
    const ads_point fineCorsia = {p[X], p[Y], 0};
    bordo.push_back({p[X], p[Y], 0});
    const double d = w2 - w1;
    for (double s = 0; s <= d; s += d / 30) {
        double wid = 0, dir = 0;
        CalcAllargamentiCNR_V2(larghezza, 0.0, w1, w2, w1 + s, &wid, 1, 0.0, 0.0, 0.0);
        ASSERT_EQ(XYdaProgsuDatiPoli(linea.get(), w1 + s, p, &dir), 0);
        bordo.push_back({p[X] + wid * std::cos(dir - kPi / 2), p[Y] + wid * std::sin(dir - kPi / 2), 0});
    }
    // The first widened point is where the lane offset ends; the last lies
    // on the edge line at w2.
    ASSERT_GE(bordo.size(), 32u);
    EXPECT_NEAR(bordo[2].x, fineCorsia[X], 1e-12);
    EXPECT_NEAR(bordo[2].y, fineCorsia[Y], 1e-12);
    EXPECT_NEAR(bordo.back().y, 0, 1e-9);
    EXPECT_NEAR(bordo.back().x, w2, 1e-6);
    // Tangent at both ends: the first and last widened steps turn by less
    // than a hundredth of a radian from the lines they leave and join.
    geomcheck::GeometryChecker g(bordo);
    EXPECT_LT(g.AngleBetween(g.TangentOut(2), 0.0), 0.01);
    EXPECT_LT(g.AngleBetween(g.TangentIn(g.Size() - 1), 0.0), 0.01);
    // And between, it never turns back.
    for (std::size_t i = 2; i + 1 < g.Size(); ++i) EXPECT_LE(g.At(i).y, g.At(i + 1).y + 1e-12);
}

}  // namespace
