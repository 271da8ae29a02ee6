// The lane parameters dialog driven as the user drives it: three trees, OK
// reads them back, Annulla reads nothing, help opens the dialog's topic.
#include <ArxEntry.h>

#include "../../junctor/ui/CDlgParCorsie.h"
#include "ParTreeFixture.h"

using namespace partree_test;

namespace {

using LaneDialog = JunctorModuleFixture;

}  // namespace

// Row 14 (IImmQ2) and row 17 (IManb) of the entry tree, each reached by
// paging down the rows view and clicking the row, then typed into.
const wchar_t kEdits[] =
    L"dialog 7018 scroll 7038/30000 pagedown\n"
    L"dialog 7018 click 7038/30000 at 60,120\n"
    L"dialog 7018 set 7038/30000/14/1000 450\n"
    L"dialog 7018 scroll 7038/30000 pagedown\n"
    L"dialog 7018 click 7038/30000 at 60,140\n"
    L"dialog 7018 set 7038/30000/17/1000 2.5\n";

TEST_F(LaneDialog, OkStoresTheEditsAndAnnullaLeavesTheSet) {
    struct Case {
        const wchar_t* end;
        INT_PTR result;
        bool stored;
    } cases[] = {{L"dialog 7018 click 1\n", IDOK, true},
                 {L"dialog 7018 click 2\n", IDCANCEL, false},
                 {L"dialog 7018 key ESCAPE\n", IDCANCEL, false},
                 {L"dialog 7018 key RETURN\n", IDOK, true}};
    for (const Case& c : cases) {
        Modello fresh;
        ASSERT_TRUE(LeggiDefault(fresh));
        const std::vector<double> before = Valori(fresh.corsie);
        CDlgParCorsie dlg;
        dlg.SetImpostazioni(&fresh.settings);
        dlg.SetRisorse(kJunctor);
        Script(std::wstring(kEdits) + c.end);
        EXPECT_EQ(dlg.DoModal(), c.result) << c.end;
        EXPECT_TRUE(Mismatches().empty()) << c.end;
        std::vector<double> expected = before;
        if (c.stored) {
            expected[15] = 450;  // IImmQ2
            expected[21] = 2.5;  // IManb
        }
        EXPECT_EQ(Valori(fresh.corsie), expected) << c.end;
        vplat::Script::Get().Clear();
    }
}

// Each tree holds exactly the input rows of its lane, then the empty row 41,
// inside its group box, with the settings' step and decimals.
TEST_F(LaneDialog, TreesHoldTheInputRowsOfTheirLane) {
    m.settings.SetDecimali(2);
    m.settings.SetIncremento(0.25);
    struct Tree {
        int id;
        int box;
        const wchar_t* container;
        const GruppoAlbero* groups;
        std::vector<std::wstring> labels = {};
        std::vector<int> decimals = {};
        std::vector<double> steps = {};
    } trees[] = {{7038, 7036, L"CORSIAIMM", CLanePars::GRUPPI_IMMISSIONE},
                 {7039, 7037, L"CORSIAUSC", CLanePars::GRUPPI_USCITA},
                 {7040, 7035, L"CORSIASX", CLanePars::GRUPPI_SVOLTA_SX}};
    CDlgParCorsie dlg;
    dlg.SetImpostazioni(&m.settings);
    vplat::ModalLoop::SetIdleHook([&](HWND d, int) {
        for (Tree& t : trees) {
            auto* tree = dynamic_cast<CLaneParsOptionTree*>(CWnd::FromHandlePermanent(GetDlgItem(d, t.id)));
            ASSERT_NE(tree, nullptr) << t.id;
            CRect box, rect;
            GetWindowRect(GetDlgItem(d, t.box), &box);
            GetWindowRect(tree->m_hWnd, &rect);
            rect.InflateRect(20, 20);
            EXPECT_EQ(rect, box) << t.id;
            EXPECT_TRUE(tree->IsWindowVisible());
            EXPECT_EQ(tree->GetTreeOptions(), static_cast<DWORD>(25 | OTS_NOTIFY));  // created with 25, then told to notify
            for (COptionTreeItem* r : Righe(*tree)) {
                t.labels.push_back(std::wstring(r->GetLabel()));
                if (auto* s = Spinner(*tree, r->GetId())) {
                    t.decimals.push_back(s->GetDecimals());
                    const double v = s->GetValue();
                    s->StepUp();
                    t.steps.push_back(s->GetValue() - v);
                }
            }
        }
    });
    Script(L"dialog 7018 click 2\n");
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    for (const Tree& t : trees) {
        std::vector<std::wstring> expected;
        int lastGroup = 0;
        for (int i = 0; i < CLanePars::NUMERO_PARAMETRI; ++i) {
            const DescrittoreParametro& d = CLanePars::DESCRITTORI[i];
            if (std::wstring(d.contenitore) != t.container || d.riga == 0) continue;
            if (d.gruppo != lastGroup) {
                const GruppoAlbero* g = t.groups;
                while (g->riga != d.gruppo) ++g;
                expected.push_back(g->titolo);
                lastGroup = d.gruppo;
            }
            expected.push_back(std::wstring(m.corsie.Parametro(i).GetEtichetta()));
        }
        expected.push_back(L"");
        EXPECT_EQ(t.labels, expected) << t.id;
        EXPECT_EQ(t.decimals, std::vector<int>(t.decimals.size(), 2)) << t.id;
        for (double s : t.steps) EXPECT_DOUBLE_EQ(s, 0.25) << t.id;
    }
    // No derived quantity has a row.
    for (const wchar_t* derived : {L"IAccLae", L"IImmT", L"IImmK", L"IImmEs", L"IImmVars", L"IImmEw", L"IImmEq",
                                   L"IImmLie", L"IManLve", L"IManR", L"UManR", L"UDecLdu", L"SAcuK", L"SAcuEs",
                                   L"SAcuVars", L"SAcuEw", L"SAcuEq", L"SAcuLaa", L"SDecLda", L"SManLma", L"SManR",
                                   L"SRacLva", L"SRacRI1", L"SRacRI2"}) {
        for (const Tree& t : trees)
            for (const std::wstring& l : t.labels) EXPECT_NE(l.substr(0, l.find(L' ')), derived);
    }
    EXPECT_EQ(trees[0].labels.size(), 4u + 13u + 1u);
    EXPECT_EQ(trees[1].labels.size(), 3u + 7u + 1u);
    EXPECT_EQ(trees[2].labels.size(), 5u + 14u + 1u);
}

TEST_F(LaneDialog, HelpOpensTheDrawingTopicInTheModuleFolder) {
    ASSERT_EQ(acrxEntryPoint(AcRx::kInitAppMsg, this), AcRx::kRetOK);
    const std::wstring folder = GetArxAppContext()->GetAppDir();
    vplat::HelpCalls::Clear();
    CDlgParCorsie dlg;
    dlg.SetImpostazioni(&m.settings);
    Script(L"dialog 7018 click 7001\ndialog 7018 click 2\n");
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    ASSERT_EQ(vplat::HelpCalls::All().size(), 1u);
    EXPECT_EQ(vplat::HelpCalls::All()[0].file, folder + L"Help\\QvHelp.chm::/Disegna_Intersezione_a_T_junctor_.htm");
    acrxEntryPoint(AcRx::kUnloadAppMsg, this);
}
