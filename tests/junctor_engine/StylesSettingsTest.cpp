#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "CJunctorSettings.h"

namespace {

std::wstring W(const CString& s) { return s.str(); }

bool ThrowsInvalidArgument(const std::function<void()>& f) {
    try {
        f();
    } catch (CInvalidArgException* e) {
        e->Delete();
        return true;
    }
    return false;
}

std::wstring Current(const CConstrStylesMgr& list) {
    CString name, description;
    list.GetCorrente(name, description);
    return W(name) + L"|" + W(description);
}

std::vector<std::wstring> Names(const CArray<ConstrStyle>& list) {
    std::vector<std::wstring> names;
    for (INT_PTR i = 0; i < list.GetSize(); ++i) names.push_back(W(list[i].nome) + L"|" + W(list[i].descrizione));
    return names;
}

// DEFAULT, URBANO, URBANO (twice), EXTRA, in file order.
struct StyleList : ::testing::Test {
    StyleList() {
        list.Aggiungi(L"DEFAULT", L"standard");
        list.Aggiungi(L"URBANO", L"primo");
        list.Aggiungi(L"URBANO", L"secondo");
        list.Aggiungi(L"EXTRA", L"extraurbano");
    }
    CConstrStylesMgr list;
};

}  // namespace

TEST(StyleListStart, NoCurrentEntryUntilOneIsSelected) {
    CConstrStylesMgr list;
    EXPECT_EQ(list.GetIndiceCorrente(), -1);
    EXPECT_TRUE(ThrowsInvalidArgument([&] { Current(list); }));
    EXPECT_EQ(list.Aggiungi(L"DEFAULT", L"d"), 0);
    EXPECT_EQ(list.Aggiungi(L"DEFAULT", L"again"), 1);
    // Adding does not select.
    EXPECT_TRUE(ThrowsInvalidArgument([&] { Current(list); }));
    list.Seleziona(L"default");
    EXPECT_TRUE(ThrowsInvalidArgument([&] { Current(list); }));
    list.Seleziona(L"DEFAULT");
    EXPECT_EQ(Current(list), L"DEFAULT|d");
}

TEST_F(StyleList, SameNameTwiceActsOnTheFirst) {
    EXPECT_TRUE(list.Esiste(L"URBANO"));
    EXPECT_FALSE(list.Esiste(L"urbano"));
    list.Seleziona(L"URBANO");
    EXPECT_EQ(list.GetIndiceCorrente(), 1);
    list.SetDescrizione(L"URBANO", L"nuova");
    EXPECT_EQ(Current(list), L"URBANO|nuova");
    list.Rimuovi(L"URBANO");
    EXPECT_EQ(Names(list), (std::vector<std::wstring>{L"DEFAULT|standard", L"URBANO|secondo", L"EXTRA|extraurbano"}));
    EXPECT_TRUE(list.Esiste(L"URBANO"));
}

TEST_F(StyleList, UnknownNamesChangeNothing) {
    list.Seleziona(L"EXTRA");
    list.Seleziona(L"NESSUNO");
    list.Rimuovi(L"NESSUNO");
    list.SetDescrizione(L"NESSUNO", L"x");
    EXPECT_EQ(Current(list), L"EXTRA|extraurbano");
    EXPECT_EQ(list.GetSize(), 4);
    EXPECT_FALSE(list.Esiste(L""));
}

// The current index is not adjusted by a removal.
TEST_F(StyleList, RemovingTheCurrentStyle) {
    list.Seleziona(L"DEFAULT");
    list.Rimuovi(L"DEFAULT");
    EXPECT_EQ(Current(list), L"URBANO|primo");
    list.Seleziona(L"EXTRA");
    list.Rimuovi(L"EXTRA");
    EXPECT_EQ(list.GetIndiceCorrente(), 2);
    EXPECT_TRUE(ThrowsInvalidArgument([&] { Current(list); }));
    // Removing an earlier style shifts the next one under the index.
    list.Aggiungi(L"EXTRA", L"di nuovo");
    list.Aggiungi(L"ULTIMO", L"u");
    list.Seleziona(L"EXTRA");
    list.Rimuovi(L"URBANO");
    EXPECT_EQ(Current(list), L"ULTIMO|u");
    list.SetIndiceCorrente(7);
    EXPECT_TRUE(ThrowsInvalidArgument([&] { Current(list); }));
}

TEST_F(StyleList, AppendingLists) {
    CConstrStylesMgr other;
    other.Aggiungi(L"ALTRO", L"a");
    EXPECT_EQ(other.Append(list), 1);
    EXPECT_EQ(Names(other), (std::vector<std::wstring>{L"ALTRO|a", L"DEFAULT|standard", L"URBANO|primo",
                                                       L"URBANO|secondo", L"EXTRA|extraurbano"}));
    EXPECT_TRUE(ThrowsInvalidArgument([&] { list.Append(list); }));
    EXPECT_EQ(list.GetSize(), 4);
}

TEST(Settings, NewSettings) {
    CJunctorSettings s;
    EXPECT_EQ(W(s.GetVersione()), L"1");
    EXPECT_EQ(W(s.GetDecimaliTesto()), L"0");
    EXPECT_EQ(W(s.GetIncrementoTesto()), L"1");
    EXPECT_EQ(W(s.GetTricentricaTesto()), L"N");
    EXPECT_EQ(W(s.GetUseAutoCADTesto()), L"N");
    EXPECT_EQ(W(s.GetNomeUnitaAngoli()), L"radianti");
    EXPECT_EQ(W(s.GetNomeUnitaAutoCAD()), L"radianti");
    EXPECT_EQ(s.GetRamo(), 2);
    EXPECT_EQ(W(s.GetMetodo()), L"");
    EXPECT_EQ(s.GetStili(), nullptr);
    EXPECT_EQ(s.GetParametri(), nullptr);
    EXPECT_EQ(s.GetParCorsie(), nullptr);
    EXPECT_FALSE(s.GetPannelloImmagine());
    CStringArray names;
    names.Add(L"prima");
    s.GetNomiUnitaAngoli(names);
    std::vector<std::wstring> got;
    for (INT_PTR i = 0; i < names.GetSize(); ++i) got.push_back(W(names[i]));
    EXPECT_EQ(got, (std::vector<std::wstring>{L"prima", L"gradi centesimali", L"gradi decimali",
                                              L"gradi-minuti-secondi", L"radianti", L"unit\u00e0 topografiche"}));
}

TEST(Settings, IncrementTextWithTheSettingsDecimals) {
    struct Case {
        double increment;
        int decimals;
        const wchar_t* text;
    } cases[] = {
        {0.5, 2, L"0.50"},   {0.25, 0, L"0"},        {1e-5, 3, L"1.000e-05"}, {1234567.0, 1, L"1.2e+06"},
        {2.5, -3, L"2"},     {0.1, 20, L"0.100000000000000"},
    };
    for (const Case& c : cases) {
        CJunctorSettings s;
        s.SetIncremento(c.increment);
        s.SetDecimali(c.decimals);
        EXPECT_EQ(W(s.GetIncrementoTesto()), c.text) << c.increment << " " << c.decimals;
    }
    CJunctorSettings s;
    s.SetDecimali(-3);
    EXPECT_EQ(W(s.GetDecimaliTesto()), L"-3");
}

TEST(Settings, AngleUnitNames) {
    struct Case {
        int index;
        const wchar_t* name;
    } cases[] = {{0, L"gradi decimali"}, {1, L"gradi centesimali"}, {2, L"radianti"}, {3, L""}, {4, L""}, {-1, L""}};
    for (const Case& c : cases) {
        CJunctorSettings s;
        s.SetUnitaAngoli(c.index);
        s.SetUnitaAutoCAD(c.index);
        EXPECT_EQ(W(s.GetNomeUnitaAngoli()), c.name) << c.index;
        EXPECT_EQ(W(s.GetNomeUnitaAutoCAD()), c.name) << c.index;
    }
    struct FromName {
        const wchar_t* name;
        int index;  // starting from 1
    } names[] = {{L"radianti", 2},        {L"gradi decimali", 0},       {L"gradi centesimali", 1},
                 {L"Radianti", 1},        {L"gradi-minuti-secondi", 1}, {L"unit\u00e0 topografiche", 1},
                 {L"", 1},                {L"radians", 1}};
    for (const FromName& n : names) {
        CJunctorSettings s;
        s.SetUnitaAngoli(1);
        s.SetUnitaAngoliDaNome(n.name);
        EXPECT_EQ(s.GetUnitaAngoli(), n.index) << std::wstring(n.name);
    }
}

TEST(Settings, FlagsAndMethodFromText) {
    struct Case {
        const wchar_t* text;
        bool flag;
    } cases[] = {{L"Y", true}, {L"y", false}, {L"N", false}, {L"", false}, {L"YES", false}};
    for (const Case& c : cases) {
        CJunctorSettings s;
        s.SetTricentrica(!c.flag);
        s.SetTricentricaDaTesto(c.text);
        s.SetUseAutoCADDaTesto(c.text);
        EXPECT_EQ(s.GetTricentrica(), c.flag) << std::wstring(c.text);
        EXPECT_EQ(s.GetUseAutoCAD(), c.flag) << std::wstring(c.text);
        EXPECT_EQ(W(s.GetTricentricaTesto()), c.flag ? L"Y" : L"N");
    }
    struct Method {
        const wchar_t* name;
        const wchar_t* code;
        const wchar_t* shown;
    } methods[] = {{L"Francese", L"F", L"Francese"},
                   {L"Svizzero", L"CH", L"Svizzero"},
                   {L"French", L"French", L"French"},
                   {L"svizzero", L"svizzero", L"svizzero"}};
    for (const Method& m : methods) {
        CJunctorSettings s;
        s.SetMetodoDaNome(m.name);
        EXPECT_EQ(W(s.GetMetodo()), m.code);
        EXPECT_EQ(W(s.GetNomeMetodo()), m.shown);
    }
}

TEST(Settings, StylesThroughTheSettings) {
    CConstrStylesMgr list;
    CConstrPars pars;
    CJunctorSettings s;
    CString name, description;
    // Without a list there is no current style, and nothing to copy.
    EXPECT_TRUE(ThrowsInvalidArgument([&] { s.GetStileCorrente(name, description); }));
    CArray<ConstrStyle> copy;
    s.CopiaStili(copy);
    EXPECT_EQ(copy.GetSize(), 0);

    list.Aggiungi(L"DEFAULT", L"standard");
    list.Aggiungi(L"URBANO", L"citt\u00e0");
    s.SetStili(&list);
    s.SetParametri(&pars);
    s.SelezionaStile(L"URBANO");
    s.GetStileCorrente(name, description);
    EXPECT_EQ(W(name) + L"|" + W(description), L"URBANO|citt\u00e0");
    EXPECT_EQ(W(pars.GetNome()), L"URBANO");
    // An unknown name leaves the selection but still names the set.
    s.SelezionaStile(L"ALTRO");
    EXPECT_EQ(list.GetIndiceCorrente(), 1);
    EXPECT_EQ(W(pars.GetNome()), L"ALTRO");

    ConstrStyle first{L"PRIMA", L""};
    copy.Add(first);
    s.CopiaStili(copy);
    EXPECT_EQ(Names(copy), (std::vector<std::wstring>{L"PRIMA|", L"DEFAULT|standard", L"URBANO|citt\u00e0"}));
    EXPECT_TRUE(ThrowsInvalidArgument([&] { s.CopiaStili(list); }));
    EXPECT_EQ(list.GetSize(), 2);
}

TEST(Settings, AngleUnitAppliedToTheParameters) {
    CConstrPars pars;
    CJunctorSettings s;
    s.ApplicaUnitaAngoli();
    s.SetParametri(&pars);
    s.SetUnitaAngoli(0);
    s.ApplicaUnitaAngoli();
    EXPECT_EQ(W(pars.a3u.GetUnita()), L"[deg]");
    s.SetUnitaAngoli(1);
    s.ApplicaUnitaAngoli();
    EXPECT_EQ(W(pars.a1e.GetUnita()), L"[grad]");
}
