// Helpers of the style-file tests: a scratch folder, files read and written
// whole, and a holder that releases a COM interface.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include <unistd.h>

#include <msxml6.h>

#include "FileBytes.h"

namespace stylefile_test {

// A fresh folder per test, removed afterwards.
class ScratchFolder {
public:
    ScratchFolder() {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        m_path = std::filesystem::temp_directory_path() /
                 ("vortana-stylefile-" + std::to_string(::getpid()) + "-" +
                  std::string(info->test_suite_name()) + "-" + info->name());
        std::filesystem::remove_all(m_path);
        std::filesystem::create_directories(m_path);
    }
    ~ScratchFolder() {
        std::error_code ec;
        std::filesystem::remove_all(m_path, ec);
    }
    std::filesystem::path Path(const std::string& name) const { return m_path / name; }
    std::wstring WidePath(const std::string& name) const { return Path(name).wstring(); }
    const std::filesystem::path& Folder() const { return m_path; }

private:
    std::filesystem::path m_path;
};

using test_files::ReadFile;
using test_files::WriteFile;

template <class T>
class ComPtr {
public:
    ComPtr() = default;
    ~ComPtr() { Reset(); }
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    ComPtr(ComPtr&& other) noexcept : m_p(other.m_p) { other.m_p = nullptr; }
    T** operator&() {
        Reset();
        return &m_p;
    }
    T* operator->() const { return m_p; }
    T* get() const { return m_p; }
    explicit operator bool() const { return m_p != nullptr; }
    void Reset() {
        if (m_p) m_p->Release();
        m_p = nullptr;
    }

private:
    T* m_p = nullptr;
};

class Bstr {
public:
    explicit Bstr(const wchar_t* s) : m_b(SysAllocString(s)) {}
    Bstr() = default;
    ~Bstr() { SysFreeString(m_b); }
    Bstr(const Bstr&) = delete;
    Bstr& operator=(const Bstr&) = delete;
    operator BSTR() const { return m_b; }
    BSTR* operator&() {
        SysFreeString(m_b);
        m_b = nullptr;
        return &m_b;
    }
    std::wstring str() const { return m_b ? std::wstring(m_b) : std::wstring(); }

private:
    BSTR m_b = nullptr;
};

// A VARIANT holding a copy of the text.
class VarString {
public:
    explicit VarString(const std::wstring& s) {
        VariantInit(&m_v);
        m_v.vt = VT_BSTR;
        m_v.bstrVal = SysAllocString(s.c_str());
    }
    ~VarString() { VariantClear(&m_v); }
    VarString(const VarString&) = delete;
    VarString& operator=(const VarString&) = delete;
    operator VARIANT() const { return m_v; }

private:
    VARIANT m_v;
};

}  // namespace stylefile_test

#include <CJunctorSettings.h>

namespace stylefile_test {

// The settings with their style list and parameter sets, as the new
// intersection command wires them.
struct Modello {
    Modello() {
        settings.SetStili(&stili);
        settings.SetParametri(&pars);
        settings.SetParCorsie(&corsie);
    }
    Modello(const Modello&) = delete;
    Modello& operator=(const Modello&) = delete;
    CConstrStylesMgr stili;
    CConstrPars pars;
    CLanePars corsie;
    CJunctorSettings settings;
};

inline std::string Narrow(const std::wstring& w) { return std::string(w.begin(), w.end()); }

}  // namespace stylefile_test
