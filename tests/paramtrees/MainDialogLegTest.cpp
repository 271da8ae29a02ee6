// The main intersection dialog with one In leg prepared on a generated
// drawing as the command prepares it: the list, the locked curb-return
// angles, the selection check, "Disegna", and the editing settings.
#include <filesystem>
#include <fstream>
#include <iterator>

#include "../../junctor/ui/Resource.h"
#include "HostText.h"
#include "LegDialogFixture.h"

using namespace partree_test;

namespace {

class MainDialogLeg : public LegDialogFixture {
protected:
    void SetUp() override {
        JunctorModuleFixture::SetUp();
        ASSERT_NO_FATAL_FAILURE(PreparaUnRamo());
    }
    CMyOptionTreeItemSpinnerDec* Riga(int id) { return Spinner(dlg.GetAlbero(), id); }
};

}  // namespace

// The shipped style has the CNR option on: the six angle spinners take no
// input from the opening on, and again once the option is cleared.
TEST_F(MainDialogLeg, OpeningListsTheLegAndLocksTheAnglesWithTheOption) {
    std::vector<std::wstring> seen;
    vplat::ModalLoop::SetIdleHook([&](HWND d, int) {
        HWND list = GetDlgItem(d, IDC_LIST_STRADE);
        wchar_t verso[16] = L"";
        LVITEMW item{};
        item.iSubItem = 1;
        item.pszText = verso;
        item.cchTextMax = 16;
        SendMessageW(list, LVM_GETITEMTEXTW, 0, reinterpret_cast<LPARAM>(&item));
        std::wstring s = std::wstring(verso) + L" " + std::to_wstring(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0)) + L" ";
        s += std::to_wstring(model.settings.GetRamo()) + L" " + std::to_wstring(IsWindowEnabled(dlg.GetAlbero().m_hWnd));
        for (int id : {26, 35, 23}) s += std::to_wstring(Riga(id)->IsWindowEnabled());
        seen.push_back(s);
    });
    Script(L"dialog 7001 uncheck 7014\ndialog 7001 click 2\n");
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_TRUE(Mismatches().empty());
    EXPECT_EQ(seen, (std::vector<std::wstring>{L"In 1 1 1001", L"In 1 1 1111"}));
    EXPECT_FALSE(model.settings.GetTricentrica());
}

TEST_F(MainDialogLeg, DisegnaChecksTheSelectionThenCloses) {
    scenario->Ramo()->SetSelezionata(0);
    Script(L"dialog 7001 click 1\nmsgbox ok\n"
           L"dialog 7001 check 7003 #0\n"
           L"dialog 7001 click 1\n");
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_TRUE(Mismatches().empty());
    EXPECT_EQ(dlg.GetCodice(), 1);
    ASSERT_EQ(vplat::MessageBoxes::All().size(), 1u);
    EXPECT_EQ(vplat::MessageBoxes::All()[0].text, L"Selezionare la strada secondaria dalla lista.");
    EXPECT_EQ(scenario->Ramo()->GetSelezionata(), 1);
    EXPECT_TRUE(std::filesystem::exists(cartella.Path() / "JunctorPV.xml"));
}

// A value typed into a row without a rule is read back before the rows are
// reformatted with the new decimals.
TEST_F(MainDialogLeg, NewDecimalsKeepAValueTypedIntoARowWithoutARule) {
    bool typed = false;
    std::vector<std::wstring> shown;
    vplat::ModalLoop::SetIdleHook([&](HWND d, int) {
        if (GetDlgCtrlID(d) != 0 || d != dlg.m_hWnd) return;
        if (!typed) Riga(15)->GetEdit()->SetWindowText(L"4.5");  // Lcu, as typed
        typed = true;
        shown.push_back(Testo(dlg.GetAlbero(), 15));
    });
    Script(L"dialog 7001 click 7005\n"
           L"dialog 7008 set 7025 2\n"
           L"dialog 7008 click 1\n"
           L"dialog 7001 idle\n"
           L"dialog 7001 click 2\n");
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_TRUE(Mismatches().empty());
    EXPECT_DOUBLE_EQ(scenario->Ramo()->GetParametri()->Lcu.GetValore(), 4.5);
    EXPECT_EQ(model.settings.GetDecimali(), 2);
    EXPECT_EQ(shown, (std::vector<std::wstring>{L"4.5", L"4.50", L"4.50"}));
}

// Committed rows apply their coupling rule at once: with the CNR option on a
// radius sets the other two; with it off an angle shares its change with the
// other two (here in radians, with 1 decimal).
TEST_F(MainDialogLeg, CommittedRowsCoupleRadiiAndAngles) {
    struct Case {
        bool tricentrica;
        int row;
        const wchar_t* typed;
        std::vector<std::pair<int, std::wstring>> rows;
    } cases[] = {
        {true, 24, L"12", {{23, L"30.0"}, {24, L"12.0"}, {25, L"66.0"}}},
        {false, 34, L"1.2", {{33, L"0.2"}, {34, L"1.2"}, {35, L"0.2"}}},
    };
    for (const Case& c : cases) {
        model.settings.SetTricentrica(c.tricentrica);
        model.settings.SetUnitaAngoli(2);
        model.settings.ApplicaUnitaAngoli();
        CConstrPars* p = scenario->Ramo()->GetParametri();
        p->SetUnitaAngoli(2);
        CDlgJunctor run;
        run.SetElementi(scenario->Principale(), scenario->Ramo(), nullptr);
        run.SetImpostazioni(&model.settings);
        std::vector<std::pair<int, std::wstring>> seen;
        vplat::ModalLoop::SetIdleHook([&](HWND d, int) {
            CConstrParsOptionTree& tree = run.GetAlbero();
            if (!c.tricentrica) {
                // a1e = a3e = 0.3, a2e = 1.0 in radians.
                p->a1e.CSingleConstrPar::SetValore(0.3);
                p->a2e.CSingleConstrPar::SetValore(1.0);
                p->a3e.CSingleConstrPar::SetValore(0.3);
                tree.ScriviValori();
            }
            Spinner(tree, c.row)->GetEdit()->SetWindowText(c.typed);
            NMOPTIONTREE nm{{tree.m_hWnd, IDC_ALBERO_PARAMETRI, static_cast<UINT>(OTN_ITEMCOMMITTED)},
                            ParTreeFixture::Riga(tree, c.row)};
            SendMessageW(d, WM_NOTIFY, IDC_ALBERO_PARAMETRI, reinterpret_cast<LPARAM>(&nm));
            for (const auto& r : c.rows) seen.push_back({r.first, Testo(tree, r.first)});
        });
        Script(L"dialog 7001 click 2\n");
        EXPECT_EQ(run.DoModal(), IDCANCEL);
        EXPECT_EQ(seen, c.rows) << c.row;
        vplat::ModalLoop::SetIdleHook(nullptr);
    }
}

// "Parametri" with OK overwrites the current style in the file at once, with
// the derived lane values recomputed; with Annulla the file stays.
TEST_F(MainDialogLeg, LaneParametersOverwriteTheCurrentStyleOnOk) {
    const std::filesystem::path file = cartella.File();
    auto read = [&] {
        std::ifstream in(file, std::ios::binary);
        return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    };
    const std::string before = read();
    const wchar_t* edit = L"dialog 7018 click 7038/30000 at 60,94\ndialog 7018 set 7038/30000/5/1000 100\n";
    Script(std::wstring(L"dialog 7001 click 7008\n") + edit + L"dialog 7018 click 2\n" + L"dialog 7001 click 2\n");
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_TRUE(Mismatches().empty());
    EXPECT_EQ(read(), before);

    CDlgJunctor again;
    again.SetElementi(scenario->Principale(), scenario->Ramo(), nullptr);
    again.SetImpostazioni(&model.settings);
    again.SetLettore(&reader);
    Script(std::wstring(L"dialog 7001 click 7008\n") + edit + L"dialog 7018 click 1\n" + L"dialog 7001 click 2\n");
    EXPECT_EQ(again.DoModal(), IDCANCEL);
    EXPECT_TRUE(Mismatches().empty());
    const std::string after = read();
    const size_t style = after.find("style=\"DEFAULT\"");
    const size_t end = after.find("</INTERSEZIONE>", style);
    const std::string defaultStyle = after.substr(style, end - style);
    EXPECT_NE(defaultStyle.find("name=\"IAccVf\" measUnit=\"[km/h]\">100.000<"), std::string::npos);
    EXPECT_NE(defaultStyle.find("name=\"IAccLae\" measUnit=\"[m]\">324.074<"), std::string::npos);
}

// With an In and an Out leg the list reads Out, In and the Out leg is current;
// choosing the other item switches the tree and the settings to that leg's
// set, and back, the rows read back on the way.
TEST_F(MainDialogLeg, TwoLegsSwitchWithTheListItem) {
    legs::Incrocio uscita;
    uscita.verso = CSecondariaJunctor::kOut;
    legs::Scenario secondo(uscita, db.get());
    ASSERT_TRUE(secondo.Prepara()) << secondo.Errore();
    CSecondariaJunctor* in = scenario->Ramo();
    CSecondariaJunctor* out = secondo.Ramo();
    *out->GetParametri() = model.pars;
    out->GetParametri()->SetNome(L"DEFAULT");
    in->GetParametri()->SetNome(L"Urbana");
    model.settings.SetParametri(out->GetParametri());
    CDlgJunctor run;
    run.SetElementi(scenario->Principale(), in, out);
    run.SetImpostazioni(&model.settings);
    std::vector<std::wstring> seen;
    vplat::ModalLoop::SetIdleHook([&](HWND d, int) {
        HWND list = GetDlgItem(d, IDC_LIST_STRADE);
        std::wstring s;
        for (int i = 0; i < 2; ++i) {
            wchar_t verso[16] = L"";
            LVITEMW item{};
            item.iSubItem = 1;
            item.pszText = verso;
            item.cchTextMax = 16;
            SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
            s += std::wstring(verso) + L",";
        }
        wchar_t style[32];
        GetDlgItemTextW(d, IDC_COMBO_STILI, style, 32);
        const CConstrPars* shown = run.GetAlbero().GetParametri();
        s += std::to_wstring(model.settings.GetRamo()) + L" " + style + L" " +
             (shown == in->GetParametri() ? L"in" : shown == out->GetParametri() ? L"out" : L"?");
        seen.push_back(s);
    });
    const double hOut = out->GetParametri()->h.GetValore();
    Script(L"dialog 7001 select 7003 #1\ndialog 7001 select 7003 #0\ndialog 7001 click 2\n");
    EXPECT_EQ(run.DoModal(), IDCANCEL);
    EXPECT_TRUE(Mismatches().empty());
    EXPECT_EQ(seen, (std::vector<std::wstring>{L"Out,In,0 DEFAULT out", L"Out,In,1 Urbana in", L"Out,In,0 DEFAULT out"}));
    EXPECT_EQ(out->GetParametri()->h.GetValore(), hOut);  // read back intact
}

// With one leg the list has nothing to switch to: toggling its only item's
// check box changes the build flag alone; a value typed into a row without a
// rule reaches the file with "Salva" in the file's format.
TEST_F(MainDialogLeg, OneLegListNeverSwitchesAndSaveWritesTypedRows) {
    std::vector<std::wstring> seen;
    vplat::ModalLoop::SetIdleHook([&](HWND d, int) {
        if (d != dlg.m_hWnd) return;
        if (seen.empty()) Riga(15)->GetEdit()->SetWindowText(L"4.5");  // Lcu, as typed
        const CConstrPars* shown = dlg.GetAlbero().GetParametri();
        seen.push_back(std::to_wstring(model.settings.GetRamo()) + L" " +
                       (shown == scenario->Ramo()->GetParametri() ? L"in" : L"?"));
    });
    Script(L"dialog 7001 uncheck 7003 #0\n"
           L"dialog 7001 click 7010\n"
           L"dialog 7001 click 2\n");
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_TRUE(Mismatches().empty());
    EXPECT_EQ(seen, (std::vector<std::wstring>{L"1 in", L"1 in", L"1 in"}));
    EXPECT_EQ(scenario->Ramo()->GetSelezionata(), 1);  // read back only by "Disegna" and the like
    std::ifstream in(cartella.File(), std::ios::binary);
    const std::string xml((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const size_t style = xml.find("style=\"DEFAULT\"");
    const std::string defaultStyle = xml.substr(style, xml.find("</INTERSEZIONE>", style) - style);
    EXPECT_NE(defaultStyle.find("name=\"Lcu\" measUnit=\"[m]\">4.500<"), std::string::npos);
}

// Enter builds only with the focus on "Disegna": in a row's edit or on the
// tree itself it does nothing.
TEST_F(MainDialogLeg, EnterBuildsOnlyFromDisegna) {
    enum Fuoco { kRiga, kAlbero, kDisegna };
    struct Case {
        Fuoco fuoco;
        INT_PTR result;
        int code;
    } cases[] = {{kRiga, IDCANCEL, 0}, {kAlbero, IDCANCEL, 0}, {kDisegna, IDOK, 1}};
    for (const Case& c : cases) {
        CDlgJunctor run;
        run.SetElementi(scenario->Principale(), scenario->Ramo(), nullptr);
        run.SetImpostazioni(&model.settings);
        run.SetLettore(&reader);
        bool focused = false;
        vplat::ModalLoop::SetIdleHook([&](HWND d, int) {
            if (d != run.m_hWnd || focused) return;
            focused = true;
            if (c.fuoco == kRiga) Spinner(run.GetAlbero(), 2)->GetEdit()->SetFocus();
            else if (c.fuoco == kAlbero) run.GetAlbero().SetFocus();
            else ::SetFocus(GetDlgItem(d, IDOK));
        });
        Script(c.result == IDOK ? L"dialog 7001 idle\ndialog 7001 key RETURN\n"
                                : L"dialog 7001 idle\ndialog 7001 key RETURN\ndialog 7001 click 2\n");
        EXPECT_EQ(run.DoModal(), c.result) << c.fuoco;
        EXPECT_EQ(run.GetCodice(), c.code) << c.fuoco;
        EXPECT_TRUE(Mismatches().empty()) << c.fuoco;
        EXPECT_TRUE(vplat::MessageBoxes::All().empty()) << c.fuoco;
        vplat::ModalLoop::SetIdleHook(nullptr);
        vplat::Script::Get().Clear();
    }
}
