#include <cmath>

#include "DrawingFixture.h"

namespace {
struct OpenCase {
    AcDb::OpenMode first, second;
    Acad::ErrorStatus expected;
};
}  // namespace

// A second open that conflicts with the first fails; closing every open
// leaves nothing open (the fixture checks that at the end of each test).
TEST_F(DrawingTest, OpenModesConflict) {
    AcDbObjectId id = Append(new AcDbLine(AcGePoint3d(), AcGePoint3d(1, 0, 0)));
    const OpenCase cases[] = {{AcDb::kForRead, AcDb::kForRead, Acad::eOk},
                              {AcDb::kForRead, AcDb::kForWrite, Acad::eWasOpenForRead},
                              {AcDb::kForWrite, AcDb::kForRead, Acad::eWasOpenForWrite},
                              {AcDb::kForWrite, AcDb::kForWrite, Acad::eWasOpenForWrite}};
    for (const OpenCase& c : cases) {
        AcDbLine *a = nullptr, *b = nullptr;
        ASSERT_EQ(acdbOpenObject(a, id, c.first), Acad::eOk);
        EXPECT_EQ(acdbOpenObject(b, id, c.second), c.expected) << c.first << " then " << c.second;
        EXPECT_EQ(vplat::OpenObjects(db()).size(), 1u);
        if (b) b->close();
        a->close();
    }
    // Writing needs a write open; the wrong class is refused.
    AcDbLine* l = nullptr;
    ASSERT_EQ(acdbOpenObject(l, id, AcDb::kForRead), Acad::eOk);
    EXPECT_EQ(l->setStartPoint(AcGePoint3d(5, 5, 5)), Acad::eNotOpenForWrite);
    EXPECT_EQ(l->upgradeOpen(), Acad::eOk);
    EXPECT_EQ(l->setStartPoint(AcGePoint3d(5, 5, 5)), Acad::eOk);
    l->close();
    AcDbCircle* c = nullptr;
    EXPECT_EQ(acdbOpenObject(c, id, AcDb::kForRead), Acad::eNotThatKindOfClass);
    // An erased entity opens only when asked for erased ones.
    ASSERT_EQ(acdbOpenObject(l, id, AcDb::kForWrite), Acad::eOk);
    EXPECT_EQ(l->erase(), Acad::eOk);
    l->close();
    EXPECT_EQ(acdbOpenObject(l, id, AcDb::kForRead), Acad::eWasErased);
    ASSERT_EQ(acdbOpenObject(l, id, AcDb::kForRead, true), Acad::eOk);
    EXPECT_TRUE(l->isErased());
    l->close();
}

// setXData replaces only the applications its chain names.
TEST_F(DrawingTest, SetXDataReplacesOnlyThatApplication) {
    acdbRegApp(L"QV-VORTANA-NPOLI");
    EXPECT_EQ(acdbRegApp(L"QV-VORTANA-INTERS-T"), RTNORM);
    EXPECT_EQ(acdbRegApp(L"qv-vortana-inters-t"), RTERROR);  // already there, whatever the case
    AcDbObjectId id = Append(new AcDbLine);
    SetXData(id, acutBuildList(1001, L"QV-VORTANA-NPOLI", 1000, L"CDX", 1000, L"Asse", RTNONE));
    SetXData(id, acutBuildList(1001, L"QV-VORTANA-INTERS-T", 1000, L"1", RTNONE));
    SetXData(id, acutBuildList(1001, L"QV-VORTANA-INTERS-T", 1000, L"2", 1040, 0.5, RTNONE));
    AcDbLine* l = nullptr;
    ASSERT_EQ(acdbOpenObject(l, id, AcDb::kForWrite), Acad::eOk);
    auto items = [&](const ACHAR* app) {
        std::vector<int> codes;
        resbuf* x = l->xData(app);
        for (resbuf* rb = x; rb; rb = rb->rbnext) codes.push_back(rb->restype);
        acutRelRb(x);
        return codes;
    };
    EXPECT_EQ(items(L"QV-VORTANA-NPOLI"), (std::vector<int>{1001, 1000, 1000}));
    EXPECT_EQ(items(L"QV-VORTANA-INTERS-T"), (std::vector<int>{1001, 1000, 1040}));
    EXPECT_EQ(items(nullptr).size(), 6u);
    // Unregistered application, or an item before any application: refused,
    // nothing changes.
    resbuf* bad = acutBuildList(1001, L"QV-VORTANA-NPOLI", 1000, L"X", 1001, L"NOT-REGISTERED", 1000, L"Y", RTNONE);
    EXPECT_EQ(l->setXData(bad), Acad::eRegappIdNotFound);
    acutRelRb(bad);
    bad = acutBuildList(1000, L"orphan", RTNONE);
    EXPECT_EQ(l->setXData(bad), Acad::eInvalidInput);
    acutRelRb(bad);
    EXPECT_EQ(items(L"QV-VORTANA-NPOLI"), (std::vector<int>{1001, 1000, 1000}));
    // An application with no items loses its data.
    resbuf* clear = acutBuildList(1001, L"QV-VORTANA-NPOLI", RTNONE);
    EXPECT_EQ(l->setXData(clear), Acad::eOk);
    acutRelRb(clear);
    EXPECT_EQ(l->xData(L"QV-VORTANA-NPOLI"), nullptr);
    l->close();
}

// The append routine of the polyline helpers: lock, block table, model
// space, append, close, unlock; the vertices are walked back by iterator.
TEST_F(DrawingTest, AppendToModelSpaceAndWalkVertices) {
    AcGePoint3dArray pts;
    AcGeDoubleArray bulges;
    for (int i = 0; i < 3; ++i) {
        pts.append(AcGePoint3d(i * 10.0, i * i * 1.0, 7));
        bulges.append(i == 0 ? 0.25 : 0.0);
    }
    auto* p = new AcDb2dPolyline(AcDb::k2dSimplePoly, pts, 0, false, 0, 0, &bulges);
    AcApDocument* doc = acDocManager->document(db());
    ASSERT_NE(doc, nullptr);
    ASSERT_EQ(acDocManager->lockDocument(doc, AcAp::kWrite, nullptr, nullptr, true), Acad::eOk);
    EXPECT_EQ(vplat::DocumentLockDepth(), 1);
    AcDbObjectId id = Append(p);
    EXPECT_EQ(acDocManager->unlockDocument(doc), Acad::eOk);
    EXPECT_EQ(vplat::DocumentLockDepth(), 0);
    EXPECT_EQ(acDocManager->unlockDocument(doc), Acad::eNotApplicable);

    AcDb2dPolyline* back = nullptr;
    ASSERT_EQ(acdbOpenObject(back, id, AcDb::kForRead), Acad::eOk);
    AcDbObjectIterator* it = back->vertexIterator();
    back->close();
    std::vector<AcGePoint3d> got;
    std::vector<double> gotBulges;
    for (it->start(); !it->done(); it->step()) {
        AcDb2dVertex* v = nullptr;
        ASSERT_EQ(acdbOpenObject(v, it->objectId(), AcDb::kForRead), Acad::eOk);
        got.push_back(v->position());
        gotBulges.push_back(v->bulge());
        EXPECT_EQ(v->ownerId(), id);
        v->close();
    }
    delete it;
    // Vertices of a 2D polyline lie on its plane: the elevation is 0.
    EXPECT_EQ(got, (std::vector<AcGePoint3d>{{0, 0, 0}, {10, 1, 0}, {20, 4, 0}}));
    EXPECT_EQ(gotBulges, (std::vector<double>{0.25, 0, 0}));
    // Ids and names convert both ways; handles stay unique.
    ads_name n;
    ASSERT_EQ(acdbGetAdsName(n, id), Acad::eOk);
    AcDbObjectId again;
    ASSERT_EQ(acdbGetObjectId(again, n), Acad::eOk);
    EXPECT_EQ(again, id);
}

// Symbol names are compared without regard to case; "*X" makes a new
// anonymous block each time.
TEST_F(DrawingTest, SymbolTablesIgnoreCaseAndNameAnonymousBlocks) {
    AddLayer(L"QV-Banchine", 5);
    AcDbLayerTable* lt = nullptr;
    ASSERT_EQ(db()->getLayerTable(lt, AcDb::kForWrite), Acad::eOk);
    EXPECT_TRUE(lt->has(L"qv-banchine"));
    auto* dup = new AcDbLayerTableRecord;
    dup->setName(L"QV-BANCHINE");
    EXPECT_EQ(lt->add(dup), Acad::eDuplicateRecordName);
    delete dup;
    lt->close();
    AcDbObjectId a = AddBlock(L"*X"), b = AddBlock(L"*X");
    EXPECT_NE(vplat::Peek<AcDbBlockTableRecord>(a)->name(), vplat::Peek<AcDbBlockTableRecord>(b)->name());
    EXPECT_TRUE(vplat::Peek<AcDbBlockTableRecord>(a)->isAnonymous());
    // A new entity cannot take a layer the drawing lacks.
    AcDbLine line;
    EXPECT_EQ(line.setLayer(L"MISSING"), Acad::eKeyNotFound);
    EXPECT_EQ(line.setLayer(L"qv-banchine"), Acad::eOk);
    EXPECT_EQ(line.layerName(), L"QV-Banchine");
}

// A reference's transform places block points: scale, rotation about the
// base point, then the insertion point; attributes follow their definition.
TEST_F(DrawingTest, BlockTransformAndAttributes) {
    AcDbObjectId block = AddBlock(L"NORD");
    {
        AcDbBlockTableRecord* r = nullptr;
        acdbOpenObject(r, block, AcDb::kForWrite);
        r->setOrigin(AcGePoint3d(1, 0, 0));
        r->close();
    }
    AcDbBlockReference ref(AcGePoint3d(100, 50, 0), block);
    ref.setRotation(std::atan(1.0) * 2);
    ref.setScaleFactors(AcGeScale3d(2));
    AcGePoint3d p(3, 0, 0);
    p.transformBy(ref.blockTransform());
    EXPECT_NEAR(p.x, 100, 1e-12);
    EXPECT_NEAR(p.y, 54, 1e-12);
    AcDbAttributeDefinition def(AcGePoint3d(1, 1, 0), L"1", L"SCALEDISTR", L"Scala: ");
    AcDbAttribute att;
    ASSERT_EQ(att.setAttributeFromBlock(&def, ref.blockTransform()), Acad::eOk);
    EXPECT_STREQ(att.tagConst(), L"SCALEDISTR");
    EXPECT_NEAR(att.position().x, 98, 1e-12);
    EXPECT_NEAR(att.position().y, 50, 1e-12);
    EXPECT_NEAR(att.rotation(), std::atan(1.0) * 2, 1e-12);
}

// Layouts: a name taken answers 2; making one current makes its block the
// paper space; the model layout brings model space back.
TEST_F(DrawingTest, LayoutsAndCurrentPaperSpace) {
    EXPECT_EQ(vplat::AddLayout(db(), L"T45"), 1);
    EXPECT_EQ(vplat::AddLayout(db(), L"t45"), 2);
    EXPECT_EQ(vplat::AddLayout(db(), L"T120"), 1);
    ASSERT_TRUE(vplat::SetCurrentLayout(db(), L"T120"));
    AcDbObjectId line = Append(new AcDbLine, ACDB_PAPER_SPACE);
    ASSERT_TRUE(vplat::SetCurrentLayout(db(), L"T45"));
    EXPECT_EQ(vplat::CurrentLayoutName(db()), L"T45");
    auto* owner = vplat::Peek<AcDbBlockTableRecord>(vplat::Peek<AcDbLine>(line)->ownerId());
    auto* layout = vplat::Peek<AcDbLayout>(owner->getLayoutId());
    EXPECT_EQ(layout->name(), L"T120");
    EXPECT_FALSE(vplat::SetCurrentLayout(db(), L"T999"));
    ASSERT_TRUE(vplat::SetCurrentLayout(db(), L"Model"));
    EXPECT_TRUE(db()->tilemode());
}

// A title-block drawing read from its file and inserted as a block: its
// model space, layers and applications come across; a second insert
// redefines the block.
TEST_F(DrawingTest, InsertReadsADrawingAsABlock) {
    std::string path = ::testing::TempDir() + "Cartiglio.dwg";
    {
        AcDbDatabase src;
        acdbHostApplicationServices()->setWorkingDatabase(&src);
        acdbRegApp(L"QV-TITOLO");
        AcDbLayerTable* lt = nullptr;
        src.getLayerTable(lt, AcDb::kForWrite);
        auto* l = new AcDbLayerTableRecord;
        l->setName(L"CARTIGLIO");
        AcCmColor c;
        c.setColorIndex(4);
        l->setColor(c);
        lt->add(l);
        l->close();
        lt->close();
        AcDbBlockTable* bt = nullptr;
        src.getBlockTable(bt, AcDb::kForRead);
        AcDbBlockTableRecord* ms = nullptr;
        bt->getAt(ACDB_MODEL_SPACE, ms, AcDb::kForWrite);
        bt->close();
        auto* def = new AcDbAttributeDefinition(AcGePoint3d(5, 5, 0), L"01", L"TAVOLA", L"Tavola: ");
        def->setLayer(L"CARTIGLIO");
        ms->appendAcDbEntity(def);
        resbuf* x = acutBuildList(1001, L"QV-TITOLO", 1000, L"v1", RTNONE);
        def->setXData(x);
        acutRelRb(x);
        def->close();
        auto* frame = new AcDbLine(AcGePoint3d(), AcGePoint3d(420, 297, 0));
        ms->appendAcDbEntity(frame);
        frame->close();
        ms->close();
        std::wstring wpath = vplat::ToWindowsPath(path);
        ASSERT_EQ(src.dxfOut(wpath.c_str()), Acad::eOk);
        EXPECT_TRUE(vplat::OpenObjects(&src).empty());
        acdbHostApplicationServices()->setWorkingDatabase(db());
    }
    for (int round = 0; round < 2; ++round) {
        AcDbDatabase read(false);
        std::wstring wpath = vplat::ToWindowsPath(path);
        ASSERT_EQ(read.readDwgFile(wpath.c_str(), 1), Acad::eOk);
        AcDbObjectId block;
        ASSERT_EQ(db()->insert(block, L"Cartiglio", &read), Acad::eOk);
        auto* rec = vplat::Peek<AcDbBlockTableRecord>(block);
        EXPECT_TRUE(rec->hasAttributeDefinitions());
        size_t live = 0;
        for (AcDbObjectId id : rec->entityIds()) live += id.isErased() ? 0 : 1;
        EXPECT_EQ(live, 2u);
    }
    auto* lt = vplat::Peek<AcDbLayerTable>(db()->layerTableId());
    auto* layer = vplat::Peek<AcDbLayerTableRecord>(lt->find(L"CARTIGLIO"));
    ASSERT_NE(layer, nullptr);
    EXPECT_EQ(layer->color().colorIndex(), 4);
    EXPECT_TRUE(vplat::Peek<AcDbRegAppTable>(db()->regAppTableId())->has(L"QV-TITOLO"));
}

// A block whose entities are erased and drawn again, round after round,
// keeps a bounded list: erased entities leave it, the live ones keep their
// creation order.
TEST_F(DrawingTest, BlockRedrawnManyTimesDoesNotGrow) {
    AcDbObjectId primo = Append(new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(1, 0, 0)));
    std::vector<AcDbObjectId> vivi;
    for (int giro = 0; giro < 200; ++giro) {
        for (AcDbObjectId id : vivi) {
            AcDbEntity* e = nullptr;
            ASSERT_EQ(acdbOpenObject(e, id, AcDb::kForWrite), Acad::eOk);
            e->erase();
            e->close();
        }
        vivi.clear();
        for (int k = 0; k < 50; ++k) vivi.push_back(Append(new AcDbLine(AcGePoint3d(k, 0, 0), AcGePoint3d(k, 1, 0))));
    }
    auto* bt = vplat::Peek<AcDbBlockTable>(db()->blockTableId());
    auto* ms = vplat::Peek<AcDbBlockTableRecord>(bt->find(ACDB_MODEL_SPACE));
    EXPECT_LE(ms->entityIds().size(), 2 * 51u + 64u);
    std::vector<AcDbObjectId> visti;
    for (AcDbObjectId id : ms->entityIds())
        if (!id.isErased()) visti.push_back(id);
    std::vector<AcDbObjectId> attesi = {primo};
    attesi.insert(attesi.end(), vivi.begin(), vivi.end());
    EXPECT_EQ(visti, attesi);
}

// An entity erased, dropped from its block's list by later appends, then
// restored (as the entity service's delete toggle does) is in the block
// again at its place.
TEST_F(DrawingTest, EntityRestoredAfterItsBlockDroppedItComesBack) {
    AcDbObjectId primo = Append(new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(1, 0, 0)));
    AcDbObjectId tolto = Append(new AcDbLine(AcGePoint3d(0, 5, 0), AcGePoint3d(1, 5, 0)));
    auto cambia = [](AcDbObjectId id, bool cancella) {
        AcDbEntity* e = nullptr;
        ASSERT_EQ(acdbOpenObject(e, id, AcDb::kForWrite, true), Acad::eOk);
        EXPECT_EQ(e->erase(cancella), Acad::eOk);
        e->close();
    };
    cambia(tolto, true);
    std::vector<AcDbObjectId> altri;
    for (int k = 0; k < 300; ++k) {
        altri.push_back(Append(new AcDbLine(AcGePoint3d(k, 0, 0), AcGePoint3d(k, 1, 0))));
        cambia(altri.back(), true);
    }
    auto* bt = vplat::Peek<AcDbBlockTable>(db()->blockTableId());
    auto* ms = vplat::Peek<AcDbBlockTableRecord>(bt->find(ACDB_MODEL_SPACE));
    auto& ids = ms->entityIds();
    ASSERT_EQ(std::find(ids.begin(), ids.end(), tolto), ids.end()) << "the list was never compacted";
    cambia(tolto, false);
    std::vector<AcDbObjectId> vivi;
    for (AcDbObjectId id : ids)
        if (!id.isErased()) vivi.push_back(id);
    EXPECT_EQ(vivi, (std::vector<AcDbObjectId>{primo, tolto}));
}
