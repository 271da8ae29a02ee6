// Angles cross the file boundary in degrees and the program's calls in
// radians: drawings written by another program open with the angles it
// meant, and the angles set here are saved as that program reads them.
#include <cmath>
#include <fstream>

#include <nlohmann/json.hpp>

#include "DrawingFixture.h"
#include "DrawingRender.h"
#include "EzdxfSupport.h"

using namespace ezdxf_support;

namespace {

constexpr double kPi = 3.14159265358979323846;

// An INSERT rotated 30, a TEXT rotated 45, a reference rotated 15 (scale 2)
// with the attributes ezdxf places for it, a bare reference with the same
// placement, and a viewport twisted by 330.
const char* kAngles = R"PY(
import ezdxf, sys
d = ezdxf.new("R2013")
m = d.modelspace()
b = d.blocks.new("NORD", base_point=(1, 0))
b.add_line((0, 0), (4, 0))
b.add_attdef("QUOTA", (1, 2), dxfattribs={"height": 0.5, "rotation": 10})
m.add_blockref("NORD", (0, 0), dxfattribs={"rotation": 30})
m.add_text("A", dxfattribs={"rotation": 45, "insert": (0, 0), "height": 1})
placed = {"rotation": 15, "xscale": 2, "yscale": 2}
m.add_blockref("NORD", (5, 5), dxfattribs=placed).add_auto_attribs({"QUOTA": "v"})
m.add_blockref("NORD", (5, 5), dxfattribs=placed)
d.layouts.new("T1").add_viewport(center=(100, 100), size=(200, 150), view_center_point=(0, 0),
                                 view_height=40).dxf.view_twist_angle = 330
d.saveas(sys.argv[1])
)PY";

// The angles ezdxf reads from a file, by entity kind in model-space and
// layout order.
const char* kReadAngles = R"PY(
import ezdxf, json, sys
doc = ezdxf.readfile(sys.argv[1])
out = []
for layout in doc.layouts:
    for e in layout:
        t = e.dxftype()
        if t in ("INSERT", "TEXT"): out.append([t, e.dxf.rotation])
        if t == "VIEWPORT" and e.dxf.id != 1: out.append([t, e.dxf.view_twist_angle])
print(json.dumps(out))
)PY";

std::vector<AcDbEntity*> ModelEntities(AcDbDatabase* db) {
    std::vector<AcDbEntity*> out;
    auto* bt = vplat::Peek<AcDbBlockTable>(db->blockTableId());
    for (AcDbObjectId id : vplat::Peek<AcDbBlockTableRecord>(bt->find(ACDB_MODEL_SPACE))->entityIds())
        out.push_back(vplat::Peek<AcDbEntity>(id));
    return out;
}

AcDbViewport* FirstViewport(AcDbDatabase* db, const wchar_t* layout) {
    auto* l = vplat::Peek<AcDbLayout>(vplat::FindLayout(db, layout));
    if (!l) return nullptr;
    for (AcDbObjectId id : vplat::Peek<AcDbBlockTableRecord>(l->getBlockTableRecordId())->entityIds())
        if (auto* vp = vplat::Peek<AcDbViewport>(id); vp && vp->number() != 1) return vp;  // not the sheet itself
    return nullptr;
}

}  // namespace

// Rotations and twists of a foreign drawing come out in radians, and the
// attributes placed here for a rotated, scaled reference stand where the
// other program put them.
TEST_F(DrawingTest, AnglesOfAForeignDrawingOpenInRadians) {
    if (!HaveEzdxf()) GTEST_SKIP() << "ezdxf is not installed";
    std::string path = ::testing::TempDir() + "angles.dxf";
    int rc = 0;
    std::string out = RunPython("angles.py", kAngles, path, &rc);
    ASSERT_EQ(rc, 0) << out;
    std::wstring wpath = vplat::ToWindowsPath(path);
    ASSERT_EQ(db()->dxfIn(wpath.c_str()), Acad::eOk) << vplat::WideToUtf8(vplat::LastDxfError());
    std::vector<AcDbEntity*> model = ModelEntities(db());
    ASSERT_EQ(model.size(), 4u);
    auto* insert = AcDbBlockReference::cast(model[0]);
    auto* text = AcDbText::cast(model[1]);
    auto* placed = AcDbBlockReference::cast(model[2]);
    auto* bare = AcDbBlockReference::cast(model[3]);
    ASSERT_TRUE(insert && text && placed && bare);
    EXPECT_NEAR(insert->rotation(), 0.5235987756, 1e-10);
    EXPECT_NEAR(insert->rotation(), kPi / 6, 1e-12);
    EXPECT_NEAR(text->rotation(), kPi / 4, 1e-12);
    AcDbViewport* vp = FirstViewport(db(), L"T1");
    ASSERT_NE(vp, nullptr);
    EXPECT_NEAR(vp->twistAngle(), 330 * kPi / 180, 1e-12);
    // The model keeps the file's degrees: the dump and the file agree.
    EXPECT_EQ(vplat::TagReal(insert->data(), 50), 30.0);

    // The bare reference gets its attribute from the definition here.
    AcDbAttributeDefinition* def = nullptr;
    for (AcDbObjectId id : vplat::Peek<AcDbBlockTableRecord>(bare->blockTableRecord())->entityIds())
        if (auto* d = vplat::Peek<AcDbAttributeDefinition>(id)) def = d;
    ASSERT_NE(def, nullptr);
    EXPECT_NEAR(def->rotation(), 10 * kPi / 180, 1e-12);
    AcDbAttribute mine;
    ASSERT_EQ(mine.setAttributeFromBlock(def, bare->blockTransform()), Acad::eOk);
    std::vector<AcDbObject*> theirs;
    placed->subObjects(theirs);
    ASSERT_FALSE(theirs.empty());
    auto* other = AcDbAttribute::cast(theirs[0]);
    ASSERT_NE(other, nullptr);
    EXPECT_NEAR(mine.position().x, other->position().x, 1e-9);
    EXPECT_NEAR(mine.position().y, other->position().y, 1e-9);
    EXPECT_NEAR(mine.rotation(), other->rotation(), 1e-9);
    EXPECT_NEAR(mine.height(), other->height(), 1e-9);
    EXPECT_NEAR(vplat::TagReal(mine.data(), 50), 25.0, 1e-9);
}

// Angles set here in radians are saved in degrees, as the other program
// reads them.
TEST_F(DrawingTest, AnglesSetInRadiansAreSavedInDegrees) {
    if (!HaveEzdxf()) GTEST_SKIP() << "ezdxf is not installed";
    AcDbObjectId block = AddBlock(L"NORD");
    Append(new AcDbLine(AcGePoint3d(), AcGePoint3d(1, 0, 0)), L"NORD");
    auto* ref = new AcDbBlockReference(AcGePoint3d(10, 0, 0), block);
    ref->setRotation(kPi / 2);
    Append(ref);
    Append(new AcDbText(AcGePoint3d(), L"su", AcDbObjectId::kNull, 1, kPi / 6));
    AddViewportLayout(L"T1", 100, AcGePoint3d(), 1, [](AcDbViewport* vp) { vp->setTwistAngle(-kPi / 4); });

    std::string path = ::testing::TempDir() + "angles_out.dxf";
    std::wstring wpath = vplat::ToWindowsPath(path);
    ASSERT_EQ(db()->dxfOut(wpath.c_str()), Acad::eOk);
    std::ifstream in(path);
    std::string file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_NE(file.find("\n 50\n90.0\n"), std::string::npos);
    int rc = 0;
    std::string out = RunPython("read_angles.py", kReadAngles, path, &rc);
    ASSERT_EQ(rc, 0) << out;
    EXPECT_EQ(nlohmann::json::parse(out), nlohmann::json::parse(R"([["INSERT", 90.0], ["TEXT", 30.0], ["VIEWPORT", -45.0]])"));

    // A program's acdbEntGet hands the rotation out in radians too.
    ads_name name;
    ASSERT_EQ(acdbGetAdsName(name, ModelEntities(db())[0]->objectId()), Acad::eOk);
    resbuf* groups = acdbEntGet(name);
    double given = 0;
    for (resbuf* rb = groups; rb; rb = rb->rbnext)
        if (rb->restype == 50) given = rb->resval.rreal;
    acutRelRb(groups);
    EXPECT_DOUBLE_EQ(given, kPi / 2);

    // And they read back here as they were set.
    auto back = RoundTrip();
    std::vector<AcDbEntity*> model = ModelEntities(back.get());
    ASSERT_EQ(model.size(), 2u);
    EXPECT_DOUBLE_EQ(AcDbBlockReference::cast(model[0])->rotation(), kPi / 2);
    EXPECT_DOUBLE_EQ(AcDbText::cast(model[1])->rotation(), kPi / 6);
    EXPECT_DOUBLE_EQ(FirstViewport(back.get(), L"T1")->twistAngle(), -kPi / 4);
}

// A text turned by 90 degrees reads upwards from its insertion point and
// stays inside the rendered picture.
TEST_F(DrawingTest, TextRotatedNinetyDegreesRendersUpwards) {
    auto* line = new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(10, 0, 0));
    line->setColorIndex(1);
    Append(line);
    Append(new AcDbText(AcGePoint3d(5, 0, 0), L"MMMMMMMMMM", AcDbObjectId::kNull, 1, kPi / 2));
    vplat::RenderOptions o;
    o.width = 300, o.height = 300;
    std::vector<unsigned> px;
    ASSERT_TRUE(vplat::RenderDrawingPixels(db(), o, px, nullptr));
    // The text is black, the line red: the text's ink box is tall and
    // narrow, and lies above the line, inside the picture.
    int x0 = o.width, x1 = -1, y0 = o.height, y1 = -1, lineRow = -1;
    for (int y = 0; y < o.height; ++y)
        for (int x = 0; x < o.width; ++x) {
            unsigned p = px[static_cast<size_t>(y * o.width + x)];
            unsigned r = p >> 16 & 255, g = p >> 8 & 255;
            if (r > 200 && r - g > 40) lineRow = y;
            if (r > 128) continue;
            x0 = std::min(x0, x), x1 = std::max(x1, x), y0 = std::min(y0, y), y1 = std::max(y1, y);
        }
    ASSERT_GE(x1, 0) << "no text was drawn";
    ASSERT_GE(lineRow, 0);
    EXPECT_GT(y1 - y0, 4 * (x1 - x0));
    EXPECT_LE(y1, lineRow + 2);
    EXPECT_GT(y0, 0);
    EXPECT_GT(x0, 0);
    EXPECT_LT(x1, o.width - 1);
}

// A viewport twisted by 90 degrees in the file shows a model line that runs
// along x as a line across the page's y.
TEST_F(DrawingTest, ViewportTwistInDegreesTurnsTheView) {
    AddLayer(L"VERDE", 3);
    auto* line = new AcDbLine(AcGePoint3d(500, 500, 0), AcGePoint3d(520, 500, 0));
    line->setLayer(L"VERDE");
    Append(line);
    // The twist as a file holds it.
    AddViewportLayout(L"T1", 100, AcGePoint3d(510, 500, 0), 40,
                      [](AcDbViewport* vp) { vplat::SetTag(vp->data(), vplat::DxfTag::Real(51, 90)); });
    vplat::RenderOptions o;
    o.width = o.height = 200;
    o.layout = L"T1";
    std::vector<unsigned> px;
    ASSERT_TRUE(vplat::RenderDrawingPixels(db(), o, px, nullptr));
    // Green ink: a tall, narrow box about the viewport's centre.
    int x0 = o.width, x1 = -1, y0 = o.height, y1 = -1;
    for (int y = 0; y < o.height; ++y)
        for (int x = 0; x < o.width; ++x) {
            unsigned p = px[static_cast<size_t>(y * o.width + x)];
            if (static_cast<int>(p >> 8 & 255) - static_cast<int>(p >> 16 & 255) > 60) {
                x0 = std::min(x0, x), x1 = std::max(x1, x), y0 = std::min(y0, y), y1 = std::max(y1, y);
            }
        }
    ASSERT_GE(x1, 0) << "the model line was not drawn";
    EXPECT_LE(x1 - x0, 3);
    EXPECT_NEAR(y1 - y0, 90, 4);
    EXPECT_NEAR((x0 + x1) / 2.0, 100, 3);
}
