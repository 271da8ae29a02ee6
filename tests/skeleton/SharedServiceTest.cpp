#include <gtest/gtest.h>

#include <cstdlib>

#include "PlatformFixture.h"

namespace {

typedef const wchar_t* (*ProbeTranslateProc)(const wchar_t*);

int ServiceReferences() {
    for (const auto& m : vplat::Modules::Loaded())
        if (m.path.find(L"QvTranslatorDll.dll") != std::wstring::npos) return m.references;
    return 0;
}

}  // namespace

// Two modules bind one service library; whichever unloads first, the other
// keeps translating through it, and the last one out releases it.
class SharedService : public PlatformFixture, public ::testing::WithParamInterface<bool> {
protected:
    void SetUp() override {
        PlatformFixture::SetUp();
        setenv("VORTANA_TRANSLATOR_MARK", "1", 1);
    }
    void TearDown() override {
        vplat::ArxApps::UnloadAll();
        unsetenv("VORTANA_TRANSLATOR_MARK");
    }
    static HMODULE Load(const char* file) {
        std::wstring error;
        HMODULE m = vplat::ArxApps::Load(vplat::Utf8ToWide(std::string(VORTANA_PROBES "/") + file), &error);
        EXPECT_NE(m, nullptr) << vplat::WideToUtf8(error);
        return m;
    }
    static std::wstring Translate(HMODULE m, const wchar_t* text) {
        auto probe = reinterpret_cast<ProbeTranslateProc>(GetProcAddress(m, "ProbeTranslate"));
        return probe ? probe(text) : L"(no probe)";
    }
};

TEST_P(SharedService, EachModuleHoldsItsOwnReference) {
    HMODULE a = Load("ProbeA.arx");
    HMODULE b = Load("ProbeB.arx");
    ASSERT_TRUE(a && b);
    EXPECT_EQ(ServiceReferences(), 2);
    bool firstOut = GetParam();
    HMODULE leaving = firstOut ? a : b;
    HMODULE staying = firstOut ? b : a;
    vplat::ArxApps::Unload(leaving);
    EXPECT_EQ(ServiceReferences(), 1);
    EXPECT_EQ(Translate(staying, L"Testo"), L"\u00abTesto\u00bb");
    vplat::ArxApps::Unload(staying);
    EXPECT_EQ(ServiceReferences(), 0);
}

INSTANTIATE_TEST_SUITE_P(UnloadOrder, SharedService, ::testing::Values(true, false),
                         [](const auto& info) { return info.param ? "LoaderFirst" : "FinderFirst"; });
