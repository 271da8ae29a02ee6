// The checker is the yardstick of the other tests: it is checked here on
// shapes whose answers are known by construction.
#include <gtest/gtest.h>

#include <cmath>

#include "GeometryChecker.h"

using geomcheck::GeometryChecker;

namespace {

const double kPi = std::acos(-1.0);

// A 10 x 10 square run counter-clockwise from (0, 0), its corner at (10, 0)
// rounded by a quarter circle of radius 2 about (8, 2).
GeometryChecker Quadrato() {
    double b = std::tan(kPi / 8);
    return GeometryChecker({{0, 0, 0}, {8, 0, b}, {10, 2, 0}, {10, 10, 0}, {0, 10, 0}, {0, 0, 0}});
}

TEST(GeometryChecker, ArcsTangentsAndClosure) {
    GeometryChecker g = Quadrato();
    auto s = g.Segment(1);
    ASSERT_TRUE(s.isArc);
    EXPECT_NEAR(s.centre.x, 8, 1e-12);
    EXPECT_NEAR(s.centre.y, 2, 1e-12);
    EXPECT_NEAR(s.radius, 2, 1e-12);
    EXPECT_NEAR(s.sweep, kPi / 2, 1e-12);
    EXPECT_FALSE(g.Segment(0).isArc);
    // The rounded corner turns smoothly, the others do not.
    EXPECT_TRUE(g.Tangential(1));
    EXPECT_TRUE(g.Tangential(2));
    EXPECT_FALSE(g.Tangential(3));
    EXPECT_NEAR(g.TangentOut(2), kPi / 2, 1e-12);
    EXPECT_NEAR(g.TangentIn(4), kPi, 1e-12);
    EXPECT_TRUE(g.Closed());
    EXPECT_FALSE(GeometryChecker({{0, 0, 0}, {1, 0, 0}}).Closed());
    EXPECT_NEAR(g.Length(), 8 + kPi + 8 + 10 + 10, 1e-12);
}

TEST(GeometryChecker, DistanceAndSideOfPoints) {
    GeometryChecker g = Quadrato();
    struct Caso {
        double x, y, offset;
    };
    const Caso casi[] = {
        {5, -1, 1},                                              // outside a straight: right of travel
        {5, 1, -1},                                              // inside
        {8 + 3 / std::sqrt(2.0), 2 - 3 / std::sqrt(2.0), 1},     // outside the rounded corner
        {8 + 1 / std::sqrt(2.0), 2 - 1 / std::sqrt(2.0), -1},    // inside it
        {12, 12, std::sqrt(8.0)},                                // beyond a sharp corner
    };
    for (const auto& c : casi) {
        EXPECT_NEAR(g.SignedOffset({c.x, c.y}), c.offset, 1e-12) << c.x << " " << c.y;
        EXPECT_NEAR(g.DistanceTo({c.x, c.y}), std::fabs(c.offset), 1e-12);
    }
    for (auto p : g.Samples(7)) EXPECT_LT(g.DistanceTo(p), 1e-12);
}

}  // namespace

namespace {

// The side of a point level with a polyline's first or last vertex comes
// from the segment there, not from the vertex.
TEST(GeometryChecker, SideAtTheEndsOfAPolyline) {
    GeometryChecker g({{0, 0, 0}, {10, 0, 0}});
    EXPECT_NEAR(g.SignedOffset({0, 2}), -2, 1e-12);
    EXPECT_NEAR(g.SignedOffset({10, -3}), 3, 1e-12);
    EXPECT_NEAR(GeometryChecker({{1, 1, 0}}).DistanceTo({4, 5}), 5, 1e-12);
}

}  // namespace
