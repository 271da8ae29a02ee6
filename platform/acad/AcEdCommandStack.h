// The registered-commands stack: command groups with their modal commands.
#pragma once

#include <string>
#include <vector>

#include "AcRx.h"
#include "AcadErrors.h"

typedef void (*AcRxFunctionPtr)();

#define ACRX_CMD_MODAL 0x00000000
#define ACRX_CMD_TRANSPARENT 0x00000001
#define ACRX_CMD_USEPICKSET 0x00000002
#define ACRX_CMD_REDRAW 0x00000004
#define ACRX_CMD_SESSION 0x00200000

class AcEdUIContext;
class AcEdCommand;

class AcEdCommandStack : public AcRxObject {
public:
    static AcRxClass* desc();
    AcRxClass* isA() const override { return desc(); }

    Acad::ErrorStatus addCommand(const ACHAR* groupName, const ACHAR* globalName, const ACHAR* localName,
                                 Adesk::Int32 flags, AcRxFunctionPtr function, AcEdUIContext* uiContext = nullptr,
                                 int functionCode = -1, HINSTANCE resourceHandle = nullptr,
                                 AcEdCommand** commandOut = nullptr);
    Acad::ErrorStatus removeCmd(const ACHAR* groupName, const ACHAR* globalName);
    Acad::ErrorStatus removeGroup(const ACHAR* groupName);
};

#define acedRegCmds static_cast<AcEdCommandStack*>(acrxSysRegistry()->at(ACRX_COMMAND_DOCK))
#define acrxDynamicLinker static_cast<AcRxDynamicLinker*>(acrxSysRegistry()->at(ACRX_DYNAMIC_LINKER))

namespace vplat {

struct RegisteredCommand {
    std::wstring group;
    std::wstring globalName;
    std::wstring localName;
    Adesk::Int32 flags;
    AcRxFunctionPtr function;
    int functionCode;
    HINSTANCE resourceHandle;
    HMODULE app;  // the module that registered it
};

// The host's view of the command stack.
class Commands {
public:
    static std::vector<std::wstring> Groups();
    static std::vector<RegisteredCommand> All();
    // The command of that global or local name (without regard to case), or null.
    static const RegisteredCommand* Find(const std::wstring& name);
    // How many removeGroup calls named each group (tests of unloading).
    static int RemoveGroupCalls(const std::wstring& group);
    static void Clear();
};

}  // namespace vplat
