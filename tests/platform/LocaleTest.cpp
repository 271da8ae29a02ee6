#include <gtest/gtest.h>

#include <afx.h>

#include <string>

// Locale objects: numbers under the locale named by the caller.
TEST(CrtLocale, FormatAndReadUnderAGivenLocale) {
    _locale_t c = _create_locale(LC_NUMERIC, "C");
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(_create_locale(LC_NUMERIC, "no_SUCH.locale"), nullptr);
    EXPECT_EQ(_create_locale(-12, "C"), nullptr);

    wchar_t buffer[16];
    EXPECT_EQ(_swprintf_s_l(buffer, 16, L"%s=%.2f", c, L"x", 2.5), 6);
    EXPECT_EQ(std::wstring(buffer), L"x=2.50");
    // A text that does not fit leaves an empty buffer.
    EXPECT_EQ(_swprintf_s_l(buffer, 4, L"%g", c, 123456.0), -1);
    EXPECT_EQ(std::wstring(buffer), L"");
    EXPECT_EQ(_swprintf_s_l(buffer, 0, L"%g", c, 1.0), -1);

    wchar_t* end = nullptr;
    const wchar_t* text = L"  -1.5e2xyz";
    EXPECT_EQ(_wcstod_l(text, &end, c), -150.0);
    EXPECT_EQ(std::wstring(end), L"xyz");
    EXPECT_EQ(_wcstod_l(L"3.25", nullptr, nullptr), 3.25);
    _free_locale(c);
    _free_locale(nullptr);
}
