// The check every outline of a leg passes before it is drawn, on small
// polylines whose answer is plain from a sketch.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "ContornoPolilinea.h"

namespace {

struct V {
    double x, y, bulge;
};

struct Caso {
    const char* nome;
    std::vector<V> vertici;
    bool chiuso;
    std::vector<int> punte;
    DifettoContorno atteso;
};

// A quarter circle's bulge.
const double kQuarto = std::tan(3.14159265358979323846 / 8);

TEST(VerificaContorno, CrossingsAndTurnsBackAreFoundPointedTailsLetThrough) {
    const Caso casi[] = {
        {"straight_then_arc_tangent", {{0, 0, 0}, {10, 0, kQuarto}, {15, 5, 0}}, false, {}, DifettoContorno::kNessuno},
        {"closed_square", {{0, 0, 0}, {10, 0, 0}, {10, 10, 0}, {0, 10, 0}}, true, {}, DifettoContorno::kNessuno},
        {"open_ending_on_first", {{0, 0, 0}, {10, 0, 0}, {10, 10, 0}, {0, 0, 0}}, false, {}, DifettoContorno::kNessuno},
        {"collinear_forward", {{0, 0, 0}, {5, 0, 0}, {10, 0, 0}}, false, {}, DifettoContorno::kNessuno},
        // A straight that runs back over the one before it.
        {"straight_runs_back", {{0, 0, 0}, {10, 0, 0}, {7, 0, 0}, {7, 5, 0}}, false, {}, DifettoContorno::kInversione},
        // The curb return's run-back: an arc ends on a line heading +x, a
        // straight goes back along it, an arc leaves forwards again.
        {"arc_then_straight_back", {{0, 5, kQuarto}, {5, 0, 0}, {3, 0, 0}}, false, {}, DifettoContorno::kInversione},
        {"figure_eight", {{0, 0, 0}, {10, 10, 0}, {10, 0, 0}, {0, 10, 0}}, true, {}, DifettoContorno::kIncrocio},
        // Two segments that are not neighbours touch at a point.
        {"touches_itself", {{0, 0, 0}, {10, 0, 0}, {5, 5, 0}, {5, 0, 0}, {5, -5, 0}}, false, {}, DifettoContorno::kIncrocio},
        // An arc that crosses a straight further on.
        {"arc_crosses_straight", {{0, 0, 1}, {10, 0, 0}, {5, -8, 0}, {5, 3, 0}}, false, {}, DifettoContorno::kIncrocio},
        // A pointed tail: a straight along the x axis to the tip, then back
        // by an arc tangent to the axis that curves away from it.
        {"pointed_tail_refused", {{0, 0, 0}, {10, 0, -kQuarto}, {5, 5, 0}, {0, 5, 0}}, false, {}, DifettoContorno::kInversione},
        {"pointed_tail_let_through", {{0, 0, 0}, {10, 0, -kQuarto}, {5, 5, 0}, {0, 5, 0}}, false, {1}, DifettoContorno::kNessuno},
        // A tail let through at its vertex still may not overlap itself.
        {"tail_over_itself", {{0, 0, 0}, {10, 0, 0}, {5, 0, 0}, {5, 5, 0}}, false, {1}, DifettoContorno::kIncrocio},
        // The closing vertex of a closed outline is a tail like any other.
        {"tail_at_closing_vertex", {{10, 0, -kQuarto}, {5, 5, 0}, {0, 5, 0}, {0, 0, 0}}, true, {0}, DifettoContorno::kNessuno},
        {"tail_at_closing_vertex_refused", {{10, 0, -kQuarto}, {5, 5, 0}, {0, 5, 0}, {0, 0, 0}}, true, {}, DifettoContorno::kInversione},
    };
    for (const Caso& c : casi) {
        SCOPED_TRACE(c.nome);
        AcGePoint3dArray v;
        AcGeDoubleArray b;
        for (const V& p : c.vertici) {
            v.append(AcGePoint3d(p.x, p.y, 0));
            b.append(p.bulge);
        }
        EXPECT_EQ(VerificaContorno(v, b, c.chiuso, c.punte), c.atteso);
    }
}

// The closest approach of two outlines, the check a shoulder passes against
// its edge: inner points of arcs count, crossing or touching gives 0.
TEST(DistanzaContorni, ClosestApproachOfStraightsAndArcs) {
    struct Coppia {
        const char* nome;
        std::vector<V> a;
        bool chiusoA;
        std::vector<V> b;
        double attesa;
    };
    // Half circles of radius 5 about (0, 0) over the top and about (0, 12)
    // under the bottom, both counter-clockwise.
    const std::vector<V> sopra = {{5, 0, 1}, {-5, 0, 0}}, sotto = {{-5, 12, 1}, {5, 12, 0}};
    const Coppia casi[] = {
        {"parallel_straights", {{0, 0, 0}, {10, 0, 0}}, false, {{0, 1, 0}, {10, 1, 0}}, 1},
        {"crossing_straights", {{0, 0, 0}, {10, 0, 0}}, false, {{5, -1, 0}, {5, 1, 0}}, 0},
        {"straight_over_arc_top", sopra, false, {{-10, 6, 0}, {10, 6, 0}}, 1},
        {"straight_touching_arc", sopra, false, {{-10, 5, 0}, {10, 5, 0}}, 0},
        {"straight_across_arc", sopra, false, {{-10, 3, 0}, {10, 3, 0}}, 0},
        {"arcs_facing", sopra, false, sotto, 2},
        {"concentric_arcs", sopra, false, {{7, 0, 1}, {-7, 0, 0}}, 2},
        {"arc_beside_straight_end", sopra, false, {{8, 0, 0}, {8, -4, 0}}, 3},
        // The closing side of a closed outline counts.
        {"closed_square", {{0, 0, 0}, {10, 0, 0}, {10, 10, 0}, {0, 10, 0}}, true, {{-1, 5, 0}, {-3, 5, 0}}, 1},
        {"open_square", {{0, 0, 0}, {10, 0, 0}, {10, 10, 0}, {0, 10, 0}}, false, {{-1, 5, 0}, {-3, 5, 0}},
         std::hypot(1.0, 5.0)},
    };
    auto Lista = [](const std::vector<V>& vertici, AcGePoint3dArray& v, AcGeDoubleArray& b) {
        for (const V& p : vertici) {
            v.append(AcGePoint3d(p.x, p.y, 0));
            b.append(p.bulge);
        }
    };
    for (const Coppia& c : casi) {
        SCOPED_TRACE(c.nome);
        AcGePoint3dArray va, vb;
        AcGeDoubleArray ba, bb;
        Lista(c.a, va, ba);
        Lista(c.b, vb, bb);
        EXPECT_NEAR(DistanzaContorni(va, ba, c.chiusoA, vb, bb, false), c.attesa, 1e-9);
        EXPECT_NEAR(DistanzaContorni(vb, bb, false, va, ba, c.chiusoA), c.attesa, 1e-9);
    }
}

}  // namespace
