// The drop island of a leg: the circle tangent to a line and two circles, the
// tangent points, the two halves, and whole islands (edge and shoulder) on
// generated roads, checked with the independent geometry checker.
#include <cmath>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "CConstrJunctor.h"
#include "CerchioBaseIsola.h"
#include "CostruttoreDiProva.h"
#include "LegTest.h"
#include "PolilineeJunctor.h"
#include "QvEngineering.h"

namespace {

using geomcheck::GeometryChecker;
using geomcheck::Vec2;

constexpr double kPi = 3.14159265358979323846;

using Costruttore = CostruttoreDiProva;

// A vertex list freed at the end of the scope.
struct ListaLetta {
    datipoli* lista = nullptr;
    ~ListaLetta() { LiberaDATIPOLI(&lista); }
};

// The vertices of a drawn polyline, read back as the triangular islands read it.
std::unique_ptr<ListaLetta> Leggi(AcDbObjectId id) {
    auto l = std::make_unique<ListaLetta>();
    ads_name nome;
    if (!id.isNull() && acdbGetAdsName(nome, id) == Acad::eOk) LeggiDATIPOLI(nome, &l->lista);
    return l;
}

double Distanza(Vec2 a, Vec2 b) { return std::hypot(a.x - b.x, a.y - b.y); }

Vec2 V2(const ads_point p) { return {p[0], p[1]}; }

// Distance of a point from the line through a and b.
double DistanzaRetta(Vec2 p, Vec2 a, Vec2 b) {
    return std::fabs((b.x - a.x) * (p.y - a.y) - (b.y - a.y) * (p.x - a.x)) / Distanza(a, b);
}

// Whether two directions are parallel (either sense).
bool Paralleli(double a, double b, double tol) {
    double d = GeometryChecker::AngleBetween(a, b);
    return d <= tol || kPi - d <= tol;
}

// Point in polygon (the polygon given by points along it, closed).
bool Dentro(const std::vector<Vec2>& poligono, Vec2 p) {
    bool dentro = false;
    for (std::size_t i = 0, j = poligono.size() - 1; i < poligono.size(); j = i++) {
        const Vec2& a = poligono[i];
        const Vec2& b = poligono[j];
        if ((a.y > p.y) != (b.y > p.y) && p.x < (b.x - a.x) * (p.y - a.y) / (b.y - a.y) + a.x) dentro = !dentro;
    }
    return dentro;
}

// ---------------------------------------------------------------------------
// The circle tangent to a line and to two circles.

struct CasoTangente {
    const char* nome;
    // In a frame where the line is the x axis and A's centre is (0, d).
    double d, r1, u, v, r2;
    const wchar_t* riga;  // null: a circle is expected
};

// Where a case is put in the drawing: rotated and moved, the line given by
// two of its points in either order.
struct Posa {
    double angolo, tx, ty;
    bool invertita;
};

void InPosa(const Posa& posa, double x, double y, ads_point p) {
    const double c = std::cos(posa.angolo), s = std::sin(posa.angolo);
    p[0] = posa.tx + c * x - s * y;
    p[1] = posa.ty + s * x + c * y;
    p[2] = 0;
}

const CasoTangente kCasiTangente[] = {
    // Both circles stand alike over the line (the island with riu = rie on a
    // straight main road): t is 0 exactly or within rounding of it.
    {"alike", 3, 8.5, 10, 3, 8.5, nullptr},
    {"alike_island", 8.75, 13.5, 19.4, 8.75, 13.5, nullptr},
    {"nearly_alike_1e12", 3, 8.5, 10, 3, 8.5 + 1e-12, nullptr},
    {"nearly_alike_1e9", 3, 8.5, 10, 3, 8.5 + 1e-9, nullptr},
    {"nearly_alike_1e6", 3, 8.5, 10, 3, 8.5 - 1e-6, nullptr},
    {"nearly_alike_1e3", 3, 8.5, 10, 3, 8.5 + 1e-3, nullptr},
    // Radii and heights that differ (riu and rie apart, a curved road).
    {"different", 8.75, 13.5, 19, 9.25, 14.0, nullptr},
    {"different_other_way", 8.75, 13.5, -19, 8.0, 12.5, nullptr},
    // A touches the line: so does the circle, where A does; B lies inside it.
    {"a_touches", 5, 5, 4, 3, 1, nullptr},
    // Two small circles apart over the line, inside the circle that touches
    // the line: their centres are farther apart than r1 + r2, which the
    // distance pre-test would have refused.
    {"enclosing", 3, 1, 4, 3, 1, nullptr},
    {"enclosing_nearly_alike", 3, 1, 4, 3, 1 + 1e-6, nullptr},
    // The two circles meet each other before they reach the line.
    {"lens_short_of_line", 8.25, 13.5, 22.2153, 8.25, 13.5, L"Nessuna soluzione. Comando annullato\r\n"},
    {"lens_short_of_line_different", 8.25, 13.5, 22.5, 8.0, 13.4, L"Nessuna soluzione. Comando annullato\r\n"},
    // A crosses the line, B is small and far off it.
    {"far_apart", 2, 5, 20, 10, 1, L"Nessuna soluzione. Comando annullato\r\n"},
    {"both_touch", 3, 3, 5, 2, 2, L"Infinite soluzioni. Comando annullato\r\n"},
};

const Posa kPose[] = {
    {0, 0, 0, false},          {kPi / 2, 0, 0, false},      {0.7, 1234.5, -678.9, true},
    {2.9, -250.25, 4000.125, false}, {-kPi / 2, 17, 3, true},
};

class CerchioTangenteTest : public ::testing::TestWithParam<CasoTangente> {};

TEST_P(CerchioTangenteTest, TouchesTheLineAndBothCirclesOnASide) {
    const CasoTangente& caso = GetParam();
    for (const Posa& posa : kPose) {
        SCOPED_TRACE(posa.angolo);
        circ a{}, b{};
        ads_point c1, c2, p, q;
        InPosa(posa, 0, caso.d, c1);
        InPosa(posa, caso.u, caso.v, c2);
        InPosa(posa, posa.invertita ? 6 : -3, 0, p);
        InPosa(posa, posa.invertita ? -3 : 6, 0, q);
        a = circ{c1[0], c1[1], 0, caso.r1, 0, 0};
        b = circ{c2[0], c2[1], 0, caso.r2, 0, 0};
        Costruttore k;
        circ r{};
        const bool trovato = k.CerchioTangente(a, b, p, q, &r);
        if (caso.riga) {
            EXPECT_FALSE(trovato);
            EXPECT_EQ(std::wstring(k.GetLog()), caso.riga);
            continue;
        }
        ASSERT_TRUE(trovato) << std::wstring(k.GetLog());
        EXPECT_TRUE(k.GetLog().IsEmpty());
        const double scala = std::max({1.0, caso.d, caso.r1, std::fabs(caso.u), caso.v, caso.r2, r.raggio});
        const double tol = 1e-9 * scala;
        const Vec2 centro{r.xc, r.yc};
        EXPECT_GT(r.raggio, 0);
        // Tangent to the line, on A's side of it.
        EXPECT_NEAR(DistanzaRetta(centro, V2(p), V2(q)), r.raggio, tol);
        auto lato = [&](Vec2 x) { return (q[0] - p[0]) * (x.y - p[1]) - (q[1] - p[1]) * (x.x - p[0]); };
        EXPECT_GT(lato(centro) * lato(V2(c1)), 0);
        // Tangent to both circles.
        EXPECT_NEAR(Distanza(centro, V2(c1)), std::fabs(r.raggio - caso.r1), tol);
        EXPECT_NEAR(Distanza(centro, V2(c2)), std::fabs(r.raggio - caso.r2), tol);
        // Near-alike circles give a circle near the alike one, not one that
        // runs off to infinity.
        EXPECT_LT(r.raggio, 10 * std::max(caso.r1, caso.r2));
    }
}

INSTANTIATE_TEST_SUITE_P(Casi, CerchioTangenteTest, ::testing::ValuesIn(kCasiTangente),
                         [](const ::testing::TestParamInfo<CasoTangente>& i) { return std::string(i.param.nome); });

TEST(CerchioTangente, AlikeCirclesGiveTheLinearSolution) {
    // Circles of radius 8.5 at height 3 over the line, 10 apart: the circle
    // touching the line and lying inside both is centred half way.
    for (double scarto : {0.0, 1e-16, -1e-15}) {
        Costruttore k;
        circ a{0, 3, 0, 8.5, 0, 0}, b{10, 3 + scarto, 0, 8.5, 0, 0}, r{};
        ads_point p = {-1, 0, 0}, q = {1, 0, 0};
        ASSERT_TRUE(k.CerchioTangente(a, b, p, q, &r)) << scarto;
        EXPECT_NEAR(r.xc, 5, 1e-9);
        EXPECT_NEAR(r.yc, 38.25 / 11, 1e-9);
        EXPECT_NEAR(r.raggio, 38.25 / 11, 1e-9);
    }
}

// The base circle resting on an island's sides: touching the base line y = 0
// from above and the sides from inside, or one side and a circle.
TEST(CerchioBaseIsola, TouchesTheLinesAndTheCircleFromInside) {
    const double r2 = std::sqrt(0.5);
    const Retta base{0, 0, 0, 1};
    const Retta sinistro{-2, 0, r2, -r2};  // y = x + 2, inside below-right
    const Retta destro{2, 0, -r2, -r2};    // y = -x + 2, inside below-left
    circ r{};
    // The triangle (-2, 0), (2, 0), (0, 2): its incircle.
    ASSERT_TRUE(CerchioTraRette({base, sinistro, destro}, nullptr, r));
    EXPECT_NEAR(r.xc, 0, 1e-9);
    EXPECT_NEAR(r.raggio, 2 / (1 + std::sqrt(2.0)), 1e-9);
    EXPECT_NEAR(r.yc, r.raggio, 1e-9);
    // The base, the left side and a circle of radius 2 about (1, 1.5):
    // the smallest circle touching all three as required.
    const circ grande{1, 1.5, 0, 2, 0, 0};
    ASSERT_TRUE(CerchioTraRette({base, sinistro}, &grande, r));
    EXPECT_NEAR(r.yc, r.raggio, 1e-9);
    EXPECT_NEAR((r.xc + 2) * r2 - r.yc * r2, r.raggio, 1e-9);
    EXPECT_NEAR(std::hypot(r.xc - 1, r.yc - 1.5), 2 - r.raggio, 1e-9);
    EXPECT_GT(r.raggio, 0);
    // Three parallel lines touch no circle.
    EXPECT_FALSE(CerchioTraRette({base, Retta{0, 1, 0, 1}, Retta{0, 2, 0, -1}}, nullptr, r));
}

// A base arc resting on both sides turns through more than a half turn: its
// bulge goes the way that passes the circle's point nearest the base.
TEST(CerchioBaseIsola, BaseArcPassesByTheBase) {
    ads_point centro = {0, 1, 0};
    const double baseA[] = {-5, 0, 0}, baseB[] = {5, 0, 0};
    // From upper right to upper left of the circle, passing under it: the
    // clockwise arc through (0, 0), 270 degrees.
    ads_point da = {std::cos(kPi / 4), 1 + std::sin(kPi / 4), 0};
    ads_point a = {-std::cos(kPi / 4), 1 + std::sin(kPi / 4), 0};
    EXPECT_NEAR(BulgeVersoBase(centro, da, a, baseA, baseB), -std::tan(1.5 * kPi / 4), 1e-9);
    // From lower left to lower right: the minor arc, counter-clockwise.
    ads_point b = {-std::cos(kPi / 4), 1 - std::sin(kPi / 4), 0};
    ads_point c = {std::cos(kPi / 4), 1 - std::sin(kPi / 4), 0};
    EXPECT_NEAR(BulgeVersoBase(centro, b, c, baseA, baseB), std::tan(0.5 * kPi / 4), 1e-9);
}

TEST(CerchioTangente, LineOfOnePointOrCentreOnTheLineIsRefused) {
    struct Caso {
        circ a;
        ads_point p, q;
        const wchar_t* riga;
    };
    const Caso casi[] = {
        {{0, 3, 0, 8.5, 0, 0},
         {2, 0, 0},
         {2, 0, 0},
         L"Impossibile calcolare il cerchio tangente. Comando annullato\r\n"},
        {{4, 0, 0, 8.5, 0, 0}, {-1, 0, 0}, {1, 0, 0}, L"Rototraslazione impossibile. Comando annullato\r\n"},
    };
    for (const Caso& c : casi) {
        Costruttore k;
        circ b{10, 3, 0, 8.5, 0, 0}, r{-1, -1, -1, -1, 0, 0};
        EXPECT_FALSE(k.CerchioTangente(c.a, b, c.p, c.q, &r));
        EXPECT_EQ(std::wstring(k.GetLog()), c.riga);
        EXPECT_EQ(r.raggio, -1);
    }
}

// ---------------------------------------------------------------------------
// Tangent points.

TEST(PuntoSuCerchio, FootAcceptedFromRadiusLessToleranceOutwards) {
    struct Caso {
        double ax, ay, bx, by;
        bool accettato;
    };
    // Circle of radius 5 about the origin; the line's foot is (0, ay) when found.
    const Caso casi[] = {
        {-1, 5, 1, 5, true},          // tangent
        {3, 4.9995, 7, 4.9995, true},  // within the tolerance
        {-1, 4.998, 1, 4.998, false},  // cuts the circle
        {-1, 7, 1, 7, true},           // off the circle, outside it
        {1100, 5, 1200, 5, false},     // foot more than 1000 before A
        {999, 5, 1000, 5, true},       // foot 999 before A
        {-1200, 5, -1100, 5, false},   // foot more than 1000 beyond B
        {2, 5, 2, 5, false},           // no line
    };
    for (const Caso& c : casi) {
        Costruttore k;
        circ cerchio{0, 0, 0, 5, 0, 0};
        ads_point a = {c.ax, c.ay, 0}, b = {c.bx, c.by, 0}, punto = {9, 9, 9};
        EXPECT_EQ(k.PuntoSuCerchio(cerchio, a, b, punto), c.accettato) << c.ax << " " << c.ay;
        if (c.accettato) {
            EXPECT_NEAR(punto[0], 0, 1e-12);
            EXPECT_NEAR(punto[1], c.ay, 1e-12);
        } else {
            EXPECT_EQ(punto[0], 9);
        }
    }
}

TEST(PuntoVicinoCerchio, FootAcceptedStrictlyWithinTheTolerance) {
    datipoli* lista = nullptr;
    ads_point a = {-10, 3, 0}, b = {10, 3, 0};
    PolilineaDuePunti(a, b, &lista);
    struct Caso {
        double cx, raggio;
        bool accettato;
    };
    const Caso casi[] = {
        {0, 3, true}, {1, 3.0009, true}, {1, 2.9991, true}, {0, 3.0011, false}, {0, 2.9989, false},
        {20, 3, false},  // no perpendicular foot beyond the end
    };
    for (const Caso& c : casi) {
        Costruttore k;
        circ cerchio{c.cx, 0, 0, c.raggio, 0, 0};
        ads_point punto = {9, 9, 9};
        EXPECT_EQ(k.PuntoVicinoCerchio(cerchio, lista, punto), c.accettato) << c.cx << " " << c.raggio;
        if (c.accettato) {
            EXPECT_NEAR(punto[0], c.cx, 1e-12);
            EXPECT_NEAR(punto[1], 3, 1e-12);
        }
    }
    Costruttore k;
    ads_point punto;
    EXPECT_FALSE(k.PuntoVicinoCerchio(circ{0, 0, 0, 3, 0, 0}, nullptr, punto));
    LiberaDATIPOLI(&lista);
}

// ---------------------------------------------------------------------------
// Whole islands on generated roads.

using Caso = std::tuple<bool, int, int, double, double>;  // curva, lato, verso, angolo, banchina

legs::Incrocio IncrocioDi(const Caso& c) {
    legs::Incrocio i;
    std::tie(i.curva, i.lato, i.verso, i.angoloGradi, i.banchinaPrincipale) = c;
    return i;
}

// One half as the builder computes it: T1, T2, T3, T4 with their bulges.
GeometryChecker Meta(Costruttore& k, int lato) {
    AcGePoint3dArray v;
    AcGeDoubleArray b;
    AcDb2dPolyline* polilinea = nullptr;
    EXPECT_TRUE(k.CalcolaLatoIsolaGoccia(lato, &polilinea, v, b)) << std::wstring(k.GetLog()).size();
    delete polilinea;
    std::vector<geomcheck::Vertex> vertici;
    for (int i = 0; i < v.length(); ++i) vertici.push_back({v[i].x, v[i].y, b[i]});
    return GeometryChecker(vertici);
}

// Of the two crossings of two circles, the one nearer the main axis, as its
// distance from the axis; infinity when they do not cross.
double CuspideVersoPrincipale(const geomcheck::Arc& a, const geomcheck::Arc& b, double riduzione,
                              const GeometryChecker& asse) {
    const double dc = Distanza(a.centre, b.centre);
    const double ra = a.radius - riduzione, rb = b.radius - riduzione;
    const double lungo = (dc * dc + ra * ra - rb * rb) / (2 * dc);
    if (ra * ra < lungo * lungo) return INFINITY;
    const double alto = std::sqrt(ra * ra - lungo * lungo);
    const Vec2 u{(b.centre.x - a.centre.x) / dc, (b.centre.y - a.centre.y) / dc};
    const Vec2 m{a.centre.x + lungo * u.x, a.centre.y + lungo * u.y};
    return std::min(asse.DistanceTo({m.x - alto * u.y, m.y + alto * u.x}),
                    asse.DistanceTo({m.x + alto * u.y, m.y - alto * u.x}));
}

class IsolaGocciaSuStrade : public LegTest, public ::testing::WithParamInterface<Caso> {};

// Each half: T1 on the island base, an arc tangent to the main axis to T2 on
// the island side, straight to T3, an arc tangent to the leg axis to T4 on
// it. The whole edge: T4, T3, T2 of half 1, the nose (or a straight base),
// T2, T3, T4 of half 0, then along the leg axis back to its first vertex. The
// shoulder: from the base circle along half 0's side to the tip arc, back
// along half 1's side and round the base circle, Lbis inside the edge.
TEST_P(IsolaGocciaSuStrade, EdgeAndShoulderJoinTangentiallyAndKeepTheirDistances) {
    const legs::Incrocio inc = IncrocioDi(GetParam());
    legs::Scenario& s = Prepara(inc);
    const CConstrPars* par = s.Ramo()->GetParametri();
    const double riu = par->riu.GetValore(), rie = par->rie.GetValore();
    const double rru = par->rru.GetValore(), rre = par->rre.GetValore();
    const double lbis = par->Lbis.GetValore(), rr1is = par->Rr1is.GetValore();
    const GeometryChecker assePrincipale = CheckerOf(s.Principale()->GetDatiPoliAsse());
    const GeometryChecker asseRamo = CheckerOf(s.Ramo()->GetDatiPoliAsse());
    const GeometryChecker banchinaPrincipale = CheckerOf(inc.lato == 0 ? s.Principale()->GetDatiPoliBanchinaDx()
                                                                        : s.Principale()->GetDatiPoliBanchinaSx());
    const double direzioneAsse = asseRamo.TangentOut(0);
    const double tolCurva = inc.curva ? 5e-3 : 1e-6;

    Costruttore k(s);
    const Vec2 P = V2(k.m_isola1), K2 = V2(k.m_isola2), K3 = V2(k.m_isola3), V = V2(k.m_isola4);
    // The island stands on the main shoulder line, moved out to 1.5 from the
    // main edge where the shoulder is narrower.
    const double spostamento = std::max(0.0, 1.5 - inc.banchinaPrincipale);
    EXPECT_NEAR(banchinaPrincipale.DistanceTo(P), spostamento, tolCurva);

    // The halves.
    geomcheck::Arc primoArco[2];
    for (int lato : {CConstrJunctor::kUscita, CConstrJunctor::kImmissione}) {
        SCOPED_TRACE(lato);
        const GeometryChecker m = Meta(k, lato);
        ASSERT_EQ(m.Size(), 4u);
        const Vec2 K = lato == CConstrJunctor::kUscita ? K2 : K3;
        primoArco[lato] = m.Segment(0);
        const geomcheck::Arc coda = m.Segment(2);
        ASSERT_TRUE(primoArco[lato].isArc);
        ASSERT_TRUE(coda.isArc);
        EXPECT_FALSE(m.Segment(1).isArc);
        EXPECT_NEAR(primoArco[lato].radius, lato == CConstrJunctor::kUscita ? riu : rie, 1e-6);
        EXPECT_NEAR(assePrincipale.DistanceTo(primoArco[lato].centre), primoArco[lato].radius, 1e-6);
        EXPECT_NEAR(coda.radius, lato == CConstrJunctor::kUscita ? rru : rre, 1e-6);
        EXPECT_NEAR(asseRamo.DistanceTo(coda.centre), coda.radius, 1e-6);
        EXPECT_NEAR(DistanzaRetta({m.At(0).x, m.At(0).y}, K2, K3), 0, 1e-6);
        EXPECT_NEAR(DistanzaRetta({m.At(1).x, m.At(1).y}, V, K), 0, 1e-6);
        EXPECT_NEAR(DistanzaRetta({m.At(2).x, m.At(2).y}, V, K), 0, 1e-6);
        EXPECT_NEAR(asseRamo.DistanceTo({m.At(3).x, m.At(3).y}), 0, 1e-6);
        EXPECT_TRUE(m.Tangential(1, 1e-7));
        EXPECT_TRUE(m.Tangential(2, 1e-7));
        EXPECT_TRUE(Paralleli(m.TangentIn(3), direzioneAsse, 1e-7));
    }

    // Whether the halves' first arcs, and the shoulder's (Lbis inside them),
    // still overlap where they reach the island's base line: this decides
    // what the island can be. No case of the table lies near either limit.
    const double base = assePrincipale.DistanceTo(P);
    const double cuspideCiglio = CuspideVersoPrincipale(primoArco[0], primoArco[1], 0, assePrincipale);
    const double cuspideBanchina = CuspideVersoPrincipale(primoArco[0], primoArco[1], lbis, assePrincipale);
    ASSERT_GT(std::fabs(cuspideCiglio - base), 0.05);
    ASSERT_GT(std::fabs(cuspideBanchina - base), 0.05);

    const bool esito = k.CostruisciIsolaGoccia();
    const std::wstring registro(k.GetLog());
    const std::wstring senzaBase =
        L"Nessuna soluzione. Comando annullato\r\n - Numero di intersezioni insufficienti in fase di costruzione.\r\n"
        L" - La banchina dell'isola a goccia non raggiunge la banchina della strada principale: modificare riu e "
        L"rie.\r\n";

    if (cuspideCiglio > base) {
        // The halves cross before the base: no outline can be drawn; the
        // island still counts as built, its halves exist.
        EXPECT_TRUE(esito);
        // Then the value to change: the radius of each half that reaches
        // the base past the base point.
        const std::wstring incrocio = senzaBase + L" - I lati dell'isola a goccia si incrociano prima della base.\r\n";
        const std::wstring riu =
            L" - L'arco di raggio riu raggiunge la base dell'isola oltre il punto di base: modificare riu o b1.\r\n";
        const std::wstring rie =
            L" - L'arco di raggio rie raggiunge la base dell'isola oltre il punto di base: modificare rie o b2.\r\n";
        EXPECT_TRUE(registro == incrocio + riu || registro == incrocio + rie || registro == incrocio + riu + rie)
            << ::testing::PrintToString(registro);
        EXPECT_TRUE(k.m_idCiglioIsola.isNull());
        EXPECT_TRUE(k.m_idBanchinaIsola.isNull());
        return;
    }

    auto ciglio = Leggi(k.m_idCiglioIsola);
    ASSERT_NE(ciglio->lista, nullptr);
    const GeometryChecker e = CheckerOf(ciglio->lista);
    ASSERT_EQ(e.Size(), 9u);
    // The edge closes on its first vertex, without a segment of no length.
    EXPECT_TRUE(e.Closed(1e-9));
    for (std::size_t i = 0; i + 1 < e.Size(); ++i) EXPECT_GT(e.Segment(i).length, 1e-3) << i;
    const struct {
        std::size_t segmento;
        double raggio;
    } archi[] = {{0, rre}, {2, rie}, {4, riu}, {6, rru}};
    for (const auto& a : archi) {
        ASSERT_TRUE(e.Segment(a.segmento).isArc) << a.segmento;
        EXPECT_NEAR(e.Segment(a.segmento).radius, a.raggio, 1e-6) << a.segmento;
    }
    EXPECT_FALSE(e.Segment(1).isArc);
    EXPECT_FALSE(e.Segment(5).isArc);
    EXPECT_FALSE(e.Segment(7).isArc);
    for (std::size_t i : {1, 2, 5, 6}) EXPECT_TRUE(e.Tangential(i, 1e-7)) << i;
    for (std::size_t i : {0, 7, 8}) EXPECT_NEAR(asseRamo.DistanceTo({e.At(i).x, e.At(i).y}), 0, 1e-6) << i;
    // Where the tail meets the axis part, both run along the leg axis.
    EXPECT_TRUE(Paralleli(e.TangentOut(0), direzioneAsse, 1e-7));
    EXPECT_TRUE(Paralleli(e.TangentIn(7), direzioneAsse, 1e-7));
    EXPECT_TRUE(Paralleli(e.TangentOut(7), direzioneAsse, 1e-7));
    EXPECT_TRUE(Paralleli(e.TangentIn(8), direzioneAsse, 1e-7));

    if (cuspideBanchina > base) {
        // No room for the shoulder's nose: the edge keeps a straight base on
        // the island base line, no shoulder is drawn; the island counts as
        // built.
        EXPECT_TRUE(esito);
        EXPECT_EQ(registro, senzaBase);
        EXPECT_TRUE(k.m_idBanchinaIsola.isNull());
        EXPECT_FALSE(e.Segment(3).isArc);
        for (std::size_t i : {3, 4}) EXPECT_NEAR(DistanzaRetta({e.At(i).x, e.At(i).y}, K2, K3), 0, 1e-6) << i;
        return;
    }

    EXPECT_TRUE(esito) << std::string(registro.begin(), registro.end());
    EXPECT_TRUE(registro.empty());
    for (std::size_t i : {3, 4}) EXPECT_TRUE(e.Tangential(i, 1e-7)) << i;
    auto banchina = Leggi(k.m_idBanchinaIsola);
    ASSERT_NE(banchina->lista, nullptr);
    const GeometryChecker b = CheckerOf(banchina->lista);
    ASSERT_GE(b.Size(), 7u);
    const std::size_t segmenti = b.Size() - 1;
    EXPECT_TRUE(b.Closed(1e-9));
    for (std::size_t i = 0; i < segmenti; ++i) EXPECT_GT(b.Segment(i).length, 1e-3) << i;
    // Tangential all round, across its closing vertex too.
    for (std::size_t i = 1; i < segmenti; ++i) EXPECT_TRUE(b.Tangential(i, 1e-7)) << i;
    EXPECT_LE(GeometryChecker::AngleBetween(b.TangentIn(segmenti), b.TangentOut(0)), 1e-7);
    // Its arcs: the sides Lbis inside the edge's, one tip arc of radius
    // Rr1is, the base circle last.
    EXPECT_NEAR(b.Segment(0).radius, riu - lbis, 1e-6);
    EXPECT_NEAR(b.Segment(segmenti - 2).radius, rie - lbis, 1e-6);
    std::size_t punta = 0;
    for (std::size_t i = 1; i + 2 < segmenti; ++i) {
        const geomcheck::Arc a = b.Segment(i);
        if (!a.isArc) continue;
        if (std::fabs(a.radius - rr1is) < 1e-6) {
            EXPECT_EQ(punta, 0u) << "one tip arc";
            punta = i;
        } else {
            EXPECT_TRUE(std::fabs(a.radius - (rru + lbis)) < 1e-6 || std::fabs(a.radius - (rre + lbis)) < 1e-6)
                << i << " " << a.radius;
        }
    }
    EXPECT_NE(punta, 0u);
    // The base circle touches the main shoulder line (moved as the island
    // was); on a curved main road it touches the chord through the points
    // where the shoulder's arcs cross that line, a few millimetres off it.
    const geomcheck::Arc cerchioBase = b.Segment(segmenti - 1);
    ASSERT_TRUE(cerchioBase.isArc);
    EXPECT_NEAR(banchinaPrincipale.DistanceTo(cerchioBase.centre), cerchioBase.radius + spostamento, tolCurva);
    EXPECT_GT(assePrincipale.DistanceTo(cerchioBase.centre), base);
    // The edge's nose is concentric with it, Lbis wider.
    const geomcheck::Arc naso = e.Segment(3);
    ASSERT_TRUE(naso.isArc);
    EXPECT_NEAR(Distanza(naso.centre, cerchioBase.centre), 0, 1e-6);
    EXPECT_NEAR(naso.radius, cerchioBase.radius + lbis, 1e-6);

    // The shoulder lies inside the edge, Lbis from it, farther only round
    // the tip.
    const std::vector<Vec2> contorno = e.Samples(64);
    for (std::size_t i = 0; i < segmenti; ++i) {
        GeometryChecker segmento({b.At(i), b.At(i + 1)});
        for (const Vec2& p : segmento.Samples(8)) {
            EXPECT_TRUE(Dentro(contorno, p)) << i;
            const double d = e.DistanceTo(p);
            if (i == punta) {
                EXPECT_GE(d, lbis - 1e-6);
            } else {
                EXPECT_NEAR(d, lbis, 1e-6) << i;
            }
        }
    }
}

std::string NomeCaso(const ::testing::TestParamInfo<Caso>& info) { return legs::Descrivi(IncrocioDi(info.param)); }

INSTANTIATE_TEST_SUITE_P(Incroci, IsolaGocciaSuStrade,
                         ::testing::Combine(::testing::Bool(), ::testing::Values(0, 1), ::testing::Values(1, 0),
                                            ::testing::Values(70.0, 90.0, 110.0), ::testing::Values(1.0, 2.0)),
                         NomeCaso);

class IsolaGocciaTest : public LegTest {
protected:
    // One half of the island of a leg.
    struct Meta {
        bool fatta = false;
        AcGePoint3dArray vertici;
        AcGeDoubleArray bulge;
        std::wstring log;
    };
    static Meta CalcolaMeta(Costruttore& k, int lato) {
        Meta m;
        AcDb2dPolyline* polilinea = nullptr;
        m.fatta = k.CalcolaLatoIsolaGoccia(lato, &polilinea, m.vertici, m.bulge);
        if (m.fatta) {
            EXPECT_NE(polilinea, nullptr);
            delete polilinea;
        } else {
            EXPECT_EQ(polilinea, nullptr);
        }
        m.log = std::wstring(k.GetLog());
        return m;
    }
};

TEST_F(IsolaGocciaTest, LeftTurnLaneMovesTheLineTheSideArcsTouch) {
    legs::Scenario& s = Prepara(legs::Incrocio{});
    const CConstrPars* p = s.Ramo()->GetParametri();
    CLanePars* corsie = s.Ramo()->GetParametriCorsie();
    const GeometryChecker asse = CheckerOf(s.Principale()->GetDatiPoliAsse());
    // The arc from T1 to T2 of each half: its radius, and its centre's
    // distance from the main axis.
    auto Arco = [&](int lato) {
        Costruttore k(s);
        Meta m = CalcolaMeta(k, lato);
        EXPECT_TRUE(m.fatta) << m.log;
        std::vector<geomcheck::Vertex> v;
        for (int i = 0; i < m.vertici.length(); ++i) v.push_back({m.vertici[i].x, m.vertici[i].y, m.bulge[i]});
        geomcheck::Arc a = GeometryChecker(v).Segment(0);
        return std::make_pair(a.radius, asse.DistanceTo(a.centre));
    };
    const auto uscita = Arco(CConstrJunctor::kUscita), immissione = Arco(CConstrJunctor::kImmissione);
    EXPECT_NEAR(uscita.second, p->riu.GetValore(), 1e-6);
    EXPECT_NEAR(immissione.second, p->rie.GetValore(), 1e-6);

    legs::ImpostaCorsie(*corsie, false, false, true);
    corsie->SRacd1.SetValore(1.25);
    corsie->SRacd2.SetValore(0.75);
    const auto uscitaSx = Arco(CConstrJunctor::kUscita), immissioneSx = Arco(CConstrJunctor::kImmissione);
    EXPECT_NEAR(uscitaSx.first, p->riu.GetValore(), 1e-6);
    EXPECT_NEAR(uscitaSx.second, p->riu.GetValore() + 1.25, 1e-6);
    EXPECT_NEAR(immissioneSx.first, p->rie.GetValore(), 1e-6);
    EXPECT_NEAR(immissioneSx.second, p->rie.GetValore() - 0.75, 1e-6);
}

TEST_F(IsolaGocciaTest, OutLegOffsetsItsAxisTheOtherWaySoBothGiveOneIsland) {
    // The same leg drawn In and Out: its axis runs the other way, so each
    // half's leg offset is on the other side code, and the halves agree.
    std::vector<Meta> meta[2];
    for (int verso : {CSecondariaJunctor::kIn, CSecondariaJunctor::kOut}) {
        legs::Incrocio i;
        i.verso = verso;
        i.angoloGradi = 80;
        legs::Scenario& s = Prepara(i);
        for (int lato : {CConstrJunctor::kUscita, CConstrJunctor::kImmissione}) {
            Costruttore k(s);
            meta[verso].push_back(CalcolaMeta(k, lato));
            ASSERT_TRUE(meta[verso].back().fatta) << meta[verso].back().log;
        }
        m_scenario.reset();
    }
    for (int lato = 0; lato < 2; ++lato) {
        const Meta& in = meta[CSecondariaJunctor::kIn][lato];
        const Meta& out = meta[CSecondariaJunctor::kOut][lato];
        ASSERT_EQ(in.vertici.length(), 4);
        ASSERT_EQ(out.vertici.length(), 4);
        for (int v = 0; v < 4; ++v) {
            EXPECT_NEAR(in.vertici[v].x, out.vertici[v].x, 1e-9) << lato << " " << v;
            EXPECT_NEAR(in.vertici[v].y, out.vertici[v].y, 1e-9) << lato << " " << v;
            EXPECT_NEAR(in.bulge[v], out.bulge[v], 1e-12) << lato << " " << v;
        }
    }
}

TEST_F(IsolaGocciaTest, LegOfNoKnownSideFailsEachHalfAndDrawsNothing) {
    for (int lato : {static_cast<int>(CSecondariaJunctor::kLatoIgnoto), -1, 7}) {
        legs::Scenario& s = Prepara(legs::Incrocio{});
        s.Ramo()->SetLato(lato);
        Costruttore k(s);
        Meta m = CalcolaMeta(k, CConstrJunctor::kUscita);
        EXPECT_FALSE(m.fatta);
        EXPECT_EQ(m.vertici.length(), 0);
        EXPECT_EQ(m.log, L" - Lato della strada secondaria rispetto alla principale non determinato.\r\n");
        Costruttore tutta(s);
        EXPECT_FALSE(tutta.CostruisciIsolaGoccia());
        EXPECT_TRUE(tutta.m_idCiglioIsola.isNull());
        EXPECT_TRUE(tutta.m_idBanchinaIsola.isNull());
        m_scenario.reset();
    }
}

TEST_F(IsolaGocciaTest, TailPointOffTheLegAxisFailsTheHalf) {
    // A leg of 40 m: the tail arc meets the axis line beyond the axis's end.
    legs::Incrocio i;
    i.lunghezzaRamo = 40;
    legs::Scenario& s = Prepara(i);
    Costruttore k(s);
    Meta m = CalcolaMeta(k, CConstrJunctor::kUscita);
    EXPECT_FALSE(m.fatta);
    EXPECT_EQ(m.vertici.length(), 0);
    EXPECT_EQ(m.bulge.length(), 0);
    EXPECT_EQ(m.log, L" - Punto di tangenza sull'asse della strada secondaria non trovato.\r\n");
    Costruttore tutta(s);
    EXPECT_FALSE(tutta.CostruisciIsolaGoccia());
    EXPECT_TRUE(tutta.m_idCiglioIsola.isNull());
}

TEST_F(IsolaGocciaTest, HalvesThatCrossBeforeTheBaseDrawNoEdge) {
    // A short b1 on a leg at 105 degrees: the exit half reaches the base
    // beyond the entry half, so a straight base would make the edge cross
    // itself. Both halves exist: the island answers true, with the reasons.
    legs::Incrocio i;
    i.angoloGradi = 105;
    i.banchinaPrincipale = 2.0;
    legs::Scenario& s = Prepara(i);
    s.Ramo()->GetParametri()->b1.SetValore(1.0);
    ASSERT_TRUE(s.Ramo()->CalcolaIsola(s.Principale(), false, false, true));
    Costruttore k(s);
    EXPECT_TRUE(k.CostruisciIsolaGoccia());
    EXPECT_EQ(std::wstring(k.GetLog()),
              L"Nessuna soluzione. Comando annullato\r\n - Numero di intersezioni insufficienti in fase di "
              L"costruzione.\r\n - La banchina dell'isola a goccia non raggiunge la banchina della strada "
              L"principale: modificare riu e rie.\r\n - I lati dell'isola a goccia si incrociano prima della base.\r\n"
              L" - L'arco di raggio riu raggiunge la base dell'isola oltre il punto di base: modificare riu o b1.\r\n"
              L" - L'arco di raggio rie raggiunge la base dell'isola oltre il punto di base: modificare rie o b2.\r\n");
    EXPECT_TRUE(k.m_idCiglioIsola.isNull());
    EXPECT_TRUE(k.m_idBanchinaIsola.isNull());
}

TEST_F(IsolaGocciaTest, NothingDrawnStillAnswersTrue) {
    legs::Scenario& s = Prepara(legs::Incrocio{});
    Costruttore k(s);
    // No working drawing to draw into: both polylines are made and lost.
    acdbHostApplicationServices()->setWorkingDatabase(nullptr);
    const bool esito = k.CostruisciIsolaGoccia();
    acdbHostApplicationServices()->setWorkingDatabase(m_db.get());
    EXPECT_TRUE(esito);
    EXPECT_TRUE(k.m_idCiglioIsola.isNull());
    EXPECT_TRUE(k.m_idBanchinaIsola.isNull());
}

TEST_F(IsolaGocciaTest, EdgeAndShoulderGoOnTheirLayersWithTheirCodes) {
    legs::Scenario& s = Prepara(legs::Incrocio{});
    Costruttore k(s);
    ASSERT_TRUE(k.CostruisciIsolaGoccia()) << std::wstring(k.GetLog());
    const struct {
        AcDbObjectId id;
        const wchar_t* layer;
        const wchar_t* codice;
    } attesi[] = {{k.m_idCiglioIsola, L"QV-CIGLI", L"rCIG"}, {k.m_idBanchinaIsola, L"QV-BANCHINE", L"rBIG"}};
    for (const auto& a : attesi) {
        AcDbEntity* entita = nullptr;
        ASSERT_EQ(acdbOpenObject(entita, a.id, AcDb::kForRead), Acad::eOk);
        ACHAR* layer = entita->layer();
        EXPECT_EQ(std::wstring(layer), a.layer);
        acutDelString(layer);
        entita->close();
        resbuf* dati = LeggiDatiEstesi(a.id, kAppIntersezione);
        ASSERT_NE(dati, nullptr);
        ASSERT_NE(dati->rbnext, nullptr);
        ASSERT_NE(dati->rbnext->rbnext, nullptr);
        EXPECT_EQ(std::wstring(dati->rbnext->resval.rstring), L"1234");
        EXPECT_EQ(std::wstring(dati->rbnext->rbnext->resval.rstring), a.codice);
        acutRelRb(dati);
    }
}

}  // namespace
