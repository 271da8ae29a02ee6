// System parameters: the non-client metrics with their fonts, the keyboard
// repeat settings, the wheel, and the version of the system.
#include "WinSystem.h"
#include "WinUser.h"

#include <cstddef>
#include <cstring>
#include <cwchar>

namespace {

LOGFONTW Font(const wchar_t* face, LONG height, LONG weight) {
    LOGFONTW lf{};
    lf.lfHeight = height;
    lf.lfWeight = weight;
    lf.lfCharSet = DEFAULT_CHARSET;
    std::wcsncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
    return lf;
}

bool NonClientMetrics(NONCLIENTMETRICSW* m) {
    // Callers built for systems before 6.0 pass the structure without its last member.
    constexpr UINT full = sizeof(NONCLIENTMETRICSW);
    constexpr UINT old = offsetof(NONCLIENTMETRICSW, iPaddedBorderWidth);
    if (!m || (m->cbSize != full && m->cbSize != old)) return false;
    UINT size = m->cbSize;
    NONCLIENTMETRICSW v{};
    v.cbSize = size;
    v.iBorderWidth = 1;
    v.iScrollWidth = v.iScrollHeight = GetSystemMetrics(SM_CXVSCROLL);
    v.iCaptionWidth = v.iCaptionHeight = GetSystemMetrics(SM_CYCAPTION);
    v.lfCaptionFont = Font(L"MS Shell Dlg", -12, FW_NORMAL);
    v.iSmCaptionWidth = v.iSmCaptionHeight = 17;
    v.lfSmCaptionFont = Font(L"MS Shell Dlg", -12, FW_NORMAL);
    v.iMenuWidth = v.iMenuHeight = 19;
    v.lfMenuFont = Font(L"MS Shell Dlg", -12, FW_NORMAL);
    v.lfStatusFont = Font(L"MS Shell Dlg", -12, FW_NORMAL);
    v.lfMessageFont = Font(L"Segoe UI", -12, FW_NORMAL);
    v.iPaddedBorderWidth = 0;
    std::memcpy(m, &v, size);
    return true;
}

struct Settings {
    DWORD major = 10;
    DWORD minor = 0;
    DWORD platform = VER_PLATFORM_WIN32_NT;
    UINT wheelLines = 3;
};

Settings& Reported() {
    static Settings settings;
    return settings;
}

template <typename T>
bool Put(PVOID p, T value) {
    if (!p) return false;
    std::memcpy(p, &value, sizeof value);
    return true;
}

}  // namespace

extern "C" {

BOOL SystemParametersInfoW(UINT action, UINT, PVOID pvParam, UINT) {
    switch (action) {
    case SPI_GETNONCLIENTMETRICS: return NonClientMetrics(static_cast<NONCLIENTMETRICSW*>(pvParam));
    // Keyboard delay 1 of 0..3 ((1 + 1) x 250 ms), speed 31 of 0..31.
    case SPI_GETKEYBOARDDELAY: return Put<int>(pvParam, 1);
    case SPI_GETKEYBOARDSPEED: return Put<DWORD>(pvParam, 31);
    case SPI_GETWHEELSCROLLLINES: return Put<UINT>(pvParam, Reported().wheelLines);
    default: return FALSE;
    }
}

BOOL GetVersionExW(LPOSVERSIONINFOW info) {
    if (!info) return FALSE;
    DWORD size = info->dwOSVersionInfoSize;
    if (size != sizeof(OSVERSIONINFOW) && size != sizeof(OSVERSIONINFOEXW)) return FALSE;
    std::memset(reinterpret_cast<char*>(info) + sizeof(DWORD), 0, size - sizeof(DWORD));
    info->dwMajorVersion = Reported().major;
    info->dwMinorVersion = Reported().minor;
    info->dwBuildNumber = 19045;
    info->dwPlatformId = Reported().platform;
    return TRUE;
}

}  // extern "C"

namespace vplat {

void SystemSettings::ForceVersion(DWORD major, DWORD minor, DWORD platform) {
    Reported().major = major;
    Reported().minor = minor;
    Reported().platform = platform;
}
void SystemSettings::SetWheelLines(UINT lines) { Reported().wheelLines = lines; }
void SystemSettings::Reset() { Reported() = Settings{}; }

}  // namespace vplat
