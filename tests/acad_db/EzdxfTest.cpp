// The drawings written here open cleanly in an independent DXF reader, and
// drawings that reader writes open here.
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include <nlohmann/json.hpp>

#include "DrawingFixture.h"
#include "EzdxfSupport.h"

namespace {

using namespace ezdxf_support;

// Reads a file with ezdxf: audit result, and per model-space and block
// entity its kind, handle, layer, geometry and extended data.
const char* kReadBack = R"PY(
import ezdxf, json, sys
doc = ezdxf.readfile(sys.argv[1])
audit = doc.audit()
out = {"errors": [str(e.message) for e in audit.errors], "fixes": len(audit.fixes), "entities": [],
       "layouts": sorted(l.name for l in doc.layouts),
       "xrefs": [[b.name, b.block.dxf.flags & 12, b.block.dxf.xref_path] for b in doc.blocks if b.block.is_xref]}
def xdata(e):
    r = {}
    if e.xdata:
        for app in e.xdata.data:
            r[app] = [[t.code, list(t.value) if isinstance(t.value, tuple) else t.value] for t in e.xdata.get(app)]
    return r
def geom(e):
    t = e.dxftype()
    if t == "POLYLINE": return [[v.dxf.location.x, v.dxf.location.y, v.dxf.location.z, v.dxf.bulge] for v in e.vertices]
    if t == "LWPOLYLINE": return [list(p) for p in e.get_points("xyb")]
    if t == "LINE": return [list(e.dxf.start), list(e.dxf.end)]
    if t == "CIRCLE": return [list(e.dxf.center), e.dxf.radius]
    if t == "TEXT": return [list(e.dxf.insert), e.dxf.text, e.dxf.height]
    if t == "3DFACE": return [list(e.dxf.vtx0), list(e.dxf.vtx3)]
    if t == "INSERT": return [e.dxf.name, list(e.dxf.insert), [[a.dxf.tag, a.dxf.text] for a in e.attribs]]
    if t == "ATTDEF": return [e.dxf.tag, e.dxf.prompt]
    if t == "VIEWPORT": return [list(e.dxf.center), e.dxf.width, e.dxf.height, list(e.dxf.view_target_point), e.dxf.view_height, e.dxf.id]
    return None
for layout in [doc.modelspace()] + [b for b in doc.blocks if not b.name.lower().startswith("*model")]:
    for e in layout:
        out["entities"].append({"kind": e.dxftype(), "handle": e.dxf.handle, "layer": e.dxf.layer,
                                "geom": geom(e), "xdata": xdata(e)})
print(json.dumps(out))
)PY";

// Writes a drawing with ezdxf.
const char* kWrite = R"PY(
import ezdxf, sys
d = ezdxf.new("R2013")
d.layers.add("QV-CIGLI", color=3)
d.appids.add("QV-VORTANA-NPOLI")
m = d.modelspace()
p = m.add_polyline2d([(0, 0), (10, 0), (10, 10)], dxfattribs={"layer": "QV-CIGLI"})
p.vertices[0].dxf.bulge = 0.5
p.set_xdata("QV-VORTANA-NPOLI", [(1000, "CDX"), (1000, "Asse 1"), (1040, 2.5), (1071, 70000)])
m.add_lwpolyline([(0, 0), (5, 5, 0, 0, 1), (10, 0)], format="xyseb")
m.add_circle((5, 5), 3)
m.add_text("perché", dxfattribs={"height": 2, "insert": (1, 1)})
b = d.blocks.new("CONT")
b.add_lwpolyline([(0, 0), (4, 0), (4, 3), (0, 3)], close=True)
b.add_attdef("SCALEDISTR", (0, 0), dxfattribs={"height": 0.2, "prompt": "Scala: "})
r = m.add_blockref("CONT", (30, 30))
r.add_attrib("SCALEDISTR", "500.000000", (30, 30))
m.add_ellipse((0, 0), (2, 0))
d.add_xref_def("C:\\Progetti\\rilievo.dwg", "RILIEVO")
m.add_blockref("RILIEVO", (40, 40))
lay = d.layouts.new("T45")
lay.add_viewport(center=(100, 100), size=(200, 150), view_center_point=(15, 15), view_height=40)
d.saveas(sys.argv[1])
)PY";

nlohmann::json ReadBack(const std::string& dxf) {
    int rc = 0;
    std::string out = RunCommand(std::string(kPython) + " " + Script("readback.py", kReadBack) + " " + dxf, &rc);
    EXPECT_EQ(rc, 0) << out;
    return rc == 0 ? nlohmann::json::parse(out) : nlohmann::json();
}

}  // namespace

// A drawing of every kind, written here, audits clean in ezdxf and reads
// back with the same entities, geometry and extended data.
TEST_F(DrawingTest, WrittenDrawingAuditsCleanInEzdxf) {
    if (!HaveEzdxf()) GTEST_SKIP() << "ezdxf is not installed";
    AddLayer(L"QV-CIGLI", 3);
    acdbRegApp(L"QV-VORTANA-INTERS-T");
    AcGePoint3dArray pts;
    pts.append(AcGePoint3d(0, 0, 0));
    pts.append(AcGePoint3d(10, 0, 0));
    pts.append(AcGePoint3d(10, 10, 0));
    AcGeDoubleArray bulges;
    bulges.append(0.5);
    bulges.append(0);
    bulges.append(0);
    auto* p = new AcDb2dPolyline(AcDb::k2dSimplePoly, pts, 0, false, 0, 0, &bulges);
    p->setLayer(L"QV-CIGLI");
    AcDbObjectId pid = Append(p);
    ads_point xp = {1, 2, 3};
    SetXData(pid, acutBuildList(1001, L"QV-VORTANA-INTERS-T", 1000, L"1700000000", 1000, L"rCIG", 1040, 0.25,
                                1070, 4, 1071, 70000, 1010, xp, 1000, L"perché", RTNONE));
    Append(new AcDb3dPolyline(AcDb::k3dSimplePoly, pts));
    Append(new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(3, 4, 0)));
    Append(new AcDbCircle(AcGePoint3d(1, 1, 0), AcGeVector3d::kZAxis, 2));
    Append(new AcDbText(AcGePoint3d(1, 2, 0), L"2.000 %", AcDbObjectId::kNull, 0.2, 0));
    Append(new AcDbFace(AcGePoint3d(0, 0, 1), AcGePoint3d(1, 0, 1), AcGePoint3d(1, 1, 1), AcGePoint3d(0, 1, 1)));
    AcDbObjectId block = AddBlock(L"*X");
    const wchar_t* bname = vplat::Peek<AcDbBlockTableRecord>(block)->name().c_str();
    Append(new AcDb2dPolyline(AcDb::k2dSimplePoly, pts, 0, true), bname);
    Append(new AcDbAttributeDefinition(AcGePoint3d(), L"", L"SCALEDISTR", L"Scala: "), bname);
    auto* ref = new AcDbBlockReference(AcGePoint3d(50, 50, 0), block);
    auto* att = new AcDbAttribute(AcGePoint3d(50, 50, 0), L"500.000000", L"SCALEDISTR");
    ref->appendAttribute(att);
    att->close();
    Append(ref);
    vplat::AddLayout(db(), L"T45");
    vplat::SetCurrentLayout(db(), L"T45");
    auto* vp = new AcDbViewport;
    vp->setCenterPoint(AcGePoint3d(105, 74, 0));
    vp->setWidth(210);
    vp->setHeight(148);
    vp->setViewTarget(AcGePoint3d(1000, 2000, 0));
    vp->setViewHeight(148);
    Append(vp, ACDB_PAPER_SPACE);
    vplat::SetCurrentLayout(db(), L"Model");

    std::string path = ::testing::TempDir() + "written.dxf";
    std::wstring wpath = vplat::ToWindowsPath(path);
    ASSERT_EQ(db()->dxfOut(wpath.c_str()), Acad::eOk);
    nlohmann::json r = ReadBack(path);
    ASSERT_FALSE(r.is_null());
    EXPECT_TRUE(r["errors"].empty()) << r["errors"].dump();
    EXPECT_EQ(r["fixes"], 0);
    EXPECT_EQ(r["layouts"], nlohmann::json::parse(R"(["Layout1","Model","T45"])"));
    std::vector<std::string> kinds;
    for (auto& e : r["entities"]) kinds.push_back(e["kind"]);
    // The layout made current has its overall viewport (1), then the plan's (2).
    EXPECT_EQ(kinds, (std::vector<std::string>{"POLYLINE", "POLYLINE", "LINE", "CIRCLE", "TEXT", "3DFACE", "INSERT",
                                               "POLYLINE", "ATTDEF", "VIEWPORT", "VIEWPORT"}));
    EXPECT_EQ(r["entities"][9]["geom"][5], 1);
    EXPECT_EQ(r["entities"][10]["geom"][5], 2);
    auto& poly = r["entities"][0];
    EXPECT_EQ(poly["handle"], vplat::WideToUtf8(pid.handle().text()));
    EXPECT_EQ(poly["layer"], "QV-CIGLI");
    EXPECT_EQ(poly["geom"], nlohmann::json::parse("[[0,0,0,0.5],[10,0,0,0],[10,10,0,0]]"));
    EXPECT_EQ(poly["xdata"]["QV-VORTANA-INTERS-T"],
              nlohmann::json::parse(R"([[1001,"QV-VORTANA-INTERS-T"],[1000,"1700000000"],[1000,"rCIG"],[1040,0.25],[1070,4],[1071,70000],)"
                                    R"([1010,[1,2,3]],[1000,"perché"]])"));
    EXPECT_EQ(r["entities"][6]["geom"][2], nlohmann::json::parse(R"([["SCALEDISTR","500.000000"]])"));
    EXPECT_EQ(r["entities"][10]["geom"][3], nlohmann::json::parse("[1000,2000,0]"));
}

// The host opens an ezdxf drawing, saves, dumps and renders it; the saved
// drawing reads back in ezdxf with the same entities and extended data.
TEST(HostDrawing, OpensSavesDumpsAndRendersAForeignDrawing) {
    if (!HaveEzdxf()) GTEST_SKIP() << "ezdxf is not installed";
    std::string dir = ::testing::TempDir();
    std::string a = dir + "host_a.dxf", b = dir + "host_b.dxf", j = dir + "host_b.json", png = dir + "host_b.png";
    int rc = 0;
    std::string out = RunCommand(std::string(kPython) + " " + Script("write.py", kWrite) + " " + a + " 2>&1", &rc);
    ASSERT_EQ(rc, 0) << out;
    std::remove(png.c_str());
    out = RunCommand(std::string(VORTANA_BIN) + "/vortana-cad --drawing " + a + " --save " + b + " --dump " + j +
                  " --render " + png + " 2>&1",
              &rc);
    ASSERT_EQ(rc, 0) << out;
    EXPECT_NE(out.find("skipped ELLIPSE x1"), std::string::npos) << out;
    std::ifstream pngFile(png, std::ios::binary);
    char sig[8] = {};
    pngFile.read(sig, 8);
    EXPECT_EQ(std::string(sig + 1, 3), "PNG");

    nlohmann::json before = ReadBack(a), after = ReadBack(b);
    ASSERT_FALSE(after.is_null());
    EXPECT_TRUE(after["errors"].empty()) << after["errors"].dump();
    // Everything but the skipped ellipse comes back with handle, layer,
    // geometry and extended data.
    nlohmann::json kept = nlohmann::json::array();
    for (auto& e : before["entities"])
        if (e["kind"] != "ELLIPSE") kept.push_back(e);
    EXPECT_EQ(after["entities"], kept);
    EXPECT_EQ(after["layouts"], before["layouts"]);
    // An external reference keeps its flag and the path of its drawing.
    EXPECT_EQ(after["xrefs"], nlohmann::json::parse(R"([["RILIEVO",4,"C:\\Progetti\\rilievo.dwg"]])"));

    std::ifstream jf(j);
    nlohmann::json dump = nlohmann::json::parse(jf);
    std::vector<std::string> layers;
    for (auto& l : dump["layers"]) layers.push_back(l["name"]);
    EXPECT_NE(std::find(layers.begin(), layers.end(), "QV-CIGLI"), layers.end());
    auto& first = dump["entities"][0];
    EXPECT_EQ(first["kind"], "POLYLINE");
    EXPECT_EQ(first["block"], "*Model_Space");
    EXPECT_EQ(first["xdata"][0]["app"], "QV-VORTANA-NPOLI");
    EXPECT_EQ(first["vertices"][0][3], 0.5);
}

// A host run that cannot read its drawing fails naming the file and line.
TEST(HostDrawing, BadDrawingStopsTheHost) {
    std::string path = ::testing::TempDir() + "host_bad.dxf";
    std::ofstream(path) << "0\nSECTION\n2\nENTITIES\n0\nLINE\n10\nabc\n";
    int rc = 0;
    std::string out = RunCommand(std::string(VORTANA_BIN) + "/vortana-cad --drawing " + path + " 2>&1", &rc);
    EXPECT_NE(rc, 0);
    EXPECT_NE(out.find("host_bad.dxf: line"), std::string::npos) << out;
}
