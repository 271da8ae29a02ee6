#include "DisegnoPolilinea.h"

#include "AcDbAds.h"
#include "AcDbDatabase.h"
#include "AcDbPolylines.h"
#include "AcDbSymbolTables.h"

namespace vplat {

bool AssicuraLayer(const wchar_t* layer) {
    AcDbDatabase* db = acdbHostApplicationServices()->workingDatabase();
    if (!db || !layer || !*layer) return false;
    AcDbLayerTable* layers = nullptr;
    if (db->getLayerTable(layers, AcDb::kForWrite) != Acad::eOk) return false;
    bool ok = layers->has(layer);
    if (!ok) {
        auto* record = new AcDbLayerTableRecord();
        record->setName(layer);
        ok = layers->add(record) == Acad::eOk;
        if (ok)
            record->close();
        else
            delete record;
    }
    layers->close();
    return ok;
}

bool DisegnaPolilinea2D(const wchar_t* layer, const std::vector<AcGePoint3d>& punti, const std::vector<double>& bulge,
                        const resbuf* datiEstesi, AcDbObjectId& id) {
    id = AcDbObjectId();
    AcDbDatabase* db = acdbHostApplicationServices()->workingDatabase();
    if (punti.size() < 2 || !AssicuraLayer(layer)) return false;
    AcGePoint3dArray vertici;
    AcGeDoubleArray curve;
    for (size_t i = 0; i < punti.size(); ++i) {
        vertici.append(punti[i]);
        curve.append(i < bulge.size() ? bulge[i] : 0.0);
    }
    auto* pl = new AcDb2dPolyline(AcDb::k2dSimplePoly, vertici, 0, false, 0, 0, &curve);
    AcDbBlockTableRecord* spazio = nullptr;
    bool ok = pl->setLayer(layer) == Acad::eOk && (!datiEstesi || pl->setXData(datiEstesi) == Acad::eOk) &&
              acdbOpenObject(spazio, db->currentSpaceId(), AcDb::kForWrite) == Acad::eOk;
    if (ok) {
        ok = spazio->appendAcDbEntity(id, pl) == Acad::eOk;
        spazio->close();
    }
    if (!ok) {
        delete pl;
        id = AcDbObjectId();
        return false;
    }
    pl->close();
    return true;
}

}  // namespace vplat
