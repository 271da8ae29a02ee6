// A drawing's model space read back into the generator's entity records, and
// their comparison with the records the generator made.
#pragma once

#include <vector>

#include "RoundaboutGenerator.h"

namespace piano {

// Every circle, 2D and 3D polyline of model space in drawing order, with its
// layer, geometry and extended data (kind and branch are not known).
std::vector<rotatorie::Entita> Rileggi(AcDbDatabase* database);

// Kind of entity, layer, geometry (within 1e-9) and every extended-data item
// equal, entity by entity.
void ConfrontaEntita(const std::vector<rotatorie::Entita>& attese, const std::vector<rotatorie::Entita>& lette);

}  // namespace piano
