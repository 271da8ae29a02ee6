// Block references with their attributes, and viewports of paper space.
#pragma once

#include "AcDbPolylines.h"
#include "AcDbText.h"

class AcGeScale3d {
public:
    AcGeScale3d(double s = 1.0) : sx(s), sy(s), sz(s) {}
    AcGeScale3d(double x, double y, double z) : sx(x), sy(y), sz(z) {}
    double sx, sy, sz;
};

class AcDbBlockReference : public AcDbEntity {
    VPLAT_DB_CLASS(AcDbBlockReference)
public:
    AcDbBlockReference();
    AcDbBlockReference(const AcGePoint3d& position, AcDbObjectId blockTableRecord);
    const wchar_t* dxfName() const override { return L"INSERT"; }
    AcDbObjectId blockTableRecord() const { return m_block; }
    Acad::ErrorStatus setBlockTableRecord(AcDbObjectId id);
    AcGePoint3d position() const;
    Acad::ErrorStatus setPosition(const AcGePoint3d& p);
    double rotation() const;
    Acad::ErrorStatus setRotation(double r);
    AcGeScale3d scaleFactors() const;
    Acad::ErrorStatus setScaleFactors(const AcGeScale3d& s);
    // Block coordinates to world: scale, rotate, move to the position (the
    // block's base point goes to the position).
    AcGeMatrix3d blockTransform() const;
    Acad::ErrorStatus appendAttribute(AcDbAttribute* attribute);
    Acad::ErrorStatus appendAttribute(AcDbObjectId& id, AcDbAttribute* attribute);
    AcDbObjectIterator* attributeIterator() const;
    Acad::ErrorStatus getGeomExtents(AcDbExtents& extents) const override;
    void subObjects(std::vector<AcDbObject*>& out) const override;

    vplat::VertexOwner& attributeOwner() { return m_attributes; }
    void setBlockIdRaw(AcDbObjectId id) { m_block = id; }

private:
    AcDbObjectId m_block;
    vplat::VertexOwner m_attributes;
};

class AcDbViewport : public AcDbEntity {
    VPLAT_DB_CLASS(AcDbViewport)
public:
    AcDbViewport();
    const wchar_t* dxfName() const override { return L"VIEWPORT"; }
    AcGePoint3d centerPoint() const;
    Acad::ErrorStatus setCenterPoint(const AcGePoint3d& p);
    double width() const;
    Acad::ErrorStatus setWidth(double w);
    double height() const;
    Acad::ErrorStatus setHeight(double h);
    AcGePoint2d viewCenter() const;
    Acad::ErrorStatus setViewCenter(const AcGePoint2d& p);
    AcGePoint3d viewTarget() const;
    Acad::ErrorStatus setViewTarget(const AcGePoint3d& p);
    AcGeVector3d viewDirection() const;
    Acad::ErrorStatus setViewDirection(const AcGeVector3d& v);
    double viewHeight() const;
    Acad::ErrorStatus setViewHeight(double h);
    double twistAngle() const;
    Acad::ErrorStatus setTwistAngle(double a);
    bool isOn() const;
    Acad::ErrorStatus setOn();
    Acad::ErrorStatus setOff();
    int number() const;
    Acad::ErrorStatus getGeomExtents(AcDbExtents& extents) const override;
};

namespace vplat {
// Model to paper through a viewport: about the view target, turned by the
// twist, scaled so that the view height fills the viewport's height, the view
// centre at the viewport's centre. Only for a view height above 0.
AcGeMatrix3d ViewportModelToPaper(const AcDbViewport* viewport);
}  // namespace vplat
