// The suite's engineering library.
#pragma once

#include "Allargamenti.h"
#include "DistanzaDirezionale.h"
#include "IntersezioniDatiPoli.h"
#include "CercaTracciati.h"
#include "ICTRACCIATO.h"
#include "SelezionaTracciato.h"
#include "LeggiDatiPoli.h"
#include "Tracciati.h"
#include "QvEngineeringConstructor.h"
#include "QvGeometry.h"
