// The engine is tested outside a module: an empty command table for the
// shared module entry it links with.
#include "ArxEntry.h"

ArxCmdEntry g_ArxCmdTable[] = {
    {L"JUNCTOR_LEG_TESTS", nullptr}, {nullptr, nullptr}, {nullptr, nullptr}, {nullptr, nullptr},
    {nullptr, nullptr},                   {L".", nullptr},
};
