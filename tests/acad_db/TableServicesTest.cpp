#include "DrawingFixture.h"
#include "Ombrix.h"

// The layer check of the polyline helpers: an existing layer (found without
// regard to case) is thawed, switched on and unlocked; a missing one is made.
TEST_F(DrawingTest, LayerServicesFindClearFlagsAndCreate) {
    AddLayer(L"QV-CIGLI", 3);
    {
        AcDbLayerTable* lt = nullptr;
        db()->getLayerTable(lt, AcDb::kForRead);
        AcDbLayerTableRecord* l = nullptr;
        ASSERT_EQ(lt->getAt(L"QV-CIGLI", l, AcDb::kForWrite), Acad::eOk);
        lt->close();
        l->setIsFrozen(true);
        l->setIsOff(true);
        l->setIsLocked(true);
        l->close();
    }
    ITableUtils* t = Ombrix::GetTableUtils();
    ZylLayerID layer;
    ASSERT_NE(t->CercaLayer(L"qv-cigli", layer), 0);
    for (int flag : {ZYL_LAYER_SPENTO, ZYL_LAYER_CONGELATO, ZYL_LAYER_BLOCCATO})
        EXPECT_EQ(t->SetFlagLayer(layer, flag, 0), 1);
    auto* rec = vplat::Peek<AcDbLayerTableRecord>(layer.GetObjectId());
    EXPECT_FALSE(rec->isFrozen());
    EXPECT_FALSE(rec->isOff());
    EXPECT_FALSE(rec->isLocked());
    EXPECT_EQ(rec->color().colorIndex(), 3);  // the colour survives switching on and off

    ZylLayerID made;
    EXPECT_EQ(t->CercaLayer(L"QV-BANCHINE", made), 0);
    EXPECT_TRUE(made.IsNull());
    EXPECT_EQ(t->CreaLayer(L"QV-BANCHINE", CADDatoArray(), made), 1);
    EXPECT_EQ(made.GetNome(), L"QV-BANCHINE");
    EXPECT_EQ(t->CreaLayer(L"qv-banchine", CADDatoArray(), made), 0);  // already there
    // Created with properties: colour and a flag.
    CADDatoArray props;
    props.Add(62, 2);
    props.Add(ZYL_LAYER_BLOCCATO, 1);
    ZylTableRecordID plan;
    ASSERT_EQ(t->CreaRecord(ZYL_TABELLA_LAYER, L"ROT-QVRO3D-PLAN", props, plan), 1);
    auto* p = vplat::Peek<AcDbLayerTableRecord>(plan.GetObjectId());
    EXPECT_EQ(p->color().colorIndex(), 2);
    EXPECT_TRUE(p->isLocked());
    // Anonymous blocks get names of their own; names past 255 characters fail.
    CADDatoArray base;
    base.Add(10, 0.0, 0.0, 0.0);
    ZylTableRecordID b1, b2;
    ASSERT_EQ(t->CreaRecord(ZYL_TABELLA_BLOCCHI, L"*X", base, b1), 1);
    ASSERT_EQ(t->CreaRecord(ZYL_TABELLA_BLOCCHI, L"*X", base, b2), 1);
    EXPECT_NE(b1.GetNome(), b2.GetNome());
    EXPECT_NE(t->CercaRecord(ZYL_TABELLA_BLOCCHI, b1.GetNome().c_str(), b2), 0);
    EXPECT_EQ(t->CercaLayer(std::wstring(256, L'L').c_str(), made), 0);
}

// Entries keep their kinds; HasTipo walks from an index; nested arrays are
// copied with their owner.
TEST(CADDatoArrayTest, EntriesLookupAndCopies) {
    CADDatoArray a;
    a.Add(8, L"QV-CIGLI");
    a.Add(10, 1.0, 2.0, 3.0);
    a.Add(42, 0.5);
    a.Add(10, 4.0, 5.0, 6.0);
    a.Add(1071, 7);
    a.AddRichiesta(-3);
    CADDatoArray tags;
    tags.Add(2, L"SCALEDISTR");
    a.Add(2, tags);
    int i = 0;
    ASSERT_TRUE(a.HasTipo(10, i));
    EXPECT_EQ(i, 1);
    ++i;
    ASSERT_TRUE(a.HasTipo(10, i));
    EXPECT_EQ(i, 3);
    ++i;
    EXPECT_FALSE(a.HasTipo(10, i));
    double p[3];
    a[3].GetPunto(p);
    EXPECT_EQ(p[2], 6.0);
    EXPECT_EQ(a[4].GetInt(), 7);
    EXPECT_EQ(a[4].GetDouble(), 7.0);
    EXPECT_EQ(a[5].GetTipo(), CADDatoArray::Richiesta);
    CADDatoArray copy = a;
    copy.GetArray(2)->operator[](0).SetStringa(L"ALTRO");
    EXPECT_STREQ(a.GetArray(2)->operator[](0).GetStringa(), L"SCALEDISTR");
    EXPECT_EQ(a.GetArray(99), nullptr);
}
