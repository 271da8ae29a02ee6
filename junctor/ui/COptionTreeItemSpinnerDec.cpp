#include "COptionTreeItemSpinnerDec.h"

#include "COptionTree.h"

BEGIN_MESSAGE_MAP(COptionTreeItemSpinnerDec, COptionTreeSpinnerDecButton)
    ON_WM_SETFOCUS()
    ON_WM_KILLFOCUS()
    ON_MESSAGE(WM_OT_COMMIT, &COptionTreeItemSpinnerDec::OnCommit)
END_MESSAGE_MAP()

COptionTreeItemSpinnerDec::COptionTreeItemSpinnerDec() { SetKind(OT_KIND_SPINNERDEC); }

COptionTreeItemSpinnerDec::~COptionTreeItemSpinnerDec() = default;

COptionTreeItemSpinnerDec* COptionTreeItemSpinnerDec::FromItem(COptionTreeItem* item) {
    if (!item || item->GetKind() != OT_KIND_SPINNERDEC) return nullptr;
    return static_cast<COptionTreeItemSpinnerDec*>(item);
}

BOOL COptionTreeItemSpinnerDec::CreateSpinner(DWORD options, double value, double minimum, double maximum,
                                              double step, int decimals, int trimZeros) {
    COptionTree* tree = GetOptionsOwner();
    if (!tree || m_hWnd) return FALSE;
    LPCWSTR cls = AfxRegisterWndClass(CS_HREDRAW | CS_VREDRAW, ::LoadCursorW(nullptr, IDC_ARROW));
    if (!CreateEx(0, cls, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, GetValueRect(),
                  tree->GetRowsView(), static_cast<UINT>(GetId())))
        return FALSE;
    SetOptions(options);
    SetRange(minimum, maximum, step);
    SetDecimals(decimals);
    SetTrimZeros(trimZeros);
    SetValue(value);
    SetOwnerTree(tree);
    SetSpinnerFont(COptionTree::GetNormalFont());
    Place(false);
    return TRUE;
}

void COptionTreeItemSpinnerDec::Place(bool show) {
    if (!m_hWnd) return;
    CRect target = GetValueRect();
    CRect now;
    GetWindowRect(&now);
    CWnd::GetParent()->ScreenToClient(&now);
    if (now != target) SetWindowPos(nullptr, target.left, target.top, target.Width(), target.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    if (show != (IsWindowVisible() != FALSE)) ShowWindow(show ? SW_SHOW : SW_HIDE);
}

void COptionTreeItemSpinnerDec::DrawValue(CDC* dc, CRect rcValue) {
    COptionTree* tree = GetOptionsOwner();
    if (!tree) return;
    // The open editor goes with its row (a row made visible by the keyboard
    // is painted at its new place after its editor opened).
    if (m_bEditorFocus) {
        Place(true);
        return;
    }
    Place(false);
    CString text;
    if (GetEdit()->m_hWnd) GetEdit()->GetWindowText(text);
    CFont* old = dc->SelectObject(COptionTree::GetNormalFont());
    dc->SetTextColor(IsReadOnly() || !tree->IsWindowEnabled() ? GetSysColor(COLOR_GRAYTEXT) : GetTextColor());
    dc->SetBkMode(TRANSPARENT);
    dc->DrawText(text, rcValue, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    dc->SelectObject(old);
}

void COptionTreeItemSpinnerDec::OnEditStart() {
    if (!m_hWnd) return;
    Place(true);
    SetFocus();
}

void COptionTreeItemSpinnerDec::OnLayoutChanged() { Place(m_bEditorFocus != 0); }

void COptionTreeItemSpinnerDec::OnValueRefreshed() {
    if (m_hWnd) Place(IsWindowVisible() != FALSE);
}

void COptionTreeItemSpinnerDec::OnEditCommitted() {
    if (m_hWnd) ShowWindow(SW_HIDE);
}

// The editor goes without a commit: its row is being deleted or rebuilt.
void COptionTreeItemSpinnerDec::DestroyEditor() {
    m_bDestroying = true;
    m_bEditorFocus = 0;
    if (m_hWnd) DestroyWindow();
    m_bDestroying = false;
}

void COptionTreeItemSpinnerDec::OnUnselected() {
    if (m_hWnd) ShowWindow(SW_HIDE);
}

void COptionTreeItemSpinnerDec::OnSetFocus(CWnd*) {
    m_bEditorFocus = 1;
    if (GetEdit()->m_hWnd) GetEdit()->SetFocus();
}

void COptionTreeItemSpinnerDec::OnKillFocus(CWnd* newWnd) {
    if (m_bDestroying) return;
    if (newWnd && newWnd->m_hWnd == GetEdit()->m_hWnd) return;
    m_bEditorFocus = 0;
    ValidateText();
    Commit();
}

// Posted when the edit field lost the focus. When the focus is back in the
// editor by the time it arrives (the user clicked the row being edited), the
// editing goes on: committing would hide the editor that has the focus.
LRESULT COptionTreeItemSpinnerDec::OnCommit(WPARAM, LPARAM) {
    if (m_bDestroying) return 0;
    HWND focus = ::GetFocus();
    if (focus && (focus == m_hWnd || focus == GetEdit()->m_hWnd)) return 0;
    m_bEditorFocus = 0;
    // A text that is no finite number is not taken: the row keeps its value.
    ValidateText();
    Commit();
    return 0;
}
