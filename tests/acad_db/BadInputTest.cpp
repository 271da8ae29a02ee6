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

// A drawing with a BLOCKS section (`blocks`: BLOCK ... ENDBLK records) and
// the entities of model space.
std::string WithBlocks(const std::string& blocks, const std::string& entities) {
    return "0\nSECTION\n2\nHEADER\n9\n$ACADVER\n1\nAC1021\n0\nENDSEC\n0\nSECTION\n2\nBLOCKS\n" + blocks +
           "0\nENDSEC\n0\nSECTION\n2\nENTITIES\n" + entities + "0\nENDSEC\n0\nEOF\n";
}

std::string Block(const std::string& name, const std::string& body) {
    return "0\nBLOCK\n8\n0\n2\n" + name + "\n10\n0\n20\n0\n" + body + "0\nENDBLK\n";
}

std::string Insert(const std::string& name) { return "0\nINSERT\n8\n0\n2\n" + name + "\n10\n0\n20\n0\n"; }

// A line whose start x is `x`, and a line with extended data items `items`.
std::string LineAt(const std::string& x) { return "0\nLINE\n8\n0\n10\n" + x + "\n20\n0\n11\n1\n21\n1\n"; }
std::string LineWithXData(const std::string& items) {
    return "0\nLINE\n8\n0\n10\n0\n20\n0\n11\n1\n21\n1\n1001\nQV\n" + items;
}

std::string Sample(const char* name) {
    std::ifstream in(std::string(VORTANA_SOURCE) + "/samples/" + name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

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
                      BadCase{"GroupCodeNotNumber", Drawing("0\nLINE\nxx\n1\n"), L"line 17: a group code was expected"},
                      // Numbers that are no finite value of their group's type.
                      BadCase{"NotANumber", Drawing(LineAt("nan")), L"line 20: malformed number \"nan\" for group code 10"},
                      BadCase{"Infinite", Drawing(LineAt("inf")), L"malformed number \"inf\""},
                      BadCase{"BeyondDouble", Drawing(LineAt("1e400")), L"malformed number \"1e400\""},
                      BadCase{"ShortOutOfRange", Drawing(LineWithXData("1070\n70000\n")),
                              L"line 30: the value \"70000\" is out of range for group code 1070"},
                      BadCase{"LongOutOfRange", Drawing(LineWithXData("1071\n99999999999\n")),
                              L"out of range for group code 1071"},
                      BadCase{"HugeRealForInteger", Drawing("0\nLINE\n8\n0\n62\n1e300\n"),
                              L"out of range for group code 62"},
                      BadCase{"NegativeGroupCode", Drawing("0\nLINE\n-1\nA1\n"), L"line 17: group code -1 is not a DXF group code"},
                      BadCase{"GroupCodeBeyondRange", Drawing("0\nLINE\n99999\nA1\n"), L"group code 99999 is not"},
                      BadCase{"ExtendedDataCodeBeyondRange", Drawing(LineWithXData("1072\n1\n")), L"group code 1072 is not"},
                      BadCase{"BinaryDataOdd", Drawing(LineWithXData("1004\nABC\n")),
                              L"line 30: malformed binary data \"ABC\" for group code 1004"},
                      BadCase{"BinaryDataNotHexadecimal", Drawing(LineWithXData("1004\n0G\n")),
                              L"malformed binary data \"0G\""},
                      BadCase{"BraceNotABrace", Drawing(LineWithXData("1002\n(\n")),
                              L"line 30: a brace of extended data must be \"{\" or \"}\""},
                      BadCase{"MissingEndsec", "0\nSECTION\n2\nENTITIES\n" + kLine + "0\nSECTION\n2\nOBJECTS\n0\nENDSEC\n0\nEOF\n",
                              L"line 23: the section ENTITIES has no ENDSEC"},
                      BadCase{"MissingLastEndsec", "0\nSECTION\n2\nENTITIES\n" + kLine + "0\nEOF\n",
                              L"the section ENTITIES has no ENDSEC"},
                      // Names the tables cannot hold.
                      BadCase{"LayerNameCharacter",
                              "0\nSECTION\n2\nTABLES\n0\nTABLE\n2\nLAYER\n0\nLAYER\n2\nStrade<1>\n70\n0\n0\nENDTAB\n0\nENDSEC\n0\nEOF\n",
                              L"line 12: the layer name \"Strade<1>\" holds a character a layer name may not hold"},
                      BadCase{"CurrentLayerCharacter",
                              "0\nSECTION\n2\nHEADER\n9\n$CLAYER\n8\n*\n0\nENDSEC\n0\nEOF\n",
                              L"line 8: the layer name \"*\""},
                      BadCase{"EntityLayerCharacter", Drawing("0\nLINE\n8\nA|B\n"), L"line 18: the layer name \"A|B\""},
                      BadCase{"BlockNameCharacter", WithBlocks(Block("A/B", ""), ""),
                              L"line 20: the block name \"A/B\" holds a character a block name may not hold"},
                      BadCase{"InsertedBlockNameCharacter", Drawing("0\nINSERT\n8\n0\n2\nA?B\n"),
                              L"line 20: the block name \"A?B\""},
                      BadCase{"ApplicationNameCharacter", Drawing("0\nLINE\n8\n0\n1001\nQV,1\n"),
                              L"line 20: the application name \"QV,1\""},
                      BadCase{"NameTooLong", Drawing("0\nLINE\n8\n" + std::string(100000, 'L') + "\n"),
                              L"line 18: a name of 100000 characters (at most 255)"},
                      // Blocks that insert themselves, however indirectly.
                      BadCase{"BlockWithoutName", WithBlocks(Block("", ""), ""), L"line 15: a BLOCK without a name"},
                      BadCase{"BlockInsertsItself", WithBlocks(Block("A", Insert("A")), Insert("A")),
                              L"line 25: the block \"A\" inserts itself (A > A)"},
                      BadCase{"BlocksInsertEachOther", WithBlocks(Block("A", Insert("B")) + Block("B", Insert("A")), ""),
                              L"the block \"A\" inserts itself (A > B > A)"},
                      // A layout's block is never inserted, in model space or anywhere.
                      BadCase{"ModelSpaceInsertsItself", WithBlocks("", Insert("*Model_Space")),
                              L"line 21: a reference to \"*Model_Space\", the block of a layout"},
                      BadCase{"PaperSpaceInModelSpace", WithBlocks("", Insert("*Paper_Space")),
                              L"line 21: a reference to \"*Paper_Space\", the block of a layout"},
                      BadCase{"OtherPaperSpaceInBlock", WithBlocks(Block("A", Insert("*PAPER_SPACE0")), Insert("A")),
                              L"line 25: a reference to \"*PAPER_SPACE0\", the block of a layout"},
                      // A section is known by its name: one without it is refused, not read as nothing.
                      BadCase{"SectionWithoutName",
                              Sample("strade-innesto.dxf").replace(Sample("strade-innesto.dxf").find("  2\nENTITIES\n"),
                                                                   13, ""),
                              L"line 1861: a SECTION without its name"},
                      BadCase{"SectionThenEof", "0\nSECTION\n0\nEOF\n", L"line 1: a SECTION without its name"},
                      BadCase{"SectionWithEmptyName", "0\nSECTION\n2\n\n" + kLine + "0\nENDSEC\n0\nEOF\n",
                              L"line 1: a SECTION without its name"},
                      BadCase{"SectionNamedLater", "0\nSECTION\n5\n1F\n2\nENTITIES\n" + kLine + "0\nENDSEC\n0\nEOF\n",
                              L"line 1: a SECTION without its name"},
                      // Numbers in groups the reading does not keep are numbers all the same.
                      BadCase{"HeaderPointNotANumber",
                              "0\nSECTION\n2\nHEADER\n9\n$INSBASE\n10\nnan\n20\n0\n30\n0\n0\nENDSEC\n0\nEOF\n",
                              L"line 8: malformed number \"nan\" for group code 10"},
                      BadCase{"HeaderExtentInfinite",
                              "0\nSECTION\n2\nHEADER\n9\n$EXTMIN\n10\n0\n20\ninf\n30\n0\n0\nENDSEC\n0\nEOF\n",
                              L"line 10: malformed number \"inf\" for group code 20"},
                      BadCase{"ViewportTableNotANumber",
                              "0\nSECTION\n2\nTABLES\n0\nTABLE\n2\nVPORT\n0\nVPORT\n2\n*Active\n42\nNaN\n0\nENDTAB\n"
                              "0\nENDSEC\n0\nEOF\n",
                              L"line 14: malformed number \"NaN\" for group code 42"},
                      BadCase{"LayoutObjectNotANumber",
                              "0\nSECTION\n2\nOBJECTS\n0\nLAYOUT\n5\n1A\n100\nAcDbPlotSettings\n40\n-nan\n100\n"
                              "AcDbLayout\n1\nT1\n0\nENDSEC\n0\nEOF\n",
                              L"line 12: malformed number \"-nan\" for group code 40"},
                      BadCase{"EntityGroupNotKept", Drawing("0\nLINE\n8\n0\n10\n0\n20\n0\n11\n1\n21\n1\n48\ninf\n"),
                              L"line 28: malformed number \"inf\" for group code 48"},
                      BadCase{"KindNotKept", Drawing("0\nHATCH\n8\n0\n10\n0\n20\n1e999\n"),
                              L"line 22: malformed number \"1e999\" for group code 20"},
                      BadCase{"OtherSection", "0\nSECTION\n2\nCLASSES\n0\nCLASS\n40\ninf\n0\nENDSEC\n0\nEOF\n",
                              L"line 8: malformed number \"inf\" for group code 40"},
                      // Lines longer than any group's: refused as soon as they pass the bound.
                      BadCase{"EndlessFirstLine", std::string(300000, '\0'),
                              L"line 1: not a DXF file: its first line is longer than 255 bytes"},
                      BadCase{"EndlessCodeLine", Drawing("0\nLINE\n" + std::string(256, ' ') + "8\n0\n"),
                              L"line 17: a line longer than 255 bytes where a group code was expected"},
                      BadCase{"EndlessValue", Drawing("0\nTEXT\n8\n0\n1\n" + std::string((1 << 20) + 1, 'x') + "\n"),
                              L"line 20: the value of group code 1 is longer than 1048576 bytes"}),
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
