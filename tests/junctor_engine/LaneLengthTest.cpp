#include <gtest/gtest.h>

#include <climits>
#include <cmath>

#include "CJunctorSettings.h"
#include "CLanePars.h"
#include "CalcoloCorsie.h"

namespace {

// A settings object computing on its own lane set.
struct LaneSet : ::testing::Test {
    LaneSet() { settings.SetParCorsie(&lanes); }
    CLanePars lanes;
    CJunctorSettings settings;
};

// Merging stretch with service time T = 5 s (speeds equal, twice 2.5 s).
void MergingInputs(CLanePars& p, double q1, double q2) {
    p.IImmVi.SetValore(50.0);
    p.IImmV.SetValore(50.0);
    p.IImma.SetValore(1.0);
    p.IImmd.SetValore(2.5);
    p.IImmQ1.SetValore(q1);
    p.IImmQ2.SetValore(q2);
}

}  // namespace

TEST(LaneLength, KFromTheFlow) {
    struct Case {
        double q;
        int k;
    } cases[] = {{0, 0},    {496, 0},  {497, 1},  {956, 1},  {957, 2},  {1438, 2}, {1439, 3},
                 {1769, 3}, {1770, 4}, {2003, 4}, {2004, 5}, {-100, -1}, {1e9, INT_MAX}, {NAN, 0}};
    for (const Case& c : cases) EXPECT_EQ(NumeroK(c.q), c.k) << c.q;
}

TEST(LaneLength, FactorialAndPartialSum) {
    EXPECT_EQ(Fattoriale(0), 1.0);
    EXPECT_EQ(Fattoriale(1), 1.0);
    EXPECT_EQ(Fattoriale(5), 120.0);
    EXPECT_TRUE(std::isinf(Fattoriale(200)));
    EXPECT_EQ(SommaEsponenzialeParziale(0.0, 0), 1.0);
    EXPECT_EQ(SommaEsponenzialeParziale(0.0, 4), 1.0);
    EXPECT_EQ(SommaEsponenzialeParziale(2.0, -1), 0.0);
    EXPECT_DOUBLE_EQ(SommaEsponenzialeParziale(2.0, 3), 1 + 2 + 2 + 8.0 / 6);
}

// The sum as written: every term x^i / i! with i! from Fattoriale, however long it takes.
TEST(LaneLength, PartialSumMatchesTheTermByTermSum) {
    auto literal = [](double x, long long m) {
        double sum = 0.0;
        for (long long i = 0; i <= m; ++i) sum += std::pow(x, static_cast<double>(i)) / Fattoriale(static_cast<int>(i));
        return sum;
    };
    const double xs[] = {0.0, 0.5, 1.0, -1.0, 1.0001, 3.0, 50.0, -50.0, 700.0, 1e3, INFINITY, NAN};
    const long long ms[] = {-1, 0, 1, 5, 169, 170, 171, 172, 180, 181, 182, 183, 400, 1500};
    for (double x : xs) {
        for (long long m : ms) {
            double want = literal(x, m), got = SommaEsponenzialeParziale(x, m);
            if (std::isnan(want))
                EXPECT_TRUE(std::isnan(got)) << x << " up to " << m;
            else
                EXPECT_EQ(got, want) << x << " up to " << m;
        }
    }
    // Far past 170! the terms vanish for |x| <= 1 and the sum still ends at once.
    EXPECT_DOUBLE_EQ(SommaEsponenzialeParziale(1.0, 2000000000LL), std::exp(1.0));
    EXPECT_TRUE(std::isnan(SommaEsponenzialeParziale(1.0001, 2000000000LL)));
    EXPECT_EQ(SommaEsponenzialeParziale(0.0, 2000000000LL), 1.0);
}

// T = 5 s, Q1 = 800 (k = 1), Q2 = 300, to the digits given.
TEST_F(LaneSet, MergingStretchWorkedExample) {
    MergingInputs(lanes, 800.0, 300.0);
    settings.CalcolaCorsie();
    EXPECT_DOUBLE_EQ(lanes.IImmT.GetValore(), 5.0);
    EXPECT_EQ(lanes.IImmK.GetValore(), 1.0);
    EXPECT_NEAR(lanes.IImmEs.GetValore(), 9.1698, 5e-5);
    EXPECT_NEAR(lanes.IImmVars.GetValore(), 29.915, 5e-4);
    EXPECT_NEAR(lanes.IImmEw.GetValore(), 29.310, 5e-4);
    EXPECT_NEAR(lanes.IImmEq.GetValore(), 2.4425, 5e-5);
    EXPECT_NEAR(lanes.IImmLie.GetValore(), 29.310, 5e-4);
    // k = 1: the gap-acceptance delay (e^x - 1 - x) / Q in hours plus T.
    double x = 800.0 * 5 / 3600;
    EXPECT_DOUBLE_EQ(lanes.IImmEs.GetValore(), ((std::exp(x) - 1 - x) / 800 + 5.0 / 3600) * 3600);
}

// The storage stretch runs the same queue with T as an input.
TEST_F(LaneSet, StorageStretchWorkedExample) {
    lanes.SAcuT.SetValore(5.0);
    lanes.SAcuQ1.SetValore(800.0);
    lanes.SAcuQ2.SetValore(300.0);
    lanes.SAcuLv.SetValore(6.0);
    settings.CalcolaCorsie();
    EXPECT_EQ(lanes.SAcuK.GetValore(), 1.0);
    EXPECT_NEAR(lanes.SAcuEs.GetValore(), 9.1698, 5e-5);
    EXPECT_NEAR(lanes.SAcuVars.GetValore(), 29.915, 5e-4);
    EXPECT_NEAR(lanes.SAcuEw.GetValore(), 29.310, 5e-4);
    EXPECT_NEAR(lanes.SAcuEq.GetValore(), 2.4425, 5e-5);
    EXPECT_NEAR(lanes.SAcuLaa.GetValore(), 6 * 2 * 2.4425, 5e-3);
}

// A flow below 497 gives k = 0, and every queue result is 0 / 0.
TEST_F(LaneSet, NoQueueBelowTheFirstThreshold) {
    MergingInputs(lanes, 496.0, 300.0);
    lanes.SAcuT.SetValore(5.0);
    lanes.SAcuQ1.SetValore(100.0);
    lanes.SAcuQ2.SetValore(300.0);
    lanes.SAcuLv.SetValore(6.0);
    settings.CalcolaCorsie();
    EXPECT_EQ(lanes.IImmK.GetValore(), 0.0);
    for (const CSingleConstrPar* p : {&lanes.IImmEs, &lanes.IImmVars, &lanes.IImmEw, &lanes.IImmEq, &lanes.IImmLie,
                                      &lanes.SAcuEs, &lanes.SAcuVars, &lanes.SAcuEw, &lanes.SAcuEq, &lanes.SAcuLaa})
        EXPECT_TRUE(std::isnan(p->GetValore()));
    EXPECT_EQ(lanes.IImmLie.GetValoreTesto().str().find(L"nan") != std::wstring::npos, true);
}

TEST_F(LaneSet, SaturatedQueue) {
    // Q2 * Es / 3600 = 1: infinite mean time; above 1 it turns negative.
    MergingInputs(lanes, 800.0, 300.0);
    settings.CalcolaCorsie();
    double es = lanes.IImmEs.GetValore();
    lanes.IImmQ2.SetValore(3600.0 / es);
    settings.CalcolaCorsie();
    EXPECT_TRUE(std::isinf(lanes.IImmEw.GetValore()));
    lanes.IImmQ2.SetValore(2 * 3600.0 / es);
    settings.CalcolaCorsie();
    EXPECT_LT(lanes.IImmEw.GetValore(), 0.0);
}

TEST_F(LaneSet, SpeedsAndShiftsToLengthsAndRadii) {
    lanes.IAccVf.SetValore(80.0);
    lanes.IAccVi.SetValore(40.0);
    lanes.IAcca.SetValore(1.0);
    lanes.IManVp.SetValore(90.0);
    lanes.IManb.SetValore(3.0);
    lanes.UManLmu.SetValore(50.0);
    lanes.UManb.SetValore(2.5);
    lanes.UDecVi.SetValore(80.0);
    lanes.UDecVf.SetValore(40.0);
    lanes.UDeca.SetValore(-2.0);
    lanes.SDecVi.SetValore(60.0);
    lanes.SDecVf.SetValore(0.0);
    lanes.SDeca.SetValore(-3.0);
    lanes.SManVp.SetValore(50.0);
    lanes.SManb.SetValore(3.5);
    lanes.SRacVp.SetValore(50.0);
    lanes.SRacd1.SetValore(4.0);
    lanes.SRacd2.SetValore(2.0);
    settings.CalcolaCorsie();
    struct Case {
        const CSingleConstrPar& p;
        double expected;
    } cases[] = {
        {lanes.IAccLae, 4800.0 / 25.92},
        {lanes.IManLve, 75.0},
        {lanes.IManR, 75.0 * 75 / 13.5},
        {lanes.UManR, 2500.0 / 11.25},
        {lanes.UDecLdu, (40.0 / 3.6 * 40 / 3.6 - 80.0 / 3.6 * 80 / 3.6) / -4.0},
        {lanes.SDecLda, (60.0 / 3.6 * 60 / 3.6) / 6.0},
        {lanes.SManLma, 20.0},
        {lanes.SManR, 400.0 / 15.75},
        {lanes.SRacLva, 60.0},
        {lanes.SRacRI1, 200.0},
        {lanes.SRacRI2, 400.0},
    };
    for (const Case& c : cases) EXPECT_DOUBLE_EQ(c.p.GetValore(), c.expected);
}

// The speed thresholds of the manoeuvre stretches: above 80 for entry, from 60 for left turn.
TEST_F(LaneSet, ManoeuvreLengthThresholds) {
    struct Case {
        double entrySpeed, entryLength, leftSpeed, leftLength;
    } cases[] = {{80.0, 50.0, 60.0, 30.0}, {80.5, 75.0, 59.9, 20.0}, {0.0, 50.0, 120.0, 30.0}};
    for (const Case& c : cases) {
        lanes.IManVp.SetValore(c.entrySpeed);
        lanes.SManVp.SetValore(c.leftSpeed);
        settings.CalcolaCorsie();
        EXPECT_EQ(lanes.IManLve.GetValore(), c.entryLength) << c.entrySpeed;
        EXPECT_EQ(lanes.SManLma.GetValore(), c.leftLength) << c.leftSpeed;
    }
}

TEST_F(LaneSet, DivisionsByZeroAreStoredAsTheyCome) {
    lanes.IAccVf.SetValore(60.0);
    lanes.IAccVi.SetValore(40.0);
    settings.CalcolaCorsie();
    EXPECT_TRUE(std::isinf(lanes.IAccLae.GetValore()));
    lanes.IAccVf.SetValore(40.0);
    settings.CalcolaCorsie();
    EXPECT_TRUE(std::isnan(lanes.IAccLae.GetValore()));
    // A negative lateral shift under the root.
    lanes.SRacd1.SetValore(-1.0);
    settings.CalcolaCorsie();
    EXPECT_TRUE(std::isnan(lanes.SRacLva.GetValore()));
}

// A flow far beyond any road still ends at once.
TEST_F(LaneSet, HugeFlowEnds) {
    MergingInputs(lanes, 1e9, 300.0);
    settings.CalcolaCorsie();
    EXPECT_EQ(lanes.IImmK.GetValore(), static_cast<double>(INT_MAX));
    EXPECT_TRUE(std::isnan(lanes.IImmEs.GetValore()));
}

TEST(LaneLengthSettings, WithoutLaneSetNothingHappens) {
    CJunctorSettings settings;
    settings.CalcolaCorsie();
    EXPECT_EQ(settings.GetParCorsie(), nullptr);
}
