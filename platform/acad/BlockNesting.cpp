#include "BlockNesting.h"

#include <map>
#include <set>

#include "AcDbDatabase.h"

namespace vplat {

namespace {

class CycleFinder {
public:
    explicit CycleFinder(const AcDbDatabase* db) : m_db(db) {}

    BlockCycle Run() {
        auto* bt = Peek<AcDbBlockTable>(m_db->blockTableId());
        if (!bt) return {};
        for (AcDbObjectId id : bt->recordIds())
            if (Visit(Peek<AcDbBlockTableRecord>(id))) break;
        return m_cycle;
    }

private:
    enum State { Open = 1, Done = 2 };

    // Depth first over the blocks each block inserts, without recursion (a
    // legal chain of blocks may be long); true once a cycle is found.
    bool Visit(const AcDbBlockTableRecord* root) {
        if (!root || m_state[root] == Done) return false;
        std::vector<std::pair<const AcDbBlockTableRecord*, size_t>> stack{{root, 0}};
        m_state[root] = Open;
        while (!stack.empty()) {
            auto& [b, next] = stack.back();
            if (next == b->entityIds().size()) {
                m_state[b] = Done;
                stack.pop_back();
                continue;
            }
            auto* ref = Peek<AcDbBlockReference>(b->entityIds()[next++]);
            if (!ref || ref->isErased()) continue;
            auto* target = Peek<AcDbBlockTableRecord>(ref->blockTableRecord());
            if (!target || m_state[target] == Done) continue;
            if (m_state[target] == Open) {
                size_t from = 0;
                while (stack[from].first != target) ++from;
                for (size_t k = from; k < stack.size(); ++k) m_cycle.names.push_back(stack[k].first->name());
                m_cycle.names.push_back(target->name());
                m_cycle.reference = ref;
                return true;
            }
            m_state[target] = Open;
            stack.push_back({target, 0});
        }
        return false;
    }

    const AcDbDatabase* m_db;
    std::map<const AcDbBlockTableRecord*, int> m_state;
    BlockCycle m_cycle;
};

}  // namespace

BlockCycle FindBlockCycle(const AcDbDatabase* db) { return CycleFinder(db).Run(); }

bool WouldInsertItself(AcDbObjectId inserted, AcDbObjectId into) {
    if (inserted.isNull() || into.isNull()) return false;
    std::vector<AcDbObjectId> todo{inserted};
    std::set<AcDbObjectId> seen{inserted};
    while (!todo.empty()) {
        AcDbObjectId id = todo.back();
        todo.pop_back();
        if (id == into) return true;
        auto* b = Peek<AcDbBlockTableRecord>(id);
        if (!b) continue;
        for (AcDbObjectId e : b->entityIds()) {
            auto* ref = Peek<AcDbBlockReference>(e);
            if (ref && !ref->isErased() && seen.insert(ref->blockTableRecord()).second)
                todo.push_back(ref->blockTableRecord());
        }
    }
    return false;
}

std::wstring CycleText(const BlockCycle& cycle) {
    std::wstring out;
    for (const std::wstring& n : cycle.names) out += (out.empty() ? L"" : L" > ") + n;
    return out;
}

}  // namespace vplat
