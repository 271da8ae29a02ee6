// Entities: the drawable objects of a block (model space, paper space or a
// block definition), and the extents they cover.
#pragma once

#include <memory>

#include "AcDbObject.h"
#include "AcGe.h"

class AcDbExtents {
public:
    AcDbExtents();
    AcDbExtents(const AcGePoint3d& min, const AcGePoint3d& max) : m_min(min), m_max(max) {}
    const AcGePoint3d& minPoint() const { return m_min; }
    const AcGePoint3d& maxPoint() const { return m_max; }
    void set(const AcGePoint3d& min, const AcGePoint3d& max) { m_min = min, m_max = max; }
    void addPoint(const AcGePoint3d& p);
    void addExt(const AcDbExtents& e);
    bool isEmpty() const { return m_min.x > m_max.x; }
    void transformBy(const AcGeMatrix3d& m);

private:
    AcGePoint3d m_min, m_max;
};

// A colour by index (0 by block, 256 by layer, 1 to 255 the palette).
class AcCmColor {
public:
    AcCmColor() = default;
    Adesk::UInt16 colorIndex() const { return m_index; }
    Acad::ErrorStatus setColorIndex(Adesk::UInt16 i) {
        m_index = i;
        return Acad::eOk;
    }
    bool isByLayer() const { return m_index == 256; }
    bool isByBlock() const { return m_index == 0; }

private:
    Adesk::UInt16 m_index = 256;
};

class AcDbEntity : public AcDbObject {
    VPLAT_DB_CLASS(AcDbEntity)
public:
    AcDbEntity();
    // The layer name, a copy the caller frees with acutDelString.
    ACHAR* layer() const;
    AcDbObjectId layerId() const;
    // The layer must exist in the drawing (the working one for a new entity).
    Acad::ErrorStatus setLayer(const ACHAR* name, bool doSubents = true);
    Acad::ErrorStatus setLayer(AcDbObjectId layerId, bool doSubents = true);
    Adesk::UInt16 colorIndex() const;
    Acad::ErrorStatus setColorIndex(Adesk::UInt16 color, bool doSubents = true);
    AcCmColor color() const;
    Acad::ErrorStatus setColor(const AcCmColor& color, bool doSubents = true);
    // Takes layer and colour from another entity.
    Acad::ErrorStatus setPropertiesFrom(const AcDbEntity* other, bool doSubents = true);
    // Visual styles are not kept: the id reads back null.
    AcDbObjectId visualStyleId() const { return AcDbObjectId(); }
    Acad::ErrorStatus setVisualStyle(AcDbObjectId) { return Acad::eOk; }
    // The block record the entity belongs to.
    AcDbObjectId blockId() const { return ownerId(); }
    virtual Acad::ErrorStatus getGeomExtents(AcDbExtents& extents) const;

    // Stand-in internals: the layer name without a copy.
    std::wstring layerName() const;
};

class AcDbCurve : public AcDbEntity {
    VPLAT_DB_CLASS(AcDbCurve)
public:
    virtual bool isClosed() const { return false; }
};

// Walks the vertices or attributes an entity owns.
class AcDbObjectIterator {
public:
    explicit AcDbObjectIterator(std::vector<AcDbObject*> items) : m_items(std::move(items)) {}
    void start(bool atEnd = false) { m_pos = atEnd ? static_cast<long>(m_items.size()) - 1 : 0; }
    bool done() const { return m_pos < 0 || m_pos >= static_cast<long>(m_items.size()); }
    bool step(bool backwards = false, bool skipErased = true);
    AcDbObjectId objectId() const;
    AcDbEntity* entity();

private:
    std::vector<AcDbObject*> m_items;
    long m_pos = 0;
};

// The end marker of the vertices or attributes that an entity owns.
class AcDbSequenceEnd : public AcDbEntity {
    VPLAT_DB_CLASS(AcDbSequenceEnd)
public:
    const wchar_t* dxfName() const override { return L"SEQEND"; }
};

// Releases a string handed out by the database.
void acutDelString(ACHAR*& s);

namespace vplat {
// A copy of a text into a string the caller frees with acutDelString.
ACHAR* NewString(const std::wstring& s);
AcGePoint3d PointOf(const DxfTags& tags, int code);
void SetPoint(DxfTags& tags, int code, const AcGePoint3d& p);
}  // namespace vplat
