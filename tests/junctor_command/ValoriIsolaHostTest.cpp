// Island values typed into the main dialog on the bundled drawing, through
// the host: a value the leg cannot hold is refused where it is typed or by
// "Disegna" with the log shown, and what a drawn leg records is what it
// drew, so that its update rebuilds the same leg.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "HostRunner.h"

namespace {

using nlohmann::json;

json LeggiJson(const std::string& file) {
    std::ifstream in(file);
    return json::parse(in);
}

// The intersection polylines of a dump: their extended data items and
// vertices, by handle.
struct Pezzo {
    std::string handle;
    std::vector<json> dati;
    json vertici;
};

std::vector<Pezzo> Pezzi(const json& dump) {
    std::vector<Pezzo> out;
    for (const json& e : dump.at("entities")) {
        if (!e.contains("xdata")) continue;
        for (const json& g : e.at("xdata")) {
            if (g.at("app") != "QV-VORTANA-INTERS-T") continue;
            Pezzo p{e.at("handle").get<std::string>(), {}, e.value("vertices", json::array())};
            for (const json& item : g.at("items")) p.dati.push_back(item.at(1));
            out.push_back(std::move(p));
        }
    }
    return out;
}

// The rows of h, s, b1, b2 (ids 2 to 5) lie 21 pixels apart from y 31.
struct Riga {
    const char* codice;
    int id;
};
const Riga kRighe[] = {{"h", 2}, {"s", 3}, {"b1", 4}, {"b2", 5}};
const char* const kValori[] = {"150", "-45", "0", "abc", "9999", "1e5"};

enum class Esito { kRifiutatoNellAlbero, kRifiutatoDaDisegna, kCostruito };

struct Caso {
    Riga riga;
    const char* valore;
    Esito esito;
};

// What the bundled drawing's leg (SS 16, SP 5, 150 m of axis, DEFAULT)
// makes of each value: none of these h reaches an apex on the leg axis;
// s = 0 builds; every other shift and base part leaves no whole island or
// curb return.
std::vector<Caso> Casi() {
    std::vector<Caso> casi;
    for (const Riga& r : kRighe)
        for (const char* v : kValori) {
            const bool zero = std::string(v) == "0" || std::string(v) == "abc";
            const Esito e = r.id == 2                ? Esito::kRifiutatoNellAlbero
                            : (r.id == 3 && zero)    ? Esito::kCostruito
                                                     : Esito::kRifiutatoDaDisegna;
            casi.push_back({r, v, e});
        }
    return casi;
}

void PrintTo(const Caso& c, std::ostream* os) { *os << c.riga.codice << " = " << c.valore; }

class ValoriIsolaHostTest : public ::testing::TestWithParam<Caso> {
protected:
    static void SetUpTestSuite() {
        s_cartella = new TempFolder;
        s_host = CopyInstallation(*s_cartella, VORTANA_BIN, {"DEFAULTSETTINGS.INI", "Junctor"});
        // The shipped style's h, as a leg drawn without a typed value records it.
        const HostRun r = Esegui("base", "dialog 7001 click 7002\ntracciato SS 16\ntracciato SP 5\ndialog 7001 click 1\n",
                                 VORTANA_SOURCE "/samples/strade-innesto.dxf", "Junctor");
        const std::vector<Pezzo> pezzi = Pezzi(LeggiJson(s_cartella->File("base.json")));
        s_h = r.exitCode == 0 && !pezzi.empty() ? pezzi.front().dati.at(8).get<double>() : -1;
    }
    static void TearDownTestSuite() {
        delete s_cartella;
        s_cartella = nullptr;
    }
    static HostRun Esegui(const std::string& nome, const std::string& script, const std::string& disegno,
                          const std::string& comando) {
        s_cartella->Write(nome + ".txt", script);
        return RunHost(s_host, {"--set", "USERS1=QV-PX", "--drawing", disegno, "--load", "Junctor.arx", "--script",
                                s_cartella->File(nome + ".txt"), "--run", comando, "--save",
                                s_cartella->File(nome + ".dxf"), "--dump", s_cartella->File(nome + ".json")});
    }

    static TempFolder* s_cartella;
    static std::string s_host;
    static double s_h;
};

TempFolder* ValoriIsolaHostTest::s_cartella = nullptr;
std::string ValoriIsolaHostTest::s_host;
double ValoriIsolaHostTest::s_h = -1;

TEST_P(ValoriIsolaHostTest, RefusedWhereTypedOrByDisegnaAndTheUpdateRebuildsWhatWasDrawn) {
    const Caso& c = GetParam();
    const std::string nome = std::string(c.riga.codice) + "_" + (c.valore[0] == '-' ? "m" : "") +
                             (c.valore[0] == '-' ? c.valore + 1 : c.valore);
    const bool rifiutatoDaDisegna = c.esito == Esito::kRifiutatoDaDisegna;
    std::ostringstream script;
    script << "dialog 7001 click 7002\ntracciato SS 16\ntracciato SP 5\n"
           << "dialog 7001 click 7013/30000 at 60," << 31 + 21 * (c.riga.id - 2) << "\n"
           << "dialog 7001 set 7013/30000/" << c.riga.id << "/1000 " << c.valore << "\n"
           << "dialog 7001 click 1\n"
           << (rifiutatoDaDisegna ? "dialog 7003 click 1\n" : "");
    const HostRun disegnato = Esegui(nome, script.str(), VORTANA_SOURCE "/samples/strade-innesto.dxf", "Junctor");
    ASSERT_EQ(disegnato.exitCode, 0) << disegnato.errors << disegnato.transcript;

    // The tree refuses an h whose apex the leg axis cannot reach, says why
    // and keeps the shipped h.
    ASSERT_GT(s_h, 0);
    const bool rifiutatoNellAlbero = c.esito == Esito::kRifiutatoNellAlbero;
    const std::string box = "Valore non accettato: h = ";
    EXPECT_EQ(disegnato.transcript.find(box) != std::string::npos, rifiutatoNellAlbero) << disegnato.transcript;
    if (rifiutatoNellAlbero) {
        char mantenuto[64];
        std::snprintf(mantenuto, sizeof mantenuto, "Si mantiene il valore precedente: h = %g.", s_h);
        EXPECT_NE(disegnato.transcript.find(mantenuto), std::string::npos);
    }

    const json prima = LeggiJson(s_cartella->File(nome + ".json"));
    const std::vector<Pezzo> pezzi = Pezzi(prima);
    if (c.esito == Esito::kCostruito || rifiutatoNellAlbero) {
        EXPECT_EQ(pezzi.size(), 12u);
    }
    // Every piece records what the leg was drawn with.
    const double atteso = rifiutatoNellAlbero ? s_h : std::strtod(c.valore, nullptr);
    for (const Pezzo& p : pezzi) EXPECT_EQ(p.dati.at(7 + c.riga.id - 1).get<double>(), atteso);
    if (pezzi.empty()) return;  // nothing to update

    // The update from the drawn pieces: a whole leg is built again the same,
    // a refused one fails again and stays as it is.
    const std::string agg = nome + "_agg";
    const HostRun aggiornato = Esegui(agg, "clock set 2000000\nentsel " + pezzi.front().handle + "\n" +
                                              (rifiutatoDaDisegna ? "dialog 7003 click 1\n" : ""),
                                      s_cartella->File(nome + ".dxf"), "JunctorAgg");
    ASSERT_EQ(aggiornato.exitCode, 0) << aggiornato.errors << aggiornato.transcript;
    json dopo = LeggiJson(s_cartella->File(agg + ".json"));
    if (rifiutatoDaDisegna) {
        json senzaSeme = prima;
        senzaSeme.erase("handseed");
        dopo.erase("handseed");
        EXPECT_EQ(dopo, senzaSeme);
        return;
    }
    const std::vector<Pezzo> rifatti = Pezzi(dopo);
    ASSERT_EQ(rifatti.size(), pezzi.size());
    for (size_t i = 0; i < pezzi.size(); ++i) {
        EXPECT_EQ(rifatti[i].dati.at(0), "2000000");
        EXPECT_EQ(std::vector<json>(rifatti[i].dati.begin() + 1, rifatti[i].dati.end()),
                  std::vector<json>(pezzi[i].dati.begin() + 1, pezzi[i].dati.end()));
        ASSERT_EQ(rifatti[i].vertici.size(), pezzi[i].vertici.size());
        for (size_t k = 0; k < pezzi[i].vertici.size(); ++k)
            for (int j = 0; j < 4; ++j)
                EXPECT_NEAR(rifatti[i].vertici[k][j].get<double>(), pezzi[i].vertici[k][j].get<double>(), 1e-9);
    }
}

INSTANTIATE_TEST_SUITE_P(Valori, ValoriIsolaHostTest, ::testing::ValuesIn(Casi()), [](const auto& info) {
    std::string v = info.param.valore;
    if (v[0] == '-') v = "minus" + v.substr(1);
    return std::string(info.param.riga.codice) + "_" + v;
});

}  // namespace
