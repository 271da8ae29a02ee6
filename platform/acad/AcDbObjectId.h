// Object ids and handles of the drawing database.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "AcArray.h"
#include "AcRx.h"

class AcDbDatabase;
class AcDbObject;
namespace vplat {
struct DbStub;
}

namespace AcDb {
enum OpenMode { kNotOpen = -1, kForRead = 0, kForWrite = 1, kForNotify = 2 };
}

// A handle: the number that names an object in its drawing for good.
class AcDbHandle {
public:
    AcDbHandle() = default;
    AcDbHandle(uint64_t value) : m_value(value) {}
    // From hexadecimal text; bad text gives the null handle.
    explicit AcDbHandle(const ACHAR* hex);
    bool isNull() const { return m_value == 0; }
    uint64_t value() const { return m_value; }
    // Hexadecimal, upper case, as the drawing writes it.
    bool getIntoAsciiBuffer(ACHAR* buffer, size_t size) const;
    std::wstring text() const;
    bool operator==(const AcDbHandle& h) const { return m_value == h.m_value; }

private:
    uint64_t m_value = 0;
};

class AcDbObjectId {
public:
    AcDbObjectId() = default;
    static const AcDbObjectId kNull;

    bool isNull() const { return m_stub == nullptr; }
    bool isValid() const { return m_stub != nullptr; }
    bool isErased() const;
    AcDbDatabase* database() const;
    AcDbHandle handle() const;
    Adesk::IntDbId asOldId() const { return reinterpret_cast<Adesk::IntDbId>(m_stub); }
    AcDbObjectId& setFromOldId(Adesk::IntDbId oldId);
    bool operator==(const AcDbObjectId& o) const { return m_stub == o.m_stub; }
    bool operator!=(const AcDbObjectId& o) const { return m_stub != o.m_stub; }
    bool operator<(const AcDbObjectId& o) const { return m_stub < o.m_stub; }

    // Stand-in internals.
    explicit AcDbObjectId(vplat::DbStub* stub) : m_stub(stub) {}
    vplat::DbStub* stub() const { return m_stub; }

private:
    vplat::DbStub* m_stub = nullptr;
};

typedef AcArray<AcDbObjectId> AcDbObjectIdArray;
