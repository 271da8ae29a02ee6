// The three-centred curve of a curb return that ends tangent to the inner
// arc's circle: where the curve, turned through the deflection between the
// main line and the lane line, would reach the lane line past the inner
// arc's start, a larger deflection lets it run into the inner arc without a
// corner and without the straight along the lane line.
#pragma once

#include <arx.h>

#include "QvGeometry.h"

// The curve leaves the line through `origine` towards `verso` tangentially,
// turns towards the side of `lato` through arcs of the radii (in the order
// met from the line) and of the deflection's shares, and ends tangent, from
// inside, to the circle: the circle's arc goes on in the same sense. The
// deflection is the smallest above `deviazioneMinima` (radians) that does
// it; the start slides along the line. Out: the four points from the start
// on the line to the end on the circle, the three arc centres, the
// deflection, and whether the curve turns counter-clockwise. False when no
// deflection up to a half turn does it.
bool TricentricaTangenteAlCerchio(const ads_point origine, const ads_point verso, const ads_point lato,
                                  const double raggi[3], const double quote[3], double deviazioneMinima,
                                  const circ& cerchio, AcGePoint3dArray& punti, AcGePoint3dArray& centri,
                                  double& deviazione, bool& antiorario);

// The same curve ending on a line, along it: the line through `punto` in the
// direction `direzione` (the way the kerb goes on), met where the inner arc
// would have to reach past its end on the leg's line. False when the line
// does not lie the way the curve turns, or runs along the first line.
bool TricentricaTangenteAllaRetta(const ads_point origine, const ads_point verso, const ads_point lato,
                                  const double raggi[3], const double quote[3], const ads_point punto,
                                  double direzione, AcGePoint3dArray& punti, AcGePoint3dArray& centri,
                                  double& deviazione, bool& antiorario);
