// Host modules as the host loads and drives them: library start-up, then the
// application messages to acrxEntryPoint; commands run by name.
#pragma once

#include <string>
#include <vector>

#include "AcRx.h"

// Full path of the module whose code is running (its message or command).
const ACHAR* acedGetAppName();

namespace vplat {

class ArxApps {
public:
    // Loads a module and sends it kInitAppMsg. A module that answers kRetError
    // is sent nothing more and released; null is returned with the reason.
    // A module without acrxEntryPoint is refused, unless it is one the
    // suite's managed host loads (it exports the host's factory entry): that
    // one gets only its library start-up, and its release at unload.
    static HMODULE Load(const std::wstring& path, std::wstring* error);
    // Sends one message to a loaded module and returns its answer.
    static AcRx::AppRetCode Send(HMODULE module, AcRx::AppMsgCode msg);
    // kUnloadAppMsg, then the library is released.
    static void Unload(HMODULE module);
    // Unloads every module, the last loaded first.
    static void UnloadAll();
    static std::vector<HMODULE> Loaded();
    // Runs a registered command (by global or local name), else a function the
    // modules export under that name. False with a reason when there is none.
    static bool Run(const std::wstring& name, std::wstring* error);

    // The module whose code runs now (null for the host).
    static HMODULE Current();
    class Scope {
    public:
        explicit Scope(HMODULE module);
        ~Scope();

    private:
        HMODULE m_previous;
    };
};

const wchar_t* AppMsgName(AcRx::AppMsgCode msg);

}  // namespace vplat
