#include "ZylHandles.h"

AcDbDatabase* ZylDatabase::GetAcDbDatabase() const {
    return m_db ? m_db : acdbHostApplicationServices()->workingDatabase();
}

std::wstring ZylTableRecordID::GetNome() const {
    auto* r = vplat::Peek<AcDbSymbolTableRecord>(m_id);
    return r ? r->name() : L"";
}
