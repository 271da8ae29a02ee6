#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "LineaSezione.h"

namespace {

constexpr double kPi = 3.141592653589793;

void ExpectPunto(const double p[3], double x, double y, double z, const char* cosa) {
    EXPECT_NEAR(p[0], x, 1e-4) << cosa;
    EXPECT_NEAR(p[1], y, 1e-4) << cosa;
    EXPECT_NEAR(p[2], z, 1e-4) << cosa;
}

// Whichever end comes first, the barb and the label sit at the lower end and
// the label reads upwards.
TEST(LineaSezione, BarbAndLabelAtTheLowerEndEitherWay) {
    struct Caso {
        double a[3], b[3];
    };
    const Caso casi[] = {{{0, 0, 10.0}, {5, 0, 9.9}}, {{5, 0, 9.9}, {0, 0, 10.0}}};
    for (const Caso& c : casi) {
        LineaSezione s;
        ASSERT_TRUE(s.calcola(c.a, c.b, 0.01, 0.03));
        EXPECT_EQ(s.colore, 3);
        ExpectPunto(s.linea[0], c.a[0], c.a[1], c.a[2], "line start");
        ExpectPunto(s.linea[1], c.b[0], c.b[1], c.b[2], "line end");
        ExpectPunto(s.barba[0], 5, 0, 9.9, "barb start");
        ExpectPunto(s.barba[1], 4.1667, -0.1667, 9.9, "barb end");
        ExpectPunto(s.posizioneTesto, 4.1667, 0, 9.9167, "label");
        EXPECT_EQ(std::wstring(s.testo.GetString()), L"2.000 %");
        EXPECT_NEAR(s.altezzaTesto, 0.2, 1e-12);
        EXPECT_NEAR(s.rotazioneTesto, kPi, 1e-12);
    }
}

TEST(LineaSezione, ColourBoundsAreInclusive) {
    struct Caso {
        double caduta;
        int colore;
        const wchar_t* testo;
    } const casi[] = {{0.005, 1, L"0.500 %"}, {0.01, 3, L"1.000 %"}, {0.02, 3, L"2.000 %"},
                      {0.03, 3, L"3.000 %"}, {0.035, 1, L"3.500 %"}, {-0.02, 3, L"2.000 %"}};
    for (const Caso& c : casi) {
        double a[3] = {0, 0, 0}, b[3] = {0, 1, -c.caduta};
        LineaSezione s;
        ASSERT_TRUE(s.calcola(a, b, 0.01, 0.03));
        EXPECT_EQ(s.colore, c.colore) << c.caduta;
        EXPECT_EQ(std::wstring(s.testo.GetString()), c.testo) << c.caduta;
    }
}

TEST(LineaSezione, PointsTogetherInPlanDrawNothing) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Caso {
        double b[3];
    } const casi[] = {{{1e-7, 0, 5}}, {{0, 0, 1}}, {{nan, 0, 0}}};
    for (const Caso& c : casi) {
        double a[3] = {0, 0, 10};
        LineaSezione s;
        EXPECT_FALSE(s.calcola(a, c.b, 0.01, 0.03)) << c.b[0];
    }
}

}  // namespace

namespace {

// A fall of any size is labelled whole: the label is as long as its number.
TEST(LineaSezione, AnyFallIsLabelledWhole) {
    LineaSezione s;
    const double a[3] = {0, 0, -1e306}, b[3] = {5, 0, 0};
    ASSERT_TRUE(s.calcola(a, b, 0.01, 0.03));
    std::wstring testo = s.testo.GetString();
    EXPECT_GT(testo.size(), 300u);
    EXPECT_EQ(testo.substr(testo.size() - 6), L".000 %");
    EXPECT_EQ(testo.substr(0, 2), L"19");  // 2e307, as far as a double holds it
}

}  // namespace
