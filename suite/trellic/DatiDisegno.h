// Moving drawing data between an entity and a CADDatoArray: single values,
// extended data, vertex lists.
#pragma once

#include <vector>

#include "AcDbPolylines.h"
#include "CADDatoArray.h"

namespace zyl {

// Appends a drawing value with its code.
void AggiungiTag(CADDatoArray& dati, const vplat::DxfTag& tag);
// The drawing value of an entry, in the kind its code carries in a drawing;
// false for an entry that holds no single value (a request, an array).
bool TagDaDato(const CADDatoArray::CADDato& dato, vplat::DxfTag& tag);

// The extended data of every application, in order, each from its 1001 item.
void LeggiDatiEstesi(const AcDbObject* oggetto, CADDatoArray& dati);
// Sets extended data given as items, each 1001 item starting an application
// whose items are replaced; the applications are registered in the object's
// drawing first. False when an item cannot be written (before the first 1001,
// a value of no kind) or the object refuses it.
bool ScriviDatiEstesi(AcDbObject* oggetto, const CADDatoArray& dati);

// A vertex list as nested arrays keyed 0, 1, 2 ...: points and bulges.
void ArrayVertici(const std::vector<vplat::PolyVertex>& vertici, CADDatoArray* punti, CADDatoArray* bulge);
// Vertices from the nested arrays: every point entry of `punti` in order, with
// the bulge of the same key in `bulge` (0 when missing or without bulges).
std::vector<vplat::PolyVertex> VerticiDaArray(const CADDatoArray* punti, const CADDatoArray* bulge);

}  // namespace zyl
