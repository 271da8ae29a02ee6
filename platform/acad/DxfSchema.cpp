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

const std::vector<DxfSubclass>* EntitySchema(const AcDbObject* o) {
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
    if (AcDbLine::cast(o)) return &line;
    if (AcDbCircle::cast(o)) return &circle;
    if (AcDbAttribute::cast(o)) return &attrib;
    if (AcDbAttributeDefinition::cast(o)) return &attdef;
    if (AcDbText::cast(o)) return &text;
    if (AcDbFace::cast(o)) return &face;
    if (AcDb2dPolyline::cast(o)) return &poly2d;
    if (AcDb3dPolyline::cast(o)) return &poly3d;
    if (AcDb2dVertex::cast(o)) return &vertex2d;
    if (AcDb3dPolylineVertex::cast(o)) return &vertex3d;
    if (AcDbSequenceEnd::cast(o)) return &seqend;
    if (AcDbPolyline::cast(o)) return &lwpoly;
    if (AcDbBlockReference::cast(o)) return &insert;
    if (AcDbViewport::cast(o)) return &viewport;
    return nullptr;
}

bool SchemaKeeps(const AcDbObject* o, int code) {
    const auto& common = CommonEntityCodes();
    if (std::find(common.begin(), common.end(), code) != common.end()) return true;
    const auto* schema = EntitySchema(o);
    if (!schema) return false;
    for (const auto& sub : *schema)
        if (std::find(sub.codes.begin(), sub.codes.end(), code) != sub.codes.end()) return true;
    return false;
}

}  // namespace vplat
