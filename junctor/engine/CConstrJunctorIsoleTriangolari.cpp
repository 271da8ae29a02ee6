// The triangular islands between the drop island, the outer edges and the main road.
#include "CConstrJunctor.h"

bool CConstrJunctor::CostruisciIsoleTriangolari() { return false; }
bool CConstrJunctor::CostruisciCiglioIsolaTriangolare(int, const datipoli*, const datipoli*) { return false; }
bool CConstrJunctor::CostruisciBanchinaIsolaTriangolare(int, const datipoli*, const datipoli*) { return false; }
