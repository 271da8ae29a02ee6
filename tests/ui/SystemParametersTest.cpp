// System parameters, the version probe and the system's font families.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <cwchar>
#include <string>
#include <vector>

#include <windows.h>

TEST(SystemParameters, NonClientMetricsInBothSizesAndNoOther) {
    const UINT full = sizeof(NONCLIENTMETRICSW);
    const UINT old = offsetof(NONCLIENTMETRICSW, iPaddedBorderWidth);
    for (UINT size : {full, old}) {
        SCOPED_TRACE(size);
        NONCLIENTMETRICSW m{};
        m.cbSize = size;
        m.iPaddedBorderWidth = 77;  // beyond the short structure: must stay untouched
        ASSERT_TRUE(SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, size, &m, 0));
        EXPECT_EQ(m.cbSize, size);
        EXPECT_EQ(std::wstring(m.lfMenuFont.lfFaceName), L"MS Shell Dlg");
        EXPECT_EQ(m.lfMenuFont.lfHeight, -12);
        EXPECT_EQ(m.lfMenuFont.lfWeight, FW_NORMAL);
        EXPECT_EQ(m.lfMenuFont.lfCharSet, DEFAULT_CHARSET);
        EXPECT_EQ(std::wstring(m.lfMessageFont.lfFaceName), L"Segoe UI");
        EXPECT_EQ(m.lfMessageFont.lfHeight, -12);
        EXPECT_EQ(m.lfMessageFont.lfWeight, FW_NORMAL);
        EXPECT_EQ(m.iPaddedBorderWidth, size == full ? 0 : 77);
    }
    NONCLIENTMETRICSW bad{};
    bad.cbSize = sizeof bad - 8;
    EXPECT_FALSE(SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, bad.cbSize, &bad, 0));
    EXPECT_FALSE(SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, 0, nullptr, 0));
}

TEST(SystemParameters, KeyboardWheelAndUnknownActions) {
    int delay = -1;
    DWORD speed = 0;
    UINT lines = 0;
    EXPECT_TRUE(SystemParametersInfoW(SPI_GETKEYBOARDDELAY, 0, &delay, 0));
    EXPECT_TRUE(SystemParametersInfoW(SPI_GETKEYBOARDSPEED, 0, &speed, 0));
    EXPECT_TRUE(SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0));
    EXPECT_EQ(delay, 1);
    EXPECT_EQ(speed, 31u);
    EXPECT_EQ(lines, 3u);
    int any = 5;
    EXPECT_FALSE(SystemParametersInfoW(0x0072, 0, &any, 0));
    EXPECT_EQ(any, 5);
}

TEST(SystemParameters, VersionIsTenOnTheNtPlatform) {
    OSVERSIONINFOW v{};
    v.dwOSVersionInfoSize = sizeof v;
    ASSERT_TRUE(GetVersionExW(&v));
    EXPECT_EQ(v.dwMajorVersion, 10u);
    EXPECT_EQ(v.dwMinorVersion, 0u);
    EXPECT_EQ(v.dwPlatformId, VER_PLATFORM_WIN32_NT);
    OSVERSIONINFOEXW ex{};
    ex.dwOSVersionInfoSize = sizeof ex;
    EXPECT_TRUE(GetVersionExW(reinterpret_cast<LPOSVERSIONINFOW>(&ex)));
    OSVERSIONINFOW wrong{};
    wrong.dwOSVersionInfoSize = 12;
    EXPECT_FALSE(GetVersionExW(&wrong));
}

namespace {
struct Seen {
    std::vector<std::wstring> faces;
    int stopAfter = 1000;
};
int Collect(const LOGFONTW* lf, const TEXTMETRICW*, DWORD, LPARAM p) {
    auto* s = reinterpret_cast<Seen*>(p);
    s->faces.push_back(lf->lfFaceName);
    return static_cast<int>(s->faces.size()) < s->stopAfter ? 1 : 0;
}
std::vector<std::wstring> Families(const wchar_t* face, BYTE charset, int stopAfter = 1000, int* answer = nullptr) {
    HDC dc = GetDC(nullptr);
    LOGFONTW lf{};
    lf.lfCharSet = charset;
    std::wcsncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
    Seen s;
    s.stopAfter = stopAfter;
    int a = EnumFontFamiliesExW(dc, &lf, Collect, reinterpret_cast<LPARAM>(&s), 0);
    if (answer) *answer = a;
    ReleaseDC(nullptr, dc);
    return s.faces;
}
}  // namespace

TEST(SystemFonts, FamiliesFoundByFaceWithoutCaseAndStoppedByTheProcedure) {
    std::vector<std::wstring> all = Families(L"", DEFAULT_CHARSET);
    for (const wchar_t* f : {L"MS Shell Dlg", L"MS Sans Serif", L"Tahoma"})
        EXPECT_NE(std::find(all.begin(), all.end(), f), all.end()) << f;
    EXPECT_EQ(Families(L"tAHOMA", DEFAULT_CHARSET), std::vector<std::wstring>{L"Tahoma"});
    int answer = -1;
    EXPECT_TRUE(Families(L"Wingdings", DEFAULT_CHARSET, 1000, &answer).empty());
    EXPECT_EQ(answer, 1);
    EXPECT_TRUE(Families(L"Tahoma", SYMBOL_CHARSET).empty());
    EXPECT_EQ(Families(L"", DEFAULT_CHARSET, 2, &answer).size(), 2u);
    EXPECT_EQ(answer, 0);
}

TEST(SystemFonts, CharsetOfTheScreenAndOfSelectedFonts) {
    HDC dc = GetDC(nullptr);
    EXPECT_EQ(GetTextCharset(dc), ANSI_CHARSET);
    HFONT f = CreateFontW(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Tahoma");
    HGDIOBJ old = SelectObject(dc, f);
    EXPECT_EQ(GetTextCharset(dc), ANSI_CHARSET);
    SelectObject(dc, old);
    DeleteObject(f);
    ReleaseDC(nullptr, dc);
}
