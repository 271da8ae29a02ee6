// The template library's helpers, as far as the modules call them.
#pragma once

#include "CComPtr.h"
