// Choice among several crossing points: the nearest to, or the farthest
// from, a reference point (3D distance).
#pragma once

#include <arx.h>

// Nearest point; a later point at an equal distance wins. False for an empty
// array (the index is then untouched).
bool IndicePuntoPiuVicino(const AcGePoint3dArray& punti, const ads_point riferimento, int& indice);
// Farthest point; an equal distance keeps the earlier point, and the index
// is written only when a later point is strictly farther, so the caller
// sets it (to 0) first. False for an empty array.
bool IndicePuntoPiuLontano(const AcGePoint3dArray& punti, const ads_point riferimento, int& indice);
