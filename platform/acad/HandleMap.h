// The objects of a drawing by handle: an open-addressing table, one flat
// array of (handle, stub) slots without a node per object (a drawing holds
// hundreds of thousands), probed linearly from a mixed hash. Handles are
// never 0 and never leave the drawing once taken, so a slot is either empty
// or kept.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace vplat {

struct DbStub;

class HandleMap {
public:
    DbStub* Find(uint64_t handle) const {
        if (m_slots.empty() || handle == 0) return nullptr;
        for (size_t i = Home(handle);; i = (i + 1) & m_mask) {
            const Slot& s = m_slots[i];
            if (s.handle == handle) return s.stub;
            if (s.handle == 0) return nullptr;
        }
    }
    bool Contains(uint64_t handle) const { return Find(handle) != nullptr; }
    // The handle must be new (not 0, not in the map).
    void Insert(uint64_t handle, DbStub* stub) {
        if (Full(m_count + 1)) Grow(m_count + 1);
        Place(handle, stub);
        ++m_count;
    }
    // Room for that many handles in all without growing again.
    void Reserve(size_t handles) {
        if (Full(handles)) Grow(handles);
    }
    size_t Size() const { return m_count; }

private:
    struct Slot {
        uint64_t handle = 0;
        DbStub* stub = nullptr;
    };

    size_t Home(uint64_t handle) const {
        // Handles mostly run one after the other: mixed so they do not cluster.
        return static_cast<size_t>((handle * 0x9E3779B97F4A7C15ull) >> 32) & m_mask;
    }
    // At most three slots in four taken.
    bool Full(size_t handles) const { return handles * 4 > m_slots.size() * 3; }
    void Place(uint64_t handle, DbStub* stub) {
        size_t i = Home(handle);
        while (m_slots[i].handle != 0) i = (i + 1) & m_mask;
        m_slots[i] = {handle, stub};
    }
    void Grow(size_t handles) {
        size_t size = 16;
        while (handles * 4 > size * 3) size *= 2;
        std::vector<Slot> old;
        old.swap(m_slots);
        m_slots.assign(size, Slot{});
        m_mask = size - 1;
        for (const Slot& s : old)
            if (s.handle != 0) Place(s.handle, s.stub);
    }

    std::vector<Slot> m_slots;
    size_t m_mask = 0;
    size_t m_count = 0;
};

}  // namespace vplat
