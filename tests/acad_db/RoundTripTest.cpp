#include <cstdio>
#include <fstream>
#include <functional>
#include <iterator>

#include <unistd.h>

#include "DrawingFixture.h"
#include "HostText.h"

#include <nlohmann/json.hpp>

std::string DumpWithoutSeed(const AcDbDatabase* db) {
    auto j = nlohmann::ordered_json::parse(vplat::DumpDrawingJson(db));
    j.erase("handseed");
    return j.dump(1);
}

namespace {

struct Fixture {
    const char* name;
    std::function<void(DrawingTest&)> build;
};

AcGePoint3dArray Points(std::initializer_list<AcGePoint3d> pts) {
    AcGePoint3dArray a;
    for (const auto& p : pts) a.append(p);
    return a;
}

}  // namespace

class DxfRoundTrip : public DrawingTest, public ::testing::WithParamInterface<Fixture> {};

// Every kind survives DXF -> database -> DXF with its geometry, layer and
// extended data: the drawing read back dumps exactly as the original.
TEST_P(DxfRoundTrip, KeepsEveryEntity) {
    AddLayer(L"QV-CIGLI", 3);
    acdbRegApp(L"QV-VORTANA-NPOLI");
    GetParam().build(*this);
    std::string before = DumpWithoutSeed(db());
    auto back = RoundTrip();
    EXPECT_EQ(DumpWithoutSeed(back.get()), before);
    // And a second trip changes nothing further.
    std::string text = vplat::WriteDxfText(back.get());
    AcDbDatabase again(false);
    ASSERT_TRUE(vplat::ReadDxfText(text, &again, nullptr));
    EXPECT_EQ(DumpWithoutSeed(&again), before);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, DxfRoundTrip,
    ::testing::Values(
        Fixture{"Polyline2dWithBulgesAndXData",
                [](DrawingTest& t) {
                    AcGeDoubleArray b;
                    b.append(0.41421356237309503);
                    b.append(-0.25);
                    b.append(0);
                    auto* p = new AcDb2dPolyline(AcDb::k2dSimplePoly,
                                                 Points({{0, 0, 0}, {10, 0, 0}, {10, 10, 0}}), 0, false, 0, 0, &b);
                    p->setLayer(L"qv-cigli");
                    AcDbObjectId id = t.Append(p);
                    ads_point pt = {1.5, -2.25, 1e-12};
                    t.SetXData(id, acutBuildList(1001, L"QV-VORTANA-NPOLI", 1000, L"CDX", 1000, L"Via Roma",
                                                 1002, L"{", 1040, 3.14159265, 1070, 12, 1071, 70000, 1002, L"}",
                                                 1010, pt, 1000, L"perché \u20ac", RTNONE));
                }},
        Fixture{"ClosedPolyline2dAndPolyline3d",
                [](DrawingTest& t) {
                    t.Append(new AcDb2dPolyline(AcDb::k2dSimplePoly, Points({{0, 0, 0}, {4, 0, 0}, {4, 3, 0}}), 2.5,
                                                true));
                    t.Append(new AcDb3dPolyline(AcDb::k3dSimplePoly, Points({{0, 0, 1}, {1, 2, 3}, {5, 5, -2}})));
                }},
        Fixture{"LightweightPolyline",
                [](DrawingTest& t) {
                    auto* p = new AcDbPolyline;
                    p->addVertexAt(0, AcGePoint2d(0, 0), 0.5);
                    p->addVertexAt(1, AcGePoint2d(3, 4));
                    p->addVertexAt(2, AcGePoint2d(6, 0), -1);
                    p->setClosed(true);
                    t.Append(p);
                }},
        Fixture{"LineCircleTextFace",
                [](DrawingTest& t) {
                    t.Append(new AcDbLine(AcGePoint3d(0.1, 0.2, 0.3), AcGePoint3d(1e6, -1e-7, 0)));
                    auto* c = new AcDbCircle(AcGePoint3d(5, 5, 0), AcGeVector3d::kZAxis, 2.75);
                    c->setColorIndex(1);
                    t.Append(c);
                    t.Append(new AcDbText(AcGePoint3d(1, 2, 0), L"2.000 %", AcDbObjectId::kNull, 0.2, 0.7853981633974483));
                    t.Append(new AcDbFace(AcGePoint3d(0, 0, 1), AcGePoint3d(1, 0, 2), AcGePoint3d(1, 1, 3),
                                          AcGePoint3d(0, 1, 4)));
                }},
        Fixture{"AnonymousBlockWithAttributeAndReference",
                [](DrawingTest& t) {
                    AcDbObjectId block = t.AddBlock(L"*X");
                    t.Append(new AcDb2dPolyline(AcDb::k2dSimplePoly,
                                                Points({{0, 0, 0}, {210, 0, 0}, {210, 148.5, 0}, {0, 148.5, 0}}), 0,
                                                true),
                             vplat::Peek<AcDbBlockTableRecord>(block)->name().c_str());
                    auto* def = new AcDbAttributeDefinition(AcGePoint3d(), L"", L"SCALEDISTR", L"Scala: ");
                    def->setHeight(7.425);
                    t.Append(def, vplat::Peek<AcDbBlockTableRecord>(block)->name().c_str());
                    auto* ref = new AcDbBlockReference(AcGePoint3d(100, 50, 0), block);
                    ref->setRotation(1.5707963267948966);
                    auto* att = new AcDbAttribute(AcGePoint3d(100, 50, 0), L"500.000000", L"SCALEDISTR");
                    ref->appendAttribute(att);
                    att->close();
                    t.Append(ref);
                }},
        Fixture{"LayoutWithViewport", [](DrawingTest& t) {
                    ASSERT_EQ(vplat::AddLayout(t.db(), L"T45"), 1);
                    ASSERT_TRUE(vplat::SetCurrentLayout(t.db(), L"T45"));
                    auto* vp = new AcDbViewport;
                    vp->setCenterPoint(AcGePoint3d(105, 74.25, 0));
                    vp->setWidth(210);
                    vp->setHeight(148.5);
                    vp->setViewCenter(AcGePoint2d(105, 74.25));
                    vp->setViewTarget(AcGePoint3d(1000, 2000, 0));
                    vp->setViewHeight(148.5);
                    vp->setTwistAngle(-0.5);
                    t.Append(vp, ACDB_PAPER_SPACE);
                    ASSERT_TRUE(vplat::SetCurrentLayout(t.db(), L"Model"));
                    t.Append(new AcDbLine(AcGePoint3d(), AcGePoint3d(1, 1, 0)));
                }}),
    [](const ::testing::TestParamInfo<Fixture>& info) { return std::string(info.param.name); });

// A block reference keeps pointing at its block by name across the file,
// even when the block comes later in the block table than its user.
TEST_F(DrawingTest, ReferencesResolveAfterReading) {
    AcDbObjectId inner = AddBlock(L"INNER");
    Append(new AcDbCircle(AcGePoint3d(), AcGeVector3d::kZAxis, 1), L"INNER");
    AcDbObjectId outer = AddBlock(L"OUTER");
    Append(new AcDbBlockReference(AcGePoint3d(5, 0, 0), inner), L"OUTER");
    Append(new AcDbBlockReference(AcGePoint3d(0, 5, 0), outer));
    auto back = RoundTrip();
    AcDbBlockTable* bt = nullptr;
    ASSERT_EQ(back->getBlockTable(bt, AcDb::kForRead), Acad::eOk);
    AcDbObjectId model, innerBack;
    bt->getAt(ACDB_MODEL_SPACE, model);
    bt->getAt(L"inner", innerBack);
    bt->close();
    auto* ref = vplat::Peek<AcDbBlockReference>(vplat::Peek<AcDbBlockTableRecord>(model)->entityIds().front());
    ASSERT_NE(ref, nullptr);
    auto* outerBack = vplat::Peek<AcDbBlockTableRecord>(ref->blockTableRecord());
    ASSERT_NE(outerBack, nullptr);
    EXPECT_EQ(outerBack->name(), L"OUTER");
    auto* nested = vplat::Peek<AcDbBlockReference>(outerBack->entityIds().front());
    ASSERT_NE(nested, nullptr);
    EXPECT_EQ(nested->blockTableRecord(), innerBack);
}

// Erased entities are not written; handles of the others stay.
TEST_F(DrawingTest, ErasedEntitiesAreNotSaved) {
    AcDbObjectId a = Append(new AcDbLine(AcGePoint3d(), AcGePoint3d(1, 0, 0)));
    AcDbObjectId b = Append(new AcDbLine(AcGePoint3d(), AcGePoint3d(2, 0, 0)));
    AcDbEntity* e = nullptr;
    ASSERT_EQ(acdbOpenObject(e, a, AcDb::kForWrite), Acad::eOk);
    EXPECT_EQ(e->erase(), Acad::eOk);
    e->close();
    auto back = RoundTrip();
    AcDbObjectId id;
    EXPECT_NE(back->getAcDbObjectId(id, false, a.handle()), Acad::eOk);
    ASSERT_EQ(back->getAcDbObjectId(id, false, b.handle()), Acad::eOk);
    EXPECT_NE(vplat::Peek<AcDbLine>(id), nullptr);
}

// The samples read and written again give the very bytes the writer has
// always given them (size and a 64-bit FNV-1a of the text): a faster reader
// or writer must not change a single character of a saved drawing.
TEST(DxfSavedBytes, SamplesAreWrittenAsBefore) {
    struct Saved {
        const char* sample;
        size_t size;
        uint64_t fnv;
    };
    const Saved saved[] = {
        {"rotatoria-tre-rami.dxf", 18523, 0xda876ebd6ae30949ull},
        {"rotatorie-due.dxf", 29652, 0xddfe9aa041407f7dull},
        {"strade-apparente.dxf", 10583, 0x05255a63a2ecc47dull},
        {"strade-incrocio-curva.dxf", 11655, 0x2b99f05489d4017dull},
        {"strade-innesto.dxf", 9702, 0x8dffd7baba54f7c2ull},
        {"tavole-innesto.dxf", 11459, 0xe725e9083f4ea725ull},
    };
    for (const Saved& s : saved) {
        SCOPED_TRACE(s.sample);
        AcDbDatabase db(false);
        std::wstring error;
        std::string sample = std::string(VORTANA_SOURCE) + "/samples/" + s.sample;
        ASSERT_TRUE(vplat::ReadDxfFile(sample, &db, &error)) << vplat::WideToUtf8(error);
        std::string text = vplat::WriteDxfText(&db);
        uint64_t h = 0xcbf29ce484222325ull;
        for (unsigned char c : text) h = (h ^ c) * 0x100000001b3ull;
        EXPECT_EQ(text.size(), s.size);
        EXPECT_EQ(h, s.fnv);
        // The file writer gives the same text as the one in memory.
        std::string path = ::testing::TempDir() + "saved_" + std::to_string(getpid()) + "_" + s.sample;
        ASSERT_TRUE(vplat::WriteDxfFile(path, &db, &error));
        std::ifstream f(path, std::ios::binary);
        std::string written((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
        EXPECT_EQ(written, text);
        std::remove(path.c_str());
    }
}
