#include "DistanzaDirezionale.h"

#include <cmath>

#include "SegmentoPoli.h"

int DistPPolyDir(const datipoli* lista, const ads_point punto, double direzione, double distanzaMax,
                 double* distanza, ads_point piede, double* prog, double* valore) {
    if (!lista) return 0;
    vplat::Punto2 p{punto[X], punto[Y]}, u{std::cos(direzione), std::sin(direzione)};
    bool trovato = false;
    double tMigliore = 0, sMigliore = 0, progMigliore = 0;
    const datipoli* nodo = nullptr;
    for (const datipoli* n = lista; n->next; n = n->next) {
        vplat::Segmento seg = vplat::Segmento::DaNodo(n);
        double t[2], s[2];
        int k = seg.IntersecaRetta(p, u, t, s);
        for (int i = 0; i < k; ++i) {
            if (std::fabs(t[i]) > distanzaMax) continue;
            double ds = n->next->prog - n->prog;
            double pr = n->prog + (seg.lunghezza > 0 ? s[i] * ds / seg.lunghezza : 0);
            // Of two meetings equally near, the one earlier along the list.
            if (trovato) {
                double scarto = std::fabs(t[i]) - std::fabs(tMigliore);
                if (scarto > 1e-12 || (scarto >= -1e-12 && pr >= progMigliore)) continue;
            }
            trovato = true;
            tMigliore = t[i];
            sMigliore = s[i];
            progMigliore = pr;
            nodo = n;
        }
    }
    if (!trovato) return 0;
    vplat::Segmento seg = vplat::Segmento::DaNodo(nodo);
    vplat::Punto2 q = seg.PuntoA(sMigliore);
    if (distanza) *distanza = tMigliore;
    if (piede) {
        piede[X] = q.x;
        piede[Y] = q.y;
        piede[Z] = seg.ZA(sMigliore);
    }
    if (prog) *prog = progMigliore;
    if (valore) *valore = seg.DirezioneA(sMigliore);
    return 1;
}
