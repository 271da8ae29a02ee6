// The managed wrapper of a branch axis. It never owns its native object.
#pragma once

#include "ICAsseRamo.h"
#include "GyroformFactory.h"
#include "InterfacceGyroform.h"
#include "QvObjectMgd.h"

class AsseRamo : public QvObjectMgd, public IAsseRamo {
public:
    explicit AsseRamo(ICAsseRamo* obj);
    // The native object; null once it is gone.
    ICAsseRamo* getPtr() override;
    // A new factory at every call.
    std::shared_ptr<GyroformFactory> getQvObjectFactory() { return std::make_shared<GyroformFactory>(); }

    GF_METODI_ASSERAMO(GF_OVERRIDE_N, GF_NIENTE, GF_OVERRIDE_G)
};
