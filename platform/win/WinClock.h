// The virtual clock behind timeGetTime, GetTickCount and (later) window timers.
// It moves only when told to, so runs are repeatable.
#pragma once

#include "WinTypes.h"

namespace vplat {

class Clock {
public:
    static Clock& Get();
    DWORD Now() const { return m_now; }
    void Set(DWORD ms) { m_now = ms; }
    void Advance(DWORD ms) { m_now += ms; }

private:
    Clock();
    DWORD m_now;
};

}  // namespace vplat

extern "C" DWORD timeGetTime();
extern "C" DWORD GetTickCount();
