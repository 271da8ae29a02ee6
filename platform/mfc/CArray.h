// The framework's growable array. A bad index throws CInvalidArgException;
// arrays are copied with Copy(), not by assignment.
#pragma once

#include <utility>
#include <vector>

#include "CException.h"
#include "CObject.h"


template <class TYPE, class ARG_TYPE = const TYPE&>
class CArray : public CObject {
public:
    CArray() = default;

    INT_PTR GetSize() const { return static_cast<INT_PTR>(m_data.size()); }
    INT_PTR GetCount() const { return GetSize(); }
    BOOL IsEmpty() const { return m_data.empty(); }
    INT_PTR GetUpperBound() const { return GetSize() - 1; }

    void SetSize(INT_PTR newSize, INT_PTR growBy = -1) {
        (void)growBy;
        if (newSize < 0) AfxThrowInvalidArgException();
        m_data.resize(static_cast<size_t>(newSize));
    }
    void FreeExtra() { m_data.shrink_to_fit(); }
    void RemoveAll() { m_data.clear(); }

    const TYPE& GetAt(INT_PTR i) const { return m_data[Check(i)]; }
    TYPE& GetAt(INT_PTR i) { return m_data[Check(i)]; }
    void SetAt(INT_PTR i, ARG_TYPE e) { m_data[Check(i)] = e; }
    TYPE& ElementAt(INT_PTR i) { return m_data[Check(i)]; }
    const TYPE& ElementAt(INT_PTR i) const { return m_data[Check(i)]; }
    const TYPE& operator[](INT_PTR i) const { return GetAt(i); }
    TYPE& operator[](INT_PTR i) { return ElementAt(i); }

    const TYPE* GetData() const { return m_data.data(); }
    TYPE* GetData() { return m_data.data(); }

    void SetAtGrow(INT_PTR i, ARG_TYPE e) {
        if (i < 0) AfxThrowInvalidArgException();
        if (i >= GetSize()) m_data.resize(static_cast<size_t>(i) + 1);
        m_data[static_cast<size_t>(i)] = e;
    }
    INT_PTR Add(ARG_TYPE e) {
        m_data.push_back(e);
        return GetSize() - 1;
    }
    INT_PTR Append(const CArray& src) {
        // As in the framework, an array cannot be appended to itself.
        if (&src == this) AfxThrowInvalidArgException();
        INT_PTR old = GetSize();
        m_data.insert(m_data.end(), src.m_data.begin(), src.m_data.end());
        return old;
    }
    void Copy(const CArray& src) {
        if (&src != this) m_data = src.m_data;
    }
    void InsertAt(INT_PTR i, ARG_TYPE e, INT_PTR count = 1) {
        if (i < 0 || count < 0) AfxThrowInvalidArgException();
        TYPE value = e;
        if (i >= GetSize()) m_data.resize(static_cast<size_t>(i));
        m_data.insert(m_data.begin() + i, static_cast<size_t>(count), value);
    }
    void RemoveAt(INT_PTR i, INT_PTR count = 1) {
        if (i < 0 || count < 0 || i + count > GetSize()) AfxThrowInvalidArgException();
        m_data.erase(m_data.begin() + i, m_data.begin() + i + count);
    }

private:
    size_t Check(INT_PTR i) const {
        if (i < 0 || i >= GetSize()) AfxThrowInvalidArgException();
        return static_cast<size_t>(i);
    }

    std::vector<TYPE> m_data;
};
