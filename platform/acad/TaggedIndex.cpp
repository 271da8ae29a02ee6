#include "TaggedIndex.h"

#include <algorithm>
#include <cwctype>

#include "AcDbDatabase.h"

namespace vplat {

namespace {

constexpr const wchar_t* kApps[TaggedIndex::kNumRegole] = {L"QV-VORTANA-NPOLI", L"QV-VORTANA-INTERS-T"};

wchar_t Upper(wchar_t c) {
    if (c < 0x80) return c >= L'a' && c <= L'z' ? static_cast<wchar_t>(c - 32) : c;
    return static_cast<wchar_t>(std::towupper(static_cast<wint_t>(c)));
}

// Every entity that joins the drawing is looked at: names of other lengths
// are told apart at once.
bool SameApp(std::wstring_view a, std::wstring_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (a[i] != b[i] && Upper(a[i]) != Upper(b[i])) return false;
    return true;
}

bool ByHandle(const DbStub* a, const DbStub* b) { return a->handle < b->handle; }

bool IsText(const DxfTag& t) { return t.code == 1000 && t.kind == DxfTag::Kind::Text; }

// The next key text of `keys`, emptied, its room kept.
std::wstring& NuovaChiave(std::vector<std::wstring>& keys, size_t& count) {
    if (count == keys.size()) keys.emplace_back();
    keys[count].clear();
    return keys[count++];
}

// Edge polylines: the first text of the application's items (of all its
// groups, in order) is the kind, the item right after it the road's name.
// A kind that is the last item of its group is followed by the next group's
// name, which is no text.
void ChiaviCigli(const std::vector<XDataGroup>& groups, std::vector<std::wstring>& keys, size_t& count,
                 bool& carries, bool& lacking) {
    for (size_t g = 0; g < groups.size(); ++g) {
        if (!SameApp(groups[g].app, kApps[TaggedIndex::kCigli])) continue;
        carries = true;
        const DxfTags& items = groups[g].items;
        for (size_t k = 0; k < items.size(); ++k) {
            if (items[k].code != 1000) continue;
            if (k + 1 < items.size() && IsText(items[k + 1]))
                TaggedIndex::Chiave(NuovaChiave(keys, count), {items[k + 1].s()});
            return;
        }
    }
    lacking = carries;
}

// Intersection polylines: the leading texts of the application's first
// group are the id, the edge code, the main road's internal name and name,
// the leg road's internal name and name.
void ChiaviIntersezioni(const std::vector<XDataGroup>& groups, std::vector<std::wstring>& keys, size_t& count,
                        bool& carries, bool& lacking) {
    for (const XDataGroup& g : groups) {
        if (!SameApp(g.app, kApps[TaggedIndex::kIntersezioni])) continue;
        carries = true;
        size_t n = 0;
        while (n < g.items.size() && n < 6 && IsText(g.items[n])) ++n;
        if (n < 6) {
            lacking = true;
            return;
        }
        TaggedIndex::Chiave(NuovaChiave(keys, count), {g.items[2].s(), g.items[4].s()});
        std::wstring& perNome = NuovaChiave(keys, count);
        TaggedIndex::Chiave(perNome, {g.items[3].s(), g.items[5].s()});
        if (perNome == keys[count - 2]) --count;
        return;
    }
}

}  // namespace

int TaggedIndex::RegolaDi(std::wstring_view app) {
    for (int r = 0; r < kNumRegole; ++r)
        if (SameApp(app, kApps[r])) return r;
    return -1;
}

namespace {
// A single name as it stands; several, each after its length, so that no
// two lists give the same key.
template <typename Names>
void Unisci(std::wstring& key, const Names& names) {
    key.clear();
    if (names.size() == 1) {
        key.assign(names.begin()->data(), names.begin()->size());
        return;
    }
    for (std::wstring_view n : names) {
        wchar_t digits[24];
        int d = 0;
        for (size_t len = n.size(); d == 0 || len > 0; len /= 10) digits[d++] = static_cast<wchar_t>(L'0' + len % 10);
        while (d > 0) key += digits[--d];
        key += L':';
        key += n;
    }
}
}  // namespace

void TaggedIndex::Chiave(std::wstring& key, std::initializer_list<std::wstring_view> names) { Unisci(key, names); }

std::wstring TaggedIndex::Chiave(const std::vector<std::wstring>& names) {
    std::wstring key;
    Unisci(key, names);
    return key;
}

void TaggedIndex::Chiavi(int regola, const std::vector<XDataGroup>& groups, std::vector<std::wstring>& keys,
                         size_t& count, bool& carries, bool& lacking) {
    count = 0;
    carries = lacking = false;
    if (regola == kCigli) ChiaviCigli(groups, keys, count, carries, lacking);
    else if (regola == kIntersezioni) ChiaviIntersezioni(groups, keys, count, carries, lacking);
}

void TaggedIndex::Insert(std::vector<DbStub*>& list, DbStub* stub) {
    // Entities mostly join in handle order.
    if (list.empty() || list.back()->handle < stub->handle) {
        list.push_back(stub);
        return;
    }
    auto it = std::lower_bound(list.begin(), list.end(), stub, ByHandle);
    if (it == list.end() || *it != stub) list.insert(it, stub);
}

void TaggedIndex::Remove(std::vector<DbStub*>& list, DbStub* stub) {
    auto it = std::lower_bound(list.begin(), list.end(), stub, ByHandle);
    if (it != list.end() && *it == stub) list.erase(it);
}

void TaggedIndex::Change(DbStub* stub, bool add) {
    // Most objects (vertices above all) carry no data.
    if (!stub || !stub->object || stub->object->xdataGroups().empty()) return;
    const auto* e = AcDbEntity::cast(stub->object);
    if (!e) return;
    // Vertices, attributes and the ends of their lists belong to their entity.
    const DbStub* owner = e->ownerId().stub();
    if (owner && AcDbEntity::cast(owner->object)) return;
    if (add && e->isErased()) return;
    for (int r = 0; r < kNumRegole; ++r) {
        bool carries = false, lacking = false;
        size_t count = 0;
        Chiavi(r, e->xdataGroups(), m_keys, count, carries, lacking);
        if (!carries) continue;
        Liste& liste = m_regole[r];
        if (lacking) add ? Insert(liste.lacking, stub) : Remove(liste.lacking, stub);
        for (size_t k = 0; k < count; ++k) {
            const std::wstring& key = m_keys[k];
            if (!m_lastList[r] || key != m_lastKey[r]) {
                // Lists stay where they are when the map grows.
                auto it = liste.byKey.find(key);
                if (it == liste.byKey.end()) it = liste.byKey.emplace(key, std::vector<DbStub*>()).first;
                m_lastList[r] = &it->second;
                m_lastKey[r] = key;
            }
            add ? Insert(*m_lastList[r], stub) : Remove(*m_lastList[r], stub);
        }
    }
}

void TaggedIndex::Note(DbStub* stub) { Change(stub, true); }
void TaggedIndex::Forget(DbStub* stub) { Change(stub, false); }

void TaggedIndex::CatchUp(const DrawingStore& store) {
    const auto& stubs = store.Stubs();
    for (; m_seen < stubs.size(); ++m_seen) Change(stubs[m_seen], true);
}

std::vector<DbStub*> TaggedIndex::Candidates(int regola, const std::vector<std::wstring>& keys, bool lacking) const {
    std::vector<DbStub*> out;
    if (regola < 0 || regola >= kNumRegole) return out;
    const Liste& liste = m_regole[regola];
    for (const std::wstring& key : keys) {
        auto it = liste.byKey.find(key);
        if (it != liste.byKey.end()) out.insert(out.end(), it->second.begin(), it->second.end());
    }
    if (lacking) out.insert(out.end(), liste.lacking.begin(), liste.lacking.end());
    std::sort(out.begin(), out.end(), ByHandle);
    out.erase(std::unique(out.begin(), out.end()), out.end());
    return out;
}

}  // namespace vplat
