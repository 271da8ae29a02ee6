#include "IndicePunti.h"

bool IndicePuntoPiuVicino(const AcGePoint3dArray& punti, const ads_point riferimento, int& indice) {
    if (punti.isEmpty()) return false;
    AcGePoint3d r(riferimento[0], riferimento[1], riferimento[2]);
    indice = 0;
    double migliore = punti[0].distanceTo(r);
    for (int i = 1; i < punti.length(); ++i) {
        double d = punti[i].distanceTo(r);
        if (d <= migliore) {
            migliore = d;
            indice = i;
        }
    }
    return true;
}

bool IndicePuntoPiuLontano(const AcGePoint3dArray& punti, const ads_point riferimento, int& indice) {
    if (punti.isEmpty()) return false;
    AcGePoint3d r(riferimento[0], riferimento[1], riferimento[2]);
    if (punti.length() == 1) {
        indice = 0;
        return true;
    }
    double migliore = punti[0].distanceTo(r);
    for (int i = 1; i < punti.length(); ++i) {
        double d = punti[i].distanceTo(r);
        if (d > migliore) {
            migliore = d;
            indice = i;
        }
    }
    return true;
}
