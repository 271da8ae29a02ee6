#include "AcDbLine.h"

#include <cmath>

using vplat::DxfTag;

VPLAT_DB_CLASS_IMPL(AcDbLine, AcDbCurve)
VPLAT_DB_CLASS_IMPL(AcDbCircle, AcDbCurve)
VPLAT_DB_CLASS_IMPL(AcDbFace, AcDbEntity)

namespace vplat {
AcGePoint3d PointOf(const DxfTags& tags, int code) {
    double p[3] = {0, 0, 0};
    TagPoint(tags, code, p);
    return asPnt3d(p);
}
void SetPoint(DxfTags& tags, int code, const AcGePoint3d& p) { SetTag(tags, DxfTag::Point(code, p.x, p.y, p.z)); }
}  // namespace vplat

using vplat::PointOf;
using vplat::SetPoint;

#define WRITE_GUARD \
    if (!isWriteEnabled()) return Acad::eNotOpenForWrite

AcDbLine::AcDbLine() : AcDbLine(AcGePoint3d(), AcGePoint3d()) {}

AcDbLine::AcDbLine(const AcGePoint3d& s, const AcGePoint3d& e) {
    SetPoint(m_data, 10, s);
    SetPoint(m_data, 11, e);
}

AcGePoint3d AcDbLine::startPoint() const { return PointOf(m_data, 10); }
AcGePoint3d AcDbLine::endPoint() const { return PointOf(m_data, 11); }

Acad::ErrorStatus AcDbLine::setStartPoint(const AcGePoint3d& p) {
    WRITE_GUARD;
    SetPoint(m_data, 10, p);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbLine::setEndPoint(const AcGePoint3d& p) {
    WRITE_GUARD;
    SetPoint(m_data, 11, p);
    return Acad::eOk;
}

AcDbCircle::AcDbCircle() : AcDbCircle(AcGePoint3d(), AcGeVector3d::kZAxis, 0) {}

AcDbCircle::AcDbCircle(const AcGePoint3d& c, const AcGeVector3d&, double r) {
    SetPoint(m_data, 10, c);
    m_data.push_back(DxfTag::Real(40, r));
}

AcGePoint3d AcDbCircle::center() const { return PointOf(m_data, 10); }
double AcDbCircle::radius() const { return vplat::TagReal(m_data, 40); }

Acad::ErrorStatus AcDbCircle::setCenter(const AcGePoint3d& p) {
    WRITE_GUARD;
    SetPoint(m_data, 10, p);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbCircle::setRadius(double r) {
    WRITE_GUARD;
    if (r <= 0) return Acad::eInvalidInput;
    vplat::SetTag(m_data, DxfTag::Real(40, r));
    return Acad::eOk;
}

Acad::ErrorStatus AcDbCircle::getGeomExtents(AcDbExtents& e) const {
    AcGePoint3d c = center();
    double r = radius();
    e.set(AcGePoint3d(c.x - r, c.y - r, c.z), AcGePoint3d(c.x + r, c.y + r, c.z));
    return Acad::eOk;
}

AcDbFace::AcDbFace() : AcDbFace(AcGePoint3d(), AcGePoint3d(), AcGePoint3d(), AcGePoint3d()) {}

AcDbFace::AcDbFace(const AcGePoint3d& p0, const AcGePoint3d& p1, const AcGePoint3d& p2, const AcGePoint3d& p3) {
    SetPoint(m_data, 10, p0);
    SetPoint(m_data, 11, p1);
    SetPoint(m_data, 12, p2);
    SetPoint(m_data, 13, p3);
}

Acad::ErrorStatus AcDbFace::getVertexAt(Adesk::UInt16 i, AcGePoint3d& p) const {
    if (i > 3) return Acad::eInvalidIndex;
    p = PointOf(m_data, 10 + i);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbFace::setVertexAt(Adesk::UInt16 i, const AcGePoint3d& p) {
    WRITE_GUARD;
    if (i > 3) return Acad::eInvalidIndex;
    SetPoint(m_data, 10 + i, p);
    return Acad::eOk;
}
