#include "CFile.h"

#include <cerrno>
#include <string>

#include "HostText.h"
#include "WinCodePage.h"

namespace {

BOOL Copy(const std::wstring& text, LPWSTR error, UINT maxError) {
    if (!error || maxError == 0) return FALSE;
    size_t n = std::min(text.size(), static_cast<size_t>(maxError - 1));
    text.copy(error, n);
    error[n] = 0;
    return TRUE;
}

}  // namespace

BOOL CFileException::GetErrorMessage(LPWSTR error, UINT maxError, UINT* helpContext) const {
    if (helpContext) *helpContext = 0;
    std::wstring name = static_cast<LPCWSTR>(m_strFileName);
    switch (m_cause) {
    case fileNotFound: return Copy(name + L" was not found.", error, maxError);
    case badPath: return Copy(name + L" contains an invalid path.", error, maxError);
    case accessDenied: return Copy(name + L" could not be accessed.", error, maxError);
    case endOfFile: return Copy(L"An attempt was made to access " + name + L" past its end.", error, maxError);
    default: return Copy(L"An unexpected error occurred while accessing " + name + L".", error, maxError);
    }
}

CFile::~CFile() { Close(); }

BOOL CFile::Open(LPCWSTR fileName, UINT openFlags, CFileException* error) {
    Close();
    m_strFileName = fileName ? fileName : L"";
    const char* mode = (openFlags & modeCreate) ? "wb" : (openFlags & modeReadWrite) ? "r+b" : (openFlags & modeWrite) ? "r+b" : "rb";
    m_file = std::fopen(vplat::ToPosixPath(static_cast<LPCWSTR>(m_strFileName)).c_str(), mode);
    if (m_file) return TRUE;
    if (error) {
        error->m_strFileName = m_strFileName;
        error->m_cause = errno == ENOENT ? CFileException::fileNotFound
                         : errno == EACCES ? CFileException::accessDenied
                                           : CFileException::genericException;
    }
    return FALSE;
}

void CFile::Close() {
    if (m_file) std::fclose(m_file);
    m_file = nullptr;
}

BOOL CStdioFile::ReadString(CString& line) {
    line = L"";
    if (!m_file) return FALSE;
    std::string bytes;
    int c = 0;
    bool any = false;
    while ((c = std::fgetc(m_file)) != EOF) {
        any = true;
        if (c == '\n') break;
        bytes.push_back(static_cast<char>(c));
    }
    if (!any) return FALSE;
    if (!bytes.empty() && bytes.back() == '\r') bytes.pop_back();
    std::wstring text(bytes.size(), L'\0');
    if (!bytes.empty())
        MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), text.data(), static_cast<int>(text.size()));
    line = text.c_str();
    return TRUE;
}

void CStdioFile::WriteString(LPCWSTR text) {
    std::wstring w = text ? text : L"";
    std::string bytes(w.size(), '\0');
    if (!w.empty())
        WideCharToMultiByte(CP_ACP, 0, w.data(), static_cast<int>(w.size()), bytes.data(), static_cast<int>(bytes.size()),
                            nullptr, nullptr);
    if (!m_file || std::fwrite(bytes.data(), 1, bytes.size(), m_file) != bytes.size())
        throw new CFileException(CFileException::genericException, m_strFileName);
}
