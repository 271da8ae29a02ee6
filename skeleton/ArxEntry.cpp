#include "ArxEntry.h"

namespace {

// Module-wide state, one set per module.
CArxAppContext* g_context = nullptr;
int g_unloaded = 0;
AFX_EXTENSION_MODULE g_extensionModule;
HINSTANCE g_instance = nullptr;

AcEdCommandStack* CommandStack() {
    AcRxObject* o = acrxSysRegistry()->at(ACRX_COMMAND_DOCK);
    return o && o->isA()->isDerivedFrom(AcEdCommandStack::desc()) ? static_cast<AcEdCommandStack*>(o) : nullptr;
}

AcRxDynamicLinker* DynamicLinker() {
    AcRxObject* o = acrxSysRegistry()->at(ACRX_DYNAMIC_LINKER);
    return o && o->isA()->isDerivedFrom(AcRxDynamicLinker::desc()) ? static_cast<AcRxDynamicLinker*>(o) : nullptr;
}

ArxCmdEntry* EndMarker() {
    ArxCmdEntry* e = &g_ArxCmdTable[kArxFirstCommand];
    while (!(e->pszName && e->pszName[0] == L'.')) ++e;
    return e;
}

void RunContextCallback(int index, CArxAppContext* context) {
    if (ArxCmdFunc f = g_ArxCmdTable[index].pfnFunc) reinterpret_cast<ArxContextFunc>(f)(context);
}

void Unload() {
    if (g_unloaded) return;
    UnregisterCommands(g_context);
    delete g_context;
    g_context = nullptr;
    g_unloaded = 1;
}

}  // namespace

CArxAppContext* GetArxAppContext() { return g_context; }
HINSTANCE GetModuleInstance() { return g_instance; }

void RegisterCommands(CArxAppContext*) {
    for (ArxCmdEntry* e = &g_ArxCmdTable[kArxFirstCommand]; !(e->pszName && e->pszName[0] == L'.'); ++e) {
        // Without a command stack (the host always has one) nothing is registered.
        if (AcEdCommandStack* stack = CommandStack())
            stack->addCommand(g_ArxCmdTable[kArxGroupEntry].pszName, e->pszName, e->pszName, ACRX_CMD_MODAL,
                              e->pfnFunc, nullptr, -1, nullptr, nullptr);
    }
    if (ArxCmdFunc init = g_ArxCmdTable[kArxInitEntry].pfnFunc) init();
}

void UnregisterCommands(CArxAppContext* context) {
    RunContextCallback(kArxUnloadEntry, context);
    if (AcEdCommandStack* stack = CommandStack()) stack->removeGroup(g_ArxCmdTable[kArxGroupEntry].pszName);
}

extern "C" AcRx::AppRetCode acrxEntryPoint(AcRx::AppMsgCode msg, void* appId) {
    switch (msg) {
    case AcRx::kInitAppMsg: {
        if (AcRxDynamicLinker* linker = DynamicLinker()) {
            linker->unlockApplication(appId);
            linker->registerAppMDIAware(appId);
        }
        g_unloaded = 0;
        g_context = new CArxAppContext();
        RegisterCommands(g_context);
        if (g_context->m_bLoadFailed) {
            // The host will not keep the module: take its commands back and
            // drop the context now, so nothing is left pointing into it.
            if (AcEdCommandStack* stack = CommandStack())
                stack->removeGroup(g_ArxCmdTable[kArxGroupEntry].pszName);
            delete g_context;
            g_context = nullptr;
            g_unloaded = 1;
            return AcRx::kRetError;
        }
        return AcRx::kRetOK;
    }
    case AcRx::kUnloadAppMsg:
    case AcRx::kQuitMsg:
        Unload();
        return AcRx::kRetOK;
    case AcRx::kLoadDwgMsg:
        RunContextCallback(kArxLoadDwgEntry, g_context);
        return AcRx::kRetOK;
    case AcRx::kUnloadDwgMsg:
        RunContextCallback(kArxUnloadDwgEntry, g_context);
        return AcRx::kRetOK;
    case AcRx::kSaveMsg:
        if (ArxCmdFunc save = EndMarker()->pfnFunc) save();
        return AcRx::kRetOK;
    default:
        return AcRx::kRetOK;
    }
}

extern "C" BOOL DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        if (g_extensionModule.bInitialized) return TRUE;
        if (AfxInitExtensionModule(g_extensionModule, instance)) {
            g_instance = instance;
            new CDynLinkLibrary(g_extensionModule);
        }
    } else if (reason == DLL_PROCESS_DETACH) {
        if (g_extensionModule.bInitialized) AfxTermExtensionModule(g_extensionModule);
    }
    return TRUE;
}

// The version export every host module carries.
extern "C" int acrxGetApiVersion() { return 23; }
