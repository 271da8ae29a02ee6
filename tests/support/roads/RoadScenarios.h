// Intersections of a main road and a secondary road, as drawings the tests
// and the sample drawings share.
#pragma once

#include <string>
#include <vector>

#include "RoadGenerator.h"

namespace roads {

struct Scenario {
    std::string file;       // sample drawing name, without extension
    std::wstring descrizione;
    std::vector<Strada> strade;  // the main road first
};

// A straight main road with a secondary road that ends at it; a curved main
// road starting at chainage 1000 crossed by a secondary road; a divided main
// road starting at chainage 250 with a secondary road that stops short of it.
std::vector<Scenario> Scenari();

}  // namespace roads
