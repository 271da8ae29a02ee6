// The rules that tie the parameters of a style together: first dimensions from
// the carriageway width, inner radii, the split of the deflections, and the
// fixed proportions of the three-centred curves. They work on the stored values
// (metres, radians): angles are read and written without unit conversion.
#include "CConstrPars.h"

namespace {

// 70 and 110 degrees with the engine's pi, and their difference.
constexpr double kAngoloMinimo = 1.2217304750000002;
constexpr double kAngoloMassimo = 1.919862175;
constexpr double kDifferenza = -0.6981316999999998;

// 2/15 and 11/15 of a deflection.
constexpr double kQuotaEstrema = 0.13333333333333333;
constexpr double kQuotaCentrale = 0.7333333333333333;

// Proportions of the outer radii of a three-centred curve to its middle one.
constexpr double kRapportoPrimo = 2.5;
constexpr double kRapportoTerzo = 5.5;

double Valore(const CSingleConstrPar& p) { return p.CSingleConstrPar::GetValore(); }
void Imposta(CSingleConstrPar& p, double valore) { p.CSingleConstrPar::SetValore(valore); }

// The larger of a half width and a lane width; the lane width on a tie.
double Maggiore(double semiLarghezza, double larghezzaCorsia) {
    return semiLarghezza > larghezzaCorsia ? semiLarghezza : larghezzaCorsia;
}

}  // namespace

void CConstrPars::ImpostaDimensioni(double w, double incrementoUscita, double incrementoImmissione,
                                    double semiLarghezzaDx, double semiLarghezzaSx) {
    h.SetValore(4.0 * w);
    b1.SetValore(0.55 * w);
    b2.SetValore(1.45 * w);
    riu.SetValore((w + w) + incrementoUscita);
    rie.SetValore((w + w) + incrementoImmissione);
    rre.SetValore(8.0 * w);
    rru.SetValore(16.0 * w);
    Lcu.SetValore(0.5 * w + 0.5);
    Lce.SetValore(0.5 * w > 3.0 ? 0.5 * w : 3.0);
    RaggioInternoImm.SetValore(rre.GetValore() - Maggiore(semiLarghezzaDx, Lce.GetValore()));
    RaggioInternoUsc.SetValore(rru.GetValore() - Maggiore(semiLarghezzaSx, Lcu.GetValore()));
    Ledx.SetValore(Lce.GetValore());
    Ludx.SetValore(Lcu.GetValore());
    Lesx.SetValore(Lce.GetValore());
    Lusx.SetValore(Lcu.GetValore());
}

void CConstrPars::RicalcolaRaggioInternoImmissione(double semiLarghezzaDx) {
    RaggioInternoImm.SetValore(rre.GetValore() - Maggiore(semiLarghezzaDx, Lce.GetValore()));
}

void CConstrPars::RicalcolaRaggioInternoUscita(double semiLarghezzaSx) {
    RaggioInternoUsc.SetValore(rru.GetValore() - Maggiore(semiLarghezzaSx, Lcu.GetValore()));
}

void CConstrPars::RipartisciDeviazioni() {
    Imposta(a1e, m_deviazioneImmissione * kQuotaEstrema);
    Imposta(a3e, Valore(a1e));
    Imposta(a2e, m_deviazioneImmissione * kQuotaCentrale);
    Imposta(a1u, m_deviazioneUscita * kQuotaEstrema);
    Imposta(a3u, Valore(a1u));
    Imposta(a2u, m_deviazioneUscita * kQuotaCentrale);
}

void CConstrPars::AccoppiaRaggi(int lato, bool r1Modificato, bool r2Modificato, bool r3Modificato) {
    CSingleConstrPar& r1 = lato == 1 ? r1e : r1u;
    CSingleConstrPar& r2 = lato == 1 ? r2e : r2u;
    CSingleConstrPar& r3 = lato == 1 ? r3e : r3u;
    if (r1Modificato) {
        Imposta(r2, Valore(r1) / kRapportoPrimo);
        Imposta(r3, Valore(r2) * kRapportoTerzo);
    } else if (r2Modificato) {
        Imposta(r1, Valore(r2) * kRapportoPrimo);
        Imposta(r3, Valore(r2) * kRapportoTerzo);
    } else if (r3Modificato) {
        Imposta(r2, Valore(r3) / kRapportoTerzo);
        Imposta(r1, Valore(r2) * kRapportoPrimo);
    }
}

void CConstrPars::RaggiDaAngoloIncrocio() {
    double a = m_angoloIncrocio;
    if (!(a > kAngoloMinimo && a < kAngoloMassimo)) return;
    // 10 at 70 degrees rising linearly to 20 at 110; the exit radius makes up 30.
    r2e.SetValore((a - kAngoloMassimo) / kDifferenza * 10.0 - (a - kAngoloMinimo) / kDifferenza * 20.0);
    AccoppiaRaggi(1, false, true, false);
    r2u.SetValore((15.0 - r2e.GetValore()) + 15.0);
    AccoppiaRaggi(0, false, true, false);
}

void CConstrPars::RipartisciAngoli(double vecchio, int lato, bool a1Modificato, bool a2Modificato,
                                   bool a3Modificato) {
    CSingleConstrPar& a1 = lato == 1 ? a1e : a1u;
    CSingleConstrPar& a2 = lato == 1 ? a2e : a2u;
    CSingleConstrPar& a3 = lato == 1 ? a3e : a3u;
    // The other two angles give up half of the change each, so the sum stays.
    CSingleConstrPar* modificato;
    CSingleConstrPar* primo;
    CSingleConstrPar* secondo;
    if (a1Modificato) {
        modificato = &a1, primo = &a2, secondo = &a3;
    } else if (a2Modificato) {
        modificato = &a2, primo = &a1, secondo = &a3;
    } else if (a3Modificato) {
        modificato = &a3, primo = &a1, secondo = &a2;
    } else {
        return;
    }
    double d = (Valore(*modificato) - vecchio) * 0.5;
    Imposta(*primo, Valore(*primo) - d);
    Imposta(*secondo, Valore(*secondo) - d);
}
