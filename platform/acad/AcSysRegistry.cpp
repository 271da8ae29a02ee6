// The system registry, holding the dynamic linker and the command stack.
#include "AcEdCommandStack.h"
#include "AcRx.h"

AcRxDictionary* acrxSysRegistry() {
    static AcRxDynamicLinker linker;
    static AcEdCommandStack commands;
    static AcRxDictionary registry;
    static const bool filled = [] {
        registry.atPut(ACRX_DYNAMIC_LINKER, &linker);
        registry.atPut(ACRX_COMMAND_DOCK, &commands);
        return true;
    }();
    (void)filled;
    return &registry;
}
