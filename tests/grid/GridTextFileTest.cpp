// The grid's texts saved to and loaded from separated text files.
#include <cstdio>
#include <fstream>
#include <string>

#include "GridFixture.h"
#include "HostText.h"

namespace {

class GridTextFile : public GridFixture {
protected:
    std::wstring Path(const char* name) {
        return vplat::ToWindowsPath(std::string(::testing::TempDir()) + "vortana-grid-" + name);
    }
};

}  // namespace

TEST_F(GridTextFile, SavedTextsLoadBack) {
    CGridCtrl grid(4, 3, 1, 0);
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 3; ++c) grid.SetCellText(r, c, (L"t" + std::to_wstring(r) + std::to_wstring(c) + L" \u00e8").c_str());
    grid.SetCellText(2, 1, L"");
    std::wstring path = Path("save.txt");
    ASSERT_TRUE(grid.SaveTextFile(path.c_str(), L';'));

    CGridCtrl loaded;
    ASSERT_TRUE(loaded.LoadTextFile(path.c_str(), L';'));
    ASSERT_EQ(loaded.GetRowCount(), 4);
    ASSERT_EQ(loaded.GetColumnCount(), 3);
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 3; ++c) EXPECT_EQ(loaded.CellText(r, c), grid.CellText(r, c)) << r << "," << c;
    EXPECT_TRUE(vplat::MessageBoxes::All().empty());
    std::remove(vplat::ToPosixPath(path).c_str());
}

TEST_F(GridTextFile, AMissingFileIsReported) {
    CGridCtrl grid(2, 2);
    grid.SetCellText(1, 1, L"resta");
    std::wstring path = Path("missing/none.txt");
    EXPECT_FALSE(grid.LoadTextFile(path.c_str(), L';'));
    ASSERT_EQ(vplat::MessageBoxes::All().size(), 1u);
    EXPECT_NE(vplat::MessageBoxes::All()[0].text.find(L"was not found"), std::wstring::npos);
    EXPECT_EQ(grid.CellText(1, 1), CString(L"resta"));  // nothing was removed
    EXPECT_FALSE(grid.SaveTextFile(path.c_str(), L';'));
    EXPECT_EQ(vplat::MessageBoxes::All().size(), 2u);
}

// A first line longer than any fixed buffer keeps all its columns.
TEST_F(GridTextFile, ALongFirstLineKeepsItsColumns) {
    std::wstring path = Path("long.txt");
    {
        std::ofstream out(vplat::ToPosixPath(path));
        std::string first;
        for (int i = 0; i < 300; ++i) first += (i ? ";" : "") + std::string("c") + std::to_string(1000 + i);
        ASSERT_EQ(first.size(), 1799u);
        out << first << "\n" << "a;b\n";
    }
    CGridCtrl grid;
    ASSERT_TRUE(grid.LoadTextFile(path.c_str(), L';'));
    EXPECT_EQ(grid.GetColumnCount(), 300);
    EXPECT_EQ(grid.CellText(0, 299), CString(L"c1299"));
    EXPECT_EQ(grid.CellText(1, 1), CString(L"b"));
    std::remove(vplat::ToPosixPath(path).c_str());
}

TEST_F(GridTextFile, PrintMarginsKeepWhatIsNegative) {
    CGridCtrl grid;
    int m[7];
    grid.GetPrintMargins(m[0], m[1], m[2], m[3], m[4], m[5], m[6]);
    EXPECT_EQ(std::vector<int>(m, m + 7), (std::vector<int>{2, 2, 4, 4, 1, 1, 1}));
    grid.SetPrintMargins(5, -1, 0, -3, 7, -1, 2);
    grid.GetPrintMargins(m[0], m[1], m[2], m[3], m[4], m[5], m[6]);
    EXPECT_EQ(std::vector<int>(m, m + 7), (std::vector<int>{5, 2, 0, 4, 7, 1, 2}));
}
