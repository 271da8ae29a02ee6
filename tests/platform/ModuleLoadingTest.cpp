#include <gtest/gtest.h>

#include "PlatformFixture.h"

class ModuleLoading : public PlatformFixture {};

TEST_F(ModuleLoading, ReferencesAreCountedAndHandlesTakeNone) {
    EXPECT_EQ(GetModuleHandleW(L"hhctrl.ocx"), nullptr);
    HMODULE a = LoadLibraryW(L"hhctrl.ocx");  // a bare name: the host's folder
    ASSERT_NE(a, nullptr);
    HMODULE b = LoadLibraryW(vplat::ToWindowsPath(VORTANA_BIN "/hhctrl.ocx").c_str());
    EXPECT_EQ(a, b);
    EXPECT_EQ(GetModuleHandleW(L"HHCTRL.OCX"), a);  // names without regard to case
    EXPECT_NE(GetProcAddress(a, "HtmlHelpW"), nullptr);
    EXPECT_EQ(GetProcAddress(a, "NoSuchExport"), nullptr);
    EXPECT_TRUE(FreeLibrary(a));
    EXPECT_EQ(GetModuleHandleW(L"hhctrl.ocx"), a);
    EXPECT_TRUE(FreeLibrary(b));
    EXPECT_EQ(GetModuleHandleW(L"hhctrl.ocx"), nullptr);
    EXPECT_FALSE(FreeLibrary(a));
    EXPECT_EQ(LoadLibraryW(L"NoSuchLibrary.dll"), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
}

TEST_F(ModuleLoading, FileNamesAreWindowsPathsCutToTheBuffer) {
    HMODULE m = LoadLibraryW(L"hhctrl.ocx");
    ASSERT_NE(m, nullptr);
    std::wstring want = vplat::ToWindowsPath(VORTANA_BIN "/hhctrl.ocx");
    wchar_t buf[1024];
    EXPECT_EQ(GetModuleFileNameW(m, buf, 1024), want.size());
    EXPECT_EQ(std::wstring(buf), want);
    wchar_t small[5];
    EXPECT_EQ(GetModuleFileNameW(m, small, 5), 5u);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
    EXPECT_EQ(std::wstring(small), want.substr(0, 4));
    // No such module: the host program's path.
    EXPECT_EQ(GetModuleFileNameW(nullptr, buf, 1024), vplat::ToWindowsPath(VORTANA_BIN "/vortana-cad").size());
    FreeLibrary(m);
}

TEST_F(ModuleLoading, LibraryEntrySeesAttachAndDetach) {
    // The probe modules carry the skeleton's library entry, which puts the
    // module on the resource chain at attach and takes it off at detach.
    HMODULE m = LoadLibraryW(vplat::ToWindowsPath(VORTANA_BIN "/Sheetor.arx").c_str());
    ASSERT_NE(m, nullptr);
    auto chain = vplat::ExtensionModules::Chain();
    EXPECT_NE(std::find(chain.begin(), chain.end(), m), chain.end());
    FreeLibrary(m);
    chain = vplat::ExtensionModules::Chain();
    EXPECT_EQ(std::find(chain.begin(), chain.end(), m), chain.end());
}
