// A drawing file read a piece at a time gives what its text gives read whole
// in memory: the same drawing, repairs and failures, whatever the size of the
// pieces; and a file changed while it is read is refused or read as it is now.
#include <cstdlib>
#include <filesystem>
#include <functional>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "DrawingFixture.h"
#include "FileBytes.h"

namespace {

// What one reading gave: the drawing with what was skipped and repaired, or the failure.
struct Outcome {
    bool ok = false;
    std::string dump;
    std::vector<std::wstring> skipped, repairs;
    std::wstring error;
};

// Reads with `read` (text or file) into a fresh drawing.
template <typename ReadFn>
Outcome ReadWith(ReadFn read) {
    AcDbDatabase db(false);
    Outcome o;
    o.ok = read(&db, &o.error, &o.skipped);
    if (o.ok) {
        o.dump = vplat::DumpDrawingJson(&db);
        o.repairs = vplat::LastDxfRepairs();
    } else {
        o.skipped.clear();
    }
    return o;
}

Outcome FromText(const std::string& text) {
    return ReadWith([&](AcDbDatabase* db, std::wstring* e, std::vector<std::wstring>* s) {
        return vplat::ReadDxfText(text, db, e, s);
    });
}

Outcome FromFile(const std::string& path) {
    return ReadWith([&](AcDbDatabase* db, std::wstring* e, std::vector<std::wstring>* s) {
        return vplat::ReadDxfFile(path, db, e, s);
    });
}

std::string Sample(const char* name) { return test_files::ReadFile(std::string(VORTANA_SOURCE) + "/samples/" + name); }

std::string Drawing(const std::string& clayer, const std::string& entities) {
    return "0\nSECTION\n2\nHEADER\n9\n$ACADVER\n1\nAC1021\n9\n$CLAYER\n8\n" + clayer +
           "\n0\nENDSEC\n0\nSECTION\n2\nENTITIES\n" + entities + "0\nENDSEC\n0\nEOF\n";
}

std::string LineOn(const std::string& layer, const std::string& x) {
    return "0\nLINE\n8\n" + layer + "\n10\n" + x + "\n20\n0\n11\n4\n21\n6\n";
}

// A lightweight polyline of `vertices` vertices whose count says `declared`.
std::string LwPolyline(int vertices, int declared, const std::string& layer) {
    std::string s = "0\nLWPOLYLINE\n8\n" + layer + "\n90\n" + std::to_string(declared) + "\n70\n0\n";
    for (int i = 0; i < vertices; ++i) s += "10\n" + std::to_string(i) + ".25\n20\n" + std::to_string(2 * i) + "\n";
    return s;
}

std::string WithCrLf(const std::string& text) {
    std::string out;
    for (char c : text) out += c == '\n' ? std::string("\r\n") : std::string(1, c);
    return out;
}

const std::string kBom = "\xEF\xBB\xBF";

// Pieces of one byte, of a few, smaller and larger than a line, and the usual size.
const size_t kPieceSizes[] = {1, 3, 64, 1000, 0};

class FileReading : public ::testing::Test {
protected:
    void SetUp() override {
        std::string dir = ::testing::TempDir() + "file_reading_XXXXXX";
        ASSERT_NE(mkdtemp(dir.data()), nullptr);
        m_dir = dir + "/";
    }
    void TearDown() override {
        vplat::SetDxfReadPieceSize(0);
        vplat::SetDxfReadBetweenPasses({});
        std::filesystem::remove_all(m_dir);
    }

    // The text written as a file whose time lies in the past, so that any
    // writing over it shows.
    std::string Written(const std::string& text, const char* name = "drawing.dxf") {
        std::string path = m_dir + name;
        test_files::WriteFile(path, text);
        const timespec past[2] = {{1600000000, 0}, {1600000000, 0}};
        EXPECT_EQ(utimensat(AT_FDCWD, path.c_str(), past, 0), 0);
        return path;
    }

    std::string m_dir;
};

struct TextCase {
    const char* name;
    std::string text;
};

void PrintTo(const TextCase& c, std::ostream* os) { *os << c.name; }

class FileInPieces : public FileReading, public ::testing::WithParamInterface<TextCase> {};

}  // namespace

// The samples and texts whose objects, values and line ends stretch over
// pieces read as the same drawing, with the same repairs, as in memory.
TEST_P(FileInPieces, GivesTheDrawingOfTheTextInMemory) {
    const Outcome whole = FromText(GetParam().text);
    ASSERT_TRUE(whole.ok) << vplat::WideToUtf8(whole.error);
    std::string path = Written(GetParam().text);
    for (size_t piece : kPieceSizes) {
        SCOPED_TRACE("pieces of " + std::to_string(piece));
        vplat::SetDxfReadPieceSize(piece);
        Outcome read = FromFile(path);
        ASSERT_TRUE(read.ok) << vplat::WideToUtf8(read.error);
        EXPECT_EQ(read.dump, whole.dump);
        EXPECT_EQ(read.skipped, whole.skipped);
        EXPECT_EQ(read.repairs, whole.repairs);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, FileInPieces,
    ::testing::Values(
        TextCase{"StradeInnesto", Sample("strade-innesto.dxf")}, TextCase{"TavoleInnesto", Sample("tavole-innesto.dxf")},
        TextCase{"RotatorieDue", Sample("rotatorie-due.dxf")},
        TextCase{"StradeApparente", Sample("strade-apparente.dxf")},
        TextCase{"CrLf", WithCrLf(Sample("rotatoria-tre-rami.dxf"))},
        TextCase{"Bom", kBom + Sample("strade-incrocio-curva.dxf")},
        // One object of 400 vertices and a value of 5000 characters, each
        // longer than every piece, between entities on other layers.
        TextCase{"LongObjectAndValue",
                 Drawing("Strade", LineOn("Strade", "1") + LwPolyline(400, 400, "Fossi") +
                                       "0\nTEXT\n8\nTesti\n10\n0\n20\n0\n40\n2.5\n1\n" + std::string(5000, 'x') +
                                       "\n" + LineOn("Strade", "2") + LineOn("Fossi", "3"))},
        TextCase{"NoFinalNewline", kBom + WithCrLf(Drawing("0", LineOn("0", "1"))).substr(
                                              0, WithCrLf(Drawing("0", LineOn("0", "1"))).size() - 2)},
        // Repairs name their lines.
        TextCase{"Repairs", Drawing("0", LwPolyline(2, 5, "0") + LineOn("0", "1") +
                                             "1001\nQV\n1002\n{\n1000\nopen\n" + LwPolyline(1, 1, "0") +
                                             "0\nPOLYLINE\n8\n0\n66\n1\n70\n0\n10\n0\n20\n0\n0\nVERTEX\n8\n0\n10\n1\n"
                                             "20\n0\n0\nSEQEND\n8\n0\n" + "0\nHATCH\n8\n0\n")}),
    [](const ::testing::TestParamInfo<TextCase>& info) { return std::string(info.param.name); });

class BadFileInPieces : public FileReading, public ::testing::WithParamInterface<TextCase> {};

// A bad file fails with the message, and the line, of its text in memory.
TEST_P(BadFileInPieces, FailsAsTheTextInMemory) {
    const Outcome whole = FromText(GetParam().text);
    ASSERT_FALSE(whole.ok);
    std::string path = Written(GetParam().text);
    for (size_t piece : kPieceSizes) {
        SCOPED_TRACE("pieces of " + std::to_string(piece));
        vplat::SetDxfReadPieceSize(piece);
        Outcome read = FromFile(path);
        EXPECT_FALSE(read.ok);
        EXPECT_EQ(vplat::WideToUtf8(read.error), path + ": " + vplat::WideToUtf8(whole.error));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, BadFileInPieces,
    ::testing::Values(
        TextCase{"Empty", ""}, TextCase{"OnlyBom", kBom}, TextCase{"Binary", std::string("AutoCAD Binary DXF\r\n\x1a\0", 22)},
        TextCase{"NotDxf", kBom + "<?xml version=\"1.0\"?>\n<root/>\n"},
        TextCase{"TruncatedInsideGroup", Drawing("0", LineOn("0", "1")).substr(0, Drawing("0", LineOn("0", "1")).find("\n21\n") + 4)},
        TextCase{"TruncatedBeforeEof",
                 WithCrLf(Drawing("0", LineOn("0", "1"))).substr(0, WithCrLf(Drawing("0", LineOn("0", "1"))).find("0\r\nENDSEC\r\n0\r\nEOF"))},
        TextCase{"TruncatedInsideLongValue", Drawing("0", "0\nTEXT\n8\n0\n1\n" + std::string(3000, 'x')).substr(0, 2000)},
        TextCase{"NameTooLong", Drawing("0", LineOn(std::string(100000, 'L'), "1"))},
        TextCase{"SectionWithoutName", "0\nSECTION\n" + Drawing("0", LineOn("0", "1")).substr(19)},
        TextCase{"EndlessFirstLine", std::string(4000, '\0')},
        TextCase{"EndlessCodeLine", Drawing("0", LineOn("0", "1") + std::string(3000, '7'))},
        TextCase{"MalformedNumberInLongObject", Drawing("0", LwPolyline(300, 300, "0") + "10\n1,5\n20\n0\n")},
        // The same layout twice: a bad layer name where a good one stood in
        // the piece before must still be checked.
        TextCase{"BadLayerAfterGoodOne", Drawing("0", LineOn("Good", "1") + LineOn("A|BC", "1"))},
        TextCase{"BadCurrentLayer", Drawing("A|BC", LineOn("0", "1"))}),
    [](const ::testing::TestParamInfo<TextCase>& info) { return std::string(info.param.name); });

// What is no regular file is refused before anything is read from it: a
// device that never ends, a pipe nobody writes. A file of nothing but NUL
// bytes is refused at its first line's bound, not at its end.
TEST_F(FileReading, OnlyRegularFilesAreRead) {
    const std::string fifo = m_dir + "pipe.dxf", zero = m_dir + "zero.dxf";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    std::filesystem::create_symlink("/dev/zero", zero);
    for (const std::string& path : {fifo, zero}) {
        Outcome read = FromFile(path);
        EXPECT_FALSE(read.ok);
        EXPECT_EQ(vplat::WideToUtf8(read.error), path + ": not a regular file (a device, a pipe or a socket): not read");
    }
    // 300 MB of NUL bytes, sparse on disk.
    const std::string nul = m_dir + "nul.dxf";
    int fd = ::open(nul.c_str(), O_WRONLY | O_CREAT, 0600);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(ftruncate(fd, off_t(300) << 20), 0);
    ::close(fd);
    Outcome read = FromFile(nul);
    EXPECT_FALSE(read.ok);
    EXPECT_EQ(vplat::WideToUtf8(read.error),
              nul + ": line 1: not a DXF file: its first line is longer than 255 bytes, where a group code was expected");
}

// A folder is no file to read.
TEST_F(FileReading, FolderCannotBeOpened) {
    std::wstring error;
    AcDbDatabase db(false);
    EXPECT_FALSE(vplat::ReadDxfFile(m_dir, &db, &error));
    EXPECT_EQ(vplat::WideToUtf8(error), "cannot open " + m_dir);
}

namespace {

// How a file is changed between the two passes of its reading, and what the
// reading then gives.
enum class Change { WrittenOver, WrittenOverKeepingTime, ReplacedByRename, Removed };
enum class Gives { Refusal, Original, NewText };

struct ChangeCase {
    const char* name;
    std::function<std::string(const std::string&)> edit;  // the new text from the old
    Change change;
    Gives gives;
};

void PrintTo(const ChangeCase& c, std::ostream* os) { *os << c.name; }

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
    return text.replace(text.find(from), from.size(), to);
}

const std::string kChanging = Drawing("StradeA", LineOn("StradeA", "1.5") + LwPolyline(40, 40, "Fossi") +
                                                      LineOn("Fossi", "2.5") + LineOn("StradeA", "3.5"));

class FileChanged : public FileReading, public ::testing::WithParamInterface<ChangeCase> {};

}  // namespace

TEST_P(FileChanged, IsRefusedOrReadAsItIsNow) {
    const ChangeCase& c = GetParam();
    const std::string changed = c.edit(kChanging);
    for (size_t piece : {size_t(16), size_t(0)}) {
        SCOPED_TRACE("pieces of " + std::to_string(piece));
        vplat::SetDxfReadPieceSize(piece);
        std::string path = Written(kChanging);
        vplat::SetDxfReadBetweenPasses([&] {
            struct stat before {};
            ASSERT_EQ(stat(path.c_str(), &before), 0);
            switch (c.change) {
            case Change::WrittenOver: test_files::WriteFile(path, changed); break;
            case Change::WrittenOverKeepingTime: {
                test_files::WriteFile(path, changed);
                const timespec times[2] = {before.st_atim, before.st_mtim};
                ASSERT_EQ(utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
                break;
            }
            case Change::ReplacedByRename:
                test_files::WriteFile(path + ".new", changed);
                std::filesystem::rename(path + ".new", path);
                break;
            case Change::Removed: std::filesystem::remove(path); break;
            }
        });
        Outcome read = FromFile(path);
        vplat::SetDxfReadBetweenPasses({});
        switch (c.gives) {
        case Gives::Refusal:
            EXPECT_FALSE(read.ok);
            EXPECT_EQ(vplat::WideToUtf8(read.error), path + ": the file changed while it was read");
            break;
        case Gives::Original:
            ASSERT_TRUE(read.ok) << vplat::WideToUtf8(read.error);
            EXPECT_EQ(read.dump, FromText(kChanging).dump);
            break;
        case Gives::NewText:
            ASSERT_TRUE(read.ok) << vplat::WideToUtf8(read.error);
            EXPECT_EQ(read.dump, FromText(changed).dump);
            EXPECT_NE(read.dump, FromText(kChanging).dump);
            break;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Changes, FileChanged,
    ::testing::Values(
        ChangeCase{"Shorter", [](const std::string& t) { return t.substr(0, t.size() / 2); }, Change::WrittenOver,
                   Gives::Refusal},
        ChangeCase{"ShorterKeepingTime", [](const std::string& t) { return t.substr(0, t.size() / 2); },
                   Change::WrittenOverKeepingTime, Gives::Refusal},
        ChangeCase{"EmptyKeepingTime", [](const std::string&) { return std::string(); },
                   Change::WrittenOverKeepingTime, Gives::Refusal},
        ChangeCase{"LongerKeepingTime",
                   [](const std::string& t) { return Replaced(t, "0\nENDSEC\n0\nEOF", LineOn("0", "9") + "0\nENDSEC\n0\nEOF"); },
                   Change::WrittenOverKeepingTime, Gives::Refusal},
        ChangeCase{"SameSize", [](const std::string& t) { return Replaced(t, "1.5", "7.5"); }, Change::WrittenOver,
                   Gives::Refusal},
        ChangeCase{"HeaderSameSizeKeepingTime", [](const std::string& t) { return Replaced(t, "StradeA", "StradeB"); },
                   Change::WrittenOverKeepingTime, Gives::Refusal},
        ChangeCase{"SyntaxSameSizeKeepingTime", [](const std::string& t) { return Replaced(t, "\n21\n", "\nxx\n"); },
                   Change::WrittenOverKeepingTime, Gives::Refusal},
        // A change that neither the size, the time nor the header shows
        // reads the file as it is now, never a mix of both.
        ChangeCase{"EntitySameSizeKeepingTime", [](const std::string& t) { return Replaced(t, "3.5", "7.5"); },
                   Change::WrittenOverKeepingTime, Gives::NewText},
        // The file opened is read to its end, whatever now bears its name.
        ChangeCase{"ReplacedByRename", [](const std::string& t) { return t.substr(0, t.size() / 2); },
                   Change::ReplacedByRename, Gives::Original},
        ChangeCase{"Removed", [](const std::string& t) { return t; }, Change::Removed, Gives::Original}),
    [](const ::testing::TestParamInfo<ChangeCase>& info) { return std::string(info.param.name); });

// Group codes as writers put them, alone or aligned with spaces, read alike;
// a code that is no number fails as it always did.
TEST_F(FileReading, GroupCodesReadAlikeHoweverAligned) {
    const Outcome plain = FromText(Drawing("0", LineOn("0", "1.5")));
    ASSERT_TRUE(plain.ok);
    for (const char* code : {"  10", " 10", "10 ", "\t10", "0010", "10\r", "  10 \r"}) {
        SCOPED_TRACE(code);
        std::string text = Replaced(Drawing("0", LineOn("0", "1.5")), "\n10\n", std::string("\n") + code + "\n");
        Outcome read = FromText(text);
        ASSERT_TRUE(read.ok) << vplat::WideToUtf8(read.error);
        EXPECT_EQ(read.dump, plain.dump);
    }
    for (const char* code : {"1 0", "+10", "10x", "  1072", "01072"}) {
        SCOPED_TRACE(code);
        std::string text = Replaced(Drawing("0", LineOn("0", "1.5")), "\n10\n", std::string("\n") + code + "\n");
        EXPECT_FALSE(FromText(text).ok);
    }
}
