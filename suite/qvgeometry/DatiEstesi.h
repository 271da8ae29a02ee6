// Reading extended data, erasing entities and registering applications.
#pragma once

#include "AcDbObjectId.h"
#include "AcadErrors.h"
#include "AdsDef.h"

class AcDbDatabase;

// The first node of a chain (the head included) with that group code, or null.
resbuf* mio_assoc(resbuf* catena, int codice);
// An entity's extended data of one application (1001 name first), or null;
// the caller releases the chain with acutRelRb.
resbuf* LeggiDatiEstesi(AcDbObjectId entita, const ACHAR* applicazione);
// Erases an entity of a drawing (null = the working drawing). eOk when erased.
Acad::ErrorStatus EraseEntityDaId(AcDbObjectId entita, AcDbDatabase* database = nullptr);
// Registers an application in a drawing (null = the working drawing). 1 done, 0 failed.
int RegApplicazione(const ACHAR* applicazione, AcDbDatabase* database = nullptr);
