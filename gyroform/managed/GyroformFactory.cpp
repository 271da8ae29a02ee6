#include "GyroformFactory.h"

#include "AsseRamo.h"
#include "Ciglio3D.h"
#include "GyroformCodici.h"
#include "GyroformConstructor.h"
#include "PuntoCiglio.h"
#include "Rotatoria3D.h"

std::shared_ptr<IQvObjectMgd> GyroformFactory::getIQvObjectWrapper(IQvObject* obj) {
    if (!obj) return nullptr;
    switch (obj->GetTipo()) {
        case TIPO_ROTATORIA3D: return std::make_shared<Rotatoria3D>(static_cast<ICRotatoria3D*>(obj));
        case TIPO_CIGLIOANELLO3D:
        case TIPO_CIGLIORAMO3D: return std::make_shared<Ciglio3D>(static_cast<ICCiglio3D*>(obj));
        case TIPO_PUNTOCIGLIO:
        case TIPO_PUNTOVERTICE:
        case TIPO_PUNTOPIANO:
        case TIPO_PUNTOROTAZIONE:
        case TIPO_PUNTOVERIFICA:
        case TIPO_PUNTONODO:
        case TIPO_PUNTOSEZIONE: return std::make_shared<PuntoCiglio>(static_cast<ICPuntoCiglio*>(obj));
        case TIPO_ASSERAMO: return std::make_shared<AsseRamo>(static_cast<ICAsseRamo*>(obj));
        default: return QvEngineeringFactory::getIQvObjectWrapper(obj);
    }
}

std::shared_ptr<IQvObjectMgd> GyroformFactory::AllocaIQvObject(int tipo) {
    GyroformConstructor* costruttore = GyroformMain::getConstructor();
    return costruttore ? GetIQvObjectWrapper(costruttore->Alloca(tipo)) : nullptr;
}

std::shared_ptr<IRotatoria3D> GyroformFactory::allocaRotatoria() {
    GyroformConstructor* costruttore = GyroformMain::getConstructor();
    if (!costruttore) return nullptr;
    return std::dynamic_pointer_cast<IRotatoria3D>(getIQvObjectWrapper(costruttore->allocaRotatoria()));
}
