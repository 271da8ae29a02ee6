// The suite's polyline vertex list and the operations on whole lists.
#pragma once

#include "AdsDef.h"

// One vertex of a polyline. The fields up to the arc centre are read by the
// modules; the ones after it are the library's own.
struct datipoli {
    double x, y, z;
    double bulge;       // segment to the next vertex: tan(sweep / 4), > 0 counter-clockwise
    double raggio;      // radius of that segment's arc (0 for a straight)
    double prog;        // chainage of the vertex
    double xc, yc, zc;  // centre of that segment's arc (0 for a straight)
    double lung;        // length of the segment to the next vertex
    datipoli* next;     // null at the end
};

// Appends a vertex (head and tail start null). Completes the segment from the
// previous tail: its radius, centre and length; the new vertex's chainage
// follows on from the tail's (0 for the first vertex). 1 done, 0 no memory.
int AggpuntoDATIPOLI(const ads_point punto, double bulge, datipoli** testa, datipoli** coda);
// Frees a list and clears the head; a null head or list is accepted.
void LiberaDATIPOLI(datipoli** testa);
// Writes every vertex chainage from the start chainage, following arcs, and
// refreshes each segment's radius, centre and length. 1 done, 0 null list.
int ProgDATIPOLI(datipoli* lista, double progIniziale, double* lunghezza);
// A new copy of a list (null for a null list).
datipoli* allocaDATIPOLI(const datipoli* lista);
// A new closed list on a circle: two counter-clockwise half circles starting
// at the point east of the centre; chainages from 0.
datipoli* allocaDATIPOLI_Da_Cerchio(const ads_point centro, double raggio);
// A new list of the part between two chainages (null = from the start / to
// the end); arcs cut inside keep their centre with the shortened bulge. The
// copy's chainages start at 0. 1 done, 0 null list or from after to.
int estraiCopiaDATIPOLI(const datipoli* lista, const double* progDa, const double* progA, datipoli** copia);
// Reverses a list in place: each bulge moves to its segment and changes sign;
// chainages start again from the old first chainage.
void InvertiDatiPoli(datipoli** testa);
// Moves a list by a matrix (rotation and translation, x' = m * x); centres
// follow, bulges change sign under a mirror; chainages are recomputed.
void RototraslaDATIPOLI(datipoli* lista, const ads_matrix matrice);

// The point at a chainage and the plan tangent angle there (radians; may be
// null). Both end chainages count as on the list (within 1e-9).
// 0 found, 1 off the list.
int XYdaProgsuDatiPoli(const datipoli* lista, double prog, ads_point punto, double* direzione);
// The foot of a point on a list: signed offset (> 0 on the right of the
// direction of travel), foot, foot chainage, the list's direction at the foot,
// the arc centre of the segment holding it (0 for a straight) and the plain
// distance; every output may be null. Mode 1 takes only perpendicular feet
// (inner vertices included), so a point beyond an end may have none; mode 0
// takes the nearest point of the list, ends included. 1 found, 0 none.
int DistPPoly(const datipoli* lista, const ads_point punto, double* distanza, ads_point piede, double* progPiede,
              double* direzione, ads_point centro, double* valore, int modo);
