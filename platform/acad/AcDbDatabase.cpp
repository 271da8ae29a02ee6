#include "AcDbDatabase.h"

#include <algorithm>
#include <cwchar>
#include <cwctype>
#include <map>
#include <set>

#include "AcDbAds.h"
#include "BlockNesting.h"
#include "DxfFile.h"
#include "HostText.h"
#include "HostTranscript.h"

namespace vplat {

DrawingStore::~DrawingStore() {
    // Owned objects delete the objects they own; stubs go last.
    m_owned.clear();
}

AcDbObjectId DrawingStore::Add(AcDbObject* object, uint64_t handle, bool own) {
    AcDbObjectId id = Join(object, handle, own);
    // An entity joins the selection indexes with the data it has now.
    selection.CatchUp(*this);
    tagged.CatchUp(*this);
    return id;
}

AcDbObjectId DrawingStore::Join(AcDbObject* object, uint64_t handle, bool own) {
    DbStub* stub = &m_stubPool.emplace_back();
    stub->db = m_db;
    stub->object = object;
    // Never 0, never beyond the range, never one already taken.
    if (handle == 0 || handle > kMaxHandle || !m_byHandle.TryInsert(handle, stub)) {
        handle = FreeHandle();
        m_byHandle.Insert(handle, stub);
    }
    stub->handle = handle;
    if (handle >= m_nextHandle && handle < kMaxHandle) m_nextHandle = handle + 1;
    DbStub* s = stub;
    m_stubs.push_back(s);
    object->m_stub = s;
    object->m_fileHandle = 0;
    if (own) m_owned.emplace_back(object);
    std::vector<AcDbObject*> subs;
    object->subObjects(subs);
    for (AcDbObject* sub : subs) {
        if (!sub->isNewObject()) continue;
        Join(sub, sub->m_fileHandle, false);
        sub->m_owner = AcDbObjectId(s);
    }
    return AcDbObjectId(s);
}

void DrawingStore::Reserve(size_t objects) {
    m_byHandle.Reserve(m_byHandle.Size() + objects);
    m_stubs.reserve(m_stubs.size() + objects);
    m_owned.reserve(m_owned.size() + objects);
}

uint64_t DrawingStore::FreeHandle() {
    if (m_nextHandle < kMaxHandle && !m_byHandle.Contains(m_nextHandle)) return m_nextHandle;
    // The top of the range is taken: the lowest free handle from where the
    // last search stopped.
    while (m_byHandle.Contains(m_scan)) ++m_scan;
    return m_scan;
}

DbStub* DrawingStore::ByHandle(uint64_t handle) const {
    return m_byHandle.Find(handle);
}

bool DrawingStore::Knows(const DbStub* stub) const {
    return m_byHandle.Find(stub->handle) == stub;
}

namespace {

template <typename Table>
AcDbObjectId AddTable(AcDbDatabase* db, uint64_t handle) {
    auto* t = new Table;
    return db->store().Add(t, handle, true);
}

// A null id, with the record deleted, when the table refuses it.
AcDbObjectId AddRecord(AcDbObjectId table, AcDbSymbolTableRecord* r, const std::wstring& name) {
    r->setNameRaw(name);
    auto* t = Peek<AcDbSymbolTable>(table);
    t->m_writer = true;
    AcDbObjectId id;
    Acad::ErrorStatus es = t->add(id, r);
    t->m_writer = false;
    if (es != Acad::eOk) {
        delete r;
        return {};
    }
    r->m_writer = false;
    return id;
}

AcDbObjectId AddLayoutObject(AcDbDatabase* db, const std::wstring& name, AcDbObjectId block, int tab) {
    auto* l = new AcDbLayout;
    AcDbObjectId id = db->store().Add(l, 0, true);
    l->m_writer = true;
    l->setLayoutName(name.c_str());
    l->setBlockTableRecordId(block);
    l->m_writer = false;
    l->setTabOrder(tab);
    db->store().layouts.push_back(id);
    return id;
}

}  // namespace

void BuildDefaultDrawing(AcDbDatabase* db) {
    DrawingStore& s = db->store();
    s.blockTable = AddTable<AcDbBlockTable>(db, 0);
    s.layerTable = AddTable<AcDbLayerTable>(db, 0);
    s.regAppTable = AddTable<AcDbRegAppTable>(db, 0);
    s.clayer = AddRecord(s.layerTable, new AcDbLayerTableRecord, L"0");
    AddRecord(s.regAppTable, new AcDbRegAppTableRecord, L"ACAD");
    AcDbObjectId model = AddRecord(s.blockTable, new AcDbBlockTableRecord, ACDB_MODEL_SPACE);
    AcDbObjectId paper = AddRecord(s.blockTable, new AcDbBlockTableRecord, ACDB_PAPER_SPACE);
    AddLayoutObject(db, L"Model", model, 0);
    AddLayoutObject(db, L"Layout1", paper, 1);
}

AcDbObjectId EnsureLayer(AcDbDatabase* db, const std::wstring& name) {
    if (!db || name.empty()) return {};
    auto* t = Peek<AcDbLayerTable>(db->layerTableId());
    if (!t) return {};
    AcDbObjectId id = t->find(name);
    if (id.isNull()) id = AddRecord(db->layerTableId(), new AcDbLayerTableRecord, name);
    return id;
}

AcDbObjectId EnsureRegApp(AcDbDatabase* db, const std::wstring& name) {
    if (!db || name.empty()) return {};
    auto* t = Peek<AcDbRegAppTable>(db->regAppTableId());
    if (!t) return {};
    AcDbObjectId id = t->find(name);
    if (id.isNull()) id = AddRecord(db->regAppTableId(), new AcDbRegAppTableRecord, name);
    return id;
}

AcDbObject* NewObjectOfKind(const std::wstring& k, int64_t flags70) {
    // Called for every object a file holds: kinds are told apart by length first.
    using namespace std::literals;
    AcDbObject* o = nullptr;
    if (k == L"LINE"sv) o = new AcDbLine;
    else if (k == L"CIRCLE"sv) o = new AcDbCircle;
    else if (k == L"TEXT"sv) o = new AcDbText;
    else if (k == L"3DFACE"sv) o = new AcDbFace;
    else if (k == L"POLYLINE"sv) {
        if (flags70 & (16 | 64)) return nullptr;  // meshes are not kept
        if (flags70 & 8) o = new AcDb3dPolyline;
        else o = new AcDb2dPolyline;
    } else if (k == L"VERTEX"sv) {
        if (flags70 & 32) o = new AcDb3dPolylineVertex;
        else o = new AcDb2dVertex;
    } else if (k == L"LWPOLYLINE"sv) o = new AcDbPolyline;
    else if (k == L"INSERT"sv) o = new AcDbBlockReference;
    else if (k == L"ATTRIB"sv) o = new AcDbAttribute;
    else if (k == L"ATTDEF"sv) o = new AcDbAttributeDefinition;
    else if (k == L"VIEWPORT"sv) o = new AcDbViewport;
    else if (k == L"SEQEND"sv) o = new AcDbSequenceEnd;
    if (o) o->data().clear();
    return o;
}

AcDbEntity* CloneEntity(const AcDbEntity* e, AcDbObjectId block) {
    auto* c = AcDbEntity::cast(NewObjectOfKind(e->dxfName(), TagInt(e->data(), 70)));
    if (!c) return nullptr;
    c->data() = e->data();
    c->xdataGroups() = e->xdataGroups();
    auto cloneSubs = [&](const VertexOwner& from, VertexOwner& to) {
        for (const auto& v : from.vertices) {
            if (v->isErased()) continue;
            AcDbEntity* vc = CloneEntity(v.get(), {});
            if (vc) to.vertices.emplace_back(vc);
        }
        to.seqEnd->data() = from.seqEnd->data();
    };
    if (auto* p = AcDb2dPolyline::cast(e)) cloneSubs(const_cast<AcDb2dPolyline*>(p)->vertexOwner(),
                                                     AcDb2dPolyline::cast(c)->vertexOwner());
    if (auto* p = AcDb3dPolyline::cast(e)) cloneSubs(const_cast<AcDb3dPolyline*>(p)->vertexOwner(),
                                                     AcDb3dPolyline::cast(c)->vertexOwner());
    if (auto* r = AcDbBlockReference::cast(e)) {
        cloneSubs(const_cast<AcDbBlockReference*>(r)->attributeOwner(), AcDbBlockReference::cast(c)->attributeOwner());
        AcDbBlockReference::cast(c)->setBlockIdRaw(block);
    }
    return c;
}

std::vector<std::wstring> OpenObjects(const AcDbDatabase* db) {
    std::vector<std::wstring> out;
    for (const auto& s : db->store().Stubs()) {
        const AcDbObject* o = s->object;
        if (!o || (!o->m_writer && o->m_readers == 0)) continue;
        out.push_back(AcDbHandle(s->handle).text() + L" " + o->dxfName() + (o->m_writer ? L" write" : L" read"));
    }
    return out;
}

AcDbObjectId FindLayout(const AcDbDatabase* db, const std::wstring& name) {
    for (AcDbObjectId id : db->store().layouts) {
        auto* l = Peek<AcDbLayout>(id);
        if (l && !l->isErased() && EqualNoCase(l->name(), name)) return id;
    }
    return {};
}

int AddLayout(AcDbDatabase* db, const std::wstring& name, AcDbObjectId* layoutId) {
    if (!db || name.empty()) return 0;
    if (!FindLayout(db, name).isNull()) return 2;
    auto* bt = Peek<AcDbBlockTable>(db->blockTableId());
    std::wstring blockName;
    for (int n = 0;; ++n) {
        blockName = std::wstring(ACDB_PAPER_SPACE) + std::to_wstring(n);
        if (bt->find(blockName).isNull()) break;
    }
    AcDbObjectId block = AddRecord(db->blockTableId(), new AcDbBlockTableRecord, blockName);
    int tab = 0;
    for (AcDbObjectId id : db->store().layouts) tab = std::max(tab, Peek<AcDbLayout>(id)->getTabOrder());
    AcDbObjectId id = AddLayoutObject(db, name, block, tab + 1);
    if (layoutId) *layoutId = id;
    return 1;
}

bool SetCurrentLayout(AcDbDatabase* db, const std::wstring& name) {
    AcDbObjectId id = FindLayout(db, name);
    if (id.isNull()) return false;
    auto* layout = Peek<AcDbLayout>(id);
    if (layout->modelType()) {
        db->store().tilemode = true;
        return true;
    }
    auto* bt = Peek<AcDbBlockTable>(db->blockTableId());
    auto* target = Peek<AcDbBlockTableRecord>(layout->getBlockTableRecordId());
    auto* current = Peek<AcDbBlockTableRecord>(bt->find(ACDB_PAPER_SPACE));
    if (current && current != target) {
        std::wstring old = target->name();
        target->setNameRaw(L"*Paper_Space_swap");
        current->setNameRaw(old);
    }
    target->setNameRaw(ACDB_PAPER_SPACE);
    target->ensureOverallViewport();
    db->store().tilemode = false;
    return true;
}

std::wstring CurrentLayoutName(const AcDbDatabase* db) {
    if (db->store().tilemode) return L"Model";
    auto* bt = Peek<AcDbBlockTable>(db->blockTableId());
    auto* paper = Peek<AcDbBlockTableRecord>(bt->find(ACDB_PAPER_SPACE));
    auto* l = paper ? Peek<AcDbLayout>(paper->getLayoutId()) : nullptr;
    return l ? l->name() : L"Model";
}

}  // namespace vplat

AcDbDatabase::AcDbDatabase(bool buildDefaultDrawing, bool) : m_store(new vplat::DrawingStore(this)) {
    vplat::RegisterDatabase(this, true);
    if (buildDefaultDrawing) vplat::BuildDefaultDrawing(this);
}

namespace {
AcDbDatabase* g_working = nullptr;
bool g_workingMade = false;
}  // namespace

AcDbDatabase::~AcDbDatabase() {
    if (g_working == this) g_working = nullptr;
    vplat::RegisterDatabase(this, false);
}

void AcDbDatabase::swapContents(AcDbDatabase& other) {
    std::swap(m_store, other.m_store);
    m_store->m_db = this;
    other.m_store->m_db = &other;
    for (const auto& s : m_store->Stubs()) s->db = this;
    for (const auto& s : other.m_store->Stubs()) s->db = &other;
}

namespace {
template <typename T>
Acad::ErrorStatus OpenTable(T*& table, AcDbObjectId id, AcDb::OpenMode mode) {
    return acdbOpenObject(table, id, mode);
}
}  // namespace

Acad::ErrorStatus AcDbDatabase::getBlockTable(AcDbBlockTable*& t, AcDb::OpenMode mode) {
    return OpenTable(t, m_store->blockTable, mode);
}
Acad::ErrorStatus AcDbDatabase::getLayerTable(AcDbLayerTable*& t, AcDb::OpenMode mode) {
    return OpenTable(t, m_store->layerTable, mode);
}
Acad::ErrorStatus AcDbDatabase::getRegAppTable(AcDbRegAppTable*& t, AcDb::OpenMode mode) {
    return OpenTable(t, m_store->regAppTable, mode);
}

AcDbObjectId AcDbDatabase::blockTableId() const { return m_store->blockTable; }
AcDbObjectId AcDbDatabase::layerTableId() const { return m_store->layerTable; }
AcDbObjectId AcDbDatabase::regAppTableId() const { return m_store->regAppTable; }
AcDbObjectId AcDbDatabase::clayer() const { return m_store->clayer; }

Acad::ErrorStatus AcDbDatabase::setClayer(AcDbObjectId layer) {
    if (!vplat::Peek<AcDbLayerTableRecord>(layer) || layer.database() != this) return Acad::eInvalidInput;
    m_store->clayer = layer;
    return Acad::eOk;
}

AcDbObjectId AcDbDatabase::currentSpaceId() const {
    auto* bt = vplat::Peek<AcDbBlockTable>(m_store->blockTable);
    if (!bt) return {};
    return bt->find(m_store->tilemode ? ACDB_MODEL_SPACE : ACDB_PAPER_SPACE);
}

bool AcDbDatabase::tilemode() const { return m_store->tilemode; }
void AcDbDatabase::setTilemode(bool model) { m_store->tilemode = model; }
AcDbHandle AcDbDatabase::handseed() const { return AcDbHandle(m_store->NextHandle()); }

Acad::ErrorStatus AcDbDatabase::getAcDbObjectId(AcDbObjectId& id, bool, const AcDbHandle& handle, Adesk::UInt32) {
    vplat::DbStub* s = m_store->ByHandle(handle.value());
    id = AcDbObjectId(s);
    return s ? Acad::eOk : Acad::eKeyNotFound;
}

Acad::ErrorStatus AcDbDatabase::dxfIn(const ACHAR* fileName, const ACHAR*) {
    if (!fileName) return Acad::eInvalidInput;
    std::wstring error;
    AcDbDatabase fresh(false);
    if (!vplat::ReadDxfFile(vplat::ToPosixPath(fileName), &fresh, &error)) {
        vplat::SetLastDxfError(error);
        return error.find(L"cannot open") == 0 ? Acad::eFileNotFound : Acad::eFilerError;
    }
    swapContents(fresh);
    vplat::SetLastDxfError(L"");
    return Acad::eOk;
}

Acad::ErrorStatus AcDbDatabase::readDwgFile(const ACHAR* fileName, int, bool, const wchar_t*) {
    Acad::ErrorStatus es = dxfIn(fileName);
    // The host tells the person why a drawing does not read, on the command
    // line: the file and the line of the fault.
    if (es != Acad::eOk && fileName) vplat::Transcript::Get().CommandLine(L"\n" + vplat::LastDxfError());
    return es;
}

Acad::ErrorStatus AcDbDatabase::dxfOut(const ACHAR* fileName, int, int, bool) {
    if (!fileName) return Acad::eInvalidInput;
    std::wstring error;
    if (!vplat::WriteDxfFile(vplat::ToPosixPath(fileName), this, &error)) {
        vplat::SetLastDxfError(error);
        return Acad::eFilerError;
    }
    return Acad::eOk;
}

namespace {

// The blocks that `root` inserts, however deeply, each listed after every
// block it inserts itself, and `root` last; without recursion, since a legal
// chain of blocks may be long.
std::vector<AcDbBlockTableRecord*> NestedFirst(AcDbBlockTableRecord* root) {
    std::vector<AcDbBlockTableRecord*> order;
    std::set<const AcDbBlockTableRecord*> seen{root};
    std::vector<std::pair<AcDbBlockTableRecord*, size_t>> stack{{root, 0}};
    while (!stack.empty()) {
        auto& [b, next] = stack.back();
        if (next == b->entityIds().size()) {
            order.push_back(b);
            stack.pop_back();
            continue;
        }
        auto* ref = vplat::Peek<AcDbBlockReference>(b->entityIds()[next++]);
        if (!ref || ref->isErased()) continue;
        auto* nested = vplat::Peek<AcDbBlockTableRecord>(ref->blockTableRecord());
        if (nested && seen.insert(nested).second) stack.push_back({nested, 0});
    }
    return order;
}

// A new anonymous block of the drawing, of the same letter as `like` ("*U3"
// gives the next "*U"); its id.
AcDbObjectId NewAnonymousBlock(AcDbDatabase* to, const std::wstring& like) {
    std::wstring name = L"*U";
    if (like.size() > 1 && std::iswalpha(static_cast<wint_t>(like[1]))) name[1] = like[1];
    return vplat::AddRecord(to->blockTableId(), new AcDbBlockTableRecord, name);
}

// Fills the block `into` with copies of the entities of `from`; references
// point at the blocks `copies` gives for theirs (a reference to a block it
// lacks is left out). The layers and applications they use come along. An
// entity the block refuses is not kept.
void CopyEntities(AcDbDatabase* to, const AcDbBlockTableRecord* from, AcDbBlockTableRecord* into,
                  const std::map<const AcDbBlockTableRecord*, AcDbObjectId>& copies) {
    into->data() = from->data();
    for (AcDbObjectId eid : from->entityIds()) {
        auto* e = vplat::Peek<AcDbEntity>(eid);
        if (!e || e->isErased()) continue;
        AcDbObjectId nested;
        if (auto* ref = AcDbBlockReference::cast(e)) {
            auto it = copies.find(vplat::Peek<AcDbBlockTableRecord>(ref->blockTableRecord()));
            if (it == copies.end()) continue;
            nested = it->second;
        }
        for (const auto& g : e->xdataGroups()) vplat::EnsureRegApp(to, g.app);
        // A reference gets its block once it is in: the blocks were chosen so
        // that none inserts itself, and a long chain of them is not walked
        // again for every link.
        AcDbEntity* c = vplat::CloneEntity(e, AcDbObjectId());
        if (!c) continue;
        into->m_writer = true;
        AcDbObjectId cid;
        Acad::ErrorStatus es = into->appendAcDbEntity(cid, c);
        into->m_writer = false;
        if (es != Acad::eOk) {
            delete c;
            continue;
        }
        c->m_writer = false;
        if (auto* ref = AcDbBlockReference::cast(c)) ref->setBlockIdRaw(nested);
    }
}

}  // namespace

Acad::ErrorStatus AcDbDatabase::insert(AcDbObjectId& blockId, const ACHAR* blockName, AcDbDatabase* source, bool) {
    blockId = AcDbObjectId();
    if (!blockName || !source || source == this) return Acad::eInvalidInput;
    // A plain block name: never an anonymous or a layout block's.
    const std::wstring name = blockName;
    if (!vplat::SymbolNameProblem(name, vplat::SymbolTable::Block).empty() || name[0] == L'*')
        return Acad::eInvalidInput;
    auto* bt = vplat::Peek<AcDbBlockTable>(blockTableId());
    AcDbObjectId existing = bt->find(name);
    auto* target = vplat::Peek<AcDbBlockTableRecord>(existing);
    if (target && target->isLayout()) return Acad::eInvalidInput;
    auto* sbt = vplat::Peek<AcDbBlockTable>(source->blockTableId());
    auto* model = sbt ? vplat::Peek<AcDbBlockTableRecord>(sbt->find(ACDB_MODEL_SPACE)) : nullptr;
    if (!model) return Acad::eNoDatabase;

    // What each block of the source becomes: a named block this drawing has
    // stays this drawing's; the others are copied, anonymous ones as new
    // anonymous blocks. Nothing is changed when the new block would insert
    // itself: the source holds a block of its name, or one of this drawing's
    // blocks it uses inserts the block being redefined.
    std::vector<AcDbBlockTableRecord*> order = NestedFirst(model);
    order.pop_back();
    std::map<const AcDbBlockTableRecord*, AcDbObjectId> copies;
    for (AcDbBlockTableRecord* b : order) {
        if (b->name().empty() || b->name()[0] == L'*') continue;
        if (vplat::EqualNoCase(b->name(), name)) return Acad::eSelfReference;
        AcDbObjectId own = bt->find(b->name());
        if (own.isNull()) continue;
        if (vplat::WouldInsertItself(own, existing)) return Acad::eSelfReference;
        copies[b] = own;
    }

    // Layers come across with their properties.
    auto* slt = vplat::Peek<AcDbLayerTable>(source->layerTableId());
    auto* lt = vplat::Peek<AcDbLayerTable>(layerTableId());
    for (AcDbObjectId lid : slt->recordIds()) {
        auto* l = vplat::Peek<AcDbLayerTableRecord>(lid);
        if (!l || l->isErased() || !lt->find(l->name()).isNull()) continue;
        if (auto* made = vplat::Peek<AcDbLayerTableRecord>(vplat::EnsureLayer(this, l->name()))) made->data() = l->data();
    }
    for (AcDbBlockTableRecord* b : order) {
        if (copies.count(b)) continue;
        AcDbObjectId id = b->name()[0] != L'*' ? vplat::AddRecord(blockTableId(), new AcDbBlockTableRecord, b->name())
                          : NewAnonymousBlock(this, b->isLayout() ? L"*U" : b->name());
        if (id.isNull()) continue;
        copies[b] = id;
        CopyEntities(this, b, vplat::Peek<AcDbBlockTableRecord>(id), copies);
    }
    if (target) {
        // Redefinition: the old entities go.
        for (AcDbObjectId e : target->entityIds()) {
            e.stub()->object->m_erased = true;
            store().tagged.Forget(e.stub());
        }
    } else {
        existing = vplat::AddRecord(blockTableId(), new AcDbBlockTableRecord, name);
        target = vplat::Peek<AcDbBlockTableRecord>(existing);
        if (!target) return Acad::eInvalidInput;
    }
    CopyEntities(this, model, target, copies);
    blockId = existing;
    return Acad::eOk;
}

AcDbDatabase* AcDbHostApplicationServices::workingDatabase() const {
    // The host starts with an empty default drawing.
    if (!g_workingMade) {
        g_workingMade = true;
        static AcDbDatabase host(true);
        g_working = &host;
    }
    return g_working;
}

void AcDbHostApplicationServices::setWorkingDatabase(AcDbDatabase* db) {
    g_workingMade = true;
    g_working = db;
}

AcDbHostApplicationServices* acdbHostApplicationServices() {
    static AcDbHostApplicationServices services;
    return &services;
}
