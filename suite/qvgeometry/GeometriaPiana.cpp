#include "GeometriaPiana.h"

#include <cmath>

#include "SegmentoPoli.h"

double AngMin3P(const ads_point a, const ads_point v, const ads_point b) {
    double ux = a[X] - v[X], uy = a[Y] - v[Y];
    double wx = b[X] - v[X], wy = b[Y] - v[Y];
    // atan2 of cross and dot keeps full precision near 0 and pi.
    return std::atan2(std::fabs(ux * wy - uy * wx), ux * wx + uy * wy);
}

int mio_inters(const ads_point p1, const ads_point p2, const ads_point p3, const ads_point p4, int limitate,
               ads_point risultato, int /*riservato*/) {
    double ux = p2[X] - p1[X], uy = p2[Y] - p1[Y];
    double vx = p4[X] - p3[X], vy = p4[Y] - p3[Y];
    double den = ux * vy - uy * vx;
    double lu = std::hypot(ux, uy), lv = std::hypot(vx, vy);
    if (lu == 0 || lv == 0 || std::fabs(den) <= 1e-12 * lu * lv) return 0;
    double t = ((p3[X] - p1[X]) * vy - (p3[Y] - p1[Y]) * vx) / den;
    double s = ((p3[X] - p1[X]) * uy - (p3[Y] - p1[Y]) * ux) / den;
    if (limitate) {
        const double tt = vplat::kTolLunghezza / lu, ts = vplat::kTolLunghezza / lv;
        if (t < -tt || t > 1 + tt || s < -ts || s > 1 + ts) return 0;
    }
    risultato[X] = p1[X] + t * ux;
    risultato[Y] = p1[Y] + t * uy;
    risultato[Z] = p1[Z] + t * (p2[Z] - p1[Z]);
    return 1;
}

int gl_bul2cir(circ* cerchio, const ads_point p1, const ads_point p2, double bulge) {
    if (!cerchio) return 0;
    vplat::Segmento s = vplat::Segmento::Da(p1[X], p1[Y], p1[Z], p2[X], p2[Y], p2[Z], bulge);
    if (!s.arco) return 0;
    cerchio->xc = s.c.x;
    cerchio->yc = s.c.y;
    cerchio->zc = p1[Z];
    cerchio->raggio = s.r;
    double a1 = vplat::Normalizza(s.ang0);
    double a2 = vplat::Normalizza(std::atan2(p2[Y] - s.c.y, p2[X] - s.c.x));
    // Counter-clockwise from start to end: a clockwise arc runs from p2.
    cerchio->angIniziale = bulge > 0 ? a1 : a2;
    cerchio->angFinale = bulge > 0 ? a2 : a1;
    return 1;
}

bool CalcolaParametriRototraslazionePianada4Punti(const ads_point a1, const ads_point a2, const ads_point b1,
                                                  const ads_point b2, ParametriRototraslazione par) {
    double ax = a2[X] - a1[X], ay = a2[Y] - a1[Y];
    double bx = b2[X] - b1[X], by = b2[Y] - b1[Y];
    if (std::hypot(ax, ay) < vplat::kTolLunghezza || std::hypot(bx, by) < vplat::kTolLunghezza) return false;
    double ang = std::atan2(by, bx) - std::atan2(ay, ax);
    double c = std::cos(ang), s = std::sin(ang);
    par[0] = c;
    par[1] = s;
    par[2] = b1[X] - (c * a1[X] - s * a1[Y]);
    par[3] = b1[Y] - (s * a1[X] + c * a1[Y]);
    return true;
}

void RototraslazionePiana(ads_point risultato, const ads_point p, const ParametriRototraslazione par) {
    double x = p[X], y = p[Y];
    risultato[X] = par[0] * x - par[1] * y + par[2];
    risultato[Y] = par[1] * x + par[0] * y + par[3];
    risultato[Z] = p[Z];
}

void RototraslazionePianaInversa(const ads_point p, ads_point risultato, const ParametriRototraslazione par) {
    double x = p[X] - par[2], y = p[Y] - par[3];
    risultato[X] = par[0] * x + par[1] * y;
    risultato[Y] = -par[1] * x + par[0] * y;
    risultato[Z] = p[Z];
}

double Zyl_angle(const ads_point a, const ads_point b) {
    return vplat::Normalizza(std::atan2(b[Y] - a[Y], b[X] - a[X]));
}
