// Extension-module support, the current resource handle and message boxes.
#pragma once

#include <vector>

#include "CObject.h"
#include "WinTypes.h"

struct AFX_EXTENSION_MODULE {
    BOOL bInitialized = FALSE;
    HMODULE hModule = nullptr;
    HMODULE hResource = nullptr;
};

BOOL AfxInitExtensionModule(AFX_EXTENSION_MODULE& state, HMODULE module);
void AfxTermExtensionModule(AFX_EXTENSION_MODULE& state, BOOL all = FALSE);

// Puts an extension module on the chain searched for resources.
class CDynLinkLibrary : public CObject {
public:
    explicit CDynLinkLibrary(AFX_EXTENSION_MODULE& state, BOOL system = FALSE);
    ~CDynLinkLibrary() override;
    HMODULE m_hModule;
    HMODULE m_hResource;
    BOOL m_bSystem;
};

HINSTANCE AfxGetResourceHandle();
void AfxSetResourceHandle(HINSTANCE resource);
HINSTANCE AfxGetInstanceHandle();
LPCWSTR AfxGetAppName();

int AfxMessageBox(LPCWSTR text, UINT type = 0, UINT helpId = 0);

namespace vplat {

class ExtensionModules {
public:
    // Modules on the resource chain, in the order they joined it.
    static std::vector<HMODULE> Chain();
    // Makes the next AfxInitExtensionModule fail (tests of a failed start-up).
    static void FailNextInit();
};

}  // namespace vplat
