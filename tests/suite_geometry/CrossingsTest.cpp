#include <gtest/gtest.h>

#include <cmath>

#include "IntersezioniDatiPoli.h"
#include "ListFixtures.h"

using fixtures::kPi;
using fixtures::Lista;
using fixtures::V;

namespace {

struct CasoIncrocio {
    const char* nome;
    std::vector<V> a, b;
    double estA, estB;
    std::vector<std::pair<double, double>> attesi;  // in order
};

Lista* Da(const std::vector<V>& v) {
    Lista* l = new Lista;
    datipoli* coda = nullptr;
    for (const V& p : v) {
        ads_point q = {p.x, p.y, 0};
        AggpuntoDATIPOLI(q, p.bulge, l->indirizzo(), &coda);
    }
    return l;
}

TEST(Inters2DatiPoli, RealAndApparentCrossingsInOrderAlongTheFirstList) {
    const std::vector<V> asse = {{0, 0, 0}, {10, 0, 0}};
    const std::vector<V> quadrato = {{0, 0, 0}, {10, 0, 0}, {10, 10, 0}, {0, 10, 0}, {0, 0, 0}};
    const CasoIncrocio casi[] = {
        {"real", asse, {{5, -5, 0}, {5, 5, 0}}, 0, 0, {{5, 0}}},
        {"short of the first list: none without extension", asse, {{5, 2, 0}, {5, 8, 0}}, 0, 0, {}},
        {"apparent, the second list extended back", asse, {{5, 2, 0}, {5, 8, 0}}, 0, 1000, {{5, 0}}},
        {"apparent, the first list extended on", asse, {{15, -5, 0}, {15, 5, 0}}, 1000, 0, {{15, 0}}},
        {"extension too short", asse, {{15, -5, 0}, {15, 5, 0}}, 4, 0, {}},
        {"before the start comes first",
         asse,
         {{5, -5, 0}, {5, 5, 0}, {-5, 5, 0}, {-5, -5, 0}},
         1000,
         0,
         {{-5, 0}, {5, 0}}},
        {"ordered along the first list, not the second",
         {{5, 15, 0}, {5, -5, 0}},
         {{0, 0, 0}, {10, 0, 0}, {10, 10, 0}, {0, 10, 0}},
         0,
         0,
         {{5, 10}, {5, 0}}},
        {"merged at a shared vertex", {{0, 0, 0}, {10, 0, 0}, {20, 0, 0}}, {{10, -5, 0}, {10, 5, 0}}, 0, 0, {{10, 0}}},
        {"a closed list is not extended", quadrato, {{-5, -5, 0}, {-5, 5, 0}}, 1000, 0, {}},
        {"the same list open is", {{0, 0, 0}, {10, 0, 0}, {10, 10, 0}, {0, 10, 0}}, {{-5, -5, 0}, {-5, 5, 0}}, 1000, 0, {{-5, 0}}},
        {"an open list meets a closed one twice", quadrato, {{12, 5, 0}, {15, 5, 0}}, 0, 1000, {{10, 5}, {0, 5}}},
        {"line and arc", {{0, -20, 0}, {0, 20, 0}}, {{10, 0, 1}, {-10, 0, 0}}, 0, 0, {{0, 10}}},
        {"a line touching an arc", {{-20, 10, 0}, {20, 10, 0}}, {{10, 0, 1}, {-10, 0, 0}}, 0, 0, {{0, 10}}},
        {"an arc extended along its end tangent",
         {{10, 0, 1}, {-10, 0, 0}},
         {{-20, -5, 0}, {0, -5, 0}},
         1000,
         0,
         {{-10, -5}}},
    };
    for (const auto& c : casi) {
        SCOPED_TRACE(c.nome);
        std::unique_ptr<Lista> a(Da(c.a)), b(Da(c.b));
        auto got = vplat::IntersezioniDatiPoli(a->get(), b->get(), c.estA, c.estB);
        ASSERT_EQ(got.size(), c.attesi.size());
        for (std::size_t i = 0; i < got.size(); ++i) {
            EXPECT_NEAR(got[i].x, c.attesi[i].first, 1e-9) << i;
            EXPECT_NEAR(got[i].y, c.attesi[i].second, 1e-9) << i;
        }
    }
}

TEST(Inters2DatiPoli, CircleListsAgainstLinesAndCircles) {
    ads_point centro = {0, 0, 0};
    Lista cerchio(allocaDATIPOLI_Da_Cerchio(centro, 5));
    // Through the circle's own start vertex, where its two halves meet.
    Lista linea{{-10, 0, 0}, {10, 0, 0}};
    auto got = vplat::IntersezioniDatiPoli(linea.get(), cerchio.get(), 0, 0);
    ASSERT_EQ(got.size(), 2u);
    EXPECT_NEAR(got[0].x, -5, 1e-9);
    EXPECT_NEAR(got[1].x, 5, 1e-9);
    // Ordered along the circle when it comes first: from its start, anticlockwise.
    Lista diagonale{{-10, -10, 0}, {10, 10, 0}};
    got = vplat::IntersezioniDatiPoli(cerchio.get(), diagonale.get(), 0, 0);
    ASSERT_EQ(got.size(), 2u);
    EXPECT_GT(got[0].y, 0);
    EXPECT_NEAR(got[0].progA, 5 * kPi / 4, 1e-9);
    EXPECT_NEAR(got[1].progA, 25 * kPi / 4, 1e-9);
    // Two circles of radius 5, centres 6 apart.
    ads_point altro = {6, 0, 0};
    Lista secondo(allocaDATIPOLI_Da_Cerchio(altro, 5));
    got = vplat::IntersezioniDatiPoli(cerchio.get(), secondo.get(), 0, 0);
    ASSERT_EQ(got.size(), 2u);
    EXPECT_NEAR(got[0].x, 3, 1e-9);
    EXPECT_NEAR(got[0].y, 4, 1e-9);
    EXPECT_NEAR(got[1].y, -4, 1e-9);
    // A circle inside another: none.
    Lista grande(allocaDATIPOLI_Da_Cerchio(centro, 20));
    EXPECT_TRUE(vplat::IntersezioniDatiPoli(cerchio.get(), grande.get(), 1000, 1000).empty());
    EXPECT_TRUE(vplat::IntersezioniDatiPoli(nullptr, cerchio.get(), 0, 0).empty());
}

}  // namespace
