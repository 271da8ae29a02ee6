// Bulges, offsets and cuts of vertex lists, checked with the independent
// geometry checker.
#include <gtest/gtest.h>

#include <cmath>

#include "../suite_geometry/ListFixtures.h"
#include "GeometryChecker.h"
#include "PolilineeJunctor.h"

using fixtures::kPi;
using fixtures::Lista;

namespace {

// The vertices and bulges of a new polyline, the polyline deleted.
geomcheck::GeometryChecker VerticiDi(AcDb2dPolyline* pl) {
    std::vector<geomcheck::Vertex> v;
    AcDbObjectIterator* it = pl->vertexIterator();
    for (it->start(); !it->done(); it->step()) {
        auto* vx = static_cast<AcDb2dVertex*>(it->entity());
        v.push_back({vx->position().x, vx->position().y, vx->bulge()});
    }
    delete it;
    delete pl;
    return geomcheck::GeometryChecker(std::move(v));
}

TEST(CalcolaBulgeTest, QuarterCircleBothSenses) {
    ads_point c = {0, 0, 0}, s = {10, 0, 0}, e = {0, 10, 0};
    EXPECT_NEAR(CalcolaBulge(true, c, s, e), std::tan(kPi / 8), 1e-12);
    EXPECT_NEAR(CalcolaBulge(false, c, s, e), -std::tan(3 * kPi / 8), 1e-12);
    // Clockwise from e back to s is the short arc.
    EXPECT_NEAR(CalcolaBulge(false, c, e, s), -std::tan(kPi / 8), 1e-12);
}

TEST(OffsetPolilineaTest, StraightMovesToTheRequestedSide) {
    Lista l({{0, 0, 0}, {10, 0, 0}});
    struct Caso {
        int lato;
        double y;
    } casi[] = {{1, -4.3}, {0, 4.3}, {2, 4.3}};
    for (const Caso& c : casi) {
        AcDb2dPolyline* pl = nullptr;
        datipoli* copia = nullptr;
        ASSERT_TRUE(OffsetPolilinea(c.lato, 4.3, l.get(), &pl, 0.001, &copia));
        Lista lc(copia);
        auto g = VerticiDi(pl);
        ASSERT_EQ(g.Size(), 2u) << "side " << c.lato;
        EXPECT_NEAR(g.At(0).x, 0, 1e-9);
        EXPECT_NEAR(g.At(0).y, c.y, 1e-9);
        EXPECT_NEAR(g.At(1).x, 10, 1e-9);
        EXPECT_NEAR(g.At(1).y, c.y, 1e-9);
        EXPECT_EQ(g.At(0).bulge, 0);
        EXPECT_EQ(g.At(1).bulge, 0);
        EXPECT_EQ(lc.Conta(), 2);
    }
}

TEST(OffsetPolilineaTest, OuterCornerGetsATangentJointArcAboutTheCorner) {
    // East then north: a left turn, so the right side is the outer one.
    Lista l({{0, 0, 0}, {10, 0, 0}, {10, 10, 0}});
    AcDb2dPolyline* pl = nullptr;
    ASSERT_TRUE(OffsetPolilinea(1, 2, l.get(), &pl, 0.001, nullptr));
    auto g = VerticiDi(pl);
    ASSERT_EQ(g.Size(), 4u);
    geomcheck::Arc giunto = g.Segment(1);
    ASSERT_TRUE(giunto.isArc);
    EXPECT_NEAR(giunto.centre.x, 10, 1e-9);
    EXPECT_NEAR(giunto.centre.y, 0, 1e-9);
    EXPECT_NEAR(giunto.radius, 2, 1e-9);
    EXPECT_TRUE(g.Tangential(1, 1e-9));
    EXPECT_TRUE(g.Tangential(2, 1e-9));
    // Every point of the offset lies at the distance from the source.
    auto src = CheckerOf(l.get());
    for (auto p : g.Samples(8)) EXPECT_NEAR(src.DistanceTo(p), 2, 1e-9);
}

TEST(OffsetPolilineaTest, InnerCornerAlsoGetsTheJointAndLoops) {
    Lista l({{0, 0, 0}, {10, 0, 0}, {10, 10, 0}});
    AcDb2dPolyline* pl = nullptr;
    ASSERT_TRUE(OffsetPolilinea(0, 2, l.get(), &pl, 0.001, nullptr));
    auto g = VerticiDi(pl);
    ASSERT_EQ(g.Size(), 4u);
    // The first offset segment overshoots the corner: (0,2) -> (10,2), then
    // back about the corner to (8,0).
    EXPECT_NEAR(g.At(1).x, 10, 1e-9);
    EXPECT_NEAR(g.At(1).y, 2, 1e-9);
    EXPECT_NEAR(g.At(2).x, 8, 1e-9);
    EXPECT_NEAR(g.At(2).y, 0, 1e-9);
    // The joint keeps the side's sense (clockwise on the left), a quarter
    // of radius d between the two offset ends.
    ASSERT_TRUE(g.Segment(1).isArc);
    EXPECT_NEAR(g.At(1).bulge, -std::tan(kPi / 8), 1e-12);
    EXPECT_NEAR(g.Segment(1).radius, 2, 1e-9);
}

TEST(OffsetPolilineaTest, ArcsKeepTheirCentreAndTangentJoinsGetNoVertex) {
    // A straight, then a quarter circle to the left of radius 10 about (10,10).
    Lista l({{0, 0, 0}, {10, 0, fixtures::BulgeQuarto()}, {20, 10, 0}});
    struct Caso {
        int lato;
        double raggio;
    } casi[] = {{1, 13}, {0, 7}};
    for (const Caso& c : casi) {
        AcDb2dPolyline* pl = nullptr;
        ASSERT_TRUE(OffsetPolilinea(c.lato, 3, l.get(), &pl, 0.001, nullptr));
        auto g = VerticiDi(pl);
        ASSERT_EQ(g.Size(), 3u) << "side " << c.lato;
        geomcheck::Arc a = g.Segment(1);
        ASSERT_TRUE(a.isArc);
        EXPECT_NEAR(a.centre.x, 10, 1e-9);
        EXPECT_NEAR(a.centre.y, 10, 1e-9);
        EXPECT_NEAR(a.radius, c.raggio, 1e-9);
        EXPECT_TRUE(g.Tangential(1, 1e-9));
        auto src = CheckerOf(l.get());
        for (auto p : g.Samples(8)) EXPECT_NEAR(src.DistanceTo(p), 3, 1e-9);
    }
}

TEST(OffsetPolilineaTest, VerticesCloserThanTheMinimumAreDropped) {
    Lista l({{0, 0, 0}, {5, 0, 0}, {5.0005, 0, 0}, {10, 0, 0}});
    AcDb2dPolyline* pl = nullptr;
    ASSERT_TRUE(OffsetPolilinea(1, 1, l.get(), &pl, 0.001, nullptr));
    auto g = VerticiDi(pl);
    ASSERT_EQ(g.Size(), 3u);
    EXPECT_NEAR(g.At(1).x, 5, 1e-9);
    EXPECT_NEAR(g.At(2).x, 10, 1e-9);
    for (size_t i = 0; i < g.Size(); ++i) EXPECT_NEAR(g.At(i).y, -1, 1e-9);
}

TEST(OffsetPolilineaTest, NullAndSingleVertexLists) {
    AcDb2dPolyline* pl = nullptr;
    EXPECT_FALSE(OffsetPolilinea(1, 1, nullptr, &pl, 0.001, nullptr));
    EXPECT_EQ(pl, nullptr);
    Lista uno({{3, 3, 0}});
    ASSERT_TRUE(OffsetPolilinea(1, 1, uno.get(), &pl, 0.001, nullptr));
    EXPECT_EQ(VerticiDi(pl).Size(), 0u);
}

// A straight, a half circle to the left, a straight: total length 20 + 10 pi.
class EstraiTrattoTest : public ::testing::Test {
protected:
    Lista l{{0, 0, 0}, {10, 0, 1}, {10, 20, 0}, {0, 20, 0}};
    double Lunghezza() const { return 20 + 10 * kPi; }
};

TEST_F(EstraiTrattoTest, CutRunsFromAToBWithTheLengthBetweenTheFeet) {
    struct Caso {
        const char* nome;
        ads_point a, b;
        double lunghezza;
    } casi[] = {
        {"on one straight", {2, 1, 0}, {7, -1, 0}, 5},
        {"across the arc", {5, 3, 0}, {4, 18, 0}, 5 + 10 * kPi + 6},
        {"inside the arc", {30, 10, 0}, {10, 30, 0}, 5 * kPi},
        {"backwards across the arc", {4, 18, 0}, {5, 3, 0}, 5 + 10 * kPi + 6},
    };
    for (const Caso& c : casi) {
        AcGePoint3dArray v;
        AcGeDoubleArray b;
        datipoli* copia = nullptr;
        ASSERT_TRUE(EstraiTrattoPolilinea(l.get(), c.a, c.b, v, b, nullptr, &copia)) << c.nome;
        Lista lc(copia);
        ASSERT_EQ(v.length(), b.length());
        std::vector<geomcheck::Vertex> vv;
        for (int i = 0; i < v.length(); ++i) vv.push_back({v[i].x, v[i].y, b[i]});
        geomcheck::GeometryChecker g(vv);
        EXPECT_NEAR(g.Length(), c.lunghezza, 1e-9) << c.nome;
        EXPECT_EQ(b[b.length() - 1], 0) << c.nome;
        // Oriented A to B: the first vertex is A's foot, the last B's.
        auto src = CheckerOf(l.get());
        EXPECT_NEAR(src.DistanceTo({v[0].x, v[0].y}), 0, 1e-9);
        EXPECT_NEAR(std::hypot(v[0].x - c.a[0], v[0].y - c.a[1]), std::fabs(src.SignedOffset({c.a[0], c.a[1]})),
                    1e-9)
            << c.nome;
        int u = v.length() - 1;
        EXPECT_NEAR(std::hypot(v[u].x - c.b[0], v[u].y - c.b[1]), std::fabs(src.SignedOffset({c.b[0], c.b[1]})),
                    1e-9)
            << c.nome;
        for (auto p : g.Samples(6)) EXPECT_NEAR(src.DistanceTo(p), 0, 1e-9) << c.nome;
        EXPECT_NEAR(lc.Ultimo()->prog, c.lunghezza, 1e-9) << c.nome;
    }
}

TEST_F(EstraiTrattoTest, BackwardsCutNegatesTheArcs) {
    ads_point a = {4, 18, 0}, b = {5, 3, 0};
    AcGePoint3dArray v;
    AcGeDoubleArray bl;
    AcDb2dPolyline* pl = nullptr;
    ASSERT_TRUE(EstraiTrattoPolilinea(l.get(), a, b, v, bl, &pl, nullptr));
    auto g = VerticiDi(pl);
    ASSERT_EQ(g.Size(), 4u);
    // (4,20) -> (10,20) -> half circle clockwise -> (10,0) -> (5,0).
    EXPECT_NEAR(g.At(1).x, 10, 1e-9);
    EXPECT_NEAR(g.At(1).y, 20, 1e-9);
    EXPECT_NEAR(g.At(1).bulge, -1, 1e-9);
    EXPECT_EQ(g.At(0).bulge, 0);
    EXPECT_EQ(g.At(2).bulge, 0);
    EXPECT_FALSE(EstraiTrattoPolilinea(nullptr, a, b, v, bl, nullptr, nullptr));
}

TEST(PuntiTest, PerpendicularsAndDistanceAtAChainage) {
    ads_point a = {0, 0, 0}, b = {10, 0, 0}, o1, o2;
    PuntiPerpendicolari(2, a, b, o1, o2);
    EXPECT_NEAR(o1[1], 2, 1e-6);
    EXPECT_NEAR(o2[1], 2, 1e-6);
    EXPECT_NEAR(o2[0], 10, 1e-6);

    Lista corta({{0, 0, 0}, {10, 0, 0}});
    Lista lunga({{0, 3, 0}, {20, 3, 0}});
    EXPECT_NEAR(DistanzaAProgressiva(corta.get(), lunga.get(), 5), 3, 1e-9);
    EXPECT_EQ(DistanzaAProgressiva(corta.get(), lunga.get(), 15), -1);

    datipoli* testa = nullptr;
    EXPECT_TRUE(PolilineaDuePunti(a, b, &testa));
    Lista due(testa);
    ASSERT_EQ(due.Conta(), 2);
    EXPECT_NEAR(due.Ultimo()->prog, 10, 1e-9);
}

}  // namespace
