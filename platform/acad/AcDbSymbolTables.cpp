#include "AcDbSymbolTables.h"

#include <algorithm>
#include <cwctype>

#include "AcDbDatabase.h"
#include "AcDbText.h"
#include "BlockNesting.h"
#include "HostText.h"

using vplat::DxfTag;

VPLAT_DB_CLASS_IMPL(AcDbSymbolTableRecord, AcDbObject)
VPLAT_DB_CLASS_IMPL(AcDbBlockTableRecord, AcDbSymbolTableRecord)
VPLAT_DB_CLASS_IMPL(AcDbLayerTableRecord, AcDbSymbolTableRecord)
VPLAT_DB_CLASS_IMPL(AcDbRegAppTableRecord, AcDbSymbolTableRecord)
VPLAT_DB_CLASS_IMPL(AcDbSymbolTable, AcDbObject)
VPLAT_DB_CLASS_IMPL(AcDbBlockTable, AcDbSymbolTable)
VPLAT_DB_CLASS_IMPL(AcDbLayerTable, AcDbSymbolTable)
VPLAT_DB_CLASS_IMPL(AcDbRegAppTable, AcDbSymbolTable)
VPLAT_DB_CLASS_IMPL(AcDbLayout, AcDbObject)

#define WRITE_GUARD \
    if (!isWriteEnabled()) return Acad::eNotOpenForWrite

namespace vplat {

std::wstring SymbolNameProblem(std::wstring_view name, SymbolTable table) {
    if (name.empty()) return L"an empty name";
    if (name.size() > 255) return L"a name of " + std::to_wstring(name.size()) + L" characters (at most 255)";
    std::wstring_view rest = table == SymbolTable::Block && name[0] == L'*' ? name.substr(1) : name;
    const wchar_t* forbidden = table == SymbolTable::RegApp ? L"<>/\\\":;?*|=`," : L"<>/\\\":;?*|=`";
    if (rest.find_first_of(forbidden) == std::wstring_view::npos) return L"";
    const wchar_t* what = table == SymbolTable::Layer ? L"layer" : table == SymbolTable::Block ? L"block" : L"application";
    return L"the " + std::wstring(what) + L" name \"" + std::wstring(name) + L"\" holds a character a " + what +
           L" name may not hold (" + forbidden + L")";
}

}  // namespace vplat

Acad::ErrorStatus AcDbSymbolTableRecord::getName(ACHAR*& name) const {
    name = vplat::NewString(m_name);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbSymbolTableRecord::getName(const ACHAR*& name) const {
    name = m_name.c_str();
    return Acad::eOk;
}

Acad::ErrorStatus AcDbSymbolTableRecord::setName(const ACHAR* name) {
    WRITE_GUARD;
    if (!name || !*name) return Acad::eInvalidInput;
    // A record in a table keeps its name unique there, and a name the table's
    // names may be.
    if (AcDbSymbolTable* t = vplat::Peek<AcDbSymbolTable>(ownerId())) {
        if (!vplat::SymbolNameProblem(name, t->kind()).empty()) return Acad::eInvalidInput;
        AcDbObjectId other = t->find(name);
        if (!other.isNull() && other != objectId()) return Acad::eDuplicateRecordName;
    }
    setNameRaw(name);
    return Acad::eOk;
}

void AcDbSymbolTableRecord::setNameRaw(const std::wstring& name) {
    m_name = name;
    if (AcDbSymbolTable* t = vplat::Peek<AcDbSymbolTable>(ownerId())) t->namesChanged();
}

AcDbBlockTableRecord::AcDbBlockTableRecord() { m_data.push_back(DxfTag::Point(10, 0, 0, 0)); }

void AcDbBlockTableRecord::restoreEntity(AcDbObjectId id) {
    if (std::find(m_entities.begin(), m_entities.end(), id) != m_entities.end()) return;
    const uint64_t handle = id.stub()->handle;
    auto at = std::find_if(m_entities.begin(), m_entities.end(),
                           [&](AcDbObjectId other) { return other.stub()->handle > handle; });
    m_entities.insert(at, id);
}

Acad::ErrorStatus AcDbBlockTableRecord::appendAcDbEntity(AcDbEntity* e) {
    AcDbObjectId id;
    return appendAcDbEntity(id, e);
}

Acad::ErrorStatus AcDbBlockTableRecord::appendAcDbEntity(AcDbObjectId& id, AcDbEntity* e) {
    id = AcDbObjectId();
    if (!e) return Acad::eNullEntityPointer;
    if (!m_stub) return Acad::eNotInDatabase;
    if (!isWriteEnabled()) return Acad::eNotOpenForWrite;
    if (!e->isNewObject()) return Acad::eInvalidInput;
    // A block may not insert itself, however indirectly.
    if (auto* ref = AcDbBlockReference::cast(e); ref && vplat::WouldInsertItself(ref->blockTableRecord(), objectId()))
        return Acad::eSelfReference;
    AcDbDatabase* db = database();
    // An entity given a layer by code that the drawing lacks gets the layer;
    // vertices mostly repeat their entity's, looked up once. A name no layer
    // may have keeps the entity out.
    std::wstring_view checked;
    bool any = false;
    auto ensure = [&](const AcDbObject* o) {
        std::wstring_view name = vplat::TagTextView(o->data(), 8, L"0");
        if (any && name == checked) return true;
        if (vplat::EnsureLayer(db, std::wstring(name)).isNull()) return false;
        checked = name, any = true;
        return true;
    };
    if (!ensure(e)) return Acad::eBadLayerName;
    std::vector<AcDbObject*> subs;
    e->subObjects(subs);
    for (AcDbObject* s : subs)
        if (AcDbEntity::cast(s) && !ensure(s)) return Acad::eBadLayerName;
    // A viewport of a layout takes the next number, after the layout's
    // overall one.
    if (auto* vp = AcDbViewport::cast(e); vp && isLayout() && !vplat::EqualNoCase(m_name, ACDB_MODEL_SPACE)) {
        ensureOverallViewport();
        vplat::SetTag(vp->data(), DxfTag::Int(69, highestViewportNumber() + 1));
    }
    joinEntity(id, e);
    e->m_writer = true;
    return Acad::eOk;
}

void AcDbBlockTableRecord::joinEntity(AcDbObjectId& id, AcDbEntity* e) {
    id = database()->store().Add(e, e->m_fileHandle, true);
    e->m_owner = objectId();
    if (m_entities.size() >= m_nextCompaction) {
        std::erase_if(m_entities, [](AcDbObjectId i) { return i.isErased(); });
        m_nextCompaction = std::max<size_t>(64, 2 * m_entities.size());
    }
    m_entities.push_back(id);
}

int AcDbBlockTableRecord::highestViewportNumber() const {
    int highest = 0;
    for (AcDbObjectId id : m_entities)
        if (auto* vp = vplat::Peek<AcDbViewport>(id); vp && !vp->isErased()) highest = std::max(highest, vp->number());
    return highest;
}

void AcDbBlockTableRecord::ensureOverallViewport() {
    if (!m_stub || !isLayout() || vplat::EqualNoCase(m_name, ACDB_MODEL_SPACE)) return;
    for (AcDbObjectId id : m_entities)
        if (auto* vp = vplat::Peek<AcDbViewport>(id); vp && !vp->isErased() && vp->number() == 1) return;
    // A sheet of A3 landscape seen whole, as a new layout's page.
    auto* overall = new AcDbViewport;
    vplat::SetPoint(overall->data(), 10, AcGePoint3d(210, 148.5, 0));
    vplat::SetTag(overall->data(), DxfTag::Real(40, 420));
    vplat::SetTag(overall->data(), DxfTag::Real(41, 297));
    vplat::SetTag(overall->data(), DxfTag::Int(68, 1));
    vplat::SetTag(overall->data(), DxfTag::Int(69, 1));
    vplat::SetPoint(overall->data(), 12, AcGePoint3d(210, 148.5, 0));
    vplat::SetTag(overall->data(), DxfTag::Real(45, 297));
    AcDbObjectId id;
    joinEntity(id, overall);
}

Acad::ErrorStatus AcDbBlockTableRecord::newIterator(AcDbBlockTableRecordIterator*& it, bool, bool skipDeleted) const {
    if (!isReadEnabled()) return Acad::eNotOpenForRead;
    it = new AcDbBlockTableRecordIterator(m_entities, skipDeleted);
    return Acad::eOk;
}

AcGePoint3d AcDbBlockTableRecord::origin() const { return vplat::PointOf(m_data, 10); }

Acad::ErrorStatus AcDbBlockTableRecord::setOrigin(const AcGePoint3d& p) {
    WRITE_GUARD;
    vplat::SetPoint(m_data, 10, p);
    return Acad::eOk;
}

bool AcDbBlockTableRecord::isAnonymous() const { return !m_name.empty() && m_name[0] == L'*' && !isLayout(); }

bool AcDbBlockTableRecord::hasAttributeDefinitions() const {
    for (AcDbObjectId id : m_entities) {
        auto* e = vplat::Peek<AcDbAttributeDefinition>(id);
        if (e && !e->isErased()) return true;
    }
    return false;
}

bool AcDbBlockTableRecord::isFromExternalReference() const { return (vplat::TagInt(m_data, 70) & (4 | 8)) != 0; }

std::wstring AcDbBlockTableRecord::pathName() const { return std::wstring(vplat::TagTextView(m_data, 1, L"")); }

AcDbBlockTableRecordIterator::AcDbBlockTableRecordIterator(std::vector<AcDbObjectId> ids, bool skipDeleted)
    : m_ids(std::move(ids)), m_skipDeleted(skipDeleted) {
    skip();
}

void AcDbBlockTableRecordIterator::start(bool, bool skipDeleted) {
    m_pos = 0;
    m_skipDeleted = skipDeleted;
    skip();
}

void AcDbBlockTableRecordIterator::skip() {
    while (m_skipDeleted && m_pos < m_ids.size() && m_ids[m_pos].isErased()) ++m_pos;
}

void AcDbBlockTableRecordIterator::step(bool, bool skipDeleted) {
    m_skipDeleted = skipDeleted;
    if (m_pos < m_ids.size()) ++m_pos;
    skip();
}

Acad::ErrorStatus AcDbBlockTableRecordIterator::getEntityId(AcDbObjectId& id) const {
    if (done()) return Acad::eInvalidIndex;
    id = m_ids[m_pos];
    return Acad::eOk;
}

Acad::ErrorStatus AcDbBlockTableRecordIterator::getEntity(AcDbEntity*& e, AcDb::OpenMode mode, bool openErased) const {
    e = nullptr;
    if (done()) return Acad::eInvalidIndex;
    return acdbOpenObject(e, m_ids[m_pos], mode, openErased);
}

AcDbLayerTableRecord::AcDbLayerTableRecord() {
    m_data.push_back(DxfTag::Int(70, 0));
    m_data.push_back(DxfTag::Int(62, 7));
    m_data.push_back(DxfTag::Text(6, L"Continuous"));
}

namespace {
void SetFlag(vplat::DxfTags& d, int bit, bool on) {
    int64_t f = vplat::TagInt(d, 70);
    vplat::SetTag(d, DxfTag::Int(70, on ? (f | bit) : (f & ~int64_t(bit))));
}
}  // namespace

bool AcDbLayerTableRecord::isFrozen() const { return (vplat::TagInt(m_data, 70) & 1) != 0; }

Acad::ErrorStatus AcDbLayerTableRecord::setIsFrozen(bool frozen) {
    WRITE_GUARD;
    SetFlag(m_data, 1, frozen);
    return Acad::eOk;
}

// Off is kept as a negative colour, as the drawing file keeps it.
bool AcDbLayerTableRecord::isOff() const { return vplat::TagInt(m_data, 62, 7) < 0; }

void AcDbLayerTableRecord::setIsOff(bool off) {
    int64_t c = vplat::TagInt(m_data, 62, 7);
    if (c < 0) c = -c;
    vplat::SetTag(m_data, DxfTag::Int(62, off ? -c : c));
}

bool AcDbLayerTableRecord::isLocked() const { return (vplat::TagInt(m_data, 70) & 4) != 0; }

void AcDbLayerTableRecord::setIsLocked(bool locked) { SetFlag(m_data, 4, locked); }

bool AcDbLayerTableRecord::isPlottable() const { return vplat::TagInt(m_data, 290, 1) != 0; }

Acad::ErrorStatus AcDbLayerTableRecord::setIsPlottable(bool plottable) {
    WRITE_GUARD;
    if (plottable) vplat::RemoveTags(m_data, 290);
    else vplat::SetTag(m_data, DxfTag::Int(290, 0));
    return Acad::eOk;
}

AcCmColor AcDbLayerTableRecord::color() const {
    int64_t c = vplat::TagInt(m_data, 62, 7);
    AcCmColor col;
    col.setColorIndex(static_cast<Adesk::UInt16>(c < 0 ? -c : c));
    return col;
}

void AcDbLayerTableRecord::setColor(const AcCmColor& color) {
    bool off = isOff();
    int c = color.colorIndex();
    if (c < 1 || c > 255) c = 7;
    vplat::SetTag(m_data, DxfTag::Int(62, off ? -c : c));
}

Acad::ErrorStatus AcDbSymbolTableIterator::getRecordId(AcDbObjectId& id) const {
    if (done()) return Acad::eInvalidIndex;
    id = m_ids[m_pos];
    return Acad::eOk;
}

namespace {
std::wstring Folded(const std::wstring& name) {
    std::wstring f(name);
    for (wchar_t& c : f) c = static_cast<wchar_t>(std::towlower(c));
    return f;
}
}  // namespace

AcDbObjectId AcDbSymbolTable::find(const std::wstring& name) const {
    if (m_named > m_records.size()) namesChanged();
    for (; m_named < m_records.size(); ++m_named)
        if (auto* r = vplat::Peek<AcDbSymbolTableRecord>(m_records[m_named]))
            m_byName[Folded(r->name())].push_back(m_records[m_named]);
    auto it = m_byName.find(Folded(name));
    if (it == m_byName.end()) return {};
    for (AcDbObjectId id : it->second) {
        auto* r = vplat::Peek<AcDbSymbolTableRecord>(id);
        if (r && !r->isErased() && vplat::EqualNoCase(r->name(), name)) return id;
    }
    return {};
}

void AcDbSymbolTable::namesChanged() const {
    m_byName.clear();
    m_named = 0;
}

Acad::ErrorStatus AcDbSymbolTable::getAt(const ACHAR* name, AcDbObjectId& id, bool getErasedRecord) const {
    id = AcDbObjectId();
    if (!isReadEnabled()) return Acad::eNotOpenForRead;
    if (!name) return Acad::eInvalidInput;
    id = find(name);
    if (id.isNull() && getErasedRecord) {
        for (AcDbObjectId r : m_records)
            if (vplat::EqualNoCase(vplat::Peek<AcDbSymbolTableRecord>(r)->name(), name)) id = r;
    }
    return id.isNull() ? Acad::eKeyNotFound : Acad::eOk;
}

Acad::ErrorStatus AcDbSymbolTable::getAt(const ACHAR* name, AcDbSymbolTableRecord*& record, AcDb::OpenMode mode,
                                         bool openErased) const {
    record = nullptr;
    AcDbObjectId id;
    Acad::ErrorStatus es = getAt(name, id, openErased);
    if (es != Acad::eOk) return es;
    return acdbOpenObject(record, id, mode, openErased);
}

bool AcDbSymbolTable::has(const ACHAR* name) const { return name && !find(name).isNull(); }

bool AcDbSymbolTable::has(AcDbObjectId id) const {
    for (AcDbObjectId r : m_records)
        if (r == id && !r.isErased()) return true;
    return false;
}

Acad::ErrorStatus AcDbSymbolTable::add(AcDbSymbolTableRecord* record) {
    AcDbObjectId id;
    return add(id, record);
}

Acad::ErrorStatus AcDbSymbolTable::add(AcDbObjectId& id, AcDbSymbolTableRecord* record) {
    id = AcDbObjectId();
    if (!record) return Acad::eNullObjectPointer;
    if (!m_stub) return Acad::eNotInDatabase;
    if (!isWriteEnabled()) return Acad::eNotOpenForWrite;
    if (!record->isNewObject() || !accepts(record)) return Acad::eInvalidInput;
    std::wstring name = record->name();
    if (name.empty()) return Acad::eInvalidInput;
    // "*X" (a star and a letter) asks for a new anonymous name: *X1, *X2 ...
    if (name.size() == 2 && name[0] == L'*' && AcDbBlockTableRecord::cast(record)) {
        for (int n = 1;; ++n) {
            std::wstring candidate = name + std::to_wstring(n);
            if (find(candidate).isNull()) {
                name = candidate;
                break;
            }
        }
        record->setNameRaw(name);
    }
    if (!vplat::SymbolNameProblem(name, kind()).empty()) return Acad::eInvalidInput;
    if (!find(name).isNull()) return Acad::eDuplicateRecordName;
    id = database()->store().Add(record, record->m_fileHandle, true);
    record->m_owner = objectId();
    record->m_writer = true;
    m_records.push_back(id);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbSymbolTable::newIterator(AcDbSymbolTableIterator*& it, bool, bool skipDeleted) const {
    if (!isReadEnabled()) return Acad::eNotOpenForRead;
    std::vector<AcDbObjectId> ids;
    for (AcDbObjectId r : m_records)
        if (!skipDeleted || !r.isErased()) ids.push_back(r);
    it = new AcDbSymbolTableIterator(ids);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbLayout::getLayoutName(const ACHAR*& name) const {
    name = m_name.c_str();
    return Acad::eOk;
}

Acad::ErrorStatus AcDbLayout::setLayoutName(const ACHAR* name) {
    WRITE_GUARD;
    if (!name || !*name) return Acad::eInvalidInput;
    m_name = name;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbLayout::setBlockTableRecordId(AcDbObjectId id) {
    WRITE_GUARD;
    m_block = id;
    if (auto* b = vplat::Peek<AcDbBlockTableRecord>(id)) b->setLayoutIdRaw(objectId());
    return Acad::eOk;
}

void AcDbLayout::setTabOrder(int order) { m_tabOrder = order; }

bool AcDbLayout::modelType() const {
    auto* b = vplat::Peek<AcDbBlockTableRecord>(m_block);
    return b && vplat::EqualNoCase(b->name(), ACDB_MODEL_SPACE);
}
