#include "ChmHelp.h"

#include <cwchar>

namespace {

typedef HWND (*HtmlHelpProc)(HWND caller, LPCWSTR file, UINT command, DWORD_PTR data);

// Appends as much of src as fits, keeping the terminator.
void AppendCut(wchar_t* dst, size_t capacity, const wchar_t* src) {
    size_t have = std::wcslen(dst);
    size_t n = src ? std::wcslen(src) : 0;
    if (have + n >= capacity) n = capacity - 1 - have;
    std::wmemcpy(dst + have, src, n);
    dst[have + n] = 0;
}

// The help control is bound at run time, as the help SDK does it; it stays loaded.
HtmlHelpProc HelpEntry() {
    static HtmlHelpProc entry = [] {
        HMODULE control = LoadLibraryW(L"hhctrl.ocx");
        return control ? reinterpret_cast<HtmlHelpProc>(GetProcAddress(control, "HtmlHelpW")) : nullptr;
    }();
    return entry;
}

}  // namespace

CChmHelp::CChmHelp(LPCWSTR folder, LPCWSTR topic) : m_szHelpFile{}, m_szTopic{} {
    AppendCut(m_szHelpFile, kLength, L"Help\\QvHelp.chm");
    AppendCut(m_szTopic, kLength, L"::/");
    AppendCut(m_szTopic, kLength, topic);
    wchar_t path[kLength] = {};
    AppendCut(path, kLength, folder);
    AppendCut(path, kLength, m_szHelpFile);
    AppendCut(path, kLength, m_szTopic);
    // A missing help control or file is the viewer's concern: nothing is reported.
    if (HtmlHelpProc entry = HelpEntry()) entry(GetDesktopWindow(), path, HH_DISPLAY_TOPIC, 0);
}
