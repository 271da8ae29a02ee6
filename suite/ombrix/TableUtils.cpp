#include <cwchar>

#include "HostText.h"
#include "Ombrix.h"

namespace {

// A name to look a record up by.
bool ValidName(const wchar_t* name) { return name && *name && std::wcslen(name) < 256; }

// A name the table's records may carry; a block's may be "*X", which asks
// for a new anonymous name.
bool ValidRecordName(const wchar_t* name, int kind) {
    return name && vplat::SymbolNameProblem(name, kind == ZYL_TABELLA_LAYER ? vplat::SymbolTable::Layer
                                                                          : vplat::SymbolTable::Block)
                       .empty();
}

AcDbObjectId TableOf(AcDbDatabase* db, int kind) {
    if (!db) return {};
    if (kind == ZYL_TABELLA_LAYER) return db->layerTableId();
    if (kind == ZYL_TABELLA_BLOCCHI) return db->blockTableId();
    return {};
}

void SetFlag(AcDbLayerTableRecord* l, int flag, bool on) {
    if (flag == ZYL_LAYER_CONGELATO) l->setIsFrozen(on);
    else if (flag == ZYL_LAYER_SPENTO) l->setIsOff(on);
    else if (flag == ZYL_LAYER_BLOCCATO) l->setIsLocked(on);
}

class TableUtils : public ITableUtils {
public:
    int CercaRecord(int kind, const wchar_t* nome, ZylTableRecordID& record, const ZylDatabase& db) override {
        record = ZylTableRecordID();
        AcDbSymbolTable* t = nullptr;
        if (!ValidName(nome) || acdbOpenObject(t, TableOf(db.GetAcDbDatabase(), kind), AcDb::kForRead) != Acad::eOk)
            return 0;
        AcDbObjectId id;
        Acad::ErrorStatus es = t->getAt(nome, id);
        t->close();
        if (es != Acad::eOk) return 0;
        record = ZylTableRecordID(id);
        return 1;
    }

    int CreaRecord(int kind, const wchar_t* nome, const CADDatoArray& props, ZylTableRecordID& record,
                   const ZylDatabase& db) override {
        record = ZylTableRecordID();
        if (!ValidRecordName(nome, kind)) return 0;
        AcDbSymbolTableRecord* r = nullptr;
        if (kind == ZYL_TABELLA_LAYER) {
            auto* l = new AcDbLayerTableRecord;
            for (int i = 0; i < props.GetCount(); ++i) {
                const auto& d = props[i];
                if (d.GetCodice() == 62) {
                    AcCmColor c;
                    c.setColorIndex(static_cast<Adesk::UInt16>(d.GetInt()));
                    l->setColor(c);
                } else if (d.GetCodice() >= ZYL_LAYER_CONGELATO && d.GetCodice() <= ZYL_LAYER_BLOCCATO) {
                    SetFlag(l, d.GetCodice(), d.GetInt() != 0);
                }
            }
            r = l;
        } else if (kind == ZYL_TABELLA_BLOCCHI) {
            auto* b = new AcDbBlockTableRecord;
            for (int i = 0; i < props.GetCount(); ++i)
                if (props[i].GetCodice() == 10 && props[i].GetTipo() == CADDatoArray::Punto) {
                    double p[3];
                    props[i].GetPunto(p);
                    b->setOrigin(asPnt3d(p));
                }
            r = b;
        } else {
            return 0;
        }
        r->setName(nome);
        AcDbSymbolTable* t = nullptr;
        if (acdbOpenObject(t, TableOf(db.GetAcDbDatabase(), kind), AcDb::kForWrite) != Acad::eOk) {
            delete r;
            return 0;
        }
        AcDbObjectId id;
        Acad::ErrorStatus es = t->add(id, r);
        t->close();
        if (es != Acad::eOk) {
            delete r;
            return 0;
        }
        r->close();
        record = ZylTableRecordID(id);
        return 1;
    }

    int CercaLayer(const wchar_t* nome, ZylLayerID& layer, const ZylDatabase& db) override {
        ZylTableRecordID r;
        int found = CercaRecord(ZYL_TABELLA_LAYER, nome, r, db);
        layer = ZylLayerID(r.GetObjectId());
        return found;
    }

    int SetFlagLayer(const ZylLayerID& layer, int flag, int valore) override {
        if (flag < ZYL_LAYER_CONGELATO || flag > ZYL_LAYER_BLOCCATO) return 0;
        AcDbLayerTableRecord* l = nullptr;
        if (acdbOpenObject(l, layer.GetObjectId(), AcDb::kForWrite) != Acad::eOk) return 0;
        SetFlag(l, flag, valore != 0);
        l->close();
        return 1;
    }

    int CreaLayer(const wchar_t* nome, const CADDatoArray& props, ZylLayerID& layer, const ZylDatabase& db) override {
        ZylTableRecordID r;
        int made = CreaRecord(ZYL_TABELLA_LAYER, nome, props, r, db);
        layer = ZylLayerID(r.GetObjectId());
        return made;
    }
};

}  // namespace

namespace Ombrix {
ITableUtils* GetTableUtils() {
    static TableUtils utils;
    return &utils;
}
}  // namespace Ombrix
