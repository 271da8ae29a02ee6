#include "DatiEstesi.h"

#include "AcDbDatabase.h"
#include "AcDbEntity.h"
#include "AcDbObject.h"

resbuf* mio_assoc(resbuf* catena, int codice) {
    for (resbuf* rb = catena; rb; rb = rb->rbnext)
        if (rb->restype == codice) return rb;
    return nullptr;
}

resbuf* LeggiDatiEstesi(AcDbObjectId entita, const ACHAR* applicazione) {
    if (!applicazione) return nullptr;
    AcDbObject* o = nullptr;
    if (acdbOpenAcDbObject(o, entita, AcDb::kForRead) != Acad::eOk) return nullptr;
    resbuf* rb = o->xData(applicazione);
    o->close();
    return rb;
}

Acad::ErrorStatus EraseEntityDaId(AcDbObjectId entita, AcDbDatabase* database) {
    AcDbDatabase* db = database ? database : acdbHostApplicationServices()->workingDatabase();
    if (entita.isNull()) return Acad::eNullObjectId;
    if (!db || entita.database() != db) return Acad::eNotInDatabase;
    AcDbEntity* e = nullptr;
    Acad::ErrorStatus es = acdbOpenObject(e, entita, AcDb::kForWrite);
    if (es != Acad::eOk) return es;
    es = e->erase();
    e->close();
    return es;
}

int RegApplicazione(const ACHAR* applicazione, AcDbDatabase* database) {
    if (!applicazione || !*applicazione) return 0;
    AcDbDatabase* db = database ? database : acdbHostApplicationServices()->workingDatabase();
    if (!db) return 0;
    return vplat::EnsureRegApp(db, applicazione).isNull() ? 0 : 1;
}
