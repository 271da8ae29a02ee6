#include "CDlgErrs.h"

#include <TranslatorBinding.h>

#include "Resource.h"

IMPLEMENT_DYNAMIC(CDlgErrs, CDialog)

BEGIN_MESSAGE_MAP(CDlgErrs, CDialog)
END_MESSAGE_MAP()

CDlgErrs::CDlgErrs(CWnd* parent) : CDialog(IDD_ERRS, parent) {}

CDlgErrs::~CDlgErrs() = default;

BOOL CDlgErrs::OnInitDialog() {
    CDialog::OnInitDialog();
    TranslateDialog(m_hWnd);
    SetIcon(static_cast<HICON>(LoadImageW(AfxGetResourceHandle(), MAKEINTRESOURCEW(IDI_JUNCTOR), IMAGE_ICON, 16, 16, 0)),
            FALSE);
    SetDlgItemText(IDC_EDIT_ERRORI, m_sTesto);
    return TRUE;
}
