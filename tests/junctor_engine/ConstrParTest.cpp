#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "Angoli.h"
#include "CSingleConstrPar.h"
#include "CSingleConstrParAngle.h"

namespace {

std::wstring W(const CString& s) { return s.str(); }

// The stored number of an angle, without conversion to its display unit.
double Stored(const CSingleConstrParAngle& a) { return a.CSingleConstrPar::GetValore(); }

}  // namespace

TEST(ConstrPar, NewPlainParameter) {
    CSingleConstrPar p;
    EXPECT_EQ(p.GetValore(), 0.0);
    EXPECT_EQ(W(p.GetValoreTesto()), L"0.000");
    EXPECT_EQ(W(p.GetUnita()), L"[m]");
    EXPECT_EQ(W(p.GetEtichetta()), L" [m]");
    p.SetNome(L"h");
    EXPECT_EQ(W(p.GetEtichetta()), L"h [m]");
}

TEST(ConstrPar, ValueFromText) {
    struct Case {
        const wchar_t* text;
        double value;
        const wchar_t* shown;
    } cases[] = {
        {L"12.5", 12.5, L"12.500"},
        {L"  7", 7.0, L"7.000"},
        {L"no digits", 0.0, L"0.000"},
        {L"4.25 m", 4.25, L"4.250"},
        {L"1e20", 1e20, L"1.000e+20"},
    };
    for (const Case& c : cases) {
        CSingleConstrPar p;
        p.SetValore(99.0);
        p.SetValoreDaTesto(c.text);
        EXPECT_EQ(p.GetValore(), c.value) << std::wstring(c.text);
        EXPECT_EQ(W(p.GetValoreTesto()), c.shown) << std::wstring(c.text);
    }
}

// Every unit conversion is one multiplication then one division, with the
// engine's pi 3.14159265; other pairs leave the value as it is.
TEST(ConstrPar, AngleConversionBetweenUnitCodes) {
    struct Case {
        int from;
        int to;
        double value;
        double expected;
    } cases[] = {
        {0, 1, 90.0, 100.0},
        {0, 2, 180.0, 3.14159265},
        {1, 0, 100.0, 90.0},
        {1, 2, 200.0, 3.14159265},
        {2, 0, 3.14159265, 180.0},
        {2, 1, 3.14159265, 200.0},
        {2, 0, 1.570796325, 89.99999999999999},
        {0, 2, 90.0, 1.5707963249999999},
        {2, 0, 3.141592653589793, 180.00000020567998},
        {0, 0, 1.25, 1.25},
        {2, 2, 1.25, 1.25},
        {2, 3, 1.25, 1.25},
        {3, 0, 1.25, 1.25},
        {0, 4, 1.25, 1.25},
        {4, 2, 1.25, 1.25},
        {-1, 0, 1.25, 1.25},
    };
    for (const Case& c : cases) {
        double v = c.value;
        ConvertiAngolo(v, c.from, c.to);
        EXPECT_DOUBLE_EQ(v, c.expected) << c.from << " -> " << c.to;
    }
    // Exactly, as a stored default and a typed right angle come out.
    double v = 1.570796325;
    ConvertiAngolo(v, 2, 0);
    EXPECT_EQ(v, 89.99999999999999);
    v = 90.0;
    ConvertiAngolo(v, 0, 2);
    EXPECT_EQ(v, 1.5707963249999999);
}

TEST(ConstrPar, NewAngleIsShownInRadians) {
    CSingleConstrParAngle a;
    EXPECT_EQ(W(a.GetUnita()), L"[rad]");
    EXPECT_EQ(W(a.GetValoreTesto()), L"0.000");
    a.CSingleConstrPar::SetValore(MEZZO_PI_GRECO);
    EXPECT_EQ(W(a.GetValoreTesto()), L"1.571");
}

// Shown value, text and unit text of the stored 1.570796325 in each display code.
TEST(ConstrPar, AngleShownInEachDisplayUnit) {
    struct Case {
        int code;
        double shown;
        const wchar_t* text;
        const wchar_t* unit;
    } cases[] = {
        {0, 89.99999999999999, L"90.000", L"[deg]"},
        {1, 99.99999999999999, L"100.000", L"[grad]"},
        {2, 1.570796325, L"1.571", L"[rad]"},
        // Shown, never converted.
        {3, 1.570796325, L"1.571", L"[dms]"},
        // Known by name only: the radian value with the radian text.
        {4, 1.570796325, L"1.571", L"[rad]"},
    };
    for (const Case& c : cases) {
        CSingleConstrParAngle a;
        a.CSingleConstrPar::SetValore(MEZZO_PI_GRECO);
        a.SetUnitaVisualizzazione(c.code);
        EXPECT_DOUBLE_EQ(a.GetValore(), c.shown) << c.code;
        EXPECT_EQ(W(a.GetValoreTesto()), c.text) << c.code;
        EXPECT_EQ(W(a.GetUnita()), c.unit) << c.code;
    }
}

// Values set in the display unit are stored in radians, through the base
// class's interface too: both take a value and return the number stored.
TEST(ConstrPar, SetValoreStoresRadiansAndReturnsThem) {
    struct Case {
        int code;
        double entered;
        double stored;
    } cases[] = {
        {0, 90.0, 1.5707963249999999},
        {1, 100.0, 1.570796325},
        {2, 0.75, 0.75},
        {3, 0.75, 0.75},
    };
    for (const Case& c : cases) {
        auto a = std::make_unique<CSingleConstrParAngle>();
        a->SetUnitaVisualizzazione(c.code);
        CSingleConstrPar* p = a.get();
        EXPECT_EQ(p->SetValore(c.entered), c.stored) << c.code;
        EXPECT_EQ(Stored(*a), c.stored) << c.code;
        EXPECT_DOUBLE_EQ(p->GetValore(), c.entered) << c.code;
    }
    CSingleConstrPar plain;
    EXPECT_EQ(plain.SetValore(4.5), 4.5);
}

TEST(ConstrPar, AngleValueFromTextInTheDisplayUnit) {
    CSingleConstrParAngle a;
    CSingleConstrPar* p = &a;
    p->SetUnita(L"[deg]");
    p->SetValoreDaTesto(L"90.000");
    EXPECT_EQ(Stored(a), 1.5707963249999999);
    EXPECT_EQ(W(p->GetValoreTesto()), L"90.000");
    p->SetValoreDaTesto(L"x");
    EXPECT_EQ(Stored(a), 0.0);
}

// The unit text always follows; the display unit only on an exact match.
TEST(ConstrPar, AngleUnitFromText) {
    struct Case {
        const wchar_t* unit;
        double shown;  // of the stored 1.570796325, display unit grads before the call
    } cases[] = {
        {L"[deg]", 89.99999999999999},
        {L"[rad]", 1.570796325},
        {L"[grad]", 99.99999999999999},
        {L"[dms]", 1.570796325},
        {L"[Deg]", 99.99999999999999},
        {L"deg", 99.99999999999999},
        {L"", 99.99999999999999},
    };
    for (const Case& c : cases) {
        CSingleConstrParAngle a;
        a.CSingleConstrPar::SetValore(MEZZO_PI_GRECO);
        a.SetUnitaVisualizzazione(1);
        CSingleConstrPar* p = &a;
        p->SetUnita(c.unit);
        EXPECT_EQ(W(a.GetUnita()), c.unit);
        EXPECT_DOUBLE_EQ(a.GetValore(), c.shown) << std::wstring(c.unit);
    }
}

TEST(ConstrPar, CopiesCarryEveryField) {
    CSingleConstrParAngle a;
    a.SetNome(L"a1e");
    a.SetDescrizione(L"primo angolo");
    a.SetPathImg(L"img\\a1e.jpg");
    a.SetUnitaVisualizzazione(0);
    a.SetValore(30.0);

    CSingleConstrParAngle copied(a);
    CSingleConstrParAngle assigned;
    assigned = a;
    for (const CSingleConstrParAngle* b : {&copied, &assigned}) {
        EXPECT_EQ(W(b->GetNome()), L"a1e");
        EXPECT_EQ(W(b->GetDescrizione()), L"primo angolo");
        EXPECT_EQ(W(b->GetPathImg()), L"img\\a1e.jpg");
        EXPECT_EQ(W(b->GetUnita()), L"[deg]");
        EXPECT_EQ(Stored(*b), Stored(a));
        EXPECT_EQ(W(b->GetValoreTesto()), L"30.000");
    }
}
