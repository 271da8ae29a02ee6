// The managed wrapper of a ring or branch edge. It never owns its native object.
#pragma once

#include "ICCiglio3D.h"
#include "GyroformFactory.h"
#include "InterfacceGyroform.h"
#include "QvObjectMgd.h"

class Ciglio3D : public QvObjectMgd, public ICiglio3D {
public:
    explicit Ciglio3D(ICCiglio3D* obj);
    // The native object; null once it is gone.
    ICCiglio3D* getPtr() override;
    // A new factory at every call.
    std::shared_ptr<GyroformFactory> getQvObjectFactory() { return std::make_shared<GyroformFactory>(); }

    GF_METODI_CIGLIO3D(GF_OVERRIDE_N, GF_NIENTE, GF_OVERRIDE_G)
};
