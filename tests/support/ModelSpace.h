// Appends an entity to a block of a drawing (model space by default), closes
// both and answers its id: the step every drawing test starts from.
#pragma once

#include <gtest/gtest.h>

#include <arx.h>

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
