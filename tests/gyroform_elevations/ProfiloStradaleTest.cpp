// The road profile stand-in: grades, parabolic and circular vertical curves,
// radii reduced to fit, validation.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "ICPROFILO_STRADALE.h"

namespace {

struct Profilo {
    std::unique_ptr<ICPROFILO_STRADALE> p{dynamic_cast<ICPROFILO_STRADALE*>(ICPROFILO::Alloca())};
    std::vector<ICVERTICE_PROFILO*> v;
    Profilo(std::initializer_list<std::pair<double, double>> vertici) {
        for (auto [x, z] : vertici) {
            ICVERTICE_PROFILO* n = nullptr;
            p->inserisciVertice(x, z, nullptr, &n);
            v.push_back(n);
        }
    }
    double Z(double x) {
        double z = std::numeric_limits<double>::quiet_NaN();
        EXPECT_EQ(p->getValore(QV_DATO_QUOTA_PROFILO, x, &z), 1) << x;
        return z;
    }
    double Raggio(int i, int id) {
        CDato d;
        p->leggiDatoVertice(v[static_cast<size_t>(i)], id, d);
        return d.GetDouble();
    }
};

TEST(ProfiloStradale, ParabolicAndCircularCurves) {
    Profilo par({{0, 100}, {500, 100}, {1000, 70}});
    ASSERT_NE(par.p, nullptr);
    par.p->impostaRaccordo(par.v[1], QV_RACCORDO_PARABOLICO, 4000);
    double z = 0;
    EXPECT_EQ(par.p->getValore(QV_DATO_QUOTA_PROFILO, 480, &z), 0);  // not computed yet
    ASSERT_EQ(par.p->calcola(), 1);
    EXPECT_NEAR(par.Z(480), 98.75, 1e-9);
    EXPECT_NEAR(par.Z(500), 98.2, 1e-9);
    EXPECT_NEAR(par.Z(250), 100.0, 1e-12);
    EXPECT_NEAR(par.Z(800), 82.0, 1e-9);
    EXPECT_DOUBLE_EQ(par.Raggio(1, QV_DATO_RAGGIO_PARABOLICO), 4000);
    EXPECT_DOUBLE_EQ(par.Raggio(1, QV_DATO_RAGGIO_CIRCOLARE), 0);
    EXPECT_EQ(par.p->getValore(QV_DATO_QUOTA_PROFILO, 1000.5, &z), 0);

    Profilo cir({{0, 100}, {500, 100}, {1000, 70}});
    cir.p->impostaRaccordo(cir.v[1], QV_RACCORDO_CIRCOLARE, 4000);
    ASSERT_EQ(cir.p->calcola(), 1);
    EXPECT_NEAR(cir.Z(380.1078), 100.0, 1e-6);
    EXPECT_NEAR(cir.Z(480.1078), 98.749805, 1e-6);
    EXPECT_NEAR(cir.Z(500), 98.202829, 1e-6);

    // +3 % then -2 %, R 4000: 200 long from 100, highest 120 into it.
    Profilo dosso({{0, 97}, {200, 103}, {600, 95}});
    dosso.p->impostaRaccordo(dosso.v[1], QV_RACCORDO_PARABOLICO, 4000);
    ASSERT_EQ(dosso.p->calcola(), 1);
    EXPECT_NEAR(dosso.Z(200), 101.75, 1e-9);
    EXPECT_NEAR(dosso.Z(220), 101.80, 1e-9);
    EXPECT_LT(dosso.Z(219), 101.80);
    EXPECT_LT(dosso.Z(221), 101.80);
}

TEST(ProfiloStradale, RadiiAreReducedToFit) {
    // Two curves sharing a 10 m grade: each may take half of it.
    Profilo p({{0, 100}, {10, 100.1}, {20, 100.8}, {30, 100.9}});
    p.p->impostaRaccordo(p.v[1], QV_RACCORDO_PARABOLICO, 200);
    p.p->impostaRaccordo(p.v[2], QV_RACCORDO_PARABOLICO, 200);
    ASSERT_EQ(p.p->calcola(), 1);
    EXPECT_NEAR(p.Raggio(1, QV_DATO_RAGGIO_PARABOLICO), 10.0 / 0.06, 1e-9);
    EXPECT_NEAR(p.Raggio(2, QV_DATO_RAGGIO_PARABOLICO), 10.0 / 0.06, 1e-9);
    // A curve next to the first vertex may reach it.
    Profilo q({{0, 100}, {20, 100}, {40, 99.6}});
    q.p->impostaRaccordo(q.v[1], QV_RACCORDO_PARABOLICO, 200);
    ASSERT_EQ(q.p->calcola(), 1);
    EXPECT_DOUBLE_EQ(q.Raggio(1, QV_DATO_RAGGIO_PARABOLICO), 200);
    EXPECT_NEAR(q.Z(20), 100.0 - 0.02 * 0.02 * 200 / 8.0, 1e-9);  // the vertex lies g^2 R / 8 above the curve
}

TEST(ProfiloStradale, ProfilesThatCannotBeComputed) {
    struct Caso {
        const char* nome;
        std::vector<std::pair<double, double>> vertici;
    };
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const Caso casi[] = {{"one vertex", {{0, 100}}},
                         {"same chainage", {{0, 100}, {10, 101}, {10, 102}}},
                         {"not finite", {{0, 100}, {10, nan}}}};
    for (const Caso& c : casi) {
        Profilo p({});
        for (auto [x, z] : c.vertici) p.p->inserisciVertice(x, z, nullptr);
        EXPECT_NE(p.p->valida(), 0) << c.nome;
        EXPECT_EQ(p.p->calcola(), 0) << c.nome;
        double z = 0;
        EXPECT_EQ(p.p->getValore(QV_DATO_QUOTA_PROFILO, 5, &z), 0) << c.nome;
    }
    // Inserting before a vertex, and walking both ways.
    Profilo w({{0, 100}, {20, 102}});
    ICVERTICE_PROFILO* mezzo = nullptr;
    ASSERT_EQ(w.p->inserisciVertice(10, 105, w.v[1], &mezzo), 1);
    EXPECT_EQ(w.p->successivo(w.v[0]), mezzo);
    EXPECT_EQ(w.p->precedente(w.v[1]), mezzo);
    EXPECT_EQ(w.p->precedente(w.v[0]), nullptr);
    EXPECT_EQ(w.p->successivo(w.v[1]), nullptr);
    ASSERT_EQ(w.p->calcola(), 1);
    EXPECT_NEAR(w.Z(15), 103.5, 1e-12);
    // The straight vertices of the alignment code still work on it.
    w.p->aggiungiVertice(0, 1.0);
    double z = 0;
    EXPECT_EQ(w.p->getQuota(0, &z), 1);
    EXPECT_EQ(z, 1.0);
}

}  // namespace
