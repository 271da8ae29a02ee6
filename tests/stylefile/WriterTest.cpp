// Rewriting the style file in its five modes, and every way a rewrite can fail.
#include "StyleFileSupport.h"

#include <CXmlWriterJunctor.h>
#include <TranslatorBinding.h>

#include <libxml/c14n.h>
#include <libxml/parser.h>

#include <cmath>
#include <cstdlib>
#include <limits>

#include <functional>
#include <map>
#include <set>

using namespace stylefile_test;

namespace {

const std::filesystem::path kShipped = std::filesystem::path(VORTANA_BIN) / "Junctor" / "Junctor.xml";

// A small style file with something of every kind the writer meets.
const char kSmall[] =
    "<?xml version='1.0' encoding='UTF-8'?>\n"
    "<?xml-stylesheet type='text/xsl' href='StylesView/Junctor.xsl'?>\n"
    "<INTERSEZIONI_RASO>\n"
    "  <!-- commento -->\n"
    "  <IMPOSTAZIONI><DECIMALI_SPIN>1</DECIMALI_SPIN><UNITA_MISURA_ANGOLI useAutoCAD='N'>gradi decimali"
    "</UNITA_MISURA_ANGOLI></IMPOSTAZIONI>\n"
    "  <VERIFICHE><V a='1'>x</V></VERIFICHE>\n"
    "  <LEGENDA method='F'><ELEMENTO name='Isola'><VOCE><NOMEPAR>h</NOMEPAR><DESC>Lunghezza</DESC>"
    "<PATHIMG>h.jpg</PATHIMG></VOCE></ELEMENTO></LEGENDA>\n"
    "  <ALTRO>resta solo nella copia</ALTRO>\n"
    "  <INTERSEZIONE style='A' desc='primo' version='1' method='F' corsia_imm='Y' corsia_usc='N' corsia_sx='N' "
    "corsia_sx_urbano='N'><ISOLA><PARAMETRO name='h' measUnit='[m]'>10.000</PARAMETRO></ISOLA></INTERSEZIONE>\n"
    "  <INTERSEZIONE style='B' desc='secondo' version='0' method='CH'><ISOLA><PARAMETRO name='h' measUnit='[m]'>"
    "20.000</PARAMETRO></ISOLA></INTERSEZIONE>\n"
    "</INTERSEZIONI_RASO>\n";

class Writer : public ::testing::Test {
protected:
    void SetUp() override {
        vplat::Com::Reset();
        vplat::MessageBoxes::Clear();
        m_objects = vplat::Com::LiveObjects();
        m_file = m_dir.Path("Junctor.xml");
    }
    void TearDown() override {
        EXPECT_EQ(vplat::Com::InitCount(), 0);
        EXPECT_EQ(vplat::Com::UnpairedUninitialize(), 0);
        EXPECT_EQ(vplat::Com::LiveObjects(), m_objects);
        vplat::Com::Reset();
    }

    bool Leggi(Modello& m, const CString& stile) {
        CXmlReaderJunctor reader;
        if (!reader.Carica(m_file.wstring().c_str())) return false;
        reader.SetSezioni(true, true, true, true, false);
        reader.SetStile(stile);
        reader.SetDestinazioni(&m.settings);
        return reader.Process();
    }
    // One writer run, as the main dialog's style operation drives it.
    bool Scrivi(int modo, const CString& stile, Modello& m, const CString& desc = L"") {
        CXmlWriterJunctor writer;
        if (!writer.Carica(m_file.wstring().c_str())) return false;
        writer.SetModo(modo);
        writer.SetStile(stile);
        writer.SetDescrizione(desc);
        writer.SetDestinazioni(&m.settings);
        if (modo == CXmlWriterJunctor::MODO_STAMPA) {
            writer.SetFoglioStile(L"StylesView/JunctorPrintVersion.xsl");
            writer.SetUscita(false, m_dir.WidePath("JunctorPV.xml").c_str());
        }
        return writer.Process();
    }
    std::vector<std::wstring> Boxes() const {
        std::vector<std::wstring> out;
        for (const auto& b : vplat::MessageBoxes::All()) out.push_back(b.text);
        return out;
    }

    ScratchFolder m_dir;
    std::filesystem::path m_file;
    long m_objects = 0;
};

void ExpectSameParameters(const CSingleConstrPar& got, const CSingleConstrPar& want, const char* code) {
    EXPECT_EQ(got.GetUnita(), want.GetUnita()) << code;
    EXPECT_EQ(got.GetValoreTesto(), want.GetValoreTesto()) << code;
}

// Read, write in modes 0 to 3, read again: every style, setting and legend
// entry is kept; angles stored in degrees come back in radians.
TEST_F(Writer, RoundTripKeepsEverything) {
    std::filesystem::copy_file(kShipped, m_file);
    Modello original;
    ASSERT_TRUE(Leggi(original, L"DEFAULT"));

    // Mode 0: new settings.
    Modello m;
    ASSERT_TRUE(Leggi(m, L"DEFAULT"));
    m.settings.SetDecimali(2);
    m.settings.SetIncremento(0.25);
    m.settings.SetMetodo(L"CH");
    m.settings.SetTricentrica(false);
    m.settings.SetUseAutoCAD(true);
    ASSERT_TRUE(Scrivi(0, L"", m));
    // Mode 1: a new style from edited values, angles shown in degrees.
    m.pars.h.SetValore(31.5);
    m.pars.a2e.SetValore(70.25);
    m.corsie.SetCorsie(true, false, true, true);
    m.corsie.IAccVf.SetValore(1234567);
    ASSERT_TRUE(Scrivi(1, L"Nuovo", m, L"Stile nuovo: \u00e8 \"citato\" <&>"));
    // Mode 2: Urbana overwritten.
    Modello urbana;
    ASSERT_TRUE(Leggi(urbana, L"Urbana"));
    urbana.pars.b1.SetValore(4.125);
    ASSERT_TRUE(Scrivi(2, L"Urbana", urbana, L"Urbana rivista"));
    // Mode 3: Extraurbana deleted.
    ASSERT_TRUE(Scrivi(3, L"Extraurbana", m));
    EXPECT_TRUE(vplat::MessageBoxes::All().empty());

    std::string bytes = ReadFile(m_file);
    EXPECT_EQ(bytes.rfind("<?xml version='1.0' encoding = 'UTF-8'?>", 0), 0u);
    EXPECT_NE(bytes.find("href = 'StylesView/Junctor.xsl'"), std::string::npos);
    EXPECT_NE(bytes.find("<PARAMETRO name=\"a2e\" measUnit=\"[deg]\">70.250</PARAMETRO>"), std::string::npos);
    EXPECT_NE(bytes.find("<PARAMETRO name=\"IAccVf\" measUnit=\"[km/h]\">1.235e+06</PARAMETRO>"), std::string::npos);

    Modello nuovo;
    ASSERT_TRUE(Leggi(nuovo, L"Nuovo"));
    ASSERT_EQ(nuovo.stili.GetSize(), 3);
    EXPECT_EQ(nuovo.stili[0].nome, L"DEFAULT");
    EXPECT_EQ(nuovo.stili[1].nome, L"Urbana");
    EXPECT_EQ(nuovo.stili[1].descrizione, L"Urbana rivista");
    EXPECT_EQ(nuovo.stili[2].nome, L"Nuovo");
    EXPECT_EQ(nuovo.stili[2].descrizione, L"Stile nuovo: \u00e8 \"citato\" <&>");
    EXPECT_EQ(nuovo.settings.GetDecimali(), 2);
    EXPECT_DOUBLE_EQ(nuovo.settings.GetIncremento(), 0.25);
    EXPECT_EQ(nuovo.settings.GetMetodo(), L"CH");
    EXPECT_FALSE(nuovo.settings.GetTricentrica());
    EXPECT_TRUE(nuovo.settings.GetUseAutoCAD());
    EXPECT_EQ(nuovo.settings.GetUnitaAngoli(), 0);
    EXPECT_EQ(nuovo.corsie.GetCorsiaImm() + nuovo.corsie.GetCorsiaUsc() + nuovo.corsie.GetCorsiaSx() +
                  nuovo.corsie.GetCorsiaSxUrbano(),
              L"YNYY");
    for (int k = 0; k < CConstrPars::NUMERO_IN_FILE; ++k) {
        int i = CConstrPars::ORDINE_FILE[k];
        ExpectSameParameters(nuovo.pars.Parametro(i), m.pars.Parametro(i), "style");
    }
    for (int i = 0; i < CLanePars::NUMERO_PARAMETRI; ++i)
        ExpectSameParameters(nuovo.corsie.Parametro(i), m.corsie.Parametro(i), "lane");
    EXPECT_NEAR(nuovo.pars.a2e.CSingleConstrPar::GetValore(), 70.25 * 3.14159265 / 180, 1e-12);

    // The untouched style and the overwritten one.
    Modello def, urb;
    ASSERT_TRUE(Leggi(def, L"DEFAULT"));
    ASSERT_TRUE(Leggi(urb, L"Urbana"));
    for (int i = 0; i < CConstrPars::NUMERO_PARAMETRI; ++i) {
        ExpectSameParameters(def.pars.Parametro(i), original.pars.Parametro(i), "DEFAULT");
        ExpectSameParameters(urb.pars.Parametro(i), urbana.pars.Parametro(i), "Urbana");
        // The legend is copied as found.
        EXPECT_EQ(def.pars.Parametro(i).GetNome(), original.pars.Parametro(i).GetNome());
        EXPECT_EQ(def.pars.Parametro(i).GetDescrizione(), original.pars.Parametro(i).GetDescrizione());
        EXPECT_EQ(def.pars.Parametro(i).GetPathImg(), original.pars.Parametro(i).GetPathImg());
    }
    for (int i = 0; i < CLanePars::NUMERO_PARAMETRI; ++i) {
        ExpectSameParameters(def.corsie.Parametro(i), original.corsie.Parametro(i), "DEFAULT lane");
        EXPECT_EQ(def.corsie.Parametro(i).GetDescrizione(), original.corsie.Parametro(i).GetDescrizione());
        EXPECT_EQ(def.corsie.Parametro(i).GetPathImg(), original.corsie.Parametro(i).GetPathImg());
    }
    EXPECT_EQ(urb.pars.b1.GetValoreTesto(), L"4.125");
}

// What each mode keeps and replaces, on the small file.
TEST_F(Writer, ModesKeepWhatTheyDoNotReplace) {
    struct Case {
        int modo;
        const wchar_t* stile;
        std::vector<std::string> present;
        std::vector<std::string> absent;
    };
    const Case cases[] = {
        {0, L"", {"<IMPOSTAZIONI><INCREMENTO_SPIN>1</INCREMENTO_SPIN><DECIMALI_SPIN>0</DECIMALI_SPIN>"
                  "<UNITA_MISURA_ANGOLI useAutoCAD=\"N\">radianti</UNITA_MISURA_ANGOLI>"
                  "<METODO_COSTRUZIONE/><TRICENTRICA_CNR>N</TRICENTRICA_CNR></IMPOSTAZIONI>",
                  "<VERIFICHE><V a=\"1\">x</V></VERIFICHE>", "style=\"A\"", "style=\"B\"", "<!-- commento -->",
                  "<ALTRO>resta solo nella copia</ALTRO>"},
         {"<DECIMALI_SPIN>1</DECIMALI_SPIN>"}},
        {3, L"A", {"<DECIMALI_SPIN>1</DECIMALI_SPIN>", "<LEGENDA method=\"F\"><ELEMENTO name=\"Isola\"><VOCE>"
                   "<NOMEPAR>h</NOMEPAR><DESC>Lunghezza</DESC><PATHIMG>h.jpg</PATHIMG></VOCE></ELEMENTO></LEGENDA>",
                   "style=\"B\"", "<!-- commento -->", "<ALTRO>"},
         {"style=\"A\""}},
        // Deleting a name the file does not hold changes nothing.
        {3, L"Z", {"style=\"A\"", "style=\"B\"", "<!-- commento -->", "<ALTRO>"}, {}},
        {4, L"", {"href = 'StylesView/JunctorPrintVersion.xsl'", "<ALTRO>resta solo nella copia</ALTRO>",
                  "style=\"A\"", "style=\"B\"", "<!-- commento -->"},
         {"href = 'StylesView/Junctor.xsl'"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.modo);
        WriteFile(m_file, kSmall);
        Modello m;
        ASSERT_TRUE(Scrivi(c.modo, c.stile, m));
        std::string out = ReadFile(c.modo == 4 ? m_dir.Path("JunctorPV.xml") : m_file);
        for (const std::string& s : c.present) EXPECT_NE(out.find(s), std::string::npos) << s << "\n" << out;
        for (const std::string& s : c.absent) EXPECT_EQ(out.find(s), std::string::npos) << s << "\n" << out;
        if (c.modo == 4) {
            EXPECT_EQ(ReadFile(m_file), kSmall);  // the style file itself stays
        }
        EXPECT_FALSE(std::filesystem::exists(m_dir.Path("Junctor.xml.tmp")));
    }
    EXPECT_TRUE(vplat::MessageBoxes::All().empty());
}

TEST_F(Writer, WrittenStyleValues) {
    // A file without settings gets none from mode 0.
    WriteFile(m_file, "<INTERSEZIONI_RASO><INTERSEZIONE style='A'/></INTERSEZIONI_RASO>");
    Modello m;
    ASSERT_TRUE(Scrivi(0, L"", m));
    EXPECT_EQ(ReadFile(m_file).find("IMPOSTAZIONI"), std::string::npos);
    // Degrees: a deflection of 1.570796325 is written as 90.000 [deg].
    m.settings.SetUnitaAngoli(0);
    m.settings.ApplicaUnitaAngoli();
    m.pars.SetDeviazioni(1.570796325 * 15 / 2, 1.570796325 * 15 / 2, false);  // a1e = 2/15 of it
    m.settings.SetVersione(L"7");
    m.settings.SetMetodo(L"F");
    ASSERT_TRUE(Scrivi(1, L"N", m, L"d"));
    std::string out = ReadFile(m_file);
    EXPECT_NE(out.find("<PARAMETRO name=\"a1e\" measUnit=\"[deg]\">90.000</PARAMETRO>"), std::string::npos) << out;
    EXPECT_NE(out.find("<INTERSEZIONE style=\"N\" desc=\"d\" version=\"7\" method=\"F\" corsia_imm=\"N\" "
                       "corsia_usc=\"N\" corsia_sx=\"N\" corsia_sx_urbano=\"N\"><ISOLA><PARAMETRO name=\"h\" "
                       "measUnit=\"[m]\">0.000</PARAMETRO><PARAMETRO name=\"s\""),
              std::string::npos)
        << out;
    // Each group holds its codes, once, in the format's order.
    for (const auto& [group, count] : std::map<std::string, size_t>{
             {"ISOLA", 6}, {"RACCORDO", 26}, {"CORSIAIMM", 23}, {"CORSIAUSC", 9}, {"CORSIASX", 26}}) {
        size_t start = out.find("<" + group + ">"), end = out.find("</" + group + ">");
        ASSERT_NE(start, std::string::npos) << group;
        size_t n = 0;
        for (size_t at = out.find("<PARAMETRO", start); at < end; at = out.find("<PARAMETRO", at + 1)) ++n;
        EXPECT_EQ(n, count) << group;
    }
    // Every INTERSEZIONE of the name is overwritten (the stored ones carry the settings' version).
    WriteFile(m_file, "<INTERSEZIONI_RASO><INTERSEZIONE style='A' version='3'/><INTERSEZIONE style='B'/>"
                      "<INTERSEZIONE style='A' version='4'/></INTERSEZIONI_RASO>");
    ASSERT_TRUE(Scrivi(2, L"A", m, L"nuova"));
    out = ReadFile(m_file);
    EXPECT_EQ(out.find("version=\"3\""), std::string::npos);
    size_t first = out.find("style=\"A\" desc=\"nuova\" version=\"7\"");
    ASSERT_NE(first, std::string::npos);
    EXPECT_NE(out.find("style=\"A\" desc=\"nuova\" version=\"7\"", first + 1), std::string::npos);
    ASSERT_TRUE(Scrivi(3, L"A", m));
    out = ReadFile(m_file);
    EXPECT_EQ(out.find("style=\"A\""), std::string::npos);
    EXPECT_NE(out.find("style=\"B\""), std::string::npos);
}

// A style file with something of every kind a person or another tool may put
// in it: comments and instructions around and inside the root, the root's own
// attributes and namespace declarations, an element of another namespace,
// character data, an unknown element and a stray text among a style's
// parameters.
const char kRich[] =
    "<?xml version='1.0' encoding='UTF-8'?>\n"
    "<?xml-stylesheet type = 'text/xsl' href = 'StylesView/Junctor.xsl'?>\n"
    "<!-- prima della radice -->\n"
    "<?controllo versione='2'?>\n"
    "<INTERSEZIONI_RASO xmlns:xi='http://www.w3.org/2001/XInclude' xmlns:v='urn:vortana:note' versione='2' "
    "v:autore='Rossi'>\n"
    "  <!-- commento -->\n"
    "  <IMPOSTAZIONI><DECIMALI_SPIN>1</DECIMALI_SPIN></IMPOSTAZIONI>\n"
    "  <xi:include href='altri-stili.xml'><xi:fallback/></xi:include>\n"
    "  <VERIFICHE><V><![CDATA[a < b && c]]></V></VERIFICHE>\n"
    "  <ALTRO v:nota='x'>resta<?segno dati?>qui</ALTRO>\n"
    "  <INTERSEZIONE style='A' desc='primo' version='1' method='F'><ISOLA>"
    "<PARAMETRO name='h' measUnit='[m]'>10.000</PARAMETRO>testo vagante"
    "<PARAMETRO name='s' measUnit='[m]'>0.500</PARAMETRO><!-- nota -->"
    "<PARAMETRO name='b1' measUnit='[m]'>4.000</PARAMETRO></ISOLA></INTERSEZIONE>\n"
    "  <INTERSEZIONE style='B' desc='secondo' version='0' method='CH'/>\n"
    "</INTERSEZIONI_RASO>\n"
    "<!-- dopo la radice -->\n";

// The canonical form of a document (comments kept), without the children of
// the root that `skip` names and, when asked, without its stylesheet; empty
// when the text is not namespace-well-formed XML.
std::string Canonical(const std::string& xml, const std::function<bool(xmlNodePtr)>& skip = nullptr,
                      bool withoutStylesheet = false) {
    xmlParserCtxtPtr ctxt = xmlNewParserCtxt();
    xmlDocPtr doc = xmlCtxtReadMemory(ctxt, xml.data(), static_cast<int>(xml.size()), "x.xml", nullptr,
                                      XML_PARSE_NONET | XML_PARSE_NOBLANKS | XML_PARSE_NOERROR | XML_PARSE_NOWARNING);
    const bool ok = doc && ctxt->wellFormed && ctxt->nsWellFormed;
    xmlFreeParserCtxt(ctxt);
    if (!ok) {
        if (doc) xmlFreeDoc(doc);
        return "";
    }
    std::vector<xmlNodePtr> gone;
    for (xmlNodePtr c = doc->children; c; c = c->next)
        if (withoutStylesheet && c->type == XML_PI_NODE && xmlStrEqual(c->name, BAD_CAST "xml-stylesheet")) gone.push_back(c);
    if (xmlNodePtr root = xmlDocGetRootElement(doc))
        for (xmlNodePtr c = root->children; c; c = c->next)
            if (skip && skip(c)) gone.push_back(c);
    for (xmlNodePtr n : gone) {
        xmlUnlinkNode(n);
        xmlFreeNode(n);
    }
    xmlChar* out = nullptr;
    const int n = xmlC14NDocDumpMemory(doc, nullptr, XML_C14N_1_0, nullptr, 1, &out);
    std::string text = n >= 0 && out ? std::string(reinterpret_cast<const char*>(out), static_cast<size_t>(n)) : "";
    xmlFree(out);
    xmlFreeDoc(doc);
    return text;
}

bool Named(xmlNodePtr n, const char* name, const char* style = nullptr) {
    if (n->type != XML_ELEMENT_NODE || !xmlStrEqual(n->name, BAD_CAST name)) return false;
    if (!style) return true;
    xmlChar* s = xmlGetProp(n, BAD_CAST "style");
    const bool same = s && xmlStrEqual(s, BAD_CAST style);
    xmlFree(s);
    return same;
}

// Every mode keeps everything it read but what it replaces, so that a file a
// person annotated survives "Disegna" (mode 0), the style operations and the
// print copy; the saved files stay namespace-well-formed and read back.
TEST_F(Writer, EveryModeKeepsWhatItRead) {
    const std::string input = Canonical(kRich);
    ASSERT_FALSE(input.empty());
    struct Case {
        int modo;
        const wchar_t* stile;
        std::function<bool(xmlNodePtr)> replaced;
    } cases[] = {
        {0, L"", [](xmlNodePtr n) { return Named(n, "IMPOSTAZIONI"); }},
        {1, L"N", [](xmlNodePtr n) { return Named(n, "INTERSEZIONE", "N"); }},
        {2, L"B", [](xmlNodePtr n) { return Named(n, "INTERSEZIONE", "B"); }},
        {3, L"Z", nullptr},
        {3, L"B", nullptr},
        {4, L"", nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.modo) + " " + Narrow(c.stile));
        WriteFile(m_file, kRich);
        Modello m;
        ASSERT_TRUE(Scrivi(c.modo, c.stile, m, L"d"));
        const std::string out = ReadFile(c.modo == 4 ? m_dir.Path("JunctorPV.xml") : m_file);
        const bool stampa = c.modo == 4;
        auto deleted = [&](xmlNodePtr n) { return c.modo == 3 && Named(n, "INTERSEZIONE", "B"); };
        auto replaced = [&](xmlNodePtr n) { return (c.replaced && c.replaced(n)) || deleted(n); };
        ASSERT_FALSE(Canonical(out).empty()) << out;
        EXPECT_EQ(Canonical(out, replaced, stampa), Canonical(kRich, replaced, stampa)) << out;
    }
    // The style with the stray text reads back whole.
    WriteFile(m_file, kRich);
    Modello m;
    ASSERT_TRUE(Scrivi(0, L"", m));
    Modello a;
    ASSERT_TRUE(Leggi(a, L"A"));
    EXPECT_EQ(a.pars.h.GetValoreTesto(), L"10.000");
    EXPECT_EQ(a.pars.s.GetValoreTesto(), L"0.500");
    EXPECT_EQ(a.pars.b1.GetValoreTesto(), L"4.000");
    EXPECT_TRUE(vplat::MessageBoxes::All().empty());
}

// A value whose text would not read back as a finite number is never
// written: the run fails naming it and the file stays as it was.
TEST_F(Writer, ValuesThatWouldNotReadBackAreNeverWritten) {
    const double inf = std::numeric_limits<double>::infinity();
    struct Case {
        int modo;
        std::function<void(Modello&)> set;
        const wchar_t* named;  // null: the run succeeds
    } cases[] = {
        {1, [](Modello& m) { m.pars.h.SetValore(31.5); }, nullptr},
        {1, [inf](Modello& m) { m.pars.h.SetValore(-inf); }, L"h \"-inf\""},
        {2, [](Modello& m) { m.corsie.IAccVf.SetValore(std::nan("")); }, L"IAccVf"},
        // Finite in radians, not in the degrees it is written in.
        {1, [](Modello& m) {
             m.pars.SetUnitaAngoli(0);
             m.pars.a2e.CSingleConstrPar::SetValore(1e307);
         }, L"a2e \"inf\""},
        {1, [](Modello& m) { m.pars.b1.SetValore(std::numeric_limits<double>::max()); }, L"b1 \"1.798e+308\""},
        {0, [inf](Modello& m) { m.settings.SetIncremento(inf); }, L"INCREMENTO_SPIN"},
    };
    for (const Case& c : cases) {
        vplat::MessageBoxes::Clear();
        WriteFile(m_file, kSmall);
        Modello m;
        c.set(m);
        const bool ok = Scrivi(c.modo, c.modo == 2 ? L"A" : L"N", m, L"d");
        EXPECT_EQ(ok, c.named == nullptr) << c.modo;
        if (!c.named) {
            EXPECT_TRUE(vplat::MessageBoxes::All().empty());
            continue;
        }
        EXPECT_EQ(ReadFile(m_file), kSmall);
        auto boxes = Boxes();
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].rfind(L"Errore nel salvataggio: The value of a parameter is not a number a style file can hold: ",
                                 0),
                  0u)
            << Narrow(boxes[0]);
        EXPECT_NE(boxes[0].find(c.named), std::wstring::npos) << Narrow(boxes[0]);
    }
}

// A run that fails leaves the file byte for byte, with its message.
TEST_F(Writer, RefusedRunsLeaveTheFile) {
    struct Case {
        const char* what;
        std::string xml;
        int modo;
        const wchar_t* stile;
        const wchar_t* desc;
        const wchar_t* message;
    };
    const std::string small = kSmall;
    const Case cases[] = {
        {"overwrite a missing style", small, 2, L"Z", L"", L"The style to overwrite is not in the XML document."},
        {"foreign root", "<ALTRO><INTERSEZIONE style='A'/></ALTRO>", 1, L"N", L"", L"The XML document is not a style file"},
        {"empty root", "<INTERSEZIONI_RASO/>", 0, L"", L"", L"The XML document is not a style file"},
        {"control character in the name", small, 1, L"N\x01", L"", L"characters an XML document cannot carry"},
        {"non-character in the description", small, 2, L"A", L"d\xFFFE", L"characters an XML document cannot carry"},
        {"unknown mode", small, 5, L"A", L"", L"Unknown save mode."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        vplat::MessageBoxes::Clear();
        WriteFile(m_file, c.xml);
        Modello m;
        EXPECT_FALSE(Scrivi(c.modo, c.stile, m, c.desc));
        EXPECT_EQ(ReadFile(m_file), c.xml);
        auto boxes = Boxes();
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].rfind(L"Errore nel salvataggio: ", 0), 0u) << Narrow(boxes[0]);
        EXPECT_NE(boxes[0].find(c.message), std::wstring::npos) << Narrow(boxes[0]);
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(m_dir.Folder()), std::filesystem::directory_iterator()), 1);
    }
}

// A save that cannot complete leaves the old file and no temporary beside it.
TEST_F(Writer, FailedSaveLeavesTheOriginal) {
    WriteFile(m_file, kSmall);
    std::filesystem::create_directory(m_dir.Path("Junctor.xml.tmp"));  // the temporary cannot be written
    Modello m;
    EXPECT_FALSE(Scrivi(1, L"N", m, L"d"));
    EXPECT_EQ(ReadFile(m_file), kSmall);
    EXPECT_EQ(Boxes(), std::vector<std::wstring>{L"Errore nel salvataggio: Unable to save updated XML document."});
}

// Every DOM call of a run, failing in turn: the run stops with one of the
// writer's texts (or the reader's report when the load fails), the file
// stays as it was, and together the runs show every failure text.
TEST_F(Writer, EveryFailingCallIsReported) {
    Modello m;
    for (int modo : {2, 0}) {
        SCOPED_TRACE(modo);
        WriteFile(m_file, kSmall);
        vplat::DomCalls::Reset();
        ASSERT_TRUE(Scrivi(modo, L"A", m, L"d"));
        const size_t calls = vplat::DomCalls::Log().size();
        std::set<std::wstring> texts;
        for (size_t i = 1; i <= calls; ++i) {
            WriteFile(m_file, kSmall);
            vplat::MessageBoxes::Clear();
            vplat::DomCalls::Reset();
            vplat::DomCalls::FailCall(i, E_FAIL);
            bool ok = Scrivi(modo, L"A", m, L"d");
            auto boxes = Boxes();
            ASSERT_FALSE(boxes.empty()) << "call " << i;
            const std::wstring prefix = L"Errore nel salvataggio: ";
            if (boxes.back().rfind(L"Errore nel caricamento", 0) == 0) {
                // A node of the document that could not be taken: the walk goes on to the root.
                continue;
            }
            EXPECT_FALSE(ok) << "call " << i;
            EXPECT_EQ(ReadFile(m_file), kSmall) << "call " << i;
            if (boxes.back().rfind(prefix, 0) == 0) {
                // Nothing after the colon only when the output document could not be made.
                if (boxes.back().size() == prefix.size()) {
                    ASSERT_EQ(boxes.size(), 2u) << "call " << i;
                    EXPECT_EQ(boxes[0], L"Impossibile salvare: errore in inizializzazione.");
                }
                texts.insert(boxes.back().substr(prefix.size()));
            } else {
                EXPECT_NE(boxes.back().find(L"HRCALL Failed"), std::wstring::npos) << Narrow(boxes.back());
            }
            EXPECT_EQ(vplat::Com::InitCount(), 0) << "call " << i;
        }
        if (modo == 2) {
            for (const wchar_t* t :
                 {L"Unable to append processing instruction to XML document.", L"Unable to create node to XML document.",
                  L"Unable to append root node to XML document.", L"Unable to append child node to XML document.",
                  L"Unable to create attribute in XML document.", L"Unable to get attributes from XML document.",
                  L"Unable to append attribute to XML document.", L"Unable to append text to XML document.",
                  L"Unable to get name from XML node.", L"Unable to get item form attribute list.",
                  L"Unable to get name from XML attribute.", L"Unable to get text from XML attribute.",
                  L"Unable to get item from node list.", L"Unable to get text from XML node.",
                  L"Unable to put text on XML node.", L"Unable to save updated XML document."})
                EXPECT_TRUE(texts.count(t)) << Narrow(t);
        }
    }
}

// The output document cannot be created: the initialisation message, then the
// failure with nothing after the colon.
TEST_F(Writer, OutputDocumentNotCreated) {
    WriteFile(m_file, kSmall);
    Modello m;
    vplat::DomCalls::Reset();
    ASSERT_TRUE(Scrivi(0, L"", m));
    const auto log = vplat::DomCalls::Log();
    size_t second = 0;
    for (size_t i = 0, seen = 0; i < log.size(); ++i)
        if (log[i] == "CoCreateInstance" && ++seen == 2) second = i + 1;
    ASSERT_GT(second, 0u);
    WriteFile(m_file, kSmall);
    vplat::MessageBoxes::Clear();
    vplat::DomCalls::Reset();
    vplat::DomCalls::FailCall(second, REGDB_E_CLASSNOTREG);
    EXPECT_FALSE(Scrivi(0, L"", m));
    EXPECT_EQ(Boxes(), (std::vector<std::wstring>{L"Impossibile salvare: errore in inizializzazione.",
                                                  L"Errore nel salvataggio: "}));
    EXPECT_EQ(ReadFile(m_file), kSmall);
}

// The angle unit is named in the language of the user interface: a file
// written under one language names it so, and another language does not know it.
TEST_F(Writer, UnitNameInTheInterfaceLanguage) {
    WriteFile(m_file, kSmall);
    setenv("VORTANA_TRANSLATOR_MARK", "1", 1);
    vplat::Modules::SetHostPath(VORTANA_BIN "/vortana-cad");
    ASSERT_TRUE(LoadTranslatorDll(L"Junctor.arx"));
    {
        Modello marked;  // unit names translated at construction
        marked.settings.SetUnitaAngoli(2);
        bool written = Scrivi(0, L"", marked);
        Modello again;
        again.settings.SetUnitaAngoli(0);
        bool read = Leggi(again, L"");
        FreeTranslatorDll();
        unsetenv("VORTANA_TRANSLATOR_MARK");
        ASSERT_TRUE(written);
        ASSERT_TRUE(read);
        EXPECT_EQ(again.settings.GetUnitaAngoli(), 2);
    }
    EXPECT_NE(ReadFile(m_file).find(">\u00abradianti\u00bb</UNITA_MISURA_ANGOLI>"), std::string::npos)
        << ReadFile(m_file);
    Modello plain;
    plain.settings.SetUnitaAngoli(0);
    ASSERT_TRUE(Leggi(plain, L""));
    EXPECT_EQ(plain.settings.GetUnitaAngoli(), 0);
}

}  // namespace
