// The framework's exceptions, thrown by pointer and released with Delete().
#pragma once

#include "CObject.h"
#include "WinMessageBox.h"
#include "WinTypes.h"

class CException : public CObject {
public:
    explicit CException(BOOL autoDelete = TRUE) : m_bAutoDelete(autoDelete) {}
    // Frees a heap-allocated exception; a static one stays.
    void Delete();
    virtual BOOL GetErrorMessage(LPWSTR error, UINT maxError, UINT* helpContext = nullptr) const;
    // Shows the exception's text in a message box (the given text when the
    // exception has none, else a general one); the box's answer.
    virtual int ReportError(UINT type = MB_OK, UINT messageId = 0) const;

protected:
    BOOL m_bAutoDelete;
};

class CSimpleException : public CException {
public:
    explicit CSimpleException(BOOL autoDelete = TRUE) : CException(autoDelete) {}
};

class CInvalidArgException : public CSimpleException {
public:
    explicit CInvalidArgException(BOOL autoDelete = TRUE) : CSimpleException(autoDelete) {}
    BOOL GetErrorMessage(LPWSTR error, UINT maxError, UINT* helpContext = nullptr) const override;
};

class CMemoryException : public CSimpleException {
public:
    explicit CMemoryException(BOOL autoDelete = TRUE) : CSimpleException(autoDelete) {}
    BOOL GetErrorMessage(LPWSTR error, UINT maxError, UINT* helpContext = nullptr) const override;
};

// A resource (a window class, a dialog template ...) could not be had.
class CResourceException : public CSimpleException {
public:
    explicit CResourceException(BOOL autoDelete = TRUE) : CSimpleException(autoDelete) {}
    BOOL GetErrorMessage(LPWSTR error, UINT maxError, UINT* helpContext = nullptr) const override;
};

[[noreturn]] void AfxThrowInvalidArgException();
[[noreturn]] void AfxThrowResourceException();
[[noreturn]] void AfxThrowMemoryException();
