#include "ZylHandles.h"

#include "ZylEntityID.h"

AcDbDatabase* ZylDatabase::GetAcDbDatabase() const {
    return m_db ? m_db : acdbHostApplicationServices()->workingDatabase();
}

std::wstring ZylTableRecordID::GetNome() const {
    auto* r = vplat::Peek<AcDbSymbolTableRecord>(m_id);
    return r ? r->name() : L"";
}

int ZylDatabase::CercaEntita(const wchar_t* handle, ZylEntityID& entita) const {
    entita = ZylEntityID();
    AcDbDatabase* db = GetAcDbDatabase();
    AcDbHandle h(handle ? handle : L"");
    AcDbObjectId id;
    if (!db || h.isNull() || db->getAcDbObjectId(id, false, h) != Acad::eOk || id.isErased()) return 0;
    auto* e = vplat::Peek<AcDbEntity>(id);
    if (!e) return 0;
    entita = ZylEntityID(id);
    return 1;
}
