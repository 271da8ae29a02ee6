// The managed factory of the roundabout module: makes roundabouts through
// the module's constructor and wraps the module's objects in their managed
// classes (any other object as the base factory does).
#pragma once

#include <memory>

#include "QvEngineeringFactory.h"

class IQvObject;
class IRotatoria3D;

class GyroformFactory : public QvEngineeringFactory {
public:
    // 29000 Rotatoria3D; 29001, 29002 Ciglio3D; 29003 to 29008 and 29010
    // PuntoCiglio; 29009 AsseRamo; others the base factory's; null for null.
    static std::shared_ptr<IQvObjectMgd> getIQvObjectWrapper(IQvObject* obj);
    // A new roundabout, which belongs to the caller until its liberaPtr; null
    // when the module has not started.
    static std::shared_ptr<IRotatoria3D> allocaRotatoria();

    std::shared_ptr<IQvObjectMgd> GetIQvObjectWrapper(IQvObject* obj) override { return getIQvObjectWrapper(obj); }
    std::shared_ptr<IQvObjectMgd> AllocaIQvObject(int tipo) override;
};
