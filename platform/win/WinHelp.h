// Debugger output and the calls that reach the help
// control (the module hhctrl.ocx, loaded at run time, records them here).
#pragma once

#include <string>
#include <vector>

#include "WinUser.h"

#define HH_DISPLAY_TOPIC 0x0000

extern "C" {
void OutputDebugStringW(LPCWSTR text);
}
#define OutputDebugString OutputDebugStringW

namespace vplat {

struct HelpCall {
    HWND caller;
    std::wstring file;
    UINT command;
    DWORD_PTR data;
};

class HelpCalls {
public:
    static void Record(const HelpCall& call);
    static const std::vector<HelpCall>& All();
    static void Clear();
};

class DebugOutput {
public:
    static std::wstring Text();
    static void Clear();
};

}  // namespace vplat
