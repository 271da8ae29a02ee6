// The grid's texts to and from a separated text file, and its printing margins.
#include "GridCtrl.h"

#include <iterator>
#include <vector>

namespace {

std::vector<CString> Fields(const CString& line, wchar_t separator) {
    std::vector<CString> fields;
    std::wstring text = static_cast<LPCWSTR>(line);
    size_t from = 0;
    for (;;) {
        size_t cut = text.find(separator, from);
        fields.emplace_back(text.substr(from, cut == std::wstring::npos ? std::wstring::npos : cut - from).c_str());
        if (cut == std::wstring::npos) break;
        from = cut + 1;
    }
    return fields;
}

}  // namespace

BOOL CGridCtrl::LoadTextFile(LPCWSTR path, wchar_t separator) {
    if (m_bVirtualMode) return FALSE;
    CStdioFile file;
    CFileException error;
    if (!file.Open(path, CFile::modeRead | CFile::typeText, &error)) {
        error.ReportError();
        return FALSE;
    }
    RemoveAll();
    BOOL ok = TRUE;
    try {
        // Whole lines: a long first line keeps all its columns.
        CString line;
        if (file.ReadString(line))
            for (const CString& heading : Fields(line, separator))
                InsertColumnAt(heading, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        while (file.ReadString(line)) {
            std::vector<CString> fields = Fields(line, separator);
            int row = InsertRowAt(fields[0]);
            if (row < 0) continue;
            for (size_t i = 1; i < fields.size(); ++i) SetCellText(row, static_cast<int>(i), fields[i]);
        }
    } catch (CFileException* e) {
        AfxMessageBox(L"Unable to load grid data");
        e->Delete();
        ok = FALSE;
    }
    FitColumnsToCells(static_cast<UINT>(autoSizeScope));
    return ok;
}

BOOL CGridCtrl::SaveTextFile(LPCWSTR path, wchar_t separator) {
    CStdioFile file;
    CFileException error;
    if (!file.Open(path, CFile::modeCreate | CFile::modeWrite | CFile::typeText, &error)) {
        error.ReportError();
        return FALSE;
    }
    BOOL ok = TRUE;
    try {
        const wchar_t separatorText[2] = {separator, 0};
        for (int r = 0; r < m_nRows; ++r)
            for (int c = 0; c < m_nCols; ++c) {
                file.WriteString(CellText(r, c));
                file.WriteString(c + 1 < m_nCols ? separatorText : L"\n");
            }
    } catch (CFileException* e) {
        AfxMessageBox(L"Unable to save grid list");
        e->Delete();
        ok = FALSE;
    }
    return ok;
}

void CGridCtrl::GetPrintMargins(int& header, int& footer, int& left, int& right, int& top, int& bottom,
                                int& gap) const {
    header = m_nHeaderHeight;
    footer = m_nFooterHeight;
    left = m_nLeftMargin;
    right = m_nRightMargin;
    top = m_nTopMargin;
    bottom = m_nBottomMargin;
    gap = m_nGap;
}

void CGridCtrl::SetPrintMargins(int header, int footer, int left, int right, int top, int bottom, int gap) {
    int* fields[] = {&m_nHeaderHeight, &m_nFooterHeight, &m_nLeftMargin, &m_nRightMargin,
                     &m_nTopMargin,    &m_nBottomMargin, &m_nGap};
    const int values[] = {header, footer, left, right, top, bottom, gap};
    for (size_t i = 0; i < std::size(fields); ++i)
        if (values[i] >= 0) *fields[i] = values[i];
}
