#include "CObject.h"

#include <new>

#include "CException.h"

const CRuntimeClass CObject::classCObject = {"CObject", static_cast<int>(sizeof(CObject)), nullptr, nullptr};

CObject* CRuntimeClass::CreateObject() const {
    if (!m_pfnCreateObject) return nullptr;
    try {
        return m_pfnCreateObject();
    } catch (const std::bad_alloc&) {
        AfxThrowMemoryException();
    }
}
