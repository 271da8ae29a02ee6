// The suite's translation service: translates texts in place from a
// dictionary, and reports each call to the host's transcript.
#include <dlfcn.h>

#include <afx.h>

#include <cstdlib>
#include <cwchar>
#include <filesystem>

#include "Dictionary.h"
#include "HostText.h"
#include "HostTranscript.h"

namespace {

constexpr size_t kTextLength = 1000;

Dictionary g_dictionary;

std::string LibraryFolder() {
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&LibraryFolder), &info) && info.dli_fname)
        return std::filesystem::path(info.dli_fname).parent_path().string();
    return ".";
}

// The dictionary named by VORTANA_TRANSLATOR_DICT, else QvTranslatorDll.dic
// beside the library, else none (texts stay as they are). VORTANA_TRANSLATOR_MARK=1
// marks every text that passes through the service.
void LoadDictionary() {
    g_dictionary.Clear();
    const char* env = std::getenv("VORTANA_TRANSLATOR_DICT");
    std::string path = env && *env ? env : LibraryFolder() + "/QvTranslatorDll.dic";
    g_dictionary.Load(path);
    const char* mark = std::getenv("VORTANA_TRANSLATOR_MARK");
    if (mark && std::string(mark) == "1") g_dictionary.SetMarking(true);
}

void Log(const std::wstring& text) { vplat::Transcript::Get().Event("translator", text); }

// A text through the dictionary, marked when marking is on.
std::wstring Translate(const std::wstring& text) {
    std::wstring out = text;
    if (const std::wstring* t = g_dictionary.Find(out)) out = *t;
    if (g_dictionary.Marking()) out = L"\u00ab" + out + L"\u00bb";
    return out;
}

}  // namespace

extern "C" {

BOOL TraduciMfc(HWND window, LPCWSTR appName, LPCWSTR extension) {
    Log(L"TraduciMfc " + std::wstring(appName ? appName : L"") + (extension ? extension : L""));
    if (!IsWindow(window)) return FALSE;
    // The caption and the labels of the controls; what edits and combo boxes
    // hold is data, not text of the dialog, and stays.
    auto translate = [](HWND hwnd) {
        int n = GetWindowTextLengthW(hwnd);
        if (n <= 0) return;
        std::wstring text(static_cast<size_t>(n) + 1, L'\0');
        GetWindowTextW(hwnd, text.data(), n + 1);
        text.resize(static_cast<size_t>(n));
        std::wstring out = Translate(text);
        if (out != text) SetWindowTextW(hwnd, out.c_str());
    };
    translate(window);
    for (HWND c = GetWindow(window, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        wchar_t cls[64];
        GetClassNameW(c, cls, 64);
        std::wstring k = cls;
        if (vplat::EqualNoCase(k, L"Edit") || vplat::EqualNoCase(k, L"ComboBox")) continue;
        translate(c);
    }
    return TRUE;
}

void TraduciMessaggioVoid(LPWSTR text, LPCWSTR, LPCWSTR) {
    if (!text) return;
    std::wstring out = Translate(text);
    if (out.size() >= kTextLength) out.resize(kTextLength - 1);
    std::wmemcpy(text, out.c_str(), out.size() + 1);
}

void FiltraDizPerLib(LPCWSTR libraryName) { Log(L"FiltraDizPerLib " + std::wstring(libraryName ? libraryName : L"")); }

void SetAppName(LPCWSTR appName, LPCWSTR extension) {
    LoadDictionary();
    Log(L"SetAppName " + std::wstring(appName ? appName : L"") + L" " + (extension ? extension : L""));
}

void FreeDllStrings(CString appName) { Log(L"FreeDllStrings " + appName.str()); }

void TraduciMenu(void*, int, LPCWSTR, LPCWSTR) {}

void TrTab(void*, int, CString) {}

CString GetCurInteropLanguage() { return CString(g_dictionary.Language()); }

}  // extern "C"
