// The framework's wide string.
#pragma once

#include <string>

#include "WinResource.h"
#include "WinTypes.h"

class CString {
public:
    CString() = default;
    CString(const wchar_t* s) : m_s(s ? s : L"") {}
    CString(const wchar_t* s, int length) : m_s(s ? s : L"", s && length > 0 ? static_cast<size_t>(length) : 0) {}
    CString(const char* s);
    CString(wchar_t c, int repeat = 1) : m_s(repeat > 0 ? static_cast<size_t>(repeat) : 0, c) {}
    CString(const std::wstring& s) : m_s(s) {}

    operator LPCWSTR() const { return m_s.c_str(); }
    LPCWSTR GetString() const { return m_s.c_str(); }
    int GetLength() const { return static_cast<int>(m_s.size()); }
    bool IsEmpty() const { return m_s.empty(); }
    void Empty() { m_s.clear(); }

    wchar_t GetAt(int i) const;
    void SetAt(int i, wchar_t c);
    wchar_t operator[](int i) const { return GetAt(i); }

    CString& operator=(const wchar_t* s) {
        m_s = s ? s : L"";
        return *this;
    }
    CString& operator=(wchar_t c) {
        m_s.assign(1, c);
        return *this;
    }
    CString& operator+=(const CString& s) {
        m_s += s.m_s;
        return *this;
    }
    CString& operator+=(const wchar_t* s) {
        if (s) m_s += s;
        return *this;
    }
    CString& operator+=(wchar_t c) {
        m_s += c;
        return *this;
    }
    void Append(const wchar_t* s) { *this += s; }
    void AppendChar(wchar_t c) { m_s += c; }

    int Compare(const wchar_t* s) const;
    int CompareNoCase(const wchar_t* s) const;

    CString Mid(int first) const;
    CString Mid(int first, int count) const;
    CString Left(int count) const;
    CString Right(int count) const;
    CString SpanIncluding(const wchar_t* set) const;
    CString SpanExcluding(const wchar_t* set) const;
    CString Tokenize(const wchar_t* tokens, int& start) const;

    int Find(wchar_t c, int start = 0) const;
    int Find(const wchar_t* s, int start = 0) const;
    int ReverseFind(wchar_t c) const;
    int FindOneOf(const wchar_t* set) const;

    CString& MakeUpper();
    CString& MakeLower();
    CString& MakeReverse();
    CString& Trim();
    CString& Trim(wchar_t c);
    CString& Trim(const wchar_t* set);
    CString& TrimLeft();
    CString& TrimLeft(wchar_t c);
    CString& TrimLeft(const wchar_t* set);
    CString& TrimRight();
    CString& TrimRight(wchar_t c);
    CString& TrimRight(const wchar_t* set);
    int Replace(wchar_t from, wchar_t to);
    int Replace(const wchar_t* from, const wchar_t* to);
    int Remove(wchar_t c);
    int Insert(int index, wchar_t c);
    int Insert(int index, const wchar_t* s);
    int Delete(int index, int count = 1);

    // The string resource id of the resource module; false (and empty) without one.
    BOOL LoadString(UINT id);
    void Format(const wchar_t* format, ...);
    void AppendFormat(const wchar_t* format, ...);
    void FormatV(const wchar_t* format, va_list args);

    // A writable buffer of at least minLength characters; ReleaseBuffer sets the
    // length (-1: up to the first terminator).
    wchar_t* GetBuffer(int minLength = 0);
    wchar_t* GetBufferSetLength(int length);
    void ReleaseBuffer(int newLength = -1);

    const std::wstring& str() const { return m_s; }

private:
    std::wstring m_s;
};

typedef CString CStringW;

CString operator+(const CString& a, const CString& b);
CString operator+(const CString& a, const wchar_t* b);
CString operator+(const wchar_t* a, const CString& b);
CString operator+(const CString& a, wchar_t b);
CString operator+(wchar_t a, const CString& b);
bool operator==(const CString& a, const CString& b);
bool operator==(const CString& a, const wchar_t* b);
bool operator==(const wchar_t* a, const CString& b);
bool operator!=(const CString& a, const CString& b);
bool operator!=(const CString& a, const wchar_t* b);
bool operator!=(const wchar_t* a, const CString& b);
bool operator<(const CString& a, const CString& b);
bool operator>(const CString& a, const CString& b);
