// The three-centred curve fitted to end tangent to a circle (or on a line):
// checked against a curve laid out here, arc by arc, from the line it
// leaves.
#include <gtest/gtest.h>

#include <cmath>

#include "TricentricaTangente.h"

namespace {

constexpr double kPi = 3.14159265358979323846;
const double kRaggi[3] = {25, 10, 55};
const double kQuote[3] = {2.0 / 15, 11.0 / 15, 2.0 / 15};

// A curve leaving the x axis at (x0, 0) eastwards and turning left through
// the deflection: its last centre and its end.
struct Fine {
    double cx, cy, x, y, direzione;
};
Fine Curva(double x0, double deviazione) {
    double x = x0, y = 0, direzione = 0, cx = 0, cy = 0;
    for (int i = 0; i < 3; ++i) {
        cx = x - kRaggi[i] * std::sin(direzione);
        cy = y + kRaggi[i] * std::cos(direzione);
        direzione += kQuote[i] * deviazione;
        x = cx + kRaggi[i] * std::sin(direzione);
        y = cy - kRaggi[i] * std::cos(direzione);
    }
    return {cx, cy, x, y, direzione};
}

const ads_point kOrigine = {0, 0, 0}, kVerso = {10, 0, 0}, kSinistra = {0, 10, 0};

TEST(TricentricaTangente, EndsTangentToTheCircleWithTheSmallestDeflection) {
    // The circle of radius 80 that the curve from x = 7 with a deflection of
    // 1.2 rad touches from inside at its end, on the way it goes on.
    const Fine f = Curva(7, 1.2);
    const double r = 80, nx = (f.x - f.cx) / kRaggi[2], ny = (f.y - f.cy) / kRaggi[2];
    const circ cerchio{f.x - r * nx, f.y - r * ny, 0, r, 0, 0};
    AcGePoint3dArray punti, centri;
    double deviazione = 0;
    bool antiorario = false;
    ASSERT_TRUE(TricentricaTangenteAlCerchio(kOrigine, kVerso, kSinistra, kRaggi, kQuote, 1.0, cerchio, punti, centri,
                                             deviazione, antiorario));
    EXPECT_NEAR(deviazione, 1.2, 1e-9);
    EXPECT_TRUE(antiorario);
    ASSERT_EQ(punti.length(), 4);
    ASSERT_EQ(centri.length(), 3);
    EXPECT_NEAR(punti[0].x, 7, 1e-8);
    EXPECT_NEAR(punti[0].y, 0, 1e-9);
    EXPECT_NEAR(punti[3].x, f.x, 1e-8);
    EXPECT_NEAR(punti[3].y, f.y, 1e-8);
    EXPECT_NEAR(std::hypot(punti[3].x - cerchio.xc, punti[3].y - cerchio.yc), r, 1e-8);
    EXPECT_NEAR(centri[2].x, f.cx, 1e-8);
    EXPECT_NEAR(centri[2].y, f.cy, 1e-8);
    // The same curve mirrored: a line running west, turning right.
    const ads_point ovest = {-10, 0, 0}, sotto = {0, -10, 0};
    const circ specchio{-cerchio.xc, -cerchio.yc, 0, r, 0, 0};
    ASSERT_TRUE(TricentricaTangenteAlCerchio(kOrigine, ovest, sotto, kRaggi, kQuote, 1.0, specchio, punti, centri,
                                             deviazione, antiorario));
    EXPECT_NEAR(deviazione, 1.2, 1e-9);
    EXPECT_TRUE(antiorario);  // west, then turning towards the south side: counter-clockwise still
    EXPECT_NEAR(punti[3].x, -f.x, 1e-8);
    EXPECT_NEAR(punti[3].y, -f.y, 1e-8);
}

TEST(TricentricaTangente, NoCurveWhereTheCircleCannotBeReached) {
    AcGePoint3dArray punti, centri;
    double deviazione = 0;
    bool antiorario = false;
    // A circle on the other side of the line, far off.
    const circ lontano{0, -500, 0, 80, 0, 0};
    EXPECT_FALSE(TricentricaTangenteAlCerchio(kOrigine, kVerso, kSinistra, kRaggi, kQuote, 1.0, lontano, punti, centri,
                                              deviazione, antiorario));
    // No side to turn to, or a radius of nothing.
    const circ cerchio{0, 100, 0, 80, 0, 0};
    EXPECT_FALSE(TricentricaTangenteAlCerchio(kOrigine, kVerso, kVerso, kRaggi, kQuote, 1.0, cerchio, punti, centri,
                                              deviazione, antiorario));
    const double zero[3] = {25, 0, 55};
    EXPECT_FALSE(TricentricaTangenteAlCerchio(kOrigine, kVerso, kSinistra, zero, kQuote, 1.0, cerchio, punti, centri,
                                              deviazione, antiorario));
}

TEST(TricentricaTangente, EndsOnALineAlongIt) {
    // The line the curve from x = -3 with a deflection of 1.4 rad ends on.
    const Fine f = Curva(-3, 1.4);
    const ads_point punto = {f.x + 20 * std::cos(f.direzione), f.y + 20 * std::sin(f.direzione), 0};
    AcGePoint3dArray punti, centri;
    double deviazione = 0;
    bool antiorario = false;
    ASSERT_TRUE(TricentricaTangenteAllaRetta(kOrigine, kVerso, kSinistra, kRaggi, kQuote, punto, f.direzione, punti,
                                             centri, deviazione, antiorario));
    EXPECT_NEAR(deviazione, 1.4, 1e-12);
    EXPECT_NEAR(punti[0].x, -3, 1e-8);
    EXPECT_NEAR(punti[3].x, f.x, 1e-8);
    EXPECT_NEAR(punti[3].y, f.y, 1e-8);
    // A line the curve would have to turn back for, or one along the first.
    EXPECT_FALSE(TricentricaTangenteAllaRetta(kOrigine, kVerso, kSinistra, kRaggi, kQuote, punto, -0.5, punti, centri,
                                              deviazione, antiorario));
    EXPECT_FALSE(TricentricaTangenteAllaRetta(kOrigine, kVerso, kSinistra, kRaggi, kQuote, punto, kPi, punti, centri,
                                              deviazione, antiorario));
}

}  // namespace
