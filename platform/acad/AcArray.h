// The host's growable array: a logical length inside a physical one that grows
// by a fixed step.
#pragma once

#include <algorithm>
#include <vector>

template <typename T>
class AcArray {
public:
    explicit AcArray(int physicalLength = 0, int growLength = 8) : m_grow(growLength > 0 ? growLength : 8) {
        m_items.reserve(static_cast<size_t>(physicalLength > 0 ? physicalLength : 0));
    }

    int length() const { return static_cast<int>(m_items.size()); }
    int logicalLength() const { return length(); }
    int physicalLength() const { return static_cast<int>(m_items.capacity()); }
    int growLength() const { return m_grow; }
    AcArray& setGrowLength(int n) {
        if (n > 0) m_grow = n;
        return *this;
    }
    AcArray& setLogicalLength(int n) {
        m_items.resize(static_cast<size_t>(n > 0 ? n : 0));
        return *this;
    }
    AcArray& setPhysicalLength(int n) {
        if (n < length()) m_items.resize(static_cast<size_t>(n));
        m_items.shrink_to_fit();
        m_items.reserve(static_cast<size_t>(n));
        return *this;
    }
    bool isEmpty() const { return m_items.empty(); }

    // Index of the new element.
    int append(const T& v) {
        if (m_items.size() == m_items.capacity()) m_items.reserve(m_items.capacity() + static_cast<size_t>(m_grow));
        m_items.push_back(v);
        return length() - 1;
    }
    AcArray& append(const AcArray& other) {
        for (const T& v : other.m_items) append(v);
        return *this;
    }
    AcArray& insertAt(int i, const T& v) {
        m_items.insert(m_items.begin() + i, v);
        return *this;
    }
    AcArray& removeAt(int i) {
        m_items.erase(m_items.begin() + i);
        return *this;
    }
    AcArray& removeLast() {
        m_items.pop_back();
        return *this;
    }
    AcArray& removeAll() {
        m_items.clear();
        return *this;
    }
    AcArray& reverse() {
        std::reverse(m_items.begin(), m_items.end());
        return *this;
    }
    AcArray& setAt(int i, const T& v) {
        m_items[static_cast<size_t>(i)] = v;
        return *this;
    }

    T& operator[](int i) { return m_items[static_cast<size_t>(i)]; }
    const T& operator[](int i) const { return m_items[static_cast<size_t>(i)]; }
    T& at(int i) { return m_items.at(static_cast<size_t>(i)); }
    const T& at(int i) const { return m_items.at(static_cast<size_t>(i)); }
    T& first() { return m_items.front(); }
    const T& first() const { return m_items.front(); }
    T& last() { return m_items.back(); }
    const T& last() const { return m_items.back(); }
    bool contains(const T& v, int start = 0) const { return find(v, start) >= 0; }
    int find(const T& v, int start = 0) const {
        for (int i = start; i < length(); ++i)
            if (m_items[static_cast<size_t>(i)] == v) return i;
        return -1;
    }
    T* asArrayPtr() { return m_items.data(); }
    const T* asArrayPtr() const { return m_items.data(); }

private:
    std::vector<T> m_items;
    int m_grow;
};
