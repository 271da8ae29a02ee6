// What a plan drawing holds besides the roads, for the benchmarks.
#pragma once

class AcDbDatabase;

// Adds `n` entities to the model space of the drawing, on a grid from
// (x0, y0) away from its roads: a quarter plain polylines, a quarter
// polylines with the data of another application, a quarter texts, a
// quarter circles.
void AddUnrelatedEntities(AcDbDatabase* db, int n, double x0, double y0);
