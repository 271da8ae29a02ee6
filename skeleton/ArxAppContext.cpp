#include "ArxAppContext.h"

#include <cwchar>

#include "TranslatorBinding.h"

namespace {

void CopyCut(wchar_t* dst, size_t capacity, const wchar_t* src) {
    if (!dst || capacity == 0) return;
    size_t n = src ? std::wcslen(src) : 0;
    if (n >= capacity) n = capacity - 1;
    if (n) std::wmemcpy(dst, src, n);
    dst[n] = 0;
}

}  // namespace

CArxAppContext::CArxAppContext() : m_szAppDir{}, m_bCommandActive(0), m_bLoadFailed(0) {
    CString path = acedGetAppName();
    int last = path.ReverseFind(L'\\');
    // The folder keeps its closing backslash; a folder that does not fit is
    // left empty rather than cut into another folder's name.
    if (last >= 0 && static_cast<size_t>(last) + 1 < kDirLength)
        CopyCut(m_szAppDir, kDirLength, path.Left(last + 1));
}

int ActiveObjectBitOf(LPCWSTR code) {
    static const struct {
        const wchar_t* text;
        int bit;
    } kCodes[] = {{L"INIZIOQV", kObjInizioQv}, {L"QV-PX", kObjPx}, {L"QV-RR", kObjRr},
                  {L"QV-PS", kObjPs},          {L"QV-SE", kObjSe}};
    for (const auto& c : kCodes)
        if (code && std::wcscmp(code, c.text) == 0) return c.bit;
    return 0;
}

int CArxAppContext::EnterCommand(int mask) {
    if (m_bCommandActive) {
        PrintTranslated(L"\nIl comando o un comando collegato è già attivo in un altro disegno");
        return 0;
    }
    wchar_t users1[kVarLength] = {};
    GetVarString(L"USERS1", users1, kVarLength);
    if (mask & ActiveObjectBitOf(users1)) {
        m_bCommandActive = 1;
        return 1;
    }
    PrintTranslated(L"\nFunzione non abilitata per l'oggetto attivo");
    return 0;
}

void CArxAppContext::LeaveCommand() { m_bCommandActive = 0; }

void CArxAppContext::GetVarString(LPCWSTR name, LPWSTR buffer, size_t size) {
    resbuf* rb = acutNewRb(RTSTR);
    if (!rb) {
        PrintTranslated(L"\nImpossibile allocare memoria");
        return;
    }
    if (acedGetVar(name, rb) == RTNORM && rb->restype == RTSTR)
        CopyCut(buffer, size, rb->resval.rstring);
    else
        CopyCut(buffer, size, L"");
    acutRelRb(rb);
}

void CArxAppContext::PrintMessage(LPCWSTR text) { PrintTranslated(text); }

void PrintTranslated(LPCWSTR text) {
    wchar_t buf[256];
    CopyCut(buf, 256, TranslateText(text));
    acutPrintf(L"%s", buf);
}
