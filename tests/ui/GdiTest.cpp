#include "UiFixture.h"

namespace {

LOGFONTW Font(LONG height, LONG weight = FW_NORMAL) {
    LOGFONTW lf{};
    lf.lfHeight = height;
    lf.lfWeight = weight;
    std::wcscpy(lf.lfFaceName, L"MS Shell Dlg");
    return lf;
}

// A memory context on a bitmap with the dialog font selected.
class Gdi : public UiFixture {
protected:
    void SetUp() override {
        UiFixture::SetUp();
        dc.CreateCompatibleDC(nullptr);
        bitmap.CreateCompatibleBitmap(&dc, 40, 30);
        oldBitmap = dc.SelectObject(&bitmap);
        LOGFONTW lf = Font(-11);
        font.CreateFontIndirect(&lf);
        oldFont = dc.SelectObject(&font);
    }
    void TearDown() override {
        dc.SelectObject(oldFont);
        dc.SelectObject(oldBitmap);
        dc.DeleteDC();
        UiFixture::TearDown();
    }
    CRect Calc(const wchar_t* text, UINT format, int width = 1000) {
        CRect r(0, 0, width, 0);
        dc.DrawText(text, -1, &r, format | DT_CALCRECT);
        return r;
    }
    CDC dc;
    CBitmap bitmap;
    CFont font;
    CBitmap* oldBitmap = nullptr;
    CFont* oldFont = nullptr;
};

}  // namespace

// Widths by class, in twentieths of the em, rounded: for em 11 narrow 3,
// medium 4, normal 5, capital 7, wide 9; bold adds 1; cell height em + (em+2)/5.
TEST_F(Gdi, MetricModelByHand) {
    struct Case {
        LONG height;
        LONG weight;
        const wchar_t* text;
        LONG cx;
        LONG cy;
    } cases[] = {{-11, FW_NORMAL, L"Ok", 12, 13},        {-11, FW_BOLD, L"Ok", 14, 13},
                 {-11, FW_NORMAL, L"ilrAm", 26, 13},     {13, FW_NORMAL, L"Ok", 12, 13},
                 {-16, FW_NORMAL, L"a", 7, 19},          {-11, FW_NORMAL, L"Unit\u00e0", 24, 13},
                 {-11, FW_NORMAL, L"", 0, 13}};
    for (const Case& c : cases) {
        SIZE s = vplat::TextMetrics::Extent(c.text, Font(c.height, c.weight));
        EXPECT_EQ(s.cx, c.cx) << c.text << " " << c.height;
        EXPECT_EQ(s.cy, c.cy) << c.text << " " << c.height;
    }
    TEXTMETRICW tm;
    dc.GetTextMetrics(&tm);
    EXPECT_EQ(tm.tmHeight, 13);
    EXPECT_EQ(tm.tmAscent, 11);
    EXPECT_EQ(tm.tmAveCharWidth, 5);
    EXPECT_EQ(dc.GetTextExtent(L"Ok", 2), CSize(12, 13));
    // Dialog base units of the dialog font: 6 x 13, as 4 x 8 dialog units map.
    EXPECT_EQ(GetDialogBaseUnits(), MAKELONG(6, 13));
}

TEST_F(Gdi, DrawTextLayout) {
    EXPECT_EQ(Calc(L"Ok", DT_SINGLELINE), CRect(0, 0, 12, 13));
    EXPECT_EQ(Calc(L"&Ok", DT_SINGLELINE), CRect(0, 0, 12, 13));            // the prefix is not drawn
    EXPECT_EQ(Calc(L"&Ok", DT_SINGLELINE | DT_NOPREFIX), CRect(0, 0, 17, 13));
    EXPECT_EQ(Calc(L"aaa aaa", DT_WORDBREAK, 20), CRect(0, 0, 15, 26));      // two lines
    EXPECT_EQ(Calc(L"aaa\r\naaaaa", 0), CRect(0, 0, 25, 26));
    EXPECT_EQ(Calc(L"aaaaaaaaaa", DT_WORDBREAK, 20), CRect(0, 0, 50, 13));   // a word is not broken
    CRect box(0, 0, 40, 33);
    EXPECT_EQ(dc.DrawText(L"Ok", -1, &box, DT_SINGLELINE | DT_VCENTER), 23);  // (33 - 13) / 2 + 13
    vplat::GdiLog::Clear();
    CRect narrow(0, 0, 20, 13);
    dc.DrawText(L"aaaaaaa", -1, &narrow, DT_SINGLELINE | DT_END_ELLIPSIS);
    ASSERT_EQ(vplat::GdiLog::Matching("DrawText").size(), 1u);
    EXPECT_NE(vplat::GdiLog::Entries().back().find("\"aa...\""), std::string::npos);
}

// The longest start of each line that fits with "..." (3 x 3 = 9 wide at
// em 11) after it; a text that fits is left whole; a long one is cut at once.
TEST_F(Gdi, EllipsisKeepsTheLongestStartThatFits) {
    const struct {
        std::wstring text;
        int width;
        UINT format;
        std::string drawn;
    } cases[] = {
        {L"aaaaaaa", 20, DT_SINGLELINE, "aa..."},  // 9 + 2 x 5 = 19; a third a would be 24
        {L"aaaaaaa", 24, DT_SINGLELINE, "aaa..."},
        {L"aaaaaaa", 35, DT_SINGLELINE, "aaaaaaa"},  // fits whole: 35
        {L"Wiiiiiiiii", 30, DT_SINGLELINE, "Wiiii..."},  // 9 + 4 x 3 + 9 = 30
        {L"Wiiiiiiiii", 11, DT_SINGLELINE, "..."},       // room for "..." and no character
        {L"Wiiiiiiiii", 5, DT_SINGLELINE, "..."},
        {L"aaaaaa\r\nbb", 24, 0, "aaa...|bb"},
        {std::wstring(100000, L'a'), 62, DT_SINGLELINE, "aaaaaaaaaa..."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.drawn);
        vplat::GdiLog::Clear();
        CRect r(0, 0, c.width, 40);
        dc.DrawText(c.text.c_str(), -1, &r, c.format | DT_END_ELLIPSIS);
        ASSERT_EQ(vplat::GdiLog::Matching("DrawText").size(), 1u);
        EXPECT_NE(vplat::GdiLog::Entries().back().find("\"" + c.drawn + "\""), std::string::npos)
            << vplat::GdiLog::Entries().back();
    }
}

TEST_F(Gdi, PixelsClipAndLog) {
    vplat::GdiLog::Clear();
    CRect all(0, 0, 40, 30);
    dc.FillSolidRect(&all, RGB(255, 0, 0));
    EXPECT_EQ(dc.GetBkColor(), RGB(255, 0, 0));  // the fill leaves its colour as background
    int saved = dc.SaveDC();
    dc.IntersectClipRect(10, 10, 20, 20);
    CRect box;
    dc.GetClipBox(&box);
    EXPECT_EQ(box, CRect(10, 10, 20, 20));
    CBrush blue(RGB(0, 0, 255));
    dc.FillRect(&all, &blue);  // only the clip changes
    dc.RestoreDC(saved);
    dc.GetClipBox(&box);
    EXPECT_EQ(box, all);
    CRect inv(0, 0, 5, 5);
    dc.InvertRect(&inv);
    struct Probe {
        int x, y;
        COLORREF want;
    } probes[] = {{15, 15, RGB(0, 0, 255)}, {25, 25, RGB(255, 0, 0)}, {2, 2, RGB(0, 255, 255)}, {9, 10, RGB(255, 0, 0)}};
    for (const Probe& p : probes) EXPECT_EQ(dc.GetPixel(p.x, p.y), p.want) << p.x << "," << p.y;
    // A copy to a second bitmap, offset by the window origin.
    CDC copy;
    copy.CreateCompatibleDC(&dc);
    CBitmap target;
    target.CreateCompatibleBitmap(&dc, 10, 10);
    CBitmap* old = copy.SelectObject(&target);
    copy.SetWindowOrg(10, 10);
    copy.BitBlt(10, 10, 10, 10, &dc, 10, 10, SRCCOPY);
    EXPECT_EQ(copy.GetPixel(12, 12), RGB(0, 0, 255));
    copy.SelectObject(old);
    auto fills = vplat::GdiLog::Matching("FillRect");
    ASSERT_EQ(fills.size(), 1u);
    EXPECT_EQ(fills[0], "bitmap 40x30: FillRect (0,0,40,30) #0000FF");
    EXPECT_EQ(vplat::GdiLog::Matching("InvertRect").size(), 1u);
}

// Lines cover the pixels from the start up to the end, without it; a
// rectangle's outline lies inside its right and bottom edges.
TEST_F(Gdi, LinesAndRectangles) {
    CRect all(0, 0, 40, 30);
    dc.FillSolidRect(&all, RGB(255, 255, 255));
    CPen pen(PS_SOLID, 1, RGB(0, 0, 0));
    CPen* oldPen = dc.SelectObject(&pen);
    dc.MoveTo(2, 2);
    dc.LineTo(8, 2);
    dc.SelectStockObject(NULL_BRUSH);
    dc.SelectObject(&pen);
    dc.Rectangle(10, 10, 20, 20);
    dc.SelectObject(oldPen);
    struct Probe {
        int x, y;
        bool black;
    } probes[] = {{2, 2, true}, {7, 2, true}, {8, 2, false}, {10, 10, true}, {19, 19, true}, {20, 19, false},
                  {15, 15, false}};
    for (const Probe& p : probes) EXPECT_EQ(dc.GetPixel(p.x, p.y) == RGB(0, 0, 0), p.black) << p.x << "," << p.y;
}

// Anisotropic mapping scales positions and sizes about the viewport origin;
// points convert both ways, the clip box is logical, and RestoreDC or MM_TEXT
// bring one unit a pixel back.
TEST_F(Gdi, AnisotropicMapping) {
    CRect all(0, 0, 40, 30);
    dc.FillSolidRect(&all, RGB(255, 255, 255));
    int saved = dc.SaveDC();
    EXPECT_EQ(dc.SetMapMode(MM_ANISOTROPIC), MM_TEXT);
    dc.SetWindowExt(10, 10);
    dc.SetViewportExt(20, 30);
    dc.SetViewportOrg(4, 0);
    dc.SetWindowOrg(1, 0);
    CPoint p(6, 5);
    dc.LPtoDP(&p);
    EXPECT_EQ(p, CPoint(14, 15));
    dc.DPtoLP(&p);
    EXPECT_EQ(p, CPoint(6, 5));
    CRect box;
    dc.GetClipBox(&box);
    EXPECT_EQ(box, CRect(-1, 0, 19, 10));
    CRect cell(1, 0, 6, 5);  // device (4,0)-(14,15)
    dc.FillSolidRect(&cell, RGB(255, 0, 0));
    EXPECT_EQ(::SetWindowExtEx(dc, 0, 5, nullptr), FALSE);
    EXPECT_EQ(dc.SetMapMode(7), 0);
    dc.RestoreDC(saved);
    EXPECT_EQ(dc.GetMapMode(), MM_TEXT);
    struct Probe {
        int x, y;
        COLORREF want;
    } probes[] = {{4, 0, RGB(255, 0, 0)}, {13, 14, RGB(255, 0, 0)}, {14, 5, RGB(255, 255, 255)},
                  {5, 15, RGB(255, 255, 255)}, {3, 3, RGB(255, 255, 255)}};
    for (const Probe& q : probes) EXPECT_EQ(dc.GetPixel(q.x, q.y), q.want) << q.x << "," << q.y;
    dc.SetMapMode(MM_ANISOTROPIC);
    dc.SetWindowExt(1, 2);
    dc.SetMapMode(MM_TEXT);  // resets the extents
    p = CPoint(6, 5);
    dc.LPtoDP(&p);
    EXPECT_EQ(p, CPoint(6, 5));
}
