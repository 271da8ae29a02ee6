#include "CPrincipaleJunctor.h"

void CPrincipaleJunctor::GetAdsNameCigli(ads_name destro, ads_name sinistro) const {
    GetAdsName(kCiglioDx, destro);
    GetAdsName(kCiglioSx, sinistro);
}

double CPrincipaleJunctor::GetProgressiva(const ads_point punto) const {
    double distanza = 0, prog = 0;
    ads_point piede;
    if (!m_asse.lista) return 0;
    DistPPoly(m_asse.lista, punto, &distanza, piede, &prog, nullptr, nullptr, nullptr, 1);
    return prog;
}
