// Indexes a drawing keeps for whole-drawing selections: for each entity
// type and for each registered application, the entities that have it, in
// the order they joined the drawing. An index may hold more entities than
// match (erased ones, an application since removed); never fewer. Every
// candidate is checked against the whole filter afterwards.
#pragma once

#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "AdsDef.h"

namespace vplat {

struct DbStub;
class DrawingStore;

class SelectionIndex {
public:
    // The smallest index that every entity passing the filter is in, or null
    // when the filter names no plain type or application at its top level.
    const std::vector<DbStub*>* Candidates(const DrawingStore& store, const resbuf* filter);
    // An entity of the drawing now carries data of that application.
    void NoteXData(DbStub* stub, const std::wstring& app);

    // Whether a filter value names one plain type or application (no
    // wildcard), so that an index can answer it.
    static bool PlainName(const wchar_t* value);

private:
    void CatchUp(const DrawingStore& store);
    void Add(std::unordered_map<std::wstring, std::vector<DbStub*>>& index, const std::wstring& key, DbStub* stub);

    size_t m_seen = 0;
    std::unordered_map<std::wstring, std::vector<DbStub*>> m_byType;
    std::unordered_map<std::wstring, std::vector<DbStub*>> m_byApp;
    std::unordered_map<std::wstring, std::unordered_set<const DbStub*>> m_inApp;
};

}  // namespace vplat
