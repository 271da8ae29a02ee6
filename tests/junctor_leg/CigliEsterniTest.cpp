// The curb returns of a leg: the three-centred curve in its local frame and
// placed between two lines; the outer edges and shoulders on generated roads
// (right and left legs, In and Out, three crossing angles, straight and
// curved main roads, two main shoulders, with and without entry and exit
// lanes) checked for tangency, radii, angles, the lines they run on and the
// lane section chainages; and the failures of a side.
#include <cmath>
#include <string>
#include <vector>

#include "Angoli.h"
#include "CConstrJunctor.h"
#include "CostruttoreDiProva.h"
#include "LegTest.h"

namespace {

using geomcheck::GeometryChecker;
using geomcheck::Vec2;
using geomcheck::Vertex;

constexpr double kPi = 3.14159265358979323846;
constexpr double kTolPunto = 1e-6;
constexpr double kTolAngolo = 1e-7;

using Costruttore = CostruttoreDiProva;

// The log as text for a failure message.
std::string Testo(const CString& log) {
    std::string r;
    for (const wchar_t* c = log; *c; ++c) r += *c < 128 ? static_cast<char>(*c) : '?';
    return r;
}

int Conta(const CString& testo, const wchar_t* riga) {
    int n = 0;
    for (int i = testo.Find(riga); i >= 0; i = testo.Find(riga, i + 1)) ++n;
    return n;
}

// Entry and exit lanes with different widths, so that a mix-up shows.
struct Corsie {
    double largImm = 3.5, banchinaImm = 1.0, acc = 100, imm = 30, manImm = 40;
    double largUsc = 3.25, banchinaUsc = 0.75, dec = 80, manUsc = 40;
};

void AccendiCorsie(CLanePars* c, const Corsie& v = Corsie()) {
    c->SetCorsie(true, true, false, false);
    c->ILCImm.SetValore(v.largImm);
    c->ILBCImm.SetValore(v.banchinaImm);
    c->IAccLae.SetValore(v.acc);
    c->IImmLie.SetValore(v.imm);
    c->IManLve.SetValore(v.manImm);
    c->ULCUsc.SetValore(v.largUsc);
    c->ULBCUsc.SetValore(v.banchinaUsc);
    c->UDecLdu.SetValore(v.dec);
    c->UManLmu.SetValore(v.manUsc);
}

// At 70 and 110 degrees the crossing angle lies on a bound of the range in
// which the radii follow the crossing angle, so a new set keeps radii of 0;
// the style then carries its own, here the ones the rule gives at the bound.
void RaggiDelloStile(CConstrPars* p) {
    if (p->r2e.GetValore() != 0) return;
    p->r2e.SetValore(p->GetAngoloIncrocio(false) < MEZZO_PI_GRECO ? 10 : 20);
    p->AccoppiaRaggi(1, false, true, false);
    p->r2u.SetValore(30 - p->r2e.GetValore());
    p->AccoppiaRaggi(0, false, true, false);
}

std::vector<Vertex> Leggi(AcDbObjectId id) {
    std::vector<Vertex> v;
    ads_name e;
    datipoli* lista = nullptr;
    if (id.isNull() || acdbGetAdsName(e, id) != Acad::eOk || !LeggiDATIPOLI(e, &lista)) return v;
    for (const datipoli* n = lista; n; n = n->next) v.push_back({n->x, n->y, n->bulge});
    LiberaDATIPOLI(&lista);
    return v;
}

// The layer of a drawn polyline and the edge code of its extended data.
std::pair<std::wstring, std::wstring> LayerECodice(AcDbObjectId id) {
    std::pair<std::wstring, std::wstring> r;
    AcDbEntity* entita = nullptr;
    if (acdbOpenObject(entita, id, AcDb::kForRead) != Acad::eOk) return r;
    ACHAR* layer = entita->layer();
    r.first = layer;
    acutDelString(layer);
    entita->close();
    resbuf* dati = LeggiDatiEstesi(id, kAppIntersezione);
    if (dati && dati->rbnext && dati->rbnext->rbnext && dati->rbnext->rbnext->restype == 1000)
        r.second = dati->rbnext->rbnext->resval.rstring;
    acutRelRb(dati);
    return r;
}

// The same polyline run the other way: each bulge moves to its segment and
// changes sign.
std::vector<Vertex> Inverti(const std::vector<Vertex>& v) {
    const size_t n = v.size();
    std::vector<Vertex> r(n);
    for (size_t i = 0; i < n; ++i) r[i] = {v[n - 1 - i].x, v[n - 1 - i].y, i + 1 < n ? -v[n - 2 - i].bulge : 0};
    return r;
}

Vec2 V(const Vertex& v) { return {v.x, v.y}; }
Vec2 V(const double* p) { return {p[0], p[1]}; }
double Angolo(Vec2 a, Vec2 b) { return std::atan2(b.y - a.y, b.x - a.x); }
// Distance of p from the line a -> b, positive on its left.
double SulLato(Vec2 a, Vec2 b, Vec2 p) {
    const double dx = b.x - a.x, dy = b.y - a.y;
    return (dx * (p.y - a.y) - dy * (p.x - a.x)) / std::hypot(dx, dy);
}

// The known layout of the generated main axis (LegScenario.cpp): a straight
// from (-400, 0) to (400, 0); or a straight from (-300, 0) to the origin and
// a left-hand curve of radius R about (0, R). The chainage of a point's
// foot and the road's direction there, computed without the library.
double Progressiva(const legs::Incrocio& i, Vec2 p) {
    if (!i.curva) return i.progIniziale + p.x + 400;
    if (p.x <= 0) return i.progIniziale + p.x + 300;
    return i.progIniziale + 300 + i.raggioCurva * std::atan2(p.x, i.raggioCurva - p.y);
}
double DirezioneStrada(const legs::Incrocio& i, Vec2 p) {
    return i.curva && p.x > 0 ? std::atan2(p.x, i.raggioCurva - p.y) : 0.0;
}

// The section chainages of a lane from the chainage where its curb return
// leaves the main line (leg on the right; on the left the other way round).
void Sezioni(bool uscita, bool destra, double c, const Corsie& v, double s[3]) {
    if (uscita) {
        if (destra) {
            s[2] = c, s[1] = c - v.dec + v.manUsc / 2, s[0] = s[1] - v.manUsc;
        } else {
            s[0] = c, s[1] = c + v.dec - v.manUsc / 2, s[2] = s[1] + v.manUsc;
        }
    } else {
        if (destra) {
            s[0] = c, s[1] = c + v.acc - v.imm, s[2] = s[1] + v.manImm;
        } else {
            s[2] = c, s[1] = c - v.acc + v.imm, s[0] = s[1] - v.manImm;
        }
    }
}

struct Caso {
    legs::Incrocio incrocio;
    bool corsie = false;
};

void PrintTo(const Caso& c, std::ostream* os) { *os << legs::Descrivi(c.incrocio) << (c.corsie ? " lanes" : ""); }

class CigliEsterniSuStradeGenerate : public LegTest, public ::testing::WithParamInterface<Caso> {
protected:
    // Checks the outline of one side's edge (or shoulder) against what the
    // road, the island and the style make of it.
    void VerificaBordo(const legs::Scenario& s, Costruttore& b, int lato, bool banchina) {
        const legs::Incrocio& i = s.Dati();
        const bool uscita = lato == CConstrJunctor::kUscita;
        const bool destra = i.lato == CSecondariaJunctor::kDestra;
        const bool in = i.verso == CSecondariaJunctor::kIn;
        const bool corsia = GetParam().corsie;
        const Corsie valori;
        const CConstrPars& p = *m_scenario->Ramo()->GetParametri();
        CPrincipaleJunctor* principale = m_scenario->Principale();
        CSecondariaJunctor* ramo = m_scenario->Ramo();
        SCOPED_TRACE(std::string(uscita ? "exit " : "entry ") + (banchina ? "shoulder" : "edge"));
        // The library's directions on a tight curve are a few 1e-7 off.
        const double tolAngolo = i.curva && i.raggioCurva < 400 ? 1e-6 : kTolAngolo;

        const AcDbObjectId id = banchina ? b.m_idBanchinaEsterna[lato] : b.m_idCiglioEsterno[lato];
        ASSERT_FALSE(id.isNull());
        const auto lc = LayerECodice(id);
        EXPECT_EQ(lc.first, banchina ? L"QV-BANCHINE" : L"QV-CIGLI");
        EXPECT_EQ(lc.second, std::wstring(banchina ? (uscita ? L"rBEOUT" : L"rBEIN") : (uscita ? L"rCEOUT" : L"rCEIN")));

        // Main side first: the entry outline runs towards the main road.
        const std::vector<Vertex> v = uscita ? Leggi(id) : Inverti(Leggi(id));
        const bool rifatta = i.curva;  // the curve's end is off a curved main line: refitted
        // A shoulder with its lane starts (the entry one ends) on the lane
        // shoulder point, unless its own curve leaves the main line before
        // that point: then it starts on the curve, so as not to run back.
        const Vec2 puntoCorsia = V(b.m_puntoBanchinaCorsia[lato]);
        const bool extra = banchina && corsia && std::hypot(v[0].x - puntoCorsia.x, v[0].y - puntoCorsia.y) < kTolPunto;
        if (banchina && corsia && !extra) {
            const double avantiCorsia = DirezioneStrada(i, V(v[0])) + (destra ? 0 : kPi);
            const double d = std::cos(avantiCorsia) * (v[0].x - puntoCorsia.x) +
                             std::sin(avantiCorsia) * (v[0].y - puntoCorsia.y);
            EXPECT_LT(d * (uscita ? 1 : -1), 0) << "the lane shoulder point left out where it fits";
        }
        // The whole curve, a straight along the lane line and the inner arc;
        // or, where the curve would reach the lane line past the inner arc's
        // start, the curve fitted again to run into the inner arc, and that
        // arc. A refitted curve starts from Pm on the main line along a
        // straight, unless Pm would lie behind the curve's start.
        // The closing piece from the lane shoulder point follows the main
        // line: where the main alignment changes element on the way, the
        // foot of that change is a vertex of it.
        size_t e = extra ? 1 : 0;
        if (extra) {
            const std::vector<Vertex>& asse = m_scenario->StradaPrincipale().asse;
            auto AlCambio = [&](const Vertex& p) {
                for (size_t k = 1; k + 1 < asse.size(); ++k) {
                    const double t = GeometryChecker(asse).TangentOut(k);
                    if (std::fabs((p.x - asse[k].x) * std::cos(t) + (p.y - asse[k].y) * std::sin(t)) < 1e-6)
                        return true;
                }
                return false;
            };
            while (e < v.size() && AlCambio(v[e])) ++e;
        }
        const bool conPm = rifatta && v.size() > e + 1 && v[e].bulge == 0;
        const size_t q0 = e + (conPm ? 1 : 0);
        // Where the inner arc would have to reach past the leg's line, the
        // curve ends on that line, along it, with no inner arc.
        ASSERT_GE(v.size(), q0 + 4);
        const bool sulRamo = v.size() == q0 + 4;
        const bool unita = sulRamo || v.size() == q0 + 5;
        ASSERT_TRUE(unita || v.size() == q0 + 6) << v.size();
        const size_t t2 = v.size() - 1, t1 = sulRamo ? t2 : t2 - 1;
        const size_t q3 = unita ? t1 : q0 + 3;  // where the curve ends
        const GeometryChecker g(v);

        // The lines: main line (with its signed offset towards the leg),
        // lane line (moved outwards for the shoulder), leg line.
        const double w = corsia ? (uscita ? valori.largUsc : valori.largImm) : 0;
        const double bc = corsia ? (uscita ? valori.banchinaUsc : valori.banchinaImm) : 0;
        const datipoli* linea = (banchina && !corsia)
                                    ? (destra ? principale->GetDatiPoliBanchinaDx() : principale->GetDatiPoliBanchinaSx())
                                    : (destra ? principale->GetDatiPoliCiglioDx() : principale->GetDatiPoliCiglioSx());
        const double scostamento = (destra ? 1 : -1) * (banchina ? w + bc : w);
        const GeometryChecker principaleG = CheckerOf(linea);

        const Vec2 k1 = V(uscita ? b.m_offsetB1 : b.m_offsetB2);
        const Vec2 k2 = V(uscita ? b.m_offsetApiceUscita : b.m_offsetApiceImmissione);
        const double fuori = uscita ? -1 : 1;  // outwards from the lane line: right of K1 -> K2 on the exit side
        const double lbint = p.Lbint.GetValore();
        const double spostamento = banchina ? lbint : 0;

        const bool ramoDestro = !uscita == in;
        const datipoli* lineaRamo = banchina ? (ramoDestro ? ramo->GetDatiPoliBanchinaDx() : ramo->GetDatiPoliBanchinaSx())
                                             : (ramoDestro ? ramo->GetDatiPoliCiglioDx() : ramo->GetDatiPoliCiglioSx());
        const GeometryChecker ramoG = CheckerOf(lineaRamo);
        const double distanzaRamo = i.banchinaRamo;

        double raggi[3], angoli[3];
        const double r2 = (uscita ? p.r2u : p.r2e).GetValore();
        if (banchina) {
            const double u = r2 - std::min(bc, distanzaRamo);
            raggi[0] = 2.5 * u, raggi[1] = u, raggi[2] = 5.5 * u;
        } else {
            raggi[0] = (uscita ? p.r1u : p.r1e).GetValore(), raggi[1] = r2, raggi[2] = (uscita ? p.r3u : p.r3e).GetValore();
        }
        angoli[0] = (uscita ? p.a1u : p.a1e).CSingleConstrPar::GetValore();
        angoli[1] = (uscita ? p.a2u : p.a2e).CSingleConstrPar::GetValore();
        angoli[2] = (uscita ? p.a3u : p.a3e).CSingleConstrPar::GetValore();
        if (!uscita) std::swap(raggi[0], raggi[2]), std::swap(angoli[0], angoli[2]);
        double ri = (uscita ? p.RaggioInternoUsc : p.RaggioInternoImm).GetValore();
        if (banchina) ri -= std::min(lbint, distanzaRamo);

        // The curve leaves the main line (or its refit point) along it; a
        // refitted curve without Pm starts within a centimetre of the main
        // line, along the tangent at the Pm it was placed on, a few
        // decimetres back.
        const Vec2 sp = V(v[e]);
        const bool senzaPm = rifatta && !conPm;
        EXPECT_NEAR(principaleG.SignedOffset(sp), scostamento, senzaPm ? 0.01 : kTolPunto);
        const double avanti = DirezioneStrada(i, sp) + (destra ? 0 : kPi);
        EXPECT_NEAR(GeometryChecker::AngleBetween(g.TangentOut(e), uscita ? avanti : avanti + kPi), 0,
                    senzaPm ? 0.005 : tolAngolo);

        // Three arcs (or those the join leaves) turning one way, radii in
        // order, joined tangentially with their centres in line; the whole
        // curve turns through the deflection between the main line and the
        // lane line.
        const double senso = uscita ? -1 : 1;
        const size_t archi = q3 - q0;
        double somma = 0;
        for (size_t k = 0; k < archi; ++k) {
            const geomcheck::Arc a = g.Segment(q0 + k);
            ASSERT_TRUE(a.isArc) << k;
            EXPECT_NEAR(a.radius, raggi[k], 1e-6) << k;
            EXPECT_GT(a.sweep * senso, 0) << k;
            somma += std::fabs(a.sweep);
            if (k > 0) {
                const geomcheck::Arc prima = g.Segment(q0 + k - 1);
                EXPECT_NEAR(SulLato(prima.centre, a.centre, V(v[q0 + k])), 0, kTolPunto) << k;
            }
        }
        for (size_t k = conPm ? q0 : q0 + 1; k < q3; ++k) EXPECT_TRUE(g.Tangential(k, tolAngolo)) << k;
        const double direzioneCorsia = Angolo(k1, k2);
        if (!unita) {
            EXPECT_NEAR(somma, GeometryChecker::AngleBetween(g.TangentOut(e), direzioneCorsia), tolAngolo);
            for (size_t k = 0; k < 3; ++k) {
                const double quota = k == 1 ? 11.0 / 15 : 2.0 / 15;
                EXPECT_NEAR(std::fabs(g.Segment(q0 + k).sweep), rifatta ? somma * quota : angoli[k], tolAngolo) << k;
            }
            // The curve ends on the lane line, along it, and a straight
            // forwards on that line leads to the inner arc, which leaves
            // along it too.
            EXPECT_NEAR(SulLato(k1, k2, V(v[q3])), fuori * spostamento, kTolPunto);
            EXPECT_NEAR(SulLato(k1, k2, V(v[t1])), fuori * spostamento, kTolPunto);
            EXPECT_EQ(v[q3].bulge, 0);
            EXPECT_NEAR(GeometryChecker::AngleBetween(g.TangentIn(q3), direzioneCorsia), 0, tolAngolo);
            EXPECT_NEAR(GeometryChecker::AngleBetween(g.TangentOut(t1), direzioneCorsia), 0, tolAngolo);
            const double tratto = std::cos(direzioneCorsia) * (v[t1].x - v[q3].x) +
                                  std::sin(direzioneCorsia) * (v[t1].y - v[q3].y);
            EXPECT_GT(tratto, 0);
        } else {
            // The curve turns further than the lane line, through a
            // deflection split 2/15, 11/15, 2/15, and ends off the lane line,
            // tangent to the inner arc, which goes on from there: no corner,
            // no straight.
            EXPECT_GT(SulLato(k1, k2, V(v[t1])) * fuori, spostamento + kTolPunto);
            EXPECT_GT(somma, GeometryChecker::AngleBetween(g.TangentOut(e), direzioneCorsia) + tolAngolo);
            if (!sulRamo) {
                EXPECT_TRUE(g.Tangential(t1, tolAngolo))
                    << GeometryChecker::AngleBetween(g.TangentIn(t1), g.TangentOut(t1)) * 180 / kPi << " degrees";
            }
            ASSERT_EQ(archi, 3u);
            for (size_t k = 0; k < 3; ++k) {
                const double quota = k == 1 ? 11.0 / 15 : 2.0 / 15;
                EXPECT_NEAR(std::fabs(g.Segment(q0 + k).sweep), somma * quota, tolAngolo) << k;
            }
        }

        // The inner arc: radius Ri about a centre at Ri from the lane line
        // (outside) and from the leg's line, ending on it tangentially.
        if (!sulRamo) {
            const geomcheck::Arc interno = g.Segment(t1);
            ASSERT_TRUE(interno.isArc);
            EXPECT_NEAR(interno.radius, ri, 1e-6);
            EXPECT_GT(interno.sweep * senso, 0);
            EXPECT_NEAR(SulLato(k1, k2, interno.centre), fuori * (spostamento + ri), 1e-6);
            EXPECT_NEAR(ramoG.DistanceTo(interno.centre), ri, 1e-6);
        }
        EXPECT_NEAR(ramoG.DistanceTo(V(v[t2])), 0, kTolPunto);
        const Vec2 r0 = V(ramoG.At(0)), rn = V(ramoG.At(ramoG.Size() - 1));
        const double versoRamo = Angolo(r0, rn) + (in ? kPi : 0);  // away from the main road
        EXPECT_NEAR(GeometryChecker::AngleBetween(g.TangentIn(t2), versoRamo), 0, tolAngolo);

        // The lane: the shoulder closes on the lane shoulder point, on the
        // lane shoulder line level with the edge's end; the sections from the foot of the main-side end on the main axis.
        if (extra) {
            EXPECT_NEAR(principaleG.SignedOffset(V(v[0])), scostamento, kTolPunto);
            EXPECT_NEAR(v[0].x, b.m_puntoBanchinaCorsia[lato][0], kTolPunto);
            EXPECT_NEAR(v[0].y, b.m_puntoBanchinaCorsia[lato][1], kTolPunto);
            // The closing piece runs along the lane shoulder line, on a
            // curved road along its arc.
            for (const Vec2& q : GeometryChecker({v[0], v[1]}).Samples(8))
                EXPECT_NEAR(principaleG.SignedOffset(q), scostamento, kTolPunto);
            const std::vector<Vertex> ciglio =
                uscita ? Leggi(b.m_idCiglioEsterno[lato]) : Inverti(Leggi(b.m_idCiglioEsterno[lato]));
            ASSERT_FALSE(ciglio.empty());
            EXPECT_NEAR(Progressiva(i, V(v[0])), Progressiva(i, V(ciglio[0])), 1e-6);
        }
        const bool calcolate = banchina ? b.m_sezioniBanchinaCalcolate[lato] : b.m_sezioniCiglioCalcolate[lato];
        EXPECT_EQ(calcolate, corsia);
        if (corsia) {
            double atteso[3];
            Sezioni(uscita, destra, Progressiva(i, banchina ? puntoCorsia : V(v[0])), valori, atteso);
            const double* calcolato = banchina ? b.m_sezioniBanchina[lato] : b.m_sezioniCiglio[lato];
            for (int k = 0; k < 3; ++k) EXPECT_NEAR(calcolato[k], atteso[k], 1e-6) << k;
        }
    }
};

TEST_P(CigliEsterniSuStradeGenerate, EdgesAndShouldersFollowTheirLines) {
    legs::Scenario& s = Prepara(GetParam().incrocio);
    RaggiDelloStile(s.Ramo()->GetParametri());
    if (GetParam().corsie) AccendiCorsie(s.Ramo()->GetParametriCorsie());
    Costruttore b;
    b.Prepara(s);
    EXPECT_TRUE(b.CostruisciCigliEsterni()) << Testo(b.m_log);
    EXPECT_TRUE(b.m_log.IsEmpty()) << Testo(b.m_log);
    for (int lato : {CConstrJunctor::kImmissione, CConstrJunctor::kUscita}) {
        VerificaBordo(s, b, lato, false);
        VerificaBordo(s, b, lato, true);
    }
}

std::string NomeCaso(const ::testing::TestParamInfo<Caso>& info) {
    return legs::Descrivi(info.param.incrocio) + (info.param.corsie ? "_corsie" : "_senzaCorsie");
}

std::vector<Caso> Casi() {
    std::vector<Caso> casi;
    for (double raggio : {0.0, 400.0, 200.0})
        for (int lato : {0, 1})
            for (int verso : {1, 0})
                for (double angolo : {60.0, 70.0, 90.0, 110.0, 120.0})
                    for (double banchina : {1.0, 2.0})
                        for (bool corsie : {false, true}) {
                            Caso c;
                            c.incrocio.curva = raggio > 0;
                            if (raggio > 0) c.incrocio.raggioCurva = raggio;
                            c.incrocio.lato = lato;
                            c.incrocio.verso = verso;
                            c.incrocio.angoloGradi = angolo;
                            c.incrocio.banchinaPrincipale = banchina;
                            c.corsie = corsie;
                            casi.push_back(c);
                        }
    return casi;
}

// A main alignment starting at chainage 1000: the sections carry its chainages.
std::vector<Caso> CasiDa1000() {
    std::vector<Caso> casi;
    for (bool curva : {false, true})
        for (int lato : {0, 1})
            for (int verso : {1, 0}) {
                Caso c;
                c.incrocio.curva = curva;
                c.incrocio.lato = lato;
                c.incrocio.verso = verso;
                c.incrocio.progIniziale = 1000;
                c.corsie = true;
                casi.push_back(c);
            }
    return casi;
}

INSTANTIATE_TEST_SUITE_P(Incroci, CigliEsterniSuStradeGenerate, ::testing::ValuesIn(Casi()), NomeCaso);
INSTANTIATE_TEST_SUITE_P(Da1000, CigliEsterniSuStradeGenerate, ::testing::ValuesIn(CasiDa1000()), NomeCaso);

// The three-centred curve in its local frame: from the origin along +x,
// turning counter-clockwise, each arc tangent to the next.
TEST(Tricentrica, LocalCurveTurnsThroughItsAnglesFromTheOrigin) {
    struct Caso {
        std::vector<double> raggi, angoli;
    };
    const Caso casi[] = {
        {{10}, {MEZZO_PI_GRECO}},
        {{37.5, 15, 82.5}, {0.2, 1.1, 0.2}},
        {{5, 50, 20}, {0.5, 0.3, 1.4}},
    };
    for (const Caso& c : casi) {
        AcGeDoubleArray raggi, angoli;
        for (size_t k = 0; k < c.raggi.size(); ++k) raggi.append(c.raggi[k]), angoli.append(c.angoli[k]);
        Costruttore b;
        AcGePoint3dArray punti, centri;
        ads_point vertice;
        ASSERT_TRUE(b.CalcolaTricentrica(angoli, raggi, punti, centri, vertice));
        ASSERT_EQ(punti.length(), static_cast<int>(c.raggi.size()) + 1);
        ASSERT_EQ(centri.length(), static_cast<int>(c.raggi.size()));
        EXPECT_TRUE(b.m_log.IsEmpty());
        std::vector<Vertex> v;
        double somma = 0;
        for (int k = 0; k < punti.length(); ++k) {
            v.push_back({punti[k].x, punti[k].y, k < centri.length() ? std::tan(c.angoli[k] / 4) : 0});
            if (k < centri.length()) somma += c.angoli[k];
        }
        const GeometryChecker g(v);
        EXPECT_NEAR(v[0].x, 0, 1e-12);
        EXPECT_NEAR(v[0].y, 0, 1e-12);
        EXPECT_NEAR(g.TangentOut(0), 0, kTolAngolo);
        for (size_t k = 0; k < c.raggi.size(); ++k) {
            EXPECT_NEAR(g.Segment(k).radius, c.raggi[k], 1e-6) << k;
            EXPECT_NEAR(g.Segment(k).centre.x, centri[k].x, 1e-6) << k;
            EXPECT_NEAR(g.Segment(k).centre.y, centri[k].y, 1e-6) << k;
            if (k > 0) {
                EXPECT_TRUE(g.Tangential(k, kTolAngolo)) << k;
            }
        }
        // The vertex: on the first tangent (the x axis) and on the last one.
        const size_t n = v.size() - 1;
        EXPECT_NEAR(GeometryChecker::AngleBetween(g.TangentIn(n), somma), 0, kTolAngolo);
        EXPECT_NEAR(vertice[1], 0, 1e-9);
        const Vec2 fine = V(v[n]);
        EXPECT_NEAR(SulLato(fine, {fine.x + std::cos(somma), fine.y + std::sin(somma)}, V(vertice)), 0, 1e-6);
    }
}

TEST(Tricentrica, CurvesWithoutVertexOrWithDegenerateArcsAreRefused) {
    const double nan = std::nan("");
    struct Caso {
        std::vector<double> raggi, angoli;
        const wchar_t* riga;  // null: refused without a line
    };
    const Caso casi[] = {
        {{}, {}, nullptr},
        {{10, 20}, {0.5}, nullptr},
        // Half a circle: the last tangent runs parallel to the first.
        {{10, 20, 10}, {kPi / 4, kPi / 2, kPi / 4}, L" - Impossibile calcolare il vertice della curva tricentrica.\r\n"},
        {{10, 20, 10}, {kPi / 2, kPi / 2, kPi}, L" - Impossibile calcolare il vertice della curva tricentrica.\r\n"},
        {{10, 0, 10}, {0.2, 1.0, 0.2}, L" - Raggi o angoli della curva tricentrica non validi.\r\n"},
        {{10, -15, 10}, {0.2, 1.0, 0.2}, L" - Raggi o angoli della curva tricentrica non validi.\r\n"},
        {{10, nan, 10}, {0.2, 1.0, 0.2}, L" - Raggi o angoli della curva tricentrica non validi.\r\n"},
        {{10, 15, 10}, {0.2, -0.1, 0.2}, L" - Raggi o angoli della curva tricentrica non validi.\r\n"},
        {{10, 15, 10}, {0.2, 0.0, 0.2}, L" - Raggi o angoli della curva tricentrica non validi.\r\n"},
    };
    for (const Caso& c : casi) {
        AcGeDoubleArray raggi, angoli;
        for (double r : c.raggi) raggi.append(r);
        for (double a : c.angoli) angoli.append(a);
        Costruttore b;
        AcGePoint3dArray punti, centri;
        ads_point vertice;
        EXPECT_FALSE(b.CalcolaTricentrica(angoli, raggi, punti, centri, vertice)) << c.raggi.size();
        EXPECT_EQ(std::wstring(static_cast<LPCWSTR>(b.m_log)), std::wstring(c.riga ? c.riga : L""));
        // Placing such a curve fails the same way.
        Costruttore p;
        bool antiorario = true;
        const ads_point a = {0, 0, 0}, bb = {40, -20, 0}, cc = {50, 0, 0};
        EXPECT_FALSE(p.PosizionaTricentrica(a, bb, cc, angoli, raggi, punti, centri, antiorario));
        EXPECT_EQ(std::wstring(static_cast<LPCWSTR>(p.m_log)), std::wstring(c.riga ? c.riga : L""));
    }
}

// Placed between A and C: the first tangent on the line A C, the vertex on
// C, turning towards B's side.
TEST(Tricentrica, PlacedCurveStartsOnACEndsThroughCAndTurnsTowardsB) {
    struct Caso {
        ads_point a, b, c;
        bool antiorario;
    };
    const Caso casi[] = {
        {{0, 0, 0}, {40, -20, 0}, {50, 0, 0}, false},
        {{0, 0, 0}, {40, 20, 0}, {50, 0, 0}, true},
        {{10, 10, 0}, {0, 50, 0}, {10, 60, 0}, true},
        {{-3, 7, 0}, {30, -40, 0}, {-40, -30, 0}, true},
        {{-3, 7, 0}, {-60, 0, 0}, {-40, -30, 0}, false},
    };
    AcGeDoubleArray raggi, angoli;
    for (double r : {37.5, 15.0, 82.5}) raggi.append(r);
    for (double a : {0.2, 1.1, 0.2}) angoli.append(a);
    for (const Caso& c : casi) {
        Costruttore b;
        AcGePoint3dArray punti, centri;
        bool antiorario = !c.antiorario;
        ASSERT_TRUE(b.PosizionaTricentrica(c.a, c.b, c.c, angoli, raggi, punti, centri, antiorario));
        EXPECT_EQ(antiorario, c.antiorario);
        std::vector<Vertex> v;
        for (int k = 0; k < punti.length(); ++k) {
            const double bl = k < centri.length() ? std::tan(angoli[k] / 4) : 0;
            v.push_back({punti[k].x, punti[k].y, c.antiorario ? bl : -bl});
        }
        const GeometryChecker g(v);
        const Vec2 a = V(c.a), cc = V(c.c), bb = V(c.b);
        // Starts on A C heading towards C, at the local vertex distance from C.
        EXPECT_NEAR(SulLato(a, cc, V(v[0])), 0, 1e-6);
        EXPECT_NEAR(GeometryChecker::AngleBetween(g.TangentOut(0), Angolo(a, cc)), 0, kTolAngolo);
        for (int k = 0; k < 3; ++k) {
            EXPECT_NEAR(g.Segment(k).centre.x, centri[k].x, 1e-6) << k;
            EXPECT_NEAR(g.Segment(k).centre.y, centri[k].y, 1e-6) << k;
            EXPECT_NEAR(g.Segment(k).radius, raggi[k], 1e-6) << k;
        }
        // The last tangent runs through C; the curve lies on B's side.
        const Vec2 fine = V(v[3]);
        const double uscita = g.TangentIn(3);
        EXPECT_NEAR(SulLato(fine, {fine.x + std::cos(uscita), fine.y + std::sin(uscita)}, cc), 0, 1e-6);
        EXPECT_GT(SulLato(a, cc, fine) * SulLato(a, cc, bb), 0);
    }
}

TEST(Tricentrica, NoSideToTurnTowardsIsRefused) {
    AcGeDoubleArray raggi, angoli;
    for (double r : {37.5, 15.0, 82.5}) raggi.append(r);
    for (double a : {0.2, 1.1, 0.2}) angoli.append(a);
    struct Caso {
        ads_point a, b, c;
    };
    const Caso casi[] = {
        {{0, 0, 0}, {60, 0, 0}, {50, 0, 0}},    // B beyond C on the line
        {{0, 0, 0}, {-20, 0, 0}, {50, 0, 0}},   // B behind A
        {{5, 5, 0}, {5, 30, 0}, {5, 80, 0}},    // between them, on a vertical line
        {{7, 7, 0}, {40, -20, 0}, {7, 7, 0}},   // A on C: no line
    };
    for (const Caso& c : casi) {
        Costruttore b;
        AcGePoint3dArray punti, centri;
        bool antiorario = false;
        EXPECT_FALSE(b.PosizionaTricentrica(c.a, c.b, c.c, angoli, raggi, punti, centri, antiorario));
        EXPECT_EQ(std::wstring(static_cast<LPCWSTR>(b.m_log)),
                  L" - Impossibile stabilire il verso della curva tricentrica.\r\n");
    }
}

class CigliEsterniTest : public LegTest {
protected:
    static std::vector<double> Raggi(const std::vector<Vertex>& v) {
        std::vector<double> r;
        const GeometryChecker g(v);
        for (size_t k = 0; k + 1 < v.size(); ++k)
            if (g.Segment(k).isArc) r.push_back(g.Segment(k).radius);
        return r;
    }
};

// The shoulder's radii are 2.5, 1 and 5.5 times its middle radius, even when
// the edge's outer radii are not in that proportion.
TEST_F(CigliEsterniTest, ShoulderRadiiFollowTheMiddleRadiusOnly) {
    for (bool corsie : {false, true}) {
        SCOPED_TRACE(corsie ? "lanes" : "no lanes");
        legs::Incrocio i;
        legs::Scenario& s = Prepara(i);
        CConstrPars* p = s.Ramo()->GetParametri();
        p->r1u.SetValore(50);
        p->r2u.SetValore(16);
        p->r3u.SetValore(60);
        p->r1e.SetValore(30);
        p->r2e.SetValore(14);
        p->r3e.SetValore(100);
        const Corsie valori;
        if (corsie) AccendiCorsie(s.Ramo()->GetParametriCorsie(), valori);
        Costruttore b;
        b.Prepara(s);
        ASSERT_TRUE(b.CostruisciCigliEsterni()) << Testo(b.m_log);
        const double ri = p->RaggioInternoUsc.GetValore(), re = p->RaggioInternoImm.GetValore();
        const double lbint = p->Lbint.GetValore(), legDist = i.banchinaRamo;
        // Exit: from the main road; entry: from the leg (inner arc first).
        const std::vector<double> ciglioUscita = Raggi(Leggi(b.m_idCiglioEsterno[0]));
        const std::vector<double> ciglioEntrata = Raggi(Leggi(b.m_idCiglioEsterno[1]));
        const std::vector<double> banchinaUscita = Raggi(Leggi(b.m_idBanchinaEsterna[0]));
        const std::vector<double> banchinaEntrata = Raggi(Leggi(b.m_idBanchinaEsterna[1]));
        const double uU = 16 - (corsie ? std::min(valori.banchinaUsc, legDist) : 0);
        const double uE = 14 - (corsie ? std::min(valori.banchinaImm, legDist) : 0);
        const double ri2 = ri - std::min(lbint, legDist), re2 = re - std::min(lbint, legDist);
        const std::vector<std::pair<std::vector<double>, std::vector<double>>> attesi = {
            {ciglioUscita, {50, 16, 60, ri}},
            {ciglioEntrata, {re, 30, 14, 100}},
            {banchinaUscita, {2.5 * uU, uU, 5.5 * uU, ri2}},
            {banchinaEntrata, {re2, 2.5 * uE, uE, 5.5 * uE}},
        };
        for (size_t k = 0; k < attesi.size(); ++k) {
            ASSERT_EQ(attesi[k].first.size(), attesi[k].second.size()) << k;
            for (size_t j = 0; j < attesi[k].first.size(); ++j)
                EXPECT_NEAR(attesi[k].first[j], attesi[k].second[j], 1e-6) << k << " " << j;
        }
    }
}

// The angles are the stored radians whatever unit the dialogs show them in.
TEST_F(CigliEsterniTest, AnglesAreReadInRadiansWhateverTheDisplayUnit) {
    legs::Incrocio i;
    legs::Scenario& s = Prepara(i);
    CConstrPars* p = s.Ramo()->GetParametri();
    p->SetUnitaAngoli(UNITA_GRADI_DECIMALI);
    ASSERT_GT(p->a2u.GetValore(), 10);  // shown in degrees
    Costruttore b;
    b.Prepara(s);
    ASSERT_TRUE(b.CostruisciCigliEsterni()) << Testo(b.m_log);
    const GeometryChecker g(Leggi(b.m_idCiglioEsterno[0]));
    EXPECT_NEAR(std::fabs(g.Segment(0).sweep), p->a1u.CSingleConstrPar::GetValore(), kTolAngolo);
    EXPECT_NEAR(std::fabs(g.Segment(1).sweep), p->a2u.CSingleConstrPar::GetValore(), kTolAngolo);
    EXPECT_NEAR(std::fabs(g.Segment(2).sweep), p->a3u.CSingleConstrPar::GetValore(), kTolAngolo);
}

// A side whose edge fails draws neither edge nor shoulder (its shoulder is
// not even tried) and makes the result false; the other side is still built.
TEST_F(CigliEsterniTest, FailedEdgeSkipsItsShoulderAndLeavesTheOtherSide) {
    for (int guasto : {CConstrJunctor::kImmissione, CConstrJunctor::kUscita}) {
        SCOPED_TRACE(guasto == CConstrJunctor::kImmissione ? "entry fails" : "exit fails");
        legs::Incrocio i;
        legs::Scenario& s = Prepara(i);
        CConstrPars* p = s.Ramo()->GetParametri();
        const bool entrata = guasto == CConstrJunctor::kImmissione;
        for (CSingleConstrPar* r : {entrata ? &p->r1e : &p->r1u, entrata ? &p->r2e : &p->r2u, entrata ? &p->r3e : &p->r3u})
            r->SetValore(0);
        Costruttore b;
        b.Prepara(s);
        EXPECT_FALSE(b.CostruisciCigliEsterni());
        // One line: the shoulder, with radii of 0 too, would have added another.
        EXPECT_EQ(Conta(b.m_log, L" - Raggi o angoli della curva tricentrica non validi.\r\n"), 1) << Testo(b.m_log);
        const int buono = 1 - guasto;
        EXPECT_TRUE(b.m_idCiglioEsterno[guasto].isNull());
        EXPECT_TRUE(b.m_idBanchinaEsterna[guasto].isNull());
        EXPECT_FALSE(b.m_idCiglioEsterno[buono].isNull());
        EXPECT_FALSE(b.m_idBanchinaEsterna[buono].isNull());
        EXPECT_EQ(Leggi(b.m_idCiglioEsterno[buono]).size(), 6u);
        // A fresh drawing for the next side.
        m_scenario.reset();
        EXPECT_TRUE(vplat::OpenObjects(m_db.get()).empty());
        acdbHostApplicationServices()->setWorkingDatabase(nullptr);
        m_db = std::make_unique<AcDbDatabase>();
        acdbHostApplicationServices()->setWorkingDatabase(m_db.get());
    }
}

// When the end of the edge has no foot on the main axis the lane sections
// cannot be had: the edge fails and leaves no polyline behind, the sections count
// as not computed, and the shoulder of that side is not made.
TEST_F(CigliEsterniTest, NoFootOnTheMainAxisFailsTheLaneSideAndLeavesNoPolyline) {
    legs::Incrocio i;
    legs::Scenario& s = Prepara(i);
    CLanePars* c = s.Ramo()->GetParametriCorsie();
    AccendiCorsie(c);
    c->SetCorsiaUsc(false);
    Costruttore b;
    b.Prepara(s);
    AcDb2dPolyline* polilinea = nullptr;
    ASSERT_TRUE(b.CostruisciCiglioEsterno(CConstrJunctor::kImmissione, &polilinea));
    ASSERT_NE(polilinea, nullptr);
    delete polilinea;
    ASSERT_TRUE(b.m_sezioniCiglioCalcolate[CConstrJunctor::kImmissione]);

    // The main axis moved far along itself: nothing near the leg has a foot on it.
    datipoli* asse = s.Principale()->GetDatiPoliAsse();
    for (datipoli* n = asse; n; n = n->next) n->x += 5000;
    polilinea = nullptr;
    EXPECT_FALSE(b.CostruisciCiglioEsterno(CConstrJunctor::kImmissione, &polilinea));
    EXPECT_EQ(polilinea, nullptr);
    EXPECT_FALSE(b.m_sezioniCiglioCalcolate[CConstrJunctor::kImmissione]);
    EXPECT_FALSE(b.CostruisciBanchinaEsterna(CConstrJunctor::kImmissione, &polilinea));
    EXPECT_EQ(polilinea, nullptr);

    // In the whole step the exit side, without a lane, is still drawn; the
    // entry side fails without a line of its own.
    EXPECT_FALSE(b.CostruisciCigliEsterni());
    EXPECT_TRUE(b.m_log.IsEmpty()) << Testo(b.m_log);
    EXPECT_TRUE(b.m_idCiglioEsterno[CConstrJunctor::kImmissione].isNull());
    EXPECT_TRUE(b.m_idBanchinaEsterna[CConstrJunctor::kImmissione].isNull());
    EXPECT_FALSE(b.m_idCiglioEsterno[CConstrJunctor::kUscita].isNull());
    EXPECT_FALSE(b.m_idBanchinaEsterna[CConstrJunctor::kUscita].isNull());
    for (datipoli* n = asse; n; n = n->next) n->x -= 5000;
}

// An inner arc whose tangent point falls beyond the end of the leg's edge
// has no point to end on: the side fails with its line instead of drawing
// towards a point never set.
TEST_F(CigliEsterniTest, InnerArcWithoutTangentPointOnTheLegFails) {
    legs::Incrocio i;
    legs::Scenario& s = Prepara(i);
    s.Ramo()->GetParametri()->RaggioInternoUsc.SetValore(5000);
    Costruttore b;
    b.Prepara(s);
    AcDb2dPolyline* polilinea = nullptr;
    EXPECT_FALSE(b.CostruisciCiglioEsterno(CConstrJunctor::kUscita, &polilinea));
    EXPECT_EQ(polilinea, nullptr);
    EXPECT_EQ(std::wstring(static_cast<LPCWSTR>(b.m_log)),
              L" - Impossibile raccordare il ciglio esterno al ciglio della strada secondaria.\r\n");
    ASSERT_TRUE(b.CostruisciCiglioEsterno(CConstrJunctor::kImmissione, &polilinea));
    delete polilinea;
}

}  // namespace
