// Vertex lists of drawing entities and crossings in the output forms the
// callers use.
#pragma once

#include "AcDbObjectId.h"
#include "AcGe.h"
#include "AdsDef.h"
#include "CADDatoArray.h"
#include "DatiPoli.h"

// The vertex list of a 2D polyline or of an alignment: chainages from 0 for a
// polyline, from the start chainage for an alignment. A closed polyline's
// list ends on its first vertex again. The eight further arguments are not
// used (the callers pass null or 0). Non-zero = a new list in *lista.
int LeggiDATIPOLI(const ads_name entita, datipoli** lista, void* = nullptr, void* = nullptr, void* = nullptr,
                  void* = nullptr, void* = nullptr, void* = nullptr, void* = nullptr, void* = nullptr);

// Plan crossings of two lists, ordered along the first, coincident ones
// merged; a non-zero extension prolongs an open list's ends straight by that
// length. The output is emptied first; the result is the number of crossings.
// The last argument does not change the result.
int Inters_2_DATIPOLI_2D(const datipoli* a, const datipoli* b, AcGePoint3dArray& punti, double estensioneA,
                         double estensioneB, int flag);
// The same into an entity-data array, one point entry (code 10) per crossing.
int Inters_2_DATIPOLI_2D(const datipoli* a, const datipoli* b, CADDatoArray& punti, double estensioneA,
                         double estensioneB, int flag);
// The same on two polylines or alignments of the drawing; -1 when either
// cannot be read.
int Inters_2AcDbEntity2D(AcDbObjectId a, AcDbObjectId b, AcGePoint3dArray& punti, double estensioneA,
                         double estensioneB, int flag);
