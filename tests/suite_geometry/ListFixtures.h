// Small vertex lists for the geometry tests.
#pragma once

#include <cmath>
#include <initializer_list>

#include "DatiPoli.h"
#include "DatiPoliVertices.h"

namespace fixtures {

const double kPi = std::acos(-1.0);

struct V {
    double x, y, bulge;
};

// A list the test owns, freed at the end of the scope.
class Lista {
public:
    Lista() = default;
    Lista(std::initializer_list<V> vertici, double progIniziale = 0.0) {
        datipoli* coda = nullptr;
        for (const V& v : vertici) {
            ads_point p = {v.x, v.y, 0.0};
            AggpuntoDATIPOLI(p, v.bulge, &m_testa, &coda);
        }
        if (progIniziale != 0.0) ProgDATIPOLI(m_testa, progIniziale, nullptr);
    }
    explicit Lista(datipoli* adottata) : m_testa(adottata) {}
    ~Lista() { LiberaDATIPOLI(&m_testa); }
    Lista(const Lista&) = delete;
    Lista& operator=(const Lista&) = delete;

    datipoli* get() const { return m_testa; }
    datipoli** indirizzo() { return &m_testa; }
    int Conta() const {
        int n = 0;
        for (datipoli* p = m_testa; p; p = p->next) ++n;
        return n;
    }
    const datipoli* Nodo(int i) const {
        datipoli* p = m_testa;
        while (i-- > 0 && p) p = p->next;
        return p;
    }
    const datipoli* Ultimo() const { return Nodo(Conta() - 1); }

private:
    datipoli* m_testa = nullptr;
};

// Quarter circle of radius 10 about the origin from (10, 0) to (0, 10),
// counter-clockwise, then a straight of 10 to (-10, 10).
inline double BulgeQuarto() { return std::tan(kPi / 8); }

}  // namespace fixtures
