// The shipped style file and its two stylesheets, through the browser
// control's XSL view.
#include "StyleFileSupport.h"

#include <CXmlWriterJunctor.h>

#include <libxml/parser.h>

#include <set>

using namespace stylefile_test;

namespace {

const std::filesystem::path kShipped = std::filesystem::path(VORTANA_BIN) / "Junctor";

// Style names and parameter codes as an independent parser reads them.
struct Shipped {
    std::vector<std::string> styles;
    std::set<std::string> codes;
};

Shipped ReadShipped(const std::filesystem::path& file) {
    Shipped out;
    xmlDocPtr doc = xmlReadFile(file.c_str(), nullptr, XML_PARSE_NONET);
    EXPECT_NE(doc, nullptr);
    if (!doc) return out;
    for (xmlNodePtr s = xmlDocGetRootElement(doc)->children; s; s = s->next) {
        if (s->type != XML_ELEMENT_NODE || !xmlStrEqual(s->name, BAD_CAST "INTERSEZIONE")) continue;
        xmlChar* name = xmlGetProp(s, BAD_CAST "style");
        out.styles.emplace_back(reinterpret_cast<const char*>(name));
        xmlFree(name);
        for (xmlNodePtr g = s->children; g; g = g->next)
            for (xmlNodePtr p = g->children; p; p = p->next)
                if (p->type == XML_ELEMENT_NODE) {
                    xmlChar* code = xmlGetProp(p, BAD_CAST "name");
                    out.codes.emplace(reinterpret_cast<const char*>(code));
                    xmlFree(code);
                }
    }
    xmlFreeDoc(doc);
    return out;
}

TEST(StylesView, ShippedFileIsCopiedIntoTheModuleFolder) {
    for (const char* f : {"Junctor.xml", "StylesView/Junctor.xsl", "StylesView/JunctorPrintVersion.xsl"}) {
        SCOPED_TRACE(f);
        std::filesystem::path source = std::filesystem::path(VORTANA_SOURCE) / "samples" / "Junctor" / f;
        ASSERT_TRUE(std::filesystem::exists(kShipped / f));
        EXPECT_EQ(ReadFile(kShipped / f), ReadFile(source));
    }
}

// The screen view shows every style with every parameter code.
TEST(StylesView, ScreenViewShowsEveryStyleAndParameter) {
    Shipped shipped = ReadShipped(kShipped / "Junctor.xml");
    ASSERT_GE(shipped.styles.size(), 3u);
    EXPECT_EQ(shipped.styles[0], "DEFAULT");
    EXPECT_EQ(shipped.codes.size(), 6u + 26u + 23u + 9u + 26u);
    vplat::XslResult view = vplat::XslView::Transform((kShipped / "Junctor.xml").wstring());
    ASSERT_TRUE(view.ok) << std::string(view.error.begin(), view.error.end());
    EXPECT_NE(view.html.find("<html"), std::string::npos);
    for (const std::string& style : shipped.styles)
        EXPECT_NE(view.html.find("Stile " + style + "</h2>"), std::string::npos) << style;
    for (const std::string& code : shipped.codes) EXPECT_NE(view.html.find("<td>" + code + "</td>"), std::string::npos) << code;
    // Descriptions come from the legend.
    EXPECT_NE(view.html.find("Lunghezza del tratto di accelerazione"), std::string::npos);
    EXPECT_NE(view.html.find("gradi decimali"), std::string::npos);
}

// The print copy, made by the writer beside the style file, names the print
// stylesheet: plain black on white.
TEST(StylesView, PrintViewIsPlain) {
    ScratchFolder dir;
    std::filesystem::copy(kShipped, dir.Folder(), std::filesystem::copy_options::recursive);
    Modello m;
    CXmlWriterJunctor writer;
    ASSERT_TRUE(writer.Carica(dir.WidePath("Junctor.xml").c_str()));
    writer.SetModo(CXmlWriterJunctor::MODO_STAMPA);
    writer.SetFoglioStile(L"StylesView/JunctorPrintVersion.xsl");
    writer.SetUscita(false, dir.WidePath("JunctorPV.xml").c_str());
    writer.SetDestinazioni(&m.settings);
    ASSERT_TRUE(writer.Process());
    EXPECT_NE(ReadFile(dir.Path("JunctorPV.xml")).find("href = 'StylesView/JunctorPrintVersion.xsl'"), std::string::npos);
    vplat::XslResult view = vplat::XslView::Transform(dir.WidePath("JunctorPV.xml"));
    ASSERT_TRUE(view.ok) << std::string(view.error.begin(), view.error.end());
    for (const std::string& style : ReadShipped(dir.Path("JunctorPV.xml")).styles)
        EXPECT_NE(view.html.find("Stile " + style + "</h2>"), std::string::npos) << style;
    // Every colour "#rrggbb" is black or white.
    for (size_t at = view.html.find('#'); at != std::string::npos; at = view.html.find('#', at + 1)) {
        std::string colour = view.html.substr(at, 7);
        if (colour.size() == 7 && colour.find_first_not_of("0123456789abcdefABCDEF", 1) == std::string::npos) {
            EXPECT_TRUE(colour == "#000000" || colour == "#ffffff") << colour;
        }
    }
}

// A stylesheet may not read other files or write any.
TEST(StylesView, TransformsCannotTouchOtherFiles) {
    ScratchFolder dir;
    WriteFile(dir.Path("secret.txt"), "<s>SECRET-MARKER</s>");
    WriteFile(dir.Path("in.xml"), "<?xml-stylesheet type='text/xsl' href='v.xsl'?><R/>");
    struct Case {
        const char* what;
        const char* body;
    };
    const Case cases[] = {
        {"reads a file", "<xsl:template match='/'><p><xsl:value-of select=\"document('secret.txt')\"/></p></xsl:template>"},
        {"writes a file",
         "<xsl:template match='/'><xsl:document href='written.html' method='html'><p>x</p></xsl:document></xsl:template>"},
        {"includes a file", "<xsl:include href='other.xsl'/><xsl:template match='/'><p/></xsl:template>"},
    };
    WriteFile(dir.Path("other.xsl"),
              "<xsl:stylesheet version='1.0' xmlns:xsl='http://www.w3.org/1999/XSL/Transform'/>");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        WriteFile(dir.Path("v.xsl"), std::string("<xsl:stylesheet version='1.0' xmlns:xsl='http://www.w3.org/1999/XSL/"
                                                 "Transform'>") +
                                         c.body + "</xsl:stylesheet>");
        vplat::XslResult view = vplat::XslView::Transform(dir.WidePath("in.xml"));
        EXPECT_EQ(view.html.find("SECRET-MARKER"), std::string::npos);
        EXPECT_FALSE(std::filesystem::exists(dir.Path("written.html")));
    }
}

// The stylesheet comes from the file's folder or below only: a name that
// climbs out is refused whether a stylesheet lies there or not.
TEST(StylesView, StylesheetOnlyFromTheFilesFolderAndBelow) {
    ScratchFolder dir;
    const std::string xsl = "<xsl:stylesheet version='1.0' xmlns:xsl='http://www.w3.org/1999/XSL/Transform'>"
                            "<xsl:template match='/'><p>VISTA</p></xsl:template></xsl:stylesheet>";
    std::filesystem::create_directories(dir.Path("modulo/StylesView"));
    WriteFile(dir.Path("fuori.xsl"), xsl);
    WriteFile(dir.Path("modulo/StylesView/v.xsl"), xsl);
    const std::pair<const char*, bool> cases[] = {
        {"StylesView/v.xsl", true},
        {"./StylesView/v.xsl", true},
        {"StylesView\\v.xsl", true},
        {"../fuori.xsl", false},
        {"..\\fuori.xsl", false},
        {"StylesView/../../fuori.xsl", false},
        {"StylesView/.. /../fuori.xsl", false},
        {"../nessuno.xsl", false},
        {"C:fuori.xsl", false},
        {"file:../fuori.xsl", false},
    };
    for (const auto& [href, ok] : cases) {
        WriteFile(dir.Path("modulo/in.xml"), std::string("<?xml-stylesheet type='text/xsl' href='") + href + "'?><R/>");
        vplat::XslResult view = vplat::XslView::Transform(dir.WidePath("modulo/in.xml"));
        EXPECT_EQ(view.ok, ok) << href;
        EXPECT_EQ(view.html.find("VISTA") != std::string::npos, ok) << href;
        if (!ok) {
            EXPECT_EQ(view.error, L"The stylesheet is not beside the file.") << href;
        }
    }
}

TEST(StylesView, MissingStylesheetIsReported) {
    ScratchFolder dir;
    const std::pair<const char*, const wchar_t*> cases[] = {
        {"<?xml-stylesheet type='text/xsl' href='none.xsl'?><R/>", L"cannot be opened"},
        {"<R/>", L"names no stylesheet"},
        {"<?xml-stylesheet type='text/xsl' href='http://example.org/v.xsl'?><R/>", L"not beside"},
    };
    for (const auto& [xml, reason] : cases) {
        WriteFile(dir.Path("in.xml"), xml);
        vplat::XslResult view = vplat::XslView::Transform(dir.WidePath("in.xml"));
        EXPECT_FALSE(view.ok) << xml;
        EXPECT_NE(view.error.find(reason), std::wstring::npos) << xml;
    }
}

}  // namespace
