// The managed wrapper of a point of any kind. It never owns its native object.
#pragma once

#include "ICPuntoCiglio.h"
#include "GyroformFactory.h"
#include "InterfacceGyroform.h"
#include "QvObjectMgd.h"

class PuntoCiglio : public QvObjectMgd, public IPuntoCiglio {
public:
    explicit PuntoCiglio(ICPuntoCiglio* obj);
    // The native object; null once it is gone.
    ICPuntoCiglio* getPtr() override;
    // A new factory at every call.
    std::shared_ptr<GyroformFactory> getQvObjectFactory() { return std::make_shared<GyroformFactory>(); }

    GF_METODI_PUNTOCIGLIO(GF_OVERRIDE_N, GF_NIENTE, GF_OVERRIDE_G)
};
