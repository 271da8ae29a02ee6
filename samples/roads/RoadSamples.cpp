// Writes the road scenarios and the plan roundabouts as JSON (entities with
// their layers, geometry and extended data) for make_road_samples.py, which
// turns them into DXF files.
#include <iostream>

#include "DisegnoJson.h"
#include "RoadScenarios.h"
#include "RoundaboutScenarios.h"

int main() {
    nlohmann::json out = nlohmann::json::array();
    for (const auto& sc : roads::Scenari()) {
        std::vector<rotatorie::Entita> entita;
        for (const auto& strada : sc.strade)
            for (auto& e : rotatorie::EntitaDi(strada)) entita.push_back(std::move(e));
        out.push_back(rotatorie::Json(sc.file, sc.descrizione, entita));
    }
    for (const auto& c : rotatorie::Campioni()) {
        std::vector<rotatorie::Entita> entita;
        for (const auto& r : c.rotatorie)
            for (auto& e : rotatorie::EntitaDi(r)) entita.push_back(std::move(e));
        out.push_back(rotatorie::Json(c.file, c.descrizione, entita));
    }
    std::cout << out.dump(1) << "\n";
    return 0;
}
