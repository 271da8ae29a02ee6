// Assembles the 3D model of a plan roundabout through the model's own
// operations, in the order the model reads a plan: rings from the circles
// (two half-circle arcs), axis and edge per branch plan edge, the road edges
// of every axis (ring-centred), optionally both rings restarted at the first
// branch edge, the move to ring-centred coordinates, the axes' profile
// values, then the point groups and geometry of every edge. The plan must be
// drawn into the working drawing first (the axes read their alignments
// there); the module's constructor must be started.
#pragma once

#include "CRotatoria3D.h"
#include "RoundaboutGenerator.h"

namespace rotatorie {

struct OpzioniModello {
    bool allineaAnelli = false;  // restart both rings at the first branch edge's first vertex
};

// 1 when every edge's geometry was made; 0 at the first edge that refused
// (its message shown), or when a ring could not be made.
int CostruisciModello(CRotatoria3D& rotatoria, const Rotatoria& pianta, const OpzioniModello& opzioni = {});

}  // namespace rotatorie
