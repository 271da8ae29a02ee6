#include "AcDbAds.h"

#include <cmath>
#include <cwchar>
#include <cwctype>
#include <unordered_set>

#include "DxfSchema.h"
#include "HostText.h"

namespace vplat {

namespace {
std::unordered_set<const AcDbDatabase*>& Live() {
    static std::unordered_set<const AcDbDatabase*> s;
    return s;
}
}  // namespace

bool IsLiveDatabase(const AcDbDatabase* db) { return Live().count(db) != 0; }

void RegisterDatabase(const AcDbDatabase* db, bool alive) {
    if (alive) Live().insert(db);
    else Live().erase(db);
}

DxfTags EntityGroups(const AcDbEntity* e) {
    DxfTags out;
    out.push_back(DxfTag::Text(100, L"AcDbEntity"));
    for (const DxfTag& t : e->data())
        if (t.code == 8 || t.code == 62 || t.code == 370 || t.code == 420) out.push_back(t);
    const auto* schema = EntitySchema(e);
    if (!schema) return out;
    auto* ref = AcDbBlockReference::cast(e);
    for (const DxfSubclass& sub : *schema) {
        out.push_back(DxfTag::Text(100, Utf8ToWide(sub.marker)));
        if (ref) {
            std::vector<AcDbObject*> subs;
            ref->subObjects(subs);
            if (!subs.empty()) out.push_back(DxfTag::Int(66, 1));
            auto* b = Peek<AcDbBlockTableRecord>(ref->blockTableRecord());
            out.push_back(DxfTag::Text(2, b ? b->name() : L""));
        }
        if (AcDbPolyline::cast(e)) {
            for (const DxfTag& t : e->data())
                if (t.code != 8 && t.code != 62 && t.code != 370 && t.code != 420) out.push_back(t);
            continue;
        }
        for (int code : sub.codes)
            for (const DxfTag& t : e->data())
                if (t.code == code) out.push_back(t);
    }
    return out;
}

}  // namespace vplat

namespace {

AcDbEntity* EntityOf(const ads_name ent) {
    AcDbObjectId id;
    if (acdbGetObjectId(id, ent) != Acad::eOk) return nullptr;
    return vplat::Peek<AcDbEntity>(id);
}

bool WildMatch(const std::wstring& pattern, const std::wstring& name);

}  // namespace

Acad::ErrorStatus acdbGetObjectId(AcDbObjectId& id, const ads_name name) {
    id = AcDbObjectId();
    auto* db = reinterpret_cast<AcDbDatabase*>(name[1]);
    if (!db || !vplat::IsLiveDatabase(db)) return Acad::eInvalidInput;
    vplat::DbStub* s = db->store().ByHandle(static_cast<uint64_t>(name[0]));
    if (!s) return Acad::eInvalidInput;
    id = AcDbObjectId(s);
    return Acad::eOk;
}

Acad::ErrorStatus acdbGetAdsName(ads_name name, AcDbObjectId id) {
    name[0] = name[1] = 0;
    if (id.isNull() || !id.database()) return Acad::eNullObjectId;
    name[0] = static_cast<int64_t>(id.stub()->handle);
    name[1] = reinterpret_cast<int64_t>(id.database());
    return Acad::eOk;
}

resbuf* acdbEntGet(const ads_name ent) {
    AcDbEntity* e = EntityOf(ent);
    if (!e || e->isErased()) return nullptr;
    resbuf* head = acutNewRb(-1);
    if (!head) return nullptr;
    head->resval.rlname[0] = ent[0];
    head->resval.rlname[1] = ent[1];
    resbuf* tail = head;
    auto push = [&](resbuf* rb) {
        if (!rb) return;
        tail->rbnext = rb;
        tail = rb;
    };
    push(vplat::NewResbuf(vplat::DxfTag::Text(0, e->dxfName())));
    resbuf* owner = acutNewRb(330);
    if (owner) acdbGetAdsName(owner->resval.rlname, e->ownerId());
    push(owner);
    push(vplat::NewResbuf(vplat::DxfTag::Text(5, e->objectId().handle().text())));
    for (vplat::DxfTag t : vplat::EntityGroups(e)) {
        // A program reads angles (50 to 58) in radians; the drawing keeps degrees.
        if (t.code >= 50 && t.code <= 58 && t.kind == vplat::DxfTag::Kind::Real) t.SetV(0, vplat::RadiansOf(t.v()[0]));
        push(vplat::NewResbuf(t));
    }
    return head;
}

resbuf* acdbEntGetX(const ads_name ent, const resbuf* apps) {
    resbuf* head = acdbEntGet(ent);
    if (!head) return nullptr;
    AcDbEntity* e = EntityOf(ent);
    resbuf* tail = head;
    while (tail->rbnext) tail = tail->rbnext;
    std::vector<vplat::XDataGroup> chosen;
    for (const vplat::XDataGroup& g : e->xdataGroups()) {
        for (const resbuf* a = apps; a; a = a->rbnext) {
            if (a->restype != RTSTR || !a->resval.rstring) continue;
            if (WildMatch(a->resval.rstring, g.app)) {
                chosen.push_back(g);
                break;
            }
        }
    }
    if (chosen.empty()) return head;
    resbuf* marker = acutNewRb(-3);
    if (!marker) return head;
    tail->rbnext = marker;
    marker->rbnext = vplat::XDataChain(chosen, nullptr);
    return head;
}

int acdbEntDel(const ads_name ent) {
    AcDbEntity* e = EntityOf(ent);
    if (!e || e->m_writer || e->m_readers) return RTERROR;
    e->m_writer = true;
    e->erase(!e->isErased());
    e->m_writer = false;
    return RTNORM;
}

int acdbRegApp(const ACHAR* appName) {
    AcDbDatabase* db = acdbHostApplicationServices()->workingDatabase();
    if (!db || !appName || !vplat::SymbolNameProblem(appName, vplat::SymbolTable::RegApp).empty()) return RTERROR;
    auto* t = vplat::Peek<AcDbRegAppTable>(db->regAppTableId());
    if (!t->find(appName).isNull()) return RTERROR;
    vplat::EnsureRegApp(db, appName);
    return RTNORM;
}

int acdbHandEnt(const ACHAR* handle, ads_name entres) {
    AcDbDatabase* db = acdbHostApplicationServices()->workingDatabase();
    AcDbHandle h(handle);
    AcDbObjectId id;
    if (!db || h.isNull() || db->getAcDbObjectId(id, false, h) != Acad::eOk || !vplat::Peek<AcDbEntity>(id) ||
        id.isErased())
        return RTERROR;
    acdbGetAdsName(entres, id);
    return RTNORM;
}

double acutDistance(const ads_point p1, const ads_point p2) {
    return std::sqrt((p1[0] - p2[0]) * (p1[0] - p2[0]) + (p1[1] - p2[1]) * (p1[1] - p2[1]) +
                     (p1[2] - p2[2]) * (p1[2] - p2[2]));
}

double acutAngle(const ads_point p1, const ads_point p2) {
    double a = std::atan2(p2[1] - p1[1], p2[0] - p1[0]);
    return a < 0 ? a + 6.283185307179586 : a;
}

int acutPolar(const ads_point pt, ads_real angle, ads_real dist, ads_point ptres) {
    ptres[0] = pt[0] + dist * std::cos(angle);
    ptres[1] = pt[1] + dist * std::sin(angle);
    ptres[2] = pt[2];
    return RTNORM;
}

namespace vplat {

// Wildcards of names: * any run, ? one character, # a digit, @ a letter,
// . a character that is neither, ~ at the start negates, , separates
// alternatives, ` takes the next character as it stands. Case is ignored.
namespace {

wchar_t Upper(wchar_t c) { return static_cast<wchar_t>(std::towupper(static_cast<wint_t>(c))); }

// One alternative (without its ~) against the name. Every item but * takes
// one character, so a failure goes back only to the last * met, which takes
// one character more: the walk is at worst pattern length times name length,
// however many stars the pattern holds.
bool MatchOne(std::wstring_view p, std::wstring_view name) {
    size_t pi = 0, ni = 0;
    size_t starAt = std::wstring_view::npos, starName = 0;
    while (ni < name.size()) {
        if (pi < p.size() && p[pi] == L'*') {
            starAt = ++pi;
            starName = ni;
            continue;
        }
        bool ok = false;
        size_t next = pi + 1;
        if (pi < p.size()) {
            wchar_t c = p[pi], n = name[ni];
            if (c == L'?') ok = true;
            else if (c == L'#') ok = std::iswdigit(static_cast<wint_t>(n));
            else if (c == L'@') ok = std::iswalpha(static_cast<wint_t>(n));
            else if (c == L'.') ok = !std::iswalnum(static_cast<wint_t>(n));
            else {
                if (c == L'`' && pi + 1 < p.size()) c = p[pi + 1], next = pi + 2;
                ok = Upper(c) == Upper(n);
            }
        }
        if (ok) {
            pi = next, ++ni;
        } else if (starAt != std::wstring_view::npos) {
            pi = starAt;
            ni = ++starName;
        } else {
            return false;
        }
    }
    while (pi < p.size() && p[pi] == L'*') ++pi;
    return pi == p.size();
}

}  // namespace

bool WildcardMatch(const std::wstring& pattern, std::wstring_view name) {
    // A plain name, as most filters give, is compared as it stands.
    if (pattern.find_first_of(L"*?#@.~,`") == std::wstring::npos) {
        if (pattern.size() != name.size()) return false;
        for (size_t i = 0; i < name.size(); ++i)
            if (pattern[i] != name[i] && Upper(pattern[i]) != Upper(name[i])) return false;
        return true;
    }
    // Split on unescaped commas.
    std::vector<std::wstring> alts(1);
    for (size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == L'`' && i + 1 < pattern.size()) {
            alts.back() += pattern[i];
            alts.back() += pattern[++i];
        } else if (pattern[i] == L',') {
            alts.emplace_back();
        } else {
            alts.back() += pattern[i];
        }
    }
    for (const std::wstring& a : alts) {
        bool negate = !a.empty() && a[0] == L'~';
        bool m = MatchOne(std::wstring_view(a).substr(negate ? 1 : 0), name);
        if (negate ? !m : m) return true;
    }
    return false;
}

}  // namespace vplat

namespace {
bool WildMatch(const std::wstring& pattern, const std::wstring& name) { return vplat::WildcardMatch(pattern, name); }
}  // namespace
