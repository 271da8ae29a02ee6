// The COM library calls: initialisation counted per process and
// CoCreateInstance of the classes this platform serves (DOMDocument60).
#pragma once

#include <string>
#include <vector>

#include "ComTypes.h"

#define CLSCTX_INPROC_SERVER 0x1
#define CLSCTX_INPROC_HANDLER 0x2
#define CLSCTX_LOCAL_SERVER 0x4
#define CLSCTX_REMOTE_SERVER 0x10
#define CLSCTX_SERVER (CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER | CLSCTX_REMOTE_SERVER)
#define CLSCTX_ALL (CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER | CLSCTX_LOCAL_SERVER | CLSCTX_REMOTE_SERVER)

extern "C" {
// S_OK on the first call, S_FALSE when already initialised; each call needs its CoUninitialize.
HRESULT CoInitialize(LPVOID reserved);
void CoUninitialize();
HRESULT CoCreateInstance(REFCLSID clsid, LPUNKNOWN outer, DWORD context, REFIID iid, LPVOID* object);
}

namespace vplat {

class Com {
public:
    // CoInitialize calls not yet paired with CoUninitialize.
    static int InitCount();
    // CoUninitialize calls that found nothing to pair with.
    static int UnpairedUninitialize();
    // COM objects alive (documents, nodes, lists ...).
    static long LiveObjects();
    // Resets the counters (between tests).
    static void Reset();

    // Used by the objects themselves.
    static void ObjectCreated();
    static void ObjectDestroyed();
};

// A failure hook for tests: every call of a DOM method (and CoCreateInstance)
// is counted, and logged by name from the first Reset on; the chosen call
// fails with the chosen result.
class DomCalls {
public:
    // Clears the log and any pending failure, and logs the calls from here on.
    static void Reset();
    // Names of the calls made since the last Reset, in order ("IXMLDOMNode::get_text");
    // empty while no Reset asked for them.
    static const std::vector<std::string>& Log();
    // The n-th call after this one (1 = the next) returns hr and does nothing.
    static void FailCall(size_t n, HRESULT hr);
    // Requests for external resources (DTDs, entities, stylesheet imports) that
    // were refused while parsing.
    static int RefusedLoads();

    // Counts a call; a non-zero result is the failure to return.
    static HRESULT Enter(const char* name);
    static void CountRefusedLoad();
};

}  // namespace vplat
