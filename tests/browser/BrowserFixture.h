// A browser control in a window of its own, and a scratch copy of the
// shipped style file with its stylesheets.
#pragma once

#include <gtest/gtest.h>

#include <unistd.h>

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "FileBytes.h"
#include "HostScript.h"
#include "HostTranscript.h"
#include "OleAuto.h"
#include "WebBrowser.h"
#include "WinControlSite.h"

namespace browser_test {

using test_files::ReadFile;
using test_files::WriteFile;

class BrowserFixture : public ::testing::Test {
protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        m_folder = std::filesystem::temp_directory_path() /
                   ("vortana-browser-" + std::to_string(::getpid()) + "-" + std::string(info->test_suite_name()) +
                    "-" + info->name());
        std::filesystem::remove_all(m_folder);
        std::filesystem::create_directories(m_folder);
        vplat::Transcript::Get().Clear();
        vplat::Script::Get().Clear();
        vplat::WebBrowserHooks::RefuseCommandTarget(false);
        m_frame = CreateWindowExW(0, L"Static", L"", WS_POPUP | WS_VISIBLE, 0, 0, 760, 640, nullptr, nullptr,
                                  nullptr, nullptr);
        m_browser = CreateWindowExW(0, VPLAT_WEBBROWSER_CLASS, L"", WS_CHILD | WS_VISIBLE, 0, 0, 736, 629, m_frame,
                                    reinterpret_cast<HMENU>(7020), nullptr, nullptr);
        ASSERT_NE(m_browser, nullptr);
        auto* unknown = static_cast<IUnknown*>(vplat::ControlSite::UnknownOf(m_browser));
        ASSERT_NE(unknown, nullptr);
        ASSERT_EQ(unknown->QueryInterface(IID_IWebBrowser2, reinterpret_cast<void**>(&m_web)), S_OK);
    }
    void TearDown() override {
        if (m_web) m_web->Release();
        DestroyWindow(m_frame);
        std::error_code ec;
        std::filesystem::remove_all(m_folder, ec);
    }

    // The shipped style file and both stylesheets, copied into the folder.
    std::filesystem::path CopyShipped() {
        std::filesystem::path from = std::filesystem::path(VORTANA_SOURCE) / "samples" / "Junctor";
        std::filesystem::copy(from / "Junctor.xml", m_folder / "Junctor.xml");
        std::filesystem::create_directories(m_folder / "StylesView");
        for (const char* f : {"Junctor.xsl", "JunctorPrintVersion.xsl"})
            std::filesystem::copy(from / "StylesView" / f, m_folder / "StylesView" / f);
        return m_folder / "Junctor.xml";
    }

    HRESULT Navigate(const std::wstring& url) {
        BSTR b = SysAllocString(url.c_str());
        HRESULT hr = m_web->Navigate(b, nullptr, nullptr, nullptr, nullptr);
        SysFreeString(b);
        return hr;
    }

    // The document's command target runs the find command.
    HRESULT Find() {
        IDispatch* doc = nullptr;
        if (m_web->get_Document(&doc) != S_OK || !doc) return E_FAIL;
        IOleCommandTarget* target = nullptr;
        HRESULT hr = doc->QueryInterface(IID_IOleCommandTarget, reinterpret_cast<void**>(&target));
        doc->Release();
        if (FAILED(hr)) return hr;
        hr = target->Exec(&CGID_IWebBrowser, HTMLID_FIND, 0, nullptr, nullptr);
        target->Release();
        return hr;
    }

    static std::wstring LastEvent(const std::string& kind) {
        auto events = vplat::Transcript::Get().Events(kind);
        return events.empty() ? std::wstring() : events.back();
    }

    std::filesystem::path m_folder;
    HWND m_frame = nullptr;
    HWND m_browser = nullptr;
    IWebBrowser2* m_web = nullptr;
};

}  // namespace browser_test
