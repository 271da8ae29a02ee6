// The left-turn storage lane and the lane records of the main alignment.
#include "CConstrJunctor.h"

bool CConstrJunctor::CalcolaCorsiaAccumulo() { return false; }
bool CConstrJunctor::CalcolaCorsiaAccumuloUrbana() { return false; }
bool CConstrJunctor::CalcolaAllargamento(const ads_point, double, double, double, double, const datipoli*,
                                         AcGePoint3dArray&, AcGeDoubleArray&) { return false; }
bool CConstrJunctor::CostruisciCorsiaAccumulo() { return false; }
bool CConstrJunctor::RegistraCorsiaAccumulo() { return false; }
bool CConstrJunctor::DisegnaCorsiaAccumulo() { return false; }
bool CConstrJunctor::RegistraCorsieImmUsc() { return false; }
