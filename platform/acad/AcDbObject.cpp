#include "AcDbObject.h"

#include "AcDbSymbolTables.h"

#include <algorithm>
#include <cstdlib>
#include <cwchar>

#include "AcDbDatabase.h"
#include "HostText.h"

const AcDbObjectId AcDbObjectId::kNull;

AcDbHandle::AcDbHandle(const ACHAR* hex) {
    if (!hex || !*hex) return;
    uint64_t v = 0;
    for (const ACHAR* p = hex; *p; ++p) {
        int d;
        if (*p >= L'0' && *p <= L'9') d = *p - L'0';
        else if (*p >= L'a' && *p <= L'f') d = *p - L'a' + 10;
        else if (*p >= L'A' && *p <= L'F') d = *p - L'A' + 10;
        else return;
        if (v >> 60) return;
        v = v * 16 + static_cast<uint64_t>(d);
    }
    m_value = v;
}

std::wstring AcDbHandle::text() const {
    wchar_t buf[24];
    std::swprintf(buf, 24, L"%llX", static_cast<unsigned long long>(m_value));
    return buf;
}

bool AcDbHandle::getIntoAsciiBuffer(ACHAR* buffer, size_t size) const {
    std::wstring t = text();
    if (!buffer || size <= t.size()) return false;
    std::wmemcpy(buffer, t.c_str(), t.size() + 1);
    return true;
}

bool AcDbObjectId::isErased() const { return m_stub && m_stub->object && m_stub->object->isErased(); }
AcDbDatabase* AcDbObjectId::database() const { return m_stub ? m_stub->db : nullptr; }
AcDbHandle AcDbObjectId::handle() const { return m_stub ? AcDbHandle(m_stub->handle) : AcDbHandle(); }

AcDbObjectId& AcDbObjectId::setFromOldId(Adesk::IntDbId oldId) {
    m_stub = reinterpret_cast<vplat::DbStub*>(oldId);
    return *this;
}

AcRxClass* AcDbObject::desc() {
    static AcRxClass c(L"AcDbObject", AcRxObject::desc());
    return &c;
}

AcDbObject::~AcDbObject() = default;

AcDbObjectId AcDbObject::objectId() const { return AcDbObjectId(m_stub); }

Acad::ErrorStatus AcDbObject::setOwnerId(AcDbObjectId owner) {
    m_owner = owner;
    return Acad::eOk;
}

AcDbDatabase* AcDbObject::database() const { return m_stub ? m_stub->db : nullptr; }

AcDbDatabase* AcDbObject::databaseOrWorking() const {
    return m_stub ? m_stub->db : acdbHostApplicationServices()->workingDatabase();
}

void AcDbObject::getAcDbHandle(AcDbHandle& handle) const { handle = m_stub ? AcDbHandle(m_stub->handle) : AcDbHandle(); }

bool AcDbObject::isErased() const { return m_erased; }

Acad::ErrorStatus AcDbObject::erase(bool erasing) {
    if (!isWriteEnabled()) return Acad::eNotOpenForWrite;
    if (erasing == isErased()) return erasing ? Acad::eWasErased : Acad::eWasNotErased;
    m_erased = erasing;
    if (m_stub && m_stub->db) {
        vplat::TaggedIndex& tagged = m_stub->db->store().tagged;
        erasing ? tagged.Forget(m_stub) : tagged.Note(m_stub);
    }
    std::vector<AcDbObject*> subs;
    subObjects(subs);
    for (AcDbObject* s : subs) s->m_erased = erasing;
    // A block may have dropped this entity from its list while it was erased.
    if (!erasing && m_owner.stub() && m_owner.stub()->object)
        if (auto* block = AcDbBlockTableRecord::cast(m_owner.stub()->object)) block->restoreEntity(objectId());
    return Acad::eOk;
}

Acad::ErrorStatus AcDbObject::close() {
    if (!m_stub) return Acad::eOk;
    if (m_writer) {
        m_writer = false;
        return Acad::eOk;
    }
    if (m_readers > 0) {
        --m_readers;
        return Acad::eOk;
    }
    return Acad::eNotOpenForRead;
}

Acad::ErrorStatus AcDbObject::upgradeOpen() {
    if (!m_stub) return Acad::eOk;
    if (m_writer) return Acad::eWasOpenForWrite;
    if (m_readers != 1) return m_readers == 0 ? Acad::eNotOpenForRead : Acad::eWasOpenForRead;
    m_readers = 0;
    m_writer = true;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbObject::downgradeOpen() {
    if (!m_stub) return Acad::eOk;
    if (!m_writer) return Acad::eNotOpenForWrite;
    m_writer = false;
    m_readers = 1;
    return Acad::eOk;
}

bool AcDbObject::isReadEnabled() const { return !m_stub || m_writer || m_readers > 0; }
bool AcDbObject::isWriteEnabled() const { return !m_stub || m_writer; }

Acad::ErrorStatus AcDbObject::assertReadEnabled() const {
    return isReadEnabled() ? Acad::eOk : Acad::eNotOpenForRead;
}

Acad::ErrorStatus AcDbObject::assertWriteEnabled() const {
    return isWriteEnabled() ? Acad::eOk : Acad::eNotOpenForWrite;
}

resbuf* vplat::NewResbuf(const vplat::DxfTag& t) {
    resbuf* rb = acutNewRb(t.code);
    if (!rb) return nullptr;
    switch (vplat::ValueKindOf(t.code)) {
    case vplat::RbValue::Real: rb->resval.rreal = t.AsReal(); break;
    case vplat::RbValue::Point:
        rb->resval.rpoint[0] = t.v()[0], rb->resval.rpoint[1] = t.v()[1], rb->resval.rpoint[2] = t.v()[2];
        break;
    case vplat::RbValue::Short: rb->resval.rint = static_cast<short>(t.i()); break;
    case vplat::RbValue::Long: rb->resval.rlong = static_cast<int32_t>(t.i()); break;
    case vplat::RbValue::Int64: rb->resval.rlong64 = t.i(); break;
    case vplat::RbValue::String: rb->resval.rstring = vplat::NewString(std::wstring(t.s())); break;
    case vplat::RbValue::Binary: {
        // Binary chunks are kept as hexadecimal text.
        size_t n = t.s().size() / 2;
        rb->resval.rbinary.clen = static_cast<int32_t>(n);
        rb->resval.rbinary.buf = static_cast<char*>(std::malloc(n ? n : 1));
        for (size_t i = 0; i < n; ++i)
            rb->resval.rbinary.buf[i] = static_cast<char>(std::wcstol(std::wstring(t.s().substr(2 * i, 2)).c_str(), nullptr, 16));
        break;
    }
    default: break;
    }
    return rb;
}

namespace {


bool TagFromItem(const resbuf* rb, vplat::DxfTag& t) {
    int code = rb->restype;
    if (code < 1000 || code > 1071) return false;
    switch (vplat::ValueKindOf(code)) {
    case vplat::RbValue::Real: t = vplat::DxfTag::Real(code, rb->resval.rreal); return true;
    case vplat::RbValue::Point:
        t = vplat::DxfTag::Point(code, rb->resval.rpoint[0], rb->resval.rpoint[1], rb->resval.rpoint[2]);
        return true;
    case vplat::RbValue::Short: t = vplat::DxfTag::Int(code, rb->resval.rint); return true;
    case vplat::RbValue::Long: t = vplat::DxfTag::Int(code, rb->resval.rlong); return true;
    case vplat::RbValue::String:
        t = vplat::DxfTag::Text(code, rb->resval.rstring ? rb->resval.rstring : L"");
        return true;
    case vplat::RbValue::Binary: {
        std::wstring hex;
        wchar_t b[4];
        for (int i = 0; i < rb->resval.rbinary.clen; ++i) {
            std::swprintf(b, 4, L"%02X", static_cast<unsigned char>(rb->resval.rbinary.buf[i]));
            hex += b;
        }
        t = vplat::DxfTag::Text(code, hex);
        return true;
    }
    default: return false;
    }
}

}  // namespace

namespace vplat {
resbuf* XDataChain(const std::vector<XDataGroup>& groups, const ACHAR* app) {
    resbuf* head = nullptr;
    resbuf** tail = &head;
    for (const XDataGroup& g : groups) {
        if (app && !EqualNoCase(g.app, app)) continue;
        resbuf* name = acutNewRb(1001);
        if (!name) break;
        name->resval.rstring = NewString(g.app);
        *tail = name;
        tail = &name->rbnext;
        for (const DxfTag& t : g.items) {
            resbuf* rb = vplat::NewResbuf(t);
            if (!rb) break;
            *tail = rb;
            tail = &rb->rbnext;
        }
    }
    return head;
}
}  // namespace vplat

resbuf* AcDbObject::xData(const ACHAR* regappName) const {
    if (!isReadEnabled()) return nullptr;
    return vplat::XDataChain(m_xdata, regappName);
}

Acad::ErrorStatus AcDbObject::setXData(const resbuf* xdata) {
    if (!isWriteEnabled()) return Acad::eNotOpenForWrite;
    // Check the whole chain first, so that a bad chain changes nothing.
    std::vector<vplat::XDataGroup> groups;
    AcDbDatabase* db = databaseOrWorking();
    AcDbRegAppTable* apps = db ? vplat::Peek<AcDbRegAppTable>(db->regAppTableId()) : nullptr;
    int braces = 0;
    for (const resbuf* rb = xdata; rb; rb = rb->rbnext) {
        if (rb->restype == 1001) {
            if (braces != 0) return Acad::eInvalidInput;
            const ACHAR* name = rb->resval.rstring;
            if (!name || !*name) return Acad::eInvalidInput;
            if (!apps || apps->find(name).isNull()) return Acad::eRegappIdNotFound;
            groups.push_back({name, {}});
            continue;
        }
        vplat::DxfTag t;
        if (groups.empty() || !TagFromItem(rb, t)) return Acad::eInvalidInput;
        if (rb->restype == 1002) {
            if (t.s() == L"{") ++braces;
            else if (t.s() == L"}" && braces > 0) --braces;
            else return Acad::eInvalidInput;
        }
        groups.back().items.push_back(std::move(t));
    }
    if (braces != 0) return Acad::eInvalidInput;
    // The tagged-entity index takes the entity out under its old names and
    // back under the new ones.
    vplat::TaggedIndex* tagged = m_stub && m_stub->db ? &m_stub->db->store().tagged : nullptr;
    if (tagged) tagged->Forget(m_stub);
    for (vplat::XDataGroup& g : groups) {
        auto it = std::find_if(m_xdata.begin(), m_xdata.end(),
                               [&](const vplat::XDataGroup& e) { return vplat::EqualNoCase(e.app, g.app); });
        if (g.items.empty()) {
            if (it != m_xdata.end()) m_xdata.erase(it);
        } else if (it != m_xdata.end()) {
            it->items = std::move(g.items);
        } else {
            m_xdata.push_back(std::move(g));
        }
    }
    // A resident entity tells the drawing's selection index which
    // applications and first texts it now carries (one not yet in the drawing
    // is indexed when it joins).
    if (m_stub && m_stub->db) m_stub->db->store().selection.NoteXData(m_stub, m_xdata);
    if (tagged) tagged->Note(m_stub);
    return Acad::eOk;
}

Acad::ErrorStatus acdbOpenAcDbObject(AcDbObject*& obj, AcDbObjectId id, AcDb::OpenMode mode, bool openErased) {
    obj = nullptr;
    vplat::DbStub* s = id.stub();
    if (!s) return Acad::eNullObjectId;
    if (!s->db || !s->db->store().Knows(s) || !s->object) return Acad::eInvalidInput;
    AcDbObject* o = s->object;
    if (o->isErased() && !openErased) return Acad::eWasErased;
    if (mode == AcDb::kForWrite) {
        if (o->m_writer) return Acad::eWasOpenForWrite;
        if (o->m_readers > 0) return Acad::eWasOpenForRead;
        o->m_writer = true;
    } else {
        if (o->m_writer) return Acad::eWasOpenForWrite;
        if (o->m_readers >= 256) return Acad::eAtMaxReaders;
        ++o->m_readers;
    }
    obj = o;
    return Acad::eOk;
}
