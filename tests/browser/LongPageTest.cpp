// A long page on the screen is built in parts, only where it is looked at:
// what it shows, how tall it is, its text and what find gives are those of
// the page built whole.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "HtmlPage.h"

namespace {

constexpr int kWidth = 400, kHeight = 300;

// A heading and 40 tables of words, with no margins between the tables.
std::string LongPageHtml() {
    std::string html =
        "<html><head><style type='text/css'>body { margin: 8px; font-size: 13px; } table { margin: 0; "
        "border-collapse: collapse; } td { border: 1px solid #808080; padding: 2px; }</style></head><body>"
        "<h1>Stili</h1>";
    for (int i = 0; i < 40; ++i) {
        html += "<table><tr><td>Stile " + std::to_string(i) + "</td><td>prima parte della base</td></tr>";
        for (int r = 0; r < 4; ++r)
            html += "<tr><td>riga " + std::to_string(r) + "</td><td>valore " + std::to_string(i * 10 + r) + "</td></tr>";
        html += "</table>";
    }
    return html + "</body></html>";
}

// The band of the page from `top`, drawn as the browser draws it.
std::vector<COLORREF> Band(vplat::HtmlPage& page, int top) {
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(dc, kWidth, kHeight);
    HGDIOBJ old = SelectObject(dc, bitmap);
    RECT all{0, 0, kWidth, kHeight};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    page.Draw(dc, 0, -top, all);
    std::vector<COLORREF> pixels;
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) pixels.push_back(GetPixel(dc, x, y));
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    return pixels;
}

class LongPage : public ::testing::Test {
protected:
    void TearDown() override { vplat::HtmlPage::SetPartSizes(0, 0); }
};

}  // namespace

TEST_F(LongPage, IsBuiltWhereItIsLookedAtAndShowsWhatTheWholePageShows) {
    const std::string html = LongPageHtml();
    vplat::HtmlPage whole(html, false);
    whole.Layout(kWidth, kHeight);
    ASSERT_EQ(whole.Parts(), 1u);
    vplat::HtmlPage::SetPartSizes(1, 1500);
    vplat::HtmlPage parts(html, false);
    ASSERT_GT(parts.Parts(), 4u);
    parts.Layout(kWidth, kHeight);
    EXPECT_EQ(parts.BuiltParts(), 1u);
    // The top, built alone.
    EXPECT_EQ(Band(parts, 0), Band(whole, 0));
    EXPECT_LE(parts.BuiltParts(), 2u);
    // Its text is the whole page's, and once every part is measured its height too.
    EXPECT_EQ(parts.SearchText(), whole.SearchText());
    EXPECT_EQ(parts.Height(), whole.Height());
    EXPECT_LE(parts.BuiltParts(), 2u);
    // The bottom: the parts at the top are dropped.
    const int bottom = whole.Height() - kHeight;
    EXPECT_EQ(Band(parts, bottom), Band(whole, bottom));
    EXPECT_LE(parts.BuiltParts(), 2u);
    EXPECT_EQ(Band(parts, bottom / 2), Band(whole, bottom / 2));
    // Find, in a part not built, gives the whole page's matches and box.
    RECT a{}, b{};
    EXPECT_EQ(parts.Find(L"stile 39", &a), whole.Find(L"stile 39", &b));
    EXPECT_TRUE(EqualRect(&a, &b)) << a.top << " " << b.top;
    EXPECT_EQ(parts.Find(L"valore", &a), 160);
}

// A page that cannot be cut (one child in its body) is built whole.
TEST_F(LongPage, OfOneBlockIsBuiltWhole) {
    vplat::HtmlPage::SetPartSizes(1, 10);
    vplat::HtmlPage page("<html><body><p>una parola sola</p></body></html>", false);
    EXPECT_EQ(page.Parts(), 1u);
    page.Layout(kWidth, kHeight);
    EXPECT_EQ(page.BuiltParts(), 1u);
    EXPECT_GT(page.Height(), 0);
}
