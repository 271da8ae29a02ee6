// The main intersection dialog under a user's hands, with one In leg: what is
// typed into the rows and the settings, the tree scrolled while a row is
// edited, the angle unit after every style load, and "Parametri" saving what
// the dialog shows.
#include <filesystem>
#include <fstream>
#include <iterator>

#include <NumeroTesto.h>

#include "../../junctor/ui/Resource.h"
#include "LegDialogFixture.h"

using namespace partree_test;

namespace {

std::string LeggiFile(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// The text of one PARAMETRO of a style in the file, or "<none>".
std::string Valore(const std::string& xml, const std::string& stile, const std::string& codice) {
    const size_t a = xml.find("<INTERSEZIONE style=\"" + stile + "\"");
    if (a == std::string::npos) return "<none>";
    const size_t fine = xml.find("</INTERSEZIONE>", a);
    const size_t p = xml.find("name=\"" + codice + "\"", a);
    if (p == std::string::npos || p > fine) return "<none>";
    const size_t inizio = xml.find('>', p) + 1;
    return xml.substr(inizio, xml.find('<', inizio) - inizio);
}

class MainDialogInput : public LegDialogFixture {
protected:
    void SetUp() override {
        JunctorModuleFixture::SetUp();
        ASSERT_NO_FATAL_FAILURE(PreparaUnRamo());
    }
    // The file as a new command would read it: false when the reader refuses it.
    bool SiLegge() {
        Modello m;
        CXmlReaderJunctor r;
        vplat::MessageBoxes::Clear();
        return cartella.Leggi(m, r) && vplat::MessageBoxes::All().empty();
    }
    std::vector<std::wstring> Messaggi() const {
        std::vector<std::wstring> out;
        for (const auto& b : vplat::MessageBoxes::All()) out.push_back(b.text);
        return out;
    }
    // A dialog on the file as it now stands, read afresh, with the leg on
    // its DEFAULT style, as a new command opens it.
    void ApriSulFile(Modello& fresh, CXmlReaderJunctor& freshReader, CDlgJunctor& run) {
        ASSERT_TRUE(cartella.Leggi(fresh, freshReader));
        CSecondariaJunctor* ramo = scenario->Ramo();
        *ramo->GetParametri() = fresh.pars;
        ramo->GetParametri()->SetNome(L"DEFAULT");
        fresh.settings.SetParametri(ramo->GetParametri());
        fresh.settings.SetParCorsie(&fresh.corsie);
        run.SetElementi(scenario->Principale(), ramo, nullptr);
        run.SetImpostazioni(&fresh.settings);
        run.SetLettore(&freshReader);
    }
};

}  // namespace

// A number that is not finite is refused where it is typed (the row, or the
// step, keeps its value) and never reaches the file, which a later command
// must still read; a comma is the decimal mark. Rows: h (2) at y 31, b1 (4)
// at y 73; IAccVi, row 6 of the entry-lane tree, at y 115.
TEST_F(MainDialogInput, TypedNumbersThatAreNotFiniteNeverReachTheFile) {
    const std::string before = LeggiFile(cartella.File());
    struct Case {
        const wchar_t* what;
        const wchar_t* script;
        const char* code;
        const char* written;
        std::vector<std::wstring> boxes;
    } cases[] = {
        {L"row, Salva", L"dialog 7001 click 7013/30000 at 60,31\ndialog 7001 set 7013/30000/2/1000 -5e400\n"
                        L"dialog 7001 click 7010\ndialog 7001 click 2\n", "h", "45.000", {}},
        {L"row, Parametri", L"dialog 7001 click 7013/30000 at 60,73\ndialog 7001 set 7013/30000/4/1000 nan\n"
                            L"dialog 7001 click 7008\ndialog 7018 click 1\ndialog 7001 click 2\n", "b1", "6.500", {}},
        {L"lane row", L"dialog 7001 click 7008\ndialog 7018 click 7038/30000 at 60,115\n"
                      L"dialog 7018 set 7038/30000/6/1000 1e400\ndialog 7018 click 1\ndialog 7001 click 2\n", "IAccVi",
         "40.000", {}},
        {L"comma", L"dialog 7001 click 7013/30000 at 60,31\ndialog 7001 set 7013/30000/2/1000 31,5\n"
                   L"dialog 7001 click 7010\ndialog 7001 click 2\n", "h", "31.500", {}},
        {L"step, Disegna", L"dialog 7001 click 7005\ndialog 7008 set 7026 1e400\ndialog 7008 click 1\nmsgbox ok\n"
                           L"dialog 7008 click 2\ndialog 7001 click 1\n", "h", "45.000",
         {L"L'incremento deve essere un numero maggiore di 0."}},
    };
    for (const Case& c : cases) {
        std::ofstream(cartella.File(), std::ios::binary | std::ios::trunc) << before;
        Modello fresh;
        CXmlReaderJunctor freshReader;
        CDlgJunctor run;
        ASSERT_NO_FATAL_FAILURE(ApriSulFile(fresh, freshReader, run));
        vplat::MessageBoxes::Clear();
        Script(c.script);
        run.DoModal();
        EXPECT_TRUE(Mismatches().empty()) << c.what;
        EXPECT_EQ(Messaggi(), c.boxes) << c.what;
        vplat::Script::Get().Clear();
        const std::string after = LeggiFile(cartella.File());
        EXPECT_EQ(Valore(after, "DEFAULT", c.code), c.written) << c.what;
        EXPECT_EQ(after.find("inf<"), std::string::npos) << c.what;
        EXPECT_EQ(after.find("nan<"), std::string::npos) << c.what;
        EXPECT_DOUBLE_EQ(fresh.settings.GetIncremento(), 0.5) << c.what;
        EXPECT_TRUE(SiLegge()) << c.what;
    }
}

// An h whose apex the leg axis cannot reach is refused at its commit: the
// row shows the last h again, the island keeps its points and a message says
// why; an h the axis holds is taken and moves the apex. Row h (2) at y 31.
TEST_F(MainDialogInput, AnHTheLegCannotHoldIsRefusedWhereItIsTyped) {
    CSecondariaJunctor* ramo = scenario->Ramo();
    const double h = ramo->GetParametri()->h.GetValore();
    struct Case {
        const wchar_t* typed;
        bool refused;
    } cases[] = {{L"1e5", true}, {L"0", true}, {L"-45", true}, {L"abc", true}, {L"30", false}};
    for (const Case& c : cases) {
        ads_point apex;
        ramo->GetPuntoIsola4(apex);
        CDlgJunctor run;
        std::vector<std::wstring> row;
        vplat::ModalLoop::SetIdleHook([&](HWND d, int) {
            if (d == run.m_hWnd) row.push_back(Testo(run.GetAlbero(), 2));
        });
        vplat::MessageBoxes::Clear();
        Script(std::wstring(L"dialog 7001 click 7013/30000 at 60,31\ndialog 7001 set 7013/30000/2/1000 ") + c.typed +
               L"\ndialog 7001 click 7013/30000 at 60,73\ndialog 7001 click 2\n");
        run.SetElementi(scenario->Principale(), ramo, nullptr);
        run.SetImpostazioni(&model.settings);
        EXPECT_EQ(run.DoModal(), IDCANCEL);
        vplat::ModalLoop::SetIdleHook(nullptr);
        EXPECT_TRUE(Mismatches().empty()) << c.typed;
        ads_point after;
        ramo->GetPuntoIsola4(after);
        if (c.refused) {
            EXPECT_EQ(ramo->GetParametri()->h.GetValore(), h) << c.typed;
            ASSERT_FALSE(row.empty());
            EXPECT_EQ(row.back(), std::wstring(FormattaNumero(h, model.settings.GetDecimali()))) << c.typed;
            EXPECT_EQ(std::vector<double>(after, after + 3), std::vector<double>(apex, apex + 3)) << c.typed;
            ASSERT_EQ(Messaggi().size(), 1u) << c.typed;
            EXPECT_EQ(Messaggi()[0].find(L"Valore non accettato: h = "), 0u);
            const std::wstring reason =
                L" - Numero di intersezioni insufficiente nella costruzione del triangolo dell'isola.\r\n"
                L"Si mantiene il valore precedente: h = " + std::wstring(FormattaNumeroCon(L"%g", h)) + L".";
            EXPECT_NE(Messaggi()[0].find(reason), std::wstring::npos) << c.typed;
        } else {
            EXPECT_EQ(ramo->GetParametri()->h.GetValore(), 30);
            EXPECT_TRUE(Messaggi().empty());
            EXPECT_TRUE(ramo->IsolaDaValori());
            EXPECT_NE(std::vector<double>(after, after + 3), std::vector<double>(apex, apex + 3));
        }
        vplat::Script::Get().Clear();
    }
}

// Scrolling the tree while a row is edited ends the edit: what is typed next
// reaches no row. b2 (row 5) is edited at y 94; a page down brings Lce under
// its editor, a wheel notch moves the rows by one.
TEST_F(MainDialogInput, ScrollingTheTreeEndsTheEdit) {
    for (const wchar_t* scroll : {L"dialog 7001 scroll 7013/30000 pagedown\n", L"dialog 7001 wheel 7013/30000 down\n"}) {
        CDlgJunctor run;
        run.SetElementi(scenario->Principale(), scenario->Ramo(), nullptr);
        run.SetImpostazioni(&model.settings);
        std::vector<std::wstring> editor;
        vplat::ModalLoop::SetIdleHook([&](HWND d, int) {
            if (d != run.m_hWnd) return;
            CMyOptionTreeItemSpinnerDec* b2 = Spinner(run.GetAlbero(), 5);
            editor.push_back(std::to_wstring(b2->IsWindowVisible()) + std::to_wstring(GetFocus() == b2->GetEdit()->m_hWnd));
        });
        CConstrPars* p = scenario->Ramo()->GetParametri();
        const double b2 = p->b2.GetValore(), lce = p->Lce.GetValore();
        Script(std::wstring(L"dialog 7001 click 7013/30000 at 60,94\n") + scroll +
               L"dialog 7001 type 25\ndialog 7001 click 7010\ndialog 7001 click 2\n");
        run.DoModal();
        EXPECT_TRUE(Mismatches().empty()) << scroll;
        EXPECT_EQ(editor, (std::vector<std::wstring>{L"00", L"11", L"00", L"00", L"00"})) << scroll;
        EXPECT_EQ(p->b2.GetValore(), b2) << scroll;
        EXPECT_EQ(p->Lce.GetValore(), lce) << scroll;
        vplat::ModalLoop::SetIdleHook(nullptr);
        vplat::Script::Get().Clear();
    }
}

// After the unit is changed and another style is chosen, the six angle rows
// show the settings' unit: labels and values (radians, 1 decimal) agree.
TEST_F(MainDialogInput, AnglesFollowTheSettingsUnitAfterAStyleIsLoaded) {
    std::vector<std::wstring> labels, values, expected;
    vplat::ModalLoop::SetIdleHook([&](HWND d, int) {
        if (d != dlg.m_hWnd) return;
        labels.clear();
        values.clear();
        expected.clear();
        const CConstrPars* p = scenario->Ramo()->GetParametri();
        const CSingleConstrPar* angoli[] = {&p->a1u, &p->a2u, &p->a3u, &p->a1e, &p->a2e, &p->a3e};
        int k = 0;
        for (int id : {26, 27, 28, 33, 34, 35}) {
            labels.push_back(Etichetta(dlg.GetAlbero(), id));
            values.push_back(Testo(dlg.GetAlbero(), id));
            expected.push_back(std::wstring(FormattaNumero(angoli[k++]->CSingleConstrPar::GetValore(), 1)));
        }
    });
    Script(L"dialog 7001 click 7005\ndialog 7008 select 7033 radianti\ndialog 7008 click 1\n"
           L"dialog 7001 select 7009 Urbana\ndialog 7001 click 2\n");
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_TRUE(Mismatches().empty());
    EXPECT_EQ(model.settings.GetUnitaAngoli(), 2);
    EXPECT_EQ(labels, (std::vector<std::wstring>{L"a1u [rad]", L"a2u [rad]", L"a3u [rad]", L"a1e [rad]", L"a2e [rad]",
                                                 L"a3e [rad]"}));
    EXPECT_EQ(values, expected);
    vplat::ModalLoop::SetIdleHook(nullptr);
}

// "Parametri" with OK saves the style as "Salva" does: the rows and the lane
// check boxes as the dialog shows them.
TEST_F(MainDialogInput, LaneParametersSaveTheRowsAndTheLaneCheckBoxes) {
    Script(L"dialog 7001 click 7013/30000 at 60,73\ndialog 7001 set 7013/30000/4/1000 4.5\n"
           L"dialog 7001 uncheck 7020\n"
           L"dialog 7001 click 7008\ndialog 7018 click 1\ndialog 7001 click 2\n");
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_TRUE(Mismatches().empty());
    const std::string after = LeggiFile(cartella.File());
    EXPECT_EQ(Valore(after, "DEFAULT", "b1"), "4.500");
    const size_t stile = after.find("<INTERSEZIONE style=\"DEFAULT\"");
    EXPECT_NE(after.substr(stile, after.find('>', stile) - stile).find("corsia_usc=\"N\""), std::string::npos);
}

// A style file a person annotated survives "Disegna": the root's namespace
// declarations and attributes, comments, an element of another namespace and
// a stray text among a style's parameters are all still there, and the style
// reads back whole.
TEST_F(MainDialogInput, DisegnaKeepsWhatTheFileHolds) {
    std::string xml = LeggiFile(cartella.File());
    const size_t root = xml.find("<INTERSEZIONI_RASO");
    ASSERT_NE(root, std::string::npos);
    xml.insert(root, "<!-- stili del comune -->\n");
    const std::string tag = "<INTERSEZIONI_RASO";
    xml.replace(xml.find(tag), tag.size(),
                "<INTERSEZIONI_RASO xmlns:xi=\"http://www.w3.org/2001/XInclude\" revisione=\"7\"");
    const size_t impostazioni = xml.find("<IMPOSTAZIONI>");
    xml.insert(impostazioni, "<xi:include href=\"altri.xml\"/><!-- nota -->");
    const size_t stile = xml.find("<INTERSEZIONE style=\"DEFAULT\"");
    const size_t secondo = xml.find("<PARAMETRO", xml.find("<PARAMETRO", stile) + 1);
    xml.insert(secondo, "da rivedere");
    std::ofstream(cartella.File(), std::ios::binary | std::ios::trunc) << xml;
    Modello fresh;
    CXmlReaderJunctor freshReader;
    CDlgJunctor run;
    ASSERT_NO_FATAL_FAILURE(ApriSulFile(fresh, freshReader, run));
    Script(L"dialog 7001 click 1\n");
    EXPECT_EQ(run.DoModal(), IDOK);
    EXPECT_TRUE(Mismatches().empty());
    const std::string after = LeggiFile(cartella.File());
    for (const char* kept : {"<!-- stili del comune -->", "xmlns:xi=\"http://www.w3.org/2001/XInclude\"",
                             "revisione=\"7\"", "<xi:include href=\"altri.xml\"/><!-- nota -->", "da rivedere"})
        EXPECT_NE(after.find(kept), std::string::npos) << kept;
    for (const char* code : {"h", "s", "b1", "b2", "Lbis", "Rr1is"}) EXPECT_NE(Valore(after, "DEFAULT", code), "<none>") << code;
    EXPECT_TRUE(SiLegge());
}
