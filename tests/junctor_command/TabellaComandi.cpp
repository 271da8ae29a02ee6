// The test program links the command code as the module does, so it carries
// the command table the module entry expects: a group and no commands.
#include "ArxEntry.h"

ArxCmdEntry g_ArxCmdTable[] = {
    {L"JUNCTOR_TEST", nullptr}, {nullptr, nullptr}, {nullptr, nullptr},
    {nullptr, nullptr},         {nullptr, nullptr}, {L".", nullptr},
};
