#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "Angoli.h"
#include "CConstrPars.h"
#include "NumeroTesto.h"

namespace {

std::wstring W(const CString& s) { return s.str(); }

// The record order, as the extended data carries it; "-" marks the three parameters without a code.
const std::vector<std::wstring> kRecordOrder = {
    L"h",    L"s",    L"b1",   L"b2",    L"riu",   L"rie", L"rru",  L"rre", L"Lbis",
    L"Rr1is", L"-",   L"Lcu",  L"Lce",   L"-",     L"-",   L"Ledx", L"Ludx", L"Lesx",
    L"Lusx", L"Lbitr", L"Lbutr", L"Rit", L"Lbint", L"r1e", L"r2e",  L"r3e", L"a1e",
    L"a2e",  L"a3e",  L"r1u",  L"r2u",   L"r3u",   L"a1u", L"a2u",  L"a3u",
};

}  // namespace

TEST(ConstrPars, Defaults) {
    const std::map<std::wstring, double> nonZero = {{L"s", 0.5},   {L"Lbis", 0.5}, {L"Lbitr", 0.5}, {L"Lbutr", 0.5},
                                                    {L"Rr1is", 0.6}, {L"Rit", 0.6},  {L"Lbint", 1.0}};
    CConstrPars p;
    ASSERT_EQ(kRecordOrder.size(), static_cast<size_t>(CConstrPars::NUMERO_PARAMETRI));
    for (int i = 0; i < CConstrPars::NUMERO_PARAMETRI; ++i) {
        auto it = nonZero.find(kRecordOrder[i]);
        EXPECT_EQ(p.Parametro(i).GetValore(), it == nonZero.end() ? 0.0 : it->second) << kRecordOrder[i];
        EXPECT_EQ(W(p.Parametro(i).GetValoreTesto()), it == nonZero.end() ? L"0.000" : W(FormattaNumero(it->second, 3)));
        // Codes, descriptions and pictures come from the style file's legend.
        EXPECT_EQ(W(p.Parametro(i).GetNome()), L"");
    }
    for (CSingleConstrPar* a : {&p.a1e, &p.a2e, &p.a3e, &p.a1u, &p.a2u, &p.a3u})
        EXPECT_EQ(W(a->GetUnita()), L"[rad]");
    EXPECT_EQ(W(p.h.GetUnita()), L"[m]");
    EXPECT_EQ(p.GetAngoloIncrocio(false), 1.570796325);
    EXPECT_EQ(p.GetDeviazioneImmissione(false), 1.570796325);
    EXPECT_EQ(p.GetDeviazioneUscita(false), 1.570796325);
    EXPECT_EQ(p.GetDeviazioneUscita(true), 89.99999999999999);
    EXPECT_EQ(W(p.GetNome()), L"");
}

// Parametro, the codes of the descriptors and the named members agree on one record order.
TEST(ConstrPars, RecordOrderCodesAndMembers) {
    CConstrPars p;
    for (int i = 0; i < CConstrPars::NUMERO_PARAMETRI; ++i) {
        p.Parametro(i).SetValore(i + 1);
        std::wstring code = CConstrPars::DESCRITTORI[i].codice;
        EXPECT_EQ(code.empty() ? L"-" : code, kRecordOrder[i]);
        if (!code.empty()) {
            EXPECT_EQ(p.TrovaParametro(code.c_str()), &p.Parametro(i)) << code;
        }
    }
    struct Member {
        const CSingleConstrPar* member;
        double value;
    } members[] = {{&p.h, 1},      {&p.riu, 5},   {&p.Rr1is, 10}, {&p.ParSenzaCodice, 11}, {&p.RaggioInternoImm, 14},
                   {&p.RaggioInternoUsc, 15},     {&p.Lbitr, 20}, {&p.Lbint, 23},          {&p.a1e, 27},
                   {&p.r1u, 30},   {&p.a3u, 35}};
    for (const Member& m : members) EXPECT_EQ(m.member->CSingleConstrPar::GetValore(), m.value);
    // Codes are exact and case-sensitive; lane codes belong to the other set.
    for (LPCWSTR unknown : {L"A1E", L"H", L"", L"ILCImm", L"x"}) EXPECT_EQ(p.TrovaParametro(unknown), nullptr);
    EXPECT_EQ(p.TrovaParametro(nullptr), nullptr);
}

TEST(ConstrPars, BadIndexThrowsInvalidArgument) {
    CConstrPars p;
    for (int bad : {-1, CConstrPars::NUMERO_PARAMETRI}) {
        bool thrown = false;
        try {
            p.Parametro(bad);
        } catch (CInvalidArgException* e) {
            thrown = true;
            e->Delete();
        }
        EXPECT_TRUE(thrown) << bad;
    }
}

TEST(ConstrPars, StyleFileOrderAndContainers) {
    std::wstring isola, raccordo;
    for (int k = 0; k < CConstrPars::NUMERO_IN_FILE; ++k) {
        const DescrittoreParametro& d = CConstrPars::DESCRITTORI[CConstrPars::ORDINE_FILE[k]];
        (std::wstring(d.contenitore) == L"ISOLA" ? isola : raccordo) += std::wstring(d.codice) + L" ";
        // ISOLA comes whole before RACCORDO.
        EXPECT_EQ(std::wstring(d.contenitore), k < 6 ? L"ISOLA" : L"RACCORDO");
    }
    EXPECT_EQ(isola, L"h s b1 b2 Lbis Rr1is ");
    EXPECT_EQ(raccordo, L"riu rru rie rre Lcu Ludx Lusx Lce Ledx Lesx r1u r2u r3u a1u a2u a3u "
                        L"r1e r2e r3e a1e a2e a3e Lbutr Lbitr Lbint Rit ");
    // The parameters without a code are neither in the file nor in the tree.
    for (int i : {10, 13, 14}) {
        EXPECT_EQ(std::wstring(CConstrPars::DESCRITTORI[i].contenitore), L"");
        EXPECT_EQ(CConstrPars::DESCRITTORI[i].riga, 0);
    }
}

TEST(ConstrPars, TreeRowsUnderTheirGroups) {
    // Rows by id: group rows and the parameter rows under each.
    const std::map<int, std::wstring> rows = {
        {2, L"h"},     {3, L"s"},     {4, L"b1"},   {5, L"b2"},    {6, L"Lbis"},  {7, L"Rr1is"}, {9, L"riu"},
        {10, L"rru"},  {12, L"rie"},  {13, L"rre"}, {15, L"Lcu"},  {16, L"Ludx"}, {17, L"Lusx"}, {19, L"Lce"},
        {20, L"Ledx"}, {21, L"Lesx"}, {23, L"r1u"}, {24, L"r2u"},  {25, L"r3u"},  {26, L"a1u"},  {27, L"a2u"},
        {28, L"a3u"},  {30, L"r1e"},  {31, L"r2e"}, {32, L"r3e"},  {33, L"a1e"},  {34, L"a2e"},  {35, L"a3e"},
        {37, L"Lbutr"}, {38, L"Lbitr"}, {39, L"Lbint"}, {40, L"Rit"}};
    std::map<int, std::wstring> found;
    for (const DescrittoreParametro& d : CConstrPars::DESCRITTORI) {
        if (!d.riga) continue;
        EXPECT_TRUE(found.emplace(d.riga, d.codice).second) << "row " << d.riga << " twice";
        // The group is the nearest group row above the parameter's row.
        int group = 0;
        for (const GruppoAlbero& g : CConstrPars::GRUPPI_ALBERO)
            if (g.riga < d.riga) group = g.riga;
        EXPECT_EQ(d.gruppo, group) << std::wstring(d.codice);
    }
    EXPECT_EQ(found, rows);
    EXPECT_EQ(std::wstring(CConstrPars::GRUPPI_ALBERO[5].titolo), L"Policentrica di raccordo della corsia di uscita: ");
}

// Assignment copies every value and every parameter whole, so a leg's set shows
// its angles in the unit of the set it was assigned from.
TEST(ConstrPars, CopyAndAssignment) {
    CConstrPars current;
    current.SetNome(L"URBANO");
    current.SetAngoloIncrocio(80.0, true);
    current.SetDeviazioni(100.0, 60.0, true);
    current.SetUnitaAngoli(0);
    current.h.SetNome(L"h");
    current.h.SetDescrizione(L"lunghezza isola");
    current.h.SetPathImg(L"h.jpg");
    current.h.SetUnita(L"[km]");
    current.h.SetValore(16.0);

    CConstrPars copied(current);
    CConstrPars leg;
    leg.SetUnitaAngoli(1);
    leg = current;
    for (const CConstrPars* p : {&copied, &leg}) {
        EXPECT_EQ(W(p->GetNome()), L"URBANO");
        EXPECT_EQ(p->GetAngoloIncrocio(false), current.GetAngoloIncrocio(false));
        EXPECT_EQ(p->GetDeviazioneImmissione(false), current.GetDeviazioneImmissione(false));
        EXPECT_EQ(p->GetDeviazioneUscita(false), current.GetDeviazioneUscita(false));
        EXPECT_EQ(W(p->h.GetEtichetta()), L"h [km]");
        EXPECT_EQ(W(p->h.GetDescrizione()), L"lunghezza isola");
        EXPECT_EQ(W(p->h.GetPathImg()), L"h.jpg");
        EXPECT_EQ(W(p->h.GetValoreTesto()), L"16.000");
        for (const CSingleConstrParAngle* a : {&p->a1e, &p->a2e, &p->a3e, &p->a1u, &p->a2u, &p->a3u})
            EXPECT_EQ(W(a->GetUnita()), L"[deg]");
        EXPECT_DOUBLE_EQ(p->a2e.GetValore(), 100.0 * 11 / 15);
        EXPECT_DOUBLE_EQ(p->a1u.GetValore(), 60.0 * 2 / 15);
    }
}

TEST(ConstrPars, AngleUnitAppliesToTheSixAnglesOnly) {
    CConstrPars p;
    p.SetDeviazioni(1.2, 0.9, false);
    p.SetUnitaAngoli(3);
    for (const CSingleConstrParAngle* a : {&p.a1e, &p.a2e, &p.a3e, &p.a1u, &p.a2u, &p.a3u}) {
        EXPECT_EQ(W(a->GetUnita()), L"[dms]");
        // Degrees-minutes-seconds show the radian value unconverted.
        EXPECT_EQ(a->GetValore(), a->CSingleConstrPar::GetValore());
    }
    EXPECT_EQ(W(p.a2e.GetValoreTesto()), L"0.880");
    EXPECT_EQ(W(p.r1e.GetUnita()), L"[m]");
    p.SetUnitaAngoli(0);
    EXPECT_DOUBLE_EQ(p.a2e.GetValore(), 1.2 * 0.7333333333333333 * 180 / PI_GRECO);
    EXPECT_EQ(W(p.a2e.GetEtichetta()), L" [deg]");
}

TEST(ConstrPars, AnglesInDegreesUseTheEnginePi) {
    CConstrPars p;
    p.SetAngoloIncrocio(90.0, true);
    EXPECT_EQ(p.GetAngoloIncrocio(false), 1.5707963249999999);
    p.SetAngoloIncrocio(3.14159265, false);
    EXPECT_DOUBLE_EQ(p.GetAngoloIncrocio(true), 180.0);
    p.SetDeviazioni(180.0, 45.0, true);
    EXPECT_DOUBLE_EQ(p.GetDeviazioneImmissione(false), 3.14159265);
    EXPECT_DOUBLE_EQ(p.GetDeviazioneUscita(true), 45.0);
}
