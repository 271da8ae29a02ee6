// The base of every object of the drawing database: identity, owner, open
// state, erasure and extended data. Properties are kept by DXF group code.
#pragma once

#include <string>
#include <vector>

#include "AcDbObjectId.h"
#include "AcadErrors.h"
#include "AdsDef.h"
#include "DxfTag.h"

// Run-time class members of a database class.
#define VPLAT_DB_CLASS(T)                                                           \
public:                                                                             \
    static AcRxClass* desc();                                                       \
    AcRxClass* isA() const override { return desc(); }                              \
    static T* cast(const AcRxObject* o) {                                           \
        return o && o->isKindOf(desc()) ? const_cast<T*>(static_cast<const T*>(o)) : nullptr; \
    }

#define VPLAT_DB_CLASS_IMPL(T, P)                    \
    AcRxClass* T::desc() {                           \
        static AcRxClass c(L## #T, P::desc());       \
        return &c;                                   \
    }

namespace vplat {
// One application's extended data: the items after its 1001 name.
struct XDataGroup {
    std::wstring app;
    DxfTags items;
};
// The chain of the groups (all, or of one application), 1001 name first.
resbuf* XDataChain(const std::vector<XDataGroup>& groups, const ACHAR* app);
}  // namespace vplat

class AcDbObject : public AcRxObject {
    VPLAT_DB_CLASS(AcDbObject)
public:
    AcDbObject() = default;
    AcDbObject(const AcDbObject&) = delete;
    AcDbObject& operator=(const AcDbObject&) = delete;
    ~AcDbObject() override;

    AcDbObjectId objectId() const;
    AcDbObjectId ownerId() const { return m_owner; }
    Acad::ErrorStatus setOwnerId(AcDbObjectId owner);
    AcDbDatabase* database() const;
    void getAcDbHandle(AcDbHandle& handle) const;
    bool isNewObject() const { return m_stub == nullptr; }

    bool isErased() const;
    // Marks the object erased (or brings it back); it must be open for write.
    Acad::ErrorStatus erase(bool erasing = true);

    Acad::ErrorStatus close();
    Acad::ErrorStatus upgradeOpen();
    Acad::ErrorStatus downgradeOpen();
    bool isReadEnabled() const;
    bool isWriteEnabled() const;

    // The extended data of one application (1001 name first), or of all of
    // them when the name is null; null when there is none. The caller releases
    // the chain with acutRelRb.
    resbuf* xData(const ACHAR* regappName = nullptr) const;
    // Replaces, for each application named in the chain, that application's
    // data; an application given with no items loses its data. Others stay.
    Acad::ErrorStatus setXData(const resbuf* xdata);

    // Stand-in internals: the object's properties by group code, its DXF kind,
    // the objects it owns (vertices, attributes, end marker).
    virtual const wchar_t* dxfName() const = 0;
    vplat::DxfTags& data() { return m_data; }
    const vplat::DxfTags& data() const { return m_data; }
    std::vector<vplat::XDataGroup>& xdataGroups() { return m_xdata; }
    const std::vector<vplat::XDataGroup>& xdataGroups() const { return m_xdata; }
    virtual void subObjects(std::vector<AcDbObject*>& out) const { (void)out; }

    vplat::DbStub* m_stub = nullptr;
    AcDbObjectId m_owner;
    int m_readers = 0;
    bool m_writer = false;
    bool m_erased = false;
    uint64_t m_fileHandle = 0;  // the handle a drawing file gave it, while it is read

protected:
    Acad::ErrorStatus assertReadEnabled() const;
    Acad::ErrorStatus assertWriteEnabled() const;
    // The database the object is in, or the working one while it is new.
    AcDbDatabase* databaseOrWorking() const;

    vplat::DxfTags m_data;
    std::vector<vplat::XDataGroup> m_xdata;
};

// Opening objects by id. A conflicting open fails: a second writer, a writer
// while readers hold it, a reader while a writer holds it.
Acad::ErrorStatus acdbOpenAcDbObject(AcDbObject*& obj, AcDbObjectId id, AcDb::OpenMode mode,
                                     bool openErased = false);

template <typename T>
Acad::ErrorStatus acdbOpenObject(T*& obj, AcDbObjectId id, AcDb::OpenMode mode, bool openErased = false) {
    obj = nullptr;
    AcDbObject* o = nullptr;
    Acad::ErrorStatus es = acdbOpenAcDbObject(o, id, mode, openErased);
    if (es != Acad::eOk) return es;
    T* t = T::cast(o);
    if (!t) {
        o->close();
        return Acad::eNotThatKindOfClass;
    }
    obj = t;
    return Acad::eOk;
}

namespace vplat {
// A result buffer holding one group of drawing data (binary chunks come from
// their hexadecimal text); null when memory runs out.
resbuf* NewResbuf(const DxfTag& tag);

// What stands behind an object id.
struct DbStub {
    AcDbDatabase* db = nullptr;
    uint64_t handle = 0;
    AcDbObject* object = nullptr;  // owned by the database
};
}  // namespace vplat
