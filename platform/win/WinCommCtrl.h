// Common-control codes: the default colour and the notification codes that
// list-like controls send to their owner.
#pragma once

#include "WinTypes.h"

#define CLR_DEFAULT 0xFF000000u

#define NM_FIRST 0u
#define NM_CLICK (NM_FIRST - 2u)
#define NM_DBLCLK (NM_FIRST - 3u)
#define NM_RCLICK (NM_FIRST - 5u)

#define LVN_FIRST (0u - 100u)
#define LVN_ITEMCHANGING (LVN_FIRST - 0u)
#define LVN_ITEMCHANGED (LVN_FIRST - 1u)
#define LVN_BEGINDRAG (LVN_FIRST - 9u)
#define LVN_ODCACHEHINT (LVN_FIRST - 13u)
#define LVN_BEGINLABELEDITW (LVN_FIRST - 75u)
#define LVN_ENDLABELEDITW (LVN_FIRST - 76u)
#define LVN_GETDISPINFOW (LVN_FIRST - 77u)
