// The circles of the drop island's base where a half's first arc is short:
// the base circle resting on a half's side, the nose on it, and the base
// arc's sense.
#include "CerchioBaseIsola.h"

#include <cmath>

#include "GeometriaPiana.h"
#include "QvGeometry.h"

namespace {
constexpr double kTolleranza = 0.001;
// Two points closer than this are the same point.
constexpr double kStessoPunto = 1e-6;
}  // namespace

// The straight of a list that follows its first arc (the island half's side,
// tangent to that arc), with the normal towards the arc's centre.
bool RettaDopoPrimoArco(const datipoli* lista, Retta& retta) {
    if (!lista || !lista->next || !lista->next->next || lista->next->bulge != 0) return false;
    const datipoli* a = lista->next;
    const datipoli* b = a->next;
    const double dx = b->x - a->x, dy = b->y - a->y;
    const double lunghezza = std::hypot(dx, dy);
    if (!(lunghezza > 0)) return false;
    double nx = -dy / lunghezza, ny = dx / lunghezza;
    if (nx * (lista->xc - a->x) + ny * (lista->yc - a->y) < 0) {
        nx = -nx;
        ny = -ny;
    }
    retta = Retta{a->x, a->y, nx, ny};
    return true;
}

// The circle that touches two or three lines from their inner side and, with
// two lines, a circle from inside (its centre (X, Y) and radius r satisfy
// n.(centre - p) = r on each line, |centre - C| = R - r on the circle): the
// smallest with a positive radius.
bool CerchioTraRette(const std::vector<Retta>& rette, const circ* cerchio, circ& risultato) {
    // Each line: nx X + ny Y - r = n.p.
    double m[3][3], k[3];
    const int n = static_cast<int>(rette.size());
    if (n < 2 || n > 3 || (n == 2) != (cerchio != nullptr)) return false;
    for (int i = 0; i < n; ++i) {
        m[i][0] = rette[i].nx;
        m[i][1] = rette[i].ny;
        m[i][2] = -1;
        k[i] = rette[i].nx * rette[i].px + rette[i].ny * rette[i].py;
    }
    auto Det3 = [](const double a[3][3]) {
        return a[0][0] * (a[1][1] * a[2][2] - a[1][2] * a[2][1]) - a[0][1] * (a[1][0] * a[2][2] - a[1][2] * a[2][0]) +
               a[0][2] * (a[1][0] * a[2][1] - a[1][1] * a[2][0]);
    };
    if (n == 3) {
        const double d = Det3(m);
        if (std::fabs(d) < 1e-12) return false;
        double x[3];
        for (int j = 0; j < 3; ++j) {
            double mj[3][3];
            for (int i = 0; i < 3; ++i)
                for (int c = 0; c < 3; ++c) mj[i][c] = c == j ? k[i] : m[i][c];
            x[j] = Det3(mj) / d;
        }
        if (!(x[2] > 0) || !std::isfinite(x[2])) return false;
        risultato = circ{x[0], x[1], 0, x[2], 0, 0};
        return true;
    }
    // Two lines leave a line of solutions p + t q; the circle picks t.
    const double q[3] = {m[0][1] * m[1][2] - m[0][2] * m[1][1], m[0][2] * m[1][0] - m[0][0] * m[1][2],
                         m[0][0] * m[1][1] - m[0][1] * m[1][0]};
    // p = M^T (M M^T)^-1 k, the solution nearest the origin.
    const double g00 = m[0][0] * m[0][0] + m[0][1] * m[0][1] + 1, g11 = m[1][0] * m[1][0] + m[1][1] * m[1][1] + 1;
    const double g01 = m[0][0] * m[1][0] + m[0][1] * m[1][1] + 1;
    const double dg = g00 * g11 - g01 * g01;
    if (std::fabs(dg) < 1e-12) return false;
    const double l0 = (g11 * k[0] - g01 * k[1]) / dg, l1 = (g00 * k[1] - g01 * k[0]) / dg;
    const double p[3] = {m[0][0] * l0 + m[1][0] * l1, m[0][1] * l0 + m[1][1] * l1, -l0 - l1};
    const double R = cerchio->raggio, ex = p[0] - cerchio->xc, ey = p[1] - cerchio->yc, er = R - p[2];
    const double a = q[0] * q[0] + q[1] * q[1] - q[2] * q[2];
    const double b = 2 * (ex * q[0] + ey * q[1] + er * q[2]);
    const double c = ex * ex + ey * ey - er * er;
    std::vector<double> radici;
    if (std::fabs(a) < 1e-12) {
        if (std::fabs(b) > 1e-12) radici.push_back(-c / b);
    } else {
        const double disc = b * b - 4 * a * c;
        if (disc >= 0) {
            radici.push_back((-b + std::sqrt(disc)) / (2 * a));
            radici.push_back((-b - std::sqrt(disc)) / (2 * a));
        }
    }
    bool trovato = false;
    for (double t : radici) {
        const double r = p[2] + t * q[2];
        if (!(r > 0) || !(r < R) || !std::isfinite(r) || (trovato && r >= risultato.raggio)) continue;
        risultato = circ{p[0] + t * q[0], p[1] + t * q[1], 0, r, 0, 0};
        trovato = true;
    }
    return trovato;
}

// Where a circle touches, from inside, the straight side of an island half
// (T2 -> T3) past the end of its first arc: the foot of its centre there.
bool SulLato(const circ& cerchio, const AcGePoint3dArray& meta, ads_point punto) {
    if (meta.length() < 3) return false;
    const double dx = meta[2].x - meta[1].x, dy = meta[2].y - meta[1].y;
    const double lunghezza = std::hypot(dx, dy);
    if (!(lunghezza > 0)) return false;
    const double ux = dx / lunghezza, uy = dy / lunghezza;
    const double s = (cerchio.xc - meta[1].x) * ux + (cerchio.yc - meta[1].y) * uy;
    if (!(s > kStessoPunto) || s >= lunghezza) return false;
    const double distanza = std::fabs((cerchio.xc - meta[1].x) * uy - (cerchio.yc - meta[1].y) * ux);
    if (std::fabs(distanza - cerchio.raggio) >= kTolleranza) return false;
    punto[0] = meta[1].x + s * ux;
    punto[1] = meta[1].y + s * uy;
    punto[2] = 0;
    return true;
}

// The bulge of the arc about a centre from one point to another that passes
// where the circle comes nearest the line A B (the island base): the minor
// arc where that point lies on it, else the major one. An island whose base
// circle rests on its sides turns through more than a half turn there.
double BulgeVersoBase(const ads_point centro, const ads_point da, const ads_point a, const double* baseA,
                      const double* baseB) {
    constexpr double kGiro = 2 * 3.14159265358979323846;
    auto Angolo = [&](double x, double y) { return std::atan2(y - centro[1], x - centro[0]); };
    auto Giro = [&](double v) {
        v = std::fmod(v, kGiro);
        return v < 0 ? v + kGiro : v;
    };
    const double dx = baseB[0] - baseA[0], dy = baseB[1] - baseA[1];
    const double l = std::hypot(dx, dy);
    const double minimo = AngMin3P(da, centro, a);
    if (!(l > 0)) return std::tan(minimo / 4);
    const double t = ((centro[0] - baseA[0]) * dx + (centro[1] - baseA[1]) * dy) / (l * l);
    const double fx = baseA[0] + t * dx, fy = baseA[1] + t * dy;
    if (std::hypot(fx - centro[0], fy - centro[1]) < kStessoPunto) return std::tan(minimo / 4);
    const double inizio = Angolo(da[0], da[1]);
    const double antiorario = Giro(Angolo(a[0], a[1]) - inizio);
    const double via = Giro(Angolo(fx, fy) - inizio);
    // Counter-clockwise from `da` the arc reaches `a` after `antiorario`.
    if (via <= antiorario) return std::tan(antiorario / 4);
    return -std::tan((kGiro - antiorario) / 4);
}
