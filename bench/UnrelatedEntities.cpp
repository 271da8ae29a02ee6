#include "UnrelatedEntities.h"

#include <arx.h>

namespace {

void Add(AcDbBlockTableRecord* ms, AcDbEntity* e, resbuf* data) {
    ms->appendAcDbEntity(e);
    if (data) {
        e->setXData(data);
        acutRelRb(data);
    }
    e->close();
}

AcDbEntity* Polyline(double x, double y) {
    AcGePoint3dArray v;
    AcGeDoubleArray b;
    for (int k = 0; k < 4; ++k) {
        v.append(AcGePoint3d(x + k * 3, y + (k % 2), 0));
        b.append(k == 1 ? 0.2 : 0.0);
    }
    return new AcDb2dPolyline(AcDb::k2dSimplePoly, v, 0, false, 0, 0, &b);
}

}  // namespace

void AddUnrelatedEntities(AcDbDatabase* db, int n, double x0, double y0) {
    acdbRegApp(L"ALTRO-PROGETTO");
    AcDbBlockTable* bt = nullptr;
    db->getBlockTable(bt, AcDb::kForRead);
    AcDbBlockTableRecord* ms = nullptr;
    bt->getAt(ACDB_MODEL_SPACE, ms, AcDb::kForWrite);
    bt->close();
    for (int i = 0; i < n; ++i) {
        double x = x0 + (i % 200) * 20.0, y = y0 + (i / 200) * 20.0;
        switch (i % 4) {
        case 0: Add(ms, Polyline(x, y), nullptr); break;
        case 1:
            Add(ms, Polyline(x, y),
                acutBuildList(1001, L"ALTRO-PROGETTO", 1000, L"curva di livello", 1040, 125.5, RTNONE));
            break;
        case 2: Add(ms, new AcDbText(AcGePoint3d(x, y, 0), L"quota 125.50"), nullptr); break;
        default: Add(ms, new AcDbCircle(AcGePoint3d(x, y, 0), AcGeVector3d(0, 0, 1), 0.5), nullptr);
        }
    }
    ms->close();
}
