// Entities as JSON for samples/roads/make_road_samples.py, which writes them
// into DXF files with an independent writer (ezdxf).
#pragma once

#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "RoundaboutGenerator.h"

namespace rotatorie {

// A road's polylines as entities (2D polylines), in the order of roads::PolilineeDi.
std::vector<Entita> EntitaDi(const roads::Strada& strada);

// One drawing: {"file", "descrizione", "entita": [{"tipo" CIRCLE or POLYLINE,
// "layer", "3d", "centro" [x, y, z] and "raggio", or "vertici" [[x, y, bulge]],
// "dati_estesi" [[code, value]] from the application name on}]}.
nlohmann::json Json(const std::string& file, const std::wstring& descrizione, const std::vector<Entita>& entita);

}  // namespace rotatorie
