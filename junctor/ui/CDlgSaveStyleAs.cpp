#include "CDlgSaveStyleAs.h"

#include <CConstrStylesMgr.h>
#include <TranslatorBinding.h>

#include "Resource.h"

IMPLEMENT_DYNAMIC(CDlgSaveStyleAs, CDialog)

BEGIN_MESSAGE_MAP(CDlgSaveStyleAs, CDialog)
    ON_BN_CLICKED(IDOK, &CDlgSaveStyleAs::OnOK)
    ON_BN_CLICKED(IDCANCEL, &CDialog::OnCancel)
END_MESSAGE_MAP()

CDlgSaveStyleAs::CDlgSaveStyleAs(CWnd* parent) : CDialog(IDD_SAVESTYLEAS, parent) {}

CDlgSaveStyleAs::~CDlgSaveStyleAs() = default;

BOOL CDlgSaveStyleAs::OnInitDialog() {
    CDialog::OnInitDialog();
    TranslateDialog(m_hWnd);
    SetIcon(static_cast<HICON>(LoadImageW(AfxGetResourceHandle(), MAKEINTRESOURCEW(IDI_JUNCTOR), IMAGE_ICON, 16, 16, 0)),
            FALSE);
    if (CWnd* nome = GetDlgItem(IDC_EDIT_NOME)) GotoDlgCtrl(nome);
    return FALSE;  // the focus is set
}

void CDlgSaveStyleAs::OnOK() {
    GetDlgItemText(IDC_EDIT_NOME, m_sNome);
    CWnd* nome = GetDlgItem(IDC_EDIT_NOME);
    if (m_sNome.IsEmpty()) {
        AfxMessageBox(TranslateText(L"Inserire il nome per lo stile."), MB_OK);
        if (nome) GotoDlgCtrl(nome);
        return;
    }
    // Names are compared without regard to case, as the style combo finds
    // them: "urbana" beside "Urbana" would be a second style the combo
    // cannot tell apart. Overwriting keeps the stored name.
    CString esistente;
    if (TrovaSenzaMaiuscole(m_sNome, esistente)) {
        // Both texts are needed at once: the first is copied out of the shared buffer.
        CString testo = TranslateText(L"Nome di stile esistente: sovrascrivere?");
        CString titolo = TranslateText(L"Messaggio");
        switch (MessageBox(testo, titolo, MB_YESNOCANCEL)) {
        case IDYES:
            m_bSovrascrivi = true;
            m_sNome = esistente;
            break;
        case IDNO:
            if (nome) GotoDlgCtrl(nome);
            return;
        default: return;
        }
    }
    GetDlgItemText(IDC_EDIT_DESCRIZIONE, m_sDescrizione);
    EndDialog(IDOK);
}

bool CDlgSaveStyleAs::TrovaSenzaMaiuscole(const CString& nome, CString& esistente) const {
    if (!m_pStili) return false;
    for (INT_PTR i = 0; i < m_pStili->GetSize(); ++i) {
        if ((*m_pStili)[i].nome.CompareNoCase(nome) == 0) {
            esistente = (*m_pStili)[i].nome;
            return true;
        }
    }
    return false;
}
