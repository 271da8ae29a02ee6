// The left-turn storage lane on generated roads (its points, its two edges,
// its widening and its four records in the main alignment) and the records
// of the entry and exit lanes. Chainages are checked against the main
// alignment's own chainages, worked out here from the road layout, on
// straight and curved main roads and on one whose alignment starts at 1000.
//
// In this stand-in, committing lane records to the alignment does not redraw
// the main road's edges and shoulders (the suite widens them): after a
// commit the main road's polylines read back unchanged.
#include <algorithm>
#include <cmath>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "CConstrJunctor.h"
#include "CostruttoreDiProva.h"
#include "CJunctorSettings.h"
#include "LegTest.h"
#include "PolilineeIntersezione.h"
#include "QvEngineering.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

using Costruttore = CostruttoreDiProva;

// One record of a data list as the tests compare it.
struct Record {
    double progressiva;
    unsigned long flag;
    double valore;  // NAN: no value datum
    bool operator==(const Record& r) const {
        return std::fabs(progressiva - r.progressiva) < 1e-9 && flag == r.flag &&
               (std::isnan(valore) ? std::isnan(r.valore) : std::fabs(valore - r.valore) < 1e-9);
    }
};

std::ostream& operator<<(std::ostream& os, const Record& r) {
    return os << "{" << r.progressiva << ", " << r.flag << ", " << r.valore << "}";
}

// The records of a list in list order with the value of one data code; each
// must carry the id.
std::vector<Record> Records(const ICTRACCIATO* t, int lista, int codice, const wchar_t* id) {
    std::vector<Record> v;
    ICLISTADATI* l = t->getListaDati(lista);
    for (ICELEMENTODATI* e = l ? l->getPrimo() : nullptr; e; e = l->getSuccessivo(e)) {
        CDato dato;
        EXPECT_EQ(e->LeggiDato(kDatoIdIntersezione, dato), 1);
        EXPECT_EQ(std::wstring(dato.GetString()), id);
        CDato valore;
        v.push_back({e->getProgressiva(), e->getBitDato().GetValore(),
                     e->LeggiDato(codice, valore) ? valore.GetDouble() : NAN});
    }
    return v;
}

// The main alignment's chainage of the foot of a point, from the layouts of
// LegScenario: a straight from (-400, 0) eastwards, or a straight from
// (-300, 0) to (0, 0), a left curve of radius 400 about (0, 400) through 30
// degrees and a straight on.
double ProgressivaAttesa(const legs::Incrocio& i, double x, double y) {
    if (!i.curva) return i.progIniziale + x + 400;
    const double theta = std::atan2(x, 400 - y);
    if (theta <= 0) return i.progIniziale + 300 + x;
    const double angolo = kPi / 6;
    if (theta <= angolo) return i.progIniziale + 300 + 400 * theta;
    const double ex = 400 * std::sin(angolo), ey = 400 - 400 * std::cos(angolo);
    return i.progIniziale + 300 + 400 * angolo + (x - ex) * std::cos(angolo) + (y - ey) * std::sin(angolo);
}
double ProgressivaAttesa(const legs::Incrocio& i, const ads_point p) { return ProgressivaAttesa(i, p[0], p[1]); }

class CorsiaTest : public LegTest {
protected:
    void TearDown() override {
        m_b.reset();
        LegTest::TearDown();
    }

    // The leg with the typical lane values, a builder on it bound to the
    // main alignment, its points read.
    legs::Scenario& PreparaCorsia(const legs::Incrocio& i, bool urbana = false) {
        legs::Scenario& s = Prepara(i);
        legs::ImpostaCorsie(*s.Ramo()->GetParametriCorsie(), false, false, true, urbana);
        Costruttore& b = Nuovo(s);
        EXPECT_TRUE(b.LegaTracciato(s.IdAssePrincipale()));
        return s;
    }
    Costruttore& Nuovo(legs::Scenario& s) {
        m_b = std::make_unique<Costruttore>();
        m_b->Init(s.Principale(), s.Ramo());
        m_b->SetParCorsie(s.Ramo()->GetParametriCorsie());
        m_b->SetId(1234);
        m_b->LeggiPuntiRamo();
        return *m_b;
    }
    Costruttore& B() { return *m_b; }
    CLanePars& Corsie() { return *m_scenario->Ramo()->GetParametriCorsie(); }
    double Verso() const { return m_scenario->Dati().lato == CSecondariaJunctor::kDestra ? 1.0 : -1.0; }
    // Signed offset from the main axis (> 0 on its right).
    double Offset(const geomcheck::Vec2& p) {
        return CheckerOf(m_scenario->Principale()->GetDatiPoliAsse()).SignedOffset(p);
    }
    double Offset(const ads_point p) { return Offset(V2(p)); }
    double Offset(const AcGePoint3d& p) { return Offset(geomcheck::Vec2{p.x, p.y}); }

    // The polylines of an edge code the builder drew, in drawing order.
    static std::vector<geomcheck::GeometryChecker> Disegnate(const wchar_t* codice) {
        std::vector<geomcheck::GeometryChecker> v;
        // The exit triangular island's edge shares the lanes' code; it is
        // the closed one.
        for (const legs::PolilineaIntersezione& p : legs::PolilineeIntersezione(codice))
            if (!p.chiusa) v.emplace_back(p.vertici);
        return v;
    }

    // The records of a list in the alignment as the drawing now holds it.
    std::vector<Record> RecordsNelDisegno(int lista, int codice, const wchar_t* id) {
        tracciato* record = nullptr;
        EXPECT_TRUE(GetTracciato(m_scenario->IdAssePrincipale(), &record));
        ICTRACCIATO* t = ICTRACCIATO_Costructor::Alloca(record, m_scenario->IdAssePrincipale());
        std::vector<Record> v = t ? Records(t, lista, codice, id) : std::vector<Record>{};
        ICTRACCIATO_Costructor::Libera(&t, 1);
        return v;
    }

    std::unique_ptr<Costruttore> m_b;
};

// ---------------------------------------------------------------------------
// The lane on straight and curved main roads, on either side, with the
// alignment starting at 0 or at 1000.

using CasoCorsia = std::tuple<bool, int, double>;  // curva, lato, progressiva iniziale

class CorsiaSuStradeGenerate : public CorsiaTest, public ::testing::WithParamInterface<CasoCorsia> {
protected:
    legs::Incrocio Incrocio() const {
        legs::Incrocio i;
        std::tie(i.curva, i.lato, i.progIniziale) = GetParam();
        return i;
    }
};

TEST_P(CorsiaSuStradeGenerate, RecordsStandAtTheAlignmentChainagesOfTheirPoints) {
    const legs::Incrocio i = Incrocio();
    PreparaCorsia(i);
    Costruttore& b = B();
    const CLanePars& c = Corsie();
    const double verso = Verso();
    ASSERT_TRUE(b.CalcolaCorsiaAccumulo()) << std::wstring(b.m_log);
    ASSERT_EQ(b.m_verticiAllargamento.length(), 31);

    // t2 at Y (and its foot F2y), c3 and c2 at X; t3 where the widening ends
    // on O2; t1 and t4 the transition lengths beyond them.
    EXPECT_NEAR(b.m_t[1], ProgressivaAttesa(i, b.m_Y), 1e-6);
    EXPECT_NEAR(b.m_t[1], ProgressivaAttesa(i, b.m_F2y), 1e-6);
    EXPECT_NEAR(b.m_c3, ProgressivaAttesa(i, b.m_X), 1e-6);
    EXPECT_NEAR(b.m_c2, ProgressivaAttesa(i, b.m_X), 1e-6);
    const AcGePoint3d fine = b.m_verticiAllargamento.last();
    EXPECT_NEAR(b.m_t[2], ProgressivaAttesa(i, fine.x, fine.y), 1e-6);
    EXPECT_NEAR(b.m_t[0], b.m_t[1] - verso * c.SRacLva.GetValore(), 1e-9);
    EXPECT_NEAR(b.m_t[3], b.m_t[2] + verso * c.SRacLva.GetValore(), 1e-9);
    // Along the direction the lane runs; on a straight road the widening
    // ends the lane's stretches past X.
    for (int k = 0; k < 3; ++k) EXPECT_GT(verso * (b.m_t[k + 1] - b.m_t[k]), 0) << k;
    if (!i.curva) {
        EXPECT_NEAR(b.m_t[2], b.m_c3 + verso * (c.SAcuLaa.GetValore() + c.SDecLda.GetValore() + c.SManLma.GetValore()),
                    1e-6);
    }

    ASSERT_TRUE(b.RegistraCorsiaAccumulo());
    // Four records at increasing chainages: t1..t4 on the right, t4..t1 on
    // the left; both widths on the middle two, the id on all.
    const double lato = c.SLCLm.GetValore() + c.SRacd2.GetValore(), d1 = c.SRacd1.GetValore();
    const double v22054 = verso > 0 ? lato : d1, v22055 = verso > 0 ? d1 : lato;
    const int k0 = verso > 0 ? 0 : 3, dk = verso > 0 ? 1 : -1;
    const std::vector<Record> attesi54 = {{b.m_t[k0], 1, NAN},
                                          {b.m_t[k0 + dk], 4, v22054},
                                          {b.m_t[k0 + 2 * dk], 4, v22054},
                                          {b.m_t[k0 + 3 * dk], 2, NAN}};
    EXPECT_EQ(Records(b.Tracciato(), 1513, 22054, L"1234"), attesi54);
    std::vector<Record> attesi55 = attesi54;
    attesi55[1].valore = attesi55[2].valore = v22055;
    EXPECT_EQ(Records(b.Tracciato(), 1513, 22055, L"1234"), attesi55);
}

TEST_P(CorsiaSuStradeGenerate, LaneEdgesFollowTheirConstruction) {
    const legs::Incrocio i = Incrocio();
    PreparaCorsia(i);
    Costruttore& b = B();
    const CLanePars& c = Corsie();
    const double verso = Verso();
    const double rie = b.m_parametri->rie.GetValore();
    const double o2 = -verso * c.SRacd2.GetValore(), o3 = verso * c.SRacd1.GetValore();
    ASSERT_TRUE(b.CalcolaCorsiaAccumulo()) << std::wstring(b.m_log);
    ASSERT_TRUE(b.DisegnaCorsiaAccumulo());
    std::vector<geomcheck::GeometryChecker> cigli = Disegnate(L"rCIOUT");
    ASSERT_EQ(cigli.size(), 2u);

    // Edge 1: the arc about Y of radius rie, from F2y on O2 (touching it)
    // to Z on O5.
    const geomcheck::GeometryChecker& arco = cigli[0];
    ASSERT_EQ(arco.Size(), 2u);
    geomcheck::Arc a = arco.Segment(0);
    ASSERT_TRUE(a.isArc);
    EXPECT_LT(a.sweep, 0);  // clockwise
    EXPECT_NEAR(a.radius, rie, 1e-6);
    EXPECT_NEAR(a.centre.x, b.m_Y[0], 1e-6);
    EXPECT_NEAR(a.centre.y, b.m_Y[1], 1e-6);
    const geomcheck::Vec2 f2y{arco.At(0).x, arco.At(0).y}, z{arco.At(1).x, arco.At(1).y};
    EXPECT_NEAR(std::hypot(f2y.x - b.m_Y[0], f2y.y - b.m_Y[1]), rie, 1e-6);
    EXPECT_NEAR(std::hypot(z.x - b.m_Y[0], z.y - b.m_Y[1]), rie, 1e-6);
    EXPECT_NEAR(Offset(f2y), o2, 1e-6);
    EXPECT_NEAR(Offset(b.m_Y), verso * (rie - c.SRacd2.GetValore()), 1e-6);
    EXPECT_NEAR(Offset(z), verso * (c.SLCLm.GetValore() + c.SRacd1.GetValore()), 1e-6);
    // Tangent to O2 at F2y: the arc leaves along the main road's line.
    double progAsse = 0, direzioneAsse = 0;
    ads_point piede, pf2y = {f2y.x, f2y.y, 0};
    ASSERT_TRUE(DistPPoly(m_scenario->Principale()->GetDatiPoliAsse(), pf2y, nullptr, piede, &progAsse,
                          &direzioneAsse, nullptr, nullptr, 1));
    EXPECT_NEAR(std::sin(arco.TangentOut(0) - direzioneAsse), 0, 1e-6);

    // Edge 2: F2 on O2, across to F3 on O3, along O3, then the widening back
    // onto O2, with no segment of no length where the parts join.
    const geomcheck::GeometryChecker& bordo = cigli[1];
    const int nTratto = b.m_verticiTratto.length(), nAllargamento = b.m_verticiAllargamento.length();
    ASSERT_EQ(static_cast<int>(bordo.Size()), 1 + nTratto + nAllargamento - 1);
    EXPECT_NEAR(b.m_verticiTratto.last().distanceTo(b.m_verticiAllargamento.first()), 0, 1e-6);
    for (size_t k = 0; k + 1 < bordo.Size(); ++k) EXPECT_GT(bordo.Segment(k).length, 1e-3) << k;
    EXPECT_NEAR(Offset(geomcheck::Vec2{bordo.At(0).x, bordo.At(0).y}), o2, 1e-6);
    EXPECT_NEAR(bordo.At(0).x, b.m_F2[0], 1e-9);
    EXPECT_NEAR(bordo.At(1).x, b.m_F3[0], 1e-9);
    // The lane offset lies on O3 all along, arcs included.
    std::vector<geomcheck::Vertex> tratto;
    for (int k = 0; k < nTratto; ++k)
        tratto.push_back({b.m_verticiTratto[k].x, b.m_verticiTratto[k].y, b.m_bulgeTratto[k]});
    for (const geomcheck::Vec2& p : geomcheck::GeometryChecker(tratto).Samples(8)) EXPECT_NEAR(Offset(p), o3, 1e-6);
    // The widening moves monotonically from O3 to O2 and stays continuous:
    // no step longer than a thirtieth of its stretch and the lateral move.
    const double passoMassimo =
        std::hypot(c.SManLma.GetValore() / 30 * 1.01, c.SRacd1.GetValore() + c.SRacd2.GetValore());
    double precedente = o3;
    for (int k = 0; k < nAllargamento; ++k) {
        const double o = Offset(b.m_verticiAllargamento[k]);
        EXPECT_LE(verso * (o - precedente), 1e-9) << k;
        if (k > 0) {
            EXPECT_LT(b.m_verticiAllargamento[k].distanceTo(b.m_verticiAllargamento[k - 1]), passoMassimo);
        }
        precedente = o;
    }
    EXPECT_NEAR(Offset(b.m_verticiAllargamento.first()), o3, 1e-6);
    EXPECT_NEAR(Offset(b.m_verticiAllargamento.last()), o2, 1e-6);
}

std::string NomeCasoCorsia(const ::testing::TestParamInfo<CasoCorsia>& info) {
    legs::Incrocio i;
    std::tie(i.curva, i.lato, i.progIniziale) = info.param;
    return legs::Descrivi(i);
}

INSTANTIATE_TEST_SUITE_P(Incroci, CorsiaSuStradeGenerate,
                         ::testing::Combine(::testing::Bool(), ::testing::Values(0, 1), ::testing::Values(0.0, 1000.0)),
                         NomeCasoCorsia);

// ---------------------------------------------------------------------------
// The widening on its own, along a straight list from (0, 0) to (100, 0).

TEST(Allargamento, PointsAlongTheTransition) {
    datipoli* lista = nullptr;
    datipoli* coda = nullptr;
    ads_point a = {0, 0, 0}, b = {100, 0, 0};
    AggpuntoDATIPOLI(a, 0, &lista, &coda);
    AggpuntoDATIPOLI(b, 0, &lista, &coda);
    struct Caso {
        double da, a, w;
        int punti;
        double xPrimo, yPrimo, xUltimo;
    } casi[] = {
        {10, 30, 3, 31, 10, -3, 30},     // to the right
        {30, 10, -3, 31, 30, 3, 10},     // backwards, to the left
        {10, 29.9, 3, 30, 10, -3, NAN},  // rounding carries the last step past the end
        {10, 30, 0, 31, 10, 0, 30},      // no widening: no lateral move
        {90, 130, 3, 8, 90, -3, NAN},    // chainages past the list's end are skipped
        {50, 50, 3, 1, 50, -3, NAN},     // no length: one point, at the full widening
    };
    for (const Caso& k : casi) {
        CConstrJunctor costruttore;
        AcGePoint3dArray v;
        AcGeDoubleArray bl;
        EXPECT_TRUE(costruttore.CalcolaAllargamento(a, k.da, k.a, k.w, 0, lista, v, bl));
        ASSERT_EQ(v.length(), k.punti) << k.da << " " << k.a << " " << k.w;
        ASSERT_EQ(bl.length(), k.punti);
        // Within the engine's quarter turn of 1.570796325.
        EXPECT_NEAR(v[0].x, k.xPrimo, 1e-7);
        EXPECT_NEAR(v[0].y, k.yPrimo, 1e-9);
        if (!std::isnan(k.xUltimo)) {
            EXPECT_NEAR(v.last().x, k.xUltimo, 1e-9);
            EXPECT_NEAR(v.last().y, 0, 1e-9);
        }
        for (int j = 0; j < v.length(); ++j) {
            EXPECT_TRUE(std::isfinite(v[j].x) && std::isfinite(v[j].y)) << j;
            EXPECT_EQ(bl[j], 0);
            if (j > 0) {
                EXPECT_LE(std::fabs(v[j].y), std::fabs(v[j - 1].y) + 1e-12) << j;
            }
        }
    }
    LiberaDATIPOLI(&lista);
}

// ---------------------------------------------------------------------------
// A lane that cannot be built leaves nothing behind.

TEST_F(CorsiaTest, FailedLaneKeepsNoArraysWritesNoRecordsAndDrawsNothing) {
    struct Caso {
        const wchar_t* parametro;
        double valore;
        const wchar_t* riga;
    } casi[] = {
        // The circle about Y no longer reaches O5.
        {L"SLCLm", 40, L" - Numero di intersezioni insufficienti in fase di costruzione 1.\r\n"},
        // The storage stretch runs past the main road's end.
        {L"SAcuLaa", 1000, L" - Corsia di accumulo fuori dalla strada principale.\r\n"},
    };
    legs::Scenario& s = PreparaCorsia(legs::Incrocio{});
    for (const Caso& k : casi) {
        Costruttore& b = Nuovo(s);
        ASSERT_TRUE(b.LegaTracciato(s.IdAssePrincipale()));
        legs::ImpostaCorsie(Corsie(), false, false, true);
        ASSERT_TRUE(b.CalcolaCorsiaAccumulo());
        ASSERT_FALSE(b.m_verticiTratto.isEmpty());
        // The same builder again, with a value that makes the lane fail.
        Corsie().TrovaParametro(k.parametro)->SetValore(k.valore);
        EXPECT_FALSE(b.CalcolaCorsiaAccumulo());
        EXPECT_EQ(std::wstring(b.m_log), k.riga);
        EXPECT_TRUE(b.m_verticiTratto.isEmpty() && b.m_bulgeTratto.isEmpty());
        EXPECT_TRUE(b.m_verticiAllargamento.isEmpty() && b.m_bulgeAllargamento.isEmpty());
        EXPECT_FALSE(b.RegistraCorsiaAccumulo());
        EXPECT_FALSE(b.DisegnaCorsiaAccumulo());
        EXPECT_EQ(b.Tracciato()->getListaDati(1513)->getNumero(), 0);
        EXPECT_TRUE(Disegnate(L"rCIOUT").empty());
    }
}

// ---------------------------------------------------------------------------
// The urban lane: the island edge of a divided main road moved SLCLm towards
// the axis must meet the axis exactly once.

class CorsiaUrbanaTest : public CorsiaTest {
protected:
    // Gives the main road's island edge on the leg's side new vertices; the
    // points are those of a leg on the right, mirrored through the crossing
    // (and reversed, so the edge keeps its direction) for a leg on the left.
    void RidisegnaIsola(legs::Scenario& s, std::vector<AcGePoint3d> punti) {
        const bool destra = s.Dati().lato == CSecondariaJunctor::kDestra;
        if (!destra) {
            std::vector<AcGePoint3d> specchiati;
            for (auto p = punti.rbegin(); p != punti.rend(); ++p) specchiati.push_back(AcGePoint3d(-p->x, -p->y, 0));
            punti = specchiati;
        }
        s.Principale()->Chiudi();
        ads_name nome;
        s.Principale()->GetAdsName(destra ? CElemJunctor::kCiglioIsolaDx : CElemJunctor::kCiglioIsolaSx, nome);
        AcDbObjectId id;
        ASSERT_EQ(acdbGetObjectId(id, nome), Acad::eOk);
        AcDb2dPolyline* isola = nullptr;
        ASSERT_EQ(acdbOpenObject(isola, id, AcDb::kForWrite), Acad::eOk);
        AcDbObjectIterator* it = isola->vertexIterator();
        size_t k = 0;
        for (it->start(); !it->done() && k < punti.size(); it->step(), ++k) {
            AcDb2dVertex* v = nullptr;
            ASSERT_EQ(acdbOpenObject(v, it->objectId(), AcDb::kForWrite), Acad::eOk);
            v->setPosition(punti[k]);
            v->setBulge(0);
            v->close();
        }
        delete it;
        for (; k < punti.size(); ++k) isola->appendVertex(new AcDb2dVertex(punti[k]));
        isola->close();
        ASSERT_TRUE(s.Principale()->Apri());
    }
};

TEST_F(CorsiaUrbanaTest, LaneOffsetRunsAlongTheIslandEdgeToTheAxis) {
    struct Caso {
        const char* nome;
        std::vector<AcGePoint3d> isola;  // none: the generated edge, parallel to the axis
        bool riesce;
    } casi[] = {
        {"parallela", {}, false},
        // An island that ends on the axis past the leg.
        {"un_incrocio", {AcGePoint3d(-60, -5, 0), AcGePoint3d(200, 0, 0)}, true},
        // Twice past the leg (on the left, before it, where the lane looks).
        {"due_incroci", {AcGePoint3d(0, -5, 0), AcGePoint3d(120, 3, 0), AcGePoint3d(200, -5, 0)}, false},
    };
    for (int lato : {CSecondariaJunctor::kDestra, CSecondariaJunctor::kSinistra}) {
        for (const Caso& k : casi) {
            SCOPED_TRACE(std::string(k.nome) + (lato == 0 ? " destra" : " sinistra"));
            TearDown();
            SetUp();
            legs::Incrocio i;
            i.lato = lato;
            i.semiIsola = 5;
            legs::Scenario& s = PreparaCorsia(i, true);
            if (!k.isola.empty()) RidisegnaIsola(s, k.isola);
            Costruttore& b = B();
            const double verso = Verso();
            ASSERT_TRUE(b.CalcolaCorsiaAccumulo()) << std::wstring(b.m_log);
            // The urban lane keeps neither a widening nor a rural lane offset,
            // and its storage ends SAcuLaa past X.
            EXPECT_TRUE(b.m_verticiAllargamento.isEmpty());
            EXPECT_TRUE(b.m_verticiTratto.isEmpty());
            EXPECT_NEAR(b.m_t[2], b.m_c3 + verso * Corsie().SAcuLaa.GetValore(), 1e-9);
            if (!k.riesce) {
                EXPECT_FALSE(b.CalcolaCorsiaAccumuloUrbana());
                EXPECT_EQ(std::wstring(b.m_log), L" - Il ciglio dell'isola spartitraffico non incontra l'asse della "
                                                 L"strada principale in un solo punto.\r\n");
                EXPECT_TRUE(b.m_verticiTratto.isEmpty() && b.m_bulgeTratto.isEmpty());
                EXPECT_FALSE(b.RegistraCorsiaAccumulo());
                EXPECT_FALSE(b.DisegnaCorsiaAccumulo());
                EXPECT_EQ(b.Tracciato()->getListaDati(1513)->getNumero(), 0);
                continue;
            }
            ASSERT_TRUE(b.CalcolaCorsiaAccumuloUrbana()) << std::wstring(b.m_log);
            const AcGePoint3dArray& v = b.m_verticiTratto;
            ASSERT_GE(v.length(), 3);
            ASSERT_EQ(v.length(), b.m_bulgeTratto.length());
            // F2 first on the right, last on the left; Q at the other end,
            // on the axis, kept as the widening start point.
            const AcGePoint3d f2 = verso > 0 ? v.first() : v.last();
            const AcGePoint3d q = verso > 0 ? v.last() : v.first();
            EXPECT_NEAR(f2.x, b.m_F2[0], 1e-9);
            EXPECT_NEAR(f2.y, b.m_F2[1], 1e-9);
            EXPECT_NEAR(Offset(q), 0, 1e-6);
            EXPECT_NEAR(q.x, b.m_inizioAllargamento[0], 1e-9);
            EXPECT_NEAR(q.y, b.m_inizioAllargamento[1], 1e-9);
            // Every other vertex lies SLCLm inside the island edge.
            std::vector<geomcheck::Vertex> isola;
            for (const AcGePoint3d& p : k.isola) isola.push_back({verso * p.x, verso * p.y, 0});
            if (verso < 0) std::reverse(isola.begin(), isola.end());
            geomcheck::GeometryChecker bordoIsola(isola);
            for (int j = verso > 0 ? 1 : 0; j < (verso > 0 ? v.length() : v.length() - 1); ++j)
                EXPECT_NEAR(bordoIsola.DistanceTo({v[j].x, v[j].y}), Corsie().SLCLm.GetValore(), 1e-6) << j;

            ASSERT_TRUE(b.DisegnaCorsiaAccumulo());
            std::vector<geomcheck::GeometryChecker> cigli = Disegnate(L"rCIOUT");
            ASSERT_EQ(cigli.size(), 2u);
            ASSERT_EQ(static_cast<int>(cigli[1].Size()), v.length());
            for (int j = 0; j < v.length(); ++j) EXPECT_NEAR(cigli[1].At(j).x, v[j].x, 1e-9) << j;
            ASSERT_TRUE(b.RegistraCorsiaAccumulo());
            EXPECT_EQ(b.Tracciato()->getListaDati(1513)->getNumero(), 4);
        }
    }
}

TEST_F(CorsiaUrbanaTest, UndividedMainRoadHasNoIslandEdgeToFollow) {
    PreparaCorsia(legs::Incrocio{}, true);
    Costruttore& b = B();
    ASSERT_TRUE(b.CalcolaCorsiaAccumulo());
    EXPECT_FALSE(b.CalcolaCorsiaAccumuloUrbana());
    EXPECT_EQ(std::wstring(b.m_log), L" - Impossibile creare l'offset di una polilinea di costruzione.\r\n");
    EXPECT_TRUE(b.m_verticiTratto.isEmpty());
    EXPECT_FALSE(b.RegistraCorsiaAccumulo());
}

// ---------------------------------------------------------------------------
// Entry and exit lane records.

class CorsieImmUscTest : public CorsiaTest {};

TEST_F(CorsieImmUscTest, RecordsInTheOrderAndWithTheValuesOfTheirLanes) {
    // The exit lane's last section and the entry lane's first share one
    // chainage on the right (the other way round on the left), so the list
    // shows which lane was written first.
    struct Caso {
        bool curva;
        double progIniziale;
        int lato;
        bool usc, imm;
    } casi[] = {
        {false, 0, 0, true, true},     {false, 0, 1, true, true},     {true, 1000, 0, true, true},
        {true, 1000, 1, true, true},   {false, 1000, 0, true, false}, {false, 1000, 1, false, true},
    };
    for (const Caso& k : casi) {
        SCOPED_TRACE(std::to_string(k.curva) + " " + std::to_string(k.progIniziale) + " " + std::to_string(k.lato) +
                     " " + std::to_string(k.usc) + std::to_string(k.imm));
        TearDown();
        SetUp();
        legs::Incrocio i;
        i.curva = k.curva;
        i.progIniziale = k.progIniziale;
        i.lato = k.lato;
        legs::Scenario& s = Prepara(i);
        legs::ImpostaCorsie(*s.Ramo()->GetParametriCorsie(), k.imm, k.usc, false);
        // Entry values apart from the exit ones.
        s.Ramo()->GetParametriCorsie()->ILCImm.SetValore(3.25);
        s.Ramo()->GetParametriCorsie()->ILBCImm.SetValore(1.25);
        Costruttore& b = Nuovo(s);
        ASSERT_TRUE(b.LegaTracciato(s.IdAssePrincipale()));
        const bool destra = k.lato == CSecondariaJunctor::kDestra;
        // Sections on the curve's arc when the road is curved.
        const double p0 = k.progIniziale + 350;
        const double primi[3] = {p0, p0 + 10, p0 + 20}, secondi[3] = {p0 + 20, p0 + 30, p0 + 40};
        const double* e = destra ? primi : secondi;
        const double* sz = destra ? secondi : primi;
        b.Sezioni(CConstrJunctor::kUscita, e[0], e[1], e[2]);
        b.Sezioni(CConstrJunctor::kImmissione, sz[0], sz[1], sz[2]);
        EXPECT_TRUE(b.RegistraCorsieImmUsc()) << std::wstring(b.m_log);

        const CLanePars& c = Corsie();
        const double W = c.ULCUsc.GetValore(), Wi = c.ILCImm.GetValore();
        const double B = c.ULBCUsc.GetValore(), Bi = c.ILBCImm.GetValore();
        const double D = i.banchinaPrincipale;
        std::vector<Record> larghezze, banchine;
        auto tre = [](std::vector<Record>& v, const double* p, const unsigned long* f, double a, double b2, double c2) {
            v.push_back({p[0], f[0], a});
            v.push_back({p[1], f[1], b2});
            v.push_back({p[2], f[2], c2});
        };
        if (destra) {
            const unsigned long fl[3] = {8, 32, 16}, fb[3] = {512, 2048, 1024};
            if (k.usc) tre(larghezze, e, fl, 0, W, W);
            if (k.imm) tre(larghezze, sz, fl, Wi, Wi, 0);
            if (k.usc) tre(banchine, e, fb, D, B, B);
            if (k.imm) tre(banchine, sz, fb, Bi, Bi, D);
        } else {
            const unsigned long fl[3] = {64, 256, 128}, fb[3] = {4096, 16384, 8192};
            // Widths: exit first, then entry; at the shared chainage the exit
            // record comes first. Shoulders: entry first.
            if (k.imm) tre(larghezze, sz, fl, 0, Wi, Wi);
            if (k.usc) tre(larghezze, e, fl, W, W, 0);
            if (k.usc && k.imm) std::swap(larghezze[2], larghezze[3]);
            if (k.imm) tre(banchine, sz, fb, D, Bi, Bi);
            if (k.usc) tre(banchine, e, fb, B, B, D);
        }
        EXPECT_EQ(Records(b.Tracciato(), destra ? 1511 : 1512, destra ? 22052 : 22053, L"1234"), larghezze);
        EXPECT_EQ(Records(b.Tracciato(), destra ? 1514 : 1515, destra ? 22058 : 22057, L"1234"), banchine);
        EXPECT_EQ(b.Tracciato()->getListaDati(destra ? 1512 : 1511)->getNumero(), 0);
        EXPECT_EQ(b.Tracciato()->getListaDati(destra ? 1515 : 1514)->getNumero(), 0);
    }
}

TEST_F(CorsieImmUscTest, LanesWithoutSectionsOrShoulderDistanceAreLeftOut) {
    struct Caso {
        const char* nome;
        bool ciglioUscita, banchinaImmissione;
        double banchinaFuori;  // first shoulder section of the entry lane, NAN = on the road
        bool esito;
        int larghezze, banchine;
        const wchar_t* riga;
    } casi[] = {
        {"uscita_senza_sezioni", false, true, NAN, false, 3, 3,
         L" - Sezioni della corsia di uscita non calcolate.\r\n"},
        {"immissione_senza_banchina", true, false, NAN, false, 6, 3,
         L" - Sezioni della banchina della corsia di immissione non calcolate.\r\n"},
        // Off the main road: no shoulder distance, no shoulder records, no failure.
        {"banchina_fuori_strada", true, true, 2000, true, 6, 3, L""},
    };
    for (const Caso& k : casi) {
        SCOPED_TRACE(k.nome);
        TearDown();
        SetUp();
        legs::Scenario& s = Prepara(legs::Incrocio{});
        legs::ImpostaCorsie(*s.Ramo()->GetParametriCorsie(), true, true, false);
        Costruttore& b = Nuovo(s);
        ASSERT_TRUE(b.LegaTracciato(s.IdAssePrincipale()));
        b.Sezioni(CConstrJunctor::kUscita, 300, 310, 320);
        b.Sezioni(CConstrJunctor::kImmissione, 420, 430, 440);
        b.m_sezioniCiglioCalcolate[CConstrJunctor::kUscita] = k.ciglioUscita;
        b.m_sezioniBanchinaCalcolate[CConstrJunctor::kImmissione] = k.banchinaImmissione;
        if (!std::isnan(k.banchinaFuori)) b.m_sezioniBanchina[CConstrJunctor::kImmissione][0] = k.banchinaFuori;
        EXPECT_EQ(b.RegistraCorsieImmUsc(), k.esito);
        EXPECT_EQ(std::wstring(b.m_log), k.riga);
        const std::vector<Record> larghezze = Records(b.Tracciato(), 1511, 22052, L"1234");
        const std::vector<Record> banchine = Records(b.Tracciato(), 1514, 22058, L"1234");
        EXPECT_EQ(static_cast<int>(larghezze.size()), k.larghezze);
        EXPECT_EQ(static_cast<int>(banchine.size()), k.banchine);
        // Nothing at a chainage the lanes did not compute.
        for (const Record& r : larghezze) EXPECT_GE(r.progressiva, 300);
        for (const Record& r : banchine) EXPECT_GE(r.progressiva, 300);
    }
}

// ---------------------------------------------------------------------------
// The whole build with the left-turn lane (the other steps are built
// elsewhere; their results do not matter here).

TEST_F(CorsiaTest, BuildRecordsAndDrawsTheLaneAndReopensTheMainRoad) {
    legs::Incrocio i;
    i.curva = true;
    i.progIniziale = 1000;
    legs::Scenario& s = Prepara(i);
    legs::ImpostaCorsie(*s.Ramo()->GetParametriCorsie(), false, false, true);
    const geomcheck::GeometryChecker ciglioPrima = CheckerOf(s.Principale()->GetDatiPoliCiglioDx());
    CConstrJunctor b;
    b.Init(s.Principale(), s.Ramo());
    b.SetParCorsie(s.Ramo()->GetParametriCorsie());
    b.SetId(4321);
    b.Costruisci();
    EXPECT_TRUE(b.GetLog().Find(L"Costruzione della corsia di accumulo per la svolta  a sinistra...\r\nCostruzione "
                                L"dell'isola a goccia...\r\n") >= 0)
        << std::wstring(b.GetLog());
    const std::vector<Record> records = RecordsNelDisegno(1513, 22054, L"4321");
    ASSERT_EQ(records.size(), 4u);
    const unsigned long flag[4] = {1, 4, 4, 2};
    for (int k = 0; k < 4; ++k) {
        EXPECT_EQ(records[k].flag, flag[k]) << k;
        if (k > 0) {
            EXPECT_GT(records[k].progressiva, records[k - 1].progressiva);
        }
        // Within the main alignment's chainages.
        EXPECT_GT(records[k].progressiva, 1000);
        EXPECT_LT(records[k].progressiva, 1000 + 600 + 400 * kPi / 6);
    }
    EXPECT_EQ(Disegnate(L"rCIOUT").size(), 2u);
    // The main road is open again; in this stand-in its edges are as before.
    EXPECT_EQ(s.Principale()->GetAperto(), 1);
    const geomcheck::GeometryChecker ciglioDopo = CheckerOf(s.Principale()->GetDatiPoliCiglioDx());
    ASSERT_EQ(ciglioDopo.Size(), ciglioPrima.Size());
    EXPECT_EQ(ciglioDopo.At(0).x, ciglioPrima.At(0).x);
}

TEST_F(CorsiaTest, BuildOfAFailedLaneRecordsAndDrawsNothing) {
    legs::Scenario& s = Prepara(legs::Incrocio{});
    CLanePars& c = *s.Ramo()->GetParametriCorsie();
    legs::ImpostaCorsie(c, false, false, true);
    c.SLCLm.SetValore(40);
    CConstrJunctor b;
    b.Init(s.Principale(), s.Ramo());
    b.SetParCorsie(&c);
    b.SetId(4321);
    b.Costruisci();
    EXPECT_EQ(b.GetEsito(), 0);
    EXPECT_TRUE(b.GetLog().Find(L" - Numero di intersezioni insufficienti in fase di costruzione 1.\r\nCostruzione "
                                L"della corsia di accumulo per la svolta  a sinistra...\r\nErrore!\r\n") >= 0)
        << std::wstring(b.GetLog());
    EXPECT_TRUE(RecordsNelDisegno(1513, 22054, L"4321").empty());
    EXPECT_TRUE(Disegnate(L"rCIOUT").empty());
}

// Flows below 497 vehicles an hour make the storage length not a number: the
// leg is refused before anything is drawn or recorded.
TEST_F(CorsiaTest, BuildRefusesALaneValueThatIsNotANumber) {
    legs::Scenario& s = Prepara(legs::Incrocio{});
    CLanePars& c = *s.Ramo()->GetParametriCorsie();
    legs::ImpostaCorsie(c, false, false, true);
    c.SAcuT.SetValore(5);
    c.SAcuQ1.SetValore(300);
    c.SAcuQ2.SetValore(100);
    c.SAcuLv.SetValore(6);
    CJunctorSettings impostazioni;
    impostazioni.SetParCorsie(&c);
    impostazioni.CalcolaCorsie();
    ASSERT_TRUE(std::isnan(c.SAcuLaa.GetValore()));
    CConstrJunctor b;
    b.Init(s.Principale(), s.Ramo());
    b.SetParCorsie(&c);
    b.SetId(4321);
    b.Costruisci();
    EXPECT_EQ(b.GetEsito(), 0);
    EXPECT_EQ(std::wstring(b.GetLog()), L"\r\nVerso della strada: In\r\nLettura degli elementi della strada...\r\n"
                                        L" - Valore non valido del parametro di corsia SAcuLaa.\r\nErrore!\r\n");
    EXPECT_TRUE(RecordsNelDisegno(1513, 22054, L"4321").empty());
    EXPECT_TRUE(Disegnate(L"rCIOUT").empty());
}

}  // namespace
