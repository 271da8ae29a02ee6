#include "RoadScenarios.h"

#include <cmath>

namespace roads {

std::vector<Scenario> Scenari() {
    const double pi = std::acos(-1.0);
    std::vector<Scenario> s;

    Strada principale = Rettilineo(L"SS 16", {-200, 0, 0}, {200, 0, 0});
    Strada laterale = Rettilineo(L"SP 5", {0, -150, 0}, {0, 0, 0});
    laterale.semiDx = laterale.semiSx = 3.0;
    laterale.banchinaDx = laterale.banchinaSx = 1.0;
    s.push_back({"strade-innesto", L"Strada secondaria che termina sulla principale", {principale, laterale}});

    Strada curva = Curva(L"SS 9", {-220, 0, 0}, 220, 400, pi / 6, 150);
    curva.progIniziale = 1000;
    // The secondary road crosses the arc of radius 400 (centre (0, 400)) at
    // right angles, through the middle of the arc.
    const double t = pi / 12;
    const Vertex medio{400 * std::sin(t), 400 - 400 * std::cos(t), 0};
    const double ux = std::sin(t), uy = -std::cos(t);
    Strada attraverso =
        Rettilineo(L"SP 21", {medio.x + 150 * ux, medio.y + 150 * uy, 0}, {medio.x - 150 * ux, medio.y - 150 * uy, 0});
    s.push_back({"strade-incrocio-curva", L"Strada principale in curva attraversata dalla secondaria",
                 {curva, attraverso}});

    Strada divisa = Rettilineo(L"SS 1", {-200, 0, 0}, {200, 0, 0});
    divisa.progIniziale = 250;
    divisa.semiDx = divisa.semiSx = 8.0;
    divisa.semiIsola = 1.5;
    Strada corta = Rettilineo(L"SP 40", {20, -160, 0}, {20, -25, 0});
    s.push_back({"strade-apparente", L"Strada principale a carreggiate separate, secondaria che si ferma prima",
                 {divisa, corta}});
    return s;
}

}  // namespace roads
