// The host's run-time stand-in, as far as the modules call it.
#pragma once

#include "AcApDocManager.h"
#include "AcApps.h"
#include "AcDbAds.h"
#include "AcDbDatabase.h"
#include "AcEdCommandStack.h"
#include "AcEdSelection.h"
#include "AcEditor.h"
#include "AcGe.h"
#include "AcRx.h"
#include "AcSysVars.h"
#include "AcadErrors.h"
#include "AdsDef.h"
