// Polylines: the old-style 2D and 3D polylines, which own vertex entities,
// and the lightweight polyline, which keeps its vertices in itself.
#pragma once

#include <memory>
#include <vector>

#include "AcDbEntity.h"

namespace AcDb {
enum Poly2dType { k2dSimplePoly = 0, k2dFitCurvePoly = 1, k2dQuadSplinePoly = 2, k2dCubicSplinePoly = 3 };
enum Poly3dType { k3dSimplePoly = 0, k3dQuadSplinePoly = 1, k3dCubicSplinePoly = 2 };
enum Vertex2dType { k2dVertex = 0, k2dSplineCtlVertex = 1, k2dSplineFitVertex = 2, k2dCurveFitVertex = 3 };
}  // namespace AcDb

class AcDb2dVertex : public AcDbEntity {
    VPLAT_DB_CLASS(AcDb2dVertex)
public:
    AcDb2dVertex();
    AcDb2dVertex(const AcGePoint3d& position, double bulge = 0, double startWidth = 0, double endWidth = 0,
                 double tangent = 0);
    const wchar_t* dxfName() const override { return L"VERTEX"; }
    AcGePoint3d position() const;
    Acad::ErrorStatus setPosition(const AcGePoint3d& p);
    double bulge() const;
    Acad::ErrorStatus setBulge(double b);
    AcDb::Vertex2dType vertexType() const { return AcDb::k2dVertex; }
};

class AcDb3dPolylineVertex : public AcDbEntity {
    VPLAT_DB_CLASS(AcDb3dPolylineVertex)
public:
    AcDb3dPolylineVertex();
    explicit AcDb3dPolylineVertex(const AcGePoint3d& position);
    const wchar_t* dxfName() const override { return L"VERTEX"; }
    AcGePoint3d position() const;
    Acad::ErrorStatus setPosition(const AcGePoint3d& p);
};

namespace vplat {
// The vertices an old-style polyline owns, and its end marker.
class VertexOwner {
public:
    VertexOwner();
    std::vector<std::unique_ptr<AcDbEntity>> vertices;
    std::unique_ptr<AcDbSequenceEnd> seqEnd;
};
Acad::ErrorStatus AppendSub(AcDbEntity* owner, VertexOwner& list, AcDbEntity* sub, AcDbObjectId* id);
void Subs(const VertexOwner& list, std::vector<AcDbObject*>& out);
AcDbObjectIterator* Iterator(const VertexOwner& list);
}  // namespace vplat

class AcDb2dPolyline : public AcDbCurve {
    VPLAT_DB_CLASS(AcDb2dPolyline)
public:
    AcDb2dPolyline();
    // One vertex per point; bulges, when given, one per vertex.
    AcDb2dPolyline(AcDb::Poly2dType type, const AcGePoint3dArray& vertices, double elevation = 0,
                   bool closed = false, double defStartWidth = 0, double defEndWidth = 0,
                   const AcGeDoubleArray* bulges = nullptr);
    const wchar_t* dxfName() const override { return L"POLYLINE"; }
    AcDb::Poly2dType polyType() const { return AcDb::k2dSimplePoly; }
    bool isClosed() const override;
    Acad::ErrorStatus makeClosed();
    Acad::ErrorStatus makeOpen();
    double elevation() const;
    Acad::ErrorStatus setElevation(double e);
    Acad::ErrorStatus appendVertex(AcDb2dVertex* vertex);
    Acad::ErrorStatus appendVertex(AcDbObjectId& id, AcDb2dVertex* vertex);
    // The caller deletes the iterator.
    AcDbObjectIterator* vertexIterator() const;
    Acad::ErrorStatus getGeomExtents(AcDbExtents& extents) const override;
    void subObjects(std::vector<AcDbObject*>& out) const override;

    vplat::VertexOwner& vertexOwner() { return m_vertices; }

private:
    vplat::VertexOwner m_vertices;
};

class AcDb3dPolyline : public AcDbCurve {
    VPLAT_DB_CLASS(AcDb3dPolyline)
public:
    AcDb3dPolyline();
    AcDb3dPolyline(AcDb::Poly3dType type, const AcGePoint3dArray& vertices, bool closed = false);
    const wchar_t* dxfName() const override { return L"POLYLINE"; }
    bool isClosed() const override;
    Acad::ErrorStatus makeClosed();
    Acad::ErrorStatus makeOpen();
    Acad::ErrorStatus appendVertex(AcDb3dPolylineVertex* vertex);
    Acad::ErrorStatus appendVertex(AcDbObjectId& id, AcDb3dPolylineVertex* vertex);
    AcDbObjectIterator* vertexIterator() const;
    Acad::ErrorStatus getGeomExtents(AcDbExtents& extents) const override;
    void subObjects(std::vector<AcDbObject*>& out) const override;

    vplat::VertexOwner& vertexOwner() { return m_vertices; }

private:
    vplat::VertexOwner m_vertices;
};

// The lightweight polyline: vertices kept as (10 point, 42 bulge) pairs.
class AcDbPolyline : public AcDbCurve {
    VPLAT_DB_CLASS(AcDbPolyline)
public:
    AcDbPolyline();
    const wchar_t* dxfName() const override { return L"LWPOLYLINE"; }
    unsigned int numVerts() const;
    Acad::ErrorStatus addVertexAt(unsigned int index, const AcGePoint2d& p, double bulge = 0, double startWidth = -1,
                                  double endWidth = -1);
    Acad::ErrorStatus getPointAt(unsigned int index, AcGePoint3d& p) const;
    Acad::ErrorStatus getPointAt(unsigned int index, AcGePoint2d& p) const;
    Acad::ErrorStatus getBulgeAt(unsigned int index, double& bulge) const;
    Acad::ErrorStatus setBulgeAt(unsigned int index, double bulge);
    bool isClosed() const override;
    void setClosed(bool closed);
    double elevation() const;
    void setElevation(double e);
    Acad::ErrorStatus getGeomExtents(AcDbExtents& extents) const override;
};

namespace vplat {
// The vertices of any polyline kind as (point, bulge); false for other entities.
struct PolyVertex {
    AcGePoint3d point;
    double bulge = 0;
};
bool PolylineVertices(const AcDbEntity* entity, std::vector<PolyVertex>& out, bool* closed = nullptr);
}  // namespace vplat
