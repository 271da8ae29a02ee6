// A test fixture that runs its tests under a process locale whose decimal
// separator is a comma (compiled into a private folder when none is installed);
// the tests are skipped when no such locale can be had.
#pragma once

#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <filesystem>
#include <string>

#include <unistd.h>

// The process may run under a language whose decimal separator is a comma; the
// texts that go to files still use the point, and read back in the same way.
class CommaLocale : public ::testing::Test {
protected:
    void SetUp() override {
        if (!Use()) {
            // No such locale installed: compile one into a private folder.
            m_folder = std::filesystem::temp_directory_path() / ("vortana-locale-" + std::to_string(getpid()));
            std::filesystem::create_directories(m_folder);
            std::string cmd = "localedef -i it_IT -f UTF-8 '" + (m_folder / "it_IT.UTF-8").string() +
                              "' >/dev/null 2>&1";
            if (std::system(cmd.c_str()) != -1) {
                setenv("LOCPATH", m_folder.c_str(), 1);
                Use();
            }
        }
        wchar_t probe[16];
        std::swprintf(probe, 16, L"%.1f", 0.5);
        if (std::wstring(probe) != L"0,5") GTEST_SKIP() << "no locale with a decimal comma available";
    }
    void TearDown() override {
        std::setlocale(LC_NUMERIC, "C");
        unsetenv("LOCPATH");
        if (!m_folder.empty()) std::filesystem::remove_all(m_folder);
    }

private:
    static bool Use() {
        for (const char* name : {"it_IT.UTF-8", "it_IT.utf8", "de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8"})
            if (std::setlocale(LC_NUMERIC, name)) return true;
        return false;
    }
    std::filesystem::path m_folder;
};
