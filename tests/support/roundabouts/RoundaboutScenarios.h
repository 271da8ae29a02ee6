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

}  // namespace rotatorie
