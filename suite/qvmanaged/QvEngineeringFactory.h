// The suite's base factory of wrappers: a group (kind 1700) becomes a
// QvGroupMgd, any other object a plain QvObjectMgd.
#pragma once

#include "IQvObjectMgd.h"

class QvEngineeringFactory : public IQvFactory {
public:
    static std::shared_ptr<IQvObjectMgd> getIQvObjectWrapper(IQvObject* obj);

    std::shared_ptr<IQvObjectMgd> GetIQvObjectWrapper(IQvObject* obj) override { return getIQvObjectWrapper(obj); }
    // Through the suite's engineering constructor.
    std::shared_ptr<IQvObjectMgd> AllocaIQvObject(int tipo) override;
};
