#include "AcDbBlockReference.h"

#include <cmath>

#include "AcDbDatabase.h"
#include "BlockNesting.h"

using vplat::DxfTag;
using vplat::PointOf;
using vplat::SetPoint;

VPLAT_DB_CLASS_IMPL(AcDbBlockReference, AcDbEntity)
VPLAT_DB_CLASS_IMPL(AcDbViewport, AcDbEntity)

#define WRITE_GUARD \
    if (!isWriteEnabled()) return Acad::eNotOpenForWrite

AcDbBlockReference::AcDbBlockReference() : AcDbBlockReference(AcGePoint3d(), AcDbObjectId()) {}

AcDbBlockReference::AcDbBlockReference(const AcGePoint3d& position, AcDbObjectId block) : m_block(block) {
    SetPoint(m_data, 10, position);
    m_data.push_back(DxfTag::Real(41, 1.0));
    m_data.push_back(DxfTag::Real(42, 1.0));
    m_data.push_back(DxfTag::Real(43, 1.0));
    m_data.push_back(DxfTag::Real(50, 0.0));
}

Acad::ErrorStatus AcDbBlockReference::setBlockTableRecord(AcDbObjectId id) {
    WRITE_GUARD;
    if (!vplat::Peek<AcDbBlockTableRecord>(id)) return Acad::eInvalidInput;
    if (vplat::WouldInsertItself(id, ownerId())) return Acad::eSelfReference;
    m_block = id;
    return Acad::eOk;
}

AcGePoint3d AcDbBlockReference::position() const { return PointOf(m_data, 10); }

Acad::ErrorStatus AcDbBlockReference::setPosition(const AcGePoint3d& p) {
    WRITE_GUARD;
    SetPoint(m_data, 10, p);
    return Acad::eOk;
}

double AcDbBlockReference::rotation() const { return vplat::TagAngle(m_data, 50); }

Acad::ErrorStatus AcDbBlockReference::setRotation(double r) {
    WRITE_GUARD;
    vplat::SetAngleTag(m_data, 50, r);
    return Acad::eOk;
}

AcGeScale3d AcDbBlockReference::scaleFactors() const {
    return {vplat::TagReal(m_data, 41, 1), vplat::TagReal(m_data, 42, 1), vplat::TagReal(m_data, 43, 1)};
}

Acad::ErrorStatus AcDbBlockReference::setScaleFactors(const AcGeScale3d& s) {
    WRITE_GUARD;
    vplat::SetTag(m_data, DxfTag::Real(41, s.sx));
    vplat::SetTag(m_data, DxfTag::Real(42, s.sy));
    vplat::SetTag(m_data, DxfTag::Real(43, s.sz));
    return Acad::eOk;
}

AcGeMatrix3d AcDbBlockReference::blockTransform() const {
    AcGeScale3d s = scaleFactors();
    AcGeMatrix3d scale;
    scale.entry[0][0] = s.sx, scale.entry[1][1] = s.sy, scale.entry[2][2] = s.sz;
    AcGePoint3d base;
    if (auto* b = vplat::Peek<AcDbBlockTableRecord>(m_block)) base = b->origin();
    AcGePoint3d p = position();
    return AcGeMatrix3d::translation(AcGeVector3d(p.x, p.y, p.z)) *
           AcGeMatrix3d::rotation(rotation(), AcGeVector3d::kZAxis) * scale *
           AcGeMatrix3d::translation(AcGeVector3d(-base.x, -base.y, -base.z));
}

Acad::ErrorStatus AcDbBlockReference::appendAttribute(AcDbAttribute* a) {
    AcDbObjectId id;
    return appendAttribute(id, a);
}

Acad::ErrorStatus AcDbBlockReference::appendAttribute(AcDbObjectId& id, AcDbAttribute* a) {
    WRITE_GUARD;
    std::wstring layer = a ? a->layerName() : L"0";
    Acad::ErrorStatus es = vplat::AppendSub(this, m_attributes, a, &id);
    if (es != Acad::eOk) return es;
    // An attribute keeps its own layer; appended to a reference of a drawing
    // it joins the drawing open for write, and the caller closes it.
    vplat::SetTag(a->data(), DxfTag::Text(8, layer));
    if (!id.isNull()) a->m_writer = true;
    return es;
}

AcDbObjectIterator* AcDbBlockReference::attributeIterator() const { return vplat::Iterator(m_attributes); }

void AcDbBlockReference::subObjects(std::vector<AcDbObject*>& out) const {
    if (!m_attributes.vertices.empty()) vplat::Subs(m_attributes, out);
}

namespace {
// The expansion the current extents call belongs to: nested references share
// the outermost reference's depth and budget.
thread_local int t_depth = 0;
thread_local vplat::ExpansionBudget* t_budget = nullptr;

class NestedExpansion {
public:
    NestedExpansion() : m_outer(t_budget == nullptr) {
        if (m_outer) t_budget = &m_own;
        ++t_depth;
    }
    ~NestedExpansion() {
        --t_depth;
        if (m_outer) t_budget = nullptr;
    }
    NestedExpansion(const NestedExpansion&) = delete;
    NestedExpansion& operator=(const NestedExpansion&) = delete;
    bool Deeper() const { return t_depth <= vplat::kMaxBlockDepth; }

private:
    vplat::ExpansionBudget m_own;
    bool m_outer;
};
}  // namespace

Acad::ErrorStatus AcDbBlockReference::getGeomExtents(AcDbExtents& e) const {
    e = AcDbExtents();
    auto* b = vplat::Peek<AcDbBlockTableRecord>(m_block);
    NestedExpansion nesting;
    if (b && nesting.Deeper()) {
        for (AcDbObjectId id : b->entityIds()) {
            if (!t_budget->Take()) break;
            auto* ent = vplat::Peek<AcDbEntity>(id);
            if (!ent || ent->isErased() || AcDbAttributeDefinition::cast(ent)) continue;
            AcDbExtents x;
            if (ent->getGeomExtents(x) == Acad::eOk) e.addExt(x);
        }
        e.transformBy(blockTransform());
    }
    for (const auto& a : m_attributes.vertices) {
        AcDbExtents x;
        if (!a->isErased() && a->getGeomExtents(x) == Acad::eOk) e.addExt(x);
    }
    if (e.isEmpty()) e.addPoint(position());
    return Acad::eOk;
}

AcDbViewport::AcDbViewport() {
    SetPoint(m_data, 10, AcGePoint3d());
    m_data.push_back(DxfTag::Real(40, 1));
    m_data.push_back(DxfTag::Real(41, 1));
    m_data.push_back(DxfTag::Int(68, 0));
    m_data.push_back(DxfTag::Int(69, 2));
    m_data.push_back(DxfTag::Point(12, 0, 0, 0));
    m_data.push_back(DxfTag::Point(16, 0, 0, 1));
    m_data.push_back(DxfTag::Point(17, 0, 0, 0));
    m_data.push_back(DxfTag::Real(45, 1));
    m_data.push_back(DxfTag::Real(51, 0));
    m_data.push_back(DxfTag::Int(90, 32864));
}

AcGePoint3d AcDbViewport::centerPoint() const { return PointOf(m_data, 10); }

Acad::ErrorStatus AcDbViewport::setCenterPoint(const AcGePoint3d& p) {
    WRITE_GUARD;
    SetPoint(m_data, 10, p);
    return Acad::eOk;
}

double AcDbViewport::width() const { return vplat::TagReal(m_data, 40); }

Acad::ErrorStatus AcDbViewport::setWidth(double w) {
    WRITE_GUARD;
    vplat::SetTag(m_data, DxfTag::Real(40, w));
    return Acad::eOk;
}

double AcDbViewport::height() const { return vplat::TagReal(m_data, 41); }

Acad::ErrorStatus AcDbViewport::setHeight(double h) {
    WRITE_GUARD;
    vplat::SetTag(m_data, DxfTag::Real(41, h));
    return Acad::eOk;
}

AcGePoint2d AcDbViewport::viewCenter() const { return PointOf(m_data, 12).convert2d(); }

Acad::ErrorStatus AcDbViewport::setViewCenter(const AcGePoint2d& p) {
    WRITE_GUARD;
    SetPoint(m_data, 12, AcGePoint3d(p.x, p.y, 0));
    return Acad::eOk;
}

AcGePoint3d AcDbViewport::viewTarget() const { return PointOf(m_data, 17); }

Acad::ErrorStatus AcDbViewport::setViewTarget(const AcGePoint3d& p) {
    WRITE_GUARD;
    SetPoint(m_data, 17, p);
    return Acad::eOk;
}

AcGeVector3d AcDbViewport::viewDirection() const {
    AcGePoint3d p = PointOf(m_data, 16);
    return {p.x, p.y, p.z};
}

Acad::ErrorStatus AcDbViewport::setViewDirection(const AcGeVector3d& v) {
    WRITE_GUARD;
    SetPoint(m_data, 16, AcGePoint3d(v.x, v.y, v.z));
    return Acad::eOk;
}

double AcDbViewport::viewHeight() const { return vplat::TagReal(m_data, 45, 1); }

Acad::ErrorStatus AcDbViewport::setViewHeight(double h) {
    WRITE_GUARD;
    if (h <= 0) return Acad::eInvalidInput;
    vplat::SetTag(m_data, DxfTag::Real(45, h));
    return Acad::eOk;
}

double AcDbViewport::twistAngle() const { return vplat::TagAngle(m_data, 51); }

Acad::ErrorStatus AcDbViewport::setTwistAngle(double a) {
    WRITE_GUARD;
    vplat::SetAngleTag(m_data, 51, a);
    return Acad::eOk;
}

bool AcDbViewport::isOn() const { return vplat::TagInt(m_data, 68) > 0; }

Acad::ErrorStatus AcDbViewport::setOn() {
    WRITE_GUARD;
    vplat::SetTag(m_data, DxfTag::Int(68, 1));
    return Acad::eOk;
}

Acad::ErrorStatus AcDbViewport::setOff() {
    WRITE_GUARD;
    vplat::SetTag(m_data, DxfTag::Int(68, 0));
    return Acad::eOk;
}

int AcDbViewport::number() const { return static_cast<int>(vplat::TagInt(m_data, 69)); }

Acad::ErrorStatus AcDbViewport::getGeomExtents(AcDbExtents& e) const {
    AcGePoint3d c = centerPoint();
    double w = width() / 2, h = height() / 2;
    e.set(AcGePoint3d(c.x - w, c.y - h, c.z), AcGePoint3d(c.x + w, c.y + h, c.z));
    return Acad::eOk;
}

namespace vplat {
AcGeMatrix3d ViewportModelToPaper(const AcDbViewport* vp) {
    AcGePoint3d c = vp->centerPoint();
    double s = vp->height() / vp->viewHeight();
    AcGePoint3d tg = vp->viewTarget();
    AcGePoint2d vc = vp->viewCenter();
    return AcGeMatrix3d::translation(AcGeVector3d(c.x, c.y, 0)) * AcGeMatrix3d::scaling(s) *
           AcGeMatrix3d::translation(AcGeVector3d(-vc.x, -vc.y, 0)) *
           AcGeMatrix3d::rotation(vp->twistAngle(), AcGeVector3d::kZAxis) *
           AcGeMatrix3d::translation(AcGeVector3d(-tg.x, -tg.y, -tg.z));
}
}  // namespace vplat
