#include "SelectionIndex.h"

#include <cwctype>

#include "AcDbDatabase.h"

namespace vplat {

namespace {

std::wstring Upper(std::wstring s) {
    for (wchar_t& c : s) c = static_cast<wchar_t>(std::towupper(static_cast<wint_t>(c)));
    return s;
}

const std::vector<DbStub*> kNessuna;

}  // namespace

bool SelectionIndex::PlainName(const wchar_t* value) {
    if (!value || !*value) return false;
    for (const wchar_t* c = value; *c; ++c)
        if (std::wcschr(L"*?#@.~,`[]", *c)) return false;
    return true;
}

void SelectionIndex::Add(std::unordered_map<std::wstring, std::vector<DbStub*>>& index, const std::wstring& key,
                         DbStub* stub) {
    index[key].push_back(stub);
}

void SelectionIndex::NoteXData(DbStub* stub, const std::wstring& app) {
    const std::wstring key = Upper(app);
    if (m_inApp[key].insert(stub).second) Add(m_byApp, key, stub);
}

void SelectionIndex::CatchUp(const DrawingStore& store) {
    const auto& stubs = store.Stubs();
    for (; m_seen < stubs.size(); ++m_seen) {
        DbStub* s = stubs[m_seen].get();
        const auto* e = AcDbEntity::cast(s->object);
        if (!e) continue;
        Add(m_byType, Upper(e->dxfName()), s);
        for (const XDataGroup& g : e->xdataGroups()) NoteXData(s, g.app);
    }
}

const std::vector<DbStub*>* SelectionIndex::Candidates(const DrawingStore& store, const resbuf* filter) {
    // The plain types and applications the top level of the filter asks for;
    // anything inside an operator group is left to the check of each candidate.
    std::vector<std::pair<bool, std::wstring>> chiavi;  // (application?, name)
    int profondita = 0;
    for (const resbuf* rb = filter; rb; rb = rb->rbnext) {
        if (rb->restype == -4) {
            const wchar_t* o = rb->resval.rstring;
            if (!o || !*o) return nullptr;
            if (o[0] == L'<')
                ++profondita;
            else if (--profondita < 0)
                return nullptr;
            continue;
        }
        if (profondita != 0) continue;
        const bool tipo = rb->restype == 0 || rb->restype == RTDXF0;
        if ((tipo || rb->restype == 1001) && PlainName(rb->resval.rstring))
            chiavi.emplace_back(!tipo, Upper(rb->resval.rstring));
    }
    if (profondita != 0 || chiavi.empty()) return nullptr;
    CatchUp(store);
    const std::vector<DbStub*>* migliore = nullptr;
    for (const auto& [applicazione, nome] : chiavi) {
        const auto& indice = applicazione ? m_byApp : m_byType;
        auto it = indice.find(nome);
        const std::vector<DbStub*>* candidati = it == indice.end() ? &kNessuna : &it->second;
        if (!migliore || candidati->size() < migliore->size()) migliore = candidati;
    }
    return migliore;
}

}  // namespace vplat
