// The triangular islands of a leg: between the drop island, each outer edge
// and the main road. The drop island edge and the outer edges are drawn here
// as stand-ins of their real shapes (a teardrop round the island triangle,
// and a curb return from the main edge into the lane line), so that they
// cross the main edge and each other's offsets as the real ones do.
#include <algorithm>
#include <cmath>
#include <string>
#include <tuple>
#include <vector>

#include "CConstrJunctor.h"
#include "CostruttoreDiProva.h"
#include "LegTest.h"
#include "PolilineeIntersezione.h"
#include "ModelSpace.h"
#include "PolilineeJunctor.h"

namespace {

using geomcheck::GeometryChecker;
using geomcheck::Vertex;

constexpr double kPi = 3.14159265358979323846;
constexpr double kTol = 1e-6;

struct P2 {
    double x, y;
};
P2 operator+(P2 a, P2 b) { return {a.x + b.x, a.y + b.y}; }
P2 operator-(P2 a, P2 b) { return {a.x - b.x, a.y - b.y}; }
P2 operator*(double k, P2 a) { return {k * a.x, k * a.y}; }
double Dot(P2 a, P2 b) { return a.x * b.x + a.y * b.y; }
double Cross(P2 a, P2 b) { return a.x * b.y - a.y * b.x; }
P2 Unit(P2 a) { return (1.0 / std::hypot(a.x, a.y)) * a; }
P2 Perp(P2 a) { return {-a.y, a.x}; }
P2 Da(const ads_point p) { return {p[0], p[1]}; }
// A log as a standard string, so that a mismatch shows its text.
std::wstring Testo(const CString& log) { return std::wstring(static_cast<LPCWSTR>(log)); }

// The bulge of the arc about c from a to b, counter-clockwise or clockwise.
double Bulge(P2 c, P2 a, P2 b, bool antiorario) {
    double sweep = std::atan2(Cross(a - c, b - c), Dot(a - c, b - c));
    if (antiorario && sweep < 0) sweep += 2 * kPi;
    if (!antiorario && sweep > 0) sweep -= 2 * kPi;
    return std::tan(sweep / 4);
}

double AreaConSegno(const std::vector<Vertex>& v) {
    double a = 0;
    for (size_t i = 0; i + 1 < v.size(); ++i) a += v[i].x * v[i + 1].y - v[i + 1].x * v[i].y;
    return a / 2;
}

using Costruttore = CostruttoreDiProva;

const wchar_t* CodiceCiglio(int lato) { return lato == CConstrJunctor::kImmissione ? L"rCIIN" : L"rCIOUT"; }
const wchar_t* CodiceBanchina(int lato) { return lato == CConstrJunctor::kImmissione ? L"rBIIN" : L"rBIOUT"; }

const wchar_t* const kRigaEntita = L" - Impossibile recuperare l'entità di costruzione.\r\n";
const wchar_t* const kRigaPrincipale = L" - Impossibile recuperare l'entità della strada principale.\r\n";
const wchar_t* const kRigaOffset = L" - Impossibile creare l'offset di una polilinea di costruzione.\r\n";
const wchar_t* const kRigaIntersezioni = L" - Numero di intersezioni insufficienti in fase di costruzione.\r\n";

// A polyline the builder drew, read back.
using Disegnata = legs::PolilineaIntersezione;

class IsoleTriangolariTest : public LegTest {
protected:
    legs::Scenario& PreparaCostruttore(const legs::Incrocio& i) {
        legs::Scenario& s = Prepara(i);
        m_b.Init(s.Principale(), s.Ramo());
        m_b.SetParCorsie(s.Ramo()->GetParametriCorsie());
        m_b.SetId(1234);
        m_b.LeggiPuntiRamo();
        return s;
    }

    bool Sinistra() const { return m_scenario->Dati().lato == CSecondariaJunctor::kSinistra; }
    const datipoli* CiglioPrincipale() {
        return Sinistra() ? m_scenario->Principale()->GetDatiPoliCiglioSx()
                          : m_scenario->Principale()->GetDatiPoliCiglioDx();
    }
    const datipoli* BanchinaPrincipale() {
        return Sinistra() ? m_scenario->Principale()->GetDatiPoliBanchinaSx()
                          : m_scenario->Principale()->GetDatiPoliBanchinaDx();
    }

    static AcDbObjectId Aggiungi(const std::vector<Vertex>& v) {
        AcGePoint3dArray punti;
        AcGeDoubleArray bulge;
        for (const Vertex& x : v) {
            punti.append(AcGePoint3d(x.x, x.y, 0));
            bulge.append(x.bulge);
        }
        return AppendToBlock(acdbHostApplicationServices()->workingDatabase(), CreaPolilinea(punti, bulge));
    }

    // The drop island edge: the island triangle with both base corners
    // rounded off by arcs tangent to the island sides, run as the real one
    // (from the apex up the side of the b2 corner, along the base, down the
    // side of the b1 corner) and ending on its first vertex.
    std::vector<Vertex> IsolaGoccia() const {
        const P2 p = Da(m_b.m_isola1), k0 = Da(m_b.m_isola2), k1 = Da(m_b.m_isola3), v = Da(m_b.m_isola4);
        const P2 centro = (1.0 / 3) * (k0 + k1 + v);
        struct Fianco {
            P2 t1, t2, x;
        };
        auto fianco = [&](P2 k) {
            Fianco f;
            f.t2 = k + 0.35 * (v - k);
            f.t1 = p + 0.1 * (k - p);
            P2 n = Unit(Perp(v - k));
            if (Dot(n, centro - f.t2) < 0) n = -1.0 * n;
            const P2 d = f.t1 - f.t2;
            f.x = f.t2 + (Dot(d, d) / (2 * Dot(d, n))) * n;
            return f;
        };
        const Fianco f1 = fianco(k1), f0 = fianco(k0);
        std::vector<Vertex> r = {{v.x, v.y, 0},
                                 {f1.t2.x, f1.t2.y, Bulge(f1.x, f1.t2, f1.t1, true)},
                                 {f1.t1.x, f1.t1.y, 0},
                                 {f0.t1.x, f0.t1.y, Bulge(f0.x, f0.t1, f0.t2, true)},
                                 {f0.t2.x, f0.t2.y, 0},
                                 {v.x, v.y, 0}};
        EXPECT_GT(AreaConSegno(r), 0) << "the stand-in drop island should run counter-clockwise";
        return r;
    }

    // The outer edge of a side: from the main edge round a three-centred
    // curb return (the style's radii of the side over 2/15, 11/15, 2/15 of
    // the deflection) into the lane line and along it past the apex offset
    // point; the exit edge runs from the main road into the leg, the entry
    // edge back.
    std::vector<Vertex> CiglioEsterno(int lato) {
        const bool immissione = lato == CConstrJunctor::kImmissione;
        const double* k1 = immissione ? m_b.m_offsetB2 : m_b.m_offsetB1;
        const double* k2 = immissione ? m_b.m_offsetApiceImmissione : m_b.m_offsetApiceUscita;
        const datipoli* ciglio = CiglioPrincipale();
        datipoli* linea = nullptr;
        PolilineaDuePunti(k1, k2, &linea);
        AcGePoint3dArray punti;
        Inters_2_DATIPOLI_2D(linea, ciglio, punti, 1000, 0, 1);
        LiberaDATIPOLI(&linea);
        EXPECT_EQ(punti.length(), 1);
        if (punti.isEmpty()) return {};
        const P2 c{punti[0].x, punti[0].y};
        ads_point pc = {c.x, c.y, 0}, piede;
        double d = 0, prog = 0, direzione = 0;
        EXPECT_TRUE(DistPPoly(ciglio, pc, &d, piede, &prog, &direzione, nullptr, nullptr, 1));
        // Both edges are laid out arriving along the main edge towards the
        // island, then turning into the lane line; the entry edge is reversed.
        P2 d1{std::cos(direzione), std::sin(direzione)};
        const bool avanti = Dot(d1, Da(m_b.m_isola1) - c) > 0;
        if (!avanti) d1 = -1.0 * d1;
        const P2 d2 = Unit(Da(k2) - c);
        const double theta = std::atan2(Cross(d1, d2), Dot(d1, d2));
        const double verso = theta > 0 ? 1 : -1;
        // The curve from the origin heading d1, then moved back along d1 so
        // that it ends on the lane line.
        std::vector<Vertex> curva;
        P2 q{0, 0}, dir = d1;
        const CConstrPars& p = *m_b.m_parametri;
        const double raggi[3] = {immissione ? p.r1e.GetValore() : p.r1u.GetValore(),
                                 immissione ? p.r2e.GetValore() : p.r2u.GetValore(),
                                 immissione ? p.r3e.GetValore() : p.r3u.GetValore()};
        const double quote[3] = {2.0 / 15, 11.0 / 15, 2.0 / 15};
        for (int i = 0; i < 3; ++i) {
            const double a = theta * quote[i];
            const P2 centro = q + (verso * raggi[i]) * Perp(dir);
            const P2 r = q - centro;
            curva.push_back({q.x, q.y, std::tan(a / 4)});
            q = centro + P2{r.x * std::cos(a) - r.y * std::sin(a), r.x * std::sin(a) + r.y * std::cos(a)};
            dir = P2{dir.x * std::cos(a) - dir.y * std::sin(a), dir.x * std::sin(a) + dir.y * std::cos(a)};
        }
        const double indietro = Cross(d2, q) / Cross(d2, d1);
        const P2 inizio = c - indietro * d1;
        for (Vertex& v : curva) {
            v.x += inizio.x;
            v.y += inizio.y;
        }
        const P2 fineCurva = inizio + q;
        const double oltre = std::max(std::hypot(k2[0] - c.x, k2[1] - c.y), Dot(fineCurva - c, d2) + 5);
        const P2 fine = c + oltre * d2;
        // The start on the main edge, 20 before the curve.
        ads_point pi = {inizio.x, inizio.y, 0}, pa;
        EXPECT_TRUE(DistPPoly(ciglio, pi, &d, piede, &prog, nullptr, nullptr, nullptr, 1));
        EXPECT_EQ(XYdaProgsuDatiPoli(ciglio, avanti ? prog - 20 : prog + 20, pa, nullptr), 0);
        std::vector<Vertex> r = {{pa[0], pa[1], 0}};
        r.insert(r.end(), curva.begin(), curva.end());
        r.push_back({fineCurva.x, fineCurva.y, 0});
        r.push_back({fine.x, fine.y, 0});
        if (immissione) {
            // Reversed: each bulge moves to the vertex that now starts its
            // segment and changes sign.
            std::vector<Vertex> inv;
            for (size_t i = r.size(); i-- > 0;)
                inv.push_back({r[i].x, r[i].y, i > 0 ? -r[i - 1].bulge : 0});
            r = inv;
        }
        return r;
    }

    void DisegnaIsolaGoccia() {
        m_isola = IsolaGoccia();
        m_b.m_idCiglioIsola = Aggiungi(m_isola);
    }
    void DisegnaCiglioEsterno(int lato) {
        m_esterno[lato] = CiglioEsterno(lato);
        m_b.m_idCiglioEsterno[lato] = Aggiungi(m_esterno[lato]);
    }
    void DisegnaTutto() {
        DisegnaIsolaGoccia();
        DisegnaCiglioEsterno(CConstrJunctor::kImmissione);
        DisegnaCiglioEsterno(CConstrJunctor::kUscita);
    }

    // Every polyline of the drawing carrying the intersection's data with
    // this edge code.
    static std::vector<Disegnata> Disegnate(const wchar_t* codice) { return legs::PolilineeIntersezione(codice); }

    // The edge of a side: one closed polyline of the part along the offset
    // of the first line and the part along the offset of the second, joined
    // once at P3, closed along the main edge; P1 lies on the
    // main edge and the outer-edge offset, P2 on the main edge and the
    // island offset.
    void VerificaCiglio(int lato) {
        SCOPED_TRACE(lato == CConstrJunctor::kImmissione ? "entry side" : "exit side");
        std::vector<Disegnata> d = Disegnate(CodiceCiglio(lato));
        ASSERT_EQ(d.size(), 1u);
        EXPECT_EQ(d[0].layer, L"QV-CIGLI");
        EXPECT_TRUE(d[0].chiusa);
        GeometryChecker ciglio(d[0].vertici);
        ASSERT_GE(ciglio.Size(), 4u);
        EXPECT_TRUE(ciglio.Closed());

        const bool immissione = lato == CConstrJunctor::kImmissione;
        const CConstrPars& p = *m_b.m_parametri;
        const double wE = immissione ? p.Ledx.GetValore() : p.Ludx.GetValore();
        const double wD = immissione ? p.Lesx.GetValore() : p.Lusx.GetValore();
        GeometryChecker esterno(m_esterno[lato]), isola(m_isola), principale = CheckerOf(CiglioPrincipale());
        auto suE = [&](geomcheck::Vec2 q) { return std::fabs(esterno.DistanceTo(q) - wE) < kTol; };
        auto suD = [&](geomcheck::Vec2 q) { return std::fabs(isola.DistanceTo(q) - wD) < kTol; };
        auto vertice = [&](size_t i) { return geomcheck::Vec2{ciglio.At(i).x, ciglio.At(i).y}; };

        const size_t n = ciglio.Size();
        const size_t ultimo = n - 2;  // the vertex before the repeated first one
        const geomcheck::Vec2 p1 = vertice(immissione ? ultimo : 0), p2 = vertice(immissione ? 0 : ultimo);
        EXPECT_NEAR(principale.DistanceTo(p1), 0, kTol);
        EXPECT_TRUE(suE(p1));
        EXPECT_NEAR(principale.DistanceTo(p2), 0, kTol);
        EXPECT_TRUE(suD(p2));

        // P3: the one inner vertex on both offsets.
        std::vector<size_t> giunti;
        for (size_t i = 1; i < ultimo; ++i)
            if (suE(vertice(i)) && suD(vertice(i))) giunti.push_back(i);
        ASSERT_EQ(giunti.size(), 1u);
        const size_t p3 = giunti[0];

        // Entry: island offset P2 -> P3, then outer-edge offset P3 -> P1;
        // exit: outer-edge offset P1 -> P3, then island offset P3 -> P2.
        GeometryChecker primo(std::vector<Vertex>(d[0].vertici.begin(), d[0].vertici.begin() + p3 + 1));
        GeometryChecker secondo(std::vector<Vertex>(d[0].vertici.begin() + p3, d[0].vertici.begin() + ultimo + 1));
        for (auto q : primo.Samples(8)) EXPECT_TRUE(immissione ? suD(q) : suE(q)) << q.x << ", " << q.y;
        for (auto q : secondo.Samples(8)) EXPECT_TRUE(immissione ? suE(q) : suD(q)) << q.x << ", " << q.y;
        // The closing side runs along the main edge from P1 or P2 back to
        // the start: straight on a straight road, along its arc on a curve.
        GeometryChecker chiusura(std::vector<Vertex>(d[0].vertici.begin() + ultimo, d[0].vertici.end()));
        for (auto q : chiusura.Samples(16)) EXPECT_NEAR(principale.DistanceTo(q), 0, kTol) << q.x << ", " << q.y;
    }

    // The shoulder of a side: the same triangle shrunk, closed along the
    // main shoulder, with three corner arcs of radius Rit tangent to the
    // sides they join; the two at the main road are tangent to the main
    // shoulder.
    void VerificaBanchina(int lato) {
        SCOPED_TRACE(lato == CConstrJunctor::kImmissione ? "entry side" : "exit side");
        std::vector<Disegnata> d = Disegnate(CodiceBanchina(lato));
        ASSERT_EQ(d.size(), 1u);
        EXPECT_EQ(d[0].layer, L"QV-BANCHINE");
        EXPECT_TRUE(d[0].chiusa);
        GeometryChecker b(d[0].vertici);
        ASSERT_GE(b.Size(), 6u);
        EXPECT_TRUE(b.Closed());

        const bool immissione = lato == CConstrJunctor::kImmissione;
        const CConstrPars& p = *m_b.m_parametri;
        const double rit = p.Rit.GetValore();
        const double lb = immissione ? p.Lbitr.GetValore() : p.Lbutr.GetValore();
        const double wE = (immissione ? p.Ledx.GetValore() : p.Ludx.GetValore()) + lb;
        const double wD = (immissione ? p.Lesx.GetValore() : p.Lusx.GetValore()) + lb;
        GeometryChecker esterno(m_esterno[lato]), isola(m_isola), spalla = CheckerOf(BanchinaPrincipale());
        const size_t n = b.Size(), ultimo = n - 2;

        // The feet on the main shoulder, and the arcs from and to them.
        for (size_t i : {size_t(0), ultimo})
            EXPECT_NEAR(spalla.DistanceTo({b.At(i).x, b.At(i).y}), 0, kTol) << i;
        std::vector<size_t> angoli;
        for (size_t i = 0; i + 1 < n; ++i) {
            geomcheck::Arc s = b.Segment(i);
            if (s.isArc && std::fabs(s.radius - rit) < kTol) {
                angoli.push_back(i);
                EXPECT_GT(s.sweep, 0) << "corner " << i << " turns counter-clockwise";
            }
        }
        ASSERT_EQ(angoli.size(), 3u);
        EXPECT_EQ(angoli.front(), 0u);
        EXPECT_EQ(angoli.back(), ultimo - 1);
        for (size_t i : {angoli.front(), angoli.back()})
            EXPECT_NEAR(spalla.DistanceTo(b.Segment(i).centre), rit, kTol) << "corner " << i;

        // Tangent where each corner meets its sides.
        for (size_t i = 1; i < ultimo; ++i) EXPECT_TRUE(b.Tangential(i, 1e-7)) << "vertex " << i;
        EXPECT_FALSE(b.Segment(ultimo).isArc);

        // Between the corners the sides keep their distances from the outer
        // edge and from the drop island.
        for (size_t i = 1; i < ultimo; ++i) {
            geomcheck::Vec2 q{b.At(i).x, b.At(i).y};
            const bool suE = std::fabs(esterno.DistanceTo(q) - wE) < kTol;
            const bool suD = std::fabs(isola.DistanceTo(q) - wD) < kTol;
            EXPECT_TRUE(suE || suD) << "vertex " << i;
        }
    }

    Costruttore m_b;
    std::vector<Vertex> m_isola;
    std::vector<Vertex> m_esterno[2];
};

using Caso = std::tuple<bool, int, int, double>;  // curva, lato, verso, angolo

class IsoleSuStradeGenerate : public IsoleTriangolariTest, public ::testing::WithParamInterface<Caso> {};

TEST_P(IsoleSuStradeGenerate, BothIslandsAreDrawn) {
    legs::Incrocio i;
    std::tie(i.curva, i.lato, i.verso, i.angoloGradi) = GetParam();
    PreparaCostruttore(i);
    DisegnaTutto();
    EXPECT_TRUE(m_b.CostruisciIsoleTriangolari());
    EXPECT_EQ(Testo(m_b.GetLog()), L"");
    for (int lato : {CConstrJunctor::kImmissione, CConstrJunctor::kUscita}) {
        VerificaCiglio(lato);
        VerificaBanchina(lato);
    }
}

std::string NomeCaso(const ::testing::TestParamInfo<Caso>& info) {
    legs::Incrocio i;
    std::tie(i.curva, i.lato, i.verso, i.angoloGradi) = info.param;
    return legs::Descrivi(i);
}

INSTANTIATE_TEST_SUITE_P(Incroci, IsoleSuStradeGenerate,
                         ::testing::Combine(::testing::Bool(), ::testing::Values(0, 1), ::testing::Values(1, 0),
                                            ::testing::Values(80.0, 90.0, 100.0)),
                         NomeCaso);

// The same on the outlines the builder itself draws: its drop island and its
// curb returns, at right angles, where the default style fits whole.
class IsoleSuContorniVeri : public IsoleTriangolariTest, public ::testing::WithParamInterface<Caso> {};

TEST_P(IsoleSuContorniVeri, BothIslandsFitBetweenTheBuiltOutlines) {
    legs::Incrocio i;
    std::tie(i.curva, i.lato, i.verso, i.angoloGradi) = GetParam();
    PreparaCostruttore(i);
    ASSERT_TRUE(m_b.CostruisciIsolaGoccia()) << Testo(m_b.GetLog());
    ASSERT_TRUE(m_b.CostruisciCigliEsterni()) << Testo(m_b.GetLog());
    auto letta = [](const wchar_t* codice) {
        std::vector<Disegnata> d = Disegnate(codice);
        EXPECT_EQ(d.size(), 1u) << Testo(codice);
        return d.empty() ? std::vector<Vertex>() : d[0].vertici;
    };
    m_isola = letta(L"rCIG");
    m_esterno[CConstrJunctor::kImmissione] = letta(L"rCEIN");
    m_esterno[CConstrJunctor::kUscita] = letta(L"rCEOUT");
    EXPECT_TRUE(m_b.CostruisciIsoleTriangolari());
    EXPECT_EQ(Testo(m_b.GetLog()), L"");
    for (int lato : {CConstrJunctor::kImmissione, CConstrJunctor::kUscita}) {
        VerificaCiglio(lato);
        VerificaBanchina(lato);
    }
}

INSTANTIATE_TEST_SUITE_P(Incroci, IsoleSuContorniVeri,
                         ::testing::Combine(::testing::Bool(), ::testing::Values(0, 1), ::testing::Values(1, 0),
                                            ::testing::Values(90.0)),
                         NomeCaso);

TEST_F(IsoleTriangolariTest, CornersOfRadiusRitTouchTheMainShoulder) {
    // Rit 0.6 and every lane width 3.5: the two corners at the main road are
    // arcs of radius 0.6 tangent to the main shoulder, and on a straight main
    // road the closing side runs on along it without a kink.
    legs::Incrocio i;
    PreparaCostruttore(i);
    CConstrPars& p = *m_b.m_parametri;
    p.Rit.SetValore(0.6);
    for (CSingleConstrPar* w : {&p.Ledx, &p.Lesx, &p.Ludx, &p.Lusx}) w->SetValore(3.5);
    DisegnaTutto();
    ASSERT_TRUE(m_b.CostruisciIsoleTriangolari()) << Testo(m_b.GetLog());
    for (int lato : {CConstrJunctor::kImmissione, CConstrJunctor::kUscita}) {
        VerificaBanchina(lato);
        std::vector<Disegnata> d = Disegnate(CodiceBanchina(lato));
        ASSERT_EQ(d.size(), 1u);
        GeometryChecker b(d[0].vertici);
        const size_t ultimo = b.Size() - 2;
        EXPECT_NEAR(b.Segment(0).radius, 0.6, kTol);
        EXPECT_NEAR(b.Segment(ultimo - 1).radius, 0.6, kTol);
        // The closing straight lies on the main shoulder and meets both
        // corner arcs tangentially.
        EXPECT_NEAR(CheckerOf(BanchinaPrincipale()).DistanceTo({b.At(0).x, b.At(0).y}), 0, kTol);
        EXPECT_LT(GeometryChecker::AngleBetween(b.TangentIn(ultimo), b.TangentOut(ultimo)), 1e-7);
        EXPECT_LT(GeometryChecker::AngleBetween(b.TangentIn(ultimo + 1), b.TangentOut(0)), 1e-7);
    }
}

// Without a drop island edge to read back both islands fail and nothing is
// drawn: one never drawn or erased since is reported, an entity that is not
// a polyline fails with no line.
TEST_F(IsoleTriangolariTest, WithoutTheDropIslandBothIslandsFail) {
    enum Isola { kNonDisegnata, kCancellata, kNonPolilinea };
    const struct {
        Isola isola;
        const wchar_t* log;
    } casi[] = {{kNonDisegnata, kRigaEntita}, {kCancellata, kRigaEntita}, {kNonPolilinea, L""}};
    legs::Incrocio i;
    PreparaCostruttore(i);
    DisegnaTutto();
    for (const auto& c : casi) {
        SCOPED_TRACE(static_cast<int>(c.isola));
        Costruttore b;
        b.Init(m_scenario->Principale(), m_scenario->Ramo());
        b.LeggiPuntiRamo();
        b.m_idCiglioEsterno[0] = m_b.m_idCiglioEsterno[0];
        b.m_idCiglioEsterno[1] = m_b.m_idCiglioEsterno[1];
        switch (c.isola) {
        case kNonDisegnata:
            break;
        case kCancellata:
            b.m_idCiglioIsola = Aggiungi(m_isola);
            ASSERT_EQ(EraseEntityDaId(b.m_idCiglioIsola, nullptr), Acad::eOk);
            break;
        case kNonPolilinea:
            b.m_idCiglioIsola =
                AppendToBlock(m_db.get(), new AcDbLine(AcGePoint3d(0, -10, 0), AcGePoint3d(5, -10, 0)));
            break;
        }
        EXPECT_FALSE(b.CostruisciIsoleTriangolari());
        EXPECT_EQ(Testo(b.GetLog()), c.log);
        for (int lato : {CConstrJunctor::kImmissione, CConstrJunctor::kUscita}) {
            EXPECT_TRUE(Disegnate(CodiceCiglio(lato)).empty());
            EXPECT_TRUE(Disegnate(CodiceBanchina(lato)).empty());
        }
    }
}

// One side fails on its outer edge; it draws no edge and no shoulder while
// the other side is still built whole.
struct LatoInErrore {
    const char* nome;
    int lato;
    enum { kMancante, kCancellato, kLontano, kUnVertice } esterno;
    const wchar_t* riga;
};

class UnLatoInErrore : public IsoleTriangolariTest, public ::testing::WithParamInterface<LatoInErrore> {};

TEST_P(UnLatoInErrore, TheOtherSideIsStillBuilt) {
    const LatoInErrore& c = GetParam();
    legs::Incrocio i;
    PreparaCostruttore(i);
    DisegnaTutto();
    const int altro = 1 - c.lato;
    switch (c.esterno) {
    case LatoInErrore::kMancante:
        m_b.m_idCiglioEsterno[c.lato] = AcDbObjectId();
        break;
    case LatoInErrore::kCancellato:
        ASSERT_EQ(EraseEntityDaId(m_b.m_idCiglioEsterno[c.lato], nullptr), Acad::eOk);
        break;
    case LatoInErrore::kLontano:
        // Never reaches the main road.
        m_b.m_idCiglioEsterno[c.lato] = Aggiungi({{200, -200, 0}, {260, -200, 0}});
        break;
    case LatoInErrore::kUnVertice:
        // Its offset comes out empty.
        m_b.m_idCiglioEsterno[c.lato] = Aggiungi({{0, -20, 0}});
        break;
    }
    EXPECT_FALSE(m_b.CostruisciIsoleTriangolari());
    EXPECT_EQ(Testo(m_b.GetLog()), c.riga);
    EXPECT_TRUE(Disegnate(CodiceCiglio(c.lato)).empty());
    EXPECT_TRUE(Disegnate(CodiceBanchina(c.lato)).empty());
    VerificaCiglio(altro);
    VerificaBanchina(altro);
}

INSTANTIATE_TEST_SUITE_P(
    Casi, UnLatoInErrore,
    ::testing::Values(
        LatoInErrore{"EntryMissing", CConstrJunctor::kImmissione, LatoInErrore::kMancante, kRigaEntita},
        LatoInErrore{"ExitMissing", CConstrJunctor::kUscita, LatoInErrore::kMancante, kRigaEntita},
        LatoInErrore{"EntryErased", CConstrJunctor::kImmissione, LatoInErrore::kCancellato, kRigaEntita},
        LatoInErrore{"EntryFarAway", CConstrJunctor::kImmissione, LatoInErrore::kLontano, kRigaIntersezioni},
        LatoInErrore{"ExitFarAway", CConstrJunctor::kUscita, LatoInErrore::kLontano, kRigaIntersezioni},
        LatoInErrore{"ExitOneVertex", CConstrJunctor::kUscita, LatoInErrore::kUnVertice, kRigaOffset}),
    [](const ::testing::TestParamInfo<LatoInErrore>& info) { return std::string(info.param.nome); });

// An island too small for its lanes or for its shoulder: the triangle would
// close the wrong way round and its outline cross itself. Nothing is drawn
// for it (the edge stays when only the shoulder does not fit), and the
// other side is still built.
struct TroppoPiccola {
    const char* nome;
    int lato;
    double angolo;
    double larghezze, banchina;  // the side's lane widths on both lines (0: the style's) and shoulder width
    bool ciglioDisegnato;
};

class IsolaTroppoPiccola : public IsoleTriangolariTest, public ::testing::WithParamInterface<TroppoPiccola> {};

TEST_P(IsolaTroppoPiccola, NothingCrossedIsDrawn) {
    const TroppoPiccola& c = GetParam();
    legs::Incrocio i;
    i.angoloGradi = c.angolo;
    PreparaCostruttore(i);
    DisegnaTutto();
    CConstrPars& p = *m_b.m_parametri;
    const bool immissione = c.lato == CConstrJunctor::kImmissione;
    if (c.larghezze > 0) {
        (immissione ? p.Ledx : p.Ludx).SetValore(c.larghezze);
        (immissione ? p.Lesx : p.Lusx).SetValore(c.larghezze);
    }
    (immissione ? p.Lbitr : p.Lbutr).SetValore(c.banchina);
    EXPECT_FALSE(m_b.CostruisciIsoleTriangolari());
    EXPECT_EQ(Testo(m_b.GetLog()), kRigaIntersezioni);
    if (c.ciglioDisegnato)
        VerificaCiglio(c.lato);
    else
        EXPECT_TRUE(Disegnate(CodiceCiglio(c.lato)).empty());
    EXPECT_TRUE(Disegnate(CodiceBanchina(c.lato)).empty());
    VerificaCiglio(1 - c.lato);
    VerificaBanchina(1 - c.lato);
}

INSTANTIATE_TEST_SUITE_P(
    Casi, IsolaTroppoPiccola,
    ::testing::Values(
        // The offsets overlap before the main edge and cross again in the road.
        TroppoPiccola{"ExitLanesTooWide", CConstrJunctor::kUscita, 90, 12.0, 0.5, false},
        TroppoPiccola{"EntryLanesTooWide", CConstrJunctor::kImmissione, 90, 12.0, 0.5, false},
        TroppoPiccola{"ExitShoulderTooWide", CConstrJunctor::kUscita, 90, 0, 5.0, true},
        TroppoPiccola{"EntryShoulderTooWide", CConstrJunctor::kImmissione, 90, 0, 5.0, true},
        // The corner centres come out the wrong way round in the small
        // island of the acute corner.
        TroppoPiccola{"ExitShoulderAtAcuteCorner", CConstrJunctor::kUscita, 75, 0, 0.5, true}),
    [](const ::testing::TestParamInfo<TroppoPiccola>& info) { return std::string(info.param.nome); });

TEST_F(IsoleTriangolariTest, OffsetsCrossingTheWrongWayRoundMakeNoIsland) {
    // Straight offsets near the right edge (y = -3.75) of an eastbound main
    // road, exit side: the outer edge's offset must reach the main edge
    // farther from the island than the island's offset, with the island on
    // the left of the one and on the right of the other. With the two lines'
    // roles swapped they still cross beyond the main edge, but the triangle
    // between them runs clockwise, on the wrong side of both.
    legs::Incrocio i;
    PreparaCostruttore(i);
    CConstrPars& p = *m_b.m_parametri;
    p.Ludx.SetValore(1.0);
    p.Lusx.SetValore(1.0);
    m_b.m_isola2[0] = -2.5;
    m_b.m_isola2[1] = -4.5;
    // A two-vertex list at distance 1 to the left (> 0) or right of a to b.
    auto linea = [](P2 a, P2 b, double sinistra) {
        const P2 n = sinistra * Perp(Unit(b - a));
        datipoli* l = nullptr;
        ads_point pa = {a.x + n.x, a.y + n.y, 0}, pb = {b.x + n.x, b.y + n.y, 0};
        PolilineaDuePunti(pa, pb, &l);
        return l;
    };
    struct {
        P2 e0, e1, d0, d1;  // the outer edge's offset and the island's offset
        bool isola;
    } casi[] = {
        {{-5, 0}, {5, -20}, {0, 0}, {-10, -20}, true},
        {{0, 0}, {-10, -20}, {-5, 0}, {5, -20}, false},
    };
    for (const auto& c : casi) {
        SCOPED_TRACE(c.isola ? "island" : "swapped");
        // E lies 1 to the right of its offset, D 1 to the left of its own.
        datipoli* e = linea(c.e0, c.e1, -1);
        datipoli* d = linea(c.d0, c.d1, 1);
        const int prima = static_cast<int>(Disegnate(L"rCIOUT").size());
        EXPECT_EQ(m_b.CostruisciCiglioIsolaTriangolare(CConstrJunctor::kUscita, d, e), c.isola);
        std::vector<Disegnata> dopo = Disegnate(L"rCIOUT");
        ASSERT_EQ(static_cast<int>(dopo.size()), prima + (c.isola ? 1 : 0));
        if (c.isola) {
            // P1 (-3.125, -3.75), P3 (-2.5, -5), P2 (-1.875, -3.75), closed.
            const std::vector<Vertex>& v = dopo.back().vertici;
            ASSERT_EQ(v.size(), 4u);
            const double atteso[4][2] = {{-3.125, -3.75}, {-2.5, -5}, {-1.875, -3.75}, {-3.125, -3.75}};
            for (int k = 0; k < 4; ++k) {
                EXPECT_NEAR(v[k].x, atteso[k][0], kTol) << k;
                EXPECT_NEAR(v[k].y, atteso[k][1], kTol) << k;
            }
            EXPECT_EQ(Testo(m_b.GetLog()), L"");
        } else {
            EXPECT_EQ(Testo(m_b.GetLog()), kRigaIntersezioni);
        }
        LiberaDATIPOLI(&e);
        LiberaDATIPOLI(&d);
    }
}

TEST_F(IsoleTriangolariTest, MainRoadNotOpenFailsEdgeAndShoulder) {
    legs::Incrocio i;
    legs::Scenario& s = PreparaCostruttore(i);
    const std::vector<Vertex> isola = IsolaGoccia(), esterno = CiglioEsterno(CConstrJunctor::kUscita);
    datipoli* d = nullptr;
    datipoli* e = nullptr;
    datipoli* coda = nullptr;
    for (const Vertex& v : isola) {
        ads_point q = {v.x, v.y, 0};
        AggpuntoDATIPOLI(q, v.bulge, &d, &coda);
    }
    coda = nullptr;
    for (const Vertex& v : esterno) {
        ads_point q = {v.x, v.y, 0};
        AggpuntoDATIPOLI(q, v.bulge, &e, &coda);
    }
    s.Principale()->Chiudi();
    EXPECT_FALSE(m_b.CostruisciCiglioIsolaTriangolare(CConstrJunctor::kUscita, d, e));
    EXPECT_FALSE(m_b.CostruisciBanchinaIsolaTriangolare(CConstrJunctor::kUscita, d, e));
    EXPECT_EQ(Testo(m_b.GetLog()), std::wstring(kRigaPrincipale) + kRigaPrincipale);
    // Missing lists fail at once, with no line.
    EXPECT_FALSE(m_b.CostruisciCiglioIsolaTriangolare(CConstrJunctor::kUscita, nullptr, e));
    EXPECT_FALSE(m_b.CostruisciBanchinaIsolaTriangolare(CConstrJunctor::kUscita, d, nullptr));
    EXPECT_EQ(Testo(m_b.GetLog()), std::wstring(kRigaPrincipale) + kRigaPrincipale);
    LiberaDATIPOLI(&d);
    LiberaDATIPOLI(&e);
}

TEST_F(IsoleTriangolariTest, AnEdgeTheDrawingDoesNotTakeIsNotReportedBuilt) {
    legs::Incrocio i;
    PreparaCostruttore(i);
    DisegnaTutto();
    datipoli* d = nullptr;
    datipoli* e = nullptr;
    ads_name nome;
    acdbGetAdsName(nome, m_b.m_idCiglioIsola);
    ASSERT_TRUE(LeggiDATIPOLI(nome, &d));
    acdbGetAdsName(nome, m_b.m_idCiglioEsterno[CConstrJunctor::kUscita]);
    ASSERT_TRUE(LeggiDATIPOLI(nome, &e));
    // No working drawing: the append fails and the polyline is deleted.
    acdbHostApplicationServices()->setWorkingDatabase(nullptr);
    const bool ciglio = m_b.CostruisciCiglioIsolaTriangolare(CConstrJunctor::kUscita, d, e);
    const bool banchina = m_b.CostruisciBanchinaIsolaTriangolare(CConstrJunctor::kUscita, d, e);
    acdbHostApplicationServices()->setWorkingDatabase(m_db.get());
    EXPECT_FALSE(ciglio);
    EXPECT_FALSE(banchina);
    EXPECT_TRUE(Disegnate(CodiceCiglio(CConstrJunctor::kUscita)).empty());
    LiberaDATIPOLI(&d);
    LiberaDATIPOLI(&e);
}

}  // namespace
