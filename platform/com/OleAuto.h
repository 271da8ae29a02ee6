// Automation types: BSTR and VARIANT.
#pragma once

#include "ComTypes.h"

typedef WCHAR OLECHAR;
typedef OLECHAR* BSTR;
typedef const OLECHAR* LPCOLESTR;
typedef short VARIANT_BOOL;
typedef unsigned short VARTYPE;

#define VARIANT_TRUE ((VARIANT_BOOL)-1)
#define VARIANT_FALSE ((VARIANT_BOOL)0)

enum VARENUM : VARTYPE {
    VT_EMPTY = 0,
    VT_NULL = 1,
    VT_I2 = 2,
    VT_I4 = 3,
    VT_R8 = 5,
    VT_BSTR = 8,
    VT_BOOL = 11,
    VT_UNKNOWN = 13,
};

typedef struct tagVARIANT {
    VARTYPE vt;
    WORD wReserved1;
    WORD wReserved2;
    WORD wReserved3;
    union {
        LONG lVal;
        SHORT iVal;
        double dblVal;
        VARIANT_BOOL boolVal;
        BSTR bstrVal;
        IUnknown* punkVal;
    };
} VARIANT;
typedef VARIANT VARIANTARG;

#define V_VT(v) ((v)->vt)
#define V_BSTR(v) ((v)->bstrVal)
#define V_I4(v) ((v)->lVal)
#define V_BOOL(v) ((v)->boolVal)

extern "C" {
// A BSTR carries its length before the characters and a terminator after them.
BSTR SysAllocString(const OLECHAR* text);
BSTR SysAllocStringLen(const OLECHAR* text, UINT length);
void SysFreeString(BSTR text);
UINT SysStringLen(BSTR text);

void VariantInit(VARIANTARG* v);
// Frees what the variant owns (string, interface) and leaves it VT_EMPTY.
HRESULT VariantClear(VARIANTARG* v);
}

namespace vplat {
// Strings allocated and not yet freed (tests check for leaks).
long LiveStrings();
}  // namespace vplat
