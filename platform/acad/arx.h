// The host's run-time stand-in, as far as the modules call it.
#pragma once

#include "AcApps.h"
#include "AcEdCommandStack.h"
#include "AcEditor.h"
#include "AcRx.h"
#include "AcSysVars.h"
#include "AcadErrors.h"
#include "AdsDef.h"
