// Row heights or column widths with their running sums (a Fenwick tree), so
// that positions, hit tests and scroll steps never walk from the first row.
#pragma once

#include <cstddef>
#include <vector>

class CGridSizeLine {
public:
    int Count() const { return static_cast<int>(m_size.size()); }
    int Get(int i) const { return m_size[static_cast<size_t>(i)]; }
    void Set(int i, int size);
    // n entries; new ones take the given size.
    void Resize(int n, int size);
    void Insert(int i, int size);
    void Erase(int i);
    void Clear();
    void Swap(int a, int b);
    // Sum of entries [0, i).
    long long Prefix(int i) const;
    long long Total() const { return Prefix(Count()); }
    // The smallest i in [0, Count()] with Prefix(i) >= target (Count() + 1 when none).
    int LowerBound(long long target) const;

private:
    void Rebuild();
    void Append(int size);

    std::vector<int> m_size;
    std::vector<long long> m_tree = std::vector<long long>(1, 0);  // 1-based
};
