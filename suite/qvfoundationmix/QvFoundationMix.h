// The suite's foundation library.
#pragma once

#include "CDato.h"
#include "IQvObject.h"
