#include "DatiPoli.h"

#include <cmath>
#include <new>
#include <vector>

#include "SegmentoPoli.h"

using vplat::Segmento;

namespace {

// Radius, centre and length of the segment that starts at n.
void CompletaSegmento(datipoli* n) {
    if (!n->next) {
        n->raggio = 0;
        n->xc = n->yc = n->zc = 0;
        n->lung = 0;
        return;
    }
    Segmento s = Segmento::DaNodo(n);
    n->lung = s.lunghezza;
    if (s.arco) {
        n->raggio = s.r;
        n->xc = s.c.x;
        n->yc = s.c.y;
        n->zc = n->z;
    } else {
        n->raggio = 0;
        n->xc = n->yc = n->zc = 0;
    }
}

datipoli* NuovoNodo(double x, double y, double z, double bulge) {
    datipoli* n = new (std::nothrow) datipoli{};
    if (!n) return nullptr;
    n->x = x;
    n->y = y;
    n->z = z;
    n->bulge = bulge;
    return n;
}

struct Vertice {
    double x, y, z, bulge;
};

// Builds a list from vertices; null when there are none.
datipoli* Costruisci(const std::vector<Vertice>& v, double progIniziale) {
    datipoli* testa = nullptr;
    datipoli* coda = nullptr;
    for (const Vertice& p : v) {
        ads_point q = {p.x, p.y, p.z};
        if (!AggpuntoDATIPOLI(q, p.bulge, &testa, &coda)) {
            LiberaDATIPOLI(&testa);
            return nullptr;
        }
    }
    if (testa) ProgDATIPOLI(testa, progIniziale, nullptr);
    return testa;
}

}  // namespace

int AggpuntoDATIPOLI(const ads_point punto, double bulge, datipoli** testa, datipoli** coda) {
    if (!testa || !coda) return 0;
    datipoli* n = NuovoNodo(punto[X], punto[Y], punto[Z], bulge);
    if (!n) return 0;
    if (!*coda && *testa) {
        datipoli* fine = *testa;
        while (fine->next) fine = fine->next;
        *coda = fine;
    }
    if (!*coda) {
        *testa = *coda = n;
        return 1;
    }
    datipoli* prima = *coda;
    prima->next = n;
    CompletaSegmento(prima);
    n->prog = prima->prog + prima->lung;
    *coda = n;
    return 1;
}

void LiberaDATIPOLI(datipoli** testa) {
    if (!testa) return;
    datipoli* n = *testa;
    while (n) {
        datipoli* dopo = n->next;
        delete n;
        n = dopo;
    }
    *testa = nullptr;
}

int ProgDATIPOLI(datipoli* lista, double progIniziale, double* lunghezza) {
    if (!lista) return 0;
    double s = progIniziale;
    for (datipoli* n = lista; n; n = n->next) {
        n->prog = s;
        CompletaSegmento(n);
        s += n->lung;
    }
    if (lunghezza) *lunghezza = s - progIniziale;
    return 1;
}

datipoli* allocaDATIPOLI(const datipoli* lista) {
    datipoli* testa = nullptr;
    datipoli* coda = nullptr;
    for (const datipoli* n = lista; n; n = n->next) {
        datipoli* c = new (std::nothrow) datipoli(*n);
        if (!c) {
            LiberaDATIPOLI(&testa);
            return nullptr;
        }
        c->next = nullptr;
        if (coda)
            coda->next = c;
        else
            testa = c;
        coda = c;
    }
    return testa;
}

datipoli* allocaDATIPOLI_Da_Cerchio(const ads_point centro, double raggio) {
    if (!(raggio > 0)) return nullptr;
    double x = centro[X], y = centro[Y], z = centro[Z];
    return Costruisci({{x + raggio, y, z, 1.0}, {x - raggio, y, z, 1.0}, {x + raggio, y, z, 0.0}}, 0.0);
}

int estraiCopiaDATIPOLI(const datipoli* lista, const double* progDa, const double* progA, datipoli** copia) {
    if (!lista || !copia) return 0;
    const datipoli* ultimo = lista;
    while (ultimo->next) ultimo = ultimo->next;
    double inizio = lista->prog, fine = ultimo->prog;
    double a = progDa ? *progDa : inizio;
    double b = progA ? *progA : fine;
    if (a > b + vplat::kTolLunghezza) return 0;
    if (a < inizio) a = inizio;
    if (b > fine) b = fine;
    if (a > fine) a = fine;
    if (b < inizio) b = inizio;
    if (b < a) b = a;

    std::vector<Vertice> v;
    for (const datipoli* n = lista; n->next; n = n->next) {
        double s0 = n->prog, s1 = n->next->prog;
        if (s1 <= a + vplat::kTolLunghezza || s0 >= b - vplat::kTolLunghezza) continue;
        Segmento seg = Segmento::DaNodo(n);
        double scala = s1 > s0 ? seg.lunghezza / (s1 - s0) : 0;
        double da = (std::fmax(a, s0) - s0) * scala;
        double fino = (std::fmin(b, s1) - s0) * scala;
        double bulge = 0;
        if (seg.arco && seg.lunghezza > 0) bulge = std::tan(seg.sweep * (fino - da) / seg.lunghezza / 4);
        if (v.empty()) {
            vplat::Punto2 p = seg.PuntoA(da);
            v.push_back({p.x, p.y, seg.ZA(da), 0});
        }
        v.back().bulge = bulge;
        vplat::Punto2 q = seg.PuntoA(fino);
        v.push_back({q.x, q.y, seg.ZA(fino), 0});
    }
    if (v.empty()) {
        // A single point: the part between equal chainages.
        for (const datipoli* n = lista; n; n = n->next) {
            if (!n->next || n->next->prog >= a) {
                if (!n->next) {
                    v.push_back({n->x, n->y, n->z, 0});
                } else {
                    Segmento seg = Segmento::DaNodo(n);
                    double s0 = n->prog, s1 = n->next->prog;
                    double t = s1 > s0 ? (a - s0) * seg.lunghezza / (s1 - s0) : 0;
                    vplat::Punto2 p = seg.PuntoA(t);
                    v.push_back({p.x, p.y, seg.ZA(t), 0});
                }
                break;
            }
        }
    }
    *copia = Costruisci(v, 0.0);
    return *copia ? 1 : 0;
}

void InvertiDatiPoli(datipoli** testa) {
    if (!testa || !*testa) return;
    double progIniziale = (*testa)->prog;
    datipoli* prima = nullptr;
    datipoli* n = *testa;
    // Walking forward, each node takes the negated bulge of the node that
    // will follow it in the reversed list, which held the same segment.
    double bulgeSegmento = 0;
    while (n) {
        datipoli* dopo = n->next;
        double proprio = n->bulge;
        n->bulge = bulgeSegmento;
        bulgeSegmento = -proprio;
        n->next = prima;
        prima = n;
        n = dopo;
    }
    *testa = prima;
    ProgDATIPOLI(*testa, progIniziale, nullptr);
}

void RototraslaDATIPOLI(datipoli* lista, const ads_matrix m) {
    if (!lista) return;
    double det = m[0][0] * m[1][1] - m[0][1] * m[1][0];
    for (datipoli* n = lista; n; n = n->next) {
        double x = n->x, y = n->y, z = n->z;
        n->x = m[0][0] * x + m[0][1] * y + m[0][2] * z + m[0][3];
        n->y = m[1][0] * x + m[1][1] * y + m[1][2] * z + m[1][3];
        n->z = m[2][0] * x + m[2][1] * y + m[2][2] * z + m[2][3];
        if (det < 0) n->bulge = -n->bulge;
    }
    ProgDATIPOLI(lista, lista->prog, nullptr);
}
