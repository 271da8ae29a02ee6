// Appends an entity to a block of a drawing (model space by default), closes
// both and answers its id: the step every drawing test starts from. And the
// ids a whole-drawing selection answers.
#pragma once

#include <gtest/gtest.h>

#include <arx.h>

#include <vector>

inline AcDbObjectId AppendToBlock(AcDbDatabase* db, AcDbEntity* e, const wchar_t* block = ACDB_MODEL_SPACE) {
    AcDbBlockTable* bt = nullptr;
    EXPECT_EQ(db->getBlockTable(bt, AcDb::kForRead), Acad::eOk);
    AcDbBlockTableRecord* rec = nullptr;
    EXPECT_EQ(bt->getAt(block, rec, AcDb::kForWrite), Acad::eOk);
    bt->close();
    AcDbObjectId id;
    EXPECT_EQ(rec->appendAcDbEntity(id, e), Acad::eOk);
    e->close();
    rec->close();
    return id;
}

// The entities of a selection set just made (`result` the maker's answer),
// in its order; the set is freed. None when the maker failed.
inline std::vector<AcDbObjectId> SetIds(int result, const ads_name ss) {
    std::vector<AcDbObjectId> out;
    if (result != RTNORM) return out;
    Adesk::Int32 n = 0;
    acedSSLength(ss, &n);
    for (Adesk::Int32 i = 0; i < n; ++i) {
        ads_name e;
        AcDbObjectId id;
        if (acedSSName(ss, i, e) == RTNORM && acdbGetObjectId(id, e) == Acad::eOk) out.push_back(id);
    }
    acedSSFree(ss);
    return out;
}

// The entities of the working drawing that pass the filter ("_X"), in the
// selection's order.
inline std::vector<AcDbObjectId> SelectAll(const resbuf* filter) {
    ads_name ss;
    return SetIds(acedSSGet(L"_X", nullptr, nullptr, filter, ss), ss);
}

// Gives an entity of the drawing extended data from a chain built by the
// caller (released here).
inline void SetXDataOf(AcDbObjectId id, resbuf* chain) {
    AcDbObject* o = nullptr;
    ASSERT_EQ(acdbOpenObject(o, id, AcDb::kForWrite), Acad::eOk);
    EXPECT_EQ(o->setXData(chain), Acad::eOk);
    o->close();
    acutRelRb(chain);
}
