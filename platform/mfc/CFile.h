// Files as the framework opens them: binary or text (lines end in "\n",
// characters in the ANSI code page), and the exception that tells why one
// could not be opened, read or written.
#pragma once

#include <cstdio>

#include "CException.h"
#include "CString.h"

class CFileException : public CException {
public:
    enum { none = 0, genericException = 1, fileNotFound = 2, badPath = 3, accessDenied = 5, endOfFile = 14 };
    CFileException(int cause = none, LPCWSTR fileName = nullptr)
        : m_cause(cause), m_strFileName(fileName ? fileName : L"") {}
    BOOL GetErrorMessage(LPWSTR error, UINT maxError, UINT* helpContext = nullptr) const override;

    int m_cause;
    CString m_strFileName;
};

class CFile {
public:
    enum OpenFlags : UINT {
        modeRead = 0x0000,
        modeWrite = 0x0001,
        modeReadWrite = 0x0002,
        modeCreate = 0x1000,
        typeText = 0x4000,
        typeBinary = 0x8000,
    };
    CFile() = default;
    virtual ~CFile();
    CFile(const CFile&) = delete;
    CFile& operator=(const CFile&) = delete;

    // False with the cause in `error` (when given) when the file cannot be opened.
    virtual BOOL Open(LPCWSTR fileName, UINT openFlags, CFileException* error = nullptr);
    virtual void Close();
    BOOL IsOpen() const { return m_file != nullptr; }

protected:
    std::FILE* m_file = nullptr;
    CString m_strFileName;
};

class CStdioFile : public CFile {
public:
    // The next whole line without its end; false at the end of the file.
    BOOL ReadString(CString& line);
    // Throws a CFileException when the text cannot be written.
    void WriteString(LPCWSTR text);
};
