// A small host module built on the skeleton, for tests of what two modules
// sharing one translation service do. It binds the service as Sheetor does
// (bound at initialisation, released at unload) and exports a probe.
#include <ArxEntry.h>
#include <TranslatorBinding.h>

namespace {

void OnInitApp() {
    if (!LoadTranslatorDll(PROBE_NAME L".arx")) GetArxAppContext()->m_bLoadFailed = 1;
}

void OnUnloadApp(CArxAppContext*) { FreeTranslatorDll(); }

void ProbeCommand() {}

}  // namespace

ArxCmdEntry g_ArxCmdTable[] = {
    {PROBE_NAME, nullptr},
    {nullptr, OnInitApp},
    {nullptr, ARX_CONTEXT_CALLBACK(OnUnloadApp)},
    {nullptr, nullptr},
    {nullptr, nullptr},
    {PROBE_NAME L"CMD", ProbeCommand},
    {L".", nullptr},
};

// Translates a text through this module's binding.
extern "C" const wchar_t* ProbeTranslate(const wchar_t* text) { return TranslateText(text); }
