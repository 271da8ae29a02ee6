// The dialogs are tested outside the module: an empty command table for the
// shared module entry, which gives the tests a module folder.
#include "ArxEntry.h"

ArxCmdEntry g_ArxCmdTable[] = {
    {L"PARAMTREE_TESTS", nullptr}, {nullptr, nullptr}, {nullptr, nullptr}, {nullptr, nullptr},
    {nullptr, nullptr},            {L".", nullptr},
};
