#include "AfxOle.h"

namespace {
thread_local bool t_initialized = false;
bool g_fail = false;
}  // namespace

BOOL AfxOleInit() {
    if (g_fail) return FALSE;
    t_initialized = true;
    return TRUE;
}

namespace vplat {

void Ole::FailInit(bool fail) {
    g_fail = fail;
    if (fail) t_initialized = false;
}

bool Ole::IsInitialized() { return t_initialized; }

}  // namespace vplat
