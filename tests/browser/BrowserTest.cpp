// The browser control: navigation with its failures, find, scrolling.
#include "BrowserFixture.h"

using namespace browser_test;

namespace {

std::wstring W(const std::filesystem::path& p) { return p.wstring(); }

// A path with the platform's separators.
std::wstring Backslashed(const std::filesystem::path& p) {
    std::wstring s = p.wstring();
    for (auto& c : s)
        if (c == L'/') c = L'\\';
    return s;
}

const char* kStylesheet = R"(<?xml version="1.0"?>
<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform">
  <xsl:output method="html"/>
  <xsl:template match="/R"><html><body><h1><xsl:value-of select="@t"/></h1></body></html></xsl:template>
</xsl:stylesheet>)";

}  // namespace

using BrowserNavigation = BrowserFixture;

// Every way of naming a page, and every reason it cannot be shown: a failed
// navigation still shows a page (the error page) and its document.
TEST_F(BrowserNavigation, ShowsThePageOrTheErrorPageWithItsReason) {
    std::filesystem::path shipped = CopyShipped();
    WriteFile(m_folder / "page.html", "<html><body><p>Pagina</p></body></html>");
    WriteFile(m_folder / "a b" / "x.xml", "<?xml-stylesheet type='text/xsl' href='s.xsl'?><R t='uno'/>");
    WriteFile(m_folder / "a b" / "s.xsl", kStylesheet);
    WriteFile(m_folder / "abs.xml", "<?xml-stylesheet type='text/xsl' href='" + (m_folder / "a b" / "s.xsl").string() +
                                        "'?><R t='uno'/>");
    WriteFile(m_folder / "net.xml", "<?xml-stylesheet type='text/xsl' href='http://127.0.0.1/s.xsl'?><R t='uno'/>");
    WriteFile(m_folder / "broken.xml", "<R>");
    WriteFile(m_folder / "note.txt", "testo");
    std::string escapedFolder = (m_folder / "a%20b" / "x.xml").string();
    struct Case {
        std::wstring url;
        std::wstring outcome;  // the transcript's reason
        std::wstring text;     // in the page shown
    } cases[] = {
        {W(shipped), L"ok", L"stile default"},
        {Backslashed(shipped), L"ok", L"stile default"},
        {W(m_folder / "page.html"), L"ok", L"pagina"},
        {L"file://" + std::wstring(escapedFolder.begin(), escapedFolder.end()), L"ok", L"uno"},
        {W(m_folder / "missing.xml"), L"The file does not exist.", L"the page cannot be displayed."},
        {W(m_folder / "abs.xml"), L"The stylesheet is not beside the file.", L"the page cannot be displayed."},
        {W(m_folder / "net.xml"), L"The stylesheet is not beside the file.", L"the page cannot be displayed."},
        {W(m_folder / "broken.xml"), L"", L"the page cannot be displayed."},
        {W(m_folder / "note.txt"), L"The browser shows only XML and HTML files.", L"the page cannot be displayed."},
        {L"http://127.0.0.1/Junctor.xml", L"Only local files can be shown.", L"the page cannot be displayed."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.url.begin(), c.url.end()));
        ASSERT_EQ(Navigate(c.url), S_OK);
        std::wstring event = LastEvent("browser");
        if (c.outcome.empty())
            EXPECT_NE(event.find(L"\": "), std::wstring::npos) << "a reason is given";
        else
            EXPECT_EQ(event, L"navigate \"" + c.url + L"\": " + c.outcome);
        EXPECT_NE(vplat::WebBrowserHooks::PageText(m_browser).find(c.text), std::wstring::npos);
        IDispatch* doc = nullptr;
        EXPECT_EQ(m_web->get_Document(&doc), S_OK);
        ASSERT_NE(doc, nullptr);
        doc->Release();
    }
    // Nothing was written beside the files by the transforms.
    size_t files = 0;
    for (auto& e : std::filesystem::recursive_directory_iterator(m_folder)) files += e.is_regular_file();
    EXPECT_EQ(files, 10u);
}

// A page's images and style sheets are asked for and never fetched: the page
// shows without them.
TEST_F(BrowserNavigation, OutsideResourcesAreRefused) {
    WriteFile(m_folder / "risorse.html",
              "<html><head><link rel='stylesheet' type='text/css' href='http://127.0.0.1/a.css'>"
              "<style>@import url('b.css'); p { color: #102030; }</style></head>"
              "<body><img src='http://127.0.0.1/c.png'><p>testo</p><script>x = 1;</script></body></html>");
    WriteFile(m_folder / "b.css", "p { display: none; }");
    ASSERT_EQ(Navigate(W(m_folder / "risorse.html")), S_OK);
    EXPECT_EQ(LastEvent("browser"), L"navigate \"" + W(m_folder / "risorse.html") + L"\": ok");
    EXPECT_EQ(vplat::WebBrowserHooks::RefusedLoads(m_browser), 3);
    // b.css would hide the paragraph: it was not read.
    EXPECT_NE(vplat::WebBrowserHooks::PageText(m_browser).find(L"testo"), std::wstring::npos);
}

TEST_F(BrowserNavigation, EmptyAddressFailsAndLeavesNoDocument) {
    IDispatch* doc = reinterpret_cast<IDispatch*>(1);
    EXPECT_EQ(m_web->get_Document(&doc), S_FALSE);
    EXPECT_EQ(doc, nullptr);
    EXPECT_EQ(Navigate(L""), E_INVALIDARG);
    EXPECT_EQ(m_web->Navigate(nullptr, nullptr, nullptr, nullptr, nullptr), E_INVALIDARG);
    EXPECT_EQ(m_web->get_Document(&doc), S_FALSE);
    EXPECT_EQ(doc, nullptr);
    EXPECT_EQ(Find(), E_FAIL);
}

// A stylesheet's output nested far deeper than the shipped ones is still laid
// out, painted and printed.
TEST_F(BrowserNavigation, DeeplyNestedPageRenders) {
    std::string open, close;
    for (int i = 0; i < 5000; ++i) {
        open += "<div>";
        close += "</div>";
    }
    auto escaped = [](std::string s) {
        for (size_t at; (at = s.find('<')) != std::string::npos;) s.replace(at, 1, "&lt;");
        return s;
    };
    WriteFile(m_folder / "deep.xml", "<?xml-stylesheet type='text/xsl' href='deep.xsl'?><R><a>" + escaped(open) +
                                         "</a><b>" + escaped(close) + "</b></R>");
    WriteFile(m_folder / "deep.xsl", R"(<?xml version="1.0"?>
<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform">
  <xsl:output method="html"/>
  <xsl:template match="/R"><html><body><xsl:value-of select="a" disable-output-escaping="yes"/>fondo<xsl:value-of
    select="b" disable-output-escaping="yes"/></body></html></xsl:template>
</xsl:stylesheet>)");
    ASSERT_EQ(Navigate(W(m_folder / "deep.xml")), S_OK);
    EXPECT_EQ(LastEvent("browser"), L"navigate \"" + W(m_folder / "deep.xml") + L"\": ok");
    UpdateWindow(m_browser);
    EXPECT_GT(vplat::WebBrowserHooks::PageHeight(m_browser), 0);
    EXPECT_NE(vplat::WebBrowserHooks::PageText(m_browser).find(L"fondo"), std::wstring::npos);
    vplat::Script::Get().Load(L"print " + W(m_folder / "deep.pdf"));
    EXPECT_EQ(m_web->ExecWB(OLECMDID_PRINT, OLECMDEXECOPT_PROMPTUSER, nullptr, nullptr), S_OK);
    EXPECT_TRUE(std::filesystem::exists(m_folder / "deep.pdf"));
}

using BrowserFind = BrowserFixture;

TEST_F(BrowserFind, CountsMatchesWithoutRegardToCase) {
    ASSERT_EQ(Navigate(W(CopyShipped())), S_OK);
    struct Case {
        std::wstring line;
        std::wstring event;
    } cases[] = {
        {L"find Francese", L"find \"Francese\": 4 matches"},
        {L"find Stile Urbana", L"find \"Stile Urbana\": 1 matches"},
        {L"find urbana", L"find \"urbana\": 8 matches"},
        {L"find stile   URBANA", L"find \"stile   URBANA\": 1 matches"},
        {L"find nessuna-parola", L"find \"nessuna-parola\": 0 matches"},
        {L"find <cancel>", L"find: cancelled"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.line.begin(), c.line.end()));
        vplat::Script::Get().Load(c.line);
        EXPECT_EQ(Find(), S_OK);
        EXPECT_EQ(LastEvent("browser"), c.event);
        EXPECT_TRUE(vplat::Script::Get().Mismatches().empty());
    }
}

// The first match is brought into view: a match far down the page scrolls it.
TEST_F(BrowserFind, FirstMatchIsScrolledIntoView) {
    ASSERT_EQ(Navigate(W(CopyShipped())), S_OK);
    EXPECT_EQ(vplat::WebBrowserHooks::ScrollPos(m_browser), 0);
    vplat::Script::Get().Load(L"find Stile Urbana");
    ASSERT_EQ(Find(), S_OK);
    int pos = vplat::WebBrowserHooks::ScrollPos(m_browser);
    EXPECT_GT(pos, 0);
    // Found again from there: a match already in view does not move the page.
    vplat::Script::Get().Load(L"find Stile Urbana");
    ASSERT_EQ(Find(), S_OK);
    EXPECT_EQ(vplat::WebBrowserHooks::ScrollPos(m_browser), pos);
}

TEST_F(BrowserFind, NoFindLineIsAMismatchAndFindsNothing) {
    ASSERT_EQ(Navigate(W(CopyShipped())), S_OK);
    vplat::Script::Get().Load(L"msgbox ok");
    EXPECT_EQ(Find(), S_OK);
    EXPECT_EQ(LastEvent("browser"), L"find: cancelled");
    EXPECT_EQ(vplat::Script::Get().Mismatches().size(), 1u);
}

TEST_F(BrowserFind, RefusedCommandTarget) {
    ASSERT_EQ(Navigate(W(CopyShipped())), S_OK);
    vplat::WebBrowserHooks::RefuseCommandTarget(true);
    EXPECT_EQ(Find(), E_NOINTERFACE);
}

using BrowserScrolling = BrowserFixture;

TEST_F(BrowserScrolling, ScrollBarWheelAndKeysMoveThePageWithinItsHeight) {
    ASSERT_EQ(Navigate(W(CopyShipped())), S_OK);
    int height = vplat::WebBrowserHooks::PageHeight(m_browser);
    RECT c;
    GetClientRect(m_browser, &c);
    ASSERT_GT(height, 3 * c.bottom);
    SendMessageW(m_browser, WM_VSCROLL, SB_PAGEDOWN, 0);
    EXPECT_EQ(vplat::WebBrowserHooks::ScrollPos(m_browser), c.bottom);
    SendMessageW(m_browser, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), 0);
    EXPECT_EQ(vplat::WebBrowserHooks::ScrollPos(m_browser), c.bottom + 60);
    SendMessageW(m_browser, WM_KEYDOWN, VK_UP, 0);
    EXPECT_EQ(vplat::WebBrowserHooks::ScrollPos(m_browser), c.bottom + 40);
    SendMessageW(m_browser, WM_VSCROLL, SB_BOTTOM, 0);
    EXPECT_EQ(vplat::WebBrowserHooks::ScrollPos(m_browser), height - c.bottom);
    EXPECT_EQ(GetScrollPos(m_browser, SB_VERT), height - c.bottom);
    SendMessageW(m_browser, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(10 * WHEEL_DELTA)), 0);
    EXPECT_EQ(vplat::WebBrowserHooks::ScrollPos(m_browser), height - c.bottom - 600);
    SendMessageW(m_browser, WM_VSCROLL, SB_TOP, 0);
    SendMessageW(m_browser, WM_VSCROLL, SB_LINEUP, 0);
    EXPECT_EQ(vplat::WebBrowserHooks::ScrollPos(m_browser), 0);
}

// A narrower window lays the page out again, taller.
TEST_F(BrowserScrolling, SizeChangeLaysThePageOutAgain) {
    ASSERT_EQ(Navigate(W(CopyShipped())), S_OK);
    int wide = vplat::WebBrowserHooks::PageHeight(m_browser);
    MoveWindow(m_browser, 0, 0, 300, 629, TRUE);
    EXPECT_GT(vplat::WebBrowserHooks::PageHeight(m_browser), wide);
}
