// The suite's foundation library.
#pragma once

#include "CDato.h"
#include "IQvObject.h"
#include "IQvObjectConstructor.h"
#include "IQvObject_CodeList.h"
#include "IQvObject_Colour.h"
#include "IQvObject_DisplaySettings.h"
#include "IQvObject_Group.h"
#include "IQvObject_Serializer.h"
