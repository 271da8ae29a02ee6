#include "SegmentoPoli.h"

#include <cmath>

namespace vplat {

namespace {
constexpr double kPi = 3.14159265358979323846;
constexpr double kDuePi = 2 * kPi;

// Crossings of two supporting lines or circles, before the range tests.
int IntersezioniSupporto(const Segmento& a, const Segmento& b, Punto2 p[2]) {
    if (!a.arco && !b.arco) {
        double ux = a.b.x - a.a.x, uy = a.b.y - a.a.y;
        double vx = b.b.x - b.a.x, vy = b.b.y - b.a.y;
        double den = ux * vy - uy * vx;
        double lu = std::hypot(ux, uy), lv = std::hypot(vx, vy);
        if (lu < kTolLunghezza || lv < kTolLunghezza || std::fabs(den) <= 1e-12 * lu * lv) return 0;
        double t = ((b.a.x - a.a.x) * vy - (b.a.y - a.a.y) * vx) / den;
        p[0] = {a.a.x + t * ux, a.a.y + t * uy};
        return 1;
    }
    if (a.arco != b.arco) {
        const Segmento& retta = a.arco ? b : a;
        const Segmento& arco = a.arco ? a : b;
        double ux = retta.b.x - retta.a.x, uy = retta.b.y - retta.a.y;
        double l = std::hypot(ux, uy);
        if (l < kTolLunghezza) return 0;
        ux /= l;
        uy /= l;
        // Foot of the centre on the line, then the half chord.
        double t0 = (arco.c.x - retta.a.x) * ux + (arco.c.y - retta.a.y) * uy;
        Punto2 f{retta.a.x + t0 * ux, retta.a.y + t0 * uy};
        double d = Distanza(f, arco.c);
        if (d > arco.r + kTolLunghezza) return 0;
        if (d >= arco.r - kTolLunghezza) {
            p[0] = f;
            return 1;
        }
        double h = std::sqrt(arco.r * arco.r - d * d);
        p[0] = {f.x - h * ux, f.y - h * uy};
        p[1] = {f.x + h * ux, f.y + h * uy};
        return 2;
    }
    double dx = b.c.x - a.c.x, dy = b.c.y - a.c.y;
    double d = std::hypot(dx, dy);
    if (d < kTolLunghezza) return 0;  // concentric: no isolated crossing
    if (d > a.r + b.r + kTolLunghezza || d < std::fabs(a.r - b.r) - kTolLunghezza) return 0;
    double m = (d * d + a.r * a.r - b.r * b.r) / (2 * d);
    double h2 = a.r * a.r - m * m;
    Punto2 f{a.c.x + m * dx / d, a.c.y + m * dy / d};
    if (h2 <= kTolLunghezza * kTolLunghezza * 4) {
        p[0] = f;
        return 1;
    }
    double h = std::sqrt(h2);
    p[0] = {f.x + h * dy / d, f.y - h * dx / d};
    p[1] = {f.x - h * dy / d, f.y + h * dx / d};
    return 2;
}
}  // namespace

double Distanza(Punto2 a, Punto2 b) { return std::hypot(a.x - b.x, a.y - b.y); }

double Normalizza(double a) {
    a = std::fmod(a, kDuePi);
    if (a < 0) a += kDuePi;
    if (a >= kDuePi) a = 0;
    return a;
}

Segmento Segmento::Da(double ax, double ay, double az, double bx, double by, double bz, double bulge) {
    Segmento s;
    s.a = {ax, ay};
    s.b = {bx, by};
    s.za = az;
    s.zb = bz;
    s.bulge = bulge;
    double l = Distanza(s.a, s.b);
    if (bulge == 0.0 || l < kTolLunghezza) {
        s.lunghezza = l;
        return s;
    }
    s.arco = true;
    s.sweep = 4 * std::atan(bulge);
    s.r = l * (1 + bulge * bulge) / (4 * std::fabs(bulge));
    // The centre lies on the chord's bisector, to the left for a
    // counter-clockwise arc shorter than a half circle.
    double d = l * (1 - bulge * bulge) / (4 * bulge);
    double nx = -(by - ay) / l, ny = (bx - ax) / l;
    s.c = {(ax + bx) / 2 + d * nx, (ay + by) / 2 + d * ny};
    s.ang0 = std::atan2(ay - s.c.y, ax - s.c.x);
    s.lunghezza = s.r * std::fabs(s.sweep);
    return s;
}

Segmento Segmento::DaNodo(const datipoli* n) {
    return Da(n->x, n->y, n->z, n->next->x, n->next->y, n->next->z, n->bulge);
}

Punto2 Segmento::PuntoA(double s) const {
    if (!arco) {
        if (lunghezza < kTolLunghezza) return a;
        double f = s / lunghezza;
        return {a.x + f * (b.x - a.x), a.y + f * (b.y - a.y)};
    }
    if (s <= 0) return a;
    if (s >= lunghezza) return b;
    double ang = ang0 + (sweep > 0 ? 1 : -1) * s / r;
    return {c.x + r * std::cos(ang), c.y + r * std::sin(ang)};
}

double Segmento::ZA(double s) const {
    if (lunghezza < kTolLunghezza) return za;
    return za + (zb - za) * (s / lunghezza);
}

double Segmento::DirezioneA(double s) const {
    if (!arco) return Normalizza(std::atan2(b.y - a.y, b.x - a.x));
    double sgn = sweep > 0 ? 1 : -1;
    double ang = ang0 + sgn * s / r;
    return Normalizza(ang + sgn * kPi / 2);
}

double Segmento::Proietta(Punto2 p, bool* interno) const {
    if (!arco) {
        if (lunghezza < kTolLunghezza) {
            *interno = false;
            return 0;
        }
        double ux = (b.x - a.x) / lunghezza, uy = (b.y - a.y) / lunghezza;
        double t = (p.x - a.x) * ux + (p.y - a.y) * uy;
        *interno = t >= -kTolLunghezza && t <= lunghezza + kTolLunghezza;
        return t < 0 ? 0 : (t > lunghezza ? lunghezza : t);
    }
    double dx = p.x - c.x, dy = p.y - c.y;
    if (std::hypot(dx, dy) < kTolLunghezza) {
        // The centre sees every point of the arc at the same distance.
        *interno = true;
        return 0;
    }
    double phi = Normalizza(sweep > 0 ? std::atan2(dy, dx) - ang0 : ang0 - std::atan2(dy, dx));
    double tol = kTolLunghezza / r;
    double ampiezza = std::fabs(sweep);
    if (phi <= ampiezza + tol) {
        *interno = true;
        return phi * r > lunghezza ? lunghezza : phi * r;
    }
    if (phi >= kDuePi - tol) {
        *interno = true;
        return 0;
    }
    *interno = false;
    // Outside the arc: the nearer end.
    return Distanza(p, a) <= Distanza(p, b) ? 0 : lunghezza;
}

bool Segmento::Contiene(Punto2 p, double* s) const {
    bool interno = false;
    double t = Proietta(p, &interno);
    if (!interno) return false;
    double tol = 1e-7 * (1 + std::fabs(p.x) + std::fabs(p.y));
    if (Distanza(PuntoA(t), p) > tol) return false;
    *s = t;
    return true;
}

int Segmento::IntersecaRetta(Punto2 p, Punto2 u, double t[2], double s[2]) const {
    Segmento retta = Da(p.x, p.y, 0, p.x + u.x, p.y + u.y, 0, 0);
    Punto2 q[2];
    int n = IntersezioniSupporto(retta, *this, q);
    int k = 0;
    double lu = std::hypot(u.x, u.y);
    for (int i = 0; i < n; ++i) {
        double si;
        if (!Contiene(q[i], &si)) continue;
        t[k] = ((q[i].x - p.x) * u.x + (q[i].y - p.y) * u.y) / (lu * lu);
        s[k] = si;
        ++k;
    }
    return k;
}

int Segmento::Interseca(const Segmento& o, Punto2 p[2], double sQuesto[2], double sAltro[2]) const {
    Punto2 q[2];
    int n = IntersezioniSupporto(*this, o, q);
    int k = 0;
    for (int i = 0; i < n; ++i) {
        double s1, s2;
        if (!Contiene(q[i], &s1) || !o.Contiene(q[i], &s2)) continue;
        p[k] = q[i];
        sQuesto[k] = s1;
        sAltro[k] = s2;
        ++k;
    }
    return k;
}

}  // namespace vplat
