// Reading the style file into the settings, the style list, the legend and
// the parameter sets of the wanted style.
#include "StyleFileSupport.h"

#include <CXmlReaderJunctor.h>
#include <CXmlWriterJunctor.h>

#include <unistd.h>

#include <cstdlib>
#include <cwchar>

#include <clocale>
#include <cmath>

using namespace stylefile_test;

namespace {

const std::filesystem::path kShipped = std::filesystem::path(VORTANA_BIN) / "Junctor" / "Junctor.xml";

class Reader : public ::testing::Test {
protected:
    void SetUp() override {
        vplat::Com::Reset();
        vplat::MessageBoxes::Clear();
        vplat::DebugOutput::Clear();
        m_objects = vplat::Com::LiveObjects();
    }
    void TearDown() override {
        EXPECT_EQ(vplat::Com::InitCount(), 0);  // every load paired
        EXPECT_EQ(vplat::Com::UnpairedUninitialize(), 0);
        EXPECT_EQ(vplat::Com::LiveObjects(), m_objects);
    }
    // Reads as the new-intersection command does: every section.
    bool Leggi(const std::filesystem::path& file, Modello& m, const CString& stile = L"DEFAULT",
               bool parametri = true, bool lista = true) {
        CXmlReaderJunctor reader;
        if (!reader.Carica(file.wstring().c_str())) return false;
        reader.SetSezioni(parametri, lista, true, true, false);
        reader.SetStile(stile);
        reader.SetDestinazioni(&m.settings);
        return reader.Process();
    }
    bool LeggiTesto(const std::string& xml, Modello& m, const CString& stile = L"DEFAULT") {
        WriteFile(m_dir.Path("Junctor.xml"), xml);
        return Leggi(m_dir.Path("Junctor.xml"), m, stile);
    }

    ScratchFolder m_dir;
    long m_objects = 0;
};

// Wraps styles and settings into a style file.
std::string File(const std::string& body) { return "<?xml version='1.0'?><INTERSEZIONI_RASO>" + body + "</INTERSEZIONI_RASO>"; }

TEST_F(Reader, ShippedFileReadsEverySection) {
    Modello m;
    ASSERT_TRUE(Leggi(kShipped, m));
    EXPECT_TRUE(vplat::MessageBoxes::All().empty());
    ASSERT_EQ(m.stili.GetSize(), 3);
    EXPECT_EQ(m.stili.GetIndiceCorrente(), 0);
    CString nome, desc;
    m.stili.GetCorrente(nome, desc);
    EXPECT_EQ(nome, L"DEFAULT");
    EXPECT_FALSE(desc.IsEmpty());
    EXPECT_EQ(m.stili[1].nome, L"Extraurbana");
    EXPECT_EQ(m.stili[2].nome, L"Urbana");
    // Settings.
    EXPECT_DOUBLE_EQ(m.settings.GetIncremento(), 0.5);
    EXPECT_EQ(m.settings.GetDecimali(), 1);
    EXPECT_EQ(m.settings.GetUnitaAngoli(), 0);
    EXPECT_FALSE(m.settings.GetUseAutoCAD());
    EXPECT_EQ(m.settings.GetMetodo(), L"F");
    EXPECT_TRUE(m.settings.GetTricentrica());
    // The DEFAULT style, angles written in degrees and held in radians.
    EXPECT_DOUBLE_EQ(m.pars.h.GetValore(), 45.0);
    EXPECT_EQ(m.pars.a2e.GetUnita(), L"[deg]");
    EXPECT_DOUBLE_EQ(m.pars.a2e.CSingleConstrPar::GetValore(), 66.0 * 3.14159265 / 180);
    EXPECT_EQ(m.pars.a2e.GetValoreTesto(), L"66.000");
    EXPECT_EQ(m.corsie.GetCorsiaSx(), L"Y");
    EXPECT_EQ(m.corsie.GetCorsiaImm(), L"Y");
    EXPECT_EQ(m.corsie.IImmQ1.GetUnita(), L"[veic/h]");
    // Lane inputs that give finite lengths.
    m.settings.CalcolaCorsie();
    for (const CSingleConstrPar* p : {&m.corsie.IAccLae, &m.corsie.IImmLie, &m.corsie.UDecLdu, &m.corsie.SAcuLaa,
                                      &m.corsie.SDecLda, &m.corsie.SManLma, &m.corsie.SRacLva}) {
        EXPECT_TRUE(std::isfinite(p->GetValore())) << Narrow(p->GetNome().str());
        EXPECT_GT(p->GetValore(), 0.0) << Narrow(p->GetNome().str());
    }
    // The legend names, describes and pictures every parameter that is in the file.
    for (int i = 0; i < CConstrPars::NUMERO_PARAMETRI; ++i) {
        const DescrittoreParametro& d = CConstrPars::DESCRITTORI[i];
        if (!*d.codice) continue;
        EXPECT_EQ(m.pars.Parametro(i).GetNome(), d.codice);
        EXPECT_FALSE(m.pars.Parametro(i).GetDescrizione().IsEmpty()) << Narrow(d.codice);
        EXPECT_FALSE(m.pars.Parametro(i).GetPathImg().IsEmpty()) << Narrow(d.codice);
    }
    for (int i = 0; i < CLanePars::NUMERO_PARAMETRI; ++i) {
        const CSingleConstrPar& p = m.corsie.Parametro(i);
        EXPECT_FALSE(p.GetDescrizione().IsEmpty()) << Narrow(CLanePars::DESCRITTORI[i].codice);
        EXPECT_FALSE(p.GetPathImg().IsEmpty()) << Narrow(CLanePars::DESCRITTORI[i].codice);
    }
    // Legend keys that differ from the codes.
    EXPECT_EQ(m.corsie.IManR.GetNome(), L"IManRI");
    EXPECT_EQ(m.corsie.SAcuEs.GetNome(), L"SAcuE[s]");
    EXPECT_EQ(m.corsie.IImmEs.GetNome(), L"IImmEs");
    EXPECT_EQ(m.corsie.IImmEs.GetPathImg(), L"IImmEs.jpg");
}

TEST_F(Reader, SettingsEdgeCases) {
    Modello m;
    m.settings.SetUseAutoCAD(true);
    m.settings.SetUnitaAngoli(1);
    ASSERT_TRUE(LeggiTesto(File("<IMPOSTAZIONI><DECIMALI_SPIN>2.7</DECIMALI_SPIN>"
                                "<INCREMENTO_SPIN>0.25</INCREMENTO_SPIN>"
                                "<UNITA_MISURA_ANGOLI>radians</UNITA_MISURA_ANGOLI>"
                                "<METODO_COSTRUZIONE></METODO_COSTRUZIONE><ALTRO>9</ALTRO></IMPOSTAZIONI>"),
                           m));
    EXPECT_EQ(m.settings.GetDecimali(), 2);  // the integer stops at the point
    EXPECT_DOUBLE_EQ(m.settings.GetIncremento(), 0.25);
    EXPECT_FALSE(m.settings.GetUseAutoCAD());  // no attribute reads as false
    EXPECT_EQ(m.settings.GetUnitaAngoli(), 1);  // a name of another language changes nothing
    EXPECT_EQ(m.settings.GetMetodo(), L"");     // empty element: unchanged
}

// Under a language whose decimal separator is a comma (compiled into a private
// folder when none is installed), numbers are still read and written with the point.
bool UseCommaLocale(std::filesystem::path& folder) {
    auto use = [] {
        for (const char* name : {"it_IT.UTF-8", "it_IT.utf8", "de_DE.UTF-8", "de_DE.utf8"})
            if (std::setlocale(LC_NUMERIC, name)) return true;
        return false;
    };
    if (!use()) {
        folder = std::filesystem::temp_directory_path() / ("vortana-stylefile-locale-" + std::to_string(getpid()));
        std::filesystem::create_directories(folder);
        std::string cmd = "localedef -i it_IT -f UTF-8 '" + (folder / "it_IT.UTF-8").string() + "' >/dev/null 2>&1";
        if (std::system(cmd.c_str()) != -1) {
            setenv("LOCPATH", folder.c_str(), 1);
            use();
        }
    }
    wchar_t probe[16];
    std::swprintf(probe, 16, L"%.1f", 0.5);
    return std::wstring(probe) == L"0,5";
}

TEST_F(Reader, NumbersUseTheCNumericRules) {
    std::filesystem::path folder;
    bool comma = UseCommaLocale(folder);
    Modello m;
    bool read = comma && LeggiTesto(File("<IMPOSTAZIONI><INCREMENTO_SPIN>0.25</INCREMENTO_SPIN>"
                                         "<DECIMALI_SPIN>2</DECIMALI_SPIN></IMPOSTAZIONI>"
                                         "<INTERSEZIONE style='DEFAULT'><ISOLA><PARAMETRO name='s' measUnit='[m]'>"
                                         "1.75</PARAMETRO></ISOLA></INTERSEZIONE>"),
                                    m);
    bool written = false;
    if (read) {
        CXmlWriterJunctor writer;
        written = writer.Carica(m_dir.WidePath("Junctor.xml").c_str());
        writer.SetModo(CXmlWriterJunctor::MODO_AGGIUNGI);
        writer.SetStile(L"N");
        writer.SetDestinazioni(&m.settings);
        written = written && writer.Process();
        CXmlWriterJunctor settings;
        written = written && settings.Carica(m_dir.WidePath("Junctor.xml").c_str());
        settings.SetModo(CXmlWriterJunctor::MODO_IMPOSTAZIONI);
        settings.SetDestinazioni(&m.settings);
        written = written && settings.Process();
    }
    std::setlocale(LC_NUMERIC, "C");
    unsetenv("LOCPATH");
    if (!folder.empty()) std::filesystem::remove_all(folder);
    if (!comma) GTEST_SKIP() << "no locale with a decimal comma available";
    ASSERT_TRUE(read);
    EXPECT_DOUBLE_EQ(m.settings.GetIncremento(), 0.25);
    EXPECT_DOUBLE_EQ(m.pars.s.GetValore(), 1.75);
    ASSERT_TRUE(written);
    std::string out = ReadFile(m_dir.Path("Junctor.xml"));
    EXPECT_NE(out.find("<PARAMETRO name=\"s\" measUnit=\"[m]\">1.750</PARAMETRO>"), std::string::npos) << out;
    EXPECT_NE(out.find("<INCREMENTO_SPIN>0.25</INCREMENTO_SPIN>"), std::string::npos) << out;
}

TEST_F(Reader, StyleEdgeCases) {
    Modello m;
    m.pars.s.SetValore(7.0);
    m.pars.a1e.SetUnitaVisualizzazione(1);  // grads
    ASSERT_TRUE(LeggiTesto(
        File("<INTERSEZIONE style='default' desc='minuscolo'/>"
             "<INTERSEZIONE style='DEFAULT' desc='d' corsia_imm='Y' corsia_usc='N'>"
             "<ISOLA><PARAMETRO name='h'>12.5</PARAMETRO>"          // no measUnit
             "<PARAMETRO name='s' measUnit='[km]'></PARAMETRO>"      // no text
             "<PARAMETRO name='riu' measUnit='[m]'>99</PARAMETRO>"   // code of another container
             "<PARAMETRO name='zz' measUnit='[m]'>1</PARAMETRO></ISOLA>"
             "<RACCORDO><PARAMETRO name='a1u' measUnit='[deg]'>90.000</PARAMETRO>"
             "<PARAMETRO name='a1e'>1</PARAMETRO><PARAMETRO name='r1e' measUnit='[m]'>5</PARAMETRO></RACCORDO>"
             "<ALTRO><PARAMETRO name='b1'>3</PARAMETRO></ALTRO></INTERSEZIONE>"
             "<INTERSEZIONE style='DEFAULT' desc='again' corsia_imm='y' corsia_usc='Y'><RACCORDO><PARAMETRO name='r1e' measUnit='[m]'>6</PARAMETRO>"
             "</RACCORDO></INTERSEZIONE>"),
        m));
    // "default" is listed but only "DEFAULT" becomes current; every style is listed.
    ASSERT_EQ(m.stili.GetSize(), 3);
    EXPECT_EQ(m.stili.GetIndiceCorrente(), 2);
    EXPECT_EQ(m.pars.h.GetUnita(), L"");
    EXPECT_DOUBLE_EQ(m.pars.h.GetValore(), 12.5);
    EXPECT_EQ(m.pars.s.GetUnita(), L"[km]");
    EXPECT_DOUBLE_EQ(m.pars.s.GetValore(), 7.0);
    EXPECT_DOUBLE_EQ(m.pars.riu.GetValore(), 0.0);
    EXPECT_DOUBLE_EQ(m.pars.b1.GetValore(), 0.0);
    EXPECT_EQ(m.pars.a1u.CSingleConstrPar::GetValore(), 1.5707963249999999);
    EXPECT_EQ(m.pars.a1u.GetUnita(), L"[deg]");
    // No measUnit: the text empties, the angle keeps showing grads.
    EXPECT_EQ(m.pars.a1e.GetUnita(), L"");
    EXPECT_DOUBLE_EQ(m.pars.a1e.CSingleConstrPar::GetValore(), 1 * 3.14159265 / 200);
    EXPECT_DOUBLE_EQ(m.pars.r1e.GetValore(), 6.0);  // the later occurrence wins
    EXPECT_EQ(m.corsie.GetCorsiaImm(), L"N");       // "y" is not "Y"
    EXPECT_EQ(m.corsie.GetCorsiaUsc(), L"Y");
}

// Only the sections asked for are read; a missing wanted style leaves the sets.
TEST_F(Reader, SectionsAndMissingStyle) {
    const std::string xml = File("<IMPOSTAZIONI><DECIMALI_SPIN>4</DECIMALI_SPIN></IMPOSTAZIONI>"
                                 "<INTERSEZIONE style='A'><ISOLA><PARAMETRO name='h' measUnit='[m]'>3</PARAMETRO>"
                                 "</ISOLA></INTERSEZIONE>");
    WriteFile(m_dir.Path("Junctor.xml"), xml);
    Modello m;
    ASSERT_TRUE(Leggi(m_dir.Path("Junctor.xml"), m, L"B"));
    EXPECT_DOUBLE_EQ(m.pars.h.GetValore(), 0.0);
    EXPECT_EQ(m.stili.GetSize(), 1);
    // The main dialog's style change: parameters only.
    CXmlReaderJunctor reader;
    ASSERT_TRUE(reader.Carica(m_dir.WidePath("Junctor.xml").c_str()));
    reader.SetSezioni(true, false, false, false, false);
    reader.SetStile(L"A");
    Modello n;
    reader.SetDestinazioni(&n.settings);
    ASSERT_TRUE(reader.Process());
    EXPECT_DOUBLE_EQ(n.pars.h.GetValore(), 3.0);
    EXPECT_EQ(n.stili.GetSize(), 0);
    EXPECT_EQ(n.settings.GetDecimali(), 0);
    // Process again reloads the file; the list flag on appends every style again.
    reader.SetSezioni(false, true, false, false, false);
    ASSERT_TRUE(reader.Process());
    ASSERT_TRUE(reader.Process());
    EXPECT_EQ(n.stili.GetSize(), 2);
}

// A document whose root is another element is no style file: it is
// reported and nothing is read. An empty style file reads nothing, silently.
TEST_F(Reader, ForeignRootIsReportedAndReadsNothing) {
    Modello m;
    EXPECT_FALSE(LeggiTesto("<ALTRO><IMPOSTAZIONI><DECIMALI_SPIN>4</DECIMALI_SPIN></IMPOSTAZIONI></ALTRO>", m));
    EXPECT_EQ(m.settings.GetDecimali(), 0);
    ASSERT_EQ(vplat::MessageBoxes::All().size(), 1u);
    EXPECT_NE(vplat::MessageBoxes::All()[0].text.find(L"not a style file"), std::wstring::npos);
    vplat::MessageBoxes::Clear();
    EXPECT_TRUE(LeggiTesto("<INTERSEZIONI_RASO/>", m));
    EXPECT_TRUE(vplat::MessageBoxes::All().empty());
}

// A value that is no complete, finite number in the C form is reported with
// its style, parameter and text, and the file is not taken: nothing changes.
TEST_F(Reader, ValuesThatAreNoNumbersRefuseTheFile) {
    const std::string kStyle = "<INTERSEZIONE style='DEFAULT' desc='d'><ISOLA><PARAMETRO name='h' measUnit='[m]'>";
    const struct {
        const char* name;
        std::string body;
        const wchar_t* report;
    } cases[] = {
        {"Letters", "<IMPOSTAZIONI><INCREMENTO_SPIN>abc</INCREMENTO_SPIN></IMPOSTAZIONI>",
         L"IMPOSTAZIONI, parametro \"INCREMENTO_SPIN\", testo \"abc\""},
        {"DecimalComma", "<IMPOSTAZIONI><INCREMENTO_SPIN>1,5</INCREMENTO_SPIN></IMPOSTAZIONI>", L"testo \"1,5\""},
        {"TrailingLetters", "<IMPOSTAZIONI><INCREMENTO_SPIN>28abc</INCREMENTO_SPIN></IMPOSTAZIONI>", L"testo \"28abc\""},
        {"Hexadecimal", "<IMPOSTAZIONI><INCREMENTO_SPIN>0x10</INCREMENTO_SPIN></IMPOSTAZIONI>", L"testo \"0x10\""},
        {"NotANumber", "<IMPOSTAZIONI><INCREMENTO_SPIN>nan</INCREMENTO_SPIN></IMPOSTAZIONI>", L"testo \"nan\""},
        {"Infinite", "<IMPOSTAZIONI><INCREMENTO_SPIN>inf</INCREMENTO_SPIN></IMPOSTAZIONI>", L"testo \"inf\""},
        {"BeyondDouble", "<IMPOSTAZIONI><INCREMENTO_SPIN>1e400</INCREMENTO_SPIN></IMPOSTAZIONI>", L"testo \"1e400\""},
        {"DecimalsLetters", "<IMPOSTAZIONI><DECIMALI_SPIN>tre</DECIMALI_SPIN></IMPOSTAZIONI>",
         L"parametro \"DECIMALI_SPIN\", testo \"tre\""},
        {"ParameterOfTheWantedStyle", kStyle + "12m</PARAMETRO></ISOLA></INTERSEZIONE>",
         L"stile \"DEFAULT\", parametro \"h\", testo \"12m\""},
        {"ParameterOfAnotherStyle",
         kStyle + "1</PARAMETRO></ISOLA></INTERSEZIONE><INTERSEZIONE style='Urbana'><RACCORDO>"
                  "<PARAMETRO name='r1e' measUnit='[m]'>- 5</PARAMETRO></RACCORDO></INTERSEZIONE>",
         L"stile \"Urbana\", parametro \"r1e\", testo \"- 5\""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        vplat::MessageBoxes::Clear();
        Modello m;
        m.pars.h.SetValore(3.5);
        // The settings come before the values, so that a late bad value
        // shows that nothing earlier was taken either.
        EXPECT_FALSE(LeggiTesto(File("<IMPOSTAZIONI><DECIMALI_SPIN>4</DECIMALI_SPIN></IMPOSTAZIONI>" + c.body), m));
        ASSERT_EQ(vplat::MessageBoxes::All().size(), 1u);
        std::wstring report = vplat::MessageBoxes::All()[0].text;
        EXPECT_EQ(report.rfind(L"Numero non valido nel file degli stili: ", 0), 0u) << Narrow(report);
        EXPECT_NE(report.find(c.report), std::wstring::npos) << Narrow(report);
        EXPECT_EQ(m.settings.GetDecimali(), 0);
        EXPECT_DOUBLE_EQ(m.settings.GetIncremento(), CJunctorSettings::INCREMENTO_PREDEFINITO);
        EXPECT_DOUBLE_EQ(m.pars.h.GetValore(), 3.5);
        EXPECT_EQ(m.stili.GetSize(), 0);
    }
    // Blanks around a number, a sign, an exponent are numbers.
    vplat::MessageBoxes::Clear();
    Modello m;
    EXPECT_TRUE(LeggiTesto(File("<IMPOSTAZIONI><INCREMENTO_SPIN> +2.5e-1\n</INCREMENTO_SPIN></IMPOSTAZIONI>"), m));
    EXPECT_TRUE(vplat::MessageBoxes::All().empty());
    EXPECT_DOUBLE_EQ(m.settings.GetIncremento(), 0.25);
}

// An increment that does not move the spinner forward falls back to the
// default with a report; the rest of the file is taken.
TEST_F(Reader, IncrementNotAboveZeroFallsBackToTheDefault) {
    for (const char* text : {"0", "-0.5"}) {
        SCOPED_TRACE(text);
        vplat::MessageBoxes::Clear();
        Modello m;
        m.settings.SetIncremento(0.5);
        EXPECT_TRUE(LeggiTesto(File(std::string("<IMPOSTAZIONI><INCREMENTO_SPIN>") + text +
                                    "</INCREMENTO_SPIN><DECIMALI_SPIN>3</DECIMALI_SPIN></IMPOSTAZIONI>"),
                               m));
        EXPECT_DOUBLE_EQ(m.settings.GetIncremento(), CJunctorSettings::INCREMENTO_PREDEFINITO);
        EXPECT_EQ(m.settings.GetDecimali(), 3);
        ASSERT_EQ(vplat::MessageBoxes::All().size(), 1u);
        EXPECT_NE(vplat::MessageBoxes::All()[0].text.find(L"INCREMENTO_SPIN"), std::wstring::npos);
    }
}

TEST_F(Reader, MalformedAndMissingFilesAreReported) {
    Modello m;
    EXPECT_FALSE(LeggiTesto("<INTERSEZIONI_RASO><IMPOSTAZIONI></INTERSEZIONI_RASO>", m));
    EXPECT_FALSE(Leggi(m_dir.Path("altro.xml"), m));
    const auto& boxes = vplat::MessageBoxes::All();
    ASSERT_EQ(boxes.size(), 2u);
    for (const auto& box : boxes)
        EXPECT_EQ(box.text.rfind(L"Impossibile caricare il file xml - Failed to load DOM. ", 0), 0u);
    EXPECT_NE(boxes[1].text.find(L"altro.xml"), std::wstring::npos);
}

// An external entity or DTD is not resolved; a value that holds such an
// entity is no number, and the file is refused with nothing read.
TEST_F(Reader, ExternalReferencesAreNotResolved) {
    WriteFile(m_dir.Path("dec.txt"), "7");
    WriteFile(m_dir.Path("defs.dtd"), "<!ENTITY dec '8'>");
    Modello m;
    vplat::DomCalls::Reset();
    EXPECT_FALSE(LeggiTesto("<?xml version='1.0'?><!DOCTYPE INTERSEZIONI_RASO SYSTEM 'defs.dtd' "
                            "[<!ENTITY ext SYSTEM 'dec.txt'>]><INTERSEZIONI_RASO><IMPOSTAZIONI>"
                            "<DECIMALI_SPIN>&ext;</DECIMALI_SPIN><INCREMENTO_SPIN>2&dec;</INCREMENTO_SPIN>"
                            "</IMPOSTAZIONI></INTERSEZIONI_RASO>",
                            m));
    EXPECT_EQ(m.settings.GetDecimali(), 0);
    EXPECT_DOUBLE_EQ(m.settings.GetIncremento(), CJunctorSettings::INCREMENTO_PREDEFINITO);
    EXPECT_EQ(vplat::DomCalls::RefusedLoads(), 0);
    ASSERT_EQ(vplat::MessageBoxes::All().size(), 1u);
    EXPECT_NE(vplat::MessageBoxes::All()[0].text.find(L"parametro \"DECIMALI_SPIN\", testo \"&ext;\""),
              std::wstring::npos)
        << Narrow(vplat::MessageBoxes::All()[0].text);
}

// The walk's own failing call, through the hook.
TEST_F(Reader, FailingChildListIsReported) {
    WriteFile(m_dir.Path("Junctor.xml"), File("<IMPOSTAZIONI/>"));
    CXmlReaderJunctor reader;
    ASSERT_TRUE(reader.Carica(m_dir.WidePath("Junctor.xml").c_str()));
    Modello m;
    reader.SetSezioni(true, true, true, true, false);
    reader.SetDestinazioni(&m.settings);
    vplat::DomCalls::Reset();
    vplat::DomCalls::FailCall(1, E_OUTOFMEMORY);
    EXPECT_FALSE(reader.Process());
    ASSERT_EQ(vplat::MessageBoxes::All().size(), 1u);
    std::wstring report = vplat::MessageBoxes::All()[0].text;
    EXPECT_EQ(report.rfind(L"xmlreaderjunctor:", 0), 0u);
    EXPECT_NE(report.find(L"  HRCALL Failed: get_childNodes\n  0x8007000e = m_pXMLDom->get_childNodes (&lista)\n"),
              std::wstring::npos)
        << Narrow(report);
    EXPECT_EQ(vplat::DebugOutput::Text(), report);
}

}  // namespace
