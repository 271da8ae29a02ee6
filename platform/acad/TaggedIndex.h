// The drawing's index of the entities the road-design suite tags: for each
// application it knows, the entities by the road names their extended data
// carries, in handle order, and the entities whose data lacks those names.
// Unlike the selection indexes it is exact: an entity is listed while it is
// in the drawing, not erased, and carries that data, under the names it
// carries now.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "AcDbObject.h"

namespace vplat {

class DrawingStore;

class TaggedIndex {
public:
    // The applications indexed, each with the rule that reads its names.
    enum Regola { kCigli, kIntersezioni, kNumRegole };
    // The rule of an application (case ignored), or -1.
    static int RegolaDi(std::wstring_view app);
    // The road keys of an entity's data under a rule, into the first `count`
    // texts of `keys` (kept from call to call, so that their room is reused);
    // none when the entity does not carry the application; `lacking` when
    // the data is there but lacks the texts the names are read from.
    static void Chiavi(int regola, const std::vector<XDataGroup>& groups, std::vector<std::wstring>& keys,
                       size_t& count, bool& carries, bool& lacking);
    // The key of a list of road names: a single name is its own key.
    static void Chiave(std::wstring& key, std::initializer_list<std::wstring_view> names);
    static std::wstring Chiave(const std::vector<std::wstring>& names);

    // An entity of the drawing joins the index with its data now (nothing
    // for one erased, for vertices and attributes, for other objects).
    void Note(DbStub* stub);
    // The entity leaves the index, under the names of its data now.
    void Forget(DbStub* stub);
    // Takes in the objects added to the drawing since the last call.
    void CatchUp(const DrawingStore& store);

    // The entities listed under any of the keys and, with `lacking`, those
    // whose data lacks the names, in handle order, each once.
    std::vector<DbStub*> Candidates(int regola, const std::vector<std::wstring>& keys, bool lacking) const;

private:
    struct Liste {
        std::unordered_map<std::wstring, std::vector<DbStub*>> byKey;
        std::vector<DbStub*> lacking;
    };
    static void Insert(std::vector<DbStub*>& list, DbStub* stub);
    static void Remove(std::vector<DbStub*>& list, DbStub* stub);
    void Change(DbStub* stub, bool add);

    Liste m_regole[kNumRegole];
    size_t m_seen = 0;
    // Scratch kept between calls: most entities in a row name the same road.
    std::vector<std::wstring> m_keys;
    std::wstring m_lastKey[kNumRegole];
    std::vector<DbStub*>* m_lastList[kNumRegole] = {};
};

// Selection over the index, as acedSSGet "_X" with the filter {type, 1001
// application} would make it but narrowed to the entities that carry the
// road names (one name for "QV-VORTANA-NPOLI": the text after the kind; two
// for "QV-VORTANA-INTERS-T": the main and the leg road, by internal name or
// by name) given by any of `roads`, and, with `lacking`, those whose data
// lacks the names. RTNORM with a selection set, RTERROR when none (or for
// an application the index does not know). With the indexes off
// (`UseSelectionIndexes(false)`) it walks the drawing and answers every
// entity the filter passes, as acedSSGet does.
int SSGetTagged(const wchar_t* type, const wchar_t* app, const std::vector<std::vector<std::wstring>>& roads,
                bool lacking, ads_name ss);

}  // namespace vplat
