// Junctor's command table and its module callbacks.
#include <ArxEntry.h>
#include <TranslatorBinding.h>

#include "JunctorCommands.h"

namespace {

void OnInitApp() {
    if (!LoadTranslatorDll(L"Junctor.arx")) GetArxAppContext()->m_bLoadFailed = 1;
    FilterDictionary(L"ZnAcadLibs");
}

void OnUnloadApp(CArxAppContext*) { acedRegCmds->removeGroup(L"ASDK_CMD"); }

void OnLoadDwg(CArxAppContext*) {}

}  // namespace

ArxCmdEntry g_ArxCmdTable[] = {
    {L"ASDK_CMD", nullptr},
    {nullptr, OnInitApp},
    {nullptr, ARX_CONTEXT_CALLBACK(OnUnloadApp)},
    {nullptr, ARX_CONTEXT_CALLBACK(OnLoadDwg)},
    {nullptr, nullptr},
    {L"JUNCTORPRV", JunctorPrv},
    {L".", nullptr},
};
