// System parameters and the version of the system, as far as the modules ask.
#pragma once

#include "WinGdi.h"

struct NONCLIENTMETRICSW {
    UINT cbSize;
    int iBorderWidth;
    int iScrollWidth;
    int iScrollHeight;
    int iCaptionWidth;
    int iCaptionHeight;
    LOGFONTW lfCaptionFont;
    int iSmCaptionWidth;
    int iSmCaptionHeight;
    LOGFONTW lfSmCaptionFont;
    int iMenuWidth;
    int iMenuHeight;
    LOGFONTW lfMenuFont;
    LOGFONTW lfStatusFont;
    LOGFONTW lfMessageFont;
    int iPaddedBorderWidth;  // absent from the structure of systems before 6.0
};
typedef NONCLIENTMETRICSW NONCLIENTMETRICS;

struct OSVERSIONINFOW {
    DWORD dwOSVersionInfoSize;
    DWORD dwMajorVersion;
    DWORD dwMinorVersion;
    DWORD dwBuildNumber;
    DWORD dwPlatformId;
    WCHAR szCSDVersion[128];
};
typedef OSVERSIONINFOW OSVERSIONINFO;
typedef OSVERSIONINFOW* LPOSVERSIONINFOW;

struct OSVERSIONINFOEXW {
    DWORD dwOSVersionInfoSize;
    DWORD dwMajorVersion;
    DWORD dwMinorVersion;
    DWORD dwBuildNumber;
    DWORD dwPlatformId;
    WCHAR szCSDVersion[128];
    WORD wServicePackMajor;
    WORD wServicePackMinor;
    WORD wSuiteMask;
    BYTE wProductType;
    BYTE wReserved;
};

#define SPI_GETKEYBOARDSPEED 0x000Au
#define SPI_GETKEYBOARDDELAY 0x0016u
#define SPI_GETNONCLIENTMETRICS 0x0029u
#define SPI_GETWHEELSCROLLLINES 0x0068u
#define WHEEL_PAGESCROLL 0xFFFFFFFFu
#define VER_PLATFORM_WIN32_NT 2u

extern "C" {
// Answers the actions above; any other action answers FALSE.
BOOL SystemParametersInfoW(UINT action, UINT uiParam, PVOID pvParam, UINT winIni);
// Windows 10.0, build 19045, NT platform; FALSE for a size that is neither structure's.
BOOL GetVersionExW(LPOSVERSIONINFOW info);
}

#define SystemParametersInfo SystemParametersInfoW
#define GetVersionEx GetVersionExW

namespace vplat {

// Settings a user or an older system would give, for tests: the version
// GetVersionExW reports and the wheel lines SPI_GETWHEELSCROLLLINES answers.
// Reset returns to 10.0 on the NT platform and 3 lines.
class SystemSettings {
public:
    static void ForceVersion(DWORD major, DWORD minor, DWORD platform);
    static void SetWheelLines(UINT lines);
    static void Reset();
};

}  // namespace vplat
