#include "COptionTreeSpinnerEdit.h"

#include "COptionTreeSpinnerButton.h"

BEGIN_MESSAGE_MAP(COptionTreeSpinnerEdit, CEdit)
    ON_WM_CHAR()
    ON_WM_KEYDOWN()
    ON_WM_KILLFOCUS()
    ON_WM_CONTEXTMENU()
END_MESSAGE_MAP()

namespace {
enum MenuCommand : UINT { kUndo = 1, kCut, kCopy, kPaste, kDelete, kSelectAll };
}

bool COptionTreeSpinnerEdit::Editable() const { return m_otSpinner && m_otSpinner->HasOption(OTSB_EDITABLE); }

void COptionTreeSpinnerEdit::OnChar(UINT, UINT, UINT) {
    if (Editable()) Default();
}

void COptionTreeSpinnerEdit::OnKeyDown(UINT key, UINT, UINT) {
    if (m_otSpinner && key == VK_UP) m_otSpinner->SendMessage(WM_OT_STEPUP);
    if (m_otSpinner && key == VK_DOWN) m_otSpinner->SendMessage(WM_OT_STEPDOWN);
    Default();
}

void COptionTreeSpinnerEdit::OnKillFocus(CWnd* newWnd) {
    Default();
    if (m_otSpinner && m_otSpinner->m_hWnd && (!newWnd || newWnd->m_hWnd != m_otSpinner->m_hWnd))
        m_otSpinner->PostMessage(WM_OT_COMMIT);
}

// The edit hears its own text changes and tells the spinner.
BOOL COptionTreeSpinnerEdit::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    if (message == WM_COMMAND && HIWORD(wParam) == EN_CHANGE && m_otSpinner) {
        m_otSpinner->PostMessage(WM_OT_EDITCHANGED);
        return TRUE;
    }
    return CEdit::OnChildNotify(message, wParam, lParam, result);
}

void COptionTreeSpinnerEdit::OnContextMenu(CWnd*, CPoint point) {
    const bool editable = Editable();
    const bool readOnly = (GetStyle() & ES_READONLY) != 0;
    int start = 0, end = 0;
    GetSel(start, end);
    const bool selection = start != end;
    const bool clipboardText = IsClipboardFormatAvailable(CF_UNICODETEXT) || IsClipboardFormatAvailable(CF_TEXT);
    auto state = [](bool enabled) { return MF_STRING | (enabled ? MF_ENABLED : MF_GRAYED); };

    CMenu menu;
    menu.CreatePopupMenu();
    menu.AppendMenu(state(editable && CanUndo() && !readOnly), kUndo, L"&Undo");
    menu.AppendMenu(MF_SEPARATOR);
    menu.AppendMenu(state(editable && selection), kCut, L"Cu&t");
    menu.AppendMenu(state(selection), kCopy, L"&Copy");
    menu.AppendMenu(state(editable && clipboardText), kPaste, L"&Paste");
    menu.AppendMenu(state(editable && selection), kDelete, L"&Delete");
    menu.AppendMenu(MF_SEPARATOR);
    menu.AppendMenu(state(editable && clipboardText), kSelectAll, L"Select &All");
    UINT command = static_cast<UINT>(
        menu.TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD, point.x, point.y, this));
    if (!editable || !m_hWnd) return;
    switch (command) {
    case kUndo: Undo(); break;
    case kCut: Cut(); break;
    case kCopy: Copy(); break;
    case kPaste: Paste(); break;
    case kDelete: Clear(); break;
    case kSelectAll: SetSel(0, -1); break;
    default: break;
    }
}
