// Exporting a model read from a plan: the alignments, their names and the
// profile sheets.
#include <cmath>

#include "ExportFixture.h"

using namespace esportazione;

namespace {

rotatorie::Rotatoria Rami(std::vector<std::pair<const wchar_t*, double>> rami) {
    rotatorie::Rotatoria r;
    r.nomePianta = L"PR-PROVA";
    r.nome = L"Prova";
    r.centro = {200, 100, 0};
    for (auto [nome, gradi] : rami) {
        rotatorie::Ramo ramo;
        ramo.nome = nome;
        ramo.nomeInterno = std::wstring(L"TRR") + nome;
        ramo.angolo = gradi * std::acos(-1.0) / 180.0;
        ramo.profilo = {{0.0, 50.0}, {ramo.lunghezzaTracciato, 51.0}};
        r.rami.push_back(ramo);
    }
    return r;
}

TEST_F(ExportTest, Esplora) {
    for (auto pianta : {Rami({{L"A", 30}}), Rami({{L"A", 0}, {L"B", 20}})}) {
        SetUp();
        ASSERT_EQ(Leggi(pianta), 1);
        EXPECT_EQ(Esporta(), 1);
        for (const Tracciato& t : Tracciati()) {
            std::wcout << t.nome << L" " << t.nomeInterno << L" v=" << t.vertici.size() << L" p=" << t.pendenze.size() << L"\n";
            for (auto& v : t.vertici) std::wcout << L"   " << v.x << L"," << v.y << L" b=" << v.bulge << L" r=" << std::hypot(v.x-200, v.y-100) << L"\n";
        }
        TearDown();
    }
}

}  // namespace
