#include "AcEdSelection.h"

#include <algorithm>
#include <cwctype>
#include <map>
#include <sstream>

#include "HostScript.h"
#include "HostText.h"
#include "HostTranscript.h"

namespace {

constexpr int64_t kSetMark = 0x5353;  // second word of a selection-set name
std::map<int64_t, std::vector<AcDbObjectId>> g_sets;
int64_t g_nextSet = 1;
bool g_indici = true;

std::wstring Upper(std::wstring s) {
    for (wchar_t& c : s) c = static_cast<wchar_t>(std::towupper(static_cast<wint_t>(c)));
    return s;
}

bool ValueMatches(const AcDbEntity* e, const resbuf* rb) {
    int code = rb->restype == RTDXF0 ? 0 : rb->restype;
    if (code == 0) return rb->resval.rstring && vplat::WildcardMatch(rb->resval.rstring, e->dxfName());
    if (code == 8) return rb->resval.rstring && vplat::WildcardMatch(rb->resval.rstring, e->layerName());
    if (code == 1001) {
        if (!rb->resval.rstring) return false;
        for (const auto& g : e->xdataGroups())
            if (vplat::WildcardMatch(rb->resval.rstring, g.app)) return true;
        return false;
    }
    if (code == 62) return e->colorIndex() == rb->resval.rint;
    if (code == 2) {
        if (auto* ref = AcDbBlockReference::cast(e)) {
            auto* b = vplat::Peek<AcDbBlockTableRecord>(ref->blockTableRecord());
            return b && rb->resval.rstring && vplat::WildcardMatch(rb->resval.rstring, b->name());
        }
    }
    for (const vplat::DxfTag& t : e->data()) {
        if (t.code != code) continue;
        switch (vplat::ValueKindOf(code)) {
        case vplat::RbValue::String:
            if (rb->resval.rstring && vplat::WildcardMatch(rb->resval.rstring, t.s())) return true;
            break;
        case vplat::RbValue::Real:
            if (t.AsReal() == rb->resval.rreal) return true;
            break;
        case vplat::RbValue::Short:
            if (t.i() == rb->resval.rint) return true;
            break;
        case vplat::RbValue::Long:
            if (t.i() == rb->resval.rlong) return true;
            break;
        case vplat::RbValue::Point:
            if (t.v()[0] == rb->resval.rpoint[0] && t.v()[1] == rb->resval.rpoint[1] && t.v()[2] == rb->resval.rpoint[2])
                return true;
            break;
        default: break;
        }
    }
    return false;
}

// An application (1001) followed by a text (1000): the first text of that
// application's data matches.
bool FirstTextMatches(const AcDbEntity* e, const resbuf* app, const resbuf* text) {
    if (!app->resval.rstring || !text->resval.rstring) return false;
    const auto& groups = e->xdataGroups();
    for (size_t g = 0; g < groups.size(); ++g) {
        if (!vplat::WildcardMatch(app->resval.rstring, groups[g].app)) continue;
        const vplat::DxfTag* first = vplat::SelectionIndex::FirstText(groups, g);
        if (first && vplat::WildcardMatch(text->resval.rstring, first->s())) return true;
    }
    return false;
}

// Evaluates filter items from `rb` up to the closing operator `close`
// (empty for the whole list); the items of a group are combined by `op`.
bool Eval(const AcDbEntity* e, const resbuf*& rb, const std::wstring& op, const std::wstring& close, bool* bad) {
    std::vector<bool> results;
    while (rb) {
        if (rb->restype == -4) {
            std::wstring o = Upper(rb->resval.rstring ? rb->resval.rstring : L"");
            rb = rb->rbnext;
            if (o.size() > 1 && o[0] == L'<') {
                std::wstring name = o.substr(1);
                results.push_back(Eval(e, rb, name, name + L">", bad));
                continue;
            }
            if (o == close) break;
            *bad = true;
            return false;
        }
        if (rb->restype == -3) {
            rb = rb->rbnext;
            continue;
        }
        if (rb->restype == 1001 && rb->rbnext && rb->rbnext->restype == 1000) {
            results.push_back(FirstTextMatches(e, rb, rb->rbnext));
            rb = rb->rbnext->rbnext;
            continue;
        }
        results.push_back(ValueMatches(e, rb));
        rb = rb->rbnext;
    }
    if (!close.empty() && !rb && results.empty()) *bad = true;
    if (op == L"OR") {
        for (bool r : results)
            if (r) return true;
        return false;
    }
    if (op == L"XOR") return results.size() == 2 && results[0] != results[1];
    if (op == L"NOT") return results.size() == 1 && !results[0];
    for (bool r : results)
        if (!r) return false;
    return true;
}

int NewSet(std::vector<AcDbObjectId> ids, ads_name ss) {
    int64_t n = g_nextSet++;
    g_sets[n] = std::move(ids);
    ss[0] = n;
    ss[1] = kSetMark;
    return RTNORM;
}

std::vector<AcDbObjectId>* SetOf(const ads_name ss) {
    if (ss[1] != kSetMark) return nullptr;
    auto it = g_sets.find(ss[0]);
    return it == g_sets.end() ? nullptr : &it->second;
}

// Entities a person can select: those of model space and of the layouts.
bool Selectable(const AcDbEntity* e) {
    if (!e || e->isErased()) return false;
    auto* b = vplat::Peek<AcDbBlockTableRecord>(e->ownerId());
    return b && b->isLayout();
}

AcDbEntity* ByHandleText(AcDbDatabase* db, const std::wstring& text) {
    AcDbHandle h(text.c_str());
    vplat::DbStub* s = h.isNull() ? nullptr : db->store().ByHandle(h.value());
    auto* e = s ? AcDbEntity::cast(s->object) : nullptr;
    return Selectable(e) ? e : nullptr;
}

}  // namespace

namespace vplat {

bool PassesFilter(const AcDbEntity* e, const resbuf* filter) {
    bool bad = false;
    const resbuf* rb = filter;
    bool ok = Eval(e, rb, L"AND", L"", &bad);
    return ok && !bad;
}

int OpenSelectionSets() { return static_cast<int>(g_sets.size()); }

void UseSelectionIndexes(bool use) { g_indici = use; }

}  // namespace vplat

int acedSSGet(const ACHAR* mode, const void*, const void*, const resbuf* filter, ads_name ss) {
    ss[0] = ss[1] = 0;
    AcDbDatabase* db = acdbHostApplicationServices()->workingDatabase();
    if (!db) return RTERROR;
    std::wstring m = mode ? Upper(mode) : L"";
    if (!m.empty() && m[0] == L'_') m.erase(0, 1);
    std::vector<AcDbObjectId> ids;
    if (m == L"X") {
        // A filter that names a type or an application walks only the
        // smallest index that holds every entity it can pass.
        if (const std::vector<vplat::DbStub*>* candidati =
                g_indici ? db->store().selection.Candidates(db->store(), filter) : nullptr) {
            for (vplat::DbStub* s : *candidati) {
                auto* e = AcDbEntity::cast(s->object);
                if (Selectable(e) && vplat::PassesFilter(e, filter)) ids.push_back(AcDbObjectId(s));
            }
        } else {
            for (const auto& s : db->store().Stubs()) {
                auto* e = AcDbEntity::cast(s->object);
                if (Selectable(e) && vplat::PassesFilter(e, filter)) ids.push_back(AcDbObjectId(s));
            }
        }
        // Creation order is the order of the handles, also in a drawing read from a file.
        std::sort(ids.begin(), ids.end(),
                  [](AcDbObjectId a, AcDbObjectId b) { return a.stub()->handle < b.stub()->handle; });
        // An index may list an entity twice.
        ids.erase(std::unique(ids.begin(), ids.end()), ids.end());
    } else if (m.empty() || m == L":S") {
        vplat::Transcript& tr = vplat::Transcript::Get();
        tr.CommandLine(L"Select objects: ");
        std::optional<std::wstring> line = vplat::Script::Get().Take(L"select", L"Select objects: ");
        if (!line || *line == L"<cancel>") {
            tr.Answer(L"*Cancel*");
            return RTCAN;
        }
        std::wstring text = *line == L"<enter>" ? L"" : *line;
        tr.Answer(text);
        for (wchar_t& c : text)
            if (c == L',') c = L' ';
        std::wistringstream in(text);
        std::wstring h;
        int found = 0;
        while (in >> h) {
            AcDbEntity* e = ByHandleText(db, h);
            if (!e) continue;
            ++found;
            if (vplat::PassesFilter(e, filter) &&
                std::find(ids.begin(), ids.end(), e->objectId()) == ids.end())
                ids.push_back(e->objectId());
        }
        tr.CommandLine(std::to_wstring(found) + L" found\n");
    } else {
        return RTERROR;
    }
    if (ids.empty()) return RTERROR;
    return NewSet(std::move(ids), ss);
}

namespace vplat {

int SSGetTagged(const wchar_t* type, const wchar_t* app, const std::vector<std::vector<std::wstring>>& roads,
                bool lacking, ads_name ss) {
    ss[0] = ss[1] = 0;
    AcDbDatabase* db = acdbHostApplicationServices()->workingDatabase();
    const int regola = app ? TaggedIndex::RegolaDi(app) : -1;
    if (!db || !type || regola < 0) return RTERROR;
    auto passes = [&](const AcDbEntity* e) {
        if (!Selectable(e) || !vplat::WildcardMatch(type, e->dxfName())) return false;
        for (const auto& g : e->xdataGroups())
            if (vplat::EqualNoCase(g.app, app)) return true;
        return false;
    };
    std::vector<AcDbObjectId> ids;
    if (g_indici) {
        std::vector<std::wstring> keys;
        for (const auto& names : roads) keys.push_back(TaggedIndex::Chiave(names));
        for (DbStub* s : db->store().tagged.Candidates(regola, keys, lacking))
            if (passes(AcDbEntity::cast(s->object))) ids.push_back(AcDbObjectId(s));
    } else {
        // The walk: every entity of that type and application, as the
        // whole-drawing selection gives them.
        for (DbStub* s : db->store().Stubs())
            if (passes(AcDbEntity::cast(s->object))) ids.push_back(AcDbObjectId(s));
        std::sort(ids.begin(), ids.end(),
                  [](AcDbObjectId a, AcDbObjectId b) { return a.stub()->handle < b.stub()->handle; });
    }
    if (ids.empty()) return RTERROR;
    return NewSet(std::move(ids), ss);
}

}  // namespace vplat

int acedSSLength(const ads_name ss, Adesk::Int32* len) {
    auto* set = SetOf(ss);
    if (!set || !len) return RTERROR;
    *len = static_cast<Adesk::Int32>(set->size());
    return RTNORM;
}

int acedSSName(const ads_name ss, Adesk::Int32 i, ads_name entres) {
    auto* set = SetOf(ss);
    if (!set || i < 0 || static_cast<size_t>(i) >= set->size()) return RTERROR;
    return acdbGetAdsName(entres, (*set)[static_cast<size_t>(i)]) == Acad::eOk ? RTNORM : RTERROR;
}

int acedSSFree(const ads_name ss) {
    if (ss[1] != kSetMark) return RTERROR;
    return g_sets.erase(ss[0]) ? RTNORM : RTERROR;
}

int acedSSAdd(const ads_name ename, const ads_name ss, ads_name result) {
    std::vector<AcDbObjectId> ids;
    if (ss) {
        auto* set = SetOf(ss);
        if (!set) return RTERROR;
        ids = *set;
    }
    if (ename) {
        AcDbObjectId id;
        if (acdbGetObjectId(id, ename) != Acad::eOk) return RTERROR;
        if (std::find(ids.begin(), ids.end(), id) == ids.end()) ids.push_back(id);
    }
    if (ss && ename) {
        *SetOf(ss) = ids;
        result[0] = ss[0], result[1] = ss[1];
        return RTNORM;
    }
    return NewSet(std::move(ids), result);
}

int acedEntSel(const ACHAR* prompt, ads_name entres, ads_point ptres) {
    vplat::Transcript& tr = vplat::Transcript::Get();
    std::wstring p = prompt ? prompt : L"\nSelect object: ";
    tr.CommandLine(p);
    std::optional<std::wstring> line = vplat::Script::Get().Take(L"entsel", p);
    if (!line || *line == L"<cancel>") {
        tr.Answer(L"*Cancel*");
        return RTCAN;
    }
    if (*line == L"<enter>" || line->empty()) {
        tr.Answer(L"");
        return RTERROR;
    }
    tr.Answer(*line);
    std::wistringstream in(*line);
    std::wstring handle, point;
    in >> handle >> point;
    AcDbDatabase* db = acdbHostApplicationServices()->workingDatabase();
    AcDbEntity* e = db ? ByHandleText(db, handle) : nullptr;
    if (!e) {
        tr.CommandLine(L"*Invalid selection*\n");
        return RTERROR;
    }
    double pt[3] = {0, 0, 0};
    bool given = false;
    if (!point.empty()) {
        std::wstringstream ps(point);
        std::wstring part;
        int n = 0;
        while (std::getline(ps, part, L',') && n < 3) pt[n++] = std::wcstod(part.c_str(), nullptr);
        given = n >= 2;
    }
    if (!given) {
        // Without a point the pick lands on the entity's first point.
        std::vector<vplat::PolyVertex> vs;
        if (vplat::PolylineVertices(e, vs) && !vs.empty()) {
            pt[0] = vs[0].point.x, pt[1] = vs[0].point.y, pt[2] = vs[0].point.z;
        } else if (const vplat::DxfTag* t = vplat::FindTag(e->data(), 10)) {
            pt[0] = t->v()[0], pt[1] = t->v()[1], pt[2] = t->v()[2];
        }
    }
    if (ptres) ptres[0] = pt[0], ptres[1] = pt[1], ptres[2] = pt[2];
    acdbGetAdsName(entres, e->objectId());
    return RTNORM;
}
