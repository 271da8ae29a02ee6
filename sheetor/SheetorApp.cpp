// Sheetor's command table and its module callbacks.
#include <ArxEntry.h>
#include <TranslatorBinding.h>

namespace {

void OnInitApp() {
    if (LoadTranslatorDll(L"Sheetor.arx"))
        acrxBuildClassHierarchy();
    else
        GetArxAppContext()->m_bLoadFailed = 1;
}

void OnUnloadApp(CArxAppContext*) {
    acedRegCmds->removeGroup(L"Sheetor");
    FreeTranslatorDll();
}

void OnLoadDwg(CArxAppContext*) {}

}  // namespace

ArxCmdEntry g_ArxCmdTable[] = {
    {nullptr, nullptr},
    {nullptr, OnInitApp},
    {nullptr, ARX_CONTEXT_CALLBACK(OnUnloadApp)},
    {nullptr, ARX_CONTEXT_CALLBACK(OnLoadDwg)},
    {nullptr, nullptr},
    {L".", nullptr},
};

namespace {
// The group carries the module's name, set when the module's data is initialised.
const bool kGroupNamed = (g_ArxCmdTable[kArxGroupEntry].pszName = L"Sheetor", true);
}  // namespace
