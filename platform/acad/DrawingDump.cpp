#include "DrawingDump.h"

#include <algorithm>
#include <fstream>
#include <nlohmann/json.hpp>

#include "AcDbAds.h"
#include "HostText.h"

namespace vplat {

namespace {

using nlohmann::ordered_json;

ordered_json Value(const DxfTag& t) {
    switch (t.kind) {
    case DxfTag::Kind::Text: return WideToUtf8(std::wstring(t.s()));
    case DxfTag::Kind::Int: return t.i();
    case DxfTag::Kind::Real: return t.v()[0];
    case DxfTag::Kind::Point: return ordered_json::array({t.v()[0], t.v()[1], t.v()[2]});
    }
    return nullptr;
}

ordered_json Groups(const DxfTags& tags) {
    ordered_json a = ordered_json::array();
    for (const DxfTag& t : tags) a.push_back(ordered_json::array({t.code, Value(t)}));
    return a;
}

std::string Name(AcDbObjectId id) {
    auto* r = Peek<AcDbSymbolTableRecord>(id);
    return r ? WideToUtf8(r->name()) : "";
}

ordered_json Entity(const AcDbEntity* e) {
    ordered_json j;
    j["handle"] = WideToUtf8(e->objectId().handle().text());
    j["kind"] = WideToUtf8(e->dxfName());
    j["class"] = WideToUtf8(e->isA()->name());
    j["layer"] = WideToUtf8(e->layerName());
    auto* owner = Peek<AcDbBlockTableRecord>(e->ownerId());
    if (owner) j["block"] = WideToUtf8(owner->name());
    else j["owner"] = WideToUtf8(e->ownerId().handle().text());
    ordered_json groups = ordered_json::array();
    // In the order the entity's data lists them, subclass markers left out.
    for (const DxfTag& t : EntityGroups(e))
        if (t.code != 8 && t.code != 100) groups.push_back(ordered_json::array({t.code, Value(t)}));
    j["groups"] = groups;
    if (auto* ref = AcDbBlockReference::cast(e)) j["name"] = Name(ref->blockTableRecord());
    std::vector<PolyVertex> vs;
    bool closed = false;
    if (PolylineVertices(e, vs, &closed)) {
        j["closed"] = closed;
        ordered_json v = ordered_json::array();
        for (const PolyVertex& p : vs) v.push_back(ordered_json::array({p.point.x, p.point.y, p.point.z, p.bulge}));
        j["vertices"] = v;
    }
    std::vector<AcDbObject*> subs;
    e->subObjects(subs);
    ordered_json sub = ordered_json::array();
    for (AcDbObject* s : subs)
        if (auto* se = AcDbEntity::cast(s); se && !se->isErased() && !AcDbSequenceEnd::cast(se)) sub.push_back(Entity(se));
    if (!sub.empty()) j["owned"] = sub;
    if (!e->xdataGroups().empty()) {
        ordered_json x = ordered_json::array();
        for (const XDataGroup& g : e->xdataGroups())
            x.push_back({{"app", WideToUtf8(g.app)}, {"items", Groups(g.items)}});
        j["xdata"] = x;
    }
    return j;
}

}  // namespace

std::string DumpDrawingJson(const AcDbDatabase* db) {
    ordered_json root;
    root["handseed"] = WideToUtf8(db->handseed().text());
    root["currentLayout"] = WideToUtf8(CurrentLayoutName(db));
    ordered_json layers = ordered_json::array();
    for (AcDbObjectId id : Peek<AcDbSymbolTable>(db->layerTableId())->recordIds()) {
        auto* l = Peek<AcDbLayerTableRecord>(id);
        if (!l || l->isErased()) continue;
        layers.push_back({{"handle", WideToUtf8(id.handle().text())},
                          {"name", WideToUtf8(l->name())},
                          {"color", l->color().colorIndex()},
                          {"frozen", l->isFrozen()},
                          {"off", l->isOff()},
                          {"locked", l->isLocked()},
                          {"plottable", l->isPlottable()}});
    }
    root["layers"] = layers;
    ordered_json apps = ordered_json::array();
    for (AcDbObjectId id : Peek<AcDbSymbolTable>(db->regAppTableId())->recordIds())
        if (!id.isErased()) apps.push_back(Name(id));
    root["regapps"] = apps;
    ordered_json blocks = ordered_json::array();
    for (AcDbObjectId id : Peek<AcDbSymbolTable>(db->blockTableId())->recordIds()) {
        auto* b = Peek<AcDbBlockTableRecord>(id);
        if (!b || b->isErased()) continue;
        AcGePoint3d o = b->origin();
        size_t n = 0;
        for (AcDbObjectId e : b->entityIds()) n += e.isErased() ? 0 : 1;
        blocks.push_back({{"handle", WideToUtf8(id.handle().text())},
                          {"name", WideToUtf8(b->name())},
                          {"anonymous", b->isAnonymous()},
                          {"layout", b->isLayout()},
                          {"origin", {o.x, o.y, o.z}},
                          {"entities", n}});
    }
    root["blocks"] = blocks;
    ordered_json layouts = ordered_json::array();
    for (AcDbObjectId id : db->store().layouts) {
        auto* l = Peek<AcDbLayout>(id);
        if (!l || l->isErased()) continue;
        layouts.push_back({{"handle", WideToUtf8(id.handle().text())},
                           {"name", WideToUtf8(l->name())},
                           {"tab", l->getTabOrder()},
                           {"block", Name(l->getBlockTableRecordId())}});
    }
    root["layouts"] = layouts;
    // Entities of every block, in creation order (the order of their handles,
    // which a drawing file keeps).
    std::vector<const DbStub*> order;
    for (DbStub* s : db->store().Stubs()) order.push_back(s);
    std::sort(order.begin(), order.end(), [](const DbStub* a, const DbStub* b) { return a->handle < b->handle; });
    // The entities go last, one to a line, each written as soon as it is built:
    // a drawing of many entities never becomes one large tree.
    root["entities"] = ordered_json::array();
    std::string text = root.dump(1);
    size_t at = text.rfind("[]");
    std::string out = text.substr(0, at) + "[";
    bool first = true;
    for (const DbStub* s : order) {
        auto* e = AcDbEntity::cast(s->object);
        if (!e || e->isErased() || !Peek<AcDbBlockTableRecord>(e->ownerId())) continue;
        out += first ? "\n  " : ",\n  ";
        first = false;
        out += Entity(e).dump();
    }
    out += first ? "]" : "\n ]";
    out += text.substr(at + 2);
    return out;
}

bool DumpDrawingFile(const std::string& path, const AcDbDatabase* db, std::wstring* error) {
    std::ofstream f(path, std::ios::binary);
    if (!f) {
        if (error) *error = L"cannot write " + Utf8ToWide(path);
        return false;
    }
    f << DumpDrawingJson(db) << "\n";
    return static_cast<bool>(f);
}

}  // namespace vplat
