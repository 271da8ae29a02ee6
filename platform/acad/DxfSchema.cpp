#include "DxfSchema.h"

#include <algorithm>

#include "AcDbDatabase.h"

namespace vplat {

namespace {
const std::vector<int> kTextCodes = {39, 10, 40, 1, 50, 41, 51, 71, 72, 11, 210};
}

const std::vector<int>& CommonEntityCodes() {
    static const std::vector<int> codes = {8, 62, 370, 420};
    return codes;
}

namespace {

// Kinds in the order they are told apart: a kind derived from another comes
// before it (attributes are texts).
std::vector<std::pair<AcRxClass*, const std::vector<DxfSubclass>*>> SchemaTable() {
    static const std::vector<DxfSubclass> line = {{"AcDbLine", {39, 10, 11, 210}}};
    static const std::vector<DxfSubclass> circle = {{"AcDbCircle", {39, 10, 40, 210}}};
    static const std::vector<DxfSubclass> text = {{"AcDbText", kTextCodes}, {"AcDbText", {73}}};
    static const std::vector<DxfSubclass> face = {{"AcDbFace", {10, 11, 12, 13, 70}}};
    static const std::vector<DxfSubclass> poly2d = {{"AcDb2dPolyline", {10, 39, 70, 40, 41, 71, 72, 73, 74, 75, 210}}};
    static const std::vector<DxfSubclass> poly3d = {{"AcDb3dPolyline", {10, 70, 210}}};
    static const std::vector<DxfSubclass> vertex2d = {{"AcDbVertex", {}}, {"AcDb2dVertex", {10, 40, 41, 42, 70, 50}}};
    static const std::vector<DxfSubclass> vertex3d = {{"AcDbVertex", {}}, {"AcDb3dPolylineVertex", {10, 70}}};
    static const std::vector<DxfSubclass> seqend = {};
    static const std::vector<DxfSubclass> lwpoly = {{"AcDbPolyline", {90, 70, 43, 38, 39, 10, 40, 41, 42, 210}}};
    static const std::vector<DxfSubclass> insert = {{"AcDbBlockReference", {10, 41, 42, 43, 50, 70, 71, 44, 45, 210}}};
    static const std::vector<DxfSubclass> attrib = {{"AcDbText", kTextCodes}, {"AcDbAttribute", {2, 70, 73, 74}}};
    static const std::vector<DxfSubclass> attdef = {{"AcDbText", kTextCodes},
                                                    {"AcDbAttributeDefinition", {3, 2, 70, 73, 74}}};
    static const std::vector<DxfSubclass> viewport = {
        {"AcDbViewport", {10, 40, 41, 68, 69, 12, 13, 14, 15, 16, 17, 42, 43, 44, 45, 50, 51, 72, 90, 281, 71, 74}}};
    return {{AcDbLine::desc(), &line},
            {AcDbCircle::desc(), &circle},
            {AcDbAttribute::desc(), &attrib},
            {AcDbAttributeDefinition::desc(), &attdef},
            {AcDbText::desc(), &text},
            {AcDbFace::desc(), &face},
            {AcDb2dPolyline::desc(), &poly2d},
            {AcDb3dPolyline::desc(), &poly3d},
            {AcDb2dVertex::desc(), &vertex2d},
            {AcDb3dPolylineVertex::desc(), &vertex3d},
            {AcDbSequenceEnd::desc(), &seqend},
            {AcDbPolyline::desc(), &lwpoly},
            {AcDbBlockReference::desc(), &insert},
            {AcDbViewport::desc(), &viewport}};
}

}  // namespace

const std::vector<DxfSubclass>* EntitySchema(const AcDbObject* o) {
    if (!o) return nullptr;
    static const auto table = SchemaTable();
    // Asked for every object a file holds: the object's own kind is looked
    // for first, the kinds it derives from after.
    AcRxClass* kind = o->isA();
    for (const auto& [cls, schema] : table)
        if (cls == kind) return schema;
    for (const auto& [cls, schema] : table)
        if (kind->isDerivedFrom(cls)) return schema;
    return nullptr;
}

bool SchemaKeeps(const AcDbObject* o, int code) { return SchemaKeeps(EntitySchema(o), code); }

bool SchemaKeeps(const std::vector<DxfSubclass>* schema, int code) {
    const auto& common = CommonEntityCodes();
    if (std::find(common.begin(), common.end(), code) != common.end()) return true;
    if (!schema) return false;
    for (const auto& sub : *schema)
        if (std::find(sub.codes.begin(), sub.codes.end(), code) != sub.codes.end()) return true;
    return false;
}

}  // namespace vplat
