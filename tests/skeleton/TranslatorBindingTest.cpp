#include <gtest/gtest.h>

#include <TranslatorBinding.h>

#include <cstdlib>
#include <filesystem>

#include "PlatformFixture.h"

namespace fs = std::filesystem;

namespace {

// A folder that plays the host's folder, holding the given service library.
class ServiceFolder {
public:
    explicit ServiceFolder(const std::string& library) {
        m_dir = fs::temp_directory_path() / ("vortana-tr-" + std::to_string(::getpid()) + "-" +
                                             std::to_string(++s_count));
        fs::create_directories(m_dir);
        if (!library.empty()) fs::copy_file(library, m_dir / "QvTranslatorDll.dll");
        vplat::Modules::SetHostPath((m_dir / "vortana-cad").string());
    }
    ~ServiceFolder() {
        FreeTranslatorDll();
        vplat::Modules::SetHostPath(VORTANA_BIN "/vortana-cad");
        std::error_code ec;
        fs::remove_all(m_dir, ec);
    }
    std::wstring WindowsPath(const char* file) const { return vplat::ToWindowsPath((m_dir / file).string()); }

private:
    fs::path m_dir;
    static inline int s_count = 0;
};

bool ServiceLoaded() {
    for (const auto& m : vplat::Modules::Loaded())
        if (m.path.find(L"QvTranslatorDll.dll") != std::wstring::npos) return true;
    return false;
}

}  // namespace

class TranslatorBinding : public PlatformFixture {
protected:
    void TearDown() override {
        FreeTranslatorDll();
        unsetenv("VORTANA_TRANSLATOR_MARK");
        unsetenv("VORTANA_TRANSLATOR_DICT");
    }
};

TEST_F(TranslatorBinding, WithoutServiceTextsPassThroughUnchanged) {
    ServiceFolder empty("");
    EXPECT_FALSE(LoadTranslatorDll(L"Junctor.arx"));
    ASSERT_EQ(BoxTexts().size(), 1u);
    EXPECT_EQ(BoxTexts()[0], L"Error while loading " + empty.WindowsPath("QvTranslatorDll.dll"));
    EXPECT_EQ(vplat::MessageBoxes::All()[0].type, static_cast<UINT>(MB_OK));
    EXPECT_STREQ(TranslateText(L"Selezionare il tracciato: "), L"Selezionare il tracciato: ");
    EXPECT_FALSE(TranslateDialog(nullptr));
    FilterDictionary(L"ZnAcadLibs");  // unbound: does nothing
    EXPECT_FALSE(IsTranslatorBound());
}

// Each required export missing fails the binding with its slot number and
// leaves the library released; the optional language export may be missing.
TEST_F(TranslatorBinding, MissingExportNamesItsSlot) {
    const struct {
        const char* missing;
        int slot;  // 0: binding succeeds
    } cases[] = {{"TraduciMfc", 1}, {"TraduciMessaggioVoid", 2}, {"FiltraDizPerLib", 3}, {"SetAppName", 4},
                 {"FreeDllStrings", 5}, {"TraduciMenu", 6}, {"TrTab", 7}, {"GetCurInteropLanguage", 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.missing);
        vplat::MessageBoxes::Clear();
        {
            ServiceFolder folder(std::string(VORTANA_BIN "/translator-variants/no-") + c.missing +
                                 "/QvTranslatorDll.dll");
            bool bound = LoadTranslatorDll(L"Sheetor.arx");
            EXPECT_EQ(bound, c.slot == 0);
            if (c.slot) {
                ASSERT_EQ(BoxTexts().size(), 1u);
                EXPECT_EQ(BoxTexts()[0], L"Error while creating imported function " + std::to_wstring(c.slot) +
                                             L" from QvTranslatorDll.dll.");
                EXPECT_FALSE(ServiceLoaded());
                EXPECT_STREQ(TranslateText(L"Testo"), L"Testo");
            } else {
                EXPECT_TRUE(BoxTexts().empty());
                EXPECT_TRUE(ServiceLoaded());
            }
        }
        EXPECT_FALSE(ServiceLoaded());
    }
}

TEST_F(TranslatorBinding, BindsUnderTheModuleNameAndTranslatesThroughTheService) {
    setenv("VORTANA_TRANSLATOR_MARK", "1", 1);
    ServiceFolder folder(VORTANA_BIN "/QvTranslatorDll.dll");
    ASSERT_TRUE(LoadTranslatorDll(L"Sheetor.arx"));
    EXPECT_EQ(vplat::Transcript::Get().Events("translator"), std::vector<std::wstring>{L"SetAppName Sheetor .arx"});
    EXPECT_STREQ(TranslateText(L"\nTesto."), L"\u00ab\nTesto.\u00bb");
}

TEST_F(TranslatorBinding, DictionaryTranslatesKeysAsTheyStand) {
    std::string dict = (fs::temp_directory_path() / ("vortana-dict-" + std::to_string(::getpid()))).string();
    {
        FILE* f = std::fopen(dict.c_str(), "wb");
        std::fputs("@language en\n\\nSelezionare il tracciato: \t\\nSelect the alignment: \n", f);
        std::fclose(f);
    }
    setenv("VORTANA_TRANSLATOR_DICT", dict.c_str(), 1);
    ServiceFolder folder(VORTANA_BIN "/QvTranslatorDll.dll");
    ASSERT_TRUE(LoadTranslatorDll(L"Junctor.arx"));
    EXPECT_STREQ(TranslateText(L"\nSelezionare il tracciato: "), L"\nSelect the alignment: ");
    // Without the leading line feed it is another key.
    EXPECT_STREQ(TranslateText(L"Selezionare il tracciato: "), L"Selezionare il tracciato: ");
    std::remove(dict.c_str());
}

TEST_F(TranslatorBinding, ResultBufferIsSharedAndInputUntouched) {
    const wchar_t* first = TranslateText(L"uno");
    wchar_t input[] = L"due";
    const wchar_t* second = TranslateText(input);
    EXPECT_EQ(first, second);
    EXPECT_STREQ(first, L"due");
    EXPECT_STREQ(input, L"due");
}

TEST_F(TranslatorBinding, LongTextsAreCutToTheBuffer) {
    std::wstring longText(1500, L'x');
    EXPECT_EQ(std::wcslen(TranslateText(longText.c_str())), 999u);
    // Marking makes a text near the limit longer than the buffer: still cut.
    setenv("VORTANA_TRANSLATOR_MARK", "1", 1);
    ServiceFolder folder(VORTANA_BIN "/QvTranslatorDll.dll");
    ASSERT_TRUE(LoadTranslatorDll(L"Junctor.arx"));
    std::wstring nearLimit(998, L'y');
    const wchar_t* t = TranslateText(nearLimit.c_str());
    EXPECT_EQ(std::wcslen(t), 999u);
    EXPECT_EQ(t[0], L'\u00ab');
}

TEST_F(TranslatorBinding, ReleaseAfterAFailedBindingReleasesNothing) {
    ServiceFolder empty("");
    EXPECT_FALSE(LoadTranslatorDll(L"Junctor.arx"));
    // Another holder loads the service afterwards (here the test itself).
    HMODULE other = LoadLibraryW(vplat::ToWindowsPath(VORTANA_BIN "/QvTranslatorDll.dll").c_str());
    ASSERT_NE(other, nullptr);
    FreeTranslatorDll();
    FreeTranslatorDll();
    // The failed binding must not release the other holder's reference.
    EXPECT_TRUE(ServiceLoaded());
    EXPECT_TRUE(FreeLibrary(other));
    EXPECT_FALSE(ServiceLoaded());
}

TEST(StripFileName, KeepsThePartBeforeTheLastBackslash) {
    const struct {
        const wchar_t* in;
        const wchar_t* out;
    } cases[] = {{L"C:\\Suite\\Junctor.arx", L"C:\\Suite"}, {L"Junctor.arx", L""}, {L"\\x", L""}, {L"", L""}};
    for (const auto& c : cases) {
        CString s(c.in);
        StripFileName(s);
        EXPECT_STREQ(static_cast<LPCWSTR>(s), c.out) << c.in;
    }
}
