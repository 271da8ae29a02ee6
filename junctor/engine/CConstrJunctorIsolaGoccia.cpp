// The drop island: its two halves, its shoulder and its edge.
//
// Each half runs from the island base (T1) along an arc tangent to the main
// axis and to the island side (T2), straight along the side (T3), and along an
// arc tangent to the side and to the leg axis (T4). The shoulder lies Lbis
// inside the edge, with a round tip and a base circle tangent to the main
// road's shoulder; the edge's nose is concentric with that base circle.
#include "CConstrJunctor.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "Angoli.h"
#include "CerchioBaseIsola.h"
#include "IndicePunti.h"
#include "CostruzioneComune.h"
#include "PolilineeJunctor.h"
#include "QvEngineering.h"
#include "QvGeometry.h"

namespace {

using costruzione::Acceso;
using Lista = costruzione::ListaDatiPoli;

constexpr double kTolleranza = 0.001;
constexpr double kMinimoSegmento = 0.001;
// Extension of the lines for the intersections that place the arc centres.
constexpr double kEstensioneCentro1 = 1000;
constexpr double kEstensioneCentro2 = 10000;
// How far the island side counts as a line beyond its two points.
constexpr double kEstensioneLato = 1000;
// Two points closer than this are the same vertex.
constexpr double kStessoPunto = 1e-6;

const wchar_t* const kMsgIntersezioni = costruzione::kRigaIntersezioni;


void Copia(ads_point d, const double* s) {
    d[0] = s[0];
    d[1] = s[1];
    d[2] = s[2];
}

void InPianta(ads_point d, double x, double y) {
    d[0] = x;
    d[1] = y;
    d[2] = 0;
}

void DaPunto(ads_point d, const AcGePoint3d& p) { InPianta(d, p.x, p.y); }

AcGePoint3d APunto(const ads_point p) { return AcGePoint3d(p[0], p[1], 0); }

double Distanza2D(const ads_point a, const ads_point b) { return std::hypot(a[0] - b[0], a[1] - b[1]); }


// The plan crossing of two lists nearest to a reference point.
bool IntersezionePiuVicina(const datipoli* a, const datipoli* b, double estensioneA, double estensioneB,
                           const ads_point riferimento, ads_point risultato) {
    if (!costruzione::IncrocioPiuVicino(a, b, estensioneA, estensioneB, riferimento, risultato)) return false;
    risultato[2] = 0;
    return true;
}

// A list of the vertices with their bulges; arc centres, radii and chainages
// are filled in.
datipoli* ListaDa(const AcGePoint3dArray& vertici, const AcGeDoubleArray& bulge) {
    if (vertici.length() != bulge.length()) return nullptr;
    datipoli* testa = nullptr;
    datipoli* coda = nullptr;
    for (int i = 0; i < vertici.length(); ++i) {
        ads_point p = {vertici[i].x, vertici[i].y, 0};
        if (!AggpuntoDATIPOLI(p, bulge[i], &testa, &coda)) {
            LiberaDATIPOLI(&testa);
            return nullptr;
        }
    }
    if (testa) ProgDATIPOLI(testa, 0, nullptr);
    return testa;
}

// The circle of the first segment of a list, when that segment is an arc.
bool CerchioPrimoArco(const datipoli* lista, circ& cerchio) {
    if (!lista || !lista->next || lista->bulge == 0 || !(lista->raggio > 0)) return false;
    cerchio = circ{lista->xc, lista->yc, 0, lista->raggio, 0, 0};
    return true;
}

void Centro(const circ& c, ads_point p) { InPianta(p, c.xc, c.yc); }

// Crossing of a list with a circle, nearest to a reference point.
bool IntersezioneCerchio(const datipoli* lista, const circ& cerchio, const ads_point riferimento,
                         ads_point risultato) {
    ads_point centro;
    Centro(cerchio, centro);
    Lista lc(allocaDATIPOLI_Da_Cerchio(centro, cerchio.raggio));
    return lc.get() && IntersezionePiuVicina(lista, lc.get(), 0, 0, riferimento, risultato);
}

// Where a circle touches, from inside, a larger one: the point of the larger
// circle on the ray from its centre through the smaller one's. False when the
// two are not tangent within the tolerance.
bool PuntoTangenteInterno(const circ& grande, const circ& piccolo, ads_point punto) {
    const double dx = piccolo.xc - grande.xc, dy = piccolo.yc - grande.yc;
    const double distanza = std::hypot(dx, dy);
    if (!(distanza > 0) || std::fabs(distanza + piccolo.raggio - grande.raggio) >= kTolleranza) return false;
    InPianta(punto, grande.xc + grande.raggio * dx / distanza, grande.yc + grande.raggio * dy / distanza);
    return true;
}

// Where the main shoulder line crosses the side of a shoulder's half (the
// straight after its first arc, prolonged both ways by `estensione`): the
// nearest crossing to the side's start.
bool SulLatoDellaBanchina(const datipoli* J, const datipoli* meta, ads_point punto, double estensione) {
    if (!J || !meta || !meta->next || !meta->next->next || meta->next->bulge != 0) return false;
    const datipoli* a = meta->next;
    const datipoli* b = a->next;
    ads_point inizio = {a->x, a->y, 0}, fine = {b->x, b->y, 0};
    Lista lato;
    PolilineaDuePunti(inizio, fine, lato.Testa());
    return lato.get() && IntersezionePiuVicina(J, lato.get(), 0, estensione, inizio, punto);
}

// Appends the arrays' vertices to the outline.
void Accoda(AcGePoint3dArray& v, AcGeDoubleArray& b, const ads_point p, double bulge) {
    v.append(APunto(p));
    b.append(bulge);
}

// Ends the outline on its first vertex: a last vertex already there is
// snapped onto it, otherwise the first vertex is appended again.
void ChiudiContorno(AcGePoint3dArray& v, AcGeDoubleArray& b) {
    if (v.isEmpty()) return;
    const AcGePoint3d primo = v[0];
    const int ultimo = v.length() - 1;
    if (ultimo > 0 && std::hypot(v[ultimo].x - primo.x, v[ultimo].y - primo.y) < kStessoPunto) {
        v.setAt(ultimo, primo);
        b.setAt(ultimo, 0.0);
    } else {
        v.append(primo);
        b.append(0.0);
    }
}


// Whether a point lies on the road's side of the main shoulder list, the
// other side from the island's apex.
bool SullaStrada(const datipoli* banchina, const ads_point punto, const ads_point apice) {
    double dp = 0, da = 0;
    ads_point piede;
    if (!DistPPoly(banchina, punto, &dp, piede, nullptr, nullptr, nullptr, nullptr, 1) ||
        !DistPPoly(banchina, apice, &da, piede, nullptr, nullptr, nullptr, nullptr, 1))
        return false;
    return dp * da < 0 && std::fabs(dp) > kStessoPunto;
}

// Where the side of a shoulder half (its second segment, straight) crosses
// the main shoulder, the half is made to start there: its first vertex and
// arc go, and the point is in `punto`.
bool SuLatoBanchina(const datipoli* banchina, Lista& meta, ads_point punto) {
    datipoli* testa = meta.get();
    ads_point incrocio;
    if (!SulLatoDellaBanchina(banchina, testa, incrocio, 0)) return false;
    datipoli* resto = testa->next;
    testa->next = nullptr;
    meta.Rilascia();
    LiberaDATIPOLI(&testa);
    *meta.Testa() = resto;
    resto->x = incrocio[0];
    resto->y = incrocio[1];
    Copia(punto, incrocio);
    return true;
}

}  // namespace

bool CConstrJunctor::PuntoSuCerchio(const circ& cerchio, const ads_point a, const ads_point b, ads_point punto,
                                    double tolleranza) {
    const double dx = b[0] - a[0], dy = b[1] - a[1];
    const double lunghezza = std::hypot(dx, dy);
    if (!(lunghezza > 0) || !std::isfinite(lunghezza)) return false;
    const double ux = dx / lunghezza, uy = dy / lunghezza;
    // Foot of the centre on the line, within the line A B prolonged both ways.
    const double s = (cerchio.xc - a[0]) * ux + (cerchio.yc - a[1]) * uy;
    if (s < -kEstensioneLato || s > lunghezza + kEstensioneLato) return false;
    ads_point piede;
    InPianta(piede, a[0] + s * ux, a[1] + s * uy);
    ads_point centro;
    Centro(cerchio, centro);
    if (Distanza2D(piede, centro) < cerchio.raggio - tolleranza) return false;
    Copia(punto, piede);
    return true;
}

bool CConstrJunctor::PuntoVicinoCerchio(const circ& cerchio, const datipoli* lista, ads_point punto,
                                        double tolleranza) {
    if (!lista) return false;
    ads_point centro, piede;
    Centro(cerchio, centro);
    double distanza = 0;
    if (!DistPPoly(lista, centro, &distanza, piede, nullptr, nullptr, nullptr, nullptr, 1)) return false;
    distanza = std::fabs(distanza);
    if (!(distanza > cerchio.raggio - tolleranza && distanza < cerchio.raggio + tolleranza)) return false;
    InPianta(punto, piede[0], piede[1]);
    return true;
}

bool CConstrJunctor::CerchioTangente(const circ& a, const circ& b, const ads_point p, const ads_point q,
                                     circ* risultato) {
    // The circle of radius y about (x, y), in a frame where the line P Q is
    // the x axis and A's centre lies at (0, d), meets A and B where
    //   x^2 + d^2 - r1^2 = 2 y (d - r1)              (A)
    //   (x - u)^2 + v^2 - r2^2 = 2 y (v - r2)        (B)
    // i.e. |centre - Ci| = |y - ri|. Subtracting (A) scaled by (v - r2) / (d - r1)
    // leaves t x^2 - 2 u x + C = 0, linear when both circles stand alike
    // over the line (t = 0).
    if (!risultato) return false;
    const double ex = q[0] - p[0], ey = q[1] - p[1];
    const double lunghezza = std::hypot(ex, ey);
    if (!(lunghezza > 0) || !std::isfinite(lunghezza)) {
        Log(L"\nImpossibile calcolare il cerchio tangente. Comando annullato");
        return false;
    }
    const double ux = ex / lunghezza, uy = ey / lunghezza;
    ads_point c1, c2;
    Centro(a, c1);
    Centro(b, c2);
    const double s = (c1[0] - p[0]) * ux + (c1[1] - p[1]) * uy;
    ads_point f;
    InPianta(f, p[0] + s * ux, p[1] + s * uy);
    const double d = Distanza2D(c1, f);
    ads_point origine = {0, 0, 0}, alto = {0, d, 0};
    ParametriRototraslazione parametri;
    if (!(d > 0) || !CalcolaParametriRototraslazionePianada4Punti(f, c1, origine, alto, parametri)) {
        Log(L"\nRototraslazione impossibile. Comando annullato");
        return false;
    }
    ads_point locale;
    RototraslazionePiana(locale, c2, parametri);
    const double u = locale[0], v = locale[1];
    const double r1 = a.raggio, r2 = b.raggio;
    const double a1 = d - r1, a2 = v - r2;
    const double scala = std::max({1.0, std::fabs(u), std::fabs(v), d, std::fabs(r1), std::fabs(r2)});
    const double eps = 1e-9 * scala;

    // y from whichever of (A) and (B) is better conditioned.
    auto Raggio = [&](double x) {
        return std::fabs(a1) >= std::fabs(a2) ? (x * x + d * d - r1 * r1) / (2 * a1)
                                              : ((x - u) * (x - u) + v * v - r2 * r2) / (2 * a2);
    };
    const double minimo = 1e-9 * scala;
    auto Valido = [&](double x, double y) { return std::isfinite(x) && std::isfinite(y) && y > minimo; };

    double x = 0, y = 0;
    bool trovato = false;
    if (std::fabs(a1) <= eps && std::fabs(a2) <= eps) {
        Log(L"\nInfinite soluzioni. Comando annullato");
        return false;
    } else if (std::fabs(a1) <= eps) {
        // A touches the line at F: so does the circle.
        x = 0;
        y = (u * u + v * v - r2 * r2) / (2 * a2);
        trovato = Valido(x, y);
    } else {
        const double t = (a1 - a2) / a1;
        const double cn = u * u - (d + r1) * a2 + v * v - r2 * r2;
        if (std::fabs(t) <= 1e-12) {
            // Both circles stand alike over the line: one root, t x^2 gone.
            if (std::fabs(u) > eps) {
                x = cn / (2 * u);
                y = Raggio(x);
                trovato = Valido(x, y);
            }
        } else {
            double disc = u * u - t * cn;
            if (disc >= -1e-12 * (u * u + std::fabs(t * cn))) {
                const double radice = std::sqrt(std::max(disc, 0.0));
                // The roots (u + radice) / t and (u - radice) / t, the one that
                // would cancel taken as C / (u -+ radice) instead.
                double piu, meno;
                if (u >= 0) {
                    const double k = u + radice;
                    piu = k / t;
                    meno = k != 0 ? cn / k : 0.0;
                } else {
                    const double k = u - radice;
                    meno = k / t;
                    piu = cn / k;
                }
                // Where both roots give a circle, the smaller one: the other
                // runs off to infinity as the circles come to stand alike.
                for (double prova : {piu, meno}) {
                    double yp = Raggio(prova);
                    if (Valido(prova, yp) && (!trovato || yp < y)) {
                        x = prova;
                        y = yp;
                        trovato = true;
                    }
                }
            }
        }
    }
    // The circle found must touch both circles.
    if (trovato) {
        const double e1 = std::hypot(x, y - d) - std::fabs(y - r1);
        const double e2 = std::hypot(x - u, y - v) - std::fabs(y - r2);
        const double limite = 1e-7 * std::max(scala, y);
        trovato = std::fabs(e1) <= limite && std::fabs(e2) <= limite;
    }
    if (!trovato) {
        Log(L"\nNessuna soluzione. Comando annullato");
        return false;
    }
    ads_point locale2 = {x, y, 0}, mondo;
    RototraslazionePianaInversa(locale2, mondo, parametri);
    *risultato = circ{mondo[0], mondo[1], 0, y, 0, 0};
    return true;
}

bool CConstrJunctor::CalcolaLatoIsolaGoccia(int lato, AcDb2dPolyline** polilinea, AcGePoint3dArray& vertici,
                                            AcGeDoubleArray& bulge) {
    if (polilinea) *polilinea = nullptr;
    if (!m_principale || !m_secondaria || !m_parametri) return false;
    // Which side of the main road the leg lies on decides the main offset and,
    // through the island points, every other choice.
    const int latoRamo = m_secondaria->GetLato();
    if (latoRamo != CSecondariaJunctor::kDestra && latoRamo != CSecondariaJunctor::kSinistra) {
        Log(L" - Lato della strada secondaria rispetto alla principale non determinato.\r\n");
        return false;
    }
    if (lato != kUscita && lato != kImmissione) return false;
    const bool uscita = lato == kUscita;
    const double c = uscita ? m_parametri->riu.GetValore() : m_parametri->rie.GetValore();
    const double b = uscita ? m_parametri->rru.GetValore() : m_parametri->rre.GetValore();
    const double* k = uscita ? m_isola2 : m_isola3;
    ads_point V, K;
    InPianta(V, m_isola4[0], m_isola4[1]);
    InPianta(K, k[0], k[1]);

    // 1. The line the first arc touches: the main axis moved by c (and, with
    // the left-turn lane, by the lane's shifts) towards the leg.
    const bool corsiaSx = m_corsie && Acceso(m_corsie->GetCorsiaSx());
    double distanza = c;
    if (corsiaSx) distanza = uscita ? c + m_corsie->SRacd1.GetValore() : c - m_corsie->SRacd2.GetValore();
    const int latoPrincipale = latoRamo == CSecondariaJunctor::kDestra ? kLatoOffsetDestro : 0;
    Lista M;
    if (!OffsetPolilinea(latoPrincipale, distanza, m_principale->GetDatiPoliAsse(), nullptr, kMinimoSegmento, M.Testa()) ||
        !M.get()) {
        if (!corsiaSx) Log(costruzione::kRigaOffset);
        return false;
    }

    // 2. Its centre X1: c from the island side, inwards, on that line.
    ads_point X1;
    {
        ads_point a, e;
        PuntiPerpendicolari(uscita ? -c : c, V, K, a, e);
        Lista latoSpostato;
        PolilineaDuePunti(a, e, latoSpostato.Testa());
        if (!IntersezionePiuVicina(latoSpostato.get(), M.get(), kEstensioneCentro1, kEstensioneCentro1, m_isola1, X1)) {
            Log(L" - Numero di intersezioni insufficienti in fase di costruzione 1.\r\n");
            return false;
        }
    }

    // 3. T1 on the island base.
    const circ cerchio1{X1[0], X1[1], 0, c, 0, 0};
    ads_point T1;
    {
        Lista base;
        PolilineaDuePunti(m_isola2, m_isola3, base.Testa());
        if (!IntersezioneCerchio(base.get(), cerchio1, m_isola1, T1)) {
            Log(L" - Numero di intersezioni insufficienti in fase di costruzione 2.\r\n");
            // The arc, touching the main axis, passes beside the island's base: the value to change.
            Log(uscita ? L" - L'arco di raggio riu non raggiunge la base dell'isola: modificare riu o b1.\r\n"
                       : L" - L'arco di raggio rie non raggiunge la base dell'isola: modificare rie o b2.\r\n");
            return false;
        }
    }

    // 4. T2, where the arc meets the island side.
    ads_point T2;
    if (!PuntoSuCerchio(cerchio1, V, K, T2, kTolleranza)) {
        Log(L" - Punto di tangenza sul lato dell'isola non trovato.\r\n");
        return false;
    }
    // An arc that touches the side beyond the island's base (a small radius
    // on the side that meets the base at an obtuse angle) meets the base only
    // on its way back: from T1 to T2 it would run nearly all round its circle.
    if (std::fabs(CalcolaBulge(uscita, X1, T1, T2)) >= 1) {
        Log(L" - Numero di intersezioni insufficienti in fase di costruzione 2.\r\n");
        Log(uscita ? L" - L'arco di raggio riu non raggiunge la base dell'isola: modificare riu o b1.\r\n"
                   : L" - L'arco di raggio rie non raggiunge la base dell'isola: modificare rie o b2.\r\n");
        return false;
    }

    // 5. The line the second arc touches: the leg axis moved by b.
    const bool in = m_secondaria->GetVerso() == CSecondariaJunctor::kIn;
    const int latoRamoOffset = (lato == kImmissione) == in ? kLatoOffsetDestro : 0;
    Lista L;
    if (!OffsetPolilinea(latoRamoOffset, b, m_secondaria->GetDatiPoliAsse(), nullptr, kMinimoSegmento, L.Testa()) ||
        !L.get()) {
        Log(L" - Impossibile creare l'offset di una polilinea di costruzione 3.\r\n");
        return false;
    }

    // 6. Its centre X2: b from the island side, outwards, on that line.
    ads_point X2;
    {
        ads_point a, e;
        PuntiPerpendicolari(uscita ? b : -b, V, K, a, e);
        Lista latoSpostato;
        PolilineaDuePunti(a, e, latoSpostato.Testa());
        if (!IntersezionePiuVicina(latoSpostato.get(), L.get(), kEstensioneCentro2, kEstensioneCentro2, m_isola1, X2)) {
            Log(L" - Numero di intersezioni insufficienti in fase di costruzione 4.\r\n");
            return false;
        }
    }

    // 7. T3 on the island side, T4 on the leg axis.
    const circ cerchio2{X2[0], X2[1], 0, b, 0, 0};
    ads_point T3, T4;
    if (!PuntoSuCerchio(cerchio2, V, K, T3, kTolleranza)) {
        Log(L" - Punto di tangenza sul lato dell'isola non trovato.\r\n");
        return false;
    }
    if (!PuntoVicinoCerchio(cerchio2, m_secondaria->GetDatiPoliAsse(), T4, kTolleranza)) {
        Log(L" - Punto di tangenza sull'asse della strada secondaria non trovato.\r\n");
        return false;
    }

    // 8. The half: arc, straight, arc.
    Accoda(vertici, bulge, T1, CalcolaBulge(uscita, X1, T1, T2));
    Accoda(vertici, bulge, T2, 0);
    Accoda(vertici, bulge, T3, CalcolaBulge(!uscita, X2, T3, T4));
    Accoda(vertici, bulge, T4, 0);
    if (polilinea) *polilinea = CreaPolilinea(vertici, bulge);
    return true;
}

bool CConstrJunctor::CostruisciBanchinaIsolaGoccia(const AcGePoint3dArray& vertici0, const AcGeDoubleArray& bulge0,
                                                   const AcGePoint3dArray& vertici1, const AcGeDoubleArray& bulge1,
                                                   datipoli** lista0, datipoli** lista1, circ* cerchioBase) {
    if (lista0) *lista0 = nullptr;
    if (lista1) *lista1 = nullptr;
    if (!m_principale || !m_secondaria || !m_parametri) return false;
    const double lbis = m_parametri->Lbis.GetValore();
    const double rr1is = m_parametri->Rr1is.GetValore();

    // 1. The halves as lists, handed back to the caller.
    Lista E0(ListaDa(vertici0, bulge0)), E1(ListaDa(vertici1, bulge1));
    if (!E0.get() || !E1.get()) return false;
    const datipoli* e0 = E0.get();
    const datipoli* e1 = E1.get();
    if (lista0) *lista0 = E0.Rilascia();
    if (lista1) *lista1 = E1.Rilascia();

    // 2. The shoulder lines inside the edge, and the lines of the tip
    // circle's centre.
    Lista S0, S1, W0, W1;
    if (!OffsetPolilinea(kLatoOffsetDestro, -lbis, e0, nullptr, kMinimoSegmento, S0.Testa()) || !S0.get() ||
        !OffsetPolilinea(kLatoOffsetDestro, lbis, e1, nullptr, kMinimoSegmento, S1.Testa()) || !S1.get() ||
        !OffsetPolilinea(kLatoOffsetDestro, -(lbis + rr1is), e0, nullptr, kMinimoSegmento, W0.Testa()) || !W0.get() ||
        !OffsetPolilinea(kLatoOffsetDestro, lbis + rr1is, e1, nullptr, kMinimoSegmento, W1.Testa()) || !W1.get())
        return false;
    if (!S0.get()->next || !S1.get()->next) return false;

    // 3. The tip circle.
    ads_point apice, X;
    InPianta(apice, m_isola4[0], m_isola4[1]);
    if (!IntersezionePiuVicina(W1.get(), W0.get(), 0, 0, apice, X)) {
        Log(kMsgIntersezioni);
        return false;
    }
    const circ punta{X[0], X[1], 0, rr1is, 0, 0};

    // 4. The circles of the shoulder's first arcs.
    circ A{}, B{};
    if (!CerchioPrimoArco(S0.get(), A) || !CerchioPrimoArco(S1.get(), B)) {
        Log(kMsgIntersezioni);
        return false;
    }

    // 5. Where those circles cross the main road's shoulder.
    const bool sinistra = m_secondaria->GetLato() == CSecondariaJunctor::kSinistra;
    const datipoli* J = sinistra ? m_principale->GetDatiPoliBanchinaSx() : m_principale->GetDatiPoliBanchinaDx();
    // A main shoulder narrower than 1.5 moved the island out to 1.5 from the
    // main edge: its base stands on the shoulder line moved the same way.
    Lista Jspostata;
    const double o = sinistra ? m_principale->GetDistanzaBanchinaSx() : m_principale->GetDistanzaBanchinaDx();
    if (J && o < 1.499) {
        const double angolo = m_principale->GetDirezione() + (sinistra ? -MEZZO_PI_GRECO : MEZZO_PI_GRECO);
        const double dx = (o - 1.5) * std::cos(angolo), dy = (o - 1.5) * std::sin(angolo);
        *Jspostata.Uscita() = allocaDATIPOLI(J);
        for (datipoli* n = Jspostata.get(); n; n = n->next) {
            n->x += dx;
            n->y += dy;
        }
        ProgDATIPOLI(Jspostata.get(), J->prog, nullptr);
        J = Jspostata.get();
    }
    ads_point primoS0 = {S0.get()->x, S0.get()->y, 0}, secondoS0 = {S0.get()->next->x, S0.get()->next->y, 0};
    ads_point secondoS1 = {S1.get()->next->x, S1.get()->next->y, 0};
    // The sides, the straights after the first arcs, for the base circle
    // resting on them (step 7).
    Retta lato0{}, lato1{};
    const bool lati = RettaDopoPrimoArco(S0.get(), lato0) && RettaDopoPrimoArco(S1.get(), lato1);
    ads_point Pv, Pi;
    if (!J || !IntersezioneCerchio(J, A, primoS0, Pv) || !IntersezioneCerchio(J, B, secondoS1, Pi)) {
        Log(kMsgIntersezioni);
        return false;
    }
    // A shoulder half whose first arc ends on the road's side of the main
    // shoulder (the arc, moved in by Lbis, lies wholly beyond it) reaches the
    // main shoulder along its side: it starts where the side crosses it, and
    // its arc is left out. The arc's circle crosses the main shoulder past
    // the arc's end there, and an arc from that point round to the side
    // would turn almost a whole turn.
    const bool sulLato0 = SullaStrada(J, secondoS0, apice) && SuLatoBanchina(J, S0, Pv);
    const bool sulLato1 = SullaStrada(J, secondoS1, apice) && SuLatoBanchina(J, S1, Pi);

    // 6. The shoulder's first arcs start on the main shoulder. Where a first
    // arc is short, its circle can cross the main shoulder only past the
    // arc's end (the half's side reaches the line first): an arc from there
    // would run nearly all round its circle. That half keeps its arc as it
    // is, its shoulder meets the main one along its side, and the base circle
    // rests on a side (step 7), as it does for a half whose arc went above.
    ads_point centroA, centroB;
    Centro(A, centroA);
    Centro(B, centroB);
    const double bulgeA = sulLato0 ? 0 : CalcolaBulge(true, centroA, Pv, secondoS0);
    const double bulgeB = sulLato1 ? 0 : CalcolaBulge(false, centroB, Pi, secondoS1);
    const bool arcoA = !sulLato0 && std::fabs(bulgeA) < 1, arcoB = !sulLato1 && std::fabs(bulgeB) < 1;
    if ((!sulLato0 && !arcoA && !SulLatoDellaBanchina(J, S0.get(), Pv, kEstensioneLato)) ||
        (!sulLato1 && !arcoB && !SulLatoDellaBanchina(J, S1.get(), Pi, kEstensioneLato))) {
        Log(kMsgIntersezioni);
        return false;
    }
    if (arcoA) {
        S0.get()->x = Pv[0];
        S0.get()->y = Pv[1];
        S0.get()->bulge = bulgeA;
    }
    if (arcoB) {
        S1.get()->x = Pi[0];
        S1.get()->y = Pi[1];
        S1.get()->bulge = bulgeB;
    }
    ProgDATIPOLI(S0.get(), 0, nullptr);
    ProgDATIPOLI(S1.get(), 0, nullptr);
    // The base arcs pass where the base circle touches this line.
    Copia(m_cordaBase[0], Pv);
    Copia(m_cordaBase[1], Pi);

    // 7. The base circle.
    circ base{};
    const CString logPrima = m_log;
    ads_point q0, q1, t0, t1;
    // A circle touching a first arc that does not reach the main shoulder
    // touches it off the outline: the base circle then rests on a side.
    const bool tangente = arcoA && arcoB && CerchioTangente(A, B, Pv, Pi, &base);
    bool tocca = tangente && PuntoVicinoCerchio(base, S0.get(), q0, kTolleranza) &&
                 PuntoVicinoCerchio(base, S1.get(), q1, kTolleranza);
    if (!tocca) {
        // Where a half's first arc is short (a wide main road puts the base
        // far up the arc), the circle that touches the arc's whole circle
        // touches it past the arc's end: the base circle touches that
        // half's side instead, the straight after the arc.
        Retta j{Pv[0], Pv[1], -(Pi[1] - Pv[1]), Pi[0] - Pv[0]};
        const double lj = std::hypot(j.nx, j.ny);
        if (lj > 0 && lati) {
            j.nx /= lj;
            j.ny /= lj;
            if (j.nx * (apice[0] - j.px) + j.ny * (apice[1] - j.py) < 0) {
                j.nx = -j.nx;
                j.ny = -j.ny;
            }
            const std::vector<Retta> prove[] = {{j, lato0}, {j, lato1}, {j, lato0, lato1}};
            const circ* cerchi[] = {&B, &A, nullptr};
            for (int i = 0; i < 3 && !tocca; ++i) {
                // Not on an arc that does not reach the main shoulder.
                if ((i == 0 && !arcoB) || (i == 1 && !arcoA)) continue;
                circ prova{};
                if (CerchioTraRette(prove[i], cerchi[i], prova) && PuntoVicinoCerchio(prova, S0.get(), q0, kTolleranza) &&
                    PuntoVicinoCerchio(prova, S1.get(), q1, kTolleranza)) {
                    base = prova;
                    tocca = true;
                }
            }
        }
        if (tocca) m_log = logPrima;
    }
    if (!tangente && !tocca) {
        Log(kMsgIntersezioni);
        // The shoulder's arcs cross before they reach the main shoulder.
        Log(L" - La banchina dell'isola a goccia non raggiunge la banchina della strada principale: modificare riu e "
            L"rie.\r\n");
        return false;
    }

    // 8. Tangent points of the base circle and of the tip circle.
    if (!tocca || !PuntoVicinoCerchio(punta, S0.get(), t0, kTolleranza) ||
        !PuntoVicinoCerchio(punta, S1.get(), t1, kTolleranza)) {
        Log(kMsgIntersezioni);
        return false;
    }
    if (cerchioBase) *cerchioBase = base;

    // 9. Outline: S0 from q0 to the tip, the tip arc, S1 back to q1, the
    // base arc to q0.
    AcGePoint3dArray v0(0, 8), v1(0, 8);
    AcGeDoubleArray b0(0, 8), b1(0, 8);
    if (!EstraiTrattoPolilinea(S0.get(), q0, t0, v0, b0, nullptr, nullptr) ||
        !EstraiTrattoPolilinea(S1.get(), q1, t1, v1, b1, nullptr, nullptr)) {
        Log(kMsgIntersezioni);
        return false;
    }
    AcGePoint3dArray v(0, 8);
    AcGeDoubleArray bl(0, 8);
    ads_point centroBase;
    Centro(base, centroBase);
    for (int i = 0; i < v0.length(); ++i) {
        v.append(v0[i]);
        bl.append(i + 1 < v0.length() ? b0[i] : std::tan(AngMin3P(t1, X, t0) / 4));
    }
    const int n1 = v1.length();
    for (int j = 0; j < n1; ++j) {
        v.append(v1[n1 - 1 - j]);
        bl.append(j + 1 < n1 ? -b1[n1 - 2 - j] : BulgeVersoBase(centroBase, q1, q0, m_cordaBase[0], m_cordaBase[1]));
    }
    ChiudiContorno(v, bl);

    // 10. Draw it.
    if (v.length() != bl.length()) return false;
    m_idBanchinaIsola = Disegna(CreaPolilinea(v, bl), L"QV-BANCHINE", L"rBIG");
    return !m_idBanchinaIsola.isNull();
}

bool CConstrJunctor::CostruisciIsolaGoccia() {
    // The ids name this island's polylines only.
    m_idCiglioIsola = AcDbObjectId();
    m_idBanchinaIsola = AcDbObjectId();
    if (!m_parametri) return false;
    // 1. Both halves; the polylines made with them are not drawn.
    AcGePoint3dArray v0(0, 8), v1(0, 8);
    AcGeDoubleArray b0(0, 8), b1(0, 8);
    AcDb2dPolyline* p0 = nullptr;
    AcDb2dPolyline* p1 = nullptr;
    const bool meta = CalcolaLatoIsolaGoccia(kImmissione, &p1, v1, b1) && CalcolaLatoIsolaGoccia(kUscita, &p0, v0, b0);
    delete p0;
    delete p1;
    if (!meta) return false;

    // 2. The shoulder.
    datipoli* e0 = nullptr;
    datipoli* e1 = nullptr;
    circ base{};
    const bool banchina = CostruisciBanchinaIsolaGoccia(v0, b0, v1, b1, &e0, &e1, &base);
    Lista E0(e0), E1(e1);

    // 3. The leg axis between the two tips closes the island's tail.
    ads_point T4u, T4i;
    InPianta(T4u, v0[3].x, v0[3].y);
    InPianta(T4i, v1[3].x, v1[3].y);
    if (Distanza2D(T4u, T4i) >= kStessoPunto) {
        AcGePoint3dArray va(0, 8);
        AcGeDoubleArray ba(0, 8);
        if (EstraiTrattoPolilinea(m_secondaria->GetDatiPoliAsse(), T4u, T4i, va, ba, nullptr, nullptr) &&
            va.length() > 1) {
            b0.setAt(b0.length() - 1, ba[0]);
            for (int i = 1; i < va.length(); ++i) {
                v0.append(va[i]);
                b0.append(ba[i]);
            }
        }
    }

    // 4. The nose: the base circle of the shoulder widened by Lbis.
    double bulgeBase = 0;
    // Where half 0 ends on the leg axis (T4), before the axis part.
    int fineMeta0 = 3;
    bool naso = false;
    if (banchina) {
        const circ cerchioNaso{base.xc, base.yc, 0, base.raggio + m_parametri->Lbis.GetValore(), 0, 0};
        ads_point N0, N1;
        circ arco0{}, arco1{};
        const bool sulLato0 = SulLato(cerchioNaso, v0, N0), sulLato1 = SulLato(cerchioNaso, v1, N1);
        if (CerchioPrimoArco(E0.get(), arco0) && CerchioPrimoArco(E1.get(), arco1) &&
            (sulLato1 || PuntoTangenteInterno(arco1, cerchioNaso, N1)) &&
            (sulLato0 || PuntoTangenteInterno(arco0, cerchioNaso, N0))) {
            ads_point c0, c1, centro, secondo0, secondo1;
            Centro(arco0, c0);
            Centro(arco1, c1);
            Centro(cerchioNaso, centro);
            DaPunto(secondo0, v0[1]);
            DaPunto(secondo1, v1[1]);
            // A nose on the side leaves out the half's first arc.
            if (sulLato1) {
                v1.removeAt(0);
                b1.removeAt(0);
                v1.setAt(0, APunto(N1));
            } else {
                v1.setAt(0, APunto(N1));
                b1.setAt(0, CalcolaBulge(false, c1, N1, secondo1));
            }
            if (sulLato0) {
                v0.removeAt(0);
                b0.removeAt(0);
                v0.setAt(0, APunto(N0));
                --fineMeta0;
            } else {
                v0.setAt(0, APunto(N0));
                b0.setAt(0, CalcolaBulge(true, c0, N0, secondo0));
            }
            bulgeBase = BulgeVersoBase(centro, N1, N0, m_cordaBase[0], m_cordaBase[1]);
            naso = true;
        } else {
            Log(kMsgIntersezioni);
        }
    }

    // A straight base joins the two halves where they reach the island base;
    // when the half on the b1 corner's side reaches it beyond the other, the
    // halves cross before the base and the outline would cross itself.
    // Nothing is drawn then; the island still counts as built (its halves
    // exist), and the triangular islands find no edge to read back.
    if (!naso) {
        const double ordine = (v1[0].x - v0[0].x) * (m_isola3[0] - m_isola2[0]) +
                              (v1[0].y - v0[0].y) * (m_isola3[1] - m_isola2[1]);
        if (!(ordine > 0)) {
            Log(L" - I lati dell'isola a goccia si incrociano prima della base.\r\n");
            // The value to change: the radius of the half that reaches the
            // base past the base point, on the other half's side (an acute
            // corner's arc, touching the main axis, runs far along the base).
            const double dx = m_isola3[0] - m_isola2[0], dy = m_isola3[1] - m_isola2[1];
            if ((v0[0].x - m_isola1[0]) * dx + (v0[0].y - m_isola1[1]) * dy >= 0)
                Log(L" - L'arco di raggio riu raggiunge la base dell'isola oltre il punto di base: modificare riu o "
                    L"b1.\r\n");
            if ((v1[0].x - m_isola1[0]) * dx + (v1[0].y - m_isola1[1]) * dy <= 0)
                Log(L" - L'arco di raggio rie raggiunge la base dell'isola oltre il punto di base: modificare rie o "
                    L"b2.\r\n");
            return true;
        }
    }

    // 5. Outline: half 1 from its tip back to the base, the base, half 0 to
    // its tip and along the axis, back to the start.
    AcGePoint3dArray v(0, 8);
    AcGeDoubleArray bl(0, 8);
    const int n1 = v1.length();
    for (int j = 0; j < n1; ++j) {
        v.append(v1[n1 - 1 - j]);
        bl.append(j + 1 < n1 ? -b1[n1 - 2 - j] : bulgeBase);
    }
    for (int i = 0; i < v0.length(); ++i) {
        v.append(v0[i]);
        bl.append(b0[i]);
    }
    ChiudiContorno(v, bl);

    // 6. Draw it. The tail turns back along the leg axis by design: at the
    // tip of half 0 when the axis joins the two tips, else where the outline
    // closes on the tip of half 1.
    const int coda = v0.length() > fineMeta0 + 1 ? n1 + fineMeta0 : 0;
    if (v.length() == bl.length()) m_idCiglioIsola = Disegna(CreaPolilinea(v, bl), L"QV-CIGLI", L"rCIG", {coda});
    // 7. Both halves exist: the island counts as built even when its
    // shoulder, its nose or its outline is missing (the log says why, and a
    // missing outline fails the triangular islands).
    return true;
}
