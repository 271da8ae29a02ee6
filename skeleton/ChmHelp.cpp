#include "ChmHelp.h"

#include <cwchar>
#include <string>

namespace {

constexpr size_t kServerLength = 260;

typedef HWND (*HtmlHelpProc)(HWND caller, LPCWSTR file, UINT command, DWORD_PTR data);

// Appends as much of src as fits, keeping the terminator.
void AppendCut(wchar_t* dst, size_t capacity, const wchar_t* src) {
    size_t have = std::wcslen(dst);
    size_t n = src ? std::wcslen(src) : 0;
    if (have + n >= capacity) n = capacity - 1 - have;
    std::wmemcpy(dst + have, src, n);
    dst[have + n] = 0;
}

// The path of the help control's registered in-process server, else the
// control's bare file name.
std::wstring HelpControlPath() {
    HKEY key = nullptr;
    std::wstring path = L"hhctrl.ocx";
    if (RegOpenKeyExW(HKEY_CLASSES_ROOT, L"CLSID\\{ADB880A6-D8FF-11CF-9377-00AA003B7A11}\\InprocServer32", 0,
                      KEY_READ, &key) != ERROR_SUCCESS)
        return path;
    wchar_t server[kServerLength] = {};
    DWORD size = sizeof server - sizeof(wchar_t);
    DWORD type = REG_NONE;
    if (RegQueryValueExW(key, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(server), &size) == ERROR_SUCCESS &&
        type == REG_SZ && server[0])
        path = server;
    RegCloseKey(key);
    return path;
}

// The help control is bound at run time, as the help SDK does it; it stays loaded.
HtmlHelpProc HelpEntry() {
    static HtmlHelpProc entry = [] {
        HMODULE control = LoadLibraryW(HelpControlPath().c_str());
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
