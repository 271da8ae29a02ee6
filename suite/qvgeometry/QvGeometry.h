// The suite's polyline and plane-geometry library.
#pragma once

#include "DatiEstesi.h"
#include "DatiPoli.h"
#include "GeometriaPiana.h"
#include "ZylAcadMgr.h"
