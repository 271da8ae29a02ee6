// Profile vertices and cross-slope records of exported stretches, on a model
// read from a one-branch plan whose point rows are filled by hand.
#include <array>
#include <cmath>

#include "ExportFixture.h"
#include "QvEngineeringConstructor.h"

using namespace esportazione;

namespace {

constexpr double kPi = 3.14159265358979323846;

struct LiberaGruppo {
    void operator()(IQvObject_Group* g) const {
        IQvObject* o = g;
        QvEngineeringConstructor::Libera(&o, 1);
    }
};
using Gruppo = std::unique_ptr<IQvObject_Group, LiberaGruppo>;

Gruppo NuovoGruppo(int chiave) {
    Gruppo g(static_cast<IQvObject_Group*>(QvEngineeringConstructor::Alloca(1700, nullptr)));
    g->Setup(GyroformMain::getConstructor(), 0, chiave, 0);
    return g;
}

// (chainage, 22004, 22005) of each record, in group order.
std::vector<std::array<double, 3>> Record(IQvObject_Group* g) {
    std::vector<std::array<double, 3>> out;
    for (IQvObject* o : Membri(g))
        out.push_back({o->GetDato(22150).GetDouble(), o->GetDato(22004).GetDouble(), o->GetDato(22005).GetDouble()});
    return out;
}

// (chainage, elevation) of each profile vertex.
std::vector<std::array<double, 2>> Vertici(IQvObject_Group* g) {
    std::vector<std::array<double, 2>> out;
    for (IQvObject* o : Membri(g)) {
        auto* v = static_cast<CPuntoVertice*>(o);
        out.push_back({v->getPosizione(), v->getQuota()});
    }
    return out;
}

void Riempi(CADDatoArray* riga, const std::vector<std::array<double, 3>>& punti) {
    ASSERT_TRUE(riga);
    riga->Clear();
    for (size_t i = 0; i < punti.size(); ++i) riga->Add(static_cast<int>(i + 1), punti[i][0], punti[i][1], punti[i][2]);
}

class PendenzeTest : public ExportTest {
protected:
    void SetUp() override {
        ExportTest::SetUp();
        rotatorie::Rotatoria r;
        r.nomePianta = L"PR-UNO";
        r.nome = L"Uno";
        r.raggioInterno = 12.0;
        r.raggioEsterno = 20.0;
        rotatorie::Ramo a;
        a.nome = L"A";
        a.nomeInterno = L"TRA";
        a.profilo = {{0.0, 50.0}, {90.0, 51.0}};
        r.rami = {a};
        ASSERT_EQ(Leggi(r), 1);
        // Every edge by profile, without the points the reading computed:
        // each test places its own.
        for (CCiglio3D* c : Cigli(*m_rotatoria)) {
            c->svuotaPuntiSezione();
            for (int gruppo : {7, 8})
                if (c->getPunti(gruppo)) c->getPunti(gruppo)->Empty();
            c->setTipoCalcolo(8);
        }
        m_anello = Ciglio(2000, nullptr);
        ASSERT_TRUE(m_anello);
        ASSERT_NEAR(m_anello->getLunghezza(), 2 * kPi * 20.0, 1e-6);
    }
    static CPuntoSezione* Sezione(CCiglio3D* c, double prog, int indice) {
        const double p[2] = {0, 0};
        CPuntoSezione* s = c->creaPuntoSezione(0.0, prog / c->getLunghezza(), 0, p);
        s->setIndice(indice);
        return s;
    }
    static void Rotazione(CCiglio3D* c, double prog, double pendenza) {
        auto* r = static_cast<CPuntoRotazione*>(GyroformMain::getConstructor()->Alloca(29006));
        double p[3] = {0, 0, 0};
        r->imposta(c, 0.0, prog / c->getLunghezza(), 0, p);
        r->setPendenza(pendenza);
        c->getPunti(7)->Append(r);
    }
    // Stations every L/8 along a branch edge (indexes 1 to 9): the edge at
    // y 0 and elevation 0, its inner edge at y -5 and elevation 1 (a slope
    // of 20 %), or at the same place in plan.
    void Stazioni(CCiglio3D* e, CCiglio3D* r, bool stessoPunto = false) {
        const double L = e->getLunghezza();
        std::vector<std::array<double, 3>> pe, pr, profilo;
        for (int i = 0; i <= 8; ++i) {
            double c = i * L / 8;
            pe.push_back({c, 0.0, 0.0});
            pr.push_back({c, stessoPunto ? 0.0 : -5.0, 1.0});
            profilo.push_back({c, 0.0, 0.0});
        }
        Riempi(e->getPunti3DCiglio(), pe);
        Riempi(e->getPuntiAltCiglio(29004), profilo);
        Riempi(r->getPunti3DCiglio(), pr);
    }
    CCiglio3D* m_anello = nullptr;
};

TEST_F(PendenzeTest, OuterRingAcrossItsStartContinuesPastItsLength) {
    const double L = m_anello->getLunghezza();
    m_anello->setTipoCalcolo(8);
    // Stations every 10 and the closing one at the ring's length, which
    // stands where the first does.
    std::vector<std::array<double, 3>> riga;
    for (int c = 0; c <= 120; c += 10) riga.push_back({double(c), 100.0 + c / 100.0, 0.0});
    riga.push_back({L, 100.0, 0.0});
    Riempi(m_anello->getPuntiAltCiglio(29004), riga);
    struct Caso {
        double da, a;
        std::vector<std::array<double, 2>> attesi;  // (chainage, elevation); the running chainage starts at 5
    };
    // 110 and 120 follow the start of the stretch; the stations past the
    // ring's start lie a whole ring length further on. A stretch that ends
    // at the ring's start takes none of them: the next edge gives that end.
    const Caso casi[] = {
        {100.0, 20.0, {{15, 101.1}, {25, 101.2}, {L - 95, 100.0}, {L - 85, 100.1}}},
        {100.0, 0.0, {{15, 101.1}, {25, 101.2}}},
        {30.0, 70.0, {{15, 100.4}, {25, 100.5}, {35, 100.6}}},
    };
    for (const Caso& caso : casi) {
        Gruppo vertici = NuovoGruppo(2), pendenze = NuovoGruppo(22150);
        double da = caso.da, a = caso.a, prog = 5.0;
        m_rotatoria->aggiungiVerticiProfilo(m_anello, &da, &a, vertici.get(), &prog);
        std::vector<std::array<double, 2>> v = Vertici(vertici.get());
        ASSERT_EQ(v.size(), caso.attesi.size()) << caso.a;
        for (size_t i = 0; i < v.size(); ++i) {
            EXPECT_NEAR(v[i][0], caso.attesi[i][0], 1e-9) << caso.a << " " << i;
            EXPECT_NEAR(v[i][1], caso.attesi[i][1], 1e-9) << caso.a << " " << i;
        }
        // Both running chainages reach the stretch's end.
        const double fine = 5.0 + (caso.a > caso.da ? caso.a - caso.da : L + caso.a - caso.da);
        EXPECT_NEAR(prog, fine, 1e-9) << caso.a;
        double progPendenze = 5.0;
        m_rotatoria->aggiungiPendenzeTrasversali(m_anello, &da, &a, pendenze.get(), &progPendenze);
        EXPECT_NEAR(progPendenze, fine, 1e-9) << caso.a;
    }
}

TEST_F(PendenzeTest, BranchEdgeVerticesRunFromTheFarEndOfAnOuterRightEdge) {
    // Vertices at 0 (z 10), 15 (z 11) and the end (z 12); the running
    // chainage starts at 2.
    for (int codice : {6000, 3000}) {
        CCiglio3D* c = Ciglio(codice, L"A");
        ASSERT_TRUE(c);
        const double L = c->getLunghezza();
        Vertice(c, 0.0, 10.0);
        Vertice(c, 15.0, 11.0, 300.0, 3114);
        Vertice(c, L, 12.0);
        Gruppo vertici = NuovoGruppo(2);
        double prog = 2.0;
        m_rotatoria->aggiungiVerticiProfilo(c, nullptr, nullptr, vertici.get(), &prog);
        std::vector<std::array<double, 2>> v = Vertici(vertici.get());
        std::vector<std::array<double, 2>> attesi =
            codice == 6000 ? std::vector<std::array<double, 2>>{{2.0, 12.0}, {L + 2 - 15, 11.0}, {L + 2, 10.0}}
                                : std::vector<std::array<double, 2>>{{2.0, 10.0}, {17.0, 11.0}, {L + 2, 12.0}};
        ASSERT_EQ(v.size(), 3u) << codice;
        for (int i = 0; i < 3; ++i) {
            EXPECT_NEAR(v[i][0], attesi[i][0], 1e-9) << codice << " " << i;
            EXPECT_NEAR(v[i][1], attesi[i][1], 1e-9) << codice << " " << i;
        }
        EXPECT_NEAR(prog, L + 2, 1e-9);
        // The curve of the vertex goes with it.
        auto* medio = static_cast<CPuntoVertice*>(Membri(vertici.get())[1]);
        EXPECT_EQ(medio->getRaggio(), 300.0);
        EXPECT_EQ(medio->getTipoRaccordo(), 3114);
    }
}

TEST_F(PendenzeTest, AStretchCoveredByRotationPointsTakesItsRecordsFromThemOnly) {
    CCiglio3D* e = Ciglio(3000, L"A");
    CCiglio3D* r = Ciglio(4000, L"A");
    ASSERT_TRUE(e && r);
    const double L = e->getLunghezza();
    Stazioni(e, r);
    e->setTipoCalcolo(7);
    Rotazione(e, 2 * L / 8, 0.02);
    Rotazione(e, 6 * L / 8, 0.03);
    for (int i : {3, 5, 7}) Sezione(e, (i - 1) * L / 8, i)->setPrecedente(Sezione(r, (i - 1) * L / 8, i));
    Gruppo pendenze = NuovoGruppo(22150);
    double prog = 0.0;
    m_rotatoria->aggiungiPendenzeTrasversali(e, nullptr, nullptr, pendenze.get(), &prog);
    // Stations outside [2L/8, 6L/8] and the two rotation points, no station
    // between them.
    const double attesi[][2] = {{0, 20}, {L / 8, 20}, {2 * L / 8, -2}, {6 * L / 8, -3}, {7 * L / 8, 20}, {L, 20}};
    std::vector<std::array<double, 3>> rec = Record(pendenze.get());
    ASSERT_EQ(rec.size(), std::size(attesi));
    for (size_t i = 0; i < rec.size(); ++i) {
        EXPECT_NEAR(rec[i][0], attesi[i][0], 1e-9) << i;
        EXPECT_NEAR(rec[i][1], attesi[i][1], 1e-9) << i;
        EXPECT_NEAR(rec[i][2], -attesi[i][1], 1e-9) << i;
    }
    EXPECT_NEAR(prog, L, 1e-9);
}

TEST_F(PendenzeTest, StartRecordOfAnOuterBranchEdgeFacesTheOuterRing) {
    // The outer ring's row at elevation 2 + index, the inner ring's far
    // below: a record read from the inner ring's row would show it.
    std::vector<std::array<double, 3>> esterno, interno;
    for (int i = 1; i <= 10; ++i) {
        double t = 2 * kPi * i / 10;
        esterno.push_back({20 * std::cos(t), 20 * std::sin(t), 2.0 + i});
        interno.push_back({12 * std::cos(t), 12 * std::sin(t), -50.0});
    }
    Riempi(m_anello->getPunti3DCiglio(), esterno);
    Riempi(Ciglio(1000, nullptr)->getPunti3DCiglio(), interno);
    struct Caso {
        int codice;
        int indiceAnello;  // of the outer ring's section point; the edge's is 2
        int atteso;        // the outer ring's station, wrapped
    };
    for (const Caso& caso : {Caso{6000, 9, 1}, Caso{3000, 5, 3}}) {
        CCiglio3D* e = Ciglio(caso.codice, L"A");
        ASSERT_TRUE(e);
        const double L = e->getLunghezza();
        Riempi(e->getPunti3DCiglio(), {{3.0, 4.0, 1.0}, {5.0, 4.0, 1.0}});
        Sezione(e, L / 2, 2)->setPrecedente(Sezione(m_anello, 1.0, caso.indiceAnello));
        Gruppo pendenze = NuovoGruppo(22150);
        double prog = 0.0;
        m_rotatoria->aggiungiPendenzeTrasversali(e, nullptr, nullptr, pendenze.get(), &prog);
        const std::array<double, 3>& o = esterno[caso.atteso - 1];
        const double atteso = (o[2] - 1.0) / std::hypot(o[0] - 3.0, o[1] - 4.0) * 100.0;
        const double progInizio = caso.codice == 6000 ? L : 0.0;
        std::vector<std::array<double, 3>> rec = Record(pendenze.get());
        ASSERT_FALSE(rec.empty()) << caso.codice;
        auto it = std::find_if(rec.begin(), rec.end(), [&](auto& r) { return std::fabs(r[0] - progInizio) < 1e-9; });
        ASSERT_NE(it, rec.end()) << caso.codice;
        EXPECT_NEAR((*it)[1], atteso, 1e-9) << caso.codice;
        EXPECT_GT((*it)[1], 0.0) << caso.codice;
    }
}

TEST_F(PendenzeTest, StationsWithoutAnOppositePointGiveNoRecord) {
    struct Caso {
        const char* nome;
        bool stessoPunto;   // the inner edge's points stand on the edge's in plan
        bool rigaOpposta;   // the inner edge's 3D row is filled
        bool collegato;     // the section point has its link on the inner edge
        size_t attesi;
    };
    const Caso casi[] = {
        {"normale", false, true, true, 9},
        {"distanza nulla", true, true, true, 0},
        {"riga opposta vuota", false, false, true, 0},
        {"senza collegamento", false, true, false, 9},
    };
    for (const Caso& caso : casi) {
        SetUp();
        CCiglio3D* e = Ciglio(3000, L"A");
        CCiglio3D* r = Ciglio(4000, L"A");
        ASSERT_TRUE(e && r);
        const double L = e->getLunghezza();
        Stazioni(e, r, caso.stessoPunto);
        if (!caso.rigaOpposta) r->getPunti3DCiglio()->Clear();
        CPuntoSezione* s = Sezione(e, 4 * L / 8, 5);
        if (caso.collegato) s->setPrecedente(Sezione(r, 4 * L / 8, 5));
        Gruppo pendenze = NuovoGruppo(22150);
        double prog = 0.0;
        m_rotatoria->aggiungiPendenzeTrasversali(e, nullptr, nullptr, pendenze.get(), &prog);
        EXPECT_EQ(Record(pendenze.get()).size(), caso.attesi) << caso.nome;
        for (auto& rec : Record(pendenze.get())) EXPECT_TRUE(std::isfinite(rec[1])) << caso.nome;
        EXPECT_NEAR(prog, L, 1e-9) << caso.nome;
        pendenze.reset();
        TearDown();
    }
}

// Records of an outer ring stretch come from the stations inside it only,
// also across the ring's start, where they go on past the ring's length.
TEST_F(PendenzeTest, OuterRingRecordsComeFromTheStationsInsideTheStretch) {
    const double L = m_anello->getLunghezza();
    CCiglio3D* interno = Ciglio(1000, nullptr);
    // Stations every 10 and the closing one; the inner ring 8 inside and 1
    // lower (a slope of -12.5 %).
    std::vector<double> prog;
    for (int c = 0; c <= 120; c += 10) prog.push_back(c);
    prog.push_back(L);
    std::vector<std::array<double, 3>> esterno, rigaInterno, profilo;
    for (double c : prog) {
        esterno.push_back({20 * std::cos(c / 20), 20 * std::sin(c / 20), 0.0});
        rigaInterno.push_back({12 * std::cos(c / 20), 12 * std::sin(c / 20), -1.0});
        profilo.push_back({c, 0.0, 0.0});
    }
    Riempi(m_anello->getPunti3DCiglio(), esterno);
    Riempi(m_anello->getPuntiAltCiglio(29004), profilo);
    Riempi(interno->getPunti3DCiglio(), rigaInterno);
    for (int i : {5, 9}) {
        CPuntoSezione* s = Sezione(m_anello, (i - 1) * 10.0, i);
        s->setPrecedente(Sezione(interno, (i - 1) * 10.0 * interno->getLunghezza() / L, i));
    }
    struct Caso {
        double da, a;
        std::vector<double> attese;  // record chainages; the running chainage starts at 5
    };
    const Caso casi[] = {
        {30.0, 70.0, {5, 15, 25, 35, 45}},
        {100.0, 20.0, {5, 15, 25, L - 95, L - 85, L - 75}},
    };
    for (const Caso& caso : casi) {
        Gruppo pendenze = NuovoGruppo(22150);
        double da = caso.da, a = caso.a, progressiva = 5.0;
        m_rotatoria->aggiungiPendenzeTrasversali(m_anello, &da, &a, pendenze.get(), &progressiva);
        std::vector<std::array<double, 3>> rec = Record(pendenze.get());
        ASSERT_EQ(rec.size(), caso.attese.size()) << caso.da;
        for (size_t i = 0; i < rec.size(); ++i) {
            EXPECT_NEAR(rec[i][0], caso.attese[i], 1e-9) << caso.da << " " << i;
            EXPECT_NEAR(rec[i][1], -12.5, 1e-9) << caso.da << " " << i;
        }
    }
}

// The inner ring turning about the outer ring gives the outer ring's
// records from its rotation points, those strictly inside the stretch.
TEST_F(PendenzeTest, RotationPointsOfTheInnerRingGiveTheOuterRingStretchItsRecords) {
    const double L = m_anello->getLunghezza();
    CCiglio3D* interno = Ciglio(1000, nullptr);
    interno->setTipoCalcolo(7);
    interno->setProfRif(2000);
    ASSERT_EQ(interno->getCiglioRif(), m_anello);
    // Points facing the outer ring at 10, 60 and 110 along it.
    const double punti[][2] = {{10.0, 0.01}, {60.0, 0.02}, {110.0, 0.03}};
    for (const auto& [prog, pendenza] : punti) {
        Zyl_GePoint3d p;
        ASSERT_EQ(m_anello->getPuntoDaProg(prog, p), 1);
        auto* r = static_cast<CPuntoRotazione*>(GyroformMain::getConstructor()->Alloca(29006));
        double xyz[3] = {p.x * 12.0 / 20.0, p.y * 12.0 / 20.0, 0.0};
        r->imposta(interno, 0.0, prog / L, 0, xyz);
        r->setPendenza(pendenza);
        interno->getPunti(7)->Append(r);
    }
    struct Caso {
        double da, a;
        std::vector<std::array<double, 2>> attesi;  // (chainage, slope); the running chainage starts at 5
    };
    const Caso casi[] = {
        {30.0, 70.0, {{35.0, 2.0}}},
        {100.0, 20.0, {{15.0, 3.0}, {L - 85.0, 1.0}}},
        {10.0, 110.0, {{55.0, 2.0}}},
    };
    for (const Caso& caso : casi) {
        Gruppo pendenze = NuovoGruppo(22150);
        double da = caso.da, a = caso.a, prog = 5.0;
        m_rotatoria->aggiungiPendenzeTrasversali(m_anello, &da, &a, pendenze.get(), &prog);
        std::vector<std::array<double, 3>> rec = Record(pendenze.get());
        ASSERT_EQ(rec.size(), caso.attesi.size()) << caso.da;
        for (size_t i = 0; i < rec.size(); ++i) {
            EXPECT_NEAR(rec[i][0], caso.attesi[i][0], 1e-6) << caso.da << " " << i;
            EXPECT_NEAR(rec[i][1], caso.attesi[i][1], 1e-9) << caso.da << " " << i;
        }
    }
}

}  // namespace
