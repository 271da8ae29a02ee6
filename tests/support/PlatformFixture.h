// Test fixture that gives every test a clean platform: transcript, script,
// message boxes, help calls, system variables, commands; the host program is
// taken to sit in the build's installation folder.
#pragma once

#include <gtest/gtest.h>

#include <afx.h>
#include <arx.h>
#include <windows.h>

#include "HostScript.h"
#include "HostText.h"
#include "HostTranscript.h"

class PlatformFixture : public ::testing::Test {
protected:
    void SetUp() override {
        vplat::Modules::SetHostPath(VORTANA_BIN "/vortana-cad");
        vplat::Modules::SetSearchFolder(VORTANA_BIN);
        vplat::Transcript::Get().Clear();
        vplat::Script::Get().Clear();
        vplat::MessageBoxes::Clear();
        vplat::HelpCalls::Clear();
        vplat::DebugOutput::Clear();
        vplat::SysVars::Reset();
        vplat::Commands::Clear();
    }

    static std::wstring CommandLine() { return vplat::Transcript::Get().CommandLineText(); }
    static std::vector<std::wstring> BoxTexts() {
        std::vector<std::wstring> out;
        for (const auto& b : vplat::MessageBoxes::All()) out.push_back(b.text);
        return out;
    }
    static void SetUsers1(const wchar_t* text) {
        std::wstring error;
        ASSERT_TRUE(vplat::SysVars::SetFromText(L"USERS1", text, &error));
    }
};
