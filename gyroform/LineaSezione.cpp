#include "LineaSezione.h"

#include <cmath>

namespace {

constexpr double kDistanzaMinima = 1e-6;
const double kPi = std::acos(-1.0);

void Imposta(double p[3], double x, double y, double z) {
    p[0] = x;
    p[1] = y;
    p[2] = z;
}

}  // namespace

bool LineaSezione::calcola(const double a[3], const double b[3], double pendMin, double pendMax) {
    double dx = b[0] - a[0], dy = b[1] - a[1], dz = b[2] - a[2];
    double d = std::hypot(dx, dy);
    if (!(d > kDistanzaMinima)) return false;
    double pendenza = (a[2] - b[2]) / d;
    double assoluta = std::fabs(pendenza);
    colore = pendMin <= assoluta && assoluta <= pendMax ? 3 : 1;
    Imposta(linea[0], a[0], a[1], a[2]);
    Imposta(linea[1], b[0], b[1], b[2]);

    double mx = (a[0] + b[0]) / 2, my = (a[1] + b[1]) / 2, mz = (a[2] + b[2]) / 2;
    bool versoB = pendenza > 0;  // b is the lower end
    if (versoB) {
        Imposta(barba[0], b[0], b[1], b[2]);
        Imposta(barba[1], mx + dx / 3 + dy / 30, my + dy / 3 - dx / 30, b[2]);
        Imposta(posizioneTesto, mx + dx / 3, my + dy / 3, mz + dz / 3);
    } else {
        Imposta(barba[0], a[0], a[1], a[2]);
        Imposta(barba[1], mx - dx / 3 - dy / 30, my - dy / 3 + dx / 30, a[2]);
        Imposta(posizioneTesto, mx - dx / 3, my - dy / 3, mz - dz / 3);
    }
    rotazioneTesto = std::atan2(dy, dx) + (versoB ? kPi : 0.0);
    altezzaTesto = d / 25;
    // Formatted to its own length, whatever the size of the fall.
    testo.Format(L"%.3lf %%", std::fabs(pendenza * 100));
    return true;
}
