#include "QvEngineeringFactory.h"

#include "QvGroupMgd.h"
#include "IQvObject_Group.h"
#include "QvEngineeringConstructor.h"

std::shared_ptr<IQvObjectMgd> QvEngineeringFactory::getIQvObjectWrapper(IQvObject* obj) {
    if (!obj) return nullptr;
    if (obj->GetTipo() == QV_TIPO_GRUPPO) return std::make_shared<QvGroupMgd>(static_cast<IQvObject_Group*>(obj));
    return std::make_shared<QvObjectMgd>(obj);
}

std::shared_ptr<IQvObjectMgd> QvEngineeringFactory::AllocaIQvObject(int tipo) {
    return GetIQvObjectWrapper(QvEngineeringConstructor::Alloca(tipo, nullptr));
}
