// The main intersection dialog without road elements, driven by the script on
// a scratch copy of the module folder's style data: opening, style choice,
// closing codes, style operations, the picture panel and tree notifications
// that arrive without a leg.
#include <cctype>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <NumeroTesto.h>

#include "../../junctor/ui/CDlgJunctor.h"
#include "../../junctor/ui/Resource.h"
#include "HostText.h"
#include "ParTreeFixture.h"

using namespace partree_test;

namespace {

std::string Leggi(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// A style's element of the file, as text without the blanks between tags
// (the writer does not indent what it writes).
std::string Stile(const std::string& xml, const std::string& nome) {
    const size_t a = xml.find("<INTERSEZIONE style=\"" + nome + "\"");
    if (a == std::string::npos) return "";
    const std::string t = xml.substr(a, xml.find("</INTERSEZIONE>", a) - a);
    std::string out;
    for (size_t i = 0; i < t.size(); ++i) {
        if (t[i] == '>') {
            out += '>';
            while (i + 1 < t.size() && std::isspace(static_cast<unsigned char>(t[i + 1]))) ++i;
        } else {
            out += t[i];
        }
    }
    return out;
}

class MainDialog : public JunctorModuleFixture {
protected:
    std::filesystem::path File() const { return cartella.File(); }
    // The style file read as the command reads it, and a dialog on it.
    void Apri() { Apri(dlg, model, reader); }
    // The same for a dialog of a table's case, with no message shown yet.
    void Apri(CDlgJunctor& d, Modello& m, CXmlReaderJunctor& r) {
        ASSERT_TRUE(cartella.Leggi(m, r));
        vplat::MessageBoxes::Clear();
        d.SetImpostazioni(&m.settings);
        d.SetLettore(&r);
    }
    CartellaStili cartella;
    Modello model;
    CXmlReaderJunctor reader;
    CDlgJunctor dlg;
};

std::wstring Stato(HWND d) {
    std::wstring s;
    for (int id : {IDC_ALBERO_PARAMETRI, IDC_CHECK_CORSIA_SX, IDC_CHECK_CORSIA_IMM, IDC_CHECK_CORSIA_USC, IDC_BUTTON_PARAMETRI})
        s += std::to_wstring(IsWindowEnabled(GetDlgItem(d, id)) != FALSE);
    return s + L" " + std::to_wstring(IsWindowVisible(GetDlgItem(d, IDC_CHECK_URBANO)) != FALSE);
}

}  // namespace

TEST_F(MainDialog, WithoutRoadsTheLegControlsAreOffAndClosingGivesItsCode) {
    struct Case {
        const wchar_t* script;
        INT_PTR result;
        int code;
        size_t boxes;
    } cases[] = {
        {L"dialog 7001 click 2\n", IDCANCEL, 0, 0},
        {L"dialog 7001 key ESCAPE\n", IDCANCEL, 0, 0},
        {L"dialog 7001 click 7002\n", IDCANCEL, 2, 0},
        {L"dialog 7001 click 1\nmsgbox ok\ndialog 7001 click 2\n", IDCANCEL, 0, 1},  // no main road
        {L"dialog 7001 focus 7009\ndialog 7001 key RETURN\ndialog 7001 click 2\n", IDCANCEL, 0, 0},
    };
    for (const Case& c : cases) {
        Modello fresh;
        CXmlReaderJunctor freshReader;
        CDlgJunctor dlg;
        ASSERT_NO_FATAL_FAILURE(Apri(dlg, fresh, freshReader));
        std::vector<std::wstring> seen;
        vplat::ModalLoop::SetIdleHook([&](HWND d, int) { seen.push_back(Stato(d)); });
        Script(c.script);
        EXPECT_EQ(dlg.DoModal(), c.result) << c.script;
        EXPECT_EQ(dlg.GetCodice(), c.code) << c.script;
        EXPECT_TRUE(Mismatches().empty()) << c.script;
        ASSERT_FALSE(seen.empty());
        EXPECT_EQ(seen.front(), L"00000 0");
        ASSERT_EQ(vplat::MessageBoxes::All().size(), c.boxes) << c.script;
        if (c.boxes) {
            EXPECT_EQ(vplat::MessageBoxes::All()[0].text, L"Selezionare una strada principale dal disegno.");
        }
        vplat::Script::Get().Clear();
    }
}

// Without roads a chosen style is still loaded: "Salva" then writes that
// style's own values and lane switches back, though the disabled lane boxes
// stay cleared.
TEST_F(MainDialog, StyleChosenWithoutRoadsIsLoadedBeforeSaving) {
    const std::string before = Leggi(File());
    Apri();
    std::vector<std::wstring> checks;
    vplat::ModalLoop::SetIdleHook([&](HWND d, int) {
        std::wstring s;
        for (int id : {IDC_CHECK_CORSIA_IMM, IDC_CHECK_CORSIA_USC, IDC_CHECK_CORSIA_SX, IDC_CHECK_URBANO})
            s += std::to_wstring(IsDlgButtonChecked(d, id));
        checks.push_back(s);
    });
    Script(L"dialog 7001 select 7009 Urbana\ndialog 7001 click 7010\ndialog 7001 click 2\n");
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_TRUE(Mismatches().empty());
    EXPECT_EQ(checks, (std::vector<std::wstring>{L"0000", L"0000", L"0000"}));  // disabled, cleared
    const std::string after = Leggi(File());
    EXPECT_EQ(Stile(after, "Urbana"), Stile(before, "Urbana"));
    EXPECT_EQ(Stile(after, "DEFAULT"), Stile(before, "DEFAULT"));
    EXPECT_NE(Leggi(cartella.Path() / "JunctorPV.xml").find("StylesView/JunctorPrintVersion.xsl"), std::string::npos);
}

// After a delete the entry that took the deleted one's place is current and
// loaded; deleting the last entry leaves the new last one current.
TEST_F(MainDialog, DeletingAStyleMakesItsNeighbourCurrent) {
    const std::string before = Leggi(File());
    Apri();
    std::vector<std::wstring> shown;
    vplat::ModalLoop::SetIdleHook([&](HWND d, int) {
        wchar_t text[64];
        GetDlgItemTextW(d, IDC_COMBO_STILI, text, 64);
        std::wstring s = text;
        for (int id : {IDC_CHECK_CORSIA_IMM, IDC_CHECK_CORSIA_USC, IDC_CHECK_CORSIA_SX, IDC_CHECK_URBANO})
            s += std::to_wstring(IsDlgButtonChecked(d, id));
        shown.push_back(s);
    });
    Script(L"dialog 7001 click 7015\n"            // DEFAULT goes: Extraurbana
           L"dialog 7001 click 7010\n"            // saving it changes nothing of its values
           L"dialog 7001 select 7009 Urbana\n"
           L"dialog 7001 click 7015\n"            // the last goes: Extraurbana again
           L"dialog 7001 click 2\n");
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_TRUE(Mismatches().empty());
    ASSERT_EQ(shown.size(), 5u);
    EXPECT_EQ(shown[1], L"Extraurbana0000");
    EXPECT_EQ(shown[4], L"Extraurbana0000");
    EXPECT_DOUBLE_EQ(model.settings.GetParametri()->b1.GetValore(), 5.5);
    const std::string after = Leggi(File());
    EXPECT_EQ(Stile(after, "DEFAULT"), "");
    EXPECT_EQ(Stile(after, "Urbana"), "");
    EXPECT_EQ(Stile(after, "Extraurbana"), Stile(before, "Extraurbana"));
}

// "Salva come..." under a new name appends the style and makes it current;
// onto an existing name it asks, and overwrites only on "yes", the current
// style staying; "no" and an empty name leave the file alone.
TEST_F(MainDialog, SaveAsAddsOrOverwritesAStyle) {
    // A style's values without its opening tag (name and description).
    auto valori = [](const std::string& stile) { return stile.substr(stile.find('>') + 1); };
    const std::string original = Leggi(File());
    struct Case {
        const wchar_t* script;
        const wchar_t* current;  // combo and set name afterwards
        const char* written;     // the style that then holds DEFAULT's values, or null
        std::vector<std::wstring> boxes;
    } cases[] = {
        {L"dialog 7017 set 7025 Prova\ndialog 7017 set 7026 Mia prova\ndialog 7017 click 1\n", L"Prova", "Prova", {}},
        {L"dialog 7017 set 7025 Urbana\ndialog 7017 click 1\nmsgbox yes\n", L"DEFAULT", "Urbana", {}},
        {L"dialog 7017 set 7025 Urbana\ndialog 7017 click 1\nmsgbox no\ndialog 7017 click 2\n", L"DEFAULT", nullptr, {}},
        // Names that differ only in case are one style, as the combo finds them.
        {L"dialog 7017 set 7025 urbana\ndialog 7017 click 1\nmsgbox yes\n", L"DEFAULT", "Urbana", {}},
        {L"dialog 7017 click 1\nmsgbox ok\ndialog 7017 click 2\n", L"DEFAULT", nullptr,
         {L"Inserire il nome per lo stile."}},
    };
    for (const Case& c : cases) {
        std::ofstream(File(), std::ios::binary | std::ios::trunc) << original;
        Modello fresh;
        CXmlReaderJunctor freshReader;
        CDlgJunctor run;
        ASSERT_NO_FATAL_FAILURE(Apri(run, fresh, freshReader));
        std::wstring combo;
        vplat::ModalLoop::SetIdleHook([&](HWND d, int) {
            if (d != run.m_hWnd) return;
            wchar_t text[64];
            GetDlgItemTextW(d, IDC_COMBO_STILI, text, 64);
            combo = text;
        });
        Script(std::wstring(L"dialog 7001 click 7013\n") + c.script + L"dialog 7001 click 2\n");
        EXPECT_EQ(run.DoModal(), IDCANCEL) << c.script;
        EXPECT_TRUE(Mismatches().empty()) << c.script;
        std::vector<std::wstring> boxes;
        for (const auto& b : vplat::MessageBoxes::All())
            if (b.text != L"Nome di stile esistente: sovrascrivere?") boxes.push_back(b.text);
        EXPECT_EQ(boxes, c.boxes) << c.script;
        EXPECT_EQ(combo, c.current) << c.script;
        EXPECT_EQ(std::wstring(fresh.settings.GetParametri()->GetNome()), c.current) << c.script;
        const std::string after = Leggi(File());
        if (!c.written) {
            EXPECT_EQ(after, original) << c.script;
            continue;
        }
        EXPECT_EQ(valori(Stile(after, c.written)), valori(Stile(original, "DEFAULT"))) << c.script;
        EXPECT_EQ(Stile(after, "DEFAULT"), Stile(original, "DEFAULT")) << c.script;
        EXPECT_EQ(Stile(after, "Extraurbana"), Stile(original, "Extraurbana")) << c.script;
        // The written style is the last one, and only a new one adds an entry.
        auto quanti = [](const std::string& xml) {
            size_t n = 0;
            for (size_t a = xml.find("<INTERSEZIONE "); a != std::string::npos; a = xml.find("<INTERSEZIONE ", a + 1)) ++n;
            return n;
        };
        EXPECT_EQ(after.rfind("<INTERSEZIONE style=\""), after.find(std::string("<INTERSEZIONE style=\"") + c.written))
            << c.script;
        EXPECT_EQ(quanti(after), quanti(original) + (std::string(c.written) == "Prova")) << c.script;
        EXPECT_NE(Leggi(cartella.Path() / "JunctorPV.xml").find(std::string("style=\"") + c.written), std::string::npos);
    }
    vplat::ModalLoop::SetIdleHook(nullptr);
}

TEST_F(MainDialog, WithoutACurrentStyleSavingOnlyTellsSo) {
    {
        std::string xml = Leggi(File());
        const size_t a = xml.find("<INTERSEZIONE style=\"DEFAULT\"");
        xml.erase(a, xml.find("</INTERSEZIONE>", a) + 15 - a);
        std::ofstream(File(), std::ios::binary) << xml;
    }
    const std::string before = Leggi(File());
    Apri();
    Script(L"dialog 7001 click 7010\nmsgbox ok\ndialog 7001 click 7015\nmsgbox ok\ndialog 7001 click 2\n");
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_TRUE(Mismatches().empty());
    ASSERT_EQ(vplat::MessageBoxes::All().size(), 2u);
    EXPECT_EQ(vplat::MessageBoxes::All()[0].text, L"Nessuno stile selezionato.");
    EXPECT_EQ(Leggi(File()), before);
}

TEST_F(MainDialog, MissingStyleFileIsReportedBySave) {
    Apri();
    dlg.SetLettore(nullptr);  // the reader would report the missing file at opening
    std::filesystem::remove(File());
    Script(L"dialog 7001 click 7010\nmsgbox ok\ndialog 7001 click 2\n");
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    ASSERT_EQ(vplat::MessageBoxes::All().size(), 1u);
    EXPECT_EQ(vplat::MessageBoxes::All()[0].text, L"Impossibile eseguire l'operazione: file inesistente. \nPercorso: " +
                                                      std::wstring(model.settings.GetPathXml()));
}

// A dialog opened with the panel flag set opens the panel; one click closes it
// back to exactly the template's layout.
TEST_F(MainDialog, PanelFlagOpensThePanelAndAClickRestoresTheLayout) {
    Apri();
    model.settings.SetPannelloImmagine(true);
    model.settings.SetImmagine(L"h.jpg");
    std::vector<std::wstring> seen;
    vplat::ModalLoop::SetIdleHook([&](HWND d, int) {
        CRect client, frame, picture;
        GetClientRect(d, &client);
        wchar_t text[8];
        GetDlgItemTextW(d, IDC_BUTTON_IMMAGINE, text, 8);
        GetWindowRect(GetDlgItem(d, IDC_CORNICE), &frame);
        MapWindowPoints(nullptr, d, reinterpret_cast<LPPOINT>(&frame), 2);
        GetWindowRect(GetDlgItem(d, IDC_IMMAGINE), &picture);
        MapWindowPoints(nullptr, d, reinterpret_cast<LPPOINT>(&picture), 2);
        std::wostringstream s;
        s << client.Width() << L" " << text << L" " << IsWindowVisible(GetDlgItem(d, IDC_CORNICE)) << L" (" << frame.left
          << L"," << frame.top << L"," << frame.Width() << L") (" << picture.left << L"," << picture.top << L","
          << picture.Width() << L"x" << picture.Height() << L")";
        seen.push_back(s.str());
    });
    Script(L"dialog 7001 click 7016\ndialog 7001 click 2\n");
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0], L"1006 << 1 (587,96,344) (592,143,334x250)");
    EXPECT_EQ(seen[1].substr(0, 9), L"642 >> 0 ");
    EXPECT_FALSE(model.settings.GetPannelloImmagine());
}

// Opening the panel and closing it again puts every shown control back on
// exactly its rectangle and the dialog back to its size, centred; the frame
// and the picture are hidden again (where they stay does not matter) and the
// picture is cleared.
TEST_F(MainDialog, ClosingThePanelRestoresEveryControl) {
    Apri();
    model.settings.SetImmagine(L"h.jpg");
    auto layout = [](HWND d) {
        std::vector<std::pair<int, CRect>> out;
        CRect w;
        GetWindowRect(d, &w);
        out.push_back({0, w});
        for (HWND c = GetWindow(d, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
            if (GetDlgCtrlID(c) == IDC_CORNICE || GetDlgCtrlID(c) == IDC_IMMAGINE) {
                out.push_back({GetDlgCtrlID(c), CRect(IsWindowVisible(c), 0, 0, 0)});
                continue;
            }
            CRect r;
            GetWindowRect(c, &r);
            MapWindowPoints(nullptr, d, reinterpret_cast<LPPOINT>(&r), 2);
            out.push_back({GetDlgCtrlID(c), r});
        }
        return out;
    };
    std::vector<std::vector<std::pair<int, CRect>>> seen;
    std::vector<HBITMAP> pictures;
    vplat::ModalLoop::SetIdleHook([&](HWND d, int) {
        if (d != dlg.m_hWnd) return;
        seen.push_back(layout(d));
        pictures.push_back(reinterpret_cast<HBITMAP>(SendDlgItemMessageW(d, IDC_IMMAGINE, STM_GETIMAGE, IMAGE_BITMAP, 0)));
    });
    Script(L"dialog 7001 click 7016\ndialog 7001 click 7016\ndialog 7001 click 2\n");
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_TRUE(Mismatches().empty());
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_NE(seen[1], seen[0]);
    ASSERT_EQ(seen[2].size(), seen[0].size());
    for (size_t i = 0; i < seen[0].size(); ++i) {
        EXPECT_EQ(seen[2][i].first, seen[0][i].first);
        EXPECT_EQ(seen[2][i].second, seen[0][i].second) << "control " << seen[0][i].first;
    }
    EXPECT_NE(pictures[1], nullptr);
    EXPECT_EQ(pictures[2], nullptr);
}

// Notifications of the tree that arrive without legs, or name a row that is
// not a parameter row, do nothing.
TEST_F(MainDialog, TreeNotificationsWithoutALegOrForAPlainRow) {
    Apri();
    model.settings.SetImmagine(L"h.jpg");
    const double h = model.pars.h.GetValore();
    vplat::ModalLoop::SetIdleHook([&](HWND d, int) {
        CConstrParsOptionTree& tree = dlg.GetAlbero();
        COptionTreeItem* plain = tree.InsertItem(new COptionTreeItem);
        for (auto [code, item] : {std::pair{OTN_SELCHANGED, plain}, {OTN_ITEMCOMMITTED, nullptr}}) {
            NMOPTIONTREE nm{{tree.m_hWnd, IDC_ALBERO_PARAMETRI, static_cast<UINT>(code)}, item};
            SendMessageW(d, WM_NOTIFY, IDC_ALBERO_PARAMETRI, reinterpret_cast<LPARAM>(&nm));
        }
        for (COptionTreeItem* r = tree.GetRootItem()->GetFirstChild(); r; r = r->GetNextSibling())
            for (COptionTreeItem* c = r->GetFirstChild(); c; c = c->GetNextSibling()) {
                if (c->GetId() != 2 && c->GetId() != 3 && c->GetId() != 10 && c->GetId() != 13) continue;
                NMOPTIONTREE nm{{tree.m_hWnd, IDC_ALBERO_PARAMETRI, static_cast<UINT>(OTN_ITEMCOMMITTED)}, c};
                SendMessageW(d, WM_NOTIFY, IDC_ALBERO_PARAMETRI, reinterpret_cast<LPARAM>(&nm));
            }
    });
    Script(L"dialog 7001 click 2\n");
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(model.settings.GetImmagine(), L"h.jpg");
    EXPECT_DOUBLE_EQ(model.pars.h.GetValore(), h);
}

// "Visualizza" opens the style viewer on the style file; "?" the help topic.
TEST_F(MainDialog, ViewerAndHelp) {
    Apri();
    std::vector<int> shown;
    vplat::ModalLoop::SetShownHook([&](HWND, int id) { shown.push_back(id); });
    vplat::HelpCalls::Clear();
    Script(L"dialog 7001 click 7017\ndialog 7004 close\ndialog 7001 click 7001\ndialog 7001 click 2\n");
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_TRUE(Mismatches().empty());
    EXPECT_EQ(shown, (std::vector<int>{7001, 7004}));
    ASSERT_EQ(vplat::HelpCalls::All().size(), 1u);
    EXPECT_NE(vplat::HelpCalls::All()[0].file.find(L"Help\\QvHelp.chm::/Disegna_Intersezione_a_T_junctor_.htm"),
              std::wstring::npos);
}

// At the opening the angle rows show the unit the style file names, labels
// and values alike, whatever unit the style's own PARAMETRO elements carry.
TEST_F(MainDialog, AnglesAtTheOpeningShowTheSavedUnit) {
    {
        std::string xml = Leggi(File());
        const std::string from = ">gradi decimali</UNITA_MISURA_ANGOLI>";
        ASSERT_NE(xml.find(from), std::string::npos);
        xml.replace(xml.find(from), from.size(), ">radianti</UNITA_MISURA_ANGOLI>");
        std::ofstream(File(), std::ios::binary | std::ios::trunc) << xml;
    }
    Apri();
    std::wstring seen;
    vplat::ModalLoop::SetIdleHook([&](HWND d, int) {
        if (d != dlg.m_hWnd) return;
        const CConstrPars* p = model.settings.GetParametri();
        seen = Etichetta(dlg.GetAlbero(), 26) + L" " + Testo(dlg.GetAlbero(), 26) + L" " +
               std::wstring(p->a1u.GetValoreTesto()) + L" " + Etichetta(dlg.GetAlbero(), 33);
    });
    Script(L"dialog 7001 click 2\n");
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(model.settings.GetUnitaAngoli(), 2);
    const CConstrPars* p = model.settings.GetParametri();
    EXPECT_EQ(seen, L"a1u [rad] " + std::wstring(FormattaNumero(p->a1u.CSingleConstrPar::GetValore(), 1)) + L" " +
                        std::wstring(p->a1u.GetValoreTesto()) + L" a1e [rad]");
    vplat::ModalLoop::SetIdleHook(nullptr);
}

// A unit the angles cannot be shown in is refused with a message; the
// dialog stays open and nothing changes.
TEST_F(MainDialog, UnitsWithoutAConversionAreRefused) {
    for (const wchar_t* unit : {L"gradi-minuti-secondi", L"unit\u00e0 topografiche"}) {
        Modello fresh;
        CXmlReaderJunctor freshReader;
        CDlgJunctor run;
        ASSERT_NO_FATAL_FAILURE(Apri(run, fresh, freshReader));
        Script(std::wstring(L"dialog 7001 click 7005\ndialog 7008 select 7033 ") + unit +
               L"\ndialog 7008 click 1\nmsgbox ok\ndialog 7008 click 2\ndialog 7001 click 2\n");
        EXPECT_EQ(run.DoModal(), IDCANCEL);
        EXPECT_TRUE(Mismatches().empty()) << unit;
        ASSERT_EQ(vplat::MessageBoxes::All().size(), 1u);
        EXPECT_EQ(vplat::MessageBoxes::All()[0].text, L"Gli angoli non si possono mostrare in questa unit\u00e0 di "
                                                      L"misura: scegliere radianti, gradi decimali o gradi centesimali.");
        EXPECT_EQ(fresh.settings.GetUnitaAngoli(), 0);
        EXPECT_EQ(fresh.pars.a1u.GetUnita(), L"[deg]");
        vplat::Script::Get().Clear();
    }
}

// Pictures are read from the style folder and below only: a legend name that
// climbs out is reported as a picture that cannot be shown, whether a file
// lies there or not.
TEST_F(MainDialog, PicturesComeOnlyFromTheStyleFolder) {
    const std::filesystem::path fuori = cartella.Path().parent_path() / (cartella.Path().filename().string() + ".jpg");
    std::filesystem::copy_file(cartella.Path() / "h.jpg", fuori, std::filesystem::copy_options::overwrite_existing);
    std::filesystem::create_directories(cartella.Path() / "sotto");
    std::filesystem::copy_file(cartella.Path() / "s.jpg", cartella.Path() / "sotto" / "s.jpg");
    Apri();
    model.settings.SetPannelloImmagine(true);
    const std::wstring esterno = vplat::Utf8ToWide(fuori.filename().string());
    std::wstring assoluto = vplat::ToWindowsPath(fuori.string());
    struct Case {
        std::wstring nome;
        bool shown;
    } cases[] = {
        {L"s.jpg", true},
        {L"sotto\\s.jpg", true},
        {L"..\\" + esterno, false},
        {L"..\\nessuna.jpg", false},
        {L"sotto\\..\\..\\" + esterno, false},
        {L"sotto/../../" + esterno, false},
        {L".. \\" + esterno, false},
        {assoluto, false},
    };
    std::vector<std::wstring> boxes;
    std::vector<bool> shown;
    bool done = false;
    vplat::ModalLoop::SetIdleHook([&](HWND d, int) {
        if (d != dlg.m_hWnd || done) return;
        done = true;
        CConstrParsOptionTree& tree = dlg.GetAlbero();
        for (const Case& c : cases) {
            vplat::MessageBoxes::Clear();
            SendDlgItemMessageW(d, IDC_IMMAGINE, STM_SETIMAGE, IMAGE_BITMAP, 0);  // the panel's picture dropped
            Spinner(tree, 3)->SetImmagine(c.nome.c_str());
            NMOPTIONTREE nm{{tree.m_hWnd, IDC_ALBERO_PARAMETRI, static_cast<UINT>(OTN_SELCHANGED)}, Riga(tree, 3)};
            SendMessageW(d, WM_NOTIFY, IDC_ALBERO_PARAMETRI, reinterpret_cast<LPARAM>(&nm));
            HBITMAP b = reinterpret_cast<HBITMAP>(SendDlgItemMessageW(d, IDC_IMMAGINE, STM_GETIMAGE, IMAGE_BITMAP, 0));
            shown.push_back(b != nullptr);
            if (b) DeleteObject(b);
            boxes.push_back(vplat::MessageBoxes::All().empty() ? L"" : vplat::MessageBoxes::All()[0].text);
        }
    });
    Script(L"dialog 7001 click 2\n");
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    std::filesystem::remove(fuori);
    ASSERT_EQ(shown.size(), std::size(cases));
    const std::wstring dir(model.settings.GetCartella());
    for (size_t i = 0; i < std::size(cases); ++i) {
        EXPECT_EQ(shown[i], cases[i].shown) << vplat::WideToUtf8(cases[i].nome);
        EXPECT_EQ(boxes[i], cases[i].shown ? L"" : dir + cases[i].nome + L" - Immagine non esistente o danneggiata.")
            << vplat::WideToUtf8(cases[i].nome);
    }
    vplat::ModalLoop::SetIdleHook(nullptr);
}

// The panel opened before any row was focused shows the first parameter's
// picture; the button beside it shows its arrow alone, its text kept.
TEST_F(MainDialog, PanelOpenedFirstShowsTheFirstParametersPicture) {
    Apri();
    std::vector<std::wstring> seen;
    vplat::ModalLoop::SetIdleHook([&](HWND d, int) {
        if (d != dlg.m_hWnd) return;
        HWND button = GetDlgItem(d, IDC_BUTTON_IMMAGINE);
        wchar_t text[8];
        GetWindowTextW(button, text, 8);
        const bool arrow = SendMessageW(button, BM_GETIMAGE, IMAGE_BITMAP, 0) != 0;
        const bool picture = SendDlgItemMessageW(d, IDC_IMMAGINE, STM_GETIMAGE, IMAGE_BITMAP, 0) != 0;
        seen.push_back(std::wstring(text) + L" " + std::to_wstring(arrow) +
                       std::to_wstring((GetWindowLongW(button, GWL_STYLE) & BS_BITMAP) != 0) + std::to_wstring(picture));
    });
    Script(L"dialog 7001 click 7016\ndialog 7001 click 2\n");
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(seen, (std::vector<std::wstring>{L">> 110", L"<< 111"}));
    EXPECT_EQ(model.settings.GetImmagine(), L"h.jpg");
    vplat::ModalLoop::SetIdleHook(nullptr);
}

// Deleting every style leaves the set with its values but without the name
// of a style the file no longer holds.
TEST_F(MainDialog, DeletingEveryStyleLeavesNoStyleName) {
    Apri();
    Script(L"dialog 7001 click 7015\ndialog 7001 click 7015\ndialog 7001 click 7015\ndialog 7001 click 2\n");
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_TRUE(Mismatches().empty());
    EXPECT_EQ(model.stili.GetSize(), 0);
    EXPECT_EQ(model.settings.GetParametri()->GetNome(), L"");
    EXPECT_EQ(Stile(Leggi(File()), "Urbana"), "");
}

// What the dialog shows at the opening does not overlap: no control lies on
// the caption of the group box around it, and the controls outside group
// boxes meet nothing.
TEST_F(MainDialog, ControlsDoNotLieOnGroupCaptions) {
    Apri();
    std::vector<std::wstring> overlaps;
    vplat::ModalLoop::SetIdleHook([&](HWND d, int) {
        if (d != dlg.m_hWnd || !overlaps.empty()) return;
        HDC dc = GetDC(d);
        SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(d, WM_GETFONT, 0, 0)));
        std::vector<std::pair<HWND, RECT>> groups, others;
        for (HWND c = GetWindow(d, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
            if (!IsWindowVisible(c)) continue;
            RECT r;
            GetWindowRect(c, &r);
            MapWindowPoints(nullptr, d, reinterpret_cast<POINT*>(&r), 2);
            const bool group = (GetWindowLongW(c, GWL_STYLE) & 0xF) == BS_GROUPBOX && GetDlgCtrlID(c) != IDC_ALBERO_PARAMETRI;
            (group ? groups : others).push_back({c, r});
        }
        for (const auto& [g, r] : groups) {
            wchar_t text[128];
            GetWindowTextW(g, text, 128);
            SIZE size;
            GetTextExtentPoint32W(dc, text, static_cast<int>(wcslen(text)), &size);
            RECT caption{r.left + 6, r.top, r.left + 10 + size.cx, r.top + size.cy};
            for (const auto& [c, rc] : others) {
                RECT i;
                if (IntersectRect(&i, &caption, &rc)) overlaps.push_back(std::wstring(text) + L" / " + std::to_wstring(GetDlgCtrlID(c)));
            }
        }
        ReleaseDC(d, dc);
        overlaps.push_back(L"");
    });
    Script(L"dialog 7001 click 2\n");
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(overlaps, std::vector<std::wstring>{L""});
    vplat::ModalLoop::SetIdleHook(nullptr);
}
