// Array of strings.
#pragma once

#include "CArray.h"
#include "CString.h"

class CStringArray : public CArray<CString, const CString&> {
public:
    INT_PTR Add(LPCWSTR s) { return CArray<CString, const CString&>::Add(CString(s)); }
    INT_PTR Add(const CString& s) { return CArray<CString, const CString&>::Add(s); }
};
