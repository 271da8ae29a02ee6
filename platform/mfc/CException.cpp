#include "CException.h"

#include <cwchar>

#include "AfxModule.h"

namespace {
BOOL CopyMessage(const wchar_t* text, LPWSTR error, UINT maxError, UINT* helpContext) {
    if (helpContext) *helpContext = 0;
    if (!error || maxError == 0) return FALSE;
    std::wcsncpy(error, text, maxError - 1);
    error[maxError - 1] = 0;
    return TRUE;
}
}  // namespace

void CException::Delete() {
    if (m_bAutoDelete) delete this;
}

BOOL CException::GetErrorMessage(LPWSTR error, UINT maxError, UINT* helpContext) const {
    if (helpContext) *helpContext = 0;
    if (error && maxError) error[0] = 0;
    return FALSE;
}

int CException::ReportError(UINT type, UINT messageId) const {
    wchar_t text[512];
    if (GetErrorMessage(text, 512)) return AfxMessageBox(text, type);
    // The framework's general text stands for a message id without a string table.
    (void)messageId;
    return AfxMessageBox(L"No error message is available.", type);
}

BOOL CInvalidArgException::GetErrorMessage(LPWSTR error, UINT maxError, UINT* helpContext) const {
    return CopyMessage(L"Encountered an improper argument.", error, maxError, helpContext);
}

BOOL CMemoryException::GetErrorMessage(LPWSTR error, UINT maxError, UINT* helpContext) const {
    return CopyMessage(L"Out of memory.", error, maxError, helpContext);
}

BOOL CResourceException::GetErrorMessage(LPWSTR error, UINT maxError, UINT* helpContext) const {
    return CopyMessage(L"A required resource was unavailable.", error, maxError, helpContext);
}

void AfxThrowResourceException() { throw new CResourceException(); }
void AfxThrowInvalidArgException() { throw new CInvalidArgException(); }
void AfxThrowMemoryException() { throw new CMemoryException(); }
