#include "SpazioModello.h"

#include <stdexcept>

#include "DatiEstesi.h"

namespace roads {

namespace {

void CreaLayer(AcDbDatabase* database, const wchar_t* nome) {
    AcDbLayerTable* layer = nullptr;
    if (database->getLayerTable(layer, AcDb::kForWrite) != Acad::eOk) throw std::runtime_error("no layer table");
    if (!layer->has(nome)) {
        auto* record = new AcDbLayerTableRecord();
        record->setName(nome);
        if (layer->add(record) != Acad::eOk) {
            delete record;
            layer->close();
            throw std::runtime_error("the drawing refused a layer");
        }
        record->close();
    }
    layer->close();
}

}  // namespace

SpazioModello::SpazioModello(AcDbDatabase* database, std::initializer_list<const wchar_t*> layers)
    : m_database(database) {
    if (!database) throw std::runtime_error("no drawing");
    for (const wchar_t* nome : layers) CreaLayer(database, nome);
    AcDbBlockTable* tabella = nullptr;
    if (database->getBlockTable(tabella, AcDb::kForRead) != Acad::eOk) throw std::runtime_error("no block table");
    Acad::ErrorStatus es = tabella->getAt(ACDB_MODEL_SPACE, m_modello, AcDb::kForWrite);
    tabella->close();
    if (es != Acad::eOk) throw std::runtime_error("model space not open");
}

SpazioModello::~SpazioModello() { m_modello->close(); }

AcDbObjectId SpazioModello::Aggiungi(AcDbEntity* entita, const std::wstring& layer, const resbuf* datiEstesi) {
    for (const resbuf* rb = datiEstesi; rb; rb = rb->rbnext)
        if (rb->restype == 1001) RegApplicazione(rb->resval.rstring, m_database);
    AcDbObjectId id;
    if (entita->setLayer(layer.c_str()) != Acad::eOk || entita->setXData(datiEstesi) != Acad::eOk ||
        m_modello->appendAcDbEntity(id, entita) != Acad::eOk) {
        delete entita;
        throw std::runtime_error("the drawing refused an entity");
    }
    entita->close();
    return id;
}

}  // namespace roads
