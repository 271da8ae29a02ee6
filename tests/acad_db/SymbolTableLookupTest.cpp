// Names looked up in a symbol table: the table's map by name must answer as
// a walk of its records would, through adding, renaming, erasing and
// restoring records.
#include "DrawingFixture.h"

namespace {

AcDbObjectId Walk(const AcDbSymbolTable* t, const std::wstring& name) {
    for (AcDbObjectId id : t->recordIds()) {
        auto* r = vplat::Peek<AcDbSymbolTableRecord>(id);
        if (r && !r->isErased() && vplat::EqualNoCase(r->name(), name)) return id;
    }
    return {};
}

AcDbObjectId AddNamed(AcDbDatabase* db, const wchar_t* name) {
    AcDbLayerTable* lt = nullptr;
    db->getLayerTable(lt, AcDb::kForWrite);
    auto* l = new AcDbLayerTableRecord;
    l->setName(name);
    AcDbObjectId id;
    EXPECT_EQ(lt->add(id, l), Acad::eOk) << vplat::WideToUtf8(name);
    l->close();
    lt->close();
    return id;
}

}  // namespace

TEST_F(DrawingTest, LayerLookupsByNameFollowEveryChange) {
    auto* table = vplat::Peek<AcDbLayerTable>(db()->layerTableId());
    const std::vector<std::wstring> names = {L"0", L"strade", L"STRADE", L"Cigli", L"cigli", L"Banchine", L"Assi",
                                             L"nessuno"};
    auto check = [&](const char* step) {
        for (const auto& n : names)
            EXPECT_EQ(table->find(n), Walk(table, n)) << step << ": " << vplat::WideToUtf8(n);
    };
    auto edit = [&](AcDbObjectId id, const std::function<void(AcDbLayerTableRecord*)>& change) {
        AcDbLayerTableRecord* r = nullptr;
        ASSERT_EQ(acdbOpenObject(r, id, AcDb::kForWrite, true), Acad::eOk);
        change(r);
        r->close();
    };
    check("a new drawing");
    AcDbObjectId strade = AddNamed(db(), L"Strade");
    AcDbObjectId cigli = AddNamed(db(), L"CIGLI");
    check("two layers added");
    EXPECT_EQ(table->find(L"strade"), strade);

    edit(strade, [](AcDbLayerTableRecord* r) { EXPECT_EQ(r->setName(L"Banchine"), Acad::eOk); });
    check("renamed");
    EXPECT_TRUE(table->find(L"Strade").isNull());
    EXPECT_EQ(table->find(L"BANCHINE"), strade);

    edit(cigli, [](AcDbLayerTableRecord* r) { EXPECT_EQ(r->erase(), Acad::eOk); });
    check("erased");
    EXPECT_TRUE(table->find(L"cigli").isNull());
    // The name is free again; when the erased one comes back, the first in
    // the table's order is found.
    AcDbObjectId second = AddNamed(db(), L"cigli");
    check("the name taken again");
    EXPECT_EQ(table->find(L"Cigli"), second);
    edit(cigli, [](AcDbLayerTableRecord* r) { EXPECT_EQ(r->erase(false), Acad::eOk); });
    check("restored");
    EXPECT_EQ(table->find(L"Cigli"), cigli);

    // A name taken by a rename of the record just found, and the drawing
    // saved and read again.
    edit(cigli, [](AcDbLayerTableRecord* r) { EXPECT_EQ(r->setName(L"Assi"), Acad::eOk); });
    check("renamed after a look-up");
    EXPECT_EQ(table->find(L"cigli"), second);
    auto back = RoundTrip();
    table = vplat::Peek<AcDbLayerTable>(back->layerTableId());
    check("read back");
    EXPECT_FALSE(table->find(L"assi").isNull());
}
