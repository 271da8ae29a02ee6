// Symbol tables (blocks, layers, registered applications) and their records,
// and the layouts of paper space. Names are compared without regard to case.
#pragma once

#include <string_view>
#include <unordered_map>
#include <vector>

#include "AcDbEntity.h"

#define ACDB_MODEL_SPACE L"*Model_Space"
#define ACDB_PAPER_SPACE L"*Paper_Space"

namespace vplat {

// The tables whose records are named.
enum class SymbolTable { Layer, Block, RegApp };
// Why a text cannot name a record of that table, "" when it can: it is
// empty, longer than 255 characters, or holds a character the table's names
// may not hold (<>/\":;?*|=` and, for applications, the comma). A block's
// name may start with "*": anonymous and layout blocks.
std::wstring SymbolNameProblem(std::wstring_view name, SymbolTable table);

}  // namespace vplat

class AcDbSymbolTableRecord : public AcDbObject {
    VPLAT_DB_CLASS(AcDbSymbolTableRecord)
public:
    // A copy the caller frees with acutDelString.
    Acad::ErrorStatus getName(ACHAR*& name) const;
    Acad::ErrorStatus getName(const ACHAR*& name) const;
    Acad::ErrorStatus setName(const ACHAR* name);
    const std::wstring& name() const { return m_name; }
    void setNameRaw(const std::wstring& name);

protected:
    std::wstring m_name;
};

class AcDbBlockTableRecordIterator;

class AcDbBlockTableRecord : public AcDbSymbolTableRecord {
    VPLAT_DB_CLASS(AcDbBlockTableRecord)
public:
    AcDbBlockTableRecord();
    const wchar_t* dxfName() const override { return L"BLOCK_RECORD"; }
    // The entity joins the block's drawing and stays open for write; the
    // record must be open for write.
    Acad::ErrorStatus appendAcDbEntity(AcDbObjectId& id, AcDbEntity* entity);
    Acad::ErrorStatus appendAcDbEntity(AcDbEntity* entity);
    Acad::ErrorStatus newIterator(AcDbBlockTableRecordIterator*& it, bool atBeginning = true,
                                  bool skipDeleted = true) const;
    AcGePoint3d origin() const;
    Acad::ErrorStatus setOrigin(const AcGePoint3d& p);
    bool isAnonymous() const;
    bool isLayout() const { return !m_layout.isNull(); }
    AcDbObjectId getLayoutId() const { return m_layout; }
    bool hasAttributeDefinitions() const;
    // An external reference: a block standing for another drawing, whose
    // path it keeps.
    bool isFromExternalReference() const;
    std::wstring pathName() const;

    // Stand-in internals: the entities in creation order. Erased ones stay
    // until they are as many as the live ones; the next append then drops
    // them, so a block redrawn again and again does not grow.
    std::vector<AcDbObjectId>& entityIds() { return m_entities; }
    const std::vector<AcDbObjectId>& entityIds() const { return m_entities; }
    void setLayoutIdRaw(AcDbObjectId id) { m_layout = id; }
    // A layout's paper block gets its overall viewport (number 1, the sheet
    // of paper) when it has none: when the layout is first made current, or
    // before its first other viewport.
    void ensureOverallViewport();
    // Puts an entity restored from erasure back into the list, at its place
    // by handle, when the list dropped it.
    void restoreEntity(AcDbObjectId id);

private:
    // The highest number of the block's viewports, 0 without one.
    int highestViewportNumber() const;
    void joinEntity(AcDbObjectId& id, AcDbEntity* e);

    std::vector<AcDbObjectId> m_entities;
    size_t m_nextCompaction = 64;
    AcDbObjectId m_layout;
};

class AcDbBlockTableRecordIterator {
public:
    AcDbBlockTableRecordIterator(std::vector<AcDbObjectId> ids, bool skipDeleted);
    void start(bool atBeginning = true, bool skipDeleted = true);
    bool done() const { return m_pos >= m_ids.size(); }
    void step(bool forward = true, bool skipDeleted = true);
    Acad::ErrorStatus getEntityId(AcDbObjectId& id) const;
    Acad::ErrorStatus getEntity(AcDbEntity*& entity, AcDb::OpenMode mode, bool openErased = false) const;

private:
    void skip();
    std::vector<AcDbObjectId> m_ids;
    size_t m_pos = 0;
    bool m_skipDeleted;
};

class AcDbLayerTableRecord : public AcDbSymbolTableRecord {
    VPLAT_DB_CLASS(AcDbLayerTableRecord)
public:
    AcDbLayerTableRecord();
    const wchar_t* dxfName() const override { return L"LAYER"; }
    bool isFrozen() const;
    Acad::ErrorStatus setIsFrozen(bool frozen);
    bool isOff() const;
    void setIsOff(bool off);
    bool isLocked() const;
    void setIsLocked(bool locked);
    bool isPlottable() const;
    Acad::ErrorStatus setIsPlottable(bool plottable);
    AcCmColor color() const;
    void setColor(const AcCmColor& color);
};

class AcDbRegAppTableRecord : public AcDbSymbolTableRecord {
    VPLAT_DB_CLASS(AcDbRegAppTableRecord)
public:
    const wchar_t* dxfName() const override { return L"APPID"; }
};

class AcDbSymbolTableIterator {
public:
    explicit AcDbSymbolTableIterator(std::vector<AcDbObjectId> ids) : m_ids(std::move(ids)) {}
    void start() { m_pos = 0; }
    bool done() const { return m_pos >= m_ids.size(); }
    void step() { ++m_pos; }
    Acad::ErrorStatus getRecordId(AcDbObjectId& id) const;

private:
    std::vector<AcDbObjectId> m_ids;
    size_t m_pos = 0;
};

class AcDbSymbolTable : public AcDbObject {
    VPLAT_DB_CLASS(AcDbSymbolTable)
public:
    Acad::ErrorStatus getAt(const ACHAR* name, AcDbObjectId& id, bool getErasedRecord = false) const;
    Acad::ErrorStatus getAt(const ACHAR* name, AcDbSymbolTableRecord*& record, AcDb::OpenMode mode,
                            bool openErased = false) const;
    bool has(const ACHAR* name) const;
    bool has(AcDbObjectId id) const;
    // The table must be open for write; names are unique without regard to
    // case, and a name the table's names may not be is refused.
    Acad::ErrorStatus add(AcDbSymbolTableRecord* record);
    Acad::ErrorStatus add(AcDbObjectId& id, AcDbSymbolTableRecord* record);
    Acad::ErrorStatus newIterator(AcDbSymbolTableIterator*& it, bool atBeginning = true,
                                  bool skipDeleted = true) const;

    // Stand-in internals.
    std::vector<AcDbObjectId>& recordIds() { return m_records; }
    const std::vector<AcDbObjectId>& recordIds() const { return m_records; }
    // The record of that name (case ignored) that is not erased, or null.
    AcDbObjectId find(const std::wstring& name) const;
    // A record of the table was renamed: the names are looked at again.
    void namesChanged() const;

    // Which table this is.
    virtual vplat::SymbolTable kind() const = 0;

protected:
    virtual bool accepts(const AcDbSymbolTableRecord* record) const = 0;

private:
    std::vector<AcDbObjectId> m_records;
    // The records by their name in lower case, in the table's order; records
    // are taken in when first looked for, and never dropped (an erased one
    // is passed over, and may come back).
    mutable std::unordered_map<std::wstring, std::vector<AcDbObjectId>> m_byName;
    mutable size_t m_named = 0;  // how many of m_records are in m_byName
};

template <typename Record>
class AcDbTypedSymbolTable : public AcDbSymbolTable {
public:
    using AcDbSymbolTable::getAt;
    Acad::ErrorStatus getAt(const ACHAR* name, Record*& record, AcDb::OpenMode mode, bool openErased = false) const {
        record = nullptr;
        AcDbObjectId id;
        Acad::ErrorStatus es = getAt(name, id, openErased);
        if (es != Acad::eOk) return es;
        return acdbOpenObject(record, id, mode, openErased);
    }

protected:
    bool accepts(const AcDbSymbolTableRecord* r) const override { return Record::cast(r) != nullptr; }
};

class AcDbBlockTable : public AcDbTypedSymbolTable<AcDbBlockTableRecord> {
    VPLAT_DB_CLASS(AcDbBlockTable)
public:
    vplat::SymbolTable kind() const override { return vplat::SymbolTable::Block; }
    const wchar_t* dxfName() const override { return L"BLOCK_RECORD"; }
};

class AcDbLayerTable : public AcDbTypedSymbolTable<AcDbLayerTableRecord> {
    VPLAT_DB_CLASS(AcDbLayerTable)
public:
    vplat::SymbolTable kind() const override { return vplat::SymbolTable::Layer; }
    const wchar_t* dxfName() const override { return L"LAYER"; }
};

class AcDbRegAppTable : public AcDbTypedSymbolTable<AcDbRegAppTableRecord> {
    VPLAT_DB_CLASS(AcDbRegAppTable)
public:
    vplat::SymbolTable kind() const override { return vplat::SymbolTable::RegApp; }
    const wchar_t* dxfName() const override { return L"APPID"; }
};

// A layout of paper space (or the model tab), with its own block.
class AcDbLayout : public AcDbObject {
    VPLAT_DB_CLASS(AcDbLayout)
public:
    const wchar_t* dxfName() const override { return L"LAYOUT"; }
    Acad::ErrorStatus getLayoutName(const ACHAR*& name) const;
    Acad::ErrorStatus setLayoutName(const ACHAR* name);
    AcDbObjectId getBlockTableRecordId() const { return m_block; }
    Acad::ErrorStatus setBlockTableRecordId(AcDbObjectId id);
    int getTabOrder() const { return m_tabOrder; }
    void setTabOrder(int order);
    bool modelType() const;
    const std::wstring& name() const { return m_name; }

private:
    std::wstring m_name;
    AcDbObjectId m_block;
    int m_tabOrder = 0;
};
