// Mutated drawings, made from the bundled samples with a fixed seed: each is
// refused with a message or read; one that is read saves as valid UTF-8 that
// reads again here and audits clean in ezdxf, dumps as valid JSON and
// renders. The sanitizer build runs the same cases.
#include <gtest/gtest.h>

#include <arx.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include <unistd.h>

#include <nlohmann/json.hpp>

#include "DrawingDump.h"
#include "DrawingRender.h"
#include "DxfFile.h"
#include "HostText.h"

namespace {

constexpr unsigned kSeed = 20261210;
constexpr int kCases = 1500;

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) out.push_back(line);
    return out;
}

std::string Trim(const std::string& s) {
    size_t b = s.find_first_not_of(" \r"), e = s.find_last_not_of(" \r");
    return b == std::string::npos ? std::string() : s.substr(b, e - b + 1);
}

std::string Join(const std::vector<std::string>& lines) {
    std::string out;
    for (const std::string& l : lines) out += l + "\n";
    return out;
}

// Values and codes that have hurt readers: non-finite and out-of-range
// numbers, handles at the edge, braces, broken UTF-8, forbidden names,
// binary data that is no pairs of hexadecimal digits.
const std::vector<std::string> kValues = {
    "nan", "inf", "-inf", "1e400", "-1e400", "70000", "99999999999", "-1", "0", "1.5", "x", "",
    "FFFFFFFFFFFFFFFF", "FFFFFFFFFFFFFFFFF", "{", "}", "\xED\xA0\x80", "\xC0\xAF", "\\U+D800",
    "A<B", std::string(300, 'N'), "*Model_Space", "*Paper_Space", "AC1015", "SECTION", "EOF", "ENDSEC",
    // binary data: odd, not hexadecimal, lower case, long
    "ABC", "0G", "0a1b", std::string(300, 'F')};
const std::vector<std::string> kCodes = {"-1", "99999", "1072", "1002", "1001", "1004", "0", "2", "5", "10", "70", "x"};

class Mutator {
public:
    explicit Mutator(unsigned seed) : m_rng(seed) {}

    std::string Mutate(const std::string& sample) {
        std::vector<std::string> l = Lines(sample);
        int steps = 1 + Pick(3);
        for (int s = 0; s < steps && l.size() > 4; ++s) {
            size_t i = Pick(l.size() / 2) * 2;  // a group code line; i + 1 is its value
            switch (Pick(11)) {
            case 0: l[i + 1] = kValues[Pick(kValues.size())]; break;
            case 1: l[i] = kCodes[Pick(kCodes.size())]; break;
            case 2: l.erase(l.begin() + static_cast<long>(Pick(l.size()))); break;
            case 3: l.erase(l.begin() + static_cast<long>(i), l.begin() + static_cast<long>(i + 2)); break;
            case 4: {  // a run of groups copied elsewhere
                size_t n = 2 * (1 + Pick(10)), from = std::min(i, l.size() - 2);
                std::vector<std::string> run(l.begin() + static_cast<long>(from),
                                             l.begin() + static_cast<long>(std::min(l.size(), from + n)));
                size_t to = Pick(l.size() / 2) * 2;
                l.insert(l.begin() + static_cast<long>(to), run.begin(), run.end());
                break;
            }
            case 5: std::swap(l[i + 1], l[Pick(l.size() / 2) * 2 + 1]); break;
            case 6: l.resize(Pick(l.size())); break;
            case 7: {
                std::string& v = l[i + 1];
                if (!v.empty()) v[Pick(v.size())] = static_cast<char>(Pick(256));
                break;
            }
            case 8:  // a section's name dropped
                for (size_t k = i; k + 3 < l.size(); k += 2)
                    if (Trim(l[k]) == "0" && Trim(l[k + 1]) == "SECTION") {
                        l.erase(l.begin() + static_cast<long>(k + 2), l.begin() + static_cast<long>(k + 4));
                        break;
                    }
                break;
            case 9:  // a layer name emptied
                for (size_t k = i; k + 1 < l.size(); k += 2)
                    if (Trim(l[k]) == "8") {
                        l[k + 1].clear();
                        break;
                    }
                break;
            default:  // a reference to another block, or to a space
                for (size_t k = i; k + 3 < l.size(); k += 2)
                    if (l[k] == "  0" && l[k + 1] == "INSERT") {
                        for (size_t j = k + 2; j + 1 < l.size() && l[j] != "  0"; j += 2)
                            if (l[j] == "  2") l[j + 1] = Pick(2) ? "*Model_Space" : BlockName(l);
                        break;
                    }
                break;
            }
        }
        return Join(l);
    }

private:
    size_t Pick(size_t n) { return n == 0 ? 0 : std::uniform_int_distribution<size_t>(0, n - 1)(m_rng); }

    std::string BlockName(const std::vector<std::string>& l) {
        std::vector<std::string> names;
        for (size_t k = 0; k + 3 < l.size(); k += 2)
            if (l[k] == "  0" && l[k + 1] == "BLOCK")
                for (size_t j = k + 2; j + 1 < l.size() && l[j] != "  0"; j += 2)
                    if (l[j] == "  2") names.push_back(l[j + 1]);
        return names.empty() ? "*Model_Space" : names[Pick(names.size())];
    }

    std::mt19937 m_rng;
};

// Groups written as the writers of the format write them: the code right
// aligned in three columns, the value on the next line.
std::string Groups(std::initializer_list<std::pair<int, std::string>> groups) {
    std::string out;
    for (const auto& [code, value] : groups) {
        std::string c = std::to_string(code);
        out += std::string(c.size() < 3 ? 3 - c.size() : 0, ' ') + c + "\n" + value + "\n";
    }
    return out;
}

// The road samples hold no blocks, texts or layouts: this drawing brings
// nested references with attributes, texts and a viewport into the mix.
std::string BlocksSample() {
    auto insert = [](const char* block, const char* x) {
        return Groups({{0, "INSERT"}, {8, "0"}, {2, block}, {10, x}, {20, "0"}, {50, "15"}, {41, "2"}, {42, "2"}});
    };
    return Groups({{0, "SECTION"}, {2, "HEADER"}, {9, "$ACADVER"}, {1, "AC1021"}, {9, "$HANDSEED"}, {5, "200"},
                   {0, "ENDSEC"}, {0, "SECTION"}, {2, "TABLES"}, {0, "TABLE"}, {2, "APPID"}, {0, "APPID"},
                   {2, "QV-VORTANA-NPOLI"}, {70, "0"}, {0, "ENDTAB"}, {0, "ENDSEC"}, {0, "SECTION"}, {2, "BLOCKS"},
                   {0, "BLOCK"}, {8, "0"}, {2, "NORD"}, {70, "2"}, {10, "1"}, {20, "0"}, {0, "LINE"}, {8, "0"},
                   {10, "0"}, {20, "0"}, {11, "4"}, {21, "0"}, {0, "ATTDEF"}, {8, "0"}, {10, "1"}, {20, "2"},
                   {40, "0.5"}, {1, "v"}, {50, "10"}, {3, "Quota"}, {2, "QUOTA"}, {70, "0"}, {0, "ENDBLK"},
                   {0, "BLOCK"}, {8, "0"}, {2, "CONT"}, {70, "0"}, {10, "0"}, {20, "0"}}) +
           insert("NORD", "3") + Groups({{0, "ENDBLK"}, {0, "ENDSEC"}, {0, "SECTION"}, {2, "ENTITIES"}}) +
           insert("NORD", "5") +
           Groups({{66, "1"}, {0, "ATTRIB"}, {8, "0"}, {10, "4"}, {20, "9"}, {40, "1"}, {1, "12.5"}, {50, "25"},
                   {2, "QUOTA"}, {70, "0"}, {0, "SEQEND"}, {8, "0"}}) +
           insert("CONT", "20") +
           Groups({{0, "TEXT"}, {8, "0"}, {10, "0"}, {20, "0"}, {40, "1"}, {1, "km 1+250"}, {50, "90"},
                   {1001, "QV-VORTANA-NPOLI"}, {1070, "1"}, {1002, "{"}, {1000, "CDX"}, {1004, "0A1B2C"},
                   {1002, "}"},
                   {0, "LWPOLYLINE"}, {8, "0"}, {90, "3"}, {70, "0"}, {10, "0"}, {20, "0"}, {42, "0.5"},
                   {10, "5"}, {20, "5"}, {10, "10"}, {20, "0"}, {0, "VIEWPORT"}, {8, "0"}, {67, "1"}, {10, "50"},
                   {20, "50"}, {40, "100"}, {41, "80"}, {68, "1"}, {69, "2"}, {12, "0"}, {22, "0"}, {17, "10"},
                   {27, "5"}, {37, "0"}, {45, "40"}, {51, "330"}, {0, "ENDSEC"}, {0, "EOF"}});
}

std::vector<std::string> Samples() {
    std::vector<std::string> out{BlocksSample()};
    for (const auto& e : std::filesystem::directory_iterator(std::string(VORTANA_SOURCE) + "/samples"))
        if (e.path().extension() == ".dxf") {
            std::ifstream in(e.path(), std::ios::binary);
            out.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        }
    std::sort(out.begin(), out.end());
    return out;
}

bool HaveEzdxf() { return std::system("/usr/bin/python3 -c 'import ezdxf' >/dev/null 2>&1") == 0; }

}  // namespace

TEST(DrawingFuzz, MutatedSamplesAreRefusedOrReadSavedDumpedAndRendered) {
    std::vector<std::string> samples = Samples();
    for (const std::string& sample : samples) {
        AcDbDatabase db(false);
        std::wstring error;
        ASSERT_TRUE(vplat::ReadDxfText(sample, &db, &error)) << vplat::WideToUtf8(error);
    }
    Mutator mutator(kSeed);
    // A folder of this process's own: other builds on the machine run the same cases.
    std::string dir = ::testing::TempDir() + "fuzz-" + std::to_string(::getpid()) + "/";
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    // Kept only when a case failed, for a look at it.
    struct Cleanup {
        std::string dir;
        ~Cleanup() {
            std::error_code ec;
            if (!::testing::Test::HasFailure()) std::filesystem::remove_all(dir, ec);
        }
    } cleanup{dir};
    std::vector<std::string> saved;
    int refused = 0;
    for (int n = 0; n < kCases; ++n) {
        std::string text = mutator.Mutate(samples[static_cast<size_t>(n) % samples.size()]);
        SCOPED_TRACE("case " + std::to_string(n));
        AcDbDatabase db(false);
        std::wstring error;
        if (!vplat::ReadDxfText(text, &db, &error)) {
            EXPECT_EQ(error.rfind(L"line ", 0), 0u) << vplat::WideToUtf8(error);
            ++refused;
            continue;
        }
        std::string out = vplat::WriteDxfText(&db);
        EXPECT_EQ(vplat::WideToUtf8(vplat::Utf8ToWide(out)), out) << "not valid UTF-8";
        AcDbDatabase again(false);
        EXPECT_TRUE(vplat::ReadDxfText(out, &again, &error)) << vplat::WideToUtf8(error);
        EXPECT_TRUE(vplat::LastDxfRepairs().empty());
        EXPECT_TRUE(nlohmann::json::accept(vplat::DumpDrawingJson(&db)));
        vplat::RenderOptions o;
        o.width = 64, o.height = 48;
        std::vector<unsigned> px;
        EXPECT_TRUE(vplat::RenderDrawingPixels(&db, o, px, nullptr));
        if (::testing::Test::HasFailure()) {
            std::ofstream(dir + "failed_" + std::to_string(n) + ".dxf", std::ios::binary) << text;
            return;
        }
        saved.push_back(dir + "case_" + std::to_string(n) + ".dxf");
        std::ofstream(saved.back(), std::ios::binary) << out;
    }
    // Both ways are taken: the cases are not all refused, nor all read.
    EXPECT_GT(refused, kCases / 10);
    EXPECT_GT(saved.size(), static_cast<size_t>(kCases / 10));
    vplat::ShutdownRenderer();

    if (!HaveEzdxf()) GTEST_SKIP() << "ezdxf is not installed";
    std::string script = dir + "audit.py";
    std::ofstream(script) << "import ezdxf, glob, sys\n"
                             "bad = 0\n"
                             "for path in sorted(glob.glob(sys.argv[1] + 'case_*.dxf')):\n"
                             "    errors = ezdxf.readfile(path).audit().errors\n"
                             "    if errors:\n"
                             "        bad += 1\n"
                             "        print(path, [str(e.message) for e in errors])\n"
                             "print('audited with errors:', bad)\n";
    FILE* p = popen(("/usr/bin/python3 " + script + " " + dir + " 2>&1").c_str(), "r");
    ASSERT_NE(p, nullptr);
    std::string report;
    char buf[4096];
    for (size_t k; (k = fread(buf, 1, sizeof buf, p)) > 0;) report.append(buf, k);
    EXPECT_EQ(pclose(p), 0) << report;
    EXPECT_NE(report.find("audited with errors: 0"), std::string::npos) << report;
}
