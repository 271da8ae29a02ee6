#include "AcDbEntity.h"

#include <cstdlib>
#include <cwchar>

#include "AcDbDatabase.h"

using vplat::DxfTag;

VPLAT_DB_CLASS_IMPL(AcDbEntity, AcDbObject)
VPLAT_DB_CLASS_IMPL(AcDbCurve, AcDbEntity)
VPLAT_DB_CLASS_IMPL(AcDbSequenceEnd, AcDbEntity)

namespace vplat {
ACHAR* NewString(const std::wstring& s) {
    auto* d = static_cast<ACHAR*>(std::malloc((s.size() + 1) * sizeof(ACHAR)));
    std::wmemcpy(d, s.c_str(), s.size() + 1);
    return d;
}
}  // namespace vplat

void acutDelString(ACHAR*& s) {
    std::free(s);
    s = nullptr;
}

AcDbExtents::AcDbExtents() : m_min(1e300, 1e300, 1e300), m_max(-1e300, -1e300, -1e300) {}

void AcDbExtents::addPoint(const AcGePoint3d& p) {
    for (int i = 0; i < 3; ++i) {
        if (p[i] < m_min[i]) m_min[i] = p[i];
        if (p[i] > m_max[i]) m_max[i] = p[i];
    }
}

void AcDbExtents::addExt(const AcDbExtents& e) {
    if (e.isEmpty()) return;
    addPoint(e.m_min);
    addPoint(e.m_max);
}

void AcDbExtents::transformBy(const AcGeMatrix3d& m) {
    if (isEmpty()) return;
    AcDbExtents out;
    for (int i = 0; i < 8; ++i) {
        AcGePoint3d p((i & 1) ? m_max.x : m_min.x, (i & 2) ? m_max.y : m_min.y, (i & 4) ? m_max.z : m_min.z);
        out.addPoint(p.transformBy(m));
    }
    *this = out;
}

AcDbEntity::AcDbEntity() {
    // Room for the few groups every kind starts with, in one allocation.
    m_data.reserve(4);
    m_data.push_back(DxfTag::Text(8, L"0"));
}

std::wstring AcDbEntity::layerName() const { return vplat::TagText(m_data, 8, L"0"); }

ACHAR* AcDbEntity::layer() const { return vplat::NewString(layerName()); }

AcDbObjectId AcDbEntity::layerId() const {
    AcDbDatabase* db = databaseOrWorking();
    if (!db) return {};
    AcDbLayerTable* t = vplat::Peek<AcDbLayerTable>(db->layerTableId());
    return t ? t->find(layerName()) : AcDbObjectId();
}

Acad::ErrorStatus AcDbEntity::setLayer(const ACHAR* name, bool doSubents) {
    if (!isWriteEnabled()) return Acad::eNotOpenForWrite;
    if (!name || !*name) return Acad::eInvalidInput;
    AcDbDatabase* db = databaseOrWorking();
    AcDbLayerTable* t = db ? vplat::Peek<AcDbLayerTable>(db->layerTableId()) : nullptr;
    AcDbObjectId id = t ? t->find(name) : AcDbObjectId();
    if (id.isNull()) return Acad::eKeyNotFound;
    // Keep the table's spelling of the name.
    vplat::SetTag(m_data, DxfTag::Text(8, vplat::Peek<AcDbLayerTableRecord>(id)->name()));
    if (doSubents) {
        std::vector<AcDbObject*> subs;
        subObjects(subs);
        for (AcDbObject* s : subs)
            if (auto* e = AcDbEntity::cast(s)) vplat::SetTag(e->data(), DxfTag::Text(8, layerName()));
    }
    return Acad::eOk;
}

Acad::ErrorStatus AcDbEntity::setLayer(AcDbObjectId layerId, bool doSubents) {
    auto* r = vplat::Peek<AcDbLayerTableRecord>(layerId);
    if (!r) return Acad::eInvalidInput;
    return setLayer(r->name().c_str(), doSubents);
}

Adesk::UInt16 AcDbEntity::colorIndex() const { return static_cast<Adesk::UInt16>(vplat::TagInt(m_data, 62, 256)); }

Acad::ErrorStatus AcDbEntity::setColorIndex(Adesk::UInt16 color, bool doSubents) {
    if (!isWriteEnabled()) return Acad::eNotOpenForWrite;
    if (color > 257) return Acad::eInvalidInput;
    if (color == 256) vplat::RemoveTags(m_data, 62);
    else vplat::SetTag(m_data, DxfTag::Int(62, color));
    if (doSubents) {
        std::vector<AcDbObject*> subs;
        subObjects(subs);
        for (AcDbObject* s : subs)
            if (auto* e = AcDbEntity::cast(s)) e->setColorIndex(color, false);
    }
    return Acad::eOk;
}

Acad::ErrorStatus AcDbEntity::setColor(const AcCmColor& color, bool doSubents) {
    return setColorIndex(color.colorIndex(), doSubents);
}

Acad::ErrorStatus AcDbEntity::setPropertiesFrom(const AcDbEntity* other, bool doSubents) {
    if (!isWriteEnabled()) return Acad::eNotOpenForWrite;
    if (!other) return Acad::eNullObjectPointer;
    vplat::SetTag(m_data, DxfTag::Text(8, other->layerName()));
    return setColorIndex(other->colorIndex(), doSubents);
}

AcCmColor AcDbEntity::color() const {
    AcCmColor c;
    c.setColorIndex(colorIndex());
    return c;
}

Acad::ErrorStatus AcDbEntity::getGeomExtents(AcDbExtents& extents) const {
    extents = AcDbExtents();
    double p[3];
    bool any = false;
    for (const DxfTag& t : m_data)
        if (t.kind == DxfTag::Kind::Point && t.code >= 10 && t.code <= 13) {
            p[0] = t.v()[0], p[1] = t.v()[1], p[2] = t.v()[2];
            extents.addPoint(asPnt3d(p));
            any = true;
        }
    return any ? Acad::eOk : Acad::eInvalidExtents;
}

bool AcDbObjectIterator::step(bool backwards, bool skipErased) {
    do {
        m_pos += backwards ? -1 : 1;
    } while (!done() && skipErased && m_items[static_cast<size_t>(m_pos)]->isErased());
    return !done();
}

AcDbObjectId AcDbObjectIterator::objectId() const {
    return done() ? AcDbObjectId() : m_items[static_cast<size_t>(m_pos)]->objectId();
}

AcDbEntity* AcDbObjectIterator::entity() {
    return done() ? nullptr : AcDbEntity::cast(m_items[static_cast<size_t>(m_pos)]);
}
