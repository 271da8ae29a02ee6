#include "WinHelp.h"

#include "HostTranscript.h"

namespace {
std::vector<vplat::HelpCall>& Calls() {
    static std::vector<vplat::HelpCall> c;
    return c;
}
std::wstring& Debug() {
    static std::wstring d;
    return d;
}
}  // namespace

extern "C" void OutputDebugStringW(LPCWSTR text) {
    if (!text) return;
    Debug() += text;
    vplat::Transcript::Get().Event("debug", text);
}

namespace vplat {
void HelpCalls::Record(const HelpCall& call) {
    Calls().push_back(call);
    Transcript::Get().Event("help", call.file + L" (command " + std::to_wstring(call.command) + L")");
}

const std::vector<HelpCall>& HelpCalls::All() { return Calls(); }
void HelpCalls::Clear() { Calls().clear(); }
std::wstring DebugOutput::Text() { return Debug(); }
void DebugOutput::Clear() { Debug().clear(); }
}  // namespace vplat
