// Points at a chainage and feet of points on a vertex list.
#include <cmath>

#include "DatiPoli.h"
#include "SegmentoPoli.h"

using vplat::Punto2;
using vplat::Segmento;

int XYdaProgsuDatiPoli(const datipoli* lista, double prog, ads_point punto, double* direzione) {
    if (!lista) return 1;
    const double tol = vplat::kTolLunghezza;
    if (!lista->next) {
        if (std::fabs(prog - lista->prog) > tol) return 1;
        punto[X] = lista->x;
        punto[Y] = lista->y;
        punto[Z] = lista->z;
        if (direzione) *direzione = 0;
        return 0;
    }
    for (const datipoli* n = lista; n->next; n = n->next) {
        double s0 = n->prog, s1 = n->next->prog;
        if (prog < s0 - tol) return 1;
        if (prog > s1 + tol) continue;
        // A vertex between two segments belongs to the one that starts there,
        // except at the end of the list.
        if (prog > s1 - tol && n->next->next && n->next->next->prog > s1) continue;
        Segmento seg = Segmento::DaNodo(n);
        double t = s1 > s0 ? (prog - s0) * seg.lunghezza / (s1 - s0) : 0;
        if (t < 0) t = 0;
        if (t > seg.lunghezza) t = seg.lunghezza;
        Punto2 p = seg.PuntoA(t);
        punto[X] = p.x;
        punto[Y] = p.y;
        punto[Z] = seg.ZA(t);
        if (direzione) *direzione = seg.DirezioneA(t);
        return 0;
    }
    return 1;
}

int DistPPoly(const datipoli* lista, const ads_point punto, double* distanza, ads_point piede, double* progPiede,
              double* direzione, ads_point centro, double* valore, int modo) {
    if (!lista) return 0;
    const Punto2 p{punto[X], punto[Y]};
    bool trovato = false;
    double migliore = 0;
    Punto2 f{0, 0};
    double fz = 0, fs = 0, fdir = 0;
    double cx = 0, cy = 0, cz = 0;
    auto Candidato = [&](double d, Punto2 q, double z, double s, double dir, const datipoli* n) {
        // Ties keep the foot met first along the list.
        if (trovato && d >= migliore - 1e-12) return;
        trovato = true;
        migliore = d;
        f = q;
        fz = z;
        fs = s;
        fdir = dir;
        cx = n->xc;
        cy = n->yc;
        cz = n->zc;
        if (n->next && n->bulge != 0.0) {
            Segmento seg = Segmento::DaNodo(n);
            cx = seg.c.x;
            cy = seg.c.y;
            cz = n->z;
        }
    };
    const datipoli* precedente = nullptr;
    for (const datipoli* n = lista; n; precedente = n, n = n->next) {
        bool interno = n != lista && n->next;
        if (interno || modo == 0) {
            // A vertex is a foot of every point in the corner it makes.
            double dir;
            if (!n->next) {
                dir = Segmento::DaNodo(precedente).DirezioneA(Segmento::DaNodo(precedente).lunghezza);
            } else if (!precedente) {
                dir = Segmento::DaNodo(n).DirezioneA(0);
            } else {
                Segmento in = Segmento::DaNodo(precedente), out = Segmento::DaNodo(n);
                double a = in.DirezioneA(in.lunghezza), b = out.DirezioneA(0);
                double bx = std::cos(a) + std::cos(b), by = std::sin(a) + std::sin(b);
                dir = std::hypot(bx, by) < 1e-12 ? a : vplat::Normalizza(std::atan2(by, bx));
            }
            Punto2 q{n->x, n->y};
            Candidato(vplat::Distanza(p, q), q, n->z, n->prog, dir, n->next ? n : precedente);
        }
        if (!n->next) break;
        Segmento seg = Segmento::DaNodo(n);
        bool dentro = false;
        double t = seg.Proietta(p, &dentro);
        if (!dentro && modo != 0) continue;
        Punto2 q = seg.PuntoA(t);
        double s0 = n->prog, s1 = n->next->prog;
        double s = seg.lunghezza > 0 ? s0 + t * (s1 - s0) / seg.lunghezza : s0;
        Candidato(vplat::Distanza(p, q), q, seg.ZA(t), s, seg.DirezioneA(t), n);
    }
    if (!trovato) return 0;
    // Positive on the right: the cross product of the direction and the
    // point's offset is negative there.
    double ux = std::cos(fdir), uy = std::sin(fdir);
    double croce = ux * (p.y - f.y) - uy * (p.x - f.x);
    if (distanza) *distanza = croce > 0 ? -migliore : migliore;
    if (piede) {
        piede[X] = f.x;
        piede[Y] = f.y;
        piede[Z] = fz;
    }
    if (progPiede) *progPiede = fs;
    if (direzione) *direzione = fdir;
    if (centro) {
        centro[X] = cx;
        centro[Y] = cy;
        centro[Z] = cz;
    }
    if (valore) *valore = migliore;
    return 1;
}
