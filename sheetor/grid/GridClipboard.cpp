// Cell texts through the clipboard: the selected block as tab-separated text
// in the ANSI code page, and such text pasted back into the cells.
#include "GridCtrl.h"

#include <new>
#include <string>

namespace {

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n' || c == L'\v' || c == L'\f'; }

std::wstring Trimmed(const std::wstring& text) {
    size_t first = 0, last = text.size();
    while (first < last && IsBlank(text[first])) ++first;
    while (last > first && IsBlank(text[last - 1])) --last;
    return text.substr(first, last - first);
}

}  // namespace

COleDataSource* CGridCtrl::BuildClipboardSource() {
    CCellSpan block = GetSelectedSpan();
    if (!block.IsValid()) return nullptr;
    if (m_bVirtualMode) SendCacheHint(block);
    // No separator follows the last row that is written.
    int lastRow = block.maxRow;
    while (lastRow > block.minRow && GetRowHeight(lastRow) == 0) --lastRow;
    CSharedFile file(GMEM_MOVEABLE | GMEM_SHARE | GMEM_ZEROINIT, 4096);
    bool written = true;
    for (int r = block.minRow; r <= lastRow && written; ++r) {
        if (GetRowHeight(r) == 0) continue;
        std::wstring line;
        bool first = true;
        for (int c = block.minCol; c <= block.maxCol; ++c) {
            if (GetColumnWidth(c) == 0) continue;
            if (!first) line += L'\t';
            first = false;
            if (IsSelected(r, c)) line += static_cast<LPCWSTR>(CellText(r, c));
        }
        if (r != lastRow) line += L"\r\n";
        if (line.empty()) continue;
        std::string bytes(line.size(), '\0');
        int n = WideCharToMultiByte(CP_ACP, 0, line.data(), static_cast<int>(line.size()), bytes.data(),
                                    static_cast<int>(bytes.size()), nullptr, nullptr);
        written = file.Write(bytes.data(), static_cast<UINT>(n));
    }
    written = written && file.Write("", 1);
    if (m_bVirtualMode) SendCacheHint(CCellSpan(-1, -1, -1, -1));
    SIZE_T length = file.GetLength();
    HGLOBAL memory = file.Detach();
    if (!written || !memory) {
        if (memory) GlobalFree(memory);
        return nullptr;
    }
    memory = GlobalReAlloc(memory, length, GMEM_MOVEABLE | GMEM_SHARE | GMEM_ZEROINIT);
    if (!memory) return nullptr;
    auto* source = new COleDataSource;
    source->CacheGlobalData(CF_TEXT, memory);
    return source;
}

BOOL CGridCtrl::PasteClipboardRows(const CCellID& at, COleDataObject* data, BOOL select) {
    if (!IsInside(at) || !CanEditCell(at) || !data || !data->IsDataAvailable(CF_TEXT)) return FALSE;
    HGLOBAL memory = data->GetGlobalData(CF_TEXT);
    if (!memory) return FALSE;
    // Text from another program need not end in a zero byte inside its block:
    // nothing past the block's size is read.
    std::wstring text;
    try {
        SIZE_T size = GlobalSize(memory);
        const char* bytes = static_cast<const char*>(GlobalLock(memory));
        SIZE_T length = 0;
        while (length < size && bytes[length]) ++length;
        text.assign(length, L'\0');
        if (length)
            MultiByteToWideChar(CP_ACP, 0, bytes, static_cast<int>(length), text.data(), static_cast<int>(length));
        GlobalUnlock(memory);
    } catch (const std::bad_alloc&) {
        GlobalUnlock(memory);
        GlobalFree(memory);
        return FALSE;
    }
    GlobalFree(memory);

    int row = at.row, maxRow = at.row, maxCol = at.col;
    size_t start = 0;
    while (start <= text.size() && row < m_nRows) {
        size_t end = text.find(L'\n', start);
        std::wstring line = text.substr(start, end == std::wstring::npos ? std::wstring::npos : end - start);
        start = end == std::wstring::npos ? text.size() + 1 : end + 1;
        // A hidden row takes the line with it.
        if (GetRowHeight(row) == 0) {
            ++row;
            continue;
        }
        if (!line.empty()) {
            int col = at.col;
            size_t from = 0;
            while (from <= line.size()) {
                size_t cut = line.find_first_of(L"\t,", from);
                std::wstring field = line.substr(from, cut == std::wstring::npos ? std::wstring::npos : cut - from);
                from = cut == std::wstring::npos ? line.size() + 1 : cut + 1;
                while (col < m_nCols && GetColumnWidth(col) == 0) ++col;
                if (!IsInside(row, col)) break;
                ApplyCellEdit(row, col, Trimmed(field).c_str());
                SetCellState(row, col, CellState(row, col) & ~CELL_SELECTED);
                maxRow = std::max(maxRow, row);
                maxCol = std::max(maxCol, col);
                ++col;
            }
        }
        ++row;
    }
    m_lastPasted = CCellSpan(at.row, at.col, maxRow, maxCol);
    if (select) {
        SelectSpan(at.row, at.col, maxRow, maxCol, TRUE, TRUE);
    } else {
        ClearSelection();
        InvalidateAll();
    }
    return TRUE;
}

void CGridCtrl::OnEditCopy() {
    if (COleDataSource* source = BuildClipboardSource()) source->SetClipboard();
}

void CGridCtrl::OnEditCut() {
    if (!editable) return;
    COleDataSource* source = BuildClipboardSource();
    if (!source) return;
    source->SetClipboard();
    ClearSelectionText();
}

void CGridCtrl::OnEditPaste() {
    if (!editable) return;
    CCellSpan selected = GetSelectedSpan();
    CCellID target = selected.IsValid() ? selected.TopLeft()
                     : IsInside(m_idFocus) ? m_idFocus
                                           : CCellID(m_nFixedRows, m_nFixedCols);
    if (!IsInside(target)) return;
    if (CGridCellBase* cell = CellAt(target.row, target.col); cell && cell->IsEditing()) {
        CWnd* editor = cell->EditorWindow();
        if (editor && editor->IsKindOf(RUNTIME_CLASS(CEdit))) {
            editor->SendMessage(WM_PASTE);
            return;
        }
    }
    COleDataObject data;
    data.AttachClipboard();
    PasteClipboardRows(target, &data, TRUE);
}

void CGridCtrl::OnEditSelectAll() {
    NotifyOwner(m_LeftClickDownCell.row, m_LeftClickDownCell.col, LVN_ITEMCHANGING);
    SelectEverything();
    NotifyOwner(m_idFocus.row, m_idFocus.col, LVN_ITEMCHANGED);
}

void CGridCtrl::OnUpdateEditCopy(CCmdUI* ui) { ui->Enable(GetSelectedSpan().IsValid()); }

void CGridCtrl::OnUpdateEditCut(CCmdUI* ui) { ui->Enable(editable && GetSelectedSpan().IsValid()); }

void CGridCtrl::OnUpdateEditPaste(CCmdUI* ui) {
    ui->Enable(IsInside(m_idFocus) && CanEditCell(m_idFocus) && IsClipboardFormatAvailable(CF_TEXT));
}

void CGridCtrl::OnUpdateEditSelectAll(CCmdUI* ui) { ui->Enable(selectionEnabled); }
