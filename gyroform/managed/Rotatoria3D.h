// The managed wrapper of a 3D roundabout; liberaPtr ends the native roundabout. It never owns its native object.
#pragma once

#include "ICRotatoria3D.h"
#include "GyroformFactory.h"
#include "InterfacceGyroform.h"
#include "QvObjectMgd.h"

class Rotatoria3D : public QvObjectMgd, public IRotatoria3D {
public:
    explicit Rotatoria3D(ICRotatoria3D* obj);
    // The native object; null once it is gone.
    ICRotatoria3D* getPtr() override;
    // A new factory at every call.
    std::shared_ptr<GyroformFactory> getQvObjectFactory() { return std::make_shared<GyroformFactory>(); }

    GF_METODI_ROTATORIA3D(GF_OVERRIDE_N, GF_NIENTE, GF_OVERRIDE_G)
};
