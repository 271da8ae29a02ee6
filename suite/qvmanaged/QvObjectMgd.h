// The base of every managed wrapper: it holds the native object in _qvObj
// and never owns it.
#pragma once

#include "IQvObjectMgd.h"
#include "ManagedRuntime.h"

class QvObjectMgd : public virtual IQvObjectMgd {
public:
    explicit QvObjectMgd(IQvObject* obj) : _qvObj(obj) {}

    IQvObject* GetQvObject() const override { return _qvObj; }
    int GetTipo() override;
    std::shared_ptr<DatoMgd> GetDato(int id) override;
    int SetDato(std::shared_ptr<DatoMgd> dato) override;
    std::shared_ptr<CADDatoArrayMgd> GetElencoDati() override;
    std::wstring GetDatoStringa(int id, int modo, int decimali) override;

    IQvObject* _qvObj;

protected:
    // The native object; a call on a wrapper without one raises
    // NullReferenceException, as the runtime does.
    IQvObject* Nativo() const;
};
