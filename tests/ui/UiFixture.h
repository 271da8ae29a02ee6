// A clean window system for every test: no windows left, empty script,
// transcript and logs, the virtual clock at a known time.
#pragma once

#include <gtest/gtest.h>

#include <afxwin.h>

#include "HostScript.h"
#include "HostTranscript.h"
#include "WinInput.h"
#include "WinMessageLog.h"

class UiFixture : public ::testing::Test {
protected:
    void SetUp() override {
        vplat::Modules::SetHostPath(VORTANA_BIN "/vortana-cad");
        vplat::Transcript::Get().Clear();
        vplat::Script::Get().Clear();
        vplat::MessageBoxes::Clear();
        vplat::GdiLog::Clear();
        vplat::Clock::Get().Set(1000000);
        vplat::ModalLoop::SetShownHook(nullptr);
        vplat::ModalLoop::SetIdleHook(nullptr);
        SetFocus(nullptr);
        vplat::ResetClipboard();
    }
    void TearDown() override {
        vplat::MessageLog::Stop();
        for (HWND h : m_windows)
            if (IsWindow(h)) DestroyWindow(h);
    }
    HWND Keep(HWND h) {
        m_windows.push_back(h);
        return h;
    }
    static void Script(const std::wstring& text) { vplat::Script::Get().Load(text); }
    static std::vector<std::wstring> Mismatches() { return vplat::Script::Get().Mismatches(); }
    static std::wstring Text(HWND h) {
        wchar_t buf[512];
        GetWindowTextW(h, buf, 512);
        return buf;
    }

private:
    std::vector<HWND> m_windows;
};
