// The module entry shared by the host modules: the library entry, the host's
// entry point and the command table each module fills.
#pragma once

#include <afx.h>
#include <arx.h>

#include "ArxAppContext.h"

typedef void (*ArxCmdFunc)();
// Callbacks of entries 2 to 4 take the context.
typedef void (*ArxContextFunc)(CArxAppContext* context);

struct ArxCmdEntry {
    const wchar_t* pszName;
    ArxCmdFunc pfnFunc;
};

#define ARX_CONTEXT_CALLBACK(f) reinterpret_cast<ArxCmdFunc>(static_cast<ArxContextFunc>(f))

// Roles of the table's entries.
enum ArxCmdTableIndex {
    kArxGroupEntry = 0,
    kArxInitEntry = 1,
    kArxUnloadEntry = 2,
    kArxLoadDwgEntry = 3,
    kArxUnloadDwgEntry = 4,
    kArxFirstCommand = 5,
};

// Each module defines its table: group, four callbacks, commands, then an
// entry whose name begins with "." (its function is the save callback).
extern ArxCmdEntry g_ArxCmdTable[];

extern "C" BOOL DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved);
extern "C" AcRx::AppRetCode acrxEntryPoint(AcRx::AppMsgCode msg, void* appId);
extern "C" int acrxGetApiVersion();

void RegisterCommands(CArxAppContext* context);
void UnregisterCommands(CArxAppContext* context);

// The module's instance handle, made the current resource handle by commands.
HINSTANCE GetModuleInstance();
