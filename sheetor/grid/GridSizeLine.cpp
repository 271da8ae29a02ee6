#include "GridSizeLine.h"

void CGridSizeLine::Rebuild() {
    size_t n = m_size.size();
    m_tree.assign(n + 1, 0);
    for (size_t i = 1; i <= n; ++i) {
        m_tree[i] += m_size[i - 1];
        size_t parent = i + (i & (~i + 1));
        if (parent <= n) m_tree[parent] += m_tree[i];
    }
}

void CGridSizeLine::Set(int i, int size) {
    long long delta = static_cast<long long>(size) - m_size[static_cast<size_t>(i)];
    m_size[static_cast<size_t>(i)] = size;
    for (size_t k = static_cast<size_t>(i) + 1; k < m_tree.size(); k += k & (~k + 1)) m_tree[k] += delta;
}

void CGridSizeLine::Resize(int n, int size) {
    if (n > Count() && Count() > 0) {
        m_size.reserve(static_cast<size_t>(n));
        m_tree.reserve(static_cast<size_t>(n) + 1);
        while (Count() < n) Append(size);
        return;
    }
    m_size.resize(static_cast<size_t>(n), size);
    Rebuild();
}

// Appending adds one node: the sum of the entries it covers.
void CGridSizeLine::Append(int size) {
    m_size.push_back(size);
    size_t k = m_size.size();
    size_t low = k - (k & (~k + 1));
    m_tree.push_back(Prefix(static_cast<int>(k - 1)) - Prefix(static_cast<int>(low)) + size);
}

void CGridSizeLine::Insert(int i, int size) {
    if (i == Count()) return Append(size);
    m_size.insert(m_size.begin() + i, size);
    Rebuild();
}

// The last entry's node covers nothing before it, so dropping it drops the node.
void CGridSizeLine::Erase(int i) {
    if (i == Count() - 1) {
        m_size.pop_back();
        m_tree.pop_back();
        return;
    }
    m_size.erase(m_size.begin() + i);
    Rebuild();
}

void CGridSizeLine::Clear() {
    m_size.clear();
    m_tree.assign(1, 0);
}

void CGridSizeLine::Swap(int a, int b) {
    int sa = Get(a), sb = Get(b);
    Set(a, sb);
    Set(b, sa);
}

long long CGridSizeLine::Prefix(int i) const {
    long long sum = 0;
    for (size_t k = static_cast<size_t>(i); k > 0; k -= k & (~k + 1)) sum += m_tree[k];
    return sum;
}

int CGridSizeLine::LowerBound(long long target) const {
    if (target <= 0) return 0;
    size_t n = m_size.size();
    size_t pos = 0;
    size_t step = 1;
    while (step * 2 <= n) step *= 2;
    long long rest = target;
    // Walk down the tree to the last index whose prefix is still below target.
    for (; step > 0; step /= 2) {
        if (pos + step <= n && m_tree[pos + step] < rest) {
            pos += step;
            rest -= m_tree[pos];
        }
    }
    return static_cast<int>(pos + 1);
}
