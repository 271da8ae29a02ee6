// COM and the XML DOM, as far as the modules call them.
#pragma once

#include "ComTypes.h"
#include "ComRuntime.h"
#include "MsXml.h"
#include "OleAuto.h"
#include "XslView.h"
