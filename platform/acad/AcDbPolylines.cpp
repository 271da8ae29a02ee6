#include "AcDbPolylines.h"

#include <cmath>

#include "AcDbDatabase.h"

using vplat::DxfTag;
using vplat::PointOf;
using vplat::SetPoint;

VPLAT_DB_CLASS_IMPL(AcDb2dVertex, AcDbEntity)
VPLAT_DB_CLASS_IMPL(AcDb3dPolylineVertex, AcDbEntity)
VPLAT_DB_CLASS_IMPL(AcDb2dPolyline, AcDbCurve)
VPLAT_DB_CLASS_IMPL(AcDb3dPolyline, AcDbCurve)
VPLAT_DB_CLASS_IMPL(AcDbPolyline, AcDbCurve)

#define WRITE_GUARD \
    if (!isWriteEnabled()) return Acad::eNotOpenForWrite

namespace vplat {

VertexOwner::VertexOwner() : seqEnd(new AcDbSequenceEnd) {}

// Adds a sub-entity to its owner: it takes the owner's layer and, when the
// owner is in a drawing, an id there.
Acad::ErrorStatus AppendSub(AcDbEntity* owner, VertexOwner& list, AcDbEntity* sub, AcDbObjectId* id) {
    if (!sub) return Acad::eNullObjectPointer;
    if (!sub->isNewObject()) return Acad::eInvalidInput;
    SetTag(sub->data(), DxfTag::Text(8, owner->layerName()));
    list.vertices.emplace_back(sub);
    sub->m_owner = owner->objectId();
    if (AcDbDatabase* db = owner->database()) {
        AcDbObjectId vid = db->store().Add(sub, 0, false);
        sub->m_owner = owner->objectId();
        if (id) *id = vid;
    } else if (id) {
        *id = AcDbObjectId();
    }
    return Acad::eOk;
}

void Subs(const VertexOwner& list, std::vector<AcDbObject*>& out) {
    for (const auto& v : list.vertices) out.push_back(v.get());
    out.push_back(list.seqEnd.get());
}

AcDbObjectIterator* Iterator(const VertexOwner& list) {
    std::vector<AcDbObject*> items;
    for (const auto& v : list.vertices) items.push_back(v.get());
    auto* it = new AcDbObjectIterator(items);
    it->start();
    while (!it->done() && it->entity() && it->entity()->isErased()) it->step();
    return it;
}

bool PolylineVertices(const AcDbEntity* e, std::vector<PolyVertex>& out, bool* closed) {
    out.clear();
    if (auto* p2 = AcDb2dPolyline::cast(e)) {
        double elev = p2->elevation();
        for (const auto& v : const_cast<AcDb2dPolyline*>(p2)->vertexOwner().vertices) {
            auto* vx = AcDb2dVertex::cast(v.get());
            if (!vx || vx->isErased()) continue;
            AcGePoint3d p = vx->position();
            p.z = elev;
            out.push_back({p, vx->bulge()});
        }
        if (closed) *closed = p2->isClosed();
        return true;
    }
    if (auto* p3 = AcDb3dPolyline::cast(e)) {
        for (const auto& v : const_cast<AcDb3dPolyline*>(p3)->vertexOwner().vertices) {
            auto* vx = AcDb3dPolylineVertex::cast(v.get());
            if (!vx || vx->isErased()) continue;
            out.push_back({vx->position(), 0});
        }
        if (closed) *closed = p3->isClosed();
        return true;
    }
    if (auto* lw = AcDbPolyline::cast(e)) {
        for (unsigned i = 0; i < lw->numVerts(); ++i) {
            PolyVertex v;
            lw->getPointAt(i, v.point);
            lw->getBulgeAt(i, v.bulge);
            out.push_back(v);
        }
        if (closed) *closed = lw->isClosed();
        return true;
    }
    return false;
}

}  // namespace vplat

AcDb2dVertex::AcDb2dVertex() : AcDb2dVertex(AcGePoint3d()) {}

AcDb2dVertex::AcDb2dVertex(const AcGePoint3d& position, double bulge, double startWidth, double endWidth,
                           double tangent) {
    SetPoint(m_data, 10, position);
    if (startWidth != 0) m_data.push_back(DxfTag::Real(40, startWidth));
    if (endWidth != 0) m_data.push_back(DxfTag::Real(41, endWidth));
    if (bulge != 0) m_data.push_back(DxfTag::Real(42, bulge));
    // A curve-fit tangent is flagged (2) and kept in degrees, as files hold it.
    m_data.push_back(DxfTag::Int(70, tangent != 0 ? 2 : 0));
    if (tangent != 0) m_data.push_back(DxfTag::Real(50, vplat::DegreesOf(tangent)));
}

AcGePoint3d AcDb2dVertex::position() const { return PointOf(m_data, 10); }

Acad::ErrorStatus AcDb2dVertex::setPosition(const AcGePoint3d& p) {
    WRITE_GUARD;
    SetPoint(m_data, 10, p);
    return Acad::eOk;
}

double AcDb2dVertex::bulge() const { return vplat::TagReal(m_data, 42); }

Acad::ErrorStatus AcDb2dVertex::setBulge(double b) {
    WRITE_GUARD;
    vplat::SetTag(m_data, DxfTag::Real(42, b));
    return Acad::eOk;
}

AcDb3dPolylineVertex::AcDb3dPolylineVertex() : AcDb3dPolylineVertex(AcGePoint3d()) {}

AcDb3dPolylineVertex::AcDb3dPolylineVertex(const AcGePoint3d& position) {
    SetPoint(m_data, 10, position);
    m_data.push_back(DxfTag::Int(70, 32));
}

AcGePoint3d AcDb3dPolylineVertex::position() const { return PointOf(m_data, 10); }

Acad::ErrorStatus AcDb3dPolylineVertex::setPosition(const AcGePoint3d& p) {
    WRITE_GUARD;
    SetPoint(m_data, 10, p);
    return Acad::eOk;
}

AcDb2dPolyline::AcDb2dPolyline() {
    SetPoint(m_data, 10, AcGePoint3d());
    m_data.push_back(DxfTag::Int(70, 0));
}

AcDb2dPolyline::AcDb2dPolyline(AcDb::Poly2dType, const AcGePoint3dArray& vertices, double elevation, bool closed,
                               double defStartWidth, double defEndWidth, const AcGeDoubleArray* bulges) {
    SetPoint(m_data, 10, AcGePoint3d(0, 0, elevation));
    m_data.push_back(DxfTag::Int(70, closed ? 1 : 0));
    if (defStartWidth != 0) m_data.push_back(DxfTag::Real(40, defStartWidth));
    if (defEndWidth != 0) m_data.push_back(DxfTag::Real(41, defEndWidth));
    for (int i = 0; i < vertices.length(); ++i) {
        double b = bulges && i < bulges->length() ? (*bulges)[i] : 0.0;
        AcGePoint3d p = vertices[i];
        p.z = elevation;
        appendVertex(new AcDb2dVertex(p, b));
    }
}

bool AcDb2dPolyline::isClosed() const { return (vplat::TagInt(m_data, 70) & 1) != 0; }

Acad::ErrorStatus AcDb2dPolyline::makeClosed() {
    WRITE_GUARD;
    vplat::SetTag(m_data, DxfTag::Int(70, vplat::TagInt(m_data, 70) | 1));
    return Acad::eOk;
}

Acad::ErrorStatus AcDb2dPolyline::makeOpen() {
    WRITE_GUARD;
    vplat::SetTag(m_data, DxfTag::Int(70, vplat::TagInt(m_data, 70) & ~int64_t(1)));
    return Acad::eOk;
}

double AcDb2dPolyline::elevation() const { return PointOf(m_data, 10).z; }

Acad::ErrorStatus AcDb2dPolyline::setElevation(double e) {
    WRITE_GUARD;
    SetPoint(m_data, 10, AcGePoint3d(0, 0, e));
    return Acad::eOk;
}

Acad::ErrorStatus AcDb2dPolyline::appendVertex(AcDb2dVertex* v) {
    AcDbObjectId id;
    return appendVertex(id, v);
}

Acad::ErrorStatus AcDb2dPolyline::appendVertex(AcDbObjectId& id, AcDb2dVertex* v) {
    WRITE_GUARD;
    return vplat::AppendSub(this, m_vertices, v, &id);
}

AcDbObjectIterator* AcDb2dPolyline::vertexIterator() const { return vplat::Iterator(m_vertices); }

void AcDb2dPolyline::subObjects(std::vector<AcDbObject*>& out) const { vplat::Subs(m_vertices, out); }

namespace {
Acad::ErrorStatus ExtentsOf(const AcDbEntity* e, AcDbExtents& ext) {
    std::vector<vplat::PolyVertex> vs;
    vplat::PolylineVertices(e, vs);
    ext = AcDbExtents();
    for (const auto& v : vs) ext.addPoint(v.point);
    return vs.empty() ? Acad::eInvalidExtents : Acad::eOk;
}
}  // namespace

Acad::ErrorStatus AcDb2dPolyline::getGeomExtents(AcDbExtents& e) const { return ExtentsOf(this, e); }

AcDb3dPolyline::AcDb3dPolyline() {
    SetPoint(m_data, 10, AcGePoint3d());
    m_data.push_back(DxfTag::Int(70, 8));
}

AcDb3dPolyline::AcDb3dPolyline(AcDb::Poly3dType, const AcGePoint3dArray& vertices, bool closed) : AcDb3dPolyline() {
    if (closed) vplat::SetTag(m_data, DxfTag::Int(70, 9));
    for (int i = 0; i < vertices.length(); ++i) appendVertex(new AcDb3dPolylineVertex(vertices[i]));
}

bool AcDb3dPolyline::isClosed() const { return (vplat::TagInt(m_data, 70) & 1) != 0; }

Acad::ErrorStatus AcDb3dPolyline::makeClosed() {
    WRITE_GUARD;
    vplat::SetTag(m_data, DxfTag::Int(70, vplat::TagInt(m_data, 70) | 1));
    return Acad::eOk;
}

Acad::ErrorStatus AcDb3dPolyline::makeOpen() {
    WRITE_GUARD;
    vplat::SetTag(m_data, DxfTag::Int(70, vplat::TagInt(m_data, 70) & ~int64_t(1)));
    return Acad::eOk;
}

Acad::ErrorStatus AcDb3dPolyline::appendVertex(AcDb3dPolylineVertex* v) {
    AcDbObjectId id;
    return appendVertex(id, v);
}

Acad::ErrorStatus AcDb3dPolyline::appendVertex(AcDbObjectId& id, AcDb3dPolylineVertex* v) {
    WRITE_GUARD;
    return vplat::AppendSub(this, m_vertices, v, &id);
}

AcDbObjectIterator* AcDb3dPolyline::vertexIterator() const { return vplat::Iterator(m_vertices); }

void AcDb3dPolyline::subObjects(std::vector<AcDbObject*>& out) const { vplat::Subs(m_vertices, out); }

Acad::ErrorStatus AcDb3dPolyline::getGeomExtents(AcDbExtents& e) const { return ExtentsOf(this, e); }

AcDbPolyline::AcDbPolyline() {
    m_data.push_back(DxfTag::Int(90, 0));
    m_data.push_back(DxfTag::Int(70, 0));
}

unsigned int AcDbPolyline::numVerts() const {
    unsigned n = 0;
    for (const DxfTag& t : m_data)
        if (t.code == 10) ++n;
    return n;
}

namespace {
// Position in the tags of vertex i's point.
long VertexTag(const vplat::DxfTags& tags, unsigned i) {
    for (size_t k = 0; k < tags.size(); ++k)
        if (tags[k].code == 10 && i-- == 0) return static_cast<long>(k);
    return -1;
}
}  // namespace

Acad::ErrorStatus AcDbPolyline::addVertexAt(unsigned int index, const AcGePoint2d& p, double bulge, double, double) {
    WRITE_GUARD;
    unsigned n = numVerts();
    if (index > n) return Acad::eInvalidIndex;
    double elev = elevation();
    long at = index == n ? static_cast<long>(m_data.size()) : VertexTag(m_data, index);
    m_data.insert(m_data.begin() + at, DxfTag::Real(42, bulge));
    m_data.insert(m_data.begin() + at, DxfTag::Point(10, p.x, p.y, elev));
    vplat::SetTag(m_data, DxfTag::Int(90, n + 1));
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::getPointAt(unsigned int index, AcGePoint3d& p) const {
    long k = VertexTag(m_data, index);
    if (k < 0) return Acad::eInvalidIndex;
    const DxfTag& t = m_data[static_cast<size_t>(k)];
    p.set(t.v()[0], t.v()[1], elevation());
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::getPointAt(unsigned int index, AcGePoint2d& p) const {
    AcGePoint3d q;
    Acad::ErrorStatus es = getPointAt(index, q);
    p = q.convert2d();
    return es;
}

Acad::ErrorStatus AcDbPolyline::getBulgeAt(unsigned int index, double& bulge) const {
    long k = VertexTag(m_data, index);
    if (k < 0) return Acad::eInvalidIndex;
    bulge = 0;
    for (size_t j = static_cast<size_t>(k) + 1; j < m_data.size() && m_data[j].code != 10; ++j)
        if (m_data[j].code == 42) bulge = m_data[j].v()[0];
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::setBulgeAt(unsigned int index, double bulge) {
    WRITE_GUARD;
    long k = VertexTag(m_data, index);
    if (k < 0) return Acad::eInvalidIndex;
    size_t j = static_cast<size_t>(k) + 1;
    for (; j < m_data.size() && m_data[j].code != 10; ++j)
        if (m_data[j].code == 42) {
            m_data[j].SetV(0, bulge);
            return Acad::eOk;
        }
    m_data.insert(m_data.begin() + static_cast<long>(k) + 1, DxfTag::Real(42, bulge));
    return Acad::eOk;
}

bool AcDbPolyline::isClosed() const { return (vplat::TagInt(m_data, 70) & 1) != 0; }

void AcDbPolyline::setClosed(bool closed) {
    int64_t f = vplat::TagInt(m_data, 70);
    vplat::SetTag(m_data, DxfTag::Int(70, closed ? (f | 1) : (f & ~int64_t(1))));
}

double AcDbPolyline::elevation() const { return vplat::TagReal(m_data, 38); }

void AcDbPolyline::setElevation(double e) {
    vplat::SetTag(m_data, DxfTag::Real(38, e));
    for (DxfTag& t : m_data)
        if (t.code == 10) t.SetV(2, e);
}

Acad::ErrorStatus AcDbPolyline::getGeomExtents(AcDbExtents& e) const { return ExtentsOf(this, e); }
