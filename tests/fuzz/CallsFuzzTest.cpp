// Files of calls of the roundabout module's managed API with their line ends
// mutated (CR LF, a CR alone, a CR inside a line), with a fixed seed, run by
// the host on the sample plan roundabout: the host ends by itself with 0 or a
// one-line reason, leaves the file of calls as it was, and a drawing it saves
// opens again.
#include <gtest/gtest.h>

#include <arx.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include "DxfFile.h"
#include "HostRunner.h"
#include "HostText.h"

namespace {

constexpr unsigned kSeed = 20261211;
constexpr int kCases = 10;

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

// The line ends of the file changed the way files from other systems have them.
std::string Mutate(const std::string& calls, std::mt19937& rng) {
    auto pick = [&](size_t n) { return std::uniform_int_distribution<size_t>(0, n - 1)(rng); };
    const int how = static_cast<int>(pick(4));
    std::string out;
    for (size_t i = 0; i < calls.size(); ++i) {
        const char c = calls[i];
        if (c != '\n') {
            // A CR inside a line, now and then.
            if (how == 3 && pick(200) == 0) out += '\r';
            out += c;
            continue;
        }
        switch (how) {
        case 0: out += "\r\n"; break;                      // every line CR LF
        case 1: out += '\r'; break;                        // every line a CR alone
        case 2: out += pick(2) ? "\r\n" : "\r"; break;     // both, mixed
        default: out += pick(3) ? "\n" : "\r\n"; break;  // CR LF here and there
        }
    }
    return out;
}

}  // namespace

TEST(CallsFuzz, CrLineEndsEndTheHostCleanlyAndKeepTheirFiles) {
    const std::string sample = ReadAll(VORTANA_SOURCE "/samples/rotatoria.calls");
    ASSERT_FALSE(sample.empty());
    std::mt19937 rng(kSeed);
    TempFolder folder;
    for (int n = 0; n < kCases; ++n) {
        SCOPED_TRACE("case " + std::to_string(n));
        const std::string calls = Mutate(sample, rng);
        const std::string file = "case_" + std::to_string(n) + ".calls", saved = folder.File("case.dxf");
        folder.Write(file, calls);
        std::filesystem::remove(saved);
        // A host that hangs is stopped and counts as a failure.
        HostRun run = RunHost("timeout", {"60", VORTANA_BIN "/vortana-cad", "--drawing",
                                          VORTANA_SOURCE "/samples/rotatoria-tre-rami.dxf", "--load", "Gyroform.dll",
                                          "--managed", folder.File(file), "--save", saved});
        EXPECT_TRUE(run.exitCode == 0 || run.exitCode == 1) << "exit " << run.exitCode << "\n" << run.errors;
        if (run.exitCode == 1) {
            EXPECT_EQ(std::count(run.errors.begin(), run.errors.end(), '\n'), 1) << run.errors;
        }
        EXPECT_EQ(ReadAll(folder.File(file)), calls) << "the file of calls changed";
        if (std::filesystem::exists(saved)) {
            AcDbDatabase db(false);
            std::wstring error;
            EXPECT_TRUE(vplat::ReadDxfFile(saved, &db, &error)) << vplat::WideToUtf8(error);
        }
        if (::testing::Test::HasFailure()) {
            std::ofstream(::testing::TempDir() + "calls_failed_" + std::to_string(n) + ".calls", std::ios::binary)
                << calls;
            return;
        }
    }
}
