#include "AcDbText.h"

#include <cmath>

using vplat::DxfTag;
using vplat::PointOf;
using vplat::SetPoint;

VPLAT_DB_CLASS_IMPL(AcDbText, AcDbEntity)
VPLAT_DB_CLASS_IMPL(AcDbAttribute, AcDbText)
VPLAT_DB_CLASS_IMPL(AcDbAttributeDefinition, AcDbText)

#define WRITE_GUARD \
    if (!isWriteEnabled()) return Acad::eNotOpenForWrite

AcDbText::AcDbText() : AcDbText(AcGePoint3d(), L"") {}

AcDbText::AcDbText(const AcGePoint3d& position, const ACHAR* text, AcDbObjectId, double height, double rotation) {
    SetPoint(m_data, 10, position);
    m_data.push_back(DxfTag::Real(40, height > 0 ? height : 2.5));
    m_data.push_back(DxfTag::Text(1, text ? text : L""));
    m_data.push_back(DxfTag::Real(50, vplat::DegreesOf(rotation)));
}

AcGePoint3d AcDbText::position() const { return PointOf(m_data, 10); }

Acad::ErrorStatus AcDbText::setPosition(const AcGePoint3d& p) {
    WRITE_GUARD;
    SetPoint(m_data, 10, p);
    return Acad::eOk;
}

AcGePoint3d AcDbText::alignmentPoint() const {
    return vplat::FindTag(m_data, 11) ? PointOf(m_data, 11) : position();
}

Acad::ErrorStatus AcDbText::setAlignmentPoint(const AcGePoint3d& p) {
    WRITE_GUARD;
    SetPoint(m_data, 11, p);
    return Acad::eOk;
}

ACHAR* AcDbText::textString() const { return vplat::NewString(vplat::TagText(m_data, 1)); }

const ACHAR* AcDbText::textStringConst() const {
    const DxfTag* t = vplat::FindTag(m_data, 1);
    return t ? t->c_str() : L"";
}

Acad::ErrorStatus AcDbText::setTextString(const ACHAR* text) {
    WRITE_GUARD;
    vplat::SetTag(m_data, DxfTag::Text(1, text ? text : L""));
    return Acad::eOk;
}

double AcDbText::height() const { return vplat::TagReal(m_data, 40); }

Acad::ErrorStatus AcDbText::setHeight(double h) {
    WRITE_GUARD;
    if (h <= 0) return Acad::eInvalidInput;
    vplat::SetTag(m_data, DxfTag::Real(40, h));
    return Acad::eOk;
}

double AcDbText::rotation() const { return vplat::TagAngle(m_data, 50); }

Acad::ErrorStatus AcDbText::setRotation(double r) {
    WRITE_GUARD;
    vplat::SetAngleTag(m_data, 50, r);
    return Acad::eOk;
}

int AcDbText::horizontalMode() const { return static_cast<int>(vplat::TagInt(m_data, 72)); }

Acad::ErrorStatus AcDbText::setHorizontalMode(int mode) {
    WRITE_GUARD;
    vplat::SetTag(m_data, DxfTag::Int(72, mode));
    return Acad::eOk;
}

int AcDbText::verticalMode() const { return static_cast<int>(vplat::TagInt(m_data, verticalCode())); }

Acad::ErrorStatus AcDbText::setVerticalMode(int mode) {
    WRITE_GUARD;
    vplat::SetTag(m_data, DxfTag::Int(verticalCode(), mode));
    return Acad::eOk;
}

Acad::ErrorStatus AcDbText::getGeomExtents(AcDbExtents& e) const {
    // The fixed text model: each character as wide as 0.6 of the height.
    AcGePoint3d p = position();
    double h = height();
    double w = 0.6 * h * static_cast<double>(std::wstring(textStringConst()).size());
    double a = rotation();
    AcGeVector3d u(std::cos(a), std::sin(a), 0), v(-std::sin(a), std::cos(a), 0);
    e = AcDbExtents();
    e.addPoint(p);
    e.addPoint(p + u * w);
    e.addPoint(p + v * h);
    e.addPoint(p + u * w + v * h);
    return Acad::eOk;
}

AcDbAttribute::AcDbAttribute() : AcDbAttribute(AcGePoint3d(), L"", L"") {}

AcDbAttribute::AcDbAttribute(const AcGePoint3d& position, const ACHAR* text, const ACHAR* tag, AcDbObjectId style)
    : AcDbText(position, text, style) {
    m_data.push_back(DxfTag::Text(2, tag ? tag : L""));
    m_data.push_back(DxfTag::Int(70, 0));
}

ACHAR* AcDbAttribute::tag() const { return vplat::NewString(vplat::TagText(m_data, 2)); }

const ACHAR* AcDbAttribute::tagConst() const {
    const DxfTag* t = vplat::FindTag(m_data, 2);
    return t ? t->c_str() : L"";
}

Acad::ErrorStatus AcDbAttribute::setTag(const ACHAR* tag) {
    WRITE_GUARD;
    vplat::SetTag(m_data, DxfTag::Text(2, tag ? tag : L""));
    return Acad::eOk;
}

bool AcDbText::invisibleFlag() const { return (vplat::TagInt(m_data, 70) & 1) != 0; }

Acad::ErrorStatus AcDbText::setInvisibleFlag(bool invisible) {
    WRITE_GUARD;
    int64_t f = vplat::TagInt(m_data, 70);
    vplat::SetTag(m_data, DxfTag::Int(70, invisible ? (f | 1) : (f & ~int64_t(1))));
    return Acad::eOk;
}

Acad::ErrorStatus AcDbText::setFieldLengthTag(Adesk::UInt16 length) {
    WRITE_GUARD;
    vplat::SetTag(m_data, DxfTag::Int(73, length));
    return Acad::eOk;
}

Acad::ErrorStatus AcDbText::setTextStyle(AcDbObjectId style) {
    WRITE_GUARD;
    m_style = style;
    return Acad::eOk;
}

double AcDbText::widthFactor() const {
    const vplat::DxfTag* t = vplat::FindTag(m_data, 41);
    return t ? t->v()[0] : 1.0;
}

Acad::ErrorStatus AcDbText::setWidthFactor(double factor) {
    WRITE_GUARD;
    if (!(factor > 0)) return Acad::eInvalidInput;
    vplat::SetTag(m_data, DxfTag::Real(41, factor));
    return Acad::eOk;
}

Adesk::UInt16 AcDbAttribute::fieldLength() const { return static_cast<Adesk::UInt16>(vplat::TagInt(m_data, 73)); }
Adesk::UInt16 AcDbAttributeDefinition::fieldLength() const {
    return static_cast<Adesk::UInt16>(vplat::TagInt(m_data, 73));
}

Acad::ErrorStatus AcDbAttribute::setAttributeFromBlock(const AcDbAttributeDefinition* def, const AcGeMatrix3d& m) {
    WRITE_GUARD;
    if (!def) return Acad::eNullObjectPointer;
    AcGePoint3d p = def->position();
    AcGePoint3d a = def->alignmentPoint();
    AcGeVector3d dir(std::cos(def->rotation()), std::sin(def->rotation()), 0);
    dir.transformBy(m);
    // The height grows with the reference's scale across the text.
    AcGeVector3d up(-std::sin(def->rotation()), std::cos(def->rotation()), 0);
    up.transformBy(m);
    double height = def->height() * std::hypot(up.x, up.y);
    SetPoint(m_data, 10, p.transformBy(m));
    if (vplat::FindTag(def->data(), 11)) SetPoint(m_data, 11, a.transformBy(m));
    vplat::SetTag(m_data, DxfTag::Real(40, height > 0 ? height : def->height()));
    vplat::SetAngleTag(m_data, 50, std::atan2(dir.y, dir.x));
    vplat::SetTag(m_data, DxfTag::Text(1, def->textStringConst()));
    vplat::SetTag(m_data, DxfTag::Text(2, def->tagConst()));
    vplat::SetTag(m_data, DxfTag::Int(72, def->horizontalMode()));
    vplat::SetTag(m_data, DxfTag::Int(74, def->verticalMode()));
    vplat::SetTag(m_data, DxfTag::Text(8, def->layerName()));
    return Acad::eOk;
}

AcDbAttributeDefinition::AcDbAttributeDefinition() : AcDbAttributeDefinition(AcGePoint3d(), L"", L"", L"") {}

AcDbAttributeDefinition::AcDbAttributeDefinition(const AcGePoint3d& position, const ACHAR* text, const ACHAR* tag,
                                                 const ACHAR* prompt, AcDbObjectId style)
    : AcDbText(position, text, style) {
    m_data.push_back(DxfTag::Text(3, prompt ? prompt : L""));
    m_data.push_back(DxfTag::Text(2, tag ? tag : L""));
    m_data.push_back(DxfTag::Int(70, 0));
}

ACHAR* AcDbAttributeDefinition::tag() const { return vplat::NewString(vplat::TagText(m_data, 2)); }

const ACHAR* AcDbAttributeDefinition::tagConst() const {
    const DxfTag* t = vplat::FindTag(m_data, 2);
    return t ? t->c_str() : L"";
}

Acad::ErrorStatus AcDbAttributeDefinition::setTag(const ACHAR* tag) {
    WRITE_GUARD;
    vplat::SetTag(m_data, DxfTag::Text(2, tag ? tag : L""));
    return Acad::eOk;
}

ACHAR* AcDbAttributeDefinition::prompt() const { return vplat::NewString(vplat::TagText(m_data, 3)); }

const ACHAR* AcDbAttributeDefinition::promptConst() const {
    const DxfTag* t = vplat::FindTag(m_data, 3);
    return t ? t->c_str() : L"";
}

Acad::ErrorStatus AcDbAttributeDefinition::setPrompt(const ACHAR* prompt) {
    WRITE_GUARD;
    vplat::SetTag(m_data, DxfTag::Text(3, prompt ? prompt : L""));
    return Acad::eOk;
}

bool AcDbAttributeDefinition::isConstant() const { return (vplat::TagInt(m_data, 70) & 2) != 0; }
