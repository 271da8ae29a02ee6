// The meeting of a line through a point with a vertex list.
#pragma once

#include "DatiPoli.h"

// From a point along a direction (radians), both ways, the nearest meeting
// with the list within the maximum distance: signed distance along the
// direction, meeting point, its chainage and the list's direction there
// (outputs may be null). 1 met, 0 not met.
int DistPPolyDir(const datipoli* lista, const ads_point punto, double direzione, double distanzaMax,
                 double* distanza, ads_point piede, double* prog, double* valore);
