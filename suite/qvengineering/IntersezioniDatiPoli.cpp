#include "IntersezioniDatiPoli.h"

#include <algorithm>
#include <cmath>

#include "SegmentoPoli.h"

namespace vplat {

namespace {

constexpr double kTolChiusura = 1e-6;
constexpr double kTolCoincidenti = 1e-6;

struct Tratto {
    Segmento seg;
    double prog0;  // chainage at the segment's start along its list
    double scala;  // chainage per unit length
};

// The segments of a list, with its extensions when it is open.
std::vector<Tratto> Tratti(const datipoli* lista, double estensione) {
    std::vector<Tratto> t;
    if (!lista) return t;
    for (const datipoli* n = lista; n->next; n = n->next) {
        Segmento s = Segmento::DaNodo(n);
        if (s.lunghezza < kTolLunghezza) continue;
        double ds = n->next->prog - n->prog;
        t.push_back({s, n->prog, ds > 0 ? ds / s.lunghezza : 1.0});
    }
    if (t.empty() || estensione == 0.0 || DatiPoliChiusa(lista)) return t;
    double e = std::fabs(estensione);
    const Segmento& primo = t.front().seg;
    double d0 = primo.DirezioneA(0);
    Segmento inizio = Segmento::Da(primo.a.x - e * std::cos(d0), primo.a.y - e * std::sin(d0), primo.za, primo.a.x,
                                   primo.a.y, primo.za, 0);
    const Segmento& ultimo = t.back().seg;
    double d1 = ultimo.DirezioneA(ultimo.lunghezza);
    Segmento fine = Segmento::Da(ultimo.b.x, ultimo.b.y, ultimo.zb, ultimo.b.x + e * std::cos(d1),
                                 ultimo.b.y + e * std::sin(d1), ultimo.zb, 0);
    double progFine = t.back().prog0 + ultimo.lunghezza * t.back().scala;
    t.insert(t.begin(), Tratto{inizio, t.front().prog0 - e, 1.0});
    t.push_back({fine, progFine, 1.0});
    return t;
}

}  // namespace

bool DatiPoliChiusa(const datipoli* lista) {
    if (!lista || !lista->next) return false;
    const datipoli* ultimo = lista;
    while (ultimo->next) ultimo = ultimo->next;
    return std::hypot(ultimo->x - lista->x, ultimo->y - lista->y) < kTolChiusura;
}

std::vector<Incrocio> IntersezioniDatiPoli(const datipoli* a, const datipoli* b, double estensioneA,
                                           double estensioneB) {
    std::vector<Incrocio> tutti;
    std::vector<Tratto> ta = Tratti(a, estensioneA), tb = Tratti(b, estensioneB);
    for (const Tratto& sa : ta) {
        for (const Tratto& sb : tb) {
            Punto2 p[2];
            double s1[2], s2[2];
            int n = sa.seg.Interseca(sb.seg, p, s1, s2);
            for (int i = 0; i < n; ++i)
                tutti.push_back({p[i].x, p[i].y, sa.seg.ZA(s1[i]), sa.prog0 + s1[i] * sa.scala});
        }
    }
    std::stable_sort(tutti.begin(), tutti.end(),
                     [](const Incrocio& u, const Incrocio& v) { return u.progA < v.progA; });
    // A crossing at a shared vertex is met on both segments: keep it once.
    std::vector<Incrocio> uniti;
    for (const Incrocio& c : tutti) {
        bool doppio = false;
        for (const Incrocio& u : uniti)
            if (std::hypot(u.x - c.x, u.y - c.y) < kTolCoincidenti) doppio = true;
        if (!doppio) uniti.push_back(c);
    }
    return uniti;
}

}  // namespace vplat
