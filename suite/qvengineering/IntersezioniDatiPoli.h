// Plan crossings of two vertex lists.
#pragma once

#include <vector>

#include "DatiPoli.h"

namespace vplat {

struct Incrocio {
    double x, y, z;
    double progA;  // where it lies along the first list (before its start when < its first chainage)
};

// The crossings of a and b in plan, ordered along a, coincident ones merged.
// A non-zero extension prolongs an open list's end segments straight along
// their end tangents by that length; a closed list is never extended.
std::vector<Incrocio> IntersezioniDatiPoli(const datipoli* a, const datipoli* b, double estensioneA,
                                           double estensioneB);
// Whether a list ends where it starts.
bool DatiPoliChiusa(const datipoli* lista);

}  // namespace vplat
