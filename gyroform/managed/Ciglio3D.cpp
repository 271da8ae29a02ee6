#include "Ciglio3D.h"

#include "GyroformCodici.h"
#include "Inoltro.h"

Ciglio3D::Ciglio3D(ICCiglio3D* obj) : QvObjectMgd(obj) {}

ICCiglio3D* Ciglio3D::getPtr() { return static_cast<ICCiglio3D*>(_qvObj); }

GF_METODI_CIGLIO3D(GF_CORPO_N, GF_NIENTE, GF_NIENTE)

// The edge is asked in plan: the point's elevation is not passed.
int Ciglio3D::getProgDaPunto(double& progMgd, Point3DMgd pnt) {
    Point3DMgd inPianta(pnt.x, pnt.y, 0.0);
    return gfmgd::Inoltra<&Ciglio3D::getProgDaPunto>(static_cast<ICCiglio3D*>(Nativo()), &ICCiglio3D::getProgDaPunto,
                                                     std::forward_as_tuple(progMgd, inPianta));
}

// The nodes and the sections are the model's own: other edges hold
// pointers to them (partner nodes, linked sections), and the model rebuilds
// them when it reads the plan or changes the section spacing. Emptying
// them is left alone.
void Ciglio3D::svuotaGruppoPunti(int tipo) {
    if (tipo == GRUPPO_NODO || tipo == GRUPPO_CIGLIO) return;
    if (std::shared_ptr<IGroup> gruppo = getPunti(tipo)) gruppo->Empty();
}
