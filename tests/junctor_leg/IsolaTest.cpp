// The island triangle of a leg on generated roads: base point on the main
// shoulder and the leg axis, apex at distance h, base parallel to the main
// road, deflections equal to the triangle's angles; and the edge cases of the
// shoulder rule, recomputation and failures.
#include <cmath>
#include <tuple>

#include "CSecondariaJunctor.h"
#include "IndicePunti.h"
#include "LegTest.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

double Angolo(const ads_point vertice, const ads_point a, const ads_point b) {
    double u = std::atan2(a[1] - vertice[1], a[0] - vertice[0]);
    double v = std::atan2(b[1] - vertice[1], b[0] - vertice[0]);
    return geomcheck::GeometryChecker::AngleBetween(u, v);
}

double Distanza(const ads_point a, const ads_point b) { return std::hypot(a[0] - b[0], a[1] - b[1]); }

using Caso = std::tuple<bool, int, int, double, double>;  // curva, lato, verso, angolo, banchina

class IsolaSuStradeGenerate : public LegTest, public ::testing::WithParamInterface<Caso> {};

TEST_P(IsolaSuStradeGenerate, TriangleInvariants) {
    legs::Incrocio i;
    std::tie(i.curva, i.lato, i.verso, i.angoloGradi, i.banchinaPrincipale) = GetParam();
    legs::Scenario& s = Prepara(i);
    CSecondariaJunctor* ramo = s.Ramo();
    CPrincipaleJunctor* principale = s.Principale();
    const CConstrPars* p = ramo->GetParametri();
    const double h = p->h.GetValore(), b1 = p->b1.GetValore(), b2 = p->b2.GetValore();

    ads_point p0, i1, i2, i3, i4;
    ramo->GetPuntoBaseIsola(p0);
    ramo->GetPuntoIsola1(i1);
    ramo->GetPuntoIsola2(i2);
    ramo->GetPuntoIsola3(i3);
    ramo->GetPuntoIsola4(i4);

    // P0 lies on the main shoulder of the leg's side and on the leg axis.
    const datipoli* banchina =
        i.lato == 0 ? principale->GetDatiPoliBanchinaDx() : principale->GetDatiPoliBanchinaSx();
    EXPECT_NEAR(CheckerOf(banchina).DistanceTo(V2(p0)), 0, 1e-6);
    EXPECT_NEAR(CheckerOf(ramo->GetDatiPoliAsse()).DistanceTo(V2(p0)), 0, 1e-6);

    // The main direction at the crossing is stored on the main road.
    EXPECT_NEAR(geomcheck::GeometryChecker::AngleBetween(principale->GetDirezione(), s.DirezionePrincipale()), 0,
                1e-9);

    // Island point 1 is the base point moved away from the main axis when
    // the shoulder is narrower than 1.5, then by |s| against c (the main
    // direction on the right, its reverse on the left); the apex moves the
    // same way.
    const double c = s.DirezionePrincipale() + (i.lato == 0 ? 0 : kPi);
    const double shift = std::fabs(p->s.GetValore());
    ASSERT_GT(shift, 0);
    ads_point base = {i1[0] + shift * std::cos(c), i1[1] + shift * std::sin(c), 0};
    ads_point apice = {i4[0] + shift * std::cos(c), i4[1] + shift * std::sin(c), 0};
    const double spostamento = i.banchinaPrincipale < 1.499 ? 1.5 - i.banchinaPrincipale : 0;
    // The move is perpendicular to the main direction at the crossing,
    // outwards (to the right of it for a leg on the right).
    const double d = s.DirezionePrincipale();
    const double fuori[2] = {i.lato == 0 ? std::sin(d) : -std::sin(d), i.lato == 0 ? -std::cos(d) : std::cos(d)};
    EXPECT_NEAR(base[0] - p0[0], spostamento * fuori[0], 1e-7);
    EXPECT_NEAR(base[1] - p0[1], spostamento * fuori[1], 1e-7);
    auto checkerAsse = CheckerOf(principale->GetDatiPoliAsse());
    // The apex before both moves lies on the leg axis at distance h from P0.
    apice[0] -= base[0] - p0[0];
    apice[1] -= base[1] - p0[1];
    EXPECT_NEAR(Distanza(apice, p0), h, 1e-6);
    EXPECT_NEAR(CheckerOf(ramo->GetDatiPoliAsse()).DistanceTo(V2(apice)), 0, 1e-6);
    // ... on the side away from the main road.
    EXPECT_GT(std::fabs(checkerAsse.SignedOffset(V2(i4))), std::fabs(checkerAsse.SignedOffset(V2(i1))));

    // The base runs parallel to the main road: b1 behind island point 1, b2
    // ahead of it, along c (within the engine's pi of 3.14159265).
    EXPECT_NEAR(i2[0], i1[0] - b1 * std::cos(c), 1e-7);
    EXPECT_NEAR(i2[1], i1[1] - b1 * std::sin(c), 1e-7);
    EXPECT_NEAR(i3[0], i1[0] + b2 * std::cos(c), 1e-7);
    EXPECT_NEAR(i3[1], i1[1] + b2 * std::sin(c), 1e-7);

    // The deflections are the triangle's angles at the b2 corner (entry) and
    // at the b1 corner (exit); the engine's pi is not the full one.
    EXPECT_NEAR(p->GetDeviazioneImmissione(false), Angolo(i3, i2, i4), 1e-6);
    EXPECT_NEAR(p->GetDeviazioneUscita(false), Angolo(i2, i3, i4), 1e-6);
    // The crossing angle is the angle between the base direction c and the
    // direction from the base to the apex.
    ads_point avanti = {i1[0] + std::cos(c), i1[1] + std::sin(c), 0};
    EXPECT_NEAR(p->GetAngoloIncrocio(false), Angolo(i1, avanti, i4), 1e-6);
}

std::string NomeCaso(const ::testing::TestParamInfo<Caso>& info) {
    legs::Incrocio i;
    std::tie(i.curva, i.lato, i.verso, i.angoloGradi, i.banchinaPrincipale) = info.param;
    return legs::Descrivi(i);
}

INSTANTIATE_TEST_SUITE_P(Incroci, IsolaSuStradeGenerate,
                         ::testing::Combine(::testing::Bool(), ::testing::Values(0, 1), ::testing::Values(1, 0),
                                            ::testing::Values(70.0, 90.0, 110.0), ::testing::Values(1.0, 2.0)),
                         NomeCaso);

class IsolaTest : public LegTest {};

TEST_F(IsolaTest, EditingB1TwiceShiftsTheStoredBaseOnce) {
    legs::Incrocio i;
    legs::Scenario& s = Prepara(i);
    CSecondariaJunctor* ramo = s.Ramo();
    CConstrPars* p = ramo->GetParametri();
    p->s.SetValore(2.0);
    p->b1.SetValore(5.0);
    ASSERT_TRUE(ramo->CalcolaIsola(s.Principale(), false, false, true));
    ads_point una[4];
    ramo->GetPuntoIsola1(una[0]);
    ramo->GetPuntoIsola2(una[1]);
    ramo->GetPuntoIsola3(una[2]);
    ramo->GetPuntoIsola4(una[3]);
    p->b1.SetValore(5.0);
    ASSERT_TRUE(ramo->CalcolaIsola(s.Principale(), false, false, true));
    ads_point due[4];
    ramo->GetPuntoIsola1(due[0]);
    ramo->GetPuntoIsola2(due[1]);
    ramo->GetPuntoIsola3(due[2]);
    ramo->GetPuntoIsola4(due[3]);
    for (int k = 0; k < 4; ++k) {
        EXPECT_DOUBLE_EQ(una[k][0], due[k][0]) << k;
        EXPECT_DOUBLE_EQ(una[k][1], due[k][1]) << k;
    }
    // The shift moved base and apex by |s| against the main direction (leg
    // on the right of an eastbound road: westwards).
    ads_point p0;
    ramo->GetPuntoBaseIsola(p0);
    EXPECT_NEAR(una[0][0], p0[0] - 2.0, 1e-9);
    EXPECT_NEAR(una[0][1], p0[1], 1e-9);
}

TEST_F(IsolaTest, ApexTooFarFailsWithItsLineAndKeepsThePoints) {
    legs::Incrocio i;
    legs::Scenario& s = Prepara(i);
    CSecondariaJunctor* ramo = s.Ramo();
    ads_point prima;
    ramo->GetPuntoIsola4(prima);
    ramo->GetParametri()->h.SetValore(500);  // beyond the leg's far end
    EXPECT_FALSE(ramo->CalcolaIsola(s.Principale(), true, false, false));
    EXPECT_TRUE(ramo->GetLog().Find(
                    L" - Numero di intersezioni insufficiente nella costruzione del triangolo dell'isola.\r\n") >= 0);
    ads_point dopo;
    ramo->GetPuntoIsola4(dopo);
    EXPECT_EQ(prima[0], dopo[0]);
    EXPECT_EQ(prima[1], dopo[1]);
}

TEST_F(IsolaTest, LegOfUnknownSideIsRefused) {
    legs::Incrocio i;
    legs::Scenario& s = Prepara(i);
    CSecondariaJunctor* ramo = s.Ramo();
    ramo->SetLato(CSecondariaJunctor::kLatoIgnoto);
    EXPECT_FALSE(ramo->CalcolaIsola(s.Principale(), true, false, false));
    EXPECT_TRUE(ramo->GetLog().Find(L"non determinato") >= 0);
}

TEST_F(IsolaTest, RightAngleWithEqualBaseGivesEqualDeflections) {
    legs::Incrocio i;
    legs::Scenario& s = Prepara(i);
    CSecondariaJunctor* ramo = s.Ramo();
    CConstrPars* p = ramo->GetParametri();
    p->b1.SetValore(6);
    p->b2.SetValore(6);
    ASSERT_TRUE(ramo->CalcolaIsola(s.Principale(), false, false, true));
    // Equal within the engine's pi of 3.14159265.
    EXPECT_NEAR(p->GetDeviazioneImmissione(false), p->GetDeviazioneUscita(false), 1e-7);
}

TEST(IndicePunti, NearestTakesTheLaterTieFarthestTheEarlier) {
    AcGePoint3dArray punti;
    punti.append(AcGePoint3d(1, 0, 0));
    punti.append(AcGePoint3d(-1, 0, 0));
    punti.append(AcGePoint3d(0, 3, 0));
    punti.append(AcGePoint3d(0, -3, 0));
    ads_point o = {0, 0, 0};
    int i = -1;
    ASSERT_TRUE(IndicePuntoPiuVicino(punti, o, i));
    EXPECT_EQ(i, 1);
    i = 0;
    ASSERT_TRUE(IndicePuntoPiuLontano(punti, o, i));
    EXPECT_EQ(i, 2);
    AcGePoint3dArray vuoto;
    i = 7;
    EXPECT_FALSE(IndicePuntoPiuVicino(vuoto, o, i));
    EXPECT_FALSE(IndicePuntoPiuLontano(vuoto, o, i));
    EXPECT_EQ(i, 7);
}

// Rounding must not turn a deflection into a value that is not a number:
// a flat triangle (crossing angle pi) gives cosines at the edge of [-1, 1].
TEST(TriangoloIsola, FlatTriangleGivesFiniteDeflections) {
    ads_name nessuno = {0, 0};
    for (double b1 : {0.1, 1.0 / 3, 2.2, 7.7}) {
        CSecondariaJunctor ramo(L"SP", nessuno, 1, 0);
        CConstrPars* p = ramo.GetParametri();
        p->h.SetValore(16);
        p->b1.SetValore(b1);
        p->b2.SetValore(5.8);
        for (double alfa : {0.0, 1e-9, 3.14159265, 3.14159265358979}) {
            p->SetAngoloIncrocio(alfa, false);
            ramo.CalcolaTriangoloIsola();
            EXPECT_TRUE(std::isfinite(p->GetDeviazioneImmissione(false))) << b1 << " " << alfa;
            EXPECT_TRUE(std::isfinite(p->GetDeviazioneUscita(false))) << b1 << " " << alfa;
        }
    }
}

}  // namespace
