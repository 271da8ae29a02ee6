#include <gtest/gtest.h>

#include <afx.h>

// The wide format follows the platform: %s takes a wide string, %S a narrow
// one, and 'l' keeps an integer at 32 bits.
TEST(WideFormat, PlatformConversions) {
    CString s;
    std::vector<std::pair<CString, const wchar_t*>> cases;
    s.Format(L"%s|%S|%hs|%ls|%ws", L"wide", "narrow", "h", L"l", L"w");
    cases.push_back({s, L"wide|narrow|h|l|w"});
    s.Format(L"%lu %ld %lx", static_cast<DWORD>(4000000000u), static_cast<LONG>(-5), static_cast<DWORD>(255));
    cases.push_back({s, L"4000000000 -5 ff"});
    s.Format(L"%I64d %lld", static_cast<long long>(-1) << 40, 7LL);
    cases.push_back({s, L"-1099511627776 7"});
    s.Format(L"%c%C%%", L'\u00e8', 'x');
    cases.push_back({s, L"\u00e8x%"});
    s.Format(L"[%*.*f] [%-5d] [%05.1f]", 8, 2, 3.14159, 42, 2.25);
    cases.push_back({s, L"[    3.14] [42   ] [002.2]"});
    s.Format(L"%g %e", 1e-5, 12345.678);
    cases.push_back({s, L"1e-05 1.234568e+04"});
    s.Format(L"%s", static_cast<const wchar_t*>(nullptr));
    cases.push_back({s, L"(null)"});
    for (const auto& [got, want] : cases) EXPECT_STREQ(static_cast<LPCWSTR>(got), want);
}
