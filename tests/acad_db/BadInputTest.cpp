#include <fstream>
#include <set>

#include "DrawingFixture.h"

namespace {

// A small valid drawing text with one line; `body` goes into ENTITIES.
std::string Drawing(const std::string& body) {
    return "0\nSECTION\n2\nHEADER\n9\n$ACADVER\n1\nAC1015\n0\nENDSEC\n"
           "0\nSECTION\n2\nENTITIES\n" +
           body + "0\nENDSEC\n0\nEOF\n";
}

const std::string kLine = "0\nLINE\n5\nA1\n8\nStrade\n10\n1.5\n20\n2\n30\n0\n11\n4\n21\n6\n31\n0\n";

struct BadCase {
    const char* name;
    std::string text;
    const wchar_t* message;  // part of the message, with the line it names
};

}  // namespace

class BadDxf : public DrawingTest, public ::testing::WithParamInterface<BadCase> {};

// A file that cannot be read fails with a message naming the line, and the
// drawing open before keeps everything it had.
TEST_P(BadDxf, FailsNamingTheLineAndKeepsTheDrawing) {
    AcDbObjectId kept = Append(new AcDbCircle(AcGePoint3d(1, 1, 0), AcGeVector3d::kZAxis, 4));
    std::string before = DumpWithoutSeed(db());
    std::string path = ::testing::TempDir() + "bad_" + GetParam().name + ".dxf";
    std::ofstream(path, std::ios::binary) << GetParam().text;
    std::wstring wpath = vplat::ToWindowsPath(path);
    EXPECT_NE(db()->dxfIn(wpath.c_str()), Acad::eOk);
    EXPECT_NE(vplat::LastDxfError().find(GetParam().message), std::wstring::npos)
        << vplat::WideToUtf8(vplat::LastDxfError());
    EXPECT_EQ(DumpWithoutSeed(db()), before);
    AcDbCircle* c = nullptr;
    ASSERT_EQ(acdbOpenObject(c, kept, AcDb::kForRead), Acad::eOk);
    EXPECT_EQ(c->radius(), 4);
    c->close();
}

INSTANTIATE_TEST_SUITE_P(
    Files, BadDxf,
    ::testing::Values(BadCase{"NotDxf", "<?xml version=\"1.0\"?>\n<root/>\n", L"line 1: not a DXF file"},
                      BadCase{"Empty", "", L"not a DXF file"},
                      BadCase{"NoSection", "0\nLINE\n0\nEOF\n", L"line 1: not a DXF file: expected 0 SECTION"},
                      BadCase{"TruncatedInsideGroup", Drawing(kLine).substr(0, Drawing(kLine).find("21\n") + 3),
                              L"the file ends inside a group"},
                      BadCase{"TruncatedBeforeEof", Drawing(kLine).substr(0, Drawing(kLine).find("0\nENDSEC\n0\nEOF")),
                              L"the file ends before 0 EOF"},
                      // The x of the line start stands on line 22.
                      BadCase{"MalformedReal", Drawing("0\nLINE\n5\nA1\n8\n0\n10\n1,5\n20\n2\n11\n4\n21\n6\n"),
                              L"line 22: malformed number \"1,5\" for group code 10"},
                      BadCase{"MalformedInteger", Drawing("0\nCIRCLE\n5\nA2\n62\nred\n10\n0\n20\n0\n40\n1\n"),
                              L"line 20: malformed number \"red\" for group code 62"},
                      BadCase{"GroupCodeNotNumber", Drawing("0\nLINE\nxx\n1\n"), L"line 17: a group code was expected"}),
    [](const ::testing::TestParamInfo<BadCase>& info) { return std::string(info.param.name); });

// A path that does not exist reports that it cannot be opened.
TEST_F(DrawingTest, MissingFileCannotBeOpened) {
    EXPECT_EQ(db()->dxfIn(L"Z:\\nowhere\\none.dxf"), Acad::eFileNotFound);
    EXPECT_NE(vplat::LastDxfError().find(L"cannot open"), std::wstring::npos);
}

// Unknown entities and objects are skipped and reported; what is known reads.
TEST_F(DrawingTest, UnknownEntitiesAreSkipped) {
    std::string text = Drawing("0\nELLIPSE\n5\nB0\n8\n0\n10\n0\n20\n0\n30\n0\n" + kLine +
                               "0\nMTEXT\n5\nB1\n1\nhello\n0\nVERTEX\n5\nB2\n10\n0\n20\n0\n");
    AcDbDatabase read(false);
    std::vector<std::wstring> skipped;
    std::wstring error;
    ASSERT_TRUE(vplat::ReadDxfText(text, &read, &error, &skipped)) << vplat::WideToUtf8(error);
    EXPECT_EQ(skipped, (std::vector<std::wstring>{L"ELLIPSE x1", L"MTEXT x1", L"VERTEX x1"}));
    AcDbObjectId id;
    ASSERT_EQ(read.getAcDbObjectId(id, false, AcDbHandle(0xA1)), Acad::eOk);
    auto* line = vplat::Peek<AcDbLine>(id);
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(line->startPoint(), AcGePoint3d(1.5, 2, 0));
    // The layer the line names is created, as the file has no table for it.
    EXPECT_EQ(line->layerName(), L"Strade");
    EXPECT_FALSE(vplat::Peek<AcDbLayerTable>(read.layerTableId())->find(L"strade").isNull());
}

// Handles that clash in a file are made unique; new objects never reuse one.
TEST_F(DrawingTest, DuplicateHandlesAreRenumbered) {
    std::string text = Drawing(kLine + kLine);
    AcDbDatabase read(false);
    ASSERT_TRUE(vplat::ReadDxfText(text, &read, nullptr));
    std::set<uint64_t> handles;
    size_t n = 0;
    for (const auto& s : read.store().Stubs()) {
        handles.insert(s->handle);
        ++n;
    }
    EXPECT_EQ(handles.size(), n);
    EXPECT_GT(read.handseed().value(), *handles.rbegin());
}

// Files before release 2007 are in the Windows code page, with \U+ escapes.
TEST_F(DrawingTest, OlderFilesReadInTheCodePage) {
    std::string text = Drawing("0\nTEXT\n5\nC1\n8\n0\n10\n0\n20\n0\n40\n1\n1\nperch\xe9 \x80 \\U+03A9\n");
    AcDbDatabase read(false);
    ASSERT_TRUE(vplat::ReadDxfText(text, &read, nullptr));
    AcDbObjectId id;
    ASSERT_EQ(read.getAcDbObjectId(id, false, AcDbHandle(0xC1)), Acad::eOk);
    EXPECT_STREQ(vplat::Peek<AcDbText>(id)->textStringConst(), L"perch\u00e9 \u20ac \u03a9");
}
