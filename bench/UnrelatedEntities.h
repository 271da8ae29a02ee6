// What a plan drawing holds besides the roads, for the benchmarks.
#pragma once

class AcDbBlockTableRecord;
class AcDbDatabase;

// The drawing's model space, open for write; the caller closes it.
AcDbBlockTableRecord* ModelSpaceForWrite(AcDbDatabase* db);

// Adds `n` entities to the model space of the drawing, on a grid from
// (x0, y0) away from its roads: a quarter plain polylines, a quarter
// polylines with the data of another application, a quarter texts, a
// quarter circles.
void AddUnrelatedEntities(AcDbDatabase* db, int n, double x0, double y0);

// Adds `n` entities of a road network to the model space, on a grid from
// (x0, y0) away from the roads of the sample: a quarter edges and shoulders
// of other roads ("QV-VORTANA-NPOLI", four to a road, each road its own
// name), a quarter polylines of other intersections ("QV-VORTANA-INTERS-T",
// eight to an id, each naming two other roads), a quarter plain polylines, a
// quarter lines. The same drawing every time.
void AddRoadNetwork(AcDbDatabase* db, int n, double x0, double y0);
