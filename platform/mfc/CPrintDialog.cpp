#include "CPrintDialog.h"

CPrintDialog::CPrintDialog(BOOL printSetupOnly, DWORD flags, CWnd* parent) {
    m_pParentWnd = parent;
    m_pd.lStructSize = sizeof m_pd;
    m_pd.Flags = flags | (printSetupOnly ? PD_PRINTSETUP : 0u);
    m_pd.nCopies = 1;
}

INT_PTR CPrintDialog::DoModal() {
    m_pd.hwndOwner = m_pParentWnd ? m_pParentWnd->GetSafeHwnd() : nullptr;
    return PrintDlgW(&m_pd) ? IDOK : IDCANCEL;
}
