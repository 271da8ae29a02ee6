#include "AcRx.h"

#include <map>

#include "HostTranscript.h"
#include "WinModule.h"

bool AcRxClass::isDerivedFrom(const AcRxClass* other) const {
    for (const AcRxClass* c = this; c; c = c->m_parent)
        if (c == other) return true;
    return false;
}

AcRxClass* AcRxObject::desc() {
    static AcRxClass c(L"AcRxObject", nullptr);
    return &c;
}

AcRxClass* AcRxDictionary::desc() {
    static AcRxClass c(L"AcRxDictionary", AcRxObject::desc());
    return &c;
}

AcRxObject* AcRxDictionary::at(const ACHAR* key) const {
    auto it = m_entries.find(key ? key : L"");
    return it == m_entries.end() ? nullptr : it->second;
}

AcRxObject* AcRxDictionary::atPut(const ACHAR* key, AcRxObject* value) {
    AcRxObject*& slot = m_entries[key ? key : L""];
    AcRxObject* old = slot;
    slot = value;
    return old;
}

AcRxObject* AcRxDictionary::remove(const ACHAR* key) {
    auto it = m_entries.find(key ? key : L"");
    if (it == m_entries.end()) return nullptr;
    AcRxObject* old = it->second;
    m_entries.erase(it);
    return old;
}

AcRxClass* AcRxDynamicLinker::desc() {
    static AcRxClass c(L"AcRxDynamicLinker", AcRxObject::desc());
    return &c;
}

namespace {
// The file name of the module an application pointer stands for.
std::wstring AppName(void* appId) {
    wchar_t buf[1024];
    GetModuleFileNameW(static_cast<HMODULE>(appId), buf, 1024);
    std::wstring p = buf;
    size_t s = p.find_last_of(L'\\');
    return s == std::wstring::npos ? p : p.substr(s + 1);
}

std::map<void*, vplat::ArxAppState>& AppStates() {
    static std::map<void*, vplat::ArxAppState> s;
    return s;
}
int g_hierarchyBuilds = 0;
}  // namespace

bool AcRxDynamicLinker::unlockApplication(void* appId) const {
    AppStates()[appId].unlocked = true;
    vplat::Transcript::Get().Event("linker", L"unlockApplication " + AppName(appId));
    return true;
}

bool AcRxDynamicLinker::lockApplication(void* appId) const {
    AppStates()[appId].unlocked = false;
    return true;
}

bool AcRxDynamicLinker::registerAppMDIAware(void* appId) const {
    AppStates()[appId].mdiAware = true;
    vplat::Transcript::Get().Event("linker", L"registerAppMDIAware " + AppName(appId));
    return true;
}

bool AcRxDynamicLinker::registerAppNotMDIAware(void* appId) const {
    AppStates()[appId].mdiAware = false;
    return true;
}

void acrxBuildClassHierarchy() {
    ++g_hierarchyBuilds;
    vplat::Transcript::Get().Event("linker", L"acrxBuildClassHierarchy");
}

namespace vplat {
ArxAppState ArxAppStateOf(void* appId) {
    auto it = AppStates().find(appId);
    return it == AppStates().end() ? ArxAppState{} : it->second;
}
int ClassHierarchyBuilds() { return g_hierarchyBuilds; }
}  // namespace vplat
