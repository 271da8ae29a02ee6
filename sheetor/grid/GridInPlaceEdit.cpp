#include "GridInPlaceEdit.h"

#include <algorithm>

#include "GridTypes.h"

BEGIN_MESSAGE_MAP(CInPlaceEdit, CEdit)
ON_WM_KILLFOCUS()
ON_WM_CHAR()
ON_WM_KEYDOWN()
ON_WM_GETDLGCODE()
ON_WM_CREATE()
END_MESSAGE_MAP()

CInPlaceEdit::CInPlaceEdit(CWnd* parent, CRect& rect, DWORD style, UINT id, int row, int col, CString text,
                           UINT firstChar, bool isKey)
    : m_nRow(row), m_nColumn(col), m_sInitText(text), m_bExitOnArrows(firstChar != VK_LBUTTON), m_Rect(rect) {
    DWORD editStyle = style | WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL;
    if (!Create(editStyle, rect, parent, id)) return;
    SetFont(parent->GetFont());
    SetWindowText(text);
    SetFocus();
    // A navigation key that ended the previous editor and a character typed
    // share codes (33..40 are both Page Up..Down and "!".."("): the key selects
    // the whole text, the character replaces it.
    bool navigation = isKey && (firstChar == VK_TAB || (firstChar >= VK_SPACE && firstChar <= VK_DOWN));
    if (firstChar == VK_LBUTTON || firstChar == VK_RETURN) {
        SetSel(text.GetLength(), -1);
    } else if (navigation || firstChar == VK_TAB || firstChar == VK_SPACE) {
        SetSel(0, -1);
    } else if (firstChar == VK_BACK) {
        SetSel(text.GetLength(), -1);
        PostMessage(WM_CHAR, firstChar);
    } else {
        SetSel(0, -1);
        PostMessage(firstChar < 128 ? WM_CHAR : WM_IME_CHAR, firstChar);
    }
    SendMessage(EM_SCROLLCARET);
}

void CInPlaceEdit::PostNcDestroy() {
    CEdit::PostNcDestroy();
    delete this;
}

BOOL CInPlaceEdit::PreTranslateMessage(MSG* msg) {
    if (msg->message == WM_SYSCHAR) return TRUE;
    return CEdit::PreTranslateMessage(msg);
}

int CInPlaceEdit::OnCreate(LPCREATESTRUCT cs) { return CEdit::OnCreate(cs); }

UINT CInPlaceEdit::OnGetDlgCode() { return DLGC_WANTALLKEYS; }

void CInPlaceEdit::OnKillFocus(CWnd* newWnd) {
    CEdit::OnKillFocus(newWnd);
    EndEdit();
}

void CInPlaceEdit::LeaveOn(UINT key) {
    m_nLastChar = key;
    GetParent()->SetFocus();
}

void CInPlaceEdit::OnKeyDown(UINT key, UINT repeat, UINT flags) {
    bool leaves = key == VK_PRIOR || key == VK_NEXT || key == VK_LEFT || key == VK_RIGHT || key == VK_UP ||
                  key == VK_DOWN;
    if (leaves && (m_bExitOnArrows || GetKeyState(VK_CONTROL) < 0)) {
        LeaveOn(key);
        return;
    }
    CEdit::OnKeyDown(key, repeat, flags);
}

void CInPlaceEdit::OnChar(UINT ch, UINT repeat, UINT flags) {
    if (ch == VK_TAB || ch == VK_RETURN) {
        LeaveOn(ch);
        return;
    }
    if (ch == VK_ESCAPE) {
        SetWindowText(m_sInitText);
        LeaveOn(ch);
        return;
    }
    CEdit::OnChar(ch, repeat, flags);
    // The box grows to hold the text and two blanks, up to the grid's right edge.
    CString text;
    GetWindowText(text);
    text += L"  ";
    CWindowDC dc(this);
    CFont* old = dc.SelectObject(GetFont());
    CSize size = dc.GetTextExtent(text);
    dc.SelectObject(old);
    CRect parentClient;
    GetParent()->GetClientRect(&parentClient);
    if (size.cx <= m_Rect.Width()) return;
    int right = std::min(m_Rect.left + static_cast<int>(size.cx), static_cast<int>(parentClient.right));
    if (right <= m_Rect.right) return;
    m_Rect.right = right;
    MoveWindow(&m_Rect);
}

void CInPlaceEdit::EndEdit() {
    // Closing the window moves the focus, whose kill-focus would end the edit
    // a second time.
    static bool ending = false;
    if (ending) return;
    ending = true;
    CString text;
    GetWindowText(text);
    GridDispInfo info{};
    info.hdr.hwndFrom = GetSafeHwnd();
    info.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID());
    info.hdr.code = LVN_ENDLABELEDITW;
    info.item.mask = ITEM_TEXT | ITEM_DATA;
    info.item.row = m_nRow;
    info.item.col = m_nColumn;
    info.item.strText = text;
    info.item.lParam = static_cast<LPARAM>(m_nLastChar);
    HWND self = m_hWnd;
    HWND owner = ::GetWindow(self, GW_OWNER);
    if (!owner) owner = ::GetParent(self);
    ::SendMessageW(owner, WM_NOTIFY, info.hdr.idFrom, reinterpret_cast<LPARAM>(&info));
    // The handler may have closed the window already; then this object is gone.
    if (::IsWindow(self)) ::SendMessageW(self, WM_CLOSE, 0, 0);
    ending = false;
}
