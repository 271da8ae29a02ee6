// The sample generators write the same files on every run: the samples in
// the tree are exactly what rebuilding them writes, so that a build of the
// sample targets leaves the tree unchanged.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include <unistd.h>

namespace fs = std::filesystem;

namespace {

std::string Bytes(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

class SampleGeneratorsTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_folder = fs::temp_directory_path() / ("vortana_samples_" + std::to_string(getpid()));
        fs::remove_all(m_folder);
        fs::create_directories(m_folder / "Sheetor");
    }
    void TearDown() override { fs::remove_all(m_folder); }
    // Every file the generator wrote equals the sample of that name.
    void Uguali(const std::vector<std::string>& files) {
        const fs::path samples = fs::path(VORTANA_SOURCE) / "samples";
        for (const std::string& f : files) {
            ASSERT_TRUE(fs::exists(m_folder / f)) << f;
            EXPECT_TRUE(Bytes(m_folder / f) == Bytes(samples / f)) << f << " differs from the sample in the tree";
        }
    }
    fs::path m_folder;
};

TEST_F(SampleGeneratorsTest, RoadAndRoundaboutSamplesAreThoseInTheTree) {
    const std::string tool = std::string(VORTANA_BIN) + "/../tools/road-samples";
    const std::string cmd = "'" + tool + "' | /usr/bin/python3 " VORTANA_SOURCE "/samples/roads/make_road_samples.py '" +
                            m_folder.string() + "' > /dev/null";
    ASSERT_EQ(std::system(cmd.c_str()), 0);
    Uguali({"strade-innesto.dxf", "strade-apparente.dxf", "strade-incrocio-curva.dxf", "rotatoria-tre-rami.dxf",
            "rotatorie-due.dxf"});
}

TEST_F(SampleGeneratorsTest, SheetorSamplesAreThoseInTheTree) {
    fs::copy_file(fs::path(VORTANA_SOURCE) / "samples" / "strade-innesto.dxf", m_folder / "strade-innesto.dxf");
    const std::string cmd = "/usr/bin/python3 " VORTANA_SOURCE "/samples/Sheetor/make_sheetor_samples.py '" +
                            m_folder.string() + "' > /dev/null";
    ASSERT_EQ(std::system(cmd.c_str()), 0);
    Uguali({"Sheetor/Cartiglio.dwg", "Sheetor/Nord.dwg", "tavole-innesto.dxf"});
}

}  // namespace
