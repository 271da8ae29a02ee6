// The check every outline of a leg passes before it is drawn: a polyline of
// straights and arcs that crosses or touches itself, or whose consecutive
// segments turn back on each other, is not a kerb line.
#pragma once

#include <vector>

#include <arx.h>

enum class DifettoContorno {
    kNessuno,
    kIncrocio,    // two segments cross or touch away from the vertex they share
    kInversione,  // at a vertex the outline turns back the way it came
};

// The vertices with the bulge of the segment leaving each one. A closed
// polyline has a last segment back to the first vertex; an open one whose
// last vertex lies on its first counts as closed there. At the vertices
// listed in punte the outline may turn back, as at a pointed tail whose two
// sides are tangent to one line, provided that they do not overlap.
DifettoContorno VerificaContorno(const AcGePoint3dArray& vertici, const AcGeDoubleArray& bulge, bool chiuso,
                                 const std::vector<int>& punte = {});

// The closest approach of two outlines of straights and arcs: 0 where they
// cross or touch. A closed outline has its closing segment too.
double DistanzaContorni(const AcGePoint3dArray& verticiA, const AcGeDoubleArray& bulgeA, bool chiusoA,
                        const AcGePoint3dArray& verticiB, const AcGeDoubleArray& bulgeB, bool chiusoB);

class AcDb2dPolyline;
// The vertices of a polyline with the bulge of the segment leaving each one.
void VerticiPolilinea(const AcDb2dPolyline* polilinea, AcGePoint3dArray& vertici, AcGeDoubleArray& bulge);
