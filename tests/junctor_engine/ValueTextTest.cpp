#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <filesystem>
#include <string>

#include <unistd.h>

#include "CommaLocale.h"
#include "CSingleConstrPar.h"
#include "CSingleConstrParAngle.h"
#include "NumeroTesto.h"
#include "TestoDatiEstesi.h"

namespace {

std::wstring W(const CString& s) { return s.str(); }

}  // namespace

// "%g" decides between the exponent form and the fixed form; the decimals
// give the digits in both.
TEST(ValueText, FormatFollowsTheGProbe) {
    struct Case {
        double value;
        int decimals;
        const wchar_t* text;
    } cases[] = {
        {0.5, 3, L"0.500"},
        {90.0, 3, L"90.000"},
        {1234567.0, 3, L"1.235e+06"},
        {0.00001234, 3, L"1.234e-05"},
        {1e20, 3, L"1.000e+20"},
        {0.0, 3, L"0.000"},
        {-2.25, 1, L"-2.2"},
        // Just below and just above the point where %g turns to exponent form.
        {999999.4, 3, L"999999.400"},
        {999999.6, 3, L"1.000e+06"},
        {0.0001, 2, L"0.00"},
        {0.00009, 2, L"9.00e-05"},
        {1.0, 0, L"1"},
        {1e-5, 0, L"1e-05"},
        // Decimals are kept within 0..15.
        {2.5, -4, L"2"},
        {0.5, 40, L"0.500000000000000"},
        {1e300, 99, L"1.000000000000000e+300"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(W(FormattaNumero(c.value, c.decimals)), c.text) << c.value << " with " << c.decimals;
}

TEST(ValueText, NumbersThatAreNotFinite) {
    EXPECT_EQ(W(FormattaNumero(INFINITY, 3)), L"inf");
    EXPECT_EQ(W(FormattaNumero(-INFINITY, 3)), L"-inf");
    EXPECT_TRUE(std::isnan(LeggiNumero(FormattaNumero(NAN, 3))));
    EXPECT_TRUE(std::isinf(LeggiNumero(FormattaNumero(INFINITY, 3))));
}

TEST(ValueText, ReadingTakesTheLongestNumericPrefix) {
    struct Case {
        const wchar_t* text;
        double value;
    } cases[] = {
        {L"2.5", 2.5},   {L"  \t-3.75", -3.75}, {L"1.5m", 1.5}, {L"abc", 0.0}, {L"", 0.0},
        {L"1e3", 1000.0}, {L"1.235e+06", 1235000.0},
        // Files use the decimal point: a comma ends the number.
        {L"1,5", 1.0},
    };
    for (const Case& c : cases) EXPECT_EQ(LeggiNumero(c.text), c.value) << std::wstring(c.text);
    EXPECT_EQ(LeggiNumero(nullptr), 0.0);
}

// What a person types: the C reading with a comma as the decimal mark, and
// only finite numbers (the value is left alone otherwise).
TEST(ValueText, TypedNumbersTakeACommaAndMustBeFinite) {
    struct Case {
        const wchar_t* text;
        bool taken;
        double value;
    } cases[] = {
        {L"2.5", true, 2.5},      {L"1,5", true, 1.5},      {L" -0,25", true, -0.25}, {L"12abc", true, 12.0},
        {L"abc", true, 0.0},      {L"", true, 0.0},         {L"1e3", true, 1000.0},   {L"1,5e2", true, 150.0},
        {L"nan", false, 7.0},     {L"-inf", false, 7.0},    {L"1e400", false, 7.0},   {L"-5e400", false, 7.0},
        {L"1,2,3", false, 7.0},   {L"1.000,5", false, 7.0}, {L"1,000.5", false, 7.0},
    };
    for (const Case& c : cases) {
        double v = 7.0;
        EXPECT_EQ(LeggiNumeroDigitato(c.text, v), c.taken) << std::wstring(c.text);
        EXPECT_EQ(v, c.value) << std::wstring(c.text);
    }
    double v = 7.0;
    EXPECT_TRUE(LeggiNumeroDigitato(nullptr, v));
    EXPECT_EQ(v, 0.0);
}

// Texts of extended data hold at most 255 bytes in UTF-8, whole characters.
TEST(ValueText, ExtendedDataTextsAreCutTo255Bytes) {
    const CString a300(std::wstring(300, L'a').c_str());
    const CString e200(std::wstring(200, L'\u00e8').c_str());  // two bytes each
    const CString mixed = CString(std::wstring(254, L'a').c_str()) + L"\u20ac";  // 254 + 3 bytes
    EXPECT_EQ(TestoDatiEstesi(L"Urbana"), CString(L"Urbana"));
    EXPECT_EQ(TestoDatiEstesi(a300).GetLength(), 255);
    EXPECT_EQ(TestoDatiEstesi(e200).GetLength(), 127);
    EXPECT_EQ(TestoDatiEstesi(mixed).GetLength(), 254);
    EXPECT_EQ(TestoDatiEstesi(CString(std::wstring(255, L'a').c_str())).GetLength(), 255);
}

TEST_F(CommaLocale, FileTextsKeepTheDecimalPoint) {
    EXPECT_EQ(W(FormattaNumero(0.5, 3)), L"0.500");
    EXPECT_EQ(W(FormattaNumero(0.00001234, 3)), L"1.234e-05");
    EXPECT_EQ(LeggiNumero(L"2.75"), 2.75);
    EXPECT_EQ(LeggiNumero(L"2,75"), 2.0);

    CSingleConstrParAngle a;
    a.SetUnitaVisualizzazione(0);
    a.SetValoreDaTesto(L"90.000");
    EXPECT_EQ(a.CSingleConstrPar::GetValore(), 1.5707963249999999);
    EXPECT_EQ(W(a.GetValoreTesto()), L"90.000");

    CSingleConstrPar p;
    p.SetValore(12.125);
    CSingleConstrPar q;
    q.SetValoreDaTesto(p.GetValoreTesto());
    EXPECT_EQ(q.GetValore(), 12.125);
}
