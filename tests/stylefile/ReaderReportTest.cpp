// The reader's load and its reports: every failing step of the load, the
// parse error's reason, and the bound of the shared report buffer.
#include "StyleFileSupport.h"

#include <afx.h>
#include <CXmlReader.h>

using namespace stylefile_test;

namespace {

// The load alone; the walk is the subclasses' business.
class CProbeReader : public CXmlReader {
public:
    bool Process() override { return true; }
    bool HasDocument() const { return m_pXMLDom != nullptr; }
};

class ReaderReport : public ::testing::Test {
protected:
    void SetUp() override {
        vplat::Com::Reset();
        vplat::MessageBoxes::Clear();
        vplat::DebugOutput::Clear();
        m_objects = vplat::Com::LiveObjects();
        WriteFile(m_dir.Path("good.xml"), "<INTERSEZIONI_RASO><IMPOSTAZIONI/></INTERSEZIONI_RASO>");
        WriteFile(m_dir.Path("bad.xml"), "<INTERSEZIONI_RASO>\n<IMPOSTAZIONI>\n</INTERSEZIONI_RASO>");
    }
    void TearDown() override {
        EXPECT_EQ(vplat::Com::LiveObjects(), m_objects);
        vplat::Com::Reset();
    }
    // The one report shown, also sent to the debugger output.
    std::wstring OnlyReport() {
        const auto& boxes = vplat::MessageBoxes::All();
        EXPECT_EQ(boxes.size(), 1u);
        if (boxes.empty()) return L"";
        EXPECT_EQ(boxes[0].type & MB_TYPEMASK, MB_OK);
        EXPECT_EQ(vplat::DebugOutput::Text(), boxes[0].text);
        return boxes[0].text;
    }

    ScratchFolder m_dir;
    long m_objects = 0;
};

TEST_F(ReaderReport, GoodFileLoads) {
    {
        CProbeReader reader;
        ASSERT_TRUE(reader.Carica(m_dir.WidePath("good.xml").c_str()));
        EXPECT_TRUE(reader.HasDocument());
        EXPECT_TRUE(vplat::MessageBoxes::All().empty());
        EXPECT_EQ(vplat::Com::InitCount(), 1);  // paired by the walk
        // Loading again, or going without a walk, pairs the earlier load.
        ASSERT_TRUE(reader.Carica(m_dir.WidePath("good.xml").c_str()));
        EXPECT_EQ(vplat::Com::InitCount(), 1);
    }
    EXPECT_EQ(vplat::Com::InitCount(), 0);
    EXPECT_EQ(vplat::Com::UnpairedUninitialize(), 0);
}

// A file that does not parse or does not exist: the text, a blank, the reason.
TEST_F(ReaderReport, ParseFailureShowsTheReason) {
    const std::pair<const char*, const wchar_t*> cases[] = {
        {"bad.xml", L"(line 3)"},
        {"absent.xml", L"cannot be opened"},
    };
    for (const auto& [file, reasonPart] : cases) {
        SCOPED_TRACE(file);
        vplat::MessageBoxes::Clear();
        vplat::DebugOutput::Clear();
        CProbeReader reader;
        EXPECT_FALSE(reader.Carica(m_dir.WidePath(file).c_str()));
        EXPECT_FALSE(reader.HasDocument());
        EXPECT_EQ(vplat::Com::InitCount(), 0);
        std::wstring report = OnlyReport();
        EXPECT_EQ(report.rfind(L"Impossibile caricare il file xml - Failed to load DOM. ", 0), 0u);
        EXPECT_NE(report.find(reasonPart), std::wstring::npos);
        EXPECT_EQ(report.back(), L'\n');
        // A reload from the same path fails the same way.
        EXPECT_FALSE(reader.Ricarica());
        EXPECT_EQ(vplat::Com::InitCount(), 0);
    }
}

// Each DOM call of the load, failing: its report names the source, the text,
// the result code and the call.
TEST_F(ReaderReport, EveryFailingCallIsReported) {
    struct Case {
        const char* file;
        const char* call;  // name in the call log
        const wchar_t* text;
        const wchar_t* code;
    };
    const Case cases[] = {
        {"good.xml", "CoCreateInstance", L"Create a new DOMDocument",
         L"CoCreateInstance(__uuidof(MSXML2::DOMDocument60),NULL,CLSCTX_INPROC_SERVER, "
         L"__uuidof(MSXML2::IXMLDOMDocument),(void**)&pxmldoc)"},
        {"good.xml", "IXMLDOMDocument::put_async", L"should never fail", L"pxmldoc->put_async(VARIANT_FALSE)"},
        {"good.xml", "IXMLDOMDocument::put_validateOnParse", L"should never fail",
         L"pxmldoc->put_validateOnParse(VARIANT_FALSE)"},
        {"good.xml", "IXMLDOMDocument::put_resolveExternals", L"should never fail",
         L"pxmldoc->put_resolveExternals(VARIANT_FALSE)"},
        {"good.xml", "IXMLDOMDocument::load", L"dom->load(): ", L"m_pXMLDom->load(m_xmlFilePath, &status)"},
        {"bad.xml", "IXMLDOMDocument::get_parseError", L"dom->get_parseError: ", L"pDom->get_parseError(&pXMLErr)"},
        {"bad.xml", "IXMLDOMParseError::get_reason", L"parseError->get_reason: ", L"pXMLErr->get_reason(&bstrReason)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.call);
        // A clean run finds where the call comes.
        vplat::DomCalls::Reset();
        {
            CProbeReader probe;
            probe.Carica(m_dir.WidePath(c.file).c_str());
        }
        const auto log = vplat::DomCalls::Log();
        size_t at = 0;
        while (at < log.size() && log[at] != c.call) ++at;
        ASSERT_LT(at, log.size());

        vplat::MessageBoxes::Clear();
        vplat::DebugOutput::Clear();
        vplat::DomCalls::Reset();
        vplat::DomCalls::FailCall(at + 1, E_FAIL);
        CProbeReader reader;
        EXPECT_FALSE(reader.Carica(m_dir.WidePath(c.file).c_str()));
        EXPECT_FALSE(reader.HasDocument());
        EXPECT_EQ(vplat::Com::InitCount(), 0);
        std::wstring report = OnlyReport();
        EXPECT_EQ(report.rfind(L"xmlreader:", 0), 0u) << std::string(report.begin(), report.end());
        std::wstring tail = std::wstring(L"  HRCALL Failed: ") + c.text + L"\n  0x80004005 = " + c.code + L"\n";
        ASSERT_GE(report.size(), tail.size());
        EXPECT_EQ(report.substr(report.size() - tail.size()), tail) << std::string(report.begin(), report.end());
        // Between the source and the text stands the line number.
        std::wstring line = report.substr(10, report.size() - tail.size() - 10);
        EXPECT_FALSE(line.empty());
        EXPECT_EQ(line.find_first_not_of(L"0123456789"), std::wstring::npos);
    }
}

// The report buffer holds about a thousand characters; a longer report is cut.
TEST_F(ReaderReport, LongReportIsBounded) {
    std::string longName(200, 'x');
    std::filesystem::path deep = m_dir.Folder();
    for (int i = 0; i < 8; ++i) deep /= longName;  // 1600 characters that do not exist
    CProbeReader reader;
    EXPECT_FALSE(reader.Carica((deep / "Junctor.xml").wstring().c_str()));
    std::wstring report = OnlyReport();
    EXPECT_EQ(report.size(), 999u);
    EXPECT_EQ(report.rfind(L"Impossibile caricare il file xml", 0), 0u);
}

}  // namespace
