#include "CalcoloCorsie.h"

#include <cfloat>
#include <climits>
#include <cmath>

#include "CJunctorSettings.h"
#include "CLanePars.h"

namespace {

double Quadrato(double x) { return x * x; }

// Once i! is infinite every further term is 0, until x^i overflows as well and
// the term becomes inf / inf. Tells whether that happens for some i <= m past i0.
bool DiventaIndefinita(double x, long long i0, long long m) {
    if (!(std::fabs(x) > 1.0)) return false;
    double stima = std::floor(std::log(DBL_MAX) / std::log(std::fabs(x)));
    long long j = stima - 2.0 < static_cast<double>(i0 + 1) ? i0 + 1 : static_cast<long long>(stima - 2.0);
    if (j > m) return false;
    while (j > i0 + 1 && std::isinf(std::pow(x, static_cast<double>(j - 1)))) --j;
    while (j <= m && !std::isinf(std::pow(x, static_cast<double>(j)))) ++j;
    return j <= m;
}

}  // namespace

int NumeroK(double q) {
    double k = ((std::pow(q, 3.0) * 1e-9 - q * q * 3e-6) + q * 0.0049) - 0.8167;
    if (std::isnan(k)) return 0;
    if (k >= static_cast<double>(INT_MAX)) return INT_MAX;
    if (k <= static_cast<double>(INT_MIN)) return INT_MIN;
    return static_cast<int>(k);
}

double Fattoriale(int n) {
    double f = 1.0;
    for (int i = 1; i <= n && !std::isinf(f); ++i) f *= static_cast<double>(i);
    return f;
}

double SommaEsponenzialeParziale(double x, long long m) {
    double somma = 0.0;
    // i!, built in the same order of products as Fattoriale.
    double fattoriale = 1.0;
    for (long long i = 0; i <= m; ++i) {
        if (i > 1) fattoriale *= static_cast<double>(i);
        somma += std::pow(x, static_cast<double>(i)) / fattoriale;
        if (std::isnan(somma)) break;
        if (std::isinf(fattoriale)) {
            // The remaining terms add nothing, or make the sum not a number.
            if (DiventaIndefinita(x, i, m)) somma = NAN;
            break;
        }
    }
    return somma;
}

double TempoMedioServizio(double t, int k, double q) {
    double x = k * q * t / 3600.0;
    double s = SommaEsponenzialeParziale(x, k);
    double e = k == 1 ? 1.0 : SommaEsponenzialeParziale(x, static_cast<long long>(k) - 1);
    return ((std::exp(x) - s) / (e * q) + t / 3600.0) * 3600.0;
}

double VarianzaServizio(double t, int k, double q, double es) {
    double x = k * q * t / 3600.0;
    double e = k == 1 ? 1.0 : SommaEsponenzialeParziale(x, static_cast<long long>(k) - 1);
    double s = SommaEsponenzialeParziale(x, static_cast<long long>(k) + 1);
    double k1 = static_cast<double>(k) + 1.0;
    return (Quadrato(es / 3600.0 - t / 3600.0) + (std::exp(x) - s) * k1 / (q * q * k * e)) * 12960000.0;
}

double TempoMedioSistema(double es, double varianza, double q2) {
    // Pollaczek-Khinchine, in hours: arrival rate Q2, service time B with its variance.
    double b = es / 3600.0;
    return ((b * b + varianza / 12960000.0) * q2 / (2.0 * (1.0 - q2 * es / 3600.0)) + b) * 3600.0;
}

double LunghezzaManovraImm(double velocita) { return velocita > 80.0 ? 75.0 : 50.0; }

double LunghezzaManovraSx(double velocita) { return velocita >= 60.0 ? 30.0 : 20.0; }

void CJunctorSettings::CalcolaCorsie() {
    if (!m_parCorsie) return;
    CLanePars& p = *m_parCorsie;

    // Entry lane.
    p.IAccLae.SetValore((p.IAccVf.GetValore() * p.IAccVf.GetValore() - p.IAccVi.GetValore() * p.IAccVi.GetValore()) /
                        (p.IAcca.GetValore() * 25.92));
    p.IImmT.SetValore((p.IImmV.GetValore() - p.IImmVi.GetValore()) / (p.IImma.GetValore() * 7.2) +
                      (p.IImmd.GetValore() + p.IImmd.GetValore()));
    int kImm = NumeroK(p.IImmQ1.GetValore());
    p.IImmK.SetValore(kImm);
    p.IImmEs.SetValore(TempoMedioServizio(p.IImmT.GetValore(), kImm, p.IImmQ1.GetValore()));
    p.IImmVars.SetValore(
        VarianzaServizio(p.IImmT.GetValore(), kImm, p.IImmQ1.GetValore(), p.IImmEs.GetValore()));
    p.IImmEw.SetValore(TempoMedioSistema(p.IImmEs.GetValore(), p.IImmVars.GetValore(), p.IImmQ2.GetValore()));
    p.IImmEq.SetValore(p.IImmQ2.GetValore() / 3600.0 * p.IImmEw.GetValore());
    p.IImmLie.SetValore(p.IImmEq.GetValore() * 12.0);
    p.IManLve.SetValore(LunghezzaManovraImm(p.IManVp.GetValore()));
    p.IManR.SetValore(p.IManLve.GetValore() * p.IManLve.GetValore() / (p.IManb.GetValore() * 4.5));

    // Exit lane.
    p.UManR.SetValore(p.UManLmu.GetValore() * p.UManLmu.GetValore() / (p.UManb.GetValore() * 4.5));
    p.UDecLdu.SetValore((Quadrato(p.UDecVf.GetValore() / 3.6) - Quadrato(p.UDecVi.GetValore() / 3.6)) /
                        (p.UDeca.GetValore() + p.UDeca.GetValore()));

    // Left-turn lane.
    int kSx = NumeroK(p.SAcuQ1.GetValore());
    p.SAcuK.SetValore(kSx);
    p.SAcuEs.SetValore(TempoMedioServizio(p.SAcuT.GetValore(), kSx, p.SAcuQ1.GetValore()));
    p.SAcuVars.SetValore(VarianzaServizio(p.SAcuT.GetValore(), kSx, p.SAcuQ1.GetValore(), p.SAcuEs.GetValore()));
    p.SAcuEw.SetValore(TempoMedioSistema(p.SAcuEs.GetValore(), p.SAcuVars.GetValore(), p.SAcuQ2.GetValore()));
    p.SAcuEq.SetValore(p.SAcuQ2.GetValore() / 3600.0 * p.SAcuEw.GetValore());
    p.SAcuLaa.SetValore(p.SAcuLv.GetValore() * (p.SAcuEq.GetValore() + p.SAcuEq.GetValore()));
    p.SDecLda.SetValore((Quadrato(p.SDecVf.GetValore() / 3.6) - Quadrato(p.SDecVi.GetValore() / 3.6)) /
                        (p.SDeca.GetValore() + p.SDeca.GetValore()));
    p.SManLma.SetValore(LunghezzaManovraSx(p.SManVp.GetValore()));
    p.SManR.SetValore(p.SManLma.GetValore() * p.SManLma.GetValore() / (p.SManb.GetValore() * 4.5));
    p.SRacLva.SetValore(std::sqrt(p.SRacd1.GetValore()) * (p.SRacVp.GetValore() * 0.6));
    p.SRacRI1.SetValore(p.SRacLva.GetValore() * p.SRacLva.GetValore() / (p.SRacd1.GetValore() * 4.5));
    p.SRacRI2.SetValore(p.SRacLva.GetValore() * p.SRacLva.GetValore() / (p.SRacd2.GetValore() * 4.5));
}
