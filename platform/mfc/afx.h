// The framework stand-in, as far as the modules call it.
#pragma once

#include <windows.h>

#include "AfxModule.h"
#include "AfxOle.h"
#include "CArray.h"
#include "CException.h"
#include "CObject.h"
#include "CString.h"
#include "CStringArray.h"
