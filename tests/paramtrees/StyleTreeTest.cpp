// The style parameter tree on the shipped DEFAULT style: its rows, the
// read-back of changed rows only, the number format, the angle unit and the
// locked curb-return angles.
#include <TranslatorBinding.h>

#include "ParTreeFixture.h"

using namespace partree_test;

namespace {

class StyleTree : public ParTreeFixture {
protected:
    void SetUp() override {
        ParTreeFixture::SetUp();
        Crea(tree);
        tree.SetParametri(&m.pars);
        tree.Riempi();
    }
    void TearDown() override {
        if (tree.m_hWnd) tree.DestroyWindow();
        ParTreeFixture::TearDown();
    }
    CConstrParsOptionTree tree;
};

}  // namespace

TEST_F(StyleTree, FillShowsEveryParameterOfTheStyle) {
    std::vector<int> ids;
    for (COptionTreeItem* r : Righe(tree)) ids.push_back(r->GetId());
    std::vector<int> expected;
    for (int i = 1; i <= 41; ++i) expected.push_back(i);
    EXPECT_EQ(ids, expected);

    struct Shown {
        int id;
        const wchar_t* label;
        const wchar_t* text;
    } shown[] = {{2, L"h [m]", L"45.0"}, {5, L"b2 [m]", L"12.1"}, {26, L"a1u [deg]", L"12.0"}, {41, L"", L"0.0"}};
    for (const Shown& s : shown) {
        EXPECT_EQ(Etichetta(tree, s.id), s.label) << s.id;
        EXPECT_EQ(Testo(tree, s.id), s.text) << s.id;
    }
    EXPECT_EQ(Etichetta(tree, 1), std::wstring(TranslateText(L"Parametri per l'isola: ")));
    EXPECT_EQ(Etichetta(tree, 36), L"Larghezze delle banchine dei raccordi: ");
    EXPECT_EQ(Riga(tree, 41)->GetParent(), Riga(tree, 36));
    EXPECT_EQ(Spinner(tree, 4)->GetImmagine(), L"b1.jpg");
    EXPECT_EQ(Riga(tree, 4)->GetDescription(), m.pars.b1.GetDescrizione());

    int spinners = 0;
    for (COptionTreeItem* r : Righe(tree)) {
        auto* s = dynamic_cast<CMyOptionTreeItemSpinnerDec*>(COptionTreeItemSpinnerDec::FromItem(r));
        if (!s) {
            EXPECT_TRUE(r->IsRootLevel()) << r->GetId();
            continue;
        }
        ++spinners;
        EXPECT_EQ(s->GetDlgCtrlID(), r->GetId());
        EXPECT_TRUE(s->HasOption(OTSB_EDITABLE) && s->HasOption(OTSB_WRAPAROUND)) << r->GetId();
        EXPECT_EQ(s->GetMinimum(), -10000.0);
        EXPECT_EQ(s->GetMaximum(), 10000.0);
        EXPECT_EQ(s->GetDecimals(), 1);
        const double before = s->GetValue();
        s->StepUp();
        EXPECT_DOUBLE_EQ(s->GetValue(), before + 0.5) << r->GetId();
    }
    EXPECT_EQ(spinners, 33);  // 32 parameters and the empty row
}

// Reading every shown text back would round b2 12.125 to 12.1 and the angles
// to one decimal; only rows the user changed reach the set.
TEST_F(StyleTree, ReadBackTakesOnlyChangedRows) {
    const std::vector<double> before = Valori(m.pars);
    ASSERT_DOUBLE_EQ(m.pars.b2.GetValore(), 12.125);
    tree.LeggiValori();
    EXPECT_EQ(Valori(m.pars), before);

    Digita(tree, 5, L"12.1");  // the shown text again: nothing changes
    tree.LeggiValori();
    EXPECT_EQ(Valori(m.pars), before);

    Digita(tree, 5, L"10");
    Spinner(tree, 2)->StepUp();
    EXPECT_EQ(Testo(tree, 2), L"45.5");
    tree.LeggiValori();
    std::vector<double> expected = before;
    expected[3] = 10.0;  // b2
    expected[0] = 45.5;  // h
    EXPECT_EQ(Valori(m.pars), expected);

    // A value the set changed afterwards is not overwritten by a later read.
    m.pars.b2.SetValore(10.25);
    tree.LeggiValori();
    EXPECT_EQ(m.pars.b2.GetValore(), 10.25);
}

TEST_F(StyleTree, EditedAngleIsTakenInItsDisplayUnit) {
    Digita(tree, 33, L"20");
    tree.LeggiValori();
    EXPECT_NEAR(m.pars.a1e.CSingleConstrPar::GetValore(), 20 * 3.14159265 / 180, 1e-9);
}

TEST_F(StyleTree, WriteShowsTheSetAndForgetsEdits) {
    Digita(tree, 5, L"7");
    m.pars.h.SetValore(45.04);
    tree.ScriviValori();
    EXPECT_EQ(Testo(tree, 2), L"45.0");
    EXPECT_EQ(Testo(tree, 5), L"12.1");
    tree.LeggiValori();
    EXPECT_DOUBLE_EQ(m.pars.h.GetValore(), 45.04);
    EXPECT_DOUBLE_EQ(m.pars.b2.GetValore(), 12.125);
}

TEST_F(StyleTree, FormatChangeReformatsParameterRowsOnly) {
    tree.ApplicaFormato(2, 0.25);
    EXPECT_EQ(Testo(tree, 2), L"45.00");
    EXPECT_EQ(Testo(tree, 5), L"12.12");
    EXPECT_EQ(Testo(tree, 41), L"0.0");
    EXPECT_EQ(tree.GetDecimali(), 2);
    Digita(tree, 2, L"");  // focus in the edit, then Up
    vplat::UserInput::Key(VK_UP);
    vplat::UserInput::Pump();
    EXPECT_EQ(Testo(tree, 2), L"45.25");
    const std::vector<double> before = Valori(m.pars);
    tree.LeggiValori();
    std::vector<double> expected = before;
    expected[0] = 45.25;
    EXPECT_EQ(Valori(m.pars), expected);
}

TEST_F(StyleTree, AngleUnitChangeRelabelsTheSixAngles) {
    struct Case {
        int unit;
        const wchar_t* label;
        const wchar_t* text;
    } cases[] = {{2, L"a1u [rad]", L"0.2"}, {1, L"a1u [grad]", L"13.3"}, {0, L"a1u [deg]", L"12.0"}};
    for (const Case& c : cases) {
        std::vector<std::wstring> others;
        for (COptionTreeItem* r : Righe(tree))
            if (r->GetId() < 26 || r->GetId() > 28) others.push_back(std::wstring(r->GetLabel()) + L"=" + Testo(tree, r->GetId()));
        m.pars.SetUnitaAngoli(c.unit);
        tree.AggiornaUnitaAngoli();
        EXPECT_EQ(Etichetta(tree, 26), c.label);
        EXPECT_EQ(Testo(tree, 26), c.text);
        EXPECT_EQ(Etichetta(tree, 34).substr(0, 4), L"a2e ");
        EXPECT_EQ(Etichetta(tree, 34).substr(4), std::wstring(c.label).substr(4));
        std::vector<std::wstring> after;
        for (COptionTreeItem* r : Righe(tree))
            if (r->GetId() < 26 || r->GetId() > 28) after.push_back(std::wstring(r->GetLabel()) + L"=" + Testo(tree, r->GetId()));
        // Rows 33-35 change with the unit too; every other row stays.
        for (size_t i = 0; i < after.size(); ++i) {
            if (after[i].rfind(L"a", 0) != 0 || after[i].find(L"e [") == std::wstring::npos) {
                EXPECT_EQ(after[i], others[i]);
            }
        }
    }
    // Shown in another unit and back again, an untouched angle is not rounded.
    const std::vector<double> before = Valori(m.pars);
    tree.LeggiValori();
    EXPECT_EQ(Valori(m.pars), before);
}

TEST_F(StyleTree, TricentricaLocksTheSixAngleSpinners) {
    for (bool on : {true, false}) {
        tree.AbilitaTricentrica(on);
        for (COptionTreeItem* r : Righe(tree)) {
            CMyOptionTreeItemSpinnerDec* s = Spinner(tree, r->GetId());
            if (!s) continue;
            const bool angle = (r->GetId() >= 26 && r->GetId() <= 28) || (r->GetId() >= 33 && r->GetId() <= 35);
            EXPECT_EQ(s->IsWindowEnabled() != FALSE, !(on && angle)) << r->GetId() << " " << on;
        }
    }
}

TEST_F(StyleTree, WalkStopsQuietlyAtTheFirstMissingRow) {
    // Group 8's rows (riu, rru) go; everything after them is out of reach.
    COptionTreeItem* group8 = Riga(tree, 8);
    while (COptionTreeItem* c = group8->GetFirstChild()) tree.DeleteItem(c);
    for (int id : {2, 3, 4, 5, 6, 7, 12, 15, 23, 30, 37}) Digita(tree, id, L"9");
    const std::vector<double> before = Valori(m.pars);
    tree.LeggiValori();
    const std::vector<double> after = Valori(m.pars);
    for (int i = 0; i < CConstrPars::NUMERO_PARAMETRI; ++i) {
        const int row = CConstrPars::DESCRITTORI[i].riga;
        if (row >= 2 && row <= 7)
            EXPECT_EQ(after[static_cast<size_t>(i)], 9.0) << row;
        else
            EXPECT_EQ(after[static_cast<size_t>(i)], before[static_cast<size_t>(i)]) << row;
    }
}

// Nothing is set by construction; a tree is asked to work before its owner
// gave it a set (notifications during the dialog's opening).
TEST_F(ParTreeFixture, FreshTreeWithoutASetDoesNothing) {
    CConstrParsOptionTree fresh;
    EXPECT_EQ(fresh.GetParametri(), nullptr);
    EXPECT_EQ(fresh.GetIncremento(), 1.0);
    EXPECT_EQ(fresh.GetDecimali(), 0);
    EXPECT_EQ(fresh.GetMassimo(), 10000.0);
    EXPECT_EQ(fresh.GetMinimo(), -10000.0);
    EXPECT_EQ(fresh.GetTrimZeros(), 0);
    ASSERT_TRUE(fresh.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 300, 300), host, OTS_INFOPANE, kTreeId));
    fresh.LeggiValori();
    fresh.ScriviValori();
    fresh.ApplicaFormato(2, 0.1);
    fresh.AggiornaUnitaAngoli();
    fresh.AbilitaTricentrica(true);
    fresh.Riempi();
    EXPECT_TRUE(Righe(fresh).empty());
    CLaneParsOptionTree lanes;
    ASSERT_TRUE(lanes.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 300, 300), host, OTS_INFOPANE, kTreeId + 1));
    lanes.LeggiImmissione();
    lanes.RiempiSvoltaSx();
    EXPECT_TRUE(Righe(lanes).empty());
    fresh.DestroyWindow();
    lanes.DestroyWindow();
}
