// The grid printed through the print dialog to the platform's PDF printer.
#include <WinClock.h>
#include <WinPrint.h>

#include <filesystem>
#include <string>
#include <vector>

#include "GridFixture.h"
#include "HostScript.h"
#include "HostText.h"
#include "PdfPages.h"

namespace {

class GridPrint : public GridFixture {
protected:
    void SetUp() override {
        GridFixture::SetUp();
        // One folder a test: ctest runs the tests side by side.
        m_folder = std::filesystem::path(::testing::TempDir()) /
                   (std::string("vortana-grid-print-") + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(m_folder);
    }
    void TearDown() override {
        std::filesystem::remove_all(m_folder);
        vplat::Clock::Get().Set(0);
        GridFixture::TearDown();
    }
    // Prints the grid through the dialog the script answers with `answer`.
    BOOL Print(CGridCtrl& grid, const std::wstring& answer) {
        vplat::Script::Get().Load(L"print " + answer + L"\n");
        vplat::GdiLog::Clear();
        return grid.PrintAll();
    }
    std::wstring File(const char* name) const { return (m_folder / name).wstring(); }
    // The footers drawn, in order: "Page k of N".
    static std::vector<std::string> Footers() {
        std::vector<std::string> pages;
        for (const std::string& entry : vplat::GdiLog::Matching("\"Page "))
            pages.push_back(entry.substr(entry.find("\"Page ") + 1, entry.find('"', entry.find("\"Page ") + 1) - entry.find("\"Page ") - 1));
        return pages;
    }

    std::filesystem::path m_folder;
};

// A 3-column grid with one fixed row and `bodyRows` body rows.
void Fill(CGridCtrl& grid, int bodyRows) {
    grid.SetRows(bodyRows + 1);
    grid.SetColumns(3);
    grid.SetHeaderRows(1);
    for (int c = 0; c < 3; ++c) grid.SetCellText(0, c, (L"Head" + std::to_wstring(c)).c_str());
    for (int r = 1; r <= bodyRows; ++r) grid.SetCellText(r, 0, (L"row" + std::to_wstring(r)).c_str());
}

}  // namespace

TEST_F(GridPrint, PagesCarryTheHeaderAndNumberTheirFooters) {
    CGridCtrl grid;
    Fill(grid, 120);
    vplat::Clock::Get().Set(90061000);  // one day, one hour, one minute and one second in
    std::wstring pdf = File("out.pdf");
    ASSERT_TRUE(Print(grid, pdf));
    EXPECT_TRUE(vplat::Script::Get().Mismatches().empty());
    int pages = test_files::PdfPageCount(pdf);
    ASSERT_GT(pages, 1);
    std::vector<std::string> footers = Footers();
    ASSERT_EQ(static_cast<int>(footers.size()), pages);
    for (int k = 1; k <= pages; ++k)
        EXPECT_EQ(footers[k - 1], "Page " + std::to_string(k) + " of " + std::to_string(pages));
    EXPECT_EQ(static_cast<int>(Drawn("\"Head1\"").size()), pages);  // the fixed row on every page
    EXPECT_EQ(static_cast<int>(Drawn("\"Fri Jan  2 01:01:01 2026\"").size()), pages);
    // Every body row printed once, the last on the last page.
    EXPECT_EQ(Drawn("\"row1\"").size(), 1u);
    EXPECT_EQ(Drawn("\"row120\"").size(), 1u);
    EXPECT_EQ(Drawn("EndPage").size(), static_cast<size_t>(pages));
}

TEST_F(GridPrint, ACancelledDialogWritesNothing) {
    CGridCtrl grid;
    Fill(grid, 5);
    EXPECT_FALSE(Print(grid, L"<cancel>"));
    EXPECT_TRUE(std::filesystem::is_empty(m_folder));
    EXPECT_TRUE(Drawn("StartDoc").empty());
}

// A body row taller than the page, or margins that leave no room for any
// row, still print one row a page, and the job ends.
TEST_F(GridPrint, EveryPageHoldsAtLeastOneRow) {
    struct Case {
        const char* name;
        int rowHeight;
        int headerMargin;
    } cases[] = {{"tall rows", 5000, 2}, {"no room left", 20, 400}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CGridCtrl grid;
        Fill(grid, 3);
        for (int r = 1; r <= 3; ++r) grid.SetRowHeight(r, c.rowHeight);
        grid.SetPrintMargins(c.headerMargin, -1, -1, -1, -1, -1, -1);
        std::wstring pdf = File("tall.pdf");
        ASSERT_TRUE(Print(grid, pdf));
        EXPECT_EQ(test_files::PdfPageCount(pdf), 3);
        std::vector<std::string> footers = Footers();
        ASSERT_EQ(footers.size(), 3u);
        EXPECT_EQ(footers[2], "Page 3 of 3");
        for (const char* row : {"\"row1\"", "\"row2\"", "\"row3\""}) EXPECT_EQ(Drawn(row).size(), 1u) << row;
    }
}

// At screen size, columns wider than the page continue on further pages,
// each page printing only its own columns.
TEST_F(GridPrint, AtScreenSizeColumnsContinueOnFurtherPages) {
    CGridCtrl grid;
    Fill(grid, 3);
    grid.wysiwygPrinting = 1;
    for (int c = 0; c < 3; ++c) grid.SetWidthOfColumn(c, 400);
    std::wstring pdf = File("wide.pdf");
    ASSERT_TRUE(Print(grid, pdf));
    EXPECT_EQ(test_files::PdfPageCount(pdf), 3);
    std::vector<std::string> footers = Footers();
    ASSERT_EQ(footers.size(), 3u);
    EXPECT_EQ(footers[2], "Page 3 of 3");
    for (const char* head : {"\"Head0\"", "\"Head1\"", "\"Head2\""}) EXPECT_EQ(Drawn(head).size(), 1u) << head;
    EXPECT_EQ(Drawn("\"row2\"").size(), 1u);
}
