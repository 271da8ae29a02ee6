// Blocks inside blocks: references that come back to their own block, and
// the bound on the work of expanding nested references (extents, rendering).
#pragma once

#include <string>
#include <vector>

#include "AcDbObjectId.h"

class AcDbDatabase;
class AcDbBlockReference;

namespace vplat {

// A chain of block names in which each block inserts the next and the last
// is the first again ("A", "B", "A"), with the reference that closes it; an
// empty chain when no block inserts itself, however indirectly.
struct BlockCycle {
    std::vector<std::wstring> names;
    const AcDbBlockReference* reference = nullptr;
};
BlockCycle FindBlockCycle(const AcDbDatabase* db);
// "A > B > A"
std::wstring CycleText(const BlockCycle& cycle);
// Whether a reference to `inserted` placed in `into` would make a block
// insert itself: `inserted` is `into`, or inserts it however indirectly.
bool WouldInsertItself(AcDbObjectId inserted, AcDbObjectId into);

// How deep references are expanded inside one another, and how many entities
// one expansion (the extents of a reference, a rendered picture) may visit in
// all, so that a deep or wide nesting cannot hang the host.
constexpr int kMaxBlockDepth = 16;
constexpr long kMaxExpandedEntities = 2'000'000;

// The count of one expansion, shared by the nested calls it makes.
class ExpansionBudget {
public:
    // True while the budget lasts; counts one entity.
    bool Take() { return m_left > 0 && --m_left >= 0; }
    bool Spent() const { return m_left <= 0; }

private:
    long m_left = kMaxExpandedEntities;
};

}  // namespace vplat
