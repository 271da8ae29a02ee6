// The main intersection dialog on a secondary road that crosses the main road:
// an In and an Out leg of the same road, half widths 3.0, both prepared from
// the command's sets as the command prepares them, the settings left on the
// Out leg's sets. Switching legs, the leg's own figures, the angle unit of
// both legs, the selection check, "Disegna" without the style file, and
// pictures of the dialog.
#include <filesystem>
#include <fstream>

#include "../../junctor/ui/Resource.h"
#include "HostText.h"
#include "LegDialogFixture.h"

using namespace partree_test;

namespace {

class MainDialogCrossing : public LegDialogFixture {
protected:
    void SetUp() override {
        JunctorModuleFixture::SetUp();
        legs::Incrocio incrocio;
        incrocio.attraversa = true;
        incrocio.semiRamo = 3.0;
        ASSERT_NO_FATAL_FAILURE(Prepara(incrocio));
        ASSERT_NE(scenario->Uscita(), nullptr);
        // Each new leg takes copies of the command's sets, its own
        // dimensions, island and radii; the settings end on the last one.
        for (CSecondariaJunctor* ramo : {In(), Out()}) {
            *ramo->GetParametri() = model.pars;
            ramo->GetParametri()->SetNome(L"DEFAULT");
            *ramo->GetParametriCorsie() = model.corsie;
            ramo->ImpostaDimensioni(scenario->Principale()->GetIncrRaggioUscita(),
                                    scenario->Principale()->GetIncrRaggioImmissione());
            ASSERT_TRUE(ramo->CalcolaIsola(scenario->Principale(), true, false, false));
            ramo->ImpostaRaggi();
            model.settings.SetParametri(ramo->GetParametri());
            model.settings.SetParCorsie(ramo->GetParametriCorsie());
        }
        model.settings.CalcolaCorsie();
        dlg.SetElementi(scenario->Principale(), In(), Out());
        dlg.SetImpostazioni(&model.settings);
        dlg.SetLettore(&reader);
    }
    CSecondariaJunctor* In() { return scenario->Ramo(); }
    CSecondariaJunctor* Out() { return scenario->Uscita(); }
};

}  // namespace

// Both legs of the crossing road start with their own h of four road widths;
// the opening loads the current style into the Out leg only (the style's h
// 30), the In leg keeps its 24. The list item, by selection or by its check
// box, decides which leg the tree shows, and a style chosen on one leg stays
// with that leg (the settings' current set stays the Out leg's between the
// two runs, as a command keeps it).
TEST_F(MainDialogCrossing, EachLegKeepsItsOwnSetAcrossSwitches) {
    struct Case {
        const wchar_t* script;
        std::vector<std::wstring> seen;
    } cases[] = {
        {L"dialog 7001 select 7009 Extraurbana\n"
         L"dialog 7001 select 7003 #1\n"
         L"dialog 7001 select 7003 #0\n",
         {L"out 0 DEFAULT 45.0", L"out 0 Extraurbana 50.0", L"in 1 DEFAULT 24.0", L"out 0 Extraurbana 50.0"}},
        // A toggle of the other item's check box switches too, without
        // selecting it.
        {L"dialog 7001 uncheck 7003 #1\n"
         L"dialog 7001 uncheck 7003 #0\n",
         {L"out 0 Extraurbana 50.0", L"in 1 DEFAULT 24.0", L"out 0 Extraurbana 50.0"}},
    };
    for (const Case& c : cases) {
        const double hIn = In()->GetParametri()->h.GetValore();
        CDlgJunctor run;
        run.SetElementi(scenario->Principale(), In(), Out());
        run.SetImpostazioni(&model.settings);
        run.SetLettore(&reader);
        std::vector<std::wstring> seen;
        vplat::ModalLoop::SetIdleHook([&](HWND d, int) {
            if (d != run.m_hWnd) return;
            const CConstrPars* shown = run.GetAlbero().GetParametri();
            wchar_t style[32] = L"";
            GetDlgItemTextW(d, IDC_COMBO_STILI, style, 32);
            seen.push_back(std::wstring(shown == In()->GetParametri()    ? L"in"
                                        : shown == Out()->GetParametri() ? L"out"
                                                                         : L"?") +
                           L" " + std::to_wstring(model.settings.GetRamo()) + L" " + style + L" " +
                           Testo(run.GetAlbero(), 2));
        });
        Script(std::wstring(c.script) + L"dialog 7001 click 2\n");
        EXPECT_EQ(run.DoModal(), IDCANCEL);
        EXPECT_TRUE(Mismatches().empty()) << c.script;
        EXPECT_EQ(seen, c.seen) << c.script;
        EXPECT_EQ(In()->GetParametri()->h.GetValore(), hIn) << c.script;  // read back intact
        vplat::ModalLoop::SetIdleHook(nullptr);
        vplat::Script::Get().Clear();
    }
}

// h typed on the current leg re-splits its deflections as the island
// computation does from the apex, on that leg only.
TEST_F(MainDialogCrossing, HTypedRecomputesTheLegsDeflections) {
    auto angoli = [](CSecondariaJunctor* r) {
        const CConstrPars* p = r->GetParametri();
        return std::vector<double>{p->a1e.CSingleConstrPar::GetValore(), p->a2e.CSingleConstrPar::GetValore(),
                                   p->a3e.CSingleConstrPar::GetValore(), p->a1u.CSingleConstrPar::GetValore(),
                                   p->a2u.CSingleConstrPar::GetValore(), p->a3u.CSingleConstrPar::GetValore()};
    };
    CConstrPars iniziale;
    std::vector<double> prima;
    const std::vector<double> inPrima = angoli(In());

    vplat::ModalLoop::SetIdleHook([&](HWND d, int) {
        if (d != dlg.m_hWnd) return;
        CConstrParsOptionTree& tree = dlg.GetAlbero();
        iniziale = *Out()->GetParametri();  // as the opening left it
        prima = angoli(Out());
        Spinner(tree, 2)->GetEdit()->SetWindowText(L"20");
        NMOPTIONTREE nm{{tree.m_hWnd, IDC_ALBERO_PARAMETRI, static_cast<UINT>(OTN_ITEMCOMMITTED)},
                        ParTreeFixture::Riga(tree, 2)};
        SendMessageW(d, WM_NOTIFY, IDC_ALBERO_PARAMETRI, reinterpret_cast<LPARAM>(&nm));
        vplat::ModalLoop::SetIdleHook(nullptr);
    });
    Script(L"dialog 7001 idle\ndialog 7001 click 2\n");
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_TRUE(Mismatches().empty());
    EXPECT_DOUBLE_EQ(Out()->GetParametri()->h.GetValore(), 20);
    const std::vector<double> dopo = angoli(Out());
    EXPECT_NE(dopo, prima);
    // The same leg's own computation from the apex, from its set as it was
    // with h 20.
    *Out()->GetParametri() = iniziale;
    Out()->GetParametri()->h.SetValore(20);
    ASSERT_TRUE(Out()->CalcolaIsola(scenario->Principale(), false, true, false));
    const std::vector<double> atteso = angoli(Out());
    ASSERT_EQ(dopo.size(), atteso.size());
    for (size_t i = 0; i < dopo.size(); ++i) EXPECT_NEAR(dopo[i], atteso[i], 1e-12) << i;
    EXPECT_EQ(angoli(In()), inPrima);
}

// A new angle unit relabels the angle rows and converts the sets of both
// legs, not only the one the tree shows.
TEST_F(MainDialogCrossing, AngleUnitChangeReachesBothLegs) {
    std::vector<std::wstring> labels;
    vplat::ModalLoop::SetIdleHook([&](HWND d, int) {
        if (d != dlg.m_hWnd) return;
        labels.push_back(Etichetta(dlg.GetAlbero(), 26) + L"|" + Etichetta(dlg.GetAlbero(), 2));
    });
    const double a1uIn = In()->GetParametri()->a1u.CSingleConstrPar::GetValore();
    Script(L"dialog 7001 click 7005\n"
           L"dialog 7008 click 7032\n"
           L"dialog 7008 select 7033 radianti\n"
           L"dialog 7008 click 1\n"
           L"dialog 7001 idle\n"
           L"dialog 7001 select 7003 #1\n"
           L"dialog 7001 click 2\n");
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_TRUE(Mismatches().empty());
    ASSERT_EQ(labels.size(), 4u);
    for (size_t i = 1; i < labels.size(); ++i) EXPECT_NE(labels[i].find(L"[rad]"), std::wstring::npos) << labels[i];
    EXPECT_EQ(labels[0].find(L"[rad]"), std::wstring::npos) << labels[0];
    for (CSecondariaJunctor* r : {In(), Out()}) {
        EXPECT_NE(std::wstring(r->GetParametri()->a1u.GetUnita()).find(L"rad"), std::wstring::npos);
    }
    // Stored in radians whatever the unit shown.
    EXPECT_DOUBLE_EQ(In()->GetParametri()->a1u.CSingleConstrPar::GetValore(), a1uIn);
}

// Without the style file "Disegna" shows the reader's report and still
// closes with the build code; the legs' build flags follow the check boxes.
TEST_F(MainDialogCrossing, DisegnaWithoutTheStyleFileStillCloses) {
    // The file goes while the dialog is open.
    vplat::ModalLoop::SetIdleHook([&](HWND d, int) {
        if (d == dlg.m_hWnd) std::filesystem::remove(cartella.File());
    });
    Script(L"dialog 7001 uncheck 7003 #1\n"
           L"dialog 7001 click 1\n"
           L"msgbox ok\n");
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_TRUE(Mismatches().empty());
    EXPECT_EQ(dlg.GetCodice(), 1);
    ASSERT_EQ(vplat::MessageBoxes::All().size(), 1u);
    EXPECT_EQ(vplat::MessageBoxes::All()[0].text.rfind(L"Impossibile caricare il file xml", 0), 0u);
    EXPECT_EQ(Out()->GetSelezionata(), 1);
    EXPECT_EQ(In()->GetSelezionata(), 0);
    EXPECT_FALSE(std::filesystem::exists(cartella.File()));
    EXPECT_FALSE(std::filesystem::exists(cartella.Path() / "JunctorPV.xml"));
}

// The width and height a PNG file's header gives.
std::pair<int, int> DimensioniPng(const std::filesystem::path& png) {
    std::ifstream in(png, std::ios::binary);
    unsigned char h[24] = {};
    in.read(reinterpret_cast<char*>(h), sizeof h);
    auto be = [&](int i) { return (h[i] << 24) | (h[i + 1] << 16) | (h[i + 2] << 8) | h[i + 3]; };
    return {be(16), be(20)};
}

// A child's rectangle in its dialog's window coordinates, as the snapshot
// lays it out.
CRect NellaFinestra(HWND d, HWND child) {
    CRect w, c;
    GetWindowRect(d, &w);
    GetWindowRect(child, &c);
    c.OffsetRect(-w.left, -w.top);
    return c;
}

// The main dialog with both legs (and again with the picture panel open), and
// the dialogs it opens, as pictures; each picture has its window's size.
TEST_F(MainDialogCrossing, Snapshots) {
    namespace fs = std::filesystem;
    const fs::path dir = fs::path(VORTANA_BIN).parent_path() / "snapshots";
    fs::create_directories(dir);
    for (bool pannello : {false, true}) {
        model.settings.SetPannelloImmagine(pannello);
        model.settings.SetImmagine(L"h.jpg");
        CDlgJunctor run;
        run.SetElementi(scenario->Principale(), In(), Out());
        run.SetImpostazioni(&model.settings);
        run.SetLettore(&reader);
        std::vector<int> shown;
        vplat::ModalLoop::SetShownHook([&](HWND d, int id) {
            const fs::path png = dir / ("dialog-" + std::to_string(id) + (pannello ? "-panel" : "-legs") + ".png");
            ASSERT_TRUE(vplat::SnapshotWindow(d, png.string()));
            shown.push_back(id);
            CRect w;
            GetWindowRect(d, &w);
            EXPECT_EQ(DimensioniPng(png), std::make_pair(w.Width(), w.Height())) << id;
            if (id != 7001) return;
            EXPECT_EQ(SendDlgItemMessageW(d, IDC_LIST_STRADE, LVM_GETITEMCOUNT, 0, 0), 2);
            // The tree's expand column beside the first row.
            const CRect tree = NellaFinestra(d, run.GetAlbero().m_hWnd);
            EXPECT_EQ(vplat::SnapshotPixel(d, tree.left + 6, tree.top + 40), GetSysColor(COLOR_BTNFACE));
            // The picture of row h inside the frame, not the dialog's face.
            const CRect frame = NellaFinestra(d, GetDlgItem(d, IDC_CORNICE));
            const CRect picture = NellaFinestra(d, GetDlgItem(d, IDC_IMMAGINE));
            EXPECT_EQ(IsWindowVisible(GetDlgItem(d, IDC_CORNICE)) != FALSE, pannello);
            if (!pannello) return;
            EXPECT_TRUE(frame.PtInRect(picture.TopLeft()) && frame.PtInRect(CPoint(picture.right - 1, picture.bottom - 1)));
            int diversi = 0;
            for (int k = 1; k < 8; ++k) {
                const COLORREF c = vplat::SnapshotPixel(d, picture.left + picture.Width() * k / 8,
                                                        picture.top + picture.Height() * k / 8);
                diversi += c != GetSysColor(COLOR_BTNFACE);
            }
            EXPECT_GE(diversi, 6);
        });
        Script(pannello ? L"dialog 7001 click 2\n"
                        : L"dialog 7001 click 7017\ndialog 7004 close\n"
                          L"dialog 7001 click 7008\ndialog 7018 click 2\n"
                          L"dialog 7001 click 2\n");
        EXPECT_EQ(run.DoModal(), IDCANCEL);
        EXPECT_TRUE(Mismatches().empty());
        EXPECT_EQ(shown, pannello ? std::vector<int>{7001} : (std::vector<int>{7001, 7004, 7018}));
        vplat::Script::Get().Clear();
    }
}

// "Disegna" refuses a selection that builds nothing, with its message, and the
// dialog stays open; with one of the two items checked it closes.
TEST_F(MainDialogCrossing, DisegnaChecksTheSelection) {
    struct Case {
        bool legs;
        const wchar_t* script;
        INT_PTR result;
        std::vector<std::wstring> boxes;
    } cases[] = {
        {true, L"dialog 7001 uncheck 7003 #0\ndialog 7001 uncheck 7003 #1\ndialog 7001 click 1\nmsgbox ok\n"
               L"dialog 7001 click 2\n",
         IDCANCEL, {L"Selezionare almeno una strada secondaria dalla lista."}},
        {true, L"dialog 7001 uncheck 7003 #0\ndialog 7001 click 1\n", IDOK, {}},
        {false, L"dialog 7001 click 1\nmsgbox ok\ndialog 7001 click 2\n", IDCANCEL,
         {L"Selezionare almeno una strada secondaria dal disegno."}},
    };
    for (const Case& c : cases) {
        vplat::MessageBoxes::Clear();
        CDlgJunctor run;
        run.SetElementi(scenario->Principale(), c.legs ? In() : nullptr, c.legs ? Out() : nullptr);
        run.SetImpostazioni(&model.settings);
        run.SetLettore(&reader);
        Script(c.script);
        EXPECT_EQ(run.DoModal(), c.result) << c.script;
        EXPECT_EQ(run.GetCodice(), c.result == IDOK ? 1 : 0) << c.script;
        EXPECT_TRUE(Mismatches().empty()) << c.script;
        std::vector<std::wstring> boxes;
        for (const auto& b : vplat::MessageBoxes::All()) boxes.push_back(b.text);
        EXPECT_EQ(boxes, c.boxes) << c.script;
        vplat::Script::Get().Clear();
    }
    EXPECT_EQ(Out()->GetSelezionata(), 0);  // from the case that closed
    EXPECT_EQ(In()->GetSelezionata(), 1);
}
