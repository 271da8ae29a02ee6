// Plane geometry of the suite: angles, line crossings, arcs from bulges and
// plane rototranslations.
#pragma once

#include "AdsDef.h"

// A circle: centre first, then radius, and the angles of the arc it was made
// from (start and end as seen from the centre, counter-clockwise).
struct circ {
    double xc, yc, zc;
    double raggio;
    double angIniziale, angFinale;
};

// The angle at the vertex between the directions to a and to b, 0 to pi.
double AngMin3P(const ads_point a, const ads_point vertice, const ads_point b);
// The plan crossing of the lines p1 p2 and p3 p4. With limitate != 0 the
// crossing must lie on both segments. The last argument is unused (0).
// 1 found, 0 parallel lines or, bounded, no crossing on the segments.
int mio_inters(const ads_point p1, const ads_point p2, const ads_point p3, const ads_point p4, int limitate,
               ads_point risultato, int riservato);
// The circle of the arc from p1 to p2 with the given bulge. 1 done, 0 for a
// straight (bulge 0) or coincident points.
int gl_bul2cir(circ* cerchio, const ads_point p1, const ads_point p2, double bulge);

// A plane rototranslation: x' = cos * x - sin * y + tx, y' = sin * x + cos * y + ty.
typedef double ParametriRototraslazione[4];  // cos, sin, tx, ty
// The rototranslation that takes a1 to b1 and the direction a1 -> a2 onto
// b1 -> b2. false when either pair of points coincides (no frame).
bool CalcolaParametriRototraslazionePianada4Punti(const ads_point a1, const ads_point a2, const ads_point b1,
                                                  const ads_point b2, ParametriRototraslazione parametri);
// The image of a point (result first, then the point); z is kept.
void RototraslazionePiana(ads_point risultato, const ads_point punto, const ParametriRototraslazione parametri);
// The point whose image is the given one (the point first, then the result).
void RototraslazionePianaInversa(const ads_point punto, ads_point risultato, const ParametriRototraslazione parametri);
// The plan angle of the direction from a to b, 0 to 2 pi.
double Zyl_angle(const ads_point a, const ads_point b);
