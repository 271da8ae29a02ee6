#include "ComRuntime.h"

#include "MsXml.h"
#include "XmlDomImpl.h"

namespace {

struct ComState {
    int initCount = 0;
    int unpaired = 0;
    long liveObjects = 0;
    // The calls are counted always, named only once a test has asked for
    // them (Reset): a style file of thousands of styles makes millions.
    size_t calls = 0;
    bool logging = false;
    std::vector<std::string> log;
    size_t failAt = 0;  // number of the call to fail, 0 none
    HRESULT failWith = S_OK;
    int refusedLoads = 0;
};

ComState& State() {
    static ComState s;
    return s;
}

}  // namespace

extern "C" const IID IID_IUnknown = {0x00000000, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};

extern "C" HRESULT CoInitialize(LPVOID) {
    return State().initCount++ == 0 ? S_OK : S_FALSE;
}

extern "C" void CoUninitialize() {
    if (State().initCount > 0) --State().initCount;
    else ++State().unpaired;
}

extern "C" HRESULT CoCreateInstance(REFCLSID clsid, LPUNKNOWN outer, DWORD context, REFIID iid, LPVOID* object) {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (HRESULT hr = vplat::DomCalls::Enter("CoCreateInstance")) return hr;
    if (State().initCount == 0) return CO_E_NOTINITIALIZED;
    if (clsid != CLSID_DOMDocument60) return REGDB_E_CLASSNOTREG;
    if (outer) return CLASS_E_NOAGGREGATION;
    if (!(context & CLSCTX_INPROC_SERVER)) return REGDB_E_CLASSNOTREG;
    IXMLDOMDocument* doc = vplat::dom::NewDocument();
    if (!doc) return E_OUTOFMEMORY;
    HRESULT hr = doc->QueryInterface(iid, object);
    doc->Release();
    return hr;
}

namespace vplat {

int Com::InitCount() { return State().initCount; }
int Com::UnpairedUninitialize() { return State().unpaired; }
long Com::LiveObjects() { return State().liveObjects; }
void Com::Reset() {
    State().initCount = 0;
    State().unpaired = 0;
    DomCalls::Reset();
}
void Com::ObjectCreated() { ++State().liveObjects; }
void Com::ObjectDestroyed() { --State().liveObjects; }

void DomCalls::Reset() {
    State().calls = 0;
    State().logging = true;
    State().log.clear();
    State().failAt = 0;
    State().failWith = S_OK;
    State().refusedLoads = 0;
}

const std::vector<std::string>& DomCalls::Log() { return State().log; }

void DomCalls::FailCall(size_t n, HRESULT hr) {
    State().failAt = n ? State().calls + n : 0;
    State().failWith = hr;
}

int DomCalls::RefusedLoads() { return State().refusedLoads; }
void DomCalls::CountRefusedLoad() { ++State().refusedLoads; }

HRESULT DomCalls::Enter(const char* name) {
    ComState& s = State();
    ++s.calls;
    if (s.logging) s.log.emplace_back(name);
    if (s.failAt != 0 && s.calls == s.failAt) {
        s.failAt = 0;
        return s.failWith;
    }
    return S_OK;
}

}  // namespace vplat
