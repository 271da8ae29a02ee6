// The circles of the drop island's base where a half's first arc is short
// (a wide main road puts the island base far up the arcs that touch the
// main axis): the base circle then rests on a half's side, the straight
// after the arc, and its arcs may turn through more than a half turn.
#pragma once

#include <arx.h>

#include <vector>

#include "QvGeometry.h"

// A line a circle touches from its inner side: a point of it and the unit
// normal that points inwards.
struct Retta {
    double px, py, nx, ny;
};

// The straight of a list that follows its first arc (an island half's side,
// tangent to that arc), with the normal towards the arc's centre.
bool RettaDopoPrimoArco(const datipoli* lista, Retta& retta);

// The circle that touches two or three lines from their inner side and, with
// two lines, a circle from inside: the smallest with a positive radius.
bool CerchioTraRette(const std::vector<Retta>& rette, const circ* cerchio, circ& risultato);

// Where a circle touches, from inside, the straight side of an island half
// (its vertices T1, T2, T3, ...: the side T2 -> T3) past the end of its first
// arc: the foot of its centre there.
bool SulLato(const circ& cerchio, const AcGePoint3dArray& meta, ads_point punto);

// The bulge of the arc about `centro` from `da` to `a` that passes where the
// circle comes nearest the line through `baseA` and `baseB`.
double BulgeVersoBase(const ads_point centro, const ads_point da, const ads_point a, const double* baseA,
                      const double* baseB);
