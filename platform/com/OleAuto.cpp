#include "OleAuto.h"

#include <cwchar>
#include <new>

namespace {
long g_liveStrings = 0;
}

// The length is kept in the element before the first character.
extern "C" BSTR SysAllocStringLen(const OLECHAR* text, UINT length) {
    OLECHAR* block = new (std::nothrow) OLECHAR[static_cast<size_t>(length) + 2];
    if (!block) return nullptr;
    block[0] = static_cast<OLECHAR>(length);
    if (text) std::wmemcpy(block + 1, text, length);
    else std::wmemset(block + 1, L'\0', length);
    block[length + 1] = L'\0';
    ++g_liveStrings;
    return block + 1;
}

extern "C" BSTR SysAllocString(const OLECHAR* text) {
    if (!text) return nullptr;
    return SysAllocStringLen(text, static_cast<UINT>(std::wcslen(text)));
}

extern "C" void SysFreeString(BSTR text) {
    if (!text) return;
    --g_liveStrings;
    delete[] (text - 1);
}

extern "C" UINT SysStringLen(BSTR text) { return text ? static_cast<UINT>(text[-1]) : 0; }

extern "C" void VariantInit(VARIANTARG* v) {
    if (!v) return;
    v->vt = VT_EMPTY;
    v->wReserved1 = v->wReserved2 = v->wReserved3 = 0;
    v->dblVal = 0;
}

extern "C" HRESULT VariantClear(VARIANTARG* v) {
    if (!v) return E_INVALIDARG;
    if (v->vt == VT_BSTR) SysFreeString(v->bstrVal);
    else if (v->vt == VT_UNKNOWN && v->punkVal) v->punkVal->Release();
    VariantInit(v);
    return S_OK;
}

namespace vplat {
long LiveStrings() { return g_liveStrings; }
}  // namespace vplat
