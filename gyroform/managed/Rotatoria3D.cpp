#include "Rotatoria3D.h"

#include "GyroformConstructor.h"
#include "Inoltro.h"

Rotatoria3D::Rotatoria3D(ICRotatoria3D* obj) : QvObjectMgd(obj) {}

ICRotatoria3D* Rotatoria3D::getPtr() { return static_cast<ICRotatoria3D*>(_qvObj); }

GF_METODI_ROTATORIA3D(GF_CORPO_N, GF_NIENTE, GF_NIENTE)

void Rotatoria3D::liberaPtr() {
    // The module's constructor, made here, frees the roundabout with all it holds.
    GyroformConstructor costruttore;
    IQvObject* rotatoria = _qvObj;
    costruttore.Libera(&rotatoria);
    _qvObj = nullptr;
}
