// What the plan roundabout tests share: a small roundabout, and a reading of
// extended data by position done as the roundabout model reads it.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "RoundaboutGenerator.h"

namespace piano {

inline double Gradi(double g) { return g * std::acos(-1.0) / 180.0; }

// Two branches: "SP 1" at 45 degrees running away from the ring, "SP 2" at
// 160 degrees running towards it; ring radii 15 and 25 about (500, 300, 12).
inline rotatorie::Rotatoria DueRami() {
    rotatorie::Rotatoria r;
    r.nomePianta = L"PR-PROVA";
    r.nome = L"Rotatoria di prova";
    r.centro = {500, 300, 12};
    rotatorie::Ramo uscente;
    uscente.nome = L"SP 1";
    uscente.nomeInterno = L"TR00000001";
    uscente.angolo = Gradi(45);
    uscente.profilo = {{0.0, 50.0}, {90.0, 51.8}};
    uscente.lista1500 = {{0.0, -2.5, -2.5}, {40.0, -2.0, -3.0}};
    uscente.lista1505 = {{0.0, 0.5, 0.75}};
    rotatorie::Ramo entrante = uscente;
    entrante.nome = L"SP 2";
    entrante.nomeInterno = L"TR00000002";
    entrante.angolo = Gradi(160);
    entrante.versoUscente = false;
    entrante.profilo = {{0.0, 55.0}, {90.0, 52.3}};
    r.rami = {uscente, entrante};
    return r;
}

// The items after the application name of a chain that starts at its 1001
// item: element 0 is position 1. A 1002 item right after the name moves
// every position one further, as the model counts them.
inline std::vector<const resbuf*> Posizioni(const resbuf* catena) {
    std::vector<const resbuf*> out;
    const resbuf* rb = catena ? catena->rbnext : nullptr;
    if (rb && rb->restype == 1002) rb = rb->rbnext;
    for (; rb; rb = rb->rbnext) out.push_back(rb);
    return out;
}

inline std::wstring Testo(const resbuf* rb) {
    return rb && (rb->restype == 1000 || rb->restype == 1002) ? rb->resval.rstring : L"<not a text>";
}

// The entities of one branch (or the circles, ramo -1) with that kind.
inline const rotatorie::Entita* Trova(const std::vector<rotatorie::Entita>& entita, int ramo, const std::wstring& kind) {
    for (const auto& e : entita)
        if (e.ramo == ramo && e.kind == kind && (ramo >= 0 || e.tipo == rotatorie::Entita::Cerchio)) return &e;
    return nullptr;
}

// Distance of a point from the roundabout's centre in plan.
inline double DalCentro(const rotatorie::Rotatoria& r, const roads::Vertex& v) {
    return std::hypot(v.x - r.centro.x, v.y - r.centro.y);
}

}  // namespace piano
