// Indexes a drawing keeps for whole-drawing selections: for each entity
// type and for each registered application, the entities that have it, in
// the order they joined the drawing. An index may hold more entities than
// match (erased ones, an application since removed), and may list an
// entity twice (the selection drops the repeats); never fewer. Every
// candidate is checked against the whole filter afterwards.
#pragma once

#include <string>
#include <unordered_map>
#include <vector>

#include "AdsDef.h"
#include "AcDbObject.h"

namespace vplat {

struct DbStub;
class DrawingStore;

class SelectionIndex {
public:
    // The smallest index that every entity passing the filter is in, or null
    // when the filter names no plain type or application at its top level.
    const std::vector<DbStub*>* Candidates(const DrawingStore& store, const resbuf* filter);
    // An entity of the drawing now carries that data.
    void NoteXData(DbStub* stub, const std::vector<XDataGroup>& groups);

    // Whether a filter value names one plain type or application (no
    // wildcard), so that an index can answer it.
    static bool PlainName(const wchar_t* value);
    // The first text of an application's data: the group's first item when
    // it is a 1000 text, else null. Only the first group of an application
    // counts.
    static const DxfTag* FirstText(const std::vector<XDataGroup>& groups, size_t group);

    // Takes in the entities added to the drawing since the last call.
    void CatchUp(const DrawingStore& store);

private:
    static void Add(std::vector<DbStub*>& list, DbStub* stub);
    void NoteApp(DbStub* stub, const std::wstring& app);
    // Each application's first group with a text for its first item.
    void NoteTexts(DbStub* stub, const std::vector<XDataGroup>& groups);

    size_t m_seen = 0;
    std::unordered_map<std::wstring, std::vector<DbStub*>> m_byType;
    std::unordered_map<std::wstring, std::vector<DbStub*>> m_byApp;
    // By application and first text (TextKey).
    std::unordered_map<std::wstring, std::vector<DbStub*>> m_byText;
    std::wstring m_key;      // the last first-text key made
    std::wstring m_lastTextApp, m_lastText;  // the pair noted last, with its list
    std::vector<DbStub*>* m_lastTextList = nullptr;
    std::wstring m_lastApp;  // the application noted last, with its list
    std::vector<DbStub*>* m_lastAppList = nullptr;
    // The list of each type seen, by the kind's own name text.
    std::unordered_map<const wchar_t*, std::vector<DbStub*>*> m_typeLists;
};

}  // namespace vplat
