#include "Allargamenti.h"

#include <cmath>

double CalcAllargamentiCNR_V2(double totale, double finale, double inizio, double fine, double prog,
                              double* allargamento, int /*regola*/, double, double, double) {
    double lunghezza = std::fabs(fine - inizio);
    double t = lunghezza > 0 ? std::fabs(prog - inizio) / lunghezza : 0;
    // Chainages on the far side of the start count as before it.
    if (lunghezza > 0 && (prog - inizio) * (fine - inizio) < 0) t = 0;
    if (t > 1) t = 1;
    // Share of the change done at t: 2 t^2 up to half length, then mirrored.
    double fatto = t <= 0.5 ? 2 * t * t : 1 - 2 * (1 - t) * (1 - t);
    double w = totale + (finale - totale) * fatto;
    if (allargamento) *allargamento = w;
    return w;
}
