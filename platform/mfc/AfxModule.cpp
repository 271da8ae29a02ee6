#include "AfxModule.h"

#include <algorithm>

#include "WinMessageBox.h"
#include "WinModule.h"

namespace {

struct MfcState {
    std::vector<CDynLinkLibrary*> chain;
    HINSTANCE resource = nullptr;
    bool resourceSet = false;
    bool failNextInit = false;
};

MfcState& State() {
    static MfcState s;
    return s;
}

}  // namespace

BOOL AfxInitExtensionModule(AFX_EXTENSION_MODULE& state, HMODULE module) {
    if (State().failNextInit) {
        State().failNextInit = false;
        return FALSE;
    }
    if (state.bInitialized) return TRUE;
    state.bInitialized = TRUE;
    state.hModule = module;
    state.hResource = module;
    return TRUE;
}

void AfxTermExtensionModule(AFX_EXTENSION_MODULE& state, BOOL all) {
    (void)all;
    // The module's links on the resource chain go with it.
    auto& chain = State().chain;
    std::vector<CDynLinkLibrary*> mine;
    for (CDynLinkLibrary* d : chain)
        if (d->m_hModule == state.hModule) mine.push_back(d);
    for (CDynLinkLibrary* d : mine) delete d;
    state.bInitialized = FALSE;
}

CDynLinkLibrary::CDynLinkLibrary(AFX_EXTENSION_MODULE& state, BOOL system)
    : m_hModule(state.hModule), m_hResource(state.hResource), m_bSystem(system) {
    State().chain.push_back(this);
}

CDynLinkLibrary::~CDynLinkLibrary() {
    auto& chain = State().chain;
    chain.erase(std::remove(chain.begin(), chain.end(), this), chain.end());
}

HINSTANCE AfxGetInstanceHandle() { return GetModuleHandleW(nullptr); }

HINSTANCE AfxGetResourceHandle() {
    MfcState& s = State();
    return s.resourceSet ? s.resource : AfxGetInstanceHandle();
}

void AfxSetResourceHandle(HINSTANCE resource) {
    State().resource = resource;
    State().resourceSet = true;
}

LPCWSTR AfxGetAppName() { return L"vortana-cad"; }

int AfxMessageBox(LPCWSTR text, UINT type, UINT helpId) {
    (void)helpId;
    return MessageBoxW(nullptr, text, AfxGetAppName(), type);
}

namespace vplat {

std::vector<HMODULE> ExtensionModules::Chain() {
    std::vector<HMODULE> out;
    for (CDynLinkLibrary* d : State().chain) out.push_back(d->m_hModule);
    return out;
}

void ExtensionModules::FailNextInit() { State().failNextInit = true; }

}  // namespace vplat
