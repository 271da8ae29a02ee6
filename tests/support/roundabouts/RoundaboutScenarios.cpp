#include "RoundaboutScenarios.h"

#include <cmath>
#include <cwchar>

namespace rotatorie {

namespace {

double Gradi(double g) { return g * std::acos(-1.0) / 180.0; }

// A branch of the samples: its alignment with a straight profile from
// chainage 0 to its end, one cross-slope record and one record of second values at 0.
Ramo Ramo_(const wchar_t* nome, const wchar_t* nomeInterno, double gradi, bool uscente, double quota,
           double pendenza, double a, double b) {
    Ramo r;
    r.nome = nome;
    r.nomeInterno = nomeInterno;
    r.angolo = Gradi(gradi);
    r.versoUscente = uscente;
    r.profilo = {{0.0, quota}, {r.lunghezzaTracciato, quota + pendenza * r.lunghezzaTracciato}};
    r.lista1500 = {{0.0, a, b}};
    r.lista1505 = {{0.0, 0.0, 0.0}};
    return r;
}

}  // namespace

std::vector<Campione> Campioni() {
    std::vector<Campione> out;

    Rotatoria sud;
    sud.nomePianta = L"PR-TRE";
    sud.nome = L"Rotatoria Sud";
    sud.centro = {500, 300, 0};
    sud.rami = {Ramo_(L"SP 1", L"TR00000101", 45, true, 50.0, 0.02, -2.5, -2.5),
                Ramo_(L"SP 2", L"TR00000102", 160, false, 55.0, -0.03, -2.0, -3.0),
                Ramo_(L"SP 3", L"TR00000103", 250, true, 50.0, 0.0, -2.5, -2.5)};
    sud.rami[2].divisa = 2.0;
    out.push_back({"rotatoria-tre-rami", L"Rotatoria a tre rami, uno con il tracciato verso l'anello", {sud}});

    Rotatoria ovest;
    ovest.nomePianta = L"PR-OVEST";
    ovest.nome = L"Rotatoria Ovest";
    ovest.centro = {300, 300, 0};
    ovest.rami = {Ramo_(L"SP 10", L"TR00000110", 90, true, 40.0, 0.01, -2.5, -2.5),
                  Ramo_(L"SP 11", L"TR00000111", 210, false, 41.0, -0.01, -2.5, -2.5),
                  Ramo_(L"SP 12", L"TR00000112", 330, true, 40.0, 0.0, -2.0, -2.0)};
    Rotatoria est;
    est.nomePianta = L"PR-EST";
    est.nome = L"Rotatoria Est";
    est.centro = {520, 300, 0};
    est.raggioInterno = 12;
    est.raggioEsterno = 22;
    est.graffe = true;
    est.rami = {Ramo_(L"SP 20", L"TR00000120", 30, false, 42.0, -0.02, -2.5, -2.5),
                Ramo_(L"SP 21", L"TR00000121", 150, true, 40.0, 0.0, -2.5, -2.5),
                Ramo_(L"SP 22", L"TR00000122", 270, true, 40.0, 0.015, -3.0, -2.0)};
    for (Ramo& r : est.rami) {
        r.semiEsterno = 5.0;
        r.semiIsolaAnello = 1.5;
        r.semiIsolaPunta = 0.4;
        r.lunghezzaIsola = 15.0;
        r.lunghezzaRamo = 30.0;
    }
    out.push_back({"rotatorie-due", L"Due rotatorie affiancate, la seconda con i dati tra parentesi graffe", {ovest, est}});
    return out;
}

Rotatoria TreRamiPiatti() {
    Rotatoria r = Campioni().front().rotatorie.front();
    r.raggioInterno = 15;
    r.raggioEsterno = 25;
    const double quote[3] = {50.0, 51.0, 55.0};
    for (size_t i = 0; i < r.rami.size(); ++i)
        r.rami[i].profilo = {{0.0, quote[i]}, {r.rami[i].lunghezzaTracciato, quote[i]}};
    return r;
}

Rotatoria SeiRami() {
    Rotatoria r;
    r.nomePianta = L"PR-SEI";
    r.nome = L"Rotatoria Sei";
    r.centro = {1000, 1000, 0};
    r.raggioInterno = 20;
    r.raggioEsterno = 28;
    for (int i = 0; i < 6; ++i) {
        wchar_t nome[16], interno[16];
        std::swprintf(nome, 16, L"SR %d", i + 1);
        std::swprintf(interno, 16, L"TR000002%02d", i + 1);
        double pendenza = (i % 2 ? -1.0 : 1.0) * (0.005 + 0.005 * i);
        Ramo ramo = Ramo_(nome, interno, 60.0 * i, i % 3 != 1, 50.0 + 0.5 * i, 0.0, -2.5, -2.5);
        ramo.lunghezzaRamo = 40.0;
        ramo.lunghezzaIsola = 25.0;
        ramo.lunghezzaTracciato = 120.0;
        ramo.profilo = {{0.0, 50.0 + 0.5 * i}, {120.0, 50.0 + 0.5 * i + 120.0 * pendenza}};
        r.rami.push_back(ramo);
    }
    return r;
}

}  // namespace rotatorie
