#include <gtest/gtest.h>

#include <string>

#include "Angoli.h"
#include "CConstrPars.h"

namespace {

double Stored(const CSingleConstrPar& p) { return p.CSingleConstrPar::GetValore(); }

}  // namespace

TEST(CouplingRules, DimensionsFromTheCarriagewayWidth) {
    struct Case {
        double w, exitIncrement, entryIncrement, rightHalf, leftHalf;
        double h, b1, b2, riu, rie, rre, rru, lcu, lce, innerEntry, innerExit;
    } cases[] = {
        // 0.5w is 2: the lower bound 3 of Lce wins; the right half width beats Lce.
        {4, 0, 0, 3.5, 2.0, 16, 2.2, 5.8, 8, 8, 32, 64, 2.5, 3, 28.5, 61.5},
        // The main road's increments add to the first radii; the left half width beats Lcu.
        {4, 1.5, 0.75, 3.0, 3.0, 16, 2.2, 5.8, 9.5, 8.75, 32, 64, 2.5, 3, 29, 61},
        // 0.5w above 3; on a tie the lane width is taken (same number).
        {10, 0, 0, 5.0, 5.5, 40, 5.5, 14.5, 20, 20, 80, 160, 5.5, 5, 75, 154.5},
    };
    for (const Case& c : cases) {
        CConstrPars p;
        p.r2e.SetValore(15.0);
        p.ImpostaDimensioni(c.w, c.exitIncrement, c.entryIncrement, c.rightHalf, c.leftHalf);
        EXPECT_DOUBLE_EQ(p.h.GetValore(), c.h);
        EXPECT_DOUBLE_EQ(p.b1.GetValore(), c.b1);
        EXPECT_DOUBLE_EQ(p.b2.GetValore(), c.b2);
        EXPECT_DOUBLE_EQ(p.riu.GetValore(), c.riu);
        EXPECT_DOUBLE_EQ(p.rie.GetValore(), c.rie);
        EXPECT_DOUBLE_EQ(p.rre.GetValore(), c.rre);
        EXPECT_DOUBLE_EQ(p.rru.GetValore(), c.rru);
        EXPECT_DOUBLE_EQ(p.Lcu.GetValore(), c.lcu);
        EXPECT_DOUBLE_EQ(p.Lce.GetValore(), c.lce);
        EXPECT_DOUBLE_EQ(p.RaggioInternoImm.GetValore(), c.innerEntry);
        EXPECT_DOUBLE_EQ(p.RaggioInternoUsc.GetValore(), c.innerExit);
        EXPECT_EQ(p.Ledx.GetValore(), c.lce);
        EXPECT_EQ(p.Lesx.GetValore(), c.lce);
        EXPECT_EQ(p.Ludx.GetValore(), c.lcu);
        EXPECT_EQ(p.Lusx.GetValore(), c.lcu);
        // Island shift, shoulders and curves are left as they were.
        EXPECT_EQ(p.s.GetValore(), 0.5);
        EXPECT_EQ(p.Lbitr.GetValore(), 0.5);
        EXPECT_EQ(p.Lbint.GetValore(), 1.0);
        EXPECT_EQ(p.r2e.GetValore(), 15.0);
    }
}

TEST(CouplingRules, InnerRadiiFollowTheHalfWidths) {
    CConstrPars p;
    p.rre.SetValore(32.0);
    p.Lce.SetValore(3.0);
    p.rru.SetValore(64.0);
    p.Lcu.SetValore(2.5);
    struct Case {
        double half, innerEntry, innerExit;
    } cases[] = {{3.5, 28.5, 60.5}, {2.0, 29.0, 61.5}, {3.0, 29.0, 61.0}, {2.5, 29.0, 61.5}};
    for (const Case& c : cases) {
        p.RicalcolaRaggioInternoImmissione(c.half);
        p.RicalcolaRaggioInternoUscita(c.half);
        EXPECT_EQ(p.RaggioInternoImm.GetValore(), c.innerEntry) << c.half;
        EXPECT_EQ(p.RaggioInternoUsc.GetValore(), c.innerExit) << c.half;
    }
}

// 2/15, 11/15 and 2/15 of each deflection, on the stored radians whatever unit the angles show.
TEST(CouplingRules, DeflectionsSplitIntoTheCurveAngles) {
    CConstrPars p;
    p.SetUnitaAngoli(0);
    p.SetDeviazioni(1.570796325, 0.75, false);
    EXPECT_EQ(Stored(p.a1e), 0.20943951000000002);
    EXPECT_EQ(Stored(p.a3e), 0.20943951000000002);
    EXPECT_EQ(Stored(p.a2e), 1.151917305);
    EXPECT_EQ(Stored(p.a1u), 0.75 * 0.13333333333333333);
    EXPECT_EQ(Stored(p.a3u), Stored(p.a1u));
    EXPECT_EQ(Stored(p.a2u), 0.75 * 0.7333333333333333);
    EXPECT_DOUBLE_EQ(p.a1e.GetValore(), 12.0);
    EXPECT_DOUBLE_EQ(p.a2e.GetValore(), 66.0);

    // Degrees in, radians stored; the split follows from the new deflections.
    p.SetDeviazioni(90.0, 45.0, true);
    EXPECT_EQ(Stored(p.a2e), 1.5707963249999999 * 0.7333333333333333);
    EXPECT_DOUBLE_EQ(p.a1u.GetValore(), 6.0);
}

// Tricentrica C.N.R.: r1 = 2.5 r2 and r3 = 5.5 r2, from whichever radius was edited.
TEST(CouplingRules, ThreeCentredRadiiInProportion) {
    struct Case {
        int side;
        bool e1, e2, e3;
        double r1, r2, r3;  // before
        double w1, w2, w3;  // after
    } cases[] = {
        {0, false, true, false, 0, 12, 0, 30, 12, 66},
        {1, true, false, false, 25, 0, 0, 25, 10, 55},
        {1, false, false, true, 0, 0, 55, 25, 10, 55},
        // The first flag set decides.
        {0, true, true, true, 50, 1, 1, 50, 20, 110},
        {0, false, true, true, 1, 4, 1, 10, 4, 22},
        // Any side other than 1 is the exit curve.
        {7, false, true, false, 0, 12, 0, 30, 12, 66},
        {0, false, false, false, 1, 2, 3, 1, 2, 3},
    };
    for (const Case& c : cases) {
        CConstrPars p;
        CSingleConstrPar* r[2][3] = {{&p.r1u, &p.r2u, &p.r3u}, {&p.r1e, &p.r2e, &p.r3e}};
        int side = c.side == 1 ? 1 : 0;
        for (auto* q : {&p.r1u, &p.r2u, &p.r3u, &p.r1e, &p.r2e, &p.r3e}) q->SetValore(-1.0);
        r[side][0]->SetValore(c.r1);
        r[side][1]->SetValore(c.r2);
        r[side][2]->SetValore(c.r3);
        p.AccoppiaRaggi(c.side, c.e1, c.e2, c.e3);
        EXPECT_DOUBLE_EQ(r[side][0]->GetValore(), c.w1) << c.side << c.e1 << c.e2 << c.e3;
        EXPECT_DOUBLE_EQ(r[side][1]->GetValore(), c.w2) << c.side << c.e1 << c.e2 << c.e3;
        EXPECT_DOUBLE_EQ(r[side][2]->GetValore(), c.w3) << c.side << c.e1 << c.e2 << c.e3;
        // The other curve is untouched.
        for (auto* q : r[1 - side]) EXPECT_EQ(q->GetValore(), -1.0);
    }
}

// r2e runs from 10 at 70 degrees to 20 at 110, r2u makes up 30; both bounds excluded.
TEST(CouplingRules, MiddleRadiiFromTheCrossingAngle) {
    struct Case {
        double degrees;
        bool changes;
        double r2e, r2u;
    } cases[] = {
        {90.0, true, 15.0, 15.0},
        {80.0, true, 12.5, 17.5},
        {100.0, true, 17.5, 12.5},
        {70.0001, true, 10.000025, 19.999975},
        {109.9999, true, 19.999975, 10.000025},
        {70.0, false, 0, 0},
        {110.0, false, 0, 0},
        {69.0, false, 0, 0},
        {111.0, false, 0, 0},
    };
    for (const Case& c : cases) {
        CConstrPars p;
        p.SetAngoloIncrocio(c.degrees, true);
        p.RaggiDaAngoloIncrocio();
        if (!c.changes) {
            for (auto* q : {&p.r1u, &p.r2u, &p.r3u, &p.r1e, &p.r2e, &p.r3e}) EXPECT_EQ(q->GetValore(), 0.0) << c.degrees;
            continue;
        }
        EXPECT_NEAR(p.r2e.GetValore(), c.r2e, 1e-9) << c.degrees;
        EXPECT_NEAR(p.r2u.GetValore(), c.r2u, 1e-9) << c.degrees;
        EXPECT_DOUBLE_EQ(p.r1e.GetValore(), 2.5 * p.r2e.GetValore());
        EXPECT_DOUBLE_EQ(p.r3e.GetValore(), 5.5 * p.r2e.GetValore());
        EXPECT_DOUBLE_EQ(p.r1u.GetValore(), 2.5 * p.r2u.GetValore());
        EXPECT_DOUBLE_EQ(p.r3u.GetValore(), 5.5 * p.r2u.GetValore());
    }
    // The default crossing angle is 90 degrees with the engine's pi.
    CConstrPars p;
    p.RaggiDaAngoloIncrocio();
    EXPECT_DOUBLE_EQ(p.r2e.GetValore(), 15.0);
    EXPECT_DOUBLE_EQ(p.r1e.GetValore(), 37.5);
    EXPECT_DOUBLE_EQ(p.r3e.GetValore(), 82.5);
    EXPECT_DOUBLE_EQ(p.r1u.GetValore(), 37.5);
    EXPECT_DOUBLE_EQ(p.r3u.GetValore(), 82.5);
}

// Editing one angle of a curve moves the other two by half the change each.
TEST(CouplingRules, EditedAngleRedistributed) {
    struct Case {
        int side;
        bool e1, e2, e3;
        double old;
        double a1, a2, a3;  // after the edit, before the rule
        double w1, w2, w3;
    } cases[] = {
        {1, false, true, false, 1.0, 0.3, 1.2, 0.3, 0.2, 1.2, 0.2},
        {0, true, false, false, 0.2, 0.4, 1.0, 0.2, 0.4, 0.9, 0.1},
        {0, false, false, true, 0.5, 0.2, 1.0, 0.3, 0.3, 1.1, 0.3},
        {1, false, false, false, 9.0, 0.2, 1.0, 0.3, 0.2, 1.0, 0.3},
    };
    for (const Case& c : cases) {
        CConstrPars p;
        p.SetUnitaAngoli(0);
        CSingleConstrPar* a[2][3] = {{&p.a1u, &p.a2u, &p.a3u}, {&p.a1e, &p.a2e, &p.a3e}};
        int side = c.side == 1 ? 1 : 0;
        a[side][0]->CSingleConstrPar::SetValore(c.a1);
        a[side][1]->CSingleConstrPar::SetValore(c.a2);
        a[side][2]->CSingleConstrPar::SetValore(c.a3);
        double other = Stored(*a[1 - side][1]);
        p.RipartisciAngoli(c.old, c.side, c.e1, c.e2, c.e3);
        EXPECT_NEAR(Stored(*a[side][0]), c.w1, 1e-12);
        EXPECT_NEAR(Stored(*a[side][1]), c.w2, 1e-12);
        EXPECT_NEAR(Stored(*a[side][2]), c.w3, 1e-12);
        EXPECT_EQ(Stored(*a[1 - side][1]), other);
    }
}
