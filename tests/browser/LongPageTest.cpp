// A long page on the screen is built in parts, only where it is looked at:
// what it shows, how tall it is, its text and what find gives are those of
// the page built whole.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "BrowserFixture.h"
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

namespace {

class LongPageInBrowser : public browser_test::BrowserFixture {
protected:
    void TearDown() override {
        vplat::HtmlPage::SetPartSizes(0, 0);
        BrowserFixture::TearDown();
    }
};

}  // namespace

// The shipped style file shown in parts: its scroll bar reaches the bottom
// as the parts drawn are measured, the page is as tall as whole but for the
// margins that do not collapse across its cuts, and find scrolls to a match
// in a part not yet built.
TEST_F(LongPageInBrowser, ScrollsToTheBottomAndFindsInPartsNotBuilt) {
    const std::wstring file = CopyShipped().wstring();
    ASSERT_EQ(Navigate(file), S_OK);
    UpdateWindow(m_browser);
    const int whole = vplat::WebBrowserHooks::PageHeight(m_browser);
    const std::wstring text = vplat::WebBrowserHooks::PageText(m_browser);
    vplat::HtmlPage::SetPartSizes(1, 4096);
    ASSERT_EQ(Navigate(file), S_OK);
    UpdateWindow(m_browser);
    // The scroll bar follows as parts are measured, and the bottom is reached.
    auto range = [&] {
        SCROLLINFO si{};
        si.cbSize = sizeof si;
        si.fMask = SIF_RANGE;
        GetScrollInfo(m_browser, SB_VERT, &si);
        return si.nMax + 1;
    };
    for (int i = 0; i < 6; ++i) {
        SendMessageW(m_browser, WM_VSCROLL, SB_PAGEDOWN, 0);
        UpdateWindow(m_browser);
        EXPECT_EQ(range(), vplat::WebBrowserHooks::PageHeight(m_browser)) << "page " << i;
    }
    for (int i = 0; i < 20; ++i) {
        SendMessageW(m_browser, WM_VSCROLL, SB_BOTTOM, 0);
        UpdateWindow(m_browser);
    }
    RECT c{};
    GetClientRect(m_browser, &c);
    const int height = vplat::WebBrowserHooks::PageHeight(m_browser);
    EXPECT_EQ(vplat::WebBrowserHooks::ScrollPos(m_browser), height - c.bottom);
    EXPECT_EQ(range(), height);
    EXPECT_NEAR(height, whole, whole / 100);
    SendMessageW(m_browser, WM_VSCROLL, SB_TOP, 0);
    UpdateWindow(m_browser);
    vplat::Script::Get().Load(L"find Stile Urbana\n");
    EXPECT_EQ(Find(), S_OK);
    EXPECT_GT(vplat::WebBrowserHooks::ScrollPos(m_browser), 0);
    EXPECT_EQ(vplat::WebBrowserHooks::PageText(m_browser), text);
}
