// The shipped styles on the bundled road drawings they are made for: with
// each style loaded into each leg as the main dialog loads it, every leg
// builds whole, with every one of its polylines.
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "ComandoTest.h"
#include "DxfFile.h"
#include "PolilineeIntersezione.h"

namespace {

using comando::U8;

struct Campione {
    const char* file;
    const wchar_t* principale;
    const wchar_t* secondaria;
    int rami;
};

const Campione kCampioni[] = {
    {"strade-innesto", L"SS 16", L"SP 5", 1},
    {"strade-incrocio-curva", L"SS 9", L"SP 21", 2},
    {"strade-apparente", L"SS 1", L"SP 40", 1},
};
const wchar_t* const kStili[] = {L"DEFAULT", L"Extraurbana", L"Urbana"};

using Caso = std::tuple<Campione, const wchar_t*>;

// Every sample with every style, but the divided main road (8 m half
// widths) with "Urbana", whose small island is made for narrow roads.
std::vector<Caso> Casi() {
    std::vector<Caso> casi;
    for (const Campione& c : kCampioni)
        for (const wchar_t* stile : kStili)
            if (std::string(c.file) != "strade-apparente" || std::wstring(stile) != L"Urbana")
                casi.emplace_back(c, stile);
    return casi;
}

class DatiDistribuitiTest : public ComandoTest, public ::testing::WithParamInterface<Caso> {};

TEST_P(DatiDistribuitiTest, EveryLegBuilds) {
    const auto& [campione, stile] = GetParam();
    std::wstring errore;
    ASSERT_TRUE(vplat::ReadDxfFile(std::string(VORTANA_SOURCE "/samples/") + campione.file + ".dxf", m_db.get(),
                                   &errore))
        << U8(errore);
    Script(std::wstring(L"tracciato ") + campione.principale + L"\ntracciato " + campione.secondaria + L"\n");
    comando::Passi(SelezionaECostruisci([stile = CString(stile)](CCmdJunctor& c, CJunctorSettings& s) {
        for (CSecondariaJunctor* ramo : {c.GetIn(), c.GetOut()}) {
            if (ramo) {
                EXPECT_TRUE(comando::CaricaStile(c, s, ramo, stile));
            }
        }
    }));
    CCmdJunctor c;
    ASSERT_TRUE(c.Nuova());
    EXPECT_TRUE(c.GetTuttiCostruiti()) << U8(std::wstring(c.GetLog()));
    EXPECT_EQ((c.GetIn() ? 1 : 0) + (c.GetOut() ? 1 : 0), campione.rami);
    // Whole: every leg has every polyline, its drop island's shoulder too.
    std::map<std::wstring, std::multiset<std::wstring>> perId;
    for (const auto& p : legs::PolilineeIntersezione()) perId[p.dati[0]].insert(p.Codice());
    EXPECT_EQ(static_cast<int>(perId.size()), campione.rami);
    for (const auto& [id, codici] : perId)
        for (const wchar_t* codice : {L"rCIG", L"rBIG", L"rCEIN", L"rBEIN", L"rCEOUT", L"rBEOUT", L"rCIIN", L"rBIIN",
                                      L"rBIOUT"})
            EXPECT_EQ(codici.count(codice), 1u) << U8(id) << " " << U8(codice);
    EXPECT_TRUE(Mismatches().empty());
}

INSTANTIATE_TEST_SUITE_P(Campioni, DatiDistribuitiTest,
                         ::testing::ValuesIn(Casi()),
                         [](const auto& info) {
                             std::string n = std::get<0>(info.param).file;
                             for (char& ch : n)
                                 if (ch == '-') ch = '_';
                             return n + "_" + U8(std::get<1>(info.param));
                         });

}  // namespace
