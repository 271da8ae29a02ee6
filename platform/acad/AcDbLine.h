// Simple entities: line, circle, 3D face.
#pragma once

#include "AcDbEntity.h"

class AcDbLine : public AcDbCurve {
    VPLAT_DB_CLASS(AcDbLine)
public:
    AcDbLine();
    AcDbLine(const AcGePoint3d& start, const AcGePoint3d& end);
    const wchar_t* dxfName() const override { return L"LINE"; }
    AcGePoint3d startPoint() const;
    AcGePoint3d endPoint() const;
    Acad::ErrorStatus setStartPoint(const AcGePoint3d& p);
    Acad::ErrorStatus setEndPoint(const AcGePoint3d& p);
};

class AcDbCircle : public AcDbCurve {
    VPLAT_DB_CLASS(AcDbCircle)
public:
    AcDbCircle();
    AcDbCircle(const AcGePoint3d& center, const AcGeVector3d& normal, double radius);
    const wchar_t* dxfName() const override { return L"CIRCLE"; }
    bool isClosed() const override { return true; }
    AcGePoint3d center() const;
    double radius() const;
    Acad::ErrorStatus setCenter(const AcGePoint3d& p);
    Acad::ErrorStatus setRadius(double r);
    Acad::ErrorStatus getGeomExtents(AcDbExtents& extents) const override;
};

class AcDbFace : public AcDbEntity {
    VPLAT_DB_CLASS(AcDbFace)
public:
    AcDbFace();
    AcDbFace(const AcGePoint3d& p0, const AcGePoint3d& p1, const AcGePoint3d& p2, const AcGePoint3d& p3);
    const wchar_t* dxfName() const override { return L"3DFACE"; }
    Acad::ErrorStatus getVertexAt(Adesk::UInt16 index, AcGePoint3d& p) const;
    Acad::ErrorStatus setVertexAt(Adesk::UInt16 index, const AcGePoint3d& p);
};
