#include "TricentricaTangente.h"

#include <cmath>

namespace {

constexpr double kPi = 3.14159265358979323846;
// Step of the search for the deflection, and the most it may grow.
constexpr double kPasso = kPi / 720;
constexpr double kCrescitaMassima = kPi / 2;

struct Curva {
    double px[4], py[4];  // points, the start at the origin heading along +x
    double cx[3], cy[3];  // arc centres
    double fine;          // direction from the last centre to the end
};

// The curve in its own frame, turning counter-clockwise.
Curva CurvaLocale(const double raggi[3], const double quote[3], double deviazione) {
    Curva c{};
    double theta = -kPi / 2;
    for (int i = 0; i < 3; ++i) {
        c.cx[i] = c.px[i] - raggi[i] * std::cos(theta);
        c.cy[i] = c.py[i] - raggi[i] * std::sin(theta);
        theta += quote[i] * deviazione;
        c.px[i + 1] = c.cx[i] + raggi[i] * std::cos(theta);
        c.py[i + 1] = c.cy[i] + raggi[i] * std::sin(theta);
    }
    c.fine = theta;
    return c;
}

// Where the circle's centre must lie, in the curve's frame, for the curve to
// end tangent to the circle from inside: the last centre moved back along the
// end's normal by the difference of the radii.
void CentroRichiesto(const Curva& c, double ultimoRaggio, double raggioCerchio, double& x, double& y) {
    x = c.cx[2] - (raggioCerchio - ultimoRaggio) * std::cos(c.fine);
    y = c.cy[2] - (raggioCerchio - ultimoRaggio) * std::sin(c.fine);
}

// The curve's frame: from the origin along the first line, and across it
// towards the side the curve turns to.
struct Riferimento {
    double ox, oy, ux, uy, vx, vy;
    bool antiorario;
    bool Imposta(const ads_point origine, const ads_point verso, const ads_point lato) {
        ux = verso[0] - origine[0];
        uy = verso[1] - origine[1];
        const double l = std::hypot(ux, uy);
        if (!(l > 0)) return false;
        ux /= l;
        uy /= l;
        const double croce = ux * (lato[1] - origine[1]) - uy * (lato[0] - origine[0]);
        if (croce == 0) return false;
        antiorario = croce > 0;
        const double f = antiorario ? 1.0 : -1.0;
        vx = -f * uy;
        vy = f * ux;
        ox = origine[0];
        oy = origine[1];
        return true;
    }
    void Locale(double x, double y, double& lx, double& ly) const {
        lx = (x - ox) * ux + (y - oy) * uy;
        ly = (x - ox) * vx + (y - oy) * vy;
    }
    AcGePoint3d Mondo(double x, double y) const { return AcGePoint3d(ox + x * ux + y * vx, oy + x * uy + y * vy, 0); }
};

bool RaggiValidi(const double raggi[3], const double quote[3]) {
    for (int i = 0; i < 3; ++i)
        if (!(raggi[i] > 0) || !std::isfinite(raggi[i]) || !(quote[i] > 0)) return false;
    return true;
}

// The curve slid by s along the first line, in drawing coordinates.
void Riporta(const Riferimento& r, const Curva& c, double s, AcGePoint3dArray& punti, AcGePoint3dArray& centri) {
    punti.setLogicalLength(0);
    centri.setLogicalLength(0);
    for (int i = 0; i < 4; ++i) punti.append(r.Mondo(s + c.px[i], c.py[i]));
    for (int i = 0; i < 3; ++i) centri.append(r.Mondo(s + c.cx[i], c.cy[i]));
}

}  // namespace

bool TricentricaTangenteAlCerchio(const ads_point origine, const ads_point verso, const ads_point lato,
                                  const double raggi[3], const double quote[3], double deviazioneMinima,
                                  const circ& cerchio, AcGePoint3dArray& punti, AcGePoint3dArray& centri,
                                  double& deviazione, bool& antiorario) {
    if (!RaggiValidi(raggi, quote)) return false;
    if (!(cerchio.raggio > 0) || !std::isfinite(deviazioneMinima)) return false;
    Riferimento r;
    if (!r.Imposta(origine, verso, lato)) return false;
    double xc = 0, yc = 0;
    r.Locale(cerchio.xc, cerchio.yc, xc, yc);

    // Sliding the curve along the line moves the required centre along it
    // too: only its distance from the line decides the deflection.
    auto scarto = [&](double y) {
        double x = 0, yr = 0;
        CentroRichiesto(CurvaLocale(raggi, quote, y), raggi[2], cerchio.raggio, x, yr);
        return yr - yc;
    };
    const double limite = std::fmin(deviazioneMinima + kCrescitaMassima, kPi - kPasso);
    double a = std::fmax(deviazioneMinima, 0.0), fa = scarto(a);
    bool trovato = fa == 0;
    double y = a;
    while (!trovato && a < limite) {
        const double b = std::fmin(a + kPasso, limite);
        const double fb = scarto(b);
        if ((fa < 0) != (fb < 0) || fb == 0) {
            // Bisection down to rounding.
            double basso = a, alto = b, fbasso = fa;
            for (int k = 0; k < 100 && alto - basso > 1e-15; ++k) {
                const double m = 0.5 * (basso + alto), fm = scarto(m);
                if ((fm < 0) == (fbasso < 0) && fm != 0) {
                    basso = m;
                    fbasso = fm;
                } else {
                    alto = m;
                }
            }
            y = 0.5 * (basso + alto);
            trovato = true;
        }
        a = b;
        fa = fb;
    }
    if (!trovato) return false;

    const Curva c = CurvaLocale(raggi, quote, y);
    double xr = 0, yr = 0;
    CentroRichiesto(c, raggi[2], cerchio.raggio, xr, yr);
    Riporta(r, c, xc - xr, punti, centri);
    deviazione = y;
    antiorario = r.antiorario;
    return true;
}

bool TricentricaTangenteAllaRetta(const ads_point origine, const ads_point verso, const ads_point lato,
                                  const double raggi[3], const double quote[3], const ads_point punto,
                                  double direzione, AcGePoint3dArray& punti, AcGePoint3dArray& centri,
                                  double& deviazione, bool& antiorario) {
    if (!RaggiValidi(raggi, quote) || !std::isfinite(direzione)) return false;
    Riferimento r;
    if (!r.Imposta(origine, verso, lato)) return false;
    // The line in the curve's frame: a point and the direction, whose angle
    // from the first line is the deflection.
    double tx = 0, ty = 0;
    r.Locale(punto[0], punto[1], tx, ty);
    const double dx = std::cos(direzione) * r.ux + std::sin(direzione) * r.uy;
    const double dy = std::cos(direzione) * r.vx + std::sin(direzione) * r.vy;
    const double y = std::atan2(dy, dx);
    if (!(y > 0) || !(y < kPi - kPasso) || std::fabs(dy) < 1e-9) return false;
    // Slid along the first line until its end lies on the line.
    const Curva c = CurvaLocale(raggi, quote, y);
    const double s = tx - c.px[3] + dx * (c.py[3] - ty) / dy;
    Riporta(r, c, s, punti, centri);
    deviazione = y;
    antiorario = r.antiorario;
    return true;
}
