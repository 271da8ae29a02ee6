// What the elevation tests share: rings without plane points, the points of
// an edge's groups and the elevation an edge must answer.
#pragma once

#include <cmath>

#include "ModelFixture.h"

namespace elevazioni {

// A ring about the origin through the roundabout, with its groups and no plane points.
inline CCiglioAnello3D* AnelloSenzaPiano(CRotatoria3D& r, const wchar_t* codice, double raggio) {
    auto* anello = static_cast<CCiglioAnello3D*>(modello::CreaAnello(r, codice, raggio));
    anello->creaGruppiPunti();
    anello->getPunti(5)->Empty();
    return anello;
}

// The points of one of an edge's groups, in group order.
template <typename T>
std::vector<T*> Punti(CCiglio3D* c, int gruppo) {
    std::vector<T*> out;
    for (IQvObject* o : modello::Membri(c->getPunti(gruppo))) out.push_back(static_cast<T*>(o));
    return out;
}

// The elevation of an edge at a chainage, which must be available.
inline double Quota(CCiglio3D* c, double prog) {
    double z = std::nan("");
    EXPECT_EQ(c->getQuotaDaProg(z, prog, -1), 1) << c->getDescrizione().GetString() << " " << prog;
    return z;
}

}  // namespace elevazioni
