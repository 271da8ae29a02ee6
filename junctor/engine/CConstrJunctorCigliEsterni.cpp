// The curb returns: outer edges and shoulders of both sides.
#include "CConstrJunctor.h"

bool CConstrJunctor::CalcolaTricentrica(const AcGeDoubleArray&, const AcGeDoubleArray&, AcGePoint3dArray&,
                                        AcGePoint3dArray&, ads_point) { return false; }
bool CConstrJunctor::PosizionaTricentrica(const ads_point, const ads_point, const ads_point, const AcGeDoubleArray&,
                                          const AcGeDoubleArray&, AcGePoint3dArray&, AcGePoint3dArray&, bool&) {
    return false;
}
bool CConstrJunctor::CostruisciCiglioEsterno(int, AcDb2dPolyline**) { return false; }
bool CConstrJunctor::CostruisciBanchinaEsterna(int, AcDb2dPolyline**) { return false; }
bool CConstrJunctor::CostruisciCigliEsterni() { return false; }
