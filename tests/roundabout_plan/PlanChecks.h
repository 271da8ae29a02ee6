// Checks the plan roundabout tests share: a drawing's model space read back
// into the generator's entity records and compared with the records the
// generator made; the roundabout items by position; an alignment's data.
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

// The roundabout items of a circle or plan edge (identified by the entity the
// generator made) by position, as documented: plan name, then the roundabout
// name and the code on a circle; the alignment's internal name and name, the
// code, an empty text and the direction flag on a plan edge; a brace after
// the application name when the roundabout wraps its items.
void VerificaPosizioni(const rotatorie::Rotatoria& rotatoria, const rotatorie::Entita& generata, const resbuf* catena);

// The alignment chain decodes, with the polyline's vertices, into the
// branch's alignment: names, start chainage, length, profile and both lists.
void VerificaTracciato(const rotatorie::Ramo& ramo, const rotatorie::Entita& tracciato);

}  // namespace piano
