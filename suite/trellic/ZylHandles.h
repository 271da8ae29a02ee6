// Handles of the suite's drawing objects: a database and the records of its
// symbol tables. A default-constructed handle means none or, for a database,
// the current drawing.
#pragma once

#include <AcDbDatabase.h>

class ZylEntityID;

class ZylDatabase {
public:
    ZylDatabase() = default;
    explicit ZylDatabase(AcDbDatabase* db) : m_db(db) {}
    // The drawing meant: the given one, or the working drawing.
    AcDbDatabase* GetAcDbDatabase() const;
    // 1 with the live entity of that handle text, else 0 and none.
    int CercaEntita(const wchar_t* handle, ZylEntityID& entita) const;

private:
    AcDbDatabase* m_db = nullptr;
};

class ZylTableRecordID {
public:
    ZylTableRecordID() = default;
    explicit ZylTableRecordID(AcDbObjectId id) : m_id(id) {}
    bool IsNull() const { return m_id.isNull(); }
    AcDbObjectId GetObjectId() const { return m_id; }
    ZylDatabase GetDatabase() const { return ZylDatabase(m_id.database()); }
    // The record's name, empty for none.
    std::wstring GetNome() const;

protected:
    AcDbObjectId m_id;
};

class ZylLayerID : public ZylTableRecordID {
public:
    ZylLayerID() = default;
    explicit ZylLayerID(AcDbObjectId id) : ZylTableRecordID(id) {}
};

class ZylBlockID : public ZylTableRecordID {
public:
    ZylBlockID() = default;
    explicit ZylBlockID(AcDbObjectId id) : ZylTableRecordID(id) {}
    // The block record is in its drawing and not erased.
    bool Esiste() const { return !m_id.isNull() && !m_id.isErased(); }
};
