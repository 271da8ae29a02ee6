#include "CString.h"

#include <algorithm>
#include <cstdarg>
#include <cwchar>
#include <cwctype>

#include "AfxModule.h"
#include "WinResource.h"
#include "CException.h"
#include "HostText.h"
#include "WinFormat.h"

CString::CString(const char* s) : m_s(s ? vplat::Utf8ToWide(s) : std::wstring()) {}

wchar_t CString::GetAt(int i) const {
    if (i < 0 || i > GetLength()) AfxThrowInvalidArgException();
    return i == GetLength() ? L'\0' : m_s[static_cast<size_t>(i)];
}

void CString::SetAt(int i, wchar_t c) {
    if (i < 0 || i >= GetLength()) AfxThrowInvalidArgException();
    m_s[static_cast<size_t>(i)] = c;
}

int CString::Compare(const wchar_t* s) const { return std::wcscmp(m_s.c_str(), s ? s : L""); }

int CString::CompareNoCase(const wchar_t* s) const {
    const wchar_t* a = m_s.c_str();
    const wchar_t* b = s ? s : L"";
    for (;; ++a, ++b) {
        wint_t ca = std::towlower(static_cast<wint_t>(*a));
        wint_t cb = std::towlower(static_cast<wint_t>(*b));
        if (ca != cb) return ca < cb ? -1 : 1;
        if (!*a) return 0;
    }
}

CString CString::Mid(int first) const { return Mid(first, GetLength()); }

CString CString::Mid(int first, int count) const {
    if (first < 0) first = 0;
    if (count < 0) count = 0;
    if (first > GetLength()) first = GetLength();
    if (count > GetLength() - first) count = GetLength() - first;
    return CString(m_s.substr(static_cast<size_t>(first), static_cast<size_t>(count)));
}

CString CString::Left(int count) const { return Mid(0, count); }

CString CString::Right(int count) const {
    if (count < 0) count = 0;
    if (count > GetLength()) count = GetLength();
    return Mid(GetLength() - count, count);
}

CString CString::SpanIncluding(const wchar_t* set) const {
    return Left(static_cast<int>(std::wcsspn(m_s.c_str(), set ? set : L"")));
}

CString CString::SpanExcluding(const wchar_t* set) const {
    return Left(static_cast<int>(std::wcscspn(m_s.c_str(), set ? set : L"")));
}

CString CString::Tokenize(const wchar_t* tokens, int& start) const {
    if (start < 0 || start >= GetLength()) {
        start = -1;
        return CString();
    }
    const wchar_t* set = tokens ? tokens : L"";
    size_t from = static_cast<size_t>(start) + std::wcsspn(m_s.c_str() + start, set);
    if (from >= m_s.size()) {
        start = -1;
        return CString();
    }
    size_t len = std::wcscspn(m_s.c_str() + from, set);
    start = static_cast<int>(from + len + 1);
    return CString(m_s.substr(from, len));
}

int CString::Find(wchar_t c, int start) const {
    if (start < 0 || start >= GetLength()) return -1;
    size_t p = m_s.find(c, static_cast<size_t>(start));
    return p == std::wstring::npos ? -1 : static_cast<int>(p);
}

int CString::Find(const wchar_t* s, int start) const {
    if (!s || start < 0 || start > GetLength()) return -1;
    size_t p = m_s.find(s, static_cast<size_t>(start));
    return p == std::wstring::npos ? -1 : static_cast<int>(p);
}

int CString::ReverseFind(wchar_t c) const {
    size_t p = m_s.rfind(c);
    return p == std::wstring::npos ? -1 : static_cast<int>(p);
}

int CString::FindOneOf(const wchar_t* set) const {
    size_t p = m_s.find_first_of(set ? set : L"");
    return p == std::wstring::npos ? -1 : static_cast<int>(p);
}

CString& CString::MakeUpper() {
    for (auto& c : m_s) c = static_cast<wchar_t>(std::towupper(static_cast<wint_t>(c)));
    return *this;
}

CString& CString::MakeLower() {
    for (auto& c : m_s) c = static_cast<wchar_t>(std::towlower(static_cast<wint_t>(c)));
    return *this;
}

CString& CString::MakeReverse() {
    std::reverse(m_s.begin(), m_s.end());
    return *this;
}

namespace {
bool IsSpace(wchar_t c) { return std::iswspace(static_cast<wint_t>(c)) != 0; }
}  // namespace

CString& CString::TrimLeft() {
    size_t i = 0;
    while (i < m_s.size() && IsSpace(m_s[i])) ++i;
    m_s.erase(0, i);
    return *this;
}

CString& CString::TrimRight() {
    while (!m_s.empty() && IsSpace(m_s.back())) m_s.pop_back();
    return *this;
}

CString& CString::TrimLeft(const wchar_t* set) {
    m_s.erase(0, std::wcsspn(m_s.c_str(), set ? set : L""));
    return *this;
}

CString& CString::TrimRight(const wchar_t* set) {
    while (!m_s.empty() && set && std::wcschr(set, m_s.back()) && m_s.back()) m_s.pop_back();
    return *this;
}

CString& CString::TrimLeft(wchar_t c) {
    wchar_t set[2] = {c, 0};
    return TrimLeft(set);
}

CString& CString::TrimRight(wchar_t c) {
    wchar_t set[2] = {c, 0};
    return TrimRight(set);
}

CString& CString::Trim() { return TrimRight().TrimLeft(); }
CString& CString::Trim(wchar_t c) { return TrimRight(c).TrimLeft(c); }
CString& CString::Trim(const wchar_t* set) { return TrimRight(set).TrimLeft(set); }

int CString::Replace(wchar_t from, wchar_t to) {
    int n = 0;
    for (auto& c : m_s)
        if (c == from) {
            c = to;
            ++n;
        }
    return n;
}

int CString::Replace(const wchar_t* from, const wchar_t* to) {
    if (!from || !*from) return 0;
    std::wstring f = from, t = to ? to : L"";
    int n = 0;
    for (size_t p = m_s.find(f); p != std::wstring::npos; p = m_s.find(f, p + t.size())) {
        m_s.replace(p, f.size(), t);
        ++n;
    }
    return n;
}

int CString::Remove(wchar_t c) {
    size_t before = m_s.size();
    m_s.erase(std::remove(m_s.begin(), m_s.end(), c), m_s.end());
    return static_cast<int>(before - m_s.size());
}

int CString::Insert(int index, wchar_t c) {
    wchar_t s[2] = {c, 0};
    return Insert(index, s);
}

int CString::Insert(int index, const wchar_t* s) {
    if (index < 0) index = 0;
    if (index > GetLength()) index = GetLength();
    if (s) m_s.insert(static_cast<size_t>(index), s);
    return GetLength();
}

int CString::Delete(int index, int count) {
    if (index < 0) index = 0;
    if (count > 0 && index < GetLength()) m_s.erase(static_cast<size_t>(index), static_cast<size_t>(count));
    return GetLength();
}

void CString::FormatV(const wchar_t* format, va_list args) { m_s = vplat::FormatV(format, args); }

void CString::Format(const wchar_t* format, ...) {
    va_list args;
    va_start(args, format);
    FormatV(format, args);
    va_end(args);
}

void CString::AppendFormat(const wchar_t* format, ...) {
    va_list args;
    va_start(args, format);
    m_s += vplat::FormatV(format, args);
    va_end(args);
}

wchar_t* CString::GetBuffer(int minLength) {
    if (minLength > GetLength()) m_s.resize(static_cast<size_t>(minLength));
    return m_s.data();
}

wchar_t* CString::GetBufferSetLength(int length) {
    m_s.resize(static_cast<size_t>(length < 0 ? 0 : length));
    return m_s.data();
}

void CString::ReleaseBuffer(int newLength) {
    if (newLength < 0) newLength = static_cast<int>(std::wcslen(m_s.c_str()));
    if (newLength > GetLength()) newLength = GetLength();
    m_s.resize(static_cast<size_t>(newLength));
}

CString operator+(const CString& a, const CString& b) { return CString(a.str() + b.str()); }
CString operator+(const CString& a, const wchar_t* b) { return CString(a.str() + (b ? b : L"")); }
CString operator+(const wchar_t* a, const CString& b) { return CString((a ? a : L"") + b.str()); }
CString operator+(const CString& a, wchar_t b) { return CString(a.str() + b); }
CString operator+(wchar_t a, const CString& b) { return CString(std::wstring(1, a) + b.str()); }
bool operator==(const CString& a, const CString& b) { return a.str() == b.str(); }
bool operator==(const CString& a, const wchar_t* b) { return a.Compare(b) == 0; }
bool operator==(const wchar_t* a, const CString& b) { return b.Compare(a) == 0; }
bool operator!=(const CString& a, const CString& b) { return !(a == b); }
bool operator!=(const CString& a, const wchar_t* b) { return !(a == b); }
bool operator!=(const wchar_t* a, const CString& b) { return !(a == b); }
bool operator<(const CString& a, const CString& b) { return a.str() < b.str(); }
bool operator>(const CString& a, const CString& b) { return a.str() > b.str(); }

BOOL CString::LoadString(UINT id) {
    wchar_t buffer[1024];
    int n = ::LoadStringW(AfxGetResourceHandle(), id, buffer, 1024);
    m_s.assign(buffer, static_cast<size_t>(n > 0 ? n : 0));
    return n > 0;
}
