// The island triangle of a leg, its crossing angle and deflections.
#include <algorithm>
#include <cmath>

#include "Angoli.h"
#include "CPrincipaleJunctor.h"
#include "CSecondariaJunctor.h"
#include "IndicePunti.h"
#include "QvEngineering.h"
#include "TranslatorBinding.h"

namespace {

void DaPunto(ads_point d, const AcGePoint3d& p) {
    d[0] = p.x;
    d[1] = p.y;
    d[2] = p.z;
}

}  // namespace

void CSecondariaJunctor::AggiungiLog(const wchar_t* riga) { m_log += TranslateText(riga); }

bool CSecondariaJunctor::CalcolaIsola(CPrincipaleJunctor* principale, bool completa, bool daApice,
                                      bool soloAngoli) {
    if (!principale || !m_asse.lista || !principale->GetDatiPoliAsse()) return false;
    // The side decides which shoulder, which way the points move and which
    // way the base runs: a leg whose side is not known yet is not computed.
    if (m_lato != kDestra && m_lato != kSinistra) {
        AggiungiLog(L" - Lato della strada secondaria rispetto alla principale non determinato.\r\n");
        return false;
    }
    const bool destra = m_lato == kDestra;
    const datipoli* assePrincipale = principale->GetDatiPoliAsse();

    if (completa && !daApice && !soloAngoli) {
        // Main direction at the foot of the crossing point.
        double distanza = 0, prog = 0, direzione = 0;
        ads_point piede;
        if (!DistPPoly(assePrincipale, m_intersezione, &distanza, piede, &prog, &direzione, nullptr, nullptr, 1))
            return false;
        principale->SetDirezione(direzione);
        // Base point: the leg axis across the main shoulder on the leg's side.
        const datipoli* banchina = destra ? principale->GetDatiPoliBanchinaDx() : principale->GetDatiPoliBanchinaSx();
        AcGePoint3dArray punti;
        Inters_2_DATIPOLI_2D(banchina, m_asse.lista, punti, 1000, 1000, 1);
        if (punti.isEmpty()) {
            AggiungiLog(L" - Nessun punto di intersezione tra l'asse della secondaria e la banchina della "
                        L"principale.\r\n");
            return false;
        }
        int i = 0;
        IndicePuntoPiuVicino(punti, m_intersezione, i);
        DaPunto(m_baseIsola, punti[i]);
    }

    const double mainDir = principale->GetDirezione();
    ads_point V = {0, 0, 0}, P = {0, 0, 0};
    if (completa || daApice) {
        // Apex: the leg axis across the circle of radius h about the base
        // point, on the side away from the main road.
        datipoli* cerchio = allocaDATIPOLI_Da_Cerchio(m_baseIsola, m_parametri.h.GetValore());
        AcGePoint3dArray punti;
        if (cerchio) Inters_2_DATIPOLI_2D(cerchio, m_asse.lista, punti, 0, 0, 1);
        LiberaDATIPOLI(&cerchio);
        m_apiceMancante = punti.isEmpty();
        if (m_apiceMancante) {
            AggiungiLog(L" - Numero di intersezioni insufficiente nella costruzione del triangolo dell'isola.\r\n");
            return false;
        }
        int i = 0;
        IndicePuntoPiuLontano(punti, m_intersezione, i);
        DaPunto(V, punti[i]);
        Copia(P, m_baseIsola);
        if (m_verso == kIn)
            m_direzioneAsse = acutAngle(V, P);
        else if (m_verso == kOut)
            m_direzioneAsse = acutAngle(P, V);
        // A main shoulder narrower than 1.5 moves the island out to 1.5 from
        // the main edge.
        double o = destra ? principale->GetDistanzaBanchinaDx() : principale->GetDistanzaBanchinaSx();
        if (o < 1.499) {
            double angolo = destra ? mainDir + MEZZO_PI_GRECO : mainDir - MEZZO_PI_GRECO;
            acutPolar(V, angolo, o - 1.5, V);
            acutPolar(P, angolo, o - 1.5, P);
        }
        Copia(m_isola4, V);
        Copia(m_apiceNonTraslato, V);
        Copia(m_isola1, P);
        Copia(m_baseNonTraslata, P);
        m_hIsola = m_parametri.h.GetValore();
    }

    if (!completa && !daApice && !soloAngoli) return true;

    CalcolaAngoloIncrocio(mainDir, m_direzioneAsse);
    CalcolaTriangoloIsola();
    if (!completa && !daApice) {
        Copia(V, m_apiceNonTraslato);
        Copia(P, m_baseNonTraslata);
    }
    const double c = destra ? mainDir : mainDir + PI_GRECO;
    const double s = m_parametri.s.GetValore();
    if (s != 0) acutPolar(P, c, -std::fabs(s), P);
    ads_point p2, p3;
    acutPolar(P, c, -m_parametri.b1.GetValore(), p2);
    acutPolar(P, c, m_parametri.b2.GetValore(), p3);
    if (s != 0) acutPolar(V, c, -std::fabs(s), V);
    Copia(m_isola1, P);
    Copia(m_isola2, p2);
    Copia(m_isola3, p3);
    Copia(m_isola4, V);
    m_isola2[2] = m_isola3[2] = m_isola4[2] = 0;
    m_sIsola = s;
    m_b1Isola = m_parametri.b1.GetValore();
    m_b2Isola = m_parametri.b2.GetValore();
    return true;
}

bool CSecondariaJunctor::IsolaDaValori() const {
    return m_hIsola == m_parametri.h.GetValore() && m_sIsola == m_parametri.s.GetValore() &&
           m_b1Isola == m_parametri.b1.GetValore() && m_b2Isola == m_parametri.b2.GetValore();
}

double CSecondariaJunctor::CalcolaAngoloIncrocio(double direzionePrincipale, double direzioneSecondaria) {
    AcGeVector3d u(std::cos(direzionePrincipale), std::sin(direzionePrincipale), 0);
    AcGeVector3d v(std::cos(direzioneSecondaria), std::sin(direzioneSecondaria), 0);
    if (!(v.crossProduct(u).z > 0)) u = -u;
    double angolo = u.angleTo(v);
    m_parametri.SetAngoloIncrocio(angolo, false);
    return angolo;
}

bool CSecondariaJunctor::CalcolaTriangoloIsola() {
    const double alfa = m_parametri.GetAngoloIncrocio(false);
    const double h = m_parametri.h.GetValore();
    const double b1 = m_parametri.b1.GetValore();
    const double b2 = m_parametri.b2.GetValore();
    const double d = h * std::sin(PI_GRECO - alfa);
    const double e = h * std::cos(PI_GRECO - alfa);
    const double f = std::sqrt((e + b2) * (e + b2) + d * d);
    const double g = std::sqrt((b1 - e) * (b1 - e) + d * d);
    if (f == 0 || g == 0) return false;
    const double B = b1 + b2;
    if (B == 0) return false;
    // Rounding can carry a cosine just past 1 for a flat triangle: clamp it
    // rather than store a deflection that is not a number.
    auto acosLimitato = [](double x) { return std::acos(std::clamp(x, -1.0, 1.0)); };
    const double immissione = acosLimitato((g * g - B * B - f * f) / (-2 * B * f));
    const double uscita = acosLimitato((f * f - B * B - g * g) / (-2 * B * g));
    m_parametri.SetDeviazioni(immissione, uscita, false);
    return true;
}
