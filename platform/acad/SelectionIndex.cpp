#include "SelectionIndex.h"

#include <cwctype>

#include "AcDbDatabase.h"
#include "HostText.h"

namespace vplat {

namespace {

std::wstring Upper(std::wstring s) {
    for (wchar_t& c : s) c = static_cast<wchar_t>(std::towupper(static_cast<wint_t>(c)));
    return s;
}

const std::vector<DbStub*> kNessuna;

// Application and text, case ignored, in one key that no other pair gives.
void MakeTextKey(std::wstring& key, std::wstring_view app, std::wstring_view text) {
    key = std::to_wstring(app.size());
    key += L':';
    for (std::wstring_view part : {app, text})
        for (wchar_t c : part) key += static_cast<wchar_t>(std::towupper(static_cast<wint_t>(c)));
}

std::wstring TextKey(const std::wstring& app, const std::wstring& text) {
    std::wstring key;
    MakeTextKey(key, app, text);
    return key;
}

}  // namespace

bool SelectionIndex::PlainName(const wchar_t* value) {
    if (!value || !*value) return false;
    for (const wchar_t* c = value; *c; ++c)
        if (std::wcschr(L"*?#@.~,`[]", *c)) return false;
    return true;
}

void SelectionIndex::Add(std::vector<DbStub*>& list, DbStub* stub) {
    // The same entity given data again is not listed again.
    if (list.empty() || list.back() != stub) list.push_back(stub);
}

const DxfTag* SelectionIndex::FirstText(const std::vector<XDataGroup>& groups, size_t group) {
    const XDataGroup& g = groups[group];
    for (size_t k = 0; k < group; ++k)
        if (EqualNoCase(groups[k].app, g.app)) return nullptr;
    if (g.items.empty() || g.items.front().code != 1000 || g.items.front().kind != DxfTag::Kind::Text) return nullptr;
    return &g.items.front();
}

void SelectionIndex::NoteApp(DbStub* stub, const std::wstring& app) {
    // Entities in a row mostly carry the same application.
    if (!m_lastAppList || app != m_lastApp) {
        m_lastAppList = &m_byApp[Upper(app)];
        m_lastApp = app;
    }
    Add(*m_lastAppList, stub);
}

void SelectionIndex::NoteTexts(DbStub* stub, const std::vector<XDataGroup>& groups) {
    for (size_t g = 0; g < groups.size(); ++g) {
        const DxfTag* text = FirstText(groups, g);
        if (!text) continue;
        // Entities in a row mostly carry the same pair: its list is kept.
        if (!m_lastTextList || groups[g].app != m_lastTextApp || text->s() != m_lastText) {
            // The key is made in a text kept for it: most keys are already there.
            MakeTextKey(m_key, groups[g].app, text->s());
            auto it = m_byText.find(m_key);
            if (it == m_byText.end()) it = m_byText.emplace(m_key, std::vector<DbStub*>()).first;
            m_lastTextList = &it->second;
            m_lastTextApp = groups[g].app;
            m_lastText = text->s();
        }
        Add(*m_lastTextList, stub);
    }
}

void SelectionIndex::NoteXData(DbStub* stub, const std::vector<XDataGroup>& groups) {
    for (const XDataGroup& g : groups) NoteApp(stub, g.app);
    NoteTexts(stub, groups);
}

void SelectionIndex::CatchUp(const DrawingStore& store) {
    const auto& stubs = store.Stubs();
    for (; m_seen < stubs.size(); ++m_seen) {
        DbStub* s = stubs[m_seen];
        const auto* e = AcDbEntity::cast(s->object);
        if (!e) continue;
        // Vertices, attributes and the ends of their lists belong to their
        // entity and are never selected.
        const DbStub* owner = e->ownerId().stub();
        if (owner && AcDbEntity::cast(owner->object)) continue;
        const wchar_t* kind = e->dxfName();
        std::vector<DbStub*>*& list = m_typeLists[kind];
        if (!list) list = &m_byType[Upper(kind)];
        list->push_back(s);
        NoteXData(s, e->xdataGroups());
    }
}

const std::vector<DbStub*>* SelectionIndex::Candidates(const DrawingStore& store, const resbuf* filter) {
    // The plain types and applications the top level of the filter asks for;
    // anything inside an operator group is left to the check of each candidate.
    enum class Indice { kTipo, kApplicazione, kTesto };
    std::vector<std::pair<Indice, std::wstring>> chiavi;
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
        if (!(tipo || rb->restype == 1001) || !PlainName(rb->resval.rstring)) continue;
        chiavi.emplace_back(tipo ? Indice::kTipo : Indice::kApplicazione, Upper(rb->resval.rstring));
        // An application with the first text of its data.
        const resbuf* testo = rb->rbnext;
        if (!tipo && testo && testo->restype == 1000 && PlainName(testo->resval.rstring))
            chiavi.emplace_back(Indice::kTesto, TextKey(rb->resval.rstring, testo->resval.rstring));
    }
    if (profondita != 0 || chiavi.empty()) return nullptr;
    CatchUp(store);
    const std::vector<DbStub*>* migliore = nullptr;
    for (const auto& [quale, nome] : chiavi) {
        const auto& indice = quale == Indice::kTipo ? m_byType : quale == Indice::kApplicazione ? m_byApp : m_byText;
        auto it = indice.find(nome);
        const std::vector<DbStub*>* candidati = it == indice.end() ? &kNessuna : &it->second;
        if (!migliore || candidati->size() < migliore->size()) migliore = candidati;
    }
    return migliore;
}

}  // namespace vplat
