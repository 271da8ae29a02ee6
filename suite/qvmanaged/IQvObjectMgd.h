// The managed face of an engineering object and of a factory of wrappers.
#pragma once

#include <memory>
#include <string>

#include "DatoMgd.h"

class CADDatoArrayMgd;
class IQvObject;

class IQvObjectMgd {
public:
    virtual ~IQvObjectMgd() = default;
    // The native object, null once it is gone.
    virtual IQvObject* GetQvObject() const = 0;
    virtual int GetTipo() = 0;
    // The property of that id (an empty value when the object lacks it).
    virtual std::shared_ptr<DatoMgd> GetDato(int id) = 0;
    // 1 when set.
    virtual int SetDato(std::shared_ptr<DatoMgd> dato) = 0;
    // The property list, one entry a property in the object's order: the
    // property id as the entry's code, holding (1 the value kind of the
    // list: 1 bool, 2 int, 3 real, 4 text, 5 point, 7 angle, 11 group) and
    // (2 the label).
    virtual std::shared_ptr<CADDatoArrayMgd> GetElencoDati() = 0;
    // The property's text in a mode (labels, unit, value, format, decimals),
    // as the object gives it.
    virtual std::wstring GetDatoStringa(int id, int modo, int decimali) = 0;
};

class IQvFactory {
public:
    virtual ~IQvFactory() = default;
    // The wrapper of a native object; null for null.
    virtual std::shared_ptr<IQvObjectMgd> GetIQvObjectWrapper(IQvObject* obj) = 0;
    // A new native object of the type code, wrapped; null when none is made.
    virtual std::shared_ptr<IQvObjectMgd> AllocaIQvObject(int tipo) = 0;
};
