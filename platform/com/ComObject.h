// Reference counting shared by the platform's COM objects: one count for all
// the interfaces an object implements, and the live-object count of Com.
#pragma once

#include "ComRuntime.h"

namespace vplat {

template <class... Interfaces>
class ComObject : public Interfaces... {
public:
    ComObject() { Com::ObjectCreated(); }
    virtual ~ComObject() { Com::ObjectDestroyed(); }
    ComObject(const ComObject&) = delete;
    ComObject& operator=(const ComObject&) = delete;
    STDMETHOD_(ULONG, AddRef)() override { return ++m_refs; }
    STDMETHOD_(ULONG, Release)() override {
        ULONG left = --m_refs;
        if (left == 0) delete this;
        return left;
    }

protected:
    // Hands out one of the object's interfaces, AddRef'd.
    HRESULT Give(IUnknown* itf, void** object) {
        *object = itf;
        itf->AddRef();
        return S_OK;
    }

private:
    ULONG m_refs = 1;
};

}  // namespace vplat
