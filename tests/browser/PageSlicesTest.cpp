// Printed pages: where a page is cut between rows, lines and forced breaks.
#include <gtest/gtest.h>

#include "HtmlPage.h"

namespace {

constexpr int kPage = 1027;

// Rows of one line of 16-pixel text, 19 pixels apart, from the top of the page.
std::string Rows(int count, const std::string& cellStyle = "") {
    std::string html =
        "<html><body style='margin:0;font-size:16px'><table style='border-spacing:0;border-collapse:collapse'>";
    for (int i = 0; i < count; ++i)
        html += "<tr><td style='padding:0;" + cellStyle + "'>riga " + std::to_string(i) + "</td></tr>";
    return html + "</table></body></html>";
}

std::vector<std::pair<int, int>> Slices(const std::string& html, int width = 698) {
    vplat::HtmlPage page(html, true);
    page.Layout(width, kPage);
    return page.Slices(kPage);
}

}  // namespace

TEST(PageSlices, RowThatDoesNotFitMovesToTheNextPage) {
    auto slices = Slices(Rows(120));
    ASSERT_EQ(slices.size(), 3u);
    // 54 rows fit a page (54 x 19 = 1026); the 55th starts the next one.
    EXPECT_EQ(slices[0], std::make_pair(0, 1026));
    EXPECT_EQ(slices[1], std::make_pair(1026, 2052));
    EXPECT_EQ(slices[2], std::make_pair(2052, 120 * 19));
}

TEST(PageSlices, LinesOfAParagraphAreNeverCut) {
    std::string text;
    for (int i = 0; i < 800; ++i) text += "parola ";
    std::string html = "<html><body style='margin:0;font-size:16px'><p style='margin:0'>" + text + "</p></body></html>";
    auto slices = Slices(html, 300);
    ASSERT_GT(slices.size(), 1u);
    for (size_t i = 0; i + 1 < slices.size(); ++i) {
        EXPECT_EQ(slices[i].second % 19, 0) << "page " << i << " ends inside a line";
        EXPECT_EQ(slices[i].second, slices[i + 1].first);
        EXPECT_LE(slices[i].second - slices[i].first, kPage);
    }
}

TEST(PageSlices, PageBreakBeforeStartsAPage) {
    const std::string html =
        "<html><body><h1>Stili</h1>"
        "<h2 style='page-break-before:always'>Uno</h2><p>a</p>"
        "<h2 style='page-break-before:always'>Due</h2><p>b</p>"
        "<h2 style='page-break-before:always'>Tre</h2><p>c</p></body></html>";
    EXPECT_EQ(Slices(html).size(), 4u);
    // The same page without the breaks fits on one.
    std::string plain = html;
    for (size_t at; (at = plain.find(" style='page-break-before:always'")) != std::string::npos;)
        plain.erase(at, 34);
    EXPECT_EQ(Slices(plain).size(), 1u);
}

// A row taller than a page cannot move whole: it is cut where the page ends.
TEST(PageSlices, RowTallerThanAPageIsCutAtThePageEnd) {
    auto slices = Slices(Rows(3, "height:2500px"));
    ASSERT_GE(slices.size(), 3u);
    EXPECT_EQ(slices[0], std::make_pair(0, kPage));
    EXPECT_EQ(slices.back().second, 3 * 2500);
}

// An empty page still prints, as one blank page.
TEST(PageSlices, EmptyPageIsOnePage) {
    EXPECT_EQ(Slices("").size(), 1u);
    EXPECT_EQ(Slices("<html><body style='margin:0'></body></html>").size(), 1u);
}
