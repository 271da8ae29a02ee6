#include "CDlgErrs.h"

#include <TranslatorBinding.h>

#include "Resource.h"

IMPLEMENT_DYNAMIC(CDlgErrs, CDialog)

BEGIN_MESSAGE_MAP(CDlgErrs, CDialog)
END_MESSAGE_MAP()

// The edit field breaks lines only at a carriage return and line feed: a
// line feed or a carriage return alone becomes a whole line end, so that
// every reason of the log stands on its own line.
CString CDlgErrs::Righe(const CString& testo) {
    CString righe;
    const int n = testo.GetLength();
    for (int i = 0; i < n; ++i) {
        const wchar_t c = testo[i];
        if (c == L'\r' && i + 1 < n && testo[i + 1] == L'\n') {
            righe += L"\r\n";
            ++i;
        } else if (c == L'\r' || c == L'\n') {
            righe += L"\r\n";
        } else {
            righe += c;
        }
    }
    return righe;
}

CDlgErrs::CDlgErrs(CWnd* parent) : CDialog(IDD_ERRS, parent) {}

CDlgErrs::~CDlgErrs() = default;

BOOL CDlgErrs::OnInitDialog() {
    CDialog::OnInitDialog();
    TranslateDialog(m_hWnd);
    SetIcon(static_cast<HICON>(LoadImageW(AfxGetResourceHandle(), MAKEINTRESOURCEW(IDI_JUNCTOR), IMAGE_ICON, 16, 16, 0)),
            FALSE);
    SetDlgItemText(IDC_EDIT_ERRORI, Righe(m_sTesto));
    return TRUE;
}
