// Printing: the printer's device context, the print dialog and the browser's
// print command.
#include "BrowserFixture.h"
#include "PdfPages.h"
#include "WinClipboard.h"
#include "WinPrint.h"

using namespace browser_test;

namespace {

// The page count a print event names: "...: N pages".
int PrintedPages(const std::wstring& event) {
    const std::wstring tail = L" pages";
    if (event.size() < tail.size() || event.compare(event.size() - tail.size(), tail.size(), tail) != 0) return -1;
    const size_t colon = event.rfind(L": ");
    if (colon == std::wstring::npos) return -1;
    const std::wstring digits = event.substr(colon + 2, event.size() - tail.size() - colon - 2);
    if (digits.empty() || digits.find_first_not_of(L"0123456789") != std::wstring::npos) return -1;
    return std::stoi(digits);
}

}  // namespace

using PrinterContext = BrowserFixture;

TEST_F(PrinterContext, WritesTheFileOnlyWhenTheDocumentEnds) {
    std::wstring file = (m_folder / "doc.pdf").wstring();
    HDC dc = CreateDCW(L"winspool", VPLAT_PDF_PRINTER, file.c_str(), nullptr);
    ASSERT_NE(dc, nullptr);
    EXPECT_EQ(GetDeviceCaps(dc, HORZRES), 794);
    EXPECT_EQ(GetDeviceCaps(dc, VERTRES), 1123);
    EXPECT_EQ(GetDeviceCaps(dc, LOGPIXELSX), 96);
    EXPECT_EQ(GetDeviceCaps(dc, LOGPIXELSY), 96);
    EXPECT_EQ(GetDeviceCaps(dc, PHYSICALWIDTH), 794);
    EXPECT_EQ(GetDeviceCaps(dc, PHYSICALOFFSETX), 0);
    EXPECT_EQ(GetDeviceCaps(dc, TECHNOLOGY), DT_RASPRINTER);
    DOCINFOW doc{sizeof(DOCINFOW), L"prova", nullptr, nullptr, 0};
    // Aborted: nothing written.
    ASSERT_GT(StartDocW(dc, &doc), 0);
    ASSERT_GT(StartPage(dc), 0);
    TextOutW(dc, 48, 48, L"pagina", 6);
    ASSERT_GT(EndPage(dc), 0);
    EXPECT_FALSE(std::filesystem::exists(m_folder / "doc.pdf"));
    EXPECT_GT(AbortDoc(dc), 0);
    EXPECT_FALSE(std::filesystem::exists(m_folder / "doc.pdf"));
    // Three pages, with a picture operation that has no pixels to work on.
    ASSERT_GT(StartDocW(dc, &doc), 0);
    for (int i = 0; i < 3; ++i) {
        ASSERT_GT(StartPage(dc), 0);
        RECT r{48, 48, 200, 100};
        FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        InvertRect(dc, &r);
        ASSERT_GT(EndPage(dc), 0);
    }
    EXPECT_FALSE(std::filesystem::exists(m_folder / "doc.pdf"));
    EXPECT_GT(EndDoc(dc), 0);
    EXPECT_EQ(test_files::PdfPageCount(m_folder / "doc.pdf"), 3);
    // Out of order or into a folder that does not exist: failures.
    EXPECT_EQ(EndPage(dc), SP_ERROR);
    EXPECT_EQ(EndDoc(dc), SP_ERROR);
    std::wstring nowhere = (m_folder / "no" / "such" / "doc.pdf").wstring();
    DOCINFOW lost{sizeof(DOCINFOW), L"prova", nowhere.c_str(), nullptr, 0};
    ASSERT_GT(StartDocW(dc, &lost), 0);
    StartPage(dc);
    EndPage(dc);
    EXPECT_EQ(EndDoc(dc), SP_ERROR);
    EXPECT_TRUE(DeleteDC(dc));
    EXPECT_EQ(CreateDCW(L"winspool", L"Altra stampante", file.c_str(), nullptr), nullptr);
}

using PrintDialog = BrowserFixture;

TEST_F(PrintDialog, AnswerNamesThePdfPrinterAndItsFile) {
    size_t blocks = vplat::LiveGlobalBlocks();
    vplat::Script::Get().Load(L"print out\\stili.pdf\nprint <cancel>\n");
    PRINTDLGW pd{};
    pd.lStructSize = sizeof pd;
    pd.Flags = PD_RETURNDC | PD_NOSELECTION | PD_NOPAGENUMS;
    ASSERT_TRUE(PrintDlgW(&pd));
    ASSERT_NE(pd.hDevNames, nullptr);
    ASSERT_NE(pd.hDevMode, nullptr);
    ASSERT_NE(pd.hDC, nullptr);
    auto* names = static_cast<DEVNAMES*>(GlobalLock(pd.hDevNames));
    const auto* text = reinterpret_cast<const wchar_t*>(names);
    EXPECT_STREQ(text + names->wDeviceOffset, VPLAT_PDF_PRINTER);
    EXPECT_STREQ(text + names->wOutputOffset, L"out\\stili.pdf");
    GlobalUnlock(pd.hDevNames);
    auto* mode = static_cast<DEVMODEW*>(GlobalLock(pd.hDevMode));
    EXPECT_STREQ(mode->dmDeviceName, VPLAT_PDF_PRINTER);
    EXPECT_EQ(mode->dmPaperSize, DMPAPER_A4);
    EXPECT_EQ(mode->dmOrientation, DMORIENT_PORTRAIT);
    GlobalUnlock(pd.hDevMode);
    EXPECT_EQ(GetDeviceCaps(pd.hDC, TECHNOLOGY), DT_RASPRINTER);
    DeleteDC(pd.hDC);
    GlobalFree(pd.hDevMode);
    GlobalFree(pd.hDevNames);
    // Cancelled, then no line at all: nothing allocated; the second is a mismatch.
    PRINTDLGW again{};
    again.lStructSize = sizeof again;
    EXPECT_FALSE(PrintDlgW(&again));
    EXPECT_FALSE(PrintDlgW(&again));
    EXPECT_EQ(again.hDevMode, nullptr);
    EXPECT_EQ(again.hDevNames, nullptr);
    EXPECT_EQ(vplat::Script::Get().Mismatches().size(), 1u);
    EXPECT_EQ(vplat::LiveGlobalBlocks(), blocks);
    auto events = vplat::Transcript::Get().Events("print");
    ASSERT_EQ(events.size(), 3u);
    EXPECT_EQ(events[0], L"dialog: \"out\\stili.pdf\"");
    EXPECT_EQ(events[1], L"dialog: cancelled");
    // A structure of the wrong size is refused before anything is asked.
    PRINTDLGW wrong{};
    EXPECT_FALSE(PrintDlgW(&wrong));
    EXPECT_NE(CommDlgExtendedError(), 0u);
}

using BrowserPrint = BrowserFixture;

TEST_F(BrowserPrint, PrintsThePagesTheTranscriptCounts) {
    ASSERT_EQ(Navigate(CopyShipped().wstring()), S_OK);
    std::wstring pdf = (m_folder / "view.pdf").wstring();
    // Only print with the prompt is a command of the browser.
    EXPECT_EQ(m_web->ExecWB(OLECMDID_PRINT, OLECMDEXECOPT_DONTPROMPTUSER, nullptr, nullptr),
              OLECMDERR_E_NOTSUPPORTED);
    EXPECT_EQ(m_web->ExecWB(static_cast<OLECMDID>(17), OLECMDEXECOPT_PROMPTUSER, nullptr, nullptr),
              OLECMDERR_E_NOTSUPPORTED);
    vplat::Script::Get().Load(L"print <cancel>\nprint " + pdf + L"\n");
    EXPECT_NE(m_web->ExecWB(OLECMDID_PRINT, OLECMDEXECOPT_PROMPTUSER, nullptr, nullptr), S_OK);
    EXPECT_FALSE(std::filesystem::exists(m_folder / "view.pdf"));
    EXPECT_EQ(m_web->ExecWB(OLECMDID_PRINT, OLECMDEXECOPT_PROMPTUSER, nullptr, nullptr), S_OK);
    int pages = test_files::PdfPageCount(m_folder / "view.pdf");
    EXPECT_GE(pages, 2);
    EXPECT_EQ(LastEvent("print"), L"\"" + pdf + L"\": " + std::to_wstring(pages) + L" pages");
    EXPECT_TRUE(vplat::Script::Get().Mismatches().empty());
}

TEST_F(BrowserPrint, PageBreaksBeforeHeadingsStartPages) {
    WriteFile(m_folder / "sezioni.html",
              "<html><head><style>h2 { page-break-before: always; }</style></head><body><h1>Stili</h1>"
              "<h2>Uno</h2><p>a</p><h2>Due</h2><p>b</p><h2>Tre</h2><p>c</p></body></html>");
    ASSERT_EQ(Navigate((m_folder / "sezioni.html").wstring()), S_OK);
    vplat::Script::Get().Load(L"print " + (m_folder / "sezioni.pdf").wstring());
    ASSERT_EQ(m_web->ExecWB(OLECMDID_PRINT, OLECMDEXECOPT_PROMPTUSER, nullptr, nullptr), S_OK);
    EXPECT_EQ(test_files::PdfPageCount(m_folder / "sezioni.pdf"), 4);
    EXPECT_EQ(PrintedPages(LastEvent("print")), 4);
}
