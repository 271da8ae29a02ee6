#include "WinClock.h"

#include <cwchar>
#include <string>

#include "HostScript.h"

namespace vplat {

namespace {
constexpr DWORD kStartTick = 1000000;

bool ParseTicks(const std::wstring& text, DWORD* out) {
    wchar_t* end = nullptr;
    unsigned long long v = std::wcstoull(text.c_str(), &end, 10);
    if (end == text.c_str() || *end != 0 || v > 0xFFFFFFFFull) return false;
    *out = static_cast<DWORD>(v);
    return true;
}
}  // namespace

Clock::Clock() : m_now(kStartTick) {
    // "clock set N" and "clock advance N" in the input script move the clock.
    Script::Get().RegisterDirective(L"clock", [this](const std::wstring& args, std::wstring* error) {
        size_t sp = args.find(L' ');
        std::wstring verb = args.substr(0, sp);
        DWORD ms = 0;
        if (sp == std::wstring::npos || !ParseTicks(args.substr(sp + 1), &ms)) {
            *error = L"clock needs \"set N\" or \"advance N\" with N in milliseconds";
            return false;
        }
        if (verb == L"set") {
            Set(ms);
        } else if (verb == L"advance") {
            Advance(ms);
        } else {
            *error = L"unknown clock verb \"" + verb + L"\"";
            return false;
        }
        return true;
    });
}

Clock& Clock::Get() {
    static Clock instance;
    return instance;
}

}  // namespace vplat

namespace {
// Registers the clock's script directive when the library loads.
const bool kClockReady = (vplat::Clock::Get(), true);
}  // namespace

extern "C" DWORD timeGetTime() { return vplat::Clock::Get().Now(); }
extern "C" DWORD GetTickCount() { return vplat::Clock::Get().Now(); }
