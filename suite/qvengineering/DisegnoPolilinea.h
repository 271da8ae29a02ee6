// Drawing a 2D polyline of the engineering library into the working
// drawing's current space, on a layer made when missing.
#pragma once

#include <vector>

#include "AcDbObjectId.h"
#include "AcGe.h"

struct resbuf;

namespace vplat {

// The layer of that name in the working drawing, made when missing; true
// when it is there afterwards.
bool AssicuraLayer(const wchar_t* layer);

// Appends a 2D polyline through the points (bulges per vertex, none for
// straight segments) on the layer, with the extended data when given (the
// chain stays the caller's). True with its id.
bool DisegnaPolilinea2D(const wchar_t* layer, const std::vector<AcGePoint3d>& punti, const std::vector<double>& bulge,
                        const resbuf* datiEstesi, AcDbObjectId& id);

}  // namespace vplat
