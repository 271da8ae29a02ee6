// The curb returns: on each side of the leg an outer edge runs from the main
// road's edge round a three-centred curve into the lane line along the
// island, along it, and by an arc of the inner radius onto the leg's edge;
// the outer shoulder follows the same path farther out. With an entry or
// exit lane the main line is first widened by the lane, and the chainages of
// the lane's sections along the main axis are computed for its records.
#include <algorithm>
#include <cmath>
#include <functional>

#include "Angoli.h"
#include "CConstrJunctor.h"
#include "IndicePunti.h"
#include "ContornoPolilinea.h"
#include "CostruzioneComune.h"
#include "PolilineeJunctor.h"
#include "TranslatorBinding.h"
#include "TricentricaTangente.h"

namespace {

using costruzione::Acceso;
using costruzione::Copia;
using costruzione::DaPunto;
using costruzione::IncrocioPiuVicino;
using Lista = costruzione::ListaDatiPoli;

constexpr double kTolleranza = 0.001;
constexpr double kMinimoSegmento = 0.001;
constexpr double kEstensione = 1000;
// Length of the construction lines drawn from a point along a direction.
constexpr double kLunghezzaAusiliaria = 10;
// Largest distance of the curve's main-side end from the main line that
// needs no refit.
constexpr double kScostamentoMassimo = 0.01;
// Split of a refitted curve's deflection: 2/15, 11/15, 2/15.
constexpr double kQuotaEstrema = 0.13333333333333333;
constexpr double kQuotaCentrale = 0.7333333333333333;
// The shoulder's radii are these multiples of its middle radius.
constexpr double kRapportoPrimo = 2.5;
constexpr double kRapportoTerzo = 5.5;

const wchar_t* const kMsgOffset = costruzione::kRigaOffset;
const wchar_t* const kMsgIntersezioni = costruzione::kRigaIntersezioni;
const wchar_t* const kMsgRitorno =
    L" - La curva tricentrica non incontra l'arco interno: il ciglio esterno tornerebbe indietro.\r\n";
// The value to change: a smaller curve fits in the room the inner arc leaves.
const wchar_t* const kMsgRitornoUscita = L" - Ciglio esterno di uscita: ridurre il raggio r1u.\r\n";
const wchar_t* const kMsgRitornoImmissione = L" - Ciglio esterno di immissione: ridurre il raggio r1e.\r\n";
constexpr double kGiroCompleto = 2 * 3.14159265358979323846;
const wchar_t* const kMsgRaccordoInterno =
    L" - Impossibile raccordare il ciglio esterno al ciglio della strada secondaria.\r\n";
const wchar_t* const kMsgPrincipale =
    L" - La curva tricentrica non parte dal ciglio della strada principale.\r\n";
// Pm closer than this before the curve's start is the start itself: no
// straight of a few millimetres.
constexpr double kStessoVertice = 0.01;
// How many times Pm is taken again from a curve that starts behind it.
constexpr int kRifacimentiMassimi = 3;
// A shoulder closer than this to its edge touches it.
constexpr double kDistanzaBanchina = 0.01;
const wchar_t* const kMsgBanchinaSulCiglio = L" - Banchina che tocca o incrocia il proprio ciglio, non disegnata: ";

using Registro = std::function<void(const wchar_t*)>;




void Sposta(const ads_point p, double angolo, double distanza, ads_point r) {
    const double x = p[0] + distanza * std::cos(angolo);
    const double y = p[1] + distanza * std::sin(angolo);
    r[0] = x;
    r[1] = y;
    r[2] = 0;
}


// The crossing of two lists with both ends prolonged; of several, the one
// nearest to the reference point.
bool Intersezione(const datipoli* a, const datipoli* b, const ads_point riferimento, ads_point punto) {
    return IncrocioPiuVicino(a, b, kEstensione, kEstensione, riferimento, punto);
}

// The chainages of a lane's three sections from the chainage c where the
// curb return leaves the main line: s1, s2, s3 of an entry lane, e1, e2, e3
// of an exit lane.
void SezioniCorsia(const CLanePars& l, bool uscita, bool destra, double c, double s[3]) {
    if (uscita) {
        const double dec = l.UDecLdu.GetValore(), man = l.UManLmu.GetValore();
        if (destra) {
            s[2] = c;
            s[1] = c - dec + 0.5 * man;
            s[0] = s[1] - man;
        } else {
            s[0] = c;
            s[1] = c + dec - 0.5 * man;
            s[2] = s[1] + man;
        }
    } else {
        const double acc = l.IAccLae.GetValore(), imm = l.IImmLie.GetValore(), man = l.IManLve.GetValore();
        if (destra) {
            s[0] = c;
            s[1] = s[0] + acc - imm;
            s[2] = s[1] + man;
        } else {
            s[2] = c;
            s[1] = c - acc + imm;
            s[0] = s[1] - man;
        }
    }
}

// The lane's section chainages from the foot, on the main axis (whose
// chainages are the alignment's own), of the outline's main-side end (for a
// shoulder with its lane, the lane shoulder point). Also the foot, the end's
// signed offset and the axis direction there. False without a foot.
bool SezioniDaEstremo(const datipoli* asse, const AcGePoint3d& fine, const CLanePars& corsie, bool uscita,
                      bool destra, double sezioni[3], ads_point piede, double& offset, double& direzione) {
    const ads_point e = {fine.x, fine.y, 0};
    double c = 0;
    if (!DistPPoly(asse, e, &offset, piede, &c, &direzione, nullptr, nullptr, 1)) return false;
    SezioniCorsia(corsie, uscita, destra, c, sezioni);
    return true;
}

// What an outer edge or an outer shoulder is built from.
struct Bordo {
    int lato = 0;            // 0 exit side, 1 entry side
    bool destra = true;      // leg on the right of the main road
    double raggi[3] = {0, 0, 0};
    double angoli[3] = {0, 0, 0};
    double raggioInterno = 0;
    ads_point k1 = {0, 0, 0}, k2 = {0, 0, 0};  // the lane line
    const datipoli* principale = nullptr;      // main line
    bool corsia = false;                       // the main line is offset towards the leg ...
    double larghezzaCorsia = 0;                // ... by this much
    const datipoli* ramo = nullptr;            // the leg's line
    int latoOffsetRamo = 0;
    double direzionePrincipale = 0;
    ads_point riferimento = {0, 0, 0};         // island point 1
    bool conPuntoExtra = false;                // the lane shoulder point closes the main side
    ads_point puntoExtra = {0, 0, 0};
};

// The signed offset of a point from a line; false without a foot.
bool ScostamentoDa(const datipoli* linea, const AcGePoint3d& punto, double& scostamento) {
    const ads_point e = {punto.x, punto.y, 0};
    ads_point piede;
    return DistPPoly(linea, e, &scostamento, piede, nullptr, nullptr, nullptr, nullptr, 1) != 0;
}

// Whether a point of the inner circle lies on the inner arc, from t1 to t2
// the short way.
bool SullArcoInterno(const circ& interno, const ads_point t1, const ads_point t2, const AcGePoint3d& p) {
    const double a1 = std::atan2(t1[1] - interno.yc, t1[0] - interno.xc);
    const double ampiezza = std::remainder(std::atan2(t2[1] - interno.yc, t2[0] - interno.xc) - a1, kGiroCompleto);
    double d = std::remainder(std::atan2(p.y - interno.yc, p.x - interno.xc) - a1, kGiroCompleto);
    if (ampiezza < 0) d = -d;
    return d >= -1e-9 && d <= std::fabs(ampiezza) + 1e-9;
}

// The curve fitted again to end tangent to the inner arc's circle, with the
// deflection split 2/15, 11/15, 2/15 (see TricentricaTangente.h): the main
// side on the line from origine towards vertice, the curve's points and
// centres in the outline's order (exit: from the main side; entry: towards
// it), the join on the inner arc. Where the circle would be met past the
// inner arc's end t2 on the leg's line, the curve ends on that line instead,
// along it (sulRamo), and there is no inner arc. False, with the curve as it
// was, when the curve can do neither.
bool RaccordaAllArcoInterno(const Bordo& b, double deviazione, const ads_point origine, const ads_point vertice,
                            const circ& interno, const ads_point t1, const ads_point t2, AcGePoint3dArray& punti,
                            AcGePoint3dArray& centri, bool& antiorario, ads_point giunto, bool& sulRamo) {
    const bool uscita = b.lato == CConstrJunctor::kUscita;
    // The radii in the order met from the main side.
    const double raggi[3] = {b.raggi[uscita ? 0 : 2], b.raggi[1], b.raggi[uscita ? 2 : 0]};
    const double quote[3] = {kQuotaEstrema, kQuotaCentrale, kQuotaEstrema};
    AcGePoint3dArray p, c;
    double y = 0;
    bool ccw = false;
    if (!TricentricaTangenteAlCerchio(origine, vertice, b.k2, raggi, quote, deviazione, interno, p, c, y, ccw))
        return false;
    sulRamo = false;
    if (!SullArcoInterno(interno, t1, t2, p[3])) {
        // Along the leg's line at t2, the way the kerb goes on: the inner
        // arc's tangent there, in the curve's sense.
        const double rx = t2[0] - interno.xc, ry = t2[1] - interno.yc;
        const double direzione = ccw ? std::atan2(rx, -ry) : std::atan2(-rx, ry);
        if (!TricentricaTangenteAllaRetta(origine, vertice, b.k2, raggi, quote, t2, direzione, p, c, y, ccw))
            return false;
        const double avanti = (p[3].x - t2[0]) * std::cos(direzione) + (p[3].y - t2[1]) * std::sin(direzione);
        double scostamento = 0;
        if (avanti < 0 || !ScostamentoDa(b.ramo, p[3], scostamento) || std::fabs(scostamento) > kTolleranza)
            return false;
        sulRamo = true;
    }
    punti.setLogicalLength(0);
    centri.setLogicalLength(0);
    for (int i = 0; i < 4; ++i) punti.append(p[uscita ? i : 3 - i]);
    for (int i = 0; i < 3; ++i) centri.append(c[uscita ? i : 2 - i]);
    antiorario = uscita ? ccw : !ccw;
    DaPunto(giunto, p[3]);
    giunto[2] = 0;
    return true;
}

// The outline of one outer edge or shoulder: vertices with their bulges,
// running from the main side for the exit and towards it for the entry.
bool CostruisciBordo(CConstrJunctor& builder, const Bordo& b, const Registro& log, AcGePoint3dArray& vertici,
                     AcGeDoubleArray& bulge) {
    const bool uscita = b.lato == CConstrJunctor::kUscita;
    Lista lk;
    PolilineaDuePunti(b.k1, b.k2, lk.Testa());

    // Main line, widened by the lane when there is one.
    Lista offsetPrincipale;
    const datipoli* me = b.principale;
    if (b.corsia) {
        if (!OffsetPolilinea(b.destra ? kLatoOffsetDestro : 0, b.larghezzaCorsia, b.principale, nullptr,
                             kMinimoSegmento, offsetPrincipale.Testa()) ||
            !offsetPrincipale.get()) {
            log(kMsgOffset);
            return false;
        }
        me = offsetPrincipale.get();
    }

    ads_point c;
    if (!Intersezione(lk.get(), me, b.riferimento, c)) {
        log(kMsgIntersezioni);
        return false;
    }
    // The direction of travel of the traffic next to the leg; the exit
    // curve comes from behind along it, the entry curve goes on ahead.
    const double avanti = b.direzionePrincipale + (b.destra ? 0 : PI_GRECO);
    const double verso = uscita ? -kLunghezzaAusiliaria : kLunghezzaAusiliaria;
    ads_point a0;
    Sposta(c, avanti, verso, a0);

    // The inner arc: centre at the inner radius from the lane line (on the
    // outer side) and from the leg's line offset outwards by that radius.
    Lista offsetRamo;
    if (!OffsetPolilinea(b.latoOffsetRamo, b.raggioInterno, b.ramo, nullptr, kMinimoSegmento, offsetRamo.Testa()) ||
        !offsetRamo.get()) {
        log(kMsgOffset);
        return false;
    }
    ads_point s1, s2;
    PuntiPerpendicolari(uscita ? b.raggioInterno : -b.raggioInterno, b.k2, b.k1, s1, s2);
    s1[2] = s2[2] = 0;
    Lista spostata;
    PolilineaDuePunti(s2, s1, spostata.Testa());
    ads_point x3;
    if (!Intersezione(spostata.get(), offsetRamo.get(), b.riferimento, x3)) {
        log(kMsgIntersezioni);
        return false;
    }
    x3[2] = 0;
    circ interno{x3[0], x3[1], 0, b.raggioInterno, 0, 0};
    ads_point t1, t2;
    if (!builder.PuntoSuCerchio(interno, b.k2, b.k1, t1) || !builder.PuntoVicinoCerchio(interno, b.ramo, t2)) {
        log(kMsgRaccordoInterno);
        return false;
    }
    t1[2] = t2[2] = 0;

    AcGeDoubleArray angoli, raggi;
    for (int i = 0; i < 3; ++i) {
        angoli.append(b.angoli[i]);
        raggi.append(b.raggi[i]);
    }
    AcGePoint3dArray punti, centri;
    bool antiorario = false;
    const bool posizionata = uscita ? builder.PosizionaTricentrica(a0, b.k2, c, angoli, raggi, punti, centri, antiorario)
                                    : builder.PosizionaTricentrica(b.k2, a0, c, angoli, raggi, punti, centri, antiorario);
    if (!posizionata) return false;
    // The line the curve leaves (exit) or reaches (entry) on the main side,
    // from a point on it towards the curve's vertex.
    ads_point origine, vertice;
    Copia(origine, a0);
    Copia(vertice, c);
    auto estremoPrincipale = [&]() { return uscita ? punti[0] : punti[punti.length() - 1]; };

    // Refit: when the curve's main-side end is off the main line (a curved
    // main road), the curve is placed again on the tangent to the main line
    // at a point Pm a margin beyond that end, which stays as a vertex.
    ads_point pm = {0, 0, 0};
    bool conPm = false;
    auto rifaiSuPm = [&](const AcGePoint3d& estremo) {
        const ads_point e = {estremo.x, estremo.y, 0};
        double scostamento = 0, progressiva = 0;
        ads_point piede;
        if (!DistPPoly(me, e, &scostamento, piede, &progressiva, nullptr, nullptr, nullptr, 1)) return false;
        const double r = progressiva + (uscita == b.destra ? -MargineProgressiva : MargineProgressiva);
        double phi = 0;
        if (XYdaProgsuDatiPoli(me, r, pm, &phi) != 0) return false;
        pm[2] = 0;
        ads_point g;
        Sposta(pm, phi + (b.destra ? 0 : PI_GRECO), verso, g);
        Lista tangente;
        PolilineaDuePunti(pm, g, tangente.Testa());
        ads_point c2;
        if (!Intersezione(lk.get(), tangente.get(), b.riferimento, c2)) {
            log(kMsgIntersezioni);
            Copia(c2, c);
        }
        const double y = PI_GRECO - AngMin3P(b.k2, c2, pm);
        angoli.setAt(0, y * kQuotaEstrema);
        angoli.setAt(1, y * kQuotaCentrale);
        angoli.setAt(2, y * kQuotaEstrema);
        const bool ok = uscita ? builder.PosizionaTricentrica(pm, b.k2, c2, angoli, raggi, punti, centri, antiorario)
                               : builder.PosizionaTricentrica(b.k2, pm, c2, angoli, raggi, punti, centri, antiorario);
        if (!ok) return false;
        Copia(origine, pm);
        Copia(vertice, c2);
        conPm = true;
        return true;
    };
    {
        double scostamento = 0;
        if (!ScostamentoDa(me, estremoPrincipale(), scostamento)) return false;
        if (std::fabs(scostamento) > kScostamentoMassimo && !rifaiSuPm(estremoPrincipale())) return false;
    }

    // Where the curve reaches the lane line past the inner arc's start t1 (a
    // lane or a shoulder moves the main line towards the leg, and the curve
    // needs more room than the lane line leaves), the straight along the
    // lane line would run back: the curve is fitted once more, with the
    // deflection that makes it end tangent to the inner arc's circle, and
    // goes on along the inner arc from there. Its main-side end slides along
    // the main line. Then Pm must still lie before the curve: where the
    // refitted curve starts behind it, Pm is taken again from the new start,
    // or, when that start lies on the main line, left out.
    const int n = punti.length();
    // Without a join the whole curve is kept and the straight leads from
    // its end on the lane line to t1: the join is then that end.
    int arcoFinale = uscita ? n - 1 : 0;  // the curve's last vertex before the join (exit), first after it (entry)
    ads_point giunto;
    bool unito = false, sulRamo = false;
    for (int prova = 0;; ++prova) {
        Copia(giunto, t1);
        unito = sulRamo = false;
        arcoFinale = uscita ? n - 1 : 0;
        const AcGePoint3d& fineLinea = uscita ? punti[n - 1] : punti[0];
        const double ux = b.k2[0] - b.k1[0], uy = b.k2[1] - b.k1[1];
        if ((t1[0] - fineLinea.x) * ux + (t1[1] - fineLinea.y) * uy < 0) {
            // From the deflection that ends the curve along the lane line.
            const double deviazione = PI_GRECO - AngMin3P(b.k2, vertice, origine);
            if (!RaccordaAllArcoInterno(b, deviazione, origine, vertice, interno, t1, t2, punti, centri, antiorario,
                                        giunto, sulRamo)) {
                log(kMsgRitorno);
                log(uscita ? kMsgRitornoUscita : kMsgRitornoImmissione);
                return false;
            }
            arcoFinale = uscita ? n - 2 : 1;
            unito = true;
        }
        if (!conPm) break;
        // Pm must lie before the curve's main-side end along the line.
        const AcGePoint3d inizio = estremoPrincipale();
        const double lx = vertice[0] - pm[0], ly = vertice[1] - pm[1], ll = std::hypot(lx, ly);
        if (ll > 0 && ((inizio.x - pm[0]) * lx + (inizio.y - pm[1]) * ly) / ll >= kStessoVertice) break;
        // Pm is taken again a margin beyond the curve's new start; after a
        // few tries a start on the main line does without it.
        if (prova >= kRifacimentiMassimi) {
            double scostamento = 0;
            if (!ScostamentoDa(me, inizio, scostamento)) return false;
            if (std::fabs(scostamento) > kScostamentoMassimo) {
                log(kMsgPrincipale);
                return false;
            }
            conPm = false;
            break;
        }
        if (!rifaiSuPm(inizio)) return false;
    }

    auto aggiungi = [&](const ads_point p, double bl) {
        vertici.append(AcGePoint3d(p[0], p[1], 0));
        bulge.append(bl);
    };
    auto bulgeArco = [&](int i, const ads_point da, const ads_point a) {
        ads_point centro;
        DaPunto(centro, centri[i]);
        return CalcolaBulge(antiorario, centro, da, a);
    };
    auto punto = [&](int i, ads_point p) { DaPunto(p, punti[i]); };
    // The lane shoulder point closes the main side when it lies before the
    // curve's start along the road (after its end on the entry side); where
    // the shoulder's own curve leaves the main line before it, the outline
    // would run back to it, and starts (ends) on the curve as without a lane.
    bool conExtra = b.conPuntoExtra;
    if (conExtra) {
        ads_point estremo;
        if (conPm) Copia(estremo, pm); else DaPunto(estremo, punti[uscita ? 0 : n - 1]);
        const double d =
            (estremo[0] - b.puntoExtra[0]) * std::cos(avanti) + (estremo[1] - b.puntoExtra[1]) * std::sin(avanti);
        conExtra = uscita ? d > 0 : d < 0;
    }
    // The closing piece between the lane shoulder point and the outline's
    // main-side end runs along the main line: on a curved road it follows
    // its arc, where a chord would leave a corner at the end.
    ads_point estremoCurva;
    if (conPm) Copia(estremoCurva, pm); else DaPunto(estremoCurva, punti[uscita ? 0 : n - 1]);
    AcGePoint3dArray verticiChiusura;
    AcGeDoubleArray bulgeChiusura;
    if (conExtra && !(uscita ? EstraiTrattoPolilinea(me, b.puntoExtra, estremoCurva, verticiChiusura, bulgeChiusura,
                                                     nullptr, nullptr)
                             : EstraiTrattoPolilinea(me, estremoCurva, b.puntoExtra, verticiChiusura, bulgeChiusura,
                                                     nullptr, nullptr))) {
        verticiChiusura.setLogicalLength(0);
        bulgeChiusura.setLogicalLength(0);
    }
    // The closing piece's first bulge (a straight without one) and its inner vertices.
    const double bulgeChiusa = bulgeChiusura.isEmpty() ? 0.0 : bulgeChiusura.first();
    auto interniChiusura = [&]() {
        for (int k = 1; k + 1 < verticiChiusura.length(); ++k) {
            vertici.append(verticiChiusura[k]);
            bulge.append(bulgeChiusura[k]);
        }
    };
    vertici.setLogicalLength(0);
    bulge.setLogicalLength(0);
    if (uscita) {
        if (conExtra) {
            aggiungi(b.puntoExtra, bulgeChiusa);
            interniChiusura();
        }
        if (conPm) aggiungi(pm, 0);
        // The curve up to the join (its arc cut there), then the inner arc.
        for (int i = 0; i <= arcoFinale; ++i) {
            ads_point p, q;
            punto(i, p);
            if (i < arcoFinale) punto(i + 1, q);
            else Copia(q, giunto);
            aggiungi(p, i < arcoFinale || unito ? bulgeArco(i, p, q) : 0.0);
        }
        // A curve that ends on the leg's line ends the outline there.
        if (sulRamo) {
            aggiungi(giunto, 0);
        } else {
            aggiungi(giunto, CalcolaBulge(false, x3, giunto, t2));
            aggiungi(t2, 0);
        }
    } else {
        if (!sulRamo) aggiungi(t2, CalcolaBulge(antiorario, x3, t2, giunto));
        // From the join (on the arc before arcoFinale) along the rest of the curve.
        if (!unito) aggiungi(t1, 0);
        else {
            ads_point q;
            punto(arcoFinale, q);
            aggiungi(giunto, bulgeArco(arcoFinale - 1, giunto, q));
        }
        for (int i = arcoFinale; i < n; ++i) {
            ads_point p, q;
            punto(i, p);
            if (i + 1 < n) punto(i + 1, q);
            aggiungi(p, i + 1 < n ? bulgeArco(i, p, q) : 0.0);
        }
        if (conPm) aggiungi(pm, 0);
        if (conExtra) {
            bulge.last() = bulgeChiusa;
            interniChiusura();
            aggiungi(b.puntoExtra, 0);
        }
    }
    return vertici.length() == bulge.length();
}

}  // namespace

bool CConstrJunctor::CalcolaTricentrica(const AcGeDoubleArray& angoli, const AcGeDoubleArray& raggi,
                                        AcGePoint3dArray& punti, AcGePoint3dArray& centri, ads_point vertice) {
    if (angoli.isEmpty() || angoli.length() != raggi.length()) return false;
    // A radius that is not positive, or an angle that does not turn the
    // curve onwards, gives arcs whose bulges, taken in the curve's sense,
    // would stand for (nearly) whole circles.
    for (int i = 0; i < raggi.length(); ++i) {
        if (!std::isfinite(raggi[i]) || !(raggi[i] > 0) || !std::isfinite(angoli[i]) || !(angoli[i] > 0)) {
            Log(L" - Raggi o angoli della curva tricentrica non validi.\r\n");
            return false;
        }
    }
    // Local frame: from the origin heading along +x, turning counter-clockwise.
    punti.setLogicalLength(0);
    centri.setLogicalLength(0);
    double theta = -MEZZO_PI_GRECO;
    double px = 0, py = 0;
    punti.append(AcGePoint3d(px, py, 0));
    for (int i = 0; i < raggi.length(); ++i) {
        const double cx = px - raggi[i] * std::cos(theta);
        const double cy = py - raggi[i] * std::sin(theta);
        centri.append(AcGePoint3d(cx, cy, 0));
        theta += angoli[i];
        px = cx + raggi[i] * std::cos(theta);
        py = cy + raggi[i] * std::sin(theta);
        punti.append(AcGePoint3d(px, py, 0));
    }
    // The vertex: where the last tangent meets the first one.
    const ads_point o = {0, 0, 0}, x = {10, 0, 0};
    const ads_point fine = {px, py, 0};
    ads_point oltre;
    Sposta(fine, theta + MEZZO_PI_GRECO, 10, oltre);
    if (!mio_inters(o, x, fine, oltre, 0, vertice, 0)) {
        // The curve turns through half a circle: its tangents never meet.
        Log(L" - Impossibile calcolare il vertice della curva tricentrica.\r\n");
        return false;
    }
    return true;
}

bool CConstrJunctor::PosizionaTricentrica(const ads_point a, const ads_point b, const ads_point c,
                                          const AcGeDoubleArray& angoli, const AcGeDoubleArray& raggi,
                                          AcGePoint3dArray& punti, AcGePoint3dArray& centri, bool& antiorario) {
    if (angoli.length() != raggi.length()) return false;
    ads_point vertice;
    if (!CalcolaTricentrica(angoli, raggi, punti, centri, vertice)) return false;
    const double l = std::hypot(c[0] - a[0], c[1] - a[1]);
    const double ux = l > 0 ? (c[0] - a[0]) / l : 0, uy = l > 0 ? (c[1] - a[1]) / l : 0;
    // Local origin: the vertex lands on C, the first tangent on the line A C.
    const double dx = c[0] - vertice[0] * ux, dy = c[1] - vertice[0] * uy;
    const double prodotto = ux * (b[1] - dy) - uy * (b[0] - dx);
    if (l == 0 || prodotto == 0) {
        // B on the line A C (or A on C): no side to turn towards.
        Log(L" - Impossibile stabilire il verso della curva tricentrica.\r\n");
        return false;
    }
    const double f = prodotto > 0 ? 1.0 : -1.0;
    auto trasforma = [&](AcGePoint3dArray& lista) {
        for (int i = 0; i < lista.length(); ++i) {
            const double x = lista[i].x, y = lista[i].y;
            lista.setAt(i, AcGePoint3d(dx + x * ux - f * y * uy, dy + x * uy + f * y * ux, 0));
        }
    };
    trasforma(punti);
    trasforma(centri);
    antiorario = f > 0;
    return true;
}

bool CConstrJunctor::CostruisciCiglioEsterno(int lato, AcDb2dPolyline** polilinea) {
    if (polilinea) *polilinea = nullptr;
    const int a = lato == kImmissione ? kImmissione : kUscita;
    m_sezioniCiglioCalcolate[a] = false;
    if (!polilinea || !m_principale || !m_secondaria || !m_parametri) return false;
    const bool uscita = a == kUscita;
    const CConstrPars& p = *m_parametri;
    const bool destra = m_secondaria->GetLato() == CSecondariaJunctor::kDestra;
    const bool in = m_secondaria->GetVerso() == CSecondariaJunctor::kIn;
    const bool corsia = m_corsie && Acceso(uscita ? m_corsie->GetCorsiaUsc() : m_corsie->GetCorsiaImm());

    Bordo b;
    b.lato = a;
    b.destra = destra;
    const CSingleConstrPar* r[3] = {uscita ? &p.r1u : &p.r1e, uscita ? &p.r2u : &p.r2e, uscita ? &p.r3u : &p.r3e};
    const CSingleConstrParAngle* an[3] = {uscita ? &p.a1u : &p.a1e, uscita ? &p.a2u : &p.a2e,
                                          uscita ? &p.a3u : &p.a3e};
    for (int i = 0; i < 3; ++i) {
        b.raggi[i] = r[i]->GetValore();
        b.angoli[i] = an[i]->CSingleConstrPar::GetValore();  // radians, whatever the display unit
    }
    b.raggioInterno = (uscita ? p.RaggioInternoUsc : p.RaggioInternoImm).GetValore();
    Copia(b.k1, uscita ? m_offsetB1 : m_offsetB2);
    Copia(b.k2, uscita ? m_offsetApiceUscita : m_offsetApiceImmissione);
    b.principale = destra ? m_principale->GetDatiPoliCiglioDx() : m_principale->GetDatiPoliCiglioSx();
    b.corsia = corsia;
    if (corsia) b.larghezzaCorsia = (uscita ? m_corsie->ULCUsc : m_corsie->ILCImm).GetValore();
    // The leg's edge on this side: for an In leg the entry side is its
    // right, for an Out leg its left; offset outwards.
    const bool ramoDestro = (a == kImmissione) == in;
    b.ramo = ramoDestro ? m_secondaria->GetDatiPoliCiglioDx() : m_secondaria->GetDatiPoliCiglioSx();
    b.latoOffsetRamo = ramoDestro ? kLatoOffsetDestro : 0;
    b.direzionePrincipale = m_principale->GetDirezione();
    Copia(b.riferimento, m_isola1);
    if (!b.principale || !b.ramo) return false;

    AcGePoint3dArray vertici(0, 8);
    AcGeDoubleArray bulge(0, 8);
    if (!CostruisciBordo(*this, b, [this](const wchar_t* riga) { Log(riga); }, vertici, bulge)) return false;
    if (corsia) {
        ads_point piede;
        double o = 0, delta = 0;
        if (!SezioniDaEstremo(m_principale->GetDatiPoliAsse(), uscita ? vertici.first() : vertici.last(), *m_corsie,
                              uscita, destra, m_sezioniCiglio[a],
                              piede, o, delta))
            return false;
        m_sezioniCiglioCalcolate[a] = true;
        // The lane shoulder point: the foot moved out across the lane's
        // shoulder, on the side of the end.
        const double banchina = (uscita ? m_corsie->ULBCUsc : m_corsie->ILBCImm).GetValore();
        const double d = (std::fabs(o) + banchina) * (o < 0 ? -1.0 : 1.0);
        Sposta(piede, delta - MEZZO_PI_GRECO, d, m_puntoBanchinaCorsia[a]);
    }
    *polilinea = CreaPolilinea(vertici, bulge);
    return true;
}

bool CConstrJunctor::CostruisciBanchinaEsterna(int lato, AcDb2dPolyline** polilinea) {
    if (polilinea) *polilinea = nullptr;
    const int a = lato == kImmissione ? kImmissione : kUscita;
    m_sezioniBanchinaCalcolate[a] = false;
    if (!polilinea || !m_principale || !m_secondaria || !m_parametri) return false;
    const bool uscita = a == kUscita;
    const CConstrPars& p = *m_parametri;
    const bool destra = m_secondaria->GetLato() == CSecondariaJunctor::kDestra;
    const bool in = m_secondaria->GetVerso() == CSecondariaJunctor::kIn;
    const bool corsia = m_corsie && Acceso(uscita ? m_corsie->GetCorsiaUsc() : m_corsie->GetCorsiaImm());
    // The lane shoulder point comes from the edge of the same side.
    if (corsia && !m_sezioniCiglioCalcolate[a]) return false;

    const bool ramoDestro = (a == kImmissione) == in;
    const double distanzaRamo =
        ramoDestro ? m_secondaria->GetDistanzaBanchinaDx() : m_secondaria->GetDistanzaBanchinaSx();
    const double banchinaCorsia =
        m_corsie ? (uscita ? m_corsie->ULBCUsc : m_corsie->ILBCImm).GetValore() : 0.0;
    const double lbint = p.Lbint.GetValore();

    Bordo b;
    b.lato = a;
    b.destra = destra;
    const double u = (uscita ? p.r2u : p.r2e).GetValore() - std::min(banchinaCorsia, distanzaRamo);
    const CSingleConstrParAngle* an[3] = {uscita ? &p.a1u : &p.a1e, uscita ? &p.a2u : &p.a2e,
                                          uscita ? &p.a3u : &p.a3e};
    b.raggi[0] = kRapportoPrimo * u;
    b.raggi[1] = u;
    b.raggi[2] = kRapportoTerzo * u;
    for (int i = 0; i < 3; ++i) b.angoli[i] = an[i]->CSingleConstrPar::GetValore();
    b.raggioInterno = (uscita ? p.RaggioInternoUsc : p.RaggioInternoImm).GetValore() - std::min(lbint, distanzaRamo);
    // The lane line moved outwards by the inner shoulder width.
    const double* k1 = uscita ? m_offsetB1 : m_offsetB2;
    const double* k2 = uscita ? m_offsetApiceUscita : m_offsetApiceImmissione;
    PuntiPerpendicolari(uscita ? lbint : -lbint, k2, k1, b.k2, b.k1);
    b.k1[2] = b.k2[2] = 0;
    b.corsia = corsia;
    if (corsia) {
        b.principale = destra ? m_principale->GetDatiPoliCiglioDx() : m_principale->GetDatiPoliCiglioSx();
        b.larghezzaCorsia = (uscita ? m_corsie->ULCUsc : m_corsie->ILCImm).GetValore() + banchinaCorsia;
        b.conPuntoExtra = true;
        Copia(b.puntoExtra, m_puntoBanchinaCorsia[a]);
    } else {
        b.principale = destra ? m_principale->GetDatiPoliBanchinaDx() : m_principale->GetDatiPoliBanchinaSx();
    }
    b.ramo = ramoDestro ? m_secondaria->GetDatiPoliBanchinaDx() : m_secondaria->GetDatiPoliBanchinaSx();
    b.latoOffsetRamo = ramoDestro ? kLatoOffsetDestro : 0;
    b.direzionePrincipale = m_principale->GetDirezione();
    Copia(b.riferimento, m_isola1);
    if (!b.principale || !b.ramo) return false;

    AcGePoint3dArray vertici(0, 8);
    AcGeDoubleArray bulge(0, 8);
    if (!CostruisciBordo(*this, b, [this](const wchar_t* riga) { Log(riga); }, vertici, bulge)) return false;
    if (corsia) {
        ads_point piede;
        double o = 0, delta = 0;
        const AcGePoint3d fine(b.puntoExtra[0], b.puntoExtra[1], 0);
        if (!SezioniDaEstremo(m_principale->GetDatiPoliAsse(), fine, *m_corsie, uscita, destra,
                              m_sezioniBanchina[a], piede, o, delta))
            return false;
        m_sezioniBanchinaCalcolate[a] = true;
    }
    *polilinea = CreaPolilinea(vertici, bulge);
    return true;
}

bool CConstrJunctor::CostruisciCigliEsterni() {
    bool esito = true;
    struct Passo {
        int lato;
        const wchar_t* ciglio;
        const wchar_t* banchina;
    };
    // Entry side first, then exit side; a side's shoulder only after its edge.
    for (const Passo& passo : {Passo{kImmissione, L"rCEIN", L"rBEIN"}, Passo{kUscita, L"rCEOUT", L"rBEOUT"}}) {
        m_idCiglioEsterno[passo.lato] = AcDbObjectId();
        m_idBanchinaEsterna[passo.lato] = AcDbObjectId();
        AcDb2dPolyline* ciglio = nullptr;
        if (!CostruisciCiglioEsterno(passo.lato, &ciglio)) {
            esito = false;
            continue;
        }
        AcGePoint3dArray verticiCiglio;
        AcGeDoubleArray bulgeCiglio;
        VerticiPolilinea(ciglio, verticiCiglio, bulgeCiglio);
        m_idCiglioEsterno[passo.lato] = Disegna(ciglio, L"QV-CIGLI", passo.ciglio);
        if (m_idCiglioEsterno[passo.lato].isNull()) {
            esito = false;
            continue;
        }
        AcDb2dPolyline* banchina = nullptr;
        if (!CostruisciBanchinaEsterna(passo.lato, &banchina)) {
            esito = false;
            continue;
        }
        // The shoulder keeps clear of its edge all along: one that touches
        // or crosses it is no shoulder of that edge.
        AcGePoint3dArray verticiBanchina;
        AcGeDoubleArray bulgeBanchina;
        VerticiPolilinea(banchina, verticiBanchina, bulgeBanchina);
        if (DistanzaContorni(verticiCiglio, bulgeCiglio, false, verticiBanchina, bulgeBanchina, false) <
            kDistanzaBanchina) {
            CString riga;
            riga.Format(L"%s%s.\r\n", TranslateText(kMsgBanchinaSulCiglio), passo.banchina);
            m_log += riga;
            delete banchina;
            esito = false;
            continue;
        }
        m_idBanchinaEsterna[passo.lato] = Disegna(banchina, L"QV-BANCHINE", passo.banchina);
        if (m_idBanchinaEsterna[passo.lato].isNull()) esito = false;
    }
    return esito;
}
