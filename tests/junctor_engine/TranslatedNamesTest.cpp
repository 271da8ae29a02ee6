#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <unistd.h>

#include "CJunctorSettings.h"
#include "TranslatorBinding.h"

namespace {

std::wstring W(const CString& s) { return s.str(); }

// The translation service bound as the intersection module binds it, marking every
// text it translates, with a dictionary that translates two of the names.
class MarkedTranslation : public ::testing::Test {
protected:
    void SetUp() override {
        m_dictionary = std::filesystem::temp_directory_path() / ("vortana-dict-" + std::to_string(getpid()) + ".dic");
        std::ofstream(m_dictionary) << "@language en\nSvizzero\tSwiss\nradianti\tradians\n";
        setenv("VORTANA_TRANSLATOR_MARK", "1", 1);
        setenv("VORTANA_TRANSLATOR_DICT", m_dictionary.c_str(), 1);
        vplat::Modules::SetHostPath(VORTANA_BIN "/vortana-cad");
        ASSERT_TRUE(LoadTranslatorDll(L"Junctor.arx"));
    }
    void TearDown() override {
        FreeTranslatorDll();
        unsetenv("VORTANA_TRANSLATOR_MARK");
        unsetenv("VORTANA_TRANSLATOR_DICT");
        std::filesystem::remove(m_dictionary);
    }

private:
    std::filesystem::path m_dictionary;
};

}  // namespace

TEST_F(MarkedTranslation, UnitNamesAreTranslatedAtConstruction) {
    CJunctorSettings s;
    EXPECT_EQ(W(s.GetNomeUnitaAngoli()), L"\u00abradians\u00bb");
    CStringArray names;
    s.GetNomiUnitaAngoli(names);
    std::vector<std::wstring> got;
    for (INT_PTR i = 0; i < names.GetSize(); ++i) got.push_back(W(names[i]));
    EXPECT_EQ(got, (std::vector<std::wstring>{L"\u00abgradi centesimali\u00bb", L"\u00abgradi decimali\u00bb",
                                              L"\u00abgradi-minuti-secondi\u00bb", L"\u00abradians\u00bb",
                                              L"\u00abunit\u00e0 topografiche\u00bb"}));
    // Names match only as the translation gives them.
    s.SetUnitaAngoliDaNome(L"gradi decimali");
    EXPECT_EQ(s.GetUnitaAngoli(), 2);
    s.SetUnitaAngoliDaNome(L"\u00abgradi decimali\u00bb");
    EXPECT_EQ(s.GetUnitaAngoli(), 0);
    s.SetUnitaAngoliDaNome(L"radianti");
    EXPECT_EQ(s.GetUnitaAngoli(), 0);
    s.SetUnitaAngoliDaNome(L"\u00abradians\u00bb");
    EXPECT_EQ(s.GetUnitaAngoli(), 2);
}

TEST_F(MarkedTranslation, MethodNamesAreTranslatedWhenAsked) {
    CJunctorSettings s;
    s.SetMetodo(L"F");
    EXPECT_EQ(W(s.GetNomeMetodo()), L"\u00abFrancese\u00bb");
    s.SetMetodo(L"CH");
    EXPECT_EQ(W(s.GetNomeMetodo()), L"\u00abSwiss\u00bb");
    CStringArray names;
    s.GetNomiMetodi(names);
    ASSERT_EQ(names.GetSize(), 2);
    EXPECT_EQ(W(names[0]), L"\u00abFrancese\u00bb");
    EXPECT_EQ(W(names[1]), L"\u00abSwiss\u00bb");

    s.SetMetodoDaNome(L"\u00abFrancese\u00bb");
    EXPECT_EQ(W(s.GetMetodo()), L"F");
    s.SetMetodoDaNome(L"\u00abSwiss\u00bb");
    EXPECT_EQ(W(s.GetMetodo()), L"CH");
    // The Italian name is no longer the translated one: it is kept as the code.
    s.SetMetodoDaNome(L"Svizzero");
    EXPECT_EQ(W(s.GetMetodo()), L"Svizzero");
    EXPECT_EQ(W(s.GetNomeMetodo()), L"Svizzero");
}
