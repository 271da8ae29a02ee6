// Plan roundabouts that the tests and the sample drawings share.
#pragma once

#include <string>
#include <vector>

#include "RoundaboutGenerator.h"

namespace rotatorie {

struct Campione {
    std::string file;       // sample drawing name, without extension
    std::wstring descrizione;
    std::vector<Rotatoria> rotatorie;
};

// A roundabout of three branches (one running towards the ring, one on a
// divided road); two roundabouts side by side, the second with its items
// wrapped in braces.
std::vector<Campione> Campioni();

// The sample of three branches with radii 15 and 25 and flat branch
// profiles at 50, 51 and 55 (mean 52).
Rotatoria TreRamiPiatti();

// Six branches 60 degrees apart on a ring of radii 20 and 28, their edges
// 40 beyond the ring, each alignment graded (its own grade, 0.5 % to 3 %).
Rotatoria SeiRami();

}  // namespace rotatorie
