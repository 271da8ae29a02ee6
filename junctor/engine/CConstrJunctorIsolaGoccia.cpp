// The drop island: its two halves, its shoulder and its edge.
#include "CConstrJunctor.h"

bool CConstrJunctor::CostruisciIsolaGoccia() { return false; }
bool CConstrJunctor::CalcolaLatoIsolaGoccia(int, AcDb2dPolyline**, AcGePoint3dArray&, AcGeDoubleArray&) { return false; }
bool CConstrJunctor::CostruisciBanchinaIsolaGoccia(const AcGePoint3dArray&, const AcGeDoubleArray&,
                                                   const AcGePoint3dArray&, const AcGeDoubleArray&, datipoli**,
                                                   datipoli**, circ*) { return false; }
bool CConstrJunctor::CerchioTangente(const circ&, const circ&, const ads_point, const ads_point, circ*) { return false; }
bool CConstrJunctor::PuntoSuCerchio(const circ&, const ads_point, const ads_point, ads_point, double) { return false; }
bool CConstrJunctor::PuntoVicinoCerchio(const circ&, const datipoli*, ads_point, double) { return false; }
