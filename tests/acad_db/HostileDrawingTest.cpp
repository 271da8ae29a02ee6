// Drawings from outside that are damaged or built to hurt: what the reader
// repairs is reported and saves as a clean file, handles stay unique, texts
// stay valid Unicode, and nested blocks cannot make the host work forever.
#include <chrono>
#include <fstream>
#include <set>

#include <nlohmann/json.hpp>

#include "DrawingFixture.h"
#include "BlockNesting.h"
#include "DrawingRender.h"
#include "EzdxfSupport.h"

using namespace ezdxf_support;

namespace {

std::string Drawing(const std::string& header, const std::string& entities) {
    return "0\nSECTION\n2\nHEADER\n9\n$ACADVER\n1\nAC1021\n" + header + "0\nENDSEC\n0\nSECTION\n2\nENTITIES\n" +
           entities + "0\nENDSEC\n0\nEOF\n";
}

std::string LineWithXData(const std::string& app, const std::string& items) {
    return "0\nLINE\n5\nA1\n8\n0\n10\n0\n20\n0\n11\n1\n21\n1\n1001\n" + app + "\n" + items;
}

std::string Polyline(int vertices) {
    std::string s = "0\nPOLYLINE\n5\nB1\n8\n0\n66\n1\n70\n0\n10\n0\n20\n0\n";
    for (int i = 0; i < vertices; ++i) s += "0\nVERTEX\n8\n0\n10\n" + std::to_string(i) + "\n20\n0\n";
    return s + "0\nSEQEND\n8\n0\n";
}

std::string LwPolyline(int declared, int vertices) {
    std::string s = "0\nLWPOLYLINE\n5\nC1\n8\n0\n90\n" + std::to_string(declared) + "\n70\n0\n";
    for (int i = 0; i < vertices; ++i) s += "10\n" + std::to_string(i) + "\n20\n0\n";
    return s;
}

// Reads a drawing text into a new database; the repairs it reported.
std::unique_ptr<AcDbDatabase> Read(const std::string& text, std::wstring* repairs = nullptr) {
    auto db = std::make_unique<AcDbDatabase>(false);
    std::wstring error;
    EXPECT_TRUE(vplat::ReadDxfText(text, db.get(), &error)) << vplat::WideToUtf8(error);
    if (repairs)
        for (const std::wstring& r : vplat::LastDxfRepairs()) *repairs += r + L"\n";
    return db;
}

std::vector<uint64_t> Handles(const AcDbDatabase* db) {
    std::vector<uint64_t> out;
    for (const auto& s : db->store().Stubs()) out.push_back(s->handle);
    return out;
}

// Audits each file with ezdxf: the errors of each, in order.
nlohmann::json Audit(const std::vector<std::string>& files) {
    static const char* kAudit = R"PY(
import ezdxf, json, sys
out = []
for path in sys.argv[1:]:
    doc = ezdxf.readfile(path)
    out.append([str(e.message) for e in doc.audit().errors])
print(json.dumps(out))
)PY";
    std::string args;
    for (const std::string& f : files) args += " " + f;
    int rc = 0;
    std::string out = RunPython("audit.py", kAudit, args, &rc);
    EXPECT_EQ(rc, 0) << out;
    return rc == 0 ? nlohmann::json::parse(out) : nlohmann::json();
}

struct RepairCase {
    const char* name;
    std::string text;
    const wchar_t* repair;  // part of the report, or empty when nothing is reported
};

}  // namespace

// What can be repaired is repaired and reported with its line; every drawing
// so read saves as a file that ezdxf audits without an error, with handles
// that are never 0 and never shared.
TEST(HostileDrawing, RepairsAreReportedAndSaveCleanFiles) {
    const RepairCase cases[] = {
        {"StrayClosingBrace", Drawing("", LineWithXData("ACAD", "1002\n}\n1000\nx\n")),
         L"line 32: a closing brace of extended data without its opening one dropped"},
        {"UnclosedBrace", Drawing("", LineWithXData("ACAD", "1002\n{\n1000\nx\n")),
         L"1 brace(s) of extended data closed"},
        {"UnregisteredApplication", Drawing("", LineWithXData("QV-ALTRO", "1000\nx\n")),
         L"line 30: the application \"QV-ALTRO\" of extended data registered"},
        {"EmptyApplicationName", Drawing("", LineWithXData("", "1000\nx\n")),
         L"line 30: extended data without an application name dropped"},
        {"PolylineWithoutVertices", Drawing("", Polyline(0)), L"POLYLINE with 0 vertices dropped"},
        {"PolylineWithOneVertex", Drawing("", Polyline(1)), L"POLYLINE with 1 vertices dropped"},
        {"LwPolylineWithOneVertex", Drawing("", LwPolyline(1, 1)), L"LWPOLYLINE with 1 vertices dropped"},
        {"LineWithoutLayerName", Drawing("", "0\nLINE\n5\nA1\n8\n\n10\n0\n20\n0\n11\n1\n21\n1\n"),
         L"line 15: LINE dropped: the drawing refuses its layer name"},
        {"VertexWithoutLayerName",
         Drawing("", "0\nPOLYLINE\n5\nB1\n8\n0\n66\n1\n70\n0\n10\n0\n20\n0\n0\nVERTEX\n8\n\n10\n0\n20\n0\n"
                     "0\nVERTEX\n8\n0\n10\n1\n20\n0\n0\nSEQEND\n8\n0\n"),
         L"POLYLINE dropped: the drawing refuses its layer name"},
        {"LwPolylineNegativeCount", Drawing("", LwPolyline(-3, 2)),
         L"LWPOLYLINE vertex count -3 replaced by the 2 vertices it holds"},
        {"HandseedAtTheTop", Drawing("9\n$HANDSEED\n5\nFFFFFFFFFFFFFFFF\n", LwPolyline(2, 2)), L""},
        {"HandlesOutOfRange",
         Drawing("", "0\nLINE\n5\nFFFFFFFFFFFFFFFF\n8\n0\n10\n0\n20\n0\n11\n1\n21\n1\n"
                     "0\nLINE\n5\nFFFFFFFFFFFFFFFFF\n8\n0\n10\n0\n20\n0\n11\n1\n21\n1\n"
                     "0\nLINE\n5\n0\n8\n0\n10\n0\n20\n0\n11\n1\n21\n1\n" +
                         Polyline(2)),
         L""},
    };
    std::vector<std::string> files;
    for (const RepairCase& c : cases) {
        SCOPED_TRACE(c.name);
        std::wstring repairs;
        auto db = Read(c.text, &repairs);
        if (*c.repair) {
            EXPECT_NE(repairs.find(c.repair), std::wstring::npos) << vplat::WideToUtf8(repairs);
        }
        // New objects too take handles that are free and not 0.
        auto* line = new AcDbLine(AcGePoint3d(), AcGePoint3d(1, 1, 0));
        AppendToBlock(db.get(), line);
        std::vector<uint64_t> handles = Handles(db.get());
        EXPECT_EQ(std::set<uint64_t>(handles.begin(), handles.end()).size(), handles.size());
        EXPECT_EQ(std::count(handles.begin(), handles.end(), 0u), 0);
        files.push_back(::testing::TempDir() + "repaired_" + c.name + ".dxf");
        std::wstring error;
        ASSERT_TRUE(vplat::WriteDxfFile(files.back(), db.get(), &error)) << vplat::WideToUtf8(error);
        // The saved file reads back here with nothing left to repair.
        std::wstring again;
        std::ifstream in(files.back(), std::ios::binary);
        Read(std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()), &again);
        EXPECT_EQ(again, L"");
    }
    if (!HaveEzdxf()) GTEST_SKIP() << "ezdxf is not installed";
    nlohmann::json audits = Audit(files);
    ASSERT_EQ(audits.size(), files.size());
    for (size_t i = 0; i < files.size(); ++i) EXPECT_TRUE(audits[i].empty()) << cases[i].name << ": " << audits[i];
}

// Invalid, overlong and surrogate sequences read as U+FFFD; the drawing then
// saves as valid UTF-8 and dumps as valid JSON.
TEST(HostileDrawing, BrokenTextsBecomeReplacementCharacters) {
    struct Case {
        const char* name;
        std::string version, bytes;
        std::wstring text;
    } cases[] = {
        {"LoneSurrogate", "AC1021", "a\xED\xA0\x80z", L"a\uFFFDz"},
        {"OverlongSlash", "AC1021", "..\xC0\xAF..", L"..\uFFFD.."},
        {"BeyondUnicode", "AC1021", "\xF4\x90\x80\x80", L"\uFFFD"},
        {"CutSequence", "AC1021", "\xE2\x82", L"\uFFFD\uFFFD"},
        {"EscapedSurrogate", "AC1015", "a\\U+D800z", L"a\uFFFDz"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::string text = "0\nSECTION\n2\nHEADER\n9\n$ACADVER\n1\n" + c.version +
                           "\n0\nENDSEC\n0\nSECTION\n2\nENTITIES\n0\nTEXT\n5\nD1\n8\n0\n10\n0\n20\n0\n40\n1\n1\n" +
                           c.bytes + "\n0\nENDSEC\n0\nEOF\n";
        auto db = Read(text);
        AcDbObjectId id;
        ASSERT_EQ(db->getAcDbObjectId(id, false, AcDbHandle(0xD1)), Acad::eOk);
        EXPECT_EQ(std::wstring(vplat::Peek<AcDbText>(id)->textStringConst()), c.text);
        std::string saved = vplat::WriteDxfText(db.get());
        EXPECT_EQ(vplat::WideToUtf8(vplat::Utf8ToWide(saved)), saved) << "the saved file is not valid UTF-8";
        std::string dump = vplat::DumpDrawingJson(db.get());
        EXPECT_TRUE(nlohmann::json::accept(dump));
    }
}

// References nested deep and wide are expanded within a bounded amount of
// work by the extents, the writer and the renderer.
TEST_F(DrawingTest, NestedReferencesAreExpandedWithinBounds) {
    // Twenty levels, each inserting the one below three times: 3^20 leaves.
    AcDbObjectId below = AddBlock(L"L0");
    Append(new AcDbCircle(AcGePoint3d(), AcGeVector3d::kZAxis, 1), L"L0");
    for (int level = 1; level <= 20; ++level) {
        std::wstring name = L"L" + std::to_wstring(level);
        AcDbObjectId block = AddBlock(name.c_str());
        for (int k = 0; k < 3; ++k) Append(new AcDbBlockReference(AcGePoint3d(k, 0, 0), below), name.c_str());
        below = block;
    }
    Append(new AcDbBlockReference(AcGePoint3d(), below));

    auto start = std::chrono::steady_clock::now();
    std::string text = vplat::WriteDxfText(db());
    vplat::RenderOptions o;
    o.width = o.height = 100;
    std::vector<unsigned> px;
    EXPECT_TRUE(vplat::RenderDrawingPixels(db(), o, px, nullptr));
    double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_LT(seconds, 30.0);
    // A legal nesting saves and reads back.
    AcDbDatabase back(false);
    std::wstring error;
    EXPECT_TRUE(vplat::ReadDxfText(text, &back, &error)) << vplat::WideToUtf8(error);
}

// A reference that would make a block insert itself, directly or through
// other blocks, is refused by the database calls.
TEST_F(DrawingTest, BlocksCannotBeMadeToInsertThemselves) {
    AcDbObjectId a = AddBlock(L"A"), b = AddBlock(L"B");
    Append(new AcDbBlockReference(AcGePoint3d(), b), L"A");
    AcDbBlockTableRecord* rec = nullptr;
    for (auto [into, inserted] : {std::pair{a, a}, std::pair{b, a}}) {
        ASSERT_EQ(acdbOpenObject(rec, into, AcDb::kForWrite), Acad::eOk);
        auto* ref = new AcDbBlockReference(AcGePoint3d(), inserted);
        EXPECT_EQ(rec->appendAcDbEntity(ref), Acad::eSelfReference);
        delete ref;
        rec->close();
    }
    // Pointing an existing reference back at its own block is refused too.
    ASSERT_EQ(acdbOpenObject(rec, b, AcDb::kForWrite), Acad::eOk);
    auto* ref = new AcDbBlockReference(AcGePoint3d(), AcDbObjectId());
    AcDbObjectId id;
    ASSERT_EQ(rec->appendAcDbEntity(id, ref), Acad::eOk);
    EXPECT_EQ(ref->setBlockTableRecord(a), Acad::eSelfReference);
    ref->close();
    rec->close();
    EXPECT_TRUE(vplat::FindBlockCycle(db()).names.empty());
}

// The host on hostile drawings: a drawing it refuses ends it with 1 and the
// reason, writing nothing; one it repairs is reported on the transcript and
// saved and dumped whole.
TEST(HostDrawing, HostileDrawingsEndTheHostCleanly) {
    struct Case {
        const char* name;
        std::string text;
        int rc;
        const char* output;  // part of what the host prints
    } cases[] = {
        {"SelfInsert",
         "0\nSECTION\n2\nBLOCKS\n0\nBLOCK\n2\nA\n10\n0\n20\n0\n0\nINSERT\n2\nA\n10\n0\n20\n0\n0\nENDBLK\n0\nENDSEC\n"
         "0\nSECTION\n2\nENTITIES\n0\nINSERT\n2\nA\n10\n0\n20\n0\n0\nENDSEC\n0\nEOF\n",
         1, "the block \"A\" inserts itself (A > A)"},
        {"NotANumber", Drawing("", "0\nLINE\n8\n0\n10\nnan\n20\n0\n11\n1\n21\n1\n"), 1, "malformed number \"nan\""},
        {"LoneSurrogate",
         Drawing("", "0\nTEXT\n8\n0\n10\n0\n20\n0\n40\n1\n1\n\xED\xA0\x80\n" + LineWithXData("QV", "1002\n{\n")), 0,
         "[drawing] repaired line"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::string dir = ::testing::TempDir() + "hostile_" + c.name;
        std::ofstream(dir + ".dxf", std::ios::binary) << c.text;
        std::remove((dir + "_out.dxf").c_str());
        std::remove((dir + ".json").c_str());
        int rc = 0;
        std::string out = RunCommand(std::string(VORTANA_BIN) + "/vortana-cad --drawing " + dir + ".dxf --save " + dir +
                                         "_out.dxf --dump " + dir + ".json 2>&1",
                                     &rc);
        EXPECT_EQ(WEXITSTATUS(rc), c.rc) << out;
        EXPECT_NE(out.find(c.output), std::string::npos) << out;
        std::ifstream saved(dir + "_out.dxf"), dump(dir + ".json");
        EXPECT_EQ(saved.good(), c.rc == 0);
        if (c.rc == 0) {
            EXPECT_TRUE(nlohmann::json::accept(dump));
        }
    }
}
