// The Win32 stand-in, as far as the modules call it.
#pragma once

#include "WinTypes.h"
#include "WinGeometry.h"
#include "WinUser.h"
#include "WinGdi.h"
#include "WinResource.h"
#include "WinClock.h"
#include "WinHelp.h"
#include "WinMessageBox.h"
#include "WinModule.h"
#include "WinFormat.h"
#include "WinLocale.h"
#include "WinIni.h"
#include "WinSystem.h"
#include "WinMenu.h"
#include "WinClipboard.h"
